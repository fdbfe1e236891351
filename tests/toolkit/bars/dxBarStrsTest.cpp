// The bar system's resource strings: the product "KitBars" and its string table.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Units.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"

namespace {
TdxProductResourceStrings* BarsProduct()
{
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  const int index = repository ? repository->IndexOfProduct("KitBars") : -1;
  return index >= 0 ? repository->GetProduct(index) : nullptr;
}
}  // namespace

TEST(BarStrings, EveryIdentifierIsRegisteredOnceWithItsStringTableText)
{
  TdxProductResourceStrings* product = BarsProduct();
  ASSERT_NE(product, nullptr);
  ASSERT_EQ(product->Count(), 183);
  for (int i = 0; i < product->Count(); ++i) {
    const std::string& name = product->Names(i);
    EXPECT_TRUE(name.rfind("dxSBAR_", 0) == 0 || name == "SBlob") << name;
    EXPECT_EQ(product->IndexOfName(name), i) << name;
    // Every name has a text of its own in the string table.
    EXPECT_FALSE(GetResStringText(product->ResStrings(i)).empty()) << name;
    for (int j = 0; j < i; ++j) EXPECT_NE(product->ResStrings(j), product->ResStrings(i)) << name;
  }
}

TEST(BarStrings, TextsKeepTheirBlanksPlaceholdersAndMarks)
{
  TdxProductResourceStrings* product = BarsProduct();
  ASSERT_NE(product, nullptr);
  const struct {
    const char* Name;
    PResStringRec Rec;
    const char* Text;
  } cases[] = {
    {"dxSBAR_LOOKUPDIALOGCAPTION", &dxSBAR_LOOKUPDIALOGCAPTION, "Select value"},
    {"dxSBAR_DEFAULTCATEGORYNAME", &dxSBAR_DEFAULTCATEGORYNAME, "Default"},
    {"dxSBAR_TABSHEET1", &dxSBAR_TABSHEET1, " Toolbars "},
    {"dxSBAR_TOOLBARNEWNAME", &dxSBAR_TOOLBARNEWNAME, "Custom "},
    {"dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX", &dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX, " ONLY"},
    {"dxSBAR_DESCRIPTION", &dxSBAR_DESCRIPTION, "Description  "},
    {"dxSBAR_PLACEFORCONTROL", &dxSBAR_PLACEFORCONTROL, "The place for the "},
    {"dxSBAR_CP_ADDLARGEBUTTON", &dxSBAR_CP_ADDLARGEBUTTON, "Add L&argeButton"},
    {"dxSBAR_TOOLBARSALREADYMERGED", &dxSBAR_TOOLBARSALREADYMERGED,
     "The '%s' toolbar is already merged with the '%s' toolbar"},
    {"dxSBAR_WANTTORESETUSAGEDATA", &dxSBAR_WANTTORESETUSAGEDATA,
     "This will delete the record of the commands you've used in this application and restore the default set "
     "of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you "
     "sure you want to proceed?"},
    {"dxSBAR_GALLERYEMPTYFILTERCAPTION", &dxSBAR_GALLERYEMPTYFILTERCAPTION, "<empty>"},
    {"SBlob", &SBlob, "(Blob)"},
    {"dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME", &dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME, "Ribbon Tabs"},
  };
  for (const auto& c : cases) {
    const int index = product->IndexOfName(c.Name);
    ASSERT_GE(index, 0) << c.Name;
    EXPECT_EQ(product->ResStrings(index), c.Rec) << c.Name;
    EXPECT_EQ(GetResStringText(c.Rec), c.Text) << c.Name;
  }
}

TEST(BarStrings, TheProductGoesWithTheUnitAndComesBackWithIt)
{
  ASSERT_NE(BarsProduct(), nullptr);
  UnitdxBarStrs.State = TUnit::TState::Finishing;
  UnitdxBarStrs.Finalize();
  UnitdxBarStrs.State = TUnit::TState::Finished;
  EXPECT_EQ(BarsProduct(), nullptr);
  UnitdxBarStrs.State = TUnit::TState::Starting;
  UnitdxBarStrs.Initialize();
  UnitdxBarStrs.State = TUnit::TState::Running;
  ASSERT_NE(BarsProduct(), nullptr);
  EXPECT_EQ(BarsProduct()->Count(), 183);
}
