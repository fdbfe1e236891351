#pragma once
// Locale settings that the editor tests change, each put back on every exit.
#include <string>
#include "classlib/DateTime.h"
#include "classlib/SysUtils.h"
#include "classlib/Win.h"

constexpr LCID LocaleEnUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
constexpr LCID LocaleZhCN = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);

// The class library's format settings.
class TScopedFormatSettings {
public:
  TScopedFormatSettings() : FSaved(FormatSettings()) {}
  // The settings of a locale for the scope.
  explicit TScopedFormatSettings(LCID locale) : FSaved(FormatSettings()) { FormatSettings() = GetLocaleFormatSettings(locale); }
  ~TScopedFormatSettings() { FormatSettings() = FSaved; }
  TScopedFormatSettings(const TScopedFormatSettings&) = delete;
  TScopedFormatSettings& operator=(const TScopedFormatSettings&) = delete;

private:
  TFormatSettings FSaved;
};

// One value of the user's locale (SetLocaleInfoA), which the thread locale shares here.
class TScopedUserLocaleInfo {
public:
  TScopedUserLocaleInfo(LCTYPE type, const char* value) : FType(type)
  {
    char saved[128] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, type, saved, sizeof saved);
    FSaved = saved;
    FSet = SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value) != 0;
  }
  ~TScopedUserLocaleInfo()
  {
    if (FSet) SetLocaleInfoA(LOCALE_USER_DEFAULT, FType, FSaved.c_str());
  }
  TScopedUserLocaleInfo(const TScopedUserLocaleInfo&) = delete;
  TScopedUserLocaleInfo& operator=(const TScopedUserLocaleInfo&) = delete;
  bool Set() const { return FSet; }

private:
  LCTYPE FType;
  std::string FSaved;
  bool FSet = false;
};

// The thread's locale, with the class library's format settings of that locale.
class TScopedThreadLocale {
public:
  explicit TScopedThreadLocale(LCID locale) : FSaved(GetThreadLocale()), FSettings(locale) { SetThreadLocale(locale); }
  ~TScopedThreadLocale() { SetThreadLocale(FSaved); }
  TScopedThreadLocale(const TScopedThreadLocale&) = delete;
  TScopedThreadLocale& operator=(const TScopedThreadLocale&) = delete;

private:
  LCID FSaved;
  TScopedFormatSettings FSettings;
};

// The clock standing at a moment of the test's choice.
class TScopedClock {
public:
  TScopedClock(int year, int month, int day, int hour, int minute, int second, int millisecond)
  {
    Moment() = {static_cast<WORD>(year),   static_cast<WORD>(month),  0, static_cast<WORD>(day),
                static_cast<WORD>(hour),   static_cast<WORD>(minute), static_cast<WORD>(second),
                static_cast<WORD>(millisecond)};
    FSaved = SetClockFunc(Read);
  }
  ~TScopedClock() { SetClockFunc(FSaved); }
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;

private:
  static SYSTEMTIME& Moment()
  {
    static SYSTEMTIME moment;
    return moment;
  }
  static void WINAPI Read(SYSTEMTIME* localTime) { *localTime = Moment(); }
  TClockFunc FSaved = nullptr;
};

inline TDateTime D(int year, int month, int day) { return EncodeDate(year, month, day); }
