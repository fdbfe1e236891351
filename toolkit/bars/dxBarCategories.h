#pragma once
// The categories of a bar manager: a string list of category names that keeps the items' category
// indexes in step when categories are deleted, inserted, exchanged, moved or sorted, and that carries
// per category whether it is visible and the visibility given to all its items. The list never
// stays empty: deleting the last category adds the default one again.
//
// Stored form extras: "ItemsVisibles" (one integer per category) and "Visibles" (one Boolean per
// category), both always written after the names. Stored lists with too few or too many values
// apply what matches and skip the rest.
#include "classlib/Strings.h"
#include "toolkit/bars/dxBarComponents.h"

class TdxBarManager;

// The settings of one category; an entry without data counts as items visible ivAlways and visible.
class TdxBarCategoryData : public TObject {
  CL_CLASS(TdxBarCategoryData, TObject)
public:
  TdxBarCategoryData() = default;
  TdxBarItemVisible ItemsVisible = ivAlways;
  // Read from the stored form; the manager applies it when it has loaded.
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

class TdxBarManagerCategories : public TStringList {
  CL_CLASS(TdxBarManagerCategories, TStringList)
public:
  // Unless the manager is loading its form, one entry: the default category's name.
  explicit TdxBarManagerCategories(TdxBarManager* owner);
  void BeforeDestruction() override;

  TdxBarManager* Owner() const { return FOwner; }
  void DefineProperties(TFiler& filer) override;
  // The data objects go, then the entries (items keep their indexes).
  void Clear() override;
  // Frees the category's items, renumbers the later categories' items one down; the default
  // category comes back when the list becomes empty.
  void Delete(int index) override;
  void Exchange(int index1, int index2) override;
  // Inserting before an existing category renumbers the items from there on one up.
  void InsertObject(int index, const std::string& s, TObject* obj) override;
  void Move(int curIndex, int newIndex) override;
  // A quicksort with the middle element as pivot, every swap through Exchange.
  void CustomSort(TStringListSortCompare compare) override;

  bool IsIndexValid(int index) const { return index >= 0 && index < Count(); }
  // Every item of category index gets newIndex; nothing for an invalid index or a negative newIndex.
  void RenumberItems(int index, int newIndex);
  // The entry's data, nullptr when it has none.
  TdxBarCategoryData* Data(int index) const;
  // The entry's data, made when missing.
  TdxBarCategoryData* EnsureData(int index);
  void ClearObject(int index);
  void ClearObjects();

private:
  void CategoriesChanged(TObject* sender);
  void FreeCategoryItems(int index);
  // The items of the category, in item-list order.
  std::vector<TdxBarComponent*> ItemsOf(int index) const;
  void QuickSort(int l, int r, TStringListSortCompare compare);
  void ReadStrings(TReader& reader);
  void WriteStrings(TWriter& writer);
  void ReadItemsVisibles(TReader& reader);
  void WriteItemsVisibles(TWriter& writer);
  void ReadVisibles(TReader& reader);
  void WriteVisibles(TWriter& writer);

  TdxBarManager* FOwner;
  bool FMoving = false;
};
