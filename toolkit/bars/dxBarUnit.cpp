#include "toolkit/bars/dxBarHintWindow.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarCustomizingPopup.h"

#include <utility>
#include "classlib/Application.h"
#include "classlib/BoundLibrary.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Lists.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/controls/cxAccessibility.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsControllers.h"
#include "toolkit/controls/dxFading.h"

TdxPlaySoundFunc dxPlaySoundA = nullptr;
TdxUpdateLayeredWindowFunc dxUpdateLayeredWindow = UpdateLayeredWindow;

namespace {
const TLibraryEntry WinmmEntries[] = {CL_LIBRARY_ENTRY(dxPlaySoundA, "PlaySoundA")};
TBoundLibrary GWinmm{"winmm.dll", WinmmEntries};

TUnitObject<TdxBarDesignController> GDesignController{UnitdxBar};
TUnitObject<TdxBarItemList> GItemClassRegistry{UnitdxBar};
TUnitObject<TdxBarNavigationController> GNavigationController{UnitdxBar};
TUnitObject<TList> GLiveBarControls{UnitdxBar};
TCustomdxBarControl* GActiveBarControl = nullptr;
TBrushHandle GCheckerBrush;
int GScreenColorDepth = 0;
TInitProc GSavedInitProc = nullptr;
bool GChainedInitProc = false;

struct TCursorEntry {
  TCursor Number;
  const char* ResourceName;
};
constexpr TCursorEntry Cursors[] = {
  {crdxBarDrag, "DXBARDRAGCURSOR"},
  {crdxBarDragCopy, "DXBARDRAGCOPYCURSOR"},
  {crdxBarDragNoDrop, "DXBARDRAGNODROPCURSOR"},
  {crdxBarEditSizing, "DXBAREDITSIZINGCURSOR"},
};

// What an item or the application start plays: the system sound aliases of menus.
constexpr const char* MenuSounds[] = {"MenuPopup", "MenuCommand", nullptr};

void InstallCursors()
{
  if (!Screen) return;
  const HMODULE module = cxControlsModule();
  for (const TCursorEntry& entry : Cursors)
    if (HCURSOR cursor = LoadCursorA(module, entry.ResourceName)) Screen->SetCursors(entry.Number, cursor);
}

void RemoveCursors()
{
  if (!Screen) return;
  for (const TCursorEntry& entry : Cursors) Screen->SetCursors(entry.Number, nullptr);
}

// Runs the procedure found when the unit started, then plays the empty entry of the menu sounds.
void BarsInitProc()
{
  if (GSavedInitProc) GSavedInitProc();
  PlayMenuCommandSound();
}

// The classes of the bar system that stored forms name (items join with their registered pairs).
const TClass StreamedClasses[] = {TdxBarManager::StaticClass(), TdxBar::StaticClass(), TdxBarGroup::StaticClass(),
                                  TdxBarPopupMenu::StaticClass(), TdxBarDockControl::StaticClass(),
                                  TdxBarScreenTip::StaticClass()};

// The item classes paired with their controls at start-up, in the registry's order; offered in the
// add-item lists.
void RegisterBuiltInItemClasses(TdxBarItemList* registry)
{
  registry->Add(ClassRef<TdxBarButton>(), ClassRef<TdxBarButtonControl>(), true);
  registry->Add(ClassRef<TdxBarLargeButton>(), ClassRef<TdxBarLargeButtonControl>(), true);
}

// In this order: the bar classes that stored forms name join the class registry; PlaySoundA is
// bound; the display's constants and the checker brush; the live list and the navigation
// controller; the item-class registry with the built-in pairs (as their classes are built); the
// design controller; the manager list; the cursors; the menu sound behind InitProc.
void InitializeUnit()
{
  RegisterClasses(StreamedClasses);
  GWinmm.Load();
  RefreshDeviceConsts();
  CreateCheckerBrush();
  GLiveBarControls.Get();
  GNavigationController.Get();
  RegisterBuiltInItemClasses(GItemClassRegistry.Get());
  RegisterEditItemClasses();
  if (TdxBarDesignController* controller = GDesignController.Get()) RegisterStandardDesignHelpers(controller);
  CreateBarManagerList();
  InstallCursors();
  if (!cxIsLibrary()) {
    GSavedInitProc = std::exchange(InitProc, BarsInitProc);
    GChainedInitProc = true;
  }
}

void FinalizeUnit()
{
  if (GChainedInitProc) {
    InitProc = std::exchange(GSavedInitProc, nullptr);
    GChainedInitProc = false;
  }
  FreeBarManagerList();
  GNavigationController.Free();
  GLiveBarControls.Free();
  GActiveBarControl = nullptr;
  GItemClassRegistry.Free();
  GDesignController.Free();
  // What other parts of the unit made on first use (the shared painters) goes before the brush.
  FinalizeUnitObjects(UnitdxBar);
  GCheckerBrush.Reset();
  RemoveCursors();
  GWinmm.Unload();
  for (TClass c : StreamedClasses) UnRegisterClass(c);
}

const TUnit* const Uses[] = {&FormsUnit,          &UnitdxCore,          &UnitdxHooks,         &UnitdxThemeManager,
                             &UnitdxOffice11,     &UnitcxLookAndFeels,  &UnitcxControls,      &UnitcxAccessibility,
                             &UnitdxBarStrs};
}  // namespace

TUnit UnitdxBar{"dxBar", Uses, InitializeUnit, FinalizeUnit};

TdxBarDesignController* GetDesignController() { return GDesignController.Get(); }
TdxBarItemList* GetItemClassRegistry() { return GItemClassRegistry.Get(); }

void RegisterBarItemClass(TdxBarItemClass itemClass, TdxBarItemControlClass controlClass, bool visible)
{
  if (TdxBarItemList* registry = GetItemClassRegistry()) registry->Add(itemClass, controlClass, visible);
}

void UnregisterBarItemClass(TdxBarItemClass itemClass)
{
  if (TdxBarItemList* registry = GItemClassRegistry.Peek()) registry->Remove(itemClass);
}

TdxBarNavigationController* GetNavigationController() { return GNavigationController.Peek(); }

void AddLiveBarControl(TCustomdxBarControl* control)
{
  if (TList* list = GLiveBarControls.Peek()) list->Add(control);
}

void RemoveLiveBarControl(TCustomdxBarControl* control)
{
  if (TList* list = GLiveBarControls.Peek()) list->Remove(control);
}

bool IsBarControlAlive(TCustomdxBarControl* control)
{
  TList* list = GLiveBarControls.Peek();
  return control && list && list->IndexOf(control) >= 0;
}

TCustomdxBarControl* GetActiveBarControl() { return GActiveBarControl; }
void SetActiveBarControl(TCustomdxBarControl* control) { GActiveBarControl = control; }

void CreateCheckerBrush()
{
  if (UnitdxBar.Finalized()) return;
  TBitmapHandle bitmap;
  {
    TScreenDC screen;
    TDCHandle dc(CreateCompatibleDC(screen));
    bitmap.Reset(CreateCompatibleBitmap(screen, 8, 8));
    TSelectObject select(dc.Get(), bitmap.Get());
    const COLORREF highlight = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) SetPixel(dc.Get(), x, y, (x + y) % 2 == 0 ? face : highlight);
  }
  GCheckerBrush.Reset(CreatePatternBrush(bitmap.Get()));
}

HBRUSH GetCheckerBrush() { return GCheckerBrush.Get(); }

void ReadScreenColorDepth() { GScreenColorDepth = dxGetScreenColorDepth(); }
int GetScreenColorDepth() { return GScreenColorDepth; }
void RefreshDeviceConsts() { ReadScreenColorDepth(); }

void PlayMenuSound(TdxMenuSound sound)
{
  constexpr DWORD Flags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
  if (dxPlaySoundA) dxPlaySoundA(MenuSounds[static_cast<int>(sound)], nullptr, Flags);
}

void PlayMenuCommandSound() { PlayMenuSound(TdxMenuSound::msNone); }
