// The tests' count of the thread's windows (tests/support): top-level windows and their children at
// any depth, none of another thread's.
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#include "classlib/Win.h"
#include "tests/support/WindowCount.h"

namespace {
HWND NewWindow(HWND parent)
{
  return CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

TEST(WindowCount, SeesTenMoreAfterTenWindowsAreMadeAndNoneOnceTheyAreFreed)
{
  const int before = ThreadWindowCount();
  // Four top-level windows, with a child, a grandchild and more children: ten in all.
  std::vector<HWND> tops;
  for (int i = 0; i < 4; ++i) tops.push_back(NewWindow(nullptr));
  const HWND child = NewWindow(tops[0]);
  NewWindow(child);
  for (int i = 0; i < 4; ++i) NewWindow(tops[1]);
  EXPECT_EQ(ThreadWindowCount(), before + 10);

  // Another thread's window is not this thread's.
  const HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const HANDLE counted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    const HWND wnd = NewWindow(nullptr);
    SetEvent(made);
    WaitForSingleObject(counted, 10000);
    DestroyWindow(wnd);
  });
  WaitForSingleObject(made, 10000);
  EXPECT_EQ(ThreadWindowCount(), before + 10);
  SetEvent(counted);
  other.join();
  CloseHandle(made);
  CloseHandle(counted);

  for (HWND wnd : tops) DestroyWindow(wnd);  // children go with their parents
  EXPECT_EQ(ThreadWindowCount(), before);
}
