// The bar item: the click road with its actions, exceptions and an item freed by its own click; the
// shortcut rule; caption and hint; the category rule; the change reports; enabled and visible by
// mode; copying; the control class; the default captions.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarItemActionLink.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
// Records, in order, what the click road calls.
class TClickRecorder : public TObject {
  CL_CLASS(TClickRecorder, TObject)
public:
  std::vector<std::string> Log;
  std::function<void(TObject*)> OnClickAction;
  std::function<void(TdxBarItem*)> OnClickItemAction;
  void ClickItem(TObject*, TdxBarItem* item)
  {
    Log.push_back("OnClickItem " + item->Caption());
    if (OnClickItemAction) OnClickItemAction(item);
  }
  void Click(TObject* sender)
  {
    Log.push_back("OnClick " + static_cast<TdxBarItem*>(sender)->Caption());
    if (OnClickAction) OnClickAction(sender);
  }
  void Execute(TObject* sender) { Log.push_back(std::string("OnExecute ") + sender->ClassName()); }
  void HandleException(TObject*, const Exception& e) { Log.push_back("handled " + e.Message()); }
};
CL_DEFINE_CLASS(TClickRecorder);

struct TItemFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TOwned<TClickRecorder> Recorder = MakeOwned<TClickRecorder>();
  TTestBarItem* Item = New<TTestBarItem>(Form);

  TItemFixture()
  {
    Item->SetCaption("Item");
    Manager->SetOnClickItem(TdxBarClickItemEvent(Recorder.get(), &TClickRecorder::ClickItem));
  }
  TNotifyEvent OnClick() const { return TNotifyEvent(Recorder.get(), &TClickRecorder::Click); }
  TAction* NewAction()
  {
    auto* action = New<TAction>(Form);
    action->SetCaption("Item");
    action->SetOnExecute(TNotifyEvent(Recorder.get(), &TClickRecorder::Execute));
    return action;
  }
};

// Answers every change of a bar component: "item" for the component, "all" for none.
class TObserver : public TObject, public IdxBarComponentObserver {
  CL_CLASS(TObserver, TObject)
public:
  std::vector<std::string> Log;
  void Changed(TdxBarComponent* component) override { Log.push_back(component ? "item" : "all"); }
};

// An item kind that opens a sub-menu of links.
class TSubMenuItem : public TdxBarItem {
  CL_CLASS(TSubMenuItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  TdxBarItemLinks* SubLinks = nullptr;
  TdxBarItemLinks* GetItemLinks() const override { return SubLinks; }
};
// The sub-item kind, which the hint rule recognises by its class name.
class TTestSubItem : public TdxBarItem {
  CL_CLASS(TTestSubItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TUnclickableItem : public TdxBarItem {
  CL_CLASS(TUnclickableItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  bool CanClick() const override { return false; }
};
class TDerivedTestItem : public TTestBarItem {
  CL_CLASS(TDerivedTestItem, TTestBarItem)
public:
  using TTestBarItem::TTestBarItem;
};
class TTestItemControl : public TdxBarItemControl {
  CL_CLASS(TTestItemControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
};
}  // namespace

CL_DEFINE_CLASS(TObserver);
CL_DEFINE_CLASS(TSubMenuItem);
CL_DEFINE_CLASS_NAMED(TTestSubItem, "TCustomdxBarSubItem");
CL_DEFINE_CLASS(TUnclickableItem);
CL_DEFINE_CLASS(TDerivedTestItem);
CL_DEFINE_CLASS(TTestItemControl);

TEST(dxBarItem, TheClickRoad)
{
  struct TCase {
    const char* What;
    std::function<void(TItemFixture&)> Setup;
    std::vector<std::string> Log;
  };
  const TCase cases[] = {
    {"OnClickItem, then OnClick", [](TItemFixture& f) { f.Item->SetOnClick(f.OnClick()); },
     {"OnClickItem Item", "OnClick Item"}},
    {"an action alone runs through the action link", [](TItemFixture& f) { f.Item->SetAction(f.NewAction()); },
     {"OnClickItem Item", "OnExecute TAction"}},
    {"an action and another OnClick run only OnClick",
     [](TItemFixture& f) {
       f.Item->SetAction(f.NewAction());
       f.Item->SetOnClick(f.OnClick());
     },
     {"OnClickItem Item", "OnClick Item"}},
    {"OnClick of the action's method on another object runs the action",
     [](TItemFixture& f) {
       f.Item->SetAction(f.NewAction());
       auto* other = New<TClickRecorder>();
       f.Item->SetOnClick(TNotifyEvent(other, &TClickRecorder::Execute));
       Free(other);
     },
     {"OnClickItem Item", "OnExecute TAction"}},
    {"a disabled item runs nothing",
     [](TItemFixture& f) {
       f.Item->SetOnClick(f.OnClick());
       f.Item->SetEnabled(false);
     },
     {}},
    {"a disabled action runs nothing after OnClickItem",
     [](TItemFixture& f) {
       TAction* action = f.NewAction();
       f.Item->SetAction(action);
       action->SetEnabled(false);
       f.Item->SetEnabled(true);
     },
     {"OnClickItem Item"}},
    {"in the form designer the action never runs",
     [](TItemFixture& f) {
       f.Item->SetAction(f.NewAction());
       f.Item->SetDesigning(true);
     },
     {"OnClickItem Item"}},
  };
  for (const TCase& c : cases) {
    TItemFixture f;
    c.Setup(f);
    f.Item->Click();
    EXPECT_EQ(f.Recorder->Log, c.Log) << c.What;
  }
}

TEST(dxBarItem, AnExceptionOfTheClickReachesTheApplicationOnce)
{
  for (bool fromClickItem : {false, true}) {
    TItemFixture f;
    f.Item->SetOnClick(f.OnClick());
    auto raise = [](auto*) { throw EConvertError("the click failed"); };
    if (fromClickItem)
      f.Recorder->OnClickItemAction = raise;
    else
      f.Recorder->OnClickAction = raise;
    const TExceptionEvent previous = Application->OnException();
    Application->SetOnException(TExceptionEvent(f.Recorder.get(), &TClickRecorder::HandleException));
    EXPECT_NO_THROW(f.Item->Click());
    Application->SetOnException(previous);
    const std::vector<std::string> expected =
        fromClickItem ? std::vector<std::string>{"OnClickItem Item", "handled the click failed"}
                      : std::vector<std::string>{"OnClickItem Item", "OnClick Item", "handled the click failed"};
    EXPECT_EQ(f.Recorder->Log, expected);
  }
}

TEST(dxBarItem, AnItemFreedByItsOwnClickIsNotTouchedAgain)
{
  for (bool inClickItem : {false, true}) {
    TItemFixture f;
    TdxBarPopupMenu* menu = New<TdxBarPopupMenu>(f.Form);
    menu->ItemLinks()->AddItem(f.Item);
    f.Item->SetOnClick(f.OnClick());
    const TWeakRef<TTestBarItem> item(f.Item);
    auto freeIt = [](auto* sender) { Free(sender); };
    if (inClickItem)
      f.Recorder->OnClickItemAction = freeIt;
    else
      f.Recorder->OnClickAction = freeIt;
    f.Item->DirectClick();
    EXPECT_FALSE(item);
    EXPECT_EQ(f.Manager->GetItemCount(), 0);
    EXPECT_EQ(menu->ItemLinks()->Count(), 0);
    EXPECT_EQ(f.Recorder->Log.size(), inClickItem ? 1u : 2u) << "OnClick does not run for an item gone";
  }
}

TEST(dxBarItem, TheShortcutRule)
{
  TItemFixture f;
  f.Item->SetOnClick(f.OnClick());
  f.Item->SetShortCut('K' | scCtrl);
  EXPECT_TRUE(f.Item->HandleShortCut('K' | scCtrl));
  EXPECT_FALSE(f.Item->HandleShortCut('J' | scCtrl));
  f.Item->SetEnabled(false);
  EXPECT_FALSE(f.Item->HandleShortCut('K' | scCtrl)) << "a disabled item handles nothing";
  f.Item->SetEnabled(true);
  f.Item->SetShortCut(0);
  EXPECT_FALSE(f.Item->HandleShortCut(0)) << "no key is never a shortcut";
  EXPECT_EQ(f.Recorder->Log, (std::vector<std::string>{"OnClickItem Item", "OnClick Item"}));

  auto* unclickable = New<TUnclickableItem>(f.Form);
  unclickable->SetShortCut('U' | scCtrl);
  EXPECT_FALSE(unclickable->HandleShortCut('U' | scCtrl));

  // An item with a sub-menu offers the key to its links' items.
  auto* opener = New<TSubMenuItem>(f.Form);
  TdxBarPopupMenu* menu = New<TdxBarPopupMenu>(f.Form);
  opener->SubLinks = menu->ItemLinks();
  menu->ItemLinks()->AddItem(f.Item);
  f.Item->SetShortCut('M' | scCtrl);
  EXPECT_TRUE(opener->HandleShortCut('M' | scCtrl));
  EXPECT_EQ(f.Recorder->Log.size(), 4u);
  opener->SetEnabled(false);
  EXPECT_FALSE(opener->HandleShortCut('M' | scCtrl));
}

TEST(dxBarItem, TheHintFollowsTheCaption)
{
  struct TCase {
    const char* What;
    bool SubItem;
    std::string Caption, Hint, NewCaption, NewHint;
  };
  const TCase cases[] = {
    {"an empty hint takes the caption", false, "", "", "&Open...", "Open"},
    {"a hint of the old caption follows", false, "&Open...", "Open", "&Save...", "Save"},
    {"the long part stays", false, "&Open...", "Open|Opens a file", "&Save...", "Save|Opens a file"},
    {"a hint of its own stays", false, "&Open...", "Other", "&Save...", "Other"},
    {"only the first ampersand and dots go", false, "", "", "A&&B...C...", "A&BC..."},
    {"a sub-item keeps its hint", true, "", "", "&Open...", ""},
  };
  for (const TCase& c : cases) {
    TItemFixture f;
    TdxBarItem* item = c.SubItem ? static_cast<TdxBarItem*>(New<TTestSubItem>(f.Form)) : f.Item;
    item->SetCaption(c.Caption);
    item->SetHint(c.Hint);
    item->SetCaption(c.NewCaption);
    EXPECT_EQ(item->Hint(), c.NewHint) << c.What;
    EXPECT_EQ(item->Caption(), c.NewCaption) << c.What;
  }
  TItemFixture f;
  f.Item->IncludeState(TComponentStateFlag::csLoading);
  f.Item->SetHint("");
  f.Item->SetCaption("&New");
  EXPECT_EQ(f.Item->Hint(), "") << "while loading only the caption is stored";
  f.Item->ExcludeState(TComponentStateFlag::csLoading);
}

TEST(dxBarItem, TheCategoryRule)
{
  TItemFixture f;
  f.Manager->Categories()->SetText("A\nB");
  auto* a = New<TTestBarItem>(f.Form);
  a->SetCategory(1);
  auto* b = New<TTestBarItem>(f.Form);
  auto index = [&](TdxBarItem* item) { return item->GetIndex(); };
  // Items: Item (-1), a (1), b (-1).
  auto observer = MakeOwned<TObserver>();
  f.Item->AddObserver(observer.get());
  f.Item->SetCategory(-1);
  f.Item->SetCategory(2);
  EXPECT_EQ(f.Item->Category(), -1) << "at run time -1 and an index past the categories are ignored";
  EXPECT_TRUE(observer->Log.empty());
  b->SetCategory(1);
  EXPECT_EQ(index(b), 2) << "after the last item of the category, which stands before it";
  f.Item->SetCategory(1);
  EXPECT_EQ(f.Item->Category(), 1);
  EXPECT_EQ(index(f.Item), 2) << "before it: the place of the last item of the category";
  EXPECT_EQ(observer->Log, std::vector<std::string>{"all"});
  f.Item->RemoveObserver(observer.get());

  f.Item->IncludeState(TComponentStateFlag::csLoading);
  for (int value : {-1, 7, 0}) {
    f.Item->SetCategory(value);
    EXPECT_EQ(f.Item->Category(), value) << "while loading any value is taken";
  }
  f.Item->ExcludeState(TComponentStateFlag::csLoading);
}

TEST(dxBarItem, ChangesAreReportedToObserversAndTheManagersList)
{
  struct TCase {
    const char* What;
    std::function<void(TdxBarItem*)> Change;
    std::vector<std::string> Log;
  };
  const TCase cases[] = {
    {"caption", [](TdxBarItem* i) { i->SetCaption("Other"); }, {"item"}},
    {"the same caption", [](TdxBarItem* i) { i->SetCaption("Item"); }, {}},
    {"description", [](TdxBarItem* i) { i->SetDescription("Text"); }, {"item"}},
    {"enabled", [](TdxBarItem* i) { i->SetEnabled(false); }, {"item"}},
    {"image index", [](TdxBarItem* i) { i->SetImageIndex(3); }, {"item"}},
    {"large image index", [](TdxBarItem* i) { i->SetLargeImageIndex(3); }, {"item"}},
    {"shortcut", [](TdxBarItem* i) { i->SetShortCut('A'); }, {"item"}},
    {"visible", [](TdxBarItem* i) { i->SetVisible(ivNever); }, {"item"}},
    {"name", [](TdxBarItem* i) { i->SetName("Renamed"); }, {"item"}},
    {"hint: nothing", [](TdxBarItem* i) { i->SetHint("Hint"); }, {}},
    {"width: nothing", [](TdxBarItem* i) { i->SetWidth(20); }, {}},
    {"glyph", [](TdxBarItem* i) { i->Glyph()->SetSize(2, 2); }, {"item"}},
    {"enabled while loading: nothing",
     [](TdxBarItem* i) {
       i->IncludeState(TComponentStateFlag::csLoading);
       i->SetEnabled(false);
       i->SetShortCut('B');
       i->ExcludeState(TComponentStateFlag::csLoading);
     },
     {}},
  };
  for (const TCase& c : cases) {
    TItemFixture f;
    auto observer = MakeOwned<TObserver>();
    f.Item->AddObserver(observer.get());
    std::vector<std::string> listLog;
    struct TListListener : TObject {
      std::vector<std::string>* Log;
      void Changed(TObject*, TComponent* component, TcxComponentCollectionNotification)
      {
        Log->push_back(component ? "item" : "all");
      }
    };
    auto listener = MakeOwned<TListListener>();
    listener->Log = &listLog;
    f.Manager->ItemList()->SetOnComponentListChanged(
        TcxComponentListNotifyEvent(listener.get(), &TListListener::Changed));
    c.Change(f.Item);
    EXPECT_EQ(observer->Log, c.Log) << c.What;
    EXPECT_EQ(listLog, c.Log) << c.What << ": the manager's list hears the same";
    f.Manager->ItemList()->SetOnComponentListChanged(nullptr);
    f.Item->RemoveObserver(observer.get());
  }
}

TEST(dxBarItem, EnabledAndVisibleByMode)
{
  TItemFixture f;
  TdxBarPopupMenu* menu = New<TdxBarPopupMenu>(f.Form);
  TdxBarItemLink* link = menu->ItemLinks()->AddItem(f.Item);
  f.Item->SetEnabled(false);
  f.Manager->SetCustomizing(true);
  EXPECT_FALSE(f.Item->GetEnabled()) << "an item without category stays disabled";
  f.Item->SetCategory(0);
  EXPECT_TRUE(f.Item->GetEnabled()) << "an item with a category counts as enabled while customizing";
  f.Manager->SetCustomizing(false);
  EXPECT_FALSE(f.Item->GetEnabled());

  struct TCase {
    TdxBarItemVisible Visible;
    bool Customizing;
    bool Shown;
  };
  const TCase cases[] = {
    {ivAlways, false, true},   {ivAlways, true, true},   {ivInCustomizing, false, false},
    {ivInCustomizing, true, true}, {ivNever, false, false}, {ivNever, true, false},
  };
  for (const TCase& c : cases) {
    f.Item->SetVisible(c.Visible);
    f.Manager->SetCustomizing(c.Customizing);
    EXPECT_EQ(f.Item->IsVisibleInCurrentMode(), c.Shown) << static_cast<int>(c.Visible) << c.Customizing;
    EXPECT_EQ(menu->ItemLinks()->IndexOfVisible(link) >= 0, c.Shown) << static_cast<int>(c.Visible) << c.Customizing;
    f.Manager->SetCustomizing(false);
  }
}

TEST(dxBarItem, CopyingAnItem)
{
  TItemFixture f;
  TAction* action = f.NewAction();
  auto* source = New<TTestBarItem>(f.Form);
  source->SetCaption("Source");
  source->SetDescription("Described");
  source->SetHelpContext(7);
  source->SetKeyTip("S");
  source->SetMergeKind(mkNone);
  source->SetMergeOrder(-3);
  source->SetShortCut('S' | scCtrl);
  source->SetImageIndex(2);
  source->SetLargeImageIndex(4);
  source->SetAlign(iaRight);
  source->SetVisible(ivInCustomizing);
  f.Item->SetAction(action);
  f.Item->Assign(source);
  EXPECT_EQ(f.Item->Action(), nullptr);
  EXPECT_EQ(f.Item->Caption(), "Source");
  EXPECT_EQ(f.Item->Description(), "Described");
  EXPECT_EQ(f.Item->HelpContext(), 7);
  EXPECT_EQ(f.Item->KeyTip(), "S");
  EXPECT_EQ(f.Item->MergeKind(), mkNone);
  EXPECT_EQ(f.Item->MergeOrder(), 0) << "negative merge orders become 0";
  EXPECT_EQ(f.Item->ShortCut(), 'S' | scCtrl);
  EXPECT_EQ(f.Item->ImageIndex(), 2);
  EXPECT_EQ(f.Item->LargeImageIndex(), 4);
  EXPECT_EQ(f.Item->Align(), iaRight);
  EXPECT_EQ(f.Item->Visible(), ivInCustomizing);
  auto font = MakeOwned<TFont>();
  EXPECT_THROW(f.Item->Assign(font.get()), EConvertError);

  // An item forgets its action when the action goes.
  f.Item->SetAction(action);
  EXPECT_EQ(f.Item->Caption(), "Item") << "the action's caption";
  Free(action);
  EXPECT_EQ(f.Item->Action(), nullptr);
  EXPECT_EQ(f.Item->GetActionLinkClass(), ClassRef<TdxBarItemActionLink>());
}

TEST(dxBarItem, TheControlClassIsPairedWithExactlyTheItemClass)
{
  TItemFixture f;
  RegisterBarItemClass(ClassRef<TTestBarItem>(), ClassRef<TTestItemControl>(), false);
  auto* derived = New<TDerivedTestItem>(f.Form);
  EXPECT_EQ(f.Item->GetControlClass(false), ClassRef<TTestItemControl>());
  EXPECT_FALSE(derived->GetControlClass(false)) << "a derived class without a pair of its own has none";
  UnregisterBarItemClass(ClassRef<TTestBarItem>());
  EXPECT_FALSE(f.Item->GetControlClass(true));
}

TEST(dxBarItem, DefaultCaptionsAndSupportedCommands)
{
  EXPECT_EQ(ClassRef<TTestBarItem>()->GetDefaultCaption(), "New Item");
  EXPECT_EQ(TdxBarItemClass(ClassRef<TTestSeparator>())->GetDefaultCaption(), "New Separator");
  EXPECT_EQ(TdxBarItemClass(ClassRef<TTestSubItem>())->GetDefaultCaption(), "New SubItem");

  TItemFixture f;
  using A = TdxBarCustomizingAction;
  EXPECT_EQ(f.Item->GetSupportedActions(),
            (TdxBarCustomizingActions{A::caReset, A::caDeleteLink, A::caCaption, A::caBeginGroup}));
  f.Item->SetDesigning(true);
  EXPECT_EQ(f.Item->GetSupportedActions(), TdxBarCustomizingActions{A::caDelete});
  f.Item->SetDesigning(false);
}
