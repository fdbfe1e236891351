// Small drawing steps shared by the bar painters' source files.
#include "toolkit/bars/dxBarPainterShapes.h"
#include <vector>
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace dxBarPainterShapes {

void PolylineInColor(HDC dc, TColor color, std::initializer_list<POINT> points)
{
  TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  TSelectObject select(dc, pen.Get());
  const std::vector<POINT> list(points);
  Polyline(dc, list.data(), static_cast<int>(list.size()));
}

void FillPolygonInColor(HDC dc, TColor color, std::initializer_list<POINT> points)
{
  TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  TSelectObject selectPen(dc, pen.Get());
  TSelectObject selectBrush(dc, brush.Get());
  const std::vector<POINT> list(points);
  Polygon(dc, list.data(), static_cast<int>(list.size()));
}

void DrawRaisedInnerEdge(HDC dc, const RECT& rect)
{
  RECT r = rect;
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

void DrawSunkenOuterEdge(HDC dc, const RECT& rect)
{
  RECT r = rect;
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

void FrameWithBrush(HDC dc, const RECT& r, HBRUSH brush)
{
  if (r.right <= r.left || r.bottom <= r.top) return;
  // FrameRect takes no system colour brush: four fills do.
  const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                        {r.left, r.bottom - 1, r.right, r.bottom},
                        {r.left, r.top + 1, r.left + 1, r.bottom - 1},
                        {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
  for (const RECT& side : sides) FillRect(dc, &side, brush);
}

void FillBarBackground(TCustomdxBarControl* barControl, HDC dc, HBRUSH brush, const RECT& rect)
{
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (barControl)
    barControl->FillBackground(dc, rect);
  else
    FillRect(dc, &rect, brush ? brush : SystemColorBrush(COLOR_BTNFACE));
}

HBRUSH BarBrush(TCustomdxBarControl* barControl)
{
  HBRUSH brush = barControl ? barControl->GetBackgroundBrush() : nullptr;
  return brush ? brush : SystemColorBrush(COLOR_BTNFACE);
}

bool IsHorizontalToolbar(TdxBarControl* toolbar)
{
  if (!toolbar) return true;
  const TdxBarDockingStyle style = toolbar->DockingStyle();
  return style == dsTop || style == dsBottom;
}

bool ToolbarHasGrip(TdxBarControl* toolbar) { return !toolbar || toolbar->HasGrip(); }

int ToolbarClientWidth(TdxBarControl* toolbar, const RECT& rect) { return toolbar ? toolbar->ClientWidth() : rect.right; }

RECT ToolbarWindowRect(TdxBarControl* toolbar)
{
  RECT r{};
  if (!toolbar) return r;
  if (toolbar->HandleAllocated()) {
    GetWindowRect(toolbar->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
  } else {
    r = RECT{0, 0, toolbar->Width(), toolbar->Height()};
  }
  return r;
}

bool IsOwnerFormActive(TCustomdxBarControl* barControl)
{
  TdxBarManager* manager = barControl ? barControl->BarManager() : nullptr;
  TWinControl* owner = manager ? manager->GetOwnerControl() : nullptr;
  if (!owner || !owner->HandleAllocated()) return false;
  return GetAncestor(owner->Handle(), GA_ROOT) == GetActiveWindow();
}

bool ToolbarHasHiddenItems(TdxBarControl*)
{
  // The toolbar window does not tell yet which of its items its layout left out.
  return false;
}

void DrawTwoLineChevron(TdxBarControl* toolbar, HDC dc, int p, const RECT& rect, bool small)
{
  if (IsHorizontalToolbar(toolbar)) {
    const int y = 4 - (small ? 1 : 0);
    PolylineInColor(dc, clBtnText, {{p, y}, {p + 2, y + 2}, {p - 1, y + 5}});
    PolylineInColor(dc, clBtnText, {{p + 1, y}, {p + 3, y + 2}, {p, y + 5}});
  } else {
    const int x = ToolbarClientWidth(toolbar, rect) - 8;
    PolylineInColor(dc, clBtnText, {{x, p}, {x + 2, p + 2}, {x + 5, p - 1}});
    PolylineInColor(dc, clBtnText, {{x, p + 1}, {x + 2, p + 3}, {x + 5, p}});
  }
}

HBRUSH ItemBrush(TdxBarItemControl* itemControl)
{
  if (!itemControl) return SystemColorBrush(COLOR_BTNFACE);
  if (HBRUSH style = itemControl->StyleBrush()) return style;
  return BarBrush(itemControl->BarControl());
}

bool IsDrawnDroppedDown(TdxBarItemControlDrawParams* drawParams)
{
  if (auto* button = ObjectAs<TdxBarButtonLikeControlDrawParams>(drawParams)) return button->DroppedDown;
  if (auto* edit = ObjectAs<TdxBarEditLikeControlDrawParams>(drawParams)) return edit->DroppedDown;
  return false;
}

}  // namespace dxBarPainterShapes
