#pragma once
// Helpers over the class library's variants that the editors use to compare edit values, to test
// for null-like and date or numeric values, and to write values to a stream and read them back in a
// tagged binary form (the stored forms' value tags: a one-byte tag, then a little-endian payload);
// plus readers and writers of raw scalars and of counted texts on a stream.
#include <cstdint>
#include <string>
#include "classlib/Currency.h"
#include "classlib/DateTime.h"
#include "classlib/Variant.h"

class TStream;

// --- Comparison ---

// -1, 0 or 1 for two values (arrays: CompareVariantArrays). Empty is below everything but Empty,
// then Null below everything but Null; otherwise the class library's equality and ordering. Values
// that cannot be compared (a number against text that is no number) answer -1 in either order, so
// this is no strict weak order: never hand it to a sort.
int CompareVariants(const Variant& a, const Variant& b);
// An array is greater than a value that is not one. Two arrays: the difference of the upper bounds
// of their first dimension when they differ (not limited to -1..1), else the first non-zero
// CompareVariants of the elements from index 0 up (0 when all are equal).
int CompareVariantArrays(const Variant& a, const Variant& b);
bool VariantsEqual(const Variant& a, const Variant& b);
// A Boolean against anything but Null is compared as text ("True" equals true); a side that has no
// text makes the two unequal. Any other pair: VariantsEqual.
bool VariantsEqualStrict(const Variant& a, const Variant& b);

// --- Type tests ---

// Date or SQL time stamp.
bool IsDateVariantType(TVarType type);
bool IsDateVariant(const Variant& v);
// The class library's numeric kinds, or a BCD number.
bool IsNumericVariant(const Variant& v);
// Null, or text equal to "".
bool IsNullOrEmptyText(const Variant& v);

// --- Tagged values ---

// Writes v with its tag: integers with the smallest of the 8-, 16-, 32- and 64-bit tags that holds
// them, doubles as 10-byte extended floats, texts of up to 255 bytes with a one-byte length and
// longer ones with a four-byte length, a time stamp as its date, one-dimensional arrays as a count
// and their elements, and any other kind as its text. A value that cannot be written (an array of
// more dimensions, a value without text) raises EWriteError "Stream write error" before anything is
// written.
void WriteTaggedVariant(TStream& stream, const Variant& v);
// Reads one tagged value: 8-bit integers as ShortInt, 16-bit as Smallint, 32-bit as Integer, 64-bit
// as Int64, arrays as arrays of variants from index 0. The stream is outside input: an unknown tag,
// an array count that is not an 8-, 16-, 32- or 64-bit integer, a negative count or length, one
// larger than the bytes left in the stream, arrays nested deeper than MaxTaggedVariantNesting, or a
// stream that ends early raise EReadError "Stream read error" before anything is allocated for them.
Variant ReadTaggedVariant(TStream& stream);
inline constexpr int MaxTaggedVariantNesting = 64;

// --- Raw scalars and counted texts (little-endian, no tag) ---

uint8_t ReadByteValue(TStream& stream);
void WriteByteValue(TStream& stream, uint8_t value);
int16_t ReadSmallIntValue(TStream& stream);
void WriteSmallIntValue(TStream& stream, int16_t value);
uint16_t ReadWordValue(TStream& stream);
void WriteWordValue(TStream& stream, uint16_t value);
int32_t ReadIntegerValue(TStream& stream);
void WriteIntegerValue(TStream& stream, int32_t value);
int64_t ReadLargeIntValue(TStream& stream);
void WriteLargeIntValue(TStream& stream, int64_t value);
Currency ReadCurrencyValue(TStream& stream);
void WriteCurrencyValue(TStream& stream, Currency value);
TDateTime ReadDateTimeValue(TStream& stream);
void WriteDateTimeValue(TStream& stream, TDateTime value);
// 10-byte extended floats, read to the nearest double.
double ReadExtendedValue(TStream& stream);
void WriteExtendedValue(TStream& stream, double value);

// A four-byte byte count, then the bytes. A negative count or one past the end raises EReadError.
std::string ReadAnsiText(TStream& stream);
void WriteAnsiText(TStream& stream, const std::string& text);
// A four-byte character count, then two bytes per UTF-16 character; checked as ReadAnsiText.
std::wstring ReadWideText(TStream& stream);
void WriteWideText(TStream& stream, const std::wstring& text);
