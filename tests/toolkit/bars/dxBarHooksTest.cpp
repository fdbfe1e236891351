// The bar system's thread hooks: what the navigation controller hears for Alt and F10, keys taken
// on key-down keep their key-up, shortcuts of toolbar items and popup-menu links, clicks outside
// the open menus, and nothing escaping a hook procedure.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "classlib/Application.h"
#include "classlib/StdCtrls.h"
#include "toolkit/bars/dxBarAccessibilityHelpers.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarHooks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {

// Records the hooks' calls in order; WantsKey answers for the keys listed, and can raise.
class TRecordingNavigation : public TdxBarNavigationController {
  CL_CLASS(TRecordingNavigation, TdxBarNavigationController)
public:
  std::vector<std::string> Calls;
  std::vector<WORD> Wanted;
  bool RaiseOnWantsKey = false;
  bool WantsKey(WORD key, TShiftState) override
  {
    if (RaiseOnWantsKey) throw Exception("navigation failed");
    for (WORD w : Wanted)
      if (w == key) return true;
    return false;
  }
  void DispatchKey(WORD key, TShiftState, IdxBarAccessibilityHelper*, IdxBarAccessibilityHelper*) override
  {
    Calls.push_back("DispatchKey " + std::to_string(key));
  }
  void BeginKeyTipsWait(IdxBarAccessibilityHelper*) override { Calls.push_back("BeginKeyTipsWait"); }
  void StopKeyTipsWaiting(bool show) override { Calls.push_back(show ? "StopKeyTipsWaiting show" : "StopKeyTipsWaiting"); }
  void EnterNavigation(IdxBarAccessibilityHelper*) override { Calls.push_back("EnterNavigation"); }
  void ClearNavigationMode() override { Calls.push_back("ClearNavigationMode"); }
};
CL_DEFINE_CLASS(TRecordingNavigation);

// Key data as the keyboard hook gets it: bit 31 for a key going up, bit 30 for a key that was down.
constexpr LPARAM KeyDown = 1;
constexpr LPARAM KeyUp = static_cast<LPARAM>(0xC0000001u);

LRESULT Key(WORD key, LPARAM data, int code = HC_ACTION)
{
  LRESULT result = 0;
  BarKeyboardHookProc(code, key, data, result);
  return result;
}

struct THooksFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TOwned<TRecordingNavigation> Navigation = MakeOwned<TRecordingNavigation>();
  TScopedSeam<TdxBarNavigationController*> Seam{dxBarHookNavigationController, Navigation.get()};

  THooksFixture()
  {
    ResetBarHookState();
    Form->Show();
    SetForegroundWindow(Form->Handle());
    SetFocus(Form->Handle());
    Pump(30);
  }
  ~THooksFixture() { ResetBarHookState(); }
};

struct TClicks : TObject {
  std::vector<std::string> Log;
  void Click(TObject* sender) { Log.push_back(static_cast<TComponent*>(sender)->Name()); }
};

}  // namespace

// Alt and F10 as the navigation controller hears them; only the release that enters the menu is
// swallowed.
TEST(dxBarHooks, AltAndF10ReachTheNavigationControllerInOrder)
{
  struct TCase {
    const char* Name;
    bool UseF10;
    std::vector<std::pair<WORD, LPARAM>> Keys;
    std::initializer_list<int> Held;
    std::vector<std::string> Calls;
    std::vector<LRESULT> Results;
  };
  const TCase cases[] = {
      {"Alt tapped", false, {{VK_MENU, KeyDown}, {VK_MENU, KeyUp}}, {}, {"EnterNavigation"}, {0, 1}},
      {"Alt held with another key",
       false,
       {{VK_MENU, KeyDown}, {'Q', KeyDown}, {'Q', KeyUp}, {VK_MENU, KeyUp}},
       {},
       {"StopKeyTipsWaiting", "StopKeyTipsWaiting", "StopKeyTipsWaiting"},
       {0, 0, 0, 0}},
      {"F10 for the menu", true, {{VK_F10, KeyDown}, {VK_F10, KeyUp}}, {}, {"EnterNavigation"}, {0, 1}},
      {"F10 without UseF10ForMenu",
       false,
       {{VK_F10, KeyDown}, {VK_F10, KeyUp}},
       {},
       {"StopKeyTipsWaiting", "StopKeyTipsWaiting"},
       {0, 0}},
      {"Shift+F10", true, {{VK_F10, KeyDown}, {VK_F10, KeyUp}}, {VK_SHIFT}, {"StopKeyTipsWaiting", "StopKeyTipsWaiting"}, {0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    THooksFixture f;
    f.Manager->SetUseF10ForMenu(c.UseF10);
    TKeysDown held(c.Held);
    std::vector<LRESULT> results;
    for (auto [key, data] : c.Keys) results.push_back(Key(key, data));
    EXPECT_EQ(f.Navigation->Calls, c.Calls);
    EXPECT_EQ(results, c.Results);
  }
}

namespace {
// A toolbar whose accessibility helper shows key tips, and records the root the hooks hand on.
class TKeyTipHelper : public TdxBarControlAccessibilityHelper {
  CL_CLASS(TKeyTipHelper, TdxBarControlAccessibilityHelper)
public:
  using TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper;
  bool SupportsKeyTips(IdxBarKeyTipWindowHost*& host) override
  {
    host = nullptr;
    return true;
  }
};
class TKeyTipToolbar : public TdxBarControl {
  CL_CLASS(TKeyTipToolbar, TdxBarControl)
public:
  using TdxBarControl::TdxBarControl;
  TOwned<TdxBarAccessibilityHelper> CreateAccessibilityHelper() override { return MakeOwned<TKeyTipHelper>(this); }
};
class TRootRecordingNavigation : public TRecordingNavigation {
  CL_CLASS(TRootRecordingNavigation, TRecordingNavigation)
public:
  std::vector<IdxBarAccessibilityHelper*> Roots;
  void BeginKeyTipsWait(IdxBarAccessibilityHelper* root) override
  {
    Roots.push_back(root);
    TRecordingNavigation::BeginKeyTipsWait(root);
  }
  void EnterNavigation(IdxBarAccessibilityHelper* root) override
  {
    Roots.push_back(root);
    TRecordingNavigation::EnterNavigation(root);
  }
};
}  // namespace
CL_DEFINE_CLASS(TKeyTipHelper);
CL_DEFINE_CLASS(TKeyTipToolbar);
CL_DEFINE_CLASS(TRootRecordingNavigation);

// With a main menu bar whose helper shows key tips, Alt alone starts the key tips' wait for that
// root, and its release enters navigation there and shows the key tips at once; a main menu bar
// without key tips only enters navigation.
TEST(dxBarHooks, AltAloneWaitsForTheMainMenusKeyTipsAndShowsThemOnRelease)
{
  for (bool keyTips : {true, false}) {
    SCOPED_TRACE(keyTips ? "key tips" : "no key tips");
    THooksFixture f;
    auto navigation = MakeOwned<TRootRecordingNavigation>();
    TScopedSeam<TdxBarNavigationController*> seam{dxBarHookNavigationController, navigation.get()};
    TdxBar* bar = f.Manager->Bars()->Add();
    TdxBarControl* toolbar = keyTips ? New<TKeyTipToolbar>(f.Manager) : New<TdxBarControl>(f.Manager);
    toolbar->SetBar(bar);
    toolbar->SetItemLinks(bar->ItemLinks());
    f.Manager->SetMainMenuBar(bar);
    EXPECT_EQ(Key(VK_MENU, KeyDown), 0);
    EXPECT_EQ(Key(VK_MENU, KeyUp), 1);
    IdxBarAccessibilityHelper* root = toolbar->GetAccessibilityHelper();
    const std::vector<std::string> expected =
        keyTips ? std::vector<std::string>{"BeginKeyTipsWait", "EnterNavigation", "StopKeyTipsWaiting show"}
                : std::vector<std::string>{"EnterNavigation"};
    EXPECT_EQ(navigation->Calls, expected);
    for (IdxBarAccessibilityHelper* r : navigation->Roots) EXPECT_EQ(r, root);
    f.Manager->SetMainMenuBar(nullptr);
    Free(toolbar);
  }
}

// A key the navigation wants is dispatched on key-down and swallowed; its key-up is swallowed too,
// once. HC_NOREMOVE and VK_PROCESSKEY are left alone; a held caption button swallows every key.
TEST(dxBarHooks, KeysTakenOnKeyDownKeepTheirKeyUpAndSpecialCodesAreLeftAlone)
{
  THooksFixture f;
  f.Navigation->Wanted = {VK_DOWN};
  EXPECT_EQ(Key(VK_DOWN, KeyDown, HC_NOREMOVE), 0);
  EXPECT_TRUE(f.Navigation->Calls.empty());
  EXPECT_EQ(Key(VK_DOWN, KeyDown), 1);
  f.Navigation->Wanted.clear();
  EXPECT_EQ(Key(VK_DOWN, KeyUp), 1);
  EXPECT_EQ(Key(VK_DOWN, KeyUp), 0);
  // The second key-up is an ordinary one: key-tip waiting stops.
  const std::vector<std::string> expected{"DispatchKey 40", "StopKeyTipsWaiting"};
  EXPECT_EQ(f.Navigation->Calls, expected);

  f.Navigation->Wanted = {VK_PROCESSKEY};
  EXPECT_EQ(Key(VK_PROCESSKEY, KeyDown), 0);
  SetBarCaptionButtonHeld(true);
  EXPECT_EQ(Key('A', KeyDown), 1);
  SetBarCaptionButtonHeld(false);
  EXPECT_EQ(Key('A', KeyDown), 0);
}

// A failure inside a hook procedure goes to the application; the key goes on.
TEST(dxBarHooks, NoExceptionLeavesAHookProcedure)
{
  THooksFixture f;
  f.Navigation->RaiseOnWantsKey = true;
  std::vector<std::string> errors;
  struct TCatcher : TObject {
    std::vector<std::string>* Errors;
    void OnException(TObject*, const Exception& e) { Errors->push_back(e.Message()); }
  };
  TOwned<TCatcher> catcher = MakeOwned<TCatcher>();
  catcher->Errors = &errors;
  TExceptionEvent saved = Application->OnException();
  Application->SetOnException(TExceptionEvent(catcher.get(), &TCatcher::OnException));
  LRESULT result = 0;
  EXPECT_NO_THROW(BarKeyboardHookProc(HC_ACTION, 'A', KeyDown, result));
  Application->SetOnException(saved);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(errors, std::vector<std::string>{"navigation failed"});
}

// A mouse button going down clears the navigation mode and forgets a pending Alt.
TEST(dxBarHooks, AMouseButtonDownClearsNavigationModeAndThePendingAlt)
{
  THooksFixture f;
  Key(VK_MENU, KeyDown);
  MOUSEHOOKSTRUCT info{};
  info.hwnd = f.Form->Handle();
  LRESULT result = 0;
  BarMouseHookProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&info), result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Key(VK_MENU, KeyUp), 0);
  const std::vector<std::string> expected{"ClearNavigationMode", "StopKeyTipsWaiting"};
  EXPECT_EQ(f.Navigation->Calls, expected);
}

// Typed shortcuts: a toolbar item's runs it once; a popup-menu link of the focused control wins.
TEST(dxBarHooks, ShortcutsRunToolbarItemsOnceAndPopupMenuLinksFirst)
{
  THooksFixture f;
  TOwned<TClicks> clicks = MakeOwned<TClicks>();
  TEdit* edit = New<TEdit>(f.Form);
  edit->SetParent(f.Form);
  TdxBar* bar = f.Manager->Bars()->Add();
  bar->SetVisible(true);
  TdxBarControl* toolbar = New<TdxBarControl>(f.Manager);
  toolbar->SetBar(bar);
  toolbar->SetItemLinks(bar->ItemLinks());
  toolbar->SetBounds(200, 200, 160, 60);
  toolbar->ShowToolbar();
  auto* onBar = New<TdxBarButton>(f.Form);
  onBar->SetName("OnBar");
  onBar->SetShortCut(scCtrl | 'B');
  onBar->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  bar->ItemLinks()->AddItem(onBar);
  Pump(30);
  edit->SetFocus();
  ASSERT_TRUE(PressKey('B', {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return !clicks->Log.empty(); }));
  Pump(30);
  EXPECT_EQ(clicks->Log, std::vector<std::string>{"OnBar"});

  auto* popup = New<TdxBarPopupMenu>(f.Form);
  popup->SetBarManager(f.Manager);
  auto* inMenu = New<TdxBarButton>(f.Form);
  inMenu->SetName("InMenu");
  inMenu->SetShortCut(scCtrl | 'B');
  inMenu->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  popup->ItemLinks()->AddItem(inMenu);
  TdxBarPopupMenuLink* link = f.Manager->PopupMenuLinks()->Add();
  link->SetControl(edit);
  link->SetPopupMenu(popup);
  clicks->Log.clear();
  ASSERT_TRUE(PressKey('B', {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return !clicks->Log.empty(); }));
  Pump(30);
  EXPECT_EQ(clicks->Log, std::vector<std::string>{"InMenu"});
  Free(toolbar);
}

// While a bar control is active: a right-button release outside it and on no item is swallowed,
// one inside it is not; a wheel over anything is swallowed when it refuses the wheel.
TEST(dxBarHooks, ARightReleaseOutsideTheActiveBarControlIsSwallowed)
{
  THooksFixture f;
  TdxBar* bar = f.Manager->Bars()->Add();
  bar->SetVisible(true);
  TdxBarControl* toolbar = New<TdxBarControl>(f.Manager);
  toolbar->SetBar(bar);
  toolbar->SetItemLinks(bar->ItemLinks());
  toolbar->SetBounds(200, 200, 160, 60);
  toolbar->ShowToolbar();
  Pump(30);
  SetActiveBarControl(toolbar);
  auto mouse = [](UINT msg, HWND wnd) {
    MOUSEHOOKSTRUCT info{};
    info.hwnd = wnd;
    GetCursorPos(&info.pt);
    LRESULT result = 0;
    BarMouseHookProc(HC_ACTION, msg, reinterpret_cast<LPARAM>(&info), result);
    return result;
  };
  EXPECT_EQ(mouse(WM_RBUTTONUP, f.Form->Handle()), 1);
  EXPECT_EQ(mouse(WM_RBUTTONUP, toolbar->Handle()), 0);
  EXPECT_EQ(mouse(WM_MOUSEWHEEL, f.Form->Handle()), 1);
  SetActiveBarControl(nullptr);
  EXPECT_EQ(mouse(WM_RBUTTONUP, f.Form->Handle()), 0);
  EXPECT_EQ(mouse(WM_MOUSEWHEEL, f.Form->Handle()), 0);
  Free(toolbar);
}

// Alt with a button's accelerator clicks it once; with an accelerator two buttons share, the
// presses select them in turn instead.
TEST(dxBarHooks, AltWithAnAcceleratorClicksItsButtonAndASharedOneCycles)
{
  THooksFixture f;
  TOwned<TClicks> clicks = MakeOwned<TClicks>();
  TdxBar* bar = f.Manager->Bars()->Add();
  bar->SetVisible(true);
  auto add = [&](const char* name, const char* caption) {
    auto* button = New<TdxBarButton>(f.Form);
    button->SetName(name);
    button->SetCaption(caption);
    button->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
    return bar->ItemLinks()->AddItem(button);
  };
  add("Find", "&Find");
  TdxBarItemLink* first = add("Save", "&Save");
  TdxBarItemLink* second = add("Send", "&Send");
  TdxBarControl* toolbar = New<TdxBarControl>(f.Manager);
  toolbar->SetBar(bar);
  toolbar->SetItemLinks(bar->ItemLinks());
  toolbar->SetBounds(200, 200, 260, 60);
  toolbar->ShowToolbar();
  Pump(30);
  TKeysDown alt({VK_MENU});
  const LPARAM altDown = KeyDown | (1 << 29);
  EXPECT_EQ(Key('F', altDown), 1);
  Pump(30);
  EXPECT_EQ(clicks->Log, std::vector<std::string>{"Find"});
  EXPECT_EQ(Key('S', altDown), 1);
  EXPECT_EQ(toolbar->GetSelectedItemControl(), first->Control());
  EXPECT_EQ(Key('S', altDown), 1);
  EXPECT_EQ(toolbar->GetSelectedItemControl(), second->Control());
  EXPECT_EQ(clicks->Log.size(), 1u);
  Free(toolbar);
}
