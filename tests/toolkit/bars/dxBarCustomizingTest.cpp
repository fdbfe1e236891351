// What the customizing selection can select; the design controller's selection,
// selection frames and deletion at run time and design time.
#include "toolkit/bars/dxBarCustomizing.h"
#include "classlib/Dialogs.h"
#include "classlib/Lists.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "tests/toolkit/bars/CustomizingTestSupport.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarUnit.h"
#include <gtest/gtest.h>

namespace {
// Bar components are selectable; a group needs no manager.
using TSelectableThing = TdxBarGroup;
} // namespace

TEST(BarCustomizing, SelectableObjectsAndTheirInstances) {
  auto thing = MakeOwned<TSelectableThing>(nullptr);
  auto plain = MakeOwned<TObject>();
  IdxBarSelectableItem *item = nullptr;
  EXPECT_TRUE(IsSelectableObject(thing.get()));
  EXPECT_TRUE(SupportsSelectableItem(thing.get(), item));
  EXPECT_EQ(item, static_cast<IdxBarSelectableItem *>(thing.get()));
  EXPECT_EQ(InstanceOfSelectableItem(item), thing.get());
  EXPECT_FALSE(SupportsSelectableItem(plain.get(), item));
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(AsSelectableItem(nullptr), nullptr);
  EXPECT_EQ(InstanceOfSelectableItem(nullptr), nullptr);

  auto other = MakeOwned<TSelectableThing>(nullptr);
  auto list = MakeOwned<TList>();
  list->Add(plain.get());
  list->Add(thing.get());
  list->Add(nullptr);
  list->Add(other.get());
  RemoveNonSelectableObjects(*list);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Items(0), thing.get());
  EXPECT_EQ(list->Items(1), other.get());

  ASSERT_NE(GetDesignController(), nullptr);
  EXPECT_FALSE(GetDesignController()->IsNotifyLocked());
}

// --- The design controller: selection, frames and deletion ---

namespace {
std::vector<std::string> GBoxes;
int GBoxAnswer = IDNO;
int WINAPI RecordBox(HWND, const char *text, const char *, UINT flags) {
  GBoxes.push_back(std::string(text) + "|" + std::to_string(flags));
  return GBoxAnswer;
}

class TSelectionRecorder : public TObject {
  CL_CLASS(TSelectionRecorder, TObject)
public:
  std::vector<std::string> Changes;
  void Changed(TObject *, TComponent *c) {
    Changes.push_back(c ? c->ClassName() : "nil");
  }
};
CL_DEFINE_CLASS(TSelectionRecorder);

// A shown form with a manager, one toolbar with a link per item, and a test
// designer.
struct TSelectionFixture {
  TForm *Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager *Manager = New<TdxBarManager>(Form);
  TdxBar *Bar = Manager->Bars()->Add();
  TTestDesigner Designer;
  std::vector<TTestBarItem *> Items;
  TdxBarDesignController *Controller = GetDesignController();

  explicit TSelectionFixture(int count = 3) {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Pump(20);
    for (int i = 0; i < count; ++i) {
      auto *item = New<TTestBarItem>(Form);
      item->SetCaption(std::string(1, static_cast<char>('A' + i)));
      Bar->ItemLinks()->AddItem(item);
      Items.push_back(item);
    }
    Manager->SetDesigner(&Designer);
  }
  ~TSelectionFixture() {
    Controller->ChangeLastSelectedItem(nullptr);
    Manager->SetDesigner(nullptr);
    Form->SetDesigning(false);
  }
  TdxBarItemLink *Link(int i) const { return Bar->ItemLinks()->Items(i); }
  void Design() { Form->SetDesigning(true); }
};
} // namespace

TEST(BarDesignController, RunTimeSelectionKeepsOneToolbarAndOneItem) {
  TSelectionFixture f;
  auto runTime = MakeOwned<TdxBarRunTimeSelectionController>();
  f.Manager->SetDesigner(runTime.get());
  auto recorderOwned = MakeOwned<TSelectionRecorder>();
  TSelectionRecorder &recorder = *recorderOwned;
  runTime->SetOnSelectionChange(
      TdxBarRunTimeSelectionController::TSelectionChangeEvent(
          &recorder, &TSelectionRecorder::Changed));

  using enum TdxBarSelectionOperation;
  struct TStep {
    TPersistent *Object;
    TdxBarSelectionOperation Operation;
    std::vector<TObject *> Expected;
  };
  const TStep steps[] = {
      {f.Bar, sopAdd, {f.Bar}},
      {f.Items[0], sopReplace, {f.Bar, f.Items[0]}},
      {f.Items[1], sopAdd, {f.Bar, f.Items[1]}},
      {f.Items[1],
       sopRemove,
       {f.Bar, f.Items[1]}}, // removing is left to the dialog
      {f.Items[1],
       sopAdd,
       {f.Bar, f.Items[1]}}, // already selected: nothing changes
  };
  for (const TStep &step : steps) {
    runTime->ApplySelectionOperation(step.Object, step.Operation);
    std::vector<TObject *> selected;
    for (int i = 0; i < runTime->Selected()->Count(); ++i)
      selected.push_back(runTime->Selected()->Items(i));
    EXPECT_EQ(selected, step.Expected);
  }
  // Added bar, added item, removed item A and added item B: each change
  // reported once.
  EXPECT_EQ(recorder.Changes,
            (std::vector<std::string>{"TdxBar", "TTestBarItem", "TTestBarItem",
                                      "TTestBarItem"}));
  EXPECT_EQ(runTime->GetComponentSelectionStatus(f.Items[1]), 1);
  EXPECT_EQ(runTime->GetComponentSelectionStatus(f.Items[0]), 0);

  TOwned<TList> replacementOwned = MakeOwned<TList>();
  TList &replacement = *replacementOwned;
  replacement.Add(f.Items[2]);
  runTime->ReplaceSelection(&replacement);
  EXPECT_EQ(runTime->Selected()->Count(), 2);
  EXPECT_EQ(runTime->Selected()->Items(1), f.Items[2]);

  // Selecting a link selects its item; the link becomes the last selection and
  // is forgotten when it dies.
  f.Controller->ApplySelection(f.Link(0), sopReplace);
  EXPECT_TRUE(runTime->IsInSelection(f.Items[0]));
  EXPECT_EQ(f.Controller->LastSelectedInstance(), f.Link(0));
  EXPECT_EQ(f.Manager->GetSelectedItemLink(), f.Link(0));
  Free(f.Link(0));
  EXPECT_EQ(f.Controller->LastSelection(), nullptr);
  f.Manager->SetDesigner(&f.Designer);
}

TEST(BarDesignController, TheSelectionFrameRule) {
  TSelectionFixture f(2);
  f.Bar->ItemLinks()->AddItem(f.Items[0]); // item A has two links: 0 and 2
  using enum TdxBarSelectionOperation;

  // At run time the last selected link draws the solid frame.
  f.Controller->ApplySelection(f.Link(1), sopReplace);
  EXPECT_TRUE(f.Controller->WantsDefaultSelection(f.Link(1)));

  f.Design();
  f.Controller->ChangeLastSelectedItem(nullptr);
  f.Designer.Selection.clear();
  EXPECT_FALSE(
      f.Controller->WantsDefaultSelection(f.Link(1))); // nothing selected
  f.Designer.Selection = {f.Items[1]};
  EXPECT_TRUE(
      f.Controller->WantsDefaultSelection(f.Link(1))); // one simple object
  f.Designer.Selection = {f.Items[0], f.Items[1]};
  EXPECT_FALSE(f.Controller->WantsDefaultSelection(f.Link(1))); // two objects

  // One item with two links: only the link whose popup is open draws the solid
  // frame.
  f.Designer.Selection = {f.Items[0]};
  EXPECT_FALSE(f.Controller->WantsDefaultSelection(f.Link(0)));
  f.Controller->ShowLinkPopup(
      f.Manager, nullptr, f.Link(2), nullptr, [&](TdxBarItemLinks *links) {
        f.Controller->AddCommandLink(links, ClassRef<TTestBarItem>(), false, 0,
                                     nullptr, "entry");
      });
  ASSERT_TRUE(f.Controller->IsCustomizingPopupOpen());
  EXPECT_TRUE(f.Controller->WantsDefaultSelection(f.Link(2)));
  EXPECT_FALSE(f.Controller->WantsDefaultSelection(f.Link(0)));
  EXPECT_TRUE(f.Controller->HasTargetLink());
  Free(f.Controller->OpenPopup());
  EXPECT_FALSE(f.Controller->HasTargetLink());
}

TEST(BarDesignController,
     RunTimeDelFreesOnlyTheSelectedLinkAndLeavesTheKeyUnhandled) {
  TSelectionFixture f;
  auto runTime = MakeOwned<TdxBarRunTimeSelectionController>();
  f.Manager->SetDesigner(runTime.get());
  f.Controller->ApplySelection(f.Link(1), TdxBarSelectionOperation::sopReplace);
  TdxBarItemLink *other = f.Link(2);

  EXPECT_FALSE(f.Controller->RemoveSelectedObjects(false, false));
  ASSERT_EQ(f.Bar->ItemLinks()->Count(), 2);
  EXPECT_EQ(f.Link(1), other);
  EXPECT_EQ(f.Items[1]->GetLinkCount(), 0);
  EXPECT_EQ(f.Controller->LastSelection(), nullptr);
  EXPECT_EQ(f.Controller->TargetManager(), f.Manager);

  // Nothing selected, no manager found: refused.
  EXPECT_FALSE(f.Controller->RemoveSelectedObjects(false, false));
  EXPECT_EQ(f.Bar->ItemLinks()->Count(), 2);
  f.Manager->SetDesigner(&f.Designer);
}

TEST(BarDesignController,
     DesignTimeDeletionAsksSelectsTheSuccessorElseTheParent) {
  TSelectionFixture f;
  f.Design();
  TScopedSetter<TMessageBoxFunc> box(SetMessageBoxFunc, RecordBox);
  GBoxes.clear();

  // An empty selection: not handled, no question.
  EXPECT_FALSE(f.Controller->RemoveSelectedObjects(false, false));
  EXPECT_TRUE(GBoxes.empty());

  // An item with several links: the question, answered No, leaves everything
  // and handles the key.
  f.Bar->ItemLinks()->AddItem(f.Items[0]);
  f.Designer.Selection = {f.Items[0]};
  GBoxAnswer = IDNO;
  EXPECT_TRUE(f.Controller->RemoveSelectedObjects(false, false));
  ASSERT_EQ(GBoxes.size(), 1u);
  EXPECT_EQ(GBoxes[0], "One of the selected objects is an item which has "
                       "several links. Are you sure you want to delete these "
                       "links?|" +
                           std::to_string(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(f.Bar->ItemLinks()->Count(), 4);
  Free(f.Link(3));

  // B's link goes; C, the next selectable object, becomes the selection.
  f.Designer.Selection = {f.Items[1]};
  EXPECT_TRUE(f.Controller->RemoveSelectedObjects(false, false));
  EXPECT_EQ(f.Bar->ItemLinks()->Count(), 2);
  EXPECT_EQ(f.Items[1]->GetLinkCount(), 0);
  EXPECT_EQ(f.Designer.Selected(), std::vector<TObject *>{f.Items[2]});

  // C is last: without a successor its toolbar is selected. With Ctrl the item
  // itself goes.
  TWeakRef<TObject> c(f.Items[2]);
  f.Controller->ChangeLastSelectedItem(nullptr);
  f.Designer.Selection = {f.Items[2]};
  EXPECT_TRUE(f.Controller->RemoveSelectedObjects(true, false));
  EXPECT_FALSE(c);
  EXPECT_EQ(f.Designer.Selected(), std::vector<TObject *>{f.Bar});
  EXPECT_EQ(GBoxes.size(), 1u);
  EXPECT_FALSE(f.Manager->IsBarsUpdateLocked());

  // Esc selects the parent of the last selected object.
  f.Designer.Selection = {f.Items[0]};
  EXPECT_FALSE(f.Controller->IsCustomizationAllowed(nullptr, false));
  EXPECT_TRUE(f.Controller->IsCustomizationAllowed(f.Manager, false));
}
