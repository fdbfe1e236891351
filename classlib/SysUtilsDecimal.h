#pragma once
// Decimal digit strings shared by the number-to-text functions of SysUtils (not for other callers):
// a value is 0.Digits x 10^Exponent, Digits without leading or trailing zeros, empty for zero.
#include <string>

// A finite value as decimal digits: value = 0.Digits * 10^Exponent.
struct TDecimal {
  std::string Digits;
  int Exponent = 0;
  bool Negative = false;
};

// The digit at the index, '0' outside the digits.
inline char DigitAt(const TDecimal& d, int index)
{
  return index >= 0 && index < static_cast<int>(d.Digits.size()) ? d.Digits[index] : '0';
}

// Keeps `keep` significant digits, halves away from zero, then drops trailing zeros; keep < 0 gives
// zero (empty digits, exponent 0). Rounding up past the first digit adds one to the exponent.
void RoundDecimalDigits(std::string& Digits, int& Exponent, int Keep);

// A finite number to at most `precision` significant digits and, when decimals >= 0, at most
// `decimals` digits after the point, rounded once from its exact binary value, halves away from zero.
TDecimal ToDecimal(long double value, int precision, int decimals);
