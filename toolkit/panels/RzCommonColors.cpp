#include "toolkit/panels/RzCommonColors.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include "classlib/GraphicsUtils.h"
#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
constexpr std::string_view VisualStyleNames[] = {"vsClassic", "vsWinXP", "vsGradient"};
constexpr std::string_view GradientColorStyleNames[] = {"gcsSystem", "gcsMSOffice", "gcsCustom"};

struct TRzSchemeColors {
  TColor GradientStart;
  TColor GradientStop;
  TColor Flat;
};
// By scheme: blue, olive, silver.
constexpr TRzSchemeColors SchemeColors[] = {
  {0xFFEFE3, 0xEABB99, 0xBF7F57},
  {0xEDFFFF, 0x92C7B8, 0x77A17F},
  {0xFFF9F9, 0xD0BCBD, 0xB19F9F},
};

int GXPColorScheme = RzXPSchemeBlue;

const TRzSchemeColors& CurrentSchemeColors() { return SchemeColors[std::clamp(GXPColorScheme, 0, 2)]; }

uint8_t ToScale(double value) { return static_cast<uint8_t>(std::nearbyint(value * 240)); }
uint8_t ToChannel(double value) { return static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 1.0) * 255)); }

TColor WithLightness(TColor color, int lightness)
{
  uint8_t h, s, l;
  ColorToHslComponents(color, h, s, l);
  return ColorFromHsl(h, s, static_cast<uint8_t>(std::clamp(lightness, 0, 255)));
}

int Lightness(TColor color)
{
  uint8_t h, s, l;
  ColorToHslComponents(color, h, s, l);
  return l;
}
}  // namespace

const TEnumInfo RzVisualStyleInfo = EnumInfo<TRzVisualStyle::vsGradient>("TRzVisualStyle", VisualStyleNames);
const TEnumInfo RzGradientColorStyleInfo =
    EnumInfo<TRzGradientColorStyle::gcsCustom>("TRzGradientColorStyle", GradientColorStyleNames);

void ColorToHslComponents(TColor color, uint8_t& h, uint8_t& s, uint8_t& l)
{
  const COLORREF rgb = GdiColor(color);
  const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double lightness = (max + min) / 2;
  double hue = 0, saturation = 0;
  if (max != min) {
    const double d = max - min;
    saturation = lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
      hue = (g - b) / d;
    else if (g == max)
      hue = 2 + (b - r) / d;
    else
      hue = 4 + (r - g) / d;
    hue /= 6;
    if (hue < 0) hue += 1;
  }
  h = ToScale(hue);
  s = ToScale(saturation);
  l = ToScale(lightness);
}

TColor ColorFromHsl(uint8_t h, uint8_t s, uint8_t l)
{
  const double hue = h / 239.0, saturation = s / 240.0, lightness = l / 240.0;
  const double m2 = lightness < 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
  if (m2 <= 0) return clBlack;
  const double m1 = 2 * lightness - m2;
  const double x = hue * 6;
  const int sector = static_cast<int>(x);
  const double f = x - sector;
  const double rise = m1 + (m2 - m1) * f, fall = m2 - (m2 - m1) * f;
  double r, g, b;
  switch (sector) {
    case 1: r = fall, g = m2, b = m1; break;
    case 2: r = m1, g = m2, b = rise; break;
    case 3: r = m1, g = fall, b = m2; break;
    case 4: r = rise, g = m1, b = m2; break;
    case 5: r = m2, g = m1, b = fall; break;
    default: r = m2, g = rise, b = m1; break;  // sector 0, and 6 at the top of the scale
  }
  return static_cast<TColor>(RGB(ToChannel(r), ToChannel(g), ToChannel(b)));
}

TColor DarkenColor(TColor color, int amount) { return WithLightness(color, Lightness(color) - amount); }

TColor LightenColor(TColor color, int amount) { return WithLightness(color, Lightness(color) + amount); }

TColor AdjustColorLightness(TColor color, int adjustment)
{
  if (adjustment < 0) return DarkenColor(color, -adjustment);
  if (adjustment > 0) return LightenColor(color, adjustment);
  return color;
}

int ReadXPColorSchemeSetting()
{
  std::string name;
  try {
    auto registry = MakeOwned<TRegistry>(KEY_READ);
    registry->SetRootKey(HKEY_CURRENT_USER);
    if (registry->OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager"))
      name = UpperCase(registry->ReadString("ColorName"));
  } catch (const ERegistryException&) {
    // A value of another type names no scheme.
  }
  if (name == "HOMESTEAD") return RzXPSchemeOlive;
  if (name == "METALLIC") return RzXPSchemeSilver;
  return RzXPSchemeBlue;
}

int XPColorScheme() { return GXPColorScheme; }

void UpdateXPColorScheme() { GXPColorScheme = ReadXPColorSchemeSetting(); }

bool UsesOfficeColors(TRzGradientColorStyle style)
{
  return style == TRzGradientColorStyle::gcsMSOffice && AreThemesEnabled();
}

void GetSchemeGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop)
{
  if (UsesOfficeColors(style)) {
    start = CurrentSchemeColors().GradientStart;
    stop = CurrentSchemeColors().GradientStop;
  } else {
    start = clWindow;
    stop = DarkenColor(clBtnFace, 10);
  }
}

TColor GetSchemeFlatColor(TRzGradientColorStyle style)
{
  return UsesOfficeColors(style) ? CurrentSchemeColors().Flat : LightenColor(clBtnShadow, 30);
}

void GetSchemeStatusColors(TRzGradientColorStyle style, TColor& dark, TColor& light, TColor& line)
{
  if (UsesOfficeColors(style)) {
    dark = CurrentSchemeColors().GradientStop;
    light = CurrentSchemeColors().GradientStart;
    line = dark;
  } else {
    dark = DarkenColor(clBtnFace, 20);
    light = clWindow;
    line = DarkenColor(clBtnFace, 40);
  }
}
