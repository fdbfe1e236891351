#include "toolkit/controls/cxControlsControl.h"

#include <cstdlib>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Menus.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/cxGraphicsParentImage.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsPopupMenus.h"
#include "toolkit/controls/cxControlsScrollBars.h"

TcxIsCompositionOnFunc cxIsCompositionOn = IsDwmCompositionOn;

void InvalidateWindowAndChildren(TWinControl* Control)
{
  if (Control && Control->HandleAllocated())
    RedrawWindow(Control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

namespace {
// A paint cycle of a window: BeginPaint now, EndPaint on every way out.
class TPaintCycle {
public:
  explicit TPaintCycle(HWND Wnd) : FWnd(Wnd), FDC(BeginPaint(Wnd, &FPaint)) {}
  ~TPaintCycle() { EndPaint(FWnd, &FPaint); }
  TPaintCycle(const TPaintCycle&) = delete;
  TPaintCycle& operator=(const TPaintCycle&) = delete;
  HDC DC() const { return FDC; }
  const RECT& UpdateRect() const { return FPaint.rcPaint; }

private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

bool IsMouseDownMessage(UINT Msg, TMouseButton& Button)
{
  switch (Msg) {
    case WM_LBUTTONDOWN: Button = mbLeft; return true;
    case WM_RBUTTONDOWN: Button = mbRight; return true;
    case WM_MBUTTONDOWN: Button = mbMiddle; return true;
    default: return false;
  }
}
}  // namespace

CL_MESSAGE_MAP(TcxControl,
  {WM_PAINT, &TcxControl::WMPaint},
  {WM_ERASEBKGND, &TcxControl::WMEraseBkgnd},
  {WM_GETDLGCODE, &TcxControl::WMGetDlgCode},
  {WM_NCCALCSIZE, &TcxControl::WMNCCalcSize},
  {WM_SETCURSOR, &TcxControl::WMSetCursor},
  {WM_CANCELMODE, &TcxControl::WMCancelMode},
  {CM_COLORCHANGED, &TcxControl::CMColorChanged},
  {CM_CURSORCHANGED, &TcxControl::CMCursorChanged},
  {CM_DESIGNHITTEST, &TcxControl::CMDesignHitTest},
  {CM_FONTCHANGED, &TcxControl::CMFontChanged},
  {CM_INVALIDATE, &TcxControl::CMInvalidate},
  {CM_MOUSEENTER, &TcxControl::CMMouseEnter},
  {CM_MOUSELEAVE, &TcxControl::CMMouseLeave},
  {CM_TEXTCHANGED, &TcxControl::CMTextChanged},
  {CM_VISIBLECHANGED, &TcxControl::CMVisibleChanged},
  {CN_KEYDOWN, &TcxControl::CNKeyDown},
  {CN_SYSKEYDOWN, &TcxControl::CNKeyDown},
  {DXM_NCSIZECHANGED, &TcxControl::DXMNCSizeChanged});
CL_DEFINE_CLASS(TcxControl);

TcxControl::TcxControl(TComponent* Owner) : TCustomControl(Owner)
{
  FCanvas = MakeOwned<TcxCanvas>(TCustomControl::Canvas());
  FDefaultCursor = Cursor();
  FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxControl::HandleLookAndFeelChange));
  FControlStyle.Include(TControlStyleFlag::csParentBackground);
}

TcxControl::~TcxControl() = default;

void TcxControl::AfterConstruction()
{
  TCustomControl::AfterConstruction();
  if (HasDragImages()) FControlStyle.Include(TControlStyleFlag::csDisplayDragImage);
  CreateInternalControls();
  SetTabStop(MayFocusOnClick());
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) {
    repository->AddListener(this);
    FListening = true;
  }
}

void TcxControl::BeforeDestruction()
{
  Destroying();
  if (FListening) {
    if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->RemoveListener(this);
    FListening = false;
  }
  EndDrag(false);
  DestroyInternalControls();
  FActiveCanvas.reset();
  TCustomControl::BeforeDestruction();
}

TcxCanvas* TcxControl::GetActiveCanvas()
{
  if (HandleAllocated()) {
    FActiveCanvas.reset();
    return FCanvas.get();
  }
  if (!FActiveCanvas) FActiveCanvas = MakeOwned<TcxScreenCanvas>();
  return FActiveCanvas.get();
}

TcxCustomLookAndFeelPainter* TcxControl::GetPainter() { return FLookAndFeel->Painter(); }

void TcxControl::ResourceStringsChanged() {}

void TcxControl::HandleLookAndFeelChange(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)
{
  if ((Application && Application->IsDestroying()) || TCustomControl::IsDestroying()) return;
  LookAndFeelChanged(Sender, ChangedValues);
}

void TcxControl::SetScrollBars(TScrollStyle Value)
{
  SetAndNotify(FScrollBars, Value, [this] { UpdateScrollBars(); });
}

// --- Popup menu ---

void TcxControl::SetPopupMenu(TComponent* Value)
{
  auto* popupMenu = dynamic_cast<TPopupMenu*>(Value);
  TComponent* menu = popupMenu || Supports<IcxPopupMenuHandler>(Value) ? Value : nullptr;
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
  // What the class library itself knows of the menu: only a popup menu of its own kind.
  TCustomControl::SetPopupMenu(popupMenu);
}

void TcxControl::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

bool TcxControl::DoShowPopupMenu(TComponent* Menu, int X, int Y) { return ShowPopupMenu(this, Menu, X, Y); }

void TcxControl::DoContextPopup(POINT MousePos, bool& Handled)
{
  TCustomControl::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  // The menu key gives no point: the menu shows at the client area's corner.
  const POINT client = MousePos.x == -1 && MousePos.y == -1 ? POINT{0, 0} : MousePos;
  const POINT screen = ClientToScreen(client);
  Handled = DoShowPopupMenu(FPopupMenu, screen.x, screen.y);
}

bool TcxControl::IsMenuShortCutOfChain(TMessage& Message)
{
  if (IsDesigning()) return false;
  // The menus read the key as the key message it was before the application handed it on.
  TMessage key = Message;
  key.Msg = Message.Msg == CN_SYSKEYDOWN ? WM_SYSKEYDOWN : WM_KEYDOWN;
  for (TWinControl* control = this; control; control = control->Parent())
    if (auto* cx = dynamic_cast<TcxControl*>(control))
      if (IsPopupMenuShortCut(cx->PopupMenu(), key)) return true;
  return false;
}

void TcxControl::CNKeyDown(TMessage& Message)
{
  if (IsMenuShortCutOfChain(Message)) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == CN_KEYDOWN && FDragAndDropState != ddpNone) {
    FinishDragAndDrop(false);
    Message.Result = 1;
    return;
  }
  Inherited<TcxControl>(Message);
}

// --- Window ---

void TcxControl::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd()
{
  TCustomControl::CreateWnd();
  UpdateInternalControls();
  WindowCreated();
}

void TcxControl::WindowCreated() { ParentInternalControls(); }

void TcxControl::DestroyWindowHandle()
{
  TCustomControl::DestroyWindowHandle();
  FControlState.Exclude(TControlStateFlag::csClicked);
}

void TcxControl::WndProc(TMessage& Message)
{
  const TWeakRef<TcxControl> self(this);
  bool dispatched = false;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Dragging()) {
    // A control that drags by itself (or takes the mouse at design time) gets the press as a
    // plain click: the class library would start its own drag instead.
    const bool designing = IsDesigning();
    if ((designing && HandlesDesignTimeMouse(Message.XPos(), Message.YPos(), TShiftState{ssLeft})) ||
        (!designing && DragMode() == dmAutomatic)) {
      dispatched = true;
      if (!IsControlMouseMsg(Message)) {
        FControlState.Include(TControlStateFlag::csLButtonDown);
        Dispatch(Message);
        if (self) FControlState.Exclude(TControlStateFlag::csLButtonDown);
      }
    }
  }
  if (!dispatched) TCustomControl::WndProc(Message);
  if (!self || TCustomControl::IsDestroying()) return;

  TMouseButton button = mbLeft;
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged();
      break;
    case WM_PAINT:
      if (ParentBackground() != FLastParentBackground) {
        FLastParentBackground = ParentBackground();
        ParentBackgroundChanged();
      }
      break;
    default:
      if (IsMouseDownMessage(Message.Msg, button)) {
        int x = Message.XPos(), y = Message.YPos();
        AdjustMousePos(x, y);
        HandleMouseDownAction(button, x, y);
      }
      break;
  }
}

void TcxControl::AdjustMousePos(int& X, int& Y) const
{
  // A mouse message carries 16-bit coordinates: a control larger than that reads the cursor.
  if (Width() <= 32768 && Height() <= 32768) return;
  const POINT p = ScreenToClient(ReadCursorPos());
  X = p.x;
  Y = p.y;
}

// --- Painting ---

void TcxControl::WMPaint(TMessage& Message)
{
  if (Message.WParam != 0 || (!DoubleBuffered() && !Win7)) {
    PaintDirect(Message);
  } else if (cxIsCompositionOn() && CanPaintBufferedOnGlass()) {
    PaintBufferedOnGlass(Message);
  } else {
    TPaintCycle cycle(Handle());
    PaintThroughMemory(cycle.DC(), cycle.UpdateRect());
  }
}

void TcxControl::PaintDirect(TMessage& Message)
{
  // The class library's painting: the window, then its graphic children, with the drag image out
  // of the way of what is drawn under it.
  SuspendDragImage();
  try {
    Inherited<TcxControl>(Message);
  } catch (...) {
    ResumeDragImage();
    throw;
  }
  ResumeDragImage();
}

void TcxControl::PaintBufferedOnGlass(TMessage&)
{
  TPaintCycle cycle(Handle());
  const RECT update = cycle.UpdateRect();
  HDC bufferDC = nullptr;
  HPAINTBUFFER buffer = dxUxTheme::BeginBufferedPaint(cycle.DC(), &update, BPBF_TOPDOWNDIB, nullptr, &bufferDC);
  if (!buffer || !bufferDC) {
    // No buffer from the platform: the memory bitmap does instead, so the update is not lost.
    if (buffer) dxUxTheme::EndBufferedPaint(buffer, FALSE);
    PaintThroughMemory(cycle.DC(), update);
    return;
  }
  try {
    const auto dc = reinterpret_cast<WPARAM>(bufferDC);
    Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
    Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
    if (!HasOwnAlphaOnGlass()) dxUxTheme::BufferedPaintSetAlpha(buffer, &update, 255);
  } catch (...) {
    dxUxTheme::EndBufferedPaint(buffer, FALSE);
    throw;
  }
  dxUxTheme::EndBufferedPaint(buffer, TRUE);
}

void TcxControl::PaintThroughMemory(HDC DC, const RECT& R)
{
  const int width = R.right - R.left, height = R.bottom - R.top;
  if (width <= 0 || height <= 0) return;
  TBitmapHandle bitmap(CreateCompatibleBitmap(DC, width, height));
  TDCHandle memory(CreateCompatibleDC(DC));
  if (!bitmap || !memory) RaiseLastOSError();
  TSelectObject select(memory.Get(), bitmap.Get());
  // Client coordinates land in the bitmap.
  SetWindowOrgEx(memory.Get(), R.left, R.top, nullptr);
  const auto dc = reinterpret_cast<WPARAM>(memory.Get());
  Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
  TMessage paint{WM_PAINT, dc, 0, 0};
  PaintDirect(paint);
  BitBlt(DC, R.left, R.top, width, height, memory.Get(), R.left, R.top, SRCCOPY);
}

void TcxControl::WMEraseBkgnd(TMessage& Message)
{
  // Only the control's own erase (both parameters the same context) is honoured: the buffered
  // roads erase into their buffer later.
  const bool own = Message.WParam == static_cast<WPARAM>(Message.LParam);
  if (!own && !ErasesOwnBackground()) {
    Message.Result = 0;
    return;
  }
  if (own || !DoubleBuffered()) {
    const auto dc = reinterpret_cast<HDC>(Message.WParam);
    const int saved = SaveDC(dc);
    try {
      EraseBackground(dc);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
  Message.Result = 1;
}

void TcxControl::EraseBackground(HDC DC)
{
  if (AreThemesEnabled() && Parent() && FControlStyle.Contains(TControlStyleFlag::csParentBackground)) {
    if (TcxPaintCanvas* canvas = GetSharedPaintCanvas()) {
      canvas->BeginPaintOnDC(DC);
      try {
        PaintParentBackground(this, canvas, ClientRect());
      } catch (...) {
        canvas->EndPaint();
        throw;
      }
      canvas->EndPaint();
      return;
    }
  }
  const RECT client = ClientRect();
  FillRect(DC, &client, BrushHandle());
}

void TcxControl::PaintWindow(HDC DC)
{
  // A canvas already in use (painting nested in other drawing) gets its state back afterwards.
  const bool keepState = TCustomControl::Canvas()->HandleAllocated();
  if (keepState) FCanvas->PushState();
  try {
    TCustomControl::PaintWindow(DC);
  } catch (...) {
    if (keepState) FCanvas->PopState();
    throw;
  }
  if (keepState) FCanvas->PopState();
}

void TcxControl::PaintControl() { UpdateInternalControlsState(); }

void TcxControl::InvalidateRect(const RECT& R, bool EraseBackground)
{
  if (HandleAllocated()) ::InvalidateRect(Handle(), &R, EraseBackground);
}

bool TcxControl::IsTransparentChildControl(TControl* Child) const
{
  if (auto* query = Supports<IcxTransparentControlQuery>(Child)) return query->IsTransparentControl();
  return dynamic_cast<TWinControl*>(Child) && (!Child->ControlStyle().Contains(TControlStyleFlag::csOpaque) ||
                                               Child->ControlStyle().Contains(TControlStyleFlag::csParentBackground));
}

void TcxControl::CMInvalidate(TMessage& Message)
{
  if (!HandleAllocated() || TCustomControl::IsDestroying()) return;
  if (Parent()) Parent()->Perform(CM_INVALIDATE, 1);
  if (Message.WParam != 0) return;
  ::InvalidateRect(Handle(), nullptr, !FControlStyle.Contains(TControlStyleFlag::csOpaque));
  if (!NeedsInvalidateChildren()) return;
  for (int i = 0; i < ControlCount(); ++i)
    if (TControl* child = Controls(i); IsTransparentChildControl(child)) child->Invalidate();
}

// --- Keys, cursor, notifications ---

void TcxControl::WMGetDlgCode(TMessage& Message)
{
  LRESULT code = 0;
  if (FKeys.Contains(ckAll)) code |= DLGC_WANTALLKEYS;
  if (FKeys.Contains(ckArrows)) code |= DLGC_WANTARROWS;
  if (FKeys.Contains(ckChars)) code |= DLGC_WANTCHARS;
  // With Ctrl held down Tab is left to the dialog manager (Ctrl+Tab moves between pages).
  if (FKeys.Contains(ckTab) && GetAsyncKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
  Message.Result = code;
}

void TcxControl::WMNCCalcSize(TMessage& Message)
{
  Inherited<TcxControl>(Message);
  if (HandleAllocated()) PostMessageA(Handle(), DXM_NCSIZECHANGED, 0, 0);
}

void TcxControl::WMSetCursor(TMessage& Message)
{
  if (IsDesigning() && FDragAndDropState == ddpNone && Screen && HandleAllocated()) {
    const POINT p = ScreenToClient(ReadCursorPos());
    if (HandlesDesignTimeMouse(p.x, p.y, TShiftState{ssLeft})) {
      ::SetCursor(Screen->Cursors(GetCursorAt(p.x, p.y)));
      Message.Result = 1;
      return;
    }
  }
  Inherited<TcxControl>(Message);
}

void TcxControl::WMCancelMode(TMessage& Message)
{
  const TWeakRef<TcxControl> self(this);
  Inherited<TcxControl>(Message);
  if (!self) return;
  FinishDragAndDrop(false);
  CancelMouseState();
}

void TcxControl::CMColorChanged(TMessage& Message)
{
  ColorChanged();
  Inherited<TcxControl>(Message);
}

void TcxControl::CMCursorChanged(TMessage& Message)
{
  CursorChanged();
  Inherited<TcxControl>(Message);
}

void TcxControl::CMDesignHitTest(TMessage& Message)
{
  Inherited<TcxControl>(Message);
  if (Message.Result == 0)
    Message.Result = HandlesDesignTimeMouse(Message.XPos(), Message.YPos(), ShiftStateFromKeys(Message.Keys()));
}

void TcxControl::CMFontChanged(TMessage& Message)
{
  Inherited<TcxControl>(Message);
  FontChanged();
}

void TcxControl::CMTextChanged(TMessage& Message)
{
  Inherited<TcxControl>(Message);
  TextChanged();
}

void TcxControl::CMVisibleChanged(TMessage& Message)
{
  Inherited<TcxControl>(Message);
  VisibleChanged();
}

// The control fires its own OnMouseEnter and OnMouseLeave (from MouseEnter and MouseLeave), so of
// the class library's handling only the parent's notice is kept.
void TcxControl::CMMouseEnter(TMessage& Message)
{
  const TWeakRef<TcxControl> self(this);
  NotifyParentOfMouse(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  if (self) MouseEnter(control ? control : this);
}

void TcxControl::CMMouseLeave(TMessage& Message)
{
  const TWeakRef<TcxControl> self(this);
  NotifyParentOfMouse(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  if (self) MouseLeave(control ? control : this);
}

void TcxControl::MouseEnter(TControl*)
{
  if (OnMouseEnter()) OnMouseEnter()(this);
}

void TcxControl::MouseLeave(TControl*)
{
  if (OnMouseLeave()) OnMouseLeave()(this);
}

void TcxControl::FocusChanged()
{
  if (FOnFocusChanged) FOnFocusChanged(this);
}

void TcxControl::Resize()
{
  TCustomControl::Resize();
  BoundsChanged();
}

void TcxControl::BoundsChanged()
{
  UpdateScrollBars();
  if (NeedsInvalidateChildren()) Invalidate();
}

// --- Focus and mouse ---

bool TcxControl::CanFocusOnClick() const { return !IsDesigning() && MayFocusOnClick() && CanFocus(); }

bool TcxControl::CanFocusWithForm() const
{
  if (!CanFocus()) return false;
  TCustomForm* form = GetParentForm();
  return !form || (form->CanFocus() && form->Enabled() && form->Visible());
}

bool TcxControl::IsMouseInDragThreshold(int X, int Y) const
{
  const int threshold = MouseDragThreshold();
  return std::abs(X - FMouseDownPos.x) < threshold && std::abs(Y - FMouseDownPos.y) < threshold;
}

bool TcxControl::IsWithinDragThreshold(int X, int Y) const
{
  return DragMode() == dmManual || IsMouseInDragThreshold(X, Y);
}

bool TcxControl::HandlesDesignTimeMouse(int, int, TShiftState) const
{
  return FDragAndDropState != ddpNone || FMouseButtonPressed;
}

void TcxControl::SetMouseCaptureObject(TObject* Value)
{
  if (Value == FMouseCaptureObject) return;
  const bool hadCapture = MouseCapture();
  FMouseCaptureObject = Value;
  SetMouseCapture(Value != nullptr);
  if (hadCapture && !MouseCapture() && FDragAndDropState == ddpPending) Perform(WM_CANCELMODE);
}

void TcxControl::CancelMouseState()
{
  FMouseButtonPressed = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::EndMouseOperations()
{
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  AdjustMousePos(X, Y);
  FMouseDownPos = POINT{X, Y};
  const TWeakRef<TcxControl> self(this);
  if (ShouldFocusOnClick(X, Y) && !Shift.Contains(ssDouble)) {
    const RECT before = BoundsRect();
    SetFocus();
    if (!self) return;
    TCustomForm* form = GetParentForm();
    if (form && form->ActiveControl() == this && !IsFocused()) ::SetFocus(Handle());
    if (!IsFocused() && !AllowCaptureWithoutFocus()) {
      SetMouseCapture(false);
      return;
    }
    if (KeepsMousePosOnFocusMove()) {
      X += before.left - Left();
      Y += before.top - Top();
    }
  }
  // A press that may start the control's own drag and drop leaves it pending; any other press ends
  // one.
  if (Button == mbLeft && !Shift.Contains(ssDouble) && CanStartDragAndDrop(POINT{X, Y})) {
    if (GetDragAndDropObject()->GetImmediateStart())
      BeginDragAndDrop();
    else
      SetDragAndDropState(ddpPending);
  } else {
    FinishDragAndDrop(false);
  }
  if (!self) return;
  MouseDownBeforeEvent(Button, Shift, X, Y);
  if (!self) return;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (self && MouseCapture()) FMouseButtonPressed = true;
}

void TcxControl::MouseMove(TShiftState Shift, int X, int Y)
{
  AdjustMousePos(X, Y);
  // The cursor of the point, the default cursor kept for the places without one of their own.
  const TCursor defaultCursor = FDefaultCursor;
  SetCursor(GetCursorAt(X, Y));
  FDefaultCursor = defaultCursor;
  const TWeakRef<TcxControl> self(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self) return;
  if (FDragAndDropState == ddpPending && !IsMouseInDragThreshold(X, Y)) {
    BeginDragAndDrop();
  } else if (FDragAndDropState == ddpActive) {
    bool accepted = false;
    DragAndDrop(POINT{X, Y}, accepted);
  }
}

void TcxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  AdjustMousePos(X, Y);
  FMouseButtonPressed = false;
  const TWeakRef<TcxControl> self(this);
  EndMouseOperations();
  if (self) TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::HandleMouseDownAction(TMouseButton Button, int X, int Y)
{
  if (Button == mbMiddle) {
    PanContent();
    return;
  }
  if (Button != mbLeft || DragMode() != dmAutomatic || !MouseCapture()) return;
  if ((IsDesigning() && !AllowAutoDrag(X, Y)) || !CanDrag(X, Y)) return;
  const TWeakRef<TcxControl> self(this);
  if (WaitForDragStart(Handle(), ClientToScreen(POINT{X, Y})) == cxDragStartMoved && self) BeginDrag(true, -1);
}

bool TcxControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos)
{
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  const TcxMouseWheelScrollingKind kind = GetWheelScrollKind();
  if (kind == mwskNone) return false;
  const TcxDirection direction = kind == mwskVertical ? (WheelDelta >= 0 ? dirUp : dirDown)
                                                      : (WheelDelta >= 0 ? dirLeft : dirRight);
  const TWeakRef<TcxControl> self(this);
  for (int i = MouseWheelScrollLines(); i > 0 && self; --i) ScrollByWheel(direction);
  return true;
}

TcxMouseWheelScrollingKind TcxControl::GetWheelScrollKind() const
{
  return IsVScrollBarVisible() ? mwskVertical : mwskNone;
}

void TcxControl::ScrollByWheel(TcxDirection Direction)
{
  if (Direction == dirNone || (!HasScrollBars() && !CanScrollWithoutScrollBars(Direction))) return;
  const TScrollBarKind kind = Direction == dirLeft || Direction == dirRight ? sbHorizontal : sbVertical;
  const TScrollCode code = Direction == dirLeft || Direction == dirUp ? scLineUp : scLineDown;
  TcxControlScrollBar* bar = kind == sbHorizontal ? FHScrollBar : FVScrollBar;
  int position = bar ? bar->Position() : 0;
  const TWeakRef<TcxControl> self(this);
  Scroll(kind, code, position);
  if (self) Update();
}

// --- Child components ---

void TcxControl::AddChildComponent(TcxControlChildComponent* Child) { Child->SetControl(this); }
void TcxControl::RemoveChildComponent(TcxControlChildComponent* Child) { Child->SetControl(nullptr); }

CL_DEFINE_CLASS(TcxControlChildComponent);

TcxControlChildComponent::TcxControlChildComponent(TComponent* Owner) : TcxComponent(Owner) {}

void TcxControlChildComponent::AfterConstruction()
{
  TcxComponent::AfterConstruction();
  Initialize();
}

void TcxControlChildComponent::BeforeDestruction()
{
  if (FControl) FControl->RemoveChildComponent(this);
  TcxComponent::BeforeDestruction();
}

void TcxControlChildComponent::SetControl(TcxControl* Value) { FControl = Value; }

TComponent* TcxControlChildComponent::GetParentComponent() const { return FControl; }

void TcxControlChildComponent::SetParentComponent(TComponent* Value)
{
  if (auto* control = dynamic_cast<TcxControl*>(Value)) control->AddChildComponent(this);
}
