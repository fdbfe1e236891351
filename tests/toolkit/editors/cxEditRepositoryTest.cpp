// Repository items shared by editors: the listeners, the repository's list and streaming, and the
// editor's link to an item (acceptance, recalculation, the item going away, the order of events).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Exceptions.h"
#include "classlib/ObjectText.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "toolkit/editors/cxEditConsts.h"

using namespace edit_test;

namespace {

std::vector<std::string> FreedItems;

// An item sharing the test editor's properties; it notes its name when it goes.
class TcxEditRepositoryTestItem : public TcxEditRepositoryItem {
  CL_CLASS(TcxEditRepositoryTestItem, TcxEditRepositoryItem)
public:
  struct TMeta : TcxEditRepositoryItem::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TTestEditProperties>(); }
  };
  using TcxEditRepositoryItem::TcxEditRepositoryItem;
  void BeforeDestruction() override
  {
    FreedItems.push_back(Name());
    TcxEditRepositoryItem::BeforeDestruction();
  }
};
CL_DEFINE_CLASS(TcxEditRepositoryTestItem);

// Properties of another branch: neither the test editor's class nor a descendant.
class TSiblingProperties : public TcxCustomEditProperties {
  CL_CLASS(TSiblingProperties, TcxCustomEditProperties)
public:
  using TcxCustomEditProperties::TcxCustomEditProperties;
};
CL_DEFINE_CLASS(TSiblingProperties);

class TSiblingItem : public TcxEditRepositoryItem {
  CL_CLASS(TSiblingItem, TcxEditRepositoryItem)
public:
  struct TMeta : TcxEditRepositoryItem::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TSiblingProperties>(); }
  };
  using TcxEditRepositoryItem::TcxEditRepositoryItem;
};
CL_DEFINE_CLASS(TSiblingItem);

// An item whose class name holds the prefix in its middle.
class TMyTcxEditRepositoryMaskItem : public TcxEditRepositoryItem {
  CL_CLASS(TMyTcxEditRepositoryMaskItem, TcxEditRepositoryItem)
public:
  using TcxEditRepositoryItem::TcxEditRepositoryItem;
};
CL_DEFINE_CLASS(TMyTcxEditRepositoryMaskItem);

// An editor that counts the recalculations its properties cause.
class TCountingEdit : public TTestEdit {
  CL_CLASS(TCountingEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  int Recalculations = 0;
  void PropertiesChanged(TObject* Sender) override
  {
    ++Recalculations;
    TTestEdit::PropertiesChanged(Sender);
  }
};
CL_DEFINE_CLASS(TCountingEdit);

class TLogObserver : public TObject, public IcxEditRepositoryItemObserver {
  CL_CLASS(TLogObserver, TObject)
public:
  explicit TLogObserver(std::string Name, std::vector<std::string>* Log) : FName(std::move(Name)), FLog(Log) {}
  void RepositoryItemRemoved(TcxEditRepositoryItem*) override { FLog->push_back(FName + " removed"); }
  void RepositoryItemPropertiesChanged(TcxEditRepositoryItem*) override { FLog->push_back(FName + " changed"); }

private:
  std::string FName;
  std::vector<std::string>* FLog;
};
CL_DEFINE_CLASS(TLogObserver);

class TChangeLog : public TObject {
  CL_CLASS(TChangeLog, TObject)
public:
  std::vector<std::string> Log;
  void Own(TObject*) { Log.push_back("own"); }
  void Item(TObject*) { Log.push_back("item"); }
};
CL_DEFINE_CLASS(TChangeLog);

class EditRepositoryTest : public TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    FreedItems.clear();
    Repository = New<TcxEditRepository>(Form);
    Repository->SetName("Repo");
  }
  TcxEditRepositoryItem* NewItem(const char* Name = "Item1")
  {
    TcxEditRepositoryItem* item = Repository->CreateItemEx(ClassRef<TcxEditRepositoryTestItem>(), Form);
    item->SetName(Name);
    return item;
  }
  TcxEditRepository* Repository = nullptr;
};

}  // namespace

TEST_F(EditRepositoryTest, ListenersAreToldLastFirstAndKeptOnce)
{
  TcxEditRepositoryItem* item = NewItem();
  std::vector<std::string> log;
  TOwned<TLogObserver> a(New<TLogObserver>("a", &log)), b(New<TLogObserver>("b", &log));
  item->AddListener(a.get());
  item->AddListener(b.get());
  item->AddListener(a.get());
  EXPECT_EQ(item->ListenerCount(), 2);
  item->RemoveListener(nullptr);  // absent: nothing happens
  EXPECT_EQ(item->ListenerCount(), 2);
  item->Properties()->SetReadOnly(true);
  EXPECT_EQ(log, (std::vector<std::string>{"b changed", "a changed"}));
  log.clear();
  Free(item);
  EXPECT_EQ(log, (std::vector<std::string>{"b removed", "a removed"}));
  EXPECT_EQ(Repository->Count(), 0);
}

TEST_F(EditRepositoryTest, ClearingFreesTheItemsLastFirst)
{
  NewItem("First");
  NewItem("Second");
  NewItem("Third");
  ASSERT_EQ(Repository->Count(), 3);
  Repository->Clear();
  EXPECT_EQ(FreedItems, (std::vector<std::string>{"Third", "Second", "First"}));
  EXPECT_EQ(Repository->Count(), 0);
}

TEST_F(EditRepositoryTest, BaseNamesFollowTheRepositoryName)
{
  struct Case {
    TcxEditRepositoryItemClass ItemClass;
    const char* Expected;
  };
  const Case cases[] = {
    {ClassRef<TcxEditRepositoryTestItem>(), "RepoTestItem"},
    {ClassRef<TSiblingItem>(), "Repo"},
    {ClassRef<TMyTcxEditRepositoryMaskItem>(), "RepoMaskItem"},
  };
  for (const Case& c : cases) {
    TcxEditRepositoryItem* item = Repository->CreateItem(c.ItemClass);
    EXPECT_EQ(item->GetBaseName(), c.Expected) << item->ClassName();
  }
  TOwned<TcxEditRepositoryItem> loose(ClassRef<TcxEditRepositoryTestItem>().Create(nullptr));
  EXPECT_THROW(loose->GetBaseName(), EInvalidOperation);
}

TEST_F(EditRepositoryTest, OnlyARepositoryIsAnItemsParent)
{
  TcxEditRepositoryItem* item = NewItem();
  EXPECT_THROW(item->SetParentComponent(Form), EInvalidCast);
  EXPECT_EQ(item->Repository(), Repository);
  auto* other = New<TcxEditRepository>(Form);
  item->SetParentComponent(other);
  EXPECT_EQ(item->Repository(), other);
  EXPECT_EQ(Repository->Count(), 0);
  EXPECT_EQ(other->Count(), 1);
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(item->GetParentComponent(), other);
}

TEST_F(EditRepositoryTest, ItemsAreWrittenAsTheRepositorysChildrenAndReadBack)
{
  RegisterClass(TcxEditRepositoryTestItem::StaticClass());
  TForm* written = New<TForm>(Application, CreateNew);
  written->SetName("RepoForm");
  auto* repo = New<TcxEditRepository>(written);
  repo->SetName("Repo");
  TcxEditRepositoryItem* item = repo->CreateItemEx(ClassRef<TcxEditRepositoryTestItem>(), written);
  item->SetName("Item1");
  const std::string text = ComponentToText(written);
  Free(written);
  EXPECT_NE(text.find("object Item1: TcxEditRepositoryTestItem"), std::string::npos) << text;

  TForm* read = New<TForm>(Application, CreateNew);
  ReadComponentFromText(text, read);
  auto* repository = dynamic_cast<TcxEditRepository*>(read->FindComponent("Repo"));
  ASSERT_NE(repository, nullptr);
  ASSERT_EQ(repository->Count(), 1);
  EXPECT_EQ(repository->Items(0)->Name(), "Item1");
  EXPECT_EQ(repository->Items(0)->Repository(), repository);
  EXPECT_EQ(repository->Items(0)->Owner(), read);
  Free(read);
  UnRegisterClass(TcxEditRepositoryTestItem::StaticClass());
}

TEST_F(EditRepositoryTest, PreferOwnProperties)
{
  TcxEditRepositoryItem* item = NewItem();
  TcxEditRepositoryItem* sibling = Repository->CreateItem(ClassRef<TSiblingItem>());
  TOwned<TTestEditProperties> own(New<TTestEditProperties>(nullptr));
  struct Case {
    TcxCustomEditProperties* Own;
    TcxEditRepositoryItem* Item;
    TcxCustomEditProperties* Current;
    bool Expected;
  };
  const Case cases[] = {
    {own.get(), item, item->Properties(), true},
    {own.get(), item, own.get(), false},          // the item's are not the current ones
    {own.get(), sibling, sibling->Properties(), false},  // not of the own class
    {nullptr, item, item->Properties(), false},
    {own.get(), nullptr, item->Properties(), false},
  };
  for (const Case& c : cases) {
    TcxCustomEditProperties* current = c.Current;
    EXPECT_EQ(PreferOwnProperties(c.Own, c.Item, current), c.Expected);
    EXPECT_EQ(current, c.Expected ? c.Own : c.Current);
  }
}

TEST_F(EditRepositoryTest, OneCompletedChangeRecalculatesEachEditorOnce)
{
  TcxEditRepositoryItem* item = NewItem();
  auto* first = PlaceEdit<TCountingEdit>(false);
  auto* second = PlaceEdit<TCountingEdit>(false);
  first->SetRepositoryItem(item);
  second->SetRepositoryItem(item);
  EXPECT_EQ(first->ActiveProperties(), item->Properties());
  first->Recalculations = second->Recalculations = 0;
  item->Properties()->BeginUpdate();
  item->Properties()->SetReadOnly(true);
  item->Properties()->SetImmediatePost(true);
  item->Properties()->EndUpdate();
  EXPECT_EQ(first->Recalculations, 1);
  EXPECT_EQ(second->Recalculations, 1);
  EXPECT_TRUE(first->Inner()->ReadOnly());
  // The own properties no longer recalculate the editor.
  first->Properties()->SetImmediatePost(true);
  EXPECT_EQ(first->Recalculations, 1);
}

TEST_F(EditRepositoryTest, ADestroyedItemLeavesItsEditorsOnTheirOwnProperties)
{
  TcxEditRepositoryItem* item = NewItem();
  item->Properties()->SetReadOnly(true);
  auto* first = PlaceEdit<TCountingEdit>(false);
  auto* second = PlaceEdit<TCountingEdit>(false);
  first->SetRepositoryItem(item);
  second->SetRepositoryItem(item);
  ASSERT_TRUE(first->Inner()->ReadOnly());
  Free(item);
  for (TCountingEdit* edit : {first, second}) {
    EXPECT_EQ(edit->RepositoryItem(), nullptr);
    EXPECT_EQ(edit->ActiveProperties(), edit->Properties());
    EXPECT_FALSE(edit->Inner()->ReadOnly());
    edit->Recalculations = 0;
    edit->Properties()->SetImmediatePost(true);
    EXPECT_EQ(edit->Recalculations, 1);  // the own change handler is back
  }
}

TEST_F(EditRepositoryTest, AnItemOfAnotherPropertiesClassRaisesAndChangesNothing)
{
  TcxEditRepositoryItem* item = NewItem();
  TcxEditRepositoryItem* sibling = Repository->CreateItem(ClassRef<TSiblingItem>());
  TcxEditRepositoryItem* ancestor = Repository->CreateItem(ClassRef<TcxEditRepositoryItem>());
  auto* edit = PlaceEdit<TCountingEdit>(false);
  edit->SetRepositoryItem(item);
  edit->Recalculations = 0;
  for (TcxEditRepositoryItem* bad : {sibling, ancestor}) {
    try {
      edit->SetRepositoryItem(bad);
      ADD_FAILURE() << "no error for " << bad->ClassName();
    } catch (const EcxEditError& e) {
      EXPECT_EQ(e.Message(), GetResStringText(&cxSEditInvalidRepositoryItem));
    }
    EXPECT_EQ(edit->RepositoryItem(), item);
    EXPECT_EQ(edit->ActiveProperties(), item->Properties());
    EXPECT_EQ(bad->ListenerCount(), 0);
  }
  EXPECT_EQ(edit->Recalculations, 0);
  EXPECT_EQ(item->ListenerCount(), 1);

  // An item of a descendant class is acceptable; none brings the own properties back.
  auto* other = PlaceEdit<TOtherEdit>(false);
  EXPECT_THROW(other->SetRepositoryItem(item), EcxEditError);
  edit->SetRepositoryItem(nullptr);
  EXPECT_EQ(item->ListenerCount(), 0);
  EXPECT_EQ(edit->ActiveProperties(), edit->Properties());
  EXPECT_EQ(edit->Properties()->DefaultValuesProvider(), edit->DataBinding()->GetDefaultValuesProvider());
}

TEST_F(EditRepositoryTest, TheOwnPropertiesOnChangeFiresBeforeTheItems)
{
  TcxEditRepositoryItem* item = NewItem();
  auto* edit = PlaceEdit<TTestEdit>(false);
  TOwned<TChangeLog> log(New<TChangeLog>());
  edit->Properties()->SetOnChange(TNotifyEvent(log.get(), &TChangeLog::Own));
  item->Properties()->SetOnChange(TNotifyEvent(log.get(), &TChangeLog::Item));
  static_cast<TTestEditProperties*>(item->Properties())->Comparison = true;
  edit->SetRepositoryItem(item);
  edit->SetEditValue(5);
  EXPECT_EQ(log->Log, (std::vector<std::string>{"own", "item"}));
}
