#pragma once
// Windows hooks shared by the toolkit. Any number of objects register plain procedures for a hook
// kind; the first client of a kind installs one thread hook of that kind on the calling (GUI)
// thread, the last client to leave removes it. Every hook call reaches the clients newest first and
// then the next hook in the system's chain, whatever the clients did.
#include <array>
#include <memory>
#include <vector>
#include "classlib/Units.h"
#include "classlib/Win.h"

extern TUnit UnitdxHooks;

// The hook kinds, each with its Windows hook type: WH_KEYBOARD, WH_MOUSE, WH_CALLWNDPROC,
// WH_GETMESSAGE, WH_CBT.
enum class TdxHookKind { hkKeyboard, hkMouse, hkCallWndProc, hkGetMessage, hkCBT };
constexpr int dxHookKindCount = 5;

// A client: the hook code, wParam and lParam of the call, and the result shared by all clients of
// one call. A client that sets result to non-zero makes the hook return it (for the keyboard kind
// the key is swallowed); the next hook is called all the same. Clients are called for every code,
// negative ones included.
using TdxHookProc = void (*)(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);

// One hook kind: its client procedures in registration order and the installed hook, if any.
class TdxSystemHook {
public:
  explicit TdxSystemHook(TdxHookKind kind) : FKind(kind) {}
  // Removes a hook still installed (a programming error that must not leave a hook behind).
  ~TdxSystemHook();
  TdxSystemHook(const TdxSystemHook&) = delete;
  TdxSystemHook& operator=(const TdxSystemHook&) = delete;

  TdxHookKind Kind() const { return FKind; }
  // The installed hook, or nullptr.
  HHOOK Handle() const { return FHandle; }
  int ClientCount() const { return static_cast<int>(FClients.size()); }
  bool HasClientProc(TdxHookProc proc) const;

  // Appends a client, installing the hook first when it is the first one. Registering a procedure
  // twice for one kind raises EInvalidOperation. When the system refuses the hook the client stays
  // registered and no hook calls arrive.
  void AddClientProc(TdxHookProc proc);
  // Removes a client; the hook goes with the last one. An unregistered procedure changes nothing.
  void RemoveClientProc(TdxHookProc proc);
  // A thread hook for the calling thread; raises EInvalidOperation when one is installed already.
  void InstallWindowsHook();
  // Raises EInvalidOperation when none is installed.
  void UninstallWindowsHook();

  // One hook call: every client still registered when its turn comes, newest first (a client
  // registered during the call waits for the next one), each guarded so that an exception is shown
  // and the others still run; then the next hook. Answers the clients' result when non-zero, else
  // the next hook's.
  LRESULT DispatchHookToClients(int code, WPARAM wParam, LPARAM lParam);

private:
  TdxHookKind FKind;
  HHOOK FHandle = nullptr;
  std::vector<TdxHookProc> FClients;
};

// The five system hooks, one per kind.
class TdxHookController {
public:
  TdxHookController();
  ~TdxHookController();
  TdxHookController(const TdxHookController&) = delete;
  TdxHookController& operator=(const TdxHookController&) = delete;

  TdxSystemHook& SystemHook(TdxHookKind kind) { return *FHooks[static_cast<int>(kind)]; }
  void AddHookProc(TdxHookKind kind, TdxHookProc proc) { SystemHook(kind).AddClientProc(proc); }
  // Removes the procedure from every kind it is registered for.
  void RemoveHookProc(TdxHookProc proc);

private:
  std::array<std::unique_ptr<TdxSystemHook>, dxHookKindCount> FHooks;
};

// The process-wide controller: made by the unit's start-up (or on first use) and freed by its
// shut-down; nullptr once the shut-down has begun.
TdxHookController* dxHookController();

void RegisterHookProc(TdxHookKind kind, TdxHookProc proc);
// Removes the procedure from every kind; does nothing once the controller is gone.
void UnregisterHookProc(TdxHookProc proc);
