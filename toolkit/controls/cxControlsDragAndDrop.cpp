#include "toolkit/controls/cxControlsDragAndDrop.h"

#include "classlib/Controls.h"

int WaitForDragStart(HWND wnd, POINT p)
{
  const int threshold = MouseDragThreshold();
  const RECT square{p.x - threshold, p.y - threshold, p.x + threshold, p.y + threshold};
  SetCapture(wnd);
  int result = cxDragStartCancelled;
  while (GetCapture() == wnd) {
    MSG msg{};
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    if (got <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == wnd) {
      POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ClientToScreen(wnd, &at);
      if (!PtInRect(&square, at)) {
        result = cxDragStartMoved;
        break;
      }
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP) {
      result = cxDragStartReleased;
      break;
    }
  }
  if (GetCapture() == wnd) ReleaseCapture();
  return result;
}
