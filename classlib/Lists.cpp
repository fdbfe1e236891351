#include "classlib/Lists.h"

#include <algorithm>
#include <numeric>
#include <string>

CL_DEFINE_CLASS(TList);
CL_DEFINE_CLASS(TObjectList);
CL_DEFINE_CLASS(TComponentList);
CL_DEFINE_CLASS_NAMED(TComponentList::TNexus, "TComponentListNexus");

std::vector<int> StableSortOrder(int count, const std::function<int(int, int)>& compare)
{
  size_t n = static_cast<size_t>(std::max(count, 0));
  std::vector<int> order(n), merged(n);
  std::iota(order.begin(), order.end(), 0);
  // Bottom-up merge sort: every loop is bounded by the run ends, whatever compare answers.
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) merged[k++] = compare(order[j], order[i]) < 0 ? order[j++] : order[i++];
      while (i < mid) merged[k++] = order[i++];
      while (j < hi) merged[k++] = order[j++];
    }
    order.swap(merged);
  }
  return order;
}

// --- TList ---

void TList::IndexError(int index) { throw EListError("List index out of bounds (" + std::to_string(index) + ")"); }

void TList::BeforeDestruction()
{
  Clear();
  TObject::BeforeDestruction();
}

int TList::Add(void* item)
{
  FList.push_back(item);
  int index = Count() - 1;
  if (item) Notify(item, TListNotification::lnAdded);
  return index;
}

void TList::Insert(int index, void* item)
{
  if (index < 0 || index > Count()) IndexError(index);
  FList.insert(FList.begin() + index, item);
  if (item) Notify(item, TListNotification::lnAdded);
}

void TList::Delete(int index)
{
  void* item = Items(index);
  FList.erase(FList.begin() + index);
  if (item) Notify(item, TListNotification::lnDeleted);
}

int TList::Remove(void* item)
{
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item)
{
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  void* result = FList[index];
  FList.erase(FList.begin() + index);
  if (result) Notify(result, TListNotification::lnExtracted);
  return result;
}

int TList::IndexOf(const void* item) const
{
  auto it = std::find(FList.begin(), FList.end(), item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int index1, int index2)
{
  if (index1 < 0 || index1 >= Count()) IndexError(index1);
  if (index2 < 0 || index2 >= Count()) IndexError(index2);
  std::swap(FList[index1], FList[index2]);
}

void TList::Move(int curIndex, int newIndex)
{
  if (curIndex < 0 || curIndex >= Count()) IndexError(curIndex);
  if (newIndex < 0 || newIndex >= Count()) IndexError(newIndex);
  if (curIndex < newIndex)
    std::rotate(FList.begin() + curIndex, FList.begin() + curIndex + 1, FList.begin() + newIndex + 1);
  else if (curIndex > newIndex)
    std::rotate(FList.begin() + newIndex, FList.begin() + curIndex, FList.begin() + curIndex + 1);
}

void TList::Sort(TListSortCompare compare)
{
  if (Count() < 2 || !compare) return;
  std::vector<int> order = StableSortOrder(Count(), [&](int a, int b) { return compare(FList[a], FList[b]); });
  std::vector<void*> sorted;
  sorted.reserve(FList.capacity());
  for (int i : order) sorted.push_back(FList[i]);
  FList.swap(sorted);
}

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Clear()
{
  SetCount(0);
  SetCapacity(0);
}

void TList::SetCount(int count)
{
  if (count < 0) throw EListError("List count out of bounds (" + std::to_string(count) + ")");
  if (count >= Count()) {
    FList.resize(static_cast<size_t>(count), nullptr);
    return;
  }
  // One at a time from the end: a notified item may take others out of the list as it goes.
  while (Count() > count) Delete(Count() - 1);
}

void TList::SetCapacity(int capacity)
{
  if (capacity < Count()) throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
  if (static_cast<size_t>(capacity) == FList.capacity()) return;
  std::vector<void*> list;
  list.reserve(static_cast<size_t>(capacity));
  list.assign(FList.begin(), FList.end());
  FList.swap(list);
}

void* TList::Items(int index) const
{
  if (index < 0 || index >= Count()) IndexError(index);
  return FList[index];
}

void TList::SetItems(int index, void* item)
{
  if (index < 0 || index >= Count()) IndexError(index);
  void* old = FList[index];
  if (old == item) return;
  FList[index] = item;
  if (old) Notify(old, TListNotification::lnDeleted);
  if (item) Notify(item, TListNotification::lnAdded);
}

// --- TObjectList ---

void TObjectList::Notify(void* ptr, TListNotification action)
{
  if (FOwnsObjects && action == TListNotification::lnDeleted) Free(static_cast<TObject*>(ptr));
  TList::Notify(ptr, action);
}

int TObjectList::FindInstanceOf(TClass c, bool exact, int startAt) const
{
  for (int i = std::max(startAt, 0); i < Count(); ++i) {
    auto* obj = static_cast<TObject*>(FList[i]);
    if (obj && (exact ? obj->ClassType() == c : obj->InheritsFrom(c))) return i;
  }
  return -1;
}

// --- TComponentList ---

TComponentList::~TComponentList()
{
  // Cleared here, where Notify is still this class's: the links to the components go and an
  // owning list frees them, while the nexus still takes out components freed by others.
  Clear();
  if (FNexus) FNexus->FList = nullptr;
}

void TComponentList::Notify(void* ptr, TListNotification action)
{
  auto* component = static_cast<TComponent*>(static_cast<TObject*>(ptr));
  if (action == TListNotification::lnAdded) {
    if (!FNexus) FNexus = MakeOwned<TNexus>(this);
    FNexus->FreeNotification(component);
  } else if (FNexus && IndexOf(component) < 0) {
    // Its last occurrence has left: stop listening, before an owning list frees it.
    FNexus->RemoveFreeNotification(component);
  }
  TObjectList::Notify(ptr, action);
}

void TComponentList::HandleFreeNotify(TComponent* component)
{
  while (Extract(component)) {
  }
}
