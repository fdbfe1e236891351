#include "tests/toolkit/editors/EditControlTestSupport.h"

#include <vector>
#include "classlib/Encoding.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"

namespace edit_test {
CL_DEFINE_CLASS(TTestInnerEdit);
CL_DEFINE_CLASS(TInnerEditHelper);
CL_DEFINE_CLASS(THelpedInnerEdit);
CL_DEFINE_CLASS(THelpedEdit);
CL_DEFINE_CLASS(TTestEditProperties);
CL_DEFINE_CLASS(TTestEdit);
CL_DEFINE_CLASS(TOtherEditProperties);
CL_DEFINE_CLASS(TOtherEdit);

namespace {
INPUT KeyboardInput(WORD key, wchar_t unicode, bool up)
{
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = key;
  i.ki.wScan = unicode;
  i.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return i;
}

int GMarkersTaken = 0;
LRESULT CALLBACK MarkerHook(int code, WPARAM key, LPARAM flags)
{
  if (code == HC_ACTION && key == VK_F24 && (flags & 0x80000000)) ++GMarkersTaken;
  return CallNextHookEx(nullptr, code, key, flags);
}
}  // namespace

bool TypeText(std::string_view text)
{
  std::vector<INPUT> input;
  for (wchar_t ch : AnsiToWide(std::string(text))) {
    const SHORT scan = ch < 0x80 ? VkKeyScanA(static_cast<char>(ch)) : -1;
    if (scan != -1 && (HIBYTE(scan) & ~1) == 0) {
      const bool shift = HIBYTE(scan) & 1;
      if (shift) input.push_back(KeyboardInput(VK_SHIFT, 0, false));
      input.push_back(KeyboardInput(LOBYTE(scan), 0, false));
      input.push_back(KeyboardInput(LOBYTE(scan), 0, true));
      if (shift) input.push_back(KeyboardInput(VK_SHIFT, 0, true));
    } else {
      input.push_back(KeyboardInput(0, ch, false));
      input.push_back(KeyboardInput(0, ch, true));
    }
  }
  return input.empty() || SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}

bool SettleTypedInput()
{
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, MarkerHook, nullptr, GetCurrentThreadId());
  const int before = GMarkersTaken;
  const bool taken = PressKey(VK_F24) && PumpUntil([before] { return GMarkersTaken > before; }, 10000);
  UnhookWindowsHookEx(hook);
  HandleWaitingMessages();
  return taken;
}

}  // namespace edit_test
