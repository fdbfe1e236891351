// The colour dialog through its replaceable runner (a stand-in), and the system's own dialog
// opened and closed like a user's choice.
#include <gtest/gtest.h>
#include "classlib/ColorDialog.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DialogCloser.h"
#include "tests/support/ScopedSeam.h"

using namespace fixture;

namespace {
// The stand-in runner: what it was asked, and the choice it makes (or its cancel).
struct TColorRunner {
  static inline TColorDialogRequest Request;
  static inline COLORREF Asked = 0;
  static inline COLORREF AskedFirstCustom = 0;
  static inline bool Choose = true;
  static inline int Calls = 0;

  static bool Run(const TColorDialogRequest& request, COLORREF& color, TCustomColors& custom)
  {
    ++Calls;
    Request = request;
    Asked = color;
    AskedFirstCustom = custom[0];
    custom[0] = RGB(1, 2, 3);  // the user defines a custom colour, chosen or not
    if (!Choose) return false;
    color = RGB(0, 128, 255);
    return true;
  }
};

TEST(ColorDialog, TakesTheRunnersChoiceKeepsCustomColoursAndACancelKeepsTheColour)
{
  TScopedSetter<TColorDialogFunc> runner(SetColorDialogFunc, TColorRunner::Run);
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* dialog = New<TColorDialog>(form);
  EXPECT_EQ(dialog->Color(), clBlack);
  EXPECT_EQ(dialog->CustomColors()[15], RGB(255, 255, 255));

  // A system colour starts the dialog at its present value.
  dialog->SetColor(clBtnFace);
  TColorRunner::Choose = false;
  TColorRunner::Calls = 0;
  EXPECT_FALSE(dialog->Execute(form->Handle()));
  EXPECT_EQ(TColorRunner::Calls, 1);
  EXPECT_EQ(TColorRunner::Asked, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(TColorRunner::Request.Owner, form->Handle());
  EXPECT_EQ(dialog->Color(), clBtnFace);
  EXPECT_EQ(dialog->CustomColors()[0], RGB(1, 2, 3));

  TColorRunner::Choose = true;
  dialog->SetColor(clRed);
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  EXPECT_EQ(TColorRunner::Asked, RGB(255, 0, 0));
  EXPECT_EQ(TColorRunner::AskedFirstCustom, RGB(1, 2, 3));  // kept from the run before
  EXPECT_EQ(dialog->Color(), static_cast<TColor>(RGB(0, 128, 255)));
}

TEST(Dialogs, TheSystemsColourDialogOpensAndIsClosedLikeAUsersChoice)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  auto* dialog = New<TColorDialog>(form);
  dialog->SetColor(static_cast<TColor>(RGB(0, 255, 0)));

  UINT_PTR timer = TDialogCloser::Start(IDCANCEL, {}, true, 200);
  EXPECT_FALSE(dialog->Execute(form->Handle()));
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  EXPECT_EQ(dialog->Color(), static_cast<TColor>(RGB(0, 255, 0)));

  timer = TDialogCloser::Start(IDOK, {}, true, 200);
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  // OK on the dialog as it opened: the colour it started at.
  EXPECT_EQ(dialog->Color(), static_cast<TColor>(RGB(0, 255, 0)));
}
}  // namespace
