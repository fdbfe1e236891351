// The control framework's form questions on real MDI forms of the class library: parent and child
// forms, and the active child of the main form as an active form.
#include <gtest/gtest.h>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxControlsHelpers.h"

TEST(ControlHelpers, MDIFormsAreKnownAndTheActiveChildOfTheMainFormIsActive)
{
  auto* parent = static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()));
  struct TGuard {
    TForm* Form;
    ~TGuard() { Free(Form); }
  } guard{parent};
  // The first form of the application is its main form.
  ASSERT_EQ(Application->MainForm(), parent);
  parent->SetFormStyle(TFormStyle::fsMDIForm);
  parent->SetBounds(10, 10, 500, 400);
  parent->Show();
  auto makeChild = [&] {
    auto* child = New<TForm>(parent, CreateNew);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->SetBounds(0, 0, 200, 150);
    child->Show();
    return child;
  };
  TForm* one = makeChild();
  TForm* two = makeChild();
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == parent->Handle(); }));

  EXPECT_TRUE(IsMDIParentForm(parent));
  EXPECT_FALSE(IsMDIChildForm(parent));
  EXPECT_TRUE(IsMDIChildForm(one));
  EXPECT_FALSE(IsMDIParentForm(one));
  EXPECT_TRUE(IsFormActive(parent));
  EXPECT_TRUE(IsFormActive(two));
  EXPECT_FALSE(IsFormActive(one));
  one->SetFocus();
  EXPECT_TRUE(IsFormActive(one));
  EXPECT_FALSE(IsFormActive(two));
}
