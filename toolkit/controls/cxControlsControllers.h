#pragma once
// The control framework's controllers.
//
// TcxSettingsController tells registered controls that the system's non-client metrics changed
// (DXM_NCSIZECHANGED), listening on a hidden top-level window that exists while any control is
// registered.
//
// TcxSystemController keeps the calls that worker threads hand to the GUI thread running when the
// toolkit lives in a library module, whose host's message loop never runs them: it takes over the
// class library's wake-up hook and runs the calls from its own window's DXM_SYNCHRONIZETHREADS. In
// an executable it is a plain message window.
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Thread.h"
#include "toolkit/base/cxControlsMessageWindow.h"

class TcxFreeNotificator;

class TcxSettingsController : public TObject {
  CL_CLASS(TcxSettingsController, TObject)
public:
  TcxSettingsController();
  ~TcxSettingsController() override;

  // The first registration makes the listening window; registering twice keeps one entry.
  void AddListener(TWinControl* control);
  // The last removal frees the listening window. A registered control that is destroyed is
  // removed by itself.
  void RemoveListener(TWinControl* control);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  // The listening window; nullptr while nothing is registered.
  HWND Handle() const { return FHandle; }

private:
  void WndProc(TMessage& message);
  void ListenerFreed(TComponent* sender);
  std::vector<TWinControl*> FListeners;
  HWND FHandle = nullptr;
  TOwned<TcxFreeNotificator> FNotificator;
};

// Whether the toolkit's code runs inside a library module rather than the executable. Tests put
// another function here to cover the library case.
using TcxIsLibraryFunc = bool (*)();
extern TcxIsLibraryFunc cxIsLibrary;
// The default: the module holding this code is not the process's executable.
bool cxIsCodeInLibrary();

class TcxSystemController : public TcxMessageWindow {
  CL_CLASS(TcxSystemController, TcxMessageWindow)
public:
  // In a library module, installs its wake-up hook (which posts DXM_SYNCHRONIZETHREADS to its
  // window) in place of the class library's.
  TcxSystemController();
  // Puts the saved hook back (library module only).
  ~TcxSystemController() override;
  bool HookInstalled() const { return FHookInstalled; }

protected:
  void WndProc(TMessage& message) override;

private:
  static void WakeMainThread();
  bool FHookInstalled = false;
  TWakeMainThread FPrevWakeMainThread = nullptr;
  HWND FPrevWindow = nullptr;
};
