// The base bar painter's drawing of item controls: item backgrounds and frames, glyph placement and
// glyphs in their states, the check mark of checked menu items, captions (rotated ones with a hand-
// drawn accelerator underline, disabled ones embossed), pressed-arrow shifts, sub-menu arrows and
// hint placement.
#include <algorithm>
#include "classlib/GraphicsObjects.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarGlyphs.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/base/dxOffice11.h"

using namespace dxBarPainterShapes;

namespace {
SIZE GlyphSizeOf(TCustomImageList* images, TBitmap* glyph)
{
  if (glyph && !glyph->Empty()) return {glyph->Width(), glyph->Height()};
  if (images) return {images->Width(), images->Height()};
  return {0, 0};
}

// The box of a check mark: 9 × 7, or 18 × 14 with the double size.
constexpr SIZE CheckMarkBox{9, 7};
}  // namespace

// --- Backgrounds and frames ---

void TdxBarPainter::FillItemBackground(TdxBarItemControl* ItemControl, HDC DC, bool UseBrush, HBRUSH Brush,
                                       const RECT& R) const
{
  if (UseBrush || !ItemControl || !ItemControl->BarControl())
    FillRect(DC, &R, Brush ? Brush : ItemBrush(ItemControl));
  else
    ItemControl->BarControl()->FillBackground(DC, R);
}

void TdxBarPainter::FrameItemBackground(TdxBarItemControl* ItemControl, HDC DC, bool UseBrush, HBRUSH Brush,
                                        const RECT& R) const
{
  if (UseBrush) {
    FrameWithBrush(DC, R, Brush);
    return;
  }
  const int saved = SaveDC(DC);
  ExcludeClipRect(DC, R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  FillItemBackground(ItemControl, DC, false, Brush, R);
  RestoreDC(DC, saved);
}

HBRUSH TdxBarPainter::GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates) const
{
  return ItemBrush(ItemControl);
}

bool TdxBarPainter::IsItemDrawnSelected(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const
{
  return !States.Empty() || (ItemControl && ItemControl->StyleBrush());
}

bool TdxBarPainter::IsBackgroundDrawnByBar(TdxBarItemControl* ItemControl) const
{
  if (DrawsNativeBackground()) return true;
  return ItemControl && ItemControl->BarControl() && ItemControl->BarControl()->HasCustomBackground();
}

bool TdxBarPainter::AreDisabledImagesFaded(TCustomdxBarControl* BarControl) const
{
  TdxBarManager* manager = BarControl ? BarControl->BarManager() : nullptr;
  return manager && manager->MakeDisabledImagesFaded();
}

// --- Glyphs ---

TAlignment TdxBarPainter::CalcGlyphPlacement(TdxBarItemControlDrawParams* DrawParams, RECT& ContentRect,
                                             const RECT& GlyphRect) const
{
  TdxBarItemControl* control = DrawParams ? DrawParams->ItemControl : nullptr;
  if (!control) return taLeftJustify;
  const bool vertical = DrawParams->PaintType == static_cast<uint8_t>(ptVert);
  if (DrawParams->ViewSize() == TdxBarItemViewSize::Large) {
    // A large button's caption lies on the side its item's glyph layout leaves free; on a vertical
    // toolbar the layout turns with the bar.
    TdxBarItem* item = control->GetItem();
    switch (item ? item->GlyphLayout() : glTop) {
      case glLeft:
        (vertical ? ContentRect.top : ContentRect.left) = (vertical ? GlyphRect.bottom : GlyphRect.right) + 3;
        return taLeftJustify;
      case glRight:
        (vertical ? ContentRect.bottom : ContentRect.right) = (vertical ? GlyphRect.top : GlyphRect.left) - 3;
        return taRightJustify;
      case glTop:
        (vertical ? ContentRect.left : ContentRect.top) = vertical ? GlyphRect.right : GlyphRect.bottom;
        return taCenter;
      case glBottom:
        (vertical ? ContentRect.right : ContentRect.bottom) = vertical ? GlyphRect.left : GlyphRect.top;
        return taCenter;
    }
  }
  // The glyph area is a button's width along a horizontal item, its height along a vertical one.
  const bool glyphShown = DrawParams->ViewStructure & dxBarViewIcon;
  const int area = vertical ? DrawParams->ButtonSize.cy : DrawParams->ButtonSize.cx;
  const int step = glyphShown ? area : control->GetTextHeight() / 2;
  if (vertical)
    ContentRect.top += step;
  else
    ContentRect.left += step;
  // The caption follows the pressed glyph.
  if (!UsesMenuBarLook(control)) {
    auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
    if (button) ShiftPressedArrowRect(button->Down || button->PressedLook, button->DroppedDown, ContentRect);
  }
  return taLeftJustify;
}

void TdxBarPainter::DrawItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                  TCustomImageList* Images, int ImageIndex, TBitmap* Glyph, const RECT&,
                                  const RECT& AreaRect) const
{
  const SIZE size = GlyphSizeOf(Images, Glyph);
  RECT glyph{};
  glyph.left = (AreaRect.left + AreaRect.right - size.cx) / 2;
  glyph.top = (AreaRect.top + AreaRect.bottom - size.cy) / 2;
  glyph.right = glyph.left + size.cx;
  glyph.bottom = glyph.top + size.cy;
  int shift = 0;
  if (States.Contains(TdxBarPaintingState::psChecked)) shift += GetCheckedGlyphShift();
  if (States.Contains(TdxBarPaintingState::psPressed)) shift += GetPressedGlyphShift();
  OffsetRect(&glyph, shift, shift);
  DrawItemGlyphState(ItemControl, DC, States, false, Images, ImageIndex, Glyph, AreaRect, glyph);
}

void TdxBarPainter::DrawItemGlyphState(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                       bool DrawAsCheckMark, TCustomImageList* Images, int ImageIndex,
                                       TBitmap* Glyph, const RECT& ItemRect, const RECT& GlyphRect) const
{
  HBRUSH brush = GetGlyphBackgroundBrush(ItemControl, States);
  TdxBarManager* manager = ItemControl ? ItemControl->GetBarManager() : nullptr;
  SIZE size = GlyphSizeOf(Images, Glyph);
  if (DrawAsCheckMark) {
    const int side = manager ? manager->ImageOptions()->GlyphSize() : 16;
    size = {side, side};
  }
  const bool border =
      size.cx + 2 <= ItemRect.right - ItemRect.left && size.cy + 2 <= ItemRect.bottom - ItemRect.top;
  const bool native = DrawsNativeBackground();
  if (native && border) FrameItemGlyph(ItemControl, DC, States, ItemRect);
  RECT inside = ItemRect;
  if (border) InflateRect(&inside, -1, -1);
  const bool barBackground = IsBackgroundDrawnByBar(ItemControl);
  if (!native && (DrawAsCheckMark || barBackground))
    FillItemBackground(ItemControl, DC, IsItemDrawnSelected(ItemControl, States), brush, inside);
  if (DrawAsCheckMark) {
    DrawCheckOverlay(ItemControl, DC, true, ptMenu, inside);
  } else if (!BitmapHasImage(Glyph) && !IsValidImageIndex(Images, ImageIndex)) {
    // Without a picture the glyph routine draws nothing: the background is still the glyph's.
    if (!native && !barBackground) FillRect(DC, &inside, brush);
  } else {
    TdxGlyphDrawOptions options;
    options.Enabled = !ItemControl || ItemControl->IsEnabled();
    options.Hot = States.Contains(TdxBarPaintingState::psHot);
    options.Down = States.Contains(TdxBarPaintingState::psChecked) || States.Contains(TdxBarPaintingState::psPressed);
    options.Checked = States.Contains(TdxBarPaintingState::psChecked);
    options.PressedMode = UsesPressedGlyphMode();
    options.GlyphShadow = DrawsGlyphShadow();
    // The glyph's own transparent colour (its left-bottom pixel) is left out.
    options.UseTransparentColor = true;
    options.DisabledFaded = AreDisabledImagesFaded(ItemControl ? ItemControl->BarControl() : nullptr);
    const TColor transparent = manager ? manager->ImageListBkColor() : clNone;
    DrawGlyphImage(DC, barBackground ? nullptr : brush, inside, GlyphRect, Glyph, Images, ImageIndex, transparent,
                   options);
  }
  if (!native && border) FrameItemGlyph(ItemControl, DC, States, ItemRect);
}

void TdxBarPainter::DrawCheckOverlay(TdxBarItemControl* ItemControl, HDC DC, bool Checked,
                                     TdxBarPaintType PaintType, const RECT& GlyphRect) const
{
  if (!Checked || PaintType != ptMenu) return;
  TFont* font = ItemControl && ItemControl->BarControl() ? ItemControl->BarControl()->GetFont() : nullptr;
  const int factor = font && font->Size() >= 16 ? 2 : 1;
  const int x = (GlyphRect.left + GlyphRect.right - CheckMarkBox.cx * factor) / 2;
  const int y = (GlyphRect.top + GlyphRect.bottom - CheckMarkBox.cy * factor) / 2;
  PaintCheckGlyph(ItemControl, DC, factor, x, y);
}

// --- Captions ---

void TdxBarPainter::DrawItemCaption(TdxBarItemControl* ItemControl, HDC DC, std::string_view Text, const RECT& R,
                                    TAlignment Alignment, bool Enabled, bool Selected, bool Rotated, bool Clip,
                                    bool FlatLook, UINT TextFlags) const
{
  TColor first = clBtnText, second = clBtnText;
  if (ItemControl)
    ItemControl->GetTextColors(Enabled, Selected, FlatLook, first, second);
  else if (Enabled)
    first = second = GetEnabledTextColor(nullptr, Selected, FlatLook);
  else
    QueryDisabledTextColors(nullptr, Selected, FlatLook, first, second);

  const int saved = SaveDC(DC);
  UINT flags = TextFlags;
  if (!(Clip && !Rotated)) flags |= DT_NOCLIP;
  if (Clip && Rotated) IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  SetBkMode(DC, TRANSPARENT);
  std::string text(Text);
  RECT rect = R;
  // The hand-drawn underline of a rotated caption's accelerator: x, top and length; none when 0.
  int underlineX = 0, underlineTop = 0, underlineLength = 0;
  if (Rotated) {
    const int accel = FindAcceleratorPosition(text, true) - 1;  // 0-based; -1 without one
    SIZE extent{};
    GetTextExtentPoint32A(DC, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(DC, &metrics);
    const int width = R.right - R.left, height = R.bottom - R.top;
    int down = 0;
    if (Alignment == taCenter) down = (height - extent.cx) / 2;
    if (Alignment == taRightJustify) down = height - extent.cx;
    OffsetRect(&rect, (width + extent.cy) / 2, down);
    flags |= DT_SINGLELINE;
    if (accel >= 0 && accel < static_cast<int>(text.size())) {
      flags |= DT_NOPREFIX;
      SIZE before{}, character{};
      GetTextExtentPoint32A(DC, text.c_str(), accel, &before);
      GetTextExtentPoint32A(DC, text.c_str() + accel, 1, &character);
      underlineX = (R.left + R.right - extent.cy) / 2 + metrics.tmDescent - 2;
      underlineTop = R.top + before.cx + down;
      underlineLength = character.cx;
    }
  } else {
    if (Alignment == taCenter) flags |= DT_CENTER;
    if (Alignment == taRightJustify) flags |= DT_RIGHT;
    flags |= DT_VCENTER;
  }
  auto draw = [&](TColor color, int offset) {
    SetTextColor(DC, ColorToRGB(color));
    RECT r = rect;
    OffsetRect(&r, offset, offset);
    DrawTextA(DC, text.c_str(), static_cast<int>(text.size()), &r, flags);
    if (underlineLength > 0)
      PolylineInColor(DC, color, {{underlineX + offset, underlineTop + offset},
                                  {underlineX + offset, underlineTop + underlineLength + offset}});
  };
  // Embossed disabled text: the first colour one pixel right and down under the second.
  if (first != second) {
    draw(first, 1);
    draw(second, 0);
  } else {
    draw(first, 0);
  }
  RestoreDC(DC, saved);
}

void TdxBarPainter::DrawItemCaptionFromParams(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                              UINT TextFlags, TAlignment Alignment) const
{
  if (!DrawParams || !DrawParams->Canvas) return;
  const bool rotated = DrawParams->PaintType == static_cast<uint8_t>(ptVert);
  DrawItemCaption(DrawParams->ItemControl, DrawParams->Canvas->GetDCHandle(), DrawParams->Caption, R, Alignment,
                  DrawParams->Enabled, DrawParams->DrawSelected, rotated, false, IsFlatAndNoHighContrast(),
                  TextFlags);
}

// --- Arrows ---

void TdxBarPainter::ShiftPressedArrowRect(bool Down, bool DroppedDown, RECT& R) const
{
  if (IsFlatLook() || !(Down || DroppedDown)) return;
  const int shift = Down && DroppedDown && !HasFlatDropDownArrow() ? 2 : 1;
  OffsetRect(&R, shift, shift);
}

void TdxBarPainter::DrawSubMenuArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R, TColor Color,
                                     int Size) const
{
  if (!DrawParams || !DrawParams->Canvas) return;
  const bool flat = IsFlatLook();
  const TColor color = !flat && !DrawParams->Enabled ? clDefault : Color;
  DrawItemArrowSized(DrawParams->Canvas->GetDCHandle(), R, TcxArrowDirection::adDown, Size, DrawParams->DrawSelected,
                     DrawParams->Enabled, flat, color);
}

// --- Drop-down parts ---

namespace {
bool InMenu(const TdxBarItemControlDrawParams* p) { return p->PaintType == static_cast<uint8_t>(ptMenu); }
int ArrowSizeOf(TdxBarItemControlDrawParams* p)
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(p);
  return button ? button->ArrowSize : 0;
}
bool IsPressedPart(TdxBarItemControlDrawParams* p)
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(p);
  return button && button->IsPressed;
}
}  // namespace

HBRUSH TdxBarPainter::GetDropDownPartBrush(TdxBarItemControlDrawParams* DrawParams) const
{
  return ItemBrush(DrawParams ? DrawParams->ItemControl : nullptr);
}

// A solid fill in the flat looks while the part is hot or open; elsewhere the bar shows through.
bool TdxBarPainter::IsDropDownPartSelected(TdxBarItemControlDrawParams* DrawParams) const
{
  return DrawParams && IsFlatLook() && (DrawParams->DrawSelected || IsDrawnDroppedDown(DrawParams));
}

bool TdxBarPainter::IsDropDownArrowSelected(TdxBarItemControlDrawParams* DrawParams) const
{
  if (!DrawParams) return false;
  const bool menu = InMenu(DrawParams), droppedDown = IsDrawnDroppedDown(DrawParams);
  if (IsFlatLook())
    return (IsBtnFaceWhite() && DrawParams->DrawSelected && (menu || !droppedDown)) || (menu && droppedDown);
  return HasFlatDropDownArrow() && droppedDown;
}

void TdxBarPainter::DrawDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  if (!button) return;
  RECT part = R;
  part.left = std::max<LONG>(R.left, R.right - button->DropDownPartWidth);
  FillDropDownPart(DrawParams, part, GetDropDownPartBrush(DrawParams));
  DrawDropDownPartArrow(DrawParams, part);
}

void TdxBarPainter::FillDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const
{
  if (!DrawParams || !DrawParams->Canvas) return;
  RECT part = R;
  if (IsFlatLook() && !InMenu(DrawParams)) {
    --part.left;
    if (IsPressedPart(DrawParams)) return;
  }
  FillItemBackground(DrawParams->ItemControl, DrawParams->Canvas->GetDCHandle(), IsDropDownPartSelected(DrawParams),
                     Brush, part);
}

void TdxBarPainter::DrawDropDownPartArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (!DrawParams || !DrawParams->Canvas) return;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  const bool menu = InMenu(DrawParams);
  RECT r = R;
  if (!IsFlatLook() && IsPressedPart(DrawParams) && (menu || R.right - R.left > 9)) OffsetRect(&r, 1, 1);
  const TColor color = GetOwnTextColor(DrawParams);
  const bool selected = IsDropDownArrowSelected(DrawParams);
  if (menu)
    DrawItemArrowShape(dc, r, false, ArrowSizeOf(DrawParams), selected, DrawParams->Enabled, HasFlatDropDownArrow(),
                       color);
  else
    PaintDropDownArrow(dc, r, color, HasFlatDropDownArrow(), selected, DrawParams->Enabled, TcxArrowDirection::adDown);
}

// The arrow of a button without a separate part, at the end of the button: down on horizontal
// toolbars, right in menus and on vertical toolbars.
void TdxBarPainter::DrawButtonOwnArrow(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (!DrawParams || !DrawParams->Canvas || !DrawParams->ItemControl) return;
  TCustomdxBarControl* barControl = DrawParams->ItemControl->BarControl();
  const bool menu = InMenu(DrawParams), vertical = DrawParams->PaintType == static_cast<uint8_t>(ptVert);
  RECT r = R;
  if (!menu) ShiftPressedArrowRect(false, IsDrawnDroppedDown(DrawParams), r);
  const int size = ArrowSizeOf(DrawParams) - (menu ? 0 : 1);
  const int unit = barControl ? barControl->TextHeight() : 0;
  // The font height is negative: the arrow's box reaches half a text height back from the end.
  const int fontHeight = barControl && barControl->GetFont() ? barControl->GetFont()->Height() : 0;
  if (menu)
    r.left = r.right + size - unit;
  else if (vertical)
    r.top = r.bottom + fontHeight / 2 - unit / 2;
  else
    r.left = r.right + fontHeight / 2 - unit / 2;
  const bool selected =
      menu ? DrawParams->DrawSelected && !IsFlatAndNoHighContrast() : IsDropDownArrowSelected(DrawParams);
  DrawItemArrowShape(DrawParams->Canvas->GetDCHandle(), r, !menu && !vertical, size, selected, DrawParams->Enabled,
                     HasFlatDropDownArrow(), GetOwnTextColor(DrawParams));
}

// --- Hints ---

RECT TdxBarPainter::CalcHintPosition(SIZE HintSize, const RECT& ItemRect, TdxBarPaintType PaintType,
                                     int GlyphLayout, const RECT&) const
{
  POINT p{(ItemRect.left + ItemRect.right - HintSize.cx) / 2, (ItemRect.top + ItemRect.bottom - HintSize.cy) / 2};
  // Glyph layouts: 0 left, 1 right, 2 top, 3 bottom; a negative one leaves the hint centred.
  if (PaintType == ptVert) {
    switch (GlyphLayout) {
      case 0: p.y = ItemRect.top + 4; break;
      case 1: p.y = ItemRect.bottom - 4 - HintSize.cy; break;
      case 2: p.x = ItemRect.right - 2 - HintSize.cx; break;
      case 3: p.x = ItemRect.left + 2; break;
      default: break;
    }
  } else {
    switch (GlyphLayout) {
      case 0: p.x = ItemRect.left + 4; break;
      case 1: p.x = ItemRect.right - 4 - HintSize.cx; break;
      case 2: p.y = ItemRect.top + 2; break;
      case 3: p.y = ItemRect.bottom - 2 - HintSize.cy; break;
      default: break;
    }
  }
  return {p.x, p.y, p.x + HintSize.cx, p.y + HintSize.cy};
}
