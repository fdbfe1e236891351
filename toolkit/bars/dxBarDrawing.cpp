#include "toolkit/bars/dxBarDrawing.h"

#include <algorithm>
#include <cmath>
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxGraphicsImages.h"

namespace {
// Floor division, so that a grid anchored at 0 also covers negative coordinates.
int FloorDiv(int a, int b) { return static_cast<int>(std::floor(static_cast<double>(a) / b)); }

void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

TColor DefaultArrowColor(bool selected, bool enabled)
{
  if (!enabled) return clBtnShadow;
  if (!selected) return clBtnText;
  return ColorToRGB(clBtnFace) == ColorToRGB(clWhite) ? clBtnFace : clHighlightText;
}

// The size of an arrow that fits the rect: from the width less 8 (down) or the height less 6.
int ArrowSizeForRect(const RECT& rect, bool down)
{
  const int f = down ? RectWidth(rect) - 8 : RectHeight(rect) - 6;
  return std::max((f - 1) / 2 + (f % 2 != 0 ? 1 : 0), 3);
}

// A work DC holding a bitmap of the given size, compatible with dc (or monochrome).
struct TWorkBitmap {
  TDCHandle DC;
  TBitmapHandle Bitmap;
  HGDIOBJ Previous = nullptr;
  TWorkBitmap(HDC dc, int w, int h, bool monochrome)
      : DC(CreateCompatibleDC(dc)), Bitmap(monochrome ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(dc, w, h))
  {
    Previous = SelectObject(DC.Get(), Bitmap.Get());
    SetTextColor(DC.Get(), RGB(0, 0, 0));
    SetBkColor(DC.Get(), RGB(255, 255, 255));
  }
  ~TWorkBitmap() { SelectObject(DC.Get(), Previous); }
  TWorkBitmap(const TWorkBitmap&) = delete;
  TWorkBitmap& operator=(const TWorkBitmap&) = delete;
  HDC Handle() const { return DC.Get(); }
};
}  // namespace

void DrawFilledPolygon(HDC dc, std::span<const POINT> points, TColor penColor, TColor brushColor)
{
  if (points.empty()) return;
  TPenHandle pen(CreatePen(PS_SOLID, 1, GdiColor(penColor)));
  TBrushHandle brush(CreateSolidBrush(GdiColor(brushColor)));
  TSelectObject selectPen(dc, pen.Get());
  TSelectObject selectBrush(dc, brush.Get());
  Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void DrawItemArrowShape(HDC dc, const RECT& rect, bool down, int size, bool selected, bool enabled, bool flat,
                        TColor color)
{
  if (color == clDefault) color = DefaultArrowColor(selected, enabled);
  const int s = size;
  int x0, y0;
  POINT points[3];
  if (down) {
    x0 = (rect.left + rect.right - 2 * s + 1) / 2;
    y0 = (rect.top + rect.bottom - s) / 2;
    points[0] = {x0, y0};
    points[1] = {x0 + 2 * s - 2, y0};
    points[2] = {x0 + s - 1, y0 + s - 1};
  } else {
    x0 = (rect.left + rect.right - s) / 2;
    y0 = (rect.top + rect.bottom - 2 * s + 1) / 2;
    points[0] = {x0, y0};
    points[1] = {x0, y0 + 2 * s - 2};
    points[2] = {x0 + s - 1, y0 + s - 1};
  }
  DrawFilledPolygon(dc, points, color, color);
  if (!enabled && !flat) DrawDisabledArrowHighlight(dc, down, x0, y0, s);
}

void DrawItemArrowInRect(HDC dc, const RECT& rect, TcxArrowDirection direction, bool enabled, bool selected,
                         bool flat, TColor color)
{
  const bool down = direction == TcxArrowDirection::adDown;
  DrawItemArrowShape(dc, rect, down, ArrowSizeForRect(rect, down), selected, enabled, flat, color);
}

void DrawItemArrowSized(HDC dc, const RECT& rect, TcxArrowDirection direction, int size, bool selected,
                        bool enabled, bool flat, TColor color)
{
  DrawItemArrowShape(dc, rect, direction == TcxArrowDirection::adDown, size, selected, enabled, flat, color);
}

void DrawDisabledArrowHighlight(HDC dc, bool down, int x0, int y0, int size)
{
  const int s = size;
  TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnHighlight)));
  TSelectObject select(dc, pen.Get());
  if (down) {
    DrawLine(dc, x0 + s, y0 + s - 1, x0 + 2 * s - 1, y0);
    DrawLine(dc, x0 + s, y0 + s, x0 + 2 * s, y0);
  } else {
    DrawLine(dc, x0 + s - 1, y0 + s, x0, y0 + 2 * s - 1);
    DrawLine(dc, x0 + s, y0 + s, x0, y0 + 2 * s);
  }
}

void FrameWithHighlightColor(HDC dc, const RECT& rect) { FrameRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT)); }

void DrawDoubleFrame(HDC dc, const RECT& rect, int sysColorIndex)
{
  RECT r = rect;
  FrameRect(dc, &r, GetSysColorBrush(sysColorIndex));
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, GetSysColorBrush(sysColorIndex));
}

void DrawDoubleFocusRect(HDC dc, const RECT& rect)
{
  const COLORREF color = ColorToRGB(clBtnText);
  auto dot = [&](int x, int y) {
    if ((x + y) % 2 == 0) SetPixel(dc, x, y, color);
  };
  RECT r = rect;
  for (int ring = 0; ring < 2; ++ring) {
    for (int x = r.left; x < r.right; ++x) {
      dot(x, r.top);
      dot(x, r.bottom - 1);
    }
    for (int y = r.top; y < r.bottom; ++y) {
      dot(r.left, y);
      dot(r.right - 1, y);
    }
    InflateRect(&r, -1, -1);
  }
}

void HatchDisabledArea(HDC dc, const RECT& rect) { HatchDCRect(dc, rect, clBlack, clBtnFace, 2, 20, 170); }

void PaintBackgroundRect(HDC dc, const RECT& target, const RECT& origin, HBRUSH brush, TColor color, TBitmap* bitmap)
{
  if (bitmap && !bitmap->Empty()) {
    TileBitmapInRect(dc, target, origin, bitmap);
    return;
  }
  if (brush) {
    FillRect(dc, &target, brush);
    return;
  }
  TBrushHandle solid(CreateSolidBrush(GdiColor(color)));
  FillRect(dc, &target, solid.Get());
}

void TileBitmapInRect(HDC dc, const RECT& target, const RECT& origin, TBitmap* bitmap)
{
  if (!bitmap) return;
  const int w = bitmap->Width(), h = bitmap->Height();
  if (w <= 0 || h <= 0 || RectWidth(origin) <= 0 || RectHeight(origin) <= 0) return;
  TdxSavedClipRegion saved = SaveCurrentClipRegion(dc);
  IntersectClipWithRect(dc, target);
  {
    TCanvasLock lock(bitmap->Canvas());
    const HDC source = bitmap->Canvas()->Handle();
    const int dx = target.left - origin.left, dy = target.top - origin.top;
    for (int row = FloorDiv(origin.top, h); row <= FloorDiv(origin.bottom - 1, h); ++row)
      for (int column = FloorDiv(origin.left, w); column <= FloorDiv(origin.right - 1, w); ++column)
        BitBlt(dc, column * w + dx, row * h + dy, w, h, source, 0, 0, SRCCOPY);
  }
  RestoreSavedClipRegion(dc, saved);
}

void ShiftOriginToParent(TControl* parent, TControl* child, HDC dc, RECT& rect, POINT& previousOrigin, POINT& offset)
{
  offset = POINT{0, 0};
  auto* parentWindow = dynamic_cast<TWinControl*>(parent);
  auto* childWindow = dynamic_cast<TWinControl*>(child);
  if (parentWindow && childWindow && parentWindow->HandleAllocated() && childWindow->HandleAllocated())
    MapWindowPoints(childWindow->Handle(), parentWindow->Handle(), &offset, 1);
  OffsetWindowOrgEx(dc, offset.x, offset.y, &previousOrigin);
  OffsetRect(&rect, offset.x, offset.y);
}

void RestoreWindowOrigin(HDC dc, POINT previousOrigin) { SetWindowOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr); }

void DrawSizeGripTransparent(HDC dc, const RECT& rect)
{
  const int w = RectWidth(rect), h = RectHeight(rect);
  if (w <= 0 || h <= 0) return;
  TWorkBitmap work(dc, w, h, false), grip(dc, w, h, false), mask(dc, w, h, true);
  BitBlt(work.Handle(), 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
  RECT gripRect{0, 0, w, h};
  DrawFrameControl(grip.Handle(), &gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // Button-face pixels of the grip become white in the mask, its dots black.
  SetBkColor(grip.Handle(), ColorToRGB(clBtnFace));
  BitBlt(mask.Handle(), 0, 0, w, h, grip.Handle(), 0, 0, SRCCOPY);
  SetBkColor(grip.Handle(), RGB(255, 255, 255));
  BitBlt(work.Handle(), 0, 0, w, h, mask.Handle(), 0, 0, MERGEPAINT);  // white under the dots
  BitBlt(grip.Handle(), 0, 0, w, h, mask.Handle(), 0, 0, SRCPAINT);    // white around the dots
  BitBlt(work.Handle(), 0, 0, w, h, grip.Handle(), 0, 0, SRCAND);
  BitBlt(dc, rect.left, rect.top, w, h, work.Handle(), 0, 0, SRCCOPY);
}
