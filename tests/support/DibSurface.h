#pragma once
// A 32-bit top-down DIB selected into a memory device context. The tests read its pixels straight
// from memory, so that neither the context's clip region nor its origins get in the way of a check.
#include <algorithm>
#include <cstdint>
#include "classlib/Win.h"

class TDibSurface {
public:
  TDibSurface(int width, int height, COLORREF fill = RGB(255, 255, 255)) : FWidth(width), FHeight(height)
  {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    FBitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FDC = CreateCompatibleDC(nullptr);
    FOld = SelectObject(FDC, FBitmap);
    Fill(fill);
  }
  ~TDibSurface()
  {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TDibSurface(const TDibSurface&) = delete;
  TDibSurface& operator=(const TDibSurface&) = delete;

  HDC DC() const { return FDC; }
  HBITMAP Bitmap() const { return FBitmap; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  void Fill(COLORREF color)
  {
    GdiFlush();
    for (int i = 0; i < FWidth * FHeight; ++i) FBits[i] = Pack(color);
  }
  COLORREF Pixel(int x, int y) const
  {
    GdiFlush();
    uint32_t v = FBits[y * FWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void SetPixel(int x, int y, COLORREF color)
  {
    GdiFlush();
    FBits[y * FWidth + x] = Pack(color);
  }
  // Number of pixels of a colour inside a rectangle (the part of it on the surface).
  int Count(const RECT& r, COLORREF color) const
  {
    int n = 0;
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, FHeight); ++y)
      for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, FWidth); ++x) n += Pixel(x, y) == color;
    return n;
  }

  // The smallest rectangle holding every pixel of the colour; empty when there is none.
  RECT Extent(COLORREF color) const
  {
    RECT r{FWidth, FHeight, 0, 0};
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (Pixel(x, y) == color) {
          r.left = std::min<int>(r.left, x);
          r.top = std::min<int>(r.top, y);
          r.right = std::max<int>(r.right, x + 1);
          r.bottom = std::max<int>(r.bottom, y + 1);
        }
    return r.left < r.right ? r : RECT{};
  }
  // True when exactly the pixels inside r have the colour.
  bool ExactlyFills(const RECT& r, COLORREF color) const
  {
    const int inside = std::max<int>(0, r.right - r.left) * std::max<int>(0, r.bottom - r.top);
    return Count(r, color) == inside && Count(RECT{0, 0, FWidth, FHeight}, color) == inside;
  }

private:
  static uint32_t Pack(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

  int FWidth, FHeight;
  HBITMAP FBitmap = nullptr;
  uint32_t* FBits = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};
