// The resource strings of the editors, the filter control, the data layer and the filter conditions:
// registered once under their product words with records of the module's string table, and gone
// after shut-down.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "tests/toolkit/editors/EditTestSupport.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxDataConsts.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxFilterConsts.h"
#include "toolkit/editors/cxFilterControlStrs.h"

namespace {

struct TProductCase {
  const char* Word;
  TUnit* Unit;
  int Count;
};
const TProductCase Products[] = {
  {"KitEditors Library", &UnitcxEditConsts, 103},
  {"KitFilterControl", &UnitcxFilterControlStrs, 35},
  {"DedidurErurIzuzidarad", &UnitcxDataConsts, 12},
  {"ZidavudEruvOdivod", &UnitcxFilterConsts, 50},
};

int ProductsNamed(const char* word)
{
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  int n = 0;
  for (int i = 0; i < repository->GetProductCount(); ++i) n += repository->GetProduct(i)->Name() == word;
  return n;
}

TEST(EditorStrings, EachProductListsItsNamesOnceWithTheirStringTableRecords)
{
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  ASSERT_NE(repository, nullptr);
  std::set<UINT> identifiers;
  int empty = 0;
  for (const TProductCase& c : Products) {
    EXPECT_EQ(ProductsNamed(c.Word), 1) << c.Word;
    const int index = repository->IndexOfProduct(c.Word);
    ASSERT_GE(index, 0) << c.Word;
    TdxProductResourceStrings* product = repository->GetProduct(index);
    EXPECT_EQ(product->Count(), c.Count) << c.Word;
    for (int i = 0; i < product->Count(); ++i) {
      PResStringRec rec = product->ResStrings(i);
      ASSERT_NE(rec, nullptr) << product->Names(i);
      EXPECT_TRUE(identifiers.insert(rec->Identifier).second) << product->Names(i) << ": one table entry each";
      empty += GetResStringText(rec).empty();
    }
  }
  EXPECT_EQ(empty, 2) << "only the grayed check box caption and the radio group's default caption are empty";
}

TEST(EditorStrings, NamesFindTheirTexts)
{
  struct TCase {
    const char* Word;
    const char* Name;
    const char* Text;
  };
  const TCase cases[] = {
    {"KitEditors Library", "cxSEditValidateErrorText", "Invalid input value. Use escape key to abandon changes"},
    {"KitEditors Library", "cxSEditCheckBoxGrayed", ""},
    {"KitEditors Library", "cxSRadioGroupDefaultCaption", ""},
    {"KitEditors Library", "cxSMenuItemCaptionCut", "Cu&t"},
    {"KitEditors Library", "scxSEditRepositoryTextItem", "TextEdit|Represents a single line text editor"},
    {"KitEditors Library", "scxRegExprIllegalQuantifier", "Illegal quantifier '%s'"},
    {"KitEditors Library", "scxRegExprIncorrectSpace", "The space character is not allowed after '\\'"},
    {"KitEditors Library", "cxSSpinEditInvalidNumericValue", "Invalid numeric value"},
    {"KitFilterControl", "cxSFilterRootGroupCaption", "<root>"},
    {"KitFilterControl", "cxSFilterControlDialogFileFilter", "Filters (*.flt)|*.flt"},
    {"DedidurErurIzuzidarad", "cxSDataReadError", "Stream read error"},
    {"DedidurErurIzuzidarad", "cxSDBKeyFieldNotFound", "Key Field not found"},
    {"ZidavudEruvOdivod", "cxSFilterOperatorToday", "is today"},
    {"ZidavudEruvOdivod", "cxSFilterBoxNonBlanksCaption", "(NonBlanks)"},
  };
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  for (const TCase& c : cases) {
    TdxProductResourceStrings* product = repository->GetProduct(repository->IndexOfProduct(c.Word));
    const int index = product->IndexOfName(c.Name);
    ASSERT_GE(index, 0) << c.Name;
    EXPECT_EQ(GetResStringText(product->ResStrings(index)), c.Text) << c.Name;
  }
  EXPECT_EQ(GetResStringText(&cxSFilterOperatorToday), "is today");
  EXPECT_EQ(repository->IndexOfProduct("kiteditors library"), -1) << "product words are compared exactly";
}

TEST(EditorStrings, AfterShutDownNoProductIsRegistered)
{
  for (const TProductCase& c : Products) {
    {
      TUnitShutDown shutDown(*c.Unit);
      EXPECT_EQ(GetResourceStringsRepository()->IndexOfProduct(c.Word), -1) << c.Word;
    }
    EXPECT_EQ(ProductsNamed(c.Word), 1) << c.Word << " is back after a new start";
  }
}

}  // namespace
