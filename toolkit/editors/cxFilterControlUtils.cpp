#include "toolkit/editors/cxFilterControlUtils.h"

#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditButtons.h"
#include "toolkit/editors/cxEditInplaceList.h"

TUnit UnitcxFilterControlUtils{"cxFilterControlUtils"};

namespace {

TUnitObject<TcxFilterEditsController> GFilterEditsController{UnitcxFilterControlUtils};

// The key a properties class is registered and looked up under: its parent class.
TClassRef<> KeyOf(TcxCustomEditPropertiesClass propertiesClass) { return TClassRef<>(propertiesClass.Parent()); }

}  // namespace

// --- TcxCustomFilterEditHelper ---

void TcxCustomFilterEditHelper::TMeta::ClearEditEvents(TcxCustomEditProperties* properties) const
{
  if (!properties) return;
  properties->SetOnButtonClick({});
  properties->SetOnChange({});
  properties->SetOnEditValueChanged({});
  properties->SetOnValidate({});
}

void TcxCustomFilterEditHelper::TMeta::PrepareFilterEdit(TcxCustomEdit* edit,
                                                         TcxCustomEditProperties* properties) const
{
  SetUpFilterProperties(edit->GetActiveProperties(), properties, KeepsEditButtons());
}

bool TcxCustomFilterEditHelper::TMeta::AllowsFilterEditing(TcxCustomEditProperties* properties) const
{
  (void)properties;
  return true;
}

bool TcxCustomFilterEditHelper::TMeta::KeepsEditButtons() const { return false; }

TcxCustomEditClass TcxCustomFilterEditHelper::TMeta::FilterEditClassType() const { return {}; }

void TcxCustomFilterEditHelper::TMeta::ReadFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties* properties,
                                                       std::wstring& displayText, Variant& value) const
{
  value = edit->GetEditValue();
  displayText = properties->GetDisplayText(value, false, true);
}

void TcxCustomFilterEditHelper::TMeta::GetFilterOperators(TcxCustomEditProperties* properties,
                                                          TcxValueTypeClass valueTypeClass,
                                                          TcxFilterOperatorKinds& operators, bool extended) const
{
  (void)properties;
  using enum TcxFilterOperatorKind;
  const int last = static_cast<int>(extended ? fcoNotInList : fcoIsNotNull);
  operators = {};
  for (int kind = static_cast<int>(fcoEqual); kind <= last; ++kind)
    operators.Include(static_cast<TcxFilterOperatorKind>(kind));
  if (valueTypeClass && valueTypeClass->HoldsText()) return;
  operators -= {fcoLike, fcoNotLike};
}

void TcxCustomFilterEditHelper::TMeta::SetUpFilterProperties(TcxCustomEditProperties* target,
                                                             TcxCustomEditProperties* source, bool keepButtons) const
{
  target->Assign(source);
  target->GetAlignment()->SetHorz(taLeftJustify);
  target->GetAlignment()->SetVert(TcxEditVertAlignment::taTopJustify);
  target->SetBeepOnError(false);
  if (!keepButtons) target->Buttons()->Clear();
  target->SetReadOnly(false);
  target->SetValidateOnEnter(true);
  if (!AllowsFilterEditing(source)) target->SetDefaultValuesProvider(nullptr);
  ClearEditEvents(target);
}

bool TcxCustomFilterEditHelper::TMeta::IsFilterValueAcceptable(TcxValueTypeClass valueTypeClass,
                                                               Variant& value) const
{
  return !valueTypeClass || valueTypeClass->AcceptsVariant(value);
}

void TcxCustomFilterEditHelper::TMeta::WriteFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties* properties,
                                                        const Variant& value) const
{
  (void)edit;
  (void)properties;
  (void)value;
}

bool TcxCustomFilterEditHelper::TMeta::FiltersByDisplayText() const { return false; }

CL_DEFINE_CLASS(TcxCustomFilterEditHelper);

// --- TcxFilterEditsController ---

void TcxFilterEditsController::AddHelperPair(TcxCustomEditPropertiesClass propertiesClass,
                                             TcxCustomFilterEditHelperClass helperClass)
{
  AddRegistration(KeyOf(propertiesClass), helperClass);
}

void TcxFilterEditsController::RemoveHelperPair(TcxCustomEditPropertiesClass propertiesClass,
                                                TcxCustomFilterEditHelperClass helperClass)
{
  RemoveRegistration(KeyOf(propertiesClass), helperClass);
  if (GetCount() == 0 && GFilterEditsController.Peek() == this) GFilterEditsController.Free();  // this is gone
}

TcxCustomFilterEditHelperClass TcxFilterEditsController::LookupHelperClass(
    TcxCustomEditPropertiesClass propertiesClass) const
{
  TClassRef<> key = KeyOf(propertiesClass);
  return key ? TcxCustomFilterEditHelperClass(LookUpRegisteredClass(key)) : nullptr;
}

CL_DEFINE_CLASS(TcxFilterEditsController);

TcxFilterEditsController* GetFilterEditsController() { return GFilterEditsController.Get(); }

TcxCustomEdit* CreateFilterEdit(TcxCustomFilterEditHelperClass helperClass, TcxCustomEditProperties* properties,
                                TcxInplaceEditList* editList)
{
  const TcxCustomEditClass editClass = helperClass ? helperClass->FilterEditClassType() : TcxCustomEditClass();
  if (!editClass)
    throw EcxEditError("The filter edit helper " + std::string(helperClass ? helperClass.Name() : "(none)") +
                       " names no editor class to enter a filter value with");
  if (editList) {
    TcxCustomEdit* edit = editList->GetEdit(editClass->PropertiesClassType());
    helperClass->PrepareFilterEdit(edit, properties);
    return edit;
  }
  TOwned<TcxCustomEdit> edit(editClass.Create(nullptr, false));
  helperClass->PrepareFilterEdit(edit.get(), properties);
  return edit.release();
}
