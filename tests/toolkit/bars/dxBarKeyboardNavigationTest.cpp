// Keyboard navigation among docked toolbars with keys pressed as a user presses them: a form with a
// horizontal toolbar (three buttons and an edit) at the top and a vertical one (three buttons, the
// last a drop-down) at the left. The keys reach the navigation controller through the bar hooks.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarAccessibilityHelpers.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
// A drop-down menu that records where it was asked to open instead of opening.
class TNavRecordingMenu : public TdxBarPopupMenu {
  CL_CLASS(TNavRecordingMenu, TdxBarPopupMenu)
public:
  using TdxBarPopupMenu::TdxBarPopupMenu;
  int Opened = 0;
  void Popup(int, int) override { ++Opened; }
};

class TNavClickCount : public TObject {
  CL_CLASS(TNavClickCount, TObject)
public:
  int Clicks = 0;
  void Clicked(TObject*) { ++Clicks; }
};

struct TKeyboardFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Top = Manager->Bars()->Add();
  TdxBar* Side = Manager->Bars()->Add();
  TNavRecordingMenu* Menu = New<TNavRecordingMenu>(Form);

  TKeyboardFixture()
  {
    Form->SetBounds(100, 100, 520, 360);
    Form->Show();
    Top->SetCaption("Top");
    for (const char* caption : {"&Alpha", "&Beta", "&Gamma"}) AddButton(Top, caption);
    Top->ItemLinks()->AddItem(New<TdxBarEdit>(Form));
    Side->SetCaption("Side");
    for (const char* caption : {"&One", "&Two"}) AddButton(Side, caption);
    TdxBarButton* drop = AddButton(Side, "&Drop");
    drop->SetButtonStyle(bsDropDown);
    drop->SetDropDownMenu(Menu);
    Top->SetDockingStyle(TdxBarDockingStyle::dsTop);
    Side->SetDockingStyle(TdxBarDockingStyle::dsLeft);
    Top->SetVisible(true);
    Side->SetVisible(true);
    Pump(30);
    BringToFront(Form->Handle());
  }
  ~TKeyboardFixture()
  {
    GetNavigationController()->EndKeyboardMode();
    GetNavigationController()->ClearNavigationMode();
  }
  TdxBarButton* AddButton(TdxBar* bar, const char* caption)
  {
    auto* button = New<TdxBarButton>(Form);
    button->SetCaption(caption);
    bar->ItemLinks()->AddItem(button);
    return button;
  }
  // The caption of the selected item's link and its bar ("Top:&Beta"); "" with none selected.
  std::string Current() const
  {
    IdxBarAccessibilityHelper* current = GetNavigationController()->GetCurrentObject();
    for (TdxBar* bar : {Top, Side}) {
      if (!bar) continue;
      for (int i = 0; i < bar->ItemLinks()->Count(); ++i) {
        TdxBarItemControl* control = bar->ItemLinks()->Items(i)->Control();
        if (current && control && control->GetAccessibilityHelper() == current)
          return bar->Caption() + ":" + bar->ItemLinks()->Items(i)->Item()->Caption();
      }
    }
    return "";
  }
  // Presses the key and waits until the selection is the expected one.
  bool Press(WORD key, const std::string& expected, WORD modifier = 0)
  {
    const bool sent = modifier ? PressKey(key, {modifier}) : PressKey(key);
    return sent && PumpUntil([&] { return Current() == expected; });
  }
  TdxBarEditControl* EditControl() const
  {
    return dynamic_cast<TdxBarEditControl*>(Top->ItemLinks()->Items(3)->Control());
  }
  void Enter(TdxBar* bar) { GetNavigationController()->EnterNavigation(bar->GetBarControl()->GetAccessibilityHelper()); }
};
}  // namespace

CL_DEFINE_CLASS(TNavRecordingMenu);
CL_DEFINE_CLASS(TNavClickCount);

// Along the horizontal toolbar Left and Right move and wrap; along the vertical one Up and Down do;
// Tab follows the bar either way; Ctrl+Tab goes to the next toolbar.
TEST(dxBarKeyboardNavigation, ArrowsAndTabMoveAlongEachToolbarAndWrap)
{
  TKeyboardFixture f;
  ASSERT_NE(f.Top->GetBarControl(), nullptr);
  ASSERT_NE(f.Side->GetBarControl(), nullptr);
  ASSERT_TRUE(f.Side->GetBarControl()->IsVertical());
  f.Enter(f.Top);
  ASSERT_EQ(f.Current(), "Top:&Alpha");
  struct TStep {
    WORD Key;
    WORD Modifier;
    const char* Expected;
  };
  const TStep steps[] = {
      {VK_RIGHT, 0, "Top:&Beta"},         {VK_LEFT, 0, "Top:&Alpha"},
      {VK_LEFT, 0, "Top:"},               // wraps to the edit, which an arrow does not put into editing
      {VK_RIGHT, 0, "Top:&Alpha"},        // and back round
      {VK_TAB, 0, "Top:&Beta"},           {VK_TAB, VK_SHIFT, "Top:&Alpha"},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.Expected);
    ASSERT_TRUE(f.Press(step.Key, step.Expected, step.Modifier)) << f.Current();
    EXPECT_TRUE(f.EditControl()->IsNotEditing());
  }

  // Ctrl+Tab: the side toolbar becomes the keyboard's bar, at its first item.
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return GetActiveBarControl() == f.Side->GetBarControl(); }));
  EXPECT_EQ(f.Current(), "Side:&One");
  const TStep side[] = {
      {VK_DOWN, 0, "Side:&Two"},  {VK_UP, 0, "Side:&One"},  {VK_UP, 0, "Side:&Drop"},  // wraps
      {VK_DOWN, 0, "Side:&One"},  {VK_TAB, 0, "Side:&Two"}, {VK_TAB, VK_SHIFT, "Side:&One"},
  };
  for (const TStep& step : side) {
    SCOPED_TRACE(step.Expected);
    ASSERT_TRUE(f.Press(step.Key, step.Expected, step.Modifier)) << f.Current();
  }
  // Ctrl+Tab again returns to the top toolbar.
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return GetActiveBarControl() == f.Top->GetBarControl(); }));
}

// On the vertical toolbar the key across the bar that opens a drop-down (Right, turned to Down) goes
// to the selected drop-down button, which opens its menu; on a plain button it stays a navigation key.
TEST(dxBarKeyboardNavigation, TheSelectedDropDownButtonTakesItsExpandKeyTurnedOnAVerticalBar)
{
  TKeyboardFixture f;
  f.Enter(f.Side);
  ASSERT_EQ(f.Current(), "Side:&One");
  ASSERT_TRUE(f.Press(VK_UP, "Side:&Drop"));
  EXPECT_EQ(f.Menu->Opened, 0);
  ASSERT_TRUE(PressKey(VK_RIGHT));
  ASSERT_TRUE(PumpUntil([&] { return f.Menu->Opened == 1; }));

  // The helpers of the buttons: a drop-down button opens a popup, a plain one does not.
  auto* drop = dynamic_cast<TdxBarButtonControlAccessibilityHelper*>(
      f.Side->ItemLinks()->Items(2)->Control()->GetAccessibilityHelper()->GetBarHelper());
  auto* plain = dynamic_cast<TdxBarButtonControlAccessibilityHelper*>(
      f.Side->ItemLinks()->Items(0)->Control()->GetAccessibilityHelper()->GetBarHelper());
  ASSERT_NE(drop, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_TRUE(drop->OpensPopup());
  EXPECT_FALSE(plain->OpensPopup());
}

// The key tip of a drop-down button selects it and opens its menu without clicking it; a plain
// button's key tip leaves keyboard mode and clicks.
TEST(dxBarKeyboardNavigation, ADropDownButtonsKeyTipOpensItsMenu)
{
  TKeyboardFixture f;
  auto counter = MakeOwned<TNavClickCount>();
  const int& clicks = counter->Clicks;
  for (int i : {0, 2})
    f.Side->ItemLinks()->Items(i)->Item()->SetOnClick(TNotifyEvent(counter.get(), &TNavClickCount::Clicked));
  f.Enter(f.Side);
  IdxBarAccessibilityHelper* drop = f.Side->ItemLinks()->Items(2)->Control()->GetAccessibilityHelper();
  drop->GetBarHelper()->ExecuteKeyTip(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return f.Menu->Opened == 1; }));
  EXPECT_EQ(f.Current(), "Side:&Drop");
  EXPECT_EQ(clicks, 0);

  f.Side->ItemLinks()->Items(0)->Control()->GetAccessibilityHelper()->GetBarHelper()->ExecuteKeyTip(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_EQ(f.Current(), "");
}

// Tab into the edit starts editing where an arrow did not; Escape steps out and ends keyboard mode.
TEST(dxBarKeyboardNavigation, TabIntoTheEditStartsEditingAndEscapeEndsKeyboardMode)
{
  TKeyboardFixture f;
  f.Enter(f.Top);
  ASSERT_TRUE(f.Press(VK_LEFT, "Top:"));
  EXPECT_TRUE(f.EditControl()->IsNotEditing());
  ASSERT_TRUE(f.Press(VK_LEFT, "Top:&Gamma"));
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_TRUE(PumpUntil([&] { return !f.EditControl()->IsNotEditing(); }));

  // Escape in the edit leaves it; the keyboard mode ends with it.
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(PumpUntil([&] { return f.EditControl()->IsNotEditing(); }));

  // Escape on a button steps out: nothing is selected and no bar is the keyboard's any more, so the
  // arrows are the focused window's again.
  f.Enter(f.Top);
  ASSERT_EQ(f.Current(), "Top:&Alpha");
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(PumpUntil([&] { return f.Current().empty() && GetActiveBarControl() == nullptr; }));
  ASSERT_TRUE(PressKey(VK_RIGHT));
  Pump(30);
  EXPECT_EQ(f.Current(), "");
}

// A mouse press elsewhere ends keyboard mode; freeing the selected object's toolbar clears the
// selection, and the keys after it raise nothing.
TEST(dxBarKeyboardNavigation, AMousePressAndFreeingTheToolbarEndTheSelectionQuietly)
{
  TKeyboardFixture f;
  f.Enter(f.Side);
  ASSERT_TRUE(f.Press(VK_DOWN, "Side:&Two"));
  RECT client{};
  GetClientRect(f.Form->Handle(), &client);
  POINT p{client.right - 20, client.bottom - 20};
  ClientToScreen(f.Form->Handle(), &p);
  ASSERT_TRUE(ClickAt(p));
  ASSERT_TRUE(PumpUntil([&] { return f.Current().empty() && GetActiveBarControl() == nullptr; }));

  f.Enter(f.Side);
  ASSERT_TRUE(f.Press(VK_DOWN, "Side:&Two"));
  EXPECT_NO_THROW(Free(std::exchange(f.Side, nullptr)));
  Pump(20);
  EXPECT_EQ(GetNavigationController()->GetCurrentObject(), nullptr);
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  Pump(30);
  EXPECT_EQ(f.Current(), "");
  EXPECT_EQ(GetActiveBarControl(), nullptr);
}
