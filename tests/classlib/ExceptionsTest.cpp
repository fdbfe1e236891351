// Exceptions: system messages, and the hand-over of an exception caught at a callback boundary.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Exceptions.h"

namespace {
std::vector<std::string> GHandled;
void Record(std::exception_ptr e) { GHandled.push_back(ExceptionMessage(e)); }

BOOL CALLBACK ThrowingEnum(HWND, LPARAM counter)
{
  ++*reinterpret_cast<int*>(counter);
  GuardCallback([] { throw EConvertError("bad value in a callback"); });
  return FALSE;  // stop after the first window
}
}  // namespace

TEST(Exceptions, OsErrorsCarryTheCodeAndTheSystemText)
{
  try {
    RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(e.Message().rfind("System Error.  Code: 2.\r\n", 0), 0u);
    EXPECT_GT(e.Message().size(), 26u) << "the system's text follows";
  }
  EXPECT_FALSE(SysErrorMessage(ERROR_ACCESS_DENIED).empty());
  EXPECT_NE(SysErrorMessage(ERROR_ACCESS_DENIED).back(), '\n');
}

TEST(Exceptions, AnExceptionInAPlatformCallbackIsHandedToTheHandlerAndTheCallerGoesOn)
{
  GHandled.clear();
  TExceptionHandler previous = SetExceptionHandler(Record);
  int calls = 0;
  EnumWindows(ThrowingEnum, reinterpret_cast<LPARAM>(&calls));
  SetExceptionHandler(previous);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(GHandled, std::vector<std::string>{"bad value in a callback"});
}

TEST(Exceptions, AbortIsSilentAndOutOfMemoryHasItsMessage)
{
  GHandled.clear();
  TExceptionHandler previous = SetExceptionHandler(Record);
  GuardCallback([] { Abort(); });
  GuardCallback([] { throw std::bad_alloc(); });
  SetExceptionHandler(previous);
  EXPECT_EQ(GHandled, std::vector<std::string>{"Out of memory"});
}
