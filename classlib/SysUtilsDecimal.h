#pragma once
// Decimal digit strings shared by the number-to-text functions of SysUtils (not for other callers):
// a value is 0.Digits x 10^Exponent, Digits without leading or trailing zeros, empty for zero.
#include <string>

// Keeps `keep` significant digits, halves away from zero, then drops trailing zeros; keep < 0 gives
// zero (empty digits, exponent 0). Rounding up past the first digit adds one to the exponent.
void RoundDecimalDigits(std::string& Digits, int& Exponent, int Keep);
