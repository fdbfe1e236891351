#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"
#include "toolkit/bars/dxBarExtItems.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxAccessibility.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxHint.h"
#include "toolkit/controls/cxScrollBar.h"
#include "toolkit/controls/cxStyles.h"
#include "toolkit/controls/dxFading.h"
#include "toolkit/controls/dxScreenTip.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit,  &FormsUnit,       &TestApplicationUnit, &UnitdxCore,
                                 &UnitcxClasses, &UnitdxUxTheme,   &UnitcxControls,      &UnitcxScrollBar,
                                 &UnitdxFading,  &UnitcxAccessibility, &UnitcxContainer, &UnitcxStyles,
                                 &UnitcxHint,    &UnitdxScreenTip, &UnitdxBarStrs,       &UnitdxBar,
                                 &UnitdxBarExtItems};
  return units;
}
