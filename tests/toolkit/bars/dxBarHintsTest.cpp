// The hint state machine of the bar managers, its timers fired through the thread timer's test
// hook: show after the pause, hide after the hide pause, the quick switch inside and outside its
// time, a manager freed while its timer runs, and nothing left behind by many hints.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ThreadTimer.h"
#include "toolkit/bars/dxBarHintWindow.h"
#include "toolkit/bars/dxBarHints.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"

namespace {
// An object with a hint of its own.
class THinted : public TObject, public IdxBarHintSource {
  CL_CLASS(THinted, TObject)
public:
  THinted() = default;
  explicit THinted(std::string text) : Text(std::move(text)) {}
  std::string Text = "Open";
  bool GetHintTexts(bool&, std::string& hint, std::string& shortCut) override
  {
    hint = Text;
    shortCut.clear();
    return true;
  }
  void ShowScreenTip(POINT) override {}
  bool CanShowHint() override { return true; }
  void ShowHintAt(POINT&) override {}
};
CL_DEFINE_CLASS(THinted);

struct THintFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TOwned<THinted> First = MakeOwned<THinted>("Open");
  TOwned<THinted> Second = MakeOwned<THinted>("Save");
  ~THintFixture() { Manager->HideHint(); }
  // Fires the running show-or-hide timer, which must be of the kind expected.
  void Fire(bool hideTimer)
  {
    ASSERT_NE(GetBarHintTimerID(), 0u);
    ASSERT_EQ(IsBarHintHideTimer(), hideTimer);
    ASSERT_TRUE(FireThreadTimer(GetBarHintTimerID()));
  }
};
}  // namespace

// Idle, waiting, showing, idle: the show timer, then the hide timer.
TEST(dxBarHints, AHintShowsAfterTheShowPauseAndHidesAfterTheHidePause)
{
  THintFixture f;
  f.Manager->ActivateHint(f.First.get());
  EXPECT_FALSE(IsBarHintShowing());
  f.Fire(false);
  EXPECT_TRUE(IsBarHintShowing());
  EXPECT_EQ(GetBarHintWindow()->Caption(), "Open");
  f.Fire(true);
  EXPECT_FALSE(IsBarHintShowing());
  EXPECT_EQ(GetBarHintTimerID(), 0u);
  EXPECT_EQ(f.Manager->GetHintShowPause(), 1000);
  EXPECT_EQ(f.Manager->GetHintHidePause(), 10000);
}

// Moving from a shown hint to the next object shows its hint at once; moving onto nothing opens
// the quick-switch time, inside which the next hint shows at once and after which it waits again.
TEST(dxBarHints, TheNextHintShowsAtOnceWhileOneShowsOrInsideTheQuickSwitchTime)
{
  THintFixture f;
  f.Manager->ActivateHint(f.First.get());
  f.Fire(false);
  f.Manager->ActivateHint(f.Second.get());
  EXPECT_TRUE(IsBarHintShowing());
  EXPECT_EQ(GetBarHintWindow()->Caption(), "Save");

  f.Manager->ActivateHint(true, std::string(), nullptr);  // onto something without a hint
  EXPECT_FALSE(IsBarHintShowing());
  EXPECT_TRUE(IsBarHintQuickSwitchOpen());
  f.Manager->ActivateHint(f.First.get());
  EXPECT_TRUE(IsBarHintShowing());

  f.Manager->ActivateHint(true, std::string(), nullptr);
  ASSERT_TRUE(FireThreadTimer(GetBarHintQuickSwitchTimerID()));
  EXPECT_FALSE(IsBarHintQuickSwitchOpen());
  f.Manager->ActivateHint(f.Second.get());
  EXPECT_FALSE(IsBarHintShowing());
  f.Fire(false);
  EXPECT_TRUE(IsBarHintShowing());
}

// With ShowHint off no hint waits; a manager freed while its timer runs leaves no timer behind.
TEST(dxBarHints, NoHintWithShowHintOffAndNoTimerAfterTheManagerGoes)
{
  THintFixture f;
  f.Manager->SetShowHint(false);
  f.Manager->ActivateHint(f.First.get());
  EXPECT_EQ(GetBarHintTimerID(), 0u);
  f.Manager->SetShowHint(true);

  TdxBarManager* second = New<TdxBarManager>(New<TPanel>(f.Form));
  second->ActivateHint(f.First.get());
  ASSERT_NE(GetBarHintTimerID(), 0u);
  Free(second);
  EXPECT_EQ(GetBarHintTimerID(), 0u);
}

// A hundred hints shown and hidden leave no GDI object and no window behind.
TEST(dxBarHints, ManyHintsLeaveNothingBehind)
{
  THintFixture f;
  f.Manager->ActivateHint(f.First.get());
  f.Fire(false);
  f.Fire(true);
  const int gdi = LiveGdiObjects();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 100; ++i) {
    f.Manager->ActivateHint(i % 2 ? f.First.get() : f.Second.get());
    f.Fire(false);
    f.Fire(true);
  }
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

// The bar hint window: info colour, no animation, a 2 x 2 rounded shape, the pauses of its look,
// the shortcut text kept apart, and its view info freed when it hides.
TEST(dxBarHints, TheBarHintWindowShowsThePlainHintAndFreesItsViewInfoWhenHidden)
{
  THintFixture f;
  f.Manager->ActivateHint(f.First.get());
  auto* window = dynamic_cast<TdxBarHintWindow*>(GetBarHintWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Color(), clInfoBk);
  EXPECT_EQ(window->AnimationKind(), cxhakNone);
  EXPECT_FALSE(window->HasWindowShadow());
  f.Fire(false);
  ASSERT_TRUE(IsBarHintShowing());
  EXPECT_NE(window->ViewInfo(), nullptr);
  window->ApplyWindowShape();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(window->Handle(), region), ERROR);  // the window has its rounded shape
  DeleteObject(region);
  f.Fire(true);
  EXPECT_EQ(window->ViewInfo(), nullptr);

  struct TCase {
    bool ScreenTip;
    int Show, Hide;
  };
  for (const TCase& c : {TCase{false, 1000, 10000}, TCase{true, 900, 200000}}) {
    window->SetScreenTipLook(c.ScreenTip);
    EXPECT_EQ(f.Manager->GetHintShowPause(), c.Show);
    EXPECT_EQ(f.Manager->GetHintHidePause(), c.Hide);
    EXPECT_EQ(window->HasWindowShadow(), c.ScreenTip);
  }
  window->SetScreenTipLook(false);
  EXPECT_NE(GetClass("TdxBarScreenTip"), nullptr);
}
