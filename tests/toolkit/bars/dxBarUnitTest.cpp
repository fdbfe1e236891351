// The bar unit's start-up and shut-down and its process-wide state.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxControlsControllers.h"

namespace {
struct TSoundCall {
  std::string Sound;  // "(none)" for no sound name
  HMODULE Module;
  DWORD Flags;
  bool operator==(const TSoundCall&) const = default;
};
std::vector<TSoundCall> GSounds;

BOOL WINAPI RecordSound(LPCSTR sound, HMODULE module, DWORD flags)
{
  GSounds.push_back({sound ? sound : "(none)", module, flags});
  return TRUE;
}

constexpr DWORD MenuSoundFlags = 0x12003;  // SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC

BOOL CALLBACK CountWindow(HWND wnd, LPARAM counter)
{
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(wnd, CountWindow, counter);
  return TRUE;
}

// The windows of this thread, top-level and child.
int ThreadWindowCount()
{
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Runs the unit's shut-down and start-up by hand, checking what holds in between.
void RestartBarUnit(const std::function<void()>& whileDown)
{
  UnitdxBar.State = TUnit::TState::Finishing;
  UnitdxBar.Finalize();
  FinalizeUnitObjects(UnitdxBar);
  UnitdxBar.State = TUnit::TState::Finished;
  whileDown();
  UnitdxBar.State = TUnit::TState::Starting;
  UnitdxBar.Initialize();
  UnitdxBar.State = TUnit::TState::Running;
}

constexpr TCursor BarCursors[] = {crdxBarDrag, crdxBarDragCopy, crdxBarDragNoDrop, crdxBarEditSizing};

HCURSOR ArrowCursor() { return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); }

std::vector<std::string> GInitCalls;
void PreviousInitProc() { GInitCalls.push_back("previous"); }
BOOL WINAPI RecordSoundAsInitCall(LPCSTR sound, HMODULE, DWORD) { GInitCalls.push_back(sound ? sound : "(none)"); return TRUE; }
bool PretendLibrary() { return true; }

class TFakeBarControlTag {};
TCustomdxBarControl* FakeBarControl(TFakeBarControlTag& tag) { return reinterpret_cast<TCustomdxBarControl*>(&tag); }
}  // namespace

TEST(BarUnit, StartsWithItsObjectsCursorsAndMenuSounds)
{
  EXPECT_NE(GetNavigationController(), nullptr);
  EXPECT_NE(GetDesignController(), nullptr);
  EXPECT_EQ(GetDesignController(), GetDesignController());
  EXPECT_NE(GetItemClassRegistry(), nullptr);
  EXPECT_NE(GetCheckerBrush(), nullptr);
  EXPECT_EQ(GetScreenColorDepth(), ScreenBitsPerPixel());
  EXPECT_NE(dxPlaySoundA, nullptr);  // bound from winmm.dll
  EXPECT_NE(dxUpdateLayeredWindow, nullptr);
  for (TCursor cursor : BarCursors) {
    EXPECT_NE(Screen->Cursors(cursor), nullptr) << cursor;
    EXPECT_NE(Screen->Cursors(cursor), ArrowCursor()) << cursor;
  }
  // Each cursor is a picture of its own.
  EXPECT_NE(Screen->Cursors(crdxBarDrag), Screen->Cursors(crdxBarDragCopy));
  EXPECT_NE(Screen->Cursors(crdxBarDragNoDrop), Screen->Cursors(crdxBarEditSizing));
}

TEST(BarUnit, ShutDownAndStartUpTwiceLeaveNothingBehind)
{
  const int gdiBefore = LiveGdiObjects(), windowsBefore = ThreadWindowCount();
  for (int round = 0; round < 2; ++round) {
    RestartBarUnit([&] {
      // Once the shut-down has begun, nothing is made again.
      EXPECT_EQ(GetItemClassRegistry(), nullptr);
      EXPECT_EQ(GetDesignController(), nullptr);
      EXPECT_EQ(GetNavigationController(), nullptr);
      EXPECT_EQ(GetCheckerBrush(), nullptr);
      CreateCheckerBrush();
      EXPECT_EQ(GetCheckerBrush(), nullptr);
      EXPECT_EQ(dxPlaySoundA, nullptr);
      for (TCursor cursor : BarCursors) EXPECT_EQ(Screen->Cursors(cursor), ArrowCursor()) << cursor;
      EXPECT_EQ(InitProc, nullptr);
    });
    EXPECT_NE(GetItemClassRegistry(), nullptr);
    EXPECT_NE(GetNavigationController(), nullptr);
    EXPECT_NE(GetCheckerBrush(), nullptr);
    for (TCursor cursor : BarCursors) EXPECT_NE(Screen->Cursors(cursor), ArrowCursor()) << cursor;
    EXPECT_EQ(LiveGdiObjects(), gdiBefore) << round;
    EXPECT_EQ(ThreadWindowCount(), windowsBefore) << round;
  }
}

TEST(BarUnit, TheMenuSoundFollowsTheInitProcItFound)
{
  ASSERT_NE(InitProc, nullptr);  // the unit's own
  GInitCalls.clear();
  RestartBarUnit([] { InitProc = PreviousInitProc; });
  {
    TScopedSeam<TdxPlaySoundFunc> sound(dxPlaySoundA, RecordSoundAsInitCall);
    InitProc();
  }
  EXPECT_EQ(GInitCalls, (std::vector<std::string>{"previous", "(none)"}));
  // Shut down, the unit gives back the procedure it found; in a library module it chains nothing.
  RestartBarUnit([] {
    EXPECT_EQ(InitProc, PreviousInitProc);
    InitProc = nullptr;
  });
  {
    TScopedSeam<TcxIsLibraryFunc> library(cxIsLibrary, PretendLibrary);
    RestartBarUnit([] {});
    EXPECT_EQ(InitProc, nullptr);
  }
  RestartBarUnit([] {});
  EXPECT_NE(InitProc, nullptr);
}

TEST(BarUnit, MenuSoundsPlayTheSystemAliasesAsynchronously)
{
  GSounds.clear();
  TScopedSeam<TdxPlaySoundFunc> sound(dxPlaySoundA, RecordSound);
  PlayMenuSound(TdxMenuSound::msMenuPopup);
  PlayMenuSound(TdxMenuSound::msMenuCommand);
  PlayMenuCommandSound();
  EXPECT_EQ(GSounds, (std::vector<TSoundCall>{{"MenuPopup", nullptr, MenuSoundFlags},
                                              {"MenuCommand", nullptr, MenuSoundFlags},
                                              {"(none)", nullptr, MenuSoundFlags}}));
  // Without the multimedia library the menus stay silent.
  TScopedSeam<TdxPlaySoundFunc> none(dxPlaySoundA, nullptr);
  EXPECT_NO_THROW(PlayMenuSound(TdxMenuSound::msMenuPopup));
}

TEST(BarUnit, LiveBarControlsAndTheActiveOne)
{
  TFakeBarControlTag a, b;
  EXPECT_FALSE(IsBarControlAlive(nullptr));
  AddLiveBarControl(FakeBarControl(a));
  EXPECT_TRUE(IsBarControlAlive(FakeBarControl(a)));
  EXPECT_FALSE(IsBarControlAlive(FakeBarControl(b)));
  RemoveLiveBarControl(FakeBarControl(a));
  EXPECT_FALSE(IsBarControlAlive(FakeBarControl(a)));

  EXPECT_EQ(GetActiveBarControl(), nullptr);
  SetActiveBarControl(FakeBarControl(b));
  EXPECT_EQ(GetActiveBarControl(), FakeBarControl(b));
  SetActiveBarControl(nullptr);
}

TEST(BarUnit, TheCheckerBrushAlternatesButtonFaceAndHighlight)
{
  const COLORREF face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clBtnHighlight);
  TBitmapHandle bitmap;
  TScreenDC screen;
  TDCHandle dc(CreateCompatibleDC(screen));
  bitmap.Reset(CreateCompatibleBitmap(screen, 16, 16));
  TSelectObject select(dc.Get(), bitmap.Get());
  const RECT all{0, 0, 16, 16};
  SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
  FillRect(dc.Get(), &all, GetCheckerBrush());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(GetPixel(dc.Get(), x, y), (x + y) % 2 == 0 ? face : highlight) << x << "," << y;
  // Made again (after a system colour change), it replaces the old one without a leak.
  const int gdi = LiveGdiObjects();
  CreateCheckerBrush();
  EXPECT_EQ(LiveGdiObjects(), gdi);
}
