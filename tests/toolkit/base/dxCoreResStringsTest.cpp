// The product resource-string repository, the library's own strings and the units loader.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/toolkit/base/TestStrings.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/dxCore.h"

// --- Resource strings ---

TEST(ResourceStrings, LibraryProductIsRegisteredFirstWithItsTwentyFiveStrings)
{
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  ASSERT_NE(repository, nullptr);
  ASSERT_GE(repository->GetProductCount(), 1);
  TdxProductResourceStrings* product = repository->GetProduct(0);
  EXPECT_EQ(product->Name(), "KitLibrary");
  EXPECT_EQ(repository->IndexOfProduct("KitLibrary"), 0);
  EXPECT_EQ(repository->IndexOfProduct("kitlibrary"), -1);

  struct {
    const char* Name;
    PResStringRec Rec;
    const char* Text;
  } expected[] = {
    {"scxCantCreateRegistryKey", &scxCantCreateRegistryKey, "Can't create the registry key: \\%s"},
    {"scxCantOpenRegistryKey", &scxCantOpenRegistryKey, "Can't open the registry key: \\%s"},
    {"scxErrorStoreObject", &scxErrorStoreObject, "Error store %s object"},
    {"scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository, "Can't create the Style Repository"},
    {"scxLockedStateText", &scxLockedStateText, "Please wait..."},
    {"cxSDateToday", &cxSDateToday, "today"},
    {"cxSDateYesterday", &cxSDateYesterday, "yesterday"},
    {"cxSDateTomorrow", &cxSDateTomorrow, "tomorrow"},
    {"cxSDateSunday", &cxSDateSunday, "Sunday"},
    {"cxSDateMonday", &cxSDateMonday, "Monday"},
    {"cxSDateTuesday", &cxSDateTuesday, "Tuesday"},
    {"cxSDateWednesday", &cxSDateWednesday, "Wednesday"},
    {"cxSDateThursday", &cxSDateThursday, "Thursday"},
    {"cxSDateFriday", &cxSDateFriday, "Friday"},
    {"cxSDateSaturday", &cxSDateSaturday, "Saturday"},
    {"cxSDateFirst", &cxSDateFirst, "first"},
    {"cxSDateSecond", &cxSDateSecond, "second"},
    {"cxSDateThird", &cxSDateThird, "third"},
    {"cxSDateFourth", &cxSDateFourth, "fourth"},
    {"cxSDateFifth", &cxSDateFifth, "fifth"},
    {"cxSDateSixth", &cxSDateSixth, "sixth"},
    {"cxSDateSeventh", &cxSDateSeventh, "seventh"},
    {"cxSDateBOM", &cxSDateBOM, "bom"},
    {"cxSDateEOM", &cxSDateEOM, "eom"},
    {"cxSDateNow", &cxSDateNow, "now"},
  };
  ASSERT_EQ(product->Count(), 25);
  for (const auto& e : expected) {
    int index = product->IndexOfName(e.Name);
    ASSERT_GE(index, 0) << e.Name;
    EXPECT_EQ(product->ResStrings(index), e.Rec) << e.Name;
    EXPECT_EQ(GetResStringText(product->ResStrings(index)), e.Text) << e.Name;
  }
  // Sorted without regard to case, as names are looked up.
  for (int i = 1; i < product->Count(); ++i)
    EXPECT_LT(_stricmp(product->Names(i - 1).c_str(), product->Names(i).c_str()), 0) << product->Names(i);
  EXPECT_EQ(product->IndexOfName("SCXLOCKEDSTATETEXT"), product->IndexOfName("scxLockedStateText"));
  EXPECT_EQ(product->IndexOfName("scxNoSuchString"), -1);
}

TEST(ResourceStrings, TextsComeWholeFromTheStringTableInTheAnsiCodePage)
{
  const TResStringRec chinese{IDS_TEST_CHINESE};
  EXPECT_EQ(GetResStringText(&chinese), "请稍候，正在检索文件……");
  const TResStringRec longText{IDS_TEST_LONG};
  std::string text = GetResStringText(&longText);
  EXPECT_EQ(text.size(), 320u);
  EXPECT_EQ(text.substr(text.size() - 4), "079-");
  const TResStringRec missing{29999};
  EXPECT_EQ(GetResStringText(&missing), "");
  EXPECT_EQ(GetResStringText(nullptr), "");
}

namespace {
const TResStringRec TestRecA{IDS_TEST_CHINESE};
const TResStringRec TestRecB{IDS_TEST_LONG};

void AddBarsStrings(TdxProductResourceStrings* product)
{
  product->AddResString("dxSBAR_Zeta", &TestRecA);
  product->AddResString("dxSBAR_Alpha", &TestRecB);
  product->AddResString("DXSBAR_ZETA", &TestRecB);  // already there
}
}  // namespace

TEST(ResourceStrings, ProductsComeAndGoInRegistrationOrder)
{
  TOwned<TdxResourceStringsRepository> repository(New<TdxResourceStringsRepository>());
  repository->RegisterProduct("KitLibrary", AddLibraryResString);
  TdxProductResourceStrings* bars = repository->RegisterProduct("KitBars", AddBarsStrings);
  repository->RegisterProduct("KitBars", nullptr);  // no duplicate check
  ASSERT_EQ(repository->GetProductCount(), 3);
  EXPECT_EQ(bars->Count(), 2);
  EXPECT_EQ(bars->Names(0), "dxSBAR_Alpha");
  EXPECT_EQ(bars->ResStrings(1), &TestRecA);
  EXPECT_EQ(repository->GetProduct(2)->Count(), 0);

  repository->UnregisterProduct("KitLibrary");
  ASSERT_EQ(repository->GetProductCount(), 2);
  EXPECT_EQ(repository->GetProduct(0), bars);
  repository->UnregisterProduct("KitBars");  // the first of the two
  ASSERT_EQ(repository->GetProductCount(), 1);
  EXPECT_EQ(repository->GetProduct(0)->Count(), 0);
  repository->UnregisterProduct("KitEditors Library");  // not registered: nothing
  EXPECT_EQ(repository->GetProductCount(), 1);
  EXPECT_THROW(repository->GetProduct(1), EListError);
}

namespace {
class TStringsListener : public IdxResourceStringsObserver {
public:
  void ResourceStringsChanged() override {}
};
}  // namespace

TEST(ResourceStrings, ListenersAreKeptOnceEach)
{
  TOwned<TdxResourceStringsRepository> repository(New<TdxResourceStringsRepository>());
  TStringsListener a, b;
  repository->AddListener(&a);
  repository->AddListener(&a);
  repository->AddListener(&b);
  repository->AddListener(nullptr);
  EXPECT_EQ(repository->GetListenerCount(), 2);
  repository->RemoveListener(&a);
  repository->RemoveListener(&a);
  EXPECT_EQ(repository->GetListenerCount(), 1);
  EXPECT_EQ(repository->GetListener(0), &b);
}

// --- Units loader ---

namespace {
std::vector<std::string> GSteps;
void InitA() { GSteps.push_back("+A"); }
void FinA() { GSteps.push_back("-A"); }
void InitB() { GSteps.push_back("+B"); }
void FinB() { GSteps.push_back("-B"); }
void FinC() { GSteps.push_back("-C"); }
void FailingFin()
{
  GSteps.push_back("-fail");
  throw Exception("shut-down failed");
}

std::vector<std::string> GReported;
void ReportError(std::exception_ptr error) { GReported.push_back(ExceptionMessage(error)); }

class UnitsLoader : public testing::Test {
protected:
  void SetUp() override
  {
    GSteps.clear();
    GReported.clear();
  }
};
}  // namespace

TEST_F(UnitsLoader, InAnExecutableStartUpsRunAtOnceAndShutDownsLastToFirst)
{
  EXPECT_FALSE(IsModuleDeferringInit());
  ASSERT_NE(GetUnitsLoader(), nullptr);
  EXPECT_FALSE(GetUnitsLoader()->Deferring());

  auto loader = MakeOwned<TdxUnitsLoader>(false);
  loader->RegisterUnitProcs(InitA, FinA);
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A"}));  // before the call returned
  EXPECT_TRUE(loader->Initialized());
  loader->RegisterUnitProcs(InitB, FinB);
  loader->RegisterUnitProcs(nullptr, FinC);
  loader->RegisterUnitProcs(nullptr, nullptr);
  EXPECT_EQ(loader->FinalizeCount(), 3);

  loader->FinalizeUnits();
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "+B", "-C", "-B", "-A"}));
  EXPECT_EQ(loader->FinalizeCount(), 0);
  EXPECT_FALSE(loader->Initialized());
  loader->FinalizeUnits();  // nothing left
  EXPECT_EQ(GSteps.size(), 5u);
}

TEST_F(UnitsLoader, DroppedFinalizerRunsOnceInTheUnitsOwnPlace)
{
  auto loader = MakeOwned<TdxUnitsLoader>(false);
  loader->RegisterUnitProcs(InitA, FinA);
  loader->RegisterUnitProcs(InitB, FinB);
  loader->DropUnitFinalizer(FinA);
  loader->DropUnitFinalizer(FinA);  // no longer listed: nothing
  loader->DropUnitFinalizer(FinC);  // never listed: nothing
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "+B", "-A"}));
  loader->FinalizeUnits();
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "+B", "-A", "-B"}));
}

TEST_F(UnitsLoader, WithoutAStartUpNoShutDownRuns)
{
  auto loader = MakeOwned<TdxUnitsLoader>(false);
  loader->RegisterUnitProcs(nullptr, FinA);
  loader->FinalizeUnits();
  EXPECT_TRUE(GSteps.empty());
  EXPECT_EQ(loader->FinalizeCount(), 0);
}

TEST_F(UnitsLoader, LibraryModuleQueuesStartUpsUntilTheHostInitializes)
{
  auto loader = MakeOwned<TdxUnitsLoader>(true);
  loader->RegisterUnitProcs(InitA, FinA);
  loader->RegisterUnitProcs(InitB, FinB);
  EXPECT_TRUE(GSteps.empty());
  EXPECT_EQ(loader->PendingInitializeCount(), 2);
  EXPECT_FALSE(loader->Initialized());
  loader->Initialize();
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "+B"}));
  EXPECT_EQ(loader->PendingInitializeCount(), 0);
  loader->FinalizeUnits();
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "+B", "-B", "-A"}));
}

TEST_F(UnitsLoader, FailingShutDownIsReportedAndTheOthersStillRun)
{
  TExceptionHandler previous = SetExceptionHandler(ReportError);
  {
    TOwned<TdxUnitsLoader> loader(New<TdxUnitsLoader>(false));
    loader->RegisterUnitProcs(InitA, FinA);
    loader->RegisterUnitProcs(nullptr, FailingFin);
    loader->RegisterUnitProcs(nullptr, FinB);
  }  // freeing the loader finalizes
  SetExceptionHandler(previous);
  EXPECT_EQ(GSteps, (std::vector<std::string>{"+A", "-B", "-fail", "-A"}));
  EXPECT_EQ(GReported, (std::vector<std::string>{"shut-down failed"}));
}
