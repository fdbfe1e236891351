// Toolbars dragged with the mouse (real input through SendInput): from the top dock to the left
// dock, floating with Ctrl held, into a new row, the delayed docking of a floating toolbar driven
// through the timer's test hook, Escape, the double click on the grip, and no window or GDI object
// left behind after many drags.
#include <gtest/gtest.h>
#include <string>
#include "classlib/GraphicsUtils.h"
#include "classlib/ThreadTimer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
// Floating, the toolbar is as wide as when docked at the top, with room for its caption.
class TDragToolbar : public TSizedToolbar {
  CL_CLASS(TDragToolbar, TSizedToolbar)
public:
  using TSizedToolbar::TSizedToolbar;
  int CalcWidth(TdxBarDockingStyle s) override { return s == dsNone ? Full : TSizedToolbar::CalcWidth(s); }
  int CalcHeight(TdxBarDockingStyle s) override { return s == dsNone ? Thick : TSizedToolbar::CalcHeight(s); }
  SIZE CalcSizeForPoint(TdxBarDockingStyle, int) override { return SIZE{Full, Thick}; }
};

// A shown form with a manager and one visible bar whose toolbar window stands in the top dock.
struct TDragFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TDragToolbar* Toolbar = New<TDragToolbar>(Manager);

  TDragFixture()
  {
    Form->SetBounds(100, 100, 600, 400);
    Form->Show();
    BringToFront(Form->Handle());
    Bar->SetCaption("Tools");
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetDockingStyle(dsTop);
    Toolbar->SetRealDockControl(Dock(dsTop));
    Toolbar->ShowToolbar();
    Dock(dsTop)->DockBarAt(Toolbar, Dock(dsTop)->ClientToScreen(POINT{10, 2}), true);
    Dock(dsLeft)->HandleNeeded();
    Pump(20);
  }
  ~TDragFixture()
  {
    TMouseDrag::Stop();
    if (TdxDockControl* dock = Toolbar->DockControl()) dock->RemoveBarControl(Toolbar, nullptr, false);
    Free(Toolbar);
  }
  TdxDockControl* Dock(TdxBarDockingStyle style) const { return Manager->Bars()->DockControls(style); }
  // The grip: the start of the docked window along the bar, half way across.
  POINT Grip() const
  {
    RECT r{};
    GetWindowRect(Toolbar->Handle(), &r);
    return Toolbar->IsVertical() ? POINT{(r.left + r.right) / 2, r.top + 3} : POINT{r.left + 3, (r.top + r.bottom) / 2};
  }
  // The caption of a floating toolbar: between the window's top and its client area.
  POINT Caption() const
  {
    RECT r{};
    GetWindowRect(Toolbar->Handle(), &r);
    const POINT client = Toolbar->ClientToScreen(POINT{0, 0});
    return POINT{(r.left + r.right) / 2, (r.top + client.y) / 2 + 1};
  }
  POINT OnForm(int x, int y) const { return Form->ClientToScreen(POINT{x, y}); }
  void Drag(POINT from, POINT to, bool escape = false)
  {
    ASSERT_TRUE(TMouseDrag::Start(from, to, escape));
    ASSERT_TRUE(PumpUntil([] { return TMouseDrag::Done(); }, 5000));
    ASSERT_TRUE(PumpUntil([this] { return !Toolbar->Moving(); }, 5000));
    Pump(20);
  }
  bool IsChildWindow() const { return (GetWindowLongPtrA(Toolbar->Handle(), GWL_STYLE) & WS_CHILD) != 0; }
};

bool CtrlDown() { return true; }

// Holds Ctrl down for the life of a scope: the key goes down through SendInput, and the drag asks
// the seam (Wine forgets a key held through SendInput at the next mouse input).
struct TCtrlHeld {
  TScopedSeam<bool (*)()> Seam{dxBarIsFloatingKeyDown, &CtrlDown};
  TCtrlHeld() { Send(0); }
  ~TCtrlHeld() { Send(KEYEVENTF_KEYUP); }
  static void Send(DWORD flags)
  {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Pump(20);
  }
};
// The toolbar windows of the thread (children of its forms and docks, or top-level).
int ToolbarWindowCount()
{
  static int count;
  count = 0;
  struct TCount {
    static BOOL CALLBACK One(HWND wnd, LPARAM)
    {
      char name[64]{};
      GetClassNameA(wnd, name, sizeof name);
      if (std::string(name) == "TDragToolbar") ++count;
      return TRUE;
    }
    static BOOL CALLBACK Top(HWND wnd, LPARAM)
    {
      One(wnd, 0);
      EnumChildWindows(wnd, &One, 0);
      return TRUE;
    }
  };
  EnumThreadWindows(GetCurrentThreadId(), &TCount::Top, 0);
  return count;
}

}  // namespace
CL_DEFINE_CLASS(TDragToolbar);

TEST(dxBarDrag, ADockedToolbarMovesToTheLeftDockAndFloatsWithCtrl)
{
  TDragFixture f;
  f.Drag(f.Grip(), f.OnForm(6, 200));
  EXPECT_EQ(f.Toolbar->DockingStyle(), dsLeft);
  EXPECT_EQ(f.Toolbar->DockControl(), f.Dock(dsLeft));
  EXPECT_TRUE(f.IsChildWindow());
  EXPECT_EQ(GetParent(f.Toolbar->Handle()), f.Dock(dsLeft)->Handle());
  EXPECT_EQ(f.Bar->DockedDockingStyle(), dsLeft) << "the position is stored in the bar";
  EXPECT_EQ(ToolbarWindowCount(), 1) << "the window of the other state is gone";

  // With Ctrl held no dock takes it, even over the top dock.
  {
    TCtrlHeld ctrl;
    f.Drag(f.Grip(), f.OnForm(300, 10));
  }
  EXPECT_EQ(f.Toolbar->DockingStyle(), dsNone);
  EXPECT_FALSE(f.IsChildWindow());
  EXPECT_TRUE(IsWindowVisible(f.Toolbar->Handle()));
  RECT r{};
  GetWindowRect(f.Toolbar->Handle(), &r);
  EXPECT_LE(std::abs(r.left - f.OnForm(300, 10).x), 2) << "floating where the cursor let go";
  EXPECT_EQ(f.Bar->FloatLeft(), r.left);
  EXPECT_EQ(ToolbarWindowCount(), 1);
}

TEST(dxBarDrag, EscapeLeavesTheToolbarWhereTheLastMovePutIt)
{
  TDragFixture f;
  f.Drag(f.Grip(), f.OnForm(6, 200), true);
  EXPECT_EQ(f.Toolbar->DockingStyle(), dsLeft) << "Escape does not go back to the top dock";
  EXPECT_FALSE(f.Toolbar->Moving());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(dxBarDrag, AFloatingToolbarDocksWhenTheDelayedDockingTimerFires)
{
  TDragFixture f;
  {
    TCtrlHeld ctrl;
    f.Drag(f.Grip(), f.OnForm(300, 200));
  }
  ASSERT_EQ(f.Toolbar->DockingStyle(), dsNone);
  // The timer would wait a minute: the test fires it once it runs, while the drag goes on.
  f.Manager->SetWaitForDockingTime(60000);
  static bool floatingWhenArmed;
  static int fired;
  static TDragFixture* fixture;
  floatingWhenArmed = false;
  fired = 0;
  fixture = &f;
  struct TFire {
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
      if (!TdxBars::DockingTimerID()) return;
      if (fired == 0) floatingWhenArmed = fixture->Toolbar->DockingStyle() == dsNone;
      fired += FireThreadTimer(TdxBars::DockingTimerID()) ? 1 : 0;
    }
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &TFire::Tick);
  f.Drag(f.Caption(), f.OnForm(5, 250));
  KillTimer(nullptr, timer);
  EXPECT_GE(fired, 1);
  EXPECT_TRUE(floatingWhenArmed) << "over the dock it floats on until the timer fires";
  EXPECT_EQ(f.Toolbar->DockingStyle(), dsLeft);
  EXPECT_EQ(TdxBars::DockingTimerID(), 0u) << "the end of the drag stops the timer";
}

TEST(dxBarDrag, ADropOnTheStripBelowARowMakesANewRow)
{
  TDragFixture f;
  auto* second = New<TSizedToolbar>(f.Manager);
  TdxBar* bar = f.Manager->Bars()->Add();
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  second->SetBar(bar);
  second->SetItemLinks(bar->ItemLinks());
  second->SetDockingStyle(dsTop);
  second->SetRealDockControl(f.Dock(dsTop));
  second->ShowToolbar();
  TdxDockControl* top = f.Dock(dsTop);
  top->DockBarAt(second, top->ClientToScreen(POINT{200, 2}), true);
  Pump(20);
  ASSERT_EQ(top->RowCount(), 1);
  // The strip after the last row, below the toolbars.
  const auto [from, to] = top->GetRowZone(top->RowCount(), 1);
  f.Drag(f.Grip(), top->ClientToScreen(POINT{60, (from + to) / 2}));
  EXPECT_EQ(f.Toolbar->DockingStyle(), dsTop);
  EXPECT_EQ(top->RowCount(), 2);
  top->RemoveBarControl(second, nullptr, false);
  Free(second);
}

TEST(dxBarDrag, ADoubleClickOnTheGripToggles)
{
  TDragFixture f;
  const POINT grip = f.Grip();
  ASSERT_TRUE(ClickAt(grip));
  ASSERT_TRUE(ClickAt(grip));
  ASSERT_TRUE(PumpUntil([&] { return f.Bar->DockingStyle() == dsNone; }, 3000)) << "docked: it floats";
}

TEST(dxBarDrag, FiftyDragsLeaveNoWindowOrGdiObjectBehind)
{
  TDragFixture f;
  Pump(50);
  const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    const POINT to = i % 2 == 0 ? f.OnForm(6, 200) : f.OnForm(300, 5);
    f.Drag(f.Grip(), to);
    ASSERT_EQ(f.Toolbar->DockingStyle(), i % 2 == 0 ? dsLeft : dsTop) << "drag " << i;
  }
  HandleWaitingMessages();
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}
