// The base painter's operations for control parts: arrow glyphs, borders and push buttons, expand
// and toggle buttons, check boxes and radio buttons, headers, footers, filter buttons, popups,
// hints, screen tips, tabs and indicators, in the order of the header.
#include "toolkit/base/cxLookAndFeelPainters.h"

// --- Arrow glyphs, borders and push buttons ---
// Filled in by the next step, except ButtonGlyphColor, which the shared glyph routines use already.

void TcxCustomLookAndFeelPainter::DrawArrowGlyph(TcxCanvas*, const RECT&, TColor, TcxArrowDirection) const {}
void TcxCustomLookAndFeelPainter::DrawScrollArrowButton(TcxCanvas*, const RECT&, TcxButtonState, TcxArrowDirection,
                                                        bool) const {}
void TcxCustomLookAndFeelPainter::DrawPlainButton(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawStateArrow(TcxCanvas*, const RECT&, TcxButtonState, TcxArrowDirection) const {}
int TcxCustomLookAndFeelPainter::BorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::SeparatorThickness() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawBorderFrame(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawContainerBorder(TcxCanvas*, const RECT&, TcxContainerBorderStyle, int, TColor,
                                                      TcxBorders) const {}
void TcxCustomLookAndFeelPainter::DrawSeparator(TcxCanvas*, const RECT&, bool) const {}
RECT TcxCustomLookAndFeelPainter::AdjustButtonGroupBounds(const RECT&, int, int) const { return {}; }
int TcxCustomLookAndFeelPainter::ButtonBorderWidth(TcxButtonState) const { return 0; }
TColor TcxCustomLookAndFeelPainter::ButtonFaceColor(TcxButtonState) const { return clDefault; }
RECT TcxCustomLookAndFeelPainter::ButtonFocusBounds(TcxCanvas*, const RECT&) const { return {}; }
RECT TcxCustomLookAndFeelPainter::ButtonGroupBorderWidths(int, int) const { return {}; }
int TcxCustomLookAndFeelPainter::ButtonContentIndent() const { return 0; }
int TcxCustomLookAndFeelPainter::ButtonPressedShift() const { return 0; }

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const
{
  if (State == cxbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonGlyphState(TcxButtonState State) const { return State; }
void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas*, const RECT&, std::string_view, TcxButtonState, bool, TColor,
                                             TColor, bool, bool) const {}
void TcxCustomLookAndFeelPainter::DrawEditButtonFace(TcxCanvas*, const RECT&, TcxButtonState, int, int,
                                                     TColor) const {}
void TcxCustomLookAndFeelPainter::DrawButtonEdges(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawButtonFrame(TcxCanvas*, const RECT&, bool, bool) const {}

// --- Expand boxes and group toggle buttons ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawExpandBox(TcxCanvas*, const RECT&, bool, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawRotatedGroupToggleButton(TcxCanvas*, const RECT&, TcxButtonState, bool,
                                                               TcxRotationAngle) const {}
bool TcxCustomLookAndFeelPainter::ExpandBoxDrawnFirst() const { return false; }
void TcxCustomLookAndFeelPainter::DrawGroupToggleButton(TcxCanvas*, const RECT&, bool, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawSmallExpandBox(TcxCanvas*, const RECT&, bool, TColor, TColor) const {}
int TcxCustomLookAndFeelPainter::ExpandBoxSize() const { return 0; }
int TcxCustomLookAndFeelPainter::GroupToggleButtonSize() const { return 0; }
bool TcxCustomLookAndFeelPainter::ButtonsTrackHot() const { return false; }
bool TcxCustomLookAndFeelPainter::HitTestGroupToggleButton(const RECT&, POINT) const { return false; }
int TcxCustomLookAndFeelPainter::SmallExpandBoxSize() const { return 0; }

// --- Check boxes, radio buttons and etched lines ---
// Filled in by the next step, except RadioButtonFaceColor, which the radio-button glyph cache uses
// already.

int TcxCustomLookAndFeelPainter::CheckFrameWidth() const { return 0; }
TColor TcxCustomLookAndFeelPainter::CheckBoxFaceColor(TcxButtonState) const { return clDefault; }
SIZE TcxCustomLookAndFeelPainter::CheckBoxGlyphSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawCheckMark(TcxCanvas*, const RECT&, TcxButtonState, bool, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawCheckFrame(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawCheckButtonByState(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}
void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas*, const RECT&, TcxButtonState, TcxCheckBoxState) const {}
void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas*, int, int, TcxButtonState, bool, bool, TColor,
                                                  bool) const {}

TColor TcxCustomLookAndFeelPainter::RadioButtonFaceColor(TcxButtonState State) const
{
  return State == cxbsPressed || State == cxbsDisabled ? clBtnFace : clWindow;
}

SIZE TcxCustomLookAndFeelPainter::RadioButtonGlyphSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawEtchedLine(TcxCanvas*, const RECT&, TColor, TColor, bool) const {}
int TcxCustomLookAndFeelPainter::EtchedLineThickness() const { return 0; }

// --- Headers, sort arrows, group panels and layout-view items ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawHeader(TcxCanvas*, const RECT&, const RECT&, TcxNeighbours, TcxBorders,
                                             TcxButtonState, TAlignment, TcxVerticalAlignment, bool, bool,
                                             std::string_view, TFont*, TColor, TColor, const TcxDrawBackgroundEvent&,
                                             bool, bool) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderSimple(TcxCanvas*, const RECT&, const RECT&, TcxNeighbours, TcxBorders,
                                                   TcxButtonState, TAlignment, TcxVerticalAlignment, bool, bool,
                                                   std::string_view, TFont*, TColor, TColor,
                                                   const TcxDrawBackgroundEvent&) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderEdges(TcxCanvas*, const RECT&, TcxNeighbours, TcxBorders) const {}
void TcxCustomLookAndFeelPainter::InvertHeaderRect(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderSection(TcxCanvas*, const RECT&, const RECT&, TcxNeighbours, TcxBorders,
                                                    TcxButtonState, TAlignment, TcxVerticalAlignment, bool, bool,
                                                    std::string_view, TFont*, TColor, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderSectionBorder(TcxCanvas*, const RECT&, TcxButtonState,
                                                          TcxBorders) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderSectionContent(TcxCanvas*, const RECT&, const RECT&, TcxButtonState,
                                                           TAlignment, TcxVerticalAlignment, bool, bool,
                                                           std::string_view, TFont*, TColor, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawHeaderSectionText(TcxCanvas*, const RECT&, TcxButtonState, TAlignment,
                                                        TcxVerticalAlignment, bool, bool, std::string_view, TFont*,
                                                        TColor) const {}
void TcxCustomLookAndFeelPainter::DrawBandedBackground(TcxCanvas*, const RECT&, const TcxViewParams&, TColor,
                                                       int) const {}
void TcxCustomLookAndFeelPainter::DrawSortArrow(TcxCanvas*, const RECT&, bool) const {}
TcxBorders TcxCustomLookAndFeelPainter::HeaderNeighbourBorders(TcxNeighbours) const { return {}; }
int TcxCustomLookAndFeelPainter::HeaderBorderWidth() const { return 0; }
RECT TcxCustomLookAndFeelPainter::HeaderBoundsFromContent(const RECT&, TcxNeighbours, TcxBorders) const { return {}; }
RECT TcxCustomLookAndFeelPainter::HeaderContentBounds(const RECT&, TcxBorders) const { return {}; }
bool TcxCustomLookAndFeelPainter::IsHeaderTransparent() const { return false; }
int TcxCustomLookAndFeelPainter::HeaderHeight(int) const { return 0; }
int TcxCustomLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState) const { return 0; }
RECT TcxCustomLookAndFeelPainter::HeaderSectionTextBounds(const RECT&, TcxButtonState) const { return {}; }
RECT TcxCustomLookAndFeelPainter::HeaderSectionContentBounds(const RECT&, TcxButtonState) const { return {}; }
int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas*, TcxBorders, TFont*, std::string_view) const { return 0; }
bool TcxCustomLookAndFeelPainter::IsHeaderThemed() const { return false; }
POINT TcxCustomLookAndFeelPainter::SortArrowAreaSize() const { return {}; }
POINT TcxCustomLookAndFeelPainter::SortArrowSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawGroupPanelBackground(TcxCanvas*, const RECT&, bool, TColor, TBitmap*) const {}
TColor TcxCustomLookAndFeelPainter::GroupRowColorOffice11(bool) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::GroupRowSeparatorColorOffice11() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::GroupRowTextColorOffice11() const { return clDefault; }
bool TcxCustomLookAndFeelPainter::IsHeaderImageTransparent() const { return false; }
TColor TcxCustomLookAndFeelPainter::GroupPanelBackgroundColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::GroupPanelBackgroundTextColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawLayoutViewItem(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordCaption(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}
void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordFrame(TcxCanvas*, const RECT&, TcxBorders,
                                                            TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawLayoutViewRecordBody(TcxCanvas*, const RECT&, TcxBorders,
                                                           TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawLayoutViewToggleButton(TcxCanvas*, const RECT&, bool, TcxButtonState) const {}
RECT TcxCustomLookAndFeelPainter::LayoutViewItemPadding(int) const { return {}; }
RECT TcxCustomLookAndFeelPainter::LayoutViewItemSpacing(int) const { return {}; }
TcxBorders TcxCustomLookAndFeelPainter::DefaultCellBorders() const { return {}; }

// --- Footers ---
// Filled in by the next step.

int TcxCustomLookAndFeelPainter::FooterBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellBorderWidth() const { return 0; }
int TcxCustomLookAndFeelPainter::FooterCellSpacing() const { return 0; }
bool TcxCustomLookAndFeelPainter::FooterCellsDrawnFirst() const { return false; }
TColor TcxCustomLookAndFeelPainter::FooterSeparatorColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::FooterSeparatorSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas*, const RECT&, TAlignment, TcxVerticalAlignment, bool,
                                                 std::string_view, TFont*, TColor, TColor,
                                                 const TcxDrawBackgroundEvent&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas*, const RECT&, TAlignment, TcxVerticalAlignment,
                                                        bool, std::string_view, TFont*, TColor, TColor,
                                                        const TcxDrawBackgroundEvent&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterEdges(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterCellEdges(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterPanelPattern(TcxCanvas*, const RECT&, const TcxViewParams&) const {}
void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas*, const RECT&) const {}

// --- Filter buttons, popups, hints and screen tips ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawFilterCheck(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}
void TcxCustomLookAndFeelPainter::DrawCloseCrossButton(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas*, const RECT&, TcxButtonState, bool) const {}
void TcxCustomLookAndFeelPainter::DrawFilterPanelBackground(TcxCanvas*, const RECT&, bool, TColor, TBitmap*) const {}
POINT TcxCustomLookAndFeelPainter::FilterCheckSize() const { return {}; }
POINT TcxCustomLookAndFeelPainter::CloseCrossButtonSize() const { return {}; }
POINT TcxCustomLookAndFeelPainter::FilterArrowButtonSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawPopupBorder(TcxCanvas*, RECT&, TcxEditPopupBorderStyle, bool) const {}
void TcxCustomLookAndFeelPainter::FillFormContent(TcxCanvas*, const RECT&) const {}
int TcxCustomLookAndFeelPainter::PopupBorderWidth(TcxEditPopupBorderStyle) const { return 0; }
int TcxCustomLookAndFeelPainter::PopupFrameExtent(TcxEditPopupBorderStyle) const { return 0; }
TcxEditPopupBorderStyle TcxCustomLookAndFeelPainter::StandardPopupBorderStyle() const { return epbsDefault; }
TColor TcxCustomLookAndFeelPainter::HintBorderColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::FillHintBackground(TcxCanvas*, const RECT&, TColor) const {}
TColor TcxCustomLookAndFeelPainter::ScreenTipDescriptionTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ScreenTipTitleTextColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::ScreenTipSeparatorSize() const { return 0; }
void TcxCustomLookAndFeelPainter::DrawScreenTipBackground(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawScreenTipSeparator(TcxCanvas*, const RECT&) const {}

// --- Tabs and indicators ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas*, const RECT&, TcxBorders, std::string_view, TcxButtonState, bool,
                                          TFont*, TColor, TColor, bool) const {}
void TcxCustomLookAndFeelPainter::DrawTabEdges(TcxCanvas*, const RECT&, bool, TcxBorders, TcxBorder) const {}
void TcxCustomLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas*, const RECT&, bool, TcxBorders) const {}
bool TcxCustomLookAndFeelPainter::IsTabDrawImplemented(bool) const { return false; }
bool TcxCustomLookAndFeelPainter::TabsTrackHot(bool) const { return false; }
int TcxCustomLookAndFeelPainter::TabBorderWidth(bool) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawIndicatorSizingGrip(TcxCanvas*, const RECT&, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas*, const RECT&, TcxIndicatorKind) const {}
void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas*, const RECT&, TcxIndicatorKind, TColor,
                                                    const TcxDrawBackgroundEvent&) const {}
void TcxCustomLookAndFeelPainter::DrawIndicatorItemSimple(TcxCanvas*, const RECT&, TcxIndicatorKind, TColor,
                                                          const TcxDrawBackgroundEvent&) const {}
bool TcxCustomLookAndFeelPainter::IsIndicatorHeaderVisible() const { return false; }
