#pragma once
// Checks of what a painter drew on a surface against a drawing of it made of rectangles: the
// background, then each rectangle in its colour in order (later ones over earlier ones). Every pixel
// of the surface is compared, so a shape that is too large, too small, in the wrong colour or drawn
// outside its rectangle shows.
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"

class TShapes {
public:
  TShapes& Fill(const RECT& r, TColor color)
  {
    FItems.push_back({r, Rgb(color)});
    return *this;
  }
  // Bands of the width inside the rectangle on the chosen sides.
  TShapes& Frame(const RECT& r, TColor color, TcxBorders sides = cxBordersAll, int width = 1)
  {
    if (sides.Contains(TcxBorder::bLeft)) Fill(RECT{r.left, r.top, r.left + width, r.bottom}, color);
    if (sides.Contains(TcxBorder::bRight)) Fill(RECT{r.right - width, r.top, r.right, r.bottom}, color);
    if (sides.Contains(TcxBorder::bTop)) Fill(RECT{r.left, r.top, r.right, r.top + width}, color);
    if (sides.Contains(TcxBorder::bBottom)) Fill(RECT{r.left, r.bottom - width, r.right, r.bottom}, color);
    return *this;
  }
  // Left and top in one colour, right and bottom in the other, drawn left, top, right, bottom.
  TShapes& TwoColorFrame(const RECT& r, TColor leftTop, TColor rightBottom, TcxBorders sides = cxBordersAll)
  {
    if (sides.Contains(TcxBorder::bLeft)) Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, leftTop);
    if (sides.Contains(TcxBorder::bTop)) Fill(RECT{r.left, r.top, r.right, r.top + 1}, leftTop);
    if (sides.Contains(TcxBorder::bRight)) Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, rightBottom);
    if (sides.Contains(TcxBorder::bBottom)) Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, rightBottom);
    return *this;
  }
  TShapes& Pixel(int x, int y, TColor color) { return Fill(RECT{x, y, x + 1, y + 1}, color); }
  // The other drawing's rectangles over these.
  TShapes& Then(const TShapes& other)
  {
    FItems.insert(FItems.end(), other.FItems.begin(), other.FItems.end());
    return *this;
  }

  // The colour the drawing has at a pixel.
  COLORREF At(int x, int y, COLORREF background) const
  {
    COLORREF color = background;
    for (const TItem& item : FItems)
      if (x >= item.R.left && x < item.R.right && y >= item.R.top && y < item.R.bottom) color = item.Color;
    return color;
  }

private:
  struct TItem {
    RECT R;
    COLORREF Color;
  };
  std::vector<TItem> FItems;
};

// "" when every pixel of the surface is as drawn; else the number of differing pixels and the first
// few of them.
inline std::string CompareShapes(const TDibSurface& surface, COLORREF background, const TShapes& shapes)
{
  std::ostringstream out;
  int differing = 0;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      const COLORREF expected = shapes.At(x, y, background), actual = surface.Pixel(x, y);
      if (expected == actual) continue;
      if (++differing <= 5)
        out << " (" << x << ", " << y << ") is " << ColorText(actual) << " not " << ColorText(expected) << ";";
    }
  if (differing == 0) return {};
  return std::to_string(differing) + " pixels differ:" + out.str();
}

// A background colour that no system colour and no painter colour has.
constexpr COLORREF ShapeBackground = RGB(23, 45, 67);

// A drawing and the rectangles it must give.
struct TDrawCase {
  std::string Name;
  std::function<void(TcxCanvas*)> Draw;
  TShapes Expected;
};

// Each case drawn on a fresh surface of the size and compared with its rectangles.
inline void ExpectDrawings(int width, int height, const std::vector<TDrawCase>& cases)
{
  for (const TDrawCase& c : cases) {
    TPainterSurface surface(width, height, ShapeBackground);
    c.Draw(surface.cx());
    EXPECT_EQ(CompareShapes(surface, ShapeBackground, c.Expected), "") << c.Name;
  }
}
