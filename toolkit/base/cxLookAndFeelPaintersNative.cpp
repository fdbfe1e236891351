// The native painter, first half: identity, colours, buttons and borders, expand and toggle buttons,
// check boxes and radio buttons, headers, footers, filter and close buttons, popups, hints and
// tabs. Each operation asks the theme-handle cache for its class on every call and, where the class
// does not open, does what the standard painter does.
#include "toolkit/base/cxLookAndFeelPaintersNative.h"

#include <algorithm>
#include "classlib/Graphics.h"
#include "classlib/GraphicsObjects.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxLookAndFeelPaintersBevels.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxOffice11.h"

CL_DEFINE_CLASS(TcxWinXPLookAndFeelPainter);

// --- State maps and theme calls ---

int cxThemeState(TcxThemeStateMap Map, TcxButtonState State)
{
  // Columns: default, normal, hot, pressed, disabled.
  static constexpr int States[][5] = {
    {5, 1, 2, 3, 4},  // PushButton
    {1, 1, 2, 3, 4},  // FourState
    {1, 1, 2, 3, 4},  // CheckUnchecked
    {5, 5, 6, 7, 8},  // CheckChecked
    {1, 1, 2, 3, 1},  // HeaderItem
    {2, 2, 5, 3, 4},  // DropDownFace
    {2, 1, 2, 3, 5},  // TrackBarThumb
    {1, 1, 2, 3, 1},  // ExplorerToggle
  };
  return States[static_cast<int>(Map)][static_cast<int>(State)];
}

int cxThemeCheckState(TcxButtonState State, bool IsChecked)
{
  return cxThemeState(IsChecked ? TcxThemeStateMap::CheckChecked : TcxThemeStateMap::CheckUnchecked, State);
}

void cxDrawThemePart(TcxCanvas* Canvas, HTHEME Theme, int Part, int State, const RECT& R, const RECT* Clip)
{
  dxUxTheme::DrawThemeBackground(Theme, Canvas->GetDCHandle(), Part, State, &R, Clip);
}

bool cxThemePartSize(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE Kind, SIZE& Size, const RECT* Bounds)
{
  return Theme && SUCCEEDED(dxUxTheme::GetThemePartSize(Theme, DC, Part, State, Bounds, Kind, &Size));
}

bool cxThemeContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT& Bounds, RECT& Content)
{
  return Theme && SUCCEEDED(dxUxTheme::GetThemeBackgroundContentRect(Theme, DC, Part, State, &Bounds, &Content));
}

bool cxThemeContentMargins(HTHEME Theme, int Part, int State, RECT& Margins)
{
  RECT content{};
  if (!cxThemeContentRect(Theme, nullptr, Part, State, RECT{0, 0, 100, 100}, content)) return false;
  Margins = RECT{content.left, content.top, 100 - content.right, 100 - content.bottom};
  return true;
}

bool cxThemeColor(HTHEME Theme, int Part, int State, int Property, TColor& Color)
{
  COLORREF color = 0;
  if (!Theme || FAILED(dxUxTheme::GetThemeColor(Theme, Part, State, Property, &color))) return false;
  Color = static_cast<TColor>(color);
  return true;
}

namespace {
using enum TdxThemedObjectType;
using enum TcxThemeStateMap;

// A colour property that the push button does not carry as a colour: the theme answers failure and
// the base colour applies.
constexpr int ButtonFaceColorProperty = 204;
// The list-view part whose edge is the control's border.
constexpr int ListViewBorderPart = 5;

SIZE TrueSize(HTHEME theme, int part, int state, SIZE fallback)
{
  SIZE size{};
  return cxThemePartSize(theme, nullptr, part, state, TS_TRUE, size) ? size : fallback;
}

POINT AsPoint(SIZE size) { return POINT{size.cx, size.cy}; }
SIZE AsSize(POINT point) { return SIZE{point.x, point.y}; }

}  // namespace

// --- Identity and colours ---

std::string TcxWinXPLookAndFeelPainter::GetPainterName() const { return "Native"; }
TcxPainterStyle TcxWinXPLookAndFeelPainter::PainterStyle() const { return cpsNative; }
bool TcxWinXPLookAndFeelPainter::DependsOnSystemTheme() const { return AreThemesAvailable(); }

TColor TcxWinXPLookAndFeelPainter::ContainerFrameColor() const
{
  TColor color;
  if (cxThemeColor(cxTheme(totComboBox), CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR, color)) return color;
  return inherited::ContainerFrameColor();
}

TColor TcxWinXPLookAndFeelPainter::SchedulerContentColor() const { return static_cast<TColor>(RGB(0xFF, 0xFF, 0xD5)); }

// --- Buttons and borders ---

void TcxWinXPLookAndFeelPainter::DrawScrollArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                       TcxArrowDirection Direction, bool WithButton) const
{
  HTHEME theme = cxTheme(totScrollBar);
  if (!theme) return inherited::DrawScrollArrowButton(Canvas, R, State, Direction, WithButton);
  cxDrawThemePart(Canvas, theme, SBP_ARROWBTN, cxThemeState(FourState, State) + 4 * static_cast<int>(Direction), R);
}

void TcxWinXPLookAndFeelPainter::DrawPlainButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  HTHEME theme = cxTheme(totButton);
  if (!theme) return inherited::DrawPlainButton(Canvas, R, State);
  cxDrawThemePart(Canvas, theme, BP_PUSHBUTTON, cxThemeState(PushButton, State), R);
}

int TcxWinXPLookAndFeelPainter::BorderWidth() const
{
  return cxTheme(totListView) ? 1 : inherited::BorderWidth();
}

void TcxWinXPLookAndFeelPainter::DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const
{
  HTHEME theme = cxTheme(totListView);
  if (!theme) return inherited::DrawBorderFrame(Canvas, R);
  // Only the one-pixel ring of the themed list view is painted.
  Canvas->PushDCState();
  Canvas->ExcludeRectFromClip(InflateRectXY(R, -1, -1));
  cxDrawThemePart(Canvas, theme, ListViewBorderPart, 0, R);
  Canvas->PopDCState();
}

void TcxWinXPLookAndFeelPainter::DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const
{
  HTHEME theme = cxTheme(totToolBar);
  if (!theme) return inherited::DrawSeparator(Canvas, R, InHorizontalRow);
  cxDrawThemePart(Canvas, theme, InHorizontalRow ? TP_SEPARATOR : TP_SEPARATORVERT, 1, R);
}

RECT TcxWinXPLookAndFeelPainter::AdjustButtonGroupBounds(const RECT& R, int ButtonCount, int ButtonIndex) const
{
  RECT result = inherited::AdjustButtonGroupBounds(R, ButtonCount, ButtonIndex);
  HTHEME theme = cxTheme(totButton);
  if (theme && dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, 1))
    InflateRect(&result, 1, 1);
  return result;
}

int TcxWinXPLookAndFeelPainter::ButtonBorderWidth(TcxButtonState State) const
{
  RECT margins{};
  if (cxThemeContentMargins(cxTheme(totButton), BP_PUSHBUTTON, cxThemeState(PushButton, State), margins))
    return margins.left;
  // Without the theme: the standard painter's width of a normal button, whatever the state.
  return inherited::ButtonBorderWidth(cxbsNormal);
}

TColor TcxWinXPLookAndFeelPainter::ButtonFaceColor(TcxButtonState State) const
{
  TColor color;
  if (cxThemeColor(cxTheme(totButton), BP_PUSHBUTTON, cxThemeState(PushButton, State), ButtonFaceColorProperty,
                   color))
    return color;
  return inherited::ButtonFaceColor(State);
}

RECT TcxWinXPLookAndFeelPainter::ButtonFocusBounds(TcxCanvas* Canvas, const RECT& R) const
{
  RECT content{};
  if (cxThemeContentRect(cxTheme(totButton), cxThemeDC(Canvas), BP_PUSHBUTTON, 1, R, content)) return content;
  return inherited::ButtonFocusBounds(Canvas, R);
}

RECT TcxWinXPLookAndFeelPainter::ButtonGroupBorderWidths(int ButtonCount, int ButtonIndex) const
{
  HTHEME theme = cxTheme(totButton);
  RECT margins{};
  if (!cxThemeContentMargins(theme, BP_PUSHBUTTON, 1, margins))
    return inherited::ButtonGroupBorderWidths(ButtonCount, ButtonIndex);
  if (dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, 1))
    margins = RECT{margins.left - 1, margins.top - 1, margins.right - 1, margins.bottom - 1};
  return margins;
}

int TcxWinXPLookAndFeelPainter::ButtonContentIndent() const { return 2; }
int TcxWinXPLookAndFeelPainter::ButtonPressedShift() const { return 0; }

TColor TcxWinXPLookAndFeelPainter::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const
{
  TColor color;
  if (cxThemeColor(cxTheme(totButton), BP_PUSHBUTTON, cxThemeState(PushButton, State), TMT_TEXTCOLOR, color))
    return color;
  return inherited::ButtonGlyphColor(State, DefaultColor);
}

void TcxWinXPLookAndFeelPainter::DrawButton(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                            TcxButtonState State, bool WithBorder, TColor Color, TColor TextColor,
                                            bool WordWrap, bool IsToolBarButton) const
{
  HTHEME theme = cxTheme(IsToolBarButton ? totToolBar : totButton);
  if (!theme)
    return inherited::DrawButton(Canvas, R, Text, State, WithBorder, Color, TextColor, WordWrap, IsToolBarButton);
  const int state = cxThemeState(PushButton, State);
  cxDrawThemePart(Canvas, theme, BP_PUSHBUTTON, state, R);
  if (!Text.empty())
    DrawThemeTextAnsi(theme, Canvas->GetDCHandle(), BP_PUSHBUTTON, state, Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      0, &R);
}

// --- Expand and toggle buttons ---

void TcxWinXPLookAndFeelPainter::DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor Color) const
{
  HTHEME theme = cxTheme(totTreeView);
  if (!theme) return inherited::DrawExpandBox(Canvas, R, Expanded, Color);
  cxDrawThemePart(Canvas, theme, TVP_GLYPH, Expanded ? 2 : 1, R);
  Canvas->ExcludeRectFromClip(R);
}

bool TcxWinXPLookAndFeelPainter::ExpandBoxDrawnFirst() const { return false; }

void TcxWinXPLookAndFeelPainter::DrawGroupToggleButton(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                       TcxButtonState State) const
{
  HTHEME theme = cxTheme(totExplorerBar);
  if (!theme) return inherited::DrawGroupToggleButton(Canvas, R, Expanded, State);
  cxDrawThemePart(Canvas, theme, Expanded ? EBP_NORMALGROUPCOLLAPSE : EBP_NORMALGROUPEXPAND,
                  cxThemeState(ExplorerToggle, State), R);
}

void TcxWinXPLookAndFeelPainter::DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor,
                                                    TColor Color) const
{
  if (cxTheme(totTreeView))
    DrawExpandBox(Canvas, R, Expanded, clDefault);
  else
    // A frame in the colour the caller gave for the face, and no fill.
    inherited::DrawSmallExpandBox(Canvas, R, Expanded, Color, clDefault);
}

int TcxWinXPLookAndFeelPainter::ExpandBoxSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totTreeView), nullptr, TVP_GLYPH, 2, TS_TRUE, size)) return size.cx;
  return inherited::ExpandBoxSize();
}

int TcxWinXPLookAndFeelPainter::GroupToggleButtonSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totExplorerBar), nullptr, EBP_NORMALGROUPEXPAND, 1, TS_TRUE, size)) return size.cx;
  return inherited::GroupToggleButtonSize();
}

bool TcxWinXPLookAndFeelPainter::ButtonsTrackHot() const { return true; }

bool TcxWinXPLookAndFeelPainter::HitTestGroupToggleButton(const RECT& R, POINT P) const
{
  HTHEME theme = cxTheme(totExplorerBar);
  HRGN region = nullptr;
  if (!theme || FAILED(dxUxTheme::GetThemeBackgroundRegion(theme, nullptr, EBP_NORMALGROUPEXPAND, 2, &R, &region)) ||
      !region)
    return inherited::HitTestGroupToggleButton(R, P);
  const bool inside = PtInRegion(region, P.x, P.y);
  DeleteObject(region);
  return inside;
}

int TcxWinXPLookAndFeelPainter::SmallExpandBoxSize() const
{
  return cxTheme(totTreeView) ? ExpandBoxSize() : inherited::SmallExpandBoxSize();
}

// --- Check boxes and radio buttons ---

int TcxWinXPLookAndFeelPainter::CheckFrameWidth() const
{
  return cxTheme(totButton) ? 0 : inherited::CheckFrameWidth();
}

SIZE TcxWinXPLookAndFeelPainter::CheckBoxGlyphSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totButton), nullptr, BP_CHECKBOX, 5, TS_TRUE, size)) return size;
  return inherited::CheckBoxGlyphSize();
}

void TcxWinXPLookAndFeelPainter::DrawCheckMark(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                               bool IsChecked, TColor Color) const
{
  HTHEME theme = cxTheme(totButton);
  if (!theme) return inherited::DrawCheckMark(Canvas, R, State, IsChecked, Color);
  cxDrawThemePart(Canvas, theme, BP_CHECKBOX, cxThemeCheckState(State, IsChecked), R);
}

void TcxWinXPLookAndFeelPainter::DrawCheckFrame(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  if (!cxTheme(totButton)) inherited::DrawCheckFrame(Canvas, R, State);
}

void TcxWinXPLookAndFeelPainter::DrawRadioButton(TcxCanvas* Canvas, int X, int Y, TcxButtonState State,
                                                 bool IsChecked, bool IsFocused, TColor BkColor,
                                                 bool IsDesigning) const
{
  HTHEME theme = cxTheme(totButton);
  if (!theme) return inherited::DrawRadioButton(Canvas, X, Y, State, IsChecked, IsFocused, BkColor, IsDesigning);
  const SIZE size = RadioButtonGlyphSize();
  cxDrawThemePart(Canvas, theme, BP_RADIOBUTTON, cxThemeCheckState(State, IsChecked),
                  RECT{X, Y, X + size.cx, Y + size.cy});
}

SIZE TcxWinXPLookAndFeelPainter::RadioButtonGlyphSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totButton), nullptr, BP_RADIOBUTTON, 1, TS_TRUE, size)) return size;
  return inherited::RadioButtonGlyphSize();
}

// --- Headers ---

void TcxWinXPLookAndFeelPainter::DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                            TcxNeighbours Neighbours, TcxBorders Borders, TcxButtonState State,
                                            TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                                            bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                            TColor TextColor, TColor BkColor,
                                            const TcxDrawBackgroundEvent& OnDrawBackground, bool IsLast,
                                            bool IsGroup) const
{
  HTHEME theme = cxTheme(totHeader);
  if (!theme)
    return inherited::DrawHeader(Canvas, Bounds, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert,
                                 MultiLine, ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, IsLast,
                                 IsGroup);
  const int state = cxThemeState(HeaderItem, State);
  // The blue and olive green styles end a row of headers with a part of its own.
  const TdxOffice2003Scheme scheme = GetOffice2003Scheme();
  const bool schemeWithRightItem = scheme == TdxOffice2003Scheme::osBlue || scheme == TdxOffice2003Scheme::osOliveGreen;
  const int part = IsLast && state == 1 && schemeWithRightItem ? HP_HEADERITEMRIGHT : HP_HEADERITEM;
  cxDrawThemePart(Canvas, theme, part, state, Bounds);
  RECT textBounds = TextBounds;
  if (State == cxbsPressed) OffsetRect(&textBounds, 1, 1);
  DrawThemedText(Canvas, theme, part, state, Bounds, textBounds, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis,
                 false, Text, Font, TextColor, BkColor);
}

void TcxWinXPLookAndFeelPainter::InvertHeaderRect(TcxCanvas*, const RECT&) const {}

void TcxWinXPLookAndFeelPainter::DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds,
                                                   TcxNeighbours Neighbours, TcxBorders Borders,
                                                   TcxButtonState State, TAlignment AlignHorz,
                                                   TcxVerticalAlignment AlignVert, bool MultiLine,
                                                   bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                   TColor TextColor, TColor BkColor) const
{
  Canvas->FillRectWithColor(R, clBtnFace);
  DrawHeader(Canvas, R, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis,
             Text, Font, TextColor, BkColor, {}, false, false);
}

void TcxWinXPLookAndFeelPainter::DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const
{
  DrawSortTriangle(Canvas, R, clBtnShadow, clBtnShadow, Ascending);
}

int TcxWinXPLookAndFeelPainter::HeaderBorderWidth() const
{
  RECT margins{};
  if (cxThemeContentMargins(cxTheme(totHeader), HP_HEADERITEM, 1, margins))
    return std::max<int>(1, (margins.left + margins.top) / 2);
  return inherited::HeaderBorderWidth();
}

int TcxWinXPLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState) const { return HeaderBorderWidth(); }

RECT TcxWinXPLookAndFeelPainter::HeaderSectionContentBounds(const RECT& R, TcxButtonState State) const
{
  if (!cxTheme(totHeader)) return inherited::HeaderSectionContentBounds(R, State);
  const int border = HeaderBorderWidth();
  return InflateRectXY(R, -border, -border);
}

bool TcxWinXPLookAndFeelPainter::IsHeaderThemed() const { return true; }
POINT TcxWinXPLookAndFeelPainter::SortArrowSize() const { return {7, 8}; }

void TcxWinXPLookAndFeelPainter::DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                             bool Gradient) const
{
  DrawLayoutViewRecordFrame(Canvas, R, cxBordersAll, State);
  DrawTab(Canvas, R, TcxBorders{}, {}, State, Gradient, nullptr, clDefault, clDefault, false);
}

// --- Footers, filter buttons and close buttons ---

void TcxWinXPLookAndFeelPainter::DrawFooterEdges(TcxCanvas* Canvas, const RECT& R) const
{
  HTHEME theme = cxTheme(totEdit);
  if (!theme) return inherited::DrawFooterEdges(Canvas, R);
  dxUxTheme::DrawThemeEdge(theme, Canvas->GetDCHandle(), 0, 0, &R, BDR_RAISEDINNER, BF_RECT, nullptr);
}

void TcxWinXPLookAndFeelPainter::DrawFooterCell(TcxCanvas* Canvas, const RECT& R, TAlignment AlignHorz,
                                                TcxVerticalAlignment AlignVert, bool MultiLine,
                                                std::string_view Text, TFont* Font, TColor TextColor,
                                                TColor BkColor, const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  HTHEME theme = cxTheme(totTrackBar);
  if (!theme)
    return inherited::DrawFooterCell(Canvas, R, AlignHorz, AlignVert, MultiLine, Text, Font, TextColor, BkColor,
                                     OnDrawBackground);
  cxDrawThemePart(Canvas, theme, TKP_TRACK, 1, R);
  DrawThemedText(Canvas, theme, TKP_TRACK, 1, R, FooterCellTextBounds(R), AlignHorz, AlignVert, MultiLine, false,
                 false, Text, Font, TextColor, BkColor);
}

int TcxWinXPLookAndFeelPainter::FooterBorderWidth() const
{
  return cxTheme(totEdit) ? 1 : inherited::FooterBorderWidth();
}

int TcxWinXPLookAndFeelPainter::FooterCellBorderWidth() const
{
  RECT margins{};
  if (cxThemeContentMargins(cxTheme(totTrackBar), TKP_TRACK, 1, margins)) return margins.left;
  return inherited::FooterCellBorderWidth();
}

int TcxWinXPLookAndFeelPainter::FooterCellSpacing() const
{
  return cxTheme(totTrackBar) ? 1 : inherited::FooterCellSpacing();
}

bool TcxWinXPLookAndFeelPainter::FooterCellsDrawnFirst() const { return false; }

void TcxWinXPLookAndFeelPainter::DrawCloseCrossButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  HTHEME theme = cxTheme(totWindow);
  if (!theme) return inherited::DrawCloseCrossButton(Canvas, R, State);
  cxDrawThemePart(Canvas, theme, WP_SMALLCLOSEBUTTON, cxThemeState(FourState, State), R);
}

void TcxWinXPLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                       bool IsActive) const
{
  HTHEME theme = cxTheme(totComboBox);
  if (!theme) return inherited::DrawFilterArrowButton(Canvas, R, State, IsActive);
  cxDrawThemePart(Canvas, theme, CP_DROPDOWNBUTTON, cxThemeState(FourState, State), R);
}

POINT TcxWinXPLookAndFeelPainter::FilterCheckSize() const
{
  return AsPoint(TrueSize(cxTheme(totButton), BP_CHECKBOX, 5, AsSize(inherited::FilterCheckSize())));
}

POINT TcxWinXPLookAndFeelPainter::CloseCrossButtonSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totWindow), nullptr, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, size))
    return POINT{size.cx + 4, size.cy + 4};
  return inherited::CloseCrossButtonSize();
}

// --- Popups, hints and screen tips ---

void TcxWinXPLookAndFeelPainter::DrawPopupBorder(TcxCanvas* Canvas, RECT& R, TcxEditPopupBorderStyle,
                                                 bool) const
{
  HTHEME theme = WinVistaOrLater ? cxTheme(totListBox) : nullptr;
  if (theme)
    cxDrawThemePart(Canvas, theme, LBCP_BORDER_NOSCROLL, 3, R);
  else
    Canvas->DrawFrameRect(R, clBtnText);
  InflateRect(&R, -1, -1);
}

int TcxWinXPLookAndFeelPainter::PopupBorderWidth(TcxEditPopupBorderStyle) const { return 1; }
int TcxWinXPLookAndFeelPainter::PopupFrameExtent(TcxEditPopupBorderStyle) const { return 2; }

TColor TcxWinXPLookAndFeelPainter::HintBorderColor() const
{
  return cxTheme(totToolTip) ? clWindowFrame : inherited::HintBorderColor();
}

void TcxWinXPLookAndFeelPainter::FillHintBackground(TcxCanvas* Canvas, const RECT& R, TColor Color) const
{
  HTHEME theme = cxTheme(totToolTip);
  if (!theme) return inherited::FillHintBackground(Canvas, R, Color);
  // The theme's hint image fills the whole hint window, frame included.
  cxDrawThemePart(Canvas, theme, TTP_STANDARD, 1, InflateRectXY(R, 4, 4));
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipDescriptionTextColor() const
{
  TColor color;
  if (cxThemeColor(cxTheme(totToolTip), TTP_STANDARD, 1, TMT_TEXTCOLOR, color)) return color;
  return inherited::ScreenTipDescriptionTextColor();
}

TColor TcxWinXPLookAndFeelPainter::ScreenTipTitleTextColor() const { return ScreenTipDescriptionTextColor(); }

// --- Tabs and indicators ---

void TcxWinXPLookAndFeelPainter::DrawTab(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders, std::string_view Text,
                                         TcxButtonState State, bool IsVertical, TFont* Font, TColor TextColor,
                                         TColor BkColor, bool ShowPrefix) const
{
  HTHEME theme = cxTheme(totTab);
  if (!theme)
    return inherited::DrawTab(Canvas, R, Borders, Text, State, IsVertical, Font, TextColor, BkColor, ShowPrefix);
  const bool pressed = State == cxbsPressed;
  const int state = cxThemeState(FourState, State);
  // A vertical tab is drawn lying down into a bitmap (x and y exchanged) and turned upright.
  RECT w = IsVertical ? RECT{0, 0, GetRectHeight(R), GetRectWidth(R)} : R;
  TOwned<TcxBitmap32> bitmap;
  if (IsVertical) {
    // What lies under the tab shows through its rounded corners: the bitmap starts as a copy of it,
    // turned the same way.
    bitmap = MakeOwned<TcxBitmap32>(GetRectWidth(R), GetRectHeight(R));
    bitmap->Canvas()->CopyRect(bitmap->GetFullRect(), Canvas->Canvas(), R);
    TcxCanvas::RotateOrFlipBitmap(bitmap.get(), raPlus90, true);
  }
  RECT item = w;
  if (!Borders.Contains(IsVertical ? TcxBorder::bTop : TcxBorder::bLeft)) item.left -= 2;
  if (!Borders.Contains(IsVertical ? TcxBorder::bBottom : TcxBorder::bRight)) item.right += 2;
  if (pressed)
    item.bottom += 1;
  else
    w.bottom -= 1;
  if (IsVertical) {
    dxUxTheme::DrawThemeBackground(theme, bitmap->Canvas()->Handle(), TABP_TABITEM, state, &item, &w);
    TcxCanvas::RotateOrFlipBitmap(bitmap.get(), raPlus90, true);
    w = TransposeRect(w);
    item = TransposeRect(item);
    Canvas->CopyRectFrom(OffsetRectXY(w, R.left, R.top), bitmap->Canvas(), w);
    bitmap.reset();
    w = OffsetRectXY(w, R.left, R.top);
    item = OffsetRectXY(item, R.left, R.top);
  } else {
    cxDrawThemePart(Canvas, theme, TABP_TABITEM, state, item, &w);
  }
  if (pressed) (IsVertical ? item.right : item.bottom) -= 2;
  DrawThemedText(Canvas, theme, TABP_TABITEM, state, item, item, taCenter, vaCenter, false, false, ShowPrefix, Text,
                 Font, TextColor, BkColor);
}

void TcxWinXPLookAndFeelPainter::DrawTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders,
                                              TcxBorder Side) const
{
  if (!cxTheme(totTab)) inherited::DrawTabEdges(Canvas, R, IsVertical, Borders, Side);
}

void TcxWinXPLookAndFeelPainter::DrawTabPaneEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical,
                                                  TcxBorders Borders) const
{
  HTHEME theme = cxTheme(totTab);
  RECT content{};
  if (!theme || !cxThemeContentRect(theme, Canvas->GetDCHandle(), TABP_PANE, 0, R, content))
    return inherited::DrawTabPaneEdges(Canvas, R, IsVertical, Borders);
  // The pane reaches past the side away from the tabs, so that only its edges facing the tabs and
  // along them fall inside R.
  RECT pane = R;
  if (IsVertical) {
    pane.right = R.right + 10;
    pane.bottom = R.bottom + (R.bottom - content.bottom) - (content.top - R.top);
  } else {
    pane.bottom = R.bottom + 10;
    pane.right = R.right + (R.right - content.right) - (content.left - R.left);
  }
  cxDrawThemePart(Canvas, theme, TABP_PANE, 0, pane, &R);
}

bool TcxWinXPLookAndFeelPainter::IsTabDrawImplemented(bool IsVertical) const
{
  return cxTheme(totTab) ? true : inherited::IsTabDrawImplemented(IsVertical);
}

bool TcxWinXPLookAndFeelPainter::TabsTrackHot(bool IsVertical) const
{
  return cxTheme(totTab) ? true : inherited::TabsTrackHot(IsVertical);
}

int TcxWinXPLookAndFeelPainter::TabBorderWidth(bool IsVertical) const
{
  return cxTheme(totTab) ? 1 : inherited::TabBorderWidth(IsVertical);
}

void TcxWinXPLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* Canvas, const RECT& R, TcxIndicatorKind Kind,
                                                   TColor BkColor,
                                                   const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  if (TcxCustomLookAndFeelPainter* flat = cxRegisteredPainter(cpsFlat))
    flat->DrawIndicatorItem(Canvas, R, Kind, BkColor, OnDrawBackground);
  else
    inherited::DrawIndicatorItem(Canvas, R, Kind, BkColor, OnDrawBackground);
}

// --- Themed text ---

void TcxWinXPLookAndFeelPainter::DrawThemedText(TcxCanvas* Canvas, HTHEME Theme, int PartId, int StateId,
                                                const RECT&, const RECT& TextBounds, TAlignment AlignHorz,
                                                TcxVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                                bool ShowPrefix, std::string_view Text, TFont* Font,
                                                TColor TextColor, TColor) const
{
  if (Text.empty()) return;
  if (Font) Canvas->AssignFont(Font);
  if (TextColor != clDefault) Canvas->GetCurrentFont()->SetColor(TextColor);
  RECT bounds = TextBounds;
  if (MultiLine && AlignVert != vaTop)
    Canvas->AlignWrappedTextTop(bounds, Text, cxTextFlags(AlignHorz, AlignVert, true, ShowEndEllipsis), true,
                                AlignVert == vaBottom);
  static constexpr DWORD Horz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr DWORD Vert[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  const DWORD flags = Horz[static_cast<int>(AlignHorz)] | Vert[static_cast<int>(AlignVert)] |
                      (MultiLine ? DT_WORDBREAK : DT_SINGLELINE) | (ShowEndEllipsis ? DT_END_ELLIPSIS : 0) |
                      (ShowPrefix ? 0 : DT_NOPREFIX) | DT_EDITCONTROL;
  DrawThemeTextAnsi(Theme, Canvas->GetDCHandle(), PartId, StateId, Text, flags, 0, &bounds);
}
