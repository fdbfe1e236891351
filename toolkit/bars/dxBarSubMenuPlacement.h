#pragma once
// Where a menu window goes on the screen: beside or below the item that opened it, or at a point,
// kept inside the work area of its monitor, opening on the other side of its owner item (or
// upwards) when there is more room there, and cut to the work area's height (it then scrolls)
// when nothing else fits.
#include <windows.h>

struct TdxBarSubMenuPlacement {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  // The menu opens leftwards of its opening point (or of its owner item).
  bool FlippedHorizontally = false;
  // The menu opens upwards of its opening point (or above its owner item).
  bool FlippedVertically = false;
};

// The menu of the given size wants its top-left corner at (left, top). A menu opened beside a
// menu item has that item's width as ownerWidth (the point is the item's right edge); one opened
// below a toolbar item has the item's height as ownerHeight (the point is its bottom-left corner);
// a popup menu has neither.
TdxBarSubMenuPlacement dxBarPlaceSubMenu(int left, int top, SIZE size, int ownerWidth, int ownerHeight,
                                         const RECT& workArea);
