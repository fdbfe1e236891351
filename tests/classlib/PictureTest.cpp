// TIcon (icon files and resources) and TPicture with its file-format registry.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "tests/classlib/GraphicsFixtures.h"
#include "tests/classlib/GraphicsTestSupport.h"

namespace {
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);

void Put16(std::string& s, size_t at, uint16_t v) { std::memcpy(&s[at], &v, 2); }
void Put32(std::string& s, size_t at, uint32_t v) { std::memcpy(&s[at], &v, 4); }

void LoadIcon(TIcon& icon, const std::string& bytes)
{
  auto stream = MakeOwned<TStringStream>(bytes);
  icon.LoadFromStream(*stream);
}

std::string SaveGraphic(TGraphic& graphic)
{
  auto stream = MakeOwned<TStringStream>();
  graphic.SaveToStream(*stream);
  return stream->DataString();
}

// A file in the temporary directory, removed again at the end of the test.
class TTempFile {
public:
  explicit TTempFile(const std::string& name, const std::string& bytes = {})
  {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    FPath = std::string(dir) + name;
    auto file = MakeOwned<TFileStream>(FPath, fmCreate);
    if (!bytes.empty()) file->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  ~TTempFile() { DeleteFileA(FPath.c_str()); }
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

std::string RedBlueBmp()
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICSREDBLUE");
  auto stream = MakeOwned<TStringStream>();
  bitmap->SaveToStream(*stream);
  return stream->DataString();
}

// A graphic class of the tests' own, to register as a file format.
class TTestGraphic : public TGraphic {
  CL_CLASS(TTestGraphic, TGraphic)
public:
  static inline int Loads = 0;
  bool Empty() const override { return FText.empty(); }
  int Width() const override { return static_cast<int>(FText.size()); }
  int Height() const override { return 1; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromStream(TStream& stream) override
  {
    ++Loads;
    FText.assign(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
    stream.ReadBuffer(FText.data(), static_cast<int64_t>(FText.size()));
    Changed(this);
  }
  void SaveToStream(TStream& stream) override { stream.WriteBuffer(FText.data(), static_cast<int64_t>(FText.size())); }
  void Assign(TPersistent* source) override
  {
    if (auto* t = dynamic_cast<TTestGraphic*>(source)) {
      FText = t->FText;
      Changed(this);
      return;
    }
    TGraphic::Assign(source);
  }

protected:
  void Draw(TCanvas*, const RECT&) override {}

private:
  std::string FText;
};
CL_DEFINE_CLASS(TTestGraphic);
}  // namespace

// ---- TIcon ---------------------------------------------------------------------------------------

TEST(Icon, LoadsAnIconFileAndDrawsItWithItsTransparency)
{
  const std::string file = ResourceBytes("GRAPHICSSQUAREFILE");
  auto icon = MakeOwned<TIcon>();
  EXPECT_TRUE(icon->Empty());
  LoadIcon(*icon, file);
  EXPECT_FALSE(icon->Empty());
  EXPECT_EQ(icon->Width(), 16);
  EXPECT_EQ(icon->Height(), 16);
  EXPECT_TRUE(icon->Transparent());

  TDibSurface surface(20, 20, Green);
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  canvas->Draw(2, 2, icon.get());
  canvas->SetHandle(nullptr);
  EXPECT_EQ(surface.Pixel(2 + 8, 2 + 8), Red);
  EXPECT_EQ(surface.Pixel(2 + 1, 2 + 1), Green) << "transparent corner";
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, Red), 64);

  EXPECT_EQ(SaveGraphic(*icon), file) << "the file is written back as it was loaded";
  EXPECT_THROW(icon->SetWidth(32), EInvalidGraphicOperation);
}

TEST(Icon, AnIconFromAHandleIsSavedAsAFileThatLoadsBack)
{
  // A colour icon: blue with a transparent left half.
  auto color = MakeOwned<TBitmap>();
  auto mask = MakeOwned<TBitmap>();
  color->SetPixelFormat(TPixelFormat::pf32bit);
  color->SetSize(8, 8);
  color->Canvas()->Brush()->SetColor(clBlue);
  color->Canvas()->FillRect(RECT{0, 0, 8, 8});
  mask->SetMonochrome(true);
  mask->SetSize(8, 8);
  mask->Canvas()->Brush()->SetColor(clBlack);
  mask->Canvas()->FillRect(RECT{4, 0, 8, 8});
  color->Canvas()->Brush()->SetColor(clBlack);
  color->Canvas()->FillRect(RECT{0, 0, 4, 8});
  ICONINFO ii{TRUE, 0, 0, mask->Handle(), color->Handle()};
  auto icon = MakeOwned<TIcon>();
  icon->SetHandle(CreateIconIndirect(&ii));
  EXPECT_EQ(icon->Width(), 8);

  auto again = MakeOwned<TIcon>();
  LoadIcon(*again, SaveGraphic(*icon));
  ASSERT_EQ(again->Width(), 8);
  TDibSurface surface(8, 8, Green);
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  canvas->Draw(0, 0, again.get());
  canvas->SetHandle(nullptr);
  EXPECT_EQ(surface.Pixel(1, 1), Green);
  EXPECT_EQ(surface.Pixel(6, 6), RGB(0, 0, 255));

  // A monochrome icon (no colour bitmap) too.
  const uint8_t andBits[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0};
  const uint8_t xorBits[8] = {};
  auto mono = MakeOwned<TIcon>();
  mono->SetHandle(CreateIcon(GetModuleHandleA(nullptr), 8, 8, 1, 1, andBits, xorBits));
  EXPECT_EQ(mono->Height(), 8);
  auto monoAgain = MakeOwned<TIcon>();
  LoadIcon(*monoAgain, SaveGraphic(*mono));
  TDibSurface monoSurface(8, 8, Green);
  canvas->SetHandle(monoSurface.DC());
  canvas->Draw(0, 0, monoAgain.get());
  canvas->SetHandle(nullptr);
  EXPECT_EQ(monoSurface.Pixel(1, 1), Green);
  EXPECT_EQ(monoSurface.Pixel(6, 1), RGB(0, 0, 0));
}

TEST(Icon, CorruptIconFilesAreRefusedAndTheIconIsKept)
{
  const std::string good = ResourceBytes("GRAPHICSSQUAREFILE");
  auto patched16 = [&](size_t at, uint16_t v) { std::string s = good; Put16(s, at, v); return s; };
  auto patched32 = [&](size_t at, uint32_t v) { std::string s = good; Put32(s, at, v); return s; };
  const struct {
    const char* What;
    std::string Bytes;
  } cases[] = {
    {"empty", ""},
    {"reserved", patched16(0, 1)},
    {"a cursor", patched16(2, 2)},
    {"no images", patched16(4, 0)},
    {"more images than the file has", patched16(4, 40)},
    {"image inside the directory", patched32(6 + 12, 6)},
    {"image beyond the end", patched32(6 + 12, 5000)},
    {"image size beyond the end", patched32(6 + 8, 5000)},
    {"truncated", good.substr(0, good.size() - 10)},
    {"header size", patched32(22, 12)},
    {"odd height", patched32(22 + 8, 31)},
    {"bit count", patched16(22 + 14, 7)},
    {"image larger than its entry", patched32(22 + 4, 64)},
    {"compression", patched32(22 + 16, BI_RLE8)},
  };
  for (const auto& c : cases) {
    auto icon = MakeOwned<TIcon>();
    LoadIcon(*icon, good);
    try {
      LoadIcon(*icon, c.Bytes);
      ADD_FAILURE() << c.What << ": accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Icon image is not valid") << c.What;
    }
    EXPECT_EQ(icon->Width(), 16) << c.What << ": the icon is kept";
  }
}

TEST(Icon, ResourcesAssignAndRelease)
{
  auto icon = MakeOwned<TIcon>();
  icon->LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICSSQUARE");
  EXPECT_EQ(icon->Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_THROW(icon->LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_ICON"), EResNotFound);
  EXPECT_THROW(icon->LoadFromResourceID(GetModuleHandleA(nullptr), 9999), EResNotFound);
  EXPECT_FALSE(icon->Empty()) << "a failed load keeps the icon";

  auto copy = MakeOwned<TIcon>();
  copy->Assign(icon.get());
  EXPECT_NE(copy->Handle(), icon->Handle()) << "its own icon";
  EXPECT_EQ(copy->Width(), icon->Width());
  HICON released = copy->ReleaseHandle();
  EXPECT_TRUE(copy->Empty());
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(released, &ii));
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(released);
  copy->Assign(nullptr);
  EXPECT_TRUE(copy->Empty());
  auto bitmap = MakeOwned<TBitmap>();
  EXPECT_THROW(copy->Assign(bitmap.get()), EConvertError);

  // A bitmap takes an icon by drawing it on white.
  auto file = MakeOwned<TIcon>();
  LoadIcon(*file, ResourceBytes("GRAPHICSSQUAREFILE"));
  bitmap->Assign(file.get());
  EXPECT_EQ(bitmap->Width(), 16);
  EXPECT_EQ(bitmap->Canvas()->Pixels(8, 8), clRed);
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clWhite);
}

// ---- TPicture and the file formats ---------------------------------------------------------------

TEST(Picture, TheRegistryMapsExtensionsToGraphicClasses)
{
  EXPECT_EQ(FileFormatClass("bmp"), TBitmap::StaticClass());
  EXPECT_EQ(FileFormatClass(".ICO"), TIcon::StaticClass());
  EXPECT_EQ(FileFormatClass("tst"), nullptr);

  RegisterFileFormat(".Tst", "Test pictures", TTestGraphic::StaticClass());
  EXPECT_EQ(FileFormatClass("TST"), TTestGraphic::StaticClass());
  EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
            "All (*.bmp;*.ico;*.jpg;*.jpeg;*.tst)|*.bmp;*.ico;*.jpg;*.jpeg;*.tst|Bitmaps (*.bmp)|*.bmp|"
            "Icons (*.ico)|*.ico|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
            "Test pictures (*.tst)|*.tst");
  EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
  UnregisterFileFormat(TTestGraphic::StaticClass());
  EXPECT_EQ(FileFormatClass("tst"), nullptr);

  EXPECT_THROW(RegisterFileFormat("x", "Fonts", TFont::StaticClass()), EInvalidGraphic);
  EXPECT_THROW(RegisterFileFormat("x", "Abstract", TGraphic::StaticClass()), EInvalidGraphic);
  EXPECT_THROW(RegisterFileFormat("", "None", TBitmap::StaticClass()), EInvalidGraphic);
}

TEST(Picture, LoadFromFilePicksTheClassByExtensionAndKeepsTheGraphicOnFailure)
{
  TTempFile bmp("picture-test.bmp", RedBlueBmp());
  TTempFile ico("picture-test.ICO", ResourceBytes("GRAPHICSSQUAREFILE"));
  TTempFile unknown("picture-test.xyz", "whatever");
  TTempFile corrupt("picture-test-corrupt.bmp", "BMnot a bitmap at all");
  TTempFile custom("picture-test.tst", "four");

  auto picture = MakeOwned<TPicture>();
  picture->LoadFromFile(bmp.Path());
  ASSERT_NE(dynamic_cast<TBitmap*>(picture->Graphic()), nullptr);
  EXPECT_EQ(picture->Width(), 4);
  EXPECT_EQ(picture->Height(), 2);

  try {
    picture->LoadFromFile(unknown.Path());
    FAIL() << "accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
  EXPECT_THROW(picture->LoadFromFile(corrupt.Path()), EInvalidGraphic);
  EXPECT_THROW(picture->LoadFromFile(bmp.Path() + ".missing.bmp"), EFOpenError);
  EXPECT_EQ(picture->Width(), 4) << "the graphic is kept";

  picture->LoadFromFile(ico.Path());
  EXPECT_NE(dynamic_cast<TIcon*>(picture->Graphic()), nullptr);

  RegisterFileFormat("tst", "Test pictures", TTestGraphic::StaticClass());
  TTestGraphic::Loads = 0;
  picture->LoadFromFile(custom.Path());
  UnregisterFileFormat(TTestGraphic::StaticClass());
  EXPECT_EQ(TTestGraphic::Loads, 1);
  EXPECT_EQ(picture->Width(), 4);

  TTempFile saved("picture-test-saved.tst");
  picture->SaveToFile(saved.Path());
  auto check = MakeOwned<TFileStream>(saved.Path(), fmOpenRead);
  EXPECT_EQ(check->Size(), 4);
}

TEST(Picture, HoldsCopiesAndTellsOfChanges)
{
  auto picture = MakeOwned<TPicture>();
  struct Listener : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  };
  auto listener = MakeOwned<Listener>();
  picture->SetOnChange(TNotifyEvent(listener.get(), &Listener::Changed));
  EXPECT_EQ(picture->Graphic(), nullptr);

  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(3, 3);
  picture->SetGraphic(bitmap.get());
  EXPECT_EQ(listener->Count, 1);
  ASSERT_NE(picture->Graphic(), bitmap.get()) << "a copy";
  EXPECT_EQ(picture->Width(), 3);
  picture->Bitmap()->Canvas()->FillRect(RECT{0, 0, 1, 1});
  EXPECT_EQ(listener->Count, 2) << "the graphic's changes are the picture's";

  TIcon* icon = picture->Icon();
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->Empty()) << "a bitmap picture asked for an icon gets a new one";
  EXPECT_EQ(picture->Bitmap()->Width(), 0);

  auto other = MakeOwned<TPicture>();
  other->Assign(picture.get());
  EXPECT_NE(dynamic_cast<TBitmap*>(other->Graphic()), nullptr);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  other->Assign(bitmap.get());
  EXPECT_EQ(other->Bitmap()->Canvas()->Pixels(0, 0), clRed);
  auto out = MakeOwned<TBitmap>();
  out->Assign(other.get());  // a picture goes into a graphic of its class
  EXPECT_EQ(out->Width(), 3);
  other->Assign(nullptr);
  EXPECT_EQ(other->Graphic(), nullptr);
  auto font = MakeOwned<TFont>();
  EXPECT_THROW(other->Assign(font.get()), EConvertError);
}

TEST(Picture, StoredFormDataNamesTheClassThenHoldsTheGraphic)
{
  auto picture = MakeOwned<TPicture>();
  picture->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICSREDBLUE");
  auto filer = MakeOwned<TRecordingFiler>();
  picture->DefineProperties(*filer);
  const TRecordingFiler::TBinary* data = filer->Find("Data");
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->HasData);
  auto stream = MakeOwned<TMemoryStream>();
  data->Write(*stream);
  const auto* bytes = static_cast<const char*>(stream->Memory());
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(std::string(bytes + 1, 7), "TBitmap");
  EXPECT_EQ(std::string(bytes + 12, 2), "BM") << "a length, then the bitmap file";

  auto copy = MakeOwned<TPicture>();
  stream->SetPosition(0);
  copy->ReadData(*stream);
  EXPECT_EQ(copy->Width(), 4);
  EXPECT_EQ(copy->Bitmap()->Canvas()->Pixels(0, 1), clRed);

  auto unknown = MakeOwned<TStringStream>(std::string("\x05TNone", 6));
  EXPECT_THROW(copy->ReadData(*unknown), EInvalidGraphic);
  EXPECT_EQ(copy->Width(), 4);
  auto none = MakeOwned<TStringStream>(std::string("\x00", 1));
  copy->ReadData(*none);
  EXPECT_EQ(copy->Graphic(), nullptr);

  auto empty = MakeOwned<TPicture>();
  auto emptyFiler = MakeOwned<TRecordingFiler>();
  empty->DefineProperties(*emptyFiler);
  EXPECT_FALSE(emptyFiler->Find("Data")->HasData);
}
