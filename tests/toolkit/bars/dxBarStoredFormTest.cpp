// Bar managers and toolbars read from and written to stored forms: what reading sets and what
// Loaded applies, the round trip, stored extras of the wrong length, bad input, bars in their old
// collection form, and no leaks over many forms.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ObjectText.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/base/dxHooks.h"

namespace {
// A manager whose text is the given lines between "object dxBarManager1: TdxBarManager" and its
// "end", on a form of its own.
std::string ManagerForm(const std::string& body)
{
  return "object BarsForm: TBarsTestForm\n  object dxBarManager1: TdxBarManager\n" + body + "  end\nend\n";
}

// The text form of the form's tree with plain line feeds.
std::string FormText(TComponent* root)
{
  std::string text = ComponentToText(root);
  std::erase(text, '\r');
  return text;
}

std::string ReadError(const std::string& text, TBarsTestForm* form)
{
  try {
    ReadComponentFromText(text, form);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(read)";
}
}  // namespace

TEST(dxBarStoredForm, TheMainWindowsManagerAndToolbarsReadWithWhatLoadedApplies)
{
  TStoredTestItems items;
  TTestForm f;
  ReadComponentFromText(MainWindowBars, f.Form.get());
  TdxBarManager* manager = f->Manager();
  ASSERT_NE(manager, nullptr);

  // Defaults and what the form sets.
  EXPECT_FALSE(manager->ShowHint());
  EXPECT_EQ(manager->Style(), bmsEnhanced);
  EXPECT_EQ(manager->Painter()->ClassType(), TdxBarEnhancedPainter::StaticClass());
  EXPECT_TRUE(manager->AllowReset());
  EXPECT_TRUE(manager->IsResetAvailable()) << "read from a stored form";
  EXPECT_EQ(manager->ReadCount(), 1);
  EXPECT_EQ(manager->DesignInfo(), 40 | (8 << 16));
  // The font is the system menu font although the form stores another one.
  ExpectSystemMenuFont(manager->Font());
  EXPECT_TRUE(manager->UseSystemFont());

  // The edge docks take their stored sizes.
  EXPECT_EQ(manager->Bars()->DockControls(dsTop)->Height(), 60);
  EXPECT_EQ(manager->Bars()->DockControls(dsBottom)->Height(), 0);
  EXPECT_EQ(manager->Bars()->DockControls(dsLeft)->Width(), 0);
  EXPECT_EQ(manager->Bars()->DockControls(dsRight)->Width(), 0);

  // The category settings, the items-visible value applied by Loaded.
  EXPECT_EQ(manager->Categories()->CommaText(), "Default,Search");
  EXPECT_EQ(manager->GetCategoryItemsVisible(0), ivAlways);
  EXPECT_EQ(manager->GetCategoryItemsVisible(1), ivNever);
  EXPECT_TRUE(manager->GetCategoryVisible(0));
  EXPECT_FALSE(manager->GetCategoryVisible(1));
  auto* item = As<TTestBarItem>(f->FindComponent("SearchItem"));
  EXPECT_EQ(item->BarManager(), manager);
  EXPECT_EQ(item->Category(), 1);
  EXPECT_EQ(item->Visible(), ivNever);

  // The bars: placed, then shown, in read order.
  ASSERT_EQ(manager->Bars()->Count(), 2);
  TdxBar* main = f->Bar("dxBarManager1Bar1");
  TdxBar* font = f->Bar("dxBarManager1Bar2");
  EXPECT_EQ(manager->Bars()->Items(0), main);
  for (TdxBar* bar : {main, font}) {
    EXPECT_TRUE(bar->Predefined());
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->DockingStyle(), dsTop);
    EXPECT_EQ(bar->GetRealDockControl(), manager->Bars()->DockControls(dsTop));
    EXPECT_TRUE(bar->OneOnRow());
    EXPECT_FALSE(bar->UseOwnFont());
    EXPECT_EQ(bar->Font()->Name(), manager->Font()->Name());
  }
  EXPECT_EQ(main->Row(), 0);
  EXPECT_EQ(font->Row(), 1) << "a bar in no row reads its stored row";
  EXPECT_EQ(font->DockedTop(), 30);
  EXPECT_EQ(font->FloatLeft(), 1042);
  EXPECT_EQ(f->Shown, (std::vector<std::string>{"Mainmenu:2:-", "fontmenu:2:-"}))
      << "each bar is placed before it is shown";

  // Written back: the manager's children in its order, the stored extras, and a read gives the same.
  const std::string written = FormText(f.Form.get());
  const size_t bar1 = written.find("object dxBarManager1Bar1: TdxBar"),
               bar2 = written.find("object dxBarManager1Bar2: TdxBar"),
               itemAt = written.find("object SearchItem: TTestBarItem");
  ASSERT_NE(bar1, std::string::npos) << written;
  EXPECT_LT(bar1, bar2);
  EXPECT_LT(bar2, itemAt) << "bars, then items";
  EXPECT_NE(written.find("DockControlHeights = (\n      0\n      0\n      60\n      0)"), std::string::npos) << written;
  EXPECT_NE(written.find("Categories.ItemsVisibles = (\n      2\n      0)"), std::string::npos) << written;
  EXPECT_NE(written.find("UseSystemFont = True"), std::string::npos);
  EXPECT_EQ(written.find("  Style = "), std::string::npos) << "the default style is not stored";
  TTestForm again;
  ReadComponentFromText(written, again.Form.get());
  EXPECT_EQ(FormText(again.Form.get()), written);
}

TEST(dxBarStoredForm, LoadedValuesApplyTheDockControlFirstThenTheStyleWithoutOneThenTheVisibility)
{
  TTestForm f;
  // The placed dock comes after the manager: a forward reference.
  ReadComponentFromText(R"(object BarsForm: TBarsTestForm
  object dxBarManager1: TdxBarManager
    OnBarVisibleChange = BarVisibleChanged
    object Placed: TdxBar
      Caption = 'Placed'
      DockControl = dxBarDockControl1
      DockingStyle = dsLeft
      Visible = True
    end
    object Right: TdxBar
      Caption = 'Right'
      DockingStyle = dsRight
      Visible = True
    end
    object Hidden: TdxBar
      Caption = 'Hidden'
      DockingStyle = dsBottom
      Visible = False
    end
  end
  object dxBarDockControl1: TdxBarDockControl
    Align = dalBottom
    BarManager = dxBarManager1
  end
end
)",
                        f.Form.get());
  auto* dock = As<TdxBarDockControl>(f->FindComponent("dxBarDockControl1"));
  EXPECT_EQ(dock->BarManager(), f->Manager());
  EXPECT_EQ(f->Bar("Placed")->DockControl(), dock);
  EXPECT_EQ(f->Bar("Placed")->DockingStyle(), dsBottom) << "the dock's style; the stored one is not applied";
  EXPECT_EQ(f->Bar("Right")->DockingStyle(), dsRight);
  EXPECT_EQ(f->Bar("Hidden")->DockingStyle(), dsBottom);
  EXPECT_FALSE(f->Bar("Hidden")->Visible());
  EXPECT_EQ(f->Shown, (std::vector<std::string>{"Placed:4:dxBarDockControl1", "Right:3:-"}));

  // The dock control is written as the placed bar's reference, its style left out.
  const std::string written = FormText(f.Form.get());
  const size_t placed = written.find("object Placed: TdxBar");
  const size_t right = written.find("object Right: TdxBar");
  EXPECT_NE(written.find("DockControl = dxBarDockControl1", placed), std::string::npos);
  EXPECT_EQ(written.substr(placed, right - placed).find(" DockingStyle ="), std::string::npos) << written;
}

TEST(dxBarStoredForm, StoredListsOfTheWrongLengthApplyWhatMatchesAndTheReaderStaysInStep)
{
  struct TCase {
    const char* What;
    std::string Body;
    int TopHeight, LeftWidth;
    TdxBarItemVisible SecondItemsVisible;
    bool SecondVisible;
    TdxBarItemVisible ThirdItemsVisible;
  };
  const std::string names = "    Categories.Strings = (\n      'A'\n      'B'\n      'C')\n";
  const TCase cases[] = {
    {"short lists", names + "    Categories.ItemsVisibles = (\n      0)\n    Categories.Visibles = (\n      True)\n" +
                        "    DockControlHeights = (\n      7\n      0)\n",
     0, 7, ivAlways, true, ivAlways},
    {"long lists with strays",
     names + "    Categories.ItemsVisibles = (\n      2\n      1\n      0\n      2\n      'x'\n      9)\n" +
         "    Categories.Visibles = (\n      True\n      False\n      5\n      True\n      True)\n" +
         "    DockControlHeights = (\n      0\n      0\n      60\n      0\n      5\n      'x'\n      8)\n",
     60, 0, ivInCustomizing, false, ivNever},
    {"empty lists", names + "    Categories.ItemsVisibles = ()\n    Categories.Visibles = ()\n" +
                        "    DockControlHeights = ()\n",
     0, 0, ivAlways, true, ivAlways},
    {"values of other kinds", names + "    Categories.ItemsVisibles = (\n      'a'\n      1)\n" +
                                  "    Categories.Visibles = (\n      1\n      False)\n" +
                                  "    DockControlHeights = (\n      'a'\n      3)\n",
     0, 0, ivInCustomizing, false, ivAlways},
  };
  for (const TCase& c : cases) {
    TTestForm f;
    // A property after the lists shows that the reader is still in step.
    ReadComponentFromText(ManagerForm(c.Body + "    ShowHint = False\n"), f.Form.get());
    TdxBarManager* m = f->Manager();
    EXPECT_FALSE(m->ShowHint()) << c.What;
    EXPECT_EQ(m->Bars()->DockControls(dsTop)->Height(), c.TopHeight) << c.What;
    EXPECT_EQ(m->Bars()->DockControls(dsLeft)->Width(), c.LeftWidth) << c.What;
    EXPECT_EQ(m->GetCategoryItemsVisible(1), c.SecondItemsVisible) << c.What;
    EXPECT_EQ(m->GetCategoryVisible(1), c.SecondVisible) << c.What;
    EXPECT_EQ(m->GetCategoryItemsVisible(2), c.ThirdItemsVisible) << c.What;
  }
}

TEST(dxBarStoredForm, BadInputStopsTheReadWithTheReadersErrorAndLeavesNoManagerOrHook)
{
  struct TCase {
    const char* What;
    std::string Text;
    std::string Named;  // what the error message names
  };
  const std::string bar = "    object dxBarManager1Bar1: TdxBar\n";
  const TCase cases[] = {
    {"unknown manager property", ManagerForm("    Colour = clRed\n"), "Colour"},
    {"unknown bar property", ManagerForm(bar + "      Shape = 3\n    end\n"), "Shape"},
    {"a value of the wrong type", ManagerForm("    ShowHint = 'yes'\n"), "'yes'"},
    {"an enumeration value it does not have", ManagerForm("    Style = bmsRound\n"), "bmsRound"},
    {"a reference to no component", ManagerForm(bar + "      DockControl = Missing\n    end\n"), "Missing"},
    {"a second manager", "object BarsForm: TBarsTestForm\n  object One: TdxBarManager\n  end\n"
                         "  object Two: TdxBarManager\n  end\nend\n",
     "A control should contain only a single TdxBarManager"},
  };
  ASSERT_EQ(GetBarManagerList()->Count(), 0);
  for (const TCase& c : cases) {
    TTestForm f;
    const std::string error = ReadError(c.Text, f.Form.get());
    EXPECT_NE(error.find(c.Named), std::string::npos) << c.What << ": " << error;
    EXPECT_EQ(error.substr(0, 5), "Line ") << c.What << ": the reader tells where: " << error;
    EXPECT_EQ(f->ComponentCount(), 0) << c.What;
    EXPECT_EQ(GetBarManagerList()->Count(), 0) << c.What;
    EXPECT_FALSE(dxHookController()->SystemHook(TdxHookKind::hkKeyboard).HasClientProc(BarKeyboardHookProc)) << c.What;
  }
}

TEST(dxBarStoredForm, BarsInTheOldCollectionFormKeepTheirNewNames)
{
  TTestForm f;
  ReadComponentFromText(ManagerForm("    Bars = <\n      item\n        Caption = 'Old'\n        Name = 'Toolbar1'\n"
                                    "        DockingStyle = dsTop\n        Visible = True\n      end\n"
                                    "      item\n        Caption = 'Older'\n      end>\n"),
                        f.Form.get());
  TdxBars* bars = f->Manager()->Bars();
  ASSERT_EQ(bars->Count(), 2);
  EXPECT_EQ(bars->Items(0)->Name(), "dxBarManager1Bar1");
  EXPECT_EQ(bars->Items(0)->OldName(), "Toolbar1");
  EXPECT_EQ(bars->Items(0)->DockingStyle(), dsTop);
  EXPECT_TRUE(bars->Items(0)->Visible());
  EXPECT_EQ(bars->Items(1)->Caption(), "Older");
  EXPECT_EQ(bars->Items(1)->Name(), "dxBarManager1Bar2");
  // Written again, they are children of the manager like any bar.
  EXPECT_EQ(FormText(f.Form.get()).find("Bars = <"), std::string::npos);
}

TEST(dxBarStoredForm, AHundredFormsWithAManagerAndTwoBarsLeakNoWindowsAndNoGdiObjects)
{
  TStoredTestItems items;
  auto readAndFree = [] {
    TTestForm f;
    ReadComponentFromText(MainWindowBars, f.Form.get());
    f->HandleNeeded();
    for (int i = 0; i < f->Manager()->GetDockControlCount(); ++i) f->Manager()->GetDockControl(i)->HandleNeeded();
  };
  readAndFree();
  HandleWaitingMessages();
  const int windows = ThreadWindowCount(), gdi = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) readAndFree();
  HandleWaitingMessages();
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(GetBarManagerList()->Count(), 0);
}

namespace {
// Two bars whose links name items stored after them (one names no item), and a group of two items
// and a name of no component.
const std::string ItemsAndGroups = ManagerForm(R"(    object dxBarManager1Bar1: TdxBar
      Caption = 'File'
      ItemLinks = <
        item
          Visible = True
          ItemName = 'OpenItem'
        end
        item
          BeginGroup = True
          Visible = True
          ItemName = 'NoSuchItem'
        end
        item
          Visible = False
          ItemName = 'SaveItem'
        end>
    end
    object dxBarManager1Bar2: TdxBar
      Caption = 'Quick'
      ItemLinks = <
        item
          UserCaption = 'Keep'
          UserDefine = [udCaption]
          Visible = True
          ItemName = 'SaveItem'
        end>
    end
    object OpenItem: TTestBarItem
      Caption = 'Open'
      Category = 0
    end
    object SaveItem: TTestBarItem
      Caption = 'Save'
      Category = 0
    end
    object FileGroup: TdxBarGroup
      Items = (
        'OpenItem'
        'Nobody'
        'SaveItem')
    end
)");
}  // namespace

TEST(dxBarStoredForm, LinksAndGroupsResolveItemsStoredAfterThemAndReadBackEqual)
{
  TStoredTestItems items;
  TTestForm f;
  ReadComponentFromText(ItemsAndGroups, f.Form.get());
  TdxBarManager* manager = f->Manager();
  auto* open = As<TTestBarItem>(f->FindComponent("OpenItem"));
  auto* save = As<TTestBarItem>(f->FindComponent("SaveItem"));
  ASSERT_TRUE(open && save);
  EXPECT_EQ(manager->GetItemCount(), 2);

  TdxBarItemLinks* file = f->Bar("dxBarManager1Bar1")->ItemLinks();
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->Items(0)->Item(), open);
  EXPECT_EQ(file->Items(1)->Item(), nullptr) << "a name of no item leaves the link empty";
  EXPECT_EQ(file->Items(2)->Item(), save);
  EXPECT_TRUE(file->Items(0)->Visible());
  EXPECT_FALSE(file->Items(2)->Visible()) << "the stored visibility applied by Loaded";
  EXPECT_EQ(file->GetAvailableLinkCount(), 2) << "the empty link is not available";
  EXPECT_EQ(file->GetShowableLinkCount(), 1) << "the hidden link is not shown";
  TdxBarItemLinks* quick = f->Bar("dxBarManager1Bar2")->ItemLinks();
  ASSERT_EQ(quick->Count(), 1);
  EXPECT_EQ(quick->Items(0)->Item(), save);
  EXPECT_EQ(quick->Items(0)->GetCaption(), "Keep");

  auto* group = As<TdxBarGroup>(f->FindComponent("FileGroup"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(manager->GetGroupCount(), 1);
  ASSERT_EQ(group->GetItemCount(), 2) << "the name of no component is dropped";
  EXPECT_EQ(group->GetItemName(0), "OpenItem");
  EXPECT_EQ(group->GetItemName(1), "SaveItem");

  const std::string written = FormText(f.Form.get());
  EXPECT_NE(written.find("ItemName = 'OpenItem'"), std::string::npos) << written;
  EXPECT_NE(written.find("Items = (\n        'OpenItem'\n        'SaveItem')"), std::string::npos) << written;
  TTestForm again;
  ReadComponentFromText(written, again.Form.get());
  EXPECT_EQ(FormText(again.Form.get()), written);
}

TEST(dxBarStoredForm, BadItemsStopTheReadAndLeaveNoItemBehind)
{
  TStoredTestItems items;
  struct TCase {
    const char* What;
    std::string Text;
    std::string Named;
  };
  const TCase cases[] = {
    {"an unknown item property", ManagerForm("    object A: TTestBarItem\n      Colour = 3\n    end\n"), "Colour"},
    {"a category of the wrong type", ManagerForm("    object A: TTestBarItem\n      Category = 'x'\n    end\n"), "'x'"},
    {"a link of the wrong shape",
     ManagerForm("    object B: TdxBar\n      ItemLinks = <\n        item\n          ItemName = 3\n        end>\n    end\n"
                 "    object A: TTestBarItem\n    end\n"),
     "'3'"},
    {"group members that are not a list",
     ManagerForm("    object A: TTestBarItem\n    end\n    object G: TdxBarGroup\n      Items = 'A'\n    end\n"), "'A'"},
  };
  for (const TCase& c : cases) {
    TTestForm f;
    const std::string error = ReadError(c.Text, f.Form.get());
    EXPECT_NE(error.find(c.Named), std::string::npos) << c.What << ": " << error;
    EXPECT_EQ(f->ComponentCount(), 0) << c.What;
    EXPECT_EQ(GetBarManagerList()->Count(), 0) << c.What;
  }
}
