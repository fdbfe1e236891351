// Calendar tables: dates to records and back in every table, month and year lengths, moves, week
// numbers, typed numbers, the Hebrew year table and the table cache.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxDateUtils.h"

namespace {

std::string Describe(const TcxCalendarDateTime& r)
{
  return std::to_string(r.Era) + ":" + std::to_string(r.Year) + "-" + std::to_string(r.Month) + "-" +
         std::to_string(r.Day);
}

struct TRecordCase {
  int CalendarId;
  TDateTime Date;
  const char* Record;  // era:year-month-day
  bool JoinsBack = true;
};

}  // namespace

TEST(cxCalendarTables, ClassesByCalendarIdentifier)
{
  const struct {
    int Id;
    TClass Class;
  } cases[] = {{0, TcxGregorianCalendarTable::StaticClass()},
               {1, TcxGregorianCalendarTable::StaticClass()},
               {2, TcxGregorianUSEnglishCalendarTable::StaticClass()},
               {3, TcxJapaneseCalendarTable::StaticClass()},
               {4, TcxTaiwanCalendarTable::StaticClass()},
               {5, TcxKoreanCalendarTable::StaticClass()},
               {6, TcxHijriCalendarTable::StaticClass()},
               {7, TcxThaiCalendarTable::StaticClass()},
               {8, TcxHebrewCalendarTable::StaticClass()},
               {9, TcxGregorianMiddleEastFrenchCalendarTable::StaticClass()},
               {10, TcxGregorianArabicCalendarTable::StaticClass()},
               {11, TcxGregorianTransliteratedEnglishCalendarTable::StaticClass()},
               {12, TcxGregorianTransliteratedFrenchCalendarTable::StaticClass()},
               {13, TcxGregorianCalendarTable::StaticClass()},
               {23, TcxGregorianCalendarTable::StaticClass()}};
  for (const auto& c : cases) {
    EXPECT_EQ(GetCalendarTableClass(c.Id).Class(), c.Class) << c.Id;
    TcxCustomCalendarTable* table = GetCalendarTable(c.Id);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->ClassType(), c.Class) << c.Id;
    EXPECT_EQ(table->WindowsCalendarId(), GetCalendarTableId(c.Id));
  }
  // The first weekdays of the Gregorian variants.
  EXPECT_EQ(GetCalendarTable(9)->FirstWeekdayIndex(), 1);
  EXPECT_EQ(GetCalendarTable(10)->FirstWeekdayIndex(), 6);
  EXPECT_EQ(GetCalendarTable(11)->FirstWeekdayIndex(), 1);
  EXPECT_EQ(GetCalendarTable(6)->FirstWeekdayIndex(), 6);
  EXPECT_TRUE(IsGregorianCalendar(GetCalendarTable(12)));
  EXPECT_FALSE(IsGregorianCalendar(GetCalendarTable(3)));
}

TEST(cxCalendarTables, DatesToRecordsAndBack)
{
  const TRecordCase cases[] = {
      {1, D(2024, 2, 29), "-1:2024-2-29"},
      {1, D(100, 1, 1), "-1:100-1-1"},
      {2, D(1999, 12, 31), "-1:1999-12-31"},
      {10, D(2025, 3, 1), "-1:2025-3-1"},
      // Japanese: the era changed on 1989-01-08; before the first era the primary era counts.
      {3, D(1989, 1, 7), "2:64-1-7"},
      {3, D(1989, 1, 8), "3:1-1-8"},
      {3, D(1926, 12, 25), "2:1-12-25"},
      {3, D(1912, 7, 29), "0:45-7-29"},
      {3, D(1868, 9, 8), "0:1-9-8"},
      {3, D(1868, 9, 7), "-1:-120-9-7", false},
      {4, D(2025, 3, 1), "0:114-3-1"},
      {5, D(2025, 3, 1), "0:4358-3-1"},
      {7, D(2025, 3, 1), "0:2568-3-1"},
      {7, D(1, 1, 1), "0:544-1-1"},
      // Hijri: the earliest date is the last day of year 0.
      {6, D(2025, 3, 1), "-1:1446-9-2"},
      {6, D(622, 7, 16), "-1:0-12-28"},
      {6, D(622, 7, 18), "-1:1-1-1"},
      // Hebrew: January 1 in Tevet; the day before 1 Tishri closes the year before, in its last
      // month (Elul, or Elul of a leap year: month 13).
      {8, D(2000, 1, 1), "-1:5760-4-23"},
      {8, D(2025, 1, 1), "-1:5785-4-1"},
      {8, D(2023, 9, 15), "-1:5783-12-29"},
      {8, D(2024, 10, 2), "-1:5784-13-29"},
      {8, D(1583, 1, 1), "-1:5343-4-7"},
      {8, D(2239, 9, 29), "-1:5999-13-29"},
  };
  for (const TRecordCase& c : cases) {
    TcxCustomCalendarTable* table = GetCalendarTable(c.CalendarId);
    const TcxCalendarDateTime record = table->SplitDateTime(ComposeDateTime(c.Date, 0.75));
    EXPECT_EQ(Describe(record), c.Record) << "calendar " << c.CalendarId << ", " << DateToStr(c.Date);
    EXPECT_EQ(record.Hours, 18);
    if (c.JoinsBack) {
      EXPECT_DOUBLE_EQ(table->JoinDateTime(record), ComposeDateTime(c.Date, 0.75))
          << "calendar " << c.CalendarId << ", " << c.Record;
    }
  }
}

TEST(cxCalendarTables, HebrewDatesKnownFromTheCalendar)
{
  // New years, feasts and historic days, as printed calendars give them.
  const struct {
    int Year, Month, Day;
    TDateTime Date;
  } cases[] = {
      {5709, 1, 1, D(1948, 10, 4)},   {5734, 1, 10, D(1973, 10, 6)}, {5760, 1, 1, D(1999, 9, 11)},
      {5761, 1, 1, D(2000, 9, 30)},   {5784, 1, 1, D(2023, 9, 16)},  {5785, 1, 1, D(2024, 10, 3)},
      {5786, 1, 1, D(2025, 9, 23)},   {5784, 8, 15, D(2024, 4, 23)}, {5785, 3, 25, D(2024, 12, 26)},
      {5708, 9, 5, D(1948, 5, 14)},
  };
  TcxCustomCalendarTable* table = GetCalendarTable(8);
  for (const auto& c : cases) {
    EXPECT_EQ(table->JoinYearMonthDay(c.Year, c.Month, c.Day), c.Date) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(Describe(table->SplitDateTime(c.Date)),
              "-1:" + std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" + std::to_string(c.Day));
  }
  // The supported range ends the day before 1 Tishri 6000.
  EXPECT_EQ(TruncateToDate(table->LatestDate()) + 1, D(2239, 9, 30));
}

TEST(cxCalendarTables, TheGeneratedHebrewYearTableHoldsItsTellingRows)
{
  auto* table = static_cast<TcxHebrewCalendarTable*>(GetCalendarTable(8));
  const struct {
    int GregorianYear, Code, Type;
  } rows[] = {{1583, 7, 3}, {1584, 17, 3}, {1585, 0, 4}, {2000, 23, 6}, {2024, 20, 4}, {2025, 1, 3}, {2239, 24, 6}};
  for (const auto& row : rows) {
    EXPECT_EQ(table->YearEntry(row.GregorianYear).January1Code, row.Code) << row.GregorianYear;
    EXPECT_EQ(table->YearEntry(row.GregorianYear).RawYearType, row.Type) << row.GregorianYear;
  }
  // Every entry is a valid year whose length the next year's new year confirms.
  for (int year = 5343; year < 5999; ++year)
    ASSERT_EQ(table->JoinYearMonthDay(year, 1, 1) + table->YearLength(year), table->JoinYearMonthDay(year + 1, 1, 1))
        << year;
}

TEST(cxCalendarTables, MonthsAndYearsOfTheLunarCalendars)
{
  TcxCustomCalendarTable* hebrew = GetCalendarTable(8);
  EXPECT_EQ(hebrew->MonthCount(5784), 13);
  EXPECT_EQ(hebrew->YearLength(5784), 383);
  EXPECT_TRUE(hebrew->IsExtraMonth(5784, 7));
  EXPECT_EQ(hebrew->MonthCount(5785), 12);
  EXPECT_EQ(hebrew->YearLength(5785), 355);
  EXPECT_FALSE(hebrew->IsExtraMonth(5785, 7));
  EXPECT_EQ(hebrew->YearLength(6000), 0);
  EXPECT_EQ(hebrew->MonthLength(5785, 13), 0);

  TcxCustomCalendarTable* hijri = GetCalendarTable(6);
  EXPECT_TRUE(hijri->IsLongYear(2));
  EXPECT_EQ(hijri->YearLength(2), 355);
  EXPECT_EQ(hijri->MonthLength(2, 12), 30);
  EXPECT_TRUE(hijri->IsExtraDay(2, 12, 30));
  EXPECT_FALSE(hijri->IsLongYear(16));
  EXPECT_EQ(hijri->MonthLength(16, 12), 29);
  EXPECT_TRUE(hijri->IsLongYear(15));
}

TEST(cxCalendarTables, MovesStayInTheMonthAndStopAtTheSupportedRange)
{
  TcxCustomCalendarTable* gregorian = GetCalendarTable(1);
  TcxCustomCalendarTable* japanese = GetCalendarTable(3);
  TcxCustomCalendarTable* hebrew = GetCalendarTable(8);
  const struct {
    TcxCustomCalendarTable* Table;
    TDateTime From;
    int Months, Years;
    TDateTime To;
  } cases[] = {
      {gregorian, D(2024, 1, 31), 1, 0, D(2024, 2, 29)},
      {gregorian, D(2023, 1, 31), 1, 0, D(2023, 2, 28)},
      {gregorian, D(2024, 3, 31), -1, 0, D(2024, 2, 29)},
      {gregorian, D(2024, 11, 15), 14, 0, D(2026, 1, 15)},
      {gregorian, D(2024, 2, 29), 0, 1, D(2025, 2, 28)},
      {gregorian, D(9999, 12, 15), 1, 0, gregorian->LatestDate()},
      {gregorian, D(100, 1, 15), -1, 0, gregorian->EarliestDate()},
      {gregorian, D(2000, 1, 1), 2000000000, 0, gregorian->LatestDate()},
      {gregorian, D(2000, 1, 1), 0, -9000, gregorian->EarliestDate()},
      // Taisho 1 a year back is Meiji 44; Heisei 3 five years back Showa 61.
      {japanese, D(1912, 8, 1), 0, -1, D(1911, 8, 1)},
      {japanese, D(1991, 5, 5), 0, -5, D(1986, 5, 5)},
      {japanese, D(1991, 5, 5), -60, 0, D(1986, 5, 5)},
      // Before the first era: the earliest date.
      {japanese, D(1868, 10, 1), -1, 0, japanese->EarliestDate()},
      // Adar I 30 of a leap year to Adar II, which has 29 days.
      {hebrew, D(2024, 3, 10), 1, 0, D(2024, 4, 8)},
      {hebrew, D(2239, 1, 1), 0, 1, hebrew->LatestDate()},
  };
  for (const auto& c : cases) {
    const TDateTime moved =
        c.Months ? c.Table->ShiftDateByMonths(c.From, c.Months) : c.Table->ShiftDateByYears(c.From, c.Years);
    EXPECT_DOUBLE_EQ(moved, c.To) << c.Table->ClassName() << " " << DateToStr(c.From) << " by " << c.Months << " months, "
                                  << c.Years << " years";
  }
  EXPECT_EQ(Describe(hebrew->SplitDateTime(D(2024, 3, 10))), "-1:5784-6-30");
  EXPECT_DOUBLE_EQ(gregorian->ShiftDateByWeeks(D(2024, 12, 30), 1), D(2025, 1, 6));
  EXPECT_DOUBLE_EQ(gregorian->ShiftDateByWeeks(D(2024, 12, 30), -2000000000), gregorian->EarliestDate());
  // An invalid record gives the earliest date.
  EXPECT_DOUBLE_EQ(gregorian->ShiftByMonths({-1, 2024, 2, 30}, 1), gregorian->EarliestDate());
}

TEST(cxCalendarTables, WeekNumbers)
{
  TcxCustomCalendarTable* gregorian = GetCalendarTable(1);
  const struct {
    TDateTime Date;
    int StartDay, Rule, Week;
  } cases[] = {
      // Monday weeks with four days in the new year: the ISO weeks.
      {D(2005, 1, 1), 1, 3, 53},  {D(2008, 12, 29), 1, 3, 1}, {D(2021, 1, 4), 1, 3, 1}, {D(2020, 12, 31), 1, 3, 53},
      // Sunday weeks from the week with January 1.
      {D(2025, 1, 1), 0, 1, 1},   {D(2024, 12, 29), 0, 1, 1}, {D(2024, 12, 28), 0, 1, 52}, {D(2025, 1, 5), 0, 1, 2},
      // The first full week.
      {D(2025, 1, 4), 0, 2, 52},  {D(2025, 1, 5), 0, 2, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gregorian->WeekNumberOf(c.StartDay, c.Rule, c.Date), c.Week)
        << DateToStr(c.Date) << " start " << c.StartDay << " rule " << c.Rule;
  // The Hebrew calendar counts weeks from Sunday, whatever the start day asked for.
  TcxCustomCalendarTable* hebrew = GetCalendarTable(8);
  EXPECT_EQ(hebrew->WeekNumberOf(1, 1, D(2024, 10, 3)), 1);   // 1 Tishri 5785, a Thursday
  EXPECT_EQ(hebrew->WeekNumberOf(1, 1, D(2024, 10, 6)), 2);   // the Sunday after
  EXPECT_EQ(hebrew->WeekNumberOf(4, 1, D(2024, 10, 6)), 2);
}

TEST(cxCalendarTables, NumbersFromTypedText)
{
  TScopedFormatSettings settings(LocaleEnUS);
  TcxCustomCalendarTable* gregorian = GetCalendarTable(1);
  EXPECT_EQ(gregorian->ParseMonthText(2025, "FEB"), 2);
  EXPECT_EQ(gregorian->ParseMonthText(2025, "march"), 3);
  EXPECT_EQ(gregorian->ParseMonthText(2025, "11"), 11);
  EXPECT_EQ(gregorian->ParseDayText("07"), 7);
  EXPECT_THROW(gregorian->ParseMonthText(2025, "Fab"), EConvertError);
  EXPECT_THROW(gregorian->ParseDayText("x"), EConvertError);
  EXPECT_EQ(gregorian->ParseYearText("2005"), 2005);

  // Two digits complete below the calendar's two-digit-year maximum.
  static int GCalendarAsked = 0;
  TScopedSeam<TcxGetCalendarInfoFunc> info(cxGetCalendarInfo, [](LCID, CALID calendar, CALTYPE type, LPSTR, int,
                                                                  LPDWORD value) -> int {
    GCalendarAsked = static_cast<int>(calendar);
    if (type != (CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER)) return 0;
    *value = 2029;
    return sizeof(DWORD);
  });
  EXPECT_EQ(gregorian->ParseYearText("05"), 2005);
  EXPECT_EQ(gregorian->ParseYearText("45"), 1945);
  EXPECT_EQ(gregorian->ParseYearText("29"), 2029);
  EXPECT_EQ(gregorian->ParseYearText("30"), 1930);
  EXPECT_EQ(GetCalendarTable(7)->ParseYearText("5"), 2005);
  EXPECT_EQ(GCalendarAsked, 7);
}

TEST(cxCalendarTables, HebrewLetterNumerals)
{
  TcxCustomCalendarTable* hebrew = GetCalendarTable(8);
  // Tav, shin, pe, he: 400 + 300 + 80 + 5.
  EXPECT_EQ(hebrew->ParseYearText("\xFA\xF9\xF4\xE4"), 5785);
  // Yod-he is 15; final kaf, pe and tsadi count as their letters.
  EXPECT_EQ(hebrew->ParseDayText("\xE9\xE4"), 15);
  EXPECT_EQ(HebrewLetterValue("\xEA"), 20);
  EXPECT_EQ(HebrewLetterValue("\xF3"), 80);
  EXPECT_EQ(HebrewLetterValue("\xF5"), 90);
  EXPECT_EQ(HebrewLetterValue("\xED\xEF"), 90);  // final mem and nun
  EXPECT_EQ(hebrew->ParseMonthText(5785, "\xE3"), 4);  // dalet
  EXPECT_EQ(hebrew->ParseDayText("12"), 12);
  EXPECT_THROW(hebrew->ParseDayText("x"), EConvertError);
}

TEST(cxCalendarTables, OneTableForEveryIdentifierItMapsTo)
{
  // Identifiers without a table of their own (Wine's 23 for ar-SA) share the Gregorian table.
  TcxCustomCalendarTable* first = GetCalendarTable(23);
  const int count = GetCalendarTableCount();
  for (int i = 0; i < 100; ++i) EXPECT_EQ(GetCalendarTable(23), first);
  EXPECT_EQ(GetCalendarTable(1), first);
  EXPECT_EQ(GetCalendarTableCount(), count);

  // A table freed by somebody leaves the cache, and the next request makes a new one.
  TcxCustomCalendarTable* thai = GetCalendarTable(7);
  const int withThai = GetCalendarTableCount();
  Free(thai);
  EXPECT_EQ(GetCalendarTableCount(), withThai - 1);
  EXPECT_EQ(FindCalendarTable(7), nullptr);
  EXPECT_NE(GetCalendarTable(7), nullptr);
  EXPECT_EQ(GetCalendarTableCount(), withThai);
}

TEST(cxCalendarTables, DayIndexInWeekFollowsTheStartOfWeek)
{
  // 2025-03-02 is a Sunday.
  const TDateTime sunday = D(2025, 3, 2);
  const struct {
    int StartOfWeek;
    int Indexes[7];  // Sunday to Saturday
  } cases[] = {{0, {0, 1, 2, 3, 4, 5, 6}}, {1, {6, 0, 1, 2, 3, 4, 5}}, {6, {1, 2, 3, 4, 5, 6, 0}}};
  for (const auto& c : cases) {
    TScopedSeam<int> start(StartOfWeekOverride, c.StartOfWeek);
    for (int day = 0; day < 7; ++day) EXPECT_EQ(DayIndexInWeek(sunday + day), c.Indexes[day]) << c.StartOfWeek;
  }
  // Without the override, the locale's first day: Monday in China, Sunday in the United States.
  EXPECT_EQ(DayIndexInWeek(sunday), 6);
  {
    TScopedThreadLocale english(LocaleEnUS);
    EXPECT_EQ(DayIndexInWeek(sunday), 0);
  }
}
