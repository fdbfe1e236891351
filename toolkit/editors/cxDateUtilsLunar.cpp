#include "toolkit/editors/cxDateUtilsLunar.h"

#include <cstring>
#include "classlib/SysUtils.h"
#include "toolkit/editors/cxDateUtils.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// The day of a date-time value (its whole part) and its time of day, as a record's time fields.
int64_t DayOf(TDateTime date) { return static_cast<int64_t>(date); }

void SplitTimeOfDay(TDateTime date, TcxCalendarDateTime& record)
{
  WORD hours, minutes, seconds, milliseconds;
  DecodeTime(date, hours, minutes, seconds, milliseconds);
  record.Hours = static_cast<uint8_t>(hours);
  record.Minutes = static_cast<uint8_t>(minutes);
  record.Seconds = static_cast<uint8_t>(seconds);
  record.Milliseconds = milliseconds;
}

TDateTime WithTimeOfDay(int64_t day, const TcxCalendarDateTime& record)
{
  return ComposeDateTime(static_cast<TDateTime>(day),
                         EncodeTime(record.Hours, record.Minutes, record.Seconds, record.Milliseconds));
}

// The calendar's own month name (as the locale formats it) that equals the text, or 0.
int MonthOfName(TcxCustomCalendarTable* table, int year, int months, std::string_view text)
{
  for (int month = 1; month <= months; ++month) {
    const std::string name = GetMonthNameOf(year, month, table);
    if (!name.empty() && AnsiSameText(text, name)) return month;
  }
  return 0;
}

// Week numbers of the calendars that start their weeks on their own first weekday.
int WeekNumberFromFirstWeekday(TcxCustomCalendarTable& table, const TcxCalendarDateTime& record, int firstWeekRule)
{
  if (firstWeekRule == 0) firstWeekRule = GetLocaleFirstWeekRule();
  int64_t first = DayOf(table.WeekStartOf(table.JoinDateTime({record.Era, record.Year, 1, 1})));
  if ((firstWeekRule == 2 && table.SplitDateTime(static_cast<TDateTime>(first)).Year < record.Year) ||
      (firstWeekRule == 3 && table.SplitDateTime(static_cast<TDateTime>(first + 3)).Year < record.Year))
    first += 7;
  const int week = static_cast<int>(FloorDiv(DayOf(table.JoinDateTime(record)) - first, 7) + 1);
  if (record.Month == table.MonthCountInEra(record.Era, record.Year)) {
    const int64_t weekStart = DayOf(table.JoinDateTime(table.WeekStartRecord(record)));
    if (firstWeekRule == 1 && table.SplitDateTime(static_cast<TDateTime>(weekStart + 6)).Month == 1) return 1;
    if (firstWeekRule == 3 && table.SplitDateTime(static_cast<TDateTime>(weekStart + 3)).Month == 1) return 1;
  }
  return week;
}

// --- Hijri ---

// The days from 0001-01-01 to the day before 1 Muharram of year 1, and the value of 0001-01-01.
constexpr int64_t HijriEpoch = 227013;
constexpr int64_t FirstDayValue = -693593;

bool IsHijriLeapYear(int64_t year)
{
  switch (FloorMod(year, 30)) {
  case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29: return true;
  default: return false;
  }
}

// Days of the years before year (which may be 0 or less): 354 each, plus the leap days.
int64_t HijriDaysBeforeYear(int64_t year)
{
  int64_t days = (year - 1) * 354 + FloorDiv(year - 1, 30) * 11;
  for (int64_t i = 1; i <= FloorMod(year - 1, 30); ++i)
    if (IsHijriLeapYear(i)) ++days;
  return days;
}

// --- Hebrew ---

// Days of the months by year type: row r for a common year of type r, row r + 3 for a leap year of
// type r; column 0 and row 0 unused.
constexpr int HebrewMonthLengths[7][14] = {
    {0},
    {0, 30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {0, 30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {0, 30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

// The Hebrew month and day of January 1 from the year table's code.
void DecodeJanuary1(int32_t code, int& month, int& day)
{
  switch (code) {
  case 30: month = 3, day = 30; break;
  case 33: month = 3, day = 29; break;
  case 0: month = 5, day = 1; break;
  case 31: month = 5, day = 2; break;
  case 32: month = 5, day = 3; break;
  default: month = 4, day = code; break;
  }
}

// Letter values from alef (0xE0) to tav (0xFA) in code page 1255; final forms as their letters.
constexpr int HebrewLetterValues[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  20,  20,  30, 40,
                                      40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};

}  // namespace

int HebrewLetterValue(std::string_view text)
{
  int value = 0;
  for (char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b >= 0xE0 && b <= 0xFA) value += HebrewLetterValues[b - 0xE0];
  }
  return value;
}

// --- TcxHijriCalendarTable ---

CL_DEFINE_CLASS(TcxHijriCalendarTable);

TDateTime TcxHijriCalendarTable::LatestDate() const { return 2958465.99999; }
TDateTime TcxHijriCalendarTable::EarliestDate() const { return EncodeDate(622, 7, 16); }

bool TcxHijriCalendarTable::IsLongYearInEra(int, int year) { return IsHijriLeapYear(year); }

int TcxHijriCalendarTable::YearLengthInEra(int era, int year) { return IsLongYearInEra(era, year) ? 355 : 354; }

bool TcxHijriCalendarTable::IsExtraMonthInEra(int era, int year, int month)
{
  return month == 12 && IsLongYearInEra(era, year);
}

bool TcxHijriCalendarTable::IsExtraDayInEra(int era, int year, int day, int month)
{
  return day == 30 && IsExtraMonthInEra(era, year, month);
}

int TcxHijriCalendarTable::MonthLengthInEra(int era, int year, int month)
{
  if (month < 1 || month > 12) return 0;
  if (IsExtraMonthInEra(era, year, month)) return 30;
  return month % 2 == 0 ? 29 : 30;
}

TcxCalendarDateTime TcxHijriCalendarTable::SplitDateTime(TDateTime date)
{
  TcxCalendarDateTime record;
  SplitTimeOfDay(date, record);
  int64_t n = DayOf(date) - FirstDayValue + 1 - HijriEpoch;
  int64_t year = FloorDiv(30 * n, 10631) + 1;
  n -= HijriDaysBeforeYear(year);
  int month = 1;
  while (MonthLength(static_cast<int>(year), month) < n) {
    n -= MonthLength(static_cast<int>(year), month);
    if (++month > MonthCount(static_cast<int>(year))) {
      month = 1;
      ++year;
    }
  }
  if (n == 0) {
    // The day before the first of the year: the last day of the year before.
    --year;
    month = MonthCount(static_cast<int>(year));
    n = MonthLength(static_cast<int>(year), month);
  }
  record.Year = static_cast<int32_t>(year);
  record.Month = month;
  record.Day = static_cast<int32_t>(n);
  return record;
}

TDateTime TcxHijriCalendarTable::JoinDateTime(const TcxCalendarDateTime& record)
{
  const int64_t day = HijriEpoch + HijriDaysBeforeYear(record.Year) + DayNumberInYear(record) + FirstDayValue - 1;
  return WithTimeOfDay(day, record);
}

int TcxHijriCalendarTable::WeekNumberOfRecord(const TcxCalendarDateTime& record, int, int firstWeekRule)
{
  return WeekNumberFromFirstWeekday(*this, record, firstWeekRule);
}

int TcxHijriCalendarTable::ParseMonthText(int year, std::string_view text)
{
  if (int month = MonthOfName(this, year, 12, text)) return month;
  return inherited::ParseMonthText(year, text);
}

// --- TcxHebrewCalendarTable ---

CL_DEFINE_CLASS(TcxHebrewCalendarTable);

TcxHebrewCalendarTable::TcxHebrewCalendarTable()
{
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&HebrewLetterValue), &module);
  HRSRC resource = FindResourceA(module, "HEBREW_YEARS", MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes || SizeofResource(module, resource) != sizeof FYears)
    throw EResNotFound("The Hebrew calendar's year table HEBREW_YEARS is missing from the program's resources; "
                       "build the program again");
  std::memcpy(FYears.data(), bytes, sizeof FYears);
}

TDateTime TcxHebrewCalendarTable::LatestDate() const
{
  return ComposeDateTime(EncodeDate(2239, 9, 29), EncodeTime(23, 59, 59, 999));
}

TDateTime TcxHebrewCalendarTable::EarliestDate() const { return EncodeDate(1583, 1, 1); }

int TcxHebrewCalendarTable::RawYearType(int year) const
{
  if (year < EarliestYear() || year > LatestYear()) return 0;
  return FYears[year - EarliestYear()].RawYearType;
}

bool TcxHebrewCalendarTable::IsLongYearInEra(int, int year) { return RawYearType(year) >= 4; }

int TcxHebrewCalendarTable::YearType(int year) const
{
  const int raw = RawYearType(year);
  return raw >= 4 ? raw - 3 : raw;
}

int TcxHebrewCalendarTable::MonthCountInEra(int era, int year) { return IsLongYearInEra(era, year) ? 13 : 12; }

int TcxHebrewCalendarTable::YearLengthInEra(int era, int year)
{
  const int type = YearType(year);
  if (type == 0) return 0;
  return 352 + type + (IsLongYearInEra(era, year) ? 30 : 0);
}

int TcxHebrewCalendarTable::WholeWeeksInYear(int year) { return YearLength(year) / 7; }

int TcxHebrewCalendarTable::MonthLengthInEra(int era, int year, int month)
{
  if (!MonthInRangeForEra(era, year, month)) return 0;
  return HebrewMonthLengths[YearType(year) + (IsLongYearInEra(era, year) ? 3 : 0)][month];
}

bool TcxHebrewCalendarTable::IsExtraMonthInEra(int era, int year, int month)
{
  return month == 7 && MonthInRangeForEra(era, year, month) && IsLongYearInEra(era, year);
}

bool TcxHebrewCalendarTable::IsExtraDayInEra(int era, int year, int day, int month)
{
  return DayInRangeForEra(era, year, day, month) && IsExtraMonthInEra(era, year, month);
}

TDateTime TcxHebrewCalendarTable::JoinDateTime(const TcxCalendarDateTime& record)
{
  TDateTime result;
  if (IsInvalidRecord(record, result)) return result;
  const int gregorianYear = record.Year - 3760;
  int month, day;
  DecodeJanuary1(YearEntry(gregorianYear).January1Code, month, day);
  int64_t offset = 0;
  if (record.Month == month) {
    offset = record.Day - day;
  } else {
    // From the earlier of the two dates to the later one, through the months between.
    const bool after = record.Month > month;
    const int firstMonth = after ? month : record.Month, firstDay = after ? day : record.Day;
    const int lastMonth = after ? record.Month : month, lastDay = after ? record.Day : day;
    int64_t days = MonthLengthInEra(record.Era, record.Year, firstMonth) - firstDay + lastDay;
    for (int m = firstMonth + 1; m < lastMonth; ++m) days += MonthLengthInEra(record.Era, record.Year, m);
    offset = after ? days : -days;
  }
  return WithTimeOfDay(DayOf(EncodeDate(gregorianYear, 1, 1)) + offset, record);
}

TcxCalendarDateTime TcxHebrewCalendarTable::SplitDateTime(TDateTime date)
{
  ClampToSupportedRange(date);
  WORD gregorianYear, gregorianMonth, gregorianDay;
  DecodeDate(date, gregorianYear, gregorianMonth, gregorianDay);
  TcxCalendarDateTime record;
  SplitTimeOfDay(date, record);
  const int64_t target = DayOf(date);
  int year = gregorianYear + 3760, month = 1;
  int64_t day = target - DayOf(JoinYearMonthDay(year, 1, 1)) + 1;
  while (day < 1 || day > MonthLength(year, month)) {
    if (day < 1) {
      if (--month < 1) month = MonthCount(--year);
    } else if (++month > MonthCount(year)) {
      month = 1;
      ++year;
    }
    day = target - DayOf(JoinYearMonthDay(year, month, 1)) + 1;
  }
  record.Year = year;
  record.Month = month;
  record.Day = static_cast<int32_t>(day);
  return record;
}

int TcxHebrewCalendarTable::WeekNumberOfRecord(const TcxCalendarDateTime& record, int, int firstWeekRule)
{
  return WeekNumberFromFirstWeekday(*this, record, firstWeekRule);
}

int TcxHebrewCalendarTable::ParseDayText(std::string_view text)
{
  if (int value = HebrewLetterValue(text)) return value;
  return inherited::ParseDayText(text);
}

int TcxHebrewCalendarTable::ParseMonthText(int year, std::string_view text)
{
  const int value = HebrewLetterValue(text);
  if (value != 0 && MonthInRange(year, value)) return value;
  if (int month = MonthOfName(this, year, 13, text)) return month;
  return inherited::ParseMonthText(year, text);
}

int TcxHebrewCalendarTable::ParseYearText(std::string_view text)
{
  if (int value = HebrewLetterValue(text)) return value + 5000;
  return inherited::ParseYearText(text);
}
