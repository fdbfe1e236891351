#pragma once
// Item glyphs in their drawing modes: the mode an item's state asks for, drawing a glyph or a list
// image in it, and drawing through the cached picture that an item control keeps of its glyph.
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "classlib/Win.h"
#include "toolkit/base/cxGraphicsImages.h"

// How an item's glyph is drawn.
struct TdxGlyphDrawOptions {
  bool Enabled = true;
  bool Gray = false;
  // The painter draws glyph shadows: washed-out glyphs at rest, raised ones when hot.
  bool GlyphShadow = false;
  bool Hot = false;
  bool Down = false;
  bool Checked = false;
  // A hot glyph that is not checked is drawn raised with a shadow.
  bool PressedMode = false;
  // Disabled glyphs are faded rather than greyed and embossed.
  bool DisabledFaded = false;
  bool Smooth = false;
  // The glyph's own transparent colour is left out.
  bool UseTransparentColor = false;
};

// The mode for the options: not enabled: faded or disabled; gray: gray scale; without glyph shadow:
// normal; neither hot nor down on a screen of more than 8 bits per pixel: pale; pressed mode, hot
// and not checked: shadowed; else normal.
TcxImageDrawMode SelectGlyphDrawMode(const TdxGlyphDrawOptions& options);

// The cached picture of a glyph that an item control keeps: whether it holds the glyph (or, without
// glyph, the list's image) as drawn in a mode, and drawing it in again.
class IdxBarGlyphCache {
public:
  virtual bool IsValidFor(TcxImageDrawMode mode, TBitmap* glyph, TCustomImageList* images) = 0;
  virtual void CacheGlyph(const RECT& rect, TBitmap* glyph, TcxImageDrawMode mode, TCustomImageList* images,
                          int imageIndex, TColor transparentColor, bool smooth, bool useTransparentColor) = 0;
  virtual TBitmap* CachedPicture() = 0;

protected:
  ~IdxBarGlyphCache() = default;
};

// Draws the glyph (or else the list's image) into imageRect over what the DC shows in targetRect,
// or over the brush, in the mode the options select; a glyph with an image leaves transparentColor
// aside. With a cache (the item control's, when its manager caches glyphs) and a mode other than
// shadowed, the cache is filled unless it already holds the glyph in that mode, and its picture is
// drawn as it is (without the mode-drawing hook).
void DrawGlyphWithCache(IdxBarGlyphCache* cache, HDC dc, HBRUSH brush, const RECT& targetRect, const RECT& imageRect,
                        TBitmap* glyph, TCustomImageList* images, int imageIndex, TColor transparentColor,
                        const TdxGlyphDrawOptions& options);
// The same without a cache.
void DrawGlyphImage(HDC dc, HBRUSH brush, const RECT& targetRect, const RECT& imageRect, TBitmap* glyph,
                    TCustomImageList* images, int imageIndex, TColor transparentColor,
                    const TdxGlyphDrawOptions& options);
// The glyph in the rect, leaving out its transparent colour: normal when enabled, else disabled.
void DrawGlyphTransparent(HDC dc, const RECT& rect, TBitmap* glyph, bool enabled);
