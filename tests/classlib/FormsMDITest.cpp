// MDI forms on real windows: the parent's MDI client beside its aligned controls, children made in
// it, activation and the active child, maximize and restore with the frame's menu bar, the window
// menu, closing, recorded bounds that leave the window alone, and no window or GDI object left
// behind after many cycles.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Menus.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {
std::string ClassNameOf(HWND wnd)
{
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

std::string MenuText(HMENU menu, int position)
{
  char text[256] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

// What the children and menu items report.
struct TMDILog : TObject {
  std::vector<std::string> Log;
  int Clicks = 0;
  void Activated(TObject* sender) { Log.push_back("activate " + static_cast<TForm*>(sender)->Caption()); }
  void Deactivated(TObject* sender) { Log.push_back("deactivate " + static_cast<TForm*>(sender)->Caption()); }
  void Click(TObject*) { ++Clicks; }
  void KeepOpen(TObject*, TCloseAction& action) { action = TCloseAction::caNone; }
};

// An MDI parent form with a menu bar ("File", "Window" with one item) and a panel along its top.
struct TMDIFixture {
  TForm* Parent;
  TMainMenu* Menu;
  TMenuItem* WindowItem;
  TTestPanel* Panel;
  TOwned<TMDILog> L = MakeOwned<TMDILog>();

  // asMainForm: the parent is made as the application's first form, its main form.
  explicit TMDIFixture(bool asMainForm = false)
  {
    Parent = asMainForm ? static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()))
                        : New<TForm>(Application, CreateNew);
    Parent->SetFormStyle(TFormStyle::fsMDIForm);
    Parent->SetBounds(20, 20, 640, 480);
    Menu = New<TMainMenu>(Parent);
    auto* file = New<TMenuItem>(Parent);
    file->SetCaption("File");
    file->Add(New<TMenuItem>(Parent));
    Menu->Items()->Add(file);
    WindowItem = New<TMenuItem>(Parent);
    WindowItem->SetCaption("Window");
    auto* tile = New<TMenuItem>(Parent);
    tile->SetCaption("Tile");
    WindowItem->Add(tile);
    Menu->Items()->Add(WindowItem);
    Parent->SetMenu(Menu);
    Parent->SetWindowMenu(WindowItem);
    Panel = New<TTestPanel>(Parent);
    Panel->SetParent(Parent);
    Panel->SetAlign(alTop);
    Panel->SetHeight(30);
    Parent->Show();
  }
  ~TMDIFixture()
  {
    Free(Parent);
    HandleWaitingMessages();
  }

  TForm* NewChild(const std::string& caption)
  {
    auto* child = New<TForm>(Parent, CreateNew);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->SetCaption(caption);
    child->SetBounds(10, 10, 200, 150);
    child->SetOnActivate(TNotifyEvent(L.get(), &TMDILog::Activated));
    child->SetOnDeactivate(TNotifyEvent(L.get(), &TMDILog::Deactivated));
    child->Show();
    return child;
  }
  int BarItems() const { return GetMenuItemCount(GetMenu(Parent->Handle())); }
};

TEST(Forms, AnMDIParentShowsItsChildrenInItsClientBesideItsAlignedControls)
{
  TMDIFixture f;
  HWND client = f.Parent->ClientHandle();
  ASSERT_TRUE(client);
  EXPECT_EQ(ClassNameOf(client), "MDIClient") << "class " << ClassNameOf(client);
  EXPECT_EQ(GetParent(client), f.Parent->Handle());
  // The client takes what the panel leaves.
  RECT r;
  GetWindowRect(client, &r);
  MapWindowPoints(nullptr, f.Parent->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.bottom, f.Parent->ClientHeight());
  EXPECT_EQ(r.right - r.left, f.Parent->ClientWidth());
  EXPECT_EQ(f.Parent->ActiveMDIChild(), nullptr);
  EXPECT_EQ(f.Parent->MDIChildCount(), 0);

  TForm* one = f.NewChild("One");
  TForm* two = f.NewChild("Two");
  EXPECT_EQ(GetParent(one->Handle()), client);
  EXPECT_TRUE(GetWindowLongPtrA(two->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(f.Parent->MDIChildCount(), 2);
  EXPECT_EQ(f.Parent->MDIChildren(0), two);  // the active one first
  EXPECT_EQ(f.Parent->MDIChildren(1), one);
  EXPECT_THROW(f.Parent->MDIChildren(2), EListError);
  EXPECT_EQ(f.Parent->ActiveMDIChild(), two);
  EXPECT_TRUE(two->Active());
  // A child's bounds are in its client's coordinates.
  EXPECT_EQ(one->Left(), 10);
  EXPECT_EQ(one->Width(), 200);

  // Activating the other child tells both, the old one first.
  f.L->Log.clear();
  one->SetFocus();
  EXPECT_EQ(f.Parent->ActiveMDIChild(), one);
  EXPECT_TRUE(one->Active());
  EXPECT_FALSE(two->Active());
  EXPECT_EQ(f.L->Log, (std::vector<std::string>{"deactivate Two", "activate One"}));

  // Other forms have no MDI client or active child.
  EXPECT_EQ(one->ClientHandle(), nullptr);
  EXPECT_EQ(one->ActiveMDIChild(), nullptr);
  EXPECT_EQ(one->MDIChildCount(), 0);
}

TEST(Forms, AMaximizedMDIChildPutsItsButtonsOnTheFramesMenuBarAndRestoresToItsBounds)
{
  TMDIFixture f;
  const int plainBar = f.BarItems();
  TForm* one = f.NewChild("One");
  TForm* two = f.NewChild("Two");
  EXPECT_EQ(f.BarItems(), plainBar);

  two->SetWindowState(TWindowState::wsMaximized);
  EXPECT_TRUE(IsZoomed(two->Handle()));
  EXPECT_EQ(two->WindowState(), TWindowState::wsMaximized);
  BOOL maximized = FALSE;
  SendMessageA(f.Parent->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
  EXPECT_TRUE(maximized);
  // The client puts the child's system menu and buttons on the frame's bar.
  EXPECT_GT(f.BarItems(), plainBar);
  EXPECT_EQ(GetSubMenu(GetMenu(f.Parent->Handle()), 0), GetSystemMenu(two->Handle(), FALSE));

  // The menu bar built again keeps them, and the child's system menu survives the old bar.
  auto* extra = New<TMenuItem>(f.Parent);
  extra->SetCaption("Extra");
  f.Menu->Items()->Add(extra);
  EXPECT_EQ(GetSubMenu(GetMenu(f.Parent->Handle()), 0), GetSystemMenu(two->Handle(), FALSE));
  EXPECT_TRUE(IsMenu(GetSystemMenu(two->Handle(), FALSE)));

  // Activating another child while one is maximized maximizes that one instead.
  one->SetFocus();
  EXPECT_EQ(f.Parent->ActiveMDIChild(), one);
  EXPECT_TRUE(IsZoomed(one->Handle()));

  one->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(one->Handle()));
  EXPECT_EQ(one->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(f.BarItems(), plainBar + 1);  // the extra item only
  EXPECT_EQ(one->Left(), 10);
  EXPECT_EQ(one->Width(), 200);
  EXPECT_EQ(one->Height(), 150);

  // A child shown maximized starts so.
  auto* three = New<TForm>(f.Parent, CreateNew);
  three->SetFormStyle(TFormStyle::fsMDIChild);
  three->SetWindowState(TWindowState::wsMaximized);
  three->Show();
  EXPECT_TRUE(IsZoomed(three->Handle()));
  EXPECT_EQ(f.Parent->ActiveMDIChild(), three);
}

TEST(Forms, TheWindowMenuListsTheChildrenAndItsCommandsActivateThem)
{
  TMDIFixture f;
  TForm* one = f.NewChild("Alpha");
  f.NewChild("Beta");
  HMENU windowMenu = GetSubMenu(GetMenu(f.Parent->Handle()), 1);
  ASSERT_TRUE(windowMenu);
  UINT alphaCommand = 0;
  std::string texts;
  for (int i = 0; i < GetMenuItemCount(windowMenu); ++i) {
    const std::string text = MenuText(windowMenu, i);
    texts += text + "|";
    if (text.find("Alpha") != std::string::npos) alphaCommand = GetMenuItemID(windowMenu, i);
  }
  EXPECT_NE(texts.find("Tile"), std::string::npos) << texts;
  EXPECT_NE(texts.find("Beta"), std::string::npos) << texts;
  ASSERT_NE(alphaCommand, 0u) << texts;
  // The client's numbers lie above every menu item's.
  EXPECT_GE(alphaCommand, 0xFF00u);
  SendMessageA(f.Parent->Handle(), WM_COMMAND, alphaCommand, 0);
  EXPECT_EQ(f.Parent->ActiveMDIChild(), one);

  // The form's own items still run.
  f.WindowItem->Items(0)->SetOnClick(TNotifyEvent(f.L.get(), &TMDILog::Click));
  SendMessageA(f.Parent->Handle(), WM_COMMAND, GetMenuItemID(windowMenu, 0), 0);
  EXPECT_EQ(f.L->Clicks, 1);
}

TEST(Forms, AClosedMDIChildGoesAndTheNextIsActivated)
{
  TMDIFixture f;
  TForm* one = f.NewChild("One");
  TForm* two = f.NewChild("Two");
  TWeakRef<TForm> closed(two);
  two->Close();
  ASSERT_TRUE(PumpUntil([&] { return !closed; }));
  EXPECT_EQ(f.Parent->MDIChildCount(), 1);
  EXPECT_EQ(f.Parent->ActiveMDIChild(), one);
  // A handler may keep it.
  one->SetOnClose(TCloseEvent(f.L.get(), &TMDILog::KeepOpen));
  one->Close();
  HandleWaitingMessages();
  EXPECT_EQ(f.Parent->MDIChildCount(), 1);
}

TEST(Forms, TheMainFormsMDIKeysReachItsClient)
{
  TMDIFixture f(true);
  ASSERT_EQ(Application->MainForm(), f.Parent);
  TForm* one = f.NewChild("One");
  TForm* two = f.NewChild("Two");
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == two->Handle(); }));
  // Ctrl+F6 goes on to the next child, Ctrl+F4 closes the active one.
  ASSERT_TRUE(PressKey(VK_F6, {VK_CONTROL}));
  EXPECT_TRUE(PumpUntil([&] { return f.Parent->ActiveMDIChild() == one; }));
  TWeakRef<TForm> closed(one);
  ASSERT_TRUE(PressKey(VK_F4, {VK_CONTROL}));
  EXPECT_TRUE(PumpUntil([&] { return !closed; }));
  EXPECT_EQ(f.Parent->ActiveMDIChild(), two);
}

TEST(Forms, AnMDIChildNeedsAnMDIParent)
{
  TForm* lone = New<TForm>(nullptr, CreateNew);
  TFormGuard guard{lone};
  lone->SetFormStyle(TFormStyle::fsMDIChild);
  try {
    lone->Show();
    ADD_FAILURE() << "shown without an MDI parent";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot create form. No MDI forms are currently active");
  }
  EXPECT_FALSE(lone->HandleAllocated());
}

TEST(Forms, RecordedBoundsChangeWithoutMovingTheWindow)
{
  TMDIFixture f;
  TForm* child = f.NewChild("One");
  const RECT before = child->WindowBoundsRect();
  EXPECT_EQ(before.left, child->Left());
  child->SetBoundsWithoutMove(1, 2, 30, 40);
  EXPECT_EQ(child->Left(), 1);
  EXPECT_EQ(child->Height(), 40);
  RECT now = child->WindowBoundsRect();
  EXPECT_TRUE(EqualRect(&now, &before));
  // Put back as they were, again without a move; a real change moves the window.
  child->SetBoundsWithoutMove(before.left, before.top, before.right - before.left, before.bottom - before.top);
  now = child->WindowBoundsRect();
  EXPECT_TRUE(EqualRect(&now, &before));
  child->SetBounds(50, 60, 210, 160);
  now = child->WindowBoundsRect();
  EXPECT_EQ(now.left, 50);
  EXPECT_EQ(now.bottom - now.top, 160);
}

TEST(Forms, MDIChildCyclesLeaveNoWindowsOrGdiObjects)
{
  TMDIFixture f;
  f.NewChild("Stays");
  HandleWaitingMessages();
  const int windowsBefore = ThreadWindowCount(), gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    TForm* child = f.NewChild("Child " + std::to_string(i));
    child->SetWindowState(TWindowState::wsMaximized);
    child->SetWindowState(TWindowState::wsNormal);
    child->SetWindowState(TWindowState::wsMaximized);
    TWeakRef<TForm> ref(child);
    child->Close();
    ASSERT_TRUE(PumpUntil([&] { return !ref; })) << i;
  }
  HandleWaitingMessages();
  EXPECT_EQ(f.Parent->MDIChildCount(), 1);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}
}  // namespace
