#include "toolkit/editors/cxTextEditLookupData.h"

#include <algorithm>
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "toolkit/editors/cxTextEdit.h"
#include "toolkit/editors/cxTextEditProperties.h"

CL_DEFINE_CLASS(TcxCustomTextEditLookupData);

TcxCustomTextEditLookupDataClass TcxCustomTextEditProperties::TMeta::LookupDataClassType() const
{
  return ClassRef<TcxCustomTextEditLookupData>();
}

namespace {
// Variants that carry no usable index read as -1.
int KeyToIndex(const Variant& key)
{
  if (VarIsEmpty(key) || VarIsNull(key)) return -1;
  try {
    return key.AsInteger();
  } catch (const Exception&) {
    return -1;
  }
}
}  // namespace

void TcxCustomTextEditLookupData::BeforeDestruction()
{
  if (TcxCustomEditListBox* list = ListBox()) list->SetOnSelectionMoved({});
  TcxInterfacedPersistent::BeforeDestruction();
}

void TcxCustomTextEditLookupData::GetLookupItemText(int index, std::string& text) const
{
  text = FOwner->LookupProperties()->LookupItems()->Get(index);
}

int TcxCustomTextEditLookupData::GetLookupItemCount() const
{
  return FOwner->LookupProperties()->LookupItems()->Count();
}

std::string TcxCustomTextEditLookupData::GetDisplayText(const Variant& key) const
{
  const int index = KeyToIndex(key);
  std::string text;
  if (index >= 0 && index < GetLookupItemCount()) GetLookupItemText(index, text);
  return text;
}

bool TcxCustomTextEditLookupData::ContainsText(const std::string& text) const
{
  std::string item;
  for (int i = 0, n = GetLookupItemCount(); i < n; ++i) {
    GetLookupItemText(i, item);
    if (AnsiSameText(item, text)) return true;
  }
  return false;
}

bool TcxCustomTextEditLookupData::ListVisible() const
{
  TcxCustomEditListBox* list = ListBox();
  return list && list->HandleAllocated() && IsWindowVisible(list->Handle());
}

bool TcxCustomTextEditLookupData::IsPointOverList(POINT screenPoint) const
{
  TcxCustomEditListBox* list = ListBox();
  if (!list || !list->HandleAllocated()) return false;
  RECT bounds{};
  GetWindowRect(list->Handle(), &bounds);
  return PtInRect(&bounds, screenPoint) != FALSE;
}

void TcxCustomTextEditLookupData::ReadListItemIndex()
{
  if (TcxCustomEditListBox* list = ListBox()) FListIndex = list->ItemIndex();
}

void TcxCustomTextEditLookupData::UpdateListItemCount()
{
  if (TcxCustomEditListBox* list = ListBox()) list->SetItemCount(GetLookupItemCount());
}

void TcxCustomTextEditLookupData::CreateListControl(TWinControl* parent)
{
  if (!ListBox()) {
    const TcxCustomEditListBoxClass listClass = ListBoxClassType();
    if (!listClass) return;
    TcxCustomEditListBox* list = listClass.Create(parent);
    FListBox = list;
    if (TcxCustomTextEdit* edit = FOwner->LookupEdit()) {
      list->SetEdit(edit);
      list->SetColor(edit->GetActiveStyle()->GetVisibleColor());
      list->Font()->Assign(edit->GetVisibleFont());
    }
    list->Canvas()->SetFont(list->Font());
  }
  TcxCustomEditListBox* list = ListBox();
  list->SetParent(parent);
  list->SetOnSelectionMoved(TNotifyEvent(this, &TcxCustomTextEditLookupData::ListSelectionMoved));
  UpdateListItemCount();
  list->TcxCustomInnerListBox::SetItemIndex(FListIndex);
  list->ApplyItemSettings();
  ApplyListSelection();
}

void TcxCustomTextEditLookupData::SetListBounds(const RECT& bounds)
{
  TcxCustomEditListBox* list = ListBox();
  if (!list) return;
  list->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  if (!list->HandleAllocated()) return;
  // Setting the same width again would not update the horizontal scroll bar.
  const int width = list->ScrollWidth();
  list->SetScrollWidth(0);
  list->SetScrollWidth(width);
}

void TcxCustomTextEditLookupData::ShowInList(int index)
{
  if (index < -1 || index >= GetLookupItemCount()) return;
  if (index != -1 && index == FListIndex) return;
  TcxCustomEditListBox* list = ListBox();
  if (list && list->Count() > 0 && index == -1) list->SetItemIndex(0);
  if (list) list->SetItemIndex(index);
  FListIndex = index;
}

void TcxCustomTextEditLookupData::ShowCurrentInList()
{
  if (!FOwner->EditingQueryActive()) ShowInList(FCurrentItem);
}

void TcxCustomTextEditLookupData::SetCurrentItem(int index)
{
  if (index < -1 || index >= GetLookupItemCount()) return;
  const bool changed = index != FCurrentItem;
  FCurrentItem = index;
  ShowInList(index);
  if (changed && FOnCurrentChanged) FOnCurrentChanged(this);
}

void TcxCustomTextEditLookupData::ApplyNoMatch(bool wholeText, const std::string& text)
{
  switch (FOwner->LookupEditingStyle()) {
    case 1:
      if (wholeText || text.empty()) SetCurrentItem(-1);
      break;
    case 2:
      if (wholeText) SetCurrentItem(-1);
      break;
    default:
      SetCurrentItem(-1);
  }
}

// The first item (after the list's item with fromCurrent, never wrapping) whose beginning equals the
// text case-insensitively becomes current; text takes the item's own letter case outside editing
// style 0 and tail is the rest of the item. With wholeText and LookupWholeText the item must equal
// the text. An empty text finds nothing.
bool TcxCustomTextEditLookupData::FindNextByPrefix(std::string& text, std::string& tail, bool wholeText,
                                                   bool fromCurrent)
{
  const int count = GetLookupItemCount();
  if (count == 0) {
    ApplyNoMatch(wholeText, text);
    return false;
  }
  std::string item;
  if (wholeText && FOwner->LookupProperties()->LookupWholeText()) {
    for (int i = 0; i < count; ++i) {
      GetLookupItemText(i, item);
      if (AnsiSameText(item, text)) {
        tail.clear();
        SetCurrentItem(i);
        return true;
      }
    }
    SetCurrentItem(-1);
    return false;
  }
  if (!text.empty()) {
    for (int i = fromCurrent ? FListIndex + 1 : 0; i < count; ++i) {
      GetLookupItemText(i, item);
      if (item.size() < text.size() || !AnsiSameText(std::string_view(item).substr(0, text.size()), text))
        continue;
      if (FOwner->LookupEditingStyle() != 0) text = item.substr(0, text.size());
      tail = item.substr(text.size());
      SetCurrentItem(i);
      return true;
    }
  }
  ApplyNoMatch(wholeText, text);
  return false;
}

void TcxCustomTextEditLookupData::Navigate(TcxLookupNavigation direction, bool cyclic)
{
  const int n = GetLookupItemCount();
  if (n == 0) return;
  const int i = FListIndex != -1 ? FListIndex : FCurrentItem;
  const int rows = FOwner->LookupProperties()->GetDropDownRowCount();
  int r = i;
  switch (direction) {
    case TcxLookupNavigation::First: r = 0; break;
    case TcxLookupNavigation::Last: r = n - 1; break;
    case TcxLookupNavigation::Next: r = i < n - 1 ? i + 1 : (cyclic ? 0 : i); break;
    case TcxLookupNavigation::Previous: r = i > 0 ? i - 1 : (cyclic ? n - 1 : i); break;
    case TcxLookupNavigation::PageUp:
      if (i == -1)
        r = cyclic ? n - 1 : -1;
      else if (i == 0 && cyclic)
        r = n - 1;
      else
        r = std::max(0, i - rows + 1);
      break;
    case TcxLookupNavigation::PageDown:
      if (i == -1)
        r = rows - 1;
      else
        r = i + rows - 1;
      if (r >= n) r = cyclic && i == n - 1 ? 0 : n - 1;
      break;
  }
  if (ListVisible() && !(FOwner->LookupProperties()->ImmediateUpdateText() && FOwner->QueryEditing()))
    ShowInList(r);
  else
    SelectKey(Variant(r));
}

void TcxCustomTextEditLookupData::SelectKey(const Variant& key)
{
  const int old = FCurrentItem;
  const int index = KeyToIndex(key);
  SetCurrentItem(index);
  const bool saved = FOwner->SettingValueInternally();
  FOwner->SetSettingValueInternally(true);
  try {
    bool choose = FCurrentItem != old;
    if (!choose && index >= 0 && index < GetLookupItemCount()) {
      std::string item;
      GetLookupItemText(index, item);
      choose = item != FOwner->LookupEditText();
    }
    if (choose && FOnItemChosen) FOnItemChosen(this);
  } catch (...) {
    FOwner->SetSettingValueInternally(saved);
    throw;
  }
  FOwner->SetSettingValueInternally(saved);
}

void TcxCustomTextEditLookupData::CommitListSelection()
{
  if (FListIndex == -1) return;
  if (FCurrentItem != FListIndex && !FOwner->QueryEditing()) return;
  const int old = FCurrentItem;
  SelectKey(Variant(FListIndex));
  if (FCurrentItem == old && FOnItemChosen) FOnItemChosen(this);
}

void TcxCustomTextEditLookupData::ApplyListSelection()
{
  if (FOwner->EditingQueryActive()) return;
  const std::string editText = FOwner->LookupEditText();
  if (FListIndex < GetLookupItemCount()) {
    std::string item;
    if (FListIndex >= 0) GetLookupItemText(FListIndex, item);
    if (AnsiSameText(item, editText)) return;
  }
  std::string text = editText, tail;
  FindNextByPrefix(text, tail, true, false);
}
