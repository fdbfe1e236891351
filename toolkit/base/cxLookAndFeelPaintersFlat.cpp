// The flat painter: one-pixel raised and sunken edges. Raised is clBtnHighlight over clBtnShadow
// (left and top colour first), sunken clBtnShadow over clBtnHighlight.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPaintersBevels.h"

CL_DEFINE_CLASS(TcxFlatLookAndFeelPainter);

namespace {
constexpr TColor Black = 0x000000;

void DrawRaised(TcxCanvas* canvas, const RECT& r, TcxBorders sides = cxBordersAll)
{
  canvas->DrawBevelEdge(r, false, false, sides);
}

void DrawSunken(TcxCanvas* canvas, const RECT& r, TcxBorders sides = cxBordersAll)
{
  canvas->DrawBevelEdge(r, true, true, sides);
}
}  // namespace

std::string TcxFlatLookAndFeelPainter::GetPainterName() const { return "Flat"; }
TcxPainterStyle TcxFlatLookAndFeelPainter::PainterStyle() const { return cpsFlat; }

// --- Borders and push buttons ---

int TcxFlatLookAndFeelPainter::BorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::SeparatorThickness() const { return 2; }
void TcxFlatLookAndFeelPainter::DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const { DrawSunken(Canvas, R); }

int TcxFlatLookAndFeelPainter::ButtonBorderWidth(TcxButtonState State) const
{
  return State == cxbsDefault ? 2 : 1;
}

int TcxFlatLookAndFeelPainter::ButtonContentIndent() const { return 1; }
int TcxFlatLookAndFeelPainter::ButtonPressedShift() const { return 1; }

void TcxFlatLookAndFeelPainter::DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  if (State == cxbsPressed) {
    DrawSunken(Canvas, R);
    return;
  }
  RECT r = R;
  if (State == cxbsDefault) {
    Canvas->DrawFrameRect(r, Black);
    r = InflateRectXY(r, -1, -1);
  }
  DrawRaised(Canvas, r);
}

// --- Expand boxes and check boxes ---

void TcxFlatLookAndFeelPainter::DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const
{
  DrawButton(Canvas, R, {}, cxbsNormal, true, Color, clDefault, false, false);
  DrawPlusMinusSign(Canvas, InflateRectXY(R, -1, -1), Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

int TcxFlatLookAndFeelPainter::ExpandBoxSize() const { return 11; }

void TcxFlatLookAndFeelPainter::DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  DrawSunken(Canvas, R);
  Canvas->DrawFrameRect(InflateRectXY(R, -1, -1), CheckBoxFaceColor(State));
}

// --- Headers ---

void TcxFlatLookAndFeelPainter::DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours,
                                                TcxBorders) const
{
  cxDrawBevelHeaderEdges(Canvas, R, Neighbours);
}

void TcxFlatLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                        TcxBorders Borders) const
{
  if (State == cxbsPressed)
    DrawSunken(Canvas, R, Borders);
  else
    DrawRaised(Canvas, R, Borders);
}

void TcxFlatLookAndFeelPainter::DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const
{
  DrawSortTriangle(Canvas, R, clBtnShadow, clBtnHighlight, Ascending);
}

int TcxFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
POINT TcxFlatLookAndFeelPainter::SortArrowSize() const { return {8, 7}; }

// --- Footers and filter buttons ---

int TcxFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxFlatLookAndFeelPainter::FooterCellSpacing() const { return 1; }
void TcxFlatLookAndFeelPainter::DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const { DrawRaised(Canvas, R); }
void TcxFlatLookAndFeelPainter::DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const { DrawSunken(Canvas, R); }

void TcxFlatLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                      bool IsActive) const
{
  cxDrawBevelFilterArrowButton(this, Canvas, R, State, IsActive);
}

// --- Tabs ---

void TcxFlatLookAndFeelPainter::DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                                             TcxBorder Side) const
{
  cxDrawBevelTabEdges(Canvas, R, IsVertical, Borders, Side);
}

void TcxFlatLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool, TcxBorders Borders) const
{
  DrawRaised(Canvas, R, Borders);
}

int TcxFlatLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// --- Scroll bars ---

void TcxFlatLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R,
                                                     TcxScrollBarElement Element, TcxButtonState State) const
{
  // Small raised buttons, sunken when pressed; the arrows move by the pressed shift.
  cxDrawClassicScrollBarElement(Canvas, R, Element, State, [&](TcxButtonState state) {
    DrawButton(Canvas, R, {}, state, true, clDefault, clDefault, false, false);
    const int border = ButtonBorderWidth(cxbsNormal);
    if (Element != sbeThumb)
      DrawStateArrow(Canvas, InflateRectXY(R, -border, -border), state, ScrollBarArrowDirection(IsHorizontal, Element));
  });
}

// --- Splitters, group boxes, track bars and calendar headers ---

void TcxFlatLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                                   const TcxViewParams& ViewParams) const
{
  RECT r = R;
  if (IsHorizontal) {
    Canvas->DrawTwoColorFrame(r, clBtnHighlight, clBtnShadow, 1, TcxBorders{TcxBorder::bTop, TcxBorder::bBottom});
    InflateRect(&r, 1, -1);
  } else {
    Canvas->DrawTwoColorFrame(r, clBtnHighlight, clBtnShadow, 1, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight});
    InflateRect(&r, -1, 1);
  }
  Canvas->FrameAndFillRect(r, ViewParams, false, 0, clDefault, TcxBorders{});
}

TColor TcxFlatLookAndFeelPainter::SplitterOuterColor(bool IsHighlighted) const
{
  return IsHighlighted ? cl3DDkShadow : clBtnShadow;
}

void TcxFlatLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                   TcxGroupBoxCaptionSide, bool) const
{
  Canvas->DrawFrameRect(R, clBtnShadow, 1, Borders, true);
  Canvas->DrawFrameRect(InflateRectXY(R, -1, -1), clBtnHighlight, 1, Borders, true);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const
{
  DrawSunken(Canvas, R);
  Canvas->DrawFrameRect(InflateRectXY(R, -1, -1), clBtnFace);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine,
                                                       std::span<const POINT> OuterLine,
                                                       std::span<const POINT>) const
{
  cxDrawThumbEdgeLine(Canvas, LightLine, clBtnHighlight);
  cxDrawThumbEdgeLine(Canvas, OuterLine, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const
{
  DrawRaised(Canvas, R);
}

void TcxFlatLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const
{
  Canvas->FillRectWithColor(R, CalendarHeaderColor());
  Canvas->DrawFrameRect(R, clBtnFace, 1, TcxBorders{TcxBorder::bBottom});
  R.bottom -= 1;
}
