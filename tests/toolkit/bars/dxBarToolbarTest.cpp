// The toolbar window: a floating toolbar owned by the form with the painter's frame, the hit codes
// of its frame, caption and close button, closing through the close button's press loop (and the
// loop's ends), the answers to the window-manager messages, and nothing left behind.
#include <gtest/gtest.h>
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"

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
