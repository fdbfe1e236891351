#pragma once
// Desktop composition, without a load-time dependency: "dwmapi.dll" is loaded at start-up on
// Windows 6 (Vista) and later only, and its entry points are bound by name.
#include "classlib/Units.h"
#include "classlib/Win.h"
#include <dwmapi.h>

extern TUnit UnitcxDWMApi;

// The entry points bound by name, in the order they are looked up.
#define CX_DWMAPI_ENTRY_POINTS(X)                                                                   \
  X(DwmDefWindowProc) X(DwmEnableBlurBehindWindow) X(DwmEnableComposition) X(DwmEnableMMCSS)      \
  X(DwmExtendFrameIntoClientArea) X(DwmGetColorizationColor) X(DwmGetWindowAttribute)             \
  X(DwmIsCompositionEnabled) X(DwmSetWindowAttribute) X(DwmSetIconicThumbnail)                    \
  X(DwmSetIconicLivePreviewBitmap) X(DwmInvalidateIconicBitmaps)

struct TcxDwmApiEntryPoints {
#define CX_DWMAPI_DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
  CX_DWMAPI_ENTRY_POINTS(CX_DWMAPI_DECLARE_ENTRY)
#undef CX_DWMAPI_DECLARE_ENTRY
};

// The bound entries (all empty while the library is not loaded). Composition cannot be switched on
// under every system the tests run on: tests may put a function of their own into an entry and
// must put the bound one back.
extern TcxDwmApiEntryPoints cxDwmApiEntryPoints;

// Start-up and shut-down of the binding. Loading does nothing below Windows 6 (as the version flags
// of dxCore tell) or when the library is loaded already.
void LoadDwmApiLibrary();
void FreeDwmApiLibrary();

bool IsDwmApiLoaded();
// The library is loaded and DwmIsCompositionEnabled reports composition switched on.
bool IsDwmCompositionOn();
