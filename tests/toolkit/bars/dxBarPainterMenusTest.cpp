// The base painter's menu metrics.
#include <gtest/gtest.h>
#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphicsCanvas.h"

namespace {
// Gives the canvas a font whose digit is the given height (font heights map to cell heights
// through the installed fonts, so the request is searched for); answers whether one was found.
bool SetDigitHeight(TcxCanvas* canvas, int height)
{
  for (int request = height - 6; request <= height + 6; ++request)
    for (int sign : {1, -1}) {
      canvas->GetCurrentFont()->SetHeight(sign * request);
      if (canvas->MeasureTextHeight("0") == height) return true;
    }
  return false;
}
} // namespace

TEST(dxBarPainterMenus, TheTextHeightUnitKeepsAnEvenStripeMargin)
{
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(20, 20);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
  TOwned<TdxBarPainter> painter = MakeOwned<TdxBarPainter>(nullptr);
  // (digit height, text size) -> (text height unit, arrow width): a digit 11 high gives 12 whose
  // margin 3 is odd, so 2 * 3 + 4 (below the font's own height); 13 gives 14 whose margin 4 is even.
  struct {
    int DigitHeight, TextSize, TextHeight, ArrowWidth;
  } const cases[] = {{11, 13, 10, 10}, {13, 16, 14, 13}, {16, 8, 14, 7}, {18, 8, 19, 7}};
  for (auto c : cases) {
    ASSERT_TRUE(SetDigitHeight(canvas.get(), c.DigitHeight)) << c.DigitHeight;
    int textHeight = -1, arrowWidth = -1;
    painter->CalcSubMenuMetrics(canvas.get(), c.TextSize, textHeight, arrowWidth);
    EXPECT_EQ(textHeight, c.TextHeight) << c.DigitHeight;
    EXPECT_EQ(arrowWidth, c.ArrowWidth) << c.TextSize;
  }
}
