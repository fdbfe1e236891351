// Where a menu window goes: beside or below its owner item or at a point, flipped at the work
// area's edges and cut to its height.
#include <gtest/gtest.h>
#include "toolkit/bars/dxBarSubMenuPlacement.h"

namespace {
struct TPlacementCase {
  const char* Name;
  int Left, Top, Width, Height, OwnerWidth, OwnerHeight;
  RECT WorkArea;
  TdxBarSubMenuPlacement Expected;
};

constexpr RECT Screen{0, 0, 800, 600};

const TPlacementCase Cases[] = {
  {"popup that fits", 100, 100, 200, 300, 0, 0, Screen, {100, 100, 200, 300, false, false}},
  {"popup at the right edge opens leftwards", 700, 100, 200, 100, 0, 0, Screen, {500, 100, 200, 100, true, false}},
  {"popup with no room either side is shifted", 150, 100, 200, 100, 0, 0, {0, 0, 300, 600},
   {100, 100, 200, 100, false, false}},
  {"below a toolbar item at the right edge is shifted", 700, 100, 200, 100, 0, 20, Screen,
   {600, 100, 200, 100, false, false}},
  {"beside a menu item at the right edge opens on its other side", 700, 100, 200, 100, 150, 0, Screen,
   {350, 100, 200, 100, true, false}},
  {"beside a wide menu item with less room on its other side is clamped", 650, 100, 200, 100, 600, 0, Screen,
   {600, 100, 200, 100, false, false}},
  {"below a toolbar item at the bottom opens above it", 100, 550, 200, 300, 0, 20, Screen,
   {100, 230, 200, 300, false, true}},
  {"below a toolbar item, more room below: cut to scroll", 100, 100, 200, 700, 0, 90, Screen,
   {100, 100, 200, 500, false, false}},
  {"above a toolbar item past the top loses the overflow", 100, 320, 200, 400, 0, 20, Screen,
   {100, 0, 200, 300, false, true}},
  {"beside a menu item at the bottom is shifted up", 100, 500, 200, 200, 100, 0, Screen,
   {100, 400, 200, 200, false, false}},
  {"popup at the bottom opens upwards", 100, 500, 200, 200, 0, 0, Screen, {100, 300, 200, 200, false, true}},
  {"popup taller than the screen starts at the top, cut", 100, 100, 200, 700, 0, 0, Screen,
   {100, 0, 200, 600, false, false}},
  {"popup left of a second monitor's work area is moved in", 750, 100, 200, 100, 0, 0, {800, 0, 1600, 600},
   {800, 100, 200, 100, false, false}},
  {"popup on a monitor left of the primary one", -100, 100, 200, 100, 0, 0, {-1024, 0, 0, 768},
   {-300, 100, 200, 100, true, false}},
  {"beside an item at the bottom-right corner", 700, 550, 200, 100, 150, 0, Screen,
   {350, 500, 200, 100, true, false}},
};
} // namespace

TEST(dxBarSubMenuPlacement, PlacesAndFlipsAtTheWorkAreaEdges)
{
  for (const TPlacementCase& c : Cases) {
    SCOPED_TRACE(c.Name);
    TdxBarSubMenuPlacement r =
      dxBarPlaceSubMenu(c.Left, c.Top, SIZE{c.Width, c.Height}, c.OwnerWidth, c.OwnerHeight, c.WorkArea);
    EXPECT_EQ(r.Left, c.Expected.Left);
    EXPECT_EQ(r.Top, c.Expected.Top);
    EXPECT_EQ(r.Width, c.Expected.Width);
    EXPECT_EQ(r.Height, c.Expected.Height);
    EXPECT_EQ(r.FlippedHorizontally, c.Expected.FlippedHorizontally);
    EXPECT_EQ(r.FlippedVertically, c.Expected.FlippedVertically);
  }
}
