// Regions and the canvas wrapper on memory device contexts: region operations, the clip stack across a
// moved origin, the context and tool stacks restored in reverse order, fills and frames with the colour
// sentinels, tiling, the paint canvas's nesting and the shared canvases.
#include <gtest/gtest.h>
#include <memory>
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphics.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

RECT DeviceClip(TcxCanvas& canvas) { return canvas.CopyClipRegion(false)->BoundsRect(); }
}  // namespace

// --- TcxRegion ---

TEST(cxRegion, ConstructionAndEmptiness)
{
  const int before = LiveGdiObjects(TGdiKind::Region);
  {
    auto empty = MakeOwned<TcxRegion>();
    EXPECT_TRUE(empty->IsEmptyRegion());
    auto rect = MakeOwned<TcxRegion>(RECT{1, 2, 11, 12});
    EXPECT_FALSE(rect->IsEmptyRegion());
    EXPECT_EQ(rect->BoundsRect(), (RECT{1, 2, 11, 12}));
    auto coords = MakeOwned<TcxRegion>(3, 4, 5, 6);
    EXPECT_EQ(coords->BoundsRect(), (RECT{3, 4, 5, 6}));
    auto adopted = MakeOwned<TcxRegion>(CreateRectRgn(0, 0, 2, 2));  // taken over and counted from now on
    EXPECT_EQ(LiveGdiObjects(TGdiKind::Region), before + 4);
    rect->FreeHandle();
    EXPECT_EQ(rect->Handle(), nullptr);
    EXPECT_TRUE(rect->IsEmptyRegion());
    EXPECT_EQ(LiveGdiObjects(TGdiKind::Region), before + 3);
  }
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Region), before);
}

TEST(cxRegion, CombineWithEachOperation)
{
  struct TCase {
    TcxRegionOperation Operation;
    RECT Bounds;
    int Area;
  };
  const TCase cases[] = {
    {roSet, {5, 0, 15, 10}, 100},
    {roAdd, {0, 0, 15, 10}, 150},
    {roSubtract, {0, 0, 5, 10}, 50},
    {roIntersect, {5, 0, 10, 10}, 50},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Operation);
    auto region = MakeOwned<TcxRegion>(0, 0, 10, 10);
    auto other = MakeOwned<TcxRegion>(5, 0, 15, 10);
    region->CombineWith(other.get(), c.Operation);
    EXPECT_EQ(region->BoundsRect(), c.Bounds);
    int area = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) area += PtInRegion(region->Handle(), x, y) ? 1 : 0;
    EXPECT_EQ(area, c.Area);
    EXPECT_EQ(other->BoundsRect(), (RECT{5, 0, 15, 10})) << "the other region is left alone";
  }
}

TEST(cxRegion, CombiningWithAnOwnedRegionFreesItAlsoAfterReplace)
{
  const int before = LiveGdiObjects(TGdiKind::Region);
  auto region = MakeOwned<TcxRegion>(0, 0, 10, 10);
  auto other = MakeOwned<TcxRegion>(20, 20, 30, 30);
  auto copy = MakeOwned<TcxRegion>(20, 20, 30, 30);
  region->CombineWith(std::move(other), roSet);
  EXPECT_EQ(other, nullptr);
  EXPECT_TRUE(region->SameAs(copy.get()));
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Region), before + 2);
}

TEST(cxRegion, SameAsAndOffset)
{
  auto a = MakeOwned<TcxRegion>();
  auto b = MakeOwned<TcxRegion>(); // two empty regions with different handles
  EXPECT_NE(a->Handle(), b->Handle());
  EXPECT_TRUE(a->SameAs(b.get()));
  EXPECT_FALSE(a->SameAs(nullptr));
  auto emptyOther = MakeOwned<TcxRegion>(5, 5, 5, 9);  // no area, other bounds
  EXPECT_TRUE(a->SameAs(emptyOther.get()));

  auto c = MakeOwned<TcxRegion>(0, 0, 10, 10);
  auto d = MakeOwned<TcxRegion>(0, 0, 10, 10);
  auto e = MakeOwned<TcxRegion>(0, 0, 10, 11);
  EXPECT_TRUE(c->SameAs(d.get()));
  EXPECT_FALSE(c->SameAs(e.get()));
  EXPECT_TRUE(c->SameAsHandle(d->Handle()));
  c->OffsetBy(3, -2);
  EXPECT_EQ(c->BoundsRect(), (RECT{3, -2, 13, 8}));
  c->OffsetByPoint(POINT{-3, 2});
  EXPECT_TRUE(c->SameAs(d.get()));
}

// --- Clip regions ---

TEST(cxCanvasClip, NoClipRegionIsReportedAsTheLargeRectangle)
{
  TTestSurface surface(20, 20);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  EXPECT_EQ(DeviceClip(*canvas), (RECT{0, 0, 30000, 30000}));
  canvas->SetViewportOrigin(POINT{10, 10});
  EXPECT_EQ(canvas->CopyClipRegion(true)->BoundsRect(), (RECT{-10, -10, 29990, 29990}));
  canvas->SetWindowOrigin(POINT{3, 4});
  EXPECT_EQ(canvas->ReadDCOrigin().x, 7);
  EXPECT_EQ(canvas->ReadDCOrigin().y, 6);
  EXPECT_EQ(canvas->CopyClipRegion(true)->BoundsRect(), (RECT{-7, -6, 29993, 29994}));
}

TEST(cxCanvasClip, ASavedClipComesBackAtTheSameLogicalPlaceAfterTheOriginMoved)
{
  TTestSurface surface(40, 40);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->IntersectClipWithRect(RECT{5, 5, 15, 15});
  canvas->PushClipRegion();
  canvas->SetViewportOrigin(POINT{10, 10});
  canvas->IntersectClipWithRect(RECT{0, 0, 1, 1});  // changed meanwhile
  canvas->PopClipRegion();
  EXPECT_EQ(DeviceClip(*canvas), (RECT{15, 15, 25, 25}));
  canvas->FillRectWithColor(RECT{-50, -50, 50, 50}, clRed);
  EXPECT_TRUE(surface.ExactlyFills(RECT{15, 15, 25, 25}, Red));

  canvas->PopClipRegion();  // nothing left to pop: nothing happens
  EXPECT_EQ(DeviceClip(*canvas), (RECT{15, 15, 25, 25}));
}

TEST(cxCanvasClip, NestedClipPushesUnwindInReverseOrder)
{
  TTestSurface surface(40, 40);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->PushClipRegion();                          // none
  canvas->IntersectClipWithRect(RECT{0, 0, 30, 30});
  canvas->PushClipRegion();                          // 0..30
  canvas->IntersectClipWithRect(RECT{10, 10, 20, 20});
  EXPECT_EQ(DeviceClip(*canvas), (RECT{10, 10, 20, 20}));
  canvas->PopClipRegion();
  EXPECT_EQ(DeviceClip(*canvas), (RECT{0, 0, 30, 30}));
  canvas->PopClipRegion();
  EXPECT_EQ(DeviceClip(*canvas), (RECT{0, 0, 30000, 30000}));
}

TEST(cxCanvasClip, ApplyClipRegionCombinesInLogicalCoordinates)
{
  TTestSurface surface(40, 40);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->SetWindowOrigin(POINT{-5, -5});  // logical (0, 0) is device (5, 5)
  auto region = MakeOwned<TcxRegion>(0, 0, 20, 20);
  canvas->ApplyClipRegion(region.get(), roSet);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{5, 5, 25, 25}));
  EXPECT_EQ(region->BoundsRect(), (RECT{0, 0, 20, 20})) << "a region that is not given away stays where it was";

  canvas->ApplyClipRegion(MakeOwned<TcxRegion>(10, 0, 30, 20), roIntersect);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{15, 5, 25, 25}));
  canvas->ApplyClipRegion(MakeOwned<TcxRegion>(10, 0, 20, 10), roSubtract);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{15, 15, 25, 25}));
  canvas->ApplyClipRegion(MakeOwned<TcxRegion>(0, 0, 5, 5), roAdd);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{5, 5, 25, 25}));

  canvas->FillRectWithColor(RECT{-10, -10, 40, 40}, clBlue);
  EXPECT_EQ(surface.Count(RECT{0, 0, 40, 40}, Blue), 25 + 100) << "5 x 5 added to 10 x 20 less 10 x 10";
  EXPECT_EQ(surface.Pixel(16, 6), White);
  EXPECT_EQ(surface.Pixel(16, 16), Blue);
  EXPECT_EQ(surface.Pixel(6, 6), Blue);

  // Without conversion the region is taken in device coordinates.
  canvas->ApplyClipRegion(MakeOwned<TcxRegion>(0, 0, 3, 3), roSet, false);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{0, 0, 3, 3}));
  canvas->ExcludeRectFromClip(RECT{-5, -5, -4, -2});  // logical = device (0, 0, 1, 3)
  EXPECT_EQ(DeviceClip(*canvas), (RECT{1, 0, 3, 3}));
}

// --- Context states and tool states ---

TEST(cxCanvasStates, ContextStatesComeBackInReverseOrder)
{
  TTestSurface surface(20, 20);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  HDC dc = surface.DC();
  SetPolyFillMode(dc, ALTERNATE);
  canvas->PushDCState();
  EXPECT_EQ(surface.Canvas()->LockCount(), 1);
  SetPolyFillMode(dc, WINDING);
  canvas->SetViewportOrigin(POINT{4, 4});
  canvas->PushDCState();
  SetPolyFillMode(dc, ALTERNATE);
  canvas->SetViewportOrigin(POINT{8, 8});
  canvas->IntersectClipWithRect(RECT{0, 0, 2, 2});

  canvas->PopDCState();
  EXPECT_EQ(GetPolyFillMode(dc), WINDING);
  EXPECT_EQ(canvas->ReadViewportOrigin().x, 4);
  EXPECT_EQ(DeviceClip(*canvas), (RECT{0, 0, 30000, 30000}));
  EXPECT_EQ(surface.Canvas()->LockCount(), 1);
  canvas->PopDCState();
  EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
  EXPECT_EQ(canvas->ReadViewportOrigin().x, 0);
  EXPECT_EQ(surface.Canvas()->LockCount(), 0);
  canvas->PopDCState();  // empty: nothing
  EXPECT_EQ(surface.Canvas()->LockCount(), 0);
}

TEST(cxCanvasStates, ToolStatesComeBackInReverseOrderAndDrawWithTheRestoredTools)
{
  TTestSurface surface(30, 10);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  TCanvas* c = surface.Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetColor(clBlue);
  c->Font()->SetColor(clGreen);
  c->Font()->SetStyle({TFontStyle::fsBold});
  canvas->PushState();
  c->Brush()->SetColor(clLime);
  c->Pen()->SetColor(clYellow);
  c->Font()->SetStyle({});
  c->Font()->SetColor(clNavy);
  c->FillRect(RECT{0, 0, 10, 10});  // the tools are selected inside the state
  canvas->PushState();
  c->Brush()->SetColor(clBlue);
  c->Pen()->SetMode(TPenMode::pmXor);
  c->FillRect(RECT{10, 0, 20, 10});

  canvas->PopState();
  EXPECT_EQ(c->Brush()->Color(), clLime);
  EXPECT_EQ(c->Pen()->Color(), clYellow);
  EXPECT_EQ(c->Pen()->Mode(), TPenMode::pmCopy);
  EXPECT_EQ(c->Font()->Color(), clNavy);
  canvas->PopState();
  EXPECT_EQ(c->Brush()->Color(), clRed);
  EXPECT_EQ(c->Pen()->Color(), clBlue);
  EXPECT_EQ(c->Font()->Color(), clGreen);
  EXPECT_TRUE(c->Font()->Style().Contains(TFontStyle::fsBold));
  // The restored brush is the one the context uses now.
  c->FillRect(RECT{20, 0, 30, 10});
  EXPECT_EQ(surface.Pixel(5, 5), Green);
  EXPECT_EQ(surface.Pixel(15, 5), Blue);
  EXPECT_EQ(surface.Pixel(25, 5), Red);
  EXPECT_EQ(c->LockCount(), 0);
  canvas->PopState();  // empty: nothing
  EXPECT_EQ(c->Brush()->Color(), clRed);
}

TEST(cxCanvasStates, AdoptsTheObjectsSelectedInTheContext)
{
  TTestSurface surface(10, 10);
  HDC dc = surface.DC();
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_DASH, 1, RGB(4, 5, 6));
  HFONT font = CreateFontA(-17, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  HGDIOBJ oldBrush = SelectObject(dc, hatch), oldPen = SelectObject(dc, pen), oldFont = SelectObject(dc, font);
  SetTextColor(dc, RGB(7, 8, 9));
  SetROP2(dc, R2_XORPEN);
  {
    auto canvas = MakeOwned<TCanvas>();
    canvas->SetHandle(dc);
    AdoptDCObjectsIntoCanvas(canvas.get(), dc);
    EXPECT_EQ(canvas->Brush()->Style(), TBrushStyle::bsCross);
    EXPECT_EQ(canvas->Brush()->Color(), static_cast<TColor>(RGB(1, 2, 3)));
    EXPECT_EQ(canvas->Pen()->Color(), static_cast<TColor>(RGB(4, 5, 6)));
    EXPECT_EQ(canvas->Pen()->Style(), TPenStyle::psDash);
    EXPECT_EQ(canvas->Pen()->Mode(), TPenMode::pmXor);
    EXPECT_EQ(canvas->Font()->Height(), -17);
    EXPECT_EQ(canvas->Font()->Name(), "Arial");
    EXPECT_TRUE(canvas->Font()->Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(canvas->Font()->Color(), static_cast<TColor>(RGB(7, 8, 9)));
    canvas->SetHandle(nullptr);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  DeleteObject(hatch);
  DeleteObject(pen);
  DeleteObject(font);
}

// --- Fills and frames ---

TEST(cxCanvasFills, FillRectWithColorFollowsTheSentinels)
{
  TTestSurface surface(10, 10);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->SetBrushColor(clBlue);
  canvas->FillRectWithColor(RECT{0, 0, 10, 10}, clNone);
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, White), 100) << "clNone draws nothing";
  EXPECT_EQ(canvas->GetCurrentBrush()->Color(), clBlue) << "and leaves the brush alone";
  canvas->FillRectWithColor(RECT{0, 0, 5, 10}, clDefault);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 5, 10}, Blue));
  canvas->FillRectWithColor(RECT{5, 0, 10, 10}, clRed);
  EXPECT_EQ(surface.Count(RECT{5, 0, 10, 10}, Red), 50);
  EXPECT_EQ(canvas->GetCurrentBrush()->Color(), clRed);
}

TEST(cxCanvasFills, DrawFrameRectBandsSidesAndSentinels)
{
  struct TCase {
    const char* Name;
    RECT Rect;
    int Width;
    TcxBorders Sides;
    int Expected;  // red pixels
    RECT Extent;
  };
  const TCase cases[] = {
    {"one-pixel frame", {2, 2, 12, 8}, 1, cxBordersAll, 2 * 10 + 2 * 4, {2, 2, 12, 8}},
    {"wider than the rect", {2, 2, 6, 5}, 10, cxBordersAll, 12, {2, 2, 6, 5}},
    {"left and bottom", {0, 0, 10, 10}, 2, {TcxBorder::bLeft, TcxBorder::bBottom}, 20 + 16, {0, 0, 10, 10}},
    {"top only", {1, 1, 9, 9}, 3, {TcxBorder::bTop}, 24, {1, 1, 9, 4}},
    {"empty rect", {5, 5, 5, 9}, 1, cxBordersAll, 0, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestSurface surface(20, 20);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    canvas->DrawFrameRect(c.Rect, clRed, c.Width, c.Sides);
    EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, Red), c.Expected);
    EXPECT_EQ(surface.Extent(Red), c.Extent);
  }

  TTestSurface surface(20, 20);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->SetBrushColor(clBlue);
  canvas->DrawFrameRect(RECT{0, 0, 10, 10}, clNone);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, White), 400) << "clNone draws nothing";
  canvas->DrawFrameRect(RECT{0, 0, 10, 10}, clDefault);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, Blue), 36) << "clDefault draws in the brush colour";
}

TEST(cxCanvasFills, AnExcludedFrameSurvivesTheFollowingFill)
{
  TTestSurface surface(12, 12);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->DrawFrameRect(RECT{1, 1, 11, 11}, clRed, 2, cxBordersAll, true);
  canvas->FillRectWithColor(RECT{0, 0, 12, 12}, clBlue);
  EXPECT_EQ(surface.Count(RECT{0, 0, 12, 12}, Red), 100 - 36);
  EXPECT_EQ(surface.Count(RECT{0, 0, 12, 12}, Blue), 36 + 44);
}

TEST(cxCanvasFills, TwoColorFramePaintsLaterBandsOverCorners)
{
  TTestSurface surface(10, 10);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->DrawTwoColorFrame(RECT{0, 0, 10, 10}, clRed, clBlue, 2);
  EXPECT_EQ(surface.Pixel(0, 0), Red);
  EXPECT_EQ(surface.Pixel(9, 0), Blue) << "right band over the top band";
  EXPECT_EQ(surface.Pixel(0, 9), Blue) << "bottom band over the left band";
  EXPECT_EQ(surface.Pixel(1, 5), Red);
  EXPECT_EQ(surface.Pixel(8, 5), Blue);
  EXPECT_EQ(surface.Pixel(5, 5), White);
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, Red) + surface.Count(RECT{0, 0, 10, 10}, Blue), 64);

  // clNone leaves its bands out.
  surface.Fill(White);
  canvas->DrawTwoColorFrame(RECT{0, 0, 10, 10}, clNone, clLime, 1, {TcxBorder::bLeft, TcxBorder::bRight});
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, Green), 10);
  EXPECT_EQ(surface.Pixel(0, 5), White);
}

TEST(cxCanvasFills, BevelEdgesUseTheSystemThreeDColours)
{
  struct TCase {
    bool Sunken, Outer;
    TColor LeftTop, RightBottom;
  };
  const TCase cases[] = {
    {true, true, clBtnShadow, clBtnHighlight},
    {true, false, cl3DDkShadow, cl3DLight},
    {false, true, cl3DLight, cl3DDkShadow},
    {false, false, clBtnHighlight, clBtnShadow},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Sunken) + std::to_string(c.Outer));
    TTestSurface surface(10, 10, RGB(1, 2, 3));
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    canvas->DrawBevelEdge(RECT{0, 0, 10, 10}, c.Sunken, c.Outer);
    EXPECT_EQ(surface.Pixel(0, 4), ColorToRGB(c.LeftTop));
    EXPECT_EQ(surface.Pixel(4, 0), ColorToRGB(c.LeftTop));
    EXPECT_EQ(surface.Pixel(9, 4), ColorToRGB(c.RightBottom));
    EXPECT_EQ(surface.Pixel(4, 9), ColorToRGB(c.RightBottom));
    EXPECT_EQ(surface.Pixel(4, 4), RGB(1, 2, 3));
  }
}

namespace {
// A 2 x 2 bitmap: red, green on the top row; blue, black below.
TOwned<TBitmap> Tile()
{
  auto tile = MakeOwned<TBitmap>();
  tile->SetPixelFormat(TPixelFormat::pf24bit);
  tile->SetSize(2, 2);
  tile->Canvas()->SetPixels(0, 0, clRed);
  tile->Canvas()->SetPixels(1, 0, clLime);
  tile->Canvas()->SetPixels(0, 1, clBlue);
  tile->Canvas()->SetPixels(1, 1, clBlack);
  return tile;
}

COLORREF TileColor(int x, int y)
{
  const COLORREF colors[2][2] = {{Red, Green}, {Blue, Black}};
  return colors[((y % 2) + 2) % 2][((x % 2) + 2) % 2];
}
}  // namespace

TEST(cxCanvasFills, TilesAreAlignedToLogicalZeroAlsoLeftOfIt)
{
  auto tile = Tile();
  for (POINT windowOrigin : {POINT{0, 0}, POINT{-3, -5}, POINT{5, 3}}) {
    SCOPED_TRACE(std::to_string(windowOrigin.x) + "," + std::to_string(windowOrigin.y));
    TTestSurface surface(12, 12);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    canvas->SetWindowOrigin(windowOrigin);
    const RECT logical{windowOrigin.x + 1, windowOrigin.y + 2, windowOrigin.x + 10, windowOrigin.y + 9};
    canvas->FillRectTiled(logical, tile.get());
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= 1 && x < 10 && y >= 2 && y < 9;
        const COLORREF expected = inside ? TileColor(x + windowOrigin.x, y + windowOrigin.y) : White;
        ASSERT_EQ(surface.Pixel(x, y), expected) << x << "," << y;
      }
  }
}

TEST(cxCanvasFills, TiledFillWithoutBitmapUsesTheBrushAndMayExcludeTheRect)
{
  TTestSurface surface(10, 10);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->SetBrushColor(clRed);
  canvas->FillRectTiled(RECT{0, 0, 5, 5}, nullptr, true);
  canvas->FillRectWithColor(RECT{0, 0, 10, 10}, clBlue);
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, Red), 25);
  EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, Blue), 75);
}

TEST(cxCanvasFills, FrameAndFillRect)
{
  TTestSurface surface(12, 12);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  TcxViewParams params;
  params.Color = clBlue;
  canvas->FrameAndFillRect(RECT{1, 1, 11, 11}, params, false, 2, clRed, {TcxBorder::bLeft, TcxBorder::bTop});
  EXPECT_TRUE(surface.ExactlyFills(RECT{3, 3, 11, 11}, Blue));
  EXPECT_EQ(surface.Count(RECT{0, 0, 12, 12}, Red), 100 - 64);

  // A clNone background leaves the inside as it was; a bitmap is tiled there.
  surface.Fill(White);
  params.Color = clNone;
  canvas->FrameAndFillRect(RECT{0, 0, 12, 12}, params, false, 1, clRed);
  EXPECT_EQ(surface.Count(RECT{1, 1, 11, 11}, White), 100);
  auto tile = Tile();
  params.Bitmap = tile.get();
  canvas->FrameAndFillRect(RECT{0, 0, 12, 12}, params, false, 1, clRed);
  EXPECT_EQ(surface.Pixel(2, 2), TileColor(2, 2));
  EXPECT_EQ(surface.Pixel(3, 2), TileColor(3, 2));
}

TEST(cxCanvasFills, InvertFocusFrameAndListImages)
{
  TTestSurface surface(20, 20);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->InvertRectArea(RECT{2, 2, 6, 6});
  EXPECT_TRUE(surface.ExactlyFills(RECT{2, 2, 6, 6}, Black));
  EXPECT_EQ(canvas->GetCopyMode(), static_cast<TCopyMode>(SRCCOPY));

  surface.Fill(White);
  canvas->DrawFocusFrame(RECT{2, 2, 18, 18});
  const int changed = 256 - surface.Count(RECT{2, 2, 18, 18}, White);
  EXPECT_GT(changed, 0);
  EXPECT_EQ(surface.Count(RECT{3, 3, 17, 17}, White), 196) << "only the border is drawn";
  EXPECT_EQ(canvas->GetCurrentBrush()->Color(), clWhite);
  canvas->DrawFocusFrame(RECT{2, 2, 18, 18});  // drawing it again takes it away
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, White), 400);

  auto images = MakeOwned<TImageList>(nullptr);
  images->SetWidth(4);
  images->SetHeight(4);
  auto image = MakeOwned<TBitmap>();
  image->SetPixelFormat(TPixelFormat::pf24bit);
  image->SetSize(4, 4);
  image->Canvas()->Brush()->SetColor(clRed);
  image->Canvas()->FillRect(RECT{0, 0, 4, 4});
  images->Add(image.get(), nullptr);
  canvas->DrawListImage(images.get(), 10, 10, 1);  // outside the list
  canvas->DrawListImage(images.get(), 10, 10, -1);
  canvas->DrawListImage(nullptr, 10, 10, 0);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, White), 400);
  canvas->DrawListImage(images.get(), 10, 10, 0);
  EXPECT_TRUE(surface.ExactlyFills(RECT{10, 10, 14, 14}, Red));
  EXPECT_EQ(surface.Canvas()->LockCount(), 0);
}

// --- Paint canvas and shared canvases ---

TEST(cxPaintCanvas, EndWithoutBeginDoesNothing)
{
  auto canvas = MakeOwned<TcxPaintCanvas>();
  canvas->EndPaint();
  EXPECT_EQ(canvas->LevelCount(), 0);
  EXPECT_EQ(canvas->Canvas(), nullptr);
}

TEST(cxPaintCanvas, NestedLevelsOverContextsRestoreCanvasesAndStates)
{
  TTestSurface outer(10, 10), inner(10, 10);
  const int gdiBefore = LiveGdiObjects();
  auto canvas = MakeOwned<TcxPaintCanvas>();
  SetTextColor(outer.DC(), RGB(1, 1, 1));
  SetViewportOrgEx(outer.DC(), 2, 2, nullptr);

  canvas->BeginPaintOnDC(outer.DC());
  TCanvas* first = canvas->Canvas();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Handle(), outer.DC());
  EXPECT_EQ(first->Font()->Color(), static_cast<TColor>(RGB(1, 1, 1))) << "adopted from the context";
  canvas->SetViewportOrigin(POINT{5, 5});
  canvas->SetBrushColor(clRed);

  canvas->BeginPaintOnDC(inner.DC());
  EXPECT_NE(canvas->Canvas(), first);
  canvas->FillRectWithColor(RECT{0, 0, 2, 2}, clBlue);
  canvas->SetViewportOrigin(POINT{7, 7});
  EXPECT_EQ(canvas->LevelCount(), 2);

  canvas->EndPaint();
  EXPECT_EQ(canvas->Canvas(), first);
  EXPECT_EQ(canvas->ReadViewportOrigin().x, 5);
  EXPECT_TRUE(inner.ExactlyFills(RECT{0, 0, 2, 2}, Blue));
  POINT p{};
  GetViewportOrgEx(inner.DC(), &p);
  EXPECT_EQ(p.x, 0) << "the inner context's state is back";

  canvas->EndPaint();
  EXPECT_EQ(canvas->Canvas(), nullptr);
  EXPECT_EQ(canvas->LevelCount(), 0);
  GetViewportOrgEx(outer.DC(), &p);
  EXPECT_EQ(p.x, 2);
  EXPECT_EQ(GetTextColor(outer.DC()), RGB(1, 1, 1));
  EXPECT_EQ(LiveGdiObjects(), gdiBefore) << "no adopted tool is left behind";
}

TEST(cxPaintCanvas, LevelsOverCanvasesWrapThemAndGiveThemBack)
{
  TTestSurface surface(10, 10);
  auto canvas = MakeOwned<TcxPaintCanvas>();
  TCanvas* own = surface.Canvas();
  own->Brush()->SetColor(clRed);
  canvas->BeginPaintOnCanvas(own);
  EXPECT_EQ(canvas->Canvas(), own);
  canvas->SetBrushColor(clBlue);
  canvas->BeginPaintOnDC(surface.DC());
  canvas->EndPaint();
  EXPECT_EQ(canvas->Canvas(), own);
  canvas->EndPaint();
  EXPECT_EQ(canvas->Canvas(), nullptr);
  EXPECT_EQ(own->Brush()->Color(), clRed);
  EXPECT_EQ(own->LockCount(), 0);
}

TEST(cxSharedCanvases, OneInstanceEachAndTheScreenContextIsGivenBack)
{
  TcxScreenCanvas* screen = GetSharedScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetSharedScreenCanvas(), screen);
  EXPECT_NE(GetSharedPaintCanvas(), nullptr);
  EXPECT_EQ(GetSharedPaintCanvas(), GetSharedPaintCanvas());
  EXPECT_GT(screen->MeasureTextWidth("Wg"), 0);
  EXPECT_TRUE(screen->Canvas()->HandleAllocated());
  screen->ReleaseDeviceContext();
  EXPECT_FALSE(screen->Canvas()->HandleAllocated());
  EXPECT_GT(screen->MeasureTextWidth("Wg"), 0) << "the next use takes a new context";
  screen->ReleaseDeviceContext();
}

// --- Turning and mirroring bitmaps ---

namespace {
// A 3 x 2 bitmap whose pixel (x, y) has the value 10 * y + x + 1 in its blue byte.
TOwned<TBitmap> Numbered()
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(3, 2);
  TRGBColors pixels(6);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) pixels[y * 3 + x].rgbBlue = static_cast<BYTE>(10 * y + x + 1);
  PutBitmapPixels(bitmap.get(), pixels, true);
  return bitmap;
}

std::vector<int> Numbers(TBitmap* bitmap)
{
  TRGBColors pixels;
  GetBitmapPixels(bitmap, pixels, true);
  std::vector<int> result;
  for (const RGBQUAD& p : pixels) result.push_back(p.rgbBlue);
  return result;
}
}  // namespace

TEST(cxCanvasRotate, EachModeWithAndWithoutMirror)
{
  // Source rows: 1 2 3 / 11 12 13.
  struct TCase {
    TcxRotationAngle Mode;
    bool Mirror;
    int Width, Height;
    std::vector<int> Pixels;  // top-down
  };
  const TCase cases[] = {
    {ra0, false, 3, 2, {1, 2, 3, 11, 12, 13}},
    {ra0, true, 3, 2, {11, 12, 13, 1, 2, 3}},
    {raPlus90, false, 2, 3, {3, 13, 2, 12, 1, 11}},
    {raPlus90, true, 2, 3, {1, 11, 2, 12, 3, 13}},
    {raMinus90, false, 2, 3, {11, 1, 12, 2, 13, 3}},
    {raMinus90, true, 2, 3, {13, 3, 12, 2, 11, 1}},
    {ra180, false, 3, 2, {13, 12, 11, 3, 2, 1}},
    {ra180, true, 3, 2, {3, 2, 1, 13, 12, 11}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Mode) + (c.Mirror ? " mirrored" : ""));
    auto bitmap = Numbered();
    TcxCanvas::RotateOrFlipBitmap(bitmap.get(), c.Mode, c.Mirror);
    EXPECT_EQ(bitmap->Width(), c.Width);
    EXPECT_EQ(bitmap->Height(), c.Height);
    EXPECT_EQ(Numbers(bitmap.get()), c.Pixels);
  }
}

TEST(cxCanvasRotate, AQuarterTurnEachWayGivesBackTheBitmap)
{
  auto bitmap = Numbered();
  const std::vector<int> original = Numbers(bitmap.get());
  TcxCanvas::RotateOrFlipBitmap(bitmap.get(), raPlus90);
  TcxCanvas::RotateOrFlipBitmap(bitmap.get(), raMinus90);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(Numbers(bitmap.get()), original);
  TcxCanvas::RotateOrFlipBitmap(nullptr, raPlus90);  // nothing to turn
}

// --- Text output: where it goes and what it leaves behind (no glyph comparisons) ---

namespace {
// Pixels that are not white outside a rectangle.
int InkOutside(const TTestSurface& surface, const RECT& r)
{
  return surface.Width() * surface.Height() - (RectWidth(r) * RectHeight(r) - surface.Count(r, White)) -
         surface.Count(RECT{0, 0, surface.Width(), surface.Height()}, White);
}

int InkInside(const TTestSurface& surface, const RECT& r) { return RectWidth(r) * RectHeight(r) - surface.Count(r, White); }

void UseTextFont(TCanvas* canvas)
{
  canvas->Font()->SetName("Arial");
  canvas->Font()->SetHeight(-15);
  canvas->Font()->SetColor(clBlack);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
}
}  // namespace

TEST(cxCanvasText, EmptyTextDrawsNothingAndStateIsPutBack)
{
  TTestSurface surface(100, 40);
  UseTextFont(surface.Canvas());
  surface.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  surface.Canvas()->Brush()->SetColor(clWhite);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->DrawTextInRect("", RECT{0, 0, 100, 40}, cxSingleLine);
  EXPECT_EQ(surface.Count(RECT{0, 0, 100, 40}, White), 4000);
  canvas->DrawTextInRect("Disabled", RECT{0, 0, 100, 40}, cxSingleLine | cxAlignRight, false);
  EXPECT_GT(InkInside(surface, RECT{0, 0, 100, 40}), 0);
  EXPECT_EQ(canvas->GetCurrentBrush()->Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(canvas->GetCurrentFont()->Color(), clBlack);
}

TEST(cxCanvasText, TextThatDoesNotFitIsClippedToItsRect)
{
  struct TCase {
    const char* Name;
    int Flags;
    TcxRotationAngle Rotation;
  };
  const TCase cases[] = {
    {"single line", cxSingleLine | cxAlignLeft | cxAlignTop, ra0},
    {"right aligned", cxSingleLine | cxAlignRight | cxAlignVCenter, ra0},
    {"word wrapped", cxWordBreak | cxAlignBottom, ra0},
    {"end ellipsis", cxSingleLine | cxShowEndEllipsis, ra0},
    {"turned a quarter", cxSingleLine, raPlus90},
    {"turned the other way", cxSingleLine, raMinus90},
  };
  const RECT rect{20, 10, 60, 30};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestSurface surface(100, 60);
    UseTextFont(surface.Canvas());
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    canvas->DrawTextInRectEx("Wide wide wide wide text", rect, c.Flags, c.Rotation);
    EXPECT_GT(InkInside(surface, rect), 0);
    EXPECT_EQ(InkOutside(surface, rect), 0);
  }
}

TEST(cxCanvasText, TurnedTextRunsAlongTheRectsHeight)
{
  TTestSurface surface(60, 200);
  UseTextFont(surface.Canvas());
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  const RECT rect{10, 10, 40, 190};
  canvas->DrawTextInRectEx("Turned text", rect, cxSingleLine | cxAlignHCenter | cxAlignVCenter, raPlus90);
  const RECT ink = surface.Extent(Black);
  ASSERT_GT(RectHeight(ink), 0);
  EXPECT_GT(RectHeight(ink), 2 * RectWidth(ink)) << ink;
}

TEST(cxCanvasText, FontAngleSurvivesTheStateStack)
{
  TTestSurface surface(10, 10);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  canvas->PushState();
  canvas->SetFontAngle(90);
  LOGFONTA lf{};
  ASSERT_TRUE(ReadLogFont(canvas->GetCurrentFont()->Handle(), lf));
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  canvas->PopState();
  ASSERT_TRUE(ReadLogFont(canvas->GetCurrentFont()->Handle(), lf));
  EXPECT_EQ(lf.lfEscapement, 0);
  canvas->SetFontAngle(0);
  ASSERT_TRUE(ReadLogFont(canvas->GetCurrentFont()->Handle(), lf));
  EXPECT_NE(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
}

TEST(cxCanvasLeaks, DrawingLeavesNoGdiObjectsBehind)
{
  auto work = [] {
    TTestSurface surface(40, 40);
    UseTextFont(surface.Canvas());
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    canvas->PushState();
    canvas->PushClipRegion();
    canvas->SetFontAngle(45);
    canvas->IntersectClipWithRect(RECT{2, 2, 30, 30});
    canvas->DrawFrameRect(RECT{0, 0, 20, 20}, clRed, 2, cxBordersAll, true);
    auto tile = Tile();
    canvas->FillRectTiled(RECT{0, 0, 40, 40}, tile.get());
    canvas->DrawTextInRectEx("Text", RECT{0, 0, 40, 40}, cxSingleLine, raMinus90, false);
    canvas->PopClipRegion();
    canvas->PopState();
    auto paint = MakeOwned<TcxPaintCanvas>();
    paint->BeginPaintOnDC(surface.DC());
    paint->BeginPaintOnCanvas(surface.Canvas());
    paint->FillRectWithColor(RECT{0, 0, 5, 5}, clBlue);
    paint->EndPaint();
    paint->EndPaint();
    auto bitmap = MakeOwned<TcxAlphaBitmap>(8, 8);
    bitmap->HatchPixels(clRed, clBlue, 2, 100, 200);
    bitmap->RotateOrFlip(raPlus90, true);
    surface.Canvas()->SetHandle(nullptr);
  };
  work();  // the first run makes the process-wide objects
  FreeMemoryContexts();
  const int before = LiveGdiObjects();
  for (int i = 0; i < 3; ++i) work();
  FreeMemoryContexts();
  EXPECT_EQ(LiveGdiObjects(), before);
}
