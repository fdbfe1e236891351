// The unbound data binding and its default-values provider, the edit data a host keeps for an
// in-place editor, and the pools of hidden in-place editors with their process-wide list.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"

using namespace edit_test;

namespace {

// An editor whose in-place activations fill an edit data.
class TDataEdit : public TTestEdit {
  CL_CLASS(TDataEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  int Fills = 0;
  TcxCustomEditDataClass EditDataClassType() const override { return ClassRef<TcxCustomEditData>(); }
  void InitializeEditData() override { ++Fills; }
};
CL_DEFINE_CLASS(TDataEdit);

// Counts the change notices of properties.
class TNoticeCounter : public TObject {
  CL_CLASS(TNoticeCounter, TObject)
public:
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};
CL_DEFINE_CLASS(TNoticeCounter);

// A provider over a data storage, and a binding whose storage holds a value of its own.
class TStorageProvider : public TcxCustomEditDefaultValuesProvider {
  CL_CLASS(TStorageProvider, TcxCustomEditDefaultValuesProvider)
public:
  using TcxCustomEditDefaultValuesProvider::TcxCustomEditDefaultValuesProvider;
  bool IsStorageBacked() override { return true; }
};
CL_DEFINE_CLASS(TStorageProvider);

class TStorageBinding : public TcxEditDataBinding {
  CL_CLASS(TStorageBinding, TcxEditDataBinding)
public:
  using TcxEditDataBinding::TcxEditDataBinding;
  Variant Stored = "stored";
  TcxCustomEditDefaultValuesProviderClass DefaultValuesProviderClassType() const override
  {
    return ClassRef<TStorageProvider>();
  }
  void ReadStoredValue(Variant& Value) override { Value = Stored; }
};
CL_DEFINE_CLASS(TStorageBinding);

class TStorageEdit : public TTestEdit {
  CL_CLASS(TStorageEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  TcxEditDataBindingClass DataBindingClassType() const override { return ClassRef<TStorageBinding>(); }
};
CL_DEFINE_CLASS(TStorageEdit);

class EditDataBindingTest : public TEditFormTest {
protected:
  template <class T = TTestEdit>
  T* NewEdit(bool inplace = false)
  {
    return PlaceEdit<T>(inplace);
  }
};

}  // namespace

// --- The binding ---

TEST_F(EditDataBindingTest, AFreshEditorsBindingAnswersTheUnboundDefaults)
{
  TTestEdit* edit = NewEdit();
  TcxEditDataBinding* binding = edit->DataBinding();
  EXPECT_EQ(binding->Edit(), edit);
  EXPECT_EQ(binding->GetOwner(), edit);
  for (bool modified : {false, true}) {
    edit->SetModified(modified);
    EXPECT_TRUE(binding->CanReadData());
    EXPECT_FALSE(binding->IsDataReadOnly());
    EXPECT_FALSE(binding->HasDataLink());
    EXPECT_TRUE(binding->CanEnterEditing());
    EXPECT_FALSE(binding->HandleExecuteAction(nullptr));
    EXPECT_FALSE(binding->HandleUpdateAction(nullptr));
    EXPECT_EQ(binding->IsInEditMode(), modified);
    EXPECT_EQ(binding->GetModifiedState(), modified);
    EXPECT_EQ(binding->CanModifyData(), modified);
    EXPECT_EQ(binding->CanReformat(), !modified);
  }
  edit->SetEditValue("stored");
  Variant value;
  binding->ReadStoredValue(value);
  EXPECT_EQ(value, Variant("stored"));
  binding->GetDisplayValueFromEdit(value);
  EXPECT_EQ(value, Variant("stored"));
  binding->PushDisplayValue("pushed");
  EXPECT_EQ(edit->Inner()->Text(), "pushed");
  binding->UpdateDisplayValue();
  EXPECT_EQ(edit->Inner()->Text(), "stored");
  edit->SetModified(false);
  EXPECT_TRUE(binding->EnterEditMode());
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditDataBindingTest, MarkModifiedIfFocusedChangesOnlyAFocusedEditor)
{
  TTestEdit* edit = NewEdit();
  Form->Show();
  HandleWaitingMessages();
  EXPECT_FALSE(edit->DataBinding()->MarkModifiedIfFocused());
  EXPECT_FALSE(edit->Modified());
  EXPECT_FALSE(edit->ModifiedAfterEnter());
  edit->Inner()->SetFocus();
  HandleWaitingMessages();
  EXPECT_TRUE(edit->DataBinding()->MarkModifiedIfFocused());
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditDataBindingTest, DefaultValuesChangedRefreshesOnlyThisEditor)
{
  TTestEdit* edit = NewEdit();
  edit->SetModified(true);
  edit->ValidateEdit(false);
  ASSERT_TRUE(edit->Validated());
  edit->DataBinding()->DefaultValuesChanged();
  EXPECT_FALSE(edit->Validated());  // the own properties' change reached the editor

  // With linked properties: they change inside an update that does not notify their users.
  TOwned<TTestEditProperties> linked(New<TTestEditProperties>(nullptr));
  auto counter = MakeOwned<TNoticeCounter>();
  linked->SetOwnerChangeHandler(TNotifyEvent(counter.get(), &TNoticeCounter::Changed));
  edit->SetLinkedProperties(linked.get());
  edit->SetModified(true);
  edit->ValidateEdit(false);
  ASSERT_TRUE(edit->Validated());
  edit->DataBinding()->DefaultValuesChanged();
  EXPECT_EQ(counter->Count, 0);
  EXPECT_EQ(linked->UpdateLockCount(), 0);
  EXPECT_FALSE(edit->Validated());
  edit->SetLinkedProperties(nullptr);
}

// A storage-bound editor painted as a copy shows the stored value when its own differs.
TEST_F(EditDataBindingTest, AStorageBoundCopyDiffersFromItsDataOnlyWhenUnmodifiedAndDifferent)
{
  auto* edit = NewEdit<TStorageEdit>();
  ASSERT_TRUE(edit->IsStorageBound());
  edit->SetEditValue("own");
  EXPECT_FALSE(edit->DiffersFromDataValue());  // not painted as a copy
  TControlState state = edit->ControlState();
  state.Include(TControlStateFlag::csPaintCopy);
  edit->SetControlState(state);
  EXPECT_TRUE(edit->DiffersFromDataValue());
  edit->SetModified(true);
  EXPECT_FALSE(edit->DiffersFromDataValue());
  edit->SetModified(false);
  static_cast<TStorageBinding*>(edit->DataBinding())->Stored = "own";
  EXPECT_FALSE(edit->DiffersFromDataValue());

  // Abandoning restores the stored value of a storage-bound editor.
  static_cast<TStorageBinding*>(edit->DataBinding())->Stored = "stored";
  edit->Props()->ResetSupported = true;
  edit->SetModified(true);
  edit->AbandonChanges();
  EXPECT_EQ(edit->EditValue(), Variant("stored"));
  EXPECT_FALSE(NewEdit()->IsStorageBound());
}

// --- The provider ---

TEST_F(EditDataBindingTest, TheBaseProviderAnswersThePlainDefaults)
{
  TTestEdit* edit = NewEdit();
  IcxEditDefaultValuesProvider* p = edit->DataBinding()->GetDefaultValuesProvider();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ImplementingObject(), edit->DataBinding()->DefaultValuesProviderObject());
  EXPECT_TRUE(p->AllowsEditMode());
  EXPECT_EQ(p->ProvidedAlignment(), taLeftJustify);
  EXPECT_EQ(p->ProvidedBlobKind(), 3);
  EXPECT_TRUE(p->ProvidedCanModify());
  EXPECT_EQ(p->ProvidedDisplayFormat(), "");
  EXPECT_EQ(p->ProvidedEditFormat(), "");
  EXPECT_EQ(p->ProvidedEditMask(), "");
  EXPECT_FALSE(p->ProvidedIsFloat());
  EXPECT_EQ(p->ProvidedMaxLength(), 0);
  EXPECT_EQ(p->ProvidedMaxValue(), 0.0);
  EXPECT_EQ(p->ProvidedMinValue(), 0.0);
  EXPECT_EQ(p->ProvidedPrecision(), 15);
  EXPECT_FALSE(p->ProvidedReadOnly());
  EXPECT_FALSE(p->ProvidedRequired());
  EXPECT_FALSE(p->IsStorageBacked());
  EXPECT_FALSE(p->HoldsBlobData());
  EXPECT_FALSE(p->HoldsCurrencyData());
  EXPECT_TRUE(p->HasDataAvailable());
  EXPECT_FALSE(p->DefinesDisplayFormat(true));
  EXPECT_FALSE(p->HasGetTextHandler());
  EXPECT_FALSE(p->HasSetTextHandler());
  EXPECT_TRUE(p->AcceptsChar('x'));
  EXPECT_TRUE(edit->IsValidChar('x'));
}

TEST_F(EditDataBindingTest, AProviderThatDiesLeavesNoPropertiesReferringToIt)
{
  TTestEdit* edit = NewEdit();
  TOwned<TTestEditProperties> user(New<TTestEditProperties>(nullptr));
  TOwned<TTestEditProperties> stranger(New<TTestEditProperties>(nullptr));
  TTestEdit* other = NewEdit();
  user->SetDefaultValuesProvider(edit->DataBinding()->GetDefaultValuesProvider());
  stranger->SetDefaultValuesProvider(other->DataBinding()->GetDefaultValuesProvider());
  Free(edit);
  EXPECT_EQ(user->DefaultValuesProvider(), nullptr);
  EXPECT_EQ(stranger->DefaultValuesProvider(), other->DataBinding()->GetDefaultValuesProvider());
}

// --- Edit data ---

TEST_F(EditDataBindingTest, AnEditDataIsFilledOnActivationAndOutlivesItsEditor)
{
  auto* edit = NewEdit<TDataEdit>(true);
  Form->Show();
  HandleWaitingMessages();
  TcxCustomEditData* data = nullptr;
  edit->Activate(data);
  ASSERT_NE(data, nullptr);
  TOwned<TcxCustomEditData> kept(data);  // the host owns it
  EXPECT_EQ(data->Edit(), edit);
  EXPECT_EQ(edit->EditData(), data);
  EXPECT_EQ(edit->Fills, 1);
  EXPECT_FALSE(data->ReinitializationPending());
  // Asked again while it is the editor's: filled at once.
  data->RequestReinitialization();
  EXPECT_EQ(edit->Fills, 2);
  EXPECT_FALSE(data->ReinitializationPending());
  // Activated again with the same data: not filled again.
  edit->Activate(data);
  EXPECT_EQ(edit->Fills, 2);

  Free(edit);
  EXPECT_EQ(data->Edit(), nullptr);
  data->RequestReinitialization();
  EXPECT_TRUE(data->ReinitializationPending());
}

TEST_F(EditDataBindingTest, AnEditorForgetsItsEditDataWhenTheHostFreesIt)
{
  auto* edit = NewEdit<TDataEdit>(true);
  TcxCustomEditData* data = nullptr;
  edit->Activate(data);
  Free(data);
  EXPECT_EQ(edit->EditData(), nullptr);
}

// --- Pools of in-place editors ---

TEST_F(EditDataBindingTest, APoolLendsOneHiddenEditorPerPropertiesClass)
{
  TOwned<TcxInplaceEditList> pool(New<TcxInplaceEditList>(Form));
  TcxCustomEdit* first = pool->GetEdit(ClassRef<TTestEditProperties>());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->ClassType(), TTestEdit::StaticClass());
  EXPECT_TRUE(first->IsInplace());
  EXPECT_FALSE(first->Visible());
  EXPECT_EQ(first->Owner(), Form);
  EXPECT_EQ(pool->GetEdit(ClassRef<TTestEditProperties>()), first);
  TcxCustomEdit* other = pool->GetEdit(ClassRef<TOtherEditProperties>());
  EXPECT_NE(other, first);
  EXPECT_EQ(other->ClassType(), TOtherEdit::StaticClass());
  EXPECT_EQ(pool->Count(), 2);

  // Bound entries are not lent; a bound class gets a new editor.
  TOwned<TTestEditProperties> properties(New<TTestEditProperties>(nullptr));
  EXPECT_EQ(pool->FindByProperties(properties.get(), false), -1);
  EXPECT_EQ(pool->FindByProperties(properties.get(), true), 0);
  EXPECT_EQ(pool->BoundProperties(0), properties.get());
  EXPECT_EQ(pool->FindByProperties(properties.get(), false), 0);
  TcxCustomEdit* second = pool->GetEdit(ClassRef<TTestEditProperties>());
  EXPECT_NE(second, first);
  EXPECT_EQ(pool->Count(), 3);

  pool->RemoveItem(-1);
  EXPECT_EQ(pool->Count(), 3);
  TWeakRef<TcxCustomEdit> removed(second);
  pool->RemoveItem(2);
  EXPECT_EQ(pool->Count(), 2);
  EXPECT_FALSE(removed);
}

TEST_F(EditDataBindingTest, AnEditorFreedByThePoolOwnerLeavesThePool)
{
  auto* owner = New<TComponent>(nullptr);
  TOwned<TcxInplaceEditList> pool(New<TcxInplaceEditList>(owner));
  TcxCustomEdit* edit = pool->GetEdit(ClassRef<TTestEditProperties>());
  pool->GetEdit(ClassRef<TOtherEditProperties>());
  Free(edit);
  ASSERT_EQ(pool->Count(), 1);
  EXPECT_EQ(pool->Edits(0)->ClassType(), TOtherEdit::StaticClass());
  Free(owner);  // frees the other editor
  EXPECT_EQ(pool->Count(), 0);
  pool.reset();  // nothing is freed twice
}

TEST_F(EditDataBindingTest, DestroyingPropertiesFreesTheirEntriesInEveryPool)
{
  TOwned<TcxInplaceEditList> a(New<TcxInplaceEditList>(Form));
  TOwned<TcxInplaceEditList> b(New<TcxInplaceEditList>(Form));
  auto* properties = New<TTestEditProperties>(nullptr);
  a->GetEdit(ClassRef<TTestEditProperties>());
  b->GetEdit(ClassRef<TTestEditProperties>());
  ASSERT_EQ(a->FindByProperties(properties, true), 0);
  ASSERT_EQ(b->FindByProperties(properties, true), 0);
  TcxCustomEdit* kept = a->Edits(0);
  Free(properties);
  EXPECT_EQ(a->BoundProperties(0), nullptr);
  EXPECT_EQ(b->BoundProperties(0), nullptr);
  EXPECT_EQ(a->GetEdit(ClassRef<TTestEditProperties>()), kept);  // the editor stays and is free again
}

TEST_F(EditDataBindingTest, TheLastPoolFreesTheProcessWideListAndANewOneRemakesIt)
{
  ASSERT_FALSE(InplaceEditListsExist());
  auto* a = New<TcxInplaceEditList>(Form);
  auto* b = New<TcxInplaceEditList>(Form);
  EXPECT_EQ(LiveInplaceEditLists().size(), 2u);
  TWeakRef<TcxCustomEdit> pooled(a->GetEdit(ClassRef<TTestEditProperties>()));
  Free(a);
  EXPECT_FALSE(pooled);  // the pool's editors go with it
  EXPECT_TRUE(InplaceEditListsExist());
  Free(b);
  EXPECT_FALSE(InplaceEditListsExist());
  EXPECT_TRUE(LiveInplaceEditLists().empty());
  TOwned<TcxInplaceEditList> c(New<TcxInplaceEditList>(Form));
  EXPECT_TRUE(InplaceEditListsExist());
  EXPECT_EQ(LiveInplaceEditLists().size(), 1u);
}
