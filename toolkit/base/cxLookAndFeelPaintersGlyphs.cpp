// The glyph routines shared by the painters: arrow triangles, the drop-down arrow, the plus and minus
// sign of expand boxes, the chevrons of group toggle buttons, the sort triangle, the close cross and
// the side arrows of scheduler headers. Coordinates are integers with right and bottom edges
// exclusive; divisions truncate toward zero unless a routine says otherwise.
#include <span>
#include "classlib/GraphicsObjects.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeelPaintersShapes.h"

void cxFillPolygon(TcxCanvas* canvas, std::span<const POINT> points, TColor color)
{
  canvas->GetCurrentPen()->SetColor(color);
  canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
  canvas->SetBrushColor(color);
  canvas->Polygon(points);
}

namespace {
// Rounds the quotient down (toward minus infinity).
int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }
}  // namespace

TcxArrowPoints CalcArrowPolygon(const RECT& r, int arrowSize, bool proportional, TcxArrowDirection direction)
{
  RECT rect = r;
  if (proportional) {
    const int d = GetRectWidth(rect) - GetRectHeight(rect);
    if (d > 0)
      InflateRect(&rect, -(d / 2), 0);
    else
      InflateRect(&rect, 0, -(-d / 2));
  }
  const bool vertical = direction == adUp || direction == adDown;
  int n = arrowSize;
  if (n == 0) n = ((vertical ? GetRectWidth(rect) : GetRectHeight(rect)) - 1) / 4 + 1;
  const int w = vertical ? 2 * n - 1 : n;
  const int h = vertical ? n : 2 * n - 1;
  const int cx = (rect.left + rect.right - w) / 2;
  const int cy = MulDiv(rect.top + rect.bottom - h, 1, 2);
  const int midX = (rect.left + rect.right - 1) / 2;
  const int midY = (rect.top + rect.bottom) / 2;
  switch (direction) {
  case adUp: return {{{midX, cy}, {cx, cy + h - 1}, {cx + w - 1, cy + h - 1}}};
  case adDown: return {{{cx, cy}, {cx + w - 1, cy}, {midX, cy + h - 1}}};
  case adLeft: return {{{cx, midY}, {cx + w - 1, cy}, {cx + w - 1, cy + h - 1}}};
  case adRight: break;
  }
  return {{{cx, cy}, {cx, cy + h - 1}, {cx + w - 1, midY}}};
}

TcxArrowDirection ScrollBarArrowDirection(bool horizontal, TcxScrollBarElement element)
{
  if (horizontal) return element == sbeLineBack ? adLeft : adRight;
  return element == sbeLineBack ? adUp : adDown;
}

void TcxCustomLookAndFeelPainter::DrawDropDownArrow(TcxCanvas* Canvas, const RECT& R, TColor Color) const
{
  int w = (R.right - R.left) / 2;
  if (w % 2 == 0) ++w;
  const int h = w / 2 + 1;
  const int y = MulDiv(R.top + R.bottom - h, 1, 2);
  const int x = (R.left + R.right - w) / 2;
  const POINT points[] = {{x, y}, {x + w - 1, y}, {x + w / 2, y + h - 1}};
  cxFillPolygon(Canvas, points, Color);
}

void TcxCustomLookAndFeelPainter::DrawPlusMinusSign(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                    TColor Color) const
{
  const int cx = FloorHalf(R.left + R.right);
  const int cy = FloorHalf(R.top + R.bottom);
  const int half = (R.right - R.left - 4) / 2;
  Canvas->FillRectWithColor(RECT{cx - half, cy, cx + half + 1, cy + 1}, Color);
  if (!Expanded) Canvas->FillRectWithColor(RECT{cx, cy - half, cx + 1, cy + half + 1}, Color);
}

void TcxCustomLookAndFeelPainter::DrawToggleChevrons(TcxCanvas* Canvas, const RECT& R, bool Expanded,
                                                     TcxButtonState State) const
{
  constexpr int n = 3;
  const int x0 = (R.left + R.right - 2 * n - 1) / 2;
  const int y0 = (R.top + R.bottom - 2 * n - 2) / 2;
  const int s = Expanded ? 1 : -1;
  Canvas->GetCurrentPen()->SetColor(ButtonGlyphColor(State, clDefault));
  // Two chevrons, each of two rows one pixel apart.
  for (int row : {y0, y0 + 1, y0 + 4, y0 + 5}) {
    const int a = Expanded ? row + n : row;
    const int b = ((row - y0) % 2) ^ (Expanded ? 0 : 1);
    const POINT line[] = {{x0 + b, a - s * b}, {x0 + n, a - s * n}, {x0 + 2 * n + 1 - b, a + s * (1 - b)}};
    Canvas->Polyline(line);
  }
}

void TcxCustomLookAndFeelPainter::DrawSortTriangle(TcxCanvas* Canvas, const RECT& R, TColor DarkColor,
                                                   TColor LightColor, bool Ascending) const
{
  const POINT size = SortArrowSize();
  const int w = size.x, h = size.y;
  const int s = Ascending ? 1 : -1;
  const bool even = w % 2 == 0;
  const int x = (R.left + R.right) / 2 - (even ? 1 : 0);
  const int y = Ascending ? (R.top + R.bottom - h) / 2 : (R.top + R.bottom + h) / 2 - 1;
  const int half = w / 2;
  const int half2 = half - (even ? 1 : 0);
  TPen* pen = Canvas->GetCurrentPen();
  pen->SetColor(LightColor);
  Canvas->MoveTo(x + half, y + (h - 2) * s);
  Canvas->LineTo(x + half - half2, y);
  Canvas->LineTo(x + half, y + (h - 1) * s);
  if (!Ascending) pen->SetColor(DarkColor);
  Canvas->LineTo(x - half2, y + (h - 1) * s);
  if (Ascending) pen->SetColor(DarkColor);
  Canvas->LineTo(x, y);
  Canvas->LineTo(x - half2, y + (h - w % 2) * s);
}

void TcxCustomLookAndFeelPainter::DrawCloseCross(TcxCanvas* Canvas, const RECT& R, TcxButtonState State,
                                                 TColor Color) const
{
  int a = CloseCrossButtonSize().x / 2;
  if (a % 2 == 0) --a;
  int x = (R.left + R.right - a) / 2;
  int y = (R.top + R.bottom - a) / 2;
  if (State == cxbsPressed) {
    ++x;
    ++y;
  }
  Canvas->GetCurrentPen()->SetColor(Color);
  for (int dx : {0, 1}) {
    Canvas->MoveTo(x + dx, y);
    Canvas->LineTo(x + dx + a, y + a);
    Canvas->MoveTo(x + dx, y + a - 1);
    Canvas->LineTo(x + dx + a, y - 1);
  }
}

void TcxCustomLookAndFeelPainter::DrawHeaderSideArrows(TcxCanvas* Canvas, const RECT& R, int Sides, int Indent,
                                                       TColor Color) const
{
  RECT r = R;
  r.top += BorderWidth();
  InflateRect(&r, 0, -1);
  int d = (r.bottom - r.top) / 2;
  if (d % 2 == 0) ++d;
  const int y0 = (r.top + r.bottom - d) / 2 - 1;
  const int h = d / 2;
  if (Sides == 1 || Sides == 3) {
    const int x = r.left + Indent - 1;
    const POINT points[] = {{x, y0}, {x, y0 + d + 1}, {x - (h + 1), y0 + h + 1}};
    cxFillPolygon(Canvas, points, Color);
  }
  if (Sides == 2 || Sides == 3) {
    const int x = r.right - Indent + 1;
    const POINT points[] = {{x, y0}, {x, y0 + d + 1}, {x + h + 1, y0 + h + 1}};
    cxFillPolygon(Canvas, points, Color);
  }
}
