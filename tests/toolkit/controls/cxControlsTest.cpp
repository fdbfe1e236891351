// The control framework's unit: its cursors and messages, the settings and system controllers,
// and a shut-down that finds mouse tracking still running.
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <vector>
#include "classlib/Thread.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxClassesLists.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsControllers.h"
#include "toolkit/controls/cxControlsMouseTracking.h"
#include "toolkit/controls/cxControlsWindowProc.h"

using namespace controls_test;

TEST(ControlsUnit, PrivateMessagesAndRegisteredMessages)
{
  EXPECT_EQ(DXM_NCSIZECHANGED, 0x8065u);
  EXPECT_EQ(DXM_SYNCHRONIZETHREADS, 0x8066u);
  EXPECT_EQ(cxParkingFormQueryMessage(), RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
  EXPECT_EQ(cxReservedControlMessage(), RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}"));
  EXPECT_NE(cxParkingFormQueryMessage(), 0u);
  EXPECT_NE(cxParkingFormQueryMessage(), cxReservedControlMessage());
}

TEST(ControlsUnit, EveryCursorOfTheTableLoadsByNameAndSitsInTheScreensTable)
{
  auto table = cxCursorTable();
  ASSERT_EQ(table.size(), 17u);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  std::vector<TCursor> numbers;
  for (const TcxCursorEntry& entry : table) {
    SCOPED_TRACE(entry.ResourceName ? entry.ResourceName : "IDC_HAND");
    numbers.push_back(entry.Number);
    HCURSOR installed = Screen->Cursors(entry.Number);
    EXPECT_NE(installed, nullptr);
    EXPECT_NE(installed, arrow);
    if (!entry.ResourceName) {
      EXPECT_EQ(entry.Number, crcxHandPoint);
      EXPECT_EQ(installed, LoadCursorA(nullptr, IDC_HAND));
      continue;
    }
    // The resource is findable by its name, and is a 32 x 32 cursor.
    HCURSOR loaded = LoadCursorA(GetModuleHandleA(nullptr), entry.ResourceName);
    ASSERT_NE(loaded, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(loaded, &info));
    EXPECT_FALSE(info.fIcon);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  EXPECT_EQ(numbers, (std::vector<TCursor>{2100, 2101, 2102, 2103, 2104, 2105, 2106, 2107, 2108, 2109, 2110,
                                           2111, 2112, 2113, -2099, 2114, 2115}));
}

TEST(ControlsUnit, CursorsKeepTheirHotSpots)
{
  struct TCase {
    const char* Name;
    DWORD X, Y;
  } cases[] = {
    {"CX_DRAGCOPYCURSOR", 0, 0}, {"CX_FULLSCROLLCURSOR", 15, 15}, {"CX_NODROPCURSOR", 15, 15},
    {"CX_COLORPICKERCURSOR", 1, 30}, {"CX_MULTIDRAGCOPYCURSOR", 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(GetModuleHandleA(nullptr), c.Name), &info));
    EXPECT_EQ(info.xHotspot, c.X);
    EXPECT_EQ(info.yHotspot, c.Y);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(ControlsUnit, CursorPixelsFollowTheirSource)
{
  // The drag-copy cursor drawn on white and on black: its arrow tip is black, the inside of the
  // arrow white, and the far corner lets the background through.
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), "CX_DRAGCOPYCURSOR");
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
    RECT all{0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 3), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 31, 0), background);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(ControlsUnit, SharedObjectsAreMadeOnceOnFirstUse)
{
  TcxMessageWindow* window = GetMessageWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetMessageWindow(), window);
  EXPECT_TRUE(IsWindow(window->Handle()));
  EXPECT_EQ(GetWindowProcController(), GetWindowProcController());
  EXPECT_EQ(GetSettingsController(), GetSettingsController());
  EXPECT_EQ(GetMouseTrackingTimerList(), GetMouseTrackingTimerList());
  ASSERT_NE(GetSystemController(), nullptr);
  // This is an executable: the system controller leaves the class library's wake-up alone.
  EXPECT_FALSE(GetSystemController()->HookInstalled());
  EXPECT_FALSE(cxIsCodeInLibrary());
}

TEST(SettingsController, TellsRegisteredControlsOfNewNonClientMetrics)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* shown = New<TRecordingControl>(form);
  shown->SetParent(form);
  auto* windowless = New<TRecordingControl>(form);  // never gets a window
  form->Show();
  auto controller = MakeOwned<TcxSettingsController>();
  EXPECT_EQ(controller->Handle(), nullptr);
  controller->AddListener(shown);
  controller->AddListener(shown);
  controller->AddListener(windowless);
  EXPECT_EQ(controller->ListenerCount(), 2);
  HWND listening = controller->Handle();
  ASSERT_NE(listening, nullptr);
  // A top-level window, so that it hears the broadcast.
  EXPECT_EQ(GetParent(listening), nullptr);
  EXPECT_FALSE(IsWindowVisible(listening));

  EXPECT_EQ(SendMessageA(listening, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0), 0);
  Pump(10);
  EXPECT_EQ(shown->Count(DXM_NCSIZECHANGED), 0);
  BroadcastToOwnWindows(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS);
  ASSERT_TRUE(PumpUntil([&] { return shown->Count(DXM_NCSIZECHANGED) > 0; }));
  EXPECT_EQ(shown->Count(DXM_NCSIZECHANGED), 1);
  EXPECT_FALSE(windowless->HandleAllocated());

  // A listener that is freed leaves the list by itself; the last one takes the window along.
  Free(windowless);
  EXPECT_EQ(controller->ListenerCount(), 1);
  controller->RemoveListener(shown);
  EXPECT_EQ(controller->Handle(), nullptr);
  EXPECT_FALSE(IsWindow(listening));
}

namespace {
std::atomic<int> GWakeUps{0};
void CountingWakeUp() { ++GWakeUps; }
bool PretendLibrary() { return true; }

class TQueueingThread : public TThread {
public:
  TQueueingThread() : TThread(true) {}
  std::atomic<bool> Ran{false};

protected:
  void Execute() override
  {
    Queue([this] { Ran = true; });
  }
};
}  // namespace

TEST(SystemController, InALibraryModuleRunsWorkerCallsFromItsOwnWindow)
{
  TWakeMainThread saved = SetWakeMainThread(&CountingWakeUp);
  TcxSystemController* controller = nullptr;
  {
    TScopedSeam<TcxIsLibraryFunc> library(cxIsLibrary, PretendLibrary);
    controller = New<TcxSystemController>();
  }
  EXPECT_TRUE(controller->HookInstalled());

  // A worker's call wakes the controller's window, whose message runs it (the pump here runs no
  // synchronized calls itself); the saved hook is not called any more.
  GWakeUps = 0;
  auto* thread = New<TQueueingThread>();
  thread->Start();
  ASSERT_TRUE(PumpUntil([&] { return thread->Ran.load(); }));
  EXPECT_EQ(GWakeUps, 0);
  thread->WaitFor();
  Free(thread);

  // Freed, it gives the hook back.
  Free(controller);
  EXPECT_EQ(SetWakeMainThread(saved), &CountingWakeUp);
}

namespace {
std::vector<std::string> GAssertions;
void RecordAssertion(const char* message) { GAssertions.push_back(message); }

// Runs the unit's shut-down and start-up by hand, checking what holds in between.
void RestartControlsUnit(const std::function<void()>& whileDown)
{
  UnitcxControls.State = TUnit::TState::Finishing;
  UnitcxControls.Finalize();
  UnitcxControls.State = TUnit::TState::Finished;
  whileDown();
  UnitcxControls.State = TUnit::TState::Starting;
  UnitcxControls.Initialize();
  UnitcxControls.State = TUnit::TState::Running;
}

struct TQuietCaller : IcxMouseTrackingCaller {
  void MouseLeave() override {}
};
}  // namespace

TEST(ControlsUnit, ShutDownWithTrackingLeftRunningFreesItAndReportsWithoutRaising)
{
  TQuietCaller caller;
  StartMouseTracking(nullptr, RECT{-100000, -100000, 100000, 100000}, &caller);
  ASSERT_TRUE(IsMouseTracked(&caller));
  TcxWindowProcLinkedObject* link = nullptr;
  HWND raw = GetMessageWindow()->Handle();
  link = GetWindowProcController()->AddHandleWindowProc(
      raw, [&](TMessage& msg) { CallPreviousWindowProc(link, msg); });

  GAssertions.clear();
  TScopedSeam<TcxDebugAssertHandler> assertions(cxDebugAssertHandler, RecordAssertion);
  EXPECT_NO_THROW(RestartControlsUnit([&] {
    EXPECT_EQ(GAssertions, (std::vector<std::string>{"MouseTrackingTimerList.Count <> 0"}));
    // Nothing is made again once the shut-down has begun.
    EXPECT_EQ(GetMessageWindow(), nullptr);
    EXPECT_EQ(GetWindowProcController(), nullptr);
    EXPECT_EQ(GetSettingsController(), nullptr);
    EXPECT_EQ(GetMouseTrackingTimerList(), nullptr);
    EXPECT_EQ(GetSystemController(), nullptr);
    EXPECT_FALSE(IsMouseTracked(&caller));
    StartMouseTracking(nullptr, RECT{0, 0, 1, 1}, &caller);
    // The message window went, and the cursors left the screen's table.
    EXPECT_FALSE(IsWindow(raw));
    EXPECT_EQ(Screen->Cursors(crcxDragCopy), LoadCursorA(nullptr, IDC_ARROW));
  }));

  // Started again, the unit works as before, its cursors whole.
  EXPECT_NE(Screen->Cursors(crcxDragCopy), LoadCursorA(nullptr, IDC_ARROW));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(Screen->Cursors(crcxDragCopy), &info));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  EXPECT_NE(GetMessageWindow(), nullptr);
  EXPECT_EQ(GetMouseTrackingTimerList()->Count(), 0);
}
