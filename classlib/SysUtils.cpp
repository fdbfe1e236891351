#include "classlib/SysUtils.h"
#include "classlib/SysUtilsDecimal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <utility>

// ---------------------------------------------------------------------------------------------
// Locale settings

namespace {

std::string LocaleString(LCID locale, LCTYPE type, std::string_view fallback)
{
  char buf[128];
  int n = GetLocaleInfoA(locale, type, buf, sizeof buf);
  if (n <= 1) return std::string(fallback);
  return std::string(buf, n - 1);
}

int LocaleInt(LCID locale, LCTYPE type, int fallback, int maxValue)
{
  int value = 0;
  std::string text = LocaleString(locale, type, "");
  if (!TryStrToInt(text, value) || value < 0 || value > maxValue) return fallback;
  return value;
}

// The enumeration of calendar texts calls back without a context argument: the list being filled
// is the calling thread's.
thread_local std::vector<std::string>* GCalendarTexts = nullptr;

BOOL CALLBACK CollectCalendarText(LPSTR text)
{
  try {
    if (GCalendarTexts && text) GCalendarTexts->push_back(text);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

std::vector<std::string> CalendarTexts(LCID locale, CALID calendar, CALTYPE type)
{
  std::vector<std::string> texts;
  std::vector<std::string>* saved = GCalendarTexts;
  GCalendarTexts = &texts;
  EnumCalendarInfoA(CollectCalendarText, locale, calendar, type);
  GCalendarTexts = saved;
  return texts;
}

// The eras of the locale's calendar, in the platform's order. The platform gives the year range of
// an era as the Gregorian year the era began in (the Japanese and Taiwan eras), except for the
// Korean and Thai calendars, whose one era counts that many years ahead of the Gregorian count, and
// the calendars without eras, which give 0.
std::vector<TEraInfo> LocaleEras(LCID locale)
{
  const CALID calendar = LocaleInt(locale, LOCALE_ICALENDARTYPE, CAL_GREGORIAN, 99);
  const std::vector<std::string> names = CalendarTexts(locale, calendar, CAL_SERASTRING);
  const std::vector<std::string> ranges = CalendarTexts(locale, calendar, CAL_IYEAROFFSETRANGE);
  std::vector<TEraInfo> eras;
  for (size_t i = 0; i < names.size() && eras.size() < MaxEraCount; ++i) {
    int range = 0;
    if (i < ranges.size()) TryStrToInt(ranges[i], range);
    int offset = range > 0 ? range - 1 : range;
    if (calendar == CAL_KOREA || calendar == CAL_THAI) offset = -std::abs(range);
    eras.push_back({names[i], offset});
  }
  return eras;
}

// Literal text of a date format, in whichever quote it does not contain.
std::string QuoteLiteral(const std::string& text)
{
  const char q = text.find('"') == std::string::npos ? '"' : '\'';
  return q + text + q;
}

// One character of a Windows picture as literal text of the class library's date format: letters,
// separators and quotes are quoted, so that they are not read as parts of the date or time.
std::string LiteralChar(char c)
{
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (letter || c == '/' || c == ':' || c == '\'' || static_cast<unsigned char>(c) >= 0x80) return std::string("\"") + c + '"';
  if (c == '"') return "'\"'";
  return std::string(1, c);
}

// Turns a Windows short date picture ("yyyy/M/d", "dd.MM.yy") into the class library's date format
// syntax: m for months, the locale's date separator written as "/", literal text in quotes.
std::string ConvertDatePicture(std::string_view picture, char separator)
{
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < picture.size()) {
      out += std::string("\"") + c + picture[i + 1] + '"';  // its second byte may look like a letter
      i += 2;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == '\'') {
      // Quoted literal: copy up to the closing quote ('' inside is a quote character).
      size_t j = i + 1;
      std::string lit;
      while (j < picture.size()) {
        if (picture[j] == '\'') {
          if (j + 1 < picture.size() && picture[j + 1] == '\'') {
            lit += '\'';
            j += 2;
            continue;
          }
          break;
        }
        lit += picture[j++];
      }
      if (!lit.empty()) out += QuoteLiteral(lit);
      i = j + 1;
      continue;
    }
    switch (c) {
    case 'd': out.append(std::min<size_t>(run, 4), 'd'); break;
    case 'M': out.append(std::min<size_t>(run, 4), 'm'); break;
    case 'y': out += run <= 2 ? "yy" : "yyyy"; break;
    case 'g': break;  // era names are not shown
    default:
      for (size_t k = 0; k < run; ++k) out += c == separator ? std::string(1, '/') : LiteralChar(c);
    }
    i += run;
  }
  return out;
}

// Turns a Windows time picture ("H:mm:ss", "tt h:mm:ss") into the class library's syntax: n for
// minutes, AMPM for the designator, the locale's time separator written as ":".
std::string ConvertTimePicture(std::string_view picture, char separator)
{
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < picture.size()) {
      out += std::string("\"") + c + picture[i + 1] + '"';
      i += 2;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == '\'') {
      size_t j = i + 1;
      std::string lit;
      while (j < picture.size() && picture[j] != '\'') lit += picture[j++];
      if (!lit.empty()) out += QuoteLiteral(lit);
      i = j + 1;
      continue;
    }
    switch (c) {
    case 'h':
    case 'H': out += run >= 2 ? "hh" : "h"; break;
    case 'm': out += run >= 2 ? "nn" : "n"; break;
    case 's': out += run >= 2 ? "ss" : "s"; break;
    case 't': out += "AMPM"; break;
    default:
      for (size_t k = 0; k < run; ++k) out += c == separator ? std::string(1, ':') : LiteralChar(c);
    }
    i += run;
  }
  return out;
}

// The first character of a Windows date or time picture that is not a field letter, a blank or
// quoted text: the separator between its fields.
char PictureSeparator(std::string_view picture, char fallback)
{
  for (size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
      ++i;
    } else if (c == '\'') {
      const size_t close = picture.find('\'', i + 1);
      if (close == std::string_view::npos) break;
      i = close;
    } else if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && c != ' ') {
      return c;
    }
  }
  return fallback;
}

}  // namespace

TFormatSettings GetLocaleFormatSettings(LCID locale)
{
  TFormatSettings s;
  s.DecimalSeparator = LocaleString(locale, LOCALE_SDECIMAL, ".")[0];
  s.ThousandSeparator = LocaleString(locale, LOCALE_STHOUSAND, ",");
  s.CurrencyString = LocaleString(locale, LOCALE_SCURRENCY, "$");
  s.CurrencyFormat = LocaleInt(locale, LOCALE_ICURRENCY, 0, 3);
  s.NegCurrFormat = LocaleInt(locale, LOCALE_INEGCURR, 0, 15);
  s.CurrencyDecimals = LocaleInt(locale, LOCALE_ICURRDIGITS, 2, 9);
  // The separators are taken from the pictures themselves where they show one, so that dates and
  // times are read back with the separator they are written with.
  const std::string shortDate = LocaleString(locale, LOCALE_SSHORTDATE, "M/d/yyyy");
  const std::string longTime = LocaleString(locale, LOCALE_STIMEFORMAT, "H:mm:ss");
  s.DateSeparator = PictureSeparator(shortDate, LocaleString(locale, LOCALE_SDATE, "/")[0]);
  s.TimeSeparator = PictureSeparator(longTime, LocaleString(locale, LOCALE_STIME, ":")[0]);
  s.ShortDateFormat = ConvertDatePicture(shortDate, s.DateSeparator);
  s.LongTimeFormat = ConvertTimePicture(longTime, s.TimeSeparator);
  s.LongDateFormat = ConvertDatePicture(LocaleString(locale, LOCALE_SLONGDATE, "MMMM d, yyyy"), s.DateSeparator);
  s.ShortTimeFormat = ConvertTimePicture(LocaleString(locale, LOCALE_SSHORTTIME, "H:mm"), s.TimeSeparator);
  s.TimeAMString = LocaleString(locale, LOCALE_S1159, "AM");
  s.TimePMString = LocaleString(locale, LOCALE_S2359, "PM");
  static constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
  static constexpr const char* kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  for (int i = 0; i < 12; ++i) {
    s.LongMonthNames[i] = LocaleString(locale, LOCALE_SMONTHNAME1 + i, kMonths[i]);
    s.ShortMonthNames[i] = LocaleString(locale, LOCALE_SABBREVMONTHNAME1 + i, std::string_view(kMonths[i]).substr(0, 3));
  }
  // The system's day names start with Monday.
  for (int i = 0; i < 7; ++i) {
    const LCTYPE offset = (i + 6) % 7;
    s.LongDayNames[i] = LocaleString(locale, LOCALE_SDAYNAME1 + offset, kDays[i]);
    s.ShortDayNames[i] = LocaleString(locale, LOCALE_SABBREVDAYNAME1 + offset, std::string_view(kDays[i]).substr(0, 3));
  }
  s.Eras = LocaleEras(locale);
  return s;
}

namespace {

TFormatSettings& SettingsInstance()
{
  static TFormatSettings settings = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
  return settings;
}

}  // namespace

TFormatSettings& FormatSettings() { return SettingsInstance(); }

void ReloadFormatSettings() { SettingsInstance() = GetLocaleFormatSettings(LOCALE_USER_DEFAULT); }

char DecimalSeparator() { return FormatSettings().DecimalSeparator; }

TSysLocale& SysLocale()
{
  static TSysLocale locale = [] {
    TSysLocale l;
    l.DefaultLCID = GetThreadLocale();
    l.PriLangID = PRIMARYLANGID(LANGIDFROMLCID(l.DefaultLCID));
    l.SubLangID = SUBLANGID(LANGIDFROMLCID(l.DefaultLCID));
    l.FarEast = GetSystemMetrics(SM_DBCSENABLED) != 0;
    l.MiddleEast = GetSystemMetrics(SM_MIDEASTENABLED) != 0;
    return l;
  }();
  return locale;
}

// ---------------------------------------------------------------------------------------------
// Integers

std::string IntToStr(int64_t value)
{
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string IntToHex(uint64_t value, int digits)
{
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
  std::string s(buf, r.ptr);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (digits > static_cast<int>(s.size())) s.insert(0, std::min(digits, 32) - s.size(), '0');
  return s;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view StripBlanks(std::string_view s)
{
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

struct TParsedInteger {
  uint64_t Magnitude = 0;
  bool Negative = false;
  bool Signed = false;  // a sign was written
  bool Hex = false;
};

// Reads [blanks][+|-][$|0x]digits[blanks]; false for anything else or more than 64 bits.
bool ParseInteger(std::string_view text, TParsedInteger& r)
{
  std::string_view s = StripBlanks(text);
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    r.Negative = s[0] == '-';
    r.Signed = true;
    s.remove_prefix(1);
  }
  if (!s.empty() && s[0] == '$') {
    r.Hex = true;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    r.Hex = true;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  const uint64_t base = r.Hex ? 16 : 10;
  uint64_t v = 0;
  for (char c : s) {
    unsigned d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (r.Hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (r.Hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (v > (std::numeric_limits<uint64_t>::max() - d) / base) return false;
    v = v * base + d;
  }
  r.Magnitude = v;
  return true;
}

// Range check for a signed type of `bits` bits. Unsigned hexadecimal may use the whole unsigned
// range and is taken as the bit pattern ("$FFFFFFFF" is -1), as colours and flags are written.
bool ToSigned(const TParsedInteger& p, int bits, int64_t& value)
{
  const uint64_t maxPositive = (uint64_t(1) << (bits - 1)) - 1;
  if (p.Negative) {
    if (p.Magnitude > maxPositive + 1) return false;
    value = p.Magnitude == maxPositive + 1 ? std::numeric_limits<int64_t>::min() >> (64 - bits)
                                           : -static_cast<int64_t>(p.Magnitude);
    return true;
  }
  if (p.Magnitude <= maxPositive) {
    value = static_cast<int64_t>(p.Magnitude);
    return true;
  }
  if (p.Hex && !p.Signed) {
    const uint64_t maxUnsigned = bits == 64 ? std::numeric_limits<uint64_t>::max() : (uint64_t(1) << bits) - 1;
    if (p.Magnitude > maxUnsigned) return false;
    value = bits == 64 ? static_cast<int64_t>(p.Magnitude)
                       : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(p.Magnitude)));
    return true;
  }
  return false;
}

[[noreturn]] void IntegerError(std::string_view text)
{
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

bool TryStrToInt64(std::string_view text, int64_t& value)
{
  TParsedInteger p;
  int64_t v;
  if (!ParseInteger(text, p) || !ToSigned(p, 64, v)) return false;
  value = v;
  return true;
}

bool TryStrToInt(std::string_view text, int& value)
{
  TParsedInteger p;
  int64_t v;
  if (!ParseInteger(text, p) || !ToSigned(p, 32, v)) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(std::string_view text)
{
  int v;
  if (!TryStrToInt(text, v)) IntegerError(text);
  return v;
}

int64_t StrToInt64(std::string_view text)
{
  int64_t v;
  if (!TryStrToInt64(text, v)) IntegerError(text);
  return v;
}

int StrToIntDef(std::string_view text, int def)
{
  int v;
  return TryStrToInt(text, v) ? v : def;
}

// ---------------------------------------------------------------------------------------------
// Floating point

namespace {

void StripTrailingZeros(TDecimal& d)
{
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

}  // namespace

// Rounds to at most `precision` significant digits and, when decimals >= 0, to at most `decimals`
// digits after the point, in one step from the exact binary value, halves away from zero (2.5 gives
// 3, 0.125 to two places 0.13).
TDecimal ToDecimal(long double value, int precision, int decimals)
{
  TDecimal d;
  d.Negative = std::signbit(value);
  const long double v = std::fabs(value);
  if (v == 0) return d;
  // 767 significant digits hold any double exactly, and more than enough of a long double for
  // rounding to the precisions asked here.
  char buf[800];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 767);
  std::string_view s(buf, r.ptr - buf);
  const size_t e = s.find('e');
  d.Digits.reserve(e);
  for (char c : s.substr(0, e))
    if (c != '.') d.Digits += c;
  int exp10 = 0;
  std::string_view es = s.substr(e + 1);
  if (!es.empty() && es[0] == '+') es.remove_prefix(1);
  std::from_chars(es.data(), es.data() + es.size(), exp10);
  d.Exponent = exp10 + 1;
  StripTrailingZeros(d);

  int keep = precision;
  if (decimals >= 0) keep = std::min(keep, d.Exponent + decimals);
  RoundDecimalDigits(d.Digits, d.Exponent, keep);
  return d;
}

namespace {

std::string ExponentText(int exponent, int minDigits, bool plusSign)
{
  std::string s = "E";
  if (exponent < 0) s += '-';
  else if (plusSign) s += '+';
  std::string digits = std::to_string(std::abs(exponent));
  if (static_cast<int>(digits.size()) < minDigits) s.append(minDigits - digits.size(), '0');
  return s + digits;
}

// Scientific form with exactly `precision` digits: "1.50000E+003".
std::string ExponentForm(const TDecimal& d, int precision, int expDigits)
{
  std::string s;
  s += DigitAt(d, 0);
  if (precision > 1) {
    s += DecimalSeparator();
    for (int i = 1; i < precision; ++i) s += DigitAt(d, i);
  }
  return s + ExponentText(d.Digits.empty() ? 0 : d.Exponent - 1, expDigits, true);
}

// Integer part with optional thousands separators, then `decimals` digits after the point.
std::string FixedForm(const TDecimal& d, int decimals, std::string_view thousands)
{
  std::string s;
  if (d.Exponent <= 0) s = "0";
  for (int i = 0; i < d.Exponent; ++i) {
    if (!thousands.empty() && i > 0 && (d.Exponent - i) % 3 == 0) s += thousands;
    s += DigitAt(d, i);
  }
  if (decimals > 0) {
    s += DecimalSeparator();
    for (int j = 0; j < decimals; ++j) s += DigitAt(d, d.Exponent + j);
  }
  return s;
}

// Shortest form: fixed when the point falls within the precision and the value is at least 0.0001,
// otherwise scientific with the exponent's minus sign only ("1E20", "1.5E-7").
std::string GeneralForm(const TDecimal& d, int precision, int expDigits)
{
  if (d.Digits.empty()) return "0";
  const int n = static_cast<int>(d.Digits.size());
  if (d.Exponent > precision || d.Exponent < -3) {
    std::string s(1, d.Digits[0]);
    if (n > 1) {
      s += DecimalSeparator();
      s.append(d.Digits, 1);
    }
    return s + ExponentText(d.Exponent - 1, expDigits, false);
  }
  std::string s = FixedForm(d, 0, {});
  if (n > d.Exponent) {
    s += DecimalSeparator();
    for (int i = std::min(d.Exponent, 0); i < 0; ++i) s += '0';
    s.append(d.Digits, std::max(d.Exponent, 0));
  }
  return s;
}

std::string NonFinite(long double value)
{
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string WithSign(const TDecimal& d, std::string body)
{
  return d.Negative && !d.Digits.empty() ? "-" + body : body;
}

std::string CurrencyForm(double value, int decimals)
{
  const TFormatSettings& fs = FormatSettings();
  const TDecimal d = ToDecimal(value, 18, decimals);
  const std::string n = FixedForm(d, decimals, fs.ThousandSeparator);
  const std::string& c = fs.CurrencyString;
  if (!d.Negative || d.Digits.empty()) {
    switch (fs.CurrencyFormat) {
    case 1: return n + c;
    case 2: return c + " " + n;
    case 3: return n + " " + c;
    default: return c + n;
    }
  }
  switch (fs.NegCurrFormat) {
  case 1: return "-" + c + n;
  case 2: return c + "-" + n;
  case 3: return c + n + "-";
  case 4: return "(" + n + c + ")";
  case 5: return "-" + n + c;
  case 6: return n + "-" + c;
  case 7: return n + c + "-";
  case 8: return "-" + n + " " + c;
  case 9: return "-" + c + " " + n;
  case 10: return n + " " + c + "-";
  case 11: return c + " " + n + "-";
  case 12: return c + " -" + n;
  case 13: return n + "- " + c;
  case 14: return "(" + c + " " + n + ")";
  case 15: return "(" + n + " " + c + ")";
  default: return "(" + c + n + ")";
  }
}

constexpr int kFixedPrecision = 18;

}  // namespace

std::string FloatToStr(long double value)
{
  if (!std::isfinite(value)) return NonFinite(value);
  const TDecimal d = ToDecimal(value, 15, -1);
  return WithSign(d, GeneralForm(d, 15, 0));
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
  if (!std::isfinite(value)) return NonFinite(value);
  const int p = std::clamp(precision, 1, kFixedPrecision);
  switch (format) {
  case ffGeneral:
  case ffExponent: {
    const TDecimal d = ToDecimal(value, p, -1);
    const int expDigits = std::clamp(digits, 0, 4);
    return WithSign(d, format == ffExponent ? ExponentForm(d, p, expDigits) : GeneralForm(d, p, expDigits));
  }
  case ffCurrency:
    return CurrencyForm(value, std::clamp(digits, 0, 18));
  default: {
    const int decimals = std::clamp(digits, 0, 18);
    const TDecimal d = ToDecimal(value, p, decimals);
    if (d.Exponent > p) return WithSign(d, ExponentForm(ToDecimal(value, p, -1), p, 3));
    return WithSign(d, FixedForm(d, decimals, format == ffNumber ? std::string_view(FormatSettings().ThousandSeparator) : ""));
  }
  }
}

namespace {
// Checks a number in the locale's form and rewrites it with '.' as the point into c. magnitude is
// the position of the first significant digit relative to the point, to tell an overflow from an
// underflow when the value is out of range.
bool ScanFloat(std::string_view text, std::string& c, long& magnitude)
{
  std::string_view s = StripBlanks(text);
  size_t i = 0;
  auto isDigit = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') c += '-';
    ++i;
  }
  int digits = 0;
  magnitude = 0;
  bool significant = false;
  for (; isDigit(i); ++i, ++digits) {
    c += s[i];
    significant = significant || s[i] != '0';
    if (significant) ++magnitude;
  }
  if (i < s.size() && s[i] == DecimalSeparator()) {
    c += '.';
    for (++i; isDigit(i); ++i, ++digits) {
      c += s[i];
      if (!significant && s[i] == '0') --magnitude;
      significant = significant || s[i] != '0';
    }
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const size_t start = i;
    while (isDigit(i)) ++i;
    if (i == start) return false;
    long exp10 = 0;
    if (std::from_chars(s.data() + start, s.data() + i, exp10).ec != std::errc()) exp10 = 1000000;
    exp10 = std::min(exp10, 1000000L);
    magnitude += negative ? -exp10 : exp10;
    c += negative ? "e-" : "e";
    c.append(s.substr(start, i - start));
  }
  if (i != s.size()) return false;
  return true;
}
}  // namespace

bool TryStrToFloat(std::string_view text, double& value)
{
  std::string c;
  long magnitude = 0;
  if (!ScanFloat(text, c, magnitude)) return false;
  double v = 0;
  auto r = std::from_chars(c.data(), c.data() + c.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    if (magnitude > 0) return false;  // too large
    v = c[0] == '-' ? -0.0 : 0.0;     // too small: zero
  } else if (r.ec != std::errc() || r.ptr != c.data() + c.size() || !std::isfinite(v)) {
    return false;
  }
  value = v;
  return true;
}

bool TryStrToFloat(std::string_view text, long double& value)
{
  std::string c;
  long magnitude = 0;
  if (!ScanFloat(text, c, magnitude)) return false;
  // The C library reads c in the "C" locale's form, which ScanFloat wrote; it rounds to the
  // nearest long double (from_chars goes through double for them).
  errno = 0;
  char* end = nullptr;
  long double v = std::strtold(c.c_str(), &end);
  if (end != c.c_str() + c.size()) return false;
  if (errno == ERANGE && magnitude > 0) return false;  // too large; too small gives zero or less
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

double StrToFloat(std::string_view text)
{
  double v;
  if (!TryStrToFloat(text, v)) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return v;
}

double StrToFloatDef(std::string_view text, double def)
{
  double v;
  return TryStrToFloat(text, v) ? v : def;
}

// ---------------------------------------------------------------------------------------------
// Format

namespace {

class TFormatter {
public:
  TFormatter(std::string_view format, std::span<const TVarRec> args) : FFormat(format), FArgs(args) {}

  std::string Run()
  {
    while (FPos < FFormat.size()) {
      const char c = FFormat[FPos++];
      if (c != '%') {
        FOut += c;  // '%' (0x25) is never the second byte of a double-byte character
        continue;
      }
      if (AtEnd()) Fail();
      if (FFormat[FPos] == '%') {
        FOut += '%';
        ++FPos;
        continue;
      }
      Specifier();
    }
    return std::move(FOut);
  }

private:
  std::string_view FFormat;
  std::span<const TVarRec> FArgs;
  size_t FPos = 0;
  size_t FArgIndex = 0;
  std::string FOut;

  [[noreturn]] void Fail() const
  {
    throw EConvertError("Format '" + std::string(FFormat) + "' invalid or incompatible with argument");
  }

  bool AtEnd() const { return FPos >= FFormat.size(); }

  const TVarRec& NextArg()
  {
    if (FArgIndex >= FArgs.size()) Fail();
    return FArgs[FArgIndex++];
  }

  // Digits or "*" (an integer argument); false when neither is there.
  bool ReadNumber(int& value)
  {
    if (AtEnd()) return false;
    if (FFormat[FPos] == '*') {
      ++FPos;
      const TVarRec& a = NextArg();
      if (a.Kind() != TVarRec::TKind::vtInteger && a.Kind() != TVarRec::TKind::vtInt64) Fail();
      if (a.AsInt() < -100000000 || a.AsInt() > 100000000) Fail();
      value = static_cast<int>(a.AsInt());
      return true;
    }
    if (FFormat[FPos] < '0' || FFormat[FPos] > '9') return false;
    value = 0;
    while (!AtEnd() && FFormat[FPos] >= '0' && FFormat[FPos] <= '9') {
      value = value * 10 + (FFormat[FPos++] - '0');
      if (value > 100000000) Fail();
    }
    return true;
  }

  void Specifier()
  {
    int width = -1, precision = -1, n = 0;
    bool left = false;
    bool have = ReadNumber(n);
    if (have && !AtEnd() && FFormat[FPos] == ':') {
      if (n < 0) Fail();
      FArgIndex = static_cast<size_t>(n);
      ++FPos;
      have = false;
    }
    if (!have) {
      if (!AtEnd() && FFormat[FPos] == '-') {
        left = true;
        ++FPos;
      }
      have = ReadNumber(n);
    }
    if (have) {
      if (n < 0) left = true;
      width = std::abs(n);
    }
    if (!AtEnd() && FFormat[FPos] == '.') {
      ++FPos;
      if (!ReadNumber(precision)) precision = 0;
    }
    if (AtEnd()) Fail();
    const char type = static_cast<char>(std::toupper(static_cast<unsigned char>(FFormat[FPos++])));
    std::string text = Convert(type, precision, NextArg());
    if (width > static_cast<int>(text.size())) {
      if (left) text.append(width - text.size(), ' ');
      else text.insert(0, width - text.size(), ' ');
    }
    FOut += text;
  }

  static std::string Padded(std::string digits, int precision)
  {
    if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
    return digits;
  }

  std::string Convert(char type, int precision, const TVarRec& a) const
  {
    using K = TVarRec::TKind;
    const bool isInt = a.Kind() == K::vtInteger || a.Kind() == K::vtInt64;
    // Integers of the 32-bit kind show as 32-bit patterns in %u and %x.
    const uint64_t bits = a.Kind() == K::vtInteger ? static_cast<uint32_t>(a.AsInt()) : static_cast<uint64_t>(a.AsInt());
    switch (type) {
    case 'D': {
      if (!isInt) Fail();
      const int64_t v = a.AsInt();
      const uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
      char buf[24];
      auto r = std::to_chars(buf, buf + sizeof buf, mag);
      return (v < 0 ? "-" : "") + Padded(std::string(buf, r.ptr), precision);
    }
    case 'U': {
      if (!isInt) Fail();
      char buf[24];
      auto r = std::to_chars(buf, buf + sizeof buf, bits);
      return Padded(std::string(buf, r.ptr), precision);
    }
    case 'X':
      if (!isInt) Fail();
      return Padded(IntToHex(bits, 0), precision);
    case 'P':
      if (a.Kind() != K::vtPointer) Fail();
      return IntToHex(static_cast<uint64_t>(static_cast<uintptr_t>(a.AsInt())), sizeof(void*) * 2);
    case 'S': {
      if (a.Kind() != K::vtString && a.Kind() != K::vtChar) Fail();
      const std::string& s = a.AsString();
      if (precision < 0 || precision >= static_cast<int>(s.size())) return s;
      // Cut at most `precision` bytes, never between the two bytes of one character.
      size_t i = 0;
      while (i < static_cast<size_t>(precision)) {
        const size_t len = IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size() && s[i + 1] ? 2 : 1;
        if (i + len > static_cast<size_t>(precision)) break;
        i += len;
      }
      return s.substr(0, i);
    }
    case 'E':
    case 'F':
    case 'G':
    case 'N':
    case 'M': {
      if (a.Kind() != K::vtExtended) Fail();
      const double v = a.AsFloat();
      if (!std::isfinite(v)) return NonFinite(v);
      if (type == 'E' || type == 'G') {
        const int p = precision < 0 ? 15 : std::clamp(precision, 1, kFixedPrecision);
        const TDecimal d = ToDecimal(v, p, -1);
        return WithSign(d, type == 'E' ? ExponentForm(d, p, 3) : GeneralForm(d, p, 3));
      }
      if (type == 'M') {
        return CurrencyForm(v, precision < 0 ? FormatSettings().CurrencyDecimals : std::min(precision, 18));
      }
      const int decimals = precision < 0 ? 2 : std::min(precision, 18);
      const TDecimal d = ToDecimal(v, kFixedPrecision, decimals);
      // More integer digits than the precision can hold: scientific, as the fixed form would lie.
      if (d.Exponent > kFixedPrecision) return WithSign(d, ExponentForm(ToDecimal(v, 15, -1), 15, 3));
      return WithSign(d, FixedForm(d, decimals, type == 'N' ? std::string_view(FormatSettings().ThousandSeparator) : ""));
    }
    default:
      Fail();
    }
  }
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TVarRec> args)
{
  return TFormatter(format, std::span<const TVarRec>(args.begin(), args.size())).Run();
}

// ---------------------------------------------------------------------------------------------
// Strings

namespace {

bool IsLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// Bytes of the character at i: 2 for a lead byte followed by another (non-NUL) byte, else 1.
size_t CharLen(std::string_view s, size_t i) { return IsLead(s[i]) && i + 1 < s.size() && s[i + 1] ? 2 : 1; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Maps the ASCII letters of single-byte characters; the bytes of double-byte characters (whose
// second byte may fall in the letter range) are copied unchanged.
template <class F>
std::string MapAscii(std::string_view s, F map)
{
  std::string r(s);
  for (size_t i = 0; i < r.size();) {
    const size_t len = CharLen(r, i);
    if (len == 1) r[i] = map(r[i]);
    i += len;
  }
  return r;
}

using TCaseBuff = DWORD(WINAPI*)(LPSTR, DWORD);

// Changes case through the system's locale tables. Well-formed text goes to the system in one call;
// the system turns a malformed byte (a lone lead byte, an invalid pair) into '?' and shortens the
// text, so when the text is malformed or the length changes, each character is converted alone and
// kept unchanged when it does not convert to a character of the same length.
std::string ChangeCase(std::string_view s, TCaseBuff fn)
{
  std::string r(s);
  if (r.empty()) return r;
  const int n = static_cast<int>(r.size());
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, r.data(), n, nullptr, 0) > 0 &&
      fn(r.data(), static_cast<DWORD>(n)) == static_cast<DWORD>(n))
    return r;
  r.assign(s);
  for (size_t i = 0; i < r.size();) {
    const size_t len = CharLen(r, i);
    char buf[2] = {r[i], len == 2 ? r[i + 1] : '\0'};
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, buf, static_cast<int>(len), nullptr, 0) == 1 &&
        fn(buf, static_cast<DWORD>(len)) == len)
      std::copy(buf, buf + len, r.begin() + i);
    i += len;
  }
  return r;
}

int Sign(int v) { return (v > 0) - (v < 0); }

int LocaleCompare(std::string_view a, std::string_view b, DWORD flags)
{
  const int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()));
  if (r == 0) return CompareStr(a, b);  // the system could not compare: byte order
  return r - CSTR_EQUAL;
}

}  // namespace

std::string TrimLeft(std::string_view s)
{
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
  // No second byte of a double-byte character is a control character or blank.
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) { return MapAscii(s, AsciiUpper); }
std::string LowerCase(std::string_view s) { return MapAscii(s, AsciiLower); }
std::string AnsiUpperCase(std::string_view s) { return ChangeCase(s, CharUpperBuffA); }
std::string AnsiLowerCase(std::string_view s) { return ChangeCase(s, CharLowerBuffA); }

int CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b)
{
  // Letters are folded only where they are characters of their own, not second bytes.
  size_t i = 0;
  bool trailA = false, trailB = false;
  for (; i < a.size() && i < b.size(); ++i) {
    const unsigned char ca = static_cast<unsigned char>(trailA ? a[i] : AsciiUpper(a[i]));
    const unsigned char cb = static_cast<unsigned char>(trailB ? b[i] : AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
    trailA = !trailA && IsLead(a[i]);
    trailB = !trailB && IsLead(b[i]);
  }
  return Sign(static_cast<int>(a.size() > i) - static_cast<int>(b.size() > i));
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareStr(std::string_view a, std::string_view b) { return LocaleCompare(a, b, 0); }
int AnsiCompareText(std::string_view a, std::string_view b) { return LocaleCompare(a, b, NORM_IGNORECASE); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string QuotedStr(std::string_view s)
{
  // A quote (0x27) is never the second byte of a double-byte character.
  std::string r = "'";
  for (char c : s) {
    r += c;
    if (c == '\'') r += '\'';
  }
  return r + "'";
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          bool replaceAll, bool ignoreCase)
{
  if (oldPattern.empty()) return std::string(s);
  // Case changes keep every character's length, so positions in the folded copies are positions
  // in the originals.
  const std::string foldedText = ignoreCase ? AnsiUpperCase(s) : std::string();
  const std::string foldedPattern = ignoreCase ? AnsiUpperCase(oldPattern) : std::string();
  const std::string_view text = ignoreCase ? std::string_view(foldedText) : s;
  const std::string_view pattern = ignoreCase ? std::string_view(foldedPattern) : oldPattern;
  std::string r;
  size_t i = 0;
  // Matches start only at character boundaries: "\\" never matches the second byte of a character.
  while (i < s.size()) {
    if (text.compare(i, pattern.size(), pattern) == 0) {
      r += newPattern;
      i += pattern.size();
      if (!replaceAll) {
        r.append(s.substr(i));
        return r;
      }
      continue;
    }
    const size_t len = CharLen(s, i);
    r.append(s.substr(i, len));
    i += len;
  }
  return r;
}

// --- The beep ---

namespace {
TBeepFunc GBeep = ::MessageBeep;
}  // namespace

void SysMessageBeep(UINT soundType) { GBeep(soundType); }

TBeepFunc SetBeepFunc(TBeepFunc func) { return std::exchange(GBeep, func ? func : ::MessageBeep); }
