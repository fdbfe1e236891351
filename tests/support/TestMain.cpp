// The main of every test executable: starts the executable's units, runs the tests, shuts the
// units down. Each test executable defines TestUnits() with the units its tests need. An object
// destroyed without Free fails the test that destroyed it.
#include <gtest/gtest.h>
#include <cstdio>
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "tests/support/TestUnits.h"

namespace {
void FailOnLifetimeViolation(const TObject* obj)
{
  ADD_FAILURE() << "a class-library object at " << static_cast<const void*>(obj) << " was destroyed without Free";
}
}  // namespace

int main(int argc, char** argv)
{
  // Unbuffered, so that the log of a run that hangs and is stopped shows the test it hung in.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  testing::InitGoogleTest(&argc, argv);
  SetLifetimeViolationHandler(FailOnLifetimeViolation);
  TUnitsScope units(TestUnits());
  return RUN_ALL_TESTS();
}
