#include "toolkit/base/cxGraphicsRegion.h"

#include <optional>

CL_DEFINE_CLASS(TcxRegion);

namespace {
HRGN NewRectRegion(int left, int top, int right, int bottom)
{
  HRGN region = CreateRectRgn(left, top, right, bottom);
  if (!region) RaiseLastOSError();
  return region;
}
}  // namespace

int RegionOperationToCombineMode(TcxRegionOperation operation)
{
  switch (operation) {
    case roAdd: return RGN_OR;
    case roSubtract: return RGN_DIFF;
    case roIntersect: return RGN_AND;
    default: return RGN_COPY;
  }
}

TcxRegion::TcxRegion() : FHandle(NewRectRegion(0, 0, 0, 0)) {}

TcxRegion::TcxRegion(HRGN handle) : FHandle(handle) {}

TcxRegion::TcxRegion(const RECT& rect) : FHandle(NewRectRegion(rect.left, rect.top, rect.right, rect.bottom)) {}

TcxRegion::TcxRegion(int left, int top, int right, int bottom) : FHandle(NewRectRegion(left, top, right, bottom)) {}

TcxRegion::~TcxRegion() = default;

bool TcxRegion::IsEmptyRegion() const
{
  if (!FHandle) return true;
  RECT box{};
  return GetRgnBox(FHandle.Get(), &box) == NULLREGION;
}

void TcxRegion::CombineWith(const TcxRegion* other, TcxRegionOperation operation)
{
  if (!other) return;
  // A region that lost its handle takes part as an empty one.
  if (!FHandle) FHandle.Reset(NewRectRegion(0, 0, 0, 0));
  std::optional<TcxRegion> empty;
  if (!other->Handle()) empty.emplace();
  HRGN source = empty ? empty->Handle() : other->Handle();
  if (operation == roSet)
    CombineRgn(FHandle.Get(), source, nullptr, RGN_COPY);  // RGN_COPY copies the first source
  else
    CombineRgn(FHandle.Get(), FHandle.Get(), source, RegionOperationToCombineMode(operation));
}

void TcxRegion::CombineWith(TOwned<TcxRegion> other, TcxRegionOperation operation)
{
  CombineWith(other.get(), operation);
}

bool TcxRegion::SameAs(const TcxRegion* other) const
{
  if (!other) return false;
  if (IsEmptyRegion() && other->IsEmptyRegion()) return true;
  return SameAsHandle(other->Handle());
}

bool TcxRegion::SameAsHandle(HRGN other) const
{
  if (!FHandle || !other) return false;
  return EqualRgn(FHandle.Get(), other) != FALSE;
}

void TcxRegion::OffsetBy(int dx, int dy)
{
  if (FHandle && (dx != 0 || dy != 0)) OffsetRgn(FHandle.Get(), dx, dy);
}

RECT TcxRegion::BoundsRect() const
{
  RECT box{};
  if (FHandle && GetRgnBox(FHandle.Get(), &box) == NULLREGION) box = RECT{};
  return box;
}
