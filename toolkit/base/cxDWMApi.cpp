#include "toolkit/base/cxDWMApi.h"

#include "toolkit/base/dxCore.h"

namespace {
HMODULE GLibrary = nullptr;

template <class F>
void Bind(F& entry, const char* name)
{
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GLibrary, name)));
}

void InitializeUnit() { LoadDwmApiLibrary(); }
void FinalizeUnit() { FreeDwmApiLibrary(); }

const TUnit* const Uses[] = {&UnitdxCore};
}  // namespace

TUnit UnitcxDWMApi{"cxDWMApi", Uses, InitializeUnit, FinalizeUnit};

TcxDwmApiEntryPoints cxDwmApiEntryPoints;

void LoadDwmApiLibrary()
{
  if (GLibrary || !WinVistaOrLater) return;
  GLibrary = LoadLibraryA("dwmapi.dll");
  if (!GLibrary) return;
#define CX_DWMAPI_BIND_ENTRY(name) Bind(cxDwmApiEntryPoints.name, #name);
  CX_DWMAPI_ENTRY_POINTS(CX_DWMAPI_BIND_ENTRY)
#undef CX_DWMAPI_BIND_ENTRY
}

void FreeDwmApiLibrary()
{
  cxDwmApiEntryPoints = {};
  if (GLibrary) FreeLibrary(GLibrary);
  GLibrary = nullptr;
}

bool IsDwmApiLoaded() { return GLibrary != nullptr; }

bool IsDwmCompositionOn()
{
  BOOL enabled = FALSE;
  return IsDwmApiLoaded() && cxDwmApiEntryPoints.DwmIsCompositionEnabled &&
         SUCCEEDED(cxDwmApiEntryPoints.DwmIsCompositionEnabled(&enabled)) && enabled;
}
