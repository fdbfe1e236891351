// The standard and flat painters: their metrics, the bevels of every part they draw themselves as
// pictures in letters of the system's 3-D colours, the scroll-bar elements (the platform's arrow
// buttons of the standard look, small raised buttons of the flat one), and what each hands on to
// other operations: the flat painter's buttons and arrows, the standard painter's scheduler header
// and its borrowed flat toggle button.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "tests/toolkit/base/cxPainterPicturesTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

namespace {
using TRows = std::vector<std::string>;
using TDraw = std::function<void(TcxCanvas*)>;

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;

// H highlight, L 3-D light, F face, S shadow, D 3-D dark shadow, K black, R red, B blue.
const TLegend& Legend()
{
  static const TLegend legend{{'H', clBtnHighlight}, {'L', cl3DLight}, {'F', clBtnFace}, {'S', clBtnShadow},
                              {'D', cl3DDkShadow},   {'K', clBlack},   {'R', Red},       {'B', Blue}};
  return legend;
}

// A part drawn on the background and its picture in letters.
TRows Draw(int width, int height, const TDraw& draw)
{
  TPainterSurface surface(width, height, PictureBackground);
  draw(surface.cx());
  return Letters(surface, RECT{0, 0, width, height}, Legend());
}

struct TPictureCase {
  const char* Name;
  int Width, Height;
  TDraw Paint;
  TRows Picture;
};

void ExpectPictures(const std::vector<TPictureCase>& cases)
{
  ASSERT_TRUE(LegendIsUnambiguous(Legend()));
  for (const TPictureCase& c : cases) EXPECT_EQ(Draw(c.Width, c.Height, c.Paint), c.Picture) << c.Name;
}

const TcxBorders LeftTop{TcxBorder::bLeft, TcxBorder::bTop};
const TcxNeighbours BothNeighbours{TcxNeighbour::nLeft, TcxNeighbour::nRight};

// The standard painter with the operations it hands on to recorded instead of drawn.
class TRecordingStandardPainter : public TcxStandardLookAndFeelPainter {
  CL_CLASS(TRecordingStandardPainter, TcxStandardLookAndFeelPainter)
public:
  struct THeaderCall {
    RECT Bounds, TextBounds;
    TcxNeighbours Neighbours;
    TcxBorders Borders;
    TcxButtonState State;
    TAlignment AlignHorz;
    TcxVerticalAlignment AlignVert;
    bool MultiLine;
    std::string Text;
    TFont* Font;
    TColor TextColor, BkColor;
  };
  mutable std::vector<THeaderCall> Headers;
  mutable std::vector<TcxBorders> ContentBordersAsked;
  static constexpr RECT Content{100, 200, 300, 400};

  RECT HeaderContentBounds(const RECT&, TcxBorders Borders) const override
  {
    ContentBordersAsked.push_back(Borders);
    return Content;
  }
  void DrawHeader(TcxCanvas*, const RECT& Bounds, const RECT& TextBounds, TcxNeighbours Neighbours,
                  TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                  bool MultiLine, bool, std::string_view Text, TFont* Font, TColor TextColor, TColor BkColor,
                  const TcxDrawBackgroundEvent&, bool, bool) const override
  {
    Headers.push_back({Bounds, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert, MultiLine,
                       std::string(Text), Font, TextColor, BkColor});
  }
};

// The flat painter with its buttons, arrows and check-box face recorded or fixed.
class TRecordingFlatPainter : public TcxFlatLookAndFeelPainter {
  CL_CLASS(TRecordingFlatPainter, TcxFlatLookAndFeelPainter)
public:
  struct TButtonCall {
    RECT R;
    TcxButtonState State;
    bool WithBorder;
    TColor Color;
    bool Text;
  };
  struct TArrowCall {
    RECT R;
    TcxButtonState State;
    TcxArrowDirection Direction;
  };
  mutable std::vector<TButtonCall> Buttons;
  mutable std::vector<TArrowCall> Arrows;

  void DrawButton(TcxCanvas*, const RECT& R, std::string_view Text, TcxButtonState State, bool WithBorder,
                  TColor Color, TColor, bool, bool) const override
  {
    Buttons.push_back({R, State, WithBorder, Color, !Text.empty()});
  }
  void DrawStateArrow(TcxCanvas*, const RECT& R, TcxButtonState State, TcxArrowDirection Direction) const override
  {
    Arrows.push_back({R, State, Direction});
  }
  TColor CheckBoxFaceColor(TcxButtonState State) const override { return State == cxbsDisabled ? Blue : Red; }
  TColor CalendarHeaderColor() const override { return Red; }
};

// A flat-style painter that sorts before "Flat", so that it is the registry's painter of cpsFlat
// while it is registered; it records the toggle buttons it is asked to draw.
class TToggleRecorder : public TcxFlatLookAndFeelPainter {
  CL_CLASS(TToggleRecorder, TcxFlatLookAndFeelPainter)
public:
  static inline int Calls = 0;
  static inline RECT LastR{};
  static inline bool LastExpanded = false;
  static inline TcxButtonState LastState = cxbsNormal;
  std::string GetPainterName() const override { return "AFlatRecorder"; }
  void DrawGroupToggleButton(TcxCanvas*, const RECT& R, bool Expanded, TcxButtonState State) const override
  {
    ++Calls;
    LastR = R;
    LastExpanded = Expanded;
    LastState = State;
  }
};

TcxStandardLookAndFeelPainter* Standard() { return RegisteredPainter<TcxStandardLookAndFeelPainter>(cpsStandard); }
TcxFlatLookAndFeelPainter* Flat() { return RegisteredPainter<TcxFlatLookAndFeelPainter>(cpsFlat); }
}  // namespace

CL_DEFINE_CLASS(TRecordingStandardPainter);
CL_DEFINE_CLASS(TRecordingFlatPainter);
CL_DEFINE_CLASS(TToggleRecorder);

// --- Metrics ---

TEST(StandardAndFlatPainters, Metrics)
{
  const TcxCustomLookAndFeelPainter& s = *Standard();
  const TcxCustomLookAndFeelPainter& f = *Flat();
  struct TCase {
    const char* Name;
    int Standard, Flat;
    int ExpectedStandard, ExpectedFlat;
  };
  const TCase cases[] = {
    {"BorderWidth", s.BorderWidth(), f.BorderWidth(), 2, 1},
    {"SeparatorThickness (flat)", 2, f.SeparatorThickness(), 2, 2},
    {"ButtonBorderWidth(default)", s.ButtonBorderWidth(cxbsDefault), f.ButtonBorderWidth(cxbsDefault), 3, 2},
    {"ButtonBorderWidth(normal)", s.ButtonBorderWidth(cxbsNormal), f.ButtonBorderWidth(cxbsNormal), 2, 1},
    {"ButtonBorderWidth(pressed)", s.ButtonBorderWidth(cxbsPressed), f.ButtonBorderWidth(cxbsPressed), 2, 1},
    {"ButtonContentIndent", s.ButtonContentIndent(), f.ButtonContentIndent(), 1, 1},
    {"ButtonPressedShift", s.ButtonPressedShift(), f.ButtonPressedShift(), 1, 1},
    {"ExpandBoxSize", s.ExpandBoxSize(), f.ExpandBoxSize(), 12, 11},
    {"ButtonsTrackHot", s.ButtonsTrackHot(), f.ButtonsTrackHot(), 0, 0},
    {"HeaderBorderWidth", s.HeaderBorderWidth(), f.HeaderBorderWidth(), 1, 1},
    {"HeaderSectionBorderWidth(pressed) (standard)", s.HeaderSectionBorderWidth(cxbsPressed), 1, 1, 1},
    {"HeaderSectionBorderWidth(hot) (standard)", s.HeaderSectionBorderWidth(cxbsHot), 2, 2, 2},
    {"SortArrowSize.x", s.SortArrowSize().x, f.SortArrowSize().x, 8, 8},
    {"SortArrowSize.y", s.SortArrowSize().y, f.SortArrowSize().y, 7, 7},
    {"FooterBorderWidth", s.FooterBorderWidth(), f.FooterBorderWidth(), 1, 1},
    {"FooterCellBorderWidth", s.FooterCellBorderWidth(), f.FooterCellBorderWidth(), 1, 1},
    {"FooterCellSpacing", s.FooterCellSpacing(), f.FooterCellSpacing(), 1, 1},
    {"TabBorderWidth", s.TabBorderWidth(false), f.TabBorderWidth(true), 1, 1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(c.Standard, c.ExpectedStandard) << c.Name;
    EXPECT_EQ(c.Flat, c.ExpectedFlat) << c.Name;
  }
  EXPECT_EQ(s.SchedulerContentColor(), clWindow);
  EXPECT_EQ(f.SplitterOuterColor(true), cl3DDkShadow);
  EXPECT_EQ(f.SplitterOuterColor(false), clBtnShadow);
}

// --- The standard painter's bevels ---

TEST(StandardPainter, BevelledParts)
{
  TcxStandardLookAndFeelPainter* p = Standard();
  const TRows sunkenBorder{"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"};
  const TRows raisedButton{"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"};
  ExpectPictures({
    {"border frame: two pixels sunken", 6, 6, [p](TcxCanvas* c) { p->DrawBorderFrame(c, RECT{0, 0, 6, 6}); },
     sunkenBorder},
    {"check frame", 6, 6, [p](TcxCanvas* c) { p->DrawCheckFrame(c, RECT{0, 0, 6, 6}, cxbsNormal); }, sunkenBorder},
    {"track-bar track frame", 6, 6, [p](TcxCanvas* c) { p->DrawTrackBarTrackFrame(c, RECT{0, 0, 6, 6}); },
     sunkenBorder},
    {"normal button", 6, 6, [p](TcxCanvas* c) { p->DrawButtonEdges(c, RECT{0, 0, 6, 6}, cxbsNormal); },
     raisedButton},
    {"hot button looks normal", 6, 6, [p](TcxCanvas* c) { p->DrawButtonEdges(c, RECT{0, 0, 6, 6}, cxbsHot); },
     raisedButton},
    {"track-bar box thumb", 6, 6, [p](TcxCanvas* c) { p->DrawTrackBarThumbBoxEdges(c, RECT{0, 0, 6, 6}); },
     raisedButton},
    {"default button: a black frame around the raised edge", 7, 7,
     [p](TcxCanvas* c) { p->DrawButtonEdges(c, RECT{0, 0, 7, 7}, cxbsDefault); },
     {"KKKKKKK", "KHHHHDK", "KHLLSDK", "KHL.SDK", "KHSSSDK", "KDDDDDK", "KKKKKKK"}},
    {"pressed button: black and shadow frames", 5, 5,
     [p](TcxCanvas* c) { p->DrawButtonEdges(c, RECT{0, 0, 5, 5}, cxbsPressed); },
     {"KKKKK", "KSSSK", "KS.SK", "KSSSK", "KKKKK"}},
    {"collapsed expand box", 12, 12, [p](TcxCanvas* c) { p->DrawExpandBox(c, RECT{0, 0, 12, 12}, false, clDefault); },
     {"HHHHHHHHHHHD", "HFFFFFFFFFSD", "HFFFFFFFFFSD", "HFFFFKFFFFSD", "HFFFFKFFFFSD", "HFFKKKKKFFSD",
      "HFFFFKFFFFSD", "HFFFFKFFFFSD", "HFFFFFFFFFSD", "HFFFFFFFFFSD", "HSSSSSSSSSSD", "DDDDDDDDDDDD"}},
    {"expanded expand box in the caller's colour", 12, 12,
     [p](TcxCanvas* c) { p->DrawExpandBox(c, RECT{0, 0, 12, 12}, true, Red); },
     {"HHHHHHHHHHHD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRKKKKKRRSD",
      "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HRRRRRRRRRSD", "HSSSSSSSSSSD", "DDDDDDDDDDDD"}},
    {"header section, raised on the left and top", 6, 6,
     [p](TcxCanvas* c) { p->DrawHeaderSectionBorder(c, RECT{0, 0, 6, 6}, cxbsNormal, LeftTop); },
     {"HHHHHH", "HLLLL.", "HL....", "HL....", "HL....", "H....."}},
    {"pressed header section: one shadow frame", 6, 6,
     [p](TcxCanvas* c) { p->DrawHeaderSectionBorder(c, RECT{0, 0, 6, 6}, cxbsPressed, cxBordersAll); },
     {"SSSSSS", "S....S", "S....S", "S....S", "S....S", "SSSSSS"}},
    {"group box: etched", 6, 6,
     [p](TcxCanvas* c) { p->DrawGroupBoxBorder(c, RECT{0, 0, 6, 6}, cxBordersAll, gcsTop, true); },
     {"SSSSS.", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", ".HHHHH"}},
    {"horizontal splitter: two lines on each long side", 10, 6,
     [p](TcxCanvas* c) { p->DrawSplitterBorder(c, RECT{2, 0, 8, 6}, true, TcxViewParams{nullptr, Red}); },
     {"..FFFFFF..", ".HHHHHHHH.", "RRRRRRRRRR", "RRRRRRRRRR", ".SSSSSSSS.", "..DDDDDD.."}},
    {"vertical splitter", 6, 6,
     [p](TcxCanvas* c) { p->DrawSplitterBorder(c, RECT{0, 1, 6, 5}, false, TcxViewParams{nullptr, Red}); },
     {".HRRS.", "FHRRSD", "FHRRSD", "FHRRSD", "FHRRSD", ".HRRS."}},
  });
}

TEST(StandardPainter, TrackBarThumbEdgesInTheirThreeColours)
{
  TcxStandardLookAndFeelPainter* p = Standard();
  const POINT light[] = {{0, 5}, {0, 0}, {5, 0}};
  const POINT outer[] = {{5, 0}, {5, 5}, {-1, 5}};
  const POINT inner[] = {{4, 1}, {4, 4}, {0, 4}};
  ExpectPictures({{"standard", 6, 6, [&](TcxCanvas* c) { p->DrawTrackBarThumbEdges(c, light, outer, inner); },
                   {"HHHHHD", "H...SD", "H...SD", "H...SD", "HSSSSD", "DDDDDD"}},
                  {"flat: no inner line", 6, 6,
                   [&](TcxCanvas* c) { Flat()->DrawTrackBarThumbEdges(c, light, outer, inner); },
                   {"HHHHHS", "H....S", "H....S", "H....S", "H....S", "SSSSSS"}}});
}

// --- What the standard and flat painters draw alike ---

TEST(StandardAndFlatPainters, SharedOneAndTwoPixelEdges)
{
  for (TcxCustomLookAndFeelPainter* p : {static_cast<TcxCustomLookAndFeelPainter*>(Standard()),
                                         static_cast<TcxCustomLookAndFeelPainter*>(Flat())}) {
    SCOPED_TRACE(p->GetPainterName());
    ExpectPictures({
      {"header between two neighbours: joints in the face colour", 6, 6,
       [p](TcxCanvas* c) { p->DrawHeaderEdges(c, RECT{0, 0, 6, 6}, BothNeighbours, cxBordersAll); },
       {"HHHHHH", "F....F", "H....S", "H....S", "F....F", "SSSSSS"}},
      {"lone header", 6, 6, [p](TcxCanvas* c) { p->DrawHeaderEdges(c, RECT{0, 0, 6, 6}, {}, cxBordersAll); },
       {"HHHHHS", "H....S", "H....S", "H....S", "H....S", "SSSSSS"}},
      {"footer: raised", 4, 4, [p](TcxCanvas* c) { p->DrawFooterEdges(c, RECT{0, 0, 4, 4}); },
       {"HHHS", "H..S", "H..S", "SSSS"}},
      {"footer cell: sunken", 4, 4, [p](TcxCanvas* c) { p->DrawFooterCellEdges(c, RECT{0, 0, 4, 4}); },
       {"SSSH", "S..H", "S..H", "HHHH"}},
      {"tab pane: raised on its sides", 4, 4,
       [p](TcxCanvas* c) { p->DrawTabPaneEdges(c, RECT{0, 0, 4, 4}, false, LeftTop); },
       {"HHHH", "H...", "H...", "H..."}},
      {"top edge of a horizontal tab: rounded corners", 8, 2,
       [p](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 0, 8, 1}, false, cxBordersAll, TcxBorder::bTop); },
       {".HHHHHH.", "H......H"}},
      {"right edge of a horizontal tab: shadow below the corner", 2, 8,
       [p](TcxCanvas* c) { p->DrawTabEdges(c, RECT{1, 0, 2, 8}, false, cxBordersAll, TcxBorder::bRight); },
       {"..", "..", ".S", ".S", ".S", ".S", ".S", ".."}},
      {"left edge of a horizontal tab without top and bottom edges", 2, 4,
       [p](TcxCanvas* c) {
         p->DrawTabEdges(c, RECT{0, 0, 1, 4}, false, TcxBorders{TcxBorder::bLeft}, TcxBorder::bLeft);
       },
       {"H.", "H.", "H.", "H."}},
      {"left edge of a vertical tab: rounded corners", 2, 8,
       [p](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 0, 1, 8}, true, cxBordersAll, TcxBorder::bLeft); },
       {"..", ".H", "H.", "H.", "H.", "H.", ".H", ".."}},
      {"bottom edge of a vertical tab: shadow after the left edge", 6, 1,
       [p](TcxCanvas* c) { p->DrawTabEdges(c, RECT{0, 0, 6, 1}, true, cxBordersAll, TcxBorder::bBottom); },
       {".SSSSS"}},
    });
  }
}

TEST(StandardAndFlatPainters, FilterArrowButtons)
{
  for (TcxCustomLookAndFeelPainter* p : {static_cast<TcxCustomLookAndFeelPainter*>(Standard()),
                                         static_cast<TcxCustomLookAndFeelPainter*>(Flat())}) {
    SCOPED_TRACE(p->GetPainterName());
    struct TCase {
      TcxButtonState State;
      bool IsActive;
      char Edge, OppositeEdge, Arrow;
    };
    for (const TCase& c : {TCase{cxbsNormal, false, 'H', 'S', 'K'}, TCase{cxbsHot, true, 'H', 'S', 'B'},
                           TCase{cxbsPressed, false, 'S', 'H', 'K'}}) {
      const TRows rows = Draw(16, 16, [&](TcxCanvas* cv) { p->DrawFilterArrowButton(cv, RECT{0, 0, 16, 16}, c.State, c.IsActive); });
      EXPECT_EQ(rows[0][0], c.Edge);
      EXPECT_EQ(rows[15][15], c.OppositeEdge);
      EXPECT_EQ(rows[1][1], 'F') << "the face";
      // The drop-down arrow of the face (1, 1, 15, 15): 7 pixels wide from (4, 6), pointing down.
      EXPECT_EQ(rows[6].substr(4, 7), std::string(7, c.Arrow));
      EXPECT_EQ(rows[9].substr(6, 3), std::string("F") + c.Arrow + "F");
    }
  }
}

TEST(StandardAndFlatPainters, SortArrowsInShadowAndHighlight)
{
  for (TcxCustomLookAndFeelPainter* p : {static_cast<TcxCustomLookAndFeelPainter*>(Standard()),
                                         static_cast<TcxCustomLookAndFeelPainter*>(Flat())}) {
    const TRows rows = Draw(12, 12, [p](TcxCanvas* c) { p->DrawSortArrow(c, RECT{0, 0, 12, 12}, true); });
    std::string all;
    for (const std::string& row : rows) all += row;
    EXPECT_NE(all.find('S'), std::string::npos) << p->GetPainterName();
    EXPECT_NE(all.find('H'), std::string::npos) << p->GetPainterName();
    EXPECT_EQ(all.find_first_not_of(".SH"), std::string::npos) << p->GetPainterName();
  }
}

TEST(StandardAndFlatPainters, ExpandBoxesAndBordersLeaveTheClipRegionWithoutThem)
{
  // After the part, the whole surface is filled: what the part drew must survive.
  auto survivors = [](const TDraw& part) {
    TPainterSurface surface(12, 12, PictureBackground);
    part(surface.cx());
    surface.cx()->FillRectWithColor(RECT{0, 0, 12, 12}, Red);
    return surface.Count(RECT{0, 0, 12, 12}, Rgb(Red));
  };
  EXPECT_EQ(survivors([](TcxCanvas* c) { Standard()->DrawExpandBox(c, RECT{0, 0, 12, 12}, true, clDefault); }), 0);
  auto flat = MakeOwned<TRecordingFlatPainter>();
  EXPECT_EQ(survivors([&](TcxCanvas* c) { flat->DrawExpandBox(c, RECT{2, 2, 9, 9}, true, clDefault); }), 144 - 49);
  // Group boxes: only the frames are kept out (the standard painter's two frames share two pixels).
  EXPECT_EQ(survivors([](TcxCanvas* c) { Standard()->DrawGroupBoxBorder(c, RECT{0, 0, 12, 12}, cxBordersAll, gcsTop, true); }),
            144 - 40 - 40 + 2);
  EXPECT_EQ(survivors([](TcxCanvas* c) { Flat()->DrawGroupBoxBorder(c, RECT{0, 0, 12, 12}, cxBordersAll, gcsTop, true); }),
            144 - 44 - 36);
}

// --- Scroll bars ---

TEST(StandardPainter, ScrollBarElements)
{
  TcxStandardLookAndFeelPainter* p = Standard();
  auto element = [p](TcxScrollBarElement e, TcxButtonState s, bool horizontal = true) {
    return Draw(10, 10, [&](TcxCanvas* c) { p->DrawScrollBarElement(c, horizontal, RECT{0, 0, 10, 10}, e, s); });
  };
  const TRows thumb{"FFFFFFFFFD", "FHHHHHHHSD", "FHFFFFFFSD", "FHFFFFFFSD", "FHFFFFFFSD",
                    "FHFFFFFFSD", "FHFFFFFFSD", "FHFFFFFFSD", "FSSSSSSSSD", "DDDDDDDDDD"};
  EXPECT_EQ(element(sbeThumb, cxbsNormal), thumb);
  EXPECT_EQ(element(sbeThumb, cxbsHot), thumb) << "no hot look";
  const TRows nothing(10, std::string(10, '.'));
  EXPECT_EQ(element(sbeThumb, cxbsDisabled), nothing) << "a disabled thumb is not drawn";
  EXPECT_EQ(Draw(10, 10, [p](TcxCanvas* c) { p->DrawScrollBarElement(c, true, RECT{2, 2, 2, 9}, sbeLineBack, cxbsNormal); }),
            nothing);
  // Page areas: the 8 x 8 checkerboards.
  EXPECT_EQ(element(sbePageBack, cxbsNormal)[0].substr(0, 4), "FHFH");
  EXPECT_EQ(element(sbePageForward, cxbsHot)[1].substr(0, 4), "HFHF");
  EXPECT_EQ(element(sbePageBack, cxbsPressed)[0].substr(0, 4), "KDKD");

  // Arrow buttons: the platform's scroll arrow inside a raised border, flat and one pixel further
  // right and down when pressed, grey when disabled.
  const TRows normal = element(sbeLineBack, cxbsNormal, false);
  EXPECT_EQ(normal[0], "FFFFFFFFFD");
  EXPECT_EQ(normal[1].substr(0, 2), "FH");
  EXPECT_EQ(normal[9], "DDDDDDDDDD");
  const TRows pressed = element(sbeLineBack, cxbsPressed, false);
  EXPECT_EQ(pressed[0], "SSSSSSSSSS");
  EXPECT_EQ(pressed[1], "SFFFFFFFFS");
  TPainterSurface up(10, 10, PictureBackground), upPressed(10, 10, PictureBackground), upOff(10, 10, PictureBackground);
  p->DrawScrollBarElement(up.cx(), false, RECT{0, 0, 10, 10}, sbeLineBack, cxbsNormal);
  p->DrawScrollBarElement(upPressed.cx(), false, RECT{0, 0, 10, 10}, sbeLineBack, cxbsPressed);
  p->DrawScrollBarElement(upOff.cx(), false, RECT{0, 0, 10, 10}, sbeLineBack, cxbsDisabled);
  const RECT glyph = up.Extent(RGB(0, 0, 0));
  ASSERT_FALSE(IsRectEmpty(&glyph)) << "a black arrow";
  EXPECT_EQ(upPressed.Extent(RGB(0, 0, 0)), OffsetRectXY(glyph, 1, 1));
  EXPECT_EQ(upOff.Count(RECT{0, 0, 10, 10}, RGB(0, 0, 0)), 0) << "no black arrow when disabled";
  // The four arrows point four ways: left and right differ from up and down and from each other.
  TPainterSurface left(10, 10, PictureBackground), right(10, 10, PictureBackground);
  p->DrawScrollBarElement(left.cx(), true, RECT{0, 0, 10, 10}, sbeLineBack, cxbsNormal);
  p->DrawScrollBarElement(right.cx(), true, RECT{0, 0, 10, 10}, sbeLineForward, cxbsNormal);
  EXPECT_FALSE(SamePixels(left, right));
  EXPECT_FALSE(SamePixels(left, up));
}

TEST(FlatPainter, ScrollBarElementsAreSmallButtonsWithStateArrows)
{
  auto p = MakeOwned<TRecordingFlatPainter>();
  TPainterSurface surface(10, 10, PictureBackground);
  const RECT r{0, 0, 10, 12};
  struct TCase {
    TcxScrollBarElement Element;
    bool Horizontal;
    TcxButtonState State, Drawn;
    TcxArrowDirection Direction;
  };
  const TCase arrows[] = {
    {sbeLineBack, true, cxbsNormal, cxbsNormal, adLeft},     {sbeLineForward, true, cxbsPressed, cxbsPressed, adRight},
    {sbeLineBack, false, cxbsHot, cxbsNormal, adUp},         {sbeLineForward, false, cxbsDisabled, cxbsDisabled, adDown},
  };
  for (const TCase& c : arrows) {
    p->Buttons.clear();
    p->Arrows.clear();
    p->DrawScrollBarElement(surface.cx(), c.Horizontal, r, c.Element, c.State);
    ASSERT_EQ(p->Buttons.size(), 1u);
    EXPECT_EQ(p->Buttons[0].R, r);
    EXPECT_EQ(p->Buttons[0].State, c.Drawn);
    EXPECT_TRUE(p->Buttons[0].WithBorder);
    EXPECT_FALSE(p->Buttons[0].Text);
    ASSERT_EQ(p->Arrows.size(), 1u);
    EXPECT_EQ(p->Arrows[0].R, (RECT{1, 1, 9, 11})) << "inside the one-pixel border";
    EXPECT_EQ(p->Arrows[0].State, c.Drawn);
    EXPECT_EQ(p->Arrows[0].Direction, c.Direction);
  }
  p->Buttons.clear();
  p->Arrows.clear();
  p->DrawScrollBarElement(surface.cx(), true, r, sbeThumb, cxbsHot);
  ASSERT_EQ(p->Buttons.size(), 1u);
  EXPECT_EQ(p->Buttons[0].State, cxbsNormal);
  EXPECT_TRUE(p->Arrows.empty());
  p->DrawScrollBarElement(surface.cx(), true, r, sbeThumb, cxbsDisabled);
  p->DrawScrollBarElement(surface.cx(), true, RECT{3, 3, 3, 8}, sbeLineBack, cxbsNormal);
  EXPECT_EQ(p->Buttons.size(), 1u) << "neither a disabled thumb nor an empty rectangle";
  EXPECT_FALSE(AnythingDrawn(surface));
  p->DrawScrollBarElement(surface.cx(), true, r, sbePageForward, cxbsPressed);
  EXPECT_EQ(Letters(surface, RECT{0, 0, 4, 1}, Legend())[0], "KDKD");
}

// --- The flat painter's own edges ---

TEST(FlatPainter, OnePixelEdges)
{
  auto p = MakeOwned<TRecordingFlatPainter>();
  const TcxFlatLookAndFeelPainter* f = p.get();
  const TRows sunken{"SSSH", "S..H", "S..H", "HHHH"};
  const TRows raised{"HHHS", "H..S", "H..S", "SSSS"};
  ExpectPictures({
    {"border frame", 4, 4, [f](TcxCanvas* c) { f->DrawBorderFrame(c, RECT{0, 0, 4, 4}); }, sunken},
    {"normal button", 4, 4, [f](TcxCanvas* c) { f->DrawButtonEdges(c, RECT{0, 0, 4, 4}, cxbsNormal); }, raised},
    {"pressed button", 4, 4, [f](TcxCanvas* c) { f->DrawButtonEdges(c, RECT{0, 0, 4, 4}, cxbsPressed); }, sunken},
    {"default button", 6, 6, [f](TcxCanvas* c) { f->DrawButtonEdges(c, RECT{0, 0, 6, 6}, cxbsDefault); },
     {"KKKKKK", "KHHHSK", "KH..SK", "KH..SK", "KSSSSK", "KKKKKK"}},
    {"box thumb", 4, 4, [f](TcxCanvas* c) { f->DrawTrackBarThumbBoxEdges(c, RECT{0, 0, 4, 4}); }, raised},
    {"header section", 4, 4,
     [f](TcxCanvas* c) { f->DrawHeaderSectionBorder(c, RECT{0, 0, 4, 4}, cxbsHot, cxBordersAll); }, raised},
    {"pressed header section on the left and top", 4, 4,
     [f](TcxCanvas* c) { f->DrawHeaderSectionBorder(c, RECT{0, 0, 4, 4}, cxbsPressed, LeftTop); },
     {"SSSS", "S...", "S...", "S..."}},
    {"check frame: sunken round a ring of the check-box face", 6, 6,
     [f](TcxCanvas* c) { f->DrawCheckFrame(c, RECT{0, 0, 6, 6}, cxbsNormal); },
     {"SSSSSH", "SRRRRH", "SR..RH", "SR..RH", "SRRRRH", "HHHHHH"}},
    {"disabled check frame", 6, 6, [f](TcxCanvas* c) { f->DrawCheckFrame(c, RECT{0, 0, 6, 6}, cxbsDisabled); },
     {"SSSSSH", "SBBBBH", "SB..BH", "SB..BH", "SBBBBH", "HHHHHH"}},
    {"track-bar track: sunken round a face ring", 6, 6, [f](TcxCanvas* c) { f->DrawTrackBarTrackFrame(c, RECT{0, 0, 6, 6}); },
     {"SSSSSH", "SFFFFH", "SF..FH", "SF..FH", "SFFFFH", "HHHHHH"}},
    {"group box: shadow frame, highlight frame inside", 6, 6,
     [f](TcxCanvas* c) { f->DrawGroupBoxBorder(c, RECT{0, 0, 6, 6}, cxBordersAll, gcsTop, true); },
     {"SSSSSS", "SHHHHS", "SH..HS", "SH..HS", "SHHHHS", "SSSSSS"}},
    {"horizontal splitter", 10, 4,
     [f](TcxCanvas* c) { f->DrawSplitterBorder(c, RECT{2, 0, 8, 4}, true, TcxViewParams{nullptr, Red}); },
     {"..HHHHHH..", ".RRRRRRRR.", ".RRRRRRRR.", "..SSSSSS.."}},
    {"vertical splitter", 4, 6,
     [f](TcxCanvas* c) { f->DrawSplitterBorder(c, RECT{0, 1, 4, 5}, false, TcxViewParams{nullptr, Red}); },
     {".RR.", "HRRS", "HRRS", "HRRS", "HRRS", ".RR."}},
  });
}

TEST(FlatPainter, ExpandBoxIsARaisedButtonWithTheSign)
{
  auto p = MakeOwned<TRecordingFlatPainter>();
  TPainterSurface surface(11, 11, PictureBackground);
  p->DrawExpandBox(surface.cx(), RECT{0, 0, 11, 11}, false, Red);
  ASSERT_EQ(p->Buttons.size(), 1u);
  EXPECT_EQ(p->Buttons[0].R, (RECT{0, 0, 11, 11}));
  EXPECT_EQ(p->Buttons[0].State, cxbsNormal);
  EXPECT_TRUE(p->Buttons[0].WithBorder);
  EXPECT_EQ(p->Buttons[0].Color, Red);
  // The plus sign of the box inside the border: 5 pixels each way about (5, 5).
  EXPECT_EQ(surface.Extent(RGB(0, 0, 0)), (RECT{3, 3, 8, 8}));
  EXPECT_EQ(surface.Count(RECT{0, 0, 11, 11}, RGB(0, 0, 0)), 9);
}

TEST(FlatPainter, CalendarHeaderEndsInAFaceLineAndGivesItUp)
{
  auto p = MakeOwned<TRecordingFlatPainter>();
  TPainterSurface surface(3, 4, PictureBackground);
  RECT r{0, 0, 3, 4};
  p->DrawCalendarHeader(surface.cx(), r);
  EXPECT_EQ(r, (RECT{0, 0, 3, 3}));
  EXPECT_EQ(Letters(surface, RECT{0, 0, 3, 4}, Legend()), (TRows{"RRR", "RRR", "RRR", "FFF"}));
}

// --- What the standard painter hands on ---

TEST(StandardPainter, SchedulerHeaderFramesTheSidesWithoutNeighbours)
{
  auto p = MakeOwned<TRecordingStandardPainter>();
  struct TCase {
    TcxNeighbours Neighbours;
    TcxBorders Frame;
    TRows Picture;
  };
  const TCase cases[] = {
    {{}, cxBordersAll, {"KKKK", "K..K", "KKKK"}},
    {TcxNeighbours{TcxNeighbour::nLeft}, TcxBorders{TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom},
     {"KKKK", "...K", "KKKK"}},
    {TcxNeighbours{TcxNeighbour::nRight}, TcxBorders{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bBottom},
     {"KKKK", "K...", "KKKK"}},
    {BothNeighbours, TcxBorders{TcxBorder::bTop, TcxBorder::bBottom}, {"KKKK", "....", "KKKK"}},
  };
  auto font = MakeOwned<TFont>();
  const TcxViewParams view{nullptr, Red, font.get(), Blue};
  for (const TCase& c : cases) {
    p->Headers.clear();
    p->ContentBordersAsked.clear();
    const TRows picture = Draw(4, 3, [&](TcxCanvas* cv) {
      p->DrawSchedulerHeader(cv, RECT{0, 0, 4, 3}, "Mo", c.Neighbours, view, 0, 2, {});
    });
    EXPECT_EQ(picture, c.Picture);
    ASSERT_EQ(p->ContentBordersAsked.size(), 1u);
    EXPECT_EQ(p->ContentBordersAsked[0], c.Frame);
    ASSERT_EQ(p->Headers.size(), 1u);
    const auto& h = p->Headers[0];
    EXPECT_EQ(h.Bounds, TRecordingStandardPainter::Content);
    EXPECT_EQ(h.TextBounds, TRecordingStandardPainter::Content);
    EXPECT_EQ(h.Neighbours, c.Neighbours);
    EXPECT_EQ(h.Borders, cxBordersAll);
    EXPECT_EQ(h.State, cxbsNormal);
    EXPECT_EQ(h.AlignHorz, taCenter);
    EXPECT_EQ(h.AlignVert, vaCenter);
    EXPECT_FALSE(h.MultiLine);
    EXPECT_EQ(h.Text, "Mo");
    EXPECT_EQ(h.Font, font.get());
    EXPECT_EQ(h.TextColor, Blue);
    EXPECT_EQ(h.BkColor, Red);
  }
}

TEST(StandardPainter, GroupToggleButtonIsTheRegisteredFlatPainters)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  ASSERT_TRUE(manager->Register(MakeOwned<TToggleRecorder>()));
  ASSERT_NE(dynamic_cast<TToggleRecorder*>(manager->GetPainterByStyle(cpsFlat)), nullptr)
      << "the recorder sorts before \"Flat\"";
  TToggleRecorder::Calls = 0;
  TPainterSurface surface(20, 20, PictureBackground);
  Standard()->DrawGroupToggleButton(surface.cx(), RECT{1, 2, 16, 17}, true, cxbsPressed);
  EXPECT_TRUE(manager->Unregister("AFlatRecorder"));
  EXPECT_EQ(TToggleRecorder::Calls, 1);
  EXPECT_EQ(TToggleRecorder::LastR, (RECT{1, 2, 16, 17}));
  EXPECT_TRUE(TToggleRecorder::LastExpanded);
  EXPECT_EQ(TToggleRecorder::LastState, cxbsPressed);
}
