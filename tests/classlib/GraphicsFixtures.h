#pragma once
// Test equipment of the graphics tests: the DIB surface whose pixels the tests read straight from
// memory, and a few colour helpers.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include "classlib/Win.h"
#include "tests/support/DibSurface.h"

inline std::string Hex(COLORREF c)
{
  char s[16];
  std::snprintf(s, sizeof(s), "%06lX", static_cast<unsigned long>(c));
  return s;
}
