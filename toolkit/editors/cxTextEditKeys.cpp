// The text editor's keys and wheel: which keys it handles itself and which it passes on, how keys
// and the wheel step through the lookup items, and which keys and characters change the value.
#include "toolkit/editors/cxTextEdit.h"

#include "classlib/Menus.h"
#include "classlib/Variant.h"

namespace {

bool IsLookupStepKey(WORD Key)
{
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN || Key == VK_HOME || Key == VK_END;
}

TcxLookupNavigation NavigationForKey(WORD Key, TShiftState Shift)
{
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_PRIOR: return ctrl ? TcxLookupNavigation::First : TcxLookupNavigation::PageUp;
    case VK_NEXT: return ctrl ? TcxLookupNavigation::Last : TcxLookupNavigation::PageDown;
    case VK_END: return TcxLookupNavigation::Last;
    case VK_HOME: return TcxLookupNavigation::First;
    case VK_UP: return TcxLookupNavigation::Previous;
    default: return TcxLookupNavigation::Next;
  }
}

}  // namespace

void TcxCustomTextEdit::StepLookupItem(TcxLookupNavigation Direction, bool& Flag, bool InSettingValueLock)
{
  LockChangeEvents(true);
  try {
    TFlagScope stepping(Flag, true);
    const int old = FLookupData->CurrentItem();
    if (InSettingValueLock) AdjustSettingValueLock(true);
    try {
      FLookupData->Navigate(Direction, false);
    } catch (...) {
      if (InSettingValueLock) AdjustSettingValueLock(false);
      throw;
    }
    if (InSettingValueLock) AdjustSettingValueLock(false);
    if (FLookupData->CurrentItem() != old) {
      ModifiedByUser();
      if (CanPostValue() && ActiveTextProperties()->ImmediatePost() && ValidateEdit(true)) PostEditValue(false);
    }
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomTextEdit::DoEditKeyDown(WORD& Key, TShiftState Shift)
{
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const int style = EditingStyle();
  const TShortCut shortCut = ShortCut(Key, Shift);
  const bool commandKey = (properties->ClearKey() != 0 && shortCut == properties->ClearKey()) ||
                          shortCut == properties->ClickKey();
  // A list-only editor has no caret to move and nothing to delete.
  if (style == 2 && !commandKey && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
    SetListHighlightShown(false);
    DoInternalKeyDown(Key, Shift);
    Key = 0;
    return;
  }
  const WORD pressed = Key;
  const bool highlightShown = FListHighlightShown;
  TcxCustomEdit::DoEditKeyDown(Key, Shift);
  if (pressed == VK_RETURN && FLookupData && MapItemIndex(highlightShown)) {
    FLookupData->CommitListSelection();
    SelectAllText();
  }
  if (Key < VK_PRIOR || Key > VK_DELETE) return;
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    SetListHighlightShown(false);
  } else if (Key == VK_DELETE) {
    if (style == 1) {
      DoInternalKeyDown(Key, Shift);
      Key = 0;
    } else {
      SetListHighlightShown(false);
    }
  } else if (IsLookupStepKey(Key) && (style == 2 || (Key != VK_HOME && Key != VK_END))) {
    if (properties->UsesLookupData() && CanChangeItemByKeys(false) && FLookupData && !FLookupData->IsEmpty()) {
      StepLookupItem(NavigationForKey(Key, Shift), FLookupKeysNavigating, true);
      Key = 0;
    }
    // The EDIT has no use for the vertical keys of a single line: a host may move its row.
    if (Key && Key != VK_HOME && Key != VK_END && !properties->IsMultiLineText()) {
      DoInternalKeyDown(Key, Shift);
      Key = 0;
    }
  }
  if (Key == VK_END && style != 2 && InnerTextEdit() && InnerTextEdit()->SelLength() == 0) SetListHighlightShown(false);
}

bool TcxCustomTextEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos)
{
  if (TcxCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!CanChangeItemByKeys(true) || WantsAllKeys() || !ActiveTextProperties()->UsesLookupData() || !FLookupData ||
      FLookupData->IsEmpty() || !CanUseMouseWheel(Shift) || !DoEditing())
    return false;
  StepLookupItem(WheelDelta > 0 ? TcxLookupNavigation::Previous : TcxLookupNavigation::Next, FWheelStepping, false);
  return true;
}

bool TcxCustomTextEdit::IsValueChangingKey(WORD Key, TShiftState Shift)
{
  if (TcxCustomEdit::IsValueChangingKey(Key, Shift) || Key == VK_DELETE) return true;
  if (!ActiveTextProperties()->UsesLookupData() || !FLookupData || FLookupData->IsEmpty() || !CanChangeItemByKeys(false))
    return false;
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: return !WantsAllKeys();
    case VK_UP:
    case VK_DOWN: return !Shift.Contains(ssAlt) && !WantsAllKeys();
    default: return false;
  }
}

// Backspace, Ctrl+V, Ctrl+X and every text character.
bool TcxCustomTextEdit::IsValueChangingChar(char Ch)
{
  const auto code = static_cast<unsigned char>(Ch);
  return code == 8 || code == 22 || code == 24 || code >= 32;
}

bool TcxCustomTextEdit::IsValidChar(char Ch)
{
  return TcxCustomEdit::IsValidChar(Ch) || ActiveTextProperties()->AllowedChars().test(static_cast<unsigned char>(Ch));
}

// --- The lookup item as the value ---

Variant TcxCustomTextEdit::ItemIndexToEditValue(int Index)
{
  Variant value;
  DisplayValueToEditValue(Variant(FLookupData ? FLookupData->GetDisplayText(Variant(Index)) : std::string()), value,
                          IsInEditFormat());
  return value;
}

int TcxCustomTextEdit::VariantToItemIndex(const Variant& Value)
{
  if (VarIsNull(Value) || VarIsEmpty(Value)) return -1;
  return Value.AsInteger();
}

TObject* TcxCustomTextEdit::GetSelectedItemObject()
{
  const int index = ItemIndex();
  if (index < 0) return nullptr;
  TStrings* items = ActiveTextProperties()->LookupItems();
  return index < items->Count() ? items->Objects(index) : nullptr;
}

void TcxCustomTextEdit::ApplySelectedLookupItem(TObject*)
{
  const Variant value = ItemIndexToEditValue(FLookupData->CurrentItem());
  const bool differs = !EditValuesEqual(value, EditValue());
  if (differs && !DoEditing()) return;
  PushModifiedState();
  try {
    TFlagScope setting(FSettingValueInternally, true);
    RestoreEditValue(value);
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
  if (differs) SetModified(true);
  SelectAllText();
  RefreshStateAtCursor(false);
}
