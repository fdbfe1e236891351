// The base bar painter's drawing of a button-like control's whole content: the sunken edge of a
// lowered button, the glyph with the button's frame and background, the caption beside the glyph,
// the drop-down part or the button's own arrow; in a menu, the menu item: its face, the glyph or the
// check mark in the icon column, the description in at most two rows under a bold caption, and the
// right-aligned shortcut.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarControlViewInfo.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPainterShapes.h"

using dxBarPainterShapes::ItemBrush;

namespace {
bool InMenu(const TdxBarItemControlDrawParams* p) { return p->PaintType == static_cast<uint8_t>(ptMenu); }
bool IsVerticalItem(const TdxBarItemControlDrawParams* p) { return p->PaintType == static_cast<uint8_t>(ptVert); }

// The look of the control's glyph: checked when its button is down, pressed while it is pressed,
// hot while it is highlighted.
TdxBarPaintingStates PaintingStatesOf(TdxBarItemControlDrawParams* p)
{
  TdxBarPaintingStates states;
  if (auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(p)) {
    if (button->Down) states.Include(TdxBarPaintingState::psChecked);
    if (button->PressedLook) states.Include(TdxBarPaintingState::psPressed);
  }
  if (p->DrawSelected) states.Include(TdxBarPaintingState::psHot);
  return states;
}

// Where the control's glyph comes from at its view size; no source draws no glyph.
struct TGlyphSource {
  int ImageIndex = -1;
  TCustomImageList* Images = nullptr;
  TBitmap* Glyph = nullptr;
  bool Present = false;
};

TGlyphSource GlyphSourceOf(TdxBarItemControlDrawParams* p)
{
  TGlyphSource source;
  source.Present =
      p->ItemControl->GetGlyphSource(p->ViewSize(), true, source.ImageIndex, source.Images, source.Glyph);
  if (!source.Present) source = TGlyphSource{};
  return source;
}

// The drawn glyph's size: the source's; a small glyph shown with large icons on a toolbar is drawn
// twice as large.
SIZE DrawnGlyphSize(TdxBarItemControlDrawParams* p, const TGlyphSource& source)
{
  SIZE size{};
  if (source.Glyph && !source.Glyph->Empty())
    size = {source.Glyph->Width(), source.Glyph->Height()};
  else if (source.Images)
    size = {source.Images->Width(), source.Images->Height()};
  if (p->ViewSize() == TdxBarItemViewSize::LargeIcons && !InMenu(p) &&
      !p->ItemControl->UsesLargeImagesFor(TdxBarItemViewSize::LargeIcons)) {
    size.cx *= 2;
    size.cy *= 2;
  }
  return size;
}

RECT CentredIn(const RECT& area, SIZE size)
{
  const int left = (area.left + area.right - size.cx) / 2, top = (area.top + area.bottom - size.cy) / 2;
  return {left, top, left + size.cx, top + size.cy};
}

TdxBarGlyphLayout GlyphLayoutOf(TdxBarItemControl* control)
{
  TdxBarItem* item = control->GetItem();
  return item ? item->GlyphLayout() : glTop;
}

bool IsLargeButton(const TdxBarItemControlDrawParams* p) { return p->ViewSize() == TdxBarItemViewSize::Large; }

// The space a large button gives its glyph beside or above its caption: the glyph with a margin
// on the caption's side; the whole content without a caption.
RECT LargeGlyphArea(TdxBarItemControlDrawParams* p, const RECT& content, SIZE glyph)
{
  if (!(p->ViewStructure & dxBarViewText)) return content;
  const bool vertical = IsVerticalItem(p);
  RECT area = content;
  // On a vertical toolbar the layout turns with the bar: left becomes top, top becomes left.
  switch (GlyphLayoutOf(p->ItemControl)) {
    case glLeft:
      if (vertical) area.bottom = area.top + glyph.cy + 4;
      else area.right = area.left + glyph.cx + 4;
      break;
    case glRight:
      if (vertical) area.top = area.bottom - glyph.cy - 4;
      else area.left = area.right - glyph.cx - 4;
      break;
    case glTop:
      if (vertical) area.right = area.left + glyph.cx + 3;
      else area.bottom = area.top + glyph.cy + 3;
      break;
    case glBottom:
      if (vertical) area.left = area.right - glyph.cx - 3;
      else area.top = area.bottom - glyph.cy - 3;
      break;
  }
  return area;
}

// The description of a large menu item in at most two rows: more rows make the second one the
// whole rest of the text.
std::vector<std::string> DescriptionRows(std::string_view text, TcxCanvas* canvas, const RECT& rect)
{
  auto lines = MakeOwned<TStringList>();
  WrapTextToLines(text, canvas, rect, lines.get());
  std::vector<std::string> rows;
  for (int i = 0; i < lines->Count() && i < 2; ++i) rows.push_back(lines->Strings(i));
  if (lines->Count() > 2 && !rows.empty()) {
    const size_t at = text.find(rows[0]);
    std::string rest(at == std::string_view::npos ? text.substr(rows[0].size()) : text.substr(at + rows[0].size()));
    rows[1] = Trim(rest);
  }
  return rows;
}

// A bold copy of the font selected in the context, selected for the life of the scope.
class TBoldFontScope {
public:
  explicit TBoldFontScope(HDC dc)
  {
    LOGFONTA font{};
    if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font) != sizeof(font)) return;
    font.lfWeight = FW_BOLD;
    FFont.Reset(CreateFontIndirectA(&font));
    FSelect.emplace(dc, FFont.Get());
  }

private:
  TFontHandle FFont;
  std::optional<TSelectObject> FSelect;
};
}  // namespace

void TdxBarPainter::DrawButtonContent(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (!DrawParams || !DrawParams->Canvas || !DrawParams->ItemControl) return;
  TdxBarItemControl* control = DrawParams->ItemControl;
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  HDC dc = DrawParams->Canvas->GetDCHandle();
  RECT rect = R;
  if (button && button->Lowered) DrawSunkenEdge(dc, rect);
  if (InMenu(DrawParams)) {
    DrawMenuItemContent(DrawParams, rect);
  } else {
    const int partWidth = HasSeparateDropDownPart(DrawParams) ? button->DropDownPartWidth : 0;
    RECT content = rect;
    if (button) {
      content.left += button->ContentMargins.left;
      content.top += button->ContentMargins.top;
      content.right -= button->ContentMargins.right;
      content.bottom -= button->ContentMargins.bottom;
    }
    content.right -= partWidth;
    // The button's frame and background take the whole button but its drop-down part.
    RECT face = rect;
    face.right -= partWidth;
    const TGlyphSource source = GlyphSourceOf(DrawParams);
    const SIZE glyphSize = (DrawParams->ViewStructure & dxBarViewIcon) ? DrawnGlyphSize(DrawParams, source) : SIZE{};
    RECT area = face;
    if (IsLargeButton(DrawParams)) {
      area = content;
      InflateRect(&area, -1, -1);
      ShiftPressedArrowRect(button && button->Down, button && button->DroppedDown, area);
      area = LargeGlyphArea(DrawParams, area, glyphSize);
    } else if (DrawParams->ViewStructure & dxBarViewIcon) {
      // The glyph area is the button's size along the item and the whole item across.
      if (IsVerticalItem(DrawParams))
        area.bottom = area.top + DrawParams->ButtonSize.cy;
      else
        area.right = area.left + DrawParams->ButtonSize.cx;
    }
    const TdxBarPaintingStates states = PaintingStatesOf(DrawParams);
    RECT glyphRect = CentredIn(area, glyphSize);
    if (!IsLargeButton(DrawParams)) {
      int shift = 0;
      if (states.Contains(TdxBarPaintingState::psChecked)) shift += GetCheckedGlyphShift();
      if (states.Contains(TdxBarPaintingState::psPressed)) shift += GetPressedGlyphShift();
      OffsetRect(&glyphRect, shift, shift);
    }
    control->ViewInfo()->SetImageBounds(glyphRect);
    const bool drawGlyph = (DrawParams->ViewStructure & dxBarViewIcon) && source.Present;
    DrawItemGlyphState(control, dc, states, false, drawGlyph ? source.Images : nullptr, source.ImageIndex,
                       drawGlyph ? source.Glyph : nullptr, face, glyphRect);
    if (DrawParams->ViewStructure & dxBarViewText) DrawButtonCaption(DrawParams, content, glyphRect);
  }
  if (!DrawParams->IsDropDown || IsOwnArrowHidden(DrawParams)) return;
  if (HasSeparateDropDownPart(DrawParams))
    DrawDropDownPart(DrawParams, rect);
  else
    DrawButtonOwnArrow(DrawParams, rect);
}

void TdxBarPainter::DrawButtonCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                      const RECT& GlyphRect) const
{
  if (!DrawParams || !DrawParams->Canvas || !DrawParams->ItemControl) return;
  RECT content = R;
  const TAlignment alignment = CalcGlyphPlacement(DrawParams, content, GlyphRect);
  // On toolbars the caption keeps its colour while hot; menus draw the highlighted text.
  const bool selected = DrawParams->DrawSelected && InMenu(DrawParams);
  DrawItemCaption(DrawParams->ItemControl, DrawParams->Canvas->GetDCHandle(), DrawParams->Caption, content, alignment,
                  DrawParams->Enabled, selected, IsVerticalItem(DrawParams), false, IsFlatAndNoHighContrast(),
                  DT_SINGLELINE);
}

// --- Menu items ---

void TdxBarPainter::DrawMenuItemContent(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  TdxBarItemControl* control = DrawParams->ItemControl;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  DrawButtonFace(DrawParams, R);

  const RECT icon = GetMenuIconArea(R, GetParentGlyphBandWidth(DrawParams));
  const TdxBarPaintingStates states = PaintingStatesOf(DrawParams);
  const TGlyphSource source = GlyphSourceOf(DrawParams);
  const bool showsGlyph = (DrawParams->ViewStructure & dxBarViewIcon) && source.Present;
  if (showsGlyph) {
    const RECT glyphRect = CentredIn(icon, DrawnGlyphSize(DrawParams, source));
    control->ViewInfo()->SetImageBounds(glyphRect);
    DrawItemGlyphState(control, dc, states, false, source.Images, source.ImageIndex, source.Glyph, icon, glyphRect);
  } else if (states.Contains(TdxBarPaintingState::psChecked)) {
    control->ViewInfo()->SetImageBounds(icon);
    DrawItemGlyphState(control, dc, states, true, nullptr, -1, nullptr, icon, icon);
  }

  RECT text = GetMenuTextArea(DrawParams, R);
  InflateRect(&text, 0, GetSubMenuExtraWidth());
  const bool flat = IsFlatAndNoHighContrast();
  TCustomdxBarControl* bar = control->BarControl();
  const int unit = bar ? bar->TextHeight() : 0;
  TdxBarItemLinks* links = control->Link() ? control->Link()->GetLinks() : nullptr;
  const bool description = links && control->GetMenuItemSize() == misLarge && links->GetShowDescriptions() &&
                           !DrawParams->Description.empty();
  RECT caption = text;
  if (description) {
    const int rowHeight = control->GetTextHeight();
    RECT rows = text;
    rows.top = text.bottom - ((RectHeight(text) - 3 * rowHeight) / 4) * 2 - 2 * rowHeight;
    caption.bottom = rows.top;
    rows.right = text.right - unit;
    for (const std::string& row : DescriptionRows(DrawParams->Description, DrawParams->Canvas, rows)) {
      RECT line{rows.left, rows.top, rows.right, rows.top + rowHeight};
      DrawItemCaption(control, dc, row, line, taLeftJustify, DrawParams->Enabled, DrawParams->DrawSelected, false,
                      false, flat, DT_SINGLELINE | DT_END_ELLIPSIS);
      rows.top += rowHeight;
    }
  }
  {
    std::optional<TBoldFontScope> bold;
    if (description) bold.emplace(dc);
    DrawItemCaption(control, dc, DrawParams->Caption, caption, taLeftJustify, DrawParams->Enabled,
                    DrawParams->DrawSelected, false, false, flat, DT_SINGLELINE);
  }
  if (links && links->GetShowShortCuts() && !DrawParams->ShortCutText.empty()) {
    text.right -= unit + 5;
    DrawItemCaption(control, dc, DrawParams->ShortCutText, text, taRightJustify, DrawParams->Enabled,
                    DrawParams->DrawSelected, false, false, flat, DT_SINGLELINE);
  }
}

// --- Parts and widths ---

namespace {
// The rect split at the part's left edge: the main part keeps the left, the part takes the right.
void SplitOffRightPart(std::vector<RECT>& parts, int width)
{
  if (parts.empty()) return;
  RECT main = parts[0];
  const RECT part{std::max<LONG>(main.left, main.right - width), main.top, main.right, main.bottom};
  main.right = part.left;
  parts.assign({main, part});
}
}  // namespace

void TdxBarPainter::CalcItemParts(TdxBarItemControlDrawParams*, std::vector<RECT>& Parts) const
{
  SplitOffRightPart(Parts, GetItemPartWidth());
}

void TdxBarPainter::CalcButtonParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts) const
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  if (button && button->IsDropDown) SplitOffRightPart(Parts, button->DropDownPartWidth);
}

void TdxBarPainter::AddMenuItemIndent(TdxBarItemControlDrawParams* DrawParams, int& Width) const
{
  if (!DrawParams || !DrawParams->IsDropDown) return;
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  if (HasSeparateDropDownPart(DrawParams) && !InMenu(DrawParams)) {
    Width += button->DropDownPartWidth + GetMenuGlyphMargins().right;
  } else if (!IsOwnArrowHidden(DrawParams)) {
    TCustomdxBarControl* bar = DrawParams->ItemControl ? DrawParams->ItemControl->BarControl() : nullptr;
    Width += (bar ? bar->TextHeight() : 0) / 2;
  }
}

// --- Drop-down parts ---

bool TdxBarPainter::HasSeparateDropDownPart(TdxBarItemControlDrawParams* DrawParams) const
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  return button && button->IsDropDown && button->DropDownPartWidth > 0 && !button->OwnDropDownArrow;
}

bool TdxBarPainter::IsOwnArrowHidden(TdxBarItemControlDrawParams* DrawParams) const
{
  auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(DrawParams);
  return button && button->ArrowHidden;
}

// --- The standard look's menu item face ---

void TdxBarStandardPainter::DrawButtonFace(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (!DrawParams || !DrawParams->Canvas || !DrawParams->ItemControl || !InMenu(DrawParams)) return;
  TdxBarItemControl* control = DrawParams->ItemControl;
  TCustomdxBarControl* bar = control->BarControl();
  HDC dc = DrawParams->Canvas->GetDCHandle();
  const RECT icon = GetMenuIconArea(R, GetParentGlyphBandWidth(DrawParams));
  const bool selected = DrawParams->DrawSelected;
  HBRUSH highlight = bar ? bar->GetHighlightBrush() : GetSysColorBrush(COLOR_HIGHLIGHT);
  const bool showsGlyph = (DrawParams->ViewStructure & dxBarViewIcon) && GlyphSourceOf(DrawParams).Present;
  const bool down = PaintingStatesOf(DrawParams).Contains(TdxBarPaintingState::psChecked);
  HBRUSH column = !showsGlyph && selected && !down ? highlight : ItemBrush(control);
  // The icon column with the one-pixel column right of it; a glyph or check mark is drawn over it.
  FillItemBackground(control, dc, selected, column, RECT{icon.left, R.top, icon.right + 1, R.bottom});
  FillItemBackground(control, dc, selected, selected ? highlight : ItemBrush(control),
                     RECT{icon.right + 1, R.top, R.right, R.bottom});
}
