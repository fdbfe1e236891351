#pragma once
// Small helpers shared by the test executables.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "classlib/Win.h"

// The message of the exception of kind E that op raises, or "(no exception)".
template <class E>
std::string MessageOf(const std::function<void()>& op)
{
  try {
    op();
  } catch (const E& e) {
    return e.Message();
  }
  return "(no exception)";
}

// Two rectangles are equal; the failure shows both.
inline ::testing::AssertionResult SameRect(const RECT& a, const RECT& b)
{
  if (EqualRect(&a, &b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom
                                       << ") != (" << b.left << "," << b.top << ")-(" << b.right << ","
                                       << b.bottom << ")";
}

// A file of the name in the system's temporary folder.
inline std::string TempFile(const char* name)
{
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

// Writes the bytes as the whole file.
inline void WriteFileBytes(const std::string& name, const std::string& bytes)
{
  auto file = MakeOwned<TFileStream>(name, fmCreate);
  file->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// A fixture with fixed number conventions ('.' as the decimal separator); the locale's are put
// back afterwards.
class FixedNumberFormatTest : public testing::Test {
protected:
  void SetUp() override
  {
    FSaved = FormatSettings();
    FormatSettings().DecimalSeparator = '.';
  }
  void TearDown() override { FormatSettings() = FSaved; }

private:
  TFormatSettings FSaved;
};
