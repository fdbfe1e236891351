#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit, &FormsUnit, &TestApplicationUnit};
  return units;
}
