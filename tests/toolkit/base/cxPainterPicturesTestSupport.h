#pragma once
// Pictures of painted parts in letters: each pixel becomes the letter of its colour in a legend, so
// that a test writes the expected part as rows of letters.
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

// The background the pictures are painted on: a colour no system colour has.
constexpr COLORREF PictureBackground = RGB(1, 2, 3);

using TLegend = std::vector<std::pair<char, TColor>>;

// One string per row of the rectangle: the legend's letter of each pixel, '.' for the background
// and '?' for any other colour.
inline std::vector<std::string> Letters(const TDibSurface& surface, const RECT& r, const TLegend& legend)
{
  std::vector<std::string> rows;
  for (int y = r.top; y < r.bottom; ++y) {
    std::string row;
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF pixel = surface.Pixel(x, y);
      char letter = pixel == PictureBackground ? '.' : '?';
      for (const auto& [l, color] : legend)
        if (Rgb(color) == pixel) {
          letter = l;
          break;
        }
      row += letter;
    }
    rows.push_back(row);
  }
  return rows;
}

// The letters must tell the colours apart (and from the background) for the pictures to mean
// anything.
inline testing::AssertionResult LegendIsUnambiguous(const TLegend& legend)
{
  for (size_t i = 0; i < legend.size(); ++i) {
    if (Rgb(legend[i].second) == PictureBackground)
      return testing::AssertionFailure() << legend[i].first << " is the background colour";
    for (size_t j = i + 1; j < legend.size(); ++j)
      if (Rgb(legend[i].second) == Rgb(legend[j].second))
        return testing::AssertionFailure() << legend[i].first << " and " << legend[j].first << " are one colour";
  }
  return testing::AssertionSuccess();
}

// The registered painter of a style, as the class that draws it.
template <class T>
T* RegisteredPainter(TcxPainterStyle style)
{
  return dynamic_cast<T*>(cxLookAndFeelPaintersManager()->GetPainterByStyle(style));
}

// Both surfaces hold the same pixels.
inline bool SamePixels(const TDibSurface& a, const TDibSurface& b)
{
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// Some pixel of the surface is not the background.
inline bool AnythingDrawn(const TDibSurface& s)
{
  return s.Count(RECT{0, 0, s.Width(), s.Height()}, PictureBackground) != s.Width() * s.Height();
}
