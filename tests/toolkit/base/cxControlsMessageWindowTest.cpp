// The toolkit's hidden message window: a hidden top-level window whose messages reach the virtual
// WndProc, that hears broadcasts and goes with its object.
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/MessagePump.h"
#include "toolkit/base/cxControlsMessageWindow.h"

namespace {
constexpr UINT MsgProbe = WM_APP + 3;

class TProbeWindow : public TcxMessageWindow {
  CL_CLASS(TProbeWindow, TcxMessageWindow)
public:
  std::vector<UINT> Seen;
  bool Fail = false;

protected:
  void WndProc(TMessage& message) override
  {
    if (message.Msg == MsgProbe || message.Msg >= 0xC000) {
      Seen.push_back(message.Msg);
      if (Fail) throw Exception("probe failed");
      message.Result = 7;
      return;
    }
    TcxMessageWindow::WndProc(message);
  }
};
CL_DEFINE_CLASS(TProbeWindow);
}  // namespace

TEST(cxMessageWindow, HiddenTopLevelWindowWithAVirtualWindowProcedure)
{
  TOwned<TProbeWindow> window = MakeOwned<TProbeWindow>();
  HWND handle = window->Handle();
  ASSERT_TRUE(IsWindow(handle));
  EXPECT_FALSE(IsWindowVisible(handle));
  EXPECT_FALSE(GetWindowLongPtrA(handle, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetAncestor(handle, GA_PARENT), GetDesktopWindow());  // not a message-only window

  EXPECT_EQ(SendMessageA(handle, MsgProbe, 0, 0), 7);
  // The base answers what the derived class passes on like the default procedure.
  SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("标题"));
  char text[16] = {};
  EXPECT_EQ(SendMessageA(handle, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 4);
  EXPECT_STREQ(text, "标题");

  // It is a top-level window, so it hears what is sent to every top-level window.
  UINT broadcast = RegisterWindowMessageA("cxMessageWindowTestBroadcast");
  BroadcastToOwnWindows(broadcast);
  EXPECT_EQ(window->Seen, (std::vector<UINT>{MsgProbe, broadcast}));

  // An exception in the procedure stays inside it.
  static int GHandled = 0;
  GHandled = 0;
  TExceptionHandler saved = SetExceptionHandler([](std::exception_ptr) { ++GHandled; });
  window->Fail = true;
  SendMessageA(handle, MsgProbe, 0, 0);
  SetExceptionHandler(saved);
  EXPECT_EQ(GHandled, 1);

  window.reset();
  EXPECT_FALSE(IsWindow(handle));
}
