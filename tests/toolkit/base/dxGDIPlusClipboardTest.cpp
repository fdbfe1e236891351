// GDI+ images copied to the real clipboard and pasted back, and clipboard bitmaps of other programs
// pasted into them.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include "classlib/Clipbrd.h"
#include "classlib/Picture.h"
#include "toolkit/base/dxGDIPlusClasses.h"

namespace {
RGBQUAD Px(BYTE r, BYTE g, BYTE b, BYTE a = 255) { return RGBQUAD{b, g, r, a}; }

bool Near(const RGBQUAD& a, const RGBQUAD& b)
{
  return std::abs(a.rgbRed - b.rgbRed) <= 1 && std::abs(a.rgbGreen - b.rgbGreen) <= 1 &&
         std::abs(a.rgbBlue - b.rgbBlue) <= 1 && a.rgbReserved == b.rgbReserved;
}

// A packed 32-bit device-independent bitmap (top-down rows) in global memory.
HGLOBAL PackedDib32(int w, int h, const TRGBColors& pixels)
{
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const size_t bytes = pixels.size() * sizeof(RGBQUAD);
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + bytes);
  auto* p = static_cast<uint8_t*>(GlobalLock(g));
  std::memcpy(p, &header, sizeof(header));
  std::memcpy(p + sizeof(header), pixels.data(), bytes);
  GlobalUnlock(g);
  return g;
}

TEST(GdipImageClipboard, CopiedImagesPasteBackOnWhite)
{
  // Opaque pixels come back as they were; a half-transparent red pixel comes back drawn on white.
  const TRGBColors pixels = {Px(255, 0, 0),      Px(0, 255, 0),   Px(0, 0, 255), Px(10, 20, 30),
                             Px(128, 0, 0, 128), Px(255, 255, 0), Px(0, 0, 0),   Px(90, 90, 90)};
  auto image = TdxGPImage::CreateFromBits(4, 2, &pixels, true);
  Clipboard()->Assign(image.get());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_DIB));

  auto pasted = MakeOwned<TdxGPImage>();
  pasted->Assign(Clipboard());
  ASSERT_EQ(pasted->Width(), 4);
  ASSERT_EQ(pasted->Height(), 2);
  const TRGBColors back = pasted->ReadPixels();
  for (size_t i = 0; i < pixels.size(); ++i) {
    const RGBQUAD want = i == 4 ? Px(255, 127, 127) : pixels[i];
    EXPECT_TRUE(Near(back[i], want)) << "pixel " << i << ": " << int(back[i].rgbRed) << " "
                                     << int(back[i].rgbGreen) << " " << int(back[i].rgbBlue) << " "
                                     << int(back[i].rgbReserved);
  }
  EXPECT_FALSE(pasted->UsesAlpha());

  // A picture holding an image keeps its class when pasted into.
  auto picture = MakeOwned<TPicture>();
  auto holder = MakeOwned<TdxGPImage>();
  picture->SetGraphic(holder.get());
  picture->Assign(Clipboard());
  auto* inPicture = dynamic_cast<TdxGPImage*>(picture->Graphic());
  ASSERT_NE(inPicture, nullptr);
  EXPECT_TRUE(inPicture->SameImageAs(pasted.get()));

  auto empty = MakeOwned<TdxGPImage>();
  EXPECT_THROW(Clipboard()->Assign(empty.get()), EInvalidGraphic);
}

TEST(GdipImageClipboard, ThirtyTwoBitBitmapsKeepRealAlphaOnly)
{
  // Most programs leave the fourth byte at 0: read as alpha, the picture would be invisible.
  const TRGBColors unset = {Px(200, 10, 10, 0), Px(10, 200, 10, 0), Px(10, 10, 200, 0), Px(50, 60, 70, 0)};
  Clipboard()->SetAsHandle(CF_DIB, PackedDib32(2, 2, unset));
  auto pasted = MakeOwned<TdxGPImage>();
  pasted->Assign(Clipboard());
  TRGBColors back = pasted->ReadPixels();
  ASSERT_EQ(back.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    RGBQUAD want = unset[i];
    want.rgbReserved = 255;
    EXPECT_TRUE(Near(back[i], want)) << "pixel " << i;
  }
  EXPECT_FALSE(pasted->UsesAlpha());

  // Data with alpha keeps it.
  const TRGBColors alpha = {Px(100, 0, 0, 100), Px(0, 0, 0, 0), Px(0, 200, 0, 255), Px(0, 0, 50, 50)};
  Clipboard()->SetAsHandle(CF_DIB, PackedDib32(2, 2, alpha));
  pasted->Assign(Clipboard());
  back = pasted->ReadPixels();
  ASSERT_EQ(back.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(Near(back[i], alpha[i])) << "pixel " << i;
  EXPECT_TRUE(pasted->UsesAlpha());
}
}  // namespace
