#include "toolkit/base/cxGraphicsImages.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include "toolkit/base/cxImageList.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxGDIPlusClasses.h"

TcxImageModeDrawProc ImageModeDrawHook = nullptr;
TcxGetAlphaBlendFunc cxGetAlphaBlend = BoundAlphaBlend;

namespace {
TOwned<TcxAlphaBitmap> GDrawWorkBitmap;
TOwned<TcxAlphaBitmap> GImageWorkBitmap;
TOwned<TcxAlphaBitmap> GMaskWorkBitmap;

void FinalizeUnit()
{
  GDrawWorkBitmap.reset();
  GImageWorkBitmap.reset();
  GMaskWorkBitmap.reset();
}

const TUnit* const Uses[] = {&UnitdxCore, &UnitcxGraphics, &UnitdxGDIPlusClasses};

TcxAlphaBitmap* PrepareWorkBitmap(TOwned<TcxAlphaBitmap>& bitmap, int width, int height)
{
  if (!bitmap) {
    bitmap = MakeOwned<TcxAlphaBitmap>(width, height);
  } else {
    bitmap->SetSize(width, height);
    bitmap->TransparentPixels().Clear();
  }
  bitmap->ClearImage();
  return bitmap.get();
}

// The bits per pixel of what a device context draws on: the selected bitmap of a memory context.
int DCBitsPerPixel(HDC dc)
{
  BITMAP bm{};
  if (GetObjectType(dc) == OBJ_MEMDC && GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) == sizeof bm)
    return bm.bmBitsPixel * bm.bmPlanes;
  return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

// Lanczos3 window: sinc(x) * sinc(x / 3) inside (-3, 3).
float Lanczos3(float x)
{
  auto sinc = [](float v) {
    if (v == 0.0f) return 1.0f;
    const float p = std::numbers::pi_v<float> * v;
    return std::sin(p) / p;
  };
  if (std::fabs(x) >= 3.0f) return 0.0f;
  return sinc(x) * sinc(x / 3.0f);
}

// One pass of the filter over lines of 32-bit pixels: count lines of sourceStride step in source
// positions, written into lines of the destination.
void ApplyContributors(const TContributorList& list, const RGBQUAD* source, RGBQUAD* dest, int lines,
                       int sourceStep, int sourceLineStep, int destStep, int destLineStep)
{
  for (int line = 0; line < lines; ++line)
    for (size_t i = 0; i < list.size(); ++i) {
      int sum[4] = {0, 0, 0, 0};
      for (const TContributor& c : list[i].Contributors) {
        const RGBQUAD& p = source[line * sourceLineStep + c.Pixel * sourceStep];
        sum[0] += c.Weight * p.rgbBlue;
        sum[1] += c.Weight * p.rgbGreen;
        sum[2] += c.Weight * p.rgbRed;
        sum[3] += c.Weight * p.rgbReserved;
      }
      auto channel = [](int s) -> BYTE { return s < 0 ? 0 : s < 65536 ? static_cast<BYTE>(s / 256) : 255; };
      RGBQUAD& out = dest[line * destLineStep + static_cast<int>(i) * destStep];
      out = RGBQUAD{channel(sum[0]), channel(sum[1]), channel(sum[2]), channel(sum[3])};
    }
}
}  // namespace

TUnit UnitcxGraphicsImages{"cxGraphicsImages", Uses, nullptr, FinalizeUnit};

TcxAlphaBitmap* GetDrawWorkBitmap(int width, int height) { return PrepareWorkBitmap(GDrawWorkBitmap, width, height); }
TcxAlphaBitmap* GetImageWorkBitmap(int width, int height) { return PrepareWorkBitmap(GImageWorkBitmap, width, height); }
TcxAlphaBitmap* GetMaskWorkBitmap(int width, int height) { return PrepareWorkBitmap(GMaskWorkBitmap, width, height); }

// ---- AlphaBlend and the composition roads --------------------------------------------------------

bool IsAlphaBlendAvailable() { return cxGetAlphaBlend() != nullptr; }

bool CallAlphaBlend(HDC destDC, const RECT& destRect, HDC sourceDC, BYTE alpha, const RECT& sourceRect)
{
  TcxAlphaBlendProc alphaBlend = cxGetAlphaBlend();
  if (!alphaBlend) return false;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  return alphaBlend(destDC, destRect.left, destRect.top, RectWidth(destRect), RectHeight(destRect), sourceDC,
                    sourceRect.left, sourceRect.top, RectWidth(sourceRect), RectHeight(sourceRect), blend) != FALSE;
}

TOwned<TBitmap> SnapshotDCRect(HDC dc, const RECT& rect)
{
  TOwned<TBitmap> bitmap = NewBitmapWithFormat(RectWidth(rect), RectHeight(rect), TPixelFormat::pf32bit);
  TCanvasLock lock(bitmap->Canvas());
  HDC target = DCOf(bitmap.get());
  PatBlt(target, 0, 0, bitmap->Width(), bitmap->Height(), BLACKNESS);
  BitBlt(target, 0, 0, bitmap->Width(), bitmap->Height(), dc, rect.left, rect.top, SRCCOPY);
  return bitmap;
}

void AlphaBlendDC(HDC destDC, HDC sourceDC, const RECT& destRect, const RECT& sourceRect, BYTE alpha, bool smooth)
{
  if (RectWidth(destRect) <= 0 || RectHeight(destRect) <= 0 || RectWidth(sourceRect) <= 0 ||
      RectHeight(sourceRect) <= 0)
    return;
  const bool smoothStretch =
      smooth && (RectWidth(destRect) != RectWidth(sourceRect) || RectHeight(destRect) != RectHeight(sourceRect));
  if (!RunningUnderWow64 && !Win9xPlatform && IsAlphaBlendAvailable() && !smoothStretch) {
    CallAlphaBlend(destDC, destRect, sourceDC, alpha, sourceRect);
    return;
  }
  TOwned<TBitmap> source = SnapshotDCRect(sourceDC, sourceRect);
  // A 32-bit process on 64-bit Windows composes through GDI+ (when GDI+ is there at all).
  if (RunningUnderWow64 && CheckGdiPlusAvailable()) {
    TdxGPPaintCanvas* canvas = NewGdipPaintCanvasForDC(destDC, destRect);
    try {
      canvas->SetInterpolationMode(smooth ? Gdiplus::InterpolationModeHighQualityBicubic
                                          : Gdiplus::InterpolationModeLowQuality);
      canvas->DrawBitmap(source.get(), destRect, alpha);
    } catch (...) {
      EndGdipPaintAndFree(canvas);
      throw;
    }
    EndGdipPaintAndFree(canvas);
    return;
  }
  const int w = RectWidth(destRect), h = RectHeight(destRect);
  TOwned<TBitmap> dest = SnapshotDCRect(destDC, destRect);
  TOwned<TBitmap> work = NewBitmapWithFormat(w, h, TPixelFormat::pf32bit);
  if (smooth)
    ResampleBitmap(source.get(), work.get(), true);
  else
    StretchBitmapOnto(work.get(), source.get());
  const RECT full{0, 0, w, h};
  bool blended;
  {
    TCanvasLock destLock(dest->Canvas()), workLock(work->Canvas());
    blended = CallAlphaBlend(DCOf(dest.get()), full, DCOf(work.get()), alpha, full);
  }
  if (!blended) {
    TRGBColors over, under;
    GetBitmapPixels(work.get(), over, false);
    GetBitmapPixels(dest.get(), under, false);
    for (size_t i = 0; i < under.size() && i < over.size(); ++i) BlendColorOverPixel(PixelToValue(over[i]), under[i], alpha);
    PutBitmapPixels(dest.get(), under, false);
  }
  TCanvasLock lock(dest->Canvas());
  BitBlt(destDC, destRect.left, destRect.top, w, h, DCOf(dest.get()), 0, 0, SRCCOPY);
}

void AlphaBlendBitmap(TBitmap* dest, TBitmap* source, const RECT& destRect, const RECT& sourceRect, BYTE alpha,
                      bool smooth)
{
  if (!dest || !source || dest->Empty() || source->Empty()) return;
  TCanvasLock destLock(dest->Canvas()), sourceLock(source->Canvas());
  AlphaBlendDC(DCOf(dest), DCOf(source), destRect, sourceRect, alpha, smooth);
  dest->SetModified(true);
}

void AlphaBlendBitmapToDC(HDC destDC, TcxAlphaBitmap* source, const RECT& destRect, const RECT& sourceRect,
                          BYTE alpha, bool smooth)
{
  if (!source || source->Empty()) return;
  TCanvasLock lock(source->Canvas());
  AlphaBlendDC(destDC, DCOf(source), destRect, sourceRect, alpha, smooth);
}

void DrawAlphaBitmapInto(TcxAlphaBitmap* source, TBitmap* dest, const RECT& destRect, BYTE alpha, bool smooth)
{
  if (!source) return;
  AlphaBlendBitmap(dest, source, destRect, source->GetFullRect(), alpha, smooth);
}

// ---- Resampling -----------------------------------------------------------------------------------

TContributorList BuildContributors(int sourceSize, int destSize)
{
  TContributorList list(static_cast<size_t>(std::max(destSize, 0)));
  if (sourceSize <= 0 || destSize <= 0) return list;
  // The first and last pixels of both sizes correspond, unless one of them has a single pixel.
  const float scale = sourceSize == 1 || destSize == 1
                          ? static_cast<float>(destSize) / static_cast<float>(sourceSize)
                          : static_cast<float>(destSize - 1) / static_cast<float>(sourceSize - 1);
  const float width = scale >= 1.0f ? 1.0f : 1.0f / scale;
  const float radius = 3.0f * width;
  for (int i = 0; i < destSize; ++i) {
    TContributors& entry = list[static_cast<size_t>(i)];
    const float centre = static_cast<float>(i) / scale;
    const int first = static_cast<int>(std::floor(centre - radius)), last = static_cast<int>(std::ceil(centre + radius));
    for (int j = first; j <= last; ++j) {
      const int weight = static_cast<int>(std::lround(Lanczos3((centre - static_cast<float>(j)) / width) / width * 256.0f));
      if (weight == 0) continue;
      // Mirrored at the edges; a source shorter than the filter's reach needs more than one reflection,
      // and what one reflection leaves outside is clamped, so that no pixel outside is ever read.
      int pixel = j < 0 ? -j : j > sourceSize - 1 ? 2 * sourceSize - 1 - j : j;
      pixel = std::clamp(pixel, 0, sourceSize - 1);
      entry.Contributors.push_back(TContributor{pixel, weight});
    }
    entry.Count = static_cast<int>(entry.Contributors.size());
  }
  return list;
}

void ResampleBitmap(TBitmap* source, TBitmap* dest, bool forceFilter)
{
  if (!source || !dest) return;
  const int ws = source->Width(), hs = source->Height(), wd = dest->Width(), hd = dest->Height();
  if (ws == 0 || hs == 0 || wd == 0 || hd == 0) return;
  TCanvasLock sourceLock(source->Canvas()), destLock(dest->Canvas());
  if (WinNTPlatform && !forceFilter) {
    HDC d = DCOf(dest);
    const int old = SetStretchBltMode(d, HALFTONE);
    SetBrushOrgEx(d, 0, 0, nullptr);
    StretchBlt(d, 0, 0, wd, hd, DCOf(source), 0, 0, ws, hs, SRCCOPY);
    SetStretchBltMode(d, old);
    dest->SetModified(true);
    return;
  }
  TRGBColors pixels;
  if (!GetBitmapPixels(source, pixels, false)) return;
  // Across, into wd x hs; then down, into wd x hd.
  TRGBColors across(static_cast<size_t>(wd) * hs), down(static_cast<size_t>(wd) * hd);
  ApplyContributors(BuildContributors(ws, wd), pixels.data(), across.data(), hs, 1, ws, 1, wd);
  ApplyContributors(BuildContributors(hs, hd), across.data(), down.data(), wd, wd, 1, wd, 1);
  PutBitmapPixels(dest, down, false);
}

// ---- Helpers of the modes -------------------------------------------------------------------------

void DrawBitmapOnDC(HDC dc, TBitmap* bitmap, const RECT& rect, DWORD rop, POINT sourcePoint)
{
  if (!bitmap || bitmap->Empty()) return;
  if (Win9xPlatform && DCBitsPerPixel(dc) == 32 && GetBitmapBitsPerPixel(bitmap) < 32) {
    auto copy = MakeOwned<TcxAlphaBitmap>(RectWidth(rect), RectHeight(rect));
    copy->CopyFromBitmapRect(bitmap, copy->GetFullRect(), SRCCOPY, sourcePoint);
    copy->ApplyPixelOperation(TcxPixelOperation::AlphaClear);
    TCanvasLock lock(copy->Canvas());
    BlitRect(dc, DCOf(copy.get()), rect, rop, POINT{0, 0});
    return;
  }
  TCanvasLock lock(bitmap->Canvas());
  BlitRect(dc, DCOf(bitmap), rect, rop, sourcePoint);
}

void HatchDCRect(HDC dc, const RECT& rect, TColor color1, TColor color2, BYTE step, BYTE alpha1, BYTE alpha2)
{
  if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0) return;
  auto bitmap = MakeOwned<TcxAlphaBitmap>(RectWidth(rect), RectHeight(rect));
  {
    TCanvasLock lock(bitmap->Canvas());
    BitBlt(DCOf(bitmap.get()), 0, 0, bitmap->Width(), bitmap->Height(), dc, rect.left, rect.top, SRCCOPY);
  }
  bitmap->HatchPixels(color1, color2, step, alpha1, alpha2);
  TCanvasLock lock(bitmap->Canvas());
  BitBlt(dc, rect.left, rect.top, bitmap->Width(), bitmap->Height(), DCOf(bitmap.get()), 0, 0, SRCCOPY);
}

TOwned<TcxAlphaBitmap> CopyToAlphaBitmap(TcxBitmap32* source)
{
  auto copy = MakeOwned<TcxAlphaBitmap>(source ? source->Width() : 0, source ? source->Height() : 0);
  if (source) copy->CopyFromBitmap(source);
  return copy;
}

void MakeBitmapMask(TcxBitmap32* source, TBitmap* dest)
{
  if (!source || !dest) return;
  TOwned<TcxAlphaBitmap> mask = CopyToAlphaBitmap(source);
  if (!mask->HasAlphaChannel()) mask->UseTransparentColor(source->TransparentColor());
  mask->ApplyPixelOperation(TcxPixelOperation::Mask);
  TCanvasLock destLock(dest->Canvas()), maskLock(mask->Canvas());
  BitBlt(DCOf(dest), 0, 0, mask->Width(), mask->Height(), DCOf(mask.get()), 0, 0, SRCCOPY);
  dest->SetModified(true);
}

void ClearMaskedPixels(TcxBitmap32* bitmap, TcxBitmap32* mask)
{
  if (!bitmap || !mask) return;
  TRGBColors pixels, masks;
  bitmap->ReadPixels(pixels);
  mask->ReadPixels(masks);
  if (pixels.size() != masks.size()) return;
  for (size_t i = 0; i < pixels.size(); ++i)
    if (PixelToValue(masks[i]) != 0) pixels[i] = RGBQUAD{0, 0, 0, 0};
  bitmap->WritePixels(pixels);
}

void AddShadowToImage(TcxAlphaBitmap* image, TcxAlphaBitmap* mask, int offset, bool resize, TColor color)
{
  const int w = image->Width(), h = image->Height(), d = offset;
  // The mask on white, one offset in from every side; where the mask shifted by the offset shows the
  // image (black) over the white background, the colour stays and everything else becomes 0.
  auto shadow = MakeOwned<TcxAlphaBitmap>(w + 2 * d, h + 2 * d, 0xFFFFFFFF);
  shadow->ClearImage();
  {
    TCanvasLock lock(shadow->Canvas()), maskLock(mask->Canvas());
    BitBlt(DCOf(shadow.get()), d, d, w, h, DCOf(mask), 0, 0, SRCCOPY);
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
    HDC dc = DCOf(shadow.get());
    HGDIOBJ old = SelectObject(dc, brush.Get());
    constexpr DWORD DestAndPatternAndNotSource = 0x00200F09;
    BitBlt(dc, d, d, shadow->Width(), shadow->Height(), dc, 0, 0, DestAndPatternAndNotSource);
    SelectObject(dc, old);
  }
  shadow->SetTransparentBkColor(0);
  shadow->ApplyPixelOperation(TcxPixelOperation::AlphaFix);

  auto merged = MakeOwned<TcxAlphaBitmap>(w + d, h + d);
  merged->ClearImage();
  {
    TCanvasLock lock(merged->Canvas()), imageLock(image->Canvas()), shadowLock(shadow->Canvas());
    BitBlt(DCOf(merged.get()), 0, 0, w, h, DCOf(image), 0, 0, SRCCOPY);
    BitBlt(DCOf(merged.get()), 0, 0, w + d, h + d, DCOf(shadow.get()), d, d, SRCPAINT);
  }
  if (resize) image->SetSize(w + d, h + d);
  image->CopyFromBitmap(merged.get());
}

// ---- DrawImageInMode ------------------------------------------------------------------------------

void DrawImageInMode(HDC dc, const RECT& imageRect, const RECT& targetRect, TBitmap* glyph, TCustomImageList* images,
                     int imageIndex, TcxImageDrawMode mode, bool smooth, HBRUSH brush, TColor transparentColor,
                     bool useGlyphTransparentColor)
{
  const bool drawGlyph = BitmapHasImage(glyph);
  if (!drawGlyph && !IsValidImageIndex(images, imageIndex)) return;
  const int tw = RectWidth(targetRect), th = RectHeight(targetRect);
  if (tw <= 0 || th <= 0) return;

  // The canvas: what lies under the target, or the brush.
  TcxAlphaBitmap* canvas = GetDrawWorkBitmap(tw, th);
  {
    TCanvasLock lock(canvas->Canvas());
    if (brush) {
      RECT full = canvas->GetFullRect();
      FillRect(DCOf(canvas), &full, brush);
    } else {
      BitBlt(DCOf(canvas), 0, 0, tw, th, dc, targetRect.left, targetRect.top, SRCCOPY);
    }
  }
  RECT rect = imageRect;
  OffsetRect(&rect, -targetRect.left, -targetRect.top);

  const bool hooked =
      ImageModeDrawHook && ImageModeDrawHook(canvas->cxCanvas(), images, imageIndex, mode, rect, glyph);
  if (!hooked) {
    // The image I and its mask M.
    const int w = drawGlyph ? glyph->Width() : images->Width();
    const int h = drawGlyph ? glyph->Height() : images->Height();
    TcxAlphaBitmap* image = GetImageWorkBitmap(w, h);
    bool ownAlpha;
    if (drawGlyph) {
      image->CopyFromBitmap(glyph, SRCCOPY);
      ownAlpha = GetBitmapBitsPerPixel(glyph) >= 32;
    } else {
      TcxImageList::GetListImageAndMask(images, imageIndex, nullptr, image);
      ownAlpha = TcxImageList::GetListBitsPerPixel(images->Handle()) >= 32;
    }
    ownAlpha = ownAlpha && image->HasAlphaChannel();
    if (!ownAlpha) image->ApplyPixelOperation(TcxPixelOperation::Opaque);

    TcxAlphaBitmap* mask = GetMaskWorkBitmap(image->Width(), image->Height());
    mask->CopyFromBitmap(image, SRCCOPY);
    if (!ownAlpha) {
      if (!drawGlyph) {
        auto listMask = MakeOwned<TcxAlphaBitmap>(image->Width(), image->Height());
        listMask->ClearImage();
        TcxImageList::GetListImageAndMask(images, imageIndex, listMask.get(), nullptr);
        listMask->ApplyPixelOperation(TcxPixelOperation::AlphaFix);
        ClearMaskedPixels(mask, listMask.get());
      }
      if (transparentColor != clNone) AddTransparentColor(mask->TransparentPixels(), transparentColor);
      if (useGlyphTransparentColor && drawGlyph) AddTransparentColor(mask->TransparentPixels(), mask->TransparentColor());
    }
    mask->ApplyPixelOperation(TcxPixelOperation::Mask);
    ClearMaskedPixels(image, mask);

    BYTE alpha = 255;
    switch (mode) {
      case idmNormal: break;
      case idmDisabled:
        if (ownAlpha) {
          image->ApplyPixelOperation(TcxPixelOperation::DisabledGray);
          alpha = 151;
        } else {
          image->ApplyPixelOperation(TcxPixelOperation::ShadowGray);
          AddShadowToImage(image, mask, 1, false, clBtnHighlight);
        }
        break;
      case idmFaded:
        image->ApplyPixelOperation(TcxPixelOperation::FadedGray);
        alpha = 64;
        break;
      case idmGrayScale: image->ApplyPixelOperation(TcxPixelOperation::AverageGray); break;
      case idmPale: image->ApplyPixelOperation(TcxPixelOperation::DimOrLighten); break;
      case idmShadowed:
        AddShadowToImage(image, mask, 2, true, clBtnShadow);
        rect.right += 2;
        rect.bottom += 2;
        OffsetRect(&rect, -1, -1);
        break;
    }
    DrawAlphaBitmapInto(image, canvas, rect, alpha, smooth);
  }
  DrawBitmapOnDC(dc, canvas, targetRect, SRCCOPY, POINT{0, 0});
}
