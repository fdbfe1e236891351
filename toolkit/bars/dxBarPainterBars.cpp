// The base bar painter's drawing of toolbars, docks and status-bar-like bars: their backgrounds, the
// floating caption, begin-group separators, the toolbar mark with its glyphs, selected frames of
// toolbar buttons and the size grip.
#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarToolbar.h"

using namespace dxBarPainterShapes;

namespace {
TBitmap* BarBackgroundOfManager(TdxBarManager* manager)
{
  TBitmap* bitmap = manager && manager->Backgrounds() ? manager->Backgrounds()->Bar() : nullptr;
  return bitmap && !bitmap->Empty() ? bitmap : nullptr;
}

// The part of the rect inside the clip rect; the rect itself when the clip rect is empty.
RECT ClippedTarget(const RECT& r, const RECT& clip)
{
  if (IsRectEmpty(&clip)) return r;
  RECT target{};
  IntersectRect(&target, &r, &clip);
  return target;
}

TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }
}  // namespace

// --- Backgrounds ---

void TdxBarPainter::FillClientBackground(TCustomdxBarControl* BarControl) const
{
  if (!BarControl) return;
  TcxCanvas* canvas = BarControl->GetCanvas();
  if (!canvas) return;
  BarControl->FillBackground(canvas->GetDCHandle(), BarControl->ClientRect());
}

void TdxBarPainter::FillBarControlBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color,
                                             const RECT& R, const RECT& ClipRect) const
{
  TdxBar* bar = Toolbar ? Toolbar->GetBar() : nullptr;
  TBitmap* own = Toolbar ? Toolbar->GetBackgroundBitmap() : nullptr;
  if (own && !own->Empty()) {
    PaintBackgroundRect(DC, ClippedTarget(R, ClipRect), R, Brush, Color, own);
    return;
  }
  if (bar && bar->IsStatusBarLike() && !BarBackgroundOfManager(Toolbar->BarManager())) {
    const RECT origin{0, 0, Toolbar->Width(), Toolbar->Height()};
    FillStatusBarBackground(Toolbar, DC, Brush, Color, origin, R, ClipRect);
    return;
  }
  if (bar && bar->Color() != clDefault) {
    const RECT target = ClippedTarget(R, ClipRect);
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(bar->Color())));
    FillRect(DC, &target, brush.Get());
    return;
  }
  if (Toolbar && Toolbar->DockControl())
    FillDockedBarBackground(Toolbar, DC, Brush, Color, R, ClipRect);
  else
    FillFloatingBarBackground(Toolbar, DC, Brush, Color, R, ClipRect);
}

namespace {
// Where the toolbar's drawing origin lies in its dock's client area. The toolbar fills both its
// client area (in client coordinates) and its frame (in window coordinates, on its window DC)
// through the same chain; the DC's origin on the screen tells which, so that the dock's background
// lines up in both. Any other DC (a memory DC of a buffered paint) draws the client.
POINT DrawingOriginInDock(TdxBarControl* toolbar, TdxDockControl* dock, HDC dc)
{
  if (!toolbar->HandleAllocated() || !dock->HandleAllocated()) return {toolbar->Left(), toolbar->Top()};
  HWND wnd = toolbar->Handle();
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  RECT window{};
  GetWindowRect(wnd, &window);
  POINT dcOrigin{};
  if (WindowFromDC(dc) == wnd && GetDCOrgEx(dc, &dcOrigin) && dcOrigin.x == window.left && dcOrigin.y == window.top)
    origin = {window.left, window.top};
  ScreenToClient(dock->Handle(), &origin);
  return origin;
}
}  // namespace

// The toolbar continues its dock's background: the rect, moved by the toolbar's place in the dock,
// is painted by the dock itself in its own coordinates and with its own colour, so a picture's tiles
// and the dock's fill run on across the toolbar.
void TdxBarPainter::FillDockedBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH, TColor, const RECT& R,
                                            const RECT& ClipRect) const
{
  TdxDockControl* dock = Toolbar ? Toolbar->DockControl() : nullptr;
  if (!dock) return;
  const POINT shift = DrawingOriginInDock(Toolbar, dock, DC);
  RECT inDock = ClippedTarget(R, ClipRect);
  OffsetRect(&inDock, shift.x, shift.y);
  POINT previous{};
  OffsetWindowOrgEx(DC, shift.x, shift.y, &previous);
  dock->FillBackground(DC, inDock, nullptr, dock->Color());
  SetWindowOrgEx(DC, previous.x, previous.y, nullptr);
}

void TdxBarPainter::FillFloatingBarBackground(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, TColor Color,
                                              const RECT& R, const RECT& ClipRect) const
{
  TBitmap* bitmap = Toolbar ? BarBackgroundOfManager(Toolbar->BarManager()) : nullptr;
  PaintBackgroundRect(DC, ClippedTarget(R, ClipRect), R, Brush, Color, bitmap);
}

void TdxBarPainter::FillDockBackground(TdxDockControl*, HDC DC, HBRUSH Brush, TColor Color, const RECT& Origin,
                                       const RECT& R, const RECT& ClipRect) const
{
  PaintBackgroundRect(DC, ClippedTarget(R, ClipRect), Origin, Brush, Color, nullptr);
}

void TdxBarPainter::FillStatusBarBackground(TCustomdxBarControl*, HDC DC, HBRUSH Brush, TColor Color,
                                            const RECT& Origin, const RECT& R, const RECT& ClipRect) const
{
  PaintBackgroundRect(DC, ClippedTarget(R, ClipRect), Origin, Brush, Color, nullptr);
}

void TdxBarPainter::FillStatusBarTop(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) const
{
  RECT strip = R;
  strip.bottom = std::min<LONG>(R.bottom, R.top + GetStatusBarTopBorder());
  FillBarBackground(BarControl, DC, Brush, strip);
}

// --- The floating caption ---

void TdxBarPainter::DrawFloatingCaption(TdxBarControl* Toolbar, HDC DC, HBRUSH Brush, const RECT& WindowRect,
                                        const RECT& CaptionRect) const
{
  (void)WindowRect;
  RECT caption = CaptionRect;
  const RECT line{caption.left, caption.bottom, caption.right, caption.bottom + 1};
  FillRect(DC, &line, Brush);
  const bool themed = HasThemedFloatingCaption();
  if (themed) FillFloatingCaption(Toolbar, DC, Brush, caption);
  if (Toolbar && Toolbar->HasCloseButton()) {
    caption.right -= GetFloatingCaptionHeight();
    DrawFloatingCloseButton(Toolbar, DC, Toolbar->CloseButtonState() == 2, Toolbar->GetCloseButtonRect());
  }
  // The caption's text ends before the bar's caption buttons.
  if (TdxBar* bar = Toolbar && Toolbar->HasCaptionButtons() ? Toolbar->GetBarOfControl() : nullptr) {
    Toolbar->UpdateCaptionButtonRects();
    const RECT buttons = bar->CaptionButtons()->GetBoundsRect();
    if (!IsRectEmpty(&buttons)) caption.right = std::min<LONG>(caption.right, buttons.left - 1);
  }
  const bool hasMark = Toolbar && Toolbar->HasMark();
  int textLeft = caption.left + 2;
  if (hasMark) GetFloatingCaptionTextLeft(Toolbar, textLeft, caption);
  if (caption.right > caption.left && Toolbar) {
    TdxBarManager* manager = Toolbar->BarManager();
    TFontHandle font = CreateMenuFont(Toolbar->GetFont(), manager && manager->UseSystemFont());
    TSelectObject select(DC, font.Get());
    const std::string text = Toolbar->GetBarCaption();
    SIZE extent{};
    GetTextExtentPoint32A(DC, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(DC, &metrics);
    SetTextColor(DC, ColorToRGB(GetFloatingCaptionTextColor(Toolbar)));
    SetBkColor(DC, ColorToRGB(GetFloatingCaptionBackColor(Toolbar, IsOwnerFormActive(Toolbar))));
    const int oldMode = SetBkMode(DC, themed ? TRANSPARENT : OPAQUE);
    const int y = (caption.top + caption.bottom - metrics.tmHeight) / 2;
    ExtTextOutA(DC, textLeft, y, ETO_CLIPPED | (themed ? 0 : ETO_OPAQUE), &caption, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    SetBkMode(DC, oldMode);
  }
  if (hasMark) DrawFloatingMarkButton(Toolbar, DC, GetBarMarkRect(Toolbar));
}

void TdxBarPainter::GetFloatingCaptionTextLeft(TdxBarControl* Toolbar, int& X, RECT&) const
{
  X = GetBarMarkRect(Toolbar).right + 3;
}

// --- Begin-group separators ---

void TdxBarPainter::DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                                            const RECT& R) const
{
  const int offset = GetBeginGroupLineOffset();
  RECT line = R;
  if (Horizontal) {
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.top, R.right, R.top + offset});
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.bottom - offset, R.right, R.bottom});
    InflateRect(&line, 0, -offset);
    DrawEdge(DC, &line, EDGE_ETCHED, BF_TOP);
  } else {
    FillBarBackground(BarControl, DC, Brush, RECT{R.left, R.top, R.left + offset, R.bottom});
    FillBarBackground(BarControl, DC, Brush, RECT{R.right - offset, R.top, R.right, R.bottom});
    InflateRect(&line, -offset, 0);
    DrawEdge(DC, &line, EDGE_ETCHED, BF_LEFT);
  }
}

// --- The toolbar mark ---

RECT TdxBarPainter::GetBarMarkRect(TdxBarControl* Toolbar) const
{
  if (!Toolbar) return {};
  const int size = Toolbar->GetMarkSize();
  const int width = Toolbar->ClientWidth(), height = Toolbar->ClientHeight();
  switch (Toolbar->DockingStyle()) {
    case dsLeft:
    case dsRight: return {0, height - size, width, height};
    case dsTop:
    case dsBottom: return {width - size, 0, width, height};
    case dsNone: break;
  }
  const RECT caption = GetFloatingCaptionRect(Toolbar, ToolbarWindowRect(Toolbar));
  const int side = caption.bottom - caption.top;
  RECT r{caption.right - side, caption.top, caption.right, caption.bottom};
  if (Toolbar->HasCloseButton()) OffsetRect(&r, -(GetFloatingCaptionButtonSize().cx + 1), 0);
  if (r.left < caption.left) r.left = caption.left;
  return r;
}

void TdxBarPainter::InvalidateBarMark(TdxBarControl* Toolbar) const
{
  if (!Toolbar || !Toolbar->HandleAllocated()) return;
  const RECT mark = GetBarMarkRect(Toolbar);
  if (!Toolbar->IsFloating()) {
    InvalidateRect(Toolbar->Handle(), &mark, FALSE);
    return;
  }
  HDC dc = GetWindowDC(Toolbar->Handle());
  if (!dc) return;
  DrawFloatingMarkButton(Toolbar, dc, mark);
  ReleaseDC(Toolbar->Handle(), dc);
}

void TdxBarPainter::DrawBarMark(TdxBarControl* Toolbar, TcxCanvas* Canvas, int MarkState, const RECT& R) const
{
  HDC dc = Canvas->GetDCHandle();
  DrawBarMarkBackground(Toolbar, dc, MarkState, R);
  DrawBarMarkGlyphs(Toolbar, dc, R);
}

void TdxBarPainter::DrawBarMarkGlyphs(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  if (AllowsQuickCustomizingMark()) {
    const TColor color = SystemColor(GetMarkElementColorIndex(Toolbar));
    if (horizontal) {
      const int x = R.left + 3, y = R.bottom - 7 + (IsSmallBar(Toolbar, R) ? 1 : 0);
      FillPolygonInColor(DC, color, {{x, y}, {x + 4, y}, {x + 2, y + 2}});
    } else {
      const int x = R.left + 5, y = R.top + 3;
      FillPolygonInColor(DC, color, {{x, y}, {x, y + 4}, {x - 2, y + 2}});
    }
  }
  if (ToolbarHasHiddenItems(Toolbar)) {
    const int start = horizontal ? R.left : R.top;
    DrawMarkChevrons(Toolbar, DC, start + 2, R);
    DrawMarkChevrons(Toolbar, DC, start + 6, R);
  }
}

void TdxBarPainter::DrawMarkChevrons(TdxBarControl* Toolbar, HDC DC, int Position, const RECT& R) const
{
  DrawTwoLineChevron(Toolbar, DC, Position, R, IsSmallBar(Toolbar, R));
}

void TdxBarPainter::DrawMarkDownArrow(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  const int x = (R.left + R.right - 7) / 2;
  const int sum = R.top + R.bottom - 4;
  const int y = sum / 2 + (sum % 2 > 0 ? 1 : 0);
  const TColor color = GetMarkGlyphColor(Toolbar, Toolbar ? Toolbar->GetMarkState() : 0);
  FillPolygonInColor(DC, color, {{x, y}, {x + 6, y}, {x + 3, y + 3}});
}

// --- Selected frames of toolbar buttons ---

void TdxBarPainter::DrawSelectedItemFrame(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) const
{
  if (State == 0) {
    auto* toolbar = BarControl && BarControl->Is<TdxBarControl>() ? static_cast<TdxBarControl*>(BarControl) : nullptr;
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(GetFloatingCaptionBackColor(toolbar, IsOwnerFormActive(BarControl)))));
    FillRect(DC, &R, brush.Get());
    return;
  }
  OutlineFlatSelection(DC, R);
  RECT inner = R;
  InflateRect(&inner, -1, -1);
  HBRUSH brush = BarControl ? (State == 1 ? BarControl->GetHighlightBrush() : BarControl->GetMenuBrush()) : nullptr;
  if (!brush) brush = State == 1 ? GetHighlightBrush() : GetMenuBrush();
  FillRect(DC, &inner, brush);
}

// --- Status-bar-like bars and the size grip ---

void TdxBarPainter::DrawSizeGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) const
{
  const RECT margins = GetSizeGripMargins();
  const RECT inside{R.left + margins.left, R.top + margins.top, R.right - margins.right, R.bottom - margins.bottom};
  const SIZE grip = GetSizeGripSize(BarControl ? BarControl->BarManager() : nullptr);
  const RECT square{inside.right - grip.cx, inside.bottom - grip.cy, inside.right, inside.bottom};
  FillBarBackground(BarControl, DC, Brush, square);
  DrawStatusBarSizeGrip(BarControl, DC, Brush, square);
}

void TdxBarPainter::DrawStatusBarSizeGrip(TCustomdxBarControl*, HDC DC, HBRUSH, const RECT& R) const
{
  DrawSizeGripTransparent(DC, R);
}
