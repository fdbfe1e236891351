// The menu window on a test form: opened by a popup menu, its window, size and placement, keys,
// clicks, scrolling, the waiting popup, and what it leaves behind.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarSubMenuControl.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
class TMenuLog : public TObject {
  CL_CLASS(TMenuLog, TObject)
public:
  std::vector<std::string> Log;
  void Click(TObject* sender) { Log.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  void Popup(TObject*) { Log.push_back("popup"); }
  void CloseUp(TObject*) { Log.push_back("close-up"); }
};

RECT FakeWorkArea{0, 0, 1024, 768};
RECT FakeWorkAreaAt(POINT) { return FakeWorkArea; }

// A shown form with a bar manager and a popup menu of count buttons "Item 0" ... whose clicks and
// the menu's notices are logged.
struct TMenuFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBarPopupMenu* Menu = New<TdxBarPopupMenu>(Form);
  TOwned<TMenuLog> Log = MakeOwned<TMenuLog>();
  TScopedSeam<TcxDesktopWorkAreaFunc> WorkArea{cxDesktopWorkAreaFunc, &FakeWorkAreaAt};

  explicit TMenuFixture(int count = 3)
  {
    FakeWorkArea = RECT{0, 0, 1024, 768};
    Manager->SetMenuAnimations(maNone);
    Form->Show();
    HandleWaitingMessages();
    for (int i = 0; i < count; ++i) AddButton("Item " + std::to_string(i));
    Menu->SetOnPopup(TNotifyEvent(Log.get(), &TMenuLog::Popup));
    Menu->SetOnCloseUp(TNotifyEvent(Log.get(), &TMenuLog::CloseUp));
  }
  ~TMenuFixture()
  {
    if (TdxBarSubMenuControl* open = Menu->GetBarControl()) open->CloseUp(TdxBarCloseReason::ClickElsewhere);
  }
  TdxBarItemLink* AddButton(const std::string& caption)
  {
    auto* item = New<TdxBarButton>(Form);
    item->SetCaption(caption);
    item->SetOnClick(TNotifyEvent(Log.get(), &TMenuLog::Click));
    return Menu->ItemLinks()->AddItem(item);
  }
  // Opens the menu without waiting; answers its window.
  TdxBarSubMenuControl* Open(int x, int y, int ownerWidth = 0, int ownerHeight = 0)
  {
    Menu->PopupWithOwner(x, y, ownerWidth, ownerHeight, true, nullptr, false, nullptr);
    HandleWaitingMessages();
    return Menu->GetBarControl();
  }
  static POINT CenterOf(TdxBarSubMenuControl* menu, int visibleIndex)
  {
    const RECT r = menu->ItemLinks()->GetVisibleLink(visibleIndex)->ItemRect();
    return menu->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
};

void SendKey(TdxBarSubMenuControl* menu, WORD key) { SendMessageA(menu->Handle(), WM_KEYDOWN, key, 0); }

// Posts a command to the form and closes the open menu by Escape, once.
TdxBarPopupMenu* WaitingMenu = nullptr;
HWND WaitingForm = nullptr;
void CALLBACK CloseWaitingMenu(HWND, UINT, UINT_PTR, DWORD)
{
  TdxBarSubMenuControl* open = WaitingMenu ? WaitingMenu->GetBarControl() : nullptr;
  if (!open) return;
  WaitingMenu = nullptr;
  PostMessageA(WaitingForm, WM_COMMAND, 0x7777, 0);
  SendMessageA(open->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
}
}  // namespace

CL_DEFINE_CLASS(TMenuLog);

TEST(dxBarSubMenuControl, APopupMenuOpensAParentlessTopmostWindowWithoutActivationAndEscapeClosesIt)
{
  TMenuFixture f;
  const int windowsBefore = ThreadWindowCount();
  HWND foreground = GetForegroundWindow();
  TdxBarSubMenuControl* menu = f.Open(200, 150);
  ASSERT_NE(menu, nullptr);
  HWND wnd = menu->Handle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)) & ~WS_VISIBLE & 0xFF000000u, 0x86000000u);
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetClassLongA(wnd, GCL_STYLE) & 0xFFF, 0x82Bu);
  EXPECT_EQ(GetForegroundWindow(), foreground);
  EXPECT_TRUE(f.Menu->IsOpen());
  EXPECT_EQ(f.Log->Log, std::vector<std::string>{"popup"});

  // The window holds its three links one under another, the frame around them.
  RECT window;
  GetWindowRect(wnd, &window);
  EXPECT_EQ(window.left, 200);
  EXPECT_EQ(window.top, 150);
  EXPECT_EQ(menu->ViewInfo()->GetItemControlViewInfoCount(), 3);
  const RECT first = menu->ItemLinks()->GetVisibleLink(0)->ItemRect();
  const RECT last = menu->ItemLinks()->GetVisibleLink(2)->ItemRect();
  EXPECT_EQ(first.top, menu->ItemsArea().top);
  EXPECT_EQ(last.bottom, menu->ItemsArea().bottom);
  int widest = 0;
  for (int i = 0; i < 3; ++i) widest = std::max(widest, menu->ItemLinks()->GetVisibleLink(i)->Control()->GetLayoutWidth());
  // The painter's frame on each side: outside the client area and inside it.
  const int border = menu->GetPainter()->GetSubMenuBorderSize();
  EXPECT_EQ(window.right - window.left, widest + 2 * border);
  EXPECT_EQ(window.bottom - window.top, last.bottom - first.top + 2 * border);
  EXPECT_FALSE(menu->IsScrolledDown());
  EXPECT_FALSE(menu->HasItemsBelow());

  SendKey(menu, VK_ESCAPE);
  HandleWaitingMessages();
  EXPECT_EQ(f.Menu->GetBarControl(), nullptr);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_FALSE(f.Menu->IsOpen());
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"popup", "close-up"}));
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(GetActiveBarControl(), nullptr);
}

TEST(dxBarSubMenuControl, ThePopupIsPlacedInsideTheWorkAreaOfItsPoint)
{
  TMenuFixture f;
  // Opened at a point near the bottom right corner: the menu opens leftwards and upwards of it.
  FakeWorkArea = RECT{0, 0, 600, 400};
  TdxBarSubMenuControl* menu = f.Open(590, 390);
  ASSERT_NE(menu, nullptr);
  RECT r;
  GetWindowRect(menu->Handle(), &r);
  EXPECT_EQ(r.right, 590);
  EXPECT_EQ(r.bottom, 390);
  EXPECT_TRUE(menu->FlippedHorizontally());
  EXPECT_TRUE(menu->FlippedVertically());
  menu->CloseUp(TdxBarCloseReason::ClickElsewhere);
  HandleWaitingMessages();

  // Below an item of a toolbar at the right edge: shifted left, not flipped.
  menu = f.Open(590, 100, 0, 20);
  ASSERT_NE(menu, nullptr);
  GetWindowRect(menu->Handle(), &r);
  EXPECT_EQ(r.right, 600);
  EXPECT_FALSE(menu->FlippedHorizontally());
}

TEST(dxBarSubMenuControl, ClickingAnItemWithTheMouseRunsItAndClosesTheMenu)
{
  TMenuFixture f;
  TdxBarSubMenuControl* menu = f.Open(200, 150);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(ClickAt(TMenuFixture::CenterOf(menu, 1)));
  ASSERT_TRUE(PumpUntil([&] { return f.Menu->GetBarControl() == nullptr; }));
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"popup", "close-up", "Item 1"}));
}

TEST(dxBarSubMenuControl, KeysMoveTheSelectionAndEnterRunsTheSelectedItem)
{
  TMenuFixture f;
  // Away from the menu, so that the mouse selects nothing.
  ASSERT_TRUE(MoveCursorTo(POINT{5, 5}));
  TdxBarSubMenuControl* menu = f.Open(200, 150);
  ASSERT_NE(menu, nullptr);
  SendKey(menu, VK_DOWN);
  SendKey(menu, VK_DOWN);
  ASSERT_NE(menu->SelectedLink(), nullptr);
  EXPECT_EQ(menu->SelectedLink()->Item()->Caption(), "Item 1");
  // Left and Right belong to the owner; a popup without one stays open and keeps its selection.
  SendKey(menu, VK_LEFT);
  SendKey(menu, VK_RIGHT);
  ASSERT_EQ(f.Menu->GetBarControl(), menu);
  EXPECT_EQ(menu->SelectedLink()->Item()->Caption(), "Item 1");
  SendKey(menu, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return f.Menu->GetBarControl() == nullptr; }));
  EXPECT_EQ(f.Log->Log.back(), "Item 1");
}

TEST(dxBarSubMenuControl, AMenuTallerThanTheWorkAreaIsCutAndScrolls)
{
  TMenuFixture f(40);
  FakeWorkArea = RECT{0, 0, 800, 300};
  TdxBarSubMenuControl* menu = f.Open(100, 20);
  ASSERT_NE(menu, nullptr);
  RECT r;
  GetWindowRect(menu->Handle(), &r);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom, 300);
  EXPECT_FALSE(menu->IsScrolledDown());
  EXPECT_TRUE(menu->HasItemsBelow());
  EXPECT_LT(menu->ViewInfo()->GetItemControlViewInfoCount(), 40);

  // The mouse over the bottom scroll button starts the scroll timer (80 ms with this painter);
  // each tick scrolls one line while the mouse stays there.
  const RECT items = menu->ItemsArea();
  const POINT bottomButton = menu->ClientToScreen(POINT{(items.left + items.right) / 2, items.bottom - 2});
  ASSERT_TRUE(MoveCursorTo(bottomButton));
  SendMessageA(menu->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bottomButton.x - r.left, items.bottom - 2));
  EXPECT_EQ(menu->GetScrollInterval(), 80u);
  ASSERT_NE(menu->ScrollTimer(), 0u);
  const int scrolled = menu->FirstVisibleIndex();
  for (int i = 0; i < 3; ++i) SendMessageA(menu->Handle(), WM_TIMER, dxBarSubMenuScrollTimer, 0);
  EXPECT_EQ(menu->FirstVisibleIndex(), scrolled + 3);
  EXPECT_TRUE(menu->IsScrolledDown());

  // Away from the button the scrolling stops; End selects the last link and scrolls it into view;
  // Home scrolls back to the top.
  ASSERT_TRUE(MoveCursorTo(POINT{5, 5}));
  SendMessageA(menu->Handle(), WM_TIMER, dxBarSubMenuScrollTimer, 0);
  EXPECT_EQ(menu->ScrollTimer(), 0u);
  SendKey(menu, VK_END);
  EXPECT_FALSE(menu->HasItemsBelow());
  const RECT lastRect = menu->ItemLinks()->GetVisibleLink(39)->ItemRect();
  EXPECT_LE(lastRect.bottom, menu->ItemsArea().bottom);
  SendKey(menu, VK_HOME);
  EXPECT_EQ(menu->FirstVisibleIndex(), 0);
}

TEST(dxBarSubMenuControl, PopupWithTheWaitFlagReturnsAfterTheMenuClosedAndRunsACommandTakenMeanwhile)
{
  TMenuFixture f;
  // A command posted to the form while the menu is open runs once Popup has returned.
  WaitingMenu = f.Menu;
  WaitingForm = f.Form->Handle();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseWaitingMenu);
  ASSERT_NE(timer, 0u);
  f.Menu->Popup(200, 150);
  KillTimer(nullptr, timer);
  HWND form = WaitingForm;
  EXPECT_EQ(f.Menu->GetBarControl(), nullptr);
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"popup", "close-up"}));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, form, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0x7777u);
}

TEST(dxBarSubMenuControl, FiftyOpeningsLeaveNoWindowOrGdiObjectBehind)
{
  TMenuFixture f(12);
  const int windowsBefore = ThreadWindowCount();
  const int gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    TdxBarSubMenuControl* menu = f.Open(100 + i, 100);
    ASSERT_NE(menu, nullptr);
    UpdateWindow(menu->Handle());
    SendKey(menu, VK_DOWN);
    SendKey(menu, VK_ESCAPE);
  }
  HandleWaitingMessages();
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

namespace {
// The menu window as it shows on the screen (a topmost window), frame included.
struct TPrintedMenu {
  RECT Window{};
  TDibSurface Surface;
  explicit TPrintedMenu(TdxBarSubMenuControl* menu) : Window(WindowRectOf(menu)), Surface(Width(Window), Height(Window))
  {
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HandleWaitingMessages();
    HDC screen = GetDC(nullptr);
    BitBlt(Surface.DC(), 0, 0, Width(Window), Height(Window), screen, Window.left, Window.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  static RECT WindowRectOf(TdxBarSubMenuControl* menu)
  {
    RECT r;
    GetWindowRect(menu->Handle(), &r);
    return r;
  }
  static int Width(const RECT& r) { return r.right - r.left; }
  static int Height(const RECT& r) { return r.bottom - r.top; }
  // A client point of the menu on the surface.
  COLORREF ClientPixel(TdxBarSubMenuControl* menu, int x, int y) const
  {
    const POINT origin = menu->ClientToScreen(POINT{0, 0});
    return Surface.Pixel(origin.x - Window.left + x, origin.y - Window.top + y);
  }
};
}  // namespace

TEST(dxBarSubMenuControl, TheFrameIsAFaceAndDarkShadowOuterEdgeWithAHighlightAndShadowInnerEdge)
{
  TMenuFixture f;
  TdxBarSubMenuControl* menu = f.Open(200, 150);
  ASSERT_NE(menu, nullptr);
  TPrintedMenu printed(menu);
  const int w = TPrintedMenu::Width(printed.Window), h = TPrintedMenu::Height(printed.Window);
  const TDibSurface& s = printed.Surface;
  // Outside the client area: face on the left and top, dark shadow on the right and bottom.
  EXPECT_EQ(s.Pixel(0, h / 2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(s.Pixel(w / 2, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(s.Pixel(w - 1, h / 2), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(s.Pixel(w / 2, h - 1), GetSysColor(COLOR_3DDKSHADOW));
  // Inside it: highlight on the left and top, shadow on the right and bottom, then the background.
  EXPECT_EQ(s.Pixel(1, h / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.Pixel(w / 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.Pixel(w - 2, h / 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(s.Pixel(w / 2, h - 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(s.Pixel(2, h / 2), GetSysColor(COLOR_BTNFACE));
}

TEST(dxBarSubMenuControl, AGroupLineIsAnEtchedLineIndentedByThePainter)
{
  TMenuFixture f(2);
  f.AddButton("Grouped")->SetBeginGroup(true);
  TdxBarSubMenuControl* menu = f.Open(200, 150);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->ViewInfo()->CountSeparators(), 1);
  const RECT line = menu->ViewInfo()->ReadSeparator(0).Bounds;
  EXPECT_EQ(line.bottom, menu->ItemLinks()->GetVisibleLink(2)->ItemRect().top);
  EXPECT_EQ(line.bottom - line.top, menu->GetPainter()->GetMenuBeginGroupSize());
  TPrintedMenu printed(menu);
  const int indent = menu->GetPainter()->GetSubMenuGroupIndent();
  const int y = line.top + 4;
  const int mid = (line.left + line.right) / 2;
  EXPECT_EQ(printed.ClientPixel(menu, mid, y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.ClientPixel(menu, mid, y + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(printed.ClientPixel(menu, line.left + indent, y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(printed.ClientPixel(menu, line.left + indent - 1, y), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(printed.ClientPixel(menu, mid, y - 1), GetSysColor(COLOR_BTNFACE));
}
