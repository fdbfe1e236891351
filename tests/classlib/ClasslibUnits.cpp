#include "classlib/Graphics.h"
#include "tests/support/TestUnits.h"

namespace {
TUnit* const Units[] = {&GraphicsUnit};
}

std::span<TUnit* const> TestUnits() { return Units; }
