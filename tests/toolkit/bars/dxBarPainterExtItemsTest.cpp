// The base painter's extended items on text-free shapes: the custom-colour button and its dots,
// spin buttons and arrows (pressed, hot, disabled), the progress track's segments, and the in-place
// sub-item's background; the part rects of colour combos and spin edits.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Canvas.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarExtItems.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
// Draw parameters that offer every extended item's values.
class TExtItemParams : public TdxBarItemControlDrawParams,
                       public IdxBarColorComboDrawValues,
                       public IdxBarSpinEditDrawValues,
                       public IdxBarProgressDrawValues {
  CL_CLASS(TExtItemParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool ShowButton = true, ButtonPressed = false;
  int PressedPart = -1, Position = 50, Min = 0, Max = 100;
  bool Smooth = false;
  bool ShowsCustomColorButton() const override { return ShowButton; }
  bool IsCustomColorButtonPressed() const override { return ButtonPressed; }
  int SpinPressedPart() const override { return PressedPart; }
  int ProgressPosition() const override { return Position; }
  int ProgressMin() const override { return Min; }
  int ProgressMax() const override { return Max; }
  bool ProgressSmooth() const override { return Smooth; }
};
CL_DEFINE_CLASS(TExtItemParams);

const COLORREF White = RGB(255, 255, 255);
COLORREF Sys(int index) { return GetSysColor(index); }

// An item control 22 pixels high on a toolbar of the style, with parameters drawing on a surface.
struct TExtFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemControl* Control = nullptr;
  TdxBarItemLink* Link = nullptr;
  TOwned<TExtItemParams> Params;
  TDibSurface Surface{120, 22, White};
  TOwned<TCanvas> Canvas = MakeOwned<TCanvas>();
  TOwned<TcxCanvas> CxCanvas;

  explicit TExtFixture(TdxBarManagerStyle style, int width = 120)
  {
    Manager->SetStyle(style);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Link = Bar->ItemLinks()->AddItem(New<TTestBarItem>(Form));
    Control = New<TdxBarItemControl>(Link);
    Link->SetItemRect({0, 0, width, 22});
    Params = MakeOwned<TExtItemParams>(Control);
    Canvas->SetHandle(Surface.DC());
    CxCanvas = MakeOwned<TcxCanvas>(Canvas.get());
    Params->Canvas = CxCanvas.get();
    Params->Enabled = true;
  }
  ~TExtFixture()
  {
    Canvas->SetHandle(nullptr);
    Free(Control);
    Free(Toolbar);
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }
};

const TdxBarManagerStyle AllStyles[] = {TdxBarManagerStyle::bmsStandard, TdxBarManagerStyle::bmsEnhanced,
                                        TdxBarManagerStyle::bmsFlat, TdxBarManagerStyle::bmsOffice11};
}  // namespace

// A 22-pixel colour combo: the button is 16 × 18, 1 pixel from the right and 2 from top and bottom;
// one that would take half the item or more, or that the item does not show, is empty and the
// drop-down button moves to the right edge.
TEST(dxBarPainterExtItems, CustomColorButtonRects)
{
  struct TCase {
    const char* Name;
    int ItemWidth;
    bool Show;
    RECT Expected;
  };
  const TCase cases[] = {
      {"shown", 120, true, {103, 2, 119, 20}},
      {"not shown", 120, false, {120, 0, 120, 22}},
      {"half the item", 36, true, {36, 0, 36, 22}},
      {"just under half", 37, true, {20, 2, 36, 20}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TExtFixture f(TdxBarManagerStyle::bmsStandard, c.ItemWidth);
    f.Params->ShowButton = c.Show;
    const RECT item{0, 0, c.ItemWidth, 22};
    const RECT r = f.Painter()->CalcCustomColorButtonRect(f.Params.get(), item);
    EXPECT_TRUE(EqualRect(&r, &c.Expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

// The dots: 2 × 2, the first 3 pixels from the button's left edge, 4 pixels apart, in button text;
// disabled in the painter's disabled shadow (embossed in the standard look).
TEST(dxBarPainterExtItems, TheCustomColorButtonsDots)
{
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    TExtFixture f(TdxBarManagerStyle::bmsFlat);
    f.Params->Enabled = enabled;
    const RECT button{103, 2, 119, 20};
    f.Painter()->DrawCustomColorButton(f.Params.get(), button);
    const COLORREF dot = enabled ? Sys(COLOR_BTNTEXT) : Sys(COLOR_BTNSHADOW);
    // Inner rect (104, 3, 118, 19): d = 2, first dot at x = 104 + 2 = 106, y = 19 − 2 − 2 = 15.
    for (int i = 0; i < 3; ++i) {
      const int x = 106 + 4 * i;
      SCOPED_TRACE(i);
      EXPECT_EQ(f.Surface.Pixel(x, 15), dot);
      EXPECT_EQ(f.Surface.Pixel(x + 1, 16), dot);
      EXPECT_NE(f.Surface.Pixel(x + 2, 15), dot);
      EXPECT_NE(f.Surface.Pixel(x, 17), dot);
    }
    EXPECT_EQ(f.Surface.Pixel(106 - 3, 15), enabled ? f.Surface.Pixel(110, 5) : f.Surface.Pixel(103, 15));
  }
}

// Spin metrics at 22 pixels: arrows 7 × 4, buttons 17 wide, halves of the item's height.
TEST(dxBarPainterExtItems, SpinEditParts)
{
  TExtFixture f(TdxBarManagerStyle::bmsStandard);
  int width = 0, height = 0;
  f.Painter()->CalcSpinArrowSize(22, width, height);
  EXPECT_EQ(width, 7);
  EXPECT_EQ(height, 4);
  EXPECT_EQ(f.Painter()->CalcSpinButtonsWidth(ptHorz, {0, 0, 120, 22}), 17);
  std::vector<RECT> parts(5);
  parts[0] = {0, 0, 120, 22};
  f.Painter()->CalcSpinEditParts(f.Params.get(), parts, {0, 0, 120, 22});
  EXPECT_EQ(parts[3].right - parts[3].left, 17);
  EXPECT_EQ(parts[3].right, 119);
  EXPECT_EQ(parts[3].bottom, 11);
  EXPECT_EQ(parts[4].top, 11);
  EXPECT_EQ(parts[4].bottom, 22);
  EXPECT_EQ(parts[0].right, parts[3].left - 2 - 1);
  // A spin button that would take half the item is left out.
  TExtFixture narrow(TdxBarManagerStyle::bmsStandard, 30);
  const RECT r = narrow.Painter()->CalcSpinButtonRect(narrow.Params.get(), {0, 0, 30, 22}, sbUp);
  EXPECT_EQ(r.left, r.right);
}

// The up arrow is a 7-wide, 4-high triangle; a pressed button's arrow sits one pixel lower and
// further right (not in the flat looks); a disabled arrow is drawn twice, a highlight copy one
// pixel right and down under the shadow-coloured one.
TEST(dxBarPainterExtItems, SpinArrowsPressedAndDisabled)
{
  struct TCase {
    const char* Name;
    TdxBarManagerStyle Style;
    bool Pressed, Enabled;
    int Shift;
  };
  const TCase cases[] = {
      {"standard", TdxBarManagerStyle::bmsStandard, false, true, 0},
      {"standard pressed", TdxBarManagerStyle::bmsStandard, true, true, 1},
      {"standard disabled", TdxBarManagerStyle::bmsStandard, false, false, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TExtFixture f(c.Style);
    f.Params->Enabled = c.Enabled;
    f.Params->PressedPart = c.Pressed ? 3 : -1;
    const RECT up{100, 0, 117, 11};
    f.Painter()->DrawSpinButton(f.Params.get(), up, sbUp);
    // Inside the frame (101, 1, 116, 10): origin (105, (1 + 10 − 4) / 2 + 3 = 6); the base row runs
    // from x 105 to 111 at y 6, the tip is (108, 3).
    const int x = 105 + c.Shift, y = 6 + c.Shift;
    const COLORREF arrow = c.Enabled ? Sys(COLOR_BTNTEXT) : Sys(COLOR_BTNSHADOW);
    EXPECT_EQ(f.Surface.Pixel(x, y), arrow);
    EXPECT_EQ(f.Surface.Pixel(x + 6, y), arrow);
    EXPECT_EQ(f.Surface.Pixel(x + 3, y - 3), arrow);
    EXPECT_NE(f.Surface.Pixel(x + 3, y - 4), arrow);
    EXPECT_NE(f.Surface.Pixel(x + 7, y), arrow);
    if (!c.Enabled) EXPECT_EQ(f.Surface.Pixel(x + 7, y + 1), Sys(COLOR_BTNHIGHLIGHT));
  }
}

// MulDiv of the track's length; segments of two thirds of the thickness with 2-pixel gaps, the last
// one cut at the filled end; smooth fills the whole filled part; the paint leaves no brush behind.
TEST(dxBarPainterExtItems, ProgressTrackAndSegments)
{
  TExtFixture f(TdxBarManagerStyle::bmsStandard);
  const RECT track{0, 0, 100, 12};
  f.Params->Position = 50;
  f.Painter()->DrawProgressTrack(f.Params.get(), track, clRed);  // the canvas makes its objects once
  const int gdi = LiveGdiObjects();
  f.Painter()->DrawProgressTrack(f.Params.get(), track, clRed);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  const COLORREF red = RGB(255, 0, 0);
  std::string row;
  for (int x = 0; x < 52; ++x) row += f.Surface.Pixel(x, 5) == red ? '#' : '.';
  EXPECT_EQ(row, "########..########..########..########..########....");
  f.Params->Smooth = true;
  f.Params->Position = 75;
  f.Painter()->DrawProgressTrack(f.Params.get(), track, clRed);
  EXPECT_EQ(f.Surface.Count({0, 0, 75, 12}, red), 75 * 12);
  EXPECT_NE(f.Surface.Pixel(75, 5), red);
}

// Hot: the highlight brush outlined; not hot: the in-place fill; the bottom row is always the bar's.
TEST(dxBarPainterExtItems, InPlaceSubItemBackground)
{
  for (bool hot : {false, true}) {
    SCOPED_TRACE(hot ? "hot" : "not hot");
    TExtFixture f(TdxBarManagerStyle::bmsStandard);
    f.Params->DrawSelected = hot;
    f.Painter()->DrawInPlaceSubItemBackground(f.Params.get(), {0, 0, 60, 20});
    EXPECT_EQ(f.Surface.Pixel(30, 10), hot ? Sys(COLOR_HIGHLIGHT) : Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(f.Surface.Pixel(30, 19), Sys(COLOR_BTNFACE));
  }
}

// The colour combo's and spin edit's own parameters tell the painter what to draw: the shown
// custom-colour button has its rect, the pressed spin button is the pressed part.
TEST(dxBarPainterExtItems, TheExtendedItemsOwnParametersReachThePainter)
{
  TExtFixture f(TdxBarManagerStyle::bmsStandard);
  TOwned<TdxBarColorComboControlDrawParams> combo = MakeOwned<TdxBarColorComboControlDrawParams>(f.Control);
  const RECT item{0, 0, 120, 22};
  EXPECT_EQ(f.Painter()->CalcCustomColorButtonRect(combo.get(), item).left, 120);
  combo->ShowCustomColorButton = true;
  const RECT shown = f.Painter()->CalcCustomColorButtonRect(combo.get(), item);
  EXPECT_EQ(shown.right - shown.left, 16);
  TOwned<TdxBarSpinEditDrawParams> spin = MakeOwned<TdxBarSpinEditDrawParams>(f.Control);
  spin->Enabled = true;
  spin->PressedPart = 4;
  EXPECT_EQ(f.Painter()->ResolveSpinButtonState(spin.get(), sbDown), TcxButtonState::cxbsPressed);
  EXPECT_EQ(f.Painter()->ResolveSpinButtonState(spin.get(), sbUp), TcxButtonState::cxbsNormal);
}
