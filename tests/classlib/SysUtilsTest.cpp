// Format, number conversions and the string helpers.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include "classlib/SysUtils.h"

namespace {

// Runs each test with known number conventions and puts the locale's back afterwards.
class SysUtilsFixture : public testing::Test {
protected:
  void SetUp() override
  {
    FSaved = FormatSettings();
    TFormatSettings& fs = FormatSettings();
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ",";
    fs.CurrencyString = "$";
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 0;
    fs.CurrencyDecimals = 2;
  }
  void TearDown() override { FormatSettings() = FSaved; }

private:
  TFormatSettings FSaved;
};

using FormatTest = SysUtilsFixture;
using NumberTest = SysUtilsFixture;

std::string FormatErrorOf(std::string_view format, std::initializer_list<TVarRec> args)
{
  try {
    Format(format, args);
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "(no error)";
}

}  // namespace

TEST_F(FormatTest, Integers)
{
  struct Case {
    const char* Format;
    TVarRec Arg;
    const char* Expected;
  };
  const Case cases[] = {
      {"%d", 42, "42"},
      {"%d", -42, "-42"},
      {"%5d|", 42, "   42|"},
      {"%-5d|", 42, "42   |"},
      {"%.4d", -12, "-0012"},
      {"%6.4d", 12, "  0012"},
      {"%1d", 12345, "12345"},  // width never cuts
      {"%d", std::numeric_limits<long long>::min(), "-9223372036854775808"},
      {"%u", 7u, "7"},
      {"%u", -1, "4294967295"},            // a 32-bit integer as its unsigned pattern
      {"%u", -1LL, "18446744073709551615"},  // a 64-bit one likewise
      {"%x", 255, "FF"},
      {"%.4x", 255, "00FF"},
      {"%x", -1, "FFFFFFFF"},
      {"%X", -1LL, "FFFFFFFFFFFFFFFF"},
      {"%D", 3, "3"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.Format, {c.Arg}), c.Expected) << c.Format;
}

TEST_F(FormatTest, StringsCharsPointersAndPercent)
{
  EXPECT_EQ(Format("[%s]", {"abc"}), "[abc]");
  EXPECT_EQ(Format("[%5s]", {"abc"}), "[  abc]");
  EXPECT_EQ(Format("[%-5s]", {std::string("abc")}), "[abc  ]");
  EXPECT_EQ(Format("[%.2s]", {"abcd"}), "[ab]");
  EXPECT_EQ(Format("[%6.2s]", {"abcd"}), "[    ab]");
  EXPECT_EQ(Format("%s%s", {'x', std::string_view("yz")}), "xyz");
  EXPECT_EQ(Format("100%%", {}), "100%");
  EXPECT_EQ(Format("%d%%", {5}), "5%");
  EXPECT_EQ(Format("", {}), "");
  const void* p = reinterpret_cast<const void*>(static_cast<uintptr_t>(0x1234AB));
  EXPECT_EQ(Format("%p", {p}), std::string(sizeof(void*) * 2 - 6, '0') + "1234AB");
}

TEST_F(FormatTest, PrecisionNeverCutsADoubleByteCharacter)
{
  const std::string s = "a表b";  // 61 B1 ED 62
  ASSERT_EQ(s, "a\xB1\xED" "b");
  EXPECT_EQ(Format("%.1s", {s}), "a");
  EXPECT_EQ(Format("%.2s", {s}), "a");  // would split 表
  EXPECT_EQ(Format("%.3s", {s}), "a表");
  EXPECT_EQ(Format("%.4s", {s}), s);
  EXPECT_EQ(Format("%.3s|", {"表格"}), "表|");
}

TEST_F(FormatTest, IndexAndStarSpecifiers)
{
  EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
  EXPECT_EQ(Format("%1:s %s %0:s %s", {"a", "b", "c"}), "b c a b");  // continues after the index
  EXPECT_EQ(Format("%0:s-%0:s", {"x"}), "x-x");
  EXPECT_EQ(Format("[%*d]", {5, 42}), "[   42]");
  EXPECT_EQ(Format("[%-*d]", {4, 7}), "[7   ]");
  EXPECT_EQ(Format("[%*d]", {-4, 7}), "[7   ]");  // a negative width left-justifies
  EXPECT_EQ(Format("[%.*f]", {1, 2.25}), "[2.3]");
  EXPECT_EQ(Format("[%*.*f]", {6, 3, 3.14159}), "[ 3.142]");
  EXPECT_EQ(Format("%1:-6s|", {"a", "b"}), "b     |");
}

TEST_F(FormatTest, FloatingPoint)
{
  struct Case {
    const char* Format;
    double Arg;
    const char* Expected;
  };
  const Case cases[] = {
      {"%f", 1.5, "1.50"},
      {"%.0f", 2.5, "3"},  // halves round away from zero
      {"%.0f", -2.5, "-3"},
      {"%.1f", 0.25, "0.3"},
      {"%.2f", 1.005, "1.00"},  // 1.005 is stored a little below
      {"%.1f", -0.04, "0.0"},   // no minus sign on a zero
      {"%.3f", 0.0, "0.000"},
      {"%8.2f", -3.14159, "   -3.14"},
      {"%.1f", 9.96, "10.0"},
      {"%e", 1234.5, "1.23450000000000E+003"},
      {"%.3e", 1234.5, "1.23E+003"},
      {"%.2e", -0.000125, "-1.3E-004"},
      {"%.1e", 0.0, "0E+000"},
      {"%g", 0.5, "0.5"},
      {"%g", 123456.0, "123456"},
      {"%g", 1e20, "1E020"},
      {"%.3g", 1234.5, "1.23E003"},
      {"%g", 0.00001, "1E-005"},
      {"%n", 1234567.891, "1,234,567.89"},
      {"%.0n", 1234.5, "1,235"},
      {"%n", -999.999, "-1,000.00"},
      {"%.1n", 12.34, "12.3"},
      {"%m", 1234.5, "$1,234.50"},
      {"%m", -1234.5, "($1,234.50)"},
      {"%.0m", 3.0, "$3"},
      {"%f", std::numeric_limits<double>::infinity(), "INF"},
      {"%g", std::nan(""), "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.Format, {c.Arg}), c.Expected) << c.Format << " " << c.Arg;
}

TEST_F(FormatTest, UsesTheDecimalAndCurrencySettings)
{
  TFormatSettings& fs = FormatSettings();
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = ".";
  fs.CurrencyString = "EUR";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  EXPECT_EQ(Format("%m", {1234.5}), "1.234,50 EUR");
  EXPECT_EQ(Format("%m", {-2.0}), "-2,00 EUR");
  EXPECT_EQ(Format("%e", {1.5}), "1,50000000000000E+000");
}

TEST_F(FormatTest, MismatchedOrMissingArgumentsAndBadSpecifiersRaise)
{
  struct Case {
    const char* Format;
    std::initializer_list<TVarRec> Args;
  };
  const Case cases[] = {
      {"%d", {"x"}},          // string for an integer
      {"%s", {1}},            // integer for a string
      {"%f", {1}},            // integers are not floats
      {"%d", {1.5}},          // nor the other way
      {"%x", {1.5}},
      {"%p", {1}},
      {"%d", {}},             // missing argument
      {"%s %s", {"a"}},
      {"%2:d", {1, 2}},       // index past the end
      {"abc %", {1}},         // unfinished specifier
      {"%5", {1}},
      {"%-", {1}},
      {"%k", {1}},            // unknown type
      {"%*d", {"x", 1}},      // width from a non-integer
      {"%.*s", {1.0, "ab"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatErrorOf(c.Format, c.Args),
              std::string("Format '") + c.Format + "' invalid or incompatible with argument")
        << c.Format;
  }
}

TEST_F(NumberTest, IntegerParsing)
{
  struct Case {
    const char* Text;
    bool Valid;
    int Value;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"123", true, 123},
      {"-123", true, -123},
      {"+7", true, 7},
      {"-0", true, 0},
      {"  42  ", true, 42},
      {"\t42", true, 42},
      {"007", true, 7},
      {"$FF", true, 255},
      {"$ff", true, 255},
      {"0x1f", true, 31},
      {"0XFF", true, 255},
      {"-$10", true, -16},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, std::numeric_limits<int>::min()},
      {"$7FFFFFFF", true, 2147483647},
      {"$FFFFFFFF", true, -1},  // hexadecimal is a bit pattern
      {"$80000000", true, std::numeric_limits<int>::min()},
      {"-$80000000", true, std::numeric_limits<int>::min()},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"+$FFFFFFFF", false, 0},
      {"-$80000001", false, 0},
      {"$100000000", false, 0},
      {"99999999999999999999999", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"12a", false, 0},
      {"1 2", false, 0},
      {"1.0", false, 0},
      {"--1", false, 0},
      {"$-5", false, 0},
      {"$G", false, 0},
      {"\xB1\xED", false, 0},
  };
  for (const Case& c : cases) {
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.Text, v), c.Valid) << "'" << c.Text << "'";
    EXPECT_EQ(v, c.Valid ? c.Value : 12345) << "'" << c.Text << "' (a failed parse leaves the value alone)";
    EXPECT_EQ(StrToIntDef(c.Text, -77), c.Valid ? c.Value : -77) << c.Text;
  }
}

TEST_F(NumberTest, Int64Parsing)
{
  struct Case {
    const char* Text;
    bool Valid;
    int64_t Value;
  };
  const Case cases[] = {
      {"2147483648", true, 2147483648LL},
      {"9223372036854775807", true, std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", true, std::numeric_limits<int64_t>::min()},
      {"$FFFFFFFFFFFFFFFF", true, -1},
      {"0x100000000", true, 0x100000000LL},
      {"9223372036854775808", false, 0},
      {"-9223372036854775809", false, 0},
      {"18446744073709551616", false, 0},
      {"$10000000000000000", false, 0},
      {" ", false, 0},
  };
  for (const Case& c : cases) {
    int64_t v = 0;
    EXPECT_EQ(TryStrToInt64(c.Text, v), c.Valid) << c.Text;
    if (c.Valid) {
      EXPECT_EQ(v, c.Value) << c.Text;
    }
  }
  EXPECT_EQ(StrToInt64(" -5 "), -5);
}

TEST_F(NumberTest, InvalidIntegerRaisesWithTheText)
{
  try {
    StrToInt("12x");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12x' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(StrToInt("$10"), 16);
}

TEST_F(NumberTest, IntToStrAndIntToHex)
{
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST_F(NumberTest, FloatParsing)
{
  struct Case {
    const char* Text;
    bool Valid;
    double Value;
  };
  const Case cases[] = {
      {"1.5", true, 1.5},
      {" -2.25 ", true, -2.25},
      {"+3", true, 3},
      {"1e3", true, 1000},
      {"1E-2", true, 0.01},
      {"2.5e+2", true, 250},
      {".5", true, 0.5},
      {"5.", true, 5},
      {"0.1", true, 0.1},
      {"1e-400", true, 0},  // too small to hold: zero
      {"0.000001e-400", true, 0},
      {"1e400", false, 0},  // too large
      {"0.5e309", false, 0},
      {"", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"1.2.3", false, 0},
      {"1,5", false, 0},  // not the decimal separator
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1 000", false, 0},
  };
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(TryStrToFloat(c.Text, v), c.Valid) << "'" << c.Text << "'";
    if (c.Valid) {
      EXPECT_EQ(v, c.Value) << c.Text;
    }
  }
  EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
  try {
    StrToFloat("1.5x");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1.5x' is not a valid floating point value");
  }
}

TEST_F(NumberTest, FloatParsingFollowsTheDecimalSeparator)
{
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(StrToFloat("1,5"), 1.5);
  double v;
  EXPECT_FALSE(TryStrToFloat("1.5", v));
}

TEST_F(NumberTest, FloatToStrShortestGeneralForm)
{
  struct Case {
    double Value;
    const char* Expected;
  };
  const Case cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.5, "1.5"},
      {-1.5, "-1.5"},
      {100, "100"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary noise
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {1.5e300, "1.5E300"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1.5e-7, "1.5E-7"},
      {-2.5e-10, "-2.5E-10"},
      {9.9999999999999999e14, "1E15"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::nan(""), "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.Value), c.Expected);
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(1.25), "1,25");
  EXPECT_EQ(FloatToStr(StrToFloat("3,75")), "3,75");
}

TEST_F(NumberTest, LongDoublesToAndFromTextBeyondTheRangeOfDouble)
{
  struct Case {
    long double Value;
    const char* Expected;
  };
  const Case cases[] = {
      {0.1L, "0.1"},
      {1.0L / 3, "0.333333333333333"},
      {-2.5L, "-2.5"},
      {123456789012345678.0L, "1.23456789012346E17"},
      {1.5e4000L, "1.5E4000"},
      {-2e-4000L, "-2E-4000"},
      {std::numeric_limits<long double>::infinity(), "INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.Value), c.Expected);

  struct Parse {
    const char* Text;
    bool Ok;
    long double Value;
  };
  const Parse parses[] = {
      {"0.1", true, 0.1L},  // the nearest long double, not the nearest double widened
      {" -1.5E4000 ", true, -1.5e4000L},
      {"2.5e-4000", true, 2.5e-4000L},
      {"1e-5000", true, 0.0L},  // too small: zero
      {"1e5000", false, 0},     // too large
      {"1.5e308", true, 1.5e308L},
      {"abc", false, 0},
      {"", false, 0},
      {"1e", false, 0},
      {"1,5", false, 0},
  };
  for (const Parse& p : parses) {
    long double v = 7;
    EXPECT_EQ(TryStrToFloat(p.Text, v), p.Ok) << p.Text;
    EXPECT_EQ(v, p.Ok ? p.Value : 7) << p.Text;  // a failure leaves the value alone
  }
  FormatSettings().DecimalSeparator = ',';
  long double v = 0;
  EXPECT_TRUE(TryStrToFloat("3,75E1000", v));
  EXPECT_EQ(FloatToStr(v), "3,75E1000");
  EXPECT_FALSE(TryStrToFloat("3.75", v));
}

TEST_F(NumberTest, FormatFloatWritesThroughPictureFormats)
{
  struct Case {
    const char* Format;
    double Value;
    const char* Expected;
  };
  const Case cases[] = {
      // digit placeholders, rounding of halves away from zero
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0.00", 1.005, "1.01"},  // 15 significant digits first: 1.005, not 1.00499...
      {"0.00", 0.125, "0.13"},
      {"#.##", 0.5, ".5"},
      {"#.##", 3, "3"},          // no decimals left: no separator either
      {"0.0#", 3.1, "3.1"},
      {"0.0#", 3, "3.0"},
      {"000", 7, "007"},
      {"#", 0, ""},
      {"0.000000000000000000", 0.1, "0.100000000000000000"},
      {"00", 12345, "12345"},    // the first placeholder takes every digit that does not fit
      // thousands with the locale's separator
      {"#,##0", 1234567, "1,234,567"},
      {"#,##0.00", -1234.5, "-1,234.50"},
      {"#,##0", 999, "999"},
      {",0", 1000, "1,000"},
      {"0.00,", 1234, "1234.00"},  // a comma after the point is no thousands mark
      // sections
      {"0.00;(0.00)", -3.5, "(3.50)"},
      {"0.00;(0.00)", 3.5, "3.50"},
      {"0;-0;'zero'", 0, "zero"},
      {"0;;'zero'", -7, "-7"},      // an empty negative section: the first with a minus sign
      {"0.0;(0.0);'nil'", -0.01, "nil"},  // rounds to zero: the zero section
      {"0.0", -0.01, "0.0"},        // and never a minus sign for a zero
      {"0.0", -0.0, "0.0"},         // negative zero
      {"0;(0)", -0.0, "0"},
      // quoted text and escaped characters
      {"'#'0", 5, "#5"},
      {"\"E+\"0\" kg\"", 5, "E+5 kg"},
      {"\\#0\\;", 5, "#5;"},
      {"0 'units;' x", 5, "5 units; x"},
      {"0'abc", 5, "5abc"},         // an unterminated quote runs to the end
      {"#,##0.00元", 1234.5, "1,234.50元"},
      // exponents
      {"0.00E+00", 1234, "1.23E+03"},
      {"0.00E-00", 1234, "1.23E03"},
      {"0.00E-0", 0.00012345, "1.23E-4"},
      {"00.0e+0", 123456, "12.3e+4"},
      {"0.0E+000", 0, "0.0E+000"},
      {"0E+0", -5e10, "-5E+10"},
      {"0.0E", 5, "5.0E"},          // E without a sign is text
      // empty format: the general form
      {"", 1.5, "1.5"},
      {"", -1e20, "-1E20"},
      {";", -2.25, "-2.25"},
      // beyond the range a picture can show
      {"0", 1e20, "1E20"},
      {"0.00", std::numeric_limits<double>::infinity(), "INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.Format, c.Value), c.Expected) << c.Format << " " << c.Value;
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ThousandSeparator = ".";
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
}

TEST_F(NumberTest, FloatToStrFInEachNotation)
{
  struct Case {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    const char* Expected;
  };
  const Case cases[] = {
      {1234.5678, ffGeneral, 15, 0, "1234.5678"},
      {1234.5678, ffGeneral, 3, 0, "1.23E3"},
      {1234.5678, ffGeneral, 3, 2, "1.23E03"},
      {0.5, ffGeneral, 15, 0, "0.5"},
      {1234.5678, ffExponent, 4, 2, "1.235E+03"},
      {-0.00125, ffExponent, 2, 0, "-1.3E-3"},
      {1234.5678, ffFixed, 15, 2, "1234.57"},
      {2.5, ffFixed, 15, 0, "3"},
      {1.23456, ffFixed, 3, 4, "1.2300"},        // precision first, then the decimals
      {123456, ffFixed, 3, 2, "1.23E+005"},      // more integer digits than the precision
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-1234.5, ffNumber, 15, 0, "-1,235"},
      {1234.5, ffCurrency, 15, 2, "$1,234.50"},
      {-1234.5, ffCurrency, 15, 1, "($1,234.5)"},
      {-0.0, ffFixed, 15, 1, "0.0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Expected) << c.Value << " " << c.Expected;
}

TEST(FormatSettingsTest, ReadFromTheUserLocale)
{
  const TFormatSettings saved = FormatSettings();
  FormatSettings().DecimalSeparator = '#';
  ReloadFormatSettings();
  char buf[16] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf);
  EXPECT_EQ(DecimalSeparator(), buf[0]);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, buf, sizeof buf);
  EXPECT_EQ(FormatSettings().DateSeparator, buf[0]);
  EXPECT_NE(FormatSettings().ShortDateFormat.find("yy"), std::string::npos);
  EXPECT_NE(FormatSettings().LongTimeFormat.find("nn"), std::string::npos);
  FormatSettings() = saved;
}

TEST(FormatSettingsTest, ErasOfTheLocaleCalendarWithTheirGregorianYearOffsets)
{
  // Thai dates count 543 years ahead; the Gregorian calendar has one era without an offset.
  const TFormatSettings thai = GetLocaleFormatSettings(MAKELCID(MAKELANGID(LANG_THAI, SUBLANG_DEFAULT), SORT_DEFAULT));
  ASSERT_EQ(thai.Eras.size(), 1u);
  EXPECT_EQ(thai.Eras[0].YearOffset, -543);
  const TFormatSettings english =
      GetLocaleFormatSettings(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  ASSERT_LE(english.Eras.size(), size_t(MaxEraCount));
  for (const TEraInfo& era : english.Eras) EXPECT_EQ(era.YearOffset, 0);

  // The Taiwan calendar, the Chinese locale's optional one, gives the year its era began in. The
  // user locale's calendar is switched for the test and put back.
  char saved[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, saved, sizeof saved), 0);
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, "4"));
  const TFormatSettings taiwan = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE, saved);
  ASSERT_EQ(taiwan.Eras.size(), 1u);
  EXPECT_FALSE(taiwan.Eras[0].Name.empty());
  EXPECT_EQ(taiwan.Eras[0].YearOffset, 1911);
}

// Characters of code page 936 whose second byte is an ASCII letter or a backslash: byte-wise
// helpers that ignore double-byte characters corrupt or split them.
namespace {
const std::string kTrailA = "盿";      // B1 61: second byte 'a'
const std::string kTrailSlash = "誠";  // D5 5C: second byte '\'
}  // namespace

TEST(StringTest, TrimRemovesBlanksAndControlCharacters)
{
  EXPECT_EQ(Trim(" \t\r\n a b \x01 "), "a b");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(" 表格 "), "表格");
  EXPECT_EQ(Trim(std::string("\0a\0", 3)), "a");
}

TEST(StringTest, AsciiCaseLeavesDoubleByteCharactersAlone)
{
  ASSERT_EQ(kTrailA, "\xB1\x61");
  EXPECT_EQ(UpperCase("abc xyz 123"), "ABC XYZ 123");
  EXPECT_EQ(LowerCase("ABC Xyz"), "abc xyz");
  EXPECT_EQ(UpperCase("a" + kTrailA + "a"), "A" + kTrailA + "A");
  EXPECT_EQ(UpperCase("ａé"), "ａé");  // only ASCII letters change
  EXPECT_EQ(LowerCase("\xB1\x41"), "\xB1\x41");
}

TEST(StringTest, AnsiCaseUsesTheLocaleAndKeepsEveryByteOfMalformedText)
{
  EXPECT_EQ(AnsiUpperCase("abc" + kTrailA), "ABC" + kTrailA);
  EXPECT_EQ(AnsiUpperCase("ａｂ"), "ＡＢ");  // full-width letters have case too
  EXPECT_EQ(AnsiLowerCase("ＡＢ αΒ"), "ａｂ αβ");
  EXPECT_EQ(AnsiUpperCase("表格"), "表格");
  // A lone lead byte at the end and an invalid pair in the middle stay as they were.
  EXPECT_EQ(AnsiUpperCase("ab\xB1"), "AB\xB1");
  EXPECT_EQ(AnsiUpperCase("a\x81 z表"), "A\x81 Z表");
  EXPECT_EQ(AnsiLowerCase("A\x81 Z"), "a\x81 z");
  EXPECT_EQ(AnsiUpperCase(""), "");
}

TEST(StringTest, Comparisons)
{
  EXPECT_LT(CompareStr("a", "b"), 0);
  EXPECT_GT(CompareStr("b", "a"), 0);
  EXPECT_LT(CompareStr("B", "a"), 0);  // byte order
  EXPECT_EQ(CompareStr("abc", "abc"), 0);
  EXPECT_LT(CompareStr("ab", "abc"), 0);
  EXPECT_GT(CompareStr("\xB1\xED", "a"), 0);  // bytes compare unsigned

  EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_TRUE(SameText("File.TXT", "file.txt"));
  EXPECT_FALSE(SameText("a", "ab"));
  // "\xB1\x61" and "\xB1\x41" are different characters, not one in two cases.
  EXPECT_FALSE(SameText("\xB1\x61", "\xB1\x41"));
  EXPECT_TRUE(SameText("x" + kTrailA, "X" + kTrailA));

  EXPECT_LT(AnsiCompareStr("a", "B"), 0);  // locale order, unlike CompareStr
  EXPECT_NE(AnsiCompareStr("a", "A"), 0);
  EXPECT_EQ(AnsiCompareText("a", "A"), 0);
  EXPECT_EQ(AnsiCompareText("ａ", "Ａ"), 0);
  EXPECT_TRUE(AnsiSameText("表Abc", "表aBC"));
  EXPECT_FALSE(AnsiSameText("表", "格"));
  EXPECT_GT(AnsiCompareText("b", "A"), 0);
}

TEST(StringTest, QuotedStr)
{
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(QuotedStr("表"), "'表'");
}

TEST(StringTest, StringReplace)
{
  EXPECT_EQ(StringReplace("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(StringReplace("a-b-c", "-", "+", false), "a+b-c");
  EXPECT_EQ(StringReplace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(StringReplace("abc", "", "x"), "abc");
  EXPECT_EQ(StringReplace("abc", "b", ""), "ac");
  EXPECT_EQ(StringReplace("Hello hello", "HELLO", "bye", true, true), "bye bye");
  EXPECT_EQ(StringReplace("Hello hello", "HELLO", "bye", true, false), "Hello hello");
  EXPECT_EQ(StringReplace("x表y表", "表", "格"), "x格y格");
  // A backslash inside 誠 (D5 5C) is not a backslash; one after it is.
  ASSERT_EQ(kTrailSlash, "\xD5\x5C");
  EXPECT_EQ(StringReplace(kTrailSlash + "\\a", "\\", "/"), kTrailSlash + "/a");
  // Nor is 'a' in 盿 a letter to replace, with or without case.
  EXPECT_EQ(StringReplace(kTrailA + "a", "a", "b"), kTrailA + "b");
  EXPECT_EQ(StringReplace(kTrailA + "A", "a", "b", true, true), kTrailA + "b");
}

TEST(SysLocaleTest, TheChineseSystemIsEastAsian)
{
  // Every run sets a Chinese locale (code page 936), where double-byte characters are on.
  EXPECT_TRUE(SysLocale().FarEast);
  EXPECT_EQ(SysLocale().PriLangID, LANG_CHINESE);
  EXPECT_EQ(&SysLocale(), &SysLocale());
}
