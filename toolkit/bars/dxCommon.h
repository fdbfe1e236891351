#pragma once
// Metrics of the bar system's drop-down popups: the height of a drop-down's non-client part, and
// for a popup placed beside an owner rectangle the corner that lies away from the owner and the
// sizing hit-test code of that corner.
#include "classlib/Win.h"

// Corners of a popup: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
using TdxCorner = int;

// The height of a drop-down popup's non-client part in pixels.
int GetDropDownNonClientHeight();
// The corner of the popup rectangle popupRect that lies away from the owner rectangle ownerRect.
TdxCorner GetCornerForRects(const RECT& popupRect, const RECT& ownerRect);
// The sizing hit-test code of a corner (HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT).
int GetHitTestByCorner(TdxCorner corner);
