#include "toolkit/bars/dxBarSubMenuPlacement.h"

TdxBarSubMenuPlacement dxBarPlaceSubMenu(int left, int top, SIZE size, int ownerWidth, int ownerHeight,
                                         const RECT& workArea)
{
  TdxBarSubMenuPlacement r{left, top, size.cx, size.cy};
  const RECT& wa = workArea;
  const int w = r.Width;

  // Past the right edge: a menu beside an item opens on the item's other side when there is more
  // room there; a menu below an item shifts left; a menu at a point opens leftwards of it.
  if (r.Left + w > wa.right) {
    if (ownerWidth == 0) {
      if (ownerHeight != 0 || r.Left - w < wa.left)
        r.Left = wa.right - w;
      else {
        r.Left -= w;
        r.FlippedHorizontally = true;
      }
    }
    else if (wa.right - r.Left < r.Left - ownerWidth - wa.left) {
      r.Left = r.Left - ownerWidth - w;
      r.FlippedHorizontally = true;
    }
  }
  if (r.Left < wa.left && ownerWidth == 0) r.Left = wa.left;
  if (r.Left + w > wa.right) r.Left = wa.right - w;
  if (r.Left < wa.left) r.Left = wa.left;

  // Past the bottom edge: a menu below an item opens above it when there is more room there, else
  // it is cut to the work area and scrolls; a menu beside an item shifts up; a menu at a point
  // opens upwards of it.
  if (r.Top + r.Height > wa.bottom) {
    if (ownerHeight != 0) {
      if (wa.bottom - r.Top < r.Top - ownerHeight - wa.top) {
        r.Top = r.Top - ownerHeight - r.Height;
        r.FlippedVertically = true;
      }
      else
        r.Height = wa.bottom - r.Top;
    }
    else if (ownerWidth != 0 || r.Top - r.Height < wa.top)
      r.Top = wa.bottom - r.Height;
    else {
      r.Top -= r.Height;
      r.FlippedVertically = true;
    }
  }
  // Past the top edge: the menu starts at the work area's top and is cut to fit.
  if (r.Top < wa.top) {
    if (r.FlippedVertically && ownerHeight != 0)
      r.Height += r.Top - wa.top;
    r.Top = wa.top;
    if (!(r.FlippedVertically && ownerHeight != 0) && r.Top + r.Height > wa.bottom)
      r.Height = wa.bottom - r.Top;
  }
  return r;
}
