#pragma once
// Routing window messages to objects.
//
// Windows call a plain function; objects want a method. The class library ties a window to its
// object through a window property whose name is private to this process and module (a window
// of another process, found under the cursor for example, never maps to one of our objects), and
// 32- and 64-bit clean. Three ways are offered:
//   - control windows: created through CreateObjectWindow, their messages go from the very first
//     one to the owning object's method (TWinControl uses this);
//   - hidden utility windows (AllocateHWnd): a method receives every message;
//   - subclassing an existing window (TWindowSubclass): a method sees each message first and passes
//     it on with Default.
// No exception leaves any of these window procedures: each goes to HandleException.
#include <functional>
#include "classlib/Messages.h"

using TWndMethod = std::function<void(TMessage&)>;

// Creates a hidden top-level window whose messages go to method (which answers in Result; it calls
// DefWindowProcA itself for messages it does not handle). Raises EOSError when the window cannot
// be made. Destroy the window with DeallocateHWnd.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND wnd);

// Routes the messages of an existing window of this thread to method until destroyed (or until the
// window is destroyed). The method passes a message on to the window's previous procedure with
// Default; a message it neither handles nor passes on answers 0.
class TWindowSubclass {
public:
  TWindowSubclass(HWND wnd, TWndMethod method);
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  HWND Window() const { return FWnd; }  // nullptr once the window is gone
  void Default(TMessage& msg);

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  HWND FWnd;
  TWndMethod FMethod;
};

// The object of a window made through CreateObjectWindow.
class TWindowObject {
public:
  virtual ~TWindowObject() = default;
  // Receives every message of the window, exceptions already guarded by the caller.
  virtual void WindowMessage(TMessage& msg) = 0;
  // Called once, with the window's first message, before that message is delivered.
  virtual void WindowAttached(HWND wnd) = 0;
  // Called after the window's last message (WM_NCDESTROY) has been delivered.
  virtual void WindowDetached() = 0;
};

// Registers (once per name) a window class whose windows route to their TWindowObject. cls
// describes the class; its lpfnWndProc is the procedure messages fall back to when no object is
// attached, and the one CallDefaultProc calls.
void RegisterObjectWindowClass(const WNDCLASSA& cls);
// Creates a window of a class registered above, attached to obj from its first message on.
HWND CreateObjectWindow(TWindowObject* obj, DWORD exStyle, const char* className, const char* caption,
                        DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                        void* param);
// The object attached to wnd, when wnd is a window of this process and module made above.
TWindowObject* FindWindowObject(HWND wnd);
// Ends the routing of wnd to its object early (the object is going away before its window).
void DetachWindowObject(HWND wnd);
