// The ultra-flat painter: its colours and metrics, and every drawing override compared pixel for
// pixel with a drawing of rectangles, in every state the operation takes.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "classlib/GraphicsObjects.h"
#include "tests/toolkit/base/PainterShapeChecks.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

namespace {
constexpr TcxButtonState States[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
constexpr TColor Marker = 0x10E010;
constexpr TcxBorders RightBottom{TcxBorder::bRight, TcxBorder::bBottom};

std::string StateText(TcxButtonState s) { return "state " + std::to_string(static_cast<int>(s)); }

// The edges of an ultra-flat button of the state in r: two window-frame frames around a default
// button, else one frame in the colour of the state.
TShapes Edges(const RECT& r, TcxButtonState s)
{
  if (s == cxbsDefault) return TShapes().Frame(r, clWindowFrame).Frame(InflateRectXY(r, -1, -1), clWindowFrame);
  return TShapes().Frame(r, s == cxbsNormal ? clBtnText : s == cxbsDisabled ? clBtnShadow : clHighlight);
}

TColor Face(TcxButtonState s) { return s == cxbsHot ? MixHotColor() : s == cxbsPressed ? MixPressedColor() : clBtnFace; }

// The edges and the face inside them (or the face alone).
TShapes Button(const RECT& r, TcxButtonState s, bool withBorder = true)
{
  if (!withBorder) return TShapes().Fill(r, Face(s));
  const int border = s == cxbsDefault ? 2 : 1;
  return Edges(r, s).Fill(InflateRectXY(r, -border, -border), Face(s));
}

// The rows of a filled down-pointing triangle with its top-left corner at (x, y) and w pixels wide.
TShapes& DownTriangle(TShapes& shapes, int x, int y, int w, TColor color)
{
  for (int i = 0; 2 * i < w; ++i) shapes.Fill(RECT{x + i, y + i, x + w - i, y + i + 1}, color);
  return shapes;
}

}  // namespace

TEST(UltraFlatPainter, ColoursAndMetrics)
{
  auto painter = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const TcxUltraFlatLookAndFeelPainter& p = *painter;
  struct TColorCase {
    const char* Name;
    TColor Actual, Expected;
  };
  const TColorCase colours[] = {
    {"ContainerFrameColor", p.ContainerFrameColor(), clBtnShadow},
    {"ButtonFaceColor(default)", p.ButtonFaceColor(cxbsDefault), clBtnFace},
    {"ButtonFaceColor(normal)", p.ButtonFaceColor(cxbsNormal), clBtnFace},
    {"ButtonFaceColor(hot)", p.ButtonFaceColor(cxbsHot), MixHotColor()},
    {"ButtonFaceColor(pressed)", p.ButtonFaceColor(cxbsPressed), MixPressedColor()},
    {"ButtonFaceColor(disabled)", p.ButtonFaceColor(cxbsDisabled), clBtnFace},
    {"ButtonGlyphColor(pressed)", p.ButtonGlyphColor(cxbsPressed, Marker), clHighlightText},
    {"ButtonGlyphColor(hot)", p.ButtonGlyphColor(cxbsHot, Marker), Marker},
    {"ButtonGlyphColor(disabled)", p.ButtonGlyphColor(cxbsDisabled, clDefault), clBtnShadow},
    {"RadioButtonFaceColor(default)", p.RadioButtonFaceColor(cxbsDefault), clBtnFace},
    {"RadioButtonFaceColor(normal)", p.RadioButtonFaceColor(cxbsNormal), clWindow},
    {"RadioButtonFaceColor(hot)", p.RadioButtonFaceColor(cxbsHot), MixHotColor()},
    {"RadioButtonFaceColor(pressed)", p.RadioButtonFaceColor(cxbsPressed), MixPressedColor()},
    {"RadioButtonFaceColor(disabled)", p.RadioButtonFaceColor(cxbsDisabled), clBtnFace},
    {"StateFrameColor(normal)", p.StateFrameColor(cxbsNormal), clBtnShadow},
    {"StateFrameColor(default)", p.StateFrameColor(cxbsDefault), clBtnShadow},
    {"StateFrameColor(hot)", p.StateFrameColor(cxbsHot), clHighlight},
    {"StateFrameColor(disabled)", p.StateFrameColor(cxbsDisabled), clHighlight},
    {"LightFrameColor", p.LightFrameColor(), clBtnShadow},
    {"DarkFrameColor", p.DarkFrameColor(), clBtnText},
    {"HighlightFrameColor", p.HighlightFrameColor(), clHighlight},
    {"SplitterOuterColor(highlighted)", p.SplitterOuterColor(true), clHighlight},
    {"SplitterOuterColor", p.SplitterOuterColor(false), clBtnShadow},
  };
  for (const TColorCase& c : colours) EXPECT_EQ(c.Actual, c.Expected) << c.Name;

  EXPECT_EQ(p.GetPainterName(), "UltraFlat");
  EXPECT_EQ(p.PainterStyle(), cpsUltraFlat);
  EXPECT_EQ(p.BorderWidth(), 1);
  EXPECT_EQ(p.SeparatorThickness(), 1);
  EXPECT_EQ(p.ButtonBorderWidth(cxbsDefault), 2);
  EXPECT_EQ(p.ButtonBorderWidth(cxbsPressed), 1);
  EXPECT_EQ(p.ButtonFocusBounds(nullptr, RECT{0, 0, 40, 20}), (RECT{3, 3, 37, 17}));
  EXPECT_EQ(p.ButtonFocusBounds(nullptr, RECT{0, 0, 6, 20}), (RECT{0, 0, 6, 20}));
  // Joined buttons: thick ends, one-pixel joints.
  EXPECT_EQ(p.ButtonGroupBorderWidths(3, 0), (RECT{2, 2, 1, 2}));
  EXPECT_EQ(p.ButtonGroupBorderWidths(3, 1), (RECT{1, 2, 1, 2}));
  EXPECT_EQ(p.ButtonGroupBorderWidths(3, 2), (RECT{1, 2, 2, 2}));
  EXPECT_EQ(p.ButtonGroupBorderWidths(1, 0), (RECT{2, 2, 1, 2}));
  EXPECT_EQ(p.ButtonContentIndent(), 2);
  EXPECT_EQ(p.ButtonPressedShift(), 0);
  EXPECT_EQ(p.ButtonGlyphState(cxbsPressed), cxbsNormal);
  EXPECT_EQ(p.ExpandBoxSize(), 11);
  EXPECT_TRUE(p.ButtonsTrackHot());
  EXPECT_EQ(p.HeaderBorderWidth(), 1);
  EXPECT_EQ(p.SortArrowSize().x, 7);
  EXPECT_EQ(p.SortArrowSize().y, 8);
  EXPECT_EQ(p.DefaultCellBorders(), RightBottom);
  EXPECT_EQ(p.FooterBorderWidth(), 1);
  EXPECT_EQ(p.FooterCellBorderWidth(), 1);
  EXPECT_EQ(p.FooterCellSpacing(), 2);
  EXPECT_EQ(p.CloseCrossButtonSize().x, 16);
  EXPECT_EQ(p.CloseCrossButtonSize().y, 15);
  EXPECT_EQ(p.TabBorderWidth(true), 1);
  EXPECT_EQ(p.SplitterSize(true).cx, 17);
  EXPECT_EQ(p.SplitterSize(true).cy, 1);
  EXPECT_EQ(p.SplitterSize(false).cx, 1);
  EXPECT_EQ(p.HeaderHeight(13), 19);
  // The ultra-flat painter is the one of its style in the registry.
  ASSERT_NE(cxLookAndFeelPaintersManager(), nullptr);
  EXPECT_EQ(cxLookAndFeelPaintersManager()->GetPainterByStyle(cpsUltraFlat)->ClassType(),
            TcxUltraFlatLookAndFeelPainter::StaticClass());
}

TEST(UltraFlatPainter, HeaderBordersBetweenNeighbours)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  using N = TcxNeighbour;
  EXPECT_EQ(p->HeaderNeighbourBorders({}), cxBordersAll);
  EXPECT_EQ(p->HeaderNeighbourBorders({N::nLeft}), (TcxBorders{TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom}));
  EXPECT_EQ(p->HeaderNeighbourBorders({N::nTop, N::nRight}),
            (TcxBorders{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom}));
  // The side a neighbour draws is given back to the header's bounds.
  EXPECT_EQ(p->HeaderBoundsFromContent(RECT{10, 10, 50, 30}, {N::nLeft}, cxBordersAll), (RECT{9, 10, 50, 30}));
  EXPECT_EQ(p->HeaderBoundsFromContent(RECT{10, 10, 50, 30}, {}, cxBordersAll), (RECT{10, 10, 50, 30}));

  // Three headers in a row share their lines: one line between two headers.
  TPainterSurface surface(62, 12, ShapeBackground);
  const TcxNeighbours neighbours[] = {{N::nRight}, {N::nLeft, N::nRight}, {N::nLeft}};
  for (int i = 0; i < 3; ++i) {
    const RECT r{20 * i + 1, 1, 20 * i + 21, 11};
    p->DrawHeader(surface.cx(), r, r, neighbours[i], p->HeaderNeighbourBorders(neighbours[i]), cxbsNormal, taLeftJustify,
                  vaTop, false, false, "", nullptr, clDefault, Marker, {}, i == 2, false);
  }
  TShapes expected;
  expected.Fill(RECT{1, 1, 61, 11}, Marker).Frame(RECT{1, 1, 61, 11}, clBtnText);
  for (int x : {20, 40}) expected.Fill(RECT{x, 1, x + 1, 11}, clBtnText);
  EXPECT_EQ(CompareShapes(surface, ShapeBackground, expected), "");
}

TEST(UltraFlatPainter, ButtonsInEveryState)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT r{1, 1, 21, 13};
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    const bool framedDropDown = s == cxbsHot || s == cxbsPressed;
    ExpectDrawings(22, 14,
                   {
                     {"DrawButton", [&](TcxCanvas* c) { p->DrawButton(c, r, "", s, true, clDefault, clDefault, false, false); },
                      Button(r, s)},
                     {"DrawPlainButton", [&](TcxCanvas* c) { p->DrawPlainButton(c, r, s); },
                      TShapes().Fill(r, Face(s)).Then(Edges(r, s))},
                     {"DrawDropDownButtonFace", [&](TcxCanvas* c) { p->DrawDropDownButtonFace(c, r, s); },
                      Button(r, s, framedDropDown)},
                     {"DrawButtonEdges", [&](TcxCanvas* c) { p->DrawButtonEdges(c, r, s); }, Edges(r, s)},
                   });
  }
  ExpectDrawings(22, 14,
                 {
                   {"DrawButtonFrame", [&](TcxCanvas* c) { p->DrawButtonFrame(c, r, false, false); },
                    TShapes().Frame(r, clBtnShadow)},
                   {"DrawButtonFrame selected", [&](TcxCanvas* c) { p->DrawButtonFrame(c, r, true, false); },
                    TShapes().Frame(r, clHighlight)},
                   {"DrawButtonFrame pressed", [&](TcxCanvas* c) { p->DrawButtonFrame(c, r, true, true); },
                    TShapes().Frame(r, clBtnText)},
                   {"DrawBorderFrame", [&](TcxCanvas* c) { p->DrawBorderFrame(c, r); }, TShapes().Frame(r, clBtnShadow)},
                   {"DrawContainerFrame", [&](TcxCanvas* c) { p->DrawContainerFrame(c, r); },
                    TShapes().Frame(r, clBtnShadow)},
                   {"DrawSeparator", [&](TcxCanvas* c) { p->DrawSeparator(c, RECT{0, 0, 10, 14}, true); },
                    TShapes().Fill(RECT{5, 0, 6, 14}, clBtnShadow)},
                   {"DrawSeparator in a vertical row", [&](TcxCanvas* c) { p->DrawSeparator(c, RECT{0, 0, 22, 10}, false); },
                    TShapes().Fill(RECT{0, 5, 22, 6}, clBtnShadow)},
                 });
}

TEST(UltraFlatPainter, JoinedEditorButtons)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT r{0, 0, 17, 20};
  const TColor highlight = clHighlight;
  struct TCase {
    TcxButtonState State;
    int Index;
    TShapes Expected;
  };
  // Three buttons; each stops one pixel short of the editor's frame at the top, the bottom and the
  // group's ends.
  const TCase cases[] = {
    {cxbsNormal, 0, TShapes().Frame(RECT{1, 1, 17, 19}, Marker).Fill(RECT{2, 2, 16, 18}, clBtnFace)},
    {cxbsDefault, 1, TShapes().Frame(RECT{0, 1, 17, 19}, Marker).Fill(RECT{1, 2, 16, 18}, clBtnFace)},
    {cxbsDisabled, 2, TShapes().Frame(RECT{0, 1, 16, 19}, Marker).Fill(RECT{1, 2, 15, 18}, clBtnFace)},
    // Hot and pressed: no frame; highlight columns on the sides shared with a neighbour.
    {cxbsHot, 0, TShapes().Fill(RECT{16, 1, 17, 19}, highlight).Fill(RECT{1, 1, 16, 19}, MixHotColor())},
    {cxbsHot, 1,
     TShapes().Fill(RECT{0, 1, 1, 19}, highlight).Fill(RECT{16, 1, 17, 19}, highlight).Fill(RECT{1, 1, 16, 19},
                                                                                              MixHotColor())},
    {cxbsPressed, 2, TShapes().Fill(RECT{0, 1, 1, 19}, highlight).Fill(RECT{1, 1, 16, 19}, MixPressedColor())},
  };
  for (const TCase& c : cases) {
    TPainterSurface surface(17, 20, ShapeBackground);
    p->DrawEditButtonFace(surface.cx(), r, c.State, 3, c.Index, Marker);
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << StateText(c.State) << " button " << c.Index;
  }
}

TEST(UltraFlatPainter, ScrollBarElementsInEveryState)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT r{0, 0, 17, 17};
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    // The down arrow of a vertical bar: the proportional arrow of the state over the button.
    TShapes arrowButton = Button(r, s);
    const TcxArrowPoints a = CalcArrowPolygon(r, 0, true, adDown);
    const int w = a.Points[1].x - a.Points[0].x + 1;
    if (s == cxbsDisabled) {
      DownTriangle(arrowButton, a.Points[0].x + 1, a.Points[0].y + 1, w, clBtnHighlight);
      DownTriangle(arrowButton, a.Points[0].x, a.Points[0].y, w, clBtnShadow);
    } else {
      DownTriangle(arrowButton, a.Points[0].x, a.Points[0].y, w, p->ButtonGlyphColor(s, clDefault));
    }
    // The page area: the checkerboard of the pressed or the normal pattern, from the origin.
    TShapes page;
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 30; ++x)
        page.Pixel(x, y, (x + y) % 2 == 0 ? (s == cxbsPressed ? clBlack : clBtnFace)
                                          : (s == cxbsPressed ? cl3DDkShadow : clBtnHighlight));
    ExpectDrawings(30, 17,
                   {
                     {"line forward", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, false, r, sbeLineForward, s); },
                      arrowButton},
                     {"thumb", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, RECT{0, 0, 30, 17}, sbeThumb, s); },
                      s == cxbsDisabled ? TShapes() : Button(RECT{0, 0, 30, 17}, s)},
                     {"page", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, RECT{0, 0, 30, 17}, sbePageForward, s); },
                      page},
                     {"empty", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, RECT{5, 5, 5, 17}, sbeThumb, s); },
                      TShapes()},
                   });
  }
}

TEST(UltraFlatPainter, ExpandBoxesCheckFramesAndFilterButtons)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT box{0, 0, 11, 11};
  // The sign inside (1, 1, 10, 10): centre (5, 5), half 2.
  ExpectDrawings(11, 11,
                 {
                   {"expanded", [&](TcxCanvas* c) { p->DrawExpandBox(c, box, true, clDefault); },
                    TShapes().Frame(box, clBtnShadow).Fill(RECT{1, 1, 10, 10}, clBtnFace).Fill(RECT{3, 5, 8, 6}, clBtnText)},
                   {"collapsed in a colour",
                    [&](TcxCanvas* c) {
                      p->DrawExpandBox(c, box, false, Marker);
                      c->FillRectWithColor(box, clRed);  // the box stays out of the clip region
                    },
                    TShapes()
                        .Frame(box, clBtnShadow)
                        .Fill(RECT{1, 1, 10, 10}, Marker)
                        .Fill(RECT{3, 5, 8, 6}, clBtnText)
                        .Fill(RECT{5, 3, 6, 8}, clBtnText)},
                 });
  for (TcxButtonState s : States) {
    SCOPED_TRACE(StateText(s));
    const RECT filter{0, 0, 15, 18};
    // Inside (1, 1, 14, 17) the drop-down arrow is 7 wide and 4 high at (4, 7).
    TShapes inactive, active;
    inactive.Frame(filter, p->StateFrameColor(s)).Fill(RECT{1, 1, 14, 17}, p->ButtonFaceColor(s));
    active = inactive;
    DownTriangle(inactive, 4, 7, 7, p->ButtonGlyphColor(s, clDefault));
    DownTriangle(active, 4, 7, 7, clBlue);
    ExpectDrawings(15, 18,
                   {
                     {"check frame", [&](TcxCanvas* c) { p->DrawCheckFrame(c, RECT{0, 0, 13, 13}, s); },
                      TShapes().Frame(RECT{0, 0, 13, 13}, clBtnText).Frame(RECT{1, 1, 12, 12}, p->CheckBoxFaceColor(s))},
                     {"filter button", [&](TcxCanvas* c) { p->DrawFilterArrowButton(c, filter, s, false); }, inactive},
                     {"active filter button", [&](TcxCanvas* c) { p->DrawFilterArrowButton(c, filter, s, true); }, active},
                   });
  }
  // A pressed close cross keeps its place and takes the highlight-text colour.
  TPainterSurface cross(16, 15, ShapeBackground);
  p->DrawCloseCrossButton(cross.cx(), RECT{0, 0, 16, 15}, cxbsPressed);
  EXPECT_EQ(cross.Extent(Rgb(clHighlightText)), (RECT{4, 4, 12, 11}));
  EXPECT_EQ(cross.Count(RECT{0, 0, 16, 15}, Rgb(clHighlight)), 2 * 16 + 2 * 13);
}

TEST(UltraFlatPainter, HeadersSectionsFootersAndSortArrows)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT r{0, 0, 20, 10};
  std::vector<TDrawCase> cases = {
    {"header edges on all sides", [&](TcxCanvas* c) { p->DrawHeaderEdges(c, r, {}, cxBordersAll); },
     TShapes().Frame(r, clBtnText)},
    {"header edges without borders: right and bottom always",
     [&](TcxCanvas* c) { p->DrawHeaderEdges(c, r, {}, {}); }, TShapes().Frame(r, clBtnText, RightBottom)},
    {"simple header: content on the bounds, edges one pixel inside",
     [&](TcxCanvas* c) {
       p->DrawHeaderSimple(c, r, r, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, "", nullptr,
                           clDefault, Marker, {});
     },
     TShapes().Fill(r, Marker).Frame(RECT{1, 1, 19, 9}, clBtnText)},
    {"footer panel", [&](TcxCanvas* c) { p->DrawFooterPanel(c, r, cxBordersAll); }, TShapes().Frame(r, clBtnShadow)},
    {"footer edges", [&](TcxCanvas* c) { p->DrawFooterEdges(c, r); }, TShapes().Frame(r, clBtnShadow, RightBottom)},
    {"footer cell edges", [&](TcxCanvas* c) { p->DrawFooterCellEdges(c, r); }, TShapes().Frame(r, clBtnShadow)},
  };
  for (TcxButtonState s : States) {
    const TColor fill = s == cxbsHot || s == cxbsPressed || s == cxbsDisabled ? p->ButtonFaceColor(s) : Marker;
    cases.push_back({"header section " + StateText(s),
                     [&, s](TcxCanvas* c) {
                       p->DrawHeaderSection(c, r, r, {}, cxBordersAll, s, taLeftJustify, vaTop, false, false, "", nullptr,
                                            clDefault, Marker);
                     },
                     TShapes().Frame(r, s == cxbsDisabled ? clBtnShadow : clBlack).Fill(RECT{1, 1, 19, 9}, fill)});
  }
  ExpectDrawings(20, 10, cases);
  // Sort arrows: one colour, both edges.
  for (bool ascending : {true, false}) {
    TPainterSurface surface(16, 16, ShapeBackground);
    p->DrawSortArrow(surface.cx(), RECT{0, 0, 16, 16}, ascending);
    const int shadow = surface.Count(RECT{0, 0, 16, 16}, Rgb(clBtnShadow));
    EXPECT_GT(shadow, 15);
    EXPECT_EQ(surface.Count(RECT{0, 0, 16, 16}, ShapeBackground) + shadow, 256) << "nothing but the shadow colour";
    EXPECT_EQ(surface.Extent(Rgb(clBtnShadow)), (RECT{5, 4, 12, 12}));
  }
}

TEST(UltraFlatPainter, TabsSplittersGroupBoxesTrackBarsAndPreviews)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const COLORREF shadow = Rgb(clBtnShadow);
  auto lighter = [](int v) { return v + (255 - v) / 3; };
  const TColor preview = static_cast<TColor>(
      RGB(lighter(GetRValue(shadow)), lighter(GetGValue(shadow)), lighter(GetBValue(shadow))));
  ExpectDrawings(
      20, 12,
      {
        // The right edge of a horizontal tab is dark and stops short of the pane.
        {"tab right edge", [&](TcxCanvas* c) { p->DrawTabEdges(c, RECT{19, 0, 20, 12}, false, cxBordersAll, TcxBorder::bRight); },
         TShapes().Fill(RECT{19, 0, 20, 11}, clBtnText)},
        {"tab left edge", [&](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 0, 1, 12}, false, cxBordersAll, TcxBorder::bLeft); },
         TShapes().Fill(RECT{0, 0, 1, 12}, clBtnShadow)},
        {"vertical tab bottom edge",
         [&](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 11, 20, 12}, true, cxBordersAll, TcxBorder::bBottom); },
         TShapes().Fill(RECT{0, 11, 20, 12}, clBtnText)},
        {"vertical tab top edge",
         [&](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 0, 20, 1}, true, cxBordersAll, TcxBorder::bTop); },
         TShapes().Fill(RECT{0, 0, 20, 1}, clBtnShadow)},
        {"tab pane", [&](TcxCanvas* c) { p->DrawTabPaneEdges(c, RECT{0, 0, 20, 12}, false, RightBottom); },
         TShapes().Frame(RECT{0, 0, 20, 12}, clBtnShadow, RightBottom)},
        {"horizontal splitter border",
         [&](TcxCanvas* c) { p->DrawSplitterBorder(c, RECT{2, 3, 18, 9}, true, TcxViewParams{nullptr, Marker}); },
         TShapes().Fill(RECT{1, 4, 19, 8}, Marker).Frame(RECT{2, 3, 18, 9}, clBtnShadow,
                                                          TcxBorders{TcxBorder::bTop, TcxBorder::bBottom})},
        {"vertical splitter border",
         [&](TcxCanvas* c) { p->DrawSplitterBorder(c, RECT{6, 2, 12, 10}, false, TcxViewParams{nullptr, Marker}); },
         TShapes().Fill(RECT{7, 1, 11, 11}, Marker).Frame(RECT{6, 2, 12, 10}, clBtnShadow,
                                                           TcxBorders{TcxBorder::bLeft, TcxBorder::bRight})},
        {"group box, enabled",
         [&](TcxCanvas* c) {
           p->DrawGroupBoxBorder(c, RECT{0, 0, 20, 12}, cxBordersAll, gcsTop, true);
           c->FillRectWithColor(RECT{0, 0, 20, 12}, Marker);  // the frame stays out of the clip region
         },
         TShapes().Fill(RECT{0, 0, 20, 12}, Marker).Frame(RECT{0, 0, 20, 12}, clHighlight)},
        {"group box, disabled, no top",
         [&](TcxCanvas* c) {
           p->DrawGroupBoxBorder(c, RECT{0, 0, 20, 12}, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom},
                                 gcsTop, false);
         },
         TShapes().Frame(RECT{0, 0, 20, 12}, clBtnShadow, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom})},
        {"track", [&](TcxCanvas* c) { p->DrawTrackBarTrack(c, RECT{0, 4, 20, 8}, RECT{}, false, true, true, Marker); },
         TShapes().Fill(RECT{0, 4, 20, 8}, Marker).Frame(RECT{0, 4, 20, 8}, clWindowText)},
        {"box thumb", [&](TcxCanvas* c) { p->DrawTrackBarThumb(c, RECT{5, 0, 12, 12}, Marker, 2, true, cxbsHot); },
         TShapes().Fill(RECT{5, 0, 12, 12}, Marker).Frame(RECT{5, 0, 12, 12}, clWindowText)},
        {"preview background", [&](TcxCanvas* c) { p->FillPreviewBackground(c, RECT{0, 0, 20, 12}); },
         TShapes().Fill(RECT{0, 0, 20, 12}, preview)},
      });
  if (shadow == RGB(128, 128, 128)) {
    EXPECT_EQ(Rgb(preview), RGB(170, 170, 170));
  }
  // A pointed thumb has its light and outer edges in the window-text colour and no inner edge.
  TPainterSurface thumb(11, 21, ShapeBackground);
  p->DrawTrackBarThumb(thumb.cx(), RECT{0, 0, 11, 21}, Marker, 0, true, cxbsNormal);
  EXPECT_EQ(thumb.Pixel(0, 10), Rgb(clWindowText));
  EXPECT_EQ(thumb.Pixel(10, 10), Rgb(clWindowText));
  EXPECT_EQ(thumb.Pixel(5, 20), Rgb(clWindowText));
  EXPECT_EQ(thumb.Pixel(9, 10), Rgb(Marker)) << "no inner edge";
}

TEST(UltraFlatPainter, SchedulerNavigationButtons)
{
  auto p = MakeOwned<TcxUltraFlatLookAndFeelPainter>();
  const RECT r{0, 0, 10, 20};
  for (TcxButtonState s : States)
    for (bool next : {false, true}) {
      SCOPED_TRACE(StateText(s) + (next ? " next" : " previous"));
      const TcxBorders sides = next ? TcxBorders{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bBottom}
                                    : TcxBorders{TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};
      // The face is the button face in every state; only the frame and the arrow follow the state.
      const TColor face = clBtnFace;
      TPainterSurface surface(10, 20, ShapeBackground);
      p->DrawSchedulerNavButton(surface.cx(), r, RECT{2, 7, 9, 14}, next, s);
      TShapes expected = TShapes().Fill(r, face).Frame(r, s == cxbsHot ? clBtnShadow : clBtnText, sides);
      TPainterSurface arrow(10, 20, ShapeBackground);
      p->DrawSchedulerNavArrow(arrow.cx(), RECT{2, 7, 9, 14}, next, Marker);
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
          if (arrow.Pixel(x, y) == Rgb(Marker)) expected.Pixel(x, y, p->ButtonGlyphColor(s, clDefault));
      EXPECT_EQ(CompareShapes(surface, ShapeBackground, expected), "");
      EXPECT_NE(Rgb(face), Rgb(p->ButtonGlyphColor(s, clDefault))) << "the arrow shows on the face";
    }
}
