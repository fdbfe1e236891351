#include "toolkit/base/cxClassesRegistries.h"

#include <algorithm>
#include "classlib/Lists.h"
#include "toolkit/base/cxClasses.h"

CL_DEFINE_CLASS(TcxRegisteredClassList);
CL_DEFINE_CLASS(TcxRegisteredClasses);

namespace {
[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

// --- TcxRegisteredClassList ---

bool TcxRegisteredClassList::FindEntryFor(TClassRef<> itemClass, int& index) const
{
  index = -1;
  if (!itemClass) return false;
  for (int i = GetCount() - 1; i >= 0; --i) {
    TClassRef<> entryClass = FItems[i].ItemClass;
    if (itemClass.InheritsFrom(entryClass.Class())) {
      index = i;
      return true;
    }
    if (entryClass.InheritsFrom(itemClass.Class())) index = i;
  }
  return false;
}

void TcxRegisteredClassList::AddRegistration(TClassRef<> itemClass, TClassRef<> registeredClass)
{
  if (!itemClass) return;
  TcxRegisteredClassListItemData pair{itemClass, registeredClass};
  int index;
  if (FindEntryFor(itemClass, index))
    FItems.insert(FItems.begin() + index + 1, pair);
  else if (index >= 0)
    FItems.insert(FItems.begin() + index, pair);
  else
    FItems.push_back(pair);
}

void TcxRegisteredClassList::RemoveRegistration(TClassRef<> itemClass, TClassRef<> registeredClass)
{
  FItems.erase(std::remove_if(FItems.begin(), FItems.end(),
                              [&](const TcxRegisteredClassListItemData& p) {
                                return p.ItemClass == itemClass && p.RegisteredClass == registeredClass;
                              }),
               FItems.end());
}

TClassRef<> TcxRegisteredClassList::LookUpRegisteredClass(TClassRef<> itemClass) const
{
  int index;
  return FindEntryFor(itemClass, index) ? FItems[index].RegisteredClass : nullptr;
}

const TcxRegisteredClassListItemData& TcxRegisteredClassList::GetEntry(int index) const
{
  if (index < 0 || index >= GetCount()) IndexError(index);
  return FItems[index];
}

// --- TcxRegisteredClasses ---

void TcxRegisteredClasses::CheckIndex(int index) const
{
  if (index < 0 || index >= GetClassCount()) IndexError(index);
}

void TcxRegisteredClasses::AddClassWithDescription(TClassRef<> c, std::string_view text)
{
  if (!c || IndexOfClass(c) >= 0) return;
  // Registered first: a name already taken by another class raises before the list changes.
  if (FRegisterClasses) ::RegisterClass(c.Class());
  FEntries.push_back({std::string(text), c});
  if (FSorted) SortEntries();
}

void TcxRegisteredClasses::RemoveClassEntry(TClassRef<> c)
{
  int index = IndexOfClass(c);
  if (index >= 0) FEntries.erase(FEntries.begin() + index);
}

TClassRef<> TcxRegisteredClasses::FindByClassName(std::string_view className) const
{
  for (const TEntry& e : FEntries)
    if (e.Class.Name() == className) return e.Class;
  return nullptr;
}

TClassRef<> TcxRegisteredClasses::FindByDescription(std::string_view description) const
{
  for (const TEntry& e : FEntries)
    if (TakeTextBeforeBar(e.Text) == description) return e.Class;
  return nullptr;
}

int TcxRegisteredClasses::IndexOfClass(TClassRef<> c) const
{
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (FEntries[i].Class == c) return static_cast<int>(i);
  return -1;
}

TClassRef<> TcxRegisteredClasses::GetClassAt(int index) const
{
  CheckIndex(index);
  return FEntries[index].Class;
}

std::string TcxRegisteredClasses::GetDescriptionText(int index) const
{
  CheckIndex(index);
  return TakeTextBeforeBar(FEntries[index].Text);
}

const std::string& TcxRegisteredClasses::GetEntryText(int index) const
{
  CheckIndex(index);
  return FEntries[index].Text;
}

void TcxRegisteredClasses::SetSorted(bool value)
{
  SetAndNotify(FSorted, value, [this] { if (FSorted) SortEntries(); });
}

int TcxRegisteredClasses::CompareDescriptions(int index1, int index2) const
{
  std::string a = GetDescriptionText(index1), b = GetDescriptionText(index2);
  int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()));
  return result == 0 ? 0 : result - CSTR_EQUAL;
}

void TcxRegisteredClasses::SortEntries()
{
  // Stable: entries with equal descriptions keep the order they were added in.
  std::vector<int> order =
      StableSortOrder(GetClassCount(), [this](int a, int b) { return CompareDescriptions(a, b); });
  std::vector<TEntry> sorted;
  sorted.reserve(FEntries.size());
  for (int i : order) sorted.push_back(std::move(FEntries[i]));
  FEntries = std::move(sorted);
}
