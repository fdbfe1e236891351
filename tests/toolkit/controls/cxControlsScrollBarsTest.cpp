// The painted scroll bars and the size grip of the control base: when each bar shows, the overlap
// and anti-flicker rules, the cap on the calculation, the layout, scrolling through the bars and
// the reaction to new system scroll-bar sizes.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/controls/cxControls.h"

using namespace controls_test;

namespace {
std::string Text(const RECT& r)
{
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

class ControlScrollBarsTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(320, 240);
    Control = New<TTestControl>(Form);
    Control->LookAndFeel()->SetSkinName(TTestPainterScope::Name);
    Control->SetParent(Form);
    Control->SetBounds(10, 10, 200, 150);
    Form->Show();
    Thickness = GetSystemScrollBarSize();
  }
  void TearDown() override { Free(Form); }

  void Content(int width, int height)
  {
    Control->ContentSize = SIZE{width, height};
    Control->UpdateScrollBars();
  }
  bool HShows() const { return Control->HScrollBar()->Visible(); }
  bool VShows() const { return Control->VScrollBar()->Visible(); }

  TTestPainterScope Painter;
  TForm* Form = nullptr;
  TTestControl* Control = nullptr;
  SIZE Thickness{};
};
}  // namespace

TEST_F(ControlScrollBarsTest, BarsComeAndGoWithTheContentSize)
{
  struct TCase {
    int Width, Height;
    bool H, V;
  };
  const TCase cases[] = {
    {150, 100, false, false}, {300, 100, true, false}, {150, 300, false, true}, {300, 300, true, true},
    {195, 145, false, false}, {195, 155, true, true},  {10, 10, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
    Content(c.Width, c.Height);
    EXPECT_EQ(HShows(), c.H);
    EXPECT_EQ(VShows(), c.V);
    EXPECT_EQ(Control->SizeGrip()->Visible(), c.H && c.V);
    const int clientWidth = 200 - (c.V ? Thickness.cx : 0), clientHeight = 150 - (c.H ? Thickness.cy : 0);
    EXPECT_EQ(Text(Control->GetClientBounds()), Text(RECT{0, 0, clientWidth, clientHeight}));
    if (c.H) {
      EXPECT_EQ(Text(Control->HScrollBar()->BoundsRect()), Text(RECT{0, clientHeight, clientWidth, 150}));
      EXPECT_EQ(Control->HScrollBar()->Max(), c.Width - 1);
      EXPECT_EQ(Control->HScrollBar()->PageSize(), clientWidth);
      EXPECT_EQ(Control->HScrollBar()->LargeChange(), clientWidth);
      EXPECT_TRUE(Control->HScrollBar()->Enabled());
    }
    if (c.V) {
      EXPECT_EQ(Text(Control->VScrollBar()->BoundsRect()), Text(RECT{clientWidth, 0, 200, clientHeight}));
    }
    if (c.H && c.V) {
      EXPECT_EQ(Text(Control->SizeGrip()->BoundsRect()), Text(RECT{clientWidth, clientHeight, 200, 150}));
    }
    // The bars are the control's own child windows.
    EXPECT_EQ(Control->HScrollBar()->Parent(), Control);
    EXPECT_EQ(IsWindowVisible(Control->VScrollBar()->Handle()) != FALSE, c.V);
  }
}

TEST_F(ControlScrollBarsTest, TheScrollBarsStyleLimitsWhichBarsMayShow)
{
  Control->SetScrollBars(ssHorizontal);
  Content(300, 300);
  EXPECT_TRUE(HShows());
  EXPECT_FALSE(VShows());
  Control->SetScrollBars(ssVertical);
  EXPECT_FALSE(HShows());
  EXPECT_TRUE(VShows());
  Control->SetScrollBars(ssNone);
  EXPECT_FALSE(HShows() || VShows());
}

TEST_F(ControlScrollBarsTest, ABarThatMayNotHideStaysDisabled)
{
  Control->AllowHide = false;
  Content(10, 10);
  EXPECT_TRUE(HShows() && VShows());
  EXPECT_FALSE(Control->HScrollBar()->Enabled());
  EXPECT_FALSE(Control->VScrollBar()->Enabled());
  Content(300, 10);
  EXPECT_TRUE(Control->HScrollBar()->Enabled());
  EXPECT_FALSE(Control->VScrollBar()->Enabled());
}

TEST_F(ControlScrollBarsTest, ContentThatFitsWithoutTheOtherBarShowsNeither)
{
  // Pages of 90 for a range of 100: each bar is needed only because the other one takes room.
  Control->FixedHPage = Control->FixedVPage = 90;
  Control->OverlapCheck = true;
  Content(100, 100);
  EXPECT_FALSE(HShows() || VShows());
  // Only where the control agrees, and only where the other bar really makes the difference.
  Control->OverlapCheck = false;
  Content(100, 100);
  EXPECT_TRUE(HShows() && VShows());
  Control->OverlapCheck = true;
  Control->FixedVPage = 50;
  Content(100, 100);
  EXPECT_TRUE(HShows() && VShows());
  // Nor for a bar that may not hide.
  Control->FixedVPage = 90;
  Control->AllowHide = false;
  Content(100, 100);
  EXPECT_TRUE(HShows() && VShows());
}

TEST_F(ControlScrollBarsTest, ABarThatWouldComeAndGoStaysVisibleAndDisabled)
{
  Control->HeightFollowsBar = true;
  Content(10, 0);
  EXPECT_TRUE(VShows());
  EXPECT_FALSE(Control->VScrollBar()->Enabled());
  // Asked again, it stays so.
  Control->UpdateScrollBars();
  EXPECT_TRUE(VShows());
  EXPECT_FALSE(Control->VScrollBar()->Enabled());
  EXPECT_FALSE(HShows());
}

TEST_F(ControlScrollBarsTest, WishesThatNeverSettleStopAfterTheLastPass)
{
  Control->FlipVerticalWish = true;
  Control->CalculationPasses = 0;
  Control->UpdateScrollBars();
  EXPECT_EQ(Control->CalculationPasses, cxMaxScrollBarCalculationPasses);
}

TEST_F(ControlScrollBarsTest, NewSystemScrollBarSizesResizeTheBars)
{
  Content(300, 300);
  Control->HScrollBar()->SetHeight(5);
  Control->VScrollBar()->SetWidth(5);
  Control->Perform(DXM_NCSIZECHANGED);
  EXPECT_EQ(Control->HScrollBar()->Height(), Thickness.cy);
  EXPECT_EQ(Control->VScrollBar()->Width(), Thickness.cx);
  EXPECT_EQ(Control->HScrollBar()->Top(), 150 - Thickness.cy);
  EXPECT_EQ(Text(Control->SizeGrip()->BoundsRect()),
            Text(RECT{200 - Thickness.cx, 150 - Thickness.cy, 200, 150}));

  // The system's notice of new non-client metrics reaches the control through the settings
  // controller.
  Control->HScrollBar()->SetHeight(5);
  BroadcastToOwnWindows(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS);
  EXPECT_TRUE(PumpUntil([&] { return Control->HScrollBar()->Height() == Thickness.cy; }));
}

TEST_F(ControlScrollBarsTest, TheBarsScrollTheControlAndFocusIt)
{
  TTestControl* other = New<TTestControl>(Form);
  other->SetParent(Form);
  other->SetBounds(220, 10, 50, 50);
  other->SetFocus();
  Content(1000, 10);
  TcxControlScrollBar* bar = Control->HScrollBar();
  const RECT arrow = bar->ViewInfo()->ForwardArrowRect();
  const LPARAM at = PointToLParam(POINT{(arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2});
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(GetFocus(), Control->Handle());
  bar->Perform(WM_LBUTTONUP, 0, at);
  ASSERT_EQ(Control->Scrolls.size(), 2u);
  EXPECT_EQ(Control->Scrolls[0].Kind, sbHorizontal);
  EXPECT_EQ(Control->Scrolls[0].Code, scLineDown);
  EXPECT_EQ(Control->Scrolls[1].Code, scEndScroll);
  // A control that does not focus on click keeps the focus where it was.
  other->SetFocus();
  Control->FocusOnClick = false;
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
  bar->Perform(WM_LBUTTONUP, 0, at);
  EXPECT_EQ(GetFocus(), other->Handle());
}

TEST_F(ControlScrollBarsTest, BarsAndGripFollowTheControlsLookAndFeel)
{
  Content(300, 300);
  EXPECT_EQ(Control->HScrollBar()->Painter()->GetPainterName(), TTestPainterScope::Name);
  EXPECT_EQ(Control->VScrollBar()->LookAndFeel()->MasterLookAndFeel(), Control->LookAndFeel());
  EXPECT_EQ(Control->SizeGrip()->LookAndFeel()->MasterLookAndFeel(), Control->LookAndFeel());
  EXPECT_TRUE(Control->IsInternalControl(Control->SizeGrip()));
  EXPECT_FALSE(Control->IsInternalControl(Form));
  EXPECT_FALSE(Control->HScrollBar()->TabStop());
  EXPECT_EQ(Control->HScrollBar()->Color(), clBtnFace);

  // The grip is a plain square of the painter's form content colour.
  TDibSurface surface(Thickness.cx, Thickness.cy);
  Control->SizeGrip()->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, Thickness.cx, Thickness.cy}, FormContentTestColor));
  EXPECT_EQ(Control->SizeGrip()->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.DC())), 1);
}
