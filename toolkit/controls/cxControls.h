#pragma once
// The control framework's unit: its private window messages, the toolkit's cursors, and the
// process-wide objects of the unit. Each object is made on first use; once the unit's shut-down has
// begun the accessors answer nullptr and make nothing.
//
// Start-up installs the cursors into Screen's cursor table, registers the unit's two window
// messages and makes the system controller. Shut-down frees the system controller, the
// mouse-tracking timers still running (a programming error, reported through cxDebugAssert), the
// settings controller, the shared message window and the window-procedure controller, and takes
// the cursors out of the table again.
#include <span>
#include "classlib/Controls.h"
#include "classlib/Units.h"
#include "toolkit/base/cxControlsMessageWindow.h"

class TcxObjectList;
class TcxSettingsController;
class TcxSystemController;
class TcxWindowProcController;

extern TUnit UnitcxControls;

// --- Private window messages ---

constexpr UINT WM_DX = WM_APP + 100;
// A control checks the sizes of its painted scroll bars (posted to itself after WM_NCCALCSIZE, sent
// by the settings controller when the non-client metrics change).
constexpr UINT DXM_NCSIZECHANGED = WM_DX + 1;  // 0x8065
// The system controller runs the calls that worker threads handed to the GUI thread.
constexpr UINT DXM_SYNCHRONIZETHREADS = WM_DX + 2;  // 0x8066

// The two messages registered at start-up: the first is answered with 1 by the hidden form that
// parks the controls of extended bar items; nothing sends the second. 0 before start-up.
UINT cxParkingFormQueryMessage();
UINT cxReservedControlMessage();

// --- Cursors ---

// The toolkit's cursors in Screen's cursor table.
constexpr TCursor crcxDragCopy = 2100;
constexpr TCursor crcxFullScroll = 2101;
constexpr TCursor crcxHorScroll = 2102;
constexpr TCursor crcxVerScroll = 2103;
constexpr TCursor crcxUpScroll = 2104;
constexpr TCursor crcxRightScroll = 2105;
constexpr TCursor crcxDownScroll = 2106;
constexpr TCursor crcxLeftScroll = 2107;
constexpr TCursor crcxRemove = 2108;
constexpr TCursor crcxVertSize = 2109;
constexpr TCursor crcxHorzSize = 2110;
constexpr TCursor crcxMultiDrag = 2111;
constexpr TCursor crcxNoDrop = 2112;
constexpr TCursor crcxDrag = 2113;
constexpr TCursor crcxHandPoint = -2099;  // the system's hand cursor
constexpr TCursor crcxColorPicker = 2114;
constexpr TCursor crcxMultiDragCopy = 2115;

struct TcxCursorEntry {
  TCursor Number;
  const char* ResourceName;  // nullptr: the system's cursor of number SystemCursor (IDC_*)
  WORD SystemCursor;
};
// The table the start-up installs, in order.
std::span<const TcxCursorEntry> cxCursorTable();

// The module that holds the toolkit's code and resources (the executable, or the library module
// the toolkit is linked into).
HMODULE cxControlsModule();

// --- Process-wide objects ---

// A plain shared message window.
TcxMessageWindow* GetMessageWindow();
TcxWindowProcController* GetWindowProcController();
TcxSettingsController* GetSettingsController();
// The running mouse-tracking timers (TMouseTrackingTimer), owned by the list.
TcxObjectList* GetMouseTrackingTimerList();
// Made at start-up.
TcxSystemController* GetSystemController();

// --- Debug assertions ---

// Reports a programming error found where raising would do harm (during shut-down): the condition
// false sends the message to the handler. The default handler writes it to the debugger output and
// to standard error; tests put another one here.
using TcxDebugAssertHandler = void (*)(const char* message);
extern TcxDebugAssertHandler cxDebugAssertHandler;
void cxDebugAssert(bool condition, const char* message);
