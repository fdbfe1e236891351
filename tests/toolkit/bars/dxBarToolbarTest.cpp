// The toolbar window: a floating toolbar owned by the form with the painter's frame, the hit codes
// of its frame, caption and close button, closing through the close button's press loop (and the
// loop's ends), the answers to the window-manager messages, and nothing left behind.
#include <gtest/gtest.h>
#include <atomic>
#include <climits>
#include <thread>
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/Application.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/StdCtrls.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
struct TToolbarFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;

  TToolbarFixture()
  {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Bar->SetCaption("Tools");
    Pump(30);
  }
  // Shows the bar floating with its window at the point and the client size.
  TdxBarControl* ShowFloating(POINT at = {200, 200}, SIZE client = {150, 50})
  {
    Bar->SetDockingStyle(TdxBarDockingStyle::dsNone);
    Bar->SetFloatLeft(at.x);
    Bar->SetFloatTop(at.y);
    Bar->SetFloatClientWidth(client.cx);
    Bar->SetFloatClientHeight(client.cy);
    Bar->SetVisible(true);
    Pump(30);
    Toolbar = Bar->GetBarControl();
    return Toolbar;
  }
  RECT Window() const
  {
    RECT r{};
    GetWindowRect(Toolbar->Handle(), &r);
    return r;
  }
  LRESULT HitAt(POINT inWindow) const
  {
    const RECT w = Window();
    return SendMessageA(Toolbar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left + inWindow.x, w.top + inWindow.y));
  }
  POINT CloseCenter() const
  {
    const RECT r = Toolbar->GetCloseButtonRect();
    const RECT w = Window();
    return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
  }
};
}  // namespace

// A floating toolbar is a popup owned by the form, never activated, with the painter's frame.
TEST(dxBarToolbar, AFloatingToolbarIsAPopupOwnedByTheFormWithThePaintersFrame)
{
  TToolbarFixture f;
  TdxBarControl* t = f.ShowFloating();
  HWND wnd = t->Handle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE) & 0xFF000000u, 0x86000000u);
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), f.Form->Handle());
  EXPECT_EQ(GetClassLongA(wnd, GCL_STYLE) & 0xB, 0xBu);
  EXPECT_NE(GetForegroundWindow(), wnd);
  char text[32]{};
  GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "Tools");

  RECT borders{};
  t->GetPainter()->CalcBarBorderSize(f.Bar, TdxBarDockingStyle::dsNone, borders, false);
  const RECT w = f.Window();
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, (w.right - w.left) - borders.left - borders.right);
  EXPECT_EQ(client.bottom, (w.bottom - w.top) - borders.top - borders.bottom);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  EXPECT_EQ(origin.x - w.left, borders.left);
  EXPECT_EQ(origin.y - w.top, borders.top);

  EXPECT_EQ(SendMessageA(wnd, WM_GETDLGCODE, 0, 0), 7);
  MINMAXINFO info{};
  SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 10);
  EXPECT_EQ(info.ptMinTrackSize.y, 10);
  EXPECT_EQ(info.ptMaxTrackSize.x, 30000);
  EXPECT_EQ(info.ptMaxSize.y, 30000);
}

// The frame strips size the bar, the caption drags it, the close button closes it.
TEST(dxBarToolbar, HitCodesFollowTheFrameCaptionAndCloseButton)
{
  TToolbarFixture f;
  TdxBarControl* t = f.ShowFloating();
  TdxBarPainter* painter = t->GetPainter();
  const RECT w = f.Window();
  const int width = w.right - w.left, height = w.bottom - w.top;
  const int fw = painter->GetFloatingFrameWidth(), fh = painter->GetFloatingFrameHeight();
  ASSERT_GT(fw, 0);
  ASSERT_GT(fh, 0);
  struct TCase {
    POINT At;
    LRESULT Result;
    int HitCode;
  };
  const TCase cases[] = {
      {{width / 2, 0}, HTTOP, 12},
      {{width - 1, height / 2}, HTRIGHT, 11},
      {{width / 2, height - 1}, HTBOTTOM, 15},
      {{0, height / 2}, HTLEFT, 10},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(k.HitCode);
    EXPECT_EQ(f.HitAt(k.At), k.Result);
    EXPECT_EQ(t->HitCode(), k.HitCode);
  }
  // The caption left of the close button drags the bar.
  const RECT caption = painter->GetFloatingCaptionRect(t, RECT{0, 0, width, height});
  EXPECT_EQ(f.HitAt(POINT{caption.left + 4, (caption.top + caption.bottom) / 2}), HTCLIENT);
  EXPECT_EQ(t->HitCode(), dxBarHitDrag);
  // The close button sits at the right end of the caption.
  const RECT close = t->GetCloseButtonRect();
  ASSERT_FALSE(IsRectEmpty(&close));
  EXPECT_LE(close.right, caption.right);
  EXPECT_GE(close.left, caption.right - painter->GetFloatingCaptionHeight());
  const LRESULT onClose = f.HitAt(POINT{(close.left + close.right) / 2, (close.top + close.bottom) / 2});
  if (painter->HasSizingBorder()) {
    EXPECT_EQ(onClose, dxBarHitCloseButton);
    EXPECT_EQ(t->HitCode(), dxBarHitClient);
  } else {
    EXPECT_EQ(onClose, HTCLIENT);
    EXPECT_EQ(t->HitCode(), dxBarHitCloseButton);
  }
  // Empty client space drags the bar as well.
  RECT client{};
  GetClientRect(t->Handle(), &client);
  POINT inside{client.right - 2, client.bottom - 2};
  ClientToScreen(t->Handle(), &inside);
  EXPECT_EQ(SendMessageA(t->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
  EXPECT_EQ(t->HitCode(), dxBarHitDrag);
}

// A press on the close button released on it hides the bar; released elsewhere it does not; the
// capture and the button state are restored either way.
TEST(dxBarToolbar, TheCloseButtonHidesTheBarOnlyWhenReleasedOnIt)
{
  TToolbarFixture f;
  TdxBarControl* t = f.ShowFloating();
  const POINT center = f.CloseCenter();
  ASSERT_TRUE(TMouseDrag::Start(center, POINT{center.x - 60, center.y + 40}));
  ASSERT_TRUE(PumpUntil([&] { return TMouseDrag::Done(); }, 5000));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() != t->Handle(); }));
  Pump(20);
  EXPECT_TRUE(f.Bar->Visible());
  EXPECT_EQ(t->CloseButtonState(), 0);

  const HWND wnd = t->Handle();
  ASSERT_TRUE(ClickAt(center));
  ASSERT_TRUE(PumpUntil([&] { return !f.Bar->Visible(); }));
  // Hiding the bar takes its window away.
  EXPECT_EQ(f.Bar->GetBarControl(), nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_NE(GetCapture(), wnd);
}

// Focus never moves into a toolbar.
TEST(dxBarToolbar, AToolbarTakesNoFocus)
{
  TToolbarFixture f;
  TdxBarControl* t = f.ShowFloating();
  ::SetFocus(f.Form->Handle());
  SendMessageA(t->Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_NE(GetFocus(), t->Handle());
}

// Showing and freeing many toolbars leaves no window or GDI object behind.
TEST(dxBarToolbar, ShowingAndFreeingToolbarsLeavesNothingBehind)
{
  TToolbarFixture f;
  f.ShowFloating();
  f.Bar->SetVisible(false);
  Pump(20);
  const int windows = ThreadWindowCount();
  const int gdi = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    f.ShowFloating(POINT{100 + i, 100 + i});
    f.Bar->SetVisible(false);
  }
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

namespace {
// A button-like item of fixed size (40 x 22) whose control can be told to fail the way a broken item kind
// does: without possible view levels, or drawing at a level its link does not allow.
class TTbItem : public TdxBarItem {
  CL_CLASS(TTbItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
enum class TTbFault { None, NoLevels, LevelNotAllowed };
TTbFault GTbFault = TTbFault::None;
class TTbControl : public TdxBarItemControl {
  CL_CLASS(TTbControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  bool IsButtonLike() const override { return true; }
  int CalcItemWidth() override { return 40; }
  int CalcItemHeight() override { return 22; }
  TdxBarItemViewLevels GetPossibleViewLevels() const override
  {
    return GTbFault == TTbFault::NoLevels ? TdxBarItemViewLevels{} : TdxBarItemControl::GetPossibleViewLevels();
  }
  void Draw(const RECT& rect, int flags) override
  {
    if (GTbFault == TTbFault::LevelNotAllowed) ViewInfo()->GetWidthAtLevel(ivlSmallIcon);
    TdxBarItemControl::Draw(rect, flags);
  }
};

struct TClicks : TObject {
  std::vector<std::string> Clicked;
  std::vector<std::string> Errors;
  void Click(TObject* sender) { Clicked.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  void OnException(TObject*, const Exception& e) { Errors.push_back(e.Message()); }
};

// A toolbar fixture with button-like items that log their clicks.
struct TButtonsFixture : TToolbarFixture {
  TOwned<TClicks> Log = MakeOwned<TClicks>();
  TButtonsFixture() { RegisterBarItemClass(ClassRef<TTbItem>(), ClassRef<TTbControl>(), true); }
  ~TButtonsFixture()
  {
    GTbFault = TTbFault::None;
    Bar->SetVisible(false);
    UnregisterBarItemClass(ClassRef<TTbItem>());
  }
  TdxBarItemLink* Add(const char* caption)
  {
    auto* item = New<TTbItem>(Form);
    item->SetCaption(caption);
    item->SetOnClick(TNotifyEvent(Log.get(), &TClicks::Click));
    return Bar->ItemLinks()->AddItem(item);
  }
  POINT CenterOf(TdxBarItemLink* link) const
  {
    const RECT r = link->ItemRect();
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Toolbar->Handle(), &p);
    return p;
  }
};
}  // namespace

CL_DEFINE_CLASS(TTbItem);
CL_DEFINE_CLASS(TTbControl);

// A shown bar always has its window, placed from the stored placement and sized by its layout
// for the stored width; hiding stores the place and client size the window had; showing again lays
// the items out for that width.
TEST(dxBarToolbar, ShowingMakesTheWindowAtTheStoredPlaceAndHidingStoresItBack)
{
  TButtonsFixture f;
  EXPECT_EQ(f.Bar->GetBarControl(), nullptr);
  TdxBarItemLink* links[] = {f.Add("One"), f.Add("Two"), f.Add("Three"), f.Add("Four")};
  TdxBarControl* t = f.ShowFloating(POINT{220, 240}, SIZE{100, 50});
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(f.Bar->IsFloating());
  EXPECT_EQ(t->GetBar(), f.Bar);
  const auto lineOf = [](TdxBarItemLink* link) { return link->ItemRect().top; };
  RECT client{};
  GetClientRect(t->Handle(), &client);
  EXPECT_EQ(f.Window().left, 220);
  EXPECT_EQ(f.Window().top, 240);
  SIZE laidOut = t->CalcSizeForPoint(TdxBarDockingStyle::dsNone, 100);
  EXPECT_EQ(client.right, laidOut.cx);
  EXPECT_EQ(client.bottom, laidOut.cy);
  // 100 pixels hold two of the 40-pixel buttons in a line.
  EXPECT_EQ(lineOf(links[1]), lineOf(links[0]));
  EXPECT_GT(lineOf(links[2]), lineOf(links[1]));

  // Moved and widened to hold all four in a line.
  const RECT w = f.Window();
  const int wider = (w.right - w.left) - client.right + 4 * 40 + 30;
  SetWindowPos(t->Handle(), nullptr, 260, 270, wider, w.bottom - w.top, SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(t->Handle(), &client);
  f.Bar->SetVisible(false);
  EXPECT_EQ(f.Bar->GetBarControl(), nullptr);
  EXPECT_EQ(f.Bar->FloatLeft(), 260);
  EXPECT_EQ(f.Bar->FloatTop(), 270);
  EXPECT_EQ(f.Bar->FloatClientWidth(), client.right);
  EXPECT_EQ(f.Bar->FloatClientHeight(), client.bottom);

  f.Bar->SetVisible(true);
  ASSERT_NE(f.Toolbar = f.Bar->GetBarControl(), nullptr);
  EXPECT_TRUE(IsWindowVisible(f.Toolbar->Handle()));
  EXPECT_EQ(f.Window().left, 260);
  EXPECT_EQ(f.Window().top, 270);
  laidOut = f.Toolbar->CalcSizeForPoint(TdxBarDockingStyle::dsNone, client.right);
  GetClientRect(f.Toolbar->Handle(), &client);
  EXPECT_EQ(client.right, laidOut.cx);
  EXPECT_EQ(client.bottom, laidOut.cy);
  EXPECT_EQ(lineOf(links[3]), lineOf(links[0]));
}

// Stored floating sizes are outside input: the window is laid out for them and stays within the
// tracking limits; a huge stored width puts every item in one line.
TEST(dxBarToolbar, StoredFloatingSizesOutsideTheLimitsGiveAWindowWithinThem)
{
  const SIZE cases[] = {{-40, -40}, {0, 0}, {100000, 100000}, {5, INT_MAX}, {INT_MAX, 5}};
  for (const SIZE& c : cases) {
    SCOPED_TRACE(c.cx);
    TButtonsFixture f;
    TdxBarItemLink* first = f.Add("One");
    TdxBarItemLink* last = f.Add("Two");
    f.ShowFloating(POINT{150, 150}, c);
    ASSERT_NE(f.Toolbar, nullptr);
    const RECT w = f.Window();
    const int width = w.right - w.left, height = w.bottom - w.top;
    EXPECT_GE(width, 10);
    EXPECT_GE(height, 10);
    EXPECT_LE(width, 30000);
    EXPECT_LE(height, 30000);
    EXPECT_FALSE(IsRectEmpty(&first->ItemRect()));
    EXPECT_FALSE(IsRectEmpty(&last->ItemRect()));
    if (c.cx > 1000) { EXPECT_EQ(last->ItemRect().top, first->ItemRect().top); }
    if (c.cx < 40) { EXPECT_GT(last->ItemRect().top, first->ItemRect().top); }
  }
}

// The window is measured with its text metrics: a text-only button is as high as its text, and the
// window, floating or docked, holds it whole.
TEST(dxBarToolbar, TheWindowIsMeasuredWithItsTextMetrics)
{
  TToolbarFixture f;
  auto* button = New<TdxBarButton>(f.Form);
  button->SetCaption("Open");
  TdxBarItemLink* link = f.Bar->ItemLinks()->AddItem(button);
  for (TdxBarDockingStyle style : {TdxBarDockingStyle::dsNone, TdxBarDockingStyle::dsTop}) {
    SCOPED_TRACE(static_cast<int>(style));
    f.Bar->SetDockingStyle(style);
    f.Bar->SetVisible(true);
    Pump(20);
    TdxBarControl* t = f.Bar->GetBarControl();
    ASSERT_NE(t, nullptr);
    ASSERT_GT(t->TextHeight(), 0);
    const RECT item = link->ItemRect();
    EXPECT_GE(item.bottom - item.top, t->TextHeight());
    EXPECT_GE(item.top, 0);
    RECT client{};
    GetClientRect(t->Handle(), &client);
    EXPECT_GE(client.bottom, item.bottom);
    EXPECT_GE(client.right, item.right);
    f.Bar->SetVisible(false);
  }
}

// A docked toolbar is a child of its edge dock at the stored place; a click on it leaves the
// activation and the focus where they were.
TEST(dxBarToolbar, ADockedToolbarIsAChildOfItsDockAndTakesNoActivationOrFocus)
{
  TToolbarFixture f;
  auto* edit = New<TEdit>(f.Form);
  edit->SetParent(f.Form);
  edit->SetBounds(10, 120, 100, 24);
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
  f.Bar->SetDockedLeft(6);
  f.Bar->SetVisible(true);
  Pump(30);
  TdxBarControl* t = f.Bar->GetBarControl();
  ASSERT_NE(t, nullptr);
  TdxDockControl* dock = f.Manager->Bars()->DockControls(TdxBarDockingStyle::dsTop);
  ASSERT_NE(dock, nullptr);
  EXPECT_FALSE(f.Bar->IsFloating());
  EXPECT_EQ(GetParent(t->Handle()), dock->Handle());
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(t->Handle(), GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE) & 0xFF000000u,
            0x46000000u);
  EXPECT_TRUE(IsWindowVisible(t->Handle()));
  RECT r{};
  GetWindowRect(t->Handle(), &r);
  MapWindowPoints(nullptr, dock->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 6);

  ASSERT_TRUE(BringToFront(f.Form->Handle()));
  edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }));
  RECT onScreen{};
  GetWindowRect(t->Handle(), &onScreen);
  ASSERT_TRUE(ClickAt(POINT{onScreen.left + 3, (onScreen.top + onScreen.bottom) / 2}));
  Pump(50);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(GetActiveWindow(), f.Form->Handle());
  EXPECT_EQ(SendMessageA(t->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.Form->Handle()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
}

// Floating and docking again makes the window anew each time, owned by the form when floating and
// a child of the dock when docked.
TEST(dxBarToolbar, FloatingAndDockingMakeTheWindowAnewInItsPlace)
{
  TToolbarFixture f;
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
  f.Bar->SetVisible(true);
  TdxDockControl* dock = f.Manager->Bars()->DockControls(TdxBarDockingStyle::dsTop);
  ASSERT_NE(f.Bar->GetBarControl(), nullptr);
  EXPECT_EQ(GetParent(f.Bar->GetBarControl()->Handle()), dock->Handle());
  f.Bar->SetFloatLeft(300);
  f.Bar->SetFloatTop(320);
  f.Bar->SetFloatClientWidth(120);
  f.Bar->SetFloatClientHeight(40);
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsNone);
  TdxBarControl* t = f.Bar->GetBarControl();
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(f.Bar->Visible());
  EXPECT_EQ(t->DockingStyle(), TdxBarDockingStyle::dsNone);
  EXPECT_EQ(GetWindow(t->Handle(), GW_OWNER), f.Form->Handle());
  EXPECT_EQ(GetWindowLongA(t->Handle(), GWL_STYLE) & WS_POPUP, WS_POPUP);
  RECT floating{};
  GetClientRect(t->Handle(), &floating);
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsBottom);
  t = f.Bar->GetBarControl();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(GetParent(t->Handle()), f.Manager->Bars()->DockControls(TdxBarDockingStyle::dsBottom)->Handle());
  // The floating place the window had was kept, with the client size its layout gave it.
  EXPECT_EQ(f.Bar->FloatLeft(), 300);
  EXPECT_EQ(f.Bar->FloatTop(), 320);
  EXPECT_EQ(f.Bar->FloatClientWidth(), floating.right);
  EXPECT_EQ(f.Bar->FloatClientHeight(), floating.bottom);
}

// Showing, floating, docking and hiding many toolbars leaves no window or GDI object behind.
TEST(dxBarToolbar, ShowFloatDockAndHideCyclesLeaveNothingBehind)
{
  TToolbarFixture f;
  f.ShowFloating();
  f.Bar->SetVisible(false);
  Pump(20);
  const int windows = ThreadWindowCount();
  const int gdi = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    f.ShowFloating(POINT{100 + i, 100 + i});
    f.Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
    f.Bar->SetDockingStyle(TdxBarDockingStyle::dsNone);
    f.Bar->SetDockingStyle(TdxBarDockingStyle::dsLeft);
    ASSERT_NE(f.Bar->GetBarControl(), nullptr);
    f.Bar->SetVisible(false);
  }
  Pump(20);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

// Keyboard activation selects the first item, makes the toolbar the manager's keyboard-active bar
// and remembers the focused window; leaving it (Esc) gives the focus back and the manager its
// previous keyboard-active bar.
TEST(dxBarToolbar, KeyboardActivationGivesTheFocusBack)
{
  TButtonsFixture f;
  auto* edit = New<TEdit>(f.Form);
  edit->SetParent(f.Form);
  edit->SetBounds(10, 120, 100, 24);
  TdxBarItemLink* first = f.Add("One");
  f.Add("Two");
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
  f.Bar->SetVisible(true);
  TdxBarControl* t = f.Toolbar = f.Bar->GetBarControl();
  ASSERT_NE(t, nullptr);
  ASSERT_TRUE(BringToFront(f.Form->Handle()));
  edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }));

  t->SelectItemControl(nullptr);
  EXPECT_TRUE(t->Active());
  EXPECT_TRUE(t->IsKeyboardActive());
  EXPECT_EQ(f.Manager->KeyboardActiveBarControl(), t);
  EXPECT_EQ(t->SelectedLink(), first);
  EXPECT_EQ(t->FocusedWindow(), edit->Handle());
  // Keyboard mode keeps the keys away from the edit, as the keyboard hook will.
  ::SetFocus(f.Form->Handle());
  ASSERT_EQ(GetFocus(), f.Form->Handle());

  SendMessageA(t->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(t->Active());
  EXPECT_FALSE(t->IsKeyboardActive());
  EXPECT_EQ(f.Manager->KeyboardActiveBarControl(), nullptr);
  EXPECT_EQ(t->SelectedLink(), nullptr);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_TRUE(f.Log->Clicked.empty());
}

// A press and release on one button clicks it; a press on one button released over another clicks
// neither and leaves the toolbar inactive.
TEST(dxBarToolbar, APressReleasedOverAnotherButtonClicksNothing)
{
  TButtonsFixture f;
  TdxBarItemLink* one = f.Add("One");
  TdxBarItemLink* two = f.Add("Two");
  f.ShowFloating(POINT{200, 200}, SIZE{150, 80});
  ASSERT_NE(one->Control(), nullptr);
  ASSERT_NE(two->Control(), nullptr);
  ASSERT_FALSE(IsRectEmpty(&one->ItemRect()));
  ASSERT_FALSE(IsRectEmpty(&two->ItemRect()));

  ASSERT_TRUE(ClickAt(f.CenterOf(one)));
  ASSERT_TRUE(PumpUntil([&] { return !f.Log->Clicked.empty(); }));
  EXPECT_EQ(f.Log->Clicked, std::vector<std::string>{"One"});
  ASSERT_TRUE(PumpUntil([&] { return !f.Toolbar->Active(); }));

  f.Log->Clicked.clear();
  ASSERT_TRUE(TMouseDrag::Start(f.CenterOf(one), f.CenterOf(two)));
  ASSERT_TRUE(PumpUntil([&] { return TMouseDrag::Done(); }, 5000));
  ASSERT_TRUE(PumpUntil([&] { return !f.Toolbar->Active(); }));
  Pump(20);
  EXPECT_TRUE(f.Log->Clicked.empty());
  EXPECT_EQ(f.Toolbar->PressedItemControl(), nullptr);
  EXPECT_FALSE(f.Toolbar->MenuMode());
}

namespace {
std::vector<std::pair<HWND, BYTE>> GAlphas;
BOOL WINAPI RecordAlpha(HWND wnd, COLORREF, BYTE alpha, DWORD)
{
  GAlphas.emplace_back(wnd, alpha);
  return TRUE;
}
bool IsLayered(HWND wnd) { return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
}  // namespace

// A floating toolbar below full opacity is a layered window with the bar's alpha; full opacity
// takes the layered style away; a docked toolbar is never layered.
TEST(dxBarToolbar, AFloatingToolbarTakesTheBarsOpacity)
{
  TScopedSeam<TcxSetLayeredWindowAttributesFunc> seam(cxSetLayeredWindowAttributes, RecordAlpha);
  GAlphas.clear();
  TToolbarFixture f;
  f.Bar->SetAlphaBlendValue(128);
  TdxBarControl* t = f.ShowFloating();
  HWND wnd = t->Handle();
  EXPECT_TRUE(IsLayered(wnd));
  ASSERT_FALSE(GAlphas.empty());
  EXPECT_EQ(GAlphas.back(), std::make_pair(wnd, BYTE{128}));
  f.Bar->SetAlphaBlendValue(200);
  EXPECT_EQ(GAlphas.back(), std::make_pair(wnd, BYTE{200}));
  f.Bar->SetAlphaBlendValue(255);
  EXPECT_FALSE(IsLayered(wnd));

  f.Bar->SetAlphaBlendValue(90);
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
  ASSERT_NE(f.Bar->GetBarControl(), nullptr);
  EXPECT_FALSE(IsLayered(f.Bar->GetBarControl()->Handle()));
}

// The errors of a broken item kind raised inside the toolbar's window procedure go to the
// application's handler; the window goes on working.
TEST(dxBarToolbar, ItemKindErrorsInTheWindowProcedureReachTheApplication)
{
  TButtonsFixture f;
  const TExceptionEvent previous = Application->OnException();
  Application->SetOnException(TExceptionEvent(f.Log.get(), &TClicks::OnException));
  struct TRestore {
    TExceptionEvent Previous;
    ~TRestore() { Application->SetOnException(Previous); }
  } restore{previous};
  TdxBarItemLink* one = f.Add("One");
  f.ShowFloating();
  ASSERT_NE(one->Control(), nullptr);

  GTbFault = TTbFault::NoLevels;
  SendMessageA(f.Toolbar->Handle(), DXM_BAR_REPAINT, 0, 0);
  GTbFault = TTbFault::None;
  ASSERT_EQ(f.Log->Errors.size(), 1u);
  EXPECT_EQ(f.Log->Errors[0], "TTbControl.GetPossibleViewLevels = []");

  SendMessageA(f.Toolbar->Handle(), DXM_BAR_REPAINT, 0, 0);
  ASSERT_NE(one->Control(), nullptr);
  one->SetViewLevels(TdxBarItemViewLevels{ivlLargeIconWithText});
  GTbFault = TTbFault::LevelNotAllowed;
  RedrawWindow(f.Toolbar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  GTbFault = TTbFault::None;
  ASSERT_GE(f.Log->Errors.size(), 2u);
  EXPECT_EQ(f.Log->Errors[1], "Testing! The level is not allowed");
  EXPECT_TRUE(IsWindowVisible(f.Toolbar->Handle()));
}

// A WM_QUIT that arrives while the close button is held ends the press without closing, gives the
// capture back, and reaches the application's loop.
TEST(dxBarToolbar, AQuitDuringTheCloseButtonPressReachesTheApplication)
{
  ASSERT_EQ(Application->MainForm(), nullptr);
  TToolbarFixture f;
  TdxBarControl* t = f.ShowFloating();
  const HWND wnd = t->Handle();
  const POINT center = f.CloseCenter();
  ASSERT_TRUE(MoveCursorTo(center));
  // Posts the quit once the press loop holds the capture (seen from outside the GUI thread).
  const DWORD guiThread = GetCurrentThreadId();
  std::atomic<bool> posted{false}, finished{false};
  std::thread poster([&] {
    const DWORD start = GetTickCount();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    while (GetTickCount() - start < 10000) {
      if (GetGUIThreadInfo(guiThread, &info) && info.hwndCapture == wnd) {
        posted = PostThreadMessageA(guiThread, WM_QUIT, 7, 0) != FALSE;
        break;
      }
      Sleep(5);
    }
    finished = true;
  });
  struct TEnd {
    std::thread& Poster;
    POINT At;
    ~TEnd()
    {
      Poster.join();
      LeftButtonAt(At, false);
      Pump(30);
      // Run without a main form clears the terminated state the quit left.
      Application->Run();
    }
  } end{poster, center};
  ASSERT_TRUE(LeftButtonAt(center, true));
  ASSERT_TRUE(PumpUntil([&] { return finished && Application->Terminated(); }, 15000));
  EXPECT_TRUE(posted);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_TRUE(f.Bar->Visible());
  EXPECT_EQ(f.Bar->GetBarControl(), t);
  EXPECT_NE(t->CloseButtonState(), 2);
}

// A status-bar-like bar at the bottom of the form shows a size grip in its right border: the grip
// sizes the form (code 17), the rest of the bar drags it.
TEST(dxBarToolbar, TheSizeGripOfAStatusBarSizesAndTheRestDrags)
{
  TToolbarFixture f;
  f.Bar->SetBorderStyle(bbsNone);
  f.Bar->SetWholeRow(true);
  f.Bar->SetDockingStyle(TdxBarDockingStyle::dsBottom);
  f.Bar->SetVisible(true);
  Pump(30);
  TdxBarControl* t = f.Bar->GetBarControl();
  ASSERT_NE(t, nullptr);
  TdxDockControl* dock = f.Manager->Bars()->DockControls(TdxBarDockingStyle::dsBottom);
  // The bar fills its dock, so that it lies at the bottom of the form.
  dock->SetHeight(24);
  RECT dockClient{};
  GetClientRect(dock->Handle(), &dockClient);
  t->SetBounds(0, 0, dockClient.right, std::max<int>(dockClient.bottom, 24));
  SetWindowPos(t->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  GetClientRect(dock->Handle(), &dockClient);
  ASSERT_TRUE(f.Bar->IsStatusBarLike());
  if (!f.Bar->ShowsSizeGrip()) {
    RECT b{};
    GetWindowRect(t->Handle(), &b);
    MapWindowPoints(nullptr, dock->Handle(), reinterpret_cast<POINT*>(&b), 2);
    GTEST_SKIP() << "the dock does not end where the bar ends " << b.bottom << " " << dockClient.bottom << " " << IsZoomed(f.Form->Handle());
  }
  ASSERT_TRUE(t->SizeGripShown());
  const RECT grip = t->GetSizeGripRect();
  ASSERT_FALSE(IsRectEmpty(&grip));
  POINT inGrip{(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};
  ClientToScreen(t->Handle(), &inGrip);
  EXPECT_EQ(SendMessageA(t->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inGrip.x, inGrip.y)), HTBOTTOMRIGHT);
  EXPECT_EQ(t->HitCode(), 17);
  POINT elsewhere{4, 4};
  ClientToScreen(t->Handle(), &elsewhere);
  EXPECT_EQ(SendMessageA(t->Handle(), WM_NCHITTEST, 0, MAKELPARAM(elsewhere.x, elsewhere.y)), HTCLIENT);
  EXPECT_EQ(t->HitCode(), dxBarHitDrag);
}
