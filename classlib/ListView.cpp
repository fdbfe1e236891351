// The list view's columns, its items and its icon options.
#include "classlib/ListView.h"
#include <commctrl.h>
#include <algorithm>
#include <vector>
#include "classlib/TypInfo.h"

namespace {
using TCol = TListColumn;
constexpr TPropInfo ListColumnProps[] = {
  EnumProp<&TCol::Alignment, &TCol::SetAlignment>("Alignment", AlignmentInfo, 0),
  StrProp<&TCol::Caption, &TCol::SetCaption>("Caption"),
  IntProp<&TCol::ImageIndex, &TCol::SetImageIndex>("ImageIndex", -1),
  IntProp<&TCol::Width, &TCol::SetWidth>("Width", 50),
};

using TIO = TIconOptions;
constexpr TPropInfo IconOptionsProps[] = {
  EnumProp<&TIO::Arrangement, &TIO::SetArrangement>("Arrangement", IconArrangementInfo, 0),
  BoolProp<&TIO::AutoArrange, &TIO::SetAutoArrange>("AutoArrange", false),
  BoolProp<&TIO::WrapText, &TIO::SetWrapText>("WrapText", true),
};

[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

[[noreturn]] void OwnerDataError()
{
  throw EListError("An owner-data list view holds no items of its own: set Items->SetCount instead");
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns

CL_DEFINE_CLASS(TListColumn, .Props = ListColumnProps);
CL_DEFINE_CLASS(TListColumns);

void TListColumn::SetCaption(const std::string& value)
{
  FCaption = value;
  Changed(false);
}

int TListColumn::Width() const
{
  auto* columns = static_cast<TListColumns*>(Collection());
  if (columns && columns->Owner()->ReportShown()) {
    int index = Index();
    if (index >= 0 && index < static_cast<int>(Header_GetItemCount(columns->Owner()->HeaderHandle())))
      return static_cast<int>(columns->Owner()->Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index)));
  }
  return FWidth;
}

void TListColumn::SetWidth(int value)
{
  FWidth = value;
  Changed(false);
}

void TListColumn::SetAlignment(TAlignment value)
{
  SetAndNotify(FAlignment, value, [this] { Changed(false); });
}

void TListColumn::SetImageIndex(int value)
{
  SetAndNotify(FImageIndex, value, [this] { Changed(false); });
}

void TListColumn::Assign(TPersistent* source)
{
  if (auto* other = dynamic_cast<TListColumn*>(source)) {
    FCaption = other->FCaption;
    FWidth = other->Width();
    FAlignment = other->FAlignment;
    FImageIndex = other->FImageIndex;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

TListColumns::TListColumns(TListView* owner) : TCollection(TListColumn::StaticClass()), FOwner(owner) {}

TPersistent* TListColumns::GetOwner() const { return FOwner; }

void TListColumns::Update(TCollectionItem* item)
{
  if (!FOwner->HandleAllocated()) return;
  if (item)
    FOwner->UpdateColumn(item->Index());
  else
    FOwner->UpdateColumns();
}

// ---------------------------------------------------------------------------------------------
// Items

CL_DEFINE_CLASS(TListItem);
CL_DEFINE_CLASS(TListItems);

TListItem::TListItem(TListItems* owner) : FOwner(owner), FSubItems(MakeOwned<TStringList>())
{
  FSubItems->SetOnChange(TNotifyEvent(this, &TListItem::SubItemsChanged));
}

void TListItem::BeforeDestruction()
{
  FSubItems->SetOnChange(nullptr);
  TPersistent::BeforeDestruction();
}

TListView* TListItem::ListView() const { return FOwner->Owner(); }

int TListItem::Index() const { return FOwnerDataIndex >= 0 ? FOwnerDataIndex : FOwner->IndexOf(this); }

void TListItem::SetCaption(const std::string& value)
{
  // The reused item of an owner-data list only carries what OnData hands out.
  if (FOwnerDataIndex >= 0) {
    FCaption = value;
    return;
  }
  TListView* lv = ListView();
  if (!lv->CanChange(this, LVIF_TEXT)) return;
  FCaption = value;
  Redraw();
  lv->Change(this, LVIF_TEXT);
  if (lv->FSortType == stText || lv->FSortType == stBoth) lv->SortIfSorted();
}

void TListItem::SetImageIndex(int value)
{
  if (FOwnerDataIndex >= 0) {
    FImageIndex = value;
    return;
  }
  if (FImageIndex == value || !ListView()->CanChange(this, LVIF_IMAGE)) return;
  FImageIndex = value;
  Redraw();
  ListView()->Change(this, LVIF_IMAGE);
}

void TListItem::SetChecked(bool value)
{
  if (FOwnerDataIndex >= 0) {
    FChecked = value;
    return;
  }
  if (FChecked == value) return;
  FChecked = value;
  Redraw();
  ListView()->Change(this, LVIF_STATE);
}

void TListItem::SubItemsChanged(TObject*) { Redraw(); }

void TListItem::Redraw()
{
  // While the items are being updated the control does not draw; EndUpdate repaints it whole.
  if (FOwnerDataIndex >= 0 || FOwner->Updating()) return;
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) return;
  int index = Index();
  if (index >= 0 && index < lv->WindowCount())
    lv->Send(LVM_REDRAWITEMS, static_cast<WPARAM>(index), static_cast<LPARAM>(index));
}

bool TListItem::Selected() const
{
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) return FSelected;
  return lv->ItemState(Index(), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool value)
{
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) {
    FSelected = value;
    return;
  }
  // The window's notice brings the change to FSelected and to OnSelectItem.
  lv->SyncCount();
  lv->SetItemState(Index(), LVIS_SELECTED, value ? LVIS_SELECTED : 0);
}

bool TListItem::Focused() const
{
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) return FFocused;
  return lv->ItemState(Index(), LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool value)
{
  FFocused = value;
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) return;
  lv->SyncCount();
  lv->SetItemState(Index(), LVIS_FOCUSED, value ? LVIS_FOCUSED : 0);
}

void TListItem::MakeVisible(bool partialOK)
{
  TListView* lv = ListView();
  if (!lv->HandleAllocated()) return;
  lv->SyncCount();
  lv->Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), partialOK);
}

RECT TListItem::DisplayRect(TDisplayCode code) const
{
  TListView* lv = ListView();
  RECT r{};
  if (!lv->HandleAllocated()) return r;
  lv->SyncCount();
  r.left = static_cast<LONG>(code);  // the LVIR_* codes in their order
  if (!lv->Send(LVM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r))) r = RECT{};
  return r;
}

bool TListItem::EditCaption()
{
  TListView* lv = ListView();
  lv->SyncCount();
  if (!lv->Focused()) lv->SetFocus();
  return lv->Send(LVM_EDITLABELA, static_cast<WPARAM>(Index())) != 0;
}

void TListItem::Delete() { FOwner->Delete(Index()); }

void TListItem::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TListItem*>(source);
  if (!other) return TPersistent::Assign(source);
  SetCaption(other->FCaption);
  FSubItems->Assign(other->FSubItems.get());
  SetImageIndex(other->FImageIndex);
  SetChecked(other->FChecked);
  FData = other->FData;
}

void TListItems::BeforeDestruction()
{
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) Free(item);
  TPersistent::BeforeDestruction();
}

TPersistent* TListItems::GetOwner() const { return FOwner; }

int TListItems::Count() const
{
  return FOwner->FOwnerData ? FOwnerDataCount : static_cast<int>(FItems.size());
}

void TListItems::SetCount(int value)
{
  if (!FOwner->FOwnerData) throw EListError("Only an owner-data list view takes a number of items");
  FOwnerDataCount = std::max(value, 0);
  if (FOwner->HandleAllocated())
    FOwner->Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FOwnerDataCount), LVSICF_NOINVALIDATEALL);
}

TListItem* TListItems::Item(int index) const
{
  if (index < 0 || index >= Count()) IndexError(index);
  if (FOwner->FOwnerData) return OwnerDataItem(index);
  return FItems[static_cast<size_t>(index)];
}

TListItem* TListItems::OwnerDataItem(int index) const
{
  if (!FOwnerDataItem) FOwnerDataItem = MakeOwned<TListItem>(const_cast<TListItems*>(this));
  TListItem* item = FOwnerDataItem.get();
  item->FOwnerDataIndex = index;
  item->FCaption.clear();
  item->FSubItems->Clear();
  item->FImageIndex = -1;
  item->FChecked = false;
  item->FData = nullptr;
  if (FOwner->FOnData) FOwner->FOnData(FOwner, item);
  return item;
}

int TListItems::IndexOf(const TListItem* item) const
{
  if (item && item->FOwnerDataIndex >= 0) return item->FOwnerDataIndex;
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TListItem* TListItems::Insert(int index)
{
  if (FOwner->FOwnerData) OwnerDataError();
  if (index < 0 || index > Count()) IndexError(index);
  TOwned<TListItem> item(FOwner->CreateListItemClass().Create(this));
  FItems.insert(FItems.begin() + index, item.get());
  TListItem* result = item.release();
  if (FOwner->HandleAllocated()) FOwner->InsertItemWindow(index);
  if (FOwner->FOnInsert) FOwner->FOnInsert(FOwner, result);
  FOwner->SortIfSorted();
  return result;
}

void TListItems::Delete(int index)
{
  if (FOwner->FOwnerData) OwnerDataError();
  TListItem* item = Item(index);
  FOwner->ItemDeleting(item);
  // A handler may have changed the list: the item is looked up again.
  index = IndexOf(item);
  if (index < 0) return;
  // The window lets go of the item before the item goes (an append it has not yet been told of
  // it never held).
  if (FOwner->HandleAllocated() && index < FOwner->WindowCount())
    FOwner->Send(LVM_DELETEITEM, static_cast<WPARAM>(index));
  FItems.erase(FItems.begin() + index);
  Free(item);
}

void TListItems::Clear()
{
  if (FOwner->HandleAllocated()) FOwner->Send(LVM_DELETEALLITEMS);
  FOwnerDataCount = 0;
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) {
    FOwner->ItemDeleting(item);
    Free(item);
  }
}

void TListItems::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TListItems*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->Item(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListItems::BeginUpdate()
{
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Send(WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate()
{
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->FSortPending) FOwner->AlphaSort();
  if (FOwner->HandleAllocated()) {
    FOwner->SyncCount();
    FOwner->Send(WM_SETREDRAW, TRUE);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
  }
}

// ---------------------------------------------------------------------------------------------
// Icon options

CL_DEFINE_CLASS(TIconOptions, .Props = IconOptionsProps);

void TIconOptions::SetArrangement(TIconArrangement value)
{
  SetAndNotify(FArrangement, value, [this] { FListView->RecreateWnd(); });
}

void TIconOptions::SetAutoArrange(bool value)
{
  SetAndNotify(FAutoArrange, value, [this] { FListView->RecreateWnd(); });
}

void TIconOptions::SetWrapText(bool value)
{
  SetAndNotify(FWrapText, value, [this] { FListView->RecreateWnd(); });
}

void TIconOptions::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TIconOptions*>(source);
  if (!other) return TPersistent::Assign(source);
  SetArrangement(other->FArrangement);
  SetAutoArrange(other->FAutoArrange);
  SetWrapText(other->FWrapText);
}

TPersistent* TIconOptions::GetOwner() const { return FListView; }
