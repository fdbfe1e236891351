// The core unit's system helpers: version flags through their seam, locale lookups, code-page
// conversions, pixel access and the memory helpers.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Streams.h"
#include "classlib/Variant.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/base/dxCore.h"

// --- Windows version ---

namespace {
TdxWindowsVersionInfo GFakeVersion;
TdxWindowsVersionInfo FakeVersion() { return GFakeVersion; }

struct TVersionCase {
  const char* Name;
  TdxWindowsVersionInfo Info;
  bool Is9x, Is95, IsNT, XPOrLater, VistaOrLater, Is7, Wow64;
};

const TVersionCase VersionCases[] = {
  {"Windows 98", {1, 4, 10, false}, true, false, false, false, false, false, false},
  {"Windows 95", {1, 4, 0, false}, true, true, false, false, false, false, false},
  {"Windows NT 4", {2, 4, 0, false}, false, false, true, false, false, false, false},
  {"Windows 2000", {2, 5, 0, false}, false, false, true, false, false, false, false},
  {"Windows XP", {2, 5, 1, false}, false, false, true, true, false, false, false},
  {"Windows XP x64 under WOW64", {2, 5, 2, true}, false, false, true, true, false, false, true},
  {"Windows Vista", {2, 6, 0, false}, false, false, true, true, true, false, false},
  {"Windows 7", {2, 6, 1, true}, false, false, true, true, true, true, true},
  {"Windows 8", {2, 6, 2, false}, false, false, true, true, true, false, false},
  {"Windows 10", {2, 10, 0, false}, false, false, true, true, true, false, false},
};

// Puts the real version back, whatever the test did.
class WindowsVersion : public testing::Test {
protected:
  void TearDown() override
  {
    dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;
    DetectWindowsVersion();
  }
};
}  // namespace

TEST_F(WindowsVersion, FlagsForEachVersionThroughTheSeam)
{
  for (const TVersionCase& c : VersionCases) {
    SCOPED_TRACE(c.Name);
    GFakeVersion = c.Info;
    dxGetWindowsVersionInfo = FakeVersion;
    DetectWindowsVersion();
    EXPECT_EQ(Win9xPlatform, c.Is9x);
    EXPECT_EQ(Win95, c.Is95);
    EXPECT_EQ(WinNTPlatform, c.IsNT);
    EXPECT_EQ(WinXPOrLater, c.XPOrLater);
    EXPECT_EQ(WinVistaOrLater, c.VistaOrLater);
    EXPECT_EQ(Win7, c.Is7);
    EXPECT_EQ(RunningUnderWow64, c.Wow64);
  }
}

TEST_F(WindowsVersion, TheRunningSystemIsAnNTVersionAndThisProcessIsNative)
{
  TdxWindowsVersionInfo info = dxReadWindowsVersionInfo();
  EXPECT_EQ(info.PlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(info.MajorVersion, 5u);
  EXPECT_EQ(WinNTPlatform, true);
  EXPECT_FALSE(Win9xPlatform);
#ifdef _WIN64
  EXPECT_FALSE(RunningUnderWow64);  // a 64-bit process is never under WOW64
#endif
}

// --- Locale and text ---

TEST(Locale, FirstDayOfTheWeekCountsFromSunday)
{
  EXPECT_EQ(GetLocaleFirstDayOfWeek(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)), 0);
  EXPECT_EQ(GetLocaleFirstDayOfWeek(MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT)), 1);
  EXPECT_EQ(GetStartOfWeek(), GetLocaleFirstDayOfWeek(GetThreadLocale()));
}

TEST(Locale, AStartOfWeekOverrideWinsOverTheLocale)
{
  for (int day : {0, 6, 3}) {
    TScopedSeam<int> start(StartOfWeekOverride, day);
    EXPECT_EQ(GetStartOfWeek(), day);
  }
  // No override, or no day, leaves it to the locale.
  for (int none : {-1, 7}) {
    TScopedSeam<int> start(StartOfWeekOverride, none);
    EXPECT_EQ(GetStartOfWeek(), GetLocaleFirstDayOfWeek(GetThreadLocale()));
  }
}

TEST(Locale, NamesAndStrings)
{
  const LCID us = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  EXPECT_EQ(ReadLocaleString(us, LOCALE_SMONTHNAME1, "x"), "January");
  EXPECT_EQ(ReadLocaleString(us, 0xFFFF, "fallback"), "fallback");
  // The user's locale is Chinese in every run: "一月" and "周日".
  EXPECT_EQ(GetLongMonthName(1), ReadLocaleString(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, ""));
  EXPECT_FALSE(GetLongMonthName(12).empty());
  EXPECT_EQ(GetShortDayName(1), ReadLocaleString(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME7, ""));
  EXPECT_EQ(GetShortDayName(2), ReadLocaleString(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1, ""));
  EXPECT_EQ(GetLongMonthName(0), "");
  EXPECT_EQ(GetLongMonthName(13), "");
  EXPECT_EQ(GetShortDayName(8), "");
  EXPECT_EQ(GetDecimalSeparatorChar(), '.');
}

TEST(Text, CharsetsMapToTheirCodePages)
{
  struct {
    BYTE Charset;
    UINT CodePage;
  } cases[] = {{128, 932}, {129, 949}, {130, 949}, {134, 936}, {136, 950}, {161, 1253}, {162, 1254},
               {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250},
               {0, 0}, {1, 0}, {2, 0}, {255, 0}};
  for (auto c : cases) EXPECT_EQ(CharsetToCodePage(c.Charset), c.CodePage) << int(c.Charset);
}

TEST(Text, ConversionsBetweenCodePagesAndWideText)
{
  const std::string gbk = "文件检索";  // code page 936 bytes
  const std::wstring wide = L"\u6587\u4ef6\u68c0\u7d22";
  EXPECT_EQ(ConvertAnsiToWide(gbk, 936), wide);
  EXPECT_EQ(ConvertAnsiToWide(gbk), wide);  // the system code page is 936
  EXPECT_EQ(ConvertWideToAnsi(wide, 936), gbk);
  EXPECT_EQ(ConvertAnsiToWide(gbk, 936, 4), wide.substr(0, 2));
  EXPECT_EQ(ConvertWideToAnsi(wide, 936, 1), gbk.substr(0, 2));
  EXPECT_EQ(ConvertAnsiToWide(gbk, 936, 100), wide);  // a length past the end takes the whole text
  EXPECT_EQ(ConvertAnsiToWide("", 936), L"");
  EXPECT_EQ(ConvertWideToAnsi(L"", CP_UTF8), "");

  const std::string utf8 = "\xE6\x96\x87\xF0\x9F\x98\x80";  // U+6587 and U+1F600
  const std::wstring utf16 = L"\u6587\xD83D\xDE00";
  EXPECT_EQ(ConvertAnsiToWide(utf8, CP_UTF8), utf16);
  EXPECT_EQ(ConvertWideToAnsi(utf16, CP_UTF8), utf8);
  // A code page that takes no conversion flags still converts.
  EXPECT_EQ(ConvertAnsiToWide("a+AGEA-", CP_UTF7), L"aa");
}

TEST_F(WindowsVersion, OnThe9xPlatformUtf8GoesThroughTheLibrarysOwnCoding)
{
  GFakeVersion = {1, 4, 10, false};
  dxGetWindowsVersionInfo = FakeVersion;
  DetectWindowsVersion();
  ASSERT_TRUE(Win9xPlatform);
  struct {
    std::string Utf8;
    std::wstring Wide;
  } cases[] = {
    {"plain", L"plain"},
    {"\xC3\xA9\xE6\x96\x87", L"\u00e9\u6587"},
    {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertAnsiToWide(c.Utf8, CP_UTF8), c.Wide);
    EXPECT_EQ(ConvertWideToAnsi(c.Wide, CP_UTF8), c.Utf8);
  }
  // Malformed input is marked, not dropped: a stray continuation byte, a cut sequence, an overlong form.
  EXPECT_EQ(ConvertAnsiToWide("a\x80" "b", CP_UTF8), L"a\uFFFDb");
  EXPECT_EQ(ConvertAnsiToWide("a\xE6\x96", CP_UTF8), L"a\uFFFD");
  EXPECT_EQ(ConvertAnsiToWide("\xC0\xAF", CP_UTF8), L"\uFFFD");
  EXPECT_EQ(ConvertWideToAnsi(std::wstring(1, wchar_t(0xD800)), CP_UTF8), "\xEF\xBF\xBD");
  // Other code pages still go through the system.
  EXPECT_EQ(ConvertAnsiToWide("文件", 936), L"\u6587\u4ef6");
}

TEST(Text, ShortStringsHoldAtMost255Characters)
{
  TShortString s = AnsiToShortString("abc");
  EXPECT_EQ(s[0], 3);
  EXPECT_EQ(ShortStringToAnsi(s), "abc");
  std::string longText(300, 'x');
  s = AnsiToShortString(longText);
  EXPECT_EQ(s[0], 255);
  EXPECT_EQ(ShortStringToAnsi(s), std::string(255, 'x'));
  EXPECT_EQ(ShortStringToAnsi(AnsiToShortString("")), "");
}

// --- Pixels ---

namespace {
struct TBitmapDeleter {
  void operator()(HBITMAP b) const { DeleteObject(b); }
};
using TDIBHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TBitmapDeleter>;

RGBQUAD Quad(BYTE r, BYTE g, BYTE b, BYTE a = 0) { return RGBQUAD{b, g, r, a}; }

// A device-independent bitmap of the given depth; palettes of 2, 16 or 256 entries for the
// indexed depths. The 256 entries are the 3-3-2 cube, far enough apart that a nearest-colour
// lookup of reduced precision still finds each one.
TDIBHandle MakeDIB(int width, int height, int bits, std::vector<RGBQUAD>& palette)
{
  palette.clear();
  if (bits == 8) {
    for (int i = 0; i < 256; ++i)
      palette.push_back(Quad(static_cast<BYTE>((i & 7) * 255 / 7), static_cast<BYTE>(((i >> 3) & 7) * 255 / 7),
                             static_cast<BYTE>((i >> 6) * 255 / 3)));
  } else if (bits < 8) {
    int count = 1 << bits;
    for (int i = 0; i < count; ++i) {
      BYTE v = static_cast<BYTE>(i * 255 / (count - 1));
      palette.push_back(Quad(v, static_cast<BYTE>(255 - v), static_cast<BYTE>((i * 37) & 0xFF)));
    }
  }
  std::vector<BYTE> buffer(sizeof(BITMAPINFOHEADER) + palette.size() * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bits);
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = static_cast<DWORD>(palette.size());
  if (!palette.empty()) std::memcpy(info->bmiColors, palette.data(), palette.size() * sizeof(RGBQUAD));
  void* bitsPtr = nullptr;
  return TDIBHandle(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bitsPtr, nullptr, 0));
}

bool SameColour(const RGBQUAD& a, const RGBQUAD& b)
{
  return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// Pixels for a width x height bitmap: palette entries in turn, or a pattern with alpha.
TRGBColors MakePixels(int width, int height, const std::vector<RGBQUAD>& palette)
{
  TRGBColors pixels;
  for (int i = 0; i < width * height; ++i) {
    if (!palette.empty())
      pixels.push_back(palette[(i * 7 + i / width) % palette.size()]);
    else
      pixels.push_back(Quad(static_cast<BYTE>(i * 13), static_cast<BYTE>(i * 29), static_cast<BYTE>(255 - i),
                            static_cast<BYTE>(i * 5 + 1)));
  }
  return pixels;
}
}  // namespace

TEST(Pixels, WriteAndReadBackAtEveryDepth)
{
  const int width = 5, height = 3;  // an odd width pads every row of the indexed formats
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top-down" : " bits, bottom-up"));
      std::vector<RGBQUAD> palette;
      TDIBHandle bitmap = MakeDIB(width, height, bits, palette);
      ASSERT_TRUE(bitmap);
      EXPECT_EQ(GetBitmapBitsPerPixel(bitmap.get()), bits);
      TRGBColors written = MakePixels(width, height, palette);
      ASSERT_TRUE(PutBitmapPixels(bitmap.get(), written, topDown));

      TRGBColors read;
      ASSERT_TRUE(GetBitmapPixels(bitmap.get(), read, topDown));
      ASSERT_EQ(read.size(), written.size());
      for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_TRUE(SameColour(read[i], written[i]))
            << "pixel " << i << ": " << int(read[i].rgbRed) << "," << int(read[i].rgbGreen) << "," << int(read[i].rgbBlue)
            << " written " << int(written[i].rgbRed) << "," << int(written[i].rgbGreen) << "," << int(written[i].rgbBlue);
        if (bits == 32) {
          EXPECT_EQ(read[i].rgbReserved, written[i].rgbReserved) << "alpha of pixel " << i;
        }
      }
      // Read in the other row order, the first row is the last.
      TRGBColors flipped;
      ASSERT_TRUE(GetBitmapPixels(bitmap.get(), flipped, !topDown));
      EXPECT_TRUE(SameColour(flipped[0], written[(height - 1) * width]));
    }
  }
}

TEST(Pixels, BitmapsThatCannotBeReadOrWritten)
{
  TRGBColors pixels(4, Quad(1, 2, 3));
  EXPECT_FALSE(GetBitmapPixels(HBITMAP(nullptr), pixels, false));
  EXPECT_TRUE(pixels.empty());
  EXPECT_FALSE(PutBitmapPixels(HBITMAP(nullptr), pixels, false));
  EXPECT_EQ(GetBitmapBitsPerPixel(HBITMAP(nullptr)), 0);
  pixels.assign(4, Quad(1, 2, 3));
  TOwned<TBitmap> empty(New<TBitmap>());
  empty->SetPixelFormat(TPixelFormat::pf32bit);
  empty->SetSize(0, 5);  // no width: nothing to read
  EXPECT_FALSE(GetBitmapPixels(empty.get(), pixels, true));
  EXPECT_TRUE(pixels.empty());
  EXPECT_FALSE(PutBitmapPixels(empty.get(), pixels, true));
  EXPECT_FALSE(BitmapUsesAlpha(empty.get()));
  EXPECT_FALSE(GetBitmapPixels(static_cast<TBitmap*>(nullptr), pixels, true));

  std::vector<RGBQUAD> palette;
  TDIBHandle bitmap = MakeDIB(4, 4, 32, palette);
  TRGBColors tooFew(15);
  EXPECT_THROW(PutBitmapPixels(bitmap.get(), tooFew, false), EInvalidOperation);
}

TEST(Pixels, AlphaIsUsedWhenOnePixelHasIt)
{
  std::vector<RGBQUAD> palette;
  TDIBHandle bitmap = MakeDIB(4, 4, 32, palette);
  TRGBColors pixels(16, Quad(200, 100, 50, 0));
  PutBitmapPixels(bitmap.get(), pixels, false);
  EXPECT_FALSE(BitmapUsesAlpha(bitmap.get()));
  pixels[9].rgbReserved = 1;
  PutBitmapPixels(bitmap.get(), pixels, false);
  EXPECT_TRUE(BitmapUsesAlpha(bitmap.get()));

  TDIBHandle rgb = MakeDIB(4, 4, 24, palette);
  PutBitmapPixels(rgb.get(), pixels, false);
  EXPECT_FALSE(BitmapUsesAlpha(rgb.get()));
  EXPECT_FALSE(BitmapUsesAlpha(HBITMAP(nullptr)));
}

namespace {
class TChangeCount : public TObject {
  CL_CLASS(TChangeCount, TObject)
public:
  void Changed(TObject*) { ++Count; }
  int Count = 0;
};
}  // namespace

CL_DEFINE_CLASS(TChangeCount);

TEST(Pixels, ClassLibraryBitmapsAreReadWhileTheirCanvasDrawsAndToldOfWrites)
{
  struct {
    TPixelFormat Format;
    int Bits;
  } formats[] = {{TPixelFormat::pf1bit, 1},   {TPixelFormat::pf4bit, 4},   {TPixelFormat::pf8bit, 8},
                 {TPixelFormat::pf15bit, 16}, {TPixelFormat::pf16bit, 16}, {TPixelFormat::pf24bit, 24},
                 {TPixelFormat::pf32bit, 32}};
  for (auto f : formats) {
    TOwned<TBitmap> bitmap(New<TBitmap>());
    bitmap->SetPixelFormat(f.Format);
    bitmap->SetSize(2, 2);
    EXPECT_EQ(GetBitmapBitsPerPixel(bitmap.get()), f.Bits);
  }
  TOwned<TBitmap> device(New<TBitmap>());
  device->SetSize(2, 2);
  EXPECT_EQ(GetBitmapBitsPerPixel(device.get()), GetDeviceCaps(device->Canvas()->Handle(), BITSPIXEL));

  TOwned<TBitmap> bitmap(New<TBitmap>());
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(3, 2);
  bitmap->Canvas()->SetPixels(2, 0, RGB(10, 20, 30));  // the canvas holds the bitmap selected now
  TRGBColors pixels;
  ASSERT_TRUE(GetBitmapPixels(bitmap.get(), pixels, true));
  EXPECT_TRUE(SameColour(pixels[2], Quad(10, 20, 30)));
  EXPECT_TRUE(SameColour(pixels[0], Quad(255, 255, 255)));  // new pixels are white

  auto changes = MakeOwned<TChangeCount>();
  bitmap->SetOnChange(TNotifyEvent(changes.get(), &TChangeCount::Changed));
  pixels[4] = Quad(1, 2, 3, 128);
  ASSERT_TRUE(PutBitmapPixels(bitmap.get(), pixels, true));
  EXPECT_EQ(changes->Count, 1);
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), RGB(1, 2, 3));
  EXPECT_TRUE(BitmapUsesAlpha(bitmap.get()));
}

TEST(Colours, PackedAsBlueGreenRedAlpha)
{
  EXPECT_EQ(PackColorAsRGBQuad(RGB(255, 0, 0), 255), 0xFFFF0000u);
  EXPECT_EQ(PackColorAsRGBQuad(RGB(1, 2, 3), 4), 0x04010203u);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(PackColorAsRGBQuad(clBtnFace, 0),
            static_cast<uint32_t>(GetBValue(face)) | GetGValue(face) << 8 | GetRValue(face) << 16);
}

namespace {
// A reader that refuses whole-bitmap reads and the first attempt at some rows, as a system short of
// memory may.
std::vector<int> GFailFirst;   // rows whose first read fails
std::vector<int> GFailAlways;  // rows that cannot be read at all
std::vector<int> GAttempts;

int WINAPI FlakyGetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
  if (lines != 1) return 0;
  int row = static_cast<int>(start);
  GAttempts.push_back(row);
  bool first = std::count(GAttempts.begin(), GAttempts.end(), row) == 1;
  if (std::count(GFailAlways.begin(), GFailAlways.end(), row) ||
      (first && std::count(GFailFirst.begin(), GFailFirst.end(), row))) {
    std::memset(bits, 0x5A, info->bmiHeader.biWidth * 4);  // what a failed read may leave behind
    return 0;
  }
  return GetDIBits(dc, bitmap, start, lines, bits, info, usage);
}

class PixelsRowByRow : public testing::Test {
protected:
  void SetUp() override
  {
    GFailFirst.clear();
    GFailAlways.clear();
    GAttempts.clear();
    std::vector<RGBQUAD> palette;
    Bitmap = MakeDIB(Width, Height, 32, palette);
    Written = MakePixels(Width, Height, palette);
    PutBitmapPixels(Bitmap.get(), Written, true);
    Previous = dxGetDIBits;
    dxGetDIBits = FlakyGetDIBits;
  }
  void TearDown() override { dxGetDIBits = Previous; }

  static constexpr int Width = 3, Height = 4;
  TDIBHandle Bitmap;
  TRGBColors Written;
  TdxGetDIBitsFunc Previous = nullptr;
};
}  // namespace

TEST_F(PixelsRowByRow, RowsThatFailOnceAreReadAgain)
{
  GFailFirst = {1};  // scan line 1 counts from the bottom
  TRGBColors read;
  EXPECT_TRUE(GetBitmapPixels(Bitmap.get(), read, true));
  ASSERT_EQ(read.size(), Written.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_TRUE(SameColour(read[i], Written[i])) << "pixel " << i;
    EXPECT_EQ(read[i].rgbReserved, Written[i].rgbReserved) << "pixel " << i;
  }
  EXPECT_EQ(std::count(GAttempts.begin(), GAttempts.end(), 1), 2);
  EXPECT_EQ(std::count(GAttempts.begin(), GAttempts.end(), 0), 1);
}

TEST_F(PixelsRowByRow, ARowThatCannotBeReadIsZeroAndTheReadFails)
{
  GFailAlways = {2};
  TRGBColors read;
  EXPECT_FALSE(GetBitmapPixels(Bitmap.get(), read, false));  // bottom-up: scan line 2 is row 2
  ASSERT_EQ(read.size(), Written.size());
  for (int x = 0; x < Width; ++x) {
    const RGBQUAD& p = read[2 * Width + x];
    EXPECT_EQ(p.rgbRed | p.rgbGreen | p.rgbBlue | p.rgbReserved, 0) << "column " << x;
  }
  // The other rows were read: bottom-up row 0 is the last top-down row written.
  EXPECT_TRUE(SameColour(read[0], Written[(Height - 1) * Width]));
  EXPECT_TRUE(SameColour(read[3 * Width], Written[0]));
}

// --- Variants ---

TEST(Variants, RawStringsFromBytesTextAndOtherValues)
{
  Variant bytes = VarArrayCreate({1, 4}, varByte);
  const char text[] = "a\0\xB0\xFF";
  for (int i = 0; i < 4; ++i) VarArrayPut(bytes, Variant(static_cast<unsigned char>(text[i])), {i + 1});
  EXPECT_EQ(VariantToRawString(bytes), std::string(text, 4));
  EXPECT_TRUE(VariantHoldsTextOrBytes(bytes));

  // Count of elements, byte for byte from the packed data: the first two bytes of two integers.
  Variant ints = VarArrayCreate({0, 1}, varInteger);
  VarArrayPut(ints, Variant(0x4241), {0});
  EXPECT_EQ(VariantToRawString(ints), "AB");

  EXPECT_EQ(VariantToRawString(Variant("文件")), "文件");
  EXPECT_EQ(VariantToRawString(Variant(42)), "42");
  EXPECT_EQ(VariantToRawString(VarArrayCreate({0, -1}, varByte)), "");
  EXPECT_THROW(VariantToRawString(VarArrayOf({Variant(1), Variant(2)})), EVariantInvalidArgError);

  EXPECT_EQ(VariantToRawWideString(Variant(L"\u6587\u4ef6")), L"\u6587\u4ef6");
  EXPECT_EQ(VariantToRawWideString(Variant("文件")), L"\u6587\u4ef6");
  EXPECT_EQ(VariantToRawWideString(ints), L"AB");
  EXPECT_EQ(VariantToRawWideString(Variant(7)), L"7");

  EXPECT_TRUE(VariantHoldsTextOrBytes(Variant("x")));
  EXPECT_TRUE(VariantHoldsTextOrBytes(Variant(L"x")));
  EXPECT_FALSE(VariantHoldsTextOrBytes(Variant(1)));
  EXPECT_FALSE(VariantHoldsTextOrBytes(VarArrayCreate({0, 1, 0, 1}, varByte)));

  VARIANT ole;
  VariantInit(&ole);
  ToOleVariant(bytes, ole);
  EXPECT_EQ(VariantRecordToRawString(ole), std::string(text, 4));
  VariantClear(&ole);
}

// --- Memory ---

TEST(Memory, Helpers)
{
  const uint32_t words[] = {0x00000001u, 0x80000000u};
  EXPECT_TRUE(TestBitInArray(0, words));
  EXPECT_FALSE(TestBitInArray(1, words));
  EXPECT_TRUE(TestBitInArray(63, words));
  EXPECT_FALSE(TestBitInArray(62, words));
  EXPECT_FALSE(TestBitInArray(64, words));  // past the end
  EXPECT_FALSE(TestBitInArray(-1, words));

  char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ZeroMemoryBlock(block + 2, 4);
  EXPECT_EQ(std::string(block, 8), std::string("\x01\x02\0\0\0\0\x07\x08", 8));
  ZeroMemoryBlock(nullptr, 4);

  TObject* obj = New<TObject>();
  ReleaseAndNil(obj);
  EXPECT_EQ(obj, nullptr);

  TOwned<TMemoryStream> stream(New<TMemoryStream>());
  WriteIntegerToStream(*stream, 0x12345678);
  WriteIntegerToStream(*stream, -2);
  ASSERT_EQ(stream->Size(), 8);
  EXPECT_EQ(std::string(static_cast<const char*>(stream->Memory()), 8),
            std::string("\x78\x56\x34\x12\xFE\xFF\xFF\xFF", 8));
}
