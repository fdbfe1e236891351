// The manager's operations on its bars as a whole: new toolbars, merged bars taken out around
// customizing and merged again, the bars waiting to be shown again, and a dock control that goes.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
struct TManagerFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);

  TdxBar* NewBar(const char* caption, bool visible = true)
  {
    TdxBar* bar = Manager->Bars()->Add();
    bar->SetCaption(caption);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(visible);
    return bar;
  }
};

RECT AreaFrom40(POINT) { return RECT{40, 30, 1000, 700}; }

bool GNameAsked = false;
bool CancelName(TdxBarManager*, std::string&)
{
  GNameAsked = true;
  return false;
}
bool NameTools(TdxBarManager*, std::string& caption)
{
  caption = "Tools";
  return true;
}
}  // namespace

TEST(dxBarManagerBars, AddToolbarNamesAndPlacesNewToolbars)
{
  TManagerFixture f;
  TScopedSeam areas(cxDesktopWorkAreaFunc, &AreaFrom40);
  f.NewBar("Existing")->SetRow(0);
  // The form at (100, 100), 300 wide: 50 to its left lies inside the work area.
  TdxBar* first = f.Manager->AddToolbar(false, false);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Caption(), "Custom 1");
  EXPECT_EQ(first->FloatLeft(), 50);
  EXPECT_EQ(first->FloatTop(), 100);
  EXPECT_EQ(first->DockingStyle(), dsTop);
  EXPECT_TRUE(first->Visible());
  EXPECT_FALSE(first->OneOnRow()) << "a row of its own that later bars may join";
  EXPECT_EQ(first->Row(), 1) << "after the existing row";

  // Closer than 50 pixels to the work area's left edge: right of the form; above its top: 10 below.
  f.Form->SetBounds(60, 10, 300, 200);
  TdxBar* second = f.Manager->AddToolbar(false, false);
  EXPECT_EQ(second->Caption(), "Custom 2");
  EXPECT_EQ(second->FloatLeft(), 60 + 300 + 10);
  EXPECT_EQ(second->FloatTop(), 40);
  EXPECT_EQ(second->Row(), 2);

  TdxBar* menu = f.Manager->AddToolbar(true, false);
  EXPECT_TRUE(menu->IsMainMenu());
  EXPECT_EQ(menu->Row(), 0);

  // The name dialog, once installed: Cancel makes nothing; OK names the toolbar and renames.
  TScopedSeam cancel(dxBarAskToolbarNameFunc, &CancelName);
  const int count = f.Manager->Bars()->Count();
  EXPECT_EQ(f.Manager->AddToolbar(false, true), nullptr);
  EXPECT_TRUE(GNameAsked);
  EXPECT_EQ(f.Manager->Bars()->Count(), count);
  TScopedSeam ok(dxBarAskToolbarNameFunc, &NameTools);
  f.Manager->RenameToolbar(first);
  EXPECT_EQ(first->Caption(), "Tools");
}

TEST(dxBarManagerBars, CustomizingTakesMergedBarsOutAndMergesThemAgain)
{
  TManagerFixture f;
  TdxBar* target = f.NewBar("Target");
  TdxBar* one = f.NewBar("One");
  TdxBar* two = f.NewBar("Two", false);
  // A bar made to receive merged bars, which unmerging empties.
  TdxBar* made = f.NewBar("Made");
  made->MergeData()->MadeForMerging = true;
  TdxBar* three = f.NewBar("Three");
  target->Merge(one);
  target->Merge(two);
  made->Merge(three);
  ASSERT_FALSE(one->Visible());

  f.Manager->SetCustomizing(true);
  EXPECT_EQ(one->MergeData()->MergedWith, nullptr);
  EXPECT_EQ(two->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(one->Visible()) << "visible again while customizing, as before merging";
  EXPECT_FALSE(two->Visible());
  ASSERT_EQ(f.Manager->Bars()->Count(), 5) << "the emptied bar made for merging is kept, hidden";
  EXPECT_TRUE(made->Hidden());
  EXPECT_FALSE(made->Visible());
  EXPECT_FALSE(made->KeepWhenEmptied());

  f.Manager->SetCustomizing(false);
  EXPECT_EQ(one->MergeData()->MergedWith, target);
  EXPECT_EQ(two->MergeData()->MergedWith, target);
  EXPECT_EQ(three->MergeData()->MergedWith, made);
  EXPECT_FALSE(one->Visible());
  EXPECT_FALSE(made->Hidden());
  EXPECT_TRUE(made->Visible()) << "the visibility it had when it was emptied";

  // Without storing, the bars of one manager go and an emptied bar made for merging is freed.
  f.Manager->UnmergeBars(f.Manager, false);
  EXPECT_EQ(f.Manager->Bars()->Count(), 4);
  EXPECT_TRUE(one->Visible());
  EXPECT_EQ(target->MergeData()->MergedBars.size(), 0u);
}

TEST(dxBarManagerBars, ReshowBarsShowsTheWaitingBarsOfADock)
{
  TManagerFixture f;
  f.Form->Show();
  TdxBar* top = f.NewBar("Top", false);
  TdxBar* bottom = f.NewBar("Bottom", false);
  bottom->SetDockingStyle(dsBottom);
  TdxBar* floating = f.NewBar("Floating", false);
  floating->SetDockingStyle(dsNone);
  for (TdxBar* bar : {top, bottom, floating}) f.Manager->AddToReshowBarList(bar);
  f.Manager->AddToReshowBarList(top);
  ASSERT_EQ(f.Manager->ReshowBarList()->Count(), 3);

  f.Manager->ReshowBars(f.Manager->Bars()->DockControls(dsTop));
  EXPECT_TRUE(top->Visible());
  EXPECT_FALSE(bottom->Visible());
  EXPECT_FALSE(floating->Visible()) << "a bar without docking style is no bar of a dock";
  EXPECT_EQ(f.Manager->IndexOfReshowBar(top), -1);
  EXPECT_EQ(f.Manager->ReshowBarList()->Count(), 2);

  // Hiding a waiting bar that is hidden already takes it off the list.
  floating->SetVisible(false);
  EXPECT_EQ(f.Manager->IndexOfReshowBar(floating), -1);

  // The owner's window made again: the docks get windows, the waiting bars show, the list goes.
  f.Manager->HandleOwnerCreate();
  EXPECT_TRUE(bottom->Visible());
  EXPECT_EQ(f.Manager->ReshowBarList(), nullptr);
  EXPECT_FALSE(f.Manager->IsReshowingBars());
}
