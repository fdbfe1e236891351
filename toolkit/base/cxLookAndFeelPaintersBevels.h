#pragma once
// What the built-in painters share: the one-pixel bevels of header edges, filter buttons and tab edges
// and the scroll-bar elements with their checkerboard page areas, which the standard and flat looks
// draw the same way in clBtnHighlight and clBtnShadow; the edge lines of track-bar thumbs; and the
// look-up of the registered painter that a painter hands a part on to.
#include <functional>
#include "toolkit/base/cxLookAndFeelPainters.h"

// A raised one-pixel edge on all four sides; with a neighbour on the left or right the corner pixels
// on that side take the face colour (and the top corner the highlight), so that the edges of
// neighbouring headers join.
void cxDrawBevelHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours);
// A raised (sunken when pressed) one-pixel edge around a clBtnFace face with the drop-down arrow, blue
// while a filter is set.
void cxDrawBevelFilterArrowButton(const TcxCustomLookAndFeelPainter* Painter, TcxCanvas* Canvas, const RECT& R,
                                  TcxButtonState State, bool IsActive);
// One edge strip of a tab, with its corners rounded off: clBtnShadow on the side facing away from
// the light (the right edge of a horizontal tab, the bottom edge of a vertical one), clBtnHighlight
// on the others.
void cxDrawBevelTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders, TcxBorder Side);
// A page area of a scroll bar: R tiled with the pressed or the normal checkerboard, the brush solid
// afterwards.
void cxDrawScrollBarPageArea(TcxCanvas* Canvas, const RECT& R, bool Pressed);
// A scroll-bar element of the classic looks: nothing for an empty R or a disabled thumb, no hot look,
// page areas tiled with the normal or the pressed checkerboard; the arrow buttons and the thumb are
// drawn by DrawButtonPart in the state to show.
void cxDrawClassicScrollBarElement(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Element,
                                   TcxButtonState State, const std::function<void(TcxButtonState)>& DrawButtonPart);
// One of the edge lines of a pointed track-bar thumb in the colour (nothing for no points).
void cxDrawThumbEdgeLine(TcxCanvas* Canvas, std::span<const POINT> Points, TColor Color);
// The registered painter of a style; nullptr when there is none (or no registry any more).
TcxCustomLookAndFeelPainter* cxRegisteredPainter(TcxPainterStyle Style);
