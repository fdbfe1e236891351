// Text edit properties: the transform of shown text, MaxLength and its flag, bounds, the value-to-text
// conversion focused and unfocused with the formats of the properties and of a provider, thousand
// separators, copying, the stored form, and the locale format changes they listen to.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Encoding.h"
#include "classlib/FMTBcd.h"
#include "classlib/ObjectText.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/editors/EditPropertiesStubs.h"
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxTextEditProperties.h"

namespace {

// Numeric text properties: bounds apply and values are formatted as numbers.
class TNumberTextProperties : public TcxTextEditProperties {
  CL_CLASS(TNumberTextProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
  bool UsesValueBounds() const override { return true; }
  bool UsesThousandSeparator() const override { return Thousands; }
  bool Thousands = false;
};

// Publishes the formats as the numeric descendants do.
class TFormattedTextProperties : public TcxTextEditProperties {
  CL_CLASS(TFormattedTextProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
};

class TTextPropertiesHolder : public TComponent {
  CL_CLASS(TTextPropertiesHolder, TComponent)
public:
  explicit TTextPropertiesHolder(TComponent* Owner)
      : TComponent(Owner), FProperties(MakeOwned<TFormattedTextProperties>(this))
  {
  }
  TFormattedTextProperties* Properties() const { return FProperties.get(); }

private:
  TOwned<TFormattedTextProperties> FProperties;
};

class TChangeCounter : public TObject {
  CL_CLASS(TChangeCounter, TObject)
public:
  void Changed(TObject* Sender)
  {
    ++Count;
    if (auto* p = dynamic_cast<TcxCustomTextEditProperties*>(Sender); p && p->InFormatChange()) ++FormatChanges;
  }
  int Count = 0;
  int FormatChanges = 0;
};

using TFP = TFormattedTextProperties;
constexpr TPropInfo FormattedProps[] = {
  Stored<&TFP::IsDisplayFormatStored>(StrProp<&TFP::DisplayFormat, &TFP::SetDisplayFormat>("DisplayFormat")),
  Stored<&TFP::IsEditFormatStored>(StrProp<&TFP::EditFormat, &TFP::SetEditFormat>("EditFormat")),
};
const TPropInfo HolderProps[] = {PersistentProp<&TTextPropertiesHolder::Properties>("Properties")};

}  // namespace

CL_DEFINE_CLASS(TNumberTextProperties);
CL_DEFINE_CLASS(TFormattedTextProperties, .Props = FormattedProps);
CL_DEFINE_CLASS(TTextPropertiesHolder, .Props = HolderProps);
CL_DEFINE_CLASS(TChangeCounter);

namespace {

class TextEditPropertiesTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings;
  void SetUp() override
  {
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ",";
    FormatSettings().CurrencyDecimals = 2;
  }
};

// A value that is neither a number nor a text.
Variant Array() { return VarArrayCreate({{0, 1}}, varVariant); }

std::string Shown(TcxCustomTextEditProperties* p, const Variant& v, bool inplace = true)
{
  return WideToAnsi(p->GetDisplayText(v, true, inplace));
}

}  // namespace

TEST_F(TextEditPropertiesTest, ShownTextIsEchoedOrCaseMapped)
{
  struct Case {
    TcxEditEchoMode Echo;
    char PasswordChar;
    TEditCharCase CharCase;
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {eemPassword, 0, ecNormal, "abc", "***"},
      {eemPassword, '#', ecNormal, "abc", "###"},
      {eemPassword, 0, ecNormal, "中文", "**"},  // a double-byte character is one character
      {eemPassword, 0, ecUpperCase, "", ""},
      {eemNormal, '#', ecUpperCase, "abc中", "ABC中"},
      {eemNormal, 0, ecLowerCase, "AbC", "abc"},
      {eemNormal, 0, ecNormal, "AbC", "AbC"},
  };
  auto p = MakeOwned<TcxTextEditProperties>(nullptr);
  for (const Case& c : cases) {
    p->SetEchoMode(c.Echo);
    p->SetPasswordChar(c.PasswordChar);
    p->SetCharCase(c.CharCase);
    EXPECT_EQ(Shown(p.get(), Variant(c.Text)), c.Expected) << c.Text;
  }
}

TEST_F(TextEditPropertiesTest, MaxLengthIsNeverNegativeAndFallsBackToTheProvider)
{
  auto p = MakeOwned<TcxTextEditProperties>(nullptr);
  auto provider = MakeOwned<TStubProvider>();
  provider->MaxLength = 12;
  EXPECT_EQ(p->MaxLength(), 0);
  p->SetDefaultValuesProvider(provider.get());
  EXPECT_EQ(p->MaxLength(), 12);
  p->SetMaxLength(-5);
  EXPECT_EQ(p->MaxLength(), 0);
  EXPECT_TRUE(p->AssignedValues()->MaxLength());
  p->AssignedValues()->SetMaxLength(false);
  EXPECT_EQ(p->MaxLength(), 12);
  p->SetDefaultValuesProvider(nullptr);
}

TEST_F(TextEditPropertiesTest, BoundsApplyByTheAssignedFlagsAndIncludeTheirValues)
{
  struct Case {
    bool MinAssigned, MaxAssigned;
    double Min, Max;
    bool Lower, Upper;
  };
  const Case cases[] = {
      {true, false, 10, 0, true, false},   // only the assigned side
      {false, true, 0, 10, false, true},
      {false, false, 0, 0, false, false},  // none assigned, both 0
      {true, true, 5, 5, false, false},    // equal bounds
      {true, true, 1, 9, true, true},
      {true, true, 9, 1, false, false},
  };
  for (const Case& c : cases) {
    auto p = MakeOwned<TNumberTextProperties>(nullptr);
    if (c.MinAssigned) p->SetMinValue(c.Min);
    if (c.MaxAssigned) p->SetMaxValue(c.Max);
    EXPECT_EQ(p->HasBound(0), c.Lower) << c.Min << " " << c.Max;
    EXPECT_EQ(p->HasBound(1), c.Upper) << c.Min << " " << c.Max;
  }

  auto p = MakeOwned<TNumberTextProperties>(nullptr);
  p->SetMinValue(1);
  p->SetMaxValue(9);
  struct Check {
    Variant Value;
    bool Error;
  };
  const Check checks[] = {{Variant(1), false}, {Variant(9.0), false}, {Variant(0.5), true},
                          {Variant(10), true}, {VarFMTBcdCreate(StrToBcd("9.0000000000000000001")), true},
                          {Variant("abc"), false}};  // text is no number: the bounds do not apply
  for (const Check& c : checks) {
    std::string errorText;
    bool error = false;
    Variant display = c.Value;
    p->ValidateDisplayValue(display, errorText, error, nullptr);
    EXPECT_EQ(error, c.Error) << VarToStr(c.Value);
    if (c.Error) {
      EXPECT_EQ(errorText, "Value out of bounds");
    }
  }
}

TEST_F(TextEditPropertiesTest, ValuesBecomeTextWithTheFormatsOfThePropertiesAndTheProvider)
{
  struct Case {
    const char* DisplayFormat;  // nullptr: not assigned
    const char* EditFormat;
    const char* ProviderDisplay;
    const char* ProviderEdit;
    bool UseDisplayWhenEditing;
    Variant Value;
    const char* Unfocused;
    const char* Focused;
  };
  const Case cases[] = {
      {nullptr, nullptr, "", "", false, Variant(1234.5), "1234.5", "1234.5"},
      {"#,##0.00", nullptr, "", "", false, Variant(1234.5), "1,234.50", "1234.5"},
      {"#,##0.00", nullptr, "", "", true, Variant(1234.5), "1,234.50", "1,234.50"},
      {"0.0", "0.000", "", "", false, Variant(2.5), "2.5", "2.500"},
      {nullptr, nullptr, "0.0 'kg'", "", false, Variant(3), "3.0 kg", "3"},
      {nullptr, nullptr, "0.0", "0.00", false, Variant(3), "3.0", "3.00"},
      {"0", nullptr, "0.0", "", false, Variant(3), "3", "3"},  // the own format before the provider's
      {"0.00", nullptr, "", "", false, Variant("7.125"), "7.13", "7.125"},  // numeric text
      {"0.00", nullptr, "", "", false, Variant("n/a"), "n/a", "n/a"},       // other text as it is
      {"0.00'", nullptr, "", "", false, Variant(1), "1.00", "1"},          // an unterminated quote
      {nullptr, nullptr, "", "", false, Null(), "", ""},
      {nullptr, nullptr, "", "", false, Variant(""), "", ""},
      {nullptr, nullptr, "", "", false, Variant(1e-20), "1E-20", "1E-20"},
  };
  for (const Case& c : cases) {
    auto p = MakeOwned<TNumberTextProperties>(nullptr);
    auto provider = MakeOwned<TStubProvider>();
    provider->DisplayFormatText = c.ProviderDisplay;
    provider->EditFormatText = c.ProviderEdit;
    provider->DisplayFormat = false;  // the provider's display format is not in force by itself
    p->SetDefaultValuesProvider(provider.get());
    if (c.DisplayFormat) p->SetDisplayFormat(c.DisplayFormat);
    if (c.EditFormat) p->SetEditFormat(c.EditFormat);
    p->SetUseDisplayFormatWhenEditing(c.UseDisplayWhenEditing);
    Variant unfocused, focused;
    p->EditValueToDisplayValue(c.Value, unfocused, false);
    p->EditValueToDisplayValue(c.Value, focused, true);
    EXPECT_EQ(VarToStr(unfocused), c.Unfocused) << VarToStr(c.Value) << " " << (c.DisplayFormat ? c.DisplayFormat : "-");
    EXPECT_EQ(VarToStr(focused), c.Focused) << VarToStr(c.Value) << " " << (c.DisplayFormat ? c.DisplayFormat : "-");
    p->SetDefaultValuesProvider(nullptr);
  }
}

TEST_F(TextEditPropertiesTest, FocusedTextUsesPrecisionCurrencyAndThousandSeparators)
{
  auto p = MakeOwned<TNumberTextProperties>(nullptr);
  auto provider = MakeOwned<TStubProvider>();
  provider->DisplayFormat = false;
  p->SetDefaultValuesProvider(provider.get());
  auto focused = [&](const Variant& v) {
    Variant d;
    p->EditValueToDisplayValue(v, d, true);
    return VarToStr(d);
  };
  provider->Precision = 4;
  EXPECT_EQ(focused(Variant(3.14159)), "3.142");
  provider->Precision = 15;
  provider->Currency = true;
  EXPECT_EQ(focused(Variant(12.5)), "12.50");
  provider->Currency = false;
  p->Thousands = true;
  EXPECT_EQ(focused(Variant(1234567)), "1,234,567");
  EXPECT_EQ(focused(Variant(-1234)), "-1,234");
  EXPECT_EQ(focused(Variant(1.5e20)), "1.5E20");
  EXPECT_EQ(focused(VarFMTBcdCreate(StrToBcd("1234.5"))), "1,234.5");
  p->SetDefaultValuesProvider(nullptr);
}

TEST_F(TextEditPropertiesTest, ThousandSeparatorHelpers)
{
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {"1234567", "1,234,567"}, {"-1234", "-1,234"},     {"123", "123"},
      {"1234.5678", "1,234.5678"}, {"1,2,34", "1,234"},  {"  12345  ", "  12,345  "},
      {"12345E10", "12,345E10"},  {"1234e-5", "1,234e-5"}, {"", ""}, {"abc", "abc"},
  };
  for (const Case& c : cases) {
    std::string text = c.Text;
    InsertThousandSeparators(text);
    EXPECT_EQ(text, c.Expected) << c.Text;
  }
  std::string text = "1,234,567";
  RemoveThousandSeparators(text);
  EXPECT_EQ(text, "1234567");
  text = "1.5E+10";
  EXPECT_EQ(SplitOffExponent(text), "E+10");
  EXPECT_EQ(text, "1.5");
  EXPECT_EQ(SplitOffExponent(text), "");
  FormatSettings().ThousandSeparator = " ";
  text = "1234567";
  InsertThousandSeparators(text);
  EXPECT_EQ(text, "1 234 567");
}

TEST_F(TextEditPropertiesTest, AValueNeitherNumberNorTextRaisesAndPaintsEmpty)
{
  auto p = MakeOwned<TNumberTextProperties>(nullptr);
  Variant display;
  try {
    p->EditValueToDisplayValue(Array(), display, false);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Could not convert to numeric value");
  }
  EXPECT_EQ(Shown(p.get(), Array()), "");
  p->SetEchoMode(eemPassword);
  EXPECT_EQ(Shown(p.get(), Array()), "");
}

TEST_F(TextEditPropertiesTest, LookupStylesAcceptOnlyItemsAndDisplayTextsCompareExactly)
{
  auto p = MakeOwned<TcxTextEditProperties>(nullptr);
  p->LookupItems()->Add("Alpha");
  EXPECT_TRUE(p->FindLookupItem("ALPHA"));
  EXPECT_FALSE(p->FindLookupItem("Beta"));
  EXPECT_TRUE(p->IsEditValueValid(Variant("Beta"), false));  // style 0 takes any text
  EXPECT_TRUE(p->DisplayValuesEqual(Variant("a"), Variant("a")));
  EXPECT_FALSE(p->DisplayValuesEqual(Variant("a"), Variant("A")));
  p->SetCharCase(ecUpperCase);
  EXPECT_TRUE(p->DisplayValuesEqual(Variant("a"), Variant("A")));
  Variant value("alpha");
  EXPECT_TRUE(p->IsValueTextValid(value, false));
  EXPECT_EQ(VarToStr(value), "ALPHA");
}

TEST_F(TextEditPropertiesTest, EditingStyleViewStyleAndCapabilities)
{
  auto p = MakeOwned<TcxTextEditProperties>(nullptr);
  EXPECT_EQ(p->GetEditingStyle(), 0);
  EXPECT_TRUE(p->IsResetEditValueSupported());
  EXPECT_EQ(p->GetCapabilities(), 0x95Eu);
  struct Case {
    TcxTextEditViewStyle Style;
    int ButtonsKind;
    bool HideCursor;
  };
  const Case cases[] = {{vsHideCursor, 0, true}, {vsButtonsOnly, 1, true}, {vsButtonsAutoWidth, 2, true}, {vsNormal, 0, false}};
  for (const Case& c : cases) {
    p->SetViewStyle(c.Style);
    EXPECT_EQ(p->ViewStyle(), c.Style);
    EXPECT_EQ(p->ButtonsDisplayKind(), c.ButtonsKind);
    EXPECT_EQ(p->HideCursor(), c.HideCursor);
  }
  p->SetHideCursor(true);
  EXPECT_EQ(p->GetEditingStyle(), 3);
  EXPECT_FALSE(p->IsResetEditValueSupported());
  p->Buttons()->AddButton();
  EXPECT_EQ(p->GetCapabilities() & 0xFFF, 0x15Eu | cxEditCapabilityButtons);
}

TEST_F(TextEditPropertiesTest, AssignKeepsTheItemOrderBeforeSortedAndCopiesTheAssignedFormats)
{
  auto source = MakeOwned<TcxTextEditProperties>(nullptr);
  for (const char* item : {"pear", "apple", "fig", "apple"}) source->LookupItems()->Add(item);
  source->SetLookupItemsSorted(true);  // sorts the source: apple apple fig pear
  source->LookupItems()->SetSorted(false);
  source->LookupItems()->Exchange(0, 3);  // pear apple fig apple, unsorted
  source->SetDisplayFormat("0.00");
  source->SetMaxLength(7);
  source->SetCharCase(ecLowerCase);
  source->SetImeMode(imChinese);
  source->SetImeName("拼音");
  source->SetPasswordChar('#');

  auto target = MakeOwned<TcxTextEditProperties>(nullptr);
  target->SetEditFormat("0");
  target->Assign(source.get());
  std::vector<std::string> items;
  for (int i = 0; i < target->LookupItems()->Count(); ++i) items.push_back(target->LookupItems()->Strings(i));
  EXPECT_EQ(items, (std::vector<std::string>{"pear", "apple", "fig", "apple"}));
  EXPECT_FALSE(target->LookupItemsSorted());
  EXPECT_TRUE(target->AssignedValues()->DisplayFormat());
  EXPECT_EQ(target->DisplayFormat(), "0.00");
  EXPECT_FALSE(target->AssignedValues()->EditFormat());  // the source has none
  EXPECT_EQ(target->MaxLength(), 7);
  EXPECT_EQ(target->CharCase(), ecLowerCase);
  EXPECT_EQ(target->ImeMode(), imChinese);
  EXPECT_EQ(target->ImeName(), "拼音");
  EXPECT_EQ(target->PasswordChar(), '#');

  // Sorted copied after the items: a sorted source gives a sorted copy of the same items.
  source->SetLookupItemsSorted(true);
  target->Assign(source.get());
  EXPECT_TRUE(target->LookupItemsSorted());
  EXPECT_EQ(target->LookupItems()->Strings(0), "apple");
}

TEST_F(TextEditPropertiesTest, StoredFormsReadTheOldDisplayFormatFlagAndNeverWriteIt)
{
  auto holder = MakeOwned<TTextPropertiesHolder>(nullptr);
  ReadComponentFromText("object Holder: TTextPropertiesHolder\n"
                        "  Properties.IsDisplayFormatAssigned = True\n"
                        "  Properties.MaxLength = 4\n"
                        "end\n",
                        holder.get());
  TFormattedTextProperties* p = holder->Properties();
  EXPECT_TRUE(p->AssignedValues()->DisplayFormat());
  EXPECT_EQ(p->DisplayFormat(), "");
  EXPECT_EQ(p->MaxLength(), 4);
  EXPECT_TRUE(p->AssignedValues()->MaxLength());
  const std::string text = ComponentToText(holder.get());
  EXPECT_EQ(text.find("IsDisplayFormatAssigned"), std::string::npos) << text;
  // An assigned empty format is stored through its flag, a non-empty one through itself.
  EXPECT_NE(text.find("Properties.AssignedValues.DisplayFormat = True"), std::string::npos) << text;
  EXPECT_NE(text.find("Properties.MaxLength = 4"), std::string::npos) << text;
  p->SetDisplayFormat("0.0");
  const std::string second = ComponentToText(holder.get());
  EXPECT_NE(second.find("Properties.DisplayFormat = '0.0'"), std::string::npos) << second;
  EXPECT_EQ(second.find("AssignedValues.DisplayFormat"), std::string::npos) << second;
  EXPECT_EQ(second.find("EditFormat"), std::string::npos) << second;

  auto copy = MakeOwned<TTextPropertiesHolder>(nullptr);
  ReadComponentFromText(second, copy.get());
  EXPECT_EQ(copy->Properties()->DisplayFormat(), "0.0");
  EXPECT_EQ(ComponentToText(copy.get()), second);
}

TEST_F(TextEditPropertiesTest, ALocaleFormatChangeReachesEachTextPropertiesObjectOnce)
{
  auto first = MakeOwned<TChangeCounter>();
  auto second = MakeOwned<TChangeCounter>();
  auto a = MakeOwned<TcxTextEditProperties>(nullptr);
  auto b = MakeOwned<TNumberTextProperties>(nullptr);
  a->SetOwnerChangeHandler(TNotifyEvent(first.get(), &TChangeCounter::Changed));
  b->SetOwnerChangeHandler(TNotifyEvent(second.get(), &TChangeCounter::Changed));
  TcxFormatController* controller = GetFormatController();
  const int listeners = controller->ListenerCount();
  SendMessageA(controller->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  EXPECT_EQ(first->Count, 1);
  EXPECT_EQ(first->FormatChanges, 1);
  EXPECT_EQ(second->Count, 1);
  EXPECT_FALSE(a->InFormatChange());
  b.reset();
  EXPECT_EQ(controller->ListenerCount(), listeners - 1);  // a freed object leaves the listeners
  controller->Refresh();
}
