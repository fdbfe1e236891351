#include "toolkit/editors/cxEditStyles.h"

namespace {
constexpr std::string_view ButtonStyleNames[] = {"btsDefault", "bts3D",        "btsFlat",    "btsSimple",
                                                 "btsHotFlat", "btsUltraFlat", "btsOffice11"};
constexpr std::string_view ButtonTransparencyNames[] = {"ebtNone", "ebtInactive", "ebtAlways", "ebtHideInactive",
                                                        "ebtHideUnselected"};
constexpr std::string_view BorderStyleNames[] = {"ebsNone", "ebsSingle",    "ebsThick",   "ebsFlat",
                                                 "ebs3D",   "ebsUltraFlat", "ebsOffice11"};
// dirNone is not a gradient direction, but the names are indexed by value.
constexpr std::string_view DirectionNames[] = {"dirNone", "dirLeft", "dirRight", "dirUp", "dirDown"};
constexpr std::string_view PopupBorderStyleNames[] = {"epbsDefault", "epbsSingle", "epbsFrame3D", "epbsFlat"};
constexpr std::string_view StyleValueNames[] = {
  "svBorderColor", "svBorderStyle",    "svColor",          "svEdges",
  "svFont",        "svHotTrack",       "svShadow",         "svTextColor",
  "svTextStyle",   "svTransparentBorder", "svButtonStyle", "svButtonTransparency",
  "svPopupBorderStyle", "svGradientButtons", "svGradient", "svGradientDirection"};
// The names the editor values are published under, from svButtonStyle on.
constexpr std::string_view EditValuePropertyNames[] = {"ButtonStyle",     "ButtonTransparency", "PopupBorderStyle",
                                                       "GradientButtons", "Gradient",           "GradientDirection"};
static_assert(std::size(EditValuePropertyNames) == cxEditStyleValueCount - cxContainerStyleValueCount);
}  // namespace

const TEnumInfo cxEditButtonStyleInfo = EnumInfo<btsOffice11>("TcxEditButtonStyle", ButtonStyleNames);
const TEnumInfo cxEditButtonTransparencyInfo =
    EnumInfo<ebtHideUnselected>("TcxEditButtonTransparency", ButtonTransparencyNames);
const TEnumInfo cxEditBorderStyleInfo = EnumInfo<ebsOffice11>("TcxEditBorderStyle", BorderStyleNames);
const TEnumInfo cxEditGradientDirectionInfo = EnumInfo<dirDown>("TcxEditGradientDirection", DirectionNames);
const TEnumInfo cxEditPopupBorderStyleInfo = EnumInfo<epbsFlat>("TcxEditPopupBorderStyle", PopupBorderStyleNames);
const TEnumInfo cxEditStyleValueInfo = EnumInfo<svGradientDirection>("TcxEditStyleValue", StyleValueNames);

// --- TcxCustomEditStyle ---

CL_DEFINE_CLASS(TcxCustomEditStyle);

TcxCustomEditStyle::TcxCustomEditStyle(TPersistent* Owner, bool DirectAccessMode, TcxContainerStyle* ParentStyle,
                                       TcxContainerStateItem State)
    : TcxContainerStyle(Owner, DirectAccessMode, ParentStyle, State)
{
}

TcxStyleController* TcxCustomEditStyle::GetStandardStyleController() const
{
  if (DirectAccessMode()) return nullptr;
  if (IcxContainerStyleOwner* container = OwnerContainer(); container && container->IsInplace()) return nullptr;
  return SharedEditStyleController();
}

TcxCustomEditStyle* TcxCustomEditStyle::GetRootStyle() const
{
  return static_cast<TcxCustomEditStyle*>(TcxContainerStyle::GetRootStyle());
}

TcxEditStyleController* TcxCustomEditStyle::StyleController() const
{
  return dynamic_cast<TcxEditStyleController*>(TcxContainerStyle::StyleController());
}

void TcxCustomEditStyle::SetStyleController(TcxEditStyleController* Value)
{
  TcxContainerStyle::SetStyleController(Value);
}

TcxEditStyleController* TcxCustomEditStyle::GetEffectiveStyleController() const
{
  return dynamic_cast<TcxEditStyleController*>(TcxContainerStyle::GetEffectiveStyleController());
}

bool TcxCustomEditStyle::GetValueName(TcxContainerStyleValue Value, std::string& Name) const
{
  if (Value < cxContainerStyleValueCount) return TcxContainerStyle::GetValueName(Value, Name);
  Name.clear();
  if (Value >= cxEditStyleValueCount) return false;
  Name = EditValuePropertyNames[Value - cxContainerStyleValueCount];
  return true;
}

// --- Editor values ---

template <class T>
T TcxCustomEditStyle::EditValue(TcxContainerStyleValue Value, T TcxCustomEditStyle::*Field,
                                T (TcxCustomEditStyle::*Inherited)() const) const
{
  if (DirectAccessMode()) return AssignedValues().Contains(Value) ? this->*Field : (this->*Inherited)();
  if (auto* style = dynamic_cast<const TcxCustomEditStyle*>(FindAssigningStyle(Value))) return style->*Field;
  return (this->*Inherited)();
}

template <class T>
void TcxCustomEditStyle::SetEditValue(TcxContainerStyleValue Value, T TcxCustomEditStyle::*Field, const T& NewValue)
{
  TcxCustomEditStyle* style = GetUnpublishedStyleValues().Contains(Value) ? GetRootStyle() : this;
  if (style->AssignedValues().Contains(Value) && style->*Field == NewValue) return;
  style->*Field = NewValue;
  style->IncludeAssignedValue(Value);
  style->Changed();
}

TcxEditButtonStyle TcxCustomEditStyle::ButtonStyle() const
{
  return EditValue(svButtonStyle, &TcxCustomEditStyle::FButtonStyle, &TcxCustomEditStyle::InheritedButtonStyle);
}

TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparency() const
{
  return EditValue(svButtonTransparency, &TcxCustomEditStyle::FButtonTransparency,
                   &TcxCustomEditStyle::InheritedButtonTransparency);
}

bool TcxCustomEditStyle::Gradient() const
{
  return EditValue(svGradient, &TcxCustomEditStyle::FGradient, &TcxCustomEditStyle::InheritedGradient);
}

bool TcxCustomEditStyle::GradientButtons() const
{
  return EditValue(svGradientButtons, &TcxCustomEditStyle::FGradientButtons,
                   &TcxCustomEditStyle::InheritedGradientButtons);
}

TcxEditGradientDirection TcxCustomEditStyle::GradientDirection() const
{
  return EditValue(svGradientDirection, &TcxCustomEditStyle::FGradientDirection,
                   &TcxCustomEditStyle::InheritedGradientDirection);
}

TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyle() const
{
  return EditValue(svPopupBorderStyle, &TcxCustomEditStyle::FPopupBorderStyle,
                   &TcxCustomEditStyle::InheritedPopupBorderStyle);
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle Value)
{
  SetEditValue(svButtonStyle, &TcxCustomEditStyle::FButtonStyle, Value);
}

void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency Value)
{
  SetEditValue(svButtonTransparency, &TcxCustomEditStyle::FButtonTransparency, Value);
}

void TcxCustomEditStyle::SetGradient(bool Value) { SetEditValue(svGradient, &TcxCustomEditStyle::FGradient, Value); }

void TcxCustomEditStyle::SetGradientButtons(bool Value)
{
  SetEditValue(svGradientButtons, &TcxCustomEditStyle::FGradientButtons, Value);
}

void TcxCustomEditStyle::SetGradientDirection(TcxEditGradientDirection Value)
{
  SetEditValue(svGradientDirection, &TcxCustomEditStyle::FGradientDirection, Value);
}

void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle Value)
{
  SetEditValue(svPopupBorderStyle, &TcxCustomEditStyle::FPopupBorderStyle, Value);
}

bool TcxCustomEditStyle::PopupCloseButtonShown() const { return GetRootStyle()->FPopupCloseButtonShown; }

void TcxCustomEditStyle::SetPopupCloseButtonShown(bool Value)
{
  TcxCustomEditStyle* root = GetRootStyle();
  if (root->FPopupCloseButtonShown == Value) return;
  root->FPopupCloseButtonShown = Value;
  root->Changed();
}

// --- Inherited values ---

TcxEditButtonStyle TcxCustomEditStyle::InheritedButtonStyle() const
{
  return IsBaseStyle() ? btsDefault : GetRootStyle()->ButtonStyle();
}

TcxEditButtonTransparency TcxCustomEditStyle::InheritedButtonTransparency() const
{
  return IsBaseStyle() ? ebtNone : GetRootStyle()->ButtonTransparency();
}

bool TcxCustomEditStyle::InheritedGradient() const { return IsBaseStyle() ? false : GetRootStyle()->Gradient(); }

bool TcxCustomEditStyle::InheritedGradientButtons() const
{
  return IsBaseStyle() ? false : GetRootStyle()->GradientButtons();
}

TcxEditGradientDirection TcxCustomEditStyle::InheritedGradientDirection() const
{
  return IsBaseStyle() ? dirDown : GetRootStyle()->GradientDirection();
}

TcxEditPopupBorderStyle TcxCustomEditStyle::InheritedPopupBorderStyle() const
{
  return IsBaseStyle() ? epbsDefault : GetRootStyle()->PopupBorderStyle();
}

// --- Copying ---

void TcxCustomEditStyle::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomEditStyle*>(Source);
  if (!source) return TcxContainerStyle::Assign(Source);
  BeginUpdate();
  try {
    FButtonStyle = source->FButtonStyle;
    FButtonTransparency = source->FButtonTransparency;
    FGradient = source->FGradient;
    FGradientButtons = source->FGradientButtons;
    FGradientDirection = source->FGradientDirection;
    FPopupBorderStyle = source->FPopupBorderStyle;
    FPopupCloseButtonShown = source->FPopupCloseButtonShown;
    TcxContainerStyle::Assign(Source);
  } catch (...) {
    Changed();
    EndUpdate();
    throw;
  }
  Changed();
  EndUpdate();
}

// --- TcxEditStyle ---

namespace {
using TES = TcxEditStyle;
template <TcxContainerStyleValue V>
constexpr TPropInfo StoredValue(TPropInfo p)
{
  return Stored<&TES::IsValueStored<V>>(p);
}
constexpr TPropInfo NotStored(TPropInfo p)
{
  p.Stored = [](const TObject*) { return false; };
  return p;
}

const TPropInfo EditStyleProps[] = {
  NotStored(OrdProp<&TES::AssignedValues, &TES::SetAssignedValues>("AssignedValues", TPropKind::Set,
                                                                   &cxEditStyleValueInfo)),
  StoredValue<svBorderStyle>(
      OrdProp<&TES::BorderStyle, &TES::SetBorderStyle>("BorderStyle", TPropKind::Enumeration, &cxEditBorderStyleInfo)),
  StoredValue<svButtonStyle>(
      OrdProp<&TES::ButtonStyle, &TES::SetButtonStyle>("ButtonStyle", TPropKind::Enumeration, &cxEditButtonStyleInfo)),
  StoredValue<svButtonTransparency>(OrdProp<&TES::ButtonTransparency, &TES::SetButtonTransparency>(
      "ButtonTransparency", TPropKind::Enumeration, &cxEditButtonTransparencyInfo)),
  StoredValue<svGradient>(OrdProp<&TES::Gradient, &TES::SetGradient>("Gradient", TPropKind::Boolean)),
  StoredValue<svGradientDirection>(OrdProp<&TES::GradientDirection, &TES::SetGradientDirection>(
      "GradientDirection", TPropKind::Enumeration, &cxEditGradientDirectionInfo)),
  StoredValue<svPopupBorderStyle>(OrdProp<&TES::PopupBorderStyle, &TES::SetPopupBorderStyle>(
      "PopupBorderStyle", TPropKind::Enumeration, &cxEditPopupBorderStyleInfo)),
  Stored<&TES::IsStyleControllerStored>(
      ComponentProp<&TES::StyleController, &TES::SetStyleController>("StyleController")),
};
}  // namespace

CL_DEFINE_CLASS(TcxEditStyle, .Props = EditStyleProps);

// --- TcxEditStyleController ---

namespace {
using TESC = TcxEditStyleController;
const TPropInfo EditStyleControllerProps[] = {
  PersistentProp<&TESC::Style>("Style"),
  PersistentProp<&TESC::StyleDisabled>("StyleDisabled"),
  PersistentProp<&TESC::StyleFocused>("StyleFocused"),
  PersistentProp<&TESC::StyleHot>("StyleHot"),
  EventProp<&TESC::OnStyleChanged, &TESC::SetOnStyleChanged>("OnStyleChanged"),
};
}  // namespace

CL_DEFINE_CLASS(TcxEditStyleController, .Props = EditStyleControllerProps);

TcxEditStyle* TcxEditStyleController::GetStateStyle(TcxContainerStateItem State) const
{
  return static_cast<TcxEditStyle*>(TcxStyleController::GetStateStyle(State));
}

void TcxEditStyleController::SetStateStyle(TcxContainerStateItem State, TcxEditStyle* Value)
{
  if (Styles()) Styles()->SetStateStyle(State, Value);
}
