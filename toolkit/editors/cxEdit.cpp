#include "toolkit/editors/cxEdit.h"

#include "classlib/Forms.h"
#include "toolkit/controls/cxContainerStyleController.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxEditUtils.h"

namespace {
TcxEditStyleController* NewDefaultEditStyleController() { return New<TcxEditStyleController>(nullptr); }
TUnitObject<TcxEditStyleController> GDefaultEditStyleController{UnitcxEdit, NewDefaultEditStyleController};

void InitializeUnit()
{
  if (HCURSOR cursor = LoadCursorA(cxControlsModule(), "CXEDIT_MOUSEWHEEL"))
    Screen->SetCursors(crcxEditMouseWheel, cursor);
  SetDefaultContainerStyleController(GDefaultEditStyleController.Get());
}

void FinalizeUnit()
{
  FreeEditPropertiesRegistryAndList();
  // Styles still linked to the default controller must not be linked back to it while it goes.
  SetDefaultContainerStyleController(nullptr);
  GDefaultEditStyleController.Free();
  if (Screen) Screen->SetCursors(crcxEditMouseWheel, nullptr);
}

const TUnit* const Uses[] = {&UnitcxControls, &UnitcxContainer, &UnitcxEditConsts, &UnitcxEditUtils};
}  // namespace

TUnit UnitcxEdit{"cxEdit", Uses, InitializeUnit, FinalizeUnit};

TcxEditStyleController* SharedEditStyleController() { return GDefaultEditStyleController.Peek(); }
