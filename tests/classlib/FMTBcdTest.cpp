// BCD numbers: text in and out, formats, exact comparison, and the variant kind that holds them
// (registered at run time) converting and comparing through the variant functions.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <cmath>
#include <string>
#include "classlib/DateTime.h"
#include "classlib/FMTBcd.h"
#include "classlib/Variant.h"

namespace {

using FMTBcdTest = FixedNumberFormatTest;

Variant Bcd(const char* text) { return VarFMTBcdCreate(StrToBcd(text)); }

std::string Describe(const Variant& v)
{
  return VarTypeAsText(VarType(v)) + (VarIsEmpty(v) ? std::string() : " " + VarToStr(v));
}

TEST_F(FMTBcdTest, TextReadsAndWritesEveryDigit)
{
  struct TCase {
    const char* Text;
    const char* Plain;  // nullptr: refused
  };
  const TCase cases[] = {
      {"0", "0"},
      {"-0.000", "0"},
      {"123.45", "123.45"},
      {"  -7 ", "-7"},
      {"+0.005", "0.005"},
      {"1.50", "1.5"},
      {"100", "100"},
      {".5", "0.5"},
      {"5.", "5"},
      {"1.5E3", "1500"},
      {"25e-4", "0.0025"},
      {"12345678901234567890123456789.123456789", "12345678901234567890123456789.123456789"},
      // 64 digits before the point fit, 65 do not.
      {"1234567890123456789012345678901234567890123456789012345678901234",
       "1234567890123456789012345678901234567890123456789012345678901234"},
      {"12345678901234567890123456789012345678901234567890123456789012345", nullptr},
      // More digits than fit are rounded off, halves away from zero.
      {"0.12345678901234567890123456789012345678901234567890123456789012345",
       "0.123456789012345678901234567890123456789012345678901234567890123"},
      {"-12345678901234567890123456789012345678901234567890123456789012.235",
       "-12345678901234567890123456789012345678901234567890123456789012.24"},
      {"1E-70", "0"},
      {"", nullptr},
      {"-", nullptr},
      {"1,5", nullptr},
      {"1.2.3", nullptr},
      {"1E", nullptr},
      {"abc", nullptr},
      {"1E999999", nullptr},
  };
  for (const TCase& c : cases) {
    TBcd value;
    bool read = TryStrToBcd(c.Text, value);
    ASSERT_EQ(read, c.Plain != nullptr) << c.Text;
    if (read) EXPECT_EQ(BcdToStr(value), c.Plain) << c.Text;
  }
  EXPECT_EQ(MessageOf<EBcdException>([] { StrToBcd("x1"); }), "'x1' is not a valid BCD value");
}

TEST_F(FMTBcdTest, StoredLayoutAndBrokenValues)
{
  TBcd value = StrToBcd("-123.45");
  EXPECT_EQ(value.Precision, 5);
  EXPECT_EQ(value.SignSpecialPlaces, 0x80 | 2);
  EXPECT_EQ(value.Fraction[0], 0x12);
  EXPECT_EQ(value.Fraction[1], 0x34);
  EXPECT_EQ(value.Fraction[2], 0x50);
  EXPECT_EQ(BcdToStr(StrToBcd("0.005")), "0.005");

  TBcd broken = value;
  broken.Fraction[1] = 0x3A;  // a nibble that is no digit
  EXPECT_EQ(MessageOf<EBcdException>([&] { BcdToStr(broken); }), "Invalid BCD value");
  broken = value;
  broken.Precision = 65;
  EXPECT_THROW(BcdCompare(broken, value), EBcdException);
  broken = value;
  broken.SignSpecialPlaces = 6;  // more places than digits
  EXPECT_THROW(BcdToDouble(broken), EBcdException);
  EXPECT_EQ(BcdToStr(TBcd()), "0");  // all zero bytes: zero
}

TEST_F(FMTBcdTest, GeneralAndFixedFormats)
{
  struct TCase {
    const char* Text;
    TBcdFormat Format;
    int Precision, Digits;
    const char* Expected;
  };
  using enum TBcdFormat;
  const TCase cases[] = {
      {"1234.5", General, 15, 0, "1234.5"},
      {"1234.5", General, 3, 0, "1.23E3"},
      {"0.0001", General, 15, 0, "0.0001"},
      {"0.00001", General, 15, 0, "1E-5"},
      {"-0.000015", General, 15, 0, "-1.5E-5"},
      {"100000000000000000000", General, 15, 0, "1E20"},
      {"123456789012345", General, 15, 0, "123456789012345"},
      {"0.123456789012345678", General, 15, 0, "0.123456789012346"},
      {"9.99", General, 2, 0, "10"},
      {"0", General, 15, 0, "0"},
      {"1234.5", Fixed, 15, 2, "1234.50"},
      {"1234.565", Fixed, 15, 2, "1234.57"},
      {"-1234.565", Fixed, 15, 2, "-1234.57"},
      {"0.5", Fixed, 15, 0, "1"},
      {"0.4", Fixed, 15, 0, "0"},
      {"-0.004", Fixed, 15, 2, "0.00"},
      {"12345", Fixed, 3, 2, "1.23E4"},
      {"123.456", Fixed, 4, 3, "123.500"},
      {"7", Fixed, 15, 4, "7.0000"},
      {"0.000123", Fixed, 15, 5, "0.00012"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(BcdToStrF(StrToBcd(c.Text), c.Format, c.Precision, c.Digits), c.Expected)
        << c.Text << " " << c.Precision << " " << c.Digits;
  // The locale's decimal separator, both ways.
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(BcdToStr(StrToBcd("-2,75")), "-2,75");
  EXPECT_EQ(BcdToStrF(StrToBcd("2,5"), TBcdFormat::Fixed, 15, 2), "2,50");
}

TEST_F(FMTBcdTest, FormatFloatKeepsEveryDigitOfTheValue)
{
  struct TCase {
    const char* Format;
    const char* Text;
    const char* Expected;
  };
  const TCase cases[] = {
      {"#,##0.00", "12345678901234567890.125", "12,345,678,901,234,567,890.13"},
      {"0.000000000000000000000", "0.123456789012345678901", "0.123456789012345678901"},
      {"0", "99999999999999999999.5", "100000000000000000000"},
      {"0.00;(0.00)", "-1.005", "(1.01)"},
      {"0.0;;'zero'", "-0.04", "zero"},
      {"0.00E+00", "123456789012345678901234567890", "1.23E+29"},
      {"", "-1234.50", "-1234.5"},
  };
  for (const TCase& c : cases) EXPECT_EQ(FormatFloat(c.Format, StrToBcd(c.Text)), c.Expected) << c.Format << " " << c.Text;
}

TEST_F(FMTBcdTest, ComparisonIsExact)
{
  struct TCase {
    const char* A;
    const char* B;
    int Expected;
  };
  const TCase cases[] = {
      {"1.5", "1.50", 0},       {"-0", "0", 0},         {"0.1", "0.10000000000000000000001", -1},
      {"-2", "-10", 1},         {"-2", "1", -1},         {"99", "100", -1},
      {"0.0012", "0.002", -1},  {"1E40", "9.9E39", 1},   {"-0.5", "0", -1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(BcdCompare(StrToBcd(c.A), StrToBcd(c.B)), c.Expected) << c.A << " " << c.B;
    EXPECT_EQ(BcdCompare(StrToBcd(c.B), StrToBcd(c.A)), -c.Expected) << c.B << " " << c.A;
  }
}

TEST_F(FMTBcdTest, NumbersConvert)
{
  EXPECT_EQ(BcdToStr(Int64ToBcd(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(BcdToStr(DoubleToBcd(0.1)), "0.1");
  EXPECT_EQ(BcdToStr(DoubleToBcd(-1.25e-10)), "-0.000000000125");
  EXPECT_EQ(BcdToStr(DoubleToBcd(1e20)), "100000000000000000000");
  EXPECT_THROW(DoubleToBcd(std::nan("")), EBcdOverflowException);
  EXPECT_EQ(BcdToDouble(StrToBcd("0.1")), 0.1);
  EXPECT_EQ(BcdToDouble(StrToBcd("-123456.789")), -123456.789);
}

TEST_F(FMTBcdTest, VariantKindConvertsByTheVariantRules)
{
  Variant v = Bcd("-1234.5678");
  EXPECT_TRUE(VarIsFMTBcd(v));
  EXPECT_GE(VarFMTBcd(), 0x010F);
  EXPECT_EQ(FindCustomVariantType(VarFMTBcd())->Name(), "FMTBcd");
  EXPECT_EQ(VarTypeAsText(VarFMTBcd()), "FMTBcd");
  EXPECT_FALSE(VarIsNumeric(v));  // the built-in test knows the built-in kinds only

  EXPECT_EQ(v.AsString(), "-1234.5678");
  EXPECT_EQ(v.AsWideString(), L"-1234.5678");
  EXPECT_EQ(v.AsDouble(), -1234.5678);
  EXPECT_EQ(v.AsCurrency(), Currency::FromRaw(-12345678));
  EXPECT_EQ(v.AsInteger(), -1235);
  EXPECT_TRUE(v.AsBoolean());
  EXPECT_EQ(Bcd("2.5").AsInteger(), 2);  // halves to even, as for doubles
  EXPECT_EQ(Bcd("9223372036854775807").AsInt64(), INT64_MAX);  // whole numbers exactly
  EXPECT_THROW(Bcd("9223372036854775808").AsInt64(), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Bcd("70000"), varSmallint), EVariantOverflowError);
  EXPECT_EQ(VarType(VarAsType(Bcd("7"), varWord)), varWord);
  EXPECT_EQ(VarAsType(Bcd("40000.5"), varDate).AsDateTime(), 40000.5);
  VARIANT ole;
  VariantInit(&ole);
  EXPECT_THROW(ToOleVariant(v, ole), EVariantBadVarTypeError);
  EXPECT_EQ(V_VT(&ole), VT_EMPTY);

  struct TCase {
    Variant Source;
    const char* Expected;  // nullptr: EVariantTypeCastError
  };
  const TCase into[] = {
      {Variant(), "0"},
      {Variant(int64_t(-9007199254740993)), "-9007199254740993"},
      {Variant(true), "-1"},
      {Variant(Currency::FromRaw(-5)), "-0.0005"},
      {Variant(0.1), "0.1"},
      {Variant(0.1f), "0.1"},
      {VarFromDateTime(2.25), "2.25"},
      {Variant(" 12.50 "), "12.5"},
      {Variant(L"3E2"), "300"},
      {Variant("x"), nullptr},
      {Null(), nullptr},
      {VarArrayOf({1}), nullptr},
      {Variant(std::nan("")), nullptr},
  };
  for (const TCase& c : into) {
    if (c.Expected) {
      Variant b = VarAsType(c.Source, VarFMTBcd());
      EXPECT_TRUE(VarIsFMTBcd(b));
      EXPECT_EQ(BcdToStr(VarToBcd(c.Source)), c.Expected);
    } else {
      EXPECT_THROW(VarToBcd(c.Source), EVariantTypeCastError) << VarTypeAsText(VarType(c.Source));
    }
  }
  EXPECT_EQ(MessageOf<EVariantTypeCastError>([] { VarToBcd(Variant("x")); }),
            "Could not convert variant of type (String) into type (FMTBcd)");
  EXPECT_EQ(MessageOf<EVariantTypeCastError>([] { VarAsType(Bcd("1"), varDispatch); }),
            "Could not convert variant of type (FMTBcd) into type (Dispatch)");
}

TEST_F(FMTBcdTest, VariantComparisonAcrossKinds)
{
  struct TCase {
    Variant A, B;
    TVariantRelationship Expected;
  };
  using enum TVariantRelationship;
  const TCase cases[] = {
      {Bcd("0.1"), Variant(0.1), vrEqual},
      {Bcd("0.30000000000000001"), Variant(0.3), vrGreaterThan},  // exact, not through a double
      {Bcd("1.5"), Bcd("1.50"), vrEqual},
      {Bcd("-3"), Variant(2), vrLessThan},
      {Bcd("123456789012345678"), Variant(int64_t(123456789012345677)), vrGreaterThan},
      {Bcd("2.5"), Variant("2.5"), vrEqual},
      {Bcd("1.0001"), Variant(Currency::FromRaw(10000)), vrGreaterThan},
      {Bcd("-1"), Variant(true), vrEqual},
      {Bcd("0"), Variant(), vrNotEqual},  // Empty against anything else, as for every kind
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(VarCompareValue(c.A, c.B), c.Expected) << Describe(c.A) << " " << Describe(c.B);
    TVariantRelationship reversed = c.Expected == vrLessThan      ? vrGreaterThan
                                    : c.Expected == vrGreaterThan ? vrLessThan
                                                                  : c.Expected;
    EXPECT_EQ(VarCompareValue(c.B, c.A), reversed) << Describe(c.B) << " " << Describe(c.A);
  }
  EXPECT_TRUE(Bcd("0") == Variant());  // the operators take Empty as 0
  EXPECT_TRUE(Null() < Bcd("-5"));
  EXPECT_FALSE(Bcd("1") == Null());
  EXPECT_TRUE(Bcd("1") < Variant(1.5));
  EXPECT_TRUE(Variant(1.5) > Bcd("1"));
  // Values beyond what a BCD holds still compare; they do not convert.
  EXPECT_TRUE(Bcd("1") < Variant(1e300));
  EXPECT_TRUE(Bcd("1") > Variant("-1E100"));
  EXPECT_THROW(VarToBcd(Variant(1e300)), EVariantOverflowError);
  EXPECT_THROW((void)(Bcd("1") == Variant("abc")), EVariantTypeCastError);
  EXPECT_THROW((void)(Variant("abc") < Bcd("1")), EVariantTypeCastError);
}

}  // namespace
