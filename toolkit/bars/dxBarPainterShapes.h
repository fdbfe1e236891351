#pragma once
// Small drawing steps shared by the bar painters' source files: lines in a colour, edges, the
// background of a bar under a rect, and the questions about a toolbar that several drawings ask.
// Every step takes the device context it draws on and keeps nothing.
#include <initializer_list>
#include "classlib/Colors.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Win.h"
#include "toolkit/bars/dxBarPainter.h"

class TCustomdxBarControl;
class TdxBarControl;
class TdxBarItemControl;

namespace dxBarPainterShapes {

// A polyline of one-pixel width in the colour (its last point is not drawn, as GDI draws lines).
void PolylineInColor(HDC dc, TColor color, std::initializer_list<POINT> points);
// A filled polygon in one colour.
void FillPolygonInColor(HDC dc, TColor color, std::initializer_list<POINT> points);
// A one-pixel raised (BDR_RAISEDINNER) or sunken (BDR_SUNKENOUTER) edge round the rect.
void DrawRaisedInnerEdge(HDC dc, const RECT& rect);
void DrawSunkenOuterEdge(HDC dc, const RECT& rect);
// A one-pixel frame of the brush; a system colour brush (SystemColorBrush) is taken as well.
void FrameWithBrush(HDC dc, const RECT& rect, HBRUSH brush);
// The bar control's own background under the rect; without a bar control, the brush.
void FillBarBackground(TCustomdxBarControl* barControl, HDC dc, HBRUSH brush, const RECT& rect);
// The background brush of the bar control, or the button-face brush without one.
HBRUSH BarBrush(TCustomdxBarControl* barControl);
// Docked at the top or the bottom; every other toolbar (left, right, floating) is vertical. Without
// a toolbar, horizontal.
bool IsHorizontalToolbar(TdxBarControl* toolbar);
// Whether the toolbar shows a grip; without a toolbar, yes.
bool ToolbarHasGrip(TdxBarControl* toolbar);
// The toolbar's client width, or the rect's right edge without a toolbar.
int ToolbarClientWidth(TdxBarControl* toolbar, const RECT& rect);
// The toolbar's window rect moved to the origin (its bounds without a window).
RECT ToolbarWindowRect(TdxBarControl* toolbar);
// The window that owns the manager's bars is the active one.
bool IsOwnerFormActive(TCustomdxBarControl* barControl);
// Whether the toolbar's layout left items out (the mark then shows chevrons).
bool ToolbarHasHiddenItems(TdxBarControl* toolbar);
// The base look's chevron of the toolbar mark at position p: two one-pixel lines of button text,
// across a horizontal toolbar (one pixel higher on a small bar) or down a vertical one.
void DrawTwoLineChevron(TdxBarControl* toolbar, HDC dc, int p, const RECT& rect, bool small);
// The item control's brush: its style brush when its item's style sets a colour, else its bar
// control's background brush.
HBRUSH ItemBrush(TdxBarItemControl* itemControl);
// Whether the drawn control (a button with a drop-down, or a combo) has its drop-down open.
bool IsDrawnDroppedDown(TdxBarItemControlDrawParams* drawParams);

}  // namespace dxBarPainterShapes
