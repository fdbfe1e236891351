// Component collections (change actions, update locks, naming, ownership) and the sorted
// interfaced collection.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "toolkit/base/cxClassesCollections.h"

namespace {
class TTipRepository;

// An item class like the screen tips: a component that its repository's collection lists.
class TTip : public TcxComponentCollectionItem {
  CL_CLASS(TTip, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  const std::string& Text() const { return FText; }
  void SetText(const std::string& value) { FText = value; }
  void Assign(TPersistent* source) override
  {
    if (auto* tip = dynamic_cast<TTip*>(source))
      FText = tip->FText;
    else
      TcxComponentCollectionItem::Assign(source);
  }
  using TcxComponentCollectionItem::ChangeIndex;

protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override;

private:
  std::string FText;
};

class TOtherItem : public TcxComponentCollectionItem {
  CL_CLASS(TOtherItem, TcxComponentCollectionItem)
public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;

protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent*) override { return nullptr; }
};

// Records what the collection tells its descendants and its change handler.
class TLoggingCollection : public TcxComponentCollection {
  CL_CLASS(TLoggingCollection, TcxComponentCollection)
public:
  using TcxComponentCollection::TcxComponentCollection;
  std::vector<std::string>* Log = nullptr;

protected:
  void ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override
  {
    if (Log) Log->push_back("notify " + Describe(item, action));
  }

public:
  static std::string Describe(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action)
  {
    static const char* const Names[] = {"added", "changed", "extracting", "extracted", "deleting"};
    return std::string(item ? item->Name() : "(all)") + " " + Names[static_cast<int>(action)];
  }
};

class TTipRepository : public TComponent {
  CL_CLASS(TTipRepository, TComponent)
public:
  explicit TTipRepository(TComponent* owner)
      : TComponent(owner), FItems(New<TLoggingCollection>(this, TTip::StaticClass()))
  {
    FItems->Log = &Log;
    FItems->SetOnChange(TcxComponentCollectionChangeEvent(this, &TTipRepository::Changed));
  }
  void BeforeDestruction() override
  {
    FItems.reset();  // frees the items before the repository goes
    TComponent::BeforeDestruction();
  }
  TLoggingCollection* Items() const { return FItems.get(); }
  std::vector<std::string> Log;

private:
  void Changed(TObject* sender, TcxComponentCollectionItem* item, TcxComponentCollectionNotification action)
  {
    EXPECT_EQ(sender, FItems.get());
    Log.push_back("change " + TLoggingCollection::Describe(item, action));
  }
  TOwned<TLoggingCollection> FItems;
};

// Its tips were once stored as a plain collection property "Tips".
class TLegacyRepository : public TTipRepository {
  CL_CLASS(TLegacyRepository, TTipRepository)
public:
  using TTipRepository::TTipRepository;
  void DefineProperties(TFiler& filer) override
  {
    TTipRepository::DefineProperties(filer);
    filer.DefineProperty("Tips", [this](TReader& reader) { Items()->ReadLegacyCollection(reader); }, nullptr, false);
  }
};

TcxComponentCollection* TTip::GetCollectionFromParent(TComponent* parent)
{
  return static_cast<TTipRepository*>(parent)->Items();
}

using TLog = std::vector<std::string>;

class TChangeWatcher : public TObject {
  CL_CLASS(TChangeWatcher, TObject)
public:
  explicit TChangeWatcher(TLog& log) : FLog(log) {}
  void Changed(TObject*, TcxComponentCollectionItem* item, TcxComponentCollectionNotification action)
  {
    FLog.push_back("change " + TLoggingCollection::Describe(item, action));
  }

private:
  TLog& FLog;
};
}  // namespace

CL_DEFINE_CLASS(TChangeWatcher);

constexpr TPropInfo TipProps[] = {StrProp<&TTip::Text, &TTip::SetText>("Text")};
CL_DEFINE_CLASS(TTip, .Props = TipProps);
CL_DEFINE_CLASS(TOtherItem);
CL_DEFINE_CLASS(TLoggingCollection);
CL_DEFINE_CLASS(TTipRepository);
CL_DEFINE_CLASS(TLegacyRepository);

namespace {
class ComponentCollection : public testing::Test {
protected:
  void SetUp() override
  {
    Form.reset(New<TComponent>(nullptr));
    Repository = New<TTipRepository>(Form.get());
    Repository->SetName("Repository1");
  }
  TOwned<TComponent> Form;
  TTipRepository* Repository = nullptr;
};
}  // namespace

TEST_F(ComponentCollection, NewItemsAreOwnedByTheFormNamedAndReported)
{
  TcxComponentCollectionItem* first = Repository->Items()->AppendNewItem();
  TcxComponentCollectionItem* second = Repository->Items()->AppendNewItem();

  EXPECT_EQ(first->Owner(), Form.get());
  EXPECT_EQ(first->Name(), "Repository1Tip1");
  EXPECT_EQ(second->Name(), "Repository1Tip2");
  EXPECT_EQ(first->ID(), 0);
  EXPECT_EQ(second->ID(), 1);
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(first->GetParentComponent(), Repository);
  EXPECT_TRUE(first->HasParent());
  EXPECT_EQ(Repository->Items()->GetOwner(), Repository);
  // Named after the collection took it in, so the reports carry no name yet.
  EXPECT_EQ(Repository->Log, (TLog{"notify  added", "change  added", "notify  added", "change  added"}));
}

TEST_F(ComponentCollection, DetachingReportsExtractingThenExtracted)
{
  TcxComponentCollectionItem* tip = Repository->Items()->AppendNewItem();
  Repository->Log.clear();
  tip->SetCollection(nullptr);
  EXPECT_EQ(Repository->Log, (TLog{"notify Repository1Tip1 extracting", "notify Repository1Tip1 extracted",
                                   "change Repository1Tip1 extracted"}));
  EXPECT_EQ(tip->PositionInCollection(), -1);
  EXPECT_FALSE(tip->HasParent());
  Free(tip);  // outside any collection: nothing reported
  EXPECT_EQ(Repository->Log.size(), 3u);
}

TEST_F(ComponentCollection, ChangesInsideAnUpdateLockAreReportedOnceAsAllChanged)
{
  TcxComponentCollection* items = Repository->Items();
  items->LockUpdates();
  items->LockUpdates();
  TcxComponentCollectionItem* tip = items->AppendNewItem();
  items->AppendNewItem();
  tip->NotifyChanged();
  items->UnlockUpdates(true);  // still locked once
  items->UnlockUpdates(true);

  TLog changes;
  for (const std::string& line : Repository->Log)
    if (line.starts_with("change")) changes.push_back(line);
  EXPECT_EQ(changes, (TLog{"change (all) changed"}));

  Repository->Log.clear();
  tip->NotifyChanged();
  tip->NotifyChanged(true);
  items->UnlockUpdates();  // unbalanced: the count stays at 0
  EXPECT_EQ(items->UpdateCount(), 0);
  EXPECT_EQ(Repository->Log, (TLog{"change Repository1Tip1 changed", "change (all) changed"}));
}

TEST_F(ComponentCollection, ItemOfAnotherClassIsNotAttached)
{
  TOwned<TOtherItem> other(New<TOtherItem>(nullptr));
  Repository->Items()->AttachItem(other.get());
  Repository->Items()->AttachItem(nullptr);
  EXPECT_EQ(Repository->Items()->ItemCount(), 0);
  EXPECT_EQ(other->Collection(), nullptr);
  EXPECT_TRUE(Repository->Log.empty());
}

TEST_F(ComponentCollection, FreeingAnItemTakesItOutFirst)
{
  TcxComponentCollection* items = Repository->Items();
  TcxComponentCollectionItem* first = items->AppendNewItem();
  TcxComponentCollectionItem* second = items->AppendNewItem();
  Repository->Log.clear();
  Free(first);
  EXPECT_EQ(items->ItemCount(), 1);
  EXPECT_EQ(items->ItemAt(0), second);
  EXPECT_EQ(Repository->Log.back(), "change Repository1Tip1 extracted");
  EXPECT_EQ(Form->FindComponent("Repository1Tip1"), nullptr);
}

TEST_F(ComponentCollection, ChangingTheIndexMovesAndReportsAllChanged)
{
  TcxComponentCollection* items = Repository->Items();
  auto* first = static_cast<TTip*>(items->AppendNewItem());
  TcxComponentCollectionItem* second = items->AppendNewItem();
  Repository->Log.clear();
  first->ChangeIndex(0);  // where it is: nothing
  EXPECT_TRUE(Repository->Log.empty());
  first->SetIndex(1);
  EXPECT_EQ(items->ItemAt(0), second);
  EXPECT_EQ(first->Index(), 1);
  EXPECT_EQ(Repository->Log, (TLog{"change (all) changed"}));
  EXPECT_THROW(first->SetIndex(2), EListError);
  EXPECT_THROW(items->ItemAt(-1), EListError);
}

TEST_F(ComponentCollection, MovingBetweenCollectionsAndFreeingThemAll)
{
  auto* otherRepository = New<TTipRepository>(Form.get());
  otherRepository->SetName("Repository2");
  TcxComponentCollectionItem* tip = Repository->Items()->AppendNewItem();
  tip->SetParentComponent(otherRepository);  // as a stored form names the parent
  EXPECT_EQ(tip->Collection(), otherRepository->Items());
  EXPECT_EQ(Repository->Items()->ItemCount(), 0);
  EXPECT_EQ(tip->ID(), 0);

  otherRepository->Items()->AppendNewItem();
  otherRepository->Log.clear();
  otherRepository->Items()->FreeAllItems();
  EXPECT_EQ(otherRepository->Items()->ItemCount(), 0);
  TLog changes;
  for (const std::string& line : otherRepository->Log)
    if (line.starts_with("change")) changes.push_back(line);
  EXPECT_EQ(changes, (TLog{"change (all) changed"}));
}

TEST_F(ComponentCollection, AssignRecreatesTheItemsUnderOneReport)
{
  auto* source = New<TTipRepository>(Form.get());
  source->SetName("Source");
  static_cast<TTip*>(source->Items()->AppendNewItem())->SetText("one");
  static_cast<TTip*>(source->Items()->AppendNewItem())->SetText("two");
  Repository->Items()->AppendNewItem();
  Repository->Log.clear();

  Repository->Items()->Assign(source->Items());
  ASSERT_EQ(Repository->Items()->ItemCount(), 2);
  EXPECT_EQ(static_cast<TTip*>(Repository->Items()->ItemAt(0))->Text(), "one");
  EXPECT_EQ(static_cast<TTip*>(Repository->Items()->ItemAt(1))->Text(), "two");
  EXPECT_EQ(Repository->Items()->ItemAt(1)->Name(), "Repository1Tip2");
  TLog changes;
  for (const std::string& line : Repository->Log)
    if (line.starts_with("change")) changes.push_back(line);
  EXPECT_EQ(changes, (TLog{"change (all) changed"}));

  Repository->Items()->Assign(Repository->Items());  // onto itself: nothing lost
  EXPECT_EQ(Repository->Items()->ItemCount(), 2);
  EXPECT_THROW(Repository->Items()->Assign(Form.get()), EConvertError);
}

TEST_F(ComponentCollection, DestroyingTheParentFreesTheItemsSilently)
{
  Repository->Items()->AppendNewItem();
  Repository->Items()->AppendNewItem();
  TLog log;
  auto watcher = MakeOwned<TChangeWatcher>(log);
  Repository->Items()->SetOnChange(TcxComponentCollectionChangeEvent(watcher.get(), &TChangeWatcher::Changed));
  Repository->Items()->Log = &log;
  int before = Form->ComponentCount();  // the repository and its two items
  Free(Repository);
  EXPECT_EQ(Form->ComponentCount(), before - 3);
  EXPECT_EQ(log.size(), 4u);  // extracting and extracted for each item
  for (const std::string& line : log) EXPECT_FALSE(line.starts_with("change")) << line;
}

TEST(ComponentCollectionLegacy, OlderStoredFormFillsItemsInOrder)
{
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* repository = New<TLegacyRepository>(form.get());
  repository->SetName("Repository1");
  repository->Items()->AppendNewItem();  // an item already there takes the first entry
  repository->Log.clear();

  // The stored form as it was written when the tips were a plain collection: the first entry
  // carries an order number.
  TOwned<TMemoryStream> stream(New<TMemoryStream>());
  {
    auto writer = MakeOwned<TWriter>(*stream);
    writer->WriteSignature();
    writer->WriteStr("TLegacyRepository");
    writer->WriteStr("Repository1");
    writer->WriteStr("Tips");
    writer->WriteValue(TValueType::vaCollection);
    writer->WriteInteger(7);
    writer->WriteListBegin();
    writer->WriteStr("Text");
    writer->WriteString("one");
    writer->WriteListEnd();
    writer->WriteListBegin();
    writer->WriteStr("Text");
    writer->WriteString("两");
    writer->WriteListEnd();
    writer->WriteListEnd();  // the collection
    writer->WriteListEnd();  // the properties
    writer->WriteListEnd();  // the children
  }
  stream->SetPosition(0);
  ReadComponentFromStream(*stream, repository);

  ASSERT_EQ(repository->Items()->ItemCount(), 2);
  EXPECT_EQ(static_cast<TTip*>(repository->Items()->ItemAt(0))->Text(), "one");
  EXPECT_EQ(static_cast<TTip*>(repository->Items()->ItemAt(1))->Text(), "两");
  EXPECT_EQ(repository->Items()->ItemAt(1)->Owner(), form.get());
  EXPECT_EQ(repository->Log.back(), "change (all) changed");
}

// --- Sorted interfaced collection ---

namespace {
class TValueItem : public TcxInterfacedCollectionItem {
  CL_CLASS(TValueItem, TcxInterfacedCollectionItem)
public:
  using TcxInterfacedCollectionItem::TcxInterfacedCollectionItem;
  int Value = 0;
};

class TCompareLog : public TObject {
  CL_CLASS(TCompareLog, TObject)
public:
  int Compare(TCollectionItem* a, TCollectionItem* b)
  {
    return static_cast<TValueItem*>(a)->Value - static_cast<TValueItem*>(b)->Value;
  }
  void Changed(TObject*, TCollectionItem* item) { Items.push_back(item); }
  std::vector<TCollectionItem*> Items;
};

std::vector<int> Values(TCollection& c)
{
  std::vector<int> v;
  for (int i = 0; i < c.Count(); ++i) v.push_back(c.Item<TValueItem>(i)->Value);
  return v;
}
}  // namespace

CL_DEFINE_CLASS(TValueItem);
CL_DEFINE_CLASS(TCompareLog);

TEST(OwnedInterfacedCollection, SortsOnChangesOfAllItemsWithTheCompareHandler)
{
  auto log = MakeOwned<TCompareLog>();
  TOwned<TcxOwnedInterfacedCollection> items(
      New<TcxOwnedInterfacedCollection>(nullptr, TValueItem::StaticClass()));
  items->SetOnCompare(TcxCollectionCompareEvent(log.get(), &TCompareLog::Compare));
  items->SetOnChange(TcxOwnedInterfacedCollectionNotifyEvent(log.get(), &TCompareLog::Changed));
  items->BeginUpdate();
  for (int v : {3, 1, 2, 1}) items->Add<TValueItem>()->Value = v;
  TCollectionItem* firstOne = items->Items(1);
  items->EndUpdate();
  EXPECT_EQ(Values(*items), (std::vector<int>{3, 1, 2, 1}));  // not sorted yet
  EXPECT_EQ(log->Items, (std::vector<TCollectionItem*>{nullptr}));

  items->SetSorted(true);
  EXPECT_EQ(Values(*items), (std::vector<int>{1, 1, 2, 3}));
  EXPECT_EQ(items->Items(0), firstOne);  // equal items keep their order
  EXPECT_EQ(log->Items.size(), 2u);
}
