// The bar-control base in real windows: item controls made from the registry per showable link,
// hot tracking and clicks through the system's input queue, the active chain, closing chains, the
// key map, clicks that free what they run on, the item control's parts and hints, the bar
// control's view info, and no GDI object or window left behind.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/controls/cxStyles.h"

namespace {
// The item the test bar controls show, and a class derived from it that the registry does not
// pair.
class TCtlItem : public TdxBarItem {
  CL_CLASS(TCtlItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TCtlUnpairedItem : public TCtlItem {
  CL_CLASS(TCtlUnpairedItem, TCtlItem)
public:
  using TCtlItem::TCtlItem;
};

// Draws itself red when highlighted, green otherwise; its only part is its left half.
class TCtlItemControl : public TdxBarItemControl {
  CL_CLASS(TCtlItemControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  void Draw(const RECT& rect, int) override
  {
    GetCanvas()->FillRectWithColor(rect, IsHighlighted() ? clRed : clLime);
  }
  void CalcParts() override
  {
    RECT r = GetBoundsRect();
    r.right = r.left + (r.right - r.left) / 2;
    SetPartRects({r});
  }
};

// Every shown control with its item rect, in link order.
class TCtlViewInfo : public TCustomdxBarControlViewInfo {
  CL_CLASS(TCtlViewInfo, TCustomdxBarControlViewInfo)
public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  void Calculate() override
  {
    Clear();
    TdxBarItemLinks* links = BarControl()->ItemLinks();
    for (int i = 0; links && i < links->GetVisibleLinkCount(); ++i) {
      TdxBarItemControl* control = links->GetVisibleLink(i)->Control();
      if (!control || IsRectEmpty(&links->GetVisibleLink(i)->ItemRect())) continue;
      control->ViewInfo()->SetBounds(control->GetBoundsRect());
      AppendItemControlViewInfo(control->ViewInfo());
    }
  }
};

// A floating tool window owned by the form, its links one under another, 20 pixels each.
class TCtlBarControl : public TCustomdxBarControl {
  CL_CLASS(TCtlBarControl, TCustomdxBarControl)
public:
  using TCustomdxBarControl::TCustomdxBarControl;
  TdxBarKind Kind = TdxBarKind::bkBarControl;
  bool Vertical = false;
  bool Rotated = false;
  TdxBar* ShownBar = nullptr;
  std::string Name;
  std::vector<std::string>* CloseLog = nullptr;
  std::vector<bool> Presses;  // whether each press came as a double click
  TCustomdxBarControl* FreeOnHideAll = nullptr;

  TBitmap* GetBackgroundBitmap() const override { return nullptr; }
  int GetBeginGroupSize() const override { return 6; }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override { return ClassRef<TCtlViewInfo>(); }
  void SetMarkState(int) override {}
  void UpdateFont() override {}
  void InvalidateItemControl(TdxBarItemControl* control) override { InvalidateRectOfItem(control); }
  void FillBackground(HDC dc, const RECT& rect) override { FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE)); }
  void DismissControl() override {}
  TdxBarKind GetBarControlKind() const override { return Kind; }
  bool IsVertical() const override { return Vertical; }
  bool IsRotated() const override { return Rotated; }
  TdxBar* GetBar() const override { return ShownBar; }
  int GetItemLineHeight(TdxBarItemControl*) const override { return 20; }
  void CreateItemControls() override { CalcLinesFrom(0); }
  void CreateItemControlsOfLinks() override
  {
    TCustomdxBarControl::CreateItemControlsOfLinks();
    CalcItemsArea();
    RecalcItems(dxBarRecalcAll);
    CalcViewInfo();
  }
  void HideAll() override
  {
    if (CloseLog) CloseLog->push_back(Name + ":" + std::to_string(static_cast<int>(CloseReason())));
    if (FreeOnHideAll) Free(std::exchange(FreeOnHideAll, nullptr));
    TCustomdxBarControl::HideAll();
  }

protected:
  void CreateParams(TCreateParams& params) override
  {
    TCustomdxBarControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
  {
    Presses.push_back(shift.Contains(ssDouble));
    TCustomdxBarControl::MouseDown(button, shift, x, y);
  }
};

// Counts the clicks of items; may free something from inside a click.
struct TClickLog : TObject {
  std::vector<std::string> Clicks;
  TObject* FreeOnClick = nullptr;
  TCustomdxBarControl* RepaintOnClick = nullptr;
  std::vector<bool> PressedDuringClick;
  TdxBarItemControl* Watch = nullptr;  // the control whose pressed look the click records
  void Click(TObject* sender)
  {
    auto* item = static_cast<TdxBarItem*>(sender);
    Clicks.push_back(item->Caption());
    if (Watch) PressedDuringClick.push_back(Watch->PressedForClick());
    if (FreeOnClick) Free(std::exchange(FreeOnClick, nullptr));
    if (RepaintOnClick) RepaintOnClick->Repaint();
  }
};

struct TPairedClasses {
  TPairedClasses() { RegisterBarItemClass(ClassRef<TCtlItem>(), ClassRef<TCtlItemControl>(), true); }
  ~TPairedClasses() { UnregisterBarItemClass(ClassRef<TCtlItem>()); }
};

struct TBarFixture {
  TPairedClasses Paired;
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager;
  TdxBar* Bar;
  TCtlBarControl* Control = nullptr;
  TOwned<TClickLog> Log = MakeOwned<TClickLog>();

  explicit TBarFixture(TdxBarManagerStyle style = bmsStandard)
  {
    Manager = New<TdxBarManager>(Form);
    Manager->SetStyle(style);
    Bar = Manager->Bars()->Add();
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(50);
  }
  TdxBarItemLink* Add(const std::string& caption, bool paired = true)
  {
    TdxBarItem* item = paired ? static_cast<TdxBarItem*>(New<TCtlItem>(Form)) : New<TCtlUnpairedItem>(Form);
    item->SetCaption(caption);
    item->SetOnClick(TNotifyEvent(Log.get(), &TClickLog::Click));
    return Bar->ItemLinks()->AddItem(item);
  }
  // A bar control of bar's links owned by bar's manager, at a point of the form's client area.
  TCtlBarControl* ShowBar(TdxBar* bar, const std::string& name, POINT at, SIZE size)
  {
    auto* control = New<TCtlBarControl>(bar->GetBarManager());
    control->Name = name;
    const POINT origin = Form->ClientToScreen(at);
    control->SetBounds(origin.x, origin.y, size.cx, size.cy);
    control->SetParentWindow(Form->Handle());
    control->SetItemLinks(bar->ItemLinks());
    control->HandleNeeded();
    control->ShowNoActivate();
    Pump(30);
    return control;
  }
  TCtlBarControl* Show(const std::string& name = "bar")
  {
    TCtlBarControl* control = ShowBar(Bar, name, POINT{20, 20}, SIZE{120, 120});
    if (!Control) Control = control;
    return control;
  }
  POINT CenterOf(TdxBarItemLink* link) const
  {
    const RECT& r = link->ItemRect();
    return Control->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  TdxBarItemLink* Link(int index) const { return Bar->ItemLinks()->Items(index); }
};
}  // namespace

CL_DEFINE_CLASS(TCtlItem);
CL_DEFINE_CLASS(TCtlUnpairedItem);
CL_DEFINE_CLASS(TCtlItemControl);
CL_DEFINE_CLASS(TCtlViewInfo);
CL_DEFINE_CLASS(TCtlBarControl);

// One control per showable link of a paired class, laid out one under another; hidden and
// unavailable links and links of a class the registry does not pair exactly get none, and the bar
// shows the others. A change of a link's caption makes the controls anew.
TEST(dxBarControl, ItemControlsAreMadeForTheShownLinksOfPairedClasses)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  TdxBarItemLink* hidden = f.Add("hidden");
  hidden->SetVisible(false);
  TdxBarItemLink* unpaired = f.Add("unpaired", false);
  TdxBarItemLink* never = f.Add("never");
  never->Item()->SetVisible(ivNever);
  TdxBarItemLink* b = f.Add("b");
  f.Show();

  ASSERT_NE(a->Control(), nullptr);
  ASSERT_NE(b->Control(), nullptr);
  EXPECT_EQ(a->Control()->ClassType(), TCtlItemControl::StaticClass());
  EXPECT_EQ(hidden->Control(), nullptr);
  EXPECT_EQ(unpaired->Control(), nullptr);
  EXPECT_EQ(never->Control(), nullptr);
  TCustomdxBarControlViewInfo* info = f.Control->ViewInfo();
  ASSERT_EQ(info->GetItemControlViewInfoCount(), 2);
  EXPECT_TRUE(info->ContainsItemControl(a->Control()));
  EXPECT_TRUE(info->ContainsItemControl(b->Control()));
  EXPECT_EQ(a->ItemRect().bottom, b->ItemRect().top);  // the unpaired link takes no room... of its own control
  EXPECT_EQ(a->Control()->BarControl(), f.Control);

  TWeakRef<TdxBarItemControl> old(a->Control());
  a->Item()->SetCaption("a2");
  EXPECT_FALSE(old);
  ASSERT_NE(a->Control(), nullptr);
  EXPECT_TRUE(info->ContainsItemControl(a->Control()));

  b->SetVisible(false);
  EXPECT_EQ(b->Control(), nullptr);
  f.Control->Repaint();
  EXPECT_EQ(info->GetItemControlViewInfoCount(), 1);
}

// The mouse over an item makes it the selected (hot) control, selected by the mouse and recorded by
// the manager; moving on moves the selection; leaving the bar clears it. The highlighted item draws
// red.
TEST(dxBarControl, HotTrackingFollowsTheMouse)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  TdxBarItemLink* b = f.Add("b");
  f.Show();
  ASSERT_TRUE(MoveCursorTo(f.CenterOf(a)));
  ASSERT_TRUE(PumpUntil([&] { return f.Control->SelectedLink() == a; }, 3000));
  EXPECT_TRUE(a->Control()->SelectedByMouse());
  EXPECT_EQ(f.Manager->SelectedItemControl(), a->Control());
  EXPECT_EQ(f.Manager->MouseTrackingControl(), f.Control);
  EXPECT_TRUE(f.Control->MouseInside());
  EXPECT_EQ(a->Control()->HotPartIndex(), dxBarInsideNoPart);  // the centre lies right of its only part
  UpdateWindow(f.Control->Handle());
  {
    HDC dc = GetDC(f.Control->Handle());
    EXPECT_EQ(GetPixel(dc, a->ItemRect().left + 2, a->ItemRect().top + 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, b->ItemRect().left + 2, b->ItemRect().top + 2), RGB(0, 255, 0));
    ReleaseDC(f.Control->Handle(), dc);
  }

  ASSERT_TRUE(MoveCursorTo(f.CenterOf(b)));
  ASSERT_TRUE(PumpUntil([&] { return f.Control->SelectedLink() == b; }, 3000));
  EXPECT_EQ(a->Control()->HotPartIndex(), dxBarNoPart);

  ASSERT_TRUE(MoveCursorTo(f.Form->ClientToScreen(POINT{250, 180})));
  ASSERT_TRUE(PumpUntil([&] { return f.Control->SelectedLink() == nullptr; }, 3000));
  EXPECT_FALSE(f.Control->MouseInside());
  EXPECT_EQ(f.Manager->MouseTrackingControl(), nullptr);
  EXPECT_EQ(f.Control->RememberedMousePos().x, -1);
}

// A click on an item of the active bar runs the item once and closes the chain; the bar window is
// never activated: the form stays the active window with the focus where it was.
TEST(dxBarControl, AClickRunsTheItemWithoutActivatingTheBarWindow)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  f.Add("b");
  f.Show();
  const HWND active = GetActiveWindow(), focus = GetFocus();
  ASSERT_EQ(active, f.Form->Handle());
  f.Control->SetActive(true);
  ASSERT_TRUE(f.Control->Active());
  ASSERT_TRUE(ClickAt(f.CenterOf(a)));
  ASSERT_TRUE(PumpUntil([&] { return !f.Log->Clicks.empty(); }, 3000));
  Pump(30);
  EXPECT_EQ(f.Log->Clicks, std::vector<std::string>{"a"});
  EXPECT_FALSE(f.Control->Active());
  EXPECT_EQ(GetActiveBarControl(), nullptr);
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(GetFocus(), focus);
  EXPECT_EQ(GetForegroundWindow(), f.Form->Handle());
}

// The standard style takes the second press as a plain press; the enhanced style gets a double
// click.
TEST(dxBarControl, OnlyTheEnhancedStyleGetsDoubleClicks)
{
  for (auto [style, expectDouble] : {std::pair{bmsStandard, false}, std::pair{bmsEnhanced, true}}) {
    TBarFixture f(style);
    TdxBarItemLink* a = f.Add("a");
    f.Show();
    ASSERT_TRUE(MoveCursorTo(f.CenterOf(a)));
    Pump(30);
    INPUT input[4]{};
    for (int i = 0; i < 4; ++i) {
      input[i].type = INPUT_MOUSE;
      input[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ASSERT_EQ(SendInput(4, input, sizeof(INPUT)), 4u);
    ASSERT_TRUE(PumpUntil([&] { return f.Control->Presses.size() >= 2; }, 3000));
    EXPECT_EQ(f.Control->Presses, (std::vector<bool>{false, expectDouble})) << static_cast<int>(style);
  }
}

// Each reason closes a chain of three opened from each other, from the deepest up, with that
// reason; the active chain is a stack that unwinds to nothing. A close whose handler frees the
// control that runs it stops without touching it.
TEST(dxBarControl, CloseUpRunsThroughTheChainWithItsReason)
{
  TBarFixture f;
  f.Add("a");
  std::vector<std::string> log;
  for (TdxBarCloseReason reason :
       {TdxBarCloseReason::ClickElsewhere, TdxBarCloseReason::ItemClick, TdxBarCloseReason::Keyboard}) {
    TCtlBarControl* c1 = f.Show("c1");
    auto* c2 = New<TCtlBarControl>(f.Manager);
    auto* c3 = New<TCtlBarControl>(f.Manager);
    c2->Name = "c2";
    c3->Name = "c3";
    c1->SetChildControl(c2);
    c3->SetOwnerBarControl(c2);
    EXPECT_EQ(c2->ChildControl(), c3);
    EXPECT_EQ(c2->OwnerBarControl(), c1);
    for (TCtlBarControl* c : {c1, c2, c3}) {
      c->CloseLog = &log;
      c->SetActiveState(true);
    }
    EXPECT_EQ(GetActiveBarControl(), c3);
    EXPECT_EQ(c3->PreviousActiveControl(), c2);
    log.clear();
    c3->CloseUp(reason);
    const std::string r = std::to_string(static_cast<int>(reason));
    EXPECT_EQ(log, (std::vector<std::string>{"c3:" + r, "c2:" + r, "c1:" + r}));
    EXPECT_EQ(GetActiveBarControl(), nullptr);
    for (TCtlBarControl* c : {c1, c2, c3}) EXPECT_FALSE(c->Active());
    Free(c1);  // frees its child chain
    f.Control = nullptr;
  }

  // The owner frees the chain below it while the deepest control is still closing.
  TCtlBarControl* c1 = f.Show("c1");
  auto* c2 = New<TCtlBarControl>(f.Manager);
  c2->Name = "c2";
  c1->SetChildControl(c2);
  c1->CloseLog = c2->CloseLog = &log;
  c1->SetActiveState(true);
  c2->SetActiveState(true);
  c1->FreeOnHideAll = c2;
  TWeakRef<TCustomdxBarControl> weak2(c2);
  log.clear();
  c2->CloseUp(TdxBarCloseReason::Keyboard);
  EXPECT_FALSE(weak2);
  EXPECT_FALSE(IsBarControlAlive(c2));
  EXPECT_EQ(log, (std::vector<std::string>{"c2:3", "c1:3"}));
  EXPECT_EQ(c1->ChildControl(), nullptr);
}

// Deactivating the active control makes the one before it active again; when that one is gone
// meanwhile, none stays active.
TEST(dxBarControl, TheActiveChainIsAStack)
{
  TBarFixture f;
  f.Add("a");
  TCtlBarControl* c1 = f.Show("c1");
  TCtlBarControl* c2 = f.Show("c2");
  TCtlBarControl* c3 = f.Show("c3");
  c1->SetActiveState(true);
  c2->SetActiveState(true);
  c3->SetActiveState(true);
  c3->SetActiveState(false);
  EXPECT_EQ(GetActiveBarControl(), c2);
  c1->SetActiveState(false);  // not the top: the top stays
  EXPECT_EQ(GetActiveBarControl(), c2);
  c3->SetActiveState(true);
  Free(c2);
  c3->SetActiveState(false);
  EXPECT_EQ(GetActiveBarControl(), nullptr);
  Free(c3);
}

namespace {
// One step of the key map: the key (with Shift or Ctrl held), the link selected before (-1 none),
// and the link selected after, with the clicks it caused.
struct TKeyCase {
  const char* Name;
  TdxBarKind Kind;
  bool Vertical;
  WORD Key;
  bool Shift, Ctrl;
  int Before, After;
  const char* Clicks;
};
constexpr TKeyCase KeyCases[] = {
  {"Right from none", TdxBarKind::bkBarControl, false, VK_RIGHT, false, false, -1, 0, ""},
  {"Right", TdxBarKind::bkBarControl, false, VK_RIGHT, false, false, 0, 1, ""},
  {"Right wraps", TdxBarKind::bkBarControl, false, VK_RIGHT, false, false, 4, 0, ""},
  {"Left wraps", TdxBarKind::bkBarControl, false, VK_LEFT, false, false, 0, 4, ""},
  {"Tab", TdxBarKind::bkBarControl, false, VK_TAB, false, false, 1, 2, ""},
  {"Tab wraps", TdxBarKind::bkBarControl, false, VK_TAB, false, false, 4, 0, ""},
  {"Shift+Tab wraps", TdxBarKind::bkBarControl, false, VK_TAB, true, false, 0, 4, ""},
  {"Home", TdxBarKind::bkBarControl, false, VK_HOME, false, false, 2, 0, ""},
  {"End", TdxBarKind::bkBarControl, false, VK_END, false, false, 0, 4, ""},
  {"Down on a vertical bar", TdxBarKind::bkBarControl, true, VK_DOWN, false, false, 0, 1, ""},
  {"Up on a vertical bar", TdxBarKind::bkBarControl, true, VK_UP, false, false, 1, 0, ""},
  {"Right on a vertical bar", TdxBarKind::bkBarControl, true, VK_RIGHT, false, false, 1, 1, ""},
  {"Down in a menu", TdxBarKind::bkSubMenu, false, VK_DOWN, false, false, 1, 2, ""},
  {"Up in a menu", TdxBarKind::bkSubMenu, false, VK_UP, false, false, 1, 0, ""},
  {"Right in a menu", TdxBarKind::bkSubMenu, false, VK_RIGHT, false, false, 1, 1, ""},
  {"Left in a menu", TdxBarKind::bkSubMenu, false, VK_LEFT, false, false, 1, 1, ""},
  {"Unique accelerator clicks", TdxBarKind::bkBarControl, false, 'S', false, false, 0, -1, "&Save"},
  {"Shared accelerator selects", TdxBarKind::bkBarControl, false, 'B', false, false, -1, 1, ""},
  {"Shared accelerator cycles", TdxBarKind::bkBarControl, false, 'B', false, false, 1, 3, ""},
  {"Shared accelerator wraps", TdxBarKind::bkBarControl, false, 'B', false, false, 3, 1, ""},
  {"Disabled accelerator", TdxBarKind::bkBarControl, false, 'Z', false, false, 0, 0, ""},
  {"Ctrl is no accelerator", TdxBarKind::bkBarControl, false, 'S', false, true, 0, 0, ""},
  {"Enter clicks", TdxBarKind::bkBarControl, false, VK_RETURN, false, false, 2, -1, "&Save"},
};

void SetModifiers(bool shift, bool ctrl)
{
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(state);
}
}  // namespace

// The key map as one table: key and shift state to the link selected after it, with wrapping, the
// arrows of vertical bars and menus, and accelerators that click when unique and cycle when shared.
TEST(dxBarControl, KeyMap)
{
  TBarFixture f;
  for (const char* caption : {"&Open", "&Bold", "&Save", "&Bake", "&Zed"}) f.Add(caption);
  f.Link(4)->Item()->SetEnabled(false);
  f.Show();
  for (const TKeyCase& c : KeyCases) {
    SCOPED_TRACE(c.Name);
    f.Control->Kind = c.Kind;
    f.Control->Vertical = c.Vertical;
    f.Control->SelectItemControl(c.Before >= 0 ? f.Link(c.Before)->Control() : nullptr);
    f.Control->SetActive(true);
    ASSERT_EQ(GetActiveBarControl(), f.Control);
    f.Log->Clicks.clear();
    SetModifiers(c.Shift, c.Ctrl);
    SendMessageA(f.Control->Handle(), WM_KEYDOWN, c.Key, 1);
    SetModifiers(false, false);
    TdxBarItemLink* expected = c.After >= 0 ? f.Link(c.After) : nullptr;
    EXPECT_EQ(f.Control->SelectedLink(), expected);
    EXPECT_EQ(f.Log->Clicks.empty() ? "" : f.Log->Clicks[0], std::string(c.Clicks));
    EXPECT_LE(f.Log->Clicks.size(), 1u);
    f.Control->ClearSelection();
  }
  // F10 closes only with UseF10ForMenu; Alt always closes (reason 1).
  for (auto [key, useF10, closes] : {std::tuple{VK_F10, false, false}, {VK_F10, true, true}, {VK_MENU, false, true}}) {
    f.Manager->SetUseF10ForMenu(useF10);
    f.Control->SelectItemControl(f.Link(0)->Control());
    SendMessageA(f.Control->Handle(), WM_KEYDOWN, key, 1);
    EXPECT_EQ(!f.Control->Active(), closes) << key << " " << useF10;
    if (closes) EXPECT_EQ(f.Control->CloseReason(), TdxBarCloseReason::ClickElsewhere);
    f.Control->ClearSelection();
  }
}

// A click may free its item, its bar control or its item control: the path stops without touching
// them, and the bar control's state stays consistent.
TEST(dxBarControl, ClicksThatFreeWhatTheyRunOnStopCleanly)
{
  enum class TVictim { Item, BarControl, Controls };
  for (TVictim victim : {TVictim::Item, TVictim::BarControl, TVictim::Controls}) {
    SCOPED_TRACE(static_cast<int>(victim));
    TBarFixture f;
    TdxBarItemLink* a = f.Add("a");
    f.Add("b");
    f.Show();
    TWeakRef<TdxBarItemControl> control(a->Control());
    TWeakRef<TCustomdxBarControl> bar(f.Control);
    TWeakRef<TdxBarItem> item(a->Item());
    if (victim == TVictim::Item) f.Log->FreeOnClick = a->Item();
    if (victim == TVictim::BarControl) f.Log->FreeOnClick = f.Control;
    f.Control->SetActive(true);
    f.Control->ChangeSelection(a->Control());
    if (victim == TVictim::Controls) {
      // The item control goes with the others when the bar makes its controls anew.
      f.Log->RepaintOnClick = f.Control;
    }
    control->PerformClick(true, false);
    EXPECT_FALSE(control) << "the control went with the click";
    EXPECT_EQ(static_cast<bool>(bar), victim != TVictim::BarControl);
    EXPECT_EQ(static_cast<bool>(item), victim != TVictim::Item);
    EXPECT_EQ(f.Log->Clicks, std::vector<std::string>{"a"});
    if (bar) {
      EXPECT_EQ(f.Control->SelectedLink(), nullptr);
      EXPECT_EQ(GetActiveBarControl(), nullptr);
    }
    if (item) {
      EXPECT_EQ(item->ClickItemLink(), nullptr);
    }
  }
}

// Parts: inside the control but on no part is 100, outside -1; a disabled control never has a hot
// part. Hints: the text before "|" and the shortcut in parentheses, shown only for the control
// under the cursor of an inactive bar, and refused by the action's hint handler.
TEST(dxBarControl, ItemControlPartsAndHints)
{
  struct TRefuse : TObject {
    void Hint(std::string&, bool& canShow) { canShow = false; }
  };
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  a->Item()->SetHint("Open a file|Opens a file from the disk");
  a->Item()->SetShortCut(static_cast<TShortCut>(0x4000 | 'O'));  // Ctrl+O
  f.Show();
  TdxBarItemControl* control = a->Control();
  const RECT r = a->ItemRect();
  EXPECT_EQ(control->GetPartAtPoint(POINT{r.left + 1, r.top + 1}), 0);
  EXPECT_EQ(control->GetPartAtPoint(POINT{r.right - 1, r.top + 1}), dxBarInsideNoPart);
  EXPECT_EQ(control->GetPartAtPoint(POINT{r.right + 1, r.top + 1}), dxBarNoPart);
  a->Item()->SetEnabled(false);
  control = a->Control();
  control->MouseMoveOver(POINT{r.left + 1, r.top + 1});
  EXPECT_EQ(control->HotPartIndex(), dxBarNoPart);
  a->Item()->SetEnabled(true);
  control = a->Control();

  std::string hint, shortCut;
  control->GetHintAndShortCut(hint, shortCut);
  EXPECT_EQ(hint, "Open a file");
  EXPECT_EQ(shortCut, " (Ctrl+O)");
  bool suppressed = true;
  ASSERT_TRUE(MoveCursorTo(f.Form->ClientToScreen(POINT{250, 180})));
  EXPECT_FALSE(control->GetHintTexts(suppressed, hint, shortCut));
  EXPECT_FALSE(suppressed);
  EXPECT_EQ(hint, "");
  ASSERT_TRUE(MoveCursorTo(f.CenterOf(a)));
  control = a->Control();
  EXPECT_TRUE(control->GetHintTexts(suppressed, hint, shortCut));
  EXPECT_EQ(hint, "Open a file");

  auto refuse = MakeOwned<TRefuse>();
  auto* action = New<TAction>(f.Form);
  action->SetHint(a->Item()->Hint());
  action->SetOnHint(THintEvent(refuse.get(), &TRefuse::Hint));
  a->Item()->SetAction(action);
  control = a->Control();
  EXPECT_FALSE(control->GetHintTexts(suppressed, hint, shortCut));
  EXPECT_TRUE(suppressed);
}

// The view info keeps the shown controls in layout order and the separators by control.
TEST(dxBarControl, ViewInfoListsAndSeparators)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  TdxBarItemLink* b = f.Add("b");
  f.Show();
  auto owned = MakeOwned<TCustomdxBarControlViewInfo>(f.Control);
  TCustomdxBarControlViewInfo& base = *owned;
  int index = 7;
  EXPECT_FALSE(base.FindSeparatorOfItemControl(a->Control(), index));
  base.AppendItemControlViewInfo(a->Control()->ViewInfo());
  base.AppendItemControlViewInfo(b->Control()->ViewInfo());
  base.AppendSeparator(RECT{0, 20, 100, 26}, 0, b->Control());
  base.AppendSeparator(RECT{50, 0, 56, 20}, 1, b->Control());
  EXPECT_EQ(base.IndexOfItemControl(b->Control()), 1);
  ASSERT_TRUE(base.FindSeparatorOfItemControl(b->Control(), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(base.ReadSeparator(1).Kind, 1);
  base.DropItemControlViewInfo(a->Control()->ViewInfo());
  EXPECT_EQ(base.IndexOfItemControl(b->Control()), 0);
  EXPECT_FALSE(base.ContainsItemControl(a->Control()));
  base.Calculate();
  EXPECT_EQ(base.GetItemControlViewInfoCount(), 0);
  EXPECT_EQ(base.CountSeparators(), 0);
}

// Making, painting and freeing 200 bar controls with links leaves no GDI object and no window.
TEST(dxBarControl, TwoHundredBarControlsLeaveNothingBehind)
{
  TBarFixture f;
  for (const char* caption : {"a", "b", "c"}) f.Add(caption);
  Pump(30);
  const int gdi = LiveGdiObjects(), windows = ThreadWindowCount();
  for (int i = 0; i < 200; ++i) {
    TCtlBarControl* control = f.Show();
    control->Repaint();
    UpdateWindow(control->Handle());
    control->SelectItemControl(f.Link(i % 3)->Control());
    control->ClearSelection();
    Free(control);
    f.Control = nullptr;
  }
  Pump(30);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

namespace {
std::vector<std::string> GSounds;
BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD)
{
  GSounds.push_back(sound ? sound : "");
  return TRUE;
}
}  // namespace

// The click path per kind of bar and button: a button in a menu plays "MenuCommand" once, on a
// toolbar nothing; a button with UnclickAfterDoing keeps its pressed look for the click only, one
// without never takes it. The click closes the chain before the item runs, and both the copied
// link and its source count the use.
TEST(dxBarControl, TheClickPathPlaysRecordsClosesAndRuns)
{
  struct TCase {
    TdxBarKind Kind;
    bool Unclick;
    int Sounds;
  };
  const TCase cases[] = {
    {TdxBarKind::bkBarControl, true, 0}, {TdxBarKind::bkBarControl, false, 0},
    {TdxBarKind::bkSubMenu, true, 1},    {TdxBarKind::bkSubMenu, false, 1},
  };
  TScopedSeam<TdxPlaySoundFunc> sound(dxPlaySoundA, RecordSound);
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind) * 10 + c.Unclick);
    TBarFixture f(bmsEnhanced);
    auto* item = New<TdxBarButton>(f.Form);
    item->SetCaption("button");
    item->SetUnclickAfterDoing(c.Unclick);
    item->SetOnClick(TNotifyEvent(f.Log.get(), &TClickLog::Click));
    TdxBarItemLink* source = f.Bar->ItemLinks()->AddItem(item);
    TdxBarItemLink* copy = f.Bar->ItemLinks()->AddItem(item);
    copy->SetSourceLink(source);
    f.Show();
    f.Control->Kind = c.Kind;
    f.Control->SetActive(true);
    const int sourceUses = source->UseCount(), copyUses = copy->UseCount();
    GSounds.clear();
    TdxBarItemControl* control = copy->Control();
    f.Log->Watch = control;
    // A mouse click counts on the button's main part.
    control->SetHotPartIndex(dxBarWholeControlPart);
    control->PerformClick(true, false);
    EXPECT_EQ(static_cast<int>(GSounds.size()), c.Sounds);
    if (c.Sounds) EXPECT_EQ(GSounds[0], "MenuCommand");
    EXPECT_EQ(f.Log->Clicks.size(), 1u);
    EXPECT_EQ(f.Log->PressedDuringClick, std::vector<bool>{c.Unclick});
    EXPECT_FALSE(control->PressedForClick());
    EXPECT_FALSE(f.Control->Active());
    EXPECT_EQ(source->UseCount(), sourceUses + 1);
    EXPECT_EQ(copy->UseCount(), copyUses + 1);
    EXPECT_EQ(item->ClickItemLink(), nullptr);
  }
}

namespace {
// Records the messages a plain window receives.
std::vector<UINT> GEditMessages;
LRESULT CALLBACK RecordingWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_COMMAND) GEditMessages.push_back(HIWORD(wParam));
  return DefWindowProcA(wnd, msg, wParam, lParam);
}
}  // namespace

// The window procedure's pre-filter and the message table: mouse activation never activates, a
// focus lost to no window closes with reason 1, an edit's text change goes back to the edit, the
// repaint message makes the controls anew, and mouse messages outside the active chain are dropped.
TEST(dxBarControl, MessagesOfTheBarWindow)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  f.Show();
  HWND wnd = f.Control->Handle();
  EXPECT_EQ(SendMessageA(wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.Form->Handle()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, 0, 0), 1);

  f.Control->SelectItemControl(a->Control());
  ASSERT_TRUE(f.Control->Active());
  SendMessageA(wnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(f.Form->Handle()), 0);
  EXPECT_TRUE(f.Control->Active());
  SendMessageA(wnd, WM_KILLFOCUS, 0, 0);
  EXPECT_FALSE(f.Control->Active());
  EXPECT_EQ(f.Control->CloseReason(), TdxBarCloseReason::ClickElsewhere);

  WNDCLASSA wc{};
  wc.lpfnWndProc = RecordingWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "dxBarControlTestEdit";
  RegisterClassA(&wc);
  HWND edit = CreateWindowA("dxBarControlTestEdit", "", WS_CHILD, 0, 0, 10, 10, wnd, nullptr, wc.hInstance, nullptr);
  GEditMessages.clear();
  SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
  SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(GEditMessages, std::vector<UINT>{EN_CHANGE});
  DestroyWindow(edit);
  UnregisterClassA("dxBarControlTestEdit", wc.hInstance);

  TWeakRef<TdxBarItemControl> old(a->Control());
  SendMessageA(wnd, DXM_BAR_REPAINT, 0, 0);
  EXPECT_FALSE(old);
  EXPECT_NE(a->Control(), nullptr);

  // Another control is active and this one is not in its chain: the mouse is not heard.
  TCtlBarControl* other = f.Show("other");
  other->SetActiveState(true);
  f.Control->Presses.clear();
  const RECT r = a->ItemRect();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_TRUE(f.Control->Presses.empty());
  other->SetActiveState(false);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_EQ(f.Control->Presses.size(), 1u);
}

// While customizing, a press on the selected item starts a pending drag that a move within the
// system's drag size keeps and a longer move hands to the manager's drag.
TEST(dxBarControl, CustomizingDragStartsBeyondTheSystemDragSize)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  f.Show();
  f.Control->ChangeSelection(a->Control());
  f.Manager->SetCustomizing(true);
  HWND wnd = f.Control->Handle();
  const POINT p{a->ItemRect().left + 10, a->ItemRect().top + 5};
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  ASSERT_TRUE(f.Control->ItemDragPending());
  EXPECT_EQ(f.Manager->DraggingItemLink(), a);
  const int dx = GetSystemMetrics(SM_CXDRAG);
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + dx, p.y));
  EXPECT_TRUE(f.Control->ItemDragPending());
  // The drag's modal loop starts here; the Esc waiting in the queue cancels it.
  PostMessageA(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + dx + 1, p.y));
  EXPECT_FALSE(f.Control->ItemDragPending());
  EXPECT_EQ(f.Manager->DraggingItemLink(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  f.Manager->SetCustomizing(false);
}

// Without a window the control measures on a screen canvas; with one on its own canvas, and the
// screen canvas goes. A rotated control's canvas font is turned 90 degrees clockwise, TrueType only,
// and an item's style font keeps that turn.
TEST(dxBarControl, CanvasAndRotatedFont)
{
  TBarFixture f;
  auto* control = New<TCtlBarControl>(f.Manager);
  TcxCanvas* screen = control->GetCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->ClassType(), TcxScreenCanvas::StaticClass());
  control->SetParentWindow(f.Form->Handle());
  control->HandleNeeded();
  TcxCanvas* own = control->GetCanvas();
  EXPECT_NE(own->ClassType(), TcxScreenCanvas::StaticClass());

  control->Rotated = true;
  control->UpdateCanvasFont();
  LOGFONTA lf = own->GetCurrentFont()->LogFont();
  GetObjectA(own->GetCurrentFont()->Handle(), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfEscapement, -900);
  EXPECT_EQ(lf.lfOrientation, -900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  Free(control);
}

// Ctrl+Tab moves to the next shown toolbar with a selectable link, through the bars of every
// manager and around; Ctrl+Shift+Tab goes back. Bars without a shown control are passed over.
TEST(dxBarControl, CtrlTabSwitchesToolbarsAcrossManagers)
{
  TBarFixture f;
  auto* manager2 = New<TdxBarManager>(NewPanel(f.Form));
  TdxBar* bar2 = f.Bar;               // first manager, second bar: no control shown
  TdxBar* bar1 = f.Manager->Bars()->Add();
  TdxBar* bar3 = manager2->Bars()->Add();
  (void)bar2;
  auto show = [&](TdxBar* bar, const std::string& name, int left) {
    auto* item = New<TCtlItem>(f.Form);
    item->SetCaption(name);
    bar->ItemLinks()->AddItem(item);
    TCtlBarControl* control = f.ShowBar(bar, name, POINT{left, 20}, SIZE{60, 60});
    control->ShownBar = bar;
    return control;
  };
  TCtlBarControl* c1 = show(bar1, "one", 10);
  TCtlBarControl* c3 = show(bar3, "three", 100);
  EXPECT_EQ(c1->GetNextToolbar(true), c3);
  EXPECT_EQ(c1->GetNextToolbar(false), c3);
  EXPECT_EQ(c3->GetNextToolbar(true), c1);

  c1->SelectItemControl(bar1->ItemLinks()->Items(0)->Control());
  SetModifiers(false, true);
  SendMessageA(c1->Handle(), WM_KEYDOWN, VK_TAB, 1);
  SetModifiers(false, false);
  EXPECT_EQ(c3->SelectedLink(), bar3->ItemLinks()->Items(0));
  EXPECT_EQ(GetActiveBarControl(), c3);
  c3->ClearSelection();
  c1->ClearSelection();
  Free(c1);
  Free(c3);
}

// The selection leaves a control that goes: directly when its link is hidden, through hot tracking
// when it is still shown; a selected control that becomes disabled loses the selection. Drop
// positions are found by the controls' regions, nearer edge first.
TEST(dxBarControl, SelectionLeavesControlsThatGoAndDropPositions)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  TdxBarItemLink* b = f.Add("b");
  f.Show();
  f.Control->ChangeSelection(a->Control());
  a->SetVisible(false);
  EXPECT_EQ(f.Control->SelectedLink(), nullptr);
  a->SetVisible(true);
  f.Control->Repaint();
  f.Control->ChangeSelection(b->Control());
  f.Control->RecreateItemControls();
  EXPECT_EQ(f.Control->SelectedLink(), nullptr);
  f.Control->ChangeSelection(b->Control());
  b->Item()->SetEnabled(false);
  EXPECT_EQ(f.Control->SelectedLink(), nullptr);
  b->Item()->SetEnabled(true);
  f.Control->Repaint();

  bool before = false, onSeparator = true;
  const RECT r = b->ItemRect();
  EXPECT_EQ(f.Control->HitTestDropPosition(POINT{r.left + 2, r.top + 2}, before, onSeparator), b);
  EXPECT_TRUE(before);
  EXPECT_FALSE(onSeparator);
  EXPECT_EQ(f.Control->HitTestDropPosition(POINT{r.right - 2, r.top + 2}, before, onSeparator), b);
  EXPECT_FALSE(before);
  f.Control->Vertical = true;  // a vertical layout compares the top and bottom edges
  EXPECT_EQ(f.Control->HitTestDropPosition(POINT{r.right - 2, r.top + 2}, before, onSeparator), b);
  EXPECT_TRUE(before);
  f.Control->Vertical = false;
  EXPECT_EQ(f.Control->HitTestDropPosition(POINT{r.left + 2, r.bottom + 30}, before, onSeparator), nullptr);
}

// The item's style font is selected for measuring and drawing with the turn of the bar's font kept,
// and taken back afterwards; drawing into another canvas leaves that canvas as it was and the
// control drawing on its bar's canvas again.
TEST(dxBarControl, StyleFontKeepsTheTurnAndDrawToRestores)
{
  TBarFixture f;
  TdxBarItemLink* a = f.Add("a");
  auto* style = New<TcxStyle>(f.Form);
  style->Font()->SetHeight(-21);
  a->Item()->SetStyle(style);
  f.Show();
  f.Control->Rotated = true;
  f.Control->UpdateCanvasFont();
  TdxBarItemControl* control = a->Control();
  TFont* canvasFont = control->GetCanvas()->GetCurrentFont();
  const int height = canvasFont->LogFont().lfHeight;
  auto readFont = [&] {
    LOGFONTA lf{};
    GetObjectA(canvasFont->Handle(), sizeof(lf), &lf);
    return lf;
  };
  TdxBarItemControl::TSavedFont saved = control->SelectStyleFont();
  LOGFONTA lf = readFont();
  EXPECT_EQ(lf.lfHeight, -21);
  EXPECT_EQ(lf.lfEscapement, -900);
  EXPECT_EQ(lf.lfOrientation, -900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  control->RestoreFont(saved);
  lf = readFont();
  EXPECT_EQ(lf.lfHeight, height);
  EXPECT_EQ(lf.lfEscapement, -900);

  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(40, 40);
  auto other = MakeOwned<TcxCanvas>(bitmap->Canvas());
  other->GetCurrentFont()->SetHeight(-9);
  f.Control->ChangeSelection(control);  // drawn highlighted, wherever the mouse is
  control->DrawTo(other.get(), RECT{0, 0, 20, 20}, 0);
  EXPECT_EQ(GetPixel(other->GetDCHandle(), 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(other->GetCurrentFont()->Height(), -9);
  EXPECT_EQ(control->GetCanvas(), f.Control->GetCanvas());
}
