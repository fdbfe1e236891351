#pragma once
// A class-library canvas drawing on a DIB surface whose pixels the tests read, and colour checks
// for the panel tests.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"

class TCanvasOnSurface {
public:
  TCanvasOnSurface(int width, int height, COLORREF fill = RGB(255, 0, 255))
      : FSurface(width, height, fill), FCanvas(MakeOwned<TCanvas>())
  {
    FCanvas->SetHandle(FSurface.DC());
  }
  ~TCanvasOnSurface() { FCanvas->SetHandle(nullptr); }
  TCanvasOnSurface(const TCanvasOnSurface&) = delete;
  TCanvasOnSurface& operator=(const TCanvasOnSurface&) = delete;

  TCanvas* Canvas() const { return FCanvas.get(); }
  TDibSurface& Surface() { return FSurface; }
  COLORREF Pixel(int x, int y) const { return FSurface.Pixel(x, y); }

private:
  TDibSurface FSurface;
  TOwned<TCanvas> FCanvas;
};

// The largest difference of one channel between two colours.
inline int ColorDistance(COLORREF a, COLORREF b)
{
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The RGB value GDI draws a colour in.
inline COLORREF Rgb(TColor color) { return GdiColor(color); }
