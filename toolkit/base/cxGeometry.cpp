#include "toolkit/base/cxGeometry.h"

#include <algorithm>
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr TPropInfo RectProps[] = {
  IntProp<&TcxRect::Left, &TcxRect::SetLeft>("Left"),
  IntProp<&TcxRect::Top, &TcxRect::SetTop>("Top"),
  IntProp<&TcxRect::Right, &TcxRect::SetRight>("Right"),
  IntProp<&TcxRect::Bottom, &TcxRect::SetBottom>("Bottom"),
  EventProp<&TcxRect::OnChange, &TcxRect::SetOnChange>("OnChange"),
};
constexpr TPropInfo SizeProps[] = {
  Stored<&TcxSize::IsWidthStored>(IntProp<&TcxSize::Width, &TcxSize::SetWidth>("Width")),
  Stored<&TcxSize::IsHeightStored>(IntProp<&TcxSize::Height, &TcxSize::SetHeight>("Height")),
};

void InitializeUnit() { RegisterClass(TcxRect::StaticClass()); }
void FinalizeUnit() { UnRegisterClass(TcxRect::StaticClass()); }

// Halves of sums without overflow, truncated toward zero.
int HalfOf(long long sum) { return static_cast<int>(sum / 2); }
}  // namespace

namespace {
const TUnit* const Uses[] = {&UnitdxCore, &UnitcxClasses};
}  // namespace

TUnit UnitcxGeometry{"cxGeometry", Uses, InitializeUnit, FinalizeUnit};

CL_DEFINE_CLASS(TcxRect, .Props = RectProps);
CL_DEFINE_CLASS(TcxSize, .Props = SizeProps);

// --- TcxRect ---

void TcxRect::Assign(TPersistent* source)
{
  if (auto* other = dynamic_cast<TcxRect*>(source)) ApplyRect(other->FRect);
}

void TcxRect::SetLeft(int value)
{
  RECT r = FRect;
  r.left = value;
  ApplyRect(r);
}

void TcxRect::SetTop(int value)
{
  RECT r = FRect;
  r.top = value;
  ApplyRect(r);
}

void TcxRect::SetRight(int value)
{
  RECT r = FRect;
  r.right = value;
  ApplyRect(r);
}

void TcxRect::SetBottom(int value)
{
  RECT r = FRect;
  r.bottom = value;
  ApplyRect(r);
}

void TcxRect::ApplyRect(const RECT& rect)
{
  RECT r = rect;
  AdjustRect(r);
  if (RectsEqual(r, FRect)) return;
  FRect = r;
  if (FOnChange) FOnChange(this);
}

bool TcxRect::EqualsRect(const RECT& rect) const { return RectsEqual(FRect, rect); }

bool TcxRect::SameRectAs(const TcxRect* other) const { return other && RectsEqual(FRect, other->FRect); }

// --- TcxSize ---

void TcxSize::Assign(TPersistent* source)
{
  if (auto* other = dynamic_cast<TcxSize*>(source))
    SetSizeFromPoint(POINT{other->Width(), other->Height()});
  else
    TPersistent::Assign(source);
}

bool TcxSize::SameSizeAs(const TcxSize* other) const
{
  return other && FSize.cx == other->FSize.cx && FSize.cy == other->FSize.cy;
}

void TcxSize::SetSizeFromPoint(POINT p)
{
  SIZE s{std::max<LONG>(p.x, 0), std::max<LONG>(p.y, 0)};
  if (s.cx == FSize.cx && s.cy == FSize.cy) return;
  FSize = s;
  CallOnChange();
}

void TcxSize::CallOnChange()
{
  if (FOnChange) FOnChange(this);
}

// --- Rectangle and point functions ---

int GetRectWidth(const RECT& r) { return r.right - r.left; }
int GetRectHeight(const RECT& r) { return r.bottom - r.top; }
SIZE GetRectSize(const RECT& r) { return SIZE{GetRectWidth(r), GetRectHeight(r)}; }

POINT GetRectCenter(const RECT& r)
{
  return POINT{HalfOf(static_cast<long long>(r.left) + r.right), HalfOf(static_cast<long long>(r.top) + r.bottom)};
}

RECT MakeRect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }
RECT RectFromPoints(POINT topLeft, POINT bottomRight) { return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}; }
RECT RectFromBounds(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }
POINT MakePoint(int x, int y) { return POINT{x, y}; }
SIZE MakeSize(int cx, int cy) { return SIZE{cx, cy}; }

bool RectsEqual(const RECT& a, const RECT& b)
{
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool PointsEqual(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
bool SamePoint(POINT a, POINT b) { return PointsEqual(a, b); }
bool IsPointInRect(POINT p, const RECT& r) { return IsXYInRect(p.x, p.y, r); }
bool IsXYInRect(int x, int y, const RECT& r) { return r.left <= x && x < r.right && r.top <= y && y < r.bottom; }

bool IntersectRectPair(RECT& result, const RECT& a, const RECT& b)
{
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.left < r.right && r.top < r.bottom) {
    result = r;
    return true;
  }
  result = RECT{};
  return false;
}

RECT UnionRectPair(const RECT& a, const RECT& b)
{
  if (GetRectWidth(b) <= 0 || GetRectHeight(b) <= 0) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT InflateRectXY(const RECT& r, int dx, int dy) { return InflateRectSides(r, dx, dy, dx, dy); }

RECT InflateRectSides(const RECT& r, int dx1, int dy1, int dx2, int dy2)
{
  return RECT{r.left - dx1, r.top - dy1, r.right + dx2, r.bottom + dy2};
}

RECT RectInsideMargins(const RECT& r, const RECT& margins)
{
  return RECT{r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
}

RECT OffsetRectXY(const RECT& r, int dx, int dy, bool forward)
{
  if (!forward) {
    dx = -dx;
    dy = -dy;
  }
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT OffsetRectByPoint(const RECT& r, POINT delta, bool forward) { return OffsetRectXY(r, delta.x, delta.y, forward); }

POINT OffsetPointXY(POINT p, int dx, int dy, bool forward)
{
  return forward ? POINT{p.x + dx, p.y + dy} : POINT{p.x - dx, p.y - dy};
}

POINT OffsetPointByPoint(POINT p, POINT delta, bool forward) { return OffsetPointXY(p, delta.x, delta.y, forward); }
POINT NegatePoint(POINT p) { return POINT{-p.x, -p.y}; }
RECT TransposeRect(const RECT& r) { return RECT{r.top, r.left, r.bottom, r.right}; }

RECT PlaceRectLeft(const RECT& r, int x, int width) { return RECT{x, r.top, x + width, r.bottom}; }
RECT SetRectXAndWidth(const RECT& r, int x, int width) { return PlaceRectLeft(r, x, width); }
RECT PlaceRectTop(const RECT& r, int y, int height) { return RECT{r.left, y, r.right, y + height}; }
RECT PlaceRectBottom(const RECT& r, int y, int height) { return RECT{r.left, y - height, r.right, y}; }
RECT RectWithWidth(const RECT& r, int width) { return RECT{r.left, r.top, r.left + width, r.bottom}; }
RECT RectWithHeight(const RECT& r, int height) { return RECT{r.left, r.top, r.right, r.top + height}; }

RECT CenterSizeInRect(const RECT& r, SIZE size) { return CenterSizeInRectWH(r, size.cx, size.cy); }

RECT CenterSizeInRectWH(const RECT& r, int width, int height)
{
  int left = HalfOf(static_cast<long long>(r.left) + r.right - width);
  int top = HalfOf(static_cast<long long>(r.top) + r.bottom - height);
  return RECT{left, top, left + width, top + height};
}
