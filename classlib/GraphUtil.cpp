#include "classlib/GraphUtil.h"

#include "classlib/GraphicsUtils.h"
#include "classlib/Msimg32.h"

namespace {
TRIVERTEX Vertex(int x, int y, COLORREF color)
{
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(color) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(color) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
  return v;
}
}  // namespace

void GradientFillCanvas(TCanvas* canvas, TColor startColor, TColor endColor, const RECT& rect,
                        TGradientFillDirection direction)
{
  if (!canvas || IsRectEmpty(&rect)) return;
  const HDC dc = canvas->Handle();
  const auto gradientFill = Msimg32().GradientFill;
  if (!gradientFill) {
    TBrushHandle brush(CreateSolidBrush(GdiColor(startColor)));
    FillRect(dc, &rect, brush.Get());
    return;
  }
  TRIVERTEX vertices[] = {Vertex(rect.left, rect.top, GdiColor(startColor)),
                          Vertex(rect.right, rect.bottom, GdiColor(endColor))};
  GRADIENT_RECT mesh{0, 1};
  gradientFill(dc, vertices, 2, &mesh, 1,
               direction == TGradientFillDirection::gdHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}
