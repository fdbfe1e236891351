// The flat look on text-free shapes: the 6-pixel grip of shadow rows, the button frames and glyph
// backgrounds of each state from the manager's flat brushes, the plain check mark, the one-pixel
// group separator, spin buttons that never shift, and the joined owner frame.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
const COLORREF White = RGB(255, 255, 255);
COLORREF Sys(int index) { return GetSysColor(index); }
COLORREF BrushColor(HBRUSH brush)
{
  LOGBRUSH lb{};
  GetObjectA(brush, sizeof(lb), &lb);
  return lb.lbColor;
}

// A flat manager with a toolbar object (no window) and one item control 22 pixels high.
struct TFlatFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemControl* Control = nullptr;
  TDibSurface Surface{120, 30, White};
  TOwned<TCanvas> Canvas = MakeOwned<TCanvas>();
  TOwned<TcxCanvas> CxCanvas;

  explicit TFlatFixture(TdxBarManagerStyle style = TdxBarManagerStyle::bmsFlat)
  {
    Manager->SetStyle(style);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    TdxBarItemLink* link = Bar->ItemLinks()->AddItem(New<TTestBarItem>(Form));
    Control = New<TdxBarItemControl>(link);
    link->SetItemRect({0, 0, 120, 22});
    Canvas->SetHandle(Surface.DC());
    CxCanvas = MakeOwned<TcxCanvas>(Canvas.get());
    Control->DrawParams()->Canvas = CxCanvas.get();
    Control->DrawParams()->Enabled = true;
  }
  ~TFlatFixture()
  {
    Control->DrawParams()->Canvas = nullptr;
    Canvas->SetHandle(nullptr);
    Free(Control);
    Free(Toolbar);
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }
  TdxBarFlatPainter* Flat() const { return static_cast<TdxBarFlatPainter*>(Painter()); }
};

COLORREF At(const TDibSurface& s, bool horizontal, int along, int across)
{
  return horizontal ? s.Pixel(along, across) : s.Pixel(across, along);
}
}  // namespace

// A button-face frame with rounded inner corners; the grip 1 pixel into the bar, 3 wide and 3 short
// of both ends, a shadow row on every even row from its top and the toolbar colour between; the
// grip stays out of the clip region.
TEST(dxBarPainterFlat, DockedBorderAndGrip)
{
  for (bool horizontal : {true, false}) {
    SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
    TFlatFixture f;
    EXPECT_EQ(f.Painter()->GetGripAreaSize(f.Toolbar), 6);
    const int along = 60, across = 24;
    f.Toolbar->SetDockingStyle(horizontal ? dsTop : dsLeft);
    f.Toolbar->SetBounds(0, 0, horizontal ? along : across, horizontal ? across : along);
    TDibSurface s(horizontal ? along : across, horizontal ? across : along, White);
    const int saved = SaveDC(s.DC());
    f.Painter()->DrawDockedBarBorder(f.Toolbar, s.DC(), RECT{0, 0, s.Width(), s.Height()});
    TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT all{0, 0, s.Width(), s.Height()};
    FillRect(s.DC(), &all, red.Get());
    RestoreDC(s.DC(), saved);
    const COLORREF toolbar = BrushColor(f.Manager->FlatToolbarBrush());
    // The grip: along 3..5, across 5..18.
    EXPECT_EQ(At(s, horizontal, 3, 5), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(At(s, horizontal, 5, 5), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(At(s, horizontal, 4, 6), toolbar);
    EXPECT_EQ(At(s, horizontal, 4, 17), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(At(s, horizontal, 4, 18), toolbar);
    EXPECT_EQ(At(s, horizontal, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(At(s, horizontal, 4, 19), RGB(255, 0, 0));
    EXPECT_EQ(At(s, horizontal, 6, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(s, horizontal, 2, 10), RGB(255, 0, 0));
    // The frame and its rounded corners (drawn again: the fill covered them).
    f.Painter()->DrawDockedBarBorder(f.Toolbar, s.DC(), all);
    EXPECT_EQ(s.Pixel(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(s.Pixel(1, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(s.Pixel(s.Width() - 2, s.Height() - 2), Sys(COLOR_BTNFACE));
    EXPECT_EQ(s.Pixel(2, 1), RGB(255, 0, 0));
  }
}

// Hot: the hot blend outlined in the highlight colour; down: the pressed blend; down and hot: the
// pressed-hot blend; the brushes are the manager's.
TEST(dxBarPainterFlat, ButtonFramesAndBlendsByState)
{
  TFlatFixture f;
  f.Toolbar->SetDockingStyle(dsTop);
  using S = TdxBarPaintingState;
  struct TCase {
    const char* Name;
    TdxBarPaintingStates States;
    HBRUSH Fill;
    bool Outlined;
  };
  const TCase cases[] = {
      {"hot", {S::psHot}, f.Manager->FlatSelectedBrush(), true},
      {"down", {S::psChecked}, f.Manager->FlatDownedBrush(), true},
      {"down and hot", {S::psChecked, S::psHot}, f.Manager->FlatDownedSelectedBrush(), true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(f.Painter()->GetGlyphBackgroundBrush(f.Control, c.States), c.Fill);
    f.Surface.Fill(White);
    const RECT glyph{10, 2, 34, 24};
    f.Painter()->FrameItemGlyph(f.Control, f.Surface.DC(), c.States, glyph);
    EXPECT_EQ(f.Surface.Pixel(10, 10), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(f.Surface.Pixel(20, 23), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(f.Surface.Pixel(20, 10), White);  // the frame only
  }
  // The blends of the highlight colour: hot (−2, 30, 72), pressed (11, 9, 73), pressed-hot (14, 44, 40).
  EXPECT_EQ(BrushColor(f.Manager->FlatSelectedBrush()), ColorToRGB(f.Manager->GetFlatSelectedColor()));
  EXPECT_NE(BrushColor(f.Manager->FlatDownedBrush()), BrushColor(f.Manager->FlatSelectedBrush()));
  // A checked frame: hot outlined and filled with the hot blend, pressed with the pressed-hot one.
  for (bool pressed : {false, true}) {
    f.Surface.Fill(White);
    f.Painter()->DrawCheckedFrame(f.Control, f.Surface.DC(), pressed, true, true, RECT{0, 0, 12, 12});
    EXPECT_EQ(f.Surface.Pixel(0, 5), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(f.Surface.Pixel(5, 5),
              BrushColor(pressed ? f.Manager->FlatDownedSelectedBrush() : f.Manager->FlatSelectedBrush()));
  }
}

// The check mark is the standard one's black strokes only: two rows, no silver or white strokes and
// no end caps; disabled, two shadow rows one lower.
TEST(dxBarPainterFlat, CheckMarks)
{
  TFlatFixture f;
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    f.Surface.Fill(White);
    auto* item = f.Control->GetItem();
    item->SetEnabled(enabled);
    f.Painter()->PaintCheckGlyph(f.Control, f.Surface.DC(), 1, 0, 0);
    const COLORREF ink = enabled ? RGB(0, 0, 0) : Sys(COLOR_BTNSHADOW);
    std::string column;
    for (int y = 0; y < 8; ++y) column += f.Surface.Pixel(1, y) == ink ? '#' : f.Surface.Pixel(1, y) == White ? '.' : '?';
    EXPECT_EQ(column, enabled ? "..##...." : "...##...");
    EXPECT_EQ(f.Surface.Pixel(0, 3), White);  // no end cap
    EXPECT_EQ(f.Surface.Pixel(3, enabled ? 4 : 5), ink);
  }
}

// The group separator is one shadow row (column) after 2 pixels of background.
TEST(dxBarPainterFlat, BeginGroupSeparator)
{
  TFlatFixture f;
  f.Surface.Fill(White);
  f.Painter()->DrawBeginGroupSeparator(nullptr, f.Surface.DC(), true, SystemColorBrush(COLOR_WINDOW), {0, 0, 20, 5});
  std::string rows;
  for (int y = 0; y < 5; ++y) rows += f.Surface.Pixel(10, y) == Sys(COLOR_BTNSHADOW) ? '#' : '.';
  EXPECT_EQ(rows, "..#..");
}

// The up button reaches one pixel into the down button; its arrow never moves when pressed and
// is drawn once when disabled.
TEST(dxBarPainterFlat, SpinButtons)
{
  TFlatFixture f;
  std::vector<RECT> parts(5);
  f.Painter()->CalcSpinEditParts(f.Control->DrawParams(), parts, {0, 0, 120, 22});
  EXPECT_EQ(parts[3].bottom, parts[4].top + 1);
  // The pressed button comes from the extended item's own values; the hot button is selected.
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    f.Surface.Fill(White);
    f.Control->DrawParams()->Enabled = enabled;
    f.Painter()->DrawSpinButton(f.Control->DrawParams(), RECT{100, 0, 117, 12}, sbUp);
    // Inside (101, 1, 116, 11): origin (105, (1 + 11 − 4) / 2 + 3 = 7).
    const COLORREF arrow = enabled ? Sys(COLOR_BTNTEXT) : Sys(COLOR_BTNSHADOW);
    EXPECT_EQ(f.Surface.Pixel(105, 7), arrow);
    EXPECT_EQ(f.Surface.Pixel(111, 7), arrow);
    EXPECT_EQ(f.Surface.Pixel(108, 4), arrow);
    EXPECT_NE(f.Surface.Pixel(112, 8), Sys(COLOR_BTNHIGHLIGHT));
  }
}

// An owner item is framed in the flat border colour; its joint takes the owner bar colour.
TEST(dxBarPainterFlat, OwnerItemFrameAndJoint)
{
  TFlatFixture f;
  f.Surface.Fill(White);
  f.Flat()->FrameOwnerItem(f.Toolbar, f.Surface.DC(), {0, 0, 30, 20});
  EXPECT_EQ(f.Surface.Pixel(0, 10), BrushColor(f.Manager->FlatBorderBrush()));
  f.Flat()->FillOwnerJoint(f.Toolbar, f.Surface.DC(), f.Control, {1, 19, 29, 20}, {0, 0, 30, 20});
  EXPECT_EQ(f.Surface.Pixel(10, 19), BrushColor(f.Manager->FlatToolbarBrush()));
}
