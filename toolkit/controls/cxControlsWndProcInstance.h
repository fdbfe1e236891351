#pragma once
// Subclassing a raw window with a window procedure made at run time. The made procedure is a few
// bytes of machine code bound to one instance object: each call of it reaches the instance's
// method with the message.
//
// Ending the subclassing is safe whatever happened to the window meanwhile:
//   - when the window's procedure is still this instance's, the previous procedure is put back;
//   - when another party subclassed the window later (and so may still call the made procedure as
//     its "previous" one), the made procedure stays alive and passes every message straight on to
//     the procedure that was in place before this instance. Once that party puts the made procedure
//     back as the window's procedure, or the window is destroyed, the instance restores the window
//     and frees itself;
//   - when the window is gone, the instance is freed.
// An instance is never freed while one of its calls is running: it goes once the outermost call
// returns.
#include "classlib/Messages.h"
#include "classlib/WndThunk.h"

class TcxWndProcInstance {
public:
  // Subclasses wnd (a window of this thread) with a made procedure that calls method with every
  // message. Raises EInvalidOperation for a window that is not one of this thread's, EOSError when
  // the system refuses the new procedure.
  static TcxWndProcInstance* Subclass(HWND wnd, TWndMethod method);

  HWND Window() const { return FWindow; }
  // The procedure that was the window's before this instance; messages are passed on to it with
  // CallWindowProcA.
  WNDPROC PreviousProc() const { return FPrevious; }
  // The made procedure.
  WNDPROC Proc() const { return FProc; }
  // The window has received WM_NCDESTROY.
  bool WindowDestroyed() const { return FWindowDestroyed; }
  // Passes the message on to the previous procedure (for the window of this instance).
  void CallPrevious(TMessage& message) const;

  // Ends the subclassing as described above; the method is not called again. The pointer must not
  // be used afterwards.
  void Release();

  // Instances alive in the process, released ones that still forward included.
  static int LiveCount();

  TcxWndProcInstance(const TcxWndProcInstance&) = delete;
  TcxWndProcInstance& operator=(const TcxWndProcInstance&) = delete;

private:
  TcxWndProcInstance(HWND wnd, TWndMethod method);
  ~TcxWndProcInstance();
  static LRESULT CALLBACK InstanceProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Call(UINT message, WPARAM wParam, LPARAM lParam);
  // Restores the window when its procedure is still the made one; true when it did.
  bool TryRestore();

  HWND FWindow;
  TWndMethod FMethod;
  WNDPROC FPrevious = nullptr;
  WNDPROC FProc = nullptr;  // the machine code, in executable memory
  bool FWindowDestroyed = false;
  bool FReleased = false;     // only forwards to FPrevious
  bool FFreePending = false;  // freed once the running calls return
  int FCalls = 0;
};
