#include "toolkit/base/cxControlsMessageWindow.h"

#include "classlib/ObjectWindows.h"

CL_DEFINE_CLASS(TcxMessageWindow);

TcxMessageWindow::TcxMessageWindow()
{
  // The window sends nothing to the method before AllocateHWnd returns: its creation messages go to
  // the default procedure. The messages of its destruction reach this class's WndProc, since C++
  // dispatches to the class being destroyed.
  FHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); }, this);
}

TcxMessageWindow::~TcxMessageWindow()
{
  DeallocateHWnd(FHandle);
}

void TcxMessageWindow::WndProc(TMessage& message)
{
  message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
}
