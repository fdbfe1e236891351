#include <gtest/gtest.h>
#include "toolkit/bars/dxCommon.h"

namespace {
struct CornerCase {
  RECT Popup;
  TdxCorner Corner;
  int HitTest;
};
}  // namespace

TEST(dxCommon, ThePopupCornerAwayFromItsOwner)
{
  const RECT owner{100, 100, 200, 150};
  const CornerCase cases[] = {
      {{200, 150, 300, 250}, 0, HTTOPLEFT},      // right of and below the owner
      {{250, 40, 350, 140}, 2, HTBOTTOMLEFT},    // right of the owner, ending above its bottom
      {{0, 160, 150, 260}, 1, HTTOPRIGHT},       // starting left of the owner's right, below it
      {{0, 0, 100, 100}, 3, HTBOTTOMRIGHT},      // left of and above the owner
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetCornerForRects(c.Popup, owner), c.Corner);
    EXPECT_EQ(GetHitTestByCorner(c.Corner), c.HitTest);
  }
}
