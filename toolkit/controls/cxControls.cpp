#include "toolkit/controls/cxControls.h"

#include <cstdio>
#include <string>
#include "classlib/Forms.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesLists.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControlsControllers.h"
#include "toolkit/controls/cxControlsMouseTracking.h"
#include "toolkit/controls/cxControlsWindowProc.h"

namespace {
constexpr TcxCursorEntry CursorTable[] = {
  {crcxDragCopy, "CX_DRAGCOPYCURSOR", 0},
  {crcxFullScroll, "CX_FULLSCROLLCURSOR", 0},
  {crcxHorScroll, "CX_HORSCROLLCURSOR", 0},
  {crcxVerScroll, "CX_VERSCROLLCURSOR", 0},
  {crcxUpScroll, "CX_UPSCROLLCURSOR", 0},
  {crcxRightScroll, "CX_RIGHTSCROLLCURSOR", 0},
  {crcxDownScroll, "CX_DOWNSCROLLCURSOR", 0},
  {crcxLeftScroll, "CX_LEFTSCROLLCURSOR", 0},
  {crcxRemove, "CX_REMOVECURSOR", 0},
  {crcxVertSize, "CX_VERTSIZECURSOR", 0},
  {crcxHorzSize, "CX_HORZSIZECURSOR", 0},
  {crcxMultiDrag, "CX_MULTIDRAGCURSOR", 0},
  {crcxNoDrop, "CX_NODROPCURSOR", 0},
  {crcxDrag, "CX_DRAGCURSOR", 0},
  {crcxHandPoint, nullptr, 32649},  // IDC_HAND
  {crcxColorPicker, "CX_COLORPICKERCURSOR", 0},
  {crcxMultiDragCopy, "CX_MULTIDRAGCOPYCURSOR", 0},
};

UINT GParkingFormQueryMessage = 0;
UINT GReservedControlMessage = 0;

TUnitObject<TcxSystemController> GSystemController{UnitcxControls};
TUnitObject<TcxMessageWindow> GMessageWindow{UnitcxControls};
TUnitObject<TcxWindowProcController> GWindowProcController{UnitcxControls};
TUnitObject<TcxSettingsController> GSettingsController{UnitcxControls};
TUnitObject<TcxObjectList> GMouseTrackingTimerList{UnitcxControls};

void InstallCursors()
{
  HMODULE module = cxControlsModule();
  for (const TcxCursorEntry& entry : CursorTable) {
    HCURSOR cursor = entry.ResourceName ? LoadCursorA(module, entry.ResourceName)
                                        : LoadCursorA(nullptr, MAKEINTRESOURCEA(entry.SystemCursor));
    if (cursor) Screen->SetCursors(entry.Number, cursor);
  }
}

void RemoveCursors()
{
  if (!Screen) return;
  for (const TcxCursorEntry& entry : CursorTable) Screen->SetCursors(entry.Number, nullptr);
}

void DefaultDebugAssertHandler(const char* message)
{
  std::string text = std::string("Assertion failed: ") + message;
  OutputDebugStringA(text.c_str());
  std::fprintf(stderr, "%s\n", text.c_str());
}

void InitializeUnit()
{
  InstallCursors();
  GParkingFormQueryMessage = RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}");
  GReservedControlMessage = RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}");
  GSystemController.Get();
}

void FinalizeUnit()
{
  GSystemController.Free();
  if (TcxObjectList* list = GMouseTrackingTimerList.Peek()) {
    // Tracking left running is a programming error; raising here would break the rest of the
    // shut-down, so the timers are freed and the error reported.
    cxDebugAssert(list->Count() == 0, "MouseTrackingTimerList.Count <> 0");
    GMouseTrackingTimerList.Free();
  }
  GSettingsController.Free();
  GMessageWindow.Free();
  GWindowProcController.Free();
  RemoveCursors();
}

const TUnit* const Uses[] = {&FormsUnit, &UnitdxUxTheme, &UnitcxDWMApi, &UnitcxClasses, &UnitcxLookAndFeels,
                             &UnitcxLookAndFeelPainters};
}  // namespace

TUnit UnitcxControls{"cxControls", Uses, InitializeUnit, FinalizeUnit};

UINT cxParkingFormQueryMessage() { return GParkingFormQueryMessage; }
UINT cxReservedControlMessage() { return GReservedControlMessage; }

std::span<const TcxCursorEntry> cxCursorTable() { return CursorTable; }

HMODULE cxControlsModule()
{
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&cxControlsModule), &module);
  return module;
}

TcxMessageWindow* GetMessageWindow() { return GMessageWindow.Get(); }
TcxWindowProcController* GetWindowProcController() { return GWindowProcController.Get(); }
TcxSettingsController* GetSettingsController() { return GSettingsController.Get(); }
TcxObjectList* GetMouseTrackingTimerList() { return GMouseTrackingTimerList.Get(); }
TcxSystemController* GetSystemController() { return GSystemController.Peek(); }

TcxDebugAssertHandler cxDebugAssertHandler = DefaultDebugAssertHandler;

void cxDebugAssert(bool condition, const char* message)
{
  if (!condition && cxDebugAssertHandler) cxDebugAssertHandler(message);
}
