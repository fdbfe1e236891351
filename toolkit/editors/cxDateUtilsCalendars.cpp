#include "toolkit/editors/cxDateUtilsCalendars.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>
#include "classlib/SysUtils.h"
#include "classlib/Units.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxDateUtils.h"
#include "toolkit/editors/cxDateUtilsLunar.h"

namespace {

// The owner of every table: a table joins when made and leaves when freed.
class TcxCalendarTableCache : public TObject {
  CL_CLASS(TcxCalendarTableCache, TObject)
public:
  TcxCalendarTableCache() = default;
  ~TcxCalendarTableCache() override
  {
    const std::vector<TcxCustomCalendarTable*> tables = std::move(Tables);
    for (TcxCustomCalendarTable* table : tables) Free(table);
  }
  std::vector<TcxCustomCalendarTable*> Tables;
};
CL_DEFINE_CLASS(TcxCalendarTableCache);

TUnitObject<TcxCalendarTableCache> GCache{UnitcxDateUtils};

// The day of a date-time value: its whole part, which counts back before 1899-12-30 while the
// fraction still runs forward.
int64_t DayOf(TDateTime date) { return static_cast<int64_t>(date); }

TDateTime EncodeGregorian(int year, const TcxCalendarDateTime& record)
{
  return ComposeDateTime(EncodeDate(year, record.Month, record.Day),
                         EncodeTime(record.Hours, record.Minutes, record.Seconds, record.Milliseconds));
}

TcxCalendarDateTime DecodeGregorian(TDateTime date)
{
  WORD year, month, day, hours, minutes, seconds, milliseconds;
  DecodeDateTime(date, year, month, day, hours, minutes, seconds, milliseconds);
  return {-1,
          year,
          month,
          day,
          static_cast<uint8_t>(hours),
          static_cast<uint8_t>(minutes),
          static_cast<uint8_t>(seconds),
          milliseconds};
}

bool IsGregorianLeap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int PlatformGetCalendarInfo(LCID locale, CALID calendar, CALTYPE type, LPSTR data, int size, LPDWORD value)
{
  return GetCalendarInfoA(locale, calendar, type, data, size, value);
}

// The Japanese eras, oldest first.
constexpr TcxEraRow JapaneseEras[] = {
    {1, 45, 1, 1867, 1868, 9, 8},
    {2, 15, 1, 1911, 1912, 7, 30},
    {3, 64, 1, 1925, 1926, 12, 25},
    {4, 8011, 1, 1988, 1989, 1, 8},
};
constexpr TcxEraRow TaiwanEra[] = {{1, 8088, 1, 1911, 1912, 1, 1}};
constexpr TcxEraRow KoreanEra[] = {{0, 12332, 2334, -2333, 1, 1, 1}};
constexpr TcxEraRow ThaiEra[] = {{0, 10542, 544, -543, 1, 1, 1}};

}  // namespace

TcxGetCalendarInfoFunc cxGetCalendarInfo = PlatformGetCalendarInfo;

TDateTime GregorianDayValue(int year, int month, int day)
{
  // Days from 1970-01-01 of the proleptic Gregorian calendar, counted in 400-year eras.
  const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<TDateTime>(era * 146097 + dayOfEra - 719468 + 25569);
}

double ChronologicalValue(TDateTime date)
{
  const double day = std::trunc(date);
  return day + std::abs(date - day);
}

int GetLocaleFirstWeekRule()
{
  const std::string text = ReadLocaleString(GetThreadLocale(), LOCALE_IFIRSTWEEKOFYEAR, "0");
  const char digit = text.empty() ? '0' : text[0];
  return (digit >= '0' && digit <= '2' ? digit - '0' : 0) + 1;
}

// --- TcxEra ---

CL_DEFINE_CLASS(TcxEra);
CL_DEFINE_CLASS(TcxEras);

TcxEra::TcxEra(int eraNumber, int lastEraYear, int firstEraYear, int eraYearOffset, TDateTime eraStartDate)
    : FEraNumber(eraNumber), FLastEraYear(lastEraYear), FFirstEraYear(firstEraYear), FEraStartDate(eraStartDate),
      FEraYearOffset(eraYearOffset)
{
}

void TcxEra::Assign(TPersistent* source)
{
  if (TcxEra* era = dynamic_cast<TcxEra*>(source)) {
    FEraNumber = era->FEraNumber;
    FLastEraYear = era->FLastEraYear;
    FFirstEraYear = era->FFirstEraYear;
    FEraStartDate = era->FEraStartDate;
    FEraYearOffset = era->FEraYearOffset;
    return;
  }
  inherited::Assign(source);
}

// --- TcxCustomCalendarTable ---

CL_DEFINE_CLASS(TcxCustomCalendarTable);

TcxCustomCalendarTable::TcxCustomCalendarTable()
    : FEras(MakeOwned<TcxEras>()), FPlainEra(MakeOwned<TcxEra>(-1, 9999, 1, 0, NullDate))
{
}

TcxCustomCalendarTable::~TcxCustomCalendarTable() = default;

void TcxCustomCalendarTable::AfterConstruction()
{
  inherited::AfterConstruction();
  if (TcxCalendarTableCache* cache = GCache.Get()) cache->Tables.push_back(this);
}

void TcxCustomCalendarTable::BeforeDestruction()
{
  if (TcxCalendarTableCache* cache = GCache.Peek()) std::erase(cache->Tables, this);
  inherited::BeforeDestruction();
}

int TcxCustomCalendarTable::EraYearOffsetOf(int era) const
{
  if (era == -1) return PrimaryEra()->EraYearOffset();
  if (era >= 0 && era < FEras->Count()) return FEras->Era(era)->EraYearOffset();
  return 0;
}

void TcxCustomCalendarTable::EraYearToGregorian(int& year, int era) const { year += EraYearOffsetOf(era); }

bool TcxCustomCalendarTable::IsInvalidRecord(const TcxCalendarDateTime& record, TDateTime& result)
{
  if (DayInRangeForEra(record.Era, record.Year, record.Day, record.Month)) return false;
  result = EarliestDate();
  return true;
}

void TcxCustomCalendarTable::ResolveEraOfYear(int& year, int& era) { ResolveEraOfDate(year, era, 1, 1); }

void TcxCustomCalendarTable::ResolveEraOfDate(int& year, int& era, int day, int month)
{
  int gregorian = year;
  EraYearToGregorian(gregorian, era);
  era = EraOfDate(gregorian, month, day);
  // Re-based on the era found; a date before every era counts in the primary era, as a split does.
  year = gregorian - EraYearOffsetOf(era);
}

void TcxCustomCalendarTable::ClampToSupportedRange(TDateTime& date) const
{
  if (ChronologicalValue(date) < ChronologicalValue(EarliestDate())) date = EarliestDate();
  else if (ChronologicalValue(date) > ChronologicalValue(LatestDate())) date = LatestDate();
}

TDateTime TcxCustomCalendarTable::ShiftByDays(const TcxCalendarDateTime& record, int days)
{
  TDateTime date = JoinDateTime(record) + days;
  ClampToSupportedRange(date);
  return date;
}

TDateTime TcxCustomCalendarTable::ShiftDateByMonths(TDateTime date, int months)
{
  return ShiftByMonths(SplitDateTime(date), months);
}

TDateTime TcxCustomCalendarTable::ShiftByMonths(const TcxCalendarDateTime& record, int months)
{
  TDateTime result;
  if (IsInvalidRecord(record, result)) return result;
  const TDateTime bound = months > 0 ? LatestDate() : EarliestDate();
  // A move longer than the whole supported range leaves it; anything shorter is walked year by year.
  if (std::abs(static_cast<int64_t>(months)) > (static_cast<int64_t>(LatestYear()) - EarliestYear() + 2) * 13)
    return bound;
  int era = record.Era, year = record.Year;
  int month = record.Month + months;
  const bool forward = MonthCountInEra(era, year) < month;
  while (MonthCountInEra(era, year) < month || month <= 0) {
    if (forward) {
      month -= MonthCountInEra(era, year);
      ++year;
    } else {
      month += MonthCountInEra(era, year - 1);
      --year;
    }
  }
  return JoinMovedRecord(record, era, year, month, bound);
}

TDateTime TcxCustomCalendarTable::JoinMovedRecord(const TcxCalendarDateTime& record, int era, int year, int month,
                                                  TDateTime bound)
{
  int day = std::min(record.Day, MonthLengthInEra(era, year, month));
  ResolveEraOfDate(year, era, day, month);
  if (!DayInRangeForEra(era, year, day, month)) return bound;
  TcxCalendarDateTime moved = record;
  moved.Era = era;
  moved.Year = year;
  moved.Month = month;
  moved.Day = day;
  TDateTime result = JoinDateTime(moved);
  ClampToSupportedRange(result);
  return result;
}

TDateTime TcxCustomCalendarTable::ShiftDateByYears(TDateTime date, int years)
{
  return ShiftByYears(SplitDateTime(date), years);
}

TDateTime TcxCustomCalendarTable::ShiftByYears(const TcxCalendarDateTime& record, int years)
{
  TDateTime result;
  if (IsInvalidRecord(record, result)) return result;
  const TDateTime bound = years > 0 ? LatestDate() : EarliestDate();
  if (std::abs(static_cast<int64_t>(years)) > static_cast<int64_t>(LatestYear()) - EarliestYear() + 2) return bound;
  int era = record.Era;
  int year = record.Year + years;
  ResolveEraOfYear(year, era);
  if (!YearInRangeForEra(era, year)) return bound;
  const int month = std::min(record.Month, MonthCountInEra(era, year));
  return JoinMovedRecord(record, era, year, month, bound);
}

TDateTime TcxCustomCalendarTable::ShiftDateByWeeks(TDateTime date, int weeks)
{
  return ShiftByWeeks(SplitDateTime(date), weeks);
}

TDateTime TcxCustomCalendarTable::ShiftByWeeks(const TcxCalendarDateTime& record, int weeks)
{
  const int64_t days = std::clamp<int64_t>(static_cast<int64_t>(weeks) * 7, INT32_MIN, INT32_MAX);
  return ShiftByDays(record, static_cast<int>(days));
}

TcxCalendarDateTime TcxCustomCalendarTable::SplitYearMonthDay(int year, int month, int day)
{
  return SplitComponents(year, month, day, 0, 0, 0, 0);
}

TcxCalendarDateTime TcxCustomCalendarTable::SplitComponents(int year, int month, int day, int hours, int minutes,
                                                            int seconds, int milliseconds)
{
  return SplitDateTime(ComposeDateTime(EncodeDate(year, month, day), EncodeTime(hours, minutes, seconds, milliseconds)));
}

int TcxCustomCalendarTable::DayNumberInYearOf(TDateTime date) { return DayNumberInYear(SplitDateTime(date)); }

int TcxCustomCalendarTable::DayNumberInYear(const TcxCalendarDateTime& record)
{
  int day = record.Day;
  for (int month = 1; month < record.Month; ++month) day += MonthLengthInEra(record.Era, record.Year, month);
  return day;
}

int TcxCustomCalendarTable::MonthLength(int year, int month) { return MonthLengthInEra(-1, year, month); }
int TcxCustomCalendarTable::YearLength(int year) { return YearLengthInEra(-1, year); }
int TcxCustomCalendarTable::EraOfYear(int year) { return EraOfDate(year, 1, 1); }

int TcxCustomCalendarTable::EraOfDate(int year, int month, int day)
{
  if (FEras->Count() == 0) return -1;
  const TDateTime date = GregorianDayValue(year, month, day);
  for (int i = FEras->Count() - 1; i >= 0; --i)
    if (FEras->Era(i)->EraStartDate() <= date) return i;
  return -1;
}

TDateTime TcxCustomCalendarTable::WeekStartOf(TDateTime date) { return JoinDateTime(WeekStartRecord(SplitDateTime(date))); }

TDateTime TcxCustomCalendarTable::WeekStartFrom(int startDay, TDateTime date)
{
  const int weekday = WeekdayIndex(date);
  return date + startDay - weekday - (weekday < startDay ? 7 : 0);
}

TcxCalendarDateTime TcxCustomCalendarTable::WeekStartRecord(const TcxCalendarDateTime& record)
{
  const int weekday = WeekdayIndexOfRecord(record);
  const int first = FirstWeekdayIndex();
  return SplitDateTime(ShiftByDays(record, first - weekday - (weekday < first ? 7 : 0)));
}

TcxCalendarDateTime TcxCustomCalendarTable::WeekStartRecordFrom(const TcxCalendarDateTime& record, int startDay)
{
  return SplitDateTime(WeekStartFrom(startDay, JoinDateTime(record)));
}

int TcxCustomCalendarTable::MonthCount(int year) { return MonthCountInEra(-1, year); }
int TcxCustomCalendarTable::YearOf(TDateTime date) { return SplitDateTime(date).Year; }
int TcxCustomCalendarTable::YearOfDateRecord(const TcxCalendarDate& record) { return record.Year; }
int TcxCustomCalendarTable::YearOfRecord(const TcxCalendarDateTime& record) { return record.Year; }

int TcxCustomCalendarTable::WeekdayIndex(TDateTime date)
{
  // 1899-12-30, day 0, was a Saturday.
  return static_cast<int>(((DayOf(date) % 7) + 7 + 6) % 7);
}

int TcxCustomCalendarTable::WeekdayIndexOfRecord(const TcxCalendarDateTime& record)
{
  return WeekdayIndex(JoinDateTime(record));
}

int TcxCustomCalendarTable::WeekNumberOf(int startDay, int firstWeekRule, TDateTime date)
{
  return WeekNumberOfRecord(SplitDateTime(date), startDay, firstWeekRule);
}

bool TcxCustomCalendarTable::IsExtraDay(int year, int month, int day) { return IsExtraDayInEra(-1, year, day, month); }
bool TcxCustomCalendarTable::IsExtraMonth(int year, int month) { return IsExtraMonthInEra(-1, year, month); }
bool TcxCustomCalendarTable::IsLongYear(int year) { return IsLongYearInEra(-1, year); }
bool TcxCustomCalendarTable::YearInRange(int year) { return YearInRangeForEra(-1, year); }

bool TcxCustomCalendarTable::YearInRangeForEra(int, int year) { return year >= EarliestYear() && year <= LatestYear(); }

bool TcxCustomCalendarTable::MonthInRange(int year, int month) { return MonthInRangeForEra(-1, year, month); }

bool TcxCustomCalendarTable::MonthInRangeForEra(int era, int year, int month)
{
  return YearInRangeForEra(era, year) && month >= 1 && month <= MonthCountInEra(era, year);
}

bool TcxCustomCalendarTable::DayInRange(int year, int month, int day) { return DayInRangeForEra(-1, year, day, month); }

bool TcxCustomCalendarTable::DayInRangeForEra(int era, int year, int day, int month)
{
  return MonthInRangeForEra(era, year, month) && day >= 1 && day <= MonthLengthInEra(era, year, month);
}

bool TcxCustomCalendarTable::DateInRange(TDateTime date)
{
  const TcxCalendarDateTime record = SplitDateTime(date);
  return DayInRange(record.Year, record.Month, record.Day);
}

TDateTime TcxCustomCalendarTable::JoinDateRecord(const TcxCalendarDate& record)
{
  return JoinDateTime({record.Era, record.Year, record.Month, record.Day});
}

TDateTime TcxCustomCalendarTable::JoinYearMonthDay(int year, int month, int day)
{
  return JoinComponents(year, month, day, 0, 0, 0, 0);
}

TDateTime TcxCustomCalendarTable::JoinComponents(int year, int month, int day, int hours, int minutes, int seconds,
                                                 int milliseconds)
{
  return JoinDateTime({-1, year, month, day, static_cast<uint8_t>(hours), static_cast<uint8_t>(minutes),
                       static_cast<uint8_t>(seconds), static_cast<uint16_t>(milliseconds)});
}

int TcxCustomCalendarTable::ParseDayText(std::string_view text) { return StrToInt(text); }

int TcxCustomCalendarTable::ParseMonthText(int, std::string_view text)
{
  const TFormatSettings& fs = FormatSettings();
  for (int month = 1; month <= 12; ++month)
    if (AnsiSameText(text, fs.LongMonthNames[month - 1]) || AnsiSameText(text, fs.ShortMonthNames[month - 1]))
      return month;
  return StrToInt(text);
}

int TcxCustomCalendarTable::ParseYearText(std::string_view text)
{
  const std::string trimmed = Trim(text);
  const int year = StrToInt(trimmed);
  if (trimmed.size() > 2) return year;
  const int max = TwoDigitYearMax();
  return year + max / 100 * 100 - (max % 100 < year ? 100 : 0);
}

int TcxCustomCalendarTable::TwoDigitYearMax() const
{
  DWORD max = 0;
  if (cxGetCalendarInfo &&
      cxGetCalendarInfo(GetThreadLocale(), WindowsCalendarId(), CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                        &max) &&
      max > 0)
    return static_cast<int>(max);
  // Without the calendar's own answer, the class library's window: the hundred years that begin the
  // window's width before the current year (or the current century without a width).
  const int window = FormatSettings().TwoDigitYearCenturyWindow;
  WORD year, month, day;
  DecodeDate(Date(), year, month, day);
  return window > 0 ? year - window + 99 : year / 100 * 100 + 99;
}

// --- TcxGregorianCalendarTable ---

CL_DEFINE_CLASS(TcxGregorianCalendarTable);
CL_DEFINE_CLASS(TcxGregorianUSEnglishCalendarTable);
CL_DEFINE_CLASS(TcxGregorianMiddleEastFrenchCalendarTable);
CL_DEFINE_CLASS(TcxGregorianArabicCalendarTable);
CL_DEFINE_CLASS(TcxGregorianTransliteratedEnglishCalendarTable);
CL_DEFINE_CLASS(TcxGregorianTransliteratedFrenchCalendarTable);

TDateTime TcxGregorianCalendarTable::LatestDate() const { return 2958465.99999; }
TDateTime TcxGregorianCalendarTable::EarliestDate() const { return -657434; }

TcxCalendarDateTime TcxGregorianCalendarTable::SplitDateTime(TDateTime date) { return DecodeGregorian(date); }

TDateTime TcxGregorianCalendarTable::JoinDateTime(const TcxCalendarDateTime& record)
{
  return EncodeGregorian(record.Year, record);
}

int TcxGregorianCalendarTable::MonthLengthInEra(int era, int year, int month)
{
  if (month < 1 || month > 12) return 0;
  if (month == 2) return IsLongYearInEra(era, year) ? 29 : 28;
  return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

int TcxGregorianCalendarTable::YearLengthInEra(int era, int year) { return IsLongYearInEra(era, year) ? 366 : 365; }

bool TcxGregorianCalendarTable::IsLongYearInEra(int era, int year)
{
  EraYearToGregorian(year, era);
  return IsGregorianLeap(year);
}

bool TcxGregorianCalendarTable::IsExtraMonthInEra(int era, int year, int month)
{
  return month == 2 && IsLongYearInEra(era, year);
}

bool TcxGregorianCalendarTable::IsExtraDayInEra(int era, int year, int day, int month)
{
  return day == 29 && IsExtraMonthInEra(era, year, month);
}

int TcxGregorianCalendarTable::WholeWeeksInYear(int year)
{
  const int position = (WeekdayIndex(JoinYearMonthDay(year, 1, 1)) - FirstWeekdayIndex() + 7) % 7;
  return (IsLongYear(year) && position > 4) || position > 5 ? 53 : 52;
}

int TcxGregorianCalendarTable::WeekNumberOfRecord(const TcxCalendarDateTime& record, int startDay, int firstWeekRule)
{
  if (firstWeekRule == 0) firstWeekRule = GetLocaleFirstWeekRule();
  const int64_t x = DayOf(JoinDateTime(record));
  const TcxCalendarDateTime gregorian = DecodeGregorian(static_cast<TDateTime>(x));
  // The first day of week 1 of a year: from January 1 (or the day that makes the week full, or
  // holding four days), back to the start day.
  const auto weekOneStart = [&](int year) {
    const int64_t d = DayOf(GregorianDayValue(year, 1, 1)) + (firstWeekRule == 2 ? 6 : firstWeekRule == 3 ? 3 : 0);
    return d - (WeekdayIndex(static_cast<TDateTime>(d)) - startDay + 7) % 7;
  };
  if (gregorian.Month == 12 && x >= weekOneStart(gregorian.Year + 1)) return 1;
  int64_t start = weekOneStart(gregorian.Year);
  if (gregorian.Month == 1 && x < start) start = weekOneStart(gregorian.Year - 1);
  return static_cast<int>((x - start) / 7 + 1);
}

// --- Era calendars ---

CL_DEFINE_CLASS(TcxJapaneseCalendarTable);
CL_DEFINE_CLASS(TcxTaiwanCalendarTable);
CL_DEFINE_CLASS(TcxKoreanCalendarTable);
CL_DEFINE_CLASS(TcxThaiCalendarTable);

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() : TcxJapaneseCalendarTable(JapaneseEras) {}

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable(std::span<const TcxEraRow> eras)
{
  for (const TcxEraRow& row : eras)
    Eras()->Add(New<TcxEra>(row.Number, row.LastYear, row.FirstYear, row.Offset,
                            EncodeDate(row.StartYear, row.StartMonth, row.StartDay)));
}

TcxEra* TcxJapaneseCalendarTable::PrimaryEra() const { return Eras()->Era(Eras()->Count() - 1); }
TDateTime TcxJapaneseCalendarTable::LatestDate() const { return EncodeDate(9999, 12, 31); }
TDateTime TcxJapaneseCalendarTable::EarliestDate() const { return Eras()->Era(0)->EraStartDate(); }
int TcxJapaneseCalendarTable::LatestYear() const { return PrimaryEra()->LastEraYear(); }
int TcxJapaneseCalendarTable::EarliestYear() const { return Eras()->Era(0)->FirstEraYear(); }

TcxCalendarDateTime TcxJapaneseCalendarTable::SplitDateTime(TDateTime date)
{
  TcxCalendarDateTime record = DecodeGregorian(date);
  record.Era = EraOfDate(record.Year, record.Month, record.Day);
  record.Year -= EraYearOffsetOf(record.Era);
  return record;
}

TDateTime TcxJapaneseCalendarTable::JoinDateTime(const TcxCalendarDateTime& record)
{
  TDateTime result;
  if (IsInvalidRecord(record, result)) return result;
  int year = record.Year;
  EraYearToGregorian(year, record.Era);
  return EncodeGregorian(year, record);
}

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable() : TcxJapaneseCalendarTable(TaiwanEra) {}
TcxKoreanCalendarTable::TcxKoreanCalendarTable() : TcxJapaneseCalendarTable(KoreanEra) {}
TcxThaiCalendarTable::TcxThaiCalendarTable() : TcxJapaneseCalendarTable(ThaiEra) {}

// --- The cache ---

namespace {
constexpr TcxCustomCalendarTableClass CalendarTableClasses[] = {
    TcxCustomCalendarTableClass::Of<TcxGregorianCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxGregorianUSEnglishCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxJapaneseCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxTaiwanCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxKoreanCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxHijriCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxThaiCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxHebrewCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxGregorianMiddleEastFrenchCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxGregorianArabicCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxGregorianTransliteratedEnglishCalendarTable>(),
    TcxCustomCalendarTableClass::Of<TcxGregorianTransliteratedFrenchCalendarTable>(),
};
}  // namespace

int GetCalendarTableId(int calendarId) { return calendarId >= 1 && calendarId <= 12 ? calendarId : 1; }

TcxCustomCalendarTableClass GetCalendarTableClass(int calendarId)
{
  return CalendarTableClasses[GetCalendarTableId(calendarId) - 1];
}

TcxCustomCalendarTable* FindCalendarTable(int calendarId)
{
  if (TcxCalendarTableCache* cache = GCache.Peek())
    for (TcxCustomCalendarTable* table : cache->Tables)
      if (table->WindowsCalendarId() == calendarId) return table;
  return nullptr;
}

TcxCustomCalendarTable* GetCalendarTable(int calendarId)
{
  // An identifier without a table of its own is served by the table it maps to, so that asking
  // again finds it.
  const int id = GetCalendarTableId(calendarId);
  if (TcxCustomCalendarTable* table = FindCalendarTable(id)) return table;
  if (!GCache.Get()) return nullptr;
  return GetCalendarTableClass(id).Create();
}

int GetCalendarTableCount()
{
  TcxCalendarTableCache* cache = GCache.Peek();
  return cache ? static_cast<int>(cache->Tables.size()) : 0;
}

int GetLocaleCalendarId()
{
  DWORD id = CAL_GREGORIAN;
  if (!GetLocaleInfoA(GetThreadLocale(), LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPSTR>(&id),
                      sizeof id / sizeof(char)))
    id = CAL_GREGORIAN;
  return static_cast<int>(id);
}

TcxCustomCalendarTable* GetLocaleCalendarTable() { return GetCalendarTable(GetLocaleCalendarId()); }

bool IsGregorianCalendar(TcxCustomCalendarTable* table)
{
  if (!table) table = GetLocaleCalendarTable();
  const int id = table ? table->WindowsCalendarId() : CAL_GREGORIAN;
  return id == 1 || id == 2 || (id >= 9 && id <= 12);
}
