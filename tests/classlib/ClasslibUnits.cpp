#include <cstdio>
#include "classlib/ActnList.h"
#include "classlib/Clipbrd.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FileDialogs.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "tests/support/TestUnits.h"

namespace {
// In the test executable an exception that reaches the application is written out rather than
// shown in a message box nobody would close; tests that look at OnException set their own.
struct TReportToStderr : TObject {
  void Report(TObject*, const Exception& e) { std::fprintf(stderr, "exception: %s\n", e.Message().c_str()); }
} GReporter;

void InitTestApplication() { Application->SetOnException(TExceptionEvent(&GReporter, &TReportToStderr::Report)); }

const TUnit* const TestApplicationUses[] = {&FormsUnit};
TUnit TestApplicationUnit{"TestApplication", TestApplicationUses, InitTestApplication, nullptr};
TUnit* const Units[] = {&GraphicsUnit, &FormsUnit,    &ClipbrdUnit,  &ActnListUnit,    &MenusUnit,
                        &StdCtrlsUnit, &ExtCtrlsUnit, &ComCtrlsUnit, &FileDialogsUnit, &TestApplicationUnit};
}  // namespace

std::span<TUnit* const> TestUnits() { return Units; }
