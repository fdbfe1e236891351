#include "toolkit/editors/cxEditProperties.h"

#include <algorithm>
#include <vector>
#include "classlib/Component.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxEditViewData.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
constexpr std::string_view VertAlignmentNames[] = {"taTopJustify", "taBottomJustify", "taVCenter"};

using TLiveProperties = std::vector<TcxCustomEditProperties*>;
TUnitObject<TLiveProperties> GLiveProperties{UnitcxEdit};

TcxRegisteredClasses* NewEditPropertiesRegistry()
{
  auto* registry = New<TcxRegisteredClasses>(false);
  registry->SetSorted(true);
  return registry;
}
TUnitObject<TcxRegisteredClasses> GEditPropertiesRegistry{UnitcxEdit, NewEditPropertiesRegistry};

using TPropertiesUpdate = TcxEditPropertiesUpdate;

bool IsStringVariant(const Variant& Value) { return VarIsStr(Value); }

// Exactly equal values of one variant type: texts byte for byte, anything else by the class
// library's comparison.
bool SameTypedValuesEqual(const Variant& A, const Variant& B)
{
  if (IsStringVariant(A) && IsStringVariant(B)) {
    if (VarType(A) == varOleStr) return A.AsWideString() == B.AsWideString();
    return A.AsString() == B.AsString();
  }
  return A == B;
}
}  // namespace

const TEnumInfo cxEditVertAlignmentInfo = EnumInfo<taVCenter>("TcxEditVertAlignment", VertAlignmentNames);

// --- Unit-level helpers ---

std::span<TcxCustomEditProperties* const> LiveEditProperties()
{
  if (TLiveProperties* list = GLiveProperties.Peek()) return *list;
  return {};
}

TcxRegisteredClasses* GetEditPropertiesRegistry() { return GEditPropertiesRegistry.Get(); }

void FreeEditPropertiesRegistryAndList()
{
  GEditPropertiesRegistry.Free();
  GLiveProperties.Free();
}

bool EditValuesEqual(const Variant& A, const Variant& B)
{
  return VarType(A) == VarType(B) && SameTypedValuesEqual(A, B);
}

bool EditValuesMatch(const Variant& A, const Variant& B)
{
  if (VarIsNumeric(A) && VarIsNumeric(B)) return A == B;
  return EditValuesEqual(A, B);
}

TComponent* FindOwnerComponent(TPersistent* Object)
{
  // An ownership cycle of persistents would be a fault; the walk stops after a generous depth.
  for (int depth = 0; Object && depth < 1024; ++depth, Object = Object->GetOwner())
    if (auto* component = dynamic_cast<TComponent*>(Object)) return component;
  return nullptr;
}

// --- TcxEditAlignment ---

namespace {
using TEA = TcxEditAlignment;
const TPropInfo EditAlignmentProps[] = {
  Stored<&TEA::HorzAssigned>(OrdProp<&TEA::Horz, &TEA::SetHorz>("Horz", TPropKind::Enumeration, &AlignmentInfo)),
  EnumProp<&TEA::Vert, &TEA::SetVert>("Vert", cxEditVertAlignmentInfo, static_cast<int>(taTopJustify)),
};
}  // namespace

CL_DEFINE_CLASS(TcxEditAlignment, .Props = EditAlignmentProps);

void TcxEditAlignment::DoChanged()
{
  if (FOnChanged) FOnChanged(this);
}

void TcxEditAlignment::SetHorz(TAlignment Value)
{
  if (FHorzAssigned && FHorz == Value) return;
  FHorzAssigned = true;
  FHorz = Value;
  DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment Value)
{
  if (FVert == Value) return;
  FVert = Value;
  DoChanged();
}

void TcxEditAlignment::ClearHorzAssignment()
{
  FHorzAssigned = false;
  DoChanged();
}

void TcxEditAlignment::Reset()
{
  FHorz = taLeftJustify;
  FVert = taTopJustify;
  FHorzAssigned = false;
}

void TcxEditAlignment::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxEditAlignment*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FVert = source->FVert;
  FHorz = source->FHorz;
  FHorzAssigned = source->FHorzAssigned;
  DoChanged();
}

// --- TcxCustomEditPropertiesValues ---

namespace {
using TEPV = TcxCustomEditPropertiesValues;
const TPropInfo EditPropertiesValuesProps[] = {
  BoolProp<&TEPV::ReadOnly, &TEPV::SetReadOnly>("ReadOnly", false),
};
}  // namespace

CL_DEFINE_CLASS(TcxCustomEditPropertiesValues, .Props = EditPropertiesValuesProps);

TPersistent* TcxCustomEditPropertiesValues::GetOwner() const { return FOwner; }

void TcxCustomEditPropertiesValues::SetFlag(bool& Flag, bool Value)
{
  if (Flag == Value) return;
  Flag = Value;
  if (FOwner) FOwner->Changed();
}

void TcxCustomEditPropertiesValues::SetMaxValue(bool Value) { SetFlag(FMaxValue, Value); }
void TcxCustomEditPropertiesValues::SetMinValue(bool Value) { SetFlag(FMinValue, Value); }
void TcxCustomEditPropertiesValues::SetReadOnly(bool Value) { SetFlag(FReadOnly, Value); }

void TcxCustomEditPropertiesValues::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomEditPropertiesValues*>(Source);
  if (!source) return TPersistent::Assign(Source);
  TPropertiesUpdate update(FOwner);
  SetMaxValue(source->FMaxValue);
  SetMinValue(source->FMinValue);
  SetReadOnly(source->FReadOnly);
}

void TcxCustomEditPropertiesValues::ResetAssignedFlags()
{
  TPropertiesUpdate update(FOwner);
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
}

bool TcxCustomEditPropertiesValues::IsBoundFlagStored(bool Flag, const char* PropertyName, double Bound) const
{
  return Flag && FOwner && Bound == 0 && FOwner->ClassType()->FindProp(PropertyName) != nullptr;
}

bool TcxCustomEditPropertiesValues::IsMaxValueStored() const
{
  return IsBoundFlagStored(FMaxValue, "MaxValue", FOwner ? FOwner->GetMaxValue() : 0);
}

bool TcxCustomEditPropertiesValues::IsMinValueStored() const
{
  return IsBoundFlagStored(FMinValue, "MinValue", FOwner ? FOwner->GetMinValue() : 0);
}

// --- TcxCustomEditProperties: life ---

CL_DEFINE_CLASS(TcxCustomEditProperties);

TcxCustomEditProperties::TcxCustomEditProperties(TPersistent* Owner) : TcxInterfacedPersistent(Owner) {}

TcxCustomEditProperties::~TcxCustomEditProperties() = default;

void TcxCustomEditProperties::AfterConstruction()
{
  TcxInterfacedPersistent::AfterConstruction();
  if (TLiveProperties* list = GLiveProperties.Get()) list->push_back(this);
  FReferenceWatcher = MakeOwned<TcxFreeNotificator>(nullptr);
  FReferenceWatcher->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TcxCustomEditProperties::HandleReferencedComponentFreed));
  FAlignment = MakeOwned<TcxEditAlignment>(this, TNotifyEvent(this, &TcxCustomEditProperties::HandleAlignmentChange));
  FAssignedValues.reset(AssignedValuesClassType().Create(this));
  const TcxEditButtonsClass buttonsClass = ButtonsClassType();
  FButtons.reset(buttonsClass.Create(this, buttonsClass->GetButtonClass()));
  FButtons->SetOnChange(TNotifyEvent(this, &TcxCustomEditProperties::HandleButtonsChange));
  FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
  FStoredAlignment = MakeOwned<TcxEditAlignment>(this);
}

void TcxCustomEditProperties::BeforeDestruction()
{
  ForgetPropertiesInAllLists(this);
  FDefaultValuesProvider = nullptr;
  FOwnerChangeHandler = nullptr;
  // No change is reported while the sub-objects go.
  FUpdateLockCount = 1;
  if (TLiveProperties* list = GLiveProperties.Peek()) std::erase(*list, this);
  FButtons.reset();
  FStoredAlignment.reset();
  FAssignedValues.reset();
  FAlignment.reset();
  FReferenceWatcher.reset();
  TcxInterfacedPersistent::BeforeDestruction();
}

// --- Change notification ---

void TcxCustomEditProperties::BeginUpdate()
{
  if (FUpdateLockCount == 0) FChangedWhileLocked = false;
  ++FUpdateLockCount;
}

void TcxCustomEditProperties::EndUpdate(bool Notify)
{
  if (FUpdateLockCount <= 0) return;
  if (--FUpdateLockCount == 0 && Notify && FChangedWhileLocked) Changed();
}

void TcxCustomEditProperties::Changed()
{
  auto* owner = dynamic_cast<TComponent*>(GetOwner());
  if (IsChangeHeld() || (owner && owner->IsDestroying())) {
    FChangedWhileLocked = true;
    return;
  }
  DoChanged();
}

void TcxCustomEditProperties::DoChanged()
{
  if (!FOwnerChangeHandler) return;
  ++FChangeNotificationDepth;
  try {
    FOwnerChangeHandler(this);
  } catch (...) {
    --FChangeNotificationDepth;
    throw;
  }
  --FChangeNotificationDepth;
}

void TcxCustomEditProperties::SubObjectChanged() { Changed(); }

void TcxCustomEditProperties::HandleButtonsChange(TObject* Sender)
{
  (void)Sender;
  SubObjectChanged();
}

void TcxCustomEditProperties::HandleReferencedComponentFreed(TComponent* Component)
{
  ReferencedComponentFreed(Component);
}

// --- Provider ---

void TcxCustomEditProperties::SetDefaultValuesProvider(IcxEditDefaultValuesProvider* Value)
{
  FDefaultValuesProvider = Value;
  if (dynamic_cast<TcxContainer*>(GetOwner())) Changed();
}

bool TcxCustomEditProperties::HasProviderDisplayFormat(bool Focused) const
{
  const TcxEditDisplayFormatOptions formats = SupportedDisplayFormats();
  if (Focused || !formats.Contains(TcxEditDisplayFormatOption::dfoDisplayFormat) || !FDefaultValuesProvider)
    return false;
  return FDefaultValuesProvider->DefinesDisplayFormat(!formats.Contains(TcxEditDisplayFormatOption::dfoEditFormat));
}

bool TcxCustomEditProperties::UsesProviderDisplayFormat()
{
  return SupportedDisplayFormats().Contains(TcxEditDisplayFormatOption::dfoDisplayFormat) &&
         !IsDisplayFormatted(true) && IsDisplayFormatted(false) && HasProviderDisplayFormat(false);
}

// --- Alignment ---

TAlignment TcxCustomEditProperties::DefaultHorzAlignment() const
{
  return FDefaultValuesProvider ? FDefaultValuesProvider->ProvidedAlignment() : FAlignment->Horz();
}

TcxEditAlignment* TcxCustomEditProperties::GetAlignment() const
{
  TcxEditAlignment* face = FAlignment.get();
  face->SetOnChanged(nullptr);
  face->FHorz = FStoredAlignment->FHorz;
  face->FVert = FStoredAlignment->FVert;
  face->FHorzAssigned = FStoredAlignment->FHorzAssigned;
  // While the owner is written, what was stored is written as it stands.
  TComponent* owner = FindOwnerComponent(const_cast<TcxCustomEditProperties*>(this));
  const bool writing = owner && owner->ComponentState().Contains(TComponentStateFlag::csWriting);
  if (!(IsAlignmentStored() && writing) && !FStoredAlignment->HorzAssigned()) face->FHorz = DefaultHorzAlignment();
  face->SetOnChanged(TNotifyEvent(const_cast<TcxCustomEditProperties*>(this), &TcxCustomEditProperties::HandleAlignmentChange));
  return face;
}

void TcxCustomEditProperties::HandleAlignmentChange(TObject* Sender)
{
  (void)Sender;
  AlignmentChanged();
}

void TcxCustomEditProperties::AlignmentChanged()
{
  FStoredAlignment->Assign(FAlignment.get());
  Changed();
}

void TcxCustomEditProperties::SetAlignment(TcxEditAlignment* Value)
{
  FStoredAlignment->Assign(Value);
  Changed();
}

// --- Values ---

template <class T>
void TcxCustomEditProperties::SetValue(T& Field, const T& Value)
{
  SetAndNotify(Field, Value, [this] { Changed(); });
}

template <class T>
void TcxCustomEditProperties::SetAssignedValue(T& Field, const T& Value,
                                               bool (TcxCustomEditPropertiesValues::*Flag)() const,
                                               void (TcxCustomEditPropertiesValues::*SetFlag)(bool))
{
  TcxCustomEditPropertiesValues* values = FAssignedValues.get();
  if ((values->*Flag)() && Field == Value) return;
  BeginUpdate();
  try {
    (values->*SetFlag)(true);
    Field = Value;
    Changed();
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

void TcxCustomEditProperties::SetAutoSelect(bool Value) { SetValue(FAutoSelect, Value); }
void TcxCustomEditProperties::SetAcceptsMouseWheel(bool Value) { SetValue(FAcceptsMouseWheel, Value); }
void TcxCustomEditProperties::SetBeepOnError(bool Value) { SetValue(FBeepOnError, Value); }
void TcxCustomEditProperties::SetButtonsDisplayKind(int Value) { SetValue(FButtonsDisplayKind, Value); }
void TcxCustomEditProperties::SetClearKey(TShortCut Value) { SetValue(FClearKey, Value); }
void TcxCustomEditProperties::SetClickKey(TShortCut Value) { SetValue(FClickKey, Value); }
void TcxCustomEditProperties::SetImmediatePost(bool Value) { SetValue(FImmediatePost, Value); }
void TcxCustomEditProperties::SetTransparent(bool Value) { SetValue(FTransparent, Value); }
void TcxCustomEditProperties::SetUseLeftAlignmentOnEditing(bool Value) { SetValue(FUseLeftAlignmentOnEditing, Value); }
void TcxCustomEditProperties::SetValidateOnEnter(bool Value) { SetValue(FValidateOnEnter, Value); }

void TcxCustomEditProperties::SetButtons(TcxEditButtons* Value) { FButtons->Assign(Value); }

bool TcxCustomEditProperties::IsUseLeftAlignmentOnEditingStored() const
{
  return FUseLeftAlignmentOnEditing != DefaultUseLeftAlignmentOnEditing();
}

void TcxCustomEditProperties::SetMaxValue(double Value)
{
  SetAssignedValue(FMaxValue, Value, &TcxCustomEditPropertiesValues::MaxValue,
                   &TcxCustomEditPropertiesValues::SetMaxValue);
}

void TcxCustomEditProperties::SetMinValue(double Value)
{
  SetAssignedValue(FMinValue, Value, &TcxCustomEditPropertiesValues::MinValue,
                   &TcxCustomEditPropertiesValues::SetMinValue);
}

void TcxCustomEditProperties::SetReadOnly(bool Value)
{
  SetAssignedValue(FReadOnly, Value, &TcxCustomEditPropertiesValues::ReadOnly,
                   &TcxCustomEditPropertiesValues::SetReadOnly);
}

double TcxCustomEditProperties::GetMaxValue() const
{
  if (FAssignedValues->MaxValue()) return FMaxValue;
  return FDefaultValuesProvider ? FDefaultValuesProvider->ProvidedMaxValue() : 0;
}

double TcxCustomEditProperties::GetMinValue() const
{
  if (FAssignedValues->MinValue()) return FMinValue;
  return FDefaultValuesProvider ? FDefaultValuesProvider->ProvidedMinValue() : 0;
}

bool TcxCustomEditProperties::GetReadOnly() const
{
  if (FAssignedValues->ReadOnly()) return FReadOnly;
  return FDefaultValuesProvider && FDefaultValuesProvider->ProvidedReadOnly();
}

bool TcxCustomEditProperties::CanModify() const
{
  if (FAssignedValues->ReadOnly() && !FReadOnly) return true;
  if (GetReadOnly()) return false;
  if (!FDefaultValuesProvider) return true;
  return FDefaultValuesProvider->ProvidedCanModify() && FDefaultValuesProvider->AllowsEditMode();
}

// --- Other virtual operations ---

std::string TcxCustomEditProperties::GetInvalidValueMessage(int Kind) const
{
  (void)Kind;
  return GetResStringText(&cxSEditValidateErrorText);
}

bool TcxCustomEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B)
{
  Variant displayA, displayB;
  EditValueToDisplayValue(A, displayA, false);
  EditValueToDisplayValue(B, displayB, false);
  return displayA == displayB;
}

TcxCustomEditViewDataClass TcxCustomEditProperties::ViewDataClassType() const
{
  return ClassRef<TcxCustomEditViewData>();
}

TClassRef<TcxCustomEdit> TcxCustomEditProperties::TMeta::ContainerClassType() const { return ClassRef<TcxCustomEdit>(); }

TClassRef<TcxCustomEdit> TcxCustomEditProperties::ContainerClassType() const
{
  return TcxCustomEditPropertiesClass(ClassType())->ContainerClassType();
}

TcxCustomEditViewInfoClass TcxCustomEditProperties::ViewInfoClassType() const
{
  return ClassRef<TcxCustomEditViewInfo>();
}

TOwned<TcxCustomEditViewData> TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* Style, bool IsInplace,
                                                                      bool ValueHidden) const
{
  TOwned<TcxCustomEditViewData> viewData(
      ViewDataClassType().Create(const_cast<TcxCustomEditProperties*>(this), Style, IsInplace));
  viewData->ValueHidden = ValueHidden;
  return viewData;
}

TcxCustomEditProperties* TcxCustomEditProperties::CreatePreviewCopy() const
{
  return TcxCustomEditPropertiesClass(ClassType()).Create(nullptr);
}

std::wstring TcxCustomEditProperties::GetDisplayText(const Variant& Value, bool FullText, bool Inplace)
{
  (void)Value;
  (void)FullText;
  (void)Inplace;
  return {};
}

TcxEditCapabilities TcxCustomEditProperties::GetCapabilities() const
{
  return FButtons->Count() > 0 ? cxEditCapabilityButtons : 0;
}

bool TcxCustomEditProperties::IsEditValueValid(const Variant& EditValue, bool Focused) const
{
  (void)EditValue;
  (void)Focused;
  return true;
}

void TcxCustomEditProperties::EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused)
{
  (void)Focused;
  DisplayValue = EditValue;
}

void TcxCustomEditProperties::ResetToDefaults()
{
  TPropertiesUpdate update(this);
  FStoredAlignment->Reset();
  Changed();
  FAssignedValues->ResetAssignedFlags();
}

// --- Validation ---

void TcxCustomEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                   IcxEditValidationHost* Edit)
{
  if (!CanValidate()) return;
  if (ErrorText.empty()) ErrorText = GetInvalidValueMessage(0);
  DoValidate(DisplayValue, ErrorText, Error, Edit);
}

void TcxCustomEditProperties::DoValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                         IcxEditValidationHost* Edit)
{
  if (!Edit || !Edit->HasValidateHandler()) return;
  const Variant shown = DisplayValue;
  Variant value = DisplayValue;
  Edit->FireValidate(value, ErrorText, Error);
  if (Error && VarToStr(value) == VarToStr(shown))
    DisplayValue = Variant(Edit->CurrentDisplayText());
  else
    DisplayValue = value;
}

// --- Copying ---

void TcxCustomEditProperties::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomEditProperties*>(Source);
  if (!source) return TcxInterfacedPersistent::Assign(Source);
  TPropertiesUpdate update(this);
  SetAutoSelect(source->AutoSelect());
  SetButtons(source->Buttons());
  SetButtonsDisplayKind(source->ButtonsDisplayKind());
  SetBeepOnError(source->BeepOnError());
  SetClearKey(source->ClearKey());
  SetClickKey(source->ClickKey());
  SetUseLeftAlignmentOnEditing(source->UseLeftAlignmentOnEditing());
  FDefaultValuesProvider = source->FDefaultValuesProvider;
  SetAlignment(source->GetAlignment());
  FAssignedValues->SetMaxValue(false);
  if (source->FAssignedValues->MaxValue()) SetMaxValue(source->GetMaxValue());
  FAssignedValues->SetMinValue(false);
  if (source->FAssignedValues->MinValue()) SetMinValue(source->GetMinValue());
  FAssignedValues->SetReadOnly(false);
  if (source->FAssignedValues->ReadOnly()) SetReadOnly(source->GetReadOnly());
  SetImmediatePost(source->ImmediatePost());
  SetTransparent(source->Transparent());
  SetAcceptsMouseWheel(source->AcceptsMouseWheel());
  SetValidateOnEnter(source->ValidateOnEnter());
  FOnButtonClick = source->FOnButtonClick;
  FOnChange = source->FOnChange;
  FOnEditValueChanged = source->FOnEditValueChanged;
  FOnValidate = source->FOnValidate;
}
