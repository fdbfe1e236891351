// The standard and enhanced looks drawn on text-free shapes, pixel by pixel: docked bar borders and
// grips, separators, chevrons and mark backgrounds, the size grip over a pattern, bar backgrounds,
// button frames and glyph backgrounds in each state, glyph placements, check marks of both sizes,
// drop-down arrows, embossed captions and the floating caption's buttons.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
const COLORREF White = RGB(255, 255, 255);
COLORREF Sys(int index) { return GetSysColor(index); }

// A manager of the style with one bar, its toolbar window object (no window is needed: the
// painters ask its docking style, size, grip and background), and an enabled and a disabled item
// with their item controls.
struct TLookFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemControl* Enabled = nullptr;
  TdxBarItemControl* Disabled = nullptr;

  explicit TLookFixture(TdxBarManagerStyle style)
  {
    Manager->SetStyle(style);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    auto* enabled = New<TTestBarItem>(Form);
    auto* disabled = New<TTestBarItem>(Form);
    disabled->SetEnabled(false);
    Enabled = New<TdxBarItemControl>(Bar->ItemLinks()->AddItem(enabled));
    Disabled = New<TdxBarItemControl>(Bar->ItemLinks()->AddItem(disabled));
  }
  ~TLookFixture()
  {
    Free(Enabled);
    Free(Disabled);
    Free(Toolbar);
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }
  void Place(TdxBarDockingStyle style, int width, int height)
  {
    Toolbar->SetDockingStyle(style);
    Toolbar->SetBounds(0, 0, width, height);
  }
};

const TdxBarManagerStyle Looks[] = {TdxBarManagerStyle::bmsStandard, TdxBarManagerStyle::bmsEnhanced};
const char* LookName(TdxBarManagerStyle style) { return style == TdxBarManagerStyle::bmsStandard ? "standard" : "enhanced"; }

// Horizontal and vertical cases of one table: (along, across) becomes (x, y) on a horizontal toolbar
// and (y, x) on a vertical one.
COLORREF At(const TDibSurface& s, bool horizontal, int along, int across)
{
  return horizontal ? s.Pixel(along, across) : s.Pixel(across, along);
}
}  // namespace

TEST(dxBarPainterLooks, ThePainterOfEachStyle)
{
  TLookFixture standard(TdxBarManagerStyle::bmsStandard), enhanced(TdxBarManagerStyle::bmsEnhanced);
  EXPECT_EQ(standard.Painter()->ClassType(), TdxBarStandardPainter::StaticClass());
  EXPECT_EQ(enhanced.Painter()->ClassType(), TdxBarEnhancedPainter::StaticClass());
}

// A raised edge round the bar; the standard grip is two raised bars from 2 pixels in, the enhanced
// grip one bar from 1 pixel in and one pixel shorter at both ends; the bars keep out of the clip
// region, so what the toolbar paints afterwards leaves them alone.
TEST(dxBarPainterLooks, DockedBarBordersAndGrips)
{
  for (TdxBarManagerStyle look : Looks)
    for (bool horizontal : {true, false}) {
      SCOPED_TRACE(std::string(LookName(look)) + (horizontal ? " horizontal" : " vertical"));
      TLookFixture f(look);
      const int along = 60, across = 24;
      f.Place(horizontal ? dsTop : dsLeft, horizontal ? along : across, horizontal ? across : along);
      TDibSurface s(horizontal ? along : across, horizontal ? across : along, White);
      const RECT all{0, 0, s.Width(), s.Height()};
      const int saved = SaveDC(s.DC());
      f.Painter()->DrawDockedBarBorder(f.Toolbar, s.DC(), all);
      TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
      FillRect(s.DC(), &all, red.Get());  // the grip bars stay
      RestoreDC(s.DC(), saved);
      const COLORREF hl = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW), face = Sys(COLOR_BTNFACE);
      if (look == TdxBarManagerStyle::bmsStandard) {
        for (int bar = 0; bar < 2; ++bar) {
          const int first = 4 + 3 * bar;  // 2 (edge) + 2 (margin) in, 3 wide
          EXPECT_EQ(At(s, horizontal, first, 10), hl) << bar;
          EXPECT_EQ(At(s, horizontal, first + 1, 10), face) << bar;
          EXPECT_EQ(At(s, horizontal, first + 2, 10), sh) << bar;
          EXPECT_EQ(At(s, horizontal, first + 1, 2), hl) << bar;
          EXPECT_EQ(At(s, horizontal, first + 1, 21), sh) << bar;
        }
        // The pixel set to highlight: bottom-left on a horizontal bar, top-right on a vertical one.
        EXPECT_EQ(horizontal ? s.Pixel(4, 21) : s.Pixel(21, 4), hl);
        EXPECT_EQ(At(s, horizontal, 10, 10), RGB(255, 0, 0));
        EXPECT_EQ(At(s, horizontal, 3, 10), RGB(255, 0, 0));
      } else {
        EXPECT_EQ(At(s, horizontal, 3, 10), hl);
        EXPECT_EQ(At(s, horizontal, 4, 10), face);
        EXPECT_EQ(At(s, horizontal, 5, 10), sh);
        EXPECT_EQ(At(s, horizontal, 6, 10), RGB(255, 0, 0));
        EXPECT_EQ(At(s, horizontal, 4, 2), RGB(255, 0, 0));  // one shorter at both ends
        EXPECT_EQ(At(s, horizontal, 4, 3), hl);
        EXPECT_EQ(At(s, horizontal, 4, 20), sh);
        EXPECT_EQ(At(s, horizontal, 4, 21), RGB(255, 0, 0));
        EXPECT_EQ(At(s, horizontal, 2, 10), RGB(255, 0, 0));
      }
      // The raised edge round the bar was drawn before the fill covered it; redraw to check it.
      f.Painter()->DrawDockedBarBorder(f.Toolbar, s.DC(), all);
      EXPECT_EQ(s.Pixel(30 % s.Width(), 0), hl);
      EXPECT_EQ(s.Pixel(0, 12), hl);
      EXPECT_EQ(s.Pixel(s.Width() - 1, 12), sh);
      EXPECT_EQ(s.Pixel(12, s.Height() - 1), sh);
    }
}

TEST(dxBarPainterLooks, ABarThatCannotDockHasNoGrip)
{
  for (TdxBarManagerStyle look : Looks) {
    TLookFixture f(look);
    f.Bar->SetNotDocking(dxBarAllDockingStyles);
    f.Place(dsTop, 60, 24);
    TDibSurface s(60, 24, White);
    f.Painter()->DrawDockedBarBorder(f.Toolbar, s.DC(), RECT{0, 0, 60, 24});
    EXPECT_EQ(s.Count(RECT{1, 1, 59, 23}, White), 58 * 22) << LookName(look);
  }
}

// The etched line of a begin-group separator lies between two strips of the bar's background.
TEST(dxBarPainterLooks, BeginGroupSeparators)
{
  for (TdxBarManagerStyle look : Looks)
    for (bool horizontalLine : {false, true}) {
      TLookFixture f(look);
      f.Place(horizontalLine ? dsLeft : dsTop, 20, 20);
      TDibSurface s(20, 20, White);
      const RECT r = horizontalLine ? RECT{0, 4, 20, 10} : RECT{4, 0, 10, 20};
      f.Painter()->DrawBeginGroupSeparator(f.Toolbar, s.DC(), horizontalLine, f.Toolbar->GetBackgroundBrush(), r);
      const bool h = !horizontalLine;  // the line runs across a horizontal toolbar
      const COLORREF expected[] = {Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW),
                                   Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)};
      for (int i = 0; i < 6; ++i) EXPECT_EQ(At(s, h, 4 + i, 10), expected[i]) << LookName(look) << " " << i;
      EXPECT_EQ(At(s, h, 3, 10), White);
      EXPECT_EQ(At(s, h, 10, 10), White);
    }
}

// Chevrons of hidden items at positions 2 and 6: the standard look's embossed one never moves; the
// base and enhanced two-line chevron moves up one pixel on a bar lower than 17 pixels.
TEST(dxBarPainterLooks, MarkChevrons)
{
  const COLORREF text = Sys(COLOR_BTNTEXT), hl = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW);
  struct TCase {
    TdxBarManagerStyle Look;
    int Height;
    COLORREF Color;
    RECT Extent;
  } cases[] = {
      {TdxBarManagerStyle::bmsStandard, 22, sh, {2, 1, 5, 7}},
      {TdxBarManagerStyle::bmsStandard, 16, sh, {2, 1, 5, 7}},
      {TdxBarManagerStyle::bmsStandard, 22, hl, {1, 1, 6, 8}},
      {TdxBarManagerStyle::bmsEnhanced, 22, text, {2, 4, 6, 9}},
      {TdxBarManagerStyle::bmsEnhanced, 16, text, {2, 3, 6, 8}},
  };
  for (const TCase& c : cases) {
    TLookFixture f(c.Look);
    f.Place(dsTop, 11, c.Height);
    TDibSurface s(11, c.Height, RGB(0, 128, 0));  // unlike the highlight, which may be white
    f.Painter()->DrawMarkChevrons(f.Toolbar, s.DC(), 2, RECT{0, 0, 11, c.Height});
    const RECT e = s.Extent(c.Color);
    EXPECT_TRUE(EqualRect(&e, &c.Extent)) << LookName(c.Look) << " " << c.Height << ": (" << e.left << ", " << e.top
                                          << ", " << e.right << ", " << e.bottom << ")";
  }
  // On a vertical toolbar the chevron points down from eight pixels before the client's right edge.
  TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
  f.Place(dsLeft, 24, 11);
  TDibSurface s(24, 11, White);
  f.Painter()->DrawMarkChevrons(f.Toolbar, s.DC(), 2, RECT{0, 0, 24, 11});
  const RECT e = s.Extent(text), expected{16, 2, 21, 6};
  EXPECT_TRUE(EqualRect(&e, &expected)) << e.left << ", " << e.top << ", " << e.right << ", " << e.bottom;
}

// The mark's background by state: the enhanced mark is raised when hot and sunken when pressed over
// the bar's background; the standard mark is the bar's background in every state. Only the enhanced
// mark shows the small down arrow of quick customizing.
TEST(dxBarPainterLooks, MarkBackgroundsAndTheDownArrow)
{
  const COLORREF hl = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW), face = Sys(COLOR_BTNFACE);
  for (TdxBarManagerStyle look : Looks)
    for (int state = 0; state < 3; ++state) {
      TLookFixture f(look);
      f.Place(dsTop, 11, 22);
      TDibSurface s(11, 22, White);
      const RECT r{0, 0, 11, 22};
      f.Painter()->DrawBarMarkBackground(f.Toolbar, s.DC(), state, r);
      const bool enhanced = look == TdxBarManagerStyle::bmsEnhanced;
      const COLORREF topLeft = enhanced && state == 1 ? hl : enhanced && state == 2 ? sh : face;
      const COLORREF bottomRight = enhanced && state == 1 ? sh : enhanced && state == 2 ? hl : face;
      EXPECT_EQ(s.Pixel(0, 10), topLeft) << LookName(look) << " " << state;
      EXPECT_EQ(s.Pixel(5, 0), topLeft) << LookName(look) << " " << state;
      EXPECT_EQ(s.Pixel(10, 10), bottomRight) << LookName(look) << " " << state;
      EXPECT_EQ(s.Count(RECT{1, 1, 10, 21}, face), 9 * 20) << LookName(look) << " " << state;
      f.Painter()->DrawBarMarkGlyphs(f.Toolbar, s.DC(), r);
      const RECT arrow = s.Extent(Sys(COLOR_BTNTEXT)), expected = enhanced ? RECT{3, 15, 8, 18} : RECT{};
      EXPECT_TRUE(EqualRect(&arrow, &expected)) << LookName(look) << ": " << arrow.left << ", " << arrow.top;
    }
}

// The size grip over a pattern: only the grip's dots replace the pattern, at the bottom-right square
// of the grip's size.
TEST(dxBarPainterLooks, TheSizeGripOverAPattern)
{
  const int w = 40, h = 30;
  auto pattern = [](int x, int y) { return (x + y) % 3 ? RGB(230, 120, 60) : RGB(60, 120, 230); };
  for (TdxBarManagerStyle look : Looks) {
    TLookFixture f(look);
    TDibSurface s(w, h), reference(w, h, Sys(COLOR_BTNFACE));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s.SetPixel(x, y, pattern(x, y));
    const SIZE grip = f.Painter()->GetSizeGripSize(f.Manager);
    RECT square{w - grip.cx, h - grip.cy, w, h};
    f.Painter()->DrawStatusBarSizeGrip(nullptr, s.DC(), nullptr, square);
    DrawFrameControl(reference.DC(), &square, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    int dots = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const COLORREF ref = reference.Pixel(x, y);
        if (ref == Sys(COLOR_BTNFACE)) {
          EXPECT_EQ(s.Pixel(x, y), pattern(x, y)) << LookName(look) << " " << x << ", " << y;
        } else {
          ++dots;
          EXPECT_EQ(s.Pixel(x, y), ref) << LookName(look) << " " << x << ", " << y;
        }
      }
    EXPECT_GT(dots, 6);
  }
}

// The bar's background: its own bitmap first, then its colour, else the painter's brush.
TEST(dxBarPainterLooks, TheToolbarBackgroundChain)
{
  TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
  f.Place(dsNone, 20, 10);
  const RECT r{0, 0, 20, 10};
  TDibSurface s(20, 10);
  f.Toolbar->FillBackground(s.DC(), r);
  EXPECT_TRUE(s.ExactlyFills(r, Sys(COLOR_BTNFACE)));
  f.Bar->SetColor(clRed);
  f.Toolbar->FillBackground(s.DC(), r);
  EXPECT_TRUE(s.ExactlyFills(r, RGB(255, 0, 0)));
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(4, 4);
  bitmap->Canvas()->Brush()->SetColor(clBlue);
  bitmap->Canvas()->FillRect(RECT{0, 0, 4, 4});
  f.Bar->SetBackgroundBitmap(bitmap.get());
  f.Toolbar->FillBackground(s.DC(), r);
  EXPECT_TRUE(s.ExactlyFills(r, RGB(0, 0, 255)));
}

// Button frames by state in the standard and enhanced looks: raised when hot, sunken when pressed or
// checked, the bar's background ring at rest.
TEST(dxBarPainterLooks, ButtonFramesByState)
{
  using S = TdxBarPaintingState;
  const COLORREF hl = Sys(COLOR_BTNHIGHLIGHT), sh = Sys(COLOR_BTNSHADOW), face = Sys(COLOR_BTNFACE);
  const struct {
    const char* Name;
    TdxBarPaintingStates States;
    COLORREF TopLeft, BottomRight;
  } cases[] = {{"normal", {}, face, face},
               {"hot", {S::psHot}, hl, sh},
               {"pressed", {S::psPressed, S::psHot}, sh, hl},
               {"checked", {S::psChecked}, sh, hl},
               {"checked hot", {S::psChecked, S::psHot}, sh, hl}};
  for (TdxBarManagerStyle look : Looks)
    for (const auto& c : cases) {
      TLookFixture f(look);
      f.Place(dsTop, 24, 22);
      TDibSurface s(24, 22, White);
      f.Painter()->FrameItemGlyph(f.Enabled, s.DC(), c.States, RECT{0, 0, 24, 22});
      EXPECT_EQ(s.Pixel(10, 0), c.TopLeft) << LookName(look) << " " << c.Name;
      EXPECT_EQ(s.Pixel(0, 10), c.TopLeft) << LookName(look) << " " << c.Name;
      EXPECT_EQ(s.Pixel(10, 21), c.BottomRight) << LookName(look) << " " << c.Name;
      EXPECT_EQ(s.Pixel(23, 10), c.BottomRight) << LookName(look) << " " << c.Name;
      EXPECT_EQ(s.Count(RECT{1, 1, 23, 21}, White), 22 * 20) << LookName(look) << " " << c.Name;
    }
}

// Glyph placement: a 16 × 16 glyph centred in its area, moved one pixel right and down when checked
// and one more when pressed in the classic looks; the base look never moves it. A border (and with
// it the frame) fits only when the glyph is at least 2 pixels smaller than the area both ways.
TEST(dxBarPainterLooks, GlyphPlacementsAndBackgrounds)
{
  using S = TdxBarPaintingState;
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(16, 16);
  glyph->Canvas()->Brush()->SetColor(clBlue);
  glyph->Canvas()->FillRect(RECT{0, 0, 16, 16});
  glyph->Canvas()->Brush()->SetColor(clFuchsia);  // the left-bottom pixel names the transparent colour
  glyph->Canvas()->FillRect(RECT{0, 15, 1, 16});
  const struct {
    TdxBarPainterClass Class;
    TdxBarPaintingStates States;
    SIZE Area;
    POINT GlyphAt;
  } cases[] = {
      {ClassRef<TdxBarStandardPainter>(), {}, {24, 22}, {4, 3}},
      {ClassRef<TdxBarStandardPainter>(), {S::psChecked}, {24, 22}, {5, 4}},
      {ClassRef<TdxBarStandardPainter>(), {S::psPressed, S::psHot}, {24, 22}, {5, 4}},
      {ClassRef<TdxBarStandardPainter>(), {S::psChecked, S::psPressed}, {24, 22}, {6, 5}},
      {ClassRef<TdxBarEnhancedPainter>(), {S::psChecked}, {23, 21}, {4, 3}},
      {ClassRef<TdxBarPainter>(), {S::psChecked, S::psPressed}, {24, 22}, {4, 3}},
  };
  for (const auto& c : cases) {
    TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
    TOwned<TdxBarPainter> painter(c.Class.Create(nullptr));
    TDibSurface s(c.Area.cx, c.Area.cy, White);
    const RECT area{0, 0, c.Area.cx, c.Area.cy};
    painter->DrawItemGlyph(f.Enabled, s.DC(), c.States, nullptr, -1, glyph.get(), area, area);
    const RECT e = s.Extent(RGB(0, 0, 255));
    EXPECT_EQ(e.left, c.GlyphAt.x) << c.Class.Name();
    EXPECT_EQ(e.top, c.GlyphAt.y) << c.Class.Name();
    EXPECT_EQ(e.right - e.left, 16) << c.Class.Name();
  }
  // The border rule: 18 × 18 frames the glyph (hot: a raised edge), 17 × 17 does not.
  for (int side : {18, 17}) {
    TLookFixture f(TdxBarManagerStyle::bmsStandard);
    TDibSurface s(side, side, White);
    const RECT area{0, 0, side, side};
    f.Painter()->DrawItemGlyph(f.Enabled, s.DC(), {S::psHot}, nullptr, -1, glyph.get(), area, area);
    EXPECT_EQ(s.Count(area, Sys(COLOR_BTNHIGHLIGHT)) > 0, side == 18) << side;
  }
  // A checked button at rest lies on the checker brush; hot, on the plain menu brush.
  for (bool hot : {false, true}) {
    TLookFixture f(TdxBarManagerStyle::bmsStandard);
    TDibSurface s(24, 22, White);
    const RECT area{0, 0, 24, 22};
    TdxBarPaintingStates states{S::psChecked};
    if (hot) states.Include(S::psHot);
    f.Painter()->DrawItemGlyph(f.Enabled, s.DC(), states, nullptr, -1, glyph.get(), area, area);
    const RECT strip{1, 1, 4, 20};  // inside the frame, left of the glyph
    const int face = s.Count(strip, Sys(COLOR_BTNFACE)), light = s.Count(strip, Sys(COLOR_BTNHIGHLIGHT));
    if (hot) {
      EXPECT_EQ(face, 3 * 19);
    } else {
      EXPECT_GT(face, 10);
      EXPECT_GT(light, 10);
    }
  }
}

// The standard check mark: enabled, silver strokes over black ones with white below; disabled, no
// silver, its shadow strokes one row lower than the enabled mark's first stroke; the double size
// twice as wide.
TEST(dxBarPainterLooks, CheckMarksOfBothSizes)
{
  TLookFixture f(TdxBarManagerStyle::bmsStandard);
  const COLORREF silver = RGB(192, 192, 192), black = RGB(0, 0, 0), face = Sys(COLOR_BTNFACE);
  ASSERT_NE(ColorToRGB(clBtnFace), black);
  RECT blackExtent[2]{};
  for (int k : {1, 2}) {
    TDibSurface enabled(40, 40, face), disabled(40, 40, face);
    f.Painter()->PaintCheckGlyph(f.Enabled, enabled.DC(), k, 10, 10);
    f.Painter()->PaintCheckGlyph(f.Disabled, disabled.DC(), k, 10, 10);
    const RECT s = enabled.Extent(silver);
    blackExtent[k - 1] = enabled.Extent(black);
    EXPECT_GT(enabled.Count(RECT{0, 0, 40, 40}, silver), 0) << k;
    EXPECT_GT(enabled.Count(RECT{0, 0, 40, 40}, White), 0) << k;
    EXPECT_EQ(disabled.Count(RECT{0, 0, 40, 40}, silver), 0) << k;
    EXPECT_EQ(disabled.Count(RECT{0, 0, 40, 40}, black), 0) << k;
    const RECT shadow = disabled.Extent(Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(shadow.top, s.top + 1) << k;
    EXPECT_GT(disabled.Count(RECT{0, 0, 40, 40}, Sys(COLOR_BTNHIGHLIGHT)), 0) << k;
  }
  EXPECT_EQ(blackExtent[1].right - blackExtent[1].left, 2 * (blackExtent[0].right - blackExtent[0].left));
  EXPECT_EQ(blackExtent[0].right - blackExtent[0].left, 7);
}

// A checked menu item's mark sits in a 9 × 7 box centred in the glyph rect (18 × 14 for a font of 16
// points or more); the base painter draws no mark.
TEST(dxBarPainterLooks, TheCheckOverlayIsCentredAndDoublesWithLargeFonts)
{
  const COLORREF black = RGB(0, 0, 0), face = Sys(COLOR_BTNFACE);
  for (int size : {10, 16}) {
    TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
    f.Bar->SetUseOwnFont(true);  // the manager's font follows the system's
    f.Bar->Font()->SetSize(size);
    ASSERT_EQ(f.Enabled->BarControl(), f.Toolbar);
    ASSERT_EQ(f.Enabled->BarControl()->GetFont()->Size(), size);
    TDibSurface s(40, 40, face), unchecked(40, 40, face);
    f.Painter()->DrawCheckOverlay(f.Enabled, s.DC(), true, ptMenu, RECT{0, 0, 40, 40});
    f.Painter()->DrawCheckOverlay(f.Enabled, unchecked.DC(), false, ptMenu, RECT{0, 0, 40, 40});
    f.Painter()->DrawCheckOverlay(f.Enabled, unchecked.DC(), true, ptHorz, RECT{0, 0, 40, 40});
    EXPECT_EQ(unchecked.Count(RECT{0, 0, 40, 40}, face), 1600);
    const RECT e = s.Extent(black);
    const int k = size >= 16 ? 2 : 1;
    EXPECT_EQ(e.right - e.left, 7 * k) << size;
    EXPECT_EQ(e.left, (40 - 9 * k) / 2 + k) << size;  // the first stroke starts k pixels into the box
  }
}

// The arrow of a pressed drop-down moves one pixel right and down, one more when it is down and
// dropped down; never in the flat look.
TEST(dxBarPainterLooks, DropDownArrowsAndTheirPressedShift)
{
  const struct {
    TdxBarPainterClass Class;
    bool Down, DroppedDown;
    int Shift;
  } cases[] = {
      {ClassRef<TdxBarStandardPainter>(), false, false, 0}, {ClassRef<TdxBarStandardPainter>(), true, false, 1},
      {ClassRef<TdxBarEnhancedPainter>(), false, true, 1},  {ClassRef<TdxBarEnhancedPainter>(), true, true, 2},
  };
  for (const auto& c : cases) {
    TOwned<TdxBarPainter> painter(c.Class.Create(nullptr));
    TDibSurface rest(16, 16, White), moved(16, 16, White);
    RECT r{2, 2, 11, 11};
    painter->PaintDropDownArrow(rest.DC(), r, clDefault, false, false, true, TcxArrowDirection::adDown);
    painter->ShiftPressedArrowRect(c.Down, c.DroppedDown, r);
    painter->PaintDropDownArrow(moved.DC(), r, clDefault, false, false, true, TcxArrowDirection::adDown);
    const RECT a = rest.Extent(Sys(COLOR_BTNTEXT)), b = moved.Extent(Sys(COLOR_BTNTEXT));
    ASSERT_FALSE(IsRectEmpty(&a)) << c.Class.Name();
    EXPECT_EQ(b.left - a.left, c.Shift) << c.Class.Name();
    EXPECT_EQ(b.top - a.top, c.Shift) << c.Class.Name();
    EXPECT_EQ(b.right - b.left, a.right - a.left) << c.Class.Name();
  }
}

// A disabled caption in a look that is not flat is embossed: highlight one pixel right and down,
// then shadow; selected or flat, it is grey once, with no highlight.
TEST(dxBarPainterLooks, DisabledCaptionsAreEmbossedOutsideTheFlatLook)
{
  TLookFixture f(TdxBarManagerStyle::bmsStandard);
  const COLORREF ground = RGB(0, 128, 0);
  for (auto [selected, flat] : {std::pair{false, false}, {true, false}, {false, true}}) {
    TDibSurface s(60, 20, ground);
    TFontHandle font(CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma"));
    TSelectObject select(s.DC(), font.Get());
    f.Painter()->DrawItemCaption(f.Disabled, s.DC(), "III", RECT{0, 0, 60, 20}, taLeftJustify, false, selected,
                                 false, false, flat, DT_SINGLELINE);
    const RECT all{0, 0, 60, 20};
    const bool embossed = !selected && !flat;
    EXPECT_EQ(s.Count(all, Sys(COLOR_BTNHIGHLIGHT)) > 0, embossed) << selected << flat;
    if (embossed) {
      const RECT light = s.Extent(Sys(COLOR_BTNHIGHLIGHT)), dark = s.Extent(Sys(COLOR_BTNSHADOW));
      EXPECT_EQ(light.left, dark.left + 1);
      EXPECT_EQ(light.top, dark.top + 1);
    } else {
      EXPECT_GT(s.Count(all, Sys(COLOR_GRAYTEXT)), 0) << selected << flat;
    }
  }
}

// The floating caption's buttons and the standard look's floating mark: the close button framed in
// the caption colour of an inactive form, the mark at the caption's left end, 13 pixels wide, with
// the caption text 3 pixels after it.
TEST(dxBarPainterLooks, FloatingCaptionButtonsAndMark)
{
  for (TdxBarManagerStyle look : Looks) {
    TLookFixture f(look);
    TDibSurface s(16, 16, White);
    f.Painter()->DrawFloatingCloseButton(f.Toolbar, s.DC(), false, RECT{0, 0, 16, 16});
    EXPECT_EQ(s.Pixel(0, 0), Sys(COLOR_INACTIVECAPTION)) << LookName(look);
    EXPECT_EQ(s.Pixel(15, 8), Sys(COLOR_INACTIVECAPTION)) << LookName(look);
    f.Place(dsNone, 120, 60);
    const RECT caption = f.Painter()->GetFloatingCaptionRect(f.Toolbar, RECT{0, 0, 120, 60});
    const RECT mark = f.Painter()->GetBarMarkRect(f.Toolbar);
    const RECT expected{caption.left, caption.top, caption.left + 13, caption.bottom};
    EXPECT_TRUE(EqualRect(&mark, &expected)) << LookName(look);
    int x = 0;
    RECT c = caption;
    f.Painter()->GetFloatingCaptionTextLeft(f.Toolbar, x, c);
    EXPECT_EQ(x, caption.left + 16) << LookName(look);
  }
}

// The standard look's floating frame: a raised outer edge, then two frames of the button face.
TEST(dxBarPainterLooks, TheFloatingFrame)
{
  TLookFixture f(TdxBarManagerStyle::bmsStandard);
  TDibSurface s(30, 30, White);
  f.Painter()->DrawFloatingBarFrame(f.Toolbar, s.DC(), RECT{0, 0, 30, 30});
  EXPECT_EQ(s.Pixel(10, 2), Sys(COLOR_BTNFACE));
  EXPECT_EQ(s.Pixel(10, 3), Sys(COLOR_BTNFACE));
  EXPECT_EQ(s.Pixel(10, 4), White);
  EXPECT_EQ(s.Pixel(10, 0), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(s.Pixel(10, 29), Sys(COLOR_3DDKSHADOW));
}

// A rotated caption's accelerator is underlined by a drawn line, not by the text prefix: the
// caption with its mark differs from the plain one only in one column of text-coloured pixels.
TEST(dxBarPainterLooks, ARotatedCaptionUnderlinesItsAcceleratorByHand)
{
  TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
  const COLORREF ground = RGB(0, 128, 0);
  TDibSurface marked(24, 60, ground), plain(24, 60, ground);
  for (auto [surface, text] : {std::pair{&marked, "&HH"}, {&plain, "HH"}}) {
    TFontHandle font(
        CreateFontA(-13, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma"));
    TSelectObject select(surface->DC(), font.Get());
    f.Painter()->DrawItemCaption(f.Enabled, surface->DC(), text, RECT{0, 0, 24, 60}, taLeftJustify, true, false,
                                 true, false, false, DT_SINGLELINE);
  }
  const COLORREF text = Sys(COLOR_BTNTEXT);
  int differing = 0, column = -1, columns = 0;
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 60; ++y)
      if (marked.Pixel(x, y) != plain.Pixel(x, y)) {
        ++differing;
        EXPECT_EQ(marked.Pixel(x, y), text) << x << ", " << y;
        if (x != column) {
          column = x;
          ++columns;
        }
      }
  EXPECT_GT(plain.Count(RECT{0, 0, 24, 60}, text), 10);
  EXPECT_GE(differing, 4);
  EXPECT_EQ(columns, 1);
}

// The caption's place beside the glyph: the content rect's leading edge (its top on a vertical
// toolbar) moves past the glyph area (the button's width, or height on a vertical toolbar) when the
// glyph is shown, else by half the text height.
TEST(dxBarPainterLooks, TheCaptionMovesPastTheGlyph)
{
  TLookFixture f(TdxBarManagerStyle::bmsEnhanced);
  f.Toolbar->CalcMetrics();
  f.Enabled->CalcTextMetrics();
  auto params = MakeOwned<TdxBarItemControlDrawParams>(f.Enabled);
  params->ButtonSize = SIZE{23, 22};
  const int half = f.Enabled->GetTextHeight() / 2;
  ASSERT_GT(half, 0);
  const struct {
    TdxBarPaintType PaintType;
    uint8_t Structure;
    RECT Expected;
  } cases[] = {
      {ptHorz, dxBarViewIcon | dxBarViewText, {10 + 23, 20, 110, 60}},
      {ptHorz, dxBarViewText, {10 + half, 20, 110, 60}},
      {ptVert, dxBarViewIcon | dxBarViewText, {10, 20 + 22, 110, 60}},
      {ptVert, dxBarViewText, {10, 20 + half, 110, 60}},
  };
  for (const auto& c : cases) {
    params->PaintType = static_cast<uint8_t>(c.PaintType);
    params->ViewStructure = c.Structure;
    RECT content{10, 20, 110, 60};
    EXPECT_EQ(f.Painter()->CalcGlyphPlacement(params.get(), content, RECT{}), taLeftJustify);
    EXPECT_TRUE(EqualRect(&content, &c.Expected))
        << static_cast<int>(c.PaintType) << " " << int(c.Structure) << ": " << content.left << ", " << content.top;
  }
}

// Drawing leaves no graphics object behind: the live count is the same before and after every
// drawing of the looks.
TEST(dxBarPainterLooks, DrawingLeavesNoGraphicsObjects)
{
  for (TdxBarManagerStyle look : Looks) {
    TLookFixture f(look);
    TdxBarPainter* p = f.Painter();
    TDibSurface s(120, 60);
    const RECT r{0, 0, 120, 60}, small{0, 0, 24, 22};
    const int before = LiveGdiObjects();
    for (TdxBarDockingStyle style : {dsTop, dsLeft, dsNone}) {
      f.Place(style, 120, 60);
      f.Toolbar->FillBackground(s.DC(), r);
      p->DrawDockedBarBorder(f.Toolbar, s.DC(), r);
      p->DrawBeginGroupSeparator(f.Toolbar, s.DC(), style == dsLeft, f.Toolbar->GetBackgroundBrush(), small);
      for (int state = 0; state < 3; ++state) {
        p->DrawBarMarkBackground(f.Toolbar, s.DC(), state, small);
        p->DrawSelectedItemFrame(f.Toolbar, s.DC(), state, small);
      }
      p->DrawBarMarkGlyphs(f.Toolbar, s.DC(), small);
      p->DrawMarkChevrons(f.Toolbar, s.DC(), 2, small);
      p->DrawMarkDownArrow(f.Toolbar, s.DC(), small);
    }
    p->DrawFloatingBarFrame(f.Toolbar, s.DC(), r);
    p->DrawFloatingCaption(f.Toolbar, s.DC(), f.Toolbar->GetBackgroundBrush(), r, p->GetFloatingCaptionRect(f.Toolbar, r));
    p->DrawFloatingCloseButton(f.Toolbar, s.DC(), true, small);
    for (int button = 0; button < 3; ++button) p->DrawMdiButton(f.Toolbar, button, s.DC(), 4, small);
    p->DrawSizeGrip(f.Toolbar, s.DC(), nullptr, r);
    p->PaintCheckGlyph(f.Enabled, s.DC(), 2, 4, 4);
    p->PaintCheckGlyph(f.Disabled, s.DC(), 1, 4, 4);
    p->FrameItemGlyph(f.Enabled, s.DC(), {}, small);
    p->DrawCheckedFrame(f.Enabled, s.DC(), true, true, true, small);
    p->DrawItemCaption(f.Disabled, s.DC(), "&Tools", r, taCenter, false, false, true, true, false, DT_SINGLELINE);
    EXPECT_EQ(LiveGdiObjects(), before) << LookName(look);
  }
}

namespace {
// A canvas on a surface, for the drawings that take draw parameters.
struct TSurfaceCanvas {
  TDibSurface Surface;
  TOwned<TCanvas> Canvas = MakeOwned<TCanvas>();
  TOwned<TcxCanvas> Cx;
  TSurfaceCanvas(int width, int height) : Surface(width, height, RGB(255, 0, 255))
  {
    Canvas->SetHandle(Surface.DC());
    Cx = MakeOwned<TcxCanvas>(Canvas.get());
  }
  ~TSurfaceCanvas() { Canvas->SetHandle(nullptr); }
};
}  // namespace

// The drop-down part of a button in the standard and enhanced looks: the part at the right end in
// the bar's background, a raised edge when hot, a sunken one when dropped down, the arrow one pixel
// right and down when pressed; nothing left of the part. A button without a separate part draws its
// own arrow at its end, moved when dropped down.
TEST(dxBarPainterLooks, DropDownPartsAndOwnArrowsByState)
{
  const COLORREF ground = RGB(255, 0, 255), text = Sys(COLOR_BTNTEXT);
  const struct {
    const char* Name;
    bool Selected, DroppedDown, Pressed;
    COLORREF TopLeft, BottomRight;
    int Shift;
  } cases[] = {{"normal", false, false, false, Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE), 0},
               {"hot", true, false, false, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW), 0},
               {"dropped down", true, true, true, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), 1}};
  for (TdxBarManagerStyle look : Looks) {
    TLookFixture f(look);
    f.Place(dsNone, 40, 22);
    RECT restArrow{}, restOwn{};
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(LookName(look)) + " " + c.Name);
      auto p = MakeOwned<TdxBarButtonLikeControlDrawParams>(f.Enabled);
      TSurfaceCanvas s(30, 22);
      p->Canvas = s.Cx.get();
      p->PaintType = static_cast<uint8_t>(ptHorz);
      p->Enabled = true;
      p->IsDropDown = true;
      p->DrawSelected = c.Selected;
      p->DroppedDown = c.DroppedDown;
      p->IsPressed = c.Pressed;
      p->DropDownPartWidth = 11;
      p->ArrowSize = 11;
      f.Painter()->DrawDropDownPart(p.get(), RECT{0, 0, 30, 22});
      EXPECT_EQ(s.Surface.Pixel(18, 5), ground) << "left of the part";
      EXPECT_EQ(s.Surface.Pixel(19, 0), c.TopLeft);
      EXPECT_EQ(s.Surface.Pixel(29, 21), c.BottomRight);
      const RECT arrow = s.Surface.Extent(text);
      ASSERT_FALSE(IsRectEmpty(&arrow));
      EXPECT_GE(arrow.left, 20);
      if (!c.Selected) restArrow = arrow;
      EXPECT_EQ(arrow.left - restArrow.left, c.Shift);
      EXPECT_EQ(arrow.top - restArrow.top, c.Shift);

      TSurfaceCanvas own(30, 22);
      p->Canvas = own.Cx.get();
      f.Painter()->DrawButtonOwnArrow(p.get(), RECT{0, 0, 30, 22});
      p->Canvas = nullptr;
      const RECT ownArrow = own.Surface.Extent(text);
      ASSERT_FALSE(IsRectEmpty(&ownArrow));
      EXPECT_GE(ownArrow.left, 15) << "at the button's end";
      if (!c.Selected) restOwn = ownArrow;
      EXPECT_EQ(ownArrow.left - restOwn.left, c.Shift);
    }
  }
}
