#pragma once
// The shared services of the panel family in one include: drawing routines, colours and the XP
// colour scheme, frames, the blink list, the frame controller and the storage component.
//
// The unit: start-up reads the XP colour scheme and registers the frame controller and the storage
// component for stored forms; shut-down unregisters them and frees the blink list if it is still
// there.
#include "classlib/Units.h"
#include "toolkit/panels/RzCommonBlinking.h"
#include "toolkit/panels/RzCommonColors.h"
#include "toolkit/panels/RzCommonFrameController.h"
#include "toolkit/panels/RzCommonFrames.h"
#include "toolkit/panels/RzCommonGraphics.h"
#include "toolkit/panels/RzCommonRegIniFile.h"

extern TUnit UnitRzCommon;
