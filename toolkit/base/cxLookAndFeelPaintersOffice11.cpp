// The Office 2003 painter: the ultra-flat shapes in the colours of the Office 2003 colour set, read at
// the moment of drawing so that they follow a change of visual style or system colours.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include "classlib/Bitmap.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsParentImage.h"
#include "toolkit/base/cxLookAndFeelPaintersBevels.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"

CL_DEFINE_CLASS(TcxOffice11LookAndFeelPainter);

namespace {
TcxCustomLookAndFeelPainter* NativePainter() { return cxRegisteredPainter(cpsNative); }

// The native painter while visual styles are available for buttons.
TcxCustomLookAndFeelPainter* NativeButtonPainter()
{
  return AreThemesAvailable({TdxThemedObjectType::totButton}) ? NativePainter() : nullptr;
}

void FillVerticalGradient(TcxCanvas* canvas, const RECT& r, TColor top, TColor bottom)
{
  FillRectGradient(canvas->GetDCHandle(), r, top, bottom, false);
}

// One user of the Office 2003 colour set for the life of a scope.
class TOffice2003ColorsUser {
public:
  TOffice2003ColorsUser() { AcquireOffice2003Colors(); }
  ~TOffice2003ColorsUser() { ReleaseOffice2003Colors(); }
  TOffice2003ColorsUser(const TOffice2003ColorsUser&) = delete;
  TOffice2003ColorsUser& operator=(const TOffice2003ColorsUser&) = delete;
};

// Blends a pixel of the expand-button bitmap into the background colour under it (nothing where the
// background cannot be read).
void BlendCorner(TBitmap* bitmap, int x, int y, TColor schemeColor, TColor background)
{
  if (background == static_cast<TColor>(CLR_INVALID)) return;
  bitmap->Canvas()->SetPixels(x, y, BlendColors(schemeColor, background, 25));
}
}  // namespace

std::string TcxOffice11LookAndFeelPainter::GetPainterName() const { return "Office11"; }
TcxPainterStyle TcxOffice11LookAndFeelPainter::PainterStyle() const { return cpsOffice11; }
bool TcxOffice11LookAndFeelPainter::DependsOnSystemTheme() const { return true; }

// --- Colours ---

TColor TcxOffice11LookAndFeelPainter::HotTrackTextColor() const { return clHighlightText; }
TColor TcxOffice11LookAndFeelPainter::CalendarHeaderColor() const { return dxOffice11FaceColor(); }
TColor TcxOffice11LookAndFeelPainter::CalendarSelectedDayColor() const { return dxOffice11SelectedDayColor(); }
TColor TcxOffice11LookAndFeelPainter::CalendarSelectedDayTextColor() const { return clWindowText; }
TColor TcxOffice11LookAndFeelPainter::FilterPanelColor() const { return dxOffice11PanelColor(); }
TColor TcxOffice11LookAndFeelPainter::FilterPanelTextColor() const { return dxOffice11PanelTextColor(); }
TColor TcxOffice11LookAndFeelPainter::FooterColor() const { return dxOffice11FaceColor(); }
TColor TcxOffice11LookAndFeelPainter::FooterTextColor() const { return HeaderTextColor(); }
TColor TcxOffice11LookAndFeelPainter::GroupRowColor() const { return dxOffice11GroupRowColor(); }
TColor TcxOffice11LookAndFeelPainter::GroupPanelColor() const { return dxOffice11GroupPanelColor(); }
TColor TcxOffice11LookAndFeelPainter::GroupPanelTextColor() const { return dxOffice11GradientBeginColor(); }
TColor TcxOffice11LookAndFeelPainter::HeaderColor() const { return Office11HeaderColor(); }
TColor TcxOffice11LookAndFeelPainter::HeaderBackgroundColor() const { return GroupPanelColor(); }
TColor TcxOffice11LookAndFeelPainter::ContainerFrameColor() const { return dxOffice11ContainerFrameColor(); }
TColor TcxOffice11LookAndFeelPainter::ExtraColor7() const { return dxOffice11ContentColor(); }
TColor TcxOffice11LookAndFeelPainter::ExtraColor8() const { return dxOffice11LightFaceColor(); }
TColor TcxOffice11LookAndFeelPainter::ExtraColor10() const { return ExtraColor8(); }
TColor TcxOffice11LookAndFeelPainter::ExtraColor13() const { return dxOffice11FaceColor(); }
TColor TcxOffice11LookAndFeelPainter::ExtraColor15() const { return ExtraColor7(); }
TColor TcxOffice11LookAndFeelPainter::FooterSeparatorColor() const { return Office11DarkEdgeColor(); }
TColor TcxOffice11LookAndFeelPainter::SplitterInnerColor(bool) const { return dxOffice11EdgeLightColor(); }

TColor TcxOffice11LookAndFeelPainter::SplitterOuterColor(bool IsHighlighted) const
{
  return IsHighlighted ? dxOffice11SelectionFrameColor() : dxOffice11EdgeShadowColor();
}

TColor TcxOffice11LookAndFeelPainter::ButtonFaceColor(TcxButtonState State) const
{
  switch (State) {
  case cxbsHot: return dxOffice11HotFaceColor();
  case cxbsPressed: return dxOffice11PressedFaceColor();
  case cxbsDisabled: return clBtnFace;
  case cxbsDefault:
  case cxbsNormal: break;
  }
  return dxOffice11FaceColor();
}

TColor TcxOffice11LookAndFeelPainter::ButtonGlyphColor(TcxButtonState State, TColor) const
{
  // Without a scheme the pressed face is the system's highlight, so the glyph takes its text colour.
  if (State == cxbsPressed && !IsOffice2003SchemeActive()) return clHighlightText;
  return State == cxbsDisabled ? dxOffice11DisabledGlyphColor() : dxOffice11GlyphColor();
}

TColor TcxOffice11LookAndFeelPainter::CheckBoxFaceColor(TcxButtonState State) const
{
  if (State == cxbsHot || State == cxbsPressed || State == cxbsDisabled) return ButtonFaceColor(State);
  return inherited::CheckBoxFaceColor(State);
}

TColor TcxOffice11LookAndFeelPainter::RadioButtonFaceColor(TcxButtonState State) const
{
  return State == cxbsNormal ? clWindow : ButtonFaceColor(State);
}

TColor TcxOffice11LookAndFeelPainter::GroupBoxTextColor(bool IsEnabled, TcxGroupBoxCaptionSide CaptionPosition) const
{
  if (TcxCustomLookAndFeelPainter* native = NativeButtonPainter())
    return native->GroupBoxTextColor(IsEnabled, CaptionPosition);
  return inherited::GroupBoxTextColor(IsEnabled, CaptionPosition);
}

TColor TcxOffice11LookAndFeelPainter::StateFrameColor(TcxButtonState State) const
{
  return State == cxbsNormal ? Office11DarkEdgeColor() : dxOffice11SelectionFrameColor();
}

TColor TcxOffice11LookAndFeelPainter::LightFrameColor() const { return Office11DarkEdgeColor(); }
TColor TcxOffice11LookAndFeelPainter::HighlightFrameColor() const { return dxOffice11SelectionFrameColor(); }

TColor TcxOffice11LookAndFeelPainter::Office11HeaderBottomColor() const { return dxOffice11GradientEndColor(); }
TColor TcxOffice11LookAndFeelPainter::Office11DarkEdgeColor() const { return dxOffice11EdgeShadowColor(); }
TColor TcxOffice11LookAndFeelPainter::Office11LightEdgeColor() const { return dxOffice11EdgeLightColor(); }

TColor TcxOffice11LookAndFeelPainter::Office11HeaderColor() const
{
  // The middle from the sum of the two channels: blending each half rounded on its own would move a
  // colour mixed with itself one step up.
  const COLORREF a = ColorToRGB(dxOffice11GradientBeginColor()), b = ColorToRGB(dxOffice11GradientEndColor());
  auto middle = [](int x, int y) { return static_cast<BYTE>((x + y + 1) / 2); };
  return GetNearestDeviceColor(static_cast<TColor>(
      RGB(middle(GetRValue(a), GetRValue(b)), middle(GetGValue(a), GetGValue(b)), middle(GetBValue(a), GetBValue(b)))));
}

// --- Metrics ---

bool TcxOffice11LookAndFeelPainter::ExpandBoxDrawnFirst() const { return false; }
int TcxOffice11LookAndFeelPainter::ExpandBoxSize() const { return 11; }
int TcxOffice11LookAndFeelPainter::SmallExpandBoxSize() const { return ExpandBoxSize(); }
TcxBorders TcxOffice11LookAndFeelPainter::HeaderNeighbourBorders(TcxNeighbours) const { return cxBordersAll; }
int TcxOffice11LookAndFeelPainter::HeaderBorderWidth() const { return 1; }
bool TcxOffice11LookAndFeelPainter::IsHeaderThemed() const { return true; }

// --- Borders, separators and buttons ---

void TcxOffice11LookAndFeelPainter::DrawBorderFrame(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, dxOffice11BorderColor());
}

void TcxOffice11LookAndFeelPainter::DrawSeparator(TcxCanvas* Canvas, const RECT& R, bool InHorizontalRow) const
{
  RECT strip = CalcCenteredStrip(R, 2, InHorizontalRow);
  strip.right -= 1;
  strip.bottom -= 1;
  Canvas->FillRectWithColor(strip, dxOffice11EdgeShadowColor());
  Canvas->FillRectWithColor(OffsetRectXY(strip, 1, 1), dxOffice11EdgeLightColor());
}

void TcxOffice11LookAndFeelPainter::DrawButtonEdges(TcxCanvas* Canvas, const RECT& R, TcxButtonState State) const
{
  switch (State) {
  case cxbsDefault: return inherited::DrawButtonEdges(Canvas, R, State);
  case cxbsNormal: return Canvas->DrawFrameRect(R, clBtnText);
  case cxbsDisabled: return Canvas->DrawFrameRect(R, dxOffice11DisabledGlyphColor());
  case cxbsHot:
  case cxbsPressed: break;
  }
  Canvas->DrawFrameRect(R, dxOffice11SelectionFrameColor());
}

// --- Expand boxes ---

void TcxOffice11LookAndFeelPainter::DrawExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor) const
{
  // The bitmaps exist while the colour set has users; this call is one for its length.
  TOffice2003ColorsUser user;
  TBitmap* bitmap = Expanded ? dxOffice11ExpandButtonMinusBitmap() : dxOffice11ExpandButtonPlusBitmap();
  if (!bitmap) return;
  // The corners are mixed from the background, which a palette of a few colours cannot show.
  if (bitmap->PixelFormat() != TPixelFormat::pf24bit && bitmap->PixelFormat() != TPixelFormat::pf32bit)
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  // The corners of the shared bitmap are adapted to the background of this call.
  TCanvas* canvas = Canvas->Canvas();
  const TColor topLeft = canvas->Pixels(R.left, R.top);
  const TColor bottomRight = canvas->Pixels(R.right - 1, R.bottom - 1);
  const int last = bitmap->Width() - 1;
  BlendCorner(bitmap, 0, 0, dxOffice11ExpandButtonColor1(), topLeft);
  for (const POINT p : {POINT{last, last}, POINT{0, last}, POINT{last, 0}})
    BlendCorner(bitmap, p.x, p.y, dxOffice11ExpandButtonColor2(), bottomRight);
  Canvas->DrawGraphic(R.left, R.top, bitmap);
}

void TcxOffice11LookAndFeelPainter::DrawSmallExpandBox(TcxCanvas* Canvas, const RECT& R, bool Expanded, TColor,
                                                       TColor Color) const
{
  DrawExpandBox(Canvas, R, Expanded, Color);
}

// --- Headers ---

void TcxOffice11LookAndFeelPainter::DrawHeader(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                               TcxNeighbours Neighbours, TcxBorders Borders, TcxButtonState State,
                                               TAlignment AlignHorz, TcxVerticalAlignment AlignVert, bool MultiLine,
                                               bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                               TColor TextColor, TColor BkColor, const TcxDrawBackgroundEvent&,
                                               bool IsLast, bool) const
{
  inherited::DrawHeader(Canvas, Bounds, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert, MultiLine,
                        ShowEndEllipsis, Text, Font, TextColor, BkColor, {}, IsLast, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours,
                                                    TcxBorders Borders) const
{
  const TColor h = Office11HeaderColor(), hb = Office11HeaderBottomColor();
  const TColor dark = Office11DarkEdgeColor(), light = Office11LightEdgeColor();
  const TColor blendedBottom = BlendColors(h, hb, 25);
  auto column = [&](int x, int top, int bottom, TColor color) {
    Canvas->FillRectWithColor(RECT{x, top, x + 1, bottom}, color);
  };
  auto pixel = [&](int x, int y, TColor color) { Canvas->SetPixelColor(x, y, color); };
  if (Borders.Contains(TcxBorder::bTop)) Canvas->FillRectWithColor(RECT{R.left, R.top, R.right, R.top + 1}, h);
  if (Borders.Contains(TcxBorder::bBottom))
    Canvas->FillRectWithColor(RECT{R.left, R.bottom - 1, R.right, R.bottom}, dark);
  // The side columns first, then the corner pixels that blend them into the top and bottom colours.
  if (Borders.Contains(TcxBorder::bLeft)) {
    const int x = R.left;
    if (Neighbours.Contains(TcxNeighbour::nLeft)) {
      column(x, R.top + 2, R.bottom - 3, light);
      pixel(x, R.top + 1, h);
      pixel(x, R.top + 2, h);
      pixel(x, R.bottom - 3, blendedBottom);
    } else {
      column(x, R.top + 1, R.bottom - 2, light);
      pixel(x, R.top + 1, h);
    }
    pixel(x, R.bottom - 2, hb);
  }
  if (Borders.Contains(TcxBorder::bRight)) {
    const int x = R.right - 1;
    if (Neighbours.Contains(TcxNeighbour::nRight)) {
      column(x, R.top + 2, R.bottom - 3, dark);
      pixel(x, R.top + 1, h);
      pixel(x, R.top + 2, h);
      pixel(x, R.bottom - 3, blendedBottom);
      pixel(x, R.bottom - 2, hb);
    } else {
      column(x, R.top + 1, R.bottom - 2, dark);
      pixel(x, R.top, BlendColors(h, dark, 50));
      pixel(x, R.bottom - 2, BlendColors(hb, dark, 50));
    }
  }
}

void TcxOffice11LookAndFeelPainter::DrawHeaderSection(TcxCanvas* Canvas, const RECT& R, const RECT& TextBounds,
                                                      TcxNeighbours Neighbours, TcxBorders Borders,
                                                      TcxButtonState State, TAlignment AlignHorz,
                                                      TcxVerticalAlignment AlignVert, bool MultiLine,
                                                      bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                      TColor TextColor, TColor BkColor) const
{
  DrawHeader(Canvas, R, TextBounds, Neighbours, Borders, State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis, Text,
             Font, TextColor, BkColor, {}, false, false);
  if (State == cxbsPressed) InvertHeaderRect(Canvas, R);
}

void TcxOffice11LookAndFeelPainter::DrawSortArrow(TcxCanvas* Canvas, const RECT& R, bool Ascending) const
{
  DrawSortTriangle(Canvas, R, Office11DarkEdgeColor(), Office11LightEdgeColor(), Ascending);
}

void TcxOffice11LookAndFeelPainter::DrawCellContent(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                                    TcxButtonState State, TAlignment AlignHorz,
                                                    TcxVerticalAlignment AlignVert, bool MultiLine,
                                                    bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                    TColor TextColor, TColor,
                                                    const TcxDrawBackgroundEvent& OnDrawBackground,
                                                    bool PlainBackground) const
{
  const bool hot = State == cxbsHot;
  if (!OnDrawBackground || !OnDrawBackground(Canvas, Bounds)) {
    const TColor top = hot ? dxOffice11GradientBeginColor() : Office11HeaderColor();
    const TColor bottom = hot ? dxOffice11GradientBeginColor() : Office11HeaderBottomColor();
    if (PlainBackground) {
      Canvas->FillRectWithColor(Bounds, top);
    } else {
      Canvas->FillRectWithColor(RECT{Bounds.left, Bounds.top, Bounds.right, Bounds.bottom - 3}, top);
      FillVerticalGradient(Canvas, RECT{Bounds.left, Bounds.bottom - 4, Bounds.right, Bounds.bottom}, top, bottom);
    }
  }
  // The text as the base painter writes it, over the background drawn here.
  inherited::DrawCellContent(Canvas, Bounds, TextBounds, State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis,
                             Text, Font, TextColor, clNone, {}, PlainBackground);
  if (hot)
    FillVerticalGradient(Canvas, RECT{Bounds.left - 1, Bounds.bottom - 2, Bounds.right, Bounds.bottom + 1},
                         dxOffice11HotFaceColor(), dxOffice11HotFaceEndColor());
}

void TcxOffice11LookAndFeelPainter::DrawLayoutViewRecordCaption(TcxCanvas* Canvas, const RECT& R,
                                                                TcxButtonState State, bool Gradient) const
{
  DrawLayoutViewRecordFrame(Canvas, R, cxBordersAll, State);
  DrawCellContent(Canvas, R, R, State, taLeftJustify, vaTop, false, false, {}, nullptr, clDefault, clDefault, {},
                  !Gradient);
}

// --- What the native painter draws while visual styles work ---

void TcxOffice11LookAndFeelPainter::DrawScrollBarElement(TcxCanvas* Canvas, bool IsHorizontal, const RECT& R,
                                                         TcxScrollBarElement Element, TcxButtonState State) const
{
  if (TcxCustomLookAndFeelPainter* native = NativePainter())
    native->DrawScrollBarElement(Canvas, IsHorizontal, R, Element, State);
  else
    inherited::DrawScrollBarElement(Canvas, IsHorizontal, R, Element, State);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownButtonFace(TcxCanvas* Canvas, const RECT& R,
                                                           TcxButtonState State) const
{
  if (TcxCustomLookAndFeelPainter* native = NativePainter())
    native->DrawDropDownButtonFace(Canvas, R, State);
  else
    inherited::DrawDropDownButtonFace(Canvas, R, State);
}

void TcxOffice11LookAndFeelPainter::DrawGroupBoxBorder(TcxCanvas* Canvas, const RECT& R, TcxBorders Borders,
                                                       TcxGroupBoxCaptionSide CaptionPosition, bool IsEnabled) const
{
  if (TcxCustomLookAndFeelPainter* native = NativeButtonPainter())
    native->DrawGroupBoxBorder(Canvas, R, Borders, CaptionPosition, IsEnabled);
  else
    inherited::DrawGroupBoxBorder(Canvas, R, Borders, CaptionPosition, IsEnabled);
}

// --- Size grips, scheduler parts, frames and track bars ---

void TcxOffice11LookAndFeelPainter::DrawSizeGrip(TcxCanvas* Canvas, const RECT& R) const
{
  DrawSchemeSizeGrip(Canvas->GetDCHandle(), R);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerHeader(TcxCanvas* Canvas, const RECT& R, std::string_view Text,
                                                        TcxNeighbours, const TcxViewParams& ViewParams, int Sides,
                                                        int SideArrowIndent,
                                                        const TcxDrawBackgroundEvent& OnDrawBackground) const
{
  const RECT content = InflateRectXY(R, -1, -1);
  if (!OnDrawBackground || !OnDrawBackground(Canvas, content))
    Canvas->FrameAndFillRect(content, ViewParams, false, 0, clDefault, TcxBorders{});
  if (!Text.empty()) {
    if (ViewParams.Font) Canvas->AssignFont(ViewParams.Font);
    if (ViewParams.TextColor != clDefault) Canvas->GetCurrentFont()->SetColor(ViewParams.TextColor);
    Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
    Canvas->DrawTextInRect(Text, content, cxAlignCenter | cxSingleLine);
    Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
  }
  DrawHeaderSideArrows(Canvas, R, Sides, SideArrowIndent, clWindowText);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerNavButton(TcxCanvas* Canvas, const RECT& R, const RECT& ArrowRect,
                                                           bool IsNext, TcxButtonState State) const
{
  const TColor face = State == cxbsHot       ? dxOffice11HotFaceColor()
                      : State == cxbsPressed ? dxOffice11PressedFaceColor()
                                             : dxOffice11FaceColor();
  Canvas->FillRectWithColor(R, face);
  // The frame on the outer sides: all but the one facing the content.
  TcxBorders sides = cxBordersAll;
  sides.Exclude(IsNext ? TcxBorder::bRight : TcxBorder::bLeft);
  Canvas->DrawFrameRect(R, dxOffice11ContainerFrameColor(), 1, sides);
  DrawSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TcxOffice11LookAndFeelPainter::DrawContainerFrame(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, ContainerFrameColor());
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarTrackFrame(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, clBtnText);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbEdges(TcxCanvas* Canvas, std::span<const POINT> LightLine,
                                                           std::span<const POINT> OuterLine,
                                                           std::span<const POINT>) const
{
  cxDrawThumbEdgeLine(Canvas, LightLine, clBtnText);
  cxDrawThumbEdgeLine(Canvas, OuterLine, clBtnText);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbBoxEdges(TcxCanvas* Canvas, const RECT& R) const
{
  Canvas->DrawFrameRect(R, clBtnText);
}

// --- Group box captions, layout controls and calendar headers ---

void TcxOffice11LookAndFeelPainter::DrawGroupBoxCaptionArea(TcxCanvas* Canvas, TControl* Control, TColor EndColor,
                                                            TColor BeginColor, const RECT& R) const
{
  if (BeginColor == clDefault)
    PaintParentImage(Control, Canvas, R, true);
  else if (EndColor == clDefault)
    Canvas->FillRectWithColor(R, BeginColor);
  else
    FillVerticalGradient(Canvas, R, BeginColor, EndColor);
}

void TcxOffice11LookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* Canvas, const RECT& R) const
{
  FillVerticalGradient(Canvas, R, dxOffice11GradientBeginColor(), dxOffice11GradientEndColor());
}

void TcxOffice11LookAndFeelPainter::DrawCalendarHeader(TcxCanvas* Canvas, RECT& R) const
{
  Canvas->FillRectWithColor(R, CalendarHeaderColor());
}
