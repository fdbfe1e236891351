// The layout of a toolbar: its visible links placed in one line (a docked bar) or in several (a
// floating bar, or a docked bar with MultiLine), the wrapping of the links into lines for a given
// length, the sizes a bar asks for in each docking style, and the view info with the group
// separators. "Along" is the direction in which items follow each other (horizontal except for bars
// docked left or right), "across" the other one; the code works on along and across values so that
// one path serves both orientations.
#include <algorithm>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

CL_DEFINE_CLASS(TdxBarControlViewInfo);

namespace {
// The smallest width a floating bar asks for.
constexpr int MinFloatingWidth = 51;
// A navigation flag that makes a bar measure itself as floating whatever the style asked.
constexpr int dxBarNavigationAlwaysFloating = 128;
// Lengths beyond the window limits are measured as the limit.
constexpr int MaxLength = 30000;

bool IsVerticalStyle(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }
bool IsHorizontalDockStyle(TdxBarDockingStyle style) { return style == dsTop || style == dsBottom; }
int Along(SIZE size, bool vertical) { return vertical ? size.cy : size.cx; }
int Across(SIZE size, bool vertical) { return vertical ? size.cx : size.cy; }
SIZE MakeSize(int along, int across, bool vertical) { return vertical ? SIZE{across, along} : SIZE{along, across}; }

// Sets the links' recent-item count and gives the previous one back at the end.
class TRecentCountScope {
public:
  TRecentCountScope(TdxBarItemLinks* links, int count) : FLinks(links), FSaved(links ? links->RecentItemCount() : -1)
  {
    if (FLinks) FLinks->SetRecentItemCount(count);
  }
  ~TRecentCountScope()
  {
    if (FLinks) FLinks->SetRecentItemCount(FSaved);
  }
  TRecentCountScope(const TRecentCountScope&) = delete;
  TRecentCountScope& operator=(const TRecentCountScope&) = delete;

private:
  TdxBarItemLinks* FLinks;
  int FSaved;
};

// The control of a link, made when missing.
TdxBarItemControl* ControlOf(TdxBarItemLink* link)
{
  link->CreateControl();
  return link->Control();
}
}  // namespace

// --- The line layout ---

void TdxBarControl::CalcLayout()
{
  TdxBarDockedControl::CalcLayout();
  RecalcItems(GetOrientationFlags());
}

bool TdxBarControl::IsLastItemStretched(const TdxBarItemLink* link) const
{
  TdxBar* bar = GetBar();
  TdxBarItemLinks* links = ItemLinks();
  if (!bar || !bar->UseRestSpace() || !links || links->GetShowableLinkCount() == 0) return false;
  return links->GetShowableLink(links->GetShowableLinkCount() - 1) == link;
}

TdxBarItemAlign TdxBarControl::GetItemAlign(TdxBarItemControl* control) const
{
  TdxBarItem* item = control ? control->GetItem() : nullptr;
  return item ? item->Align() : iaLeft;
}

SIZE TdxBarControl::ItemSizeFor(TdxBarItemControl* control, TdxBarDockingStyle style) const
{
  SIZE size{control->GetLayoutWidth(), control->GetLayoutHeight()};
  // The control measures itself as the bar shows it now; a style that turns it the other way swaps
  // its sides.
  TdxBar* bar = GetBar();
  const bool rotatedForStyle = IsVerticalStyle(style) && bar && bar->RotateWhenVertical();
  if (rotatedForStyle != IsRotated()) std::swap(size.cx, size.cy);
  return size;
}

void TdxBarControl::CreateItemControls()
{
  FTruncated = false;
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  const bool vertical = IsVertical();
  const bool multiLine = IsMultiLine();
  const RECT area = ItemsArea();
  const SIZE areaSize{area.right - area.left, area.bottom - area.top};
  const SIZE mdi = GetMdiAreaSize();
  const int mdiLength = Along(mdi, vertical);
  int lineLength = Along(areaSize, vertical) - (IsFloating() ? 0 : GetMarkSize());
  int thickness = multiLine ? 0 : Across(areaSize, vertical);
  if (!multiLine) lineLength -= mdiLength;

  // A placed item: where it starts along, its length, its offset across from the bar's edge (the
  // right edge for the columns of a vertical multi-line bar) and its thickness.
  struct TPlaced {
    TdxBarItemLink* Link;
    int At, Length, Offset, Thickness;
  };
  std::vector<TPlaced> line;
  int lineOffset = 0, position = 0;
  TdxBarItemLink* lastPlaced = nullptr;
  auto store = [&](const TPlaced& p) {
    RECT r;
    if (!vertical)
      r = RECT{area.left + p.At, area.top + p.Offset, area.left + p.At + p.Length, area.top + p.Offset + p.Thickness};
    else if (multiLine)
      r = RECT{area.right - p.Offset - p.Thickness, area.top + p.At, area.right - p.Offset, area.top + p.At + p.Length};
    else
      r = RECT{area.left + p.Offset, area.top + p.At, area.left + p.Offset + p.Thickness, area.top + p.At + p.Length};
    p.Link->SetRowHeight(thickness);
    p.Link->SetItemRect(r);
  };
  // A multi-line bar centres the items of a finished line across it.
  auto finishLine = [&] {
    for (TPlaced& p : line) {
      if (multiLine) p.Offset = lineOffset + (thickness - p.Thickness) / 2;
      store(p);
    }
    line.clear();
  };

  const int count = links->GetVisibleLinkCount();
  for (int i = 0; i < count; ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = ControlOf(link);
    if (!control) continue;
    TdxBarItemControlViewInfo* info = control->ViewInfo();
    info->SetEndsLine(false);
    int gap = link->GetBeginGroup() && position > 0 ? GetBeginGroupSize() : 0;
    const SIZE size = ItemSizeFor(control, DockingStyle());
    const int length = Along(size, vertical), itemThickness = Across(size, vertical);
    const bool overflows =
        (position > 0 || (!multiLine && CanHideFirstItem())) && lineLength < position + gap + length;
    if (overflows || (multiLine && info->BeginsLine() && !line.empty())) {
      // A single line ends here: the rest goes to the mark's popup.
      if (!multiLine) {
        FTruncated = true;
        break;
      }
      if (lastPlaced) lastPlaced->Control()->ViewInfo()->SetEndsLine(true);
      finishLine();
      lineOffset += thickness + gap;
      position = gap = thickness = 0;
    }
    TPlaced placed{link, position + gap, length, multiLine ? 0 : (thickness - itemThickness) / 2, itemThickness};
    const TdxBarItemAlign align = GetItemAlign(control);
    if (align != iaLeft) {
      // An aligned item ends its line.
      const int farEdge = placed.At + placed.Length;
      if (multiLine && mdiLength > 0 && lineLength >= mdiLength + farEdge) lineLength -= mdiLength;
      if (align == iaCenter)
        placed.At += std::max(0, (lineLength - farEdge) / 2);
      else if (align == iaRight)
        placed.At += std::max(0, lineLength - farEdge);
      else {
        const int minLength =
            vertical && !control->IsRotated() ? control->GetMinItemHeight() : control->GetMinItemWidth();
        placed.Length = std::max(lineLength - placed.At, minLength);
      }
      position = lineLength;
      if (i < count - 1) FTruncated = true;
    } else {
      position += gap + length;
    }
    thickness = std::max(thickness, itemThickness);
    line.push_back(placed);
    lastPlaced = link;
  }
  if (lastPlaced) lastPlaced->Control()->ViewInfo()->SetEndsLine(true);
  finishLine();
}

// --- Item rects and the drop position ---

RECT TdxBarControl::GetItemControlRect(TdxBarItemControl* control) const
{
  TdxBarItemLink* link = control ? control->Link() : nullptr;
  if (!link) return RECT{};
  RECT r = link->ItemRect();
  const int row = link->RowHeight();
  if (IsVertical()) {
    if (row > r.right - r.left) {
      r.left -= (row - (r.right - r.left)) / 2;
      r.right = r.left + row;
    }
  } else if (row > r.bottom - r.top) {
    r.top -= (row - (r.bottom - r.top)) / 2;
    r.bottom = r.top + row;
  }
  return r;
}

HRGN TdxBarControl::CreateItemRegion(TdxBarItemControl* control) const
{
  const RECT r = GetItemDrawRect(control);
  HRGN region = CreateRectRgnIndirect(&r);
  int index = -1;
  if (ViewInfo() && ViewInfo()->FindSeparatorOfItemControl(control, index)) {
    const RECT s = ViewInfo()->ReadSeparator(index).Bounds;
    TRegionHandle separator(CreateRectRgnIndirect(&s));
    CombineRgn(region, region, separator.Get(), RGN_OR);
  }
  return region;
}

TdxBarItemLink* TdxBarControl::HitTestDropPosition(POINT p, bool& before, bool& onSeparator)
{
  TdxBarItemLink* found = TdxBarDockedControl::HitTestDropPosition(p, before, onSeparator);
  const RECT client = ClientRect();
  TdxBarItemLinks* links = ItemLinks();
  if (found || !links || !PtInRect(&client, p)) return found;
  const bool vertical = IsVertical();
  const int pointAlong = vertical ? p.y : p.x, pointAcross = vertical ? p.x : p.y;
  for (int i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control || !control->CanClick() || !control->ViewInfo()->EndsLine()) continue;
    const RECT r = GetItemControlRect(control);
    if (pointAcross < (vertical ? r.left : r.top) || pointAcross >= (vertical ? r.right : r.bottom)) continue;
    // The point lies in this line's empty space.
    before = pointAlong < (vertical ? r.top : r.left);
    if (!before) return link;
    const TdxBarItemAlign align = GetItemAlign(control);
    if (align != iaLeft && align != iaClient) return link;
    // Before a left-aligned line: the drop goes before the line's first item.
    int first = i;
    for (int j = i - 1; j >= 0; --j) {
      TdxBarItemControl* previous = links->GetVisibleLink(j)->Control();
      if (previous && previous->ViewInfo()->EndsLine()) break;
      if (previous) first = j;
    }
    return links->GetVisibleLink(first);
  }
  return nullptr;
}

// --- Sizes per docking style ---

bool TdxBarControl::IsMultiLineFor(TdxBarDockingStyle style) const
{
  return style == dsNone || (GetBar() && GetBar()->MultiLine());
}

RECT TdxBarControl::GetBorderSizesFor(TdxBarDockingStyle style) const
{
  RECT borders{};
  TdxBarPainter* painter = GetPainter();
  if (painter && GetBar()) painter->CalcBarBorderSize(GetBar(), style, borders, false);
  return borders;
}

SIZE TdxBarControl::EmptyBarItemSize()
{
  TdxBarPainter* painter = GetPainter();
  const int glyph = BarManager() ? BarManager()->ImageOptions()->GlyphSize() : 16;
  const int text = TextHeight() > 0 ? TextHeight() : GetTextHeight();
  if (!painter) return SIZE{glyph, std::max(glyph, text)};
  return SIZE{painter->CalcButtonWidth(glyph), painter->CalcButtonHeight(std::max(glyph, text))};
}

SIZE TdxBarControl::WidestItemSize(TdxBarDockingStyle style)
{
  SIZE widest{};
  bool any = false;
  TdxBarItemLinks* links = ItemLinks();
  for (int i = 0; links && i < links->GetShowableLinkCount(); ++i) {
    TdxBarItemControl* control = ControlOf(links->GetShowableLink(i));
    if (!control) continue;
    const SIZE size = ItemSizeFor(control, style);
    widest.cx = std::max(widest.cx, size.cx);
    widest.cy = std::max(widest.cy, size.cy);
    any = true;
  }
  return any ? widest : EmptyBarItemSize();
}

SIZE TdxBarControl::FirstItemSize(TdxBarDockingStyle style)
{
  TdxBarItemLinks* links = ItemLinks();
  TRecentCountScope first(links, 1);
  for (int i = 0; links && i < links->GetVisibleLinkCount(); ++i)
    if (TdxBarItemControl* control = ControlOf(links->GetVisibleLink(i))) return ItemSizeFor(control, style);
  return EmptyBarItemSize();
}

// Widths and heights follow one rule each with the axes swapped; heights picks the measured side.
int TdxBarControl::CalcExtent(TdxBarDockingStyle style, bool heights)
{
  auto side = [heights](SIZE size) { return static_cast<int>(heights ? size.cy : size.cx); };
  const SIZE mdi = GetMdiAreaSize();
  // Across a bar (or along a multi-line one) the largest item; along a one-line bar the first.
  const bool across = heights ? !IsVerticalStyle(style) : IsVerticalStyle(style);
  int extent;
  if (across || IsMultiLineFor(style)) {
    extent = std::max(side(WidestItemSize(style)), side(mdi));
    if (!heights && style == dsNone) {
      TdxBarPainter* painter = GetPainter();
      const bool closes = GetBar() && GetBar()->CanClose() && painter;
      const int closeWidth = closes ? painter->GetFloatingCaptionButtonSize().cx : 0;
      extent = std::max(extent, std::max(MinFloatingWidth, GetMarkSize() + closeWidth));
    }
  } else {
    extent = side(FirstItemSize(style)) + side(mdi);
  }
  const RECT margins = GetItemsMargins();
  extent += heights ? margins.top + margins.bottom : margins.left + margins.right;
  const bool markAlong = heights ? IsVerticalStyle(DockingStyle()) : IsHorizontalDockStyle(DockingStyle());
  if (markAlong) extent += GetMarkSize();
  return extent;
}

int TdxBarControl::CalcMinExtent(TdxBarDockingStyle style, bool heights)
{
  auto side = [heights](SIZE size) { return static_cast<int>(heights ? size.cy : size.cx); };
  const SIZE mdi = GetMdiAreaSize();
  const bool along = heights ? IsVerticalStyle(style) : IsHorizontalDockStyle(style);
  int extent = 0;
  if (along || IsMultiLineFor(style)) {
    // All items in one line.
    TdxBarItemLinks* links = ItemLinks();
    TRecentCountScope all(links, -1);
    for (int i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
      TdxBarItemLink* link = links->GetVisibleLink(i);
      if (TdxBarItemControl* control = ControlOf(link))
        extent += GetBeginGroupOffset(link) + side(ItemSizeFor(control, style));
    }
    extent += side(mdi);
    const bool markAlong = heights ? IsVerticalStyle(DockingStyle()) : IsHorizontalDockStyle(DockingStyle());
    if (markAlong) extent += GetMarkSize();
  } else {
    extent = std::max(side(WidestItemSize(style)), side(mdi));
  }
  const RECT margins = GetItemsMargins();
  extent += heights ? margins.top + margins.bottom : margins.left + margins.right;
  return std::max(extent, CalcExtent(style, heights));
}

int TdxBarControl::CalcWidth(TdxBarDockingStyle style) { return CalcExtent(style, false); }
int TdxBarControl::CalcHeight(TdxBarDockingStyle style) { return CalcExtent(style, true); }
int TdxBarControl::CalcMinWidth(TdxBarDockingStyle style) { return CalcMinExtent(style, false); }
int TdxBarControl::CalcMinHeight(TdxBarDockingStyle style) { return CalcMinExtent(style, true); }

SIZE TdxBarControl::FitItems(TdxBarDockingStyle style, int limit, bool& allFit)
{
  const bool vertical = IsVerticalStyle(style);
  allFit = true;
  int length = 0, thickness = 0;
  bool first = true;
  TdxBarItemLinks* links = ItemLinks();
  for (int i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = ControlOf(link);
    if (!control) continue;
    const int gap = link->GetBeginGroup() && length > 0 ? GetBeginGroupSize() : 0;
    const SIZE size = ItemSizeFor(control, style);
    if (!first && length + gap + Along(size, vertical) > limit) {
      allFit = false;
      break;
    }
    length += gap + Along(size, vertical);
    thickness = std::max(thickness, Across(size, vertical));
    first = false;
  }
  return MakeSize(length, thickness, vertical);
}

SIZE TdxBarControl::CalcSingleLineSize(TdxBarDockingStyle style, int length)
{
  const bool vertical = IsVerticalStyle(style);
  const SIZE start{CalcWidth(style), CalcHeight(style)};
  const SIZE mdi = GetMdiAreaSize();
  TdxBarItemLinks* links = ItemLinks();
  if (!links || links->GetShowableLinkCount() == 0) return start;
  const int available = std::max(length, Along(start, vertical)) - Along(mdi, vertical) - GetMarkSize();
  SIZE fit{};
  bool allFit = true;
  if (!links->UsesRecentItems() || TdxBarDockedControl::IsDesigning()) {
    fit = FitItems(style, available, allFit);
  } else {
    // As many of the recently used items as fit.
    const int showable = links->GetShowableLinkCount();
    for (int count = 1;; ++count) {
      links->SetRecentItemCount(count);
      const SIZE next = FitItems(style, available, allFit);
      if (!allFit) {
        links->SetRecentItemCount(count - 1);
        break;
      }
      fit = next;
      if (count >= showable) {
        links->SetRecentItemCount(-1);
        break;
      }
    }
  }
  const RECT margins = GetItemsMargins();
  const int marginsAcross = vertical ? margins.left + margins.right : margins.top + margins.bottom;
  const int along =
      std::max(Along(start, vertical), Along(fit, vertical) + GetMarkSize() + Along(mdi, vertical));
  const int across = std::max(Across(fit, vertical), Across(mdi, vertical)) + marginsAcross;
  return MakeSize(along, across, vertical);
}

SIZE TdxBarControl::WrapItemsForLength(TdxBarDockingStyle style, int length)
{
  const bool vertical = IsVerticalStyle(style);
  const SIZE start{CalcWidth(style), CalcHeight(style)};
  const int limit = std::max(length, Along(start, vertical)) - (style == dsNone ? 0 : GetMarkSize());
  const int groupGap = GetBeginGroupSize();
  TdxBarItemLinks* links = ItemLinks();
  const int count = links ? links->GetVisibleLinkCount() : 0;

  int lineLength = 0, lineThickness = 0, widest = 0, finished = 0;
  // The last link of the current line that begins a group, with the line before it.
  int groupIndex = -1, groupLength = 0, groupThickness = 0;
  // breakHere: the walk came back to a group start to break there; breakAtGroup: the last break
  // fell inside a group, so the next group starts a line of its own.
  bool breakHere = false, breakAtGroup = false;
  for (int i = 0; i < count; ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = ControlOf(link);
    if (!control) continue;
    TdxBarItemControlViewInfo* info = control->ViewInfo();
    const SIZE size = ItemSizeFor(control, style);
    const int itemLength = Along(size, vertical), itemThickness = Across(size, vertical);
    const bool beginsGroup = link->GetBeginGroup() && lineLength > 0;
    const int gap = beginsGroup ? groupGap : 0;
    const bool overflows = lineLength > 0 && limit < lineLength + gap + itemLength;
    if (overflows && !breakHere && !beginsGroup && groupIndex >= 0) {
      // Break the line at its last group start instead.
      i = groupIndex - 1;
      lineLength = groupLength;
      lineThickness = groupThickness;
      groupIndex = -1;
      breakHere = true;
      continue;
    }
    if (overflows || breakHere || (beginsGroup && breakAtGroup)) {
      info->SetBeginsLine(true);
      widest = std::max(widest, lineLength);
      finished += lineThickness + gap;
      lineLength = itemLength;
      lineThickness = itemThickness;
      breakAtGroup = !breakHere && !beginsGroup;
      breakHere = false;
      groupIndex = -1;
      continue;
    }
    info->SetBeginsLine(false);
    if (beginsGroup) {
      groupIndex = i;
      groupLength = lineLength;
      groupThickness = lineThickness;
    }
    lineLength += gap + itemLength;
    lineThickness = std::max(lineThickness, itemThickness);
  }

  int across = finished + lineThickness;
  const SIZE mdi = GetMdiAreaSize();
  if (Along(mdi, vertical) > 0) {
    if (limit < lineLength + Along(mdi, vertical)) {
      across += Across(mdi, vertical);
    } else {
      lineLength += Along(mdi, vertical);
      across = finished + std::max(lineThickness, Across(mdi, vertical));
    }
  }
  widest = std::max(widest, lineLength);
  const RECT margins = GetItemsMargins();
  const int marginsAlong = vertical ? margins.top + margins.bottom : margins.left + margins.right;
  const int marginsAcross = vertical ? margins.left + margins.right : margins.top + margins.bottom;
  const int along = std::max(Along(start, vertical), widest + marginsAlong + (style == dsNone ? 0 : GetMarkSize()));
  across = std::max(across + marginsAcross, Across(start, vertical));
  CalcViewInfo();
  return MakeSize(along, across, vertical);
}

SIZE TdxBarControl::CalcSizeAcross(TdxBarDockingStyle style, int extent, bool exact)
{
  const bool vertical = IsVerticalStyle(style);
  SIZE size = WrapItemsForLength(style, vertical ? CalcMinHeight(style) : CalcMinWidth(style));
  SIZE below{};
  bool hasBelow = false;
  // Narrower and narrower, until the bar reaches the extent or cannot get narrower.
  while (Across(size, vertical) < extent) {
    below = size;
    hasBelow = true;
    const SIZE next = WrapItemsForLength(style, Along(size, vertical) - 1);
    if (Along(next, vertical) == Along(size, vertical)) return size;
    size = next;
  }
  if (exact && hasBelow && Across(size, vertical) > extent) return WrapItemsForLength(style, Along(below, vertical));
  return size;
}

void TdxBarControl::ShowAllLinksOnce()
{
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  TRecentCountScope all(links, -1);
  CalcViewInfo();
}

SIZE TdxBarControl::CalcSizeForPoint(TdxBarDockingStyle style, int width)
{
  width = std::clamp(width, 0, MaxLength);
  ShowAllLinksOnce();
  if (!IsVerticalStyle(style))
    return IsMultiLineFor(style) ? WrapItemsForLength(style, width) : CalcSingleLineSize(style, width);
  if (IsMultiLineFor(style)) return CalcSizeAcross(style, width, false);
  return SIZE{CalcWidth(style), CalcMinHeight(style)};
}

SIZE TdxBarControl::CalcSizeForHeight(TdxBarDockingStyle style, int height, bool exact)
{
  height = std::clamp(height, 0, MaxLength);
  ShowAllLinksOnce();
  if (IsVerticalStyle(style))
    return IsMultiLineFor(style) ? WrapItemsForLength(style, height) : CalcSingleLineSize(style, height);
  if (IsMultiLineFor(style)) return CalcSizeAcross(style, height, exact);
  return SIZE{CalcMinWidth(style), CalcHeight(style)};
}

SIZE TdxBarControl::CalcSizeForDockingStyle(TdxBarDockingStyle style)
{
  if (GetNavigationFlags() & dxBarNavigationAlwaysFloating) style = dsNone;
  TdxBarItemLinks* links = ItemLinks();
  const int savedCount = links ? links->RecentItemCount() : -1;
  const RECT borders = GetBorderSizesFor(style);
  const int bordersWidth = borders.left + borders.right, bordersHeight = borders.top + borders.bottom;
  TdxBar* bar = GetBar();
  SIZE size;
  if (style == dsNone) {
    size = CalcSizeForPoint(dsNone, bar ? bar->FloatClientWidth() : 0);
    size.cx += bordersWidth;
    size.cy += bordersHeight;
  } else {
    const bool wholeRow = bar && bar->WholeRow();
    TdxDockControl* dock = DockControl() && DockingStyle() == style ? DockControl()
                           : BarManager()                          ? BarManager()->Bars()->DockControls(style)
                                                                   : nullptr;
    const RECT dockClient = dock ? dock->ClientRect() : RECT{};
    if (IsVerticalStyle(style)) {
      const int dockHeight = dockClient.bottom - dockClient.top;
      const int wanted = wholeRow ? dockHeight - bordersHeight : CalcMinHeight(style);
      size = CalcSizeForHeight(style, wanted, false);
      size.cx += bordersWidth;
      size.cy = wholeRow ? dockHeight : size.cy + bordersHeight;
    } else {
      const int dockWidth = dockClient.right - dockClient.left;
      const int wanted = wholeRow ? dockWidth - bordersWidth : CalcMinWidth(style);
      size = CalcSizeForPoint(style, wanted);
      size.cy += bordersHeight;
      size.cx = wholeRow ? dockWidth : size.cx + bordersWidth;
    }
  }
  if (links && links->RecentItemCount() != savedCount) {
    links->SetRecentItemCount(savedCount);
    CalcViewInfo();
  }
  return size;
}

POINT TdxBarControl::GetGrabOffsetForDockingStyle(TdxBarDockingStyle style)
{
  TdxBars* bars = BarManager() ? BarManager()->Bars() : nullptr;
  if (bars && bars->MovingBarControl() == this && style == bars->StartDockingStyle()) {
    // The drag keeps the offset of a vertical bar with its parts swapped and negated.
    const POINT offset = bars->GrabOffset();
    return IsVerticalStyle(style) ? POINT{-offset.y, -offset.x} : offset;
  }
  const SIZE size = CalcSizeForDockingStyle(style);
  return POINT{FGrabWindowSize.cx ? MulDiv(FGrabPoint.x, size.cx, FGrabWindowSize.cx) : 0,
               FGrabWindowSize.cy ? MulDiv(FGrabPoint.y, size.cy, FGrabWindowSize.cy) : 0};
}

// --- The view info ---

void TdxBarControlViewInfo::Calculate()
{
  TCustomdxBarControl* bar = BarControl();
  bar->CalcLayout();
  Clear();
  TdxBarItemLinks* links = bar->ItemLinks();
  for (int i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    // Links the layout gave no place are not shown.
    if (!control || IsRectEmpty(&link->ItemRect())) continue;
    TdxBarItemControlViewInfo* info = control->ViewInfo();
    info->SetBounds(link->ItemRect());
    if (EndsAtItemControl(info)) break;
    AppendItemControlViewInfo(info);
    AddLinkSeparator(link, info);
  }
}

void TdxBarControlViewInfo::AddLinkSeparator(TdxBarItemLink* link, TdxBarItemControlViewInfo* viewInfo)
{
  const RECT bounds = viewInfo->GetBounds();
  if (CanAddSeparators() && link->GetBeginGroup() && !IsRectEmpty(&bounds)) AddSeparatorRects(link, bounds);
}

void TdxBarControlViewInfo::AddSeparatorRects(TdxBarItemLink* link, const RECT& itemBounds)
{
  TCustomdxBarControl* bar = BarControl();
  const int size = bar->GetBeginGroupSize();
  const int row = link->RowHeight();
  const int mark = bar->DockingStyle() == dsNone ? 0 : bar->GetMarkSize();
  const RECT client = bar->ClientRect();
  const RECT area = bar->ItemsArea();
  const RECT& r = itemBounds;
  TdxBarItemControl* control = link->Control();
  if (!bar->IsVertical()) {
    const int rowTop = r.top - (row - (r.bottom - r.top)) / 2;
    if (r.left <= area.left && r.top > area.top)
      // Between two lines.
      AppendSeparator(RECT{0, rowTop - size, client.right - mark, rowTop}, 0, control);
    else
      AppendSeparator(RECT{r.left - size, rowTop, r.left, rowTop + row}, 1, control);
    return;
  }
  const int columnLeft = r.left - (row - (r.right - r.left)) / 2;
  if (r.top > area.top) {
    AppendSeparator(RECT{columnLeft, r.top - size, columnLeft + row, r.top}, 0, control);
  } else {
    // Between two columns: right of the item's column.
    const int x = r.right + (row - (r.right - r.left)) / 2;
    AppendSeparator(RECT{x, 0, x + size, client.bottom - mark}, 1, control);
  }
}
