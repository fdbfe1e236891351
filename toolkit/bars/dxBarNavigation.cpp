#include "toolkit/bars/dxBarNavigation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

CL_DEFINE_CLASS(TdxBarNavigationController);

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

RECT ScreenBoundsOf(IdxBarAccessibilityHelper* helper) { return helper->GetHelper()->GetBoundsOnScreen(0); }

// How far the line between the centres turns away from the direction, 0 to 180 degrees.
double DeviationFrom(const RECT& current, const RECT& candidate, TDirection direction)
{
  const TdxFloatPoint c1 = RectCenterPoint(current), c2 = RectCenterPoint(candidate);
  double angle = std::atan2(c2.Y - c1.Y, c2.X - c1.X) * 180 / std::numbers::pi;
  switch (direction) {
    case TDirection::andLeft: angle -= 180; break;
    case TDirection::andUp: angle -= 270; break;
    case TDirection::andDown: angle -= 90; break;
    default: break;
  }
  angle = std::fmod(angle + 720, 360);
  return std::min(angle, 360 - angle);
}

// The distance from current's edge to the candidate's facing edge; negative when the candidate does
// not lie beyond that edge.
long long GapTo(const RECT& current, const RECT& candidate, TDirection direction)
{
  switch (direction) {
    case TDirection::andLeft: return static_cast<long long>(current.left) - candidate.right;
    case TDirection::andUp: return static_cast<long long>(current.top) - candidate.bottom;
    case TDirection::andRight: return static_cast<long long>(candidate.left) - current.right;
    default: return static_cast<long long>(candidate.top) - current.bottom;
  }
}

IdxBarAccessibilityHelper* FindNearest(const RECT& current, std::span<IdxBarAccessibilityHelper* const> candidates,
                                       TDirection direction)
{
  IdxBarAccessibilityHelper* best = nullptr;
  long long bestGap = 0;
  double bestDeviation = 0;
  for (IdxBarAccessibilityHelper* candidate : candidates) {
    if (!candidate) continue;
    const RECT bounds = ScreenBoundsOf(candidate);
    const long long gap = GapTo(current, bounds, direction);
    if (gap < 0) continue;
    const double deviation = DeviationFrom(current, bounds, direction);
    if (!best || gap < bestGap || (gap == bestGap && deviation < bestDeviation)) {
      best = candidate;
      bestGap = gap;
      bestDeviation = deviation;
    }
  }
  return best;
}

constexpr int FarSide = 0x3FFFFFFF;
}  // namespace

TdxFloatPoint RectCenterPoint(const RECT& r)
{
  return {r.left + (r.right - r.left) / 2.0, r.top + (r.bottom - r.top) / 2.0};
}

IdxBarAccessibilityHelper* FindNearestObjectInDirection(IdxBarAccessibilityHelper* current,
                                                        std::span<IdxBarAccessibilityHelper* const> candidates,
                                                        TDirection direction, bool wrap)
{
  if (!current || direction == TDirection::andPrev || direction == TDirection::andNext) return nullptr;
  RECT bounds = ScreenBoundsOf(current);
  if (IdxBarAccessibilityHelper* found = FindNearest(bounds, candidates, direction)) return found;
  if (!wrap || (direction != TDirection::andLeft && direction != TDirection::andRight)) return nullptr;
  const int width = bounds.right - bounds.left;
  if (direction == TDirection::andLeft) {
    bounds.right = FarSide;
    bounds.left = FarSide - width;
  } else {
    bounds.left = -FarSide;
    bounds.right = -FarSide + width;
  }
  return FindNearest(bounds, candidates, direction);
}

IdxBarAccessibilityHelper* FindEnclosingKeyTipContainer(IdxBarAccessibilityHelper* helper)
{
  IdxBarAccessibilityHelper* result = helper ? helper->GetBarHelper()->GetKeyTipParent() : nullptr;
  while (result) {
    TdxBarAccessibilityHelper* bar = result->GetBarHelper();
    IdxBarAccessibilityHelper* parent = bar->HoldsKeyTips() ? nullptr : bar->GetKeyTipParent();
    if (!parent) break;
    result = parent;
  }
  return result;
}

void PassKeyTipsEscape(IdxBarAccessibilityHelper* container)
{
  if (container) container->GetBarHelper()->EscapeKeyTips();
}

IdxBarAccessibilityHelper* QueryAccessibilityHelper(TObject* object)
{
  return Supports<IdxBarAccessibilityHelper>(object);
}

void ReleaseAccessibilityHelperOnOwnerDestroy(TOwned<TdxBarAccessibilityHelper>& helper)
{
  if (!helper) return;
  helper->MarkOwnerDestroyed();
  helper.reset();
}
