// The XP look through a recording theme: which class, part and state each drawing uses in each
// state, what happens when a class cannot be opened, and theme metrics measured afresh by each new
// painter.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/DibSurface.h"
#include "tests/support/ThemeStandIn.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include <vssym32.h>

namespace {
std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }
std::string Describe(const TThemeStandIn::TCall& c)
{
  return Narrow(c.Class) + " " + std::to_string(c.Part) + " " + std::to_string(c.State);
}
// The last part drawn, as "class part state"; "none" when nothing was drawn.
std::string LastPart(const TThemeStandIn& theme)
{
  const auto drawn = theme.Of("Background");
  return drawn.empty() ? "none" : Describe(drawn.back());
}

struct TXPFixture {
  TThemeStandIn Theme;
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemControl* Control = nullptr;
  TDibSurface Surface{60, 30};
  TOwned<TdxBarPainter> Painter{ClassRef<TdxBarXPPainter>().Create(nullptr)};

  TXPFixture()
  {
    Manager->SetStyle(TdxBarManagerStyle::bmsXP);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    TdxBarItemLink* link = Bar->ItemLinks()->AddItem(New<TTestBarItem>(Form));
    Control = New<TdxBarItemControl>(link);
    link->SetItemRect({0, 0, 24, 22});
    Toolbar->SetDockingStyle(dsTop);
  }
  ~TXPFixture()
  {
    Free(Control);
    Free(Toolbar);
  }
};
}  // namespace

// Toolbar buttons by state: normal 1, hot 2, pressed 3 (also when hot), checked 5, disabled 4.
TEST(dxBarPainterXP, ToolbarButtonStates)
{
  TXPFixture f;
  using S = TdxBarPaintingState;
  struct TCase {
    const char* Name;
    TdxBarPaintingStates States;
    bool Enabled;
    int State;
  };
  const TCase cases[] = {
      {"normal", {}, true, 1},
      {"hot", {S::psHot}, true, 2},
      {"pressed", {S::psPressed, S::psHot}, true, 3},
      {"checked", {S::psChecked}, true, 5},
      {"checked and pressed", {S::psChecked, S::psPressed, S::psHot}, true, 3},
      {"disabled", {S::psHot}, false, 4},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    f.Control->GetItem()->SetEnabled(c.Enabled);
    f.Theme.Calls.clear();
    f.Painter->FrameItemGlyph(f.Control, f.Surface.DC(), c.States, RECT{0, 0, 24, 22});
    EXPECT_EQ(LastPart(f.Theme), "ToolBar " + std::to_string(TP_BUTTON) + " " + std::to_string(c.State));
  }
}

// The other theme parts by operation and state.
TEST(dxBarPainterXP, PartsOfTheOtherOperations)
{
  TXPFixture f;
  HDC dc = f.Surface.DC();
  const RECT r{0, 0, 20, 20};
  struct TCase {
    const char* Name;
    std::function<void()> Draw;
    std::string Expected;
  };
  auto part = [](const char* cls, int p, int s) { return std::string(cls) + " " + std::to_string(p) + " " + std::to_string(s); };
  TdxBarPainter* p = f.Painter.get();
  const TCase cases[] = {
      {"grip of a horizontal toolbar", [&] { p->DrawDockedBarBorder(f.Toolbar, dc, RECT{0, 0, 60, 26}); },
       part("Rebar", RP_GRIPPER, 1)},
      {"separator on a horizontal toolbar", [&] { p->DrawBeginGroupSeparator(nullptr, dc, true, nullptr, r); },
       part("ToolBar", TP_SEPARATORVERT, 1)},
      {"separator on a vertical toolbar", [&] { p->DrawBeginGroupSeparator(nullptr, dc, false, nullptr, r); },
       part("ToolBar", TP_SEPARATOR, 1)},
      {"close button", [&] { p->DrawFloatingCloseButton(f.Toolbar, dc, false, r); }, part("Window", WP_SMALLCLOSEBUTTON, 1)},
      {"close button pressed", [&] { p->DrawFloatingCloseButton(f.Toolbar, dc, true, r); }, part("Window", WP_SMALLCLOSEBUTTON, 3)},
      {"MDI minimize disabled", [&] { p->DrawMdiButton(f.Toolbar, 0, dc, 1, r); }, part("Window", WP_MDIMINBUTTON, 4)},
      {"MDI restore hot", [&] { p->DrawMdiButton(f.Toolbar, 1, dc, 2, r); }, part("Window", WP_MDIRESTOREBUTTON, 2)},
      {"MDI close pressed, not hot", [&] { p->DrawMdiButton(f.Toolbar, 2, dc, 3, r); }, part("Window", WP_MDICLOSEBUTTON, 1)},
      {"MDI close hot and pressed", [&] { p->DrawMdiButton(f.Toolbar, 2, dc, 4, r); }, part("Window", WP_MDICLOSEBUTTON, 3)},
      {"mark normal", [&] { p->DrawBarMarkBackground(f.Toolbar, dc, 0, r); }, part("ToolBar", TP_BUTTON, 1)},
      {"mark hot", [&] { p->DrawBarMarkBackground(f.Toolbar, dc, 1, r); }, part("ToolBar", TP_BUTTON, 2)},
      {"mark open", [&] { p->DrawBarMarkBackground(f.Toolbar, dc, 2, r); }, part("ToolBar", TP_BUTTON, 3)},
      {"calendar button pushed", [&] { p->PaintCalendarButton(dc, true, "", r); }, part("ToolBar", TP_BUTTON, 3)},
      {"calendar button", [&] { p->PaintCalendarButton(dc, false, "", r); }, part("ToolBar", TP_BUTTON, 2)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    f.Theme.Calls.clear();
    c.Draw();
    EXPECT_EQ(LastPart(f.Theme), c.Expected);
  }
}

// A class that cannot be opened draws nothing of its part; the background under it is still
// filled and nothing fails.
TEST(dxBarPainterXP, AClassThatDoesNotOpenDrawsNothing)
{
  TXPFixture f;
  f.Theme.Refuse(L"ToolBar");
  f.Surface.Fill(RGB(255, 0, 255));
  f.Theme.Calls.clear();
  f.Painter->FrameItemGlyph(f.Control, f.Surface.DC(), {TdxBarPaintingState::psHot}, RECT{0, 0, 24, 22});
  EXPECT_EQ(LastPart(f.Theme), "none");
  EXPECT_NE(f.Surface.Pixel(12, 11), RGB(255, 0, 255));
  f.Painter->DrawBeginGroupSeparator(nullptr, f.Surface.DC(), true, nullptr, RECT{0, 0, 20, 20});
  EXPECT_EQ(LastPart(f.Theme), "none");
}

// Each new XP painter measures the theme again: a style with other part sizes gives other metrics.
TEST(dxBarPainterXP, MetricsMeasuredAfreshByEachPainter)
{
  TThemeStandIn theme;
  for (int grip : {5, 7}) {
    theme.Sizes[{L"Rebar", RP_GRIPPER}] = {false, SIZE{grip, grip}};
    theme.Sizes[{L"ToolBar", TP_SEPARATOR}] = {false, SIZE{grip + 1, 20}};
    theme.Sizes[{L"ToolBar", TP_SEPARATORVERT}] = {false, SIZE{20, grip - 1}};
    TOwned<TdxBarPainter> painter(ClassRef<TdxBarXPPainter>().Create(nullptr));
    EXPECT_EQ(painter->GetGripSize(), grip);
    EXPECT_EQ(painter->GetGripAreaSize(nullptr), grip + 2);
    EXPECT_EQ(painter->GetBarBeginGroupSize(), grip + 1);
    EXPECT_EQ(painter->GetMenuBeginGroupSize(), grip - 1);
  }
}
