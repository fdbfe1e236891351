#pragma once
// Colour services of the panel family: lightness arithmetic in an HSL model on a 0..240 scale, the
// colour scheme of the XP visual style read from the registry, and the Office-like colours of the
// panels derived from it.
#include <cstdint>
#include "classlib/Colors.h"
#include "classlib/TypInfo.h"

// How a panel fills and frames itself: plainly (classic, or themed where visual styles are on) or
// with a gradient.
enum class TRzVisualStyle { vsClassic, vsWinXP, vsGradient };
extern const TEnumInfo RzVisualStyleInfo;
// Where gradient and flat colours come from: the system colours, the Office-like colours of the
// current XP scheme (only while visual styles are on), or the panel's own.
enum class TRzGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
extern const TEnumInfo RzGradientColorStyleInfo;

// --- HSL ---

// Hue, saturation and lightness of a colour (system colours resolved), each rounded to the nearest
// step of 0..240 (ties to even).
void ColorToHslComponents(TColor color, uint8_t& h, uint8_t& s, uint8_t& l);
// The colour of hue, saturation and lightness on the 0..240 scale. The hue is read against 239, so
// 240 lands in the sixth sector; a lightness above 240 (up to 255) gives channels above the top,
// which are limited to 255 (and any below the bottom to 0).
TColor ColorFromHsl(uint8_t h, uint8_t s, uint8_t l);
// The colour with its lightness lowered by amount (not below 0) or raised by amount (not above
// 255, the byte's top rather than the scale's 240).
TColor DarkenColor(TColor color, int amount);
TColor LightenColor(TColor color, int amount);
// DarkenColor by -adjustment when negative, LightenColor when positive; the colour itself when 0
// (so a system colour stays one).
TColor AdjustColorLightness(TColor color, int adjustment);

// --- XP colour scheme ---

// The schemes of the XP visual style.
constexpr int RzXPSchemeBlue = 0;
constexpr int RzXPSchemeOlive = 1;
constexpr int RzXPSchemeSilver = 2;

// The scheme named in the current user's theme settings: the string "ColorName" of
// "\Software\Microsoft\Windows\CurrentVersion\ThemeManager" upper-cased, "HOMESTEAD" olive,
// "METALLIC" silver, anything else (a missing or unreadable value too) blue.
int ReadXPColorSchemeSetting();
// The unit-wide scheme: read when the unit starts and again by UpdateXPColorScheme, which panels
// call on WM_THEMECHANGED.
int XPColorScheme();
void UpdateXPColorScheme();

// --- Scheme colours ---

// True when style asks for the Office-like colours and visual styles are on.
bool UsesOfficeColors(TRzGradientColorStyle style);
// The two colours of a panel gradient: the scheme's start and stop with Office colours, else
// clWindow and clBtnFace darkened by 10.
void GetSchemeGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop);
// The colour of flat frames: the scheme's flat colour with Office colours, else clBtnShadow
// lightened by 30.
TColor GetSchemeFlatColor(TRzGradientColorStyle style);
// The status bar's colours: with Office colours the scheme's stop (dark and line) and start
// (light); else clBtnFace darkened by 20, clWindow, and clBtnFace darkened by 40.
void GetSchemeStatusColors(TRzGradientColorStyle style, TColor& dark, TColor& light, TColor& line);
