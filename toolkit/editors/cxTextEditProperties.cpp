#include "toolkit/editors/cxTextEditProperties.h"

#include <cctype>
#include "classlib/DateTime.h"
#include "classlib/Encoding.h"
#include "classlib/FMTBcd.h"
#include "classlib/Filer.h"
#include "classlib/SysUtils.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxTextEditViewData.h"
#include "toolkit/editors/cxTextEditViewInfo.h"
#include "toolkit/editors/cxVariants.h"

namespace {
constexpr std::string_view EchoModeNames[] = {"eemNormal", "eemPassword"};
constexpr std::string_view ViewStyleNames[] = {"vsNormal", "vsHideCursor", "vsButtonsOnly", "vsButtonsAutoWidth"};

// Capabilities of text editors, with and without buttons.
constexpr TcxEditCapabilities TextEditCapabilitiesWithButtons = 0x15E;
constexpr TcxEditCapabilities TextEditCapabilitiesWithoutButtons = 0x95E;
constexpr int DefaultPrecision = 15;

using TUpdateScope = TcxEditPropertiesUpdate;

// The number of characters of ANSI text (a double-byte character counts once).
int CharacterCount(std::string_view Text)
{
  int count = 0;
  for (size_t i = 0; i < Text.size(); ++count)
    i += IsDBCSLeadByte(static_cast<BYTE>(Text[i])) && i + 1 < Text.size() ? 2 : 1;
  return count;
}

// A number or numeric text through a picture format; text that is no number stays as it is.
std::string FormatNumberValue(const std::string& Format, const Variant& Value)
{
  if (VarIsStr(Value)) {
    TBcd bcd;
    const std::string text = VarToStr(Value);
    return TryStrToBcd(text, bcd) ? FormatFloat(Format, bcd) : text;
  }
  return FormatFloat(Format, VarToBcd(Value));
}
}  // namespace

const TEnumInfo cxEditEchoModeInfo = EnumInfo<eemPassword>("TcxEditEchoMode", EchoModeNames);
const TEnumInfo cxTextEditViewStyleInfo = EnumInfo<vsButtonsAutoWidth>("TcxTextEditViewStyle", ViewStyleNames);

// --- Number text helpers ---

void RemoveThousandSeparators(std::string& Text)
{
  const std::string& separator = FormatSettings().ThousandSeparator;
  if (separator.empty()) return;
  for (size_t at; (at = Text.find(separator)) != std::string::npos;) Text.erase(at, separator.size());
}

std::string SplitOffExponent(std::string& Text)
{
  const size_t at = Text.find_first_of("Ee");
  if (at == std::string::npos) return {};
  std::string exponent = Text.substr(at);
  Text.erase(at);
  return exponent;
}

void InsertThousandSeparators(std::string& Text)
{
  const size_t first = Text.find_first_not_of(' ');
  if (first == std::string::npos) return;
  const size_t last = Text.find_last_not_of(' ');
  const std::string leading = Text.substr(0, first);
  const std::string trailing = Text.substr(last + 1);
  std::string number = Text.substr(first, last - first + 1);
  const std::string exponent = SplitOffExponent(number);
  RemoveThousandSeparators(number);
  const std::string& separator = FormatSettings().ThousandSeparator;
  size_t end = number.find(DecimalSeparator());
  if (end == std::string::npos) end = number.size();
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  // Going left from the point: a separator before every full group of three digits that has a
  // digit before it.
  for (size_t groupStart = end; groupStart >= 3;) {
    groupStart -= 3;
    const bool groupIsDigits = isDigit(number[groupStart]) && isDigit(number[groupStart + 1]) && isDigit(number[groupStart + 2]);
    if (!groupIsDigits || groupStart == 0 || !isDigit(number[groupStart - 1])) break;
    number.insert(groupStart, separator);
  }
  Text = leading + number + exponent + trailing;
}

// --- TcxTextEditPropertiesValues ---

namespace {
using TTEPV = TcxTextEditPropertiesValues;
const TPropInfo TextEditPropertiesValuesProps[] = {
  Stored<&TTEPV::IsDisplayFormatStored>(BoolProp<&TTEPV::DisplayFormat, &TTEPV::SetDisplayFormat>("DisplayFormat", false)),
  Stored<&TTEPV::IsEditFormatStored>(BoolProp<&TTEPV::EditFormat, &TTEPV::SetEditFormat>("EditFormat", false)),
};
}  // namespace

CL_DEFINE_CLASS(TcxTextEditPropertiesValues, .Props = TextEditPropertiesValuesProps);

TcxCustomTextEditProperties* TcxTextEditPropertiesValues::TextProperties() const
{
  return dynamic_cast<TcxCustomTextEditProperties*>(Properties());
}

void TcxTextEditPropertiesValues::SetDisplayFormat(bool Value)
{
  if (FDisplayFormat == Value) return;
  FDisplayFormat = Value;
  if (Properties()) Properties()->Changed();
}

void TcxTextEditPropertiesValues::SetEditFormat(bool Value)
{
  if (FEditFormat == Value) return;
  FEditFormat = Value;
  if (Properties()) Properties()->Changed();
}

void TcxTextEditPropertiesValues::SetMaxLength(bool Value)
{
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  if (TcxCustomTextEditProperties* owner = TextProperties()) owner->MaxLengthChanged();
}

bool TcxTextEditPropertiesValues::IsFormatFlagStored(bool Flag, const char* PropertyName) const
{
  TcxCustomTextEditProperties* owner = TextProperties();
  if (!Flag || !owner || !owner->ClassType()->FindProp(PropertyName)) return false;
  const std::string format = std::string_view(PropertyName) == "DisplayFormat" ? owner->DisplayFormat() : owner->EditFormat();
  return format.empty();
}

void TcxTextEditPropertiesValues::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxTextEditPropertiesValues*>(Source);
  if (!source) return TcxCustomEditPropertiesValues::Assign(Source);
  TUpdateScope update(Properties());
  TcxCustomEditPropertiesValues::Assign(Source);
  SetDisplayFormat(source->FDisplayFormat);
  SetEditFormat(source->FEditFormat);
  SetMaxLength(source->FMaxLength);
}

void TcxTextEditPropertiesValues::ResetAssignedFlags()
{
  TUpdateScope update(Properties());
  TcxCustomEditPropertiesValues::ResetAssignedFlags();
  SetDisplayFormat(false);
  SetEditFormat(false);
  SetMaxLength(false);
}

// --- TcxCustomTextEditProperties: life ---

CL_DEFINE_CLASS(TcxCustomTextEditProperties);

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* Owner) : TcxCustomEditProperties(Owner) {}

void TcxCustomTextEditProperties::AfterConstruction()
{
  TcxCustomEditProperties::AfterConstruction();
  FLookupItems = MakeOwned<TStringList>();
  FLookupItems->SetDuplicates(TDuplicates::dupAccept);
  FLookupItems->SetOnChange(TNotifyEvent(this, &TcxCustomTextEditProperties::HandleLookupItemsChange));
  if (TcxFormatController* controller = GetFormatController()) controller->AddListener(this);
}

void TcxCustomTextEditProperties::BeforeDestruction()
{
  if (TcxFormatController* controller = GetFormatController()) controller->RemoveListener(this);
  FLookupItems.reset();
  TcxCustomEditProperties::BeforeDestruction();
}

void TcxCustomTextEditProperties::HandleLookupItemsChange(TObject* Sender)
{
  (void)Sender;
  Changed();
}

// --- Setters ---

template <class T>
void TcxCustomTextEditProperties::SetAndChange(T& Field, const T& Value)
{
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TcxCustomTextEditProperties::SetCharCase(TEditCharCase Value) { SetAndChange(FCharCase, Value); }
void TcxCustomTextEditProperties::SetEchoMode(TcxEditEchoMode Value) { SetAndChange(FEchoMode, Value); }
void TcxCustomTextEditProperties::SetHideCursor(bool Value) { SetAndChange(FHideCursor, Value); }
void TcxCustomTextEditProperties::SetHideSelection(bool Value) { SetAndChange(FHideSelection, Value); }
void TcxCustomTextEditProperties::SetImeMode(TImeMode Value) { SetAndChange(FImeMode, Value); }
void TcxCustomTextEditProperties::SetImeName(const std::string& Value) { SetAndChange(FImeName, Value); }
void TcxCustomTextEditProperties::SetIncrementalSearch(bool Value) { SetAndChange(FIncrementalSearch, Value); }
void TcxCustomTextEditProperties::SetLookupWholeText(bool Value) { SetAndChange(FLookupWholeText, Value); }
void TcxCustomTextEditProperties::SetOEMConvert(bool Value) { SetAndChange(FOEMConvert, Value); }
void TcxCustomTextEditProperties::SetPasswordChar(char Value) { SetAndChange(FPasswordChar, Value); }
void TcxCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool Value)
{
  SetAndChange(FUseDisplayFormatWhenEditing, Value);
}

void TcxCustomTextEditProperties::SetGrowingListPrefix(bool Value)
{
  if (FGrowingListPrefix == Value) return;
  FGrowingListPrefix = Value;
  if (GetEditingStyle() == 2) Changed();
}

std::string TcxCustomTextEditProperties::DisplayFormat() const
{
  if (AssignedValues()->DisplayFormat()) return FDisplayFormat;
  if (IcxEditDefaultValuesProvider* provider = DefaultValuesProvider()) {
    std::string provided = provider->ProvidedDisplayFormat();
    if (!provided.empty()) return provided;
  }
  return GetDefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const std::string& Value)
{
  if (AssignedValues()->DisplayFormat() && FDisplayFormat == Value) return;
  TUpdateScope update(this);
  AssignedValues()->SetDisplayFormat(true);
  FDisplayFormat = Value;
  Changed();
}

std::string TcxCustomTextEditProperties::EditFormat() const
{
  bool isCurrency = false, usesTextHandler = false;
  std::string format;
  GetEffectiveEditFormat(isCurrency, usesTextHandler, format, nullptr);
  return format;
}

void TcxCustomTextEditProperties::SetEditFormat(const std::string& Value)
{
  if (AssignedValues()->EditFormat() && FEditFormat == Value) return;
  TUpdateScope update(this);
  AssignedValues()->SetEditFormat(true);
  FEditFormat = Value;
  Changed();
}

int TcxCustomTextEditProperties::MaxLength() const
{
  return AssignedValues()->MaxLength() ? FMaxLength : GetDefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int Value)
{
  if (Value < 0) Value = 0;
  if (AssignedValues()->MaxLength() && FMaxLength == Value) return;
  TUpdateScope update(this);
  FMaxLength = Value;
  if (AssignedValues()->MaxLength()) MaxLengthChanged();
  else AssignedValues()->SetMaxLength(true);  // tells MaxLengthChanged itself
}

TcxTextEditViewStyle TcxCustomTextEditProperties::ViewStyle() const
{
  switch (ButtonsDisplayKind()) {
  case 1: return vsButtonsOnly;
  case 2: return vsButtonsAutoWidth;
  default: return FHideCursor ? vsHideCursor : vsNormal;
  }
}

void TcxCustomTextEditProperties::SetViewStyle(TcxTextEditViewStyle Value)
{
  if (ViewStyle() == Value) return;
  TUpdateScope update(this);
  SetButtonsDisplayKind(Value == vsButtonsOnly ? 1 : Value == vsButtonsAutoWidth ? 2 : 0);
  SetHideCursor(Value != vsNormal);
}

// --- Virtual operations ---

void TcxCustomTextEditProperties::FormatChanged()
{
  FInFormatChange = true;
  try {
    TcxCustomEditProperties::Changed();
  } catch (...) {
    FInFormatChange = false;
    throw;
  }
  FInFormatChange = false;
}

void TcxCustomTextEditProperties::CheckValueBounds(const Variant& DisplayValue, std::string& ErrorText,
                                                   IcxEditValidationHost* Edit, bool& Error)
{
  // The value as the edit would store it: the edit's own conversion when the edit offers one.
  Variant value = DisplayValue;
  if (auto* edit = dynamic_cast<TcxCustomEdit*>(Edit)) edit->DisplayValueToEditValue(DisplayValue, value, edit->IsInEditFormat());
  if (!IsNumericVariant(value) && !IsDateVariant(value)) return;
  const bool below = HasBound(0) && value < Variant(GetMinValue());
  const bool above = !below && HasBound(1) && value > Variant(GetMaxValue());
  if (!below && !above) return;
  Error = true;
  ErrorText = GetInvalidValueMessage(1);
}

bool TcxCustomTextEditProperties::FindLookupItem(const std::string& Text) const
{
  for (int i = 0; i < FLookupItems->Count(); ++i)
    if (AnsiSameText(FLookupItems->Strings(i), Text)) return true;
  return false;
}

int TcxCustomTextEditProperties::GetDefaultMaxLength() const
{
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider ? provider->ProvidedMaxLength() : 0;
}

void TcxCustomTextEditProperties::GetEffectiveEditFormat(bool& IsCurrency, bool& UsesTextHandler, std::string& Format,
                                                         TcxCustomEdit* Edit) const
{
  IsCurrency = false;
  UsesTextHandler = false;
  Format.clear();
  if (AssignedValues()->EditFormat()) {
    Format = FEditFormat;
    return;
  }
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if ((!Edit || !Edit->IsInplace()) && provider && provider->HasGetTextHandler()) UsesTextHandler = true;
  if (provider) {
    Format = provider->ProvidedEditFormat();
    if (!Format.empty()) return;
  }
  // The display format is a candidate, used only when asked to.
  if (AssignedValues()->DisplayFormat()) Format = FDisplayFormat;
  if (Format.empty() && provider) Format = provider->ProvidedDisplayFormat();
  if (Format.empty()) Format = GetDefaultDisplayFormat();
  if (Format.empty() && provider)
    IsCurrency = !SupportedDisplayFormats().Contains(TcxEditDisplayFormatOption::dfoEditFormat) &&
                 provider->HoldsCurrencyData();
  if (!FUseDisplayFormatWhenEditing) Format.clear();
}

bool TcxCustomTextEditProperties::HasBound(int Side) const
{
  const bool minAssigned = AssignedValues()->MinValue();
  const bool maxAssigned = AssignedValues()->MaxValue();
  if (minAssigned != maxAssigned) return Side == 0 ? minAssigned : maxAssigned;
  return GetMaxValue() > GetMinValue();
}

void TcxCustomTextEditProperties::TransformDisplayText(std::string& Text) const
{
  if (FEchoMode == eemPassword) {
    Text.assign(CharacterCount(Text), FPasswordChar ? FPasswordChar : '*');
    return;
  }
  if (FCharCase == ecUpperCase) Text = AnsiUpperCase(Text);
  else if (FCharCase == ecLowerCase) Text = AnsiLowerCase(Text);
}

bool TcxCustomTextEditProperties::IsValueTextValid(Variant& Value, bool EditFocused) const
{
  (void)EditFocused;
  std::string text = VarToStr(Value);
  const int style = GetEditingStyle();
  if (!text.empty() && (style == 1 || style == 2) && UsesLookupData() && !FindLookupItem(text)) return false;
  if (FCharCase == ecUpperCase) text = AnsiUpperCase(text);
  else if (FCharCase == ecLowerCase) text = AnsiLowerCase(text);
  Value = text;
  return true;
}

// --- Overrides ---

void TcxCustomTextEditProperties::AlignmentChanged()
{
  TUpdateScope update(this);
  TcxCustomEditProperties::AlignmentChanged();
}

void TcxCustomTextEditProperties::SetAlignment(TcxEditAlignment* Value)
{
  TUpdateScope update(this);
  TcxCustomEditProperties::SetAlignment(Value);
}

TcxCustomEditViewDataClass TcxCustomTextEditProperties::ViewDataClassType() const
{
  return ClassRef<TcxCustomTextEditViewData>();
}

TcxCustomEditViewInfoClass TcxCustomTextEditProperties::ViewInfoClassType() const
{
  return ClassRef<TcxCustomTextEditViewInfo>();
}

TcxEditCapabilities TcxCustomTextEditProperties::GetCapabilities() const
{
  return TcxCustomEditProperties::GetCapabilities() |
         (Buttons()->Count() > 0 ? TextEditCapabilitiesWithButtons : TextEditCapabilitiesWithoutButtons);
}

std::string TcxCustomTextEditProperties::GetInvalidValueMessage(int Kind) const
{
  if (Kind == 1) return GetResStringText(&cxSEditValueOutOfBounds);
  return TcxCustomEditProperties::GetInvalidValueMessage(Kind);
}

bool TcxCustomTextEditProperties::IsEditValueValid(const Variant& EditValue, bool Focused) const
{
  if (VarIsNull(EditValue) || !VarIsStr(EditValue)) return true;
  Variant value = EditValue;
  return IsValueTextValid(value, Focused);
}

bool TcxCustomTextEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B)
{
  return GetDisplayText(A, true, true) == GetDisplayText(B, true, true);
}

std::string TcxCustomTextEditProperties::DisplayTextOf(const Variant& Value, bool Focused)
{
  std::string text;
  try {
    if (IsEditValueValid(Value, Focused)) {
      Variant display;
      EditValueToDisplayValue(Value, display, Focused);
      text = VarToStr(display);
    } else if (IsDateVariant(Value)) {
      text = DateTimeToStr(Value.AsDateTime());
    } else {
      text = VarToStr(Value);
    }
  } catch (const Exception&) {
    // A value that cannot be shown paints as the text made so far (none): painting never raises.
  }
  TransformDisplayText(text);
  return text;
}

std::wstring TcxCustomTextEditProperties::GetDisplayText(const Variant& Value, bool FullText, bool Inplace)
{
  (void)FullText;
  if (UsesProviderDisplayFormat()) {
    std::string text;
    try {
      text = VarToStr(Value);
    } catch (const Exception&) {
    }
    return AnsiToWide(text);
  }
  return AnsiToWide(DisplayTextOf(Value, !Inplace && !FormatsDifferentlyUnfocused()));
}

void TcxCustomTextEditProperties::EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused)
{
  if (!UsesValueBounds()) {
    if (VarArrayDimCount(EditValue) > 1) DisplayValue = std::string();
    else DisplayValue = VarToStr(EditValue);
    return;
  }
  if (IsNullOrEmptyText(EditValue) || VarIsEmpty(EditValue)) {
    DisplayValue = std::string();
    return;
  }
  if (!IsNumericVariant(EditValue) && !VarIsStr(EditValue))
    throw EConvertError(GetResStringText(&cxSEditNumericValueConvertError));
  if (!Focused) {
    const std::string format = DisplayFormat();
    DisplayValue = format.empty() ? VarToStr(EditValue) : FormatNumberValue(format, EditValue);
    return;
  }
  bool isCurrency = false, usesTextHandler = false;
  std::string format;
  GetEffectiveEditFormat(isCurrency, usesTextHandler, format, nullptr);
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  const int precision = provider ? provider->ProvidedPrecision() : DefaultPrecision;
  std::string text = VarToStr(EditValue);
  TBcd bcd;
  if (isCurrency) {
    if (TryStrToBcd(text, bcd))
      text = BcdToStrF(bcd, TBcdFormat::Fixed, precision, FormatSettings().CurrencyDecimals);
  } else if (!format.empty()) {
    text = FormatNumberValue(format, EditValue);
  } else {
    if (TryStrToBcd(text, bcd)) text = BcdToStrF(bcd, TBcdFormat::General, precision, 0);
    if (UsesThousandSeparator()) InsertThousandSeparators(text);
  }
  DisplayValue = text;
}

void TcxCustomTextEditProperties::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                                                       IcxEditValidationHost* Edit)
{
  if (UsesValueBounds() && HasAnyBound()) CheckValueBounds(DisplayValue, ErrorText, Edit, Error);
  TcxCustomEditProperties::ValidateDisplayValue(DisplayValue, ErrorText, Error, Edit);
}

// --- Streaming and copying ---

void TcxCustomTextEditProperties::ReadIsDisplayFormatAssigned(TReader& Reader)
{
  AssignedValues()->SetDisplayFormat(Reader.ReadBoolean());
}

void TcxCustomTextEditProperties::DefineProperties(TFiler& Filer)
{
  TcxCustomEditProperties::DefineProperties(Filer);
  Filer.DefineProperty("IsDisplayFormatAssigned", [this](TReader& reader) { ReadIsDisplayFormatAssigned(reader); },
                       nullptr, false);
}

void TcxCustomTextEditProperties::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TcxCustomTextEditProperties*>(Source);
  if (!source) return TcxCustomEditProperties::Assign(Source);
  TUpdateScope update(this);
  TcxCustomEditProperties::Assign(Source);
  SetCharCase(source->FCharCase);
  SetEchoMode(source->FEchoMode);
  SetGrowingListPrefix(source->FGrowingListPrefix);
  SetHideCursor(source->FHideCursor);
  SetHideSelection(source->FHideSelection);
  FImmediateUpdateText = source->FImmediateUpdateText;
  SetIncrementalSearch(source->FIncrementalSearch);
  SetLookupWholeText(source->FLookupWholeText);
  FAllowedChars = source->FAllowedChars;
  SetLookupItemsSorted(false);
  SetLookupItems(source->LookupItems());
  SetLookupItemsSorted(source->LookupItemsSorted());
  AssignedValues()->SetDisplayFormat(false);
  if (source->AssignedValues()->DisplayFormat()) SetDisplayFormat(source->FDisplayFormat);
  AssignedValues()->SetEditFormat(false);
  if (source->AssignedValues()->EditFormat()) SetEditFormat(source->FEditFormat);
  AssignedValues()->SetMaxLength(false);
  if (source->AssignedValues()->MaxLength()) SetMaxLength(source->FMaxLength);
  SetOEMConvert(source->FOEMConvert);
  SetImeMode(source->FImeMode);
  SetImeName(source->FImeName);
  SetPasswordChar(source->FPasswordChar);
  SetUseDisplayFormatWhenEditing(source->FUseDisplayFormatWhenEditing);
  FOnNewLookupDisplayText = source->FOnNewLookupDisplayText;
}

// --- TcxTextEditProperties ---

namespace {
using TTEP = TcxTextEditProperties;
const TPropInfo TextEditPropertiesProps[] = {
  Stored<&TTEP::IsAlignmentStored>(PersistentProp<&TTEP::GetAlignment>("Alignment")),
  PersistentProp<&TTEP::AssignedValues>("AssignedValues"),
  BoolProp<&TTEP::AutoSelect, &TTEP::SetAutoSelect>("AutoSelect", true),
  BoolProp<&TTEP::BeepOnError, &TTEP::SetBeepOnError>("BeepOnError", false),
  EnumProp<&TTEP::CharCase, &TTEP::SetCharCase>("CharCase", EditCharCaseInfo, 0),
  ShortCutProp<&TTEP::ClearKey, &TTEP::SetClearKey>("ClearKey"),
  EnumProp<&TTEP::EchoMode, &TTEP::SetEchoMode>("EchoMode", cxEditEchoModeInfo, 0),
  BoolProp<&TTEP::HideSelection, &TTEP::SetHideSelection>("HideSelection", true),
  EnumProp<&TTEP::ImeMode, &TTEP::SetImeMode>("ImeMode", ImeModeInfo, static_cast<int>(imDontCare)),
  StrProp<&TTEP::ImeName, &TTEP::SetImeName>("ImeName"),
  BoolProp<&TTEP::IncrementalSearch, &TTEP::SetIncrementalSearch>("IncrementalSearch", true),
  StringsProp<&TTEP::LookupItems>("LookupItems"),
  BoolProp<&TTEP::LookupItemsSorted, &TTEP::SetLookupItemsSorted>("LookupItemsSorted", false),
  Stored<&TTEP::IsMaxLengthStored>(IntProp<&TTEP::MaxLength, &TTEP::SetMaxLength>("MaxLength")),
  BoolProp<&TTEP::OEMConvert, &TTEP::SetOEMConvert>("OEMConvert", false),
  IntProp<&TTEP::PasswordChar, &TTEP::SetPasswordChar>("PasswordChar", 0),
  Stored<&TTEP::IsReadOnlyStored>(BoolProp<&TTEP::ReadOnly, &TTEP::SetReadOnly>("ReadOnly", false)),
  Stored<&TTEP::IsUseLeftAlignmentOnEditingStored>(
      BoolProp<&TTEP::UseLeftAlignmentOnEditing, &TTEP::SetUseLeftAlignmentOnEditing>("UseLeftAlignmentOnEditing", true)),
  BoolProp<&TTEP::ValidateOnEnter, &TTEP::SetValidateOnEnter>("ValidateOnEnter", false),
  EventProp<&TTEP::OnChange, &TTEP::SetOnChange>("OnChange"),
  EventProp<&TTEP::OnEditValueChanged, &TTEP::SetOnEditValueChanged>("OnEditValueChanged"),
  EventProp<&TTEP::OnNewLookupDisplayText, &TTEP::SetOnNewLookupDisplayText>("OnNewLookupDisplayText"),
  EventProp<&TTEP::OnValidate, &TTEP::SetOnValidate>("OnValidate"),
};
}  // namespace

CL_DEFINE_CLASS(TcxTextEditProperties, .Props = TextEditPropertiesProps);

bool TcxCustomTextEditProperties::UsesLookupData() const
{
  return static_cast<bool>(TClassRef<TcxCustomTextEditProperties>(ClassType())->LookupDataClassType());
}

std::span<const TPropInfo> TextEditPublishedProperties() { return TextEditPropertiesProps; }
