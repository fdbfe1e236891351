#pragma once
// Dates and times as the class library keeps them: TDateTime counts days since 1899-12-30 00:00,
// the fraction being the time of day. Before that day the whole part counts back while the fraction
// still runs forward (-1.25 is 1899-12-29 06:00). Text forms follow the user locale's short date
// and long time formats (FormatSettings(), classlib/SysUtils.h).
#include <string>
#include <string_view>
#include "classlib/SysUtils.h"
#include "classlib/Win.h"

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = SecsPerDay * 1000;
constexpr int DateDelta = 693594;  // days from 0001-01-01 to 1899-12-30

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// Year 1..9999, month 1..12, day 1..days of the month; EncodeDate raises EConvertError
// "Invalid argument to date encode" for anything else.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Hour 0..23, minute and second 0..59, millisecond 0..999; EncodeTime raises EConvertError
// "Invalid argument to time encode" for anything else.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// The parts of a date-time, to the nearest millisecond. A value outside 0001-01-01..9999-12-31
// (or not a number) raises EConvertError "Invalid argument to date decode".
void DecodeDate(TDateTime date, WORD& year, WORD& month, WORD& day);
void DecodeTime(TDateTime time, WORD& hour, WORD& min, WORD& sec, WORD& msec);
void DecodeDateTime(TDateTime value, WORD& year, WORD& month, WORD& day, WORD& hour, WORD& min, WORD& sec,
                    WORD& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday .. 7 = Saturday
// A date plus a time of day, for dates before day 0 too (where the time is subtracted).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// The local clock. Now, Date, Time and CurrentYear read it through one replaceable function (the
// system's GetLocalTime), which tests swap with SetClockFunc to stand at a moment of their choice.
TDateTime Now();
TDateTime Date();  // today, midnight
TDateTime Time();  // the time of day, no date
using TClockFunc = void(WINAPI*)(SYSTEMTIME* localTime);
// Answers the previous function; nullptr puts the system's back.
TClockFunc SetClockFunc(TClockFunc func);

void DateTimeToSystemTime(TDateTime value, SYSTEMTIME& st);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);  // raises EConvertError for invalid fields
// A file's packed DOS date and time (date in the high word, time in the low word); raises
// EConvertError for an invalid one. DateTimeToFileDate gives 0 for years outside 1980..2107.
TDateTime FileDateToDateTime(int fileDate);
int DateTimeToFileDate(TDateTime value);

// Formats with the class library's date format syntax (letters are case-insensitive):
//   d dd ddd dddd    day, two-digit day, short and long day name; ddddd short date, dddddd long date
//   m mm mmm mmmm    month, two-digit, short and long name (after h or hh: minutes)
//   yy yyyy          year; h hh hour; n nn minute; s ss second; z zzz millisecond
//   t tt             short and long time; c short date and long time (no time at midnight)
//   am/pm a/p ampm   the designator, which makes h count 12 hours; ampm uses the locale's strings
//   / :              DateSeparator, TimeSeparator;  "text" 'text'  literal text
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateTimeToStr(TDateTime value);  // "c"
std::string DateToStr(TDateTime value);      // ShortDateFormat
std::string TimeToStr(TDateTime value);      // LongTimeFormat

// Reads dates in the order of ShortDateFormat, parts separated by DateSeparator ("2021/3/4");
// without a year, the current year; a year of one or two digits falls within
// TwoDigitYearCenturyWindow years of the current year. Times are h[:n[:s[.z]]], 24-hour, or 12-hour
// with the locale's or the English AM/PM designator before or after. Blanks around parts are allowed.
bool TryStrToDate(std::string_view text, TDateTime& value);
bool TryStrToTime(std::string_view text, TDateTime& value);
bool TryStrToDateTime(std::string_view text, TDateTime& value);  // a date, a time, or a date and time
// Raise EConvertError "'<text>' is not a valid date" / "... valid time" / "... valid date and time".
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);
