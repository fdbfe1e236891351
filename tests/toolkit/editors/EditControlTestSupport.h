#pragma once
// A small editor for the edit control's tests: the class library's edit box as its inner control,
// the text of the box as its display value, and properties whose answers the tests switch (value
// comparison, validation, reset on Escape). A second editor class has properties of its own, for
// the pools of in-place editors.
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "toolkit/editors/cxEdit.h"

namespace edit_test {

// The class library's edit box as an inner edit: no border of its own, telling its container about
// focus changes and letting it see its messages first.
class TTestInnerEdit : public TEdit, public IcxCustomInnerEdit {
  CL_CLASS(TTestInnerEdit, TEdit)
public:
  explicit TTestInnerEdit(TComponent* Owner) : TEdit(Owner) {}
  TcxContainer* Container = nullptr;
  int BoundsLock = 0;
  // The box asks for Tab, Enter and Escape, as a memo does.
  bool WantsAllKeys = false;

  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return Container; }
  LRESULT ForwardToDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam) override
  {
    TMessage message{Msg, WParam, LParam, 0};
    TEdit::DefaultHandler(message);
    return message.Result;
  }
  bool HandlesClipboardCommands() override { return true; }
  void ReadValue(Variant& Value) override { Value = Variant(Text()); }
  TNotifyEvent ReadChangeHandler() override { return OnChange(); }
  bool IsReadOnlyControl() override { return ReadOnly(); }
  void HoldBounds(bool Hold) override
  {
    if (Hold)
      ++BoundsLock;
    else if (BoundsLock > 0)
      --BoundsLock;
  }
  void FocusWithoutSelecting() override { SetFocus(); }
  void WriteValue(const Variant& Value) override { SetText(VarToStrDef(Value, "")); }
  void AttachToParent(TWinControl* Parent) override
  {
    Container = dynamic_cast<TcxContainer*>(Parent);
    SetParent(Parent);
  }
  void AssignChangeHandler(const TNotifyEvent& Handler) override { SetOnChange(Handler); }
  void SetReadOnlyControl(bool Value) override { SetReadOnly(Value); }
  void DeleteSelection() override { SetText({}); }

protected:
  void CreateParams(TCreateParams& Params) override
  {
    TEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.Style &= ~WS_BORDER;
  }
  // Keys go to the container, as the text editors' boxes hand them on.
  void KeyDown(WORD& Key, TShiftState Shift) override
  {
    if (Container)
      _TcxContainerAccess::KeyDown(Container, Key, Shift);
    else
      TEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override
  {
    if (Container)
      _TcxContainerAccess::KeyPress(Container, Key);
    else
      TEdit::KeyPress(Key);
  }
  void KeyUp(WORD& Key, TShiftState Shift) override
  {
    if (Container)
      _TcxContainerAccess::KeyUp(Container, Key, Shift);
    else
      TEdit::KeyUp(Key, Shift);
  }
  void WndProc(TMessage& Message) override
  {
    TEdit::WndProc(Message);
    if (Message.Msg == WM_GETDLGCODE && WantsAllKeys) Message.Result |= DLGC_WANTALLKEYS | DLGC_WANTTAB;
    if (!Container) return;
    if (Message.Msg == WM_SETFOCUS) _TcxContainerAccess::FocusReceived(Container, reinterpret_cast<HWND>(Message.WParam));
    if (Message.Msg == WM_KILLFOCUS) _TcxContainerAccess::FocusLost(Container);
  }
  void DefaultHandler(TMessage& Message) override
  {
    if (Container && Container->DispatchInnerControlMessage(Message)) return;
    TEdit::DefaultHandler(Message);
  }
};

// An edit box whose IcxCustomInnerEdit is answered by a helper object it owns, the way the text
// editors' inner box answers through its helper.
class TInnerEditHelper : public TObject, public IcxCustomInnerEdit {
  CL_CLASS(TInnerEditHelper, TObject)
public:
  explicit TInnerEditHelper(TTestInnerEdit* Box) : FBox(Box) {}
  TWinControl* GetControl() override { return FBox; }
  TcxContainer* GetControlContainer() override { return FBox->GetControlContainer(); }
  LRESULT ForwardToDefaultProcedure(UINT Msg, WPARAM W, LPARAM L) override
  {
    return FBox->ForwardToDefaultProcedure(Msg, W, L);
  }
  bool HandlesClipboardCommands() override { return FBox->HandlesClipboardCommands(); }
  void ReadValue(Variant& Value) override { FBox->ReadValue(Value); }
  TNotifyEvent ReadChangeHandler() override { return FBox->ReadChangeHandler(); }
  bool IsReadOnlyControl() override { return FBox->IsReadOnlyControl(); }
  void HoldBounds(bool Hold) override { FBox->HoldBounds(Hold); }
  void FocusWithoutSelecting() override { FBox->FocusWithoutSelecting(); }
  void WriteValue(const Variant& Value) override { FBox->WriteValue(Value); }
  void AttachToParent(TWinControl* Parent) override
  {
    ++Attached;
    FBox->AttachToParent(Parent);
  }
  void AssignChangeHandler(const TNotifyEvent& Handler) override { FBox->AssignChangeHandler(Handler); }
  void SetReadOnlyControl(bool Value) override { FBox->SetReadOnlyControl(Value); }
  void DeleteSelection() override { FBox->DeleteSelection(); }
  int Attached = 0;

private:
  TTestInnerEdit* FBox;
};

class THelpedInnerEdit : public TTestInnerEdit, public IcxInnerEditHelperSource {
  CL_CLASS(THelpedInnerEdit, TTestInnerEdit)
public:
  explicit THelpedInnerEdit(TComponent* Owner) : TTestInnerEdit(Owner), Helper(MakeOwned<TInnerEditHelper>(this)) {}
  IcxCustomInnerEdit* GetInnerEditHelper() override { return Helper.get(); }
  TOwned<TInnerEditHelper> Helper;
};

class TTestEdit;

// Properties whose answers the tests set; the inner edit reports its changes.
class TTestEditProperties : public TcxCustomEditProperties {
  CL_CLASS(TTestEditProperties, TcxCustomEditProperties)
public:
  struct TMeta : TcxCustomEditProperties::TMeta {
    TClassRef<TcxCustomEdit> ContainerClassType() const override;
  };
  using TcxCustomEditProperties::TcxCustomEditProperties;
  bool Comparison = false;
  bool Validates = false;
  bool ResetSupported = false;
  bool TabHandled = false;
  bool SupportsValueComparison() const override { return Comparison; }
  bool CanValidate() const override { return Validates; }
  bool IsResetEditValueSupported() const override { return ResetSupported; }
  bool InnerEditReportsChanges() const override { return true; }
  bool HandlesTabKey() const override { return TabHandled; }
};

class TTestEdit : public TcxCustomEdit {
  CL_CLASS(TTestEdit, TcxCustomEdit)
public:
  struct TMeta : TcxCustomEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TTestEditProperties>(); }
  };
  explicit TTestEdit(TComponent* Owner, bool IsInplace = false) : TcxCustomEdit(Owner, IsInplace) {}

  TTestEditProperties* Props() const { return static_cast<TTestEditProperties*>(Properties()); }
  TTestInnerEdit* Inner() const { return static_cast<TTestInnerEdit*>(InnerControl()); }
  // The text in the box, as the user typed it (the box reports the change).
  void Type(const std::string& Text) { Inner()->SetText(Text); }
  using TcxCustomEdit::SetLinkedProperties;

  TWinControlClass InnerEditClassType() const override { return ClassRef<TTestInnerEdit>(); }
  std::string GetDisplayTextForValue() override { return Inner() ? Inner()->Text() : std::string(); }
  // The value shown: its text, or nothing for a value without one (an array).
  void SynchronizeDisplayValue() override
  {
    std::string text;
    try {
      text = VarToStrDef(EditValue(), "");
    } catch (const Exception&) {
    }
    ShowText(text);
  }
  void ApplyDisplayValue(const Variant& DisplayValue) override { ShowText(VarToStrDef(DisplayValue, "")); }
  // The validated text becomes the value.
  void WriteDisplayValue(const Variant& Value) override
  {
    ShowText(VarToStrDef(Value, ""));
    SetEditValueDirectly(Value);
  }
  void SelectAllText() override
  {
    ++SelectAllCount;
    if (Inner() && Inner()->HandleAllocated()) Inner()->SelectAll();
  }
  int SelectAllCount = 0;
  void InnerEditChanged(TObject* Sender) override
  {
    if (FShowing)
      NotifyChange();
    else
      TcxCustomEdit::InnerEditChanged(Sender);
  }

private:
  // Shown by the editor, not typed: the box's change is reported, but not as the user's.
  void ShowText(const std::string& Text)
  {
    if (!Inner() || Inner()->Text() == Text) return;
    FShowing = true;
    try {
      Inner()->SetText(Text);
    } catch (...) {
      FShowing = false;
      throw;
    }
    FShowing = false;
  }
  bool FShowing = false;
  void SetEditValueDirectly(const Variant& Value)
  {
    const bool byUser = UserEditInProgress();
    SetUserEditInProgress(false);
    StoreEditValue(Value, false);
    SetUserEditInProgress(byUser);
  }
};

// An editor whose inner box answers through its helper.
class THelpedEdit : public TTestEdit {
  CL_CLASS(THelpedEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  TWinControlClass InnerEditClassType() const override { return ClassRef<THelpedInnerEdit>(); }
};

// A second kind of editor, with its own properties class.
class TOtherEditProperties : public TTestEditProperties {
  CL_CLASS(TOtherEditProperties, TTestEditProperties)
public:
  struct TMeta : TTestEditProperties::TMeta {
    TClassRef<TcxCustomEdit> ContainerClassType() const override;
  };
  using TTestEditProperties::TTestEditProperties;
};

class TOtherEdit : public TTestEdit {
  CL_CLASS(TOtherEdit, TTestEdit)
public:
  struct TMeta : TTestEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TOtherEditProperties>(); }
  };
  using TTestEdit::TTestEdit;
};

inline TClassRef<TcxCustomEdit> TTestEditProperties::TMeta::ContainerClassType() const { return ClassRef<TTestEdit>(); }
inline TClassRef<TcxCustomEdit> TOtherEditProperties::TMeta::ContainerClassType() const
{
  return ClassRef<TOtherEdit>();
}

// A form with a class-library edit box to move the focus to, and editors placed on it.
class TEditFormTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = New<TForm>(Application, CreateNew);
    Form->SetClientSize(300, 200);
    Other = New<TEdit>(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 120, 120, 24);
  }
  void TearDown() override { Free(Form); }
  // An editor of the class on the form; its box reports changes of its text once it has a window.
  template <class T>
  T* PlaceEdit(bool inplace)
  {
    auto* edit = New<T>(Form, inplace);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    edit->Inner()->Handle();
    return edit;
  }

  TForm* Form = nullptr;
  TEdit* Other = nullptr;
};

// --- Keys typed for real ---

// Types ANSI text through SendInput: characters of the keyboard as their keys (with Shift where the
// character needs it), every other character (Chinese) as a Unicode key, which an ANSI window
// receives as two WM_CHAR bytes. Answers whether the system took all of it.
bool TypeText(std::string_view text);
// Waits until everything typed so far has been handled: a marker key is typed after it and the
// messages are handled until the marker has been taken from the queue. Answers whether it came.
bool SettleTypedInput();

}  // namespace edit_test
