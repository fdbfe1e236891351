#include "classlib/FMTBcd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include "classlib/SysUtils.h"

namespace {

constexpr int kMaxDigits = MaxFMTBcdFractionSize;
constexpr int kMaxPlaces = 63;

// A decimal number as 0.Digits x 10^Exponent: Digits without leading or trailing zeros (empty for
// zero, which is never negative).
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;

  bool IsZero() const { return Digits.empty(); }
};

[[noreturn]] void RaiseInvalid() { throw EBcdException("Invalid BCD value"); }
[[noreturn]] void RaiseOverflow() { throw EBcdOverflowException("BCD overflow"); }

// Drops leading zeros (moving the exponent) and trailing zeros; zero loses its sign.
void Normalize(TDecimal& d)
{
  size_t lead = d.Digits.find_first_not_of('0');
  if (lead == std::string::npos) {
    d = TDecimal();
    return;
  }
  d.Digits.erase(0, lead);
  d.Exponent -= static_cast<int>(lead);
  d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
}

// Keeps count significant digits, halves away from zero: with none left, the value becomes zero or,
// from a first digit of 5 or more, one unit of the place before it; below that, zero.
void RoundToDigits(TDecimal& d, int count)
{
  if (count < 0) d = TDecimal();
  if (count < 0 || static_cast<int>(d.Digits.size()) <= count) return;
  bool up = d.Digits[count] >= '5';
  d.Digits.resize(count);
  if (up) {
    int i = count - 1;
    for (; i >= 0 && d.Digits[i] == '9'; --i) d.Digits[i] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  Normalize(d);
}

// Rounds to places digits after the point.
void RoundToPlaces(TDecimal& d, int places)
{
  if (!d.IsZero()) RoundToDigits(d, d.Exponent + places);
}

TDecimal Decode(const TBcd& bcd)
{
  int precision = bcd.Precision;
  int places = bcd.SignSpecialPlaces & 0x3F;
  if (precision > kMaxDigits || places > precision) RaiseInvalid();
  TDecimal d;
  d.Negative = (bcd.SignSpecialPlaces & 0x80) != 0;
  d.Digits.reserve(precision);
  for (int i = 0; i < precision; ++i) {
    int nibble = (i % 2 == 0) ? bcd.Fraction[i / 2] >> 4 : bcd.Fraction[i / 2] & 0x0F;
    if (nibble > 9) RaiseInvalid();
    d.Digits.push_back(static_cast<char>('0' + nibble));
  }
  d.Exponent = precision - places;
  Normalize(d);
  return d;
}

// d as a TBcd: decimals beyond what fits rounded off; more than 64 integer digits overflow.
bool TryEncode(TDecimal d, TBcd& bcd)
{
  int intDigits = std::max(d.Exponent, 0);
  if (intDigits > kMaxDigits) return false;
  RoundToPlaces(d, std::min(kMaxPlaces, kMaxDigits - intDigits));
  if (std::max(d.Exponent, 0) > kMaxDigits) return false;  // rounding carried into a 65th digit
  bcd = TBcd();
  if (d.IsZero()) {
    bcd.Precision = 1;
    return true;
  }
  int n = static_cast<int>(d.Digits.size());
  int places = std::max(n - d.Exponent, 0);
  // The stored digits: zeros between the point and a small value's first digit, the digits, then
  // zeros up to the point of a large whole number.
  std::string digits = std::string(std::max(-d.Exponent, 0), '0') + d.Digits +
                       std::string(std::max(d.Exponent - n, 0), '0');
  bcd.Precision = static_cast<uint8_t>(digits.size());
  bcd.SignSpecialPlaces = static_cast<uint8_t>(places | (d.Negative ? 0x80 : 0));
  for (size_t i = 0; i < digits.size(); ++i) {
    uint8_t nibble = static_cast<uint8_t>(digits[i] - '0');
    bcd.Fraction[i / 2] |= (i % 2 == 0) ? static_cast<uint8_t>(nibble << 4) : nibble;
  }
  return true;
}

TBcd Encode(const TDecimal& d)
{
  TBcd bcd;
  if (!TryEncode(d, bcd)) RaiseOverflow();
  return bcd;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool TryParse(std::string_view text, char separator, TDecimal& d)
{
  std::string s = Trim(text);
  size_t i = 0;
  d = TDecimal();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.Negative = s[i++] == '-';
  bool anyDigit = false, point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      anyDigit = true;
      d.Digits.push_back(s[i]);
      if (!point) ++d.Exponent;
    } else if (s[i] == separator && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size() || !IsDigit(s[i])) return false;
    int exponent = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      exponent = exponent * 10 + (s[i] - '0');
      if (exponent > 100000) return false;  // far outside what a TBcd holds either way
    }
    d.Exponent += negative ? -exponent : exponent;
  }
  if (i != s.size()) return false;
  Normalize(d);
  return true;
}

TDecimal FromInt64(int64_t value)
{
  TDecimal d;
  d.Negative = value < 0;
  uint64_t magnitude = d.Negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  d.Digits = std::to_string(magnitude);
  d.Exponent = static_cast<int>(d.Digits.size());
  Normalize(d);
  return d;
}

// value rounded to digits significant digits (written by the C library in scientific notation, so
// that neither the locale nor the size of the value matters).
TDecimal FromDouble(double value, int digits)
{
  if (!std::isfinite(value)) RaiseOverflow();
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
  TDecimal d;
  const char* p = buffer;
  if (*p == '-') {
    d.Negative = true;
    ++p;
  }
  bool point = false;
  for (; *p && *p != 'e'; ++p) {
    if (IsDigit(*p)) {
      d.Digits.push_back(*p);
      if (!point) ++d.Exponent;
    } else {
      point = true;
    }
  }
  if (*p == 'e') d.Exponent += std::atoi(p + 1);
  Normalize(d);
  return d;
}

double ToDouble(const TDecimal& d)
{
  if (d.IsZero()) return 0;
  // Digits and a power of ten without a point: the reading does not depend on the locale.
  std::string text = (d.Negative ? "-" : "") + d.Digits + "e" +
                     std::to_string(d.Exponent - static_cast<int>(d.Digits.size()));
  return std::strtod(text.c_str(), nullptr);
}

std::string PlainText(const TDecimal& d, int places)
{
  std::string intPart, fracPart;
  int n = static_cast<int>(d.Digits.size());
  if (d.Exponent <= 0) {
    intPart = "0";
    fracPart = std::string(-d.Exponent, '0') + d.Digits;
  } else if (d.Exponent >= n) {
    intPart = d.Digits + std::string(d.Exponent - n, '0');
  } else {
    intPart = d.Digits.substr(0, d.Exponent);
    fracPart = d.Digits.substr(d.Exponent);
  }
  if (places >= 0) fracPart.resize(places, '0');
  std::string text = (d.Negative ? "-" : "") + intPart;
  if (!fracPart.empty()) text += DecimalSeparator() + fracPart;
  return text;
}

std::string ScientificText(const TDecimal& d)
{
  std::string text = d.Negative ? "-" : "";
  text += d.Digits[0];
  if (d.Digits.size() > 1) text += DecimalSeparator() + d.Digits.substr(1);
  return text + "E" + std::to_string(d.Exponent - 1);
}

std::string GeneralText(const TDecimal& d, int precision)
{
  if (d.IsZero()) return "0";
  if (d.Exponent > precision || d.Exponent < -3) return ScientificText(d);
  return PlainText(d, -1);
}

int CompareMagnitudes(const TDecimal& a, const TDecimal& b)
{
  if (a.IsZero() || b.IsZero()) return a.IsZero() == b.IsZero() ? 0 : a.IsZero() ? -1 : 1;
  if (a.Exponent != b.Exponent) return a.Exponent < b.Exponent ? -1 : 1;
  int c = a.Digits.compare(b.Digits);  // trailing zeros are gone: a longer run is the larger
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareDecimals(const TDecimal& a, const TDecimal& b)
{
  if (a.Negative != b.Negative) return a.Negative ? -1 : 1;
  int c = CompareMagnitudes(a, b);
  return a.Negative ? -c : c;
}

// ---- The variant kind ------------------------------------------------------------------------------

bool IsWholeNumberKind(TVarType t)
{
  switch (t) {
  case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
  case varInt64:
    return true;
  default:
    return false;
  }
}

class TFMTBcdVariantType final : public TCustomVariantType {
public:
  std::string Name() const override { return "FMTBcd"; }

  Variant Make(const TBcd& value) const { return MakeValue(std::make_shared<const TBcd>(value)); }
  const TBcd& Value(const Variant& v) const { return *static_cast<const TBcd*>(ValueData(v)); }

  Variant CastTo(const Variant& source, TVarType type) const override
  {
    TDecimal d = Decode(Value(source));
    if (type == varString || type == varOleStr || type == varCurrency) return Variant(PlainText(d, -1));
    if (type == varBoolean) return Variant(!d.IsZero());
    // Whole numbers that fit an Int64 convert exactly; the rest as doubles, which the ordinal
    // conversions round halves to even and check for range.
    if (IsWholeNumberKind(type) && d.Exponent >= static_cast<int>(d.Digits.size()) && d.Exponent <= 19) {
      int64_t n = 0;
      std::string whole = PlainText(d, 0);
      if (TryStrToInt64(whole, n)) return Variant(static_cast<long long>(n));
    }
    return Variant(ToDouble(d));
  }

  Variant CastFrom(const Variant& source) const override
  {
    TBcd bcd;
    if (!TryEncode(DecimalOf(source), bcd)) throw EVariantOverflowError("Arithmetic overflow");
    return Make(bcd);
  }

  TVariantRelationship Compare(const Variant& left, const Variant& right) const override
  {
    // Against the exact value of the other side, which need not fit a TBcd (1E300 is simply larger).
    switch (CompareDecimals(Decode(Value(left)), DecimalOf(right))) {
    case -1: return TVariantRelationship::vrLessThan;
    case 1: return TVariantRelationship::vrGreaterThan;
    default: return TVariantRelationship::vrEqual;
    }
  }

private:
  // The value of source as a decimal number, by the conversions of the header.
  TDecimal DecimalOf(const Variant& source) const
  {
    TVarType t = source.VType();
    if (t == VarType()) return Decode(Value(source));
    if (t == varEmpty) return TDecimal();
    if (IsWholeNumberKind(t)) return FromInt64(source.AsInt64());
    if (t == varBoolean) return FromInt64(source.AsBoolean() ? -1 : 0);
    if (t == varCurrency) {
      TDecimal d = FromInt64(source.AsCurrency().Raw());
      if (!d.IsZero()) d.Exponent -= 4;  // ten-thousandths
      return d;
    }
    TDecimal d;
    if (t == varString || t == varOleStr) {
      if (!TryParse(source.AsString(), DecimalSeparator(), d)) RaiseCastError(source);
      return d;
    }
    bool floating = t == varSingle || t == varDouble || t == varDate || FindCustomVariantType(t);
    if (!floating) RaiseCastError(source);
    double value = source.AsDouble();
    if (!std::isfinite(value)) RaiseCastError(source);
    return FromDouble(value, t == varSingle ? 7 : 15);
  }
};

const TFMTBcdVariantType& BcdVariantType()
{
  static const TFMTBcdVariantType type;
  return type;
}

}  // namespace

bool TryStrToBcd(std::string_view text, TBcd& value)
{
  TDecimal d;
  return TryParse(text, DecimalSeparator(), d) && TryEncode(d, value);
}

TBcd StrToBcd(std::string_view text)
{
  TBcd value;
  if (!TryStrToBcd(text, value)) throw EBcdException("'" + std::string(text) + "' is not a valid BCD value");
  return value;
}

std::string BcdToStr(const TBcd& value) { return PlainText(Decode(value), -1); }

std::string BcdToStrF(const TBcd& value, TBcdFormat format, int precision, int digits)
{
  precision = std::clamp(precision, 1, kMaxDigits);
  digits = std::clamp(digits, 0, kMaxPlaces);
  TDecimal d = Decode(value);
  RoundToDigits(d, precision);
  if (format == TBcdFormat::General) return GeneralText(d, precision);
  if (d.Exponent > precision) return ScientificText(d);
  RoundToPlaces(d, digits);
  return PlainText(d, digits);
}

int BcdCompare(const TBcd& a, const TBcd& b) { return CompareDecimals(Decode(a), Decode(b)); }

TBcd Int64ToBcd(int64_t value) { return Encode(FromInt64(value)); }
TBcd DoubleToBcd(double value) { return Encode(FromDouble(value, 15)); }
double BcdToDouble(const TBcd& value) { return ToDouble(Decode(value)); }

TVarType VarFMTBcd() { return BcdVariantType().VarType(); }
Variant VarFMTBcdCreate(const TBcd& value) { return BcdVariantType().Make(value); }
bool VarIsFMTBcd(const Variant& v) { return v.VType() == VarFMTBcd(); }
TBcd VarToBcd(const Variant& v) { return BcdVariantType().Value(VarAsType(v, VarFMTBcd())); }
