// Hebrew year tables: for each Gregorian year of a range, the Hebrew date of its January 1 and the
// type of the Hebrew year it falls in (Hebrew year = Gregorian year + 3760), worked out from the
// rules of the Hebrew calendar: the mean conjunctions (molad) counted from the epoch, the 19-year
// cycle of leap years and the postponements of 1 Tishri.
//   years <first> <last>            (Gregorian years, 1583 to 9999)
// The file holds two 32-bit little-endian numbers per year, first year first:
//   the January-1 code: 1 to 29 day 1 to 29 of Tevet (month 4), 30 day 30 of Kislev, 33 day 29 of
//     Kislev, 0, 31 and 32 day 1, 2 and 3 of Shevat;
//   the year type: 1 to 3 a common year of 353, 354 or 355 days, 4 to 6 a leap year of 383, 384
//     or 385 days.
// An RCDATA resource.
#pragma once

#include "ResourceWriter.h"

namespace generators {

extern const TResourceWriter HebrewYearsWriter;

}  // namespace generators
