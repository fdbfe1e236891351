#include "tests/support/TestApplicationUnit.h"

#include <cstdio>
#include "classlib/Application.h"
#include "classlib/Forms.h"

namespace {
class TReportToStderr : public TObject {
  CL_CLASS(TReportToStderr, TObject)
public:
  void Report(TObject*, const Exception& e) { std::fprintf(stderr, "exception: %s\n", e.Message().c_str()); }
};
TUnitObject<TReportToStderr> GReporter{TestApplicationUnit};

void InitTestApplication()
{
  Application->SetOnException(TExceptionEvent(GReporter.Get(), &TReportToStderr::Report));
}

const TUnit* const TestApplicationUses[] = {&FormsUnit};
}  // namespace

CL_DEFINE_CLASS(TReportToStderr);

TUnit TestApplicationUnit{"TestApplication", TestApplicationUses, InitTestApplication, nullptr};
