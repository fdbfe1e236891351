// The native painter, second half: scroll bars, size grips and small buttons, scheduler parts,
// progress bars, drop-down button faces, splitters, group boxes, track bars and calendar headers.
#include "toolkit/base/cxLookAndFeelPaintersNative.h"

#include "classlib/Graphics.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsParentImage.h"
#include "toolkit/base/dxCore.h"

namespace {
using enum TdxThemedObjectType;
using enum TcxThemeStateMap;

// The track-bar thumb part by kind (pointing up or left, down or right, a box) and orientation.
int TrackBarThumbPart(int kind, bool horizontal)
{
  static constexpr int Parts[3][2] = {
    {TKP_THUMBTOP, TKP_THUMBLEFT}, {TKP_THUMBBOTTOM, TKP_THUMBRIGHT}, {TKP_THUMB, TKP_THUMBVERT}};
  return Parts[kind < 0 || kind > 2 ? 2 : kind][horizontal ? 0 : 1];
}
}  // namespace

// --- Scroll bars, size grips and small buttons ---

int TcxWinXPLookAndFeelPainter::ScrollBarMinThumbSize(TScrollBarKind Kind) const
{
  HTHEME theme = cxTheme(totScrollBar);
  const bool horizontal = Kind == sbHorizontal;
  const int part = horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT;
  SIZE size{};
  if (!cxThemePartSize(theme, nullptr, part, 1, TS_MIN, size)) return inherited::ScrollBarMinThumbSize(Kind);
  int result = horizontal ? size.cx : size.cy;
  MARGINS margins{};
  if (WinVistaOrLater &&
      SUCCEEDED(dxUxTheme::GetThemeMargins(theme, nullptr, part, 1, TMT_CONTENTMARGINS, nullptr, &margins)))
    result += horizontal ? margins.cxLeftWidth + margins.cxRightWidth : margins.cyTopHeight + margins.cyBottomHeight;
  return result;
}

void TcxWinXPLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R,
                                                      TcxScrollBarElement Element, TcxButtonState State) const
{
  if (IsRectEmpty(&R)) return;
  HTHEME theme = cxTheme(totScrollBar);
  if (!theme) return inherited::DrawScrollBarElement(Canvas, IsHorizontal, R, Element, State);
  const int state = cxThemeState(FourState, State);
  switch (Element) {
  case sbeLineBack:
  case sbeLineForward:
    DrawScrollArrowButton(Canvas, R, State, ScrollBarArrowDirection(IsHorizontal, Element), true);
    break;
  case sbeThumb: {
    cxDrawThemePart(Canvas, theme, IsHorizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, state, R);
    // The gripper only on a thumb longer than it (always when its size cannot be read).
    const int gripper = IsHorizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT;
    SIZE size{};
    if (!cxThemePartSize(theme, Canvas->GetDCHandle(), gripper, 1, TS_TRUE, size) ||
        (IsHorizontal ? GetRectWidth(R) > size.cy : GetRectHeight(R) > size.cx))
      cxDrawThemePart(Canvas, theme, gripper, state, R);
    break;
  }
  case sbePageBack:
  case sbePageForward: {
    const int back = IsHorizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT;
    cxDrawThemePart(Canvas, theme, Element == sbePageBack ? back : back + 1, state, R);
    break;
  }
  case sbeNone: break;
  }
}

SIZE TcxWinXPLookAndFeelPainter::SizeGripSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totScrollBar), nullptr, SBP_SIZEBOX, 1, TS_TRUE, size)) return size;
  return inherited::SizeGripSize();
}

void TcxWinXPLookAndFeelPainter::DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const
{
  HTHEME theme = cxTheme(totScrollBar);
  if (!theme) return inherited::DrawSizeGrip(Canvas, R);
  cxDrawThemePart(Canvas, theme, SBP_SIZEBOX, 1, R);
}

POINT TcxWinXPLookAndFeelPainter::SmallCloseButtonSize() const
{
  SIZE size{};
  if (cxThemePartSize(cxTheme(totWindow), nullptr, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, size))
    return POINT{size.cx, size.cy};
  return inherited::SmallCloseButtonSize();
}

// --- Scheduler, progress, drop-down buttons and splitters ---

void TcxWinXPLookAndFeelPainter::DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                                     TcxNeighbours Neighbours, const TcxViewParams& ViewParams,
                                                     int Sides, int SideArrowIndent,
                                                     const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawHeader(Canvas, R, R, Neighbours, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, Text,
             ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground,
             !Neighbours.Contains(TcxNeighbour::nRight), false);
  DrawHeaderSideArrows(Canvas, R, Sides, SideArrowIndent, clWindowText);
}

void TcxWinXPLookAndFeelPainter::DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect,
                                                        bool IsNext, TcxButtonState State) const
{
  HTHEME theme = cxTheme(totTab);
  if (!theme) return inherited::DrawSchedulerNavButton(Canvas, R, ArrowRect, IsNext, State);
  // The button is a tab standing on the side away from the arrow: the canvas's pixels are turned
  // so that this side is the bottom, the tab is drawn over them, and they are turned back.
  auto bitmap = MakeOwned<TcxBitmap32>(GetRectWidth(R), GetRectHeight(R));
  bitmap->Canvas()->CopyRect(bitmap->GetFullRect(), Canvas->Canvas(), R);
  bitmap->RotateOrFlip(IsNext ? raMinus90 : raPlus90);
  const RECT full = bitmap->GetFullRect();
  dxUxTheme::DrawThemeBackground(theme, bitmap->Canvas()->Handle(), TABP_TABITEM, cxThemeState(FourState, State),
                                 &full, nullptr);
  bitmap->RotateOrFlip(IsNext ? raPlus90 : raMinus90);
  Canvas->CopyRectFrom(R, bitmap->Canvas(), bitmap->GetFullRect());
  DrawSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TcxWinXPLookAndFeelPainter::DrawProgressBar(TcxCanvas* Canvas, const RECT& R, bool IsTransparent,
                                                 const TcxViewParams& ViewParams, const RECT& BarR) const
{
  HTHEME theme = cxTheme(totProgress);
  if (!theme) return inherited::DrawProgressBar(Canvas, R, IsTransparent, ViewParams, BarR);
  cxDrawThemePart(Canvas, theme, PP_BAR, 0, R);
  cxDrawThemePart(Canvas, theme, PP_CHUNK, 0, BarR);
}

RECT TcxWinXPLookAndFeelPainter::ProgressBarContentOffsets() const { return {3, 3, 3, 3}; }

void TcxWinXPLookAndFeelPainter::DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R,
                                                        TcxButtonState State) const
{
  HTHEME theme = cxTheme(totToolBar);
  if (!theme) return inherited::DrawDropDownButtonFace(Canvas, R, State);
  cxDrawThemePart(Canvas, theme, TP_BUTTON, cxThemeState(DropDownFace, State), R);
}

void TcxWinXPLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                                    const TcxViewParams& ViewParams) const
{
  TColor color;
  if (!cxTheme(totListView) || !cxThemeColor(cxTheme(totComboBox), CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR, color))
    return inherited::DrawSplitterBorder(Canvas, R, IsHorizontal, ViewParams);
  // Lines in the themed border colour on the two long sides; the rest from the view parameters.
  RECT r = R;
  if (IsHorizontal) {
    Canvas->DrawFrameRect(r, color, 1, TcxBorders{TcxBorder::bTop, TcxBorder::bBottom});
    InflateRect(&r, 1, -1);
  } else {
    Canvas->DrawFrameRect(r, color, 1, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight});
    InflateRect(&r, -1, 1);
  }
  Canvas->FrameAndFillRect(r, ViewParams, false, 0, clDefault, TcxBorders{});
}

void TcxWinXPLookAndFeelPainter::DrawSplitterGrip(TcxCanvas*, const RECT&, bool, TcxButtonState, bool) const {}

// --- Group boxes, track bars and calendars ---

void TcxWinXPLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                    TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const
{
  HTHEME theme = cxTheme(totButton);
  if (!theme) return inherited::DrawGroupBoxBorder(Canvas, R, Borders, CaptionPosition, IsEnabled);
  cxDrawThemePart(Canvas, theme, BP_GROUPBOX, IsEnabled ? 1 : 2, R);
}

TColor TcxWinXPLookAndFeelPainter::GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide CaptionPosition) const
{
  TColor color;
  if (cxThemeColor(cxTheme(totButton), BP_GROUPBOX, IsEnabled ? 1 : 2, TMT_TEXTCOLOR, color)) return color;
  return inherited::GroupBoxTextColor(IsEnabled, CaptionPosition);
}

void TcxWinXPLookAndFeelPainter::DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl* Control, TColor,
                                                         TColor BeginColor, const RECT& R) const
{
  if (BeginColor == clDefault)
    PaintParentImage(Control, Canvas, R, true);
  else
    Canvas->FillRectWithColor(R, BeginColor);
}

void TcxWinXPLookAndFeelPainter::AdjustTrackBarTrack(TcxCanvas* Canvas, RECT& R, int Kind, bool IsHorizontal) const
{
  SIZE size{};
  if (!cxThemePartSize(cxTheme(totTrackBar), cxThemeDC(Canvas), TrackBarThumbPart(Kind, IsHorizontal), 1, TS_DRAW,
                       size, &R))
    return inherited::AdjustTrackBarTrack(Canvas, R, Kind, IsHorizontal);
  // Centred in the old R; a thumb larger than R sticks out on both sides.
  R.left += (GetRectWidth(R) - size.cx) / 2;
  R.top += (GetRectHeight(R) - size.cy) / 2;
  R.right = R.left + size.cx;
  R.bottom = R.top + size.cy;
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* Canvas, const RECT& R, const RECT& SelectionR,
                                                   bool ShowSelection, bool Enabled, bool IsHorizontal,
                                                   TColor Color) const
{
  HTHEME theme = cxTheme(totTrackBar);
  if (!theme) return inherited::DrawTrackBarTrack(Canvas, R, SelectionR, ShowSelection, Enabled, IsHorizontal, Color);
  cxDrawThemePart(Canvas, theme, IsHorizontal ? TKP_TRACK : TKP_TRACKVERT, 1, R);
}

void TcxWinXPLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* Canvas, const RECT& R, TColor Color, int Kind,
                                                   bool IsHorizontal, TcxButtonState State) const
{
  HTHEME theme = cxTheme(totTrackBar);
  if (!theme) return inherited::DrawTrackBarThumb(Canvas, R, Color, Kind, IsHorizontal, State);
  cxDrawThemePart(Canvas, theme, TrackBarThumbPart(Kind, IsHorizontal), cxThemeState(TrackBarThumb, State), R);
}

void TcxWinXPLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const
{
  HTHEME theme = cxTheme(totHeader);
  if (!theme) return inherited::DrawCalendarHeader(Canvas, R);
  cxDrawThemePart(Canvas, theme, HP_HEADERITEMLEFT, 1, R);
}
