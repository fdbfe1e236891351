#include <cstdio>
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestUnits.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControls.h"

namespace {
// An exception that reaches the application is written out rather than shown in a message box
// nobody would close.
struct TReportToStderr : TObject {
  void Report(TObject*, const Exception& e) { std::fprintf(stderr, "exception: %s\n", e.Message().c_str()); }
} GReporter;

void InitTestApplication()
{
  Application->SetOnException(TExceptionEvent(&GReporter, &TReportToStderr::Report));
}

const TUnit* const TestApplicationUses[] = {&FormsUnit};
TUnit TestApplicationUnit{"TestApplication", TestApplicationUses, InitTestApplication, nullptr};
}  // namespace

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit, &FormsUnit,     &TestApplicationUnit, &UnitdxCore,
                                 &UnitcxClasses, &UnitdxUxTheme, &UnitcxControls};
  return units;
}
