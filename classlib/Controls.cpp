// TControl, TGraphicControl, the control canvas and the mouse tracking shared by all controls.
#include "classlib/Controls.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

// ---------------------------------------------------------------------------------------------
// Helpers

TShiftState ShiftStateFromKeys(UINT keys)
{
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardShiftState()
{
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

int MouseDragThreshold() { return 5; }

namespace {
UINT SystemWheelScrollLines()
{
  UINT lines = 0;
  return SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) ? lines : 3;
}
TWheelScrollLinesFunc GWheelScrollLines = SystemWheelScrollLines;

char UpperAnsi(unsigned char c)
{
  char buffer[2] = {static_cast<char>(c), 0};
  CharUpperBuffA(buffer, 1);
  return buffer[0];
}
}  // namespace

TWheelScrollLinesFunc SetWheelScrollLinesFunc(TWheelScrollLinesFunc func)
{
  return std::exchange(GWheelScrollLines, func ? func : SystemWheelScrollLines);
}

UINT WheelScrollLinesSetting() { return GWheelScrollLines(); }

int MouseWheelScrollLines()
{
  const UINT lines = WheelScrollLinesSetting();
  return lines == WHEEL_PAGESCROLL ? WheelPageScroll : static_cast<int>(std::min<UINT>(lines, INT_MAX));
}

bool IsAccel(UINT ch, std::string_view caption)
{
  for (size_t i = 0; i < caption.size(); ++i) {
    const auto c = static_cast<unsigned char>(caption[i]);
    if (c == '&') {
      if (++i >= caption.size()) return false;
      const auto a = static_cast<unsigned char>(caption[i]);
      if (a == '&') continue;
      // A double-byte character is no key's accelerator.
      if (IsDBCSLeadByte(a)) return false;
      return ch <= 0xFF && UpperAnsi(a) == UpperAnsi(static_cast<unsigned char>(ch));
    }
    if (IsDBCSLeadByte(c)) ++i;
  }
  return false;
}

std::string GetShortHint(std::string_view hint)
{
  size_t bar = hint.find('|');
  return std::string(bar == std::string_view::npos ? hint : hint.substr(0, bar));
}

std::string GetLongHint(std::string_view hint)
{
  size_t bar = hint.find('|');
  return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

// ---------------------------------------------------------------------------------------------
// Mouse control and capture

namespace {
// Weak links: a control clears them when it is destroyed (TControl::BeforeDestruction).
TControl* GMouseControl = nullptr;
TControl* GCaptureControl = nullptr;

}  // namespace

TControl* MouseControl() { return GMouseControl; }

void SetMouseControl(TControl* control)
{
  if (control == GMouseControl) return;
  TControl* old = GMouseControl;
  GMouseControl = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  // The leave handler may have moved the mouse control on again; enter only if still ours.
  if (control && GMouseControl == control) control->Perform(CM_MOUSEENTER);
}

TControl* FindDragTarget(POINT screenPos, bool allowDisabled)
{
  HWND wnd = WindowFromPoint(screenPos);
  TWinControl* win = nullptr;
  // A window of ours, or the nearest of ours among its parents (a control's own child windows).
  for (HWND w = wnd; w && !win; w = GetParent(w)) win = FindControl(w);
  if (!win) return nullptr;
  POINT client = win->ScreenToClient(screenPos);
  if (TControl* child = win->ControlAtPos(client, allowDisabled)) return child;
  return win;
}

void UpdateMouseControl()
{
  POINT p;
  if (!GetCursorPos(&p)) return;
  TControl* target = nullptr;
  if (GCaptureControl)
    target = GCaptureControl;
  else
    target = FindDragTarget(p, false);
  SetMouseControl(target);
}

TControl* GetCaptureControl()
{
  HWND capture = GetCapture();
  if (!capture) {
    GCaptureControl = nullptr;
    return nullptr;
  }
  if (GCaptureControl && GCaptureControl->Parent() &&
      GCaptureControl->Parent()->HandleAllocated() && GCaptureControl->Parent()->Handle() == capture)
    return GCaptureControl;
  return FindControl(capture);
}

void SetCaptureControl(TControl* control)
{
  GCaptureControl = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  HWND target = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    target = win->Handle();
  } else if (control->Parent()) {
    GCaptureControl = control;
    target = control->Parent()->Handle();
  }
  // A window that has the capture already keeps it undisturbed (releasing it would cancel what the
  // window's own procedure tracks, a pressed button for one).
  if (GetCapture() != target) {
    ReleaseCapture();
    if (target) SetCapture(target);
  }
}

// ---------------------------------------------------------------------------------------------
// TControlCanvas

CL_DEFINE_CLASS(TControlCanvas);

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control)
{
  if (FControl == control) return;
  FreeHandle();
  FControl = control;
}

void TControlCanvas::FreeHandle()
{
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}

void TControlCanvas::CreateHandle()
{
  if (!FControl) return;
  // Outside a paint cycle: a device context of the control's window, or for a graphic control of
  // its parent's window, moved to the control's origin and clipped to its bounds.
  TWinControl* owner = dynamic_cast<TWinControl*>(FControl);
  bool graphic = owner == nullptr;
  if (graphic) owner = FControl->Parent();
  if (!owner) return;
  FWindowHandle = owner->Handle();
  FDeviceContext = GetDC(FWindowHandle);
  if (!FDeviceContext) RaiseLastOSError();
  if (graphic) {
    SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
    IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
  }
  SetHandle(FDeviceContext);
}

// ---------------------------------------------------------------------------------------------
// TSizeConstraints

namespace {
using TSC = TSizeConstraints;
constexpr TPropInfo SizeConstraintsProps[] = {
  IntProp<&TSC::MaxHeight, &TSC::SetMaxHeight>("MaxHeight", 0),
  IntProp<&TSC::MaxWidth, &TSC::SetMaxWidth>("MaxWidth", 0),
  IntProp<&TSC::MinHeight, &TSC::SetMinHeight>("MinHeight", 0),
  IntProp<&TSC::MinWidth, &TSC::SetMinWidth>("MinWidth", 0),
};

// Capped at the maximum first and then raised to the minimum, so a minimum
// above the maximum wins whatever size is asked for and asking again for the
// answer gives the same answer.
void ConstrainExtent(int& extent, int min, int max)
{
  if (max > 0 && extent > max) extent = max;
  if (min > 0 && extent < min) extent = min;
}
}  // namespace

CL_DEFINE_CLASS(TSizeConstraints, .Props = SizeConstraintsProps);

void TSizeConstraints::Constrain(int& width, int& height) const
{
  ConstrainExtent(width, FMinWidth, FMaxWidth);
  ConstrainExtent(height, FMinHeight, FMaxHeight);
}

void TSizeConstraints::Change(int& field, int value)
{
  value = std::max(value, 0);
  if (field == value) return;
  field = value;
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TSizeConstraints::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TSizeConstraints*>(source);
  if (!other) return TPersistent::Assign(source);
  FMinWidth = other->FMinWidth;
  FMaxWidth = other->FMaxWidth;
  FMinHeight = other->FMinHeight;
  FMaxHeight = other->FMaxHeight;
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

TPersistent* TSizeConstraints::GetOwner() const { return FControl; }

void TSizeConstraints::Scale(int m, int d)
{
  for (int* limit : {&FMinWidth, &FMaxWidth, &FMinHeight, &FMaxHeight})
    if (*limit > 0) *limit = MulDiv(*limit, m, d);
}

// ---------------------------------------------------------------------------------------------
// TControl

namespace {
constexpr std::string_view AlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient",
                                           "alCustom"};
}  // namespace
constexpr TEnumInfo AlignInfo = EnumInfo<TAlign::alCustom>("TAlign", AlignNames);
namespace {
constexpr std::string_view DragModeNames[] = {"dmManual", "dmAutomatic"};
constexpr std::string_view DragKindNames[] = {"dkDrag", "dkDock"};
}  // namespace
constexpr TEnumInfo DragModeInfo = EnumInfo<TDragMode::dmAutomatic>("TDragMode", DragModeNames);
constexpr TEnumInfo DragKindInfo = EnumInfo<TDragKind::dkDock>("TDragKind", DragKindNames);

namespace {
using TC = TControl;
constexpr std::string_view AnchorNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
constexpr TEnumInfo AnchorInfo = EnumInfo<TAnchorKind::akBottom>("TAnchorKind", AnchorNames);
constexpr std::string_view BiDiModeNames[] = {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                              "bdRightToLeftReadingOnly"};
constexpr TEnumInfo BiDiModeInfo = EnumInfo<TBiDiMode::bdRightToLeftReadingOnly>("TBiDiMode", BiDiModeNames);

constexpr TPropInfo ControlProps[] = {
  IntProp<&TC::Left, &TC::SetLeft>("Left"),
  IntProp<&TC::Top, &TC::SetTop>("Top"),
  Stored<&TC::IsWidthStored>(IntProp<&TC::Width, &TC::SetWidth>("Width")),
  Stored<&TC::IsHeightStored>(IntProp<&TC::Height, &TC::SetHeight>("Height")),
  EnumProp<&TC::Align, &TC::SetAlign>("Align", AlignInfo, 0),
  SetProp<&TC::Anchors, &TC::SetAnchors>("Anchors", AnchorInfo, TAnchors{akLeft, akTop}.ToInt()),
  PersistentProp<&TC::Constraints>("Constraints"),
  StrProp<&TC::Caption, &TC::SetCaption>("Caption"),
  // A colour or font taken from the parent is not stored: read back, it would cut the tie.
  Stored<&TC::IsColorStored>(ColorProp<&TC::Color, &TC::SetColor>("Color", clWindow)),
  BoolProp<&TC::ParentColor, &TC::SetParentColor>("ParentColor", true),
  Stored<&TC::IsFontStored>(PersistentProp<&TC::Font>("Font")),
  BoolProp<&TC::ParentFont, &TC::SetParentFont>("ParentFont", true),
  BoolProp<&TC::Enabled, &TC::SetEnabled>("Enabled", true),
  BoolProp<&TC::Visible, &TC::SetVisible>("Visible", true),
  StrProp<&TC::Hint, &TC::SetHint>("Hint"),
  BoolProp<&TC::ShowHint, &TC::SetShowHint>("ShowHint", false),
  BoolProp<&TC::ParentShowHint, &TC::SetParentShowHint>("ParentShowHint", true),
  EnumProp<&TC::BiDiMode, &TC::SetBiDiMode>("BiDiMode", BiDiModeInfo, 0),
  BoolProp<&TC::ParentBiDiMode, &TC::SetParentBiDiMode>("ParentBiDiMode", true),
  IntProp<&TC::Cursor, &TC::SetCursor>("Cursor", 0),
  ComponentProp<&TC::PopupMenu, &TC::SetPopupMenu>("PopupMenu"),
  ComponentProp<&TC::Action, &TC::SetAction>("Action"),
  EnumProp<&TC::DragKind, &TC::SetDragKind>("DragKind", DragKindInfo, 0),
  EventProp<&TC::OnClick, &TC::SetOnClick>("OnClick"),
  EventProp<&TC::OnDblClick, &TC::SetOnDblClick>("OnDblClick"),
  EventProp<&TC::OnMouseDown, &TC::SetOnMouseDown>("OnMouseDown"),
  EventProp<&TC::OnMouseMove, &TC::SetOnMouseMove>("OnMouseMove"),
  EventProp<&TC::OnMouseUp, &TC::SetOnMouseUp>("OnMouseUp"),
  EventProp<&TC::OnMouseEnter, &TC::SetOnMouseEnter>("OnMouseEnter"),
  EventProp<&TC::OnMouseLeave, &TC::SetOnMouseLeave>("OnMouseLeave"),
  EventProp<&TC::OnResize, &TC::SetOnResize>("OnResize"),
  EventProp<&TC::OnStartDock, &TC::SetOnStartDock>("OnStartDock"),
  EventProp<&TC::OnEndDock, &TC::SetOnEndDock>("OnEndDock"),
};
}  // namespace

CL_MESSAGE_MAP(TControl,
  {WM_LBUTTONDOWN, &TControl::WMLButtonDown},
  {WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk},
  {WM_LBUTTONUP, &TControl::WMLButtonUp},
  {WM_RBUTTONDOWN, &TControl::WMRButtonDown},
  {WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk},
  {WM_RBUTTONUP, &TControl::WMRButtonUp},
  {WM_MBUTTONDOWN, &TControl::WMMButtonDown},
  {WM_MBUTTONDBLCLK, &TControl::WMMButtonDblClk},
  {WM_MBUTTONUP, &TControl::WMMButtonUp},
  {WM_MOUSEMOVE, &TControl::WMMouseMove},
  {WM_CANCELMODE, &TControl::WMCancelMode},
  {CM_VISIBLECHANGED, &TControl::CMVisibleChanged},
  {CM_ENABLEDCHANGED, &TControl::CMEnabledChanged},
  {CM_FONTCHANGED, &TControl::CMFontChanged},
  {CM_COLORCHANGED, &TControl::CMColorChanged},
  {CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged},
  {CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged},
  {CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged},
  {CM_PARENTBIDIMODECHANGED, &TControl::CMParentBiDiModeChanged},
  {CM_TEXTCHANGED, &TControl::CMTextChanged},
  {CM_HITTEST, &TControl::CMHitTest},
  {CM_MOUSEENTER, &TControl::CMMouseEnter},
  {CM_MOUSELEAVE, &TControl::CMMouseLeave});
CL_DEFINE_CLASS(TControl, .Props = ControlProps);

TControl::TControl(TComponent* owner) : TComponent(owner)
{
  FWindowProc = [this](TMessage& msg) { WndProc(msg); };
  FControlStyle = {TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents,
                   TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  FFont = MakeOwned<TFont>();
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
  FConstraints = MakeOwned<TSizeConstraints>(this);
}

void TControl::BeforeDestruction()
{
  DragControlDestroying(this);
  if (GMouseControl == this) GMouseControl = nullptr;
  if (GCaptureControl == this) {
    GCaptureControl = nullptr;
    ReleaseCapture();
  }
  TComponent::BeforeDestruction();
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
  TMessage m{msg, wParam, lParam, 0};
  // A message that reaches the control without its window procedure (a graphic control's mouse
  // messages, reflected notifications, the library's own messages) is a call in progress too: a
  // control freed by it keeps its memory until the message is handled.
  TObjectCall call(this);
  FWindowProc(m);
  return m.Result;
}

void TControl::SetWindowProc(TWndMethod proc)
{
  FWindowProc = proc ? std::move(proc) : TWndMethod([this](TMessage& msg) { WndProc(msg); });
}

void TControl::WndProc(TMessage& msg)
{
  if (DragMessage(msg)) return;
  // A control without double clicks takes the second press of a button as a plain press.
  if (!FControlStyle.Contains(TControlStyleFlag::csDoubleClicks)) switch (msg.Msg) {
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK: msg.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
      default: break;
    }
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // A control that drags by itself turns the press into a drag instead of a click.
      if (FDragMode == dmAutomatic && !IsDesigning() && !Dragging()) {
        BeginDrag(false);
        return;
      }
      FControlState.Include(TControlStateFlag::csLButtonDown);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(TControlStateFlag::csLButtonDown);
      break;
    default:
      break;
  }
  Dispatch(msg);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos)
{
  bool handled = false;
  if (FOnMouseWheel) FOnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TControl::DoContextPopup(POINT mousePos, bool& handled)
{
  if (FOnContextPopup) FOnContextPopup(this, mousePos, handled);
}

void TControl::Dispatch(TMessage& msg)
{
  DispatchMessage(this, msg, &TControl::DefaultHandler);
}

void TControl::DefaultHandler(TMessage& msg)
{
  // A windowless control has no window procedure behind it; text requests answer from FText.
  switch (msg.Msg) {
    case WM_GETTEXTLENGTH:
      msg.Result = static_cast<LRESULT>(FText.size());
      break;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(msg.LParam);
      size_t n = std::min(FText.size(), msg.WParam ? static_cast<size_t>(msg.WParam) - 1 : 0);
      if (buf && msg.WParam) {
        FText.copy(buf, n);
        buf[n] = 0;
      }
      msg.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_SETTEXT:
      FText = msg.LParam ? reinterpret_cast<const char*>(msg.LParam) : "";
      Perform(CM_TEXTCHANGED);
      msg.Result = TRUE;
      break;
    default:
      break;
  }
}

void TControl::SetParent(TWinControl* parent)
{
  if (FParent == parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (auto* self = dynamic_cast<TWinControl*>(this); self && parent)
    for (TWinControl* p = parent; p; p = p->Parent())
      if (p == self) throw EInvalidOperation("A control cannot be the parent of its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent)
{
  if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

bool TControl::CanResize(int& newWidth, int& newHeight)
{
  (void)newWidth;
  (void)newHeight;
  return true;
}

void TControl::CheckNewSize(int& width, int& height)
{
  if (!CanResize(width, height)) {
    width = FWidth;
    height = FHeight;
  }
  FConstraints->Constrain(width, height);
  width = std::max(width, 0);
  height = std::max(height, 0);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
  CheckNewSize(width, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  bool resized = width != FWidth || height != FHeight;
  InvalidateControl(FVisible, false);
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (resized && !IsLoading()) Resize();
}

void TControl::ChangeScale(int m, int d)
{
  if (m == d || d == 0) return;
  FConstraints->Scale(m, d);
  if (!FParentFont) FFont->SetHeight(MulDiv(FFont->Height(), m, d));
  const int left = MulDiv(FLeft, m, d), top = MulDiv(FTop, m, d);
  SetBounds(left, top, MulDiv(FLeft + FWidth, m, d) - left, MulDiv(FTop + FHeight, m, d) - top);
}

RECT TControl::ClientRect() const { return RECT{0, 0, FWidth, FHeight}; }

int TControl::ClientWidth() const
{
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const
{
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
void TControl::SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

void TControl::SetClientSize(int width, int height)
{
  SetBounds(FLeft, FTop, FWidth - ClientWidth() + width, FHeight - ClientHeight() + height);
}

POINT TControl::ClientOrigin() const
{
  if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  POINT p = FParent->ClientOrigin();
  return POINT{p.x + FLeft, p.y + FTop};
}

POINT TControl::ClientToScreen(POINT p) const
{
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const
{
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetAlign(TAlign value)
{
  if (FAlign == value) return;
  TAlign old = FAlign;
  FAlign = value;
  // Controls that stop being aligned keep their current size as the base of their anchors.
  if (old != alNone && value == alNone) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value)
{
  SetAndNotify(FAnchors, value, [this] { UpdateAnchorRules(); });
}

void TControl::UpdateAnchorRules()
{
  // Moves made by the layout itself keep the rules.
  if (IsLoading() || !FParent || FParent->FAligning) return;
  FAnchorBounds = BoundsRect();
  RECT client = FParent->ClientRect();
  FAnchorParentSize = SIZE{client.right - client.left, client.bottom - client.top};
}

void TControl::RemoveFocus(bool removing)
{
  if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, removing);
}

void TControl::RequestAlign()
{
  if (FParent && !FParent->IsDestroying()) FParent->AlignChildren(this);
}

void TControl::SetVisible(bool value)
{
  SetAndNotify(FVisible, value, [&] {
    Perform(CM_VISIBLECHANGED, value);
    RequestAlign();
    NotifyHostDockSite(CM_VISIBLECHANGED);
  });
}

void TControl::SetEnabled(bool value)
{
  SetAndNotify(FEnabled, value, [this] { Perform(CM_ENABLEDCHANGED); });
}

bool TControl::IsVisible() const
{
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetColor(TColor value)
{
  if (FColor == value) {
    FParentColor = false;
    return;
  }
  FColor = value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
  SetAndNotify(FParentColor, value, [this, value] { if (value && FParent && !IsLoading()) Perform(CM_PARENTCOLORCHANGED); });
}

void TControl::SetFont(TFont* value) { FFont->Assign(value); }

void TControl::SetParentFont(bool value)
{
  SetAndNotify(FParentFont, value, [this, value] { if (value && FParent && !IsLoading()) Perform(CM_PARENTFONTCHANGED); });
}

void TControl::FontChanged(TObject*)
{
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetText(const std::string& value)
{
  if (GetText() == value) return;
  SetTextBuf(value);
  Perform(CM_TEXTCHANGED);
  NotifyHostDockSite(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool value)
{
  FParentShowHint = false;
  SetAndNotify(FShowHint, value, [this] {
    Perform(CM_SHOWHINTCHANGED);
    if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyControls(CM_PARENTSHOWHINTCHANGED);
  });
}

void TControl::SetParentShowHint(bool value)
{
  SetAndNotify(FParentShowHint, value, [this, value] { if (value && FParent && !IsLoading()) Perform(CM_PARENTSHOWHINTCHANGED); });
}

void TControl::SetBiDiMode(TBiDiMode value)
{
  FParentBiDiMode = false;
  SetAndNotify(FBiDiMode, value, [this] {
    Perform(CM_BIDIMODECHANGED);
    Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyControls(CM_PARENTBIDIMODECHANGED);
  });
}

void TControl::SetParentBiDiMode(bool value)
{
  SetAndNotify(FParentBiDiMode, value,
               [this, value] { if (value && FParent && !IsLoading()) Perform(CM_PARENTBIDIMODECHANGED); });
}

bool TControl::UseRightToLeftAlignment() const
{
  return SysLocale().MiddleEast && FBiDiMode == bdRightToLeft;
}

void TControl::CMParentBiDiModeChanged(TMessage&)
{
  if (FParentBiDiMode && FParent) {
    SetBiDiMode(FParent->FBiDiMode);
    FParentBiDiMode = true;
  }
}

void TControl::SetCursor(TCursor value)
{
  SetAndNotify(FCursor, value, [&] {
    Perform(CM_CURSORCHANGED);
    if (GMouseControl == this && Screen && Screen->Cursor() == crDefault && value != crDefault)
      ::SetCursor(Screen->Cursors(value));
  });
}

void TControl::SetPopupMenu(TComponent* value)
{
  if (FPopupMenu == value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
  if (!isVisible || !FParent || !FParent->HandleAllocated() || FParent->IsDestroying()) return;
  RECT r = BoundsRect();
  InvalidateRect(FParent->FHandle, &r, !isOpaque);
}

void TControl::Invalidate()
{
  InvalidateControl(FVisible, FControlStyle.Contains(TControlStyleFlag::csOpaque));
}

void TControl::Update()
{
  if (FParent) FParent->Update();
}

void TControl::Repaint()
{
  Invalidate();
  Update();
}

void TControl::SetZOrder(bool topMost)
{
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (topMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  Invalidate();
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
  if (value)
    SetCaptureControl(this);
  else if (MouseCapture())
    SetCaptureControl(nullptr);
}

TCustomForm* TControl::GetParentForm() const
{
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::Click()
{
  // A handler of the control's own runs; one that is the action's runs through the action (which
  // refuses while disabled).
  TBasicAction* action = Action();
  if (action && (!FOnClick || FOnClick == action->OnExecute()))
    FActionLink->Execute();
  else if (FOnClick)
    FOnClick(this);
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* value)
{
  if (Action() == value) return;
  if (!value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = NewActionLink();
  FActionLink->SetAction(value);
  ActionChange(value, IsLoading());
}

TOwned<TControlActionLink> TControl::NewActionLink() { return MakeOwned<TControlActionLink>(this); }

void TControl::InitiateAction()
{
  if (FActionLink) FActionLink->Update();
}

void TControl::ActionChange(TBasicAction* sender, bool checkDefaults)
{
  TActionValues v = TActionValues::Of(sender);
  if (!checkDefaults || Caption().empty()) SetCaption(v.Caption);
  if (!checkDefaults || Hint().empty()) SetHint(v.Hint);
  if (!checkDefaults || Enabled()) SetEnabled(v.Enabled);
  if (!checkDefaults || Visible()) SetVisible(v.Visible);
  if (!checkDefaults || !FOnClick) SetOnClick(v.OnExecute);
}

// ----- TControlActionLink ---------------------------------------------------------------------

CL_DEFINE_CLASS(TControlActionLink);

bool TControlActionLink::IsOnExecuteLinked() const
{
  return Action() && FClient->OnClick() == Action()->OnExecute();
}

void TControlActionLink::SetCaption(const std::string& value)
{
  if (CustomAction() && FClient->Caption() == CustomAction()->Caption()) FClient->SetCaption(value);
}

void TControlActionLink::SetHint(const std::string& value)
{
  if (CustomAction() && FClient->Hint() == CustomAction()->Hint()) FClient->SetHint(value);
}

void TControlActionLink::SetEnabled(bool value)
{
  if (CustomAction()) FClient->SetEnabled(value);
}

void TControlActionLink::SetVisible(bool value)
{
  if (CustomAction()) FClient->SetVisible(value);
}

void TControlActionLink::SetOnExecute(TNotifyEvent value)
{
  if (IsOnExecuteLinked()) FClient->SetOnClick(value);
}

void TControl::DblClick()
{
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::Resize()
{
  if (FOnResize) FOnResize(this);
}

void TControl::Loaded()
{
  TComponent::Loaded();
  if (FParent) {
    if (FParentColor) {
      FColor = FParent->FColor;
      Invalidate();
    }
    if (FParentFont) Perform(CM_PARENTFONTCHANGED);
    if (FParentShowHint) FShowHint = FParent->FShowHint;
    if (FParentBiDiMode) FBiDiMode = FParent->FBiDiMode;
  }
  UpdateAnchorRules();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TControl::DoMouseDown(TMessage& msg, TMouseButton button, TShiftState shift)
{
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents))
    MouseDown(button, ShiftStateFromKeys(msg.Keys()) + shift, msg.XPos(), msg.YPos());
}

void TControl::DoMouseUp(TMessage& msg, TMouseButton button)
{
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents))
    MouseUp(button, ShiftStateFromKeys(msg.Keys()), msg.XPos(), msg.YPos());
}

void TControl::WMLButtonDown(TMessage& msg)
{
  DefaultHandler(msg);
  if (FControlStyle.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(TControlStyleFlag::csClickEvents))
    FControlState.Include(TControlStateFlag::csClicked);
  DoMouseDown(msg, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& msg)
{
  DefaultHandler(msg);
  if (FControlStyle.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(TControlStyleFlag::csClickEvents)) DblClick();
  DoMouseDown(msg, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& msg)
{
  DefaultHandler(msg);
  if (FControlStyle.Contains(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(TControlStateFlag::csClicked)) {
    FControlState.Exclude(TControlStateFlag::csClicked);
    RECT r = ClientRect();
    POINT p = msg.Pos();
    // Click may free the control: it stays whole until this message is handled, but nothing after
    // the click needs it.
    if (PtInRect(&r, p)) {
      DoMouseUp(msg, mbLeft);
      Click();
      return;
    }
  }
  DoMouseUp(msg, mbLeft);
}

void TControl::WMRButtonDown(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseDown(msg, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseUp(msg, mbRight);
}

void TControl::WMMButtonDown(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseDown(msg, mbMiddle, {});
}

void TControl::WMRButtonDblClk(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseDown(msg, mbRight, {ssDouble});
}

void TControl::WMMButtonDblClk(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseDown(msg, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TMessage& msg)
{
  DefaultHandler(msg);
  DoMouseUp(msg, mbMiddle);
}

void TControl::WMMouseMove(TMessage& msg)
{
  DefaultHandler(msg);
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents))
    MouseMove(ShiftStateFromKeys(msg.Keys()), msg.XPos(), msg.YPos());
}

void TControl::WMCancelMode(TMessage& msg)
{
  DefaultHandler(msg);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(TControlStateFlag::csLButtonDown))
      Perform(WM_LBUTTONUP, 0, MAKELPARAM(0xFFFF, 0xFFFF));
  }
  FControlState.Exclude(TControlStateFlag::csLButtonDown);
}

void TControl::CMVisibleChanged(TMessage&)
{
  InvalidateControl(true, FVisible && FControlStyle.Contains(TControlStyleFlag::csOpaque));
}
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& msg)
{
  if (!FParentFont) return;
  if (msg.WParam)
    FFont->Assign(reinterpret_cast<TFont*>(msg.LParam));
  else if (FParent)
    FFont->Assign(FParent->Font());
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& msg)
{
  if (!FParentColor) return;
  if (msg.WParam)
    SetColor(static_cast<TColor>(msg.LParam));
  else if (FParent)
    SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
  if (FParentShowHint && FParent) {
    FShowHint = FParent->FShowHint;
    FParentShowHint = true;
  }
}

void TControl::CMTextChanged(TMessage&) { Invalidate(); }

void TControl::CMHitTest(TMessage& msg) { msg.Result = HTCLIENT; }

void TControl::NotifyParentOfMouse(const TMessage& msg)
{
  if (FParent) FParent->Perform(msg.Msg, 0, reinterpret_cast<LPARAM>(this));
}

namespace {
bool IsOwnMouseNotice(const TControl* control, const TMessage& msg)
{
  return msg.LParam == 0 || msg.LParam == reinterpret_cast<LPARAM>(control);
}
}  // namespace

void TControl::CMMouseEnter(TMessage& msg)
{
  const TWeakRef<TControl> self(this);
  NotifyParentOfMouse(msg);
  if (self && IsOwnMouseNotice(this, msg) && FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& msg)
{
  const TWeakRef<TControl> self(this);
  NotifyParentOfMouse(msg);
  if (self && IsOwnMouseNotice(this, msg) && FOnMouseLeave) FOnMouseLeave(this);
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

CL_MESSAGE_MAP(TGraphicControl, {WM_PAINT, &TGraphicControl::WMPaint});
CL_DEFINE_CLASS(TGraphicControl);

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(MakeOwned<TControlCanvas>())
{
  FCanvas->SetControl(this);
}

void TGraphicControl::WMPaint(TMessage& msg)
{
  // The parent's paint cycle hands its device context, already moved and clipped to the control.
  if (!msg.WParam) return;
  TCanvasDCScope scope(FCanvas.get(), reinterpret_cast<HDC>(msg.WParam));
  Paint();
}
