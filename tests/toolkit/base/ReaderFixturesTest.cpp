// The inputs that readers of outside bytes once mishandled (readers/README.md): crashes inside the
// platform's readers, heap damage, sizes trusted into hundreds of megabytes, values cut to fit,
// forms the writer could not write back. Read one after another in one process, in the order of
// the table there, each is refused with a class-library exception or read as it should be, and
// valid reads work afterwards: the process is as it was.
#include <gtest/gtest.h>
#include <string>
#include "classlib/GraphicsUtils.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "classlib/RichEdit.h"
#include "classlib/Streams.h"
#include "tests/support/FormTree.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "tests/toolkit/base/ReaderHarness.h"

namespace {
struct TFixture {
  const char* File;
  TReaderKind Kind;
  const char* Refusal;  // the start of the refusal ("EReadError: ..."); nullptr: read
};

// readers/README.md, in its order.
const TFixture Fixtures[] = {
  {"il_stream_crash_read.raw", TReaderKind::ImageListData, "EReadError: Failed to read ImageList data"},
  {"il_stream_crash_stack.raw", TReaderKind::ImageListData, "EReadError: Failed to read ImageList data"},
  {"il_stream_heapdamage_cx255.raw", TReaderKind::ImageListData, "EReadError: Failed to read ImageList data"},
  {"il_stream_valid_after_damage.raw", TReaderKind::ImageListData, nullptr},
  {"form_imagelist_crash.dfm", TReaderKind::FuzzForm, "EReadError: Line 3: Failed to read ImageList data"},
  {"form_imagelist_heapdamage.dfm", TReaderKind::FuzzForm, "EReadError: Line 3: Failed to read ImageList data"},
  {"form_imagelist_valid.dfm", TReaderKind::FuzzForm, nullptr},
  {"gdip_bmp_read_past_stream.bmp", TReaderKind::GdipPng, "EInvalidGraphic: Bitmap image is not valid"},
  {"gdip_bmp_copypixels.bmp", TReaderKind::GdipPng, "EInvalidGraphic: Bitmap image is not valid"},
  {"gdip_bmp_converter_write.bmp", TReaderKind::GdipPng, "EInvalidGraphic: Bitmap image is not valid"},
  {"gdip_png_chunk_read.png", TReaderKind::GdipPng, "EInvalidGraphic: PNG image is not valid"},
  {"gdip_jpeg_20000x20000_truncated.jpg", TReaderKind::GdipPng, "EInvalidGraphic: JPEG image is too large"},
  {"gdip_png_bomb_10000x10000.png", TReaderKind::GdipPng, "EInvalidGraphic: PNG image is too large"},
  {"jpeg_20000x20000_refused.jpg", TReaderKind::Jpeg, "EInvalidGraphic: JPEG image is too large"},
  {"bmp_rle8_16384x16384_47_bytes.bmp", TReaderKind::Bitmap, "EInvalidGraphic: Bitmap image is too large"},
  {"bmp_rle4_32768x16384.bmp", TReaderKind::Bitmap, "EInvalidGraphic: Bitmap image is too large"},
  {"xdbm_rle_bomb_77_bytes.bin", TReaderKind::CompressedBitmap, "EInvalidGraphic: Bitmap image is too large"},
  {"cxil_rle_item_512MB.bin", TReaderKind::CxImageList, "EInvalidGraphic: Bitmap image is too large"},
  {"cxil_rle_mask_kept.bin", TReaderKind::CxImageList, "EInvalidGraphic: Bitmap image is too large"},
  {"form_int_truncation.dfm", TReaderKind::FuzzForm, "EReadError: Line 3: Value 4294967306 of property Width"},
  {"form_float_out_of_range.dfm", TReaderKind::TestForm, "EParserError: Line 2: Invalid floating point value 1e39s"},
  {"form_currency_overflow.dfm", TReaderKind::TestForm, "EParserError: Line 2: Invalid floating point value 1e300c"},
  {"form_nan_float.bin", TReaderKind::TestFormBinary, "EReadError: Invalid floating point value"},
  {"form_writer_drops_nonvisual.dfm", TReaderKind::FuzzForm, nullptr},
  {"form_256_nested_totext_refused.bin", TReaderKind::TestFormBinary, nullptr},
  {"form_richedit_8000_lines.dfm", TReaderKind::FuzzForm, nullptr},
};

std::string ResourceName(std::string file)
{
  std::string name;
  for (char c : file)
    if (c != '_' && c != '.') name += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return name;
}
}  // namespace

TEST(ReaderFixtures, EachIsRefusedOrReadInTurnAndTheProcessStaysSound)
{
  RegisterReaderClasses();
  const int gdiObjects = LiveGdiObjects();
  for (const TFixture& f : Fixtures) {
    SCOPED_TRACE(f.File);
    const std::string bytes = ReaderFixture(ResourceName(f.File).c_str());
    ASSERT_FALSE(bytes.empty()) << "the fixture is embedded";
    const TReadOutcome outcome = ReadWith(f.Kind, bytes);
    EXPECT_EQ(outcome.Fault, "");
    if (f.Refusal) {
      EXPECT_FALSE(outcome.Read);
      EXPECT_EQ(outcome.Refusal.rfind(f.Refusal, 0), 0u) << outcome.Refusal;
    } else {
      EXPECT_TRUE(outcome.Read) << outcome.Refusal;
    }
  }
  EXPECT_EQ(LiveGdiObjects(), gdiObjects) << "nothing the reads made is left";

  // Valid reads after all of them.
  {
    TOwned<TImageList> list(New<TImageList>(nullptr));
    auto stream = fixtures::StreamOf(ReaderFixture("ILSTREAMVALIDAFTERDAMAGERAW"));
    list->ReadData(*stream);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Width(), 16);
  }
  {
    TOwned<TFuzzMain> form(New<TFuzzMain>(nullptr, CreateNew));
    ReadComponentFromText(ReaderFixture("FORMRICHEDIT8000LINESDFM"), form.get());
    auto* edit = As<TRichEdit>(form->FindComponent("R"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Lines()->Count(), 8000);
  }
  EXPECT_TRUE(ReadWith(TReaderKind::GdipPng, fixtures::MakePng(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0})).Read);

  // The form whose non-visual components the writer dropped: written back, it keeps them all and
  // reads back to the same tree.
  const std::string nonVisual = ReaderFixture("FORMWRITERDROPSNONVISUALDFM");
  TOwned<TFuzzMain> form(New<TFuzzMain>(nullptr, CreateNew));
  ReadComponentFromText(nonVisual, form.get());
  ExpectFormRoundTrip(form.get(), nonVisual);

  // The 256 nested objects the reader took and the conversion to text refused: the two count
  // nesting alike now, and the text converts back.
  auto nested = fixtures::StreamOf(ReaderFixture("FORM256NESTEDTOTEXTREFUSEDBIN"));
  auto text = MakeOwned<TStringStream>();
  ASSERT_NO_THROW(ObjectBinaryToText(*nested, *text));
  auto binary = MakeOwned<TMemoryStream>();
  EXPECT_NO_THROW(ObjectTextToBinary(text->DataString(), *binary));
}
