// The base painter's menu and sub-menu parts: metrics of the menu window.
#include <algorithm>
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarSubMenuControl.h"
#include "toolkit/base/cxGraphicsCanvas.h"

// The text height unit of a menu: the height of a digit plus one, made even in its stripe margin
// so the detach stripe and the arrows centre on whole pixels. (For some fonts this makes the unit
// smaller than the font's own height.)
void TdxBarPainter::CalcSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& TextHeight, int& ArrowWidth) const
{
  ArrowWidth = CalcSubItemArrowWidth(TextSize);
  TextHeight = Canvas->MeasureTextHeight("0") + 1;
  const int margin = CalcStripeMargin(TextHeight);
  if (margin % 2 != 0) TextHeight = 2 * margin + 4;
}

namespace {
// A brush for the calls that take real brushes only: a system colour brush given as its index + 1
// becomes the system's brush of that colour.
HBRUSH RealBrush(HBRUSH brush)
{
  const INT_PTR value = reinterpret_cast<INT_PTR>(brush);
  return value > 0 && value <= COLOR_MENUBAR + 1 ? GetSysColorBrush(static_cast<int>(value - 1)) : brush;
}
}  // namespace

// --- Sizes ---

int TdxBarPainter::CalcDetachCaptionSize(TdxBarSubMenuControl* SubMenu) const
{
  return SubMenu->GetDetachCaptionHeight() + 3;
}

int TdxBarPainter::GetSubMenuGlyphBandWidth(TdxBarSubMenuControl* SubMenu) const { return SubMenu->GlyphAreaSize(); }

int TdxBarPainter::CalcMenuBandWidth(TdxBarSubMenuControl* SubMenu) const
{
  int width = SubMenu->GetSideBarSize() + GetSubMenuGlyphBandWidth(SubMenu);
  AdjustItemHeight(width);
  return width;
}

int TdxBarPainter::GetScrollButtonHeight(TdxBarSubMenuControl* SubMenu) const { return SubMenu->MenuTextUnit(); }

RECT TdxBarPainter::GetScrollButtonRect(TdxBarSubMenuControl* SubMenu, bool Bottom) const
{
  RECT r = SubMenu->ItemsArea();
  const int height = GetScrollButtonHeight(SubMenu);
  if (Bottom)
    r.top = r.bottom - height;
  else
    r.bottom = r.top + height;
  return r;
}

RECT TdxBarPainter::GetMenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* ItemControl,
                                         const RECT& ItemRect) const
{
  RECT r = ItemRect;
  r.bottom = ItemRect.top;
  if (ItemControl && ItemControl->NonRecent() && ItemControl->GroupStart()) --r.bottom;
  r.top = r.bottom - SubMenu->GetBeginGroupSize();
  return r;
}

// --- Borders and background ---

void TdxBarPainter::DrawSubMenuEdges(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) const
{
  const RECT left{R.left, R.top, R.left + 1, R.bottom - 1};
  const RECT top{R.left + 1, R.top, R.right - 1, R.top + 1};
  FillRect(DC, &left, GetSysColorBrush(COLOR_BTNFACE));
  FillRect(DC, &top, GetSysColorBrush(COLOR_BTNFACE));
  RECT r = R;
  DrawEdge(DC, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  if (!SubMenu->IsDetachable()) return;
  r = R;
  InflateRect(&r, -1, -1);
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
  InflateRect(&r, -1, -1);
  r.bottom = r.top + CalcDetachCaptionSize(SubMenu) - 1;
  FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&r, -1, -1);
  FillDetachCaptionBackground(SubMenu, DC, r);
}

void TdxBarPainter::DrawSubMenuBorderFrame(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) const
{
  RECT r = R;
  if (SubMenu->IsDetachable()) r.top -= 2;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  InflateRect(&r, -1, -1);
  FrameRect(DC, &r, Brush ? RealBrush(Brush) : GetSysColorBrush(COLOR_BTNFACE));
}

void TdxBarPainter::FillSubMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color,
                                          HBRUSH Brush, const RECT& R) const
{
  PaintBackgroundRect(Canvas->GetDCHandle(), R, SubMenu->ClientRect(), Brush, Color, SubMenu->GetBackgroundBitmap());
}

void TdxBarPainter::FillSubMenuOutside(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, const RECT& R,
                                       HBRUSH Brush) const
{
  Canvas->ExcludeRectFromClip(R);
  FillSubMenuBackground(SubMenu, Canvas, clNone, Brush, R);
}

void TdxBarPainter::FillDetachCaptionBackground(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) const
{
  FillRect(DC, &R, GetSysColorBrush(SubMenu->DetachCaptionHot() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

// --- Group lines ---

void TdxBarPainter::DrawMenuGroupSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* ItemControl,
                                           const RECT& R, TcxCanvas* Canvas) const
{
  const bool nonRecent = ItemControl && ItemControl->NonRecent();
  const bool runStart = ItemControl && ItemControl->GroupStart();
  HBRUSH brush = nonRecent && runStart ? SubMenu->GetBackgroundBrush() : SubMenu->CurrentBackgroundBrush();
  if (!brush) brush = SubMenu->GetBackgroundBrush();
  RECT r = R;
  if (nonRecent && !runStart) {
    if (SubMenu->GetSideBarSize() == 0) --r.left;
    r.right += 2;
  }
  FillItemBackground(ItemControl, Canvas->GetDCHandle(), nonRecent && !runStart, brush, r);
  InflateRect(&r, -GetSubMenuGroupIndent(), -4);
  EtchSeparatorLine(Canvas, r);
}

// --- Scroll buttons ---

void TdxBarPainter::DrawScrollButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) const
{
  DrawScrollArrow(SubMenu, Canvas, Bottom ? adDown : adUp, clBtnText, GetScrollButtonRect(SubMenu, Bottom));
  DrawScrollButtonExtras(SubMenu, Canvas, Bottom);
  DrawScrollButtonEdge(SubMenu, Canvas, !Bottom);
  DrawScrollButtonBackground(SubMenu, Canvas, Bottom);
}

// The arrow is drawn first and then cut out of the clip region, so the button background painted
// after it leaves it alone.
void TdxBarPainter::DrawScrollArrow(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TcxArrowDirection Direction,
                                    TColor Color, const RECT& R) const
{
  int size = 0, remainder = 0;
  SplitScrollArrowSize(SubMenu->MenuTextUnit(), size, remainder);
  TcxArrowPoints arrow = CalcArrowPolygon(R, size, false, Direction);
  POINT* p = arrow.Points;
  switch (Direction) {
    case adUp:
      ++p[0].y;
      ++p[2].x;
      ++p[2].y;
      break;
    case adDown:
      ++p[0].x;
      ++p[1].y;
      if ((R.bottom - R.top + size) % 2 != 0)
        for (POINT& q : arrow.Points) --q.y;
      break;
    case adLeft:
      ++p[0].x;
      ++p[0].y;
      ++p[2].x;
      break;
    case adRight:
      ++p[2].y;
      ++p[1].x;
      if ((R.right - R.left + size) % 2 != 0)
        for (POINT& q : arrow.Points) --q.x;
      break;
  }
  RECT bounds{p[0].x, p[0].y, p[0].x, p[0].y};
  for (const POINT& q : arrow.Points) {
    bounds.left = std::min(bounds.left, q.x);
    bounds.top = std::min(bounds.top, q.y);
    bounds.right = std::max(bounds.right, q.x + 1);
    bounds.bottom = std::max(bounds.bottom, q.y + 1);
  }
  // A polygon region leaves out its right and bottom edges: its corners move out by them.
  POINT region[3] = {p[0], p[1], p[2]};
  switch (Direction) {
    case adUp:
      --region[0].x;
      ++region[0].y;
      --region[1].y;
      break;
    case adDown:
      region[0].x -= 1;
      region[2].y += 1;
      break;
    case adLeft:
      ++region[0].y;
      --region[1].x;
      region[2].y -= 2;
      break;
    case adRight:
      --region[0].x;
      region[0].y -= 2;
      break;
  }
  TRegionHandle arrowRegion(CreatePolygonRgn(region, 3, WINDING));
  HDC dc = Canvas->GetDCHandle();
  TRegionHandle saved(CreateRectRgn(0, 0, 0, 0));
  const bool hadClip = GetClipRgn(dc, saved.Get()) == 1;
  ExtSelectClipRgn(dc, arrowRegion.Get(), RGN_AND);
  FillRectWithBarColor(Canvas, bounds, Color);
  SelectClipRgn(dc, hadClip ? saved.Get() : nullptr);
  ExtSelectClipRgn(dc, arrowRegion.Get(), RGN_DIFF);
}

void TdxBarPainter::DrawScrollButtonEdge(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Top) const
{
  if (!Top) return;
  TdxBarItemControl* first = SubMenu->FirstShownItemControl();
  if (!first || !first->GroupStart()) return;
  const RECT item = SubMenu->GetItemDrawRect(first);
  const RECT line{item.left - 1, item.top - 1, item.right + 1, item.top};
  FillItemBackground(first, Canvas->GetDCHandle(), false,
                     GetSysColorBrush(first->NonRecent() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT), line);
  Canvas->ExcludeRectFromClip(line);
}

void TdxBarPainter::DrawScrollButtonBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) const
{
  TdxBarItemControl* control = Bottom ? SubMenu->LastShownItemControl() : SubMenu->FirstShownItemControl();
  if (!control) return;
  FillItemBackground(control, Canvas->GetDCHandle(), false, SubMenu->GetBackgroundBrush(),
                     SubMenu->GetItemDrawRect(control));
}

// --- Detach caption ---

void TdxBarPainter::DrawDetachStripe(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R) const
{
  const bool whiteFace = ColorToRGB(clBtnFace) == RGB(255, 255, 255);
  const int penColor = whiteFace && Hot && IsFlatLook() ? COLOR_BTNFACE : COLOR_BTNTEXT;
  TPenHandle pen(CreatePen(PS_SOLID, 1, GetSysColor(penColor)));
  HGDIOBJ old = SelectObject(DC, pen.Get());
  const int caption = SubMenu->GetDetachCaptionHeight();
  const int n = CalcStripeMargin(caption);
  const int x = (R.left + R.right - n - 1) / 2;
  const int y0 = R.top + (caption - 2 * n) / 2;
  for (int i = 0; i < n; ++i) {
    const int y = y0 + i + (i >= n / 2 ? n / 2 : 0);
    const POINT line[3] = {{x, y}, {x + n / 2, y + n / 2}, {x + n + 1, y - 1}};
    Polyline(DC, line, 3);
  }
  SelectObject(DC, old);
}
