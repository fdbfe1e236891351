// The seams tests swap: the beep, the clock and the message box of the application; and the
// initialization procedure units chain onto.
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
#include "classlib/Application.h"
#include "classlib/DateTime.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"
#include "tests/support/ScopedSeam.h"

namespace {

std::vector<std::string> GCalls;

BOOL WINAPI RecordBeep(UINT type)
{
  GCalls.push_back("beep " + std::to_string(type));
  return TRUE;
}

void WINAPI FixedClock(SYSTEMTIME* st)
{
  *st = SYSTEMTIME{2024, 2, 4, 29, 23, 59, 58, 500};  // Thursday 29 February 2024, 23:59:58.500
  GCalls.push_back("clock");
}

int WINAPI RecordBox(HWND owner, const char* text, const char* caption, UINT flags)
{
  GCalls.push_back(std::string("box ") + text + " | " + caption + " | " + std::to_string(flags) + " | " +
                   (owner ? "owned" : "unowned"));
  return IDNO;
}

// Swaps the seam in a scope that an exception leaves, then finds the function from before in place.
template <class F>
void ExpectRestoredOnEveryExit(F (*setter)(F), F fake)
{
  const F before = setter(fake);
  setter(before);
  try {
    TScopedSetter<F> seam(setter, fake);
    throw std::runtime_error("leaves the scope");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(setter(before), before);
  {
    TScopedSetter<F> seam(setter, fake);
  }
  EXPECT_EQ(setter(before), before);
}

}  // namespace

TEST(Seams, TheBeepGoesThroughItsSeam)
{
  GCalls.clear();
  {
    TScopedSetter<TBeepFunc> beep(SetBeepFunc, RecordBeep);
    SysMessageBeep();
    SysMessageBeep(MB_ICONHAND);
  }
  EXPECT_EQ(GCalls, (std::vector<std::string>{"beep 0", "beep 16"}));
  ExpectRestoredOnEveryExit<TBeepFunc>(SetBeepFunc, RecordBeep);
}

TEST(Seams, NowDateAndTimeReadTheClockSeam)
{
  GCalls.clear();
  {
    TScopedSetter<TClockFunc> clock(SetClockFunc, FixedClock);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", Now()), "2024-02-29 23:59:58.500");
    EXPECT_EQ(Date(), EncodeDate(2024, 2, 29));
    EXPECT_EQ(Time(), EncodeTime(23, 59, 58, 500));
    EXPECT_EQ(Now(), ComposeDateTime(Date(), Time()));
  }
  EXPECT_EQ(GCalls.size(), 6u);  // one reading for each of Now, Date and Time
  ExpectRestoredOnEveryExit<TClockFunc>(SetClockFunc, FixedClock);
  // The system's clock is back: today is not the fixed day (unless the machine says it is).
  SYSTEMTIME st;
  GetLocalTime(&st);
  EXPECT_EQ(Date(), EncodeDate(st.wYear, st.wMonth, st.wDay));
}

TEST(Seams, TheApplicationsMessageBoxGoesThroughTheMessageBoxSeam)
{
  GCalls.clear();
  {
    TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, RecordBox);
    EXPECT_EQ(Application->MessageBox("删除工具栏？", "确认", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageDlg("继续？", mtConfirmation, {mbYes, mbNo}, 0), IDNO);
  }
  ASSERT_EQ(GCalls.size(), 2u);
  EXPECT_EQ(GCalls[0], "box 删除工具栏？ | 确认 | " + std::to_string(MB_YESNO | MB_ICONQUESTION) + " | owned");
  EXPECT_EQ(GCalls[1].rfind("box 继续？ | ", 0), 0u) << GCalls[1];
  ExpectRestoredOnEveryExit<TMessageBoxFunc>(SetMessageBoxFunc, RecordBox);
}

namespace {
TInitProc GSavedByFirst = nullptr;
TInitProc GSavedBySecond = nullptr;
void FirstUnitInit()
{
  if (GSavedByFirst) GSavedByFirst();
  GCalls.push_back("first");
}
void SecondUnitInit()
{
  if (GSavedBySecond) GSavedBySecond();
  GCalls.push_back("second");
}
}  // namespace

TEST(Seams, InitProcChainedByTwoUnitsRunsBothInOrder)
{
  GCalls.clear();
  const TInitProc before = InitProc;
  // Start-up of the two units, in order.
  GSavedByFirst = std::exchange(InitProc, FirstUnitInit);
  GSavedBySecond = std::exchange(InitProc, SecondUnitInit);
  Application->Initialize();
  EXPECT_EQ(GCalls, (std::vector<std::string>{"first", "second"}));
  // Shut-down in reverse order puts back what each found.
  InitProc = GSavedBySecond;
  InitProc = GSavedByFirst;
  EXPECT_EQ(InitProc, before);
  GCalls.clear();
  Application->Initialize();
  EXPECT_TRUE(GCalls.empty());
}
