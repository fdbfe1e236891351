#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "app/Umain.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"

namespace {
TUnit* const Units[] = {&GraphicsUnit, &FormsUnit, &UmainUnit, &TestApplicationUnit};
}  // namespace

std::span<TUnit* const> TestUnits() { return Units; }
