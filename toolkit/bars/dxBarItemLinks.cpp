// The links collection: adding and moving links, the derived lists, recent items, navigation,
// accelerators and shortcuts, item options, name resolution, merging, layouts and the update notice.
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarControl.h"

#include <algorithm>
#include <climits>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr std::string_view ItemOptionValueNames[] = {"ioShowDescriptions", "ioShowShortCuts", "ioSize"};
constexpr std::string_view MenuItemSizeNames[] = {"misNormal", "misLarge"};
const TEnumInfo ItemOptionValueInfo =
    EnumInfo<TdxBarItemOptionValue::ioSize>("TdxBarItemOptionValue", ItemOptionValueNames);
const TEnumInfo MenuItemSizeInfo = EnumInfo<misLarge>("TdxBarMenuItemSize", MenuItemSizeNames);

using TO = TdxBarItemOptions;
const TPropInfo ItemOptionsProps[] = {
  Stored<&TO::IsAssignedValuesStored>(
      SetProp<&TO::AssignedValues, &TO::SetAssignedValues>("AssignedValues", ItemOptionValueInfo, 0)),
  Stored<&TO::IsShowDescriptionsStored>(OrdProp<&TO::ShowDescriptions, &TO::SetShowDescriptions>(
      "ShowDescriptions", TPropKind::Boolean)),
  Stored<&TO::IsShowShortCutsStored>(
      OrdProp<&TO::ShowShortCuts, &TO::SetShowShortCuts>("ShowShortCuts", TPropKind::Boolean)),
  Stored<&TO::IsSizeStored>(
      OrdProp<&TO::Size, &TO::SetSize>("Size", TPropKind::Enumeration, &MenuItemSizeInfo)),
};

template <class T>
int IndexIn(const std::vector<T*>& list, const T* item)
{
  auto it = std::find(list.begin(), list.end(), item);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// The links of the collection now, each held weakly: a link may go while the others are visited.
std::vector<TWeakRef<TdxBarItemLink>> Snapshot(const TdxBarItemLinks* links)
{
  std::vector<TWeakRef<TdxBarItemLink>> all;
  for (int i = 0; i < links->Count(); ++i) all.emplace_back(links->Items(i));
  return all;
}
}  // namespace

CL_DEFINE_CLASS(TdxBarItemOptions, .Props = ItemOptionsProps);
CL_DEFINE_CLASS(TdxBarItemLinks);
CL_DEFINE_CLASS(TdxBarControlItemLinks);
CL_DEFINE_CLASS(TdxBarSubMenuControlItemLinks);

// --- TdxBarItemOptions ---

TdxBarItemOptions::TdxBarItemOptions(TdxBarItemLinks* links) : FLinks(links)
{
  FShowDescriptions = links && links->GetItemOptionDefault(TdxBarItemOptionValue::ioShowDescriptions) != 0;
  FShowShortCuts = !links || links->GetItemOptionDefault(TdxBarItemOptionValue::ioShowShortCuts) != 0;
  FSize = links ? static_cast<TdxBarMenuItemSize>(links->GetItemOptionDefault(TdxBarItemOptionValue::ioSize))
                : misNormal;
}

TPersistent* TdxBarItemOptions::GetOwner() const { return FLinks; }

void TdxBarItemOptions::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarItemOptions*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  FAssignedValues = other->FAssignedValues;
  FShowDescriptions = other->FShowDescriptions;
  FShowShortCuts = other->FShowShortCuts;
  FSize = other->FSize;
}

int TdxBarItemOptions::OwnValue(TdxBarItemOptionValue option) const
{
  switch (option) {
    case TdxBarItemOptionValue::ioShowDescriptions: return FShowDescriptions;
    case TdxBarItemOptionValue::ioShowShortCuts: return FShowShortCuts;
    case TdxBarItemOptionValue::ioSize: return static_cast<int>(FSize);
  }
  return 0;
}

namespace {
int OptionValue(const TdxBarItemOptions* options, const TdxBarItemLinks* links, TdxBarItemOptionValue option)
{
  if (options->AssignedValues().Contains(option) || !links) return options->OwnValue(option);
  return links->GetItemOptionDefault(option);
}
}  // namespace

bool TdxBarItemOptions::ShowDescriptions() const
{
  return OptionValue(this, FLinks, TdxBarItemOptionValue::ioShowDescriptions) != 0;
}

bool TdxBarItemOptions::ShowShortCuts() const
{
  return OptionValue(this, FLinks, TdxBarItemOptionValue::ioShowShortCuts) != 0;
}

TdxBarMenuItemSize TdxBarItemOptions::Size() const
{
  return static_cast<TdxBarMenuItemSize>(OptionValue(this, FLinks, TdxBarItemOptionValue::ioSize));
}

void TdxBarItemOptions::SetShowDescriptions(bool value)
{
  FShowDescriptions = value;
  FAssignedValues.Include(TdxBarItemOptionValue::ioShowDescriptions);
}

void TdxBarItemOptions::SetShowShortCuts(bool value)
{
  FShowShortCuts = value;
  FAssignedValues.Include(TdxBarItemOptionValue::ioShowShortCuts);
}

void TdxBarItemOptions::SetSize(TdxBarMenuItemSize value)
{
  FSize = value;
  FAssignedValues.Include(TdxBarItemOptionValue::ioSize);
}

// --- TdxBarItemLinks: life ---

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* barManager, IdxBarLinksOwner* owner)
    : TCollection(TdxBarItemLink::StaticClass()), FBarManager(barManager), FOwner(owner)
{
}

TdxBarItemLinks::~TdxBarItemLinks() = default;

void TdxBarItemLinks::BeforeDestruction()
{
  FreeBarControl();
  FDistributionSetByHand.clear();
  FAvailableLinks.clear();
  FShowableLinks.clear();
  FVisibleLinks.clear();
  TCollection::BeforeDestruction();
  FRecentList.clear();
  FItemOptions.reset();
}

TCustomdxBarControl* TdxBarItemLinks::CreateBarControl()
{
  if (!FBarControl && FOwner)
    if (TCustomdxBarControl* control = FOwner->CreateBarControl()) control->SetItemLinks(this);
  return FBarControl;
}

void TdxBarItemLinks::FreeBarControl()
{
  TCustomdxBarControl* control = FBarControl;
  if (!control || control->Destroying()) return;
  control->SetItemLinks(nullptr);
  Free(control);
}

void TdxBarItemLinks::AfterConstruction()
{
  TCollection::AfterConstruction();
  FItemOptions = MakeOwned<TdxBarItemOptions>(this);
}

TPersistent* TdxBarItemLinks::GetOwner() const { return GetOwnerComponent(); }

TComponent* TdxBarItemLinks::GetOwnerComponent() const
{
  return FOwner ? dynamic_cast<TComponent*>(FOwner->GetInstance()) : nullptr;
}

bool TdxBarItemLinks::IsMenu() const { return !dynamic_cast<TdxBar*>(GetOwnerComponent()); }

void TdxBarItemLinks::SetUseRecentItems(bool value)
{
  if (FUseRecentItems == value) return;
  FUseRecentItems = value;
  RebuildLinkLists();
}

void TdxBarItemLinks::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarItemLinks*>(source);
  if (!other) {
    TCollection::Assign(source);
    return;
  }
  // The MDI system-menu item of a child form stays first.
  TdxBarItem* systemMenu =
      Count() > 0 && InheritsFromClassNamed(Items(0)->Item(), "TSystemMenuSubItem") ? Items(0)->Item() : nullptr;
  auto finish = [&] {
    FAssigning = false;
    for (const TWeakRef<TdxBarItemLink>& link : Snapshot(this))
      if (link) link->SetVisible(link->LoadedVisible());
    if (systemMenu) AddItem(systemMenu)->SetIndex(0);
  };
  FAssigning = true;
  try {
    TCollection::Assign(source);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// --- Adding and moving ---

TdxBarItemLink* TdxBarItemLinks::AddLink() { return TCollection::Add<TdxBarItemLink>(); }

TdxBarItemLink* TdxBarItemLinks::InsertLink(int index) { return As<TdxBarItemLink>(TCollection::Insert(index)); }

TdxBarItemLink* TdxBarItemLinks::AddItem(TdxBarItem* item)
{
  BeginUpdate();
  TdxBarItemLink* link = nullptr;
  try {
    link = AddLink();
    link->SetItem(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return link;
}

TdxBarItemLink* TdxBarItemLinks::AddItemOfClass(TdxBarItemClass itemClass, TComponent* owner)
{
  TdxBarItem* item = itemClass.Create(owner ? owner : static_cast<TComponent*>(FBarManager));
  try {
    return AddItem(item);
  } catch (...) {
    Free(item);
    throw;
  }
}

TdxBarItemLink* TdxBarItemLinks::AddNewItem(TdxBarItemClass itemClass)
{
  return FBarManager ? AddItem(FBarManager->CreateItemOfClass(itemClass)) : nullptr;
}

void TdxBarItemLinks::MoveLink(int from, int to)
{
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  BeginUpdate();
  try {
    Items(from)->SetIndex(to);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  // The bar control repaints here once bar controls exist.
}

int TdxBarItemLinks::IndexOfItemName(std::string_view name) const
{
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItem* item = Items(i)->Item(); item && SameIdent(item->Name(), name)) return i;
  return -1;
}

int TdxBarItemLinks::IndexOfLink(const TdxBarItemLink* link) const
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i) == link) return i;
  return -1;
}

// --- Derived lists ---

int TdxBarItemLinks::IndexOfShowable(const TdxBarItemLink* link) const { return IndexIn(FShowableLinks, link); }
int TdxBarItemLinks::IndexOfVisible(const TdxBarItemLink* link) const { return IndexIn(FVisibleLinks, link); }
int TdxBarItemLinks::IndexOfRecent(const TdxBarItemLink* link) const { return IndexIn(FRecentList, link); }

bool TdxBarItemLinks::IsSeparatorLink(const TdxBarItemLink* link) const
{
  return link && InheritsFromClassNamed(link->FItem, "TdxBarSeparator");
}

void TdxBarItemLinks::RebuildLinkLists()
{
  FAvailableLinks.clear();
  FShowableLinks.clear();
  FVisibleLinks.clear();
  const bool designing = FBarManager && FBarManager->IsDesigning();
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = Items(i);
    if (!link->FItem || !(designing || link->FItem->IsVisibleInCurrentMode())) continue;
    FAvailableLinks.push_back(link);
    if (!(designing || link->FVisible)) continue;
    FShowableLinks.push_back(link);
    if (designing || FRecentItemCount == -1) FVisibleLinks.push_back(link);
  }
  if (!designing && FRecentItemCount > 0) {
    for (TdxBarItemLink* link : FRecentList) {
      if (static_cast<int>(FVisibleLinks.size()) >= FRecentItemCount) break;
      if (IndexOfShowable(link) >= 0) FVisibleLinks.push_back(link);
    }
    std::sort(FVisibleLinks.begin(), FVisibleLinks.end(),
              [this](TdxBarItemLink* a, TdxBarItemLink* b) { return IndexOfShowable(a) < IndexOfShowable(b); });
  }
  const bool customizing = FBarManager && FBarManager->IsCustomizingOrDesigning();
  if (customizing || IsUpdating()) return;
  // Separators: of two in a row only the second stays, and none ends the visible links.
  const std::vector<TdxBarItemLink*> visible = FVisibleLinks;
  for (int i = static_cast<int>(visible.size()) - 1; i >= 0; --i) {
    if (!IsSeparatorLink(visible[i])) continue;
    if (i == static_cast<int>(visible.size()) - 1 || IsSeparatorLink(visible[i + 1])) {
      std::erase(FVisibleLinks, visible[i]);
      std::erase(FShowableLinks, visible[i]);
    }
  }
}

void TdxBarItemLinks::ForgetLink(TdxBarItemLink* link)
{
  std::erase(FAvailableLinks, link);
  std::erase(FShowableLinks, link);
  std::erase(FVisibleLinks, link);
  std::erase(FRecentList, link);
  std::erase(FDistributionSetByHand, link);
}

void TdxBarItemLinks::Notify(TCollectionItem* item, TCollectionNotification action)
{
  TCollection::Notify(item, action);
  auto* link = static_cast<TdxBarItemLink*>(item);
  if (action == TCollectionNotification::cnAdded)
    FRecentList.push_back(link);
  else
    ForgetLink(link);
}

// --- The update notice ---

void TdxBarItemLinks::NotifyDesigner()
{
  if (FInternalChange) return;
  TComponent* owner = GetOwnerComponent();
  if (auto* menu = dynamic_cast<TdxBarCustomPopupComponent*>(owner)) {
    const TComponentState state = menu->ComponentState();
    if (menu->IsDesigning() && !state.Contains(TComponentStateFlag::csLoading) && !menu->IsDestroying() &&
        !state.Contains(TComponentStateFlag::csUpdating))
      if (TdxBarDesignController* controller = GetDesignController())
        controller->NotifyDesignerModified(FormOfComponent(menu));
    return;
  }
  if (FBarManager) FBarManager->NotifyModified();
}

void TdxBarItemLinks::Update(TCollectionItem* item)
{
  if (!item) RebuildLinkLists();
  TComponent* owner = GetOwnerComponent();
  if (owner && owner->IsDestroying()) return;
  TCollection::Update(item);
  NotifyDesigner();
  if (item) {
    if (FBarManager && !FBarManager->IsLoading()) FBarManager->DoItemLinkChange(static_cast<TdxBarItemLink*>(item));
    return;
  }
  // The bar control repaints here once bar controls exist.
  FireNotifyEvent(FOnChange, this);
}

// --- Navigation ---

int TdxBarItemLinks::GetFittingLinkCount() const
{
  if (IsMenu()) return GetVisibleLinkCount();
  // A toolbar shows the visible links up to the first whose rectangle is empty or not wholly
  // inside its client area; without a bar control, none.
  if (!FBarControl) return 0;
  const RECT client = FBarControl->ClientRect();
  int count = 0;
  for (TdxBarItemLink* link : FVisibleLinks) {
    // A link without a control takes no room and is never selected: it does not end the row.
    if (!link->Control()) {
      ++count;
      continue;
    }
    const RECT& r = link->ItemRect();
    if (IsRectEmpty(&r) || r.left < client.left || r.top < client.top || r.right > client.right ||
        r.bottom > client.bottom)
      break;
    ++count;
  }
  return count;
}

namespace {
bool CanSelectLink(const TdxBarItemLink* link) { return link->Control() && link->Control()->CanSelect(); }
}  // namespace

TdxBarItemLink* TdxBarItemLinks::FindFirstSelectableLink() const
{
  for (int i = 0; i < GetFittingLinkCount(); ++i)
    if (CanSelectLink(FVisibleLinks[i])) return FVisibleLinks[i];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FindLastSelectableLink() const
{
  for (int i = GetFittingLinkCount() - 1; i >= 0; --i)
    if (CanSelectLink(FVisibleLinks[i])) return FVisibleLinks[i];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FindNextSelectableLink(TdxBarItemLink* link, bool any) const
{
  if (!link) return FindFirstSelectableLink();
  const int n = GetFittingLinkCount();
  const int start = IndexOfVisible(link);
  if (n == 0 || start < 0) return nullptr;
  for (int k = 1; k <= n; ++k) {
    TdxBarItemLink* candidate = FVisibleLinks[(start + k) % n];
    if (candidate == link) return nullptr;
    if (any || CanSelectLink(candidate)) return candidate;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FindPrevSelectableLink(TdxBarItemLink* link, bool any) const
{
  if (!link) return FindLastSelectableLink();
  const int n = GetFittingLinkCount();
  const int start = IndexOfVisible(link);
  if (n == 0 || start < 0) return nullptr;
  for (int k = 1; k <= n; ++k) {
    TdxBarItemLink* candidate = FVisibleLinks[((std::min(start, n - 1) - k) % n + n) % n];
    if (candidate == link) return nullptr;
    if (any || CanSelectLink(candidate)) return candidate;
  }
  return nullptr;
}

// --- Accelerators and shortcuts ---

namespace {
bool AcceleratorOf(TdxBarItemLink* link, int key, TShiftState shift)
{
  TdxBarItem* item = link->Item();
  return item && item->CanUseAccelerator(link) && link->MatchesAccelerator(key, shift);
}
}  // namespace

TdxBarItemLink* TdxBarItemLinks::FindAcceleratorInShowableLinks(int key, TShiftState shift, TdxBarItemLink* start)
{
  const int n = GetShowableLinkCount();
  if (n == 0) return nullptr;
  const int first = std::max(start ? IndexOfShowable(start) : 0, 0);
  for (int k = 1; k <= n; ++k)
    if (TdxBarItemLink* link = FShowableLinks[(first + k) % n]; AcceleratorOf(link, key, shift)) return link;
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FindAcceleratorInSelectableLinks(int key, TShiftState shift, TdxBarItemLink* start)
{
  TdxBarItemLink* first = start ? FindNextSelectableLink(start, false) : FindFirstSelectableLink();
  for (TdxBarItemLink* link = first; link;) {
    if (AcceleratorOf(link, key, shift)) return link;
    link = FindNextSelectableLink(link, false);
    if (link == first) break;
  }
  return start && AcceleratorOf(start, key, shift) ? start : nullptr;
}

TdxBarItemLink* TdxBarControlItemLinks::FindAcceleratorLink(int key, TShiftState shift, TdxBarItemLink* start)
{
  // A toolbar whose window is not shown has no accelerators.
  if (!BarControl()) return nullptr;
  return FindAcceleratorInSelectableLinks(key, shift, start);
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::FindAcceleratorLink(int key, TShiftState shift, TdxBarItemLink* start)
{
  return FindAcceleratorInShowableLinks(key, shift, start);
}

TdxBarItemLink* TdxBarItemLinks::FindAcceleratorLinkIgnoringAlt(int key, TShiftState shift, TdxBarItemLink* start)
{
  shift.Exclude(TShiftStateFlag::ssAlt);
  return FindAcceleratorLink(key, shift, start);
}

bool TdxBarItemLinks::HandleShortCut(TShortCut shortCut)
{
  if (shortCut == 0) return false;
  UpdateActionLinks();
  const std::vector<TdxBarItemLink*> available = FAvailableLinks;
  std::vector<TWeakRef<TdxBarItemLink>> links(available.begin(), available.end());
  for (const TWeakRef<TdxBarItemLink>& link : links)
    if (TdxBarItem* item = link ? link->Item() : nullptr; item && item->HandleShortCut(shortCut)) return true;
  return false;
}

// --- Recent items ---

bool TdxBarItemLinks::UsesRecentItems() const
{
  TdxBarItemLinks* parent = GetParentLinks();
  return FBarManager && FBarManager->SupportsRecentItems() && FUseRecentItems && (!parent || parent->UsesRecentItems());
}

int TdxBarItemLinks::CalcRecentItemCount() const
{
  if (!UsesRecentItems()) return -1;
  int lowest = INT_MAX, highest = 0;
  for (TdxBarItemLink* link : FShowableLinks) {
    lowest = std::min(lowest, link->UseCount());
    highest = std::max(highest, link->UseCount());
  }
  const int showable = GetShowableLinkCount();
  if (showable == 0) return -1;
  const int threshold = lowest + MulDiv(highest - lowest, 100 - FBarManager->MostRecentItemsPercents(), 100);
  int count = 0;
  for (int p = std::min(showable, GetRecentLinkCount()) - 1; p >= 0; --p)
    if (TdxBarItemLink* link = FRecentList[p]; link->GetLinks() == this && link->UseCount() >= threshold) {
      count = p + 1;
      break;
    }
  return count == showable ? -1 : count;
}

void TdxBarItemLinks::SetRecentItemCount(int value)
{
  if (!UsesRecentItems()) value = -1;
  FPrevRecentItemCount = FRecentItemCount;
  if (FRecentItemCount == value) return;
  FRecentItemCount = value;
  RebuildLinkLists();
}

void TdxBarItemLinks::RestoreRecentItemCount()
{
  FRecentItemCount = FPrevRecentItemCount;
  RebuildLinkLists();
}

void TdxBarItemLinks::MoveInRecentList(TdxBarItemLink* link, int index)
{
  const int current = IndexOfRecent(link);
  if (current < 0) return;
  index = std::clamp(index, 0, GetRecentLinkCount() - 1);
  if (index == current) return;
  FRecentList.erase(FRecentList.begin() + current);
  FRecentList.insert(FRecentList.begin() + index, link);
  RebuildLinkLists();
}

void TdxBarItemLinks::ApplyLoadedUsage(bool withVisibility)
{
  const std::vector<TWeakRef<TdxBarItemLink>> links = Snapshot(this);
  for (auto it = links.rbegin(); it != links.rend(); ++it)
    if (*it && (*it)->FItem) (*it)->ResetUsage();
  if (withVisibility)
    for (auto it = links.rbegin(); it != links.rend(); ++it)
      if (*it) (*it)->SetVisible((*it)->FLoadedVisible);
  for (int i = 0; i < Count(); ++i)
    for (int j = 0; j < Count(); ++j)
      if (TdxBarItemLink* link = Items(j); link->FLoadedRecentIndex == i) {
        link->FUseCount = link->FLoadedUseCount;
        MoveInRecentList(link, i);
        link->FLoadedRecentIndex = -1;
      }
  // The bar control makes its item controls again here once bar controls exist.
}

void TdxBarItemLinks::CompactRecentList()
{
  auto firstHidden = std::find_if(FRecentList.begin(), FRecentList.end(),
                                  [this](TdxBarItemLink* link) { return IndexOfShowable(link) < 0; });
  if (firstHidden == FRecentList.end()) return;
  const auto at = firstHidden - FRecentList.begin();
  std::vector<TdxBarItemLink*> head(FRecentList.begin(), FRecentList.begin() + at), showable, rest;
  for (auto it = FRecentList.begin() + at; it != FRecentList.end(); ++it)
    (IndexOfShowable(*it) >= 0 ? showable : rest).push_back(*it);
  head.insert(head.end(), showable.begin(), showable.end());
  head.insert(head.end(), rest.begin(), rest.end());
  FRecentList = std::move(head);
  RebuildLinkLists();
}

// --- Item options ---

int TdxBarItemLinks::GetItemOptionDefault(TdxBarItemOptionValue option) const
{
  return option == TdxBarItemOptionValue::ioShowShortCuts ? 1 : 0;
}

int TdxBarItemLinks::GetItemOptionValue(TdxBarItemOptionValue option) const
{
  TdxBarItemLinks* parent = GetParentLinks();
  if (FItemOptions->AssignedValues().Contains(option) || !parent) return FItemOptions->OwnValue(option);
  return parent->GetItemOptionValue(option);
}

bool TdxBarItemLinks::GetShowDescriptions() const
{
  return GetItemOptionValue(TdxBarItemOptionValue::ioShowDescriptions) != 0;
}

bool TdxBarItemLinks::GetShowShortCuts() const
{
  return GetItemOptionValue(TdxBarItemOptionValue::ioShowShortCuts) != 0;
}

TdxBarMenuItemSize TdxBarItemLinks::GetMenuItemSize() const
{
  return static_cast<TdxBarMenuItemSize>(GetItemOptionValue(TdxBarItemOptionValue::ioSize));
}

bool TdxBarItemLinks::CheckItemAllowed(TdxBarItem* item, std::string& message)
{
  message.clear();
  return !FOwner || FOwner->AcceptsItem(item, message);
}

// --- Other operations ---

bool TdxBarItemLinks::HasItemControl(const TdxBarItemControl* control) const
{
  for (int i = 0; control && i < Count(); ++i)
    if (Items(i)->Control() == control) return true;
  return false;
}

bool TdxBarItemLinks::ContainsLinksOwner(IdxBarLinksOwner* owner) const
{
  if (!owner) return false;
  if (owner->GetItemLinks() == this) return true;
  for (int i = 0; i < Count(); ++i) {
    auto* itemOwner = dynamic_cast<IdxBarLinksOwner*>(Items(i)->Item());
    if (!itemOwner) continue;
    if (itemOwner == owner) return true;
    if (TdxBarItemLinks* links = itemOwner->GetItemLinks(); links && links != this && links->ContainsLinksOwner(owner))
      return true;
  }
  return false;
}

void TdxBarItemLinks::ClearItemRects()
{
  for (int i = 0; i < Count(); ++i) Items(i)->FItemRect = RECT{};
}

void TdxBarItemLinks::UpdateActionLinks()
{
  for (int i = 0; i < Count(); ++i) Items(i)->UpdateActionLink();
}

void TdxBarItemLinks::ResolveItemNames()
{
  for (const TWeakRef<TdxBarItemLink>& link : Snapshot(this)) {
    if (!link || link->FLoadedItemName.empty()) continue;
    const std::string name = std::exchange(link->FLoadedItemName, {});
    // A name of no item leaves the link without one: it shows nothing.
    if (TdxBarItem* item = FBarManager ? FBarManager->FindItemByName(name) : nullptr) link->SetItem(item);
  }
  ApplyLoadedUsage(true);
}

void TdxBarItemLinks::MergeFrom(TdxBarItemLinks* links)
{
  if (!links || links == this) return;
  for (const TWeakRef<TdxBarItemLink>& weak : Snapshot(links)) {
    TdxBarItemLink* source = weak.Get();
    TdxBarItem* sourceItem = source ? source->Item() : nullptr;
    if (!sourceItem) continue;
    TdxBarItemMergeKind kind = sourceItem->MergeKind();
    if (kind == mkNone) continue;
    int position = -1;
    if (kind == mkMergeByCaption) {
      for (int i = Count() - 1; i >= 0 && position < 0; --i) {
        TdxBarItem* item = Items(i)->Item();
        if (item && item->MergeKind() == mkMergeByCaption && Items(i)->GetCaption() == source->GetCaption() &&
            TdxBarItem::AreMutuallyCompatible(item, sourceItem))
          position = i;
      }
      if (position < 0) kind = mkAdd;
    }
    if (kind == mkAdd) {
      position = 0;
      int best = INT_MIN;
      for (int i = 0; i < Count(); ++i) {
        TdxBarItem* item = Items(i)->Item();
        const int order = item ? item->MergeOrder() : 0;
        if (order <= sourceItem->MergeOrder() && order >= best) {
          best = order;
          position = i + 1;
        }
      }
    }
    if (FBarManager) FBarManager->DoMergeItemLink(this, links, source, kind, position);
    if (kind == mkNone || position < 0) continue;
    if (kind == mkMergeByCaption) {
      if (position >= Count()) continue;
      TdxBarItem* target = Items(position)->Item();
      if (!TdxBarItem::AreMutuallyCompatible(target, sourceItem)) continue;
      if (target->GetItemLinks() && sourceItem->GetItemLinks())
        target->GetItemLinks()->MergeFrom(sourceItem->GetItemLinks());
    } else if (position <= Count()) {
      InsertLink(position)->Assign(source);
    }
  }
}

void TdxBarItemLinks::RemoveMergedLinks(TdxBar* bar)
{
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TdxBarItemLink* link = Items(i);
    if (link->FOriginalBar && (!bar || link->FOriginalBar == bar))
      Free(link);
    else if (TdxBarItem* item = link->Item(); item && item->GetItemLinks())
      item->GetItemLinks()->RemoveMergedLinks(bar);
  }
}

void TdxBarItemLinks::ResetItems(TCustomIniFile* ini, const std::string& section)
{
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItem* item = Items(i)->Item()) item->ResetFromIni(ini, section);
}

void TdxBarItemLinks::ReadLayout(const std::vector<std::string>* newItemNames, const TdxBarReadStoredLinks& readLinks)
{
  BeginUpdate();
  auto finish = [this] {
    ApplyLoadedUsage(true);
    EndUpdate();
  };
  try {
    // The links that stay, each with the item name of the link before it.
    std::vector<std::pair<TWeakRef<TdxBarItemLink>, std::string>> stayed;
    if (newItemNames) {
      auto isNew = [newItemNames](const TdxBarItem* item) {
        return item && std::any_of(newItemNames->begin(), newItemNames->end(),
                                   [item](const std::string& name) { return SameIdent(name, item->Name()); });
      };
      // From the last link back, so that each link that stays sees the link before it as it stood.
      for (int i = Count() - 1; i >= 0; --i) {
        TdxBarItemLink* link = Items(i);
        if (!isNew(link->Item())) {
          Free(link);
          continue;
        }
        link->FOriginalBar = nullptr;
        TdxBarItem* previous = i > 0 ? Items(i - 1)->Item() : nullptr;
        stayed.emplace(stayed.begin(), link, previous ? previous->Name() : std::string());
      }
    } else {
      Clear();
    }
    if (readLinks) readLinks([this] { return InsertLink(0); });
    for (auto& [weak, predecessor] : stayed) {
      TdxBarItemLink* link = weak.Get();
      if (!link) continue;
      if (predecessor.empty()) {
        link->SetIndex(0);
      } else if (const int at = IndexOfItemName(predecessor); at >= 0) {
        link->SetIndex(at < link->Index() ? at + 1 : at);
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}
