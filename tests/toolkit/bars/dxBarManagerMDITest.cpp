// The manager of an MDI parent form that is the main form follows its active child on real MDI
// windows: merging of the child's main menu bar (by the bars or by OnMenuMerge), the change
// reports, the system commands of the MDI buttons, and the child keeping its bounds throughout.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/Application.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"

namespace {
struct TMDILog : TObject {
  std::vector<std::string> Events;
  void MenuMerge(TObject*, TdxBarManager* child, bool add)
  {
    Events.push_back(std::string(add ? "menu+" : "menu-") + child->Owner()->Name());
  }
  void Merge(TObject*, TdxBarManager* child, bool add)
  {
    Events.push_back(std::string(add ? "merge+" : "merge-") + child->Owner()->Name());
  }
  void ChildChanged(TObject*, const TcxEventArgs& args)
  {
    const auto& a = static_cast<const TdxBarMDIChildChangedEventArgs&>(args);
    static const char* const Kinds[] = {"activated", "deactivated", "maximized"};
    Events.push_back(Kinds[static_cast<int>(a.Change)]);
  }
  void Closing(TObject*, TCloseAction& action)
  {
    Events.push_back("close");
    action = TCloseAction::caNone;
  }
};

// A main menu bar with one item of the caption.
TdxBar* AddMainMenu(TdxBarManager* manager, const std::string& caption)
{
  TdxBar* bar = manager->Bars()->Add();
  bar->SetCaption(caption + " menu");
  bar->SetIsMainMenu(true);
  auto* item = New<TdxBarButton>(manager->Owner());
  item->SetCaption(caption);
  bar->ItemLinks()->AddItem(item);
  bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
  bar->SetVisible(true);
  return bar;
}

// The application's main form as an MDI parent with a bar manager and its main menu bar.
struct TMDIBarsFixture {
  TForm* Parent = nullptr;
  TdxBarManager* Manager = nullptr;
  TdxBar* MainMenu = nullptr;
  TOwned<TMDILog> L = MakeOwned<TMDILog>();

  TMDIBarsFixture()
  {
    Parent = static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()));
    Parent->SetFormStyle(TFormStyle::fsMDIForm);
    Parent->SetBounds(20, 20, 640, 480);
    Manager = New<TdxBarManager>(Parent);
    MainMenu = AddMainMenu(Manager, "Parent");
    Manager->OnMDIChildChanged()->Add(TcxEventHandler(L.get(), &TMDILog::ChildChanged));
    Parent->Show();
    HandleWaitingMessages();
  }
  ~TMDIBarsFixture()
  {
    Free(Parent);
    HandleWaitingMessages();
  }
  TForm* NewChild(const std::string& name, bool withMenu = true)
  {
    auto* child = New<TForm>(Parent, CreateNew);
    child->SetName(name);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->SetBounds(10, 10, 300, 200);
    child->Show();
    if (withMenu) AddMainMenu(New<TdxBarManager>(child), name);
    HandleWaitingMessages();
    return child;
  }
  static TdxBar* MenuOf(TForm* child) { return As<TdxBarManager>(child->Components(0))->GetMainMenuBar(); }
  void SetState(TForm* child, TWindowState state)
  {
    child->SetWindowState(state);
    HandleWaitingMessages();
  }
  std::vector<std::string> TakeEvents() { return std::exchange(L->Events, {}); }
};

using TEvents = std::vector<std::string>;
}  // namespace

TEST(dxBarManagerMDI, TheManagerFollowsTheActiveChildAndItsMaximizedState)
{
  TMDIBarsFixture f;
  ASSERT_EQ(Application->MainForm(), f.Parent);
  TForm* one = f.NewChild("One");
  EXPECT_EQ(f.Manager->ActiveMDIChild(), one->Handle());
  EXPECT_FALSE(f.Manager->IsMDIChildMaximized());
  TForm* two = f.NewChild("Two");
  EXPECT_EQ(f.Manager->ActiveMDIChild(), two->Handle());
  f.TakeEvents();

  f.SetState(two, TWindowState::wsMaximized);
  EXPECT_TRUE(f.Manager->IsMDIChildMaximized());
  EXPECT_EQ(f.TakeEvents(), (TEvents{"maximized"}));
  // Activating the other child while maximized keeps the maximized state with the new child.
  one->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(f.Manager->ActiveMDIChild(), one->Handle());
  EXPECT_TRUE(f.Manager->IsMDIChildMaximized());
  // (The MDI client may restore the old child before it maximizes the new one.)
  const TEvents switched = f.TakeEvents();
  EXPECT_NE(std::find(switched.begin(), switched.end(), "activated"), switched.end());
  f.SetState(one, TWindowState::wsNormal);
  EXPECT_FALSE(f.Manager->IsMDIChildMaximized());
  EXPECT_EQ(f.TakeEvents(), (TEvents{"maximized"}));
}

TEST(dxBarManagerMDI, TheMDIButtonsCommandsReachTheActiveChild)
{
  TMDIBarsFixture f;
  TForm* one = f.NewChild("One");
  f.Manager->SendMDIChildSysCommand(TdxBarMDIButton::Minimize);
  HandleWaitingMessages();
  EXPECT_TRUE(IsIconic(one->Handle()));
  f.Manager->SendMDIChildSysCommand(TdxBarMDIButton::Restore);
  HandleWaitingMessages();
  EXPECT_FALSE(IsIconic(one->Handle()));
  one->SetOnClose(TCloseEvent(f.L.get(), &TMDILog::Closing));
  f.TakeEvents();
  f.Manager->SendMDIChildSysCommand(TdxBarMDIButton::Close);
  HandleWaitingMessages();
  EXPECT_EQ(f.TakeEvents(), (TEvents{"close"}));
}

TEST(dxBarManagerMDI, AChildsMainMenuMergesWhileMaximizedUnlessAlwaysMerged)
{
  TMDIBarsFixture f;
  f.Manager->SetOnMerge(TdxBarMergeEvent(f.L.get(), &TMDILog::Merge));
  TForm* one = f.NewChild("One");
  TdxBar* menu = TMDIBarsFixture::MenuOf(one);
  // Restored: not merged.
  EXPECT_EQ(menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(menu->Visible());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 1);

  const RECT before = one->BoundsRect();
  f.TakeEvents();
  f.SetState(one, TWindowState::wsMaximized);
  EXPECT_EQ(menu->MergeData()->MergedWith, f.MainMenu);
  EXPECT_FALSE(menu->Visible());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 2);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"merge+One", "maximized"}));

  f.SetState(one, TWindowState::wsNormal);
  EXPECT_EQ(menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(menu->Visible());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 1);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"merge-One", "maximized"}));
  const RECT after = one->BoundsRect();
  EXPECT_TRUE(EqualRect(&before, &after));

  // Always merged: merged as soon as it is active (and unmerged when another child takes over),
  // maximized or not.
  f.Manager->SetAlwaysMerge(true);
  TForm* two = f.NewChild("Two");
  f.TakeEvents();
  one->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(menu->MergeData()->MergedWith, f.MainMenu);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"merge-Two", "deactivated", "merge+One", "activated"}));
  two->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(menu->MergeData()->MergedWith, nullptr);
  EXPECT_EQ(TMDIBarsFixture::MenuOf(two)->MergeData()->MergedWith, f.MainMenu);
  f.TakeEvents();
  f.SetState(two, TWindowState::wsMaximized);
  EXPECT_EQ(TMDIBarsFixture::MenuOf(two)->MergeData()->MergedWith, f.MainMenu);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"maximized"}));
}

TEST(dxBarManagerMDI, OnMenuMergeTakesTheMergeAndTheChildsBarHidesWithoutMovingIt)
{
  TMDIBarsFixture f;
  f.Manager->SetOnMenuMerge(TdxBarMergeEvent(f.L.get(), &TMDILog::MenuMerge));
  TForm* one = f.NewChild("One");
  TdxBar* menu = TMDIBarsFixture::MenuOf(one);
  f.TakeEvents();

  const RECT recorded = one->BoundsRect();
  f.SetState(one, TWindowState::wsMaximized);
  const RECT maximized = one->WindowBoundsRect();
  EXPECT_EQ(f.TakeEvents(), (TEvents{"menu+One", "maximized"}));
  EXPECT_EQ(menu->MergeData()->MergedWith, f.MainMenu);
  EXPECT_FALSE(menu->Visible());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 1) << "the handler merges, not the bars";
  // Hiding the bar neither moved the maximized window nor lost the bounds to restore to.
  RECT now = one->WindowBoundsRect();
  EXPECT_TRUE(EqualRect(&now, &maximized));

  f.SetState(one, TWindowState::wsNormal);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"menu-One", "maximized"}));
  EXPECT_EQ(menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(menu->Visible());
  now = one->WindowBoundsRect();
  EXPECT_TRUE(EqualRect(&now, &recorded));
  const RECT after = one->BoundsRect();
  EXPECT_TRUE(EqualRect(&after, &recorded));
}

TEST(dxBarManagerMDI, AChildWithoutBarsOrManagerIsOnlyReported)
{
  TMDIBarsFixture f;
  f.Manager->SetOnMerge(TdxBarMergeEvent(f.L.get(), &TMDILog::Merge));
  TForm* plain = f.NewChild("Plain", false);
  f.TakeEvents();
  f.SetState(plain, TWindowState::wsMaximized);
  EXPECT_TRUE(f.Manager->IsMDIChildMaximized());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 1);
  EXPECT_EQ(f.TakeEvents(), (TEvents{"maximized"}));
  EXPECT_FALSE(f.Manager->OwnerIsMDIChildForm(false));
  EXPECT_FALSE(f.Manager->OwnerIsMDIChildForm(true));
}

TEST(dxBarManagerMDI, ChildCyclesLeaveNoWindowsOrGdiObjects)
{
  TMDIBarsFixture f;
  f.NewChild("Warm")->Close();
  HandleWaitingMessages();
  const int windowsBefore = ThreadWindowCount(), gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    TForm* child = f.NewChild("C" + std::to_string(i));
    TdxBarManager* manager = As<TdxBarManager>(child->Components(0));
    EXPECT_TRUE(manager->OwnerIsMDIChildForm(false));
    f.SetState(child, TWindowState::wsMaximized);
    f.SetState(child, TWindowState::wsNormal);
    f.SetState(child, TWindowState::wsMaximized);
    child->Close();
    HandleWaitingMessages();
  }
  EXPECT_EQ(f.Manager->ActiveMDIChild(), nullptr);
  EXPECT_FALSE(f.Manager->IsMDIChildMaximized());
  EXPECT_TRUE(f.MainMenu->MergeData()->MergedBars.empty());
  EXPECT_EQ(f.MainMenu->ItemLinks()->Count(), 1);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}
