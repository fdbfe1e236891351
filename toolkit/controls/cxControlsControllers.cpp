#include "toolkit/controls/cxControlsControllers.h"

#include <algorithm>
#include <atomic>
#include "classlib/ObjectWindows.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/controls/cxControls.h"

// --- TcxSettingsController ---

CL_DEFINE_CLASS(TcxSettingsController);

TcxSettingsController::TcxSettingsController() : FNotificator(MakeOwned<TcxFreeNotificator>(nullptr))
{
  FNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TcxSettingsController::ListenerFreed));
}

TcxSettingsController::~TcxSettingsController()
{
  DeallocateHWnd(FHandle);
}

void TcxSettingsController::AddListener(TWinControl* control)
{
  if (!control || std::find(FListeners.begin(), FListeners.end(), control) != FListeners.end()) return;
  if (!FHandle) FHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); }, this);
  FListeners.push_back(control);
  FNotificator->WatchComponent(control);
}

void TcxSettingsController::ListenerFreed(TComponent* sender)
{
  RemoveListener(static_cast<TWinControl*>(sender));
}

void TcxSettingsController::RemoveListener(TWinControl* control)
{
  if (std::find(FListeners.begin(), FListeners.end(), control) == FListeners.end()) return;
  std::erase(FListeners, control);
  FNotificator->UnwatchComponent(control);
  if (FListeners.empty() && FHandle) {
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
  }
}

void TcxSettingsController::WndProc(TMessage& message)
{
  if (message.Msg == WM_SETTINGCHANGE && message.WParam == SPI_SETNONCLIENTMETRICS) {
    GuardCallback([this] {
      // A control told may register or unregister others.
      std::vector<TWinControl*> listeners = FListeners;
      for (TWinControl* control : listeners)
        if (std::find(FListeners.begin(), FListeners.end(), control) != FListeners.end() &&
            control->HandleAllocated())
          SendNotifyMessageA(control->Handle(), DXM_NCSIZECHANGED, 0, 0);
    });
    message.Result = 0;
    return;
  }
  message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
}

// --- TcxSystemController ---

bool cxIsCodeInLibrary()
{
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&cxIsCodeInLibrary), &module);
  return module && module != GetModuleHandleA(nullptr);
}

TcxIsLibraryFunc cxIsLibrary = cxIsCodeInLibrary;

namespace {
// The window the installed hook posts to; read on whichever thread hands work to the GUI thread.
std::atomic<HWND> GSynchronizeWindow{nullptr};
}  // namespace

CL_DEFINE_CLASS(TcxSystemController);

TcxSystemController::TcxSystemController()
{
  if (!cxIsLibrary()) return;
  FPrevWindow = GSynchronizeWindow.exchange(Handle());
  FPrevWakeMainThread = SetWakeMainThread(&TcxSystemController::WakeMainThread);
  FHookInstalled = true;
}

TcxSystemController::~TcxSystemController()
{
  if (!FHookInstalled) return;
  SetWakeMainThread(FPrevWakeMainThread);
  GSynchronizeWindow.store(FPrevWindow);
}

void TcxSystemController::WakeMainThread()
{
  if (HWND window = GSynchronizeWindow.load()) PostMessageA(window, DXM_SYNCHRONIZETHREADS, 0, 0);
}

void TcxSystemController::WndProc(TMessage& message)
{
  if (message.Msg != DXM_SYNCHRONIZETHREADS) return TcxMessageWindow::WndProc(message);
  CheckSynchronize();
  message.Result = 0;
}
