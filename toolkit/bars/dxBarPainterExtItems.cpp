// The base bar painter's extended items: the colour combo's custom-colour button and its dots, the
// spin edit's buttons and arrows, the progress track and its segments, the in-place sub-item's
// background, static backgrounds, and the date navigator's buttons.
#include "toolkit/bars/dxBarPainter.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarPainterShapes.h"

using namespace dxBarPainterShapes;

namespace {
TdxBarPaintType PaintTypeOf(TdxBarItemControlDrawParams* p) { return static_cast<TdxBarPaintType>(p->PaintType); }
HDC DCOf(TdxBarItemControlDrawParams* p) { return p && p->Canvas ? p->Canvas->GetDCHandle() : nullptr; }
HBRUSH BackgroundBrush(TdxBarItemControlDrawParams* p)
{
  return p && p->ItemControl && p->ItemControl->BarControl() ? p->ItemControl->BarControl()->GetBackgroundBrush()
                                                             : SystemColorBrush(COLOR_BTNFACE);
}
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
RECT ItemRect(TdxBarItemControlDrawParams* p) { return p && p->ItemControl ? p->ItemControl->GetBoundsRect() : RECT{}; }

// The extended items' own values, neutral where the parameters do not offer them.
bool ShowsCustomColorButton(TdxBarItemControlDrawParams* p)
{
  auto* v = Supports<IdxBarColorComboDrawValues>(p);
  return v && v->ShowsCustomColorButton();
}
bool IsCustomColorButtonPressed(TdxBarItemControlDrawParams* p)
{
  auto* v = Supports<IdxBarColorComboDrawValues>(p);
  return v && v->IsCustomColorButtonPressed();
}
int SpinPressedPart(TdxBarItemControlDrawParams* p)
{
  auto* v = Supports<IdxBarSpinEditDrawValues>(p);
  return v ? v->SpinPressedPart() : -1;
}
int SpinPart(TdxBarSpinEditButton button) { return button == sbUp ? 3 : button == sbDown ? 4 : -1; }

// A filled triangle in one colour.
void Triangle(HDC dc, TColor color, POINT a, POINT b, POINT c) { FillPolygonInColor(dc, color, {a, b, c}); }
}  // namespace

// --- Colour combo ---

RECT TdxBarPainter::CalcCustomColorButtonRect(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  const TdxBarPaintType paintType = DrawParams ? PaintTypeOf(DrawParams) : ptHorz;
  const RECT m = GetColorButtonMargins(paintType);
  RECT button = R;
  button.left = R.right - CalcCustomColorButtonSize(paintType, R) - m.left - m.right;
  const RECT item = ItemRect(DrawParams);
  if (2 * Width(button) >= Width(item) || !ShowsCustomColorButton(DrawParams)) {
    button.left = button.right;
    return button;
  }
  return RECT{button.left + m.left, button.top + m.top, button.right - m.right, button.bottom - m.bottom};
}

bool TdxBarPainter::HasCustomColorButton(TdxBarItemControlDrawParams* DrawParams) const
{
  if (!DrawParams || !DrawParams->ItemControl) return false;
  const std::vector<RECT>& parts = DrawParams->ItemControl->PartRects();
  return parts.size() > 4 && Width(parts[4]) > 0;
}

void TdxBarPainter::CalcColorComboParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts,
                                        const RECT& R, int Width_) const
{
  if (!DrawParams || Parts.size() < 5) return;
  CalcComboParts(DrawParams, Parts, R, Width_);
  const TdxBarPaintType paintType = PaintTypeOf(DrawParams);
  const RECT custom = CalcCustomColorButtonRect(DrawParams, R);
  Parts[4] = custom;
  const bool hasButton = Width(custom) > 0;
  int right = custom.left;
  if (hasButton) right -= GetColorButtonMargins(paintType).left;
  if (!DrawsColorBoxFrame() || !hasButton) right -= GetComboContentMargins(paintType).right;
  RECT& dropDown = Parts[3];
  const int dropDownWidth = Width(dropDown);
  dropDown.right = right;
  dropDown.left = right - dropDownWidth;
  Parts[0].right = dropDown.left - GetComboButtonBorder();
}

void TdxBarPainter::GetColorBoxIndent(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  if (!DrawsColorBoxFrame() || !HasCustomColorButton(DrawParams)) return;
  R.right = DrawParams->ItemControl->PartRects()[4].right + GetColorButtonMargins(PaintTypeOf(DrawParams)).right;
}

void TdxBarPainter::DrawColorSample(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  // One pixel at the sides and two at the top and bottom show the bar.
  FrameItemBackground(DrawParams->ItemControl, dc, false, BackgroundBrush(DrawParams), R);
  const RECT inner{R.left, R.top + 1, R.right, R.bottom - 1};
  FrameItemBackground(DrawParams->ItemControl, dc, false, BackgroundBrush(DrawParams), inner);
}

void TdxBarPainter::DrawCustomColorButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  DrawCheckedFrame(DrawParams->ItemControl, dc, IsCustomColorButtonPressed(DrawParams), DrawParams->DrawSelected,
                   DrawParams->Enabled, R);
  RECT inside = R;
  InflateRect(&inside, -1, -1);
  DrawEllipsisDots(DrawParams, inside);
}

void TdxBarPainter::DrawEllipsisDots(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (!DrawParams) return;
  const int d = Width(R) / 7;
  if (d <= 0) return;
  RECT dot{R.left, R.bottom - d, R.left + d, R.bottom};
  OffsetRect(&dot, (Width(R) - 5 * d) / 2, -GetSpaceAfterDot(d));
  ShiftPressedContentRect(IsCustomColorButtonPressed(DrawParams), dot);
  for (int i = 0; i < 3; ++i) {
    PaintEllipsisDot(DrawParams, dot);
    OffsetRect(&dot, 2 * d, 0);
  }
}

void TdxBarPainter::PaintEllipsisDot(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  if (DrawParams->Enabled)
    FillRect(dc, &R, SystemColorBrush(IsBtnFaceWhite() && DrawParams->DrawSelected ? COLOR_BTNFACE : COLOR_BTNTEXT));
  else
    PaintDisabledShadow(DrawParams->ItemControl, dc, R);
}

// --- Spin edit ---

void TdxBarPainter::CalcSpinArrowSize(int Height_, int& Width_, int& ArrowHeight) const
{
  const int half = Height_ / 2;
  ArrowHeight = std::max((half - 2) / 2, 0);
  Width_ = std::max(2 * ArrowHeight - 1, 0);
}

int TdxBarPainter::CalcSpinButtonsWidth(TdxBarPaintType PaintType, const RECT& R) const
{
  int width = 0, height = 0;
  CalcSpinArrowSize(Height(R), width, height);
  const RECT m = GetSpinButtonsMargins(PaintType);
  return 2 * (height + 2) + width - m.left - m.right;
}

RECT TdxBarPainter::CalcSpinButtonRect(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                       TdxBarSpinEditButton Button) const
{
  const TdxBarPaintType paintType = DrawParams ? PaintTypeOf(DrawParams) : ptHorz;
  const RECT m = GetSpinButtonsMargins(paintType);
  RECT r = R;
  r.left = R.right - CalcSpinButtonsWidth(paintType, R) - m.left - m.right;
  if (2 * Width(r) >= Width(ItemRect(DrawParams))) {
    r.left = r.right;
    return r;
  }
  r = RECT{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
  const int middle = (r.top + r.bottom) / 2;
  if (Button == sbUp)
    r.bottom = middle;
  else
    r.top = middle;
  return r;
}

void TdxBarPainter::CalcSpinEditParts(TdxBarItemControlDrawParams* DrawParams, std::vector<RECT>& Parts,
                                      const RECT& R) const
{
  if (!DrawParams || Parts.size() < 5) return;
  Parts[3] = CalcSpinButtonRect(DrawParams, R, sbUp);
  Parts[4] = CalcSpinButtonRect(DrawParams, R, sbDown);
  const TdxBarPaintType paintType = PaintTypeOf(DrawParams);
  Parts[0].right = Parts[3].left - GetEditContentMargins(paintType).right - GetSpinButtonsMargins(paintType).left;
}

void TdxBarPainter::CalcSpinEditTextRect(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  if (!DrawParams || !DrawParams->ItemControl) return;
  const std::vector<RECT>& parts = DrawParams->ItemControl->PartRects();
  if (parts.size() > 3) R.right = parts[3].left - GetSpinButtonsMargins(PaintTypeOf(DrawParams)).left;
}

TcxButtonState TdxBarPainter::ResolveSpinButtonState(TdxBarItemControlDrawParams* DrawParams,
                                                     TdxBarSpinEditButton Button) const
{
  if (!DrawParams->Enabled) return TcxButtonState::cxbsDisabled;
  if (SpinPressedPart(DrawParams) == SpinPart(Button)) return TcxButtonState::cxbsPressed;
  if (DrawParams->HotPartIndex == SpinPart(Button)) return TcxButtonState::cxbsHot;
  return TcxButtonState::cxbsNormal;
}

POINT TdxBarPainter::CalcSpinArrowOrigin(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                         TdxBarSpinEditButton Button) const
{
  int width = 0, height = 0;
  CalcSpinArrowSize(Height(ItemRect(DrawParams)), width, height);
  POINT p{R.left + height, (R.top + R.bottom - height) / 2};
  if (Button == sbUp) p.y += height - 1;
  return p;
}

void TdxBarPainter::DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                   TdxBarSpinEditButton Button) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  const bool pressed = SpinPressedPart(DrawParams) == SpinPart(Button);
  DrawCheckedFrame(DrawParams->ItemControl, dc, pressed, DrawParams->DrawSelected, DrawParams->Enabled, R);
  RECT inside = R;
  if (GetButtonBorderWidth() > 0 || IsClassicLook()) InflateRect(&inside, -1, -1);
  POINT p = CalcSpinArrowOrigin(DrawParams, inside, Button);
  if (pressed) {
    ++p.x;
    ++p.y;
  }
  DrawTextAtPoint(DrawParams, p, Button);
}

void TdxBarPainter::DrawTextAtPoint(TdxBarItemControlDrawParams* DrawParams, POINT P, TdxBarSpinEditButton Button) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  int width = 0, height = 0;
  CalcSpinArrowSize(Height(ItemRect(DrawParams)), width, height);
  if (width <= 0) return;
  const int tip = Button == sbUp ? -(width / 2) : width / 2;
  auto draw = [&](POINT at, TColor color) {
    Triangle(dc, color, at, POINT{at.x + width - 1, at.y}, POINT{at.x + width / 2, at.y + tip});
  };
  if (DrawParams->Enabled) {
    draw(P, clBtnText);
  } else {
    draw(POINT{P.x + 1, P.y + 1}, clBtnHighlight);
    draw(P, clBtnShadow);
  }
}

void TdxBarPainter::FillSpinEditBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (HDC dc = DCOf(DrawParams)) FillItemBackground(DrawParams->ItemControl, dc, false, BackgroundBrush(DrawParams), R);
}

// --- Progress bar ---

void TdxBarPainter::FillProgressBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (HDC dc = DCOf(DrawParams)) FillItemBackground(DrawParams->ItemControl, dc, false, BackgroundBrush(DrawParams), R);
}

void TdxBarPainter::DrawProgressTrack(TdxBarItemControlDrawParams* DrawParams, const RECT& R, TColor Color) const
{
  if (!DCOf(DrawParams)) return;
  FillProgressBackground(DrawParams, R);
  auto* values = Supports<IdxBarProgressDrawValues>(DrawParams);
  if (!values || values->ProgressMax() <= values->ProgressMin()) return;
  const bool vertical = PaintTypeOf(DrawParams) == ptVert;
  const int length = vertical ? Height(R) : Width(R);
  const int position = std::clamp(values->ProgressPosition(), values->ProgressMin(), values->ProgressMax());
  const int filled = MulDiv(length, position - values->ProgressMin(), values->ProgressMax() - values->ProgressMin());
  if (filled <= 0) return;
  RECT part = R;
  if (vertical)
    part.bottom = part.top + filled;
  else
    part.right = part.left + filled;
  TBrushHandle brush(CreateSolidBrush(GdiColor(Color)));
  if (values->ProgressSmooth())
    FillProgressSegment(DrawParams, part, brush.Get());
  else
    PaintProgressSegments(DrawParams, part, brush.Get());
}

void TdxBarPainter::PaintProgressSegments(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const
{
  const bool vertical = DrawParams && PaintTypeOf(DrawParams) == ptVert;
  const int thickness = vertical ? Width(R) : Height(R);
  const int step = std::max(MulDiv(thickness, 2, 3), 1);
  const int start = vertical ? R.top : R.left, end = vertical ? R.bottom : R.right;
  for (int at = start; at < end; at += step + 2) {
    const int stop = std::min(at + step, end);
    const RECT segment = vertical ? RECT{R.left, at, R.right, stop} : RECT{at, R.top, stop, R.bottom};
    FillProgressSegmentArea(DrawParams, segment, Brush);
  }
}

void TdxBarPainter::FillProgressSegment(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH Brush) const
{
  if (HDC dc = DCOf(DrawParams)) FillRect(dc, &R, Brush);
}

// --- In-place sub-items and statics ---

int TdxBarPainter::GetInPlaceSubItemIndent(TdxBarItemControlDrawParams* DrawParams) const
{
  return DrawParams && DrawParams->ItemControl && DrawParams->ItemControl->BarControl()
             ? DrawParams->ItemControl->BarControl()->TextHeight()
             : 0;
}

bool TdxBarPainter::IsInPlaceSubItemHot(TdxBarItemControlDrawParams* DrawParams) const
{
  return DrawParams && DrawParams->DrawSelected;
}

void TdxBarPainter::DrawInPlaceSubItemBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  const RECT bottom{R.left, R.bottom - 1, R.right, R.bottom};
  FillRect(dc, &bottom, BackgroundBrush(DrawParams));
  const RECT rest{R.left, R.top, R.right, R.bottom - 1};
  const bool hot = IsInPlaceSubItemHot(DrawParams);
  TCustomdxBarControl* bar = DrawParams->ItemControl ? DrawParams->ItemControl->BarControl() : nullptr;
  FillItemBackground(DrawParams->ItemControl, dc, true,
                     hot && bar ? bar->GetHighlightBrush() : GetInPlaceSubItemFill(), rest);
  if (hot) OutlineFlatSelection(dc, rest);
}

bool TdxBarPainter::IsStaticDrawnSelected(TdxBarItemControlDrawParams* DrawParams) const
{
  return DrawParams && DrawParams->ItemControl && DrawParams->ItemControl->StyleBrush();
}

void TdxBarPainter::DrawStaticBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (HDC dc = DCOf(DrawParams))
    FillItemBackground(DrawParams->ItemControl, dc, IsStaticDrawnSelected(DrawParams), ItemBrush(DrawParams->ItemControl), R);
}

// --- Date navigator buttons ---

void TdxBarPainter::PaintCalendarButton(HDC DC, bool Pushed, std::string_view Caption, const RECT& R) const
{
  RECT r = R;
  if (Pushed) {
    DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    auto line = [&](int index, RECT band) { FillRect(DC, &band, SystemColorBrush(index)); };
    line(COLOR_BTNTEXT, {r.left, r.bottom - 1, r.right, r.bottom});
    line(COLOR_BTNTEXT, {r.right - 1, r.top, r.right, r.bottom});
    line(COLOR_BTNFACE, {r.left, r.top, r.right - 1, r.top + 1});
    line(COLOR_BTNFACE, {r.left, r.top, r.left + 1, r.bottom - 1});
    line(COLOR_BTNSHADOW, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1});
    line(COLOR_BTNSHADOW, {r.right - 2, r.top + 1, r.right - 1, r.bottom - 1});
    line(COLOR_BTNHIGHLIGHT, {r.left + 1, r.top + 1, r.right - 2, r.top + 2});
    line(COLOR_BTNHIGHLIGHT, {r.left + 1, r.top + 1, r.left + 2, r.bottom - 2});
    line(COLOR_BTNFACE, {r.right - 2, r.top + 1, r.right - 1, r.top + 2});
  }
  InflateRect(&r, -2, -2);
  DrawCenteredButtonText(DC, r, true, Caption, Pushed ? 1 : 0);
}

void TdxBarPainter::DrawCenteredButtonText(HDC DC, const RECT& R, bool Opaque, std::string_view Text, int Shift) const
{
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
  SIZE extent{};
  GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), &extent);
  const int x = (R.left + R.right - extent.cx) / 2 + Shift, y = (R.top + R.bottom - extent.cy) / 2 + Shift;
  const int mode = GetBkMode(DC);
  if (!Opaque) SetBkMode(DC, TRANSPARENT);
  ExtTextOutA(DC, x, y, (Opaque ? ETO_OPAQUE : 0) | ETO_CLIPPED, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  SetBkMode(DC, mode);
}
