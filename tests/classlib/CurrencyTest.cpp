// Currency: exact reading and printing of amounts, rounding to four decimals, range limits.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <cmath>
#include <limits>
#include "classlib/Currency.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int64_t kMaxRaw = std::numeric_limits<int64_t>::max();
constexpr int64_t kMinRaw = std::numeric_limits<int64_t>::min();

using CurrencyTest = FixedNumberFormatTest;

}  // namespace

TEST_F(CurrencyTest, TextIsReadExactlyAndRoundedHalfToEven)
{
  struct Case {
    const char* Text;
    int64_t Raw;
  };
  const Case cases[] = {
      {"1.5", 15000},
      {"-0.0001", -1},
      {"12", 120000},
      {" 3.25 ", 32500},
      {"+7.", 70000},
      {".5", 5000},
      {"0.00005", 0},         // half: down to the even 0
      {"0.00015", 2},         // half: up to the even 2
      {"0.000050001", 1},     // more than half
      {"-0.00025", -2},
      {"1E3", 10000000},      // exponent form through StrToFloat
      {"922337203685477.5807", kMaxRaw},
      {"-922337203685477.5808", kMinRaw},
      {"0.1234567890123456789", 1235},
      {"-922337203685477.58085", kMinRaw},  // half: the even neighbour is still in range
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(StrToCurr(c.Text).Raw(), c.Raw);
    Currency value;
    EXPECT_TRUE(TryStrToCurr(c.Text, value));
    EXPECT_EQ(value.Raw(), c.Raw);
  }
}

TEST_F(CurrencyTest, BadOrOutOfRangeTextIsRefused)
{
  for (const char* text : {"", "abc", "1.2.3", "1,5", "--1", "."}) {
    SCOPED_TRACE(text);
    Currency value = Currency::FromRaw(77);
    EXPECT_FALSE(TryStrToCurr(text, value));
    EXPECT_THROW(StrToCurr(text), EConvertError);
  }
  try {
    StrToCurr("abc");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
  for (const char* text : {"922337203685477.5808", "-922337203685477.58086", "1E300", "99999999999999999999999"}) {
    SCOPED_TRACE(text);
    Currency value;
    EXPECT_FALSE(TryStrToCurr(text, value));
    EXPECT_THROW(StrToCurr(text), EVariantOverflowError);
  }
}

TEST_F(CurrencyTest, PrintsWithoutTrailingZeros)
{
  struct Case {
    int64_t Raw;
    const char* Text;
  };
  const Case cases[] = {
      {15000, "1.5"},     {-1, "-0.0001"}, {120000, "12"}, {0, "0"}, {-5000, "-0.5"},
      {kMaxRaw, "922337203685477.5807"},   {kMinRaw, "-922337203685477.5808"},
  };
  for (const Case& c : cases) EXPECT_EQ(CurrToStr(Currency::FromRaw(c.Raw)), c.Text);
}

TEST_F(CurrencyTest, FollowsTheLocaleDecimalSeparator)
{
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(StrToCurr("1,25").Raw(), 12500);
  EXPECT_EQ(CurrToStr(Currency::FromRaw(12500)), "1,25");
}

TEST_F(CurrencyTest, FromNumbersRoundsAndChecksTheRange)
{
  EXPECT_EQ(Currency::FromDouble(1.5).Raw(), 15000);
  EXPECT_EQ(Currency::FromDouble(-1.23456).Raw(), -12346);
  EXPECT_EQ(Currency::FromDouble(0.00025).Raw(), 2);
  EXPECT_EQ(Currency::FromInt64(-3).Raw(), -30000);
  EXPECT_EQ(Currency::FromInt64(922337203685477).Raw(), 9223372036854770000);
  EXPECT_THROW(Currency::FromInt64(922337203685478), EVariantOverflowError);
  EXPECT_THROW(Currency::FromDouble(1e15), EVariantOverflowError);
  EXPECT_THROW(Currency::FromDouble(std::nan("")), EVariantOverflowError);
  EXPECT_THROW(Currency::FromDouble(-INFINITY), EVariantOverflowError);
  EXPECT_DOUBLE_EQ(Currency::FromRaw(-12345).ToDouble(), -1.2345);
  EXPECT_LT(Currency::FromRaw(-1), Currency());
}

TEST_F(CurrencyTest, RoundingHalvesGoToEven)
{
  struct Case {
    int64_t Raw;
    int64_t Units;
  };
  const Case cases[] = {{25000, 2},  {35000, 4},   {-25000, -2}, {-35000, -4}, {14999, 1},
                        {-5001, -1}, {-4999, 0},   {kMaxRaw, 922337203685478}, {kMinRaw, -922337203685478}};
  for (const Case& c : cases) EXPECT_EQ(Currency::FromRaw(c.Raw).RoundToInt64(), c.Units) << c.Raw;

  struct DoubleCase {
    double Value, Rounded;
  };
  const DoubleCase doubles[] = {{0.5, 0},   {1.5, 2},          {2.5, 2},   {-2.5, -2}, {-3.5, -4},
                                {2.4999, 2}, {-0.5000001, -1}, {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0}};
  for (const DoubleCase& c : doubles) EXPECT_EQ(RoundHalfEven(c.Value), c.Rounded) << c.Value;
}
