#include "toolkit/base/dxHooks.h"

#include <algorithm>
#include "classlib/Exceptions.h"

namespace {
TUnitObject<TdxHookController> GController{UnitdxHooks};

void InitializeUnit() { dxHookController(); }

LRESULT DispatchHook(TdxHookKind kind, int code, WPARAM wParam, LPARAM lParam) noexcept
{
  try {
    if (TdxHookController* controller = GController.Peek()) return controller->SystemHook(kind).DispatchHookToClients(code, wParam, lParam);
  } catch (...) {
    HandleException(std::current_exception());
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
  return DispatchHook(TdxHookKind::hkKeyboard, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
  return DispatchHook(TdxHookKind::hkMouse, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam)
{
  return DispatchHook(TdxHookKind::hkCallWndProc, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam)
{
  return DispatchHook(TdxHookKind::hkGetMessage, code, wParam, lParam);
}

LRESULT CALLBACK CBTHookProc(int code, WPARAM wParam, LPARAM lParam)
{
  return DispatchHook(TdxHookKind::hkCBT, code, wParam, lParam);
}

struct THookKindInfo {
  int WindowsHookType;
  HOOKPROC Proc;
};

constexpr THookKindInfo HookKinds[dxHookKindCount] = {
  {WH_KEYBOARD, KeyboardHookProc},
  {WH_MOUSE, MouseHookProc},
  {WH_CALLWNDPROC, CallWndProcHookProc},
  {WH_GETMESSAGE, GetMessageHookProc},
  {WH_CBT, CBTHookProc},
};
}  // namespace

TUnit UnitdxHooks{"dxHooks", {}, InitializeUnit};

// --- TdxSystemHook ---

TdxSystemHook::~TdxSystemHook()
{
  if (FHandle) UnhookWindowsHookEx(FHandle);
}

bool TdxSystemHook::HasClientProc(TdxHookProc proc) const
{
  return std::find(FClients.begin(), FClients.end(), proc) != FClients.end();
}

void TdxSystemHook::AddClientProc(TdxHookProc proc)
{
  if (!proc) throw EInvalidOperation("A hook client procedure is required");
  if (HasClientProc(proc)) throw EInvalidOperation("The hook client procedure is already registered");
  if (FClients.empty()) InstallWindowsHook();
  FClients.push_back(proc);
}

void TdxSystemHook::RemoveClientProc(TdxHookProc proc)
{
  auto it = std::find(FClients.begin(), FClients.end(), proc);
  if (it == FClients.end()) return;
  FClients.erase(it);
  // A hook the system refused was never installed, so there is nothing to remove then.
  if (FClients.empty() && FHandle) UninstallWindowsHook();
}

void TdxSystemHook::InstallWindowsHook()
{
  if (FHandle) throw EInvalidOperation("The hook is installed already");
  const THookKindInfo& info = HookKinds[static_cast<int>(FKind)];
  FHandle = SetWindowsHookExA(info.WindowsHookType, info.Proc, nullptr, GetCurrentThreadId());
}

void TdxSystemHook::UninstallWindowsHook()
{
  if (!FHandle) throw EInvalidOperation("No hook is installed");
  UnhookWindowsHookEx(FHandle);
  FHandle = nullptr;
}

LRESULT TdxSystemHook::DispatchHookToClients(int code, WPARAM wParam, LPARAM lParam)
{
  LRESULT result = 0;
  // Clients may register or leave while they are called: each one of the list as it was when the
  // call began is called only while it is still registered, so none is called twice or after it
  // left.
  const std::vector<TdxHookProc> clients = FClients;
  for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
    TdxHookProc proc = *it;
    if (!HasClientProc(proc)) continue;
    GuardCallback([&] { proc(code, wParam, lParam, result); });
  }
  LRESULT next = CallNextHookEx(FHandle, code, wParam, lParam);
  return result != 0 ? result : next;
}

// --- TdxHookController ---

TdxHookController::TdxHookController()
{
  for (int kind = 0; kind < dxHookKindCount; ++kind)
    FHooks[kind] = std::make_unique<TdxSystemHook>(static_cast<TdxHookKind>(kind));
}

TdxHookController::~TdxHookController() = default;

void TdxHookController::RemoveHookProc(TdxHookProc proc)
{
  for (auto& hook : FHooks) hook->RemoveClientProc(proc);
}

// --- Process-wide access ---

TdxHookController* dxHookController()
{
  return GController.Get();
}

void RegisterHookProc(TdxHookKind kind, TdxHookProc proc)
{
  if (TdxHookController* controller = dxHookController()) controller->AddHookProc(kind, proc);
}

void UnregisterHookProc(TdxHookProc proc)
{
  if (TdxHookController* controller = GController.Peek()) controller->RemoveHookProc(proc);
}
