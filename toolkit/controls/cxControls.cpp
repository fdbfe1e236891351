#include "toolkit/controls/cxControls.h"

#include <cstdio>
#include <string>
#include "classlib/Forms.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesLists.h"
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

TOwned<TcxSystemController> GSystemController;
TOwned<TcxMessageWindow> GMessageWindow;
TOwned<TcxWindowProcController> GWindowProcController;
TOwned<TcxSettingsController> GSettingsController;
TOwned<TcxObjectList> GMouseTrackingTimerList;

bool ShuttingDown() { return UnitcxControls.Finalized(); }

// The module that holds the toolkit's code and resources.
HMODULE CodeModule()
{
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&CodeModule), &module);
  return module;
}

void InstallCursors()
{
  HMODULE module = CodeModule();
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
  GSystemController = MakeOwned<TcxSystemController>();
}

void FinalizeUnit()
{
  GSystemController.reset();
  if (GMouseTrackingTimerList) {
    // Tracking left running is a programming error; raising here would break the rest of the
    // shut-down, so the timers are freed and the error reported.
    cxDebugAssert(GMouseTrackingTimerList->Count() == 0, "MouseTrackingTimerList.Count <> 0");
    GMouseTrackingTimerList.reset();
  }
  GSettingsController.reset();
  GMessageWindow.reset();
  GWindowProcController.reset();
  RemoveCursors();
}

const TUnit* const Uses[] = {&FormsUnit, &UnitdxUxTheme, &UnitcxClasses};
}  // namespace

TUnit UnitcxControls{"cxControls", Uses, InitializeUnit, FinalizeUnit};

UINT cxParkingFormQueryMessage() { return GParkingFormQueryMessage; }
UINT cxReservedControlMessage() { return GReservedControlMessage; }

std::span<const TcxCursorEntry> cxCursorTable() { return CursorTable; }

TcxMessageWindow* GetMessageWindow()
{
  if (!GMessageWindow && !ShuttingDown()) GMessageWindow = MakeOwned<TcxMessageWindow>();
  return GMessageWindow.get();
}

TcxWindowProcController* GetWindowProcController()
{
  if (!GWindowProcController && !ShuttingDown()) GWindowProcController = MakeOwned<TcxWindowProcController>();
  return GWindowProcController.get();
}

TcxSettingsController* GetSettingsController()
{
  if (!GSettingsController && !ShuttingDown()) GSettingsController = MakeOwned<TcxSettingsController>();
  return GSettingsController.get();
}

TcxObjectList* GetMouseTrackingTimerList()
{
  if (!GMouseTrackingTimerList && !ShuttingDown()) GMouseTrackingTimerList = MakeOwned<TcxObjectList>();
  return GMouseTrackingTimerList.get();
}

TcxSystemController* GetSystemController() { return GSystemController.get(); }

TcxDebugAssertHandler cxDebugAssertHandler = DefaultDebugAssertHandler;

void cxDebugAssert(bool condition, const char* message)
{
  if (!condition && cxDebugAssertHandler) cxDebugAssertHandler(message);
}
