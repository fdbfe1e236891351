#pragma once
// The product resource-string repository and the units loader of the core unit.
//
// Each component package registers its product word with a procedure that adds the identifier
// names of its resource strings, so that a string can be found by name; controls listen to the
// repository. The units loader takes the start-up and shut-down procedures of units that must not
// start inside a library module's own initialization: in an executable a start-up runs at once, in
// a library module it waits for the host's dxInitialize; shut-downs run last registered first.
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include "classlib/Object.h"
#include "classlib/Win.h"

// One entry of the string table of the module that holds the record; its text is read with
// GetResStringText (cxClasses).
struct TResStringRec {
  UINT Identifier;
};
using PResStringRec = const TResStringRec*;

// Told when the texts of resource strings must be read again.
class IdxResourceStringsObserver {
public:
  virtual void ResourceStringsChanged() = 0;

protected:
  ~IdxResourceStringsObserver() = default;
};

class TdxProductResourceStrings;
using TdxAddResourceStringsProcedure = void (*)(TdxProductResourceStrings* product);

// One registered product: its word and the sorted identifier names of its strings.
class TdxProductResourceStrings : public TObject {
  CL_CLASS(TdxProductResourceStrings, TObject)
public:
  TdxProductResourceStrings(std::string name, TdxAddResourceStringsProcedure registrationProc);
  // Calls the registration procedure with the new product.
  void AfterConstruction() override;

  const std::string& Name() const { return FName; }
  // Adds one name (kept sorted without regard to case); a name already present is not added again.
  void AddResString(std::string_view name, PResStringRec rec);
  void CallRegistrationProc();

  int Count() const { return static_cast<int>(FNames.size()); }
  const std::string& Names(int index) const;
  PResStringRec ResStrings(int index) const;
  int IndexOfName(std::string_view name) const;  // -1 when absent

private:
  std::string FName;
  TdxAddResourceStringsProcedure FRegistrationProc;
  std::vector<std::pair<std::string, PResStringRec>> FNames;
};

class TdxResourceStringsRepository : public TObject {
  CL_CLASS(TdxResourceStringsRepository, TObject)
public:
  TdxResourceStringsRepository() = default;
  ~TdxResourceStringsRepository() override;

  // Creates the product (which runs the registration procedure) and appends it. A word registered
  // twice gives two products.
  TdxProductResourceStrings* RegisterProduct(std::string_view productName, TdxAddResourceStringsProcedure proc);
  // Removes and frees the first product with exactly this name; an unknown word does nothing.
  void UnregisterProduct(std::string_view productName);
  int IndexOfProduct(std::string_view productName) const;  // case-sensitive; -1 when absent
  TdxProductResourceStrings* GetProduct(int index) const;
  int GetProductCount() const { return static_cast<int>(FProducts.size()); }

  // The repository neither owns nor counts its listeners: a listener removes itself before it dies.
  void AddListener(IdxResourceStringsObserver* listener);
  void RemoveListener(IdxResourceStringsObserver* listener);
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }
  IdxResourceStringsObserver* GetListener(int index) const;

private:
  std::vector<TOwned<TdxProductResourceStrings>> FProducts;
  std::vector<IdxResourceStringsObserver*> FListeners;
};

using TdxUnitsLoaderProc = void (*)();

class TdxUnitsLoader : public TObject {
  CL_CLASS(TdxUnitsLoader, TObject)
public:
  // A deferring loader (one in a library module) queues start-up procedures until Initialize.
  explicit TdxUnitsLoader(bool deferring);
  TdxUnitsLoader();
  // Runs FinalizeUnits.
  void BeforeDestruction() override;

  // Runs (or, when deferring, queues) the start-up procedure and records the shut-down procedure;
  // either may be none.
  void RegisterUnitProcs(TdxUnitsLoaderProc initProc, TdxUnitsLoaderProc finalizeProc);
  // Takes the shut-down procedure out of the list and, when it was there, runs it.
  void DropUnitFinalizer(TdxUnitsLoaderProc finalizeProc);
  // The host's explicit start-up in a library module: runs the queued start-up procedures in order.
  void Initialize();
  // When a start-up procedure has run, runs the shut-down procedures still listed, last to first;
  // then forgets them. A failing procedure is reported and the others still run.
  void FinalizeUnits();

  bool Deferring() const { return FDeferring; }
  bool Initialized() const { return FInitialized; }
  int FinalizeCount() const { return static_cast<int>(FFinalizeList.size()); }
  int PendingInitializeCount() const { return static_cast<int>(FInitializeList.size()); }

private:
  bool FDeferring;
  bool FInitialized = false;
  std::vector<TdxUnitsLoaderProc> FInitializeList;
  std::vector<TdxUnitsLoaderProc> FFinalizeList;
};

// The process-wide repository and loader, created on first use; none once the core unit has begun
// to shut down.
TdxResourceStringsRepository* GetResourceStringsRepository();
TdxUnitsLoader* GetUnitsLoader();
// True when the running code is in a library module (a DLL) rather than in the executable.
bool IsModuleDeferringInit();
// The host of a library module calls these around the module's life.
void dxInitialize();
void dxFinalize();

// Frees the repository and the loader: the last step of the core unit's shut-down.
void FinalizeResourceStringsAndUnitsLoader();

// One identifier name with its resource-string record, as a registration procedure adds them.
struct TdxResStringEntry {
  const char* Name;
  PResStringRec Rec;
};
// Adds the entries to the product, in order.
void AddResStringEntries(TdxProductResourceStrings* product, std::span<const TdxResStringEntry> entries);

// The start-up and shut-down procedures of a unit whose strings form one product: they register
// the product word with the procedure and unregister it (nothing once the repository is gone).
template <const char* ProductName, TdxAddResourceStringsProcedure Proc>
void RegisterStringsProduct()
{
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->RegisterProduct(ProductName, Proc);
}
template <const char* ProductName>
void UnregisterStringsProduct()
{
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->UnregisterProduct(ProductName);
}
