// TImageList over comctl32: adding, masking, drawing enabled and disabled, editing, change links,
// settings and the stored "Bitmap" data.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "classlib/Streams.h"
#include "tests/classlib/GraphicsFixtures.h"
#include "tests/classlib/GraphicsTestSupport.h"

namespace {
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A bitmap of one colour with a square of another in the middle (cells of 16 x 16 across).
TOwned<TBitmap> Image(TColor color, TColor middle, int cells = 1)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(16 * cells, 16);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(RECT{0, 0, 16 * cells, 16});
  bitmap->Canvas()->Brush()->SetColor(middle);
  for (int c = 0; c < cells; ++c) bitmap->Canvas()->FillRect(RECT{16 * c + 4, 4, 16 * c + 12, 12});
  return bitmap;
}

class ImageListTest : public testing::Test {
protected:
  ImageListTest() { Canvas.SetHandle(Surface.DC()); }
  ~ImageListTest() override { Canvas.SetHandle(nullptr); }

  // The colour of a pixel of image index as the list draws it on green.
  COLORREF DrawnPixel(int index, int x, int y, bool enabled = true)
  {
    Surface.Fill(Green);
    List->Draw(&Canvas, 0, 0, index, enabled);
    return Surface.Pixel(x, y);
  }

  TOwned<TImageList> List = TOwned<TImageList>(New<TImageList>(nullptr));
  TDibSurface Surface{40, 20, Green};
  TOwned<TCanvas> OwnedCanvas = MakeOwned<TCanvas>();
  TCanvas& Canvas = *OwnedCanvas;
};

struct TChangeCounter : TObject {
  int Count = 0;
  TObject* LastSender = nullptr;
  void Changed(TObject* sender)
  {
    ++Count;
    LastSender = sender;
  }
};
}  // namespace

TEST_F(ImageListTest, StartsEmptyWithSixteenPixelCellsAndPublishesItsSettings)
{
  EXPECT_EQ(List->Width(), 16);
  EXPECT_EQ(List->Height(), 16);
  EXPECT_EQ(List->Count(), 0);
  EXPECT_FALSE(List->HandleAllocated());
  EXPECT_TRUE(List->Masked());
  EXPECT_EQ(List->BkColor(), clNone);
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(TImageList::StaticClass())) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "BlendColor", "BkColor", "AllocBy", "ColorDepth",
                                             "DrawingStyle", "Height", "ImageType", "Masked", "ShareImages",
                                             "Width", "OnChange"}));
  for (const char* p : {"BlendColor", "BkColor", "AllocBy", "ColorDepth", "DrawingStyle", "Height", "ImageType",
                        "Masked", "ShareImages", "Width"})
    EXPECT_TRUE(GetPropInfo(List.get(), p).IsDefault(List.get())) << p;
  ASSERT_NE(GetClass("TImageList"), nullptr) << "registered for stored forms";
}

TEST_F(ImageListTest, AddTakesOneImagePerCellAndRefusesSmallBitmaps)
{
  auto one = Image(clRed, clBlue);
  EXPECT_EQ(List->Add(one.get(), nullptr), 0);
  auto strip = Image(clRed, clBlue, 3);
  EXPECT_EQ(List->Add(strip.get(), nullptr), 1);
  EXPECT_EQ(List->Count(), 4);
  auto small = MakeOwned<TBitmap>();
  small->SetSize(8, 16);
  try {
    List->Add(small.get(), nullptr);
    FAIL() << "accepted";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid image size");
  }
  EXPECT_THROW(List->Add(nullptr, nullptr), EInvalidOperation);
  EXPECT_EQ(List->Count(), 4);
  EXPECT_EQ(DrawnPixel(3, 8, 8), Blue);
  EXPECT_EQ(DrawnPixel(3, 1, 1), Red) << "no mask: every pixel is drawn";
}

TEST_F(ImageListTest, MaskedImagesLetTheBackgroundThrough)
{
  auto image = Image(clRed, clBlue);
  const TColor before = image->Canvas()->Pixels(8, 8);
  List->AddMasked(image.get(), clBlue);
  EXPECT_EQ(image->Canvas()->Pixels(8, 8), before) << "the caller's bitmap is not changed";
  EXPECT_EQ(DrawnPixel(0, 8, 8), Green);
  EXPECT_EQ(DrawnPixel(0, 1, 1), Red);

  // clDefault: the bitmap's transparent colour, its bottom-left pixel.
  List->AddMasked(image.get(), clDefault);
  EXPECT_EQ(DrawnPixel(1, 1, 1), Green);
  EXPECT_EQ(DrawnPixel(1, 8, 8), Blue);

  // A mask bitmap: white is transparent.
  auto mask = MakeOwned<TBitmap>();
  mask->SetMonochrome(true);
  mask->SetSize(16, 16);
  mask->Canvas()->Brush()->SetColor(clBlack);
  mask->Canvas()->FillRect(RECT{0, 0, 8, 16});
  List->Add(image.get(), mask.get());
  EXPECT_EQ(DrawnPixel(2, 1, 1), Red);
  EXPECT_EQ(DrawnPixel(2, 12, 1), Green);
  EXPECT_EQ(DrawnPixel(2, 6, 8), Blue);
  EXPECT_EQ(DrawnPixel(2, 10, 8), Green);
}

TEST_F(ImageListTest, DisabledImagesAreGreyAndKeepTheirTransparency)
{
  auto image = Image(clRed, clBlue);
  image->Canvas()->Brush()->SetColor(clWhite);
  image->Canvas()->FillRect(RECT{0, 14, 16, 16});
  List->AddMasked(image.get(), clBlue);
  // Red: brightness 76, lightened halfway to white; white stays white.
  EXPECT_EQ(DrawnPixel(0, 1, 1, false), RGB(165, 165, 165));
  EXPECT_EQ(DrawnPixel(0, 1, 15, false), RGB(255, 255, 255));
  EXPECT_EQ(DrawnPixel(0, 8, 8, false), Green) << "the transparent middle";
  EXPECT_EQ(DrawnPixel(0, 20, 8, false), Green) << "outside the cell";
  EXPECT_EQ(DrawnPixel(0, 1, 1, true), Red);
}

TEST_F(ImageListTest, DrawingOutsideTheListDrawsNothing)
{
  auto image = Image(clRed, clBlue);
  List->Add(image.get(), nullptr);
  Surface.Fill(Green);
  List->Draw(&Canvas, 0, 0, 1);
  List->Draw(&Canvas, 0, 0, -1, false);
  List->Draw(nullptr, 0, 0, 0);
  EXPECT_EQ(Surface.Count(RECT{0, 0, 40, 20}, Green), 40 * 20);
  List->Draw(&Canvas, 20, 2, 0);
  EXPECT_EQ(Surface.Pixel(21, 3), Red);
  EXPECT_EQ(Surface.Pixel(28, 10), Blue);

  // As a mask: black where the image is opaque.
  TOwned<TImageList> masked(New<TImageList>(nullptr));
  masked->AddMasked(image.get(), clBlue);
  Surface.Fill(Green);
  masked->Draw(&Canvas, 0, 0, 0, TDrawingStyle::dsNormal, TImageType::itMask);
  EXPECT_EQ(Surface.Pixel(1, 1), RGB(0, 0, 0));
  EXPECT_NE(Surface.Pixel(8, 8), RGB(0, 0, 0));
}

TEST_F(ImageListTest, ImagesCanBeMovedInsertedReplacedAndDeleted)
{
  const TColor colors[] = {clRed, clLime, clBlue};
  for (TColor c : colors) List->Add(Image(c, c).get(), nullptr);
  auto colorOf = [&](int index) {
    auto b = MakeOwned<TBitmap>();
    EXPECT_TRUE(List->GetBitmap(index, b.get()));
    EXPECT_EQ(b->Width(), 16);
    return b->Canvas()->Pixels(1, 1);
  };
  EXPECT_EQ(colorOf(0), clRed);
  EXPECT_EQ(colorOf(2), clBlue);
  List->Move(0, 2);
  EXPECT_EQ(colorOf(0), clLime);
  EXPECT_EQ(colorOf(1), clBlue);
  EXPECT_EQ(colorOf(2), clRed);
  List->Move(2, 0);
  EXPECT_EQ(colorOf(0), clRed);
  EXPECT_EQ(colorOf(2), clBlue);

  List->Insert(1, Image(clYellow, clYellow).get(), nullptr);
  EXPECT_EQ(List->Count(), 4);
  EXPECT_EQ(colorOf(1), clYellow);
  EXPECT_EQ(colorOf(2), clLime);
  List->InsertMasked(0, Image(clAqua, clRed).get(), clRed);
  EXPECT_EQ(colorOf(0), clAqua);
  EXPECT_EQ(List->Count(), 5);

  List->Replace(0, Image(clBlack, clBlack).get(), nullptr);
  EXPECT_EQ(colorOf(0), clBlack);
  List->ReplaceMasked(0, Image(clFuchsia, clWhite).get(), clWhite);
  EXPECT_EQ(DrawnPixel(0, 1, 1), RGB(255, 0, 255));
  EXPECT_EQ(DrawnPixel(0, 8, 8), Green);

  List->Delete(0);
  EXPECT_EQ(List->Count(), 4);
  EXPECT_EQ(colorOf(0), clRed);
  for (auto bad : {-2, 4, 100}) {
    EXPECT_THROW(List->Delete(bad), EInvalidOperation) << bad;
    EXPECT_THROW(List->Replace(bad, Image(clRed, clRed).get(), nullptr), EInvalidOperation) << bad;
    EXPECT_THROW(List->Move(0, bad), EInvalidOperation) << bad;
  }
  EXPECT_THROW(List->Insert(5, Image(clRed, clRed).get(), nullptr), EInvalidOperation);
  auto b = MakeOwned<TBitmap>();
  EXPECT_FALSE(List->GetBitmap(4, b.get()));
  List->Clear();
  EXPECT_EQ(List->Count(), 0);
}

TEST_F(ImageListTest, IconsGoInAndComeOut)
{
  auto icon = MakeOwned<TIcon>();
  auto file = MakeOwned<TStringStream>(ResourceBytes("GRAPHICSSQUAREFILE"));
  icon->LoadFromStream(*file);
  EXPECT_EQ(List->AddIcon(icon.get()), 0);
  EXPECT_EQ(DrawnPixel(0, 8, 8), Red);
  EXPECT_EQ(DrawnPixel(0, 1, 1), Green);
  auto empty = MakeOwned<TIcon>();
  EXPECT_THROW(List->AddIcon(empty.get()), EInvalidOperation);

  auto out = MakeOwned<TIcon>();
  ASSERT_TRUE(List->GetIcon(0, out.get()));
  EXPECT_EQ(out->Width(), 16);
  Surface.Fill(Green);
  Canvas.Draw(0, 0, out.get());
  EXPECT_EQ(Surface.Pixel(8, 8), Red);
  EXPECT_EQ(Surface.Pixel(1, 1), Green);
  EXPECT_FALSE(List->GetIcon(3, out.get()));

  List->ReplaceIcon(0, icon.get());
  EXPECT_EQ(List->Count(), 1);
  EXPECT_NE(List->GetImageBitmap(), nullptr);
  EXPECT_NE(List->GetMaskBitmap(), nullptr);
}

TEST_F(ImageListTest, ChangesReachTheLinksAndOnChangeOncePerUpdate)
{
  auto onChange = MakeOwned<TChangeCounter>();
  auto linked = MakeOwned<TChangeCounter>();
  List->SetOnChange(TNotifyEvent(onChange.get(), &TChangeCounter::Changed));
  auto link = MakeOwned<TChangeLink>();
  link->SetOnChange(TNotifyEvent(linked.get(), &TChangeCounter::Changed));
  List->RegisterChanges(link.get());
  EXPECT_EQ(link->Sender(), List.get());

  List->Add(Image(clRed, clRed).get(), nullptr);
  EXPECT_EQ(onChange->Count, 1);
  EXPECT_EQ(linked->Count, 1);
  EXPECT_EQ(linked->LastSender, List.get());

  List->BeginUpdate();
  List->Add(Image(clRed, clRed).get(), nullptr);
  List->Add(Image(clRed, clRed).get(), nullptr);
  List->Delete(0);
  EXPECT_EQ(onChange->Count, 1);
  List->EndUpdate();
  EXPECT_EQ(onChange->Count, 2);
  EXPECT_EQ(linked->Count, 2);

  link.reset();  // a destroyed link unregisters
  List->Clear();
  EXPECT_EQ(onChange->Count, 3);

  auto orphan = MakeOwned<TChangeLink>();
  {
    TOwned<TImageList> other(New<TImageList>(nullptr));
    other->RegisterChanges(orphan.get());
  }
  EXPECT_EQ(orphan->Sender(), nullptr) << "the list went first";
}

TEST_F(ImageListTest, SizeChangesEmptyTheListButDepthAndMaskChangesKeepTheImages)
{
  auto image = Image(clRed, clBlue);
  List->AddMasked(image.get(), clBlue);
  List->AddMasked(image.get(), clBlue);
  List->SetColorDepth(TColorDepth::cd32Bit);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(DrawnPixel(1, 1, 1), Red);
  EXPECT_EQ(DrawnPixel(1, 8, 8), Green);
  List->SetMasked(false);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(DrawnPixel(0, 1, 1), Red);

  List->SetWidth(24);
  EXPECT_EQ(List->Count(), 0);
  EXPECT_EQ(List->Width(), 24);
  List->SetHeight(0);
  EXPECT_EQ(List->Height(), 1);
  int w = 0, h = 0;
  ImageList_GetIconSize(List->Handle(), &w, &h);
  EXPECT_EQ(w, 24);
  EXPECT_EQ(h, 1);
}

TEST_F(ImageListTest, StoredBitmapDataRoundTrips)
{
  auto emptyFiler = MakeOwned<TRecordingFiler>();
  List->DefineProperties(*emptyFiler);
  ASSERT_NE(emptyFiler->Find("Bitmap"), nullptr);
  EXPECT_FALSE(emptyFiler->Find("Bitmap")->HasData) << "an empty list stores no images";

  auto image = Image(clRed, clBlue);
  List->AddMasked(image.get(), clBlue);
  List->Add(Image(clLime, clLime).get(), nullptr);
  auto filer = MakeOwned<TRecordingFiler>();
  List->DefineProperties(*filer);
  const TRecordingFiler::TBinary* data = filer->Find("Bitmap");
  ASSERT_TRUE(data && data->HasData);
  auto stream = MakeOwned<TMemoryStream>();
  data->Write(*stream);
  EXPECT_GT(stream->Size(), 100);

  TOwned<TImageList> copy(New<TImageList>(nullptr));
  auto changes = MakeOwned<TChangeCounter>();
  copy->SetOnChange(TNotifyEvent(changes.get(), &TChangeCounter::Changed));
  stream->SetPosition(0);
  auto readFiler = MakeOwned<TRecordingFiler>();
  copy->DefineProperties(*readFiler);
  readFiler->Find("Bitmap")->Read(*stream);
  EXPECT_EQ(changes->Count, 1);
  EXPECT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->Width(), 16);
  List = std::move(copy);
  EXPECT_EQ(DrawnPixel(0, 1, 1), Red);
  EXPECT_EQ(DrawnPixel(0, 8, 8), Green);
  EXPECT_EQ(DrawnPixel(1, 8, 8), RGB(0, 255, 0));

}

namespace {
// The list's own stored data, the field at offset replaced by value (bytes, little-endian).
std::string StoredData(TImageList* list)
{
  auto stream = MakeOwned<TMemoryStream>();
  list->WriteData(*stream);
  return std::string(static_cast<const char*>(stream->Memory()), static_cast<size_t>(stream->Size()));
}
std::string Patched(std::string data, size_t offset, uint32_t value, int bytes = 2)
{
  for (int i = 0; i < bytes; ++i) data[offset + i] = static_cast<char>(value >> (8 * i));
  return data;
}
}  // namespace

// The platform's reader trusts every count and size of the data: each of these crashed it, made it
// loop, or read "OK" while damaging the heap so that the next valid read crashed. They are refused
// before the platform sees them, the list is left empty, and a valid read afterwards works.
TEST_F(ImageListTest, StoredBitmapDataIsCheckedBeforeThePlatformReadsIt)
{
  List->SetColorDepth(TColorDepth::cd32Bit);
  List->AddMasked(Image(clRed, clBlue, 2).get(), clBlue);
  const std::string valid = StoredData(List.get());
  ASSERT_EQ(valid.substr(0, 4), std::string("IL\x01\x01", 4));
  const size_t image = 28, imageInfo = image + 14;
  const uint32_t imageRows = static_cast<uint8_t>(valid[imageInfo + 8]);
  const size_t mask = image + 14 + 40 + size_t{64} * 4 * imageRows;  // 64 pixels wide, 32 bits each
  ASSERT_EQ(valid.substr(mask, 2), "BM");

  struct TCase {
    const char* What;
    std::string Data;
  };
  const TCase cases[] = {
    {"not image list data", "XL" + valid.substr(2)},
    {"an unknown version", Patched(valid, 2, 0x600)},
    {"more images than room", Patched(valid, 4, 32767)},
    {"cell width 255 (the heap damage)", Patched(valid, 10, 255)},
    {"cell width 32767", Patched(valid, 10, 32767)},
    {"cell width 0", Patched(valid, 10, 0)},
    {"cell height beyond the bound", Patched(valid, 12, 2000)},
    {"unknown flags", Patched(valid, 18, 0x2021)},
    {"room for a list past the pixel cap", Patched(Patched(valid, 6, 65535), 10, 1024)},
    {"a header alone", valid.substr(0, 28)},
    {"image rows cut short", valid.substr(0, mask - 10)},
    {"mask rows cut short", valid.substr(0, valid.size() - 1)},
    {"no bitmap signature", Patched(valid, image, 0x5858)},
    {"an image of 3 bits per pixel", Patched(valid, imageInfo + 14, 3)},
    {"a compressed image", Patched(valid, imageInfo + 16, BI_RLE8, 4)},
    {"an image too narrow for four cells", Patched(valid, imageInfo + 4, 60, 4)},
    {"an image too short for its images", Patched(Patched(valid, 4, 9), 6, 9)},
    {"a mask that is not monochrome", Patched(valid, mask + 14 + 14, 4)},
    {"a mask of another width", Patched(valid, mask + 14 + 4, 32, 4)},
    {"garbage", std::string(64, 'x')},
  };
  for (const TCase& c : cases) {
    List->AddMasked(Image(clRed, clBlue).get(), clBlue);
    auto stream = MakeOwned<TStringStream>(c.Data);
    EXPECT_THROW(List->ReadData(*stream), EReadError) << c.What;
    EXPECT_EQ(List->Count(), 0) << c.What << ": a refused stream leaves the list empty";
  }
  auto stream = MakeOwned<TStringStream>(valid + "after");
  List->ReadData(*stream);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(stream->Position(), static_cast<int64_t>(valid.size())) << "the data ends where the list's bytes end";
  EXPECT_EQ(DrawnPixel(1, 1, 1), Red);
  EXPECT_EQ(DrawnPixel(1, 8, 8), Green);
}

TEST_F(ImageListTest, AssignCopiesSettingsAndImages)
{
  List->SetBkColor(clYellow);
  List->SetDrawingStyle(TDrawingStyle::dsTransparent);
  List->AddMasked(Image(clRed, clBlue).get(), clBlue);
  TOwned<TImageList> copy(New<TImageList>(nullptr));
  copy->Assign(List.get());
  EXPECT_EQ(copy->Count(), 1);
  EXPECT_EQ(copy->BkColor(), clYellow);
  EXPECT_EQ(copy->DrawingStyle(), TDrawingStyle::dsTransparent);
  EXPECT_NE(copy->Handle(), List->Handle());
  List->Clear();
  EXPECT_EQ(copy->Count(), 1) << "its own images";
  copy->AddImages(copy.get());  // itself: nothing
  List->AddImages(copy.get());
  EXPECT_EQ(List->Count(), 1);
  auto font = MakeOwned<TFont>();
  EXPECT_THROW(copy->Assign(font.get()), EConvertError);
}

TEST_F(ImageListTest, SharedImagesOutliveTheComponent)
{
  HIMAGELIST handle = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  {
    TOwned<TImageList> shared(New<TImageList>(nullptr));
    shared->SetShareImages(true);
    shared->SetHandle(handle);
    shared->Add(Image(clRed, clRed).get(), nullptr);
  }
  EXPECT_EQ(ImageList_GetImageCount(handle), 1) << "not destroyed with the component";
  ImageList_Destroy(handle);

  const int before = LiveGdiObjects(TGdiKind::ImageList);
  {
    TOwned<TImageList> owned(New<TImageList>(nullptr));
    owned->SetHandle(ImageList_Create(8, 8, ILC_COLOR24, 1, 1));
    EXPECT_EQ(owned->Width(), 8);
    EXPECT_EQ(LiveGdiObjects(TGdiKind::ImageList), before + 1);
  }
  EXPECT_EQ(LiveGdiObjects(TGdiKind::ImageList), before);
}
