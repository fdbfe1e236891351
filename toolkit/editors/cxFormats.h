#pragma once
// The format controller: the one process-wide object that turns the locale's date, time and
// currency settings into what the editors need (parsed formats, edit masks in the standard and the
// regular-expression syntax, display formats, the currency display format). It owns a hidden
// top-level window, so it hears the system announce a change of regional settings or of the clock;
// it then rebuilds everything and tells its listeners.
//
// Format texts are ANSI (code page 936 here): a lead byte always takes its trail byte along, so a
// trail byte that looks like a letter is never read as a field.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "toolkit/base/cxControlsMessageWindow.h"
#include "toolkit/base/dxCoreResStrings.h"

extern TUnit UnitcxFormats;

// --- Parsed formats ---

// The kinds of the elements of a parsed format; the values are fixed (mask builders and the date
// editor switch on them).
enum class TcxDateTimeFormatItemKind : uint8_t {
  dtiText = 0,
  dtiYear = 1,            // "YY" or "YYYY"
  dtiMonth = 2,           // "M" to "MMMM"
  dtiDay = 3,             // "D" to "DDDD" (three or four letters: the day name)
  dtiHour = 4,            // "H" or "HH", after parsing prefixed with "12" or "24"
  dtiMinute = 5,          // "N" or "NN"
  dtiSecond = 6,          // "S" or "SS"
  dtiMillisecond = 7,     // "Z" to "ZZZ"
  dtiAmPm = 8,            // "AM/PM" or "A/P" as written, or "AMPM" (the locale's strings)
  dtiDateSeparator = 9,
  dtiTimeSeparator = 10,
};
constexpr int cxDateTimeFormatItemKindCount = 11;

// One element of a parsed format: literal text, or a field with its letters as the parser
// normalised them; separators have no text.
class TcxDateTimeFormatItem : public TObject {
  CL_CLASS(TcxDateTimeFormatItem, TObject)
public:
  TcxDateTimeFormatItem(TcxDateTimeFormatItemKind kind, std::string text) : FKind(kind), FText(std::move(text)) {}
  TcxDateTimeFormatItemKind ItemKind() const { return FKind; }
  const std::string& ItemText() const { return FText; }
  void SetItemText(std::string text) { FText = std::move(text); }

private:
  TcxDateTimeFormatItemKind FKind;
  std::string FText;
};

// A parsed format: its items in format order and, per kind, whether an item of it was added.
class TcxDateTimeFormatInfo : public TObject {
  CL_CLASS(TcxDateTimeFormatInfo, TObject)
public:
  TcxDateTimeFormatInfo() = default;

  void AddItem(TcxDateTimeFormatItemKind kind, std::string text);
  void DeleteItem(int index);
  void Clear();  // frees every item and resets every flag
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  TcxDateTimeFormatItem* GetItem(int index) const { return FItems[index].get(); }
  bool IsDefined(TcxDateTimeFormatItemKind kind) const { return FDefined[static_cast<int>(kind)]; }
  void SetDefined(TcxDateTimeFormatItemKind kind, bool value) { FDefined[static_cast<int>(kind)] = value; }
  // The first item of the kind, or -1.
  int IndexOfKind(TcxDateTimeFormatItemKind kind) const;

private:
  std::vector<TOwned<TcxDateTimeFormatItem>> FItems;
  bool FDefined[cxDateTimeFormatItemKindCount] = {};
};

// The formats a format text may name by a letter: "C" (short date, a blank, long time), five "d"
// (short date), six "d" (long date), "t" (short time) and "tt" (long time).
struct TcxNamedFormats {
  std::string ShortDate;
  std::string LongDate;
  std::string ShortTime;
  std::string LongTime;
};

// Parses a format text (the class library's or the locale's date-time format letters, case
// ignored; "C" when empty) into info. Formats named inside it are parsed in place, one level deep.
// A format that cannot be parsed (the era letter "G" anywhere) leaves info empty and answers false.
bool BuildFormatInfo(std::string_view text, TcxDateTimeFormatInfo& info, const TcxNamedFormats& named);

// The locale's time format in the class library's letters: a run of "t" becomes "A/P" when it is one
// letter long and "AMPM" when longer.
std::string ConvertLocaleTimeFormat(std::string_view format);

// What a mask or display format is built for.
enum class TcxFormatMaskKind { Date, Time, DateTime };

// Mask widths: what each item takes in an edit mask, and their sum.
int GetItemMaskWidth(const TcxDateTimeFormatItem& item);
int GetMaskWidth(const TcxDateTimeFormatInfo& info);
// The item under a 1-based mask position: its kind, first position, width and, for an AM/PM item,
// its style (0 "A/P", 1 "AM/PM", 2 the locale's strings). False for a position of 0 or less, an
// empty info or a position beyond the end.
bool FindItemAtMaskPosition(const TcxDateTimeFormatInfo& info, int position, TcxDateTimeFormatItemKind& kind,
                            int& start, int& length, int& amPmStyle);

// The edit mask in the standard (picture) mask syntax; empty for an empty info.
std::string BuildStandardMask(const TcxDateTimeFormatInfo& info, TcxFormatMaskKind kind);
// The edit mask in the regular-expression syntax, for the date or the time kind (the date-time kind
// gives an empty text).
std::string BuildRegExprMask(const TcxDateTimeFormatInfo& info, TcxFormatMaskKind kind);
// The display format in the class library's date-time format syntax that matches the masks.
std::string BuildDisplayFormat(const TcxDateTimeFormatInfo& info);
// The currency display format of the class library's currency settings: positive and negative
// section.
std::string BuildCurrencyFormat();
// A text as a literal of the regular-expression syntax: runs without "'" between single quotes,
// each "'" as "\'".
std::string QuoteRegExprText(std::string_view text);

// --- Listeners ---

// Told after the locale's formats changed.
class IcxFormatObserver {
public:
  virtual void FormatChanged() = 0;

protected:
  ~IcxFormatObserver() = default;
};

// A format listener that also implements this is told when the system clock was changed.
class IcxTimeChangeObserver {
public:
  virtual void TimeChanged() = 0;

protected:
  ~IcxTimeChangeObserver() = default;
};

// --- The controller ---

class TcxFormatController : public TcxMessageWindow, public IdxResourceStringsObserver {
  CL_CLASS(TcxFormatController, TcxMessageWindow)
public:
  TcxFormatController();
  ~TcxFormatController() override;
  void AfterConstruction() override;

  // Neither owned nor counted; a listener removes itself before it dies. Adding twice keeps one.
  void AddListener(IcxFormatObserver* observer);
  void RemoveListener(IcxFormatObserver* observer);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  // FormatChanged on every listener, first registered first.
  void NotifyListeners();

  // Rebuilds the currency format, then the date-time masks with the smart-input words.
  void Refresh();
  void RebuildDateTimeMasks(bool withSmartInput);
  // The first day of the week, 0 = Sunday.
  int StartOfWeek() const;

  const std::string& CurrencyDisplayFormat() const { return FCurrencyDisplayFormat; }
  const std::string& DateEditStandardMask() const { return FDateEditStandardMask; }
  const std::string& DateTimeEditStandardMask() const { return FDateTimeEditStandardMask; }
  const std::string& DateEditRegExprMask() const { return FDateEditRegExprMask; }
  const std::string& DateTimeEditRegExprMask() const { return FDateTimeEditRegExprMask; }
  const std::string& DateEditDisplayFormat() const { return FDateEditDisplayFormat; }
  const std::string& DateTimeEditDisplayFormat() const { return FDateTimeEditDisplayFormat; }
  const TcxDateTimeFormatInfo& ParsedDateFormat() const { return *FParsedDateFormat; }
  const TcxDateTimeFormatInfo& ParsedTimeFormat() const { return *FParsedTimeFormat; }
  const TcxDateTimeFormatInfo& ParsedDateTimeFormat() const { return *FParsedDateTimeFormat; }

  // The rule for the first week of the year: 0 the locale's, 1 the week with January 1, 2 the
  // first full week, 3 the first week with four days.
  uint8_t FirstWeekRule() const { return FFirstWeekRule; }
  void SetFirstWeekRule(uint8_t value) { FFirstWeekRule = value; }
  // The long time format and the names of Gregorian dates come from the class library's format
  // settings instead of the locale's own (takes effect with the next rebuild). Off by default.
  bool UseClassLibraryFormats() const { return FUseClassLibraryFormats; }
  void SetUseClassLibraryFormats(bool value) { FUseClassLibraryFormats = value; }

  // The long time format: the class library's, or the locale's converted.
  std::string LongTimeFormat() const;
  // The formats that format texts may name, as the controller reads them now.
  TcxNamedFormats NamedFormats() const;

  void ResourceStringsChanged() override;

protected:
  void WndProc(TMessage& message) override;

private:
  void TellListeners(void (*tell)(IcxFormatObserver* observer));

  std::string FCurrencyDisplayFormat;
  std::string FDateEditStandardMask, FDateTimeEditStandardMask;
  std::string FDateEditRegExprMask, FDateTimeEditRegExprMask;
  std::string FDateEditDisplayFormat, FDateTimeEditDisplayFormat;
  uint8_t FFirstWeekRule = 0;
  bool FUseClassLibraryFormats = false;
  TOwned<TcxDateTimeFormatInfo> FParsedDateFormat, FParsedTimeFormat, FParsedDateTimeFormat;
  std::vector<IcxFormatObserver*> FListeners;
  bool FObservingStrings = false;
};

// The process-wide controller, made on first use and freed when the unit shuts down; nullptr once
// shutting down has begun.
TcxFormatController* GetFormatController();
