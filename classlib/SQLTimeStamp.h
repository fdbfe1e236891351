#pragma once
// TSQLTimeStamp: a date and time as databases hand them out, field by field, and the variant kind
// that holds one (registered at run time, its code answered by VarSQLTimeStamp).
#include <cstdint>
#include "classlib/DateTime.h"
#include "classlib/Variant.h"

struct TSQLTimeStamp {
  int16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint32_t Fractions = 0;  // milliseconds
};
static_assert(sizeof(TSQLTimeStamp) == 16);

// The date-time of the fields. The blank time stamp (every field zero) gives 0; fields that make no
// date raise EConvertError "Invalid argument to date encode", no time "Invalid argument to time encode".
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value);
// The fields of a date-time, to the millisecond; EConvertError "Invalid argument to date decode"
// outside the years 1 to 9999.
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);

// The variant kind of time stamps: its code, a value (the fields are checked as
// SQLTimeStampToDateTime checks them), the test, and any value as a time stamp.
//
// A time stamp converts and compares as its date-time: to text by DateTimeToStr, to numbers as its
// day number; values of other kinds become time stamps as they become dates (text through
// StrToDateTime, numbers as day numbers), and what does not raises EVariantTypeCastError.
TVarType VarSQLTimeStamp();
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& value);
bool VarIsSQLTimeStamp(const Variant& v);
TSQLTimeStamp VarToSQLTimeStamp(const Variant& v);
