#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "tests/support/TestApplicationUnit.h"
#include "tests/support/TestUnits.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxScrollBar.h"
#include "toolkit/editors/cxDataConsts.h"
#include "toolkit/editors/cxDataStorage.h"
#include "toolkit/editors/cxDateUtils.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxEditUtils.h"
#include "toolkit/editors/cxFilterConsts.h"
#include "toolkit/editors/cxFilterControlUtils.h"
#include "toolkit/editors/cxFilterControlStrs.h"
#include "toolkit/editors/cxFormats.h"
#include "toolkit/editors/cxListView.h"
#include "toolkit/editors/cxMaskEdit.h"
#include "toolkit/editors/cxTextEdit.h"

std::span<TUnit* const> TestUnits()
{
  static TUnit* const units[] = {&GraphicsUnit,       &FormsUnit,          &ComCtrlsUnit,        &TestApplicationUnit,
                                 &UnitdxCore,         &UnitcxClasses,      &UnitdxUxTheme,       &UnitcxControls,
                                 &UnitcxScrollBar,    &UnitcxContainer,    &UnitcxFormats,       &UnitcxDateUtils,
                                 &UnitcxEditUtils,    &UnitcxEditConsts,   &UnitcxEdit,          &UnitcxFilterControlStrs,
                                 &UnitcxDataConsts,   &UnitcxFilterConsts, &UnitcxDataStorage,   &UnitcxFilterControlUtils,
                                 &UnitcxListView,     &UnitcxTextEdit,     &UnitcxMaskEdit};
  return units;
}
