// The base painter's operations for panels: scroll bars, size grips, popup sizing panels, scheduler
// parts, progress bars, the clock, editor buttons, group boxes, track bars, splitters, layout controls
// and print previews, in the order of the header.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>
#include "classlib/GraphicsObjects.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersShapes.h"

using namespace cxSides;

namespace {
// Nearest integer, halves away from zero.
int RoundToInt(double value) { return static_cast<int>(std::lround(value)); }

// The turn that carries a bottom-right size grip into the corner; each is its own inverse.
struct TGripTurn {
  bool Turns;
  TcxRotationAngle Mode;
  bool Mirror;
};
constexpr TGripTurn GripTurnByCorner[] = {
  {true, ra180, false},  // gcTopLeft: a half turn
  {true, ra0, true},     // gcTopRight: upside down
  {true, ra180, true},   // gcBottomLeft: mirrored left to right
  {false, ra0, false},   // gcBottomRight: as the platform draws it
};
}  // namespace

// --- Scroll bars, size grips and small close buttons ---

int TcxCustomLookAndFeelPainter::ScrollBarMinThumbSize(TScrollBarKind) const { return 8; }

void TcxCustomLookAndFeelPainter::DrawScrollBarBackground(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal) const
{
  DrawScrollBarElement(Canvas, IsHorizontal, R, sbePageBack, cxbsNormal);
}

void TcxCustomLookAndFeelPainter::DrawScrollBarElement(TcxCanvas*, bool, const RECT&, TcxScrollBarElement,
                                                       TcxButtonState) const {}

SIZE TcxCustomLookAndFeelPainter::SizeGripSize() const
{
  return SIZE{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TcxCustomLookAndFeelPainter::DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const
{
  RECT r = R;
  DrawFrameControl(Canvas->GetDCHandle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TcxCustomLookAndFeelPainter::DrawSizeGripMirrored(TcxCanvas* Canvas, const RECT& R, TcxGripCorner Corner,
                                                       TColor BkColor) const
{
  if (IsRectEmpty(&R)) return;
  const TGripTurn turn = GripTurnByCorner[static_cast<int>(Corner)];
  auto bitmap = MakeOwned<TcxBitmap>(GetRectWidth(R), GetRectHeight(R));
  TcxCanvas* work = bitmap->cxCanvas();
  work->AssignBrush(Canvas->GetCurrentBrush());
  if (BkColor == clNone) {
    // What lies under R, turned the other way first so that it comes back unchanged.
    BlitRect(work->GetDCHandle(), Canvas->GetDCHandle(), bitmap->GetFullRect(), SRCCOPY, POINT{R.left, R.top});
    if (turn.Turns) bitmap->RotateOrFlip(turn.Mode, turn.Mirror);
  } else {
    work->FillRectWithColor(bitmap->GetFullRect(), BkColor);
  }
  DrawSizeGrip(work, bitmap->GetFullRect());
  if (turn.Turns) bitmap->RotateOrFlip(turn.Mode, turn.Mirror);
  BlitRect(Canvas->GetDCHandle(), work->GetDCHandle(), R);
}

POINT TcxCustomLookAndFeelPainter::SmallCloseButtonSize() const { return POINT{14, 15}; }

void TcxCustomLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  DrawCloseCrossButton(Canvas, R, State);
}

// --- Scheduler parts, container frames and progress bars ---

void TcxCustomLookAndFeelPainter::DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect,
                                                         bool IsNext, TcxButtonState State) const
{
  Canvas->FillRectWithColor(R, clBtnFace);
  // The outer sides: every side but the one facing the view.
  const TcxBorders outer = IsNext ? TcxBorders{Left, Top, Bottom} : TcxBorders{Top, Right, Bottom};
  Canvas->DrawFrameRect(R, clBtnShadow, 1, outer);
  RECT r = R;
  ++r.top;
  --r.bottom;
  if (IsNext)
    ++r.left;
  else
    --r.right;
  const bool pressed = State == cxbsPressed;
  Canvas->DrawTwoColorFrame(r, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, 1, outer);
  DrawSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TcxCustomLookAndFeelPainter::CalcSchedulerNavButtonLayout(bool IsNext, bool TextHidden, RECT& ArrowRect,
                                                               RECT& TextRect, RECT& Bounds, POINT TextSize,
                                                               POINT MinTextSize) const
{
  RECT borders;
  bool hasTextArea;
  POINT arrowSize;
  SchedulerNavButtonMetrics(IsNext, borders, hasTextArea, arrowSize);
  const SIZE arrow{arrowSize.x, arrowSize.y};
  const int a = 3 * arrowSize.y;
  if (TextHidden || !hasTextArea) {
    TextRect = RECT{};
    const int height = borders.top + a + borders.bottom;
    Bounds.top = (Bounds.top + Bounds.bottom - height) / 2;
    Bounds.bottom = Bounds.top + height;
    ArrowRect = CenterSizeInRect(Bounds, arrow);
    return;
  }
  RECT inner = Bounds;
  DeflateRectByMargins(inner, borders);
  ArrowRect = CenterSizeInRect(RECT{inner.left, inner.top, inner.right, inner.top + a}, arrow);
  TextRect = RECT{inner.left, inner.top + a + 5, inner.right, inner.bottom - 2 * arrowSize.y};
  // A (turned) caption longer than the text area makes the button taller on both ends.
  const int dy = std::max(TextSize.x, MinTextSize.x) - GetRectHeight(TextRect);
  if (dy >= 1) {
    OffsetRect(&ArrowRect, 0, -dy);
    InflateRect(&TextRect, 0, dy);
    InflateRect(&Bounds, 0, dy);
  }
}

void TcxCustomLookAndFeelPainter::DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                                      TcxNeighbours Neighbours, const TcxViewParams& ViewParams,
                                                      int Sides, int SideArrowIndent,
                                                      const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  DrawHeader(Canvas, R, R, Neighbours, HeaderNeighbourBorders(Neighbours), cxbsNormal, taCenter, vaCenter, false, false,
             Text, ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, false, false);
  DrawHeaderSideArrows(Canvas, R, Sides, SideArrowIndent, clWindowText);
}

void TcxCustomLookAndFeelPainter::DrawContainerFrame(TcxCanvas* Canvas, const RECT& R) const
{
  DrawBorderFrame(Canvas, R);
}

void TcxCustomLookAndFeelPainter::DrawProgressBar(TcxCanvas* Canvas, const RECT& R, bool IsTransparent,
                                                  const TcxViewParams& ViewParams, const RECT& BarR) const
{
  Canvas->DrawFrameRect(R, clGray);
  if (!IsTransparent) Canvas->FrameAndFillRect(cxDeflated(R, 1), ViewParams, false, 0);
  Canvas->FillRectWithColor(BarR, clNavy);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavButtonWithText(TcxCanvas* Canvas, const RECT& R, bool IsNext,
                                                                 TcxButtonState State, std::string_view Text,
                                                                 const RECT& TextR, const RECT& ArrowR) const
{
  DrawSchedulerNavButton(Canvas, R, ArrowR, IsNext, State);
  if (IsRectEmpty(&TextR) || SchedulerNavButtonTextColor(IsNext, State, clDefault) == clNone) return;
  const TColor color = SchedulerNavButtonTextColor(IsNext, State, Canvas->GetCurrentFont()->Color());
  DrawTextRotated(Canvas, Text, TextR, raPlus90, color, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavArrow(TcxCanvas* Canvas, const RECT& R, bool IsNext,
                                                        TColor Color) const
{
  // A chevron of two-pixel bars stepping from the top and bottom rows toward the middle, and a bar
  // over the full height at the end it points to.
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
  Canvas->SetBrushColor(Color);
  const int n = (GetRectHeight(R) + 1) / 2;
  const int step = IsNext ? 1 : -1;
  const int x0 = IsNext ? R.left : R.right - 2;
  for (int i = 0; i < n; ++i) {
    const int x = x0 + i * step;
    Canvas->FillRectWithColor(RECT{x, R.top + i, x + 2, R.top + i + 1});
    Canvas->FillRectWithColor(RECT{x, R.bottom - 1 - i, x + 2, R.bottom - i});
  }
  const int column = IsNext ? R.right - 1 : R.left;
  Canvas->FillRectWithColor(RECT{column, R.top, column + 1, R.bottom});
}

void TcxCustomLookAndFeelPainter::DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  DrawButton(Canvas, R, {}, State, true, clDefault, clDefault, false, false);
}

void TcxCustomLookAndFeelPainter::DrawSplitterBorder(TcxCanvas*, const RECT&, bool, const TcxViewParams&) const {}
RECT TcxCustomLookAndFeelPainter::ProgressBarContentOffsets() const { return RECT{2, 2, 2, 2}; }

TColor TcxCustomLookAndFeelPainter::SchedulerNavButtonTextColor(bool, TcxButtonState State, TColor DefaultColor) const
{
  return ButtonGlyphColor(State, DefaultColor);
}

void TcxCustomLookAndFeelPainter::SchedulerNavButtonMetrics(bool IsNext, RECT& Borders, bool& HasTextArea,
                                                            POINT& ArrowSize) const
{
  Borders = IsNext ? RECT{2, 6, 0, 6} : RECT{0, 6, 2, 6};
  HasTextArea = true;
  ArrowSize = POINT{7, 7};
}

int TcxCustomLookAndFeelPainter::ChartInfoBorderSize() const { return 1; }

// --- Clock, editor buttons, calendar header, navigator and progress text ---

namespace {
// A filled hand of the clock: a kite from the tail behind the centre to the tip, as wide as given
// across the centre.
void FillClockHand(TcxCanvas* canvas, double cx, double cy, double a, double b, double theta, double tip,
                   double tail, double width)
{
  const double c = std::cos(theta), s = std::sin(theta);
  const double half = width / 2;
  const POINT kite[] = {
    {RoundToInt(cx + b * tip * c), RoundToInt(cy + a * tip * s)},
    {RoundToInt(cx - half * s), RoundToInt(cy + half * c)},
    {RoundToInt(cx - b * tail * c), RoundToInt(cy - a * tail * s)},
    {RoundToInt(cx + half * s), RoundToInt(cy - half * c)},
  };
  cxFillPolygon(canvas, kite, clTeal);
}
}  // namespace

void TcxCustomLookAndFeelPainter::DrawClockFace(TcxCanvas* Canvas, const RECT& R, TColor FaceColor,
                                                TDateTime Time) const
{
  constexpr double Pi = std::numbers::pi;
  const double w = GetRectWidth(R), h = GetRectHeight(R);
  const double cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  const double a = h / 2 - 2, b = w / 2 - 2;
  Canvas->PushClipRegion();
  // The hour marks: small bevelled dots, kept out of the face fill and from under the hands.
  for (int i = 0; i < 60; i += 5) {
    const double angle = i * 2 * Pi / 60;
    const int x = RoundToInt(b * std::cos(angle) + cx), y = RoundToInt(a * std::sin(angle) + cy);
    const RECT dot{x - 1, y - 1, x + 2, y + 2};
    Canvas->FillRectWithColor(dot, FaceColor);
    Canvas->SetPixelColor(x, y, clTeal);
    Canvas->SetPixelColor(x - 1, y, clAqua);
    Canvas->SetPixelColor(x + 1, y, clBtnText);
    Canvas->SetPixelColor(x, y + 1, clBtnText);
    Canvas->SetPixelColor(x + 1, y + 1, clBtnText);
    Canvas->ExcludeRectFromClip(dot);
  }
  Canvas->FillRectWithColor(R, FaceColor);
  // The hands, turned clockwise from three o'clock.
  WORD hour, minute, second, msec;
  DecodeTime(Time, hour, minute, second, msec);
  const double hourAngle = ((hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * Pi / 43200;
  const double minuteAngle = (minute * 60 + second - 900) * 2 * Pi / 3600;
  FillClockHand(Canvas, cx, cy, a, b, hourAngle, 0.75, 0.15, 9);
  FillClockHand(Canvas, cx, cy, a, b, minuteAngle, 0.85, 0.2, 7);
  const double secondAngle = (second - 15) * 2 * Pi / 60;
  Canvas->GetCurrentPen()->SetColor(clRed);
  Canvas->MoveTo(RoundToInt(cx), RoundToInt(cy));
  Canvas->LineTo(RoundToInt(cx + 0.9 * b * std::cos(secondAngle)), RoundToInt(cy + 0.9 * a * std::sin(secondAngle)));
  Canvas->PopClipRegion();
}

void TcxCustomLookAndFeelPainter::DrawEditorButtonOfKind(TcxCanvas*, const RECT&, int, TcxButtonState, int) const {}
int TcxCustomLookAndFeelPainter::EditorButtonTextOffset() const { return 0; }
SIZE TcxCustomLookAndFeelPainter::EditorButtonSize() const { return SIZE{0, 0}; }
TColor TcxCustomLookAndFeelPainter::EditorButtonTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::ContainerBorderColorEx(bool) const { return clBtnText; }

int TcxCustomLookAndFeelPainter::ContainerBorderWidth(TcxContainerBorderStyle BorderStyle) const
{
  // none, single, thick, flat, 3-D, ultra-flat, Office 2003
  static constexpr int Widths[] = {0, 1, 2, 2, 2, 1, 1};
  return Widths[static_cast<int>(BorderStyle)];
}

void TcxCustomLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const
{
  Canvas->FillRectWithColor(R, CalendarHeaderColor());
  Canvas->DrawBevelEdge(R, false, false);
  R = cxDeflated(R, 1);
}

void TcxCustomLookAndFeelPainter::DrawNavigatorGlyph(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex,
                                                     bool IsEnabled, const RECT& R) const
{
  DrawImageInMode(Canvas->GetDCHandle(), R, R, nullptr, Images, ImageIndex, IsEnabled ? idmNormal : idmDisabled);
}

POINT TcxCustomLookAndFeelPainter::NavigatorButtonSize() const { return POINT{0, 0}; }
void TcxCustomLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas*, const RECT&, bool) const {}
void TcxCustomLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas*, const RECT&, bool) const {}

void TcxCustomLookAndFeelPainter::DrawProgressBarText(TcxCanvas* Canvas, bool IsVertical, TColor TextColor,
                                                      const RECT& BarR, const RECT& R, std::string_view Text,
                                                      bool IsSolidText) const
{
  Canvas->PushState();
  TCanvas* canvas = Canvas->Canvas();
  TFont* font = Canvas->GetCurrentFont();
  if (IsVertical) Canvas->SetFontAngle(270);
  // Written from R's top-left corner, or downward from its top-right corner when turned.
  const POINT origin = IsVertical ? POINT{R.right, R.top} : POINT{R.left, R.top};
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  const TColor color = IsSolidText && TextColor != clDefault ? TextColor : ProgressBarDefaultTextColor();
  auto write = [&](TColor textColor) {
    font->SetColor(textColor);
    canvas->TextOut(origin.x, origin.y, Text);
  };
  RECT overlap{};
  if (IsSolidText) {
    write(color);
  } else if (ProgressBarTextColor(true) == clDefault) {
    // The text in the inverse of whatever lies under it: black text on white in a work bitmap, the
    // area inverted, then the bitmap combined by exclusive or.
    auto bitmap = MakeOwned<TcxBitmap>(R);
    TCanvas* work = bitmap->Canvas();
    work->Brush()->SetColor(clWhite);
    work->FillRect(bitmap->GetFullRect());
    work->SetFont(font);
    work->Font()->SetColor(clBlack);
    work->Brush()->SetStyle(TBrushStyle::bsClear);
    work->TextOut(origin.x - R.left, origin.y - R.top, Text);
    Canvas->InvertRectArea(R);
    BlitRect(Canvas->GetDCHandle(), work->Handle(), R, SRCINVERT);
  } else if (IntersectRect(&overlap, &R, &BarR)) {
    // The text over the bar in the bar's text colour, beside it in the other.
    auto saved = MakeOwned<TcxBitmap>(overlap);
    BlitRect(saved->Canvas()->Handle(), Canvas->GetDCHandle(), saved->GetFullRect(), SRCCOPY,
             POINT{overlap.left, overlap.top});
    write(ProgressBarTextColor(false));
    BlitRect(Canvas->GetDCHandle(), saved->Canvas()->Handle(), overlap);
    Canvas->IntersectClipWithRect(overlap);
    write(ProgressBarTextColor(true));
  } else {
    write(color);
  }
  Canvas->PopState();
}

RECT TcxCustomLookAndFeelPainter::ProgressBarTextOffsets() const { return RECT{}; }
TColor TcxCustomLookAndFeelPainter::ProgressBarDefaultTextColor() const { return ProgressBarTextColor(false); }

TColor TcxCustomLookAndFeelPainter::ProgressBarTextColor(bool IsFilledPart) const
{
  return IsFilledPart ? clDefault : clWindowText;
}

// --- Group boxes and panels ---

void TcxCustomLookAndFeelPainter::DrawGroupBoxBackground(TcxCanvas*, const RECT&, const RECT&) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxCaption(TcxCanvas*, const RECT&, TcxGroupBoxCaptionSide) const {}
void TcxCustomLookAndFeelPainter::DrawGroupBoxContent(TcxCanvas*, const RECT&, TcxBorders,
                                                      TcxGroupBoxCaptionSide) const {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxToggleButton(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                           bool Expanded, TcxRotationAngle Rotation) const
{
  DrawRotatedGroupToggleButton(Canvas, R, State, Expanded, Rotation);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas*, const RECT&, TcxBorders, TcxGroupBoxCaptionSide,
                                                     bool) const {}
RECT TcxCustomLookAndFeelPainter::GroupBoxBorderWidths(bool, TcxGroupBoxCaptionSide) const { return RECT{}; }

TColor TcxCustomLookAndFeelPainter::GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide) const
{
  return IsEnabled ? clWindowText : clBtnShadow;
}

int TcxCustomLookAndFeelPainter::GroupBoxCaptionTail(TcxGroupBoxCaptionSide) const { return 0; }

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl*, TColor, TColor,
                                                          const RECT& R) const
{
  DrawGroupBoxBackground(Canvas, R, R);
}

void TcxCustomLookAndFeelPainter::DrawPanelBackground(TcxCanvas*, const RECT&) const {}

void TcxCustomLookAndFeelPainter::DrawGroupBoxCaptionFor(TcxCanvas* Canvas, const RECT& R,
                                                         TcxGroupBoxCaptionSide CaptionPosition) const
{
  DrawGroupBoxCaption(Canvas, R, CaptionPosition);
}

void TcxCustomLookAndFeelPainter::DrawGroupBoxPlainBackground(TcxCanvas* Canvas, const RECT& R, bool) const
{
  Canvas->FillRectWithColor(R, clBtnFace);
}

RECT TcxCustomLookAndFeelPainter::GroupBoxContentOffsets() const { return RECT{}; }
TColor TcxCustomLookAndFeelPainter::GroupBoxCaptionTextColor() const { return GroupBoxTextColor(true, gcsTop); }

// --- Track bars, splitters, layout controls, print previews and caption boxes ---

void TcxCustomLookAndFeelPainter::AdjustTrackBarTrack(TcxCanvas*, RECT& R, int, bool) const
{
  ++R.right;
  ++R.bottom;
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* Canvas, const RECT& R, const RECT&, bool, bool, bool,
                                                    TColor Color) const
{
  Canvas->FillRectWithColor(R, Color);
  DrawTrackBarTrackFrame(Canvas, R);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas*, const RECT&) const {}

namespace {
// The outline of a pointed track-bar thumb, worked out for a horizontal bar (point up or down) and
// transposed for a vertical one (point left or right). Lines end one pixel past their last point,
// since a polyline leaves out its end point.
struct TThumbOutline {
  std::vector<POINT> Fill, Light, Outer, Inner;
};

POINT Transposed(POINT p) { return POINT{p.y, p.x}; }

// One pixel further in the direction of the last segment.
void ExtendLastPoint(std::vector<POINT>& line)
{
  if (line.size() < 2) return;
  POINT& last = line.back();
  const POINT& before = line[line.size() - 2];
  last.x += (last.x > before.x) - (last.x < before.x);
  last.y += (last.y > before.y) - (last.y < before.y);
}

TThumbOutline PointedThumbOutline(const RECT& bounds, bool pointUp)
{
  // Inclusive coordinates of the thumb's pixels; the point lies on the middle column and is half the
  // width deep, so that the slopes run at 45 degrees.
  const int l = bounds.left, r = bounds.right - 1, t = bounds.top, b = bounds.bottom - 1;
  const int m = l + (r - l) / 2, d = m - l;
  TThumbOutline o;
  if (pointUp) {
    o.Fill = {{m, t + 1}, {r - 1, t + d}, {r - 1, b - 1}, {l + 1, b - 1}, {l + 1, t + d}};
    o.Light = {{l, b - 1}, {l, t + d}, {m, t}};
    o.Outer = {{m, t}, {r, t + d}, {r, b}, {l, b}};
    o.Inner = {{m, t + 1}, {r - 1, t + d}, {r - 1, b - 1}, {l + 1, b - 1}};
  } else {
    o.Fill = {{l + 1, t + 1}, {r - 1, t + 1}, {r - 1, b - d}, {m, b - 1}, {l + 1, b - d}};
    o.Light = {{l, b - d}, {l, t}, {r, t}};
    o.Outer = {{r, t}, {r, b - d}, {m, b}, {l, b - d}};
    o.Inner = {{r - 1, t + 1}, {r - 1, b - d}, {m, b - 1}, {l + 1, b - d}};
  }
  for (std::vector<POINT>* line : {&o.Light, &o.Outer, &o.Inner}) ExtendLastPoint(*line);
  return o;
}
}  // namespace

void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* Canvas, const RECT& R, TColor Color, int Kind,
                                                    bool IsHorizontal, TcxButtonState) const
{
  Canvas->GetCurrentPen()->SetColor(Color);
  Canvas->SetBrushColor(Color);
  if (Kind == 2) {
    Canvas->FillRectWithColor(R, Color);
    DrawTrackBarThumbBoxEdges(Canvas, R);
    return;
  }
  if (IsRectEmpty(&R)) return;
  TThumbOutline o = PointedThumbOutline(IsHorizontal ? R : TransposeRect(R), Kind == 0);
  if (!IsHorizontal)
    for (std::vector<POINT>* line : {&o.Fill, &o.Light, &o.Outer, &o.Inner})
      for (POINT& p : *line) p = Transposed(p);
  cxFillPolygon(Canvas, o.Fill, Color);
  DrawTrackBarThumbEdges(Canvas, o.Light, o.Outer, o.Inner);
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas*, std::span<const POINT>, std::span<const POINT>,
                                                         std::span<const POINT>) const {}
void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas*, const RECT&) const {}
SIZE TcxCustomLookAndFeelPainter::TrackBarThumbSize(int) const { return SIZE{0, 0}; }
TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor() const { return clDefault; }
int TcxCustomLookAndFeelPainter::TrackBarTrackSize() const { return 0; }
TColor TcxCustomLookAndFeelPainter::SplitterInnerColor(bool) const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::SplitterOuterColor(bool) const { return clBtnShadow; }

void TcxCustomLookAndFeelPainter::DrawSplitterGrip(TcxCanvas* Canvas, const RECT& R, bool IsHorizontal,
                                                   TcxButtonState, bool IsHighlighted) const
{
  const SIZE size = SplitterSize(IsHorizontal);
  const bool thick = (IsHorizontal ? size.cy : size.cx) > 1;
  // Along the splitter's length: a line through the middle, broken by four one-pixel gaps about
  // the centre.
  const int start = IsHorizontal ? R.left : R.top;
  const int length = IsHorizontal ? R.right : R.bottom;
  const int end = thick && IsHorizontal ? length : length - 1;
  const int across = IsHorizontal ? (R.top + R.bottom) / 2 : (R.left + R.right) / 2;
  const int c = (start + length) / 2;
  const int pieces[][2] = {{start, c - 5}, {c - 4, c - 2}, {c - 1, c + 1}, {c + 2, c + 4}, {c + 5, end}};
  auto drawLine = [&](int shift, TColor color) {
    for (const auto& piece : pieces) {
      const int from = std::max(piece[0], start), to = std::min(piece[1], end);
      if (from >= to) continue;
      const RECT r = IsHorizontal ? RECT{from, across, to, across + 1} : RECT{across, from, across + 1, to};
      Canvas->FillRectWithColor(OffsetRectXY(r, shift, shift), color);
    }
  };
  drawLine(0, SplitterOuterColor(IsHighlighted));
  if (thick) drawLine(1, SplitterInnerColor(IsHighlighted));
}

SIZE TcxCustomLookAndFeelPainter::SplitterSize(bool IsHorizontal) const
{
  return IsHorizontal ? SIZE{17, 2} : SIZE{2, 17};
}

TColor TcxCustomLookAndFeelPainter::LayoutControlColor() const { return clBtnFace; }

void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->FillRectWithColor(R, LayoutControlColor());
}

RECT TcxCustomLookAndFeelPainter::PrintPageBorderOffsets() const { return RECT{2, 2, 4, 4}; }

void TcxCustomLookAndFeelPainter::FillPreviewBackground(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->FillRectWithColor(R, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::DrawPrintPage(TcxCanvas* Canvas, const RECT& Bounds, const RECT& ContentR,
                                                bool IsSelected, bool FillContent) const
{
  // The page leaves room for its two-pixel shadow at the right and bottom; a selected page has a
  // thicker frame in the highlight colour.
  RECT page{Bounds.left, Bounds.top, Bounds.right - 2, Bounds.bottom - 2};
  Canvas->PushClipRegion();
  if (FillContent) Canvas->FillRectWithColor(ContentR, clWindow);
  if (!IsSelected) page = cxDeflated(page, 1);
  Canvas->ExcludeRectFromClip(ContentR);
  Canvas->FillRectWithColor(page, IsSelected ? clHighlight : clWindowText);
  Canvas->ExcludeRectFromClip(page);
  Canvas->FillRectWithColor(OffsetRectXY(page, 2, 2), clWindowText);
  Canvas->PopClipRegion();
}

TColor TcxCustomLookAndFeelPainter::PrintPreviewFrameColor(int Index) const
{
  static constexpr TColor Colors[] = {
    clMaroon, clMaroon, clMaroon,                                                  // 0-2
    clRed,    clRed,    clRed,    clRed,                                           // 3-6
    clBlue,   clBlue,   clBlue,   clBlue,   clBlue, clBlue, clBlue, clBlue, clBlue, clBlue, clBlue, clBlue,  // 7-18
    clRed,    clRed,    clRed,    clRed,                                           // 19-22
    clNavy,   clNavy,   clNavy,                                                    // 23-25
    clRed,    clBlue,                                                              // 26, 27
  };
  // An index outside the table has no colour of its own: the caller's default applies.
  if (Index < 0 || Index >= static_cast<int>(std::size(Colors))) return clDefault;
  return Colors[Index];
}

TColor TcxCustomLookAndFeelPainter::PrintPreviewPageColor() const { return clBtnFace; }

void TcxCustomLookAndFeelPainter::DrawCaptionBox(TcxCanvas* Canvas, const RECT& R, TColor Color, TFont* Font,
                                                 std::string_view Text) const
{
  Canvas->DrawFrameRect(R, GridLineColor(), 1, cxBordersAll, true);
  Canvas->FillRectWithColor(R, Color == clNone ? GroupRowColor() : Color);
  if (Font) Canvas->AssignFont(Font);
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  Canvas->DrawTextInRect(Text, R, cxSingleLine | cxAlignCenter);
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
}

// --- Sizing panels of resizable popups ---

int TcxCustomLookAndFeelPainter::PopupPanelHeight() const
{
  return std::max({GetSystemMetrics(SM_CYHSCROLL) + 3, static_cast<int>(SizeGripSize().cy) + 4,
                   static_cast<int>(SmallCloseButtonSize().y) + 6});
}

void TcxCustomLookAndFeelPainter::CalcPopupPanelLayout(RECT& ClientRect, RECT& PanelRect, const RECT& BorderWidths,
                                                       TcxGripCorner Corner, bool Sizeable, bool HasCloseButton,
                                                       int PanelHeight, RECT& SizeGripRect,
                                                       RECT& CloseButtonRect) const
{
  constexpr int Margin = 2;  // between the panel's edges and the grip or the close button
  DeflateRectByMargins(ClientRect, BorderWidths);
  const int height = PanelHeight != 0 ? PanelHeight : PopupPanelHeight();
  const bool atTop = Corner == gcTopLeft || Corner == gcTopRight;
  const bool atLeft = Corner == gcTopLeft || Corner == gcBottomLeft;
  PanelRect = ClientRect;
  if (atTop) {
    PanelRect.bottom = std::min(PanelRect.top + height, ClientRect.bottom);
    ClientRect.top = PanelRect.bottom;
  } else {
    PanelRect.top = std::max(PanelRect.bottom - height, ClientRect.top);
    ClientRect.bottom = PanelRect.top;
  }
  SizeGripRect = RECT{};
  if (Sizeable) {
    const SIZE grip = SizeGripSize();
    const int x = atLeft ? PanelRect.left + Margin : PanelRect.right - Margin - grip.cx;
    const int y = atTop ? PanelRect.top + Margin : PanelRect.bottom - Margin - grip.cy;
    SizeGripRect = RECT{x, y, x + grip.cx, y + grip.cy};
  }
  CloseButtonRect = RECT{};
  if (HasCloseButton) {
    RECT square = cxDeflated(PanelRect, Margin);
    const int side = GetRectHeight(square);
    if (atLeft)
      square.left = square.right - side;
    else
      square.right = square.left + side;
    const POINT size = SmallCloseButtonSize();
    CloseButtonRect = CenterSizeInRectWH(square, size.x, size.y);
  }
}

namespace {
// The window's device context under the shared paint canvas, given back on every path.
class TWindowPaintScope {
public:
  explicit TWindowPaintScope(HWND window) : FWindow(window), FDC(GetWindowDC(window)), FCanvas(GetSharedPaintCanvas())
  {
    if (FDC && FCanvas) FCanvas->BeginPaintOnDC(FDC);
  }
  ~TWindowPaintScope()
  {
    if (FDC && FCanvas) FCanvas->EndPaint();
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TWindowPaintScope(const TWindowPaintScope&) = delete;
  TWindowPaintScope& operator=(const TWindowPaintScope&) = delete;
  TcxCanvas* Canvas() const { return FDC ? FCanvas : nullptr; }

private:
  HWND FWindow;
  HDC FDC;
  TcxPaintCanvas* FCanvas;
};
}  // namespace

void TcxCustomLookAndFeelPainter::PaintPopupSizingPanel(HWND Window, const RECT& ClientRect, const RECT& PanelRect,
                                                        const RECT& SizeGripRect, const RECT& CloseButtonRect,
                                                        TcxGripCorner Corner, TColor BorderColor,
                                                        bool IsCloseButtonHot, bool IsCloseButtonTracking) const
{
  RECT window{};
  if (!GetWindowRect(Window, &window)) return;
  TWindowPaintScope scope(Window);
  TcxCanvas* canvas = scope.Canvas();
  if (!canvas) return;
  // Screen coordinates to the window's own.
  auto toWindow = [&](const RECT& r) { return IsRectEmpty(&r) ? r : OffsetRectXY(r, -window.left, -window.top); };
  const RECT client = toWindow(ClientRect);
  canvas->DrawFrameRect(OffsetRectXY(window, -window.left, -window.top), BorderColor, client.left);
  const TcxButtonState closeState = IsCloseButtonHot && IsCloseButtonTracking   ? cxbsPressed
                                    : IsCloseButtonHot || IsCloseButtonTracking ? cxbsHot
                                                                                : cxbsNormal;
  const bool panelAtTop = Corner == gcTopLeft || Corner == gcTopRight;
  DrawPopupPanelParts(canvas, toWindow(PanelRect), BorderColor, TcxBorders{panelAtTop ? Bottom : Top}, closeState,
                      Corner, toWindow(CloseButtonRect), toWindow(SizeGripRect));
}

void TcxCustomLookAndFeelPainter::DrawPopupPanelParts(TcxCanvas* Canvas, const RECT& PanelRect, TColor SeparatorColor,
                                                      TcxBorders SeparatorSides, TcxButtonState CloseButtonState,
                                                      TcxGripCorner Corner, const RECT& CloseButtonRect,
                                                      const RECT& SizeGripRect) const
{
  RECT inner = PanelRect;
  if (SeparatorSides.Contains(Left)) ++inner.left;
  if (SeparatorSides.Contains(Top)) ++inner.top;
  if (SeparatorSides.Contains(Right)) --inner.right;
  if (SeparatorSides.Contains(Bottom)) --inner.bottom;
  // The separator line: the panel less its inner area.
  Canvas->PushClipRegion();
  Canvas->ExcludeRectFromClip(inner);
  Canvas->FillRectWithColor(PanelRect, SeparatorColor);
  Canvas->PopClipRegion();
  if (!IsRectEmpty(&SizeGripRect)) {
    auto grip = MakeOwned<TcxBitmap>(SizeGripRect);
    FillFormContent(grip->cxCanvas(), grip->GetFullRect());
    DrawSizeGripMirrored(grip->cxCanvas(), grip->GetFullRect(), Corner, clNone);
    BlitRect(Canvas->GetDCHandle(), grip->cxCanvas()->GetDCHandle(), SizeGripRect);
    Canvas->ExcludeRectFromClip(SizeGripRect);
  }
  if (!IsRectEmpty(&CloseButtonRect)) {
    FillFormContent(Canvas, CloseButtonRect);
    DrawSmallCloseButton(Canvas, CloseButtonRect, CloseButtonState);
    Canvas->ExcludeRectFromClip(CloseButtonRect);
  }
  FillFormContent(Canvas, inner);
  // The caller's later painting leaves the panel alone.
  Canvas->ExcludeRectFromClip(PanelRect);
}
