#include "classlib/Units.h"

#include <atomic>
#include <vector>
#include "classlib/Exceptions.h"

namespace {
std::vector<TUnit*> GStarted;
// Where each InitializeUnits call began in GStarted: FinalizeUnits shuts down the units of the
// latest call only, so a nested start and stop (a test driving units of its own) leaves the units
// of the program or test executable running.
std::vector<size_t> GMarks;
std::atomic<bool> GFinishing{false};

void Start(TUnit* unit)
{
  if (unit->State != TUnit::TState::NotStarted) {
    if (unit->State == TUnit::TState::Starting)
      throw EInvalidOperation(std::string("Circular unit reference to ") + unit->Name);
    return;
  }
  unit->State = TUnit::TState::Starting;
  try {
    for (const TUnit* used : unit->Uses) Start(const_cast<TUnit*>(used));
    if (unit->Initialize) unit->Initialize();
  } catch (...) {
    unit->State = TUnit::TState::NotStarted;
    throw;
  }
  unit->State = TUnit::TState::Running;
  GStarted.push_back(unit);
}
}  // namespace

void InitializeUnits(std::span<TUnit* const> units)
{
  GFinishing = false;
  GMarks.push_back(GStarted.size());
  try {
    for (TUnit* unit : units) Start(unit);
  } catch (...) {
    FinalizeUnits();
    throw;
  }
}

void FinalizeUnits()
{
  GFinishing = true;
  size_t mark = 0;
  if (!GMarks.empty()) {
    mark = GMarks.back();
    GMarks.pop_back();
  }
  while (GStarted.size() > mark) {
    TUnit* unit = GStarted.back();
    GStarted.pop_back();
    unit->State = TUnit::TState::Finishing;
    if (unit->Finalize) GuardCallback(unit->Finalize);
    unit->State = TUnit::TState::Finished;
  }
  // Units of an outer start still run.
  if (!GMarks.empty()) GFinishing = false;
}

bool Finishing() { return GFinishing; }
