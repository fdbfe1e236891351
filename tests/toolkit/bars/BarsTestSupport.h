#pragma once
// Forms, panels and a plain bar item for the bar system's tests.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"

struct TFormGuard {
  TCustomForm* Form;
  ~TFormGuard() { Free(Form); }
};

// A form of 300 x 200 at (100, 100), owned by the application, without a window yet.
TForm* NewForm();
TPanel* NewPanel(TWinControl* parent, int left = 10, int top = 10);

class TFont;
// Checks that the font is the menu font the system's non-client metrics give (face and height).
void ExpectSystemMenuFont(TFont* font);

// A bar item with nothing of its own, for lists and categories; stored forms may name it while a
// TStoredTestItems scope lives.
class TTestBarItem : public TdxBarItem {
  CL_CLASS(TTestBarItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

// The separator kind of item, which the link model recognises by its class name.
class TTestSeparator : public TdxBarItem {
  CL_CLASS(TTestSeparator, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

struct TStoredTestItems {
  TStoredTestItems() { RegisterClass(TTestBarItem::StaticClass()); }
  ~TStoredTestItems() { UnRegisterClass(TTestBarItem::StaticClass()); }
};

// A form whose stored form binds the manager's visibility event; the handler records, as
// "caption:style:dock", how each bar is placed when it becomes visible.
class TBarsTestForm : public TForm {
  CL_CLASS(TBarsTestForm, TForm)
public:
  explicit TBarsTestForm(TComponent* owner) : TForm(owner, CreateNew) {}
  std::vector<std::string> Shown;
  void BarVisibleChanged(TObject*, TdxBar* bar)
  {
    const std::string dock = bar->DockControl() ? bar->DockControl()->Name() : "-";
    Shown.push_back(bar->Caption() + ":" + std::to_string(static_cast<int>(bar->DockingStyle())) + ":" + dock);
  }
  TdxBarManager* Manager() const { return As<TdxBarManager>(FindComponent("dxBarManager1")); }
  TdxBar* Bar(const char* name) const { return As<TdxBar>(FindComponent(name)); }
};

struct TTestForm {
  TOwned<TBarsTestForm> Form = MakeOwned<TBarsTestForm>(nullptr);
  TBarsTestForm* operator->() const { return Form.get(); }
};

// The main window's manager and its two toolbars, with a second category and one item in it (a
// TTestBarItem: read it while a TStoredTestItems scope lives).
extern const char* const MainWindowBars;

// A toolbar window with fixed sizes: Min along with only its first item, Full with every item,
// Thick across, whatever the length.
class TSizedToolbar : public TdxBarControl {
  CL_CLASS(TSizedToolbar, TdxBarControl)
public:
  using TdxBarControl::TdxBarControl;
  int Min = 30, Full = 100, Thick = 22;

  static bool Horizontal(TdxBarDockingStyle s) { return s == dsTop || s == dsBottom; }
  int CalcWidth(TdxBarDockingStyle s) override { return Horizontal(s) ? Min : Thick; }
  int CalcHeight(TdxBarDockingStyle s) override { return Horizontal(s) ? Thick : Min; }
  int CalcMinWidth(TdxBarDockingStyle s) override { return Horizontal(s) ? Full : Thick; }
  int CalcMinHeight(TdxBarDockingStyle s) override { return Horizontal(s) ? Thick : Full; }
  SIZE CalcSizeForPoint(TdxBarDockingStyle, int width) override { return SIZE{width, Thick}; }
  SIZE CalcSizeForHeight(TdxBarDockingStyle, int height, bool) override { return SIZE{Thick, height}; }
  POINT GetGrabOffsetForDockingStyle(TdxBarDockingStyle) override { return POINT{}; }
};

// Holds the thread's keyboard state with the given keys down, and puts the old state back.
class TKeysDown {
public:
  explicit TKeysDown(std::initializer_list<int> keys)
  {
    GetKeyboardState(FSaved);
    BYTE state[256];
    std::copy(std::begin(FSaved), std::end(FSaved), state);
    state[VK_SHIFT] = state[VK_CONTROL] = state[VK_MENU] = 0;
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~TKeysDown() { SetKeyboardState(FSaved); }

private:
  BYTE FSaved[256];
};
