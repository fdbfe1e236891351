#pragma once
// The toolkit's hidden utility window: an object that owns one hidden top-level window (the class
// library's AllocateHWnd) and receives its messages in the virtual WndProc. The timer window, the
// theme-change window and the control framework's controllers derive from it.
//
// It belongs to the control framework's unit but sits with the base, since the base's timer and
// theme manager build on it.
//
// The window is top-level rather than message-only, so that it also receives the messages the
// system broadcasts to every top-level window (setting, colour and theme changes).
#include "classlib/Messages.h"
#include "classlib/Object.h"
#include "classlib/Win.h"

class TcxMessageWindow : public TObject {
  CL_CLASS(TcxMessageWindow, TObject)
public:
  // Makes the window; raises EOSError when the system refuses it.
  TcxMessageWindow();
  // Destroys the window; the messages its destruction sends reach the base WndProc.
  ~TcxMessageWindow() override;

  HWND Handle() const { return FHandle; }

protected:
  // Receives every message of the window after its creation, exceptions guarded by the caller.
  // The base answers with DefWindowProcA.
  virtual void WndProc(TMessage& message);

private:
  HWND FHandle = nullptr;
};
