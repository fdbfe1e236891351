// Forms: the monitor a form is moved onto when it is first shown, over two monitors made through
// the work-area seam.
#include <gtest/gtest.h>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"

using namespace fixture;

namespace {

// The primary monitor on the left, a second one on its right.
constexpr RECT LeftMonitor{0, 0, 800, 600};
constexpr RECT RightMonitor{800, 0, 1600, 560};
RECT TwoMonitors(POINT p) { return p.x < 800 ? LeftMonitor : RightMonitor; }

}  // namespace

TEST(Forms, DefaultMonitorMovesAFormShownFirstOntoTheMonitorItNames)
{
  TScopedSetter<TWorkAreaFunc> monitors(SetWorkAreaFunc, TwoMonitors);
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* main = nullptr;
  Application->CreateForm(main);
  TFormGuard mainGuard{main};
  main->SetBounds(900, 100, 300, 200);
  main->Show();
  ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == main; }));

  struct TCase {
    const char* Name;
    TDefaultMonitor Monitor;
    TPosition Position;
    POINT Start;     // where the form is before it is shown
    POINT Expected;  // where it is once shown
  };
  const int width = 200, height = 100;
  const TCase cases[] = {
    {"desktop: stays", TDefaultMonitor::dmDesktop, TPosition::poDesigned, {100, 50}, {100, 50}},
    {"primary, already there", TDefaultMonitor::dmPrimary, TPosition::poDesigned, {100, 50}, {100, 50}},
    {"primary, from the second", TDefaultMonitor::dmPrimary, TPosition::poDesigned, {1000, 50}, {200, 50}},
    {"main form's: same offset", TDefaultMonitor::dmMainForm, TPosition::poDesigned, {100, 50}, {900, 50}},
    {"active form's", TDefaultMonitor::dmActiveForm, TPosition::poDesigned, {120, 70}, {920, 70}},
    {"main form's, centred there", TDefaultMonitor::dmMainForm, TPosition::poScreenCenter, {0, 0},
     {800 + (800 - width) / 2, (560 - height) / 2}},
    {"primary, centred", TDefaultMonitor::dmPrimary, TPosition::poScreenCenter, {0, 0},
     {(800 - width) / 2, (600 - height) / 2}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetForegroundWindow(main->Handle());
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == main; }));
    TForm* form = NewForm();
    TFormGuard guard{form};
    form->SetBounds(c.Start.x, c.Start.y, width, height);
    form->SetPosition(c.Position);
    form->SetDefaultMonitor(c.Monitor);
    form->Show();
    EXPECT_EQ(form->Left(), c.Expected.x);
    EXPECT_EQ(form->Top(), c.Expected.y);
    // Only the first showing places the form.
    form->Hide();
    form->SetBounds(c.Start.x, c.Start.y, width, height);
    form->Show();
    EXPECT_EQ(form->Left(), c.Start.x);
  }
}

TEST(Forms, DefaultMonitorLeavesFormsAloneWithoutAMainForm)
{
  TScopedSetter<TWorkAreaFunc> monitors(SetWorkAreaFunc, TwoMonitors);
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* form = NewForm();
  TFormGuard guard{form};
  EXPECT_EQ(form->DefaultMonitor(), TDefaultMonitor::dmActiveForm);
  form->SetBounds(1000, 50, 200, 100);
  form->SetDefaultMonitor(TDefaultMonitor::dmPrimary);
  form->Show();
  EXPECT_EQ(form->Left(), 1000);
  // The screen's work area is the primary monitor's.
  EXPECT_EQ(Screen->WorkAreaRect().right, 800);
}
