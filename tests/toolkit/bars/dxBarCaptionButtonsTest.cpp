// The caption buttons of toolbars: hot tracking and its states, the button under a point, the
// buttons' bounds, hints of hot buttons only, Enabled's state, copying, and screen tips forgotten
// when they go.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/controls/dxScreenTip.h"

namespace {
using S = TdxBarCaptionButtonState;

struct TButtonsFixture {
  TOwned<TdxBarCaptionButtons> Buttons = MakeOwned<TdxBarCaptionButtons>(nullptr);
  TdxBarCaptionButton* A = Buttons->Add();
  TdxBarCaptionButton* B = Buttons->Add();
  TButtonsFixture()
  {
    A->SetRect(RECT{0, 0, 10, 10});
    B->SetRect(RECT{12, 0, 22, 10});
  }
};

struct TClicks : TObject {
  std::vector<TObject*> Senders;
  void Click(TObject* sender) { Senders.push_back(sender); }
};
}  // namespace

// The button under the point is hot, or pressed with the mouse button down; the others go back to
// normal; a disabled one keeps its state and is never found under a point.
TEST(dxBarCaptionButtons, HotTrackingSetsTheStatesOfTheButtons)
{
  TButtonsFixture f;
  struct TCase {
    POINT P;
    bool Down;
    S A, B;
  };
  const TCase cases[] = {
      {{5, 5}, false, S::Hot, S::Normal},
      {{15, 5}, true, S::Normal, S::Pressed},
      {{15, 5}, false, S::Normal, S::Hot},
      {{50, 5}, false, S::Normal, S::Normal},
  };
  for (const TCase& c : cases) {
    f.Buttons->UpdateButtonStates(c.P, c.Down);
    EXPECT_EQ(f.A->State(), c.A) << c.P.x;
    EXPECT_EQ(f.B->State(), c.B) << c.P.x;
  }
  EXPECT_EQ(f.Buttons->IndexOfButtonAt(POINT{15, 5}), 1);
  EXPECT_EQ(f.Buttons->IndexOfButtonAt(POINT{11, 5}), -1);
  f.B->SetEnabled(false);
  EXPECT_EQ(f.B->State(), S::Disabled);
  f.Buttons->UpdateButtonStates(POINT{15, 5}, false);
  EXPECT_EQ(f.B->State(), S::Disabled);
  EXPECT_EQ(f.Buttons->IndexOfButtonAt(POINT{15, 5}), -1);
  f.B->SetEnabled(true);
  EXPECT_EQ(f.B->State(), S::Normal);

  const RECT bounds = f.Buttons->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&bounds, &(const RECT&)RECT{0, 0, 22, 10}));
  f.A->SetRect(RECT{});
  const RECT onlyB = f.Buttons->GetBoundsRect();
  EXPECT_TRUE(EqualRect(&onlyB, &f.B->Rect()));
}

// Only a hot button has a hint; Click fires OnClick with the button.
TEST(dxBarCaptionButtons, AHotButtonHasItsHintAndClickFiresOnClick)
{
  TButtonsFixture f;
  f.A->SetHint("Pin");
  bool suppressed = true;
  std::string hint = "x", shortCut = "y";
  EXPECT_FALSE(f.A->GetHintTexts(suppressed, hint, shortCut));
  EXPECT_EQ(hint, "");
  f.Buttons->UpdateButtonStates(POINT{5, 5}, false);
  EXPECT_TRUE(f.A->GetHintTexts(suppressed, hint, shortCut));
  EXPECT_EQ(hint, "Pin");
  EXPECT_EQ(shortCut, "");
  EXPECT_FALSE(suppressed);

  TOwned<TClicks> clicks = MakeOwned<TClicks>();
  f.A->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  f.A->Click();
  EXPECT_EQ(clicks->Senders, std::vector<TObject*>{f.A});
}

// Copying takes every value; a freed screen tip is forgotten by the buttons that showed it.
TEST(dxBarCaptionButtons, CopyingAndScreenTipsFreedMeanwhile)
{
  TButtonsFixture f;
  TOwned<TdxScreenTip> tip = MakeOwned<TdxScreenTip>(nullptr);
  f.A->SetEnabled(false);
  f.A->SetHint("Pin");
  f.A->SetKeyTip("P");
  f.A->SetScreenTip(tip.get());
  f.B->Assign(f.A);
  EXPECT_FALSE(f.B->Enabled());
  EXPECT_EQ(f.B->State(), S::Disabled);
  EXPECT_EQ(f.B->Hint(), "Pin");
  EXPECT_EQ(f.B->KeyTip(), "P");
  EXPECT_TRUE(EqualRect(&f.B->Rect(), &f.A->Rect()));
  EXPECT_EQ(f.B->ScreenTip(), tip.get());
  tip.reset();
  EXPECT_EQ(f.A->ScreenTip(), nullptr);
  EXPECT_EQ(f.B->ScreenTip(), nullptr);
}

// In a floating toolbar's caption: pressed and released over the button clicks it once; released
// elsewhere does not, and the button goes back to normal.
TEST(dxBarCaptionButtons, AButtonInAFloatingCaptionClicksOnlyWhenReleasedOverIt)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  TdxBarManager* manager = New<TdxBarManager>(form);
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption("Tools");
  bar->SetVisible(true);
  form->Show();
  SetForegroundWindow(form->Handle());
  TdxBarCaptionButton* button = bar->CaptionButtons()->Add();
  TOwned<TClicks> clicks = MakeOwned<TClicks>();
  button->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  TdxBarControl* toolbar = New<TdxBarControl>(manager);
  toolbar->SetBar(bar);
  toolbar->SetItemLinks(bar->ItemLinks());
  toolbar->SetBounds(200, 200, 160, 80);
  toolbar->ShowToolbar();
  Pump(30);
  // Where the toolbar's layout puts it: just left of the close button.
  RECT r = toolbar->GetCloseButtonRect();
  OffsetRect(&r, -(r.right - r.left) - 2, 0);
  button->SetRect(r);
  ASSERT_TRUE(toolbar->HasCaptionButtons());
  RECT window{};
  GetWindowRect(toolbar->Handle(), &window);
  const POINT center{window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};

  ASSERT_TRUE(TMouseDrag::Start(center, POINT{center.x - 60, center.y + 60}));
  ASSERT_TRUE(PumpUntil([&] { return TMouseDrag::Done(); }, 5000));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() != toolbar->Handle(); }));
  EXPECT_TRUE(clicks->Senders.empty());
  EXPECT_EQ(button->State(), S::Normal);

  ASSERT_TRUE(ClickAt(center));
  ASSERT_TRUE(PumpUntil([&] { return !clicks->Senders.empty(); }));
  Pump(20);
  EXPECT_EQ(clicks->Senders, std::vector<TObject*>{button});
  Free(toolbar);
}
