#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit, &FormsUnit, &TestApplicationUnit, &UnitcxLookAndFeelPainters};
  return units;
}
