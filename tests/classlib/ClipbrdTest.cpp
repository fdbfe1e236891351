// The clipboard object on the real clipboard: bitmaps copied and pasted back pixel for pixel, data
// checked before it is read, pictures kept when nothing fits.
#include "classlib/Clipbrd.h"

#include <gtest/gtest.h>
#include <cstring>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Picture.h"
#include "classlib/Strings.h"

namespace {
// A bitmap of the format with four coloured quarters.
TOwned<TBitmap> QuarterBitmap(TPixelFormat format, int w = 9, int h = 7)
{
  TOwned<TBitmap> b = MakeOwned<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  const TColor colors[] = {clRed, clLime, clBlue, clYellow};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->Canvas()->SetPixels(x, y, colors[(x * 2 / w) + 2 * (y * 2 / h)]);
  return b;
}

void ExpectSamePixels(TBitmap* a, TBitmap* b)
{
  ASSERT_EQ(a->Width(), b->Width());
  ASSERT_EQ(a->Height(), b->Height());
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      ASSERT_EQ(a->Canvas()->Pixels(x, y), b->Canvas()->Pixels(x, y)) << "at " << x << ", " << y;
}

// Global memory holding the bytes.
HGLOBAL GlobalOf(const void* bytes, size_t size)
{
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(g), bytes, size);
  GlobalUnlock(g);
  return g;
}

TEST(Clipboard, OneObjectOpenedInNestedPairs)
{
  TClipboard* clip = Clipboard();
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(Clipboard(), clip);
  clip->Open();
  clip->Open();
  EXPECT_TRUE(clip->IsOpen());
  clip->Close();
  EXPECT_TRUE(clip->IsOpen());
  clip->Close();
  EXPECT_FALSE(clip->IsOpen());
  clip->Close();  // one too many does nothing
  EXPECT_FALSE(clip->IsOpen());
}

TEST(Clipboard, BitmapsGoRoundTheClipboardUnchanged)
{
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf8bit}) {
    SCOPED_TRACE(static_cast<int>(format));
    TOwned<TBitmap> source = QuarterBitmap(format);
    Clipboard()->Assign(source.get());
    EXPECT_TRUE(Clipboard()->HasFormat(CF_DIB));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));  // emptied before the picture went on
    TOwned<TBitmap> pasted = MakeOwned<TBitmap>();
    pasted->Assign(Clipboard());
    ExpectSamePixels(source.get(), pasted.get());
  }
  // A picture without a graphic is given a bitmap.
  TOwned<TBitmap> source = QuarterBitmap(TPixelFormat::pf24bit, 16, 4);
  auto picture = MakeOwned<TPicture>();
  picture->SetGraphic(source.get());
  Clipboard()->Assign(picture.get());
  auto pasted = MakeOwned<TPicture>();
  pasted->Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TBitmap*>(pasted->Graphic()), nullptr);
  ExpectSamePixels(source.get(), pasted->Bitmap());
}

TEST(Clipboard, BitmapsReadDeviceBitmapsAndRefuseBrokenData)
{
  // CF_BITMAP: a copy of the handle's pixels, the handle left alone.
  TOwned<TBitmap> source = QuarterBitmap(TPixelFormat::pf24bit);
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, source->Width(), source->Height());
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, ddb);
  BitBlt(dc, 0, 0, source->Width(), source->Height(), source->Canvas()->Handle(), 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  TOwned<TBitmap> pasted = MakeOwned<TBitmap>();
  pasted->LoadFromClipboardFormat(CF_BITMAP, ddb, nullptr);
  ExpectSamePixels(source.get(), pasted.get());
  EXPECT_EQ(GetObjectType(ddb), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(ddb);

  // Packed bitmaps whose sizes do not add up are refused, and the bitmap keeps its image.
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 100, 100, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  HGLOBAL truncated = GlobalOf(&header, sizeof(header) + 0);
  EXPECT_THROW(pasted->LoadFromClipboardFormat(CF_DIB, truncated, nullptr), EInvalidGraphic);
  GlobalFree(truncated);
  BITMAPINFOHEADER wrong = header;
  wrong.biBitCount = 7;
  HGLOBAL odd = GlobalOf(&wrong, sizeof(wrong));
  EXPECT_THROW(pasted->LoadFromClipboardFormat(CF_DIB, odd, nullptr), EInvalidGraphic);
  GlobalFree(odd);
  EXPECT_THROW(pasted->LoadFromClipboardFormat(CF_TEXT, nullptr, nullptr), EInvalidGraphic);
  ExpectSamePixels(source.get(), pasted.get());

  TOwned<TBitmap> empty = MakeOwned<TBitmap>();
  EXPECT_THROW(Clipboard()->Assign(empty.get()), EInvalidGraphic);
}

TEST(Clipboard, NothingFittingLeavesTheDestinationAsItWas)
{
  static const char text[] = "no picture";
  Clipboard()->SetAsHandle(CF_TEXT, GlobalOf(text, sizeof(text)));
  ASSERT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  TOwned<TBitmap> source = QuarterBitmap(TPixelFormat::pf24bit);
  auto picture = MakeOwned<TPicture>();
  picture->SetGraphic(source.get());
  EXPECT_THROW(picture->Assign(Clipboard()), EInvalidGraphic);
  ASSERT_NE(picture->Graphic(), nullptr);
  ExpectSamePixels(source.get(), picture->Bitmap());
  EXPECT_FALSE(Clipboard()->IsOpen());

  // Only graphics and pictures go to and from the clipboard.
  auto list = MakeOwned<TStringList>();
  EXPECT_THROW(Clipboard()->Assign(list.get()), EConvertError);
  EXPECT_THROW(list->Assign(Clipboard()), EConvertError);
  // No data is refused rather than left as a promise nobody keeps.
  EXPECT_THROW(Clipboard()->SetAsHandle(CF_DIB, nullptr), EClipboardException);
  EXPECT_FALSE(Clipboard()->IsOpen());
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}
}  // namespace

TEST(Clipboard, TextGoesRoundInTheAnsiCodePage)
{
  TClipboard* c = Clipboard();
  c->SetAsText("abc 中文");
  EXPECT_TRUE(c->HasText());
  EXPECT_EQ(c->AsText(), "abc 中文");
  // Unicode text on the clipboard is read through the system's conversion.
  const wchar_t wide[] = L"xy\x4E2D";
  c->SetAsHandle(CF_UNICODETEXT, GlobalOf(wide, sizeof wide));
  EXPECT_EQ(c->AsText(), "xy中");
  c->Open();
  c->Clear();
  c->Close();
  EXPECT_FALSE(c->HasText());
  EXPECT_EQ(c->AsText(), "");
}
