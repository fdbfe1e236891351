#pragma once
// TBitmap: an image held in a DIB section (or, for pfDevice, a bitmap compatible with the screen),
// with a canvas for drawing into it, transparency, and the bitmap file format as its stream form.
//
// The image's pixel format is one of pf1bit ... pf32bit (device-independent), pfDevice (the
// screen's own format) or pfCustom (16 or 32 bits with unusual colour masks, as read from a file).
// New pixels are white. ScanLine gives a row's bytes with row 0 the top row, whichever way up the
// DIB section is stored.
//
// The canvas's device context has the bitmap selected, so the bitmap cannot be selected into another
// context meanwhile: Handle() first releases the canvas's context (a locked canvas is waited for),
// and Dormant() gives up every GDI object, keeping the pixels in memory until the image is needed.
#include <memory>
#include <optional>
#include <string>
#include "classlib/BitmapFile.h"
#include "classlib/Canvas.h"
#include "classlib/Graphic.h"

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum class TTransparentMode { tmAuto, tmFixed };
enum class TBitmapHandleType { bmDIB, bmDDB };

class TBitmap;

// The canvas of a bitmap: a memory device context with the bitmap selected, made when drawing needs
// it and released when the bitmap's image changes or FreeMemoryContexts reclaims it.
class TBitmapCanvas : public TCanvas {
  CL_CLASS(TBitmapCanvas, TCanvas)
public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override;
  // Releases the device context (waiting for a lock another thread holds).
  void FreeContext();

protected:
  void CreateHandle() override;

private:
  friend class TBitmap;
  friend void FreeMemoryContexts();
  void FreeContextLocked();

  TBitmap* FBitmap;
  TDCHandle FDC;
  HGDIOBJ FOldBitmap = nullptr;
};

// Releases the device contexts of all bitmap canvases that no thread has locked (for idle time).
void FreeMemoryContexts();

class TBitmap : public TGraphic {
  CL_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;
  // From another bitmap (a copy of its image, format and transparency settings), from any other
  // graphic (drawn on a white bitmap of its size), or from nullptr (empty).
  void Assign(TPersistent* source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int value) override { SetSize(value, FHeight); }
  void SetHeight(int value) override { SetSize(FWidth, value); }
  // Keeps the pixels that are inside both sizes; new pixels are white.
  void SetSize(int width, int height) override;

  TCanvas* Canvas();
  bool HandleAllocated() const { return static_cast<bool>(FHandle); }
  // The bitmap object (created when needed); the canvas's context lets go of it first.
  HBITMAP Handle();
  // Takes ownership of a bitmap object (nullptr empties the bitmap).
  void SetHandle(HBITMAP bitmap);
  // Gives the bitmap object to the caller; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  // A monochrome bitmap: 1 (white) where the image has TransparentColor, 0 elsewhere. Owned by the
  // bitmap and made again after any change.
  HBITMAP MaskHandle();
  HBITMAP ReleaseMaskHandle();
  TBitmapHandleType HandleType() const;
  void SetHandleType(TBitmapHandleType value);
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the image (colours are mapped by GDI); pfCustom raises EInvalidGraphicOperation.
  void SetPixelFormat(TPixelFormat value);
  bool Monochrome() const { return FPixelFormat == TPixelFormat::pf1bit; }
  void SetMonochrome(bool value);
  // The bytes of a row, row 0 at the top; a device bitmap becomes a DIB section first. Raises
  // EInvalidGraphicOperation "Scan line index out of range" outside 0..Height-1.
  void* ScanLine(int row);
  // Bytes per row of ScanLine.
  int ScanLineSize() const;

  // tmAuto: the colour of the bottom-left pixel (white for a monochrome bitmap, clDefault for an
  // empty one); tmFixed: the colour set. Setting a colour sets tmFixed, setting clDefault tmAuto.
  TColor TransparentColor();
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);

  // The bitmap file format. Loading raises EInvalidGraphic "Bitmap image is not valid" for corrupt or
  // truncated data; a stream with no bytes left loads an empty bitmap, and an empty bitmap saves
  // nothing.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // Clipboard data: CF_DIB (a packed device-independent bitmap, checked like a bitmap file) and
  // CF_BITMAP (a bitmap handle, copied: 32 bits per pixel when the handle has them, else 24) are read;
  // an empty bitmap raises EInvalidGraphic. The bitmap is saved as CF_DIB in its own format.
  bool SupportsClipboardFormat(UINT format) const override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
  // A RT_BITMAP resource of a module.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  // Gives up the bitmap object, its mask and the canvas's context, keeping the pixels in memory; the
  // next use of the image makes them again.
  void Dormant();
  // Makes the image a GDI object again if it is dormant.
  void FreeImage();

protected:
  void Draw(TCanvas* canvas, const RECT& rect) override;
  void Changed(TObject* sender) override;
  // Before the image changes: the mask is dropped.
  virtual void Changing(TObject* sender);
  // Stored-form data: a 32-bit length followed by the bitmap file.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

private:
  friend class TBitmapCanvas;

  void HandleNeeded();
  void FreeContext();
  void LoadFromResource(TStream& resource);
  // The pixels of the current image as a bitmap file holds them.
  TDibData ImageData();
  // Replaces the image with one made from data (in its format, or as a device bitmap).
  void SetImage(const TDibData& data, bool asDevice);
  void AdoptHandle(HBITMAP bitmap);
  bool ProbeTopDown();
  // A new image of the size and format with the old pixels copied in.
  void Reformat(int width, int height, TPixelFormat format);

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  TBitmapHandle FHandle;
  DIBSECTION FDib{};  // of a DIB section handle; dsBm.bmBits is null for a device bitmap
  bool FTopDown = false;
  TBitmapHandle FMask;
  std::optional<TDibData> FDormant;
  TOwned<TBitmapCanvas> FCanvas;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
};

extern const TEnumInfo PixelFormatInfo;

// A new 8 x 8 checkerboard of the two colours (background where x + y is even), the pattern of
// halftone brushes such as resize outlines. The caller owns it; a brush keeps its own copy.
TOwned<TBitmap> AllocPatternBitmap(TColor bkColor, TColor fgColor);
