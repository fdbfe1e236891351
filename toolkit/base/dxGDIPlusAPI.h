#pragma once
// The GDI+ binding: "gdiplus.dll" is loaded on first use and its entry points are looked up by name,
// so that the program starts on a system without GDI+ and needs it only when a picture or a texture
// is handled. GDI+ counts as available only when the library loaded, every entry point of the list
// below was found and GDI+ started (with its background thread suppressed, so the binding calls the
// notification hook itself).
//
// Failing GDI+ calls raise EdxGdipException with the GDI+ status. Callers that cannot do without
// GDI+ call CheckGdiPlusAvailable(true): when GDI+ is missing a message box explains it and the
// process halts. The message box and the halt go through replaceable functions so that tests can
// watch them.
#include <cstddef>
#include <cstdint>
#include "classlib/Colors.h"
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/base/dxCore.h"
// The platform's GDI+ declarations: types, and the entry points whose signatures the binding takes.
#include <gdiplus.h>

// Registers the binding's start-up (GDI+ marked unavailable until the first check) and shut-down
// (GDI+ stopped and unloaded) with the units loader.
extern TUnit UnitdxGDIPlusAPI;

// The GDI+ types the toolkit uses, from the platform headers.
using GpStatus = Gdiplus::GpStatus;
using GpImage = Gdiplus::GpImage;
using GpBitmap = Gdiplus::GpBitmap;
using GpGraphics = Gdiplus::GpGraphics;
using GpBrush = Gdiplus::GpBrush;
using GpSolidFill = Gdiplus::GpSolidFill;
using GpLineGradient = Gdiplus::GpLineGradient;
using GpTexture = Gdiplus::GpTexture;
using GpImageAttributes = Gdiplus::GpImageAttributes;
using GpRect = Gdiplus::GpRect;
using ARGB = Gdiplus::ARGB;

// GDI+ status numbers used by the toolkit (Ok and InvalidParameter are the ones it raises itself).
constexpr int GdipOk = 0;
constexpr int GdipGenericError = 1;
constexpr int GdipInvalidParameter = 2;
constexpr int GdipOutOfMemory = 3;

// 32-bit premultiplied ARGB, GDI+'s pixel format number 925707.
constexpr int PixelFormat32bppPARGBValue = 0xE200B;

namespace gdip_decl {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
}  // namespace gdip_decl

// Every entry point, in the order it is looked up.
#define DX_GDIPLUS_ENTRY_POINTS(X)                                                                              \
  X(GdipAlloc) X(GdipFree) X(GdiplusStartup) X(GdiplusShutdown) X(GdipCloneBrush) X(GdipDeleteBrush)             \
  X(GdipGetBrushType) X(GdipCreateSolidFill) X(GdipSetSolidFillColor) X(GdipGetSolidFillColor)                   \
  X(GdipCreateLineBrushFromRectI) X(GdipGetLineRectI) X(GdipSetLineColors) X(GdipGetLineColors)                  \
  X(GdipSetLineWrapMode) X(GdipGetLineWrapMode) X(GdipCreateHatchBrush) X(GdipGetHatchStyle)                     \
  X(GdipGetHatchForegroundColor) X(GdipGetHatchBackgroundColor) X(GdipCreatePen1) X(GdipCreatePen2)              \
  X(GdipClonePen) X(GdipDeletePen) X(GdipGetPenFillType) X(GdipSetPenBrushFill) X(GdipGetPenBrushFill)           \
  X(GdipSetPenColor) X(GdipGetPenColor) X(GdipSetPenMode) X(GdipGetPenMode) X(GdipSetPenWidth)                   \
  X(GdipGetPenWidth) X(GdipGetPenDashStyle) X(GdipSetPenDashStyle) X(GdipCreateFromHDC) X(GdipDeleteGraphics)    \
  X(GdipGetDC) X(GdipReleaseDC) X(GdipGraphicsClear) X(GdipDrawLineI) X(GdipDrawLinesI) X(GdipFillRectangleI)   \
  X(GdipDrawArcI) X(GdipDrawBezierI) X(GdipDrawRectangleI) X(GdipDrawEllipseI) X(GdipDrawPieI)                   \
  X(GdipDrawPolygonI) X(GdipDrawCurve2I) X(GdipDrawClosedCurve2I) X(GdipFillPolygonI) X(GdipFillEllipseI)        \
  X(GdipFillPieI) X(GdipFillClosedCurveI) X(GdipLoadImageFromStream) X(GdipCreateBitmapFromFile)                 \
  X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromStreamICM) X(GdipCreateHBITMAPFromBitmap)                  \
  X(GdipLoadImageFromFile) X(GdipGetImageDimension) X(GdipDrawImageRectI) X(GdipDisposeImage)                    \
  X(GdipGetImageEncodersSize) X(GdipGetImageEncoders) X(GdipSaveImageToStream) X(GdipCreateBitmapFromHBITMAP)   \
  X(GdipIsVisibleRect) X(GdipIsVisibleRectI) X(GdipGetEncoderParameterListSize) X(GdipGetEncoderParameterList)  \
  X(GdipCreateBitmapFromGdiDib) X(GdipCreateBitmapFromScan0) X(GdipBitmapLockBits) X(GdipBitmapUnlockBits)       \
  X(GdipDrawImageRectRectI) X(GdipDrawImageRectRect) X(GdipDrawImagePointRect) X(GdipCloneImage)                 \
  X(GdipCreateTexture2I) X(GdipCreateImageAttributes) X(GdipDisposeImageAttributes)                              \
  X(GdipSetImageAttributesColorMatrix) X(GdipAddPathArc) X(GdipAddPathLine) X(GdipClosePathFigure)               \
  X(GdipCreatePath) X(GdipDeletePath) X(GdipDrawPath) X(GdipFillPath) X(GdipStartPathFigure)                     \
  X(GdipSetInterpolationMode) X(GdipGetInterpolationMode) X(GdipCreateCachedBitmap) X(GdipDeleteCachedBitmap)    \
  X(GdipDrawCachedBitmap) X(GdipCreateBitmapFromGraphics) X(GdipGetImageGraphicsContext) X(GdipGetImageWidth)    \
  X(GdipGetImageHeight) X(GdipSetCompositingMode) X(GdipGetCompositingMode) X(GdipSetCompositingQuality)         \
  X(GdipGetCompositingQuality) X(GdipSetSmoothingMode) X(GdipGetSmoothingMode) X(GdipCloneBitmapAreaI)           \
  X(GdipGetImageRawFormat)

// The bound entry points (null while GDI+ is not available).
#define DX_GDIPLUS_DECLARE(name) extern decltype(&gdip_decl::name) name;
DX_GDIPLUS_ENTRY_POINTS(DX_GDIPLUS_DECLARE)
#undef DX_GDIPLUS_DECLARE

// The names of the entry points, in look-up order (109 of them).
extern const char* const GdiPlusEntryPointNames[];
extern const int GdiPlusEntryPointCount;

// A failed GDI+ call: its status and the message "Invalid operation in GDI+ (Code: <status>)".
class EdxGdipException : public EdxException {
public:
  explicit EdxGdipException(int status);
  int ErrorCode() const { return FErrorCode; }
  const char* ClassName() const override { return "EdxGdipException"; }

private:
  int FErrorCode;
};

// True once GDI+ is loaded, complete and started.
bool GdiPlusAvailable();
// Loads and starts GDI+ (nothing when it is available already). A failed load is tried again at the
// next call.
void LoadGdiPlusLibrary();
// Stops GDI+ and frees the library.
void UnloadGdiPlusLibrary();
// Loads GDI+ when needed and answers whether it is available. With stopWhenMissing a missing GDI+
// shows an error box that explains it and halts the process.
bool CheckGdiPlusAvailable(bool stopWhenMissing = false);

// The text of the error box for a missing GDI+.
extern const char* const GdiPlusMissingText;
// The seams of CheckGdiPlusAvailable(true): the message box (MessageBoxA by default) and the halt,
// which by default shuts the started units down and ends the process with the exit code.
using TdxGdipMessageBoxFunc = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
using TdxGdipHaltProc = void (*)(int exitCode);
extern TdxGdipMessageBoxFunc dxGdipMessageBox;
extern TdxGdipHaltProc dxGdipHalt;
void dxDefaultHalt(int exitCode);

// Where the library is loaded from and how names are looked up; tests put other functions here to
// load a library that lacks an entry point.
using TdxLoadGdiPlusModuleFunc = HMODULE (*)();
using TdxGetGdiPlusProcFunc = FARPROC (*)(HMODULE module, const char* name);
extern TdxLoadGdiPlusModuleFunc dxLoadGdiPlusModule;
extern TdxGetGdiPlusProcFunc dxGetGdiPlusProc;

// Raises EdxGdipException for any status but Ok / with InvalidParameter when the condition is false.
void CheckGdipStatus(GpStatus status);
void CheckGdipStatus(int status);
void CheckGdipTrue(bool condition);

// Encoders by MIME type ("image/png", compared without case): status Ok and the class id, or 1
// (GenericError) when GDI+ is not available or has no such encoder.
int FindEncoderByMime(const char* mimeType, CLSID& classId);
// Fills classId when it is still all zero; raises EdxGdipException when no encoder is found.
void EnsureEncoderClsid(const char* mimeType, CLSID& classId);
// The encoders of "image/bmp", "image/png", "image/jpeg", "image/tiff" and "image/gif", looked up by
// LookUpImageEncoders (InitImageEncoders is the same call).
extern CLSID dxBMPEncoderClsid;
extern CLSID dxPNGEncoderClsid;
extern CLSID dxJPEGEncoderClsid;
extern CLSID dxTIFFEncoderClsid;
extern CLSID dxGIFEncoderClsid;
void LookUpImageEncoders();
void InitImageEncoders();

// A GDI+ bitmap with its own pixel memory in 32-bit premultiplied ARGB; its creation is checked.
GpBitmap* CreateGdipBitmap32(int width, int height);
GpBitmap* CreateGdipBitmapForRect(const RECT& rect);

// The colour as GDI+ ARGB: clNone is 0 (fully transparent); any other colour (system colours
// resolved) alpha << 24 | red << 16 | green << 8 | blue.
ARGB ColorToGdipARGB(TColor color, BYTE alpha = 255);
GpRect MakeGdipRect(int x, int y, int width, int height);

// Root of the GDI+ wrapper objects: their memory comes from GDI+'s allocator while GDI+ is available
// and from the ordinary one otherwise, and goes back to where it came from.
class TdxGPBase : public TObject {
  CL_CLASS(TdxGPBase, TObject)
public:
  TdxGPBase();
  static void* operator new(size_t size);
  static void operator delete(void* object);
  // Whether this object's memory came from GdipAlloc.
  bool AllocatedByGdip() const { return FAllocatedByGdip; }

private:
  bool FAllocatedByGdip;
};
