// A popup menu's wait: messages go on while the menu is open, commands and the quit come after.
#include <gtest/gtest.h>
#include <vector>
#include "tests/support/MessagePump.h"
#include "toolkit/bars/dxBarPopupMenuWait.h"

namespace {
constexpr UINT WM_CLOSEMENU = WM_APP + 1;
constexpr UINT WM_OTHER = WM_APP + 2;

std::vector<UINT> Log;  // what the window handled, in order (WM_COMMAND as its id)
bool MenuOpen = false;

LRESULT CALLBACK RecordingWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
  case WM_COMMAND: Log.push_back(LOWORD(wParam)); return 0;
  case WM_OTHER: Log.push_back(WM_OTHER); return 0;
  case WM_CLOSEMENU: Log.push_back(WM_CLOSEMENU); MenuOpen = false; return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

class dxBarPopupMenuWait : public ::testing::Test {
protected:
  void SetUp() override
  {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "dxBarPopupMenuWaitTest";
    RegisterClassA(&wc);
    FWnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(FWnd, nullptr);
    HandleWaitingMessages();
    Log.clear();
    MenuOpen = true;
  }
  void TearDown() override { DestroyWindow(FWnd); }
  HWND FWnd = nullptr;
};
} // namespace

TEST_F(dxBarPopupMenuWait, HandlesMessagesWhileOpenAndRunsCommandsAfterClosing)
{
  PostMessageA(FWnd, WM_COMMAND, 101, 0);
  PostMessageA(FWnd, WM_OTHER, 0, 0);
  PostMessageA(FWnd, WM_COMMAND, 102, 0);
  PostMessageA(FWnd, WM_CLOSEMENU, 0, 0);
  dxBarWaitWhileMenuOpen([] { return MenuOpen; });
  EXPECT_EQ(Log, (std::vector<UINT>{WM_OTHER, WM_CLOSEMENU}));
  HandleWaitingMessages();
  EXPECT_EQ(Log, (std::vector<UINT>{WM_OTHER, WM_CLOSEMENU, 101, 102}));
}

TEST_F(dxBarPopupMenuWait, ReturnsAtOnceWhenTheMenuIsNotOpen)
{
  MenuOpen = false;
  PostMessageA(FWnd, WM_OTHER, 0, 0);
  dxBarWaitWhileMenuOpen([] { return MenuOpen; });
  EXPECT_TRUE(Log.empty());
  HandleWaitingMessages();
  EXPECT_EQ(Log, std::vector<UINT>{WM_OTHER});
}

TEST_F(dxBarPopupMenuWait, AQuitEndsTheWaitAndIsPostedAgainAfterTheHeldCommands)
{
  PostMessageA(FWnd, WM_COMMAND, 101, 0);
  PostQuitMessage(7);
  dxBarWaitWhileMenuOpen([] { return MenuOpen; });
  EXPECT_TRUE(MenuOpen);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_COMMAND));
  EXPECT_EQ(LOWORD(msg.wParam), 101);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, WPARAM(7));
}
