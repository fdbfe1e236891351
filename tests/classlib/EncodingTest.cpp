// Code page conversions and double-byte character layout.
#include <gtest/gtest.h>
#include "classlib/Encoding.h"

namespace {

std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
const std::wstring kFFFD(1, L'\xFFFD');

}  // namespace

TEST(Encoding, AnsiAndWideRoundTripChineseText)
{
  const std::string ansi = "文件检索 abc";  // code page 936 bytes
  ASSERT_EQ(ansi.substr(0, 2), "\xCE\xC4");
  EXPECT_EQ(AnsiToWide(ansi), L"文件检索 abc");
  EXPECT_EQ(WideToAnsi(L"文件检索 abc"), ansi);
  EXPECT_EQ(WideToAnsi(AnsiToWide("乗誠表\\")), "乗誠表\\");  // second bytes 0x5C survive
  EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(L""), "");
  EXPECT_EQ(WideToAnsi(L"\x0E01"), "?");  // Thai has no code page 936 form
}

TEST(Encoding, AnsiInputIsReadOnlyWithinItsLength)
{
  const std::string text = "表x";
  EXPECT_EQ(AnsiToWide(std::string_view(text).substr(0, 1)).size(), 1u);  // a cut-off character
  EXPECT_EQ(AnsiToWide("a\xB1").substr(0, 1), L"a");
  EXPECT_EQ(AnsiToWide("a\xB1").size(), 2u);
}

TEST(Encoding, Utf8RoundTrips)
{
  const std::string utf8 = U8(u8"文件检索 – ½ 😀");
  const std::wstring wide = L"文件检索 – ½ 😀";
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(Utf8ToAnsi(U8(u8"文件检索")), "文件检索");
  EXPECT_EQ(AnsiToUtf8("文件检索"), U8(u8"文件检索"));
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8("乗誠\\表")), "乗誠\\表");
  std::string ansi;
  EXPECT_TRUE(TryUtf8ToAnsi(U8(u8"\uFEFF表格"), ansi));
  EXPECT_EQ(ansi.substr(ansi.size() - 4), "表格");
  EXPECT_EQ(Utf8ToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(Encoding, MalformedUtf8IsReplacedOrRefused)
{
  struct Case {
    std::string Bytes;
    std::wstring Lenient;
  };
  const std::wstring r = kFFFD;
  const Case cases[] = {
      {"\x80", r},                                      // stray continuation byte
      {"\xFF", r},                                      // never a UTF-8 byte
      {"a\xC3", L"a" + r},                              // cut off at the end
      {"\xE6\x96", r},                                  // cut off after two of three bytes
      {"\xE6\x96x", r + L"x"},                          // interrupted
      {"\xC0\xAF", r + r},                              // overlong '/'
      {"\xE0\x80\xAF", r + r + r},                      // overlong, three bytes
      {"\xED\xA0\x80", r + r + r},                      // an encoded surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},              // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", r + r + r + r + r},      // five-byte form
      {"x\xE6\x96\x87\x87", L"x文" + r},               // extra continuation byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.Bytes), c.Lenient) << testing::PrintToString(c.Bytes);
    std::wstring w = L"unchanged";
    EXPECT_FALSE(TryUtf8ToWide(c.Bytes, w)) << testing::PrintToString(c.Bytes);
    EXPECT_EQ(w, L"unchanged");
    EXPECT_FALSE(IsValidUtf8(c.Bytes));
    std::string a = "unchanged";
    EXPECT_FALSE(TryUtf8ToAnsi(c.Bytes, a));
    EXPECT_EQ(a, "unchanged");
  }
  // Only the bytes inside the view are read: the third byte of 文 lies outside it.
  const std::string wen = "\xE6\x96\x87";
  EXPECT_EQ(Utf8ToWide(std::string_view(wen).substr(0, 2)), kFFFD);
  EXPECT_TRUE(IsValidUtf8(wen));
  EXPECT_TRUE(IsValidUtf8(""));
  // An unpaired surrogate in wide text is written as U+FFFD.
  EXPECT_EQ(WideToUtf8(L"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(WideToUtf8(L"x\xDC00"), "x\xEF\xBF\xBD");
}

TEST(Encoding, ByteTypeAndCharLength)
{
  using enum TMbcsByteType;
  const std::string s = "a表" "誠\\";  // 61 B1 ED D5 5C 5C
  const TMbcsByteType expected[] = {mbSingleByte, mbLeadByte, mbTrailByte, mbLeadByte, mbTrailByte, mbSingleByte};
  ASSERT_EQ(s.size(), std::size(expected));
  for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(ByteType(s, i), expected[i]) << i;
  EXPECT_EQ(ByteType(s, 99), mbSingleByte);
  // A lead byte at the end, or before a NUL, has no second byte.
  EXPECT_EQ(ByteType("ab\xB1", 2), mbSingleByte);
  EXPECT_EQ(ByteType(std::string("\xB1\0", 2), 0), mbSingleByte);
  EXPECT_EQ(ByteType(std::string("\xB1\0", 2), 1), mbSingleByte);

  EXPECT_EQ(StrCharLength(""), 0u);
  EXPECT_EQ(StrCharLength("ab"), 1u);
  EXPECT_EQ(StrCharLength("表a"), 2u);
  EXPECT_EQ(StrCharLength("\xB1"), 1u);
}
