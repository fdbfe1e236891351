// The base bar painter's edits and combos: their parts and height, the text rect of the hosted
// edit, the caption and glyph areas, the edit border, colours and value, the combo button and its
// arrow, the drop-down list's rows, and the edit entry of the customization list.
#include "toolkit/bars/dxBarPainter.h"

#include <algorithm>
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"

namespace {
TdxBarCustomEditControl* EditControlOf(TdxBarItemControlDrawParams* p)
{
  return p ? ObjectAs<TdxBarCustomEditControl>(p->ItemControl) : nullptr;
}
bool InMenu(TdxBarItemControlDrawParams* p) { return p && static_cast<TdxBarPaintType>(p->PaintType) == ptMenu; }
bool IsFocusedEdit(TdxBarItemControlDrawParams* p)
{
  auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(p);
  return e && e->IsEditing;
}
HBRUSH BarBrush(TdxBarItemControl* control)
{
  return control && control->BarControl() ? control->BarControl()->GetBackgroundBrush() : nullptr;
}
}  // namespace

// --- Heights and rects ---

int TdxBarPainter::CalcEditItemHeight(TCustomdxBarControl* BarControl, int TextHeight) const
{
  (void)BarControl;
  const RECT content = GetEditContentMargins(ptHorz);
  const RECT caption = GetCaptionMargins();
  return TextHeight + content.top + content.bottom + caption.top + caption.bottom;
}

void TdxBarPainter::GetEditTextRect(TdxBarPaintType, RECT& R) const
{
  const RECT caption = GetCaptionMargins();
  int top = 0, bottom = 0;
  GetEditTextVertMargins(top, bottom);
  R.left += caption.left;
  R.right -= caption.right;
  R.top += top;
  R.bottom -= bottom;
}

void TdxBarPainter::CalcEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts) const
{
  TdxBarCustomEditControl* control = EditControlOf(DrawParams);
  if (!control || Parts.size() < 3) return;
  const RECT item = control->GetBoundsRect();
  const TdxBarPaintType paintType = static_cast<TdxBarPaintType>(DrawParams->PaintType);
  const RECT content = GetEditContentMargins(paintType);
  int x = item.left;
  if (control->ShowsCaption() && paintType != ptMenu) x += content.left;
  const int glyphEnd = x + control->GetGlyphAreaWidth();
  const int captionEnd = glyphEnd + control->CalcCaptionAreaWidth();
  Parts[dxBarEditGlyphPart] = RECT{x, item.top, glyphEnd, item.bottom};
  Parts[dxBarEditCaptionPart] = RECT{glyphEnd, item.top, captionEnd, item.bottom};
  RECT box = control->CalcEditRect();
  box.left += content.left;
  box.top += content.top;
  box.right -= content.right;
  box.bottom -= content.bottom;
  Parts[dxBarEditPart] = box;
}

void TdxBarPainter::CalcComboParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts, const RECT& R,
                                   int) const
{
  TdxBarCustomEditControl* control = EditControlOf(DrawParams);
  if (!control || Parts.size() <= static_cast<size_t>(dxBarComboButtonPart)) return;
  (void)R;
  RECT button = control->CalcEditRect();
  const RECT margins = GetComboContentMargins(static_cast<TdxBarPaintType>(DrawParams->PaintType));
  button.left += margins.left;
  button.top += margins.top;
  button.right -= margins.right;
  button.bottom -= margins.bottom;
  button.left = button.right - (control->BarControl() ? control->BarControl()->DropDownButtonWidth() : 0);
  Parts[dxBarComboButtonPart] = button;
  Parts[dxBarEditPart].right = button.left - GetComboButtonBorder();
}

// --- Painting ---

void TdxBarPainter::PaintEditControl(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  TdxBarCustomEditControl* control = EditControlOf(DrawParams);
  if (!control || !DrawParams->Canvas) return;
  FillEditAreas(DrawParams);
  if (InMenu(DrawParams) && DrawParams->DrawSelected) OutlineSelectedEdit(DrawParams, R);
  const auto& parts = control->PartRects();
  if (parts.size() < 3) return;
  if (DrawParams->ViewStructure & dxBarViewIcon) {
    DrawEditTextArea(DrawParams, parts[dxBarEditGlyphPart]);
    DrawParams->Canvas->ExcludeRectFromClip(parts[dxBarEditGlyphPart]);
  }
  if (control->ShowsCaption()) {
    RECT caption = parts[dxBarEditCaptionPart];
    caption.right -= GetEditIndents(DrawParams, dxBarEditCaptionPart).right;
    DrawEditCaption(DrawParams, caption);
    DrawParams->Canvas->ExcludeRectFromClip(parts[dxBarEditCaptionPart]);
  }
}

void TdxBarPainter::FillEditAreas(TdxBarItemControlDrawParams* DrawParams) const
{
  TdxBarCustomEditControl* control = EditControlOf(DrawParams);
  if (!control || control->PartRects().size() < 3) return;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  if (control->ShowsCaption()) {
    RECT caption = control->PartRects()[dxBarEditCaptionPart];
    const int indent = GetEditIndents(DrawParams, dxBarEditCaptionPart).right;
    RECT strip = caption;
    caption.right -= indent;
    strip.left = caption.right;
    FillItemBackground(control, dc, IsEditInMenuSelected(DrawParams), control->StyleBrush(), caption);
    FillItemBackground(control, dc, IsNonRecentEdit(DrawParams), GetEditCaptionBrush(control), strip);
  }
  if ((DrawParams->ViewStructure & dxBarViewIcon) && !InMenu(DrawParams))
    FillItemBackground(control, dc, IsEditInMenuSelected(DrawParams), control->StyleBrush(),
                       control->PartRects()[dxBarEditGlyphPart]);
}

void TdxBarPainter::DrawEditCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  const bool selected = InMenu(DrawParams) && DrawParams->DrawSelected;
  DrawItemCaption(DrawParams->ItemControl, DrawParams->Canvas->GetDCHandle(), DrawParams->Caption, R, taRightJustify,
                  DrawParams->Enabled, selected, false, true, IsFlatAndNoHighContrast(), DT_SINGLELINE | DT_VCENTER);
}

void TdxBarPainter::OutlineSelectedEdit(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (DrawParams->Canvas) OutlineFlatSelection(DrawParams->Canvas->GetDCHandle(), R);
}

void TdxBarPainter::DrawEditTextArea(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  TdxBarItemControl* control = DrawParams->ItemControl;
  RECT area = R;
  if (!InMenu(DrawParams)) {
    const RECT indents = GetEditIndents(DrawParams, dxBarEditGlyphPart);
    area.left += indents.left;
    area.right -= indents.right;
  }
  int index = -1;
  TCustomImageList* images = nullptr;
  TBitmap* glyph = nullptr;
  if (control->GetGlyphSource(control->GetViewSize(), true, index, images, glyph))
    DrawItemGlyph(control, DrawParams->Canvas->GetDCHandle(), TdxBarPaintingStates(), images, index, glyph, R, area);
}

bool TdxBarPainter::IsEditInMenuSelected(TdxBarItemControlDrawParams* DrawParams) const
{
  return InMenu(DrawParams) && DrawParams->DrawSelected;
}

bool TdxBarPainter::IsNonRecentEdit(TdxBarItemControlDrawParams*) const { return false; }

RECT TdxBarPainter::GetEditIndents(TdxBarItemControlDrawParams* DrawParams, int Part) const
{
  if (Part == dxBarEditCaptionPart) return RECT{GetEditCaptionIndent(DrawParams), 0, GetEditRightIndent(), 0};
  if (InMenu(DrawParams)) return GetMenuEditMargins(ptMenu);
  TdxBarItemControl* control = DrawParams ? DrawParams->ItemControl : nullptr;
  const int glyph = control ? control->GetGlyphSize(control->GetViewSize()).cx : 0;
  const int area = control ? glyph + 2 * GetMenuGlyphMargins().left : 0;
  return RECT{(area - glyph) / 2, 0, GetMenuGlyphMargins().left, 0};
}

int TdxBarPainter::GetEditCaptionIndent(TdxBarItemControlDrawParams* DrawParams) const
{
  if (!DrawParams || !(DrawParams->ViewStructure & dxBarViewIcon)) return GetEditGlyphIndent();
  return InMenu(DrawParams) ? GetMenuEditIndent() : 0;
}

HBRUSH TdxBarPainter::GetEditCaptionBrush(TdxBarItemControl* ItemControl) const { return BarBrush(ItemControl); }

void TdxBarPainter::DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  TdxBarItemControl* control = DrawParams->ItemControl;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  const bool hot = IsEditorFrameHot(DrawParams);
  const bool focused = IsFocusedEdit(DrawParams);
  if (hot) {
    RECT edge = R;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  } else {
    FrameItemBackground(control, dc, false, BarBrush(control), R);
  }
  InflateRect(&R, -1, -1);
  HBRUSH inner = DrawParams->Enabled || focused ? BarBrush(control) : GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  FrameItemBackground(control, dc, (hot || !DrawParams->Enabled) && !focused, inner, R);
  InflateRect(&R, -1, -1);
}

bool TdxBarPainter::IsEditorFrameHot(TdxBarItemControlDrawParams* DrawParams) const
{
  return DrawParams && DrawParams->DrawSelected;
}

void TdxBarPainter::FillEditBackground(TdxBarItemControlDrawParams* DrawParams, TcxCanvas* Canvas, HBRUSH Brush,
                                       const RECT& R) const
{
  // The bar control's background routine over the rect, in the brush.
  (void)DrawParams;
  if (Canvas && Brush) FillRect(Canvas->GetDCHandle(), &R, Brush);
}

// --- Colours and the value ---

TColor TdxBarPainter::GetInactiveEditColor(TdxBarItemControl* ItemControl) const
{
  LOGBRUSH lb{};
  HBRUSH brush = BarBrush(ItemControl);
  if (brush && GetObjectA(brush, sizeof lb, &lb)) return static_cast<TColor>(lb.lbColor);
  return clBtnFace;
}

TColor TdxBarPainter::GetEditBackColor(TdxBarItemControlDrawParams* DrawParams) const
{
  TdxBarItemControl* control = DrawParams ? DrawParams->ItemControl : nullptr;
  if (!control || !control->IsEnabled()) return GetInactiveEditColor(control);
  TdxBarItem* item = control->GetItem();
  const TColor styled = item ? item->GetEditStyleValues().Color : clDefault;
  return styled != clDefault ? styled : GetEditWindowColor();
}

TColor TdxBarPainter::GetEditTextColor(TdxBarEditControl* EditControl) const
{
  if (!EditControl || !EditControl->IsEnabled()) return GetInactiveEditTextColor();
  TdxBarItem* item = EditControl->GetItem();
  const TColor styled = item ? item->GetEditStyleValues().TextColor : clDefault;
  return styled != clDefault ? styled : GetEditWindowTextColor();
}

void TdxBarPainter::GetEditColors(TdxBarEditControl* EditControl, TColor& TextColor, TColor& BackColor) const
{
  TextColor = GetEditTextColor(EditControl);
  BackColor = GetEditBackColor(EditControl ? EditControl->DrawParams() : nullptr);
}

void TdxBarPainter::DrawEditValue(TdxBarItemControl* ItemControl, TcxCanvas* Canvas, const RECT& R) const
{
  auto* control = ObjectAs<TdxBarEditControl>(ItemControl);
  auto* item = control ? ObjectAs<TdxBarEdit>(control->GetItem()) : nullptr;
  if (!item || !Canvas) return;
  TColor text = clWindowText, back = clWindow;
  GetEditColors(control, text, back);
  Canvas->GetCurrentFont()->SetColor(text);
  Canvas->SetBrushColor(back);
  Canvas->PushClipRegion();
  struct TPop {
    TcxCanvas* C;
    ~TPop() { C->PopClipRegion(); }
  } pop{Canvas};
  Canvas->IntersectClipWithRect(R);
  FillRect(Canvas->GetDCHandle(), &R, Canvas->GetCurrentBrush()->Handle());
  SetTextColor(Canvas->GetDCHandle(), ColorToRGB(text));
  item->DrawEditValue(control, Canvas, control->Link(), R);
}

void TdxBarPainter::SelectAllEditText(HWND EditWnd, bool Notify) const
{
  if (Notify) SendMessageA(EditWnd, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(EditWnd));
  SendMessageA(EditWnd, EM_SETSEL, 0, -1);
}

// --- Combos ---

void TdxBarPainter::DrawComboButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  RECT face = R;
  DrawPlainComboButton(DrawParams, face, GetComboButtonBrush(DrawParams));
  int size = (R.right - R.left) / 4;
  if (size % 2 == 0) ++size;
  DrawSubMenuArrow(DrawParams, face, GetComboArrowColor(DrawParams), size);
}

void TdxBarPainter::DrawComboListItem(TCustomdxBarComboControl* Combo, TcxCanvas* Canvas, const RECT& R,
                                      int Index) const
{
  auto* item = Combo ? ObjectAs<TdxBarCustomCombo>(Combo->GetItem()) : nullptr;
  if (!item || !Canvas) return;
  std::string text;
  if (Index == -1)
    text = item->GetText();
  else if (Index >= 0 && Index < item->Items()->Count())
    text = item->Items()->Strings(Index);
  HDC dc = Canvas->GetDCHandle();
  FillRect(dc, &R, Canvas->GetCurrentBrush()->Handle());
  TextOutA(dc, R.left + 2, R.top, text.c_str(), static_cast<int>(text.size()));
}

void TdxBarPainter::DrawEditInCustomizing(TdxBarItem* Item, TdxBarItemLink* Link, const RECT& R,
                                          TcxCanvas* Canvas) const
{
  auto* item = ObjectAs<TdxBarWindowItem>(Item);
  if (!item || !Canvas) return;
  HDC dc = Canvas->GetDCHandle();
  FillRect(dc, &R, Canvas->GetCurrentBrush()->Handle());
  RECT r = R;
  GetEditTextRect(ptHorz, r);
  const std::string text = Link && Link == item->GetActiveEditLink() ? item->GetEditingText() : item->GetText();
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX);
  SetBkMode(dc, OPAQUE);
}
