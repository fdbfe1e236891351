#pragma once
// String and number helpers of the class library. Narrow strings hold ANSI text (code page 936);
// the "Ansi" functions respect double-byte characters and the system locale, the plain ones treat
// bytes as ASCII.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Exceptions.h"

// One argument of Format: an integer, a floating-point number, a string, a character or a pointer.
class TVarRec {
public:
  enum class TKind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer };
  TVarRec(int v) : FKind(TKind::vtInteger), FInt(v) {}
  TVarRec(unsigned v) : FKind(TKind::vtInt64), FInt(v) {}
  TVarRec(long v) : FKind(TKind::vtInteger), FInt(v) {}
  TVarRec(long long v) : FKind(TKind::vtInt64), FInt(v) {}
  TVarRec(unsigned long long v) : FKind(TKind::vtInt64), FInt(static_cast<int64_t>(v)) {}
  TVarRec(double v) : FKind(TKind::vtExtended), FFloat(v) {}
  TVarRec(char v) : FKind(TKind::vtChar), FStr(1, v) {}
  TVarRec(const char* v) : FKind(TKind::vtString), FStr(v ? v : "") {}
  TVarRec(std::string_view v) : FKind(TKind::vtString), FStr(v) {}
  TVarRec(const std::string& v) : FKind(TKind::vtString), FStr(v) {}
  TVarRec(const void* v) : FKind(TKind::vtPointer), FInt(reinterpret_cast<intptr_t>(v)) {}

  TKind Kind() const { return FKind; }
  int64_t AsInt() const { return FInt; }
  double AsFloat() const { return FFloat; }
  const std::string& AsString() const { return FStr; }

private:
  TKind FKind;
  int64_t FInt = 0;
  double FFloat = 0;
  std::string FStr;
};

// Formats like the class library's Format: %d %u %x %e %f %g %n %m %s %p, with "-", width,
// ".precision", "*" and index ("%1:s") specifiers, "%%" for a percent sign. A specifier whose
// argument is missing or of another kind raises EConvertError
// "Format '<format>' invalid or incompatible with argument". Integers are not floats nor the other
// way round. %u and %x show an int as its 32-bit pattern; precision is the least number of digits.
// %e and %g have 15 significant digits by default and an exponent of at least three digits; %f and
// %n two decimals, %m the currency decimals; halves round away from zero. %s precision keeps at
// most that many bytes, never half of a double-byte character.
std::string Format(std::string_view format, std::initializer_list<TVarRec> args);

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);
// Decimal, or hexadecimal with a leading "$" or "0x" (after the sign, if any); surrounding blanks
// allowed. Unsigned hexadecimal may use the whole unsigned range and gives the bit pattern
// ("$FFFFFFFF" is -1 for StrToInt). StrToInt raises EConvertError
// "'<text>' is not a valid integer value" for anything else or out of range; the Try forms leave
// the value unchanged then.
int StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int def);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, int64_t& value);
// Floating point with the locale's decimal separator; StrToFloat raises EConvertError
// "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double def);
bool TryStrToFloat(std::string_view text, double& value);
// The same for long double, with its wider range and precision.
bool TryStrToFloat(std::string_view text, long double& value);
// Shortest general form with up to 15 significant digits ("1.5", "1E20", "0.1"); a long double
// beyond the range of double keeps its exponent ("1E4000").
std::string FloatToStr(long double value);
char DecimalSeparator();

// A number in one of the fixed notations, with precision significant digits (1 to 18):
// ffGeneral the shortest of fixed and scientific, with at least `digits` exponent digits (0 to 4);
// ffExponent "d.dddE+ddd" with precision digits; ffFixed `digits` decimals, scientific when the
// integer part has more digits than the precision; ffNumber as ffFixed with thousand separators;
// ffCurrency the locale's currency form with `digits` decimals. Halves round away from zero.
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
using enum TFloatFormat;
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// The value through a picture format of up to three sections, for positive, negative and zero values
// ("#,##0.00;(#,##0.00);'nothing'"): '0' a digit always shown, '#' a digit shown when significant,
// the first '.' the decimal separator (shown when decimals follow), a ',' before the point thousand
// separators, "E+00" / "E-0" / "e+" an exponent with at least as many digits as zeros (+ always
// signed, - only when negative), '..' or ".." quoted text and \x one character as they stand, every
// other character itself. A negative value with no second section gets a minus sign in front; a value
// that rounds to zero takes the third section and no sign. An empty format (or an empty chosen
// section) gives the general form (FloatToStr). Formats are never refused: an unterminated quote runs
// to the end. Doubles count with their 15 significant digits; the TBcd overload (FMTBcd.h) with every
// digit the value holds. Halves round away from zero.
std::string FormatFloat(std::string_view format, double value);

// One era of a locale's calendar: its name, and the offset that turns its years into Gregorian
// years (Gregorian year = era year + YearOffset).
struct TEraInfo {
  std::string Name;
  int YearOffset = 0;
};
constexpr int MaxEraCount = 7;

// The user locale's number, currency, date and time conventions, read once on first use.
// ReloadFormatSettings reads them again (after the system announces a change of regional settings).
// The fields may be changed by the program (and by tests); the change applies process-wide.
struct TFormatSettings {
  char DecimalSeparator = '.';
  std::string ThousandSeparator = ",";
  std::string CurrencyString = "$";
  int CurrencyFormat = 0;    // position of the currency string: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int NegCurrFormat = 0;     // one of the sixteen negative currency patterns, 0 "($1)" .. 15 "(1 $)"
  int CurrencyDecimals = 2;
  char DateSeparator = '/';
  char TimeSeparator = ':';
  // Date and time formats in the syntax of FormatDateTime (classlib/DateTime.h): "/" stands for
  // DateSeparator, ":" for TimeSeparator, m after h for minutes, n for minutes, AMPM for the
  // designator.
  std::string ShortDateFormat = "m/d/yyyy";
  std::string LongDateFormat = "mmmm d, yyyy";
  std::string ShortTimeFormat = "h:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames, LongMonthNames;  // [0] is January
  std::array<std::string, 7> ShortDayNames, LongDayNames;       // [0] is Sunday
  // A year read with one or two digits falls in the hundred years that start this many years
  // before the current year.
  int TwoDigitYearCenturyWindow = 50;
  // The eras of the locale's calendar as the platform lists them (newest first on Windows), at most
  // MaxEraCount; empty where the platform gives none.
  std::vector<TEraInfo> Eras;
};
TFormatSettings& FormatSettings();
void ReloadFormatSettings();
// The conventions of any locale, as FormatSettings() holds the user's.
TFormatSettings GetLocaleFormatSettings(LCID locale);

// The system's locale, read once on first use: its identifier with the primary and sub-language,
// and whether the system handles double-byte characters (an East Asian locale) or right-to-left
// text. The fields may be changed by the program (and by tests); the change applies process-wide.
struct TSysLocale {
  LCID DefaultLCID = 0;
  int PriLangID = 0;
  int SubLangID = 0;
  bool FarEast = false;
  bool MiddleEast = false;
};
TSysLocale& SysLocale();

std::string Trim(std::string_view s);       // removes blanks and control characters (<= ' ')
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);  // locale-aware, leaves double-byte characters whole
std::string AnsiLowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);   // byte order; <0, 0, >0
int CompareText(std::string_view a, std::string_view b);  // ASCII case-insensitive
bool SameText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);   // locale order, case-sensitive
int AnsiCompareText(std::string_view a, std::string_view b);  // locale order, case-insensitive
bool AnsiSameText(std::string_view a, std::string_view b);
std::string QuotedStr(std::string_view s);  // 'it''s'
enum class TReplaceFlag { rfReplaceAll, rfIgnoreCase };
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          bool replaceAll = true, bool ignoreCase = false);

// The system's beep: MessageBeep of the sound type (MB_OK, MB_ICONHAND, ..., 0xFFFFFFFF for the
// speaker) through one replaceable function, which tests swap with SetBeepFunc to hear it. Code
// that beeps calls SysMessageBeep, never MessageBeep itself.
void SysMessageBeep(UINT soundType = MB_OK);
using TBeepFunc = BOOL(WINAPI*)(UINT soundType);
// Answers the previous function; nullptr puts the system's back.
TBeepFunc SetBeepFunc(TBeepFunc func);
