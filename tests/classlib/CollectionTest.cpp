// Collections: item life, update counts, notifications and assignment.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Collection.h"
#include "classlib/TypInfo.h"

namespace {

class TNamedItem : public TCollectionItem {
  CL_CLASS(TNamedItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Text() const { return FText; }
  void SetText(const std::string& t) { FText = t; Changed(false); }
  void Assign(TPersistent* source) override
  {
    if (auto* other = dynamic_cast<TNamedItem*>(source)) { FText = other->FText; return; }
    TCollectionItem::Assign(source);
  }

private:
  std::string FText;
};

class TLoggingCollection : public TCollection {
  CL_CLASS(TLoggingCollection, TCollection)
public:
  TLoggingCollection() : TCollection(TNamedItem::StaticClass()) {}
  std::vector<std::string> Log;

protected:
  void Update(TCollectionItem* item) override { Log.push_back(item ? "update:item" : "update:all"); }
  void Notify(TCollectionItem*, TCollectionNotification action) override
  {
    static const char* names[] = {"added", "extracting", "deleting"};
    Log.push_back(names[static_cast<int>(action)]);
  }
};

}  // namespace

CL_DEFINE_CLASS(TNamedItem);
CL_DEFINE_CLASS(TLoggingCollection);

TEST(Collection, AddDeleteAndChangeReportTheirActions)
{
  TOwned<TLoggingCollection> c = MakeOwned<TLoggingCollection>();
  auto* item = c->Add<TNamedItem>();
  EXPECT_EQ(c->Log, (std::vector<std::string>{"added", "update:all"}));
  c->Log.clear();
  item->SetText("x");
  EXPECT_EQ(c->Log, std::vector<std::string>{"update:item"});
  c->Log.clear();
  c->Delete(0);
  EXPECT_EQ(c->Log, (std::vector<std::string>{"deleting", "extracting", "update:all"}));
  EXPECT_EQ(c->Count(), 0);
  EXPECT_THROW(c->Delete(0), EListError);
}

TEST(Collection, UpdateLockHoldsNoticesUntilTheLastEndUpdate)
{
  TOwned<TLoggingCollection> c = MakeOwned<TLoggingCollection>();
  c->BeginUpdate();
  c->BeginUpdate();
  c->Add<TNamedItem>()->SetText("a");
  c->Add<TNamedItem>()->SetText("b");
  c->EndUpdate();
  EXPECT_EQ(c->Log, (std::vector<std::string>{"added", "added"}));
  c->EndUpdate();
  EXPECT_EQ(c->Log.back(), "update:all");
  EXPECT_EQ(c->Log.size(), 3u);
}

TEST(Collection, IdsStayUniqueAndIndexesMove)
{
  TOwned<TLoggingCollection> c = MakeOwned<TLoggingCollection>();
  auto* a = c->Add<TNamedItem>();
  auto* b = c->Add<TNamedItem>();
  c->Delete(0);
  auto* d = c->Add<TNamedItem>();
  EXPECT_EQ(a == nullptr, false);
  EXPECT_EQ(b->ID(), 1);
  EXPECT_EQ(d->ID(), 2);
  EXPECT_EQ(c->FindItemID(2), d);
  EXPECT_EQ(c->FindItemID(0), nullptr);
  d->SetIndex(0);
  EXPECT_EQ(c->Items(0), d);
  EXPECT_EQ(b->Index(), 1);
  auto* e = static_cast<TNamedItem*>(c->Insert(1));
  EXPECT_EQ(e->Index(), 1);
  EXPECT_EQ(c->Count(), 3);
}

TEST(Collection, AssignCopiesItems)
{
  TOwned<TLoggingCollection> a = MakeOwned<TLoggingCollection>();
  TOwned<TLoggingCollection> b = MakeOwned<TLoggingCollection>();
  a->Add<TNamedItem>()->SetText("one");
  a->Add<TNamedItem>()->SetText("二");
  b->Add<TNamedItem>()->SetText("old");
  b->Assign(a.get());
  ASSERT_EQ(b->Count(), 2);
  EXPECT_EQ(b->Item<TNamedItem>(1)->Text(), "二");
  TOwned<TPersistent> plain = MakeOwned<TPersistent>();
  try {
    b->Assign(plain.get());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TLoggingCollection");
  }
}

TEST(Collection, ItemFreedDirectlyLeavesItsCollection)
{
  TOwned<TLoggingCollection> c = MakeOwned<TLoggingCollection>();
  auto* a = c->Add<TNamedItem>();
  c->Add<TNamedItem>();
  Free(a);
  EXPECT_EQ(c->Count(), 1);
  EXPECT_THROW(TCollection(TPersistent::StaticClass()), EInvalidOperation);
}
