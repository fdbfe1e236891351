// The units registry: start-up in declared and dependency order, shut-down in reverse.
#include <gtest/gtest.h>
#include <string>
#include <vector>
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

// FinalizeUnits shuts down every started unit, the test executable's own among them: this starts
// those again when a test ends, so that the tests after it find them running.
struct TRestartTestUnits {
  ~TRestartTestUnits()
  {
    for (TUnit* u : TestUnits()) NotStarted(u);
    InitializeUnits(TestUnits());
  }
  static void NotStarted(const TUnit* unit)
  {
    const_cast<TUnit*>(unit)->State = TUnit::TState::NotStarted;
    for (const TUnit* used : unit->Uses) NotStarted(used);
  }
};
}  // namespace

// The test executable's own units are running under the main's TUnitsScope; these tests drive
// a separate set by hand and leave the registry as they found it.
TEST(Units, StartInDependencyOrderAndStopInReverse)
{
  TRestartTestUnits restart;
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
  TRestartTestUnits restart;
  Reset();
  GFailStart = true;
  TUnit* const units[] = {&UnitC};
  EXPECT_THROW(InitializeUnits(units), Exception);
  GFailStart = false;
  EXPECT_EQ(GOrder, (std::vector<std::string>{"+A", "+B", "-B", "-A"}));
  EXPECT_EQ(UnitC.State, TUnit::TState::NotStarted);
}
