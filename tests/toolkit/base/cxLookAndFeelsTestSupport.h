#pragma once
// Test equipment of the look-and-feel and painter tests: a surface with a toolkit canvas over it, and
// pictures of where one colour lies, so that a shape is checked against a drawing of it.
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"

// A DIB surface with a TcxCanvas over it.
class TPainterSurface : public TTestSurface {
public:
  TPainterSurface(int width, int height, COLORREF fill = RGB(255, 255, 255))
      : TTestSurface(width, height, fill), FCanvas(MakeOwned<TcxCanvas>(Canvas()))
  {
  }
  TcxCanvas* cx() { return FCanvas.get(); }

  // One string per row of the rectangle: '#' where a pixel has the colour, '.' elsewhere.
  std::vector<std::string> Picture(const RECT& r, COLORREF color) const
  {
    std::vector<std::string> rows;
    for (int y = r.top; y < r.bottom; ++y) {
      std::string row;
      for (int x = r.left; x < r.right; ++x) row += Pixel(x, y) == color ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }

private:
  TOwned<TcxCanvas> FCanvas;
};

// An IsThemeActive that says visual styles are off.
inline BOOL WINAPI ThemeActiveOff() { return FALSE; }

// The colour GDI draws for a class-library colour.
inline COLORREF Rgb(TColor color) { return ColorToRGB(color); }
