// TListView, its columns and its items.
#include "classlib/ListView.h"
#include <commctrl.h>
#include <algorithm>
#include <utility>
#include <vector>
#include "classlib/TypInfo.h"

namespace {
using TLV = TListView;
constexpr std::string_view ViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
constexpr TEnumInfo ViewStyleInfo = EnumInfo<TViewStyle::vsReport>("TViewStyle", ViewStyleNames);
constexpr TPropInfo ListViewProps[] = {
  CollectionProp<&TLV::Columns>("Columns"),
  EnumProp<&TLV::ViewStyle, &TLV::SetViewStyle>("ViewStyle", ViewStyleInfo, 0),
  BoolProp<&TLV::RowSelect, &TLV::SetRowSelect>("RowSelect", false),
  BoolProp<&TLV::GridLines, &TLV::SetGridLines>("GridLines", false),
  BoolProp<&TLV::HideSelection, &TLV::SetHideSelection>("HideSelection", true),
  BoolProp<&TLV::MultiSelect, &TLV::SetMultiSelect>("MultiSelect", false),
  EventProp<&TLV::OnSelectItem, &TLV::SetOnSelectItem>("OnSelectItem"),
};

using TCol = TListColumn;
constexpr TPropInfo ListColumnProps[] = {
  StrProp<&TCol::Caption, &TCol::SetCaption>("Caption"),
  IntProp<&TCol::Width, &TCol::SetWidth>("Width", 50),
};

constexpr DWORD ViewStyleBits[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

UINT StateBits(bool selected, bool focused)
{
  return (selected ? LVIS_SELECTED : 0u) | (focused ? LVIS_FOCUSED : 0u);
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
    if (index >= 0 && index < static_cast<int>(Header_GetItemCount(
                                  reinterpret_cast<HWND>(columns->Owner()->Send(LVM_GETHEADER)))))
      return static_cast<int>(columns->Owner()->Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index)));
  }
  return FWidth;
}

void TListColumn::SetWidth(int value)
{
  FWidth = value;
  Changed(false);
}

void TListColumn::Assign(TPersistent* source)
{
  if (auto* other = dynamic_cast<TListColumn*>(source)) {
    FCaption = other->FCaption;
    FWidth = other->Width();
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
  if (!item) {
    FOwner->UpdateColumns();
    return;
  }
  auto* column = static_cast<TListColumn*>(item);
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = const_cast<char*>(column->FCaption.c_str());
  col.cx = column->FWidth;
  FOwner->Send(LVM_SETCOLUMNA, static_cast<WPARAM>(column->Index()), reinterpret_cast<LPARAM>(&col));
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

int TListItem::Index() const { return FOwner->IndexOf(this); }

void TListItem::SetCaption(const std::string& value)
{
  FCaption = value;
  Redraw();
}

void TListItem::SubItemsChanged(TObject*) { Redraw(); }

void TListItem::Redraw()
{
  // While the items are being updated the control does not draw; EndUpdate repaints it whole.
  if (FOwner->Updating()) return;
  TListView* lv = ListView();
  int index = Index();
  if (lv->HandleAllocated() && index >= 0)
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

void TListItem::Delete() { FOwner->Delete(Index()); }

void TListItems::BeforeDestruction()
{
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) Free(item);
  TPersistent::BeforeDestruction();
}

TPersistent* TListItems::GetOwner() const { return FOwner; }

TListItem* TListItems::Item(int index) const
{
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[static_cast<size_t>(index)];
}

int TListItems::IndexOf(const TListItem* item) const
{
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TListItem* TListItems::Insert(int index)
{
  if (index < 0 || index > Count()) IndexError(index);
  TOwned<TListItem> item = MakeOwned<TListItem>(this);
  FItems.insert(FItems.begin() + index, item.get());
  TListItem* result = item.release();
  if (FOwner->HandleAllocated()) FOwner->InsertItemWindow(index);
  return result;
}

void TListItems::Delete(int index)
{
  TListItem* item = Item(index);
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
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items) Free(item);
}

void TListItems::BeginUpdate()
{
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) FOwner->Send(WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate()
{
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FOwner->HandleAllocated()) {
    FOwner->SyncCount();
    FOwner->Send(WM_SETREDRAW, TRUE);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
  }
}

// ---------------------------------------------------------------------------------------------
// TListView

CL_MESSAGE_MAP(TListView,
  {CN_NOTIFY, &TListView::CNNotify},
  {WM_DESTROY, &TListView::WMDestroy});
CL_DEFINE_CLASS(TListView, .Props = ListViewProps);


TListView::TListView(TComponent* owner)
    : TWinControl(owner), FColumns(MakeOwned<TListColumns>(this)), FItems(MakeOwned<TListItems>(this))
{
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetParentColor(false);
}

void TListView::BeforeDestruction()
{
  TWinControl::BeforeDestruction();
  FItems->Clear();
}

LRESULT TListView::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
  return SendMessageA(FHandle, msg, wParam, lParam);
}

void TListView::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  params.Style |= LVS_OWNERDATA | LVS_SHAREIMAGELISTS | ViewStyleBits[static_cast<int>(FViewStyle)];
  if (!FHideSelection) params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) params.Style |= LVS_SINGLESEL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TListView::CreateWnd()
{
  TWinControl::CreateWnd();
  UpdateExtendedStyles();
  UpdateColumns();
  FFilling = true;
  try {
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->Count()), LVSICF_NOSCROLL);
    for (int i = 0; i < FItems->Count(); ++i) {
      TListItem* item = FItems->FItems[static_cast<size_t>(i)];
      if (item->FSelected || item->FFocused)
        SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, StateBits(item->FSelected, item->FFocused));
    }
    // A single-selection window keeps one of several selected items: the items learn which.
    for (int i = 0; i < FItems->Count(); ++i) {
      TListItem* item = FItems->FItems[static_cast<size_t>(i)];
      if (item->FSelected) item->FSelected = (ItemState(i, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }
  } catch (...) {
    FFilling = false;
    throw;
  }
  FFilling = false;
}

void TListView::WMDestroy(TMessage& msg)
{
  // The window keeps the states and the widths the user chose: the items and columns take them over.
  for (int i = 0; i < FItems->Count(); ++i) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    auto state =
        static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED | LVIS_FOCUSED));
    item->FSelected = (state & LVIS_SELECTED) != 0;
    item->FFocused = (state & LVIS_FOCUSED) != 0;
  }
  auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  int shown = header && ReportShown() ? Header_GetItemCount(header) : 0;
  for (int i = 0; i < FColumns->Count() && i < shown; ++i)
    FColumns->Items(i)->FWidth = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
  Inherited<TListView>(msg);
}

bool TListView::ReportShown() const
{
  // Other views answer their own column width for every column.
  return FHandle && (GetWindowLongPtrA(FHandle, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void TListView::UpdateExtendedStyles()
{
  if (!FHandle) return;
  DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  DWORD bits = (FRowSelect ? LVS_EX_FULLROWSELECT : 0u) | (FGridLines ? LVS_EX_GRIDLINES : 0u);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TListView::UpdateColumns()
{
  if (!FHandle) return;
  auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
  int shown = header ? Header_GetItemCount(header) : 0;
  int wanted = FColumns->Count();
  for (int i = 0; i < wanted; ++i) {
    TListColumn* column = FColumns->Items(i);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>(column->FCaption.c_str());
    col.cx = column->FWidth;
    Send(i < shown ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
         reinterpret_cast<LPARAM>(&col));
  }
  for (int i = shown - 1; i >= wanted; --i) Send(LVM_DELETECOLUMN, static_cast<WPARAM>(i));
}

int TListView::WindowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

void TListView::SyncCount()
{
  if (FHandle && WindowCount() != FItems->Count())
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->Count()), LVSICF_NOSCROLL);
}

UINT TListView::ItemState(int index, UINT mask) const
{
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

void TListView::SetItemState(int index, UINT mask, UINT state)
{
  LVITEMA lvi{};
  lvi.stateMask = mask;
  lvi.state = state;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lvi));
}

void TListView::InsertItemWindow(int index)
{
  int shown = WindowCount();
  // Appends wait for EndUpdate: one message for the whole fill.
  if (index >= shown && FItems->Updating()) return;
  // The window keeps states by position: those at and after the new item move one down.
  std::vector<int> moved;
  int focused = -1;
  if (index < shown) {
    for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(index - 1), LVNI_SELECTED));
         i >= index; i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) {
      if (!moved.empty() && i <= moved.back()) break;
      moved.push_back(i);
    }
    focused = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }
  bool filling = FFilling;
  FFilling = true;  // the states move with their items: no selection by the user
  try {
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->Count()), LVSICF_NOSCROLL);
    for (int i : moved) SetItemState(i, LVIS_SELECTED, 0);
    for (int i : moved) SetItemState(i + 1, LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= index) SetItemState(focused + 1, LVIS_FOCUSED, LVIS_FOCUSED);
  } catch (...) {
    FFilling = filling;
    throw;
  }
  FFilling = filling;
}

void TListView::GetDispInfo(NMHDR* hdr)
{
  // The item and text fields sit alike in the ANSI and the wide form of the notice.
  auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
  if (!(info->item.mask & LVIF_TEXT) || info->item.cchTextMax <= 0) return;
  int index = info->item.iItem;
  if (index < 0 || index >= FItems->Count()) return;
  TListItem* item = FItems->FItems[static_cast<size_t>(index)];
  int sub = info->item.iSubItem;
  std::string text;
  if (sub == 0)
    text = item->FCaption;
  else if (sub <= item->FSubItems->Count())
    text = item->FSubItems->Strings(sub - 1);
  if (hdr->code == LVN_GETDISPINFOW) {
    auto* wide = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide->item.pszText, wide->item.cchTextMax);
    if (n == 0) wide->item.pszText[wide->item.cchTextMax - 1] = L'\0';
  } else {
    lstrcpynA(info->item.pszText, text.c_str(), info->item.cchTextMax);
  }
}

void TListView::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      GetDispInfo(hdr);
      break;
    case LVN_ITEMCHANGED: {
      // iItem -1 stands for every item.
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (FFilling || IsDestroying() || !(nm->uChanged & LVIF_STATE)) break;
      if (nm->iItem >= 0 && !((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) break;
      SelectionChanged();
      break;
    }
    case LVN_ODSTATECHANGED: {
      // A range of items changed at once (a shift-click).
      auto* nm = reinterpret_cast<NMLVODSTATECHANGE*>(hdr);
      if (FFilling || IsDestroying() || !((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED)) break;
      SelectionChanged();
      break;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
      msg.Result = FindItem(hdr);
      break;
    default:
      break;
  }
}

void TListView::SelectionChanged()
{
  // Deselections come first, as when one selection replaces another.
  std::vector<std::pair<TWeakRef<TListItem>, bool>> changes;
  for (int i = 0; i < FItems->Count(); ++i) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    if (item->FSelected && !(ItemState(i, LVIS_SELECTED) & LVIS_SELECTED)) {
      item->FSelected = false;
      changes.emplace_back(item, false);
    }
  }
  for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
       i >= 0 && i < FItems->Count();) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    if (!item->FSelected) {
      item->FSelected = true;
      changes.emplace_back(item, true);
    }
    auto next = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
    if (next <= i) break;
    i = next;
  }
  // A handler may delete items: an item freed meanwhile is not told.
  for (const auto& [item, selected] : changes)
    if (TListItem* live = item.Get()) SelectItem(live, selected);
}

int TListView::FindItem(NMHDR* hdr) const
{
  // The typed prefix the user looks for; the two forms of the notice differ in the text only.
  auto* find = reinterpret_cast<NMLVFINDITEMA*>(hdr);
  UINT flags = find->lvfi.flags;
  if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  std::string text;
  if (hdr->code == LVN_ODFINDITEMW) {
    const wchar_t* wide = reinterpret_cast<NMLVFINDITEMW*>(hdr)->lvfi.psz;
    if (!wide) return -1;
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return -1;
    text.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
    text.resize(static_cast<size_t>(n - 1));
  } else {
    if (!find->lvfi.psz) return -1;
    text = find->lvfi.psz;
  }
  int count = FItems->Count();
  int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
  bool partial = (flags & LVFI_PARTIAL) != 0;
  for (int n = 0; n < count; ++n) {
    int i = start + n;
    if (i >= count) {
      if (!(flags & LVFI_WRAP)) break;
      i -= count;
    }
    const std::string& caption = FItems->FItems[static_cast<size_t>(i)]->FCaption;
    if (partial && caption.size() < text.size()) continue;
    int length = static_cast<int>(partial ? text.size() : caption.size());
    if (!partial && caption.size() != text.size()) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(), length, text.data(),
                       static_cast<int>(text.size())) == CSTR_EQUAL)
      return i;
  }
  return -1;
}

void TListView::SelectItem(TListItem* item, bool selected)
{
  if (FOnSelectItem) FOnSelectItem(this, item, selected);
}

TListItem* TListView::Selected() const
{
  if (FHandle) {
    auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index >= 0 && index < FItems->Count() ? FItems->FItems[static_cast<size_t>(index)] : nullptr;
  }
  for (TListItem* item : FItems->FItems)
    if (item->FSelected) return item;
  return nullptr;
}

void TListView::SetSelected(TListItem* item)
{
  if (!FHandle) {
    for (TListItem* other : FItems->FItems)
      if (other != item) other->FSelected = false;
    if (item) item->FSelected = true;
    return;
  }
  SyncCount();
  int target = item ? item->Index() : -1;
  std::vector<int> others;
  for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); i >= 0;) {
    if (i != target) others.push_back(i);
    auto next = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
    if (next <= i) break;
    i = next;
  }
  for (int i : others) SetItemState(i, LVIS_SELECTED, 0);
  if (target >= 0) SetItemState(target, LVIS_SELECTED, LVIS_SELECTED);
}

int TListView::SelCount() const
{
  if (FHandle) return static_cast<int>(Send(LVM_GETSELECTEDCOUNT));
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                        [](TListItem* item) { return item->FSelected; }));
}

TListItem* TListView::ItemFocused() const
{
  if (FHandle) {
    auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return index >= 0 && index < FItems->Count() ? FItems->FItems[static_cast<size_t>(index)] : nullptr;
  }
  for (TListItem* item : FItems->FItems)
    if (item->FFocused) return item;
  return nullptr;
}

void TListView::SetViewStyle(TViewStyle value)
{
  SetAndNotify(FViewStyle, value, [this] { RecreateWnd(); });
}

void TListView::SetRowSelect(bool value)
{
  FRowSelect = value;
  UpdateExtendedStyles();
}

void TListView::SetGridLines(bool value)
{
  FGridLines = value;
  UpdateExtendedStyles();
}

void TListView::SetHideSelection(bool value)
{
  SetAndNotify(FHideSelection, value, [this] { RecreateWnd(); });
}

void TListView::SetMultiSelect(bool value)
{
  SetAndNotify(FMultiSelect, value, [this] { RecreateWnd(); });
}
