#pragma once
// TBcd: an exact decimal number of up to 64 significant digits, as databases hand out numeric and
// decimal fields, and the variant kind that holds one (registered at run time, its code answered by
// VarFMTBcd). Values are parsed from and written as text with the locale's decimal separator,
// compared exactly, and converted to and from the built-in variant kinds.
//
// Layout (34 bytes): Precision digits stored two to a byte, the first in the high nibble of
// Fraction[0]; the low six bits of SignSpecialPlaces count the digits after the decimal point, bit 7
// marks a negative value. 123.45 is Precision 5, Places 2, Fraction 12 34 50.
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Exceptions.h"
#include "classlib/Variant.h"

CL_EXCEPTION(EBcdException, Exception);
CL_EXCEPTION(EBcdOverflowException, EBcdException);

struct TBcd {
  uint8_t Precision = 0;          // digits in Fraction, 0 to 64 (0 is zero)
  uint8_t SignSpecialPlaces = 0;  // bit 7: negative; bits 0 to 5: digits after the decimal point
  uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

inline constexpr int MaxFMTBcdFractionSize = 64;

// [blanks] [sign] digits [separator digits] [E [sign] digits] [blanks], with at least one digit and
// the locale's decimal separator. Digits beyond 64 significant ones, or after 63 decimals, are
// rounded off (halves away from zero); a value with more than 64 digits before the point is refused.
bool TryStrToBcd(std::string_view text, TBcd& value);
// As TryStrToBcd; refused text raises EBcdException "'<text>' is not a valid BCD value".
TBcd StrToBcd(std::string_view text);
// The value in plain decimal notation, every digit it holds ("-123.45", "0.005", "100"). A TBcd
// whose fields are out of range raises EBcdException "Invalid BCD value" here and in every other
// function that reads one.
std::string BcdToStr(const TBcd& value);

// General: rounded to precision significant digits, trailing zeros dropped, in scientific notation
// ("1.5E20", "1E-5") when the exponent exceeds the precision or the value is below 0.0001. Fixed:
// rounded to precision significant digits and then to digits decimals, written with exactly that
// many ("1234.50"), in the general scientific notation when the integer part has more digits than
// the precision. Halves round away from zero; precision is taken within 1 to 64, digits within 0 to 63.
enum class TBcdFormat { General, Fixed };
std::string BcdToStrF(const TBcd& value, TBcdFormat format, int precision, int digits);

// The value through a picture format as FormatFloat (SysUtils.h) writes doubles, with every digit the
// value holds; an empty format gives BcdToStr's text.
std::string FormatFloat(std::string_view format, const TBcd& value);

// -1, 0 or 1 by value (1.50 equals 1.5; -0 equals 0).
int BcdCompare(const TBcd& a, const TBcd& b);

TBcd Int64ToBcd(int64_t value);
// The value rounded to 15 significant digits, the digits a double shows (0.1 gives 0.1); NaN and
// infinities raise EBcdOverflowException "BCD overflow".
TBcd DoubleToBcd(double value);
// The double nearest the value.
double BcdToDouble(const TBcd& value);

// The variant kind of BCD values: its code, a value, the test, and any value as a TBcd (by the
// conversions below; EVariantTypeCastError for values that are not numbers).
//
// Conversions: text and numbers convert both ways (text by TryStrToBcd and BcdToStr, integers and
// currency exactly, doubles through 15 significant digits and singles through 7); Booleans are -1
// and 0; dates are day numbers; a value too large for a TBcd raises EVariantOverflowError. A BCD
// compares exactly with any value that converts to a number, however large (1E300 is larger); with
// text that is no number it raises EVariantTypeCastError.
TVarType VarFMTBcd();
Variant VarFMTBcdCreate(const TBcd& value);
bool VarIsFMTBcd(const Variant& v);
TBcd VarToBcd(const Variant& v);
