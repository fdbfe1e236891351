#pragma once
// Image composition: every glyph of the toolkit reaches the screen through these functions.
//
// DrawImageInMode draws a glyph bitmap or an image-list image in one of six modes with per-pixel
// alpha. AlphaBlendDC composes 32-bit pixels whose colours are premultiplied by their alpha onto a
// device context: directly through the platform's AlphaBlend, through GDI+ for a 32-bit process on
// 64-bit Windows, or through a fallback that resamples and then blends with AlphaBlend or by hand.
// ResampleBitmap is a separable Lanczos3 resampler; the rest are the small helpers the modes and the
// painters share.
//
// Composing a premultiplied source pixel s over a destination pixel d with a constant alpha A:
// f = A / 255, k = 1 - f * s.alpha / 255; colour = f * s.colour + k * d.colour, and the same for alpha.
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "classlib/Units.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsFunctions.h"

// Frees the shared work bitmaps at its shut-down.
extern TUnit UnitcxGraphicsImages;

enum TcxImageDrawMode : int {
  idmNormal = 0,     // the image unchanged
  idmDisabled = 1,   // grey: with own alpha faded to 151, without it embossed with the highlight colour
  idmFaded = 2,      // luminance grey at alpha 64
  idmGrayScale = 3,  // average grey
  idmPale = 4,       // opaque pixels 30 % towards white, others dimmed
  idmShadowed = 5,   // the image one pixel up and left over a button-shadow shadow
};

// The replaceable mode-drawing procedure that DrawImageInMode asks first: it gets the canvas of the
// draw work bitmap, the list (or none) and index, the mode, the image rect in the work bitmap and the
// glyph (or none), and answers true when it has drawn the image itself. Empty at start-up.
using TcxImageModeDrawProc = bool (*)(TcxCanvas* canvas, TCustomImageList* images, int imageIndex,
                                      TcxImageDrawMode mode, const RECT& imageRect, TBitmap* glyph);
extern TcxImageModeDrawProc ImageModeDrawHook;

// Draws the glyph (when it has an image) or else the list's image into imageRect, composed over what
// the device context shows in targetRect (or over the brush). transparentColor (clNone: none) and,
// with useGlyphTransparentColor, the glyph's own transparent colour are left out of an image without
// alpha. Nothing when there is neither a glyph image nor a valid index.
void DrawImageInMode(HDC dc, const RECT& imageRect, const RECT& targetRect, TBitmap* glyph, TCustomImageList* images,
                     int imageIndex, TcxImageDrawMode mode, bool smooth = false, HBRUSH brush = nullptr,
                     TColor transparentColor = clNone, bool useGlyphTransparentColor = true);

// Composes the source rect onto the destination rect with the constant alpha; smooth stretching
// resamples with the Lanczos filter (or GDI+'s bicubic mode).
void AlphaBlendDC(HDC destDC, HDC sourceDC, const RECT& destRect, const RECT& sourceRect, BYTE alpha = 255,
                  bool smooth = false);
void AlphaBlendBitmap(TBitmap* dest, TBitmap* source, const RECT& destRect, const RECT& sourceRect, BYTE alpha = 255,
                      bool smooth = false);
void AlphaBlendBitmapToDC(HDC destDC, TcxAlphaBitmap* source, const RECT& destRect, const RECT& sourceRect,
                          BYTE alpha = 255, bool smooth = false);
// The whole source into destRect of the destination.
void DrawAlphaBitmapInto(TcxAlphaBitmap* source, TBitmap* dest, const RECT& destRect, BYTE alpha = 255,
                         bool smooth = false);

// The platform's AlphaBlend (source over, per-pixel alpha); false when it is not bound or fails.
bool CallAlphaBlend(HDC destDC, const RECT& destRect, HDC sourceDC, BYTE alpha, const RECT& sourceRect);
bool IsAlphaBlendAvailable();
// Where AlphaBlend comes from (the entry the graphics unit bound); tests put another function here.
using TcxGetAlphaBlendFunc = TcxAlphaBlendProc (*)();
extern TcxGetAlphaBlendFunc cxGetAlphaBlend;

// Resampling with the separable Lanczos3 filter: one list of contributors per destination position;
// weights are in 1/256.
struct TContributor {
  int Pixel;
  int Weight;
};
using TContributorArray = std::vector<TContributor>;
struct TContributors {
  int Count = 0;
  TContributorArray Contributors;
};
using TContributorList = std::vector<TContributors>;
// The contributors of one pass from sourceSize to destSize positions. Source positions beyond the
// edges are mirrored, and clamped into the source where one reflection is not enough.
TContributorList BuildContributors(int sourceSize, int destSize);
// Fills the destination (its own size) from the whole source: the platform's halftone stretching on
// the NT family unless forceFilter, the Lanczos filter otherwise.
void ResampleBitmap(TBitmap* source, TBitmap* dest, bool forceFilter);

// Blits the bitmap from the source point into the rect; on the 9x family a bitmap of fewer than 32
// bits per pixel goes onto a 32-bit context through a copy with every alpha byte cleared.
void DrawBitmapOnDC(HDC dc, TBitmap* bitmap, const RECT& rect, DWORD rop = SRCCOPY, POINT sourcePoint = {0, 0});
// Overlays a checkerboard of cells of step pixels (counted from the rect's bottom-left) in the two
// colours, each blended with its alpha over the pixels.
void HatchDCRect(HDC dc, const RECT& rect, TColor color1, TColor color2, BYTE step, BYTE alpha1, BYTE alpha2);
// Writes a mask of the source's transparent pixels (white) and the others (black) into dest's top-left.
void MakeBitmapMask(TcxBitmap32* source, TBitmap* dest);
TOwned<TcxAlphaBitmap> CopyToAlphaBitmap(TcxBitmap32* source);
// A new 32-bit bitmap of the rect's size holding the device context's pixels under the rect.
TOwned<TBitmap> SnapshotDCRect(HDC dc, const RECT& rect);
// Every pixel of the bitmap whose pixel in the mask (same size) is not 0 becomes 0.
void ClearMaskedPixels(TcxBitmap32* bitmap, TcxBitmap32* mask);
// A shadow of the colour offset pixels right of and below the image (mask: white where transparent),
// under the image; with resize the image grows by offset to keep all of the shadow.
void AddShadowToImage(TcxAlphaBitmap* image, TcxAlphaBitmap* mask, int offset, bool resize, TColor color);

// The three shared work bitmaps, prepared (sized, cleared, no transparent colours) for a size.
TcxAlphaBitmap* GetDrawWorkBitmap(int width, int height);
TcxAlphaBitmap* GetImageWorkBitmap(int width, int height);
TcxAlphaBitmap* GetMaskWorkBitmap(int width, int height);
