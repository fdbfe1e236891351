#include "toolkit/controls/cxControlsPopupWindow.h"

#include <algorithm>
#include "classlib/Application.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/controls/cxControlsHelpers.h"

// --- Popup window ---

namespace {

struct TPopupAnchor {
  POINT Position;
  POINT Reference;  // the point whose monitor's work area applies
};

// Steps 2 and 3 of the placement: where the popup goes for the placements given.
TPopupAnchor PlacePopup(const RECT& o, SIZE size, TcxPopupOpenDirection direction, TcxPopupHorzPlacement horz,
                        TcxPopupVertPlacement vert)
{
  TPopupAnchor a{};
  if (horz == phpCenter) a.Position.x = a.Reference.x = (o.left + o.right - size.cx) / 2;
  if (vert == pvpCenter) a.Position.y = a.Reference.y = (o.top + o.bottom - size.cy) / 2;
  const bool vertical = direction == podVertical;
  if (horz == phpLeft) {
    a.Position.x = vertical ? o.left : o.left - size.cx;
    a.Reference.x = o.left;
  } else if (horz == phpRight) {
    a.Position.x = vertical ? o.right - size.cx : o.right;
    a.Reference.x = o.right;
  }
  if (vert == pvpTop) {
    a.Position.y = vertical ? o.top - size.cy : o.top;
    a.Reference.y = o.top;
  } else if (vert == pvpBottom) {
    a.Position.y = vertical ? o.bottom : o.bottom - size.cy;
    a.Reference.y = o.bottom;
  }
  return a;
}

// Moves a coordinate of an extent into [low, high) from the high end first, so that the low edge
// wins for an extent larger than the range.
int ClampInto(int value, int extent, int low, int high)
{
  if (value + extent > high) value = high - extent;
  if (value < low) value = low;
  return value;
}

}  // namespace

POINT CalculatePopupPosition(const RECT& o, SIZE size, TcxPopupOpenDirection direction,
                             TcxPopupHorzPlacement horz, TcxPopupVertPlacement vert)
{
  TPopupAnchor a = PlacePopup(o, size, direction, horz, vert);
  const RECT wa = GetDesktopWorkArea(a.Reference);
  const int roomLeft = o.left - wa.left, roomRight = wa.right - o.right;
  const int roomAbove = o.top - wa.top, roomBelow = wa.bottom - o.bottom;
  bool flipped = false;
  if (direction == podHorizontal) {
    if (horz == phpLeft && a.Position.x < wa.left && roomLeft <= roomRight) {
      horz = phpRight;
      flipped = true;
    } else if (horz == phpRight && a.Position.x + size.cx > wa.right && roomLeft > roomRight) {
      horz = phpLeft;
      flipped = true;
    }
  } else {
    if (vert == pvpTop && a.Position.y < wa.top && roomAbove <= roomBelow) {
      vert = pvpBottom;
      flipped = true;
    } else if (vert == pvpBottom && a.Position.y + size.cy > wa.bottom && roomAbove > roomBelow) {
      vert = pvpTop;
      flipped = true;
    }
  }
  if (flipped) a.Position = PlacePopup(o, size, direction, horz, vert).Position;
  if (direction == podVertical || horz == phpCenter)
    a.Position.x = ClampInto(a.Position.x, size.cx, wa.left, wa.right);
  if (direction == podHorizontal || vert == pvpCenter)
    a.Position.y = ClampInto(a.Position.y, size.cy, wa.top, wa.bottom);
  return a.Position;
}

CL_MESSAGE_MAP(TcxPopupWindow,
  {WM_ACTIVATE, &TcxPopupWindow::WMActivate},
  {WM_ACTIVATEAPP, &TcxPopupWindow::WMActivateApp},
  {CM_VISIBLECHANGED, &TcxPopupWindow::CMVisibleChanged});
CL_DEFINE_CLASS(TcxPopupWindow);

TcxPopupWindow::TcxPopupWindow(TComponent* owner) : TForm(owner, CreateNew)
{
  FcxCanvas = MakeOwned<TcxCanvas>(Canvas());
  SetBorderStyle(TFormBorderStyle::bsNone);
  // The popup opens where its owner is, whatever monitor the active form is on.
  SetDefaultMonitor(TDefaultMonitor::dmDesktop);
  SetFormStyle(TFormStyle::fsStayOnTop);
}

TcxPopupWindow::~TcxPopupWindow() = default;

void TcxPopupWindow::SetOwnerParentControl(TControl* value)
{
  if (FOwnerParentControl == value) return;
  if (FOwnerParentControl) FOwnerParentControl->RemoveFreeNotification(this);
  FOwnerParentControl = value;
  if (value) value->FreeNotification(this);
}

void TcxPopupWindow::Notification(TComponent* component, TOperation operation)
{
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FOwnerParentControl) FOwnerParentControl = nullptr;
}

void TcxPopupWindow::Popup()
{
  TakeOwnerFont();
  CalculateSize();
  POINT p = CalculatePosition();
  SetBounds(p.x, p.y, Width(), Height());
  Show();
}

void TcxPopupWindow::CloseUp() { Hide(); }

POINT TcxPopupWindow::CalculatePosition()
{
  return CalculatePopupPosition(GetOwnerScreenBounds(), SIZE{Width(), Height()}, FOpenDirection, FHorzPlacement,
                                FVertPlacement);
}

void TcxPopupWindow::CalculateSize()
{
  if (!FAutoSizeToControls) return;
  int right = 0, bottom = 0;
  const int count = ControlCount();
  const int dx = GetFrameOffset(psLeft), dy = GetFrameOffset(psTop);
  for (int i = 0; i < count; ++i) {
    TControl* control = Controls(i);
    right = std::max(right, control->Left() + control->Width());
    bottom = std::max(bottom, control->Top() + control->Height());
    control->SetBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
  }
  if (right > 0 || count > 0) SetWidth(dx + right + GetFrameOffset(psRight));
  if (bottom > 0 || count > 0) SetHeight(dy + bottom + GetFrameOffset(psBottom));
}

int TcxPopupWindow::GetFrameWidth(TcxPopupSide)
{
  switch (FFrameStyle) {
    case pfsSingle:
    case pfsFlat: return 1;
    case pfs3D: return 2;
    default: return 0;
  }
}

int TcxPopupWindow::GetFrameOffset(TcxPopupSide side) { return GetFrameWidth(side) + FFrameSpacing; }

RECT TcxPopupWindow::GetFrameClientRect()
{
  RECT r = ClientRect();
  r.left += GetFrameOffset(psLeft);
  r.top += GetFrameOffset(psTop);
  r.right -= GetFrameOffset(psRight);
  r.bottom -= GetFrameOffset(psBottom);
  return r;
}

RECT TcxPopupWindow::GetOwnerScreenBounds()
{
  if (!FOwnerParentControl) return FOwnerRect;
  POINT topLeft = FOwnerParentControl->ClientToScreen(POINT{FOwnerRect.left, FOwnerRect.top});
  POINT bottomRight = FOwnerParentControl->ClientToScreen(POINT{FOwnerRect.right, FOwnerRect.bottom});
  return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void TcxPopupWindow::TakeOwnerFont()
{
  if (FOwnerParentControl) Font()->Assign(FOwnerParentControl->Font());
}

void TcxPopupWindow::SetFrameStyle(TcxPopupFrameStyle value)
{
  const int dx = GetFrameOffset(psLeft), dy = GetFrameOffset(psTop);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    control->SetBounds(control->Left() - dx, control->Top() - dy, control->Width(), control->Height());
  }
  FFrameStyle = value;
}

void TcxPopupWindow::DrawFrame()
{
  const RECT r{0, 0, Width(), Height()};
  switch (FFrameStyle) {
    case pfsSingle: FcxCanvas->DrawFrameRect(r, FFrameLineColor); break;
    case pfsFlat: FcxCanvas->DrawBevelEdge(r, false, false); break;
    case pfs3D: {
      FcxCanvas->DrawBevelEdge(r, false, true);
      RECT inner = r;
      InflateRect(&inner, -1, -1);
      FcxCanvas->DrawBevelEdge(inner, false, false);
      break;
    }
    default: break;
  }
}

void TcxPopupWindow::Paint()
{
  inherited::Paint();
  DrawFrame();
}

void TcxPopupWindow::Deactivate()
{
  inherited::Deactivate();
  CloseUp();
}

void TcxPopupWindow::WMActivate(TMessage& msg)
{
  if (LOWORD(msg.WParam) != WA_INACTIVE) {
    FPrevActiveWindow = reinterpret_cast<HWND>(msg.LParam);
    // The window the popup opened from keeps its active caption.
    if (FPrevActiveWindow) SendMessageA(FPrevActiveWindow, WM_NCACTIVATE, TRUE, 0);
  }
  Inherited<TcxPopupWindow>(msg);
}

void TcxPopupWindow::WMActivateApp(TMessage& msg)
{
  Inherited<TcxPopupWindow>(msg);
  if (msg.WParam) return;
  if (FPrevActiveWindow && IsWindow(FPrevActiveWindow)) SendMessageA(FPrevActiveWindow, WM_NCACTIVATE, FALSE, 0);
  CloseUp();
}

void TcxPopupWindow::CMVisibleChanged(TMessage& msg)
{
  Inherited<TcxPopupWindow>(msg);
  VisibleChanged();
}

// --- Hint window ---

namespace {

TcxTooltipAnimationSettings SystemTooltipAnimation()
{
  BOOL animation = FALSE, fade = FALSE;
  SystemParametersInfoA(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  SystemParametersInfoA(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return {animation != FALSE, fade != FALSE};
}

}  // namespace

TcxReadTooltipAnimationFunc cxReadTooltipAnimation = SystemTooltipAnimation;
TcxAnimateWindowFunc cxAnimateWindow = AnimateWindow;
TcxTickCountFunc cxHintTickCount = GetTickCount;

BYTE cxEffectiveHintAnimation(BYTE kind, const TcxTooltipAnimationSettings& settings)
{
  if (kind >= cxhakNone || !settings.Animation) return cxhakNone;
  if (kind == cxhakSystemDefault) return settings.Fade ? cxhakFade : cxhakSlideTopToBottom;
  return kind;
}

DWORD cxHintAnimationFlags(BYTE kind)
{
  static constexpr DWORD flags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE,
                                    AW_CENTER,       AW_HIDE,         AW_ACTIVATE,     AW_BLEND};
  return kind < std::size(flags) ? flags[kind] | AW_SLIDE : 0;
}

CL_MESSAGE_MAP(TcxBaseHintWindow,
  {WM_ERASEBKGND, &TcxBaseHintWindow::WMEraseBkgnd},
  {CM_TEXTCHANGED, &TcxBaseHintWindow::CMTextChanged});
CL_DEFINE_CLASS(TcxBaseHintWindow);

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* owner) : THintWindow(owner)
{
  FcxCanvas = MakeOwned<TcxCanvas>(Canvas());
}

TcxBaseHintWindow::~TcxBaseHintWindow() = default;

void TcxBaseHintWindow::CreateParams(TCreateParams& params)
{
  inherited::CreateParams(params);
  if (FStandardMode) return;
  if (!FBordered) params.Style &= ~WS_BORDER;
  params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::SetBounds(int left, int top, int width, int height)
{
  const RECT area = GetDesktopWorkArea(POINT{left, top});
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  inherited::SetBounds(left, top, width, height);
}

void TcxBaseHintWindow::FitBoundsToDesktop(RECT& r) { MakeRectVisibleOnDesktop(r, ReadCursorPos()); }

void TcxBaseHintWindow::RemoveWindowShape()
{
  if (!HandleAllocated()) return;
  TOwned<TcxRegion> region = MakeOwned<TcxRegion>();
  if (GetWindowRgn(FHandle, region->Handle()) != ERROR) SetWindowRgn(FHandle, nullptr, TRUE);
}

void TcxBaseHintWindow::SetHintArea(const RECT& r, bool flag)
{
  FHintArea = r;
  FHintAreaFlag = flag;
}

void TcxBaseHintWindow::ShowNoActivate()
{
  SetDoubleBuffered(HasWindowShadow());
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  if (HasWindowShadow() && FIsAnimating)
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  else
    Invalidate();
}

void TcxBaseHintWindow::ActivateHint(RECT rect, const std::string& hint)
{
  if (!HasMonitorAtPoint(POINT{rect.left, rect.top})) return;
  if (FStandardMode) {
    inherited::ActivateHint(rect, hint);
    return;
  }
  FSettingText = true;
  try {
    SetCaption(hint);
    FitBoundsToDesktop(rect);
    SetBoundsRect(rect);
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
    AnimateShow(hint);
    ShowNoActivate();
    FHintArea = RECT{};
  } catch (...) {
    FLastActivateTick = cxHintTickCount();
    FHasActivated = true;
    FSettingText = false;
    throw;
  }
  FLastActivateTick = cxHintTickCount();
  FHasActivated = true;
  FSettingText = false;
}

void TcxBaseHintWindow::AnimateShow(const std::string& hint)
{
  FIsAnimating = false;
  const bool mayAnimate = (!FHasActivated || cxHintTickCount() - FLastActivateTick >= cxHintAnimationMinInterval) &&
                          hint.size() < cxHintAnimationMaxTextLength && cxAnimateWindow;
  const BYTE kind = mayAnimate ? cxEffectiveHintAnimation(FAnimationKind, cxReadTooltipAnimation()) : cxhakNone;
  if (kind == cxhakNone) {
    if (WinXPOrLater && HasWindowShadow()) ApplyWindowShape();
    return;
  }
  if (WinXPOrLater && HasWindowShadow())
    ApplyWindowShape();
  else
    RemoveWindowShape();
  cxAnimateWindow(Handle(), FAnimationTime, cxHintAnimationFlags(kind));
  FIsAnimating = true;
  if (!WinXPOrLater && HasWindowShadow()) ApplyWindowShape();
}

void TcxBaseHintWindow::WMEraseBkgnd(TMessage& msg)
{
  if (FStandardMode || FForceErase)
    Inherited<TcxBaseHintWindow>(msg);
  else
    msg.Result = 1;
}

void TcxBaseHintWindow::CMTextChanged(TMessage& msg)
{
  if (!FSettingText) Inherited<TcxBaseHintWindow>(msg);
}

// --- Hint functions ---

namespace {

// The hint window is of the info's class (else HintWindowClass): a missing window or one of
// another class is replaced.
void EnsureHintWindowClass(THintWindow*& window, const THintInfo& info)
{
  TClass windowClass = info.HintWindowClass ? info.HintWindowClass : HintWindowClass;
  if (window && window->ClassType() == windowClass) return;
  if (window) {
    THintWindow* old = window;
    window = nullptr;
    Free(old);
  }
  window = NewHintWindow(windowClass, nullptr);
  window->SetColor(info.HintColor);
}

int WidestTextLine(THintWindow* window, const std::string& text)
{
  int widest = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    widest = std::max(widest, window->Canvas()->TextWidth(line));
    start = end + 1;
  }
  return widest;
}

}  // namespace

bool PrepareHintInfo(THintInfo& info, THintWindow*& window, TControl* control, int hideTimeout, void* hintData,
                     RECT& rect, const std::string& text)
{
  info = THintInfo{};
  info.HintControl = control;
  info.HintWindowClass = window ? window->ClassType() : nullptr;
  info.HintPos = POINT{rect.left, rect.top};
  info.HintMaxWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
  info.HintColor = Application ? Application->HintColor() : clInfoBk;
  info.ReshowTimeout = 0;
  info.HideTimeout = hideTimeout > 0 ? hideTimeout : (Application ? Application->HintHidePause() : 2500);
  info.HintStr = text;
  info.HintData = hintData;
  if (control) {
    info.CursorPos = control->ScreenToClient(ReadCursorPos());
    info.CursorRect = RECT{0, 0, control->Width(), control->Height()};
  }
  bool canShow = true;
  if (Application && Application->OnShowHint()) Application->OnShowHint()(info.HintStr, canShow, info);
  if (canShow && !info.HintStr.empty()) {
    EnsureHintWindowClass(window, info);
    if (control) window->SetBiDiMode(control->BiDiMode());
    rect = window->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&rect, info.HintPos.x, info.HintPos.y);
    if (window->UseRightToLeftAlignment()) {
      const int shift = WidestTextLine(window, info.HintStr) + 5;
      rect.left -= shift;
      rect.right -= shift;
    }
  }
  return canShow;
}

void ShowHintWindowAt(THintWindow* window, const RECT& rect, const std::string& text)
{
  if (!window || !HasMonitorAtPoint(POINT{rect.left, rect.top})) return;
  if (window->HandleAllocated()) {
    ShowWindow(window->Handle(), SW_HIDE);
    // Hint windows belong to the application's window; one that was moved elsewhere is made anew.
    HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrA(window->Handle(), GWLP_HWNDPARENT));
    if (Application && owner != Application->Handle()) window->ReleaseHandle();
  }
  window->ActivateHint(rect, text);
}
