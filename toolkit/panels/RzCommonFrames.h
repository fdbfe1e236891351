#pragma once
// Frame drawing of the panel family: every frame style on any set of sides, the panel's frame of
// outer frame, border band and inner frame, and text output on a canvas.
//
// Each routine draws on the sides asked for and answers the interior that the frame leaves. A
// colour of clNone is not drawn; lines leave out their end point.
#include <string>
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"

enum class TFrameStyleEx {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup,
  fsFlatBold, fsFlatRounded
};
// The frame styles up to fsFlatBold, for the properties that do not take fsFlatRounded: their
// stored forms name only those (FrameStyleInfo).
using TFrameStyle = TFrameStyleEx;
extern const TEnumInfo FrameStyleExInfo;
extern const TEnumInfo FrameStyleInfo;

enum class TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
constexpr TSides sdAllSides{TSide::sdLeft, TSide::sdTop, TSide::sdRight, TSide::sdBottom};
extern const TEnumInfo SideInfo;

// R moved inward by n on each side in sides.
RECT DeflateSides(const RECT& r, TSides sides, int n);

// One-pixel lines: the left and top sides in ulColor, the right and bottom sides in lrColor. The
// interior is r moved in by 1 on each side in sides, whether or not a colour was drawn.
RECT DrawFrameSides(TCanvas* canvas, const RECT& r, TColor ulColor, TColor lrColor, TSides sides);
// count nested DrawFrameSides, each on the previous interior, with a pen of width 1.
RECT DrawFrameSidesRepeated(TCanvas* canvas, const RECT& r, TColor ulColor, TColor lrColor, TSides sides,
                            int count);
// A two-line 3-D bevel, raised or lowered.
RECT DrawBevelFrame(TCanvas* canvas, const RECT& r, bool lowered, TSides sides);
// A two-line button edge, up or pushed down.
RECT DrawButtonFrame(TCanvas* canvas, const RECT& r, bool down, TSides sides);
// A one-pixel frame whose corners are cut: lines stop 2 pixels short of a corner where the side
// meeting them is drawn, and a pixel inside each corner of two drawn sides rounds it. The interior
// is r moved in by 2 on each side drawn.
RECT DrawRoundedFlatFrame(TCanvas* canvas, const RECT& r, TColor color, TSides sides);
// The frame of a style on the sides: nothing for fsNone; one line for fsFlat, fsStatus and fsPopup;
// two for the others (fsFlatRounded is the rounded flat frame in the fsFlat colour).
RECT DrawFrameStyleSides(TCanvas* canvas, const RECT& r, TFrameStyleEx style, TSides sides);
RECT DrawFrameStyle(TCanvas* canvas, const RECT& r, TFrameStyleEx style);
// Four one-pixel lines of color along the edges of r that leave the corner pixels out; the
// interior is r moved in by 1 on all sides.
RECT DrawFlatFrameWithoutCorners(TCanvas* canvas, const RECT& r, TColor color);

// What a panel's frame is made of: the outer frame at the edge, a band of BorderWidth pixels in
// BorderColor, and the inner frame, each on Sides. Flat frames use FlatColor with its lightness
// changed by FlatColorAdjustment; fsStatus and fsPopup bevels are BevelWidth lines of
// ShadowColor and HighlightColor. A rounded flat frame paints its cut corners in ParentColor and
// its inside ring in Color or BorderColor, unless Transparent.
struct TRzPanelBorders {
  TFrameStyleEx Outer = TFrameStyleEx::fsNone;
  TFrameStyleEx Inner = TFrameStyleEx::fsNone;
  TSides Sides = sdAllSides;
  int BorderWidth = 0;
  int BevelWidth = 1;
  bool RoundInnerFlat = false;
  bool Transparent = false;
  TColor ParentColor = clBtnFace;
  TColor Color = clBtnFace;
  TColor FlatColor = clBtnShadow;
  int FlatColorAdjustment = 30;
  TColor ShadowColor = clBtnShadow;
  TColor HighlightColor = clBtnHighlight;
  TColor BorderColor = clBtnFace;
};
// Draws the outer frame, the border band and the inner frame in r; answers the interior.
RECT DrawPanelBorders(TCanvas* canvas, const RECT& r, const TRzPanelBorders& borders);

// DrawText of the whole text (up to its first null character) on the canvas's device context with
// its font, laid out in r with the DT_ flags; answers the text's height. With DT_CALCRECT r becomes
// the rectangle the text needs.
int DrawTextOnCanvas(TCanvas* canvas, const std::string& text, RECT& r, UINT format);
