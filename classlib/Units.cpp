#include "classlib/Units.h"

#include <atomic>
#include <vector>
#include "classlib/Exceptions.h"

namespace {
std::vector<TUnit*> GStarted;
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
  while (!GStarted.empty()) {
    TUnit* unit = GStarted.back();
    GStarted.pop_back();
    unit->State = TUnit::TState::Finishing;
    if (unit->Finalize) GuardCallback(unit->Finalize);
    unit->State = TUnit::TState::Finished;
  }
}

bool Finishing() { return GFinishing; }
