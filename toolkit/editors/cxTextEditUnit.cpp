// The text editor unit's start-up and shut-down: the properties class joins the registry of
// editor properties with its description, and leaves it again.
#include "toolkit/editors/cxTextEdit.h"

#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxFormats.h"

namespace {
// Only the first start-up registers, and only the last shut-down removes.
int GStartCount = 0;

void InitializeUnit()
{
  if (GStartCount++ > 0) return;
  GetEditPropertiesRegistry()->AddClassWithDescription(ClassRef<TcxTextEditProperties>(),
                                                       GetResStringText(&scxSEditRepositoryTextItem));
}

void FinalizeUnit()
{
  if (GStartCount == 0 || --GStartCount > 0) return;
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry())
    registry->RemoveClassEntry(ClassRef<TcxTextEditProperties>());
}

const TUnit* const Uses[] = {&UnitcxEdit, &UnitcxEditConsts, &UnitcxFormats};
}  // namespace

TUnit UnitcxTextEdit{"cxTextEdit", Uses, InitializeUnit, FinalizeUnit};
