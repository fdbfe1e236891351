// The base painter's operations for control parts: arrow glyphs, borders and push buttons, expand
// and toggle buttons, check boxes and radio buttons, headers, footers, filter buttons, popups,
// hints, screen tips, tabs and indicators, in the order of the header.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include "classlib/GraphicsObjects.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxLookAndFeelPaintersRadio.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeelPaintersShapes.h"
#include "toolkit/base/dxOffice11.h"

using namespace cxSides;

namespace {
void SetBrushStyle(TcxCanvas* canvas, TBrushStyle style) { canvas->GetCurrentBrush()->SetStyle(style); }

// The arrow of the direction filled in the colour.
void FillArrow(TcxCanvas* canvas, const RECT& r, bool proportional, TcxArrowDirection direction, TColor color)
{
  const TcxArrowPoints arrow = CalcArrowPolygon(r, 0, proportional, direction);
  cxFillPolygon(canvas, arrow.Points, color);
}
}  // namespace

// --- Arrow glyphs, borders and push buttons ---

void TcxCustomLookAndFeelPainter::DrawArrowGlyph(TcxCanvas* Canvas, const RECT& R, TColor Color,
                                                 TcxArrowDirection Direction) const
{
  FillArrow(Canvas, R, true, Direction, Color);
}

void TcxCustomLookAndFeelPainter::DrawScrollArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                        TcxArrowDirection Direction, bool WithButton) const
{
  if (WithButton)
    DrawPlainButton(Canvas, R, State);
  else
    Canvas->FillRectWithColor(R, ButtonFaceColor(State));
  FillArrow(Canvas, R, false, Direction, ButtonGlyphColor(State, clDefault));
}

void TcxCustomLookAndFeelPainter::DrawPlainButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
  Canvas->FillRectWithColor(R, ButtonFaceColor(State));
  DrawButtonEdges(Canvas, R, State);
}

void TcxCustomLookAndFeelPainter::DrawStateArrow(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                 TcxArrowDirection Direction) const
{
  RECT r = R;
  if (State == cxbsPressed) OffsetRect(&r, ButtonPressedShift(), ButtonPressedShift());
  if (State == cxbsDisabled) {
    // Embossed: a highlight copy one pixel right of and below the shadow-coloured arrow.
    FillArrow(Canvas, OffsetRectXY(r, 1, 1), true, Direction, clBtnHighlight);
    FillArrow(Canvas, r, true, Direction, clBtnShadow);
  } else {
    FillArrow(Canvas, r, true, Direction, ButtonGlyphColor(State, clDefault));
  }
}

int TcxCustomLookAndFeelPainter::BorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::SeparatorThickness() const { return BorderWidth(); }
void TcxCustomLookAndFeelPainter::DrawBorderFrame(TcxCanvas*, const RECT&) const {}

void TcxCustomLookAndFeelPainter::DrawContainerBorder(TcxCanvas* Canvas, const RECT& R,
                                                      TcxContainerBorderStyle BorderStyle, int Width, TColor Color,
                                                      TcxBorders Borders) const
{
  switch (BorderStyle) {
  case cbsSingle:
  case cbsThick: Canvas->DrawFrameRect(R, Color, Width); break;
  case cbsFlat:
    Canvas->DrawBevelEdge(R, true, true, Borders);
    Canvas->DrawFrameRect(cxDeflated(R, 1), clBtnFace);
    break;
  case cbs3D:
    Canvas->DrawBevelEdge(R, true, true, Borders);
    Canvas->DrawBevelEdge(cxDeflated(R, 1), true, false, Borders);
    break;
  case cbsNone:
  case cbsUltraFlat:
  case cbsOffice11: break;  // the controls draw these in the painter's frame colours
  }
}

void TcxCustomLookAndFeelPainter::DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const
{
  RECT strip = CalcCenteredStrip(R, SeparatorThickness(), InHorizontalRow);
  --strip.right;
  --strip.bottom;
  if (IsRectEmpty(&strip)) return;
  Canvas->FillRectWithColor(strip, clBtnShadow);
  Canvas->FillRectWithColor(OffsetRectXY(strip, 1, 1), clBtnHighlight);
}

RECT TcxCustomLookAndFeelPainter::AdjustButtonGroupBounds(const RECT& R, int, int) const { return R; }
int TcxCustomLookAndFeelPainter::ButtonBorderWidth(TcxButtonState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonFaceColor(TcxButtonState) const { return clBtnFace; }

RECT TcxCustomLookAndFeelPainter::ButtonFocusBounds(TcxCanvas*, const RECT& R) const
{
  const RECT r = cxDeflated(R, 4);
  return IsRectEmpty(&r) ? R : r;
}

RECT TcxCustomLookAndFeelPainter::ButtonGroupBorderWidths(int, int) const
{
  const int w = ButtonBorderWidth(cxbsNormal);
  return RECT{w, w, w, w};
}

int TcxCustomLookAndFeelPainter::ButtonContentIndent() const { return 0; }
int TcxCustomLookAndFeelPainter::ButtonPressedShift() const { return 0; }

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const
{
  if (State == cxbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonGlyphState(TcxButtonState State) const { return State; }

RECT cxButtonTextBounds(const RECT& face, int shift)
{
  RECT r = face;
  if ((r.bottom - r.top) % 2 != 0) --r.bottom;
  if (r.bottom - r.top < 18) --r.top;
  return OffsetRectXY(r, shift, shift);
}

void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                             TcxButtonState State, bool WithBorder, TColor Color, TColor TextColor,
                                             bool WordWrap, bool) const
{
  RECT r = R;
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
  if (WithBorder) {
    DrawButtonEdges(Canvas, r, State);
    r = cxDeflated(r, ButtonBorderWidth(State));
  }
  Canvas->FillRectWithColor(r, Color == clDefault ? ButtonFaceColor(State) : Color);
  Canvas->GetCurrentFont()->SetColor(TextColor == clDefault ? ButtonGlyphColor(State, clDefault) : TextColor);
  SetBrushStyle(Canvas, TBrushStyle::bsClear);
  const RECT textR = cxButtonTextBounds(r, State == cxbsPressed ? ButtonPressedShift() : 0);
  if (!Text.empty())
    Canvas->DrawTextInRect(Text, textR, cxAlignCenter | cxShowPrefix | (WordWrap ? cxWordBreak : cxSingleLine),
                           State != cxbsDisabled);
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawEditButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, int, int,
                                                     TColor) const
{
  DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false);
}

void TcxCustomLookAndFeelPainter::DrawButtonEdges(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawButtonFrame(TcxCanvas*, const RECT&, bool, bool) const {}

// --- Expand boxes and group toggle buttons ---

void TcxCustomLookAndFeelPainter::DrawExpandBox(TcxCanvas*, const RECT&, bool, TColor) const {}

void TcxCustomLookAndFeelPainter::DrawRotatedGroupToggleButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                               bool Expanded, TcxRotationAngle Rotation) const
{
  DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false);
  if (IsRectEmpty(&R)) return;
  // The chevrons are drawn upright on the face colour, turned, and laid over the button with the
  // face colour left out, so that the button's edges stay as they are.
  const bool quarterTurn = Rotation == raPlus90 || Rotation == raMinus90;
  const int w = GetRectWidth(R), h = GetRectHeight(R);
  auto bitmap = MakeOwned<TcxBitmap>(quarterTurn ? h : w, quarterTurn ? w : h);
  const TColor face = ButtonFaceColor(State);
  bitmap->cxCanvas()->FillRectWithColor(bitmap->GetFullRect(), face);
  DrawToggleChevrons(bitmap->cxCanvas(), bitmap->GetFullRect(), Expanded, State);
  TcxCanvas::RotateOrFlipBitmap(bitmap.get(), Rotation);
  DrawImageInMode(Canvas->GetDCHandle(), R, R, bitmap.get(), nullptr, -1, idmNormal, false, nullptr, face, false);
}

bool TcxCustomLookAndFeelPainter::ExpandBoxDrawnFirst() const { return true; }

void TcxCustomLookAndFeelPainter::DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                        TcxButtonState State) const
{
  DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false);
  DrawToggleChevrons(Canvas, R, Expanded, State);
}

void TcxCustomLookAndFeelPainter::DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                     TColor FrameColor, TColor Color) const
{
  Canvas->DrawFrameRect(R, FrameColor);
  if (Color != clDefault) Canvas->FillRectWithColor(cxDeflated(R, 1), Color);
  DrawPlusMinusSign(Canvas, R, Expanded, clBtnText);
}

int TcxCustomLookAndFeelPainter::ExpandBoxSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GroupToggleButtonSize() const { return 15; }
bool TcxCustomLookAndFeelPainter::ButtonsTrackHot() const { return false; }
bool TcxCustomLookAndFeelPainter::HitTestGroupToggleButton(const RECT& R, POINT P) const { return PtInRect(&R, P); }
int TcxCustomLookAndFeelPainter::SmallExpandBoxSize() const { return 9; }

// --- Check boxes, radio buttons and etched lines ---

int TcxCustomLookAndFeelPainter::CheckFrameWidth() const { return 2; }

TColor TcxCustomLookAndFeelPainter::CheckBoxFaceColor(TcxButtonState State) const
{
  return State == cxbsPressed || State == cxbsDisabled ? clBtnFace : clWindow;
}

SIZE TcxCustomLookAndFeelPainter::CheckBoxGlyphSize() const { return cxCheckBoxGlyphSize(); }

void TcxCustomLookAndFeelPainter::DrawCheckMark(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                bool IsChecked, TColor Color) const
{
  // A caller that keeps its background sets a clear brush first.
  if (Canvas->GetCurrentBrush()->Style() == TBrushStyle::bsSolid)
    Canvas->FillRectWithColor(R, CheckBoxFaceColor(State));
  if (!IsChecked) return;
  // Three one-pixel ticks, one below the other.
  const int w = GetRectWidth(R) - 2, h = GetRectHeight(R) - 4;
  const int x0 = (R.left + R.right) / 2 - 1;
  Canvas->GetCurrentPen()->SetColor(Color);
  for (int d = 0; d < 3; ++d) {
    const int y = (R.top + R.bottom + h) / 2 - 2 + d;
    const POINT tick[] = {{x0 - w / 2 + 1, y - h / 2}, {x0, y}, {x0 + w / 2 + 2, y - h}};
    Canvas->Polyline(tick);
  }
}

void TcxCustomLookAndFeelPainter::DrawCheckFrame(TcxCanvas*, const RECT&, TcxButtonState) const {}

void TcxCustomLookAndFeelPainter::DrawCheckButtonByState(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                         bool IsChecked) const
{
  DrawCheckButton(Canvas, R, State, IsChecked ? cbsChecked : cbsUnchecked);
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                  TcxCheckBoxState CheckState) const
{
  DrawCheckFrame(Canvas, R, State);
  const bool gray = State == cxbsDisabled || CheckState == cbsGrayed;
  DrawCheckMark(Canvas, cxDeflated(R, CheckFrameWidth()), State, CheckState == cbsChecked,
                gray ? clGrayText : clBtnText);
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* Canvas, int X, int Y, TcxButtonState State,
                                                  bool IsChecked, bool IsFocused, TColor BkColor,
                                                  bool IsDesigning) const
{
  TcxRadioButtonImageList* images = GetRadioButtonImageList();
  if (!images) return;
  // The glyph family by painter style; the native look without visual styles and the skins borrow
  // the standard and the ultra-flat glyphs.
  static constexpr TcxLookAndFeelKind FamilyByStyle[] = {lfFlat, lfStandard, lfUltraFlat,
                                                         lfStandard, lfOffice11, lfUltraFlat};
  images->Draw(Canvas, X, IsDesigning, IsFocused, IsChecked, State, FamilyByStyle[static_cast<int>(PainterStyle())],
               BkColor, Y);
}

TColor TcxCustomLookAndFeelPainter::RadioButtonFaceColor(TcxButtonState State) const
{
  return State == cxbsPressed || State == cxbsDisabled ? clBtnFace : clWindow;
}

SIZE TcxCustomLookAndFeelPainter::RadioButtonGlyphSize() const
{
  TcxRadioButtonImageList* images = GetRadioButtonImageList();
  return images ? images->GetSize() : SIZE{};
}

void TcxCustomLookAndFeelPainter::DrawEtchedLine(TcxCanvas* Canvas, const RECT& R, TColor LeftTopColor,
                                                 TColor RightBottomColor, bool IsVertical) const
{
  Canvas->DrawTwoColorFrame(R, LeftTopColor == clDefault ? clBtnShadow : LeftTopColor,
                            RightBottomColor == clDefault ? clBtnHighlight : RightBottomColor, 1,
                            IsVertical ? TcxBorders{Left, Right} : TcxBorders{Top, Bottom});
}

int TcxCustomLookAndFeelPainter::EtchedLineThickness() const { return 2; }

// --- Headers, sort arrows, group panels and layout-view items ---

void TcxCustomLookAndFeelPainter::DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                             TcxNeighbours Neighbours, TcxBorders Borders, TcxButtonState State,
                                             TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                                             bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                             TColor TextColor, TColor BkColor,
                                             const TcxDrawBackgroundEvent& OnDrawBackground, bool, bool) const
{
  DrawHeaderEdges(Canvas, Bounds, Neighbours, Borders);
  DrawCellContent(Canvas, HeaderContentBounds(Bounds, Borders), TextBounds, State, AlignHorz, AlignVert, MultiLine,
                  ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSimple(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                                   TcxNeighbours Neighbours, TcxBorders Borders,
                                                   TcxButtonState State, TAlignment AlignHorz,
                                                   TcxVerticalAlignment AlignVert, bool MultiLine,
                                                   bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                   TColor TextColor, TColor BkColor,
                                                   const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawHeader(Canvas, Bounds, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert, MultiLine,
             ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false, false);
}

void TcxCustomLookAndFeelPainter::DrawHeaderEdges(TcxCanvas*, const RECT&, TcxNeighbours, TcxBorders) const {}
void TcxCustomLookAndFeelPainter::InvertHeaderRect(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->InvertRectArea(R);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds,
                                                    TcxNeighbours, TcxBorders Borders, TcxButtonState State,
                                                    TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                                                    bool MultiLine, bool ShowEndEllipsis, std::string_view Text,
                                                    TFont* Font, TColor TextColor, TColor BkColor) const
{
  DrawHeaderSectionBorder(Canvas, R, State, Borders);
  DrawHeaderSectionContent(Canvas, HeaderSectionContentBounds(R, State), TextBounds, State, AlignHorz, AlignVert,
                           MultiLine, ShowEndEllipsis, Text, Font, TextColor, BkColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas*, const RECT&, TcxButtonState,
                                                          TcxBorders) const {}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionContent(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds,
                                                           TcxButtonState State, TAlignment AlignHorz,
                                                           TcxVerticalAlignment AlignVert, bool MultiLine,
                                                           bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                           TColor TextColor, TColor BkColor) const
{
  Canvas->FillRectWithColor(R, BkColor);
  DrawHeaderSectionText(Canvas, HeaderSectionTextBounds(TextBounds, State), State, AlignHorz, AlignVert, MultiLine,
                        ShowEndEllipsis, Text, Font, TextColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSectionText(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                        TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                                                        bool MultiLine, bool ShowEndEllipsis, std::string_view Text,
                                                        TFont* Font, TColor TextColor) const
{
  if (Text.empty()) return;
  SetBrushStyle(Canvas, TBrushStyle::bsClear);
  if (Font) Canvas->AssignFont(Font);
  const int flags = cxTextFlags(AlignHorz, AlignVert, MultiLine, ShowEndEllipsis);
  TFont* font = Canvas->GetCurrentFont();
  if (State == cxbsDisabled) {
    font->SetColor(clBtnHighlight);
    Canvas->DrawTextInRect(Text, OffsetRectXY(R, 1, 1), flags);
    font->SetColor(clBtnShadow);
  } else if (TextColor != clDefault) {
    font->SetColor(TextColor);
  }
  Canvas->DrawTextInRect(Text, R, flags);
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawBandedBackground(TcxCanvas* Canvas, const RECT& R,
                                                       const TcxViewParams& ViewParams, TColor Color,
                                                       int BandWidth) const
{
  Canvas->FrameAndFillRect(RECT{R.left, R.top, R.left + BandWidth, R.bottom}, ViewParams, false, 0);
  Canvas->FrameAndFillRect(RECT{R.right - BandWidth, R.top, R.right, R.bottom}, ViewParams, false, 0);
  Canvas->FillRectWithColor(RECT{R.left + BandWidth, R.top, R.right - BandWidth, R.bottom}, Color);
}

void TcxCustomLookAndFeelPainter::DrawSortArrow(TcxCanvas*, const RECT&, bool) const {}
TcxBorders TcxCustomLookAndFeelPainter::HeaderNeighbourBorders(TcxNeighbours) const { return cxBordersAll; }
int TcxCustomLookAndFeelPainter::HeaderBorderWidth() const { return 0; }

namespace {
// The rectangle with the chosen sides moved outward by d.
RECT InflateSides(const RECT& r, TcxBorders sides, int d)
{
  RECT result = r;
  if (sides.Contains(Left)) result.left -= d;
  if (sides.Contains(Top)) result.top -= d;
  if (sides.Contains(Right)) result.right += d;
  if (sides.Contains(Bottom)) result.bottom += d;
  return result;
}
}  // namespace

RECT TcxCustomLookAndFeelPainter::HeaderBoundsFromContent(const RECT& R, TcxNeighbours Neighbours,
                                                          TcxBorders Borders) const
{
  return InflateSides(R, Borders - HeaderNeighbourBorders(Neighbours), HeaderBorderWidth());
}

RECT TcxCustomLookAndFeelPainter::HeaderContentBounds(const RECT& R, TcxBorders Borders) const
{
  return InflateSides(R, Borders, -HeaderBorderWidth());
}

bool TcxCustomLookAndFeelPainter::IsHeaderTransparent() const { return true; }
int TcxCustomLookAndFeelPainter::HeaderHeight(int FontHeight) const { return FontHeight + 2 * HeaderBorderWidth() + 4; }
int TcxCustomLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState) const { return 1; }

RECT TcxCustomLookAndFeelPainter::HeaderSectionTextBounds(const RECT& R, TcxButtonState State) const
{
  return State == cxbsPressed ? OffsetRectXY(R, 1, 1) : R;
}

RECT TcxCustomLookAndFeelPainter::HeaderSectionContentBounds(const RECT& R, TcxButtonState State) const
{
  return cxDeflated(R, HeaderSectionBorderWidth(State));
}

int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas* Canvas, TcxBorders Borders, TFont* Font,
                                             std::string_view Text) const
{
  if (Font) Canvas->AssignFont(Font);
  int width = Canvas->MeasureTextWidth(Text) + 4;
  if (Borders.Contains(Left)) width += HeaderBorderWidth();
  if (Borders.Contains(Right)) width += HeaderBorderWidth();
  return width;
}

bool TcxCustomLookAndFeelPainter::IsHeaderThemed() const { return false; }
POINT TcxCustomLookAndFeelPainter::SortArrowAreaSize() const { return POINT{16, SortArrowSize().y}; }
POINT TcxCustomLookAndFeelPainter::SortArrowSize() const { return POINT{0, 0}; }

void TcxCustomLookAndFeelPainter::DrawGroupPanelBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap,
                                                           TColor Color, TBitmap* Bitmap) const
{
  FillBackground(Canvas, R, UseBitmap, Color, Bitmap);
}

TColor TcxCustomLookAndFeelPainter::GroupRowColorOffice11(bool IsFocused) const
{
  return IsFocused ? clWindow : dxOffice11GroupRowBackColor();
}

TColor TcxCustomLookAndFeelPainter::GroupRowSeparatorColorOffice11() const
{
  return dxOffice11GroupRowSeparatorColor();
}

TColor TcxCustomLookAndFeelPainter::GroupRowTextColorOffice11() const { return dxOffice11GroupRowTextColor(); }
bool TcxCustomLookAndFeelPainter::IsHeaderImageTransparent() const { return IsHeaderTransparent(); }
TColor TcxCustomLookAndFeelPainter::GroupPanelBackgroundColor() const { return HeaderBackgroundColor(); }
TColor TcxCustomLookAndFeelPainter::GroupPanelBackgroundTextColor() const { return HeaderBackgroundTextColor(); }

void TcxCustomLookAndFeelPainter::DrawLayoutViewItem(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  Canvas->FillRectWithColor(R, State == cxbsPressed ? SelectionColor() : GroupRowColor());
}

void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                              bool) const
{
  DrawLayoutViewRecordFrame(Canvas, R, cxBordersAll, State);
  Canvas->FillRectWithColor(R, State == cxbsHot ? SelectionColor() : GroupRowColor());
}

void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordFrame(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                            TcxButtonState State) const
{
  Canvas->DrawFrameRect(R, State == cxbsHot ? SelectionColor() : clBtnShadow, 1, Borders, true);
}

void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordBody(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                           TcxButtonState State) const
{
  DrawLayoutViewRecordFrame(Canvas, R, Borders, State);
  Canvas->FillRectWithColor(R, GroupRowColor());
}

void TcxCustomLookAndFeelPainter::DrawLayoutViewToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                             TcxButtonState State) const
{
  DrawGroupToggleButton(Canvas, R, Expanded, State);
}

RECT TcxCustomLookAndFeelPainter::LayoutViewItemPadding(int) const { return RECT{}; }
RECT TcxCustomLookAndFeelPainter::LayoutViewItemSpacing(int) const { return RECT{}; }
TcxBorders TcxCustomLookAndFeelPainter::DefaultCellBorders() const { return cxBordersAll; }

// --- Footers ---

int TcxCustomLookAndFeelPainter::FooterBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellSpacing() const { return 0; }
bool TcxCustomLookAndFeelPainter::FooterCellsDrawnFirst() const { return true; }
TColor TcxCustomLookAndFeelPainter::FooterSeparatorColor() const { return clBtnShadow; }
int TcxCustomLookAndFeelPainter::FooterSeparatorSize() const { return 1; }

void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz,
                                                 TcxVerticalAlignment AlignVert, bool MultiLine,
                                                 std::string_view Text, TFont* Font, TColor TextColor,
                                                 TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawFooterCellEdges(Canvas, R);
  DrawFooterCellContent(Canvas, R, AlignHorz, AlignVert, MultiLine, Text, Font, TextColor, BkColor,
                        OnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz,
                                                        TcxVerticalAlignment AlignVert, bool MultiLine,
                                                        std::string_view Text, TFont* Font, TColor TextColor,
                                                        TColor BkColor,
                                                        const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawCellContent(Canvas, FooterCellContentBounds(R), FooterCellTextBounds(R), cxbsDefault, AlignHorz, AlignVert,
                  MultiLine, false, Text, Font, TextColor, BkColor, OnDrawBackground, true);
}

void TcxCustomLookAndFeelPainter::DrawFooterEdges(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterCellEdges(TcxCanvas*, const RECT&) const {}

void TcxCustomLookAndFeelPainter::DrawFooterPanelPattern(TcxCanvas* Canvas, const RECT& R,
                                                         const TcxViewParams& ViewParams) const
{
  if (!IsRectEmpty(&R)) Canvas->FrameAndFillRect(R, ViewParams, false, 0);
}

void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->FillRectWithColor(R, FooterSeparatorColor());
}

// --- Filter buttons, popups, hints and screen tips ---

void TcxCustomLookAndFeelPainter::DrawFilterCheck(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                  bool IsChecked) const
{
  DrawCheckButtonByState(Canvas, R, State, IsChecked);
}

void TcxCustomLookAndFeelPainter::DrawCloseCrossButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
  DrawButtonEdges(Canvas, R, State);
  const RECT face = cxDeflated(R, ButtonBorderWidth(cxbsNormal));
  Canvas->FillRectWithColor(face, ButtonFaceColor(State));
  DrawCloseCross(Canvas, face, ButtonGlyphState(State), ButtonGlyphColor(State, clDefault));
}

void TcxCustomLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}

void TcxCustomLookAndFeelPainter::DrawFilterPanelBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap,
                                                            TColor Color, TBitmap* Bitmap) const
{
  FillBackground(Canvas, R, UseBitmap, Color, Bitmap);
}

POINT TcxCustomLookAndFeelPainter::FilterCheckSize() const { return POINT{13, 13}; }
POINT TcxCustomLookAndFeelPainter::CloseCrossButtonSize() const { return POINT{16, 14}; }
POINT TcxCustomLookAndFeelPainter::FilterArrowButtonSize() const { return POINT{15, 0}; }

void TcxCustomLookAndFeelPainter::DrawPopupBorder(TcxCanvas* Canvas, RECT& R, TcxEditPopupBorderStyle BorderStyle,
                                                  bool ClientEdge) const
{
  switch (BorderStyle) {
  case epbsSingle: Canvas->DrawFrameRect(R, clBtnText); break;
  case epbsFlat:
  case epbsFrame3D:
    Canvas->DrawBevelEdge(R, false, true);
    R = cxDeflated(R, 1);
    Canvas->DrawBevelEdge(R, false, false);
    if (BorderStyle == epbsFlat) break;
    R = cxDeflated(R, 1);
    Canvas->DrawFrameRect(R, ClientEdge ? clInactiveBorder : clBtnFace);
    R = cxDeflated(R, 1);
    if (ClientEdge)
      Canvas->DrawFrameRect(R, clBtnFace);
    else
      Canvas->DrawBevelEdge(R, true, false);
    break;
  case epbsDefault: break;
  }
  R = cxDeflated(R, 1);
}

void TcxCustomLookAndFeelPainter::FillFormContent(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->FillRectWithColor(R, clBtnFace);
}

int TcxCustomLookAndFeelPainter::PopupBorderWidth(TcxEditPopupBorderStyle BorderStyle) const
{
  static constexpr int Widths[] = {0, 1, 4, 2};  // default, single, frame 3-D, flat
  return Widths[static_cast<int>(BorderStyle)];
}

int TcxCustomLookAndFeelPainter::PopupFrameExtent(TcxEditPopupBorderStyle BorderStyle) const
{
  static constexpr int Extents[] = {0, 2, 2, 1};  // default, single, frame 3-D, flat
  return Extents[static_cast<int>(BorderStyle)];
}

TcxEditPopupBorderStyle TcxCustomLookAndFeelPainter::StandardPopupBorderStyle() const { return epbsSingle; }
TColor TcxCustomLookAndFeelPainter::HintBorderColor() const { return clDefault; }

void TcxCustomLookAndFeelPainter::FillHintBackground(TcxCanvas* Canvas, const RECT& R, TColor Color) const
{
  Canvas->FillRectWithColor(R, Color == clDefault ? clInfoBk : Color);
}

TColor TcxCustomLookAndFeelPainter::ScreenTipDescriptionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ScreenTipTitleTextColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::ScreenTipSeparatorSize() const { return 3; }

void TcxCustomLookAndFeelPainter::DrawScreenTipBackground(TcxCanvas* Canvas, const RECT& R) const
{
  FillHintBackground(Canvas, cxDeflated(R, 1), clDefault);
  Canvas->GetCurrentPen()->SetColor(clWindowFrame);
  SetBrushStyle(Canvas, TBrushStyle::bsClear);
  Canvas->Canvas()->RoundRect(R.left, R.top, R.right, R.bottom, 2, 2);
  SetBrushStyle(Canvas, TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawScreenTipSeparator(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->FillRectWithColor(RECT{R.left, R.top, R.right, R.top + 1}, clWindowFrame);
  Canvas->FillRectWithColor(RECT{R.left, R.top + 1, R.right, R.top + 2}, clWhite);
}

// --- Tabs and indicators ---

void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas*, const RECT&, TcxBorders, std::string_view, TcxButtonState, bool,
                                          TFont*, TColor, TColor, bool) const {}
void TcxCustomLookAndFeelPainter::DrawTabEdges(TcxCanvas*, const RECT&, bool, TcxBorders, TcxBorder) const {}
void TcxCustomLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas*, const RECT&, bool, TcxBorders) const {}
bool TcxCustomLookAndFeelPainter::IsTabDrawImplemented(bool) const { return false; }
bool TcxCustomLookAndFeelPainter::TabsTrackHot(bool) const { return false; }
int TcxCustomLookAndFeelPainter::TabBorderWidth(bool) const { return 0; }

void TcxCustomLookAndFeelPainter::DrawIndicatorSizingGrip(TcxCanvas* Canvas, const RECT& R, TColor Color) const
{
  // Five lines two pixels apart, the first, third and fifth with a dot before them.
  Canvas->GetCurrentPen()->SetColor(Color);
  for (int i = 0; i < 5; ++i) {
    const int y = (R.top + R.bottom - 9) / 2 + 2 * i;
    Canvas->MoveTo(R.left + 5, y);
    Canvas->LineTo(R.right - 3, y);
    if (i % 2 == 0) Canvas->SetPixelColor(R.left + 3, y, Color);
  }
}

void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind) const
{
  TCustomImageList* images = cxIndicatorImages();
  if (Kind == ikNone || !images) return;
  Canvas->DrawListImage(images, (R.left + R.right - images->Width()) / 2, (R.top + R.bottom - images->Height()) / 2,
                        static_cast<int>(Kind) - 1);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind,
                                                    TColor BkColor,
                                                    const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  const TcxNeighbours aboveAndBelow{TcxNeighbour::nTop, TcxNeighbour::nBottom};
  DrawHeader(Canvas, R, R, {}, HeaderNeighbourBorders(aboveAndBelow), cxbsNormal, taLeftJustify, vaCenter, false,
             false, {}, nullptr, clNone, BkColor, OnDrawBackground, false, false);
  DrawIndicatorImage(Canvas, R, Kind);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItemSimple(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind,
                                                          TColor BkColor,
                                                          const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawHeaderSimple(Canvas, R, R, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaCenter, false, false, {}, nullptr,
                   clNone, BkColor, OnDrawBackground);
  DrawIndicatorImage(Canvas, R, Kind);
}

bool TcxCustomLookAndFeelPainter::IsIndicatorHeaderVisible() const { return true; }
