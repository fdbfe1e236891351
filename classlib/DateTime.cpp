#include "classlib/DateTime.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr int kMinDays = 1 - DateDelta;    // 0001-01-01
constexpr int kMaxDays = 2958465;          // 9999-12-31
constexpr int64_t kMSecsPerDay = 86400000;

[[noreturn]] void DecodeError() { throw EConvertError("Invalid argument to date decode"); }

// Splits a date-time into its day number (the whole part, toward zero) and the milliseconds of the
// time of day, rounded; a time that rounds up to midnight moves to the next day.
void Split(TDateTime value, int64_t& days, int64_t& msecs)
{
  if (!std::isfinite(value) || value <= kMinDays - 1 || value >= kMaxDays + 1) DecodeError();
  double whole;
  const double frac = std::modf(value, &whole);
  days = static_cast<int64_t>(whole);
  msecs = std::llround(std::fabs(frac) * kMSecsPerDay);
  if (msecs >= kMSecsPerDay) {
    msecs -= kMSecsPerDay;
    ++days;
  }
}

void DaysToDate(int64_t days, WORD& year, WORD& month, WORD& day)
{
  if (days < kMinDays || days > kMaxDays) DecodeError();
  int64_t n = days + DateDelta - 1;  // 0 is 0001-01-01
  const int64_t y400 = n / 146097;
  n %= 146097;
  int64_t y100 = n / 36524;
  if (y100 == 4) y100 = 3;
  n -= y100 * 36524;
  const int64_t y4 = n / 1461;
  n %= 1461;
  int64_t y1 = n / 365;
  if (y1 == 4) y1 = 3;
  n -= y1 * 365;
  const int y = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  int m = 1;
  while (n >= DaysInMonth(y, m)) n -= DaysInMonth(y, m++);
  year = static_cast<WORD>(y);
  month = static_cast<WORD>(m);
  day = static_cast<WORD>(n + 1);
}

void MSecsToTime(int64_t msecs, WORD& hour, WORD& min, WORD& sec, WORD& msec)
{
  hour = static_cast<WORD>(msecs / 3600000);
  min = static_cast<WORD>(msecs / 60000 % 60);
  sec = static_cast<WORD>(msecs / 1000 % 60);
  msec = static_cast<WORD>(msecs % 1000);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month)
{
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  int dayOfYear = day;
  for (int m = 1; m < month; ++m) dayOfYear += DaysInMonth(year, m);
  const int y = year - 1;
  date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - DateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time)
{
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = ((hour * 3600 + min * 60 + sec) * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
  TDateTime t;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime date, WORD& year, WORD& month, WORD& day)
{
  int64_t days, msecs;
  Split(date, days, msecs);
  DaysToDate(days, year, month, day);
}

void DecodeTime(TDateTime time, WORD& hour, WORD& min, WORD& sec, WORD& msec)
{
  if (!std::isfinite(time)) DecodeError();
  const int64_t msecs = std::llround(std::fabs(std::fmod(time, 1.0)) * kMSecsPerDay) % kMSecsPerDay;
  MSecsToTime(msecs, hour, min, sec, msec);
}

void DecodeDateTime(TDateTime value, WORD& year, WORD& month, WORD& day, WORD& hour, WORD& min, WORD& sec,
                    WORD& msec)
{
  int64_t days, msecs;
  Split(value, days, msecs);
  DaysToDate(days, year, month, day);
  MSecsToTime(msecs, hour, min, sec, msec);
}

int DayOfWeek(TDateTime date)
{
  int64_t days, msecs;
  Split(date, days, msecs);
  return static_cast<int>((days + DateDelta) % 7) + 1;  // 0001-01-01 (day 1) was a Monday
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return date >= 0 ? date + time : date - time; }

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st)
{
  const TDateTime date = EncodeDate(st.wYear, st.wMonth, st.wDay);
  const TDateTime time = EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return ComposeDateTime(date, time);
}

void DateTimeToSystemTime(TDateTime value, SYSTEMTIME& st)
{
  DecodeDateTime(value, st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
}

namespace {
TClockFunc GClock = GetLocalTime;
}  // namespace

TClockFunc SetClockFunc(TClockFunc func)
{
  return std::exchange(GClock, func ? func : GetLocalTime);
}

TDateTime Now()
{
  SYSTEMTIME st;
  GClock(&st);
  return SystemTimeToDateTime(st);
}

TDateTime Date()
{
  SYSTEMTIME st;
  GClock(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay);
}

TDateTime Time()
{
  SYSTEMTIME st;
  GClock(&st);
  return EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

TDateTime FileDateToDateTime(int fileDate)
{
  const unsigned date = static_cast<unsigned>(fileDate) >> 16;
  const unsigned time = static_cast<unsigned>(fileDate) & 0xFFFF;
  return EncodeDate(static_cast<int>((date >> 9) + 1980), (date >> 5) & 15, date & 31) +
         EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
}

int DateTimeToFileDate(TDateTime value)
{
  WORD y, mo, d, h, mi, s, ms;
  DecodeDateTime(value, y, mo, d, h, mi, s, ms);
  if (y < 1980 || y > 2107) return 0;
  const unsigned date = ((y - 1980u) << 9) | (mo << 5) | d;
  const unsigned time = (h << 11) | (mi << 5) | (s / 2);
  return static_cast<int>((date << 16) | time);
}

// ---------------------------------------------------------------------------------------------
// Formatting

namespace {

bool IsLead(std::string_view s, size_t i) { return IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size(); }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithText(std::string_view s, size_t i, std::string_view what)
{
  return !what.empty() && s.size() - i >= what.size() && SameText(s.substr(i, what.size()), what);
}

std::string Digits(int value, int width)
{
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

class TDateFormatter {
public:
  TDateFormatter(TDateTime value) : FSettings(FormatSettings())
  {
    DecodeDateTime(value, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(value);
  }

  std::string Run(std::string_view format)
  {
    Append(format, 0);
    return std::move(FOut);
  }

private:
  const TFormatSettings& FSettings;
  WORD FYear, FMonth, FDay, FHour, FMin, FSec, FMSec;
  int FDayOfWeek;
  std::string FOut;

  bool HasTime() const { return FHour || FMin || FSec || FMSec; }

  // An am/pm specifier anywhere outside quotes makes h count 12 hours.
  static bool UsesTwelveHours(std::string_view f)
  {
    for (size_t i = 0; i < f.size(); ++i) {
      if (IsLead(f, i)) {
        ++i;
      } else if (f[i] == '"' || f[i] == '\'') {
        const size_t close = f.find(f[i], i + 1);
        if (close == std::string_view::npos) return false;
        i = close;
      } else if (StartsWithText(f, i, "am/pm") || StartsWithText(f, i, "a/p") || StartsWithText(f, i, "ampm")) {
        return true;
      }
    }
    return false;
  }

  void Append(std::string_view f, int depth)
  {
    if (depth > 2) return;  // a locale format that names itself
    const bool twelve = UsesTwelveHours(f);
    char lastToken = ' ';
    size_t i = 0;
    while (i < f.size()) {
      if (IsLead(f, i)) {
        FOut.append(f.substr(i, 2));
        i += 2;
        continue;
      }
      const char c = f[i];
      const char u = Upper(c);
      size_t count = 1;
      if (std::isalpha(static_cast<unsigned char>(c)))
        while (i + count < f.size() && Upper(f[i + count]) == u) ++count;
      switch (u) {
      case '"':
      case '\'': {
        size_t close = f.find(c, i + 1);
        if (close == std::string_view::npos) close = f.size();
        FOut.append(f.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      case 'C':
        count = 1;
        Append(FSettings.ShortDateFormat, depth + 1);
        if (HasTime()) {
          FOut += ' ';
          Append(FSettings.LongTimeFormat, depth + 1);
        }
        break;
      case 'D':
        switch (count) {
        case 1: FOut += std::to_string(FDay); break;
        case 2: FOut += Digits(FDay, 2); break;
        case 3: FOut += FSettings.ShortDayNames[FDayOfWeek - 1]; break;
        case 4: FOut += FSettings.LongDayNames[FDayOfWeek - 1]; break;
        case 5: Append(FSettings.ShortDateFormat, depth + 1); break;
        default: count = 6; Append(FSettings.LongDateFormat, depth + 1);
        }
        break;
      case 'M':
        if (lastToken == 'H' && count <= 2) {
          FOut += count == 1 ? std::to_string(FMin) : Digits(FMin, 2);
        } else {
          switch (count) {
          case 1: FOut += std::to_string(FMonth); break;
          case 2: FOut += Digits(FMonth, 2); break;
          case 3: FOut += FSettings.ShortMonthNames[FMonth - 1]; break;
          default: count = 4; FOut += FSettings.LongMonthNames[FMonth - 1];
          }
        }
        break;
      case 'Y':
        FOut += count <= 2 ? Digits(FYear % 100, 2) : Digits(FYear, 4);
        break;
      case 'H': {
        count = std::min<size_t>(count, 2);
        int h = FHour;
        if (twelve) h = h % 12 == 0 ? 12 : h % 12;
        FOut += count == 1 ? std::to_string(h) : Digits(h, 2);
        break;
      }
      case 'N':
        count = std::min<size_t>(count, 2);
        FOut += count == 1 ? std::to_string(FMin) : Digits(FMin, 2);
        break;
      case 'S':
        count = std::min<size_t>(count, 2);
        FOut += count == 1 ? std::to_string(FSec) : Digits(FSec, 2);
        break;
      case 'Z':
        count = count >= 3 ? 3 : 1;
        FOut += count == 1 ? std::to_string(FMSec) : Digits(FMSec, 3);
        break;
      case 'T':
        count = std::min<size_t>(count, 2);
        Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth + 1);
        break;
      case 'A': {
        const bool pm = FHour >= 12;
        if (StartsWithText(f, i, "ampm")) {
          FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
          count = 4;
        } else if (StartsWithText(f, i, "am/pm")) {
          FOut.append(f.substr(pm ? i + 3 : i, 2));  // in the case written
          count = 5;
        } else if (StartsWithText(f, i, "a/p")) {
          FOut += f[pm ? i + 2 : i];
          count = 3;
        } else {
          FOut += c;
          count = 1;
        }
        break;
      }
      case '/':
        FOut += FSettings.DateSeparator;
        break;
      case ':':
        FOut += FSettings.TimeSeparator;
        break;
      default:
        FOut.append(count, c);
      }
      if (std::string_view("CDMYHNSZT").find(u) != std::string_view::npos) lastToken = u;
      i += count;
    }
  }
};

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value) { return TDateFormatter(value).Run(format); }
std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
std::string DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings().LongTimeFormat, value); }

// ---------------------------------------------------------------------------------------------
// Parsing

namespace {

enum class TDateOrder { doMDY, doDMY, doYMD };

// The order of day, month and year in a date format: whichever comes first outside quotes.
TDateOrder DateOrder(std::string_view f)
{
  for (size_t i = 0; i < f.size(); ++i) {
    if (IsLead(f, i)) {
      ++i;
      continue;
    }
    switch (Upper(f[i])) {
    case '"':
    case '\'': {
      const size_t close = f.find(f[i], i + 1);
      if (close == std::string_view::npos) return TDateOrder::doMDY;
      i = close;
      break;
    }
    case 'Y': return TDateOrder::doYMD;
    case 'M': return TDateOrder::doMDY;
    case 'D': return TDateOrder::doDMY;
    default: break;
    }
  }
  return TDateOrder::doMDY;
}

class TScanner {
public:
  explicit TScanner(std::string_view text) : FText(text) {}

  size_t Pos = 0;

  bool AtEnd()
  {
    SkipBlanks();
    return Pos >= FText.size();
  }

  void SkipBlanks()
  {
    while (Pos < FText.size() && (FText[Pos] == ' ' || FText[Pos] == '\t')) ++Pos;
  }

  // Up to nine digits after blanks; `digits` tells how many were written.
  bool Number(int& value, int& digits)
  {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (Pos < FText.size() && FText[Pos] >= '0' && FText[Pos] <= '9') {
      if (++digits > 9) return false;
      value = value * 10 + (FText[Pos++] - '0');
    }
    return digits > 0;
  }

  bool Char(char c)
  {
    SkipBlanks();
    if (Pos < FText.size() && FText[Pos] == c) {
      ++Pos;
      return true;
    }
    return false;
  }

  // -1 when no designator is here, 0 for AM, 1 for PM. The locale's own words are tried first.
  int Designator(const TFormatSettings& fs)
  {
    SkipBlanks();
    const std::string_view words[] = {fs.TimeAMString, fs.TimePMString, "AM", "PM", "A", "P"};
    for (size_t k = 0; k < std::size(words); ++k) {
      if (StartsWithText(FText, Pos, words[k])) {
        Pos += words[k].size();
        return static_cast<int>(k % 2);
      }
    }
    return -1;
  }

private:
  std::string_view FText;
};

int CurrentYear()
{
  SYSTEMTIME st;
  GClock(&st);
  return st.wYear;
}

bool ScanDate(TScanner& s, const TFormatSettings& fs, TDateTime& date)
{
  int n[3], digits[3];
  int parts = 0;
  if (!s.Number(n[0], digits[0])) return false;
  parts = 1;
  while (parts < 3 && s.Char(fs.DateSeparator)) {
    if (!s.Number(n[parts], digits[parts])) return false;
    ++parts;
  }
  if (parts < 2) return false;
  int y, m, d, yearDigits;
  const TDateOrder order = DateOrder(fs.ShortDateFormat);
  if (parts == 2) {
    y = CurrentYear();
    yearDigits = 4;
    if (order == TDateOrder::doDMY) {
      d = n[0];
      m = n[1];
    } else {
      m = n[0];
      d = n[1];
    }
  } else {
    switch (order) {
    case TDateOrder::doMDY: m = n[0], d = n[1], y = n[2], yearDigits = digits[2]; break;
    case TDateOrder::doDMY: d = n[0], m = n[1], y = n[2], yearDigits = digits[2]; break;
    default: y = n[0], m = n[1], d = n[2], yearDigits = digits[0]; break;
    }
  }
  if (yearDigits <= 2) {
    const int window = FormatSettings().TwoDigitYearCenturyWindow;
    const int start = CurrentYear() - window;
    y += start / 100 * 100;
    if (window > 0 && y < start) y += 100;
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(TScanner& s, const TFormatSettings& fs, TDateTime& time)
{
  int ampm = s.Designator(fs);
  int hour, min = 0, sec = 0, msec = 0, digits;
  if (!s.Number(hour, digits)) return false;
  if (s.Char(fs.TimeSeparator)) {
    if (!s.Number(min, digits)) return false;
    if (s.Char(fs.TimeSeparator)) {
      if (!s.Number(sec, digits)) return false;
      if (s.Char(fs.DecimalSeparator) || (fs.DecimalSeparator != '.' && s.Char('.'))) {
        if (!s.Number(msec, digits) || digits > 3) return false;
        for (; digits < 3; ++digits) msec *= 10;  // ".5" is 500 ms
      }
    }
  }
  if (ampm < 0) ampm = s.Designator(fs);
  if (ampm >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    if (ampm == 1) hour += 12;
  }
  return TryEncodeTime(hour, min, sec, msec, time);
}

}  // namespace

bool TryStrToDate(std::string_view text, TDateTime& value)
{
  TScanner s(text);
  TDateTime d;
  if (!ScanDate(s, FormatSettings(), d) || !s.AtEnd()) return false;
  value = d;
  return true;
}

bool TryStrToTime(std::string_view text, TDateTime& value)
{
  TScanner s(text);
  TDateTime t;
  if (!ScanTime(s, FormatSettings(), t) || !s.AtEnd()) return false;
  value = t;
  return true;
}

bool TryStrToDateTime(std::string_view text, TDateTime& value)
{
  const TFormatSettings& fs = FormatSettings();
  TScanner s(text);
  TDateTime d, t = 0;
  if (ScanDate(s, fs, d) && (s.AtEnd() || (ScanTime(s, fs, t) && s.AtEnd()))) {
    value = ComposeDateTime(d, t);
    return true;
  }
  return TryStrToTime(text, value);
}

TDateTime StrToDate(std::string_view text)
{
  TDateTime v;
  if (!TryStrToDate(text, v)) throw EConvertError("'" + std::string(text) + "' is not a valid date");
  return v;
}

TDateTime StrToTime(std::string_view text)
{
  TDateTime v;
  if (!TryStrToTime(text, v)) throw EConvertError("'" + std::string(text) + "' is not a valid time");
  return v;
}

TDateTime StrToDateTime(std::string_view text)
{
  TDateTime v;
  if (!TryStrToDateTime(text, v)) throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
  return v;
}
