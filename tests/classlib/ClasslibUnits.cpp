#include "classlib/ActnList.h"
#include "classlib/Clipbrd.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FileDialogs.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"

namespace {
TUnit* const Units[] = {&GraphicsUnit, &FormsUnit,    &ClipbrdUnit,  &ActnListUnit,    &MenusUnit,
                        &StdCtrlsUnit, &ExtCtrlsUnit, &ComCtrlsUnit, &FileDialogsUnit, &TestApplicationUnit};
}  // namespace

std::span<TUnit* const> TestUnits() { return Units; }
