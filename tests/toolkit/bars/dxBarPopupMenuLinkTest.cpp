// Popup-menu links on real windows: a right click and the menu key reach the link, a graphic child
// only with ProcessChildren, another window procedure chained after the link outlives it, and the
// links route shortcuts to their menus.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/StdCtrls.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsWindowProc.h"

namespace {
class TActionLog : public TObject {
  CL_CLASS(TActionLog, TObject)
public:
  std::vector<std::string> Log;
  bool Refuse = false;
  void Action(TObject*, int& x, int& y, bool clickedByMouse, bool& allowPopup)
  {
    Log.push_back(std::to_string(x) + "," + std::to_string(y) + (clickedByMouse ? " mouse" : " keyboard") +
                  (allowPopup ? " popup" : ""));
    if (Refuse) allowPopup = false;
  }
  void Click(TObject*) { Log.push_back("click"); }
  void Popup(TObject*) { Log.push_back("menu open"); }
};

// Closes the popup menu by Escape once its window is open (the popup waits until then).
TdxBarPopupMenu* MenuToClose = nullptr;
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD)
{
  TdxBarSubMenuControl* open = MenuToClose ? MenuToClose->GetBarControl() : nullptr;
  if (!open) return;
  MenuToClose = nullptr;
  SendMessageA(open->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
}

struct TLinkFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TPanel* Panel = NewPanel(Form, 10, 10);
  TOwned<TActionLog> Log = MakeOwned<TActionLog>();
  TdxBarPopupMenuLink* Link = Manager->PopupMenuLinks()->Add();

  TLinkFixture()
  {
    Form->Show();
    Link->SetControl(Panel);
    Link->SetOnAction(TdxBarPopupMenuLinkActionEvent(Log.get(), &TActionLog::Action));
  }
  void RightClick(POINT client)
  {
    SendMessageA(Panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageA(Panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    HandleWaitingMessages();
  }
  // The keyboard's context-menu request: the system turns the menu key and Shift+F10 into a
  // context-menu message at (-1, -1). Wine makes it only for Shift+F10, so the test presses that.
  void MenuKey()
  {
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE shift = keys[VK_SHIFT];
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(Panel->Handle(), WM_SYSKEYDOWN, VK_F10, 0x00440001);
    keys[VK_SHIFT] = shift;
    SetKeyboardState(keys);
    // Shift goes up first: F10 released on its own would open the window menu.
    SendMessageA(Panel->Handle(), WM_KEYUP, VK_SHIFT, 0xC02A0001);
    HandleWaitingMessages();
  }
};

// Counts one message on the window it is chained to.
class TSecondProcedure : public TObject {
  CL_CLASS(TSecondProcedure, TObject)
public:
  TcxWindowProcLinkedObject* Link = nullptr;
  int Seen = 0;
  void WndProc(TMessage& message)
  {
    if (message.Msg == WM_USER + 7) ++Seen;
    CallPreviousWindowProc(Link, message);
  }
};
}  // namespace

CL_DEFINE_CLASS(TActionLog);
CL_DEFINE_CLASS(TSecondProcedure);

TEST(dxBarPopupMenuLink, ARightClickAndTheMenuKeyReachTheLink)
{
  TLinkFixture f;
  f.RightClick({5, 6});
  f.MenuKey();
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"5,6 mouse", "-1,-1 keyboard"}));
  EXPECT_FALSE(f.Panel->OnContextPopup()) << "the control's own handler is back";

  // With a popup menu the popup is allowed and the menu opens; the click returns once it closed.
  f.Log->Log.clear();
  auto* menu = New<TdxBarPopupMenu>(f.Form);
  menu->SetOnPopup(TNotifyEvent(f.Log.get(), &TActionLog::Popup));
  f.Link->SetPopupMenu(menu);
  MenuToClose = menu;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseOpenMenu);
  f.RightClick({1, 2});
  KillTimer(nullptr, timer);
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"1,2 mouse popup", "menu open"}));
  EXPECT_EQ(menu->GetBarControl(), nullptr);
}

TEST(dxBarPopupMenuLink, AGraphicChildOpensTheMenuOnlyWithProcessChildren)
{
  TLinkFixture f;
  auto* label = New<TLabel>(f.Form);
  label->SetParent(f.Panel);
  label->SetBounds(40, 40, 30, 20);
  label->SetEnabled(false);
  f.Link->SetProcessChildren(false);
  f.RightClick({50, 50});
  EXPECT_TRUE(f.Log->Log.empty()) << "a disabled graphic child counts as well";
  f.RightClick({5, 5});
  EXPECT_EQ(f.Log->Log, std::vector<std::string>{"5,5 mouse"}) << "the control itself";
  f.Link->SetProcessChildren(true);
  f.RightClick({50, 50});
  EXPECT_EQ(f.Log->Log.size(), 2u);
}

TEST(dxBarPopupMenuLink, TheControlsOwnHandlerRunsFirstAndMayKeepTheMenu)
{
  TLinkFixture f;
  struct THandler : TObject {
    int Calls = 0;
    bool Handle = false;
    void ContextPopup(TObject*, POINT, bool& handled)
    {
      ++Calls;
      handled = Handle;
    }
  };
  auto handler = MakeOwned<THandler>();
  f.Panel->SetOnContextPopup(TContextPopupEvent(handler.get(), &THandler::ContextPopup));
  f.RightClick({3, 3});
  handler->Handle = true;
  f.RightClick({3, 3});
  EXPECT_EQ(handler->Calls, 2);
  EXPECT_EQ(f.Log->Log, std::vector<std::string>{"3,3 mouse"});
  EXPECT_TRUE(f.Panel->OnContextPopup() == TContextPopupEvent(handler.get(), &THandler::ContextPopup));
}

TEST(dxBarPopupMenuLink, AProcedureChainedAfterTheLinkKeepsWorkingWhenTheLinkLetsGo)
{
  TLinkFixture f;
  auto second = MakeOwned<TSecondProcedure>();
  TcxWindowProcController* controller = GetWindowProcController();
  second->Link = controller->AddControlWindowProc(f.Panel, [p = second.get()](TMessage& m) { p->WndProc(m); });
  SendMessageA(f.Panel->Handle(), WM_USER + 7, 0, 0);
  f.Link->SetControl(nullptr);
  SendMessageA(f.Panel->Handle(), WM_USER + 7, 0, 0);
  f.RightClick({5, 5});
  EXPECT_EQ(second->Seen, 2);
  EXPECT_TRUE(f.Log->Log.empty()) << "the link no longer hears the control";
  controller->RemoveWindowProc(second->Link);
  EXPECT_EQ(controller->FindControlChain(f.Panel), nullptr) << "the panel has its own procedure back";

  // Linked again, and the link freed: the same.
  f.Link->SetControl(f.Panel);
  Free(f.Link);
  EXPECT_EQ(controller->FindControlChain(f.Panel), nullptr);
}

TEST(dxBarPopupMenuLink, ControlsOutsideTheManagersOwnerAndControlsThatGo)
{
  TLinkFixture f;
  TForm* other = NewForm();
  TFormGuard guard{other};
  f.Link->SetControl(NewPanel(other));
  EXPECT_EQ(f.Link->Control(), nullptr) << "a control of another form counts as none";
  f.Link->SetControl(f.Panel);
  auto* menu = New<TdxBarPopupMenu>(f.Form);
  f.Link->SetPopupMenu(menu);
  Free(menu);
  EXPECT_EQ(f.Link->PopupMenu(), nullptr);
  Free(f.Panel);
  EXPECT_EQ(f.Link->Control(), nullptr);
  EXPECT_EQ(GetWindowProcController()->ChainCount(), 0);
}

TEST(dxBarPopupMenuLink, ShortcutsReachTheLinkedMenu)
{
  TLinkFixture f;
  auto* inner = NewPanel(f.Panel, 5, 5);
  auto* menu = New<TdxBarPopupMenu>(f.Form);
  auto* item = New<TTestBarItem>(f.Form);
  item->SetShortCut('P' | scCtrl);
  item->SetOnClick(TNotifyEvent(f.Log.get(), &TActionLog::Click));
  menu->ItemLinks()->AddItem(item);
  f.Link->SetPopupMenu(menu);
  TdxBarPopupMenuLinks* links = f.Manager->PopupMenuLinks();
  EXPECT_TRUE(links->HandleShortCut(f.Panel, 'P' | scCtrl));
  EXPECT_TRUE(links->HandleShortCut(inner, 'P' | scCtrl)) << "a windowed child with ProcessChildren";
  f.Link->SetProcessChildren(false);
  EXPECT_FALSE(links->HandleShortCut(inner, 'P' | scCtrl));
  f.Log->Refuse = true;
  EXPECT_FALSE(links->HandleShortCut(f.Panel, 'P' | scCtrl)) << "OnAction refused";
  EXPECT_EQ(f.Log->Log, (std::vector<std::string>{"-1,-1 keyboard popup", "click", "-1,-1 keyboard popup", "click",
                                                  "-1,-1 keyboard popup"}));

  // Assign finds the controls of the same names.
  f.Panel->SetName("LinkedPanel");
  menu->SetName("LinkedMenu");
  TdxBarPopupMenuLink* copy = links->Add();
  copy->Assign(f.Link);
  EXPECT_EQ(copy->Control(), f.Panel);
  EXPECT_EQ(copy->PopupMenu(), menu);
  EXPECT_FALSE(copy->ProcessChildren());
  EXPECT_FALSE(copy->OnAction());
}
