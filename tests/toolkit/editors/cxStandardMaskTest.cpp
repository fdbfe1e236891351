// The picture mask: what a mask parses into, texts fitted into it, value texts and full validity,
// under two date separators.
#include <gtest/gtest.h>
#include <string>
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "toolkit/editors/cxStandardMask.h"

namespace {

// The items of a mask: a literal as itself, a position by its class letter (upper case when
// required) with its case as "^" (upper) or "v" (lower).
std::string Items(const TcxStandardMask& mask)
{
  std::string text;
  for (int i = 0; i < mask.Count(); ++i) {
    TcxStandardMaskCustomItem* item = mask.GetItem(i);
    if (auto* literal = dynamic_cast<TcxStandardMaskLiteralItem*>(item)) {
      text += literal->Literal();
      continue;
    }
    auto* position = dynamic_cast<TcxStandardMaskManyItem*>(item);
    char letter = position->Is<TcxStandardMaskNumericItem>()         ? 'N'
                  : position->Is<TcxStandardMaskNumericSymbolItem>() ? 'S'
                  : position->Is<TcxStandardMaskAlphaItem>()         ? 'L'
                  : position->Is<TcxStandardMaskAlphaNumericItem>()  ? 'A'
                                                                     : 'C';
    if (position->Optional()) letter = static_cast<char>(letter - 'A' + 'a');
    text += '[';
    text += letter;
    if (position->CaseControl() == TcxStandardMaskCaseControl::Upper) text += '^';
    if (position->CaseControl() == TcxStandardMaskCaseControl::Lower) text += 'v';
    text += ']';
  }
  return text;
}

class cxStandardMaskTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings;
  void SetSeparators(char date, char time)
  {
    FormatSettings().DateSeparator = date;
    FormatSettings().TimeSeparator = time;
  }
};

struct TParseCase {
  const char* Mask;
  char DateSeparator;
  const char* Items;
  bool FitFromRight, LiteralsInValue;
  char BlankChar;
  const char* EmptyText;
  const char* EmptyValueText;
};

const TParseCase ParseCases[] = {
  {"!99/99/9999;1; ", '/', "[n][n]/[n][n]/[n][n][n][n]", true, true, ' ', "  /  /    ", "  /  /    "},
  {"!99/99/9999;1; ", '-', "[n][n]-[n][n]-[n][n][n][n]", true, true, ' ', "  -  -    ", "  -  -    "},
  {"00:00;0", '/', "[N][N].[N][N]", false, false, '_', "__.__", "    "},
  {"(000);0", '/', "([N][N][N])", false, false, '_', "(___)", "   "},
  {">LL<ll", '/', "[L^][L^][lv][lv]", false, true, '_', "____", "    "},
  {">L<>l<a", '/', "[L^][l][av]", false, true, '_', "___", "   "},
  {"#aAcC9", '/', "[s][a][A][c][C][n]", false, true, '_', "______", "      "},
  {"\\L\\\\0\\", '/', "L\\[N]", false, true, '_', "L\\_", "L\\ "},
  // "!" only counts first; ";" counts only as a complete trailing part, else it is a literal.
  {"0!;", '/', "[N]!;", false, true, '_', "_!;", " !;"},
  {"0;1;*", '/', "[N]", false, true, '*', "*", " "},
  {"0;2", '/', "[N];2", false, true, '_', "_;2", " ;2"},
  {"0;1;**", '/', "[N];1;**", false, true, '_', "_;1;**", " ;1;**"},
  // A double-byte character is two literal positions, even when a byte looks like a mask character.
  {"0年", '/', "[N]年", false, true, '_', "_年", " 年"},
};

}  // namespace

TEST_F(cxStandardMaskTest, MasksParseIntoPositionItemsAndLiterals)
{
  FormatSettings().TimeSeparator = '.';
  for (const TParseCase& c : ParseCases) {
    SCOPED_TRACE(c.Mask);
    FormatSettings().DateSeparator = c.DateSeparator;
    auto mask = MakeOwned<TcxStandardMask>();
    mask->SetMask(c.Mask);
    EXPECT_EQ(mask->MaskText(), c.Mask);
    EXPECT_EQ(Items(*mask), c.Items);
    EXPECT_EQ(mask->FitFromRight(), c.FitFromRight);
    EXPECT_EQ(mask->LiteralsInValue(), c.LiteralsInValue);
    EXPECT_EQ(mask->BlankChar(), c.BlankChar);
    EXPECT_EQ(mask->GetEmptyText(), c.EmptyText);
    EXPECT_EQ(mask->GetEmptyValueText(), c.EmptyValueText);
  }
}

TEST_F(cxStandardMaskTest, SettingAMaskAgainRestoresTheDefaults)
{
  auto mask = MakeOwned<TcxStandardMask>();
  mask->SetMask("!00;0;*");
  mask->SetMask("0");
  EXPECT_FALSE(mask->FitFromRight());
  EXPECT_TRUE(mask->LiteralsInValue());
  EXPECT_EQ(mask->BlankChar(), '_');
  EXPECT_EQ(mask->Count(), 1);
  mask->SetMask("");
  EXPECT_EQ(mask->Count(), 0);
  EXPECT_EQ(mask->GetEmptyText(), "");
}

namespace {
struct TTextCase {
  const char* Mask;
  char DateSeparator;
  const char* Input;
  bool LiteralsInText;
  const char* Formatted;  // Format(Input), case converted
  const char* Value;      // GetValueText(Formatted)
  bool FullValid;         // IsFullValid(Input)
  const char* Validated;  // Input as IsFullValid leaves it
};

const TTextCase TextCases[] = {
  {"!99/99/9999;1; ", '/', "12/31/2024", true, "12/31/2024", "12/31/2024", true, "12/31/2024"},
  {"!99/99/9999;1; ", '/', "1/2/2024", true, " 1/ 2/2024", " 1/ 2/2024", false, "1/2/2024"},
  {"!99/99/9999;1; ", '/', "12/31/202", true, "12/31/ 202", "12/31/ 202", false, "12/31/202"},
  {"!99/99/9999;1;_", '/', "1_/2_/____", true, "1_/2_/____", "1 /2 /    ", true, "1_/2_/____"},
  {"!99/99/9999;1;_", '/', "1 /2 /    ", true, "1_/2_/____", "1 /2 /    ", true, "1 /2 /    "},
  {"!99/99/9999;1;_", '/', "1a/2_/____", true, "_1/2_/____", " 1/2 /    ", false, "1a/2_/____"},
  {"!99/99/9999;1; ", '-', "12-31-2024", true, "12-31-2024", "12-31-2024", true, "12-31-2024"},
  {"!99/99/9999;1; ", '-', "12/31/2024", true, "12-31-2024", "12-31-2024", false, "12/31/2024"},
  {"!99/99/9999;1;_", '-', "1_-2_-____", true, "1_-2_-____", "1 -2 -    ", true, "1_-2_-____"},
  {"99/99", '-', "12/31", true, "12-31", "12-31", false, "12/31"},
  {"00:00;0", '/', "12:34", true, "12:34", "1234", true, "12:34"},
  {"00:00;0", '/', "1234", false, "12:34", "1234", false, "1234"},
  {"(000);0", '/', "123", false, "(123)", "123", false, "123"},
  {"(000);0", '/', "(123)", true, "(123)", "123", true, "(123)"},
  {"(000);1", '/', "123", false, "(123)", "(123)", false, "123"},
  {">LL<ll", '/', "abCD", true, "ABcd", "ABcd", true, "ABcd"},
  {">LL<ll", '/', "a1bC", true, "ABc_", "ABc ", false, "A1bC"},
  {">L<>l", '/', "aB", true, "AB", "AB", true, "AB"},
  {"00\\", '/', "12", true, "12", "12", true, "12"},
  {"#9", '/', "+5", true, "+5", "+5", true, "+5"},
  {"#9", '/', "x5", true, "5_", "5 ", false, "x5"},
  {"#9", '/', "__", true, "__", "  ", true, "__"},
  {"0", '/', "_", true, "_", " ", false, "_"},
  {"aaa", '/', "a-b", true, "ab_", "ab ", false, "a-b"},
  {"cC", '/', "?!", true, "?!", "?!", true, "?!"},
  {"000", '/', "1234", true, "123", "123", false, "1234"},
  {"!000", '/', "1234", true, "234", "234", false, "1234"},
};
}  // namespace

TEST_F(cxStandardMaskTest, TextsAreFittedValuedAndValidated)
{
  SetSeparators('/', ':');
  for (const TTextCase& c : TextCases) {
    SCOPED_TRACE(std::string(c.Mask) + " <- " + c.Input + " sep " + c.DateSeparator);
    FormatSettings().DateSeparator = c.DateSeparator;
    auto mask = MakeOwned<TcxStandardMask>();
    mask->SetMask(c.Mask);
    std::string text = c.Input;
    mask->Format(text, true, c.LiteralsInText);
    EXPECT_EQ(text, c.Formatted);
    mask->GetValueText(text);
    EXPECT_EQ(text, c.Value);
    text = c.Input;
    EXPECT_EQ(mask->IsFullValid(text), c.FullValid);
    EXPECT_EQ(text, c.Validated);
  }
}

TEST_F(cxStandardMaskTest, FormatWithoutCaseConversionKeepsTheTypedCase)
{
  auto mask = MakeOwned<TcxStandardMask>();
  mask->SetMask(">LL<ll");
  std::string text = "abCD";
  mask->Format(text, false);
  EXPECT_EQ(text, "abCD");
  // Value texts never run past the items.
  text = "abCDEF";
  mask->GetValueText(text);
  EXPECT_EQ(text, "abCD");
}
