#include "toolkit/editors/cxEditDataBinding.h"

#include "toolkit/editors/cxEditControl.h"

CL_DEFINE_CLASS(TcxCustomEditDefaultValuesProvider);
CL_DEFINE_CLASS(TcxEditDataBinding);

// --- TcxCustomEditDefaultValuesProvider ---

void TcxCustomEditDefaultValuesProvider::BeforeDestruction()
{
  DetachFromProperties();
  TcxInterfacedPersistent::BeforeDestruction();
}

void TcxCustomEditDefaultValuesProvider::DetachFromProperties()
{
  for (TcxCustomEditProperties* properties : LiveEditProperties())
    if (properties->DefaultValuesProvider() == this) properties->ClearDefaultValuesProvider();
}

// --- TcxEditDataBinding ---

void TcxEditDataBinding::AfterConstruction()
{
  TPersistent::AfterConstruction();
  FDefaultValuesProvider.reset(DefaultValuesProviderClassType().Create(nullptr));
}

TPersistent* TcxEditDataBinding::GetOwner() const { return FEdit; }

void TcxEditDataBinding::DefaultValuesChanged()
{
  TcxCustomEditProperties* properties = FEdit->GetActiveProperties();
  if (properties == FEdit->Properties()) {
    properties->Changed();
    return;
  }
  // A repository item's properties: only this editor refreshes, the item's other users are not told.
  properties->BeginUpdate();
  try {
    properties->Changed();
  } catch (...) {
    properties->EndUpdate(false);
    throw;
  }
  properties->EndUpdate(false);
  FEdit->PropertiesChanged(properties);
}

void TcxEditDataBinding::GetDisplayValueFromEdit(Variant& Value) { Value = Variant(FEdit->GetDisplayTextForValue()); }

bool TcxEditDataBinding::GetModifiedState() { return FEdit->Modified(); }

bool TcxEditDataBinding::CanReadData()
{
  return FDefaultValuesProvider && FDefaultValuesProvider->HasDataAvailable();
}

bool TcxEditDataBinding::IsInEditMode() { return FEdit->Modified(); }

void TcxEditDataBinding::ReadStoredValue(Variant& Value) { Value = FEdit->EditValue(); }

void TcxEditDataBinding::AbandonEditChanges() { FEdit->AbandonChanges(); }

void TcxEditDataBinding::PushDisplayValue(const Variant& Value) { FEdit->ApplyDisplayValue(Value); }

bool TcxEditDataBinding::EnterEditMode()
{
  FEdit->SetModified(true);
  return true;
}

bool TcxEditDataBinding::CanReformat() { return FEdit->IsDesigning() || !FEdit->Modified(); }

bool TcxEditDataBinding::MarkModifiedIfFocused()
{
  if (!FEdit->Focused()) return false;
  FEdit->SetModified(true);
  return true;
}

void TcxEditDataBinding::UpdateDisplayValue() { FEdit->SynchronizeDisplayValue(); }
