// The GDI+ binding: binding all or nothing, the stop when GDI+ is missing, status exceptions,
// encoders and colour conversion.
//
// The suite GdiPlusMissing runs a second time in a process where Wine does not load gdiplus.dll
// (see tests/toolkit/base/CMakeLists.txt); in the ordinary run it is skipped.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "toolkit/base/dxGDIPlusAPI.h"
#include "toolkit/base/dxGDIPlusClasses.h"

namespace {
// What the stop did, through the seams.
struct TStopRecord {
  int Boxes = 0;
  std::string Text, Caption;
  UINT Type = 0;
  int Halts = 0;
  int ExitCode = -1;
};
TStopRecord GStop;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
  ++GStop.Boxes;
  GStop.Text = text;
  GStop.Caption = caption;
  GStop.Type = type;
  return IDOK;
}
void RecordHalt(int code)
{
  ++GStop.Halts;
  GStop.ExitCode = code;
}

// Seams replaced for one test and put back after it; GDI+ is loaded again at the end.
class GdiPlusSeams : public ::testing::Test {
protected:
  void SetUp() override
  {
    GStop = {};
    dxGdipMessageBox = RecordBox;
    dxGdipHalt = RecordHalt;
  }
  void TearDown() override
  {
    dxGdipMessageBox = MessageBoxA;
    dxGdipHalt = dxDefaultHalt;
    dxLoadGdiPlusModule = FSavedLoad;
    dxGetGdiPlusProc = FSavedGetProc;
    if (FReload) CheckGdiPlusAvailable();
  }
  // GDI+ is unloaded by the test; the shared paint canvas must not outlive it.
  void Unload()
  {
    FReload = true;
    UnloadGdiPlusLibrary();
  }

  TdxLoadGdiPlusModuleFunc FSavedLoad = dxLoadGdiPlusModule;
  TdxGetGdiPlusProcFunc FSavedGetProc = dxGetGdiPlusProc;
  bool FReload = false;
};

const char* GMissingName = nullptr;
FARPROC WithoutOneEntry(HMODULE module, const char* name)
{
  return std::strcmp(name, GMissingName) == 0 ? nullptr : GetProcAddress(module, name);
}
HMODULE NoLibrary() { return nullptr; }

std::vector<void*> BoundEntryPoints()
{
  std::vector<void*> entries;
#define DX_TEST_COLLECT(name) entries.push_back(reinterpret_cast<void*>(name));
  DX_GDIPLUS_ENTRY_POINTS(DX_TEST_COLLECT)
#undef DX_TEST_COLLECT
  return entries;
}
}  // namespace

TEST_F(GdiPlusSeams, EveryEntryPointIsBoundAndGdiPlusStarts)
{
  ASSERT_TRUE(CheckGdiPlusAvailable());
  EXPECT_EQ(GdiPlusEntryPointCount, 109);
  EXPECT_STREQ(GdiPlusEntryPointNames[0], "GdipAlloc");
  EXPECT_STREQ(GdiPlusEntryPointNames[108], "GdipGetImageRawFormat");
  for (void* entry : BoundEntryPoints()) EXPECT_NE(entry, nullptr);
  // Available and asked to stop: nothing is shown.
  EXPECT_TRUE(CheckGdiPlusAvailable(true));
  EXPECT_EQ(GStop.Boxes, 0);
  EXPECT_EQ(GStop.Halts, 0);
}

TEST_F(GdiPlusSeams, ALibraryLackingAnyEntryPointCountsAsMissingAndIsTriedAgainLater)
{
  for (const char* missing : {"GdipAlloc", "GdiplusStartup", "GdipDrawImageRectRectI", "GdipGetImageRawFormat"}) {
    SCOPED_TRACE(missing);
    Unload();
    GMissingName = missing;
    dxGetGdiPlusProc = WithoutOneEntry;
    EXPECT_FALSE(CheckGdiPlusAvailable());
    EXPECT_FALSE(GdiPlusAvailable());
    for (void* entry : BoundEntryPoints()) EXPECT_EQ(entry, nullptr);
    // The next check loads again: with the whole library GDI+ is there.
    dxGetGdiPlusProc = FSavedGetProc;
    EXPECT_TRUE(CheckGdiPlusAvailable());
  }
}

TEST_F(GdiPlusSeams, AMissingLibraryWithStopShowsTheBoxAndHalts)
{
  Unload();
  dxLoadGdiPlusModule = NoLibrary;
  EXPECT_FALSE(CheckGdiPlusAvailable(false));
  EXPECT_EQ(GStop.Boxes, 0);
  EXPECT_FALSE(CheckGdiPlusAvailable(true));
  EXPECT_EQ(GStop.Boxes, 1);
  EXPECT_EQ(GStop.Caption, "Application Error");
  EXPECT_EQ(GStop.Text, GdiPlusMissingText);
  EXPECT_EQ(GStop.Text.rfind("This application requires the Microsoft GDI+ library to be installed.", 0), 0u);
  EXPECT_EQ(GStop.Type, static_cast<UINT>(MB_TASKMODAL | MB_ICONERROR));
  EXPECT_EQ(GStop.Halts, 1);
  EXPECT_EQ(GStop.ExitCode, 1);
}

TEST(GdiPlus, FailedStatusesRaiseWithTheStatusInTheMessage)
{
  EXPECT_NO_THROW(CheckGdipStatus(0));
  EXPECT_NO_THROW(CheckGdipTrue(true));
  try {
    CheckGdipStatus(Gdiplus::Win32Error);
    FAIL() << "no exception";
  } catch (const EdxGdipException& e) {
    EXPECT_EQ(e.ErrorCode(), 7);
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (Code: 7)");
  }
  try {
    CheckGdipTrue(false);
    FAIL() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (Code: 2)");
  }
}

TEST(GdiPlus, ColoursBecomeArgb)
{
  EXPECT_EQ(ColorToGdipARGB(clNone, 255), 0u);
  EXPECT_EQ(ColorToGdipARGB(clRed, 255), 0xFFFF0000u);
  EXPECT_EQ(ColorToGdipARGB(clBlue, 128), 0x800000FFu);
  EXPECT_EQ(ColorToGdipARGB(static_cast<TColor>(0x123456), 0), 0x00563412u);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorToGdipARGB(clBtnFace), 0xFF000000u | GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face));
  const GpRect r = MakeGdipRect(1, 2, 3, 4);
  EXPECT_EQ(r.X + r.Y * 10 + r.Width * 100 + r.Height * 1000, 4321);
}

TEST_F(GdiPlusSeams, EncodersAreFoundByMimeTypeWithoutRegardToCase)
{
  ASSERT_TRUE(CheckGdiPlusAvailable());
  CLSID png{};
  EXPECT_EQ(FindEncoderByMime("IMAGE/PNG", png), 0);
  EXPECT_TRUE(IsEqualCLSID(png, dxPNGEncoderClsid));
  CLSID none{};
  EXPECT_EQ(FindEncoderByMime("image/x-none", none), 1);
  const CLSID empty{};
  for (const CLSID* id : {&dxBMPEncoderClsid, &dxJPEGEncoderClsid, &dxTIFFEncoderClsid, &dxGIFEncoderClsid})
    EXPECT_FALSE(IsEqualCLSID(*id, empty));

  // A filled class id is not looked up again: this works even with GDI+ gone.
  Unload();
  CLSID filled = png;
  EXPECT_NO_THROW(EnsureEncoderClsid("image/png", filled));
  EXPECT_TRUE(IsEqualCLSID(filled, png));
  CLSID unfilled{};
  EXPECT_EQ(FindEncoderByMime("image/png", unfilled), 1);
  EXPECT_THROW(EnsureEncoderClsid("image/png", unfilled), EdxGdipException);
}

TEST_F(GdiPlusSeams, WrapperMemoryComesFromGdiPlusWhileItIsAvailable)
{
  ASSERT_TRUE(CheckGdiPlusAvailable());
  TOwned<TdxGPCanvas> fromGdip(New<TdxGPCanvas>());
  EXPECT_TRUE(fromGdip->AllocatedByGdip());
  fromGdip.reset();

  Unload();
  TOwned<TdxGPCanvas> ordinary(New<TdxGPCanvas>());
  EXPECT_FALSE(ordinary->AllocatedByGdip());
}

// ---- Without GDI+ (run in its own process with gdiplus.dll switched off) ----------------------------

TEST(GdiPlusMissing, PicturesAreNotOfferedAndTheStopShowsTheBoxAndHalts)
{
  char overrides[256]{};
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  const bool switchedOff = std::strstr(overrides, "gdiplus=d") != nullptr;
  if (!switchedOff) GTEST_SKIP() << "GDI+ is not switched off in this run";
  ASSERT_FALSE(GdiPlusAvailable()) << "gdiplus.dll was loaded although it is switched off";
  EXPECT_FALSE(CheckGdiPlusAvailable());
  EXPECT_EQ(FileFormatClass("png"), nullptr);
  EXPECT_EQ(FileFormatClass("gif"), nullptr);
  EXPECT_EQ(GetClass("TdxPNGImage"), nullptr);
  // The class library's own formats are still there.
  EXPECT_EQ(FileFormatClass("jpg") != nullptr, true);

  // An image cannot be decoded without GDI+: a GDI+ error, and the image stays empty.
  auto image = MakeOwned<TdxPNGImage>();
  auto stream = fixtures::StreamOf(fixtures::MakePng(1, 1, {0xFF00FF00}));
  try {
    image->LoadFromStream(*stream);
    FAIL() << "no exception";
  } catch (const EdxGdipException& e) {
    EXPECT_EQ(e.ErrorCode(), 2);
  }
  EXPECT_TRUE(image->Empty());

  GStop = {};
  {
    TScopedSeam<TdxGdipMessageBoxFunc> box(dxGdipMessageBox, RecordBox);
    TScopedSeam<TdxGdipHaltProc> halt(dxGdipHalt, RecordHalt);
    EXPECT_FALSE(CheckGdiPlusAvailable(true));
  }
  EXPECT_EQ(GStop.Boxes, 1);
  EXPECT_EQ(GStop.Caption, "Application Error");
  EXPECT_EQ(GStop.Text, GdiPlusMissingText);
  EXPECT_EQ(GStop.Type, static_cast<UINT>(MB_TASKMODAL | MB_ICONERROR));
  EXPECT_EQ(GStop.Halts, 1);
}
