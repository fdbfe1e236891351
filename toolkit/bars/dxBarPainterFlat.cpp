// The flat bar painter: one-pixel frames in place of 3-D edges, the managers' flat brushes (a light
// toolbar colour and blends of the highlight colour for hot and pressed items), 6-pixel grips of
// shadow rows, open menus joined to the item that opened them.
#include "toolkit/bars/dxBarPainter.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarToolbar.h"

using namespace dxBarPainterShapes;

namespace {
// Every bar manager keeps the same flat brushes (they follow the system colours); the painter asks
// the first one, and falls back to the system colour nearest in role without a manager.
TdxBarManager* AnyManager()
{
  TdxBarManagerList* list = GetBarManagerList();
  return list ? list->GetManager(0) : nullptr;
}
HBRUSH FlatBrush(HBRUSH (TdxBarManager::*brush)() const, int fallback)
{
  TdxBarManager* manager = AnyManager();
  HBRUSH result = manager ? (manager->*brush)() : nullptr;
  return result ? result : SystemColorBrush(fallback);
}

bool InMenu(TdxBarItemControl* control)
{
  return control && control->DrawParams() && static_cast<TdxBarPaintType>(control->DrawParams()->PaintType) == ptMenu;
}
bool InMenu(TdxBarItemControlDrawParams* p) { return p && static_cast<TdxBarPaintType>(p->PaintType) == ptMenu; }
HDC DCOf(TdxBarItemControlDrawParams* p) { return p && p->Canvas ? p->Canvas->GetDCHandle() : nullptr; }
TCustomdxBarControl* BarOf(TdxBarItemControl* control) { return control ? control->BarControl() : nullptr; }
TCustomdxBarControl* BarOf(TdxBarItemControlDrawParams* p) { return p ? BarOf(p->ItemControl) : nullptr; }
// A brush of the bar control, or the painter's own when there is no bar control.
HBRUSH Or(HBRUSH brush, HBRUSH fallback) { return brush ? brush : fallback; }
bool IsBlackFace() { return ColorToRGB(clBtnFace) == RGB(0, 0, 0); }
bool IsEditFocused(TdxBarItemControlDrawParams* p)
{
  auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(p);
  return e && e->IsEditing;
}
}  // namespace

// --- Answers ---

TColor TdxBarFlatPainter::GetFloatingCaptionBackColor(TdxBarControl*, bool) const { return clInactiveCaption; }

TColor TdxBarFlatPainter::GetMarkGlyphColor(TdxBarControl* Toolbar, int MarkState) const
{
  return MarkState != 0 ? clBtnText : TdxBarPainter::GetMarkGlyphColor(Toolbar, MarkState);
}

TColor TdxBarFlatPainter::GetSeparatorLineColor() const { return clBtnShadow; }

TcxCustomLookAndFeelPainter* TdxBarFlatPainter::GetPairedLookAndFeelPainter() const
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(TcxPainterStyle::cpsUltraFlat) : nullptr;
}

void TdxBarFlatPainter::CalcSpinEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts,
                                          const RECT& R) const
{
  TdxBarPainter::CalcSpinEditParts(DrawParams, Parts, R);
  if (Parts.size() > 3 && Parts[3].right > Parts[3].left) ++Parts[3].bottom;
}

int TdxBarFlatPainter::GetBarEndIndent() const { return 1; }

void TdxBarFlatPainter::DrawSunkenEdge(HDC DC, RECT& R) const
{
  FrameWithBrush(DC, R, SystemColorBrush(COLOR_BTNSHADOW));
  InflateRect(&R, -1, -1);
}

bool TdxBarFlatPainter::DrawsGlyphShadow() const { return true; }
bool TdxBarFlatPainter::IsFlatLook() const { return true; }
bool TdxBarFlatPainter::UsesPressedGlyphMode() const { return true; }
bool TdxBarFlatPainter::JoinsMenusToToolbarItems() const { return true; }
int TdxBarFlatPainter::GetButtonBorderWidth() const { return 1; }
int TdxBarFlatPainter::GetGripMargin() const { return 1; }
int TdxBarFlatPainter::GetGripAreaSize(TdxBarControl*) const { return GetGripSize() + GetGripMargin() + 2; }

int TdxBarFlatPainter::GetLargeButtonHeightUnit(TdxBarManager* Manager) const
{
  return TdxBarPainter::GetLargeButtonHeightUnit(Manager) - 1;
}

int TdxBarFlatPainter::GetItemRowHeight(TCustomdxBarControl* BarControl) const
{
  const int base = TdxBarPainter::GetItemRowHeight(BarControl);
  return base > 0 ? base - 1 : base;
}

int TdxBarFlatPainter::GetSubMenuGroupIndent() const { return 8; }
HBRUSH TdxBarFlatPainter::GetToolbarBrush() const { return FlatBrush(&TdxBarManager::FlatToolbarBrush, COLOR_BTNFACE); }

HBRUSH TdxBarFlatPainter::GetBarBrush(TCustomdxBarControl* BarControl) const
{
  if (BarControl && (BarControl->IsMainMenu() || BarControl->IsStatusBar())) return SystemColorBrush(COLOR_BTNFACE);
  return GetToolbarBrush();
}

HBRUSH TdxBarFlatPainter::GetSelectedItemBrush() const
{
  return FlatBrush(&TdxBarManager::FlatDownedBrush, COLOR_BTNFACE);
}

HBRUSH TdxBarFlatPainter::GetMenuBrush() const
{
  return FlatBrush(&TdxBarManager::FlatDownedSelectedBrush, COLOR_HIGHLIGHT);
}

HBRUSH TdxBarFlatPainter::GetHighlightBrush() const { return FlatBrush(&TdxBarManager::FlatSelectedBrush, COLOR_HIGHLIGHT); }
int TdxBarFlatPainter::GetBeginGroupLineOffset() const { return (GetBarBeginGroupSize() - 1) / 2; }
int TdxBarFlatPainter::GetBarBeginGroupSize() const { return 5; }
HBRUSH TdxBarFlatPainter::GetQuickControlBrush(TCustomdxBarControl*) const { return SystemColorBrush(COLOR_WINDOW); }
bool TdxBarFlatPainter::IsQuickPopupOnRight() const { return true; }
void TdxBarFlatPainter::AdjustItemHeight(int& Height) const { Height += 2; }
void TdxBarFlatPainter::AdjustItemWidth(int& Width) const { Width += 9; }

TColor TdxBarFlatPainter::GetComboArrowColor(TdxBarItemControlDrawParams* DrawParams) const
{
  if (!DrawParams) return clBtnText;
  if (DrawParams->DrawSelected) {
    auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(DrawParams);
    return (e && e->DroppedDown) || IsBtnFaceWhite() ? clHighlightText : clBtnText;
  }
  return DrawParams->Enabled ? clBtnText : clBtnShadow;
}

int TdxBarFlatPainter::GetSubMenuArrowIndent() const { return 1; }
int TdxBarFlatPainter::GetMenuBeginGroupSize() const { return 5; }

void TdxBarFlatPainter::CalcSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& TextHeight, int& ArrowWidth) const
{
  TdxBarPainter::CalcSubMenuMetrics(Canvas, TextSize, TextHeight, ArrowWidth);
  const int margin = CalcStripeMargin(TextHeight - 2);
  if (margin % 2 != 0) TextHeight = 2 * margin + 4;
}

int TdxBarFlatPainter::CalcStripeMargin(int Size) const
{
  const int a = (Size - 4) / 2;
  return a < 5 ? a : a / 2 * 2;
}

int TdxBarFlatPainter::GetMenuItemMinHeight() const { return 20; }
void TdxBarFlatPainter::GetDetachCaptionContent(TdxBarSubMenuControl*, RECT& R) const { InflateRect(&R, -2, -2); }
int TdxBarFlatPainter::GetMenuItemTextHeight(TcxCanvas* Canvas) const { return TdxBarPainter::GetMenuItemTextHeight(Canvas) + 1; }
HBRUSH TdxBarFlatPainter::GetMenuBackgroundBrush() const { return SystemColorBrush(COLOR_WINDOW); }
RECT TdxBarFlatPainter::GetEditContentMargins(TdxBarPaintType) const { return {1, 1, 1, 1}; }
int TdxBarFlatPainter::GetEditGlyphIndent() const { return 6; }
int TdxBarFlatPainter::GetEditRightIndent() const { return 5; }
RECT TdxBarFlatPainter::GetMenuEditMargins(TdxBarPaintType) const { return {7, 0, 0, 0}; }
bool TdxBarFlatPainter::HasFlatCalendar() const { return true; }
bool TdxBarFlatPainter::DrawsProgressBorder() const { return true; }
int TdxBarFlatPainter::GetContainerMenuIndent() const { return 9; }

bool TdxBarFlatPainter::IsInPlaceSubItemHot(TdxBarItemControlDrawParams* DrawParams) const
{
  return TdxBarPainter::IsInPlaceSubItemHot(DrawParams) && IsFlatAndNoHighContrast();
}

bool TdxBarFlatPainter::DrawsInPlaceSubItemBackground(TdxBarItemControlDrawParams* DrawParams) const
{
  return !TdxBarPainter::IsInPlaceSubItemHot(DrawParams) || IsBtnFaceWhite();
}

// --- Frames, glyph backgrounds and check marks ---

void TdxBarFlatPainter::OutlineFlatSelection(HDC DC, const RECT& R) const
{
  // A black button face is a high-contrast scheme: the highlight would not show on it.
  if (IsBlackFace()) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(clHighlightText)));
    FrameWithBrush(DC, R, brush.Get());
  } else {
    FrameWithBrush(DC, R, SystemColorBrush(COLOR_HIGHLIGHT));
  }
}

void TdxBarFlatPainter::FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                       const RECT& GlyphRect) const
{
  const bool down = States.Contains(TdxBarPaintingState::psChecked);
  const bool pressed = States.Contains(TdxBarPaintingState::psPressed);
  const bool selected = States.Contains(TdxBarPaintingState::psHot);
  if (down || (selected && !InMenu(ItemControl))) {
    OutlineFlatSelection(DC, GlyphRect);
    return;
  }
  const bool useBrush = down || selected || pressed || (ItemControl && ItemControl->StyleBrush());
  FrameItemBackground(ItemControl, DC, useBrush, GetGlyphBackgroundBrush(ItemControl, States), GlyphRect);
}

HBRUSH TdxBarFlatPainter::GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const
{
  const bool down = States.Contains(TdxBarPaintingState::psChecked);
  const bool pressed = States.Contains(TdxBarPaintingState::psPressed);
  TCustomdxBarControl* bar = BarOf(ItemControl);
  if (!States.Contains(TdxBarPaintingState::psHot)) {
    if (down) return Or(bar ? bar->GetSelectedBrush() : nullptr, GetSelectedItemBrush());
    return InMenu(ItemControl) ? GetFlatGlyphBandBrush(ItemControl) : ItemBrush(ItemControl);
  }
  if (!pressed && !down) return Or(bar ? bar->GetHighlightBrush() : nullptr, GetHighlightBrush());
  return Or(bar ? bar->GetMenuBrush() : nullptr, GetMenuBrush());
}

void TdxBarFlatPainter::PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const
{
  const int k = SizeFactor;
  const bool enabled = !ItemControl || ItemControl->IsEnabled();
  int i = enabled ? 0 : 1;
  const bool white = IsBtnFaceWhite() || (IsBlackFace() && ColorToRGB(clBtnText) != RGB(255, 255, 255));
  const TColor color = !enabled ? clBtnShadow : white ? clWhite : clBlack;
  for (int n = 0; n < 2 * k; ++n, ++i)
    PolylineInColor(DC, color, {{X + k, Y + i + 2 * k}, {X + 3 * k, Y + i + 4 * k}, {X + 8 * k, Y + i - k}});
}

void TdxBarFlatPainter::DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot, bool,
                                         const RECT& R) const
{
  TCustomdxBarControl* bar = BarOf(ItemControl);
  HBRUSH fill;
  if (Hot) {
    OutlineFlatSelection(DC, R);
    fill = Pressed ? Or(bar ? bar->GetMenuBrush() : nullptr, GetMenuBrush())
                   : Or(bar ? bar->GetHighlightBrush() : nullptr, GetHighlightBrush());
  } else {
    fill = BarBrush(bar);
    FrameWithBrush(DC, R, fill);
  }
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FillRect(DC, &inside, fill);
}

// --- Toolbars ---

void TdxBarFlatPainter::DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  HBRUSH face = SystemColorBrush(COLOR_BTNFACE);
  FrameWithBrush(DC, R, face);
  RECT r = R;
  InflateRect(&r, -1, -1);
  // Rounded corners: the four corner pixels of the inner ring in the frame's colour.
  for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1}, POINT{r.right - 1, r.bottom - 1}}) {
    const RECT px{p.x, p.y, p.x + 1, p.y + 1};
    FillRect(DC, &px, face);
  }
  InflateRect(&r, -1, -1);
  if (!ToolbarHasGrip(Toolbar)) return;
  HBRUSH brush = BarBrush(Toolbar);
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  RECT grip = r;
  if (horizontal) {
    grip.left += GetGripMargin();
    grip.right = grip.left + GetGripSize();
    InflateRect(&grip, 0, -3);
  } else {
    grip.top += GetGripMargin();
    grip.bottom = grip.top + GetGripSize();
    InflateRect(&grip, -3, 0);
  }
  const int count = horizontal ? grip.bottom - grip.top : grip.right - grip.left;
  for (int n = 0; n < count; ++n) {
    const RECT line = horizontal ? RECT{grip.left, grip.top + n, grip.right, grip.top + n + 1}
                                 : RECT{grip.left + n, grip.top, grip.left + n + 1, grip.bottom};
    FillRect(DC, &line, n % 2 == 0 ? SystemColorBrush(COLOR_BTNSHADOW) : brush);
  }
  ExcludeClipRect(DC, grip.left, grip.top, grip.right, grip.bottom);
}

void TdxBarFlatPainter::DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  RECT r = R;
  FrameWithBrush(DC, r, FlatBrush(&TdxBarManager::FlatBorderBrush, COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  FrameWithBrush(DC, r, SystemColorBrush(COLOR_BTNHIGHLIGHT));
  InflateRect(&r, -1, -1);
  HBRUSH brush = BarBrush(Toolbar);
  const int frames = std::max(GetFloatingFrameWidth(), GetFloatingFrameHeight()) - 2;
  for (int n = 0; n < frames && r.right - r.left > 2 && r.bottom - r.top > 2; ++n) {
    FrameWithBrush(DC, r, brush);
    InflateRect(&r, -1, -1);
  }
}

void TdxBarFlatPainter::DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal,
                                                HBRUSH Brush, const RECT& R) const
{
  const int offset = GetBeginGroupLineOffset();
  RECT line = R;
  if (Horizontal) {
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.top, R.right, R.top + offset});
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.bottom - offset, R.right, R.bottom});
    line.top += offset;
    line.bottom = line.top + 1;
  } else {
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.top, R.left + offset, R.bottom});
    FillBarBackground(BarControl, DC, Brush, RECT{R.right - offset, R.top, R.right, R.bottom});
    line.left += offset;
    line.right = line.left + 1;
  }
  FillRect(DC, &line, SystemColorBrush(COLOR_BTNSHADOW));
}

void TdxBarFlatPainter::DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const
{
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  if (MarkState == 2) {
    FillFlatMark(Toolbar, DC, nullptr, R);
  } else if (MarkState == 1) {
    OutlineFlatSelection(DC, R);
    FillRect(DC, &inside, Or(Toolbar ? Toolbar->GetHighlightBrush() : nullptr, GetHighlightBrush()));
  } else {
    HBRUSH brush = BarBrush(Toolbar);
    FrameWithBrush(DC, R, brush);
    FillBarBackground(Toolbar, DC, brush, inside);
  }
}

// --- Edits, combos, spins and calendars ---

void TdxBarFlatPainter::DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                       TdxBarSpinEditButton Button) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  const bool pressed = ResolveSpinButtonState(DrawParams, Button) == TcxButtonState::cxbsPressed;
  DrawCheckedFrame(DrawParams->ItemControl, dc, pressed, DrawParams->DrawSelected, DrawParams->Enabled, R);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  DrawTextAtPoint(DrawParams, CalcSpinArrowOrigin(DrawParams, inside, Button), Button);
}

void TdxBarFlatPainter::DrawTextAtPoint(TdxBarItemControlDrawParams* DrawParams, POINT P,
                                        TdxBarSpinEditButton Button) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc || !DrawParams->ItemControl) return;
  int width = 0, height = 0;
  const RECT item = DrawParams->ItemControl->GetBoundsRect();
  CalcSpinArrowSize(item.bottom - item.top, width, height);
  if (width <= 0) return;
  const TColor color = !DrawParams->Enabled ? clBtnShadow
                       : DrawParams->DrawSelected && IsBtnFaceWhite() ? clBtnFace
                                                                      : clBtnText;
  const int tip = Button == sbUp ? -(width / 2) : width / 2;
  FillPolygonInColor(dc, color, {P, POINT{P.x + width - 1, P.y}, POINT{P.x + width / 2, P.y + tip}});
}

void TdxBarFlatPainter::DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  TdxBarItemControl* control = DrawParams->ItemControl;
  TCustomdxBarControl* bar = BarOf(control);
  const bool focused = IsEditFocused(DrawParams);
  if (DrawParams->DrawSelected)
    OutlineFlatSelection(dc, R);
  else if (InMenu(DrawParams) && !focused)
    FrameWithBrush(dc, R, BarBrush(bar));
  else if (DrawParams->Enabled || focused)
    FrameItemBackground(control, dc, focused && IsNonRecentEdit(DrawParams), BarBrush(bar), R);
  else
    FrameWithBrush(dc, R, SystemColorBrush(COLOR_BTNSHADOW));
  InflateRect(&R, -1, -1);
}

void TdxBarFlatPainter::DrawPlainComboButton(TdxBarItemControlDrawParams* DrawParams, RECT& R, HBRUSH Brush) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  TCustomdxBarControl* bar = BarOf(DrawParams);
  if (DrawParams->DrawSelected) {
    InflateRect(&R, 1, 1);
    OutlineFlatSelection(dc, R);
  } else {
    auto* edit = ObjectAs<TdxBarCustomEditControl>(DrawParams->ItemControl);
    HBRUSH editBrush = DrawParams->Enabled && edit ? edit->GetEditBrush() : nullptr;
    HBRUSH frame = editBrush ? editBrush : BarBrush(bar);
    FrameWithBrush(dc, R, frame);
    const RECT column{R.left - 1, R.top, R.left, R.bottom};
    FillRect(dc, &column, frame);
  }
  InflateRect(&R, -1, -1);
  FillRect(dc, &R, Brush);
}

void TdxBarFlatPainter::PaintCalendarButton(HDC DC, bool, std::string_view Caption, const RECT& R) const
{
  RECT r = R;
  FrameWithBrush(DC, r, SystemColorBrush(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  FrameWithBrush(DC, r, SystemColorBrush(COLOR_BTNFACE));
  RECT text = R;
  InflateRect(&text, -2, -2);
  DrawCenteredButtonText(DC, text, true, Caption, 0);
}

void TdxBarFlatPainter::EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const
{
  if (!Canvas) return;
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(GetFlatSeparatorColor())));
  const RECT band{R.left, R.top, R.right, R.top + 1};
  FillRect(Canvas->GetDCHandle(), &band, brush.Get());
}

// --- The flat painter's own operations ---

void TdxBarFlatPainter::FrameFlatButton(TdxBarItemControl* ItemControl, HDC DC, bool Down, bool Selected,
                                        TdxBarPaintType PaintType, HBRUSH, const RECT& R) const
{
  if (PaintType != ptMenu && !Selected && !Down)
    FrameWithBrush(DC, R, BarBrush(BarOf(ItemControl)));
  else if (Selected || PaintType != ptMenu)
    OutlineFlatSelection(DC, R);
  else
    FrameWithBrush(DC, R, SystemColorBrush(COLOR_BTNSHADOW));
}

HBRUSH TdxBarFlatPainter::GetFlatGlyphBandBrush(TdxBarItemControl*) const
{
  return FlatBrush(&TdxBarManager::FlatToolbarBrush, COLOR_BTNFACE);
}

void TdxBarFlatPainter::FillFlatMark(TdxBarControl* Toolbar, HDC DC, TCustomdxBarControl* Popup, const RECT& R) const
{
  DrawOwnerConnection(Toolbar, DC, Popup, nullptr, R);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FillRect(DC, &inside, GetOwnerBarBrush(Toolbar ? Toolbar->BarManager() : AnyManager()));
}

void TdxBarFlatPainter::DrawOwnerConnection(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* ChildControl,
                                            TdxBarItemControl* ItemControl, const RECT& R) const
{
  const int saved = SaveDC(DC);
  if (ChildControl && ChildControl->HandleAllocated() && BarControl && BarControl->HandleAllocated()) {
    // The child's window rect in the DC's coordinates: through the owner's window rect.
    RECT child{}, owner{};
    GetWindowRect(ChildControl->Handle(), &child);
    GetWindowRect(BarControl->Handle(), &owner);
    OffsetRect(&child, -owner.left, -owner.top);
    FillOwnerJoint(BarControl, DC, ItemControl, child, R);
    ExcludeClipRect(DC, child.left, child.top, child.right, child.bottom);
  }
  FrameOwnerItem(BarControl, DC, R);
  RestoreDC(DC, saved);
}

void TdxBarFlatPainter::FrameOwnerItem(TCustomdxBarControl*, HDC DC, const RECT& R) const
{
  FrameWithBrush(DC, R, FlatBrush(&TdxBarManager::FlatBorderBrush, COLOR_BTNSHADOW));
}

void TdxBarFlatPainter::FillOwnerJoint(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl*,
                                       const RECT& JointRect, const RECT&) const
{
  FillRect(DC, &JointRect, GetOwnerBarBrush(BarControl ? BarControl->BarManager() : AnyManager()));
}
