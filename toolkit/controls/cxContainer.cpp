#include "toolkit/controls/cxContainer.h"

#include <algorithm>
#include "classlib/Forms.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsPopupMenus.h"
#include "toolkit/controls/cxControlsScrollBars.h"

namespace {
// A caption this long or longer is given to the window after it exists.
constexpr size_t cxMaxCreationCaption = 65536;

bool IsKeyMessage(UINT Msg)
{
  switch (Msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
    case CN_KEYDOWN: case CN_KEYUP: case CN_CHAR: return true;
    default: return false;
  }
}
}  // namespace

CL_MESSAGE_MAP(TcxContainer,
  {WM_KILLFOCUS, &TcxContainer::WMKillFocus},
  {WM_SETFOCUS, &TcxContainer::WMSetFocus},
  {WM_WINDOWPOSCHANGING, &TcxContainer::WMWindowPosChanging},
  {WM_WINDOWPOSCHANGED, &TcxContainer::WMWindowPosChanged},
  {WM_NCPAINT, &TcxContainer::WMNCPaint},
  {WM_SETCURSOR, &TcxContainer::WMSetCursor},
  {CM_CTL3DCHANGED, &TcxContainer::CMCtl3DChanged},
  {CM_SYSCOLORCHANGE, &TcxContainer::CMSysColorChange},
  {CM_ENABLEDCHANGED, &TcxContainer::CMEnabledChanged},
  {CM_FONTCHANGED, &TcxContainer::CMFontChanged},
  {CM_PARENTCOLORCHANGED, &TcxContainer::CMParentColorChanged},
  {CM_PARENTFONTCHANGED, &TcxContainer::CMParentFontChanged},
  {DXM_SYNCSCROLLBARS, &TcxContainer::DXMScrollBarsSync},
  {DXM_BUFFEREDPAINTONGLASS, &TcxContainer::DXMBufferedPaintOnGlass});
CL_DEFINE_CLASS(TcxContainer);
CL_DEFINE_CLASS(TcxCustomEditContainer);

TcxContainer::TcxContainer(TComponent* Owner) : TcxControl(Owner) {}

TcxContainer::~TcxContainer() = default;

void TcxContainer::AfterConstruction()
{
  TcxControl::AfterConstruction();
  FStyles.reset(GetStylesClass().Create(this, GetStyleClass()));
  FStyles->AssignChangeHandler(TNotifyEvent(this, &TcxContainer::ContainerStyleChanged));
  FCachedState = TcxContainerState{TcxContainerStateFlag::csNormal};
  FCachedActiveStyle = GetStyle();
  FViewInfo.reset(GetViewInfoClass().Create());
  LookAndFeel()->SetMaster(GetStyle()->LookAndFeel());
  FControlStyle.Include(TControlStyleFlag::csCaptureMouse);
  FControlStyle.Include(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  {
    TFlagScope internal(FInternalSetting);
    SetParentColor(IsParentColorDefault() && !IsInplace() && !GetStyle()->IsValueAssigned(svColor));
    if (!ParentColor()) SetColor(clWindow);
  }
  ClearInnerControlBounds();
  FCreating = false;
}

void TcxContainer::BeforeDestruction()
{
  StopMouseTracking(this);
  TcxControl::BeforeDestruction();
  FViewInfo.reset();
  if (FStyles) FStyles->AssignChangeHandler(TNotifyEvent());
  FStyles.reset();
}

void TcxContainer::Loaded()
{
  TcxControl::Loaded();
  LockedAdjustLayout();
  ContainerStyleChanged(GetStyle());
}

void TcxContainer::Notification(TComponent* AComponent, TOperation Operation)
{
  TcxControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FInnerControl) SetInnerControl(nullptr);
}

// --- Inner control ---

void TcxContainer::SetInnerControl(TWinControl* Value)
{
  if (FInnerControl == Value) return;
  if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
  FInnerControl = Value;
  if (FInnerControl) FInnerControl->FreeNotification(this);
  ClearInnerControlBounds();
}

bool TcxContainer::DispatchInnerControlMessage(TMessage& Message)
{
  return FInnerControl && !IsDestroying() && InnerControlMessage(Message);
}

bool TcxContainer::InnerControlMessage(TMessage& Message)
{
  const bool onGlass = FDrawnOnGlass && cxIsCompositionOn();
  const bool colouring = Message.Msg == CN_CTLCOLOREDIT || Message.Msg == CN_CTLCOLORSTATIC;
  if (colouring && onGlass && !FInnerControlBufferedPaintPending &&
      FInnerControl->HandleAllocated()) {
    FInnerControlBufferedPaintPending = true;
    PostMessageA(FInnerControl->Handle(), DXM_BUFFEREDPAINTONGLASS, 0, 0);
  } else if (Message.Msg == DXM_BUFFEREDPAINTONGLASS && FInnerControlBufferedPaintPending) {
    // The repaint makes the inner control ask for its colours again: those requests must not post
    // another repaint, or the two would follow each other for ever.
    if (FInnerControl->HandleAllocated()) RepaintWindowOnGlass(FInnerControl->Handle(), true);
    FInnerControlBufferedPaintPending = false;
  }
  return false;
}

void TcxContainer::CallSavedInnerWndProc(TMessage& Message)
{
  if (FSavedInnerWndProc) FSavedInnerWndProc(Message);
}

void TcxContainer::ClearInnerControlBounds()
{
  FInnerControlRegionEmpty = true;
  FInnerControlRegion = RECT{};
}

// --- State ---

bool TcxContainer::CanRefreshState()
{
  return FRefreshLock == 0 && !FCreating && !IsDestroying() &&
         !ControlState().Contains(TControlStateFlag::csDestroyingHandle) && HandleAllocated();
}

bool TcxContainer::RefreshState(POINT P, int Button, bool Notify, TShiftState Shift)
{
  FHasChanges = true;
  bool result = false;
  if (CanRefreshState()) {
    TCounterLock lock(FRefreshLock);
    FHasChanges = false;
    result = DoRefreshState(P, Button, Shift);
  }
  if (Notify && CanRefreshState() && FProcessEventsLock == 0) {
    TCounterLock lock(FProcessEventsLock);
    ContainerStateChanged();
  }
  FViewInfoCalculated = result && !FHasChanges;
  return result;
}

bool TcxContainer::RefreshStateAtCursor(bool Notify)
{
  POINT p{-1, -1};
  const POINT screen = ReadMouseScreenPos();
  if (HandleAllocated() && IsSameOrChildWindow(Handle(), WindowFromPoint(screen))) p = ScreenToClient(screen);
  return RefreshState(p, 0, Notify, GetKeyboardShiftState());
}

bool TcxContainer::DoRefreshState(POINT P, int, TShiftState Shift)
{
  const bool hotAllowed = IsShiftStateEmpty(Shift) && GetActiveStyle()->HotTrack();
  CalculateViewInfo(P, hotAllowed);
  LockedAdjustLayout();
  ApplyStyleToInnerControl();
  UpdateWindowRegion();
  InvalidateAfterRefresh();
  if (FViewInfo->ContainerState.Contains(TcxContainerStateFlag::csHotTrack))
    StartMouseTracking(this, GetControlBoundsAtOrigin(this), this);
  return true;
}

void TcxContainer::InvalidateAfterRefresh()
{
  if (!HandleAllocated()) return;
  const RECT bounds = GetControlBoundsAtOrigin(this);
  if (FInnerControl)
    InvalidateRectOutside(Handle(), bounds, FViewInfo->BorderRect, false);
  else
    InvalidateRect(bounds, false);
}

void TcxContainer::MouseTrackingLeft()
{
  MouseLeave(static_cast<TControl*>(this));
  StopMouseTracking(this);
}

TcxContainerStyle* TcxContainer::GetStyleForState(TcxContainerState State)
{
  if (State.Contains(TcxContainerStateFlag::csDisabled)) return GetStyleDisabled();
  if (State.Contains(TcxContainerStateFlag::csActive)) return GetStyleFocused();
  if (GetStyle()->HotTrack() && State.Contains(TcxContainerStateFlag::csHotTrack)) return GetStyleHot();
  return GetStyle();
}

TcxContainerStyle* TcxContainer::GetActiveStyle()
{
  if (!FCachedActiveStyle || FCachedState != FViewInfo->ContainerState) {
    FCachedState = FViewInfo->ContainerState;
    FCachedActiveStyle = GetStyleForState(FCachedState);
  }
  return FCachedActiveStyle;
}

bool TcxContainer::IsStyleValueStored(std::string_view Name, bool NonNormalState)
{
  if (NonNormalState && !GetStyle()->IsPropertyPublished(Name)) return false;
  TcxContainerStyleValue value = 0;
  if (GetStyle()->FindStyleValue(Name, value)) return !GetIgnoredStyleValues().Contains(value);
  return true;
}

// --- Applying the style ---

void TcxContainer::ContainerStyleChanged(TObject*)
{
  if (FCreating || IsLoading()) return;
  RefreshStateAtCursor(false);
  TFlagScope internal(FInternalSetting);
  if (!ParentColor() || GetStyle()->IsValueAssigned(svColor)) SetColor(GetStyle()->GetVisibleColor());
  if (TFont* font = GetStyle()->Font()) TControl::SetFont(font);
  if (GetStyle()->IsValueAssigned(svFont)) SetParentFont(false);
}

void TcxContainer::ApplyStyleToInnerControl()
{
  if (!FInnerControl) return;
  FInnerControl->SetColor(FViewInfo->BackgroundColor);
  FInnerControl->SetFont(GetVisibleFont());
}

TFont* TcxContainer::GetVisibleFont()
{
  TFont* font = GetActiveStyle()->GetEffectiveFont();
  TColor background = clDefault, text = clDefault;
  GetSkinColors(background, text);
  if (text != clDefault) font->SetColor(text);
  return font;
}

void TcxContainer::ColorChanged()
{
  if (FInternalSetting) {
    TcxControl::ColorChanged();
    RefreshStateAtCursor(false);
  } else if (FStyles) {
    GetStyle()->SetColor(Color());
  }
}

void TcxContainer::CMFontChanged(TMessage& Message)
{
  if (FInternalSetting || !FStyles) {
    Inherited<TcxContainer>(Message);
    LockedAdjustLayout();
    SyncScrollBarsWithInnerControl(false);
    RefreshStateAtCursor(false);
    return;
  }
  TcxContainerStyle* style = GetStyle();
  const bool wasAssigned = style->AssignedValues().Contains(svFont);
  style->SetFont(Font());
  // A font that came from the parent does not count as assigned; one set on the container does.
  if (!wasAssigned && ParentFont()) style->SetAssignedValues(style->AssignedValues() - TcxContainerStyleValues{svFont});
  Inherited<TcxContainer>(Message);
}

void TcxContainer::CMParentColorChanged(TMessage& Message)
{
  TcxContainerStyle* style = GetStyle();
  const bool wasAssigned = style->AssignedValues().Contains(svColor);
  Inherited<TcxContainer>(Message);
  if (!wasAssigned || ParentColor()) style->SetAssignedValues(style->AssignedValues() - TcxContainerStyleValues{svColor});
  if (style->GetColor() != Color()) ContainerStyleChanged(style);
  if (IsTransparent() && !ParentColor()) Invalidate();
}

void TcxContainer::CMParentFontChanged(TMessage& Message)
{
  TcxContainerStyle* style = GetStyle();
  const bool wasAssigned = style->AssignedValues().Contains(svFont);
  Inherited<TcxContainer>(Message);
  if (!ParentFont()) style->UpdateFont();
  if (!wasAssigned || ParentFont()) style->SetAssignedValues(style->AssignedValues() - TcxContainerStyleValues{svFont});
}

void TcxContainer::CursorChanged()
{
  TcxControl::CursorChanged();
  if (FInnerControl) FInnerControl->SetCursor(Cursor());
}

void TcxContainer::SetDragMode(TDragMode Value)
{
  TcxControl::SetDragMode(Value);
  if (FInnerControl) FInnerControl->SetDragMode(Value);
}

void TcxContainer::SetDragKind(TDragKind Value)
{
  TcxControl::SetDragKind(Value);
  if (FInnerControl) FInnerControl->SetDragKind(Value);
}

TDragImageList* TcxContainer::GetDragImages()
{
  return FInnerControl ? FInnerControl->GetDragImages() : TcxControl::GetDragImages();
}

void TcxContainer::Invalidate()
{
  TcxControl::Invalidate();
  if (FInnerControl) FInnerControl->Invalidate();
}

void TcxContainer::Update()
{
  TcxControl::Update();
  if (FInnerControl) FInnerControl->Update();
}

void TcxContainer::ResourceStringsChanged()
{
  TcxControl::ResourceStringsChanged();
  RefreshStateAtCursor(false);
}

// --- Hosting the inner control ---

void TcxContainer::AdjustClientRect(RECT& Rect)
{
  if (!IsDestroying() && FViewInfo) Rect = FViewInfo->ClientRect;
}

void TcxContainer::AdjustLayout()
{
  if (!FInnerControl) return;
  const RECT& r = FViewInfo->ClientRect;
  const RECT bounds{FInnerControl->Left(), FInnerControl->Top(), FInnerControl->Left() + FInnerControl->Width(),
                    FInnerControl->Top() + FInnerControl->Height()};
  if (!RectsEqual(bounds, r)) FInnerControl->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TcxContainer::LockedAdjustLayout()
{
  TCounterLock lock(FRefreshLock);
  AdjustLayout();
}

void TcxContainer::LockAlignControls(bool Lock)
{
  if (Lock)
    ++FAlignLock;
  else if (FAlignLock > 0)
    --FAlignLock;
}

void TcxContainer::LockPopupMenu(bool Lock)
{
  if (Lock)
    ++FPopupMenuLock;
  else if (FPopupMenuLock > 0)
    --FPopupMenuLock;
}

void TcxContainer::AlignControls(TControl* Control, RECT& Rect)
{
  if (HostsChildControls()) return TcxControl::AlignControls(Control, Rect);
  if (FAlignLock > 0 || (Control && IsInternalControl(Control))) return;
  if (!Control) return TcxControl::AlignControls(Control, Rect);
  auto* child = dynamic_cast<TWinControl*>(Control);
  if (!child || !child->HandleAllocated() || FCreating) return;
  RECT region{};
  CalculateChildRegion(Rect, Control, region);
  ApplyChildRegion(child, region);
}

void TcxContainer::ApplyChildRegion(TWinControl* Child, const RECT& Region)
{
  const bool empty = IsRectEmpty(&Region);
  if (Child == FInnerControl) {
    const bool changed = empty != FInnerControlRegionEmpty || (!empty && !RectsEqual(Region, FInnerControlRegion));
    if (!changed) return;
    FInnerControlRegionEmpty = empty;
    FInnerControlRegion = Region;
  }
  SetWindowRgn(Child->Handle(), empty ? nullptr : CreateRectRgnIndirect(&Region), TRUE);
}

void TcxContainer::CalculateChildRegion(const RECT& Rect, TControl* Control, RECT& Region)
{
  Region = RECT{};
  if (!Control) return;
  const RECT full{0, 0, Control->Width(), Control->Height()};
  RECT r = full;
  // Each side of the control's bounds outside Rect is cut back to Rect.
  if (Control->Left() < Rect.left) r.left = Rect.left - Control->Left();
  if (Control->Top() < Rect.top) r.top = Rect.top - Control->Top();
  if (Control->Left() + Control->Width() > Rect.right) r.right -= Control->Left() + Control->Width() - Rect.right;
  if (Control->Top() + Control->Height() > Rect.bottom) r.bottom -= Control->Top() + Control->Height() - Rect.bottom;
  if (!RectsEqual(r, full)) Region = r;
}

// --- Focus ---

bool TcxContainer::Focused() const
{
  if (IsDesigning() || ControlState().Contains(TControlStateFlag::csDestroyingHandle)) return false;
  const HWND focus = GetFocus();
  if (!focus) return false;
  if (HandleAllocated() && focus == FHandle) return true;
  return FInnerControl && FInnerControl->HandleAllocated() && focus == FInnerControl->Handle();
}

void TcxContainer::SetFocus()
{
  if (IsDesigning() || IsAlreadyFocused()) return;
  TcxControl::SetFocus();
  if (FInnerControl && FInnerControl->HandleAllocated() && HandleAllocated() && GetFocus() == Handle()) {
    FocusInnerControl();
    if (TCustomForm* form = GetParentForm(); form && FInnerControl->CanFocus()) form->SetFocusedControl(FInnerControl);
  }
}

void TcxContainer::FocusInnerControl()
{
  if (FInnerControl && FInnerControl->CanFocus()) FInnerControl->SetFocus();
}

void TcxContainer::FocusChanged()
{
  TcxControl::FocusChanged();
  RefreshStateAtCursor(false);
}

bool TcxContainer::CanFocusOnClick() const
{
  if (FInnerControlMouseDown) return false;
  if (FInnerControl && FInnerControl->HandleAllocated() && GetFocus() == FInnerControl->Handle()) return false;
  return TcxControl::CanFocusOnClick();
}

bool TcxContainer::MayFocusOnClick() const
{
  return !(FInnerControl && FInnerControl->HandleAllocated() && GetFocus() == FInnerControl->Handle());
}

void TcxContainer::WMSetFocus(TMessage& Message)
{
  Inherited<TcxContainer>(Message);
  if (IsDestroying() || !FInnerControl || !FInnerControl->HandleAllocated()) return;
  if (FInnerControl->CanFocus()) FocusInnerControl();
}

void TcxContainer::WMKillFocus(TMessage& Message) { Inherited<TcxContainer>(Message); }

void TcxContainer::WMWindowPosChanging(TMessage& Message)
{
  if (IsDestroying()) {
    Message.Result = 0;
    return;
  }
  Inherited<TcxContainer>(Message);
  if (HandleAllocated() && GetFocus() == FHandle && FInnerControl && FInnerControl->HandleAllocated() &&
      FInnerControl->CanFocus() && !ControlState().Contains(TControlStateFlag::csFocusing)) {
    if (TCustomForm* form = GetParentForm()) form->FocusControl(FInnerControl);
  }
}

void TcxContainer::WMWindowPosChanged(TMessage& Message)
{
  Inherited<TcxContainer>(Message);
  if (IsTransparent()) RefreshStateAtCursor(false);
}

void TcxContainer::KeyDown(WORD& Key, TShiftState Shift)
{
  TcxControl::KeyDown(Key, Shift);
  if (Key != VK_TAB || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt) || !Focused() || !CanMoveFocusOnTab()) return;
  Key = 0;
  TCustomForm* form = GetParentForm();
  if (!form) return;
  form->SelectNext(form->ActiveControl(), !Shift.Contains(ssShift), true);
  if (HandleAllocated() && GetFocus() == Handle()) FocusInnerControl();
}

void TcxContainer::GetTabOrderList(std::vector<TWinControl*>& List) const
{
  TcxControl::GetTabOrderList(List);
  if (const_cast<TcxContainer*>(this)->HostsChildControls() || !FInnerControl) return;
  TCustomForm* form = GetParentForm();
  if (!form || form->ActiveControl() != FInnerControl || form->ActiveControl() == this || !CanFocus()) return;
  // The inner control stands where the container stands, so that Tab and Shift+Tab leave it for the
  // controls around the container instead of landing on the container again.
  List.erase(std::remove(List.begin(), List.end(), FInnerControl), List.end());
  std::replace(List.begin(), List.end(), static_cast<TWinControl*>(const_cast<TcxContainer*>(this)), FInnerControl);
}

// --- Mouse ---

void TcxContainer::MouseEnter(TControl* AControl)
{
  TcxControl::MouseEnter(AControl);
  RefreshStateAtCursor(true);
  StartMouseTracking(this, GetControlBoundsAtOrigin(this), this);
}

void TcxContainer::MouseLeave(TControl* AControl)
{
  TcxControl::MouseLeave(AControl);
  RefreshStateAtCursor(true);
  StopMouseTracking(this);
}

void TcxContainer::MouseMove(TShiftState Shift, int X, int Y)
{
  TcxControl::MouseMove(Shift, X, Y);
  RefreshState(POINT{X, Y}, 0, true, Shift);
  StartMouseTracking(this, GetControlBoundsAtOrigin(this), this);
}

void TcxContainer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  const TWeakRef<TcxContainer> self(this);
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (self && IsHotTracked()) RefreshState(POINT{X, Y}, MouseButtonToContainerButton(Button), true, Shift);
}

void TcxContainer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  const TWeakRef<TcxContainer> self(this);
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (self) RefreshState(POINT{X, Y}, MouseButtonToContainerButton(Button), true, Shift);
}

void TcxContainer::DoContextPopup(POINT MousePos, bool& Handled)
{
  if (FPopupMenuLock == 0 && ((MousePos.x == -1 && MousePos.y == -1) || CanShowPopupMenuAt(MousePos)))
    TcxControl::DoContextPopup(MousePos, Handled);
  else
    Handled = true;
}

bool TcxContainer::HandlePopupMenuShortCut(TMessage& Message)
{
  if (Message.Msg != CN_KEYDOWN && Message.Msg != CN_SYSKEYDOWN) return false;
  for (TWinControl* control = this; control; control = control->Parent()) {
    if (auto* cx = dynamic_cast<TcxControl*>(control); cx && IsPopupMenuShortCut(cx->PopupMenu(), Message)) {
      Message.Result = 1;
      return true;
    }
  }
  return false;
}

// --- Refresh triggers ---

void TcxContainer::Resize()
{
  TcxControl::Resize();
  RefreshStateAtCursor(false);
}

void TcxContainer::CMCtl3DChanged(TMessage& Message)
{
  Inherited<TcxContainer>(Message);
  RefreshStateAtCursor(false);
}

void TcxContainer::CMSysColorChange(TMessage& Message)
{
  Inherited<TcxContainer>(Message);
  RefreshStateAtCursor(false);
}

void TcxContainer::CMEnabledChanged(TMessage& Message)
{
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* bar = dynamic_cast<TcxScrollBar*>(Controls(i))) bar->SetEnabled(Enabled());
  Inherited<TcxContainer>(Message);
  RefreshStateAtCursor(false);
}

// --- Window ---

void TcxContainer::CreateParams(TCreateParams& Params)
{
  TcxControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateHandle()
{
  TcxControl::CreateHandle();
  if (FInnerControl && CanHaveWindowHandle(FInnerControl)) FInnerControl->HandleNeeded();
  RefreshStateAtCursor(false);
}

void TcxContainer::CreateWindowHandle(const TCreateParams& Params)
{
  if (Params.Caption.size() < cxMaxCreationCaption) return TcxControl::CreateWindowHandle(Params);
  // A very long caption is sent after the window exists.
  TCreateParams params = Params;
  params.Caption.clear();
  TcxControl::CreateWindowHandle(params);
  TMessage setText{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Params.Caption.c_str()), 0};
  TWinControl::DefaultHandler(setText);
}

void TcxContainer::WndProc(TMessage& Message)
{
  if (IsKeyMessage(Message.Msg) && FInnerControl) {
    Message.Result = SendMessageA(FInnerControl->Handle(), Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  switch (Message.Msg) {
    case WM_SETFOCUS:
      // The focus coming back from the inner control stays there (its own window takes it next).
      if (!Visible()) return;
      if (!IsDestroying() && FInnerControl && FInnerControl->HandleAllocated() &&
          reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle()) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_KILLFOCUS:
      // Moving into the inner control is no exit.
      if (FInnerControl && FInnerControl->HandleAllocated() &&
          reinterpret_cast<HWND>(Message.WParam) == FInnerControl->Handle()) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // A press on the container's own window (its border) drags the container by itself.
      if (DragMode() == dmAutomatic && !IsDesigning()) {
        _TcxContainerAccess::BeginAutoDrag(this);
        return;
      }
      break;
    case WM_NCCALCSIZE:
      if (FRefreshLock > 0) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_PAINT:
      if (FDrawnOnGlass && cxIsCompositionOn()) {
        PaintWindowOnGlassFromPaint(Handle());
        Message.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TcxControl::WndProc(Message);
  if ((Message.Msg == CN_CTLCOLOREDIT || Message.Msg == CN_CTLCOLORSTATIC) && FDrawnOnGlass && cxIsCompositionOn() &&
      !FRepaintOnGlassPending && HandleAllocated()) {
    FRepaintOnGlassPending = true;
    PostMessageA(Handle(), DXM_BUFFEREDPAINTONGLASS, 0, 0);
  }
}

void TcxContainer::DXMBufferedPaintOnGlass(TMessage&)
{
  if (!FRepaintOnGlassPending) return;
  FRepaintOnGlassPending = false;
  if (HandleAllocated()) RepaintWindowOnGlass(Handle());
}

void TcxContainer::WMNCPaint(TMessage& Message) { Message.Result = 0; }

void TcxContainer::WMSetCursor(TMessage& Message)
{
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && LOWORD(Message.LParam) == HTCLIENT && FInnerControl) {
    const POINT p = ScreenToClient(ReadMouseScreenPos());
    if (!IsPointInRect(p, FViewInfo->ClientRect)) {
      ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      Message.Result = 1;
      return;
    }
  }
  Inherited<TcxContainer>(Message);
}

// --- Painting ---

void TcxContainer::PaintControl()
{
  if (!FViewInfoCalculated) RefreshStateAtCursor(false);
  if (ControlState().Contains(TControlStateFlag::csPaintCopy)) SetPaintRegion();
  FViewInfo->Paint(Canvas());
  ReservedPaintStep();
  TcxControl::PaintControl();
}

void TcxContainer::UpdateWindowRegion()
{
  if (HandleAllocated()) ApplyWindowRegion(Handle(), CreateWindowRegion());
}

TOwned<TcxRegion> TcxContainer::CreateWindowRegion()
{
  const bool nativeBorder = FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone;
  auto region = CreateShadowWindowRegion(Handle(), GetShadowRect(), GetShadowRectInset(), RECT{}, FViewInfo->Shadow,
                                         nativeBorder);
  if (HasTransparentBorder()) {
    // The band outside the drawn border is not part of the window: the parent shows through.
    if (region)
      region->CombineWith(MakeOwned<TcxRegion>(GetShadowRect()), roAdd);
    else
      region = MakeOwned<TcxRegion>(GetShadowRect());
  }
  return region;
}

void TcxContainer::SetPaintRegion()
{
  auto region = CreateShadowWindowRegion(Handle(), GetShadowRect(), GetShadowRectInset(), RECT{}, FViewInfo->Shadow,
                                         !HasTransparentBorder());
  if (region) Canvas()->ApplyClipRegion(std::move(region), roIntersect);
}

// --- Painted scroll bars over the inner control ---

void TcxContainer::UpdateScrollBars()
{
  TcxControl::UpdateScrollBars();
  SyncScrollBarsWithInnerControl(false);
}

void TcxContainer::PostScrollBarsSync()
{
  if (!IsDestroying() && HandleAllocated() && FInnerControl) PostMessageA(Handle(), DXM_SYNCSCROLLBARS, 0, 0);
}

void TcxContainer::DXMScrollBarsSync(TMessage&) { SyncScrollBarsWithInnerControl(false); }

void SetScrollBarParamsFromInfo(TcxScrollBar* bar, const SCROLLINFO& info)
{
  // The system allows what the painted bar refuses (a page larger than the range above a minimum
  // above zero): keep the range and page within what the bar takes.
  const int min = info.nMin;
  const int max = std::max(info.nMax, min);
  const int page = std::clamp(static_cast<int>(info.nPage), 0, max - min);
  bar->SetScrollParams(min, max, page, std::clamp(info.nPos, min, max), true);
}

void TcxContainer::SyncScrollBarsWithInnerControl(bool SkipBars)
{
  if (!FInnerControl || !HasScrollBars() || IsDestroying() || !IsScrollBarInfoSupported() || FScrollBarsCalculating)
    return;
  TFlagScope calculating(FScrollBarsCalculating);
  for (TcxControlScrollBar* bar : {HScrollBar(), VScrollBar()}) {
    if (!bar) continue;
    if (!SkipBars) SyncScrollBar(bar);
    if (!bar->Visible() || !FInnerControl->HandleAllocated()) continue;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(FInnerControl->Handle(), bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &info)) continue;
    SetScrollBarParamsFromInfo(bar, info);
  }
  UpdateSizeGrip();
}

void TcxContainer::UpdateSizeGrip()
{
  const bool visible = HScrollBar() && VScrollBar() && HScrollBar()->Visible() && VScrollBar()->Visible() &&
                       FInnerControl->HandleAllocated() && Supports<IcxContainerInnerControl>(FInnerControl);
  const RECT r = visible ? CalculateSizeGripRect(this) : RECT{};
  if (visible && (!FSizeGripVisible || !RectsEqual(r, FSizeGripRect))) {
    // The inner control fills the corner in its non-client painting.
    HRGN region = CreateRectRgnIndirect(&r);
    SendMessageA(FInnerControl->Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
  FSizeGripVisible = visible;
  FSizeGripRect = r;
}

void TcxContainer::SyncScrollBar(TcxControlScrollBar* Bar)
{
  SCROLLBARINFO info{};
  if (GetInnerScrollBarInfo(Bar->Kind(), info) && IsScrollBarInfoVisible(info)) {
    Bar->SetEnabled(IsScrollBarEnabledFromInfo(Bar, info));
    const RECT r = GetScrollBarRectFromInfo(info);
    Bar->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    SetScrollBarVisible(Bar, r.right > r.left && r.bottom > r.top);
  } else {
    SetScrollBarVisible(Bar, false);
  }
}

bool TcxContainer::GetInnerScrollBarInfo(TScrollBarKind Kind, SCROLLBARINFO& Info)
{
  if (IsDestroying() || !Parent() || !HandleAllocated() || !FInnerControl || !FInnerControl->HandleAllocated())
    return false;
  return QueryScrollBarInfo(FInnerControl->Handle(), Kind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, Info);
}

bool TcxContainer::IsScrollBarInfoVisible(const SCROLLBARINFO& Info)
{
  return (Info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
}

bool TcxContainer::IsScrollBarEnabledFromInfo(TcxControlScrollBar* Bar, const SCROLLBARINFO& Info)
{
  return (!Bar->Parent() || Bar->Parent()->Enabled()) && (Info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

RECT TcxContainer::GetScrollBarRectFromInfo(const SCROLLBARINFO& Info)
{
  const POINT topLeft = ScreenToClient(POINT{Info.rcScrollBar.left, Info.rcScrollBar.top});
  const int width = Info.rcScrollBar.right - Info.rcScrollBar.left;
  const int height = Info.rcScrollBar.bottom - Info.rcScrollBar.top;
  if (topLeft.x < 0 || topLeft.y < 0 || width > Width() || height > Height()) return RECT{};
  return RectFromBounds(topLeft.x, topLeft.y, width, height);
}

void TcxContainer::SetScrollBarVisible(TcxControlScrollBar* Bar, bool Visible)
{
  Bar->SetVisible(Visible);
  if (Visible) {
    Bar->SetCtl3D(false);
    Bar->BringToFront();
  }
}

// --- Unit routines that need the container ---

TcxContainer* FindContainer(TControl* Control)
{
  if (auto* container = dynamic_cast<TcxContainer*>(Control)) return container;
  if (auto* inner = Supports<IcxContainerInnerControl>(Control)) return inner->GetControlContainer();
  return nullptr;
}

RECT CalculateSizeGripRect(TcxContainer* Container)
{
  TcxControlScrollBar* h = Container->HScrollBar();
  TcxControlScrollBar* v = Container->VScrollBar();
  TWinControl* inner = Container->InnerControl();
  if (!h || !v || !h->Visible() || !v->Visible() || !inner || !inner->HandleAllocated()) return RECT{};
  const POINT screen = Container->ClientToScreen(POINT{v->Left(), h->Top()});
  RECT window{};
  GetWindowRect(inner->Handle(), &window);
  return RectFromBounds(screen.x - window.left, screen.y - window.top, v->Width(), h->Height());
}

RECT GetInnerSizeGripRect(IcxContainerInnerControl* InnerControl)
{
  TcxContainer* container = InnerControl ? InnerControl->GetControlContainer() : nullptr;
  return container ? CalculateSizeGripRect(container) : RECT{};
}

void FillSizeGrip(TcxContainer* Container)
{
  const RECT r = CalculateSizeGripRect(Container);
  if (!IsRectEmpty(&r)) FillSizeGripArea(Container, Container->InnerControl()->Handle(), r);
}

void FillSizeGripArea(TcxContainer* Container, HWND Wnd, const RECT& R, HDC DC)
{
  if (!Container || IsRectEmpty(&R)) return;
  HDC dc = DC ? DC : GetWindowDC(Wnd);
  if (!dc) return;
  const TBrushHandle brush(CreateSolidBrush(ColorToRGB(Container->GetPainter()->FormContentColor())));
  FillRect(dc, &R, brush.Get());
  if (!DC) ReleaseDC(Wnd, dc);
}
