// The Office 2003 bar painter: docks and toolbars filled with the gradients of the Office 2003
// colour set (system colours, or the fixed colours of a detected Windows colour scheme), toolbars
// drawn as rounded boxes with a shadow line and grip dots, hot, pressed and checked items in
// gradient pairs framed in the scheme's border colour.
#include "toolkit/bars/dxBarPainter.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarToolbar.h"

using namespace dxBarPainterShapes;

namespace {
// The colours of the set by their role in the bars (numbers of dxOffice11Color).
enum TRole : int {
  DockColor1 = 1, DockColor2 = 2, ToolbarColor1 = 3, ToolbarColor2 = 4, MarkBegin0 = 5, MarkBegin1 = 6,
  MarkBegin2 = 7, MarkEnd0 = 8, MarkEnd1 = 9, MarkEnd2 = 10, ToolbarShadow = 11, ToolbarEdge = 12,
  MarkCorner0 = 13, SeparatorDark = 21, SeparatorLight = 22, MarkGlyph = 23, MarkGlyphShadow = 24,
  FloatingFrame = 25, FloatingInnerFrame = 26, FloatingCaption = 27, CaptionBack = 28, CaptionText = 29,
  MarkGlyphHot = 30, MarkGlyphPressed = 31, OwnerJoint1 = 33, OwnerJoint2 = 34, HotColor = 41,
  HotGradient1 = 43, HotGradient2 = 44, PressedGradient1 = 45, PressedGradient2 = 46, PopupPressed = 47,
  CheckedColor = 48, DisabledText = 53, CalendarHeader = 55,
};
// The brushes of the set (numbers of dxOffice11Brush) and the colour each is made of.
enum TBrushRole : int { SeparatorBrush = 3, MenuBrush = 5, HotBrush = 7, ToolbarColor2Brush = 8, CheckedBrush = 9,
                        PressedBrush = 10, BorderBrush = 11, InPlaceSubItemBrush = 16 };
int BrushColorNumber(int brush)
{
  switch (brush) {
    case SeparatorBrush: return 21;
    case MenuBrush: return 32;
    case HotBrush: return 41;
    case ToolbarColor2Brush: return 47;
    case CheckedBrush: return 48;
    case PressedBrush: return 49;
    case BorderBrush: return 39;
    default: return 56;
  }
}
TColor C(int role) { return dxOffice11Color(role); }
// The set's brush while it has users, else a system colour brush of the same role.
HBRUSH B(int brush)
{
  if (HBRUSH b = dxOffice11Brush(brush)) return b;
  switch (brush) {
    case MenuBrush: return SystemColorBrush(COLOR_WINDOW);
    case BorderBrush: return SystemColorBrush(COLOR_BTNSHADOW);
    case HotBrush:
    case PressedBrush: return SystemColorBrush(COLOR_HIGHLIGHT);
    default: return SystemColorBrush(COLOR_BTNFACE);
  }
}
void FillWith(HDC dc, const RECT& r, int brush)
{
  if (HBRUSH b = dxOffice11Brush(brush))
    FillRect(dc, &r, b);
  else
    FillRectSolidColor(dc, r, C(BrushColorNumber(brush)));
}
void FrameWith(HDC dc, const RECT& r, int brush)
{
  if (HBRUSH b = dxOffice11Brush(brush))
    FrameWithBrush(dc, r, b);
  else
    FrameRectSolidColor(dc, r, C(BrushColorNumber(brush)));
}
void Pixel(HDC dc, int x, int y, TColor color) { FillRectSolidColor(dc, RECT{x, y, x + 1, y + 1}, color); }

bool InMenu(TdxBarItemControl* control)
{
  return control && control->DrawParams() && static_cast<TdxBarPaintType>(control->DrawParams()->PaintType) == ptMenu;
}
bool InMenu(TdxBarItemControlDrawParams* p) { return p && static_cast<TdxBarPaintType>(p->PaintType) == ptMenu; }
HDC DCOf(TdxBarItemControlDrawParams* p) { return p && p->Canvas ? p->Canvas->GetDCHandle() : nullptr; }
TCustomdxBarControl* BarOf(TdxBarItemControl* control) { return control ? control->BarControl() : nullptr; }

// The gradient pair of a hot, pressed or checked item, from its first colour to its second.
void GradientPair(bool pressed, bool hot, TColor& first, TColor& second)
{
  if (!pressed) {
    first = C(HotGradient1);
    second = C(HotGradient2);
  } else if (hot) {
    first = C(PressedGradient2);
    second = C(PressedGradient1);
  } else if (C(PressedGradient1) == C(PressedGradient2)) {
    first = second = C(CheckedColor);  // no scheme: the checked colour
  } else {
    first = C(PressedGradient1);
    second = C(PressedGradient2);
  }
}

bool IsBorderedToolbar(TdxBarControl* toolbar)
{
  return toolbar && !toolbar->IsMainMenu() && toolbar->GetBar() && toolbar->GetBar()->BorderStyle() == TdxBarBorderStyle::bbsSingle;
}

// The dock's gradient colour at a point of the toolbar's rect (dock colour 1 without a dock).
TColor DockColorAt(TdxBarControl* toolbar, int x)
{
  TdxDockControl* dock = toolbar ? toolbar->DockControl() : nullptr;
  if (!dock || !toolbar->HandleAllocated() || !dock->HandleAllocated()) return C(DockColor1);
  POINT p{x, 0};
  MapWindowPoints(toolbar->Handle(), dock->Handle(), &p, 1);
  const RECT client = dock->ClientRect();
  return GradientColorAt(client, p.x, C(DockColor1), C(DockColor2), true);
}
}  // namespace

// --- Answers ---

void TdxBarOffice11Painter::PaintDropDownArrow(HDC DC, const RECT& R, TColor, bool, bool Selected, bool Enabled,
                                               TcxArrowDirection Direction) const
{
  DrawSchemeItemArrow(DC, R, Direction != TcxArrowDirection::adRight, Enabled, Selected);
}

void TdxBarOffice11Painter::PaintLargeDropDownArrow(HDC DC, const RECT& R, TColor, bool, bool Selected, bool Enabled,
                                                    int Size, TcxArrowDirection Direction) const
{
  DrawSchemeArrowTriangle(DC, R, Direction != TcxArrowDirection::adRight, Enabled, Selected, Size);
}

void TdxBarOffice11Painter::OutlineFlatSelection(HDC DC, const RECT& R) const { FrameRectWithSchemeBorder(DC, R); }

void TdxBarOffice11Painter::QueryDisabledTextColors(TdxBarItemControl*, bool, bool, TColor& TextColor,
                                                    TColor& ShadowColor) const
{
  TextColor = ShadowColor = C(DisabledText);
}

bool TdxBarOffice11Painter::AreDisabledImagesFaded(TCustomdxBarControl*) const { return true; }
bool TdxBarOffice11Painter::UsesMenuBandBackground() const { return true; }
bool TdxBarOffice11Painter::DrawsNativeBackground() const { return true; }
bool TdxBarOffice11Painter::ShowsSubMenuGlyphBand() const { return true; }
TColor TdxBarOffice11Painter::GetFloatingCaptionBackColor(TdxBarControl*, bool) const { return C(CaptionBack); }
TColor TdxBarOffice11Painter::GetFloatingCaptionTextColor(TdxBarControl*) const { return C(CaptionText); }

TColor TdxBarOffice11Painter::GetMarkGlyphColor(TdxBarControl*, int MarkState) const
{
  return MarkState == 1 ? C(MarkGlyphHot) : MarkState == 2 ? C(MarkGlyphPressed) : C(CaptionText);
}

TcxCustomLookAndFeelPainter* TdxBarOffice11Painter::GetPairedLookAndFeelPainter() const
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(TcxPainterStyle::cpsOffice11) : nullptr;
}

bool TdxBarOffice11Painter::DrawsGlyphShadow() const { return false; }
bool TdxBarOffice11Painter::UsesPressedGlyphMode() const { return false; }
bool TdxBarOffice11Painter::HasDropDownSeparator() const { return !IsOffice2003SchemeActive(); }
HBRUSH TdxBarOffice11Painter::GetFlatBorderBrush(TdxBarItemControl*, TdxBarStaticBorderStyle) const { return B(BorderBrush); }
int TdxBarOffice11Painter::GetGripMargin() const { return TdxBarFlatPainter::GetGripMargin() + GetOffice11GripIndent(); }
int TdxBarOffice11Painter::GetFloatingFrameWidth() const { return 3; }
int TdxBarOffice11Painter::GetFloatingFrameHeight() const { return 3; }
int TdxBarOffice11Painter::GetNoGripIndent() const { return 2; }
HBRUSH TdxBarOffice11Painter::GetOwnerBarBrush(TdxBarManager*) const { return B(ToolbarColor2Brush); }
void TdxBarOffice11Painter::FrameOwnerItem(TCustomdxBarControl*, HDC DC, const RECT& R) const { FrameWith(DC, R, BorderBrush); }
HBRUSH TdxBarOffice11Painter::GetToolbarBrush() const { return B(MenuBrush); }
HBRUSH TdxBarOffice11Painter::GetMenuBackgroundBrush() const { return B(MenuBrush); }
HBRUSH TdxBarOffice11Painter::GetQuickControlBrush(TCustomdxBarControl*) const { return B(MenuBrush); }
HBRUSH TdxBarOffice11Painter::GetSelectedItemBrush() const { return B(CheckedBrush); }
HBRUSH TdxBarOffice11Painter::GetMenuBrush() const { return B(PressedBrush); }
HBRUSH TdxBarOffice11Painter::GetHighlightBrush() const { return B(HotBrush); }
int TdxBarOffice11Painter::CalcDropDownButtonWidth(TcxCanvas*, int) const { return 13; }
TColor TdxBarOffice11Painter::GetFlatSeparatorColor() const { return C(SeparatorDark); }
void TdxBarOffice11Painter::GetDetachCaptionContent(TdxBarSubMenuControl*, RECT& R) const { InflateRect(&R, -2, -4); }

void TdxBarOffice11Painter::DrawDropDownListFrame(HDC DC, TColor, const RECT& R) const
{
  FrameWith(DC, R, BorderBrush);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FrameWith(DC, inside, MenuBrush);
}

TColor TdxBarOffice11Painter::GetInactiveEditColor(TdxBarItemControl*) const { return clBtnFace; }
TColor TdxBarOffice11Painter::GetInactiveEditTextColor() const { return C(DisabledText); }
TColor TdxBarOffice11Painter::GetCalendarHeaderColor() const { return C(CalendarHeader); }
HBRUSH TdxBarOffice11Painter::GetInPlaceSubItemFill() const { return B(InPlaceSubItemBrush); }

HBRUSH TdxBarOffice11Painter::GetFlatGlyphBandBrush(TdxBarItemControl* ItemControl) const
{
  return BarBrush(BarOf(ItemControl));
}

// --- Items ---

void TdxBarOffice11Painter::FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                           const RECT& GlyphRect) const
{
  const bool down = States.Contains(TdxBarPaintingState::psChecked);
  const bool pressed = States.Contains(TdxBarPaintingState::psPressed);
  const bool selected = States.Contains(TdxBarPaintingState::psHot);
  const bool menu = InMenu(ItemControl);
  if (ItemControl && ItemControl->StyleBrush()) {
    FillRect(DC, &GlyphRect, ItemControl->StyleBrush());
    return;
  }
  if (!menu && (down || selected || pressed)) {
    TColor first, second;
    GradientPair(down || pressed, selected, first, second);
    const bool vertical = ItemControl && BarOf(ItemControl) &&
                          static_cast<TdxBarPaintType>(ItemControl->DrawParams()->PaintType) == ptVert;
    FillRectGradient(DC, GlyphRect, first, second, vertical);
  } else {
    FillItemBackground(ItemControl, DC, down || selected || pressed, GetGlyphBackgroundBrush(ItemControl, States),
                       GlyphRect);
  }
  if (selected && !menu)
    OutlineFlatSelection(DC, GlyphRect);
  else if (down)
    FrameRectSolidColor(DC, GlyphRect, clHighlight);
}

void TdxBarOffice11Painter::DrawCheckedFrame(TdxBarItemControl* ItemControl, HDC DC, bool Pressed, bool Hot,
                                             bool Enabled, const RECT& R) const
{
  TCustomdxBarControl* bar = BarOf(ItemControl);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  if (Hot) {
    OutlineFlatSelection(DC, R);
    HBRUSH fill = Pressed ? (bar ? bar->GetMenuBrush() : nullptr) : (bar ? bar->GetHighlightBrush() : nullptr);
    FillRect(DC, &inside, fill ? fill : (Pressed ? GetMenuBrush() : GetHighlightBrush()));
  } else if (Enabled) {
    FrameWithBrush(DC, R, BarBrush(bar));
    FillWith(DC, inside, ToolbarColor2Brush);
  } else {
    FrameRectSolidColor(DC, R, C(DisabledText));
    FillRect(DC, &inside, SystemColorBrush(COLOR_BTNFACE));
  }
}

void TdxBarOffice11Painter::FrameFlatButton(TdxBarItemControl* ItemControl, HDC DC, bool Down, bool Selected,
                                            TdxBarPaintType PaintType, HBRUSH Brush, const RECT& R) const
{
  if (PaintType != ptMenu && !Selected && !Down)
    FrameItemBackground(ItemControl, DC, false, Brush, R);
  else if (Selected || PaintType != ptMenu)
    OutlineFlatSelection(DC, R);
  else
    FrameWith(DC, R, SeparatorBrush);
}

// --- Docks and toolbars ---

void TdxBarOffice11Painter::FillDockBackground(TdxDockControl* Dock, HDC DC, HBRUSH, TColor, const RECT& Origin,
                                               const RECT& R, const RECT& ClipRect) const
{
  RECT target{};
  if (!IntersectRect(&target, &R, &ClipRect)) return;
  auto paint = [&](HDC dc, const RECT& area) {
    const TdxBarDockingStyle style = Dock ? Dock->DockingStyle() : dsTop;
    if (style == dsRight)
      FillRectSolidColor(dc, area, C(DockColor1));
    else if (style == dsBottom)
      FillRectSolidColor(dc, area, C(DockColor2));
    else
      FillRectGradient(dc, area, C(DockColor1), C(DockColor2), true);
  };
  TBitmap* cache = Dock ? Dock->BackgroundCache() : nullptr;
  if (!cache) {
    paint(DC, Origin);
    return;
  }
  const int width = Origin.right - Origin.left, height = Origin.bottom - Origin.top;
  if (cache->Width() != width || cache->Height() != height) {
    cache->SetSize(width, height);
    paint(cache->Canvas()->Handle(), RECT{0, 0, width, height});
  }
  BitBlt(DC, target.left, target.top, target.right - target.left, target.bottom - target.top, cache->Canvas()->Handle(),
         target.left - Origin.left, target.top - Origin.top, SRCCOPY);
}

void TdxBarOffice11Painter::FillDockedBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color,
                                                    const RECT& R, const RECT& ClipRect) const
{
  if (!IsBorderedToolbar(Toolbar) || (Toolbar->GetBar() && !Toolbar->GetBar()->BackgroundBitmap()->Empty())) {
    TdxBarFlatPainter::FillDockedBarBackground(Toolbar, DC, Brush, Color, R, ClipRect);
    return;
  }
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  RECT box = R;
  const RECT client = Toolbar->ClientRect();
  if (horizontal) {
    box.top = client.top + 1;
    box.bottom = client.bottom - 1;
  } else {
    box.left = client.left + 1;
    box.right = client.right - 1;
  }
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, ClipRect.left, ClipRect.top, ClipRect.right, ClipRect.bottom);
  FillRectTwoPhaseGradient(DC, box, C(ToolbarColor1), C(ToolbarColor2), !horizontal);
  RestoreDC(DC, saved);
}

void TdxBarOffice11Painter::DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  if (IsBorderedToolbar(Toolbar)) {
    // The box leaves a strip of the grip indent at the bar's start and one row along its outer side
    // to the dock.
    RECT box = R;
    if (horizontal) {
      box.left += GetOffice11GripIndent();
      box.bottom -= 1;
    } else {
      box.top += GetOffice11GripIndent();
      box.right -= 1;
    }
    const TColor dockStart = DockColorAt(Toolbar, R.left), dockEnd = DockColorAt(Toolbar, R.right - 1);
    if (horizontal) {
      FillRectSolidColor(DC, RECT{R.left, R.top, box.left, R.bottom}, dockStart);
      FillRectGradient(DC, RECT{R.left, box.bottom, R.right, R.bottom}, dockStart, dockEnd, true);
      FillRectSolidColor(DC, RECT{box.left + 1, box.bottom - 1, box.right - 1, box.bottom}, C(ToolbarShadow));
    } else {
      FillRectSolidColor(DC, RECT{R.left, R.top, R.right, box.top}, dockStart);
      FillRectSolidColor(DC, RECT{box.right, R.top, R.right, R.bottom}, dockStart);
      FillRectSolidColor(DC, RECT{box.right - 1, box.top + 1, box.right, box.bottom - 1}, C(ToolbarShadow));
    }
    // Rounded corners: the corner pixels show the dock, the pixels beside them are half the edge
    // (top and start) or shadow (end) colour and half the dock's colour there.
    const TColor dockLeft = DockColorAt(Toolbar, box.left), dockRight = DockColorAt(Toolbar, box.right - 1);
    const int l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
    Pixel(DC, l, t, dockLeft);
    Pixel(DC, r, t, dockRight);
    Pixel(DC, l, b, dockLeft);
    Pixel(DC, r, b, dockRight);
    const TColor edge = C(ToolbarEdge), shadow = C(ToolbarShadow);
    Pixel(DC, l + 1, t, BlendColors(edge, dockLeft, 50));
    Pixel(DC, l, t + 1, BlendColors(edge, dockLeft, 50));
    Pixel(DC, r - 1, t, BlendColors(horizontal ? edge : shadow, dockRight, 50));
    Pixel(DC, r, t + 1, BlendColors(horizontal ? edge : shadow, dockRight, 50));
    Pixel(DC, l + 1, b, BlendColors(horizontal ? shadow : edge, dockLeft, 50));
    Pixel(DC, l, b - 1, BlendColors(horizontal ? shadow : edge, dockLeft, 50));
    Pixel(DC, r - 1, b, BlendColors(shadow, dockRight, 50));
    Pixel(DC, r, b - 1, BlendColors(shadow, dockRight, 50));
  } else if (Toolbar && Toolbar->IsMainMenu()) {
    // The main menu: two-pixel strips across the bar's ends show the dock.
    const TColor dock = DockColorAt(Toolbar, R.left);
    if (horizontal) {
      FillRectSolidColor(DC, RECT{R.left, R.top, R.right, R.top + 2}, dock);
      FillRectSolidColor(DC, RECT{R.left, R.bottom - 2, R.right, R.bottom}, dock);
    } else {
      FillRectSolidColor(DC, RECT{R.left, R.top, R.left + 2, R.bottom}, dock);
      FillRectSolidColor(DC, RECT{R.right - 2, R.top, R.right, R.bottom}, dock);
    }
  }
  if (!ToolbarHasGrip(Toolbar)) return;
  RECT grip = R;
  InflateRect(&grip, -2, -2);
  if (horizontal) {
    grip.left += GetGripMargin();
    grip.right = grip.left + GetGripSize();
    InflateRect(&grip, 0, -3);
  } else {
    grip.top += GetGripMargin();
    grip.bottom = grip.top + GetGripSize();
    InflateRect(&grip, -3, 0);
  }
  // The dots run along the grip: a column on a horizontal toolbar, a row on a vertical one.
  DrawOffice11GripDots(Toolbar, DC, !horizontal, grip);
}

void TdxBarOffice11Painter::DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  RECT r = R;
  FrameRectSolidColor(DC, r, C(FloatingFrame));
  InflateRect(&r, -1, -1);
  FrameRectSolidColor(DC, r, C(FloatingFrame));
  InflateRect(&r, -1, -1);
  FrameRectSolidColor(DC, r, C(FloatingInnerFrame));
  for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1}, POINT{r.right - 1, r.bottom - 1}})
    Pixel(DC, p.x, p.y, C(FloatingFrame));
  (void)Toolbar;
}

void TdxBarOffice11Painter::DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal,
                                                    HBRUSH Brush, const RECT& R) const
{
  FillBarBackground(BarControl, DC, Brush, R);
  const int offset = GetBeginGroupLineOffset();
  if (Horizontal) {
    const int y = R.top + offset;
    FillRectSolidColor(DC, RECT{R.left + 3, y, R.right - 4, y + 1}, C(SeparatorDark));
    FillRectSolidColor(DC, RECT{R.left + 4, y + 1, R.right - 3, y + 2}, C(SeparatorLight));
  } else {
    const int x = R.left + offset;
    FillRectSolidColor(DC, RECT{x, R.top + 3, x + 1, R.bottom - 4}, C(SeparatorDark));
    FillRectSolidColor(DC, RECT{x + 1, R.top + 4, x + 2, R.bottom - 3}, C(SeparatorLight));
  }
}

void TdxBarOffice11Painter::DrawSelectedItemFrame(TCustomdxBarControl*, HDC DC, int State, const RECT& R) const
{
  if (State == 0) {
    FillRectSolidColor(DC, R, C(CaptionBack));
    return;
  }
  OutlineFlatSelection(DC, R);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  FillRectSolidColor(DC, inside, State == 1 ? C(HotGradient1) : C(HotGradient2));
}

void TdxBarOffice11Painter::DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const
{
  const int state = std::clamp(MarkState, 0, 2);
  const TColor begin = C(MarkBegin0 + state), end = C(MarkEnd0 + state);
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  RECT gradient = R;
  if (IsBorderedToolbar(Toolbar)) {
    RECT before = R;
    if (horizontal) {
      gradient.left += 2;
      gradient.bottom += 2;
      before.right = gradient.left;
    } else {
      gradient.top += 2;
      gradient.right += 2;
      before.bottom = gradient.top;
    }
    FillBarBackground(Toolbar, DC, BarBrush(Toolbar), before);
    FillRectTwoPhaseGradient(DC, gradient, begin, end, !horizontal);
    Pixel(DC, gradient.left, gradient.top, BlendColors(C(MarkCorner0 + state), C(ToolbarColor1), 50));
    return;
  }
  FillRectTwoPhaseGradient(DC, gradient, begin, end, !horizontal);
}

// --- Edits ---

void TdxBarOffice11Painter::DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(DrawParams);
  const bool focused = e && e->IsEditing;
  if (DrawParams->DrawSelected)
    OutlineFlatSelection(dc, R);
  else if (!DrawParams->Enabled && !focused)
    FrameRectSolidColor(dc, R, C(DisabledText));
  else if (!InMenu(DrawParams) || focused)
    FrameItemBackground(DrawParams->ItemControl, dc, false, BarBrush(BarOf(DrawParams->ItemControl)), R);
  else
    FrameWith(dc, R, ToolbarColor2Brush);
  InflateRect(&R, -1, -1);
}
