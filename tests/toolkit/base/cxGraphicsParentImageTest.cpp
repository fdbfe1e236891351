// Copies of a parent's image under a transparent control, taken from a real form with coloured
// children and checked in a memory bitmap.
#include "toolkit/base/cxGraphicsParentImage.h"

#include <gtest/gtest.h>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"

namespace {
// A windowed control that paints its colour, optionally with a one-pixel border, and notes whether it
// was painted as a copy.
class TColorBox : public TCustomControl {
  CL_CLASS(TColorBox, TCustomControl)
public:
  explicit TColorBox(TComponent* owner) : TCustomControl(owner) { SetParentColor(false); }
  bool Bordered = false;
  bool SawPaintCopy = false;

protected:
  void CreateParams(TCreateParams& params) override
  {
    TCustomControl::CreateParams(params);
    if (Bordered) params.Style |= WS_BORDER;
  }
  void Paint() override
  {
    SawPaintCopy = ControlState().Contains(TControlStateFlag::csPaintCopy);
    Canvas()->Brush()->SetColor(Color());
    RECT r = ClientRect();
    Canvas()->FillRect(r);
  }
};
CL_DEFINE_CLASS(TColorBox);

// A windowless control that asks for its parent's image while its parent paints it.
class TSeeThrough : public TGraphicControl {
  CL_CLASS(TSeeThrough, TGraphicControl)
public:
  explicit TSeeThrough(TComponent* owner) : TGraphicControl(owner) {}
  TcxCanvas* Target = nullptr;
  int Paints = 0;

protected:
  void Paint() override
  {
    ++Paints;
    if (Target) PaintParentImage(this, Target, RECT{0, 0, Width(), Height()}, true);
  }
};
CL_DEFINE_CLASS(TSeeThrough);

const COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), Lime = RGB(0, 255, 0), Yellow = RGB(255, 255, 0),
               White = RGB(255, 255, 255);

class ParentImage : public ::testing::Test {
protected:
  void SetUp() override
  {
    FForm = New<TForm>(Application, CreateNew);
    FForm->SetClientSize(200, 150);
    FForm->SetColor(clRed);
  }
  void TearDown() override { Free(FForm); }

  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height)
  {
    auto* c = New<T>(FForm);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
    return c;
  }
  TColorBox* Box(TWinControl* parent, RECT r, TColor color, bool bordered = false)
  {
    auto* b = New<TColorBox>(FForm);
    b->Bordered = bordered;
    b->SetColor(color);
    b->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    b->SetParent(parent);
    return b;
  }
  void ShowForm()
  {
    FForm->Show();
    HandleWaitingMessages();
  }

  TForm* FForm = nullptr;
};

TEST_F(ParentImage, CopiesTheParentAndTheChildrenBehindTheControlOnly)
{
  Box(FForm, {10, 10, 60, 60}, clBlue);  // behind the control, overlapping its top-left
  TColorBox* control = Box(FForm, {40, 40, 100, 100}, clWhite);
  Box(FForm, {50, 50, 90, 90}, clLime);  // in front of the control: never copied
  ShowForm();

  struct TCase {
    bool withChildren;
    RECT rect;
  } cases[] = {{true, {0, 0, 60, 60}}, {false, {0, 0, 60, 60}}, {true, {10, 5, 60, 60}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "children " << c.withChildren << " rect " << c.rect);
    TTestSurface surface(60, 60);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    PaintParentImage(control, canvas.get(), c.rect, c.withChildren);
    const RECT blue{std::max<LONG>(0, c.rect.left), std::max<LONG>(0, c.rect.top), 20, 20};
    if (c.withChildren) {
      EXPECT_TRUE(surface.ExactlyFills(blue, Blue));
    } else {
      EXPECT_EQ(surface.Count({0, 0, 60, 60}, Blue), 0);
    }
    EXPECT_EQ(surface.Count({0, 0, 60, 60}, Lime), 0);
    // Only the rect is painted, at its own place; outside it the surface keeps its white.
    const int area = (c.rect.right - c.rect.left) * (c.rect.bottom - c.rect.top);
    EXPECT_EQ(surface.Count({0, 0, 60, 60}, White), 3600 - area);
    EXPECT_EQ(surface.Count(c.rect, Red) + surface.Count(c.rect, Blue), area);
    // The context comes back as it was.
    POINT org{};
    GetWindowOrgEx(surface.DC(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
  }
  EXPECT_FALSE(FForm->ControlState().Contains(TControlStateFlag::csPaintCopy));
}

TEST_F(ParentImage, ChildrenKeepTheirFramesOffsetsRegionsAndPaintCopyState)
{
  // A bordered child with a grandchild, and a child whose window region is a small square.
  TColorBox* framed = Box(FForm, {0, 0, 30, 30}, clBlue, true);
  TColorBox* inner = Box(framed, {5, 5, 15, 15}, clYellow);
  TColorBox* shaped = Box(FForm, {40, 0, 70, 30}, clLime);
  TColorBox* control = Box(FForm, {0, 0, 100, 100}, clWhite);
  ShowForm();
  SetWindowRgn(shaped->Handle(), CreateRectRgn(5, 5, 15, 15), TRUE);

  TTestSurface surface(100, 100);
  auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
  PaintParentImage(control, canvas.get(), RECT{0, 0, 100, 100}, true);

  // The border frames the child's client area, so its grandchild lands one pixel further in.
  const COLORREF frame = surface.Pixel(0, 0);
  EXPECT_NE(frame, Blue);
  EXPECT_NE(frame, Red);
  EXPECT_EQ(surface.Pixel(29, 29), frame);
  EXPECT_EQ(surface.Count({0, 0, 30, 30}, frame), 4 * 29);
  EXPECT_EQ(surface.Extent(Yellow), (RECT{6, 6, 16, 16}));
  EXPECT_EQ(surface.Count({1, 1, 29, 29}, Blue), 28 * 28 - 100);
  // The shaped child shows only inside its region.
  EXPECT_TRUE(surface.ExactlyFills({45, 5, 55, 15}, Lime));
  EXPECT_EQ(surface.Pixel(41, 1), Red);

  EXPECT_TRUE(framed->SawPaintCopy);
  EXPECT_TRUE(inner->SawPaintCopy);
  EXPECT_FALSE(framed->ControlState().Contains(TControlStateFlag::csPaintCopy));
}

TEST_F(ParentImage, ShiftedBackgroundAndLoneControls)
{
  TColorBox* control = Box(FForm, {20, 20, 60, 60}, clWhite);
  ShowForm();

  {  // Moved by the offset, and the origin put back afterwards.
    TTestSurface surface(60, 60);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    PaintParentImageShifted(control, canvas.get(), RECT{0, 0, 40, 40}, true, POINT{10, 5});
    EXPECT_TRUE(surface.ExactlyFills({10, 5, 50, 45}, Red));
    POINT org{};
    GetWindowOrgEx(surface.DC(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
  }
  {  // A double-buffered parent gives its own image, and the canvas keeps its context.
    FForm->SetDoubleBuffered(true);
    TTestSurface surface(40, 40);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    EXPECT_TRUE(PaintParentBackground(control, canvas.get(), RECT{0, 0, 40, 40}));
    EXPECT_TRUE(surface.ExactlyFills({0, 0, 40, 40}, Red));
  }
  {  // Without a control or a parent nothing is painted.
    auto* lone = New<TColorBox>(FForm);
    TTestSurface surface(20, 20);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    PaintParentImage(lone, canvas.get(), RECT{0, 0, 20, 20}, true);
    PaintParentImage(nullptr, canvas.get(), RECT{0, 0, 20, 20}, true);
    EXPECT_EQ(surface.Count({0, 0, 20, 20}, White), 400);
  }
  {  // A windowless control is painted by its parent's own paint: asking for the parent's image from
     // there does not recurse without end.
    auto* see = Add<TSeeThrough>(FForm, 100, 100, 20, 20);
    TTestSurface surface(20, 20);
    auto canvas = MakeOwned<TcxCanvas>(surface.Canvas());
    see->Target = canvas.get();
    PaintParentImage(see, canvas.get(), RECT{0, 0, 20, 20}, true);
    see->Target = nullptr;
    EXPECT_EQ(see->Paints, 1);
    EXPECT_EQ(surface.Count({0, 0, 20, 20}, Red), 400);
  }
}
}  // namespace
