#pragma once
// The count of this thread's windows: its top-level windows and all their child windows. With the
// class library's count of live GDI objects (LiveGdiObjects) it is the tests' leak check, since
// GetGuiResources answers 0 under Wine:
//
//   const int windowsBefore = ThreadWindowCount(), gdiBefore = LiveGdiObjects();
//   for (int i = 0; i < 20; ++i) MakeUseAndFree();
//   HandleWaitingMessages();
//   EXPECT_EQ(ThreadWindowCount(), windowsBefore);
//   EXPECT_EQ(LiveGdiObjects(), gdiBefore);
int ThreadWindowCount();
