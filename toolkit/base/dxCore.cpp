#include "toolkit/base/dxCore.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include "classlib/Bitmap.h"
#include "classlib/BoundLibrary.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "classlib/Variant.h"

namespace {
// The loader's own version record, which not every system's ntdll offers.
using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
TRtlGetVersion GRtlGetVersion = nullptr;
const TLibraryEntry NtDllEntries[] = {CL_LIBRARY_ENTRY(GRtlGetVersion, "RtlGetVersion")};
TBoundLibrary GNtDll{"ntdll.dll", NtDllEntries};

void InitializeUnit() { DetectWindowsVersion(); }
void FinalizeUnit()
{
  FinalizeResourceStringsAndUnitsLoader();
  GNtDll.Unload();
}
}  // namespace

TUnit UnitdxCore{"dxCore", {}, InitializeUnit, FinalizeUnit};

// --- Windows version ---

bool Win9xPlatform = false;
bool Win95 = false;
bool WinNTPlatform = false;
bool WinXPOrLater = false;
bool WinVistaOrLater = false;
bool Win7 = false;
bool RunningUnderWow64 = false;

TdxGetWindowsVersionInfoFunc dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;

TdxWindowsVersionInfo dxReadWindowsVersionInfo()
{
  TdxWindowsVersionInfo info;
  // The loader's own record: GetVersionEx stops at 6.2 for programs without a compatibility
  // manifest, which would hide later versions.
  OSVERSIONINFOW ntInfo{};
  ntInfo.dwOSVersionInfoSize = sizeof ntInfo;
  GNtDll.Load();
  if (GRtlGetVersion && GRtlGetVersion(&ntInfo) == 0) {
    info.PlatformId = ntInfo.dwPlatformId;
    info.MajorVersion = ntInfo.dwMajorVersion;
    info.MinorVersion = ntInfo.dwMinorVersion;
  } else {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&v)) {
#pragma GCC diagnostic pop
      info.PlatformId = v.dwPlatformId;
      info.MajorVersion = v.dwMajorVersion;
      info.MinorVersion = v.dwMinorVersion;
    }
  }
  BOOL wow64 = FALSE;
  info.IsWow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  return info;
}

void DetectWindowsVersion()
{
  TdxWindowsVersionInfo v = dxGetWindowsVersionInfo();
  Win9xPlatform = v.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
  Win95 = Win9xPlatform && v.MinorVersion == 0;
  WinNTPlatform = v.PlatformId == VER_PLATFORM_WIN32_NT;
  WinXPOrLater = WinNTPlatform && v.MajorVersion >= 5 && !(v.MajorVersion == 5 && v.MinorVersion == 0);
  WinVistaOrLater = WinNTPlatform && v.MajorVersion >= 6;
  Win7 = WinNTPlatform && v.MajorVersion == 6 && v.MinorVersion == 1;
  RunningUnderWow64 = v.IsWow64;
}

// --- Locale and text ---

std::string ReadLocaleString(LCID locale, LCTYPE type, std::string_view def)
{
  int size = GetLocaleInfoA(locale, type, nullptr, 0);
  if (size > 0) {
    std::string text(size, '\0');
    size = GetLocaleInfoA(locale, type, text.data(), size);
    if (size > 0) {
      text.resize(size - 1);
      return text;
    }
  }
  return std::string(def);
}

int GetLocaleFirstDayOfWeek(LCID locale)
{
  // The locale counts from Monday (0) to Sunday (6); the toolkit counts from Sunday.
  std::string text = ReadLocaleString(locale, LOCALE_IFIRSTDAYOFWEEK, "0");
  int day = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), day);
  if (error != std::errc() || day < 0 || day > 6) day = 0;
  return (day + 1) % 7;
}

int GetLocaleFirstDayOfWeek() { return GetLocaleFirstDayOfWeek(GetThreadLocale()); }

int StartOfWeekOverride = -1;

int GetStartOfWeek()
{
  if (StartOfWeekOverride >= 0 && StartOfWeekOverride <= 6) return StartOfWeekOverride;
  return GetLocaleFirstDayOfWeek();
}

std::string GetLongMonthName(int month)
{
  if (month < 1 || month > 12) return {};
  return FormatSettings().LongMonthNames[month - 1];
}

std::string GetShortDayName(int day)
{
  if (day < 1 || day > 7) return {};
  return FormatSettings().ShortDayNames[day - 1];
}

char GetDecimalSeparatorChar() { return DecimalSeparator(); }

UINT CharsetToCodePage(BYTE charset)
{
  struct TEntry {
    BYTE Charset;
    UINT CodePage;
  };
  static constexpr TEntry Table[] = {
    {SHIFTJIS_CHARSET, 932}, {HANGEUL_CHARSET, 949}, {JOHAB_CHARSET, 949},   {GB2312_CHARSET, 936},
    {CHINESEBIG5_CHARSET, 950}, {GREEK_CHARSET, 1253}, {TURKISH_CHARSET, 1254}, {HEBREW_CHARSET, 1255},
    {ARABIC_CHARSET, 1256}, {BALTIC_CHARSET, 1257}, {RUSSIAN_CHARSET, 1251}, {THAI_CHARSET, 874},
    {EASTEUROPE_CHARSET, 1250},
  };
  for (const TEntry& e : Table)
    if (e.Charset == charset) return e.CodePage;
  return 0;
}

namespace {
// The library's own UTF-8 coding, for systems whose conversion functions do not know UTF-8.
// Malformed input becomes U+FFFD rather than being dropped.
std::wstring DecodeUtf8(std::string_view text)
{
  std::wstring result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    char32_t cp;
    int extra;
    if (c < 0x80) { cp = c; extra = 0; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
    else { result.push_back(0xFFFD); ++i; continue; }
    size_t j = i + 1;
    int k = 0;
    for (; k < extra && j < text.size() && (static_cast<unsigned char>(text[j]) & 0xC0) == 0x80; ++k, ++j)
      cp = (cp << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
    static constexpr char32_t MinOf[] = {0, 0x80, 0x800, 0x10000};
    if (k < extra || cp < MinOf[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      result.push_back(0xFFFD);
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      result.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      result.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      result.push_back(static_cast<wchar_t>(cp));
    }
    i = j;
  }
  return result;
}

std::string EncodeUtf8(std::wstring_view text)
{
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = static_cast<char16_t>(text[i]);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // an unpaired surrogate
    }
    if (cp < 0x80) {
      result.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      result.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      result.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      result.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      result.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      result.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return result;
}

template <class S>
S Prefix(S text, int length)
{
  if (length >= 0 && static_cast<size_t>(length) < text.size()) text = text.substr(0, length);
  return text;
}
}  // namespace

std::wstring ConvertAnsiToWide(std::string_view text, UINT codePage, int length)
{
  text = Prefix(text, length);
  if (text.empty()) return {};
  if (codePage == CP_UTF8 && Win9xPlatform) return DecodeUtf8(text);
  DWORD flags = codePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
  int size = static_cast<int>(text.size());
  int count = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (count == 0 && flags && GetLastError() == ERROR_INVALID_FLAGS) {
    // Some code pages (the ISO-2022 family, UTF-7, symbol) accept no flags at all.
    flags = 0;
    count = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  }
  if (count <= 0) return {};
  std::wstring result(count, L'\0');
  count = MultiByteToWideChar(codePage, flags, text.data(), size, result.data(), count);
  result.resize(std::max(count, 0));
  return result;
}

std::string ConvertWideToAnsi(std::wstring_view text, UINT codePage, int length)
{
  text = Prefix(text, length);
  if (text.empty()) return {};
  if (codePage == CP_UTF8 && Win9xPlatform) return EncodeUtf8(text);
  int size = static_cast<int>(text.size());
  int count = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return {};
  std::string result(count, '\0');
  count = WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), count, nullptr, nullptr);
  result.resize(std::max(count, 0));
  return result;
}

std::string ShortStringToAnsi(const TShortString& text)
{
  return std::string(reinterpret_cast<const char*>(text.data() + 1), text[0]);
}

TShortString AnsiToShortString(std::string_view text)
{
  TShortString result{};
  size_t length = std::min<size_t>(text.size(), 255);
  result[0] = static_cast<unsigned char>(length);
  std::memcpy(result.data() + 1, text.data(), length);
  return result;
}

// --- Pixels ---

TdxGetDIBitsFunc dxGetDIBits = GetDIBits;

namespace {
// A memory device context compatible with the screen, deleted on every way out.
class TScreenMemoryDC {
public:
  TScreenMemoryDC() : FDC(CreateCompatibleDC(nullptr)) {}
  ~TScreenMemoryDC()
  {
    if (FDC) DeleteDC(FDC);
  }
  TScreenMemoryDC(const TScreenMemoryDC&) = delete;
  TScreenMemoryDC& operator=(const TScreenMemoryDC&) = delete;
  HDC Handle() const { return FDC; }

private:
  HDC FDC;
};

bool ReadBitmapSize(HBITMAP bitmap, int& width, int& height)
{
  BITMAP bm{};
  if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) == 0) return false;
  width = bm.bmWidth;
  height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  return width > 0 && height > 0;
}

BITMAPINFO MakePixelInfo(int width, int height, bool topDown)
{
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = topDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
}  // namespace

uint32_t PackColorAsRGBQuad(TColor color, BYTE alpha)
{
  COLORREF rgb = ColorToRGB(color);
  return static_cast<uint32_t>(GetBValue(rgb)) | static_cast<uint32_t>(GetGValue(rgb)) << 8 |
         static_cast<uint32_t>(GetRValue(rgb)) << 16 | static_cast<uint32_t>(alpha) << 24;
}

int GetBitmapBitsPerPixel(TBitmap* bitmap)
{
  if (!bitmap) return 0;
  switch (bitmap->PixelFormat()) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    case TPixelFormat::pfDevice:
    case TPixelFormat::pfCustom: break;
  }
  return GetDeviceCaps(bitmap->Canvas()->Handle(), BITSPIXEL);
}

bool GetBitmapPixels(TBitmap* bitmap, TRGBColors& pixels, bool topDown)
{
  if (!bitmap || bitmap->Empty()) {
    pixels.clear();
    return false;
  }
  // Handle() lets the canvas's context go first: a selected bitmap cannot be read.
  return GetBitmapPixels(bitmap->Handle(), pixels, topDown);
}

bool PutBitmapPixels(TBitmap* bitmap, const TRGBColors& pixels, bool topDown)
{
  if (!bitmap || bitmap->Empty()) return false;
  bool written = PutBitmapPixels(bitmap->Handle(), pixels, topDown);
  if (written) bitmap->SetModified(true);  // drops the bitmap's mask and tells its listeners
  return written;
}

bool BitmapUsesAlpha(TBitmap* bitmap)
{
  if (!bitmap || bitmap->Empty() || GetBitmapBitsPerPixel(bitmap) < 32) return false;
  return BitmapUsesAlpha(bitmap->Handle());
}

int GetBitmapBitsPerPixel(HBITMAP bitmap)
{
  BITMAP bm{};
  if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) == 0) return 0;
  return bm.bmBitsPixel == 15 ? 16 : bm.bmBitsPixel;
}

bool GetBitmapPixels(HBITMAP bitmap, TRGBColors& pixels, bool topDown)
{
  pixels.clear();
  int width = 0, height = 0;
  if (!ReadBitmapSize(bitmap, width, height)) return false;
  pixels.assign(static_cast<size_t>(width) * height, RGBQUAD{});
  BITMAPINFO info = MakePixelInfo(width, height, topDown);
  TScreenMemoryDC dc;
  if (dxGetDIBits(dc.Handle(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height) return true;

  // Row by row, each asked for bottom-up (scan line 0 is the bottom row) and put into its place.
  info = MakePixelInfo(width, height, false);
  std::vector<RGBQUAD> row(width);
  bool allRead = true;
  for (int line = 0; line < height; ++line) {
    RGBQUAD* place = pixels.data() + static_cast<size_t>(topDown ? height - 1 - line : line) * width;
    if (dxGetDIBits(dc.Handle(), bitmap, line, 1, place, &info, DIB_RGB_COLORS) == 1) continue;
    std::fill(row.begin(), row.end(), RGBQUAD{});
    bool read = dxGetDIBits(dc.Handle(), bitmap, line, 1, row.data(), &info, DIB_RGB_COLORS) == 1;
    // A row that cannot be read at all comes out empty, not as whatever the failed call left.
    if (!read) std::fill(row.begin(), row.end(), RGBQUAD{});
    std::copy(row.begin(), row.end(), place);
    allRead = allRead && read;
  }
  return allRead;
}

bool PutBitmapPixels(HBITMAP bitmap, const TRGBColors& pixels, bool topDown)
{
  int width = 0, height = 0;
  if (!ReadBitmapSize(bitmap, width, height)) return false;
  if (pixels.size() != static_cast<size_t>(width) * height)
    throw EInvalidOperation("The pixel array does not match the bitmap size");
  BITMAPINFO info = MakePixelInfo(width, height, topDown);
  TScreenMemoryDC dc;
  return SetDIBits(dc.Handle(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
}

bool BitmapUsesAlpha(HBITMAP bitmap)
{
  if (GetBitmapBitsPerPixel(bitmap) < 32) return false;
  TRGBColors pixels;
  if (!GetBitmapPixels(bitmap, pixels, false)) return false;
  return std::any_of(pixels.begin(), pixels.end(), [](const RGBQUAD& p) { return p.rgbReserved != 0; });
}

// --- Variants ---

namespace {
// Element kinds whose arrays keep their values packed in memory.
bool HasPackedElements(TVarType elementType)
{
  switch (elementType) {
    case varVariant:
    case varString:
    case varOleStr:
    case varDispatch:
    case varUnknown: return false;
    default: return true;
  }
}

bool IsOneDimensionalArray(const Variant& value) { return VarIsArray(value) && VarArrayDimCount(value) == 1; }
}  // namespace

std::string VariantToRawString(const Variant& value)
{
  if (IsOneDimensionalArray(value)) {
    if (!HasPackedElements(value.VType() & varTypeMask))
      throw EVariantInvalidArgError("Invalid argument: the array holds no bytes of its own");
    int count = VarArrayHighBound(value, 1) - VarArrayLowBound(value, 1) + 1;
    if (count <= 0) return {};
    Variant copy = value;
    const char* data = static_cast<const char*>(VarArrayLock(copy));
    std::string result(data, data + count);
    VarArrayUnlock(copy);
    return result;
  }
  return value.AsString();
}

std::string VariantRecordToRawString(const VARIANT& value) { return VariantToRawString(FromOleVariant(value)); }

std::wstring VariantToRawWideString(const Variant& value)
{
  if (VarIsStr(value)) return value.AsWideString();
  return ConvertAnsiToWide(VariantToRawString(value));
}

bool VariantHoldsTextOrBytes(const Variant& value) { return VarIsStr(value) || IsOneDimensionalArray(value); }

// --- Memory ---

void ZeroMemoryBlock(void* block, size_t size)
{
  if (block && size) std::memset(block, 0, size);
}

void WriteIntegerToStream(TStream& stream, int32_t value)
{
  auto u = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                  static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  stream.WriteBuffer(bytes, sizeof bytes);
}

bool TestBitInArray(int bit, std::span<const uint32_t> words)
{
  if (bit < 0) return false;
  size_t word = static_cast<size_t>(bit) / 32;
  if (word >= words.size()) return false;
  return (words[word] >> (bit % 32)) & 1;
}
