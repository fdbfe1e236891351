// Toolbars and the bars collection: captions, rows, the main menu, docking, visibility, fonts,
// merging, reset, copying and destruction.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Dialogs.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/base/dxCore.h"

namespace {
// A manager on a form with the bars Bar1 ... BarN, captioned "One", "Two", ...
struct TBarsFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  std::vector<TdxBar*> Bars;

  explicit TBarsFixture(int count)
  {
    Manager->SetName("dxBarManager1");
    const char* captions[] = {"One", "Two", "Three", "Four"};
    for (int i = 0; i < count; ++i) {
      Bars.push_back(Manager->Bars()->Add());
      Bars.back()->SetCaption(captions[i]);
    }
  }
  TdxDockControl* Top() const { return Manager->Bars()->DockControls(dsTop); }
};

// Records the manager's bar events as "event:caption".
class TBarEventLog : public TObject {
  CL_CLASS(TBarEventLog, TObject)
public:
  std::vector<std::string> Events;
  void Attach(TdxBarManager* m)
  {
    m->SetOnBarAdd(TdxBarEvent(this, &TBarEventLog::Added));
    m->SetOnBarDelete(TdxBarEvent(this, &TBarEventLog::Deleted));
    m->SetOnBarVisibleChange(TdxBarEvent(this, &TBarEventLog::VisibleChanged));
    m->SetOnBarDockingStyleChange(TdxBarEvent(this, &TBarEventLog::DockingChanged));
    m->SetOnBarBeforeReset(TdxBarEvent(this, &TBarEventLog::BeforeReset));
    m->SetOnBarAfterReset(TdxBarEvent(this, &TBarEventLog::AfterReset));
  }
  void Added(TObject*, TdxBar* bar) { Events.push_back("add:" + bar->Name()); }
  void Deleted(TObject*, TdxBar* bar) { Events.push_back("delete:" + bar->Caption()); }
  void VisibleChanged(TObject*, TdxBar* bar) { Events.push_back("visible:" + bar->Caption()); }
  void DockingChanged(TObject*, TdxBar* bar) { Events.push_back("docking:" + bar->Caption()); }
  void BeforeReset(TObject*, TdxBar* bar) { Events.push_back("before:" + bar->Caption()); }
  void AfterReset(TObject*, TdxBar* bar) { Events.push_back("after:" + bar->Caption()); }
};
CL_DEFINE_CLASS(TBarEventLog);

std::string MergeError(const std::function<void()>& action)
{
  try {
    action();
  } catch (const EdxException& e) {
    return e.Message();
  }
  return "(none)";
}

std::vector<std::string> GBoxTexts;
int WINAPI AnswerOk(HWND, const char* text, const char*, UINT flags)
{
  GBoxTexts.push_back(std::string(text) + "|" + std::to_string(flags));
  return IDOK;
}
}  // namespace

TEST(dxBar, ACaptionAnotherBarHasIsIgnoredWithoutAnError)
{
  TBarsFixture f(2);
  EXPECT_NO_THROW(f.Bars[1]->SetCaption("One"));
  EXPECT_EQ(f.Bars[1]->Caption(), "Two");
  f.Bars[1]->SetCaption("Zwei");
  EXPECT_EQ(f.Bars[1]->Caption(), "Zwei");
  EXPECT_EQ(f.Manager->MakeUniqueBarCaption("Custom "), "Custom 1");
}

TEST(dxBar, ARowBeyondTheLastAppendsOneRowOrAllOfThemInsideABarsUpdate)
{
  TBarsFixture f(4);
  for (TdxBar* bar : f.Bars) bar->SetDockingStyle(dsTop);
  EXPECT_EQ(f.Bars[0]->DockRow(), nullptr);
  f.Bars[3]->SetRow(5);
  EXPECT_EQ(f.Bars[3]->Row(), 0) << "the first row of an empty dock";
  f.Bars[3]->SetRow(-3);
  EXPECT_EQ(f.Bars[3]->Row(), 0) << "negative rows become 0";

  f.Bars[0]->SetRow(0);
  f.Bars[1]->SetRow(1);
  ASSERT_EQ(f.Top()->RowCount(), 2);
  f.Bars[2]->SetRow(7);
  EXPECT_EQ(f.Top()->RowCount(), 3) << "exactly one row is appended";
  EXPECT_EQ(f.Bars[2]->Row(), 2);
  EXPECT_EQ(f.Top()->Rows(2)->Bars(0), f.Bars[2]);

  f.Manager->BeginBarsUpdate();
  f.Bars[3]->SetRow(7);
  EXPECT_EQ(f.Top()->RowCount(), 8) << "inside a bars update rows are appended until row 7 exists";
  EXPECT_EQ(f.Bars[3]->Row(), 7);
  f.Manager->EndBarsUpdate();
  EXPECT_EQ(f.Top()->RowCount(), 4) << "the unlock drops the empty rows";
  EXPECT_EQ(f.Bars[3]->Row(), 3);

  // Leaving a row it held alone drops that row.
  f.Bars[1]->SetRow(0);
  EXPECT_EQ(f.Top()->RowCount(), 3);
  EXPECT_EQ(f.Bars[2]->Row(), 1);
  // A bar in no row reads its stored row.
  TdxBar* floating = f.Bars[3];
  floating->SetDockingStyle(dsNone);
  EXPECT_EQ(floating->DockRow(), nullptr);
  floating->SetRow(4);
  EXPECT_EQ(floating->Row(), 4);
}

TEST(dxBar, OneMainMenuPerManagerWithWholeRowAndMultiLine)
{
  TBarsFixture f(2);
  f.Bars[0]->SetIsMainMenu(true);
  EXPECT_EQ(f.Manager->GetMainMenuBar(), f.Bars[0]);
  EXPECT_TRUE(f.Bars[0]->WholeRow());
  EXPECT_TRUE(f.Bars[0]->MultiLine());
  f.Bars[0]->SetMultiLine(false);
  EXPECT_TRUE(f.Bars[0]->MultiLine()) << "the main menu stays multi-line";
  EXPECT_FALSE(f.Bars[0]->CanClose());

  f.Bars[1]->SetIsMainMenu(true);
  EXPECT_EQ(f.Manager->GetMainMenuBar(), f.Bars[1]);
  EXPECT_FALSE(f.Bars[0]->IsMainMenu());
  EXPECT_FALSE(f.Bars[0]->WholeRow());
  EXPECT_FALSE(f.Bars[0]->MultiLine());
  EXPECT_TRUE(f.Bars[0]->CanClose());
  EXPECT_FALSE(f.Manager->IsBarsUpdateLocked());

  Free(f.Bars[1]);
  EXPECT_EQ(f.Manager->GetMainMenuBar(), nullptr) << "a freed main menu bar leaves the manager";
}

TEST(dxBar, DockingStyleAndDockControlFollowEachOtherAndReportTheChange)
{
  TBarsFixture f(1);
  TOwned<TBarEventLog> log = MakeOwned<TBarEventLog>();
  log->Attach(f.Manager);
  TdxBar* bar = f.Bars[0];
  EXPECT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_EQ(bar->GetRealDockControl(), nullptr);
  EXPECT_EQ(bar->GetPainter(), f.Manager->Painter());

  bar->SetDockingStyle(dsLeft);
  EXPECT_EQ(bar->GetRealDockControl(), f.Manager->Bars()->DockControls(dsLeft));
  auto* userDock = New<TdxBarDockControl>(f.Form);
  userDock->SetParent(f.Form);
  userDock->SetAlign(dalBottom);
  userDock->SetBarManager(f.Manager);
  bar->DockTo(dsTop, userDock);
  EXPECT_EQ(bar->DockControl(), userDock);
  EXPECT_EQ(bar->DockingStyle(), dsBottom) << "the placed dock's style, from its alignment";
  EXPECT_EQ(bar->GetRealDockControl(), userDock);
  bar->DockTo(dsRight, f.Manager->Bars()->DockControls(dsRight));
  EXPECT_EQ(bar->DockControl(), nullptr) << "an edge dock counts as no dock control";
  EXPECT_EQ(bar->DockingStyle(), dsRight);
  EXPECT_EQ(log->Events, (std::vector<std::string>{"docking:One", "docking:One", "docking:One"}));

  // A dock of another manager is ignored.
  TFormGuard other{NewForm()};
  auto* otherManager = New<TdxBarManager>(other.Form);
  auto* foreignDock = New<TdxBarDockControl>(other.Form);
  foreignDock->SetBarManager(otherManager);
  bar->SetDockControl(foreignDock);
  bar->SetDockedDockControl(foreignDock);
  EXPECT_EQ(bar->DockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);

  // A placed dock that goes takes its bars' references with it and hides the bars it showed.
  bar->SetDockControl(userDock);
  bar->SetDockedDockControl(userDock);
  bar->SetVisible(true);
  Free(userDock);
  EXPECT_EQ(bar->DockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  EXPECT_FALSE(bar->Visible());
}

TEST(dxBar, VisibilityListenersHearEveryChange)
{
  TBarsFixture f(1);
  TOwned<TBarEventLog> log = MakeOwned<TBarEventLog>();
  log->Attach(f.Manager);
  TdxBar* bar = f.Bars[0];
  bar->SetVisible(true);
  bar->SetVisible(true);
  bar->SetVisible(false);
  EXPECT_EQ(log->Events, (std::vector<std::string>{"visible:One", "visible:One"}));
  EXPECT_FALSE(bar->IsFloating()) << "no toolbar window";
  bar->SetNotDocking(dxBarAllDockingStyles);
  EXPECT_FALSE(bar->CanDock());
  bar->SetNotDocking({dsTop});
  EXPECT_TRUE(bar->CanDock());
  f.Manager->SetNotDocking(dxBarAllDockingStyles);
  EXPECT_FALSE(bar->CanDock());
  bar->SetBorderStyle(bbsNone);
  bar->SetDockingStyle(dsBottom);
  bar->SetWholeRow(true);
  EXPECT_TRUE(bar->IsStatusBarLike());
}

TEST(dxBar, ABarFollowsTheManagersFontUntilItsOwnFontIsChanged)
{
  TBarsFixture f(1);
  TdxBar* bar = f.Bars[0];
  EXPECT_EQ(bar->Font()->Name(), f.Manager->Font()->Name());
  EXPECT_FALSE(bar->UseOwnFont());
  f.Manager->SetScaled(false);
  f.Manager->Font()->SetName("SimSun");
  EXPECT_EQ(bar->Font()->Name(), "SimSun") << "the bar takes the manager's new font";
  EXPECT_FALSE(bar->UseOwnFont());

  bar->Font()->SetName("Tahoma");
  EXPECT_TRUE(bar->UseOwnFont()) << "a change from outside makes the font the bar's own";
  f.Manager->Font()->SetName("Arial");
  EXPECT_EQ(bar->Font()->Name(), "Tahoma");
  bar->SetUseOwnFont(false);
  EXPECT_EQ(bar->Font()->Name(), "Arial");
  EXPECT_FALSE(bar->UseOwnFont());
}

TEST(dxBar, MergingRefusesWhatCannotBeMergedAndHidesTheMergedBar)
{
  TBarsFixture f(4);
  TdxBar *a = f.Bars[0], *b = f.Bars[1], *c = f.Bars[2], *d = f.Bars[3];
  for (TdxBar* bar : f.Bars) bar->SetVisible(true);
  a->Merge(b);
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(b->MergeData()->MergedWith, a);
  EXPECT_TRUE(b->MergeData()->VisibleBeforeMerging);

  struct TCase {
    const char* What;
    std::function<void()> Action;
    std::string Message;
  };
  const TCase cases[] = {
    {"into itself", [&] { a->Merge(a); }, "You cannot merge with the specified toolbar"},
    {"nothing", [&] { a->Merge(nullptr); }, "You cannot merge with the specified toolbar"},
    {"twice", [&] { a->Merge(b); }, "The 'Two' toolbar is already merged with the 'One' toolbar"},
    {"a bar that has merged bars", [&] { c->Merge(a); }, "The 'One' toolbar has merged toolbars"},
    {"into a merged bar", [&] { b->Merge(c); }, "You cannot merge a toolbar with a toolbar that is already merged"},
    {"unmerge itself", [&] { a->Unmerge(a); }, "You cannot unmerge the specified toolbar"},
    {"unmerge from the wrong bar", [&] { c->Unmerge(b); }, "The 'Two' toolbar is not merged with the 'Three' toolbar"},
  };
  for (const TCase& k : cases) EXPECT_EQ(MergeError(k.Action), k.Message) << k.What;
  EXPECT_EQ(a->MergeData()->MergedBars, (std::vector<TdxBar*>{b})) << "nothing changed before the checks";
  EXPECT_NO_THROW(c->Unmerge(d)) << "a bar merged nowhere is ignored";

  // A merged bar merged elsewhere leaves its first place without getting its visibility back.
  c->Merge(b);
  EXPECT_TRUE(a->MergeData()->MergedBars.empty());
  EXPECT_EQ(b->MergeData()->MergedWith, c);
  EXPECT_FALSE(b->Visible());
  c->Unmerge(b);
  EXPECT_TRUE(b->Visible()) << "its visibility before the first merge";
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);

  // Unmerging all, last first; a bar made to receive merged bars goes when it is emptied.
  a->Merge(b);
  a->Merge(c);
  a->MergeData()->MadeForMerging = true;
  TWeakRef<TdxBar> weakA(a);
  a->Unmerge(nullptr);
  EXPECT_FALSE(weakA);
  EXPECT_TRUE(b->Visible());
  EXPECT_TRUE(c->Visible());
  EXPECT_EQ(f.Manager->Bars()->Count(), 3);
}

TEST(dxBar, AnEmptiedBarMadeForMergingIsHiddenWhileTheManagerKeepsIt)
{
  TBarsFixture f(2);
  TdxBar *target = f.Bars[0], *source = f.Bars[1];
  target->SetVisible(true);
  target->Merge(source);
  target->MergeData()->MadeForMerging = true;
  target->StoreMergedBars();
  target->SetKeepWhenEmptied(true);
  target->Unmerge(nullptr, false);
  EXPECT_EQ(f.Manager->Bars()->Count(), 2);
  EXPECT_FALSE(target->Visible());
  EXPECT_TRUE(target->Hidden());
  EXPECT_TRUE(target->MergeData()->VisibleToRestore);
  EXPECT_FALSE(source->Visible()) << "unmerged without its visibility";
  target->RestoreMergedBars();
  EXPECT_EQ(source->MergeData()->MergedWith, target);

  // A saved bar that is freed drops out of the saved list.
  target->StoreMergedBars();
  EXPECT_EQ(target->MergeData()->SavedBarCount(), 1);
  Free(source);
  EXPECT_EQ(target->MergeData()->SavedBarCount(), 0);
  EXPECT_TRUE(target->MergeData()->MergedBars.empty()) << "a freed merged bar leaves its target";
}

TEST(dxBar, ResetOnlyActsOnABarTheDesignedLayoutKnows)
{
  TBarsFixture f(2);
  TOwned<TBarEventLog> log = MakeOwned<TBarEventLog>();
  log->Attach(f.Manager);
  f.Bars[0]->Reset();
  EXPECT_TRUE(log->Events.empty()) << "no designed bar of that caption: nothing, no events";

  TMemIniFile* layout = f.Manager->DesignedLayout();
  const std::string base = f.Manager->GetIniSectionBase();
  layout->WriteInteger(base + "Main", "BarCount", 2);
  layout->WriteString(base + "Bar0", "Caption", "Other");
  layout->WriteString(base + "Bar1", "Caption", "Two");
  EXPECT_EQ(f.Manager->FindDesignedBarIndex("Two"), 1);
  EXPECT_EQ(f.Manager->FindDesignedBarIndex("two"), -1);
  f.Bars[1]->Reset();
  EXPECT_EQ(log->Events, (std::vector<std::string>{"before:Two", "after:Two"}));
  EXPECT_FALSE(f.Manager->IsBarsUpdateLocked());

  TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, AnswerOk);
  GBoxTexts.clear();
  f.Bars[1]->ResetWithConfirmation();
  EXPECT_EQ(GBoxTexts,
            (std::vector<std::string>{"Are you sure you want to reset the changes made to the 'Two' toolbar?|49"}));
  EXPECT_EQ(log->Events.size(), 4u);
}

TEST(dxBar, AssignCopiesThroughTheSettersAndTheVisibilityLast)
{
  TBarsFixture f(1);
  TBarsFixture g(1);
  TdxBar* source = f.Bars[0];
  source->SetCaption("Source");
  source->SetDockingStyle(dsBottom);
  source->SetFloatLeft(920);
  source->SetDockedTop(30);
  source->SetOneOnRow(true);
  source->SetAllowClose(false);
  source->SetNotDocking({dsLeft});
  source->SetVisible(true);
  source->Font()->SetName("Tahoma");

  TdxBar* target = g.Bars[0];
  TOwned<TBarEventLog> log = MakeOwned<TBarEventLog>();
  log->Attach(g.Manager);
  target->Assign(source);
  EXPECT_EQ(target->Caption(), "Source");
  EXPECT_EQ(target->DockingStyle(), dsBottom);
  EXPECT_EQ(target->FloatLeft(), 920);
  EXPECT_EQ(target->DockedTop(), 30);
  EXPECT_TRUE(target->OneOnRow());
  EXPECT_FALSE(target->AllowClose());
  EXPECT_EQ(target->NotDocking(), (TdxBarDockingStyles{dsLeft}));
  EXPECT_TRUE(target->Visible());
  EXPECT_EQ(target->Font()->Name(), "Tahoma");
  EXPECT_TRUE(target->UseOwnFont());
  EXPECT_EQ(log->Events.back(), "visible:Source") << "the visibility comes last";
  EXPECT_THROW(target->Assign(f.Manager->Font()), EConvertError);
}

TEST(dxBar, DestructionTellsTheManagerUnlessTheManagerGoesToo)
{
  TBarsFixture f(2);
  TOwned<TBarEventLog> log = MakeOwned<TBarEventLog>();
  log->Attach(f.Manager);
  int destroyed = 0;
  struct TCounter : TObject {
    int* Count;
    void Destroyed(TObject*) { ++*Count; }
  };
  TOwned<TCounter> counter = MakeOwned<TCounter>();
  counter->Count = &destroyed;
  for (TdxBar* bar : f.Bars) bar->SetOnDestroy(TNotifyEvent(counter.get(), &TCounter::Destroyed));
  f.Bars[0]->SetDockingStyle(dsTop);
  f.Bars[0]->SetRow(0);
  Free(f.Bars[0]);
  EXPECT_EQ(log->Events, (std::vector<std::string>{"docking:One", "delete:One"}));
  EXPECT_EQ(f.Top()->RowCount(), 0) << "its emptied row went with it";
  EXPECT_EQ(f.Manager->Bars()->Count(), 1);
  log->Events.clear();
  Free(f.Manager);
  EXPECT_TRUE(log->Events.empty()) << "no delete events while the manager goes";
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(f.Form->ComponentCount(), 0) << "the bars went with their manager";
}
