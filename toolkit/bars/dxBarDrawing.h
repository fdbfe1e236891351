#pragma once
// The small drawing routines of the bar painters: filled polygons, the drop-down and sub-menu
// arrows of items, frames in system colours, the dotted focus rectangle, the hatching of a bar
// shown disabled, background tiling anchored at an origin, drawing a parent's background into a
// child, and the size grip drawn over what lies below it.
#include <span>
#include "classlib/Bitmap.h"
#include "classlib/Colors.h"
#include "classlib/Controls.h"
#include "classlib/Win.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

// A polygon of the points filled with brushColor and outlined with penColor.
void DrawFilledPolygon(HDC dc, std::span<const POINT> points, TColor penColor, TColor brushColor);

// The triangle of an item arrow of size s (down: 2s - 1 wide and s high; right: s wide and 2s - 1
// high), centred in the rect. clDefault picks the colour from the state: button shadow when not
// enabled, button text when not selected, button face when selected on a white button face, else
// the highlight text colour. A disabled arrow that is not flat gets an embossed highlight.
void DrawItemArrowShape(HDC dc, const RECT& rect, bool down, int size, bool selected, bool enabled, bool flat,
                        TColor color);
// The arrow centred in the rect pointing down (adDown) or right (any other direction), its size
// from the rect: never below 3.
void DrawItemArrowInRect(HDC dc, const RECT& rect, TcxArrowDirection direction, bool enabled, bool selected,
                         bool flat, TColor color);
// The same with a given size.
void DrawItemArrowSized(HDC dc, const RECT& rect, TcxArrowDirection direction, int size, bool selected,
                        bool enabled, bool flat, TColor color);
// The embossing of a disabled arrow whose top-left corner is (x0, y0): two button-highlight lines
// along its lower edge.
void DrawDisabledArrowHighlight(HDC dc, bool down, int x0, int y0, int size);

// A one-pixel frame of the system highlight colour.
void FrameWithHighlightColor(HDC dc, const RECT& rect);
// Two nested one-pixel frames of the system colour with that index.
void DrawDoubleFrame(HDC dc, const RECT& rect, int sysColorIndex);
// Two nested dotted rectangles: on each edge every pixel whose x + y is even in button text colour.
void DrawDoubleFocusRect(HDC dc, const RECT& rect);
// Hatches a rect of a bar shown disabled (black at alpha 20 and button face at alpha 170, step 2).
void HatchDisabledArea(HDC dc, const RECT& rect);

// Without a bitmap (or with an empty one) fills the target with the brush, or when there is none
// with the colour; else tiles the bitmap (TileBitmapInRect).
void PaintBackgroundRect(HDC dc, const RECT& target, const RECT& origin, HBRUSH brush, TColor color, TBitmap* bitmap);
// Copies the tiles of a grid anchored at (0, 0) of the origin's coordinates that cover the origin
// rect, so that the target's top-left corner shows the origin's top-left, clipped to the target.
// Nothing for an empty bitmap or origin.
void TileBitmapInRect(HDC dc, const RECT& target, const RECT& origin, TBitmap* bitmap);
// Moves the DC's window origin and the rect into the parent's client coordinates, so that the
// parent's background can be painted into the child: offset is the child's client origin in the
// parent's client coordinates ((0, 0) unless both have windows).
void ShiftOriginToParent(TControl* parent, TControl* child, HDC dc, RECT& rect, POINT& previousOrigin, POINT& offset);
void RestoreWindowOrigin(HDC dc, POINT previousOrigin);

// The platform's size grip over what the DC shows in the rect: only the grip's dots replace the
// pixels below.
void DrawSizeGripTransparent(HDC dc, const RECT& rect);
