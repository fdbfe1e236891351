// The toolkit's image list: the platform list and ImageInfo kept in step through adding, inserting,
// moving, deleting and resizing; images read back; copying between lists; the stored form.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "toolkit/base/cxImageList.h"

namespace {
// A 24-bit bitmap of cells, each filled with its own colour (0xRRGGBB), cells left to right, then rows.
TOwned<TBitmap> Cells(int cellWidth, int cellHeight, int columns, int rows, std::vector<uint32_t> colours)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(cellWidth * columns, cellHeight * rows);
  for (int y = 0; y < bitmap->Height(); ++y) {
    auto* p = static_cast<unsigned char*>(bitmap->ScanLine(y));
    for (int x = 0; x < bitmap->Width(); ++x) {
      const uint32_t c = colours[static_cast<size_t>((y / cellHeight) * columns + x / cellWidth) % colours.size()];
      p[x * 3] = c & 0xFF;
      p[x * 3 + 1] = (c >> 8) & 0xFF;
      p[x * 3 + 2] = (c >> 16) & 0xFF;
    }
  }
  return bitmap;
}

// The colour at (x, y) of a bitmap, as 0xRRGGBB.
uint32_t ColourAt(TBitmap* bitmap, int x, int y)
{
  const COLORREF c = static_cast<COLORREF>(bitmap->Canvas()->Pixels(x, y));
  return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// The centre colour of image i from ImageInfo and from the platform list.
uint32_t InfoColour(TcxImageList& list, int i)
{
  TBitmap* image = list.ImageInfo()->Items(i)->Image();
  return ColourAt(image, image->Width() / 2, image->Height() / 2);
}
uint32_t PlatformColour(TcxImageList& list, int i)
{
  auto image = MakeOwned<TBitmap>();
  image->SetPixelFormat(TPixelFormat::pf32bit);
  TcxImageList::ExtractImageAndMask(list.GetListHandle(), i, nullptr, image.get());
  return ColourAt(image.get(), image->Width() / 2, image->Height() / 2);
}
std::vector<uint32_t> Order(TcxImageList& list)
{
  EXPECT_EQ(list.Count(), list.ImageInfo()->Count());
  std::vector<uint32_t> colours;
  for (int i = 0; i < list.Count(); ++i) {
    colours.push_back(InfoColour(list, i));
    EXPECT_EQ(PlatformColour(list, i), colours.back()) << "image " << i;
  }
  return colours;
}

struct TCounter : TObject {
  int Changes = 0;
  void Changed(TObject*) { ++Changes; }
};

TOwned<TcxImageList> NewList(int width = 16, int height = 16)
{
  auto list = MakeOwned<TcxImageList>(nullptr);
  list->SetSizeOfImages(width, height);
  return list;
}

std::string FormText(TComponent* component)
{
  auto binary = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*binary, component);
  binary->SetPosition(0);
  auto text = MakeOwned<TMemoryStream>();
  ObjectBinaryToText(*binary, *text);
  return fixtures::BytesOf(*text);
}

TOwned<TcxImageList> ReadBack(TcxImageList* list)
{
  auto stream = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*stream, list);
  stream->SetPosition(0);
  auto copy = MakeOwned<TcxImageList>(nullptr);
  ReadComponentFromStream(*stream, copy.get());
  return copy;
}

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, Yellow = 0xFFFF00, Cyan = 0x00FFFF;
}  // namespace

TEST(cxImageList, AStripAddsOneImageAndOneInfoItemPerCell)
{
  auto list = NewList();
  EXPECT_EQ(TcxImageList::GetListBitsPerPixel(list->GetListHandle()), 0);  // no image yet
  TOwned<TBitmap> strip = Cells(16, 16, 4, 1, {Red, Green, Blue, Yellow});
  EXPECT_EQ(list->AddBitmapWithMask(strip.get(), nullptr), 0);
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red, Green, Blue, Yellow}));
  EXPECT_EQ(TcxImageList::GetListBitsPerPixel(list->GetListHandle()), 32);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list->ImageInfo()->Items(i)->MaskColor(), clNone);
}

TEST(cxImageList, OneImageWithItsMaskNotifiesOnce)
{
  auto list = NewList();
  auto counter = MakeOwned<TCounter>();
  list->SetOnChange(TNotifyEvent(counter.get(), &TCounter::Changed));
  TOwned<TBitmap> image = Cells(16, 16, 1, 1, {Blue});
  TOwned<TBitmap> mask = Cells(8, 16, 2, 1, {0x000000, 0xFFFFFF});  // the right half transparent
  EXPECT_EQ(list->AddBitmapWithMask(image.get(), mask.get()), 0);
  EXPECT_EQ(counter->Changes, 1);
  ASSERT_EQ(list->ImageInfo()->Count(), 1);
  TcxImageInfoItem* item = list->ImageInfo()->Items(0);
  EXPECT_EQ(ColourAt(item->Image(), 3, 3), Blue);
  EXPECT_EQ(ColourAt(item->Mask(), 3, 3), 0u);
  EXPECT_EQ(ColourAt(item->Mask(), 12, 3), 0xFFFFFFu);

  // Read back: the image, and the mask from the item.
  auto back = MakeOwned<TBitmap>();
  auto backMask = MakeOwned<TBitmap>();
  list->GetImageAndMask(0, back.get(), backMask.get());
  EXPECT_EQ(ColourAt(back.get(), 3, 3), Blue);
  EXPECT_EQ(ColourAt(backMask.get(), 12, 3), 0xFFFFFFu);
  EXPECT_EQ(ColourAt(backMask.get(), 3, 3), 0u);
  // Drawn: the transparent half shows what was there.
  fixtures::TSurface surface(16, 16, 0x00808080);
  list->DrawImageAt(0, surface.Bitmap().Canvas(), 0, 0, TDrawingStyle::dsNormal, true);
  EXPECT_EQ(surface.Rgb(3, 3), Blue);
  EXPECT_EQ(surface.Rgb(12, 3), 0x808080u);
  // Out of range: nothing.
  auto untouched = MakeOwned<TBitmap>();
  list->GetImageAndMask(5, untouched.get(), nullptr);
  EXPECT_TRUE(untouched->Empty());
}

TEST(cxImageList, InsertingMovingAndDeletingKeepBothCopiesInStep)
{
  auto list = NewList();
  TOwned<TBitmap> three = Cells(16, 16, 3, 1, {Red, Green, Blue});
  list->AddBitmapWithMask(three.get(), nullptr);
  TOwned<TBitmap> two = Cells(16, 16, 2, 1, {Yellow, Cyan});
  list->InsertBitmapAt(0, two.get(), nullptr);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Yellow, Cyan, Red, Green, Blue}));
  list->MoveImage(0, 3);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Cyan, Red, Green, Yellow, Blue}));
  list->DeleteImage(1);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Cyan, Green, Yellow, Blue}));
  TOwned<TBitmap> red = Cells(16, 16, 1, 1, {Red});
  list->ReplaceImageAt(2, red.get(), nullptr);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Cyan, Green, Red, Blue}));
  list->InsertBitmapAt(9, red.get(), nullptr);  // beyond the count: ignored
  EXPECT_EQ(list->Count(), 4);
  list->DeleteAllImages();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->ImageInfo()->Count(), 0);
}

TEST(cxImageList, BitmapsThatAreNoStripAreCutIntoCellsOrRefused)
{
  auto list = NewList();
  // Two rows of two cells: four images, row by row.
  TOwned<TBitmap> grid = Cells(16, 16, 2, 2, {Red, Green, Blue, Yellow});
  EXPECT_EQ(list->AddBitmapWithMask(grid.get(), nullptr), 0);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red, Green, Blue, Yellow}));
  // 20 pixels wide: one cell, the rest left out.
  TOwned<TBitmap> wide = Cells(10, 16, 2, 1, {Cyan, Red});
  EXPECT_EQ(list->AddBitmapWithMask(wide.get(), nullptr), 4);
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(ColourAt(list->ImageInfo()->Items(4)->Image(), 15, 8), Red);
  EXPECT_EQ(list->ImageInfo()->Items(4)->Image()->Width(), 16);
  // Smaller than a cell: refused, nothing recorded.
  TOwned<TBitmap> small = Cells(8, 8, 1, 1, {Blue});
  EXPECT_EQ(list->AddBitmapWithMask(small.get(), nullptr), -1);
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(list->ImageInfo()->Count(), 5);

  EXPECT_EQ(CountImagesInStrip(grid.get(), 16, 16), 4);
  EXPECT_EQ(CountImagesInStrip(wide.get(), 16, 16), 1);
  EXPECT_EQ(CountImagesInStrip(small.get(), 16, 16), 1);
}

TEST(cxImageList, ImagesMaskedByColourKeepTheColour)
{
  auto list = NewList(4, 4);
  TOwned<TBitmap> image = Cells(2, 4, 2, 1, {Green, 0xFF00FF});
  EXPECT_EQ(list->AddBitmapMaskedByColor(image.get(), clFuchsia), 0);
  ASSERT_EQ(list->ImageInfo()->Count(), 1);
  EXPECT_EQ(list->ImageInfo()->Items(0)->MaskColor(), clFuchsia);
  EXPECT_TRUE(list->ImageInfo()->Items(0)->Mask()->Empty());
  // The passed bitmap is left alone (the platform gets a copy).
  EXPECT_EQ(ColourAt(image.get(), 3, 1), 0xFF00FFu);
  auto mask = MakeOwned<TBitmap>();
  list->GetImageAndMask(0, nullptr, mask.get());
  EXPECT_EQ(ColourAt(mask.get(), 3, 1), 0xFFFFFFu);
  EXPECT_EQ(ColourAt(mask.get(), 0, 1), 0u);
  fixtures::TSurface surface(4, 4, 0x00404040);
  list->DrawImageAt(0, surface.Bitmap().Canvas(), 0, 0, TDrawingStyle::dsNormal, true);
  EXPECT_EQ(surface.Rgb(0, 0), Green);
  EXPECT_EQ(surface.Rgb(3, 0), 0x404040u);
}

TEST(cxImageList, ANewSizeDeletesAllImages)
{
  auto list = NewList();
  TOwned<TBitmap> strip = Cells(16, 16, 2, 1, {Red, Green});
  list->AddBitmapWithMask(strip.get(), nullptr);
  list->SetWidth(0);
  EXPECT_EQ(list->Width(), 1);
  EXPECT_EQ(list->Height(), 16);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->ImageInfo()->Count(), 0);
}

TEST(cxImageList, AssigningCopiesImagesAndMasks)
{
  // From a plain class-library list.
  auto plain = MakeOwned<TImageList>(nullptr);
  TOwned<TBitmap> image = Cells(16, 16, 2, 1, {Red, Blue});
  // The second image's left half is transparent.
  TOwned<TBitmap> mask = Cells(8, 16, 4, 1, {0x000000, 0x000000, 0xFFFFFF, 0x000000});
  plain->Add(image.get(), mask.get());
  auto list = NewList(8, 8);
  list->Assign(plain.get());
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red, Blue}));
  auto back = MakeOwned<TBitmap>();
  list->GetImageAndMask(1, nullptr, back.get());
  EXPECT_EQ(ColourAt(back.get(), 4, 4), 0xFFFFFFu);

  // From another toolkit list; anything else leaves the list alone.
  auto copy = NewList();
  copy->Assign(list.get());
  EXPECT_EQ(Order(*copy), (std::vector<uint32_t>{Red, Blue}));
  EXPECT_TRUE(AreImageListsEqual(copy.get(), list.get()));
  auto notAList = MakeOwned<TBitmap>();
  copy->Assign(notAList.get());
  EXPECT_EQ(copy->Count(), 2);
}

TEST(cxImageList, TheStoredFormKeepsEveryImageWithItsAlpha)
{
  auto list = NewList(2, 2);
  list->SetDesignInfo(0x00300020);
  // A 32-bit image with partial alpha, and a 24-bit strip with masks.
  auto argb = MakeOwned<TBitmap>();
  argb->SetPixelFormat(TPixelFormat::pf32bit);
  argb->SetSize(2, 2);
  const uint32_t pixels[] = {0x80400000, 0xFF00FF00, 0x00000000, 0x40101010};
  for (int i = 0; i < 4; ++i) static_cast<uint32_t*>(argb->ScanLine(i / 2))[i % 2] = pixels[i];
  list->AddBitmapWithMask(argb.get(), nullptr);
  TOwned<TBitmap> strip = Cells(2, 2, 2, 1, {Red, Blue});
  TOwned<TBitmap> mask = Cells(1, 2, 4, 1, {0, 0xFFFFFF});
  list->AddBitmapWithMask(strip.get(), mask.get());

  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    list->SetCompressData(compressed);
    const std::string text = FormText(list.get());
    EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("DesignInfo = 3145760"), std::string::npos) << text;
    EXPECT_NE(text.find("ImageInfo = <"), std::string::npos) << text;
    EXPECT_EQ(text.find("Bitmap ="), std::string::npos) << text;
    EXPECT_NE(text.find("Image.Data"), std::string::npos) << text;

    TOwned<TcxImageList> copy = ReadBack(list.get());
    EXPECT_EQ(copy->Count(), 3);
    EXPECT_EQ(copy->ImageInfo()->Count(), 3);
    EXPECT_EQ(copy->DesignInfo(), 0x00300020);
    EXPECT_EQ(copy->FormatVersion(), 1);
    EXPECT_EQ(copy->CompressData(), compressed);
    EXPECT_TRUE(AreImageListsEqual(copy.get(), list.get()));
    // The alpha of the 32-bit image came through ImageInfo.
    TBitmap* image = copy->ImageInfo()->Items(0)->Image();
    EXPECT_EQ(image->PixelFormat(), TPixelFormat::pf32bit);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(static_cast<uint32_t*>(image->ScanLine(i / 2))[i % 2], pixels[i]) << i;
    EXPECT_EQ(ColourAt(copy->ImageInfo()->Items(2)->Mask(), 1, 0), 0xFFFFFFu);
  }
  // Compressed bitmap data carries the "XDBM" signature.
  auto stream = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*stream, list.get());
  EXPECT_NE(fixtures::BytesOf(*stream).find("XDBM"), std::string::npos);
}

TEST(cxImageList, AStoredItemThatIsNotOneCellStaysOneImage)
{
  // Items of 16 x 16 read into a list whose stored size is 8 x 8, and one of 4 x 4 (too small).
  auto source = NewList();
  TOwned<TBitmap> quarters = Cells(8, 8, 2, 2, {Red, Green, Blue, Yellow});
  TOwned<TBitmap> quarterMask = Cells(8, 8, 2, 2, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
  source->AddBitmapWithMask(quarters.get(), quarterMask.get());
  TOwned<TBitmap> plain = Cells(16, 16, 1, 1, {Cyan});
  source->AddBitmapMaskedByColor(plain.get(), clFuchsia);
  source->AddBitmapWithMask(quarters.get(), nullptr);
  TOwned<TBitmap> small = Cells(4, 4, 1, 1, {Green});
  source->ImageInfo()->Items(2)->ImageInfo()->AssignImage(small.get());
  std::string text = ComponentToText(source.get());
  const size_t at = text.find('\n');
  ASSERT_NE(at, std::string::npos) << text;
  text.insert(at + 1, "  Height = 8\n  Width = 8\n");

  auto list = MakeOwned<TcxImageList>(nullptr);
  auto counter = MakeOwned<TCounter>();
  list->SetOnChange(TNotifyEvent(counter.get(), &TCounter::Changed));
  ReadComponentFromText(text, list.get());
  EXPECT_EQ(list->Width(), 8);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red, Cyan}));
  EXPECT_EQ(list->ImageInfo()->Items(0)->Image()->Width(), 8);
  EXPECT_EQ(list->ImageInfo()->Items(0)->Mask()->Height(), 8);
  EXPECT_EQ(list->ImageInfo()->Items(1)->MaskColor(), clFuchsia);
  // Later changes keep both copies in step and tell the list's users.
  const int changes = counter->Changes;
  list->DeleteImage(0);
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Cyan}));
  EXPECT_EQ(counter->Changes, changes + 1);
}

// A mask must cover its image's cell: a larger one is cut to the cell (one of 64 x 64 beside a one-cell
// image was kept, and writing the list back ran out of memory with a larger one), a smaller one
// refuses the item.
TEST(cxImageList, AStoredMaskIsCutToTheCellOrRefusesItsItem)
{
  auto source = NewList();
  TOwned<TBitmap> red = Cells(16, 16, 1, 1, {Red});
  TOwned<TBitmap> green = Cells(16, 16, 1, 1, {Green});
  TOwned<TBitmap> mask = Cells(16, 16, 1, 1, {0x000000});
  source->AddBitmapWithMask(red.get(), mask.get());
  source->AddBitmapWithMask(green.get(), mask.get());
  TOwned<TBitmap> large = Cells(64, 64, 1, 1, {0x000000});
  TOwned<TBitmap> small = Cells(8, 8, 1, 1, {0x000000});
  source->ImageInfo()->Items(0)->ImageInfo()->AssignMask(large.get());
  source->ImageInfo()->Items(1)->ImageInfo()->AssignMask(small.get());

  auto list = MakeOwned<TcxImageList>(nullptr);
  ReadComponentFromText(ComponentToText(source.get()), list.get());
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red}));
  EXPECT_EQ(list->ImageInfo()->Items(0)->Mask()->Width(), 16);
  EXPECT_EQ(list->ImageInfo()->Items(0)->Mask()->Height(), 16);
}

// Items without image data (two bytes each in the binary form) are dropped as they are read, and
// refused items go in one pass: 300,000 of them took 12.7 s and 656 MB. The work of reading grows
// with their number, not with its square.
TEST(cxImageList, StoredItemsWithoutImagesAreDroppedInLinearWork)
{
  auto source = NewList();
  source->AddBitmapWithMask(Cells(16, 16, 1, 1, {Blue}).get(), nullptr);
  auto written = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*written, source.get());
  const std::string form = fixtures::BytesOf(*written);
  const size_t items = form.find("ImageInfo\x0E");
  ASSERT_NE(items, std::string::npos);

  auto readWith = [&](int emptyItems) {
    std::string bytes = form;
    std::string empty;
    for (int i = 0; i < emptyItems; ++i) empty += std::string("\x01\x00", 2);  // an item: vaList, vaNull
    bytes.insert(items + 10, empty);
    auto stream = MakeOwned<TStringStream>(bytes);
    auto list = MakeOwned<TcxImageList>(nullptr);
    uint64_t work = 0;
    {
      TScopedSetter<uint64_t*> counter(SetReaderWorkCounter, &work);
      ReadComponentFromStream(*stream, list.get());
    }
    EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Blue})) << emptyItems << " empty items";
    return work;
  };
  const uint64_t n = readWith(5000), n4 = readWith(20000);
  EXPECT_GT(n, 0u);
  EXPECT_LT(n4, n * 5) << "4N empty items cost " << n4 << " steps, N cost " << n;
}

TEST(cxImageList, AnEmptyListStoresOnlyItsVersionAndPosition)
{
  auto list = NewList();
  const std::string text = FormText(list.get());
  EXPECT_NE(text.find("FormatVersion = 1"), std::string::npos) << text;
  EXPECT_NE(text.find("DesignInfo = 0"), std::string::npos) << text;
  EXPECT_EQ(text.find("ImageInfo"), std::string::npos) << text;
  EXPECT_EQ(text.find("Bitmap"), std::string::npos) << text;
  TOwned<TcxImageList> copy = ReadBack(list.get());
  EXPECT_EQ(copy->Count(), 0);
}

TEST(cxImageList, OlderFormsWithTheClassLibraryBitmapAreRead)
{
  auto plain = MakeOwned<TImageList>(nullptr);
  TOwned<TBitmap> strip = Cells(16, 16, 3, 1, {Red, Green, Blue});
  plain->Add(strip.get(), nullptr);
  std::string text = ComponentToText(plain.get());
  ASSERT_NE(text.find("Bitmap = {"), std::string::npos) << text;
  const size_t at = text.find("TImageList");
  ASSERT_NE(at, std::string::npos) << text;
  text.replace(at, 10, "TcxImageList");
  auto list = MakeOwned<TcxImageList>(nullptr);
  ReadComponentFromText(text, list.get());
  EXPECT_EQ(Order(*list), (std::vector<uint32_t>{Red, Green, Blue}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list->ImageInfo()->Items(i)->MaskColor(), clNone);
}

TEST(cxImageList, ListsAreEqualByTheirPlatformStreams)
{
  auto a = NewList(), b = NewList();
  EXPECT_TRUE(AreImageListsEqual(a.get(), b.get()));
  TOwned<TBitmap> red = Cells(16, 16, 1, 1, {Red}), blue = Cells(16, 16, 1, 1, {Blue});
  a->AddBitmapWithMask(red.get(), nullptr);
  EXPECT_FALSE(AreImageListsEqual(a.get(), b.get()));
  b->AddBitmapWithMask(blue.get(), nullptr);
  EXPECT_FALSE(AreImageListsEqual(a.get(), b.get()));
  b->ReplaceImageAt(0, red.get(), nullptr);
  EXPECT_TRUE(AreImageListsEqual(a.get(), b.get()));

  // A copy of a list bitmap is a new DIB section of the same size.
  HBITMAP copy = CopyBitmapHandle(a->GetImageBitmap());
  ASSERT_NE(copy, nullptr);
  DIBSECTION ds{};
  EXPECT_EQ(GetObject(copy, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  DeleteObject(copy);
}
