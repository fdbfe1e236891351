// The Office 2003 painter: its colours in each Office 2003 scheme and without one (the schemes are
// reached by giving the scheme detection the names of their styles), the header background and edges
// with their gradients and blended corner pixels, the bitmap expand boxes, its frames and buttons,
// and what it takes from the native painter with visual styles on and off.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/cxPainterPicturesTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
constexpr TColor Red = 0x0000FF;

TcxOffice11LookAndFeelPainter* Office11()
{
  return RegisteredPainter<TcxOffice11LookAndFeelPainter>(cpsOffice11);
}

// The Office 2003 scheme of a style's colour name, put back to the system's after the test.
class Office11Painter : public testing::Test {
protected:
  // The colour set has a user, so that its bitmaps stay between the drawing and the checks.
  void SetUp() override
  {
    ASSERT_TRUE(AreThemesAvailable());
    AcquireOffice2003Colors();
  }
  void TearDown() override
  {
    ReleaseOffice2003Colors();
    dxGetCurrentThemeNames = dxReadCurrentThemeNames;
    RecomputeOffice2003Colors();
  }
  static void UseScheme(TdxOffice2003Scheme scheme)
  {
    static const wchar_t* const Colors[] = {L"Blue", L"NormalColor", L"HomeStead", L"Metallic"};
    GColorName = Colors[static_cast<int>(scheme)];
    dxGetCurrentThemeNames = [](TdxThemeNames& names) {
      names = {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", GColorName, L"NormalSize"};
      return true;
    };
    RecomputeOffice2003Colors();
    ASSERT_EQ(GetOffice2003Scheme(), scheme);
  }
  static inline std::wstring GColorName;
};

constexpr TdxOffice2003Scheme AllSchemes[] = {TdxOffice2003Scheme::osNone, TdxOffice2003Scheme::osBlue,
                                              TdxOffice2003Scheme::osOliveGreen, TdxOffice2003Scheme::osSilver};

// Per channel.
int Red8(TColor c) { return GetRValue(Rgb(c)); }
int Green8(TColor c) { return GetGValue(Rgb(c)); }
int Blue8(TColor c) { return GetBValue(Rgb(c)); }

// A background handler that paints the background itself (it counts the calls).
struct TBackgroundHandler : TObject {
  int Calls = 0;
  bool Paint(TcxCanvas*, const RECT&)
  {
    ++Calls;
    return true;
  }
};

// A pixel near the end of a gradient: every channel between the two colours (give or take the
// rounding of the system's gradient) and nearer to the end colour than to the start colour.
testing::AssertionResult NearGradientEnd(COLORREF pixel, TColor from, TColor to)
{
  const TColor p = static_cast<TColor>(pixel);
  int toStart = 0, toEnd = 0;
  for (auto channel : {Red8, Green8, Blue8}) {
    const int v = channel(p), a = channel(from), b = channel(to);
    if (v < std::min(a, b) - 4 || v > std::max(a, b) + 4)
      return testing::AssertionFailure() << ColorText(pixel) << " is not between " << ColorText(Rgb(from)) << " and "
                                         << ColorText(Rgb(to));
    toStart += std::abs(v - a);
    toEnd += std::abs(v - b);
  }
  if (toEnd > toStart) return testing::AssertionFailure() << ColorText(pixel) << " is nearer the start colour";
  return testing::AssertionSuccess();
}
}  // namespace

// --- Colours ---

TEST_F(Office11Painter, ColoursOfEachScheme)
{
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  for (TdxOffice2003Scheme scheme : AllSchemes) {
    UseScheme(scheme);
    SCOPED_TRACE(static_cast<int>(scheme));
    struct TCase {
      const char* Name;
      TColor Actual, Expected;
    };
    const TColor c = dxOffice11Color(1);  // face
    const TCase cases[] = {
      {"HotTrackTextColor", p.HotTrackTextColor(), clHighlightText},
      {"CalendarHeaderColor", p.CalendarHeaderColor(), c},
      {"FooterColor", p.FooterColor(), c},
      {"ExtraColor13", p.ExtraColor13(), c},
      {"CalendarSelectedDayColor", p.CalendarSelectedDayColor(), dxOffice11Color(60)},
      {"CalendarSelectedDayTextColor", p.CalendarSelectedDayTextColor(), clWindowText},
      {"FilterPanelColor", p.FilterPanelColor(), dxOffice11Color(25)},
      {"FilterPanelTextColor", p.FilterPanelTextColor(), dxOffice11Color(29)},
      {"FooterTextColor", p.FooterTextColor(), p.HeaderTextColor()},
      {"GroupRowColor", p.GroupRowColor(), dxOffice11Color(59)},
      {"GroupPanelColor", p.GroupPanelColor(), dxOffice11Color(56)},
      {"GroupPanelTextColor", p.GroupPanelTextColor(), dxOffice11Color(3)},
      {"HeaderColor", p.HeaderColor(), p.Office11HeaderColor()},
      {"HeaderBackgroundColor", p.HeaderBackgroundColor(), dxOffice11Color(56)},
      {"ContainerFrameColor", p.ContainerFrameColor(), dxOffice11Color(61)},
      {"ExtraColor7", p.ExtraColor7(), dxOffice11Color(62)},
      {"ExtraColor8", p.ExtraColor8(), dxOffice11Color(2)},
      {"ExtraColor10", p.ExtraColor10(), dxOffice11Color(2)},
      {"ExtraColor15", p.ExtraColor15(), dxOffice11Color(62)},
      {"FooterSeparatorColor", p.FooterSeparatorColor(), dxOffice11Color(21)},
      {"SplitterInnerColor", p.SplitterInnerColor(true), dxOffice11Color(22)},
      {"SplitterOuterColor(highlighted)", p.SplitterOuterColor(true), dxOffice11Color(42)},
      {"SplitterOuterColor", p.SplitterOuterColor(false), dxOffice11Color(21)},
      {"HighlightFrameColor", p.HighlightFrameColor(), dxOffice11Color(42)},
      {"StateFrameColor(normal)", p.StateFrameColor(cxbsNormal), dxOffice11Color(21)},
      {"StateFrameColor(hot)", p.StateFrameColor(cxbsHot), dxOffice11Color(42)},
      {"LightFrameColor", p.LightFrameColor(), dxOffice11Color(21)},
      {"ButtonFaceColor(default)", p.ButtonFaceColor(cxbsDefault), c},
      {"ButtonFaceColor(normal)", p.ButtonFaceColor(cxbsNormal), c},
      {"ButtonFaceColor(hot)", p.ButtonFaceColor(cxbsHot), dxOffice11Color(43)},
      {"ButtonFaceColor(pressed)", p.ButtonFaceColor(cxbsPressed), dxOffice11Color(45)},
      {"ButtonFaceColor(disabled)", p.ButtonFaceColor(cxbsDisabled), clBtnFace},
      {"ButtonGlyphColor(normal)", p.ButtonGlyphColor(cxbsNormal, Red), dxOffice11Color(52)},
      {"ButtonGlyphColor(disabled)", p.ButtonGlyphColor(cxbsDisabled, Red), dxOffice11Color(53)},
      {"ButtonGlyphColor(pressed)", p.ButtonGlyphColor(cxbsPressed, Red),
       scheme == TdxOffice2003Scheme::osNone ? clHighlightText : dxOffice11Color(52)},
      {"CheckBoxFaceColor(hot)", p.CheckBoxFaceColor(cxbsHot), dxOffice11Color(43)},
      {"CheckBoxFaceColor(pressed)", p.CheckBoxFaceColor(cxbsPressed), dxOffice11Color(45)},
      {"CheckBoxFaceColor(disabled)", p.CheckBoxFaceColor(cxbsDisabled), clBtnFace},
      {"CheckBoxFaceColor(normal)", p.CheckBoxFaceColor(cxbsNormal),
       Office11()->TcxCustomLookAndFeelPainter::CheckBoxFaceColor(cxbsNormal)},
      {"RadioButtonFaceColor(normal)", p.RadioButtonFaceColor(cxbsNormal), clWindow},
      {"RadioButtonFaceColor(default)", p.RadioButtonFaceColor(cxbsDefault), c},
      {"RadioButtonFaceColor(hot)", p.RadioButtonFaceColor(cxbsHot), dxOffice11Color(43)},
      {"Office11HeaderBottomColor", p.Office11HeaderBottomColor(), dxOffice11Color(4)},
      {"Office11DarkEdgeColor", p.Office11DarkEdgeColor(), dxOffice11Color(21)},
      {"Office11LightEdgeColor", p.Office11LightEdgeColor(), dxOffice11Color(22)},
    };
    for (const TCase& t : cases) EXPECT_EQ(t.Actual, t.Expected) << t.Name;
    // The header colour is the per-channel middle of the two gradient colours (rounded up where the
    // middle falls between two values).
    const TColor h = p.Office11HeaderColor(), b = dxOffice11Color(3), e = dxOffice11Color(4);
    for (auto channel : {Red8, Green8, Blue8}) EXPECT_EQ(channel(h), (channel(b) + channel(e) + 1) / 2);
  }
}

TEST_F(Office11Painter, Metrics)
{
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  EXPECT_EQ(p.ExpandBoxSize(), 11);
  EXPECT_EQ(p.SmallExpandBoxSize(), 11);
  EXPECT_FALSE(p.ExpandBoxDrawnFirst());
  EXPECT_EQ(p.HeaderBorderWidth(), 1);
  EXPECT_TRUE(p.IsHeaderThemed());
  EXPECT_TRUE(p.DependsOnSystemTheme());
  for (TcxNeighbours n : {TcxNeighbours{}, TcxNeighbours{TcxNeighbour::nLeft, TcxNeighbour::nTop}})
    EXPECT_EQ(p.HeaderNeighbourBorders(n), cxBordersAll) << "whatever the neighbours";
}

// --- Headers ---

TEST_F(Office11Painter, HeaderEdgesBlendIntoTheGradient)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  const TColor h = p.Office11HeaderColor(), hb = p.Office11HeaderBottomColor();
  const TColor d = p.Office11DarkEdgeColor(), l = p.Office11LightEdgeColor();
  // H header, B header bottom, D dark edge, L light edge, 1 H and B 3:1, 2 H and D 1:1, 3 B and D 1:1.
  const TLegend legend{{'H', h}, {'B', hb}, {'D', d}, {'L', l}, {'1', BlendColors(h, hb, 25)},
                       {'2', BlendColors(h, d, 50)}, {'3', BlendColors(hb, d, 50)}};
  ASSERT_TRUE(LegendIsUnambiguous(legend));
  struct TCase {
    const char* Name;
    TcxNeighbours Neighbours;
    TcxBorders Borders;
    std::vector<std::string> Picture;
  };
  const TCase cases[] = {
    {"a lone header", {}, cxBordersAll,
     {"HHHHH2", "H....D", "L....D", "L....D", "L....D", "L....D", "B....3", "DDDDDD"}},
    {"between neighbours", TcxNeighbours{TcxNeighbour::nLeft, TcxNeighbour::nRight}, cxBordersAll,
     {"HHHHHH", "H....H", "H....H", "L....D", "L....D", "1....1", "B....B", "DDDDDD"}},
    {"without the left and bottom edges", {}, TcxBorders{TcxBorder::bTop, TcxBorder::bRight},
     {"HHHHH2", ".....D", ".....D", ".....D", ".....D", ".....D", ".....3", "......"}},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(6, 8, PictureBackground);
    p.DrawHeaderEdges(surface.cx(), RECT{0, 0, 6, 8}, c.Neighbours, c.Borders);
    EXPECT_EQ(Letters(surface, RECT{0, 0, 6, 8}, legend), c.Picture) << c.Name;
  }
}

TEST_F(Office11Painter, HeaderBackgrounds)
{
  UseScheme(TdxOffice2003Scheme::osOliveGreen);
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  const TColor h = p.Office11HeaderColor(), hb = p.Office11HeaderBottomColor();
  auto paint = [&](TcxButtonState state, bool plain, TPainterSurface& s, const TcxDrawBackgroundEvent& handler = {}) {
    p.DrawCellContent(s.cx(), RECT{2, 2, 18, 14}, RECT{2, 2, 18, 14}, state, taLeftJustify, vaTop, false, false, "",
                      nullptr, clDefault, Red, handler, plain);
  };
  {
    // A flat top colour down to four rows above the bottom, then a gradient to the bottom colour.
    TPainterSurface s(20, 16, PictureBackground);
    paint(cxbsNormal, false, s);
    EXPECT_EQ(s.Count(RECT{2, 2, 18, 11}, Rgb(h)), 16 * 9);
    EXPECT_EQ(s.Pixel(2, 10), Rgb(h)) << "the band starts in the top colour";
    EXPECT_TRUE(NearGradientEnd(s.Pixel(17, 13), h, hb));
    EXPECT_NE(s.Pixel(17, 13), Rgb(h));
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 16}, PictureBackground), 20 * 16 - 16 * 12) << "only the bounds";
  }
  {
    TPainterSurface s(20, 16, PictureBackground);
    paint(cxbsPressed, true, s);
    EXPECT_EQ(s.Count(RECT{2, 2, 18, 14}, Rgb(h)), 16 * 12) << "plain: all in the top colour";
  }
  {
    // Hot: the gradient-begin colour, with a two-colour underline three pixels high reaching one
    // pixel left of the bounds and one below them.
    TPainterSurface s(20, 16, PictureBackground);
    paint(cxbsHot, false, s);
    const TColor begin = dxOffice11Color(3), hot = dxOffice11Color(43), hotEnd = dxOffice11Color(44);
    EXPECT_EQ(s.Count(RECT{2, 2, 18, 12}, Rgb(begin)), 16 * 10);
    EXPECT_EQ(s.Pixel(1, 12), Rgb(hot));
    EXPECT_EQ(s.Pixel(17, 12), Rgb(hot));
    EXPECT_TRUE(NearGradientEnd(s.Pixel(1, 14), hot, hotEnd));
    EXPECT_EQ(s.Pixel(18, 12), PictureBackground);
    EXPECT_EQ(s.Pixel(1, 15), PictureBackground);
  }
  {
    // A background handler that paints leaves the background to it.
    auto handler = MakeOwned<TBackgroundHandler>();
    TPainterSurface s(20, 16, PictureBackground);
    paint(cxbsNormal, false, s, TcxDrawBackgroundEvent(handler.get(), &TBackgroundHandler::Paint));
    EXPECT_EQ(handler->Calls, 1);
    EXPECT_FALSE(AnythingDrawn(s));
  }
}

TEST_F(Office11Painter, HeadersAlwaysDrawTheirOwnBackground)
{
  // The caller's background handler is not offered the header's background.
  auto handler = MakeOwned<TBackgroundHandler>();
  TPainterSurface surface(30, 20, PictureBackground);
  Office11()->DrawHeader(surface.cx(), RECT{0, 0, 30, 20}, RECT{2, 2, 28, 18}, {}, cxBordersAll, cxbsNormal,
                         taLeftJustify, vaTop, false, false, "", nullptr, clDefault, Red,
                         TcxDrawBackgroundEvent(handler.get(), &TBackgroundHandler::Paint), true, true);
  EXPECT_EQ(handler->Calls, 0);
  // Layout-view captions: the header background, plain unless a gradient is asked for.
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TColor h = Office11()->Office11HeaderColor();
  for (bool gradient : {false, true}) {
    TPainterSurface caption(30, 20, PictureBackground);
    Office11()->DrawLayoutViewRecordCaption(caption.cx(), RECT{0, 0, 30, 20}, cxbsNormal, gradient);
    EXPECT_EQ(caption.Pixel(15, 8), Rgb(h));
    EXPECT_EQ(caption.Pixel(15, 18) == Rgb(h), !gradient) << gradient;
  }
}

TEST_F(Office11Painter, PressedHeaderSectionIsInverted)
{
  TPainterSurface normal(20, 16, PictureBackground), pressed(20, 16, PictureBackground);
  for (auto [surface, state] : {std::pair{&normal, cxbsNormal}, std::pair{&pressed, cxbsPressed}})
    Office11()->DrawHeaderSection(surface->cx(), RECT{0, 0, 20, 16}, RECT{2, 2, 18, 14}, {}, cxBordersAll, state,
                                  taLeftJustify, vaTop, false, false, "", nullptr, clDefault, Red);
  // Whatever the header draws, the pressed one is its inverse (the base inverts the rectangle).
  TPainterSurface expected(20, 16, PictureBackground);
  Office11()->DrawHeaderSection(expected.cx(), RECT{0, 0, 20, 16}, RECT{2, 2, 18, 14}, {}, cxBordersAll, cxbsNormal,
                                taLeftJustify, vaTop, false, false, "", nullptr, clDefault, Red);
  Office11()->InvertHeaderRect(expected.cx(), RECT{0, 0, 20, 16});
  EXPECT_TRUE(SamePixels(pressed, expected));
}

// --- Expand boxes, borders, buttons and other frames ---

TEST_F(Office11Painter, ExpandBoxIsTheSchemesBitmapWithCornersBlendedIntoTheBackground)
{
  UseScheme(TdxOffice2003Scheme::osSilver);
  for (bool expanded : {false, true}) {
    TPainterSurface surface(20, 20, PictureBackground);
    surface.cx()->FillRectWithColor(RECT{14, 14, 20, 20}, Red);  // another colour under the far corner
    Office11()->DrawExpandBox(surface.cx(), RECT{4, 4, 15, 15}, expanded, clBlue);
    TBitmap* bitmap = expanded ? dxOffice11ExpandButtonMinusBitmap() : dxOffice11ExpandButtonPlusBitmap();
    ASSERT_NE(bitmap, nullptr);
    const TColor c1 = dxOffice11Color(80), c2 = dxOffice11Color(81);
    EXPECT_EQ(surface.Pixel(4, 4), Rgb(BlendColors(c1, static_cast<TColor>(PictureBackground), 25)));
    for (POINT p : {POINT{14, 14}, POINT{4, 14}, POINT{14, 4}})
      EXPECT_EQ(surface.Pixel(p.x, p.y), Rgb(BlendColors(c2, Red, 25))) << p.x << "," << p.y;
    // The rest is the bitmap.
    int differences = 0;
    for (int y = 1; y < 10; ++y)
      for (int x = 1; x < 10; ++x) differences += surface.Pixel(4 + x, 4 + y) != Rgb(bitmap->Canvas()->Pixels(x, y));
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(surface.Pixel(15, 15), Rgb(Red)) << "nothing beyond the 11 x 11 bitmap";
  }
  // The small expand box is the same.
  TPainterSurface small(20, 20, PictureBackground), big(20, 20, PictureBackground);
  Office11()->DrawSmallExpandBox(small.cx(), RECT{2, 2, 13, 13}, true, clBlue, Red);
  Office11()->DrawExpandBox(big.cx(), RECT{2, 2, 13, 13}, true, Red);
  EXPECT_TRUE(SamePixels(small, big));
}

TEST_F(Office11Painter, FramesAndButtonEdges)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  auto frameColor = [](const std::function<void(TcxCanvas*)>& draw) {
    TPainterSurface surface(6, 6, PictureBackground);
    draw(surface.cx());
    const COLORREF c = surface.Pixel(0, 0);
    const bool frame = surface.Count(RECT{0, 0, 6, 6}, c) == 20 && surface.Count(RECT{1, 1, 5, 5}, PictureBackground) == 16;
    return frame ? c : CLR_INVALID;
  };
  const RECT r{0, 0, 6, 6};
  struct TCase {
    const char* Name;
    std::function<void(TcxCanvas*)> Draw;
    TColor Color;
  };
  const TCase cases[] = {
    {"border", [&](TcxCanvas* c) { p.DrawBorderFrame(c, r); }, dxOffice11Color(58)},
    {"container", [&](TcxCanvas* c) { p.DrawContainerFrame(c, r); }, dxOffice11Color(61)},
    {"track", [&](TcxCanvas* c) { p.DrawTrackBarTrackFrame(c, r); }, clBtnText},
    {"box thumb", [&](TcxCanvas* c) { p.DrawTrackBarThumbBoxEdges(c, r); }, clBtnText},
    {"normal button", [&](TcxCanvas* c) { p.DrawButtonEdges(c, r, cxbsNormal); }, clBtnText},
    {"disabled button", [&](TcxCanvas* c) { p.DrawButtonEdges(c, r, cxbsDisabled); }, dxOffice11Color(53)},
    {"hot button", [&](TcxCanvas* c) { p.DrawButtonEdges(c, r, cxbsHot); }, dxOffice11Color(42)},
    {"pressed button", [&](TcxCanvas* c) { p.DrawButtonEdges(c, r, cxbsPressed); }, dxOffice11Color(42)},
  };
  for (const TCase& c : cases) EXPECT_EQ(frameColor(c.Draw), Rgb(c.Color)) << c.Name;
  // Thumb edges: the light and outer lines in the text colour, no inner line.
  TPainterSurface thumb(6, 6, PictureBackground);
  const POINT light[] = {{0, 5}, {0, 0}, {5, 0}}, outer[] = {{5, 0}, {5, 5}, {-1, 5}}, inner[] = {{3, 1}, {3, 3}};
  p.DrawTrackBarThumbEdges(thumb.cx(), light, outer, inner);
  EXPECT_EQ(thumb.Count(RECT{0, 0, 6, 6}, Rgb(clBtnText)), 20);
  EXPECT_EQ(thumb.Count(RECT{1, 1, 5, 5}, PictureBackground), 16);
}

TEST_F(Office11Painter, SeparatorIsAShadowLineOverALightOne)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  TPainterSurface surface(10, 8, PictureBackground);
  Office11()->DrawSeparator(surface.cx(), RECT{0, 0, 10, 8}, true);
  const TLegend legend{{'S', dxOffice11Color(21)}, {'L', dxOffice11Color(22)}};
  ASSERT_TRUE(LegendIsUnambiguous(legend));
  EXPECT_EQ(Letters(surface, RECT{0, 0, 10, 8}, legend),
            (std::vector<std::string>{"....S.....", "....SL....", "....SL....", "....SL....", "....SL....",
                                      "....SL....", "....SL....", ".....L...."}));
}

TEST_F(Office11Painter, SchedulerPartsAndCaptionAreas)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TcxOffice11LookAndFeelPainter& p = *Office11();
  // Navigation buttons: the face of the state framed on the sides away from the content.
  const TColor frame = dxOffice11Color(61);
  struct TCase {
    bool IsNext;
    TcxButtonState State;
    TColor Face;
    std::vector<std::string> Picture;
  };
  const TCase cases[] = {
    {false, cxbsNormal, dxOffice11Color(1), {"FFFF", "XXXF", "XXXF", "FFFF"}},
    {true, cxbsHot, dxOffice11Color(43), {"FFFF", "FXXX", "FXXX", "FFFF"}},
    {true, cxbsPressed, dxOffice11Color(45), {"FFFF", "FXXX", "FXXX", "FFFF"}},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(4, 4, PictureBackground);
    p.DrawSchedulerNavButton(surface.cx(), RECT{0, 0, 4, 4}, RECT{1, 1, 1, 1}, c.IsNext, c.State);
    EXPECT_EQ(Letters(surface, RECT{0, 0, 4, 4}, TLegend{{'F', frame}, {'X', c.Face}}), c.Picture);
  }
  // Scheduler headers: filled from the view inside a one-pixel ring that is left alone.
  TPainterSurface header(8, 6, PictureBackground);
  p.DrawSchedulerHeader(header.cx(), RECT{0, 0, 8, 6}, "", {}, TcxViewParams{nullptr, Red}, 0, 2, {});
  EXPECT_EQ(header.Count(RECT{1, 1, 7, 5}, Rgb(Red)), 24);
  EXPECT_EQ(header.Count(RECT{0, 0, 8, 6}, PictureBackground), 48 - 24);
  // Caption areas: a fill with one colour, a vertical gradient with two.
  TPainterSurface area(6, 10, PictureBackground);
  p.DrawGroupBoxCaptionArea(area.cx(), nullptr, clDefault, Red, RECT{0, 0, 6, 10});
  EXPECT_EQ(area.Count(RECT{0, 0, 6, 10}, Rgb(Red)), 60);
  p.DrawGroupBoxCaptionArea(area.cx(), nullptr, clBlue, Red, RECT{0, 0, 6, 10});
  EXPECT_EQ(area.Pixel(3, 0), Rgb(Red));
  EXPECT_TRUE(NearGradientEnd(area.Pixel(3, 9), Red, clBlue));
  p.DrawLayoutControlBackground(area.cx(), RECT{0, 0, 6, 10});
  EXPECT_EQ(area.Pixel(0, 0), Rgb(dxOffice11Color(3)));
  EXPECT_TRUE(NearGradientEnd(area.Pixel(5, 9), dxOffice11Color(3), dxOffice11Color(4)));
  // The calendar header: the face colour, no edge, R unchanged.
  RECT r{0, 0, 6, 10};
  p.DrawCalendarHeader(area.cx(), r);
  EXPECT_EQ(r, (RECT{0, 0, 6, 10}));
  EXPECT_EQ(area.Count(r, Rgb(dxOffice11Color(1))), 60);
}

TEST_F(Office11Painter, SizeGripIsTheSchemes)
{
  TPainterSurface painted(20, 20, PictureBackground), scheme(20, 20, PictureBackground);
  Office11()->DrawSizeGrip(painted.cx(), RECT{0, 0, 20, 20});
  DrawSchemeSizeGrip(scheme.DC(), RECT{0, 0, 20, 20});
  EXPECT_TRUE(AnythingDrawn(painted));
  EXPECT_TRUE(SamePixels(painted, scheme));
}

// --- What the native painter draws ---

TEST_F(Office11Painter, ScrollBarsDropDownFacesAndGroupBoxesLookNativeOrStandard)
{
  auto* native = RegisteredPainter<TcxCustomLookAndFeelPainter>(cpsNative);
  auto* standard = RegisteredPainter<TcxCustomLookAndFeelPainter>(cpsStandard);
  auto* ultraFlat = RegisteredPainter<TcxCustomLookAndFeelPainter>(cpsUltraFlat);
  using TPart = std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)>;
  const TPart scrollBar = [](TcxCustomLookAndFeelPainter* p, TcxCanvas* c) {
    p->DrawScrollBarElement(c, false, RECT{0, 0, 17, 17}, sbeLineForward, cxbsHot);
    p->DrawScrollBarElement(c, false, RECT{0, 17, 17, 40}, sbeThumb, cxbsNormal);
  };
  const TPart dropDown = [](TcxCustomLookAndFeelPainter* p, TcxCanvas* c) {
    p->DrawDropDownButtonFace(c, RECT{0, 0, 17, 20}, cxbsHot);
  };
  const TPart groupBox = [](TcxCustomLookAndFeelPainter* p, TcxCanvas* c) {
    p->DrawGroupBoxBorder(c, RECT{0, 0, 30, 30}, cxBordersAll, gcsTop, true);
  };
  auto same = [](const TPart& part, TcxCustomLookAndFeelPainter* a, TcxCustomLookAndFeelPainter* b) {
    TPainterSurface sa(40, 40, PictureBackground), sb(40, 40, PictureBackground);
    part(a, sa.cx());
    part(b, sb.cx());
    return SamePixels(sa, sb);
  };
  TcxCustomLookAndFeelPainter* office = Office11();
  EXPECT_TRUE(same(scrollBar, office, native));
  EXPECT_TRUE(same(dropDown, office, native));
  EXPECT_TRUE(same(groupBox, office, native));
  {
    TScopedSeam off(dxUxThemeEntryPoints.IsThemeActive, ThemeActiveOff);
    BroadcastToOwnWindows(WM_THEMECHANGED);
    ASSERT_FALSE(AreThemesAvailable());
    // Scroll bars and drop-down faces are the native painter's fallback, the standard look; group
    // boxes the ultra-flat one.
    EXPECT_TRUE(same(scrollBar, office, standard));
    EXPECT_FALSE(same(scrollBar, office, ultraFlat));
    EXPECT_TRUE(same(dropDown, office, native));
    EXPECT_TRUE(same(groupBox, office, ultraFlat));
    EXPECT_EQ(office->GroupBoxTextColor(true, gcsTop), ultraFlat->GroupBoxTextColor(true, gcsTop));
  }
  BroadcastToOwnWindows(WM_THEMECHANGED);
  ASSERT_TRUE(AreThemesAvailable());
  EXPECT_EQ(office->GroupBoxTextColor(false, gcsTop), native->GroupBoxTextColor(false, gcsTop));
}
