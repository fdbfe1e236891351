// The edit control's keys in real windows with synthesized input: the clear key, the click key,
// Escape, Tab and Enter, refused characters, and the key listener told of what is left over.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UserInput.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "toolkit/base/cxClasses.h"

using namespace edit_test;

namespace {

constexpr WORD MarkerKey = VK_F9;

// Notes every key left over, and whether the marker key has come up.
class TKeyLog : public IcxEditKeyListener {
public:
  std::vector<std::pair<WORD, TShiftState>> Downs;
  bool MarkerUp = false;
  void KeyDown(WORD Key, TShiftState Shift) override { Downs.emplace_back(Key, Shift); }
  void KeyUp(WORD Key, TShiftState) override
  {
    if (Key == MarkerKey) MarkerUp = true;
  }
  bool SawDown(WORD Key) const
  {
    for (const auto& d : Downs)
      if (d.first == Key) return true;
    return false;
  }
};

// A binding that keeps what the editor writes.
class TRecordingBinding : public TcxEditDataBinding {
  CL_CLASS(TRecordingBinding, TcxEditDataBinding)
public:
  using TcxEditDataBinding::TcxEditDataBinding;
  std::vector<Variant> Written;
  void WriteStoredValue(const Variant& Value) override { Written.push_back(Value); }
  bool IsInEditMode() override { return true; }
};
CL_DEFINE_CLASS(TRecordingBinding);

// The editor of these tests: writes go to the recording binding, 'x' is refused, and it logs the
// characters that reach it and its button clicks.
class TKeyEdit : public TTestEdit {
  CL_CLASS(TKeyEdit, TTestEdit)
public:
  using TTestEdit::TTestEdit;
  TcxEditDataBindingClass DataBindingClassType() const override { return ClassRef<TRecordingBinding>(); }
  bool IsValidChar(char Ch) override { return Ch != 'x' && TTestEdit::IsValidChar(Ch); }
  TRecordingBinding* Binding() const { return static_cast<TRecordingBinding*>(DataBinding()); }
  std::string Chars;
  std::vector<int> Clicks;
  int Validations = 0;
  void CharTyped(TObject*, char& Key) { Chars.push_back(Key); }
  void ButtonClicked(TObject*, int Index) { Clicks.push_back(Index); }
  void Validate(TObject*, Variant&, std::string&, bool&) { ++Validations; }
};
CL_DEFINE_CLASS(TKeyEdit);

int Beeps = 0;
BOOL WINAPI CountBeep(UINT) { return ++Beeps, TRUE; }

class EditInputTest : public TEditFormTest {
protected:
  void SetUp() override
  {
    TEditFormTest::SetUp();
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->Handle()));
    FOldListener = EditKeyListener;
    EditKeyListener = &Keys;
    FOldBeep = SetBeepFunc(CountBeep);
    Beeps = 0;
  }
  void TearDown() override
  {
    SetBeepFunc(FOldBeep);
    EditKeyListener = FOldListener;
    TEditFormTest::TearDown();
  }
  TKeyEdit* NewKeyEdit()
  {
    auto* edit = PlaceEdit<TKeyEdit>(false);
    edit->SetOnKeyPress(TKeyPressEvent(edit, &TKeyEdit::CharTyped));
    edit->Properties()->SetOnButtonClick(TcxEditButtonClickEvent(edit, &TKeyEdit::ButtonClicked));
    edit->Properties()->SetOnValidate(TcxEditValidateEvent(edit, &TKeyEdit::Validate));
    edit->Inner()->WantsAllKeys = true;
    return edit;
  }
  void Focus(TKeyEdit* edit)
  {
    edit->Inner()->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit->Inner()->Handle(); }));
  }
  // The key, then the marker key: once the marker is up, the key has been handled whole.
  void Press(WORD key, std::initializer_list<WORD> modifiers = {})
  {
    Keys.MarkerUp = false;
    ASSERT_TRUE(PressKey(key, modifiers));
    ASSERT_TRUE(PressKey(MarkerKey));
    ASSERT_TRUE(PumpUntil([&] { return Keys.MarkerUp; }, 5000));
  }
  // Typed text, through the keys.
  void TypeKeys(const std::string& text)
  {
    for (char c : text) Press(static_cast<WORD>(toupper(static_cast<unsigned char>(c))));
  }

  TKeyLog Keys;

private:
  IcxEditKeyListener* FOldListener = nullptr;
  TBeepFunc FOldBeep = nullptr;
};

}  // namespace

TEST_F(EditInputTest, KeysAsATable)
{
  struct Case {
    const char* Name;
    std::function<void(TKeyEdit*)> Arrange;
    WORD Key;
    std::initializer_list<WORD> Modifiers;
    std::function<void(TKeyEdit*, TKeyLog&)> Check;
    bool Reset = false;  // the properties support reset from the start
  };
  const Case cases[] = {
    {"clear key 0 never clears", [](TKeyEdit* e) { e->SetEditValue("abc"); }, VK_F2, {},
     [](TKeyEdit* e, TKeyLog& k) {
       EXPECT_EQ(e->EditValue(), Variant("abc"));
       EXPECT_TRUE(k.SawDown(VK_F2));
     }},
    {"a matching clear key clears",
     [](TKeyEdit* e) {
       e->SetEditValue("abc");
       e->Properties()->SetClearKey(ShortCut(VK_F2, {}));
     },
     VK_F2, {},
     [](TKeyEdit* e, TKeyLog& k) {
       EXPECT_TRUE(VarIsNull(e->EditValue()));
       EXPECT_TRUE(e->Binding()->Written.empty());
       EXPECT_FALSE(k.SawDown(VK_F2));  // consumed
     }},
    {"with ImmediatePost the empty value is written",
     [](TKeyEdit* e) {
       e->SetEditValue("abc");
       e->Properties()->SetClearKey(ShortCut(VK_F2, {ssShift}));
       e->Properties()->SetImmediatePost(true);
     },
     VK_F2, {VK_SHIFT},
     [](TKeyEdit* e, TKeyLog&) {
       ASSERT_EQ(e->Binding()->Written.size(), 1u);
       EXPECT_TRUE(VarIsNull(e->Binding()->Written[0]));
     }},
    {"Ctrl+Enter without a Default button is an ordinary key", [](TKeyEdit*) {}, VK_RETURN, {VK_CONTROL},
     [](TKeyEdit* e, TKeyLog& k) {
       EXPECT_TRUE(e->Clicks.empty());
       ASSERT_TRUE(k.SawDown(VK_RETURN));
       EXPECT_TRUE(k.Downs[0].second.Contains(ssCtrl));
     }},
    {"Ctrl+Enter clicks the Default button",
     [](TKeyEdit* e) {
       e->Properties()->Buttons()->AddButton();
       e->Properties()->Buttons()->AddButton()->SetDefault(true);
     },
     VK_RETURN, {VK_CONTROL},
     [](TKeyEdit* e, TKeyLog& k) {
       EXPECT_EQ(e->Clicks, std::vector<int>{1});
       EXPECT_EQ(e->Chars.find('\n'), std::string::npos);  // no character reached the box
       EXPECT_FALSE(k.SawDown(VK_RETURN));
     }},
    {"Escape abandons the changes and no character follows",
     [](TKeyEdit* e) {
       e->Type("typed");
       e->SetModified(true);
     },
     VK_ESCAPE, {},
     [](TKeyEdit* e, TKeyLog&) {
       EXPECT_EQ(e->Inner()->Text(), "saved");
       EXPECT_EQ(e->Chars.find('\x1b'), std::string::npos);
     },
     true},
    {"Escape without reset keeps the typed value",
     [](TKeyEdit* e) {
       e->Type("typed");
       e->SetModified(true);
     },
     VK_ESCAPE, {},
     [](TKeyEdit* e, TKeyLog&) { EXPECT_EQ(e->Inner()->Text(), "typed"); }},
    {"Enter with ValidateOnEnter validates and posts",
     [](TKeyEdit* e) {
       e->Properties()->SetValidateOnEnter(true);
       e->Props()->Validates = true;
       e->Type("new");
       e->SetModified(true);
     },
     VK_RETURN, {},
     [](TKeyEdit* e, TKeyLog&) {
       EXPECT_EQ(e->Validations, 1);
       ASSERT_EQ(e->Binding()->Written.size(), 1u);
       EXPECT_EQ(e->Binding()->Written[0], Variant("new"));
     }},
    {"a key left over reaches the listener with its shift state", [](TKeyEdit*) {}, VK_F3, {VK_SHIFT},
     [](TKeyEdit*, TKeyLog& k) {
       ASSERT_FALSE(k.Downs.empty());
       bool seen = false;
       for (const auto& [key, shift] : k.Downs)
         if (key == VK_F3) seen = shift.Contains(ssShift) && !shift.Contains(ssCtrl);
       EXPECT_TRUE(seen);
     }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TKeyEdit* edit = NewKeyEdit();
    edit->SetEditValue("saved");  // the value the editor is entered with
    edit->Props()->ResetSupported = c.Reset;
    Focus(edit);
    c.Arrange(edit);
    Keys.Downs.clear();
    Press(c.Key, c.Modifiers);
    c.Check(edit, Keys);
    Free(edit);
  }
}

TEST_F(EditInputTest, TabStaysInAnEditorWhosePropertiesHandleIt)
{
  for (const bool handled : {true, false}) {
    SCOPED_TRACE(handled ? "handled" : "not handled");
    TKeyEdit* edit = NewKeyEdit();
    edit->SetTabOrder(0);
    edit->Props()->TabHandled = handled;
    Focus(edit);
    if (handled) {
      Press(VK_TAB);
      EXPECT_EQ(GetFocus(), edit->Inner()->Handle());
    } else {
      ASSERT_TRUE(PressKey(VK_TAB));
      EXPECT_TRUE(PumpUntil([&] { return GetFocus() == Other->Handle(); }, 5000));
    }
    Free(edit);
  }
}

TEST_F(EditInputTest, ARefusedCharacterBeepsOnceWhateverBeepOnErrorSays)
{
  TKeyEdit* edit = NewKeyEdit();
  edit->Properties()->SetBeepOnError(false);
  Focus(edit);
  TypeKeys("axb");
  EXPECT_EQ(edit->Inner()->Text(), "ab");
  EXPECT_EQ(Beeps, 1);
}

namespace {
// Counts the clipboard operations the editor's messages lead to.
class TClipboardEdit : public TKeyEdit {
  CL_CLASS(TClipboardEdit, TKeyEdit)
public:
  using TKeyEdit::TKeyEdit;
  std::vector<std::string> Calls;
  void CopyToClipboard() override { Calls.push_back(UserEditInProgress() ? "copy by user" : "copy"); }
  void ClearSelection() override { Calls.push_back(UserEditInProgress() ? "clear by user" : "clear"); }
  void PasteFromClipboard() override { Calls.push_back(UserEditInProgress() ? "paste by user" : "paste"); }
};
CL_DEFINE_CLASS(TClipboardEdit);
}  // namespace

TEST_F(EditInputTest, ClipboardMessagesFollowTheReadOnlyState)
{
  auto* edit = PlaceEdit<TClipboardEdit>(false);
  for (const bool readOnly : {false, true}) {
    edit->Properties()->SetReadOnly(readOnly);
    edit->Calls.clear();
    for (UINT msg : {WM_COPY, WM_CUT, WM_PASTE}) SendMessageA(edit->Handle(), msg, 0, 0);
    EXPECT_EQ(edit->Calls, readOnly ? (std::vector<std::string>{"copy", "copy by user"})
                                    : (std::vector<std::string>{"copy", "clear by user", "paste by user"}));
    EXPECT_FALSE(edit->UserEditInProgress());
  }
}

TEST_F(EditInputTest, EnteringOnAFarEastSystemMakesTheBoxWritable)
{
  const bool farEast = SysLocale().FarEast;
  for (const bool asian : {true, false}) {
    SysLocale().FarEast = asian;
    TKeyEdit* edit = NewKeyEdit();
    edit->Inner()->SetReadOnly(true);
    Focus(edit);
    EXPECT_EQ(edit->Inner()->ReadOnly(), !asian);
    Other->SetFocus();
    Free(edit);
  }
  SysLocale().FarEast = farEast;
}
