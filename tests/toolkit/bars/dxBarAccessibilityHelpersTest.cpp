// The helpers of real bar objects: a floating toolbar with three buttons and an edit, walked and
// driven through the navigation controller.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarAccessibilityHelpers.h"
#include "toolkit/bars/dxBarButtons.h"
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
