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
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/controls/dxScreenTip.h"
#include "toolkit/bars/dxBarToolbar.h"

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
  // With a painter, the view info of that painter's screen-tip look with the screen tip.
  TdxBarPainter* ScreenTipPainter = nullptr;
  TdxScreenTip* Tip = nullptr;
  TOwned<TdxBarCustomHintViewInfo> ShowScreenTip(POINT, const std::string& hint, const std::string& shortCut) override
  {
    if (!ScreenTipPainter) return nullptr;
    return CreateBarHintViewInfo(nullptr, hint, shortCut, Tip, ScreenTipPainter);
  }
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

// Which view info a hint gets in a painter's screen-tip look: the full screen tip when its
// repository shows descriptions; else the hint drawn like a screen tip, with the screen tip's header
// text unless the tip takes the hint as its header or has no header text.
TEST(dxBarHints, TheViewInfoOfTheScreenTipLook)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* manager = New<TdxBarManager>(form);
  auto* repository = New<TdxScreenTipRepository>(form);
  TdxScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText("Header");
  TOwned<TdxBarPainter> painter(ClassRef<TdxBarStandardPainter>().Create(nullptr));
  struct TCase {
    const char* Name;
    bool WithTip, ShowDescription, HintAsHeader;
    const char* HeaderText;
    bool Full;
    const char* Text;
  };
  const TCase cases[] = {
      {"no screen tip", false, true, false, "Header", false, "Open"},
      {"descriptions shown", true, true, false, "Header", true, nullptr},
      {"descriptions hidden", true, false, false, "Header", false, "Header"},
      {"the hint as header", true, false, true, "Header", false, "Open"},
      {"no header text", true, false, false, "", false, "Open"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    repository->SetShowDescription(c.ShowDescription);
    tip->SetUseHintAsHeader(c.HintAsHeader);
    tip->Header()->SetText(c.HeaderText);
    TOwned<TdxBarCustomHintViewInfo> info =
        CreateBarHintViewInfo(manager, "Open", "Ctrl+O", c.WithTip ? tip : nullptr, painter.get());
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->UsesScreenTipLook());
    auto* full = dynamic_cast<TdxBarScreenTipViewInfo*>(info.get());
    auto* like = dynamic_cast<TdxBarLikeHintScreenTipViewInfo*>(info.get());
    EXPECT_EQ(full != nullptr, c.Full);
    if (c.Full) EXPECT_EQ(full->ScreenTip(), tip);
    if (!c.Full) {
      ASSERT_NE(like, nullptr);
      EXPECT_EQ(like->Hint(), c.Text);
      EXPECT_EQ(like->ShortCut(), "Ctrl+O");
      EXPECT_EQ(like->Manager(), manager);
    }
  }
}

// The hinted object makes the window's view info: a screen tip in the screen-tip look is shadowed,
// shaped, grows one pixel on the desktop and keeps the longer pauses; the plain look comes back with
// the next plain hint. A bar control's own hint is the painter's plain hint at the cursor.
TEST(dxBarHints, TheHintedObjectMakesTheWindowsViewInfo)
{
  THintFixture f;
  auto* repository = New<TdxScreenTipRepository>(f.Form);
  TdxScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText("Open a file");
  tip->Description()->SetText("Opens the file that is selected in the list.");
  TOwned<TdxBarPainter> painter(ClassRef<TdxBarStandardPainter>().Create(nullptr));
  f.First->ScreenTipPainter = painter.get();
  f.First->Tip = tip;
  f.Manager->ActivateHint(f.First.get());
  f.Fire(false);
  ASSERT_TRUE(IsBarHintShowing());
  auto* window = dynamic_cast<TdxBarHintWindow*>(GetBarHintWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_NE(dynamic_cast<TdxBarScreenTipViewInfo*>(window->ViewInfo()), nullptr);
  EXPECT_TRUE(window->ScreenTipLook());
  EXPECT_TRUE(window->HasWindowShadow());
  EXPECT_EQ(f.Manager->GetHintShowPause(), 900);
  EXPECT_EQ(f.Manager->GetHintHidePause(), 200000);
  RECT bounds = window->ViewInfo()->GetBoundsRect();
  EXPECT_GT(bounds.right - bounds.left, 20);
  RECT grown{10, 10, 50, 30};
  window->FitBoundsToDesktop(grown);
  EXPECT_EQ(grown.right - grown.left, 41);
  EXPECT_EQ(grown.bottom - grown.top, 21);
  f.Fire(true);

  f.Manager->ActivateHint(f.Second.get());
  f.Fire(false);
  ASSERT_NE(window->ViewInfo(), nullptr);
  EXPECT_NE(dynamic_cast<TdxBarHintViewInfo*>(window->ViewInfo()), nullptr);
  EXPECT_FALSE(window->ScreenTipLook());
  f.Fire(true);

  auto* toolbar = New<TdxBarControl>(f.Manager);
  TOwned<TdxBarCustomHintViewInfo> own = toolbar->ShowScreenTip(POINT{}, "Tools", "");
  auto* plain = dynamic_cast<TdxBarHintViewInfo*>(own.get());
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->UsesScreenTipLook());
  EXPECT_EQ(plain->Hint(), "Tools");
  EXPECT_EQ(plain->Manager(), f.Manager);
  own.reset();
  Free(toolbar);
}
