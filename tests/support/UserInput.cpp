#include "tests/support/UserInput.h"

#include <vector>
#include "tests/support/MessagePump.h"

bool ClickAt(POINT screen)
{
  // The cursor is put there first and left to settle: a late report of where it was would
  // otherwise move it back between the press and the release.
  if (!MoveCursorTo(screen)) return false;
  INPUT input[2]{};
  for (INPUT& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  return SendInput(2, input, sizeof(INPUT)) == 2;
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
