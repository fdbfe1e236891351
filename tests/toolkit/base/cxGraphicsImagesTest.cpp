// Image composition: the roads of AlphaBlendDC, DrawImageInMode in each mode on known glyphs, the
// Lanczos resampler, hatching and masks. Expected pixels come from the composition rule
// (premultiplied source over destination) and the pixel operations of each mode.
#include <gtest/gtest.h>
#include <cmath>
#include <vector>
#include "tests/toolkit/base/ImageFixtures.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxImageList.h"
#include "toolkit/base/dxCore.h"

using fixtures::PixelNear;

namespace {
// ---- Seams: the version flags and the AlphaBlend entry ----

TdxWindowsVersionInfo GVersion;
TdxWindowsVersionInfo FakeVersion() { return GVersion; }

struct TBlendCall {
  HDC Dest;
};
std::vector<TBlendCall> GBlendCalls;
BOOL WINAPI CountingAlphaBlend(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh,
                               BLENDFUNCTION blend)
{
  GBlendCalls.push_back({dest});
  return BoundAlphaBlend()(dest, x, y, w, h, source, sx, sy, sw, sh, blend);
}
TcxAlphaBlendProc Counting() { return CountingAlphaBlend; }
TcxAlphaBlendProc Missing() { return nullptr; }

enum class TRoad { Direct, Wow64, Fallback, PerPixel };
const char* RoadName(TRoad road)
{
  switch (road) {
    case TRoad::Direct: return "direct AlphaBlend";
    case TRoad::Wow64: return "GDI+ under WOW64";
    case TRoad::Fallback: return "fallback with AlphaBlend";
    default: return "fallback pixel by pixel";
  }
}

class Composition : public ::testing::Test {
protected:
  void TearDown() override
  {
    dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;
    DetectWindowsVersion();
    cxGetAlphaBlend = BoundAlphaBlend;
    ImageModeDrawHook = nullptr;
    GBlendCalls.clear();
  }
  // Takes a road: WOW64 and the 9x family through the version seam, AlphaBlend through its seam.
  void Take(TRoad road)
  {
    GVersion = dxReadWindowsVersionInfo();
    if (road == TRoad::Wow64) GVersion.IsWow64 = true;
    if (road == TRoad::Fallback) GVersion = {1, 4, 10, false};
    dxGetWindowsVersionInfo = FakeVersion;
    DetectWindowsVersion();
    cxGetAlphaBlend = road == TRoad::PerPixel ? Missing : Counting;
    GBlendCalls.clear();
  }
};

// Straight composition of a premultiplied ARGB source over an opaque RGB destination.
uint32_t Over(uint32_t source, uint32_t dest, int alpha)
{
  const double f = alpha / 255.0, k = 1.0 - f * (source >> 24) / 255.0;
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double v = f * ((source >> shift) & 0xFF) + k * ((dest >> shift) & 0xFF);
    out |= static_cast<uint32_t>(std::lround(v)) << shift;
  }
  return out;
}

void Fill(fixtures::TSurface& surface, int width, int height, const std::vector<uint32_t>& pixels)
{
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      static_cast<uint32_t*>(surface.Bitmap().ScanLine(y))[x] = pixels[static_cast<size_t>(y) * width + x];
}

// A glyph from letters: R red, G green, B blue, W white, K black, F fuchsia, L lime.
TOwned<TBitmap> Glyph(std::initializer_list<const char*> rows)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(static_cast<int>(std::strlen(*rows.begin())), static_cast<int>(rows.size()));
  int y = 0;
  for (const char* row : rows) {
    auto* p = static_cast<unsigned char*>(bitmap->ScanLine(y++));
    for (int x = 0; row[x]; ++x) {
      uint32_t c = 0;
      switch (row[x]) {
        case 'R': c = 0xFF0000; break;
        case 'G': c = 0x00FF00; break;
        case 'B': c = 0x0000FF; break;
        case 'W': c = 0xFFFFFF; break;
        case 'F': c = 0xFF00FF; break;
        case 'L': c = 0x80FF00; break;
        default: c = 0;
      }
      p[x * 3] = c & 0xFF;
      p[x * 3 + 1] = (c >> 8) & 0xFF;
      p[x * 3 + 2] = (c >> 16) & 0xFF;
    }
  }
  return bitmap;
}

uint32_t GlyphPixel(TBitmap& glyph, int x, int y)
{
  auto* p = static_cast<unsigned char*>(glyph.ScanLine(y));
  return p[x * 3] | p[x * 3 + 1] << 8 | p[x * 3 + 2] << 16;
}

uint32_t Rgb(TColor color)
{
  const COLORREF c = ColorToRGB(color);
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

uint8_t Ch(uint32_t p, int shift) { return static_cast<uint8_t>((p >> shift) & 0xFF); }
uint32_t Grey(int g) { return static_cast<uint32_t>(g) * 0x010101u; }
int Luminance(uint32_t p) { return static_cast<int>(std::lround(Ch(p, 16) * 0.299f + Ch(p, 8) * 0.587f + Ch(p, 0) * 0.114f)); }

constexpr uint32_t Background = 0x808080;
}  // namespace

// ---- AlphaBlendDC ---------------------------------------------------------------------------------

TEST_F(Composition, EveryRoadOfAlphaBlendGivesTheSamePixels)
{
  // Premultiplied sources: opaque red, half green, transparent, a quarter blue; over two rows of
  // opaque destinations.
  const std::vector<uint32_t> source = {0xFFFF0000, 0x80008000, 0x00000000, 0x40000040,
                                        0xFF00FF00, 0xC0C00000, 0x20202020, 0xFFFFFFFF};
  const std::vector<uint32_t> dest = {0xFF808080, 0xFF808080, 0xFF808080, 0xFF808080,
                                      0xFF204060, 0xFF204060, 0xFFFFFFFF, 0xFF000000};
  for (TRoad road : {TRoad::Direct, TRoad::Wow64, TRoad::Fallback, TRoad::PerPixel})
    for (int alpha : {255, 128}) {
      SCOPED_TRACE(RoadName(road));
      SCOPED_TRACE(alpha);
      fixtures::TSurface src(4, 2), dst(6, 4);
      Fill(src, 4, 2, source);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) static_cast<uint32_t*>(dst.Bitmap().ScanLine(y))[x] = 0xFF0000FF;
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
          static_cast<uint32_t*>(dst.Bitmap().ScanLine(y + 1))[x + 1] = dest[static_cast<size_t>(y) * 4 + x];
      Take(road);
      AlphaBlendDC(dst.DC(), src.DC(), RECT{1, 1, 5, 3}, RECT{0, 0, 4, 2}, static_cast<BYTE>(alpha), false);
      for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(PixelNear(dst.Rgb(1 + i % 4, 1 + i / 4), Over(source[i], dest[i], alpha), 2)) << "pixel " << i;
      EXPECT_EQ(dst.Rgb(0, 0), 0x0000FFu);
      EXPECT_EQ(dst.Rgb(5, 3), 0x0000FFu);
      // The road taken: AlphaBlend on the destination itself, on a work copy, or not at all.
      switch (road) {
        case TRoad::Direct:
          ASSERT_EQ(GBlendCalls.size(), 1u);
          EXPECT_EQ(GBlendCalls[0].Dest, dst.DC());
          break;
        case TRoad::Fallback:
          ASSERT_EQ(GBlendCalls.size(), 1u);
          EXPECT_NE(GBlendCalls[0].Dest, dst.DC());
          break;
        default: EXPECT_TRUE(GBlendCalls.empty());
      }
      TearDown();
    }
}

TEST_F(Composition, SmoothStretchingResamplesAndStaysCloseToThePlainStretch)
{
  // A uniform opaque source stretched from 4 x 4 to 10 x 10: the Lanczos road (smooth) and the plain
  // roads all give the source's colour.
  for (TRoad road : {TRoad::Direct, TRoad::Wow64, TRoad::Fallback, TRoad::PerPixel})
    for (bool smooth : {false, true}) {
      SCOPED_TRACE(RoadName(road));
      SCOPED_TRACE(smooth);
      fixtures::TSurface src(4, 4, 0xFF3060C0), dst(10, 10, 0xFF000000);
      Take(road);
      AlphaBlendDC(dst.DC(), src.DC(), RECT{0, 0, 10, 10}, RECT{0, 0, 4, 4}, 255, smooth);
      for (int y = 0; y < 10; y += 3)
        for (int x = 0; x < 10; x += 3) EXPECT_TRUE(PixelNear(dst.Rgb(x, y), 0x3060C0, 6)) << x << "," << y;
      TearDown();
    }
}

// ---- Resampling -----------------------------------------------------------------------------------

TEST(Resampling, MirroredIndicesStayInsideShortSources)
{
  // Sources shorter than the filter's reach need more than one reflection: every index is clamped.
  for (int n : {1, 2, 3, 5})
    for (int m : {1, 2, 7, 40}) {
      const TContributorList list = BuildContributors(n, m);
      ASSERT_EQ(static_cast<int>(list.size()), m);
      for (const TContributors& entry : list) {
        EXPECT_EQ(entry.Count, static_cast<int>(entry.Contributors.size()));
        for (const TContributor& c : entry.Contributors) {
          EXPECT_GE(c.Pixel, 0) << n << "->" << m;
          EXPECT_LT(c.Pixel, n) << n << "->" << m;
          EXPECT_NE(c.Weight, 0);
        }
      }
    }
  // Enlarging from 2 to 4: the first and last positions take the edge pixels at full weight.
  const TContributorList list = BuildContributors(2, 4);
  ASSERT_EQ(list[0].Count, 1);
  EXPECT_EQ(list[0].Contributors[0].Pixel, 0);
  EXPECT_EQ(list[0].Contributors[0].Weight, 256);
  EXPECT_EQ(list[3].Contributors.back().Pixel, 1);
}

TEST(Resampling, TheFilterKeepsUniformColoursAndEdges)
{
  // 100 x 100 to 50 x 50, forced: about the same colour everywhere (the weights are not normalised).
  auto big = MakeOwned<TcxBitmap32>(100, 100);
  auto small = MakeOwned<TcxBitmap32>(50, 50);
  TRGBColors pixels(100 * 100, RGBQUAD{40, 120, 200, 255});
  big->WritePixels(pixels);
  ResampleBitmap(big.get(), small.get(), true);
  TRGBColors out;
  small->ReadPixels(out);
  for (const RGBQUAD& q : out) {
    EXPECT_NEAR(q.rgbBlue, 40, 6);
    EXPECT_NEAR(q.rgbGreen, 120, 6);
    EXPECT_NEAR(q.rgbRed, 200, 6);
    EXPECT_NEAR(q.rgbReserved, 255, 6);
  }
  // A 2 x 2 source (far shorter than the filter) enlarged to 9 x 9: corners keep their pixels.
  auto tiny = MakeOwned<TcxBitmap32>(2, 2);
  auto large = MakeOwned<TcxBitmap32>(9, 9);
  tiny->WritePixels(TRGBColors{{0, 0, 255, 255}, {0, 255, 0, 255}, {255, 0, 0, 255}, {255, 255, 255, 255}});
  ResampleBitmap(tiny.get(), large.get(), true);
  large->ReadPixels(out);
  EXPECT_EQ(PixelToValue(out[0]), 0xFFFF0000u);                 // bottom-left
  EXPECT_EQ(PixelToValue(out[8]), 0xFF00FF00u);                 // bottom-right
  EXPECT_EQ(PixelToValue(out[72]), 0xFF0000FFu);                // top-left
  EXPECT_EQ(PixelToValue(out[80]), 0xFFFFFFFFu);                // top-right
}

// ---- DrawImageInMode ------------------------------------------------------------------------------

namespace {
// The glyph drawn into (1, 1) of a 6 x 6 grey target; answers the target's pixels.
struct TDrawn {
  fixtures::TSurface Surface{8, 8, Background};
  uint32_t At(int x, int y) { return Surface.Rgb(x, y); }
};

void DrawGlyph(TDrawn& drawn, TBitmap* glyph, TcxImageDrawMode mode, TColor transparent = clNone,
               bool useGlyphTransparentColor = true)
{
  DrawImageInMode(drawn.Surface.DC(), RECT{1, 1, 1 + glyph->Width(), 1 + glyph->Height()}, RECT{0, 0, 8, 8}, glyph,
                  nullptr, -1, mode, false, nullptr, transparent, useGlyphTransparentColor);
}
}  // namespace

TEST_F(Composition, ModesWithoutAlphaFollowTheirPixelRules)
{
  // Fuchsia (the bottom-left pixel) is the glyph's transparent colour; yellow-green is made transparent
  // too.
  TOwned<TBitmap> glyph = Glyph({"RGBW", "KLWR", "BRGF", "FFFF"});
  auto rule = [&](TcxImageDrawMode mode, uint32_t c) -> uint32_t {
    auto each = [&](auto f) { return static_cast<uint32_t>(f(Ch(c, 16)) << 16 | f(Ch(c, 8)) << 8 | f(Ch(c, 0))); };
    switch (mode) {
      case idmGrayScale: return Grey((Ch(c, 16) + Ch(c, 8) + Ch(c, 0)) / 3);
      case idmPale: return each([](int v) { return v + MulDiv(255 - v, 3, 10); });
      case idmFaded: return Over(0xFF000000 | Grey(Luminance(c)), Background, 64);
      default: return c;
    }
  };
  for (TcxImageDrawMode mode : {idmNormal, idmFaded, idmGrayScale, idmPale}) {
    SCOPED_TRACE(static_cast<int>(mode));
    TDrawn drawn;
    DrawGlyph(drawn, glyph.get(), mode, static_cast<TColor>(RGB(0x80, 0xFF, 0x00)));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const uint32_t c = GlyphPixel(*glyph, x, y);
        const uint32_t expected = c == 0xFF00FF || c == 0x80FF00 ? Background : rule(mode, c);
        EXPECT_TRUE(PixelNear(drawn.At(x + 1, y + 1), expected, mode == idmFaded ? 2 : 0)) << x << "," << y;
      }
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(drawn.At(i, 0), Background);
      EXPECT_EQ(drawn.At(0, i), Background);
      EXPECT_EQ(drawn.At(i, 5), Background);
      EXPECT_EQ(drawn.At(5, i), Background);
    }
  }
  // Without the glyph's own transparent colour, fuchsia is drawn.
  TDrawn plain;
  DrawGlyph(plain, glyph.get(), idmNormal, clNone, false);
  EXPECT_EQ(plain.At(1, 4), 0xFF00FFu);
  EXPECT_EQ(plain.At(2, 2), 0x80FF00u);
}

TEST_F(Composition, DisabledAndShadowedDrawShadowsBesideTheImage)
{
  // A 2 x 2 block in the top-left of a 4 x 4 glyph; the rest is transparent (black: all-zero pixels).
  TOwned<TBitmap> glyph = Glyph({"RG..", "BW..", "....", "...."});
  {
    TDrawn drawn;
    DrawGlyph(drawn, glyph.get(), idmDisabled, clBlack, false);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        // Shadow grey: the luminance, with the button shadow colour (alpha 0xC0) blended over at 238.
        RGBQUAD q = ValueToPixel(0xFF000000 | Grey(Luminance(GlyphPixel(*glyph, x, y))));
        BlendColorOverPixel(PackColorAsRGBQuad(clBtnShadow, 0xC0), q, 238);
        EXPECT_TRUE(PixelNear(drawn.At(x + 1, y + 1), PixelToValue(q) & 0xFFFFFF, 1)) << x << "," << y;
      }
    // The highlight emboss: one pixel right of and below the block, where the glyph is transparent.
    const uint32_t highlight = Rgb(clBtnHighlight);
    for (auto [x, y] : {std::pair{3, 2}, {3, 3}, {2, 3}}) EXPECT_EQ(drawn.At(x, y), highlight) << x << "," << y;
    EXPECT_EQ(drawn.At(4, 4), Background);
    EXPECT_EQ(drawn.At(0, 0), Background);
  }
  {
    TDrawn drawn;
    DrawGlyph(drawn, glyph.get(), idmShadowed, clBlack, false);
    // The image moves one pixel up and left; its shadow lies two pixels right of and below it.
    EXPECT_EQ(drawn.At(0, 0), 0xFF0000u);
    EXPECT_EQ(drawn.At(1, 0), 0x00FF00u);
    EXPECT_EQ(drawn.At(0, 1), 0x0000FFu);
    EXPECT_EQ(drawn.At(1, 1), 0xFFFFFFu);
    const uint32_t shadow = Rgb(clBtnShadow);
    for (int y = 2; y < 4; ++y)
      for (int x = 2; x < 4; ++x) EXPECT_EQ(drawn.At(x, y), shadow) << x << "," << y;
    EXPECT_EQ(drawn.At(4, 4), Background);
    EXPECT_EQ(drawn.At(2, 0), Background);
    EXPECT_EQ(drawn.At(0, 2), Background);
  }
}

TEST_F(Composition, GlyphsWithTheirOwnAlphaAreComposedAndFadedWhenDisabled)
{
  // 32-bit premultiplied: half red, opaque blue, transparent, a quarter white.
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetPixelFormat(TPixelFormat::pf32bit);
  glyph->SetSize(2, 2);
  const uint32_t pixels[] = {0x80800000, 0xFF0000FF, 0x00000000, 0x40404040};
  for (int i = 0; i < 4; ++i) static_cast<uint32_t*>(glyph->ScanLine(i / 2))[i % 2] = pixels[i];
  {
    TDrawn drawn;
    DrawGlyph(drawn, glyph.get(), idmNormal);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(PixelNear(drawn.At(1 + i % 2, 1 + i / 2), Over(pixels[i], Background, 255), 2)) << i;
  }
  {
    TDrawn drawn;
    DrawGlyph(drawn, glyph.get(), idmDisabled);
    for (int i = 0; i < 4; ++i) {
      RGBQUAD q = ValueToPixel(pixels[i]);
      TcxAlphaBitmap::GrayPixel(q, 0.0729f, 0.7146f, 0.2125f);
      EXPECT_TRUE(PixelNear(drawn.At(1 + i % 2, 1 + i / 2), Over(PixelToValue(q), Background, 151), 2)) << i;
    }
  }
  // All alpha bytes 0: the glyph counts as having no alpha and is drawn opaque.
  for (int i = 0; i < 4; ++i) static_cast<uint32_t*>(glyph->ScanLine(i / 2))[i % 2] = 0x00123456 + i;
  TDrawn opaque;
  DrawGlyph(opaque, glyph.get(), idmNormal, clNone, false);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(opaque.At(1 + i % 2, 1 + i / 2), 0x123456u + i) << i;
}

TEST_F(Composition, TheHookDrawsInsteadWhenItSaysSo)
{
  static RECT hookedRect;
  static int hookCalls;
  hookCalls = 0;
  ImageModeDrawHook = [](TcxCanvas* canvas, TCustomImageList*, int, TcxImageDrawMode mode, const RECT& rect,
                         TBitmap*) {
    ++hookCalls;
    hookedRect = rect;
    if (mode != idmFaded) return false;
    canvas->FillRectWithColor(rect, clYellow);
    return true;
  };
  TOwned<TBitmap> glyph = Glyph({"RR", "RR"});
  TDrawn hooked;
  DrawImageInMode(hooked.Surface.DC(), RECT{3, 3, 5, 5}, RECT{2, 2, 7, 7}, glyph.get(), nullptr, -1, idmFaded);
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(hookedRect.left, 1);
  EXPECT_EQ(hookedRect.top, 1);
  EXPECT_EQ(hooked.At(3, 3), 0xFFFF00u);
  EXPECT_EQ(hooked.At(2, 2), Background);
  TDrawn declined;
  DrawImageInMode(declined.Surface.DC(), RECT{3, 3, 5, 5}, RECT{2, 2, 7, 7}, glyph.get(), nullptr, -1, idmNormal,
                  false, nullptr, clNone, false);
  EXPECT_EQ(hookCalls, 2);
  EXPECT_EQ(declined.At(3, 3), 0xFF0000u);
}

TEST_F(Composition, ListImagesAreDrawnWithTheirMasksAndABrushReplacesTheBackground)
{
  auto list = MakeOwned<TcxImageList>(nullptr);
  list->SetSizeOfImages(2, 2);
  TOwned<TBitmap> image = Glyph({"RG", "BW"});
  TOwned<TBitmap> mask = Glyph({"KW", "KK"});  // white: transparent
  ASSERT_EQ(list->AddBitmapWithMask(image.get(), mask.get()), 0);
  TDrawn drawn;
  TBrushHandle brush(CreateSolidBrush(RGB(0, 0, 0x40)));
  DrawImageInMode(drawn.Surface.DC(), RECT{1, 1, 3, 3}, RECT{0, 0, 4, 4}, nullptr, list.get(), 0, idmNormal, false,
                  brush.Get());
  EXPECT_EQ(drawn.At(1, 1), 0xFF0000u);
  EXPECT_EQ(drawn.At(2, 1), 0x000040u);  // masked out: the brush shows
  EXPECT_EQ(drawn.At(1, 2), 0x0000FFu);
  EXPECT_EQ(drawn.At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(drawn.At(0, 0), 0x000040u);
  EXPECT_EQ(drawn.At(5, 5), Background);  // outside the target
  // An index outside the list and no glyph: nothing at all.
  TDrawn none;
  DrawImageInMode(none.Surface.DC(), RECT{1, 1, 3, 3}, RECT{0, 0, 4, 4}, nullptr, list.get(), 5, idmNormal, false,
                  brush.Get());
  EXPECT_EQ(none.At(0, 0), Background);
}

// ---- Hatching and masks ---------------------------------------------------------------------------

TEST(ImageHelpers, HatchingMakesACheckerboardCountedFromTheBottomLeft)
{
  fixtures::TSurface surface(6, 5, 0xFF000000);
  HatchDCRect(surface.DC(), RECT{1, 1, 5, 5}, clRed, clBlue, 1, 255, 255);
  for (int y = 1; y < 5; ++y)
    for (int x = 1; x < 5; ++x) {
      const int fromBottom = 4 - y;  // rows counted from the rect's bottom
      const bool odd = ((x - 1) + fromBottom) % 2 == 1;
      EXPECT_EQ(surface.Rgb(x, y), odd ? 0x0000FFu : 0xFF0000u) << x << "," << y;
    }
  EXPECT_EQ(surface.Rgb(0, 0), 0u);
  EXPECT_EQ(surface.Rgb(5, 4), 0u);
}

TEST(ImageHelpers, MasksMarkTransparentPixelsWhite)
{
  auto source = MakeOwned<TcxBitmap32>(3, 2);
  TRGBColors pixels = {{0, 255, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   // bottom row: green, red, green
                       {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 0, 0}};    // top row: blue, green, black
  source->WritePixels(pixels);
  auto mask = MakeOwned<TBitmap>();
  mask->SetPixelFormat(TPixelFormat::pf24bit);
  mask->SetSize(3, 2);
  MakeBitmapMask(source.get(), mask.get());  // no alpha: the bottom-left colour (green) is transparent
  EXPECT_EQ(mask->Canvas()->Pixels(0, 1), clWhite);
  EXPECT_EQ(mask->Canvas()->Pixels(1, 1), clBlack);
  EXPECT_EQ(mask->Canvas()->Pixels(2, 1), clWhite);
  EXPECT_EQ(mask->Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(mask->Canvas()->Pixels(1, 0), clWhite);
  EXPECT_EQ(mask->Canvas()->Pixels(2, 0), clBlack);

  fixtures::TSurface surface(4, 4, 0xFF102030);
  TOwned<TBitmap> snapshot = SnapshotDCRect(surface.DC(), RECT{1, 1, 3, 4});
  EXPECT_EQ(snapshot->Width(), 2);
  EXPECT_EQ(snapshot->Height(), 3);
  EXPECT_EQ(static_cast<uint32_t*>(snapshot->ScanLine(2))[1], 0xFF102030u);
}
