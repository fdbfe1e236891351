#pragma once
#include <span>
#include "classlib/Units.h"

// The units a test executable starts before its tests, in order; defined by each executable.
std::span<TUnit* const> TestUnits();
