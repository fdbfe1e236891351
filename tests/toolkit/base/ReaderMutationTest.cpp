// Runs of mutated inputs through every reader of outside bytes: the project's own valid streams
// (image list data, stored forms in both forms, pictures of every format, compressed bitmaps, the
// toolkit image list, ini text), changed at random with a fixed seed (bits flipped, fields set to
// extreme values, ranges cut, repeated or dropped). Every input is read or refused with a
// class-library exception; nothing else escapes and nothing crashes. READER_MUTATIONS sets the
// number of inputs per reader (2,000 unless set).
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Filer.h"
#include "classlib/ImageList.h"
#include "classlib/JPEG.h"
#include "classlib/Menus.h"
#include "classlib/ObjectText.h"
#include "classlib/RichEdit.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "tests/toolkit/base/ReaderHarness.h"
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxImageList.h"
#include "toolkit/base/dxGDIPlusClasses.h"

namespace {
int MutationsPerReader()
{
  const char* n = std::getenv("READER_MUTATIONS");
  return n && std::atoi(n) > 0 ? std::atoi(n) : 2000;
}

// A picture of gradients, w x h, in the given format.
TOwned<TBitmap> Picture(int w, int h, TPixelFormat format = TPixelFormat::pf24bit)
{
  TOwned<TBitmap> bitmap = fixtures::GradientBitmap(w, h);
  bitmap->SetPixelFormat(format);
  return bitmap;
}

template <class Write>
std::string Written(Write write)
{
  auto stream = MakeOwned<TMemoryStream>();
  write(*stream);
  return fixtures::BytesOf(*stream);
}

// Opens a toolkit bitmap's stored-data writer to the test.
class TWritableCxBitmap : public TcxBitmap {
public:
  using TcxBitmap::WriteData;
};

template <TdxImageDataFormat F>
class TEncodingImage : public TdxGPImage {
protected:
  TdxImageDataFormat SaveFormat() const override { return F; }
};

template <TdxImageDataFormat F>
std::string Encoded(int w, int h)
{
  TOwned<TBitmap> bitmap = Picture(w, h);
  auto image = TdxGPImage::CreateFromBitmap<TEncodingImage<F>>(bitmap.get());
  return Written([&](TStream& s) { image->SaveToStream(s); });
}

// Changes a few bytes of seed: bits, fields set to extreme values (little- and big-endian), ranges
// dropped or repeated, the end cut.
std::string Mutate(const std::string& seed, std::mt19937& rng)
{
  static constexpr uint32_t Extremes[] = {0,     1,      0x7F,   0x80,       0xFF,       0x100,     0x3FF, 0x400,
                                          0x7FFF, 0x8000, 0xFFFF, 0x10000,    20000,      0x7FFFFFFF, 0x80000000,
                                          0xFFFFFFFF};
  std::string s = seed;
  auto pick = [&](size_t n) { return n ? static_cast<size_t>(rng() % n) : 0; };
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits && !s.empty(); ++e) {
    const size_t at = pick(s.size());
    const uint32_t value = Extremes[pick(std::size(Extremes))];
    switch (rng() % 8) {
      case 0: s[at] = static_cast<char>(s[at] ^ (1 << (rng() % 8))); break;
      case 1: s[at] = static_cast<char>(value); break;
      case 2:
      case 3: {  // a 16- or 32-bit field, little-endian
        const int bytes = (rng() % 2) ? 2 : 4;
        for (int i = 0; i < bytes && at + i < s.size(); ++i) s[at + i] = static_cast<char>(value >> (8 * i));
        break;
      }
      case 4: {  // big-endian
        const int bytes = (rng() % 2) ? 2 : 4;
        for (int i = 0; i < bytes && at + i < s.size(); ++i)
          s[at + i] = static_cast<char>(value >> (8 * (bytes - 1 - i)));
        break;
      }
      case 5: s.erase(at, 1 + pick(16)); break;
      case 6: s.insert(pick(s.size()), s.substr(at, 1 + pick(64))); break;
      default: s.resize(at); break;
    }
  }
  return s;
}

// Runs count mutated inputs made from the seeds through one reader; reports the counts.
void RunMutations(const char* name, TReaderKind kind, const std::vector<std::string>& seeds, unsigned seed)
{
  RegisterReaderClasses();
  for (const std::string& s : seeds) {
    const TReadOutcome outcome = ReadWith(kind, s);
    ASSERT_TRUE(outcome.Read) << name << ": a seed is not read: " << outcome.Refusal << outcome.Fault;
  }
  std::mt19937 rng(seed);
  const int count = MutationsPerReader();
  int read = 0, refused = 0, faults = 0;
  for (int i = 0; i < count; ++i) {
    const std::string input = Mutate(seeds[static_cast<size_t>(i) % seeds.size()], rng);
    const TReadOutcome outcome = ReadWith(kind, input);
    if (!outcome.Fault.empty()) {
      if (++faults <= 5) ADD_FAILURE() << name << ": input " << i << " (seed " << seed << "): " << outcome.Fault;
      continue;
    }
    outcome.Read ? ++read : ++refused;
  }
  std::printf("reader mutations: %s: %d inputs, %d refused, %d read\n", name, count, refused, read);
  EXPECT_EQ(faults, 0);
}

std::vector<std::string> FuzzForms()
{
  TOwned<TFuzzMain> form(New<TFuzzMain>(nullptr, CreateNew));
  form->SetName("F");
  auto* images = New<TImageList>(form.get());
  images->SetName("Images");
  images->AddMasked(Picture(48, 16).get(), clFuchsia);
  auto* panel = New<TPanel>(form.get());
  panel->SetName("P");
  panel->SetParent(form.get());
  auto* button = New<TButton>(form.get());
  button->SetName("B");
  button->SetParent(panel);
  auto* edit = New<TRichEdit>(form.get());
  edit->SetName("R");
  edit->SetParent(form.get());
  edit->Lines()->Add("一");
  edit->Lines()->Add("two");
  auto* actions = New<TActionList>(form.get());
  actions->SetName("Actions");
  actions->SetImages(images);
  auto* action = New<TAction>(form.get());
  action->SetName("Run");
  action->SetActionList(actions);
  action->SetCaption("Run");
  button->SetAction(action);
  auto* timer = New<TTimer>(form.get());
  timer->SetName("T");
  timer->SetInterval(5);
  auto* menu = New<TPopupMenu>(form.get());
  menu->SetName("Menu");
  auto* item = New<TMenuItem>(form.get());
  item->SetName("Item");
  item->SetCaption("打开");
  menu->Items()->Add(item);
  panel->SetPopupMenu(menu);
  const std::string binary = Written([&](TStream& s) { WriteComponentToStream(s, form.get()); });
  return {binary, ComponentToText(form.get())};
}

const char* const TestFormText =
    "object TestForm: TTestForm\n"
    "  Caption = '\xE6\xB5\x8B\xE8\xAF\x95'\n  Ratio = 1.5\n  Color = clRed\n  Font.Height = -12\n  Font.Style = [fsBold]\n"
    "  Lines.Strings = (\n    'a'\n    'b')\n"
    "  Items = <\n    item\n      Caption = 'one'\n      Target = W\n      Note = 'n'\n    end\n"
    "    item\n      Width = 7\n    end>\n"
    "  Blob = {0102030405}\n  Secret = 42\n  OnClick = FormClick\n"
    "  object W: TTestWidget\n    Left = 3\n    Shape = shCircle\n    Anchors = [akLeft, akRight]\n"
    "    Buddy = V\n    ShortCut = 16449\n    object V: TTestWidget\n      Visible = False\n    end\n  end\n"
    "  object N: TTestNonVisual\n    Left = 10\n    Top = 20\n  end\n"
    "end\n";
}  // namespace

TEST(ReaderMutations, ImageListData)
{
  std::vector<std::string> seeds;
  for (TColorDepth depth : {TColorDepth::cd32Bit, TColorDepth::cdDeviceDependent, TColorDepth::cd8Bit}) {
    TOwned<TImageList> list(New<TImageList>(nullptr));
    list->SetColorDepth(depth);
    list->SetMasked(depth != TColorDepth::cd8Bit);
    list->AddMasked(Picture(80, 16).get(), clFuchsia);
    seeds.push_back(Written([&](TStream& s) { list->WriteData(s); }));
  }
  RunMutations("image list data", TReaderKind::ImageListData, seeds, 33001);
}

TEST(ReaderMutations, StoredForms)
{
  const std::vector<std::string> forms = FuzzForms();
  RunMutations("stored form, binary", TReaderKind::FuzzFormBinary, {forms[0]}, 33002);
  RunMutations("stored form, text", TReaderKind::FuzzForm, {forms[1]}, 33003);
  auto binary = MakeOwned<TMemoryStream>();
  ObjectTextToBinary(TestFormText, *binary);
  RunMutations("test form, binary", TReaderKind::TestFormBinary, {fixtures::BytesOf(*binary)}, 33004);
  RunMutations("test form, text", TReaderKind::TestForm, {TestFormText}, 33005);
}

TEST(ReaderMutations, GdiPlusPictures)
{
  const std::string gif("GIF89a\x02\0\x02\0\x80\0\0\xFF\0\0\0\0\xFF,\0\0\0\0\x02\0\x02\0\0\x02\x03\x44\x34\x05\0;", 36);
  RunMutations("GDI+ pictures",
               TReaderKind::GdipPng,
               {fixtures::MakePng(6, 4, std::vector<uint32_t>(24, 0x80FF8040)), Encoded<TdxImageDataFormat::dxImageJpeg>(24, 16),
                Encoded<TdxImageDataFormat::dxImageBitmap>(7, 5), Encoded<TdxImageDataFormat::dxImageTiff>(8, 8), gif},
               33006);
}

TEST(ReaderMutations, JpegPictures)
{
  std::vector<std::string> seeds;
  for (bool grey : {false, true}) {
    TOwned<TBitmap> bitmap = Picture(40, 24);
    auto jpeg = MakeOwned<TJPEGImage>();
    jpeg->Assign(bitmap.get());
    jpeg->SetGrayscale(grey);
    seeds.push_back(Written([&](TStream& s) { jpeg->SaveToStream(s); }));
  }
  RunMutations("JPEG pictures", TReaderKind::Jpeg, seeds, 33007);
}

TEST(ReaderMutations, BitmapFiles)
{
  std::vector<std::string> seeds;
  for (TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf16bit,
                         TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    TOwned<TBitmap> bitmap = Picture(9, 5, f);
    seeds.push_back(Written([&](TStream& s) { bitmap->SaveToStream(s); }));
  }
  // Run-length data: 8 bits (runs, a delta, literal pixels) and 4 bits.
  std::string rle8("BM\0\0\0\0\0\0\0\0\0\0\0\0\x28\0\0\0\x08\0\0\0\x04\0\0\0\x01\0\x08\0\x01\0\0\0\x10\0\0\0"
                   "\0\0\0\0\0\0\0\0\x02\0\0\0\0\0\0\0\0\0\xFF\0\xFF\0\0\0",
                   62);
  rle8[10] = 62;
  rle8 += std::string("\x04\x01\x00\x00\x00\x02\x01\x01\x00\x03\x01\x00\x01\x00\x00\x01", 16);
  std::string rle4 = rle8;
  rle4[28] = 4;
  rle4[30] = BI_RLE4;
  seeds.push_back(rle8);
  seeds.push_back(rle4);
  RunMutations("bitmap files", TReaderKind::Bitmap, seeds, 33008);
}

TEST(ReaderMutations, CompressedBitmapsAndTheToolkitImageList)
{
  std::vector<std::string> bitmaps;
  for (TPixelFormat f : {TPixelFormat::pf8bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    auto bitmap = MakeOwned<TWritableCxBitmap>();
    bitmap->Assign(Picture(12, 6, f).get());
    bitmap->SetCompressData(true);
    bitmaps.push_back(Written([&](TStream& s) { bitmap->WriteData(s); }));
  }
  RunMutations("compressed bitmaps", TReaderKind::CompressedBitmap, bitmaps, 33009);

  TOwned<TcxImageList> list(New<TcxImageList>(nullptr));
  list->SetName("Images");
  list->AddBitmapWithMask(Picture(16, 16, TPixelFormat::pf32bit).get(), nullptr);
  list->AddBitmapWithMask(Picture(16, 16).get(), Picture(16, 16, TPixelFormat::pf1bit).get());
  RunMutations("toolkit image list", TReaderKind::CxImageList,
               {Written([&](TStream& s) { WriteComponentToStream(s, list.get()); })}, 33010);
}

TEST(ReaderMutations, IniText)
{
  RunMutations("ini text", TReaderKind::IniText,
               {"; settings\n[常规]\n标题=文件检索\n[General]\nPath=C:\\数据\\a b.txt\nCount=-42\n\n[Empty]\n[general]\nHex=$1F\n"},
               33011);
}
