// TCanvas on a memory device context: what each operation draws, pixel by pixel, and how the
// canvas manages the objects it selects into a context it is given.
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>
#include "classlib/Graphics.h"
#include "tests/classlib/GraphicsFixtures.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

class CanvasTest : public testing::Test {
protected:
  CanvasTest() { Canvas.SetHandle(Surface.DC()); }
  ~CanvasTest() override { Canvas.SetHandle(nullptr); }

  TDibSurface Surface{24, 24};
  TOwned<TCanvas> OwnedCanvas = MakeOwned<TCanvas>();
  TCanvas& Canvas = *OwnedCanvas;
};
}  // namespace

TEST_F(CanvasTest, FillRectFillsWithTheBrushUpToButNotIncludingRightAndBottom)
{
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(RECT{2, 3, 6, 8});
  EXPECT_EQ(Surface.Count(RECT{2, 3, 6, 8}, Red), 4 * 5);
  EXPECT_EQ(Surface.Count(RECT{0, 0, 24, 24}, Red), 4 * 5);  // nothing outside
  EXPECT_EQ(Surface.Pixel(6, 3), White);
  EXPECT_EQ(Surface.Pixel(2, 8), White);

  // A clear brush fills nothing.
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.FillRect(RECT{10, 10, 14, 14});
  EXPECT_EQ(Surface.Count(RECT{10, 10, 14, 14}, White), 16);
}

TEST_F(CanvasTest, FrameRectDrawsAOnePixelBorderInTheBrush)
{
  Canvas.Brush()->SetColor(clBlue);
  Canvas.FrameRect(RECT{2, 2, 8, 7});
  for (int x = 2; x < 8; ++x) {
    EXPECT_EQ(Surface.Pixel(x, 2), Blue) << x;
    EXPECT_EQ(Surface.Pixel(x, 6), Blue) << x;
  }
  for (int y = 2; y < 7; ++y) {
    EXPECT_EQ(Surface.Pixel(2, y), Blue) << y;
    EXPECT_EQ(Surface.Pixel(7, y), Blue) << y;
  }
  EXPECT_EQ(Surface.Count(RECT{3, 3, 7, 6}, White), 4 * 3);    // inside untouched
  EXPECT_EQ(Surface.Count(RECT{0, 0, 24, 24}, Blue), 2 * 6 + 2 * 3);  // nothing outside
}

TEST_F(CanvasTest, RectangleIsOutlinedWithThePenAndFilledWithTheBrush)
{
  Canvas.Pen()->SetColor(clBlack);
  Canvas.Brush()->SetColor(clRed);
  Canvas.Rectangle(1, 1, 9, 6);
  EXPECT_EQ(Surface.Pixel(1, 1), Black);
  EXPECT_EQ(Surface.Pixel(8, 5), Black);
  EXPECT_EQ(Surface.Pixel(9, 5), White);
  EXPECT_EQ(Surface.Count(RECT{2, 2, 8, 5}, Red), 6 * 3);

  // A clear pen leaves only the fill.
  Canvas.Pen()->SetStyle(TPenStyle::psClear);
  Canvas.Brush()->SetColor(clBlue);
  Canvas.Rectangle(12, 12, 20, 20);
  EXPECT_EQ(Surface.Pixel(12, 12), Blue);
  EXPECT_EQ(Surface.Pixel(20, 20), White);
}

TEST_F(CanvasTest, PixelsRoundTripIncludingSystemColours)
{
  const TColor colors[] = {clRed, clLime, 0x123456, clBlack, clWhite, clBtnFace, clWindowText, clHighlight};
  int x = 0;
  for (TColor c : colors) {
    Canvas.SetPixels(x, 4, c);
    EXPECT_EQ(static_cast<COLORREF>(Canvas.Pixels(x, 4)), ColorToRGB(c)) << Hex(c);
    EXPECT_EQ(Surface.Pixel(x, 4), ColorToRGB(c)) << Hex(c);
    ++x;
  }
  EXPECT_EQ(Canvas.Pixels(-1, -1), -1) << "outside the surface";
}

TEST_F(CanvasTest, PenModesCombinePenAndDestinationAsTheirRasterOperation)
{
  struct Case {
    TPenMode Mode;
    std::function<uint32_t(uint32_t p, uint32_t d)> Result;
  };
  const Case cases[] = {
    {TPenMode::pmBlack, [](uint32_t, uint32_t) { return 0u; }},
    {TPenMode::pmWhite, [](uint32_t, uint32_t) { return 0xFFFFFFu; }},
    {TPenMode::pmNop, [](uint32_t, uint32_t d) { return d; }},
    {TPenMode::pmNot, [](uint32_t, uint32_t d) { return ~d; }},
    {TPenMode::pmCopy, [](uint32_t p, uint32_t) { return p; }},
    {TPenMode::pmNotCopy, [](uint32_t p, uint32_t) { return ~p; }},
    {TPenMode::pmMergePenNot, [](uint32_t p, uint32_t d) { return p | ~d; }},
    {TPenMode::pmMaskPenNot, [](uint32_t p, uint32_t d) { return p & ~d; }},
    {TPenMode::pmMergeNotPen, [](uint32_t p, uint32_t d) { return ~p | d; }},
    {TPenMode::pmMaskNotPen, [](uint32_t p, uint32_t d) { return ~p & d; }},
    {TPenMode::pmMerge, [](uint32_t p, uint32_t d) { return p | d; }},
    {TPenMode::pmNotMerge, [](uint32_t p, uint32_t d) { return ~(p | d); }},
    {TPenMode::pmMask, [](uint32_t p, uint32_t d) { return p & d; }},
    {TPenMode::pmNotMask, [](uint32_t p, uint32_t d) { return ~(p & d); }},
    {TPenMode::pmXor, [](uint32_t p, uint32_t d) { return p ^ d; }},
    {TPenMode::pmNotXor, [](uint32_t p, uint32_t d) { return ~(p ^ d); }},
  };
  const COLORREF pen = RGB(0x0F, 0x3C, 0xA5), dest = RGB(0x55, 0x99, 0x33);
  Canvas.Pen()->SetColor(static_cast<TColor>(pen));
  int y = 0;
  for (const Case& c : cases) {
    Surface.Fill(dest);
    Canvas.Pen()->SetMode(c.Mode);
    Canvas.MoveTo(1, y);
    Canvas.LineTo(5, y);
    EXPECT_EQ(Surface.Pixel(2, y), c.Result(pen, dest) & 0xFFFFFF) << static_cast<int>(c.Mode);
    EXPECT_EQ(Surface.Pixel(6, y), dest);
    EXPECT_EQ(Rop2ToPenMode(GetROP2(Surface.DC())), c.Mode);
    ++y;
  }
}

TEST_F(CanvasTest, XorPenDrawnTwiceRestoresTheImage)
{
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(RECT{0, 0, 12, 12});
  Canvas.Pen()->SetMode(TPenMode::pmXor);
  Canvas.Pen()->SetColor(clWhite);
  for (int pass = 0; pass < 2; ++pass) {
    Canvas.MoveTo(0, 5);
    Canvas.LineTo(12, 5);
    EXPECT_EQ(Surface.Pixel(3, 5), pass == 0 ? RGB(0, 255, 255) : Red);
  }
}

TEST_F(CanvasTest, CopyRectUsesTheCopyMode)
{
  TDibSurface source(8, 8, RGB(0x0F, 0xF0, 0x33));
  auto sourceCanvas = MakeOwned<TCanvas>();
  sourceCanvas->SetHandle(source.DC());
  Surface.Fill(RGB(0xFF, 0x00, 0x11));

  Canvas.CopyRect(RECT{0, 0, 4, 4}, sourceCanvas.get(), RECT{0, 0, 4, 4});
  EXPECT_EQ(Surface.Pixel(1, 1), RGB(0x0F, 0xF0, 0x33));
  EXPECT_EQ(Surface.Pixel(4, 4), RGB(0xFF, 0x00, 0x11));

  Canvas.SetCopyMode(cmSrcInvert);
  Canvas.CopyRect(RECT{10, 0, 14, 4}, sourceCanvas.get(), RECT{0, 0, 4, 4});
  EXPECT_EQ(Surface.Pixel(11, 1), RGB(0x0F ^ 0xFF, 0xF0, 0x33 ^ 0x11));

  Canvas.SetCopyMode(cmNotSrcCopy);
  Canvas.CopyRect(RECT{0, 10, 4, 14}, sourceCanvas.get(), RECT{0, 0, 4, 4});
  EXPECT_EQ(Surface.Pixel(1, 11), RGB(0xF0, 0x0F, 0xCC));

  // Stretching: a 2x2 source area fills 8x8.
  Canvas.SetCopyMode(cmSrcCopy);
  source.SetPixel(0, 0, Blue);
  Canvas.CopyRect(RECT{12, 12, 20, 20}, sourceCanvas.get(), RECT{0, 0, 2, 2});
  EXPECT_EQ(Surface.Count(RECT{12, 12, 16, 16}, Blue), 16);
  EXPECT_EQ(Surface.Pixel(17, 17), RGB(0x0F, 0xF0, 0x33));
  sourceCanvas->SetHandle(nullptr);
}

TEST_F(CanvasTest, SetHandleSelectsTheToolsAndPutsTheContextsOwnObjectsBack)
{
  TDibSurface other(4, 4);
  HDC dc = other.DC();
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), brush = GetCurrentObject(dc, OBJ_BRUSH),
          pen = GetCurrentObject(dc, OBJ_PEN);
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(dc);
  EXPECT_EQ(canvas->Handle(), dc);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas->Font()->Handle());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas->Brush()->Handle());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas->Pen()->Handle());

  // Another context: the first gets its own objects back.
  canvas->SetHandle(Surface.DC());
  canvas->FillRect(RECT{0, 0, 1, 1});
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  canvas->SetHandle(nullptr);
  EXPECT_FALSE(canvas->HandleAllocated());
}

TEST_F(CanvasTest, AChangedToolIsTakenOutOfTheContextBeforeItsObjectIsDeleted)
{
  HDC dc = Surface.DC();
  HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
  Canvas.TextOut(0, 0, "x");
  HFONT before = Canvas.Font()->Handle();
  ASSERT_EQ(GetCurrentObject(dc, OBJ_FONT), before);

  Canvas.Font()->SetHeight(-20);
  EXPECT_EQ(GetObjectType(before), 0u) << "the old font is deleted";
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont) << "and was not selected when it was";
  Canvas.TextOut(0, 0, "x");
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), Canvas.Font()->Handle());
  LOGFONTA lf{};
  GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, -20);

  HBRUSH oldBrush = Canvas.Brush()->Handle();
  Canvas.FillRect(RECT{0, 0, 1, 1});
  Canvas.Brush()->SetColor(clRed);
  EXPECT_EQ(GetObjectType(oldBrush), 0u);
  Canvas.FillRect(RECT{0, 0, 2, 2});
  EXPECT_EQ(Surface.Pixel(1, 1), Red);
}

TEST_F(CanvasTest, TextIsDrawnInTheFontColourOnTheBrushBackground)
{
  Canvas.Font()->SetColor(clBlack);
  Canvas.Font()->SetHeight(-16);
  Canvas.Brush()->SetColor(clRed);
  SIZE extent = Canvas.TextExtent("文件W");
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  EXPECT_EQ(Canvas.TextWidth("文件W"), extent.cx);
  EXPECT_EQ(Canvas.TextHeight("文件W"), extent.cy);

  Canvas.TextOut(1, 1, "文件W");
  RECT box{1, 1, 1 + extent.cx, 1 + extent.cy};
  EXPECT_GT(Surface.Count(box, Black), 0) << "glyphs";
  EXPECT_GT(Surface.Count(box, Red), 0) << "opaque background of a solid brush";
  POINT pos = Canvas.PenPos();
  EXPECT_EQ(pos.x, 1 + extent.cx) << "TextOut moves the pen to the end of the text";

  // A clear brush leaves the background alone.
  Surface.Fill(White);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.TextOut(1, 1, "文件W");
  EXPECT_GT(Surface.Count(box, Black), 0);
  EXPECT_EQ(Surface.Count(RECT{0, 0, 24, 24}, Red), 0);
}

TEST_F(CanvasTest, TextRectClipsAndDrawTextFlagsMeasure)
{
  Canvas.Font()->SetColor(clBlack);
  Canvas.Brush()->SetColor(clRed);
  Canvas.TextRect(RECT{2, 2, 8, 8}, 2, 2, "WWWWWWWW");
  EXPECT_EQ(Surface.Count(RECT{8, 0, 24, 24}, Black), 0) << "clipped on the right";
  EXPECT_EQ(Surface.Count(RECT{2, 2, 8, 8}, White), 0) << "the whole rectangle is filled";

  RECT r{0, 0, 1000, 0};
  Canvas.TextRect(r, "文件", DT_CALCRECT | DT_SINGLELINE);
  SIZE extent = Canvas.TextExtent("文件");
  EXPECT_EQ(r.right - r.left, extent.cx);
  EXPECT_EQ(r.bottom - r.top, extent.cy);
}

TEST_F(CanvasTest, ShapesFillTheirInsides)
{
  Canvas.Brush()->SetColor(clRed);
  Canvas.Pen()->SetColor(clBlue);
  const POINT triangle[] = {{2, 2}, {20, 2}, {2, 20}};
  Canvas.Polygon(triangle);
  EXPECT_EQ(Surface.Pixel(5, 5), Red);
  EXPECT_EQ(Surface.Pixel(2, 10), Blue);
  EXPECT_EQ(Surface.Pixel(18, 18), White);

  Surface.Fill(White);
  const POINT line[] = {{0, 22}, {10, 22}, {10, 12}};
  Canvas.Polyline(line);
  EXPECT_EQ(Surface.Pixel(5, 22), Blue);
  EXPECT_EQ(Surface.Pixel(10, 15), Blue);
  EXPECT_EQ(Surface.Pixel(5, 15), White) << "a polyline is not filled";

  Surface.Fill(White);
  Canvas.Ellipse(0, 0, 20, 20);
  EXPECT_EQ(Surface.Pixel(10, 10), Red);
  EXPECT_EQ(Surface.Pixel(1, 1), White);
  Canvas.RoundRect(0, 0, 20, 20, 6, 6);
  EXPECT_EQ(Surface.Pixel(10, 10), Red);
  EXPECT_EQ(Surface.Pixel(0, 0), White);
}

TEST_F(CanvasTest, DrawFocusRectTwiceRestores)
{
  Canvas.DrawFocusRect(RECT{2, 2, 10, 10});
  EXPECT_LT(Surface.Count(RECT{2, 2, 10, 3}, White), 8) << "dots drawn";
  Canvas.DrawFocusRect(RECT{2, 2, 10, 10});
  EXPECT_EQ(Surface.Count(RECT{0, 0, 24, 24}, White), 24 * 24);
}

TEST_F(CanvasTest, ClipRectIsTheContextsClipBox)
{
  EXPECT_EQ(Canvas.ClipRect().right, 24);
  HRGN region = CreateRectRgn(3, 4, 10, 12);
  SelectClipRgn(Surface.DC(), region);
  DeleteObject(region);
  RECT r = Canvas.ClipRect();
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.top, 4);
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 12);
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(RECT{0, 0, 24, 24});
  EXPECT_EQ(Surface.Count(RECT{0, 0, 24, 24}, Red), 7 * 8);
  SelectClipRgn(Surface.DC(), nullptr);
}

TEST_F(CanvasTest, DrawingNotifiesBeforeAndAfter)
{
  struct Listener : TObject {
    std::string Log;
    void Changing(TObject*) { Log += "<"; }
    void Changed(TObject*) { Log += ">"; }
  };
  auto listener = MakeOwned<Listener>();
  Canvas.SetOnChanging(TNotifyEvent(listener.get(), &Listener::Changing));
  Canvas.SetOnChange(TNotifyEvent(listener.get(), &Listener::Changed));
  Canvas.FillRect(RECT{0, 0, 2, 2});
  Canvas.TextOut(0, 0, "a");
  Canvas.Pixels(0, 0);  // reading is not a change
  EXPECT_EQ(listener->Log, "<><>");
}

TEST(Canvas, WithoutADeviceContextDrawingRaises)
{
  auto canvas = MakeOwned<TCanvas>();
  EXPECT_FALSE(canvas->HandleAllocated());
  try {
    canvas->FillRect(RECT{0, 0, 1, 1});
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
  }
}

TEST(Canvas, LockExcludesOtherThreads)
{
  auto canvas = MakeOwned<TCanvas>();
  canvas->Lock();
  canvas->Lock();  // recursive in one thread
  EXPECT_EQ(canvas->LockCount(), 2);
  std::atomic<int> got{-1};
  std::thread([&] { got = canvas->TryLock(); }).join();
  EXPECT_EQ(got, 0);
  canvas->Unlock();
  canvas->Unlock();
  std::thread([&] {
    got = canvas->TryLock();
    if (got) canvas->Unlock();
  }).join();
  EXPECT_EQ(got, 1);
  EXPECT_EQ(canvas->LockCount(), 0);
}

TEST_F(CanvasTest, BrushCopyShowsTheBrushWhereTheBitmapHasTheColour)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(RECT{0, 0, 4, 4});
  bitmap->Canvas()->SetPixels(1, 1, clBlue);
  bitmap->Canvas()->SetPixels(2, 1, clBlack);
  Canvas.Brush()->SetColor(clLime);
  Canvas.BrushCopy(RECT{0, 0, 8, 8}, bitmap.get(), RECT{0, 0, 4, 4}, clRed);
  EXPECT_EQ(Surface.Pixel(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(Surface.Pixel(2, 2), Blue) << "stretched 2x";
  EXPECT_EQ(Surface.Pixel(3, 3), Blue);
  EXPECT_EQ(Surface.Pixel(7, 7), RGB(0, 255, 0));
  EXPECT_EQ(Surface.Pixel(8, 8), White);

  // With a clear brush the canvas stays where the bitmap has the colour.
  Canvas.Brush()->SetColor(clYellow);
  Canvas.FillRect(RECT{10, 0, 14, 4});
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.BrushCopy(RECT{10, 0, 14, 4}, bitmap.get(), RECT{0, 0, 4, 4}, clRed);
  EXPECT_EQ(Surface.Pixel(10, 0), RGB(255, 255, 0));
  EXPECT_EQ(Surface.Pixel(13, 3), RGB(255, 255, 0));
  EXPECT_EQ(Surface.Pixel(11, 1), Blue);
  EXPECT_EQ(Surface.Pixel(12, 1), RGB(0, 0, 0));
  EXPECT_EQ(Surface.Pixel(14, 0), White);
}
