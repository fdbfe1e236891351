#include "toolkit/editors/cxDateUtils.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <oleauto.h>
#include "classlib/SysUtils.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxFormats.h"

namespace {
const TUnit* const Uses[] = {&UnitcxFormats, &UnitcxLibraryStrs};

const PResStringRec SmartInputWords[cxSmartInputWordCount] = {
    &cxSDateToday,  &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday,  &cxSDateMonday,
    &cxSDateTuesday, &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday,  &cxSDateSaturday,
    &cxSDateFirst,  &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth,  &cxSDateFifth,
    &cxSDateSixth,  &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,     &cxSDateNow};
enum TSmartWord {
  swToday = 0, swYesterday, swTomorrow, swSunday, swSaturday = swSunday + 6, swFirst, swSeventh = swFirst + 6,
  swBOM, swEOM, swNow
};

bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }
size_t CharLength(std::string_view text, size_t pos) { return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The first position at a character boundary from pos where the text holds word (upper-cased text
// against an upper-cased word when asked), or npos.
size_t FindAtCharacter(std::string_view text, std::string_view word, size_t pos = 0)
{
  if (word.empty()) return pos <= text.size() ? pos : std::string_view::npos;
  for (; pos < text.size(); pos += CharLength(text, pos))
    if (text.substr(pos, word.size()) == word) return pos;
  return std::string_view::npos;
}

// The first position of a character of the set, outside quoted text ('...' and "..."), or npos.
size_t FindFormatLetter(std::string_view format, std::string_view letters)
{
  for (size_t pos = 0; pos < format.size(); pos += CharLength(format, pos)) {
    const char c = format[pos];
    if (c == '\'' || c == '"') {
      const size_t close = format.find(c, pos + 1);
      if (close == std::string_view::npos) break;
      pos = close;
    } else if (letters.find(LowerAscii(c)) != std::string_view::npos && CharLength(format, pos) == 1) {
      return pos;
    }
  }
  return std::string_view::npos;
}

bool ClassLibraryNamesFor(TcxCustomCalendarTable* table)
{
  TcxFormatController* controller = GetFormatController();
  return controller && controller->UseClassLibraryFormats() && IsGregorianCalendar(table);
}

bool ToSystemTime(TDateTime date, SYSTEMTIME& st)
{
  try {
    DateTimeToSystemTime(date, st);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

// GetDateFormatA for the thread locale; false when the platform cannot format the date.
bool LocaleDateText(DWORD flags, std::string_view format, TDateTime date, std::string& text)
{
  text.clear();
  SYSTEMTIME st;
  if (!ToSystemTime(date, st)) return false;
  const std::string picture(format);
  char buffer[256];
  const int n = GetDateFormatA(GetThreadLocale(), flags, &st, picture.empty() ? nullptr : picture.c_str(), buffer,
                               sizeof buffer);
  if (n <= 0) return false;
  text.assign(buffer, n - 1);
  return true;
}

// The small formatter over the class library's names.
std::string ClassLibraryDateText(std::string_view format, TDateTime date)
{
  const TFormatSettings& fs = FormatSettings();
  if (format.empty()) format = fs.LongDateFormat;
  WORD year, month, day;
  DecodeDate(date, year, month, day);
  const auto twoDigits = [](int value) {
    std::string text = IntToStr(value % 100);
    return text.size() < 2 ? "0" + text : text;
  };
  std::string text;
  size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos];
    if (CharLength(format, pos) == 2) {
      text += format.substr(pos, 2);
      pos += 2;
      continue;
    }
    if (c == '\'' || c == '"') {
      const size_t close = std::min(format.find(c, pos + 1), format.size());
      text += format.substr(pos + 1, close - pos - 1);
      pos = close + 1;
      continue;
    }
    size_t run = 1;
    while (pos + run < format.size() && LowerAscii(format[pos + run]) == LowerAscii(c)) ++run;
    switch (LowerAscii(c)) {
    case 'd':
      text += run == 1   ? IntToStr(day)
              : run == 2 ? twoDigits(day)
              : run == 3 ? fs.ShortDayNames[DayOfWeek(date) - 1]
                         : fs.LongDayNames[DayOfWeek(date) - 1];
      break;
    case 'm': text += run >= 4 ? fs.LongMonthNames[month - 1] : twoDigits(month); break;
    case 'y': text += run >= 4 ? IntToStr(year) : twoDigits(year); break;
    case 'e': break;
    default: text += format.substr(pos, run); break;
    }
    pos += run;
  }
  return text;
}

// The date as the platform's variant conversion reads it for the thread locale.
TDateTime VariantTextToDate(const std::string& text)
{
  std::wstring wide = ConvertAnsiToWide(text);
  DATE value = 0;
  if (FAILED(VarDateFromStr(wide.data(), GetThreadLocale(), 0, &value)))
    throw EConvertError("'" + text + "' is not a valid date");
  return value;
}

// A date read from text, or NullDate when it lies outside what a date can be.
TDateTime CheckedDate(TDateTime date)
{
  if (!(date > -2147483648.0 && date < 2147483647.0)) return NullDate;
  WORD year, month, day;
  DecodeDate(date, year, month, day);  // raises beyond 9999
  return date;
}

// What parsing a date in the locale's own calendar reads from the thread locale.
struct TLocaleDateSettings {
  char DateSeparator;
  std::string ShortDateFormat;
};

TLocaleDateSettings ReadLocaleDateSettings()
{
  const LCID locale = GetThreadLocale();
  const std::string separator = ReadLocaleString(locale, LOCALE_SDATE, "/");
  return {separator.empty() ? '/' : separator[0], ReadLocaleString(locale, LOCALE_SSHORTDATE, "")};
}

// The era of a table whose years count with the offset.
int EraOfYearOffset(TcxCustomCalendarTable* table, int offset)
{
  for (int i = 0; i < table->Eras()->Count(); ++i)
    if (table->Eras()->Era(i)->EraYearOffset() == offset) return i;
  return table->EraOfYear(offset + 1);
}

TcxCalendarDateTime ParseCalendarDateText(std::string_view text, TcxCustomCalendarTable* table,
                                          const TLocaleDateSettings& settings)
{
  const std::string s = Trim(text);
  const std::string& format = settings.ShortDateFormat;
  size_t pos = 0;
  int offset = 0;
  const std::vector<TEraInfo>& eras = FormatSettings().Eras;
  if (!format.empty() && LowerAscii(format[0]) == 'g') {
    while (pos < s.size() && !IsDigit(s[pos])) pos += CharLength(s, pos);
    const std::string eraText = Trim(std::string_view(s).substr(0, pos));
    for (const TEraInfo& era : eras)
      if (FindAtCharacter(era.Name, eraText) != std::string_view::npos) {
        offset = era.YearOffset;
        break;
      }
  } else if (FindFormatLetter(format, "e") != std::string_view::npos && !eras.empty()) {
    offset = eras[0].YearOffset;
  }
  TcxCalendarDateTime record;
  record.Era = EraOfYearOffset(table, offset);

  const auto read = [&](char stop) {
    const size_t end = std::min(FindAtCharacter(s, std::string_view(&stop, 1), pos), s.size());
    std::string field = Trim(std::string_view(s).substr(pos, end - pos));
    pos = std::min(end + 1, s.size());
    return field;
  };
  // Fields in the format's order: month, day, year; day, month, year; or year, month, day.
  enum { Year, Month, Day };
  static constexpr int Orders[3][3] = {{Month, Day, Year}, {Day, Month, Year}, {Year, Month, Day}};
  const int* order = Orders[GetDateOrder(format)];
  std::string fields[3];
  for (int k = 0; k < 3; ++k) {
    fields[order[k]] = read(k < 2 ? settings.DateSeparator : ' ');
    if (order[k] == Month && settings.DateSeparator == ' ') {
      // A month name of two words.
      while (pos < s.size() && s[pos] == ' ') ++pos;
      if (pos < s.size() && !IsDigit(s[pos])) fields[Month] += " " + read(' ');
    }
  }
  record.Year = table->ParseYearText(fields[Year]);
  record.Month = table->ParseMonthText(record.Year, fields[Month]);
  record.Day = table->ParseDayText(fields[Day]);
  const std::string rest = Trim(std::string_view(s).substr(pos));
  if (!rest.empty()) {
    WORD hours, minutes, seconds, milliseconds;
    DecodeTime(StrToTime(rest), hours, minutes, seconds, milliseconds);
    record.Hours = static_cast<uint8_t>(hours);
    record.Minutes = static_cast<uint8_t>(minutes);
    record.Seconds = static_cast<uint8_t>(seconds);
    record.Milliseconds = milliseconds;
  }
  return record;
}

// The first or the last character of a text (a double-byte character whole).
std::string FirstCharacter(std::string_view text) { return std::string(text.substr(0, CharLength(text, 0))); }
std::string LastCharacter(std::string_view text)
{
  size_t last = 0;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) last = pos;
  return std::string(text.substr(last));
}

// Every occurrence of an upper-cased word in the text, case ignored, becomes as many blanks.
void BlankOutWord(std::string& text, const std::string& word)
{
  const std::string upper = AnsiUpperCase(text);
  if (upper.size() != text.size()) return;
  size_t pos = 0;
  while ((pos = FindAtCharacter(upper, word, pos)) != std::string_view::npos) {
    std::fill_n(text.begin() + pos, word.size(), ' ');
    pos += word.size();
  }
}

}  // namespace

TUnit UnitcxDateUtils{"cxDateUtils", Uses};

bool cxUseSingleCharWeekNames = true;

// --- Text from dates ---

bool FormatLocaleDate(std::string& text, DWORD flags, std::string_view format, TDateTime date)
{
  if (ClassLibraryNamesFor(nullptr)) {
    try {
      text = ClassLibraryDateText(format, date);
      return true;
    } catch (const EConvertError&) {
      text.clear();
      return false;
    }
  }
  return LocaleDateText(flags, format, date, text);
}

std::string DateToText(bool fourDigitYear, bool useClassLibrary, TDateTime date)
{
  if (date == NullDate) return {};
  const bool hasTime = ExtractTimePart(date) != 0;
  const TFormatSettings& fs = FormatSettings();
  std::string format = useClassLibrary ? fs.ShortDateFormat + (hasTime ? " " + fs.LongTimeFormat : "")
                                        : ReadLocaleString(GetThreadLocale(), LOCALE_SSHORTDATE, "");
  if (fourDigitYear) {
    const std::string lower = LowerCase(format);
    const size_t pos = FindAtCharacter(lower, "yy");
    if (pos != std::string_view::npos && FindAtCharacter(lower, "yyy") == std::string_view::npos)
      format.insert(pos, "yy");
  }
  try {
    if (useClassLibrary) return FormatDateTime(format, date);
    std::string text;
    if (LocaleDateText(0, format, date, text)) {
      SYSTEMTIME st;
      char time[128];
      if (hasTime && ToSystemTime(date, st)) {
        const int n = GetTimeFormatA(GetThreadLocale(), 0, &st, nullptr, time, sizeof time);
        if (n > 0) text += " " + std::string(time, n - 1);
      }
      return text;
    }
    return VarToStr(VarFromDateTime(date));
  } catch (const Exception&) {
    return {};
  }
}

std::string DateToLocalText(TDateTime date) { return DateToText(false, false, date); }

std::string DateToDisplayText(bool fourDigitYear, TDateTime date)
{
  TcxFormatController* controller = GetFormatController();
  return DateToText(fourDigitYear, controller && controller->UseClassLibraryFormats(), date);
}

std::string FormatDateForEdit(bool masked, bool withTime, bool fourDigitYear, TDateTime date)
{
  if (date == NullDate) return {};
  if (!IsGregorianCalendar(nullptr)) return DateToLocalText(date);
  TcxFormatController* controller = GetFormatController();
  if (!masked || !controller) return DateToDisplayText(fourDigitYear, date);
  try {
    if (withTime) return FormatDateTime(controller->DateTimeEditDisplayFormat(), date);
    return FormatDateTime(controller->DateEditDisplayFormat(), TruncateToDate(date));
  } catch (const EConvertError&) {
    return {};
  }
}

std::string GetDayText(TDateTime date)
{
  std::string text;
  if (FormatLocaleDate(text, 0, "d", date)) return text;
  try {
    return FormatDateTime("d", date);
  } catch (const EConvertError&) {
    return {};
  }
}

std::string GetMonthName(TcxCustomCalendarTable* table, TDateTime date)
{
  if (!table) table = GetLocaleCalendarTable();
  TcxCalendarDateTime record = table->SplitDateTime(date);
  std::string text;
  if (!ClassLibraryNamesFor(table) &&
      FormatLocaleDate(text, 0, "MMMM", table->JoinDateRecord({record.Era, record.Year, record.Month, 1})))
    return text;
  return record.Month >= 1 && record.Month <= 12 ? FormatSettings().LongMonthNames[record.Month - 1] : std::string();
}

std::string GetMonthNameOf(int year, int month, TcxCustomCalendarTable* table)
{
  if (!table) table = GetLocaleCalendarTable();
  if (ClassLibraryNamesFor(table))
    return month >= 1 && month <= 12 ? FormatSettings().LongMonthNames[month - 1] : std::string();
  if (!table->MonthInRange(year, month)) return {};
  return GetMonthName(table, table->JoinDateRecord({-1, year, month, 1}));
}

std::string GetYearText(TcxCustomCalendarTable* table, TDateTime date)
{
  if (!table) table = GetLocaleCalendarTable();
  const TcxCalendarDateTime record = table->SplitDateTime(date);
  std::string text;
  if (FormatLocaleDate(text, 0, "yyyy", table->JoinDateRecord({record.Era, record.Year, record.Month, 1}))) return text;
  return IntToStr(record.Year);
}

std::string GetMonthYearCaption(TcxCustomCalendarTable* table, TDateTime date)
{
  if (!table) table = GetLocaleCalendarTable();
  char buffer[256];
  std::string format = "MMMM yyyy";
  if (cxGetCalendarInfo &&
      cxGetCalendarInfo(GetThreadLocale(), table->WindowsCalendarId(), CAL_SYEARMONTH, buffer, sizeof buffer, nullptr) > 0)
    format = buffer;
  const TcxCalendarDateTime record = table->SplitDateTime(date);
  const TDateTime first = table->JoinDateRecord({record.Era, record.Year, record.Month, 1});
  std::string text;
  if (FormatLocaleDate(text, 0, format, first)) return text;
  return GetMonthNameOf(record.Year, record.Month, table) + " " + GetYearText(table, first);
}

std::string GetDayNameText(int dayIndex, BYTE charset)
{
  if (dayIndex < 1 || dayIndex > 7) return {};
  std::string name;
  if (ClassLibraryNamesFor(nullptr))
    name = FormatSettings().LongDayNames[dayIndex % 7];
  else
    name = ReadLocaleString(GetThreadLocale(),
                            (WinVistaOrLater ? LOCALE_SSHORTESTDAYNAME1 : LOCALE_SABBREVDAYNAME1) + dayIndex - 1, "");
  if (cxUseSingleCharWeekNames && !name.empty())
    name = IsMultiByteCharsetText(charset, name) ? LastCharacter(name) : FirstCharacter(name);
  return name;
}

// --- Dates from text ---

TDateTime TextToDate(std::string_view text, bool useClassLibrary)
{
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return NullDate;
  try {
    if (!IsGregorianCalendar(nullptr)) return CheckedDate(CalendarTextToDate(trimmed));
    TDateTime date;
    if (!SmartTextToDate(trimmed, date)) {
      const std::string normalized = NormalizeDateText(trimmed, !useClassLibrary);
      date = useClassLibrary ? StrToDateTime(normalized) : VariantTextToDate(normalized);
    }
    return CheckedDate(date);
  } catch (const Exception&) {
    return NullDate;
  }
}

bool TryTextToDate(std::string_view text, TDateTime& date)
{
  TcxFormatController* controller = GetFormatController();
  date = TextToDate(text, controller && controller->UseClassLibraryFormats());
  return date != NullDate;
}

bool ParseDateText(std::string_view text, bool useVariantConversion, TDateTime& date)
{
  date = NullDate;
  try {
    if (IsGregorianCalendar(nullptr)) {
      const std::string normalized = NormalizeDateText(text, useVariantConversion);
      date = useVariantConversion ? VariantTextToDate(normalized) : StrToDateTime(normalized);
    } else {
      date = CalendarTextToDate(text);
    }
    return true;
  } catch (const Exception&) {
    date = NullDate;
    return false;
  }
}

std::string NormalizeDateText(std::string_view text, bool localeSeparators)
{
  const TFormatSettings& fs = FormatSettings();
  const LCID locale = GetThreadLocale();
  const std::string dateSeparator =
      localeSeparators ? ReadLocaleString(locale, LOCALE_SDATE, "/").substr(0, 1) : std::string(1, fs.DateSeparator);
  const std::string kept[] = {
      dateSeparator,
      localeSeparators ? ReadLocaleString(locale, LOCALE_STIME, ":").substr(0, 1) : std::string(1, fs.TimeSeparator),
      localeSeparators ? ReadLocaleString(locale, LOCALE_S1159, "") : fs.TimeAMString,
      localeSeparators ? ReadLocaleString(locale, LOCALE_S2359, "") : fs.TimePMString};
  const auto isKept = [&](const std::string& word) {
    return std::any_of(std::begin(kept), std::end(kept),
                       [&](const std::string& k) { return AnsiUpperCase(Trim(k)) == word; });
  };
  std::string result(text);
  if (TcxFormatController* controller = GetFormatController())
    for (const TcxDateTimeFormatInfo* info : {&controller->ParsedDateFormat(), &controller->ParsedTimeFormat()})
      for (int i = 0; i < info->ItemCount(); ++i) {
        const TcxDateTimeFormatItem& item = *info->GetItem(i);
        if (item.ItemKind() != TcxDateTimeFormatItemKind::dtiText) continue;
        const std::string word = AnsiUpperCase(Trim(item.ItemText()));
        if (!word.empty() && !isKept(word)) BlankOutWord(result, word);
      }
  result = Trim(result);
  for (size_t i = 1; i + 1 < result.size();) {
    if (static_cast<unsigned char>(result[i]) <= ' ' && static_cast<unsigned char>(result[i + 1]) <= ' ')
      result.erase(i, 1);
    else
      ++i;
  }
  if (localeSeparators && !dateSeparator.empty())
    for (size_t pos = 0; (pos = FindAtCharacter(result, dateSeparator, pos)) != std::string_view::npos; ++pos)
      result[pos] = ' ';
  return result;
}

TDateTime CalendarTextToDate(std::string_view text)
{
  const int id = GetLocaleCalendarId();
  if (id < 3 || id > 8) {
    TDateTime date;
    TryTextToDate(text, date);
    return date;
  }
  // The table stays in the cache, where every other caller finds it.
  TcxCustomCalendarTable* table = GetLocaleCalendarTable();
  if (!table) throw EConvertError("'" + std::string(text) + "' is not a valid date");
  return table->JoinDateTime(ParseCalendarDateText(text, table, ReadLocaleDateSettings()));
}

// --- Smart input ---

std::array<std::string, cxSmartInputWordCount> LoadSmartInputWords()
{
  std::array<std::string, cxSmartInputWordCount> words;
  for (int i = 0; i < cxSmartInputWordCount; ++i) words[i] = GetResStringText(SmartInputWords[i]);
  return words;
}

namespace {
bool MatchWord(const std::array<std::string, cxSmartInputWordCount>& words, std::string_view text, int& index)
{
  // Longest first, words of one length in descending order.
  std::array<int, cxSmartInputWordCount> order;
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (words[a].size() != words[b].size()) return words[a].size() > words[b].size();
    return AnsiCompareText(words[a], words[b]) > 0;
  });
  for (int i : order) {
    const std::string& word = words[i];
    if (!word.empty() && word.size() <= text.size() && AnsiSameText(text.substr(0, word.size()), word)) {
      index = i;
      return true;
    }
  }
  return false;
}

std::string RegExprWordList(const std::array<std::string, cxSmartInputWordCount>& words, int count)
{
  std::string list;
  for (int i = 0; i < count; ++i) list += (i ? "|" : "") + QuoteRegExprText(words[i]);
  return list;
}
}  // namespace

bool MatchSmartWord(std::string_view text, int& index) { return MatchWord(LoadSmartInputWords(), text, index); }

bool SmartTextToDate(std::string_view text, TDateTime& result)
{
  const std::array<std::string, cxSmartInputWordCount> words = LoadSmartInputWords();
  const std::string trimmed = Trim(text);
  int index;
  if (!MatchWord(words, trimmed, index)) return false;
  const TDateTime today = Date();
  WORD year, month, day;
  DecodeDate(today, year, month, day);
  TDateTime date = today;
  if (index == swYesterday) date = today - 1;
  else if (index == swTomorrow) date = today + 1;
  else if (index >= swSunday && index <= swSaturday) {
    int days = (index - swSunday) + 1 - DayOfWeek(today);
    date = today + (days < 0 ? days + 7 : days);
  } else if (index >= swFirst && index <= swSeventh) {
    date = today - (DayIndexInWeek(today) - (index - swFirst));
  } else if (index == swBOM) {
    date = EncodeDate(year, month, 1);
  } else if (index == swEOM) {
    date = EncodeDate(year, month, MonthDayCount(year, month));
  } else if (index == swNow) {
    date = Now();
  }
  const std::string rest = Trim(std::string_view(trimmed).substr(words[index].size()));
  if (!rest.empty()) {
    if (rest[0] != '+' && rest[0] != '-') return false;
    const std::string number = Trim(std::string_view(rest).substr(1));
    int days = 0;
    if (number.empty() || !std::all_of(number.begin(), number.end(), IsDigit) || !TryStrToInt(number, days))
      return false;
    date += rest[0] == '-' ? -days : days;
  }
  result = date;
  return true;
}

void AddSmartInputToRegExprMask(std::string& mask, bool withNow)
{
  const std::array<std::string, cxSmartInputWordCount> words = LoadSmartInputWords();
  mask = "(" + mask + ")|(" + RegExprWordList(words, withNow ? cxSmartInputWordCount : cxSmartInputWordCount - 1) +
         ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

// --- Helpers ---

bool IsSupportedDate(TDateTime date)
{
  const double value = ChronologicalValue(date);
  return date == NullDate || (value >= -657434 && value <= 2958465.99999);
}

void StepMonthBack(int& year, int& month)
{
  if (--month < 1) {
    month = 12;
    --year;
  }
}

void StepMonthForward(int& year, int& month)
{
  if (++month > 12) {
    month = 1;
    ++year;
  }
}

int ShiftMonth(int& year, int& month, int delta)
{
  year += delta / 12;
  int m = month + delta % 12;
  if (m <= 0) {
    --year;
    m += 12;
  } else if (m > 12) {
    ++year;
    m -= 12;
  }
  month = m;
  return delta / 12;
}

int GetDatePart(int part, TcxCustomCalendarTable* table, TDateTime date)
{
  int year, month, day;
  if (table) {
    const TcxCalendarDateTime record = table->SplitDateTime(date);
    year = record.Year, month = record.Month, day = record.Day;
  } else {
    WORD y, m, d;
    DecodeDate(date, y, m, d);
    year = y, month = m, day = d;
  }
  return part == 0 ? year : part == 1 ? month : day;
}

bool IsGregorianLeapYear(int year) { return IsLeapYear(year); }
int MonthDayCount(int year, int month) { return DaysInMonth(year, month); }
int ClampDay(int year, int month, int day) { return std::clamp(day, 1, std::max(MonthDayCount(year, month), 1)); }

TDateTime ExtractTimePart(TDateTime date)
{
  WORD hours, minutes, seconds, milliseconds;
  DecodeTime(date, hours, minutes, seconds, milliseconds);
  return EncodeTime(hours, minutes, seconds, milliseconds);
}

TDateTime TruncateToDate(TDateTime date) { return std::trunc(date); }

int DayIndexInWeek(TDateTime date) { return (DayOfWeek(date) - 1 - GetStartOfWeek() + 7) % 7; }

int GetDateOrder(std::string_view format)
{
  const size_t pos = FindFormatLetter(format, "dmye");
  if (pos == std::string_view::npos) return 0;
  switch (LowerAscii(format[pos])) {
  case 'd': return 1;
  case 'm': return 0;
  default: return 2;
  }
}
