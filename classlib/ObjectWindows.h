#pragma once
// Windows whose messages go to objects.
//
// Windows call a plain function; objects want a method. Two kinds of window of the class library
// route their messages to an object:
//   - control windows, created through CreateObjectWindow: from the very first message on, each
//     message goes to the window's TWindowObject, found in a slot of the window's extra bytes
//     (TWinControl uses this);
//   - hidden utility windows (AllocateHWnd): a method of an owner object receives every message.
// No exception leaves these window procedures: each goes to HandleException. While an object
// handles a message it is a call in progress (TObjectCall): an object freed by its own message goes
// once the message is handled, and the window procedure does not touch it afterwards.
// Windows the program did not make are subclassed with TWindowSubclass (WindowSubclass.h).
#include <functional>
#include "classlib/Messages.h"

using TWndMethod = std::function<void(TMessage&)>;

// Creates a hidden top-level window whose messages go to method (which answers in Result; it calls
// DefWindowProcA itself for messages it does not handle). Raises EOSError when the window cannot
// be made. Destroy the window with DeallocateHWnd, also from inside one of its messages. owner is
// the object the method belongs to: each message is a call in progress on it, so that an owner
// freed by its own window's message keeps its memory until the message is handled.
HWND AllocateHWnd(TWndMethod method, TObject* owner = nullptr);
void DeallocateHWnd(HWND wnd);

// The object of a window made through CreateObjectWindow.
class TWindowObject {
public:
  // Receives every message of the window, exceptions already guarded by the caller.
  virtual void WindowMessage(TMessage& msg) = 0;
  // Called once, with the window's first message, before that message is delivered.
  virtual void WindowAttached(HWND wnd) = 0;
  // Called after the window's last message (WM_NCDESTROY) has been delivered.
  virtual void WindowDetached() = 0;
  // The class-library object behind the window, whose calls the window procedure guards.
  virtual TObject* WindowOwner() = 0;

protected:
  ~TWindowObject() = default;
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

// Hand-over of a window between objects. ReleaseWindowObject ends the routing of wnd to its object
// and keeps the window as held: its messages go to its class's default procedure, and no window
// under creation claims it, until AttachWindowObject routes it to obj again (calling
// obj->WindowAttached). Destroying a held window needs no object. AttachWindowObject raises
// EInvalidOperation for a window that is not held.
void ReleaseWindowObject(HWND wnd);
void AttachWindowObject(HWND wnd, TWindowObject* obj);
