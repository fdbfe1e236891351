#include "classlib/Units.h"

#include <algorithm>
#include <atomic>
#include <vector>
#include "classlib/Exceptions.h"

namespace {
std::vector<TUnit*> GStarted;
// Units with objects made while they were not started: their objects go with the last units.
std::vector<TUnit*> GUnstartedWithObjects;
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
    FinalizeUnitObjects(*unit);
    unit->State = TUnit::TState::Finished;
  }
  // Units of an outer start still run.
  if (!GMarks.empty()) {
    GFinishing = false;
    return;
  }
  for (TUnit* unit : GUnstartedWithObjects) FinalizeUnitObjects(*unit);
  GUnstartedWithObjects.clear();
}

void FinalizeUnitObjects(TUnit& unit)
{
  while (TUnitObjectBase* holder = unit.Objects) {
    unit.Objects = holder->FNext;
    holder->FNext = nullptr;
    holder->FTracked = false;
    GuardCallback([holder] { holder->Destroy(); });
  }
}

bool TUnitObjectBase::MayCreate() const { return !GFinishing && !FUnit.Finalized(); }

void TUnitObjectBase::Track()
{
  if (FTracked || !Object()) return;
  FTracked = true;
  FNext = FUnit.Objects;
  FUnit.Objects = this;
  if (FUnit.State == TUnit::TState::NotStarted &&
      std::find(GUnstartedWithObjects.begin(), GUnstartedWithObjects.end(), &FUnit) == GUnstartedWithObjects.end())
    GUnstartedWithObjects.push_back(&FUnit);
}

void TUnitObjectBase::Free()
{
  if (!Object()) return;
  // Out of the unit's list first: the object may be made again later.
  for (TUnitObjectBase** link = &FUnit.Objects; *link; link = &(*link)->FNext)
    if (*link == this) {
      *link = FNext;
      break;
    }
  FNext = nullptr;
  FTracked = false;
  Destroy();
}

bool Finishing() { return GFinishing; }
