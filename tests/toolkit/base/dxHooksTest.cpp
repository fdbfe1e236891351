// The hook controller: clients newest first, then the next hook; the shared result; exceptions in
// clients; the hook installed with the first client and gone with the last, as seen from a hook of
// the tests' own that stays in the chain behind the controller's.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Exceptions.h"
#include "tests/support/MessagePump.h"
#include "toolkit/base/dxHooks.h"

namespace {
std::vector<std::string> GCalls;
std::vector<std::string> GShownErrors;

void RecordShown(std::exception_ptr error) { GShownErrors.push_back(ExceptionMessage(error)); }

// CBT clients act on the creation of a window only; other codes pass by.
void ClientA(int code, WPARAM, LPARAM, LRESULT&)
{
  if (code == HCBT_CREATEWND) GCalls.push_back("A");
}

void ClientB(int code, WPARAM, LPARAM, LRESULT&)
{
  if (code == HCBT_CREATEWND) GCalls.push_back("B");
}

void ClientRefuses(int code, WPARAM, LPARAM, LRESULT& result)
{
  if (code != HCBT_CREATEWND) return;
  GCalls.push_back("refuses");
  result = 1;  // a CBT hook answering non-zero to HCBT_CREATEWND stops the window being made
}

void ClientThrows(int code, WPARAM, LPARAM, LRESULT&)
{
  if (code != HCBT_CREATEWND) return;
  GCalls.push_back("throws");
  throw Exception("the client failed");
}

// Takes the client below it out of the list while the call is under way.
void ClientRemovesB(int code, WPARAM, LPARAM, LRESULT&)
{
  if (code != HCBT_CREATEWND) return;
  GCalls.push_back("removesB");
  UnregisterHookProc(ClientB);
}

// Adds a client while the call is under way; it is called from the next call on.
void ClientAddsB(int code, WPARAM, LPARAM, LRESULT&)
{
  if (code != HCBT_CREATEWND) return;
  GCalls.push_back("addsB");
  if (!dxHookController()->SystemHook(TdxHookKind::hkCBT).HasClientProc(ClientB))
    RegisterHookProc(TdxHookKind::hkCBT, ClientB);
}

constexpr UINT ProbeMessage = WM_APP + 17;

void CallWndProcClient(int code, WPARAM, LPARAM lParam, LRESULT&)
{
  auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == ProbeMessage) GCalls.push_back("callwndproc");
}

void GetMessageClient(int code, WPARAM, LPARAM lParam, LRESULT&)
{
  auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && msg->message == ProbeMessage) GCalls.push_back("getmessage");
}

// The tests' own CBT hook, installed before the controller's, so that it is the next hook the
// controller's hook calls; it reports every window creation it sees.
LRESULT CALLBACK OwnCBTHook(int code, WPARAM wParam, LPARAM lParam)
{
  if (code == HCBT_CREATEWND) GCalls.push_back("next");
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND CreateProbeWindow()
{
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

// Creates a window, records what the hooks saw of it and destroys it again.
std::vector<std::string> CallsOfOneCreation(bool* created = nullptr)
{
  GCalls.clear();
  HWND window = CreateProbeWindow();
  if (created) *created = window != nullptr;
  if (window) DestroyWindow(window);
  return GCalls;
}

using Calls = std::vector<std::string>;

class HookController : public testing::Test {
protected:
  void SetUp() override
  {
    FOwnHook = SetWindowsHookExA(WH_CBT, OwnCBTHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(FOwnHook, nullptr);
    FOldHandler = SetExceptionHandler(RecordShown);
    GShownErrors.clear();
  }
  void TearDown() override
  {
    for (TdxHookProc proc : {ClientA, ClientB, ClientRefuses, ClientThrows, ClientRemovesB, ClientAddsB,
                             CallWndProcClient, GetMessageClient})
      UnregisterHookProc(proc);
    SetExceptionHandler(FOldHandler);
    UnhookWindowsHookEx(FOwnHook);
    GCalls.clear();
  }
  TdxSystemHook& CBT() { return dxHookController()->SystemHook(TdxHookKind::hkCBT); }

  HHOOK FOwnHook = nullptr;
  TExceptionHandler FOldHandler = nullptr;
};
}  // namespace

TEST_F(HookController, TwoClientsOfOneKindAreCalledNewestFirstAndThenTheNextHook)
{
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  RegisterHookProc(TdxHookKind::hkCBT, ClientB);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"B", "A", "next"}));
}

TEST_F(HookController, AClientsResultIsTheHooksResultAndTheNextHookIsStillCalled)
{
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  RegisterHookProc(TdxHookKind::hkCBT, ClientRefuses);
  bool created = true;
  EXPECT_EQ(CallsOfOneCreation(&created), (Calls{"refuses", "A", "next"}));
  EXPECT_FALSE(created);
}

TEST_F(HookController, AClientsExceptionIsShownAndTheOtherClientsAndTheChainGoOn)
{
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  RegisterHookProc(TdxHookKind::hkCBT, ClientThrows);
  bool created = false;
  EXPECT_EQ(CallsOfOneCreation(&created), (Calls{"throws", "A", "next"}));
  EXPECT_TRUE(created);
  EXPECT_EQ(GShownErrors, (Calls{"the client failed"}));
}

TEST_F(HookController, TheHookIsInstalledWithTheFirstClientAndGoneWithTheLast)
{
  EXPECT_EQ(CBT().Handle(), nullptr);
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  HHOOK installed = CBT().Handle();
  ASSERT_NE(installed, nullptr);
  RegisterHookProc(TdxHookKind::hkCBT, ClientB);
  EXPECT_EQ(CBT().Handle(), installed);

  UnregisterHookProc(ClientB);
  EXPECT_EQ(CBT().Handle(), installed);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"A", "next"}));

  UnregisterHookProc(ClientA);
  EXPECT_EQ(CBT().Handle(), nullptr);
  // The tests' own hook still sees the creation; nothing of the controller's is left in the chain,
  // and the system no longer knows the removed hook.
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"next"}));
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(installed));

  // Registering again installs a new hook.
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  EXPECT_NE(CBT().Handle(), nullptr);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"A", "next"}));
}

TEST_F(HookController, UnregisteringRemovesAProcedureFromEveryKind)
{
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  RegisterHookProc(TdxHookKind::hkGetMessage, ClientA);
  TdxSystemHook& getMessage = dxHookController()->SystemHook(TdxHookKind::hkGetMessage);
  EXPECT_NE(getMessage.Handle(), nullptr);
  UnregisterHookProc(ClientA);
  EXPECT_FALSE(CBT().HasClientProc(ClientA));
  EXPECT_FALSE(getMessage.HasClientProc(ClientA));
  EXPECT_EQ(CBT().Handle(), nullptr);
  EXPECT_EQ(getMessage.Handle(), nullptr);
  // Unregistering what is not registered changes nothing.
  UnregisterHookProc(ClientA);
  EXPECT_EQ(CBT().ClientCount(), 0);
}

TEST_F(HookController, RegisteringAProcedureTwiceForOneKindIsRefused)
{
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  EXPECT_THROW(RegisterHookProc(TdxHookKind::hkCBT, ClientA), EInvalidOperation);
  EXPECT_THROW(RegisterHookProc(TdxHookKind::hkCBT, nullptr), EInvalidOperation);
  EXPECT_EQ(CBT().ClientCount(), 1);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"A", "next"}));
}

TEST_F(HookController, InstallingOverAHookOrRemovingNoneIsAProgrammingError)
{
  TdxSystemHook hook(TdxHookKind::hkCBT);
  EXPECT_THROW(hook.UninstallWindowsHook(), EInvalidOperation);
  hook.InstallWindowsHook();
  EXPECT_THROW(hook.InstallWindowsHook(), EInvalidOperation);
  hook.UninstallWindowsHook();
  EXPECT_EQ(hook.Handle(), nullptr);
}

TEST_F(HookController, ClientsLeavingOrJoiningDuringACallAreNotCalledTwiceOrAfterLeaving)
{
  // A, B, then the newest: it removes B, which must not be called any more; A still is, once.
  RegisterHookProc(TdxHookKind::hkCBT, ClientA);
  RegisterHookProc(TdxHookKind::hkCBT, ClientB);
  RegisterHookProc(TdxHookKind::hkCBT, ClientRemovesB);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"removesB", "A", "next"}));
  UnregisterHookProc(ClientRemovesB);

  // A client added during a call waits for the next call.
  RegisterHookProc(TdxHookKind::hkCBT, ClientAddsB);
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"addsB", "A", "next"}));
  EXPECT_EQ(CallsOfOneCreation(), (Calls{"B", "addsB", "A", "next"}));
}

TEST_F(HookController, SentAndRetrievedMessagesReachTheirKindsClients)
{
  RegisterHookProc(TdxHookKind::hkCallWndProc, CallWndProcClient);
  RegisterHookProc(TdxHookKind::hkGetMessage, GetMessageClient);
  HWND window = CreateProbeWindow();
  ASSERT_NE(window, nullptr);
  GCalls.clear();
  SendMessageA(window, ProbeMessage, 0, 0);
  PostMessageA(window, ProbeMessage, 0, 0);
  HandleWaitingMessages();
  DestroyWindow(window);
  EXPECT_EQ(GCalls, (Calls{"callwndproc", "getmessage"}));
}

// --- Real input ---

namespace {
int GKeyDowns = 0;

LRESULT CALLBACK InputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_KEYDOWN && wParam == VK_F8) ++GKeyDowns;
  return DefWindowProcA(window, message, wParam, lParam);
}

void MouseA(int code, WPARAM wParam, LPARAM, LRESULT&)
{
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE) GCalls.push_back("A");
}

void MouseB(int code, WPARAM wParam, LPARAM, LRESULT&)
{
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE) GCalls.push_back("B");
}

LRESULT CALLBACK OwnMouseHook(int code, WPARAM wParam, LPARAM lParam)
{
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE) GCalls.push_back("next");
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Swallows F8 (its key-down and key-up reach the keyboard hook as the key code).
void SwallowF8(int code, WPARAM wParam, LPARAM, LRESULT& result)
{
  if (code == HC_ACTION && wParam == VK_F8) {
    GCalls.push_back("swallow");
    result = 1;
  }
}

LRESULT CALLBACK OwnKeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
  if (code == HC_ACTION && wParam == VK_F8) GCalls.push_back("next");
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A visible top-level window with the keyboard focus, for input made through SendInput.
class HookInput : public testing::Test {
protected:
  void SetUp() override
  {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = InputWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HookInputTarget";
    RegisterClassA(&windowClass);
    FWindow = CreateWindowExA(WS_EX_TOPMOST, "HookInputTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(FWindow, nullptr);
    SetForegroundWindow(FWindow);
    SetFocus(FWindow);
    Pump(200);
    ASSERT_EQ(GetFocus(), FWindow);
    GCalls.clear();
    GKeyDowns = 0;
  }
  void TearDown() override
  {
    for (TdxHookProc proc : {MouseA, MouseB, SwallowF8}) UnregisterHookProc(proc);
    if (FOwnHook) UnhookWindowsHookEx(FOwnHook);
    DestroyWindow(FWindow);
    UnregisterClassA("HookInputTarget", GetModuleHandleA(nullptr));
    GCalls.clear();
  }
  // Handles messages until done() or the time is up, then a little longer for stragglers.
  static void PumpUntilThenSome(const std::function<bool()>& done, int ms = 3000)
  {
    PumpUntil(done, ms);
    Pump(50);
  }
  // Presses and releases F8; returns once the hooks saw both or the window got the key.
  static void PressF8()
  {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_F8;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
    PumpUntilThenSome([] { return GCalls.size() >= 4 || (GKeyDowns > 0 && GCalls.size() >= 2); });
  }
  // Moves the mouse to a point of the window other than where it is.
  static void MoveMouse()
  {
    POINT at{};
    GetCursorPos(&at);
    int x = at.x == 60 ? 70 : 60;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(80, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
    PumpUntilThenSome([] { return GCalls.size() >= 3; });
  }

  HWND FWindow = nullptr;
  HHOOK FOwnHook = nullptr;
};
}  // namespace

TEST_F(HookInput, TwoMouseClientsAreCalledNewestFirstAndThenTheNextHook)
{
  FOwnHook = SetWindowsHookExA(WH_MOUSE, OwnMouseHook, nullptr, GetCurrentThreadId());
  RegisterHookProc(TdxHookKind::hkMouse, MouseA);
  RegisterHookProc(TdxHookKind::hkMouse, MouseB);
  MoveMouse();
  ASSERT_FALSE(GCalls.empty()) << "no mouse message arrived";
  ASSERT_EQ(GCalls.size() % 3, 0u);
  for (size_t i = 0; i < GCalls.size(); i += 3)
    EXPECT_EQ(Calls(GCalls.begin() + i, GCalls.begin() + i + 3), (Calls{"B", "A", "next"}));
}

TEST_F(HookInput, AKeyboardClientsResultSwallowsTheKeyWhileTheNextHookStillSeesIt)
{
  FOwnHook = SetWindowsHookExA(WH_KEYBOARD, OwnKeyboardHook, nullptr, GetCurrentThreadId());
  RegisterHookProc(TdxHookKind::hkKeyboard, SwallowF8);
  PressF8();
  EXPECT_EQ(GCalls, (Calls{"swallow", "next", "swallow", "next"}));  // key down and key up
  EXPECT_EQ(GKeyDowns, 0);

  // Without the client the key reaches the window.
  UnregisterHookProc(SwallowF8);
  GCalls.clear();
  PressF8();
  EXPECT_EQ(GCalls, (Calls{"next", "next"}));
  EXPECT_EQ(GKeyDowns, 1);
}
