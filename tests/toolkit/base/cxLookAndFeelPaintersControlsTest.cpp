// The base painter's operations for control parts, by family: each drawing is compared pixel for
// pixel with a drawing of rectangles, in every state the operation takes. A probe painter gives the
// base algorithms faces, edges and metrics of its own, so that what the base composes shows.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/GraphicsObjects.h"
#include "classlib/ImageList.h"
#include "tests/toolkit/base/PainterShapeChecks.h"
#include "tests/support/ThemeStandIn.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeelPaintersRadio.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeelPaintersShapes.h"

namespace {
constexpr TcxButtonState States[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
constexpr TColor EdgeColor = 0x2020C0;
constexpr TColor Marker = 0x10E010;
constexpr TcxBorders LeftTop{TcxBorder::bLeft, TcxBorder::bTop};

// A face and an edge colour of its own for every state.
constexpr TColor FaceOf(TcxButtonState s) { return static_cast<TColor>(RGB(200, 180, 40 + 40 * static_cast<int>(s))); }
constexpr TColor EdgeOf(TcxButtonState s) { return static_cast<TColor>(RGB(40 + 40 * static_cast<int>(s), 20, 120)); }

// The base painter with one-pixel edges, faces and metrics of its own.
class TProbePainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TProbePainter, TcxCustomLookAndFeelPainter)
public:
  TColor ButtonFaceColor(TcxButtonState s) const override { return FaceOf(s); }
  int ButtonBorderWidth(TcxButtonState) const override { return 1; }
  void DrawButtonEdges(TcxCanvas* c, const RECT& r, TcxButtonState s) const override { c->DrawFrameRect(r, EdgeOf(s)); }
  int ButtonPressedShift() const override { return 2; }
  int BorderWidth() const override { return 2; }
  int HeaderBorderWidth() const override { return 1; }
  void DrawHeaderEdges(TcxCanvas* c, const RECT& r, TcxNeighbours, TcxBorders b) const override
  {
    c->DrawFrameRect(r, EdgeColor, 1, b);
  }
  void DrawHeaderSectionBorder(TcxCanvas* c, const RECT& r, TcxButtonState s, TcxBorders b) const override
  {
    c->DrawFrameRect(r, EdgeOf(s), 1, b);
  }
  int FooterCellBorderWidth() const override { return 1; }
  void DrawFooterCellEdges(TcxCanvas* c, const RECT& r) const override { c->DrawFrameRect(r, EdgeColor); }
  void DrawCheckFrame(TcxCanvas* c, const RECT& r, TcxButtonState s) const override { c->DrawFrameRect(r, EdgeOf(s)); }
  POINT CloseCrossButtonSize() const override { return {16, 14}; }
};

// The rows of a down-pointing arrow from CalcArrowPolygon, filled.
TShapes& DownArrow(TShapes& shapes, const RECT& r, bool proportional, TColor color)
{
  const TcxArrowPoints a = CalcArrowPolygon(r, 0, proportional, adDown);
  for (int y = a.Points[0].y; y <= a.Points[2].y; ++y) {
    const int i = y - a.Points[0].y;
    shapes.Fill(RECT{a.Points[0].x + i, y, a.Points[1].x - i + 1, y + 1}, color);
  }
  return shapes;
}

std::string StateText(TcxButtonState s) { return "state " + std::to_string(static_cast<int>(s)); }
}  // namespace

CL_DEFINE_CLASS(TProbePainter);

// --- Arrow glyphs, borders and push buttons ---

TEST(LookAndFeelPainterButtons, PlainButtonsPushButtonsAndArrowButtonsInEveryState)
{
  auto painter = MakeOwned<TProbePainter>();
  const RECT r{2, 2, 18, 18};
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    const TColor glyph = s == cxbsDisabled ? clBtnShadow : clBtnText;
    TShapes framed = TShapes().Fill(r, FaceOf(s)).Frame(r, EdgeOf(s));
    TShapes withArrow = framed;
    TShapes faceOnly = TShapes().Fill(r, FaceOf(s));
    TShapes faceArrow = faceOnly;
    ExpectDrawings(20, 20, {
      {"DrawPlainButton", [&](TcxCanvas* c) { painter->DrawPlainButton(c, r, s); }, framed},
      {"DrawButton", [&](TcxCanvas* c) { painter->DrawButton(c, r, "", s, true, clDefault, clDefault, false, false); },
       framed},
      {"DrawButton given a face colour",
       [&](TcxCanvas* c) { painter->DrawButton(c, r, "", s, true, Marker, clDefault, false, false); },
       TShapes().Fill(r, Marker).Frame(r, EdgeOf(s))},
      {"DrawButton without border",
       [&](TcxCanvas* c) { painter->DrawButton(c, r, "", s, false, clDefault, clDefault, false, false); }, faceOnly},
      {"DrawEditButtonFace", [&](TcxCanvas* c) { painter->DrawEditButtonFace(c, r, s, 3, 1, clRed); }, framed},
      {"DrawDropDownButtonFace", [&](TcxCanvas* c) { painter->DrawDropDownButtonFace(c, r, s); }, framed},
      {"DrawScrollArrowButton with button", [&](TcxCanvas* c) { painter->DrawScrollArrowButton(c, r, s, adDown, true); },
       DownArrow(withArrow, r, false, glyph)},
      {"DrawScrollArrowButton without button",
       [&](TcxCanvas* c) { painter->DrawScrollArrowButton(c, r, s, adDown, false); },
       DownArrow(faceArrow, r, false, glyph)},
    });
  }
}

TEST(LookAndFeelPainterButtons, StateArrowMovesWhenPressedAndIsEmbossedWhenDisabled)
{
  auto painter = MakeOwned<TProbePainter>();  // pressed shift 2
  const RECT r{0, 0, 16, 16};
  struct TCase {
    TcxButtonState State;
    TShapes Expected;
  };
  TShapes normal, hot, pressed, disabled, byDefault;
  const TCase cases[] = {
    {cxbsNormal, DownArrow(normal, r, true, clBtnText)},
    {cxbsDefault, DownArrow(byDefault, r, true, clBtnText)},
    {cxbsHot, DownArrow(hot, r, true, clBtnText)},
    {cxbsPressed, DownArrow(pressed, OffsetRectXY(r, 2, 2), true, clBtnText)},
    {cxbsDisabled, DownArrow(DownArrow(disabled, OffsetRectXY(r, 1, 1), true, clBtnHighlight), r, true, clBtnShadow)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(20, 20, ShapeBackground);
    painter->DrawStateArrow(surface.cx(), r, c.State, adDown);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << StateText(c.State);
  }
  // The plain glyph: the proportional arrow in the given colour.
  TPainterSurface surface(20, 20, ShapeBackground);
  painter->DrawArrowGlyph(surface.cx(), RECT{0, 0, 20, 12}, Marker, adDown);
  TShapes glyph;
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, DownArrow(glyph, RECT{0, 0, 20, 12}, true, Marker)), "");
}

TEST(LookAndFeelPainterButtons, ButtonTextGoesInAnEvenHeightAndMovesWhenPressed)
{
  struct TCase {
    RECT Face;
    int Shift;
    RECT Expected;
  };
  const TCase cases[] = {
    {{0, 0, 75, 23}, 0, {0, 0, 75, 22}},   // odd height cut to 22
    {{0, 0, 75, 17}, 0, {0, -1, 75, 16}},  // cut to 16, and below 18 one pixel more above
    {{0, 0, 75, 20}, 0, {0, 0, 75, 20}},
    {{5, 5, 80, 15}, 1, {6, 5, 81, 16}},
  };
  for (const TCase& c : cases) EXPECT_EQ(cxButtonTextBounds(c.Face, c.Shift), c.Expected) << c.Face;

  // Enabled captions are in the glyph colour; disabled ones are embossed with the highlight colour.
  auto painter = MakeOwned<TProbePainter>();
  auto font = MakeOwned<TFont>();
  font->SetHeight(-16);
  for (TcxButtonState s : {cxbsNormal, cxbsDisabled}) {
    TPainterSurface surface(60, 24, ShapeBackground);
    surface.cx()->AssignFont(font.get());
    painter->DrawButton(surface.cx(), RECT{0, 0, 60, 24}, "HIH", s, true, clDefault, clDefault, false, false);
    const int highlight = surface.Count(RECT{0, 0, 60, 24}, Rgb(clBtnHighlight));
    if (s == cxbsDisabled)
      EXPECT_GT(highlight, 10);
    else
      EXPECT_EQ(highlight, 0);
    EXPECT_GT(surface.Count(RECT{0, 0, 60, 24}, Rgb(s == cxbsDisabled ? clBtnShadow : clBtnText)), 10);
    EXPECT_EQ(surface.cx()->GetCurrentBrush()->Style(), TBrushStyle::bsSolid);
  }
}

TEST(LookAndFeelPainterButtons, ContainerBordersByStyle)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{1, 1, 11, 9};
  const RECT in1 = InflateRectXY(r, -1, -1);
  struct TCase {
    const char* Name;
    TcxContainerBorderStyle Style;
    int Width;
    TcxBorders Borders;
    TShapes Expected;
  };
  const TCase cases[] = {
    {"single", cbsSingle, 1, cxBordersAll, TShapes().Frame(r, Marker)},
    {"thick", cbsThick, 2, LeftTop, TShapes().Frame(r, Marker, cxBordersAll, 2)},
    {"flat", cbsFlat, 1, cxBordersAll,
     TShapes().TwoColorFrame(r, clBtnShadow, clBtnHighlight).Frame(in1, clBtnFace)},
    {"flat on the left and top", cbsFlat, 1, LeftTop,
     TShapes().TwoColorFrame(r, clBtnShadow, clBtnHighlight, LeftTop).Frame(in1, clBtnFace)},
    {"3D", cbs3D, 1, cxBordersAll,
     TShapes().TwoColorFrame(r, clBtnShadow, clBtnHighlight).TwoColorFrame(in1, cl3DDkShadow, cl3DLight)},
    {"none", cbsNone, 1, cxBordersAll, TShapes()},
    {"ultra-flat", cbsUltraFlat, 1, cxBordersAll, TShapes()},
    {"Office 2003", cbsOffice11, 1, cxBordersAll, TShapes()},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(12, 10, ShapeBackground);
    painter->DrawContainerBorder(surface.cx(), r, c.Style, c.Width, Marker, c.Borders);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Name;
  }
  EXPECT_EQ(painter->ContainerBorderWidth(cbsUltraFlat), 1);
  EXPECT_EQ(painter->ContainerBorderWidth(cbs3D), 2);
  EXPECT_EQ(painter->ContainerBorderWidth(cbsNone), 0);
}

TEST(LookAndFeelPainterButtons, SeparatorIsAShadowAndAHighlightLineOfTheThickness)
{
  auto probe = MakeOwned<TProbePainter>();  // BorderWidth, and so SeparatorThickness, 2
  struct TCase {
    const TcxCustomLookAndFeelPainter* Painter;
    RECT R;
    bool InHorizontalRow;
    TShapes Expected;
  };
  auto base = MakeOwned<TcxCustomLookAndFeelPainter>();
  const TCase cases[] = {
    // A vertical line in a horizontal row: columns at x = 4 and 5, each 19 pixels high.
    {probe.get(), {0, 0, 10, 20}, true,
     TShapes().Fill(RECT{4, 0, 5, 19}, clBtnShadow).Fill(RECT{5, 1, 6, 20}, clBtnHighlight)},
    {probe.get(), {0, 0, 20, 10}, false,
     TShapes().Fill(RECT{0, 4, 19, 5}, clBtnShadow).Fill(RECT{1, 5, 20, 6}, clBtnHighlight)},
    // The base painter's thickness is 0: nothing.
    {base.get(), {0, 0, 10, 20}, true, TShapes()},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(20, 20, ShapeBackground);
    c.Painter->DrawSeparator(surface.cx(), c.R, c.InHorizontalRow);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.R;
  }
}

TEST(LookAndFeelPainterButtons, MetricsOfTheBasePainter)
{
  auto base = MakeOwned<TcxCustomLookAndFeelPainter>();
  auto probe = MakeOwned<TProbePainter>();
  EXPECT_EQ(base->ButtonFocusBounds(nullptr, RECT{0, 0, 40, 20}), (RECT{4, 4, 36, 16}));
  EXPECT_EQ(base->ButtonFocusBounds(nullptr, RECT{0, 0, 8, 20}), (RECT{0, 0, 8, 20})) << "too small to deflate";
  EXPECT_EQ(probe->ButtonGroupBorderWidths(3, 1), (RECT{1, 1, 1, 1}));
  EXPECT_EQ(base->AdjustButtonGroupBounds(RECT{1, 2, 3, 4}, 3, 0), (RECT{1, 2, 3, 4}));
  EXPECT_EQ(base->BorderWidth(), 0);
  EXPECT_EQ(probe->SeparatorThickness(), 2);
  EXPECT_EQ(base->ButtonGlyphColor(cxbsDisabled, Marker), clBtnShadow);
  EXPECT_EQ(base->ButtonGlyphColor(cxbsHot, Marker), Marker);
  EXPECT_EQ(base->ButtonGlyphColor(cxbsPressed, clDefault), clBtnText);
  EXPECT_EQ(base->ButtonGlyphState(cxbsPressed), cxbsPressed);
  EXPECT_EQ(base->ButtonFaceColor(cxbsHot), clBtnFace);
  EXPECT_FALSE(base->ButtonsTrackHot());
}

// --- Expand boxes and group toggle buttons ---

TEST(LookAndFeelPainterExpandButtons, SmallExpandBoxFrameFillAndSign)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{0, 0, 9, 9};
  struct TCase {
    bool Expanded;
    TColor Color;
    TShapes Expected;
  };
  const TCase cases[] = {
    {true, clWindow, TShapes().Frame(r, Marker).Fill(RECT{1, 1, 8, 8}, clWindow).Fill(RECT{2, 4, 7, 5}, clBtnText)},
    {false, clWindow,
     TShapes()
         .Frame(r, Marker)
         .Fill(RECT{1, 1, 8, 8}, clWindow)
         .Fill(RECT{2, 4, 7, 5}, clBtnText)
         .Fill(RECT{4, 2, 5, 7}, clBtnText)},
    // clDefault: no fill, the background shows.
    {true, clDefault, TShapes().Frame(r, Marker).Fill(RECT{2, 4, 7, 5}, clBtnText)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(10, 10, ShapeBackground);
    painter->DrawSmallExpandBox(surface.cx(), r, c.Expanded, Marker, c.Color);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Expanded;
  }
  EXPECT_EQ(painter->SmallExpandBoxSize(), 9);
  EXPECT_EQ(painter->GroupToggleButtonSize(), 15);
  EXPECT_EQ(painter->ExpandBoxSize(), 0);
  EXPECT_TRUE(painter->ExpandBoxDrawnFirst());
  EXPECT_TRUE(painter->HitTestGroupToggleButton(RECT{0, 0, 15, 15}, POINT{14, 0}));
  EXPECT_FALSE(painter->HitTestGroupToggleButton(RECT{0, 0, 15, 15}, POINT{15, 0}));
}

TEST(LookAndFeelPainterExpandButtons, GroupToggleButtonsAreAButtonWithChevronsUprightOrTurned)
{
  auto painter = MakeOwned<TProbePainter>();
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    const COLORREF glyph = Rgb(painter->ButtonGlyphColor(s, clDefault));
    // Upright: the button, then the chevrons over it.
    TPainterSurface expected(15, 15, ShapeBackground);
    painter->DrawButton(expected.cx(), RECT{0, 0, 15, 15}, "", s, true, clDefault, clDefault, false, false);
    painter->DrawToggleChevrons(expected.cx(), RECT{0, 0, 15, 15}, true, s);
    for (auto draw : {&TcxCustomLookAndFeelPainter::DrawGroupToggleButton,
                      &TcxCustomLookAndFeelPainter::DrawLayoutViewToggleButton}) {
      TPainterSurface actual(15, 15, ShapeBackground);
      (painter.get()->*draw)(actual.cx(), RECT{0, 0, 15, 15}, true, s);
      EXPECT_EQ(actual.Picture(RECT{0, 0, 15, 15}, glyph), expected.Picture(RECT{0, 0, 15, 15}, glyph));
      EXPECT_EQ(actual.Count(RECT{0, 0, 15, 15}, Rgb(EdgeOf(s))), 56);
    }
    TPainterSurface unturned(15, 15, ShapeBackground);
    painter->DrawRotatedGroupToggleButton(unturned.cx(), RECT{0, 0, 15, 15}, s, true, ra0);
    EXPECT_EQ(unturned.Picture(RECT{0, 0, 15, 15}, glyph), expected.Picture(RECT{0, 0, 15, 15}, glyph));

    // A quarter turn to the left of a 21 x 15 button: the chevrons of a 15 x 21 one, turned; the
    // button's edges stay whole.
    TPainterSurface upright(15, 21, ShapeBackground);
    painter->DrawToggleChevrons(upright.cx(), RECT{0, 0, 15, 21}, true, s);
    TPainterSurface turned(21, 15, ShapeBackground);
    painter->DrawRotatedGroupToggleButton(turned.cx(), RECT{0, 0, 21, 15}, s, true, raPlus90);
    int differing = 0;
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 15; ++x)
        differing += (upright.Pixel(x, y) == glyph) != (turned.Pixel(y, 14 - x) == glyph);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(turned.Count(RECT{0, 0, 21, 15}, Rgb(EdgeOf(s))), 68);
  }
}

// --- Check boxes, radio buttons and etched lines ---

TEST(LookAndFeelPainterCheckBoxes, CheckMarkIsThreeTicksOnTheFaceUnlessTheBrushIsClear)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{2, 2, 11, 11};
  // w = 7, h = 5, x0 = 5: ticks from (3, 5 + d) down to (5, 7 + d) and up to (9, 3 + d).
  auto mark = [](TShapes shapes) {
    for (int d = 0; d < 3; ++d)
      for (POINT p : {POINT{3, 5}, POINT{4, 6}, POINT{5, 7}, POINT{6, 6}, POINT{7, 5}, POINT{8, 4}, POINT{9, 3}})
        shapes.Pixel(p.x, p.y + d, Marker);
    return shapes;
  };
  struct TCase {
    TcxButtonState State;
    bool Checked;
    TBrushStyle Brush;
    TShapes Expected;
  };
  const TCase cases[] = {
    {cxbsNormal, true, TBrushStyle::bsSolid, mark(TShapes().Fill(r, clWindow))},
    {cxbsHot, true, TBrushStyle::bsSolid, mark(TShapes().Fill(r, clWindow))},
    {cxbsPressed, true, TBrushStyle::bsSolid, mark(TShapes().Fill(r, clBtnFace))},
    {cxbsDisabled, false, TBrushStyle::bsSolid, TShapes().Fill(r, clBtnFace)},
    {cxbsNormal, true, TBrushStyle::bsClear, mark(TShapes())},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(13, 13, ShapeBackground);
    surface.cx()->GetCurrentBrush()->SetStyle(c.Brush);
    painter->DrawCheckMark(surface.cx(), r, c.State, c.Checked, Marker);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << StateText(c.State);
  }
}

TEST(LookAndFeelPainterCheckBoxes, CheckButtonsInEveryStateAndCheckState)
{
  auto painter = MakeOwned<TProbePainter>();
  const RECT r{0, 0, 13, 13};
  const RECT face{2, 2, 11, 11};  // inside the check frame width 2
  for (TcxButtonState s : States)
    for (TcxCheckBoxState check : {cbsUnchecked, cbsChecked, cbsGrayed}) {
      SCOPED_TRACE(StateText(s) + " check state " + std::to_string(static_cast<int>(check)));
      TPainterSurface surface(13, 13, ShapeBackground);
      painter->DrawCheckButton(surface.cx(), r, s, check);
      // The mark as DrawCheckMark draws it in the face, grey when disabled; a grayed box has none.
      TPainterSurface expected(13, 13, ShapeBackground);
      expected.cx()->DrawFrameRect(r, EdgeOf(s));
      painter->DrawCheckMark(expected.cx(), face, s, check == cbsChecked, s == cxbsDisabled ? clGrayText : clBtnText);
      EXPECT_EQ(surface.Picture(r, Rgb(clBtnText)), expected.Picture(r, Rgb(clBtnText)));
      EXPECT_EQ(surface.Picture(r, Rgb(clGrayText)), expected.Picture(r, Rgb(clGrayText)));
      EXPECT_EQ(surface.Count(face, Rgb(painter->CheckBoxFaceColor(s))), expected.Count(face, Rgb(painter->CheckBoxFaceColor(s))));
      EXPECT_EQ(surface.Count(r, Rgb(EdgeOf(s))), 48);
      EXPECT_EQ(surface.Count(r, Rgb(clBtnText)) + surface.Count(r, Rgb(clGrayText)) > 0, check == cbsChecked);
    }
  EXPECT_EQ(painter->CheckFrameWidth(), 2);
  EXPECT_EQ(painter->CheckBoxFaceColor(cxbsDefault), clWindow);
  EXPECT_EQ(painter->CheckBoxFaceColor(cxbsPressed), clBtnFace);
  EXPECT_EQ(painter->CheckBoxGlyphSize().cx, cxCheckBoxGlyphSize().cx);
}

TEST(LookAndFeelPainterCheckBoxes, RadioButtonsComeFromTheGlyphCacheOfThePaintersFamily)
{
  TcxRadioButtonImageList* images = GetRadioButtonImageList();
  ASSERT_NE(images, nullptr);
  // The native painter draws the themed button while the button class opens; without it, the glyph.
  TThemeStandIn themes;
  themes.Refuse(L"Button");
  struct TCase {
    TOwned<TcxCustomLookAndFeelPainter> Painter;
    TcxLookAndFeelKind Family;
  };
  TCase cases[] = {
    {MakeOwned<TcxCustomLookAndFeelPainter>(), lfStandard},  // the base answers cpsStandard
    {MakeOwned<TcxUltraFlatLookAndFeelPainter>(), lfUltraFlat},
    {MakeOwned<TcxFlatLookAndFeelPainter>(), lfFlat},
    {MakeOwned<TcxWinXPLookAndFeelPainter>(), lfStandard},
    {MakeOwned<TcxOffice11LookAndFeelPainter>(), lfOffice11},
  };
  const SIZE size = images->GetSize();
  for (const TCase& c : cases)
    for (TcxButtonState s : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
      SCOPED_TRACE(std::string(c.Painter->ClassName()) + " " + StateText(s));
      TPainterSurface actual(size.cx + 4, size.cy + 4, ShapeBackground);
      TPainterSurface expected(size.cx + 4, size.cy + 4, ShapeBackground);
      c.Painter->DrawRadioButton(actual.cx(), 2, 2, s, true, false, clDefault, false);
      images->Draw(expected.cx(), 2, false, false, true, s, c.Family, clDefault, 2);
      int differing = 0;
      for (int y = 0; y < size.cy + 4; ++y)
        for (int x = 0; x < size.cx + 4; ++x) differing += actual.Pixel(x, y) != expected.Pixel(x, y);
      EXPECT_EQ(differing, 0);
      EXPECT_LT(actual.Count(RECT{0, 0, size.cx + 4, size.cy + 4}, ShapeBackground), (size.cx + 4) * (size.cy + 4));
    }
  EXPECT_EQ(cases[0].Painter->RadioButtonGlyphSize().cx, size.cx);
  EXPECT_EQ(cases[0].Painter->RadioButtonGlyphSize().cy, size.cy);
}

TEST(LookAndFeelPainterCheckBoxes, EtchedLinesAreTwoColourFramesOnTwoSides)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  struct TCase {
    RECT R;
    TColor LeftTop, RightBottom;
    bool Vertical;
    TShapes Expected;
  };
  const TCase cases[] = {
    {{0, 2, 10, 4}, clDefault, clDefault, false,
     TShapes().Fill(RECT{0, 2, 10, 3}, clBtnShadow).Fill(RECT{0, 3, 10, 4}, clBtnHighlight)},
    {{3, 0, 5, 10}, clDefault, clDefault, true,
     TShapes().Fill(RECT{3, 0, 4, 10}, clBtnShadow).Fill(RECT{4, 0, 5, 10}, clBtnHighlight)},
    {{0, 2, 10, 4}, Marker, clRed, false, TShapes().Fill(RECT{0, 2, 10, 3}, Marker).Fill(RECT{0, 3, 10, 4}, clRed)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(10, 10, ShapeBackground);
    painter->DrawEtchedLine(surface.cx(), c.R, c.LeftTop, c.RightBottom, c.Vertical);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.R;
  }
  EXPECT_EQ(painter->EtchedLineThickness(), 2);
}

// --- Headers, group panels and layout-view items ---

TEST(LookAndFeelPainterHeaders, HeadersAreEdgesOnTheirBordersAndContentInside)
{
  auto painter = MakeOwned<TProbePainter>();  // header border width 1
  const RECT r{0, 0, 30, 12};
  ExpectDrawings(32, 14, {
    {"DrawHeader",
     [&](TcxCanvas* c) {
       painter->DrawHeader(c, r, r, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, "", nullptr,
                           clDefault, Marker, {}, false, false);
     },
     TShapes().Frame(r, EdgeColor).Fill(RECT{1, 1, 29, 11}, Marker)},
    {"DrawHeader on the left and top",
     [&](TcxCanvas* c) {
       painter->DrawHeader(c, r, r, {}, LeftTop, cxbsHot, taLeftJustify, vaTop, false, false, "", nullptr, clDefault,
                           Marker, {}, true, true);
     },
     TShapes().Frame(r, EdgeColor, LeftTop).Fill(RECT{1, 1, 30, 12}, Marker)},
    {"DrawHeaderSimple",
     [&](TcxCanvas* c) {
       painter->DrawHeaderSimple(c, r, r, {}, cxBordersAll, cxbsPressed, taLeftJustify, vaTop, false, false, "",
                                 nullptr, clDefault, Marker, {});
     },
     TShapes().Frame(r, EdgeColor).Fill(RECT{1, 1, 29, 11}, Marker)},
    {"DrawIndicatorItem (no image)",
     [&](TcxCanvas* c) { painter->DrawIndicatorItem(c, r, ikNone, Marker, {}); },
     TShapes().Frame(r, EdgeColor).Fill(RECT{1, 1, 29, 11}, Marker)},
    {"DrawIndicatorItemSimple (no image)",
     [&](TcxCanvas* c) { painter->DrawIndicatorItemSimple(c, r, ikNone, Marker, {}); },
     TShapes().Frame(r, EdgeColor).Fill(RECT{1, 1, 29, 11}, Marker)},
    {"DrawBandedBackground",
     [&](TcxCanvas* c) { painter->DrawBandedBackground(c, r, TcxViewParams{nullptr, clRed}, Marker, 5); },
     TShapes().Fill(RECT{0, 0, 5, 12}, clRed).Fill(RECT{25, 0, 30, 12}, clRed).Fill(RECT{5, 0, 25, 12}, Marker)},
    {"DrawGroupPanelBackground",
     [&](TcxCanvas* c) { painter->DrawGroupPanelBackground(c, r, false, Marker, nullptr); }, TShapes().Fill(r, Marker)},
  });
}

TEST(LookAndFeelPainterHeaders, HeaderSectionsInEveryState)
{
  auto painter = MakeOwned<TProbePainter>();
  const RECT r{0, 0, 30, 12};
  for (TcxButtonState s : States) {
    TPainterSurface surface(32, 14, ShapeBackground);
    painter->DrawHeaderSection(surface.cx(), r, r, {}, cxBordersAll, s, taLeftJustify, vaTop, false, false, "",
                               nullptr, clDefault, Marker);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, TShapes().Frame(r, EdgeOf(s)).Fill(RECT{1, 1, 29, 11}, Marker)),
              "")
        << StateText(s);
  }
  // Disabled text is embossed: a highlight copy under a shadow one.
  auto font = MakeOwned<TFont>();
  font->SetHeight(-16);
  for (TcxButtonState s : {cxbsNormal, cxbsDisabled}) {
    TPainterSurface surface(60, 24, ShapeBackground);
    painter->DrawHeaderSectionText(surface.cx(), RECT{0, 0, 60, 24}, s, taCenter, vaCenter, false, false, "HIH",
                                   font.get(), Marker);
    const RECT all{0, 0, 60, 24};
    EXPECT_EQ(surface.Count(all, Rgb(clBtnHighlight)) > 10, s == cxbsDisabled);
    EXPECT_EQ(surface.Count(all, Rgb(Marker)) > 10, s != cxbsDisabled);
    EXPECT_EQ(surface.cx()->GetCurrentBrush()->Style(), TBrushStyle::bsSolid);
  }
}

TEST(LookAndFeelPainterHeaders, HeaderGeometry)
{
  auto base = MakeOwned<TcxCustomLookAndFeelPainter>();
  auto probe = MakeOwned<TProbePainter>();
  const RECT r{10, 10, 50, 30};
  EXPECT_EQ(base->HeaderHeight(13), 17);
  EXPECT_EQ(probe->HeaderHeight(13), 19);
  EXPECT_EQ(probe->HeaderContentBounds(r, cxBordersAll), (RECT{11, 11, 49, 29}));
  EXPECT_EQ(probe->HeaderContentBounds(r, LeftTop), (RECT{11, 11, 50, 30}));
  // The base painter's headers draw all four borders whatever their neighbours: nothing to add.
  EXPECT_EQ(probe->HeaderBoundsFromContent(r, {TcxNeighbour::nLeft}, cxBordersAll), r);
  EXPECT_EQ(base->HeaderNeighbourBorders({TcxNeighbour::nLeft}), cxBordersAll);
  EXPECT_EQ(probe->HeaderSectionContentBounds(r, cxbsNormal), (RECT{11, 11, 49, 29}));
  EXPECT_EQ(probe->HeaderSectionTextBounds(r, cxbsPressed), (RECT{11, 11, 51, 31}));
  EXPECT_EQ(probe->HeaderSectionTextBounds(r, cxbsHot), r);
  EXPECT_EQ(base->SortArrowAreaSize().x, 16);
  EXPECT_TRUE(base->IsHeaderTransparent());
  EXPECT_TRUE(base->IsHeaderImageTransparent());
  EXPECT_FALSE(base->IsHeaderThemed());
  EXPECT_EQ(base->DefaultCellBorders(), cxBordersAll);
  // The text's width in the font, 4 pixels of space, and a border on each side that has one.
  auto font = MakeOwned<TFont>();
  TPainterSurface surface(10, 10);
  surface.cx()->AssignFont(font.get());
  const int text = surface.cx()->MeasureTextWidth("Header text");
  EXPECT_EQ(probe->HeaderWidth(surface.cx(), cxBordersAll, font.get(), "Header text"), text + 6);
  EXPECT_EQ(probe->HeaderWidth(surface.cx(), LeftTop, font.get(), "Header text"), text + 5);
  EXPECT_EQ(base->HeaderWidth(surface.cx(), cxBordersAll, font.get(), "Header text"), text + 4);
}

TEST(LookAndFeelPainterHeaders, LayoutViewItemsInEveryState)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{0, 0, 20, 10};
  const TcxBorders noTop{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom};
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    const TColor frame = s == cxbsHot ? clHighlight : clBtnShadow;
    ExpectDrawings(20, 10, {
      {"item", [&](TcxCanvas* c) { painter->DrawLayoutViewItem(c, r, s); },
       TShapes().Fill(r, s == cxbsPressed ? clHighlight : clBtnFace)},
      {"caption", [&](TcxCanvas* c) { painter->DrawLayoutViewRecordCaption(c, r, s, true); },
       TShapes().Frame(r, frame).Fill(RECT{1, 1, 19, 9}, s == cxbsHot ? clHighlight : clBtnFace)},
      {"frame", [&](TcxCanvas* c) { painter->DrawLayoutViewRecordFrame(c, r, noTop, s); },
       TShapes().Frame(r, frame, noTop)},
      {"body", [&](TcxCanvas* c) { painter->DrawLayoutViewRecordBody(c, r, noTop, s); },
       TShapes().Frame(r, frame, noTop).Fill(RECT{1, 0, 19, 9}, clBtnFace)},
    });
  }
  // The record frame stays out of the clip region for what is drawn next.
  TPainterSurface surface(20, 10, ShapeBackground);
  painter->DrawLayoutViewRecordFrame(surface.cx(), r, cxBordersAll, cxbsNormal);
  surface.cx()->FillRectWithColor(r, Marker);
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, TShapes().Frame(r, clBtnShadow).Fill(RECT{1, 1, 19, 9}, Marker)),
            "");
}

TEST(LookAndFeelPainterHeaders, InvertHeaderRectInvertsThePixels)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(10, 10, RGB(0, 0, 0));
  surface.SetPixel(3, 3, RGB(255, 0, 0));
  painter->InvertHeaderRect(surface.cx(), RECT{2, 2, 6, 6});
  EXPECT_EQ(surface.Pixel(3, 3), RGB(0, 255, 255));
  EXPECT_EQ(surface.Count(RECT{2, 2, 6, 6}, RGB(255, 255, 255)), 15);
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, RGB(0, 0, 0)), 84);
}

// --- Footers ---

TEST(LookAndFeelPainterFooters, FooterCellsPatternsAndSeparators)
{
  auto painter = MakeOwned<TProbePainter>();  // footer cell border 1
  const RECT r{0, 0, 20, 10};
  ExpectDrawings(20, 10, {
    {"DrawFooterCell",
     [&](TcxCanvas* c) {
       painter->DrawFooterCell(c, r, taLeftJustify, vaTop, false, "", nullptr, clDefault, Marker, {});
     },
     TShapes().Frame(r, EdgeColor).Fill(RECT{1, 1, 19, 9}, Marker)},
    {"DrawFooterCellContent",
     [&](TcxCanvas* c) {
       painter->DrawFooterCellContent(c, r, taLeftJustify, vaTop, false, "", nullptr, clDefault, Marker, {});
     },
     TShapes().Fill(RECT{1, 1, 19, 9}, Marker)},
    {"DrawFooterPanelPattern",
     [&](TcxCanvas* c) { painter->DrawFooterPanelPattern(c, r, TcxViewParams{nullptr, Marker}); },
     TShapes().Fill(r, Marker)},
    {"DrawFooterPanelPattern of an empty rectangle",
     [&](TcxCanvas* c) { painter->DrawFooterPanelPattern(c, RECT{5, 5, 5, 9}, TcxViewParams{nullptr, Marker}); },
     TShapes()},
    {"DrawFooterSeparator", [&](TcxCanvas* c) { painter->DrawFooterSeparator(c, r); }, TShapes().Fill(r, clBtnShadow)},
  });
  EXPECT_TRUE(painter->FooterCellsDrawnFirst());
  EXPECT_EQ(painter->FooterSeparatorSize(), 1);
  EXPECT_EQ(painter->FooterSeparatorColor(), clBtnShadow);
}

// --- Filter buttons, popups, hints and screen tips ---

TEST(LookAndFeelPainterPopups, PopupBordersDrawFromTheOutsideInAndDeflate)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{0, 0, 12, 12};
  auto in = [&](int d) { return InflateRectXY(r, -d, -d); };
  struct TCase {
    const char* Name;
    TcxEditPopupBorderStyle Style;
    bool ClientEdge;
    int Deflation;
    TShapes Expected;
  };
  const TCase cases[] = {
    {"default", epbsDefault, false, 1, TShapes()},
    {"single", epbsSingle, false, 1, TShapes().Frame(r, clBtnText)},
    {"flat", epbsFlat, false, 2,
     TShapes().TwoColorFrame(r, cl3DLight, cl3DDkShadow).TwoColorFrame(in(1), clBtnHighlight, clBtnShadow)},
    {"frame 3D", epbsFrame3D, false, 4,
     TShapes()
         .TwoColorFrame(r, cl3DLight, cl3DDkShadow)
         .TwoColorFrame(in(1), clBtnHighlight, clBtnShadow)
         .Frame(in(2), clBtnFace)
         .TwoColorFrame(in(3), cl3DDkShadow, cl3DLight)},
    {"frame 3D with a client edge", epbsFrame3D, true, 4,
     TShapes()
         .TwoColorFrame(r, cl3DLight, cl3DDkShadow)
         .TwoColorFrame(in(1), clBtnHighlight, clBtnShadow)
         .Frame(in(2), clInactiveBorder)
         .Frame(in(3), clBtnFace)},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(12, 12, ShapeBackground);
    RECT rect = r;
    painter->DrawPopupBorder(surface.cx(), rect, c.Style, c.ClientEdge);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Name;
    EXPECT_EQ(rect, in(c.Deflation)) << c.Name;
  }
  EXPECT_EQ(painter->PopupBorderWidth(epbsFrame3D), 4);
  EXPECT_EQ(painter->PopupBorderWidth(epbsFlat), 2);
  EXPECT_EQ(painter->PopupFrameExtent(epbsSingle), 2);
  EXPECT_EQ(painter->PopupFrameExtent(epbsFlat), 1);
  EXPECT_EQ(painter->StandardPopupBorderStyle(), epbsSingle);
}

TEST(LookAndFeelPainterPopups, CloseCrossButtonsInEveryState)
{
  auto painter = MakeOwned<TProbePainter>();  // cross box 7 pixels
  const RECT r{0, 0, 16, 16};
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    TPainterSurface surface(16, 16, ShapeBackground);
    painter->DrawCloseCrossButton(surface.cx(), r, s);
    const COLORREF glyph = Rgb(painter->ButtonGlyphColor(s, clDefault));
    EXPECT_EQ(surface.Count(r, Rgb(EdgeOf(s))), 60);
    EXPECT_EQ(surface.Count(r, Rgb(FaceOf(s))), 14 * 14 - 26);
    EXPECT_EQ(surface.Count(r, glyph), 26);
    // A pressed cross is one pixel further right and down (the base's glyph state is the state).
    const int origin = s == cxbsPressed ? 5 : 4;
    EXPECT_EQ(surface.Extent(glyph), (RECT{origin, origin, origin + 8, origin + 7}));
  }
  EXPECT_EQ(painter->FilterCheckSize().x, 13);
  EXPECT_EQ(MakeOwned<TcxCustomLookAndFeelPainter>()->CloseCrossButtonSize().y, 14);
  EXPECT_EQ(painter->FilterArrowButtonSize().x, 15);
}

TEST(LookAndFeelPainterPopups, HintsAndScreenTips)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  const RECT r{0, 0, 20, 10};
  ExpectDrawings(20, 10, {
    {"FillHintBackground", [&](TcxCanvas* c) { painter->FillHintBackground(c, r, clDefault); },
     TShapes().Fill(r, clInfoBk)},
    {"FillHintBackground in a colour", [&](TcxCanvas* c) { painter->FillHintBackground(c, r, Marker); },
     TShapes().Fill(r, Marker)},
    {"FillFormContent", [&](TcxCanvas* c) { painter->FillFormContent(c, r); }, TShapes().Fill(r, clBtnFace)},
    {"DrawFilterPanelBackground", [&](TcxCanvas* c) { painter->DrawFilterPanelBackground(c, r, false, Marker, nullptr); },
     TShapes().Fill(r, Marker)},
    {"DrawScreenTipSeparator", [&](TcxCanvas* c) { painter->DrawScreenTipSeparator(c, RECT{2, 3, 18, 6}); },
     TShapes().Fill(RECT{2, 3, 18, 4}, clWindowFrame).Fill(RECT{2, 4, 18, 5}, clWhite)},
  });
  // The screen tip: the hint colour inside, a frame with rounded corners around it.
  TPainterSurface surface(20, 10, ShapeBackground);
  painter->DrawScreenTipBackground(surface.cx(), r);
  EXPECT_EQ(surface.Count(RECT{2, 1, 18, 9}, Rgb(clInfoBk)), 16 * 8);
  EXPECT_EQ(surface.Count(RECT{1, 2, 19, 8}, Rgb(clInfoBk)), 18 * 6);
  for (POINT p : {POINT{10, 0}, POINT{10, 9}, POINT{0, 5}, POINT{19, 5}})
    EXPECT_EQ(surface.Pixel(p.x, p.y), Rgb(clWindowFrame)) << p.x << ", " << p.y;
  EXPECT_EQ(surface.cx()->GetCurrentBrush()->Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(painter->ScreenTipSeparatorSize(), 3);
  EXPECT_EQ(painter->HintBorderColor(), clDefault);
}

// --- Tabs and indicators ---

TEST(LookAndFeelPainterIndicators, SizingGripAndIndicatorImages)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  {
    TPainterSurface surface(14, 19, ShapeBackground);
    painter->DrawIndicatorSizingGrip(surface.cx(), RECT{0, 0, 14, 19}, Marker);
    // Rows 5, 7, 9, 11 and 13 from x = 5 to 10; dots at x = 3 on rows 5, 9 and 13.
    TShapes grip;
    for (int i = 0; i < 5; ++i) {
      grip.Fill(RECT{5, 5 + 2 * i, 11, 6 + 2 * i}, Marker);
      if (i % 2 == 0) grip.Pixel(3, 5 + 2 * i, Marker);
    }
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, grip), "");
  }
  TCustomImageList* images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  std::vector<std::vector<std::string>> pictures;
  for (int k = 0; k <= 6; ++k) {
    TPainterSurface surface(20, 21, RGB(255, 255, 255));
    painter->DrawIndicatorImage(surface.cx(), RECT{0, 0, 20, 21}, static_cast<TcxIndicatorKind>(k));
    const RECT box{(20 - images->Width()) / 2, (21 - images->Height()) / 2, 0, 0};
    const RECT image{box.left, box.top, box.left + images->Width(), box.top + images->Height()};
    const int outside = 20 * 21 - images->Width() * images->Height();
    EXPECT_EQ(surface.Count(RECT{0, 0, 20, 21}, RGB(255, 255, 255)) - surface.Count(image, RGB(255, 255, 255)), outside)
        << "kind " << k << " draws only in its centred box";
    if (k == 0)
      EXPECT_EQ(surface.Count(image, RGB(255, 255, 255)), images->Width() * images->Height()) << "kind 0 draws nothing";
    else
      EXPECT_LT(surface.Count(image, RGB(255, 255, 255)), images->Width() * images->Height()) << "kind " << k;
    pictures.push_back(surface.Picture(image, RGB(255, 255, 255)));
  }
  for (int k = 2; k <= 6; ++k) EXPECT_NE(pictures[k], pictures[1]) << "kind " << k << " has an image of its own";

  // An indicator item is a header with the image over it.
  auto probe = MakeOwned<TProbePainter>();
  TPainterSurface item(20, 21, ShapeBackground);
  probe->DrawIndicatorItem(item.cx(), RECT{0, 0, 20, 21}, ikFilter, Marker, {});
  EXPECT_EQ(item.Count(RECT{0, 0, 20, 21}, Rgb(EdgeColor)), 2 * 20 + 2 * 19);
  EXPECT_GT(item.Count(RECT{1, 1, 19, 20}, Rgb(Marker)), 18 * 19 - images->Width() * images->Height());
  EXPECT_LT(item.Count(RECT{1, 1, 19, 20}, Rgb(Marker)), 18 * 19);
  EXPECT_TRUE(painter->IsIndicatorHeaderVisible());
}

TEST(LookAndFeelPainterIndicators, TheBasePainterDrawsNoTabs)
{
  auto painter = MakeOwned<TcxCustomLookAndFeelPainter>();
  TPainterSurface surface(20, 10, ShapeBackground);
  painter->DrawTab(surface.cx(), RECT{0, 0, 20, 10}, cxBordersAll, "Tab", cxbsPressed, false, nullptr, clRed, clRed,
                   false);
  painter->DrawTabEdges(surface.cx(), RECT{0, 0, 1, 10}, false, cxBordersAll, TcxBorder::bLeft);
  painter->DrawTabPaneEdges(surface.cx(), RECT{0, 0, 20, 10}, false, cxBordersAll);
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, TShapes()), "");
  EXPECT_FALSE(painter->IsTabDrawImplemented(false));
  EXPECT_FALSE(painter->TabsTrackHot(true));
  EXPECT_EQ(painter->TabBorderWidth(false), 0);
}
