#include "classlib/BoundLibrary.h"

#include <utility>

bool TBoundLibrary::Load()
{
  if (FModule) return Available();
  // A missing library is an answer, not an error the user must confirm.
  UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
  HMODULE module = LoadLibraryA(FFileName);
  SetErrorMode(oldMode);
  return LoadFrom(module);
}

bool TBoundLibrary::LoadFrom(HMODULE module)
{
  if (FModule) {
    if (module && module != FModule) FreeLibrary(module);
    return Available();
  }
  FModule = module;
  if (FModule) Bind();
  return Available();
}

void TBoundLibrary::Bind()
{
  TGetProcAddressFunc getProc = FGetProc ? FGetProc : GetProcAddress;
  FComplete = true;
  for (const TLibraryEntry& entry : FEntries) {
    FARPROC proc = getProc(FModule, entry.Name);
    entry.Bind(proc);
    if (!proc) FComplete = false;
  }
  if (FBinding == TBinding::EachEntry) {
    FComplete = true;
  } else if (!FComplete) {
    for (const TLibraryEntry& entry : FEntries) entry.Bind(nullptr);
  }
}

void TBoundLibrary::Unload()
{
  for (const TLibraryEntry& entry : FEntries) entry.Bind(nullptr);
  if (FModule) FreeLibrary(FModule);
  FModule = nullptr;
  FComplete = false;
}

TGetProcAddressFunc TBoundLibrary::SetGetProc(TGetProcAddressFunc getProc) { return std::exchange(FGetProc, getProc); }
