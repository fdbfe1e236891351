#include "toolkit/base/dxCoreResStrings.h"

#include <algorithm>
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TdxProductResourceStrings);
CL_DEFINE_CLASS(TdxResourceStringsRepository);
CL_DEFINE_CLASS(TdxUnitsLoader);

namespace {
// Identifier names sort and match without regard to case, as the names of a sorted string list do.
int CompareNames(std::string_view a, std::string_view b)
{
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TUnitObject<TdxResourceStringsRepository> GRepository{UnitdxCore};
TUnitObject<TdxUnitsLoader> GUnitsLoader{UnitdxCore};
}  // namespace

// --- TdxProductResourceStrings ---

TdxProductResourceStrings::TdxProductResourceStrings(std::string name, TdxAddResourceStringsProcedure registrationProc)
    : FName(std::move(name)), FRegistrationProc(registrationProc)
{
}

void TdxProductResourceStrings::AfterConstruction()
{
  TObject::AfterConstruction();
  CallRegistrationProc();
}

void TdxProductResourceStrings::CallRegistrationProc()
{
  if (FRegistrationProc) FRegistrationProc(this);
}

void TdxProductResourceStrings::AddResString(std::string_view name, PResStringRec rec)
{
  auto it = std::lower_bound(FNames.begin(), FNames.end(), name,
                             [](const auto& entry, std::string_view n) { return CompareNames(entry.first, n) < 0; });
  if (it != FNames.end() && CompareNames(it->first, name) == 0) return;
  FNames.emplace(it, std::string(name), rec);
}

const std::string& TdxProductResourceStrings::Names(int index) const
{
  if (index < 0 || index >= Count()) IndexError(index);
  return FNames[index].first;
}

PResStringRec TdxProductResourceStrings::ResStrings(int index) const
{
  if (index < 0 || index >= Count()) IndexError(index);
  return FNames[index].second;
}

int TdxProductResourceStrings::IndexOfName(std::string_view name) const
{
  auto it = std::lower_bound(FNames.begin(), FNames.end(), name,
                             [](const auto& entry, std::string_view n) { return CompareNames(entry.first, n) < 0; });
  if (it == FNames.end() || CompareNames(it->first, name) != 0) return -1;
  return static_cast<int>(it - FNames.begin());
}

// --- TdxResourceStringsRepository ---

TdxResourceStringsRepository::~TdxResourceStringsRepository() = default;

TdxProductResourceStrings* TdxResourceStringsRepository::RegisterProduct(std::string_view productName,
                                                                         TdxAddResourceStringsProcedure proc)
{
  FProducts.push_back(MakeOwned<TdxProductResourceStrings>(std::string(productName), proc));
  return FProducts.back().get();
}

void TdxResourceStringsRepository::UnregisterProduct(std::string_view productName)
{
  int index = IndexOfProduct(productName);
  if (index < 0) return;
  // Out of the list before it is freed, so that nothing reached from its destruction finds it.
  TOwned<TdxProductResourceStrings> product = std::move(FProducts[index]);
  FProducts.erase(FProducts.begin() + index);
}

int TdxResourceStringsRepository::IndexOfProduct(std::string_view productName) const
{
  for (size_t i = 0; i < FProducts.size(); ++i)
    if (FProducts[i]->Name() == productName) return static_cast<int>(i);
  return -1;
}

TdxProductResourceStrings* TdxResourceStringsRepository::GetProduct(int index) const
{
  if (index < 0 || index >= GetProductCount()) IndexError(index);
  return FProducts[index].get();
}

void TdxResourceStringsRepository::AddListener(IdxResourceStringsObserver* listener)
{
  if (listener && std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end())
    FListeners.push_back(listener);
}

void TdxResourceStringsRepository::RemoveListener(IdxResourceStringsObserver* listener)
{
  auto it = std::find(FListeners.begin(), FListeners.end(), listener);
  if (it != FListeners.end()) FListeners.erase(it);
}

IdxResourceStringsObserver* TdxResourceStringsRepository::GetListener(int index) const
{
  if (index < 0 || index >= GetListenerCount()) IndexError(index);
  return FListeners[index];
}

// --- TdxUnitsLoader ---

TdxUnitsLoader::TdxUnitsLoader(bool deferring) : FDeferring(deferring) {}

TdxUnitsLoader::TdxUnitsLoader() : TdxUnitsLoader(IsModuleDeferringInit()) {}

void TdxUnitsLoader::BeforeDestruction()
{
  FinalizeUnits();
  TObject::BeforeDestruction();
}

void TdxUnitsLoader::RegisterUnitProcs(TdxUnitsLoaderProc initProc, TdxUnitsLoaderProc finalizeProc)
{
  if (initProc) {
    if (FDeferring) {
      FInitializeList.push_back(initProc);
    } else {
      FInitialized = true;
      initProc();
    }
  }
  if (finalizeProc) FFinalizeList.push_back(finalizeProc);
}

void TdxUnitsLoader::DropUnitFinalizer(TdxUnitsLoaderProc finalizeProc)
{
  auto it = std::find(FFinalizeList.begin(), FFinalizeList.end(), finalizeProc);
  if (it == FFinalizeList.end()) return;
  FFinalizeList.erase(it);
  finalizeProc();
}

void TdxUnitsLoader::Initialize()
{
  // A start-up procedure may register further units; they join the end of the queue.
  while (!FInitializeList.empty()) {
    TdxUnitsLoaderProc proc = FInitializeList.front();
    FInitializeList.erase(FInitializeList.begin());
    FInitialized = true;
    proc();
  }
}

void TdxUnitsLoader::FinalizeUnits()
{
  if (FInitialized) {
    // Taken from the end one at a time, so that a procedure that drops another finalizer (or
    // registers one) does not leave the loop holding a stale position.
    while (!FFinalizeList.empty()) {
      TdxUnitsLoaderProc proc = FFinalizeList.back();
      FFinalizeList.pop_back();
      if (proc) GuardCallback(proc);
    }
  }
  FInitialized = false;
  FFinalizeList.clear();
}

// --- process-wide objects ---

bool IsModuleDeferringInit()
{
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&IsModuleDeferringInit), &self))
    return false;
  return self != GetModuleHandleA(nullptr);
}

TdxResourceStringsRepository* GetResourceStringsRepository()
{
  return GRepository.Get();
}

TdxUnitsLoader* GetUnitsLoader()
{
  return GUnitsLoader.Get();
}

void dxInitialize()
{
  if (TdxUnitsLoader* loader = GetUnitsLoader()) loader->Initialize();
}

void dxFinalize()
{
  if (TdxUnitsLoader* loader = GUnitsLoader.Peek()) loader->FinalizeUnits();
}

void FinalizeResourceStringsAndUnitsLoader()
{
  GRepository.Free();
  TdxUnitsLoader* loader = GUnitsLoader.Peek();
  if (loader && loader->Deferring() && loader->FinalizeCount() > 0)
    throw EInvalidOperation("Need call dxFinalize before free library!");
  GUnitsLoader.Free();
}

void AddResStringEntries(TdxProductResourceStrings* product, std::span<const TdxResStringEntry> entries)
{
  for (const TdxResStringEntry& entry : entries) product->AddResString(entry.Name, entry.Rec);
}
