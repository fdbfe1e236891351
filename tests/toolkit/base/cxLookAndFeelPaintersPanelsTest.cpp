// The base painter's operations for panels, by family: scroll bars and size grips, scheduler parts and
// progress bars, the clock and the progress text, group boxes, track bars, splitters and previews,
// and the sizing panels of popups. Drawings are compared with drawings of rectangles where the
// shape is made of rectangles, and with the platform's own drawing where the platform draws it.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>
#include "classlib/DateTime.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/base/PainterShapeChecks.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

namespace {
constexpr TColor Marker = 0x10E010;
constexpr TColor EdgeColor = 0x2020C0;
constexpr TColor LightLine = 0x0000F0;
constexpr TColor OuterLine = 0xF00000;
constexpr TColor InnerLine = 0x00A0A0;

struct TElementCall {
  bool Horizontal;
  RECT R;
  TcxScrollBarElement Element;
  TcxButtonState State;
};

// The base painter with header edges, thumb edges and progress text colours of its own, recording
// the scroll-bar elements it is asked for.
class TPanelProbePainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TPanelProbePainter, TcxCustomLookAndFeelPainter)
public:
  int HeaderBorderWidth() const override { return 1; }
  void DrawHeaderEdges(TcxCanvas* c, const RECT& r, TcxNeighbours, TcxBorders b) const override
  {
    c->DrawFrameRect(r, EdgeColor, 1, b);
  }
  void DrawScrollBarElement(TcxCanvas*, bool Horizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override
  {
    Calls.push_back({Horizontal, R, Element, State});
  }
  void DrawTrackBarThumbEdges(TcxCanvas* c, std::span<const POINT> light, std::span<const POINT> outer,
                              std::span<const POINT> inner) const override
  {
    for (auto [line, color] : {std::pair{light, LightLine}, {outer, OuterLine}, {inner, InnerLine}}) {
      c->GetCurrentPen()->SetColor(color);
      c->Polyline(line);
    }
  }
  void DrawTrackBarThumbBoxEdges(TcxCanvas* c, const RECT& r) const override { c->DrawFrameRect(r, EdgeColor); }
  TColor ProgressBarTextColor(bool IsFilledPart) const override { return IsFilledPart ? TwoColours[0] : TwoColours[1]; }
  // With DotGrip, the grip is one pixel in the bottom-right corner and leaves the rest of R alone.
  void DrawSizeGrip(TcxCanvas* c, const RECT& r) const override
  {
    if (!DotGrip) return TcxCustomLookAndFeelPainter::DrawSizeGrip(c, r);
    c->FillRectWithColor(RECT{r.right - 1, r.bottom - 1, r.right, r.bottom}, EdgeColor);
  }
  bool DotGrip = false;

  mutable std::vector<TElementCall> Calls;
  TColor TwoColours[2] = {clDefault, clWindowText};
};

std::string StateText(TcxButtonState s) { return "state " + std::to_string(static_cast<int>(s)); }

// The number of pixels in which two surfaces of one size differ, each compared at the position the
// mapping gives for it in the other.
int Differences(const TDibSurface& a, const TDibSurface& b, const std::function<POINT(int, int)>& map)
{
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const POINT p = map(x, y);
      n += a.Pixel(x, y) != b.Pixel(p.x, p.y);
    }
  return n;
}

}  // namespace

CL_DEFINE_CLASS(TPanelProbePainter);

// --- Scroll bars, size grips and small close buttons ---

TEST(LookAndFeelPainterScrollBars, BackgroundIsTheNormalPageAreaAndGripsAreTheSystemGripTurned)
{
  auto probe = MakeOwned<TPanelProbePainter>();
  TPainterSurface surface(20, 20);
  probe->DrawScrollBarBackground(surface.cx(), RECT{1, 2, 3, 4}, true);
  ASSERT_EQ(probe->Calls.size(), 1u);
  EXPECT_TRUE(probe->Calls[0].Horizontal);
  EXPECT_EQ(probe->Calls[0].R, (RECT{1, 2, 3, 4}));
  EXPECT_EQ(probe->Calls[0].Element, sbePageBack);
  EXPECT_EQ(probe->Calls[0].State, cxbsNormal);
  EXPECT_EQ(probe->ScrollBarMinThumbSize(TScrollBarKind::sbVertical), 8);
  const SIZE grip = probe->SizeGripSize();
  EXPECT_EQ(grip.cx, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(grip.cy, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(probe->SmallCloseButtonSize().x, 14);
  EXPECT_EQ(probe->SmallCloseButtonSize().y, 15);

  // The grip the platform draws in the bottom-right corner, and its turns into the other corners.
  const int w = 17, h = 15;
  TPainterSurface platform(w, h);
  platform.cx()->FillRectWithColor(RECT{0, 0, w, h}, clWindow);
  probe->DrawSizeGrip(platform.cx(), RECT{0, 0, w, h});
  ASSERT_GT(platform.Count(RECT{0, 0, w, h}, Rgb(clBtnShadow)), 5) << "the platform draws a grip";
  struct TCase {
    TcxGripCorner Corner;
    std::function<POINT(int, int)> Map;
  };
  const TCase cases[] = {
    {gcBottomRight, [](int x, int y) { return POINT{x, y}; }},
    {gcTopLeft, [=](int x, int y) { return POINT{w - 1 - x, h - 1 - y}; }},
    {gcTopRight, [=](int x, int y) { return POINT{x, h - 1 - y}; }},
    {gcBottomLeft, [=](int x, int y) { return POINT{w - 1 - x, y}; }},
  };
  for (const TCase& c : cases) {
    TPainterSurface mirrored(w + 4, h + 4, ShapeBackground);
    probe->DrawSizeGripMirrored(mirrored.cx(), RECT{2, 2, w + 2, h + 2}, c.Corner, clWindow);
    TPainterSurface inner(w, h);
    BitBlt(inner.DC(), 0, 0, w, h, mirrored.DC(), 2, 2, SRCCOPY);
    EXPECT_EQ(Differences(inner, platform, c.Map), 0) << "corner " << static_cast<int>(c.Corner);
    EXPECT_EQ(mirrored.Count(RECT{0, 0, w + 4, h + 4}, ShapeBackground), (w + 4) * (h + 4) - w * h) << "only in R";
  }
}

// A grip drawn over what lies under it keeps that background as it was: only the grip turns.
TEST(LookAndFeelPainterScrollBars, AMirroredGripOnTheBackgroundLeavesTheBackgroundUnturned)
{
  auto probe = MakeOwned<TPanelProbePainter>();
  probe->DotGrip = true;
  struct TCase {
    TcxGripCorner Corner;
    POINT Dot;
  };
  const TCase cases[] = {{gcBottomRight, {9, 7}}, {gcTopLeft, {0, 0}}, {gcTopRight, {9, 0}}, {gcBottomLeft, {0, 7}}};
  for (const TCase& c : cases) {
    TPainterSurface surface(12, 10, ShapeBackground);
    // An uneven background: red on the left, blue in the top-right quarter, green below it.
    TShapes expected;
    expected.Fill(RECT{1, 1, 6, 9}, clRed).Fill(RECT{6, 1, 11, 5}, clBlue).Fill(RECT{6, 5, 11, 9}, clLime);
    surface.cx()->FillRectWithColor(RECT{1, 1, 6, 9}, clRed);
    surface.cx()->FillRectWithColor(RECT{6, 1, 11, 5}, clBlue);
    surface.cx()->FillRectWithColor(RECT{6, 5, 11, 9}, clLime);
    probe->DrawSizeGripMirrored(surface.cx(), RECT{1, 1, 11, 9}, c.Corner, clNone);
    expected.Pixel(c.Dot.x + 1, c.Dot.y + 1, EdgeColor);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, expected), "") << "corner " << static_cast<int>(c.Corner);
  }
}

TEST(LookAndFeelPainterScrollBars, SmallCloseButtonIsTheCloseCrossButton)
{
  auto painter = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  for (TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    TPainterSurface a(16, 16, ShapeBackground), b(16, 16, ShapeBackground);
    painter->DrawSmallCloseButton(a.cx(), RECT{1, 1, 15, 16}, s);
    painter->DrawCloseCrossButton(b.cx(), RECT{1, 1, 15, 16}, s);
    EXPECT_EQ(Differences(a, b, [](int x, int y) { return POINT{x, y}; }), 0) << StateText(s);
  }
}

// --- Scheduler parts, container frames and progress bars ---

TEST(LookAndFeelPainterScheduler, NavigationButtonLayout)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  RECT borders;
  bool hasText = false;
  POINT arrow;
  painter->SchedulerNavButtonMetrics(false, borders, hasText, arrow);
  EXPECT_EQ(borders, (RECT{0, 6, 2, 6}));
  EXPECT_TRUE(hasText);
  EXPECT_EQ(arrow.x, 7);
  painter->SchedulerNavButtonMetrics(true, borders, hasText, arrow);
  EXPECT_EQ(borders, (RECT{2, 6, 0, 6}));

  struct TCase {
    const char* Name;
    bool IsNext, TextHidden;
    POINT TextSize, MinTextSize;
    RECT Arrow, Text, Bounds;
  };
  const TCase cases[] = {
    // No text: 6 + 21 + 6 pixels high, centred; the arrow in the middle.
    {"hidden text", true, true, {50, 10}, {0, 0}, {6, 46, 13, 53}, {0, 0, 0, 0}, {0, 33, 20, 66}},
    // inner = (0, 6, 18, 94): the arrow in its top 21 pixels, the text from 5 below it to 14 above the bottom.
    {"short text", false, false, {30, 10}, {0, 0}, {5, 13, 12, 20}, {0, 32, 18, 80}, {0, 0, 20, 100}},
    // A text 12 pixels longer than its area: the button grows 12 at both ends, the arrow moves up 12.
    {"long text", false, false, {60, 10}, {0, 0}, {5, 1, 12, 8}, {0, 20, 18, 92}, {0, -12, 20, 112}},
    {"minimum text size", false, false, {10, 10}, {50, 0}, {5, 11, 12, 18}, {0, 30, 18, 82}, {0, -2, 20, 102}},
  };
  for (const TCase& c : cases) {
    RECT bounds{0, 0, 20, 100}, arrowRect{}, textRect{1, 1, 1, 1};
    painter->CalcSchedulerNavButtonLayout(c.IsNext, c.TextHidden, arrowRect, textRect, bounds, c.TextSize,
                                          c.MinTextSize);
    EXPECT_EQ(arrowRect, c.Arrow) << c.Name;
    EXPECT_EQ(textRect, c.Text) << c.Name;
    EXPECT_EQ(bounds, c.Bounds) << c.Name;
  }
}

TEST(LookAndFeelPainterScheduler, NavigationButtonsAndArrows)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{0, 0, 10, 20};
  const TcxBorders prevSides{TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};
  const TcxBorders nextSides{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bBottom};
  for (TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    const bool pressed = s == cxbsPressed;
    const TColor lt = pressed ? clBtnShadow : clBtnHighlight, rb = pressed ? clBtnHighlight : clBtnFace;
    for (bool next : {false, true}) {
      TPainterSurface surface(10, 20, ShapeBackground);
      painter->DrawSchedulerNavButton(surface.cx(), r, RECT{}, next, s);
      const TcxBorders sides = next ? nextSides : prevSides;
      const RECT inner = next ? RECT{1, 1, 10, 19} : RECT{0, 1, 9, 19};
      EXPECT_EQ(CompareShapes(surface, ShapeBackground,
                              TShapes().Fill(r, clBtnFace).Frame(r, clBtnShadow, sides).TwoColorFrame(inner, lt, rb, sides)),
                "")
          << StateText(s) << (next ? " next" : " previous");
    }
  }
  // The arrows: a two-pixel chevron and a bar at the end it points to.
  TPainterSurface next(7, 7, ShapeBackground), previous(7, 7, ShapeBackground);
  painter->DrawSchedulerNavArrow(next.cx(), RECT{0, 0, 7, 7}, true, Marker);
  painter->DrawSchedulerNavArrow(previous.cx(), RECT{0, 0, 7, 7}, false, Marker);
  using TRows = std::vector<std::string>;
  EXPECT_EQ(next.Picture(RECT{0, 0, 7, 7}, Rgb(Marker)),
            (TRows{"##....#", ".##...#", "..##..#", "...##.#", "..##..#", ".##...#", "##....#"}));
  EXPECT_EQ(previous.Picture(RECT{0, 0, 7, 7}, Rgb(Marker)),
            (TRows{"#....##", "#...##.", "#..##..", "#.##...", "#..##..", "#...##.", "#....##"}));
  // A button draws its arrow in the glyph colour of its state.
  TPainterSurface disabled(10, 20, ShapeBackground);
  painter->DrawSchedulerNavButton(disabled.cx(), r, RECT{2, 7, 9, 14}, true, cxbsDisabled);
  EXPECT_EQ(disabled.Count(RECT{2, 7, 9, 14}, Rgb(clBtnShadow)), 21);
}

TEST(LookAndFeelPainterScheduler, HeadersTurnedTextAndProgressBars)
{
  auto probe = MakeOwned<TPanelProbePainter>();
  auto font = MakeOwned<TFont>();
  font->SetHeight(-13);
  {
    TPainterSurface surface(40, 12, ShapeBackground);
    probe->DrawSchedulerHeader(surface.cx(), RECT{0, 0, 40, 12}, "", {}, TcxViewParams{nullptr, Marker, font.get()},
                               0, 6, {});
    EXPECT_EQ(CompareShapes(surface, ShapeBackground,
                            TShapes().Frame(RECT{0, 0, 40, 12}, EdgeColor).Fill(RECT{1, 1, 39, 11}, Marker)),
              "");
    probe->DrawSchedulerHeader(surface.cx(), RECT{0, 0, 40, 12}, "", {}, TcxViewParams{nullptr, Marker, font.get()},
                               3, 6, {});
    EXPECT_GT(surface.Count(RECT{0, 0, 10, 12}, Rgb(clWindowText)), 3);
    EXPECT_GT(surface.Count(RECT{30, 0, 40, 12}, Rgb(clWindowText)), 3);
  }
  {
    // Turned text stays in its rectangle, in the glyph colour.
    TPainterSurface surface(20, 80, ShapeBackground);
    surface.cx()->AssignFont(font.get());
    probe->DrawSchedulerNavButtonWithText(surface.cx(), RECT{0, 0, 20, 80}, true, cxbsNormal, "Next week",
                                          RECT{2, 20, 18, 78}, RECT{});
    const int text = surface.Count(RECT{0, 0, 20, 80}, Rgb(clBtnText));
    EXPECT_GT(text, 10);
    EXPECT_EQ(surface.Count(RECT{2, 20, 18, 78}, Rgb(clBtnText)), text);
    const RECT extent = surface.Extent(Rgb(clBtnText));
    EXPECT_GT(extent.bottom - extent.top, extent.right - extent.left) << "the text runs upward";
  }
  struct TCase {
    const char* Name;
    bool Transparent;
    TShapes Expected;
  };
  const RECT r{0, 0, 20, 10}, bar{1, 1, 8, 9};
  const TCase cases[] = {
    {"opaque", false, TShapes().Frame(r, clGray).Fill(RECT{1, 1, 19, 9}, Marker).Fill(bar, clNavy)},
    {"transparent", true, TShapes().Frame(r, clGray).Fill(bar, clNavy)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(20, 10, ShapeBackground);
    probe->DrawProgressBar(surface.cx(), r, c.Transparent, TcxViewParams{nullptr, Marker}, bar);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Name;
  }
  EXPECT_EQ(probe->ProgressBarContentOffsets(), (RECT{2, 2, 2, 2}));
  EXPECT_EQ(probe->ChartInfoBorderSize(), 1);
}

// --- Clock, calendar header and progress text ---

TEST(LookAndFeelPainterClock, ClockFaceWithHourMarksAndHands)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(80, 80, ShapeBackground);
  painter->DrawClockFace(surface.cx(), RECT{0, 0, 80, 80}, Marker, EncodeTime(3, 0, 30, 0));
  // Twelve marks on the ellipse 38 pixels about the centre (40, 40), each a teal pixel with an aqua
  // one left of it.
  for (int i = 0; i < 60; i += 5) {
    const double angle = i * 2 * 3.14159265358979 / 60;
    const int x = static_cast<int>(std::lround(38 * std::cos(angle) + 40));
    const int y = static_cast<int>(std::lround(38 * std::sin(angle) + 40));
    EXPECT_EQ(surface.Pixel(x, y), Rgb(clTeal)) << "mark " << i / 5;
    EXPECT_EQ(surface.Pixel(x - 1, y), Rgb(clAqua)) << "mark " << i / 5;
    EXPECT_EQ(surface.Pixel(x + 1, y + 1), Rgb(clBtnText)) << "mark " << i / 5;
  }
  EXPECT_EQ(surface.Count(RECT{0, 0, 80, 80}, Rgb(clAqua)), 12);
  // At 3:00:30 the hour hand points right, the minute hand up and the second hand down.
  EXPECT_EQ(surface.Pixel(60, 40), Rgb(clTeal));
  EXPECT_EQ(surface.Pixel(41, 20), Rgb(clTeal));
  EXPECT_EQ(surface.Pixel(40, 60), Rgb(clRed));
  EXPECT_EQ(surface.Pixel(20, 40), Rgb(Marker)) << "nothing points left";
  EXPECT_EQ(surface.Pixel(40, 10), Rgb(Marker)) << "the minute hand ends at 85 % of the radius";
  EXPECT_EQ(surface.Count(RECT{0, 0, 80, 80}, ShapeBackground), 0) << "the face fills the rectangle";
  // The caller's clip region is as it was.
  surface.cx()->FillRectWithColor(RECT{0, 0, 80, 80}, clRed);
  EXPECT_EQ(surface.Count(RECT{0, 0, 80, 80}, Rgb(clRed)), 6400);
}

TEST(LookAndFeelPainterClock, CalendarHeaderNavigatorAndEditorButtons)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(20, 10, ShapeBackground);
  RECT r{0, 0, 20, 10};
  painter->DrawCalendarHeader(surface.cx(), r);
  EXPECT_EQ(r, (RECT{1, 1, 19, 9}));
  EXPECT_EQ(CompareShapes(surface, ShapeBackground,
                          TShapes().Fill(RECT{0, 0, 20, 10}, clBtnFace).TwoColorFrame(RECT{0, 0, 20, 10}, clBtnHighlight,
                                                                                      clBtnShadow)),
            "");
  // Editor buttons and progress parts are the editors' own in the base painter.
  TPainterSurface none(20, 10, ShapeBackground);
  painter->DrawEditorButtonOfKind(none.cx(), RECT{0, 0, 20, 10}, 1, cxbsHot, 1);
  painter->DrawProgressBarBorder(none.cx(), RECT{0, 0, 20, 10}, false);
  painter->DrawProgressBarChunk(none.cx(), RECT{0, 0, 20, 10}, true);
  EXPECT_EQ(CompareShapes(none, ShapeBackground, TShapes()), "");
  EXPECT_EQ(painter->ContainerBorderColorEx(true), clBtnText);
  EXPECT_EQ(painter->EditorButtonTextColor(), clDefault);
  // The navigator glyph is the image, grey when disabled.
  TCustomImageList* images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  TPainterSurface enabled(8, 9, RGB(255, 255, 255)), disabled(8, 9, RGB(255, 255, 255));
  painter->DrawNavigatorGlyph(enabled.cx(), images, 0, true, RECT{0, 0, 8, 9});
  painter->DrawNavigatorGlyph(disabled.cx(), images, 0, false, RECT{0, 0, 8, 9});
  EXPECT_LT(enabled.Count(RECT{0, 0, 8, 9}, RGB(255, 255, 255)), 72);
  EXPECT_GT(Differences(enabled, disabled, [](int x, int y) { return POINT{x, y}; }), 0);
}

TEST(LookAndFeelPainterClock, ProgressTextInvertedOrInTwoColoursOrSolid)
{
  auto probe = MakeOwned<TPanelProbePainter>();
  auto font = MakeOwned<TFont>();
  font->SetHeight(-18);
  font->SetStyle(TFontStyles{TFontStyle::fsBold});
  const RECT r{0, 0, 80, 24}, bar{0, 0, 40, 24};
  auto draw = [&](TPainterSurface& surface, bool solid, TColor color, bool vertical, const RECT& textR) {
    surface.cx()->FillRectWithColor(r, clWhite);
    surface.cx()->FillRectWithColor(bar, clNavy);
    surface.cx()->AssignFont(font.get());
    probe->DrawProgressBarText(surface.cx(), vertical, color, bar, textR, "HHHHHHHH", solid);
  };
  const COLORREF inverseNavy = RGB(255, 255, 127);
  const RECT left{0, 0, 40, 24}, right{40, 0, 80, 24};
  {
    // The base colours: the text shows inverted over the bar and beside it.
    TPainterSurface surface(80, 24);
    draw(surface, false, clRed, false, r);
    EXPECT_GT(surface.Count(left, inverseNavy), 20);
    EXPECT_GT(surface.Count(right, RGB(0, 0, 0)), 20);
    EXPECT_EQ(surface.Count(r, RGB(255, 0, 0)), 0);
  }
  {
    TPainterSurface surface(80, 24);
    draw(surface, true, clRed, false, r);
    EXPECT_GT(surface.Count(left, RGB(255, 0, 0)), 20);
    EXPECT_GT(surface.Count(right, RGB(255, 0, 0)), 20);
    EXPECT_EQ(surface.Count(r, inverseNavy), 0);
  }
  {
    // A painter with its own colour over the bar writes the two parts in the two colours.
    probe->TwoColours[0] = Marker;
    probe->TwoColours[1] = clRed;
    TPainterSurface surface(80, 24);
    draw(surface, false, clDefault, false, r);
    EXPECT_GT(surface.Count(left, Rgb(Marker)), 20);
    EXPECT_EQ(surface.Count(left, RGB(255, 0, 0)), 0);
    EXPECT_GT(surface.Count(right, RGB(255, 0, 0)), 20);
    EXPECT_EQ(surface.Count(right, Rgb(Marker)), 0);
    probe->TwoColours[0] = clDefault;
    probe->TwoColours[1] = clWindowText;
  }
  {
    // Turned: written downward from the rectangle's top-right corner, inside it.
    TPainterSurface surface(80, 24);
    surface.cx()->FillRectWithColor(r, clWhite);
    surface.cx()->AssignFont(font.get());
    probe->DrawProgressBarText(surface.cx(), true, clRed, RECT{}, RECT{50, 0, 74, 24}, "HH", true);
    const RECT extent = surface.Extent(RGB(255, 0, 0));
    EXPECT_GE(extent.left, 50);
    EXPECT_LE(extent.right, 74);
    EXPECT_GT(extent.bottom - extent.top, extent.right - extent.left);
  }
}

// --- Group boxes and panels ---

TEST(LookAndFeelPainterGroupBoxes, TheBaseLeavesGroupBoxesToTheirControls)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(20, 10, ShapeBackground);
  const RECT r{0, 0, 20, 10};
  painter->DrawGroupBoxBackground(surface.cx(), r, r);
  painter->DrawGroupBoxCaption(surface.cx(), r, gcsTop);
  painter->DrawGroupBoxCaptionFor(surface.cx(), r, gcsLeft);
  painter->DrawGroupBoxContent(surface.cx(), r, cxBordersAll, gcsTop);
  painter->DrawGroupBoxBorder(surface.cx(), r, cxBordersAll, gcsTop, true);
  painter->DrawGroupBoxCaptionArea(surface.cx(), nullptr, clRed, clRed, r);
  painter->DrawPanelBackground(surface.cx(), r);
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, TShapes()), "");
  painter->DrawGroupBoxPlainBackground(surface.cx(), r, true);
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, TShapes().Fill(r, clBtnFace)), "");
  EXPECT_EQ(painter->GroupBoxTextColor(true, gcsTop), clWindowText);
  EXPECT_EQ(painter->GroupBoxTextColor(false, gcsTop), clBtnShadow);
  EXPECT_EQ(painter->GroupBoxCaptionTextColor(), clWindowText);
  EXPECT_EQ(painter->GroupBoxBorderWidths(true, gcsTop), (RECT{}));
  // The toggle button of a group box is the turned group toggle button.
  for (TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
    TPainterSurface a(21, 15, ShapeBackground), b(21, 15, ShapeBackground);
    painter->DrawGroupBoxToggleButton(a.cx(), RECT{0, 0, 21, 15}, s, false, raMinus90);
    painter->DrawRotatedGroupToggleButton(b.cx(), RECT{0, 0, 21, 15}, s, false, raMinus90);
    EXPECT_EQ(Differences(a, b, [](int x, int y) { return POINT{x, y}; }), 0) << StateText(s);
    EXPECT_GT(a.Count(RECT{0, 0, 21, 15}, Rgb(painter->ButtonGlyphColor(s, clDefault))), 20) << StateText(s);
  }
}

// --- Track bars, splitters, layout controls, print previews and caption boxes ---

TEST(LookAndFeelPainterTrackBars, PointedThumbsHaveLightTopLeftEdgesAndDarkOuterEdges)
{
  auto probe = MakeOwned<TPanelProbePainter>();
  // Up-pointing, 11 x 21: the point at (5, 0), the slopes down to (0, 5) and (10, 5).
  TPainterSurface up(11, 21, ShapeBackground);
  probe->DrawTrackBarThumb(up.cx(), RECT{0, 0, 11, 21}, Marker, 0, true, cxbsNormal);
  const TShapes upShapes = TShapes()
                               .Fill(RECT{0, 6, 1, 20}, LightLine)
                               .Pixel(0, 5, LightLine)
                               .Pixel(1, 4, LightLine)
                               .Pixel(2, 3, LightLine)
                               .Pixel(3, 2, LightLine)
                               .Pixel(4, 1, LightLine)
                               .Pixel(5, 0, OuterLine)
                               .Pixel(6, 1, OuterLine)
                               .Pixel(7, 2, OuterLine)
                               .Pixel(8, 3, OuterLine)
                               .Pixel(9, 4, OuterLine)
                               .Fill(RECT{10, 5, 11, 21}, OuterLine)
                               .Fill(RECT{0, 20, 11, 21}, OuterLine);
  int mismatches = 0;
  for (POINT p : {POINT{0, 10}, POINT{0, 5}, POINT{3, 2}, POINT{5, 0}, POINT{8, 3}, POINT{10, 12}, POINT{4, 20}})
    mismatches += up.Pixel(p.x, p.y) != upShapes.At(p.x, p.y, ShapeBackground);
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(up.Pixel(9, 12), Rgb(InnerLine)) << "the inner dark line";
  EXPECT_EQ(up.Pixel(5, 19), Rgb(InnerLine));
  EXPECT_EQ(up.Pixel(5, 10), Rgb(Marker)) << "the body";
  EXPECT_EQ(up.Pixel(1, 1), ShapeBackground) << "outside the slope";
  EXPECT_EQ(up.Pixel(9, 1), ShapeBackground);

  // Down-pointing: light along the top and the left side, the point at the bottom.
  TPainterSurface down(11, 21, ShapeBackground);
  probe->DrawTrackBarThumb(down.cx(), RECT{0, 0, 11, 21}, Marker, 1, true, cxbsNormal);
  EXPECT_EQ(down.Count(RECT{0, 0, 10, 1}, Rgb(LightLine)), 10);
  EXPECT_EQ(down.Pixel(0, 10), Rgb(LightLine));
  EXPECT_EQ(down.Pixel(10, 10), Rgb(OuterLine));
  EXPECT_EQ(down.Pixel(5, 20), Rgb(OuterLine)) << "the point";
  EXPECT_EQ(down.Pixel(0, 20), ShapeBackground);
  EXPECT_EQ(down.Pixel(10, 20), ShapeBackground);

  // A vertical bar's thumbs are the horizontal ones transposed.
  for (int kind : {0, 1}) {
    TPainterSurface horizontal(11, 21, ShapeBackground), vertical(21, 11, ShapeBackground);
    probe->DrawTrackBarThumb(horizontal.cx(), RECT{0, 0, 11, 21}, Marker, kind, true, cxbsNormal);
    probe->DrawTrackBarThumb(vertical.cx(), RECT{0, 0, 21, 11}, Marker, kind, false, cxbsNormal);
    EXPECT_EQ(Differences(horizontal, vertical, [](int x, int y) { return POINT{y, x}; }), 0) << "kind " << kind;
  }
  // The box thumb: filled, with the box edges.
  TPainterSurface box(11, 21, ShapeBackground);
  probe->DrawTrackBarThumb(box.cx(), RECT{0, 0, 11, 21}, Marker, 2, true, cxbsHot);
  EXPECT_EQ(CompareShapes(box, ShapeBackground, TShapes().Fill(RECT{0, 0, 11, 21}, Marker).Frame(RECT{0, 0, 11, 21}, EdgeColor)),
            "");
  RECT track{0, 0, 11, 21};
  probe->AdjustTrackBarTrack(nullptr, track, 0, true);
  EXPECT_EQ(track, (RECT{0, 0, 12, 22}));
  TPainterSurface trackSurface(20, 6, ShapeBackground);
  probe->DrawTrackBarTrack(trackSurface.cx(), RECT{0, 1, 20, 5}, RECT{}, false, true, true, Marker);
  EXPECT_EQ(CompareShapes(trackSurface, ShapeBackground, TShapes().Fill(RECT{0, 1, 20, 5}, Marker)), "");
}

TEST(LookAndFeelPainterTrackBars, SplitterGripsAreBrokenLinesDoubledWhenThick)
{
  auto base = MakeOwned<TcxCustomLookAndFeelPainter>();  // 2 pixels thick
  auto thin = MakeOwned<TcxUltraFlatLookAndFeelPainter>();  // 1 pixel thick
  // Pieces along 30 pixels about the centre 15: [0, 10) [11, 13) [14, 16) [17, 19) [20, end).
  auto pieces = [](TShapes shapes, bool horizontal, int across, int shift, int end, TColor color) {
    for (auto [from, to] : {std::pair{0, 10}, {11, 13}, {14, 16}, {17, 19}, {20, end}}) {
      const RECT r = horizontal ? RECT{from, across, to, across + 1} : RECT{across, from, across + 1, to};
      shapes.Fill(OffsetRectXY(r, shift, shift), color);
    }
    return shapes;
  };
  struct TCase {
    const char* Name;
    const TcxCustomLookAndFeelPainter* Painter;
    bool Horizontal, Highlighted;
    TShapes Expected;
  };
  const TCase cases[] = {
    {"thick horizontal", base.get(), true, false,
     pieces(pieces(TShapes(), true, 2, 0, 30, clBtnShadow), true, 2, 1, 30, clWhite)},
    {"thick vertical", base.get(), false, true,
     pieces(pieces(TShapes(), false, 2, 0, 29, clBtnShadow), false, 2, 1, 29, clWhite)},
    {"thin horizontal", thin.get(), true, false, pieces(TShapes(), true, 2, 0, 29, clBtnShadow)},
    {"thin vertical, highlighted", thin.get(), false, true, pieces(TShapes(), false, 2, 0, 29, clHighlight)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(c.Horizontal ? 31 : 5, c.Horizontal ? 5 : 31, ShapeBackground);
    c.Painter->DrawSplitterGrip(surface.cx(), c.Horizontal ? RECT{0, 0, 30, 4} : RECT{0, 0, 4, 30}, c.Horizontal,
                                cxbsNormal, c.Highlighted);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Name;
  }
  EXPECT_EQ(base->SplitterSize(true).cy, 2);
  EXPECT_EQ(base->SplitterSize(false).cx, 2);
  EXPECT_EQ(base->SplitterInnerColor(true), clWhite);
  EXPECT_EQ(base->SplitterOuterColor(true), clBtnShadow);
}

TEST(LookAndFeelPainterPreviews, PrintPagesCaptionBoxesAndBackgrounds)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT bounds{0, 0, 30, 40}, content{5, 5, 20, 30};
  ExpectDrawings(30, 40, {
    {"selected page, filled",
     [&](TcxCanvas* c) { painter->DrawPrintPage(c, bounds, content, true, true); },
     TShapes().Fill(RECT{2, 2, 30, 40}, clWindowText).Fill(RECT{0, 0, 28, 38}, clHighlight).Fill(content, clWindow)},
    {"plain page",
     [&](TcxCanvas* c) { painter->DrawPrintPage(c, bounds, content, false, false); },
     TShapes()
         .Fill(RECT{3, 3, 29, 39}, clWindowText)
         .Fill(RECT{1, 1, 27, 37}, clWindowText)
         .Fill(content, static_cast<TColor>(ShapeBackground))},
    {"caption box",
     [&](TcxCanvas* c) { painter->DrawCaptionBox(c, RECT{2, 2, 22, 12}, clNone, nullptr, ""); },
     TShapes().Frame(RECT{2, 2, 22, 12}, clBtnShadow).Fill(RECT{3, 3, 21, 11}, clBtnFace)},
    {"caption box, then a fill",
     [&](TcxCanvas* c) {
       painter->DrawCaptionBox(c, RECT{2, 2, 22, 12}, clNone, nullptr, "");
       c->FillRectWithColor(bounds, Marker);  // the frame stays out of the clip region
     },
     TShapes().Fill(bounds, Marker).Frame(RECT{2, 2, 22, 12}, clBtnShadow)},
    {"layout control background", [&](TcxCanvas* c) { painter->DrawLayoutControlBackground(c, content); },
     TShapes().Fill(content, clBtnFace)},
    {"preview background", [&](TcxCanvas* c) { painter->FillPreviewBackground(c, content); },
     TShapes().Fill(content, clBtnShadow)},
  });
  // The page leaves the caller's clip region as it was.
  TPainterSurface surface(30, 40, ShapeBackground);
  painter->DrawPrintPage(surface.cx(), bounds, content, true, true);
  surface.cx()->FillRectWithColor(bounds, Marker);
  EXPECT_EQ(surface.Count(bounds, Rgb(Marker)), 1200);
  EXPECT_EQ(painter->PrintPageBorderOffsets(), (RECT{2, 2, 4, 4}));
  EXPECT_EQ(painter->PrintPreviewPageColor(), clBtnFace);
}

TEST(LookAndFeelPainterPreviews, PrintPreviewFrameColoursAndIndexesOutsideTheTable)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  struct TCase {
    int Index;
    TColor Color;
  };
  const TCase cases[] = {
    {0, clMaroon}, {2, clMaroon}, {3, clRed},  {6, clRed},   {7, clBlue},  {9, clBlue},     {18, clBlue},
    {19, clRed},   {22, clRed},   {23, clNavy}, {25, clNavy}, {26, clRed},  {27, clBlue},
    // No colour of its own: the caller's default, never a value from beyond the table.
    {28, clDefault}, {-1, clDefault}, {1000, clDefault}, {INT_MIN, clDefault},
  };
  for (const TCase& c : cases) EXPECT_EQ(painter->PrintPreviewFrameColor(c.Index), c.Color) << c.Index;
}

// --- Sizing panels of resizable popups ---

TEST(LookAndFeelPainterPopupPanels, PanelHeightAndLayoutByCorner)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const int scroll = GetSystemMetrics(SM_CYHSCROLL);
  const SIZE grip = painter->SizeGripSize();
  EXPECT_EQ(painter->PopupPanelHeight(), std::max({scroll + 3, static_cast<int>(grip.cy) + 4, 21}));

  struct TCase {
    TcxGripCorner Corner;
    bool Sizeable, Close;
    RECT Client, Panel, Grip, CloseButton;
  };
  // A popup (0, 0, 200, 100) with one-pixel borders and a panel 24 high; the close button's square
  // is the panel less 2 pixels, 20 wide, at the end away from the grip; the button is 14 x 15 in it.
  const TCase cases[] = {
    {gcBottomRight, true, true, {1, 1, 199, 75}, {1, 75, 199, 99},
     {197 - grip.cx, 97 - grip.cy, 197, 97}, {6, 79, 20, 94}},
    {gcTopLeft, true, true, {1, 25, 199, 99}, {1, 1, 199, 25}, {3, 3, 3 + grip.cx, 3 + grip.cy}, {180, 5, 194, 20}},
    {gcTopRight, false, true, {1, 25, 199, 99}, {1, 1, 199, 25}, {}, {6, 5, 20, 20}},
    {gcBottomLeft, true, false, {1, 1, 199, 75}, {1, 75, 199, 99}, {3, 97 - grip.cy, 3 + grip.cx, 97}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Corner));
    RECT client{0, 0, 200, 100}, panel{}, gripRect{1, 1, 1, 1}, closeRect{1, 1, 1, 1};
    painter->CalcPopupPanelLayout(client, panel, RECT{1, 1, 1, 1}, c.Corner, c.Sizeable, c.Close, 24, gripRect,
                                  closeRect);
    EXPECT_EQ(client, c.Client);
    EXPECT_EQ(panel, c.Panel);
    EXPECT_EQ(gripRect, c.Grip);
    EXPECT_EQ(closeRect, c.CloseButton);
  }
  // Panel height 0 takes PopupPanelHeight.
  RECT client{0, 0, 200, 100}, panel, gripRect, closeRect;
  painter->CalcPopupPanelLayout(client, panel, RECT{}, gcBottomRight, false, false, 0, gripRect, closeRect);
  EXPECT_EQ(panel.bottom - panel.top, painter->PopupPanelHeight());
}

TEST(LookAndFeelPainterPopupPanels, PanelPartsSeparatorGripCloseButtonAndClip)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT panel{0, 0, 100, 24};
  {
    TPainterSurface surface(100, 30, ShapeBackground);
    painter->DrawPopupPanelParts(surface.cx(), panel, Marker, TcxBorders{TcxBorder::bTop}, cxbsNormal, gcBottomRight,
                                 RECT{}, RECT{});
    // The rest of the canvas is left for the caller; the panel is out of its clip region.
    surface.cx()->FillRectWithColor(RECT{0, 0, 100, 30}, clRed);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground,
                            TShapes()
                                .Fill(RECT{0, 0, 100, 30}, clRed)
                                .Fill(RECT{0, 0, 100, 1}, Marker)
                                .Fill(RECT{0, 1, 100, 24}, clBtnFace)),
              "");
  }
  // With a grip and a close button: each drawn in its rectangle on the form colour.
  const SIZE gripSize = painter->SizeGripSize();
  const RECT grip{98 - gripSize.cx, 22 - gripSize.cy, 98, 22}, close{4, 5, 18, 20};
  TPainterSurface surface(100, 24, ShapeBackground), expected(100, 24, ShapeBackground);
  painter->DrawPopupPanelParts(surface.cx(), panel, Marker, TcxBorders{TcxBorder::bTop}, cxbsHot, gcBottomRight, close,
                               grip);
  expected.cx()->FillRectWithColor(panel, clBtnFace);
  expected.cx()->FillRectWithColor(RECT{0, 0, 100, 1}, Marker);
  painter->DrawSizeGripMirrored(expected.cx(), grip, gcBottomRight, clNone);
  painter->DrawSmallCloseButton(expected.cx(), close, cxbsHot);
  EXPECT_EQ(Differences(surface, expected, [](int x, int y) { return POINT{x, y}; }), 0);
}

TEST(LookAndFeelPainterPopupPanels, DrawingThroughWorkBitmapsLeavesNoGdiObjectsBehind)
{
  auto painter = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  TPainterSurface surface(120, 60);
  auto once = [&] {
    painter->DrawRotatedGroupToggleButton(surface.cx(), RECT{0, 0, 21, 15}, cxbsHot, true, raPlus90);
    painter->DrawSizeGripMirrored(surface.cx(), RECT{0, 0, 17, 17}, gcTopLeft, clNone);
    painter->DrawProgressBarText(surface.cx(), false, clDefault, RECT{0, 0, 30, 20}, RECT{0, 0, 80, 20}, "50 %", false);
    painter->DrawClockFace(surface.cx(), RECT{0, 0, 60, 60}, clWindow, EncodeTime(1, 2, 3, 0));
    surface.cx()->PushClipRegion();
    painter->DrawPopupPanelParts(surface.cx(), RECT{0, 30, 120, 54}, clBtnShadow, TcxBorders{TcxBorder::bTop},
                                 cxbsPressed, gcBottomLeft, RECT{100, 33, 114, 48}, RECT{2, 35, 19, 52});
    surface.cx()->PopClipRegion();
  };
  once();
  const int before = LiveGdiObjects();
  for (int i = 0; i < 20; ++i) once();
  EXPECT_EQ(LiveGdiObjects(), before);
}

// Paints on the window's own device context and reads the pixels back from the screen.
TEST(PopupSizingPanelWindow, PaintsTheFrameAndThePanelAndGivesTheContextBack)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 160, 90,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  Pump(100);
  // A two-pixel border, the panel along the bottom, in screen coordinates.
  RECT client{42, 42, 198, 128}, panel, grip, close;
  painter->CalcPopupPanelLayout(client, panel, RECT{}, gcBottomRight, true, true, 24, grip, close);
  const int gdi = LiveGdiObjects();
  painter->PaintPopupSizingPanel(window, client, panel, grip, close, gcBottomRight, Marker, true, false);
  EXPECT_EQ(GetSharedPaintCanvas()->LevelCount(), 0);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  HDC dc = GetWindowDC(window);
  auto pixel = [&](int x, int y) { return GetPixel(dc, x, y); };
  EXPECT_EQ(pixel(0, 10), Rgb(Marker)) << "the border band";
  EXPECT_EQ(pixel(1, 10), Rgb(Marker));
  EXPECT_EQ(pixel(80, 89), Rgb(Marker));
  EXPECT_EQ(pixel(80, panel.top - 40), Rgb(Marker)) << "the separator on the panel's top";
  EXPECT_EQ(pixel(80, panel.top - 40 + 5), Rgb(clBtnFace)) << "the panel's face";
  ReleaseDC(window, dc);
  DestroyWindow(window);
}
