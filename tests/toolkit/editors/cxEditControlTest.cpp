// The edit control in real windows: storing the edit value and its change events, the catcher that
// holds them back, validation on leaving, posting stand-alone and in place, abandoning changes,
// the question whether the user may change the value, the events of the own and the linked
// properties, the balance of every lock when a handler raises, and the GDI and window counts.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "toolkit/editors/cxEditConsts.h"

using namespace edit_test;

namespace {

// Handlers of the editor's and the application's events, each logging and calling what a test sets.
class TEditHandlers : public TObject {
  CL_CLASS(TEditHandlers, TObject)
public:
  std::vector<std::string> Log;
  std::vector<std::string> Errors;
  std::function<void()> OnChangeCalled;
  std::function<void()> OnValueCalled;
  std::function<void(Variant&, std::string&, bool&)> Validation;
  std::function<void(bool&)> Editing;
  std::function<void()> Posting;

  void Change(TObject*)
  {
    Log.push_back("change");
    if (OnChangeCalled) OnChangeCalled();
  }
  void LinkedChange(TObject*) { Log.push_back("linked change"); }
  void EditValueChanged(TObject*)
  {
    Log.push_back("value");
    if (OnValueCalled) OnValueCalled();
  }
  void Validate(TObject*, Variant& DisplayValue, std::string& ErrorText, bool& Error)
  {
    Log.push_back("validate");
    if (Validation) Validation(DisplayValue, ErrorText, Error);
  }
  void Edit(TObject*, bool& CanEdit)
  {
    Log.push_back("editing");
    if (Editing) Editing(CanEdit);
  }
  void InplacePost(TObject*)
  {
    Log.push_back("post");
    if (Posting) Posting();
  }
  void Exception(TObject*, const ::Exception& E)
  {
    Errors.push_back(std::string(E.ClassName()) + ": " + E.Message());
  }
  int Count(const std::string& entry) const { return static_cast<int>(std::count(Log.begin(), Log.end(), entry)); }
};
CL_DEFINE_CLASS(TEditHandlers);

// A binding whose writes fail.
class TFailingBinding : public TcxEditDataBinding {
  CL_CLASS(TFailingBinding, TcxEditDataBinding)
public:
  using TcxEditDataBinding::TcxEditDataBinding;
  void WriteStoredValue(const Variant&) override { throw EConvertError("The value cannot be written"); }
  // Always editing, as a bound editor's storage may be.
  bool IsInEditMode() override { return true; }
};
CL_DEFINE_CLASS(TFailingBinding);

class TFailingBindingEdit : public TTestEdit {
  CL_CLASS(TFailingBindingEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  TcxEditDataBindingClass DataBindingClassType() const override { return ClassRef<TFailingBinding>(); }
};
CL_DEFINE_CLASS(TFailingBindingEdit);

// The beeps heard while a scope lasts.
int GBeeps = 0;
BOOL WINAPI CountBeep(UINT) { return ++GBeeps, TRUE; }
class TBeepCounter {
public:
  TBeepCounter() : FOld(SetBeepFunc(CountBeep)) { GBeeps = 0; }
  ~TBeepCounter() { SetBeepFunc(FOld); }
  TBeepCounter(const TBeepCounter&) = delete;
  TBeepCounter& operator=(const TBeepCounter&) = delete;
  int Count() const { return GBeeps; }

private:
  TBeepFunc FOld;
};

class EditControlTest : public TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    Handlers = MakeOwned<TEditHandlers>();
    FOldException = Application->OnException();
    Application->SetOnException(TExceptionEvent(Handlers.get(), &TEditHandlers::Exception));
  }
  void TearDown() override
  {
    Application->SetOnException(FOldException);
    TEditFormTest::TearDown();
  }
  // An editor whose events the handlers log.
  template <class T = TTestEdit>
  T* NewEdit(bool inplace = false)
  {
    T* edit = PlaceEdit<T>(inplace);
    TcxCustomEditProperties* p = edit->Properties();
    p->SetOnChange(TNotifyEvent(Handlers.get(), &TEditHandlers::Change));
    p->SetOnEditValueChanged(TNotifyEvent(Handlers.get(), &TEditHandlers::EditValueChanged));
    p->SetOnValidate(TcxEditValidateEvent(Handlers.get(), &TEditHandlers::Validate));
    edit->SetOnEditing(TcxEditEditingEvent(Handlers.get(), &TEditHandlers::Edit));
    return edit;
  }
  void Show()
  {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    HandleWaitingMessages();
  }
  // The focus goes to the control, and the messages it causes are handled.
  static void FocusOn(TWinControl* control)
  {
    control->SetFocus();
    HandleWaitingMessages();
  }

  TOwned<TEditHandlers> Handlers;

private:
  TExceptionEvent FOldException;
};

}  // namespace

// --- The edit value ---

TEST_F(EditControlTest, AFreshEditorHoldsNullAndNoFlags)
{
  TTestEdit* edit = NewEdit();
  EXPECT_TRUE(VarIsNull(edit->EditValue()));
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->ModifiedAfterEnter());
  EXPECT_TRUE(edit->AutoSize());
  EXPECT_EQ(edit->CapturedButtonIndex(), -1);
  EXPECT_TRUE(edit->TabStop());
  EXPECT_NE(edit->InnerEdit(), nullptr);
  EXPECT_EQ(edit->InnerControl(), edit->Inner());
  EXPECT_TRUE(edit->ContentOffsetsCached());
  EXPECT_TRUE(edit->ControlStyle().Contains(TControlStyleFlag::csReplicatable));
  EXPECT_TRUE(edit->Inner()->ControlStyle().Contains(TControlStyleFlag::csReplicatable));
  // A stand-alone editor's properties take the binding's defaults.
  EXPECT_EQ(edit->Properties()->DefaultValuesProvider(), edit->DataBinding()->GetDefaultValuesProvider());
  EXPECT_NE(dynamic_cast<TcxCustomEditViewInfo*>(edit->ViewInfo()), nullptr);

  // The first parent applies the properties once.
  auto* unparented = New<TTestEdit>(Form, false);
  EXPECT_TRUE(unparented->PropertiesPending());
  unparented->SetParent(Form);
  EXPECT_FALSE(unparented->PropertiesPending());

  // What the editor answers the container.
  EXPECT_TRUE(edit->GetStyleClass() == ClassRef<TcxEditStyle>());
  EXPECT_FALSE(edit->CanMoveFocusOnTab());
  EXPECT_FALSE(edit->IsTransparent());
  EXPECT_EQ(edit->GetIgnoredStyleValues(), (TcxContainerStyleValues{svButtonStyle, svButtonTransparency,
                                                                    svPopupBorderStyle, svGradientButtons, svGradient,
                                                                    svGradientDirection}));
  EXPECT_EQ(edit->GetPainterState(), esckInactive);
  edit->Properties()->SetReadOnly(true);
  EXPECT_EQ(edit->GetPainterState(), esckReadOnly);
  EXPECT_TRUE(edit->Inner()->ReadOnly());  // the box follows the editor's read-only state
  edit->SetEnabled(false);
  EXPECT_EQ(edit->GetPainterState(), esckDisabled);
  edit->SetEnabled(true);
  edit->Properties()->SetReadOnly(false);
  EXPECT_FALSE(edit->Inner()->ReadOnly());

  TTestEdit* inplace = NewEdit(true);
  EXPECT_FALSE(inplace->AutoSize());
  EXPECT_EQ(inplace->Properties()->DefaultValuesProvider(), nullptr);
  EXPECT_TRUE(inplace->Keys().Contains(ckAll));
  EXPECT_TRUE(inplace->WantsNavigationKeys());
}

TEST_F(EditControlTest, AnInnerControlMayAnswerThroughItsHelper)
{
  auto* edit = NewEdit<THelpedEdit>();
  auto* box = static_cast<THelpedInnerEdit*>(edit->InnerControl());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(edit->InnerEdit(), box->Helper.get());
  EXPECT_EQ(box->Helper->Attached, 1);
  EXPECT_EQ(box->Parent(), edit);
  EXPECT_FALSE(box->ParentShowHint());
  edit->SetEditValue("through the helper");
  EXPECT_EQ(box->Text(), "through the helper");
}

// The box reports its change of text as OnChange; OnEditValueChanged comes from storing a value that
// differs, with value comparison only.
TEST_F(EditControlTest, StoringAValueFiresEditValueChangedOnlyForADifferentValueWithComparison)
{
  struct TCase {
    bool Comparison;
    Variant Initial, Value;
    int ValueChanged, Changed;
  };
  const TCase cases[] = {
    {true, 5, 5, 0, 0},
    {true, 5, 6, 1, 1},
    {true, 5, 5.0, 0, 0},  // numbers of either kind match
    {true, "a", "a", 0, 0},
    {true, "a", "b", 1, 1},
    {true, Null(), Null(), 0, 0},
    {true, Null(), Unassigned(), 1, 0},  // both show no text
    {false, 5, 5, 0, 0},
    {false, 5, 6, 0, 1},
  };
  for (const TCase& c : cases) {
    TTestEdit* edit = NewEdit();
    edit->Props()->Comparison = c.Comparison;
    edit->SetEditValue(c.Initial);
    Handlers->Log.clear();
    edit->SetEditValue(c.Value);
    const std::string name = VarToStrDef(c.Initial, "?") + " to " + VarToStrDef(c.Value, "?");
    EXPECT_EQ(Handlers->Count("value"), c.ValueChanged) << c.Comparison << " " << name;
    EXPECT_EQ(Handlers->Count("change"), c.Changed) << c.Comparison << " " << name;
    EXPECT_EQ(edit->SettingValueLock(), 0);
    EXPECT_FALSE(edit->Modified());
    Free(edit);
  }
}

TEST_F(EditControlTest, AnyVariantIsStoredAndShownWithoutRaising)
{
  TTestEdit* edit = NewEdit();
  edit->Props()->Comparison = true;
  const Variant values[] = {VarArrayOf({1, "two", 3.5}), "text", Null(), Unassigned(), VarArrayOf({1, "two", 3.5}),
                            true, 1e300};
  for (const Variant& v : values) {
    EXPECT_NO_THROW(edit->SetEditValue(v)) << VarType(v);
    EXPECT_EQ(VarType(edit->EditValue()), VarType(v));
  }
  EXPECT_EQ(edit->GetDisplayTextForValue(), "1E300");
}

TEST_F(EditControlTest, AValueSetInsideTheEditValueLockIsIgnored)
{
  TTestEdit* edit = NewEdit();
  edit->Props()->Comparison = true;
  edit->SetEditValue(1);
  Handlers->Log.clear();
  edit->AdjustEditValueLock(true);
  edit->SetEditValue(2);
  edit->RestoreEditValue(3);
  edit->AdjustEditValueLock(false);
  EXPECT_EQ(edit->EditValue(), Variant(1));
  EXPECT_TRUE(Handlers->Log.empty());
  edit->AdjustEditValueLock(false);  // never below 0
  EXPECT_EQ(edit->EditValueLock(), 0);
}

TEST_F(EditControlTest, NestedChangeEventLocksFireOnceOnReleaseWithFire)
{
  for (bool fire : {true, false}) {
    TTestEdit* edit = NewEdit();
    edit->Props()->Comparison = true;
    Handlers->Log.clear();
    edit->LockChangeEvents(true);
    edit->SetEditValue(1);
    edit->LockChangeEvents(true);
    edit->SetEditValue(2);
    edit->SetEditValue(3);
    edit->LockChangeEvents(false, fire);
    EXPECT_TRUE(Handlers->Log.empty());
    EXPECT_TRUE(edit->AreChangeEventsLocked());
    edit->LockChangeEvents(false, fire);
    EXPECT_FALSE(edit->AreChangeEventsLocked());
    EXPECT_EQ(Handlers->Count("change"), fire ? 1 : 0);
    EXPECT_EQ(Handlers->Count("value"), fire ? 1 : 0);
    // A release without a lock changes nothing.
    edit->LockChangeEvents(false, true);
    EXPECT_EQ(edit->ChangeEventsCatcher()->LockCount, 0);
    Free(edit);
  }
}

TEST_F(EditControlTest, ModifiedFlagsAndTheirStack)
{
  TTestEdit* edit = NewEdit();
  edit->SetModified(true);
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_FALSE(edit->Validated());
  edit->PushModifiedState();
  edit->SetModifiedAfterEnter(false);
  EXPECT_FALSE(edit->Modified());
  edit->PopModifiedState();
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  edit->PopModifiedState();  // an empty stack changes nothing
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditControlTest, TheInnerEditsChangeMarksTheFocusedEditorModifiedAndNotifies)
{
  TTestEdit* edit = NewEdit();
  Show();
  edit->Type("unfocused");
  EXPECT_FALSE(edit->Modified());  // the binding marks only a focused editor
  EXPECT_EQ(Handlers->Count("change"), 1);
  EXPECT_EQ(Handlers->Count("value"), 0);  // the box reports its changes, not the value's
  // Entering shows the value (Null) again: a change, not the user's.
  FocusOn(edit->Inner());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->Inner()->Text(), "");
  EXPECT_EQ(Handlers->Count("change"), 2);
  EXPECT_FALSE(edit->Modified());
  edit->Type("typed");
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_EQ(Handlers->Count("change"), 3);
}

TEST_F(EditControlTest, ChangesMadeWhileLoadingFireNothing)
{
  TTestEdit* edit = NewEdit();
  edit->Props()->Comparison = true;
  edit->IncludeState(TComponentStateFlag::csLoading);
  edit->SetEditValue("read");
  edit->Loaded();
  EXPECT_TRUE(Handlers->Log.empty());
  EXPECT_FALSE(edit->AreChangeEventsLocked());
  EXPECT_EQ(edit->SettingValueLock(), 0);
  EXPECT_TRUE(static_cast<bool>(edit->Properties()->OwnerChangeHandler()));
  edit->SetEditValue("after");
  EXPECT_EQ(Handlers->Count("value"), 1);
}

// --- May the user change the value ---

TEST_F(EditControlTest, AValueTheUserMayNotChangeIsNeitherStoredNorWritten)
{
  TTestEdit* edit = NewEdit();
  edit->SetEditValue("kept");
  edit->Properties()->SetReadOnly(true);
  Handlers->Log.clear();
  edit->SetUserEditInProgress(true);
  edit->SetEditValue("typed");
  EXPECT_EQ(edit->EditValue(), Variant("kept"));
  EXPECT_FALSE(edit->Modified());
  EXPECT_TRUE(Handlers->Log.empty());  // OnEditing is not asked when the properties refuse

  // OnEditing refuses: the same.
  edit->Properties()->SetReadOnly(false);
  Handlers->Editing = [](bool& canEdit) { canEdit = false; };
  edit->SetEditValue("typed");
  EXPECT_EQ(edit->EditValue(), Variant("kept"));
  EXPECT_EQ(Handlers->Count("editing"), 1);
  EXPECT_FALSE(edit->EditingQueryActive());

  // Allowed: stored and marked modified by the binding's edit mode.
  edit->SetModified(false);
  Handlers->Editing = nullptr;
  edit->SetEditValue("typed");
  EXPECT_EQ(edit->EditValue(), Variant("typed"));
  EXPECT_TRUE(edit->Modified());
  edit->SetUserEditInProgress(false);
}

TEST_F(EditControlTest, CanModifyAsATable)
{
  struct TCase {
    bool Inplace;
    int ReadOnly;  // -1 not assigned
    bool Expected;
  };
  const TCase cases[] = {
    {false, -1, true}, {false, 0, true}, {false, 1, false}, {true, -1, true}, {true, 0, true}, {true, 1, false},
  };
  for (const TCase& c : cases) {
    TTestEdit* edit = NewEdit(c.Inplace);
    if (c.ReadOnly >= 0) edit->Properties()->SetReadOnly(c.ReadOnly == 1);
    EXPECT_EQ(edit->CanModify(), c.Expected) << c.Inplace << " " << c.ReadOnly;
    EXPECT_EQ(edit->IsValueReadOnly(), c.ReadOnly == 1);
    Free(edit);
  }
}

// --- Validation ---

TEST_F(EditControlTest, AFailedValidationOnLeavingKeepsTheFocusAndModifiedAndFiresHeldEventsOnce)
{
  TBeepCounter beeps;
  TTestEdit* edit = NewEdit();
  edit->Props()->Validates = true;
  edit->Properties()->SetBeepOnError(true);
  Show();
  FocusOn(edit->Inner());
  edit->Type("wrong");
  Handlers->Log.clear();
  // The handler refuses the text and corrects it: the editor shows the correction, and its change
  // is held until leaving ends.
  Handlers->Validation = [](Variant& value, std::string&, bool& error) {
    error = true;
    value = "corrected";
  };
  FocusOn(Other);

  ASSERT_EQ(Handlers->Errors.size(), 1u);
  EXPECT_EQ(Handlers->Errors[0], "EcxEditValidationError: " + GetResStringText(&cxSEditValidateErrorText));
  EXPECT_EQ(GetResStringText(&cxSEditValidateErrorText), "Invalid input value. Use escape key to abandon changes");
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(edit->Modified());
  EXPECT_FALSE(edit->Validated());
  EXPECT_EQ(edit->Inner()->Text(), "corrected");
  EXPECT_EQ(Handlers->Count("change"), 1);
  EXPECT_EQ(Handlers->Count("validate"), 1);
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_FALSE(edit->AreChangeEventsLocked());
  EXPECT_FALSE(edit->ErrorFocusing());
  EXPECT_FALSE(edit->Validating());

  // Accepted now: the focus leaves and the value is the text; the editor is no longer modified but
  // keeps that it was changed since entering.
  Handlers->Validation = nullptr;
  FocusOn(Other);
  EXPECT_EQ(Handlers->Errors.size(), 1u);
  EXPECT_FALSE(edit->Focused());
  EXPECT_FALSE(edit->Modified());
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_TRUE(edit->Validated());
  EXPECT_EQ(edit->EditValue(), Variant("corrected"));
}

TEST_F(EditControlTest, AHandlerThatEmptiesTheErrorTextGivesASilentAbort)
{
  TBeepCounter beeps;
  TTestEdit* edit = NewEdit();
  edit->Props()->Validates = true;
  Show();
  FocusOn(edit->Inner());
  edit->Type("wrong");
  Handlers->Validation = [](Variant&, std::string& text, bool& error) {
    error = true;
    text.clear();
  };
  EXPECT_THROW(edit->ValidateEdit(true), EAbort);
  EXPECT_FALSE(edit->ValidateEdit(false));
  EXPECT_EQ(beeps.Count(), 0);  // BeepOnError is off
  FocusOn(Other);
  EXPECT_EQ(Handlers->Errors.size(), 0u);  // the application passes an abort silently
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditControlTest, ValidationOfAnUnmodifiedOrValidatedEditorSucceedsAtOnce)
{
  TTestEdit* edit = NewEdit();
  edit->Props()->Validates = true;
  Handlers->Validation = [](Variant&, std::string&, bool& error) { error = true; };
  EXPECT_TRUE(edit->ValidateEdit(true));
  EXPECT_EQ(Handlers->Count("validate"), 0);
  edit->SetModified(true);
  EXPECT_FALSE(edit->ValidateEdit(false));
  Handlers->Validation = nullptr;
  EXPECT_TRUE(edit->ValidateEdit(true));
  EXPECT_TRUE(edit->Validated());
  EXPECT_FALSE(edit->Modified());  // a stand-alone editor without the focus
  EXPECT_TRUE(edit->ValidateEdit(true));
}

TEST_F(EditControlTest, AnEditorThatCannotTakeTheFocusCountsAsValidatedAfterItsError)
{
  TTestEdit* edit = NewEdit();
  edit->Props()->Validates = true;
  edit->SetVisible(false);
  edit->SetModified(true);
  Handlers->Validation = [](Variant&, std::string&, bool& error) { error = true; };
  EXPECT_THROW(edit->ValidateEdit(true), EcxEditValidationError);
  EXPECT_TRUE(edit->Validated());
  EXPECT_TRUE(edit->ValidateEdit(true));  // not asked again
  EXPECT_EQ(Handlers->Count("validate"), 1);
  EXPECT_EQ(edit->SelectAllCount, 0);

  // A visible editor on a form not shown reports the validation error, not a focus error.
  TTestEdit* shown = NewEdit();
  shown->Props()->Validates = true;
  shown->SetModified(true);
  EXPECT_THROW(shown->ValidateEdit(true), EcxEditValidationError);
  EXPECT_FALSE(shown->ErrorFocusing());
}

TEST_F(EditControlTest, ModifiedByUserClicksUnlessAValueIsBeingSet)
{
  TTestEdit* edit = NewEdit();
  auto clicks = MakeOwned<TEditHandlers>();
  edit->SetOnClick(TNotifyEvent(clicks.get(), &TEditHandlers::Change));
  edit->ModifiedByUser();
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(clicks->Count("change"), 1);
  edit->AdjustSettingValueLock(true);
  edit->ModifiedByUser();
  edit->AdjustSettingValueLock(false);
  EXPECT_EQ(clicks->Count("change"), 1);
  edit->AdjustSettingValueLock(false);  // never below 0
  EXPECT_EQ(edit->SettingValueLock(), 0);
}

// --- Posting ---

TEST_F(EditControlTest, AnInplaceHostRaisingInOnInplacePostLeavesEditingNormally)
{
  TTestEdit* edit = NewEdit(true);
  edit->SetOnInplacePost(TNotifyEvent(Handlers.get(), &TEditHandlers::InplacePost));
  Handlers->Posting = [] { throw EConvertError("The host refuses"); };
  Show();
  TcxCustomEditData* data = nullptr;
  edit->Activate(data);
  EXPECT_TRUE(edit->Activated());
  edit->Type("typed");
  EXPECT_TRUE(edit->Modified());
  EXPECT_NO_THROW(edit->PostEditValue(true));
  EXPECT_EQ(Handlers->Count("post"), 1);
  EXPECT_FALSE(edit->Posting());
  EXPECT_TRUE(edit->Deactivate());
  EXPECT_TRUE(Handlers->Errors.empty());

  // A value that does not validate is not posted.
  edit->Props()->Validates = true;
  Handlers->Validation = [](Variant&, std::string&, bool& error) { error = true; };
  edit->Type("invalid");
  EXPECT_THROW(edit->PostEditValue(true), EcxEditValidationError);
  EXPECT_EQ(Handlers->Count("post"), 1);
  EXPECT_FALSE(edit->UserEditInProgress());
  EXPECT_THROW(edit->Deactivate(), EcxEditValidationError);
  Handlers->Validation = nullptr;
  edit->Props()->Validates = false;

  // A host that accepts: the editor is no longer modified after posting.
  Handlers->Posting = nullptr;
  edit->Type("again");
  edit->PostEditValue(false);
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->ModifiedAfterEnter());
}

TEST_F(EditControlTest, AStandAloneEditorIsRefocusedAndReportsAWriteError)
{
  TBeepCounter beeps;
  auto* edit = NewEdit<TFailingBindingEdit>();
  edit->Properties()->SetBeepOnError(true);
  Show();
  FocusOn(Other);
  EXPECT_THROW(edit->PostEditValue(false), EConvertError);
  HandleWaitingMessages();
  EXPECT_TRUE(edit->Focused());
  EXPECT_FALSE(edit->Posting());
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_GE(edit->SelectAllCount, 1);

  // Leaving posts, fails, and the error reaches the application; the editor keeps the focus.
  edit->Type("typed");
  FocusOn(Other);
  ASSERT_EQ(Handlers->Errors.size(), 1u);
  EXPECT_EQ(Handlers->Errors[0], "EConvertError: The value cannot be written");
  EXPECT_TRUE(edit->Focused());
  EXPECT_FALSE(edit->AreChangeEventsLocked());
}

TEST_F(EditControlTest, AbandonChangesRestoresTheSavedValueOnlyWhenResetIsSupported)
{
  for (bool supported : {false, true}) {
    TTestEdit* edit = NewEdit();
    edit->Props()->ResetSupported = supported;
    edit->SetEditValue("saved");
    Show();
    FocusOn(edit->Inner());
    EXPECT_EQ(edit->SavedEditValue(), supported ? Variant("saved") : Variant());
    edit->SetUserEditInProgress(true);
    edit->SetEditValue("typed");
    edit->SetUserEditInProgress(false);
    EXPECT_TRUE(edit->Modified());
    Handlers->Log.clear();
    edit->DataBinding()->AbandonEditChanges();
    EXPECT_EQ(edit->EditValue(), Variant(supported ? "saved" : "typed")) << supported;
    EXPECT_EQ(edit->Inner()->Text(), supported ? "saved" : "typed");
    EXPECT_EQ(edit->Modified(), !supported);
    EXPECT_EQ(edit->SelectAllCount > 0, supported);
    EXPECT_FALSE(edit->AreChangeEventsLocked());
    FocusOn(Other);
    Free(edit);
  }
}

TEST_F(EditControlTest, AbandoningChangesPostsAtOnceWithImmediatePost)
{
  auto* edit = NewEdit<TFailingBindingEdit>(true);
  edit->SetOnInplacePost(TNotifyEvent(Handlers.get(), &TEditHandlers::InplacePost));
  edit->Props()->ResetSupported = true;
  edit->Properties()->SetImmediatePost(true);
  edit->SetEditValue("saved");
  Show();
  FocusOn(edit->Inner());
  edit->Type("typed");
  ASSERT_TRUE(edit->Modified());
  edit->AbandonChanges();
  EXPECT_EQ(edit->EditValue(), Variant("saved"));
  EXPECT_EQ(Handlers->Count("post"), 1);
  EXPECT_FALSE(edit->ModifiedAfterEnter());  // posted in place
}

// --- Events of the own and the linked properties ---

TEST_F(EditControlTest, EventsFireFromTheOwnPropertiesFirstThenFromTheLinkedOnes)
{
  TTestEdit* edit = NewEdit();
  TOwned<TTestEditProperties> linked(New<TTestEditProperties>(nullptr));
  linked->Comparison = true;
  linked->SetOnChange(TNotifyEvent(Handlers.get(), &TEditHandlers::LinkedChange));
  edit->SetLinkedProperties(linked.get());
  EXPECT_EQ(edit->ActiveProperties(), linked.get());
  // The linked properties take the editor's defaults each time they are asked for.
  EXPECT_EQ(linked->DefaultValuesProvider(), edit->DataBinding()->GetDefaultValuesProvider());
  Handlers->Log.clear();
  edit->SetEditValue(1);
  EXPECT_EQ(Handlers->Log, (std::vector<std::string>{"change", "linked change", "value"}));

  // Only the linked properties have a handler: it still fires.
  edit->Properties()->SetOnChange({});
  Handlers->Log.clear();
  edit->SetEditValue(2);
  EXPECT_EQ(Handlers->Log, (std::vector<std::string>{"linked change", "value"}));
  edit->SetLinkedProperties(nullptr);
}

// --- Balanced locks when a handler raises ---

TEST_F(EditControlTest, AnExceptionInAHandlerLeavesEveryLockAndFlagBalanced)
{
  TTestEdit* edit = NewEdit(true);
  edit->Props()->Comparison = true;
  Handlers->OnValueCalled = [] { throw EConvertError("value handler"); };
  EXPECT_THROW(edit->SetEditValue(1), EConvertError);
  EXPECT_EQ(edit->SettingValueLock(), 0);
  EXPECT_FALSE(edit->Modified());  // the in-place flags of the event are popped
  EXPECT_FALSE(edit->ModifiedAfterEnter());

  Handlers->OnValueCalled = nullptr;
  Handlers->Editing = [](bool&) { throw EConvertError("editing handler"); };
  edit->SetUserEditInProgress(true);
  EXPECT_THROW(edit->SetEditValue(2), EConvertError);
  EXPECT_FALSE(edit->EditingQueryActive());
  EXPECT_EQ(edit->EditValueLock(), 0);
  EXPECT_EQ(edit->SettingValueLock(), 0);
  edit->SetUserEditInProgress(false);
  Handlers->Editing = nullptr;

  // A value change held and released into a raising handler leaves the catcher unlocked.
  Handlers->OnValueCalled = [] { throw EConvertError("value handler"); };
  edit->LockChangeEvents(true);
  edit->SetEditValue(3);
  EXPECT_THROW(edit->LockChangeEvents(false, true), EConvertError);
  EXPECT_EQ(edit->ChangeEventsCatcher()->LockCount, 0);
  EXPECT_FALSE(edit->ChangeEventsCatcher()->EditValueChangedPending);

  // Abandoning changes releases its own lock when a handler raises.
  edit->Props()->ResetSupported = true;
  edit->SetModified(true);
  EXPECT_THROW(edit->AbandonChanges(), EConvertError);
  EXPECT_EQ(edit->ChangeEventsCatcher()->LockCount, 0);
}

// --- Leaks ---

TEST_F(EditControlTest, CreatingFocusingAndFreeing200EditorsLeavesNoGdiObjectsOrWindows)
{
  Show();
  auto cycle = [this](int i) {
    TTestEdit* edit = NewEdit();
    edit->SetEditValue(i);
    FocusOn(edit->Inner());
    FocusOn(Other);
    Free(edit);
  };
  // A first editor makes what is shared once (brushes, theme data, the focused style's objects).
  cycle(-1);
  HandleWaitingMessages();
  const int gdi = LiveGdiObjects();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 200; ++i) cycle(i);
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}
