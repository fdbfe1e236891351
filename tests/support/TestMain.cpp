// The main of every test executable: starts the executable's units, runs the tests, shuts the
// units down. Each test executable defines TestUnits() with the units its tests need.
#include <gtest/gtest.h>
#include "classlib/Units.h"
#include "tests/support/TestUnits.h"

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  TUnitsScope units(TestUnits());
  return RUN_ALL_TESTS();
}
