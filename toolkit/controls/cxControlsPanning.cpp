#include "toolkit/controls/cxControlsPanning.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"

TcxPanningMotion cxPanningMotion(POINT Anchor, POINT P, int ZoneWidth, bool HorizontalBar, bool VerticalBar)
{
  RECT zone{Anchor.x - ZoneWidth / 2, Anchor.y - ZoneWidth / 2, 0, 0};
  zone.right = zone.left + ZoneWidth;
  zone.bottom = zone.top + ZoneWidth;
  if (!HorizontalBar) {
    zone.left = INT_MIN / 2;
    zone.right = INT_MAX / 2;
  }
  if (!VerticalBar) {
    zone.top = INT_MIN / 2;
    zone.bottom = INT_MAX / 2;
  }
  if (PtInRect(&zone, P)) return {};
  const int dx = P.x - Anchor.x, dy = P.y - Anchor.y;
  const bool horizontal = !HorizontalBar ? false : !VerticalBar ? true : std::abs(dx) > std::abs(dy);
  const int distance = std::abs(horizontal ? dx : dy);
  TcxPanningMotion motion;
  motion.Direction = horizontal ? (dx < 0 ? dirLeft : dirRight) : (dy < 0 ? dirUp : dirDown);
  motion.Speed = std::clamp((distance - ZoneWidth / 2) / 5 + 1, 1, cxPanningMaxSpeed);
  return motion;
}

TCursor cxPanningCursor(TcxDirection Direction, bool HorizontalBar, bool VerticalBar)
{
  switch (Direction) {
    case dirLeft: return crcxLeftScroll;
    case dirRight: return crcxRightScroll;
    case dirUp: return crcxUpScroll;
    case dirDown: return crcxDownScroll;
    default: break;
  }
  if (HorizontalBar && VerticalBar) return crcxFullScroll;
  return HorizontalBar ? crcxHorScroll : crcxVerScroll;
}

bool TcxPanningTicker::Tick(int Speed)
{
  if (Speed <= 0) {
    FTicks = 0;
    return false;
  }
  if (++FTicks < cxPanningMaxSpeed + 1 - Speed) return false;
  FTicks = 0;
  return true;
}

namespace {
// What one panning holds while it runs: the anchor window, the timer and the mouse capture, given
// back on every way out.
class TPanningSession {
public:
  TPanningSession(HWND Control, HBITMAP Picture, POINT Anchor) : FControl(Control)
  {
    BITMAP info{};
    GetObjectA(Picture, sizeof info, &info);
    FSize = SIZE{info.bmWidth, info.bmHeight};
    FAnchorWindow = CreateWindowExA(WS_EX_TOPMOST, "STATIC", nullptr, WS_POPUP, Anchor.x - FSize.cx / 2,
                                    Anchor.y - FSize.cy / 2, FSize.cx, FSize.cy, Control, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    if (!FAnchorWindow) RaiseLastOSError();
    // The window takes the region over.
    SetWindowRgn(FAnchorWindow, CreateEllipticRgn(0, 0, FSize.cx + 1, FSize.cy + 1), FALSE);
    ShowWindow(FAnchorWindow, SW_SHOWNOACTIVATE);
    UpdateWindow(FAnchorWindow);
    DrawAnchor(Picture);
    FTimer = SetTimer(nullptr, 0, cxPanningTimerInterval, nullptr);
    SetCapture(Control);
  }
  ~TPanningSession()
  {
    if (GetCapture() == FControl) ReleaseCapture();
    if (FTimer) KillTimer(nullptr, FTimer);
    if (IsWindow(FAnchorWindow)) DestroyWindow(FAnchorWindow);
  }
  TPanningSession(const TPanningSession&) = delete;
  TPanningSession& operator=(const TPanningSession&) = delete;

  HWND AnchorWindow() const { return FAnchorWindow; }
  UINT_PTR Timer() const { return FTimer; }
  int Width() const { return FSize.cx; }

private:
  void DrawAnchor(HBITMAP Picture)
  {
    HDC dc = GetDC(FAnchorWindow);
    if (!dc) return;
    {
      TDCHandle memory(CreateCompatibleDC(dc));
      TSelectObject select(memory.Get(), Picture);
      BitBlt(dc, 0, 0, FSize.cx, FSize.cy, memory.Get(), 0, 0, SRCCOPY);
    }
    TRegionHandle rim(CreateEllipticRgn(0, 0, FSize.cx + 1, FSize.cy + 1));
    FrameRgn(dc, rim.Get(), GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
    ReleaseDC(FAnchorWindow, dc);
  }

  HWND FControl;
  SIZE FSize{};
  HWND FAnchorWindow = nullptr;
  UINT_PTR FTimer = 0;
};

void ShowPanningCursor(TCursor cursor)
{
  if (Screen) ::SetCursor(Screen->Cursors(cursor));
}
}  // namespace

void TcxControl::PanContent()
{
  const bool horizontal = IsHScrollBarVisible(), vertical = IsVScrollBarVisible();
  if ((!horizontal && !vertical) || !HandleAllocated()) return;
  const POINT anchor = ReadCursorPos();
  const char* pictureName = horizontal && vertical ? "CX_FULLSCROLLBITMAP"
                            : vertical             ? "CX_VERSCROLLBITMAP"
                                                   : "CX_HORSCROLLBITMAP";
  TBitmapHandle picture(LoadBitmapA(cxControlsModule(), pictureName));
  if (!picture) return;
  const HWND window = Handle();
  TPanningSession session(window, picture.Get(), anchor);

  TCursor cursor = cxPanningCursor(dirNone, horizontal, vertical);
  ShowPanningCursor(cursor);
  TcxPanningMotion motion;
  TcxPanningTicker ticker;
  POINT last = anchor;
  bool movedOut = false;
  const TWeakRef<TcxControl> self(this);
  while (self && GetCapture() == window) {
    MSG msg{};
    // A WM_QUIT ends panning; the loop step posts it again for the loops outside.
    if (GetMessageA(&msg, nullptr, 0, 0) < 0) break;
    if (msg.message == WM_QUIT) {
      Application->HandleLoopMessage(msg);
      break;
    }
    if (msg.message == WM_PAINT && msg.hwnd == session.AnchorWindow()) {
      ValidateRect(msg.hwnd, nullptr);
      continue;
    }
    // Another button or the wheel ends panning; the message is dropped.
    if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSEWHEEL && msg.message != WM_MBUTTONUP) break;
    bool done = false;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        done = msg.wParam == VK_ESCAPE;
        break;
      case WM_TIMER:
        if (!msg.hwnd && msg.wParam == session.Timer() && ticker.Tick(motion.Speed)) {
          ScrollByWheel(motion.Direction);
          if (!self) return;
        }
        break;
      case WM_MOUSEMOVE: {
        // The window has the capture: every move comes to it, in its client coordinates.
        POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        if (msg.hwnd != window || !::ClientToScreen(window, &at) || (at.x == last.x && at.y == last.y)) break;
        last = at;
        motion = cxPanningMotion(anchor, at, session.Width(), horizontal, vertical);
        if (motion.Direction != dirNone) movedOut = true;
        cursor = cxPanningCursor(motion.Direction, horizontal, vertical);
        ShowPanningCursor(cursor);
        break;
      }
      case WM_MBUTTONUP:
        // A middle click without movement leaves panning on.
        done = movedOut;
        break;
      default:
        break;
    }
    // Escape ends panning and goes nowhere else (it would reach the form's dialog keys).
    if (done && msg.wParam == VK_ESCAPE && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)) break;
    Application->HandleLoopMessage(msg);
    if (done || !self) break;
    if (msg.message == WM_MOUSEMOVE) ShowPanningCursor(cursor);
  }
}
