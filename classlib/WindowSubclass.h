#pragma once
// The one way the program subclasses a window it did not make itself.
//
// A TWindowSubclass puts a window procedure of its own in front of a window's procedure: its
// method sees each message first and passes on what it does not consume with CallPrevious. Each
// subclass has a procedure of its own, taken from a fixed set made when the program is compiled
// (no code is made at run time), so one window can be subclassed several times, by this program and
// by others, in any order.
//
// Ending a subclass (Release) is safe whatever happened to the window meanwhile:
//   - when the window's procedure is still this subclass's, the previous procedure is put back;
//   - when another party subclassed the window later (and so calls this subclass's procedure as
//     its "previous" one), the subclass stays and passes every message straight on to the procedure
//     that was in place before it. Once that party puts this procedure back as the window's
//     procedure, or the window is destroyed, the subclass restores the window and goes;
//   - when the window is gone, the subclass goes.
// While the subclass handles a message it is a call in progress, so it never goes in the middle of
// one of its own messages.
#include "classlib/ObjectWindows.h"

class TWindowSubclass : public TObject {
  CL_CLASS(TWindowSubclass, TObject)
public:
  // Subclasses wnd (a window of this thread) so that method sees its messages first. Raises
  // EInvalidOperation for a window that is not one of this thread's, EOutOfResources when too many
  // windows are subclassed at once, EOSError when the system refuses the new procedure.
  static TWindowSubclass* Create(HWND wnd, TWndMethod method);

  HWND Window() const { return FWindow; }
  // This subclass's procedure, and the one that was the window's before it.
  WNDPROC Proc() const;
  WNDPROC PreviousProc() const { return FPrevious; }
  // The window has received WM_NCDESTROY.
  bool WindowDestroyed() const { return FWindowDestroyed; }
  // Passes the message on to the previous procedure (Result holds its answer).
  void CallPrevious(TMessage& msg) const;
  // Ends the subclassing as described above; the method is not called again. The object frees
  // itself: the caller does not use it afterwards.
  void Release();

  // Subclasses alive in the process, released ones that still pass messages on included.
  static int LiveCount();

  TWindowSubclass(HWND wnd, TWndMethod method, int slot);
  ~TWindowSubclass() override;

private:
  template <int Slot> friend LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT Dispatch(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Puts the previous procedure back when the window's is still this one; true when it did.
  bool TryRestore();

  HWND FWindow;
  TWndMethod FMethod;
  int FSlot;
  WNDPROC FPrevious = nullptr;
  bool FWindowDestroyed = false;
  bool FReleased = false;  // only passes messages on
};
