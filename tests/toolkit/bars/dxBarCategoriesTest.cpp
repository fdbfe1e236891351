// The manager's categories: items follow their categories through every change of the list, the
// list never stays empty, and the per-category settings.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Lists.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarManager.h"

namespace {
// A manager with the categories A, B, C and one item in each (Items[i] in category i).
struct TThreeCategories {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBarManagerCategories* Categories = Manager->Categories();
  std::vector<TWeakRef<TTestBarItem>> Items;

  TThreeCategories()
  {
    Categories->SetText("A\nB\nC");
    for (int i = 0; i < 3; ++i) {
      auto* item = New<TTestBarItem>(Form);
      item->SetCategory(i);
      Items.emplace_back(item);
    }
  }

  std::vector<int> ItemCategories() const
  {
    std::vector<int> result;
    for (const auto& item : Items) result.push_back(item ? item->Category() : -99);
    return result;
  }
  std::string Names() const { return Categories->CommaText(); }
};
}  // namespace

TEST(dxBarManagerCategories, ItemsFollowTheirCategoriesThroughEveryChangeOfTheList)
{
  struct TCase {
    const char* What;
    std::function<void(TdxBarManagerCategories*)> Change;
    std::string Names;
    std::vector<int> Categories;  // of the items made in A, B, C; -99 for a freed item
  };
  const TCase cases[] = {
    {"delete the first", [](auto* c) { c->Delete(0); }, "B,C", {-99, 0, 1}},
    {"delete the middle", [](auto* c) { c->Delete(1); }, "A,C", {0, -99, 1}},
    {"delete the last", [](auto* c) { c->Delete(2); }, "A,B", {0, 1, -99}},
    {"insert before the second", [](auto* c) { c->Insert(1, "X"); }, "A,X,B,C", {0, 2, 3}},
    {"insert first", [](auto* c) { c->Insert(0, "X"); }, "X,A,B,C", {1, 2, 3}},
    {"append", [](auto* c) { c->Add("X"); }, "A,B,C,X", {0, 1, 2}},
    {"append by insert", [](auto* c) { c->Insert(3, "X"); }, "A,B,C,X", {0, 1, 2}},
    {"exchange first and last", [](auto* c) { c->Exchange(0, 2); }, "C,B,A", {2, 1, 0}},
    {"move the first to the end", [](auto* c) { c->Move(0, 2); }, "B,C,A", {2, 0, 1}},
    {"move the last to the front", [](auto* c) { c->Move(2, 0); }, "C,A,B", {1, 2, 0}},
    {"move onto itself", [](auto* c) { c->Move(1, 1); }, "A,B,C", {0, 1, 2}},
    {"sort descending",
     [](auto* c) {
       c->CustomSort([](TStringList* list, int a, int b) { return -list->Strings(a).compare(list->Strings(b)); });
     },
     "C,B,A", {2, 1, 0}},
    {"clear keeps the items' indexes", [](auto* c) { c->Clear(); }, "", {0, 1, 2}},
  };
  for (const TCase& c : cases) {
    TThreeCategories f;
    c.Change(f.Categories);
    EXPECT_EQ(f.Names(), c.Names) << c.What;
    EXPECT_EQ(f.ItemCategories(), c.Categories) << c.What;
  }
}

TEST(dxBarManagerCategories, SortingRenamedCategoriesKeepsEveryItemWithItsName)
{
  TThreeCategories f;
  f.Categories->SetText("delta\nalpha\ncharlie\nbravo\necho");
  for (int i = 3; i < 5; ++i) {
    auto* item = New<TTestBarItem>(f.Form);
    item->SetCategory(i);
    f.Items.emplace_back(item);
  }
  f.Manager->SetCategoryVisible(0, false);
  f.Categories->Sort();
  EXPECT_EQ(f.Names(), "alpha,bravo,charlie,delta,echo");
  EXPECT_EQ(f.ItemCategories(), (std::vector<int>{3, 0, 2, 1, 4})) << "each item is still in its category";
  EXPECT_FALSE(f.Manager->GetCategoryVisible(3)) << "the settings move with their category";
  EXPECT_TRUE(f.Manager->GetCategoryVisible(0));
}

TEST(dxBarManagerCategories, TheListNeverStaysEmptyAndBadIndexesAnswerNeutrally)
{
  TThreeCategories f;
  f.Categories->Delete(2);
  f.Categories->Delete(1);
  f.Categories->Delete(0);
  EXPECT_EQ(f.Names(), "Default");
  EXPECT_EQ(f.ItemCategories(), (std::vector<int>{-99, -99, -99})) << "deleting a category frees its items";
  EXPECT_EQ(f.Manager->GetItemCount(), 0);

  EXPECT_EQ(f.Manager->GetCategoryItemsVisible(-1), ivNever);
  EXPECT_FALSE(f.Manager->GetCategoryVisible(-1));
  EXPECT_EQ(f.Manager->GetCategoryItemsVisible(1), ivNever);
  f.Categories->Add("Added");
  EXPECT_EQ(f.Manager->GetCategoryItemsVisible(1), ivAlways);
  EXPECT_TRUE(f.Manager->GetCategoryVisible(1));
  EXPECT_EQ(f.Categories->Data(1), nullptr) << "no data until a setting differs";
  f.Manager->SetCategoryVisible(5, false);
  f.Manager->SetCategoryItemsVisible(-1, ivNever);
  EXPECT_EQ(f.Categories->Count(), 2);
  EXPECT_THROW(f.Categories->Exchange(0, 5), EStringListError) << "the list's own index check";

  // Items refuse categories outside the list at run time; while loading any value is kept.
  auto* item = New<TTestBarItem>(f.Form);
  item->SetCategory(2);
  EXPECT_EQ(item->Category(), -1);
  item->SetCategory(1);
  EXPECT_EQ(item->Category(), 1);
  item->SetCategory(-1);
  EXPECT_EQ(item->Category(), 1);
}

TEST(dxBarManagerCategories, ItemsVisibleChangesOnlyTheItemsThatStillShowThePreviousValue)
{
  TThreeCategories f;
  auto* differing = New<TTestBarItem>(f.Form);
  differing->SetCategory(1);
  differing->SetVisible(ivInCustomizing);
  f.Manager->SetCategoryItemsVisible(1, ivNever);
  EXPECT_EQ(f.Items[1]->Visible(), ivNever);
  EXPECT_EQ(differing->Visible(), ivInCustomizing) << "its visibility differed from the category's";
  EXPECT_EQ(f.Items[0]->Visible(), ivAlways);
  EXPECT_EQ(f.Manager->GetCategoryItemsVisible(1), ivNever);
  f.Manager->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_EQ(f.Items[1]->Visible(), ivAlways);
  EXPECT_EQ(differing->Visible(), ivInCustomizing);

  // Category visibility and the visible categories counted at run time.
  f.Manager->SetCategoryVisible(0, false);
  EXPECT_EQ(f.Manager->VisibleCategoryToIndex(0), 1);
  EXPECT_EQ(f.Manager->VisibleCategoryToIndex(1), 2);
  EXPECT_EQ(f.Manager->VisibleCategoryToIndex(2), -1);
  TOwned<TList> list = MakeOwned<TList>();
  EXPECT_EQ(f.Manager->GetAllItemsOfCategory(1, list.get()), 2);
  EXPECT_EQ(f.Manager->GetAllItemsOfCategory(7, list.get()), 0);
}
