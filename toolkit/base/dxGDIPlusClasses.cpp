#include "toolkit/base/dxGDIPlusClasses.h"

#include <algorithm>
#include <cstring>
#include "classlib/Canvas.h"
#include "classlib/Picture.h"
#include "classlib/StreamAdapter.h"
#include "classlib/Units.h"
#include "toolkit/base/dxGDIPlusClassesChecks.h"

CL_DEFINE_CLASS(TdxGPImageData);
CL_DEFINE_CLASS(TdxGPStreamImageData);
CL_DEFINE_CLASS(TdxGPBitsImageData);
CL_DEFINE_CLASS(TdxGPImage);
CL_DEFINE_CLASS(TdxPNGImage);
CL_DEFINE_CLASS(TdxSmartImage);
CL_DEFINE_CLASS(TdxGPCanvas);
CL_DEFINE_CLASS(TdxGPGraphics);
CL_DEFINE_CLASS(TdxGPCustomPaintCanvas);
CL_DEFINE_CLASS(TdxGPPaintCanvas);

namespace {
// GDI+'s raw format identifiers (b96b3cXX-0728-11d3-9d7b-0000f81ef32e).
constexpr GUID RawFormat(unsigned char id)
{
  return GUID{0xB96B3C00u | id, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
constexpr GUID ImageFormatMemoryBMPId = RawFormat(0xAA);
constexpr GUID ImageFormatBMPId = RawFormat(0xAB);
constexpr GUID ImageFormatEMFId = RawFormat(0xAC);
constexpr GUID ImageFormatWMFId = RawFormat(0xAD);
constexpr GUID ImageFormatJPEGId = RawFormat(0xAE);
constexpr GUID ImageFormatPNGId = RawFormat(0xAF);
constexpr GUID ImageFormatGIFId = RawFormat(0xB0);
constexpr GUID ImageFormatTIFFId = RawFormat(0xB1);
constexpr GUID ImageFormatIconId = RawFormat(0xB5);

TUnitObject<TdxGPPaintCanvas> GSharedPaintCanvas{UnitdxGDIPlusClasses};

// A COM stream over a memory block; released with the scope.
class TComStream {
public:
  TComStream() = default;
  ~TComStream()
  {
    if (FStream) FStream->Release();
  }
  TComStream(const TComStream&) = delete;
  TComStream& operator=(const TComStream&) = delete;
  IStream** Out() { return &FStream; }
  IStream* Get() const { return FStream; }

private:
  IStream* FStream = nullptr;
};

// A stream over a movable global memory block, locked while the stream lives.
class TGlobalMemoryStream : public TCustomMemoryStream {
  CL_CLASS(TGlobalMemoryStream, TCustomMemoryStream)
public:
  TGlobalMemoryStream(HGLOBAL memory, size_t size) : FBlock(memory)
  {
    SetPointer(GlobalLock(memory), static_cast<int64_t>(size));
  }
  ~TGlobalMemoryStream() override { GlobalUnlock(FBlock); }
  int32_t Write(const void*, int32_t) override { throw EStreamError("The picture data cannot be written"); }

private:
  HGLOBAL FBlock;
};
CL_DEFINE_CLASS(TGlobalMemoryStream);

// GDI+ objects that live for one call.
struct TGraphicsGuard {
  GpGraphics* Handle = nullptr;
  ~TGraphicsGuard()
  {
    if (Handle && GdipDeleteGraphics) GdipDeleteGraphics(Handle);
  }
};
struct TImageGuard {
  GpImage* Handle = nullptr;
  ~TImageGuard()
  {
    if (Handle && GdipDisposeImage) GdipDisposeImage(Handle);
  }
};
struct TAttributesGuard {
  GpImageAttributes* Handle = nullptr;
  ~TAttributesGuard()
  {
    if (Handle && GdipDisposeImageAttributes) GdipDisposeImageAttributes(Handle);
  }
};
struct TBrushGuard {
  GpBrush* Handle = nullptr;
  ~TBrushGuard()
  {
    if (Handle && GdipDeleteBrush) GdipDeleteBrush(Handle);
  }
};

// A GDI+ bitmap over pixels the caller keeps (top-down, premultiplied ARGB).
GpBitmap* BitmapOverBits(int width, int height, TRGBColors& bits)
{
  GpBitmap* bitmap = nullptr;
  CheckGdipStatus(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGBValue,
                                            reinterpret_cast<BYTE*>(bits.data()), &bitmap));
  return bitmap;
}

// A graphics that draws into pixels the caller keeps; the pixels are replaced, not blended.
void DrawIntoBits(int width, int height, TRGBColors& bits, TdxGPImage* image, const RECT& dest, BYTE opacity,
                  bool replace)
{
  TImageGuard target{BitmapOverBits(width, height, bits)};
  TGraphicsGuard graphics;
  CheckGdipStatus(GdipGetImageGraphicsContext(target.Handle, &graphics.Handle));
  if (replace) GdipSetCompositingMode(graphics.Handle, Gdiplus::CompositingModeSourceCopy);
  DrawGdipImageRect(graphics.Handle, dest, image->GetImageRect(), opacity, image);
}

void InitializeUnit()
{
  if (TdxUnitsLoader* loader = GetUnitsLoader())
    loader->RegisterUnitProcs(RegisterGdipGraphicClasses, UnregisterGdipGraphicClasses);
}

const TUnit* const Uses[] = {&UnitdxCore, &UnitdxGDIPlusAPI};
}  // namespace

TUnit UnitdxGDIPlusClasses{"dxGDIPlusClasses", Uses, InitializeUnit};

// ---- Formats and encoders -------------------------------------------------------------------------

TdxImageDataFormat ImageFormatFromRawFormat(const GUID& rawFormat)
{
  for (const GUID& g : {ImageFormatBMPId, ImageFormatMemoryBMPId, ImageFormatEMFId, ImageFormatWMFId, ImageFormatIconId})
    if (IsEqualGUID(rawFormat, g)) return TdxImageDataFormat::dxImageBitmap;
  if (IsEqualGUID(rawFormat, ImageFormatJPEGId)) return TdxImageDataFormat::dxImageJpeg;
  if (IsEqualGUID(rawFormat, ImageFormatPNGId)) return TdxImageDataFormat::dxImagePng;
  if (IsEqualGUID(rawFormat, ImageFormatTIFFId)) return TdxImageDataFormat::dxImageTiff;
  if (IsEqualGUID(rawFormat, ImageFormatGIFId)) return TdxImageDataFormat::dxImageGif;
  return TdxImageDataFormat::dxImageUnknown;
}

CLSID dxGetImageEncoder(TdxImageDataFormat format)
{
  struct TEncoder {
    const char* Mime;
    CLSID* Clsid;
  };
  TEncoder encoder{};
  switch (format) {
    case TdxImageDataFormat::dxImageBitmap: encoder = {"image/bmp", &dxBMPEncoderClsid}; break;
    case TdxImageDataFormat::dxImageJpeg: encoder = {"image/jpeg", &dxJPEGEncoderClsid}; break;
    case TdxImageDataFormat::dxImagePng: encoder = {"image/png", &dxPNGEncoderClsid}; break;
    case TdxImageDataFormat::dxImageTiff: encoder = {"image/tiff", &dxTIFFEncoderClsid}; break;
    case TdxImageDataFormat::dxImageGif: encoder = {"image/gif", &dxGIFEncoderClsid}; break;
    default: throw EdxException("dxGetImageEncoder fails");
  }
  // Normally looked up at start-up; a class id still empty is looked up now.
  EnsureEncoderClsid(encoder.Mime, *encoder.Clsid);
  return *encoder.Clsid;
}

// ---- Image data -----------------------------------------------------------------------------------

TdxGPStreamImageData::~TdxGPStreamImageData()
{
  if (FMemory) GlobalFree(FMemory);
}

bool TdxGPStreamImageData::LoadFromStream(TStream& stream)
{
  const int64_t size = stream.Size() - stream.Position();
  if (size <= 0) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (!memory) throw EOutOfMemory("Out of memory");
  void* p = GlobalLock(memory);
  try {
    stream.ReadBuffer(p, size);
  } catch (...) {
    GlobalUnlock(memory);
    GlobalFree(memory);
    throw;
  }
  GlobalUnlock(memory);
  if (FMemory) GlobalFree(FMemory);
  FMemory = memory;
  FSize = static_cast<size_t>(size);
  return true;
}

// ---- TdxGPImage -----------------------------------------------------------------------------------

TdxGPImage::TdxGPImage() : FImageData(New<TdxGPImageData>()) {}

TdxGPImage::~TdxGPImage() { FreeHandle(); }

void TdxGPImage::FreeHandle()
{
  if (FHandle && GdipDisposeImage) GdipDisposeImage(FHandle);
  FHandle = nullptr;
  FImageDataFormat = TdxImageDataFormat::dxImageUnknown;
}

int TdxGPImage::Width() const
{
  Gdiplus::REAL w = 0, h = 0;
  if (!FHandle || GdipGetImageDimension(FHandle, &w, &h) != Gdiplus::Ok) return 0;
  return static_cast<int>(w);
}

int TdxGPImage::Height() const
{
  Gdiplus::REAL w = 0, h = 0;
  if (!FHandle || GdipGetImageDimension(FHandle, &w, &h) != Gdiplus::Ok) return 0;
  return static_cast<int>(h);
}

void TdxGPImage::Changed(TObject* sender)
{
  FIsAlphaUsedAssigned = false;
  TGraphic::Changed(sender);
}

void TdxGPImage::CreateHandleFromStream(TStream& stream)
{
  FreeHandle();
  FImageData.reset(New<TdxGPImageData>());
  auto data = MakeOwned<TdxGPStreamImageData>();
  if (!data->LoadFromStream(stream)) return;
  // GDI+ sees only data that passed the checks; BMP data only as the class library rewrote it.
  std::vector<uint8_t> plainBitmap;
  {
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(data->Memory()));
    struct TUnlock {
      HGLOBAL Memory;
      ~TUnlock() { GlobalUnlock(Memory); }
    } unlock{data->Memory()};
    const std::span<const uint8_t> view(bytes, data->Size());
    if (CheckGdipPictureData(view) == TdxImageDataFormat::dxImageBitmap) plainBitmap = PlainBitmapFile(view);
  }
  if (!plainBitmap.empty()) {
    auto plain = MakeOwned<TMemoryStream>();
    plain->WriteBuffer(plainBitmap.data(), static_cast<int64_t>(plainBitmap.size()));
    plain->SetPosition(0);
    data->LoadFromStream(*plain);
  }
  CheckGdipTrue(CheckGdiPlusAvailable());
  // The block stays the image data's: GDI+ reads the picture from it for as long as the image lives,
  // through a stream of the class library's, which reads nothing (where the platform's memory stream
  // crashes) when a decoder seeks past the end of damaged data.
  TComStream com;
  *com.Out() = NewStreamAdapter(MakeOwned<TGlobalMemoryStream>(data->Memory(), data->Size()));
  GpImage* image = nullptr;
  const GpStatus status = GdipLoadImageFromStream(com.Get(), &image);
  if (status != Gdiplus::Ok || !image)
    throw EInvalidGraphic("The picture cannot be decoded (GDI+ status " + std::to_string(static_cast<int>(status)) +
                          ")");
  FHandle = image;
  FImageData.reset(data.release());
  GUID raw{};
  if (GdipGetImageRawFormat(FHandle, &raw) == Gdiplus::Ok) FImageDataFormat = ImageFormatFromRawFormat(raw);
}

void TdxGPImage::CreateHandleFromBits(int width, int height, TRGBColors bits, bool hasAlpha)
{
  FreeHandle();
  auto data = MakeOwned<TdxGPBitsImageData>();
  width = std::max(width, 0);
  height = std::max(height, 0);
  const size_t count = static_cast<size_t>(width) * height;
  bits.resize(count, RGBQUAD{0, 0, 0, 0});
  if (!hasAlpha)
    for (RGBQUAD& q : bits) q.rgbReserved = 255;
  data->Bits() = std::move(bits);
  data->SetSize(width, height);
  if (width != 0 && height != 0) {
    CheckGdipTrue(CheckGdiPlusAvailable());
    FHandle = BitmapOverBits(width, height, data->Bits());
    FImageDataFormat = TdxImageDataFormat::dxImageBitmap;
  }
  FImageData.reset(data.release());
}

void TdxGPImage::LoadFromStream(TStream& stream)
{
  try {
    GuardReaderMemory("picture data", [&] { CreateHandleFromStream(stream); });
  } catch (...) {
    FreeHandle();
    FImageData.reset(New<TdxGPImageData>());
    Changed(this);
    throw;
  }
  Changed(this);
}

void TdxGPImage::LoadFromBits(int width, int height, const TRGBColors* bits, bool hasAlpha)
{
  CreateHandleFromBits(width, height, bits ? *bits : TRGBColors{}, hasAlpha);
  Changed(this);
}

bool TdxGPImage::SupportsClipboardFormat(UINT format) const { return format == CF_DIB || format == CF_BITMAP; }

void TdxGPImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette)
{
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromClipboardFormat(format, data, palette);
  const bool wide = bitmap->PixelFormat() == TPixelFormat::pf32bit;
  bitmap->SetHandleType(TBitmapHandleType::bmDIB);
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  TRGBColors pixels;
  if (!GetBitmapPixels(bitmap.get(), pixels, true)) throw EInvalidGraphic("Bitmap image is not valid");
  // Taken as alpha, the zeros most programs leave in the fourth byte would make the picture invisible.
  const bool hasAlpha =
      wide && std::any_of(pixels.begin(), pixels.end(), [](const RGBQUAD& p) { return p.rgbReserved != 0; });
  LoadFromBits(bitmap->Width(), bitmap->Height(), &pixels, hasAlpha);
}

void TdxGPImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette)
{
  if (Empty()) throw EInvalidGraphic("Cannot put an empty image on the clipboard");
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(Width(), Height());
  RECT all = GetImageRect();
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(all);
  DrawOnDC(bitmap->Canvas()->Handle(), all, 255);
  bitmap->SaveToClipboardFormat(format, data, palette);
}

void TdxGPImage::EncodeToStream(TStream& stream, TdxImageDataFormat format)
{
  if (!FHandle) return;
  const CLSID encoder = dxGetImageEncoder(format);
  TComStream com;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, com.Out()))) throw EdxGdipException(GdipOutOfMemory);
  CheckGdipStatus(GdipSaveImageToStream(FHandle, com.Get(), &encoder, nullptr));
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(com.Get(), &memory)) || FAILED(com.Get()->Stat(&stat, STATFLAG_NONAME)))
    throw EdxGdipException(GdipGenericError);
  const void* p = GlobalLock(memory);
  try {
    stream.WriteBuffer(p, static_cast<int64_t>(stat.cbSize.QuadPart));
  } catch (...) {
    GlobalUnlock(memory);
    throw;
  }
  GlobalUnlock(memory);
}

void TdxGPImage::SaveToStream(TStream& stream) { EncodeToStream(stream, SaveFormat()); }

void TdxGPImage::Assign(TPersistent* source)
{
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    AssignBitmap(bitmap);
    Changed(this);
  } else if (auto* image = dynamic_cast<TdxGPImage*>(source)) {
    AssignImage(image);
  } else if (!source) {
    ClearImage();
  } else {
    TGraphic::Assign(source);
  }
}

void TdxGPImage::AssignTo(TPersistent* dest)
{
  if (auto* image = dynamic_cast<TdxGPImage*>(dest)) {
    image->Assign(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
    TOwned<TBitmap> copy = CreateBitmapCopy();
    bitmap->Assign(copy.get());
  } else {
    TGraphic::AssignTo(dest);
  }
}

void TdxGPImage::AssignImage(TdxGPImage* image)
{
  if (!image || image == this) return;
  if (image->Empty()) {
    ClearImage();
  } else if (!image->FImageData->HasBits()) {
    // Loaded from a stream: re-encoded in its own format and decoded again.
    auto stream = MakeOwned<TMemoryStream>();
    image->SaveToStream(*stream);
    stream->SetPosition(0);
    LoadFromStream(*stream);
  } else {
    auto* data = static_cast<TdxGPBitsImageData*>(image->FImageData.get());
    CreateHandleFromBits(data->Width(), data->Height(), data->Bits(), true);
    Changed(this);
  }
}

TOwned<TdxGPImage> TdxGPImage::CloneImage()
{
  TOwned<TdxGPImage> clone(static_cast<TdxGPImage*>(ClassType()->NewObject()));
  clone->AssignImage(this);
  return clone;
}

bool TdxGPImage::SameImageAs(TdxGPImage* image)
{
  if (!image) return false;
  if (Width() != image->Width() || Height() != image->Height()) return false;
  if (Empty() || image->Empty()) return Empty() && image->Empty();
  TRGBColors a = ReadPixels(), b = image->ReadPixels();
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RGBQUAD)) == 0;
}

void TdxGPImage::ClearImage()
{
  if (Empty()) return;
  FreeHandle();
  FImageData.reset(New<TdxGPImageData>());
  Changed(this);
}

void TdxGPImage::AssignBitmap(TBitmap* bitmap)
{
  if (!bitmap) return;
  TRGBColors pixels;
  if (!GetBitmapPixels(bitmap, pixels, true)) return;
  CreateHandleFromBits(bitmap->Width(), bitmap->Height(), std::move(pixels), GetBitmapBitsPerPixel(bitmap) == 32);
}

TRGBColors TdxGPImage::ReadPixels()
{
  TRGBColors pixels;
  if (Empty()) return pixels;
  const int w = Width(), h = Height();
  pixels.assign(static_cast<size_t>(w) * h, RGBQUAD{0, 0, 0, 0});
  if (FImageData->HasBits()) {
    auto* data = static_cast<TdxGPBitsImageData*>(FImageData.get());
    if (data->Bits().size() == pixels.size()) return data->Bits();
  }
  // A bitmap gives its pixels as they are; anything else (a metafile) is drawn.
  Gdiplus::BitmapData locked{};
  GpRect all = MakeGdipRect(0, 0, w, h);
  locked.Width = static_cast<UINT>(w);
  locked.Height = static_cast<UINT>(h);
  locked.Stride = w * 4;
  locked.PixelFormat = PixelFormat32bppPARGBValue;
  locked.Scan0 = pixels.data();
  auto* bitmap = reinterpret_cast<GpBitmap*>(FHandle);
  if (GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppPARGBValue, &locked) == Gdiplus::Ok) {
    GdipBitmapUnlockBits(bitmap, &locked);
    return pixels;
  }
  DrawIntoBits(w, h, pixels, this, GetImageRect(), 255, true);
  return pixels;
}

TOwned<TBitmap> TdxGPImage::CreateBitmapCopy()
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(Width(), Height());
  if (!Empty()) PutBitmapPixels(bitmap.get(), ReadPixels(), true);
  return bitmap;
}

bool TdxGPImage::ScanForAlpha()
{
  if (Empty()) return false;
  TRGBColors pixels = ReadPixels();
  return std::any_of(pixels.begin(), pixels.end(), [](const RGBQUAD& q) { return q.rgbReserved < 255; });
}

bool TdxGPImage::UsesAlpha()
{
  if (!FIsAlphaUsedAssigned) {
    FIsAlphaUsed = ScanForAlpha();
    FIsAlphaUsedAssigned = true;
  }
  return FIsAlphaUsed;
}

void TdxGPImage::Draw(TCanvas* canvas, const RECT& rect)
{
  if (!canvas) return;
  TCanvasLock lock(canvas);
  DrawOnDC(canvas->Handle(), rect, 255);
}

void TdxGPImage::DrawOnDC(HDC dc, const RECT& rect, BYTE opacity) { DrawPartOnDC(dc, rect, opacity, GetImageRect()); }

void TdxGPImage::DrawPartOnDC(HDC dc, const RECT& dest, BYTE opacity, const RECT& source)
{
  if (!FHandle) return;
  TdxGPPaintCanvas* canvas = GetSharedGdipPaintCanvas();
  if (!canvas) return;
  canvas->BeginPaint(dc, dest);
  try {
    canvas->DrawImagePart(this, dest, opacity, source);
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

TOwned<TdxGPImage> TdxGPImage::MergeWith(TdxGPImage* image, BYTE opacity)
{
  const int w = Width(), h = Height();
  TRGBColors pixels(static_cast<size_t>(w) * h, RGBQUAD{0, 0, 0, 0});
  if (!Empty()) {
    DrawIntoBits(w, h, pixels, this, GetImageRect(), 255, true);
    if (image && !image->Empty()) DrawIntoBits(w, h, pixels, image, GetImageRect(), opacity, false);
  }
  return CreateFromBits(w, h, &pixels, true);
}

void LoadGraphicFromResource(TGraphic* graphic, HMODULE module, const char* resourceName, LPCSTR resourceType)
{
  if (!graphic) return;
  auto stream = MakeOwned<TResourceStream>(module, resourceName, resourceType);
  graphic->LoadFromStream(*stream);
}

// ---- Canvases -------------------------------------------------------------------------------------

TdxGPCanvas::~TdxGPCanvas() { FreeGraphics(); }

void TdxGPCanvas::FreeGraphics()
{
  if (FHandle && GdipDeleteGraphics) GdipDeleteGraphics(FHandle);
  FHandle = nullptr;
}

void TdxGPCanvas::CreateGraphicsForDC(HDC dc)
{
  FreeGraphics();
  CheckGdipTrue(CheckGdiPlusAvailable());
  CheckGdipStatus(GdipCreateFromHDC(dc, &FHandle));
}

void TdxGPCanvas::SetInterpolationMode(int mode)
{
  if (FHandle) CheckGdipStatus(GdipSetInterpolationMode(FHandle, static_cast<Gdiplus::InterpolationMode>(mode)));
}

void TdxGPCanvas::DrawImage(TdxGPImage* image, const RECT& dest, BYTE opacity)
{
  if (image) DrawImagePart(image, dest, opacity, image->GetImageRect());
}

void TdxGPCanvas::DrawImagePart(TdxGPImage* image, const RECT& dest, BYTE opacity, const RECT& source)
{
  DrawGdipImageRect(FHandle, dest, source, opacity, image);
}

void TdxGPCanvas::DrawBitmap(TBitmap* bitmap, const RECT& dest, BYTE opacity)
{
  if (!bitmap || bitmap->Empty()) return;
  TOwned<TdxGPImage> image = TdxGPImage::CreateFromBitmap(bitmap);
  DrawImage(image.get(), dest, opacity);
}

HDC GetGdipCanvasDC(TdxGPCanvas* canvas)
{
  HDC dc = nullptr;
  if (canvas && canvas->Handle()) CheckGdipStatus(GdipGetDC(canvas->Handle(), &dc));
  return dc;
}

void ReleaseGdipCanvasDC(TdxGPCanvas* canvas, HDC dc)
{
  if (canvas && canvas->Handle() && dc) GdipReleaseDC(canvas->Handle(), dc);
}

TdxGPCustomPaintCanvas::~TdxGPCustomPaintCanvas()
{
  // A graphics given by BeginPaintOnGraphics stays its owner's.
  if (!FDrawDC && !FBuffer) FHandle = nullptr;
}

namespace {
// The bits per pixel of the device; a memory device context's device is the bitmap selected into it.
int DeviceBitsPerPixel(HDC dc)
{
  BITMAP bm{};
  if (GetObjectType(dc) == OBJ_MEMDC && GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) == sizeof bm)
    return bm.bmBitsPixel * bm.bmPlanes;
  return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

bool DeviceNeedsBuffer(HDC dc)
{
  const int bits = DeviceBitsPerPixel(dc);
  if (bits < 17) return true;
  if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) return true;
  return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0 && GetDeviceCaps(dc, NUMCOLORS) > 1;
}
}  // namespace

void TdxGPCustomPaintCanvas::BeginPaint(HDC dc, const RECT& rect)
{
  SaveState();
  FHandle = nullptr;
  FDrawDC = dc;
  FDrawRect = rect;
  try {
    if (DeviceNeedsBuffer(dc)) {
      auto buffer = MakeOwned<TBitmap>();
      buffer->SetPixelFormat(TPixelFormat::pf32bit);
      buffer->SetSize(RectWidth(rect) + 1, RectHeight(rect) + 1);
      buffer->Canvas()->Lock();
      FBuffer.reset(buffer.release());
      HDC bufferDC = FBuffer->Canvas()->Handle();
      BitBlt(bufferDC, 0, 0, RectWidth(rect), RectHeight(rect), dc, rect.left, rect.top, SRCCOPY);
      SetWindowOrgEx(bufferDC, rect.left, rect.top, nullptr);
      CreateGraphicsForDC(bufferDC);
    } else {
      CreateGraphicsForDC(dc);
    }
  } catch (...) {
    EndPaint();
    throw;
  }
}

void TdxGPCustomPaintCanvas::BeginPaintOnGraphics(GpGraphics* graphics)
{
  SaveState();
  FDrawDC = nullptr;
  FDrawRect = RECT{};
  FHandle = graphics;
}

void TdxGPCustomPaintCanvas::EndPaint()
{
  if (FDrawDC)
    FreeGraphics();
  else
    FHandle = nullptr;  // the caller's graphics
  if (FBuffer) {
    HDC bufferDC = FBuffer->Canvas()->Handle();
    SetWindowOrgEx(bufferDC, 0, 0, nullptr);
    const int saved = SaveDC(FDrawDC);
    BitBlt(FDrawDC, FDrawRect.left, FDrawRect.top, RectWidth(FDrawRect), RectHeight(FDrawRect), bufferDC, 0, 0, SRCCOPY);
    RestoreDC(FDrawDC, saved);
    FBuffer->Canvas()->Unlock();
    FBuffer.reset();
  }
  FDrawDC = nullptr;
  FDrawRect = RECT{};
  RestoreState();
}

TdxGPPaintCanvas::~TdxGPPaintCanvas()
{
  // Unbalanced begins: end them all, so that no graphics or buffer outlives the canvas.
  while (FSavedStateCount > 0) EndPaint();
}

void TdxGPPaintCanvas::SaveState()
{
  if (FSavedStateCount >= static_cast<int>(FSavedStates.size())) FSavedStates.resize(FSavedStates.size() + 4);
  TState& state = FSavedStates[static_cast<size_t>(FSavedStateCount++)];
  state.Graphics = FHandle;
  state.Buffer = std::move(FBuffer);
  state.Rect = FDrawRect;
  state.DC = FDrawDC;
  FHandle = nullptr;
}

void TdxGPPaintCanvas::RestoreState()
{
  if (FSavedStateCount == 0) return;
  TState& state = FSavedStates[static_cast<size_t>(--FSavedStateCount)];
  FHandle = state.Graphics;
  FBuffer = std::move(state.Buffer);
  FDrawRect = state.Rect;
  FDrawDC = state.DC;
}

TdxGPPaintCanvas* GetSharedGdipPaintCanvas()
{
  return GSharedPaintCanvas.Get();
}

TdxGPPaintCanvas* NewGdipPaintCanvasForDC(HDC dc, const RECT& rect)
{
  auto canvas = MakeOwned<TdxGPPaintCanvas>();
  canvas->BeginPaint(dc, rect);
  return canvas.release();
}

TdxGPPaintCanvas* NewGdipPaintCanvasForGraphics(GpGraphics* graphics)
{
  auto canvas = MakeOwned<TdxGPPaintCanvas>();
  canvas->BeginPaintOnGraphics(graphics);
  return canvas.release();
}

void EndGdipPaintAndFree(TdxGPPaintCanvas*& canvas)
{
  if (!canvas) return;
  TdxGPPaintCanvas* c = canvas;
  canvas = nullptr;
  try {
    c->EndPaint();
  } catch (...) {
    Free(c);
    throw;
  }
  Free(c);
}

// ---- Drawing functions ----------------------------------------------------------------------------

bool IsGdipRectVisible(GpGraphics* graphics, const RECT& rect)
{
  BOOL visible = FALSE;
  return graphics &&
         GdipIsVisibleRectI(graphics, rect.left, rect.top, RectWidth(rect), RectHeight(rect), &visible) == Gdiplus::Ok &&
         visible;
}

void DrawGdipImageRect(GpGraphics* graphics, const RECT& dest, const RECT& source, BYTE opacity, TdxGPImage* image)
{
  if (!graphics || !image || !image->Handle()) return;
  int sw = RectWidth(source), sh = RectHeight(source);
  const int dw = RectWidth(dest), dh = RectHeight(dest);
  if (sw < 1 || sh < 1 || dw < 1 || dh < 1 || !IsGdipRectVisible(graphics, dest)) return;
  // A stretched source loses its last column (row), so that the edges take in no pixel outside it.
  if (dw > sw && sw > 1) --sw;
  if (dh > sh && sh > 1) --sh;
  if (opacity == 255) {
    CheckGdipStatus(GdipDrawImageRectRectI(graphics, image->Handle(), dest.left, dest.top, dw, dh, source.left, source.top,
                                           sw, sh, Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
    return;
  }
  TAttributesGuard attributes;
  CheckGdipStatus(GdipCreateImageAttributes(&attributes.Handle));
  Gdiplus::ColorMatrix matrix{};
  for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
  matrix.m[3][3] = opacity / 255.0f;
  CheckGdipStatus(GdipSetImageAttributesColorMatrix(attributes.Handle, Gdiplus::ColorAdjustTypeBitmap, TRUE, &matrix,
                                                    nullptr, Gdiplus::ColorMatrixFlagsDefault));
  CheckGdipStatus(GdipDrawImageRectRectI(graphics, image->Handle(), dest.left, dest.top, dw, dh, source.left, source.top,
                                         sw, sh, Gdiplus::UnitPixel, attributes.Handle, nullptr, nullptr));
}

void FillGdipRectSolid(GpGraphics* graphics, const RECT& rect, ARGB color)
{
  if (!graphics) return;
  TBrushGuard brush;
  CheckGdipStatus(GdipCreateSolidFill(color, reinterpret_cast<GpSolidFill**>(&brush.Handle)));
  CheckGdipStatus(GdipFillRectangleI(graphics, brush.Handle, rect.left, rect.top, RectWidth(rect), RectHeight(rect)));
}

void FillGdipRectGradient(GpGraphics* graphics, const RECT& rect, ARGB color1, ARGB color2, int mode)
{
  if (!graphics) return;
  // The brush spans one pixel more on every side, so that the rectangle's edges get the end colours.
  GpRect brushRect = MakeGdipRect(rect.left - 1, rect.top - 1, RectWidth(rect) + 2, RectHeight(rect) + 2);
  TBrushGuard brush;
  CheckGdipStatus(GdipCreateLineBrushFromRectI(&brushRect, color1, color2, static_cast<Gdiplus::LinearGradientMode>(mode),
                                               Gdiplus::WrapModeTile,
                                               reinterpret_cast<GpLineGradient**>(&brush.Handle)));
  CheckGdipStatus(GdipFillRectangleI(graphics, brush.Handle, rect.left, rect.top, RectWidth(rect), RectHeight(rect)));
}

void DrawGdipImageTiled(GpGraphics* graphics, const RECT& dest, const RECT& source, BYTE opacity, TdxGPImage* image)
{
  if (!graphics || !image || !image->Handle()) return;
  const int sw = RectWidth(source), sh = RectHeight(source);
  if (sw < 1 || sh < 1 || !IsGdipRectVisible(graphics, dest)) return;
  const int dw = RectWidth(dest), dh = RectHeight(dest);
  TBrushGuard texture;
  const bool small = sw < dw || sh < dh;
  if (small && opacity == 255)
    GdipCreateTexture2I(image->Handle(), Gdiplus::WrapModeTile, source.left, source.top, sw, sh,
                        reinterpret_cast<GpTexture**>(&texture.Handle));
  if (texture.Handle) {
    // The texture fills a bitmap of the destination's size, which is then drawn in one piece.
    TRGBColors pixels(static_cast<size_t>(dw) * dh, RGBQUAD{0, 0, 0, 0});
    {
      TImageGuard target{BitmapOverBits(dw, dh, pixels)};
      TGraphicsGuard g;
      CheckGdipStatus(GdipGetImageGraphicsContext(target.Handle, &g.Handle));
      CheckGdipStatus(GdipFillRectangleI(g.Handle, texture.Handle, 0, 0, dw, dh));
    }
    TOwned<TdxGPImage> filled = TdxGPImage::CreateFromBits(dw, dh, &pixels, true);
    DrawGdipImageRect(graphics, dest, filled->GetImageRect(), 255, filled.get());
    return;
  }
  for (int y = dest.top; y < dest.bottom; y += sh)
    for (int x = dest.left; x < dest.right; x += sw) {
      const int w = std::min(sw, static_cast<int>(dest.right) - x), h = std::min(sh, static_cast<int>(dest.bottom) - y);
      DrawGdipImageRect(graphics, RECT{x, y, x + w, y + h},
                        RECT{source.left, source.top, source.left + w, source.top + h}, opacity, image);
    }
}

// ---- Start-up -------------------------------------------------------------------------------------

void RegisterGdipGraphicClasses()
{
  if (!CheckGdiPlusAvailable(false)) return;
  LookUpImageEncoders();
  RegisterClass(TdxPNGImage::StaticClass());
  RegisterClass(TdxSmartImage::StaticClass());
  RegisterFileFormat("png", "Portable Network Graphics (PNG)", TdxPNGImage::StaticClass());
  RegisterFileFormat("tif", "All graphics", TdxSmartImage::StaticClass());
  RegisterFileFormat("gif", "All graphics", TdxSmartImage::StaticClass());
}

void UnregisterGdipGraphicClasses()
{
  GSharedPaintCanvas.Free();
  UnregisterFileFormat(TdxPNGImage::StaticClass());
  UnregisterFileFormat(TdxSmartImage::StaticClass());
  UnRegisterClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxSmartImage::StaticClass());
}
