// Bar shadows: the parts round a menu and the item it was opened from, their alpha gradients, the
// part windows (layered or plain by the screen's depth), and clicks that go through them.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarShadow.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/dxFading.h"

namespace {
using P = TdxBarShadowPartInfo;
constexpr int H = dxBarShadowHorzStrip, V = dxBarShadowVertStrip;
constexpr uint8_t FL = dxBarShadowFadeLeft, FR = dxBarShadowFadeRight, FT = dxBarShadowFadeTop;

std::string Describe(const std::vector<P>& parts)
{
  std::string s;
  for (const P& p : parts)
    s += "(" + std::to_string(p.Bounds.left) + "," + std::to_string(p.Bounds.top) + "," + std::to_string(p.Bounds.right) +
         "," + std::to_string(p.Bounds.bottom) + " k" + std::to_string(p.Kind) + " f" + std::to_string(p.FadedEnds) + ")";
  return s;
}

int Depth8() { return 8; }
int Depth32() { return 32; }

struct TMouseDowns : TObject {
  int Count = 0;
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++Count; }
};
}  // namespace

// (owner-item rect, menu rect) → the parts in creation order, with a shadow 4 pixels wide.
TEST(dxBarShadow, PartsRoundAMenuAndItsItem)
{
  struct TCase {
    const char* Name;
    RECT Owner, Menu;
    bool Horizontal;
    std::vector<P> Parts;
  };
  const TCase cases[] = {
      {"no owner item", {}, {10, 10, 110, 60}, true,
       {{{14, 60, 114, 64}, H, FL | FR}, {{110, 14, 114, 60}, V, FT}}},
      {"below a button wider than the menu", {100, 100, 200, 122}, {100, 122, 180, 300}, true,
       {{{200, 104, 204, 122}, V, FT}, {{104, 300, 184, 304}, H, FL | FR}, {{180, 122, 204, 126}, H, FR},
        {{180, 122, 184, 300}, V, 0}}},
      {"below a button narrower than the menu", {100, 100, 140, 122}, {100, 122, 250, 300}, true,
       {{{140, 104, 144, 122}, V, FT}, {{104, 300, 254, 304}, H, FL | FR}, {{250, 126, 254, 300}, V, FT}}},
      {"a menu moved left of its button", {100, 100, 140, 122}, {50, 122, 120, 300}, true,
       {{{140, 104, 144, 122}, V, FT}, {{54, 300, 124, 304}, H, FL | FR}, {{120, 122, 144, 126}, H, FR},
        {{120, 122, 124, 300}, V, 0}}},
      {"a menu right of a wide button's start", {100, 100, 200, 122}, {150, 122, 300, 200}, true,
       {{{200, 104, 204, 122}, V, FT}, {{154, 200, 304, 204}, H, FL | FR}, {{104, 122, 150, 126}, H, FL},
        {{300, 126, 304, 200}, V, FT}}},
      {"opened upwards: the menu is the upper rect", {100, 300, 160, 322}, {100, 122, 200, 300}, true,
       {{{200, 126, 204, 300}, V, FT}, {{104, 322, 164, 326}, H, FL | FR}, {{160, 300, 204, 304}, H, FR},
        {{160, 300, 164, 322}, V, 0}}},
      {"a sub-menu right of its item", {0, 50, 100, 70}, {100, 40, 200, 200}, false,
       {{{200, 44, 204, 200}, V, FT}, {{4, 70, 100, 74}, H, FL}, {{104, 200, 204, 204}, H, FL | FR}}},
      {"a short sub-menu right of a tall item", {0, 50, 100, 300}, {100, 100, 200, 200}, false,
       {{{200, 104, 204, 200}, V, FT}, {{100, 54, 104, 100}, V, FT}, {{4, 300, 104, 304}, H, FL | FR},
        {{100, 200, 104, 300}, V, 0}, {{100, 200, 204, 204}, H, FR}}},
      {"a sub-menu left of its item: the item is the right rect", {300, 50, 400, 70}, {200, 40, 300, 200}, false,
       {{{400, 54, 404, 70}, V, FT}, {{300, 44, 304, 50}, V, FT}, {{204, 200, 304, 204}, H, FL | FR},
        {{300, 70, 304, 200}, V, 0}, {{300, 70, 404, 74}, H, FR}}},
  };
  auto form = NewForm();
  TFormGuard guard{form};
  TScopedSeam depth(dxGetScreenColorDepth, &Depth32);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(form);
    shadow->SetBounds(c.Owner, c.Menu);
    EXPECT_EQ(shadow->Horizontal(), c.Horizontal);
    std::vector<P> made;
    for (int i = 0; i < 5; ++i)
      if (TdxBarShadowPart* part = shadow->Parts(i)) {
        made.push_back(part->Info());
        EXPECT_EQ(part->Width(), part->Info().Bounds.right - part->Info().Bounds.left);
      }
    EXPECT_EQ(Describe(made), Describe(c.Parts));
  }
}

// 15 × the distance from the far edge (60, 45, 30, 15 from the bar outward), each faded end scaled
// by (d + 1) / 5 over its 4 by 4 square.
TEST(dxBarShadow, AlphaRowsAndFadedEnds)
{
  const std::vector<uint8_t> h = CalcBarShadowPartAlphas(10, 4, H, FL | FR, 4);
  auto hAt = [&](int x, int y) { return int(h[y * 10 + x]); };
  EXPECT_EQ(hAt(5, 0), 60);
  EXPECT_EQ(hAt(5, 1), 45);
  EXPECT_EQ(hAt(5, 3), 15);
  EXPECT_EQ(hAt(0, 0), 12);
  EXPECT_EQ(hAt(3, 0), 48);
  EXPECT_EQ(hAt(4, 0), 60);
  EXPECT_EQ(hAt(9, 0), 12);
  EXPECT_EQ(hAt(6, 1), 36);
  EXPECT_EQ(hAt(0, 3), 3);

  const std::vector<uint8_t> v = CalcBarShadowPartAlphas(4, 10, V, FT, 4);
  auto vAt = [&](int x, int y) { return int(v[y * 4 + x]); };
  EXPECT_EQ(vAt(0, 9), 60);
  EXPECT_EQ(vAt(3, 9), 15);
  EXPECT_EQ(vAt(0, 0), 12);
  EXPECT_EQ(vAt(1, 2), 27);
  EXPECT_EQ(vAt(0, 4), 60);

  const std::vector<uint8_t> plain = CalcBarShadowPartAlphas(4, 6, V, 0, 4);
  EXPECT_EQ(int(plain[0]), 60);
}

// Layered windows on a deep screen: 4-pixel layered popups owned by the bar control's window, a part
// with faded ends shorter than the shadow never shows; on an 8-bit screen, or without
// UpdateLayeredWindow, 2-pixel plain windows.
TEST(dxBarShadow, LayeredOrPlainPartsByTheScreen)
{
  auto form = NewForm();
  TFormGuard guard{form};
  form->SetBounds(40, 40, 300, 300);
  form->Show();
  {
    TScopedSeam depth(dxGetScreenColorDepth, &Depth32);
    ASSERT_TRUE(TdxBarShadow::UsesLayeredParts());
    TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(form);
    shadow->SetBounds({}, {100, 100, 200, 150});
    shadow->ShowParts(true);
    TdxBarShadowPart* below = shadow->Parts(0);
    ASSERT_TRUE(below && below->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(below->Handle()));
    const LONG style = GetWindowLongA(below->Handle(), GWL_STYLE), exStyle = GetWindowLongA(below->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_EQ(GetWindow(below->Handle(), GW_OWNER), form->Handle());
    RECT r;
    GetWindowRect(below->Handle(), &r);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.bottom - r.top, 4);
    shadow->ShowParts(false);
    EXPECT_FALSE(below->HandleAllocated());
  }
  for (bool noLayering : {false, true}) {
    SCOPED_TRACE(noLayering ? "without UpdateLayeredWindow" : "8 bits per pixel");
    TScopedSeam depth(dxGetScreenColorDepth, noLayering ? &Depth32 : &Depth8);
    TScopedSeam ulw(dxUpdateLayeredWindow, noLayering ? nullptr : dxUpdateLayeredWindow);
    EXPECT_FALSE(TdxBarShadow::UsesLayeredParts());
    TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(form);
    EXPECT_EQ(shadow->ShadowWidth(), 2);
    shadow->SetBounds({}, {100, 100, 200, 150});
    shadow->ShowParts(true);
    TdxBarShadowPart* right = shadow->Parts(1);
    ASSERT_TRUE(right && right->HandleAllocated());
    EXPECT_FALSE(GetWindowLongA(right->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT r;
    GetWindowRect(right->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 2);
    EXPECT_EQ(r.top, 102);
  }
}

// A part with faded ends shorter than the shadow is never shown; one without faded ends always.
TEST(dxBarShadow, ShortFadedPartsStayHidden)
{
  auto form = NewForm();
  TFormGuard guard{form};
  form->Show();
  TScopedSeam depth(dxGetScreenColorDepth, &Depth32);
  TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(form);
  // A button 2 pixels narrower than the menu's start plus the shadow: the strip below its left
  // overhang would be 3 wide.
  shadow->SetBounds({100, 100, 200, 122}, {107, 122, 300, 200});
  shadow->ShowParts(true);
  bool sawShort = false;
  for (int i = 0; i < 5; ++i)
    if (TdxBarShadowPart* part = shadow->Parts(i)) {
      const RECT& b = part->Info().Bounds;
      if (part->Info().FadedEnds && (b.right - b.left < 4 || b.bottom - b.top < 4)) {
        sawShort = true;
        EXPECT_FALSE(part->CanShow());
        EXPECT_FALSE(part->HandleAllocated() && IsWindowVisible(part->Handle()));
      } else {
        EXPECT_TRUE(part->HandleAllocated() && IsWindowVisible(part->Handle()));
      }
    }
  EXPECT_TRUE(sawShort);
}

// The shadow never takes the mouse: a click on a part reaches the window below it.
TEST(dxBarShadow, ClicksGoThroughToTheWindowBelow)
{
  auto below = NewForm();
  TFormGuard guardBelow{below};
  below->SetBounds(20, 20, 400, 400);
  auto downs = MakeOwned<TMouseDowns>();
  below->SetOnMouseDown(TMouseEvent(downs.get(), &TMouseDowns::MouseDown));
  below->Show();
  ASSERT_TRUE(BringToFront(below->Handle()));
  TScopedSeam depth(dxGetScreenColorDepth, &Depth32);
  TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(below);
  shadow->SetBounds({}, {100, 100, 200, 150});
  shadow->ShowParts(true);
  HandleWaitingMessages();
  ASSERT_TRUE(ClickAt({150, 250}));
  EXPECT_TRUE(PumpUntil([&] { return downs->Count == 1; }));
  const POINT onPart{150, 151};
  EXPECT_EQ(WindowFromPoint(onPart), below->Handle());
  ASSERT_TRUE(ClickAt(onPart));
  EXPECT_TRUE(PumpUntil([&] { return downs->Count == 2; }));
}

// A hundred shadows shown and hidden leave no windows and no graphics objects behind.
TEST(dxBarShadow, NoLeaks)
{
  auto form = NewForm();
  TFormGuard guard{form};
  form->Show();
  HandleWaitingMessages();
  for (bool layered : {true, false}) {
    TScopedSeam depth(dxGetScreenColorDepth, layered ? &Depth32 : &Depth8);
    const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
      TOwned<TdxBarShadow> shadow = MakeOwned<TdxBarShadow>(form);
      shadow->SetBounds({100, 80, 160, 100}, {100, 100, 200, 150 + i % 7});
      shadow->ShowParts(true);
      shadow->ShowParts(false);
      shadow->ShowParts(true);
    }
    HandleWaitingMessages();
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(LiveGdiObjects(), gdi);
  }
}

namespace {
// A manager's bar shown floating (its window a bar control that draws a border line in the flat,
// Office 2003 and XP looks).
struct TFloatingBar {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();

  explicit TFloatingBar(TdxBarManagerStyle style)
  {
    Manager->SetStyle(style);
    Form->Show();
    Bar->SetCaption("Tools");
    Bar->SetDockingStyle(TdxBarDockingStyle::dsNone);
    Bar->SetFloatLeft(200);
    Bar->SetFloatTop(200);
    Bar->SetFloatClientWidth(150);
    Bar->SetFloatClientHeight(50);
  }
  void Show(bool visible)
  {
    Bar->SetVisible(visible);
    HandleWaitingMessages();
  }
};
}  // namespace

// A hundred shows and hides of a shadowed bar in each look leave no windows and no graphics
// objects behind.
TEST(dxBarShadow, ShowingAndHidingShadowedBarsLeaksNothing)
{
  for (TdxBarManagerStyle style : {TdxBarManagerStyle::bmsStandard, TdxBarManagerStyle::bmsEnhanced,
                                   TdxBarManagerStyle::bmsFlat, TdxBarManagerStyle::bmsOffice11,
                                   TdxBarManagerStyle::bmsXP}) {
    SCOPED_TRACE(static_cast<int>(style));
    TFloatingBar f(style);
    f.Show(true);
    f.Show(false);
    const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
      f.Show(true);
      f.Show(false);
    }
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(LiveGdiObjects(), gdi);
  }
}
