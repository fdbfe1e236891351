#include "toolkit/panels/RzCommon.h"

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
void InitializeUnit()
{
  UpdateXPColorScheme();
  RegisterClass(TRzFrameController::StaticClass());
  RegisterClass(TRzRegIniFile::StaticClass());
}

void FinalizeUnit()
{
  UnRegisterClass(TRzRegIniFile::StaticClass());
  UnRegisterClass(TRzFrameController::StaticClass());
}

const TUnit* const Uses[] = {&GraphicsUnit, &ExtCtrlsUnit, &FormsUnit, &UnitdxUxTheme};
}  // namespace

TUnit UnitRzCommon{"RzCommon", Uses, InitializeUnit, FinalizeUnit};
