#include "toolkit/panels/RzCommonGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/GraphUtil.h"
#include "classlib/GraphicsUtils.h"

namespace {
constexpr std::string_view GradientDirectionNames[] = {
  "gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
  "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox"};

constexpr int FixedOne = 1 << 16;

// A 16.16 position rounded to the nearest pixel.
int FixedToInt(int value) { return (value + FixedOne / 2) >> 16; }

// A colour in 16.16 fixed point per channel, stepped toward another one.
class TFixedColor {
public:
  explicit TFixedColor(COLORREF color)
      : FR(GetRValue(color) * FixedOne), FG(GetGValue(color) * FixedOne), FB(GetBValue(color) * FixedOne)
  {
  }
  // Sets the step that reaches target from this colour in count steps (truncated per channel).
  void StepToward(COLORREF target, int count)
  {
    FStepR = (GetRValue(target) * FixedOne - FR) / count;
    FStepG = (GetGValue(target) * FixedOne - FG) / count;
    FStepB = (GetBValue(target) * FixedOne - FB) / count;
  }
  void Advance()
  {
    FR += FStepR;
    FG += FStepG;
    FB += FStepB;
  }
  COLORREF Value() const { return RGB(FR >> 16, FG >> 16, FB >> 16); }

private:
  int FR, FG, FB;
  int FStepR = 0, FStepG = 0, FStepB = 0;
};

// Groups consecutive colour steps into bands: a band covers at least minSteps steps and goes on
// while the colour stays the same. A band takes the colour of its first step.
class TBandRun {
public:
  explicit TBandRun(int minSteps) : FMinSteps(std::max(minSteps, 1)) {}
  // Takes the next step's colour; true when the current band ends before this step, which then
  // begins a new band (the ended band's colour is EndedColor()).
  bool Add(COLORREF color)
  {
    if (FCount == 0) {
      FColor = color;
    } else if (FCount >= FMinSteps && color != FColor) {
      FEnded = FColor;
      FColor = color;
      FCount = 1;
      return true;
    }
    ++FCount;
    return false;
  }
  COLORREF Color() const { return FColor; }
  COLORREF EndedColor() const { return FEnded; }

private:
  int FMinSteps;
  int FCount = 0;
  COLORREF FColor = 0;
  COLORREF FEnded = 0;
};

void FillSolid(HDC dc, const RECT& r, COLORREF color)
{
  if (r.left >= r.right || r.top >= r.bottom) return;
  TBrushHandle brush(CreateSolidBrush(color));
  ::FillRect(dc, &r, brush.Get());
}

// Pixels [from, to) along the strip.
RECT StripRect(bool column, int from, int to)
{
  return column ? RECT{0, from, RzGradientStripSize, to} : RECT{from, 0, to, RzGradientStripSize};
}

// Fills pixels lo..hi of the strip: start at hi, stepping toward target, which it would reach one
// step beyond lo. The band that reaches lo ends there.
void FillStripPass(HDC dc, bool column, int lo, int hi, int step, COLORREF start, COLORREF target)
{
  const int count = hi - lo + 1;
  if (count <= 0) return;
  TFixedColor color(start);
  color.StepToward(target, count + 1);
  TBandRun bands(step);
  int bandEnd = hi + 1;  // the band's far edge (exclusive)
  for (int pixel = hi; pixel >= lo; --pixel) {
    if (bands.Add(color.Value())) {
      FillSolid(dc, StripRect(column, pixel + 1, bandEnd), bands.EndedColor());
      bandEnd = pixel + 1;
    }
    color.Advance();
  }
  FillSolid(dc, StripRect(column, lo, bandEnd), bands.Color());
}

// The L-shaped area between two corners of the quadrant whose centre pixel is (hx, hy): its top
// part reaches across to hx, its left part down to hy.
void FillQuadrantBand(HDC dc, POINT outer, POINT inner, int hx, int hy, COLORREF color)
{
  FillSolid(dc, RECT{outer.x, outer.y, hx + 1, inner.y}, color);
  FillSolid(dc, RECT{outer.x, inner.y, inner.x, hy + 1}, color);
}

// One edge of a diagonal band: a line between two edges of the area.
struct TBandLine {
  POINT P, Q;
  bool operator==(const TBandLine& other) const
  {
    return P.x == other.P.x && P.y == other.P.y && Q.x == other.Q.x && Q.y == other.Q.y;
  }
};

// The polygon between two band lines, when they differ.
void FillDiagonalBand(HDC dc, const TBandLine& from, const TBandLine& to, COLORREF color)
{
  if (from == to) return;
  const POINT points[] = {to.P, from.P, from.Q, to.Q};
  TBrushHandle brush(CreateSolidBrush(color));
  TSelectObject select(dc, brush.Get());
  Polygon(dc, points, 4);
}

// One half of a diagonal gradient: count steps of lines from first to last (forced at the end),
// the line of each step made by lineAt from the 16.16 position, banded by colour.
template <class LineAt>
void FillDiagonalHalf(HDC dc, int count, int step, TFixedColor& color, TBandLine first, TBandLine last,
                      LineAt lineAt)
{
  TBandRun bands(step);
  TBandLine bandStart = first, previous = first;
  for (int i = 1; i <= count; ++i) {
    const TBandLine line = i == count ? last : lineAt(i);
    if (bands.Add(color.Value())) {
      FillDiagonalBand(dc, bandStart, previous, bands.EndedColor());
      bandStart = previous;
    }
    previous = line;
    color.Advance();
  }
  FillDiagonalBand(dc, bandStart, previous, bands.Color());
}
}  // namespace

const TEnumInfo GradientDirectionInfo =
    EnumInfo<TGradientDirection::gdBigSquareBox>("TGradientDirection", GradientDirectionNames);

void FillLinearGradientStrip(HDC dc, bool column, int split, int step, COLORREF colorA, COLORREF colorB,
                             int length)
{
  if (length <= 0) return;
  if (split < 0) {
    FillStripPass(dc, column, 0, length - 1, step, colorB, colorA);
    return;
  }
  const int middle = std::min(split, length - 1);
  FillStripPass(dc, column, 0, middle, step, colorB, colorA);
  FillStripPass(dc, column, middle + 1, length - 1, step, colorA, colorB);
}

void FillBoxGradientQuadrant(HDC dc, int w, int h, int step, COLORREF centreColor, COLORREF edgeColor,
                             int insetY, int insetX)
{
  if (centreColor == edgeColor || w < 5 || h <= 4) {
    FillSolid(dc, RECT{0, 0, w + 1, h + 1}, edgeColor);
    return;
  }
  const int hx = (w - 1) >> 1, hy = (h - 1) >> 1;
  const POINT centre{std::max(hx - insetX, 0), std::max(hy - insetY, 0)};
  const int count = std::max(centre.x, centre.y) + 1;
  FillSolid(dc, RECT{centre.x, centre.y, hx + 1, hy + 1}, centreColor);
  const int stepX = centre.x * FixedOne / count, stepY = centre.y * FixedOne / count;
  int x = centre.x * FixedOne, y = centre.y * FixedOne;
  TFixedColor color(centreColor);
  color.StepToward(edgeColor, count);
  TBandRun bands(step);
  POINT inner = centre, previous = centre;
  for (int i = 1; i <= count; ++i) {
    x -= stepX;
    y -= stepY;
    color.Advance();
    // The last step reaches the corner and the edge colour exactly, whatever the truncation.
    const POINT corner = i == count ? POINT{0, 0} : POINT{FixedToInt(x), FixedToInt(y)};
    if (bands.Add(i == count ? edgeColor : color.Value())) {
      FillQuadrantBand(dc, previous, inner, hx, hy, bands.EndedColor());
      inner = previous;
    }
    previous = corner;
  }
  FillQuadrantBand(dc, previous, inner, hx, hy, bands.Color());
}

void FillDiagonalGradient(HDC dc, int w, int h, int step, COLORREF colorA, COLORREF colorB)
{
  const int width = std::abs(w);
  if (width == 0 || h <= 0) return;
  const int g = static_cast<int>(std::sqrt(double(width) * width + double(h) * h)) + 1;
  const int half = std::max(g / 2, 1);
  const bool forward = w > 0;
  const int x0 = forward ? 0 : width, xf = forward ? width : 0;
  TFixedColor color(forward ? colorB : colorA);
  color.StepToward(forward ? colorA : colorB, g);
  const int stepX = (xf - x0) * FixedOne / half, stepY = h * FixedOne / half;
  const TBandLine corner{{x0, h}, {x0, h}}, diagonal{{x0, 0}, {xf, h}}, farCorner{{xf, 0}, {xf, 0}};
  // The bands are filled without outlines, whatever pen the context holds.
  TSelectObject noPen(dc, GetStockObject(NULL_PEN));
  // First half: lines from the side edge x = x0 to the bottom edge, from the corner (x0, h) to the
  // diagonal.
  FillDiagonalHalf(dc, half, step, color, corner, diagonal, [&](int i) {
    return TBandLine{{x0, FixedToInt(h * FixedOne - i * stepY)}, {FixedToInt(x0 * FixedOne + i * stepX), h}};
  });
  // Second half: lines from the top edge to the far side edge, from the diagonal to the corner
  // (xf, 0); the colour goes on.
  FillDiagonalHalf(dc, half, step, color, diagonal, farCorner, [&](int i) {
    return TBandLine{{FixedToInt(x0 * FixedOne + i * stepX), 0}, {xf, FixedToInt(h * FixedOne - i * stepY)}};
  });
}

void TileBitmapStrip(HDC dc, int x, int y, DWORD rop, int stripW, int stripH, int totalW, int totalH)
{
  int w = stripW, h = stripH;
  if (w <= 0 || h <= 0) return;
  bool down = h < totalH;
  while (w < totalW || h < totalH) {
    if (down && h >= totalH) down = false;
    if (!down && w >= totalW) down = true;
    if (down) {
      const int part = std::min(h, totalH - h);
      BitBlt(dc, x, y + h, w, part, dc, x, y, rop);
      h += part;
      down = w >= totalW;
    } else {
      const int part = std::min(w, totalW - w);
      BitBlt(dc, x + w, y, part, h, dc, x, y, rop);
      w += part;
      down = h < totalH;
    }
  }
}

void MirrorQuadrantBlit(HDC dc, int x, int y, DWORD rop, int h, int w)
{
  // A negative extent puts the mirrored image from the origin pixel backward, so the far row or
  // column is the origin. The top rows go into the bottom half, then the left columns (both
  // quadrants now) into the right half; an odd middle row or column stays as the quadrant drew it.
  StretchBlt(dc, x, y + h - 1, w, -(h / 2), dc, x, y, w, h / 2, rop);
  StretchBlt(dc, x + w - 1, y, -(w / 2), h, dc, x, y, w / 2, h, rop);
}

void PaintGradientBitmap(TCanvas* canvas, const RECT& r, TGradientDirection direction, TColor startColor,
                         TColor endColor, int step)
{
  const int w = std::abs(r.right - r.left), h = std::abs(r.bottom - r.top);
  if (!canvas || w == 0 || h == 0) return;
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(w, h);
  TCanvas* target = bitmap->Canvas();
  target->Pen()->SetWidth(1);
  target->Pen()->SetStyle(TPenStyle::psClear);
  target->Pen()->SetMode(TPenMode::pmCopy);
  target->Brush()->SetStyle(TBrushStyle::bsSolid);
  const HDC dc = target->Handle();
  const COLORREF s = GdiColor(startColor), e = GdiColor(endColor);
  // Box shapes start from the start colour everywhere, so that the mirrored quadrant meets it.
  auto box = [&](int insetY, int insetX) {
    FillSolid(dc, RECT{0, 0, w, h}, s);
    FillBoxGradientQuadrant(dc, w, h, step, e, s, insetY, insetX);
    MirrorQuadrantBlit(dc, 0, 0, SRCCOPY, h, w);
  };
  switch (direction) {
    case TGradientDirection::gdDiagonalUp:
    case TGradientDirection::gdDiagonalDown:
      if (s == e)
        FillSolid(dc, RECT{0, 0, w, h}, s);
      else
        FillDiagonalGradient(dc, direction == TGradientDirection::gdDiagonalUp ? w : -w, h, step, e, s);
      break;
    case TGradientDirection::gdHorizontalEnd:
    case TGradientDirection::gdHorizontalCenter:
      FillLinearGradientStrip(dc, true, direction == TGradientDirection::gdHorizontalCenter ? h / 2 : -1, step, s,
                              e, h);
      TileBitmapStrip(dc, 0, 0, SRCCOPY, RzGradientStripSize, h, w, h);
      break;
    case TGradientDirection::gdVerticalEnd:
    case TGradientDirection::gdVerticalCenter:
      FillLinearGradientStrip(dc, false, direction == TGradientDirection::gdVerticalCenter ? w / 2 : -1, step, s,
                              e, w);
      TileBitmapStrip(dc, 0, 0, SRCCOPY, w, RzGradientStripSize, w, h);
      break;
    case TGradientDirection::gdHorizontalBox:
      box(0, w >> 2);
      break;
    case TGradientDirection::gdVerticalBox:
      box(h >> 2, 0);
      break;
    case TGradientDirection::gdSquareBox:
      box(0, 0);
      break;
    case TGradientDirection::gdBigSquareBox:
      box(h >> 2, w >> 2);
      break;
  }
  canvas->Draw(r.left, r.top, bitmap.get());
}

void PaintGradient(TCanvas* canvas, const RECT& r, TGradientDirection direction, TColor startColor,
                   TColor endColor, int step)
{
  if (!canvas) return;
  switch (direction) {
    case TGradientDirection::gdHorizontalEnd:
      GradientFillCanvas(canvas, startColor, endColor, r, TGradientFillDirection::gdVertical);
      break;
    case TGradientDirection::gdVerticalEnd:
      GradientFillCanvas(canvas, startColor, endColor, r, TGradientFillDirection::gdHorizontal);
      break;
    default:
      PaintGradientBitmap(canvas, r, direction, startColor, endColor, step);
      break;
  }
}

namespace {
// The controls whose parent is being painted for them now: a parent whose painting paints the
// control again (a windowless one) must not ask once more.
std::vector<const TControl*> GDrawingParentOf;

// Sends the message, swallowing an exception when asked; answers whether it went through.
bool SendGuarded(TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam, bool swallow)
{
  if (!swallow) {
    parent->Perform(msg, wParam, lParam);
    return true;
  }
  try {
    parent->Perform(msg, wParam, lParam);
    return true;
  } catch (...) {
    return false;
  }
}
}  // namespace

void DrawParentBackground(TControl* control, HDC dc, bool invalidateParent)
{
  if (!control || !control->Parent()) return;
  if (std::find(GDrawingParentOf.begin(), GDrawingParentOf.end(), control) != GDrawingParentOf.end()) return;
  TWinControl* parent = control->Parent();
  const bool designing = control->IsDesigning();
  {
    GDrawingParentOf.push_back(control);
    struct TRestore {
      HDC DC;
      int Saved;
      ~TRestore()
      {
        RestoreDC(DC, Saved);
        GDrawingParentOf.pop_back();
      }
    } restore{dc, SaveDC(dc)};
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    const WPARAM wParam = reinterpret_cast<WPARAM>(dc);
    if (SendGuarded(parent, WM_ERASEBKGND, wParam, 0, designing))
      SendGuarded(parent, WM_PRINTCLIENT, wParam, PRF_CLIENT, designing);
  }
  if (invalidateParent && !designing && !parent->Is<TCustomControl>() && !parent->Is<TCustomForm>())
    parent->Invalidate();
}
