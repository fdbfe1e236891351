#pragma once
// The core unit: flags for the running version of Windows, locale lookups, code-page conversions,
// 32-bit pixel access to bitmaps and a few memory helpers. Its resource-string repository and units
// loader are in dxCoreResStrings.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Colors.h"
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/base/dxCoreResStrings.h"

class TBitmap;
class TStream;
class Variant;

// Starts first among the toolkit's units (it sets the version flags) and shuts down last (it frees
// the resource-string repository and the units loader).
extern TUnit UnitdxCore;

// The toolkit's own errors.
CL_EXCEPTION(EdxException, Exception);

// --- Windows version ---

// Set once at start-up by DetectWindowsVersion.
extern bool Win9xPlatform;     // platform id 1
extern bool Win95;             // 9x family, minor version 0
extern bool WinNTPlatform;     // platform id 2
extern bool WinXPOrLater;      // NT family, 5.1 and later
extern bool WinVistaOrLater;   // NT family, major version 6 or more
extern bool Win7;              // NT family, exactly 6.1
extern bool RunningUnderWow64;

struct TdxWindowsVersionInfo {
  DWORD PlatformId = 0;
  DWORD MajorVersion = 0;
  DWORD MinorVersion = 0;
  // "IsWow64Process" of kernel32 exists, succeeds for the current process and reports true.
  bool IsWow64 = false;
};
// The one place the version flags come from; tests put another function here and detect again.
using TdxGetWindowsVersionInfoFunc = TdxWindowsVersionInfo (*)();
extern TdxGetWindowsVersionInfoFunc dxGetWindowsVersionInfo;
// What the system reports (the default of dxGetWindowsVersionInfo).
TdxWindowsVersionInfo dxReadWindowsVersionInfo();
void DetectWindowsVersion();

// --- Locale and text ---

// The locale's text for the information type without its terminating NUL, or def when the locale
// gives nothing.
std::string ReadLocaleString(LCID locale, LCTYPE type, std::string_view def);
// The first day of the week, 0 = Sunday ... 6 = Saturday, of the thread's locale (or the given one).
int GetLocaleFirstDayOfWeek();
int GetLocaleFirstDayOfWeek(LCID locale);
// The first day of the week the toolkit's calendars use: StartOfWeekOverride when it holds a day
// (0 = Sunday ... 6 = Saturday), else the thread locale's first day.
int GetStartOfWeek();
extern int StartOfWeekOverride;  // -1: none (the default)
// The run time's locale names: month 1..12; day 1..7 with 1 = Sunday. Empty out of range.
std::string GetLongMonthName(int month);
std::string GetShortDayName(int day);
char GetDecimalSeparatorChar();

// The ANSI code page of a font charset; 0 (the system's default code page) for any other charset.
UINT CharsetToCodePage(BYTE charset);
// Between code-page bytes and UTF-16; length is in bytes (characters) or -1 for the whole text.
std::wstring ConvertAnsiToWide(std::string_view text, UINT codePage = CP_ACP, int length = -1);
std::string ConvertWideToAnsi(std::wstring_view text, UINT codePage = CP_ACP, int length = -1);

// Length-prefixed strings of at most 255 characters: byte 0 holds the length.
using TShortString = std::array<unsigned char, 256>;
std::string ShortStringToAnsi(const TShortString& text);
TShortString AnsiToShortString(std::string_view text);  // longer text is cut at 255

// --- Pixels and colours ---

// One 32-bit pixel: blue, green, red, alpha.
using TRGBColors = std::vector<RGBQUAD>;

// The colour as a 32-bit pixel value: blue | green << 8 | red << 16 | alpha << 24, system colours
// resolved to their current RGB.
uint32_t PackColorAsRGBQuad(TColor color, BYTE alpha);

// Bits per pixel of the bitmap's format (a 15-bit bitmap counts as 16): for a class-library bitmap
// by its pixel format, the device's for a device or custom format; for a bitmap object by its own.
int GetBitmapBitsPerPixel(TBitmap* bitmap);
int GetBitmapBitsPerPixel(HBITMAP bitmap);
// Sizes pixels to width x height and reads the bitmap into it as 32-bit pixels, rows top-down or
// bottom-up. False (and an empty array) for a bitmap without width or height, or one that cannot be
// read; when a whole read fails the rows are read one by one, and the result tells whether each
// row could be read.
bool GetBitmapPixels(TBitmap* bitmap, TRGBColors& pixels, bool topDown);
bool GetBitmapPixels(HBITMAP bitmap, TRGBColors& pixels, bool topDown);
// Writes the whole array back; true when written. Nothing is written to an empty bitmap (false); an
// array of another size than the bitmap raises EInvalidOperation. A class-library bitmap is told
// that its image changed.
bool PutBitmapPixels(TBitmap* bitmap, const TRGBColors& pixels, bool topDown);
bool PutBitmapPixels(HBITMAP bitmap, const TRGBColors& pixels, bool topDown);
// True for a bitmap of at least 32 bits per pixel in which some pixel has a non-zero alpha byte.
bool BitmapUsesAlpha(TBitmap* bitmap);
bool BitmapUsesAlpha(HBITMAP bitmap);

// The bitmap-bits reader that the pixel functions call; tests put another function here.
using TdxGetDIBitsFunc = int(WINAPI*)(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits,
                                      BITMAPINFO* info, UINT usage);
extern TdxGetDIBitsFunc dxGetDIBits;

// --- Variants ---

// A one-dimensional array of fixed-size values copied byte for byte (high bound - low bound + 1
// bytes), a byte string unchanged, anything else as its text. An array of variants, strings or
// interfaces has no bytes of its own and raises EVariantInvalidArgError.
std::string VariantToRawString(const Variant& value);
// The same for an automation VARIANT.
std::string VariantRecordToRawString(const VARIANT& value);
// Text converted directly; anything else through VariantToRawString, widened from the ANSI code page.
std::wstring VariantToRawWideString(const Variant& value);
// A text variant or a one-dimensional array.
bool VariantHoldsTextOrBytes(const Variant& value);

// --- Memory ---

void ZeroMemoryBlock(void* block, size_t size);
// Frees the object and empties the reference.
template <class T>
void ReleaseAndNil(T*& obj)
{
  FreeAndNil(obj);
}
// Writes the value as 4 bytes, least significant first.
void WriteIntegerToStream(TStream& stream, int32_t value);
// Whether bit number mod 32 of word number div 32 is set; false past the end of the array.
bool TestBitInArray(int bit, std::span<const uint32_t> words);
