// The native painter: which theme class, part and state every operation draws in each button state
// (recorded by a stand-in of the bound theme functions), the metrics and colours it reads from the
// theme, the standard look it falls back to when a class does not open or visual styles are off,
// and a few pictures of Wine's "light" style itself.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include <vsstyle.h>
#include <vssym32.h>
#include "classlib/GraphicsObjects.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/cxPainterPicturesTestSupport.h"
#include "tests/support/ThemeStandIn.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxOffice11.h"

namespace {
using TNativeDraw = std::function<void(const TcxWinXPLookAndFeelPainter*, TcxCanvas*)>;

constexpr TcxButtonState AllStates[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
constexpr const char* StateNames[] = {"default", "normal", "hot", "pressed", "disabled"};
// The state maps, in the order of AllStates.
constexpr int PushButton[] = {5, 1, 2, 3, 4};
constexpr int FourState[] = {1, 1, 2, 3, 4};
constexpr int Unchecked[] = {1, 1, 2, 3, 4};
constexpr int Checked[] = {5, 5, 6, 7, 8};
constexpr int HeaderItem[] = {1, 1, 2, 3, 1};
constexpr int DropDownFace[] = {2, 2, 5, 3, 4};
constexpr int TrackBarThumb[] = {2, 1, 2, 3, 5};
constexpr int ExplorerToggle[] = {1, 1, 2, 3, 1};

constexpr TColor Red = 0x0000FF;

TcxWinXPLookAndFeelPainter* Native() { return RegisteredPainter<TcxWinXPLookAndFeelPainter>(cpsNative); }
TcxStandardLookAndFeelPainter* Standard()
{
  return RegisteredPainter<TcxStandardLookAndFeelPainter>(cpsStandard);
}

struct TPart {
  std::wstring Class;
  int Part, State;
  bool operator==(const TPart&) const = default;
};
std::ostream& operator<<(std::ostream& os, const TPart& p)
{
  return os << std::string(p.Class.begin(), p.Class.end()) << " part " << p.Part << " state " << p.State;
}

class NativePainter : public testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(AreThemesAvailable()) << "the test system runs with visual styles on";
    // Wine's style has no explorer bar; a class the tests use nowhere else stands in for it.
    FThemes.Alias(L"ExplorerBar", L"Rebar");
  }

  // The parts the operation draws (the DrawThemeBackground calls), in order.
  std::vector<TPart> PartsDrawnBy(const TNativeDraw& draw, int width = 40, int height = 40)
  {
    TPainterSurface surface(width, height, PictureBackground);
    FThemes.Calls.clear();
    draw(Native(), surface.cx());
    std::vector<TPart> parts;
    for (const auto& call : FThemes.Of("Background")) parts.push_back({call.Class, call.Part, call.State});
    return parts;
  }

  TThemeStandIn FThemes;
};

// A row of the table: an operation in one state and the parts it must draw.
struct TPartCase {
  std::string Name;
  TNativeDraw Draw;
  std::vector<TPart> Parts;
};

void AddForEachState(std::vector<TPartCase>& cases, const std::string& name,
                     const std::function<void(const TcxWinXPLookAndFeelPainter*, TcxCanvas*, TcxButtonState)>& draw,
                     const std::function<std::vector<TPart>(int)>& parts)
{
  for (int i = 0; i < 5; ++i) {
    const TcxButtonState state = AllStates[i];
    cases.push_back({name + " " + StateNames[i],
                     [draw, state](const TcxWinXPLookAndFeelPainter* p, TcxCanvas* c) { draw(p, c, state); },
                     parts(i)});
  }
}

const RECT Box{2, 2, 30, 20};
}  // namespace

// --- The table of classes, parts and states ---

TEST_F(NativePainter, ClassPartAndStateOfEachOperationInEachState)
{
  using P = const TcxWinXPLookAndFeelPainter*;
  using C = TcxCanvas*;
  using S = TcxButtonState;
  std::vector<TPartCase> cases;
  AddForEachState(cases, "plain button", [](P p, C c, S s) { p->DrawPlainButton(c, Box, s); },
                  [](int i) { return std::vector<TPart>{{L"Button", 1, PushButton[i]}}; });
  AddForEachState(cases, "button", [](P p, C c, S s) { p->DrawButton(c, Box, "", s, true, clDefault, clDefault, false, false); },
                  [](int i) { return std::vector<TPart>{{L"Button", 1, PushButton[i]}}; });
  AddForEachState(cases, "tool-bar button",
                  [](P p, C c, S s) { p->DrawButton(c, Box, "", s, true, clDefault, clDefault, false, true); },
                  [](int i) { return std::vector<TPart>{{L"ToolBar", 1, PushButton[i]}}; });
  for (int direction = 0; direction < 4; ++direction)
    AddForEachState(cases, "scroll arrow " + std::to_string(direction),
                    [direction](P p, C c, S s) {
                      p->DrawScrollArrowButton(c, Box, s, static_cast<TcxArrowDirection>(direction), true);
                    },
                    [direction](int i) { return std::vector<TPart>{{L"ScrollBar", 1, FourState[i] + 4 * direction}}; });
  AddForEachState(cases, "unchecked check box", [](P p, C c, S s) { p->DrawCheckMark(c, Box, s, false, Red); },
                  [](int i) { return std::vector<TPart>{{L"Button", 3, Unchecked[i]}}; });
  AddForEachState(cases, "checked check box", [](P p, C c, S s) { p->DrawCheckMark(c, Box, s, true, Red); },
                  [](int i) { return std::vector<TPart>{{L"Button", 3, Checked[i]}}; });
  AddForEachState(cases, "radio button", [](P p, C c, S s) { p->DrawRadioButton(c, 3, 4, s, false, false, Red, false); },
                  [](int i) { return std::vector<TPart>{{L"Button", 2, Unchecked[i]}}; });
  AddForEachState(cases, "checked radio button",
                  [](P p, C c, S s) { p->DrawRadioButton(c, 3, 4, s, true, true, Red, false); },
                  [](int i) { return std::vector<TPart>{{L"Button", 2, Checked[i]}}; });
  AddForEachState(cases, "header",
                  [](P p, C c, S s) {
                    p->DrawHeader(c, Box, Box, {}, cxBordersAll, s, taLeftJustify, vaTop, false, false, "", nullptr,
                                  clDefault, clDefault, {}, false, false);
                  },
                  [](int i) { return std::vector<TPart>{{L"Header", 1, HeaderItem[i]}}; });
  AddForEachState(cases, "header section",
                  [](P p, C c, S s) {
                    p->DrawHeaderSection(c, Box, Box, {}, cxBordersAll, s, taLeftJustify, vaTop, false, false, "",
                                         nullptr, clDefault, clDefault);
                  },
                  [](int i) { return std::vector<TPart>{{L"Header", 1, HeaderItem[i]}}; });
  AddForEachState(cases, "drop-down button face", [](P p, C c, S s) { p->DrawDropDownButtonFace(c, Box, s); },
                  [](int i) { return std::vector<TPart>{{L"ToolBar", 1, DropDownFace[i]}}; });
  const int thumbParts[3][2] = {{5, 7}, {4, 8}, {3, 6}};
  for (int kind = 0; kind < 3; ++kind)
    for (bool horizontal : {true, false}) {
      const int part = thumbParts[kind][horizontal ? 0 : 1];
      AddForEachState(cases, "track-bar thumb " + std::to_string(kind) + (horizontal ? " horizontal" : " vertical"),
                      [kind, horizontal](P p, C c, S s) { p->DrawTrackBarThumb(c, Box, Red, kind, horizontal, s); },
                      [part](int i) { return std::vector<TPart>{{L"TrackBar", part, TrackBarThumb[i]}}; });
    }
  AddForEachState(cases, "expanded toggle button", [](P p, C c, S s) { p->DrawGroupToggleButton(c, Box, true, s); },
                  [](int i) { return std::vector<TPart>{{L"ExplorerBar", 6, ExplorerToggle[i]}}; });
  AddForEachState(cases, "collapsed toggle button", [](P p, C c, S s) { p->DrawGroupToggleButton(c, Box, false, s); },
                  [](int i) { return std::vector<TPart>{{L"ExplorerBar", 7, ExplorerToggle[i]}}; });
  AddForEachState(cases, "tab",
                  [](P p, C c, S s) { p->DrawTab(c, Box, cxBordersAll, "", s, false, nullptr, clDefault, clDefault, false); },
                  [](int i) { return std::vector<TPart>{{L"Tab", 1, FourState[i]}}; });
  AddForEachState(cases, "vertical tab",
                  [](P p, C c, S s) { p->DrawTab(c, Box, cxBordersAll, "", s, true, nullptr, clDefault, clDefault, false); },
                  [](int i) { return std::vector<TPart>{{L"Tab", 1, FourState[i]}}; });
  AddForEachState(cases, "layout-view caption", [](P p, C c, S s) { p->DrawLayoutViewRecordCaption(c, Box, s, false); },
                  [](int i) { return std::vector<TPart>{{L"Tab", 1, FourState[i]}}; });
  AddForEachState(cases, "scheduler navigation button",
                  [](P p, C c, S s) { p->DrawSchedulerNavButton(c, Box, RECT{10, 5, 17, 12}, true, s); },
                  [](int i) { return std::vector<TPart>{{L"Tab", 1, FourState[i]}}; });
  AddForEachState(cases, "close button", [](P p, C c, S s) { p->DrawCloseCrossButton(c, Box, s); },
                  [](int i) { return std::vector<TPart>{{L"Window", 19, FourState[i]}}; });
  AddForEachState(cases, "filter button", [](P p, C c, S s) { p->DrawFilterArrowButton(c, Box, s, true); },
                  [](int i) { return std::vector<TPart>{{L"ComboBox", 1, FourState[i]}}; });
  for (bool horizontal : {true, false}) {
    const RECT thumb = horizontal ? RECT{0, 0, 40, 16} : RECT{0, 0, 16, 40};
    const std::string orientation = horizontal ? " horizontal" : " vertical";
    AddForEachState(cases, "thumb with gripper" + orientation,
                    [horizontal, thumb](P p, C c, S s) { p->DrawScrollBarElement(c, horizontal, thumb, sbeThumb, s); },
                    [horizontal](int i) {
                      return std::vector<TPart>{{L"ScrollBar", horizontal ? 2 : 3, FourState[i]},
                                                {L"ScrollBar", horizontal ? 8 : 9, FourState[i]}};
                    });
    AddForEachState(cases, "page back" + orientation,
                    [horizontal](P p, C c, S s) { p->DrawScrollBarElement(c, horizontal, Box, sbePageBack, s); },
                    [horizontal](int i) { return std::vector<TPart>{{L"ScrollBar", horizontal ? 4 : 6, FourState[i]}}; });
    AddForEachState(cases, "page forward" + orientation,
                    [horizontal](P p, C c, S s) { p->DrawScrollBarElement(c, horizontal, Box, sbePageForward, s); },
                    [horizontal](int i) { return std::vector<TPart>{{L"ScrollBar", horizontal ? 5 : 7, FourState[i]}}; });
    AddForEachState(cases, "line back" + orientation,
                    [horizontal](P p, C c, S s) { p->DrawScrollBarElement(c, horizontal, Box, sbeLineBack, s); },
                    [horizontal](int i) {
                      return std::vector<TPart>{{L"ScrollBar", 1, FourState[i] + 4 * (horizontal ? 2 : 0)}};
                    });
    AddForEachState(cases, "line forward" + orientation,
                    [horizontal](P p, C c, S s) { p->DrawScrollBarElement(c, horizontal, Box, sbeLineForward, s); },
                    [horizontal](int i) {
                      return std::vector<TPart>{{L"ScrollBar", 1, FourState[i] + 4 * (horizontal ? 3 : 1)}};
                    });
  }
  auto one = [](const wchar_t* cls, int part, int state) { return std::vector<TPart>{{cls, part, state}}; };
  TcxViewParams view{nullptr, Red};
  const std::vector<TPartCase> single = {
    {"collapsed expand box", [](P p, C c) { p->DrawExpandBox(c, Box, false, Red); }, one(L"TreeView", 2, 1)},
    {"expanded expand box", [](P p, C c) { p->DrawExpandBox(c, Box, true, Red); }, one(L"TreeView", 2, 2)},
    {"small expand box", [](P p, C c) { p->DrawSmallExpandBox(c, Box, true, Red, Red); }, one(L"TreeView", 2, 2)},
    {"separator in a row", [](P p, C c) { p->DrawSeparator(c, Box, true); }, one(L"ToolBar", 5, 1)},
    {"separator in a column", [](P p, C c) { p->DrawSeparator(c, Box, false); }, one(L"ToolBar", 6, 1)},
    {"border frame", [](P p, C c) { p->DrawBorderFrame(c, Box); }, one(L"ListView", 5, 0)},
    {"size grip", [](P p, C c) { p->DrawSizeGrip(c, Box); }, one(L"ScrollBar", 10, 1)},
    {"progress bar", [view](P p, C c) { p->DrawProgressBar(c, Box, false, view, RECT{4, 4, 12, 18}); },
     {{L"Progress", 1, 0}, {L"Progress", 3, 0}}},
    {"enabled group box", [](P p, C c) { p->DrawGroupBoxBorder(c, Box, cxBordersAll, gcsTop, true); },
     one(L"Button", 4, 1)},
    {"disabled group box", [](P p, C c) { p->DrawGroupBoxBorder(c, Box, cxBordersAll, gcsTop, false); },
     one(L"Button", 4, 2)},
    {"horizontal track", [](P p, C c) { p->DrawTrackBarTrack(c, Box, Box, true, true, true, Red); },
     one(L"TrackBar", 1, 1)},
    {"vertical track", [](P p, C c) { p->DrawTrackBarTrack(c, Box, Box, true, true, false, Red); },
     one(L"TrackBar", 2, 1)},
    {"calendar header",
     [](P p, C c) {
       RECT r = Box;
       p->DrawCalendarHeader(c, r);
     },
     one(L"Header", 2, 1)},
    {"hint background", [](P p, C c) { p->FillHintBackground(c, Box, Red); }, one(L"ToolTip", 1, 1)},
    {"footer cell",
     [](P p, C c) { p->DrawFooterCell(c, Box, taLeftJustify, vaTop, false, "", nullptr, clDefault, Red, {}); },
     one(L"TrackBar", 1, 1)},
    {"tab pane", [](P p, C c) { p->DrawTabPaneEdges(c, Box, false, cxBordersAll); }, one(L"Tab", 9, 0)},
    {"scheduler header", [view](P p, C c) { p->DrawSchedulerHeader(c, Box, "", {}, view, 0, 2, {}); },
     one(L"Header", 1, 1)},
  };
  cases.insert(cases.end(), single.begin(), single.end());
  for (const TPartCase& c : cases) EXPECT_EQ(PartsDrawnBy(c.Draw), c.Parts) << c.Name;
}

TEST_F(NativePainter, DrawnRectangles)
{
  auto rectOf = [this](const TNativeDraw& draw) {
    PartsDrawnBy(draw);
    const auto calls = FThemes.Of("Background");
    return calls.empty() ? RECT{} : calls.back().Rect;
  };
  EXPECT_EQ(rectOf([](auto p, auto c) { p->FillHintBackground(c, Box, Red); }), InflateRectXY(Box, 4, 4))
      << "the hint image fills the whole hint window";
  EXPECT_EQ(rectOf([](auto p, auto c) { p->DrawRadioButton(c, 3, 4, cxbsNormal, false, false, Red, false); }),
            RectFromBounds(3, 4, Native()->RadioButtonGlyphSize().cx, Native()->RadioButtonGlyphSize().cy));
  // Tabs: the item reaches 2 pixels past the sides without an edge, the selected tab one pixel
  // further down; the clip rectangle loses its bottom row unless the tab is selected.
  struct TTabCase {
    TcxBorders Borders;
    TcxButtonState State;
    RECT Item, Clip;
  };
  const TTabCase tabs[] = {
    {cxBordersAll, cxbsNormal, Box, RECT{2, 2, 30, 19}},
    {TcxBorders{TcxBorder::bTop}, cxbsHot, RECT{0, 2, 32, 20}, RECT{2, 2, 30, 19}},
    {TcxBorders{TcxBorder::bRight}, cxbsPressed, RECT{0, 2, 30, 21}, Box},
  };
  for (const TTabCase& t : tabs) {
    PartsDrawnBy([&](auto p, auto c) { p->DrawTab(c, Box, t.Borders, "", t.State, false, nullptr, clDefault, clDefault, false); });
    const auto calls = FThemes.Of("Background");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Rect, t.Item);
    EXPECT_EQ(calls[0].Clip, t.Clip);
  }
  // A vertical tab lies in a bitmap with x and y exchanged: its left and right sides are the tab's
  // top and bottom.
  PartsDrawnBy([](auto p, auto c) {
    p->DrawTab(c, RECT{5, 5, 25, 45}, TcxBorders{TcxBorder::bLeft}, "", cxbsNormal, true, nullptr, clDefault, clDefault, false);
  });
  ASSERT_EQ(FThemes.Of("Background").size(), 1u);
  EXPECT_EQ(FThemes.Of("Background")[0].Rect, (RECT{-2, 0, 42, 20}));
  EXPECT_EQ(FThemes.Of("Background")[0].Clip, (RECT{0, 0, 40, 19}));
  // The tab pane reaches past the side away from the tabs, by the theme's margins, and is clipped to R.
  FThemes.ContentMargins[{L"Tab", 9}] = {false, RECT{1, 2, 3, 4}};
  PartsDrawnBy([](auto p, auto c) { p->DrawTabPaneEdges(c, Box, false, cxBordersAll); });
  EXPECT_EQ(FThemes.Of("Background")[0].Rect, (RECT{2, 2, 30 + 3 - 1, 30}));
  EXPECT_EQ(FThemes.Of("Background")[0].Clip, Box);
  PartsDrawnBy([](auto p, auto c) { p->DrawTabPaneEdges(c, Box, true, cxBordersAll); });
  EXPECT_EQ(FThemes.Of("Background")[0].Rect, (RECT{2, 2, 40, 20 + 4 - 2}));
}

TEST_F(NativePainter, TheLastHeaderHasAPartOfItsOwnInTheBlueAndOliveGreenSchemes)
{
  const TdxThemeNames names{L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"", L"NormalSize"};
  struct TCase {
    const wchar_t* ColorName;
    bool IsLast;
    TcxButtonState State;
    int Part;
  };
  const TCase cases[] = {
    {L"NormalColor", true, cxbsNormal, 3},   {L"NormalColor", true, cxbsDefault, 3},
    {L"NormalColor", true, cxbsDisabled, 3}, {L"NormalColor", true, cxbsHot, 1},
    {L"NormalColor", true, cxbsPressed, 1},  {L"NormalColor", false, cxbsNormal, 1},
    {L"HomeStead", true, cxbsNormal, 3},     {L"Metallic", true, cxbsNormal, 1},
    {L"Blue", true, cxbsNormal, 1},
  };
  static TdxThemeNames GNames;
  // The colours follow the real style again after the test, the seam put back first.
  struct TRecompute {
    ~TRecompute() { RecomputeOffice2003Colors(); }
  } recompute;
  TScopedSeam seam(dxGetCurrentThemeNames, [](TdxThemeNames& n) {
    n = GNames;
    return true;
  });
  for (const TCase& c : cases) {
    GNames = names;
    GNames.ColorName = c.ColorName;
    RecomputeOffice2003Colors();
    const auto parts = PartsDrawnBy([&](auto p, auto cv) {
      p->DrawHeader(cv, Box, Box, {}, cxBordersAll, c.State, taLeftJustify, vaTop, false, false, "A", nullptr,
                    clDefault, clDefault, {}, c.IsLast, false);
    });
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Part, c.Part) << std::string(c.ColorName, c.ColorName + wcslen(c.ColorName)) << " last "
                                     << c.IsLast << " state " << static_cast<int>(c.State);
    ASSERT_EQ(FThemes.Of("Text").size(), 1u);
    EXPECT_EQ(FThemes.Of("Text")[0].Part, c.Part) << "the text in the same part";
  }
  // The scheduler header is the last one when nothing follows it on the right.
  GNames.ColorName = L"NormalColor";
  RecomputeOffice2003Colors();
  const TcxViewParams view{nullptr, Red};
  EXPECT_EQ(PartsDrawnBy([&](auto p, auto c) { p->DrawSchedulerHeader(c, Box, "", {}, view, 0, 2, {}); })[0].Part, 3);
  EXPECT_EQ(PartsDrawnBy([&](auto p, auto c) {
              p->DrawSchedulerHeader(c, Box, "", TcxNeighbours{TcxNeighbour::nRight}, view, 0, 2, {});
            })[0].Part,
            1);
}

// --- Text ---

TEST_F(NativePainter, ThemedTextFlagsAndPlaces)
{
  auto font = MakeOwned<TFont>();
  struct TCase {
    TAlignment Horz;
    TcxVerticalAlignment Vert;
    bool MultiLine, Ellipsis, Prefix;
    DWORD Flags;
  };
  const TCase cases[] = {
    {taLeftJustify, vaTop, false, false, false, DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL},
    {taRightJustify, vaBottom, false, true, true, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS | DT_EDITCONTROL},
    {taCenter, vaCenter, true, false, false, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL},
  };
  for (const TCase& c : cases) {
    PartsDrawnBy([&](auto p, auto cv) {
      p->DrawThemedText(cv, GetThemeHandle(TdxThemedObjectType::totButton), 1, 1, Box, Box, c.Horz, c.Vert, c.MultiLine, c.Ellipsis, c.Prefix,
                        "Text", font.get(), Red, clDefault);
    });
    ASSERT_EQ(FThemes.Of("Text").size(), 1u);
    EXPECT_EQ(FThemes.Of("Text")[0].Flags, c.Flags);
    EXPECT_EQ(FThemes.Of("Text")[0].Text, L"Text");
  }
  // Without a text nothing is drawn.
  PartsDrawnBy([&](auto p, auto cv) {
    p->DrawThemedText(cv, GetThemeHandle(TdxThemedObjectType::totButton), 1, 1, Box, Box, taLeftJustify, vaTop, false, false, false, "",
                      font.get(), Red, clDefault);
  });
  EXPECT_TRUE(FThemes.Of("Text").empty());
  // Multi-line text aligned to the bottom starts lower than at the top.
  PartsDrawnBy([&](auto p, auto cv) {
    p->DrawThemedText(cv, GetThemeHandle(TdxThemedObjectType::totButton), 1, 1, Box, RECT{0, 0, 200, 100}, taLeftJustify, vaBottom, true,
                      false, false, "Text", font.get(), Red, clDefault);
  });
  ASSERT_EQ(FThemes.Of("Text").size(), 1u);
  EXPECT_GT(FThemes.Of("Text")[0].Rect.top, 50);
  EXPECT_EQ(FThemes.Of("Text")[0].Rect.bottom, 100);

  // A pressed header's text moves one pixel right and down; the header text never shows prefixes.
  for (TcxButtonState state : {cxbsNormal, cxbsPressed}) {
    PartsDrawnBy([&](auto p, auto cv) {
      p->DrawHeader(cv, Box, RECT{4, 4, 20, 16}, {}, cxBordersAll, state, taLeftJustify, vaTop, false, false, "&A",
                    font.get(), Red, Red, {}, false, false);
    });
    ASSERT_EQ(FThemes.Of("Text").size(), 1u);
    const int shift = state == cxbsPressed ? 1 : 0;
    EXPECT_EQ(FThemes.Of("Text")[0].Rect, OffsetRectXY(RECT{4, 4, 20, 16}, shift, shift));
    EXPECT_TRUE(FThemes.Of("Text")[0].Flags & DT_NOPREFIX);
  }
  // Buttons: centred on one line over the whole button.
  PartsDrawnBy([](auto p, auto cv) { p->DrawButton(cv, Box, "OK", cxbsNormal, true, Red, Red, true, false); });
  ASSERT_EQ(FThemes.Of("Text").size(), 1u);
  EXPECT_EQ(FThemes.Of("Text")[0].Flags, static_cast<DWORD>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  EXPECT_EQ(FThemes.Of("Text")[0].Rect, Box);
  // Tabs: centred in the item, the selected tab's text above the extra bottom rows.
  PartsDrawnBy([](auto p, auto cv) {
    p->DrawTab(cv, Box, cxBordersAll, "&Tab", cxbsPressed, false, nullptr, clDefault, clDefault, true);
  });
  ASSERT_EQ(FThemes.Of("Text").size(), 1u);
  EXPECT_EQ(FThemes.Of("Text")[0].Rect, (RECT{2, 2, 30, 19}));
  EXPECT_EQ(FThemes.Of("Text")[0].Flags, static_cast<DWORD>(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL));
  // Footer cells: the text inside the cell's text bounds, in the track-bar part.
  PartsDrawnBy([&](auto p, auto cv) {
    p->DrawFooterCell(cv, Box, taRightJustify, vaCenter, false, "9", font.get(), Red, Red, {});
  });
  ASSERT_EQ(FThemes.Of("Text").size(), 1u);
  EXPECT_EQ(FThemes.Of("Text")[0].Class, L"TrackBar");
  EXPECT_EQ(FThemes.Of("Text")[0].Rect, Native()->FooterCellTextBounds(Box));
}

// --- Metrics and colours from the theme ---

TEST_F(NativePainter, MetricsFromContentRectanglesAndPartSizes)
{
  TcxWinXPLookAndFeelPainter* p = Native();
  FThemes.ContentMargins[{L"Button", 1}] = {false, RECT{3, 4, 5, 6}};
  FThemes.ContentMargins[{L"Header", 1}] = {false, RECT{0, 0, 0, 0}};
  FThemes.ContentMargins[{L"TrackBar", 1}] = {false, RECT{2, 1, 1, 1}};
  FThemes.Sizes[{L"Window", 19}] = {false, SIZE{13, 12}};
  FThemes.Sizes[{L"TreeView", 2}] = {false, SIZE{9, 10}};
  FThemes.Sizes[{L"ExplorerBar", 7}] = {false, SIZE{19, 18}};
  FThemes.Sizes[{L"Button", 3}] = {false, SIZE{14, 15}};
  FThemes.Sizes[{L"Button", 2}] = {false, SIZE{12, 11}};
  FThemes.Sizes[{L"ScrollBar", 10}] = {false, SIZE{17, 16}};
  EXPECT_EQ(p->ButtonBorderWidth(cxbsDefault), 3);
  EXPECT_EQ(FThemes.Of("ContentRect").back().State, 5) << "in the push-button state";
  EXPECT_EQ(FThemes.Of("ContentRect").back().Rect, (RECT{0, 0, 100, 100}));
  EXPECT_FALSE(FThemes.Of("ContentRect").back().HasDC);
  EXPECT_EQ(p->HeaderBorderWidth(), 1) << "at least one pixel";
  EXPECT_EQ(p->HeaderSectionBorderWidth(cxbsPressed), 1);
  EXPECT_EQ(p->HeaderSectionContentBounds(Box, cxbsNormal), InflateRectXY(Box, -1, -1));
  FThemes.ContentMargins[{L"Header", 1}] = {false, RECT{3, 6, 0, 0}};
  EXPECT_EQ(p->HeaderBorderWidth(), 4);
  EXPECT_EQ(p->FooterCellBorderWidth(), 2);
  EXPECT_EQ(p->FooterBorderWidth(), 1);
  EXPECT_EQ(p->FooterCellSpacing(), 1);
  EXPECT_EQ(p->CloseCrossButtonSize().x, 17);
  EXPECT_EQ(p->CloseCrossButtonSize().y, 16);
  EXPECT_EQ(p->SmallCloseButtonSize().x, 13);
  EXPECT_EQ(p->SmallCloseButtonSize().y, 12);
  EXPECT_EQ(p->ExpandBoxSize(), 9);
  EXPECT_EQ(p->SmallExpandBoxSize(), 9);
  EXPECT_EQ(p->GroupToggleButtonSize(), 19);
  EXPECT_EQ(p->CheckBoxGlyphSize().cx, 14);
  EXPECT_EQ(p->FilterCheckSize().y, 15);
  EXPECT_EQ(p->RadioButtonGlyphSize().cx, 12);
  EXPECT_EQ(p->SizeGripSize().cy, 16);
  EXPECT_EQ(p->BorderWidth(), 1);
  EXPECT_EQ(p->CheckFrameWidth(), 0);
  EXPECT_EQ(p->TabBorderWidth(true), 1);
  EXPECT_TRUE(p->IsTabDrawImplemented(false));
  EXPECT_TRUE(p->TabsTrackHot(true));
  // Joined buttons: the push button's margins, one less on each side where the button's image is
  // partly transparent (and the group grows by one pixel then).
  FThemes.Transparency[{L"Button", 1}] = FALSE;
  EXPECT_EQ(p->ButtonGroupBorderWidths(3, 1), (RECT{3, 4, 5, 6}));
  EXPECT_EQ(p->AdjustButtonGroupBounds(Box, 3, 1), Native()->TcxCustomLookAndFeelPainter::AdjustButtonGroupBounds(Box, 3, 1));
  FThemes.Transparency[{L"Button", 1}] = TRUE;
  EXPECT_EQ(p->ButtonGroupBorderWidths(3, 1), (RECT{2, 3, 4, 5}));
  EXPECT_EQ(p->AdjustButtonGroupBounds(Box, 3, 1),
            InflateRectXY(Native()->TcxCustomLookAndFeelPainter::AdjustButtonGroupBounds(Box, 3, 1), 1, 1));
  // The toggle button is hit inside the region of the theme's collapsed part in its hot state.
  p->HitTestGroupToggleButton(Box, POINT{5, 5});
  ASSERT_FALSE(FThemes.Of("Region").empty());
  EXPECT_EQ(FThemes.Of("Region").back().Class, L"ExplorerBar");
  EXPECT_EQ(FThemes.Of("Region").back().Part, 7);
  EXPECT_EQ(FThemes.Of("Region").back().State, 2);
  EXPECT_EQ(FThemes.Of("Region").back().Rect, Box);
  // The focus rectangle is the push button's content on the canvas.
  TPainterSurface surface(40, 40, PictureBackground);
  EXPECT_EQ(p->ButtonFocusBounds(surface.cx(), Box), (RECT{5, 6, 25, 14}));
  EXPECT_TRUE(FThemes.Of("ContentRect").back().HasDC);
  FThemes.ContentMargins[{L"Button", 1}] = {true, {}};
  EXPECT_EQ(p->ButtonFocusBounds(surface.cx(), Box), Standard()->ButtonFocusBounds(surface.cx(), Box))
      << "the base bounds when the theme gives none";
}

TEST_F(NativePainter, ColoursFromTheThemeAndWithoutThem)
{
  TcxWinXPLookAndFeelPainter* p = Native();
  FThemes.Colors[{L"ComboBox", 1, TMT_BORDERCOLOR}] = {false, RGB(1, 2, 3)};
  FThemes.Colors[{L"Button", 1, TMT_TEXTCOLOR}] = {false, RGB(4, 5, 6)};
  FThemes.Colors[{L"Button", 1, 204}] = {false, RGB(7, 8, 9)};
  FThemes.Colors[{L"Button", 4, TMT_TEXTCOLOR}] = {false, RGB(10, 11, 12)};
  FThemes.Colors[{L"ToolTip", 1, TMT_TEXTCOLOR}] = {false, RGB(13, 14, 15)};
  EXPECT_EQ(p->ContainerFrameColor(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(p->ButtonGlyphColor(cxbsHot, clRed), static_cast<TColor>(RGB(4, 5, 6)));
  EXPECT_EQ(FThemes.Of("Color").back().State, 2);
  EXPECT_EQ(p->ButtonFaceColor(cxbsDefault), static_cast<TColor>(RGB(7, 8, 9)));
  EXPECT_EQ(FThemes.Of("Color").back().State, 5);
  EXPECT_EQ(p->GroupBoxTextColor(false, gcsTop), static_cast<TColor>(RGB(10, 11, 12)));
  EXPECT_EQ(FThemes.Of("Color").back().State, 2);
  EXPECT_EQ(p->ScreenTipDescriptionTextColor(), static_cast<TColor>(RGB(13, 14, 15)));
  EXPECT_EQ(p->ScreenTipTitleTextColor(), static_cast<TColor>(RGB(13, 14, 15)));
  EXPECT_EQ(p->HintBorderColor(), clWindowFrame);
  EXPECT_EQ(p->SchedulerContentColor(), static_cast<TColor>(RGB(0xFF, 0xFF, 0xD5)));
  // Colours the theme does not give: the standard (here: base) colours.
  for (auto& [key, answer] : FThemes.Colors) answer.Fails = true;
  const TcxStandardLookAndFeelPainter* s = Standard();
  EXPECT_EQ(p->ContainerFrameColor(), s->ContainerFrameColor());
  EXPECT_EQ(p->ButtonGlyphColor(cxbsHot, clRed), s->ButtonGlyphColor(cxbsHot, clRed));
  EXPECT_EQ(p->ButtonFaceColor(cxbsPressed), s->ButtonFaceColor(cxbsPressed));
  EXPECT_EQ(p->GroupBoxTextColor(true, gcsTop), s->GroupBoxTextColor(true, gcsTop));
  EXPECT_EQ(p->ScreenTipDescriptionTextColor(), s->ScreenTipDescriptionTextColor());
}

TEST_F(NativePainter, MinimumThumbSizeAddsTheContentMarginsOnVistaAndLater)
{
  TcxWinXPLookAndFeelPainter* p = Native();
  FThemes.Sizes[{L"ScrollBar", 2}] = {false, SIZE{9, 30}};
  FThemes.Sizes[{L"ScrollBar", 3}] = {false, SIZE{30, 11}};
  FThemes.MarginAnswers[{L"ScrollBar", 2}] = {false, MARGINS{1, 2, 3, 4}};
  FThemes.MarginAnswers[{L"ScrollBar", 3}] = {false, MARGINS{1, 2, 3, 4}};
  {
    TScopedSeam vista(WinVistaOrLater, true);
    EXPECT_EQ(p->ScrollBarMinThumbSize(sbHorizontal), 9 + 1 + 2);
    EXPECT_EQ(p->ScrollBarMinThumbSize(sbVertical), 11 + 3 + 4);
    const auto sizes = FThemes.Of("PartSize");
    EXPECT_EQ(sizes.back().Property, TS_MIN);
    EXPECT_EQ(sizes.back().State, 1);
    EXPECT_FALSE(sizes.back().HasDC);
    EXPECT_EQ(FThemes.Of("Margins").back().Property, TMT_CONTENTMARGINS);
    FThemes.MarginAnswers[{L"ScrollBar", 3}] = {true, {}};
    EXPECT_EQ(p->ScrollBarMinThumbSize(sbVertical), 11) << "nothing added when the margins cannot be read";
  }
  {
    TScopedSeam xp(WinVistaOrLater, false);
    EXPECT_EQ(p->ScrollBarMinThumbSize(sbHorizontal), 9);
    FThemes.Sizes[{L"ScrollBar", 2}] = {true, {}};
    EXPECT_EQ(p->ScrollBarMinThumbSize(sbHorizontal), Standard()->ScrollBarMinThumbSize(sbHorizontal));
  }
}

TEST_F(NativePainter, TrackBarThumbIsCentredAtTheThemesSize)
{
  TcxWinXPLookAndFeelPainter* p = Native();
  TPainterSurface surface(40, 40, PictureBackground);
  struct TCase {
    int Kind;
    bool Horizontal;
    int Part;
    SIZE Size;
    RECT Expected;
  };
  const TCase cases[] = {
    {0, true, 5, SIZE{11, 21}, RECT{14, 10, 25, 31}},  // (20 - 11) / 2 = 4, (20 - 21) / 2 = 0
    {1, false, 8, SIZE{21, 11}, RECT{10, 14, 31, 25}},
    {2, true, 3, SIZE{8, 23}, RECT{16, 9, 24, 32}},    // taller than R: one pixel out at the top, two below
  };
  for (const TCase& c : cases) {
    FThemes.Sizes.clear();
    FThemes.Sizes[{L"TrackBar", c.Part}] = {false, c.Size};
    RECT r{10, 10, 30, 30};
    p->AdjustTrackBarTrack(surface.cx(), r, c.Kind, c.Horizontal);
    EXPECT_EQ(r, c.Expected) << c.Kind;
    EXPECT_EQ(FThemes.Of("PartSize").back().Property, TS_DRAW);
    EXPECT_TRUE(FThemes.Of("PartSize").back().HasDC);
  }
  FThemes.Sizes[{L"TrackBar", 3}] = {true, {}};
  RECT r{10, 10, 30, 30}, standard{10, 10, 30, 30};
  p->AdjustTrackBarTrack(surface.cx(), r, 2, true);
  Standard()->AdjustTrackBarTrack(surface.cx(), standard, 2, true);
  EXPECT_EQ(r, standard);
}

TEST_F(NativePainter, GripperOnlyOnAThumbLongerThanIt)
{
  FThemes.Sizes[{L"ScrollBar", 8}] = {false, SIZE{8, 8}};
  FThemes.Sizes[{L"ScrollBar", 9}] = {false, SIZE{8, 8}};
  struct TCase {
    bool Horizontal;
    RECT Thumb;
    bool Gripper;
  };
  const TCase cases[] = {
    {true, RECT{0, 0, 8, 16}, false}, {true, RECT{0, 0, 9, 16}, true},
    {false, RECT{0, 0, 16, 8}, false}, {false, RECT{0, 0, 16, 9}, true},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(PartsDrawnBy([&](auto p, auto cv) { p->DrawScrollBarElement(cv, c.Horizontal, c.Thumb, sbeThumb, cxbsDisabled); })
                  .size(),
              c.Gripper ? 2u : 1u)
        << c.Horizontal << " " << c.Thumb;
  FThemes.Sizes[{L"ScrollBar", 8}] = {true, {}};
  EXPECT_EQ(PartsDrawnBy([](auto p, auto cv) { p->DrawScrollBarElement(cv, true, RECT{0, 0, 2, 16}, sbeThumb, cxbsNormal); })
                .size(),
            2u)
      << "the gripper is drawn when its size cannot be read";
  EXPECT_TRUE(PartsDrawnBy([](auto p, auto cv) { p->DrawScrollBarElement(cv, true, RECT{5, 5, 5, 16}, sbeThumb, cxbsNormal); })
                  .empty());
  EXPECT_TRUE(PartsDrawnBy([](auto p, auto cv) { p->DrawScrollBarElement(cv, true, Box, sbeNone, cxbsNormal); }).empty());
}

TEST_F(NativePainter, PopupBorderIsOnePixelOnEverySystem)
{
  for (bool vista : {true, false}) {
    TScopedSeam version(WinVistaOrLater, vista);
    for (auto style : {epbsDefault, epbsSingle, epbsFrame3D, epbsFlat}) {
      TPainterSurface surface(40, 40, PictureBackground);
      FThemes.Calls.clear();
      RECT r = Box;
      Native()->DrawPopupBorder(surface.cx(), r, style, true);
      EXPECT_EQ(r, InflateRectXY(Box, -1, -1));
      EXPECT_EQ(FThemes.Of("Background").size(), vista ? 1u : 0u);
      if (!vista) {
        EXPECT_EQ(Letters(surface, RECT{2, 2, 4, 4}, TLegend{{'K', clBtnText}}), (std::vector<std::string>{"KK", "K."}));
      }
    }
  }
  TScopedSeam vista(WinVistaOrLater, true);
  FThemes.Refuse(L"ListBox");
  TPainterSurface surface(40, 40, PictureBackground);
  RECT r = Box;
  Native()->DrawPopupBorder(surface.cx(), r, epbsSingle, false);
  EXPECT_EQ(r, InflateRectXY(Box, -1, -1));
  EXPECT_EQ(surface.Count(Box, Rgb(clBtnText)), 2 * 28 + 2 * 16) << "a frame when the list box has no theme";
  EXPECT_EQ(Native()->PopupBorderWidth(epbsFrame3D), 1);
  EXPECT_EQ(Native()->PopupFrameExtent(epbsSingle), 2);
}

// --- Without a theme class, and without visual styles ---

namespace {
// An operation drawn by the native painter and by the standard painter, and the class it needs.
// Operations whose standard drawing asks the painter for themed colours or widths name that class
// too (Also); Expected, when set, is the standard painter's drawing the native fallback must match.
struct TFallbackCase {
  using TDraw = std::function<void(const TcxStandardLookAndFeelPainter*, TcxCanvas*)>;
  const char* Name;
  const wchar_t* Class;
  TDraw Draw;
  const wchar_t* Also = nullptr;
  TDraw Expected = nullptr;
};

const std::vector<TFallbackCase>& FallbackCases()
{
  using P = const TcxStandardLookAndFeelPainter*;
  using C = TcxCanvas*;
  static const TcxViewParams view{nullptr, Red};
  static const std::vector<TFallbackCase> cases = {
    {"border frame", L"ListView", [](P p, C c) { p->DrawBorderFrame(c, Box); }},
    {"expand box", L"TreeView", [](P p, C c) { p->DrawExpandBox(c, RECT{2, 2, 14, 14}, false, clDefault); }},
    // Without the tree view's glyph the box is framed in the colour given for its face, unfilled.
    {"small expand box", L"TreeView", [](P p, C c) { p->DrawSmallExpandBox(c, Box, false, clBlue, Red); }, nullptr,
     [](P p, C c) { p->DrawSmallExpandBox(c, Box, false, Red, clDefault); }},
    {"check frame", L"Button", [](P p, C c) { p->DrawCheckFrame(c, Box, cxbsNormal); }},
    {"check mark", L"Button", [](P p, C c) { p->DrawCheckMark(c, Box, cxbsNormal, true, Red); }},
    // A normal button: the default one keeps its content two pixels in (ButtonBorderWidth), not three.
    {"button", L"Button",
     [](P p, C c) { p->DrawButton(c, Box, "", cxbsNormal, true, clDefault, clDefault, false, false); }},
    {"plain button", L"Button", [](P p, C c) { p->DrawPlainButton(c, Box, cxbsHot); }},
    {"group box", L"Button", [](P p, C c) { p->DrawGroupBoxBorder(c, Box, cxBordersAll, gcsTop, true); }},
    {"scroll arrow", L"ScrollBar", [](P p, C c) { p->DrawScrollBarElement(c, false, Box, sbeLineBack, cxbsPressed); }},
    {"scroll thumb", L"ScrollBar", [](P p, C c) { p->DrawScrollBarElement(c, true, Box, sbeThumb, cxbsNormal); }},
    {"scroll page", L"ScrollBar", [](P p, C c) { p->DrawScrollBarElement(c, true, Box, sbePageBack, cxbsNormal); }},
    {"size grip", L"ScrollBar", [](P p, C c) { p->DrawSizeGrip(c, Box); }},
    {"tab edges", L"Tab",
     [](P p, C c) { p->DrawTabEdges(c, RECT{2, 2, 30, 3}, false, cxBordersAll, TcxBorder::bTop); }},
    {"tab pane", L"Tab", [](P p, C c) { p->DrawTabPaneEdges(c, Box, false, cxBordersAll); }},
    {"footer edges", L"Edit", [](P p, C c) { p->DrawFooterEdges(c, Box); }},
    {"filter button", L"ComboBox", [](P p, C c) { p->DrawFilterArrowButton(c, Box, cxbsNormal, true); }},
    {"splitter without a list view", L"ListView", [](P p, C c) { p->DrawSplitterBorder(c, Box, true, view); }},
    {"splitter without a border colour", L"ComboBox", [](P p, C c) { p->DrawSplitterBorder(c, Box, false, view); }},
    // The separator is as thick as the border, which is the list view's.
    {"separator", L"ToolBar", [](P p, C c) { p->DrawSeparator(c, Box, true); }, L"ListView"},
    {"drop-down face", L"ToolBar", [](P p, C c) { p->DrawDropDownButtonFace(c, Box, cxbsHot); }, L"Button"},
    {"header", L"Header",
     [](P p, C c) {
       p->DrawHeader(c, Box, Box, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, "", nullptr,
                     clDefault, Red, {}, true, false);
     }},
    {"calendar header", L"Header",
     [](P p, C c) {
       RECT r = Box;
       p->DrawCalendarHeader(c, r);
     }},
    {"hint", L"ToolTip", [](P p, C c) { p->FillHintBackground(c, Box, Red); }},
    {"close button", L"Window", [](P p, C c) { p->DrawCloseCrossButton(c, Box, cxbsHot); }, L"Button"},
    {"track", L"TrackBar", [](P p, C c) { p->DrawTrackBarTrack(c, Box, Box, false, true, true, Red); }},
    {"thumb", L"TrackBar", [](P p, C c) { p->DrawTrackBarThumb(c, Box, Red, 2, true, cxbsNormal); }},
    {"progress bar", L"Progress", [](P p, C c) { p->DrawProgressBar(c, Box, false, view, RECT{4, 4, 10, 18}); }},
    {"toggle button", L"ExplorerBar", [](P p, C c) { p->DrawGroupToggleButton(c, Box, true, cxbsNormal); }},
    {"tab", L"Tab", [](P p, C c) { p->DrawTab(c, Box, cxBordersAll, "", cxbsNormal, true, nullptr, Red, Red, false); }},
    {"scheduler button", L"Tab", [](P p, C c) { p->DrawSchedulerNavButton(c, Box, RECT{8, 6, 15, 13}, false, cxbsHot); }},
  };
  return cases;
}

// The operation's pixels by the native painter (its class refused) and by the standard painter.
void ExpectStandardPixels(const TFallbackCase& c, TThemeStandIn& themes)
{
  TPainterSurface native(40, 40, PictureBackground), standard(40, 40, PictureBackground);
  themes.Calls.clear();
  c.Draw(RegisteredPainter<TcxWinXPLookAndFeelPainter>(cpsNative), native.cx());
  (c.Expected ? c.Expected : c.Draw)(RegisteredPainter<TcxStandardLookAndFeelPainter>(cpsStandard), standard.cx());
  EXPECT_TRUE(SamePixels(native, standard)) << c.Name;
  for (const auto& call : themes.Of("Background"))
    EXPECT_NE(call.Class, c.Class) << c.Name << ": drawn with a class that does not open";
}
}  // namespace

TEST_F(NativePainter, AnOperationWhoseClassDoesNotOpenDrawsTheStandardLook)
{
  for (const TFallbackCase& c : FallbackCases()) {
    FThemes.AcceptAll();
    FThemes.Refuse(c.Class);
    if (c.Also) FThemes.Refuse(c.Also);
    ExpectStandardPixels(c, FThemes);
  }
  // The splitter needs the combo box's border colour too.
  FThemes.AcceptAll();
  FThemes.Colors[{L"ComboBox", 1, TMT_BORDERCOLOR}] = {true, {}};
  for (const TFallbackCase& c : FallbackCases())
    if (std::string(c.Name) == "splitter without a border colour") ExpectStandardPixels(c, FThemes);
  FThemes.Colors.clear();
  // A splitter with the colour: lines in it on the long sides.
  FThemes.Colors[{L"ComboBox", 1, TMT_BORDERCOLOR}] = {false, RGB(0, 0, 255)};
  TPainterSurface surface(10, 6, PictureBackground);
  Native()->DrawSplitterBorder(surface.cx(), RECT{2, 0, 8, 6}, true, TcxViewParams{nullptr, Red});
  EXPECT_EQ(Letters(surface, RECT{0, 0, 10, 6}, TLegend{{'B', clBlue}, {'R', Red}}),
            (std::vector<std::string>{"..BBBBBB..", ".RRRRRRRR.", ".RRRRRRRR.", ".RRRRRRRR.", ".RRRRRRRR.",
                                      "..BBBBBB.."}));
}

TEST_F(NativePainter, MetricsWithoutTheirClassAreTheStandardOnes)
{
  const TcxWinXPLookAndFeelPainter* p = Native();
  const TcxStandardLookAndFeelPainter* s = Standard();
  for (const wchar_t* cls : {L"ListView", L"TreeView", L"Button", L"Header", L"Edit", L"TrackBar", L"Tab", L"Window",
                             L"ExplorerBar", L"ScrollBar", L"ToolTip"})
    FThemes.Refuse(cls);
  struct TCase {
    const char* Name;
    long long Native, Standard;
  };
  const TCase cases[] = {
    {"BorderWidth", p->BorderWidth(), s->BorderWidth()},
    {"ExpandBoxSize", p->ExpandBoxSize(), s->ExpandBoxSize()},
    {"SmallExpandBoxSize", p->SmallExpandBoxSize(), s->SmallExpandBoxSize()},
    {"GroupToggleButtonSize", p->GroupToggleButtonSize(), s->GroupToggleButtonSize()},
    {"CheckFrameWidth", p->CheckFrameWidth(), s->CheckFrameWidth()},
    {"CheckBoxGlyphSize", p->CheckBoxGlyphSize().cx, s->CheckBoxGlyphSize().cx},
    {"RadioButtonGlyphSize", p->RadioButtonGlyphSize().cy, s->RadioButtonGlyphSize().cy},
    {"ButtonBorderWidth(default)", p->ButtonBorderWidth(cxbsDefault), s->ButtonBorderWidth(cxbsNormal)},
    {"ButtonGroupBorderWidths", p->ButtonGroupBorderWidths(2, 0).left, s->ButtonGroupBorderWidths(2, 0).left},
    {"HeaderBorderWidth", p->HeaderBorderWidth(), s->HeaderBorderWidth()},
    {"FooterBorderWidth", p->FooterBorderWidth(), s->FooterBorderWidth()},
    {"FooterCellBorderWidth", p->FooterCellBorderWidth(), s->FooterCellBorderWidth()},
    {"FooterCellSpacing", p->FooterCellSpacing(), s->FooterCellSpacing()},
    {"TabBorderWidth", p->TabBorderWidth(false), s->TabBorderWidth(false)},
    {"IsTabDrawImplemented", p->IsTabDrawImplemented(false), s->IsTabDrawImplemented(false)},
    {"TabsTrackHot", p->TabsTrackHot(false), s->TabsTrackHot(false)},
    {"CloseCrossButtonSize", p->CloseCrossButtonSize().x, s->CloseCrossButtonSize().x},
    {"SmallCloseButtonSize", p->SmallCloseButtonSize().y, s->SmallCloseButtonSize().y},
    {"FilterCheckSize", p->FilterCheckSize().x, s->FilterCheckSize().x},
    {"SizeGripSize", p->SizeGripSize().cx, s->SizeGripSize().cx},
    {"ScrollBarMinThumbSize", p->ScrollBarMinThumbSize(sbVertical), s->ScrollBarMinThumbSize(sbVertical)},
    {"HintBorderColor", p->HintBorderColor(), s->HintBorderColor()},
    {"HitTestGroupToggleButton", p->HitTestGroupToggleButton(Box, POINT{3, 3}),
     s->HitTestGroupToggleButton(Box, POINT{3, 3})},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Native, c.Standard) << c.Name;
  EXPECT_EQ(p->BorderWidth(), 2);
  EXPECT_EQ(p->ExpandBoxSize(), 12);
  // Sections are drawn as headers, so their content lies inside the one-pixel header edges.
  EXPECT_EQ(p->HeaderSectionBorderWidth(cxbsHot), p->HeaderBorderWidth());
  EXPECT_EQ(p->HeaderSectionContentBounds(Box, cxbsHot), InflateRectXY(Box, -1, -1));
  EXPECT_TRUE(FThemes.Of("Background").empty());
}

TEST_F(NativePainter, WithoutVisualStylesEveryPartIsStandard)
{
  {
    TScopedSeam off(dxUxThemeEntryPoints.IsThemeActive, ThemeActiveOff);
    BroadcastToOwnWindows(WM_THEMECHANGED);
    ASSERT_FALSE(AreThemesAvailable());
    EXPECT_FALSE(Native()->DependsOnSystemTheme());
    for (const TFallbackCase& c : FallbackCases()) ExpectStandardPixels(c, FThemes);
    EXPECT_TRUE(FThemes.Of("Background").empty());
  }
  BroadcastToOwnWindows(WM_THEMECHANGED);
  EXPECT_TRUE(AreThemesAvailable());
}

// --- Wine's light style ---

TEST_F(NativePainter, BorderFramePaintsOnlyItsRing)
{
  TPainterSurface surface(40, 40, PictureBackground);
  Native()->DrawBorderFrame(surface.cx(), Box);
  EXPECT_EQ(surface.Count(InflateRectXY(Box, -1, -1), PictureBackground), 26 * 16) << "the inside is left alone";
  EXPECT_EQ(surface.Count(RECT{0, 0, 40, 40}, PictureBackground), 40 * 40 - 2 * 28 - 2 * 16)
      << "the whole ring, nothing outside";
  // And the clip region is as it was: a fill afterwards reaches the inside.
  surface.cx()->FillRectWithColor(RECT{0, 0, 40, 40}, Red);
  EXPECT_EQ(surface.Count(RECT{0, 0, 40, 40}, Rgb(Red)), 40 * 40);
}

TEST_F(NativePainter, AVerticalTabIsTheHorizontalTabTurned)
{
  for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed}) {
    TPainterSurface horizontal(40, 40, PictureBackground), vertical(40, 40, PictureBackground);
    Native()->DrawTab(horizontal.cx(), RECT{4, 2, 36, 22}, TcxBorders{TcxBorder::bLeft, TcxBorder::bTop}, "", state,
                      false, nullptr, clDefault, clDefault, false);
    Native()->DrawTab(vertical.cx(), RECT{2, 4, 22, 36}, TcxBorders{TcxBorder::bTop, TcxBorder::bLeft}, "", state,
                      true, nullptr, clDefault, clDefault, false);
    ASSERT_TRUE(AnythingDrawn(horizontal));
    int differences = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) differences += horizontal.Pixel(x, y) != vertical.Pixel(y, x);
    EXPECT_EQ(differences, 0) << static_cast<int>(state);
  }
}

TEST_F(NativePainter, ADisabledThumbIsDrawn)
{
  TPainterSurface surface(40, 40, PictureBackground);
  Native()->DrawScrollBarElement(surface.cx(), true, RECT{0, 0, 30, 16}, sbeThumb, cxbsDisabled);
  EXPECT_TRUE(AnythingDrawn(surface));
}

TEST_F(NativePainter, TabPaneAndSchedulerButtonsStayInsideTheirRectangles)
{
  TPainterSurface pane(40, 40, PictureBackground), button(40, 40, PictureBackground);
  Native()->DrawTabPaneEdges(pane.cx(), Box, false, cxBordersAll);
  Native()->DrawSchedulerNavButton(button.cx(), Box, RECT{10, 6, 17, 13}, true, cxbsNormal);
  for (TPainterSurface* s : {&pane, &button}) {
    EXPECT_TRUE(AnythingDrawn(*s));
    EXPECT_EQ(s->Count(RECT{0, 0, 40, 40}, PictureBackground) - s->Count(Box, PictureBackground),
              40 * 40 - 28 * 18);
  }
}

// --- What the native painter takes from the flat painter ---

namespace {
// A flat-style painter that sorts before "Flat", so that the registry answers it for cpsFlat while
// it is registered; it records the indicators it is asked to draw.
class TIndicatorRecorder : public TcxFlatLookAndFeelPainter {
  CL_CLASS(TIndicatorRecorder, TcxFlatLookAndFeelPainter)
public:
  static inline int Calls = 0;
  static inline TcxIndicatorKind LastKind = ikNone;
  static inline TColor LastColor = clNone;
  std::string GetPainterName() const override { return "AFlatIndicators"; }
  void DrawIndicatorItem(TcxCanvas*, const RECT&, TcxIndicatorKind Kind, TColor BkColor,
                         const TcxDrawBackgroundEvent&) const override
  {
    ++Calls;
    LastKind = Kind;
    LastColor = BkColor;
  }
};
}  // namespace

CL_DEFINE_CLASS(TIndicatorRecorder);

TEST_F(NativePainter, IndicatorsAreTheRegisteredFlatPainters)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  ASSERT_TRUE(manager->Register(MakeOwned<TIndicatorRecorder>()));
  TIndicatorRecorder::Calls = 0;
  TPainterSurface surface(20, 20, PictureBackground);
  Native()->DrawIndicatorItem(surface.cx(), RECT{0, 0, 12, 18}, ikEdit, Red, {});
  EXPECT_TRUE(manager->Unregister("AFlatIndicators"));
  EXPECT_EQ(TIndicatorRecorder::Calls, 1);
  EXPECT_EQ(TIndicatorRecorder::LastKind, ikEdit);
  EXPECT_EQ(TIndicatorRecorder::LastColor, Red);
}
