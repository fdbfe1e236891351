#pragma once
// Geometry of the toolkit: two persistent value classes that report changes, TcxRect and TcxSize,
// and the rectangle and point functions of every layout and painting routine. Rectangles are the
// platform's (right and bottom edges exclusive); all functions return new values.
#include "classlib/Events.h"
#include "classlib/Persistent.h"
#include "classlib/Units.h"
#include "classlib/Win.h"

// Registers TcxRect with the streaming system while it runs.
extern TUnit UnitcxGeometry;

class TcxRect : public TPersistent {
  CL_CLASS(TcxRect, TPersistent)
public:
  explicit TcxRect(TPersistent* owner) : FOwner(owner) {}
  TPersistent* GetOwner() const override { return FOwner; }
  // From another TcxRect its rectangle is applied; any other source changes nothing.
  void Assign(TPersistent* source) override;

  int Left() const { return FRect.left; }
  void SetLeft(int value);
  int Top() const { return FRect.top; }
  void SetTop(int value);
  int Right() const { return FRect.right; }
  void SetRight(int value);
  int Bottom() const { return FRect.bottom; }
  void SetBottom(int value);
  const RECT& RectData() const { return FRect; }
  // AdjustRect may correct the rectangle; a real change is stored and reported.
  void ApplyRect(const RECT& rect);
  bool EqualsRect(const RECT& rect) const;
  bool SameRectAs(const TcxRect* other) const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }

protected:
  virtual void AdjustRect(RECT& rect) { (void)rect; }

private:
  TPersistent* FOwner;
  RECT FRect{};
  TNotifyEvent FOnChange;
};

class TcxSize : public TPersistent {
  CL_CLASS(TcxSize, TPersistent)
public:
  explicit TcxSize(TPersistent* owner) : FOwner(owner) {}
  TPersistent* GetOwner() const override { return FOwner; }
  // From another TcxSize its width and height are applied; other sources: the inherited assign.
  void Assign(TPersistent* source) override;

  int Width() const { return GetDimension(1); }
  void SetWidth(int value) { SetSizeFromPoint(POINT{value, FSize.cy}); }
  int Height() const { return GetDimension(0); }
  void SetHeight(int value) { SetSizeFromPoint(POINT{FSize.cx, value}); }
  bool IsWidthStored() const { return IsDimensionStored(1); }
  bool IsHeightStored() const { return IsDimensionStored(0); }

  bool IsZero() const { return FSize.cx == 0 && FSize.cy == 0; }
  bool EqualsPoint(POINT p) const { return FSize.cx == p.x && FSize.cy == p.y; }
  bool SameSizeAs(const TcxSize* other) const;
  POINT ReadAsPoint() const { return POINT{FSize.cx, FSize.cy}; }
  const SIZE& SizeData() const { return FSize; }
  // X is the width, Y the height; negative values become 0. A real change is stored and reported.
  virtual void SetSizeFromPoint(POINT p);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }

protected:
  virtual void CallOnChange();
  virtual int GetDimension(int index) const { return index == 1 ? FSize.cx : FSize.cy; }  // 1 width, 0 height
  virtual bool IsDimensionStored(int index) const { return GetDimension(index) != 0; }

private:
  TPersistent* FOwner;
  SIZE FSize{};
  TNotifyEvent FOnChange;
};

// --- Rectangle and point functions ---

int GetRectWidth(const RECT& r);
int GetRectHeight(const RECT& r);
SIZE GetRectSize(const RECT& r);
POINT GetRectCenter(const RECT& r);  // halves truncated toward zero
RECT MakeRect(int left, int top, int right, int bottom);
RECT RectFromPoints(POINT topLeft, POINT bottomRight);
RECT RectFromBounds(int left, int top, int width, int height);
POINT MakePoint(int x, int y);
SIZE MakeSize(int cx, int cy);
bool RectsEqual(const RECT& a, const RECT& b);
bool PointsEqual(POINT a, POINT b);
bool SamePoint(POINT a, POINT b);
bool IsPointInRect(POINT p, const RECT& r);
bool IsXYInRect(int x, int y, const RECT& r);
// The overlap and true; false and an all-zero rectangle when the two do not overlap.
bool IntersectRectPair(RECT& result, const RECT& a, const RECT& b);
// The smallest rectangle holding both; a second rectangle without width or height leaves the first.
RECT UnionRectPair(const RECT& a, const RECT& b);
RECT InflateRectXY(const RECT& r, int dx, int dy);
RECT InflateRectSides(const RECT& r, int dx1, int dy1, int dx2, int dy2);
RECT RectInsideMargins(const RECT& r, const RECT& margins);
// Moved by +(dx, dy), or by -(dx, dy) when forward is false.
RECT OffsetRectXY(const RECT& r, int dx, int dy, bool forward = true);
RECT OffsetRectByPoint(const RECT& r, POINT delta, bool forward = true);
POINT OffsetPointXY(POINT p, int dx, int dy, bool forward = true);
POINT OffsetPointByPoint(POINT p, POINT delta, bool forward = true);
POINT NegatePoint(POINT p);
RECT TransposeRect(const RECT& r);  // left with top, right with bottom
RECT PlaceRectLeft(const RECT& r, int x, int width);
RECT SetRectXAndWidth(const RECT& r, int x, int width);
RECT PlaceRectTop(const RECT& r, int y, int height);
RECT PlaceRectBottom(const RECT& r, int y, int height);  // bottom = y, top = y - height
RECT RectWithWidth(const RECT& r, int width);
RECT RectWithHeight(const RECT& r, int height);
// A width x height rectangle centred in r (halves truncated toward zero).
RECT CenterSizeInRect(const RECT& r, SIZE size);
RECT CenterSizeInRectWH(const RECT& r, int width, int height);
