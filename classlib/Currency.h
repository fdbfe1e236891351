#pragma once
// Currency: a fixed-point amount of money, a 64-bit integer counting ten-thousandths, so that
// amounts with up to four decimals add, compare and print without binary rounding. The range is
// -922337203685477.5808 to 922337203685477.5807. It is also the layout of the OLE currency (CY).
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class Currency {
public:
  static constexpr int64_t Scale = 10000;

  constexpr Currency() = default;
  // The amount whose ten-thousandths are raw (FromRaw(15000) is 1.5).
  static constexpr Currency FromRaw(int64_t raw) { Currency c; c.FRaw = raw; return c; }
  // Whole units; outside the range raises EVariantOverflowError "Arithmetic overflow".
  static Currency FromInt64(int64_t units);
  static bool TryFromInt64(int64_t units, Currency& result);
  // Rounded to four decimals, halves to even; outside the range (or NaN) raises EVariantOverflowError.
  static Currency FromDouble(double value);
  static bool TryFromDouble(double value, Currency& result);

  constexpr int64_t Raw() const { return FRaw; }
  double ToDouble() const { return static_cast<double>(FRaw) / Scale; }
  // Whole units, rounded halves to even (2.5 gives 2, 3.5 gives 4).
  int64_t RoundToInt64() const;

  friend constexpr bool operator==(Currency, Currency) = default;
  friend constexpr auto operator<=>(Currency, Currency) = default;

private:
  int64_t FRaw = 0;
};

// The amount with the locale's decimal separator and without trailing zeros ("1.5", "-0.0001", "12").
std::string CurrToStr(Currency value);
// Plain decimal text ("12", "-1.25", with the locale's decimal separator) is read exactly, further
// decimals rounded halves to even; other floating-point forms ("1E3") go through StrToFloat.
// StrToCurr raises EConvertError "'<text>' is not a valid floating point value" for anything else
// and EVariantOverflowError when the amount is out of range.
Currency StrToCurr(std::string_view text);
bool TryStrToCurr(std::string_view text, Currency& value);

// Rounds to the nearest whole number with halves going to the even neighbour, the rounding of
// money and of the variant conversions (0.5 gives 0, 1.5 gives 2, -2.5 gives -2).
double RoundHalfEven(double value);
