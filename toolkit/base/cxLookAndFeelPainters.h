#pragma once
// Look-and-feel painters: the objects that give every custom-drawn control of the toolkit its colours
// and metrics and draw each of its parts (buttons, borders, check boxes, headers, footers, scroll
// bars, group boxes, ...) in one style.
//
// The shape of the painter family
// -------------------------------
// - Finding a painter. A control never asks which style is in effect: its TcxLookAndFeel
//   (cxLookAndFeels.h) picks a painter from the painters registry (cxLookAndFeelPaintersRegistry.h)
//   by style number (TcxPainterStyle) or, for skins, by name, and the control draws every part
//   through TcxLookAndFeel::Painter(). Other code that needs one particular built-in painter asks
//   the registry by style: GetPainterByStyle(cpsUltraFlat).
// - Painters are stateless and shared. One instance of each painter class exists, owned by the
//   registry; every control uses it. A painter has no fields, keeps no canvas, control or colour
//   between calls, and draws only through the TcxCanvas it is given. Every operation is const.
// - Identity. GetPainterName is the registry key (names are unique ignoring the case of A to Z) and
//   PainterStyle the style number; both are fixed by the class.
// - Overriding. Every operation below is virtual, and the base class gives each a default. A derived
//   painter overrides only what its look changes and calls the inherited operation (inherited::X)
//   for the rest. A concrete painter is declared in this header (with CL_CLASS) and keeps its
//   overrides in a file of its own: cxLookAndFeelPaintersStandard.cpp, ...Flat.cpp,
//   ...UltraFlat.cpp, ...Office11.cpp and ...Native.cpp. The base class is spread over
//   cxLookAndFeelPainters.cpp (identity, colours, cell content), cxLookAndFeelPaintersGlyphs.cpp
//   (the shared glyph routines), cxLookAndFeelPaintersControls.cpp (buttons to tabs and indicators)
//   and cxLookAndFeelPaintersPanels.cpp (scroll bars to previews), in the order of the operations
//   below.
// - Colour sentinels. clDefault as an argument asks the painter for its own colour; clDefault as the
//   answer of a colour operation tells the caller to use its own default; clNone draws nothing.
// - Empty rectangles draw nothing visible; no operation raises on ordinary input.
#include <span>
#include <string>
#include <string_view>
#include "classlib/Colors.h"
#include "classlib/DateTime.h"
#include "classlib/Events.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"
#include "classlib/StdCtrls.h"
#include "classlib/Win.h"
#include <uxtheme.h>
#include "toolkit/base/cxGraphicsCanvas.h"

class TBitmap;
class TControl;
class TCustomImageList;
class TFont;
class TdxSkinLookAndFeelPainterInfo;
class TdxSkinDetails;

// --- Value types of the painter interface ---

// cxbsDefault is the normal look of the default button of a form.
enum class TcxButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
using enum TcxButtonState;

enum class TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
using enum TcxCheckBoxState;

enum class TcxContainerBorderStyle { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };
using enum TcxContainerBorderStyle;

enum class TcxEditPopupBorderStyle { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
using enum TcxEditPopupBorderStyle;

enum class TcxPainterStyle { cpsFlat, cpsStandard, cpsUltraFlat, cpsNative, cpsOffice11, cpsSkin };
using enum TcxPainterStyle;

// Which sides of a cell touch a neighbouring cell; the same bit layout as TcxBorders.
enum class TcxNeighbour { nLeft, nTop, nRight, nBottom };
using TcxNeighbours = TSet<TcxNeighbour>;

enum class TcxArrowDirection { adUp, adDown, adLeft, adRight };
using enum TcxArrowDirection;

enum class TcxScrollBarElement { sbeNone, sbeLineBack, sbeLineForward, sbeThumb, sbePageBack, sbePageForward };
using enum TcxScrollBarElement;

enum class TcxGripCorner { gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight };
using enum TcxGripCorner;

enum class TcxVerticalAlignment { vaTop, vaBottom, vaCenter };
using enum TcxVerticalAlignment;

// The side of a group box that shows its caption (gcsNone: no caption band).
enum class TcxGroupBoxCaptionSide { gcsTop, gcsBottom, gcsLeft, gcsRight, gcsNone };
using enum TcxGroupBoxCaptionSide;

// The states an editor takes its colours for.
enum class TcxEditStateColorKind { esckNormal, esckDisabled, esckInactive, esckReadOnly };
using enum TcxEditStateColorKind;

// The images of grid indicator cells: none, then the six images of the indicator image list.
enum class TcxIndicatorKind { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow, ikFilter };
using enum TcxIndicatorKind;

// Paints the background of a cell itself and answers true, or answers false to leave it to the
// painter.
using TcxDrawBackgroundEvent = TEvent<bool(TcxCanvas* Canvas, const RECT& Bounds)>;

// The text-output flags of an operation that takes alignment, multi-line and end-ellipsis arguments.
int cxTextFlags(TAlignment alignHorz, TcxVerticalAlignment alignVert, bool multiLine, bool showEndEllipsis);

// The three points of an arrow triangle in the rectangle; arrowSize 0 derives the size from the
// rectangle, and proportional first makes the rectangle square about its centre.
struct TcxArrowPoints {
  POINT Points[3];
};
TcxArrowPoints CalcArrowPolygon(const RECT& r, int arrowSize, bool proportional, TcxArrowDirection direction);
// The direction of the arrow of a scroll-bar button.
TcxArrowDirection ScrollBarArrowDirection(bool horizontal, TcxScrollBarElement element);

// --- The base painter ---

class TcxCustomLookAndFeelPainter : public TPersistent {
  CL_CLASS(TcxCustomLookAndFeelPainter, TPersistent)
public:
  // === Identity, colours and cell content ===
  virtual TColor HotTrackTextColor() const;
  // UseBitmap: Bitmap tiled from the canvas origin (nothing without a bitmap); otherwise R filled
  // with Color.
  virtual void FillBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap, TColor Color, TBitmap* Bitmap) const;
  virtual void DrawDropDownArrow(TcxCanvas* Canvas, const RECT& R, TColor Color) const;
  // The background (unless OnDrawBackground painted it), then the text in TextBounds. State and
  // PlainBackground are for painters with their own header backgrounds.
  virtual void DrawCellContent(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxButtonState State,
                               TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                               bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                               TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground,
                               bool PlainBackground) const;
  virtual void DrawFooterPanel(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders) const;
  virtual void DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect, bool IsNext,
                                      TcxButtonState State) const;
  virtual RECT FooterCellContentBounds(const RECT& R) const;
  virtual RECT FooterCellTextBounds(const RECT& R) const;
  // R with one extent replaced by a strip Width wide centred in it: across the width when
  // Horizontal, else across the height.
  virtual RECT CalcCenteredStrip(const RECT& R, int Width, bool Horizontal) const;

  // Skin painters answer their painter information and true.
  virtual bool GetPainterInfo(TdxSkinLookAndFeelPainterInfo*& Info) const;
  virtual bool GetSkinDetails(TdxSkinDetails*& Details) const;
  virtual bool IsUserSkin() const;
  // The registry key.
  virtual std::string GetPainterName() const;
  virtual TcxPainterStyle PainterStyle() const;
  // The painter's answers change with the visual style or the system's colour scheme.
  virtual bool DependsOnSystemTheme() const;

  virtual TColor ContentColor() const;
  virtual TColor ContentEvenColor() const;
  virtual TColor ContentOddColor() const;
  virtual TColor ContentTextColor() const;
  virtual TColor EditorBackgroundColor(bool IsDisabled) const;
  virtual TColor EditorStateBackgroundColor(TcxEditStateColorKind State) const;
  virtual TColor EditorTextColor(bool IsDisabled) const;
  virtual TColor EditorStateTextColor(TcxEditStateColorKind State) const;
  virtual TColor FilterPanelColor() const;
  virtual TColor FilterPanelTextColor() const;
  virtual TColor FixedSeparatorColor() const;
  virtual TColor FooterColor() const;
  virtual TColor FooterTextColor() const;
  virtual TColor ExtraColor1() const;
  virtual TColor GridLineColor() const;
  virtual TColor GroupPanelColor() const;
  virtual TColor GroupPanelTextColor() const;
  virtual TColor GroupRowColor() const;
  virtual TColor GroupRowTextColor() const;
  virtual TColor HeaderBackgroundColor() const;
  virtual TColor HeaderBackgroundTextColor() const;
  virtual TColor HeaderColor() const;
  virtual TColor HeaderTextColor() const;
  virtual TColor HyperLinkTextColor() const;
  virtual TColor ExtraColor2() const;
  virtual TColor ExtraColor3() const;
  virtual TColor LinkTextColor() const;
  virtual TColor FixedGridLineColor() const;
  virtual TColor FormContentColor() const;
  virtual TColor BandBorderColor() const;
  virtual TColor CategoryColor() const;
  virtual TColor CategoryTextColor() const;
  virtual TColor RowHeaderColor() const;
  virtual TColor RowHeaderTextColor() const;
  virtual TColor VerticalGridLineColor() const;
  virtual TColor CalendarContentColor() const;
  virtual TColor CalendarHeaderColor() const;
  virtual TColor CalendarHeaderTextColor(bool IsHot) const;
  virtual TColor CalendarHolidayTextColor() const;
  virtual TColor CalendarInactiveDayTextColor() const;
  virtual TColor CalendarSelectedDayColor() const;
  virtual TColor CalendarSelectedDayTextColor() const;
  virtual TColor CalendarSeparatorColor() const;
  virtual TColor ExtraColor4() const;
  virtual TColor CalendarDayTextColor() const;
  virtual TColor CalendarTodayFrameColor() const;
  virtual TColor CalendarTodayTextColor() const;
  virtual TColor ExtraColor5() const;
  virtual TColor ExtraColor6() const;
  virtual TColor ContainerFrameColor() const;
  virtual TColor ExtraColor7() const;
  virtual TColor SchedulerNavigatorColor() const;
  virtual TColor SchedulerRulerColor() const;
  virtual TColor SchedulerRulerTextColor() const;
  virtual TColor SchedulerContentColor() const;
  virtual TColor SchedulerSelectedEventTextColor() const;
  virtual TColor SchedulerEventTextColor() const;
  virtual TColor SelectionColor() const;
  virtual TColor SelectionTextColor() const;
  virtual TColor CardSeparatorColor() const;
  virtual TColor ExtraColor8() const;
  virtual TColor ExtraColor9() const;
  virtual TColor ExtraColor10() const;
  virtual TColor ExtraColor11() const;
  virtual TColor ExtraColor12() const;
  virtual TColor TimeGridHeaderTextColor() const;
  virtual TColor ExtraColor13() const;
  virtual TColor ExtraColor14() const;
  virtual TColor ExtraColor15() const;
  virtual TColor ExtraColor16() const;
  virtual TColor ExtraColor17() const;
  virtual TColor ExtraColor18() const;
  virtual TColor ExtraColor19() const;
  virtual TColor ExtraColor20() const;
  virtual TColor ExtraColor21() const;
  virtual TColor ExtraColor22() const;
  virtual TColor ExtraColor23() const;
  virtual TColor ChartInfoBorderColor() const;
  virtual TColor ChartItemSeparatorColor() const;
  virtual TColor ItemColorBySelection(bool IsSelected) const;
  virtual TColor ItemTextColorBySelection(bool IsSelected) const;
  // (ExtraColor1 to ExtraColor23 serve controls of the family that this system does not contain;
  // they keep their place and defaults so that painters can override them.)

  // --- Shared glyph routines (not virtual) ---
  // The plus or minus sign of an expand box, 2 * ((width - 4) / 2) + 1 pixels long.
  void DrawPlusMinusSign(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const;
  // The double chevron of group toggle buttons, up when expanded.
  void DrawToggleChevrons(TcxCanvas* Canvas, const RECT& R, bool Expanded, TcxButtonState State) const;
  // An outline sort triangle of SortArrowSize: right edge light, left edge dark, the base light when
  // ascending and dark when descending.
  void DrawSortTriangle(TcxCanvas* Canvas, const RECT& R, TColor DarkColor, TColor LightColor, bool Ascending) const;
  // The cross of a close button, two pixels thick, one pixel further right and down when pressed.
  void DrawCloseCross(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, TColor Color) const;
  // The small side triangles of scheduler headers: Sides 1 left, 2 right, 3 both.
  void DrawHeaderSideArrows(TcxCanvas* Canvas, const RECT& R, int Sides, int Indent, TColor Color) const;

  // === Arrow glyphs, borders and push buttons ===
  virtual void DrawArrowGlyph(TcxCanvas* Canvas, const RECT& R, TColor Color, TcxArrowDirection Direction) const;
  virtual void DrawScrollArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                     TcxArrowDirection Direction, bool WithButton) const;
  virtual void DrawPlainButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawStateArrow(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                              TcxArrowDirection Direction) const;
  virtual int BorderWidth() const;
  virtual int SeparatorThickness() const;
  virtual void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawContainerBorder(TcxCanvas* Canvas, const RECT& R, TcxContainerBorderStyle BorderStyle, int Width,
                                   TColor Color, TcxBorders Borders) const;
  virtual void DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const;
  virtual RECT AdjustButtonGroupBounds(const RECT& R, int ButtonCount, int ButtonIndex) const;
  virtual int ButtonBorderWidth(TcxButtonState State) const;
  virtual TColor ButtonFaceColor(TcxButtonState State) const;
  virtual RECT ButtonFocusBounds(TcxCanvas* Canvas, const RECT& R) const;
  virtual RECT ButtonGroupBorderWidths(int ButtonCount, int ButtonIndex) const;
  virtual int ButtonContentIndent() const;
  virtual int ButtonPressedShift() const;
  virtual TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const;
  virtual TcxButtonState ButtonGlyphState(TcxButtonState State) const;
  virtual void DrawButton(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxButtonState State,
                          bool WithBorder, TColor Color, TColor TextColor, bool WordWrap, bool IsToolBarButton) const;
  virtual void DrawEditButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, int ButtonCount,
                                  int ButtonIndex, TColor FrameColor) const;
  virtual void DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawButtonFrame(TcxCanvas* Canvas, const RECT& R, bool IsSelected, bool IsPressed) const;

  // === Expand boxes and group toggle buttons ===
  virtual void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const;
  virtual void DrawRotatedGroupToggleButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool Expanded,
                                            TcxRotationAngle Rotation) const;
  virtual bool ExpandBoxDrawnFirst() const;
  virtual void DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded, TcxButtonState State) const;
  virtual void DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor FrameColor,
                                  TColor Color) const;
  virtual int ExpandBoxSize() const;
  virtual int GroupToggleButtonSize() const;
  virtual bool ButtonsTrackHot() const;
  virtual bool HitTestGroupToggleButton(const RECT& R, POINT P) const;
  virtual int SmallExpandBoxSize() const;

  // === Check boxes, radio buttons and etched lines ===
  virtual int CheckFrameWidth() const;
  virtual TColor CheckBoxFaceColor(TcxButtonState State) const;
  virtual SIZE CheckBoxGlyphSize() const;
  virtual void DrawCheckMark(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsChecked,
                             TColor Color) const;
  virtual void DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawCheckButtonByState(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsChecked) const;
  virtual void DrawCheckButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                               TcxCheckBoxState CheckState) const;
  virtual void DrawRadioButton(TcxCanvas* Canvas, int X, int Y, TcxButtonState State, bool IsChecked, bool IsFocused,
                               TColor BkColor, bool IsDesigning) const;
  virtual TColor RadioButtonFaceColor(TcxButtonState State) const;
  virtual SIZE RadioButtonGlyphSize() const;
  virtual void DrawEtchedLine(TcxCanvas* Canvas, const RECT& R, TColor LeftTopColor, TColor RightBottomColor,
                              bool IsVertical) const;
  virtual int EtchedLineThickness() const;

  // === Headers, sort arrows, group panels and layout-view items ===
  virtual void DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxNeighbours Neighbours,
                          TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz,
                          TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, std::string_view Text,
                          TFont* Font, TColor TextColor, TColor BkColor,
                          const TcxDrawBackgroundEvent& OnDrawBackground, bool IsLast, bool IsGroup) const;
  virtual void DrawHeaderSimple(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                TcxNeighbours Neighbours, TcxBorders Borders, TcxButtonState State,
                                TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                                bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                                TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const;
  virtual void InvertHeaderRect(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds, TcxNeighbours Neighbours,
                                 TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz,
                                 TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                 std::string_view Text, TFont* Font, TColor TextColor, TColor BkColor) const;
  virtual void DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                       TcxBorders Borders) const;
  virtual void DrawHeaderSectionContent(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds,
                                        TcxButtonState State, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                                        bool MultiLine, bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                        TColor TextColor, TColor BkColor) const;
  virtual void DrawHeaderSectionText(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, TAlignment AlignHorz,
                                     TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                     std::string_view Text, TFont* Font, TColor TextColor) const;
  virtual void DrawBandedBackground(TcxCanvas* Canvas, const RECT& R, const TcxViewParams& ViewParams, TColor Color,
                                    int BandWidth) const;
  virtual void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const;
  virtual TcxBorders HeaderNeighbourBorders(TcxNeighbours Neighbours) const;
  virtual int HeaderBorderWidth() const;
  virtual RECT HeaderBoundsFromContent(const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const;
  virtual RECT HeaderContentBounds(const RECT& R, TcxBorders Borders) const;
  virtual bool IsHeaderTransparent() const;
  virtual int HeaderHeight(int FontHeight) const;
  virtual int HeaderSectionBorderWidth(TcxButtonState State) const;
  virtual RECT HeaderSectionTextBounds(const RECT& R, TcxButtonState State) const;
  virtual RECT HeaderSectionContentBounds(const RECT& R, TcxButtonState State) const;
  virtual int HeaderWidth(TcxCanvas* Canvas, TcxBorders Borders, TFont* Font, std::string_view Text) const;
  virtual bool IsHeaderThemed() const;
  virtual POINT SortArrowAreaSize() const;
  virtual POINT SortArrowSize() const;
  virtual void DrawGroupPanelBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap, TColor Color,
                                        TBitmap* Bitmap) const;
  virtual TColor GroupRowColorOffice11(bool IsFocused) const;
  virtual TColor GroupRowSeparatorColorOffice11() const;
  virtual TColor GroupRowTextColorOffice11() const;
  virtual bool IsHeaderImageTransparent() const;
  virtual TColor GroupPanelBackgroundColor() const;
  virtual TColor GroupPanelBackgroundTextColor() const;
  virtual void DrawLayoutViewItem(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                           bool Gradient) const;
  virtual void DrawLayoutViewRecordFrame(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                         TcxButtonState State) const;
  virtual void DrawLayoutViewRecordBody(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                        TcxButtonState State) const;
  virtual void DrawLayoutViewToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                          TcxButtonState State) const;
  // Kind: an item kind of the layout view, a control of the family that this system does not contain.
  virtual RECT LayoutViewItemPadding(int Kind) const;
  virtual RECT LayoutViewItemSpacing(int Kind) const;
  virtual TcxBorders DefaultCellBorders() const;

  // === Footers ===
  virtual int FooterBorderWidth() const;
  virtual int FooterCellBorderWidth() const;
  virtual int FooterCellSpacing() const;
  virtual bool FooterCellsDrawnFirst() const;
  virtual TColor FooterSeparatorColor() const;
  virtual int FooterSeparatorSize() const;
  virtual void DrawFooterCell(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                              bool MultiLine, std::string_view Text, TFont* Font, TColor TextColor, TColor BkColor,
                              const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawFooterCellContent(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz,
                                     TcxVerticalAlignment AlignVert, bool MultiLine, std::string_view Text,
                                     TFont* Font, TColor TextColor, TColor BkColor,
                                     const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawFooterPanelPattern(TcxCanvas* Canvas, const RECT& R, const TcxViewParams& ViewParams) const;
  virtual void DrawFooterSeparator(TcxCanvas* Canvas, const RECT& R) const;

  // === Filter buttons, popups, hints and screen tips ===
  virtual void DrawFilterCheck(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsChecked) const;
  virtual void DrawCloseCrossButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsActive) const;
  virtual void DrawFilterPanelBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap, TColor Color,
                                         TBitmap* Bitmap) const;
  virtual POINT FilterCheckSize() const;
  virtual POINT CloseCrossButtonSize() const;
  virtual POINT FilterArrowButtonSize() const;
  // Draws from the outside in and deflates R as it goes.
  virtual void DrawPopupBorder(TcxCanvas* Canvas, RECT& R, TcxEditPopupBorderStyle BorderStyle,
                               bool ClientEdge) const;
  virtual void FillFormContent(TcxCanvas* Canvas, const RECT& R) const;
  virtual int PopupBorderWidth(TcxEditPopupBorderStyle BorderStyle) const;
  virtual int PopupFrameExtent(TcxEditPopupBorderStyle BorderStyle) const;
  virtual TcxEditPopupBorderStyle StandardPopupBorderStyle() const;
  virtual TColor HintBorderColor() const;
  virtual void FillHintBackground(TcxCanvas* Canvas, const RECT& R, TColor Color) const;
  virtual TColor ScreenTipDescriptionTextColor() const;
  virtual TColor ScreenTipTitleTextColor() const;
  virtual int ScreenTipSeparatorSize() const;
  virtual void DrawScreenTipBackground(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawScreenTipSeparator(TcxCanvas* Canvas, const RECT& R) const;

  // === Tabs and indicators ===
  // Borders: the sides on which the tab shows its edge; State cxbsPressed is the selected tab.
  virtual void DrawTab(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders, std::string_view Text,
                       TcxButtonState State, bool IsVertical, TFont* Font, TColor TextColor, TColor BkColor,
                       bool ShowPrefix) const;
  // R is the strip of one edge of a tab; Side tells which.
  virtual void DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                            TcxBorder Side) const;
  virtual void DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders) const;
  virtual bool IsTabDrawImplemented(bool IsVertical) const;
  virtual bool TabsTrackHot(bool IsVertical) const;
  virtual int TabBorderWidth(bool IsVertical) const;
  virtual void DrawIndicatorSizingGrip(TcxCanvas* Canvas, const RECT& R, TColor Color) const;
  virtual void DrawIndicatorImage(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind) const;
  virtual void DrawIndicatorItem(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind, TColor BkColor,
                                 const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawIndicatorItemSimple(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind, TColor BkColor,
                                       const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual bool IsIndicatorHeaderVisible() const;

  // === Scroll bars, size grips and small close buttons ===
  virtual int ScrollBarMinThumbSize(TScrollBarKind Kind) const;
  virtual void DrawScrollBarBackground(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal) const;
  virtual void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                                    TcxButtonState State) const;
  virtual SIZE SizeGripSize() const;
  virtual void DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawSizeGripMirrored(TcxCanvas* Canvas, const RECT& R, TcxGripCorner Corner, TColor BkColor) const;
  virtual POINT SmallCloseButtonSize() const;
  virtual void DrawSmallCloseButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;

  // === Scheduler parts, container frames and progress bars ===
  virtual void CalcSchedulerNavButtonLayout(bool IsNext, bool TextHidden, RECT& ArrowRect, RECT& TextRect,
                                            RECT& Bounds, POINT TextSize, POINT MinTextSize) const;
  // Sides: 1 an arrow at the left, 2 at the right, 3 both.
  virtual void DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxNeighbours Neighbours,
                                   const TcxViewParams& ViewParams, int Sides, int SideArrowIndent,
                                   const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawContainerFrame(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawProgressBar(TcxCanvas* Canvas, const RECT& R, bool IsTransparent, const TcxViewParams& ViewParams,
                               const RECT& BarR) const;
  virtual void DrawSchedulerNavButtonWithText(TcxCanvas* Canvas, const RECT& R, bool IsNext, TcxButtonState State,
                                              std::string_view Text, const RECT& TextR, const RECT& ArrowR) const;
  virtual void DrawSchedulerNavArrow(TcxCanvas* Canvas, const RECT& R, bool IsNext, TColor Color) const;
  virtual void DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const;
  virtual void DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                  const TcxViewParams& ViewParams) const;
  virtual RECT ProgressBarContentOffsets() const;
  virtual TColor SchedulerNavButtonTextColor(bool IsNext, TcxButtonState State, TColor DefaultColor) const;
  // Borders: (left, top, right, bottom) widths.
  virtual void SchedulerNavButtonMetrics(bool IsNext, RECT& Borders, bool& HasTextArea, POINT& ArrowSize) const;
  virtual int ChartInfoBorderSize() const;

  // === Clock, editor buttons, calendar header, navigator and progress text ===
  virtual void DrawClockFace(TcxCanvas* Canvas, const RECT& R, TColor FaceColor, TDateTime Time) const;
  // Kind: 1 drop-down, 2 glyph or text, 3 ellipsis, 4 spin up, 5 spin down; Position: 0 left, 1 right.
  virtual void DrawEditorButtonOfKind(TcxCanvas* Canvas, const RECT& R, int Position, TcxButtonState State,
                                      int Kind) const;
  virtual int EditorButtonTextOffset() const;
  virtual SIZE EditorButtonSize() const;
  virtual TColor EditorButtonTextColor() const;
  virtual TColor ContainerBorderColorEx(bool IsHighlighted) const;
  virtual int ContainerBorderWidth(TcxContainerBorderStyle BorderStyle) const;
  virtual void DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const;
  virtual void DrawNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex, bool IsEnabled,
                                  const RECT& R) const;
  virtual POINT NavigatorButtonSize() const;
  virtual void DrawProgressBarBorder(TcxCanvas* Canvas, const RECT& R, bool IsVertical) const;
  virtual void DrawProgressBarChunk(TcxCanvas* Canvas, const RECT& R, bool IsVertical) const;
  virtual void DrawProgressBarText(TcxCanvas* Canvas, bool IsVertical, TColor TextColor, const RECT& BarR,
                                   const RECT& R, std::string_view Text, bool IsSolidText) const;
  virtual RECT ProgressBarTextOffsets() const;
  virtual TColor ProgressBarDefaultTextColor() const;
  virtual TColor ProgressBarTextColor(bool IsFilledPart) const;

  // === Group boxes and panels ===
  virtual void DrawGroupBoxBackground(TcxCanvas* Canvas, const RECT& R, const RECT& ClipR) const;
  virtual void DrawGroupBoxCaption(TcxCanvas* Canvas, const RECT& R, TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual void DrawGroupBoxContent(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                   TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual void DrawGroupBoxToggleButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool Expanded,
                                        TcxRotationAngle Rotation) const;
  virtual void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                  TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const;
  virtual RECT GroupBoxBorderWidths(bool HasCaption, TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual TColor GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual int GroupBoxCaptionTail(TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual void DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl* Control, TColor EndColor, TColor BeginColor,
                                       const RECT& R) const;
  virtual void DrawPanelBackground(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawGroupBoxCaptionFor(TcxCanvas* Canvas, const RECT& R,
                                      TcxGroupBoxCaptionSide CaptionPosition) const;
  virtual void DrawGroupBoxPlainBackground(TcxCanvas* Canvas, const RECT& R, bool WithFrame) const;
  virtual RECT GroupBoxContentOffsets() const;
  virtual TColor GroupBoxCaptionTextColor() const;

  // === Track bars, splitters, layout controls, print previews and caption boxes ===
  // Kind: 0 a thumb pointing up (left when vertical), 1 down (right), 2 a box.
  virtual void AdjustTrackBarTrack(TcxCanvas* Canvas, RECT& R, int Kind, bool IsHorizontal) const;
  virtual void DrawTrackBarTrack(TcxCanvas* Canvas, const RECT& R, const RECT& SelectionR, bool ShowSelection,
                                 bool Enabled, bool IsHorizontal, TColor Color) const;
  virtual void DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawTrackBarThumb(TcxCanvas* Canvas, const RECT& R, TColor Color, int Kind, bool IsHorizontal,
                                 TcxButtonState State) const;
  virtual void DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine,
                                      std::span<const POINT> OuterLine, std::span<const POINT> InnerLine) const;
  virtual void DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const;
  virtual SIZE TrackBarThumbSize(int Kind) const;
  virtual TColor TrackBarTicksColor() const;
  virtual int TrackBarTrackSize() const;
  virtual TColor SplitterInnerColor(bool IsHighlighted) const;
  virtual TColor SplitterOuterColor(bool IsHighlighted) const;
  virtual void DrawSplitterGrip(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal, TcxButtonState State,
                                bool IsHighlighted) const;
  virtual SIZE SplitterSize(bool IsHorizontal) const;
  virtual TColor LayoutControlColor() const;
  virtual void DrawLayoutControlBackground(TcxCanvas* Canvas, const RECT& R) const;
  virtual RECT PrintPageBorderOffsets() const;
  virtual void FillPreviewBackground(TcxCanvas* Canvas, const RECT& R) const;
  virtual void DrawPrintPage(TcxCanvas* Canvas, const RECT& Bounds, const RECT& ContentR, bool IsSelected,
                             bool FillContent) const;
  virtual TColor PrintPreviewFrameColor(int Index) const;
  virtual TColor PrintPreviewPageColor() const;
  virtual void DrawCaptionBox(TcxCanvas* Canvas, const RECT& R, TColor Color, TFont* Font,
                              std::string_view Text) const;

  // --- Sizing panels of resizable popups (not virtual) ---
  int PopupPanelHeight() const;
  // ClientRect loses the borders and the panel strip (at the top for a top grip corner, else at the
  // bottom; PanelHeight 0 means PopupPanelHeight); the grip and close-button rectangles are empty
  // without a grip (not Sizeable) or a close button.
  void CalcPopupPanelLayout(RECT& ClientRect, RECT& PanelRect, const RECT& BorderWidths, TcxGripCorner Corner,
                            bool Sizeable, bool HasCloseButton, int PanelHeight, RECT& SizeGripRect,
                            RECT& CloseButtonRect) const;
  // Paints the non-client frame and the panel on the window's device context; the rectangles are in
  // screen coordinates.
  void PaintPopupSizingPanel(HWND Window, const RECT& ClientRect, const RECT& PanelRect, const RECT& SizeGripRect,
                             const RECT& CloseButtonRect, TcxGripCorner Corner, TColor BorderColor,
                             bool IsCloseButtonHot, bool IsCloseButtonTracking) const;
  void DrawPopupPanelParts(TcxCanvas* Canvas, const RECT& PanelRect, TColor SeparatorColor, TcxBorders SeparatorSides,
                           TcxButtonState CloseButtonState, TcxGripCorner Corner, const RECT& CloseButtonRect,
                           const RECT& SizeGripRect) const;
};

// --- The built-in painters ---
// Each keeps its overrides in cxLookAndFeelPainters<Name>.cpp.

// The classic three-dimensional look: "Standard", cpsStandard, the painter of lfStandard. Raised and
// sunken bevels two pixels deep in the system's 3-D colours, black frames around default and pressed
// buttons, and the platform's own scroll-bar arrow buttons.
class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  std::string GetPainterName() const override;
  TcxPainterStyle PainterStyle() const override;
  TColor SchedulerContentColor() const override;

  int BorderWidth() const override;
  void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  int ButtonContentIndent() const override;
  int ButtonPressedShift() const override;
  void DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;

  void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const override;
  // The flat painter's toggle button, when a flat painter is registered.
  void DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded, TcxButtonState State) const override;
  int ExpandBoxSize() const override;
  void DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;

  void DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const override;
  void DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                               TcxBorders Borders) const override;
  void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxButtonState State) const override;
  POINT SortArrowSize() const override;

  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsActive) const override;

  void DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                    TcxBorder Side) const override;
  void DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders) const override;
  int TabBorderWidth(bool IsVertical) const override;

  // Nothing for an empty R or a disabled thumb; no hot look.
  void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override;
  void DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxNeighbours Neighbours,
                           const TcxViewParams& ViewParams, int Sides, int SideArrowIndent,
                           const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                          const TcxViewParams& ViewParams) const override;
  void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                          TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine, std::span<const POINT> OuterLine,
                              std::span<const POINT> InnerLine) const override;
  void DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const override;
};

// The platform's visual styles, falling back to the standard look: "Native", cpsNative. Every
// operation opens the theme class it needs through the theme-handle cache (dxThemeManager.h) on each
// call and draws a numbered part in a numbered state; where the class does not open (or the theme
// does not give a size or colour) it does what the standard painter does. The overrides are spread
// over cxLookAndFeelPaintersNative.cpp (buttons to tabs) and cxLookAndFeelPaintersNativePanels.cpp
// (scroll bars to calendar headers).
class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
  CL_CLASS(TcxWinXPLookAndFeelPainter, TcxStandardLookAndFeelPainter)
public:
  std::string GetPainterName() const override;
  TcxPainterStyle PainterStyle() const override;
  // True while visual styles are available.
  bool DependsOnSystemTheme() const override;
  TColor ContainerFrameColor() const override;
  TColor SchedulerContentColor() const override;

  // --- Buttons and borders ---
  void DrawScrollArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, TcxArrowDirection Direction,
                             bool WithButton) const override;
  void DrawPlainButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  int BorderWidth() const override;
  void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const override;
  RECT AdjustButtonGroupBounds(const RECT& R, int ButtonCount, int ButtonIndex) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  TColor ButtonFaceColor(TcxButtonState State) const override;
  RECT ButtonFocusBounds(TcxCanvas* Canvas, const RECT& R) const override;
  RECT ButtonGroupBorderWidths(int ButtonCount, int ButtonIndex) const override;
  int ButtonContentIndent() const override;
  int ButtonPressedShift() const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  // The whole R is the themed button ("ToolBar" for tool-bar buttons); the text is centred on one
  // line in the canvas's font. WithBorder, Color, TextColor and WordWrap are not used.
  void DrawButton(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxButtonState State, bool WithBorder,
                  TColor Color, TColor TextColor, bool WordWrap, bool IsToolBarButton) const override;

  // --- Expand and toggle buttons ---
  void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const override;
  bool ExpandBoxDrawnFirst() const override;
  void DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded, TcxButtonState State) const override;
  void DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor FrameColor,
                          TColor Color) const override;
  int ExpandBoxSize() const override;
  int GroupToggleButtonSize() const override;
  bool ButtonsTrackHot() const override;
  bool HitTestGroupToggleButton(const RECT& R, POINT P) const override;
  int SmallExpandBoxSize() const override;

  // --- Check boxes and radio buttons ---
  int CheckFrameWidth() const override;
  SIZE CheckBoxGlyphSize() const override;
  void DrawCheckMark(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsChecked,
                     TColor Color) const override;
  void DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawRadioButton(TcxCanvas* Canvas, int X, int Y, TcxButtonState State, bool IsChecked, bool IsFocused,
                       TColor BkColor, bool IsDesigning) const override;
  SIZE RadioButtonGlyphSize() const override;

  // --- Headers ---
  // The themed header item over Bounds (the last one of the blue and olive green schemes in its own
  // part) and its text; no edges, and BkColor, OnDrawBackground and IsGroup are not used.
  void DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxNeighbours Neighbours,
                  TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                  bool MultiLine, bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                  TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground, bool IsLast,
                  bool IsGroup) const override;
  void InvertHeaderRect(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds, TcxNeighbours Neighbours,
                         TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz,
                         TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, std::string_view Text,
                         TFont* Font, TColor TextColor, TColor BkColor) const override;
  void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TcxButtonState State) const override;
  RECT HeaderSectionContentBounds(const RECT& R, TcxButtonState State) const override;
  bool IsHeaderThemed() const override;
  POINT SortArrowSize() const override;
  void DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                   bool Gradient) const override;

  // --- Footers, filter buttons and close buttons ---
  void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFooterCell(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                      bool MultiLine, std::string_view Text, TFont* Font, TColor TextColor, TColor BkColor,
                      const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  bool FooterCellsDrawnFirst() const override;
  void DrawCloseCrossButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsActive) const override;
  POINT FilterCheckSize() const override;
  POINT CloseCrossButtonSize() const override;

  // --- Popups, hints and screen tips ---
  // Deflates R by exactly 1 whatever the system and border style.
  void DrawPopupBorder(TcxCanvas* Canvas, RECT& R, TcxEditPopupBorderStyle BorderStyle,
                       bool ClientEdge) const override;
  int PopupBorderWidth(TcxEditPopupBorderStyle BorderStyle) const override;
  int PopupFrameExtent(TcxEditPopupBorderStyle BorderStyle) const override;
  TColor HintBorderColor() const override;
  void FillHintBackground(TcxCanvas* Canvas, const RECT& R, TColor Color) const override;
  TColor ScreenTipDescriptionTextColor() const override;
  TColor ScreenTipTitleTextColor() const override;

  // --- Tabs and indicators ---
  // A vertical tab is the themed tab image turned a quarter turn; its text stays horizontal.
  void DrawTab(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders, std::string_view Text, TcxButtonState State,
               bool IsVertical, TFont* Font, TColor TextColor, TColor BkColor, bool ShowPrefix) const override;
  void DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                    TcxBorder Side) const override;
  void DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders) const override;
  bool IsTabDrawImplemented(bool IsVertical) const override;
  bool TabsTrackHot(bool IsVertical) const override;
  int TabBorderWidth(bool IsVertical) const override;
  // The flat painter's indicator, when a flat painter is registered.
  void DrawIndicatorItem(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind, TColor BkColor,
                         const TcxDrawBackgroundEvent& OnDrawBackground) const override;

  // --- Scroll bars, size grips and small buttons ---
  // The theme's minimum thumb length, with the content margins on Windows Vista and later.
  int ScrollBarMinThumbSize(TScrollBarKind Kind) const override;
  // Nothing for an empty R; a disabled thumb is drawn too.
  void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override;
  SIZE SizeGripSize() const override;
  void DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const override;
  POINT SmallCloseButtonSize() const override;

  // --- Scheduler, progress, drop-down buttons and splitters ---
  void DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxNeighbours Neighbours,
                           const TcxViewParams& ViewParams, int Sides, int SideArrowIndent,
                           const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect, bool IsNext,
                              TcxButtonState State) const override;
  void DrawProgressBar(TcxCanvas* Canvas, const RECT& R, bool IsTransparent, const TcxViewParams& ViewParams,
                       const RECT& BarR) const override;
  RECT ProgressBarContentOffsets() const override;
  void DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                          const TcxViewParams& ViewParams) const override;
  void DrawSplitterGrip(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal, TcxButtonState State,
                        bool IsHighlighted) const override;

  // --- Group boxes, track bars and calendars ---
  void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                          TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const override;
  TColor GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide CaptionPosition) const override;
  // BeginColor clDefault: the parent's image under R; otherwise R filled with BeginColor.
  void DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl* Control, TColor EndColor, TColor BeginColor,
                               const RECT& R) const override;
  // R becomes the theme's thumb, centred in the old R.
  void AdjustTrackBarTrack(TcxCanvas* Canvas, RECT& R, int Kind, bool IsHorizontal) const override;
  void DrawTrackBarTrack(TcxCanvas* Canvas, const RECT& R, const RECT& SelectionR, bool ShowSelection, bool Enabled,
                         bool IsHorizontal, TColor Color) const override;
  void DrawTrackBarThumb(TcxCanvas* Canvas, const RECT& R, TColor Color, int Kind, bool IsHorizontal,
                         TcxButtonState State) const override;
  // The themed header over R; R is left unchanged.
  void DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const override;

  // Text through the theme in the part and state: Font and TextColor for the canvas, the platform's
  // text flags from the alignment, multi-line, ellipsis and prefix arguments; multi-line text aligned
  // to the bottom or the middle is placed by its wrapped height first. Nothing without a text;
  // Bounds and BkColor are not used.
  virtual void DrawThemedText(TcxCanvas* Canvas, HTHEME Theme, int PartId, int StateId, const RECT& Bounds,
                              const RECT& TextBounds, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                              bool MultiLine, bool ShowEndEllipsis, bool ShowPrefix, std::string_view Text,
                              TFont* Font, TColor TextColor, TColor BkColor) const;
};

// One-pixel raised and sunken edges: "Flat", cpsFlat, the painter of lfFlat. Raised is left and top
// clBtnHighlight, right and bottom clBtnShadow; sunken the other way round.
class TcxFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  std::string GetPainterName() const override;
  TcxPainterStyle PainterStyle() const override;

  int BorderWidth() const override;
  int SeparatorThickness() const override;
  void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  int ButtonContentIndent() const override;
  int ButtonPressedShift() const override;
  void DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;

  void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const override;
  int ExpandBoxSize() const override;
  void DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;

  void DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const override;
  void DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                               TcxBorders Borders) const override;
  void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const override;
  int HeaderBorderWidth() const override;
  POINT SortArrowSize() const override;

  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsActive) const override;

  void DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                    TcxBorder Side) const override;
  void DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders) const override;
  int TabBorderWidth(bool IsVertical) const override;

  // Nothing for an empty R or a disabled thumb; no hot look.
  void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override;
  void DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                          const TcxViewParams& ViewParams) const override;
  TColor SplitterOuterColor(bool IsHighlighted) const override;
  void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                          TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const override;
  // The inner line is not drawn.
  void DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine, std::span<const POINT> OuterLine,
                              std::span<const POINT> InnerLine) const override;
  void DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const override;
  // R filled with CalendarHeaderColor over a clBtnFace bottom line; R loses that line.
  void DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const override;
};

// Single one-pixel frames and highlight-tinted hot and pressed faces: "UltraFlat", cpsUltraFlat, the
// painter of lfUltraFlat, the default kind of every look-and-feel.
class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
public:
  std::string GetPainterName() const override;
  TcxPainterStyle PainterStyle() const override;

  // Identity, colours and cell content.
  void DrawFooterPanel(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders) const override;
  void DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect, bool IsNext,
                              TcxButtonState State) const override;
  TColor ContainerFrameColor() const override;
  // Arrow glyphs, borders and push buttons: one-pixel frames, hot and pressed faces tinted with the
  // highlight colour, content that does not move when pressed.
  int BorderWidth() const override;
  void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  TColor ButtonFaceColor(TcxButtonState State) const override;
  RECT ButtonFocusBounds(TcxCanvas* Canvas, const RECT& R) const override;
  RECT ButtonGroupBorderWidths(int ButtonCount, int ButtonIndex) const override;
  int ButtonContentIndent() const override;
  int ButtonPressedShift() const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  TcxButtonState ButtonGlyphState(TcxButtonState State) const override;
  // Joined editor buttons: normal and disabled ones framed in FrameColor, the others separated from
  // their neighbours by highlight-coloured columns.
  void DrawEditButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, int ButtonCount, int ButtonIndex,
                          TColor FrameColor) const override;
  void DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawButtonFrame(TcxCanvas* Canvas, const RECT& R, bool IsSelected, bool IsPressed) const override;
  // Expand boxes, check boxes and radio buttons.
  void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const override;
  int ExpandBoxSize() const override;
  bool ButtonsTrackHot() const override;
  void DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  TColor RadioButtonFaceColor(TcxButtonState State) const override;
  // Headers: one line between neighbours.
  void DrawHeaderSimple(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxNeighbours Neighbours,
                        TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                        bool MultiLine, bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                        TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const override;
  void DrawHeaderSectionBorder(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                               TcxBorders Borders) const override;
  void DrawHeaderSectionContent(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds, TcxButtonState State,
                                TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                                bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                                TColor BkColor) const override;
  void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const override;
  TcxBorders HeaderNeighbourBorders(TcxNeighbours Neighbours) const override;
  int HeaderBorderWidth() const override;
  POINT SortArrowSize() const override;
  TcxBorders DefaultCellBorders() const override;
  // Footers, filter buttons and tabs.
  int FooterBorderWidth() const override;
  int FooterCellBorderWidth() const override;
  int FooterCellSpacing() const override;
  void DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFooterCellEdges(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State, bool IsActive) const override;
  POINT CloseCrossButtonSize() const override;
  void DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                    TcxBorder Side) const override;
  void DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders) const override;
  int TabBorderWidth(bool IsVertical) const override;
  // Scroll bars, drop-down buttons, splitters, group boxes, track bars and previews.
  void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override;
  void DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                          const TcxViewParams& ViewParams) const override;
  void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders, TcxGroupBoxCaptionSide CaptionPosition,
                          bool IsEnabled) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine, std::span<const POINT> OuterLine,
                              std::span<const POINT> InnerLine) const override;
  void DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const override;
  TColor SplitterOuterColor(bool IsHighlighted) const override;
  SIZE SplitterSize(bool IsHorizontal) const override;
  void FillPreviewBackground(TcxCanvas* Canvas, const RECT& R) const override;

  // --- The frame colours the ultra-flat shapes are drawn in (the Office 2003 painter's own) ---
  // The frame of a stateful element (filter buttons): clBtnShadow when normal (or default), else
  // clHighlight.
  virtual TColor StateFrameColor(TcxButtonState State) const;
  // The ordinary frame (tab panes, tab edges, hot scheduler buttons).
  virtual TColor LightFrameColor() const;
  // The strong frame (the shadow side of tabs, scheduler buttons).
  virtual TColor DarkFrameColor() const;
  // The frame of selected or hot elements.
  virtual TColor HighlightFrameColor() const;
};

// The ultra-flat shapes in the Office 2003 colours: "Office11", cpsOffice11, the painter of
// lfOffice11. The colours are those of the Office 2003 colour set (dxOffice11.h), read at the moment
// of drawing; headers get a light-to-dark gradient with bevelled corner pixels, expand boxes the
// set's bitmaps, and scroll bars, drop-down button faces and group boxes the registered native
// painter's look while visual styles work.
class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
  CL_CLASS(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)
public:
  std::string GetPainterName() const override;
  TcxPainterStyle PainterStyle() const override;
  // True: the Office 2003 colours follow the visual style.
  bool DependsOnSystemTheme() const override;

  // --- Colours ---
  TColor HotTrackTextColor() const override;
  TColor CalendarHeaderColor() const override;
  TColor CalendarSelectedDayColor() const override;
  TColor CalendarSelectedDayTextColor() const override;
  TColor FilterPanelColor() const override;
  TColor FilterPanelTextColor() const override;
  TColor FooterColor() const override;
  TColor FooterTextColor() const override;
  TColor GroupRowColor() const override;
  TColor GroupPanelColor() const override;
  TColor GroupPanelTextColor() const override;
  TColor HeaderColor() const override;
  TColor HeaderBackgroundColor() const override;
  TColor ContainerFrameColor() const override;
  TColor ExtraColor7() const override;
  TColor ExtraColor8() const override;
  TColor ExtraColor10() const override;
  TColor ExtraColor13() const override;
  TColor ExtraColor15() const override;
  TColor FooterSeparatorColor() const override;
  TColor SplitterInnerColor(bool IsHighlighted) const override;
  TColor SplitterOuterColor(bool IsHighlighted) const override;
  TColor ButtonFaceColor(TcxButtonState State) const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  TColor CheckBoxFaceColor(TcxButtonState State) const override;
  TColor RadioButtonFaceColor(TcxButtonState State) const override;
  // The native painter's colour when visual styles are available for buttons, else the base rule.
  TColor GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide CaptionPosition) const override;
  // The frame colours that the ultra-flat painter introduces, in the Office 2003 colours.
  TColor StateFrameColor(TcxButtonState State) const override;
  TColor LightFrameColor() const override;
  TColor HighlightFrameColor() const override;

  // --- Metrics ---
  bool ExpandBoxDrawnFirst() const override;
  int ExpandBoxSize() const override;
  int SmallExpandBoxSize() const override;
  TcxBorders HeaderNeighbourBorders(TcxNeighbours Neighbours) const override;
  int HeaderBorderWidth() const override;
  bool IsHeaderThemed() const override;

  // --- Drawing ---
  void DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const override;
  void DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  // The scheme's expand-button bitmap at R's top-left corner, its corners blended into the
  // background; Color is not used.
  void DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const override;
  void DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor FrameColor,
                          TColor Color) const override;
  // The base header with its background always drawn by this painter.
  void DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxNeighbours Neighbours,
                  TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz, TcxVerticalAlignment AlignVert,
                  bool MultiLine, bool ShowEndEllipsis, std::string_view Text, TFont* Font, TColor TextColor,
                  TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground, bool IsLast,
                  bool IsGroup) const override;
  void DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours, TcxBorders Borders) const override;
  void DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds, TcxNeighbours Neighbours,
                         TcxBorders Borders, TcxButtonState State, TAlignment AlignHorz,
                         TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, std::string_view Text,
                         TFont* Font, TColor TextColor, TColor BkColor) const override;
  void DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const override;
  // The header background: a flat top colour ending in a four-pixel gradient band (all flat with
  // PlainBackground), and a gradient underline when hot.
  void DrawCellContent(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds, TcxButtonState State,
                       TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                       std::string_view Text, TFont* Font, TColor TextColor, TColor BkColor,
                       const TcxDrawBackgroundEvent& OnDrawBackground, bool PlainBackground) const override;
  void DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                   bool Gradient) const override;
  // The registered native painter's scroll bars (standard ones without visual styles).
  void DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override;
  void DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const override;
  void DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                          TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const override;
  void DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text, TcxNeighbours Neighbours,
                           const TcxViewParams& ViewParams, int Sides, int SideArrowIndent,
                           const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect, bool IsNext,
                              TcxButtonState State) const override;
  void DrawContainerFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const override;
  void DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine, std::span<const POINT> OuterLine,
                              std::span<const POINT> InnerLine) const override;
  void DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const override;
  // BeginColor clDefault: the parent's image under R; EndColor clDefault: R filled with BeginColor;
  // otherwise a vertical gradient from BeginColor to EndColor.
  void DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl* Control, TColor EndColor, TColor BeginColor,
                               const RECT& R) const override;
  void DrawLayoutControlBackground(TcxCanvas* Canvas, const RECT& R) const override;
  // R filled with CalendarHeaderColor; R is left unchanged.
  void DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const override;

  // --- The colours this painter adds ---
  virtual TColor Office11HeaderBottomColor() const;
  virtual TColor Office11DarkEdgeColor() const;
  virtual TColor Office11LightEdgeColor() const;
  // The per-channel middle of the two gradient colours.
  virtual TColor Office11HeaderColor() const;
};
