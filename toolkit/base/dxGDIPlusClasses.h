#pragma once
// Pictures and canvases over GDI+.
//
// TdxGPImage is a graphic that decodes PNG, JPEG, GIF, TIFF and BMP pictures through GDI+, keeps
// the bytes it was loaded from for as long as the image exists, draws with an opacity and saves with
// the encoder of its own data format; an image made from pixels is 32-bit premultiplied ARGB and
// saves as BMP. TdxPNGImage always saves as PNG; TdxSmartImage is the class the picture registry
// offers for GIF and TIFF files.
//
// TdxGPCanvas wraps a GDI+ graphics; the paint canvases draw on a device context, through a 32-bit
// buffer where the device has too few colours, and nest their begin and end pairs. The functions at
// the end draw image parts stretched or tiled with an opacity on any GDI+ graphics.
//
// At start-up (through the units loader) GDI+ is loaded without stopping the program when it is
// missing; only when it is there are the classes registered as picture formats ("png" for
// TdxPNGImage, "gif" and "tif" for TdxSmartImage) and for stored forms.
#include <memory>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Graphic.h"
#include "classlib/Streams.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxGDIPlusAPI.h"

extern TUnit UnitdxGDIPlusClasses;

// The data format of an image, as its encoder and its raw format know it.
enum class TdxImageDataFormat { dxImageUnknown = 0, dxImageBitmap, dxImageJpeg, dxImagePng, dxImageTiff, dxImageGif };

// The format of a GDI+ raw format identifier: BMP, memory BMP, EMF, WMF and icon are bitmaps.
TdxImageDataFormat ImageFormatFromRawFormat(const GUID& rawFormat);
// The encoder of a format; raises EdxException "dxGetImageEncoder fails" for an unknown format.
CLSID dxGetImageEncoder(TdxImageDataFormat format);

// The source of an image: the encoded bytes it was loaded from, or its pixels.
class TdxGPImageData : public TObject {
  CL_CLASS(TdxGPImageData, TObject)
public:
  virtual bool HasBits() const { return false; }
};

// Encoded bytes in a movable global memory block, which GDI+ reads for as long as the image lives.
class TdxGPStreamImageData : public TdxGPImageData {
  CL_CLASS(TdxGPStreamImageData, TdxGPImageData)
public:
  TdxGPStreamImageData() = default;
  ~TdxGPStreamImageData() override;
  // Copies the stream's bytes from its position to its end; false when there are none.
  bool LoadFromStream(TStream& stream);
  HGLOBAL Memory() const { return FMemory; }
  size_t Size() const { return FSize; }

private:
  HGLOBAL FMemory = nullptr;
  size_t FSize = 0;
};

// Pixels, 32 bits each, rows top-down, premultiplied ARGB.
class TdxGPBitsImageData : public TdxGPImageData {
  CL_CLASS(TdxGPBitsImageData, TdxGPImageData)
public:
  TdxGPBitsImageData() = default;
  bool HasBits() const override { return true; }
  TRGBColors& Bits() { return FBits; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int width, int height) { FWidth = width, FHeight = height; }

private:
  TRGBColors FBits;
  int FWidth = 0;
  int FHeight = 0;
};

class TdxGPImage : public TGraphic {
  CL_CLASS(TdxGPImage, TGraphic)
public:
  TdxGPImage();
  ~TdxGPImage() override;

  // New images of class T (TdxGPImage or a descendant): from a bitmap's pixels, from pixels (top-down
  // rows; none gives transparent black; without alpha every pixel is made opaque), from a stream.
  template <class T = TdxGPImage>
  static TOwned<T> CreateFromBitmap(TBitmap* bitmap)
  {
    TOwned<T> image = MakeOwned<T>();
    image->AssignBitmap(bitmap);
    return image;
  }
  template <class T = TdxGPImage>
  static TOwned<T> CreateFromBits(int width, int height, const TRGBColors* bits, bool hasAlpha)
  {
    TOwned<T> image = MakeOwned<T>();
    image->LoadFromBits(width, height, bits, hasAlpha);
    return image;
  }
  template <class T = TdxGPImage>
  static TOwned<T> CreateFromStream(TStream& stream)
  {
    TOwned<T> image = MakeOwned<T>();
    image->LoadFromStream(stream);
    return image;
  }

  // A bitmap (its pixels), another GDI+ image (AssignImage), or what the graphic model accepts.
  void Assign(TPersistent* source) override;

  bool Empty() const override { return Width() < 1 || Height() < 1; }
  // From GDI+, in whole pixels; 0 without an image. The size cannot be set.
  int Width() const override;
  int Height() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  // Whether some pixel is not opaque.
  bool Transparent() const override { return const_cast<TdxGPImage*>(this)->UsesAlpha(); }

  // The picture file from the stream's position to its end, checked before GDI+ decodes it
  // (dxGDIPlusClassesChecks.h). Data that is refused, or that GDI+ cannot decode, raises
  // EInvalidGraphic (with GDI+'s status) and leaves the image empty.
  void LoadFromStream(TStream& stream) override;
  // The picture re-encoded in the image's own data format (PNG for TdxPNGImage); nothing when empty.
  void SaveToStream(TStream& stream) override;

  // An empty source clears this image; one loaded from a stream is saved and loaded again; one made
  // from pixels gives a copy of its pixels.
  virtual void AssignImage(TdxGPImage* image);
  // A new image of this class assigned from this one.
  virtual TOwned<TdxGPImage> CloneImage();
  // Same size and, unless empty, the same pixels byte for byte.
  virtual bool SameImageAs(TdxGPImage* image);
  virtual void ClearImage();
  // A new 32-bit bitmap of the image on transparent black (premultiplied pixels).
  virtual TOwned<TBitmap> CreateBitmapCopy();
  // The bitmap's pixels (alpha kept from a 32-bit bitmap, opaque otherwise); no change notification.
  virtual void AssignBitmap(TBitmap* bitmap);
  void LoadFromBitmapPixels(TBitmap* bitmap) { AssignBitmap(bitmap); }
  // Pixels of the image (top-down rows, premultiplied), with a change notification.
  void LoadFromBits(int width, int height, const TRGBColors* bits, bool hasAlpha);
  // The image's pixels, top-down rows, premultiplied ARGB; empty for an empty image.
  TRGBColors ReadPixels();

  // Draws the image into rect with an opacity (0..255) through the shared paint canvas; part of it,
  // stretched to dest. An empty image draws nothing.
  void DrawOnDC(HDC dc, const RECT& rect, BYTE opacity = 255);
  void DrawPartOnDC(HDC dc, const RECT& dest, BYTE opacity, const RECT& source);
  // A new image of this one's size: this image with the other stretched over it at the opacity.
  TOwned<TdxGPImage> MergeWith(TdxGPImage* image, BYTE opacity);
  RECT GetImageRect() const { return RECT{0, 0, Width(), Height()}; }

  // Clipboard data: CF_DIB and CF_BITMAP are read through a 32-bit bitmap (32-bit data keeps its alpha
  // unless every alpha byte is 0, as most programs leave them: such data is opaque); the image goes on
  // the clipboard drawn on white, as a 24-bit CF_DIB. An empty image raises EInvalidGraphic.
  bool SupportsClipboardFormat(UINT format) const override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

  // Cached answer of ScanForAlpha, cleared by every change.
  bool UsesAlpha();
  bool ScanForAlpha();

  GpImage* Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  TdxImageDataFormat ImageDataFormat() const { return FImageDataFormat; }
  TdxGPImageData* ImageData() const { return FImageData.get(); }

protected:
  void AssignTo(TPersistent* dest) override;
  void Draw(TCanvas* canvas, const RECT& rect) override;
  void Changed(TObject* sender) override;
  // The format SaveToStream writes.
  virtual TdxImageDataFormat SaveFormat() const { return FImageDataFormat; }

  void CreateHandleFromStream(TStream& stream);
  void CreateHandleFromBits(int width, int height, TRGBColors bits, bool hasAlpha);
  void EncodeToStream(TStream& stream, TdxImageDataFormat format);
  void FreeHandle();

private:
  GpImage* FHandle = nullptr;
  TOwned<TdxGPImageData> FImageData;
  TdxImageDataFormat FImageDataFormat = TdxImageDataFormat::dxImageUnknown;
  bool FIsAlphaUsed = false;
  bool FIsAlphaUsedAssigned = false;
};

class TdxPNGImage : public TdxGPImage {
  CL_CLASS(TdxPNGImage, TdxGPImage)
public:
  TdxPNGImage() = default;

protected:
  TdxImageDataFormat SaveFormat() const override { return TdxImageDataFormat::dxImagePng; }
};

class TdxSmartImage : public TdxGPImage {
  CL_CLASS(TdxSmartImage, TdxGPImage)
public:
  TdxSmartImage() = default;
};

// Loads a graphic through its stream load from a resource of a module.
void LoadGraphicFromResource(TGraphic* graphic, HMODULE module, const char* resourceName, LPCSTR resourceType);

// ---- Canvases ---------------------------------------------------------------------------------------

// A GDI+ graphics, deleted with the canvas.
class TdxGPCanvas : public TdxGPBase {
  CL_CLASS(TdxGPCanvas, TdxGPBase)
public:
  explicit TdxGPCanvas(GpGraphics* handle = nullptr) : FHandle(handle) {}
  ~TdxGPCanvas() override;

  GpGraphics* Handle() const { return FHandle; }
  // The whole image / the source part of it into dest with an opacity.
  void DrawImage(TdxGPImage* image, const RECT& dest, BYTE opacity = 255);
  void DrawImagePart(TdxGPImage* image, const RECT& dest, BYTE opacity, const RECT& source);
  // A non-empty bitmap through a temporary image made from its pixels.
  void DrawBitmap(TBitmap* bitmap, const RECT& dest, BYTE opacity = 255);
  // A new graphics for the device context (the old one is deleted).
  void CreateGraphicsForDC(HDC dc);
  void FreeGraphics();
  // GDI+'s interpolation mode numbers: 1 low quality ... 7 high-quality bicubic.
  void SetInterpolationMode(int mode);

protected:
  GpGraphics* FHandle;
};

// The device context of a canvas's graphics, to be given back with ReleaseGdipCanvasDC.
HDC GetGdipCanvasDC(TdxGPCanvas* canvas);
void ReleaseGdipCanvasDC(TdxGPCanvas* canvas, HDC dc);

class TdxGPGraphics : public TdxGPCanvas {
  CL_CLASS(TdxGPGraphics, TdxGPCanvas)
public:
  using TdxGPCanvas::TdxGPCanvas;
};

// Paints on a device context: the graphics is made for the device context itself or, where the
// device has fewer than 17 bits per pixel (or is a raster printer or a palette device), for a 32-bit
// buffer that holds a copy of the device's pixels and goes back to the device at EndPaint.
class TdxGPCustomPaintCanvas : public TdxGPGraphics {
  CL_CLASS(TdxGPCustomPaintCanvas, TdxGPGraphics)
public:
  TdxGPCustomPaintCanvas() = default;
  ~TdxGPCustomPaintCanvas() override;
  void BeginPaint(HDC dc, const RECT& rect);
  // Paints on a graphics that stays the caller's.
  void BeginPaintOnGraphics(GpGraphics* graphics);
  void EndPaint();
  // Whether the current painting goes through a buffer.
  bool Buffered() const { return static_cast<bool>(FBuffer); }
  HDC DrawDC() const { return FDrawDC; }

protected:
  virtual void SaveState() {}
  virtual void RestoreState() {}

  HDC FDrawDC = nullptr;
  RECT FDrawRect{};
  TOwned<TBitmap> FBuffer;
};

// A paint canvas whose begin and end pairs nest: each begin saves the graphics, buffer, rectangle
// and device context, each end restores them.
class TdxGPPaintCanvas : public TdxGPCustomPaintCanvas {
  CL_CLASS(TdxGPPaintCanvas, TdxGPCustomPaintCanvas)
public:
  TdxGPPaintCanvas() = default;
  ~TdxGPPaintCanvas() override;
  int SavedStateCount() const { return FSavedStateCount; }

protected:
  void SaveState() override;
  void RestoreState() override;

private:
  struct TState {
    GpGraphics* Graphics = nullptr;
    TOwned<TBitmap> Buffer;
    RECT Rect{};
    HDC DC = nullptr;
  };
  std::vector<TState> FSavedStates;
  int FSavedStateCount = 0;
};

// The process-wide paint canvas, created on first use (none once shut-down has begun).
TdxGPPaintCanvas* GetSharedGdipPaintCanvas();
// New paint canvases already begun; EndGdipPaintAndFree ends one, frees it and empties the pointer.
TdxGPPaintCanvas* NewGdipPaintCanvasForDC(HDC dc, const RECT& rect);
TdxGPPaintCanvas* NewGdipPaintCanvasForGraphics(GpGraphics* graphics);
void EndGdipPaintAndFree(TdxGPPaintCanvas*& canvas);

// ---- Drawing on a GDI+ graphics ---------------------------------------------------------------------

// The source part of the image stretched into dest with an opacity (255: drawn directly; otherwise
// through a colour matrix). Nothing for an empty source or destination or an invisible destination.
void DrawGdipImageRect(GpGraphics* graphics, const RECT& dest, const RECT& source, BYTE opacity, TdxGPImage* image);
void FillGdipRectSolid(GpGraphics* graphics, const RECT& rect, ARGB color);
// A linear gradient (GDI+'s LinearGradientMode: 0 horizontal, 1 vertical, 2 and 3 diagonal).
void FillGdipRectGradient(GpGraphics* graphics, const RECT& rect, ARGB color1, ARGB color2, int mode);
// The source part repeated over dest from its top-left corner, the last row and column cut.
void DrawGdipImageTiled(GpGraphics* graphics, const RECT& dest, const RECT& source, BYTE opacity, TdxGPImage* image);
bool IsGdipRectVisible(GpGraphics* graphics, const RECT& rect);

// The start-up and shut-down of the picture classes (run through the units loader).
void RegisterGdipGraphicClasses();
void UnregisterGdipGraphicClasses();
