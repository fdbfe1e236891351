#include "classlib/Msimg32.h"

#include "classlib/BoundLibrary.h"

namespace {
TMsimg32Api GApi;
const TLibraryEntry Entries[] = {
  CL_LIBRARY_ENTRY(GApi.AlphaBlend, "AlphaBlend"),
  CL_LIBRARY_ENTRY(GApi.GradientFill, "GradientFill"),
  CL_LIBRARY_ENTRY(GApi.TransparentBlt, "TransparentBlt"),
};
TBoundLibrary GLibrary{"msimg32.dll", Entries};
}  // namespace

const TMsimg32Api& Msimg32()
{
  if (!GLibrary.Loaded()) GLibrary.Load();
  return GApi;
}

void UnloadMsimg32() { GLibrary.Unload(); }
