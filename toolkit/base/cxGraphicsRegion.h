#pragma once
// TcxRegion: sole owner of one GDI region, the unit in which canvases exchange clip regions.
#include "classlib/GraphicsUtils.h"
#include "classlib/Object.h"
#include "classlib/Win.h"

// How CombineWith (and TcxCanvas::ApplyClipRegion) merge a second region into the first.
enum TcxRegionOperation : int {
  roSet = 0,        // the first becomes a copy of the second (RGN_COPY)
  roAdd = 1,        // union (RGN_OR)
  roSubtract = 2,   // the first minus the second (RGN_DIFF)
  roIntersect = 3,  // intersection (RGN_AND)
};

// The RGN_ combine mode of an operation.
int RegionOperationToCombineMode(TcxRegionOperation operation);

class TcxRegion : public TObject {
  CL_CLASS(TcxRegion, TObject)
public:
  // An empty rectangular region (0, 0, 0, 0).
  TcxRegion();
  // Takes ownership of a region handle (nullptr: no region).
  explicit TcxRegion(HRGN handle);
  explicit TcxRegion(const RECT& rect);
  TcxRegion(int left, int top, int right, int bottom);
  ~TcxRegion() override;

  HRGN Handle() const { return FHandle.Get(); }
  // Deletes the region and leaves the object without one.
  void FreeHandle() { FHandle.Reset(); }
  // True when the region has no area (or there is no region).
  bool IsEmptyRegion() const;

  // Combines other into this region. The other region is left alone; the overload that takes it by
  // ownership frees it afterwards (also after roSet).
  void CombineWith(const TcxRegion* other, TcxRegionOperation operation);
  void CombineWith(TOwned<TcxRegion> other, TcxRegionOperation operation);

  // False for nullptr; true when both are empty or both cover the same pixels.
  bool SameAs(const TcxRegion* other) const;
  bool SameAsHandle(HRGN other) const;

  void OffsetByPoint(POINT delta) { OffsetBy(delta.x, delta.y); }
  void OffsetBy(int dx, int dy);

  // The bounding rectangle; all zero for an empty region.
  RECT BoundsRect() const;

private:
  TRegionHandle FHandle;
};
