#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsCanvas.h"

CL_DEFINE_CLASS(TdxBarItemControlDrawParams);

void TdxBarItemControlDrawParams::SetViewSize(TdxBarItemViewSize value)
{
  if (FViewSize == value) return;
  FViewSize = value;
  ItemControl->ResetViewInfo(false);
}

TdxCachedImageOptions::TdxCachedImageOptions() : FImage(MakeOwned<TcxAlphaBitmap>()) {}

TdxCachedImageOptions::~TdxCachedImageOptions() = default;

void TdxCachedImageOptions::CacheGlyph(const RECT& rect, TBitmap* glyph, TcxImageDrawMode mode, TCustomImageList* images,
                                       int imageIndex, bool smooth)
{
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  FImage->SetSize(width, height);
  const RECT target{0, 0, width, height};
  DrawImageInMode(FImage->cxCanvas()->GetDCHandle(), target, target, glyph, images, imageIndex, mode, smooth);
  FMode = mode;
  FImages = images;
  FGlyph = glyph;
  if (glyph && !glyph->Empty()) glyph->Dormant();
  FValid = true;
}

bool TdxCachedImageOptions::IsValidFor(TcxImageDrawMode mode, TBitmap* glyph, TCustomImageList* images) const
{
  if (!FValid || FMode != mode || FImage->Empty()) return false;
  return glyph ? glyph == FGlyph : images == FImages;
}
