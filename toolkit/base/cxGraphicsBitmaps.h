#pragma once
// Bitmaps of the toolkit. TcxBitmap adds its own TcxCanvas, a change lock that folds many changes into
// one notification, and an optional block-compressed form of its stored data (the "XDBM" stream);
// TcxBitmap32 keeps 32 bits per pixel and gives pixel access; TcxAlphaBitmap adds transparent colours
// and per-pixel operations (gray, dim, mask, hatch, alpha fixes) that image drawing modes are made of.
//
// 32-bit pixels are RGBQUADs: blue, green, red, alpha. A pixel value as a 32-bit integer is
// blue | green << 8 | red << 16 | alpha << 24 (PackColorAsRGBQuad).
#include <cstdint>
#include <memory>
#include <vector>
#include "classlib/Bitmap.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxCore.h"

class TcxBitmap : public TBitmap {
  CL_CLASS(TcxBitmap, TBitmap)
public:
  // 0 x 0, 24 bits per pixel.
  TcxBitmap();
  // 24 bits per pixel.
  TcxBitmap(int width, int height);
  explicit TcxBitmap(const RECT& rect);
  TcxBitmap(int width, int height, TPixelFormat format);
  TcxBitmap(const RECT& rect, TPixelFormat format);
  ~TcxBitmap() override;

  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }

  // When set, the stored data (Data of stored forms, WriteData) is written block-compressed.
  bool CompressData() const { return FCompressData; }
  void SetCompressData(bool value) { FCompressData = value; }

  // Changes made while locked send one notification when the last lock goes (always with force).
  void LockChanges() { ++FChangeLockCount; }
  void UnlockChanges(bool force = false);
  bool IsChangeLocked() const { return FChangeLockCount > 0; }

  // Blits this bitmap's full rect from the source's top-left / a rect from a source point.
  void CopyFromBitmap(TBitmap* source, DWORD rop = SRCCOPY);
  void CopyFromBitmapRect(TBitmap* source, const RECT& rect, DWORD rop = SRCCOPY, POINT sourcePoint = {0, 0});
  void RotateOrFlip(TcxRotationAngle mode, bool mirror = false);
  // Negative sizes become 0; an unchanged size sends no notification, a change exactly one.
  void SetSize(int width, int height) override;
  void ResizeToRect(const RECT& rect);
  RECT GetFullRect() const { return RECT{0, 0, Width(), Height()}; }

protected:
  // Every change: one notification and a format check, or only a note while the changes are locked.
  void Changed(TObject* sender) override;
  // Raises when the pixel format is not what the class keeps; TcxBitmap accepts any.
  virtual void ValidateFormat() {}
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;
  // Makes the canvas wrapper and sets format and size with one notification.
  void Initialize(int width, int height, TPixelFormat format);

private:
  bool FCompressData = false;
  TOwned<TcxCanvas> FcxCanvas;
  int FChangeLockCount = 0;
  bool FModified = false;
};

class TcxBitmap32 : public TcxBitmap {
  CL_CLASS(TcxBitmap32, TcxBitmap)
public:
  TcxBitmap32();
  // Not cleared: new pixels are white with alpha 0.
  TcxBitmap32(int width, int height);
  explicit TcxBitmap32(const RECT& rect);
  TcxBitmap32(int width, int height, bool clear);
  TcxBitmap32(const RECT& rect, bool clear);

  // Pixels bottom row first.
  void ReadPixels(TRGBColors& pixels);
  void WritePixels(const TRGBColors& pixels);
  void MakeOpaque() { SetAlphaOfAll(255); }
  void SetAlphaOfAll(BYTE alpha);
  // Some pixel has a non-zero alpha byte.
  bool HasAlphaChannel() { return BitmapUsesAlpha(this); }
  // Every byte 0 (black, alpha 0).
  virtual void ClearImage();

  // Loads any bitmap file and converts it to 32 bits per pixel.
  void LoadFromStream(TStream& stream) override;

protected:
  // Raises EdxException "Wrong PixelFormat" for other than 32 bits per pixel.
  void ValidateFormat() override;
};

// 24-bit pixel colours (the low three bytes of a pixel value).
class TcxColorList {
public:
  void Add(uint32_t color) { FColors.push_back(color & 0xFFFFFF); }
  void Clear() { FColors.clear(); }
  int Count() const { return static_cast<int>(FColors.size()); }
  bool Contains(uint32_t color) const;

private:
  std::vector<uint32_t> FColors;
};

// Adds the 24-bit pixel colour of a class-library colour.
void AddTransparentColor(TcxColorList& list, TColor color);

// Parameters of the hatch operation: 2 x step cells from the bottom-left pixel, alternating colours.
#pragma pack(push, 1)
struct TcxHatchData {
  uint32_t Color1 = 0;  // pixel values, alpha 255
  BYTE Alpha1 = 0;
  uint32_t Color2 = 0;
  BYTE Alpha2 = 0;
  BYTE Step = 0;
};
#pragma pack(pop)

enum class TcxPixelOperation : int {
  DimOrLighten = 0,   // opaque pixels 30 % towards white, others scaled to 200 / 255
  ShadowGray = 1,     // gray, then the button shadow colour blended over
  AverageGray = 2,    // (red + green + blue) / 3
  Opaque = 3,         // alpha 255
  Mask = 4,           // transparent pixels white (alpha 255), all others 0
  FadedGray = 5,      // luminance gray
  DisabledGray = 6,   // gray weighted towards green and blue
  AlphaFix = 7,       // alpha 0 becomes 255 unless the pixel is transparent
  Hatch = 8,          // the hatch colours blended over in alternating cells
  Clear = 9,          // the transparent background colour
  AlphaClear = 10,    // alpha 0
};

// Composes a colour (premultiplied, with its own alpha) over a pixel, the colour scaled by factor / 255.
void BlendColorOverPixel(uint32_t color, RGBQUAD& pixel, BYTE factor);

class TcxAlphaBitmap : public TcxBitmap32 {
  CL_CLASS(TcxAlphaBitmap, TcxBitmap32)
public:
  TcxAlphaBitmap();
  TcxAlphaBitmap(int width, int height);
  explicit TcxAlphaBitmap(const RECT& rect);
  // The background colour is a pixel value with its alpha byte.
  TcxAlphaBitmap(int width, int height, uint32_t transparentBkColor);

  uint32_t TransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(uint32_t value) { FTransparentBkColor = value; }
  TcxColorList& TransparentPixels() { return FTransparentPixels; }

  // The colour becomes the only transparent colour and the background colour (alpha 0); then every
  // pixel with alpha 0 that is not transparent is made opaque.
  void UseTransparentColor(TColor color);
  // Sets the hatch and runs the hatch operation.
  void SetHatchParams(const TcxHatchData& data);
  void HatchPixels(TColor color1, TColor color2, BYTE step, BYTE alpha1, BYTE alpha2);
  const TcxHatchData& HatchData() const { return FHatchData; }

  // Runs the operation over every pixel (column by column from the left, each from the bottom row),
  // writes the pixels back and notifies once.
  void ApplyPixelOperation(TcxPixelOperation operation);
  // The whole value equals the background colour, or its colour is in the transparent list.
  bool IsTransparentPixel(RGBQUAD pixel) const;
  // Red, green and blue become the rounded weighted sum; alpha stays.
  static void GrayPixel(RGBQUAD& pixel, float redWeight, float greenWeight, float blueWeight);

  // The background colour when its alpha is not 0, else all bytes 0.
  void ClearImage() override;

private:
  void ProcessPixel(TcxPixelOperation operation, RGBQUAD& pixel);

  uint32_t FTransparentBkColor = 0;
  TcxColorList FTransparentPixels;
  int FCurrentX = 0;  // column of the pixel being processed
  int FCurrentY = 0;  // row, 0 at the bottom
  TcxHatchData FHatchData;
};

// Pixel values and RGBQUADs.
inline uint32_t PixelToValue(RGBQUAD p)
{
  return p.rgbBlue | (p.rgbGreen << 8) | (p.rgbRed << 16) | (static_cast<uint32_t>(p.rgbReserved) << 24);
}
inline RGBQUAD ValueToPixel(uint32_t v)
{
  return RGBQUAD{static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 24)};
}
