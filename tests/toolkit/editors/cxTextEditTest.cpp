// The text editor's length rules: characters counted with double-byte characters whole, and
// replacements cut from the end to the maximum length.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "classlib/Clipbrd.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "tests/toolkit/editors/EditorsTestSupport.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/editors/cxFormats.h"
#include "toolkit/editors/cxTextEdit.h"

namespace {

TEST(TextEditLength, PrefixLengthCountsDoubleByteCharactersWhole)
{
  struct TCase {
    std::string Text;
    size_t MaxChars, Bytes;
  };
  const TCase cases[] = {
      {"abcdef", 3, 3}, {"ab", 5, 2}, {"中文字", 2, 4}, {"a中b", 2, 3}, {"a中b", 3, 4},
      {"", 4, 0},       {"ab\xD6", 3, 3},  // a lone lead byte at the end is one character
      {"中文", 0, 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(cxAnsiCharsPrefixLength(c.Text, c.MaxChars), c.Bytes) << c.Text << " " << c.MaxChars;
}

TEST(TextEditLength, ReplacementsAreCutFromTheEnd)
{
  struct TCase {
    std::string Before, Inserted, After;
    size_t Max;
    bool Accepted;
    std::string Text;
    size_t Caret;
  };
  const TCase cases[] = {
      {"abc", "12345", "", 5, true, "abc12", 5},     // paste at the end keeps the first two
      {"ab", "123", "cd", 5, true, "ab123", 5},      // the text after the selection goes first
      {"ab", "1", "cdef", 5, true, "ab1cd", 3},
      {"中文", "一二三四五", "", 5, true, "中文一二三", 10},
      {"中", "a二b", "文", 3, true, "中a二", 5},
      {"abcdef", "x", "", 5, false, "", 0},         // too long already before the selection
      {"abcde", "x", "", 5, true, "abcde", 5},       // nothing of the insertion fits: caret stays
      {"", "", "", 5, true, "", 0},
  };
  for (const TCase& c : cases) {
    std::string text = "unchanged";
    size_t caret = 99;
    const bool accepted = cxReplaceWithinMaxLength(c.Before, c.Inserted, c.After, c.Max, text, caret);
    SCOPED_TRACE(c.Before + "|" + c.Inserted + "|" + c.After);
    EXPECT_EQ(accepted, c.Accepted);
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(caret, c.Caret);
  }
}

}  // namespace

// --- The text editor in real windows ---

namespace {

class TextEditTest : public edit_test::TEditFormTest {
protected:
  TcxTextEdit* Place()
  {
    auto* edit = New<TcxTextEdit>(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    Form->Show();
    SetForegroundWindow(Form->Handle());
    HandleWaitingMessages();
    return edit;
  }
  static void Focus(TcxTextEdit* edit)
  {
    edit->InnerTextEdit()->SetFocus();
    HandleWaitingMessages();
  }
  // The editor focused in the foreground form, ready for typed keys.
  void FocusForTyping(TcxCustomTextEdit* edit)
  {
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->Handle()));
    edit->InnerTextEdit()->SetFocus();
    HandleWaitingMessages();
  }
  static void Type(TcxTextEdit* edit, const std::string& text)
  {
    for (unsigned char c : text) PostMessageA(edit->InnerTextEdit()->Handle(), WM_CHAR, c, 1);
    HandleWaitingMessages();
  }
};

TEST_F(TextEditTest, PasteKeepsWholeCharactersWithinMaxLength)
{
  struct TCase {
    std::string Typed, Pasted, Text;
    int Caret;
  };
  const TCase cases[] = {
      {"abc", "12345", "abc12", 5},
      {"中文字", "一二三四五", "中文字一二", 5},
  };
  for (const TCase& c : cases) {
    auto* edit = Place();
    edit->Properties()->SetMaxLength(5);
    Focus(edit);
    edit->InnerTextEdit()->SetText(c.Typed);
    edit->InnerTextEdit()->SetSelStart(3);
    ASSERT_EQ(edit->Text(), c.Typed);
    Clipboard()->SetAsText(c.Pasted);
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), c.Text);
    EXPECT_EQ(edit->SelStart(), c.Caret);
    Free(edit);
  }
}

TEST_F(TextEditTest, ClipboardRoundTripsAndReadOnlyRefusesChanges)
{
  auto* edit = Place();
  Focus(edit);
  Type(edit, "hello");
  edit->SetSelStart(1);
  edit->SetSelLength(3);
  edit->ClearSelection();  // a cut
  EXPECT_EQ(edit->Text(), "ho");
  EXPECT_EQ(Clipboard()->AsText(), "ell");
  edit->InnerTextEdit()->Undo();
  EXPECT_EQ(edit->Text(), "hello");
  edit->SetSelStart(5);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "helloell");

  // A clipboard without text changes nothing.
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->Close();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "helloell");

  // Tab never becomes a character.
  PostMessageA(edit->InnerTextEdit()->Handle(), WM_CHAR, '\t', 1);
  HandleWaitingMessages();
  EXPECT_EQ(edit->Text(), "helloell");

  // Read-only: typing and paste refused, copying and moving the caret allowed.
  edit->Properties()->SetReadOnly(true);
  Focus(edit);
  Type(edit, "x");
  Clipboard()->SetAsText("zz");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "helloell");
  edit->SetSelStart(0);
  edit->SetSelLength(2);
  edit->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "he");
  edit->SetSelStart(3);
  EXPECT_EQ(edit->SelStart(), 3);
}

TEST_F(TextEditTest, HiddenCursorStyleAndWindowText)
{
  auto* edit = Place();
  EXPECT_EQ(SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc")), 1);
  EXPECT_TRUE(edit->IsTextValid("abc"));
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(VarToStr(edit->EditValue()), "abc");
  char buffer[8] = "zzzzzzz";
  EXPECT_EQ(SendMessageA(edit->Handle(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], 'z');
  EXPECT_EQ(SendMessageA(edit->Handle(), WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 2);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(SendMessageA(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), 3);

  edit->Properties()->SetHideCursor(true);
  edit->InnerTextEdit()->SetSelStart(2);
  EXPECT_EQ(edit->SelStart(), 0);
  edit->SetSelStart(1);
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 2);
}

}  // namespace

// --- Incremental search ---

namespace {

// Text properties in an editing style the test chooses (the list styles belong to combo boxes).
class TStyledTextProperties : public TcxTextEditProperties {
  CL_CLASS(TStyledTextProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
  int GetEditingStyle() const override { return Style; }
  int Style = 0;
};

class TStyledTextEdit : public TcxTextEdit {
  CL_CLASS(TStyledTextEdit, TcxTextEdit)
public:
  struct TMeta : TcxTextEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TStyledTextProperties>(); }
  };
  using TcxTextEdit::TcxTextEdit;
  TStyledTextProperties* Styled() const { return static_cast<TStyledTextProperties*>(Properties()); }
};

CL_DEFINE_CLASS(TStyledTextProperties);
CL_DEFINE_CLASS(TStyledTextEdit);

// Incremental search: keys given to the editor's key step, typed for real (ASCII as keys, Chinese as
// Unicode keys, which the ANSI window receives as two WM_CHAR bytes), or from an input method
// (WM_IME_CHAR, whose second byte the search takes while it is still on its way).
TEST_F(TextEditTest, IncrementalSearchCompletesTypedText)
{
  enum TInput { Step, Keys, Ime };
  struct TCase {
    int Style;
    TInput Input;
    std::string Start;   // text before typing, caret at StartCaret
    int StartCaret;
    std::string Typed;
    std::string Text;    // shown afterwards
    int SelStart, SelLength, ItemIndex;
  };
  const TCase cases[] = {
      {2, Step, "", 0, "b", "banana", 1, 5, 1},
      {2, Step, "", 0, "be", "Berry", 2, 3, 2},
      {2, Step, "", 0, "bc", "cherry", 1, 5, 3},     // no item starts with bc: restarts on c
      {2, Step, "", 0, "bq", "banana", 1, 5, 1},     // nothing starts with q either: the key is dropped
      {1, Step, "", 0, "B", "banana", 1, 5, 1},      // the item's letter case
      {0, Step, "", 0, "B", "Banana", 1, 5, 1},      // style 0 keeps the typed case
      {0, Step, "ax", 1, "p", "apx", 2, 0, -1},      // typing into the middle does not search
      {0, Step, "", 0, "z", "z", 1, 0, -1},          // no match: the character is typed
      {2, Keys, "", 0, "be", "Berry", 2, 3, 2},
      {2, Keys, "", 0, "bc", "cherry", 1, 5, 3},
      {0, Keys, "ax", 1, "p", "apx", 2, 0, -1},
      {2, Keys, "", 0, "中", "中文", 1, 1, 4},
      {2, Keys, "", 0, "中国", "中国", 2, 0, 5},
      {2, Keys, "", 0, "重", "重要", 1, 1, 6},     // the same first byte as 中
      {0, Keys, "", 0, "中", "中文", 1, 1, 4},
      {0, Keys, "", 0, "东", "东", 1, 0, -1},      // no item: the whole character is typed
      {0, Keys, "b", 1, "东", "b东", 2, 0, -1},
      {2, Ime, "", 0, "中", "中文", 1, 1, 4},
      {2, Ime, "", 0, "中国", "中国", 2, 0, 5},
      {2, Ime, "", 0, "重", "重要", 1, 1, 6},
      {0, Ime, "", 0, "东", "东", 1, 0, -1},
      {1, Ime, "", 0, "b重", "banana", 1, 5, 1},  // style 1 drops what matches nothing
  };
  for (const TCase& c : cases) {
    auto* edit = New<TStyledTextEdit>(Form);
    edit->Styled()->Style = c.Style;
    for (const char* item : {"Apple", "banana", "Berry", "cherry", "中文", "中国", "重要"})
      edit->Properties()->LookupItems()->Add(item);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    FocusForTyping(edit);
    edit->InnerTextEdit()->SetText(c.Start);
    edit->InnerTextEdit()->SetSelStart(c.StartCaret);
    HWND inner = edit->InnerTextEdit()->Handle();
    if (c.Input == Keys) {
      ASSERT_TRUE(edit_test::TypeText(c.Typed));
      ASSERT_TRUE(edit_test::SettleTypedInput());
    }
    for (size_t i = 0; c.Input != Keys && i < c.Typed.size(); ++i) {
      if (c.Input == Step) {
        char ch = c.Typed[i];
        edit->DoEditKeyPress(ch);
        // A key the editor left goes to the EDIT window.
        if (ch) SendMessageA(inner, WM_CHAR, static_cast<unsigned char>(ch), 1);
        continue;
      }
      const auto lead = static_cast<unsigned char>(c.Typed[i]);
      WPARAM ime = lead;
      if (IsDBCSLeadByte(lead)) ime = (lead << 8) | static_cast<unsigned char>(c.Typed[++i]);
      PostMessageA(inner, WM_IME_CHAR, ime, 1);
      HandleWaitingMessages();
    }
    SCOPED_TRACE("style " + std::to_string(c.Style) + " input " + std::to_string(c.Input) + " " + c.Typed);
    EXPECT_EQ(edit->Text(), c.Text);
    EXPECT_EQ(edit->InnerTextEdit()->SelStart(), c.SelStart);
    EXPECT_EQ(edit->InnerTextEdit()->SelLength(), c.SelLength);
    EXPECT_EQ(edit->LookupData()->CurrentItem(), c.ItemIndex);
    Free(edit);
  }
}

}  // namespace

namespace {

TEST_F(TextEditTest, TwoHundredEditorsLeaveNoObjectsOrWindowsBehind)
{
  Free(Place());  // the first editor makes the shared objects
  const int gdi = LiveGdiObjects(), windows = ThreadWindowCount();
  for (int i = 0; i < 200; ++i) {
    auto* edit = New<TStyledTextEdit>(Form);
    edit->Properties()->LookupItems()->Add("item");
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    edit->InnerTextEdit()->Handle();
    char ch = 'i';
    edit->DoEditKeyPress(ch);
    edit->Properties()->SetEchoMode(eemPassword);
    Free(edit);
  }
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace

namespace {

TEST_F(TextEditTest, EchoModeRecreatesTheWindowKeepingTheText)
{
  auto* edit = Place();
  SetWindowTextA(edit->Handle(), "secret");
  HWND before = edit->InnerTextEdit()->Handle();
  edit->Properties()->SetEchoMode(eemPassword);
  HWND after = edit->InnerTextEdit()->Handle();
  EXPECT_NE(before, after);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(GetWindowLongPtrA(after, GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(SendMessageA(after, EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(edit->Text(), "secret");
  edit->Properties()->SetPasswordChar('#');
  EXPECT_EQ(SendMessageA(edit->InnerTextEdit()->Handle(), EM_GETPASSWORDCHAR, 0, 0), '#');
  edit->Properties()->SetEchoMode(eemNormal);
  EXPECT_FALSE(GetWindowLongPtrA(edit->InnerTextEdit()->Handle(), GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(edit->Text(), "secret");
}

}  // namespace

namespace {

class TClickCounter : public TObject {
  CL_CLASS(TClickCounter, TObject)
public:
  void Clicked(TObject*) { ++Count; }
  int Count = 0;
};
CL_DEFINE_CLASS(TClickCounter);

TEST_F(TextEditTest, ItemIndexShowsTheItemAndClicksOnlyOnChange)
{
  auto* edit = Place();
  for (const char* item : {"Apple", "banana"}) edit->Properties()->LookupItems()->Add(item);
  TOwned<TClickCounter> clicks = MakeOwned<TClickCounter>();
  edit->SetOnClick(TNotifyEvent(clicks.get(), &TClickCounter::Clicked));
  EXPECT_EQ(edit->ItemIndex(), -1);
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), "banana");
  EXPECT_EQ(VarToStr(edit->EditValue()), "banana");
  EXPECT_EQ(clicks->Count, 1);
  edit->SetItemIndex(1);
  EXPECT_EQ(clicks->Count, 1);
  edit->SetItemIndex(5);  // no such item: nothing changes
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(clicks->Count, 1);
  edit->SetItemIndex(-1);
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(clicks->Count, 2);
}

}  // namespace

// --- Keys forwarded by the inner edit; the extension object ---

namespace {

class TKeyRecorder : public TObject {
  CL_CLASS(TKeyRecorder, TObject)
public:
  void InternalKeyDown(TObject*, WORD& Key, TShiftState) { Keys.push_back(Key); }
  std::vector<WORD> Keys;
};
CL_DEFINE_CLASS(TKeyRecorder);

class TExtensionDouble : public IcxTextEditExtension {
public:
  void Refresh(TWinControl*) override { Calls += "r"; }
  void Scrolled(TWinControl*) override {}
  void SelectionChanged(TWinControl*) override {}
  void TextChanged(TWinControl*) override { Calls += "t"; }
  void FocusSet(TWinControl*) override { Calls += "f"; }
  void FocusLost(TWinControl*) override {}
  void Undone(TWinControl*) override { Calls += "u"; }
  void Painted(TWinControl*) override {}
  bool IsOwnWindow(HWND) override { return false; }
  std::string Calls;
};

TEST_F(TextEditTest, KeysWithoutEffectReachTheInternalKeyHandler)
{
  auto* edit = Place();
  TOwned<TKeyRecorder> recorder = MakeOwned<TKeyRecorder>();
  edit->SetOnInternalKeyDown(TcxEditInternalKeyDownEvent(recorder.get(), &TKeyRecorder::InternalKeyDown));
  Focus(edit);
  Type(edit, "ab");
  HWND inner = edit->InnerTextEdit()->Handle();
  // At the end of the text Down and Right change nothing and go on; Left moves the caret and
  // stays; at the start Up changes nothing either.
  for (WORD key : {WORD(VK_DOWN), WORD(VK_RIGHT), WORD(VK_LEFT), WORD(VK_HOME), WORD(VK_UP)})
    SendMessageA(inner, WM_KEYDOWN, key, 1);
  EXPECT_EQ(recorder->Keys, (std::vector<WORD>{VK_DOWN, VK_RIGHT, VK_UP}));
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(TextEditTest, ExtensionDoubleHearsAndReplacesTextWithUndo)
{
  TExtensionDouble extension;
  TextEditExtension = &extension;
  auto* edit = Place();
  Focus(edit);
  Type(edit, "hello");
  TcxTextEditReplaceTextParams params{L"J", 0, 1, 1};
  SendMessageA(edit->Handle(), DXM_TEXTEDIT_REPLACETEXT, reinterpret_cast<WPARAM>(&params), 0);
  EXPECT_EQ(edit->Text(), "Jello");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 1);
  SendMessageA(edit->InnerTextEdit()->Handle(), WM_UNDO, 0, 0);
  EXPECT_EQ(edit->Text(), "hello");
  TextEditExtension = nullptr;
  EXPECT_NE(extension.Calls.find('f'), std::string::npos);
  EXPECT_NE(extension.Calls.find('u'), std::string::npos);
}

}  // namespace

// --- Typed for real: keys through the system's queue ---

namespace {

// The tests that type through the system's queue.
class TextEditTypingTest : public TextEditTest {};

TEST_F(TextEditTypingTest, TabReadOnlyAndTheHiddenCursorStyle)
{
  auto* edit = Place();
  FocusForTyping(edit);
  ASSERT_TRUE(edit_test::TypeText("ab"));
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "ab");  // Tab is never a character

  // Read-only: typed characters, Backspace and Ctrl+V change nothing; the caret moves, Ctrl+C copies.
  edit->Properties()->SetReadOnly(true);
  FocusForTyping(edit);
  Clipboard()->SetAsText("zz");
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(edit_test::TypeText("x"));
  ASSERT_TRUE(PressKey(VK_BACK));
  ASSERT_TRUE(PressKey('V', {VK_CONTROL}));
  ASSERT_TRUE(PressKey(VK_HOME));
  ASSERT_TRUE(PressKey(VK_RIGHT, {VK_SHIFT}));
  ASSERT_TRUE(PressKey('C', {VK_CONTROL}));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "ab");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 0);
  EXPECT_EQ(edit->InnerTextEdit()->SelLength(), 1);
  EXPECT_EQ(Clipboard()->AsText(), "a");
  Free(edit);

  // Style 3 has no text cursor: SelStart reads 0, setting it does nothing, typing is refused.
  auto* hidden = New<TStyledTextEdit>(Form);
  hidden->Styled()->Style = 3;
  hidden->SetParent(Form);
  hidden->SetBounds(10, 10, 150, 24);
  hidden->SetEditValue(Variant("abc"));
  FocusForTyping(hidden);
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(edit_test::TypeText("x"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(hidden->Text(), "abc");
  EXPECT_EQ(hidden->SelStart(), 0);
  hidden->InnerTextEdit()->SetSelStart(1);
  hidden->SetSelStart(2);
  EXPECT_EQ(hidden->InnerTextEdit()->SelStart(), 1);
}

}  // namespace

namespace {

// Chinese typed into an editor without items: the window takes each character whole, whether it
// comes as a key, as two WM_CHAR bytes or from an input method.
TEST_F(TextEditTypingTest, ChineseReachesTheWindowWhole)
{
  auto* edit = Place();
  FocusForTyping(edit);
  ASSERT_TRUE(edit_test::TypeText("东a"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "东a");
  const std::string east = "东";
  PostMessageA(edit->InnerTextEdit()->Handle(), WM_CHAR, static_cast<unsigned char>(east[0]), 1);
  PostMessageA(edit->InnerTextEdit()->Handle(), WM_CHAR, static_cast<unsigned char>(east[1]), 1);
  PostMessageA(edit->InnerTextEdit()->Handle(), WM_IME_CHAR,
               (static_cast<unsigned char>(east[0]) << 8) | static_cast<unsigned char>(east[1]), 1);
  HandleWaitingMessages();
  EXPECT_EQ(edit->Text(), "东a东东");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 4);
}

}  // namespace

// --- Numbers, locale changes, refused replacements, appearance ---

namespace {

// Numeric text properties and their editor: bounds apply, values are numbers, thousand separators
// are kept while typing.
class TNumberProperties : public TcxTextEditProperties {
  CL_CLASS(TNumberProperties, TcxTextEditProperties)
public:
  using TcxTextEditProperties::TcxTextEditProperties;
  bool UsesValueBounds() const override { return true; }
  bool UsesThousandSeparator() const override { return true; }
};

class TNumberEdit : public TcxTextEdit {
  CL_CLASS(TNumberEdit, TcxTextEdit)
public:
  struct TMeta : TcxTextEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TNumberProperties>(); }
  };
  using TcxTextEdit::TcxTextEdit;
  // The text as a number, as numeric editors store it.
  void DisplayValueToEditValue(const Variant& DisplayValue, Variant& EditValue, bool Focused) override
  {
    std::string text = VarToStr(DisplayValue);
    RemoveThousandSeparators(text);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (!text.empty() && end == text.c_str() + text.size())
      EditValue = Variant(number);
    else
      TcxTextEdit::DisplayValueToEditValue(DisplayValue, EditValue, Focused);
  }
};

CL_DEFINE_CLASS(TNumberProperties);
CL_DEFINE_CLASS(TNumberEdit);

class TextEditNumbersTest : public TextEditTypingTest {
protected:
  TScopedFormatSettings FSettings;
  void SetUp() override
  {
    TextEditTypingTest::SetUp();
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ",";
  }
  TNumberEdit* PlaceNumber()
  {
    auto* edit = New<TNumberEdit>(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    return edit;
  }
};

TEST_F(TextEditNumbersTest, TypedNumbersKeepTheirThousandSeparators)
{
  auto* edit = PlaceNumber();
  FocusForTyping(edit);
  ASSERT_TRUE(edit_test::TypeText("1234567"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "1,234,567");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 9);
  // A digit typed in front: the separators move, the caret stays after the typed digit.
  ASSERT_TRUE(PressKey(VK_HOME));
  ASSERT_TRUE(edit_test::TypeText("98"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "981,234,567");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 2);
  // Backspace over a digit: the separators follow the shorter number.
  ASSERT_TRUE(PressKey(VK_BACK));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "91,234,567");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 1);
}

TEST_F(TextEditNumbersTest, BoundsRefuseTheTypedValueAndLocaleChangesReformatTheText)
{
  auto* edit = PlaceNumber();
  edit->Properties()->SetMinValue(1);
  edit->Properties()->SetMaxValue(9);
  FocusForTyping(edit);
  ASSERT_TRUE(edit_test::TypeText("12"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_FALSE(edit->ValidateEdit(false));
  ASSERT_TRUE(PressKey(VK_BACK));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_TRUE(edit->ValidateEdit(false));

  // Unfocused, the value is shown in the display format; a locale change shows it again.
  auto* shown = PlaceNumber();
  shown->Properties()->SetDisplayFormat(",0");
  shown->SetEditValue(Variant(1234567));
  Other->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(shown->Text(), "1,234,567");
  FormatSettings().ThousandSeparator = " ";
  GetFormatController()->NotifyListeners();
  EXPECT_EQ(shown->Text(), "1 234 567");
}

TEST_F(TextEditTypingTest, RefusedReplacementLeavesTextCaretAndValue)
{
  auto* edit = Place();
  edit->SetEditValue(Variant("abcdef"));
  FocusForTyping(edit);
  edit->Properties()->SetMaxLength(5);  // the text is already longer: nothing typed can fit
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(edit_test::TypeText("x"));
  ASSERT_TRUE(edit_test::SettleTypedInput());
  EXPECT_EQ(edit->Text(), "abcdef");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 6);
  EXPECT_EQ(edit->InnerTextEdit()->SelLength(), 0);
  EXPECT_EQ(VarToStr(edit->EditValue()), "abcdef");
  // A paste is refused the same way.
  Clipboard()->SetAsText("yz");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "abcdef");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 6);
  EXPECT_EQ(VarToStr(edit->EditValue()), "abcdef");
}

TEST_F(TextEditTest, InnerEditTakesTheColoursOfTheEditor)
{
  auto* edit = Place();
  edit->Style()->SetColor(clYellow);
  edit->Style()->SetTextColor(clRed);
  HandleWaitingMessages();
  EXPECT_EQ(edit->InnerTextEdit()->Color(), clYellow);
  EXPECT_EQ(edit->InnerTextEdit()->Font()->Color(), clRed);
  edit->Style()->SetColor(clAqua);
  HandleWaitingMessages();
  EXPECT_EQ(edit->InnerTextEdit()->Color(), clAqua);
}

}  // namespace

namespace {

// The columns of the leftmost and rightmost dark pixels the inner edit shows on the screen.
std::pair<int, int> ShownTextColumns(TcxCustomTextEdit* edit)
{
  HWND inner = edit->InnerTextEdit()->Handle();
  HideCaret(inner);
  RedrawWindow(inner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HandleWaitingMessages();
  RECT client{};
  GetClientRect(inner, &client);
  TDibSurface surface(client.right, client.bottom);
  HDC dc = GetDC(inner);
  BitBlt(surface.DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(inner, dc);
  ShowCaret(inner);
  int left = -1, right = -1;
  for (int x = 0; x < surface.Width(); ++x)
    for (int y = 0; y < surface.Height(); ++y) {
      const COLORREF c = surface.Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
        if (left < 0) left = x;
        right = x;
      }
    }
  return {left, right};
}

// A right-aligned editor edits left-aligned: unfocused its text stands at the right edge, focused
// at the left one.
TEST_F(TextEditTypingTest, RightAlignedTextEditsFromTheLeft)
{
  auto* edit = Place();
  edit->Properties()->GetAlignment()->SetHorz(taRightJustify);
  edit->Properties()->SetUseLeftAlignmentOnEditing(true);
  edit->SetEditValue(Variant("abc"));
  Form->Show();
  ASSERT_TRUE(BringToFront(Form->Handle()));
  Other->SetFocus();
  HandleWaitingMessages();
  const int width = edit->InnerTextEdit()->ClientWidth();
  const auto [unfocusedLeft, unfocusedRight] = ShownTextColumns(edit);
  ASSERT_GE(unfocusedLeft, 0);
  EXPECT_GT(unfocusedLeft, width / 2);
  EXPECT_GE(unfocusedRight, width - 6);

  FocusForTyping(edit);
  edit->InnerTextEdit()->SetSelStart(3);
  const auto [focusedLeft, focusedRight] = ShownTextColumns(edit);
  ASSERT_GE(focusedLeft, 0);
  EXPECT_LT(focusedLeft, 4);
  EXPECT_LT(focusedRight, width / 2);
  EXPECT_EQ(focusedRight - focusedLeft, unfocusedRight - unfocusedLeft);  // the same text, moved
}

}  // namespace

// --- On glass ---

namespace {

HRESULT WINAPI CompositionEnabled(BOOL* enabled)
{
  *enabled = TRUE;
  return S_OK;
}
decltype(dxUxThemeEntryPoints.BeginBufferedPaint) GRealBeginBufferedPaint = nullptr;
decltype(dxUxThemeEntryPoints.BufferedPaintSetAlpha) GRealSetAlpha = nullptr;
int GBufferedPaints = 0, GOpaqueAlphaSets = 0;
HPAINTBUFFER WINAPI CountingBeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format,
                                               BP_PAINTPARAMS* params, HDC* dc)
{
  ++GBufferedPaints;
  return GRealBeginBufferedPaint(target, rect, format, params, dc);
}
HRESULT WINAPI CountingSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha)
{
  if (alpha == 255) ++GOpaqueAlphaSets;
  return GRealSetAlpha(buffer, rect, alpha);
}

// Under desktop composition an editor drawn on glass paints its inner edit through a buffer made
// opaque, and repaints it so once, however many colour messages ask in a row.
TEST_F(TextEditTest, InnerEditPaintsOpaqueOnGlass)
{
  ASSERT_NE(cxDwmApiEntryPoints.DwmIsCompositionEnabled, nullptr);
  ASSERT_NE(dxUxThemeEntryPoints.BeginBufferedPaint, nullptr);
  GRealBeginBufferedPaint = dxUxThemeEntryPoints.BeginBufferedPaint;
  GRealSetAlpha = dxUxThemeEntryPoints.BufferedPaintSetAlpha;
  auto* edit = Place();
  edit->SetEditValue(Variant("glass"));
  HandleWaitingMessages();
  TScopedSeam<decltype(cxDwmApiEntryPoints.DwmIsCompositionEnabled)> composition(
      cxDwmApiEntryPoints.DwmIsCompositionEnabled, CompositionEnabled);
  TScopedSeam<decltype(GRealBeginBufferedPaint)> begin(dxUxThemeEntryPoints.BeginBufferedPaint,
                                                      CountingBeginBufferedPaint);
  TScopedSeam<decltype(GRealSetAlpha)> alpha(dxUxThemeEntryPoints.BufferedPaintSetAlpha, CountingSetAlpha);
  edit->SetDrawnOnGlass(true);
  HWND inner = edit->InnerTextEdit()->Handle();

  GBufferedPaints = GOpaqueAlphaSets = 0;
  RedrawWindow(inner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(GBufferedPaints, 1);
  EXPECT_EQ(GOpaqueAlphaSets, 1);

  HandleWaitingMessages();
  GBufferedPaints = GOpaqueAlphaSets = 0;
  HDC dc = GetDC(inner);
  for (int i = 0; i < 3; ++i) SendMessageA(inner, CN_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(inner));
  ReleaseDC(inner, dc);
  EXPECT_EQ(GBufferedPaints, 0);  // the repaint is posted
  HandleWaitingMessages();
  EXPECT_EQ(GBufferedPaints, 1);
  EXPECT_EQ(GOpaqueAlphaSets, 1);
  edit->SetDrawnOnGlass(false);
}

}  // namespace
