// The toolkit's bitmaps: construction and formats, the change lock and its notifications, 32-bit pixel
// access and the format check, and every pixel operation of the alpha bitmap on known pixels.
#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphics.h"

namespace {
// A pixel from its red, green, blue and alpha.
RGBQUAD Px(int r, int g, int b, int a)
{
  return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), static_cast<BYTE>(a)};
}

std::string Text(RGBQUAD p)
{
  return "(" + std::to_string(p.rgbRed) + ", " + std::to_string(p.rgbGreen) + ", " + std::to_string(p.rgbBlue) +
         ", " + std::to_string(p.rgbReserved) + ")";
}

void ExpectPixels(const TRGBColors& actual, const std::vector<RGBQUAD>& expected)
{
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Text(actual[i]), Text(expected[i])) << "pixel " << i;
}

TRGBColors PixelsOf(TcxBitmap32& bitmap)
{
  TRGBColors pixels;
  bitmap.ReadPixels(pixels);
  return pixels;
}
}  // namespace

// --- TcxBitmap ---

TEST(cxBitmap, ConstructionGivesSizeFormatAndACanvasWrapper)
{
  auto empty = MakeOwned<TcxBitmap>();
  EXPECT_TRUE(empty->Empty());
  EXPECT_EQ(empty->PixelFormat(), TPixelFormat::pf24bit);
  ASSERT_NE(empty->cxCanvas(), nullptr);
  EXPECT_EQ(empty->cxCanvas()->Canvas(), empty->Canvas());

  auto sized = MakeOwned<TcxBitmap>(7, 5);
  EXPECT_EQ(sized->Width(), 7);
  EXPECT_EQ(sized->Height(), 5);
  EXPECT_EQ(sized->PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(sized->GetFullRect(), (RECT{0, 0, 7, 5}));
  auto forRect = MakeOwned<TcxBitmap>(RECT{10, 10, 13, 12}, TPixelFormat::pf8bit);
  EXPECT_EQ(forRect->Width(), 3);
  EXPECT_EQ(forRect->Height(), 2);
  EXPECT_EQ(forRect->PixelFormat(), TPixelFormat::pf8bit);

  auto fromRegistry = TOwned<TObject>(GetClass("TcxBitmap32")->NewObject());
  auto* bitmap32 = dynamic_cast<TcxBitmap32*>(fromRegistry.get());
  ASSERT_NE(bitmap32, nullptr);
  EXPECT_EQ(bitmap32->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_NE(bitmap32->cxCanvas(), nullptr);
}

TEST(cxBitmap, ChangesWhileLockedSendOneNotification)
{
  auto bitmap = MakeOwned<TcxBitmap>(4, 4);
  auto changes = MakeOwned<TChangeCounter>();
  bitmap->SetOnChange(changes->Event());
  bitmap->LockChanges();
  bitmap->LockChanges();
  EXPECT_TRUE(bitmap->IsChangeLocked());
  bitmap->SetSize(8, 8);
  bitmap->Canvas()->FillRect(RECT{0, 0, 2, 2});
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->UnlockChanges();
  EXPECT_EQ(changes->Count, 0);
  bitmap->UnlockChanges();
  EXPECT_FALSE(bitmap->IsChangeLocked());
  EXPECT_EQ(changes->Count, 1);

  bitmap->LockChanges();
  bitmap->UnlockChanges();
  EXPECT_EQ(changes->Count, 1) << "nothing changed, nothing forced";
  bitmap->LockChanges();
  bitmap->UnlockChanges(true);
  EXPECT_EQ(changes->Count, 2) << "forced";
  bitmap->Canvas()->FillRect(RECT{0, 0, 2, 2});
  EXPECT_EQ(changes->Count, 3) << "unlocked changes notify at once";
}

TEST(cxBitmap, SetDimensionsClampsAndNotifiesOnlyOnARealChange)
{
  auto bitmap = MakeOwned<TcxBitmap>(3, 3);
  auto changes = MakeOwned<TChangeCounter>();
  bitmap->SetOnChange(changes->Event());
  bitmap->SetSize(-5, 10);
  EXPECT_EQ(bitmap->Width(), 0);
  EXPECT_EQ(bitmap->Height(), 10);
  EXPECT_EQ(changes->Count, 1);
  bitmap->SetSize(0, 10);
  bitmap->SetSize(-1, 10);
  EXPECT_EQ(changes->Count, 1);
  bitmap->ResizeToRect(RECT{5, 5, 9, 11});
  EXPECT_EQ(bitmap->Width(), 4);
  EXPECT_EQ(bitmap->Height(), 6);
  EXPECT_EQ(changes->Count, 2);
  bitmap->SetWidth(5);
  EXPECT_EQ(changes->Count, 3);
}

TEST(cxBitmap, CopyingAndTurning)
{
  auto source = MakeOwned<TcxBitmap>(6, 4);
  source->Canvas()->Brush()->SetColor(clRed);
  source->Canvas()->FillRect(RECT{0, 0, 6, 4});
  source->Canvas()->Brush()->SetColor(clBlue);
  source->Canvas()->FillRect(RECT{3, 2, 6, 4});

  auto copy = MakeOwned<TcxBitmap>(4, 3);
  auto changes = MakeOwned<TChangeCounter>();
  copy->SetOnChange(changes->Event());
  copy->CopyFromBitmap(source.get());
  EXPECT_EQ(changes->Count, 1);
  EXPECT_EQ(copy->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(copy->Canvas()->Pixels(3, 2), clBlue);

  copy->CopyFromBitmapRect(source.get(), RECT{0, 0, 2, 2}, SRCCOPY, POINT{4, 2});
  EXPECT_EQ(copy->Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(copy->Canvas()->Pixels(2, 0), clRed);
  copy->CopyFromBitmapRect(source.get(), RECT{0, 0, 1, 1}, NOTSRCCOPY, POINT{0, 0});
  EXPECT_EQ(copy->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(0, 255, 255)));

  changes->Count = 0;
  copy->RotateOrFlip(raPlus90);
  EXPECT_EQ(copy->Width(), 3);
  EXPECT_EQ(copy->Height(), 4);
  EXPECT_EQ(changes->Count, 1) << "a turn is one change";
  EXPECT_EQ(copy->Canvas()->Pixels(0, 3), static_cast<TColor>(RGB(0, 255, 255))) << "top-left went to bottom-left";
}

// --- TcxBitmap32 ---

TEST(cxBitmap32, PixelsAlphaAndClearing)
{
  auto bitmap = MakeOwned<TcxBitmap32>(2, 2);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf32bit);
  // Bottom row first.
  bitmap->WritePixels({Px(1, 2, 3, 0), Px(4, 5, 6, 0), Px(7, 8, 9, 0), Px(10, 11, 12, 0)});
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 1), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), static_cast<TColor>(RGB(10, 11, 12)));
  EXPECT_FALSE(bitmap->HasAlphaChannel()) << "all alpha bytes are 0";

  TRGBColors pixels = PixelsOf(*bitmap);
  pixels[3].rgbReserved = 1;
  bitmap->WritePixels(pixels);
  EXPECT_TRUE(bitmap->HasAlphaChannel()) << "one alpha byte is enough";

  bitmap->SetAlphaOfAll(77);
  for (const RGBQUAD& p : PixelsOf(*bitmap)) EXPECT_EQ(p.rgbReserved, 77);
  bitmap->MakeOpaque();
  ExpectPixels(PixelsOf(*bitmap), {Px(1, 2, 3, 255), Px(4, 5, 6, 255), Px(7, 8, 9, 255), Px(10, 11, 12, 255)});

  bitmap->ClearImage();
  ExpectPixels(PixelsOf(*bitmap), {Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0)});

  auto cleared = MakeOwned<TcxBitmap32>(3, 1, true);
  ExpectPixels(PixelsOf(*cleared), {Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0)});
  auto notCleared = MakeOwned<TcxBitmap32>(RECT{0, 0, 1, 1});
  ExpectPixels(PixelsOf(*notCleared), {Px(255, 255, 255, 0)});
}

TEST(cxBitmap32, KeepsThirtyTwoBitsPerPixel)
{
  auto bitmap = MakeOwned<TcxBitmap32>(2, 2);
  try {
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    FAIL() << "a 24-bit format was accepted";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "Wrong PixelFormat");
  }

  // A 24-bit bitmap file loads as 32 bits, with one notification.
  auto source = MakeOwned<TBitmap>();
  source->SetPixelFormat(TPixelFormat::pf24bit);
  source->SetSize(3, 2);
  source->Canvas()->SetPixels(1, 1, clRed);
  auto file = MakeOwned<TMemoryStream>();
  source->SaveToStream(*file);
  file->SetPosition(0);
  auto loaded = MakeOwned<TcxBitmap32>();
  auto changes = MakeOwned<TChangeCounter>();
  loaded->SetOnChange(changes->Event());
  loaded->LoadFromStream(*file);
  EXPECT_EQ(loaded->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(loaded->Width(), 3);
  EXPECT_EQ(loaded->Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(changes->Count, 1);

  // A file that cannot be read leaves a 32-bit bitmap and the reader's error.
  auto broken = MakeOwned<TStringStream>(std::string("BM\x10\x00\x00\x00", 6));
  EXPECT_THROW(loaded->LoadFromStream(*broken), EInvalidGraphic);
  EXPECT_EQ(loaded->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_FALSE(loaded->IsChangeLocked());
}

// --- Blending and graying ---

TEST(cxAlphaBitmapPixels, BlendColorOverPixel)
{
  struct TCase {
    uint32_t Color;
    RGBQUAD Pixel;
    BYTE Factor;
    RGBQUAD Expected;
  };
  const TCase cases[] = {
    // Opaque at full factor: the colour itself.
    {0xFFFF0000, Px(0, 0, 255, 255), 255, Px(255, 0, 0, 255)},
    // Factor 128: f = 128/255, k = 127/255.
    {0xFFFF0000, Px(0, 0, 255, 255), 128, Px(128, 0, 127, 255)},
    // A transparent pixel under a half-alpha premultiplied colour.
    {0x80400000, Px(0, 0, 0, 0), 255, Px(64, 0, 0, 128)},
    // Factor 0 leaves the pixel.
    {0xFF00FF00, Px(9, 8, 7, 6), 0, Px(9, 8, 7, 6)},
    // Sums above 255 are clamped: 255 + 250 x 191/255 for the colours; alpha 64 + 250 x 191/255 = 251.25.
    {0x40FFFFFF, Px(250, 250, 250, 250), 255, Px(255, 255, 255, 251)},
  };
  for (const TCase& c : cases) {
    RGBQUAD p = c.Pixel;
    BlendColorOverPixel(c.Color, p, c.Factor);
    EXPECT_EQ(Text(p), Text(c.Expected)) << std::hex << c.Color << " factor " << std::dec << int(c.Factor);
  }
}

TEST(cxAlphaBitmapPixels, GrayPixelRoundsTheWeightedSumAndKeepsAlpha)
{
  RGBQUAD p = Px(10, 100, 200, 33);
  TcxAlphaBitmap::GrayPixel(p, 0.299f, 0.587f, 0.114f);  // 84.49
  EXPECT_EQ(Text(p), Text(Px(84, 84, 84, 33)));
  p = Px(255, 255, 255, 0);
  TcxAlphaBitmap::GrayPixel(p, 1.0f, 1.0f, 1.0f);
  EXPECT_EQ(Text(p), Text(Px(255, 255, 255, 0))) << "clamped";
}

// --- The pixel operations ---

namespace {
// Four pixels, bottom-up: opaque, half alpha, the background colour (all 0) and a listed colour.
const RGBQUAD Opaque = Px(10, 100, 200, 255);
const RGBQUAD Half = Px(40, 80, 120, 128);
const RGBQUAD Background = Px(0, 0, 0, 0);
const RGBQUAD Listed = Px(1, 2, 3, 255);
const RGBQUAD Invisible = Px(5, 5, 5, 0);  // alpha 0, not transparent

TOwned<TcxAlphaBitmap> Sample()
{
  auto bitmap = MakeOwned<TcxAlphaBitmap>(5, 1);
  bitmap->WritePixels({Opaque, Half, Background, Listed, Invisible});
  AddTransparentColor(bitmap->TransparentPixels(), static_cast<TColor>(RGB(1, 2, 3)));
  return bitmap;
}

// What the shadow operation makes of a gray value: the button shadow colour with alpha 0xC0 blended
// over it at 238 / 255.
RGBQUAD ShadowOver(BYTE gray, BYTE alpha)
{
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  const double f = 238 / 255.0, a = f * 0xC0, k = 1 - a / 255;
  auto ch = [&](int c) { return static_cast<int>(std::nearbyint(f * c + k * gray)); };
  return Px(ch(GetRValue(shadow)), ch(GetGValue(shadow)), ch(GetBValue(shadow)),
            static_cast<int>(std::nearbyint(a + k * alpha)));
}
}  // namespace

TEST(cxAlphaBitmapPixels, EachOperationOnKnownPixels)
{
  using enum TcxPixelOperation;
  struct TCase {
    TcxPixelOperation Operation;
    std::vector<RGBQUAD> Expected;
  };
  const TCase cases[] = {
    // 30 % towards white for opaque pixels (MulDiv rounds halves up): 10 + 73.5, 100 + 46.5, 200 + 16.5;
    // others scaled to 200 / 255.
    {DimOrLighten, {Px(84, 147, 217, 255), Px(31, 63, 94, 100), Background, Listed, Px(4, 4, 4, 0)}},
    {ShadowGray, {ShadowOver(84, 255), ShadowOver(73, 128), Background, Listed, ShadowOver(5, 0)}},
    {AverageGray, {Px(103, 103, 103, 255), Px(80, 80, 80, 128), Background, Listed, Invisible}},
    {Opaque, {Px(10, 100, 200, 255), Px(40, 80, 120, 255), Px(0, 0, 0, 255), Listed, Px(5, 5, 5, 255)}},
    {Mask, {Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(255, 255, 255, 255), Px(255, 255, 255, 255), Px(0, 0, 0, 0)}},
    // 84.49 and 72.6
    {FadedGray, {Px(84, 84, 84, 255), Px(73, 73, 73, 128), Background, Listed, Invisible}},
    // 10 x 0.0729 + 100 x 0.7146 + 200 x 0.2125 = 114.69; 85.58; 4.99
    {DisabledGray, {Px(115, 115, 115, 255), Px(86, 86, 86, 128), Background, Listed, Px(5, 5, 5, 0)}},
    {AlphaFix, {::Opaque, Half, Background, Listed, Px(5, 5, 5, 255)}},
    {Clear, {Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0)}},
    {AlphaClear, {Px(10, 100, 200, 0), Px(40, 80, 120, 0), Background, Px(1, 2, 3, 0), Invisible}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Operation));
    auto bitmap = Sample();
    auto changes = MakeOwned<TChangeCounter>();
    bitmap->SetOnChange(changes->Event());
    bitmap->ApplyPixelOperation(c.Operation);
    ExpectPixels(PixelsOf(*bitmap), c.Expected);
    EXPECT_EQ(changes->Count, 1);
  }
}

TEST(cxAlphaBitmapPixels, MaskWithBackgroundZeroMakesZeroPixelsWhiteAndOthersBlack)
{
  auto bitmap = MakeOwned<TcxAlphaBitmap>(3, 1);
  bitmap->WritePixels({Px(0, 0, 0, 0), Px(0, 0, 0, 1), Px(255, 255, 255, 255)});
  bitmap->ApplyPixelOperation(TcxPixelOperation::Mask);
  ExpectPixels(PixelsOf(*bitmap), {Px(255, 255, 255, 255), Px(0, 0, 0, 0), Px(0, 0, 0, 0)});
}

TEST(cxAlphaBitmapPixels, HatchAlternatesCellsFromTheBottomLeft)
{
  auto bitmap = MakeOwned<TcxAlphaBitmap>(4, 4);
  bitmap->WritePixels(TRGBColors(16, Px(255, 255, 255, 255)));
  bitmap->HatchPixels(clRed, clBlue, 2, 255, 255);
  EXPECT_EQ(bitmap->HatchData().Step, 2);
  EXPECT_EQ(bitmap->HatchData().Color1, 0xFFFF0000u);
  const RGBQUAD r = Px(255, 0, 0, 255), b = Px(0, 0, 255, 255);
  // Bottom-up rows.
  ExpectPixels(PixelsOf(*bitmap), {r, r, b, b, r, r, b, b, b, b, r, r, b, b, r, r});

  // Partial alpha blends over the pixel; a step of 0 is taken as 1.
  auto blended = MakeOwned<TcxAlphaBitmap>(2, 1);
  blended->WritePixels({Px(0, 0, 0, 255), Px(0, 0, 0, 255)});
  blended->HatchPixels(clRed, clBlue, 0, 128, 255);
  ExpectPixels(PixelsOf(*blended), {Px(128, 0, 0, 255), Px(0, 0, 255, 255)});
}

TEST(cxAlphaBitmapPixels, TransparentColourAndClearing)
{
  auto bitmap = MakeOwned<TcxAlphaBitmap>(3, 1);
  bitmap->WritePixels({Px(255, 0, 0, 0), Px(0, 255, 0, 0), Px(255, 0, 0, 255)});
  bitmap->UseTransparentColor(clRed);
  EXPECT_EQ(bitmap->TransparentBkColor(), 0x00FF0000u);
  EXPECT_EQ(bitmap->TransparentPixels().Count(), 1);
  EXPECT_TRUE(bitmap->IsTransparentPixel(Px(255, 0, 0, 255))) << "by the list";
  EXPECT_TRUE(bitmap->IsTransparentPixel(Px(255, 0, 0, 0))) << "by the background colour";
  EXPECT_FALSE(bitmap->IsTransparentPixel(Px(255, 0, 1, 0)));
  // The transparent pixel keeps alpha 0, the other invisible one becomes opaque.
  ExpectPixels(PixelsOf(*bitmap), {Px(255, 0, 0, 0), Px(0, 255, 0, 255), Px(255, 0, 0, 255)});

  bitmap->ClearImage();  // background alpha 0: all bytes 0
  ExpectPixels(PixelsOf(*bitmap), {Px(0, 0, 0, 0), Px(0, 0, 0, 0), Px(0, 0, 0, 0)});

  auto withBackground = MakeOwned<TcxAlphaBitmap>(2, 1, 0x80102030);
  EXPECT_EQ(withBackground->TransparentBkColor(), 0x80102030u);
  withBackground->ClearImage();
  ExpectPixels(PixelsOf(*withBackground), {Px(0x10, 0x20, 0x30, 0x80), Px(0x10, 0x20, 0x30, 0x80)});
}
