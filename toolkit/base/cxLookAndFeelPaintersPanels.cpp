// The base painter's operations for panels: scroll bars, size grips, popup sizing panels, scheduler
// parts, progress bars, the clock, editor buttons, group boxes, track bars, splitters, layout controls
// and print previews, in the order of the header.
#include "toolkit/base/cxLookAndFeelPainters.h"

// --- Scroll bars, size grips and small close buttons ---
// Filled in by the next step.

int TcxCustomLookAndFeelPainter::ScrollBarMinThumbSize(TScrollBarKind) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas*, const RECT&, bool) const {}
void TcxCustomLookAndFeelPainter::DrawScrollBarElement(TcxCanvas*, bool, const RECT&, TcxScrollBarElement,
                                                       TcxButtonState) const {}
SIZE TcxCustomLookAndFeelPainter::SizeGripSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawSizeGripMirrored(TcxCanvas*, const RECT&, TcxGripCorner, TColor) const {}
POINT TcxCustomLookAndFeelPainter::SmallCloseButtonSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas*, const RECT&, TcxButtonState) const {}

// --- Scheduler parts, container frames and progress bars ---
// Filled in by the next step (DrawSchedulerNavButton, declared among the first operations, too).

void TcxCustomLookAndFeelPainter::DrawSchedulerNavButton(TcxCanvas*, const RECT&, const RECT&, bool,
                                                         TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::CalcSchedulerNavButtonLayout(bool, bool, RECT&, RECT&, RECT&, POINT,
                                                               POINT) const {}
void TcxCustomLookAndFeelPainter::DrawSchedulerHeader(TcxCanvas*, const RECT&, std::string_view, TcxNeighbours,
                                                      const TcxViewParams&, int, int,
                                                      const TcxDrawBackgroundEvent&) const {}
void TcxCustomLookAndFeelPainter::DrawContainerFrame(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawProgressBar(TcxCanvas*, const RECT&, bool, const TcxViewParams&,
                                                  const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawSchedulerNavButtonWithText(TcxCanvas*, const RECT&, bool, TcxButtonState,
                                                                 std::string_view, const RECT&, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawSchedulerNavArrow(TcxCanvas*, const RECT&, bool, TColor) const {}
void TcxCustomLookAndFeelPainter::DrawDropDownButtonFace(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawSplitterBorder(TcxCanvas*, const RECT&, bool, const TcxViewParams&) const {}
RECT TcxCustomLookAndFeelPainter::ProgressBarContentOffsets() const { return {}; }
TColor TcxCustomLookAndFeelPainter::SchedulerNavButtonTextColor(bool, TcxButtonState, TColor) const
{
  return clDefault;
}
void TcxCustomLookAndFeelPainter::SchedulerNavButtonMetrics(bool, RECT& Borders, bool& HasTextArea,
                                                            POINT& ArrowSize) const
{
  Borders = {};
  HasTextArea = false;
  ArrowSize = {};
}
int TcxCustomLookAndFeelPainter::ChartInfoBorderSize() const { return 0; }

// --- Clock, editor buttons, calendar header, navigator and progress text ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawClockFace(TcxCanvas*, const RECT&, TColor, TDateTime) const {}
void TcxCustomLookAndFeelPainter::DrawEditorButtonOfKind(TcxCanvas*, const RECT&, int, TcxButtonState, int) const {}
int TcxCustomLookAndFeelPainter::EditorButtonTextOffset() const { return 0; }
SIZE TcxCustomLookAndFeelPainter::EditorButtonSize() const { return {}; }
TColor TcxCustomLookAndFeelPainter::EditorButtonTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ContainerBorderColorEx(bool) const { return clDefault; }
int TcxCustomLookAndFeelPainter::ContainerBorderWidth(TcxContainerBorderStyle) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawCalendarHeader(TcxCanvas*, RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawNavigatorGlyph(TcxCanvas*, TCustomImageList*, int, bool, const RECT&) const {}
POINT TcxCustomLookAndFeelPainter::NavigatorButtonSize() const { return {}; }
void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas*, const RECT&, bool) const {}
void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas*, const RECT&, bool) const {}
void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas*, bool, TColor, const RECT&, const RECT&,
                                                      std::string_view, bool) const {}
RECT TcxCustomLookAndFeelPainter::ProgressBarTextOffsets() const { return {}; }
TColor TcxCustomLookAndFeelPainter::ProgressBarDefaultTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor(bool) const { return clDefault; }

// --- Group boxes and panels ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas*, const RECT&, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas*, const RECT&, TcxGroupBoxCaptionSide) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas*, const RECT&, TcxBorders,
                                                      TcxGroupBoxCaptionSide) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxToggleButton(TcxCanvas*, const RECT&, TcxButtonState, bool,
                                                           TcxRotationAngle) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas*, const RECT&, TcxBorders, TcxGroupBoxCaptionSide,
                                                     bool) const {}
RECT TcxCustomLookAndFeelPainter::GroupBoxBorderWidths(bool, TcxGroupBoxCaptionSide) const { return {}; }
TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool, TcxGroupBoxCaptionSide) const { return clDefault; }
int TcxCustomLookAndFeelPainter::GroupBoxCaptionTail(TcxGroupBoxCaptionSide) const { return 0; }
void TcxCustomLookAndFeelPainter::DrawGroupBoxCaptionArea(TcxCanvas*, TControl*, TColor, TColor, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxCaptionFor(TcxCanvas*, const RECT&, TcxGroupBoxCaptionSide) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxPlainBackground(TcxCanvas*, const RECT&, bool) const {}
RECT TcxCustomLookAndFeelPainter::GroupBoxContentOffsets() const { return {}; }
TColor TcxCustomLookAndFeelPainter::GroupBoxCaptionTextColor() const { return clDefault; }

// --- Track bars, splitters, layout controls, print previews and caption boxes ---
// Filled in by the next step.

void TcxCustomLookAndFeelPainter::AdjustTrackBarTrack(TcxCanvas*, RECT&, int, bool) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas*, const RECT&, const RECT&, bool, bool, bool,
                                                    TColor) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas*, const RECT&, TColor, int, bool,
                                                    TcxButtonState) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas*, std::span<const POINT>, std::span<const POINT>,
                                                         std::span<const POINT>) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas*, const RECT&) const {}
SIZE TcxCustomLookAndFeelPainter::TrackBarThumbSize(int) const { return {}; }
TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::TrackBarTrackSize() const { return 0; }
TColor TcxCustomLookAndFeelPainter::SplitterInnerColor(bool) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::SplitterOuterColor(bool) const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawSplitterGrip(TcxCanvas*, const RECT&, bool, TcxButtonState, bool) const {}
SIZE TcxCustomLookAndFeelPainter::SplitterSize(bool) const { return {}; }
TColor TcxCustomLookAndFeelPainter::LayoutControlColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas*, const RECT&) const {}
RECT TcxCustomLookAndFeelPainter::PrintPageBorderOffsets() const { return {}; }
void TcxCustomLookAndFeelPainter::FillPreviewBackground(TcxCanvas*, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawPrintPage(TcxCanvas*, const RECT&, const RECT&, bool, bool) const {}
TColor TcxCustomLookAndFeelPainter::PrintPreviewFrameColor(int) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::PrintPreviewPageColor() const { return clDefault; }
void TcxCustomLookAndFeelPainter::DrawCaptionBox(TcxCanvas*, const RECT&, TColor, TFont*, std::string_view) const {}

// --- Sizing panels of resizable popups ---
// Filled in by the next step.

int TcxCustomLookAndFeelPainter::PopupPanelHeight() const { return 0; }
void TcxCustomLookAndFeelPainter::CalcPopupPanelLayout(RECT&, RECT& PanelRect, const RECT&, TcxGripCorner, bool,
                                                       bool, int, RECT& SizeGripRect, RECT& CloseButtonRect) const
{
  PanelRect = SizeGripRect = CloseButtonRect = {};
}
void TcxCustomLookAndFeelPainter::PaintPopupSizingPanel(HWND, const RECT&, const RECT&, const RECT&, const RECT&,
                                                        TcxGripCorner, TColor, bool, bool) const {}
void TcxCustomLookAndFeelPainter::DrawPopupPanelParts(TcxCanvas*, const RECT&, TColor, TcxBorders, TcxButtonState,
                                                      TcxGripCorner, const RECT&, const RECT&) const {}
