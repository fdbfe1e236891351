#pragma once
// The bar unit: the process-wide objects of the bar system, made by its start-up or on first use
// and freed by its shut-down. Once the shut-down has begun the lazy accessors make nothing and
// answer what they hold (nullptr after it is freed).
//
// Start-up: the checker brush and the screen's colour depth, the list of live bar controls and the
// navigation controller, the item-class registry, the design controller, the customizing cursors
// (crdxBarDrag ... crdxBarEditSizing) and, in an executable, the menu-sound procedure chained onto
// InitProc. PlaySoundA is bound by name from winmm.dll; user32's layered-window functions are
// linked and reached through seams (cxSetLayeredWindowAttributes, cxAnimateWindow and
// dxUpdateLayeredWindow), so they are always available.
#include "classlib/Controls.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/bars/dxBarItemList.h"

extern TUnit UnitdxBar;

class TCustomdxBarControl;
class TdxBarDesignController;
class TdxBarNavigationController;

// The customizing cursors, installed in the screen's cursor list while the unit runs.
constexpr TCursor crdxBarDrag = 1041;
constexpr TCursor crdxBarDragCopy = 1042;
constexpr TCursor crdxBarDragNoDrop = 1043;
constexpr TCursor crdxBarEditSizing = 1044;

// Made on first use.
TdxBarDesignController* GetDesignController();
TdxBarItemList* GetItemClassRegistry();
// Add and Remove on the process-wide registry (nothing once it is gone).
void RegisterBarItemClass(TdxBarItemClass itemClass, TdxBarItemControlClass controlClass, bool visible);
void UnregisterBarItemClass(TdxBarItemClass itemClass);

// Made by the start-up; nullptr outside the unit's run.
TdxBarNavigationController* GetNavigationController();

// The bar controls that exist: each joins in its constructor and leaves in its destructor, so
// that callers can tell after a call whether a control survived it.
void AddLiveBarControl(TCustomdxBarControl* control);
void RemoveLiveBarControl(TCustomdxBarControl* control);
bool IsBarControlAlive(TCustomdxBarControl* control);
// The toolbar or menu that has the keyboard and mouse focus of the bar system; set by the bar
// controls only.
TCustomdxBarControl* GetActiveBarControl();
void SetActiveBarControl(TCustomdxBarControl* control);

// The 8 x 8 checker brush of selected items: button-highlight pixels with button-face pixels where
// x and y are both even or both odd. CreateCheckerBrush makes it again (after a system colour
// change); nothing once the shut-down has begun.
void CreateCheckerBrush();
HBRUSH GetCheckerBrush();

// The screen's colour depth in bits per pixel as last read (through dxGetScreenColorDepth).
void ReadScreenColorDepth();
int GetScreenColorDepth();
// Reads again what depends on the display: the colour depth.
void RefreshDeviceConsts();

// The system sounds of menus: a menu window opens, an item runs from a menu, or none (which stops a
// playing sound).
enum class TdxMenuSound { msMenuPopup, msMenuCommand, msNone };
// Plays the sound asynchronously through the bound PlaySoundA; nothing without winmm.
void PlayMenuSound(TdxMenuSound sound);
// PlayMenuSound with msNone, which the unit chains behind the application's InitProc.
void PlayMenuCommandSound();

// PlaySoundA, bound from winmm.dll by the start-up (nullptr without it); tests record calls here.
using TdxPlaySoundFunc = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
extern TdxPlaySoundFunc dxPlaySoundA;
// UpdateLayeredWindow; tests empty it to cover its absence.
using TdxUpdateLayeredWindowFunc = BOOL(WINAPI*)(HWND wnd, HDC dcDst, POINT* ptDst, SIZE* size, HDC dcSrc,
                                                  POINT* ptSrc, COLORREF key, BLENDFUNCTION* blend, DWORD flags);
extern TdxUpdateLayeredWindowFunc dxUpdateLayeredWindow;
