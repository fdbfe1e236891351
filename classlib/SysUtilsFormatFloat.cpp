// FormatFloat: numbers written through a picture format ("#,##0.00;(#,##0.00);Zero"), for doubles
// and for exact decimal (BCD) values, through one engine over a decimal digit string.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/FMTBcd.h"
#include "classlib/SysUtils.h"
#include "classlib/SysUtilsDecimal.h"

namespace {

void TrimDigits(TDecimal& d)
{
  size_t lead = d.Digits.find_first_not_of('0');
  if (lead == std::string::npos) {
    d.Digits.clear();
    d.Exponent = 0;
    return;
  }
  d.Digits.erase(0, lead);
  d.Exponent -= static_cast<int>(lead);
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

void RoundDigits(TDecimal& d, int keep) { RoundDecimalDigits(d.Digits, d.Exponent, keep); }

// One section of a format, read once: where its placeholders are and what they ask for.
struct TSectionInfo {
  int IntPlaceholders = 0;    // '0' and '#' before the point
  int IntZeros = 0;           // placeholders from the first '0' before the point on: least digits
  int FracPlaceholders = 0;   // '0' and '#' after the point: most decimals
  int FracZeros = 0;          // up to the last '0' after the point: least decimals
  bool Thousands = false;
  bool Scientific = false;
};

// Steps through one section, calling `onToken` for every literal text, placeholder, point and
// exponent in order. Quoted text ('..' or "..") and a character after a backslash are literal; an
// unterminated quote runs to the end of the section.
enum class TToken { Literal, IntDigit, FracDigit, Point, Comma, Exponent };
template <class F>
void ScanSection(std::string_view s, F&& onToken)
{
  bool afterPoint = false;
  bool exponentSeen = false;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == '"' || c == '\'') {
      size_t end = s.find(c, i + 1);
      if (end == std::string_view::npos) end = s.size();
      onToken(TToken::Literal, s.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '\\' && i + 1 < s.size()) {
      onToken(TToken::Literal, s.substr(i + 1, 1));
      i += 2;
    } else if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < s.size()) {
      onToken(TToken::Literal, s.substr(i, 2));
      i += 2;
    } else if ((c == '0' || c == '#') && !exponentSeen) {
      onToken(afterPoint ? TToken::FracDigit : TToken::IntDigit, s.substr(i, 1));
      ++i;
    } else if (c == '.' && !afterPoint && !exponentSeen) {
      afterPoint = true;
      onToken(TToken::Point, s.substr(i, 1));
      ++i;
    } else if (c == ',' && !afterPoint && !exponentSeen) {
      onToken(TToken::Comma, s.substr(i, 1));  // asks for thousands separators; no output of its own
      ++i;
    } else if (c == '.' || c == ',') {
      ++i;  // a second point and commas after the point are no output either
    } else if ((c == 'E' || c == 'e') && !exponentSeen && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      size_t end = i + 2;
      while (end < s.size() && s[end] == '0') ++end;
      exponentSeen = true;
      onToken(TToken::Exponent, s.substr(i, end - i));
      i = end;
    } else {
      onToken(TToken::Literal, s.substr(i, 1));
      ++i;
    }
  }
}

TSectionInfo ReadSection(std::string_view s)
{
  TSectionInfo info;
  int intSeen = 0;
  int firstIntZero = -1;
  int fracSeen = 0;
  ScanSection(s, [&](TToken t, std::string_view text) {
    switch (t) {
    case TToken::IntDigit:
      if (text[0] == '0' && firstIntZero < 0) firstIntZero = intSeen;
      ++intSeen;
      break;
    case TToken::FracDigit:
      ++fracSeen;
      if (text[0] == '0') info.FracZeros = fracSeen;
      break;
    case TToken::Comma:
      info.Thousands = true;
      break;
    case TToken::Exponent:
      info.Scientific = true;
      break;
    default:
      break;
    }
  });
  info.IntPlaceholders = intSeen;
  info.IntZeros = firstIntZero < 0 ? 0 : intSeen - firstIntZero;
  info.FracPlaceholders = fracSeen;
  return info;
}

// The sections of a format, split at semicolons outside quotes (at most three count).
std::vector<std::string_view> SplitSections(std::string_view format)
{
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '\\') {
      ++i;
    } else if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
      ++i;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(std::min(start, format.size())));
  if (sections.size() > 3) sections.resize(3);
  return sections;
}

std::string ExponentPart(std::string_view token, int exponent)
{
  std::string s(1, token[0]);
  if (exponent < 0) s += '-';
  else if (token[1] == '+') s += '+';
  std::string digits = std::to_string(std::abs(exponent));
  const int least = static_cast<int>(token.size()) - 2;
  if (static_cast<int>(digits.size()) < least) s.append(least - digits.size(), '0');
  return s + digits;
}

// Writes the (already signless) value through one section.
std::string ApplySection(std::string_view section, const TSectionInfo& info, TDecimal d)
{
  std::string intDigits, fracDigits;
  int exponent = 0;
  if (info.Scientific) {
    const int intCount = std::max(info.IntPlaceholders, 1);
    RoundDigits(d, intCount + info.FracPlaceholders);
    exponent = d.Digits.empty() ? 0 : d.Exponent - intCount;
    for (int i = 0; i < intCount; ++i) intDigits += DigitAt(d, i);
    for (int i = 0; i < info.FracPlaceholders; ++i) fracDigits += DigitAt(d, intCount + i);
    // Leading zeros of the integer digits are shown only as far as '0' placeholders ask.
    const size_t lead = std::min(intDigits.find_first_not_of('0'), intDigits.size());
    intDigits.erase(0, std::min<size_t>(lead, std::max(0, intCount - info.IntZeros)));
  } else {
    RoundDigits(d, d.Exponent + info.FracPlaceholders);
    for (int i = 0; i < d.Exponent; ++i) intDigits += DigitAt(d, i);
    for (int i = 0; i < info.FracPlaceholders; ++i) fracDigits += DigitAt(d, d.Exponent + i);
    if (static_cast<int>(intDigits.size()) < info.IntZeros)
      intDigits.insert(0, info.IntZeros - intDigits.size(), '0');
  }
  while (static_cast<int>(fracDigits.size()) > info.FracZeros && fracDigits.back() == '0') fracDigits.pop_back();

  const std::string& separator = FormatSettings().ThousandSeparator;
  const int intLen = static_cast<int>(intDigits.size());
  std::string out;
  auto putIntDigit = [&](int index) {
    out += intDigits[index];
    const int after = intLen - index - 1;
    if (info.Thousands && !info.Scientific && after > 0 && after % 3 == 0) out += separator;
  };
  int intSeen = 0, fracSeen = 0;
  ScanSection(section, [&](TToken t, std::string_view text) {
    switch (t) {
    case TToken::Literal:
      out += text;
      break;
    case TToken::IntDigit: {
      // The first placeholder takes every digit the placeholders cannot hold one by one.
      const int index = intLen - info.IntPlaceholders + intSeen;
      if (intSeen == 0)
        for (int k = 0; k < index; ++k) putIntDigit(k);
      if (index >= 0) putIntDigit(index);
      ++intSeen;
      break;
    }
    case TToken::Point:
      if (info.IntPlaceholders == 0)  // ".00": the integer digits go before the point
        for (int k = 0; k < intLen; ++k) putIntDigit(k);
      if (!fracDigits.empty()) out += DecimalSeparator();
      break;
    case TToken::FracDigit:
      if (fracSeen < static_cast<int>(fracDigits.size())) out += fracDigits[fracSeen];
      ++fracSeen;
      break;
    case TToken::Exponent:
      out += ExponentPart(text, exponent);
      break;
    case TToken::Comma:
      break;
    }
  });
  return out;
}

// Whether the value shows as zero through the section (rounded to its decimals or digits).
bool RoundsToZero(const TSectionInfo& info, TDecimal d)
{
  if (info.Scientific) return d.Digits.empty();
  RoundDigits(d, d.Exponent + info.FracPlaceholders);
  return d.Digits.empty();
}

// An empty format or an empty chosen section writes the value in general notation.
template <class General>
std::string FormatDigits(std::string_view format, TDecimal d, General general)
{
  const std::vector<std::string_view> sections = SplitSections(format);
  auto usable = [&](size_t i) { return i < sections.size() && !sections[i].empty(); };
  const bool negative = d.Negative && !d.Digits.empty();
  d.Negative = false;
  size_t chosen = negative && usable(1) ? 1 : 0;
  if (!usable(chosen)) return general(negative);
  TSectionInfo info = ReadSection(sections[chosen]);
  if (RoundsToZero(info, d)) {
    // A value that shows as zero is zero: the zero section when there is one, never a minus sign.
    if (usable(2)) chosen = 2;
    else if (chosen == 1) chosen = 0;
    if (!usable(chosen)) return general(false);
    info = ReadSection(sections[chosen]);
    return ApplySection(sections[chosen], info, TDecimal{});
  }
  std::string text = ApplySection(sections[chosen], info, d);
  return negative && chosen == 0 ? "-" + text : text;
}

// Parses plain decimal text ("-123.45", "0.005") into digits.
TDecimal DigitsOfText(std::string_view text)
{
  TDecimal d;
  if (!text.empty() && text[0] == '-') {
    d.Negative = true;
    text.remove_prefix(1);
  }
  int point = static_cast<int>(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') d.Digits += c;
    else point = static_cast<int>(d.Digits.size());
  }
  d.Exponent = point;
  TrimDigits(d);
  return d;
}

}  // namespace

void RoundDecimalDigits(std::string& Digits, int& Exponent, int Keep)
{
  if (Keep >= static_cast<int>(Digits.size())) return;
  if (Keep < 0) {
    Digits.clear();
    Exponent = 0;
    return;
  }
  const bool up = Digits[Keep] >= '5';
  Digits.resize(Keep);
  if (up) {
    int i = Keep - 1;
    while (i >= 0 && Digits[i] == '9') Digits[i--] = '0';
    if (i >= 0) {
      ++Digits[i];
    } else {
      Digits.insert(Digits.begin(), '1');
      ++Exponent;
    }
  }
  while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
  if (Digits.empty()) Exponent = 0;
}

std::string FormatFloat(std::string_view format, double value)
{
  if (!std::isfinite(value)) return FloatToStr(value);
  // 15 significant digits, those a double holds: 0.1 formats as 0.1 to any number of decimals.
  const TDecimal d = ToDecimal(value, 15, -1);
  // Past 18 integer digits a picture would only pad with zeros: general notation instead.
  if (d.Exponent > 18) return FloatToStr(value);
  return FormatDigits(format, d, [&](bool negative) { return FloatToStr(negative ? -std::fabs(value) : std::fabs(value)); });
}

std::string FormatFloat(std::string_view format, const TBcd& value)
{
  TDecimal d = DigitsOfText(BcdToStr(value));
  return FormatDigits(format, d, [&](bool negative) {
    std::string text = BcdToStr(value);
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
    return negative ? "-" + text : text;
  });
}
