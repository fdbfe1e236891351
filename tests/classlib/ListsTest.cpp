// Pointer lists: notifications, index errors, ordering, and ownership by object and component lists.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "classlib/Lists.h"

namespace {

// Records every notification as "+p", "-p" (deleted) or "^p" (extracted), p the item's number.
class TRecordingList : public TList {
  CL_CLASS(TRecordingList, TList)
public:
  explicit TRecordingList(std::vector<std::string>* log) : FLog(log) {}

protected:
  void Notify(void* ptr, TListNotification action) override
  {
    static constexpr const char* Marks[] = {"+", "^", "-"};
    FLog->push_back(Marks[static_cast<int>(action)] + std::to_string(reinterpret_cast<intptr_t>(ptr)));
  }

private:
  std::vector<std::string>* FLog;
};

void* P(intptr_t n) { return reinterpret_cast<void*>(n); }

std::vector<intptr_t> Contents(const TList& list)
{
  std::vector<intptr_t> result;
  for (void* p : list.List()) result.push_back(reinterpret_cast<intptr_t>(p));
  return result;
}

// An object that reports its destruction.
class TTracked : public TObject {
  CL_CLASS(TTracked, TObject)
public:
  TTracked(std::vector<int>* freed, int id) : FFreed(freed), FId(id) {}
  ~TTracked() override { FFreed->push_back(FId); }

private:
  std::vector<int>* FFreed;
  int FId;
};

// A component that reports its destruction.
class TTrackedComponent : public TComponent {
  CL_CLASS(TTrackedComponent, TComponent)
public:
  TTrackedComponent(TComponent* owner, std::vector<int>* freed, int id) : TComponent(owner), FFreed(freed), FId(id) {}
  ~TTrackedComponent() override { FFreed->push_back(FId); }

private:
  std::vector<int>* FFreed;
  int FId;
};

}  // namespace

CL_DEFINE_CLASS(TRecordingList);
CL_DEFINE_CLASS(TTracked);
CL_DEFINE_CLASS(TTrackedComponent);

TEST(List, EveryChangeOfANonNullItemIsNotified)
{
  std::vector<std::string> log;
  TOwned<TRecordingList> list = MakeOwned<TRecordingList>(&log);
  list->Add(P(1));
  list->Add(nullptr);  // null items are not notified
  list->Insert(0, P(2));
  list->Add(P(3));
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{2, 1, 0, 3}));
  EXPECT_EQ(list->Extract(P(1)), P(1));
  EXPECT_EQ(list->Extract(P(9)), nullptr);
  EXPECT_EQ(list->Remove(P(3)), 2);
  EXPECT_EQ(list->Remove(P(9)), -1);
  list->SetItems(0, P(4));
  list->Exchange(0, 1);  // reordering is not notified
  list->Move(1, 0);
  list->SetCount(4);     // grows with nulls
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{4, 0, 0, 0}));
  list->Pack();
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{4}));
  list->Add(P(5));
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"+1", "+2", "+3", "^1", "-3", "-2", "+4", "+5", "-5", "-4"}));
  // Free clears the list through Notify too.
  log.clear();
  list->Add(P(6));
  list->Add(P(7));
  list.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"+6", "+7", "-7", "-6"}));
}

TEST(List, BadIndexesAndCountsRaiseListErrors)
{
  auto list = MakeOwned<TList>();
  list->Add(P(1));
  list->Add(P(2));
  struct Case {
    const char* What;
    std::function<void()> Op;
    const char* Message;
  };
  const Case cases[] = {
      {"Items(-1)", [&] { list->Items(-1); }, "List index out of bounds (-1)"},
      {"Items(Count)", [&] { list->Items(2); }, "List index out of bounds (2)"},
      {"Insert past end", [&] { list->Insert(3, nullptr); }, "List index out of bounds (3)"},
      {"Delete", [&] { list->Delete(2); }, "List index out of bounds (2)"},
      {"SetItems", [&] { list->SetItems(-5, nullptr); }, "List index out of bounds (-5)"},
      {"Exchange", [&] { list->Exchange(0, 7); }, "List index out of bounds (7)"},
      {"Move", [&] { list->Move(4, 0); }, "List index out of bounds (4)"},
      {"SetCount", [&] { list->SetCount(-1); }, "List count out of bounds (-1)"},
      {"SetCapacity", [&] { list->SetCapacity(1); }, "List capacity out of bounds (1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    try {
      c.Op();
      ADD_FAILURE() << "no exception";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{1, 2}));  // nothing changed on the way
  auto empty = MakeOwned<TList>();
  EXPECT_THROW(empty->First(), EListError);
  EXPECT_THROW(empty->Last(), EListError);
}

TEST(List, MoveSortAndCapacity)
{
  auto list = MakeOwned<TList>();
  for (intptr_t n : {5, 1, 4, 1, 3}) list->Add(P(n));
  list->Move(0, 4);
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{1, 4, 1, 3, 5}));
  list->Move(3, 0);
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{3, 1, 4, 1, 5}));
  list->Sort([](void* a, void* b) { return static_cast<int>(reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b)); });
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{1, 1, 3, 4, 5}));
  EXPECT_EQ(list->First(), P(1));
  EXPECT_EQ(list->Last(), P(5));
  list->SetCapacity(100);
  EXPECT_EQ(list->Capacity(), 100);
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{1, 1, 3, 4, 5}));
}

TEST(List, SortIsStableAndSurvivesAnInconsistentCompare)
{
  // Equal keys (the high part) keep their order.
  auto list = MakeOwned<TList>();
  for (intptr_t n : {0x21, 0x12, 0x22, 0x11, 0x23}) list->Add(P(n));
  list->Sort([](void* a, void* b) {
    return static_cast<int>((reinterpret_cast<intptr_t>(a) & 0xF) - (reinterpret_cast<intptr_t>(b) & 0xF));
  });
  EXPECT_EQ(Contents(*list), (std::vector<intptr_t>{0x21, 0x11, 0x12, 0x22, 0x23}));
  // A compare that answers at random still yields a permutation of the items.
  auto big = MakeOwned<TList>();
  for (intptr_t n = 1; n <= 2000; ++n) big->Add(P(n));
  big->Sort([](void*, void*) {
    static std::mt19937 random(7);
    return static_cast<int>(random() % 3) - 1;
  });
  std::vector<intptr_t> items = Contents(*big);
  std::sort(items.begin(), items.end());
  for (intptr_t n = 1; n <= 2000; ++n) ASSERT_EQ(items[n - 1], n);
}

TEST(ObjectList, AnOwningListFreesWhatItDeletesButNotWhatItExtracts)
{
  std::vector<int> freed;
  auto* list = New<TObjectList>();
  EXPECT_TRUE(list->OwnsObjects());
  auto* a = New<TTracked>(&freed, 1);
  auto* b = New<TTracked>(&freed, 2);
  auto* c = New<TTracked>(&freed, 3);
  list->Add(a);
  list->Add(b);
  list->Add(c);
  list->Delete(0);
  EXPECT_EQ(freed, std::vector<int>{1});
  EXPECT_EQ(list->Extract(b), b);
  EXPECT_EQ(freed, std::vector<int>{1});
  list->SetItems(0, b);  // replaces c, which the list owned
  EXPECT_EQ(freed, (std::vector<int>{1, 3}));
  list->Add(New<TTracked>(&freed, 4));
  EXPECT_EQ(list->Remove(b), 0);
  EXPECT_EQ(freed, (std::vector<int>{1, 3, 2}));
  Free(list);
  EXPECT_EQ(freed, (std::vector<int>{1, 3, 2, 4}));
}

TEST(ObjectList, AListThatDoesNotOwnLeavesItsObjectsAlone)
{
  std::vector<int> freed;
  auto a = MakeOwned<TTracked>(&freed, 1);
  {
    auto list = MakeOwned<TObjectList>(false);
    list->Add(a.get());
    list->Delete(0);
    list->Add(a.get());
  }
  EXPECT_TRUE(freed.empty());
  {
    auto owning = MakeOwned<TObjectList>();  // on the stack: its destructor still frees what it owns
    owning->Add(New<TTracked>(&freed, 2));
    EXPECT_EQ(owning->FindInstanceOf(TTracked::StaticClass()), 0);
    EXPECT_EQ(owning->FindInstanceOf(TObject::StaticClass()), -1);
    EXPECT_EQ(owning->FindInstanceOf(TObject::StaticClass(), false), 0);
  }
  EXPECT_EQ(freed, std::vector<int>{2});
}

TEST(ComponentList, AComponentFreedElsewhereLeavesTheList)
{
  std::vector<int> freed;
  TOwned<TComponent> form = MakeOwned<TComponent>(nullptr);
  for (bool owns : {true, false}) {
    SCOPED_TRACE(owns ? "owning" : "not owning");
    freed.clear();
    TOwned<TComponentList> list = MakeOwned<TComponentList>(owns);
    auto* a = New<TTrackedComponent>(form.get(), &freed, 1);
    auto* b = New<TTrackedComponent>(form.get(), &freed, 2);
    list->Add(a);
    list->Add(b);
    list->Add(a);  // twice: both occurrences go
    Free(a);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items(0), b);
    // The owner frees b: the list hears of it too.
    form->DestroyComponents();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(freed, (std::vector<int>{1, 2}));
  }
}

TEST(ComponentList, DeletingFreesOnlyInAnOwningListAndUnlinks)
{
  std::vector<int> freed;
  TOwned<TComponent> form = MakeOwned<TComponent>(nullptr);
  auto* kept = New<TTrackedComponent>(form.get(), &freed, 1);
  {
    auto list = MakeOwned<TComponentList>(false);
    list->Add(kept);
    list->Delete(0);
    list->Add(kept);
    EXPECT_EQ(list->Extract(kept), kept);
  }
  EXPECT_TRUE(freed.empty());
  Free(kept);  // no list is left holding a link to it
  EXPECT_EQ(freed, std::vector<int>{1});

  freed.clear();
  auto* list = New<TComponentList>();
  list->Add(New<TTrackedComponent>(nullptr, &freed, 2));
  list->Delete(0);
  EXPECT_EQ(freed, std::vector<int>{2});
  Free(list);
}

TEST(ComponentList, AnOwningListHoldingAComponentAndItsOwnerFreesEachOnce)
{
  std::vector<int> freed;
  for (bool ownerLast : {true, false}) {
    SCOPED_TRACE(ownerLast ? "owner last" : "owner first");
    freed.clear();
    {
      auto list = MakeOwned<TComponentList>();  // on the stack, cleared by its destructor
      auto* parent = New<TTrackedComponent>(nullptr, &freed, 1);
      auto* child = New<TTrackedComponent>(parent, &freed, 2);
      if (ownerLast) {
        list->Add(child);
        list->Add(parent);
      } else {
        list->Add(parent);
        list->Add(child);
      }
    }
    std::sort(freed.begin(), freed.end());
    EXPECT_EQ(freed, (std::vector<int>{1, 2}));
  }
}
