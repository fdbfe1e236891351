// Parsing of date-time format texts, and the masks and display formats built from a parsed format.
#include <algorithm>
#include <array>
#include "classlib/SysUtils.h"
#include "classlib/Win.h"
#include "toolkit/editors/cxFormats.h"

namespace {
using K = TcxDateTimeFormatItemKind;

bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsAsciiLetter(char c) { return UpperAscii(c) >= 'A' && UpperAscii(c) <= 'Z'; }

// Bytes of the character at pos: a lead byte with its trail byte counts two.
size_t CharLength(std::string_view text, size_t pos)
{
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// The text from pos begins with word, case ignored.
bool StartsWithWord(std::string_view text, size_t pos, std::string_view word)
{
  if (text.size() - pos < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (UpperAscii(text[pos + i]) != UpperAscii(word[i])) return false;
  return true;
}

// Reads a format text into a format info: literal text merges with the literal before it, a field
// of a kind already present is dropped, and named formats are parsed in place up to two levels.
class TFormatParser {
public:
  TFormatParser(TcxDateTimeFormatInfo& info, const TcxNamedFormats& named) : FInfo(info), FNamed(named) {}

  bool Parse(std::string_view text, int depth);
  // Whether the hours of the format count to 12 (an hour and an AM/PM designator on one level).
  bool TwelveHour() const { return FTwelveHour; }

private:
  void AddText(std::string_view text);
  void AddField(K kind, std::string text);
  void AddSeparator(K kind) { FInfo.AddItem(kind, {}); }

  TcxDateTimeFormatInfo& FInfo;
  const TcxNamedFormats& FNamed;
  bool FTwelveHour = false;
};

bool TFormatParser::Parse(std::string_view text, int depth)
{
  // A format that a nested expansion would expand again adds nothing.
  if (depth >= 2) return true;
  size_t pos = 0;
  char last = ' ';
  bool hourSeen = false, amPmSeen = false;
  while (pos < text.size()) {
    const char c = text[pos];
    if (CharLength(text, pos) == 2) {
      AddText(text.substr(pos, 2));
      pos += 2;
      last = ' ';
      continue;
    }
    ++pos;
    char letter = UpperAscii(c);
    if (IsAsciiLetter(letter)) {
      if (letter == 'M' && last == 'H') letter = 'N';  // minutes right after hours
      last = letter;
    }
    // The character and its repetitions after it.
    size_t run = 1;
    while (pos - 1 + run < text.size() && UpperAscii(text[pos - 1 + run]) == UpperAscii(c)) ++run;
    auto takeRun = [&] {
      pos += run - 1;
      return run;
    };
    switch (letter) {
    case '"':
    case '\'': {
      size_t end = pos;
      while (end < text.size() && text[end] != c) end += CharLength(text, end);
      AddText(text.substr(pos, std::min(end, text.size()) - pos));
      pos = std::min(end + 1, text.size());
      break;
    }
    case '/': AddSeparator(K::dtiDateSeparator); break;
    case ':': AddSeparator(K::dtiTimeSeparator); break;
    case 'A':
      if (StartsWithWord(text, pos - 1, "AM/PM")) {
        AddField(K::dtiAmPm, std::string(text.substr(pos - 1, 5)));
        pos += 4;
        amPmSeen = true;
      } else if (StartsWithWord(text, pos - 1, "A/P")) {
        AddField(K::dtiAmPm, std::string(text.substr(pos - 1, 3)));
        pos += 2;
        amPmSeen = true;
      } else if (StartsWithWord(text, pos - 1, "AMPM")) {
        AddField(K::dtiAmPm, "AMPM");
        pos += 3;
        amPmSeen = true;
      } else if (run >= 3) {
        AddField(K::dtiDay, takeRun() == 3 ? "DDD" : "DDDD");
      } else {
        AddText(std::string_view(&c, 1));
      }
      break;
    case 'C':
      takeRun();
      if (!Parse(FNamed.ShortDate, depth + 1)) return false;
      AddText(" ");
      if (!Parse(FNamed.LongTime, depth + 1)) return false;
      break;
    case 'D':
      takeRun();
      if (run <= 4) AddField(K::dtiDay, std::string(run, 'D'));
      else if (!Parse(run == 5 ? FNamed.ShortDate : FNamed.LongDate, depth + 1)) return false;
      break;
    case 'E':
    case 'Y': AddField(K::dtiYear, takeRun() > 2 ? "YYYY" : "YY"); break;
    case 'G': return false;  // era formats are not supported
    case 'H':
      AddField(K::dtiHour, std::string(std::min<size_t>(takeRun(), 2), 'H'));
      hourSeen = true;
      break;
    case 'M': AddField(K::dtiMonth, std::string(std::min<size_t>(takeRun(), 4), 'M')); break;
    case 'N': AddField(K::dtiMinute, std::string(std::min<size_t>(takeRun(), 2), 'N')); break;
    case 'S': AddField(K::dtiSecond, std::string(std::min<size_t>(takeRun(), 2), 'S')); break;
    case 'Z': AddField(K::dtiMillisecond, std::string(std::min<size_t>(takeRun(), 3), 'Z')); break;
    case 'T':
      if (!Parse(takeRun() == 1 ? FNamed.ShortTime : FNamed.LongTime, depth + 1)) return false;
      break;
    default: AddText(std::string_view(&c, 1)); break;
    }
  }
  if (hourSeen) FTwelveHour = amPmSeen;
  return true;
}

void TFormatParser::AddText(std::string_view text)
{
  if (text.empty()) return;
  const int count = FInfo.ItemCount();
  if (count > 0 && FInfo.GetItem(count - 1)->ItemKind() == K::dtiText) {
    TcxDateTimeFormatItem* item = FInfo.GetItem(count - 1);
    item->SetItemText(item->ItemText() + std::string(text));
  } else {
    FInfo.AddItem(K::dtiText, std::string(text));
  }
}

void TFormatParser::AddField(K kind, std::string text)
{
  if (FInfo.IndexOfKind(kind) < 0) FInfo.AddItem(kind, std::move(text));
}

// 0 "A/P", 1 "AM/PM", 2 the locale's strings.
int AmPmStyle(const TcxDateTimeFormatItem& item)
{
  if (SameText(item.ItemText(), "A/P")) return 0;
  if (SameText(item.ItemText(), "AM/PM")) return 1;
  return 2;
}

int LocaleAmPmWidth()
{
  const TFormatSettings& fs = FormatSettings();
  return static_cast<int>(std::max(fs.TimeAMString.size(), fs.TimePMString.size()));
}

// A separator of the regular-expression syntax: a blank quoted, any other character escaped.
std::string RegExprSeparator(char separator)
{
  if (separator == '\0') return {};
  if (separator == ' ') return "' '";
  return std::string("\\") + separator;
}

std::string RegExprMonthNames(const std::array<std::string, 12>& names)
{
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "|") + QuoteRegExprText(name);
  return text;
}

std::string RegExprAmPm(const TcxDateTimeFormatItem& item)
{
  switch (AmPmStyle(item)) {
  case 0: return "(A|P)?";
  case 1: return "(AM|PM)?";
  default: {
    const TFormatSettings& fs = FormatSettings();
    std::string alternatives;
    for (const std::string* s : {&fs.TimeAMString, &fs.TimePMString})
      if (!s->empty()) alternatives += (alternatives.empty() ? "" : "|") + QuoteRegExprText(*s);
    return alternatives.empty() ? std::string() : "(" + alternatives + ")?";
  }
  }
}

std::string ExpandCurrencyPattern(std::string_view pattern, const std::string& symbol, const std::string& number)
{
  std::string text;
  for (char c : pattern) text += c == 's' ? symbol : c == 'n' ? number : std::string(1, c);
  return text;
}

// The currency formats of the locale: s the symbol, n the number.
constexpr std::array<std::string_view, 4> PositiveCurrencyPatterns = {"sn", "ns", "s n", "n s"};
constexpr std::array<std::string_view, 16> NegativeCurrencyPatterns = {
    "(sn)", "-sn", "s-n", "sn-", "(ns)", "-ns", "n-s", "ns-", "-n s", "-s n", "n s-", "s n-", "s -n", "n- s", "(s n)",
    "(n s)"};

}  // namespace

// --- TcxDateTimeFormatInfo ---

CL_DEFINE_CLASS(TcxDateTimeFormatItem);
CL_DEFINE_CLASS(TcxDateTimeFormatInfo);

void TcxDateTimeFormatInfo::AddItem(TcxDateTimeFormatItemKind kind, std::string text)
{
  FItems.push_back(MakeOwned<TcxDateTimeFormatItem>(kind, std::move(text)));
  SetDefined(kind, true);
}

void TcxDateTimeFormatInfo::DeleteItem(int index) { FItems.erase(FItems.begin() + index); }

void TcxDateTimeFormatInfo::Clear()
{
  FItems.clear();
  std::fill(std::begin(FDefined), std::end(FDefined), false);
}

int TcxDateTimeFormatInfo::IndexOfKind(TcxDateTimeFormatItemKind kind) const
{
  for (int i = 0; i < ItemCount(); ++i)
    if (FItems[i]->ItemKind() == kind) return i;
  return -1;
}

// --- Parsing ---

bool BuildFormatInfo(std::string_view text, TcxDateTimeFormatInfo& info, const TcxNamedFormats& named)
{
  info.Clear();
  TFormatParser parser(info, named);
  if (!parser.Parse(text.empty() ? std::string_view("C") : text, 0)) {
    info.Clear();
    return false;
  }
  const int hour = info.IndexOfKind(K::dtiHour);
  const int amPm = info.IndexOfKind(K::dtiAmPm);
  if (hour >= 0) {
    TcxDateTimeFormatItem* item = info.GetItem(hour);
    item->SetItemText((parser.TwelveHour() ? "12" : "24") + item->ItemText());
  } else if (amPm >= 0) {
    // A designator without an hour means nothing.
    info.DeleteItem(amPm);
    info.SetDefined(K::dtiAmPm, false);
  }
  return true;
}

std::string ConvertLocaleTimeFormat(std::string_view format)
{
  std::string text;
  size_t pos = 0;
  while (pos < format.size()) {
    const size_t length = CharLength(format, pos);
    if (length == 1 && UpperAscii(format[pos]) == 'T') {
      size_t run = 1;
      while (pos + run < format.size() && UpperAscii(format[pos + run]) == 'T') ++run;
      text += run == 1 ? "A/P" : "AMPM";
      pos += run;
    } else {
      text += format.substr(pos, length);
      pos += length;
    }
  }
  return text;
}

// --- Masks ---

int GetItemMaskWidth(const TcxDateTimeFormatItem& item)
{
  const size_t letters = item.ItemText().size();
  switch (item.ItemKind()) {
  case K::dtiText: return static_cast<int>(letters);
  case K::dtiYear: return letters == 2 ? 2 : 4;
  case K::dtiMonth:
  case K::dtiDay: return letters > 2 ? 3 : 2;
  case K::dtiHour:
  case K::dtiMinute:
  case K::dtiSecond: return 2;
  case K::dtiMillisecond: return 0;
  case K::dtiAmPm: {
    const int style = AmPmStyle(item);
    return style == 0 ? 1 : style == 1 ? 2 : LocaleAmPmWidth();
  }
  case K::dtiDateSeparator:
  case K::dtiTimeSeparator: return 1;
  }
  return 0;
}

int GetMaskWidth(const TcxDateTimeFormatInfo& info)
{
  int width = 0;
  for (int i = 0; i < info.ItemCount(); ++i) width += GetItemMaskWidth(*info.GetItem(i));
  return width;
}

bool FindItemAtMaskPosition(const TcxDateTimeFormatInfo& info, int position, TcxDateTimeFormatItemKind& kind,
                            int& start, int& length, int& amPmStyle)
{
  if (position <= 0) return false;
  int first = 1;
  for (int i = 0; i < info.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = *info.GetItem(i);
    const int width = GetItemMaskWidth(item);
    if (first + width > position) {
      kind = item.ItemKind();
      start = first;
      length = width;
      if (kind == K::dtiAmPm) amPmStyle = AmPmStyle(item);
      return true;
    }
    first += width;
  }
  return false;
}

std::string BuildStandardMask(const TcxDateTimeFormatInfo& info, TcxFormatMaskKind kind)
{
  if (info.ItemCount() == 0) return {};
  const bool time = kind == TcxFormatMaskKind::Time;
  std::string mask = time ? "" : "!";
  for (int i = 0; i < info.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = *info.GetItem(i);
    const std::string& text = item.ItemText();
    switch (item.ItemKind()) {
    case K::dtiText:
      for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        mask += "\\" + text.substr(pos, CharLength(text, pos));
      break;
    case K::dtiYear: mask += text.size() == 2 ? "99" : "9999"; break;
    case K::dtiMonth:
    case K::dtiDay: mask += text.size() > 2 ? "lll" : "99"; break;
    case K::dtiHour:
    case K::dtiMinute:
    case K::dtiSecond: mask += time ? "00" : "99"; break;
    case K::dtiMillisecond: break;
    case K::dtiAmPm: mask += std::string(GetItemMaskWidth(item), 'c'); break;
    case K::dtiDateSeparator: mask += "/"; break;
    case K::dtiTimeSeparator: mask += ":"; break;
    }
  }
  return mask + (time ? ";1;0" : ";1; ");
}

std::string QuoteRegExprText(std::string_view text)
{
  std::string quoted;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == '\'') {
      quoted += "\\'";
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < text.size() && text[end] != '\'') end += CharLength(text, end);
    quoted += "'" + std::string(text.substr(pos, end - pos)) + "'";
    pos = end;
  }
  return quoted;
}

std::string BuildRegExprMask(const TcxDateTimeFormatInfo& info, TcxFormatMaskKind kind)
{
  if (kind == TcxFormatMaskKind::DateTime) return {};
  const TFormatSettings& fs = FormatSettings();
  const bool date = kind == TcxFormatMaskKind::Date;
  std::string mask;
  for (int i = 0; i < info.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = *info.GetItem(i);
    const std::string& text = item.ItemText();
    switch (item.ItemKind()) {
    case K::dtiText: mask += QuoteRegExprText(text); break;
    case K::dtiYear:
      if (date) mask += text.size() == 2 ? "\\d\\d" : "\\d\\d\\d\\d";
      break;
    case K::dtiMonth:
      if (date)
        mask += "((0?[1-9]|1[012])|(" + RegExprMonthNames(text.size() == 4 ? fs.LongMonthNames : fs.ShortMonthNames) +
                "))";
      break;
    case K::dtiDay:
      if (date) mask += "([012]?[1-9]|[123]0|31)";
      break;
    case K::dtiDateSeparator:
      if (date) mask += RegExprSeparator(fs.DateSeparator);
      break;
    case K::dtiHour:
      if (!date) mask += text.starts_with("12") ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])";
      break;
    case K::dtiMinute:
    case K::dtiSecond:
      if (!date) mask += "[0-5]?\\d";
      break;
    case K::dtiAmPm:
      if (!date) mask += RegExprAmPm(item);
      break;
    case K::dtiTimeSeparator:
      if (!date) mask += RegExprSeparator(fs.TimeSeparator);
      break;
    case K::dtiMillisecond: break;
    }
  }
  return mask;
}

std::string BuildDisplayFormat(const TcxDateTimeFormatInfo& info)
{
  std::string format;
  for (int i = 0; i < info.ItemCount(); ++i) {
    const TcxDateTimeFormatItem& item = *info.GetItem(i);
    const std::string& text = item.ItemText();
    switch (item.ItemKind()) {
    case K::dtiText: {
      const char quote = text.find('\'') == std::string::npos ? '\'' : '"';
      format += quote + text + quote;
      break;
    }
    case K::dtiYear:
    case K::dtiAmPm: format += LowerCase(text); break;
    case K::dtiMonth: format += text.size() > 2 ? "mmm" : "mm"; break;
    case K::dtiDay: format += text.size() > 2 ? "ddd" : "dd"; break;
    case K::dtiHour: format += "hh"; break;
    case K::dtiMinute: format += "nn"; break;
    case K::dtiSecond: format += "ss"; break;
    case K::dtiMillisecond: break;
    case K::dtiDateSeparator: format += "/"; break;
    case K::dtiTimeSeparator: format += ":"; break;
    }
  }
  return format;
}

std::string BuildCurrencyFormat()
{
  const TFormatSettings& fs = FormatSettings();
  const std::string number = ",0." + std::string(std::max(fs.CurrencyDecimals, 0), '0');
  std::string symbol;
  const std::string_view currency = fs.CurrencyString;
  for (size_t pos = 0; pos < currency.size(); pos += CharLength(currency, pos)) {
    const std::string_view c = currency.substr(pos, CharLength(currency, pos));
    symbol += c == "," || c == "." ? "'" + std::string(c) + "'" : std::string(c);
  }
  const auto pick = [](auto& patterns, int index) {
    return patterns[index >= 0 && index < static_cast<int>(patterns.size()) ? index : 0];
  };
  return ExpandCurrencyPattern(pick(PositiveCurrencyPatterns, fs.CurrencyFormat), symbol, number) + ";" +
         ExpandCurrencyPattern(pick(NegativeCurrencyPatterns, fs.NegCurrFormat), symbol, number);
}
