// Colour services of the panels: the HSL arithmetic on its 0..240 scale with its rounding and
// limits, the lightness changes, the XP colour scheme read from the registry, and the scheme colours
// with and without visual styles. The registry tests point HKEY_CURRENT_USER at a private key for
// their duration, so the real theme settings (which the visual-styles library reads) stay untouched.
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include "classlib/GraphicsUtils.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/panels/RzCommonColors.h"

namespace {
struct THsl {
  int H, S, L;
  bool operator==(const THsl&) const = default;
};
std::ostream& operator<<(std::ostream& os, const THsl& v) { return os << v.H << "," << v.S << "," << v.L; }

THsl ToHsl(TColor color)
{
  uint8_t h, s, l;
  ColorToHslComponents(color, h, s, l);
  return THsl{h, s, l};
}

TColor FromHsl(THsl v)
{
  return ColorFromHsl(static_cast<uint8_t>(v.H), static_cast<uint8_t>(v.S), static_cast<uint8_t>(v.L));
}

int ChannelDistance(COLORREF a, COLORREF b)
{
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

BOOL WINAPI ThemeActiveOff() { return FALSE; }
}  // namespace

TEST(RzHsl, ComponentsOfKnownColoursOnTheScaleOf240)
{
  struct TCase {
    TColor Color;
    THsl Expected;
  };
  const TCase cases[] = {
    {0x0000FF, {0, 240, 120}},   // pure red
    {clWhite, {0, 0, 240}},
    {clBlack, {0, 0, 0}},
    {0x00FF00, {80, 240, 120}},  // green
    {0xFF0000, {160, 240, 120}}, // blue
    {0x808080, {0, 0, 120}},
    {0xC0C0C0, {0, 0, 181}},
    {0x336699, {20, 120, 96}},   // red 0x99, green 0x66, blue 0x33
    {0xFF00FF, {200, 240, 120}},
  };
  for (const TCase& c : cases) EXPECT_EQ(ToHsl(c.Color), c.Expected) << std::hex << c.Color;
  // A system colour is taken by its value.
  EXPECT_EQ(ToHsl(clBtnFace), ToHsl(static_cast<TColor>(GetSysColor(COLOR_BTNFACE))));
}

TEST(RzHsl, ColoursFromComponentsReadTheHueAgainst239AndLimitEveryChannel)
{
  struct TCase {
    THsl Hsl;
    TColor Expected;
  };
  const TCase cases[] = {
    {{0, 240, 120}, 0x0000FF},
    {{80, 240, 120}, 0x02FF00},    // 80 / 239 lies just past the second sector's start
    {{160, 240, 120}, 0xFF0004},
    {{240, 240, 120}, 0x0006FF},   // the top of the scale is a sixth sector, drawn as the first
    {{40, 120, 60}, 0x20605F},
    {{200, 60, 200}, 0xDFCADF},
    {{0, 0, 0}, clBlack},
    {{100, 200, 255}, clWhite},    // a lightness above the scale: every channel limited to 255
    {{0, 255, 60}, 0x000083},      // a saturation above the scale: a channel below 0 is limited to 0
  };
  for (const TCase& c : cases) EXPECT_EQ(FromHsl(c.Hsl), c.Expected) << c.Hsl;
}

TEST(RzHsl, RoundTripsKeepGreysAndStayNearEveryColour)
{
  // The 240-step scale loses a little of the 256 levels; the hue read against 239 drifts a little
  // more toward the top of the hue circle. Components from a colour lead back close to it.
  int worst = 0;
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        const TColor c = static_cast<TColor>(RGB(r, g, b));
        worst = std::max(worst, ChannelDistance(c, FromHsl(ToHsl(c))));
      }
  EXPECT_LE(worst, 9);
  for (int v = 0; v < 256; ++v) {
    const TColor grey = static_cast<TColor>(RGB(v, v, v));
    const COLORREF back = FromHsl(ToHsl(grey));
    EXPECT_EQ(GetRValue(back), GetGValue(back));
    EXPECT_EQ(GetGValue(back), GetBValue(back));
    EXPECT_LE(ChannelDistance(grey, back), 1) << v;
  }
  // Components through a colour and back: the same, or a step further where the hue read against
  // 239 drifts.
  struct TCase {
    THsl In, Back;
  };
  const TCase cases[] = {
    {{20, 120, 96}, {20, 120, 96}},    {{0, 240, 120}, {0, 240, 120}},  {{120, 240, 120}, {120, 240, 120}},
    {{0, 0, 181}, {0, 0, 181}},        {{160, 240, 120}, {161, 240, 120}}, {{40, 120, 60}, {41, 120, 60}},
  };
  for (const TCase& c : cases) EXPECT_EQ(ToHsl(FromHsl(c.In)), c.Back) << c.In;
}

TEST(RzHsl, LightnessChangesClampAndAZeroAdjustmentKeepsTheColourItself)
{
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  const THsl f = ToHsl(face);
  EXPECT_EQ(DarkenColor(clBtnFace, 20), FromHsl({f.H, f.S, f.L - 20}));
  EXPECT_EQ(LightenColor(clBtnFace, 10), FromHsl({f.H, f.S, f.L + 10}));
  EXPECT_EQ(DarkenColor(0x202020, 100), clBlack);  // not below 0
  // Lightness 225 raised by 30 is clamped at 255, above the scale: every channel ends at 255.
  ASSERT_EQ(ToHsl(0xFFF0E0).L, 225);
  EXPECT_EQ(LightenColor(0xFFF0E0, 30), clWhite);
  EXPECT_EQ(LightenColor(0xFFF0E0, 5), FromHsl({ToHsl(0xFFF0E0).H, ToHsl(0xFFF0E0).S, 230}));
  EXPECT_EQ(AdjustColorLightness(clBtnFace, 0), clBtnFace);
  EXPECT_EQ(AdjustColorLightness(0x336699, 0), 0x336699);
  EXPECT_EQ(AdjustColorLightness(0x336699, -20), DarkenColor(0x336699, 20));
  EXPECT_EQ(AdjustColorLightness(0x336699, 30), LightenColor(0x336699, 30));
}

namespace {
// HKEY_CURRENT_USER points at a private key of the test for the life of the object; the theme
// settings are written there.
class TPrivateCurrentUser {
public:
  TPrivateCurrentUser()
  {
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath);
    RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr);
    FOverridden = FKey && RegOverridePredefKey(HKEY_CURRENT_USER, FKey) == ERROR_SUCCESS;
  }
  ~TPrivateCurrentUser()
  {
    if (FOverridden) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (FKey) RegCloseKey(FKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath);
  }
  TPrivateCurrentUser(const TPrivateCurrentUser&) = delete;
  TPrivateCurrentUser& operator=(const TPrivateCurrentUser&) = delete;

  bool Overridden() const { return FOverridden; }
  void SetColorName(const char* name)
  {
    RegSetKeyValueA(HKEY_CURRENT_USER, ThemeManager, "ColorName", REG_SZ, name, static_cast<DWORD>(strlen(name) + 1));
  }
  void SetColorNumber(DWORD value)
  {
    RegSetKeyValueA(HKEY_CURRENT_USER, ThemeManager, "ColorName", REG_DWORD, &value, sizeof(value));
  }
  void RemoveColorName() { RegDeleteKeyValueA(HKEY_CURRENT_USER, ThemeManager, "ColorName"); }

private:
  static constexpr const char* KeyPath = "Software\\ToolkitPanelsTests";
  static constexpr const char* ThemeManager = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
  HKEY FKey = nullptr;
  bool FOverridden = false;
};

// The unit-wide scheme read again when the test ends, from the real settings.
class RzXPColorScheme : public testing::Test {
protected:
  void TearDown() override { UpdateXPColorScheme(); }
};
}  // namespace

TEST_F(RzXPColorScheme, TheSchemeFollowsTheColourNameOfTheThemeSettings)
{
  TPrivateCurrentUser user;
  ASSERT_TRUE(user.Overridden());
  struct TCase {
    const char* Name;
    int Scheme;
  };
  const TCase cases[] = {
    {"HomeStead", RzXPSchemeOlive}, {"HOMESTEAD", RzXPSchemeOlive}, {"metallic", RzXPSchemeSilver},
    {"Metallic", RzXPSchemeSilver}, {"NormalColor", RzXPSchemeBlue}, {"Blue", RzXPSchemeBlue},
    {"", RzXPSchemeBlue},
  };
  for (const TCase& c : cases) {
    user.SetColorName(c.Name);
    EXPECT_EQ(ReadXPColorSchemeSetting(), c.Scheme) << c.Name;
    UpdateXPColorScheme();
    EXPECT_EQ(XPColorScheme(), c.Scheme) << c.Name;
  }
  user.RemoveColorName();
  EXPECT_EQ(ReadXPColorSchemeSetting(), RzXPSchemeBlue);
  // A value of another type names no scheme rather than failing the start-up.
  user.SetColorNumber(1);
  EXPECT_EQ(ReadXPColorSchemeSetting(), RzXPSchemeBlue);
}

TEST_F(RzXPColorScheme, OfficeColoursComeFromTheSchemeWhileVisualStylesAreOn)
{
  ASSERT_TRUE(dxUxTheme::IsThemeActive()) << "the test system runs with visual styles on";
  struct TRow {
    const char* Name;
    TColor Start, Stop, Flat;
  };
  const TRow rows[] = {
    {"NormalColor", 0xFFEFE3, 0xEABB99, 0xBF7F57},
    {"HomeStead", 0xEDFFFF, 0x92C7B8, 0x77A17F},
    {"Metallic", 0xFFF9F9, 0xD0BCBD, 0xB19F9F},
  };
  TPrivateCurrentUser user;
  ASSERT_TRUE(user.Overridden());
  for (const TRow& row : rows) {
    user.SetColorName(row.Name);
    UpdateXPColorScheme();
    TColor start = 0, stop = 0, dark = 0, light = 0, line = 0;
    GetSchemeGradientColors(TRzGradientColorStyle::gcsMSOffice, start, stop);
    EXPECT_EQ(start, row.Start) << row.Name;
    EXPECT_EQ(stop, row.Stop) << row.Name;
    EXPECT_EQ(GetSchemeFlatColor(TRzGradientColorStyle::gcsMSOffice), row.Flat) << row.Name;
    GetSchemeStatusColors(TRzGradientColorStyle::gcsMSOffice, dark, light, line);
    EXPECT_EQ(dark, row.Stop) << row.Name;
    EXPECT_EQ(light, row.Start) << row.Name;
    EXPECT_EQ(line, row.Stop) << row.Name;
  }
}

TEST_F(RzXPColorScheme, WithoutOfficeColoursTheColoursComeFromTheSystem)
{
  auto expectSystemColours = [](TRzGradientColorStyle style, const char* label) {
    TColor start = 0, stop = 0, dark = 0, light = 0, line = 0;
    GetSchemeGradientColors(style, start, stop);
    EXPECT_EQ(start, clWindow) << label;
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10)) << label;
    EXPECT_EQ(GetSchemeFlatColor(style), LightenColor(clBtnShadow, 30)) << label;
    GetSchemeStatusColors(style, dark, light, line);
    EXPECT_EQ(dark, DarkenColor(clBtnFace, 20)) << label;
    EXPECT_EQ(light, clWindow) << label;
    EXPECT_EQ(line, DarkenColor(clBtnFace, 40)) << label;
  };
  expectSystemColours(TRzGradientColorStyle::gcsSystem, "system");
  expectSystemColours(TRzGradientColorStyle::gcsCustom, "custom");
  EXPECT_TRUE(UsesOfficeColors(TRzGradientColorStyle::gcsMSOffice));
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &ThemeActiveOff);
  EXPECT_FALSE(UsesOfficeColors(TRzGradientColorStyle::gcsMSOffice));
  expectSystemColours(TRzGradientColorStyle::gcsMSOffice, "Office without visual styles");
}
