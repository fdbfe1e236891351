// Keyboard navigation over trees of bar accessibility helpers: the default object, the arrow and
// Tab searches, key-tip texts and the navigation controller's key tips, driven on fake trees whose
// rectangles, visibility and key tips the tests set.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/SysUtils.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/bars/dxBarAccessibility.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxCore.h"

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

std::vector<std::string> GLog;

class TTreeHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TTreeHelper, TdxBarAccessibilityHelper)
public:
  TTreeHelper(std::string name, TTreeHelper* parent, RECT bounds, bool selectable)
      : TdxBarAccessibilityHelper(nullptr), Name(std::move(name)), Parent(parent), Bounds(bounds), Selectable(selectable)
  {
    if (parent) parent->Children.push_back(this);
  }
  std::string Name;
  TTreeHelper* Parent;
  std::vector<TTreeHelper*> Children;
  RECT Bounds;
  bool Selectable;
  bool Visible = true;
  bool Enabled = true;
  std::string KeyTip;
  IdxBarKeyTipWindowHost* Host = nullptr;

  RECT GetBoundsOnScreen(int) override { return Bounds; }
  TcxAccessibilityHelper* GetParentHelper() override { return Parent; }
  TcxAccessibilityHelper* ChildAt(int index) override { return Children.at(index); }
  int CountChildren() override { return static_cast<int>(Children.size()); }
  bool AsSelectable() override { return Selectable; }
  DWORD GetStateFlags(int) override { return Visible ? 0 : cxSTATE_SYSTEM_INVISIBLE; }
  std::string GetAssignedKeyTip() override { return KeyTip; }
  void FillKeyTipInfo(TdxBarKeyTipInfo& info) override
  {
    TdxBarAccessibilityHelper::FillKeyTipInfo(info);
    info.Enabled = Enabled;
  }
  void ExecuteKeyTip(TObject*) override { GLog.push_back("run " + Name); }
  bool SupportsKeyTips(IdxBarKeyTipWindowHost*& host) override
  {
    if (!Host) return TdxBarAccessibilityHelper::SupportsKeyTips(host);
    host = Host;
    return true;
  }
};

std::string NameOf(IdxBarAccessibilityHelper* helper)
{
  if (!helper) return "-";
  auto* node = dynamic_cast<TTreeHelper*>(helper->GetBarHelper());
  return node ? node->Name : "?";
}

// A tree of fake helpers, freed leaves first.
struct TTree {
  std::vector<TOwned<TTreeHelper>> Nodes;
  TTreeHelper* Add(std::string name, TTreeHelper* parent, RECT bounds, bool selectable = true)
  {
    Nodes.push_back(MakeOwned<TTreeHelper>(std::move(name), parent, bounds, selectable));
    return Nodes.back().get();
  }
  TTreeHelper* operator[](const std::string& name) const
  {
    for (const auto& node : Nodes)
      if (node->Name == name) return node.get();
    return nullptr;
  }
  ~TTree()
  {
    while (!Nodes.empty()) Nodes.pop_back();
  }
};

// Three bars under a root, one of them hidden:
//   bar1:  A B C        hidden: H (right of C)
//   bar2:  D E   J/I    (J a little lower than I, both level with E)
//   bar3:    F
struct TGridTree : TTree {
  TGridTree()
  {
    TTreeHelper* root = Add("root", nullptr, {0, 0, 200, 100}, false);
    TTreeHelper* bar1 = Add("bar1", root, {0, 0, 50, 10}, false);
    Add("A", bar1, {0, 0, 10, 10});
    Add("B", bar1, {20, 0, 30, 10});
    Add("C", bar1, {40, 0, 50, 10});
    TTreeHelper* hidden = Add("hidden", root, {60, 0, 70, 10}, false);
    hidden->Visible = false;
    Add("H", hidden, {60, 0, 70, 10});
    TTreeHelper* bar2 = Add("bar2", root, {0, 18, 60, 35}, false);
    Add("D", bar2, {0, 20, 10, 30});
    Add("E", bar2, {20, 20, 30, 30});
    Add("J", bar2, {50, 25, 60, 35});
    Add("I", bar2, {50, 18, 60, 28});
    TTreeHelper* bar3 = Add("bar3", root, {0, 40, 60, 50}, false);
    Add("F", bar3, {22, 40, 28, 50});
  }
};

// Records what the controller asks of the key-tip windows.
class TRecordingHost : public TObject, public IdxBarKeyTipWindowHost {
  CL_CLASS(TRecordingHost, TObject)
public:
  std::vector<std::string> Shown;
  int Applied = 0;
  void AddWindow(const std::string& keyTip, POINT, TObject*& window, bool, TdxBarKeyTipVertAlign, TAlignment) override
  {
    Shown.push_back(keyTip);
    window = this;
    GLog.push_back("add " + keyTip);
  }
  void RemoveWindow(TObject*) override { GLog.push_back("remove"); }
  void ApplyWindows() override { ++Applied; }
};

int GBeeps = 0;
BOOL WINAPI CountBeep(UINT)
{
  ++GBeeps;
  return TRUE;
}

// Leaves the process-wide controller idle whatever a test did.
struct TControllerReset {
  ~TControllerReset()
  {
    GetNavigationController()->EndKeyboardMode();
    GetNavigationController()->ClearNavigationMode();
    AltPressedAlone = false;
  }
};
}  // namespace

CL_DEFINE_CLASS(TTreeHelper);
CL_DEFINE_CLASS(TRecordingHost);

TEST(BarAccessibility, ArrowsMoveToTheNearestVisibleSelectableObjectAndWrapSideways)
{
  TGridTree t;
  const struct {
    const char* From;
    TDirection Direction;
    const char* Expected;
  } cases[] = {
      {"A", TDirection::andRight, "B"},
      {"B", TDirection::andLeft, "A"},
      {"C", TDirection::andRight, "A"},  // wraps; the hidden H further right is never a candidate
      {"A", TDirection::andLeft, "C"},   // wraps to the rightmost of the row
      {"B", TDirection::andDown, "E"},   // only objects that overlap horizontally count
      {"E", TDirection::andDown, "F"},
      {"F", TDirection::andUp, "E"},
      {"D", TDirection::andDown, "-"},   // nothing below overlaps D
      {"A", TDirection::andUp, "-"},     // up and down never wrap
      {"E", TDirection::andRight, "I"},  // I and J at the same gap: I lies closer to the line
      {"I", TDirection::andLeft, "E"},
      {"F", TDirection::andRight, "-"},  // alone in its row: the wrap finds nothing else
  };
  for (const auto& c : cases) {
    IdxBarAccessibilityHelper* found = t[c.From]->FindObjectInDirection(c.Direction);
    EXPECT_EQ(NameOf(found), c.Expected) << c.From << " " << static_cast<int>(c.Direction);
  }
}

TEST(BarAccessibility, TabClimbsOutOfABarAndWrapsAroundTheTree)
{
  TGridTree t;
  const TShiftState tab{}, shiftTab{TShiftStateFlag::ssShift};
  EXPECT_EQ(NameOf(t["root"]->FindDefaultSelectable(TDirection::andRight)), "A");
  const struct {
    const char* From;
    bool Backward;
    const char* Expected;
  } cases[] = {
      {"A", false, "B"}, {"C", false, "D"},  // out of bar1, past the hidden bar, into bar2
      {"I", false, "F"}, {"F", false, "A"},  // the last wraps to the first
      {"D", true, "C"},  {"A", true, "F"},   // and backward
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameOf(t[c.From]->GetAdjacentSelectable(c.Backward ? shiftTab : tab)), c.Expected) << c.From;
}

TEST(BarAccessibility, ATreeWithNothingSelectableGivesNothing)
{
  TTree t;
  TTreeHelper* root = t.Add("root", nullptr, {0, 0, 100, 20}, false);
  TTreeHelper* bar = t.Add("bar", root, {0, 0, 100, 20}, false);
  TTreeHelper* a = t.Add("a", bar, {0, 0, 10, 10}, false);
  TTreeHelper* hidden = t.Add("hidden", root, {20, 0, 30, 10}, true);
  hidden->Visible = false;
  EXPECT_EQ(root->FindDefaultSelectable(TDirection::andRight), nullptr);
  EXPECT_EQ(a->GetAdjacentSelectable({}), nullptr);
  EXPECT_EQ(a->FindObjectInDirection(TDirection::andRight), nullptr);
  EXPECT_THROW(root->GetOwningManager(), EdxException);
  EXPECT_THROW(root->GetNavigationRoot(), EdxException);
}

TEST(BarAccessibility, TheSelectionIsForgottenWhenItsOwnerDies)
{
  TControllerReset reset;
  TdxBarNavigationController* controller = GetNavigationController();
  TTree t;
  TTreeHelper* root = t.Add("root", nullptr, {0, 0, 100, 20}, false);
  TTreeHelper* a = t.Add("a", root, {0, 0, 10, 10});
  controller->EnterNavigation(root);
  EXPECT_TRUE(controller->IsNavigationMode());
  EXPECT_EQ(NameOf(controller->GetCurrentObject()), "a");
  EXPECT_TRUE(a->IsCurrentObject());
  a->MarkOwnerDestroyed();
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);

  // A parent that dies takes the selection of its child with it; freeing does it as well.
  TTreeHelper* b = t.Add("b", root, {20, 0, 30, 10});
  b->SelectObject(false);
  EXPECT_EQ(NameOf(controller->SelectedParent()), "root");
  t.Nodes.front().reset();
  EXPECT_EQ(controller->SelectedObject(), nullptr);
  EXPECT_EQ(controller->SelectedParent(), nullptr);
}

TEST(BarKeyTips, DefaultTextsAndUniqueTexts)
{
  const struct {
    TShortCut ShortCut;
    const char* Caption;
    const char* Expected;
  } defaults[] = {
      {0x4053, "&Save", "S"},  // Ctrl+S: the shortcut's letter
      {0x4046, "&Open", "F"},
      {0x4074, "&Save", "S"},  // Ctrl+F5 is no Ctrl+letter: the accelerator
      {0, "&open", "O"},       // upper-cased
      {0, "Print", "Y"},       // no accelerator
      {0, "A&&B", "Y"},        // a doubled ampersand is no accelerator
  };
  for (const auto& c : defaults) EXPECT_EQ(GetItemDefaultKeyTip(c.ShortCut, c.Caption), c.Expected) << c.Caption;

  using TTexts = std::vector<std::string>;
  TTexts twelve(12, "A"), twelveUnique;
  for (int i = 1; i <= 12; ++i) twelveUnique.push_back((i < 10 ? "A0" : "A") + std::to_string(i));
  const struct {
    TTexts Texts;
    TTexts Expected;
  } cases[] = {
      {{"O", "O"}, {"O1", "O2"}},
      {{"Y", "Y"}, {"Y1", "Y2"}},
      {{"A", "A", "A"}, {"A1", "A2", "A3"}},
      {twelve, twelveUnique},
      {{"F", "FX"}, {"F1", "FX"}},
      {{"A", "A", "A1"}, {"A11", "A2", "A12"}},
      {{"", "B"}, {"", "B"}},  // an empty text begins nothing
      {{"S", "O"}, {"S", "O"}},
  };
  for (auto c : cases) {
    MakeKeyTipTextsUnique(c.Texts);
    EXPECT_EQ(c.Texts, c.Expected);
  }

  // Effective texts are cut to three characters before suffixes are added.
  TTree t;
  TTreeHelper* root = t.Add("root", nullptr, {0, 0, 100, 20}, false);
  TTreeHelper* bar = t.Add("bar", root, {0, 0, 100, 20}, false);
  t.Add("a", bar, {0, 0, 10, 10})->KeyTip = "ABCD";
  t.Add("b", bar, {0, 0, 10, 10})->KeyTip = "ABC";
  t.Add("hidden", root, {0, 0, 10, 10}, false)->Visible = false;
  t.Add("c", t["hidden"], {0, 0, 10, 10})->KeyTip = "Q";
  TdxBarKeyTipList list;
  root->BuildKeyTips(list);
  ASSERT_EQ(list.size(), 2u);  // the hidden subtree gives none; the unselectable bar its children's
  EXPECT_EQ(list[0]->Info().KeyTip, "ABC1");
  EXPECT_EQ(list[1]->Info().KeyTip, "ABC2");
}

namespace {
// A key-tip container with a recording host: Open, Options, Save (disabled), and a nested
// container N whose children are X and Z.
struct TKeyTipTree : TTree {
  TOwned<TRecordingHost> Host = MakeOwned<TRecordingHost>();
  TKeyTipTree()
  {
    TTreeHelper* root = Add("root", nullptr, {0, 0, 100, 20}, false);
    root->Host = Host.get();
    Add("open", root, {0, 0, 10, 10})->KeyTip = "O";
    Add("options", root, {10, 0, 20, 10})->KeyTip = "O";
    TTreeHelper* save = Add("save", root, {20, 0, 30, 10});
    save->KeyTip = "S";
    save->Enabled = false;
    TTreeHelper* nested = Add("N", root, {30, 0, 40, 10});
    nested->KeyTip = "N";
    Add("x", nested, {30, 10, 40, 20})->KeyTip = "X";
    Add("z", nested, {40, 10, 50, 20})->KeyTip = "Z";
  }
  ~TKeyTipTree() { GetNavigationController()->CancelKeyTips(); }
};
}  // namespace

TEST(BarNavigationController, AltHeldShowsKeyTipsAndTypingNarrowsAndRunsThem)
{
  TControllerReset reset;
  TdxBarNavigationController* controller = GetNavigationController();
  TKeyTipTree t;
  GLog.clear();
  AltPressedAlone = true;
  controller->BeginKeyTipsWait(t["root"]);
  ASSERT_TRUE(controller->AreKeyTipsPending());
  ASSERT_NE(controller->WaitTimer(), nullptr);
  EXPECT_EQ(controller->WaitTimer()->Interval(), TdxBarNavigationController::KeyTipsWaitInterval);
  EXPECT_FALSE(controller->HasActiveContainer());
  controller->WaitTimerTick(controller->WaitTimer());  // the wait ends with Alt still alone
  EXPECT_FALSE(controller->AreKeyTipsPending());
  EXPECT_EQ(controller->WaitTimer(), nullptr);
  ASSERT_EQ(NameOf(controller->ActiveContainer()), "root");
  EXPECT_EQ(t.Host->Shown, (std::vector<std::string>{"O1", "O2", "S", "N"}));
  EXPECT_EQ(t.Host->Applied, 1);

  GLog.clear();
  controller->DispatchKey('O', {});
  EXPECT_EQ(controller->TypedKeyTip(), "O");
  EXPECT_EQ(GLog, (std::vector<std::string>{"remove", "remove"}));  // S and N go, O1 and O2 stay
  GLog.clear();
  controller->DispatchKey('2', {});
  EXPECT_EQ(GLog, (std::vector<std::string>{"run options"}));
}

TEST(BarNavigationController, ADisabledTipRunsNothingAndAMissBeepsOnlyWhileDispatching)
{
  TControllerReset reset;
  TScopedSetter<TBeepFunc> beep(SetBeepFunc, CountBeep);
  GBeeps = 0;
  TdxBarNavigationController* controller = GetNavigationController();
  TKeyTipTree t;
  controller->ShowKeyTipsOf(t["root"], "");
  GLog.clear();

  EXPECT_TRUE(controller->WantsKey('Q', {}));  // a printable key is the key tips' own
  EXPECT_EQ(GBeeps, 0);
  controller->DispatchKey('Q', {});
  EXPECT_EQ(GBeeps, 1);
  EXPECT_EQ(controller->TypedKeyTip(), "");
  EXPECT_TRUE(GLog.empty());

  controller->DispatchKey('S', {});
  EXPECT_EQ(GBeeps, 1);
  EXPECT_EQ(controller->TypedKeyTip(), "S");  // narrowed to the disabled tip, which does not run
  EXPECT_EQ(GLog, (std::vector<std::string>{"remove", "remove", "remove"}));
  EXPECT_TRUE(controller->HasActiveContainer());
}

TEST(BarNavigationController, EscapeReturnsFromANestedContainerThenEndsKeyboardMode)
{
  TControllerReset reset;
  TdxBarNavigationController* controller = GetNavigationController();
  TKeyTipTree t;
  t["N"]->Host = t.Host.get();
  controller->ShowKeyTipsOf(t["N"], "");
  EXPECT_EQ(t.Host->Shown, (std::vector<std::string>{"X", "Z"}));
  controller->DispatchKey(VK_ESCAPE, {});
  EXPECT_EQ(NameOf(controller->ActiveContainer()), "root");
  EXPECT_EQ(NameOf(controller->GetCurrentObject()), "N");
  controller->DispatchKey(VK_ESCAPE, {});
  EXPECT_FALSE(controller->HasActiveContainer());
  EXPECT_EQ(controller->GetCurrentObject(), nullptr);

  // A container whose owner dies takes its tips with it.
  controller->ShowKeyTipsOf(t["N"], "");
  t["N"]->MarkOwnerDestroyed();
  EXPECT_FALSE(controller->HasActiveContainer());
  EXPECT_TRUE(controller->KeyTips().empty());
  controller->DispatchKey('X', {});
  EXPECT_FALSE(controller->HasActiveContainer());
}

TEST(BarNavigationController, BeginKeyTipsWaitRefusesANilRootAndASecondRoot)
{
  TControllerReset reset;
  TdxBarNavigationController* controller = GetNavigationController();
  TKeyTipTree t;
  EXPECT_THROW(controller->BeginKeyTipsWait(nullptr), EdxException);
  EXPECT_FALSE(controller->AreKeyTipsPending());
  controller->BeginKeyTipsWait(t["root"]);
  controller->BeginKeyTipsWait(t["root"]);  // the same root again: nothing
  EXPECT_THROW(controller->BeginKeyTipsWait(t["N"]), EdxException);
  EXPECT_TRUE(controller->AreKeyTipsPending());

  // A tick after Alt was combined frees only the timer: the tips stay pending, unshown.
  AltPressedAlone = false;
  controller->WaitTimerTick(controller->WaitTimer());
  EXPECT_EQ(controller->WaitTimer(), nullptr);
  EXPECT_TRUE(controller->AreKeyTipsPending());
  EXPECT_FALSE(controller->HasActiveContainer());
  controller->CancelKeyTips();
  EXPECT_FALSE(controller->AreKeyTipsPending());
}

TEST(BarNavigationController, ATappedAltSelectsTheDefaultObjectAndKeysMoveIt)
{
  TControllerReset reset;
  TdxBarNavigationController* controller = GetNavigationController();
  TGridTree t;
  controller->EnterNavigation(t["root"]);
  EXPECT_TRUE(controller->IsNavigationMode());
  const struct {
    WORD Key;
    TShiftState Shift;
    const char* Expected;
  } steps[] = {
      {VK_RIGHT, {}, "B"}, {VK_DOWN, {}, "E"}, {VK_TAB, {}, "J"},
      {VK_TAB, {TShiftStateFlag::ssShift}, "E"}, {VK_LEFT, {}, "D"}, {VK_LEFT, {}, "I"},
      {VK_MENU, {}, "-"},  // Alt unselects
      {VK_TAB, {}, "-"},   // nothing selected and no parent: nothing to move from
  };
  for (const auto& s : steps) {
    controller->DispatchKey(s.Key, s.Shift);
    EXPECT_EQ(NameOf(controller->GetCurrentObject()), s.Expected) << s.Key;
  }
  EXPECT_TRUE(TdxBarNavigationController::IsMoveKey(VK_TAB));
  controller->ClearNavigationMode();
  EXPECT_FALSE(controller->IsNavigationMode());
}
