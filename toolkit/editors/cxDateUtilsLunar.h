#pragma once
// The calendar tables whose arithmetic is not Gregorian: the arithmetic lunar (Hijri) calendar and
// the lunisolar Hebrew calendar. Both keep no eras and own a plain primary era.
#include <array>
#include <cstdint>
#include "toolkit/editors/cxDateUtilsCalendars.h"

// Windows calendar 6: twelve months of 30 and 29 days in turn, the twelfth of 30 days in the eleven
// leap years of each cycle of 30 years.
class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  CL_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)
public:
  TcxHijriCalendarTable() = default;

  int AlgorithmKind() const override { return 2; }
  int WindowsCalendarId() const override { return 6; }
  TcxEra* PrimaryEra() const override { return PlainPrimaryEra(); }
  // 0622-07-16 (the last day of year 0) to 9999-12-31 23:59:59.999.
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int LatestYear() const override { return 9666; }
  int EarliestYear() const override { return 1; }
  int FirstWeekdayIndex() const override { return 6; }
  int WholeWeeksInYear(int) override { return 50; }
  int MonthCountInEra(int, int) override { return 12; }

  TcxCalendarDateTime SplitDateTime(TDateTime date) override;
  TDateTime JoinDateTime(const TcxCalendarDateTime& record) override;
  int MonthLengthInEra(int era, int year, int month) override;
  int YearLengthInEra(int era, int year) override;
  int WeekNumberOfRecord(const TcxCalendarDateTime& record, int startDay, int firstWeekRule) override;
  bool IsExtraDayInEra(int era, int year, int day, int month) override;
  bool IsExtraMonthInEra(int era, int year, int month) override;
  bool IsLongYearInEra(int era, int year) override;
  // The calendar's own month names first, then the base rule.
  int ParseMonthText(int year, std::string_view text) override;
};

// One year of the Hebrew year table, for the Gregorian year it belongs to (Hebrew year = Gregorian
// year + 3760).
struct TcxHebrewYearEntry {
  // The Hebrew date of January 1: 1 to 29 day 1 to 29 of Tevet (month 4), 30 day 30 of Kislev, 33
  // day 29 of Kislev, 0, 31 and 32 day 1, 2 and 3 of Shevat.
  int32_t January1Code;
  // 1 deficient, 2 regular, 3 complete common year (353, 354, 355 days); 4 to 6 the same leap
  // years (383, 384, 385 days).
  int32_t RawYearType;
};

// Windows calendar 8 for the Gregorian years 1583 to 2239 (Hebrew years 5343 to 5999). Months count
// from Tishri (1); in a leap year month 6 is Adar I and month 7 Adar II. The year table is made from
// the calendar's rules when the program is built and read from the program's resources.
class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  CL_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)
public:
  static constexpr int FirstGregorianYear = 1583;
  static constexpr int YearCount = 657;

  // Raises EResNotFound when the program lacks the year table.
  TcxHebrewCalendarTable();

  int AlgorithmKind() const override { return 3; }
  int WindowsCalendarId() const override { return 8; }
  TcxEra* PrimaryEra() const override { return PlainPrimaryEra(); }
  // 1583-01-01 to 2239-09-29 23:59:59.999.
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int LatestYear() const override { return 5999; }
  int EarliestYear() const override { return 5343; }
  int FirstWeekdayIndex() const override { return 0; }
  int WholeWeeksInYear(int year) override;
  int MonthCountInEra(int era, int year) override;

  TcxCalendarDateTime SplitDateTime(TDateTime date) override;
  TDateTime JoinDateTime(const TcxCalendarDateTime& record) override;
  int MonthLengthInEra(int era, int year, int month) override;
  int YearLengthInEra(int era, int year) override;
  int WeekNumberOfRecord(const TcxCalendarDateTime& record, int startDay, int firstWeekRule) override;
  bool IsExtraDayInEra(int era, int year, int day, int month) override;
  bool IsExtraMonthInEra(int era, int year, int month) override;
  bool IsLongYearInEra(int era, int year) override;
  // Hebrew letter numerals first (the text's bytes in code page 1255), then month names, then the
  // base rules; a year in letters counts from 5000.
  int ParseDayText(std::string_view text) override;
  int ParseMonthText(int year, std::string_view text) override;
  int ParseYearText(std::string_view text) override;

  // The table's entry for a Gregorian year from 1583 to 2239.
  const TcxHebrewYearEntry& YearEntry(int gregorianYear) const { return FYears[gregorianYear - FirstGregorianYear]; }
  // The year table's type of a Hebrew year, 0 outside the range; the type less 3 for a leap year.
  int RawYearType(int year) const;
  int YearType(int year) const;

private:
  std::array<TcxHebrewYearEntry, YearCount> FYears;
};

// The value of a text as Hebrew letter numerals (bytes of code page 1255): the sum of its letters'
// values, final forms counted as their letters; 0 when it has no letters.
int HebrewLetterValue(std::string_view text);
