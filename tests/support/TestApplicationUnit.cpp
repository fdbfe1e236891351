#include "tests/support/TestApplicationUnit.h"

#include <cstdio>
#include "classlib/Forms.h"

namespace {
struct TReportToStderr : TObject {
  void Report(TObject*, const Exception& e) { std::fprintf(stderr, "exception: %s\n", e.Message().c_str()); }
} GReporter;

void InitTestApplication()
{
  Application->SetOnException(TExceptionEvent(&GReporter, &TReportToStderr::Report));
}

const TUnit* const TestApplicationUses[] = {&FormsUnit};
}  // namespace

TUnit TestApplicationUnit{"TestApplication", TestApplicationUses, InitTestApplication, nullptr};
