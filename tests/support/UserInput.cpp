#include "tests/support/UserInput.h"

#include "tests/support/MessagePump.h"

namespace {
INPUT MouseInput(POINT screen, DWORD flags)
{
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  i.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  i.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return i;
}

INPUT KeyInput(WORD key, bool up)
{
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = key;
  i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return i;
}
}  // namespace

bool ClickAt(POINT screen)
{
  // The cursor is put there first and left to settle: a late report of where it was would
  // otherwise move it back between the press and the release.
  if (!MoveCursorTo(screen)) return false;
  INPUT input[] = {MouseInput(screen, MOUSEEVENTF_LEFTDOWN), MouseInput(screen, MOUSEEVENTF_LEFTUP)};
  return SendInput(2, input, sizeof(INPUT)) == 2;
}

bool LeftButtonAt(POINT screen, bool down)
{
  if (!MoveCursorTo(screen)) return false;
  INPUT input = MouseInput(screen, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

bool PressKey(WORD key, std::initializer_list<WORD> modifiers)
{
  std::vector<INPUT> input;
  for (WORD m : modifiers) input.push_back(KeyInput(m, false));
  input.push_back(KeyInput(key, false));
  input.push_back(KeyInput(key, true));
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) input.push_back(KeyInput(*m, true));
  return SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}

bool BringToFront(HWND window)
{
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  return PumpUntil([window] { return GetForegroundWindow() == window; });
}

bool TMouseDrag::Start(POINT from, POINT to, bool escapeBeforeRelease)
{
  Stop();
  if (!MoveCursorTo(from)) return false;
  FPath.clear();
  for (int step = 1; step <= 4; ++step)
    FPath.push_back(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
  FNext = 0;
  FSettled = 0;
  FEscape = escapeBeforeRelease;
  FDone = false;
  INPUT press = MouseInput(from, MOUSEEVENTF_LEFTDOWN);
  if (SendInput(1, &press, sizeof(INPUT)) != 1) return false;
  FTimer = SetTimer(nullptr, 0, 30, Tick);
  return FTimer != 0;
}

void TMouseDrag::Stop()
{
  if (FTimer) KillTimer(nullptr, FTimer);
  FTimer = 0;
}

void CALLBACK TMouseDrag::Tick(HWND, UINT, UINT_PTR, DWORD)
{
  if (FNext < FPath.size()) {
    INPUT move = MouseInput(FPath[FNext++], 0);
    SendInput(1, &move, sizeof(INPUT));
    return;
  }
  const POINT end = FPath.back();
  POINT at{};
  GetCursorPos(&at);
  if (at.x != end.x || at.y != end.y) {
    FSettled = 0;
    INPUT move = MouseInput(end, 0);
    SendInput(1, &move, sizeof(INPUT));
    return;
  }
  if (++FSettled < 3) return;
  std::vector<INPUT> input;
  if (FEscape) {
    input.push_back(KeyInput(VK_ESCAPE, false));
    input.push_back(KeyInput(VK_ESCAPE, true));
  }
  input.push_back(MouseInput(end, MOUSEEVENTF_LEFTUP));
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  Stop();
  FDone = true;
}
