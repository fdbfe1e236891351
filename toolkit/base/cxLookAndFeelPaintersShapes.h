#pragma once
// Small drawing steps that the painters' source files share; not part of the painter interface.
#include <span>
#include "classlib/Colors.h"
#include "classlib/Win.h"
#include "toolkit/base/cxGraphicsCanvas.h"

// A polygon outlined and filled in one colour (pen and solid brush).
void cxFillPolygon(TcxCanvas* canvas, std::span<const POINT> points, TColor color);

// The sides of a rectangle by name, for the frames the painters draw on some sides only.
namespace cxSides {
constexpr TcxBorder Left = TcxBorder::bLeft;
constexpr TcxBorder Top = TcxBorder::bTop;
constexpr TcxBorder Right = TcxBorder::bRight;
constexpr TcxBorder Bottom = TcxBorder::bBottom;
}  // namespace cxSides

// The rectangle with every side moved inward by d (outward for a negative d).
inline RECT cxDeflated(const RECT& r, int d) { return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d}; }

// The rectangle a push button's caption is centred in, from the button's face: an even height, one
// pixel more above the text of a button lower than 18 pixels, moved right and down by shift (the
// pressed shift of a pressed button, else 0).
RECT cxButtonTextBounds(const RECT& face, int shift);
