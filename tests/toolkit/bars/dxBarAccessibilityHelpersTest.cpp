// The helpers of real bar objects: a floating toolbar with three buttons and an edit, walked and
// driven through the navigation controller.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarAccessibilityHelpers.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
// Records, at each click, whether the clicked item was to be unclicked after it.
class TClickLog : public TObject {
  CL_CLASS(TClickLog, TObject)
public:
  std::vector<bool> UnclickDuringClick;
  void Clicked(TObject* sender) { UnclickDuringClick.push_back(static_cast<TdxBarItem*>(sender)->UnclickAfterDoing()); }
};

struct THelperToolbarFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;

  THelperToolbarFixture()
  {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Bar->SetCaption("Tools");
    for (const char* caption : {"&Open", "&Options", "&Save"}) {
      auto* button = New<TdxBarButton>(Form);
      button->SetCaption(caption);
      Bar->ItemLinks()->AddItem(button);
    }
    Bar->ItemLinks()->AddItem(New<TdxBarEdit>(Form));
    Pump(30);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetBounds(200, 200, 300, 60);
    Toolbar->ShowToolbar();
    Pump(30);
    // The toolbar's layout places the links one after another in its view info.
    Toolbar->CalcViewInfo();
  }
  ~THelperToolbarFixture()
  {
    GetNavigationController()->EndKeyboardMode();
    GetNavigationController()->ClearNavigationMode();
    Free(Toolbar);
  }
  IdxBarAccessibilityHelper* ItemHelper(int index) const
  {
    return Bar->ItemLinks()->Items(index)->Control()->GetAccessibilityHelper();
  }
  int CurrentIndex() const
  {
    IdxBarAccessibilityHelper* current = GetNavigationController()->GetCurrentObject();
    for (int i = 0; i < Bar->ItemLinks()->Count(); ++i)
      if (current && current == ItemHelper(i)) return i;
    return -1;
  }
};
}  // namespace

CL_DEFINE_CLASS(TClickLog);

TEST(dxBarAccessibilityHelpers, AToolbarsItemsFormItsTreeAndTheKeysMoveAmongThem)
{
  THelperToolbarFixture f;
  IdxBarAccessibilityHelper* toolbar = f.Toolbar->GetAccessibilityHelper();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar, f.Toolbar->GetAccessibilityHelper());  // made once
  TcxAccessibilityHelper* node = toolbar->GetHelper();
  ASSERT_EQ(node->CountChildren(), 4);
  EXPECT_EQ(node->GetParentHelper(), nullptr);  // floating
  EXPECT_EQ(node->GetStateFlags(0), 0u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(node->ChildAt(i), f.ItemHelper(i)->GetHelper());
    EXPECT_EQ(f.ItemHelper(i)->GetHelper()->GetParentHelper(), node);
    EXPECT_EQ(f.ItemHelper(i)->GetRootObject(), toolbar);
  }
  EXPECT_EQ(toolbar->GetOwningManager(), f.Manager);

  TdxBarNavigationController* controller = GetNavigationController();
  controller->EnterNavigation(toolbar);
  EXPECT_EQ(f.CurrentIndex(), 0);
  controller->DispatchKey(VK_RIGHT, {});
  EXPECT_EQ(f.CurrentIndex(), 1);
  controller->DispatchKey(VK_TAB, {});
  EXPECT_EQ(f.CurrentIndex(), 2);
  controller->DispatchKey(VK_TAB, {TShiftStateFlag::ssShift});
  EXPECT_EQ(f.CurrentIndex(), 1);
  controller->DispatchKey(VK_LEFT, {});
  EXPECT_EQ(f.CurrentIndex(), 0);
  // An arrow onto the edit selects it without editing (the bar's navigation flags hold 0x02).
  controller->DispatchKey(VK_RIGHT, {});
  controller->DispatchKey(VK_RIGHT, {});
  controller->DispatchKey(VK_RIGHT, {});
  EXPECT_EQ(f.CurrentIndex(), 3);
  EXPECT_TRUE(dynamic_cast<TdxBarEditControl*>(f.Bar->ItemLinks()->Items(3)->Control())->IsNotEditing());
  // Ctrl+Tab goes to the next toolbar: there is none.
  EXPECT_EQ(toolbar->GetBarHelper()->FindSelectableFrom(0, {TShiftStateFlag::ssCtrl}), nullptr);

  // The key tips of the buttons: their accelerators, made unique; the edit's default "Y".
  TdxBarKeyTipList tips;
  toolbar->GetBarHelper()->BuildKeyTips(tips);
  ASSERT_EQ(tips.size(), 4u);
  EXPECT_EQ(tips[0]->Info().KeyTip, "O1");
  EXPECT_EQ(tips[1]->Info().KeyTip, "O2");
  EXPECT_EQ(tips[2]->Info().KeyTip, "S");
  EXPECT_EQ(tips[3]->Info().KeyTip, "Y");
  EXPECT_TRUE(tips[0]->Info().Enabled);

  // Typing a button's key tip leaves keyboard mode and clicks it with UnclickAfterDoing off for the
  // click, restored afterwards.
  auto log = MakeOwned<TClickLog>();
  TdxBarItem* open = f.Bar->ItemLinks()->Items(0)->Item();
  open->SetOnClick(TNotifyEvent(log.get(), &TClickLog::Clicked));
  open->SetUnclickAfterDoing(true);
  tips[0]->Info().OnExecute(nullptr);
  Pump(30);
  EXPECT_EQ(log->UnclickDuringClick, std::vector<bool>{false});
  EXPECT_TRUE(open->UnclickAfterDoing());
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);
}

TEST(dxBarAccessibilityHelpers, TabIntoAnEditStartsEditingAndFreeingTheToolbarForgetsTheSelection)
{
  THelperToolbarFixture f;
  TdxBarNavigationController* controller = GetNavigationController();
  controller->EnterNavigation(f.Toolbar->GetAccessibilityHelper());
  controller->DispatchKey(VK_TAB, {});
  controller->DispatchKey(VK_TAB, {});
  EXPECT_EQ(f.CurrentIndex(), 2);
  controller->DispatchKey(VK_TAB, {});
  Pump(30);
  auto* edit = dynamic_cast<TdxBarEditControl*>(f.Bar->ItemLinks()->Items(3)->Control());
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(edit->IsNotEditing());

  Free(std::exchange(f.Toolbar, nullptr));
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);
  EXPECT_NO_THROW(controller->DispatchKey(VK_RIGHT, {}));
}

TEST(dxBarAccessibilityHelpers, ADockedToolbarHangsUnderItsDocksHelper)
{
  THelperToolbarFixture f;
  TdxDockControl* top = f.Manager->Bars()->DockControls(TdxBarDockingStyle::dsTop);
  ASSERT_NE(top, nullptr);
  IdxBarAccessibilityHelper* dock = top->GetAccessibilityHelper();
  EXPECT_EQ(dock->GetHelper()->CountChildren(), 0);
  EXPECT_EQ(dock->GetOwningManager(), f.Manager);

  TdxBar* bar = f.Manager->Bars()->Add();
  auto* docked = New<TdxBarControl>(f.Manager);
  docked->SetBar(bar);
  docked->SetItemLinks(bar->ItemLinks());
  docked->BeginInternalChange();
  docked->SetDockingStyle(TdxBarDockingStyle::dsTop);
  docked->SetRealDockControl(top);
  top->DockBarAt(docked, top->ClientToScreen(POINT{0, 0}), true);
  docked->EndInternalChange();
  docked->ShowToolbar();
  Pump(20);
  EXPECT_EQ(dock->GetHelper()->CountChildren(), 1);
  EXPECT_EQ(dock->GetHelper()->ChildAt(0), docked->GetAccessibilityHelper()->GetHelper());
  EXPECT_EQ(docked->GetAccessibilityHelper()->GetHelper()->GetParentHelper(), dock->GetHelper());
  EXPECT_EQ(docked->GetAccessibilityHelper()->GetRootObject(), dock);
  EXPECT_EQ(f.Toolbar->GetAccessibilityHelper()->GetHelper()->GetParentHelper(), nullptr);  // floating

  top->RemoveBarControl(docked, nullptr, false);
  Free(docked);
  EXPECT_EQ(dock->GetHelper()->CountChildren(), 0);
}

namespace {
// Records the senders of caption-button clicks.
class TCaptionClicks : public TObject {
  CL_CLASS(TCaptionClicks, TObject)
public:
  std::vector<TObject*> Senders;
  void Clicked(TObject* sender) { Senders.push_back(sender); }
};
}  // namespace

CL_DEFINE_CLASS(TCaptionClicks);

// The caption buttons hang under the toolbar after its items, walked from the last button to the
// first; a shown one is selectable, shows hot while selected, and Enter clicks it.
TEST(dxBarAccessibilityHelpers, CaptionButtonsAreTheToolbarsLastChildWalkedInReverse)
{
  THelperToolbarFixture f;
  auto clicks = MakeOwned<TCaptionClicks>();
  TdxBarCaptionButton* first = f.Bar->CaptionButtons()->Add();
  TdxBarCaptionButton* second = f.Bar->CaptionButtons()->Add();
  TdxBarCaptionButton* hidden = f.Bar->CaptionButtons()->Add();
  first->SetKeyTip("KQXZ");
  for (TdxBarCaptionButton* button : {first, second, hidden})
    button->SetOnClick(TNotifyEvent(clicks.get(), &TCaptionClicks::Clicked));
  // Where a layout would put them, in window coordinates, left of the close button.
  first->SetRect(RECT{100, 4, 112, 16});
  second->SetRect(RECT{114, 4, 126, 16});
  ASSERT_TRUE(f.Toolbar->HasCaptionButtons());

  TcxAccessibilityHelper* toolbar = f.Toolbar->GetAccessibilityHelper()->GetHelper();
  ASSERT_EQ(toolbar->CountChildren(), 5);
  IdxBarAccessibilityHelper* buttons = f.Bar->CaptionButtons()->GetAccessibilityHelper();
  EXPECT_EQ(toolbar->ChildAt(4), buttons->GetHelper());
  EXPECT_EQ(toolbar->IndexOfChild(buttons->GetHelper()), 4);
  EXPECT_EQ(buttons->GetHelper()->GetParentHelper(), toolbar);
  ASSERT_EQ(buttons->GetHelper()->CountChildren(), 3);
  const std::vector<TdxBarCaptionButton*> order{hidden, second, first};
  for (int i = 0; i < 3; ++i) {
    IdxBarAccessibilityHelper* child = order[i]->GetAccessibilityHelper();
    EXPECT_EQ(buttons->GetHelper()->ChildAt(i), child->GetHelper());
    EXPECT_EQ(buttons->GetHelper()->IndexOfChild(child->GetHelper()), i);
    EXPECT_EQ(child->GetHelper()->GetParentHelper(), buttons->GetHelper());
    EXPECT_EQ(child->GetOwningManager(), f.Manager);
    EXPECT_EQ(child->GetHelper()->GetOwnerWindow(), f.Toolbar->Handle());
  }

  // Shown buttons are visible and selectable, with their rectangles on screen; a button with no
  // rectangle is neither.
  RECT window{};
  GetWindowRect(f.Toolbar->Handle(), &window);
  const RECT bounds = buttons->GetHelper()->GetBoundsOnScreen(0);
  EXPECT_EQ(bounds.left, window.left + 100);
  EXPECT_EQ(bounds.right, window.left + 126);
  EXPECT_EQ(bounds.top, window.top + 4);
  EXPECT_EQ(buttons->GetHelper()->GetStateFlags(0), 0u);
  EXPECT_EQ(second->GetAccessibilityHelper()->GetHelper()->GetBoundsOnScreen(0).left, window.left + 114);
  EXPECT_TRUE(second->GetAccessibilityHelper()->GetHelper()->AsSelectable());
  EXPECT_EQ(hidden->GetAccessibilityHelper()->GetHelper()->GetStateFlags(0), cxSTATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(hidden->GetAccessibilityHelper()->GetHelper()->AsSelectable());
  EXPECT_FALSE(buttons->GetHelper()->AsSelectable());

  // Selected by the keyboard the button shows hot; Enter unselects and clicks it.
  TdxBarNavigationController* controller = GetNavigationController();
  controller->EnterNavigation(f.Toolbar->GetAccessibilityHelper());
  controller->MoveSelection(false, second->GetAccessibilityHelper());
  EXPECT_EQ(controller->GetCurrentObject(), second->GetAccessibilityHelper());
  EXPECT_EQ(second->State(), TdxBarCaptionButtonState::Hot);
  EXPECT_TRUE(second->GetAccessibilityHelper()->AcceptsNavigationKey(VK_SPACE));
  EXPECT_FALSE(second->GetAccessibilityHelper()->AcceptsNavigationKey(VK_LEFT));
  controller->DispatchKey(VK_RETURN, {});
  Pump(20);
  EXPECT_EQ(clicks->Senders, std::vector<TObject*>{second});
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);
  EXPECT_EQ(second->State(), TdxBarCaptionButtonState::Normal);

  // Their key tips, after the items': the shown buttons only, from the last; the assigned one cut
  // to three characters, else "Y", made unique with the edit's. Building them raises nothing
  // although no toolbar places caption-button key tips. The key tip clicks through the toolbar.
  TdxBarKeyTipList tips;
  EXPECT_NO_THROW(f.Toolbar->GetAccessibilityHelper()->GetBarHelper()->BuildKeyTips(tips));
  std::vector<std::string> texts;
  for (auto& tip : tips) texts.push_back(tip->Info().KeyTip);
  EXPECT_EQ(texts, (std::vector<std::string>{"O1", "O2", "S", "Y1", "Y2", "KQX"}));
  first->GetAccessibilityHelper()->GetBarHelper()->ExecuteKeyTip(nullptr);
  Pump(20);
  EXPECT_EQ(clicks->Senders, (std::vector<TObject*>{second, first}));

  // A button freed while selected is forgotten.
  controller->EnterNavigation(f.Toolbar->GetAccessibilityHelper());
  controller->MoveSelection(false, first->GetAccessibilityHelper());
  Free(first);
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);
  EXPECT_EQ(buttons->GetHelper()->CountChildren(), 2);
}

namespace {
// A toolbar that shows a mark at a fixed place of its client area and records its mark states.
class TMarkedToolbar : public TdxBarControl {
  CL_CLASS(TMarkedToolbar, TdxBarControl)
public:
  using TdxBarControl::TdxBarControl;
  bool Marked = true;
  std::vector<int> MarkStates;
  bool HasMark() const override { return Marked; }
  RECT GetMarkRect() const override { return RECT{280, 2, 292, 20}; }
  void SetMarkState(int value) override { MarkStates.push_back(value); }
};
}  // namespace

CL_DEFINE_CLASS(TMarkedToolbar);

// The mark is selectable while the toolbar shows it, at its client rectangle on screen; Enter opens
// it, Left is not its key.
TEST(dxBarAccessibilityHelpers, TheMarkOpensByEnterWhileTheToolbarShowsIt)
{
  THelperToolbarFixture f;
  auto* toolbar = New<TMarkedToolbar>(f.Manager);
  toolbar->SetBar(f.Bar);
  toolbar->SetItemLinks(f.Bar->ItemLinks());
  toolbar->SetBounds(200, 300, 300, 60);
  toolbar->ShowToolbar();
  Pump(20);
  IdxBarAccessibilityHelper* mark = toolbar->GetMarkAccessibilityHelper();
  EXPECT_EQ(mark, toolbar->GetMarkAccessibilityHelper());
  EXPECT_EQ(mark->GetHelper()->GetParentHelper(), toolbar->GetAccessibilityHelper()->GetHelper());
  EXPECT_EQ(mark->GetOwningManager(), f.Manager);
  EXPECT_EQ(mark->GetHelper()->GetOwnerWindow(), toolbar->Handle());
  EXPECT_TRUE(mark->GetHelper()->AsSelectable());
  POINT origin{0, 0};
  ClientToScreen(toolbar->Handle(), &origin);
  const RECT bounds = mark->GetHelper()->GetBoundsOnScreen(0);
  EXPECT_EQ(bounds.left, origin.x + 280);
  EXPECT_EQ(bounds.bottom, origin.y + 20);

  TdxBarNavigationController* controller = GetNavigationController();
  controller->EnterNavigation(toolbar->GetAccessibilityHelper());
  controller->MoveSelection(false, mark);
  EXPECT_EQ(controller->GetCurrentObject(), mark);
  EXPECT_TRUE(mark->AcceptsNavigationKey(VK_ESCAPE));
  WORD left = VK_LEFT;
  EXPECT_FALSE(mark->ProcessNavigationKey(left));
  controller->DispatchKey(VK_RETURN, {});
  EXPECT_EQ(toolbar->MarkStates, std::vector<int>{dxBarMarkDropped});
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);

  toolbar->Marked = false;
  EXPECT_EQ(mark->GetHelper()->GetStateFlags(0), cxSTATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(mark->GetHelper()->AsSelectable());
  const RECT gone = mark->GetHelper()->GetBoundsOnScreen(0);
  EXPECT_TRUE(IsRectEmpty(&gone));
  Free(toolbar);
}
