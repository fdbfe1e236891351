#pragma once
// The panel family's drawing routines: a gradient painter with ten shapes, the band fillers and
// bitmap copies it is made of, and the painting of a control's parent under a transparent control.
// They keep no state.
//
// A gradient is composed off-screen in one bitmap: linear gradients as one 8-pixel strip copied
// across by doubling, box gradients as one quadrant mirrored into the other three, diagonal
// gradients as polygon bands. Every band is one fill with one brush of its colour. Colours are
// stepped per channel in 16.16 fixed point.
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/TypInfo.h"
#include "classlib/Win.h"

// The shapes of a gradient from the start colour S to the end colour E.
enum class TGradientDirection {
  gdDiagonalUp,        // S at the bottom-left corner, E at the top-right one
  gdDiagonalDown,      // S at the top-left corner, E at the bottom-right one
  gdHorizontalEnd,     // S along the top edge, E along the bottom edge
  gdHorizontalCenter,  // E along the middle row, S along the top and bottom edges
  gdHorizontalBox,     // S at the edges, E in a horizontal bar in the middle
  gdVerticalEnd,       // S along the left edge, E along the right edge
  gdVerticalCenter,    // E along the middle column, S along the left and right edges
  gdVerticalBox,       // S at the edges, E in a vertical bar in the middle
  gdSquareBox,         // S at the edges, E in the centre point
  gdBigSquareBox,      // S at the edges, E in a rectangle around the centre
};
extern const TEnumInfo GradientDirectionInfo;

// The width of the strip a linear gradient is drawn in before it is copied across.
constexpr int RzGradientStripSize = 8;

// Paints a gradient into r on the canvas. gdHorizontalEnd and gdVerticalEnd use the class
// library's two-colour fill; every other shape goes through PaintGradientBitmap. step is the least
// number of colour steps one band covers (the panels pass 1).
void PaintGradient(TCanvas* canvas, const RECT& r, TGradientDirection direction, TColor startColor,
                   TColor endColor, int step);
// Composes the gradient in a temporary bitmap of |width| x |height| of r (nothing when either is 0)
// and draws it at r's top-left corner.
void PaintGradientBitmap(TCanvas* canvas, const RECT& r, TGradientDirection direction, TColor startColor,
                         TColor endColor, int step);

// The low-level fillers, on a device context, in its coordinates from (0, 0). Colours are RGB.

// Fills an 8-pixel-wide column (column true) or 8-pixel-tall row of length pixels with a linear
// gradient from colorA at pixel 0 to colorB at the far end. With split >= 0 the gradient runs from
// colorB at pixel split to colorA at both ends instead.
void FillLinearGradientStrip(HDC dc, bool column, int split, int step, COLORREF colorA, COLORREF colorB,
                             int length);
// Fills the top-left quadrant of a w x h area (up to its centre pixel) with nested L-shaped bands
// from edgeColor at the outside to centreColor in the middle; the centre area keeps centreColor and
// is elongated by insetX and insetY. When the colours are equal, w < 5 or h <= 4, the area is one
// fill of edgeColor.
void FillBoxGradientQuadrant(HDC dc, int w, int h, int step, COLORREF centreColor, COLORREF edgeColor,
                             int insetY, int insetX);
// Fills a |w| x h area with diagonal polygon bands: for positive w from colorB at the bottom-left
// corner to colorA at the top-right one, bands parallel to the top-left to bottom-right diagonal;
// for negative w from colorA at the bottom-right corner to colorB at the top-left one, bands
// parallel to the other diagonal.
void FillDiagonalGradient(HDC dc, int w, int h, int step, COLORREF colorA, COLORREF colorB);
// Copies the stripW x stripH block at (x, y) onto itself until it covers totalW x totalH, doubling
// it downward or rightward with BitBlt (the last copy only as far as needed).
void TileBitmapStrip(HDC dc, int x, int y, DWORD rop, int stripW, int stripH, int totalW, int totalH);
// Mirrors the top-left quadrant of the w x h area at (x, y) into the bottom half, then the left
// half into the right half, with StretchBlt and negative extents.
void MirrorQuadrantBlit(HDC dc, int x, int y, DWORD rop, int h, int w);

// Paints the control's parent into dc under the control: the parent's background (WM_ERASEBKGND)
// and client image (WM_PRINTCLIENT) with the origin moved to the control's position, clipped to the
// parent's client size; the device context's state is put back afterwards. Nothing without a
// parent, nor when asked again for the same control while its parent is being painted for it. At
// design time an exception of either message is swallowed (the first one skips the second). With
// invalidateParent, a parent that is neither a custom control nor a form is invalidated (not at
// design time).
void DrawParentBackground(TControl* control, HDC dc, bool invalidateParent);
