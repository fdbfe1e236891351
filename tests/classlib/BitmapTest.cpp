// TBitmap: pixel formats and scan lines, the bitmap file format in both directions (and the refusal
// of corrupt files), transparency, drawing, handles and dormant images.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <thread>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "tests/classlib/GraphicsFixtures.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

void Put16(std::string& s, size_t at, uint16_t v) { std::memcpy(&s[at], &v, 2); }
void Put32(std::string& s, size_t at, uint32_t v) { std::memcpy(&s[at], &v, 4); }

// A bitmap file: file header, BITMAPINFOHEADER, optional masks and colour table, then data.
struct TBmpLayout {
  int32_t Width = 4;
  int32_t Height = 2;
  uint16_t BitCount = 24;
  uint32_t Compression = BI_RGB;
  uint32_t ClrUsed = 0;
  std::vector<uint32_t> Masks;    // written after the header
  std::vector<uint32_t> Colors;   // 0x00RRGGBB
  std::string Data;               // pixel data as it is stored
  uint32_t SizeImage = 0;
};

std::string MakeBmp(const TBmpLayout& layout)
{
  std::string s(14 + 40, '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<uint32_t>(layout.Width));
  Put32(s, 22, static_cast<uint32_t>(layout.Height));
  Put16(s, 26, 1);
  Put16(s, 28, layout.BitCount);
  Put32(s, 30, layout.Compression);
  Put32(s, 34, layout.SizeImage ? layout.SizeImage : static_cast<uint32_t>(layout.Data.size()));
  Put32(s, 46, layout.ClrUsed);
  for (uint32_t m : layout.Masks) s.append(reinterpret_cast<const char*>(&m), 4);
  for (uint32_t c : layout.Colors) s.append(reinterpret_cast<const char*>(&c), 4);
  Put32(s, 10, static_cast<uint32_t>(s.size()));
  s += layout.Data;
  Put32(s, 2, static_cast<uint32_t>(s.size()));
  return s;
}

// 4 x 2, 24 bits: bottom row red, top row blue (rows are stored bottom first).
std::string RedBlueBmp()
{
  TBmpLayout layout;
  std::string bottom, top;
  for (int i = 0; i < 4; ++i) {
    bottom += std::string("\x00\x00\xFF", 3);
    top += std::string("\xFF\x00\x00", 3);
  }
  layout.Data = bottom + top;
  return MakeBmp(layout);
}

void Load(TBitmap& bitmap, const std::string& bytes)
{
  auto stream = MakeOwned<TStringStream>(bytes);
  bitmap.LoadFromStream(*stream);
}

std::string Save(TBitmap& bitmap)
{
  auto stream = MakeOwned<TStringStream>();
  bitmap.SaveToStream(*stream);
  return stream->DataString();
}

COLORREF PixelOf(TBitmap& bitmap, int x, int y) { return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y)); }

struct TFormat {
  TPixelFormat Format;
  int Bits;
};
constexpr TFormat Formats[] = {{TPixelFormat::pf1bit, 1},   {TPixelFormat::pf4bit, 4},   {TPixelFormat::pf8bit, 8},
                               {TPixelFormat::pf15bit, 16}, {TPixelFormat::pf16bit, 16}, {TPixelFormat::pf24bit, 24},
                               {TPixelFormat::pf32bit, 32}};
}  // namespace

TEST(Bitmap, NewPixelsAreWhiteInEveryFormat)
{
  for (const TFormat& f : Formats) {
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(f.Format);
    bitmap->SetSize(5, 3);
    EXPECT_EQ(bitmap->PixelFormat(), f.Format);
    EXPECT_EQ(bitmap->HandleType(), TBitmapHandleType::bmDIB);
    EXPECT_EQ(PixelOf(*bitmap, 0, 0), White) << f.Bits;
    EXPECT_EQ(PixelOf(*bitmap, 4, 2), White) << f.Bits;
  }
  auto device = MakeOwned<TBitmap>();
  EXPECT_EQ(device->PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_TRUE(device->Empty());
  device->SetSize(5, 3);
  EXPECT_EQ(device->HandleType(), TBitmapHandleType::bmDDB);
  EXPECT_EQ(PixelOf(*device, 4, 2), White);
}

TEST(Bitmap, ScanLineRowZeroIsTheTopRowAndSurvivesAFileRoundTrip)
{
  for (const TFormat& f : Formats) {
    SCOPED_TRACE(f.Bits);
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(f.Format);
    bitmap->SetSize(7, 5);  // an odd width: rows are padded
    const int stride = bitmap->ScanLineSize();
    EXPECT_EQ(stride, ((7 * f.Bits + 31) / 32) * 4);
    // Black drawn at the top left shows in row 0; black is all bits 0 in every format.
    bitmap->Canvas()->SetPixels(0, 0, clBlack);
    auto* top = static_cast<uint8_t*>(bitmap->ScanLine(0));
    auto* bottom = static_cast<uint8_t*>(bitmap->ScanLine(4));
    EXPECT_EQ(top[0] >> (8 - std::min(f.Bits, 8)), 0);
    EXPECT_NE(bottom[0], 0);

    // Bytes written through ScanLine are the image: saved and loaded back unchanged.
    for (int row = 0; row < 5; ++row) {
      auto* p = static_cast<uint8_t*>(bitmap->ScanLine(row));
      for (int i = 0; i < stride; ++i) p[i] = static_cast<uint8_t>(row * 37 + i * 11);
    }
    auto copy = MakeOwned<TBitmap>();
    Load(*copy, Save(*bitmap));
    EXPECT_EQ(copy->PixelFormat(), f.Format);
    EXPECT_EQ(copy->Width(), 7);
    EXPECT_EQ(copy->Height(), 5);
    for (int row = 0; row < 5; ++row)
      EXPECT_EQ(std::memcmp(copy->ScanLine(row), bitmap->ScanLine(row), stride), 0) << "row " << row;
  }
}

TEST(Bitmap, ScanLineOutsideTheImageRaises)
{
  auto bitmap = MakeOwned<TBitmap>();
  EXPECT_THROW(bitmap->ScanLine(0), EInvalidGraphicOperation);
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(2, 2);
  EXPECT_THROW(bitmap->ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphicOperation);
  try {
    bitmap->ScanLine(9);
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Scan line index out of range");
  }
}

TEST(Bitmap, ADeviceBitmapBecomesADibForScanLine)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(3, 3);
  bitmap->Canvas()->SetPixels(2, 0, clRed);
  ASSERT_EQ(bitmap->HandleType(), TBitmapHandleType::bmDDB);
  ASSERT_NE(bitmap->ScanLine(0), nullptr);
  EXPECT_EQ(bitmap->HandleType(), TBitmapHandleType::bmDIB);
  EXPECT_NE(bitmap->PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(PixelOf(*bitmap, 2, 0), Red) << "the pixels come along";
}

TEST(Bitmap, ResizingKeepsThePixelsInsideBothSizes)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(RECT{0, 0, 4, 4});
  bitmap->SetSize(6, 2);
  EXPECT_EQ(PixelOf(*bitmap, 3, 1), Red);
  EXPECT_EQ(PixelOf(*bitmap, 5, 1), White);
  bitmap->SetWidth(0);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_FALSE(bitmap->HandleAllocated());
  bitmap->SetSize(-3, 2);
  EXPECT_EQ(bitmap->Width(), 0);
}

TEST(Bitmap, ConvertingTheFormatKeepsColoursTheFormatCanShow)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(3, 1);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  bitmap->Canvas()->SetPixels(1, 0, clBlack);
  const TPixelFormat chain[] = {TPixelFormat::pf32bit, TPixelFormat::pf16bit, TPixelFormat::pf8bit,
                                TPixelFormat::pf4bit, TPixelFormat::pf15bit, TPixelFormat::pfDevice};
  for (TPixelFormat f : chain) {
    bitmap->SetPixelFormat(f);
    EXPECT_EQ(bitmap->PixelFormat(), f);
    EXPECT_EQ(PixelOf(*bitmap, 0, 0), Red) << static_cast<int>(f);
    EXPECT_EQ(PixelOf(*bitmap, 1, 0), 0u);
    EXPECT_EQ(PixelOf(*bitmap, 2, 0), White);
  }
  bitmap->SetMonochrome(true);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(PixelOf(*bitmap, 1, 0), 0u);
  EXPECT_EQ(PixelOf(*bitmap, 2, 0), White);
  EXPECT_THROW(bitmap->SetPixelFormat(TPixelFormat::pfCustom), EInvalidGraphicOperation);
}

TEST(BitmapFile, WritesAFileHeaderInfoHeaderAndRows)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf8bit);
  bitmap->SetSize(3, 2);
  std::string file = Save(*bitmap);
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  uint32_t size, offBits, headerSize, clrUsed;
  int32_t width, height;
  std::memcpy(&size, &file[2], 4);
  std::memcpy(&offBits, &file[10], 4);
  std::memcpy(&headerSize, &file[14], 4);
  std::memcpy(&width, &file[18], 4);
  std::memcpy(&height, &file[22], 4);
  std::memcpy(&clrUsed, &file[46], 4);
  EXPECT_EQ(size, file.size());
  EXPECT_EQ(headerSize, 40u);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2) << "bottom-up";
  EXPECT_EQ(clrUsed, 256u);
  EXPECT_EQ(offBits, 14u + 40 + 256 * 4);
  EXPECT_EQ(file.size(), offBits + 2 * 4u);

  auto empty = MakeOwned<TBitmap>();
  EXPECT_EQ(Save(*empty), "") << "an empty bitmap saves nothing";
  auto loaded = MakeOwned<TBitmap>();
  loaded->SetSize(2, 2);
  Load(*loaded, "");
  EXPECT_TRUE(loaded->Empty());
}

TEST(BitmapFile, ReadsTheLayoutsThatFilesUse)
{
  {  // bottom-up 24 bits
    auto b = MakeOwned<TBitmap>();
    Load(*b, RedBlueBmp());
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(PixelOf(*b, 0, 0), Blue);
    EXPECT_EQ(PixelOf(*b, 3, 1), Red);
  }
  {  // top-down: negative height
    std::string file = RedBlueBmp();
    Put32(file, 22, static_cast<uint32_t>(-2));
    auto b = MakeOwned<TBitmap>();
    Load(*b, file);
    EXPECT_EQ(b->Height(), 2);
    EXPECT_EQ(PixelOf(*b, 0, 0), Red);
    EXPECT_EQ(PixelOf(*b, 0, 1), Blue);
  }
  {  // 8 bits with a short colour table
    TBmpLayout layout;
    layout.BitCount = 8;
    layout.ClrUsed = 2;
    layout.Colors = {0x00FF0000, 0x000000FF};
    layout.Data = std::string("\x00\x01\x00\x01", 4) + std::string("\x01\x01\x01\x01", 4);
    auto b = MakeOwned<TBitmap>();
    Load(*b, MakeBmp(layout));
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(PixelOf(*b, 0, 1), Red);
    EXPECT_EQ(PixelOf(*b, 1, 1), Blue);
    EXPECT_EQ(PixelOf(*b, 0, 0), Blue);
  }
  {  // RLE8: a run, an end of line, literal pixels, end of bitmap
    TBmpLayout layout;
    layout.BitCount = 8;
    layout.Compression = BI_RLE8;
    layout.ClrUsed = 2;
    layout.Colors = {0x00FF0000, 0x000000FF};
    layout.Data = std::string("\x04\x01\x00\x00\x00\x04\x00\x01\x00\x01\x00\x01", 12);
    auto b = MakeOwned<TBitmap>();
    Load(*b, MakeBmp(layout));
    EXPECT_EQ(PixelOf(*b, 2, 1), Blue) << "bottom row: a run of colour 1";
    EXPECT_EQ(PixelOf(*b, 0, 0), Red);
    EXPECT_EQ(PixelOf(*b, 1, 0), Blue);
  }
  {  // 16 bits, 5-6-5 masks
    TBmpLayout layout;
    layout.BitCount = 16;
    layout.Compression = BI_BITFIELDS;
    layout.Masks = {0xF800, 0x07E0, 0x001F};
    layout.Width = 2;
    layout.Data = std::string("\x00\xF8\x1F\x00", 4) + std::string("\x1F\x00\x00\xF8", 4);
    auto b = MakeOwned<TBitmap>();
    Load(*b, MakeBmp(layout));
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf16bit);
    EXPECT_EQ(PixelOf(*b, 0, 1), Red);
    EXPECT_EQ(PixelOf(*b, 1, 1), Blue);
    EXPECT_EQ(PixelOf(*b, 0, 0), Blue);
  }
  {  // 32 bits with unusual masks: a custom format, written back with its masks
    TBmpLayout layout;
    layout.BitCount = 32;
    layout.Compression = BI_BITFIELDS;
    layout.Masks = {0x000003FF, 0x000FFC00, 0x3FF00000};  // 10 bits each, red lowest
    layout.Width = 1;
    layout.Height = 1;
    layout.Data = std::string("\xFF\x03\x00\x00", 4);
    auto b = MakeOwned<TBitmap>();
    Load(*b, MakeBmp(layout));
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(PixelOf(*b, 0, 0), Red);
    auto again = MakeOwned<TBitmap>();
    Load(*again, Save(*b));
    EXPECT_EQ(again->PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(PixelOf(*again, 0, 0), Red);
    b->SetSize(2, 2);  // resizing keeps the custom layout
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pfCustom);
    EXPECT_EQ(PixelOf(*b, 0, 0), Red);
    b->SetSize(0, 0);
    b->SetSize(2, 2);  // with no image left to copy the layout from: 32 bits
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(PixelOf(*b, 1, 1), RGB(255, 255, 255));
  }
  {  // an OS/2 core header with a 3-byte colour table
    std::string s(14 + 12, '\0');
    s[0] = 'B';
    s[1] = 'M';
    Put32(s, 14, 12);
    Put16(s, 18, 2);
    Put16(s, 20, 1);
    Put16(s, 22, 1);
    Put16(s, 24, 1);
    s += std::string("\x00\x00\xFF\xFF\x00\x00", 6);  // red, blue as blue-green-red triples
    Put32(s, 10, static_cast<uint32_t>(s.size()));
    s += std::string("\x40\x00\x00\x00", 4);  // pixel 0 = colour 0, pixel 1 = colour 1
    auto b = MakeOwned<TBitmap>();
    Load(*b, s);
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(PixelOf(*b, 0, 0), Red);
    EXPECT_EQ(PixelOf(*b, 1, 0), Blue);
  }
}

TEST(BitmapFile, CorruptOrTruncatedFilesAreRefusedAndTheImageIsKept)
{
  const std::string good = RedBlueBmp();
  struct Case {
    const char* What;
    std::string Bytes;
  };
  auto patched16 = [&](size_t at, uint16_t v) { std::string s = good; Put16(s, at, v); return s; };
  auto patched32 = [&](size_t at, uint32_t v) { std::string s = good; Put32(s, at, v); return s; };
  TBmpLayout palette;
  palette.BitCount = 8;
  palette.ClrUsed = 300;
  palette.Colors.assign(300, 0);
  palette.Data = std::string(8, '\0');
  TBmpLayout rle;
  rle.BitCount = 8;
  rle.Compression = BI_RLE8;
  rle.Data = "\x00\x01";
  rle.SizeImage = 4096;
  TBmpLayout overlapping;
  overlapping.BitCount = 32;
  overlapping.Compression = BI_BITFIELDS;
  overlapping.Masks = {0xFF00, 0xFF0, 0xFF};
  overlapping.Data = std::string(32, '\0');
  TBmpLayout bitfields24;
  bitfields24.Compression = BI_BITFIELDS;
  bitfields24.Masks = {0xFF0000, 0xFF00, 0xFF};
  bitfields24.Data = good.substr(54);
  TBmpLayout rleTopDown = rle;
  rleTopDown.Height = -2;
  rleTopDown.SizeImage = 2;
  const Case cases[] = {
    {"signature", "XM" + good.substr(2)},
    {"header size", patched32(14, 20)},
    {"zero width", patched32(18, 0)},
    {"negative width", patched32(18, static_cast<uint32_t>(-4))},
    {"zero height", patched32(22, 0)},
    {"most negative height", patched32(22, 0x80000000u)},
    {"huge width", patched32(18, 0x7FFFFFFF)},
    {"large image without its data", patched32(18, 100000)},
    {"planes", patched16(26, 2)},
    {"bit count", patched16(28, 7)},
    {"compression", patched32(30, BI_JPEG)},
    {"bit fields at 24 bits", MakeBmp(bitfields24)},
    {"overlapping masks", MakeBmp(overlapping)},
    {"colour table larger than 256", MakeBmp(palette)},
    {"pixel offset inside the header", patched32(10, 20)},
    {"pixel offset beyond the end", patched32(10, 100000)},
    {"truncated in the file header", good.substr(0, 10)},
    {"truncated in the info header", good.substr(0, 30)},
    {"truncated in the pixels", good.substr(0, good.size() - 1)},
    {"run-length data beyond the end", MakeBmp(rle)},
    {"top-down run-length data", MakeBmp(rleTopDown)},
  };
  for (const Case& c : cases) {
    auto bitmap = MakeOwned<TBitmap>();
    Load(*bitmap, good);
    try {
      Load(*bitmap, c.Bytes);
      ADD_FAILURE() << c.What << ": accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid") << c.What;
    }
    EXPECT_EQ(bitmap->Width(), 4) << c.What << ": the image is kept";
    EXPECT_EQ(PixelOf(*bitmap, 0, 1), Red) << c.What;
  }
}

// A few bytes of header can declare billions of pixels, and a few bytes of run-length escapes
// can stand for all of them: the declared size is held to the picture readers' one cap, and
// run-length data to a bound on how far its bytes expand. Each of these files was read before,
// taking hundreds of megabytes.
TEST(BitmapFile, SizesPastThePixelCapOrTheRunLengthBoundAreRefused)
{
  auto layout = [](int32_t width, int32_t height, uint16_t bits, uint32_t compression, std::string data) {
    TBmpLayout l;
    l.Width = width;
    l.Height = height;
    l.BitCount = bits;
    l.Compression = compression;
    if (bits <= 8) {
      l.ClrUsed = 2;
      l.Colors = {0x00FF0000, 0x000000FF};
    }
    l.Data = std::move(data);
    return MakeBmp(l);
  };
  const std::string endOfBitmap("\x00\x01", 2);
  std::string runs;
  for (int i = 0; i < 512; ++i) runs += std::string("\xFF\x00", 2);  // 1,024 bytes
  struct TCase {
    const char* What;
    std::string Bytes;
    std::string Message;  // empty: read
  };
  const TCase cases[] = {
    {"RLE8 16384 x 16384 in 47 bytes", layout(16384, 16384, 8, BI_RLE8, endOfBitmap),
     "Bitmap image is too large (16384 x 16384 pixels, at most 67108864 pixels are read)"},
    {"RLE4 32768 x 16384", layout(32768, 16384, 4, BI_RLE4, endOfBitmap),
     "Bitmap image is too large (32768 x 16384 pixels, at most 67108864 pixels are read)"},
    {"24 bits, 10000 x 10000, before its data is missed", layout(10000, 10000, 24, BI_RGB, ""),
     "Bitmap image is too large (10000 x 10000 pixels, at most 67108864 pixels are read)"},
    {"RLE8 4096 x 4096 from two bytes", layout(4096, 4096, 8, BI_RLE8, endOfBitmap),
     "Bitmap image is not valid (2 bytes of run-length data for 4096 x 4096 pixels)"},
    {"RLE8 1024 x 1024 from two bytes: a small picture", layout(1024, 1024, 8, BI_RLE8, endOfBitmap), ""},
    {"RLE8 2048 x 2048 from 1,024 bytes: within the bound", layout(2048, 2048, 8, BI_RLE8, runs), ""},
  };
  for (const TCase& c : cases) {
    auto bitmap = MakeOwned<TBitmap>();
    if (c.Message.empty()) {
      EXPECT_NO_THROW(Load(*bitmap, c.Bytes)) << c.What;
      EXPECT_FALSE(bitmap->Empty()) << c.What;
      continue;
    }
    try {
      Load(*bitmap, c.Bytes);
      ADD_FAILURE() << c.What << ": accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), c.Message) << c.What;
    }
  }
}

TEST(BitmapFile, RunLengthDataThatRunsPastTheImageIsCut)
{
  TBmpLayout layout;
  layout.BitCount = 4;
  layout.Compression = BI_RLE4;
  layout.ClrUsed = 2;
  layout.Colors = {0x00FF0000, 0x000000FF};
  // A run of 200 pixels, a delta far outside, literal pixels, no end marker.
  layout.Data = std::string("\xC8\x11\x00\x02\xFF\xFF\x00\x03\x10\x10", 10);
  auto b = MakeOwned<TBitmap>();
  Load(*b, MakeBmp(layout));
  EXPECT_EQ(PixelOf(*b, 3, 1), Blue);
  EXPECT_EQ(PixelOf(*b, 0, 0), Red);
}

TEST(Bitmap, StoredFormDataIsALengthAndABitmapFile)
{
  auto bitmap = MakeOwned<TBitmap>();
  Load(*bitmap, RedBlueBmp());
  auto data = MakeOwned<TMemoryStream>();
  struct TOpen : TBitmap {
    using TBitmap::ReadData;
    using TBitmap::WriteData;
  };
  static_cast<TOpen&>(*bitmap).WriteData(*data);
  int32_t length = 0;
  std::memcpy(&length, data->Memory(), 4);
  EXPECT_EQ(length, data->Size() - 4);
  EXPECT_EQ(std::string(static_cast<char*>(data->Memory()) + 4, 2), "BM");

  data->WriteBuffer("tail", 4);
  data->SetPosition(0);
  auto copy = MakeOwned<TBitmap>();
  static_cast<TOpen&>(*copy).ReadData(*data);
  EXPECT_EQ(data->Position(), 4 + length) << "reads exactly its data";
  EXPECT_EQ(PixelOf(*copy, 3, 1), Red);

  auto bad = MakeOwned<TMemoryStream>();
  int32_t tooLong = 1000;
  bad->WriteBuffer(&tooLong, 4);
  bad->WriteBuffer(RedBlueBmp().data(), 20);
  bad->SetPosition(0);
  EXPECT_THROW(static_cast<TOpen&>(*copy).ReadData(*bad), EInvalidGraphic);

  auto empty = MakeOwned<TBitmap>();
  auto none = MakeOwned<TMemoryStream>();
  static_cast<TOpen&>(*empty).WriteData(*none);
  EXPECT_EQ(none->Size(), 4);
  none->SetPosition(0);
  static_cast<TOpen&>(*copy).ReadData(*none);
  EXPECT_TRUE(copy->Empty());
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelUntilOneIsSet)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap->TransparentColor(), clDefault);
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->SetPixels(0, 3, clRed);
  EXPECT_EQ(bitmap->TransparentMode(), TTransparentMode::tmAuto);
  EXPECT_EQ(bitmap->TransparentColor(), clRed);
  bitmap->SetTransparentColor(clBlue);
  EXPECT_EQ(bitmap->TransparentMode(), TTransparentMode::tmFixed);
  EXPECT_EQ(bitmap->TransparentColor(), clBlue);
  bitmap->SetTransparentMode(TTransparentMode::tmAuto);
  EXPECT_EQ(bitmap->TransparentColor(), clRed);
  bitmap->SetTransparentMode(TTransparentMode::tmFixed);
  EXPECT_EQ(bitmap->TransparentColor(), clRed) << "fixed at the colour it had";
  bitmap->SetTransparentColor(clDefault);
  EXPECT_EQ(bitmap->TransparentMode(), TTransparentMode::tmAuto);
}

TEST(Bitmap, MaskIsWhiteWhereTheImageHasTheTransparentColour)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(RECT{1, 1, 3, 3});
  bitmap->SetTransparentColor(clWhite);
  HBITMAP mask = bitmap->MaskHandle();
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectA(mask, sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  TDibSurface surface(4, 4, RGB(0, 255, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  BitBlt(surface.DC(), 0, 0, 4, 4, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(surface.Pixel(0, 0), White);
  EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(surface.Count(RECT{0, 0, 4, 4}, White), 12);

  // Drawing changes the image: the mask is made again.
  bitmap->Canvas()->FillRect(RECT{0, 0, 4, 4});
  HBITMAP released = bitmap->ReleaseMaskHandle();
  ASSERT_NE(released, nullptr);
  EXPECT_NE(bitmap->MaskHandle(), released);
  DeleteObject(released);
}

TEST(Bitmap, DrawCopiesStretchesAndHonoursTransparency)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(2, 2);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  bitmap->Canvas()->SetPixels(1, 1, clBlue);
  TDibSurface surface(10, 10, RGB(0, 255, 0));
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());

  canvas->Draw(1, 1, bitmap.get());
  EXPECT_EQ(surface.Pixel(1, 1), Red);
  EXPECT_EQ(surface.Pixel(2, 1), White);
  EXPECT_EQ(surface.Pixel(2, 2), Blue);
  EXPECT_EQ(surface.Pixel(3, 3), RGB(0, 255, 0));

  canvas->StretchDraw(RECT{4, 4, 8, 8}, bitmap.get());
  EXPECT_EQ(surface.Count(RECT{4, 4, 6, 6}, Red), 4);
  EXPECT_EQ(surface.Count(RECT{6, 6, 8, 8}, Blue), 4);

  surface.Fill(RGB(0, 255, 0));
  bitmap->SetTransparent(true);
  bitmap->SetTransparentColor(clWhite);
  canvas->Draw(0, 0, bitmap.get());
  EXPECT_EQ(surface.Pixel(0, 0), Red);
  EXPECT_EQ(surface.Pixel(1, 0), RGB(0, 255, 0)) << "white is transparent";
  EXPECT_EQ(surface.Pixel(1, 1), Blue);

  canvas->Draw(0, 0, nullptr);  // nothing
  auto empty = MakeOwned<TBitmap>();
  canvas->Draw(0, 0, empty.get());
  canvas->SetHandle(nullptr);
}

TEST(Bitmap, MonochromeBitmapsDrawBlackAndWhiteWhateverTheTextColour)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetMonochrome(true);
  bitmap->SetSize(2, 1);
  bitmap->Canvas()->SetPixels(0, 0, clBlack);
  TDibSurface surface(4, 4);
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  SetTextColor(surface.DC(), RGB(255, 0, 0));
  SetBkColor(surface.DC(), RGB(0, 0, 255));
  canvas->Draw(0, 0, bitmap.get());
  EXPECT_EQ(surface.Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(surface.Pixel(1, 0), White);
  canvas->SetHandle(nullptr);
}

TEST(Bitmap, AssignMakesAnIndependentCopy)
{
  auto source = MakeOwned<TBitmap>();
  source->SetPixelFormat(TPixelFormat::pf8bit);
  source->SetSize(3, 3);
  source->Canvas()->SetPixels(1, 1, clRed);
  source->SetTransparentColor(clRed);
  auto copy = MakeOwned<TBitmap>();
  struct Listener : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  };
  auto listener = MakeOwned<Listener>();
  copy->SetOnChange(TNotifyEvent(listener.get(), &Listener::Changed));
  source->SetTransparent(true);
  copy->Assign(source.get());
  EXPECT_EQ(listener->Count, 1) << "one notification";
  EXPECT_TRUE(copy->Transparent());
  EXPECT_EQ(copy->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(copy->TransparentColor(), clRed);
  EXPECT_EQ(PixelOf(*copy, 1, 1), Red);
  copy->Canvas()->SetPixels(1, 1, clBlue);
  EXPECT_EQ(PixelOf(*source, 1, 1), Red);
  EXPECT_TRUE(copy->Equals(copy.get()));
  EXPECT_FALSE(copy->Equals(source.get()));

  auto device = MakeOwned<TBitmap>();
  device->SetSize(2, 2);
  device->Canvas()->SetPixels(0, 0, clRed);
  copy->Assign(device.get());
  EXPECT_EQ(copy->PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(copy->HandleType(), TBitmapHandleType::bmDDB);
  EXPECT_EQ(PixelOf(*copy, 0, 0), Red);

  copy->Assign(nullptr);
  EXPECT_TRUE(copy->Empty());
  auto font = MakeOwned<TFont>();
  EXPECT_THROW(copy->Assign(font.get()), EConvertError);
}

TEST(Bitmap, HandleLetsTheCanvasGoSoTheBitmapCanBeSelectedElsewhere)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(2, 2);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  ASSERT_TRUE(bitmap->Canvas()->HandleAllocated());
  HBITMAP h = bitmap->Handle();
  EXPECT_FALSE(bitmap->Canvas()->HandleAllocated());
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, h);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(GetPixel(dc, 0, 0), Red);
  SelectObject(dc, old);
  DeleteDC(dc);
  bitmap->Canvas()->SetPixels(1, 0, clBlue);  // the canvas takes it back
  EXPECT_EQ(PixelOf(*bitmap, 1, 0), Blue);
}

TEST(Bitmap, SetHandleAndReleaseHandleTransferOwnership)
{
  // A top-down DIB section made elsewhere: ScanLine(0) is still its top row.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 2;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  uint32_t* bits = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  bits[0] = 0x00FF0000;  // top left red
  auto bitmap = MakeOwned<TBitmap>();
  int before = LiveGdiObjects(TGdiKind::Bitmap);
  bitmap->SetHandle(h);
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Bitmap), before + 1);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap->Width(), 2);
  EXPECT_EQ(static_cast<uint32_t*>(bitmap->ScanLine(0))[0], 0x00FF0000u);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), Red);
  {
    auto copy = MakeOwned<TBitmap>();
    Load(*copy, Save(*bitmap));
    EXPECT_EQ(PixelOf(*copy, 0, 0), Red);
  }

  HBITMAP released = bitmap->ReleaseHandle();
  EXPECT_EQ(released, h);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Bitmap), before);
  EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_BITMAP)) << "the caller owns it now";
  DeleteObject(h);
  EXPECT_THROW(bitmap->SetHandle(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_PEN))), EInvalidGraphic);
}

TEST(Bitmap, DormantImagesHoldNoGdiObjectsAndComeBackWhole)
{
  // The canvas's font, brush and pen stay; images and contexts go.
  auto images = [] { return LiveGdiObjects(TGdiKind::Bitmap) + LiveGdiObjects(TGdiKind::DC); };
  const int before = images();
  {
    auto bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(TPixelFormat::pf4bit);
    bitmap->SetSize(5, 5);
    bitmap->Canvas()->SetPixels(2, 3, clRed);
    bitmap->SetTransparent(true);
    bitmap->MaskHandle();
    EXPECT_EQ(images(), before + 3);
    bitmap->Dormant();
    EXPECT_EQ(images(), before) << "image, mask and the canvas's context are gone";
    EXPECT_FALSE(bitmap->HandleAllocated());
    EXPECT_EQ(bitmap->Width(), 5);
    EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(PixelOf(*bitmap, 2, 3), Red);
    EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf4bit);

    auto device = MakeOwned<TBitmap>();
    device->SetSize(2, 2);
    device->Canvas()->SetPixels(1, 1, clBlue);
    device->Dormant();
    device->FreeImage();
    EXPECT_TRUE(device->HandleAllocated());
    EXPECT_EQ(device->HandleType(), TBitmapHandleType::bmDDB);
    EXPECT_EQ(PixelOf(*device, 1, 1), Blue);
  }
  EXPECT_EQ(images(), before);
}

TEST(Bitmap, DrawingOnTheCanvasChangesTheBitmap)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(2, 2);
  struct Listener : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  };
  auto listener = MakeOwned<Listener>();
  bitmap->SetOnChange(TNotifyEvent(listener.get(), &Listener::Changed));
  bitmap->SetModified(false);
  bitmap->Canvas()->FillRect(RECT{0, 0, 1, 1});
  bitmap->Canvas()->TextOut(0, 0, "x");
  EXPECT_EQ(listener->Count, 2);
  EXPECT_TRUE(bitmap->Modified());
  bitmap->SetSize(3, 3);
  EXPECT_EQ(listener->Count, 3);
}

TEST(Bitmap, ALockedCanvasKeepsItsContextWhileUnlockedOnesAreReclaimed)
{
  auto locked = MakeOwned<TBitmap>();
  auto unlocked = MakeOwned<TBitmap>();
  locked->SetSize(2, 2);
  unlocked->SetSize(2, 2);
  unlocked->Canvas()->SetPixels(0, 0, clRed);
  std::atomic<int> stage{0};
  std::thread worker([&] {
    locked->Canvas()->Lock();
    locked->Canvas()->SetPixels(0, 0, clBlue);
    stage = 1;
    while (stage != 2) std::this_thread::yield();
    locked->Canvas()->SetPixels(1, 1, clBlue);
    locked->Canvas()->Unlock();
  });
  while (stage != 1) std::this_thread::yield();
  FreeMemoryContexts();
  EXPECT_TRUE(locked->Canvas()->HandleAllocated());
  EXPECT_FALSE(unlocked->Canvas()->HandleAllocated());
  stage = 2;
  worker.join();
  EXPECT_EQ(PixelOf(*locked, 1, 1), Blue);
  EXPECT_EQ(PixelOf(*unlocked, 0, 0), Red);
}

TEST(Bitmap, LoadsABitmapResource)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICSREDBLUE");
  EXPECT_EQ(bitmap->Width(), 4);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), Blue);
  EXPECT_EQ(PixelOf(*bitmap, 0, 1), Red);
  EXPECT_THROW(bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"), EResNotFound);
  EXPECT_THROW(bitmap->LoadFromResourceID(GetModuleHandleA(nullptr), 9999), EResNotFound);
  EXPECT_EQ(bitmap->Width(), 4);
}
