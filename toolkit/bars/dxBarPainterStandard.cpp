// The standard and enhanced bar painters: the classic three-dimensional look of docks, toolbars,
// grips, the toolbar mark, check marks, button frames and the caption buttons.
#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarToolbar.h"

using namespace dxBarPainterShapes;

namespace {
// The width of the standard look's floating mark at the caption's left end.
constexpr int FloatingMarkWidth = 13;

// One grip bar: a raised edge round a button-face inside; the bar is then left out of the clip
// region so that what the toolbar draws later cannot cover it.
void DrawGripBar(HDC dc, const RECT& bar)
{
  DrawRaisedInnerEdge(dc, bar);
  RECT inside = bar;
  InflateRect(&inside, -1, -1);
  FillRect(dc, &inside, SystemColorBrush(COLOR_BTNFACE));
}

void ExcludeFromClip(HDC dc, const RECT& r) { ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom); }

// The raised edge round a docked bar; answers the rect inside it.
RECT DrawDockedBarEdge(HDC dc, const RECT& r)
{
  DrawRaisedInnerEdge(dc, r);
  RECT inside = r;
  InflateRect(&inside, -2, -2);
  return inside;
}
}  // namespace

// --- Buttons and check marks ---

void TdxBarStandardPainter::FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                           const RECT& GlyphRect) const
{
  const bool down = States.Contains(TdxBarPaintingState::psChecked);
  const bool pressed = States.Contains(TdxBarPaintingState::psPressed);
  const bool selected = States.Contains(TdxBarPaintingState::psHot);
  if (down || selected || pressed) {
    if (down || pressed)
      DrawSunkenOuterEdge(DC, GlyphRect);
    else
      DrawRaisedInnerEdge(DC, GlyphRect);
    return;
  }
  const bool useBrush = ItemControl && ItemControl->StyleBrush();
  FrameItemBackground(ItemControl, DC, useBrush, ItemBrush(ItemControl), GlyphRect);
}

void TdxBarStandardPainter::PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X,
                                            int Y) const
{
  const int k = SizeFactor;
  int i = 0;
  auto stroke = [&](TColor color) {
    PolylineInColor(DC, color, {{X + k, Y + i + 2 * k}, {X + 3 * k, Y + i + 4 * k}, {X + 8 * k, Y + i - k}});
    ++i;
  };
  const bool enabled = !ItemControl || ItemControl->IsEnabled();
  if (enabled) {
    const bool blackFace = ColorToRGB(clBtnFace) == RGB(0, 0, 0);
    const TColor main = blackFace ? clWhite : clBlack, last = blackFace ? clBlack : clWhite;
    for (int n = 0; n < k; ++n) stroke(static_cast<TColor>(RGB(192, 192, 192)));
    for (int n = 0; n < 2 * k; ++n) stroke(main);
    for (int n = 0; n < k; ++n) stroke(last);
    PolylineInColor(DC, last, {{X + k - 1, Y + 2 * k + 1}, {X + k - 1, Y + 6 * k - 1}});
    PolylineInColor(DC, last, {{X + 8 * k, Y - k + 2}, {X + 8 * k, Y + 3 * k}});
    return;
  }
  i = 1;
  for (int n = 0; n < 2 * k; ++n) stroke(clBtnShadow);
  for (int j = 0; j < k; ++j) {
    PolylineInColor(DC, clBtnHighlight, {{X + 3 * k + 1, Y + 7 * k - 1 - j}, {X + 9 * k, Y + k - j}});
    PolylineInColor(DC, clBtnHighlight, {{X + 4 * k, Y + 7 * k - j}, {X + 9 * k, Y + 2 * k - j}});
  }
}

bool TdxBarStandardPainter::IsClassicLook() const { return true; }
bool TdxBarStandardPainter::IsSmallBar(TdxBarControl*, const RECT&) const { return false; }

void TdxBarStandardPainter::PaintDisabledShadow(TdxBarItemControl* ItemControl, HDC DC, const RECT& R) const
{
  RECT highlight = R;
  OffsetRect(&highlight, 1, 1);
  FillRect(DC, &highlight, SystemColorBrush(COLOR_BTNHIGHLIGHT));
  TdxBarPainter::PaintDisabledShadow(ItemControl, DC, R);
}

void TdxBarStandardPainter::DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool,
                                             const RECT& R) const
{
  HBRUSH brush = BarBrush(ItemControl ? ItemControl->BarControl() : nullptr);
  if (Hot) {
    if (Pressed)
      DrawSunkenOuterEdge(DC, R);
    else
      DrawRaisedInnerEdge(DC, R);
  } else {
    FrameWithBrush(DC, R, brush);
  }
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FillRect(DC, &inside, brush);
}

RECT TdxBarStandardPainter::GetCaptionMargins() const { return {2, 1, 2, 1}; }

HBRUSH TdxBarStandardPainter::GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl,
                                                      TdxBarPaintingStates States) const
{
  const bool enabled = !ItemControl || ItemControl->IsEnabled();
  if (enabled && States.Contains(TdxBarPaintingState::psChecked)) {
    TCustomdxBarControl* bar = ItemControl ? ItemControl->BarControl() : nullptr;
    const bool selected = States.Contains(TdxBarPaintingState::psHot);
    HBRUSH brush = bar ? (selected ? bar->GetMenuBrush() : bar->GetSelectedBrush()) : nullptr;
    return brush ? brush : (selected ? GetMenuBrush() : GetSelectedItemBrush());
  }
  return ItemBrush(ItemControl);
}

int TdxBarStandardPainter::GetCheckedGlyphShift() const { return 1; }
int TdxBarStandardPainter::GetPressedGlyphShift() const { return 1; }
int TdxBarStandardPainter::GetButtonBorderWidth() const { return 1; }

// --- Metrics and flags ---

TcxCustomLookAndFeelPainter* TdxBarStandardPainter::GetPairedLookAndFeelPainter() const
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(TcxPainterStyle::cpsFlat) : nullptr;
}

int TdxBarStandardPainter::GetBarEndIndent() const { return 2; }
int TdxBarStandardPainter::GetGripMargin() const { return 2; }
int TdxBarStandardPainter::GetGripAreaSize(TdxBarControl*) const { return 2 * GetGripSize() + GetGripMargin() + 1; }

void TdxBarStandardPainter::GetEditTextVertMargins(int& Top, int& Bottom) const
{
  Top = 0;
  Bottom = 2;
}

bool TdxBarStandardPainter::UsesHotTrackLook() const { return false; }
bool TdxBarStandardPainter::AllowsQuickCustomizingMark() const { return false; }
int TdxBarStandardPainter::GetBarHorzMargin() const { return 4; }
int TdxBarStandardPainter::GetBarTopMargin() const { return 2; }
int TdxBarStandardPainter::GetBarBottomMargin() const { return 1; }
bool TdxBarStandardPainter::HasSizingBorder() const { return true; }
bool TdxBarStandardPainter::HasThickBorder() const { return true; }
bool TdxBarStandardPainter::DrawsProgressBorder() const { return true; }

void TdxBarStandardPainter::DrawDropDownListFrame(HDC DC, TColor, const RECT& R) const
{
  RECT r = R;
  DrawEdge(DC, &r, EDGE_RAISED, BF_RECT);
}

// --- Drop-down parts and combo buttons ---

void TdxBarStandardPainter::FillDropDownPart(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                             HBRUSH Brush) const
{
  TdxBarPainter::FillDropDownPart(DrawParams, R, Brush);
  if (!DrawParams || !DrawParams->Canvas) return;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  if (DrawParams->DrawSelected) {
    if (IsDrawnDroppedDown(DrawParams))
      DrawSunkenOuterEdge(dc, R);
    else
      DrawRaisedInnerEdge(dc, R);
  } else if (DrawParams->PaintType == static_cast<uint8_t>(ptMenu)) {
    RECT line{R.left - 1, R.top, R.left + 1, R.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
  }
}

void TdxBarStandardPainter::DrawPlainComboButton(TdxBarItemControlDrawParams* DrawParams, RECT& R,
                                                 HBRUSH Brush) const
{
  if (!DrawParams || !DrawParams->Canvas || !DrawParams->ItemControl) return;
  HDC dc = DrawParams->Canvas->GetDCHandle();
  TCustomdxBarControl* barControl = DrawParams->ItemControl->BarControl();
  const bool droppedDown = IsDrawnDroppedDown(DrawParams);
  HBRUSH frame = BarBrush(barControl);
  if (DrawParams->DrawSelected && DrawParams->Enabled) {
    if (droppedDown)
      DrawSunkenOuterEdge(dc, R);
    else
      DrawRaisedInnerEdge(dc, R);
  } else {
    auto* edit = ObjectAs<TdxBarCustomEditControl>(DrawParams->ItemControl);
    if (DrawParams->Enabled && edit) frame = edit->GetEditBrush();
    FrameWithBrush(dc, R, frame);
  }
  const RECT column{R.left - 1, R.top, R.left, R.bottom};
  FillRect(dc, &column, frame);
  InflateRect(&R, -1, -1);
  FillRect(dc, &R, Brush);
  if (droppedDown) OffsetRect(&R, 1, 1);
}

// --- The toolbar mark ---

void TdxBarStandardPainter::DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const
{
  const int p = Position;
  if (IsHorizontalToolbar(Toolbar)) {
    PolylineInColor(DC, clBtnHighlight, {{p - 1, 1}, {p + 2, 4}});
    PolylineInColor(DC, clBtnHighlight, {{p + 3, 4}, {p - 1, 8}});
    PolylineInColor(DC, clBtnShadow, {{p, 1}, {p + 2, 3}, {p + 2, 4}, {p - 1, 7}});
  } else {
    const int w = ToolbarClientWidth(Toolbar, R);
    PolylineInColor(DC, clBtnShadow, {{w - 8, p}, {w - 4, p + 4}});
    PolylineInColor(DC, clBtnShadow, {{w - 4, p + 1}, {w - 2, p - 1}});
    PolylineInColor(DC, clBtnHighlight, {{w - 7, p}, {w - 5, p + 2}, {w - 4, p + 2}, {w - 1, p - 1}});
  }
}

void TdxBarStandardPainter::DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int, const RECT& R) const
{
  FillBarBackground(Toolbar, DC, BarBrush(Toolbar), R);
}

RECT TdxBarStandardPainter::GetBarMarkRect(TdxBarControl* Toolbar) const
{
  if (!Toolbar || !Toolbar->IsFloating()) return TdxBarPainter::GetBarMarkRect(Toolbar);
  RECT caption = GetFloatingCaptionRect(Toolbar, ToolbarWindowRect(Toolbar));
  caption.right = std::min<LONG>(caption.right, caption.left + FloatingMarkWidth);
  return caption;
}

// --- Floating frame, caption buttons and MDI buttons ---

void TdxBarStandardPainter::DrawFloatingCloseButton(TdxBarControl* Toolbar, HDC DC, bool Pressed,
                                                    const RECT& R) const
{
  if (IsRectEmpty(&R)) return;
  const TColor back = GetFloatingCaptionBackColor(Toolbar, IsOwnerFormActive(Toolbar));
  TBrushHandle frame(CreateSolidBrush(ColorToRGB(back)));
  FrameWithBrush(DC, R, frame.Get());
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  DrawFrameControl(DC, &inside, DFC_CAPTION, DFCS_CAPTIONCLOSE | (Pressed ? DFCS_PUSHED : 0));
}

void TdxBarStandardPainter::DrawFloatingBarFrame(TdxBarControl*, HDC DC, const RECT& R) const
{
  RECT r = R;
  DrawEdge(DC, &r, EDGE_RAISED, BF_RECT);
  InflateRect(&r, -2, -2);  // inside the two-pixel edge
  FrameWithBrush(DC, r, SystemColorBrush(COLOR_BTNFACE));
  InflateRect(&r, -1, -1);
  FrameWithBrush(DC, r, SystemColorBrush(COLOR_BTNFACE));
}

void TdxBarStandardPainter::DrawMdiButton(TdxBarControl* Toolbar, int Button, HDC DC, int State,
                                          const RECT& R) const
{
  static constexpr UINT Kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  if (Button < 0 || Button > 2) return;
  TdxBarManager* manager = Toolbar ? Toolbar->BarManager() : nullptr;
  const bool flat = Button == 2 && manager && manager->FlatCloseButton() && manager->ShowCloseButton();
  UINT flags = Kinds[Button];
  if (State == 1) flags |= DFCS_INACTIVE;
  if (State == 4) flags |= DFCS_PUSHED;
  RECT r = R;
  if (!flat) {
    DrawFrameControl(DC, &r, DFC_CAPTION, flags);
    return;
  }
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  DrawFrameControl(DC, &r, DFC_CAPTION, flags | DFCS_FLAT);
  RestoreDC(DC, saved);
  if (State == 4)
    DrawSunkenOuterEdge(DC, R);
  else
    DrawRaisedInnerEdge(DC, R);
}

// --- Docked bar borders and grips ---

void TdxBarStandardPainter::DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  const RECT inside = DrawDockedBarEdge(DC, R);
  if (!ToolbarHasGrip(Toolbar)) return;
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  RECT bar = inside;
  if (horizontal) {
    bar.left += GetGripMargin();
    bar.right = bar.left + GetGripSize();
  } else {
    bar.top += GetGripMargin();
    bar.bottom = bar.top + GetGripSize();
  }
  for (int n = 0; n < 2; ++n) {
    DrawGripBar(DC, bar);
    if (horizontal)
      SetPixel(DC, bar.left, bar.bottom - 1, ColorToRGB(clBtnHighlight));
    else
      SetPixel(DC, bar.right - 1, bar.top, ColorToRGB(clBtnHighlight));
    ExcludeFromClip(DC, bar);
    OffsetRect(&bar, horizontal ? 3 : 0, horizontal ? 0 : 3);
  }
}

// --- Enhanced painter ---

void TdxBarEnhancedPainter::DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const
{
  DrawTwoLineChevron(Toolbar, DC, Position, R, TdxBarPainter::IsSmallBar(Toolbar, R));
}

void TdxBarEnhancedPainter::DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState,
                                                  const RECT& R) const
{
  HBRUSH brush = BarBrush(Toolbar);
  if (MarkState == 1)
    DrawRaisedInnerEdge(DC, R);
  else if (MarkState == 2)
    DrawSunkenOuterEdge(DC, R);
  else
    FrameWithBrush(DC, R, brush);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FillBarBackground(Toolbar, DC, brush, inside);
}

int TdxBarEnhancedPainter::GetGripMargin() const { return 1; }
int TdxBarEnhancedPainter::GetGripAreaSize(TdxBarControl*) const { return GetGripSize() + GetGripMargin() + 2; }
bool TdxBarEnhancedPainter::AllowsQuickCustomizingMark() const { return true; }

void TdxBarEnhancedPainter::DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  const RECT inside = DrawDockedBarEdge(DC, R);
  if (!ToolbarHasGrip(Toolbar)) return;
  RECT bar = inside;
  if (IsHorizontalToolbar(Toolbar)) {
    bar.left += GetGripMargin();
    bar.right = bar.left + GetGripSize();
    InflateRect(&bar, 0, -1);
  } else {
    bar.top += GetGripMargin();
    bar.bottom = bar.top + GetGripSize();
    InflateRect(&bar, -1, 0);
  }
  DrawGripBar(DC, bar);
  ExcludeFromClip(DC, bar);
}
