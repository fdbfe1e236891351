#pragma once
// The editor framework's unit: edit styles, edit buttons and edit properties with the registry of
// properties classes, the view data and view info that lay out and paint an editor, the framework's
// errors, and what the unit sets up while it runs: the default edit style controller (also the
// containers' standard controller), the list of live properties, the mouse-wheel cursor of editors
// and the hint window editors measure button hints with.
#include "classlib/Controls.h"
#include "classlib/Units.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxEditButtons.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxEditInplaceList.h"
#include "toolkit/editors/cxEditProperties.h"
#include "toolkit/editors/cxEditStyles.h"
#include "toolkit/editors/cxEditViewData.h"
#include "toolkit/editors/cxEditViewInfo.h"

extern TUnit UnitcxEdit;

// Errors the user must see in editors, with a resource-string message.
CL_EXCEPTION(EcxEditError, EdxException);
// A value the editor's validation refused.
CL_EXCEPTION(EcxEditValidationError, EcxEditError);

// The screen cursor of editors scrolled by the mouse wheel.
constexpr TCursor crcxEditMouseWheel = 4101;

// Frees the registry of properties classes and the list of live properties (the unit's shut-down).
void FreeEditPropertiesRegistryAndList();
