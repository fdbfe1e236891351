// A bar popup menu as a control's popup menu: its shortcuts and its side bar.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarPopupMenuWait.h"

namespace {
class TPopupMenuClickLog : public TObject {
  CL_CLASS(TPopupMenuClickLog, TObject)
public:
  std::vector<std::string> Log;
  void Click(TObject* sender) { Log.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  void Popup(TObject*) { Log.push_back("popup"); }
  void CloseUp(TObject*) { Log.push_back("close-up"); }
};

// A form with a bar manager and a popup menu.
struct TMenuFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBarPopupMenu* Menu = New<TdxBarPopupMenu>(Form);
};

TdxBarPopupMenu* MenuToClose = nullptr;
void CALLBACK CloseMenuTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
  if (MenuToClose && MenuToClose->IsOpen()) MenuToClose->CloseUpNotice(TdxBarCloseReason::ClickElsewhere);
}
} // namespace

CL_DEFINE_CLASS(TPopupMenuClickLog);

TEST(dxBarPopupMenu, AKeyMessageRunsTheItemWithItsShortcut)
{
  TMenuFixture f;
  TdxBarPopupMenu* menu = f.Menu;
  auto log = MakeOwned<TPopupMenuClickLog>();
  for (const char* caption : {"Open", "Save"}) {
    auto* item = New<TTestBarItem>(f.Form);
    item->SetCaption(caption);
    item->SetShortCut(static_cast<TShortCut>(caption[0] | scCtrl));
    item->SetOnClick(TNotifyEvent(log.get(), &TPopupMenuClickLog::Click));
    menu->ItemLinks()->AddItem(item);
  }
  IcxPopupMenuHandler* handler = Supports<IcxPopupMenuHandler>(static_cast<TComponent*>(menu));
  ASSERT_NE(handler, nullptr);
  TKeysDown ctrl{VK_CONTROL};
  TMessage save{WM_KEYDOWN, 'S', 0};
  EXPECT_TRUE(handler->IsMenuShortCut(save));
  TMessage other{WM_KEYDOWN, 'X', 0};
  EXPECT_FALSE(handler->IsMenuShortCut(other));
  TMessage none{WM_KEYDOWN, 0, 0};
  EXPECT_FALSE(handler->IsMenuShortCut(none));
  EXPECT_EQ(log->Log, std::vector<std::string>{"Save"});
}

TEST(dxBarPopupMenu, ANegativeSideBarWidthIsTakenAsNone)
{
  TMenuFixture f;
  TdxBarPopupMenu* menu = f.Menu;
  menu->SetBarSize(24);
  EXPECT_EQ(menu->BarSize(), 24);
  menu->SetBarSize(-5);
  EXPECT_EQ(menu->BarSize(), 0);
}

TEST(dxBarPopupMenu, TheMenuIsOpenFromItsWindowsPopupNoticeToItsCloseUpNotice)
{
  TMenuFixture f;
  TdxBarPopupMenu* menu = f.Menu;
  auto log = MakeOwned<TPopupMenuClickLog>();
  menu->SetOnPopup(TNotifyEvent(log.get(), &TPopupMenuClickLog::Popup));
  menu->SetOnCloseUp(TNotifyEvent(log.get(), &TPopupMenuClickLog::CloseUp));
  EXPECT_FALSE(menu->IsOpen());
  menu->PopupNotice();
  EXPECT_TRUE(menu->IsOpen());
  // A waiting caller holds until the close-up notice comes through the message loop (here from a
  // thread timer, as the menu window would close on a click).
  MenuToClose = menu;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseMenuTimerProc);
  dxBarWaitWhileMenuOpen([menu] { return menu->IsOpen(); });
  KillTimer(nullptr, timer);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(log->Log, (std::vector<std::string>{"popup", "close-up"}));
}
