// TListView: its window, properties, selection, sorting and image lists.
#include <commctrl.h>
#include <algorithm>
#include <vector>
#include "classlib/ImageList.h"
#include "classlib/ListView.h"
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view ViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
constexpr std::string_view IconArrangementNames[] = {"iaTop", "iaLeft"};
}  // namespace

constexpr TEnumInfo ViewStyleInfo = EnumInfo<TViewStyle::vsReport>("TViewStyle", ViewStyleNames);
constexpr TEnumInfo IconArrangementInfo = EnumInfo<TIconArrangement::iaLeft>("TIconArrangement", IconArrangementNames);

namespace {
using TLV = TListView;
#define LV_EVENT(Name) EventProp<&TLV::Name, &TLV::Set##Name>(#Name)
constexpr TPropInfo ListViewProps[] = {
  IntProp<&TLV::AllocBy, &TLV::SetAllocBy>("AllocBy", 0),
  BoolProp<&TLV::Checkboxes, &TLV::SetCheckboxes>("Checkboxes", false),
  BoolProp<&TLV::ColumnClick, &TLV::SetColumnClick>("ColumnClick", true),
  CollectionProp<&TLV::Columns>("Columns"),
  BoolProp<&TLV::HideSelection, &TLV::SetHideSelection>("HideSelection", true),
  BoolProp<&TLV::HotTrack, &TLV::SetHotTrack>("HotTrack", false),
  IntProp<&TLV::HoverTime, &TLV::SetHoverTime>("HoverTime", -1),
  PersistentProp<&TLV::IconOptions>("IconOptions"),
  ComponentProp<&TLV::LargeImages, &TLV::SetLargeImages>("LargeImages"),
  BoolProp<&TLV::MultiSelect, &TLV::SetMultiSelect>("MultiSelect", false),
  BoolProp<&TLV::OwnerData, &TLV::SetOwnerData>("OwnerData", false),
  BoolProp<&TLV::OwnerDraw, &TLV::SetOwnerDraw>("OwnerDraw", false),
  BoolProp<&TLV::GridLines, &TLV::SetGridLines>("GridLines", false),
  BoolProp<&TLV::ReadOnly, &TLV::SetReadOnly>("ReadOnly", false),
  BoolProp<&TLV::RowSelect, &TLV::SetRowSelect>("RowSelect", false),
  BoolProp<&TLV::ShowColumnHeaders, &TLV::SetShowColumnHeaders>("ShowColumnHeaders", true),
  BoolProp<&TLV::ShowWorkAreas, &TLV::SetShowWorkAreas>("ShowWorkAreas", false),
  ComponentProp<&TLV::SmallImages, &TLV::SetSmallImages>("SmallImages"),
  EnumProp<&TLV::SortType, &TLV::SetSortType>("SortType", SortTypeInfo, 0),
  ComponentProp<&TLV::StateImages, &TLV::SetStateImages>("StateImages"),
  EnumProp<&TLV::ViewStyle, &TLV::SetViewStyle>("ViewStyle", ViewStyleInfo, 0),
  LV_EVENT(OnAdvancedCustomDraw),
  LV_EVENT(OnAdvancedCustomDrawItem),
  LV_EVENT(OnAdvancedCustomDrawSubItem),
  LV_EVENT(OnChange),
  LV_EVENT(OnChanging),
  LV_EVENT(OnColumnClick),
  LV_EVENT(OnColumnDragged),
  LV_EVENT(OnColumnRightClick),
  LV_EVENT(OnCompare),
  LV_EVENT(OnCreateItemClass),
  LV_EVENT(OnCustomDraw),
  LV_EVENT(OnCustomDrawItem),
  LV_EVENT(OnCustomDrawSubItem),
  LV_EVENT(OnData),
  LV_EVENT(OnDataFind),
  LV_EVENT(OnDataHint),
  LV_EVENT(OnDataStateChange),
  LV_EVENT(OnDeletion),
  LV_EVENT(OnDrawItem),
  LV_EVENT(OnEdited),
  LV_EVENT(OnEditing),
  LV_EVENT(OnGetImageIndex),
  LV_EVENT(OnGetSubItemImage),
  LV_EVENT(OnInfoTip),
  LV_EVENT(OnInsert),
  LV_EVENT(OnSelectItem),
};
#undef LV_EVENT

constexpr DWORD ViewStyleBits[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

UINT StateBits(bool selected, bool focused)
{
  return (selected ? LVIS_SELECTED : 0u) | (focused ? LVIS_FOCUSED : 0u);
}
}  // namespace

CL_MESSAGE_MAP(TListView,
  {CN_NOTIFY, &TListView::CNNotify},
  {CN_DRAWITEM, &TListView::CNDrawItem},
  {WM_NOTIFY, &TListView::WMNotify},
  {WM_DESTROY, &TListView::WMDestroy},
  {WM_LBUTTONDOWN, &TListView::WMLButtonDown},
  {CM_LISTVIEWCHECKCLICKED, &TListView::CMCheckClicked},
  {CM_LISTVIEWCOLUMNDRAGGED, &TListView::CMColumnDragged});
CL_DEFINE_CLASS(TListView, .Props = ListViewProps);

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      FColumns(MakeOwned<TListColumns>(this)),
      FItems(MakeOwned<TListItems>(this)),
      FIconOptions(MakeOwned<TIconOptions>(this)),
      FCanvas(MakeOwned<TControlCanvas>()),
      FLargeChangeLink(MakeOwned<TChangeLink>()),
      FSmallChangeLink(MakeOwned<TChangeLink>()),
      FStateChangeLink(MakeOwned<TChangeLink>())
{
  FCanvas->SetControl(this);
  for (TChangeLink* link : {FLargeChangeLink.get(), FSmallChangeLink.get(), FStateChangeLink.get()})
    link->SetOnChange(TNotifyEvent(this, &TListView::ImageListChanged));
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetParentColor(false);
}

TListView::~TListView() = default;

void TListView::BeforeDestruction()
{
  TWinControl::BeforeDestruction();
  FItems->Clear();
  SetImageList(FLargeImages, FLargeChangeLink.get(), nullptr);
  SetImageList(FSmallImages, FSmallChangeLink.get(), nullptr);
  SetImageList(FStateImages, FStateChangeLink.get(), nullptr);
}

LRESULT TListView::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
  return SendMessageA(FHandle, msg, wParam, lParam);
}

HWND TListView::HeaderHandle() const { return FHandle ? reinterpret_cast<HWND>(Send(LVM_GETHEADER)) : nullptr; }

void TListView::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  params.Style |= LVS_OWNERDATA | LVS_SHAREIMAGELISTS | ViewStyleBits[static_cast<int>(FViewStyle)];
  if (!FHideSelection) params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) params.Style |= LVS_SINGLESEL;
  if (!FReadOnly) params.Style |= LVS_EDITLABELS;
  if (!FColumnClick) params.Style |= LVS_NOSORTHEADER;
  if (!FShowColumnHeaders) params.Style |= LVS_NOCOLUMNHEADER;
  if (FOwnerDraw) params.Style |= LVS_OWNERDRAWFIXED;
  if (FIconOptions->Arrangement() == iaLeft) params.Style |= LVS_ALIGNLEFT;
  if (FIconOptions->AutoArrange()) params.Style |= LVS_AUTOARRANGE;
  if (!FIconOptions->WrapText()) params.Style |= LVS_NOLABELWRAP;
  if (FBorderStyle == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TListView::CreateWnd()
{
  TWinControl::CreateWnd();
  UpdateExtendedStyles();
  UpdateImageLists();
  if (FHoverTime >= 0) Send(LVM_SETHOVERTIME, 0, FHoverTime);
  UpdateColumns();
  FFilling = true;
  try {
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->Count()), LVSICF_NOSCROLL);
    StatesToWindow();
  } catch (...) {
    FFilling = false;
    throw;
  }
  FFilling = false;
}

void TListView::WndProc(TMessage& msg)
{
  const bool press = msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK;
  if (!press || DragMode() != dmAutomatic || IsDesigning() || Dragging()) return TWinControl::WndProc(msg);
  // The control's own automatic drag would swallow the press: the list takes it as a plain press
  // and starts the drag itself (WMLButtonDown).
  TWeakRef<TListView> self(this);
  auto restore = [&] {
    if (!self) return;
    FDragOnPress = false;
    SetDragMode(dmAutomatic);
  };
  FDragOnPress = msg.Msg == WM_LBUTTONDOWN;
  SetDragMode(dmManual);
  try {
    TWinControl::WndProc(msg);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TListView::WMLButtonDown(TMessage& msg)
{
  Inherited<TListView>(msg);
  if (FDragOnPress && !Dragging()) BeginDrag(false);
}

void TListView::WMDestroy(TMessage& msg)
{
  // The window keeps the states and the widths the user chose: the items and columns take them over.
  StatesToItems();
  HWND header = HeaderHandle();
  int shown = header && ReportShown() ? Header_GetItemCount(header) : 0;
  for (int i = 0; i < FColumns->Count() && i < shown; ++i)
    FColumns->Items(i)->FWidth = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
  Inherited<TListView>(msg);
}

void TListView::StatesToItems()
{
  if (!FHandle || FOwnerData) return;
  // Asked item by item only for the selected and the focused ones: a long list costs a few messages.
  const int shown = std::min(WindowCount(), FItems->Count());
  for (int i = 0; i < shown; ++i) {
    TListItem* item = FItems->FItems[static_cast<size_t>(i)];
    item->FSelected = item->FFocused = false;
  }
  for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); i >= 0 && i < shown;) {
    FItems->FItems[static_cast<size_t>(i)]->FSelected = true;
    const auto next = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
    if (next <= i) break;
    i = next;
  }
  const auto focused = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused >= 0 && focused < shown) FItems->FItems[static_cast<size_t>(focused)]->FFocused = true;
}

void TListView::StatesToWindow()
{
  if (!FHandle || FOwnerData) return;
  SetItemState(-1, LVIS_SELECTED | LVIS_FOCUSED, 0);
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
}

bool TListView::ReportShown() const
{
  // Other views answer their own column width for every column.
  return FHandle && (GetWindowLongPtrA(FHandle, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void TListView::UpdateExtendedStyles()
{
  if (!FHandle) return;
  const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_INFOTIP;
  const DWORD bits = (FRowSelect ? LVS_EX_FULLROWSELECT : 0u) | (FGridLines ? LVS_EX_GRIDLINES : 0u) |
                     (FCheckboxes ? LVS_EX_CHECKBOXES : 0u) | (FHotTrack ? LVS_EX_TRACKSELECT : 0u) |
                     (FOnInfoTip ? LVS_EX_INFOTIP : 0u);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
  // The check marks are the items': the control asks for them.
  Send(LVM_SETCALLBACKMASK, FCheckboxes ? LVIS_STATEIMAGEMASK : 0);
}

void TListView::UpdateColumn(int index)
{
  TListColumn* column = FColumns->Items(index);
  constexpr int Formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_IMAGE;
  col.pszText = const_cast<char*>(column->FCaption.c_str());
  col.cx = column->FWidth;
  col.fmt = Formats[static_cast<int>(column->FAlignment)] | (column->FImageIndex >= 0 ? LVCFMT_IMAGE : 0);
  col.iImage = column->FImageIndex;
  HWND header = HeaderHandle();
  const int shown = header ? Header_GetItemCount(header) : 0;
  Send(index < shown ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
}

void TListView::UpdateColumns()
{
  if (!FHandle) return;
  HWND header = HeaderHandle();
  const int shown = header ? Header_GetItemCount(header) : 0;
  const int wanted = FColumns->Count();
  for (int i = 0; i < wanted; ++i) UpdateColumn(i);
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
  // Appends wait for EndUpdate: one message for the whole fill, and none for each item (every
  // message may pass the thread's hooks).
  if (FItems->Updating() && index == FItems->Count() - 1) return;
  int shown = WindowCount();
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

// --- Selection ---

TListItem* TListView::Selected() const
{
  const int index = ItemIndex();
  return index >= 0 ? FItems->Item(index) : nullptr;
}

int TListView::ItemIndex() const
{
  if (FHandle) {
    auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index >= 0 && index < FItems->Count() ? index : -1;
  }
  for (size_t i = 0; i < FItems->FItems.size(); ++i)
    if (FItems->FItems[i]->FSelected) return static_cast<int>(i);
  return -1;
}

void TListView::SetItemIndex(int value)
{
  if (value < 0) return SetSelected(nullptr);
  TListItem* item = FItems->Item(value);
  SetSelected(item);
  item->SetFocused(true);
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
    return index >= 0 && index < FItems->Count() ? FItems->Item(index) : nullptr;
  }
  for (TListItem* item : FItems->FItems)
    if (item->FFocused) return item;
  return nullptr;
}

TListItem* TListView::GetItemAt(int x, int y) const
{
  if (!FHandle) return nullptr;
  LVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  auto index = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return index >= 0 && index < FItems->Count() && (hit.flags & LVHT_ONITEM) ? FItems->Item(index) : nullptr;
}

void TListView::DeleteSelected()
{
  if (FOwnerData) return;
  std::vector<TWeakRef<TListItem>> selected;
  if (FHandle) {
    SyncCount();
    for (auto i = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         i >= 0 && i < FItems->Count();) {
      selected.emplace_back(FItems->FItems[static_cast<size_t>(i)]);
      auto next = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
      if (next <= i) break;
      i = next;
    }
  } else {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected) selected.emplace_back(item);
  }
  FItems->BeginUpdate();
  try {
    // A deletion handler may delete items itself: those already gone are skipped.
    for (const TWeakRef<TListItem>& item : selected)
      if (TListItem* live = item.Get()) live->Delete();
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}

bool TListView::IsEditing() const { return FHandle && Send(LVM_GETEDITCONTROL) != 0; }

void TListView::SelectItem(TListItem* item, bool selected)
{
  if (FOnSelectItem) FOnSelectItem(this, item, selected);
}

// --- Sorting ---

int TListView::CompareItems(TListItem* a, TListItem* b)
{
  int result = 0;
  if (FOnCompare)
    FOnCompare(this, a, b, 0, result);
  else
    result = lstrcmpA(a->FCaption.c_str(), b->FCaption.c_str());
  return result;
}

void TListView::AlphaSort()
{
  FSortPending = false;
  if (FOwnerData || FItems->Count() < 2) return;
  StatesToItems();
  std::stable_sort(FItems->FItems.begin(), FItems->FItems.end(),
                   [this](TListItem* a, TListItem* b) { return CompareItems(a, b) < 0; });
  if (!FHandle) return;
  const bool filling = FFilling;
  FFilling = true;  // the states move with their items: no selection by the user
  try {
    SyncCount();
    StatesToWindow();
  } catch (...) {
    FFilling = filling;
    throw;
  }
  FFilling = filling;
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TListView::SortIfSorted()
{
  if (FSortType == stNone) return;
  if (FItems->Updating())
    FSortPending = true;
  else
    AlphaSort();
}

void TListView::SetSortType(TSortType value)
{
  SetAndNotify(FSortType, value, [this] { SortIfSorted(); });
}

// --- Properties ---

void TListView::SetStyleFlag(bool& field, bool value)
{
  SetAndNotify(field, value, [this] { RecreateWnd(); });
}

void TListView::SetViewStyle(TViewStyle value)
{
  SetAndNotify(FViewStyle, value, [this] { RecreateWnd(); });
}

void TListView::SetBorderStyle(TBorderStyle value)
{
  SetAndNotify(FBorderStyle, value, [this] { RecreateWnd(); });
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

void TListView::SetCheckboxes(bool value)
{
  FCheckboxes = value;
  UpdateExtendedStyles();
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TListView::SetHotTrack(bool value)
{
  FHotTrack = value;
  UpdateExtendedStyles();
}

void TListView::SetOnInfoTip(TLVInfoTipEvent e)
{
  FOnInfoTip = e;
  UpdateExtendedStyles();
}

void TListView::SetHoverTime(int value)
{
  FHoverTime = value;
  // -1 asks for the system's time.
  if (FHandle) Send(LVM_SETHOVERTIME, 0, static_cast<LPARAM>(value));
}

void TListView::SetHideSelection(bool value) { SetStyleFlag(FHideSelection, value); }
void TListView::SetMultiSelect(bool value) { SetStyleFlag(FMultiSelect, value); }
void TListView::SetColumnClick(bool value) { SetStyleFlag(FColumnClick, value); }
void TListView::SetShowColumnHeaders(bool value) { SetStyleFlag(FShowColumnHeaders, value); }
void TListView::SetReadOnly(bool value) { SetStyleFlag(FReadOnly, value); }
void TListView::SetOwnerDraw(bool value) { SetStyleFlag(FOwnerDraw, value); }

void TListView::SetOwnerData(bool value)
{
  if (FOwnerData == value) return;
  // Items held and items handed out do not mix: the list starts empty either way.
  FItems->Clear();
  FOwnerData = value;
  RecreateWnd();
}

void TListView::ChangeScale(int m, int d)
{
  TWinControl::ChangeScale(m, d);
  if (m == d || d == 0) return;
  for (int i = 0; i < FColumns->Count(); ++i) FColumns->Items(i)->SetWidth(MulDiv(FColumns->Items(i)->Width(), m, d));
}

TListItemClass TListView::CreateListItemClass()
{
  TListItemClass itemClass = ClassRef<TListItem>();
  if (FOnCreateItemClass) FOnCreateItemClass(this, itemClass);
  return itemClass;
}

// --- Image lists ---

void TListView::SetImageList(TCustomImageList*& field, TChangeLink* link, TCustomImageList* value)
{
  if (field == value) return;
  if (field) {
    field->UnRegisterChanges(link);
    field->RemoveFreeNotification(this);
  }
  field = value;
  if (field) {
    field->RegisterChanges(link);
    field->FreeNotification(this);
  }
  UpdateImageLists();
}

void TListView::SetLargeImages(TCustomImageList* value) { SetImageList(FLargeImages, FLargeChangeLink.get(), value); }
void TListView::SetSmallImages(TCustomImageList* value) { SetImageList(FSmallImages, FSmallChangeLink.get(), value); }
void TListView::SetStateImages(TCustomImageList* value) { SetImageList(FStateImages, FStateChangeLink.get(), value); }

void TListView::ImageListChanged(TObject*) { UpdateImageLists(); }

void TListView::UpdateImageLists()
{
  if (!FHandle || IsDestroying()) return;
  const auto handle = [](TCustomImageList* list) { return list ? reinterpret_cast<LPARAM>(list->Handle()) : 0; };
  Send(LVM_SETIMAGELIST, LVSIL_NORMAL, handle(FLargeImages));
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, handle(FSmallImages));
  // With check boxes the control keeps the state images of its marks.
  if (!FCheckboxes) Send(LVM_SETIMAGELIST, LVSIL_STATE, handle(FStateImages));
}

void TListView::Notification(TComponent* component, TOperation operation)
{
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  for (TCustomImageList** field : {&FLargeImages, &FSmallImages, &FStateImages}) {
    if (*field != component) continue;
    *field = nullptr;
    UpdateImageLists();
  }
}
