// The caption buttons of toolbars: hot tracking and its states, the button under a point, the
// buttons' bounds, hints of hot buttons only, Enabled's state, copying, and screen tips forgotten
// when they go.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ObjectText.h"
#include "tests/support/DibSurface.h"
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
  ASSERT_TRUE(toolbar->HasCaptionButtons());
  toolbar->UpdateCaptionButtonRects();
  const RECT r = button->Rect();
  ASSERT_FALSE(IsRectEmpty(&r));
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

namespace {
// A floating toolbar of the manager's bar, shown at the size.
TdxBarControl* ShowFloating(TdxBarManager* manager, TdxBar* bar, int width)
{
  auto* toolbar = New<TdxBarControl>(manager);
  toolbar->SetBar(bar);
  toolbar->SetItemLinks(bar->ItemLinks());
  toolbar->SetBounds(200, 200, width, 80);
  toolbar->ShowToolbar();
  Pump(30);
  return toolbar;
}

TOwned<TBitmap> BlueGlyph()
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(8, 8);
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(RECT{0, 0, 8, 8});
  glyph->Canvas()->Brush()->SetColor(clFuchsia);  // the left-bottom pixel names the transparent colour
  glyph->Canvas()->FillRect(RECT{0, 7, 1, 8});
  return glyph;
}
}  // namespace

// The buttons take the caption's cells from the close button leftwards, each of the close button's
// size, while they stay in the caption's right half; the frame draws them there with their glyphs,
// a raised edge while hot and a sunken one while pressed; the caption's text ends before them. A
// docked toolbar shows none.
TEST(dxBarCaptionButtons, TheFloatingCaptionPlacesAndDrawsThem)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  TdxBarManager* manager = New<TdxBarManager>(form);
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption("Tools");
  form->Show();
  auto glyph = BlueGlyph();
  std::vector<TdxBarCaptionButton*> buttons;
  for (int i = 0; i < 12; ++i) {
    buttons.push_back(bar->CaptionButtons()->Add());
    buttons.back()->SetGlyph(glyph.get());
  }
  TdxBarControl* toolbar = ShowFloating(manager, bar, 220);
  toolbar->UpdateCaptionButtonRects();
  const RECT close = toolbar->GetCloseButtonRect();
  ASSERT_FALSE(IsRectEmpty(&close));
  const RECT first = buttons[0]->Rect(), second = buttons[1]->Rect();
  EXPECT_EQ(first.right - first.left, close.right - close.left);
  EXPECT_EQ(first.top, close.top);
  EXPECT_LE(first.right, close.left);
  EXPECT_EQ(first.left - second.left, close.left - first.left) << "one cell apart";
  EXPECT_TRUE(IsRectEmpty(&buttons.back()->Rect())) << "twelve do not fit in the right half";
  RECT window{};
  GetWindowRect(toolbar->Handle(), &window);
  EXPECT_GE(buttons[0]->Rect().left, 0);

  const COLORREF blue = RGB(0, 0, 255);
  struct TCase {
    S State;
    COLORREF TopLeft;
    int Shift;
  };
  int restLeft = 0;
  for (const TCase& c : {TCase{S::Normal, 0, 0}, TCase{S::Hot, GetSysColor(COLOR_BTNHIGHLIGHT), 0},
                         TCase{S::Pressed, GetSysColor(COLOR_BTNSHADOW), 1}}) {
    SCOPED_TRACE(static_cast<int>(c.State));
    buttons[0]->SetState(c.State);
    TDibSurface s(window.right - window.left, window.bottom - window.top, RGB(255, 0, 255));
    toolbar->DrawNonClient(s.DC());
    const RECT inside{first.left + 1, first.top + 1, first.right - 1, first.bottom - 1};
    EXPECT_GT(s.Count(inside, blue), 20) << "the glyph";
    RECT glyphAt{};
    for (int x = inside.left; x < inside.right && !glyphAt.right; ++x)
      for (int y = inside.top; y < inside.bottom; ++y)
        if (s.Pixel(x, y) == blue) {
          glyphAt = RECT{x, y, x + 1, y + 1};
          break;
        }
    if (c.State == S::Normal) restLeft = glyphAt.left;
    EXPECT_EQ(glyphAt.left - restLeft, c.Shift);
    if (c.TopLeft) { EXPECT_EQ(s.Pixel(first.left, first.top), c.TopLeft); }
  }
  buttons[0]->SetState(S::Normal);

  toolbar->SetDockingStyle(dsTop);
  toolbar->UpdateCaptionButtonRects();
  EXPECT_TRUE(IsRectEmpty(&buttons[0]->Rect()));
  toolbar->SetDockingStyle(dsNone);
  Free(toolbar);
}

namespace {
class TCaptionButtonsForm : public TForm {
  CL_CLASS(TCaptionButtonsForm, TForm)
public:
  explicit TCaptionButtonsForm(TComponent* owner) : TForm(owner, CreateNew) {}
  std::vector<std::string> Clicked;
  void PinClick(TObject* sender) { Clicked.push_back(static_cast<TdxBarCaptionButton*>(sender)->Hint()); }
};
const TMethodInfo CaptionButtonsFormMethods[] = {
    PublishedMethod<TNotifyEvent, &TCaptionButtonsForm::PinClick>("PinClick"),
};
}  // namespace
CL_DEFINE_CLASS(TCaptionButtonsForm, .Methods = CaptionButtonsFormMethods);

// A stored bar's caption buttons read with their published values and click handler, and a copy of
// the bar copies them.
TEST(dxBarCaptionButtons, StoredButtonsReadAndCopy)
{
  TOwned<TCaptionButtonsForm> form = MakeOwned<TCaptionButtonsForm>(nullptr);
  ReadComponentFromText(R"(object CaptionForm: TCaptionButtonsForm
  object dxBarManager1: TdxBarManager
    object dxBarManager1Bar1: TdxBar
      Caption = 'Tools'
      CaptionButtons = <
        item
          Hint = 'Pin'
          KeyTip = 'P'
          OnClick = PinClick
        end
        item
          Enabled = False
          Hint = 'Off'
        end>
    end
  end
end
)",
                        form.get());
  auto* bar = As<TdxBar>(form->FindComponent("dxBarManager1Bar1"));
  ASSERT_NE(bar, nullptr);
  TdxBarCaptionButtons* buttons = bar->CaptionButtons();
  ASSERT_EQ(buttons->Count(), 2);
  EXPECT_EQ(buttons->GetButton(0)->Hint(), "Pin");
  EXPECT_EQ(buttons->GetButton(0)->KeyTip(), "P");
  EXPECT_TRUE(buttons->GetButton(0)->Enabled());
  EXPECT_FALSE(buttons->GetButton(1)->Enabled());
  EXPECT_EQ(buttons->GetButton(1)->State(), S::Disabled);
  buttons->GetButton(0)->Click();
  EXPECT_EQ(form->Clicked, std::vector<std::string>{"Pin"});

  TdxBar* copy = bar->Collection() ? static_cast<TdxBars*>(bar->Collection())->Add() : nullptr;
  ASSERT_NE(copy, nullptr);
  copy->Assign(bar);
  ASSERT_EQ(copy->CaptionButtons()->Count(), 2);
  EXPECT_EQ(copy->CaptionButtons()->GetButton(1)->Hint(), "Off");
  copy->CaptionButtons()->GetButton(0)->Click();
  EXPECT_EQ(form->Clicked, (std::vector<std::string>{"Pin", "Pin"}));
}
