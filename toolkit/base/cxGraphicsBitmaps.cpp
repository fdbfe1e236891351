#include "toolkit/base/cxGraphicsBitmaps.h"

#include <algorithm>
#include <cmath>
#include "classlib/Streams.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmapStream.h"

CL_DEFINE_CLASS(TcxBitmap);
CL_DEFINE_CLASS(TcxBitmap32);
CL_DEFINE_CLASS(TcxAlphaBitmap);

namespace {
// Rounds to the nearest integer, halves to even.
int RoundToInt(double value) { return static_cast<int>(std::nearbyint(value)); }

// Unlocks a bitmap's changes when a scope ends, also by an exception.
class TChangesLock {
public:
  explicit TChangesLock(TcxBitmap* bitmap, bool force = false) : FBitmap(bitmap), FForce(force)
  {
    FBitmap->LockChanges();
  }
  ~TChangesLock() noexcept(false)
  {
    if (std::uncaught_exceptions() > FExceptions) {
      try {
        FBitmap->UnlockChanges(FForce);
      } catch (...) {
        // The exception already under way is the one to report.
      }
    } else {
      FBitmap->UnlockChanges(FForce);
    }
  }
  TChangesLock(const TChangesLock&) = delete;
  TChangesLock& operator=(const TChangesLock&) = delete;

private:
  TcxBitmap* FBitmap;
  bool FForce;
  int FExceptions = std::uncaught_exceptions();
};
}  // namespace

// --- TcxBitmap ---

TcxBitmap::TcxBitmap() : TcxBitmap(0, 0) {}

TcxBitmap::TcxBitmap(int width, int height) : TcxBitmap(width, height, TPixelFormat::pf24bit) {}

TcxBitmap::TcxBitmap(const RECT& rect) : TcxBitmap(RectWidth(rect), RectHeight(rect)) {}

TcxBitmap::TcxBitmap(int width, int height, TPixelFormat format) { Initialize(width, height, format); }

TcxBitmap::TcxBitmap(const RECT& rect, TPixelFormat format) : TcxBitmap(RectWidth(rect), RectHeight(rect), format) {}

TcxBitmap::~TcxBitmap() { FcxCanvas.reset(); }

void TcxBitmap::Initialize(int width, int height, TPixelFormat format)
{
  FcxCanvas = MakeOwned<TcxCanvas>(Canvas());
  TChangesLock lock(this, true);  // one notification (and one format check) whatever changed
  SetPixelFormat(format);
  SetSize(width, height);
}

void TcxBitmap::UnlockChanges(bool force)
{
  if (FChangeLockCount > 0) --FChangeLockCount;
  if (FChangeLockCount == 0 && (force || FModified)) Changed(this);
}

void TcxBitmap::Changed(TObject* sender)
{
  if (FChangeLockCount > 0) {
    TBitmap::Changing(sender);  // the cached mask no longer matches
    FModified = true;
    return;
  }
  FModified = false;
  TBitmap::Changed(sender);
  ValidateFormat();
}

void TcxBitmap::SetSize(int width, int height)
{
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  TChangesLock lock(this);
  TBitmap::SetSize(width, height);
}

void TcxBitmap::ResizeToRect(const RECT& rect) { SetSize(RectWidth(rect), RectHeight(rect)); }

void TcxBitmap::CopyFromBitmap(TBitmap* source, DWORD rop) { CopyFromBitmapRect(source, GetFullRect(), rop, POINT{0, 0}); }

void TcxBitmap::CopyFromBitmapRect(TBitmap* source, const RECT& rect, DWORD rop, POINT sourcePoint)
{
  if (!source || Empty() || source->Empty()) return;
  TCanvasLock lock(Canvas());
  TCanvasLock sourceLock(source->Canvas());
  BlitRect(Canvas()->Handle(), source->Canvas()->Handle(), rect, rop, sourcePoint);
  SetModified(true);
}

void TcxBitmap::RotateOrFlip(TcxRotationAngle mode, bool mirror)
{
  TChangesLock lock(this);
  TcxCanvas::RotateOrFlipBitmap(this, mode, mirror);
}

void TcxBitmap::WriteData(TStream& stream)
{
  if (!FCompressData) {
    TBitmap::WriteData(stream);
    return;
  }
  auto plain = MakeOwned<TMemoryStream>();
  TBitmap::WriteData(*plain);
  WriteCompressedBitmapData(
      stream, std::span<const uint8_t>(static_cast<const uint8_t*>(plain->Memory()), static_cast<size_t>(plain->Size())),
      BitmapStreamBlockSize(this));
}

void TcxBitmap::ReadData(TStream& stream)
{
  std::optional<std::vector<uint8_t>> plain = ReadCompressedBitmapData(stream);
  if (!plain) {
    TBitmap::ReadData(stream);
    return;
  }
  auto data = MakeOwned<TMemoryStream>();
  if (!plain->empty()) data->WriteBuffer(plain->data(), static_cast<int64_t>(plain->size()));
  data->SetPosition(0);
  TBitmap::ReadData(*data);
}

// --- TcxBitmap32 ---

TcxBitmap32::TcxBitmap32() : TcxBitmap32(0, 0) {}

TcxBitmap32::TcxBitmap32(int width, int height) : TcxBitmap(width, height, TPixelFormat::pf32bit) {}

TcxBitmap32::TcxBitmap32(const RECT& rect) : TcxBitmap32(RectWidth(rect), RectHeight(rect)) {}

TcxBitmap32::TcxBitmap32(int width, int height, bool clear) : TcxBitmap32(width, height)
{
  if (clear) ClearImage();
}

TcxBitmap32::TcxBitmap32(const RECT& rect, bool clear) : TcxBitmap32(RectWidth(rect), RectHeight(rect), clear) {}

void TcxBitmap32::ReadPixels(TRGBColors& pixels) { GetBitmapPixels(this, pixels, false); }

void TcxBitmap32::WritePixels(const TRGBColors& pixels) { PutBitmapPixels(this, pixels, false); }

void TcxBitmap32::SetAlphaOfAll(BYTE alpha)
{
  TRGBColors pixels;
  if (!GetBitmapPixels(this, pixels, false)) return;
  for (RGBQUAD& p : pixels) p.rgbReserved = alpha;
  PutBitmapPixels(this, pixels, false);
}

void TcxBitmap32::ClearImage()
{
  if (Empty()) return;
  // The black stock brush leaves every byte 0, alpha included.
  RECT full = GetFullRect();
  {
    TCanvasLock lock(Canvas());
    ::FillRect(Canvas()->Handle(), &full, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  SetModified(true);
}

void TcxBitmap32::LoadFromStream(TStream& stream)
{
  LockChanges();
  try {
    TcxBitmap::LoadFromStream(stream);
  } catch (...) {
    try {
      SetPixelFormat(TPixelFormat::pf32bit);
      UnlockChanges(true);
    } catch (...) {
      // The load's own error is the one to report.
    }
    throw;
  }
  SetPixelFormat(TPixelFormat::pf32bit);
  UnlockChanges(true);
}

void TcxBitmap32::ValidateFormat()
{
  const int bits = PixelFormat() == TPixelFormat::pf32bit ? 32 : GetBitmapBitsPerPixel(this);
  if (bits != 32) throw EdxException("Wrong PixelFormat");
}

// --- Colour lists and blending ---

bool TcxColorList::Contains(uint32_t color) const
{
  return std::find(FColors.begin(), FColors.end(), color & 0xFFFFFF) != FColors.end();
}

void AddTransparentColor(TcxColorList& list, TColor color) { list.Add(PackColorAsRGBQuad(color, 0)); }

void BlendColorOverPixel(uint32_t color, RGBQUAD& pixel, BYTE factor)
{
  const RGBQUAD c = ValueToPixel(color);
  const double f = factor / 255.0;
  const double a = f * c.rgbReserved;
  const double k = 1.0 - a / 255.0;
  auto mix = [&](BYTE source, BYTE dest) { return static_cast<BYTE>(ClampChannel(RoundToInt(f * source + k * dest))); };
  pixel.rgbBlue = mix(c.rgbBlue, pixel.rgbBlue);
  pixel.rgbGreen = mix(c.rgbGreen, pixel.rgbGreen);
  pixel.rgbRed = mix(c.rgbRed, pixel.rgbRed);
  pixel.rgbReserved = static_cast<BYTE>(ClampChannel(RoundToInt(a + k * pixel.rgbReserved)));
}

// --- TcxAlphaBitmap ---

TcxAlphaBitmap::TcxAlphaBitmap() : TcxAlphaBitmap(0, 0) {}

TcxAlphaBitmap::TcxAlphaBitmap(int width, int height) : TcxBitmap32(width, height) {}

TcxAlphaBitmap::TcxAlphaBitmap(const RECT& rect) : TcxBitmap32(rect) {}

TcxAlphaBitmap::TcxAlphaBitmap(int width, int height, uint32_t transparentBkColor) : TcxBitmap32(width, height)
{
  FTransparentBkColor = transparentBkColor;
}

void TcxAlphaBitmap::UseTransparentColor(TColor color)
{
  FTransparentPixels.Clear();
  AddTransparentColor(FTransparentPixels, color);
  FTransparentBkColor = PackColorAsRGBQuad(color, 0);
  ApplyPixelOperation(TcxPixelOperation::AlphaFix);
}

void TcxAlphaBitmap::SetHatchParams(const TcxHatchData& data)
{
  FHatchData = data;
  ApplyPixelOperation(TcxPixelOperation::Hatch);
}

void TcxAlphaBitmap::HatchPixels(TColor color1, TColor color2, BYTE step, BYTE alpha1, BYTE alpha2)
{
  TcxHatchData data;
  data.Color1 = PackColorAsRGBQuad(color1, 255);
  data.Alpha1 = alpha1;
  data.Color2 = PackColorAsRGBQuad(color2, 255);
  data.Alpha2 = alpha2;
  data.Step = step;
  SetHatchParams(data);
}

void TcxAlphaBitmap::ApplyPixelOperation(TcxPixelOperation operation)
{
  TRGBColors pixels;
  if (!GetBitmapPixels(this, pixels, false)) return;
  const int w = Width(), h = Height();
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      FCurrentX = x;
      FCurrentY = y;
      ProcessPixel(operation, pixels[static_cast<size_t>(y) * w + x]);
    }
  PutBitmapPixels(this, pixels, false);  // writes and notifies
}

bool TcxAlphaBitmap::IsTransparentPixel(RGBQUAD pixel) const
{
  const uint32_t value = PixelToValue(pixel);
  return value == FTransparentBkColor || FTransparentPixels.Contains(value);
}

void TcxAlphaBitmap::GrayPixel(RGBQUAD& pixel, float redWeight, float greenWeight, float blueWeight)
{
  const double sum = pixel.rgbRed * static_cast<double>(redWeight) + pixel.rgbGreen * static_cast<double>(greenWeight) +
                     pixel.rgbBlue * static_cast<double>(blueWeight);
  const BYTE g = static_cast<BYTE>(ClampChannel(RoundToInt(sum)));
  pixel.rgbRed = pixel.rgbGreen = pixel.rgbBlue = g;
}

void TcxAlphaBitmap::ProcessPixel(TcxPixelOperation operation, RGBQUAD& p)
{
  using enum TcxPixelOperation;
  switch (operation) {
    case DimOrLighten:
      if (IsTransparentPixel(p)) return;
      if (p.rgbReserved == 255) {
        for (BYTE* c : {&p.rgbBlue, &p.rgbGreen, &p.rgbRed}) *c = static_cast<BYTE>(*c + MulDiv(255 - *c, 3, 10));
      } else {
        for (BYTE* c : {&p.rgbBlue, &p.rgbGreen, &p.rgbRed, &p.rgbReserved})
          *c = static_cast<BYTE>(MulDiv(*c, 200, 255));
      }
      break;
    case ShadowGray:
      if (IsTransparentPixel(p)) return;
      GrayPixel(p, 0.299f, 0.587f, 0.114f);
      BlendColorOverPixel(PackColorAsRGBQuad(clBtnShadow, 0xC0), p, 238);
      break;
    case AverageGray:
      if (IsTransparentPixel(p)) return;
      p.rgbRed = p.rgbGreen = p.rgbBlue = static_cast<BYTE>((p.rgbRed + p.rgbGreen + p.rgbBlue) / 3);
      break;
    case Opaque: p.rgbReserved = 255; break;
    case Mask: p = IsTransparentPixel(p) ? ValueToPixel(0xFFFFFFFF) : ValueToPixel(0); break;
    case FadedGray:
      if (IsTransparentPixel(p)) return;
      GrayPixel(p, 0.299f, 0.587f, 0.114f);
      break;
    case DisabledGray:
      if (IsTransparentPixel(p)) return;
      GrayPixel(p, 0.0729f, 0.7146f, 0.2125f);
      break;
    case AlphaFix:
      if (p.rgbReserved == 0 && !IsTransparentPixel(p)) p.rgbReserved = 255;
      break;
    case Hatch: {
      const int step = std::max<int>(FHatchData.Step, 1);  // a step of 0 would divide by zero
      if ((FCurrentX / step + FCurrentY / step) % 2 != 0)
        BlendColorOverPixel(FHatchData.Color2, p, FHatchData.Alpha2);
      else
        BlendColorOverPixel(FHatchData.Color1, p, FHatchData.Alpha1);
      break;
    }
    case Clear: p = ValueToPixel(FTransparentBkColor); break;
    case AlphaClear: p.rgbReserved = 0; break;
  }
}

void TcxAlphaBitmap::ClearImage()
{
  if ((FTransparentBkColor >> 24) != 0)
    ApplyPixelOperation(TcxPixelOperation::Clear);
  else
    TcxBitmap32::ClearImage();
}
