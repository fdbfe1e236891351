#include "toolkit/bars/dxBarToolbar.h"
#include <algorithm>
#include <functional>
#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphicsCanvas.h"

CL_DEFINE_CLASS(TdxBarDockedControl);

// The message table; the map must stay with the class definition.
CL_MESSAGE_MAP(TdxBarControl,
  {WM_NCCALCSIZE, &TdxBarControl::WMNCCalcSize},
  {WM_NCHITTEST, &TdxBarControl::WMNCHitTest},
  {WM_NCLBUTTONDOWN, &TdxBarControl::WMNCLButtonDown},
  // A second quick press on a caption button is a press again, not a double click.
  {WM_NCLBUTTONDBLCLK, &TdxBarControl::WMNCLButtonDown},
  {WM_GETMINMAXINFO, &TdxBarControl::WMGetMinMaxInfo},
  {WM_GETDLGCODE, &TdxBarControl::WMGetDlgCode},
  {WM_SIZE, &TdxBarControl::WMSize},
  {CM_ENABLEDCHANGED, &TdxBarControl::CMEnabledChanged},
  {CM_FONTCHANGED, &TdxBarControl::CMFontChanged},
  {WM_DESTROY, &TdxBarControl::WMDestroy},
  {WM_SETCURSOR, &TdxBarControl::WMSetCursor},
  {WM_MOUSEACTIVATE, &TdxBarControl::WMMouseActivate});
CL_DEFINE_CLASS(TdxBarControl);

namespace {
constexpr int MinTrackSize = 10;
constexpr int MaxTrackSize = 30000;
bool PtIn(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }
}  // namespace

// --- Window ---

void TdxBarControl::CreateParams(TCreateParams& params)
{
  TdxBarDockedControl::CreateParams(params);
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.ExStyle = 0;
  if (IsFloating()) {
    params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    TWinControl* owner = BarManager() ? BarManager()->GetOwnerControl() : nullptr;
    params.WndParent = owner ? owner->Handle() : nullptr;
  } else {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    TdxDockControl* dock = DockControl();
    params.WndParent = dock ? dock->Handle() : nullptr;
  }
}

void TdxBarControl::CreateWnd()
{
  TdxBarDockedControl::CreateWnd();
  SetWindowTextA(Handle(), GetBarCaption().c_str());
  SendMessageA(Handle(), WM_NCACTIVATE, 1, 0);
}

void TdxBarControl::ShowToolbar()
{
  HandleNeeded();
  ShowNoActivate();
}

void TdxBarControl::WndProc(TMessage& msg)
{
  // A toolbar keeps no focus of its own.
  if (msg.Msg == WM_SETFOCUS) return;
  TdxBarDockedControl::WndProc(msg);
}

void TdxBarControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  RECT client{};
  GetClientRect(Handle(), &client);
  if (button == mbLeft && !IsCustomizing() && !PtIn(client, POINT{x, y})) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT press = shift.Contains(TShiftStateFlag::ssDouble) ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN;
    SendMessageA(Handle(), press, static_cast<WPARAM>(FHitCode), MAKELPARAM(cursor.x, cursor.y));
    return;
  }
  TdxBarDockedControl::MouseDown(button, shift, x, y);
}

RECT TdxBarControl::GetBorderSizes() const
{
  RECT borders{};
  TdxBarPainter* painter = GetPainter();
  if (painter && GetBar()) painter->CalcBarBorderSize(GetBar(), DockingStyle(), borders, FSizeGripShown);
  return borders;
}

void TdxBarControl::WMNCCalcSize(TMessage& msg)
{
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam);
  FSizeGripShown = GetBar() && GetBar()->ShowsSizeGrip();
  const RECT borders = GetBorderSizes();
  RECT& r = params->rgrc[0];
  r.left += borders.left;
  r.top += borders.top;
  r.right = std::max(r.left, r.right - borders.right);
  r.bottom = std::max(r.top, r.bottom - borders.bottom);
  msg.Result = 0;
}

void TdxBarControl::WMGetMinMaxInfo(TMessage& msg)
{
  DefaultHandler(msg);
  auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
  info->ptMinTrackSize = POINT{MinTrackSize, MinTrackSize};
  info->ptMaxTrackSize = POINT{MaxTrackSize, MaxTrackSize};
  info->ptMaxSize = POINT{MaxTrackSize, MaxTrackSize};
  info->ptMaxPosition = POINT{MaxTrackSize, MaxTrackSize};
  msg.Result = 0;
}

void TdxBarControl::WMGetDlgCode(TMessage& msg) { msg.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

void TdxBarControl::WMSize(TMessage& msg)
{
  if (Destroying()) return;
  Inherited<TdxBarControl>(msg);
  CalcViewInfo();
}

void TdxBarControl::CMEnabledChanged(TMessage& msg)
{
  Inherited<TdxBarControl>(msg);
  if (!InternalChanging()) Repaint();
}

void TdxBarControl::CMFontChanged(TMessage& msg)
{
  if (HandleAllocated()) {
    CalcMetrics();
    if (!InternalChanging()) {
      HotTrackItemControl(nullptr);
      Repaint();
    }
  }
  Inherited<TdxBarControl>(msg);
}

// --- Hit test ---

void TdxBarControl::WMNCHitTest(TMessage& msg)
{
  DefaultHandler(msg);
  const POINT screen{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  RECT window{};
  GetWindowRect(Handle(), &window);
  const POINT inWindow{screen.x - window.left, screen.y - window.top};
  const POINT client = ScreenToClient(screen);
  TdxBarItemControl* control = nullptr;
  for (int i = 0; ItemLinks() && i < ItemLinks()->GetVisibleLinkCount() && !control; ++i) {
    TdxBarItemLink* link = ItemLinks()->GetVisibleLink(i);
    if (link->Control() && PtIn(link->ItemRect(), client)) control = link->Control();
  }
  const bool clickable = control && (IsCustomizing() || control->CanClick());
  TdxBarPainter* painter = GetPainter();
  const bool onClose = PtIn(GetCloseButtonRect(), inWindow);
  if (!IsFloating()) {
    DockedHitTest(msg, clickable, client);
    return;
  }
  if (msg.Result == HTCLIENT) {
    if (clickable || onClose) {
      FHitCode = dxBarHitNone;
    } else {
      FHitCode = dxBarHitDrag;
      msg.Result = HTCLIENT;
    }
    return;
  }
  if (!painter) {
    FHitCode = dxBarHitDrag;
    msg.Result = HTCLIENT;
    return;
  }
  // The frame strips of a floating bar size it; the caption drags it; the close button closes it.
  const int frameH = painter->GetFloatingFrameHeight();
  const int frameW = painter->GetFloatingFrameWidth();
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int code = 0;
  if (inWindow.y < frameH)
    code = HTTOP;
  else if (inWindow.x >= width - frameW)
    code = HTRIGHT;
  else if (inWindow.y >= height - frameH)
    code = HTBOTTOM;
  else if (inWindow.x < frameW)
    code = HTLEFT;
  if (code) {
    FHitCode = code;
    msg.Result = code;
  } else if (onClose) {
    if (painter->HasSizingBorder()) {
      FHitCode = dxBarHitClient;
      msg.Result = dxBarHitCloseButton;
    } else {
      FHitCode = dxBarHitCloseButton;
      msg.Result = HTCLIENT;
    }
  } else {
    FHitCode = dxBarHitDrag;
    msg.Result = HTCLIENT;
  }
}

void TdxBarControl::DockedHitTest(TMessage& msg, bool clickable, POINT client)
{
  if (msg.Result == HTCLIENT && clickable) {
    FHitCode = dxBarHitNone;
    return;
  }
  if (msg.Result != HTCLIENT && msg.Result != HTNOWHERE) {
    FHitCode = dxBarHitNone;
    return;
  }
  const RECT clientRect = ClientRect();
  const bool alongBar = IsVertical() ? client.y >= 0 : client.x >= 0;
  if (alongBar && PtIn(clientRect, client) && (clickable || (HasMark() && PtIn(GetMarkRect(), client)))) {
    FHitCode = dxBarHitNone;
    return;
  }
  if (FSizeGripShown && PtIn(GetSizeGripRect(), client)) {
    FHitCode = dxBarHitSizeGrip;
    msg.Result = HTBOTTOMRIGHT;
    return;
  }
  FHitCode = dxBarHitDrag;
  msg.Result = HTCLIENT;
}

RECT TdxBarControl::GetSizeGripRect() const
{
  TdxBarPainter* painter = GetPainter();
  if (!FSizeGripShown || !painter || !HandleAllocated()) return RECT{};
  const RECT client = ClientRect();
  const SIZE size = painter->GetSizeGripSize(BarManager());
  return RECT{client.right, client.bottom - size.cy, client.right + size.cx, client.bottom};
}

// --- The close button ---

bool TdxBarControl::HasCloseButton() const { return IsFloating() && GetBar() && GetBar()->CanClose(); }

bool TdxBarControl::HasGrip() const
{
  TdxBar* bar = GetBar();
  return bar && bar->CanDock();
}

bool TdxBarControl::IsMultiLine() const { return IsFloating() || (GetBar() && GetBar()->MultiLine()); }

RECT TdxBarControl::GetCloseButtonRect() const { return HasCloseButton() ? GetCaptionSlotRect(0) : RECT{}; }

int TdxBarControl::GetCaptionButtonAt(POINT windowPoint) const
{
  if (PtIn(GetCloseButtonRect(), windowPoint)) return dxBarCloseButtonIndex;
  return TdxBarDockedControl::GetCaptionButtonAt(windowPoint);
}

void TdxBarControl::SetCloseButtonState(int value)
{
  if (FCloseButtonState == value) return;
  FCloseButtonState = value;
  TdxBarPainter* painter = GetPainter();
  if (!painter || !HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  painter->DrawFloatingCloseButton(this, dc, value == 2, GetCloseButtonRect());
  ReleaseDC(Handle(), dc);
}

void TdxBarControl::TrackCaptionButtons(POINT windowPoint, bool pressed)
{
  TdxBarDockedControl::TrackCaptionButtons(windowPoint, pressed);
  if (!HasCloseButton()) return;
  if (PtIn(GetCloseButtonRect(), windowPoint))
    SetCloseButtonState(pressed ? 2 : 1);
  else
    SetCloseButtonState(pressed ? 1 : 0);
}

void TdxBarControl::ClickCaptionButton(int index)
{
  if (index != dxBarCloseButtonIndex) {
    TdxBarDockedControl::ClickCaptionButton(index);
    return;
  }
  TdxBar* bar = GetBar();
  TdxBarManager* manager = BarManager();
  if (!bar) return;
  bar->SetVisible(false);
  if (manager) {
    manager->NotifyModified();
    manager->DoBarClose(bar);
  }
}

void TdxBarControl::WMNCLButtonDown(TMessage& msg)
{
  CloseUp(TdxBarCloseReason::ClickElsewhere);
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT cursor{};
  GetCursorPos(&cursor);
  const int index = GetCaptionButtonAt(POINT{cursor.x - window.left, cursor.y - window.top});
  if (index == -1 && msg.WParam == dxBarHitDrag && !IsCustomizing()) {
    StartMove(msg.Msg == WM_NCLBUTTONDBLCLK);
    return;
  }
  if (index == -1) {
    Inherited<TdxBarControl>(msg);
    return;
  }
  TdxBarManager* manager = BarManager();
  if (manager && !manager->HideFloatingBarsWhenInactive())
    if (TWinControl* owner = manager->GetOwnerControl())
      if (owner->HandleAllocated()) SetActiveWindow(GetAncestor(owner->Handle(), GA_ROOT));
  TWeakRef<TdxBarControl> self(this);
  if (TrackCaptionButtonPress(index) && self) ClickCaptionButton(index);
}

bool TdxBarControl::TrackCaptionButtonPress(int index)
{
  HWND wnd = Handle();
  auto windowPoint = [wnd] {
    RECT window{};
    GetWindowRect(wnd, &window);
    POINT cursor{};
    GetCursorPos(&cursor);
    return POINT{cursor.x - window.left, cursor.y - window.top};
  };
  TWeakRef<TdxBarControl> self(this);
  // Restores the capture and the button states however the loop ends.
  struct TEnd {
    TWeakRef<TdxBarControl>& Self;
    HWND Wnd;
    std::function<POINT()> Point;
    ~TEnd()
    {
      if (GetCapture() == Wnd) ReleaseCapture();
      if (Self) Self->TrackCaptionButtons(Point(), false);
    }
  } end{self, wnd, windowPoint};
  TrackCaptionButtons(windowPoint(), true);
  SetCapture(wnd);
  bool clicked = false;
  MSG m{};
  while (self && GetCapture() == wnd) {
    const BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE && m.hwnd == wnd) {
      TrackCaptionButtons(windowPoint(), true);
    } else if (m.message == WM_LBUTTONUP) {
      clicked = GetCaptionButtonAt(windowPoint()) == index;
      break;
    } else {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  return clicked && self;
}

// --- Answers ---

std::string TdxBarControl::GetBarCaption() const { return GetBar() ? GetBar()->Caption() : std::string(); }

void TdxBarControl::UpdateCaption()
{
  if (!HandleAllocated()) return;
  SetWindowTextA(Handle(), GetBarCaption().c_str());
  SendMessageA(Handle(), WM_NCPAINT, 1, 0);
}

TBitmap* TdxBarControl::GetBackgroundBitmap() const { return GetBar() ? GetBar()->BackgroundBitmap() : nullptr; }

int TdxBarControl::GetBeginGroupSize() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetBarBeginGroupSize() : 0;
}

bool TdxBarControl::IsMainMenu() const { return GetBar() && GetBar()->IsMainMenu(); }
bool TdxBarControl::IsStatusBar() const { return GetBar() && GetBar()->IsStatusBarLike(); }

TFont* TdxBarControl::GetFont() const
{
  TdxBar* bar = GetBar();
  if (bar && bar->UseOwnFont()) return bar->Font();
  return BarManager() ? BarManager()->Font() : TdxBarDockedControl::GetFont();
}

void TdxBarControl::UpdateFont()
{
  if (TFont* font = GetFont()) Font()->Assign(font);
}

void TdxBarControl::InvalidateItemControl(TdxBarItemControl* control)
{
  if (!HandleAllocated() || !control) return;
  const RECT r = GetItemControlRect(control);
  InvalidateRect(Handle(), &r, FALSE);
}

void TdxBarControl::FillBackground(HDC dc, const RECT& rect)
{
  TdxBarPainter* painter = GetPainter();
  if (painter)
    painter->FillBarControlBackground(this, dc, GetBackgroundBrush(), clDefault, rect, rect);
  else
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void TdxBarControl::DismissControl()
{
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool TdxBarControl::IsVertical() const
{
  return DockingStyle() == TdxBarDockingStyle::dsLeft || DockingStyle() == TdxBarDockingStyle::dsRight;
}

bool TdxBarControl::IsRotated() const { return IsVertical() && GetBar() && GetBar()->RotateWhenVertical(); }

bool TdxBarControl::HasNonClientFrame() const
{
  if (Destroying() || !HandleAllocated()) return false;
  auto* self = const_cast<TdxBarControl*>(this);
  RECT window{}, client{};
  GetWindowRect(self->Handle(), &window);
  GetClientRect(self->Handle(), &client);
  return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}
