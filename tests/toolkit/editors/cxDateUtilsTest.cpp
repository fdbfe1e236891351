// Date text: dates to text and captions, typed text to dates through both parse paths and in the
// locale's own calendar, the smart-input mask and the month and day helpers.
#include <gtest/gtest.h>
#include <string>
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxDateUtils.h"
#include "toolkit/editors/cxFormats.h"

namespace {

// The class library's settings and the controller's formats as the test leaves them, rebuilt.
class cxDateTextTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings;
  void TearDown() override
  {
    GetFormatController()->SetUseClassLibraryFormats(false);
    FormatSettings() = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
    GetFormatController()->Refresh();
  }
};

const TDateTime March1 = D(2025, 3, 1);
const TDateTime March1Afternoon = D(2025, 3, 1) + EncodeTime(13, 45, 10, 0);

}  // namespace

TEST_F(cxDateTextTest, DatesAsText)
{
  EXPECT_EQ(DateToText(false, false, NullDate), "");
  EXPECT_EQ(DateToLocalText(March1), "2025/3/1");
  EXPECT_EQ(DateToLocalText(March1Afternoon), "2025/3/1 13:45:10");
  {
    // A two-digit year is widened on request, in the locale's format and the class library's.
    TScopedUserLocaleInfo shortDate(LOCALE_SSHORTDATE, "d/M/yy");
    ASSERT_TRUE(shortDate.Set());
    EXPECT_EQ(DateToText(false, false, March1), "1/3/25");
    EXPECT_EQ(DateToText(true, false, March1), "1/3/2025");
  }
  FormatSettings().ShortDateFormat = "d/m/yy";
  FormatSettings().DateSeparator = '-';
  EXPECT_EQ(DateToText(true, true, March1), "1-3-2025");
  EXPECT_EQ(DateToText(false, true, March1), "1-3-25");

  // What a date editor shows.
  FormatSettings() = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
  GetFormatController()->Refresh();
  EXPECT_EQ(FormatDateForEdit(true, false, false, March1Afternoon), "2025/03/01");
  EXPECT_EQ(FormatDateForEdit(true, true, false, March1Afternoon), "2025/03/01 13:45:10");
  EXPECT_EQ(FormatDateForEdit(false, false, false, March1), "2025/3/1");
  EXPECT_EQ(FormatDateForEdit(true, true, false, NullDate), "");
}

TEST_F(cxDateTextTest, CaptionsOfTheLocaleAndOfTheClassLibrary)
{
  TcxCustomCalendarTable* gregorian = GetCalendarTable(1);
  EXPECT_EQ(GetDayText(March1), "1");
  EXPECT_EQ(GetMonthName(gregorian, March1), "三月");
  EXPECT_EQ(GetMonthNameOf(2025, 12, gregorian), "十二月");
  EXPECT_EQ(GetMonthNameOf(2025, 13, gregorian), "");
  EXPECT_EQ(GetYearText(nullptr, March1), "2025");
  EXPECT_EQ(GetMonthYearCaption(gregorian, March1), "2025年3月");
  {
    // Without the calendar's year-month format, "MMMM yyyy".
    TScopedSeam<TcxGetCalendarInfoFunc> none(cxGetCalendarInfo, [](LCID, CALID, CALTYPE, LPSTR, int, LPDWORD) { return 0; });
    EXPECT_EQ(GetMonthYearCaption(gregorian, March1), "三月 2025");
  }
  // The class library's names for Gregorian dates.
  FormatSettings() = GetLocaleFormatSettings(LocaleEnUS);
  GetFormatController()->SetUseClassLibraryFormats(true);
  EXPECT_EQ(GetMonthName(gregorian, March1), "March");
  EXPECT_EQ(GetMonthYearCaption(gregorian, March1), "2025年03月");
  std::string text;
  EXPECT_TRUE(FormatLocaleDate(text, 0, "dddd d 'of' mmmm yy", March1));
  EXPECT_EQ(text, "Saturday 1 of March 25");
  EXPECT_EQ(GetDayNameText(1, ANSI_CHARSET), "M");
}

TEST_F(cxDateTextTest, DayNamesCutToOneCharacter)
{
  // The Chinese names keep their last character: "一" of "周一".
  EXPECT_EQ(GetDayNameText(1, GB2312_CHARSET), "一");
  EXPECT_EQ(GetDayNameText(7, GB2312_CHARSET), "日");
  EXPECT_EQ(GetDayNameText(1, ANSI_CHARSET), "周");
  EXPECT_EQ(GetDayNameText(0, GB2312_CHARSET), "");
  EXPECT_EQ(GetDayNameText(8, GB2312_CHARSET), "");
  TScopedThreadLocale english(LocaleEnUS);
  EXPECT_EQ(GetDayNameText(2, ANSI_CHARSET), "T");
  TScopedSeam<bool> whole(cxUseSingleCharWeekNames, false);
  // The shortest names from Windows Vista on, the abbreviated ones before.
  {
    TScopedSeam<bool> vista(WinVistaOrLater, true);
    EXPECT_EQ(GetDayNameText(1, ANSI_CHARSET), ReadLocaleString(LocaleEnUS, LOCALE_SSHORTESTDAYNAME1, ""));
  }
  TScopedSeam<bool> xp(WinVistaOrLater, false);
  EXPECT_EQ(GetDayNameText(1, ANSI_CHARSET), "Mon");
}

TEST_F(cxDateTextTest, TypedDatesThroughBothParsePaths)
{
  struct TCase {
    LCID Locale;
    const char* Text;
    TDateTime Variant, ClassLibrary;  // NullDate: not a date
  };
  const TCase cases[] = {
      {LocaleZhCN, "2025/3/1", March1, March1},
      {LocaleZhCN, " 2025/3/1  13:45:10 ", March1Afternoon, March1Afternoon},
      {LocaleZhCN, "2025/13/32", NullDate, NullDate},
      {LocaleZhCN, "abc", NullDate, NullDate},
      {LocaleZhCN, "", NullDate, NullDate},
      {LocaleEnUS, "3/1/2025", March1, March1},
      {LocaleEnUS, "3/1/2025 1:45:10 PM", March1Afternoon, March1Afternoon},
      // Only the platform's parsing reads month names.
      {LocaleEnUS, "March 1, 2025", March1, NullDate},
  };
  for (const TCase& c : cases) {
    TScopedThreadLocale locale(c.Locale);
    GetFormatController()->Refresh();
    for (bool variant : {true, false}) {
      const TDateTime expected = variant ? c.Variant : c.ClassLibrary;
      TDateTime date = 0;
      EXPECT_EQ(ParseDateText(c.Text, variant, date), expected != NullDate) << c.Text << (variant ? " variant" : "");
      EXPECT_DOUBLE_EQ(date, expected) << c.Text << (variant ? " variant" : "");
      EXPECT_DOUBLE_EQ(TextToDate(c.Text, !variant), expected) << c.Text << (variant ? " variant" : "");
    }
  }
}

TEST_F(cxDateTextTest, TypedTextThatIsNoDateGivesTheNullDate)
{
  const char* const texts[] = {"",          "   ",        "//",    "1/1/1/1/1", "\xFF",   "+",     "todayx",
                               "today x",   "eom+",       "eom+x", "99999/1/1", "0/0/0",  "1e300", "2025/2/30",
                               "9999999999", "-2147483649"};
  for (const char* text : texts) {
    for (bool classLibrary : {false, true}) EXPECT_EQ(TextToDate(text, classLibrary), NullDate) << text;
    TDateTime date = 0;
    EXPECT_FALSE(TryTextToDate(text, date)) << text;
    EXPECT_EQ(date, NullDate);
  }
}

TEST_F(cxDateTextTest, LiteralWordsOfTheFormatsAreBlankedOut)
{
  FormatSettings().ShortDateFormat = "yyyy \"de\" m/d";
  GetFormatController()->Refresh();
  // The date separator, the time separator and the designators stay.
  EXPECT_EQ(NormalizeDateText("2025 DE 3/1  下午", false), "2025 3/1 下午");
  EXPECT_EQ(NormalizeDateText("2025 de 3/1  下午", true), "2025 3 1 下午");
  EXPECT_EQ(NormalizeDateText("2025de3/1 1:02", false), "2025 3/1 1:02");
}

TEST_F(cxDateTextTest, TextInTheLocaleCalendar)
{
  {
    TScopedUserLocaleInfo hebrew(LOCALE_ICALENDARTYPE, "8");
    ASSERT_TRUE(hebrew.Set());
    EXPECT_FALSE(IsGregorianCalendar(nullptr));
    EXPECT_EQ(CalendarTextToDate("5785/4/1"), D(2025, 1, 1));
    EXPECT_EQ(CalendarTextToDate("\xFA\xF9\xF4\xE4/4/1"), D(2025, 1, 1));
    EXPECT_EQ(CalendarTextToDate("5785/4/1 13:45:10"), D(2025, 1, 1) + EncodeTime(13, 45, 10, 0));
    EXPECT_EQ(TextToDate("5760/4/23", false), D(2000, 1, 1));
    EXPECT_THROW(CalendarTextToDate("5785/x/1"), EConvertError);
    TDateTime date = 0;
    EXPECT_FALSE(ParseDateText("5785/x/1", true, date));
    EXPECT_EQ(date, NullDate);
    EXPECT_EQ(FormatDateForEdit(true, false, false, D(2025, 1, 1)), DateToLocalText(D(2025, 1, 1)));
  }
  {
    // Parsing leaves the locale's table in the cache, where earlier callers still hold it.
    TScopedUserLocaleInfo hijri(LOCALE_ICALENDARTYPE, "6");
    ASSERT_TRUE(hijri.Set());
    TWeakRef<TcxCustomCalendarTable> table = GetLocaleCalendarTable();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->WindowsCalendarId(), 6);
    const int count = GetCalendarTableCount();
    EXPECT_EQ(CalendarTextToDate("1446/9/2"), March1);
    EXPECT_TRUE(table);
    EXPECT_EQ(GetLocaleCalendarTable(), table.Get());
    EXPECT_EQ(GetCalendarTableCount(), count);
  }
  {
    // An era name before the year: the era whose years the name counts.
    TScopedUserLocaleInfo japanese(LOCALE_ICALENDARTYPE, "3");
    TScopedUserLocaleInfo shortDate(LOCALE_SSHORTDATE, "gg yyyy/M/d");
    ASSERT_TRUE(japanese.Set() && shortDate.Set());
    FormatSettings().Eras = {{"平成", 1988}, {"昭和", 1925}, {"大正", 1911}};
    TScopedSeam<TcxGetCalendarInfoFunc> twoDigits(cxGetCalendarInfo, [](LCID, CALID, CALTYPE, LPSTR, int, LPDWORD value) {
      *value = 99;
      return 4;
    });
    EXPECT_EQ(CalendarTextToDate("平成 5/3/1"), D(1993, 3, 1));
    EXPECT_EQ(CalendarTextToDate("昭和64/1/7"), D(1989, 1, 7));
    EXPECT_EQ(CalendarTextToDate("大正 1/8/1"), D(1912, 8, 1));
  }
  // Other locale calendars are read as Gregorian dates.
  EXPECT_EQ(CalendarTextToDate("2025/3/1"), March1);
}

TEST_F(cxDateTextTest, SmartInputMaskAndWords)
{
  std::string mask = "X";
  AddSmartInputToRegExprMask(mask, false);
  EXPECT_EQ(mask,
            "(X)|('today'|'yesterday'|'tomorrow'|'Sunday'|'Monday'|'Tuesday'|'Wednesday'|'Thursday'|'Friday'|"
            "'Saturday'|'first'|'second'|'third'|'fourth'|'fifth'|'sixth'|'seventh'|'bom'|'eom')"
            "((\\+|-)\\d(\\d(\\d\\d?)?)?)?");
  mask = "X";
  AddSmartInputToRegExprMask(mask, true);
  EXPECT_TRUE(mask.ends_with("|'eom'|'now')((\\+|-)\\d(\\d(\\d\\d?)?)?)?"));
  EXPECT_EQ(QuoteRegExprText("it's"), "'it'\\''s'");
  EXPECT_EQ(QuoteRegExprText("'"), "\\'");

  const struct {
    const char* Text;
    int Index;  // -1: no word
  } words[] = {{"today", 0}, {"TODAY-3", 0}, {"tomorrow + 1", 2}, {"sunday", 3}, {"Saturday", 9},
               {"seventh", 16}, {"EOM-1", 18}, {"now", 19}, {"to", -1}, {"+3", -1}, {"", -1}};
  for (const auto& w : words) {
    int index = -1;
    EXPECT_EQ(MatchSmartWord(w.Text, index), w.Index >= 0) << w.Text;
    if (w.Index >= 0) {
      EXPECT_EQ(index, w.Index) << w.Text;
    }
  }
  TDateTime date = 7;
  for (const char* text : {"todayx", "today +", "today+3x", "+3", "today++3", "today+$10"}) {
    EXPECT_FALSE(SmartTextToDate(text, date)) << text;
    EXPECT_EQ(date, 7) << text;
  }
}

TEST(cxDateHelpers, MonthsDaysAndOrders)
{
  const struct {
    int Year, Month, Delta, ToYear, ToMonth, Years;
  } shifts[] = {{2024, 1, -1, 2023, 12, 0}, {2024, 11, 14, 2026, 1, 1}, {2024, 3, -27, 2021, 12, -2},
                {2024, 12, 1, 2025, 1, 0},  {2024, 6, 0, 2024, 6, 0}};
  for (const auto& s : shifts) {
    int year = s.Year, month = s.Month;
    EXPECT_EQ(ShiftMonth(year, month, s.Delta), s.Years) << s.Year << "-" << s.Month << " by " << s.Delta;
    EXPECT_EQ(year, s.ToYear);
    EXPECT_EQ(month, s.ToMonth);
  }
  int year = 2025, month = 1;
  StepMonthBack(year, month);
  EXPECT_EQ(year * 100 + month, 202412);
  StepMonthForward(year, month);
  EXPECT_EQ(year * 100 + month, 202501);

  const struct {
    const char* Format;
    int Order;
  } orders[] = {{"M/d/yyyy", 0}, {"dd.MM.yyyy", 1}, {"yyyy/M/d", 2}, {"gg ee/M/d", 2}, {"'day' M d", 0},
                {"眒d/M", 1}, {"誽M/d", 0},    {"", 0}};
  for (const auto& o : orders) EXPECT_EQ(GetDateOrder(o.Format), o.Order) << o.Format;

  EXPECT_EQ(ClampDay(2024, 2, 31), 29);
  EXPECT_EQ(ClampDay(2023, 2, 0), 1);
  EXPECT_EQ(MonthDayCount(2100, 2), 28);
  EXPECT_TRUE(IsGregorianLeapYear(2000));
  EXPECT_TRUE(IsSupportedDate(NullDate));
  EXPECT_TRUE(IsSupportedDate(ComposeDateTime(D(100, 1, 1), 0.5)));
  EXPECT_FALSE(IsSupportedDate(D(99, 12, 31)));
  EXPECT_DOUBLE_EQ(ExtractTimePart(ComposeDateTime(D(1800, 1, 1), 0.25)), 0.25);
  EXPECT_DOUBLE_EQ(TruncateToDate(ComposeDateTime(D(1800, 1, 1), 0.25)), D(1800, 1, 1));
  EXPECT_EQ(GetDatePart(0, GetCalendarTable(8), March1), 5785);
  EXPECT_EQ(GetDatePart(1, GetCalendarTable(8), March1), 6);
  EXPECT_EQ(GetDatePart(2, nullptr, March1), 1);
}

TEST_F(cxDateTextTest, SmartWordsAgainstTheClock)
{
  struct TCase {
    const char* Text;
    TDateTime China, America;  // Monday and Sunday weeks
  };
  const TDateTime clock = D(2025, 3, 5) + EncodeTime(10, 30, 15, 250);  // a Wednesday
  const TCase wednesday[] = {
      {"today", D(2025, 3, 5), D(2025, 3, 5)},
      {"Today + 3", D(2025, 3, 8), D(2025, 3, 8)},
      {"YESTERDAY", D(2025, 3, 4), D(2025, 3, 4)},
      {"tomorrow-2", D(2025, 3, 4), D(2025, 3, 4)},
      {"bom", D(2025, 3, 1), D(2025, 3, 1)},
      {"bom+31", D(2025, 4, 1), D(2025, 4, 1)},
      {"eom-1", D(2025, 3, 30), D(2025, 3, 30)},
      {"eom - 1000", D(2022, 7, 5), D(2022, 7, 5)},
      // The next day of that name, today included.
      {"Wednesday", D(2025, 3, 5), D(2025, 3, 5)},
      {"sunday", D(2025, 3, 9), D(2025, 3, 9)},
      {"Monday", D(2025, 3, 10), D(2025, 3, 10)},
      // The days of the current week.
      {"first", D(2025, 3, 3), D(2025, 3, 2)},
      {"seventh", D(2025, 3, 9), D(2025, 3, 8)},
      {"third+7", D(2025, 3, 12), D(2025, 3, 11)},
      // Now keeps the time.
      {"now", clock, clock},
      {"now+1", clock + 1, clock + 1},
  };
  TScopedClock at(2025, 3, 5, 10, 30, 15, 250);
  for (LCID locale : {LocaleZhCN, LocaleEnUS}) {
    TScopedThreadLocale scoped(locale);
    GetFormatController()->Refresh();
    for (const TCase& c : wednesday) {
      const TDateTime expected = locale == LocaleZhCN ? c.China : c.America;
      TDateTime date = 0;
      EXPECT_TRUE(SmartTextToDate(c.Text, date)) << c.Text;
      EXPECT_DOUBLE_EQ(date, expected) << c.Text << " " << std::hex << locale;
      EXPECT_DOUBLE_EQ(TextToDate(c.Text, false), expected) << c.Text;
      EXPECT_DOUBLE_EQ(TextToDate(c.Text, true), expected) << c.Text;
    }
  }
  // On a Sunday, "Sunday" is today; in a Monday week the first day was six days before.
  TScopedClock sunday(2025, 3, 2, 0, 0, 0, 0);
  TDateTime date = 0;
  EXPECT_TRUE(SmartTextToDate("Sunday", date));
  EXPECT_EQ(date, D(2025, 3, 2));
  EXPECT_TRUE(SmartTextToDate("first", date));
  EXPECT_EQ(date, D(2025, 2, 24));
  TScopedSeam<int> sundayWeeks(StartOfWeekOverride, 0);
  EXPECT_TRUE(SmartTextToDate("first", date));
  EXPECT_EQ(date, D(2025, 3, 2));
}

TEST(cxDateHelpers, TwoDigitYearsWithoutTheCalendarsAnswerUseTheClassLibrarysWindow)
{
  TScopedSeam<TcxGetCalendarInfoFunc> none(cxGetCalendarInfo, [](LCID, CALID, CALTYPE, LPSTR, int, LPDWORD) { return 0; });
  TScopedFormatSettings settings;
  TScopedClock at(2025, 6, 1, 12, 0, 0, 0);
  TcxCustomCalendarTable* gregorian = GetCalendarTable(1);
  FormatSettings().TwoDigitYearCenturyWindow = 50;
  EXPECT_EQ(gregorian->ParseYearText("74"), 2074);
  EXPECT_EQ(gregorian->ParseYearText("75"), 1975);
  EXPECT_EQ(gregorian->ParseYearText("5"), 2005);
  FormatSettings().TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(gregorian->ParseYearText("99"), 2099);
  EXPECT_EQ(gregorian->ParseYearText("00"), 2000);
}
