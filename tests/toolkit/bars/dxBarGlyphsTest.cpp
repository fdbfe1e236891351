// Item glyphs: the drawing mode of an item's state, and drawing through an item control's cache.
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "tests/support/DibSurface.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/bars/dxBarGlyphs.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/dxFading.h"

namespace {
constexpr COLORREF Green = RGB(0, 128, 0);
constexpr COLORREF Magenta = RGB(255, 0, 255);

int GDepth = 32;
int FakeDepth() { return GDepth; }

// Reads the unit's colour depth through the seam for a scope and reads the real one back after.
class TScreenDepth {
public:
  explicit TScreenDepth(int bits) : FSaved(std::exchange(dxGetScreenColorDepth, FakeDepth))
  {
    GDepth = bits;
    ReadScreenColorDepth();
  }
  ~TScreenDepth()
  {
    dxGetScreenColorDepth = FSaved;
    ReadScreenColorDepth();
  }
  TScreenDepth(const TScreenDepth&) = delete;
  TScreenDepth& operator=(const TScreenDepth&) = delete;

private:
  TdxColorDepthFunc FSaved;
};

// An 8 x 8 glyph: blue with a magenta (transparent, from the bottom-left pixel) border.
TOwned<TBitmap> NewGlyph()
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetPixelFormat(TPixelFormat::pf24bit);
  glyph->SetSize(8, 8);
  const HDC dc = glyph->Canvas()->Handle();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, x == 0 || y == 0 || x == 7 || y == 7 ? Magenta : RGB(0, 0, 255));
  return glyph;
}

class TFakeGlyphCache : public IdxBarGlyphCache {
public:
  bool Valid = false;
  TcxImageDrawMode Mode = idmNormal;
  int Builds = 0;
  bool FailPicture = false;
  TOwned<TBitmap> Picture = MakeOwned<TBitmap>();

  bool IsValidFor(TcxImageDrawMode mode, TBitmap*, TCustomImageList*) override { return Valid && mode == Mode; }
  void CacheGlyph(const RECT& rect, TBitmap*, TcxImageDrawMode mode, TCustomImageList*, int, TColor, bool, bool) override
  {
    ++Builds;
    Mode = mode;
    Valid = true;
    Picture->SetPixelFormat(TPixelFormat::pf24bit);
    Picture->SetSize(rect.right - rect.left, rect.bottom - rect.top);
    const RECT all{0, 0, Picture->Width(), Picture->Height()};
    TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(Picture->Canvas()->Handle(), &all, red.Get());
  }
  TBitmap* CachedPicture() override
  {
    if (FailPicture) throw std::runtime_error("no picture");
    return Picture.get();
  }
};

int GHookCalls = 0;
bool CountingHook(TcxCanvas*, TCustomImageList*, int, TcxImageDrawMode, const RECT&, TBitmap*)
{
  ++GHookCalls;
  return false;
}
}  // namespace

TEST(BarGlyphs, DrawModesAtEightAndThirtyTwoBits)
{
  struct TCase {
    TdxGlyphDrawOptions Options;
    TcxImageDrawMode At8, At32;
  };
  auto with = [](auto change) {
    TdxGlyphDrawOptions o;
    change(o);
    return o;
  };
  const TCase cases[] = {
    {with([](auto& o) { o.Enabled = false; }), idmDisabled, idmDisabled},
    {with([](auto& o) { o.Enabled = false; o.DisabledFaded = true; }), idmFaded, idmFaded},
    {with([](auto& o) { o.Enabled = false; o.Gray = true; o.GlyphShadow = true; }), idmDisabled, idmDisabled},
    {with([](auto& o) { o.Gray = true; }), idmGrayScale, idmGrayScale},
    {with([](auto& o) { o.Hot = true; o.PressedMode = true; }), idmNormal, idmNormal},  // no shadows
    {with([](auto& o) { o.GlyphShadow = true; }), idmNormal, idmPale},
    {with([](auto& o) { o.GlyphShadow = true; o.Hot = true; }), idmNormal, idmNormal},
    {with([](auto& o) { o.GlyphShadow = true; o.Down = true; }), idmNormal, idmNormal},
    {with([](auto& o) { o.GlyphShadow = true; o.Hot = true; o.PressedMode = true; }), idmShadowed, idmShadowed},
    {with([](auto& o) { o.GlyphShadow = true; o.Hot = true; o.PressedMode = true; o.Checked = true; }), idmNormal,
     idmNormal},
    {with([](auto& o) { o.GlyphShadow = true; o.PressedMode = true; }), idmNormal, idmPale},
  };
  for (int bits : {8, 32}) {
    TScreenDepth depth(bits);
    for (size_t i = 0; i < std::size(cases); ++i)
      EXPECT_EQ(SelectGlyphDrawMode(cases[i].Options), bits == 8 ? cases[i].At8 : cases[i].At32) << i << " at " << bits;
  }
}

TEST(BarGlyphs, TheCacheIsFilledOncePerModeAndDrawnAsItIs)
{
  TOwned<TBitmap> glyph = NewGlyph();
  TFakeGlyphCache cache;
  TScopedSeam<TcxImageModeDrawProc> hook(ImageModeDrawHook, CountingHook);
  GHookCalls = 0;
  const RECT rect{4, 4, 12, 12};
  TDibSurface surface(16, 16, Green);
  TdxGlyphDrawOptions options;
  DrawGlyphWithCache(&cache, surface.DC(), nullptr, rect, rect, glyph.get(), nullptr, -1, clNone, options);
  EXPECT_EQ(cache.Builds, 1);
  EXPECT_TRUE(surface.ExactlyFills(rect, RGB(255, 0, 0)));  // the cached picture
  EXPECT_EQ(GHookCalls, 0);
  EXPECT_EQ(ImageModeDrawHook, CountingHook);

  DrawGlyphWithCache(&cache, surface.DC(), nullptr, rect, rect, glyph.get(), nullptr, -1, clNone, options);
  EXPECT_EQ(cache.Builds, 1);
  options.Enabled = false;
  DrawGlyphWithCache(&cache, surface.DC(), nullptr, rect, rect, glyph.get(), nullptr, -1, clNone, options);
  EXPECT_EQ(cache.Builds, 2);
  EXPECT_EQ(cache.Mode, idmDisabled);

  // The shadowed look is never cached.
  TdxGlyphDrawOptions shadowed;
  shadowed.GlyphShadow = shadowed.Hot = shadowed.PressedMode = true;
  surface.Fill(Green);
  DrawGlyphWithCache(&cache, surface.DC(), nullptr, rect, rect, glyph.get(), nullptr, -1, clNone, shadowed);
  EXPECT_EQ(cache.Builds, 2);
  EXPECT_EQ(surface.Count(rect, RGB(255, 0, 0)), 0);
  EXPECT_EQ(GHookCalls, 1);

  // The hook comes back after a failure too.
  cache.FailPicture = true;
  options.Enabled = true;
  EXPECT_THROW(DrawGlyphWithCache(&cache, surface.DC(), nullptr, rect, rect, glyph.get(), nullptr, -1, clNone, options),
               std::runtime_error);
  EXPECT_EQ(ImageModeDrawHook, CountingHook);
}

TEST(BarGlyphs, GlyphsLeaveTheirTransparentColourOut)
{
  TOwned<TBitmap> glyph = NewGlyph();
  TDibSurface surface(16, 16, Green);
  DrawGlyphTransparent(surface.DC(), RECT{4, 4, 12, 12}, glyph.get(), true);
  EXPECT_TRUE(surface.ExactlyFills(RECT{5, 5, 11, 11}, RGB(0, 0, 255)));
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 16}, Green), 256 - 36);

  // Disabled, the glyph is no longer blue, and its border still shows the background.
  surface.Fill(Green);
  DrawGlyphTransparent(surface.DC(), RECT{4, 4, 12, 12}, glyph.get(), false);
  EXPECT_EQ(surface.Count(RECT{0, 0, 16, 16}, RGB(0, 0, 255)), 0);
  EXPECT_EQ(surface.Pixel(4, 4), Green);

  // Without a cache the routine draws the glyph in the selected mode, without its transparent colour.
  surface.Fill(Green);
  DrawGlyphImage(surface.DC(), nullptr, RECT{4, 4, 12, 12}, RECT{4, 4, 12, 12}, glyph.get(), nullptr, -1, clNone,
                 TdxGlyphDrawOptions{.UseTransparentColor = true});
  EXPECT_TRUE(surface.ExactlyFills(RECT{5, 5, 11, 11}, RGB(0, 0, 255)));
}
