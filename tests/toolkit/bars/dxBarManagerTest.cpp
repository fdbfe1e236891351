// The bar manager: who may own one, the manager list and its hooks, defaults and setter rules,
// change reports, the docking rule, names, the bars-update lock and the lookups.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Dialogs.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxHooks.h"

namespace {
constexpr TdxHookKind BarHookKinds[] = {TdxHookKind::hkKeyboard, TdxHookKind::hkMouse, TdxHookKind::hkCallWndProc};
constexpr TdxHookProc BarHookProcs[] = {BarKeyboardHookProc, BarMouseHookProc, BarCallWndProcHookProc};

// How many of the three bar hook procedures are registered with the hook controller, each under its
// own kind with its hook installed.
int InstalledBarHooks()
{
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    TdxSystemHook& hook = dxHookController()->SystemHook(BarHookKinds[i]);
    if (hook.HasClientProc(BarHookProcs[i]) && hook.Handle()) ++count;
  }
  return count;
}

std::string RefusalOf(TComponent* owner)
{
  try {
    New<TdxBarManager>(owner);
  } catch (const EdxException& e) {
    return e.Message();
  }
  return "(made)";
}

int ManagerCount() { return GetBarManagerList()->Count(); }

// Records what the form designer is told.
struct TDesignerRecorder : IDesignerNotify {
  int Count = 0;
  void Modified() override { ++Count; }
};

struct TBoxCall {
  std::string Text, Caption;
  UINT Flags;
};
std::vector<TBoxCall> GBoxes;
int GBoxAnswer = IDYES;

int WINAPI RecordBox(HWND, const char* text, const char* caption, UINT flags)
{
  GBoxes.push_back({text, caption, flags});
  return GBoxAnswer;
}
}  // namespace

TEST(dxBarManager, AFormAndAWindowedControlInItHaveOneManagerEachAndOtherOwnersAreRefused)
{
  TFormGuard guard{NewForm()};
  TPanel* panel = NewPanel(guard.Form);
  auto* plain = New<TComponent>(guard.Form);
  const int before = ManagerCount();

  auto* formManager = New<TdxBarManager>(guard.Form);
  auto* panelManager = New<TdxBarManager>(panel);
  EXPECT_EQ(formManager->GetOwnerControl(), guard.Form);
  EXPECT_EQ(panelManager->GetOwnerControl(), panel);
  ASSERT_EQ(ManagerCount(), before + 2);
  EXPECT_EQ(GetBarManagerList()->GetManager(before), formManager) << "the list keeps creation order";
  EXPECT_EQ(GetBarManagerList()->GetManager(before + 1), panelManager);
  EXPECT_EQ(GetBarManagerList()->GetManager(before + 2), nullptr);

  const int components = guard.Form->ComponentCount();
  EXPECT_EQ(RefusalOf(guard.Form), "A control should contain only a single TdxBarManager");
  EXPECT_EQ(RefusalOf(panel), "A control should contain only a single TdxBarManager");
  EXPECT_EQ(RefusalOf(plain), "TdxBarManager should have TWinControl as its Owner");
  EXPECT_EQ(RefusalOf(nullptr), "TdxBarManager should have TWinControl as its Owner") << "no main form here";
  // A refused manager touched no list and no owner.
  EXPECT_EQ(ManagerCount(), before + 2);
  EXPECT_EQ(guard.Form->ComponentCount(), components);
  EXPECT_EQ(panel->ComponentCount(), 1) << "the panel holds only its own manager";

  EXPECT_EQ(FindBarManagerOfComponent(guard.Form), formManager);
  EXPECT_EQ(FindBarManagerOfComponent(panel), panelManager);
  EXPECT_EQ(FindBarManagerOfComponent(formManager), formManager);
  EXPECT_EQ(FindBarManagerOfComponent(plain), nullptr);
  EXPECT_EQ(FindBarManagerOfComponent(nullptr), nullptr);
  // Through windows: the panel's inner child windows find the nearest manager outwards.
  TPanel* inner = NewPanel(panel, 5, 5);
  guard.Form->HandleNeeded();
  EXPECT_EQ(FindBarManagerOfWindow(inner->Handle()), nullptr) << "the inner panel has no manager of its own";
  EXPECT_EQ(FindBarManagerAroundComponent(inner), panelManager);
  EXPECT_EQ(FindBarManagerAroundComponent(plain), formManager);
  EXPECT_TRUE(IsManagerInsideWindow(panelManager, guard.Form->Handle()));
  EXPECT_FALSE(IsManagerInsideWindow(formManager, panel->Handle()));
  EXPECT_TRUE(ManagerOwnerContainsControl(formManager, inner));
  EXPECT_FALSE(ManagerOwnerContainsControl(panelManager, guard.Form));
  EXPECT_EQ(GetManagerFormOfKind(panelManager, TdxParentFormKind::pfkAnyForm), guard.Form);
  EXPECT_EQ(panelManager->GetParentManager(), formManager);
  EXPECT_EQ(formManager->GetParentManager(), nullptr);

  Free(panelManager);
  EXPECT_EQ(ManagerCount(), before + 1);
  // The panel may have a manager again.
  EXPECT_NO_THROW(New<TdxBarManager>(panel));
}

TEST(dxBarManager, TheFirstManagerInstallsTheThreeHooksAndTheLastRemovesThem)
{
  ASSERT_EQ(ManagerCount(), 0);
  EXPECT_EQ(InstalledBarHooks(), 0);
  // Other parts of the toolkit are clients of some kinds for the whole run.
  int clients[3];
  for (int i = 0; i < 3; ++i) clients[i] = dxHookController()->SystemHook(BarHookKinds[i]).ClientCount();
  auto clientsAdded = [&] {
    std::vector<int> added;
    for (int i = 0; i < 3; ++i) added.push_back(dxHookController()->SystemHook(BarHookKinds[i]).ClientCount() - clients[i]);
    return added;
  };
  TFormGuard first{NewForm()};
  TFormGuard second{NewForm()};
  auto* a = New<TdxBarManager>(first.Form);
  EXPECT_EQ(InstalledBarHooks(), 3);
  auto* b = New<TdxBarManager>(second.Form);
  EXPECT_EQ(clientsAdded(), (std::vector<int>{1, 1, 1})) << "one client per kind, whatever the number of managers";
  Free(a);
  EXPECT_EQ(InstalledBarHooks(), 3) << "a manager still lives";
  Free(b);
  EXPECT_EQ(InstalledBarHooks(), 0);
  EXPECT_EQ(clientsAdded(), (std::vector<int>{0, 0, 0}));
  // A new manager installs them again.
  New<TdxBarManager>(first.Form);
  EXPECT_EQ(InstalledBarHooks(), 3);
  Free(first.Form);
  first.Form = nullptr;
  EXPECT_EQ(InstalledBarHooks(), 0) << "the form freed its manager";
}

TEST(dxBarManager, ANewManagerHasItsDefaultsAndFourEdgeDocks)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  ExpectSystemMenuFont(manager->Font());
  EXPECT_TRUE(manager->UseSystemFont());
  ASSERT_EQ(manager->Categories()->Count(), 1);
  EXPECT_EQ(manager->Categories()->Strings(0), "Default");
  EXPECT_EQ(manager->Style(), bmsEnhanced);
  EXPECT_EQ(manager->Painter()->ClassType(), TdxBarEnhancedPainter::StaticClass());
  EXPECT_TRUE(manager->AllowReset());
  EXPECT_FALSE(manager->IsResetAvailable()) << "never read from a stored form";
  EXPECT_TRUE(manager->CanCustomize());
  EXPECT_TRUE(manager->HideFloatingBarsWhenInactive());
  EXPECT_TRUE(manager->ShowHint());
  EXPECT_EQ(manager->ButtonArrowWidth(), 11);
  EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
  EXPECT_EQ(manager->MostRecentItemsPercents(), 95);
  EXPECT_EQ(manager->InitialUseCount(), 20);
  EXPECT_EQ(manager->WaitForDockingTime(), 21);
  EXPECT_NE(manager->DesignedLayout(), nullptr);
  EXPECT_EQ(manager->Bars()->Count(), 0);
  EXPECT_EQ(manager->Bars()->DockingZoneSize(), 23);

  // The edge docks: made left, top, right, bottom, registered, on the owner, aligned to their edge.
  ASSERT_EQ(manager->GetDockControlCount(), 4);
  const TdxBarDockingStyle styles[] = {dsLeft, dsTop, dsRight, dsBottom};
  const TAlign aligns[] = {alLeft, alTop, alRight, alBottom};
  for (int i = 0; i < 4; ++i) {
    TdxDockControl* dock = manager->GetDockControl(i);
    EXPECT_EQ(dock, manager->Bars()->DockControls(styles[i]));
    EXPECT_EQ(dock->DockingStyle(), styles[i]);
    EXPECT_TRUE(dock->HasDockingStyle());
    EXPECT_EQ(dock->Align(), aligns[i]);
    EXPECT_EQ(dock->Parent(), guard.Form);
    EXPECT_EQ(dock->Owner(), nullptr);
    EXPECT_EQ(dock->BarManager(), manager);
  }
  EXPECT_EQ(manager->Bars()->DockControls(dsNone), nullptr);

  // The dock colour follows the owner until it is assigned.
  guard.Form->SetColor(clYellow);
  EXPECT_EQ(manager->DockColor(), clYellow);
  manager->SetDockColor(clBlue);
  EXPECT_FALSE(manager->AutoDockColor());
  EXPECT_EQ(manager->DockColor(), clBlue);
  EXPECT_EQ(manager->GetDockControl(1)->Color(), clBlue) << "the docks take the colour";
  manager->SetAutoDockColor(true);
  EXPECT_EQ(manager->GetDockControl(1)->Color(), clYellow);
}

TEST(dxBarManager, SettersIgnoreOrBoundTheValuesTheyRefuse)
{
  TFormGuard guard{NewForm()};
  auto* m = New<TdxBarManager>(guard.Form);
  struct TCase {
    const char* What;
    std::function<void()> Set;
    std::function<int()> Read;
    int Expected;
  };
  const TCase cases[] = {
    {"ButtonArrowWidth 1", [&] { m->SetButtonArrowWidth(1); }, [&] { return m->ButtonArrowWidth(); }, 11},
    {"ButtonArrowWidth 2", [&] { m->SetButtonArrowWidth(2); }, [&] { return m->ButtonArrowWidth(); }, 2},
    {"LargeButtonArrowWidth 1", [&] { m->SetLargeButtonArrowWidth(1); }, [&] { return m->LargeButtonArrowWidth(); }, 13},
    {"LargeButtonArrowWidth 2", [&] { m->SetLargeButtonArrowWidth(2); }, [&] { return m->LargeButtonArrowWidth(); }, 2},
    {"WaitForDockingTime -1", [&] { m->SetWaitForDockingTime(-1); }, [&] { return m->WaitForDockingTime(); }, 21},
    {"WaitForDockingTime 0", [&] { m->SetWaitForDockingTime(0); }, [&] { return m->WaitForDockingTime(); }, 0},
    {"MostRecentItemsPercents 200", [&] { m->SetMostRecentItemsPercents(200); },
     [&] { return m->MostRecentItemsPercents() * 1000 + m->InitialUseCount(); }, 100 * 1000 + 0},
    {"MostRecentItemsPercents 0", [&] { m->SetMostRecentItemsPercents(0); },
     [&] { return m->MostRecentItemsPercents() * 1000 + m->InitialUseCount(); }, 1},
  };
  for (const TCase& c : cases) {
    c.Set();
    EXPECT_EQ(c.Read(), c.Expected) << c.What;
  }
  m->SetRegistryPath("Layout\\Tool");
  EXPECT_EQ(m->RegistryPath(), "\\Layout\\Tool\\");
  m->SetRegistryPath("\\Kept\\");
  EXPECT_EQ(m->RegistryPath(), "\\Kept\\");
  m->SetRegistryPath("");
  EXPECT_EQ(m->RegistryPath(), "");
}

TEST(dxBarManager, InitialUseCountIsTheFirstCountThatLeavesARecentItem)
{
  const std::pair<int, int> cases[] = {{95, 20}, {99, 100}, {0, 1}, {100, 0}, {50, 2}, {90, 10}};
  for (auto [percents, count] : cases) EXPECT_EQ(CalcInitialUseCount(percents), count) << percents;
}

TEST(dxBarManager, ChangesReachTheFormDesignerOnceOutsideLocksAndNeverWhileLoading)
{
  TFormGuard guard{NewForm()};
  TDesignerRecorder designer;
  guard.Form->SetDesigner(&designer);
  auto* manager = New<TdxBarManager>(guard.Form);
  guard.Form->HandleNeeded();

  manager->NotifyModified();
  EXPECT_TRUE(manager->Modified());
  EXPECT_EQ(designer.Count, 0) << "not in the designer";

  guard.Form->SetDesigning(true);
  manager->NotifyModified();
  EXPECT_EQ(designer.Count, 1);

  manager->ChangeModificationLock(true);
  manager->ChangeModificationLock(true);
  manager->NotifyModified();
  manager->NotifyModified();
  manager->ChangeModificationLock(false);
  EXPECT_EQ(designer.Count, 1) << "held back while a lock is open";
  manager->ChangeModificationLock(false);
  EXPECT_EQ(designer.Count, 2) << "one report for the pending changes";
  manager->ChangeModificationLock(true);
  manager->ChangeModificationLock(false);
  EXPECT_EQ(designer.Count, 2) << "nothing pending, nothing told";
  manager->ChangeModificationLock(true);
  manager->NotifyModified();
  manager->ChangeModificationLock(false, false);
  EXPECT_EQ(designer.Count, 2) << "the end may drop the pending change";

  manager->IncludeState(TComponentStateFlag::csLoading);
  manager->NotifyModified();
  manager->ExcludeState(TComponentStateFlag::csLoading);
  EXPECT_EQ(designer.Count, 2);

  // A new bar reports a change; so does a category.
  manager->Bars()->Add();
  EXPECT_GT(designer.Count, 2);
  guard.Form->SetDesigning(false);
  guard.Form->SetDesigner(nullptr);
}

TEST(dxBarManager, TheDockingRuleAppliesTheManagersNotDockingToEdgeDocksOnly)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  TdxBar* bar = manager->Bars()->Add();
  auto* userDock = New<TdxBarDockControl>(guard.Form);
  userDock->SetParent(guard.Form);
  userDock->SetBarManager(manager);
  TdxDockControl* top = manager->Bars()->DockControls(dsTop);

  EXPECT_TRUE(manager->CanDockBar(bar, dsTop, top));
  EXPECT_TRUE(manager->CanDockBar(bar, dsNone, nullptr));
  manager->SetNotDocking({dsTop});
  EXPECT_FALSE(manager->CanDockBar(bar, dsTop, top));
  EXPECT_FALSE(manager->CanDockBar(bar, dsTop, nullptr));
  EXPECT_TRUE(manager->CanDockBar(bar, dsTop, userDock)) << "a placed dock decides for itself";
  EXPECT_TRUE(manager->CanDockBar(bar, dsLeft, nullptr));
  bar->SetNotDocking({dsLeft});
  EXPECT_FALSE(manager->CanDockBar(bar, dsLeft, manager->Bars()->DockControls(dsLeft)));
  bar->SetNotDocking({dsTop});
  EXPECT_FALSE(manager->CanDockBar(bar, dsTop, userDock)) << "the bar's own refusal holds everywhere";

  // OnDocking has the last word.
  struct THandler : TObject {
    std::vector<TdxBarDockingStyle> Asked;
    void Docking(TObject*, TdxBarDockingStyle style, TdxDockControl*, bool& canDock)
    {
      Asked.push_back(style);
      canDock = !canDock;
    }
  };
  TOwned<THandler> handler = MakeOwned<THandler>();
  manager->SetOnDocking(TdxBarCanDockingEvent(handler.get(), &THandler::Docking));
  EXPECT_TRUE(manager->CanDockBar(bar, dsTop, top));
  EXPECT_FALSE(manager->CanDockBar(bar, dsBottom, nullptr));
  EXPECT_EQ(handler->Asked, (std::vector<TdxBarDockingStyle>{dsTop, dsBottom}));
  manager->SetOnDocking(nullptr);

  // A placed dock that goes leaves the manager's list.
  EXPECT_EQ(manager->GetDockControlCount(), 5);
  Free(userDock);
  EXPECT_EQ(manager->GetDockControlCount(), 4);
}

TEST(dxBarManager, UniqueNamesAndCaptionsTakeTheFirstFreeNumber)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  manager->SetName("dxBarManager1");
  TdxBar* first = manager->Bars()->Add();
  TdxBar* second = manager->Bars()->Add();
  EXPECT_EQ(first->Name(), "dxBarManager1Bar1");
  EXPECT_EQ(second->Name(), "dxBarManager1Bar2");
  EXPECT_EQ(manager->FindBarByName("dxBarManager1Bar2"), second);
  first->SetCaption("Custom 1");
  EXPECT_EQ(manager->MakeUniqueBarCaption("Custom "), "Custom 2");
  second->SetCaption("Custom 2");
  EXPECT_EQ(manager->MakeUniqueBarCaption("Custom "), "Custom 3");
  EXPECT_EQ(manager->FindBarByCaption("Custom 2"), second);
  EXPECT_EQ(manager->FindBarByCaption("custom 2"), nullptr) << "captions compare exactly";

  auto* item = New<TTestBarItem>(guard.Form);
  EXPECT_EQ(item->BarManager(), manager) << "an item joins the manager of its owner";
  EXPECT_EQ(manager->MakeUniqueItemName(TTestBarItem::StaticClass()), "TestBarItem1");
  item->SetName("testbaritem1");
  EXPECT_EQ(manager->MakeUniqueItemName(TTestBarItem::StaticClass()), "TestBarItem2") << "names compare ignoring case";
  EXPECT_EQ(manager->FindItemByName("TESTBARITEM1"), item);
  EXPECT_EQ(manager->GetItem(0), item);
  EXPECT_EQ(manager->GetItem(1), nullptr);
  TdxBarItem* made = manager->CreateItemOfClass(ClassRef<TTestBarItem>());
  EXPECT_EQ(made->Owner(), guard.Form);
  EXPECT_EQ(made->Category(), 0) << "the default category";
  EXPECT_EQ(manager->GetItemCount(), 2);
  Free(item);
  EXPECT_EQ(manager->GetItemCount(), 1) << "a freed item leaves the list";
}

TEST(dxBarManager, RenamingInTheDesignerRenamesTheItemsThatStartWithTheOldName)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  manager->SetName("dxBarManager1");
  auto* prefixed = New<TTestBarItem>(guard.Form);
  prefixed->SetName("dxBarManager1Button1");
  auto* plain = New<TTestBarItem>(guard.Form);
  plain->SetName("Button1");
  auto* clashing = New<TTestBarItem>(guard.Form);
  clashing->SetName("DXBARMANAGER1Button2");
  auto* taken = New<TTestBarItem>(guard.Form);
  taken->SetName("BarsButton2");

  manager->SetName("Renamed");
  EXPECT_EQ(prefixed->Name(), "dxBarManager1Button1") << "at run time nothing else is renamed";
  manager->SetName("dxBarManager1");
  guard.Form->SetDesigning(true);
  manager->SetName("Bars");
  EXPECT_EQ(manager->Name(), "Bars");
  EXPECT_EQ(prefixed->Name(), "BarsButton1");
  EXPECT_EQ(plain->Name(), "Button1");
  EXPECT_EQ(clashing->Name(), "DXBARMANAGER1Button2") << "a clash leaves the item as it was";
  guard.Form->SetDesigning(false);
}

namespace {
// A placed dock that records the redraw switches it receives.
class TRedrawRecordingDock : public TdxBarDockControl {
  CL_CLASS(TRedrawRecordingDock, TdxBarDockControl)
public:
  using TdxBarDockControl::TdxBarDockControl;
  std::vector<WPARAM> Redraws;

protected:
  void WndProc(TMessage& msg) override
  {
    if (msg.Msg == WM_SETREDRAW) Redraws.push_back(msg.WParam);
    TdxBarDockControl::WndProc(msg);
  }
};
CL_DEFINE_CLASS(TRedrawRecordingDock);
}  // namespace

TEST(dxBarManager, NestedBarsUpdatesSwitchDockRedrawingOffOnceAndOnAtTheLastEnd)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  auto* dock = New<TRedrawRecordingDock>(guard.Form);
  dock->SetParent(guard.Form);
  dock->SetBarManager(manager);
  dock->HandleNeeded();

  manager->BeginBarsUpdate();
  manager->BeginBarsUpdate();
  EXPECT_TRUE(manager->IsBarsUpdateLocked());
  EXPECT_EQ(dock->Redraws, (std::vector<WPARAM>{FALSE}));
  manager->EndBarsUpdate();
  EXPECT_EQ(dock->Redraws, (std::vector<WPARAM>{FALSE})) << "an inner end changes nothing";
  manager->EndBarsUpdate();
  EXPECT_FALSE(manager->IsBarsUpdateLocked());
  EXPECT_EQ(dock->Redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  manager->EndBarsUpdate();
  EXPECT_EQ(manager->BarsUpdateLockCount(), 0) << "an unmatched end does not go below zero";

  // A hidden dock is left alone; the quiet unlock switches redrawing back on too.
  manager->IncBarsUpdateLock(true);
  manager->DecBarsUpdateLockQuiet(true);
  EXPECT_EQ(dock->Redraws.size(), 4u);
  dock->SetVisible(false);
  manager->BeginBarsUpdate();
  manager->EndBarsUpdate();
  EXPECT_EQ(dock->Redraws.size(), 4u);
}

TEST(dxBarManager, NamePathAndBrokenLinksQuestion)
{
  TFormGuard guard{NewForm()};
  TPanel* panel = NewPanel(guard.Form);
  panel->SetName("Panel1");
  auto* onForm = New<TdxBarManager>(guard.Form);
  onForm->SetName("dxBarManager1");
  EXPECT_EQ(onForm->BrokenLinksMessage(),
            "dxBarManager1 has broken bar item links. These links are not associated with any bar item, and may "
            "cause problems when creating a bar layout.\r\n\r\nDo you want to delete broken bar item links?");
  // A manager owned by a control of the form names that owner first.
  auto* onPanel = New<TdxBarManager>(panel);
  onPanel->SetName("Inner");
  EXPECT_EQ(onPanel->BrokenLinksMessage().substr(0, 13), "Panel1.Inner ");
  guard.Form->SetName("Frmain");
  EXPECT_EQ(onForm->GetIniSectionBase(), "Frmain.dxBarManager1.");
  EXPECT_EQ(onPanel->GetIniSectionBase(), "Frmain.Panel1.Inner.");

  // The question goes through the message box without an owner window; Cancel aborts silently.
  TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, RecordBox);
  GBoxes.clear();
  GBoxAnswer = IDNO;
  EXPECT_EQ(onForm->AskToDeleteBrokenLinks(), IDNO);
  GBoxAnswer = IDCANCEL;
  EXPECT_THROW(onForm->AskToDeleteBrokenLinks(), EAbort);
  ASSERT_EQ(GBoxes.size(), 2u);
  EXPECT_EQ(GBoxes[0].Text, onForm->BrokenLinksMessage());
  EXPECT_EQ(GBoxes[0].Caption, "KitBars");
  EXPECT_EQ(GBoxes[0].Flags, static_cast<UINT>(MB_ICONWARNING | MB_YESNOCANCEL));
}
