#include "toolkit/base/cxDWMApi.h"

#include "classlib/BoundLibrary.h"
#include "toolkit/base/dxCore.h"

TcxDwmApiEntryPoints cxDwmApiEntryPoints;

namespace {
#define CX_DWMAPI_LIBRARY_ENTRY(name) CL_LIBRARY_ENTRY(cxDwmApiEntryPoints.name, #name),
const TLibraryEntry Entries[] = {CX_DWMAPI_ENTRY_POINTS(CX_DWMAPI_LIBRARY_ENTRY)};
#undef CX_DWMAPI_LIBRARY_ENTRY

TBoundLibrary GLibrary{"dwmapi.dll", Entries};

void InitializeUnit() { LoadDwmApiLibrary(); }
void FinalizeUnit() { FreeDwmApiLibrary(); }

const TUnit* const Uses[] = {&UnitdxCore};
}  // namespace

TUnit UnitcxDWMApi{"cxDWMApi", Uses, InitializeUnit, FinalizeUnit};

void LoadDwmApiLibrary()
{
  if (GLibrary.Loaded() || !WinVistaOrLater) return;
  GLibrary.Load();
}

void FreeDwmApiLibrary()
{
  GLibrary.Unload();
  // Entries a test put in place go too.
  cxDwmApiEntryPoints = {};
}

bool IsDwmApiLoaded() { return GLibrary.Loaded(); }

bool IsDwmCompositionOn()
{
  BOOL enabled = FALSE;
  return IsDwmApiLoaded() && cxDwmApiEntryPoints.DwmIsCompositionEnabled &&
         SUCCEEDED(cxDwmApiEntryPoints.DwmIsCompositionEnabled(&enabled)) && enabled;
}
