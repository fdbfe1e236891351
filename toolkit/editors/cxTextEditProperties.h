#pragma once
// Text edit properties (unit cxTextEdit): the settings of a single-line text editor and of every
// editor built on it. They turn a value into the text shown unfocused (DisplayFormat) and while
// editing (EditFormat, thousand separators), check numeric and date values against the bounds,
// transform shown text (CharCase, password echo), limit the inner edit (MaxLength, OEMConvert, the
// input method) and keep the lookup items typed text is completed from. They listen to the format
// controller: a change of the locale's formats reaches every text properties object through
// FormatChanged.
#include <bitset>
#include <span>
#include <string>
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditProperties.h"
#include "toolkit/editors/cxFormats.h"

enum class TcxEditEchoMode { eemNormal, eemPassword };
using enum TcxEditEchoMode;
extern const TEnumInfo cxEditEchoModeInfo;
// The view style of text editors with buttons, from the buttons' display kind and HideCursor.
enum class TcxTextEditViewStyle { vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth };
using enum TcxTextEditViewStyle;
extern const TEnumInfo cxTextEditViewStyleInfo;

using TcxNewLookupDisplayTextEvent = TEvent<void(TObject* Sender, const std::string& Text)>;
// Characters always accepted as typed value characters.
using TcxAllowedChars = std::bitset<256>;

class TcxCustomTextEditProperties;
class TcxCustomTextEditLookupData;

// The assigned flags of the text properties: the inherited ones, then DisplayFormat, EditFormat
// and MaxLength.
class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  CL_CLASS(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues)
public:
  using TcxCustomEditPropertiesValues::TcxCustomEditPropertiesValues;
  // The inherited flags, then the three, inside one update of the values' owner.
  void Assign(TPersistent* Source) override;
  void ResetAssignedFlags() override;

  // A change of DisplayFormat or EditFormat reports a change of the owner; of MaxLength, the owner's
  // MaxLengthChanged.
  bool DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(bool Value);
  bool EditFormat() const { return FEditFormat; }
  void SetEditFormat(bool Value);
  bool MaxLength() const { return FMaxLength; }
  void SetMaxLength(bool Value);
  // A set format flag is stored only while the format is empty and the owner publishes the
  // format: a non-empty format is stored through the owner's own property.
  bool IsDisplayFormatStored() const { return IsFormatFlagStored(FDisplayFormat, "DisplayFormat"); }
  bool IsEditFormatStored() const { return IsFormatFlagStored(FEditFormat, "EditFormat"); }

private:
  TcxCustomTextEditProperties* TextProperties() const;
  bool IsFormatFlagStored(bool Flag, const char* PropertyName) const;

  bool FDisplayFormat = false;
  bool FEditFormat = false;
  bool FMaxLength = false;
};

class TcxCustomTextEditProperties : public TcxCustomEditProperties, public IcxFormatObserver {
  CL_CLASS(TcxCustomTextEditProperties, TcxCustomEditProperties)
public:
  struct TMeta : TcxCustomEditProperties::TMeta {
    // The class of the editor's lookup data; none: the editor has no lookup data.
    virtual TClassRef<TcxCustomTextEditLookupData> LookupDataClassType() const;
  };
  explicit TcxCustomTextEditProperties(TPersistent* Owner);
  // Joins the format controller's listeners; makes the lookup item list.
  void AfterConstruction() override;
  // Leaves the listeners; frees the lookup item list.
  void BeforeDestruction() override;
  // From text properties, inside one update: the inherited settings, then this kind's (the lookup
  // items with Sorted off first, so that they keep the source's order before Sorted applies).
  void Assign(TPersistent* Source) override;
  // Reads the "IsDisplayFormatAssigned" of older forms into the DisplayFormat flag; never writes it.
  void DefineProperties(TFiler& Filer) override;

  // --- Settings ---
  TcxTextEditPropertiesValues* AssignedValues() const
  {
    return static_cast<TcxTextEditPropertiesValues*>(TcxCustomEditProperties::AssignedValues());
  }
  void SetAssignedValues(TcxTextEditPropertiesValues* Value) { AssignedValues()->Assign(Value); }
  TEditCharCase CharCase() const { return FCharCase; }
  virtual void SetCharCase(TEditCharCase Value);
  // The own format when assigned, else the provider's when not empty, else GetDefaultDisplayFormat.
  std::string DisplayFormat() const;
  void SetDisplayFormat(const std::string& Value);
  bool IsDisplayFormatStored() const { return AssignedValues()->DisplayFormat(); }
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  // GetEffectiveEditFormat without an edit.
  std::string EditFormat() const;
  void SetEditFormat(const std::string& Value);
  bool IsEditFormatStored() const { return AssignedValues()->EditFormat(); }
  bool GrowingListPrefix() const { return FGrowingListPrefix; }
  // Reports a change only in editing style 2, the only one that uses it.
  void SetGrowingListPrefix(bool Value);
  bool HideCursor() const { return FHideCursor; }
  void SetHideCursor(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value);
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(const std::string& Value);
  bool ImmediateUpdateText() const { return FImmediateUpdateText; }
  void SetImmediateUpdateText(bool Value) { FImmediateUpdateText = Value; }
  bool IncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool Value);
  bool InFormatChange() const { return FInFormatChange; }
  TStringList* LookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  bool LookupItemsSorted() const { return FLookupItems->Sorted(); }
  void SetLookupItemsSorted(bool Value) { FLookupItems->SetSorted(Value); }
  bool LookupWholeText() const { return FLookupWholeText; }
  void SetLookupWholeText(bool Value);
  // The own limit when assigned, else GetDefaultMaxLength.
  int MaxLength() const;
  // A negative limit becomes 0; the flag is set either way.
  void SetMaxLength(int Value);
  bool IsMaxLengthStored() const { return AssignedValues()->MaxLength(); }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  bool UseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
  void SetUseDisplayFormatWhenEditing(bool Value);
  const TcxAllowedChars& AllowedChars() const { return FAllowedChars; }
  void SetAllowedChars(const TcxAllowedChars& Value) { FAllowedChars = Value; }
  TcxTextEditViewStyle ViewStyle() const;
  void SetViewStyle(TcxTextEditViewStyle Value);
  const TcxNewLookupDisplayTextEvent& OnNewLookupDisplayText() const { return FOnNewLookupDisplayText; }
  void SetOnNewLookupDisplayText(const TcxNewLookupDisplayTextEvent& Value) { FOnNewLookupDisplayText = Value; }

  // --- Virtual operations introduced ---
  // Reports a change with InFormatChange set for its length.
  void FormatChanged() override;
  // The display value as the edit turns it into an edit value; a number or a date outside the
  // applying bounds (inclusive) sets Error and the "Value out of bounds" text.
  virtual void CheckValueBounds(const Variant& DisplayValue, std::string& ErrorText, IcxEditValidationHost* Edit,
                                bool& Error);
  virtual void GetEmptyDisplayValue(Variant& Value) { Value = std::string(); }
  // Some lookup item equals the text, case-insensitively.
  virtual bool FindLookupItem(const std::string& Text) const;
  virtual std::string GetDefaultDisplayFormat() const { return {}; }
  virtual int GetDefaultMaxLength() const;
  virtual int GetDropDownRowCount() const { return 8; }
  // 0 typed text, 1 typed text completed from the items, 2 a fixed list, 3 no text cursor.
  virtual int GetEditingStyle() const { return FHideCursor ? 3 : 0; }
  virtual bool UsesThousandSeparator() const { return false; }
  // The format a focused editor shows its value in (see the implementation for the order).
  virtual void GetEffectiveEditFormat(bool& IsCurrency, bool& UsesTextHandler, std::string& Format,
                                      TcxCustomEdit* Edit) const;
  // Numeric and date editors: bounds apply and values are formatted as numbers.
  virtual bool UsesValueBounds() const { return false; }
  virtual bool UsesPopupLookupList() const { return false; }
  virtual bool IsMultiLineText() const { return false; }
  virtual bool IsInnerEditKeyHandled() const { return false; }
  // Side 0 the lower bound, 1 the upper: when exactly one bound is assigned only that side applies,
  // else both apply when MaxValue is above MinValue.
  virtual bool HasBound(int Side) const;
  bool HasAnyBound() const { return HasBound(0) || HasBound(1); }
  virtual void InnerEditLayoutChanged() { Changed(); }
  virtual void MaxLengthChanged() { Changed(); }
  // The class names a lookup data class: the text editor completes typed text from its items.
  virtual bool UsesLookupData() const;
  // Password echo, else CharCase.
  virtual void TransformDisplayText(std::string& Text) const;
  // A non-empty text in the lookup styles (1, 2) must be a lookup item; a valid one is case-mapped
  // and replaces the value.
  virtual bool IsValueTextValid(Variant& Value, bool EditFocused) const;

  // --- Overrides ---
  void AlignmentChanged() override;
  void SetAlignment(TcxEditAlignment* Value) override;
  bool CanValidate() const override { return true; }
  bool InnerEditReportsChanges() const override { return true; }
  bool IsDisplayFormatted(bool Focused) const override { (void)Focused; return true; }
  bool SupportsValueComparison() const override { return true; }
  TcxEditDisplayFormatOptions SupportedDisplayFormats() const override
  {
    return {TcxEditDisplayFormatOption::dfoDisplayFormat};
  }
  TcxCustomEditPropertiesValuesClass AssignedValuesClassType() const override
  {
    return ClassRef<TcxTextEditPropertiesValues>();
  }
  TcxCustomEditViewDataClass ViewDataClassType() const override;
  TcxCustomEditViewInfoClass ViewInfoClassType() const override;
  TcxEditCapabilities GetCapabilities() const override;
  std::string GetInvalidValueMessage(int Kind) const override;
  bool IsResetEditValueSupported() const override { return GetEditingStyle() != 3; }
  bool IsEditValueValid(const Variant& EditValue, bool Focused) const override;
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  // The value in its unfocused form (or focused: Inplace false and the kind formats alike), then
  // TransformDisplayText, also on the partial text when the conversion failed.
  std::wstring GetDisplayText(const Variant& Value, bool FullText, bool Inplace) override;
  // The value's text (numeric kinds: formatted, see the implementation). A value that is neither a
  // number nor a text raises EConvertError when bounds apply.
  void EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused) override;
  void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                            IcxEditValidationHost* Edit) override;
  // The display text of the value as GetDisplayText converts it, narrow.
  std::string DisplayTextOf(const Variant& Value, bool Focused);

private:
  template <class T>
  void SetAndChange(T& Field, const T& Value);
  void HandleLookupItemsChange(TObject* Sender);
  void ReadIsDisplayFormatAssigned(TReader& Reader);

  TEditCharCase FCharCase = ecNormal;
  std::string FDisplayFormat;
  TcxEditEchoMode FEchoMode = eemNormal;
  std::string FEditFormat;
  bool FGrowingListPrefix = true;
  bool FInFormatChange = false;
  bool FHideCursor = false;
  bool FHideSelection = true;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  bool FImmediateUpdateText = false;
  bool FIncrementalSearch = true;
  TOwned<TStringList> FLookupItems;
  int FMaxLength = 0;
  bool FLookupWholeText = false;
  bool FOEMConvert = false;
  char FPasswordChar = 0;
  bool FUseDisplayFormatWhenEditing = false;
  TcxAllowedChars FAllowedChars;
  TcxNewLookupDisplayTextEvent FOnNewLookupDisplayText;
};

// The published text properties of the text editor.
class TcxTextEditProperties : public TcxCustomTextEditProperties {
  CL_CLASS(TcxTextEditProperties, TcxCustomTextEditProperties)
public:
  // Its editor is the text editor.
  struct TMeta : TcxCustomTextEditProperties::TMeta {
    TClassRef<TcxCustomEdit> ContainerClassType() const override;
  };
  using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
};

// The published properties of the text properties (every entry reads and writes through the text
// properties' own members, so that editors built on them publish the same).
std::span<const TPropInfo> TextEditPublishedProperties();

// --- Number text helpers (the locale's separators) ---

// Removes every thousand separator.
void RemoveThousandSeparators(std::string& Text);
// Inserts a thousand separator before each group of three digits left of the decimal separator (or
// of the end), as long as a digit precedes the group; signs and decimals are untouched. Leading and
// trailing blanks and an exponent are set aside first, existing separators removed:
// "1234567" gives "1,234,567", "-1234" "-1,234", "12345E10" "12,345E10".
void InsertThousandSeparators(std::string& Text);
// Cuts the text at its first "E" or "e" and answers that part (empty when there is none).
std::string SplitOffExponent(std::string& Text);
