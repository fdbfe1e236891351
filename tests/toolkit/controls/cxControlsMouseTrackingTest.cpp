// Mouse tracking with the real cursor: the leave notice when the cursor moves out or the control is
// disabled, one timer per caller, callers that test the area themselves, and callers or controls
// that go while tracked.
#include <gtest/gtest.h>
#include <functional>
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxClassesLists.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsMouseTracking.h"

using namespace controls_test;

namespace {
// A caller that records its notices.
class TTrackingCaller : public IcxMouseTrackingCaller {
public:
  void MouseLeave() override
  {
    ++Leaves;
    if (OnLeave) OnLeave();
  }

  int Leaves = 0;
  std::function<void()> OnLeave;
};

// A caller that decides itself which points are inside.
class TAreaCaller : public TTrackingCaller, public IcxMouseTrackingAreaTest {
public:
  bool PointInTrackedArea(POINT p) override { return PtInRect(&Area, p) != FALSE; }
  RECT Area{};
};

// A caller that is a class-library object, so the tracking notices when it is freed.
class TObjectCaller : public TObject, public IcxMouseTrackingCaller {
  CL_CLASS(TObjectCaller, TObject)
public:
  void MouseLeave() override { ++Leaves; }
  int Leaves = 0;
};

// A shown form with a recording control at (20, 20) of 100 x 60 in its client area.
class MouseTracking : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(200, 150);
    Control = New<TRecordingControl>(Form);
    Control->SetBounds(20, 20, 100, 60);
    Control->SetParent(Form);
    Form->Show();
    Pump(20);
  }
  void TearDown() override
  {
    Free(Form);
  }
  // Moves the cursor to a point of the control's client area.
  void MoveTo(int x, int y)
  {
    ASSERT_TRUE(MoveCursorTo(Control->ClientToScreen(POINT{x, y})));
  }
  int LeaveMessages() const
  {
    int n = 0;
    for (const TMessage& m : Control->Seen)
      n += m.Msg == CM_MOUSELEAVE && m.LParam == reinterpret_cast<LPARAM>(Control);
    return n;
  }
  // Handles messages until a timer of the tracking timers' interval, on their shared window, has
  // ticked several times: the tracking timers have had their turns meanwhile.
  static void LetTrackingTimersTick(int ticks = 8)
  {
    int seen = 0;
    struct TWitness : TObject {
      int* Seen;
      void Tick(TObject*) { ++*Seen; }
    };
    auto witness = MakeOwned<TWitness>();
    witness->Seen = &seen;
    TOwned<TcxTimer> timer = MakeOwned<TcxTimer>(nullptr);
    timer->SetInterval(10);
    timer->SetOnTimer(TNotifyEvent(witness.get(), &TWitness::Tick));
    ASSERT_TRUE(PumpUntil([&] { return seen >= ticks; }, 30000));
  }
  bool WaitUntilNotTracked(TTrackingCaller& caller, int timeoutMs = 1000)
  {
    return PumpUntil([&] { return !IsMouseTracked(&caller); }, timeoutMs);
  }

  TForm* Form = nullptr;
  TRecordingControl* Control = nullptr;
};
}  // namespace

CL_DEFINE_CLASS(TObjectCaller);

TEST_F(MouseTracking, CursorMovingOutSendsTheLeaveNoticeOnce)
{
  TTrackingCaller caller;
  MoveTo(50, 30);
  StartMouseTracking(Control, Control->ClientRect(), &caller);
  ASSERT_TRUE(IsMouseTracked(&caller));
  TMouseTrackingTimer* timer = FindTrackingTimer(&caller);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), 10u);
  EXPECT_TRUE(timer->Running());
  POINT origin = Control->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(timer->Bounds().left, origin.x);
  EXPECT_EQ(timer->Bounds().bottom, origin.y + 60);

  // While the cursor stays inside, nothing happens.
  LetTrackingTimersTick();
  EXPECT_TRUE(IsMouseTracked(&caller));
  EXPECT_EQ(caller.Leaves, 0);

  MoveTo(150, 30);  // on the form, outside the control
  ASSERT_TRUE(WaitUntilNotTracked(caller));
  EXPECT_EQ(caller.Leaves, 1);
  EXPECT_EQ(LeaveMessages(), 1);
  LetTrackingTimersTick();
  EXPECT_EQ(caller.Leaves, 1);
}

TEST_F(MouseTracking, DisablingTheControlOrAParentUnderTheCursorEndsTheTracking)
{
  for (bool disableParent : {false, true}) {
    SCOPED_TRACE(disableParent ? "form disabled" : "control disabled");
    Control->Seen.clear();
    TTrackingCaller caller;
    MoveTo(50, 30);
    StartMouseTracking(Control, Control->ClientRect(), &caller);
    Pump(30);
    ASSERT_TRUE(IsMouseTracked(&caller));
    if (disableParent)
      EnableWindow(Form->Handle(), FALSE);
    else
      Control->SetEnabled(false);
    ASSERT_TRUE(WaitUntilNotTracked(caller));
    EXPECT_EQ(caller.Leaves, 1);
    // The cursor is still over the control, but it is disabled: the control is told as well.
    EXPECT_EQ(LeaveMessages(), 1);
    EnableWindow(Form->Handle(), TRUE);
    Control->SetEnabled(true);
  }
}

TEST_F(MouseTracking, OneTimerPerCallerAndStoppingSendsNothing)
{
  TTrackingCaller caller, other;
  MoveTo(50, 30);
  TcxObjectList* list = GetMouseTrackingTimerList();
  int before = list->Count();
  StartMouseTracking(Control, Control->ClientRect(), &caller);
  StartMouseTracking(Control, RECT{0, 0, 5, 5}, &caller);
  StartMouseTracking(Control, Control->ClientRect(), &other);
  EXPECT_EQ(list->Count(), before + 2);
  StartMouseTracking(Control, Control->ClientRect(), nullptr);
  EXPECT_EQ(list->Count(), before + 2);

  StopMouseTracking(&caller);
  StopMouseTracking(&other);
  StopMouseTracking(&other);
  EXPECT_EQ(list->Count(), before);
  MoveTo(150, 30);
  LetTrackingTimersTick();
  EXPECT_EQ(caller.Leaves + other.Leaves, 0);
  EXPECT_EQ(LeaveMessages(), 0);
}

TEST_F(MouseTracking, WithoutControlTheBoundsAreScreenCoordinates)
{
  TTrackingCaller caller;
  MoveTo(50, 30);
  RECT screen = Control->ClientRect();
  POINT origin = Control->ClientToScreen(POINT{0, 0});
  OffsetRect(&screen, origin.x, origin.y);
  StartMouseTracking(nullptr, screen, &caller);
  LetTrackingTimersTick();
  EXPECT_TRUE(IsMouseTracked(&caller));
  MoveTo(-10, 30);
  ASSERT_TRUE(WaitUntilNotTracked(caller));
  EXPECT_EQ(caller.Leaves, 1);
  EXPECT_EQ(LeaveMessages(), 0);  // no control to tell
}

TEST_F(MouseTracking, CallerTestingTheAreaDecidesWhatIsInside)
{
  // The caller's area is the left half of the control; the bounds given do not matter.
  TAreaCaller caller;
  caller.Area = RECT{0, 0, 50, 60};
  MoveTo(20, 30);
  StartMouseTracking(Control, RECT{0, 0, 1, 1}, &caller);
  LetTrackingTimersTick();
  EXPECT_TRUE(IsMouseTracked(&caller));
  // Right half: still over the control, so the caller is told but the control is not.
  MoveTo(80, 30);
  ASSERT_TRUE(WaitUntilNotTracked(caller));
  EXPECT_EQ(caller.Leaves, 1);
  EXPECT_EQ(LeaveMessages(), 0);
}

TEST_F(MouseTracking, TheCallerMayTrackAgainFromItsNotice)
{
  TTrackingCaller caller;
  MoveTo(50, 30);
  caller.OnLeave = [&] { StartMouseTracking(Control, Control->ClientRect(), &caller); };
  StartMouseTracking(Control, RECT{0, 0, 10, 10}, &caller);
  ASSERT_TRUE(PumpUntil([&] { return caller.Leaves == 1; }));
  EXPECT_TRUE(IsMouseTracked(&caller));
  caller.OnLeave = nullptr;
  StopMouseTracking(&caller);
}

TEST_F(MouseTracking, AControlDestroyedWhileTrackedEndsTheTrackingSilently)
{
  TTrackingCaller caller;
  MoveTo(50, 30);
  StartMouseTracking(Control, Control->ClientRect(), &caller);
  FreeAndNil(Control);
  ASSERT_TRUE(WaitUntilNotTracked(caller));
  EXPECT_EQ(caller.Leaves, 0);
}

TEST_F(MouseTracking, ACallerFreedWhileTrackedEndsTheTrackingSilently)
{
  auto* caller = New<TObjectCaller>();
  IcxMouseTrackingCaller* asCaller = caller;
  MoveTo(50, 30);
  StartMouseTracking(Control, Control->ClientRect(), asCaller);
  ASSERT_TRUE(IsMouseTracked(asCaller));
  Free(caller);
  MoveTo(150, 30);  // a live caller would be told now
  ASSERT_TRUE(PumpUntil([&] { return !IsMouseTracked(asCaller); }));
  EXPECT_EQ(LeaveMessages(), 0);
}
