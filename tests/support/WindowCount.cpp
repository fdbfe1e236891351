#include "tests/support/WindowCount.h"

#include "classlib/Win.h"

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count)
{
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND wnd, LPARAM count)
{
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(wnd, CountChild, count);  // every descendant, not the direct children only
  return TRUE;
}
}  // namespace

int ThreadWindowCount()
{
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}
