#include "toolkit/bars/dxBarPopupMenuWait.h"
#include <vector>
#include "classlib/Application.h"

void dxBarWaitWhileMenuOpen(const std::function<bool()>& isOpen)
{
  std::vector<MSG> heldCommands;
  MSG msg{};
  while (isOpen()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // Held commands are posted first: the quit flag is seen only once the queue is empty.
      for (const MSG& held : heldCommands) PostMessageA(held.hwnd, held.message, held.wParam, held.lParam);
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (msg.message == WM_COMMAND) {
      heldCommands.push_back(msg);
      continue;
    }
    if (!Application->HandleLoopMessage(msg)) break;
  }
  for (const MSG& held : heldCommands) PostMessageA(held.hwnd, held.message, held.wParam, held.lParam);
}
