#include "tests/support/TestUnits.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/dxCore.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&UnitdxCore, &UnitcxLibraryStrs, &UnitcxClasses, &UnitcxGeometry, &UnitcxGraphics};
  return units;
}
