#include "toolkit/bars/dxBarCategories.h"

#include "classlib/Filer.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarStrs.h"

CL_DEFINE_CLASS(TdxBarCategoryData);
CL_DEFINE_CLASS(TdxBarManagerCategories);

namespace {
bool IsIntValue(TValueType type)
{
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32 ||
         type == TValueType::vaInt64;
}

bool IsBoolValue(TValueType type) { return type == TValueType::vaFalse || type == TValueType::vaTrue; }

// Reads a stored list value element by element: each element of the expected kind goes to apply
// with its position, any other is skipped; the reader ends after the list.
template <class Accept, class Read, class Apply>
void ReadStoredList(TReader& reader, Accept accept, Read read, Apply apply)
{
  reader.ReadListBegin();
  for (int index = 0; !reader.EndOfList(); ++index) {
    if (accept(reader.NextValue()))
      apply(index, read());
    else
      reader.SkipValue();
  }
  reader.ReadListEnd();
}
}  // namespace

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* owner) : FOwner(owner)
{
  if (!owner->IsLoading()) Add(GetResStringText(&dxSBAR_DEFAULTCATEGORYNAME));
  SetOnChange(TNotifyEvent(this, &TdxBarManagerCategories::CategoriesChanged));
}

void TdxBarManagerCategories::BeforeDestruction()
{
  ClearObjects();
  TStringList::BeforeDestruction();
}

void TdxBarManagerCategories::CategoriesChanged(TObject*) { FOwner->NotifyModified(); }

// --- Stored form ---

void TdxBarManagerCategories::DefineProperties(TFiler& filer)
{
  // The names first, so that the settings read after them find their categories.
  filer.DefineProperty(
      "Strings", [this](TReader& r) { ReadStrings(r); }, [this](TWriter& w) { WriteStrings(w); }, Count() > 0);
  filer.DefineProperty(
      "ItemsVisibles", [this](TReader& r) { ReadItemsVisibles(r); }, [this](TWriter& w) { WriteItemsVisibles(w); },
      true);
  filer.DefineProperty(
      "Visibles", [this](TReader& r) { ReadVisibles(r); }, [this](TWriter& w) { WriteVisibles(w); }, true);
}

void TdxBarManagerCategories::ReadStrings(TReader& reader)
{
  reader.ReadListBegin();
  BeginUpdate();
  try {
    Clear();
    while (!reader.EndOfList()) Add(reader.ReadString());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  reader.ReadListEnd();
}

void TdxBarManagerCategories::WriteStrings(TWriter& writer)
{
  writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer.WriteString(Strings(i));
  writer.WriteListEnd();
}

void TdxBarManagerCategories::ReadItemsVisibles(TReader& reader)
{
  BeginUpdate();
  try {
    ReadStoredList(
        reader, IsIntValue, [&] { return reader.ReadInteger(); },
        [&](int index, int value) {
          if (index < Count() && value >= 0 && value <= static_cast<int>(ivAlways))
            FOwner->SetCategoryItemsVisible(index, static_cast<TdxBarItemVisible>(value));
        });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter& writer)
{
  writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer.WriteInteger(static_cast<int>(FOwner->GetCategoryItemsVisible(i)));
  writer.WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader& reader)
{
  BeginUpdate();
  try {
    ReadStoredList(reader, IsBoolValue, [&] { return reader.ReadBoolean(); }, [&](int index, bool value) {
      if (index < Count()) FOwner->SetCategoryVisible(index, value);
    });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarManagerCategories::WriteVisibles(TWriter& writer)
{
  writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer.WriteBoolean(FOwner->GetCategoryVisible(i));
  writer.WriteListEnd();
}

// --- Data ---

TdxBarCategoryData* TdxBarManagerCategories::Data(int index) const
{
  return IsIndexValid(index) ? static_cast<TdxBarCategoryData*>(Objects(index)) : nullptr;
}

TdxBarCategoryData* TdxBarManagerCategories::EnsureData(int index)
{
  TdxBarCategoryData* data = Data(index);
  if (!data && IsIndexValid(index)) {
    data = New<TdxBarCategoryData>();
    PutObject(index, data);
  }
  return data;
}

void TdxBarManagerCategories::ClearObject(int index)
{
  if (TdxBarCategoryData* data = Data(index)) {
    PutObject(index, nullptr);
    Free(data);
  }
}

void TdxBarManagerCategories::ClearObjects()
{
  for (int i = 0; i < Count(); ++i) ClearObject(i);
}

// --- Items ---

std::vector<TdxBarComponent*> TdxBarManagerCategories::ItemsOf(int index) const
{
  TOwned<TList> list = MakeOwned<TList>();
  FOwner->GetAllItemsOfCategory(index, list.get());
  std::vector<TdxBarComponent*> items;
  for (int i = 0; i < list->Count(); ++i) items.push_back(static_cast<TdxBarComponent*>(list->Items(i)));
  return items;
}

void TdxBarManagerCategories::RenumberItems(int index, int newIndex)
{
  if (!IsIndexValid(index) || newIndex < 0) return;
  for (TdxBarComponent* item : ItemsOf(index)) static_cast<TdxBarItem*>(item)->FCategory = newIndex;
}

void TdxBarManagerCategories::FreeCategoryItems(int index)
{
  TOwned<TComponentList> items = MakeOwned<TComponentList>(true);
  for (TdxBarComponent* item : ItemsOf(index)) items->Add(item);
}

// --- Changes of the list ---

void TdxBarManagerCategories::Clear()
{
  ClearObjects();
  TStringList::Clear();
}

void TdxBarManagerCategories::Delete(int index)
{
  if (FMoving) {
    TStringList::Delete(index);
    return;
  }
  if (IsIndexValid(index)) {
    FreeCategoryItems(index);
    for (int i = index + 1; i < Count(); ++i) RenumberItems(i, i - 1);
    ClearObject(index);
    TStringList::Delete(index);
  }
  if (Count() == 0) Add(GetResStringText(&dxSBAR_DEFAULTCATEGORYNAME));
}

void TdxBarManagerCategories::Exchange(int index1, int index2)
{
  if (!IsIndexValid(index1) || !IsIndexValid(index2)) return TStringList::Exchange(index1, index2);
  const std::vector<TdxBarComponent*> items1 = ItemsOf(index1), items2 = ItemsOf(index2);
  for (TdxBarComponent* item : items1) static_cast<TdxBarItem*>(item)->FCategory = index2;
  for (TdxBarComponent* item : items2) static_cast<TdxBarItem*>(item)->FCategory = index1;
  TStringList::Exchange(index1, index2);
}

void TdxBarManagerCategories::InsertObject(int index, const std::string& s, TObject* obj)
{
  if (!FMoving && IsIndexValid(index))
    for (int i = Count() - 1; i >= index; --i) RenumberItems(i, i + 1);
  TStringList::InsertObject(index, s, obj);
}

void TdxBarManagerCategories::Move(int curIndex, int newIndex)
{
  if (!IsIndexValid(curIndex) || !IsIndexValid(newIndex) || curIndex == newIndex)
    return TStringList::Move(curIndex, newIndex);
  // Out of the way while the others shift; -1000 is no category's index.
  const std::vector<TdxBarComponent*> moved = ItemsOf(curIndex);
  for (TdxBarComponent* item : moved) static_cast<TdxBarItem*>(item)->FCategory = -1000;
  if (curIndex < newIndex)
    for (int i = curIndex + 1; i <= newIndex; ++i) RenumberItems(i, i - 1);
  else
    for (int i = curIndex - 1; i >= newIndex; --i) RenumberItems(i, i + 1);
  for (TdxBarComponent* item : moved) static_cast<TdxBarItem*>(item)->FCategory = newIndex;
  FMoving = true;
  try {
    TStringList::Move(curIndex, newIndex);
  } catch (...) {
    FMoving = false;
    throw;
  }
  FMoving = false;
}

void TdxBarManagerCategories::CustomSort(TStringListSortCompare compare)
{
  if (Sorted() || Count() < 2 || !compare) return;
  BeginUpdate();
  try {
    QuickSort(0, Count() - 1, compare);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarManagerCategories::QuickSort(int l, int r, TStringListSortCompare compare)
{
  int i;
  do {
    i = l;
    int j = r, p = (l + r) / 2;
    do {
      while (compare(this, i, p) < 0) ++i;
      while (compare(this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) Exchange(i, j);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) QuickSort(l, j, compare);
    l = i;
  } while (i < r);
}
