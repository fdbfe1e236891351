// The standard painter: the classic three-dimensional look. Bevels are one-pixel two-colour frames:
// raised outer is cl3DLight over cl3DDkShadow, raised inner clBtnHighlight over clBtnShadow, sunken
// outer clBtnShadow over clBtnHighlight and sunken inner cl3DDkShadow over cl3DLight (left and top
// colour first).
#include "toolkit/base/cxLookAndFeelPainters.h"

#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPaintersBevels.h"

CL_DEFINE_CLASS(TcxStandardLookAndFeelPainter);

namespace {
constexpr TColor Black = 0x000000;

// Sunken outer, then sunken inner one pixel inside: the two-pixel sunken border.
void DrawSunkenBorder(TcxCanvas* canvas, const RECT& r)
{
  canvas->DrawBevelEdge(r, true, true);
  canvas->DrawBevelEdge(InflateRectXY(r, -1, -1), true, false);
}

// clBtnHighlight over cl3DDkShadow, then one pixel inside cl3DLight over clBtnShadow: the two-pixel
// raised edge of buttons.
void DrawRaisedButtonBorder(TcxCanvas* canvas, const RECT& r, TcxBorders sides = cxBordersAll)
{
  canvas->DrawTwoColorFrame(r, clBtnHighlight, cl3DDkShadow, 1, sides);
  canvas->DrawTwoColorFrame(InflateRectXY(r, -1, -1), cl3DLight, clBtnShadow, 1, sides);
}

// The border of a scroll-bar button: flat for a pressed arrow button, raised otherwise.
void DrawScrollButtonBorder(TcxCanvas* canvas, const RECT& r, bool pressedArrow)
{
  if (pressedArrow) {
    canvas->DrawFrameRect(r, clBtnShadow);
    canvas->DrawFrameRect(InflateRectXY(r, -1, -1), clBtnFace);
  } else {
    canvas->DrawTwoColorFrame(r, clBtnFace, cl3DDkShadow);
    canvas->DrawTwoColorFrame(InflateRectXY(r, -1, -1), clBtnHighlight, clBtnShadow);
  }
}
}  // namespace

std::string TcxStandardLookAndFeelPainter::GetPainterName() const { return "Standard"; }
TcxPainterStyle TcxStandardLookAndFeelPainter::PainterStyle() const { return cpsStandard; }
TColor TcxStandardLookAndFeelPainter::SchedulerContentColor() const { return clWindow; }

// --- Borders and push buttons ---

int TcxStandardLookAndFeelPainter::BorderWidth() const { return 2; }

void TcxStandardLookAndFeelPainter::DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const
{
  DrawSunkenBorder(Canvas, R);
}

int TcxStandardLookAndFeelPainter::ButtonBorderWidth(TcxButtonState State) const
{
  return State == cxbsDefault ? 3 : 2;
}

int TcxStandardLookAndFeelPainter::ButtonContentIndent() const { return 1; }
int TcxStandardLookAndFeelPainter::ButtonPressedShift() const { return 1; }

void TcxStandardLookAndFeelPainter::DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  if (State == cxbsPressed) {
    Canvas->DrawFrameRect(R, Black);
    Canvas->DrawFrameRect(InflateRectXY(R, -1, -1), clBtnShadow);
    return;
  }
  RECT r = R;
  if (State == cxbsDefault) {
    Canvas->DrawFrameRect(r, Black);
    r = InflateRectXY(r, -1, -1);
  }
  DrawRaisedButtonBorder(Canvas, r);
}

// --- Expand boxes, toggle buttons and check boxes ---

void TcxStandardLookAndFeelPainter::DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                  TColor Color) const
{
  Canvas->DrawTwoColorFrame(R, clBtnHighlight, cl3DDkShadow);
  const RECT inner = InflateRectXY(R, -1, -1);
  Canvas->DrawFrameRect(inner, clBtnShadow, 1, TcxBorders{TcxBorder::bRight, TcxBorder::bBottom});
  const RECT face{inner.left, inner.top, inner.right - 1, inner.bottom - 1};
  Canvas->FillRectWithColor(face, Color == clDefault ? clBtnFace : Color);
  DrawPlusMinusSign(Canvas, face, Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

void TcxStandardLookAndFeelPainter::DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                          TcxButtonState State) const
{
  if (TcxCustomLookAndFeelPainter* flat = cxRegisteredPainter(cpsFlat))
    flat->DrawGroupToggleButton(Canvas, R, Expanded, State);
  else
    inherited::DrawGroupToggleButton(Canvas, R, Expanded, State);
}

int TcxStandardLookAndFeelPainter::ExpandBoxSize() const { return 12; }

void TcxStandardLookAndFeelPainter::DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState) const
{
  DrawSunkenBorder(Canvas, R);
}

// --- Headers ---

void TcxStandardLookAndFeelPainter::DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours,
                                                    TcxBorders) const
{
  cxDrawBevelHeaderEdges(Canvas, R, Neighbours);
}

void TcxStandardLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                            TcxBorders Borders) const
{
  if (State == cxbsPressed)
    Canvas->DrawFrameRect(R, clBtnShadow, 1, Borders);
  else
    DrawRaisedButtonBorder(Canvas, R, Borders);
}

void TcxStandardLookAndFeelPainter::DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const
{
  DrawSortTriangle(Canvas, R, clBtnShadow, clBtnHighlight, Ascending);
}

int TcxStandardLookAndFeelPainter::HeaderBorderWidth() const { return 1; }

int TcxStandardLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState State) const
{
  return State == cxbsPressed ? 1 : 2;
}

POINT TcxStandardLookAndFeelPainter::SortArrowSize() const { return {8, 7}; }

// --- Footers and filter buttons ---

int TcxStandardLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxStandardLookAndFeelPainter::FooterCellSpacing() const { return 1; }

void TcxStandardLookAndFeelPainter::DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawBevelEdge(R, false, false);
}

void TcxStandardLookAndFeelPainter::DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawBevelEdge(R, true, true);
}

void TcxStandardLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                          bool IsActive) const
{
  cxDrawBevelFilterArrowButton(this, Canvas, R, State, IsActive);
}

// --- Tabs ---

void TcxStandardLookAndFeelPainter::DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical,
                                                 TcxBorders Borders, TcxBorder Side) const
{
  cxDrawBevelTabEdges(Canvas, R, IsVertical, Borders, Side);
}

void TcxStandardLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool,
                                                     TcxBorders Borders) const
{
  Canvas->DrawBevelEdge(R, false, false, Borders);
}

int TcxStandardLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// --- Scroll bars ---

void TcxStandardLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R,
                                                         TcxScrollBarElement Element, TcxButtonState State) const
{
  cxDrawClassicScrollBarElement(Canvas, R, Element, State, [&](TcxButtonState state) {
    if (Element == sbeThumb) {
      // The face inside the two-pixel border drawn here (not the width a derived painter gives its
      // buttons).
      DrawScrollButtonBorder(Canvas, R, false);
      const int border = TcxStandardLookAndFeelPainter::ButtonBorderWidth(cxbsNormal);
      Canvas->FillRectWithColor(InflateRectXY(R, -border, -border), clBtnFace);
      return;
    }
    // The platform's arrow button, flat and one pixel further right and down when pressed.
    const bool pressed = state == cxbsPressed;
    RECT arrow = R;
    if (pressed) OffsetRect(&arrow, 1, 1);
    UINT kind = (IsHorizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) + (Element == sbeLineForward ? 1 : 0);
    if (state == cxbsDisabled)
      kind |= DFCS_INACTIVE;
    else if (pressed)
      kind |= DFCS_FLAT;
    DrawFrameControl(Canvas->GetDCHandle(), &arrow, DFC_SCROLL, kind);
    DrawScrollButtonBorder(Canvas, R, pressed);
  });
}

// --- Scheduler headers, splitters, group boxes and track bars ---

void TcxStandardLookAndFeelPainter::DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                                        TcxNeighbours Neighbours, const TcxViewParams& ViewParams,
                                                        int Sides, int SideArrowIndent,
                                                        const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  // The black frame is left out on the sides that touch a neighbour.
  TcxBorders frame = cxBordersAll;
  if (Neighbours.Contains(TcxNeighbour::nLeft)) frame.Exclude(TcxBorder::bLeft);
  if (Neighbours.Contains(TcxNeighbour::nRight)) frame.Exclude(TcxBorder::bRight);
  Canvas->DrawFrameRect(R, Black, 1, frame);
  const RECT content = HeaderContentBounds(R, frame);
  DrawHeader(Canvas, content, content, Neighbours, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, Text,
             ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, false, false);
  DrawHeaderSideArrows(Canvas, R, Sides, SideArrowIndent, clWindowText);
}

void TcxStandardLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                                       const TcxViewParams& ViewParams) const
{
  // Two lines on each long side, outer then inner; the rectangle moves inward across the splitter
  // and outward along it after each.
  const TcxBorder first = IsHorizontal ? TcxBorder::bTop : TcxBorder::bLeft;
  const TcxBorder last = IsHorizontal ? TcxBorder::bBottom : TcxBorder::bRight;
  const int dx = IsHorizontal ? 1 : -1;
  RECT r = R;
  const TColor colors[2][2] = {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
  for (const auto& pair : colors) {
    Canvas->DrawFrameRect(r, pair[0], 1, TcxBorders{first});
    Canvas->DrawFrameRect(r, pair[1], 1, TcxBorders{last});
    InflateRect(&r, dx, -dx);
  }
  Canvas->FrameAndFillRect(r, ViewParams, false, 0, clDefault, TcxBorders{});
}

void TcxStandardLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                       TcxGroupBoxCaptionSide, bool) const
{
  // Etched: a shadow frame and a highlight frame one pixel right of and below it, neither painting
  // over the other.
  RECT r{R.left, R.top, R.right - 1, R.bottom - 1};
  Canvas->DrawFrameRect(r, clBtnShadow, 1, Borders, true);
  OffsetRect(&r, 1, 1);
  Canvas->DrawFrameRect(r, clBtnHighlight, 1, Borders, true);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const
{
  DrawSunkenBorder(Canvas, R);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine,
                                                           std::span<const POINT> OuterLine,
                                                           std::span<const POINT> InnerLine) const
{
  cxDrawThumbEdgeLine(Canvas, LightLine, clBtnHighlight);
  cxDrawThumbEdgeLine(Canvas, OuterLine, cl3DDkShadow);
  cxDrawThumbEdgeLine(Canvas, InnerLine, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const
{
  DrawRaisedButtonBorder(Canvas, R);
}
