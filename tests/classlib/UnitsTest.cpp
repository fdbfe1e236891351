// The units registry: start-up in declared and dependency order, shut-down in reverse.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Exceptions.h"
#include "classlib/Units.h"
#include "tests/support/TestUnits.h"

namespace {
std::vector<std::string> GOrder;
bool GFailStart = false;
bool GSawFinishing = false;

void InitA() { GOrder.push_back("+A"); }
void FinA() { GOrder.push_back("-A"); }
void InitB() { GOrder.push_back("+B"); }
void FinB() { GOrder.push_back("-B"); GSawFinishing = Finishing(); }
void InitC()
{
  if (GFailStart) throw Exception("C failed");
  GOrder.push_back("+C");
}
void FinC() { GOrder.push_back("-C"); throw Exception("shut-down failure is reported, not fatal"); }

TUnit UnitA{"A", {}, InitA, FinA};
const TUnit* const UsesB[] = {&UnitA};
TUnit UnitB{"B", UsesB, InitB, FinB};
const TUnit* const UsesC[] = {&UnitB, &UnitA};
TUnit UnitC{"C", UsesC, InitC, FinC};

void Reset()
{
  GOrder.clear();
  for (TUnit* u : {&UnitA, &UnitB, &UnitC}) u->State = TUnit::TState::NotStarted;
}

// The units these tests drive stop with the FinalizeUnits of their own start: the test
// executable's units, started by the main, keep running untouched, with the same application.
struct TTestUnitsKeepRunning {
  TApplication* const App = Application;
  ~TTestUnitsKeepRunning()
  {
    for (TUnit* u : TestUnits()) EXPECT_TRUE(u->Running()) << u->Name;
    EXPECT_EQ(Application, App);
    EXPECT_FALSE(Finishing());
  }
};
}  // namespace

// The test executable's own units are running under the main's TUnitsScope; these tests drive
// a separate set by hand and leave the registry as they found it.
TEST(Units, StartInDependencyOrderAndStopInReverse)
{
  TTestUnitsKeepRunning running;
  Reset();
  TUnit* const units[] = {&UnitC, &UnitA};
  InitializeUnits(units);
  EXPECT_EQ(GOrder, (std::vector<std::string>{"+A", "+B", "+C"}));
  EXPECT_TRUE(UnitC.Running());
  EXPECT_FALSE(Finishing());
  FinalizeUnits();
  EXPECT_EQ(GOrder, (std::vector<std::string>{"+A", "+B", "+C", "-C", "-B", "-A"}));
  EXPECT_TRUE(GSawFinishing);
  EXPECT_TRUE(UnitA.Finalized());
}

TEST(Units, FailedStartUndoesTheUnitsAlreadyStarted)
{
  TTestUnitsKeepRunning running;
  Reset();
  GFailStart = true;
  TUnit* const units[] = {&UnitC};
  EXPECT_THROW(InitializeUnits(units), Exception);
  GFailStart = false;
  EXPECT_EQ(GOrder, (std::vector<std::string>{"+A", "+B", "-B", "-A"}));
  EXPECT_EQ(UnitC.State, TUnit::TState::NotStarted);
}
