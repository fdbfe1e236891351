// The measurements of an item control: its view levels and view size, where its glyph comes from,
// and its widths and heights in menus and on toolbars, which the bar layout places it with.
#include <algorithm>
#include "classlib/Menus.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr int LargeGlyphWithoutImage = 20;
bool HasPicture(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }
int Width(const RECT& r) { return r.right - r.left; }

// Selects the control's style font for a measurement and restores the canvas font afterwards,
// also when measuring raises.
class TStyleFontScope {
public:
  explicit TStyleFontScope(TdxBarItemControl* control) : FControl(control), FSaved(control->SelectStyleFont()) {}
  ~TStyleFontScope() { FControl->RestoreFont(FSaved); }

private:
  TdxBarItemControl* FControl;
  TdxBarItemControl::TSavedFont FSaved;
};
}  // namespace

// --- Draw parameters ---

void TdxBarItemControl::CalcDrawParams(bool full)
{
  if (!FDrawParams) return;
  TdxBarItemControlDrawParams& p = *FDrawParams;
  if (full) {
    TdxBarItem* item = GetItem();
    p.Caption = GetCaption();
    p.Description = item ? item->Description() : std::string();
    p.ShortCutText.clear();
    p.PaintType = static_cast<uint8_t>(GetPaintType());
    p.Enabled = IsEnabled();
    p.CanSelect = CanBeSelected();
    p.DrawSelected = IsHighlighted();
    p.IsDropDown = HasDropDownPart();
    p.HotPartIndex = FHotPartIndex;
    p.Customizing = FBarControl && FBarControl->IsCustomizing();
    p.SelectedByKey = p.DrawSelected && !FSelectedByMouse;
  }
  p.Canvas = GetCanvas();
  p.SetViewSize(GetCurrentViewSize());
  p.ViewStructure = GetViewLevelFlags();
  TdxBarManager* manager = GetBarManager();
  TdxBarPainter* painter = GetPainter();
  p.ButtonSize = painter && manager ? painter->CalcButtonSize(manager->ImageOptions()->GlyphSize(), GetTextHeight())
                                    : SIZE{};
}

void TdxBarItemControl::ResetViewInfo(bool resetWidths)
{
  if (resetWidths && FViewInfo) FViewInfo->ResetCachedWidths();
  FCachedImage->Invalidate();
}

// --- View levels and view size ---

TdxBarItemViewLevels TdxBarItemControl::GetPossibleViewLevels() const
{
  TdxBarItemViewLevels levels{ivlSmallIconWithText};
  return levels.IncludeIf(ivlSmallIcon, HasGlyphForSize(TdxBarItemViewSize::Small));
}

TdxBarItemViewLevels TdxBarItemControl::GetAllowedViewLevels() const
{
  const TdxBarItemViewLevels possible = GetPossibleViewLevels();
  if (possible.Empty()) throw EdxException(std::string(ClassName()) + ".GetPossibleViewLevels = []");
  const TdxBarItemViewLevels allowed = FLink ? possible * FLink->ViewLevels() : possible;
  return allowed.Empty() ? possible : allowed;
}

uint8_t TdxBarItemControl::GetViewLevelFlags() const
{
  const TdxBarItemViewLevel level = FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault;
  const auto icon = [this](TdxBarItemViewSize size) { return HasGlyphForSize(size) ? dxBarViewIcon : 0; };
  switch (level) {
    case ivlLargeIconWithText: return dxBarViewText | icon(TdxBarItemViewSize::Large);
    case ivlSmallIconWithText: return dxBarViewText | icon(TdxBarItemViewSize::Small);
    case ivlSmallIcon: return icon(TdxBarItemViewSize::Small);
    case ivlControlOnly: return 0;
    default: return GetDefaultViewLevelFlags();
  }
}

TdxBarItemViewSize TdxBarItemControl::GetViewSize() const
{
  if (FLink && GetMenuItemSize() == misLarge) return TdxBarItemViewSize::Large;
  TdxBarManager* manager = GetBarManager();
  TdxBarPainter* painter = GetPainter();
  if (manager && manager->LargeIcons() && painter && painter->SupportsLargeIcons())
    return TdxBarItemViewSize::LargeIcons;
  return TdxBarItemViewSize::Small;
}

TdxBarItemViewSize TdxBarItemControl::GetCurrentViewSize() const
{
  switch (FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault) {
    case ivlLargeIconWithText: return TdxBarItemViewSize::Large;
    case ivlSmallIconWithText:
    case ivlSmallIcon: return TdxBarItemViewSize::Small;
    default: return GetViewSize();
  }
}

TdxBarPaintType TdxBarItemControl::GetPaintType() const
{
  switch (FBarControl ? FBarControl->GetOrientationFlags() : 0) {
    case 1: return ptMenu;
    case 2: return ptVert;
    default: return ptHorz;
  }
}

TdxBarMenuItemSize TdxBarItemControl::GetMenuItemSize() const
{
  TdxBarItemLinks* links = FLink ? FLink->GetLinks() : nullptr;
  return links ? links->GetMenuItemSize() : misNormal;
}

TdxBarPainter* TdxBarItemControl::GetPainter() const { return FBarControl ? FBarControl->GetPainter() : nullptr; }

// --- Glyphs ---

std::string TdxBarItemControl::GetCaption() const { return FLink ? FLink->GetCaption() : std::string(); }

TBitmap* TdxBarItemControl::GetGlyph() const
{
  if (FLink && FLink->UserDefine().Contains(udGlyph)) return FLink->UserGlyph();
  TdxBarItem* item = GetItem();
  return item ? item->Glyph() : nullptr;
}

bool TdxBarItemControl::IsGlyphDrawnAsIs() const
{
  if (IsEnabled()) return true;
  TdxBarManager* manager = GetBarManager();
  if (!manager) return false;
  const TdxBarItemViewSize size = GetCurrentViewSize();
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  if (!GetGlyphSource(size, true, index, images, glyph) || HasPicture(glyph)) return false;
  return (CanUseLargeImagesFor(size) ? manager->DisabledLargeImages() : manager->DisabledImages()) != nullptr;
}

int TdxBarItemControl::GetImageIndex() const
{
  TdxBarItem* item = GetItem();
  return item ? item->ImageIndex() : -1;
}

TCustomImageList* TdxBarItemControl::GetImagesForSize(TdxBarItemViewSize size) const
{
  return CanUseLargeImagesFor(size) ? GetLargeImages() : GetSmallImages();
}

TCustomImageList* TdxBarItemControl::GetSmallImages() const
{
  TdxBarManager* manager = GetBarManager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->DisabledImages()) return manager->DisabledImages();
  return manager->Images();
}

TCustomImageList* TdxBarItemControl::GetHotImages() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->HotImages() : nullptr;
}

TBitmap* TdxBarItemControl::GetLargeGlyph() const
{
  TdxBarItem* item = GetItem();
  return item ? item->LargeGlyph() : nullptr;
}

int TdxBarItemControl::GetLargeImageIndex() const
{
  TdxBarItem* item = GetItem();
  return item ? item->LargeImageIndex() : -1;
}

TCustomImageList* TdxBarItemControl::GetLargeImages() const
{
  TdxBarManager* manager = GetBarManager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->DisabledLargeImages()) return manager->DisabledLargeImages();
  return manager->LargeImages();
}

bool TdxBarItemControl::UsesLargeImagesFor(TdxBarItemViewSize size) const
{
  if (size == TdxBarItemViewSize::Large) return true;
  TdxBarManager* manager = GetBarManager();
  TdxBarPainter* painter = GetPainter();
  return GetPaintType() != ptMenu && manager && manager->LargeIcons() && painter && painter->SupportsLargeIcons() &&
         manager->UseLargeImagesForLargeIcons();
}

bool TdxBarItemControl::CanUseLargeImagesFor(TdxBarItemViewSize size) const
{
  return UsesLargeImagesFor(size) && TdxBarItem::IsListImageAssigned(GetLargeImages(), GetImageIndexForSize(size));
}

int TdxBarItemControl::GetImageIndexForSize(TdxBarItemViewSize size) const
{
  if (UsesLargeImagesFor(size) && GetLargeImages() && GetLargeImageIndex() != -1) return GetLargeImageIndex();
  return GetImageIndex();
}

bool TdxBarItemControl::GetGlyphSource(TdxBarItemViewSize size, bool forDrawing, int& imageIndex,
                                       TCustomImageList*& images, TBitmap*& glyph) const
{
  (void)forDrawing;
  images = GetImagesForSize(size);
  imageIndex = GetImageIndexForSize(size);
  if (HasPicture(GetLargeGlyph()) && UsesLargeImagesFor(size))
    glyph = GetLargeGlyph();
  else if (CanUseLargeImagesFor(size))
    glyph = nullptr;
  else
    glyph = GetGlyph();
  if (!HasPicture(glyph)) glyph = nullptr;
  // Bar controls of this system supply no default glyph of their own.
  return glyph || TdxBarItem::IsListImageAssigned(images, imageIndex);
}

bool TdxBarItemControl::HasGlyphForSize(TdxBarItemViewSize size) const
{
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  return GetGlyphSource(size, false, index, images, glyph);
}

SIZE TdxBarItemControl::GetGlyphSize(TdxBarItemViewSize size) const
{
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  if (GetGlyphSource(size, false, index, images, glyph))
    return glyph ? SIZE{glyph->Width(), glyph->Height()} : SIZE{images->Width(), images->Height()};
  if (size == TdxBarItemViewSize::Large) return SIZE{LargeGlyphWithoutImage, LargeGlyphWithoutImage};
  TdxBarManager* manager = GetBarManager();
  const int side = manager ? manager->ImageOptions()->GlyphSize() : 16;
  return SIZE{side, side};
}

// --- Widths and heights ---

TShortCut TdxBarItemControl::GetShortCut() const
{
  TdxBarItem* item = GetItem();
  return item ? item->ShortCut() : 0;
}

int TdxBarItemControl::GetLeftIndent() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetItemLeftIndent(const_cast<TdxBarItemControl*>(this)) : 0;
}

RECT TdxBarItemControl::GetCaptionMargins(int) const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetMenuCaptionMargins() : RECT{};
}

int TdxBarItemControl::GetCaptionWidth()
{
  TdxBarPainter* painter = GetPainter();
  if (!painter) return GetTextWidth(FDrawParams->Caption);
  TStyleFontScope font(this);
  RECT r{};
  painter->CalcCaptionTextRect(FDrawParams.get(), r);
  return Width(r);
}

SIZE TdxBarItemControl::MeasureText(std::string_view text)
{
  TcxCanvas* canvas = GetCanvas();
  if (!canvas) return SIZE{};
  TStyleFontScope font(this);
  return canvas->MeasureTextSize(text);
}

int TdxBarItemControl::CalcCaptionAreaWidth()
{
  if (!(FDrawParams->ViewStructure & dxBarViewText)) return 0;
  TdxBarPainter* painter = GetPainter();
  int width = GetCaptionWidth();
  if (GetPaintType() == ptMenu) {
    TdxBarItemLinks* links = FLink ? FLink->GetLinks() : nullptr;
    if (links && links->GetShowShortCuts() && GetShortCut() != 0)
      width += GetTextWidth(ShortCutToText(GetShortCut())) + (FBarControl ? FBarControl->GetTextHeight() : 0) - 6;
    const std::string& description = FDrawParams->Description;
    if (links && GetMenuItemSize() == misLarge && links->GetShowDescriptions() && !description.empty() && GetCanvas()) {
      TStyleFontScope font(this);
      width = std::max(width, Width(CalcTextRectForRows(GetCanvas()->GetDCHandle(), description, 2)));
    }
    const RECT margins = GetCaptionMargins(1);
    width += margins.left + margins.right;
    if (painter) width += painter->GetParentGlyphBandWidth(FDrawParams.get());
    return width;
  }
  if (!(FDrawParams->ViewStructure & dxBarViewIcon)) return width + 2 * GetHalfFontSize();
  return width + (painter ? painter->GetMenuGlyphMargins().left : 0);
}

int TdxBarItemControl::GetGlyphAreaWidth() const
{
  if (GetPaintType() == ptMenu) return FBarControl ? FBarControl->GetGlyphAreaSize() : 0;
  if (!(FDrawParams->ViewStructure & dxBarViewIcon)) return 0;
  return GetPaintType() == ptVert ? FDrawParams->ButtonSize.cy : FDrawParams->ButtonSize.cx;
}

int TdxBarItemControl::GetHalfFontSize() const
{
  TFont* font = FBarControl ? FBarControl->GetFont() : nullptr;
  return font ? font->Size() / 2 : 0;
}

int TdxBarItemControl::CalcItemHeight()
{
  if (FBarControl && FBarControl->GetBarControlKind() == TdxBarKind::bkSubMenu) return CalcMenuHeight();
  return IsRotated() ? CalcToolbarItemWidth() : CalcToolbarItemHeight();
}

int TdxBarItemControl::CalcItemWidth()
{
  if (GetPaintType() == ptMenu) return CalcMenuItemWidth();
  return IsRotated() ? CalcToolbarItemHeight() : CalcToolbarItemWidth();
}

int TdxBarItemControl::CalcMenuWidth() { return GetGlyphAreaWidth() + CalcCaptionAreaWidth() + GetUserWidth(); }

int TdxBarItemControl::CalcMenuHeight()
{
  int height = FBarControl ? FBarControl->GetItemLineHeight(this) : GetTextHeight();
  if (TdxBarPainter* painter = GetPainter()) painter->AdjustItemHeight(height);
  return height;
}

int TdxBarItemControl::CalcMenuItemWidth()
{
  int width = CalcMenuWidth();
  if (TdxBarPainter* painter = GetPainter()) painter->AdjustItemWidth(width);
  return width;
}

int TdxBarItemControl::CalcLargeItemWidth()
{
  const int glyph = GetGlyphSize(TdxBarItemViewSize::Large).cx;
  if (!(FDrawParams->ViewStructure & dxBarViewText)) return glyph + 10;
  TdxBarItem* item = GetItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  if (layout == glTop || layout == glBottom) return std::max(glyph, GetCaptionWidth() + 6) + 10;
  return glyph + GetCaptionWidth() + 16;
}

int TdxBarItemControl::CalcLargeItemHeight()
{
  const int glyph = GetGlyphSize(TdxBarItemViewSize::Large).cy;
  if (!(FDrawParams->ViewStructure & dxBarViewText)) return glyph + 6;
  TdxBarItem* item = GetItem();
  const TdxBarGlyphLayout layout = item ? item->GlyphLayout() : glTop;
  const int text = GetSampleTextHeight();
  if (layout == glTop || layout == glBottom) return glyph + text + 7;
  return std::max(glyph, text) + 6;
}

int TdxBarItemControl::CalcSmallItemHeight()
{
  int height = 0;
  if (FDrawParams->ViewStructure & dxBarViewText) height = GetTextHeight();
  if (FDrawParams->ViewStructure & dxBarViewIcon)
    height = std::max<int>(height, GetPaintType() == ptVert ? FDrawParams->ButtonSize.cx : FDrawParams->ButtonSize.cy);
  return height;
}

int TdxBarItemControl::CalcToolbarItemHeight()
{
  return FDrawParams->ViewSize() == TdxBarItemViewSize::Large ? CalcLargeItemHeight() : CalcSmallItemHeight();
}

int TdxBarItemControl::CalcToolbarItemWidth()
{
  return FDrawParams->ViewSize() == TdxBarItemViewSize::Large ? CalcLargeItemWidth() : CalcMenuWidth();
}

int TdxBarItemControl::GetLayoutHeight()
{
  TStyleFontScope font(this);
  CalcDrawParams(false);
  const int height = CalcItemHeight();
  TdxBarItem* item = GetItem();
  if (item && item->Align() == iaClient && FBarControl && FBarControl->IsVertical())
    return IsRotated() ? GetMinItemWidth() : GetMinItemHeight();
  return height;
}

int TdxBarItemControl::GetLayoutWidth()
{
  TStyleFontScope font(this);
  CalcDrawParams(false);
  const int width = std::max(CalcItemWidth(), GetMinItemWidth());
  TdxBarItem* item = GetItem();
  if (item && item->Align() == iaClient && FBarControl && !FBarControl->IsVertical() &&
      (FBarControl->GetNavigationFlags() & dxBarNavigationStretchClient))
    return GetMinItemWidth();
  return width;
}

int TdxBarItemControl::CalcWidthAtLevel(TdxBarItemViewLevel level)
{
  struct TRestoreLevel {
    TdxBarItemControlViewInfo* ViewInfo;
    TdxBarItemViewLevel Level;
    ~TRestoreLevel() { ViewInfo->SetViewLevel(Level); }
  } restore{FViewInfo.get(), FViewInfo->GetViewLevel()};
  FViewInfo->SetViewLevel(level);
  return GetLayoutWidth();
}
