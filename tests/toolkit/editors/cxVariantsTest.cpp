// The editors' variant helpers: comparison, the type tests, and the tagged stream form with its
// refusal of corrupt streams.
#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include <string>
#include <vector>
#include "classlib/FMTBcd.h"
#include "classlib/SQLTimeStamp.h"
#include "classlib/Streams.h"
#include "tests/support/TestHelpers.h"
#include "toolkit/editors/cxVariants.h"

namespace {

using Bytes = std::vector<uint8_t>;

using cxVariantsTest = FixedNumberFormatTest;

TOwned<TMemoryStream> StreamOf(const Bytes& bytes)
{
  auto stream = MakeOwned<TMemoryStream>();
  if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

Bytes BytesOf(TMemoryStream& stream)
{
  auto* p = static_cast<const uint8_t*>(stream.Memory());
  return Bytes(p, p + stream.Size());
}

Bytes Image(const Variant& v)
{
  auto stream = MakeOwned<TMemoryStream>();
  WriteTaggedVariant(*stream, v);
  return BytesOf(*stream);
}

Variant ReadImage(const Bytes& bytes)
{
  auto stream = StreamOf(bytes);
  Variant v = ReadTaggedVariant(*stream);
  EXPECT_EQ(stream->Position(), stream->Size()) << "the value ends where the image ends";
  return v;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Variant Bcd(const char* text) { return VarFMTBcdCreate(StrToBcd(text)); }
Variant Stamp(int y, int m, int d, int h = 0) { return VarSQLTimeStampCreate({int16_t(y), uint16_t(m), uint16_t(d), uint16_t(h)}); }
Variant Date(int y, int m, int d, int h = 0) { return VarFromDateTime(EncodeDate(y, m, d) + EncodeTime(h, 0, 0, 0)); }

std::string Describe(const Variant& v)
{
  if (VarIsArray(v)) return "array";
  return VarTypeAsText(VarType(v)) + (VarIsEmpty(v) || VarIsNull(v) ? std::string() : " " + VarToStr(v));
}

// --- Comparison ---

TEST_F(cxVariantsTest, CompareVariantsOrdersValuesAndArrays)
{
  struct TCase {
    Variant A, B;
    int Expected;
  };
  const TCase cases[] = {
      {Variant(), Variant(), 0},
      {Variant(), Null(), -1},
      {Null(), Variant(), 1},
      {Null(), Null(), 0},
      {Null(), 5, -1},
      {5, Null(), 1},
      {Variant(), 5, -1},
      {5, Variant(), 1},
      {1, 2, -1},
      {2, 1, 1},
      {2, 2.0, 0},
      {"b", "a", 1},
      {"a", "b", -1},
      // Incomparable values answer -1 in either order.
      {1, "a", -1},
      {"a", 1, -1},
      // Arrays: by the difference of the upper bounds, then element by element.
      {VarArrayOf({1, 2}), VarArrayOf({1, 2, 3}), -1},
      {VarArrayOf({1, 2, 3, 4}), VarArrayOf({1}), 3},
      {VarArrayOf({1, 3}), VarArrayOf({1, 2}), 1},
      {VarArrayOf({1, 2}), VarArrayOf({1, 3}), -1},
      {VarArrayOf({1, "x"}), VarArrayOf({1, "x"}), 0},
      {VarArrayOf({1}), 5, 1},
      {5, VarArrayOf({1}), -1},
      // The kinds registered at run time.
      {Bcd("1.5"), 1.5, 0},
      {Bcd("2.25"), 1.5, 1},
      {1.5, Bcd("2.25"), -1},
      {Bcd("12345678901234567890.5"), 1e19, 1},
      {Stamp(2024, 5, 1), Date(2024, 5, 1), 0},
      {Stamp(2024, 5, 1, 12), Date(2024, 5, 1), 1},
      {Date(2024, 5, 1), Stamp(2024, 5, 1, 12), -1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CompareVariants(c.A, c.B), c.Expected) << Describe(c.A) << " against " << Describe(c.B);
    EXPECT_EQ(VariantsEqual(c.A, c.B), c.Expected == 0) << Describe(c.A) << " against " << Describe(c.B);
  }
}

TEST_F(cxVariantsTest, StrictEqualityComparesBooleansAsText)
{
  struct TCase {
    Variant A, B;
    bool Equal;
  };
  const TCase cases[] = {
      {true, "True", true},
      {"False", false, true},
      {true, "true", false},   // text compares exactly
      {true, -1, false},       // equal as numbers, not as text
      {true, true, true},
      {Null(), false, false},  // Null on either side: VariantsEqual
      {Null(), Null(), true},
      {1, 1.0, true},          // no Boolean: VariantsEqual
      {true, static_cast<IDispatch*>(nullptr), false},  // no text: unequal
  };
  for (const TCase& c : cases)
    EXPECT_EQ(VariantsEqualStrict(c.A, c.B), c.Equal) << Describe(c.A) << " against " << Describe(c.B);
  EXPECT_TRUE(VariantsEqual(true, -1));
}

TEST_F(cxVariantsTest, TypeTests)
{
  EXPECT_TRUE(IsDateVariantType(varDate));
  EXPECT_TRUE(IsDateVariantType(VarSQLTimeStamp()));
  EXPECT_FALSE(IsDateVariantType(varDouble));
  EXPECT_TRUE(IsDateVariant(Stamp(2024, 1, 1)));
  EXPECT_FALSE(IsDateVariant(Bcd("1")));

  EXPECT_TRUE(IsNumericVariant(Bcd("1")));
  EXPECT_TRUE(IsNumericVariant(Currency::FromRaw(5)));
  EXPECT_TRUE(IsNumericVariant(true));
  EXPECT_FALSE(IsNumericVariant("1"));
  EXPECT_FALSE(IsNumericVariant(Date(2024, 1, 1)));

  EXPECT_TRUE(IsNullOrEmptyText(Null()));
  EXPECT_TRUE(IsNullOrEmptyText(""));
  EXPECT_TRUE(IsNullOrEmptyText(L""));
  EXPECT_FALSE(IsNullOrEmptyText(Variant()));
  EXPECT_FALSE(IsNullOrEmptyText(" "));
  EXPECT_FALSE(IsNullOrEmptyText(0));
}

// --- The tagged stream form ---

TEST_F(cxVariantsTest, ValuesWriteAsTheirByteImagesAndReadBack)
{
  const TDateTime day = EncodeDate(2024, 5, 1);  // 45413: 0x40E62CA000000000
  const Bytes dayBytes = {0, 0, 0, 0, 0xA0, 0x2C, 0xE6, 0x40};
  struct TCase {
    Variant Value;
    Bytes Image;
    TVarType ReadType;  // the kind the image reads back as
  };
  const TCase cases[] = {
      {100, {2, 100}, varShortInt},
      {-1, {2, 0xFF}, varShortInt},
      {1000, {3, 0xE8, 0x03}, varSmallint},
      {100000, {4, 0xA0, 0x86, 0x01, 0x00}, varInteger},
      {int64_t(1) << 32, {19, 0, 0, 0, 0, 1, 0, 0, 0}, varInt64},
      {static_cast<unsigned char>(200), {3, 200, 0}, varSmallint},
      {4000000000u, {19, 0x00, 0x28, 0x6B, 0xEE, 0, 0, 0, 0}, varInt64},
      {1.5, {5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}, varDouble},
      {1.5f, {15, 0, 0, 0xC0, 0x3F}, varSingle},
      {Currency::FromRaw(15000), {16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}, varCurrency},
      {VarFromDateTime(day), Concat({{17}, dayBytes}), varDate},
      {Stamp(2024, 5, 1), Concat({{17}, dayBytes}), varDate},  // a time stamp is written as its date
      {"ab", {6, 2, 'a', 'b'}, varString},
      {L"ab", {18, 2, 0, 0, 0, 'a', 0, 'b', 0}, varOleStr},
      {true, {9}, varBoolean},
      {false, {8}, varBoolean},
      {Variant(), {13}, varEmpty},
      {Null(), {0}, varNull},
      {Bcd("12.5"), {6, 4, '1', '2', '.', '5'}, varString},  // other kinds as their text
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Describe(c.Value));
    EXPECT_EQ(Image(c.Value), c.Image);
    Variant back = ReadImage(c.Image);
    EXPECT_EQ(VarType(back), c.ReadType);
    EXPECT_TRUE(VariantsEqual(back, c.Value)) << Describe(back);
  }
}

TEST_F(cxVariantsTest, LongTextsDoublesAndArraysRoundTrip)
{
  std::string text(300, 'x');
  Bytes image = Image(text);
  ASSERT_EQ(image.size(), 1u + 4 + 300);
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 5), (Bytes{12, 0x2C, 0x01, 0, 0}));
  EXPECT_EQ(ReadImage(image).AsString(), text);

  // Doubles pass through the 10-byte form unchanged.
  for (double d : {0.1, -1e300, 5e-324, 123456.789}) EXPECT_EQ(ReadImage(Image(d)).AsDouble(), d) << d;

  Variant strings = VarArrayOf({"a", "bc"});
  Bytes arrayImage = Image(strings);
  EXPECT_EQ(arrayImage, (Bytes{1, 2, 2, 6, 1, 'a', 6, 2, 'b', 'c'}));
  Variant back = ReadImage(arrayImage);
  ASSERT_TRUE(VarIsArray(back));
  EXPECT_EQ(VarArrayLowBound(back, 1), 0);
  EXPECT_EQ(VarArrayHighBound(back, 1), 1);
  EXPECT_EQ(VarType(VarArrayGet(back, {0})), varString);
  EXPECT_EQ(VarArrayGet(back, {1}).AsString(), "bc");

  // Arrays that do not start at 0 read back from 0; nested arrays and empty ones keep their shape.
  Variant shifted = VarArrayCreate({5, 6}, varInteger);
  VarArrayPut(shifted, 7, {5});
  VarArrayPut(shifted, 8, {6});
  Variant nested = VarArrayOf({shifted, VarArrayOf(std::span<const Variant>{}), Null()});
  Variant nestedBack = ReadImage(Image(nested));
  EXPECT_EQ(CompareVariants(nestedBack, VarArrayOf({VarArrayOf({7, 8}), VarArrayOf(std::span<const Variant>{}), Null()})), 0);
}

TEST_F(cxVariantsTest, UnwritableValuesWriteNothing)
{
  const Variant cases[] = {
      VarArrayCreate({0, 1, 0, 1}, varVariant),                         // two dimensions
      static_cast<IDispatch*>(nullptr),                                  // no text
      VarArrayOf({1, "two", static_cast<IUnknown*>(nullptr)}),           // an element without text
  };
  for (const Variant& v : cases) {
    auto stream = MakeOwned<TMemoryStream>();
    try {
      WriteTaggedVariant(*stream, v);
      ADD_FAILURE() << "written: " << Describe(v);
    } catch (const EWriteError& e) {
      EXPECT_STREQ(e.what(), "Stream write error");
    }
    EXPECT_EQ(stream->Size(), 0);
  }
}

void ExpectReadError(const Bytes& image, const char* what)
{
  auto stream = StreamOf(image);
  try {
    Variant v = ReadTaggedVariant(*stream);
    ADD_FAILURE() << what << ": read " << Describe(v);
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error") << what;
  }
}

Bytes NestedLists(int depth)
{
  Bytes image;
  for (int i = 0; i < depth; ++i) image.insert(image.end(), {1, 2, 1});
  image.push_back(13);
  return image;
}

TEST_F(cxVariantsTest, CorruptStreamsRaiseReadErrors)
{
  struct TCase {
    const char* What;
    Bytes Image;
  };
  const TCase cases[] = {
      {"a count under the double tag", {1, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 13}},
      {"a count under a text tag", {1, 6, 1, '1', 13}},
      {"a negative count", {1, 2, 0xFF, 13}},
      {"a count past the end", {1, 4, 0xFF, 0xFF, 0xFF, 0x7F, 13, 13}},
      {"a 64-bit count past the end", {1, 19, 0, 0, 0, 0, 0, 0, 0, 0x40, 13}},
      {"a negative text length", {12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}},
      {"a text length past the end", {12, 10, 0, 0, 0, 'a'}},
      {"a short text past the end", {6, 3, 'a'}},
      {"a negative wide length", {18, 0xFE, 0xFF, 0xFF, 0xFF}},
      {"a wide length past the end", {18, 2, 0, 0, 0, 'a', 0, 'b'}},
      {"an identifier tag", {7, 1, 'a'}},
      {"a binary tag", {10, 0, 0, 0, 0}},
      {"a tag beyond the table", {20}},
      {"a truncated integer", {4, 1, 2}},
      {"a truncated array", {1, 2, 3, 13, 13}},
      {"nothing at all", {}},
      {"a thousand nested arrays", NestedLists(1000)},
      {"one array too deep", NestedLists(MaxTaggedVariantNesting + 1)},
  };
  for (const TCase& c : cases) ExpectReadError(c.Image, c.What);

  Variant deepest = ReadImage(NestedLists(MaxTaggedVariantNesting));
  EXPECT_TRUE(VarIsArray(deepest));
}

TEST_F(cxVariantsTest, MutatedImagesReadOrRaiseReadErrors)
{
  Variant good = VarArrayOf({100, 1000, 100000, int64_t(1) << 40, 1.25, 2.5f, Currency::FromRaw(7), Date(2020, 2, 29),
                             std::string(300, 'q'), L"wide", true, false, Null(), Variant(),
                             VarArrayOf({"a", VarArrayOf({1, 2})})});
  const Bytes fixtures[] = {Image(good), Image(std::string(300, 'z')), Image(L"ab"), NestedLists(10)};
  std::mt19937 random(54);
  int read = 0, refused = 0;
  for (int i = 0; i < 10000; ++i) {
    Bytes image = fixtures[i % std::size(fixtures)];
    int mutations = 1 + static_cast<int>(random() % 4);
    for (int m = 0; m < mutations && !image.empty(); ++m) {
      size_t at = random() % image.size();
      switch (random() % 4) {
      case 0: image[at] = static_cast<uint8_t>(random()); break;
      case 1: image[at] ^= static_cast<uint8_t>(1u << (random() % 8)); break;
      case 2: image.resize(at); break;
      default: image[at] = static_cast<uint8_t>(random() % 21); break;  // a valid-looking tag
      }
    }
    auto stream = StreamOf(image);
    try {
      ReadTaggedVariant(*stream);
      ++read;
    } catch (const EReadError&) {
      ++refused;
    }
  }
  EXPECT_GT(read, 0);
  EXPECT_GT(refused, 0);
}

TEST_F(cxVariantsTest, RawScalarsAndCountedTexts)
{
  auto stream = MakeOwned<TMemoryStream>();
  WriteByteValue(*stream, 0xAB);
  WriteSmallIntValue(*stream, -2);
  WriteWordValue(*stream, 0xBEEF);
  WriteIntegerValue(*stream, -100000);
  WriteLargeIntValue(*stream, -(int64_t(1) << 40));
  WriteCurrencyValue(*stream, Currency::FromRaw(-15000));
  WriteDateTimeValue(*stream, 45413.5);
  WriteExtendedValue(*stream, -0.1);
  WriteAnsiText(*stream, "text");
  WriteWideText(*stream, L"\x4E2D\x6587");
  EXPECT_EQ(stream->Size(), 1 + 2 + 2 + 4 + 8 + 8 + 8 + 10 + (4 + 4) + (4 + 4));
  const uint8_t* p = static_cast<const uint8_t*>(stream->Memory());
  EXPECT_EQ(Bytes(p, p + 5), (Bytes{0xAB, 0xFE, 0xFF, 0xEF, 0xBE}));

  stream->SetPosition(0);
  EXPECT_EQ(ReadByteValue(*stream), 0xAB);
  EXPECT_EQ(ReadSmallIntValue(*stream), -2);
  EXPECT_EQ(ReadWordValue(*stream), 0xBEEF);
  EXPECT_EQ(ReadIntegerValue(*stream), -100000);
  EXPECT_EQ(ReadLargeIntValue(*stream), -(int64_t(1) << 40));
  EXPECT_EQ(ReadCurrencyValue(*stream).Raw(), -15000);
  EXPECT_EQ(ReadDateTimeValue(*stream), 45413.5);
  EXPECT_EQ(ReadExtendedValue(*stream), -0.1);
  EXPECT_EQ(ReadAnsiText(*stream), "text");
  EXPECT_EQ(ReadWideText(*stream), L"\x4E2D\x6587");
  EXPECT_THROW(ReadByteValue(*stream), EReadError);

  for (const Bytes& broken : {Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{5, 0, 0, 0, 'a'}, Bytes{1, 0}}) {
    EXPECT_THROW(ReadAnsiText(*StreamOf(broken)), EReadError);
    EXPECT_THROW(ReadWideText(*StreamOf(broken)), EReadError);
  }
}

}  // namespace
