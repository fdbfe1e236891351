// Variant: conversions between kinds, comparisons across kinds, arrays, and the OLE VARIANT
// round trip (strings, arrays, interfaces; nothing leaked).
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>
#include "classlib/DateTime.h"
#include "classlib/Encoding.h"
#include "classlib/SysUtils.h"
#include "classlib/Variant.h"

// Lets failure messages show variants as "Integer 5".
void PrintTo(const Variant& v, std::ostream* os)
{
  *os << VarTypeAsText(VarType(v));
  try {
    if (!VarIsNull(v) && !VarIsEmpty(v)) *os << " " << VarToStr(v);
  } catch (const EVariantError&) {
  }
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class TErr { None, TypeCast, Overflow, BadVarType, InvalidOp, BadIndex, NotAnArray, ArrayCreate };

const char* ErrName(TErr e)
{
  static const char* names[] = {"none",       "type cast", "overflow",     "bad var type",
                                "invalid op", "bad index", "not an array", "array create"};
  return names[static_cast<int>(e)];
}

// Runs body and tells which kind of variant error it raised (its message into *message).
template <class F>
TErr ErrorOf(F&& body, std::string* message = nullptr)
{
  auto caught = [&](const Exception& e, TErr kind) {
    if (message) *message = e.Message();
    return kind;
  };
  try {
    body();
  } catch (const EVariantTypeCastError& e) {
    return caught(e, TErr::TypeCast);
  } catch (const EVariantOverflowError& e) {
    return caught(e, TErr::Overflow);
  } catch (const EVariantBadVarTypeError& e) {
    return caught(e, TErr::BadVarType);
  } catch (const EVariantInvalidOpError& e) {
    return caught(e, TErr::InvalidOp);
  } catch (const EVariantBadIndexError& e) {
    return caught(e, TErr::BadIndex);
  } catch (const EVariantNotAnArrayError& e) {
    return caught(e, TErr::NotAnArray);
  } catch (const EVariantArrayCreateError& e) {
    return caught(e, TErr::ArrayCreate);
  }
  return TErr::None;
}

std::string Describe(const Variant& v)
{
  std::ostringstream os;
  PrintTo(v, &os);
  return os.str();
}

// Same kind and equal value.
bool Same(const Variant& a, const Variant& b)
{
  if (VarType(a) != VarType(b)) return false;
  if (VarIsNull(a) || VarIsEmpty(a)) return true;
  return a == b;
}

Variant Curr(int64_t raw) { return Variant(Currency::FromRaw(raw)); }
Variant DateVar(double days) { return VarFromDateTime(TDateTime(days)); }

// Fixed number conventions for every test; the locale's are put back afterwards.
using VariantTest = FixedNumberFormatTest;

}  // namespace

// ---- Conversions ---------------------------------------------------------------------------------

namespace {

struct TConversion {
  Variant Source;
  TVarType Target;
  Variant Expected;
  TErr Error = TErr::None;
  const char* Message = nullptr;
};

TConversion Ok(Variant source, TVarType target, Variant expected) { return {source, target, expected}; }
TConversion Fails(Variant source, TVarType target, TErr error, const char* message = nullptr)
{
  return {source, target, Variant(), error, message};
}

}  // namespace

TEST_F(VariantTest, ConversionTable)
{
  const int64_t maxInt64 = std::numeric_limits<int64_t>::max();
  const TConversion cases[] = {
      // Empty gives zero values; Null converts only to Null and Empty.
      Ok(Variant(), varInteger, 0),
      Ok(Variant(), varDouble, 0.0),
      Ok(Variant(), varString, ""),
      Ok(Variant(), varBoolean, false),
      Ok(Variant(), varCurrency, Curr(0)),
      Ok(Variant(), varNull, Null()),
      Ok(Null(), varEmpty, Variant()),
      Ok(Null(), varNull, Null()),
      Fails(Null(), varInteger, TErr::TypeCast, "Could not convert variant of type (Null) into type (Integer)"),
      Fails(Null(), varString, TErr::TypeCast, "Could not convert variant of type (Null) into type (String)"),
      Fails(Null(), varBoolean, TErr::TypeCast),
      Fails(Null(), varOleStr, TErr::TypeCast),
      Fails(Null(), varDate, TErr::TypeCast),
      // Booleans are -1 and 0 as numbers, "True" and "False" as text.
      Ok(true, varInteger, -1),
      Ok(false, varInteger, 0),
      Ok(true, varDouble, -1.0),
      Ok(true, varCurrency, Curr(-10000)),
      Ok(true, varByte, static_cast<unsigned char>(255)),  // all bits set
      Ok(true, varString, "True"),
      Ok(false, varString, "False"),
      Ok(true, varOleStr, L"True"),
      // Numbers are Booleans by being non-zero.
      Ok(5, varBoolean, true),
      Ok(0, varBoolean, false),
      Ok(0.0, varBoolean, false),
      Ok(0.1, varBoolean, true),
      Ok(Curr(1), varBoolean, true),
      // Floating point to integers: halves to even; out of range overflows.
      Ok(2.5, varInteger, 2),
      Ok(3.5, varInteger, 4),
      Ok(-2.5, varInteger, -2),
      Ok(2.4999, varInteger, 2),
      Ok(-0.6, varSmallint, static_cast<short>(-1)),
      Ok(1e10, varInt64, 10000000000LL),
      Fails(1e10, varInteger, TErr::Overflow, "Arithmetic overflow"),
      Fails(kNaN, varInteger, TErr::Overflow),
      Fails(9.3e18, varInt64, TErr::Overflow),
      Ok(Curr(25000), varInteger, 2),
      Ok(Curr(35000), varInteger, 4),
      Ok(Curr(-15000), varInteger, -2),
      // Integer ranges.
      Fails(40000, varSmallint, TErr::Overflow),
      Ok(-32768, varSmallint, static_cast<short>(-32768)),
      Fails(-1, varByte, TErr::Overflow),
      Fails(256, varByte, TErr::Overflow),
      Ok(127, varShortInt, static_cast<signed char>(127)),
      Fails(-129, varShortInt, TErr::Overflow),
      Fails(-1, varLongWord, TErr::Overflow),
      Ok(4294967295LL, varLongWord, 4294967295u),
      Fails(4294967296LL, varLongWord, TErr::Overflow),
      Fails(4294967295u, varInteger, TErr::Overflow),
      Ok(static_cast<unsigned short>(65535), varInteger, 65535),
      Ok(maxInt64, varDouble, 9223372036854775807.0),
      Fails(maxInt64, varCurrency, TErr::Overflow),
      // Text to numbers, with StrToInt and StrToFloat's rules.
      Ok("12", varInteger, 12),
      Ok(" 12 ", varInteger, 12),
      Ok("$1F", varInteger, 31),
      Ok("2.5", varInteger, 2),
      Ok("1.5", varDouble, 1.5),
      Ok("-1E3", varDouble, -1000.0),
      Ok("9223372036854775807", varInt64, maxInt64),  // exact, not through a double
      Ok("1.23456", varCurrency, Curr(12346)),
      Ok(L"42", varInteger, 42),
      Fails("abc", varDouble, TErr::TypeCast, "Could not convert variant of type (String) into type (Double)"),
      Fails("abc", varInteger, TErr::TypeCast, "Could not convert variant of type (String) into type (Integer)"),
      Fails("", varInteger, TErr::TypeCast),
      Fails("1,5", varDouble, TErr::TypeCast),
      Fails("True", varInteger, TErr::TypeCast),
      Fails(L"abc", varCurrency, TErr::TypeCast, "Could not convert variant of type (OleStr) into type (Currency)"),
      Fails("99999999999", varInteger, TErr::Overflow),
      Fails("1E300", varCurrency, TErr::Overflow),
      // Text to Booleans: "True"/"False" in any case, or a number.
      Ok("True", varBoolean, true),
      Ok("false", varBoolean, false),
      Ok("TRUE", varBoolean, true),
      Ok(L"False", varBoolean, false),
      Ok("0", varBoolean, false),
      Ok("-2", varBoolean, true),
      Fails("yes", varBoolean, TErr::TypeCast, "Could not convert variant of type (String) into type (Boolean)"),
      // Numbers to text.
      Ok(-42, varString, "-42"),
      Ok(1.5, varString, "1.5"),
      Ok(0.1f, varString, "0.1"),  // a Single shows the digits it carries
      Ok(1e20, varString, "1E20"),
      Ok(Curr(15000), varString, "1.5"),
      Ok(Curr(-1), varString, "-0.0001"),
      Ok(maxInt64, varString, "9223372036854775807"),
      Ok(4294967295u, varString, "4294967295"),
      // Floating-point kinds.
      Ok(0.1, varSingle, 0.1f),
      Fails(1e300, varSingle, TErr::Overflow),
      Ok(Curr(12345), varDouble, 1.2345),
      Ok(1.00004, varCurrency, Curr(10000)),
      Ok(-1.00006, varCurrency, Curr(-10001)),
      Fails(1e300, varCurrency, TErr::Overflow),
      Ok(DateVar(45000.5), varDouble, 45000.5),
      Ok(45000.5, varDate, DateVar(45000.5)),
      Ok(7, varDate, DateVar(7)),
      Fails(1e10, varDate, TErr::Overflow),
      Ok(DateVar(45000.75), varInteger, 45001),
      // Wide and ANSI text, Chinese included.
      Ok("文件搜索", varOleStr, L"文件搜索"),
      Ok(L"文件搜索", varString, "文件搜索"),
      Ok(Variant(), varOleStr, L""),
      // Kinds with no conversion, and type codes that are no conversion target.
      Fails(VarArrayOf({1, 2}), varString, TErr::TypeCast,
            "Could not convert variant of type (Array Variant) into type (String)"),
      Fails(VarArrayCreate({0, 1}, varInteger), varInteger, TErr::TypeCast,
            "Could not convert variant of type (Array Integer) into type (Integer)"),
      Fails(VarAsError(DISP_E_PARAMNOTFOUND), varInteger, TErr::TypeCast),
      Fails(5, varError, TErr::TypeCast),
      Fails(5, varVariant, TErr::BadVarType, "Invalid variant type"),
      Fails(5, varArray | varInteger, TErr::BadVarType),
      Fails(5, 0x000F, TErr::BadVarType),
  };
  for (const TConversion& c : cases) {
    SCOPED_TRACE(Describe(c.Source) + " -> " + VarTypeAsText(c.Target));
    Variant result;
    std::string message;
    TErr error = ErrorOf([&] { result = VarAsType(c.Source, c.Target); }, &message);
    EXPECT_STREQ(ErrName(error), ErrName(c.Error));
    if (c.Error == TErr::None) {
      EXPECT_TRUE(Same(result, c.Expected)) << "got " << Describe(result) << ", expected " << Describe(c.Expected);
    } else if (c.Message) {
      EXPECT_EQ(message, c.Message);
    }
  }
}

TEST_F(VariantTest, NamedConversionsFollowTheSameRules)
{
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);
  EXPECT_EQ(static_cast<int>(Variant(3.5)), 4);
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(static_cast<std::string>(Variant(Curr(12500))), "1.25");
  EXPECT_FALSE(Variant().AsBoolean());
  EXPECT_TRUE(static_cast<bool>(Variant("tRuE")));
  EXPECT_EQ(Variant("9000000000").AsInt64(), 9000000000LL);
  EXPECT_EQ(Variant(L"中文").AsString(), "中文");
  EXPECT_EQ(Variant("中文").AsWideString(), L"中文");
  EXPECT_EQ(Variant(1.5).AsCurrency(), Currency::FromRaw(15000));
  EXPECT_DOUBLE_EQ(Variant(Curr(5)).AsDouble(), 0.0005);
  EXPECT_EQ(ErrorOf([] { Null().AsString(); }), TErr::TypeCast);
  EXPECT_EQ(ErrorOf([] { Variant(1e10).AsInteger(); }), TErr::Overflow);
  EXPECT_EQ(ErrorOf([] { Variant(5).AsError(); }), TErr::TypeCast);
  EXPECT_EQ(VarAsError(E_FAIL).AsError(), E_FAIL);
  EXPECT_EQ(ErrorOf([] { Variant(static_cast<unsigned long long>(1) << 63); }), TErr::Overflow);
}

TEST_F(VariantTest, ConstructorsPickTheKind)
{
  struct Case {
    Variant Value;
    TVarType Type;
  };
  const Case cases[] = {
      {Variant(), varEmpty},
      {Null(), varNull},
      {Unassigned(), varEmpty},
      {static_cast<short>(1), varSmallint},
      {1, varInteger},
      {1L, varInteger},
      {1.0f, varSingle},
      {1.0, varDouble},
      {Curr(1), varCurrency},
      {DateVar(1), varDate},
      {L"w", varOleStr},
      {std::wstring(L"w"), varOleStr},
      {true, varBoolean},
      {static_cast<signed char>(1), varShortInt},
      {static_cast<unsigned char>(1), varByte},
      {static_cast<unsigned short>(1), varWord},
      {1u, varLongWord},
      {1LL, varInt64},
      {"s", varString},
      {std::string("s"), varString},
      {std::string_view("s"), varString},
      {'c', varString},
      {VarAsError(E_FAIL), varError},
      {static_cast<IDispatch*>(nullptr), varDispatch},
      {static_cast<IUnknown*>(nullptr), varUnknown},
      {VarArrayOf({}), varArray | varVariant},
      {VarArrayCreate({0, 1}, varOleStr), varArray | varOleStr},
  };
  for (const Case& c : cases) EXPECT_EQ(VarType(c.Value), c.Type) << Describe(c.Value);
  EXPECT_EQ(Variant('c').AsString(), "c");
}

TEST_F(VariantTest, TextFollowsTheLocaleConventions)
{
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(VarToStr(1.5), "1,5");
  EXPECT_EQ(VarToStr(Curr(12500)), "1,25");
  EXPECT_DOUBLE_EQ(Variant("2,25").AsDouble(), 2.25);
  EXPECT_EQ(ErrorOf([] { Variant("2.25").AsDouble(); }), TErr::TypeCast);
  EXPECT_EQ(Variant("1,5").AsCurrency(), Currency::FromRaw(15000));
  EXPECT_EQ(VarToStr(DateVar(45000.5)), DateTimeToStr(TDateTime(45000.5)));
  EXPECT_EQ(VarToStr(Variant(L"45000,5")), "45000,5");
}

TEST_F(VariantTest, DatesConvertThroughTheDateTextFunctions)
{
  const TDateTime noon(45000.5);
  std::string text = DateTimeToStr(noon);
  EXPECT_EQ(VarToStr(VarFromDateTime(noon)), text);
  EXPECT_DOUBLE_EQ(static_cast<double>(VarToDateTime(Variant(text))), 45000.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(VarToDateTime(Variant(AnsiToWide(text)))), 45000.5);
  std::string message;
  EXPECT_EQ(ErrorOf([] { VarToDateTime(Variant("not a date")); }, &message), TErr::TypeCast);
  EXPECT_EQ(message, "Could not convert variant of type (String) into type (Date)");
}

TEST_F(VariantTest, VarToStrGivesEmptyTextForNull)
{
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStr(Variant()), "");
  EXPECT_EQ(VarToStr(5), "5");
  EXPECT_EQ(VarToStrDef(Null(), "n/a"), "n/a");
  EXPECT_EQ(VarToStrDef(Variant(), "n/a"), "");  // only Null takes the default
  EXPECT_EQ(VarToStrDef(false, "n/a"), "False");
  EXPECT_EQ(ErrorOf([] { VarToStr(VarArrayOf({1})); }), TErr::TypeCast);
}

TEST_F(VariantTest, KindTests)
{
  constexpr unsigned E = 1, N = 2, C = 4, Ord = 8, Flt = 16, Num = 32, Str = 64, Arr = 128;
  struct Case {
    Variant Value;
    unsigned Flags;
  };
  const Case cases[] = {
      {Variant(), E | C},
      {Null(), N},
      {5, Ord | Num},
      {true, Ord | Num},
      {static_cast<unsigned char>(5), Ord | Num},
      {5LL, Ord | Num},
      {1.5, Flt | Num},
      {1.5f, Flt | Num},
      {Curr(1), Flt | Num},
      {DateVar(1), 0},
      {"s", Str},
      {L"s", Str},
      {VarArrayOf({1}), Arr},
      {static_cast<IDispatch*>(nullptr), C},
      {VarAsError(E_FAIL), 0},
  };
  for (const Case& c : cases) {
    const Variant& v = c.Value;
    unsigned flags = (VarIsEmpty(v) ? E : 0u) | (VarIsNull(v) ? N : 0u) | (VarIsClear(v) ? C : 0u) |
                     (VarIsOrdinal(v) ? Ord : 0u) | (VarIsFloat(v) ? Flt : 0u) | (VarIsNumeric(v) ? Num : 0u) |
                     (VarIsStr(v) ? Str : 0u) | (VarIsArray(v) ? Arr : 0u);
    EXPECT_EQ(flags, c.Flags) << Describe(v);
  }
  EXPECT_TRUE(VarIsType(5, varInteger));
  EXPECT_FALSE(VarIsType(5, varInt64));
  EXPECT_EQ(VarTypeAsText(varArray | varByte), "Array Byte");
  EXPECT_EQ(VarTypeAsText(0x00F0), "$00F0");
}

TEST_F(VariantTest, ClearAndMoveLeaveEmpty)
{
  Variant a("text");
  Variant b(std::move(a));
  EXPECT_TRUE(VarIsEmpty(a));  // a moved-from variant is Empty
  EXPECT_EQ(b, "text");
  Variant arr = VarArrayOf({1, 2});
  Variant moved;
  moved = std::move(arr);
  EXPECT_TRUE(VarIsEmpty(arr));
  EXPECT_EQ(VarArrayHighBound(moved, 1), 1);
  moved.Clear();
  EXPECT_TRUE(VarIsEmpty(moved));
  Variant self = VarArrayOf({"x"});
  self = self;
  EXPECT_EQ(VarArrayGet(self, {0}), "x");
}

// ---- Comparison ----------------------------------------------------------------------------------

namespace {

enum class TRel { Equal, Less, Greater, Unordered, InvalidOp, TypeCast };

const char* RelName(TRel r)
{
  static const char* names[] = {"equal", "less", "greater", "unordered", "invalid op", "type cast"};
  return names[static_cast<int>(r)];
}

TRel Inverse(TRel r) { return r == TRel::Less ? TRel::Greater : r == TRel::Greater ? TRel::Less : r; }

// The relation the six operators report, after checking that they agree with each other.
TRel RelationOf(const Variant& a, const Variant& b)
{
  bool eq = false, ne = false, lt = false, le = false, gt = false, ge = false;
  TErr error = ErrorOf([&] {
    eq = a == b;
    ne = a != b;
    lt = a < b;
    le = a <= b;
    gt = a > b;
    ge = a >= b;
  });
  if (error == TErr::InvalidOp) return TRel::InvalidOp;
  if (error == TErr::TypeCast) return TRel::TypeCast;
  EXPECT_EQ(error, TErr::None);
  EXPECT_NE(eq, ne);
  EXPECT_EQ(le, lt || eq);
  EXPECT_EQ(ge, gt || eq);
  if (eq) return TRel::Equal;
  if (lt) return TRel::Less;
  if (gt) return TRel::Greater;
  return TRel::Unordered;
}

}  // namespace

TEST_F(VariantTest, ComparisonTable)
{
  struct Case {
    Variant A, B;
    TRel Expected;
  };
  const Variant array = VarArrayOf({1});
  const Case cases[] = {
      // Numbers across kinds.
      {1, 1.0, TRel::Equal},
      {1, 2, TRel::Less},
      {static_cast<short>(3), 2.5, TRel::Greater},
      {static_cast<unsigned char>(255), -1, TRel::Greater},
      {4294967295u, -1, TRel::Greater},
      {9007199254740993LL, 9007199254740992LL, TRel::Greater},  // exact, not through doubles
      {Curr(15000), 1.5, TRel::Equal},
      {Curr(10001), 1, TRel::Greater},
      {Curr(-5000), 0, TRel::Less},
      {Curr(-5000), -1, TRel::Greater},
      {Curr(-10000), -1LL, TRel::Equal},
      {Curr(20000), Curr(19999), TRel::Greater},
      {1.5f, 1.5, TRel::Equal},
      {DateVar(45000), 45000, TRel::Equal},
      {DateVar(45000.5), 45001, TRel::Less},
      {kNaN, kNaN, TRel::Unordered},
      {kNaN, 1, TRel::Unordered},
      // Booleans are -1 and 0.
      {true, -1, TRel::Equal},
      {true, false, TRel::Less},
      {false, 0, TRel::Equal},
      {true, 1, TRel::Less},
      {true, "-1", TRel::Equal},
      // Text: locale order, case-sensitive.
      {"abc", "abd", TRel::Less},
      {"a", "B", TRel::Less},  // locale order, not byte order
      {"a", "A", TRel::Less},
      {"abc", "abc", TRel::Equal},
      {"文件", "文件", TRel::Equal},
      {L"文件", "文件", TRel::Equal},
      {L"abc", L"abd", TRel::Less},
      // A number against text reads the text as a number.
      {"10", 9, TRel::Greater},
      {"1.5", 1.5, TRel::Equal},
      {" 7 ", 7LL, TRel::Equal},
      {Curr(15000), "1.5", TRel::Equal},
      {"abc", 1, TRel::TypeCast},
      {"", 0, TRel::TypeCast},
      {"True", true, TRel::TypeCast},
      // Empty: 0 against numbers, "" against text.
      {Variant(), Variant(), TRel::Equal},
      {Variant(), 0, TRel::Equal},
      {Variant(), 1, TRel::Less},
      {Variant(), -1.5, TRel::Greater},
      {Variant(), false, TRel::Equal},
      {Variant(), "", TRel::Equal},
      {Variant(), "a", TRel::Less},
      {Variant(), L"", TRel::Equal},
      {Variant(), Curr(0), TRel::Equal},
      // Null equals only Null and lies below everything else.
      {Null(), Null(), TRel::Equal},
      {Null(), 0, TRel::Less},
      {Null(), -1e300, TRel::Less},
      {Null(), Variant(), TRel::Less},
      {Null(), "", TRel::Less},
      {Null(), array, TRel::Less},
      // Arrays, interfaces and error codes are not comparable.
      {array, array, TRel::InvalidOp},
      {array, 1, TRel::InvalidOp},
      {array, Variant(), TRel::InvalidOp},
      {static_cast<IUnknown*>(nullptr), 1, TRel::InvalidOp},
      {VarAsError(E_FAIL), VarAsError(E_FAIL), TRel::InvalidOp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.A) + " vs " + Describe(c.B));
    EXPECT_STREQ(RelName(RelationOf(c.A, c.B)), RelName(c.Expected));
    EXPECT_STREQ(RelName(RelationOf(c.B, c.A)), RelName(Inverse(c.Expected)));
  }
}

TEST_F(VariantTest, ComparisonOfDateWithItsText)
{
  const Variant date = DateVar(45000.5);
  const Variant text = DateTimeToStr(TDateTime(45000.5));
  EXPECT_TRUE(date == text);
  EXPECT_TRUE(DateVar(45000.25) < text);
  EXPECT_EQ(ErrorOf([&] { (void)(date == Variant("no date")); }), TErr::TypeCast);
}

TEST_F(VariantTest, CompareValueKeepsEmptyAndNullApart)
{
  using R = TVariantRelationship;
  struct Case {
    Variant A, B;
    R Expected;
  };
  const Case cases[] = {
      {1, 2, R::vrLessThan},
      {2, 1, R::vrGreaterThan},
      {1, 1.0, R::vrEqual},
      {"b", "a", R::vrGreaterThan},
      {Variant(), Variant(), R::vrEqual},
      {Null(), Null(), R::vrEqual},
      {Null(), 1, R::vrNotEqual},
      {1, Null(), R::vrNotEqual},
      {Variant(), 0, R::vrNotEqual},
      {"", Variant(), R::vrNotEqual},
      {Variant(), Null(), R::vrNotEqual},
      {kNaN, 1, R::vrNotEqual},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VarCompareValue(c.A, c.B), c.Expected) << Describe(c.A) << " vs " << Describe(c.B);
  EXPECT_EQ(ErrorOf([] { VarCompareValue(VarArrayOf({}), 1); }), TErr::InvalidOp);
  EXPECT_EQ(ErrorOf([] { VarCompareValue("x", 1); }), TErr::TypeCast);
}

// ---- Arrays --------------------------------------------------------------------------------------

TEST_F(VariantTest, ArrayBoundsElementsAndLayout)
{
  Variant a = VarArrayCreate({{1, 3}, {0, 1}}, varInteger);
  EXPECT_EQ(VarType(a), varArray | varInteger);
  ASSERT_EQ(VarArrayDimCount(a), 2);
  EXPECT_EQ(VarArrayLowBound(a, 1), 1);
  EXPECT_EQ(VarArrayHighBound(a, 1), 3);
  EXPECT_EQ(VarArrayLowBound(a, 2), 0);
  EXPECT_EQ(VarArrayHighBound(a, 2), 1);
  EXPECT_TRUE(Same(VarArrayGet(a, {2, 1}), 0));  // new elements are zero
  for (int i = 1; i <= 3; ++i)
    for (int j = 0; j <= 1; ++j) VarArrayPut(a, i * 10 + j, {i, j});
  EXPECT_TRUE(Same(VarArrayGet(a, {3, 1}), 31));
  // The leftmost index varies fastest in memory, as in a SAFEARRAY.
  const auto* data = static_cast<const int32_t*>(VarArrayLock(a));
  EXPECT_EQ((std::vector<int32_t>(data, data + 6)), (std::vector<int32_t>{10, 20, 30, 11, 21, 31}));
  VarArrayUnlock(a);

  Variant bytes = VarArrayCreate({0, 3}, varByte);  // low, high pairs
  VarArrayPut(bytes, 0x41, {0});
  VarArrayPut(bytes, "66", {1});
  EXPECT_EQ(std::string(static_cast<const char*>(VarArrayLock(bytes)), 2), "AB");
  VarArrayUnlock(bytes);
  EXPECT_TRUE(Same(VarArrayGet(bytes, {1}), static_cast<unsigned char>(66)));

  Variant flags = VarArrayCreate({0, 0}, varBoolean);
  VarArrayPut(flags, true, {0});
  EXPECT_EQ(*static_cast<const VARIANT_BOOL*>(VarArrayLock(flags)), VARIANT_TRUE);
  EXPECT_TRUE(Same(VarArrayGet(flags, {0}), true));

  Variant texts = VarArrayCreate({0, 1}, varOleStr);
  EXPECT_TRUE(Same(VarArrayGet(texts, {0}), L""));
  VarArrayPut(texts, "中文", {1});
  EXPECT_TRUE(Same(VarArrayGet(texts, {1}), L"中文"));
}

TEST_F(VariantTest, ArrayPutConvertsToTheElementType)
{
  Variant a = VarArrayCreate({0, 1}, varInteger);
  VarArrayPut(a, "7", {0});
  EXPECT_TRUE(Same(VarArrayGet(a, {0}), 7));
  VarArrayPut(a, 2.5, {1});
  EXPECT_TRUE(Same(VarArrayGet(a, {1}), 2));
  EXPECT_EQ(ErrorOf([&] { VarArrayPut(a, "x", {0}); }), TErr::TypeCast);
  EXPECT_EQ(ErrorOf([&] { VarArrayPut(a, Null(), {0}); }), TErr::TypeCast);
  EXPECT_TRUE(Same(VarArrayGet(a, {0}), 7));  // a failed put leaves the element
  Variant b = VarArrayCreate({0, 0}, varByte);
  EXPECT_EQ(ErrorOf([&] { VarArrayPut(b, 300, {0}); }), TErr::Overflow);
  Variant c = VarArrayCreate({0, 0}, varCurrency);
  VarArrayPut(c, "1.5", {0});
  EXPECT_TRUE(Same(VarArrayGet(c, {0}), Curr(15000)));
}

TEST_F(VariantTest, ArrayErrors)
{
  struct Case {
    const char* What;
    std::function<void()> Body;
    TErr Expected;
  };
  Variant a = VarArrayCreate({{1, 3}, {0, 1}}, varInteger);
  const Case cases[] = {
      {"index above", [&] { VarArrayGet(a, {4, 0}); }, TErr::BadIndex},
      {"index below", [&] { VarArrayGet(a, {0, 0}); }, TErr::BadIndex},
      {"second index", [&] { VarArrayPut(a, 1, {1, 2}); }, TErr::BadIndex},
      {"too few indices", [&] { VarArrayGet(a, {1}); }, TErr::BadIndex},
      {"too many indices", [&] { VarArrayGet(a, {1, 0, 0}); }, TErr::BadIndex},
      {"dimension 0", [&] { VarArrayLowBound(a, 0); }, TErr::BadIndex},
      {"dimension 3", [&] { VarArrayHighBound(a, 3); }, TErr::BadIndex},
      {"bound of a scalar", [] { VarArrayLowBound(5, 1); }, TErr::NotAnArray},
      {"get from a scalar", [] { VarArrayGet(Variant("x"), {0}); }, TErr::NotAnArray},
      {"lock a scalar", [] { Variant v; VarArrayLock(v); }, TErr::NotAnArray},
      {"high below low - 1", [] { VarArrayCreate({0, -2}, varInteger); }, TErr::ArrayCreate},
      {"odd bound list", [] { VarArrayCreate({0, 1, 2}, varInteger); }, TErr::ArrayCreate},
      {"no dimensions", [] { VarArrayCreate(std::span<const TVarArrayBound>(), varInteger); }, TErr::ArrayCreate},
      {"Empty elements", [] { VarArrayCreate({0, 1}, varEmpty); }, TErr::ArrayCreate},
      {"Null elements", [] { VarArrayCreate({0, 1}, varNull); }, TErr::ArrayCreate},
      {"array elements", [] { VarArrayCreate({0, 1}, varArray | varInteger); }, TErr::ArrayCreate},
      {"too many elements", [] { VarArrayCreate({{0, 65535}, {0, 65535}}, varByte); }, TErr::ArrayCreate},
  };
  for (const Case& c : cases) EXPECT_STREQ(ErrName(ErrorOf(c.Body)), ErrName(c.Expected)) << c.What;
  std::string message;
  ErrorOf([&] { VarArrayGet(a, {4, 0}); }, &message);
  EXPECT_EQ(message, "Variant or safe array index out of bounds");
  ErrorOf([] { VarArrayCreate({0, 1}, varNull); }, &message);
  EXPECT_EQ(message, "Error creating variant or safe array");
  EXPECT_EQ(VarArrayDimCount(5), 0);
  Variant none = VarArrayCreate({0, -1}, varVariant);
  EXPECT_EQ(VarArrayHighBound(none, 1), -1);
  EXPECT_EQ(ErrorOf([&] { VarArrayGet(none, {0}); }), TErr::BadIndex);
}

TEST_F(VariantTest, ArraysAreValues)
{
  Variant a = VarArrayOf({1, "two", VarArrayOf({3.5, Null()})});
  EXPECT_EQ(VarType(a), varArray | varVariant);
  EXPECT_EQ(VarArrayLowBound(a, 1), 0);
  EXPECT_EQ(VarArrayHighBound(a, 1), 2);
  EXPECT_TRUE(Same(VarArrayGet(a, {1}), "two"));
  Variant inner = VarArrayGet(a, {2});
  EXPECT_TRUE(Same(VarArrayGet(inner, {0}), 3.5));
  EXPECT_TRUE(VarIsNull(VarArrayGet(inner, {1})));

  Variant copy = a;
  VarArrayPut(copy, "changed", {1});
  VarArrayPut(inner, 0, {0});
  EXPECT_TRUE(Same(VarArrayGet(a, {1}), "two"));
  EXPECT_TRUE(Same(VarArrayGet(VarArrayGet(a, {2}), {0}), 3.5));
  Variant assigned;
  assigned = a;
  VarArrayPut(a, 99, {0});
  EXPECT_TRUE(Same(VarArrayGet(assigned, {0}), 1));

  // An array put into itself keeps its old contents as the element.
  VarArrayPut(a, a, {0});
  Variant nested = VarArrayGet(a, {0});
  ASSERT_TRUE(VarIsArray(nested));
  EXPECT_TRUE(Same(VarArrayGet(nested, {0}), 99));
}

// ---- OLE VARIANT -----------------------------------------------------------------------------------

namespace {

// An initialised VARIANT that is cleared at the end of the scope.
struct TOleVar : VARIANT {
  TOleVar() { VariantInit(this); }
  ~TOleVar() { VariantClear(this); }
  TOleVar(const TOleVar&) = delete;
  TOleVar& operator=(const TOleVar&) = delete;
};

std::wstring BstrOf(const VARIANT& v) { return std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))); }

}  // namespace

TEST_F(VariantTest, OleRoundTripTable)
{
  struct Case {
    Variant Value;
    VARTYPE Vt;
    Variant Back;  // strings come back wide
  };
  const Case cases[] = {
      {Variant(), VT_EMPTY, Variant()},
      {Null(), VT_NULL, Null()},
      {static_cast<short>(-2), VT_I2, static_cast<short>(-2)},
      {-5, VT_I4, -5},
      {1.25f, VT_R4, 1.25f},
      {-1.5, VT_R8, -1.5},
      {Curr(-12345), VT_CY, Curr(-12345)},
      {DateVar(45000.5), VT_DATE, DateVar(45000.5)},
      {true, VT_BOOL, true},
      {false, VT_BOOL, false},
      {static_cast<signed char>(-7), VT_I1, static_cast<signed char>(-7)},
      {static_cast<unsigned char>(200), VT_UI1, static_cast<unsigned char>(200)},
      {static_cast<unsigned short>(60000), VT_UI2, static_cast<unsigned short>(60000)},
      {4000000000u, VT_UI4, 4000000000u},
      {-9000000000LL, VT_I8, -9000000000LL},
      {"文件搜索 abc", VT_BSTR, L"文件搜索 abc"},
      {"", VT_BSTR, L""},
      {L"宽字符", VT_BSTR, L"宽字符"},
      {VarAsError(DISP_E_PARAMNOTFOUND), VT_ERROR, VarAsError(DISP_E_PARAMNOTFOUND)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.Value));
    TOleVar ole;
    ToOleVariant(c.Value, ole);
    EXPECT_EQ(V_VT(&ole), c.Vt);
    Variant back = FromOleVariant(ole);
    EXPECT_EQ(VarType(back), VarType(c.Back));
    if (VarType(c.Back) == varError) EXPECT_EQ(back.AsError(), c.Back.AsError());
    else EXPECT_TRUE(Same(back, c.Back)) << "got " << Describe(back);
  }
}

TEST_F(VariantTest, OleValuesHoldThePlatformRepresentation)
{
  TOleVar ole;
  ToOleVariant(true, ole);
  EXPECT_EQ(V_BOOL(&ole), VARIANT_TRUE);
  ToOleVariant(Curr(-12345), ole);  // replaces the previous value
  EXPECT_EQ(V_CY(&ole).int64, -12345);
  ToOleVariant("中文", ole);
  EXPECT_EQ(BstrOf(ole), L"中文");
  ToOleVariant(std::string("a\0b", 3), ole);  // embedded NULs survive
  EXPECT_EQ(SysStringLen(V_BSTR(&ole)), 3u);
  EXPECT_EQ(FromOleVariant(ole).AsString(), std::string("a\0b", 3));

  // Values from the platform: Chinese text, a null BSTR, by-reference values, other kinds.
  TOleVar text;
  V_VT(&text) = VT_BSTR;
  V_BSTR(&text) = SysAllocString(L"搜索结果");
  EXPECT_EQ(VarToStr(FromOleVariant(text)), "搜索结果");
  TOleVar nullText;
  V_VT(&nullText) = VT_BSTR;
  V_BSTR(&nullText) = nullptr;
  EXPECT_TRUE(Same(FromOleVariant(nullText), L""));

  LONG number = 42;
  VARIANT byRef;
  V_VT(&byRef) = VT_I4 | VT_BYREF;
  V_I4REF(&byRef) = &number;
  EXPECT_TRUE(Same(FromOleVariant(byRef), 42));
  VARIANT refToVariant;
  V_VT(&refToVariant) = VT_VARIANT | VT_BYREF;
  V_VARIANTREF(&refToVariant) = &text;
  EXPECT_TRUE(Same(FromOleVariant(refToVariant), L"搜索结果"));
  BSTR bstr = V_BSTR(&text);
  VARIANT refToBstr;
  V_VT(&refToBstr) = VT_BSTR | VT_BYREF;
  V_BSTRREF(&refToBstr) = &bstr;
  EXPECT_TRUE(Same(FromOleVariant(refToBstr), L"搜索结果"));

  TOleVar dec;
  V_VT(&dec) = VT_R8;
  V_R8(&dec) = 2.75;
  ASSERT_EQ(VariantChangeType(&dec, &dec, 0, VT_DECIMAL), S_OK);
  EXPECT_TRUE(Same(FromOleVariant(dec), 2.75));
  TOleVar sized;
  V_VT(&sized) = VT_INT;
  V_INT(&sized) = -3;
  EXPECT_TRUE(Same(FromOleVariant(sized), -3));
  V_VT(&sized) = VT_UI8;
  V_UI8(&sized) = 1ULL << 63;
  EXPECT_EQ(ErrorOf([&] { FromOleVariant(sized); }), TErr::Overflow);
  V_VT(&sized) = VT_PTR;
  EXPECT_EQ(ErrorOf([&] { FromOleVariant(sized); }), TErr::BadVarType);
  V_VT(&sized) = VT_EMPTY;
}

TEST_F(VariantTest, OleArraysKeepShapeAndElements)
{
  Variant a = VarArrayCreate({{1, 2}, {10, 12}}, varInteger);
  for (int i = 1; i <= 2; ++i)
    for (int j = 10; j <= 12; ++j) VarArrayPut(a, i * 100 + j, {i, j});
  TOleVar ole;
  ToOleVariant(a, ole);
  ASSERT_EQ(V_VT(&ole), VT_ARRAY | VT_I4);
  SAFEARRAY* psa = V_ARRAY(&ole);
  ASSERT_EQ(SafeArrayGetDim(psa), 2u);
  LONG low = 0, high = 0;
  SafeArrayGetLBound(psa, 1, &low);
  SafeArrayGetUBound(psa, 1, &high);
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 2);
  SafeArrayGetLBound(psa, 2, &low);
  SafeArrayGetUBound(psa, 2, &high);
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 12);
  LONG index[2] = {2, 11};
  LONG element = 0;
  ASSERT_EQ(SafeArrayGetElement(psa, index, &element), S_OK);
  EXPECT_EQ(element, 211);
  Variant back = FromOleVariant(ole);
  EXPECT_EQ(VarType(back), varArray | varInteger);
  EXPECT_EQ(VarArrayHighBound(back, 2), 12);
  for (int i = 1; i <= 2; ++i)
    for (int j = 10; j <= 12; ++j) EXPECT_TRUE(Same(VarArrayGet(back, {i, j}), i * 100 + j)) << i << "," << j;

  // Arrays of variants carry every kind, nested arrays and ANSI text included.
  Variant mixed = VarArrayOf({"中文", Null(), Variant(), 2.5, Curr(7), VarArrayOf({L"内", 3})});
  TOleVar oleMixed;
  ToOleVariant(mixed, oleMixed);
  ASSERT_EQ(V_VT(&oleMixed), VT_ARRAY | VT_VARIANT);
  LONG first = 0;
  TOleVar item;
  ASSERT_EQ(SafeArrayGetElement(V_ARRAY(&oleMixed), &first, &item), S_OK);
  ASSERT_EQ(V_VT(&item), VT_BSTR);
  EXPECT_EQ(BstrOf(item), L"中文");
  Variant mixedBack = FromOleVariant(oleMixed);
  EXPECT_TRUE(Same(VarArrayGet(mixedBack, {0}), L"中文"));
  EXPECT_TRUE(VarIsNull(VarArrayGet(mixedBack, {1})));
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(mixedBack, {2})));
  EXPECT_TRUE(Same(VarArrayGet(mixedBack, {3}), 2.5));
  EXPECT_TRUE(Same(VarArrayGet(mixedBack, {4}), Curr(7)));
  EXPECT_TRUE(Same(VarArrayGet(VarArrayGet(mixedBack, {5}), {0}), L"内"));

  // Arrays of ANSI text become BSTR arrays; empty arrays keep their bounds.
  Variant texts = VarArrayCreate({0, 1}, varString);
  VarArrayPut(texts, "甲", {0});
  TOleVar oleTexts;
  ToOleVariant(texts, oleTexts);
  EXPECT_EQ(V_VT(&oleTexts), VT_ARRAY | VT_BSTR);
  Variant textsBack = FromOleVariant(oleTexts);
  EXPECT_EQ(VarType(textsBack), varArray | varOleStr);
  EXPECT_EQ(VarArrayGet(textsBack, {0}), "甲");
  TOleVar oleNone;
  ToOleVariant(VarArrayCreate({5, 4}, varDouble), oleNone);
  Variant noneBack = FromOleVariant(oleNone);
  EXPECT_EQ(VarArrayLowBound(noneBack, 1), 5);
  EXPECT_EQ(VarArrayHighBound(noneBack, 1), 4);

  // A SAFEARRAY whose elements are not what the VARIANT's type says is refused, not misread.
  SAFEARRAYBOUND bound{4, 0};
  TOleVar mismatched;
  V_VT(&mismatched) = VT_ARRAY | VT_I4;
  V_ARRAY(&mismatched) = SafeArrayCreate(VT_UI1, 1, &bound);
  EXPECT_EQ(ErrorOf([&] { FromOleVariant(mismatched); }), TErr::BadVarType);
  VARIANT nullRef;
  V_VT(&nullRef) = VT_ARRAY | VT_VARIANT | VT_BYREF;
  V_ARRAYREF(&nullRef) = nullptr;
  EXPECT_EQ(ErrorOf([&] { FromOleVariant(nullRef); }), TErr::BadVarType);
}

namespace {

// A dispatch object that counts its references and lives on the stack.
class TCountedDispatch : public IDispatch {
public:
  LONG Refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
  {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --Refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
  {
    return E_NOTIMPL;
  }
};

}  // namespace

TEST_F(VariantTest, InterfacesAreCountedThroughCopiesArraysAndOle)
{
  TCountedDispatch object;
  {
    Variant v(static_cast<IDispatch*>(&object));
    EXPECT_EQ(object.Refs, 2);
    EXPECT_FALSE(VarIsClear(v));
    EXPECT_EQ(v.AsDispatch(), &object);
    Variant copy = v;
    EXPECT_EQ(object.Refs, 3);
    Variant unknown = VarAsType(v, varUnknown);
    Variant dispatchAgain = VarAsType(unknown, varDispatch);
    EXPECT_EQ(dispatchAgain.AsDispatch(), &object);
    Variant array = VarArrayOf({v, 1, VarArrayOf({copy})});
    Variant typed = VarArrayCreate({0, 1}, varDispatch);
    VarArrayPut(typed, v, {1});
    {
      TOleVar ole, oleArray, oleTyped;
      ToOleVariant(v, ole);
      EXPECT_EQ(V_VT(&ole), VT_DISPATCH);
      EXPECT_EQ(V_DISPATCH(&ole), &object);
      ToOleVariant(array, oleArray);
      ToOleVariant(typed, oleTyped);
      EXPECT_EQ(V_VT(&oleTyped), VT_ARRAY | VT_DISPATCH);
      Variant back = FromOleVariant(ole);
      EXPECT_EQ(back.AsDispatch(), &object);
      Variant arrayBack = FromOleVariant(oleArray);
      Variant typedBack = FromOleVariant(oleTyped);
      EXPECT_EQ(VarArrayGet(typedBack, {1}).AsDispatch(), &object);
      EXPECT_EQ(VarArrayGet(typedBack, {0}).AsDispatch(), nullptr);
    }
    EXPECT_EQ(ErrorOf([&] { (void)(v == copy); }), TErr::InvalidOp);
  }
  EXPECT_EQ(object.Refs, 1);
}

namespace {

// Counts the task-memory blocks allocated and not yet freed while it is registered.
class TCountingMallocSpy : public IMallocSpy {
public:
  LONG Live = 0;
  LONG Allocations = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
  {
    if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
      *out = static_cast<IMallocSpy*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) override
  {
    if (actual) {
      ++Live;
      ++Allocations;
    }
    return actual;
  }
  void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override
  {
    if (request && spied) --Live;
    return request;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override
  {
    *newRequest = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

// One pass over every path that makes or reads BSTRs and SAFEARRAYs.
void ConvertBackAndForth()
{
  Variant values = VarArrayOf({"文本", L"宽", VarArrayOf({"内层", 1}), Curr(1)});
  Variant grid = VarArrayCreate({{0, 1}, {0, 1}}, varOleStr);
  VarArrayPut(grid, "格", {1, 1});
  TOleVar ole;
  V_VT(&ole) = VT_BSTR;
  V_BSTR(&ole) = SysAllocString(L"replaced by the next conversion");
  ToOleVariant(values, ole);
  Variant back = FromOleVariant(ole);
  ToOleVariant(grid, ole);
  back = FromOleVariant(ole);
  ToOleVariant("末", ole);
  back = FromOleVariant(ole);
}

}  // namespace

TEST_F(VariantTest, OleConversionLeaksNothing)
{
  static TCountingMallocSpy spy;  // must outlive a revocation that waits for its blocks
  ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
  ConvertBackAndForth();  // fills any cache the platform keeps
  LONG before = spy.Live;
  for (int i = 0; i < 200; ++i) ConvertBackAndForth();
  LONG after = spy.Live;
  LONG allocations = spy.Allocations;
  CoRevokeMallocSpy();
  EXPECT_GT(allocations, 0) << "the spy saw no allocations; the check would prove nothing";
  EXPECT_LE(after - before, 5) << "blocks left behind by 200 round trips";
}
