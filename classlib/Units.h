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
#include <type_traits>
#include "classlib/Object.h"

class TUnitObjectBase;

struct TUnit {
  enum class TState { NotStarted, Starting, Running, Finishing, Finished };

  const char* Name;
  std::span<const TUnit* const> Uses = {};
  void (*Initialize)() = nullptr;
  void (*Finalize)() = nullptr;
  TState State = TState::NotStarted;
  // The unit's process-wide objects made so far, newest first (see TUnitObject).
  TUnitObjectBase* Objects = nullptr;

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

// The holder of one process-wide object of a unit: the object is made on first use, freed when its
// unit shuts down (after the unit's own shut-down procedure), and never made again once its unit or
// the program has begun shutting down: Get answers nullptr then. The object of a unit that was never
// started goes when the last units shut down. GUI thread only.
//
//   TUnitObject<TcxTimerWindow> GTimerWindow{UnitcxClasses};
//   ... GTimerWindow.Get() ...
class TUnitObjectBase {
public:
  TUnitObjectBase(const TUnitObjectBase&) = delete;
  TUnitObjectBase& operator=(const TUnitObjectBase&) = delete;
  // Frees the object now, when there is one (it may be made again while its unit runs).
  void Free();

protected:
  constexpr explicit TUnitObjectBase(TUnit& unit) : FUnit(unit) {}
  ~TUnitObjectBase() = default;
  // Neither the unit nor the program has begun shutting down.
  bool MayCreate() const;
  // Joins the unit's objects once the object was made.
  void Track();
  virtual void* Object() const = 0;
  virtual void Destroy() = 0;

private:
  friend void FinalizeUnitObjects(TUnit& unit);
  TUnit& FUnit;
  TUnitObjectBase* FNext = nullptr;
  bool FTracked = false;
};

// Frees the objects of a unit, newest first (FinalizeUnits does it after the unit's shut-down).
void FinalizeUnitObjects(TUnit& unit);

template <class T>
class TUnitObject : public TUnitObjectBase {
public:
  using TFactory = T* (*)();
  // A class without a default constructor needs the factory.
  constexpr explicit TUnitObject(TUnit& unit, TFactory factory = nullptr) : TUnitObjectBase(unit), FFactory(factory) {}

  // The object, made now when it is not there yet; nullptr once shutting down has begun.
  T* Get()
  {
    if (!FObject && MayCreate()) {
      if (FFactory)
        FObject = FFactory();
      else if constexpr (std::is_default_constructible_v<T>)
        FObject = Make();
      if (FObject) Track();
    }
    return FObject;
  }
  // The object when it was made, without making it.
  T* Peek() const { return FObject; }
  T* operator->() { return Get(); }

protected:
  void* Object() const override { return FObject; }
  void Destroy() override
  {
    T* obj = FObject;
    FObject = nullptr;
    if constexpr (std::is_base_of_v<TObject, T>)
      ::Free(obj);
    else
      delete obj;
  }

private:
  static T* Make()
  {
    if constexpr (std::is_base_of_v<TObject, T>)
      return New<T>();
    else
      return new T();
  }
  TFactory FFactory;
  T* FObject = nullptr;
};
