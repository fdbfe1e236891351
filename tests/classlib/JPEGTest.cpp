// JPEG pictures over libjpeg: compression and decoding compared by pixels, quality and grey, corrupt
// data, drawing, the picture registry and stored forms.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <algorithm>
#include <cstdlib>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/JPEG.h"
#include "classlib/Picture.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "tests/support/ScopedSeam.h"

namespace {
// Smooth colour gradients with a sharp-edged block, 40 x 30.
TOwned<TBitmap> SampleBitmap()
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(40, 30);
  for (int y = 0; y < 30; ++y) {
    auto* row = static_cast<unsigned char*>(bitmap->ScanLine(y));
    for (int x = 0; x < 40; ++x) {
      const bool block = x >= 16 && x < 24 && y >= 8 && y < 16;
      row[x * 3 + 0] = block ? 20 : static_cast<unsigned char>(30 + x * 5);
      row[x * 3 + 1] = block ? 20 : static_cast<unsigned char>(220 - y * 6);
      row[x * 3 + 2] = block ? 230 : static_cast<unsigned char>(90 + x + y);
    }
  }
  return bitmap;
}

// Mean absolute channel difference of two bitmaps of the same size (compared as 24-bit).
double MeanDifference(TBitmap& a, TBitmap& b)
{
  auto x = MakeOwned<TBitmap>();
  auto y = MakeOwned<TBitmap>();
  x->Assign(&a);
  y->Assign(&b);
  x->SetPixelFormat(TPixelFormat::pf24bit);
  y->SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(x->Width(), y->Width());
  EXPECT_EQ(x->Height(), y->Height());
  double sum = 0;
  for (int r = 0; r < x->Height(); ++r) {
    auto* p = static_cast<unsigned char*>(x->ScanLine(r));
    auto* q = static_cast<unsigned char*>(y->ScanLine(r));
    for (int i = 0; i < x->Width() * 3; ++i) sum += std::abs(p[i] - q[i]);
  }
  return sum / (x->Width() * x->Height() * 3);
}

std::string Save(TGraphic& graphic)
{
  auto stream = MakeOwned<TMemoryStream>();
  graphic.SaveToStream(*stream);
  return std::string(static_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size()));
}

void Load(TGraphic& graphic, const std::string& bytes)
{
  auto stream = MakeOwned<TMemoryStream>();
  stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream->SetPosition(0);
  graphic.LoadFromStream(*stream);
}

std::string Compressed(int quality, bool grayscale = false)
{
  TOwned<TBitmap> bitmap = SampleBitmap();
  auto jpeg = MakeOwned<TJPEGImage>();
  jpeg->Assign(bitmap.get());
  jpeg->SetCompressionQuality(quality);
  jpeg->SetGrayscale(grayscale);
  return Save(*jpeg);
}

// A progressive grey picture of 64 x 48: a DC scan, then one scan of all AC coefficients (made with
// the library's own transcoder and a scan script).
const std::string Progressive(
    "\xFF\xD8\xFF\xE0\x00\x10\x4A\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xDB\x00\x43\x00\x05\x03\x04"
    "\x04\x04\x03\x05\x04\x04\x04\x05\x05\x05\x06\x07\x0C\x08\x07\x07\x07\x07\x0F\x0B\x0B\x09\x0C\x11\x0F\x12\x12\x11"
    "\x0F\x11\x11\x13\x16\x1C\x17\x13\x14\x1A\x15\x11\x11\x18\x21\x18\x1A\x1D\x1D\x1F\x1F\x1F\x13\x17\x22\x24\x22\x1E"
    "\x24\x1C\x1E\x1F\x1E\xFF\xC2\x00\x0B\x08\x00\x30\x00\x40\x01\x01\x11\x00\xFF\xC4\x00\x16\x00\x01\x01\x01\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\x08\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00\xCA\x20\x28\xA0"
    "\x28\xC0\x28\xA0\x28\xA0\x28\xC0\x3F\xFF\xC4\x00\x17\x10\x00\x03\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x15\x62\xA1\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x00\x4D\x22\x69\x13\x48\x9A\x44\xD2\x26\x91\x34\x89"
    "\xA4\x4D\x22\x69\x13\x48\x9A\x44\xD2\x26\x91\x34\x89\xA4\x4D\x18\x26\x8C\x13\x46\x09\xA3\x04\xD1\x82\x68\xC1\x34"
    "\x60\x9A\x30\x4D\x18\x26\x8C\x13\x46\x09\xA3\x04\xD1\x82\x68\xC1\x34\x60\x9A\x30\x4D\x22\x69\x13\x48\x9A\x44\xD2"
    "\x26\x91\x34\x89\xA4\x4D\x22\x69\x13\x48\x9A\x44\xD2\x26\x91\x34\x89\xA4\xFF\xD9",
    272);

// The progressive picture with its AC scan repeated: count copies in all, each with its successive
// approximation byte set to ahAl.
std::string RepeatedScans(int count, char ahAl)
{
  const size_t acScan = Progressive.rfind("\xFF\xDA");
  const size_t end = Progressive.size() - 2;  // before the end-of-image marker
  std::string scan = Progressive.substr(acScan, end - acScan);
  std::string bytes = Progressive.substr(0, end);
  scan[9] = ahAl;
  for (int i = 1; i < count; ++i) bytes += scan;
  return bytes + "\xFF\xD9";
}
}  // namespace

// A progressive file may repeat its scans, each a pass over the whole picture: a file of 10,000
// scans was read to its end (45 seconds for 8192 x 8192 pixels). Scans are counted as they are read
// and the file is refused past the bound; a file that turns corrupt is refused at the first sign,
// not after decoding the rest of it.
TEST(JPEGImage, RepeatedScansAreBoundedAndCorruptionStopsTheDecoding)
{
  struct TCase {
    const char* What;
    int Scans;
    char AhAl;
    const char* Message;  // empty: read
    uint64_t MaxWork;     // scans counted at most (the end of the input counts as one)
  };
  const TCase cases[] = {
    {"the file as written", 2, 0, "", 3},
    {"400 scans of AC coefficients", 400, 0, "", 401},
    {"10,000 scans", 10000, 0, "JPEG image is not valid (more than 500 scans)", 501},
    {"10,000 scans that refine bits never sent", 10000, 0x10, "JPEG image is not valid (", 3},
  };
  for (const TCase& c : cases) {
    uint64_t work = 0;
    TScopedSetter<uint64_t*> counter(SetReaderWorkCounter, &work);
    auto jpeg = MakeOwned<TJPEGImage>();
    if (!*c.Message) {
      EXPECT_NO_THROW(Load(*jpeg, RepeatedScans(c.Scans, c.AhAl))) << c.What;
      EXPECT_EQ(jpeg->Width(), 64) << c.What;
    } else {
      try {
        Load(*jpeg, RepeatedScans(c.Scans, c.AhAl));
        ADD_FAILURE() << c.What << ": accepted";
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message().rfind(c.Message, 0), 0u) << c.What << ": " << e.Message();
      }
      EXPECT_TRUE(jpeg->Empty()) << c.What;
    }
    EXPECT_LE(work, c.MaxWork) << c.What;
    EXPECT_GE(work, std::min<uint64_t>(c.MaxWork, 2)) << c.What << ": the scans are counted";
  }
}

TEST(JPEGImage, ABitmapCompressesAndDecodesBackToNearlyTheSamePixels)
{
  TOwned<TBitmap> source = SampleBitmap();
  const std::string data = Compressed(95);
  ASSERT_GT(data.size(), 4u);
  EXPECT_EQ(data.substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(data.substr(data.size() - 2), "\xFF\xD9");

  auto jpeg = MakeOwned<TJPEGImage>();
  Load(*jpeg, data);
  EXPECT_EQ(jpeg->Width(), 40);
  EXPECT_EQ(jpeg->Height(), 30);
  EXPECT_FALSE(jpeg->Transparent());
  EXPECT_LT(MeanDifference(*jpeg->Bitmap(), *source), 3.0);
  // A loaded picture saves its own data unchanged.
  EXPECT_EQ(Save(*jpeg), data);
}

TEST(JPEGImage, LowerQualityGivesSmallerDataAndLargerErrors)
{
  TOwned<TBitmap> source = SampleBitmap();
  const std::string low = Compressed(10), high = Compressed(95);
  EXPECT_LT(low.size(), high.size());
  auto a = MakeOwned<TJPEGImage>();
  auto b = MakeOwned<TJPEGImage>();
  Load(*a, low);
  Load(*b, high);
  EXPECT_GT(MeanDifference(*a->Bitmap(), *source), MeanDifference(*b->Bitmap(), *source));
  auto q = MakeOwned<TJPEGImage>();
  q->SetCompressionQuality(0);
  EXPECT_EQ(q->CompressionQuality(), 1);
  q->SetCompressionQuality(120);
  EXPECT_EQ(q->CompressionQuality(), 100);
}

TEST(JPEGImage, GrayscaleDecodesAndCompressesInGrey)
{
  const std::string colour = Compressed(95);
  auto jpeg = MakeOwned<TJPEGImage>();
  Load(*jpeg, colour);
  jpeg->SetGrayscale(true);
  TBitmap* bitmap = jpeg->Bitmap();
  ASSERT_EQ(bitmap->Width(), 40);
  for (int y = 0; y < 30; ++y) {
    auto* row = static_cast<unsigned char*>(bitmap->ScanLine(y));
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(row[x * 3], row[x * 3 + 1]);
      ASSERT_EQ(row[x * 3], row[x * 3 + 2]);
    }
  }
  // The red block is darker than the light gradient around it, as its luminance says.
  auto* row = static_cast<unsigned char*>(bitmap->ScanLine(12));
  EXPECT_NEAR(row[20 * 3], 0.299 * 230 + 0.587 * 20 + 0.114 * 20, 8);
  EXPECT_EQ(Save(*jpeg), colour);  // the data stays as loaded
  jpeg->SetGrayscale(false);
  row = static_cast<unsigned char*>(jpeg->Bitmap()->ScanLine(12));
  EXPECT_GT(row[20 * 3 + 2], 200);

  // Compressed in grey: one component, grey however it is decoded.
  auto grey = MakeOwned<TJPEGImage>();
  Load(*grey, Compressed(95, true));
  auto* g = static_cast<unsigned char*>(grey->Bitmap()->ScanLine(12));
  EXPECT_EQ(g[20 * 3], g[20 * 3 + 2]);
  EXPECT_LT(Compressed(95, true).size(), colour.size());
}

TEST(JPEGImage, CorruptDataRaisesTheGraphicErrorAndLeavesTheImageEmpty)
{
  const std::string good = Compressed(90);
  std::string badFrame = good;
  const size_t frame = good.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  badFrame[frame + 4] = 7;  // a sample precision of 7 bits
  std::string badHuffman = good;
  const size_t scan = good.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  for (size_t i = scan + 20; i < scan + 60 && i + 2 < good.size(); ++i) badHuffman[i] = '\xFF';
  const std::string cases[] = {good.substr(0, good.size() / 2), "not a picture at all", badFrame, badHuffman,
                               good.substr(0, 2)};
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    auto jpeg = MakeOwned<TJPEGImage>();
    Load(*jpeg, good);
    ASSERT_FALSE(jpeg->Empty());
    try {
      Load(*jpeg, bytes);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind("JPEG image is not valid (", 0), 0u) << e.Message();
    }
    EXPECT_TRUE(jpeg->Empty());
    EXPECT_EQ(Save(*jpeg), "");
  }

  // Through the picture registry: the picture stays without a graphic.
  const std::string file = TempFile("classlib-corrupt.jpg");
  WriteFileBytes(file, good.substr(0, good.size() / 2));
  auto picture = MakeOwned<TPicture>();
  EXPECT_THROW(picture->LoadFromFile(file), EInvalidGraphic);
  EXPECT_EQ(picture->Graphic(), nullptr);
  DeleteFileA(file.c_str());
}

TEST(JPEGImage, AnAbsurdDeclaredSizeIsRefusedBeforeAnythingIsDecoded)
{
  // A small file whose frame header declares far more pixels than a picture may have.
  const std::string good = Compressed(90);
  const size_t frame = good.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  const std::pair<int, int> sizes[] = {{20000, 20000}, {65500, 65500}, {65500, 1025}};
  for (auto [width, height] : sizes) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    std::string bytes = good;
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
    auto jpeg = MakeOwned<TJPEGImage>();
    Load(*jpeg, good);
    try {
      Load(*jpeg, bytes);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind("JPEG image is too large (" + std::to_string(width) + " x " +
                                      std::to_string(height) + " pixels",
                                  0),
                0u)
          << e.Message();
    }
    EXPECT_TRUE(jpeg->Empty());
    EXPECT_EQ(jpeg->Width(), 0);
  }
}

TEST(JPEGImage, ABitmapThatCannotBeAllocatedGivesThePictureError)
{
  // Every GDI handle of the process taken: the decoded bitmap cannot be made.
  const std::string good = Compressed(90);
  std::vector<HBITMAP> taken;
  while (taken.size() < 1000000) {
    HBITMAP h = CreateBitmap(1, 1, 1, 1, nullptr);
    if (!h) break;
    taken.push_back(h);
  }
  const bool exhausted = taken.size() < 1000000;
  std::string message;
  bool empty = false;
  {
    auto jpeg = MakeOwned<TJPEGImage>();
    try {
      Load(*jpeg, good);
    } catch (const EInvalidGraphic& e) {
      message = e.Message();
    } catch (const std::exception& e) {
      message = std::string("other error: ") + e.what();
    }
    empty = jpeg->Empty();
  }
  for (HBITMAP h : taken) DeleteObject(h);
  ASSERT_TRUE(exhausted) << "the GDI handles could not be used up";
  EXPECT_EQ(message, "JPEG image is too large to hold in memory (40 x 30 pixels)");
  EXPECT_TRUE(empty);
}

TEST(JPEGImage, SizeFollowsTheBitmapChangedThroughBitmap)
{
  // The image editor pastes into the bitmap and compresses it.
  auto jpeg = MakeOwned<TJPEGImage>();
  Load(*jpeg, Compressed(90));
  ASSERT_EQ(jpeg->Width(), 40);
  jpeg->Bitmap()->SetSize(20, 10);
  jpeg->Compress();
  EXPECT_EQ(jpeg->Width(), 20);
  EXPECT_EQ(jpeg->Height(), 10);
  auto copy = MakeOwned<TJPEGImage>();
  Load(*copy, Save(*jpeg));
  EXPECT_EQ(copy->Width(), 20);
  EXPECT_EQ(copy->Height(), 10);
  EXPECT_NO_THROW(jpeg->SetSize(20, 10));
  EXPECT_THROW(jpeg->SetSize(40, 30), EInvalidGraphicOperation);

  // From empty, and back to empty.
  auto fresh = MakeOwned<TJPEGImage>();
  EXPECT_TRUE(fresh->Empty());
  fresh->Bitmap()->SetPixelFormat(TPixelFormat::pf24bit);
  fresh->Bitmap()->SetSize(8, 4);
  fresh->Compress();
  EXPECT_FALSE(fresh->Empty());
  EXPECT_EQ(fresh->Width(), 8);
  EXPECT_FALSE(Save(*fresh).empty());
  fresh->Bitmap()->SetSize(0, 0);
  EXPECT_TRUE(fresh->Empty());
}

TEST(JPEGImage, DrawsItsDecodedImage)
{
  auto jpeg = MakeOwned<TJPEGImage>();
  Load(*jpeg, Compressed(90));
  auto target = MakeOwned<TBitmap>();
  target->SetPixelFormat(TPixelFormat::pf24bit);
  target->SetSize(42, 32);
  target->Canvas()->Draw(1, 1, jpeg.get());
  for (int y = 0; y < 30; y += 7)
    for (int x = 0; x < 40; x += 9)
      EXPECT_EQ(target->Canvas()->Pixels(x + 1, y + 1), jpeg->Bitmap()->Canvas()->Pixels(x, y)) << x << "," << y;
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(target->Canvas()->Pixels(41, 31), clWhite);
  EXPECT_THROW(jpeg->SetWidth(10), EInvalidGraphicOperation);
}

TEST(JPEGImage, PicturesFindTheClassByExtensionAndStoreTheData)
{
  EXPECT_EQ(FileFormatClass("jpg"), TJPEGImage::StaticClass());
  EXPECT_EQ(FileFormatClass(".JPEG"), TJPEGImage::StaticClass());

  const std::string data = Compressed(80);
  const std::string file = TempFile("classlib-sample.jpg");
  WriteFileBytes(file, data);
  auto picture = MakeOwned<TPicture>();
  picture->LoadFromFile(file);
  DeleteFileA(file.c_str());
  ASSERT_NE(picture->Graphic(), nullptr);
  EXPECT_EQ(picture->Graphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_EQ(picture->Width(), 40);

  auto stored = MakeOwned<TMemoryStream>();
  picture->WriteData(*stored);
  stored->SetPosition(0);
  auto read = MakeOwned<TPicture>();
  read->ReadData(*stored);
  ASSERT_NE(read->Graphic(), nullptr);
  ASSERT_EQ(read->Graphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_EQ(Save(*read->Graphic()), data);

  // A copy through Assign keeps data and settings.
  auto copy = MakeOwned<TJPEGImage>();
  copy->Assign(read->Graphic());
  EXPECT_EQ(Save(*copy), data);
  EXPECT_TRUE(copy->Equals(read->Graphic()));
}
