// The toolkit's lists: freeing object list, handler-sorted string list, reporting component list.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "toolkit/base/cxClassesLists.h"

namespace {
// Counts the instances alive, to see what a list frees.
class TCounted : public TObject {
  CL_CLASS(TCounted, TObject)
public:
  TCounted() { ++Alive; }
  ~TCounted() override { --Alive; }
  static inline int Alive = 0;
};
}  // namespace

CL_DEFINE_CLASS(TCounted);

TEST(ObjectList, FreesWhatItOwnsAndOnlyWhatIsAsked)
{
  TCounted::Alive = 0;
  {
    TOwned<TcxObjectList> list(New<TcxObjectList>());
    EXPECT_TRUE(list->OwnsObjects());
    auto* a = New<TCounted>();
    auto* b = New<TCounted>();
    list->Add(a);
    list->Add(b);
    list->Add(New<TCounted>());
    auto outsider = MakeOwned<TCounted>();
    EXPECT_EQ(list->RemoveAndFree(outsider.get()), -1);
    EXPECT_EQ(TCounted::Alive, 4);
    EXPECT_EQ(list->RemoveAndFree(b), 1);
    EXPECT_EQ(TCounted::Alive, 3);
    list->DeleteAndFree(0);
    EXPECT_EQ(TCounted::Alive, 2);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_THROW(list->DeleteAndFree(5), EListError);
    list->Clear();
    EXPECT_EQ(TCounted::Alive, 1);  // the outsider
    list->Add(New<TCounted>());
  }
  EXPECT_EQ(TCounted::Alive, 0);  // freeing the list frees the rest

  auto kept = MakeOwned<TCounted>();
  {
    auto onStack = MakeOwned<TcxObjectList>(false);
    onStack->Add(kept.get());
    onStack->Clear();
    onStack->Add(kept.get());
  }
  EXPECT_EQ(TCounted::Alive, 1);
  {
    auto owning = MakeOwned<TcxObjectList>();  // on the stack, without Free: still frees
    owning->Add(New<TCounted>());
  }
  EXPECT_EQ(TCounted::Alive, 1);
}

namespace {
class TByLength : public TObject {
  CL_CLASS(TByLength, TObject)
public:
  int Compare(TcxStringList* list, int a, int b)
  {
    return static_cast<int>(list->Get(a).size()) - static_cast<int>(list->Get(b).size());
  }
};
}  // namespace

CL_DEFINE_CLASS(TByLength);

TEST(StringList, SortsWithItsHandlerWhenOneIsSet)
{
  TOwned<TcxStringList> list(New<TcxStringList>());
  for (const char* s : {"ccc", "a", "BB", "dddd", "b"}) list->Add(s);
  list->Sort();
  EXPECT_EQ(list->Text(), "a\r\nb\r\nBB\r\nccc\r\ndddd\r\n");
  auto byLength = MakeOwned<TByLength>();
  list->SetOnCompare(TcxStringListCompareEvent(byLength.get(), &TByLength::Compare));
  list->Clear();
  for (const char* s : {"ccc", "a", "BB", "dddd", "b"}) list->Add(s);
  list->Sort();
  EXPECT_EQ(list->Text(), "a\r\nb\r\nBB\r\nccc\r\ndddd\r\n");
  list->Clear();
  for (const char* s : {"zz", "y", "xxx"}) list->Add(s);
  list->Sort();
  EXPECT_EQ(list->Text(), "y\r\nzz\r\nxxx\r\n");
}

namespace {
class TListButton : public TComponent {
  CL_CLASS(TListButton, TComponent)
public:
  using TComponent::TComponent;
};

// Accepts buttons only.
class TButtonList : public TcxComponentList {
  CL_CLASS(TButtonList, TcxComponentList)
public:
  TButtonList() = default;

protected:
  TClass AcceptedItemClass() const override { return TListButton::StaticClass(); }
};

class TListLog : public TObject {
  CL_CLASS(TListLog, TObject)
public:
  void Item(TObject*, TComponent* c, TcxComponentCollectionNotification a) { Items.push_back(Describe(c, a)); }
  void Changed(TObject*, TComponent* c, TcxComponentCollectionNotification a) { Changes.push_back(Describe(c, a)); }
  static std::string Describe(TComponent* c, TcxComponentCollectionNotification a)
  {
    return (c ? c->Name() : std::string("(all)")) + " " + std::to_string(static_cast<int>(a));
  }
  std::vector<std::string> Items, Changes;
};
}  // namespace

CL_DEFINE_CLASS(TListButton);
CL_DEFINE_CLASS(TButtonList);
CL_DEFINE_CLASS(TListLog);

TEST(ComponentList, ReportsAddedExtractedDeletedAndOneChangeAfterALock)
{
  TOwned<TComponent> form(New<TComponent>(nullptr));
  auto* a = New<TListButton>(form.get());
  a->SetName("A");
  auto* b = New<TListButton>(form.get());
  b->SetName("B");
  auto* c = New<TListButton>(form.get());
  c->SetName("C");
  auto log = MakeOwned<TListLog>();
  TOwned<TButtonList> list(New<TButtonList>());
  list->SetOnNotify(TcxComponentListNotifyEvent(log.get(), &TListLog::Item));
  list->SetOnComponentListChanged(TcxComponentListNotifyEvent(log.get(), &TListLog::Changed));

  list->Add(a);
  list->Add(b);
  list->Extract(a);
  list->Delete(0);  // b, which the list does not own
  EXPECT_EQ(log->Changes, (std::vector<std::string>{"A 0", "B 0", "A 3", "B 4"}));
  EXPECT_EQ(log->Items, log->Changes);
  EXPECT_EQ(form->ComponentCount(), 3);

  log->Changes.clear();
  log->Items.clear();
  list->LockNotifications();
  list->Add(a);
  list->Add(b);
  list->UnlockWithoutNotify();
  EXPECT_TRUE(log->Changes.empty());
  EXPECT_EQ(log->Items.size(), 2u);  // items are still told

  list->Add(c);
  log->Changes.clear();
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(log->Changes, (std::vector<std::string>{"(all) 1"}));
  EXPECT_EQ(form->ComponentCount(), 3);

  // Unbalanced unlocking stays at no lock.
  list->UnlockNotifications();
  EXPECT_FALSE(list->NotificationsLocked());
}

TEST(ComponentList, RefusesOtherClassesAndDropsFreedComponents)
{
  auto log = MakeOwned<TListLog>();
  TOwned<TButtonList> list(New<TButtonList>());
  list->SetOnComponentListChanged(TcxComponentListNotifyEvent(log.get(), &TListLog::Changed));
  TOwned<TComponent> plain(New<TComponent>(nullptr));
  list->Add(plain.get());
  EXPECT_EQ(list->Count(), 0);
  EXPECT_TRUE(log->Changes.empty());

  auto* button = New<TListButton>(nullptr);
  button->SetName("Button");
  list->Add(button);
  Free(button);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(log->Changes, (std::vector<std::string>{"Button 0", "Button 3"}));
}
