#include "classlib/Currency.h"

#include <cmath>
#include <limits>
#include "classlib/Exceptions.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int64_t kMaxUnits = std::numeric_limits<int64_t>::max() / Currency::Scale;
constexpr int64_t kMinUnits = std::numeric_limits<int64_t>::min() / Currency::Scale;

[[noreturn]] void RaiseOverflow() { throw EVariantOverflowError("Arithmetic overflow"); }

enum class TParse { Ok, NotANumber, OutOfRange };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads [sign] digits [separator digits] exactly into ten-thousandths. NotANumber when the text
// has any other form (the caller then tries the floating-point reading).
TParse ParseDecimal(std::string_view s, int64_t& raw)
{
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const char sep = DecimalSeparator();
  // The magnitude is gathered as a positive number one above the int64 maximum at most, so that
  // the most negative amount is readable too.
  constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
  uint64_t magnitude = 0;
  bool anyDigit = false, overflow = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    anyDigit = true;
    if (magnitude > (kLimit - (s[i] - '0')) / 10) overflow = true;
    else magnitude = magnitude * 10 + (s[i] - '0');
  }
  int decimals = 0;
  int firstDropped = -1;     // the fifth decimal, which decides the rounding
  bool restNonZero = false;  // any non-zero decimal after the fifth
  if (i < s.size() && s[i] == sep) {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) {
      anyDigit = true;
      int d = s[i] - '0';
      if (decimals < 4) {
        if (magnitude > (kLimit - d) / 10) overflow = true;
        else magnitude = magnitude * 10 + d;
        ++decimals;
      } else if (firstDropped < 0) {
        firstDropped = d;
      } else if (d != 0) {
        restNonZero = true;
      }
    }
  }
  if (!anyDigit || i != s.size()) return TParse::NotANumber;
  for (; decimals < 4 && !overflow; ++decimals) {
    if (magnitude > kLimit / 10) overflow = true;
    else magnitude *= 10;
  }
  if (firstDropped > 5 || (firstDropped == 5 && (restNonZero || magnitude % 2 == 1))) ++magnitude;
  if (overflow || magnitude > kLimit || (!negative && magnitude == kLimit)) return TParse::OutOfRange;
  raw = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return TParse::Ok;
}

TParse ParseCurrency(std::string_view text, Currency& value)
{
  std::string s = Trim(text);
  int64_t raw = 0;
  TParse result = ParseDecimal(s, raw);
  if (result == TParse::Ok) value = Currency::FromRaw(raw);
  if (result != TParse::NotANumber) return result;
  double d = 0;
  if (!TryStrToFloat(s, d)) return TParse::NotANumber;
  return Currency::TryFromDouble(d, value) ? TParse::Ok : TParse::OutOfRange;
}

}  // namespace

double RoundHalfEven(double value)
{
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double fraction = value - floor;  // exact: both lie within one binade of each other
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) floor += 1;
  return floor;
}

bool Currency::TryFromInt64(int64_t units, Currency& result)
{
  if (units > kMaxUnits || units < kMinUnits) return false;
  result = FromRaw(units * Scale);
  return true;
}

Currency Currency::FromInt64(int64_t units)
{
  Currency c;
  if (!TryFromInt64(units, c)) RaiseOverflow();
  return c;
}

bool Currency::TryFromDouble(double value, Currency& result)
{
  double scaled = RoundHalfEven(value * Scale);
  // 2^63 is exact as a double; every double below it converts to int64 without overflow.
  if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) return false;
  result = FromRaw(static_cast<int64_t>(scaled));
  return true;
}

Currency Currency::FromDouble(double value)
{
  Currency c;
  if (!TryFromDouble(value, c)) RaiseOverflow();
  return c;
}

int64_t Currency::RoundToInt64() const
{
  int64_t units = FRaw / Scale;  // truncated toward zero
  int64_t rest = FRaw % Scale;   // same sign as FRaw
  int64_t half = Scale / 2;
  if (rest > half || (rest == half && units % 2 != 0)) ++units;
  else if (rest < -half || (rest == -half && units % 2 != 0)) --units;
  return units;
}

std::string CurrToStr(Currency value)
{
  int64_t raw = value.Raw();
  uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string result = raw < 0 ? "-" : "";
  result += std::to_string(magnitude / Currency::Scale);
  std::string decimals = std::to_string(magnitude % Currency::Scale + Currency::Scale).substr(1);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (!decimals.empty()) result += DecimalSeparator() + decimals;
  return result;
}

bool TryStrToCurr(std::string_view text, Currency& value)
{
  return ParseCurrency(text, value) == TParse::Ok;
}

Currency StrToCurr(std::string_view text)
{
  Currency value;
  switch (ParseCurrency(text, value)) {
  case TParse::Ok: return value;
  case TParse::OutOfRange: RaiseOverflow();
  case TParse::NotANumber: break;
  }
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}
