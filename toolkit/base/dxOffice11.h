#pragma once
// The Office 2003 colour scheme: one shared set of 81 colours, 16 brushes and three bitmaps for the
// painters of that style, and the drawing routines the style needs (gradients, grip dots, arrows,
// the size grip).
//
// With the blue, olive green or silver variant of the Windows XP visual style (and, on Windows 6
// and later, any visual style by its colour name) the set holds that scheme's fixed colours;
// otherwise it is derived from the system colours. The colours are computed when first asked for
// and again by RecomputeOffice2003Colors; the brushes and bitmaps exist while the set has users
// (AcquireOffice2003Colors / ReleaseOffice2003Colors).
#include "classlib/Colors.h"
#include "classlib/Units.h"
#include "classlib/Win.h"

class TBitmap;

extern TUnit UnitdxOffice11;

enum class TdxOffice2003Scheme { osNone, osBlue, osOliveGreen, osSilver };

constexpr int dxOffice11ColorCount = 81;
constexpr int dxOffice11BrushCount = 16;

// --- The set ---

// The first user computes the colours and makes the brushes and bitmaps; each call counts one user.
void AcquireOffice2003Colors();
// Counts one user less (a release without a user does nothing); the last one frees the brushes and
// bitmaps, the colours stay as last computed.
void ReleaseOffice2003Colors();
// Detects the scheme and computes the colours again; while the set has users its brushes and
// bitmaps are made again too.
void RecomputeOffice2003Colors();
int Office2003ColorsUsers();

TdxOffice2003Scheme GetOffice2003Scheme();
// Visual styles are available and a scheme was detected.
bool IsOffice2003SchemeActive();
// The percentage of FillRectTwoPhaseGradient: blue 41, olive green 125, silver 40, else 75.
int Office2003TwoPhaseGradientPercent();

// Office 2003 colour number 1..81 (computed on first use); EInvalidOperation for other numbers.
TColor dxOffice11Color(int number);
// Office 2003 brush number 1..16 while the set has users, else nullptr; brushes 12, 14 and 15 are
// brushes 5, 7 and 11. EInvalidOperation for other numbers.
HBRUSH dxOffice11Brush(int number);
// The bitmaps while the set has users, else nullptr: the recoloured submenu expand button, and the
// expand buttons with a minus and a plus sign.
TBitmap* dxOffice11SubMenuExpandBitmap();
TBitmap* dxOffice11ExpandButtonMinusBitmap();
TBitmap* dxOffice11ExpandButtonPlusBitmap();

// The named colours.
inline TColor dxOffice11FaceColor() { return dxOffice11Color(1); }
inline TColor dxOffice11LightFaceColor() { return dxOffice11Color(2); }
inline TColor dxOffice11GradientBeginColor() { return dxOffice11Color(3); }
inline TColor dxOffice11GradientEndColor() { return dxOffice11Color(4); }
inline TColor dxOffice11EdgeShadowColor() { return dxOffice11Color(21); }
inline TColor dxOffice11EdgeLightColor() { return dxOffice11Color(22); }
inline TColor dxOffice11PanelColor() { return dxOffice11Color(25); }
inline TColor dxOffice11PanelTextColor() { return dxOffice11Color(29); }
inline TColor dxOffice11SelectionFrameColor() { return dxOffice11Color(42); }
inline TColor dxOffice11HotFaceColor() { return dxOffice11Color(43); }
inline TColor dxOffice11HotFaceEndColor() { return dxOffice11Color(44); }
inline TColor dxOffice11PressedFaceColor() { return dxOffice11Color(45); }
inline TColor dxOffice11GlyphColor() { return dxOffice11Color(52); }
inline TColor dxOffice11DisabledGlyphColor() { return dxOffice11Color(53); }
inline TColor dxOffice11GroupPanelColor() { return dxOffice11Color(56); }
inline TColor dxOffice11BorderColor() { return dxOffice11Color(58); }
inline TColor dxOffice11GroupRowColor() { return dxOffice11Color(59); }
inline TColor dxOffice11SelectedDayColor() { return dxOffice11Color(60); }
inline TColor dxOffice11ContainerFrameColor() { return dxOffice11Color(61); }
inline TColor dxOffice11ContentColor() { return dxOffice11Color(62); }
inline TColor dxOffice11GroupRowBackColor() { return dxOffice11Color(63); }
inline TColor dxOffice11GroupRowTextColor() { return dxOffice11Color(64); }
inline TColor dxOffice11GroupRowSeparatorColor() { return dxOffice11Color(65); }
inline TColor dxOffice11ExpandButtonColor1() { return dxOffice11Color(80); }
inline TColor dxOffice11ExpandButtonColor2() { return dxOffice11Color(81); }

// --- Colour rules ---

bool IsBtnFaceBlack();
bool IsBtnFaceWhite();
// A black button face with a button-text colour other than white.
bool IsBlackFaceNonWhiteText();
// Per channel percent % of a plus the rest of b (each part rounded, the sum capped at 255), then the
// nearest colour the screen can show.
TColor BlendColors(TColor a, TColor b, int percent);
TColor GetNearestDeviceColor(TColor color);

// --- Drawing ---

// GradientFill of "msimg32.dll", bound at start-up (nullptr without it). Tests may empty it to
// reach the banded fill, and must put it back.
using TdxGradientFillFunc = decltype(&::GradientFill);
extern TdxGradientFillFunc dxGradientFill;

// From colour 1 at the top-left corner to colour 2 at the bottom-right one, changing from left to
// right when horizontal, else from top to bottom; without GradientFill in at most 256 bands.
// Nothing is drawn for an empty rectangle.
void FillRectGradient(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
// The banded fill: the extent is cut into min(extent, 256) bands of one colour each.
void FillGradientBySteps(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
// The colour of the band of FillGradientBySteps that holds the coordinate (the first or last band
// for coordinates before or past the rectangle; colour 1 for an empty rectangle).
TColor GradientColorAt(const RECT& rect, int coordinate, TColor color1, TColor color2, bool horizontal);
// Line by line: from colour 1 to a middle colour at half the extent, then to colour 2. The middle
// colour lies Office2003TwoPhaseGradientPercent() / 2 percent of the way from colour 1 to colour 2.
void FillRectTwoPhaseGradient(HDC dc, const RECT& rect, TColor color1, TColor color2, bool horizontal);
// Through a temporary solid brush.
void FillRectSolidColor(HDC dc, const RECT& rect, TColor color);
void FrameRectSolidColor(HDC dc, const RECT& rect, TColor color);
// Framed with brush 6, or clHighlightText when the button face is black.
void FrameRectWithSchemeBorder(HDC dc, const RECT& rect);
// A row of grip dots on a 4-pixel pitch, vertical when asked; each dot is the lower brush's 2 x 2
// square at (1, 1) under the upper brush's at (0, 0). Without brushes: brush 1 above, brush 2 below.
void DrawGripDots(HDC dc, const RECT& rect, bool vertical, HBRUSH lowerBrush = nullptr, HBRUSH upperBrush = nullptr);
// A filled triangle pointing down or right, centred in the rectangle.
void DrawSchemeItemArrow(HDC dc, const RECT& rect, bool down, bool enabled, bool selected);
// The same triangle in the scheme's arrow colour with the given size (its height; the base is
// 2 × size − 1), centred in the rectangle, pointing down or right.
void DrawSchemeArrowTriangle(HDC dc, const RECT& rect, bool down, bool enabled, bool selected, int size);
// Rows of three, two and one dots at the bottom-right corner; clDefault keeps the default brush.
void DrawSchemeSizeGrip(HDC dc, const RECT& rect, TColor upperColor = clDefault, TColor lowerColor = clDefault);
// Recolours a shaded bitmap with the scheme: the pixel at (0, 0) is the background; black pixels and
// the background stay; the others run from colour 4 (lowest red) to colour 3 (highest red). When all
// of them share one red value they take the colour halfway between. The bitmap becomes 24-bit.
void TintBitmapWithScheme(TBitmap* bitmap);
