// The masked text editor in real windows: keys through the mask modes, properties, validation,
// display formatting, filter helpers and the unit's registrations.
#include <gtest/gtest.h>
#include <string>
#include "classlib/Clipbrd.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ObjectText.h"
#include "classlib/SysUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/editors/EditControlTestSupport.h"
#include "toolkit/editors/cxMaskEdit.h"

namespace {

int GBeeps = 0;
BOOL WINAPI CountBeep(UINT)
{
  ++GBeeps;
  return TRUE;
}

struct TKeyCase {
  TcxEditMaskKind Kind;
  const char* Mask;
  int StartCaret;  // -1: where the editor leaves it
  const char* Keys;
  const char* Text;
  int SelStart, SelLength, Beeps;
};

class MaskEditTest : public edit_test::TEditFormTest {
protected:
  // Each case in an editor of its own: keys, then text, selection and beeps. The keys go once
  // through the editor's key steps and once typed for real, through the system's queue.
  template <size_t N>
  void RunKeyCases(const TKeyCase (&cases)[N])
  {
    for (bool typed : {false, true})
    for (const TKeyCase& c : cases) {
      TcxMaskEdit* edit = Place(c.Kind, c.Mask);
      if (c.StartCaret >= 0) Select(edit, c.StartCaret, 1);
      GBeeps = 0;
      SCOPED_TRACE(std::string(typed ? "typed: " : "") + "mask " + c.Mask + " keys " + c.Keys);
      if (typed)
        TypeKeys(edit, c.Keys);
      else
        Keys(edit, c.Keys);
      EXPECT_EQ(edit->Text(), c.Text);
      EXPECT_EQ(edit->InnerTextEdit()->SelStart(), c.SelStart);
      EXPECT_EQ(edit->InnerTextEdit()->SelLength(), c.SelLength);
      EXPECT_EQ(GBeeps, c.Beeps);
      Free(edit);
    }
  }

  TcxMaskEdit* Place(TcxEditMaskKind kind, const std::string& mask)
  {
    auto* edit = New<TcxMaskEdit>(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 150, 24);
    edit->Properties()->SetBeepOnError(true);
    edit->Properties()->SetMaskKind(kind);
    edit->Properties()->SetEditMask(mask);
    Form->Show();
    SetForegroundWindow(Form->Handle());
    edit->InnerTextEdit()->SetFocus();
    HandleWaitingMessages();
    return edit;
  }

  // A key as the editor takes it: its key step first, then the EDIT window's own handling of what
  // the editor left (keys typed into the window reach the same steps once the inner edit forwards
  // them).
  static void Key(TcxMaskEdit* edit, WORD vk, TShiftState shift = {})
  {
    WORD key = vk;
    edit->DoEditKeyDown(key, shift);
    if (key) edit->InnerTextEdit()->CallDefaultProcedure(WM_KEYDOWN, key, 1);
  }
  static void Char(TcxMaskEdit* edit, char ch)
  {
    char c = ch;
    edit->DoEditKeyPress(c);
    if (c) edit->InnerTextEdit()->CallDefaultProcedure(WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  // Keys: characters are typed; "<" Left, ">" Right, "^" Home, "$" End, "~" Backspace, "#" Delete,
  // "[" Ctrl+Left.
  static void Keys(TcxMaskEdit* edit, const std::string& keys)
  {
    for (char k : keys) {
      switch (k) {
        case '<': Key(edit, VK_LEFT); break;
        case '>': Key(edit, VK_RIGHT); break;
        case '^': Key(edit, VK_HOME); break;
        case '$': Key(edit, VK_END); break;
        case '#': Key(edit, VK_DELETE); break;
        case '[': Key(edit, VK_LEFT, {ssCtrl}); break;
        case '~': Char(edit, '\b'); break;
        default: Char(edit, k); break;
      }
    }
    HandleWaitingMessages();
  }
  // The same keys typed through SendInput into the focused editor.
  static void TypeKeys(TcxMaskEdit* edit, const std::string& keys)
  {
    ASSERT_TRUE(BringToFront(edit->GetParentForm()->Handle()));
    edit->InnerTextEdit()->SetFocus();
    HandleWaitingMessages();
    for (size_t i = 0; i < keys.size(); ++i) {
      switch (keys[i]) {
        case '<': PressKey(VK_LEFT); break;
        case '>': PressKey(VK_RIGHT); break;
        case '^': PressKey(VK_HOME); break;
        case '$': PressKey(VK_END); break;
        case '#': PressKey(VK_DELETE); break;
        case '[': PressKey(VK_LEFT, {VK_CONTROL}); break;
        case '~': PressKey(VK_BACK); break;
        default: {
          // A double-byte character is typed whole.
          const size_t bytes = IsDBCSLeadByte(static_cast<BYTE>(keys[i])) && i + 1 < keys.size() ? 2 : 1;
          edit_test::TypeText(keys.substr(i, bytes));
          i += bytes - 1;
          break;
        }
      }
    }
    ASSERT_TRUE(edit_test::SettleTypedInput());
  }
  static void Select(TcxMaskEdit* edit, int start, int length)
  {
    SendMessageA(edit->InnerTextEdit()->Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
  }

  TScopedSetter<TBeepFunc> Beep{SetBeepFunc, CountBeep};
  void SetUp() override
  {
    edit_test::TEditFormTest::SetUp();
    GBeeps = 0;
  }
};

TEST_F(MaskEditTest, StandardMaskKeys)
{
  const TKeyCase cases[] = {
      // Home lands on the first input position after a literal at position 0.
      {emkStandard, "(000)000", -1, "^", "(___)___", 1, 1, 0},
      {emkStandard, "(000)000", -1, "123456", "(123)456", 8, 0, 0},
      // Typing on a literal skips it.
      {emkStandard, "(000)000", 0, "1", "(1__)___", 2, 1, 0},
      {emkStandard, "(000)000", 4, "7", "(___)7__", 6, 1, 0},
      // Backspace blanks the position to its left and stays there.
      {emkStandard, "(000)000", -1, "^123~", "(12_)___", 3, 1, 0},
      {emkStandard, "(000)000", -1, "^1234~~", "(12_)___", 3, 1, 0},
      // Delete blanks the position and keeps the caret.
      {emkStandard, "(000)000", -1, "^12<#", "(1__)___", 2, 1, 0},
      // Ctrl+Left acts as Home.
      {emkStandard, "(000)000", -1, "^12[", "(12_)___", 1, 1, 0},
      // Left and Right pass the literals.
      {emkStandard, "(000)000", -1, "^123<<", "(123)___", 2, 1, 0},
      {emkStandard, "(000)000", -1, "^123<>", "(123)___", 5, 1, 0},
      {emkStandard, "(000)000", -1, "^123<>>", "(123)___", 6, 1, 0},
      // A refused character changes nothing and beeps once.
      {emkStandard, "(000)000", -1, "^a", "(___)___", 1, 1, 1},
      // Letters converted by the position's case.
      {emkStandard, ">LL<ll", -1, "^abCD", "ABcd", 4, 0, 0},
      // A Chinese literal is passed whole.
      {emkStandard, "99年99", -1, "^1234", "12年34", 5, 0, 0},
      {emkStandard, "99年99", -1, "^123<<", "12年3_", 1, 1, 0},
      {emkStandard, "99年99", -1, "^12<>", "12年__", 3, 1, 0},
  };
  RunKeyCases(cases);
}

TEST_F(MaskEditTest, StandardDateMaskOfTheFormatController)
{
  const std::string separator(1, FormatSettings().DateSeparator);
  auto* edit = Place(emkStandard, "!99/99/9999;1; ");
  EXPECT_EQ(edit->Text(), "  " + separator + "  " + separator + "    ");
  Keys(edit, "^12252024");
  EXPECT_EQ(edit->Text(), "12" + separator + "25" + separator + "2024");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 10);
  Keys(edit, "<<<<<~");
  EXPECT_EQ(edit->Text(), "12" + separator + " 5" + separator + "2024");
}

TEST_F(MaskEditTest, StandardPasteOverwritesAsManyPositions)
{
  auto* edit = Place(emkStandard, "(000)000");
  Keys(edit, "^");
  Clipboard()->SetAsText("12");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "(12_)___");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 3);
  // Letters of the pasted text do not fit the digit positions: only what the mask accepts stays.
  Select(edit, 5, 1);
  Clipboard()->SetAsText("9x8");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "(12_)98_");
}

TEST_F(MaskEditTest, RegularExpressionKeys)
{
  const TKeyCase cases[] = {
      {emkRegExpr, "\\d\\d", -1, "1a", "1", 1, 0, 1},
      {emkRegExpr, "\\d\\d", -1, "123", "12", 2, 0, 1},
      // Deleting the letter leaves digits that no longer fit at the start: they go too.
      {emkRegExpr, "[a-z]\\d*", -1, "x12^#", "", 0, 0, 0},
      // Backspace the same way.
      {emkRegExpr, "[a-z]\\d*", -1, "x12^>~", "", 0, 0, 0},
      // A deletion whose rest still fits removes one character.
      {emkRegExpr, "[a-z]+", -1, "abc<~", "ac", 1, 0, 0},
      {emkRegExpr, "[a-z]+", -1, "abc^#", "bc", 0, 0, 0},
      // Typing in the middle: the rest must still fit.
      {emkRegExpr, "a\\d*", -1, "a12<3", "a132", 3, 0, 0},
      {emkRegExpr, "ab|ac", -1, "ab<c", "ac", 2, 0, 0},
  };
  RunKeyCases(cases);
}

TEST_F(MaskEditTest, RegularExpressionCaretKeysKeepTheAutomatonInStep)
{
  auto* edit = Place(emkRegExpr, "[a-z]+\\d*");
  auto* mode = dynamic_cast<TcxMaskEditRegExprMode*>(edit->MaskMode());
  ASSERT_NE(mode, nullptr);
  Keys(edit, "abc12");
  struct TStep {
    const char* Keys;
    const char *Accepted, *Pending;
  };
  const TStep steps[] = {
      {"<", "abc1", "2"}, {"<<", "ab", "c12"}, {"^", "", "abc12"}, {">", "a", "bc12"}, {"$", "abc12", ""},
  };
  for (const TStep& step : steps) {
    Keys(edit, step.Keys);
    SCOPED_TRACE(step.Keys);
    EXPECT_EQ(mode->Accepted(), step.Accepted);
    EXPECT_EQ(mode->Pending(), step.Pending);
    EXPECT_EQ(edit->InnerTextEdit()->SelStart(), static_cast<int>(std::string(step.Accepted).size()));
  }
  // After Home a letter is still taken at the start, a digit is not.
  Keys(edit, "^z");
  EXPECT_EQ(edit->Text(), "zabc12");
  Keys(edit, "^9");
  EXPECT_EQ(edit->Text(), "zabc12");
  EXPECT_EQ(GBeeps, 1);
}

TEST_F(MaskEditTest, ExtendedModeTypesAndRemovesForcedCharacters)
{
  const TKeyCase cases[] = {
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "12", "12/", 3, 0, 0},
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "1234", "12/34", 5, 0, 0},
      // Backspace after the separator removes it with the digit before it.
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "12~", "1", 1, 0, 0},
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "1234~~~", "1", 1, 0, 0},
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "12x", "12/", 3, 0, 1},
      // A forced prefix is the empty text; Backspace at its end is refused with a beep.
      {emkRegExprEx, "\\+86-\\d+", -1, "", "+86-", 0, 4, 0},  // selected on entry
      {emkRegExprEx, "\\+86-\\d+", -1, "~", "+86-", 4, 0, 1},
      {emkRegExprEx, "\\+86-\\d+", -1, "5~~", "+86-", 4, 0, 1},
      {emkRegExprEx, "\\+86-\\d+", -1, "55^#", "+86-55", 0, 0, 1},  // Home goes before the prefix
      // Left and Right pass the forced characters; the prefix is not entered.
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "123<<", "12/3", 1, 0, 0},
      {emkRegExprEx, "\\d\\d/\\d\\d", -1, "123<<>", "12/3", 3, 0, 0},
      {emkRegExprEx, "\\+86-\\d+", -1, "5<<", "+86-5", 4, 0, 0},
  };
  RunKeyCases(cases);
}

TEST_F(MaskEditTest, DoubleByteCharactersInRegularExpressionMasks)
{
  const TKeyCase cases[] = {
      {emkRegExpr, "中\\d+", -1, "中12", "中12", 3, 0, 0},
      {emkRegExpr, "中\\d+", -1, "文", "", 0, 0, 1},          // another character is refused whole
      {emkRegExpr, "中\\d+", -1, "1", "", 0, 0, 1},
      {emkRegExpr, "中+", -1, "中中中", "中中中", 3, 0, 0},   // repetition of a double-byte character
      {emkRegExpr, "a.b", -1, "a中b", "a中b", 3, 0, 0},        // "." takes a whole character
      {emkRegExpr, "[啊-座]+", -1, "中丂文", "中文", 2, 0, 1},
      {emkRegExpr, "(中文|中国)\\d", -1, "中国5", "中国5", 3, 0, 0},
      {emkRegExpr, "(中文|中国)\\d", -1, "中中", "中", 1, 0, 1},
      {emkRegExpr, "中文\\d", -1, "中文1<~", "中", 1, 0, 0},    // the rest no longer fits: it goes
      {emkRegExpr, "[a-z]+中?", -1, "ab中<<#", "a中", 1, 0, 0},
      {emkRegExpr, "a*(中)+", -1, "中中^#", "中", 0, 0, 0},
      {emkRegExprEx, "中文\\d\\d", -1, "", "中文", 0, 2, 0},   // the forced prefix, selected on entry
      {emkRegExprEx, "中文\\d\\d", -1, "12", "中文12", 4, 0, 0},
      {emkRegExprEx, "\\d年\\d", -1, "12", "1年2", 3, 0, 0},  // a forced Chinese separator
      {emkRegExprEx, "\\d年\\d", -1, "12~~", "", 0, 0, 0},
  };
  RunKeyCases(cases);
}

TEST_F(MaskEditTest, BadRegularExpressionKeepsTheOldMask)
{
  auto* edit = Place(emkRegExpr, "\\d+");
  try {
    edit->Properties()->SetEditMask("(a|");
    FAIL() << "no error";
  } catch (const EcxMaskEditError& e) {
    const std::string message = e.Message();
    EXPECT_EQ(message.rfind("Regular expression errors:\r\n", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Regular expression errors:\r\n").size());
  }
  EXPECT_EQ(edit->Properties()->EditMask(), "\\d+");
  Keys(edit, "1a2");
  EXPECT_EQ(edit->Text(), "12");
}

TEST_F(MaskEditTest, PropertiesRules)
{
  auto* edit = Place(emkStandard, "000");
  TcxMaskEditProperties* p = edit->Properties();
  p->SetMaxLength(10);
  EXPECT_EQ(p->MaxLength(), 0);
  p->SetCharCase(ecUpperCase);
  p->SetCaseInsensitive(false);
  EXPECT_TRUE(p->CaseInsensitive());
  p->SetCharCase(ecNormal);
  p->SetCaseInsensitive(false);
  EXPECT_FALSE(p->CaseInsensitive());

  // Standard to a regular-expression kind clears a picture mask; between the two regular-expression
  // kinds the mask stays.
  p->SetMaskKind(emkRegExpr);
  EXPECT_EQ(p->EditMask(), "");
  EXPECT_EQ(edit->MaskMode()->ReportMaskKind(), 1);
  p->SetEditMask("\\d+");
  p->SetMaskKind(emkRegExprEx);
  EXPECT_EQ(p->EditMask(), "\\d+");
  EXPECT_EQ(edit->MaskMode()->ReportMaskKind(), 2);
  p->SetMaskKind(emkStandard);
  EXPECT_EQ(p->EditMask(), "");
  EXPECT_FALSE(p->IsMasked());

  // Both changed together (an assignment) keep the new mask.
  auto* source = New<TcxMaskEditProperties>(nullptr);
  source->SetMaskKind(emkRegExpr);
  source->SetEditMask("[a-z]+");
  p->Assign(source);
  Free(source);
  EXPECT_EQ(p->MaskKind(), emkRegExpr);
  EXPECT_EQ(p->EditMask(), "[a-z]+");
  EXPECT_EQ(edit->MaskMode()->EditMask(), "[a-z]+");
}

TEST_F(MaskEditTest, BlankMaskIsNoMaskAndUsesLookupItems)
{
  auto* edit = Place(emkStandard, "   ");
  EXPECT_FALSE(edit->HasMask());
  EXPECT_TRUE(edit->Properties()->UsesLookupData());
  edit->Properties()->LookupItems()->Add("banana");
  Keys(edit, "b");
  EXPECT_EQ(edit->Text(), "banana");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 1);
  EXPECT_EQ(edit->InnerTextEdit()->SelLength(), 5);
  edit->Properties()->SetEditMask("000");
  EXPECT_FALSE(edit->Properties()->UsesLookupData());
  EXPECT_EQ(edit->Properties()->SupportedDisplayFormats(), TcxEditDisplayFormatOptions{});
}

TEST_F(MaskEditTest, IncompleteTextFailsValidationUnlessBlanksAreIgnored)
{
  auto* edit = Place(emkStandard, "000");
  Keys(edit, "^1~");
  ASSERT_EQ(edit->Text(), "___");
  ASSERT_TRUE(edit->Modified());
  try {
    edit->ValidateEdit(true);
    FAIL() << "no validation error";
  } catch (const EcxEditValidationError& e) {
    EXPECT_EQ(std::string(e.Message()), "The edit value is invalid");
  }
  edit->Properties()->SetIgnoreMaskBlank(true);
  EXPECT_TRUE(edit->ValidateEdit(true));

  auto* regExpr = Place(emkRegExpr, "\\d\\d-\\d");
  Keys(regExpr, "12");
  EXPECT_THROW(regExpr->ValidateEdit(true), EcxEditValidationError);
  Keys(regExpr, "-3");
  EXPECT_TRUE(regExpr->ValidateEdit(true));
}

TEST_F(MaskEditTest, DisplayAndValueTexts)
{
  auto* properties = New<TcxMaskEditProperties>(nullptr);
  properties->SetEditMask("(000)000;0");
  Variant display;
  properties->EditValueToDisplayValue(Variant(std::string("1234")), display, false);
  EXPECT_EQ(VarToStr(display), "1234  ");
  properties->SetAlwaysShowBlanksAndLiterals(true);
  properties->EditValueToDisplayValue(Variant(std::string("1234")), display, false);
  EXPECT_EQ(VarToStr(display), "(123)4__");
  properties->EditValueToDisplayValue(Variant(std::string("1234")), display, true);
  EXPECT_EQ(VarToStr(display), "(123)4__");
  Free(properties);

  auto* edit = Place(emkStandard, "00:00;0");
  Keys(edit, "^1234");
  EXPECT_EQ(edit->Text(), "12:34");
  Variant value;
  edit->GetTypedEditValue(value);
  EXPECT_EQ(VarToStr(value), "1234");
  EXPECT_EQ(edit->MaskedText(), "1234");
}

// A component that owns mask properties, for the stored form's round trip.
class TMaskPropertiesHolder : public TComponent {
  CL_CLASS(TMaskPropertiesHolder, TComponent)
public:
  explicit TMaskPropertiesHolder(TComponent* Owner)
      : TComponent(Owner), FProperties(MakeOwned<TcxMaskEditProperties>(this))
  {
  }
  TcxMaskEditProperties* Properties() const { return FProperties.get(); }

private:
  TOwned<TcxMaskEditProperties> FProperties;
};
const TPropInfo HolderProps[] = {PersistentProp<&TMaskPropertiesHolder::Properties>("Properties")};
}  // namespace
CL_DEFINE_CLASS(TMaskPropertiesHolder, .Props = HolderProps);
namespace {

TEST(MaskEditProperties, StoredFormsKeepTheTextAndMaskSettings)
{
  auto holder = MakeOwned<TMaskPropertiesHolder>(nullptr);
  TcxMaskEditProperties* p = holder->Properties();
  p->SetCharCase(ecUpperCase);
  p->SetMaskKind(emkRegExpr);
  p->SetEditMask("[A-Z]\\d+");
  p->SetIgnoreMaskBlank(true);
  const std::string text = ComponentToText(holder.get());
  EXPECT_LT(text.find("Properties.MaskKind"), text.find("Properties.EditMask")) << text;
  auto copy = MakeOwned<TMaskPropertiesHolder>(nullptr);
  ReadComponentFromText(text, copy.get());
  TcxMaskEditProperties* q = copy->Properties();
  EXPECT_EQ(q->CharCase(), ecUpperCase);
  EXPECT_EQ(q->MaskKind(), emkRegExpr);
  EXPECT_EQ(q->EditMask(), "[A-Z]\\d+");
  EXPECT_TRUE(q->IgnoreMaskBlank());
  EXPECT_TRUE(q->ValidateOnEnter());
  EXPECT_EQ(ComponentToText(copy.get()), text);
}

TEST_F(MaskEditTest, ProgrammaticTextKeepsWhatTheMaskAccepts)
{
  auto* picture = Place(emkStandard, "(000)000");
  SetWindowTextA(picture->Handle(), "(12a)4b5");
  EXPECT_EQ(picture->Text(), "(12_)45_");  // a refused character leaves its position blank
  // A replacement overwrites as many positions from the selection's start, passing literals.
  picture->InnerTextEdit()->SelectAll();
  picture->ApplyTextChange("98");
  EXPECT_EQ(picture->Text(), "(982)_45");

  auto* regExpr = Place(emkRegExpr, "[a-z]+\\d*");
  SetWindowTextA(regExpr->Handle(), "ab1c2");
  EXPECT_EQ(regExpr->Text(), "ab12");
  Select(regExpr, 2, 0);
  regExpr->ApplyTextChange("x!9");
  EXPECT_EQ(regExpr->Text(), "abx912");
  Select(regExpr, 4, 0);
  // The keys after it start from the caret.
  Keys(regExpr, "7");
  EXPECT_EQ(regExpr->Text(), "abx9712");
}

TEST_F(MaskEditTest, OutsideSelectionsUndoAndWindowTextGoThroughTheMode)
{
  // A caret set from outside becomes the overwrite caret of a picture mask.
  auto* picture = Place(emkStandard, "(000)000");
  picture->SetSelStart(2);
  EXPECT_EQ(picture->InnerTextEdit()->SelStart(), 2);
  EXPECT_EQ(picture->InnerTextEdit()->SelLength(), 1);
  Keys(picture, "5");
  EXPECT_EQ(picture->Text(), "(_5_)___");
  // The window's text is the masked text, and text set through the window is taken as a paste.
  char buffer[32] = {};
  GetWindowTextA(picture->Handle(), buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer), picture->MaskedText());
  EXPECT_EQ(SendMessageA(picture->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1234567")), 1);
  EXPECT_EQ(picture->Text(), "(123)456");
  EXPECT_EQ(VarToStr(picture->EditValue()), picture->MaskedText());

  // A regular-expression mode follows a caret set from outside: the next key starts there.
  auto* regExpr = Place(emkRegExpr, "[a-z]+\\d*");
  auto* mode = dynamic_cast<TcxMaskEditRegExprMode*>(regExpr->MaskMode());
  ASSERT_NE(mode, nullptr);
  Keys(regExpr, "abc12");
  regExpr->SetSelStart(1);
  Keys(regExpr, "z");
  EXPECT_EQ(regExpr->Text(), "azbc12");
  EXPECT_EQ(mode->Accepted(), "az");
  EXPECT_EQ(mode->Pending(), "bc12");
  // After the window undid the last typing, the mode starts again from the restored text.
  SendMessageA(regExpr->InnerTextEdit()->Handle(), WM_UNDO, 0, 0);
  EXPECT_EQ(regExpr->Text(), "abc12");
  EXPECT_EQ(mode->Accepted(), "");
  EXPECT_EQ(mode->Pending(), "abc12");
  Keys(regExpr, "$9");
  EXPECT_EQ(regExpr->Text(), "abc129");
  EXPECT_EQ(GBeeps, 0);
}

TEST_F(MaskEditTest, CutBlanksThePositionsOfAPictureMask)
{
  auto* edit = Place(emkStandard, "(000)000");
  Keys(edit, "^123456");
  Select(edit, 2, 4);
  edit->ClearSelection();
  EXPECT_EQ(Clipboard()->AsText(), "23)4");
  EXPECT_EQ(edit->Text(), "(1__)_56");
  EXPECT_EQ(edit->InnerTextEdit()->SelStart(), 2);
}

TEST(MaskEditFilter, HelpersAndOperators)
{
  auto* source = New<TcxMaskEditProperties>(nullptr);
  auto* target = New<TcxMaskEditProperties>(nullptr);
  source->SetMaskKind(emkRegExpr);
  source->SetEditMask("\\d+");
  const TcxCustomFilterEditHelperClass helper = ClassRef<TcxFilterMaskEditHelper>();
  helper->SetUpFilterProperties(target, source, false);
  EXPECT_EQ(target->MaskKind(), emkRegExprEx);
  EXPECT_EQ(target->EditMask(), "\\d+");
  EXPECT_FALSE(target->AutoSelect());
  EXPECT_EQ(helper->FilterEditClassType().Class(), ClassRef<TcxMaskEdit>().Class());
  EXPECT_EQ(ClassRef<TcxFilterTextEditHelper>()->FilterEditClassType().Class(), ClassRef<TcxTextEdit>().Class());

  using enum TcxFilterOperatorKind;
  const TcxFilterOperatorKinds base{fcoEqual, fcoNotEqual, fcoLess,    fcoLessEqual,
                                    fcoGreater, fcoGreaterEqual, fcoIsNull, fcoIsNotNull};
  const TcxFilterOperatorKinds text{fcoLike, fcoNotLike};
  const TcxFilterOperatorKinds range{fcoBetween, fcoNotBetween, fcoInList, fcoNotInList};
  auto* plain = New<TcxMaskEditProperties>(nullptr);
  struct TCase {
    TcxMaskEditProperties* Properties;
    TcxValueTypeClass ValueType;
    bool Extended;
    TcxFilterOperatorKinds Expected;
  };
  const TCase cases[] = {
      {plain, ClassRef<TcxStringValueType>(), false, base + text},
      {plain, ClassRef<TcxStringValueType>(), true, base + text + range},
      {plain, ClassRef<TcxIntegerValueType>(), false, base},
      {plain, nullptr, true, base + range},
      {source, ClassRef<TcxStringValueType>(), false, base},
      {source, ClassRef<TcxStringValueType>(), true, base + range},
  };
  for (const TCase& c : cases) {
    TcxFilterOperatorKinds operators;
    helper->GetFilterOperators(c.Properties, c.ValueType, operators, c.Extended);
    EXPECT_EQ(operators, c.Expected);
  }
  Free(plain);
  Free(source);
  Free(target);
}

TEST(MaskEditUnit, ShutDownRemovesTheRegistrations)
{
  const TClassRef<> properties = ClassRef<TcxMaskEditProperties>();
  ASSERT_GE(GetEditPropertiesRegistry()->IndexOfClass(properties), 0);
  EXPECT_EQ(GetEditPropertiesRegistry()->GetDescriptionText(GetEditPropertiesRegistry()->IndexOfClass(properties)),
            "MaskEdit");
  EXPECT_EQ(GetFilterEditsController()->LookupHelperClass(ClassRef<TcxMaskEditProperties>()).Class(),
            ClassRef<TcxFilterMaskEditHelper>().Class());
  UnitcxMaskEdit.Finalize();
  EXPECT_LT(GetEditPropertiesRegistry()->IndexOfClass(properties), 0);
  TcxFilterEditsController* controller = GetFilterEditsController();
  EXPECT_NE(controller->LookupHelperClass(ClassRef<TcxMaskEditProperties>()).Class(),
            ClassRef<TcxFilterMaskEditHelper>().Class());
  UnitcxMaskEdit.Initialize();
  UnitcxMaskEdit.Initialize();  // a second start-up adds nothing
  UnitcxMaskEdit.Finalize();    // and its shut-down removes nothing
  EXPECT_GE(GetEditPropertiesRegistry()->IndexOfClass(properties), 0);
  EXPECT_EQ(GetFilterEditsController()->LookupHelperClass(ClassRef<TcxMaskEditProperties>()).Class(),
            ClassRef<TcxFilterMaskEditHelper>().Class());
}

TEST_F(MaskEditTest, TwoHundredEditorsOfEachKindLeaveNothingBehind)
{
  Free(Place(emkStandard, "000"));  // the first editor makes the shared objects
  const int gdi = LiveGdiObjects(), windows = ThreadWindowCount();
  const struct {
    TcxEditMaskKind Kind;
    const char *Mask, *Keys;
  } kinds[] = {{emkStandard, "(000)000", "^12~3"}, {emkRegExpr, "[a-z]+\\d*", "ab1<~"}, {emkRegExprEx, "\\d\\d/\\d\\d", "123~"}};
  for (const auto& kind : kinds) {
    for (int i = 0; i < 200; ++i) {
      auto* edit = New<TcxMaskEdit>(Form);
      edit->SetParent(Form);
      edit->SetBounds(10, 10, 150, 24);
      edit->Properties()->SetMaskKind(kind.Kind);
      edit->Properties()->SetEditMask(kind.Mask);
      edit->InnerTextEdit()->Handle();
      Keys(edit, kind.Keys);
      Free(edit);
    }
  }
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
