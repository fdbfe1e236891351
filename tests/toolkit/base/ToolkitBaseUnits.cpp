#include "tests/support/TestUnits.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxGDIPlusAPI.h"
#include "toolkit/base/dxGDIPlusClasses.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&UnitdxCore,       &UnitcxLibraryStrs,    &UnitcxClasses,
                                 &UnitcxGeometry,   &UnitdxGDIPlusAPI,     &UnitdxGDIPlusClasses};
  return units;
}
