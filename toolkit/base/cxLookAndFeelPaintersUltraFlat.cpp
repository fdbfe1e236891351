// The ultra-flat painter: single one-pixel frames, highlight-tinted hot and pressed faces, no bevels.
// The default look of every look-and-feel. Its frames take the four frame colours at the end, which
// the Office 2003 painter replaces.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include "classlib/GraphicsObjects.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersBevels.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeelPaintersShapes.h"

using namespace cxSides;

CL_DEFINE_CLASS(TcxUltraFlatLookAndFeelPainter);

std::string TcxUltraFlatLookAndFeelPainter::GetPainterName() const { return "UltraFlat"; }
TcxPainterStyle TcxUltraFlatLookAndFeelPainter::PainterStyle() const { return cpsUltraFlat; }

// --- Identity, colours and cell content ---

void TcxUltraFlatLookAndFeelPainter::DrawFooterPanel(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders) const
{
  Canvas->DrawFrameRect(R, FooterSeparatorColor(), FooterSeparatorSize(), Borders);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect,
                                                            bool IsNext, TcxButtonState State) const
{
  Canvas->FillRectWithColor(R, clBtnFace);
  const TcxBorders outer = IsNext ? TcxBorders{Left, Top, Bottom} : TcxBorders{Top, Right, Bottom};
  Canvas->DrawFrameRect(R, State == cxbsHot ? LightFrameColor() : DarkFrameColor(), 1, outer);
  DrawSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

TColor TcxUltraFlatLookAndFeelPainter::ContainerFrameColor() const { return clBtnShadow; }

// --- Arrow glyphs, borders and push buttons ---

int TcxUltraFlatLookAndFeelPainter::BorderWidth() const { return 1; }

void TcxUltraFlatLookAndFeelPainter::DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const
{
  Canvas->FillRectWithColor(CalcCenteredStrip(R, SeparatorThickness(), InHorizontalRow), clBtnShadow);
}

int TcxUltraFlatLookAndFeelPainter::ButtonBorderWidth(TcxButtonState State) const
{
  return State == cxbsDefault ? 2 : 1;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(TcxButtonState State) const
{
  switch (State) {
  case cxbsHot: return MixHotColor();
  case cxbsPressed: return MixPressedColor();
  default: return clBtnFace;
  }
}

RECT TcxUltraFlatLookAndFeelPainter::ButtonFocusBounds(TcxCanvas*, const RECT& R) const
{
  const RECT r = cxDeflated(R, 3);
  return IsRectEmpty(&r) ? R : r;
}

RECT TcxUltraFlatLookAndFeelPainter::ButtonGroupBorderWidths(int ButtonCount, int ButtonIndex) const
{
  // Joined buttons share one-pixel sides; the ends of the group are as thick as its top and bottom.
  RECT widths{1, 2, 1, 2};
  if (ButtonIndex == 0)
    widths.left = 2;
  else if (ButtonIndex == ButtonCount - 1)
    widths.right = 2;
  return widths;
}

int TcxUltraFlatLookAndFeelPainter::ButtonContentIndent() const { return 2; }
int TcxUltraFlatLookAndFeelPainter::ButtonPressedShift() const { return 0; }

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const
{
  if (State == cxbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(State, DefaultColor);
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonGlyphState(TcxButtonState) const { return cxbsNormal; }

void TcxUltraFlatLookAndFeelPainter::DrawEditButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                        int ButtonCount, int ButtonIndex, TColor FrameColor) const
{
  // The editor's own frame lies around the group: the buttons stop one pixel short of it.
  const bool first = ButtonIndex == 0, last = ButtonIndex == ButtonCount - 1;
  RECT r{R.left + (first ? 1 : 0), R.top + 1, R.right - (last ? 1 : 0), R.bottom - 1};
  // The default look is the normal one.
  if (State == cxbsDefault || State == cxbsNormal || State == cxbsDisabled) {
    Canvas->DrawFrameRect(r, FrameColor);
    r = cxDeflated(r, 1);
  } else {
    if (!first) {
      Canvas->FillRectWithColor(RECT{r.left, r.top, r.left + 1, r.bottom}, HighlightFrameColor());
      ++r.left;
    }
    if (!last) {
      Canvas->FillRectWithColor(RECT{r.right - 1, r.top, r.right, r.bottom}, HighlightFrameColor());
      --r.right;
    }
  }
  Canvas->FillRectWithColor(r, ButtonFaceColor(State));
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  switch (State) {
  case cxbsDefault:
    Canvas->DrawFrameRect(R, clWindowFrame);
    Canvas->DrawFrameRect(cxDeflated(R, 1), clWindowFrame);
    break;
  case cxbsNormal: Canvas->DrawFrameRect(R, clBtnText); break;
  case cxbsDisabled: Canvas->DrawFrameRect(R, clBtnShadow); break;
  case cxbsHot:
  case cxbsPressed: Canvas->DrawFrameRect(R, clHighlight); break;
  }
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonFrame(TcxCanvas* Canvas, const RECT& R, bool IsSelected,
                                                     bool IsPressed) const
{
  Canvas->DrawFrameRect(R, IsPressed ? clBtnText : IsSelected ? HighlightFrameColor() : clBtnShadow);
}

// --- Expand boxes, check boxes and radio buttons ---

void TcxUltraFlatLookAndFeelPainter::DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                   TColor Color) const
{
  Canvas->DrawFrameRect(R, clBtnShadow);
  const RECT inside = cxDeflated(R, 1);
  Canvas->FillRectWithColor(inside, Color == clDefault ? clBtnFace : Color);
  DrawPlusMinusSign(Canvas, inside, Expanded, clBtnText);
  Canvas->ExcludeRectFromClip(R);
}

int TcxUltraFlatLookAndFeelPainter::ExpandBoxSize() const { return 11; }
bool TcxUltraFlatLookAndFeelPainter::ButtonsTrackHot() const { return true; }

void TcxUltraFlatLookAndFeelPainter::DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  Canvas->DrawFrameRect(R, clBtnText);
  Canvas->DrawFrameRect(cxDeflated(R, 1), CheckBoxFaceColor(State));
}

TColor TcxUltraFlatLookAndFeelPainter::RadioButtonFaceColor(TcxButtonState State) const
{
  switch (State) {
  case cxbsNormal: return clWindow;
  case cxbsHot: return MixHotColor();
  case cxbsPressed: return MixPressedColor();
  default: return clBtnFace;
  }
}

// --- Headers ---

void TcxUltraFlatLookAndFeelPainter::DrawHeaderSimple(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                                      TcxNeighbours Neighbours, TcxBorders Borders,
                                                      TcxButtonState State, TAlignment AlignHorz,
                                                      TcxVerticalAlignment AlignVert, bool MultiLine,
                                                      bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                      TColor TextColor, TColor BkColor,
                                                      const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawCellContent(Canvas, Bounds, cxDeflated(TextBounds, 1), State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis,
                  Text, Font, TextColor, BkColor, OnDrawBackground, false);
  DrawHeaderEdges(Canvas, cxDeflated(Bounds, 1), Neighbours, Borders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours,
                                                     TcxBorders Borders) const
{
  // The right and bottom lines always; the left and top ones only where no neighbour draws them.
  Canvas->DrawFrameRect(R, clBtnText, 1, (Borders * TcxBorders{Left, Top}) + TcxBorders{Right, Bottom});
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                             TcxBorders Borders) const
{
  Canvas->DrawFrameRect(R, State == cxbsDisabled ? clBtnShadow : clBlack, 1, Borders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderSectionContent(TcxCanvas* Canvas, const RECT& R,
                                                              const RECT& TextBounds, TcxButtonState State,
                                                              TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                                                              bool MultiLine, bool ShowEndEllipsis,
                                                              std::string_view Text, TFont* Font, TColor TextColor,
                                                              TColor BkColor) const
{
  const bool stateFace = State == cxbsHot || State == cxbsPressed || State == cxbsDisabled;
  TcxCustomLookAndFeelPainter::DrawHeaderSectionContent(Canvas, R, TextBounds, State, AlignHorz, AlignVert, MultiLine,
                                                        ShowEndEllipsis, Text, Font, TextColor,
                                                        stateFace ? ButtonFaceColor(State) : BkColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const
{
  DrawSortTriangle(Canvas, R, clBtnShadow, clBtnShadow, Ascending);
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderNeighbourBorders(TcxNeighbours Neighbours) const
{
  TcxBorders borders = cxBordersAll;
  if (Neighbours.Contains(TcxNeighbour::nLeft)) borders.Exclude(Left);
  if (Neighbours.Contains(TcxNeighbour::nTop)) borders.Exclude(Top);
  return borders;
}

int TcxUltraFlatLookAndFeelPainter::HeaderBorderWidth() const { return 1; }
POINT TcxUltraFlatLookAndFeelPainter::SortArrowSize() const { return POINT{7, 8}; }
TcxBorders TcxUltraFlatLookAndFeelPainter::DefaultCellBorders() const { return TcxBorders{Right, Bottom}; }

// --- Footers, filter buttons and tabs ---

int TcxUltraFlatLookAndFeelPainter::FooterBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellBorderWidth() const { return 1; }
int TcxUltraFlatLookAndFeelPainter::FooterCellSpacing() const { return 2; }

void TcxUltraFlatLookAndFeelPainter::DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const
{
  DrawFooterPanel(Canvas, R, TcxBorders{Right, Bottom});
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, FooterSeparatorColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                           bool IsActive) const
{
  Canvas->DrawFrameRect(R, StateFrameColor(State));
  const RECT inside = cxDeflated(R, 1);
  Canvas->FillRectWithColor(inside, ButtonFaceColor(State));
  DrawDropDownArrow(Canvas, inside, IsActive ? clBlue : ButtonGlyphColor(State, clDefault));
}

POINT TcxUltraFlatLookAndFeelPainter::CloseCrossButtonSize() const { return POINT{16, 15}; }

void TcxUltraFlatLookAndFeelPainter::DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders,
                                                  TcxBorder Side) const
{
  // The shadow side of a tab in the dark frame colour, every other edge in the light one.
  RECT r = R;
  const bool rightOfHorizontal = !IsVertical && Side == Right;
  if (rightOfHorizontal) r.bottom -= TabBorderWidth(IsVertical);
  const bool dark = rightOfHorizontal || (IsVertical && Side == Bottom);
  Canvas->FillRectWithColor(r, dark ? DarkFrameColor() : LightFrameColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical,
                                                      TcxBorders Borders) const
{
  Canvas->DrawFrameRect(R, LightFrameColor(), TabBorderWidth(IsVertical), Borders);
}

int TcxUltraFlatLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// --- Scroll bars, drop-down buttons, splitters, group boxes, track bars and previews ---

void TcxUltraFlatLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R,
                                                          TcxScrollBarElement Element, TcxButtonState State) const
{
  if (IsRectEmpty(&R) || (Element == sbeThumb && State == cxbsDisabled)) return;
  switch (Element) {
  case sbeLineBack:
  case sbeLineForward:
    DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false);
    DrawStateArrow(Canvas, R, State, ScrollBarArrowDirection(IsHorizontal, Element));
    break;
  case sbeThumb: DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false); break;
  case sbePageBack:
  case sbePageForward: cxDrawScrollBarPageArea(Canvas, R, State == cxbsPressed); break;
  case sbeNone: break;
  }
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R,
                                                            TcxButtonState State) const
{
  DrawButton(Canvas, R, {}, State, State == cxbsHot || State == cxbsPressed, clDefault, clDefault, false, false);
}

void TcxUltraFlatLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                                        const TcxViewParams& ViewParams) const
{
  // Lines along the two long sides; the rest, one pixel longer at each end, from the view.
  const TcxBorders longSides = IsHorizontal ? TcxBorders{Top, Bottom} : TcxBorders{Left, Right};
  Canvas->DrawFrameRect(R, ContainerFrameColor(), 1, longSides);
  const RECT rest = IsHorizontal ? InflateRectXY(R, 1, -1) : InflateRectXY(R, -1, 1);
  Canvas->FrameAndFillRect(rest, ViewParams, false, 0);
}

void TcxUltraFlatLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                        TcxGroupBoxCaptionSide, bool IsEnabled) const
{
  Canvas->DrawFrameRect(R, IsEnabled ? clHighlight : clBtnShadow, 1, Borders, true);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine,
                                                            std::span<const POINT> OuterLine,
                                                            std::span<const POINT>) const
{
  Canvas->GetCurrentPen()->SetColor(clWindowText);
  Canvas->Polyline(LightLine);
  Canvas->Polyline(OuterLine);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, clWindowText);
}

TColor TcxUltraFlatLookAndFeelPainter::SplitterOuterColor(bool IsHighlighted) const
{
  return IsHighlighted ? clHighlight : clBtnShadow;
}

SIZE TcxUltraFlatLookAndFeelPainter::SplitterSize(bool IsHorizontal) const
{
  return IsHorizontal ? SIZE{17, 1} : SIZE{1, 17};
}

void TcxUltraFlatLookAndFeelPainter::FillPreviewBackground(TcxCanvas* Canvas, const RECT& R) const
{
  // The shadow colour a third of the way to white.
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  auto lighter = [](int v) { return v + (255 - v) / 3; };
  Canvas->FillRectWithColor(
      R, static_cast<TColor>(RGB(lighter(GetRValue(shadow)), lighter(GetGValue(shadow)), lighter(GetBValue(shadow)))));
}

// --- Frame colours ---

TColor TcxUltraFlatLookAndFeelPainter::StateFrameColor(TcxButtonState State) const
{
  return State == cxbsNormal || State == cxbsDefault ? clBtnShadow : clHighlight;
}

TColor TcxUltraFlatLookAndFeelPainter::LightFrameColor() const { return clBtnShadow; }
TColor TcxUltraFlatLookAndFeelPainter::DarkFrameColor() const { return clBtnText; }
TColor TcxUltraFlatLookAndFeelPainter::HighlightFrameColor() const { return clHighlight; }
