// Pictures and canvases over GDI+: loading, saving and drawing PNG and JPEG pictures compared by
// their decoded pixels, images made from bitmaps, opacity and tiling, the paint canvases, and the
// registration with the picture registry.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <cstdio>
#include <string>
#include <utility>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/JPEG.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "toolkit/base/dxGDIPlusClasses.h"

using fixtures::Near;
using fixtures::PixelNear;

namespace {
// 4 x 2: opaque red, half-transparent green, transparent, opaque blue; then opaque white, a
// quarter-opaque black, opaque grey, a three-quarter-opaque yellow.
const std::vector<uint32_t> SamplePixels = {0xFFFF0000, 0x8000FF00, 0x00000000, 0xFF0000FF,
                                            0xFFFFFFFF, 0x40000000, 0xFF808080, 0xC0FFFF00};

std::string SamplePng() { return fixtures::MakePng(4, 2, SamplePixels); }

uint32_t PixelOf(const TRGBColors& pixels, size_t i)
{
  const RGBQUAD q = pixels[i];
  return static_cast<uint32_t>(q.rgbReserved) << 24 | q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue;
}

template <class T = TdxGPImage>
TOwned<T> Load(const std::string& bytes)
{
  auto stream = fixtures::StreamOf(bytes);
  return TdxGPImage::CreateFromStream<T>(*stream);
}

std::string Save(TGraphic& graphic)
{
  auto stream = MakeOwned<TMemoryStream>();
  graphic.SaveToStream(*stream);
  return fixtures::BytesOf(*stream);
}

// The largest channel difference between a bitmap and straight pixels of the same size.
int MaxDifference(TBitmap& bitmap, const TRGBColors& pixels)
{
  int worst = 0;
  auto copy = MakeOwned<TBitmap>();
  copy->Assign(&bitmap);
  copy->SetPixelFormat(TPixelFormat::pf24bit);
  for (int y = 0; y < copy->Height(); ++y) {
    auto* row = static_cast<unsigned char*>(copy->ScanLine(y));
    for (int x = 0; x < copy->Width(); ++x) {
      const RGBQUAD q = pixels[static_cast<size_t>(y) * copy->Width() + x];
      worst = std::max({worst, std::abs(row[x * 3] - q.rgbBlue), std::abs(row[x * 3 + 1] - q.rgbGreen),
                        std::abs(row[x * 3 + 2] - q.rgbRed)});
    }
  }
  return worst;
}

// An image that saves as JPEG through GDI+, to hand GDI+'s JPEG to libjpeg.
class TJpegSavingImage : public TdxGPImage {
protected:
  TdxImageDataFormat SaveFormat() const override { return TdxImageDataFormat::dxImageJpeg; }
};

}  // namespace

TEST(GPImage, APngLoadsWithItsPixelsAndReportsTransparency)
{
  auto image = Load<TdxPNGImage>(SamplePng());
  ASSERT_FALSE(image->Empty());
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(image->Height(), 2);
  EXPECT_EQ(image->ImageDataFormat(), TdxImageDataFormat::dxImagePng);
  EXPECT_TRUE(image->Transparent());
  const TRGBColors pixels = image->ReadPixels();
  ASSERT_EQ(pixels.size(), 8u);
  for (size_t i = 0; i < pixels.size(); ++i)
    EXPECT_TRUE(PixelNear(PixelOf(pixels, i), fixtures::Premultiplied(SamplePixels[i]), 1)) << "pixel " << i;
}

TEST(GPImage, APngDrawsBlendedOverTheCanvas)
{
  auto image = Load<TdxPNGImage>(SamplePng());
  fixtures::TSurface surface(6, 4, 0x00FFFFFF);
  TCanvas* canvas = surface.Bitmap().Canvas();
  canvas->Draw(1, 1, image.get());
  // Straight colour c with alpha a over white: c * a + 255 * (1 - a).
  auto over = [](uint32_t argb) {
    const int a = argb >> 24;
    auto ch = [&](int shift) { return static_cast<uint32_t>((((argb >> shift) & 0xFF) * a + 255 * (255 - a)) / 255); };
    return ch(16) << 16 | ch(8) << 8 | ch(0);
  };
  for (int i = 0; i < 8; ++i)
    EXPECT_TRUE(PixelNear(surface.Rgb(1 + i % 4, 1 + i / 4), over(SamplePixels[static_cast<size_t>(i)]), 2))
        << "pixel " << i;
  EXPECT_EQ(surface.Rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(surface.Rgb(5, 3), 0xFFFFFFu);
}

TEST(GPImage, SavingWritesTheOwnFormatAndReadsBackTheSamePixels)
{
  auto png = Load<TdxPNGImage>(SamplePng());
  const std::string asPng = Save(*png);
  ASSERT_GE(asPng.size(), 8u);
  EXPECT_EQ(asPng.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  auto again = Load<TdxPNGImage>(asPng);
  EXPECT_TRUE(again->SameImageAs(png.get()));

  // A plain GDI+ image of a PNG saves as PNG too; one made from pixels saves as a bitmap file, unless
  // it is a TdxPNGImage.
  auto plain = Load<TdxGPImage>(SamplePng());
  EXPECT_EQ(Save(*plain).substr(1, 3), "PNG");
  TRGBColors pixels = png->ReadPixels();
  auto fromBits = TdxGPImage::CreateFromBits(4, 2, &pixels, true);
  EXPECT_EQ(fromBits->ImageDataFormat(), TdxImageDataFormat::dxImageBitmap);
  EXPECT_EQ(Save(*fromBits).substr(0, 2), "BM");
  auto pngFromBits = TdxGPImage::CreateFromBits<TdxPNGImage>(4, 2, &pixels, true);
  const std::string written = Save(*pngFromBits);
  EXPECT_EQ(written.substr(1, 3), "PNG");
  EXPECT_TRUE(Load(written)->SameImageAs(png.get()));
}

TEST(GPImage, JpegPicturesTravelBetweenGdiPlusAndTheClassLibrary)
{
  // libjpeg writes, GDI+ reads.
  auto jpeg = MakeOwned<TJPEGImage>();
  TOwned<TBitmap> source = fixtures::GradientBitmap(32, 24);
  jpeg->Assign(source.get());
  jpeg->SetCompressionQuality(95);
  auto image = Load(Save(*jpeg));
  ASSERT_EQ(image->Width(), 32);
  EXPECT_EQ(image->ImageDataFormat(), TdxImageDataFormat::dxImageJpeg);
  EXPECT_FALSE(image->UsesAlpha());
  EXPECT_LE(MaxDifference(*source, image->ReadPixels()), 12);

  // Saved again it is re-encoded as JPEG; assigned to another image it goes through that save.
  const std::string resaved = Save(*image);
  EXPECT_EQ(resaved.substr(0, 2), "\xFF\xD8");
  auto copy = MakeOwned<TdxGPImage>();
  copy->Assign(image.get());
  EXPECT_EQ(copy->ImageDataFormat(), TdxImageDataFormat::dxImageJpeg);
  EXPECT_LE(MaxDifference(*source, copy->ReadPixels()), 16);

  // GDI+ writes, libjpeg reads.
  auto fromBitmap = TdxGPImage::CreateFromBitmap<TJpegSavingImage>(source.get());
  auto back = MakeOwned<TJPEGImage>();
  auto stream = fixtures::StreamOf(Save(*fromBitmap));
  back->LoadFromStream(*stream);
  ASSERT_EQ(back->Width(), 32);
  EXPECT_LE(MaxDifference(*back->Bitmap(), fromBitmap->ReadPixels()), 16);
}

TEST(GPImage, CorruptDataRaisesTheGraphicErrorAndLeavesTheImageEmpty)
{
  std::string png = SamplePng();
  std::string broken = png;
  broken[png.find("IDAT") + 8] ^= 0x55;  // breaks the data and its checksum
  const std::string truncated = png.substr(0, png.size() / 2);
  const std::string notAPicture = "just some text, not a picture";
  for (const std::string* bytes : {&std::as_const(broken), &truncated, &notAPicture}) {
    auto image = Load<TdxPNGImage>(SamplePng());
    auto stream = fixtures::StreamOf(*bytes);
    EXPECT_THROW(image->LoadFromStream(*stream), EInvalidGraphic);
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(Save(*image), "");
  }

  // Through the picture registry: the picture stays without a graphic.
  const std::string file = TempFile("gdiplus-corrupt.png");
  WriteFileBytes(file, broken);
  auto picture = MakeOwned<TPicture>();
  EXPECT_THROW(picture->LoadFromFile(file), EInvalidGraphic);
  EXPECT_EQ(picture->Graphic(), nullptr);
  DeleteFileA(file.c_str());
}

namespace {
// An image that saves in a format of the test's choice.
template <TdxImageDataFormat F>
class TSavingImage : public TdxGPImage {
protected:
  TdxImageDataFormat SaveFormat() const override { return F; }
};

template <TdxImageDataFormat F>
std::string Encoded()
{
  auto image = Load<TSavingImage<F>>(SamplePng());
  return Save(*image);
}

std::string WithBE16(std::string s, size_t at, uint16_t v)
{
  s[at] = static_cast<char>(v >> 8);
  s[at + 1] = static_cast<char>(v);
  return s;
}
std::string WithBE32(std::string s, size_t at, uint32_t v)
{
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (24 - 8 * i));
  return s;
}
std::string WithLE(std::string s, size_t at, uint32_t v, int bytes)
{
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  return s;
}

// A PNG with count text chunks before its image data.
std::string PngWithTextChunks(int count)
{
  const std::string png = SamplePng();
  std::string chunks;
  for (int i = 0; i < count; ++i) fixtures::PutChunk(chunks, "tEXt", std::string("Comment\0x", 9));
  const size_t idat = png.find("IDAT") - 4;
  return png.substr(0, idat) + chunks + png.substr(idat);
}

// 4 x 2, 8 bits a pixel, run-length encoded: red above blue.
std::string RleBitmap()
{
  std::string s("BM\0\0\0\0\0\0\0\0\0\0\0\0" "\x28\0\0\0\x04\0\0\0\x02\0\0\0\x01\0\x08\0\x01\0\0\0", 34);
  s += std::string(20, '\0');
  s = WithLE(s, 34, 6, 4);   // the packed size
  s = WithLE(s, 46, 2, 4);   // two colours
  s += std::string("\xFF\0\0\0\0\0\xFF\0", 8);  // blue, red
  s = WithLE(s, 10, static_cast<uint32_t>(s.size()), 4);
  return s + std::string("\x04\x00\x00\x00\x04\x01", 6);  // bottom row colour 0, end of line, top row colour 1
}
}  // namespace

// GDI+ trusts the sizes in the data and decodes while loading: malformed BMP and PNG data crashed
// its decoders, and a few hundred bytes declaring a huge picture were decoded into hundreds of
// megabytes. The data is recognised by its signature and checked first; BMP goes through the class
// library's own reader. Every refusal leaves the image empty, and a valid picture reads afterwards.
TEST(GPImage, PictureDataIsCheckedBeforeGdiPlusDecodesIt)
{
  const std::string png = SamplePng();
  const std::string jpeg = Encoded<TdxImageDataFormat::dxImageJpeg>();
  // One white pixel (the platform's GIF encoder writes a frame without its data).
  const std::string gif("GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02" "D\x01\0;", 35);
  const std::string tiff = Encoded<TdxImageDataFormat::dxImageTiff>();
  const std::string bmp = Encoded<TdxImageDataFormat::dxImageBitmap>();
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  ASSERT_EQ(tiff.substr(0, 4), std::string("II*\0", 4));
  const size_t idat = png.find("IDAT") - 4;
  struct TCase {
    const char* What;
    std::string Bytes;
    const char* Message;  // the start of the error; empty: read
  };
  const TCase cases[] = {
    {"a PNG of 10000 x 10000", WithBE32(WithBE32(png, 16, 10000), 20, 10000), "PNG image is too large (10000 x 10000"},
    {"a PNG chunk longer than the data", WithBE32(png, idat, 0x7FFFFFFF), "PNG image is not valid"},
    {"a PNG without its end chunk", png.substr(0, png.size() - 12), "PNG image is not valid"},
    {"a PNG of 100,000 text chunks", PngWithTextChunks(100000), "PNG image is not valid (more than 1000 chunks)"},
    {"a PNG of 900 text chunks", PngWithTextChunks(900), ""},
    {"a JPEG of 20000 x 20000", WithBE16(WithBE16(jpeg, frame + 5, 20000), frame + 7, 20000),
     "JPEG image is too large (20000 x 20000"},
    {"a JPEG cut before its frame", jpeg.substr(0, frame), "JPEG image is not valid"},
    {"a GIF of 20000 x 20000", WithLE(WithLE(gif, 6, 20000, 2), 8, 20000, 2), "GIF image is too large"},
    {"a GIF frame of 20000 x 20000", WithLE(WithLE(gif, gif.find(',') + 5, 20000, 2), gif.find(',') + 7, 20000, 2),
     "GIF image is too large"},
    {"a TIFF directory past the end", WithLE(tiff, 4, 0x7FFFFFF0, 4), "TIFF image is not valid"},
    {"a BMP 268 million pixels wide", WithLE(bmp, 18, 0x10000004, 4), "Bitmap image is not valid"},
    {"a BMP 1 Gi rows high", WithLE(bmp, 22, 0x40000000, 4), "Bitmap image is not valid"},
    {"BMP pixels past the end of the data", WithLE(bmp, 10, 0x100036, 4), "Bitmap image is not valid"},
    {"an icon", std::string("\0\0\1\0\1\0", 6) + std::string(40, '\0'), "The picture's format is not known"},
    {"the PNG", png, ""},
    {"the JPEG", jpeg, ""},
    {"the GIF", gif, ""},
    {"the TIFF", tiff, ""},
    {"the BMP", bmp, ""},
  };
  for (const TCase& c : cases) {
    auto image = Load<TdxSmartImage>(png);
    auto stream = fixtures::StreamOf(c.Bytes);
    if (!*c.Message) {
      EXPECT_NO_THROW(image->LoadFromStream(*stream)) << c.What;
      EXPECT_FALSE(image->Empty()) << c.What;
      continue;
    }
    try {
      image->LoadFromStream(*stream);
      ADD_FAILURE() << c.What << ": accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind(c.Message, 0), 0u) << c.What << ": " << e.Message();
    }
    EXPECT_TRUE(image->Empty()) << c.What;
  }

  // Run-length BMP data, which the platform's decoder never sees, is read by the class library.
  auto rle = Load<TdxSmartImage>(RleBitmap());
  EXPECT_EQ(rle->ImageDataFormat(), TdxImageDataFormat::dxImageBitmap);
  const TRGBColors pixels = rle->ReadPixels();
  ASSERT_EQ(pixels.size(), 8u);
  EXPECT_EQ(PixelOf(pixels, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelOf(pixels, 4), 0xFF0000FFu);
}

TEST(GPImage, ImagesFromBitmapsKeepTheAlphaOfThirtyTwoBitBitmapsOnly)
{
  TOwned<TBitmap> rgb = fixtures::GradientBitmap(3, 2);
  auto opaque = TdxGPImage::CreateFromBitmap(rgb.get());
  EXPECT_FALSE(opaque->UsesAlpha());
  for (const RGBQUAD& q : opaque->ReadPixels()) EXPECT_EQ(q.rgbReserved, 255);
  EXPECT_EQ(MaxDifference(*rgb, opaque->ReadPixels()), 0);

  auto argb = MakeOwned<TBitmap>();
  argb->SetPixelFormat(TPixelFormat::pf32bit);
  argb->SetSize(2, 1);
  static_cast<uint32_t*>(argb->ScanLine(0))[0] = 0x80400000;  // premultiplied half red
  static_cast<uint32_t*>(argb->ScanLine(0))[1] = 0xFF00FF00;
  auto withAlpha = TdxGPImage::CreateFromBitmap(argb.get());
  EXPECT_TRUE(withAlpha->UsesAlpha());
  const TRGBColors pixels = withAlpha->ReadPixels();
  EXPECT_EQ(PixelOf(pixels, 0), 0x80400000u);
  EXPECT_EQ(PixelOf(pixels, 1), 0xFF00FF00u);

  // Back into a bitmap: a 32-bit copy with the same pixels.
  TOwned<TBitmap> back = withAlpha->CreateBitmapCopy();
  EXPECT_EQ(back->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(static_cast<uint32_t*>(back->ScanLine(0))[0], 0x80400000u);
}

TEST(GPImage, SameImageComparesSizesAndPixels)
{
  TRGBColors a(4, RGBQUAD{1, 2, 3, 255}), b = a;
  b[3].rgbBlue = 9;
  auto empty1 = MakeOwned<TdxGPImage>();
  auto empty2 = MakeOwned<TdxGPImage>();
  auto imageA = TdxGPImage::CreateFromBits(2, 2, &a, true);
  auto imageA2 = TdxGPImage::CreateFromBits(2, 2, &a, true);
  auto imageB = TdxGPImage::CreateFromBits(2, 2, &b, true);
  auto wide = TdxGPImage::CreateFromBits(4, 1, &a, true);
  EXPECT_TRUE(empty1->SameImageAs(empty2.get()));
  EXPECT_FALSE(empty1->SameImageAs(imageA.get()));
  EXPECT_FALSE(imageA->SameImageAs(empty1.get()));
  EXPECT_TRUE(imageA->SameImageAs(imageA2.get()));
  EXPECT_FALSE(imageA->SameImageAs(imageB.get()));
  EXPECT_FALSE(imageA->SameImageAs(wide.get()));

  TOwned<TdxGPImage> clone = Load<TdxPNGImage>(SamplePng())->CloneImage();
  EXPECT_EQ(clone->ClassType(), TdxPNGImage::StaticClass());
  EXPECT_TRUE(clone->SameImageAs(Load(SamplePng()).get()));
  clone->ClearImage();
  EXPECT_TRUE(clone->Empty());
}

TEST(GPImage, OpacityBlendsThroughAColourMatrixAndFullOpacityDrawsDirectly)
{
  TRGBColors red(4, RGBQUAD{0, 0, 255, 255});
  auto image = TdxGPImage::CreateFromBits(2, 2, &red, true);
  for (int opacity : {255, 128, 0}) {
    SCOPED_TRACE(opacity);
    fixtures::TSurface surface(4, 4, 0x00FFFFFF);
    image->DrawOnDC(surface.DC(), RECT{1, 1, 3, 3}, static_cast<BYTE>(opacity));
    const uint32_t other = static_cast<uint32_t>(255 - opacity);
    EXPECT_TRUE(PixelNear(surface.Rgb(1, 1), 0xFF0000u | other << 8 | other, 2));
    EXPECT_TRUE(PixelNear(surface.Rgb(2, 2), 0xFF0000u | other << 8 | other, 2));
    EXPECT_EQ(surface.Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(surface.Rgb(3, 3), 0xFFFFFFu);
  }
}

TEST(GPImage, MergingDrawsTheOtherImageStretchedOverThisOne)
{
  TRGBColors red(16, RGBQUAD{0, 0, 255, 255}), blue(4, RGBQUAD{255, 0, 0, 255});
  auto base = TdxGPImage::CreateFromBits(4, 4, &red, true);
  auto top = TdxGPImage::CreateFromBits(2, 2, &blue, true);
  auto covered = base->MergeWith(top.get(), 255);
  ASSERT_EQ(covered->Width(), 4);
  for (size_t i = 0; i < 16; ++i) EXPECT_TRUE(PixelNear(PixelOf(covered->ReadPixels(), i), 0xFF0000FF, 1));
  auto half = base->MergeWith(top.get(), 128);
  EXPECT_TRUE(PixelNear(PixelOf(half->ReadPixels(), 5), 0xFF7F0080, 2));
}

TEST(GPDrawing, ATileRepeatsFromTheTopLeftAndTheLastOnesAreCut)
{
  // A 10 x 10 tile: blue at its top-left pixel, green elsewhere; drawn over 25 x 25 at opacity 200.
  TRGBColors tile(100, RGBQUAD{0, 255, 0, 255});
  tile[0] = RGBQUAD{255, 0, 0, 255};
  auto image = TdxGPImage::CreateFromBits(10, 10, &tile, true);
  fixtures::TSurface surface(30, 30, 0x00FFFFFF);
  auto canvas = MakeOwned<TdxGPCanvas>();
  canvas->CreateGraphicsForDC(surface.DC());
  DrawGdipImageTiled(canvas->Handle(), RECT{0, 0, 25, 25}, RECT{0, 0, 10, 10}, 200, image.get());
  canvas->FreeGraphics();
  const uint32_t faint = 55;  // what white keeps at opacity 200
  const uint32_t blue = faint << 16 | faint << 8 | 0xFF, green = faint << 16 | 0xFF00 | faint;
  int tiles = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const uint32_t p = surface.Rgb(x, y);
      if (x >= 25 || y >= 25) {
        EXPECT_EQ(p, 0xFFFFFFu) << x << "," << y;
      } else if (x % 10 == 0 && y % 10 == 0) {
        EXPECT_TRUE(PixelNear(p, blue, 2)) << x << "," << y;
        ++tiles;
      } else {
        EXPECT_TRUE(PixelNear(p, green, 2)) << x << "," << y;
      }
    }
  EXPECT_EQ(tiles, 9);

  // At full opacity the texture fills the same pattern.
  fixtures::TSurface opaque(30, 30, 0x00FFFFFF);
  canvas->CreateGraphicsForDC(opaque.DC());
  DrawGdipImageTiled(canvas->Handle(), RECT{0, 0, 25, 25}, RECT{0, 0, 10, 10}, 255, image.get());
  canvas->FreeGraphics();
  EXPECT_EQ(opaque.Rgb(20, 20), 0x0000FFu);
  EXPECT_EQ(opaque.Rgb(24, 21), 0x00FF00u);
  EXPECT_EQ(opaque.Rgb(25, 20), 0xFFFFFFu);
}

TEST(GPDrawing, SolidAndGradientFills)
{
  fixtures::TSurface surface(20, 4, 0x00FFFFFF);
  auto canvas = MakeOwned<TdxGPCanvas>();
  canvas->CreateGraphicsForDC(surface.DC());
  FillGdipRectSolid(canvas->Handle(), RECT{0, 0, 20, 2}, ColorToGdipARGB(clRed));
  FillGdipRectGradient(canvas->Handle(), RECT{0, 2, 20, 4}, 0xFF000000, 0xFFFFFFFF, 0);
  canvas->FreeGraphics();
  EXPECT_EQ(surface.Rgb(0, 0), 0xFF0000u);
  EXPECT_EQ(surface.Rgb(19, 1), 0xFF0000u);
  EXPECT_LT(surface.Rgb(0, 3) & 0xFF, 40u);
  EXPECT_GT(surface.Rgb(19, 3) & 0xFF, 215u);
  for (int x = 1; x < 20; ++x) EXPECT_GE(surface.Rgb(x, 3) & 0xFF, surface.Rgb(x - 1, 3) & 0xFF);
}

TEST(GPPaintCanvas, NestedBeginsRestoreTheOuterStateAtEachEnd)
{
  TdxGPPaintCanvas* canvas = GetSharedGdipPaintCanvas();
  ASSERT_NE(canvas, nullptr);
  fixtures::TSurface outer(8, 8), inner(8, 8);
  canvas->BeginPaint(outer.DC(), RECT{0, 0, 8, 8});
  GpGraphics* outerGraphics = canvas->Handle();
  ASSERT_NE(outerGraphics, nullptr);
  canvas->BeginPaint(inner.DC(), RECT{0, 0, 8, 8});
  EXPECT_NE(canvas->Handle(), outerGraphics);
  EXPECT_EQ(canvas->DrawDC(), inner.DC());
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), outerGraphics);
  EXPECT_EQ(canvas->DrawDC(), outer.DC());
  canvas->EndPaint();
  EXPECT_EQ(canvas->Handle(), nullptr);
  EXPECT_EQ(canvas->SavedStateCount(), 0);

  // A graphics given by the caller stays the caller's.
  auto owner = MakeOwned<TdxGPCanvas>();
  owner->CreateGraphicsForDC(outer.DC());
  TdxGPPaintCanvas* onGraphics = NewGdipPaintCanvasForGraphics(owner->Handle());
  EXPECT_EQ(onGraphics->Handle(), owner->Handle());
  EndGdipPaintAndFree(onGraphics);
  EXPECT_EQ(onGraphics, nullptr);
  FillGdipRectSolid(owner->Handle(), RECT{0, 0, 1, 1}, 0xFF0000FF);
  owner->FreeGraphics();
  EXPECT_EQ(outer.Rgb(0, 0), 0x0000FFu);
}

TEST(GPPaintCanvas, ADeviceWithFewColoursIsPaintedThroughABuffer)
{
  // A 16-bit device: the paint canvas draws into a 32-bit copy and puts it back at the end.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = -8;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  void* bits = nullptr;
  TBitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TDCHandle dc(CreateCompatibleDC(nullptr));
  TSelectObject select(dc.Get(), dib.Get());
  PatBlt(dc.Get(), 0, 0, 8, 8, WHITENESS);

  TRGBColors red(4, RGBQUAD{0, 0, 255, 255});
  auto image = TdxGPImage::CreateFromBits(2, 2, &red, true);
  TdxGPPaintCanvas* canvas = NewGdipPaintCanvasForDC(dc.Get(), RECT{3, 4, 7, 8});
  EXPECT_TRUE(canvas->Buffered());
  canvas->DrawImage(image.get(), RECT{4, 5, 6, 7});
  EndGdipPaintAndFree(canvas);
  EXPECT_EQ(GetPixel(dc.Get(), 4, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 5, 6), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 3, 4), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 6, 7), RGB(255, 255, 255));
}

TEST(GPRegistration, PicturesAreRegisteredWithThePictureRegistryAndForStoredForms)
{
  EXPECT_EQ(FileFormatClass("png"), TdxPNGImage::StaticClass());
  EXPECT_EQ(FileFormatClass(".GIF"), TdxSmartImage::StaticClass());
  EXPECT_EQ(FileFormatClass("tif"), TdxSmartImage::StaticClass());
  EXPECT_EQ(GetClass("TdxPNGImage"), TdxPNGImage::StaticClass());
  EXPECT_EQ(GetClass("TdxSmartImage"), TdxSmartImage::StaticClass());

  // A PNG file through the picture, and the picture through its stored form.
  const std::string file = TempFile("gdiplus-sample.png");
  WriteFileBytes(file, SamplePng());
  auto picture = MakeOwned<TPicture>();
  picture->LoadFromFile(file);
  DeleteFileA(file.c_str());
  ASSERT_NE(picture->Graphic(), nullptr);
  EXPECT_EQ(picture->Graphic()->ClassType(), TdxPNGImage::StaticClass());
  auto stored = MakeOwned<TMemoryStream>();
  picture->WriteData(*stored);
  stored->SetPosition(0);
  auto read = MakeOwned<TPicture>();
  read->ReadData(*stored);
  ASSERT_NE(read->Graphic(), nullptr);
  EXPECT_EQ(read->Graphic()->ClassType(), TdxPNGImage::StaticClass());
  EXPECT_TRUE(static_cast<TdxGPImage*>(read->Graphic())->SameImageAs(static_cast<TdxGPImage*>(picture->Graphic())));
}

TEST(GPFormats, RawFormatsAndEncoders)
{
  auto raw = [](unsigned char id) {
    return GUID{0xB96B3C00u | id, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  };
  using F = TdxImageDataFormat;
  const std::pair<unsigned char, F> cases[] = {{0xAA, F::dxImageBitmap}, {0xAB, F::dxImageBitmap}, {0xAC, F::dxImageBitmap},
                                               {0xAD, F::dxImageBitmap}, {0xB5, F::dxImageBitmap}, {0xAE, F::dxImageJpeg},
                                               {0xAF, F::dxImagePng},    {0xB1, F::dxImageTiff},   {0xB0, F::dxImageGif},
                                               {0xB2, F::dxImageUnknown}};
  for (const auto& [id, format] : cases) EXPECT_EQ(ImageFormatFromRawFormat(raw(id)), format) << int(id);

  EXPECT_TRUE(IsEqualCLSID(dxGetImageEncoder(F::dxImagePng), dxPNGEncoderClsid));
  EXPECT_TRUE(IsEqualCLSID(dxGetImageEncoder(F::dxImageJpeg), dxJPEGEncoderClsid));
  try {
    dxGetImageEncoder(F::dxImageUnknown);
    FAIL() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "dxGetImageEncoder fails");
  }
}
