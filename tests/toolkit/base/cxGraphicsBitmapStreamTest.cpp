// The compressed bitmap stream: the run coding byte for byte, round trips of bitmaps of several sizes
// and contents, the version-1 and plain forms, and the refusal of corrupted streams.
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphics.h"

namespace {
using Bytes = std::vector<uint8_t>;

// Opens the stored-data methods of the toolkit's bitmaps to the tests.
template <class B>
class TOpen : public B {
public:
  using B::B;
  using B::ReadData;
  using B::WriteData;
};
using TOpenBitmap = TOpen<TcxBitmap>;
using TOpenBitmap32 = TOpen<TcxBitmap32>;

Bytes StreamBytes(TStringStream& stream)
{
  const std::string& s = stream.DataString();
  return Bytes(s.begin(), s.end());
}

// The class library's own (plain) stored data of a bitmap.
Bytes PlainData(TcxBitmap& bitmap)
{
  auto plain = MakeOwned<TOpenBitmap>();
  plain->Assign(&bitmap);
  auto stream = MakeOwned<TStringStream>();
  plain->WriteData(*stream);
  return StreamBytes(*stream);
}

template <class B>
Bytes Written(B& bitmap)
{
  auto stream = MakeOwned<TStringStream>();
  bitmap.WriteData(*stream);
  return StreamBytes(*stream);
}

std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

Bytes Header(int32_t size, uint16_t version, const char* signature = "XDBM")
{
  Bytes h(10);
  std::memcpy(h.data(), &size, 4);
  std::memcpy(h.data() + 4, signature, 4);
  std::memcpy(h.data() + 8, &version, 2);
  return h;
}

Bytes Concat(Bytes a, const Bytes& b)
{
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TRGBColors PixelsOf(TBitmap& bitmap)
{
  TRGBColors pixels;
  GetBitmapPixels(&bitmap, pixels, false);
  return pixels;
}

bool SamePixels(const TRGBColors& a, const TRGBColors& b)
{
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RGBQUAD)) == 0;
}
}  // namespace

// --- The run coding ---

TEST(cxBitmapStreamRuns, PackAsDocumented)
{
  struct TCase {
    const char* Name;
    int BlockSize;
    Bytes Data;
    Bytes Packed;
  };
  Bytes eightThenThree;
  for (int i = 0; i < 8; ++i) eightThenThree.insert(eightThenThree.end(), {1, 2, 3});
  eightThenThree.insert(eightThenThree.end(), {4, 5, 6, 7, 8, 9, 10, 11, 12});
  Bytes three00(300 * 4);
  for (size_t i = 0; i < three00.size(); ++i) three00[i] = static_cast<uint8_t>(0xA0 + i % 4);
  Bytes distinct130(130);
  for (int i = 0; i < 130; ++i) distinct130[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  Bytes packed130{0x80 | 125};
  packed130.insert(packed130.end(), distinct130.begin(), distinct130.begin() + 125);
  packed130.insert(packed130.end(), {0x85, 125, 126, 127, 128, 129});

  const TCase cases[] = {
    {"eight equal blocks then three different", 3, eightThenThree,
     {8, 1, 2, 3, 0x83, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"A B B B", 1, {'A', 'B', 'B', 'B'}, {0x81, 'A', 3, 'B'}},
    {"300 equal blocks", 4, three00, {125, 0xA0, 0xA1, 0xA2, 0xA3, 125, 0xA0, 0xA1, 0xA2, 0xA3, 50, 0xA0, 0xA1, 0xA2, 0xA3}},
    {"one block", 2, {7, 8}, {0x81, 7, 8}},
    {"a trailing part block is left out", 2, {7, 8, 9}, {0x81, 7, 8}},
    {"literal then repeat then literal", 1, {1, 2, 3, 3, 4}, {0x82, 1, 2, 2, 3, 0x81, 4}},
    {"130 different blocks", 1, distinct130, packed130},
    {"nothing", 4, {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(PackBitmapStreamRuns(c.Data, c.BlockSize), c.Packed);
    Bytes unpacked;
    UnpackBitmapStreamRuns(c.Packed, c.BlockSize, unpacked);
    const size_t whole = c.Data.size() / static_cast<size_t>(c.BlockSize) * static_cast<size_t>(c.BlockSize);
    EXPECT_EQ(unpacked, Bytes(c.Data.begin(), c.Data.begin() + static_cast<ptrdiff_t>(whole)));
  }
}

TEST(cxBitmapStreamRuns, UnpackingRefusesRunsPastTheEnd)
{
  const Bytes cases[] = {
    {0x83, 1, 2},        // a literal run announces three blocks, two follow
    {5},                 // a repeat run without its block
    {0x81, 1, 0x82, 1},  // the second run is short
  };
  for (const Bytes& runs : cases) {
    Bytes out;
    EXPECT_THROW(UnpackBitmapStreamRuns(runs, 1, out), EInvalidGraphic);
  }
  Bytes out;
  EXPECT_THROW(UnpackBitmapStreamRuns(Bytes{0x81, 1, 2}, 3, out), EInvalidGraphic);
}

// --- The stream of a bitmap ---

TEST(cxBitmapStream, HeaderBlockSizeAndRemainder)
{
  // 3 x 1 at 24 bits: 4 + 14 + 40 + 12 = 70 plain bytes, 3 x 23 + 1.
  auto bitmap = MakeOwned<TOpenBitmap>(3, 1);
  bitmap->SetCompressData(true);
  const Bytes plain = PlainData(*bitmap);
  ASSERT_EQ(plain.size(), 70u);
  const Bytes data = Written(*bitmap);
  ASSERT_GE(data.size(), 13u);
  int32_t size = 0;
  std::memcpy(&size, data.data(), 4);
  EXPECT_EQ(static_cast<size_t>(size), data.size() - 10);
  EXPECT_EQ(std::string(data.begin() + 4, data.begin() + 8), "XDBM");
  EXPECT_EQ(data[8], 2);
  EXPECT_EQ(data[9], 0);
  EXPECT_EQ(data[10], 3) << "block size";
  EXPECT_EQ(data[11], 1) << "remainder";
  EXPECT_EQ(data[12], plain[0]) << "the remainder's byte as it is";
  const Bytes runs(data.begin() + 13, data.end());
  EXPECT_EQ(runs, PackBitmapStreamRuns(std::span<const uint8_t>(plain).subspan(1), 3));

  struct TFormat {
    TPixelFormat Format;
    int BlockSize;
  };
  for (TFormat f : {TFormat{TPixelFormat::pf1bit, 1}, TFormat{TPixelFormat::pf4bit, 1}, TFormat{TPixelFormat::pf8bit, 1},
                    TFormat{TPixelFormat::pf15bit, 2}, TFormat{TPixelFormat::pf16bit, 2},
                    TFormat{TPixelFormat::pf24bit, 3}, TFormat{TPixelFormat::pf32bit, 4}}) {
    auto b = MakeOwned<TOpenBitmap>(2, 2, f.Format);
    EXPECT_EQ(BitmapStreamBlockSize(b.get()), f.BlockSize) << static_cast<int>(f.Format);
    b->SetCompressData(true);
    EXPECT_EQ(Written(*b)[10], f.BlockSize) << static_cast<int>(f.Format);
  }
}

TEST(cxBitmapStream, BitmapsRoundTripWhateverTheirContent)
{
  std::mt19937 random(1234);
  struct TCase {
    const char* Name;
    int Width, Height;
    TPixelFormat Format;
    int Content;  // 0 flat, 1 noise, 2 noise with alpha, 3 stripes
  };
  const TCase cases[] = {
    {"empty", 0, 0, TPixelFormat::pf24bit, 0},
    {"one pixel", 1, 1, TPixelFormat::pf24bit, 1},
    {"flat 24-bit", 100, 60, TPixelFormat::pf24bit, 0},
    {"noise 24-bit", 17, 13, TPixelFormat::pf24bit, 1},
    {"flat 32-bit", 40, 40, TPixelFormat::pf32bit, 0},
    {"noise with alpha", 33, 9, TPixelFormat::pf32bit, 2},
    {"stripes 32-bit", 300, 3, TPixelFormat::pf32bit, 3},
    {"noise 8-bit", 21, 5, TPixelFormat::pf8bit, 1},
    {"noise 16-bit", 5, 21, TPixelFormat::pf16bit, 1},
    {"monochrome", 70, 3, TPixelFormat::pf1bit, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bitmap = MakeOwned<TOpenBitmap>(c.Width, c.Height, c.Format);
    if (c.Width > 0) {
      auto source = MakeOwned<TcxBitmap32>(c.Width, c.Height);
      TRGBColors pixels(static_cast<size_t>(c.Width) * c.Height);
      for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t n = random();
        switch (c.Content) {
          case 0: pixels[i] = RGBQUAD{40, 80, 120, 0}; break;
          case 1: pixels[i] = RGBQUAD{BYTE(n), BYTE(n >> 8), BYTE(n >> 16), 0}; break;
          case 2: pixels[i] = RGBQUAD{BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)}; break;
          default: pixels[i] = (i / 7) % 2 ? RGBQUAD{0, 0, 255, 255} : RGBQUAD{255, 0, 0, 128}; break;
        }
      }
      source->WritePixels(pixels);
      if (c.Format == TPixelFormat::pf32bit)
        PutBitmapPixels(bitmap.get(), pixels, false);
      else
        bitmap->Canvas()->Draw(0, 0, source.get());
    }
    const Bytes plain = PlainData(*bitmap);
    bitmap->SetCompressData(true);
    const Bytes packed = Written(*bitmap);
    if (c.Content == 0 && c.Width > 0) {
      EXPECT_LT(packed.size() * 10, plain.size()) << "flat colour packs well";
    }

    auto read = MakeOwned<TOpenBitmap>();
    auto stream = MakeOwned<TStringStream>(AsString(packed) + "after");
    read->ReadData(*stream);
    EXPECT_EQ(stream->Position(), static_cast<int64_t>(packed.size())) << "the position ends after the body";
    EXPECT_EQ(read->Width(), c.Width);
    EXPECT_EQ(read->Height(), c.Height);
    EXPECT_EQ(PlainData(*read), plain) << "the same plain data";
    if (c.Width > 0) {
      EXPECT_TRUE(SamePixels(PixelsOf(*read), PixelsOf(*bitmap)));
    }
  }
}

TEST(cxBitmapStream, PlainDataAndVersionOneAreRead)
{
  auto bitmap = MakeOwned<TOpenBitmap>(5, 4);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(RECT{0, 0, 3, 4});
  const Bytes plain = Written(*bitmap);  // not compressed: the class library's form
  EXPECT_EQ(std::string(plain.begin() + 4, plain.begin() + 6), "BM");
  EXPECT_EQ(plain, PlainData(*bitmap));

  auto fromPlain = MakeOwned<TOpenBitmap>();
  auto plainStream = MakeOwned<TStringStream>(AsString(plain));
  fromPlain->ReadData(*plainStream);
  EXPECT_EQ(fromPlain->Canvas()->Pixels(2, 3), clRed);
  EXPECT_EQ(fromPlain->Canvas()->Pixels(3, 3), clWhite);

  // Version 1: runs only, one-byte blocks.
  const Bytes runs = PackBitmapStreamRuns(plain, 1);
  const Bytes v1 = Concat(Header(static_cast<int32_t>(runs.size()), 1), runs);
  auto fromV1 = MakeOwned<TOpenBitmap>();
  auto v1Stream = MakeOwned<TStringStream>(AsString(v1));
  fromV1->ReadData(*v1Stream);
  EXPECT_EQ(PlainData(*fromV1), plain);

  // A compressed 32-bit bitmap reads back into a 32-bit one with its alpha.
  auto alpha = MakeOwned<TOpenBitmap32>(3, 3);
  TRGBColors pixels(9, RGBQUAD{1, 2, 3, 4});
  pixels[4].rgbReserved = 200;
  alpha->WritePixels(pixels);
  alpha->SetCompressData(true);
  auto alphaRead = MakeOwned<TOpenBitmap32>();
  auto alphaStream = MakeOwned<TStringStream>(AsString(Written(*alpha)));
  alphaRead->ReadData(*alphaStream);
  EXPECT_TRUE(SamePixels(PixelsOf(*alphaRead), pixels));
}

TEST(cxBitmapStream, StoredFormsCompareTheCompressedData)
{
  auto bitmap = MakeOwned<TcxBitmap>(8, 8);
  auto other = MakeOwned<TcxBitmap>(8, 8);
  bitmap->SetCompressData(true);
  other->SetCompressData(true);
  EXPECT_TRUE(bitmap->Equals(other.get()));
  other->Canvas()->SetPixels(1, 1, clRed);
  EXPECT_FALSE(bitmap->Equals(other.get()));
}

TEST(cxBitmapStream, CorruptedStreamsAreRefusedWithTheError)
{
  auto source = MakeOwned<TOpenBitmap>(6, 5);
  source->Canvas()->Brush()->SetColor(clBlue);
  source->Canvas()->FillRect(RECT{1, 1, 4, 4});
  source->SetCompressData(true);
  const Bytes good = Written(*source);
  const Bytes body(good.begin() + 10, good.end());
  const int32_t size = static_cast<int32_t>(body.size());
  const Bytes plainRuns = PackBitmapStreamRuns(PlainData(*source), 1);

  struct TCase {
    const char* Name;
    Bytes Data;
    const char* Message;  // the start of the error's message
  };
  auto withBody = [&](Bytes b) { return Concat(Header(static_cast<int32_t>(b.size()), 2), b); };
  Bytes lyingLength = plainRuns;
  lyingLength.insert(lyingLength.end(), {10, 0});  // more bytes than the plain data's length says
  // A plain length of 2 GiB, then 10,000 runs of 125 zero blocks: trusted, it let 1 MB of runs
  // expand to 194 MB.
  Bytes hugeLength = {4, 0, 0x81, 0xFF, 0xFF, 0xFF, 0x7F};
  for (int i = 0; i < 10000; ++i) hugeLength.insert(hugeLength.end(), {125, 0, 0, 0, 0});
  // A run-length bitmap file of 16384 x 16384 pixels in a few bytes, inside the plain data.
  Bytes rleFile = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 0, 0x40, 0, 0, 0, 0x40, 0, 0,
                   1, 0, 8, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                   0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 1};
  Bytes rleBomb = {1, 0, static_cast<uint8_t>(0x80 | (rleFile.size() + 4)), static_cast<uint8_t>(rleFile.size()), 0, 0, 0};
  rleBomb.insert(rleBomb.end(), rleFile.begin(), rleFile.end());
  const TCase cases[] = {
    {"bad signature", Concat(Header(size, 2, "XDBN"), body), "Bitmap image is not valid"},
    {"version 3", Concat(Header(size, 3), body), "Compressed bitmap data is not valid"},
    {"version 0", Concat(Header(size, 0), body), "Compressed bitmap data is not valid"},
    {"header cut after the signature", Bytes(good.begin(), good.begin() + 9), "Compressed bitmap data is not valid"},
    {"truncated body", Bytes(good.begin(), good.end() - 3), "Compressed bitmap data is not valid"},
    {"body size past the stream", Concat(Header(0x7FFFFFF0, 2), body), "Compressed bitmap data is not valid"},
    {"negative body size", Concat(Header(-1, 2), body), "Compressed bitmap data is not valid"},
    {"body shorter than its head", withBody({3}), "Compressed bitmap data is not valid"},
    {"block size 0", withBody({0, 0, 0x81, 1}), "Compressed bitmap data is not valid"},
    {"block size 5", withBody({5, 0, 0x81, 1, 2, 3, 4, 5}), "Compressed bitmap data is not valid"},
    {"remainder of a whole block", withBody({2, 2, 1, 2}), "Compressed bitmap data is not valid"},
    {"remainder past the body", withBody({4, 3, 1}), "Compressed bitmap data is not valid"},
    {"literal run past the end", withBody({1, 0, 0x85, 1, 2}), "Compressed bitmap data is not valid"},
    {"repeat run without its block", withBody({4, 0, 7, 1, 2}), "Compressed bitmap data is not valid"},
    {"runs longer than the data", Concat(Header(static_cast<int32_t>(lyingLength.size()), 1), lyingLength),
     "Compressed bitmap data is not valid"},
    {"a huge repeat count of a short bitmap", withBody({4, 0, 0x7F, 8, 0, 0, 0, 0x7F, 1, 1, 1, 1}),
     "Compressed bitmap data is not valid"},
    {"runs that unpack to nothing readable", withBody({1, 0, 0x83, 'B', 'M', 0}), "Bitmap image is not valid"},
    {"a plain length of 2 GiB", withBody(hugeLength), "Compressed bitmap data is not valid"},
    {"a run-length bitmap of 16384 x 16384 pixels", withBody(rleBomb), "Bitmap image is too large"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bitmap = MakeOwned<TOpenBitmap>(2, 2);
    auto stream = MakeOwned<TStringStream>(AsString(c.Data));
    try {
      bitmap->ReadData(*stream);
      ADD_FAILURE() << "read without an error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind(c.Message, 0), 0u) << e.Message();
    }
  }
}
