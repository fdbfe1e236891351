#pragma once
// Small helpers shared by the test executables.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "classlib/SysUtils.h"

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
