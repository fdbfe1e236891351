#include "HebrewYearsWriter.h"

#include <array>
#include <cstdint>
#include <string>

#include "ByteWriter.h"

namespace generators {

namespace {

constexpr TKeyword Keywords[] = {{.Usage = "years <first> <last>", .Required = true}};

// The first Gregorian year whose January 1 the tables can describe: the one after the calendar
// reform.
constexpr int FirstYear = 1583;
constexpr int LastYear = 9999;

bool IsLeapYear(std::int64_t year) { return (7 * year + 1) % 19 < 7; }

// Days from the day before the epoch to 1 Tishri of the year (the epoch's day is 1).
std::int64_t ElapsedDays(std::int64_t year)
{
  // Months from the epoch to the year's molad: 235 in each 19-year cycle, 12 or 13 in the years of
  // the cycle before it.
  const std::int64_t cycleYear = (year - 1) % 19;
  const std::int64_t months = 235 * ((year - 1) / 19) + 12 * cycleYear + (7 * cycleYear + 1) / 19;
  // A lunar month is 29 days, 12 hours and 793 parts (1080 parts to the hour); the epoch's molad
  // was at 5 hours and 204 parts.
  const std::int64_t parts = 204 + 793 * (months % 1080);
  const std::int64_t hours = 5 + 12 * months + 793 * (months / 1080) + parts / 1080;
  std::int64_t day = 1 + 29 * months + hours / 24;
  const std::int64_t partsOfDay = 1080 * (hours % 24) + parts % 1080;
  // Postponed a day when the molad is at noon or later, or on a Tuesday from 9 hours 204 parts in
  // a common year, or on a Monday from 15 hours 589 parts after a leap year; then again when the
  // day is a Sunday, Wednesday or Friday (day % 7 of 0, 3, 5).
  if (partsOfDay >= 19440 || (day % 7 == 2 && partsOfDay >= 9924 && !IsLeapYear(year)) ||
      (day % 7 == 1 && partsOfDay >= 16789 && IsLeapYear(year - 1)))
    ++day;
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

// Day number of 1 Tishri in the count where 0001-01-01 of the Gregorian calendar is day 1.
std::int64_t TishriDay(std::int64_t year) { return ElapsedDays(year) - 1373428; }

// Day number of a Gregorian date in the same count.
std::int64_t GregorianDay(std::int64_t year, int month, int day)
{
  static constexpr int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const std::int64_t y = year - 1;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return y * 365 + y / 4 - y / 100 + y / 400 + before[month - 1] + (leap && month > 2 ? 1 : 0) + day;
}

// Month lengths from Tishri by year type.
constexpr int MonthLengths[7][13] = {
    {},
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

int YearType(std::int64_t length)
{
  switch (length) {
  case 353: return 1;
  case 354: return 2;
  case 355: return 3;
  case 383: return 4;
  case 384: return 5;
  case 385: return 6;
  default: return 0;
  }
}

std::vector<std::uint8_t> Write(const TTextSource& source)
{
  const TStatement& years = *source.Find("years");
  const int first = source.Number(years, 0, FirstYear, LastYear);
  const int last = source.Number(years, 1, first, LastYear);
  TByteWriter out;
  for (int gregorian = first; gregorian <= last; ++gregorian) {
    const std::int64_t year = gregorian + 3760;
    const int type = YearType(TishriDay(year + 1) - TishriDay(year));
    if (type == 0) source.Fail(years.Line, "the Hebrew year " + std::to_string(year) + " has no valid length");
    // January 1 as a month and day of the Hebrew year, counted from 1 Tishri.
    std::int64_t day = GregorianDay(gregorian, 1, 1) - TishriDay(year);
    int month = 1;
    while (month <= 13 && day >= MonthLengths[type][month - 1]) day -= MonthLengths[type][month++ - 1];
    ++day;
    int code = -1;
    if (month == 4) code = static_cast<int>(day);
    else if (month == 3 && day == 30) code = 30;
    else if (month == 3 && day == 29) code = 33;
    else if (month == 5 && day <= 3) code = day == 1 ? 0 : static_cast<int>(30 + day - 1);
    if (code < 0)
      source.Fail(years.Line, "January 1 of " + std::to_string(gregorian) + " falls on day " + std::to_string(day) +
                                  " of month " + std::to_string(month) + ", which the table cannot encode");
    out.Put(static_cast<std::uint32_t>(code), 4);
    out.Put(static_cast<std::uint32_t>(type), 4);
  }
  return out.Take();
}

}  // namespace

const TResourceWriter HebrewYearsWriter{
    "hebrew-years", "RCDATA", ".bin", {.Keywords = Keywords, .FixedPixels = {}, .Pictures = false}, Write};

}  // namespace generators
