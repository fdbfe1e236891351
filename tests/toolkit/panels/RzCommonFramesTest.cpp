// Frame drawing of the panels: the interior every frame style leaves on every set of sides, the
// colours of the lines each style draws, the cut corners of rounded frames, the panel's frame of
// outer frame, border band and inner frame, and text output on a canvas.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/toolkit/panels/PanelsTestSupport.h"
#include "toolkit/panels/RzCommonColors.h"
#include "toolkit/panels/RzCommonFrames.h"

namespace {
constexpr TFrameStyleEx AllStyles[] = {
  TFrameStyleEx::fsNone,       TFrameStyleEx::fsFlat,     TFrameStyleEx::fsGroove,   TFrameStyleEx::fsBump,
  TFrameStyleEx::fsLowered,    TFrameStyleEx::fsButtonDown, TFrameStyleEx::fsRaised, TFrameStyleEx::fsButtonUp,
  TFrameStyleEx::fsStatus,     TFrameStyleEx::fsPopup,    TFrameStyleEx::fsFlatBold, TFrameStyleEx::fsFlatRounded};

// How far a style's frame reaches in from each side it is drawn on (bevels of the panel's own
// fsStatus and fsPopup frames are bevelWidth lines).
int Thickness(TFrameStyleEx style, int bevelWidth = 1)
{
  switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return bevelWidth;
    default: return 2;
  }
}

RECT Inset(const RECT& r, TSides sides, int n)
{
  return RECT{r.left + (sides.Contains(TSide::sdLeft) ? n : 0), r.top + (sides.Contains(TSide::sdTop) ? n : 0),
              r.right - (sides.Contains(TSide::sdRight) ? n : 0),
              r.bottom - (sides.Contains(TSide::sdBottom) ? n : 0)};
}

std::string Describe(TFrameStyleEx style, TSides sides)
{
  return std::string(FrameStyleExInfo.NameOf(static_cast<int>(style))) + " " + SetToString(SideInfo, sides.ToInt());
}

constexpr COLORREF Background = RGB(255, 0, 255);
}  // namespace

TEST(RzFrames, EveryStyleOnEverySetOfSidesLeavesItsInterior)
{
  TCanvasOnSurface target(48, 40);
  const RECT r{3, 4, 41, 33};
  for (TFrameStyleEx style : AllStyles)
    for (uint64_t bits = 0; bits < 16; ++bits) {
      const TSides sides = TSides::FromInt(bits);
      const RECT inner = DrawFrameStyleSides(target.Canvas(), r, style, sides);
      const RECT expected = Inset(r, sides, Thickness(style));
      EXPECT_TRUE(EqualRect(&inner, &expected)) << Describe(style, sides);
    }
  for (TFrameStyleEx style : AllStyles) {
    const RECT inner = DrawFrameStyle(target.Canvas(), r, style), expected = Inset(r, sdAllSides, Thickness(style));
    EXPECT_TRUE(EqualRect(&inner, &expected)) << Describe(style, sdAllSides);
  }
}

TEST(RzFrames, LinesTakeTheUpperLeftAndLowerRightColoursOfTheirStyle)
{
  struct TCase {
    TFrameStyleEx Style;
    TColor OuterLeft, InnerLeft, OuterRight, InnerRight;  // clNone: not drawn
  };
  const TCase cases[] = {
    {TFrameStyleEx::fsFlat, cl3DDkShadow, clNone, cl3DDkShadow, clNone},
    {TFrameStyleEx::fsStatus, clBtnShadow, clNone, clBtnHighlight, clNone},
    {TFrameStyleEx::fsPopup, clBtnHighlight, clNone, clBtnShadow, clNone},
    {TFrameStyleEx::fsFlatBold, clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow},
    {TFrameStyleEx::fsGroove, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
    {TFrameStyleEx::fsBump, clBtnHighlight, clBtnShadow, clBtnShadow, clBtnHighlight},
    {TFrameStyleEx::fsLowered, clBtnShadow, cl3DDkShadow, clBtnHighlight, cl3DLight},
    {TFrameStyleEx::fsRaised, cl3DLight, clBtnHighlight, cl3DDkShadow, clBtnShadow},
    {TFrameStyleEx::fsButtonDown, clBtnText, clBtnShadow, clBtnText, clBtnShadow},
    {TFrameStyleEx::fsButtonUp, clBtnHighlight, cl3DLight, cl3DDkShadow, clBtnShadow},
  };
  for (const TCase& c : cases) {
    TCanvasOnSurface target(20, 16, Background);
    DrawFrameStyle(target.Canvas(), RECT{0, 0, 20, 16}, c.Style);
    const char* name = FrameStyleExInfo.NameOf(static_cast<int>(c.Style)).data();
    // Left and top share the upper-left colours, right and bottom the lower-right ones.
    EXPECT_EQ(target.Pixel(0, 8), Rgb(c.OuterLeft)) << name;
    EXPECT_EQ(target.Pixel(10, 0), Rgb(c.OuterLeft)) << name;
    EXPECT_EQ(target.Pixel(19, 8), Rgb(c.OuterRight)) << name;
    EXPECT_EQ(target.Pixel(10, 15), Rgb(c.OuterRight)) << name;
    EXPECT_EQ(target.Pixel(1, 8), c.InnerLeft == clNone ? Background : Rgb(c.InnerLeft)) << name;
    EXPECT_EQ(target.Pixel(10, 1), c.InnerLeft == clNone ? Background : Rgb(c.InnerLeft)) << name;
    EXPECT_EQ(target.Pixel(18, 8), c.InnerRight == clNone ? Background : Rgb(c.InnerRight)) << name;
    EXPECT_EQ(target.Pixel(10, 14), c.InnerRight == clNone ? Background : Rgb(c.InnerRight)) << name;
    EXPECT_EQ(target.Pixel(10, 8), Background) << name;
  }
}

TEST(RzFrames, FrameSidesDrawOnlyTheSidesAskedAndNoneColoursOnlyMoveTheInterior)
{
  TCanvasOnSurface target(14, 14);
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  DrawFrameSides(target.Canvas(), RECT{2, 2, 12, 12}, 0x0000FF, 0xFF0000, sdAllSides);
  // The lower-right lines come last and take the two corners they share with the others.
  EXPECT_EQ(target.Pixel(2, 2), red);
  EXPECT_EQ(target.Pixel(11, 2), blue);
  EXPECT_EQ(target.Pixel(2, 11), blue);
  EXPECT_EQ(target.Pixel(11, 11), blue);
  EXPECT_EQ(target.Surface().Count(RECT{0, 0, 14, 14}, red), 17);
  EXPECT_EQ(target.Surface().Count(RECT{0, 0, 14, 14}, blue), 19);
  EXPECT_EQ(target.Surface().Count(RECT{3, 3, 11, 11}, Background), 64);

  TCanvasOnSurface partial(14, 14);
  const RECT inner =
      DrawFrameSides(partial.Canvas(), RECT{2, 2, 12, 12}, 0x0000FF, 0xFF0000, TSides{TSide::sdLeft, TSide::sdBottom});
  const RECT expected{3, 2, 12, 11};
  EXPECT_TRUE(EqualRect(&inner, &expected));
  const RECT leftLine{2, 2, 3, 12}, bottomLine{2, 11, 12, 12};
  EXPECT_EQ(partial.Surface().Count(leftLine, red), 9);  // the bottom line took (2, 11)
  EXPECT_TRUE(partial.Surface().ExactlyFills(bottomLine, blue));

  TCanvasOnSurface none(14, 14);
  const RECT untouched = DrawFrameSides(none.Canvas(), RECT{2, 2, 12, 12}, clNone, clNone, sdAllSides);
  const RECT deflated{3, 3, 11, 11};
  EXPECT_TRUE(EqualRect(&untouched, &deflated));
  EXPECT_TRUE(none.Surface().ExactlyFills(RECT{0, 0, 14, 14}, Background));
}

TEST(RzFrames, RoundedFramesCutTheCornersOfTwoDrawnSides)
{
  TCanvasOnSurface target(12, 10);
  const COLORREF c = RGB(0, 128, 0);
  const RECT inner = DrawRoundedFlatFrame(target.Canvas(), RECT{0, 0, 12, 10}, 0x008000, sdAllSides);
  const RECT expected{2, 2, 10, 8};
  EXPECT_TRUE(EqualRect(&inner, &expected));
  for (POINT corner : {POINT{0, 0}, POINT{11, 0}, POINT{0, 9}, POINT{11, 9}, POINT{1, 0}, POINT{0, 1}})
    EXPECT_EQ(target.Pixel(corner.x, corner.y), Background) << corner.x << "," << corner.y;
  for (POINT p : {POINT{1, 1}, POINT{10, 1}, POINT{10, 8}, POINT{1, 8}, POINT{2, 0}, POINT{9, 0}, POINT{0, 2},
                  POINT{0, 7}, POINT{11, 5}, POINT{5, 9}})
    EXPECT_EQ(target.Pixel(p.x, p.y), c) << p.x << "," << p.y;
  EXPECT_EQ(target.Pixel(0, 8), Background);  // the left line stops 2 short of the bottom

  // Without the top side the left line runs to the top edge and the top corners stay square.
  TCanvasOnSurface open(12, 10);
  const RECT openInner = DrawRoundedFlatFrame(open.Canvas(), RECT{0, 0, 12, 10}, 0x008000,
                                              TSides{TSide::sdLeft, TSide::sdRight, TSide::sdBottom});
  const RECT openExpected{2, 0, 10, 8};
  EXPECT_TRUE(EqualRect(&openInner, &openExpected));
  EXPECT_EQ(open.Pixel(0, 0), c);
  EXPECT_EQ(open.Pixel(1, 1), Background);
  EXPECT_EQ(open.Pixel(1, 8), c);
}

TEST(RzPanelBorders, TheInteriorIsLeftByOuterFrameBandAndInnerFrame)
{
  TCanvasOnSurface target(60, 50);
  const RECT r{2, 3, 58, 47};
  const TSides sideSets[] = {sdAllSides, TSides{TSide::sdLeft, TSide::sdBottom}, TSides{TSide::sdTop}};
  for (TFrameStyleEx outer : AllStyles)
    for (TFrameStyleEx inner : AllStyles)
      for (int borderWidth : {0, 2})
        for (int bevelWidth : {1, 3})
          for (TSides sides : sideSets) {
            TRzPanelBorders b;
            b.Outer = outer;
            b.Inner = inner;
            b.BorderWidth = borderWidth;
            b.BevelWidth = bevelWidth;
            b.Sides = sides;
            b.Transparent = borderWidth == 2;
            const RECT interior = DrawPanelBorders(target.Canvas(), r, b);
            const RECT expected =
                Inset(r, sides, Thickness(outer, bevelWidth) + borderWidth + Thickness(inner, bevelWidth));
            ASSERT_TRUE(EqualRect(&interior, &expected))
                << Describe(outer, sides) << " / " << Describe(inner, sides) << " band " << borderWidth << " bevel "
                << bevelWidth;
          }
}

TEST(RzPanelBorders, RingsTakeTheirColoursFromTheSettings)
{
  TRzPanelBorders b;
  b.Outer = TFrameStyleEx::fsFlatRounded;
  b.Inner = TFrameStyleEx::fsStatus;
  b.BorderWidth = 2;
  b.BevelWidth = 2;
  b.ParentColor = 0x0000FF;
  b.Color = 0x00FF00;
  b.BorderColor = 0xFF0000;
  b.FlatColor = 0x404040;
  b.FlatColorAdjustment = 0;
  b.ShadowColor = 0x008080;
  b.HighlightColor = 0x800080;
  TCanvasOnSurface target(40, 30);
  const RECT interior = DrawPanelBorders(target.Canvas(), RECT{0, 0, 40, 30}, b);
  const RECT expected{2 + 2 + 2, 6, 34, 24};
  EXPECT_TRUE(EqualRect(&interior, &expected));
  EXPECT_EQ(target.Pixel(0, 0), RGB(255, 0, 0));       // the cut corner shows the parent's colour
  EXPECT_EQ(target.Pixel(1, 1), RGB(0x40, 0x40, 0x40));  // the rounding pixel in the flat colour
  EXPECT_EQ(target.Pixel(0, 15), RGB(0x40, 0x40, 0x40));
  EXPECT_EQ(target.Pixel(1, 15), RGB(0, 0, 255));      // inside the rounded line: the band's colour
  EXPECT_EQ(target.Pixel(2, 15), RGB(0, 0, 255));      // the band, two pixels
  EXPECT_EQ(target.Pixel(3, 15), RGB(0, 0, 255));
  EXPECT_EQ(target.Pixel(4, 15), RGB(0x80, 0x80, 0));  // the status bevel: two shadow lines
  EXPECT_EQ(target.Pixel(5, 15), RGB(0x80, 0x80, 0));
  EXPECT_EQ(target.Pixel(35, 15), RGB(0x80, 0, 0x80)); // and two highlight lines on the right
  EXPECT_EQ(target.Pixel(6, 15), Background);

  // A flat colour is drawn with its lightness adjusted.
  TRzPanelBorders flat;
  flat.Outer = TFrameStyleEx::fsFlat;
  flat.FlatColor = 0x404040;
  flat.FlatColorAdjustment = 30;
  TCanvasOnSurface lined(10, 10);
  DrawPanelBorders(lined.Canvas(), RECT{0, 0, 10, 10}, flat);
  EXPECT_EQ(lined.Pixel(0, 5), Rgb(LightenColor(0x404040, 30)));
  EXPECT_EQ(lined.Pixel(1, 5), Background);
}

TEST(RzPanelBorders, ARoundedInnerFlatFrameLeavesItsCornersOut)
{
  TRzPanelBorders b;
  b.Inner = TFrameStyleEx::fsFlat;
  b.RoundInnerFlat = true;
  b.FlatColor = 0x404040;
  b.FlatColorAdjustment = 0;
  b.Sides = TSides{TSide::sdLeft};
  TCanvasOnSurface target(10, 10);
  const RECT interior = DrawPanelBorders(target.Canvas(), RECT{0, 0, 10, 10}, b);
  const RECT expected{1, 1, 9, 9};  // on all four sides, whatever the panel's sides
  EXPECT_TRUE(EqualRect(&interior, &expected));
  EXPECT_EQ(target.Pixel(0, 0), Background);
  EXPECT_EQ(target.Pixel(9, 9), Background);
  EXPECT_EQ(target.Pixel(0, 5), RGB(0x40, 0x40, 0x40));
  EXPECT_EQ(target.Pixel(9, 5), RGB(0x40, 0x40, 0x40));
}

TEST(RzFrames, TextOnACanvasIsMeasuredAndDrawnWithItsFont)
{
  TCanvasOnSurface target(200, 40, RGB(255, 255, 255));
  target.Canvas()->Font()->SetColor(clBlack);
  RECT measure{0, 0, 200, 40};
  const int height = DrawTextOnCanvas(target.Canvas(), "Pp", measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(height, target.Canvas()->TextHeight("Pp"));
  EXPECT_EQ(measure.right - measure.left, target.Canvas()->TextWidth("Pp"));
  EXPECT_TRUE(target.Surface().ExactlyFills(RECT{0, 0, 200, 40}, RGB(255, 255, 255)));  // measuring draws nothing

  RECT draw{10, 5, 200, 40};
  DrawTextOnCanvas(target.Canvas(), std::string("Pp\0hidden", 9), draw, DT_SINGLELINE | DT_NOPREFIX);
  int left = 200, right = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      if (target.Pixel(x, y) != RGB(255, 255, 255)) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
      }
  EXPECT_GE(left, 10);
  EXPECT_GT(right, left);
  EXPECT_LE(right, 10 + target.Canvas()->TextWidth("Pp"));  // the text ends at its null character
}
