#pragma once
// The default printer as far as the system needs it: an information context for reading the fonts
// and measures of the printer.
#include "classlib/GraphicsUtils.h"
#include "classlib/Win.h"

// Gives an information context of the default printer (the caller owns it), or nullptr when there
// is no printer; may raise when the printer cannot be reached.
using TPrinterICFunc = HDC (*)();
// The system's: the spooler's default printer.
HDC CreateSystemPrinterIC();
// Replaces the function (tests); nullptr puts the system's back. Answers the previous one.
TPrinterICFunc SetPrinterICFunc(TPrinterICFunc func);
// The default printer's information context through the function set now; empty when there is no
// printer or reaching it fails in any way, and callers then use the screen.
TDCHandle CreateDefaultPrinterIC();
