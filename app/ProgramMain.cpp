// Program entry: a window with the application's caption read from the string table.
#include <windows.h>
#include "../resources/resource_ids.h"

static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_DESTROY) { PostQuitMessage(0); return 0; }
  return DefWindowProcA(h, msg, w, l);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show)
{
  char title[256] = {};
  LoadStringA(inst, IDS_APP_TITLE, title, sizeof title);
  WNDCLASSA wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TFrmain";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowA("TFrmain", title, WS_OVERLAPPEDWINDOW, 100, 100, 600, 400, nullptr, nullptr, inst, nullptr);
  ShowWindow(wnd, show);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) { TranslateMessage(&m); DispatchMessageA(&m); }
  return 0;
}
