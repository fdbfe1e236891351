#pragma once
// Middle-button panning of a TcxControl (TcxControl::PanContent): while it runs, an anchor picture
// sits where the button went down, and the content scrolls towards the cursor, faster the farther
// the cursor is from the anchor.
//
// Around the anchor lies a neutral zone, a square as wide as the anchor picture; the zone reaches
// across the whole screen sideways when the control has no horizontal bar and up and down when it
// has no vertical bar, so the content never pans where there is no bar. Outside the zone the content
// pans along one axis: the bar's axis when the control has one bar, else the axis of the larger
// distance (vertical when both are equal). The speed is 1 at the zone's edge and grows by one every
// 5 pixels, up to 12; every (13 - speed) ticks of a 20 ms timer one line is scrolled.
#include "classlib/Controls.h"
#include "toolkit/controls/cxControlsControl.h"

constexpr int cxPanningMaxSpeed = 12;
constexpr UINT cxPanningTimerInterval = 20;

struct TcxPanningMotion {
  TcxDirection Direction = dirNone;
  int Speed = 0;
};

// The motion for the cursor at P (screen) around the anchor, with a neutral zone ZoneWidth wide, for
// a control that shows the horizontal and the vertical bar as told.
TcxPanningMotion cxPanningMotion(POINT Anchor, POINT P, int ZoneWidth, bool HorizontalBar, bool VerticalBar);
// The cursor of a motion: the still cursor of the bars shown (both, horizontal only, vertical only)
// or the cursor of the direction.
TCursor cxPanningCursor(TcxDirection Direction, bool HorizontalBar, bool VerticalBar);

// Counts the timer's ticks and tells when a line is due at the current speed.
class TcxPanningTicker {
public:
  // True every (13 - speed) ticks; never at speed 0.
  bool Tick(int Speed);

private:
  int FTicks = 0;
};
