#pragma once
// The date functions of the editors: dates to display text and typed text back to dates in the
// locale's own calendar, the smart input words ("today", "eom", "first", "+3" ...) a user may type
// into a date editor, the locale's month, year and day-name captions for calendars, and small
// month and day helpers. The calendar tables they stand on are in cxDateUtilsCalendars.h and
// cxDateUtilsLunar.h.
//
// Typed text never raises from TextToDate, TryTextToDate or ParseDateText: text that cannot be read
// gives NullDate (and false).
#include <array>
#include <string>
#include <string_view>
#include "classlib/DateTime.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/editors/cxDateUtilsCalendars.h"
#include "toolkit/editors/cxDateUtilsLunar.h"

// Owns the calendar table cache.
extern TUnit UnitcxDateUtils;

// --- Text from dates ---

// GetDateFormatA for the thread locale with the format (the locale's when empty); false (and an
// empty text) when the platform cannot format the date. With the format controller's
// UseClassLibraryFormats and a Gregorian locale calendar, the class library's names instead
// ("d", "dd", "ddd", "dddd", "mmmm", shorter runs of "m", "yyyy", shorter runs of "y", quoted text;
// "e" skipped), which always succeeds.
bool FormatLocaleDate(std::string& text, DWORD flags, std::string_view format, TDateTime date);
// The date in the short date format of the locale (or of the class library), with the time when
// it is not midnight; fourDigitYear widens a two-digit year. Empty for NullDate.
std::string DateToText(bool fourDigitYear, bool useClassLibrary, TDateTime date);
std::string DateToLocalText(TDateTime date);
std::string DateToDisplayText(bool fourDigitYear, TDateTime date);
// The text a date editor shows: the locale's text in a non-Gregorian locale calendar, the display
// text when not masked, else the text of the format controller's display formats.
std::string FormatDateForEdit(bool masked, bool withTime, bool fourDigitYear, TDateTime date);
std::string GetDayText(TDateTime date);
// Month and year captions in the table's calendar (nullptr: the locale's).
std::string GetMonthName(TcxCustomCalendarTable* table, TDateTime date);
std::string GetMonthNameOf(int year, int month, TcxCustomCalendarTable* table);
std::string GetYearText(TcxCustomCalendarTable* table, TDateTime date);
std::string GetMonthYearCaption(TcxCustomCalendarTable* table, TDateTime date);
// The locale's short day name for 1 (Monday) to 7 (Sunday), cut to one character while
// cxUseSingleCharWeekNames is on: the last one for text of a double-byte character set, else the
// first. Empty for other indexes.
std::string GetDayNameText(int dayIndex, BYTE charset);
extern bool cxUseSingleCharWeekNames;

// --- Dates from text ---

TDateTime TextToDate(std::string_view text, bool useClassLibrary);
bool TryTextToDate(std::string_view text, TDateTime& date);
// Without the smart words: the platform's locale-aware parsing (useVariantConversion) or the class
// library's in a Gregorian locale calendar, the locale calendar's own parsing otherwise.
bool ParseDateText(std::string_view text, bool useVariantConversion, TDateTime& date);
// Removes the literal words of the locale's date and time formats from typed text and shrinks runs
// of blanks; with localeSeparators, the locale's date separator becomes a blank.
std::string NormalizeDateText(std::string_view text, bool localeSeparators);
// Text in the locale's calendar (Japanese, Taiwan, Korean, Hijri, Thai, Hebrew) to a date; other
// locale calendars go to TryTextToDate. Conversion errors of the calendar's parsing pass.
TDateTime CalendarTextToDate(std::string_view text);

// --- Smart input ---

constexpr int cxSmartInputWordCount = 20;
// The words as the resource strings give them now: today, yesterday, tomorrow, Sunday to Saturday,
// first to seventh, bom, eom, now.
std::array<std::string, cxSmartInputWordCount> LoadSmartInputWords();
// The word the text starts with (longest first, case ignored), or false.
bool MatchSmartWord(std::string_view text, int& index);
// A word, optionally followed by a sign and a number of days; false for any other text.
bool SmartTextToDate(std::string_view text, TDateTime& date);
// Lets a regular-expression date mask also accept a word with an optional sign and one to four
// digits; "now" only withNow.
void AddSmartInputToRegExprMask(std::string& mask, bool withNow);

// --- Helpers ---

// NullDate, and 0100-01-01 to 9999-12-31 23:59:59.999.
bool IsSupportedDate(TDateTime date);
void StepMonthBack(int& year, int& month);
void StepMonthForward(int& year, int& month);
// Moves by delta months; answers the whole years of delta.
int ShiftMonth(int& year, int& month, int delta);
// Year (0), month (1) or day (2) of the date in the table's calendar, Gregorian without a table.
int GetDatePart(int part, TcxCustomCalendarTable* table, TDateTime date);
bool IsGregorianLeapYear(int year);
int MonthDayCount(int year, int month);
int ClampDay(int year, int month, int day);
TDateTime ExtractTimePart(TDateTime date);
TDateTime TruncateToDate(TDateTime date);
// The weekday's place in the week from the format controller's start of week, 0 to 6.
int DayIndexInWeek(TDateTime date);
// The order of a date format's first field: 0 month first, 1 day first, 2 year (or era year) first.
int GetDateOrder(std::string_view format);
