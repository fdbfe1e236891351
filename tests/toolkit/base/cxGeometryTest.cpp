// Geometry: the rectangle and point functions as a table, and the change reporting of TcxRect and
// TcxSize.
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGeometry.h"

static std::ostream& operator<<(std::ostream& os, const RECT& r)
{
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {
struct TRectCase {
  const char* Name;
  RECT Result;
  RECT Expected;
};

void PrintTo(const TRectCase& c, std::ostream* os) { *os << c.Name; }

class RectFunctions : public testing::TestWithParam<TRectCase> {};

const RECT R{10, 20, 110, 70};  // 100 x 50

const TRectCase RectCases[] = {
  {"MakeRect", MakeRect(1, 2, 3, 4), {1, 2, 3, 4}},
  {"RectFromPoints", RectFromPoints({1, 2}, {3, 4}), {1, 2, 3, 4}},
  {"RectFromBounds", RectFromBounds(5, 6, 10, 20), {5, 6, 15, 26}},
  {"UnionRectPair", UnionRectPair({0, 0, 10, 10}, {5, -5, 20, 8}), {0, -5, 20, 10}},
  {"UnionRectPair with an empty second", UnionRectPair({0, 0, 10, 10}, {50, 50, 50, 60}), {0, 0, 10, 10}},
  {"UnionRectPair with an inverted second", UnionRectPair({0, 0, 10, 10}, {50, 50, 40, 60}), {0, 0, 10, 10}},
  {"InflateRectXY", InflateRectXY(R, 2, -3), {8, 23, 112, 67}},
  {"InflateRectSides", InflateRectSides(R, 1, 2, 3, 4), {9, 18, 113, 74}},
  {"RectInsideMargins", RectInsideMargins(R, {1, 2, 3, 4}), {11, 22, 107, 66}},
  {"OffsetRectXY forward", OffsetRectXY(R, 5, -5), {15, 15, 115, 65}},
  {"OffsetRectXY backward", OffsetRectXY(R, 5, -5, false), {5, 25, 105, 75}},
  {"OffsetRectByPoint forward", OffsetRectByPoint(R, {1, 2}), {11, 22, 111, 72}},
  {"OffsetRectByPoint backward", OffsetRectByPoint(R, {1, 2}, false), {9, 18, 109, 68}},
  {"TransposeRect", TransposeRect(R), {20, 10, 70, 110}},
  {"PlaceRectLeft", PlaceRectLeft(R, 3, 7), {3, 20, 10, 70}},
  {"SetRectXAndWidth", SetRectXAndWidth(R, -3, 7), {-3, 20, 4, 70}},
  {"PlaceRectTop", PlaceRectTop(R, 3, 7), {10, 3, 110, 10}},
  {"PlaceRectBottom", PlaceRectBottom(R, 30, 7), {10, 23, 110, 30}},
  {"RectWithWidth", RectWithWidth(R, 5), {10, 20, 15, 70}},
  {"RectWithHeight", RectWithHeight(R, 5), {10, 20, 110, 25}},
  {"CenterSizeInRect", CenterSizeInRect(R, {21, 11}), {49, 39, 70, 50}},
  {"CenterSizeInRectWH larger than the rect", CenterSizeInRectWH({0, 0, 10, 10}, 15, 13), {-2, -1, 13, 12}},
  {"CenterSizeInRectWH negative coordinates", CenterSizeInRectWH({-11, -11, 0, 0}, 2, 2), {-6, -6, -4, -4}},
};

TEST_P(RectFunctions, GiveTheDocumentedRectangle)
{
  EXPECT_TRUE(RectsEqual(GetParam().Result, GetParam().Expected)) << GetParam().Result << " != " << GetParam().Expected;
}

INSTANTIATE_TEST_SUITE_P(Geometry, RectFunctions, testing::ValuesIn(RectCases));
}  // namespace

TEST(Geometry, MeasuresAndCentres)
{
  EXPECT_EQ(GetRectWidth(R), 100);
  EXPECT_EQ(GetRectHeight(R), 50);
  SIZE size = GetRectSize(R);
  EXPECT_EQ(size.cx, 100);
  EXPECT_EQ(size.cy, 50);
  EXPECT_TRUE(PointsEqual(GetRectCenter(R), {60, 45}));
  EXPECT_TRUE(PointsEqual(GetRectCenter({-3, -3, 0, 0}), {-1, -1}));  // truncated toward zero
  EXPECT_TRUE(PointsEqual(GetRectCenter({0, 0, 3, 3}), {1, 1}));
}

TEST(Geometry, PointsAndHitTesting)
{
  EXPECT_TRUE(SamePoint(MakePoint(3, 4), {3, 4}));
  EXPECT_FALSE(PointsEqual({3, 4}, {4, 3}));
  EXPECT_TRUE(PointsEqual(OffsetPointXY({1, 1}, 2, 3), {3, 4}));
  EXPECT_TRUE(PointsEqual(OffsetPointXY({1, 1}, 2, 3, false), {-1, -2}));
  EXPECT_TRUE(PointsEqual(OffsetPointByPoint({1, 1}, {2, 3}, false), {-1, -2}));
  EXPECT_TRUE(PointsEqual(NegatePoint({2, -3}), {-2, 3}));
  SIZE s = MakeSize(7, 8);
  EXPECT_EQ(s.cx, 7);
  EXPECT_EQ(s.cy, 8);

  // Left and top edges are inside, right and bottom edges outside.
  EXPECT_TRUE(IsPointInRect({10, 20}, R));
  EXPECT_TRUE(IsXYInRect(109, 69, R));
  EXPECT_FALSE(IsXYInRect(110, 69, R));
  EXPECT_FALSE(IsXYInRect(109, 70, R));
  EXPECT_FALSE(IsPointInRect({9, 20}, R));
}

TEST(Geometry, IntersectionOfRectsThatOnlyTouchIsEmpty)
{
  RECT result{1, 1, 1, 1};
  EXPECT_TRUE(IntersectRectPair(result, {0, 0, 10, 10}, {5, 5, 20, 20}));
  EXPECT_TRUE(RectsEqual(result, {5, 5, 10, 10}));
  EXPECT_FALSE(IntersectRectPair(result, {0, 0, 10, 10}, {10, 0, 20, 10}));
  EXPECT_TRUE(RectsEqual(result, {0, 0, 0, 0}));
  result = {1, 1, 1, 1};
  EXPECT_FALSE(IntersectRectPair(result, {0, 0, 10, 10}, {30, 30, 40, 40}));
  EXPECT_TRUE(RectsEqual(result, {0, 0, 0, 0}));
}

namespace {
class TChangeCounter : public TObject {
  CL_CLASS(TChangeCounter, TObject)
public:
  void Changed(TObject* sender)
  {
    ++Count;
    LastSender = sender;
  }
  int Count = 0;
  TObject* LastSender = nullptr;
};

// Keeps its rectangle at least 10 wide, as a descendant may.
class TMinWidthRect : public TcxRect {
  CL_CLASS(TMinWidthRect, TcxRect)
public:
  using TcxRect::TcxRect;

protected:
  void AdjustRect(RECT& rect) override
  {
    if (rect.right - rect.left < 10) rect.right = rect.left + 10;
  }
};
}  // namespace

CL_DEFINE_CLASS(TChangeCounter);
CL_DEFINE_CLASS(TMinWidthRect);

TEST(Geometry, RectReportsOnlyRealChanges)
{
  auto counter = MakeOwned<TChangeCounter>();
  auto rect = MakeOwned<TcxRect>(nullptr);
  rect->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  rect->SetLeft(0);  // its current value
  EXPECT_EQ(counter->Count, 0);
  rect->SetLeft(5);
  EXPECT_EQ(counter->Count, 1);
  EXPECT_EQ(counter->LastSender, rect.get());
  rect->SetBottom(9);
  EXPECT_TRUE(rect->EqualsRect({5, 0, 0, 9}));

  auto other = MakeOwned<TcxRect>(rect.get());
  EXPECT_EQ(other->GetOwner(), rect.get());
  other->Assign(rect.get());
  EXPECT_TRUE(other->SameRectAs(rect.get()));
  auto foreign = MakeOwned<TcxSize>(nullptr);
  other->Assign(foreign.get());  // ignored, no error
  EXPECT_TRUE(other->SameRectAs(rect.get()));
  EXPECT_EQ(GetOrdProp(other.get(), "Right"), 0);
  EXPECT_TRUE(GetPropInfo(other.get(), "Right").IsStored(other.get()));  // always stored
}

TEST(Geometry, RectAdjustmentComesBeforeTheComparison)
{
  auto counter = MakeOwned<TChangeCounter>();
  auto rect = MakeOwned<TMinWidthRect>(nullptr);
  rect->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  rect->ApplyRect({0, 0, 3, 5});
  EXPECT_TRUE(rect->EqualsRect({0, 0, 10, 5}));
  rect->SetRight(4);  // corrected back to the stored rectangle: no change
  EXPECT_EQ(counter->Count, 1);
}

TEST(Geometry, SizeClampsNegativeValuesAndStoresOnlyNonZero)
{
  auto counter = MakeOwned<TChangeCounter>();
  auto size = MakeOwned<TcxSize>(nullptr);
  size->SetOnChange(TNotifyEvent(counter.get(), &TChangeCounter::Changed));
  size->SetWidth(-5);
  EXPECT_EQ(size->Width(), 0);
  EXPECT_EQ(counter->Count, 0);
  EXPECT_TRUE(size->IsZero());
  EXPECT_FALSE(GetPropInfo(size.get(), "Width").IsStored(size.get()));

  size->SetHeight(7);
  EXPECT_EQ(counter->Count, 1);
  EXPECT_TRUE(size->EqualsPoint({0, 7}));
  EXPECT_TRUE(GetPropInfo(size.get(), "Height").IsStored(size.get()));
  EXPECT_FALSE(GetPropInfo(size.get(), "Width").IsStored(size.get()));

  auto copy = MakeOwned<TcxSize>(nullptr);
  copy->Assign(size.get());
  EXPECT_TRUE(copy->SameSizeAs(size.get()));
  EXPECT_TRUE(PointsEqual(copy->ReadAsPoint(), {0, 7}));
  auto foreign = MakeOwned<TcxRect>(nullptr);
  EXPECT_THROW(copy->Assign(foreign.get()), EConvertError);
}

TEST(Geometry, RectIsAStreamableClassWhileTheUnitRuns)
{
  EXPECT_EQ(GetClass("TcxRect"), TcxRect::StaticClass());
}
