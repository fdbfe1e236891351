#include "toolkit/bars/dxBarGlyphs.h"

#include <utility>
#include "toolkit/bars/dxBarUnit.h"

namespace {
// Clears the mode-drawing hook for a scope and puts it back on every exit.
class THookSuspension {
public:
  THookSuspension() : FSaved(std::exchange(ImageModeDrawHook, nullptr)) {}
  ~THookSuspension() { ImageModeDrawHook = FSaved; }
  THookSuspension(const THookSuspension&) = delete;
  THookSuspension& operator=(const THookSuspension&) = delete;

private:
  TcxImageModeDrawProc FSaved;
};
}  // namespace

TcxImageDrawMode SelectGlyphDrawMode(const TdxGlyphDrawOptions& options)
{
  if (!options.Enabled) return options.DisabledFaded ? idmFaded : idmDisabled;
  if (options.Gray) return idmGrayScale;
  if (!options.GlyphShadow) return idmNormal;
  if (!options.Down && !options.Hot && GetScreenColorDepth() > 8) return idmPale;
  if (options.PressedMode && options.Hot && !options.Checked) return idmShadowed;
  return idmNormal;
}

void DrawGlyphWithCache(IdxBarGlyphCache* cache, HDC dc, HBRUSH brush, const RECT& targetRect, const RECT& imageRect,
                        TBitmap* glyph, TCustomImageList* images, int imageIndex, TColor transparentColor,
                        const TdxGlyphDrawOptions& options)
{
  if (glyph && !glyph->Empty()) transparentColor = clNone;
  const TcxImageDrawMode mode = SelectGlyphDrawMode(options);
  if (cache && mode != idmShadowed) {
    if (!cache->IsValidFor(mode, glyph, images))
      cache->CacheGlyph(imageRect, glyph, mode, images, imageIndex, transparentColor, options.Smooth,
                        options.UseTransparentColor);
    THookSuspension suspension;
    DrawImageInMode(dc, imageRect, targetRect, cache->CachedPicture(), nullptr, -1, idmNormal, false, brush, clNone,
                    false);
    return;
  }
  DrawImageInMode(dc, imageRect, targetRect, glyph, images, imageIndex, mode, options.Smooth, brush, transparentColor,
                  options.UseTransparentColor);
}

void DrawGlyphImage(HDC dc, HBRUSH brush, const RECT& targetRect, const RECT& imageRect, TBitmap* glyph,
                    TCustomImageList* images, int imageIndex, TColor transparentColor,
                    const TdxGlyphDrawOptions& options)
{
  DrawGlyphWithCache(nullptr, dc, brush, targetRect, imageRect, glyph, images, imageIndex, transparentColor, options);
}

void DrawGlyphTransparent(HDC dc, const RECT& rect, TBitmap* glyph, bool enabled)
{
  DrawImageInMode(dc, rect, rect, glyph, nullptr, -1, enabled ? idmNormal : idmDisabled, false, nullptr, clNone, true);
}
