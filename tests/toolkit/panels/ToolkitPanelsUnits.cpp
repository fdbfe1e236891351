#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/panels/RzCommon.h"
#include "toolkit/panels/RzStatus.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit, &FormsUnit, &ExtCtrlsUnit, &TestApplicationUnit, &UnitdxUxTheme,
                                 &UnitRzCommon, &UnitRzStatus};
  return units;
}
