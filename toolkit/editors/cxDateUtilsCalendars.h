#pragma once
// Calendar tables: date arithmetic in one of the calendars Windows numbers with a calendar
// identifier (the locale's LOCALE_ICALENDARTYPE). A table converts the class library's date-time
// values (days since 1899-12-30, the time as the fraction) to and from dates of its own calendar
// (era, year, month, day and time), knows month and year lengths, leap rules, week starts and week
// numbers, moves dates within its supported range and reads day, month and year numbers from text.
//
// Tables live in a process-wide cache, which owns them: a table joins it when made and leaves it
// when freed. Ask for one with GetCalendarTable (or GetLocaleCalendarTable) and do not free it.
//
// This file has the base, the cache, the Gregorian table with its five localized variants and the
// four era calendars on Gregorian arithmetic; cxDateUtilsLunar.h has the Hijri and Hebrew tables.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include "classlib/ClassRef.h"
#include "classlib/DateTime.h"
#include "classlib/Object.h"
#include "classlib/Persistent.h"
#include "toolkit/base/cxClassesLists.h"

// The date-time value that means no date, in every editor, calendar and date function.
constexpr TDateTime NullDate = -700000;

// A date of a calendar table; Era -1 is the table's primary era. Month 1 is the calendar's first
// month (Tishri for the Hebrew calendar).
struct TcxCalendarDate {
  int32_t Era = -1;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
};

struct TcxCalendarDateTime {
  int32_t Era = -1;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  uint8_t Hours = 0;
  uint8_t Minutes = 0;
  uint8_t Seconds = 0;
  uint16_t Milliseconds = 0;
};

// One era of a calendar: Gregorian year = era year + EraYearOffset.
class TcxEra : public TPersistent {
  CL_CLASS(TcxEra, TPersistent)
public:
  TcxEra(int eraNumber, int lastEraYear, int firstEraYear, int eraYearOffset, TDateTime eraStartDate);
  void Assign(TPersistent* source) override;

  int EraNumber() const { return FEraNumber; }
  int LastEraYear() const { return FLastEraYear; }
  int FirstEraYear() const { return FFirstEraYear; }
  TDateTime EraStartDate() const { return FEraStartDate; }
  int EraYearOffset() const { return FEraYearOffset; }

private:
  int FEraNumber;
  int FLastEraYear;
  int FFirstEraYear;
  TDateTime FEraStartDate;
  int FEraYearOffset;
};

// The eras of a calendar in ascending order of their start dates; owns them.
class TcxEras : public TcxObjectList {
  CL_CLASS(TcxEras, TcxObjectList)
public:
  TcxEras() = default;
  TcxEra* Era(int index) const { return static_cast<TcxEra*>(GetObject(index)); }
};

// The base of every calendar table. The "InEra" operations take an era (-1 the primary era, else an
// index of Eras); the forms without it work in the primary era.
class TcxCustomCalendarTable : public TObject {
  CL_CLASS(TcxCustomCalendarTable, TObject)
public:
  TcxCustomCalendarTable();
  ~TcxCustomCalendarTable() override;
  // Joins the cache.
  void AfterConstruction() override;
  // Leaves the cache.
  void BeforeDestruction() override;

  TcxEras* Eras() const { return FEras.get(); }

  // Turns an era year into the era that holds its date (the year re-based on that era).
  virtual void ResolveEraOfYear(int& year, int& era);
  virtual void ResolveEraOfDate(int& year, int& era, int day, int month);

  // 1 solar (Gregorian arithmetic), 2 lunar (Hijri), 3 lunisolar (Hebrew).
  virtual int AlgorithmKind() const = 0;
  virtual int WindowsCalendarId() const = 0;
  virtual TcxEra* PrimaryEra() const = 0;
  virtual TDateTime LatestDate() const = 0;
  virtual TDateTime EarliestDate() const = 0;
  virtual void ClampToSupportedRange(TDateTime& date) const;
  virtual int LatestYear() const = 0;
  virtual int EarliestYear() const = 0;

  // Moves; a move out of the supported range stops at its bound, an invalid record gives
  // EarliestDate.
  virtual TDateTime ShiftByDays(const TcxCalendarDateTime& record, int days);
  virtual TDateTime ShiftDateByMonths(TDateTime date, int months);
  virtual TDateTime ShiftByMonths(const TcxCalendarDateTime& record, int months);
  virtual TDateTime ShiftDateByYears(TDateTime date, int years);
  virtual TDateTime ShiftByYears(const TcxCalendarDateTime& record, int years);
  virtual TDateTime ShiftDateByWeeks(TDateTime date, int weeks);
  virtual TDateTime ShiftByWeeks(const TcxCalendarDateTime& record, int weeks);

  virtual TcxCalendarDateTime SplitDateTime(TDateTime date) = 0;
  virtual TcxCalendarDateTime SplitYearMonthDay(int year, int month, int day);
  // From Gregorian components.
  virtual TcxCalendarDateTime SplitComponents(int year, int month, int day, int hours, int minutes, int seconds,
                                              int milliseconds);

  virtual int DayNumberInYearOf(TDateTime date);
  virtual int DayNumberInYear(const TcxCalendarDateTime& record);
  virtual int MonthLength(int year, int month);
  virtual int MonthLengthInEra(int era, int year, int month) = 0;
  virtual int YearLength(int year);
  virtual int YearLengthInEra(int era, int year) = 0;
  // -1 without eras, else the last era that began on or before the Gregorian date.
  virtual int EraOfYear(int year);
  virtual int EraOfDate(int year, int month, int day);

  virtual TDateTime WeekStartOf(TDateTime date);
  virtual TDateTime WeekStartFrom(int startDay, TDateTime date);
  virtual TcxCalendarDateTime WeekStartRecord(const TcxCalendarDateTime& record);
  virtual TcxCalendarDateTime WeekStartRecordFrom(const TcxCalendarDateTime& record, int startDay);
  // The calendar's first day of the week, 0 = Sunday.
  virtual int FirstWeekdayIndex() const = 0;
  virtual int WholeWeeksInYear(int year) = 0;

  virtual int MonthCount(int year);
  virtual int MonthCountInEra(int era, int year) = 0;
  virtual int YearOf(TDateTime date);
  virtual int YearOfDateRecord(const TcxCalendarDate& record);
  virtual int YearOfRecord(const TcxCalendarDateTime& record);
  // 0 = Sunday ... 6 = Saturday.
  virtual int WeekdayIndex(TDateTime date);
  virtual int WeekdayIndexOfRecord(const TcxCalendarDateTime& record);
  // Week numbers: startDay 0 = Sunday; firstWeekRule 0 the locale's, 1 the week with the year's
  // first day, 2 the first full week, 3 the first week with four days of the year.
  virtual int WeekNumberOf(int startDay, int firstWeekRule, TDateTime date);
  virtual int WeekNumberOfRecord(const TcxCalendarDateTime& record, int startDay, int firstWeekRule) = 0;

  virtual bool IsExtraDay(int year, int month, int day);
  virtual bool IsExtraDayInEra(int era, int year, int day, int month) = 0;
  virtual bool IsExtraMonth(int year, int month);
  virtual bool IsExtraMonthInEra(int era, int year, int month) = 0;
  virtual bool IsLongYear(int year);
  virtual bool IsLongYearInEra(int era, int year) = 0;
  virtual bool YearInRange(int year);
  virtual bool YearInRangeForEra(int era, int year);
  virtual bool MonthInRange(int year, int month);
  virtual bool MonthInRangeForEra(int era, int year, int month);
  virtual bool DayInRange(int year, int month, int day);
  virtual bool DayInRangeForEra(int era, int year, int day, int month);
  virtual bool DateInRange(TDateTime date);

  virtual TDateTime JoinDateRecord(const TcxCalendarDate& record);
  virtual TDateTime JoinYearMonthDay(int year, int month, int day);
  virtual TDateTime JoinComponents(int year, int month, int day, int hours, int minutes, int seconds,
                                   int milliseconds);
  virtual TDateTime JoinDateTime(const TcxCalendarDateTime& record) = 0;

  // Numbers from typed text; text that is not a number (nor a month name) raises EConvertError.
  virtual int ParseDayText(std::string_view text);
  virtual int ParseMonthText(int year, std::string_view text);
  // One or two digits complete within the calendar's two-digit-year window.
  virtual int ParseYearText(std::string_view text);

  // The era year as a year of the primary era's count: the primary era's offset for era -1, the
  // era's for an index of Eras; any other era leaves it.
  void EraYearToGregorian(int& year, int era) const;
  int EraYearOffsetOf(int era) const;
  // True (and result EarliestDate) when the record's day is not in range.
  bool IsInvalidRecord(const TcxCalendarDateTime& record, TDateTime& result);

protected:
  // The primary era of the calendars without eras: number -1, years 1 to 9999, no offset.
  TcxEra* PlainPrimaryEra() const { return FPlainEra.get(); }
  // The record moved to the era, year and month (its day kept within the month), joined and kept
  // in the supported range; bound when the move left the supported years.
  TDateTime JoinMovedRecord(const TcxCalendarDateTime& record, int era, int year, int month, TDateTime bound);
  // The largest year the calendar's two-digit years reach.
  int TwoDigitYearMax() const;

private:
  TOwned<TcxEras> FEras;
  TOwned<TcxEra> FPlainEra;
};

// --- The Gregorian family ---

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  CL_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)
public:
  TcxGregorianCalendarTable() = default;

  int AlgorithmKind() const override { return 1; }
  int WindowsCalendarId() const override { return 1; }
  TcxEra* PrimaryEra() const override { return PlainPrimaryEra(); }
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int LatestYear() const override { return 9999; }
  int EarliestYear() const override { return 100; }
  int FirstWeekdayIndex() const override { return 0; }

  TcxCalendarDateTime SplitDateTime(TDateTime date) override;
  TDateTime JoinDateTime(const TcxCalendarDateTime& record) override;
  int MonthLengthInEra(int era, int year, int month) override;
  int YearLengthInEra(int era, int year) override;
  int MonthCountInEra(int, int) override { return 12; }
  int WholeWeeksInYear(int year) override;
  int WeekNumberOfRecord(const TcxCalendarDateTime& record, int startDay, int firstWeekRule) override;
  bool IsExtraDayInEra(int era, int year, int day, int month) override;
  bool IsExtraMonthInEra(int era, int year, int month) override;
  bool IsLongYearInEra(int era, int year) override;
};

class TcxGregorianUSEnglishCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxGregorianUSEnglishCalendarTable, TcxGregorianCalendarTable)
public:
  int WindowsCalendarId() const override { return 2; }
};

class TcxGregorianMiddleEastFrenchCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxGregorianMiddleEastFrenchCalendarTable, TcxGregorianCalendarTable)
public:
  int WindowsCalendarId() const override { return 9; }
  int FirstWeekdayIndex() const override { return 1; }
};

class TcxGregorianArabicCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxGregorianArabicCalendarTable, TcxGregorianCalendarTable)
public:
  int WindowsCalendarId() const override { return 10; }
  int FirstWeekdayIndex() const override { return 6; }
};

class TcxGregorianTransliteratedEnglishCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxGregorianTransliteratedEnglishCalendarTable, TcxGregorianCalendarTable)
public:
  int WindowsCalendarId() const override { return 11; }
  int FirstWeekdayIndex() const override { return 1; }
};

class TcxGregorianTransliteratedFrenchCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxGregorianTransliteratedFrenchCalendarTable, TcxGregorianCalendarTable)
public:
  int WindowsCalendarId() const override { return 12; }
  int FirstWeekdayIndex() const override { return 1; }
};

// --- Era calendars on Gregorian arithmetic ---

// One era of a table: number, last and first year, Gregorian year offset, first day.
struct TcxEraRow {
  int Number, LastYear, FirstYear, Offset;
  int StartYear, StartMonth, StartDay;
};

// Gregorian arithmetic in eras: four eras, the last (from 1989-01-08) the primary one. The tables of
// one era derive from it; their era is also their primary era.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  CL_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)
public:
  TcxJapaneseCalendarTable();

  int WindowsCalendarId() const override { return 3; }
  // The last era.
  TcxEra* PrimaryEra() const override;
  // 9999-12-31, and the first era's first day.
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  // The first era's first year, the primary era's last.
  int LatestYear() const override;
  int EarliestYear() const override;

  TcxCalendarDateTime SplitDateTime(TDateTime date) override;
  TDateTime JoinDateTime(const TcxCalendarDateTime& record) override;

protected:
  // The eras, oldest first.
  explicit TcxJapaneseCalendarTable(std::span<const TcxEraRow> eras);
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  CL_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxTaiwanCalendarTable();
  int WindowsCalendarId() const override { return 4; }
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  CL_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxKoreanCalendarTable();
  int WindowsCalendarId() const override { return 5; }
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  CL_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxThaiCalendarTable();
  int WindowsCalendarId() const override { return 7; }
};

// --- The cache ---

using TcxCustomCalendarTableClass = TClassRef<TcxCustomCalendarTable>;

// The class of the table for a Windows calendar identifier: 1 to 12 by the identifier, any other
// value the plain Gregorian table.
TcxCustomCalendarTableClass GetCalendarTableClass(int calendarId);
// The identifier of the table that a calendar identifier maps to (1 for unknown identifiers).
int GetCalendarTableId(int calendarId);
// The first cached table with that identifier, or nullptr.
TcxCustomCalendarTable* FindCalendarTable(int calendarId);
// The cached table for the identifier, made when there is none; nullptr once the unit has shut down.
TcxCustomCalendarTable* GetCalendarTable(int calendarId);
int GetCalendarTableCount();
// The thread locale's calendar type (LOCALE_ICALENDARTYPE) and its table.
int GetLocaleCalendarId();
TcxCustomCalendarTable* GetLocaleCalendarTable();
// Whether the table (nullptr: the locale's) is one of the Gregorian family (1, 2, 9 to 12).
bool IsGregorianCalendar(TcxCustomCalendarTable* table);

// The thread locale's rule for the first week of the year (LOCALE_IFIRSTWEEKOFYEAR + 1): 1 the week
// with January 1, 2 the first full week, 3 the first week with four days.
int GetLocaleFirstWeekRule();

// The calendar information reader (the platform's GetCalendarInfoA); tests put another here.
using TcxGetCalendarInfoFunc = int (*)(LCID locale, CALID calendar, CALTYPE type, LPSTR data, int size,
                                            LPDWORD value);
extern TcxGetCalendarInfoFunc cxGetCalendarInfo;

// A date-time value on a line that runs forward in time: before 1899-12-30 the whole part of a
// value counts back while its fraction still runs forward, so values are compared through this.
double ChronologicalValue(TDateTime date);

// The Gregorian day value of a date, for any year (no range check).
TDateTime GregorianDayValue(int year, int month, int day);
