#include "tests/support/UserInput.h"

#include <vector>
#include "tests/support/MessagePump.h"

namespace {
// Sends the left button's changes at a screen point, in order, once the cursor stays there (a late
// report of where it was would otherwise move it back between a press and a release).
bool LeftButtonInput(POINT screen, std::initializer_list<DWORD> buttonFlags)
{
  if (!MoveCursorTo(screen)) return false;
  std::vector<INPUT> input;
  for (DWORD flags : buttonFlags) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    input.push_back(i);
  }
  return SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}
}  // namespace

bool ClickAt(POINT screen) { return LeftButtonInput(screen, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}); }

bool LeftButtonAt(POINT screen, bool down)
{
  return LeftButtonInput(screen, {down ? DWORD(MOUSEEVENTF_LEFTDOWN) : DWORD(MOUSEEVENTF_LEFTUP)});
}

bool PressKey(WORD key, std::initializer_list<WORD> modifiers)
{
  std::vector<INPUT> input;
  auto add = [&input](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  for (WORD m : modifiers) add(m, false);
  add(key, false);
  add(key, true);
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) add(*m, true);
  return SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}
