// The Office 2003 look on text-free shapes, without a colour scheme and with the blue, olive and
// silver schemes: dock gradients made once per dock size, checked and hot items in their gradient
// pairs, the rounded toolbar box with blended corners, 8-pixel grips of dots, separators.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
const COLORREF White = RGB(255, 255, 255);
COLORREF Rgb(TColor c) { return ColorToRGB(c); }
// Within a few steps of a gradient: the rows inside a frame are a row or two from its ends (the
// ends compared differ by far more).
bool Near(COLORREF a, COLORREF b)
{
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

std::wstring GSchemeColorName;
bool SchemeNames(TdxThemeNames& names)
{
  names = {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", GSchemeColorName, L"NormalSize"};
  return true;
}

class Office11Look : public testing::Test {
protected:
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemControl* Control = nullptr;

  void SetUp() override
  {
    Manager->SetStyle(TdxBarManagerStyle::bmsOffice11);
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    TdxBarItemLink* link = Bar->ItemLinks()->AddItem(New<TTestBarItem>(Form));
    Control = New<TdxBarItemControl>(link);
    link->SetItemRect({0, 0, 24, 22});
  }
  void TearDown() override
  {
    Free(Control);
    Free(Toolbar);
    if (dxGetCurrentThemeNames != dxReadCurrentThemeNames) {
      dxGetCurrentThemeNames = dxReadCurrentThemeNames;
      RecomputeOffice2003Colors();
    }
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }
  static void UseScheme(const wchar_t* colorName)
  {
    GSchemeColorName = colorName;
    dxGetCurrentThemeNames = &SchemeNames;
    RecomputeOffice2003Colors();
  }
};
}  // namespace

// A top dock runs from dock colour 1 to 2 left to right, a bottom dock is plain colour 2, a right
// dock plain colour 1; the gradient is made once per dock size and copied afterwards.
TEST_F(Office11Look, DockGradientsMadeOncePerSize)
{
  struct TCase {
    TdxBarDockingStyle Style;
    TColor Left, Right;
  };
  const TCase cases[] = {{dsTop, dxOffice11Color(1), dxOffice11Color(2)},
                         {dsBottom, dxOffice11Color(2), dxOffice11Color(2)},
                         {dsRight, dxOffice11Color(1), dxOffice11Color(1)}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    TOwned<TdxDockControl> dock(New<TdxDockControl>(Manager, c.Style));
    TDibSurface s(200, 20, White);
    const RECT all{0, 0, 200, 20};
    Painter()->FillDockBackground(dock.get(), s.DC(), nullptr, clNone, all, all, all);
    EXPECT_TRUE(Near(s.Pixel(0, 10), Rgb(c.Left)));
    EXPECT_TRUE(Near(s.Pixel(199, 10), Rgb(c.Right)));
    ASSERT_EQ(dock->BackgroundCache()->Width(), 200);
    // The second fill copies the kept picture (a mark put into it shows), until the size changes.
    SetPixel(dock->BackgroundCache()->Canvas()->Handle(), 50, 5, RGB(255, 0, 0));
    Painter()->FillDockBackground(dock.get(), s.DC(), nullptr, clNone, all, all, RECT{40, 0, 60, 20});
    EXPECT_EQ(s.Pixel(50, 5), RGB(255, 0, 0));
    const RECT wider{0, 0, 220, 20};
    Painter()->FillDockBackground(dock.get(), s.DC(), nullptr, clNone, wider, wider, RECT{40, 0, 60, 20});
    EXPECT_NE(s.Pixel(50, 5), RGB(255, 0, 0));
    EXPECT_EQ(dock->BackgroundCache()->Width(), 220);
  }
}

// A checked button that is not hot is filled with the checked colour without a scheme, and with the
// pressed gradient (top to bottom) with one; hot it takes the hot gradient and the scheme frame.
TEST_F(Office11Look, CheckedAndHotItemsInTheirGradients)
{
  using S = TdxBarPaintingState;
  for (const wchar_t* scheme : {static_cast<const wchar_t*>(nullptr), L"NormalColor", L"HomeStead", L"Metallic"}) {
    SCOPED_TRACE(scheme ? "a scheme" : "no scheme");
    if (scheme) UseScheme(scheme);
    EXPECT_EQ(IsOffice2003SchemeActive(), scheme != nullptr);
    TDibSurface s(24, 22, White);
    const RECT r{0, 0, 24, 22};
    Painter()->FrameItemGlyph(Control, s.DC(), {S::psChecked}, r);
    if (!scheme) {
      EXPECT_EQ(s.Pixel(12, 2), Rgb(dxOffice11Color(48)));
      EXPECT_EQ(s.Pixel(12, 19), Rgb(dxOffice11Color(48)));
    } else {
      EXPECT_TRUE(Near(s.Pixel(12, 1), Rgb(dxOffice11Color(45))));
      EXPECT_TRUE(Near(s.Pixel(12, 20), Rgb(dxOffice11Color(46))));
    }
    EXPECT_EQ(s.Pixel(0, 10), Rgb(clHighlight));  // the down frame
    s.Fill(White);
    Painter()->FrameItemGlyph(Control, s.DC(), {S::psHot}, r);
    EXPECT_TRUE(Near(s.Pixel(12, 1), Rgb(dxOffice11Color(43))));
    EXPECT_TRUE(Near(s.Pixel(12, 20), Rgb(dxOffice11Color(44))));
    EXPECT_EQ(s.Pixel(0, 10), Rgb(dxOffice11Color(42)));  // the scheme frame
  }
}

// A bordered toolbar is a rounded box: the corner pixels show the dock, those beside them are half
// edge (or shadow) colour and half the dock's; a shadow row runs along the bottom (the right side on
// a vertical bar); the grip dots run along the grip 3 + 2 pixels into the bar.
TEST_F(Office11Look, RoundedToolbarBoxAndGripDots)
{
  EXPECT_EQ(Painter()->GetGripAreaSize(Toolbar), 8);
  for (bool horizontal : {true, false}) {
    SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
    Toolbar->SetDockingStyle(horizontal ? dsTop : dsLeft);
    const int w = horizontal ? 80 : 26, h = horizontal ? 26 : 80;
    Toolbar->SetBounds(0, 0, w, h);
    TDibSurface s(w, h, White);
    Painter()->DrawDockedBarBorder(Toolbar, s.DC(), RECT{0, 0, w, h});
    const COLORREF dock = Rgb(dxOffice11Color(1));
    const COLORREF edgeBlend = Rgb(BlendColors(dxOffice11Color(12), dxOffice11Color(1), 50));
    const COLORREF shadowBlend = Rgb(BlendColors(dxOffice11Color(11), dxOffice11Color(1), 50));
    // The box: from 2 along the start, one short of the outer side.
    const int l = horizontal ? 2 : 0, t = horizontal ? 0 : 2, r = horizontal ? w - 1 : w - 2, b = horizontal ? h - 2 : h - 1;
    EXPECT_EQ(s.Pixel(l, t), dock);
    EXPECT_EQ(s.Pixel(l + 1, t), edgeBlend);
    EXPECT_EQ(s.Pixel(l, t + 1), edgeBlend);
    EXPECT_EQ(s.Pixel(r - 1, b), shadowBlend);
    EXPECT_EQ(s.Pixel(r, b - 1), shadowBlend);
    EXPECT_EQ(s.Pixel(r, b), dock);
    // The shadow line.
    EXPECT_EQ(horizontal ? s.Pixel(40, b) : s.Pixel(r, 40), Rgb(dxOffice11Color(11)));
    // The start strip shows the dock.
    EXPECT_EQ(horizontal ? s.Pixel(0, 12) : s.Pixel(12, 0), dock);
    // Grip dots: 2 + 3 in along the bar; the dot's upper square in colour 19, the lower in 20.
    int dots = 0;
    for (int along = 0; along < (horizontal ? h : w); ++along) {
      const COLORREF p = horizontal ? s.Pixel(5, along) : s.Pixel(along, 5);
      dots += p == Rgb(dxOffice11Color(19));
    }
    EXPECT_GE(dots, 6);
    EXPECT_EQ(horizontal ? s.Pixel(4, 12) : s.Pixel(12, 4), White);
  }
}

// The group separator: a dark line 3 after the start to 4 before the end, a light one below it
// from 4 to 3.
TEST_F(Office11Look, BeginGroupSeparator)
{
  TDibSurface s(20, 6, White);
  Painter()->DrawBeginGroupSeparator(nullptr, s.DC(), true, SystemColorBrush(COLOR_WINDOW), RECT{0, 0, 20, 6});
  const int y = Painter()->GetBeginGroupLineOffset();
  EXPECT_EQ(s.Pixel(3, y), Rgb(dxOffice11Color(21)));
  EXPECT_EQ(s.Pixel(15, y), Rgb(dxOffice11Color(21)));
  EXPECT_NE(s.Pixel(16, y), Rgb(dxOffice11Color(21)));
  EXPECT_NE(s.Pixel(2, y), Rgb(dxOffice11Color(21)));
  EXPECT_EQ(s.Pixel(4, y + 1), Rgb(dxOffice11Color(22)));
  EXPECT_EQ(s.Pixel(16, y + 1), Rgb(dxOffice11Color(22)));
}
