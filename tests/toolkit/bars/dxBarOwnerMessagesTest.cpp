// The manager's answers to its owner window's messages: floating toolbars hidden while the form is
// inactive and back on activation, bars pulled back onto the work area, the help key's topic, and
// floating toolbars disabled around a modal dialog.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/Application.h"
#include "classlib/Streams.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
struct TFloatingFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TdxBar* Bar = Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;

  // With a help item: a button with the help context 77 on the toolbar.
  explicit TFloatingFixture(bool helpItem = false)
  {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Bar->SetCaption("Tools");
    Bar->SetVisible(true);
    if (helpItem) {
      auto* button = New<TdxBarButton>(Form);
      button->SetCaption("Find");
      button->SetHelpContext(77);
      Bar->ItemLinks()->AddItem(button);
    }
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Toolbar->SetBounds(200, 200, 160, 60);
    Toolbar->ShowToolbar();
    Pump(30);
  }
  ~TFloatingFixture() { Free(Toolbar); }
  void Activate(WORD state, HWND other = nullptr)
  {
    Manager->OwnerWindowMessage(Form->Handle(), WM_ACTIVATE, reinterpret_cast<LPARAM>(other), MAKEWPARAM(state, 0));
  }
  bool ToolbarShowing() const { return IsWindowVisible(Toolbar->Handle()) != FALSE; }
};

RECT SmallWorkArea(POINT) { return RECT{0, 0, 400, 300}; }

struct THelpCall {
  UINT Command;
  ULONG_PTR Data;
};
std::vector<THelpCall> HelpCalls;
bool RecordHelp(HWND, const std::string&, UINT command, ULONG_PTR data)
{
  HelpCalls.push_back({command, data});
  return true;
}
}  // namespace

// With HideFloatingBarsWhenInactive a floating toolbar hides when the form loses the activation to
// another form, and shows again when the form is active; without it, it stays.
TEST(dxBarOwnerMessages, FloatingToolbarsHideWhileTheFormIsInactive)
{
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide ? "hiding" : "staying");
    TFloatingFixture f;
    f.Manager->SetHideFloatingBarsWhenInactive(hide);
    f.Activate(WA_ACTIVE);
    EXPECT_TRUE(f.Manager->IsActive());
    ASSERT_TRUE(f.ToolbarShowing());
    TForm* other = NewForm();
    TFormGuard otherGuard{other};
    other->HandleNeeded();
    f.Activate(WA_INACTIVE, other->Handle());
    EXPECT_FALSE(f.Manager->IsActive());
    EXPECT_EQ(f.ToolbarShowing(), !hide);
    f.Activate(WA_ACTIVE);
    EXPECT_TRUE(f.ToolbarShowing());
  }
}

// A work-area change pulls a floating toolbar lying partly outside back inside, top-left first.
TEST(dxBarOwnerMessages, AWorkAreaChangePullsFloatingToolbarsBack)
{
  TFloatingFixture f;
  TScopedSeam<TcxDesktopWorkAreaFunc> area(cxDesktopWorkAreaFunc, SmallWorkArea);
  SetWindowPos(f.Toolbar->Handle(), nullptr, 350, 280, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT before{};
  GetWindowRect(f.Toolbar->Handle(), &before);
  f.Manager->OwnerWindowMessage(f.Form->Handle(), WM_SETTINGCHANGE, 0, SPI_SETWORKAREA);
  RECT after{};
  GetWindowRect(f.Toolbar->Handle(), &after);
  EXPECT_EQ(after.right, 400);
  EXPECT_EQ(after.bottom, 300);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
}

// F1 over a toolbar item with a help context: its topic, as a popup under the item when the form
// shows the help border icon.
TEST(dxBarOwnerMessages, TheHelpKeyOverAnItemShowsItsTopic)
{
  for (bool helpIcon : {false, true}) {
    SCOPED_TRACE(helpIcon ? "popup" : "topic");
    TFloatingFixture f(true);
    if (helpIcon) f.Form->SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biHelp});
    TdxBarItemLink* link = f.Bar->ItemLinks()->Items(0);
    ASSERT_NE(link->Control(), nullptr);
    f.Toolbar->CalcViewInfo();  // the toolbar's item places, as its painting would have them
    const RECT r = link->Control()->GetBoundsRect();
    ASSERT_FALSE(IsRectEmpty(&r)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    POINT center{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(f.Toolbar->Handle(), &center);
    HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, 0, f.Toolbar->Handle(), 0, center};
    HelpCalls.clear();
    THelpFunc old = SetHelpFunc(RecordHelp);
    f.Manager->OwnerWindowMessage(f.Form->Handle(), WM_HELP, reinterpret_cast<LPARAM>(&info), 0);
    SetHelpFunc(old);
    if (!helpIcon) {
      ASSERT_EQ(HelpCalls.size(), 1u);
      EXPECT_EQ(HelpCalls[0].Command, static_cast<UINT>(HELP_CONTEXT));
      EXPECT_EQ(HelpCalls[0].Data, 77u);
    } else {
      ASSERT_EQ(HelpCalls.size(), 2u);
      POINT below{(r.left + r.right) / 2, r.bottom};
      ClientToScreen(f.Toolbar->Handle(), &below);
      EXPECT_EQ(HelpCalls[0].Command, static_cast<UINT>(HELP_SETPOPUP_POS));
      EXPECT_EQ(HelpCalls[0].Data, static_cast<ULONG_PTR>(MAKELONG(below.x, below.y)));
      EXPECT_EQ(HelpCalls[1].Command, static_cast<UINT>(HELP_CONTEXTPOPUP));
      EXPECT_EQ(HelpCalls[1].Data, 77u);
    }
  }
}

// Around a modal dialog: enabled floating toolbars are disabled, then enabled again.
TEST(dxBarOwnerMessages, FloatingToolbarsAreDisabledAndEnabledAgain)
{
  TFloatingFixture f;
  f.Manager->DisableFloatingBars();
  EXPECT_FALSE(IsWindowEnabled(f.Toolbar->Handle()));
  f.Manager->EnableFloatingBars();
  EXPECT_TRUE(IsWindowEnabled(f.Toolbar->Handle()));
}

// The owner window's destruction saves the layout to the ini store once; a window made again
// while the owner lives saves nothing, and neither does a manager without a store.
TEST(dxBarOwnerMessages, TheOwnersDestructionSavesTheLayout)
{
  for (bool store : {true, false}) {
    SCOPED_TRACE(store ? "ini store" : "no store");
    TOwned<TMemoryStream> saved = MakeOwned<TMemoryStream>();
    TForm* form = NewForm();
    {
      TFormGuard guard{form};
      auto* manager = New<TdxBarManager>(form);
      TdxBar* bar = manager->Bars()->Add();
      bar->SetCaption("Tools");
      manager->SetStoreInIniFile(store);
      manager->SetLayoutStream(saved.get());
      form->Show();
      Pump(10);
      form->RecreateWnd();
      form->HandleNeeded();
      Pump(10);
      EXPECT_EQ(saved->Size(), 0) << "a window made again";
    }
    EXPECT_EQ(saved->Size() > 0, store);
  }
}
