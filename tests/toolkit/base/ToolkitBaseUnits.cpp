#include "classlib/Clipbrd.h"
#include "classlib/Forms.h"
#include "tests/support/TestUnits.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/cxDrawTextUtils.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxGDIPlusAPI.h"
#include "toolkit/base/dxGDIPlusClasses.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&FormsUnit,          &ClipbrdUnit,    &UnitdxCore,         &UnitcxLibraryStrs,
                                 &UnitcxClasses,      &UnitcxGeometry, &UnitcxGraphics,     &UnitdxHooks,
                                 &UnitdxUxTheme,      &UnitdxThemeManager, &UnitcxDWMApi,   &UnitdxOffice11,
                                 &UnitdxGDIPlusAPI,   &UnitdxGDIPlusClasses, &UnitcxGraphicsImages, &UnitcxDrawTextUtils,
                                 &UnitcxLookAndFeels, &UnitcxLookAndFeelPainters};
  return units;
}
