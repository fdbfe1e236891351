#include "toolkit/editors/cxTextEdit.h"

#include <algorithm>
#include <cstring>
#include "classlib/Clipbrd.h"
#include "classlib/Encoding.h"
#include "classlib/Variant.h"
#include "classlib/Win.h"
#include "toolkit/editors/cxEditDataBinding.h"

size_t cxAnsiCharsPrefixLength(std::string_view text, size_t maxChars)
{
  size_t pos = 0;
  for (size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[pos])) != FALSE;
    pos += lead && pos + 1 < text.size() ? 2 : 1;
  }
  return pos;
}

bool cxReplaceWithinMaxLength(std::string_view before, std::string_view inserted, std::string_view after,
                              size_t maxLength, std::string& newText, size_t& caretPos)
{
  newText.assign(before);
  newText += inserted;
  caretPos = cxAnsiCharsPrefixLength(newText, maxLength);
  if (caretPos < before.size()) {
    newText.clear();
    caretPos = 0;
    return false;
  }
  newText += after;
  newText.resize(cxAnsiCharsPrefixLength(newText, maxLength));
  return true;
}

// --- TcxCustomTextEdit ---

CL_DEFINE_CLASS(TcxCustomTextEdit);
CL_DEFINE_CLASS(TcxTextEdit);

void TcxCustomTextEdit::Initialize()
{
  TcxCustomEdit::Initialize();
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SetColor(clWindow);
  SetBounds(Left(), Top(), 121, 21);
}

std::string TcxCustomTextEdit::Text() const
{
  return InnerTextEdit() ? InnerTextEdit()->Text() : std::string();
}

int TcxCustomTextEdit::SelStart() const
{
  if (!InnerTextEdit() || EditingStyle() == 3) return 0;
  return InnerTextEdit()->SelStart();
}

void TcxCustomTextEdit::SetSelStart(int Value)
{
  if (InnerTextEdit() && EditingStyle() != 3) InnerTextEdit()->SetSelStart(Value);
}

int TcxCustomTextEdit::SelLength() const
{
  if (!InnerTextEdit() || EditingStyle() == 3) return 0;
  return InnerTextEdit()->SelLength();
}

void TcxCustomTextEdit::SetSelLength(int Value)
{
  if (InnerTextEdit() && EditingStyle() != 3) InnerTextEdit()->SetSelLength(Value);
}

// Typed and pasted text of style 0 is cut to MaxLength characters from the end; style 2 replaces
// the whole text; the result must be a valid value text, and while the user types, editing must be
// allowed.
bool TcxCustomTextEdit::PrepareNewText(const std::string& Text, std::string& NewText, int& CaretPos)
{
  NewText.clear();
  const int style = EditingStyle();
  if (UserEditInProgress() && style == 3) return false;
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return false;
  if (style >= 2) inner->SelectAll();
  // The window counts positions in characters: work on the wide text, hand back ANSI.
  const std::wstring wide = AnsiToWide(inner->Text());
  const size_t start = std::min<size_t>(static_cast<size_t>(inner->SelStart()), wide.size());
  const size_t end = std::min<size_t>(start + static_cast<size_t>(inner->SelLength()), wide.size());
  const std::string before = WideToAnsi(std::wstring_view(wide).substr(0, start));
  const std::string after = WideToAnsi(std::wstring_view(wide).substr(end));
  const int maxLength = ActiveTextProperties()->MaxLength();
  size_t caretBytes = 0;
  if (UserEditInProgress() && style == 0 && maxLength > 0) {
    if (!cxReplaceWithinMaxLength(before, Text, after, static_cast<size_t>(maxLength), NewText, caretBytes))
      return false;
  } else {
    NewText = style == 2 ? Text : before + Text + after;
    caretBytes = style == 2 ? Text.size() : before.size() + Text.size();
  }
  Variant value(NewText);
  if (!ActiveTextProperties()->IsValueTextValid(value, IsInEditFormat())) return false;
  if (UserEditInProgress() && !DoEditing()) return false;
  NewText = VarToStrDef(value, "");
  CaretPos = static_cast<int>(AnsiToWide(NewText.substr(0, std::min(caretBytes, NewText.size()))).size());
  return true;
}

void TcxCustomTextEdit::ApplyTextChange(const std::string& Text)
{
  SetUserEditInProgress(Focused());
  std::string newText;
  int caret = 0;
  const bool accepted = PrepareNewText(Text, newText, caret);
  if (accepted) {
    WriteDisplayValue(Variant(newText));
    SetSelStart(caret);
  }
  SetUserEditInProgress(false);
}

void TcxCustomTextEdit::PasteFromClipboard()
{
  if (!Clipboard()->HasText() || !InnerTextEdit()) return;
  if (Focused()) {
    SetUserEditInProgress(true);
    std::string newText;
    int caret = 0;
    const bool accepted = PrepareNewText(Clipboard()->AsText(), newText, caret);
    SetUserEditInProgress(false);
    if (!accepted) return;
    // The window pastes (keeping its undo); the text is then brought to what was accepted.
    InnerTextEdit()->CallDefaultProcedure(WM_PASTE, 0, 0);
    if (InnerTextEdit()->Text() != newText) {
      ShowText(newText);
      SetModified(true);
    }
    InnerTextEdit()->SetSelStart(caret);
  } else {
    ApplyTextChange(Clipboard()->AsText());
  }
}

void TcxCustomTextEdit::CopyToClipboard()
{
  if (!InnerTextEdit()) return;
  if (EditingStyle() >= 2) InnerTextEdit()->SelectAll();
  if (InnerTextEdit()->SelLength() > 0) InnerTextEdit()->CopyToClipboard();
}

void TcxCustomTextEdit::ClearSelection()
{
  if (!InnerTextEdit() || InnerTextEdit()->SelLength() == 0) return;
  if (Focused()) {
    SetUserEditInProgress(true);
    std::string newText;
    int caret = 0;
    const bool accepted = PrepareNewText("", newText, caret);
    SetUserEditInProgress(false);
    if (accepted) InnerTextEdit()->CallDefaultProcedure(WM_CUT, 0, 0);
  } else {
    InnerTextEdit()->CopyToClipboard();
    ApplyTextChange("");
  }
}

void TcxCustomTextEdit::SelectAllText()
{
  if (InnerTextEdit()) InnerTextEdit()->SelectAll();
}

bool TcxCustomTextEdit::IsTextEditing() { return EditingStyle() < 2 && !IsInnerEditMissing(); }

bool TcxCustomTextEdit::CanStartEditing() { return EditingStyle() != 3; }

std::string TcxCustomTextEdit::GetDisplayTextForValue() { return Text(); }

void TcxCustomTextEdit::ShowText(const std::string& Text)
{
  if (!InnerEdit()) return;
  TFlagScope setting(FSettingTextInternally, true);
  InnerEdit()->WriteValue(Variant(Text));
}

void TcxCustomTextEdit::SynchronizeDisplayValue()
{
  Variant displayValue;
  EditValueToDisplayValue(EditValue(), displayValue, IsInEditFormat());
  PushModifiedState();
  try {
    DataBinding()->PushDisplayValue(displayValue);
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
}

void TcxCustomTextEdit::ApplyDisplayValue(const Variant& DisplayValue)
{
  std::string text;
  try {
    text = VarToStrDef(DisplayValue, "");
  } catch (const Exception&) {
  }
  ShowText(text);
}

void TcxCustomTextEdit::WriteDisplayValue(const Variant& Value)
{
  ApplyDisplayValue(Value);
  if (!UserEditInProgress()) {
    RefreshEditValueFromText();
    SetModifiedAfterEnter(false);
  }
}

void TcxCustomTextEdit::RefreshEditValueFromText()
{
  Variant value;
  DisplayValueToEditValue(Variant(Text()), value, IsInEditFormat());
  StoreEditValueUnchecked(value);
  if (UserEditInProgress())
    SetModified(true);
  else
    SetModifiedAfterEnter(false);
}

bool TcxCustomTextEdit::IsTextValid(const std::string& Text)
{
  Variant value(Text);
  if (!ActiveTextProperties()->IsValueTextValid(value, IsInEditFormat())) return false;
  if (UserEditInProgress() && !DoEditing()) return false;
  WriteDisplayValue(value);
  return true;
}

void TcxCustomTextEdit::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
    case WM_GETTEXT: {
      if (static_cast<int>(Message.WParam) < 1) {
        Message.Result = 0;
        return;
      }
      const std::string text = Text().substr(0, Message.WParam - 1);
      auto* buffer = reinterpret_cast<char*>(Message.LParam);
      memcpy(buffer, text.c_str(), text.size() + 1);
      Message.Result = static_cast<LRESULT>(text.size());
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(Text().size());
      return;
    case WM_SETTEXT:
      if (FSettingTextInternally) break;
      Message.Result = 0;
      {
        TFlagScope setting(FSettingTextInternally, true);
        if (IsTextValid(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "")) Message.Result = 1;
      }
      return;
    default:
      break;
  }
  TcxCustomEdit::WndProc(Message);
}

TClassRef<TcxCustomEdit> TcxTextEditProperties::TMeta::ContainerClassType() const { return ClassRef<TcxTextEdit>(); }
