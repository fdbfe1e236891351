#include "toolkit/base/dxGDIPlusAPI.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>
#include "classlib/BoundLibrary.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/SysUtils.h"
#include "resources/strings/dxGDIPlusStrsIds.h"
#include "toolkit/base/cxClasses.h"

CL_DEFINE_CLASS(TdxGPBase);

#define DX_GDIPLUS_DEFINE(name) decltype(&gdip_decl::name) name = nullptr;
DX_GDIPLUS_ENTRY_POINTS(DX_GDIPLUS_DEFINE)
#undef DX_GDIPLUS_DEFINE

#define DX_GDIPLUS_NAME(name) #name,
const char* const GdiPlusEntryPointNames[] = {DX_GDIPLUS_ENTRY_POINTS(DX_GDIPLUS_NAME)};
#undef DX_GDIPLUS_NAME
const int GdiPlusEntryPointCount = static_cast<int>(std::size(GdiPlusEntryPointNames));

const TResStringRec sdxGdipInvalidOperation{IDS_dxGdipInvalidOperation};

const char* const GdiPlusMissingText =
    "This application requires the Microsoft GDI+ library to be installed. Gdiplus.dll is included with "
    "Windows XP and Vista. GDI+ is available as a redistributable file for Windows NT 4.0 SP6, Windows 2000, "
    "Windows 98, and Windows Me.  To download the latest redistributable,  see "
    "http://www.microsoft.com/downloads/";

CLSID dxBMPEncoderClsid{};
CLSID dxPNGEncoderClsid{};
CLSID dxJPEGEncoderClsid{};
CLSID dxTIFFEncoderClsid{};
CLSID dxGIFEncoderClsid{};

namespace {
bool GAvailable = false;
ULONG_PTR GToken = 0;
Gdiplus::GdiplusStartupOutput GStartupOutput;

HMODULE LoadGdiPlusModuleFromSystem()
{
  UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA("gdiplus.dll");
  SetErrorMode(oldMode);
  return module;
}

FARPROC GetProcFromModule(HMODULE module, const char* name) { return GetProcAddress(module, name); }

#define DX_GDIPLUS_LIBRARY_ENTRY(name) CL_LIBRARY_ENTRY(name, #name),
const TLibraryEntry Entries[] = {DX_GDIPLUS_ENTRY_POINTS(DX_GDIPLUS_LIBRARY_ENTRY)};
#undef DX_GDIPLUS_LIBRARY_ENTRY

// Entry points are looked up through the replaceable dxGetGdiPlusProc.
FARPROC WINAPI GetGdiPlusProc(HMODULE module, const char* name) { return dxGetGdiPlusProc(module, name); }

// A library without every entry point is of no use: it binds all or nothing.
TBoundLibrary GLibrary{"gdiplus.dll", Entries, TBoundLibrary::TBinding::AllOrNothing, GetGdiPlusProc};

void MarkGdiPlusUnavailable() { GAvailable = false; }
void ShutdownGdiPlusUnit() { UnloadGdiPlusLibrary(); }

void InitializeUnit()
{
  if (TdxUnitsLoader* loader = GetUnitsLoader()) loader->RegisterUnitProcs(MarkGdiPlusUnavailable, ShutdownGdiPlusUnit);
}

const TUnit* const Uses[] = {&UnitdxCore};

// The caption of the error box: the module's "Application Error" string, at most 128 characters.
std::string ApplicationErrorCaption()
{
  char caption[129]{};
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&GdiPlusMissingText), &module))
    module = GetModuleHandleA(nullptr);
  LoadStringA(module, IDS_SApplicationError, caption, 128);
  return caption;
}

// The header in front of a TdxGPBase's memory tells where the memory came from: 0 for the ordinary
// allocator, else the number of the GDI+ load that gave it (memory of an earlier load cannot be given
// back once that load has been undone).
constexpr size_t BlockHeader = 16;
thread_local void* GLastGdipBlock = nullptr;
uint32_t GLoadGeneration = 0;
}  // namespace

TUnit UnitdxGDIPlusAPI{"dxGDIPlusAPI", Uses, InitializeUnit};

TdxGdipMessageBoxFunc dxGdipMessageBox = MessageBoxA;
TdxGdipHaltProc dxGdipHalt = dxDefaultHalt;
TdxLoadGdiPlusModuleFunc dxLoadGdiPlusModule = LoadGdiPlusModuleFromSystem;
TdxGetGdiPlusProcFunc dxGetGdiPlusProc = GetProcFromModule;

void dxDefaultHalt(int exitCode)
{
  // The run time's halt: the units shut down, then the process ends.
  FinalizeUnits();
  std::exit(exitCode);
}

// ---- Exceptions -----------------------------------------------------------------------------------

EdxGdipException::EdxGdipException(int status)
    : EdxException(Format(GetResStringText(&sdxGdipInvalidOperation), {status})), FErrorCode(status)
{
}

void CheckGdipStatus(int status)
{
  if (status != GdipOk) throw EdxGdipException(status);
}

void CheckGdipStatus(GpStatus status) { CheckGdipStatus(static_cast<int>(status)); }

void CheckGdipTrue(bool condition)
{
  if (!condition) throw EdxGdipException(GdipInvalidParameter);
}

// ---- Loading --------------------------------------------------------------------------------------

bool GdiPlusAvailable() { return GAvailable; }

void LoadGdiPlusLibrary()
{
  if (GAvailable) return;
  GAvailable = GLibrary.LoadFrom(dxLoadGdiPlusModule());
  if (GAvailable) {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = TRUE;
    input.SuppressExternalCodecs = FALSE;
    GStartupOutput = {};
    GAvailable = GdiplusStartup(&GToken, &input, &GStartupOutput) == Gdiplus::Ok;
    // Without the background thread GDI+ asks its host to call the notification hook.
    if (GAvailable)
      GAvailable = GStartupOutput.NotificationHook && GStartupOutput.NotificationHook(&GToken) == Gdiplus::Ok;
    if (GAvailable) ++GLoadGeneration;
    if (!GAvailable) {
      if (GToken && GdiplusShutdown) GdiplusShutdown(GToken);
      GToken = 0;
      GStartupOutput = {};
    }
  }
  // A library that cannot be used goes, so that the next check loads afresh.
  if (!GAvailable) GLibrary.Unload();
}

void UnloadGdiPlusLibrary()
{
  if (GAvailable) {
    if (GStartupOutput.NotificationUnhook) GStartupOutput.NotificationUnhook(GToken);
    GdiplusShutdown(GToken);
    GToken = 0;
    GStartupOutput = {};
  }
  GLibrary.Unload();
  GAvailable = false;
}

bool CheckGdiPlusAvailable(bool stopWhenMissing)
{
  if (!GAvailable) LoadGdiPlusLibrary();
  if (!GAvailable && stopWhenMissing) {
    std::string caption = ApplicationErrorCaption();
    dxGdipMessageBox(nullptr, GdiPlusMissingText, caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
    dxGdipHalt(1);
  }
  return GAvailable;
}

// ---- Encoders -------------------------------------------------------------------------------------

int FindEncoderByMime(const char* mimeType, CLSID& classId)
{
  if (!GAvailable || !mimeType) return GdipGenericError;
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return GdipGenericError;
  std::vector<std::byte> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return GdipGenericError;
  std::wstring wanted = ConvertAnsiToWide(mimeType);
  for (UINT i = 0; i < count; ++i)
    if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, wanted.c_str()) == 0) {
      classId = codecs[i].Clsid;
      return GdipOk;
    }
  return GdipGenericError;
}

void EnsureEncoderClsid(const char* mimeType, CLSID& classId)
{
  static const CLSID empty{};
  if (!IsEqualCLSID(classId, empty)) return;
  CheckGdipStatus(FindEncoderByMime(mimeType, classId));
}

void LookUpImageEncoders()
{
  EnsureEncoderClsid("image/bmp", dxBMPEncoderClsid);
  EnsureEncoderClsid("image/png", dxPNGEncoderClsid);
  EnsureEncoderClsid("image/jpeg", dxJPEGEncoderClsid);
  EnsureEncoderClsid("image/tiff", dxTIFFEncoderClsid);
  EnsureEncoderClsid("image/gif", dxGIFEncoderClsid);
}

void InitImageEncoders() { LookUpImageEncoders(); }

// ---- Bitmaps, colours, rectangles ----------------------------------------------------------------

GpBitmap* CreateGdipBitmap32(int width, int height)
{
  GpBitmap* bitmap = nullptr;
  CheckGdipTrue(CheckGdiPlusAvailable());
  CheckGdipStatus(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppPARGBValue, nullptr, &bitmap));
  return bitmap;
}

GpBitmap* CreateGdipBitmapForRect(const RECT& rect) { return CreateGdipBitmap32(RectWidth(rect), RectHeight(rect)); }

ARGB ColorToGdipARGB(TColor color, BYTE alpha)
{
  if (color == clNone) return 0;
  return PackColorAsRGBQuad(color, alpha);
}

GpRect MakeGdipRect(int x, int y, int width, int height)
{
  GpRect r;
  r.X = x;
  r.Y = y;
  r.Width = width;
  r.Height = height;
  return r;
}

// ---- TdxGPBase ------------------------------------------------------------------------------------

void* TdxGPBase::operator new(size_t size)
{
  const bool fromGdip = GAvailable && GdipAlloc;
  void* block = fromGdip ? GdipAlloc(size + BlockHeader) : std::malloc(size + BlockHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<uint32_t*>(block) = fromGdip ? GLoadGeneration : 0;
  void* object = static_cast<char*>(block) + BlockHeader;
  if (fromGdip) GLastGdipBlock = object;
  return object;
}

void TdxGPBase::operator delete(void* object)
{
  if (!object) return;
  void* block = static_cast<char*>(object) - BlockHeader;
  if (const uint32_t generation = *static_cast<uint32_t*>(block)) {
    if (GAvailable && generation == GLoadGeneration) GdipFree(block);
  } else {
    std::free(block);
  }
}

// An object made by new finds its block as the thread's last one; any other (a member, a local) did
// not come from GDI+.
TdxGPBase::TdxGPBase() : FAllocatedByGdip(GLastGdipBlock == this) { GLastGdipBlock = nullptr; }
