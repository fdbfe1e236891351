// Date encoding, text forms through the locale's formats, and file dates. Nothing here depends on
// the machine's time zone: local times are only compared with local times.
#include <gtest/gtest.h>
#include <cmath>
#include "classlib/DateTime.h"

namespace {

struct TParts {
  int Year, Month, Day, Hour, Min, Sec, MSec;
};

TParts Parts(TDateTime v)
{
  WORD y, mo, d, h, mi, s, ms;
  DecodeDateTime(v, y, mo, d, h, mi, s, ms);
  return {y, mo, d, h, mi, s, ms};
}

bool operator==(const TParts& a, const TParts& b)
{
  return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Min == b.Min &&
         a.Sec == b.Sec && a.MSec == b.MSec;
}

void PrintTo(const TParts& p, std::ostream* os)
{
  *os << p.Year << "-" << p.Month << "-" << p.Day << " " << p.Hour << ":" << p.Min << ":" << p.Sec << "." << p.MSec;
}

std::string ErrorOf(void (*f)())
{
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "(no error)";
}

int ThisYear()
{
  SYSTEMTIME st;
  GetLocalTime(&st);
  return st.wYear;
}

// Known English formats for the tests that are about the format syntax, not the locale.
class DateFormatTest : public testing::Test {
protected:
  void SetUp() override
  {
    FSaved = FormatSettings();
    TFormatSettings& fs = FormatSettings();
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.DecimalSeparator = '.';
    fs.ShortDateFormat = "yyyy/m/d";
    fs.LongDateFormat = "dddd, mmmm d, yyyy";
    fs.ShortTimeFormat = "h:nn";
    fs.LongTimeFormat = "hh:nn:ss";
    fs.TimeAMString = "上午";
    fs.TimePMString = "下午";
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i) {
      fs.LongMonthNames[i] = months[i];
      fs.ShortMonthNames[i] = std::string(months[i], 3);
    }
    for (int i = 0; i < 7; ++i) {
      fs.LongDayNames[i] = days[i];
      fs.ShortDayNames[i] = std::string(days[i], 3);
    }
  }
  void TearDown() override { FormatSettings() = FSaved; }

  // 2021-03-04 (a Thursday) 17:06:08.045
  const TDateTime FSample = EncodeDate(2021, 3, 4) + EncodeTime(17, 6, 8, 45);

private:
  TFormatSettings FSaved;
};

}  // namespace

TEST(DateTime, KnownDayNumbers)
{
  struct Case {
    int Year, Month, Day;
    double Serial;
    int DayOfWeek;
  };
  const Case cases[] = {
      {1899, 12, 30, 0, 7},     {1900, 1, 1, 2, 2},           {2000, 2, 29, 36585, 3},
      {2021, 3, 4, 44259, 5},   {1, 1, 1, -693593, 2},        {9999, 12, 31, 2958465, 6},
      {1600, 3, 1, -109511, 4}, {2100, 3, 1, 73110, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Serial) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(Parts(c.Serial), (TParts{c.Year, c.Month, c.Day, 0, 0, 0, 0}));
    EXPECT_EQ(DayOfWeek(c.Serial), c.DayOfWeek) << c.Year;
  }
}

TEST(DateTime, EveryDayAndMillisecondRoundTrips)
{
  // Every day of every 13th year round trips, so the leap-year rules are all crossed.
  for (int year = 1; year <= 9999; year += 13) {
    double expected = EncodeDate(year, 1, 1);
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        ASSERT_EQ(EncodeDate(year, month, day), expected) << year << "-" << month << "-" << day;
        WORD y, m, d;
        DecodeDate(expected, y, m, d);
        ASSERT_EQ(TParts({y, m, d, 0, 0, 0, 0}), TParts({year, month, day, 0, 0, 0, 0}));
        expected += 1;
      }
    }
    EXPECT_EQ(expected - EncodeDate(year, 1, 1), IsLeapYear(year) ? 366 : 365) << year;
  }
  // Times of day, to the millisecond, also on a large day number where doubles hold fewer of them.
  for (int ms = 0; ms < 86400000; ms += 997) {
    const int h = ms / 3600000, n = ms / 60000 % 60, s = ms / 1000 % 60, z = ms % 1000;
    for (double date : {0.0, 2958465.0}) {
      ASSERT_EQ(Parts(date + EncodeTime(h, n, s, z)), (TParts{date == 0 ? 1899 : 9999, 12, date == 0 ? 30 : 31, h, n, s, z}));
    }
    WORD hh, nn, ss, zz;
    DecodeTime(EncodeTime(h, n, s, z), hh, nn, ss, zz);
    ASSERT_EQ(TParts({0, 0, 0, hh, nn, ss, zz}), TParts({0, 0, 0, h, n, s, z}));
  }
}

TEST(DateTime, LeapYearsAndMonthLengths)
{
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(DateTime, InvalidPartsAreRefused)
{
  const int dates[][3] = {{2021, 2, 29}, {1900, 2, 29}, {2021, 4, 31}, {2021, 1, 0},  {2021, 13, 1},
                          {2021, 0, 1},  {0, 1, 1},     {10000, 1, 1}, {-5, 1, 1},    {2021, 1, 32}};
  for (const auto& d : dates) {
    TDateTime v = 123;
    EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], v)) << d[0] << "-" << d[1] << "-" << d[2];
    EXPECT_EQ(v, 123);
    EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError);
  }
  const int times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
  for (const auto& t : times) {
    TDateTime v = 123;
    EXPECT_FALSE(TryEncodeTime(t[0], t[1], t[2], t[3], v));
    EXPECT_EQ(v, 123);
  }
  EXPECT_EQ(ErrorOf([] { EncodeDate(2021, 2, 29); }), "Invalid argument to date encode");
  EXPECT_EQ(ErrorOf([] { EncodeTime(24, 0, 0, 0); }), "Invalid argument to time encode");
  EXPECT_EQ(ErrorOf([] { Parts(1e10); }), "Invalid argument to date decode");
  EXPECT_EQ(ErrorOf([] { Parts(-1e10); }), "Invalid argument to date decode");
  EXPECT_EQ(ErrorOf([] { Parts(std::nan("")); }), "Invalid argument to date decode");
  EXPECT_EQ(EncodeTime(23, 59, 59, 999), (86400000.0 - 1) / 86400000.0);
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(DateTime, NegativeValuesAndRounding)
{
  // Before 1899-12-30 the day counts back while the time of day still runs forward.
  EXPECT_EQ(Parts(-1.25), (TParts{1899, 12, 29, 6, 0, 0, 0}));
  EXPECT_EQ(Parts(-0.5), (TParts{1899, 12, 30, 12, 0, 0, 0}));
  EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
  EXPECT_EQ(ComposeDateTime(2, 0.25), 2.25);
  EXPECT_EQ(DayOfWeek(-1.25), 6);
  // A time a fraction of a millisecond before midnight is the next day, not "24:00".
  const TDateTime almost = EncodeDate(2021, 3, 4) + (86400000.0 - 0.4) / 86400000.0;
  EXPECT_EQ(Parts(almost), (TParts{2021, 3, 5, 0, 0, 0, 0}));
  WORD h, m, s, ms;
  DecodeTime(almost, h, m, s, ms);
  EXPECT_EQ(TParts({0, 0, 0, h, m, s, ms}), TParts({0, 0, 0, 0, 0, 0, 0}));
}

TEST(DateTime, SystemTimesAndFileDates)
{
  SYSTEMTIME st{};
  const TDateTime v = EncodeDate(2021, 3, 4) + EncodeTime(17, 6, 8, 45);
  DateTimeToSystemTime(v, st);
  EXPECT_EQ(st.wYear, 2021);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 4);
  EXPECT_EQ(st.wDayOfWeek, 4);  // Thursday, counted from Sunday = 0
  EXPECT_EQ(st.wHour, 17);
  EXPECT_EQ(st.wMinute, 6);
  EXPECT_EQ(st.wSecond, 8);
  EXPECT_EQ(st.wMilliseconds, 45);
  EXPECT_EQ(SystemTimeToDateTime(st), v);
  st.wMonth = 2;
  st.wDay = 30;
  EXPECT_THROW(SystemTimeToDateTime(st), EConvertError);

  const int fileDate = ((41 << 9 | 3 << 5 | 4) << 16) | (17 << 11 | 6 << 5 | 4);  // 2021-03-04 17:06:08
  EXPECT_EQ(FileDateToDateTime(fileDate), EncodeDate(2021, 3, 4) + EncodeTime(17, 6, 8, 0));
  EXPECT_EQ(DateTimeToFileDate(v), fileDate);  // seconds in steps of two
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
  EXPECT_THROW(FileDateToDateTime((41 << 9 | 13 << 5 | 4) << 16), EConvertError);  // month 13
  EXPECT_THROW(FileDateToDateTime(0), EConvertError);                            // day 0
}

TEST(DateTime, NowDateAndTimeAgreeWithTheLocalClock)
{
  SYSTEMTIME st;
  GetLocalTime(&st);
  const TDateTime clock = SystemTimeToDateTime(st);
  const TDateTime now = Now();
  // Wine's local time can read a millisecond earlier on a second look: the two agree, in any order.
  EXPECT_LT(std::fabs(now - clock), 5.0 / SecsPerDay);
  const TDateTime today = Date();
  EXPECT_EQ(today, std::floor(today));
  EXPECT_LE(std::fabs(today - std::floor(now)), 1);  // one day apart only across midnight
  EXPECT_GE(Time(), 0);
  EXPECT_LT(Time(), 1);
}

TEST(DateTime, TextFollowsTheUserLocale)
{
  // The locale's own renderings of the same moment are the reference.
  ReloadFormatSettings();
  SYSTEMTIME st{2021, 3, 4, 4, 17, 6, 8, 0};
  char date[64], time[64];
  ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date), 0);
  ASSERT_GT(GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time), 0);
  const TDateTime v = SystemTimeToDateTime(st);
  EXPECT_EQ(DateToStr(v), date);
  EXPECT_EQ(TimeToStr(v), time);
  EXPECT_EQ(DateTimeToStr(v), std::string(date) + " " + time);
  EXPECT_EQ(DateTimeToStr(EncodeDate(2021, 3, 4)), date);  // midnight shows no time

  // And back, for dates far apart and times through the day.
  for (TDateTime d : {EncodeDate(2021, 3, 4), EncodeDate(1999, 12, 31), EncodeDate(1, 1, 1), EncodeDate(9999, 1, 2)}) {
    EXPECT_EQ(StrToDate(DateToStr(d)), d) << DateToStr(d);
    for (int h : {0, 9, 12, 23}) {
      const TDateTime dt = ComposeDateTime(d, EncodeTime(h, 59, 7, 0));
      EXPECT_EQ(StrToDateTime(DateTimeToStr(dt)), dt) << DateTimeToStr(dt);
      EXPECT_EQ(StrToTime(TimeToStr(dt)), EncodeTime(h, 59, 7, 0)) << TimeToStr(dt);
    }
  }
}

TEST_F(DateFormatTest, FormatSyntax)
{
  struct Case {
    const char* Format;
    const char* Expected;
  };
  const Case cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2021-03-04 17:06:08.045"},
      {"d/m/yy", "4/3/21"},
      {"h:m:s.z", "17:6:8.45"},
      {"hh:mm", "17:06"},  // m after h is minutes
      {"ddd dddd mmm mmmm", "Thu Thursday Mar March"},
      {"ddddd", "2021/3/4"},
      {"dddddd", "Thursday, March 4, 2021"},
      {"c", "2021/3/4 17:06:08"},
      {"t|tt", "17:06|17:06:08"},
      {"h:nn am/pm", "5:06 pm"},
      {"h:nn AM/PM", "5:06 PM"},
      {"h a/p", "5 p"},
      {"ampm h:nn", "下午 5:06"},
      {"'yyyy' \"mm\" yyyy", "yyyy mm 2021"},
      {"YYYY/MM/DD", "2021/03/04"},
      {"yyyy年m月d日", "2021年3月4日"},
      // Second bytes 'd', 'm', 'y' and 'h' (誨 誱 誽 説) are not parts of the date.
      {"誨誱誽説 d", "誨誱誽説 4"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.Format, FSample), c.Expected) << c.Format;
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeDate(2021, 3, 4)), "12:00 am");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 30, 0, 0)), "12:30 pm");
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2021, 3, 4)), "2021/3/4");
  FormatSettings().DateSeparator = '-';
  FormatSettings().TimeSeparator = '.';
  EXPECT_EQ(DateTimeToStr(FSample), "2021-3-4 17.06.08");
}

TEST_F(DateFormatTest, DatesAreReadInTheFormatsOrder)
{
  struct Case {
    const char* ShortDate;
    char Separator;
    const char* Text;
  };
  const Case cases[] = {
      {"yyyy/m/d", '/', "2021/3/4"},   {"yyyy/mm/dd", '/', " 2021 / 03 / 04 "},
      {"m/d/yyyy", '/', "3/4/2021"},   {"dd/mm/yyyy", '.', "04.03.2021"},
      {"d/m/yyyy", '-', "4-3-2021"},   {"\"day\" d/m/yyyy", '/', "4/3/2021"},
  };
  for (const Case& c : cases) {
    FormatSettings().ShortDateFormat = c.ShortDate;
    FormatSettings().DateSeparator = c.Separator;
    TDateTime v = 0;
    EXPECT_TRUE(TryStrToDate(c.Text, v)) << c.Text;
    EXPECT_EQ(v, EncodeDate(2021, 3, 4)) << c.Text;
    if (std::string_view(c.ShortDate).find('"') == std::string_view::npos) {  // literal text is not read back
      EXPECT_EQ(StrToDate(DateToStr(EncodeDate(1987, 11, 23))), EncodeDate(1987, 11, 23)) << c.ShortDate;
    }
  }
  // Without a year: this year. A two-digit year: within fifty years of this one.
  FormatSettings().ShortDateFormat = "yyyy/m/d";
  FormatSettings().DateSeparator = '/';
  EXPECT_EQ(StrToDate("3/4"), EncodeDate(ThisYear(), 3, 4));
  WORD y, m, d;
  DecodeDate(StrToDate("21/3/4"), y, m, d);
  EXPECT_EQ(y % 100, 21);
  EXPECT_LE(std::abs(y - ThisYear()), 50);
  DecodeDate(StrToDate("0021/3/4"), y, m, d);  // four digits written: as written
  EXPECT_EQ(y, 21);

  for (const char* bad : {"", "2021", "2021/2/30", "2021/13/1", "2021-3-4", "2021/3/4/5", "2021//4", "a/b/c",
                          "2021/3/4x", "99999999999/1/1"}) {
    TDateTime v = 7;
    EXPECT_FALSE(TryStrToDate(bad, v)) << bad;
    EXPECT_EQ(v, 7);
  }
  try {
    StrToDate("2021/2/30");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2021/2/30' is not a valid date");
  }
}

TEST_F(DateFormatTest, TimesAndDateTimes)
{
  struct Case {
    const char* Text;
    int Hour, Min, Sec, MSec;
  };
  const Case good[] = {
      {"5:06:08", 5, 6, 8, 0},      {"17:06", 17, 6, 0, 0},        {"17", 17, 0, 0, 0},
      {"5:06 PM", 17, 6, 0, 0},     {"pm 5:06", 17, 6, 0, 0},      {"12:00 AM", 0, 0, 0, 0},
      {"12:30 PM", 12, 30, 0, 0},   {"5:06 p", 17, 6, 0, 0},       {"下午5:06", 17, 6, 0, 0},
      {"5:06:08 上午", 5, 6, 8, 0}, {"5:06:08.5", 5, 6, 8, 500},   {"5:06:08.045", 5, 6, 8, 45},
      {" 23:59:59 ", 23, 59, 59, 0},
  };
  for (const Case& c : good) {
    TDateTime v = -1;
    EXPECT_TRUE(TryStrToTime(c.Text, v)) << c.Text;
    EXPECT_EQ(v, EncodeTime(c.Hour, c.Min, c.Sec, c.MSec)) << c.Text;
  }
  for (const char* bad : {"", "25:00", "5:60", "5:06:60", "13:00 PM", "0:30 AM", "5:", "5::06", "abc", "5:06 XM",
                          "5:06:08.1234", "5:06 PM PM"}) {
    TDateTime v = 7;
    EXPECT_FALSE(TryStrToTime(bad, v)) << bad;
    EXPECT_EQ(v, 7) << bad;
  }
  EXPECT_THROW(StrToTime("25:00"), EConvertError);

  EXPECT_EQ(StrToDateTime("2021/3/4 17:06:08"), FSample - EncodeTime(0, 0, 0, 45));
  EXPECT_EQ(StrToDateTime("2021/3/4"), EncodeDate(2021, 3, 4));
  EXPECT_EQ(StrToDateTime("17:06"), EncodeTime(17, 6, 0, 0));
  EXPECT_EQ(StrToDateTime("1899/12/29 06:00"), -1.25);  // before day 0 the time runs forward
  for (const char* bad : {"2021/3/4 25:00", "2021/3/4 x", "2021/2/30 10:00", "x 10:00"}) {
    TDateTime v = 7;
    EXPECT_FALSE(TryStrToDateTime(bad, v)) << bad;
  }
  try {
    StrToDateTime("2021/3/4 x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2021/3/4 x' is not a valid date and time");
  }
}

TEST(DateTime, OtherLocalesFormatsMatchTheSystemsAndReadBack)
{
  // Pictures with other orders, separators, two-digit fields and a 12-hour clock with its designator
  // after the time (English) are turned into the library's syntax as the system renders them.
  const TFormatSettings saved = FormatSettings();
  const LCID locales[] = {MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT),
                          MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), SORT_DEFAULT),
                          MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT),
                          MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT),
                          MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT)};
  for (LCID lcid : locales) {
    FormatSettings() = GetLocaleFormatSettings(lcid);
    for (int hour : {0, 9, 12, 13, 23}) {
      SYSTEMTIME st{1987, 11, 1, 23, static_cast<WORD>(hour), 5, 9, 0};
      char date[64], time[64];
      ASSERT_GT(GetDateFormatA(lcid, DATE_SHORTDATE, &st, nullptr, date, sizeof date), 0);
      ASSERT_GT(GetTimeFormatA(lcid, 0, &st, nullptr, time, sizeof time), 0);
      const TDateTime v = SystemTimeToDateTime(st);
      EXPECT_EQ(DateToStr(v), date) << std::hex << lcid << " " << FormatSettings().ShortDateFormat;
      EXPECT_EQ(TimeToStr(v), time) << std::hex << lcid << " " << FormatSettings().LongTimeFormat;
      EXPECT_EQ(StrToDateTime(DateTimeToStr(v)), v) << std::hex << lcid << " " << DateTimeToStr(v);
    }
  }
  FormatSettings() = saved;
}
