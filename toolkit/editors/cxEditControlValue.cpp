// The edit control's value: storing it, the modified flags, the change events and their catcher,
// whether the user may change the value, validation, posting, abandoning changes, entering and
// leaving the editor and in-place activation.
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxEditInplaceList.h"

// --- Events of the properties: the own first, then the linked ones ---

template <class TEv, class... A>
void TcxCustomEdit::FirePropertiesEvent(const TEv& (TcxCustomEditProperties::*Getter)() const, A&&... Args)
{
  TcxCustomEditProperties* active = GetActiveProperties();
  if (const TEv& own = (FProperties.get()->*Getter)()) own(Args...);
  if (active != FProperties.get())
    if (const TEv& linked = (active->*Getter)()) linked(Args...);
}

template <class TEv>
bool TcxCustomEdit::HasPropertiesEvent(const TEv& (TcxCustomEditProperties::*Getter)() const) const
{
  return static_cast<bool>((FProperties.get()->*Getter)()) || static_cast<bool>((GetActiveProperties()->*Getter)());
}

bool TcxCustomEdit::HasOnChange() const { return HasPropertiesEvent(&TcxCustomEditProperties::OnChange); }
bool TcxCustomEdit::HasOnEditValueChanged() const
{
  return HasPropertiesEvent(&TcxCustomEditProperties::OnEditValueChanged);
}
bool TcxCustomEdit::HasOnValidate() const { return HasPropertiesEvent(&TcxCustomEditProperties::OnValidate); }

void TcxCustomEdit::DoChange() { FirePropertiesEvent(&TcxCustomEditProperties::OnChange, static_cast<TObject*>(this)); }

void TcxCustomEdit::DoEditValueChanged()
{
  FirePropertiesEvent(&TcxCustomEditProperties::OnEditValueChanged, static_cast<TObject*>(this));
}

void TcxCustomEdit::DoButtonClick(int Index)
{
  FirePropertiesEvent(&TcxCustomEditProperties::OnButtonClick, static_cast<TObject*>(this), Index);
}

void TcxCustomEdit::DoClosePopup(TcxEditCloseUpReason Reason)
{
  FirePropertiesEvent(&TcxCustomEditProperties::OnPopupClosed, static_cast<TObject*>(this), Reason);
}

void TcxCustomEdit::FireValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error)
{
  FirePropertiesEvent(&TcxCustomEditProperties::OnValidate, static_cast<TObject*>(this), DisplayValue, ErrorText,
                      Error);
}

// --- The edit value ---

void TcxCustomEdit::SetEditValue(const Variant& Value)
{
  if (FEditValueLock > 0) return;
  TCounterLock lock(FSettingValueLock);
  if (!FUserEditInProgress || DoEditing()) StoreEditValue(Value, true);
}

void TcxCustomEdit::RestoreEditValue(const Variant& Value)
{
  if (FEditValueLock > 0) return;
  if (!FUserEditInProgress || DoEditing()) StoreEditValue(Value, true);
}

void TcxCustomEdit::StoreEditValue(const Variant& Value, bool CheckValue)
{
  (void)CheckValue;
  if (FUserEditInProgress && !DoEditing()) return;
  TcxCustomEditProperties* properties = GetActiveProperties();
  const bool changed = properties->SupportsValueComparison() && !EditValuesMatch(Value, FEditValue);
  FEditValue = Value;
  SynchronizeDisplayValue();
  if (FUserEditInProgress)
    SetModified(true);
  else
    SetModifiedAfterEnter(false);
  if (changed) {
    NotifyEditValueChanged();
    if (!properties->InnerEditReportsChanges()) NotifyChange();
  }
}

Variant TcxCustomEdit::GetCurrentEditValue()
{
  if (Focused() && !FValidated && FModified) {
    Variant value;
    GetTypedEditValue(value);
    return value;
  }
  return GetEditValue();
}

void TcxCustomEdit::SynchronizeDisplayValueFromData(const Variant& Value)
{
  PushModifiedState();
  try {
    WriteDisplayValue(Value);
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
}

void TcxCustomEdit::AdjustSettingValueLock(bool Raise)
{
  if (Raise)
    ++FSettingValueLock;
  else if (FSettingValueLock > 0)
    --FSettingValueLock;
}

void TcxCustomEdit::AdjustEditValueLock(bool Raise)
{
  if (Raise)
    ++FEditValueLock;
  else if (FEditValueLock > 0)
    --FEditValueLock;
}

// --- Modified flags ---

void TcxCustomEdit::SetModified(bool Value)
{
  FModified = Value;
  if (Value) {
    FValidated = false;
    FModifiedAfterEnter = true;
  }
}

void TcxCustomEdit::SetModifiedAfterEnter(bool Value)
{
  FModifiedAfterEnter = Value;
  if (!Value) FModified = false;
}

void TcxCustomEdit::PushModifiedState() { FModifiedStateStack.emplace_back(FModifiedAfterEnter, FModified); }

void TcxCustomEdit::PopModifiedState()
{
  if (FModifiedStateStack.empty()) return;
  std::tie(FModifiedAfterEnter, FModified) = FModifiedStateStack.back();
  FModifiedStateStack.pop_back();
}

void TcxCustomEdit::ModifiedByUser()
{
  SetModified(true);
  if (FSettingValueLock == 0) Click();
}

void TcxCustomEdit::InnerEditChanged(TObject*)
{
  if (Focused())
    SetModified(true);
  else if (GetActiveProperties()->ChangeNotificationDepth() == 0)
    FDataBinding->MarkModifiedIfFocused();
  NotifyChange();
}

// --- Change events ---

void TcxCustomEdit::LockChangeEvents(bool Lock, bool FireOnRelease)
{
  TcxEditChangeEventsCatcher& catcher = *FChangeEventsCatcher;
  if (Lock) {
    if (catcher.LockCount == 0) catcher.ChangePending = catcher.EditValueChangedPending = false;
    ++catcher.LockCount;
    return;
  }
  if (catcher.LockCount <= 0) return;
  if (--catcher.LockCount > 0 || !FireOnRelease || IsLoading() || IsDestroying()) return;
  if (catcher.ChangePending) {
    catcher.ChangePending = false;
    if (HasOnChange()) DoChange();
  }
  if (catcher.EditValueChangedPending) {
    catcher.EditValueChangedPending = false;
    if (HasOnEditValueChanged()) DoEditValueChanged();
  }
}

template <class F>
void TcxCustomEdit::FireWithInplaceFlags(F&& Fire)
{
  if (!FIsInplace) {
    Fire();
    return;
  }
  PushModifiedState();
  FModifiedAfterEnter = true;
  FModified = true;
  try {
    Fire();
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
}

void TcxCustomEdit::NotifyChange()
{
  if (IsLoading() || IsDestroying()) return;
  if (HasOnChange()) {
    if (AreChangeEventsLocked())
      FChangeEventsCatcher->ChangePending = true;
    else
      FireWithInplaceFlags([this] { DoChange(); });
  }
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (!properties->InnerEditReportsChanges() && !properties->SupportsValueComparison()) NotifyEditValueChanged();
}

void TcxCustomEdit::NotifyEditValueChanged()
{
  if (IsLoading() || IsDestroying() || !HasOnEditValueChanged()) return;
  if (AreChangeEventsLocked())
    FChangeEventsCatcher->EditValueChangedPending = true;
  else
    FireWithInplaceFlags([this] { DoEditValueChanged(); });
}

// --- May the user change the value ---

bool TcxCustomEdit::CanModify()
{
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (FIsInplace) return properties->CanModify();
  TcxCustomEditPropertiesValues* assigned = properties->AssignedValues();
  if (assigned->ReadOnly()) return !properties->ReadOnly();
  IcxEditDefaultValuesProvider* provider = FDataBinding->GetDefaultValuesProvider();
  return provider && provider->ProvidedCanModify() && provider->AllowsEditMode();
}

bool TcxCustomEdit::DoEditing()
{
  if (!CanStartEditing()) return false;
  if (FDataBinding->IsInEditMode()) return true;
  bool result = CanModify();
  if (!result) return false;
  TFlagScope querying(FEditingQueryActive, true);
  if (FIsInplace) {
    AdjustEditValueLock(true);
    try {
      if (FOnEditing) FOnEditing(this, result);
    } catch (...) {
      AdjustEditValueLock(false);
      throw;
    }
    AdjustEditValueLock(false);
    return result;
  }
  const bool wasModified = FDataBinding->GetModifiedState();
  if (FOnEditing) FOnEditing(this, result);
  if (!result) return false;
  if (wasModified) {
    FDataBinding->MarkModifiedIfFocused();
    return true;
  }
  AdjustEditValueLock(true);
  try {
    result = FDataBinding->EnterEditMode();
  } catch (...) {
    AdjustEditValueLock(false);
    throw;
  }
  AdjustEditValueLock(false);
  return result;
}

// --- Validation ---

void TcxCustomEdit::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error)
{
  TcxCustomEditProperties* properties = GetActiveProperties();
  if (properties->CanValidate()) properties->ValidateDisplayValue(DisplayValue, ErrorText, Error, this);
}

bool TcxCustomEdit::ValidateEdit(bool RaiseOnError)
{
  if (!FModified || FValidated) return true;
  TFlagScope validating(FValidating, true);
  Variant displayValue(GetDisplayTextForValue());
  std::string errorText;
  bool error = false;
  ValidateDisplayValue(displayValue, errorText, error);
  if (error) {
    // The editor shows what validation made of the text, whether or not it raises.
    auto showDisplayValue = [&] {
      if (VarToStr(displayValue) == GetDisplayTextForValue()) return;
      ApplyDisplayValue(displayValue);
      if (Visible()) {
        SelectAllText();
        if (!IsTextEditing()) ResolveTypedText();
      }
    };
    if (RaiseOnError) {
      try {
        ReportValidationError(errorText, true);
      } catch (...) {
        showDisplayValue();
        throw;
      }
    }
    showDisplayValue();
    return false;
  }
  if (FUserEditInProgress && !DoEditing()) return true;
  SynchronizeDisplayValueFromData(displayValue);
  if (!FIsInplace && !Focused()) SetModified(false);
  FValidated = true;
  return true;
}

void TcxCustomEdit::ReportValidationError(const std::string& ErrorText, bool AbortWhenSilent)
{
  if (!CanFocus()) FValidated = true;
  if (Visible() && !Focused() && CanTakeFocusNow()) {
    TFlagScope focusing(FErrorFocusing, true);
    if (TWinControl* inner = InnerControl(); inner && inner->CanFocus())
      inner->SetFocus();
    else
      SetFocus();
    SelectAllText();
  }
  if (GetActiveProperties()->BeepOnError()) SysMessageBeep(MB_OK);
  if (!ErrorText.empty()) throw EcxEditValidationError(ErrorText);
  if (AbortWhenSilent) Abort();
}

// --- Posting ---

bool TcxCustomEdit::CanPostValue() { return !IsDesigning() && FDataBinding->CanModifyData(); }

void TcxCustomEdit::PostEditValue(bool ValidateFirst)
{
  if (ValidateFirst) {
    TFlagScope notByUser(FUserEditInProgress, false);
    if (!ValidateEdit(true)) return;
  }
  try {
    EnterPostingState();
    try {
      if (FIsInplace) {
        if (FOnInplacePost) FOnInplacePost(this);
        SetModifiedAfterEnter(false);
      } else if (FDataBinding->IsInEditMode()) {
        FDataBinding->WriteStoredValue(GetEditValue());
      }
    } catch (...) {
      LeavePostingState();
      throw;
    }
    LeavePostingState();
  } catch (...) {
    // The host of an in-place editor reports its own errors; a stand-alone editor takes the focus
    // back before the error goes on.
    if (FIsInplace) return;
    ReportValidationError({}, false);
    throw;
  }
}

void TcxCustomEdit::AbandonChanges()
{
  if (!FModified || !GetActiveProperties()->IsResetEditValueSupported()) return;
  LockChangeEvents(true);
  try {
    FModified = false;
    if (IsStorageBound()) {
      Variant stored;
      FDataBinding->ReadStoredValue(stored);
      RestoreEditValue(stored);
    } else {
      RestoreEditValue(FSavedEditValue);
    }
    SetModifiedAfterEnter(true);
    SelectAllText();
    if (GetActiveProperties()->ImmediatePost() && CanPostValue()) PostEditValue(false);
  } catch (...) {
    LockChangeEvents(false, true);
    throw;
  }
  LockChangeEvents(false, true);
}

bool TcxCustomEdit::IsStorageBound()
{
  IcxEditDefaultValuesProvider* provider = FDataBinding->GetDefaultValuesProvider();
  return provider && provider->IsStorageBacked();
}

bool TcxCustomEdit::IsInEditFormat() { return Focused() && !GetActiveProperties()->IsDisplayFormatted(true); }

// --- Entering and leaving ---

void TcxCustomEdit::DoEnter()
{
  if (IsDestroying()) return;
  if (!FErrorFocusing) HandleEnter();
  RefreshStateAtCursor(false);
}

void TcxCustomEdit::HandleEnter()
{
  PushModifiedState();
  try {
    TcxCustomEditContainer::DoEnter();
    if (SynchronizesOnEnter()) FDataBinding->UpdateDisplayValue();
    if (GetActiveProperties()->IsResetEditValueSupported()) FSavedEditValue = GetEditValue();
    if (SynchronizesOnEnter()) SynchronizeDisplayValue();
  } catch (...) {
    PopModifiedState();
    FModified = false;
    throw;
  }
  PopModifiedState();
  FModified = false;
}

void TcxCustomEdit::DoExit()
{
  TFlagScope notByUser(FUserEditInProgress, false);
  HandleExit();
}

void TcxCustomEdit::HandleExit()
{
  if (IsDestroying() || FErrorFocusing) return;
  PushModifiedState();
  LockChangeEvents(true);
  try {
    ValidateEdit(true);
  } catch (...) {
    LockChangeEvents(false, true);
    PopModifiedState();
    throw;
  }
  try {
    if (!FIsInplace && CanPostValue()) PostEditValue(false);
  } catch (...) {
    LockChangeEvents(false, true);
    PopModifiedState();
    throw;
  }
  LockChangeEvents(false, true);
  if (SynchronizesOnEnter()) FDataBinding->UpdateDisplayValue();
  ResolveTypedText();
  RefreshStateAtCursor(false);
  PopModifiedState();
  TcxCustomEditContainer::DoExit();
  SetModified(false);
  PushModifiedState();
  PopModifiedState();
}

void TcxCustomEdit::HandleFocusChange()
{
  ResolveTypedText();
  TCustomForm* form = GetParentForm();
  if (form && form->Modal() && !form->Visible() && form->ModalResult() != mrNone && form->ModalResult() != mrCancel)
    ValidateEdit(false);
}

// --- In-place activation ---

bool TcxCustomEdit::CanTakeFocusNow()
{
  return HandleAllocated() && CanFocus() && IsWindowVisible(Handle());
}

void TcxCustomEdit::Activate(TcxCustomEditData*& EditData)
{
  if (!EditData && EditDataClassType()) EditData = EditDataClassType().Create(this);
  FEditData = EditData;
  if (FEditData && FEditData->ReinitializationPending()) {
    InitializeEditData();
    FEditData->SetReinitializationPending(false);
  }
  SetVisible(true);
  if (CanTakeFocusNow()) {
    SetFocus();
    if (GetActiveProperties()->AutoSelect()) SelectAllText();
  }
  SynchronizeDisplayValue();
  SetModifiedAfterEnter(false);
  FActivated = true;
}

void TcxCustomEdit::ActivateByKey(char Key, TcxCustomEditData*& EditData)
{
  (void)Key;
  Activate(EditData);
}

void TcxCustomEdit::ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& EditData)
{
  (void)Shift;
  (void)X;
  (void)Y;
  Activate(EditData);
}

bool TcxCustomEdit::Deactivate()
{
  FClickTimer->SetEnabled(false);
  FUserEditInProgress = false;
  if (!ValidateEdit(true)) return false;
  SynchronizeDisplayValue();
  FValidated = true;
  return true;
}

void TcxCustomEdit::EditDataReinitializationRequested(TcxCustomEditData* Data)
{
  if (Data != FEditData || !Data->ReinitializationPending()) return;
  InitializeEditData();
  Data->SetReinitializationPending(false);
}

void TcxCustomEdit::EditDataGone(TcxCustomEditData* Data)
{
  if (FEditData == Data) FEditData = nullptr;
}
