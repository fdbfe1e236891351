// The format controller: format texts parsed into items, masks and display formats; mask
// positions; the currency format; rebuilding on regional-settings changes and telling listeners.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "tests/toolkit/editors/RegExprTestSupport.h"
#include "toolkit/base/dxCoreResStrings.h"
#include "toolkit/editors/cxFormats.h"
#include "toolkit/editors/cxStandardMask.h"

namespace {
using K = TcxDateTimeFormatItemKind;

// The items of a format: fields by their letters, literal text quoted, separators as "/" and ":".
std::string Items(const TcxDateTimeFormatInfo& info)
{
  std::string text;
  for (int i = 0; i < info.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = *info.GetItem(i);
    std::string shown = item.ItemKind() == K::dtiText            ? "\"" + item.ItemText() + "\""
                        : item.ItemKind() == K::dtiDateSeparator ? "/"
                        : item.ItemKind() == K::dtiTimeSeparator ? ":"
                                                                 : item.ItemText();
    text += (i ? "|" : "") + shown;
  }
  return text;
}

const TcxNamedFormats Named = {"d/M/yyyy", "dddd, MMMM d, yyyy", "h:mm AMPM", "hh:mm:ss AMPM"};

const std::string Day = "([012]?[1-9]|[123]0|31)";
const std::string Months =
    "((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))";
const std::string LongMonths = "((0?[1-9]|1[012])|('January'|'February'|'March'|'April'|'May'|'June'|'July'|'August'|"
                               "'September'|'October'|'November'|'December'))";
const std::string Hour24 = "([01]?\\d|2[0-3])";
const std::string Hour12 = "(0?[1-9]|1[012])";
const std::string MinSec = "[0-5]?\\d";

// Known separators, designators and English month names for every test.
class cxFormatsTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings{LocaleEnUS};
  void SetUp() override
  {
    TFormatSettings& fs = FormatSettings();
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.TimeAMString = "AM";
    fs.TimePMString = "PM";
  }
};

struct TFormatCase {
  const char* Format;
  TcxFormatMaskKind Kind;
  const char* Items;
  std::string StandardMask, RegExprMask;
  const char* DisplayFormat;
};

}  // namespace

TEST_F(cxFormatsTest, FormatsToItemsMasksAndDisplayFormats)
{
  const TFormatCase cases[] = {
      {"d/M/yyyy", TcxFormatMaskKind::Date, "D|/|M|/|YYYY", "!99/99/9999;1; ",
       Day + "\\/" + Months + "\\/\\d\\d\\d\\d", "dd/mm/yyyy"},
      // A second day field is dropped; the literal blank stays.
      {"dd/MM/yyyy dd", TcxFormatMaskKind::Date, "DD|/|MM|/|YYYY|\" \"", "!99/99/9999\\ ;1; ",
       Day + "\\/" + Months + "\\/\\d\\d\\d\\d' '", "dd/mm/yyyy' '"},
      // "m" after "h" is minutes.
      {"h:mm", TcxFormatMaskKind::Time, "24H|:|NN", "00:00;1;0", Hour24 + "\\:" + MinSec, "hh:nn"},
      {"hh:mm:ss AMPM", TcxFormatMaskKind::Time, "12HH|:|NN|:|SS|\" \"|AMPM", "00:00:00\\ cc;1;0",
       Hour12 + "\\:" + MinSec + "\\:" + MinSec + "' '('AM'|'PM')?", "hh:nn:ss' 'ampm"},
      {"h:nn a/p", TcxFormatMaskKind::Time, "12H|:|NN|\" \"|a/p", "00:00\\ c;1;0",
       Hour12 + "\\:" + MinSec + "' '(A|P)?", "hh:nn' 'a/p"},
      // A designator without an hour is dropped.
      {"nn:ss AM/PM", TcxFormatMaskKind::Time, "NN|:|SS|\" \"", "00:00\\ ;1;0", MinSec + "\\:" + MinSec + "' '",
       "nn:ss' '"},
      // Era formats cannot be parsed.
      {"gg yyyy/M/d", TcxFormatMaskKind::Date, "", "", "", ""},
      // "C": short date, a blank, long time.
      {"C", TcxFormatMaskKind::DateTime, "D|/|M|/|YYYY|\" \"|12HH|:|NN|:|SS|\" \"|AMPM", "!99/99/9999\\ 99:99:99\\ cc;1; ",
       "", "dd/mm/yyyy' 'hh:nn:ss' 'ampm"},
      // Six "d": the long date, whose second day field is dropped.
      {"dddddd", TcxFormatMaskKind::Date, "DDDD|\", \"|MMMM|\" , \"|YYYY", "!lll\\,\\ lll\\ \\,\\ 9999;1; ",
       Day + "', '" + LongMonths + "' , '\\d\\d\\d\\d", "ddd', 'mmm' , 'yyyy"},
      // The Chinese locale's formats; its literal characters stay whole, also one whose second byte
      // is the letter "a".
      {"yyyy/M/d", TcxFormatMaskKind::Date, "YYYY|/|M|/|D", "!9999/99/99;1; ",
       "\\d\\d\\d\\d\\/" + Months + "\\/" + Day, "yyyy/mm/dd"},
      {"HH:mm:ss", TcxFormatMaskKind::Time, "24HH|:|NN|:|SS", "00:00:00;1;0",
       Hour24 + "\\:" + MinSec + "\\:" + MinSec, "hh:nn:ss"},
      {"yyyy年M月d日dddd", TcxFormatMaskKind::Date, "YYYY|\"年\"|M|\"月\"|D|\"日\"", "!9999\\年99\\月99\\日;1; ",
       "\\d\\d\\d\\d'年'" + Months + "'月'" + Day + "'日'", "yyyy'年'mm'月'dd'日'"},
      {"yyyy盿M", TcxFormatMaskKind::Date, "YYYY|\"盿\"|M", "!9999\\盿99;1; ", "\\d\\d\\d\\d'盿'" + Months,
       "yyyy'盿'mm"},
  };
  for (const TFormatCase& c : cases) {
    TOwned<TcxDateTimeFormatInfo> info = MakeOwned<TcxDateTimeFormatInfo>();
    EXPECT_EQ(BuildFormatInfo(c.Format, *info, Named), std::string(c.Items) != "") << c.Format;
    EXPECT_EQ(Items(*info), c.Items) << c.Format;
    EXPECT_EQ(BuildStandardMask(*info, c.Kind), c.StandardMask) << c.Format;
    EXPECT_EQ(BuildRegExprMask(*info, c.Kind), c.RegExprMask) << c.Format;
    EXPECT_EQ(BuildDisplayFormat(*info), c.DisplayFormat) << c.Format;
  }
  // The locale's designator letters become the class library's.
  EXPECT_EQ(ConvertLocaleTimeFormat("hh:mm:ss tt"), "hh:mm:ss AMPM");
  EXPECT_EQ(ConvertLocaleTimeFormat("t h:mm"), "A/P h:mm");
  EXPECT_EQ(ConvertLocaleTimeFormat("tth时mm分"), "AMPMh时mm分");
}

TEST_F(cxFormatsTest, ItemsAtMaskPositions)
{
  TOwned<TcxDateTimeFormatInfo> info = MakeOwned<TcxDateTimeFormatInfo>();
  ASSERT_TRUE(BuildFormatInfo("hh:mm:ss AMPM", *info, Named));
  EXPECT_EQ(GetMaskWidth(*info), 11);
  const struct {
    int Position;
    bool Found;
    K Kind;
    int Start, Length;
  } cases[] = {{0, false, K::dtiText, 0, 0},    {1, true, K::dtiHour, 1, 2},  {2, true, K::dtiHour, 1, 2},
               {3, true, K::dtiTimeSeparator, 3, 1}, {9, true, K::dtiText, 9, 1}, {10, true, K::dtiAmPm, 10, 2},
               {11, true, K::dtiAmPm, 10, 2},  {12, false, K::dtiText, 0, 0}};
  for (const auto& c : cases) {
    K kind = K::dtiText;
    int start = 0, length = 0, style = -1;
    EXPECT_EQ(FindItemAtMaskPosition(*info, c.Position, kind, start, length, style), c.Found) << c.Position;
    if (!c.Found) continue;
    EXPECT_EQ(kind, c.Kind) << c.Position;
    EXPECT_EQ(start, c.Start) << c.Position;
    EXPECT_EQ(length, c.Length) << c.Position;
    if (kind == K::dtiAmPm) {
      EXPECT_EQ(style, 2);
    }
  }
  // The designator's style: "A/P", "AM/PM" (any case), the locale's strings; a literal counts its
  // bytes.
  const struct {
    const char* Format;
    int Position, Style, Length;
  } styles[] = {{"h a/p", 4, 0, 1}, {"h am/pm", 4, 1, 2}, {"h AM/PM", 5, 1, 2}};
  for (const auto& s : styles) {
    ASSERT_TRUE(BuildFormatInfo(s.Format, *info, Named));
    K kind;
    int start, length, style = -1;
    ASSERT_TRUE(FindItemAtMaskPosition(*info, s.Position, kind, start, length, style)) << s.Format;
    EXPECT_EQ(kind, K::dtiAmPm) << s.Format;
    EXPECT_EQ(style, s.Style) << s.Format;
    EXPECT_EQ(length, s.Length) << s.Format;
  }
  ASSERT_TRUE(BuildFormatInfo("yyyy年M", *info, Named));
  EXPECT_EQ(GetMaskWidth(*info), 8);
  info->Clear();
  K kind;
  int start, length, style;
  EXPECT_FALSE(FindItemAtMaskPosition(*info, 1, kind, start, length, style));
}

TEST_F(cxFormatsTest, CurrencyFormats)
{
  TFormatSettings& fs = FormatSettings();
  fs.CurrencyString = "kr.";
  fs.CurrencyDecimals = 2;
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  EXPECT_EQ(BuildCurrencyFormat(), ",0.00 kr'.';-,0.00 kr'.'");

  fs.CurrencyString = "$";
  fs.CurrencyFormat = 0;
  const char* const negatives[16] = {"($,0.00)",  "-$,0.00",  "$-,0.00",  "$,0.00-",  "(,0.00$)",  "-,0.00$",
                                     ",0.00-$",   ",0.00$-",  "-,0.00 $", "-$ ,0.00", ",0.00 $-",  "$ ,0.00-",
                                     "$ -,0.00",  ",0.00- $", "($ ,0.00)", "(,0.00 $)"};
  for (int pattern = 0; pattern < 16; ++pattern) {
    fs.NegCurrFormat = pattern;
    EXPECT_EQ(BuildCurrencyFormat(), std::string("$,0.00;") + negatives[pattern]) << pattern;
  }
  const char* const positives[4] = {"$,0.00", ",0.00$", "$ ,0.00", ",0.00 $"};
  fs.NegCurrFormat = 1;
  for (int pattern = 0; pattern < 4; ++pattern) {
    fs.CurrencyFormat = pattern;
    EXPECT_EQ(BuildCurrencyFormat(), std::string(positives[pattern]) + ";-$,0.00") << pattern;
  }
  fs.CurrencyFormat = 0;
  fs.CurrencyDecimals = 0;
  fs.CurrencyString = "元,";
  EXPECT_EQ(BuildCurrencyFormat(), "元',',0.;-元',',0.");
}

// --- The controller ---

namespace {

class TRecordingListener : public IcxFormatObserver {
public:
  int Changes = 0;
  void FormatChanged() override { ++Changes; }
};

class TClockListener : public TRecordingListener, public IcxTimeChangeObserver {
public:
  int ClockChanges = 0;
  void TimeChanged() override { ++ClockChanges; }
};

// Registers listeners for the scope.
class TScopedListener {
public:
  explicit TScopedListener(IcxFormatObserver* listener) : FListener(listener) { GetFormatController()->AddListener(listener); }
  ~TScopedListener() { GetFormatController()->RemoveListener(FListener); }

private:
  IcxFormatObserver* FListener;
};

LRESULT SendSettingChange(const char* section)
{
  return SendMessageA(GetFormatController()->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section));
}

// The controller rebuilt from the settings as the test leaves them.
class cxFormatControllerTest : public testing::Test {
protected:
  TScopedFormatSettings FSettings;
  void TearDown() override { GetFormatController()->Refresh(); }
};

}  // namespace

TEST_F(cxFormatControllerTest, MasksOfTheChineseLocaleWithTheSmartWords)
{
  ReloadFormatSettings();
  TcxFormatController* controller = GetFormatController();
  controller->Refresh();
  EXPECT_EQ(controller->DateEditStandardMask(), "!9999/99/99;1; ");
  EXPECT_EQ(controller->DateTimeEditStandardMask(), "!9999/99/99\\ 99:99:99;1; ");
  EXPECT_EQ(controller->DateEditDisplayFormat(), "yyyy/mm/dd");
  EXPECT_EQ(controller->DateTimeEditDisplayFormat(), "yyyy/mm/dd' 'hh:nn:ss");
  EXPECT_EQ(Items(controller->ParsedTimeFormat()), "24HH|:|NN|:|SS");
  const std::string tail = ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
  EXPECT_TRUE(controller->DateEditRegExprMask().starts_with("(\\d\\d\\d\\d\\/")) << controller->DateEditRegExprMask();
  EXPECT_TRUE(controller->DateEditRegExprMask().ends_with("|'bom'|'eom'" + tail)) << controller->DateEditRegExprMask();
  EXPECT_TRUE(controller->DateTimeEditRegExprMask().ends_with("|'eom'|'now'" + tail));
  EXPECT_NE(controller->DateTimeEditRegExprMask().find(" ' '(" + Hour24 + "\\:" + MinSec + "\\:" + MinSec + ")?)|("),
            std::string::npos)
      << controller->DateTimeEditRegExprMask();

  // A short date format that cannot be parsed leaves the date masks empty, and the date-time
  // expression only the smart words.
  FormatSettings().ShortDateFormat = "gg yyyy/m/d";
  controller->RebuildDateTimeMasks(false);
  EXPECT_EQ(controller->DateEditStandardMask(), "");
  EXPECT_EQ(controller->DateEditRegExprMask(), "");
  EXPECT_EQ(controller->DateTimeEditRegExprMask(), "");
  EXPECT_EQ(controller->DateEditDisplayFormat(), "");
  controller->Refresh();
  EXPECT_TRUE(controller->DateTimeEditRegExprMask().starts_with("()|('today'|")) << controller->DateTimeEditRegExprMask();
}

TEST_F(cxFormatControllerTest, TheDateMasksOfALocaleAcceptItsOwnDates)
{
  const TDateTime dates[] = {D(2024, 1, 1), D(2024, 2, 29), D(1999, 9, 30), D(2024, 10, 10), D(2025, 11, 20),
                             D(2024, 12, 31), D(2003, 7, 9)};
  const TDateTime times[] = {EncodeTime(0, 0, 0, 0), EncodeTime(9, 5, 7, 0), EncodeTime(12, 30, 0, 0),
                             EncodeTime(23, 59, 59, 0)};
  for (LCID locale : {LocaleEnUS, LocaleZhCN}) {
    SCOPED_TRACE(locale);
    TScopedThreadLocale scoped(locale);
    TcxFormatController* controller = GetFormatController();
    controller->Refresh();
    TOwned<TcxRegExpr> date = CompiledRegExpr(controller->DateEditRegExprMask());
    TOwned<TcxRegExpr> dateTime = CompiledRegExpr(controller->DateTimeEditRegExprMask());
    auto standard = MakeOwned<TcxStandardMask>();
    standard->SetMask(controller->DateEditStandardMask());
    for (TDateTime day : dates) {
      std::string text = FormatDateTime(controller->DateEditDisplayFormat(), day);
      EXPECT_TRUE(AcceptsWhole(*date, text)) << text << " by " << controller->DateEditRegExprMask();
      EXPECT_FALSE(AcceptsWhole(*date, text + "1")) << text;
      standard->Format(text);
      EXPECT_TRUE(standard->IsFullValid(text)) << text << " by " << controller->DateEditStandardMask();
      for (TDateTime time : times) {
        const std::string withTime = FormatDateTime(controller->DateTimeEditDisplayFormat(), day + time);
        EXPECT_TRUE(AcceptsWhole(*dateTime, withTime)) << withTime << " by " << controller->DateTimeEditRegExprMask();
      }
    }
    // The smart words, with a count of days of up to four digits; "now" only with the time.
    for (const char* text : {"today", "eom+12", "bom-3", "tomorrow+1000", "first"}) {
      EXPECT_TRUE(AcceptsWhole(*date, text)) << text;
      EXPECT_TRUE(AcceptsWhole(*dateTime, text)) << text;
    }
    for (const char* text : {"eom+", "eom+12345", "today12", "now"}) EXPECT_FALSE(AcceptsWhole(*date, text)) << text;
    EXPECT_TRUE(AcceptsWhole(*dateTime, "now"));
  }
}

TEST_F(cxFormatControllerTest, RegionalSettingsChangesRebuildAndTellEachListenerOnce)
{
  TcxFormatController* controller = GetFormatController();
  ReloadFormatSettings();
  controller->Refresh();
  const std::string before = controller->DateEditStandardMask();
  TRecordingListener first, second;
  TScopedListener one(&first), two(&second), again(&first);
  EXPECT_EQ(controller->ListenerCount(), 2);
  {
    TScopedUserLocaleInfo shortDate(LOCALE_SSHORTDATE, "dd.MM.yy");
    ASSERT_TRUE(shortDate.Set());
    // Another section, the same name in other case, no section, and the switch off change nothing.
    EXPECT_EQ(SendSettingChange("Intl"), 0);
    SendSettingChange("WindowMetrics");
    SendSettingChange(nullptr);
    Application->SetUpdateFormatSettings(false);
    SendSettingChange("intl");
    Application->SetUpdateFormatSettings(true);
    EXPECT_EQ(controller->DateEditStandardMask(), before);
    EXPECT_EQ(first.Changes + second.Changes, 0);

    EXPECT_EQ(SendSettingChange("intl"), 0);
    EXPECT_EQ(controller->DateEditStandardMask(), "!99/99/99;1; ");
    EXPECT_EQ(controller->DateEditDisplayFormat(), "dd/mm/yy");
    EXPECT_EQ(FormatSettings().DateSeparator, '.');
    EXPECT_EQ(first.Changes, 1);
    EXPECT_EQ(second.Changes, 1);
  }
  SendSettingChange("intl");
  EXPECT_EQ(controller->DateEditStandardMask(), before);
  EXPECT_EQ(first.Changes, 2);
}

TEST_F(cxFormatControllerTest, ClockChangesReachOnlyTheClockListeners)
{
  TRecordingListener formats;
  TClockListener clock;
  TScopedListener one(&formats), two(&clock);
  EXPECT_EQ(SendMessageA(GetFormatController()->Handle(), WM_TIMECHANGE, 0, 0), 0);
  EXPECT_EQ(clock.ClockChanges, 1);
  EXPECT_EQ(clock.Changes, 0);
  EXPECT_EQ(formats.Changes, 0);
}

TEST_F(cxFormatControllerTest, AListenerRemovedWhileListenersAreToldIsNotTold)
{
  struct TRemover : IcxFormatObserver {
    IcxFormatObserver* Victim = nullptr;
    void FormatChanged() override { GetFormatController()->RemoveListener(Victim); }
  };
  TRecordingListener victim;
  TRemover remover;
  remover.Victim = &victim;
  TScopedListener one(&remover), two(&victim);
  GetFormatController()->NotifyListeners();
  EXPECT_EQ(victim.Changes, 0);
  EXPECT_EQ(GetFormatController()->ListenerCount(), 1);
}

TEST_F(cxFormatControllerTest, ListensToTheResourceStrings)
{
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  bool listed = false;
  for (int i = 0; i < repository->GetListenerCount(); ++i)
    listed |= repository->GetListener(i) == static_cast<IdxResourceStringsObserver*>(GetFormatController());
  EXPECT_TRUE(listed);
  TRecordingListener listener;
  TScopedListener scoped(&listener);
  GetFormatController()->ResourceStringsChanged();
  EXPECT_EQ(listener.Changes, 1);
}
