#pragma once
// The unit registry: start-up and shut-down procedures of the system's units, run in an explicit
// order from the program entry and from each test executable's main (C++ static initialisation
// cannot give that order).
//
// A unit names the units it uses. InitializeUnits starts the given units in the order given, each
// after the units it uses (depth first, each once); FinalizeUnits shuts them down in the reverse
// of the order they started. While shutting down, Finishing() is true, so that accessors of
// process-wide objects do not create them again.
#include <span>

struct TUnit {
  enum class TState { NotStarted, Starting, Running, Finishing, Finished };

  const char* Name;
  std::span<const TUnit* const> Uses;
  void (*Initialize)() = nullptr;
  void (*Finalize)() = nullptr;
  TState State = TState::NotStarted;

  bool Running() const { return State == TState::Running || State == TState::Starting; }
  // True once this unit's shut-down has begun.
  bool Finalized() const { return State == TState::Finishing || State == TState::Finished; }
};

// Starts the units (and what they use). A unit whose start-up raises is not counted as started;
// the units already started are shut down again and the exception goes on.
void InitializeUnits(std::span<TUnit* const> units);
// Shuts down the units the latest InitializeUnits started, last started first (the outermost call
// shuts down every unit). Exceptions from shut-down procedures are handed to HandleException, and
// the remaining units still shut down.
void FinalizeUnits();
// True while FinalizeUnits runs, and from the outermost FinalizeUnits to the end of the process.
bool Finishing();

// Starts units for the lifetime of a scope (program entry, test main).
class TUnitsScope {
public:
  explicit TUnitsScope(std::span<TUnit* const> units) { InitializeUnits(units); }
  ~TUnitsScope() { FinalizeUnits(); }
  TUnitsScope(const TUnitsScope&) = delete;
  TUnitsScope& operator=(const TUnitsScope&) = delete;
};
