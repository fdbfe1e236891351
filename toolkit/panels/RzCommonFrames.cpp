#include "toolkit/panels/RzCommonFrames.h"

#include <span>
#include <string_view>
#include "toolkit/panels/RzCommonColors.h"

namespace {
constexpr std::string_view FrameStyleNames[] = {
  "fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown", "fsRaised", "fsButtonUp", "fsStatus",
  "fsPopup", "fsFlatBold", "fsFlatRounded"};
constexpr std::string_view SideNames[] = {"sdLeft", "sdTop", "sdRight", "sdBottom"};

// The upper-left and lower-right colours of the styles drawn with plain lines.
struct TFrameColors {
  TColor UpperLeft;
  TColor LowerRight;
};
constexpr TFrameColors StyleColors(TFrameStyleEx style)
{
  switch (style) {
    case TFrameStyleEx::fsGroove:
    case TFrameStyleEx::fsStatus: return {clBtnShadow, clBtnHighlight};
    case TFrameStyleEx::fsBump:
    case TFrameStyleEx::fsPopup: return {clBtnHighlight, clBtnShadow};
    case TFrameStyleEx::fsFlatBold: return {clBtnShadow, clBtnShadow};
    default: return {cl3DDkShadow, cl3DDkShadow};  // fsFlat, fsFlatRounded
  }
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2)
{
  canvas->MoveTo(x1, y1);
  canvas->LineTo(x2, y2);
}

// The etched double line of fsGroove and fsBump: u on the outer upper-left and inner lower-right,
// d on the others, with the corner pixels where a side stops set so that the lines meet cleanly.
RECT DrawEtchedFrame(TCanvas* canvas, const RECT& r, TColor u, TColor d, TSides sides)
{
  const bool left = sides.Contains(TSide::sdLeft), top = sides.Contains(TSide::sdTop),
             right = sides.Contains(TSide::sdRight), bottom = sides.Contains(TSide::sdBottom);
  if (right)
    canvas->SetPixels(r.right - 1, r.top, d);
  else if (top)
    canvas->SetPixels(r.right - 1, r.top, u);
  if (bottom)
    canvas->SetPixels(r.left, r.bottom - 1, d);
  else if (left)
    canvas->SetPixels(r.left, r.bottom - 1, u);
  if (top && !left) canvas->SetPixels(r.left, r.top + 1, d);
  if (left && !top) canvas->SetPixels(r.left + 1, r.top, d);
  if (bottom && !right) canvas->SetPixels(r.right - 1, r.bottom - 2, u);
  if (right && !bottom) canvas->SetPixels(r.right - 2, r.bottom - 1, u);
  DrawFrameSides(canvas, RECT{r.left + 1, r.top + 1, r.right, r.bottom}, d, d, sides);
  DrawFrameSides(canvas, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, u, u, sides);
  return DeflateSides(r, sides, 2);
}

// Two nested lines: the outer pair of colours, then the inner pair.
RECT DrawDoubleFrame(TCanvas* canvas, const RECT& r, TFrameColors outer, TFrameColors inner, TSides sides)
{
  const RECT middle = DrawFrameSides(canvas, r, outer.UpperLeft, outer.LowerRight, sides);
  return DrawFrameSides(canvas, middle, inner.UpperLeft, inner.LowerRight, sides);
}
}  // namespace

const TEnumInfo FrameStyleExInfo = EnumInfo<TFrameStyleEx::fsFlatRounded>("TFrameStyleEx", FrameStyleNames);
const TEnumInfo FrameStyleInfo{"TFrameStyle", std::span(FrameStyleNames).first(11)};
const TEnumInfo SideInfo = EnumInfo<TSide::sdBottom>("TSide", SideNames);

RECT DeflateSides(const RECT& r, TSides sides, int n)
{
  RECT result = r;
  if (sides.Contains(TSide::sdLeft)) result.left += n;
  if (sides.Contains(TSide::sdTop)) result.top += n;
  if (sides.Contains(TSide::sdRight)) result.right -= n;
  if (sides.Contains(TSide::sdBottom)) result.bottom -= n;
  return result;
}

RECT DrawFrameSides(TCanvas* canvas, const RECT& r, TColor ulColor, TColor lrColor, TSides sides)
{
  if (ulColor != clNone) {
    canvas->Pen()->SetColor(ulColor);
    if (sides.Contains(TSide::sdLeft)) Line(canvas, r.left, r.top, r.left, r.bottom);
    if (sides.Contains(TSide::sdTop)) Line(canvas, r.left, r.top, r.right, r.top);
  }
  if (lrColor != clNone) {
    canvas->Pen()->SetColor(lrColor);
    if (sides.Contains(TSide::sdRight)) Line(canvas, r.right - 1, r.top, r.right - 1, r.bottom);
    if (sides.Contains(TSide::sdBottom)) Line(canvas, r.left, r.bottom - 1, r.right, r.bottom - 1);
  }
  return DeflateSides(r, sides, 1);
}

RECT DrawFrameSidesRepeated(TCanvas* canvas, const RECT& r, TColor ulColor, TColor lrColor, TSides sides,
                            int count)
{
  canvas->Pen()->SetWidth(1);
  RECT result = r;
  for (int i = 0; i < count; ++i) result = DrawFrameSides(canvas, result, ulColor, lrColor, sides);
  return result;
}

RECT DrawBevelFrame(TCanvas* canvas, const RECT& r, bool lowered, TSides sides)
{
  if (lowered) return DrawDoubleFrame(canvas, r, {clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}, sides);
  return DrawDoubleFrame(canvas, r, {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, sides);
}

RECT DrawButtonFrame(TCanvas* canvas, const RECT& r, bool down, TSides sides)
{
  if (down) return DrawDoubleFrame(canvas, r, {clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}, sides);
  return DrawDoubleFrame(canvas, r, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}, sides);
}

RECT DrawRoundedFlatFrame(TCanvas* canvas, const RECT& r, TColor color, TSides sides)
{
  const bool left = sides.Contains(TSide::sdLeft), top = sides.Contains(TSide::sdTop),
             right = sides.Contains(TSide::sdRight), bottom = sides.Contains(TSide::sdBottom);
  const RECT inner{left ? r.left + 2 : r.left, top ? r.top + 2 : r.top, right ? r.right - 2 : r.right,
                   bottom ? r.bottom - 2 : r.bottom};
  if (color == clNone) return inner;
  canvas->Pen()->SetColor(color);
  if (left) Line(canvas, r.left, inner.top, r.left, inner.bottom);
  if (top) Line(canvas, inner.left, r.top, inner.right, r.top);
  if (right) Line(canvas, r.right - 1, inner.top, r.right - 1, inner.bottom);
  if (bottom) Line(canvas, inner.left, r.bottom - 1, inner.right, r.bottom - 1);
  if (left && top) canvas->SetPixels(r.left + 1, r.top + 1, color);
  if (top && right) canvas->SetPixels(r.right - 2, r.top + 1, color);
  if (right && bottom) canvas->SetPixels(r.right - 2, r.bottom - 2, color);
  if (bottom && left) canvas->SetPixels(r.left + 1, r.bottom - 2, color);
  return inner;
}

RECT DrawFrameStyleSides(TCanvas* canvas, const RECT& r, TFrameStyleEx style, TSides sides)
{
  const TFrameColors colors = StyleColors(style);
  switch (style) {
    case TFrameStyleEx::fsNone: return r;
    case TFrameStyleEx::fsFlat:
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return DrawFrameSides(canvas, r, colors.UpperLeft, colors.LowerRight, sides);
    case TFrameStyleEx::fsLowered:
    case TFrameStyleEx::fsRaised: return DrawBevelFrame(canvas, r, style == TFrameStyleEx::fsLowered, sides);
    case TFrameStyleEx::fsButtonDown:
    case TFrameStyleEx::fsButtonUp: return DrawButtonFrame(canvas, r, style == TFrameStyleEx::fsButtonDown, sides);
    case TFrameStyleEx::fsFlatBold:
      return DrawFrameSidesRepeated(canvas, r, colors.UpperLeft, colors.LowerRight, sides, 2);
    case TFrameStyleEx::fsGroove:
    case TFrameStyleEx::fsBump: return DrawEtchedFrame(canvas, r, colors.UpperLeft, colors.LowerRight, sides);
    case TFrameStyleEx::fsFlatRounded: return DrawRoundedFlatFrame(canvas, r, colors.UpperLeft, sides);
  }
  return r;
}

RECT DrawFrameStyle(TCanvas* canvas, const RECT& r, TFrameStyleEx style)
{
  return DrawFrameStyleSides(canvas, r, style, sdAllSides);
}

RECT DrawFlatFrameWithoutCorners(TCanvas* canvas, const RECT& r, TColor color)
{
  if (color != clNone) {
    canvas->Pen()->SetColor(color);
    Line(canvas, r.left, r.top + 1, r.left, r.bottom - 1);
    Line(canvas, r.left + 1, r.top, r.right - 1, r.top);
    Line(canvas, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
    Line(canvas, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
  }
  return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

namespace {
// Lines of one colour on the panel's sides.
RECT Rings(TCanvas* canvas, const RECT& r, TColor color, const TRzPanelBorders& b, int count = 1)
{
  return DrawFrameSidesRepeated(canvas, r, color, color, b.Sides, count);
}

// BevelWidth lines of fsStatus (shadow above and left) or fsPopup (highlight above and left).
RECT Bevels(TCanvas* canvas, const RECT& r, bool status, const TRzPanelBorders& b)
{
  return status ? DrawFrameSidesRepeated(canvas, r, b.ShadowColor, b.HighlightColor, b.Sides, b.BevelWidth)
                : DrawFrameSidesRepeated(canvas, r, b.HighlightColor, b.ShadowColor, b.Sides, b.BevelWidth);
}

RECT DrawOuterFrame(TCanvas* canvas, const RECT& r, const TRzPanelBorders& b, TColor flat)
{
  switch (b.Outer) {
    case TFrameStyleEx::fsFlat: return Rings(canvas, r, flat, b);
    case TFrameStyleEx::fsFlatBold: return Rings(canvas, r, flat, b, 2);
    case TFrameStyleEx::fsFlatRounded: {
      const bool banded = b.BorderWidth > 0 || b.Inner != TFrameStyleEx::fsNone;
      if (!b.Transparent)
        Rings(canvas, Rings(canvas, r, b.ParentColor, b), banded ? b.BorderColor : b.Color, b);
      else if (banded)
        Rings(canvas, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, b.BorderColor, b);
      return DrawRoundedFlatFrame(canvas, r, flat, b.Sides);
    }
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return Bevels(canvas, r, b.Outer == TFrameStyleEx::fsStatus, b);
    default: return DrawFrameStyleSides(canvas, r, b.Outer, b.Sides);
  }
}

RECT DrawInnerFrame(TCanvas* canvas, const RECT& r, const TRzPanelBorders& b, TColor flat)
{
  switch (b.Inner) {
    case TFrameStyleEx::fsFlat:
      return b.RoundInnerFlat ? DrawFlatFrameWithoutCorners(canvas, r, flat) : Rings(canvas, r, flat, b);
    case TFrameStyleEx::fsFlatBold: return Rings(canvas, r, flat, b, 2);
    case TFrameStyleEx::fsFlatRounded:
      if (!b.Transparent)
        Rings(canvas, Rings(canvas, r, b.BorderColor, b), b.Color, b);
      else
        Rings(canvas, r, b.BorderColor, b);
      return DrawRoundedFlatFrame(canvas, r, flat, b.Sides);
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return Bevels(canvas, r, b.Inner == TFrameStyleEx::fsStatus, b);
    default: return DrawFrameStyleSides(canvas, r, b.Inner, b.Sides);
  }
}
}  // namespace

RECT DrawPanelBorders(TCanvas* canvas, const RECT& r, const TRzPanelBorders& borders)
{
  const TColor flat = AdjustColorLightness(borders.FlatColor, borders.FlatColorAdjustment);
  RECT result = DrawOuterFrame(canvas, r, borders, flat);
  if (borders.BorderWidth > 0) result = Rings(canvas, result, borders.BorderColor, borders, borders.BorderWidth);
  return DrawInnerFrame(canvas, result, borders, flat);
}

int DrawTextOnCanvas(TCanvas* canvas, const std::string& text, RECT& r, UINT format)
{
  return DrawTextA(canvas->Handle(), text.c_str(), -1, &r, format);
}
