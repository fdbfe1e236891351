#pragma once
// Drawing helpers of the graphics layer that work on a canvas: the two-colour gradient fill.
#include "classlib/Canvas.h"
#include "classlib/Colors.h"

// Which way the colour changes: gdHorizontal from the left edge to the right one, gdVertical from
// the top edge to the bottom one.
enum class TGradientFillDirection { gdHorizontal, gdVertical };

// Fills rect on the canvas with a linear gradient from startColor to endColor (system colours are
// resolved first) through GradientFill of "msimg32.dll"; without that entry the rectangle is filled
// with startColor. An empty rectangle draws nothing.
void GradientFillCanvas(TCanvas* canvas, TColor startColor, TColor endColor, const RECT& rect,
                        TGradientFillDirection direction);
