// Popup and hint window bases: popup placement, flipping and clamping against the work areas of
// several monitors; sizing to child controls with frames; the frames drawn; the hint window kept
// inside the work area and never activated; the choice of its show animation; and the hint
// pipeline's PrepareHintInfo and ShowHintWindowAt.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

namespace {
using controls_test::NewForm;
using controls_test::TFormGuard;

// Three monitors side by side: one left of the primary, the primary with a task bar at the bottom,
// and a smaller one on the right.
RECT ThreeMonitors(POINT p)
{
  if (p.x < 0) return RECT{-800, 0, 0, 600};
  if (p.x < 1000) return RECT{0, 0, 1000, 700};
  return RECT{1000, 0, 1800, 600};
}

struct TPlacementCase {
  const char* Name;
  RECT Owner;
  TcxPopupOpenDirection Direction;
  TcxPopupHorzPlacement Horz;
  TcxPopupVertPlacement Vert;
  SIZE Size;
  POINT Expected;
};

TEST(cxPopupWindow, PlacementFlippingAndClampingByWorkArea)
{
  TScopedSeam workArea(cxDesktopWorkAreaFunc, ThreeMonitors);
  const TPlacementCase cases[] = {
    {"below, fits", {100, 100, 200, 120}, podVertical, phpLeft, pvpBottom, {150, 80}, {100, 120}},
    {"right-aligned below", {100, 100, 200, 120}, podVertical, phpRight, pvpBottom, {150, 80}, {50, 120}},
    {"centred below", {100, 100, 200, 120}, podVertical, phpCenter, pvpBottom, {50, 80}, {125, 120}},
    {"below near the bottom flips above", {100, 600, 200, 620}, podVertical, phpLeft, pvpBottom, {150, 200}, {100, 400}},
    {"below, less room above: stays and runs off", {100, 50, 200, 600}, podVertical, phpLeft, pvpBottom, {150, 200}, {100, 600}},
    {"above at the top flips below", {100, 30, 200, 50}, podVertical, phpLeft, pvpTop, {150, 100}, {100, 50}},
    {"above, more room above: stays", {100, 300, 200, 690}, podVertical, phpLeft, pvpTop, {150, 400}, {100, -100}},
    {"clamped at the right edge", {900, 100, 980, 120}, podVertical, phpLeft, pvpBottom, {150, 80}, {850, 120}},
    {"wider than the work area: at its left edge", {100, 100, 200, 120}, podVertical, phpLeft, pvpBottom, {1200, 80}, {0, 120}},
    {"right of the owner at the right edge flips left", {800, 100, 900, 120}, podHorizontal, phpRight, pvpTop, {150, 80}, {650, 100}},
    {"right of the owner, no more room left: stays", {50, 100, 950, 120}, podHorizontal, phpRight, pvpTop, {150, 80}, {950, 100}},
    {"left of the owner at the left edge flips right", {50, 100, 100, 120}, podHorizontal, phpLeft, pvpTop, {150, 80}, {100, 100}},
    {"horizontal, bottom-aligned, clamped to the top", {50, 10, 100, 30}, podHorizontal, phpRight, pvpBottom, {150, 80}, {100, 0}},
    {"horizontal, centred, clamped to the top", {100, 10, 200, 30}, podHorizontal, phpRight, pvpCenter, {60, 100}, {200, 0}},
    {"second monitor: flips above and clamps left", {1700, 550, 1750, 570}, podVertical, phpLeft, pvpBottom, {150, 100}, {1650, 450}},
    {"monitor left of the primary", {-100, 100, -50, 120}, podVertical, phpLeft, pvpBottom, {150, 80}, {-150, 120}},
  };
  TOwned<TcxPopupWindow> popup = MakeOwned<TcxPopupWindow>(nullptr);
  for (const TPlacementCase& c : cases) {
    SCOPED_TRACE(c.Name);
    popup->SetOwnerRect(c.Owner);
    popup->SetOpenDirection(c.Direction);
    popup->SetHorzPlacement(c.Horz);
    popup->SetVertPlacement(c.Vert);
    popup->SetBounds(0, 0, c.Size.cx, c.Size.cy);
    const POINT p = popup->CalculatePosition();
    EXPECT_EQ(p.x, c.Expected.x);
    EXPECT_EQ(p.y, c.Expected.y);
    // A flip works on copies: the placements stay as they were set.
    EXPECT_EQ(popup->HorzPlacement(), c.Horz);
    EXPECT_EQ(popup->VertPlacement(), c.Vert);
  }
}

TEST(cxPopupWindow, DefaultsAndTheOwnerRectInTheOwnersClientCoordinates)
{
  TFormGuard form{NewForm(300, 200)};
  form.Form->SetBounds(120, 90, 320, 240);
  form.Form->Show();
  TOwned<TcxPopupWindow> popup = MakeOwned<TcxPopupWindow>(nullptr);
  EXPECT_TRUE(popup->AutoSizeToControls());
  EXPECT_EQ(popup->HorzPlacement(), phpLeft);
  EXPECT_EQ(popup->VertPlacement(), pvpBottom);
  EXPECT_EQ(popup->OpenDirection(), podVertical);
  EXPECT_EQ(popup->FrameStyle(), pfsNone);
  EXPECT_EQ(popup->FrameLineColor(), clWindowFrame);
  EXPECT_EQ(popup->BorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(popup->DefaultMonitor(), TDefaultMonitor::dmDesktop);
  EXPECT_EQ(popup->FormStyle(), TFormStyle::fsStayOnTop);

  popup->SetOwnerParentControl(form.Form);
  popup->SetOwnerRect(RECT{10, 20, 60, 40});
  const POINT origin = form.Form->ClientToScreen(POINT{0, 0});
  const RECT bounds = popup->GetOwnerScreenBounds();
  EXPECT_EQ(bounds.left, origin.x + 10);
  EXPECT_EQ(bounds.top, origin.y + 20);
  EXPECT_EQ(bounds.right, origin.x + 60);
  EXPECT_EQ(bounds.bottom, origin.y + 40);

  // The owner parent is forgotten when it goes.
  Free(form.Form);
  form.Form = nullptr;
  EXPECT_EQ(popup->OwnerParentControl(), nullptr);
}

TEST(cxPopupWindow, SizesToChildrenAndChangingTheFrameDoesNotAddOffsetsTwice)
{
  TOwned<TcxPopupWindow> popup = MakeOwned<TcxPopupWindow>(nullptr);
  auto* a = New<TPanel>(popup.get());
  a->SetParent(popup.get());
  a->SetBounds(0, 0, 100, 30);
  auto* b = New<TPanel>(popup.get());
  b->SetParent(popup.get());
  b->SetBounds(20, 40, 50, 20);

  popup->SetFrameStyle(pfs3D);  // offset 2 + 3 on every side
  popup->SetFrameSpacing(3);
  EXPECT_EQ(popup->GetFrameWidth(psLeft), 2);
  EXPECT_EQ(popup->GetFrameOffset(psBottom), 5);
  popup->CalculateSize();
  EXPECT_EQ(popup->Width(), 5 + 100 + 5);
  EXPECT_EQ(popup->Height(), 5 + 60 + 5);
  EXPECT_EQ(a->Left(), 5);
  EXPECT_EQ(b->Top(), 45);
  RECT client = popup->GetFrameClientRect();
  EXPECT_EQ(client.left, 5);
  EXPECT_EQ(client.right, popup->ClientWidth() - 5);

  popup->SetFrameStyle(pfsSingle);  // back to the designed places, then offset 1 + 3
  EXPECT_EQ(a->Left(), 0);
  EXPECT_EQ(b->Top(), 40);
  popup->CalculateSize();
  EXPECT_EQ(popup->Width(), 4 + 100 + 4);
  EXPECT_EQ(a->Left(), 4);
  EXPECT_EQ(b->Top(), 44);

  // Without children nothing changes size; without AutoSizeToControls nothing moves.
  TOwned<TcxPopupWindow> empty = MakeOwned<TcxPopupWindow>(nullptr);
  empty->SetBounds(0, 0, 77, 55);
  empty->SetFrameStyle(pfs3D);
  empty->CalculateSize();
  EXPECT_EQ(empty->Width(), 77);
  popup->SetAutoSizeToControls(false);
  popup->CalculateSize();
  EXPECT_EQ(a->Left(), 4);
}

TEST(cxPopupWindow, DrawsItsFrame)
{
  TOwned<TcxPopupWindow> popup = MakeOwned<TcxPopupWindow>(nullptr);
  popup->SetBounds(0, 0, 20, 12);
  TDibSurface surface(20, 12, RGB(1, 2, 3));
  auto draw = [&] {
    surface.Fill(RGB(1, 2, 3));
    TCanvasDCScope scope(popup->Canvas(), surface.DC());
    popup->DrawFrame();
    GdiFlush();
  };
  popup->SetFrameStyle(pfsSingle);
  popup->SetFrameLineColor(clRed);
  draw();
  EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(surface.Pixel(19, 11), RGB(255, 0, 0));
  EXPECT_EQ(surface.Pixel(1, 1), RGB(1, 2, 3));

  // Raised bevels: light top-left, dark bottom-right; the 3-D frame is two pixels deep.
  popup->SetFrameStyle(pfs3D);
  draw();
  EXPECT_NE(surface.Pixel(0, 5), RGB(1, 2, 3));
  EXPECT_NE(surface.Pixel(1, 5), RGB(1, 2, 3));
  EXPECT_EQ(surface.Pixel(2, 5), RGB(1, 2, 3));
  popup->SetFrameStyle(pfsFlat);
  draw();
  EXPECT_NE(surface.Pixel(0, 5), RGB(1, 2, 3));
  EXPECT_EQ(surface.Pixel(1, 5), RGB(1, 2, 3));
  popup->SetFrameStyle(pfsNone);
  draw();
  EXPECT_EQ(surface.Pixel(0, 5), RGB(1, 2, 3));
}

TEST(cxPopupWindow, PopupShowsAtItsPositionAndCloseUpHides)
{
  TScopedSeam workArea(cxDesktopWorkAreaFunc, ThreeMonitors);
  TOwned<TcxPopupWindow> popup = MakeOwned<TcxPopupWindow>(nullptr);
  auto* child = New<TPanel>(popup.get());
  child->SetParent(popup.get());
  child->SetBounds(0, 0, 90, 40);
  popup->SetOwnerRect(RECT{200, 100, 300, 120});
  popup->Popup();
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  RECT r = ReadWindowRect(popup->Handle());
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 90);
  EXPECT_TRUE(GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  popup->CloseUp();
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
}

// --- Hint window ---

struct TAnimateCall {
  HWND Wnd;
  DWORD Time;
  DWORD Flags;
};
std::vector<TAnimateCall> AnimateCalls;
BOOL WINAPI RecordAnimate(HWND wnd, DWORD time, DWORD flags)
{
  AnimateCalls.push_back({wnd, time, flags});
  return TRUE;
}
TcxTooltipAnimationSettings TooltipSettings{true, true};
TcxTooltipAnimationSettings ReadTestTooltipSettings() { return TooltipSettings; }
DWORD TestTicks = 100000;
DWORD WINAPI TestTickCount() { return TestTicks; }
RECT TestWorkArea(POINT) { return RECT{100, 100, 700, 500}; }

class cxBaseHintWindowTest : public testing::Test {
protected:
  void SetUp() override
  {
    AnimateCalls.clear();
    TooltipSettings = {true, true};
    TestTicks = 100000;
  }
  TScopedSeam<TcxAnimateWindowFunc> FAnimate{cxAnimateWindow, RecordAnimate};
  TScopedSeam<TcxReadTooltipAnimationFunc> FSettings{cxReadTooltipAnimation, ReadTestTooltipSettings};
  TScopedSeam<TcxTickCountFunc> FTicks{cxHintTickCount, TestTickCount};
  TScopedSeam<TcxDesktopWorkAreaFunc> FWorkArea{cxDesktopWorkAreaFunc, TestWorkArea};
};

TEST_F(cxBaseHintWindowTest, ChoosesItsAnimationFromKindAndTooltipSettings)
{
  struct TCase {
    BYTE Kind;
    TcxTooltipAnimationSettings Settings;
    DWORD Flags;  // 0: not animated
  } cases[] = {
    {cxhakSystemDefault, {true, true}, AW_BLEND | AW_SLIDE},
    {cxhakSystemDefault, {true, false}, AW_VER_POSITIVE | AW_SLIDE},
    {cxhakSystemDefault, {false, true}, 0},
    {cxhakNone, {true, true}, 0},
    {cxhakSlideLeftToRight, {true, true}, AW_HOR_POSITIVE | AW_SLIDE},
    {cxhakSlideRightToLeft, {true, false}, AW_HOR_NEGATIVE | AW_SLIDE},
    {cxhakSlideBottomToTop, {true, true}, AW_VER_NEGATIVE | AW_SLIDE},
    {cxhakCenter, {true, true}, AW_CENTER | AW_SLIDE},
    {cxhakFade, {true, false}, AW_BLEND | AW_SLIDE},
    {cxhakFade, {false, false}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.Kind) << " animation " << c.Settings.Animation << " fade "
                                    << c.Settings.Fade);
    AnimateCalls.clear();
    TooltipSettings = c.Settings;
    TOwned<TcxBaseHintWindow> hint = MakeOwned<TcxBaseHintWindow>(nullptr);
    hint->SetAnimationKind(c.Kind);
    hint->SetAnimationTime(123);
    hint->ActivateHint(RECT{200, 200, 300, 230}, "hint");
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    if (c.Flags == 0) {
      EXPECT_TRUE(AnimateCalls.empty());
      EXPECT_FALSE(hint->IsAnimating());
    } else {
      ASSERT_EQ(AnimateCalls.size(), 1u);
      EXPECT_EQ(AnimateCalls[0].Flags, c.Flags);
      EXPECT_EQ(AnimateCalls[0].Time, 123u);
      EXPECT_EQ(AnimateCalls[0].Wnd, hint->Handle());
      EXPECT_TRUE(hint->IsAnimating());
    }
  }
}

TEST_F(cxBaseHintWindowTest, AnimatesOnlyAfterAPauseShortTextsAndWithAnimateWindow)
{
  TOwned<TcxBaseHintWindow> hint = MakeOwned<TcxBaseHintWindow>(nullptr);
  const RECT r{200, 200, 300, 230};
  hint->ActivateHint(r, "first");
  EXPECT_EQ(AnimateCalls.size(), 1u);
  TestTicks += 250;  // too soon
  hint->ActivateHint(r, "second");
  EXPECT_EQ(AnimateCalls.size(), 1u);
  TestTicks += 251;
  hint->ActivateHint(r, "third");
  EXPECT_EQ(AnimateCalls.size(), 2u);
  TestTicks += 1000;
  hint->ActivateHint(r, std::string(100, 'x'));  // 100 characters: never animated
  EXPECT_EQ(AnimateCalls.size(), 2u);
  TestTicks += 1000;
  hint->ActivateHint(r, std::string(99, 'x'));
  EXPECT_EQ(AnimateCalls.size(), 3u);
  TestTicks += 1000;
  {
    TScopedSeam<TcxAnimateWindowFunc> none(cxAnimateWindow, nullptr);
    hint->ActivateHint(r, "no AnimateWindow");
  }
  EXPECT_EQ(AnimateCalls.size(), 3u);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_EQ(hint->Caption(), "no AnimateWindow");
}

TEST_F(cxBaseHintWindowTest, StaysInsideTheWorkAreaAndNeverTakesActivation)
{
  TFormGuard form{NewForm()};
  form.Form->Show();
  SetForegroundWindow(form.Form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form.Form->Handle(); }));
  TOwned<TcxBaseHintWindow> hint = MakeOwned<TcxBaseHintWindow>(nullptr);
  // Partly off the work area (100, 100, 700, 500) to the right and below: moved, not resized.
  hint->ActivateHint(RECT{650, 480, 750, 520}, "hint");
  HandleWaitingMessages();
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  RECT r = ReadWindowRect(hint->Handle());
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.top, 460);
  EXPECT_EQ(r.right, 700);
  EXPECT_EQ(r.bottom, 500);
  EXPECT_EQ(GetActiveWindow(), form.Form->Handle());
  EXPECT_EQ(GetForegroundWindow(), form.Form->Handle());
  EXPECT_TRUE(GetWindowLongPtrA(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrA(hint->Handle(), GWL_STYLE) & WS_BORDER);
  // Moving it directly keeps it inside too (left and top win for a hint larger than the area).
  hint->SetBounds(50, 20, 800, 50);
  EXPECT_EQ(hint->Left(), 100);
  EXPECT_EQ(hint->Top(), 100);
  ShowWindow(hint->Handle(), SW_HIDE);
}

TEST_F(cxBaseHintWindowTest, StandardModeAndBorderedKeepTheBorder)
{
  TOwned<TcxBaseHintWindow> bordered = MakeOwned<TcxBaseHintWindow>(nullptr);
  bordered->SetBordered(true);
  EXPECT_TRUE(GetWindowLongPtrA(bordered->Handle(), GWL_STYLE) & WS_BORDER);
  TOwned<TcxBaseHintWindow> standard = MakeOwned<TcxBaseHintWindow>(nullptr);
  standard->SetStandardMode(true);
  standard->ActivateHint(RECT{200, 200, 300, 230}, "standard");
  EXPECT_TRUE(GetWindowLongPtrA(standard->Handle(), GWL_STYLE) & WS_BORDER);
  EXPECT_TRUE(IsWindowVisible(standard->Handle()));
  EXPECT_TRUE(AnimateCalls.empty());
  ShowWindow(standard->Handle(), SW_HIDE);
}

// --- Hint functions ---

class TShowHintRecorder : public TObject {
  CL_CLASS(TShowHintRecorder, TObject)
public:
  void ShowHint(std::string& hintStr, bool& canShow, THintInfo& info)
  {
    Seen.push_back(info);
    SeenText = hintStr;
    if (Refuse) canShow = false;
    if (!NewText.empty()) hintStr = NewText;
    if (WindowClass) info.HintWindowClass = WindowClass;
  }
  std::vector<THintInfo> Seen;
  std::string SeenText, NewText;
  bool Refuse = false;
  TClass WindowClass = nullptr;
};
CL_DEFINE_CLASS(TShowHintRecorder);

TEST(cxHintFunctions, PrepareHintInfoFillsTheInfoAndAsksTheApplication)
{
  TFormGuard form{NewForm()};
  form.Form->Show();
  TOwned<TShowHintRecorder> recorder = MakeOwned<TShowHintRecorder>();
  const TShowHintEvent saved = Application->OnShowHint();
  Application->SetOnShowHint(TShowHintEvent(recorder.get(), &TShowHintRecorder::ShowHint));
  struct TRestore {
    TShowHintEvent Saved;
    ~TRestore() { Application->SetOnShowHint(Saved); }
  } restore{saved};

  THintInfo info;
  THintWindow* window = nullptr;
  RECT rect{150, 160, 0, 0};
  ASSERT_TRUE(PrepareHintInfo(info, window, form.Form, 0, nullptr, rect, "a hint"));
  ASSERT_EQ(recorder->Seen.size(), 1u);
  EXPECT_EQ(recorder->SeenText, "a hint");
  const THintInfo& seen = recorder->Seen[0];
  EXPECT_EQ(seen.HintControl, form.Form);
  EXPECT_EQ(seen.HintWindowClass, nullptr);
  EXPECT_EQ(seen.HintPos.x, 150);
  EXPECT_EQ(seen.HintPos.y, 160);
  EXPECT_EQ(seen.HintMaxWidth, Screen->Width());
  EXPECT_EQ(seen.HintColor, Application->HintColor());
  EXPECT_EQ(seen.HideTimeout, Application->HintHidePause());
  EXPECT_EQ(seen.ReshowTimeout, 0);
  EXPECT_EQ(seen.CursorRect.right, form.Form->Width());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->ClassType(), HintWindowClass);
  EXPECT_EQ(rect.left, 150);
  EXPECT_EQ(rect.top, 160);
  EXPECT_GT(rect.right, rect.left);
  EXPECT_GT(rect.bottom, rect.top);

  // The handler picks another window class: the window is replaced; a hide timeout is kept.
  recorder->WindowClass = TcxBaseHintWindow::StaticClass();
  ASSERT_TRUE(PrepareHintInfo(info, window, form.Form, 777, nullptr, rect, "again"));
  EXPECT_EQ(recorder->Seen.back().HintWindowClass, THintWindow::StaticClass());
  EXPECT_EQ(recorder->Seen.back().HideTimeout, 777);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->ClassType(), TcxBaseHintWindow::StaticClass());

  // Shown where asked.
  ShowHintWindowAt(window, RECT{200, 210, 260, 230}, "shown");
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(window->Caption(), "shown");

  // A refused hint and an emptied text make no window and leave the rectangle alone.
  Free(window);
  window = nullptr;
  recorder->WindowClass = nullptr;
  recorder->Refuse = true;
  RECT kept{1, 2, 3, 4};
  EXPECT_FALSE(PrepareHintInfo(info, window, nullptr, 0, nullptr, kept, "refused"));
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(kept.right, 3);
  recorder->Refuse = false;
  EXPECT_TRUE(PrepareHintInfo(info, window, nullptr, 0, nullptr, kept, ""));
  EXPECT_EQ(window, nullptr);
}

}  // namespace
