// The Office 2003 colour scheme: detection from the visual style's names, the 81 colours of the four
// schemes, the brushes and bitmaps while the set has users, and the drawing routines with their
// edge cases. The blue, olive green and silver schemes are reached by giving the detection the names
// of those styles through dxGetCurrentThemeNames; the colours without a scheme are checked with
// system colours the tests set themselves.
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Exceptions.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
// A colour written red first (as the scheme tables write it) as a TColor.
constexpr TColor Hex(uint32_t rrggbb)
{
  return static_cast<TColor>(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16));
}

// --- Seams ---

TdxThemeNames GNames;
bool GNamesReadable = true;
bool FakeNames(TdxThemeNames& names)
{
  names = GNames;
  return GNamesReadable;
}

TdxWindowsVersionInfo GVersion;
TdxWindowsVersionInfo FakeVersion() { return GVersion; }

constexpr TdxWindowsVersionInfo WindowsXP{VER_PLATFORM_WIN32_NT, 5, 1, false};
constexpr TdxWindowsVersionInfo WindowsVista{VER_PLATFORM_WIN32_NT, 6, 0, false};
constexpr TdxWindowsVersionInfo Windows10{VER_PLATFORM_WIN32_NT, 10, 0, false};

const wchar_t* const LunaFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";

// System colours set for a scope and put back after it (the change is announced to every window,
// the theme manager's among them).
class TSystemColors {
public:
  struct TEntry {
    int Index;
    uint32_t Value;  // red first
  };
  explicit TSystemColors(std::initializer_list<TEntry> entries)
  {
    for (const TEntry& e : entries) {
      FIndexes.push_back(e.Index);
      FOld.push_back(GetSysColor(e.Index));
      FNew.push_back(static_cast<COLORREF>(Hex(e.Value)));
    }
    SetSysColors(static_cast<int>(FIndexes.size()), FIndexes.data(), FNew.data());
  }
  ~TSystemColors() { SetSysColors(static_cast<int>(FIndexes.size()), FIndexes.data(), FOld.data()); }

private:
  std::vector<int> FIndexes;
  std::vector<COLORREF> FOld, FNew;
};

// A 32-bit picture to draw into, white at first, with its pixels readable as colours.
class TPixels {
public:
  TPixels(int width, int height) : FWidth(width), FHeight(height)
  {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<uint32_t*>(bits);
    FDC.Reset(CreateCompatibleDC(nullptr));
    FOld = SelectObject(FDC.Get(), FBitmap.Get());
    std::fill(FBits, FBits + width * height, 0xFFFFFFu);
  }
  ~TPixels() { SelectObject(FDC.Get(), FOld); }
  HDC DC() const { return FDC.Get(); }
  TColor At(int x, int y) const
  {
    GdiFlush();
    uint32_t p = FBits[y * FWidth + x];
    return static_cast<TColor>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  // One row (or column) of colours.
  std::vector<TColor> Line(bool horizontal, int at = 0) const
  {
    std::vector<TColor> line;
    for (int i = 0; i < (horizontal ? FWidth : FHeight); ++i) line.push_back(horizontal ? At(i, at) : At(at, i));
    return line;
  }
  bool AllWhite() const
  {
    GdiFlush();
    return std::all_of(FBits, FBits + FWidth * FHeight, [](uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; });
  }

private:
  int FWidth, FHeight;
  TBitmapHandle FBitmap;
  TDCHandle FDC;
  HGDIOBJ FOld = nullptr;
  uint32_t* FBits = nullptr;
};

// Gives the detection the names of a style and puts everything back afterwards.
class Office2003 : public testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(AreThemesAvailable());
    ASSERT_GE(ScreenBitsPerPixel(), 24) << "near() is the identity only on a true-colour screen";
    FGradientFill = dxGradientFill;
  }
  void TearDown() override
  {
    dxGetCurrentThemeNames = dxReadCurrentThemeNames;
    dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;
    DetectWindowsVersion();
    dxGradientFill = FGradientFill;
    while (Office2003ColorsUsers() > 0) ReleaseOffice2003Colors();
    RecomputeOffice2003Colors();
  }
  void UseStyle(const TdxWindowsVersionInfo& version, const wchar_t* file, const wchar_t* color, bool readable = true)
  {
    GVersion = version;
    dxGetWindowsVersionInfo = FakeVersion;
    DetectWindowsVersion();
    GNames = {file, color, L"NormalSize"};
    GNamesReadable = readable;
    dxGetCurrentThemeNames = FakeNames;
    RecomputeOffice2003Colors();
  }
  void UseScheme(TdxOffice2003Scheme scheme)
  {
    static const wchar_t* const Colors[] = {L"Other", L"NormalColor", L"HomeStead", L"Metallic"};
    UseStyle(Windows10, LunaFile, Colors[static_cast<int>(scheme)]);
    ASSERT_EQ(GetOffice2003Scheme(), scheme);
  }

  TdxGradientFillFunc FGradientFill = nullptr;
};

// --- The colour table ---

struct TColorRowValues {
  int Number;
  uint32_t Blue, Olive, Silver, Classic;  // red first
};

// Expected colours of the three schemes, and without a scheme under the classic system colours
// that ClassicColors sets.
const TColorRowValues ExpectedColors[dxOffice11ColorCount] = {
    { 1, 0x9EBEF5, 0xD9D9A7, 0xD7D7E5, 0xD4D0C8},
    { 2, 0xC3DAF9, 0xF2F0E4, 0xF3F3F7, 0xF6F6F4},
    { 3, 0xDDECFE, 0xF4F7DE, 0xF3F4FA, 0xF6F5F3},
    { 4, 0x81A9E2, 0xB7C691, 0x9997B5, 0xD6D2CA},
    { 5, 0x75A6F1, 0xB0C28C, 0xB3B2C8, 0xA1A1A1},
    { 6, 0xFFF8D3, 0xFFF8D3, 0xFFF8D3, 0xBEC6DC},
    { 7, 0xFE9552, 0xFE9552, 0xFE9552, 0xD2D3D8},
    { 8, 0x003591, 0x60776B, 0x767492, 0x808080},
    { 9, 0xFFC176, 0xFFC176, 0xFFC176, 0xBEC6DC},
    {10, 0xFFDD98, 0xFFDD98, 0xFFDD98, 0xD2D3D8},
    {11, 0x3B619C, 0x608058, 0x7C7C94, 0xDAD7D0},
    {12, 0x7BA4E0, 0xB5C48F, 0x9391B0, 0xD4D0C8},
    {13, 0x7FADF2, 0xB6C894, 0xB9B8CD, 0xC0C0C0},
    {14, 0xFCF7D7, 0xFEF8D4, 0xFEF7D7, 0xDFE3EE},
    {15, 0xFB9E63, 0xFD9F60, 0xFD9E63, 0xE9EAEC},
    {16, 0x3E6DB9, 0x8B9E7E, 0x8583A1, 0xAAA8A4},
    {17, 0xBEB3AB, 0xDBC383, 0xCAAA93, 0xC9CBD2},
    {18, 0xBEC1BC, 0xDBD194, 0xCAB8A4, 0xD3D2D0},
    {19, 0x274176, 0x515E33, 0x545475, 0x9E9E9E},
    {20, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {21, 0x6A8CCB, 0x608058, 0x6E6D8F, 0xA7A7A7},
    {22, 0xF1F9FF, 0xF4F7DE, 0xFFFFFF, 0xFFFFFF},
    {23, 0x000000, 0x000000, 0x000000, 0x000000},
    {24, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {25, 0x2A66C9, 0x74865E, 0x7A7999, 0x808080},
    {26, 0xC4DBF9, 0xE1DEAD, 0xDBDAE4, 0xD6D2CA},
    {27, 0xDDECFE, 0xF4F7DE, 0xF3F4FA, 0xF6F5F3},
    {28, 0x2A66C9, 0x74865E, 0x7A7999, 0x808080},
    {29, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {30, 0x000000, 0x000000, 0x000000, 0x000000},
    {31, 0x000000, 0x000000, 0x000000, 0x000000},
    {32, 0xF6F6F6, 0xF4F4EE, 0xFDFAFF, 0xFFFFFF},
    {33, 0xDDECFE, 0xF4F7DE, 0xF3F4FA, 0xF6F5F3},
    {34, 0x81A9E2, 0xB7C691, 0x9997B5, 0xD6D2CA},
    {35, 0xDDECFE, 0xF4F7DE, 0xF3F4FA, 0xF6F5F3},
    {36, 0x81A9E2, 0xB7C691, 0x9997B5, 0xD6D2CA},
    {37, 0xCBD9EA, 0xE0E3CC, 0xE0E0E6, 0xE2E1E0},
    {38, 0x779BD0, 0xA8B685, 0x8D8BA7, 0xC5C1BA},
    {39, 0x002D96, 0x758D5E, 0x7C7C94, 0x808080},
    {40, 0xF6F6F6, 0xF4F4EE, 0xFDFAFF, 0xFFFFFF},
    {41, 0xFFEEC2, 0xFFEEC2, 0xFFEEC2, 0xB7BFD4},
    {42, 0x000080, 0x3F5D38, 0x4B4B6F, 0x0A246A},
    {43, 0xFFF4CC, 0xFFF4CC, 0xFFF4CC, 0xB7BFD4},
    {44, 0xFFD091, 0xFFD091, 0xFFD091, 0xB7BFD4},
    {45, 0xFFD38E, 0xFFD38E, 0xFFD38E, 0x8893B1},
    {46, 0xFE914E, 0xFE914E, 0xFE914E, 0x8893B1},
    {47, 0xCBE1FC, 0xD8E3B6, 0xD6D3E7, 0xD6D2CA},
    {48, 0xFFC06F, 0xFFC06F, 0xFFC06F, 0xD2D3D8},
    {49, 0xFE803E, 0xFE803E, 0xFE803E, 0x8893B1},
    {50, 0xA9C7F0, 0xC5D49F, 0xC0C0D3, 0xD6D2CA},
    {51, 0xFFEEC2, 0xFFEEC2, 0xFFEEC2, 0xB7BFD4},
    {52, 0x000000, 0x000000, 0x000000, 0x000000},
    {53, 0x8D8D8D, 0x8D8D8D, 0x8D8D8D, 0x808080},
    {54, 0x002D96, 0x758D5E, 0x7C7C94, 0x808080},
    {55, 0x9EBEF5, 0xD9D9A7, 0xD7D7E5, 0xD4D0C8},
    {56, 0x3E6DB9, 0x8B9E7E, 0x8583A1, 0xAAA8A4},
    {57, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {58, 0x002D96, 0x758D5E, 0x7C7C94, 0x808080},
    {59, 0xBEDAFB, 0xAFBA91, 0xE5E5EB, 0xD4D0C8},
    {60, 0xFBE694, 0xFBE694, 0xFBE694, 0xD2D3D8},
    {61, 0x002D96, 0x608058, 0x7C7C94, 0x808080},
    {62, 0xC4DAFA, 0xF2F1E4, 0xF3F3F7, 0xD4D0C8},
    {63, 0xFDEEC9, 0xFDEEC9, 0xFDEEC9, 0xD4D0C8},
    {64, 0x3768B9, 0x738954, 0x706F91, 0x808080},
    {65, 0x7BA4E0, 0xB5C48F, 0x9391B0, 0x808080},
    {66, 0x002D96, 0x758D5E, 0x7C7C94, 0x808080},
    {67, 0xD3E5FB, 0xF2F5DB, 0xF0F1F8, 0xE9E7E3},
    {68, 0x88AEE4, 0xBCC997, 0xA09EBA, 0xD5D1C9},
    {69, 0xFFFFDC, 0xFFFFDC, 0xFFFFDC, 0xB7BFD4},
    {70, 0xF7C05B, 0xF7C05B, 0xF7C05B, 0xB7BFD4},
    {71, 0xFBE694, 0xFBE694, 0xFBE694, 0xD2D3D8},
    {72, 0xEE9515, 0xEE9515, 0xEE9515, 0xD2D3D8},
    {73, 0xE87F08, 0xE87F08, 0xE87F08, 0x8893B1},
    {74, 0xF7DA7C, 0xF7DA7C, 0xF7DA7C, 0x8893B1},
    {75, 0x5987D6, 0xAFC082, 0xA8A7BF, 0x808080},
    {76, 0x033893, 0x637A44, 0x706F91, 0x808080},
    {77, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {78, 0x5987D6, 0xAFC082, 0xA8A7BF, 0xD4D0C8},
    {79, 0x033893, 0x637A44, 0x706F91, 0x808080},
    {80, 0x9EAEBF, 0x9EAEBF, 0x9EAEBF, 0x9EAEBF},
    {81, 0x2E465F, 0x2E465F, 0x2E465F, 0x2E465F},
};

TSystemColors ClassicColors()
{
  return TSystemColors({{COLOR_BTNFACE, 0xD4D0C8},
                        {COLOR_HIGHLIGHT, 0x0A246A},
                        {COLOR_WINDOW, 0xFFFFFF},
                        {COLOR_BTNSHADOW, 0x808080},
                        {COLOR_BTNTEXT, 0x000000},
                        {COLOR_HIGHLIGHTTEXT, 0xFFFFFF},
                        {COLOR_BTNHIGHLIGHT, 0xFFFFFF},
                        {COLOR_GRAYTEXT, 0x808080}});
}
}  // namespace

TEST_F(Office2003, TheColoursOfEachSchemeAndWithoutOne)
{
  struct TColumn {
    const char* Name;
    TdxOffice2003Scheme Scheme;
    uint32_t TColorRowValues::*Value;
  };
  const TColumn columns[] = {
    {"blue", TdxOffice2003Scheme::osBlue, &TColorRowValues::Blue},
    {"olive green", TdxOffice2003Scheme::osOliveGreen, &TColorRowValues::Olive},
    {"silver", TdxOffice2003Scheme::osSilver, &TColorRowValues::Silver},
  };
  for (const TColumn& column : columns) {
    SCOPED_TRACE(column.Name);
    UseScheme(column.Scheme);
    EXPECT_TRUE(IsOffice2003SchemeActive());
    for (const TColorRowValues& row : ExpectedColors)
      EXPECT_EQ(dxOffice11Color(row.Number), Hex(row.*column.Value)) << "colour " << row.Number;
  }

  // Without a scheme: the system's own style ("light", colour name "Blue") has none.
  SCOPED_TRACE("without a scheme");
  TSystemColors classic = ClassicColors();
  dxGetCurrentThemeNames = dxReadCurrentThemeNames;
  RecomputeOffice2003Colors();
  EXPECT_EQ(GetOffice2003Scheme(), TdxOffice2003Scheme::osNone);
  EXPECT_FALSE(IsOffice2003SchemeActive());
  for (const TColorRowValues& row : ExpectedColors)
    EXPECT_EQ(dxOffice11Color(row.Number), Hex(row.Classic)) << "colour " << row.Number;
  EXPECT_EQ(dxOffice11FaceColor(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(dxOffice11SelectionFrameColor(), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(Office2003, ABlackOrWhiteButtonFaceTakesTheHighlightForTheMixedColours)
{
  struct TCase {
    const char* Name;
    uint32_t Face, Text;
    bool Black, White, BlackNonWhiteText;
  };
  const TCase cases[] = {
    {"black face, yellow text", 0x000000, 0xFFFF00, true, false, true},
    {"black face, white text", 0x000000, 0xFFFFFF, true, false, false},
    {"white face", 0xFFFFFF, 0x000000, false, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSystemColors colors({{COLOR_BTNFACE, c.Face},
                          {COLOR_BTNTEXT, c.Text},
                          {COLOR_HIGHLIGHT, 0x00FF00},
                          {COLOR_HIGHLIGHTTEXT, 0xFF0000},
                          {COLOR_WINDOW, 0x000080}});
    RecomputeOffice2003Colors();
    EXPECT_EQ(IsBtnFaceBlack(), c.Black);
    EXPECT_EQ(IsBtnFaceWhite(), c.White);
    EXPECT_EQ(IsBlackFaceNonWhiteText(), c.BlackNonWhiteText);
    for (int n : {6, 7, 9, 10, 41, 43, 44, 45, 46, 48, 49, 60, 69, 73})
      EXPECT_EQ(dxOffice11Color(n), Hex(0x00FF00)) << "colour " << n;

    // Scheme borders: the highlight text colour on a black face, else brush 6 (colour 42).
    TPixels pixels(10, 10);
    FrameRectWithSchemeBorder(pixels.DC(), RECT{0, 0, 10, 10});
    EXPECT_EQ(pixels.At(0, 5), c.Black ? Hex(0xFF0000) : dxOffice11Color(42));
    EXPECT_EQ(pixels.At(5, 5), clWhite);
  }
}

// --- Detection ---

TEST_F(Office2003, TheSchemeComesFromTheStyleFileAndItsColourName)
{
  struct TCase {
    const char* Name;
    TdxWindowsVersionInfo Version;
    const wchar_t* File;
    const wchar_t* Color;
    bool Readable;
    TdxOffice2003Scheme Scheme;
  };
  using S = TdxOffice2003Scheme;
  const TCase cases[] = {
    {"XP blue", WindowsXP, LunaFile, L"NormalColor", true, S::osBlue},
    {"XP olive green", WindowsXP, LunaFile, L"HomeStead", true, S::osOliveGreen},
    {"XP silver", WindowsXP, LunaFile, L"Metallic", true, S::osSilver},
    {"names without case", WindowsXP, L"c:\\windows\\resources\\themes\\luna\\luna.MSSTYLES", L"metallic", true,
     S::osSilver},
    {"XP, another colour", WindowsXP, LunaFile, L"Blue", true, S::osNone},
    {"XP, another style file", WindowsXP, L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles",
     L"NormalColor", true, S::osNone},
    {"XP, a directory named like the style", WindowsXP, L"C:\\Luna.msstyles\\Other.msstyles", L"NormalColor",
     true, S::osNone},
    {"Vista, any style file", WindowsVista, L"C:\\Windows\\Resources\\Themes\\Aero\\aero.msstyles", L"HomeStead",
     true, S::osOliveGreen},
    {"the light style", Windows10, L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", true,
     S::osNone},
    {"names that cannot be read", Windows10, LunaFile, L"NormalColor", false, S::osNone},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    UseStyle(c.Version, c.File, c.Color, c.Readable);
    EXPECT_EQ(GetOffice2003Scheme(), c.Scheme);
    EXPECT_EQ(IsOffice2003SchemeActive(), c.Scheme != S::osNone);
  }
}

namespace {
BOOL WINAPI ThemeActiveOff() { return FALSE; }
}  // namespace

TEST_F(Office2003, WithoutVisualStylesThereIsNoScheme)
{
  auto real = dxUxThemeEntryPoints.IsThemeActive;
  dxUxThemeEntryPoints.IsThemeActive = ThemeActiveOff;
  BroadcastToOwnWindows(WM_THEMECHANGED);
  UseStyle(WindowsXP, LunaFile, L"NormalColor");
  EXPECT_EQ(GetOffice2003Scheme(), TdxOffice2003Scheme::osNone);
  EXPECT_EQ(dxOffice11FaceColor(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(dxOffice11SelectionFrameColor(), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
  dxUxThemeEntryPoints.IsThemeActive = real;
  BroadcastToOwnWindows(WM_THEMECHANGED);
  EXPECT_TRUE(AreThemesAvailable());
}

TEST_F(Office2003, TheTwoPhasePercentageFollowsTheScheme)
{
  const std::pair<TdxOffice2003Scheme, int> cases[] = {
    {TdxOffice2003Scheme::osNone, 75},
    {TdxOffice2003Scheme::osBlue, 41},
    {TdxOffice2003Scheme::osOliveGreen, 125},
    {TdxOffice2003Scheme::osSilver, 40},
  };
  for (auto [scheme, percent] : cases) {
    UseScheme(scheme);
    EXPECT_EQ(Office2003TwoPhaseGradientPercent(), percent);
  }
}

TEST_F(Office2003, NumbersOutsideTheSetAreRefused)
{
  EXPECT_THROW(dxOffice11Color(0), EInvalidOperation);
  EXPECT_THROW(dxOffice11Color(82), EInvalidOperation);
  EXPECT_THROW(dxOffice11Brush(0), EInvalidOperation);
  EXPECT_THROW(dxOffice11Brush(17), EInvalidOperation);
}

// --- Users, brushes and bitmaps ---

namespace {
TColor BrushColor(HBRUSH brush)
{
  LOGBRUSH log{};
  GetObjectA(brush, sizeof log, &log);
  return static_cast<TColor>(log.lbColor);
}

TColor PixelOf(TBitmap* bitmap, int x, int y)
{
  TRGBColors pixels;
  if (!GetBitmapPixels(bitmap, pixels, true)) return clNone;
  const RGBQUAD& p = pixels[y * bitmap->Width() + x];
  return static_cast<TColor>(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue));
}
}  // namespace

TEST_F(Office2003, BrushesAndBitmapsLiveWhileTheSetHasUsers)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const int brushes = LiveGdiObjects(TGdiKind::Brush);
  const int bitmaps = LiveGdiObjects(TGdiKind::Bitmap);
  EXPECT_EQ(dxOffice11Brush(1), nullptr);
  EXPECT_EQ(dxOffice11SubMenuExpandBitmap(), nullptr);

  AcquireOffice2003Colors();
  AcquireOffice2003Colors();
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Brush) - brushes, 13);  // 16 brushes, three of them shared
  const int brushColors[dxOffice11BrushCount] = {19, 20, 21, 22, 32, 42, 41, 47, 48, 49, 39, 32, 50, 41, 39, 56};
  for (int n = 1; n <= dxOffice11BrushCount; ++n) {
    ASSERT_NE(dxOffice11Brush(n), nullptr) << "brush " << n;
    EXPECT_EQ(BrushColor(dxOffice11Brush(n)), dxOffice11Color(brushColors[n - 1])) << "brush " << n;
  }
  EXPECT_EQ(dxOffice11Brush(12), dxOffice11Brush(5));
  EXPECT_EQ(dxOffice11Brush(14), dxOffice11Brush(7));
  EXPECT_EQ(dxOffice11Brush(15), dxOffice11Brush(11));
  ASSERT_NE(dxOffice11SubMenuExpandBitmap(), nullptr);

  ReleaseOffice2003Colors();
  EXPECT_NE(dxOffice11Brush(1), nullptr);
  EXPECT_NE(dxOffice11ExpandButtonPlusBitmap(), nullptr);

  // While in use the set follows a recomputation.
  UseScheme(TdxOffice2003Scheme::osSilver);
  EXPECT_EQ(BrushColor(dxOffice11Brush(1)), Hex(0x545475));
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Brush) - brushes, 13);

  ReleaseOffice2003Colors();
  EXPECT_EQ(dxOffice11Brush(1), nullptr);
  EXPECT_EQ(dxOffice11ExpandButtonMinusBitmap(), nullptr);
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Brush), brushes);
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Bitmap), bitmaps);
  ReleaseOffice2003Colors();  // one release too many changes nothing
  EXPECT_EQ(Office2003ColorsUsers(), 0);
}

TEST_F(Office2003, TheBitmapsComeFromTheResourcesAndTheExpandButtonIsRecoloured)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  AcquireOffice2003Colors();
  TBitmap* expand = dxOffice11SubMenuExpandBitmap();
  TBitmap* minus = dxOffice11ExpandButtonMinusBitmap();
  TBitmap* plus = dxOffice11ExpandButtonPlusBitmap();
  ASSERT_TRUE(expand && minus && plus);
  EXPECT_EQ(expand->Width(), 16);
  EXPECT_EQ(expand->Height(), 16);
  EXPECT_EQ(minus->Width(), 11);
  EXPECT_EQ(plus->Height(), 11);
  EXPECT_EQ(plus->PixelFormat(), TPixelFormat::pf8bit);

  EXPECT_EQ(PixelOf(expand, 0, 0), clFuchsia);                  // the background stays
  EXPECT_EQ(PixelOf(expand, 5, 4), clBlack);                    // and so do the chevrons
  EXPECT_EQ(PixelOf(expand, 7, 11), clBlack);
  EXPECT_EQ(PixelOf(expand, 4, 0), dxOffice11Color(3));         // the lightest grey
  EXPECT_EQ(PixelOf(expand, 15, 11), dxOffice11Color(4));       // the darkest grey

  const TColor slate = Hex(0x304860);
  EXPECT_EQ(PixelOf(minus, 0, 0), Hex(0xA0B0C0));
  EXPECT_EQ(PixelOf(minus, 1, 1), clWhite);
  EXPECT_EQ(PixelOf(minus, 10, 10), slate);
  for (int x = 3; x <= 7; ++x) {
    EXPECT_EQ(PixelOf(minus, x, 5), slate);
    EXPECT_EQ(PixelOf(plus, x, 5), slate);
    EXPECT_EQ(PixelOf(plus, 5, x), slate);
  }
  EXPECT_NE(PixelOf(minus, 5, 3), slate);
  ReleaseOffice2003Colors();
}

TEST_F(Office2003, TintingSpreadsTheRedsOverTheGradientColoursAndCopesWithOneShade)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TColor a = dxOffice11Color(3), b = dxOffice11Color(4);
  auto tint = [](std::vector<TColor> colors) {
    TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(static_cast<int>(colors.size()), 1);
    for (size_t x = 0; x < colors.size(); ++x)
      SetPixel(bitmap->Canvas()->Handle(), static_cast<int>(x), 0, static_cast<COLORREF>(colors[x]));
    TintBitmapWithScheme(bitmap.get());
    std::vector<TColor> result;
    for (size_t x = 0; x < colors.size(); ++x) result.push_back(PixelOf(bitmap.get(), static_cast<int>(x), 0));
    return result;
  };
  EXPECT_EQ(tint({clFuchsia, Hex(0x404040), clBlack, Hex(0x808080), Hex(0xC0C0C0), clFuchsia}),
            (std::vector<TColor>{clFuchsia, b, clBlack, BlendColors(a, b, 50), a, clFuchsia}));
  // Every shaded pixel with one red value: no spread to divide by.
  EXPECT_EQ(tint({clFuchsia, Hex(0x808080), clBlack, Hex(0x808080)}),
            (std::vector<TColor>{clFuchsia, BlendColors(a, b, 50), clBlack, BlendColors(a, b, 50)}));
  // Equal gradient colours: the second becomes black.
  UseStyle(Windows10, L"light.msstyles", L"Blue");
  TSystemColors white({{COLOR_BTNFACE, 0xFFFFFF}, {COLOR_WINDOW, 0xFFFFFF}});
  RecomputeOffice2003Colors();
  ASSERT_EQ(dxOffice11Color(3), dxOffice11Color(4));
  EXPECT_EQ(tint({clFuchsia, Hex(0x404040), Hex(0xC0C0C0)}),
            (std::vector<TColor>{clFuchsia, clBlack, clWhite}));
}

// --- Gradients ---

TEST_F(Office2003, GradientsRunFromTheFirstColourToTheSecondInEitherDirection)
{
  for (bool horizontal : {true, false}) {
    SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
    TPixels pixels(horizontal ? 100 : 3, horizontal ? 3 : 100);
    FillRectGradient(pixels.DC(), horizontal ? RECT{0, 0, 100, 3} : RECT{0, 0, 3, 100}, clBlack, Hex(0x00C8FF),
                     horizontal);
    std::vector<TColor> line = pixels.Line(horizontal, 1);
    EXPECT_EQ(line.front(), clBlack);
    COLORREF last = static_cast<COLORREF>(line.back());
    EXPECT_NEAR(GetGValue(last), 0xC8, 4);
    EXPECT_NEAR(GetBValue(last), 0xFF, 4);
    for (size_t i = 1; i < line.size(); ++i)
      EXPECT_GE(GetBValue(static_cast<COLORREF>(line[i])), GetBValue(static_cast<COLORREF>(line[i - 1])));
    // Across the gradient the colour does not change.
    EXPECT_EQ(pixels.Line(horizontal, 0), line);
  }
}

TEST_F(Office2003, WithoutTheSystemsGradientFunctionA600PixelGradientHas256Bands)
{
  dxGradientFill = nullptr;
  for (int width : {600, 256, 100, 2}) {
    SCOPED_TRACE(width);
    TPixels pixels(width, 2);
    const RECT rect{0, 0, width, 2};
    FillRectGradient(pixels.DC(), rect, clBlack, clWhite, true);
    std::vector<TColor> line = pixels.Line(true);
    std::set<TColor> bands(line.begin(), line.end());
    EXPECT_EQ(static_cast<int>(bands.size()), std::min(width, 256));
    EXPECT_EQ(line.front(), clBlack);
    EXPECT_EQ(line.back(), clWhite);
    for (int x = 0; x < width; ++x) ASSERT_EQ(GradientColorAt(rect, x, clBlack, clWhite, true), line[x]) << x;
  }
  // Past the ends the colour is that of the first or last band.
  const RECT rect{10, 0, 610, 2};
  EXPECT_EQ(GradientColorAt(rect, -50, clBlack, clWhite, true), clBlack);
  EXPECT_EQ(GradientColorAt(rect, 700, clBlack, clWhite, true), clWhite);
}

TEST_F(Office2003, GradientsOfNoneOrOnePixelDrawWithoutDividingByZero)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TColor c1 = Hex(0x102030), c2 = Hex(0xF0E0D0);
  // The middle colour of the two-phase gradient at the blue scheme's 41 percent.
  auto middle = [](int v1, int v2) { return v1 - (v1 - v2) * 41 / 200; };
  const TColor m = static_cast<TColor>(RGB(middle(0x10, 0xF0), middle(0x20, 0xE0), middle(0x30, 0xD0)));
  for (bool systemFunction : {true, false}) {
    dxGradientFill = systemFunction ? FGradientFill : nullptr;
    for (bool horizontal : {true, false}) {
      SCOPED_TRACE(std::string(systemFunction ? "GradientFill, " : "bands, ") +
                   (horizontal ? "horizontal" : "vertical"));
      for (int extent : {0, 1}) {
        SCOPED_TRACE(extent);
        const RECT rect = horizontal ? RECT{2, 2, 2 + extent, 6} : RECT{2, 2, 6, 2 + extent};
        TPixels plain(8, 8), steps(8, 8), twoPhase(8, 8);
        FillRectGradient(plain.DC(), rect, c1, c2, horizontal);
        FillGradientBySteps(steps.DC(), rect, c1, c2, horizontal);
        FillRectTwoPhaseGradient(twoPhase.DC(), rect, c1, c2, horizontal);
        EXPECT_EQ(GradientColorAt(rect, 2, c1, c2, horizontal), c1);
        if (extent == 0) {
          EXPECT_TRUE(plain.AllWhite());
          EXPECT_TRUE(steps.AllWhite());
          EXPECT_TRUE(twoPhase.AllWhite());
        } else {
          EXPECT_EQ(plain.At(2, 2), c1);
          EXPECT_EQ(steps.At(2, 2), c1);
          EXPECT_EQ(twoPhase.At(2, 2), m);  // the only line is the middle line
          EXPECT_EQ(plain.At(horizontal ? 2 : 5, horizontal ? 5 : 2), c1);
        }
      }
    }
  }
}

TEST_F(Office2003, TheTwoPhaseGradientTurnsAtItsMiddleLine)
{
  UseScheme(TdxOffice2003Scheme::osBlue);  // 41 percent
  TPixels pixels(2, 10);
  FillRectTwoPhaseGradient(pixels.DC(), RECT{0, 0, 2, 10}, clBlack, Hex(0xC8C8C8), false);
  auto grey = [](int v) { return static_cast<TColor>(RGB(v, v, v)); };
  // The middle colour is 0 + 200 * 41 / 200 = 41, reached at line 5; then on to 200 at line 9.
  EXPECT_EQ(pixels.Line(false),
            (std::vector<TColor>{grey(0), grey(8), grey(16), grey(24), grey(32), grey(41), grey(80), grey(120),
                                 grey(160), grey(200)}));
  // Equal colours give a plain fill.
  FillRectTwoPhaseGradient(pixels.DC(), RECT{0, 0, 2, 10}, clRed, clRed, true);
  EXPECT_EQ(pixels.Line(false), std::vector<TColor>(10, clRed));
}

// --- Grip dots, size grip, arrows ---

namespace {
// What a row of dots looks like: 'u' upper brush, 'l' lower brush, '.' untouched.
std::vector<std::string> Picture(const TPixels& pixels, int width, int height, TColor upper, TColor lower)
{
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      TColor c = pixels.At(x, y);
      row += c == upper ? 'u' : c == lower ? 'l' : c == clWhite ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}
}  // namespace

TEST_F(Office2003, GripDotsLieOnAFourPixelPitchWithTheLowerBrushUnderTheUpperOne)
{
  TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0))), blue(CreateSolidBrush(RGB(0, 0, 255)));
  const TColor u = clRed, l = clBlue;
  {
    // 14 pixels: 14 mod 4 = 2, so the first cell starts 1 pixel in.
    TPixels pixels(14, 4);
    DrawGripDots(pixels.DC(), RECT{0, 0, 14, 4}, false, blue.Get(), red.Get());
    EXPECT_EQ(Picture(pixels, 14, 4, u, l),
              (std::vector<std::string>{".uu..uu..uu...", ".uul.uul.uul..", "..ll..ll..ll..", ".............."}));
  }
  {
    // Vertical, 9 pixels: 9 mod 4 = 1, so the first cell starts 1 pixel down; two cells fit.
    TPixels pixels(4, 9);
    DrawGripDots(pixels.DC(), RECT{0, 0, 4, 9}, true, blue.Get(), red.Get());
    EXPECT_EQ(Picture(pixels, 4, 9, u, l),
              (std::vector<std::string>{"....", "uu..", "uul.", ".ll.", "....", "uu..", "uul.", ".ll.", "...."}));
  }
  {
    // Without brushes: brush 1 above and brush 2 below, whether or not the set has users.
    for (bool users : {false, true}) {
      if (users) AcquireOffice2003Colors();
      TPixels pixels(4, 4);
      DrawGripDots(pixels.DC(), RECT{0, 0, 4, 4}, false);
      EXPECT_EQ(pixels.At(0, 0), dxOffice11Color(19));
      EXPECT_EQ(pixels.At(2, 2), dxOffice11Color(20));
      if (users) ReleaseOffice2003Colors();
    }
  }
}

TEST_F(Office2003, TheSizeGripIsThreeTwoAndOneDotsAtTheBottomRightCorner)
{
  TPixels pixels(20, 20);
  DrawSchemeSizeGrip(pixels.DC(), RECT{0, 0, 20, 20}, clRed, clBlue);
  std::vector<std::string> picture = Picture(pixels, 20, 20, clRed, clBlue);
  const std::vector<std::string> expected = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "................uu..", "................uul.", ".................ll.",
    "....................", "............uu..uu..", "............uul.uul.", ".............ll..ll.",
    "....................", "........uu..uu..uu..", "........uul.uul.uul.", ".........ll..ll..ll.",
  };
  EXPECT_EQ(picture, expected);
}

TEST_F(Office2003, ItemArrowsAreCentredTrianglesInTheGlyphColours)
{
  UseScheme(TdxOffice2003Scheme::osBlue);
  const TColor glyph = dxOffice11Color(52), disabled = dxOffice11Color(53);
  {
    // 16 wide pointing down: n = 8, size 3; the triangle (5, 6), (9, 6), (7, 8).
    TPixels pixels(16, 16);
    DrawSchemeItemArrow(pixels.DC(), RECT{0, 0, 16, 16}, true, true, false);
    std::vector<std::string> picture = Picture(pixels, 16, 16, glyph, clNone);
    EXPECT_EQ(picture[6], ".....uuuuu......");
    EXPECT_EQ(picture[7], "......uuu.......");
    EXPECT_EQ(picture[8], ".......u........");
    EXPECT_EQ(picture[5], "................");
    EXPECT_EQ(picture[9], "................");
  }
  {
    // 16 high pointing right, disabled: n = 10, size 4 (odd n would add one); (6, 4), (6, 10), (9, 7).
    TPixels pixels(16, 16);
    DrawSchemeItemArrow(pixels.DC(), RECT{0, 0, 16, 16}, false, false, false);
    std::vector<std::string> picture = Picture(pixels, 16, 16, disabled, clNone);
    EXPECT_EQ(picture[4], "......u.........");
    EXPECT_EQ(picture[7], "......uuuu......");
    EXPECT_EQ(picture[10], "......u.........");
    EXPECT_EQ(picture[3], "................");
    EXPECT_EQ(picture[11], "................");
  }
  {
    // A tiny rectangle still gets an arrow of size 3.
    TPixels pixels(8, 8);
    DrawSchemeItemArrow(pixels.DC(), RECT{0, 0, 4, 4}, true, true, false);
    EXPECT_EQ(pixels.At(1, 0), glyph);
  }
}

TEST_F(Office2003, SolidFillsAndFramesMakeNoLastingGdiObjects)
{
  TPixels pixels(6, 6);
  const int before = LiveGdiObjects();
  FillRectSolidColor(pixels.DC(), RECT{0, 0, 6, 6}, clRed);
  FrameRectSolidColor(pixels.DC(), RECT{0, 0, 6, 6}, clBlue);
  EXPECT_EQ(pixels.At(0, 0), clBlue);
  EXPECT_EQ(pixels.At(3, 3), clRed);
  dxGradientFill = nullptr;
  FillRectGradient(pixels.DC(), RECT{0, 0, 6, 6}, clRed, clBlue, true);
  FillRectTwoPhaseGradient(pixels.DC(), RECT{0, 0, 6, 6}, clRed, clBlue, true);
  DrawSchemeItemArrow(pixels.DC(), RECT{0, 0, 6, 6}, true, true, true);
  DrawSchemeSizeGrip(pixels.DC(), RECT{0, 0, 6, 6});
  FrameRectWithSchemeBorder(pixels.DC(), RECT{0, 0, 6, 6});
  EXPECT_EQ(LiveGdiObjects(), before);
}
