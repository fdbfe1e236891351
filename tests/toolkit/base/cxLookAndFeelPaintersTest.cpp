// The painter base: the identity of every painter class, the colour defaults and the operations they
// forward to, the shared glyph routines by their worked examples (pictures of the pixels drawn), the
// cell content with and without a background handler, and the footer and strip geometry.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/GraphicsObjects.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr TColor RedColor = 0x0000FF;
constexpr TColor BlueColor = 0xFF0000;
constexpr TColor GreenColor = 0x00FF00;

using TRows = std::vector<std::string>;

// The base painter with the metrics the glyph routines read set as the standard look has them, and
// the footer parts recorded.
class TMetricPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TMetricPainter, TcxCustomLookAndFeelPainter)
public:
  POINT SortArrowSize() const override { return {8, 7}; }
  POINT CloseCrossButtonSize() const override { return {16, 14}; }
  int BorderWidth() const override { return Border; }
  int FooterSeparatorSize() const override { return 2; }
  int FooterCellBorderWidth() const override { return 1; }
  void DrawFooterSeparator(TcxCanvas* Canvas, const RECT& R) const override { Canvas->FillRectWithColor(R, RedColor); }
  void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const override { Canvas->FillRectWithColor(R, BlueColor); }
  int Border = 0;
};

// Overrides the targets of the forwarding colour operations with colours of its own.
class TForwardTargetPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TForwardTargetPainter, TcxCustomLookAndFeelPainter)
public:
  TColor ContentColor() const override { return 1; }
  TColor GridLineColor() const override { return 2; }
  TColor VerticalGridLineColor() const override { return 3; }
  TColor HeaderColor() const override { return 4; }
  TColor HeaderTextColor() const override { return 5; }
  TColor SelectionTextColor() const override { return 6; }
  TColor HotTrackTextColor() const override { return 7; }
  TColor EditorStateBackgroundColor(TcxEditStateColorKind State) const override { return 100 + static_cast<int>(State); }
  TColor EditorStateTextColor(TcxEditStateColorKind State) const override { return 200 + static_cast<int>(State); }
};
// A colour operation's answer with the one expected.
struct TColorCase {
  const char* Name;
  TColor Actual;
  TColor Expected;
};
template <size_t N>
void ExpectColors(const TColorCase (&cases)[N])
{
  for (const TColorCase& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}
}  // namespace

CL_DEFINE_CLASS(TMetricPainter);
CL_DEFINE_CLASS(TForwardTargetPainter);

// --- Identity ---

TEST(LookAndFeelPainter, IdentityOfEveryPainterClass)
{
  struct TCase {
    TOwned<TcxCustomLookAndFeelPainter> Painter;
    const char* Name;
    TcxPainterStyle Style;
    bool DependsOnSystemTheme;
    TClass Parent;
  };
  ASSERT_TRUE(AreThemesAvailable()) << "the test system runs with visual styles on";
  TCase cases[] = {
    {MakeOwned<TcxCustomLookAndFeelPainter>(), "", cpsStandard, false, TPersistent::StaticClass()},
    {MakeOwned<TcxStandardLookAndFeelPainter>(), "Standard", cpsStandard, false,
     TcxCustomLookAndFeelPainter::StaticClass()},
    {MakeOwned<TcxWinXPLookAndFeelPainter>(), "Native", cpsNative, true, TcxStandardLookAndFeelPainter::StaticClass()},
    {MakeOwned<TcxFlatLookAndFeelPainter>(), "Flat", cpsFlat, false, TcxCustomLookAndFeelPainter::StaticClass()},
    {MakeOwned<TcxUltraFlatLookAndFeelPainter>(), "UltraFlat", cpsUltraFlat, false,
     TcxCustomLookAndFeelPainter::StaticClass()},
    {MakeOwned<TcxOffice11LookAndFeelPainter>(), "Office11", cpsOffice11, true,
     TcxUltraFlatLookAndFeelPainter::StaticClass()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Painter->ClassName());
    EXPECT_EQ(c.Painter->GetPainterName(), c.Name);
    EXPECT_EQ(c.Painter->PainterStyle(), c.Style);
    EXPECT_EQ(c.Painter->DependsOnSystemTheme(), c.DependsOnSystemTheme);
    EXPECT_EQ(c.Painter->ClassType()->Parent, c.Parent);
    EXPECT_FALSE(c.Painter->IsUserSkin());
    TdxSkinLookAndFeelPainterInfo* info = reinterpret_cast<TdxSkinLookAndFeelPainterInfo*>(1);
    EXPECT_FALSE(c.Painter->GetPainterInfo(info));
    EXPECT_EQ(info, nullptr);
    TdxSkinDetails* details = reinterpret_cast<TdxSkinDetails*>(1);
    EXPECT_FALSE(c.Painter->GetSkinDetails(details));
    EXPECT_EQ(details, nullptr);
  }
}

TEST(LookAndFeelPainter, NativePainterDependsOnTheThemeOnlyWhileVisualStylesAreOn)
{
  auto painter = MakeOwned<TcxWinXPLookAndFeelPainter>();
  EXPECT_TRUE(painter->DependsOnSystemTheme());
  {
    TScopedSeam off(dxUxThemeEntryPoints.IsThemeActive, ThemeActiveOff);
    BroadcastToOwnWindows(WM_THEMECHANGED);
    EXPECT_FALSE(painter->DependsOnSystemTheme());
  }
  BroadcastToOwnWindows(WM_THEMECHANGED);
  EXPECT_TRUE(painter->DependsOnSystemTheme());
}

// --- Colours ---

TEST(LookAndFeelPainter, ColourDefaultsOfTheBasePainter)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const TcxCustomLookAndFeelPainter& p = *painter;
  const TColorCase cases[] = {
    {"ContentColor", p.ContentColor(), clWindow},
    {"ContentEvenColor", p.ContentEvenColor(), clWindow},
    {"ContentOddColor", p.ContentOddColor(), clWindow},
    {"ContentTextColor", p.ContentTextColor(), clWindowText},
    {"EditorBackgroundColor(false)", p.EditorBackgroundColor(false), clDefault},
    {"EditorBackgroundColor(true)", p.EditorBackgroundColor(true), clDefault},
    {"EditorStateBackgroundColor", p.EditorStateBackgroundColor(esckReadOnly), clDefault},
    {"EditorTextColor", p.EditorTextColor(true), clDefault},
    {"EditorStateTextColor", p.EditorStateTextColor(esckInactive), clDefault},
    {"FilterPanelColor", p.FilterPanelColor(), clBtnShadow},
    {"FilterPanelTextColor", p.FilterPanelTextColor(), clBtnHighlight},
    {"FixedSeparatorColor", p.FixedSeparatorColor(), clBtnText},
    {"FooterColor", p.FooterColor(), clBtnFace},
    {"FooterTextColor", p.FooterTextColor(), clBtnText},
    {"ExtraColor1", p.ExtraColor1(), clBtnFace},
    {"GridLineColor", p.GridLineColor(), clBtnShadow},
    {"GroupPanelColor", p.GroupPanelColor(), clBtnShadow},
    {"GroupPanelTextColor", p.GroupPanelTextColor(), clBtnFace},
    {"GroupRowColor", p.GroupRowColor(), clBtnFace},
    {"GroupRowTextColor", p.GroupRowTextColor(), clBtnText},
    {"HeaderBackgroundColor", p.HeaderBackgroundColor(), clBtnShadow},
    {"HeaderBackgroundTextColor", p.HeaderBackgroundTextColor(), clBtnFace},
    {"HeaderColor", p.HeaderColor(), clBtnFace},
    {"HeaderTextColor", p.HeaderTextColor(), clBtnText},
    {"HyperLinkTextColor", p.HyperLinkTextColor(), clBlue},
    {"ExtraColor2", p.ExtraColor2(), clBtnFace},
    {"ExtraColor3", p.ExtraColor3(), clBtnText},
    {"LinkTextColor", p.LinkTextColor(), clBlue},
    {"FixedGridLineColor", p.FixedGridLineColor(), clBtnShadow},
    {"FormContentColor", p.FormContentColor(), clBtnFace},
    {"BandBorderColor", p.BandBorderColor(), clBlack},
    {"CategoryColor", p.CategoryColor(), clBtnFace},
    {"CategoryTextColor", p.CategoryTextColor(), clDefault},
    {"RowHeaderColor", p.RowHeaderColor(), clBtnFace},
    {"RowHeaderTextColor", p.RowHeaderTextColor(), clBtnText},
    {"VerticalGridLineColor", p.VerticalGridLineColor(), clBlack},
    {"CalendarContentColor", p.CalendarContentColor(), clWindow},
    {"CalendarHeaderColor", p.CalendarHeaderColor(), clBtnFace},
    {"CalendarHeaderTextColor(false)", p.CalendarHeaderTextColor(false), clBtnText},
    {"CalendarHolidayTextColor", p.CalendarHolidayTextColor(), clRed},
    {"CalendarInactiveDayTextColor", p.CalendarInactiveDayTextColor(), clGrayText},
    {"CalendarSelectedDayColor", p.CalendarSelectedDayColor(), clHighlight},
    {"CalendarSelectedDayTextColor", p.CalendarSelectedDayTextColor(), clHighlightText},
    {"CalendarSeparatorColor", p.CalendarSeparatorColor(), clBtnShadow},
    {"ExtraColor4", p.ExtraColor4(), clWindow},
    {"CalendarDayTextColor", p.CalendarDayTextColor(), clWindowText},
    {"CalendarTodayFrameColor", p.CalendarTodayFrameColor(), clMaroon},
    {"CalendarTodayTextColor", p.CalendarTodayTextColor(), clNavy},
    {"ExtraColor5", p.ExtraColor5(), clWindow},
    {"ExtraColor6", p.ExtraColor6(), clWindowText},
    {"ContainerFrameColor", p.ContainerFrameColor(), 0x9D9DA1},
    {"ExtraColor7", p.ExtraColor7(), clBtnFace},
    {"SchedulerNavigatorColor", p.SchedulerNavigatorColor(), clBtnFace},
    {"SchedulerRulerColor", p.SchedulerRulerColor(), clBtnFace},
    {"SchedulerRulerTextColor", p.SchedulerRulerTextColor(), clBtnText},
    {"SchedulerContentColor", p.SchedulerContentColor(), 0xD5FFFF},
    {"SchedulerSelectedEventTextColor", p.SchedulerSelectedEventTextColor(), clHighlightText},
    {"SchedulerEventTextColor", p.SchedulerEventTextColor(), clWindowText},
    {"SelectionColor", p.SelectionColor(), clHighlight},
    {"SelectionTextColor", p.SelectionTextColor(), clHighlightText},
    {"CardSeparatorColor", p.CardSeparatorColor(), clBtnFace},
    {"ExtraColor8", p.ExtraColor8(), clBtnFace},
    {"ExtraColor9", p.ExtraColor9(), clBtnText},
    {"ExtraColor10", p.ExtraColor10(), clWindow},
    {"ExtraColor11", p.ExtraColor11(), clBtnFace},
    {"ExtraColor12", p.ExtraColor12(), clWhite},
    {"TimeGridHeaderTextColor", p.TimeGridHeaderTextColor(), clBlack},
    {"ExtraColor13", p.ExtraColor13(), clBtnFace},
    {"ExtraColor14", p.ExtraColor14(), clBtnText},
    {"ExtraColor15", p.ExtraColor15(), clWhite},
    {"ExtraColor16", p.ExtraColor16(), clBlack},
    {"ExtraColor17", p.ExtraColor17(), clBlack},
    {"ExtraColor18", p.ExtraColor18(), clBlack},
    {"ExtraColor19", p.ExtraColor19(), 0xCFCFCF},
    {"ExtraColor20", p.ExtraColor20(), clWhite},
    {"ExtraColor21", p.ExtraColor21(), clBtnShadow},
    {"ExtraColor22", p.ExtraColor22(), 0xF0CAA6},
    {"ExtraColor23", p.ExtraColor23(), clNavy},
    {"ChartInfoBorderColor", p.ChartInfoBorderColor(), clBtnShadow},
    {"ChartItemSeparatorColor", p.ChartItemSeparatorColor(), clBtnShadow},
    {"ItemColorBySelection(true)", p.ItemColorBySelection(true), clHighlight},
    {"ItemColorBySelection(false)", p.ItemColorBySelection(false), clBtnShadow},
    {"ItemTextColorBySelection(true)", p.ItemTextColorBySelection(true), clHighlightText},
    {"ItemTextColorBySelection(false)", p.ItemTextColorBySelection(false), clBtnText},
  };
  ExpectColors(cases);
}

TEST(LookAndFeelPainter, ColoursThatForwardFollowTheOperationTheyForwardTo)
{
  auto painter = MakeOwned<TForwardTargetPainter>();
  const TcxCustomLookAndFeelPainter& p = *painter;
  const TColorCase cases[] = {
    {"ContentEvenColor", p.ContentEvenColor(), 1},
    {"ContentOddColor", p.ContentOddColor(), 1},
    {"FixedGridLineColor", p.FixedGridLineColor(), 2},
    {"BandBorderColor", p.BandBorderColor(), 3},
    {"CategoryColor", p.CategoryColor(), 4},
    {"RowHeaderColor", p.RowHeaderColor(), 4},
    {"SchedulerRulerColor", p.SchedulerRulerColor(), 4},
    {"RowHeaderTextColor", p.RowHeaderTextColor(), 5},
    {"SchedulerRulerTextColor", p.SchedulerRulerTextColor(), 5},
    {"CalendarHeaderTextColor(false)", p.CalendarHeaderTextColor(false), 5},
    {"CalendarHeaderTextColor(true)", p.CalendarHeaderTextColor(true), 7},
    {"SchedulerSelectedEventTextColor", p.SchedulerSelectedEventTextColor(), 6},
    {"EditorBackgroundColor(false)", p.EditorBackgroundColor(false), 100},
    {"EditorBackgroundColor(true)", p.EditorBackgroundColor(true), 101},
    {"EditorTextColor(false)", p.EditorTextColor(false), 200},
    {"EditorTextColor(true)", p.EditorTextColor(true), 201},
    // The calendar's content takes the editor background unless that is clDefault.
    {"CalendarContentColor", p.CalendarContentColor(), 100},
  };
  ExpectColors(cases);
}

TEST(LookAndFeelPainter, HotTrackTextColorDependsOnThePlatformVersion)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  {
    TScopedSeam vista(WinVistaOrLater, true);
    EXPECT_EQ(painter->HotTrackTextColor(), 0xCC6600);
    EXPECT_EQ(painter->CalendarHeaderTextColor(true), 0xCC6600);
  }
  {
    TScopedSeam xp(WinVistaOrLater, false);
    EXPECT_EQ(painter->HotTrackTextColor(), clHighlightText);
  }
}

// --- Glyph routines ---

TEST(LookAndFeelPainterGlyphs, CalcArrowPolygon)
{
  struct TCase {
    RECT R;
    int Size;
    bool Proportional;
    TcxArrowDirection Direction;
    POINT Expected[3];
  };
  const TCase cases[] = {
    // n = 4: a 7 x 4 arrow, apex (7, 6), base from (4, 9) to (10, 9).
    {{0, 0, 16, 16}, 0, false, adUp, {{7, 6}, {4, 9}, {10, 9}}},
    {{0, 0, 16, 16}, 0, false, adDown, {{4, 6}, {10, 6}, {7, 9}}},
    {{0, 0, 16, 16}, 0, false, adLeft, {{6, 8}, {9, 5}, {9, 11}}},
    {{0, 0, 16, 16}, 0, false, adRight, {{6, 5}, {6, 11}, {9, 8}}},
    // A given size: 3 makes a 5 x 3 arrow.
    {{0, 0, 16, 16}, 3, false, adDown, {{5, 7}, {9, 7}, {7, 9}}},
    // Proportional: a 30 x 10 rectangle is squared to (10, 0, 20, 10) first, so n = 3.
    {{0, 0, 30, 10}, 0, true, adUp, {{14, 4}, {12, 6}, {16, 6}}},
    // Not proportional, the width decides: n = 8.
    {{0, 0, 30, 10}, 0, false, adUp, {{14, 1}, {7, 8}, {21, 8}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.R << " size " << c.Size << " direction " << static_cast<int>(c.Direction));
    const TcxArrowPoints points = CalcArrowPolygon(c.R, c.Size, c.Proportional, c.Direction);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(points.Points[i].x, c.Expected[i].x) << "point " << i;
      EXPECT_EQ(points.Points[i].y, c.Expected[i].y) << "point " << i;
    }
  }
  EXPECT_EQ(ScrollBarArrowDirection(false, sbeLineBack), adUp);
  EXPECT_EQ(ScrollBarArrowDirection(false, sbeLineForward), adDown);
  EXPECT_EQ(ScrollBarArrowDirection(true, sbeLineBack), adLeft);
  EXPECT_EQ(ScrollBarArrowDirection(true, sbePageForward), adRight);
}

TEST(LookAndFeelPainterGlyphs, DropDownArrowInASixteenPixelSquare)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(16, 16);
  // w = 9, h = 5, y = 6 (MulDiv rounds 5.5 up): the points (3, 6), (11, 6) and (7, 10).
  painter->DrawDropDownArrow(surface.cx(), RECT{0, 0, 16, 16}, RedColor);
  EXPECT_EQ(surface.Picture(RECT{0, 5, 16, 12}, Red), (TRows{
                                                           "................",
                                                           "...#########....",
                                                           "....#######.....",
                                                           ".....#####......",
                                                           "......###.......",
                                                           ".......#........",
                                                           "................",
                                                       }));
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 16}, Red), 25);
}

TEST(LookAndFeelPainterGlyphs, PlusAndMinusSignInAnElevenPixelBox)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(11, 11);
  painter->DrawPlusMinusSign(surface.cx(), RECT{0, 0, 11, 11}, true, RedColor);
  EXPECT_TRUE(surface.ExactlyFills(RECT{2, 5, 9, 6}, Red)) << "a 7-pixel minus";
  surface.Fill(White);
  painter->DrawPlusMinusSign(surface.cx(), RECT{0, 0, 11, 11}, false, RedColor);
  EXPECT_EQ(surface.Picture(RECT{0, 0, 11, 11}, Red), (TRows{
                                                          "...........",
                                                          "...........",
                                                          ".....#.....",
                                                          ".....#.....",
                                                          ".....#.....",
                                                          "..#######..",
                                                          ".....#.....",
                                                          ".....#.....",
                                                          ".....#.....",
                                                          "...........",
                                                          "...........",
                                                      }));
}

TEST(LookAndFeelPainterGlyphs, ToggleChevronsPointUpWhenExpandedAndDownOtherwise)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(15, 15);
  const COLORREF text = Rgb(clBtnText);
  ASSERT_NE(text, White);
  painter->DrawToggleChevrons(surface.cx(), RECT{0, 0, 15, 15}, true, cxbsNormal);
  EXPECT_EQ(surface.Picture(RECT{4, 3, 11, 11}, text), (TRows{
                                                           "...#...",
                                                           "..###..",
                                                           ".##.##.",
                                                           "##...##",
                                                           "...#...",
                                                           "..###..",
                                                           ".##.##.",
                                                           "##...##",
                                                       }));
  EXPECT_EQ(surface.Count(RECT{0, 0, 15, 15}, text), 24);

  surface.Fill(White);
  painter->DrawToggleChevrons(surface.cx(), RECT{0, 0, 15, 15}, false, cxbsNormal);
  EXPECT_EQ(surface.Picture(RECT{4, 4, 11, 12}, text), (TRows{
                                                           "##...##",
                                                           ".##.##.",
                                                           "..###..",
                                                           "...#...",
                                                           "##...##",
                                                           ".##.##.",
                                                           "..###..",
                                                           "...#...",
                                                       }));
  EXPECT_EQ(surface.Count(RECT{0, 0, 15, 15}, text), 24);

  // Disabled chevrons take the disabled glyph colour.
  surface.Fill(White);
  painter->DrawToggleChevrons(surface.cx(), RECT{0, 0, 15, 15}, true, cxbsDisabled);
  EXPECT_EQ(surface.Count(RECT{0, 0, 15, 15}, Rgb(clBtnShadow)), 24);
}

TEST(LookAndFeelPainterGlyphs, SortTriangleHasALightRightEdgeADarkLeftEdgeAndABaseByDirection)
{
  auto painter = MakeOwned<TMetricPainter>();  // SortArrowSize (8, 7)
  TPainterSurface surface(16, 16);
  // Ascending: apex at the top (row 4), base at row 10; x = 7, half = 4, half2 = 3.
  painter->DrawSortTriangle(surface.cx(), RECT{0, 0, 16, 16}, BlueColor, RedColor, true);
  RECT all = surface.Extent(Red);
  const RECT dark = surface.Extent(Blue);
  UnionRect(&all, &all, &dark);
  EXPECT_EQ(all, (RECT{4, 4, 12, 11}));
  EXPECT_EQ(surface.Count(RECT{5, 10, 11, 11}, Red), 6) << "the base is light";
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 10}, Red), surface.Count(RECT{8, 0, 16, 10}, Red)) << "light only right";
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 10}, Blue), surface.Count(RECT{0, 0, 8, 10}, Blue)) << "dark only left";
  EXPECT_GT(surface.Count(RECT{8, 4, 16, 10}, Red), 6);
  EXPECT_GT(surface.Count(RECT{0, 4, 8, 10}, Blue), 6);

  // Descending: apex at the bottom (row 10), base at row 4, drawn dark.
  surface.Fill(White);
  painter->DrawSortTriangle(surface.cx(), RECT{0, 0, 16, 16}, BlueColor, RedColor, false);
  EXPECT_EQ(surface.Count(RECT{5, 4, 11, 5}, Blue), 6) << "the base is dark";
  EXPECT_EQ(surface.Count(RECT{0, 5, 16, 16}, Red), surface.Count(RECT{8, 5, 16, 16}, Red)) << "light only right";
  EXPECT_EQ(surface.Count(RECT{0, 5, 16, 16}, Blue), surface.Count(RECT{0, 5, 8, 16}, Blue)) << "dark only left";
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 4}, Red) + surface.Count(RECT{0, 0, 16, 4}, Blue), 0);
  EXPECT_EQ(surface.Count(RECT{0, 11, 16, 16}, Red) + surface.Count(RECT{0, 11, 16, 16}, Blue), 0);
}

TEST(LookAndFeelPainterGlyphs, CloseCrossIsSevenPixelsAndMovesWhenPressed)
{
  auto painter = MakeOwned<TMetricPainter>();  // CloseCrossButtonSize (16, 14): a = 7
  TPainterSurface surface(16, 16);
  const TRows cross = {
    "##....##",
    ".##..##.",
    "..####..",
    "...##...",
    "..####..",
    ".##..##.",
    "##....##",
  };
  painter->DrawCloseCross(surface.cx(), RECT{0, 0, 16, 16}, cxbsNormal, RedColor);
  EXPECT_EQ(surface.Picture(RECT{4, 4, 12, 11}, Red), cross);
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 16}, Red), 26);
  surface.Fill(White);
  painter->DrawCloseCross(surface.cx(), RECT{0, 0, 16, 16}, cxbsPressed, RedColor);
  EXPECT_EQ(surface.Picture(RECT{5, 5, 13, 12}, Red), cross);
}

TEST(LookAndFeelPainterGlyphs, HeaderSideArrowsPointOutward)
{
  auto painter = MakeOwned<TMetricPainter>();
  TPainterSurface surface(21, 12);
  // R' = (0, 1, 20, 11): d = 5, y0 = 2, h = 2; edges at x = 3 and x = 17.
  painter->DrawHeaderSideArrows(surface.cx(), RECT{0, 0, 20, 12}, 3, 4, RedColor);
  EXPECT_EQ(surface.Picture(RECT{0, 1, 21, 10}, Red), (TRows{
                                                          ".....................",
                                                          "...#.............#...",
                                                          "..##.............##..",
                                                          ".###.............###.",
                                                          "####.............####",
                                                          ".###.............###.",
                                                          "..##.............##..",
                                                          "...#.............#...",
                                                          ".....................",
                                                      }));
  // One side only, and the border width moves the arrow down.
  surface.Fill(White);
  painter->Border = 2;
  painter->DrawHeaderSideArrows(surface.cx(), RECT{0, 0, 20, 12}, 1, 4, RedColor);
  EXPECT_EQ(surface.Count(RECT{10, 0, 21, 12}, Red), 0);
  EXPECT_EQ(surface.Extent(Red), (RECT{0, 3, 4, 10}));
}

// --- Cell content, backgrounds and geometry ---

namespace {
class TBackgroundHandler : public TObject {
  CL_CLASS(TBackgroundHandler, TObject)
public:
  bool Draw(TcxCanvas*, const RECT& R)
  {
    Bounds.push_back(R);
    return Answer;
  }
  std::vector<RECT> Bounds;
  bool Answer = true;
};
}  // namespace

CL_DEFINE_CLASS(TBackgroundHandler);

TEST(LookAndFeelPainter, CellContentLeavesTheBackgroundToAHandlerThatPaintsIt)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  auto handler = MakeOwned<TBackgroundHandler>();
  auto font = MakeOwned<TFont>();
  TPainterSurface surface(80, 30);
  const RECT bounds{0, 0, 80, 30};
  const RECT textBounds{10, 5, 70, 25};

  painter->DrawCellContent(surface.cx(), bounds, textBounds, cxbsNormal, taCenter, vaCenter, false, false, "Wg",
                           font.get(), BlueColor, RedColor,
                           TcxDrawBackgroundEvent(handler.get(), &TBackgroundHandler::Draw), false);
  ASSERT_EQ(handler->Bounds.size(), 1u);
  EXPECT_EQ(handler->Bounds[0], bounds);
  EXPECT_EQ(surface.Count(bounds, Red), 0) << "the background is the handler's";
  EXPECT_GT(surface.Count(textBounds, Blue), 0) << "the text is drawn all the same";
  EXPECT_EQ(surface.Count(bounds, Blue), surface.Count(textBounds, Blue));
  EXPECT_EQ(surface.cx()->GetCurrentBrush()->Style(), TBrushStyle::bsSolid);

  // A handler that answers false leaves the background to the painter.
  handler->Answer = false;
  surface.Fill(White);
  painter->DrawCellContent(surface.cx(), bounds, textBounds, cxbsNormal, taLeftJustify, vaTop, true, true, "Wg",
                           font.get(), BlueColor, RedColor,
                           TcxDrawBackgroundEvent(handler.get(), &TBackgroundHandler::Draw), true);
  EXPECT_GT(surface.Count(bounds, Red), 80 * 30 - 200);
  EXPECT_GT(surface.Count(textBounds, Blue), 0);

  // No handler and no text: the background only.
  surface.Fill(White);
  painter->DrawCellContent(surface.cx(), bounds, textBounds, cxbsNormal, taLeftJustify, vaTop, false, false, "",
                           font.get(), BlueColor, GreenColor, {}, false);
  EXPECT_TRUE(surface.ExactlyFills(bounds, Green));
}

TEST(LookAndFeelPainter, TextFlagsFromAlignmentLinesAndEllipsis)
{
  EXPECT_EQ(cxTextFlags(taLeftJustify, vaTop, false, false), 0x01 | 0x08 | 0x40);
  EXPECT_EQ(cxTextFlags(taRightJustify, vaBottom, true, false), 0x02 | 0x10 | 0x400);
  EXPECT_EQ(cxTextFlags(taCenter, vaCenter, false, true), 0x04 | 0x20 | 0x40 | 0x800);
}

TEST(LookAndFeelPainter, FillBackgroundWithAColourOrATiledBitmap)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(20, 20);
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->Brush()->SetColor(BlueColor);
  bitmap->Canvas()->FillRect(RECT{0, 0, 4, 4});
  bitmap->Canvas()->SetPixels(0, 0, RedColor);

  // Without UseBitmap the bitmap is ignored.
  painter->FillBackground(surface.cx(), RECT{2, 2, 10, 10}, false, GreenColor, bitmap.get());
  EXPECT_TRUE(surface.ExactlyFills(RECT{2, 2, 10, 10}, Green));
  // UseBitmap without a bitmap draws nothing.
  surface.Fill(White);
  painter->FillBackground(surface.cx(), RECT{2, 2, 10, 10}, true, GreenColor, nullptr);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, White), 400);
  // The bitmap is tiled from the canvas origin: its corner pixel lands on multiples of 4.
  painter->FillBackground(surface.cx(), RECT{2, 2, 10, 10}, true, GreenColor, bitmap.get());
  EXPECT_EQ(surface.Picture(RECT{2, 2, 10, 10}, Red), (TRows{
                                                          "........",
                                                          "........",
                                                          "..#...#.",
                                                          "........",
                                                          "........",
                                                          "........",
                                                          "..#...#.",
                                                          "........",
                                                      }));
  EXPECT_EQ(surface.Count(RECT{2, 2, 10, 10}, Blue), 60);
}

TEST(LookAndFeelPainter, FooterPanelAndCellBounds)
{
  auto painter = MakeOwned<TMetricPainter>();  // separator 2, cell border 1
  TPainterSurface surface(20, 20);
  painter->DrawFooterPanel(surface.cx(), RECT{0, 0, 20, 10}, cxBordersAll);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 20, 2}, Red)) << "the separator strip";
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 2, 20, 10}, Blue)) << "the edges below it";

  EXPECT_EQ(painter->FooterCellContentBounds(RECT{0, 0, 20, 10}), (RECT{1, 1, 19, 9}));
  EXPECT_EQ(painter->FooterCellTextBounds(RECT{0, 0, 20, 10}), (RECT{3, 3, 17, 7}));
  auto base = MakeOwned<TcxCustomLookAndFeelPainter>();
  EXPECT_EQ(base->CalcCenteredStrip(RECT{0, 0, 10, 20}, 2, true), (RECT{4, 0, 6, 20}));
  EXPECT_EQ(base->CalcCenteredStrip(RECT{0, 0, 10, 20}, 3, false), (RECT{0, 9, 10, 12}));
  EXPECT_EQ(base->CalcCenteredStrip(RECT{5, 5, 16, 6}, 5, true), (RECT{8, 5, 13, 6}));
}
