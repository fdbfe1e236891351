#include <cstddef>
#include <iterator>
#include <span>
#include <vector>
#include "classlib/TypInfo.h"
#include "classlib/Variant.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxMaskEdit.h"

namespace {
// Capability bit the text properties add for plain text editing; a mask takes it away.
constexpr TcxEditCapabilities PlainTextCapability = 0x800;
}  // namespace

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* Owner) : TcxCustomTextEditProperties(Owner)
{
  SetValidateOnEnter(true);
}

void TcxCustomMaskEditProperties::BeforeDestruction()
{
  FFormattingMode.reset();
  TcxCustomTextEditProperties::BeforeDestruction();
}

TClassRef<TcxCustomEdit> TcxCustomMaskEditProperties::TMeta::ContainerClassType() const
{
  return ClassRef<TcxMaskEdit>();
}

void TcxCustomMaskEditProperties::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomMaskEditProperties*>(Source);
  if (!source) {
    TcxCustomTextEditProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomTextEditProperties::Assign(Source);
  SetMaskKind(source->MaskKind());
  SetEditMask(source->EditMask());
  SetCaseInsensitive(source->CaseInsensitive());
  FIgnoreMaskBlank = source->FIgnoreMaskBlank;
  SetAlwaysShowBlanksAndLiterals(source->AlwaysShowBlanksAndLiterals());
}

void TcxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals(bool Value)
{
  if (FAlwaysShowBlanksAndLiterals == Value) return;
  FAlwaysShowBlanksAndLiterals = Value;
  Changed();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool Value)
{
  FCaseInsensitive = Value || CharCase() != ecNormal;
  Changed();
}

void TcxCustomMaskEditProperties::SetMaskKind(TcxEditMaskKind Value)
{
  if (FMaskKind == Value) return;
  FMaskKind = Value;
  Changed();
}

std::string TcxCustomMaskEditProperties::EditMask() const
{
  if (FMaskKind == emkStandard && IsBlankMask(FEditMask))
    return DefaultValuesProvider() ? DefaultValuesProvider()->ProvidedEditMask() : std::string();
  return FEditMask;
}

void TcxCustomMaskEditProperties::SetEditMask(const std::string& Value)
{
  if (Value == EditMask()) {
    FEditMask = Value;
    return;
  }
  // A mask is compiled before it is stored: one that does not compile leaves the old one.
  TOwned<TcxMaskEditCustomMode> trial(MaskModeClassType(FMaskKind).Create(nullptr, this));
  trial->CompileMask(Value);
  FEditMask = Value;
  Changed();
}

TcxMaskEditCustomModeClass TcxCustomMaskEditProperties::MaskModeClassType(TcxEditMaskKind Kind) const
{
  switch (Kind) {
    case emkStandard:
      return ClassRef<TcxMaskEditStandardMode>();
    case emkRegExpr:
      return ClassRef<TcxMaskEditRegExprMode>();
    default:
      return ClassRef<TcxMaskEditRegExprExMode>();
  }
}

TcxEditCapabilities TcxCustomMaskEditProperties::GetCapabilities() const
{
  const TcxEditCapabilities capabilities = TcxCustomTextEditProperties::GetCapabilities();
  return IsMasked() ? capabilities & ~PlainTextCapability : capabilities;
}

TcxEditDisplayFormatOptions TcxCustomMaskEditProperties::SupportedDisplayFormats() const
{
  if (IsMasked()) return {};
  return {TcxEditDisplayFormatOption::dfoDisplayFormat};
}

bool TcxCustomMaskEditProperties::UsesLookupData() const
{
  return !IsMasked() && TcxCustomTextEditProperties::UsesLookupData();
}

bool TcxCustomMaskEditProperties::IsEditValueValid(const Variant& EditValue, bool Focused) const
{
  return IsMasked() || TcxCustomTextEditProperties::IsEditValueValid(EditValue, Focused);
}

void TcxCustomMaskEditProperties::MaxLengthChanged()
{
  if (!IsMasked()) {
    TcxCustomTextEditProperties::MaxLengthChanged();
    return;
  }
  if (FMaxLengthAdjusting) return;
  TFlagScope adjusting(FMaxLengthAdjusting, true);
  TcxEditPropertiesUpdate update(this);
  SetMaxLength(0);
}

void TcxCustomMaskEditProperties::SetCharCase(TEditCharCase Value)
{
  if (Value != ecNormal) FCaseInsensitive = true;
  TcxCustomTextEditProperties::SetCharCase(Value);
}

void TcxCustomMaskEditProperties::DoChanged()
{
  FFormattingMode.reset();
  TcxCustomTextEditProperties::DoChanged();
}

TcxMaskEditCustomMode* TcxCustomMaskEditProperties::GetFormattingMode()
{
  const std::string mask = EditMask();
  if (IsBlankMask(mask)) return nullptr;
  const TcxMaskEditCustomModeClass modeClass = MaskModeClassType(FMaskKind);
  if (FFormattingMode && FFormattingMode->ClassType() == modeClass.Class() && FFormattingMode->EditMask() == mask)
    return FFormattingMode.get();
  FFormattingMode.reset();
  TOwned<TcxMaskEditCustomMode> mode(modeClass.Create(nullptr, this));
  mode->CompileMask(mask);
  FFormattingMode = std::move(mode);
  return FFormattingMode.get();
}

void TcxCustomMaskEditProperties::EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused)
{
  if (!IsMasked() || (!Focused && HasProviderDisplayFormat(false))) {
    TcxCustomTextEditProperties::EditValueToDisplayValue(EditValue, DisplayValue, Focused);
    return;
  }
  TcxMaskEditCustomMode* mode = GetFormattingMode();
  if (!mode) return;
  std::string text;
  try {
    text = VarToStrDef(EditValue, "");
  } catch (const Exception&) {
  }
  std::string result;
  if (Focused || FMaskKind != emkStandard || FAlwaysShowBlanksAndLiterals)
    mode->FormatText(text, false, result);
  else
    mode->FormatTextForDisplay(text, false, result);
  DisplayValue = result;
}

void TcxCustomMaskEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                       IcxEditValidationHost* Edit)
{
  if (!Error && IsMasked()) {
    auto* maskEdit = dynamic_cast<TcxCustomMaskEdit*>(Edit);
    if (maskEdit && maskEdit->MaskMode() && !maskEdit->MaskMode()->IsTextComplete(VarToStrDef(DisplayValue, ""))) {
      Error = true;
      ErrorText = GetResStringText(&scxMaskEditInvalidEditValue);
    }
  }
  TcxCustomTextEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, Edit);
}

CL_DEFINE_CLASS(TcxCustomMaskEditProperties);

namespace {
using TMEP = TcxMaskEditProperties;
const TPropInfo MaskProps[] = {
  BoolProp<&TMEP::AlwaysShowBlanksAndLiterals, &TMEP::SetAlwaysShowBlanksAndLiterals>("AlwaysShowBlanksAndLiterals",
                                                                                      false),
  BoolProp<&TMEP::CaseInsensitive, &TMEP::SetCaseInsensitive>("CaseInsensitive", true),
  BoolProp<&TMEP::IgnoreMaskBlank, &TMEP::SetIgnoreMaskBlank>("IgnoreMaskBlank", false),
  EnumProp<&TMEP::MaskKind, &TMEP::SetMaskKind>("MaskKind", cxEditMaskKindInfo, 0),
  Stored<&TMEP::IsEditMaskStored>(StrProp<&TMEP::EditMask, &TMEP::SetEditMask>("EditMask")),
};
// The text properties' published properties, then the mask's (the kind before the mask, so that a
// stored mask is read as its kind).
const std::vector<TPropInfo> MaskEditPropertiesProps = [] {
  const std::span<const TPropInfo> text = TextEditPublishedProperties();
  std::vector<TPropInfo> props(text.begin(), text.end());
  props.insert(props.end(), std::begin(MaskProps), std::end(MaskProps));
  return props;
}();
}  // namespace

CL_DEFINE_CLASS(TcxMaskEditProperties, .Props = MaskEditPropertiesProps);
