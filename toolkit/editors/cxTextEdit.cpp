#include "toolkit/editors/cxTextEdit.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include "classlib/Clipbrd.h"
#include "classlib/Encoding.h"
#include "classlib/Variant.h"
#include "classlib/Win.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxFormats.h"

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
  FBeepOnEnter = true;
  FLookupMatched = false;
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) {
    inner->SetColor(clWindow);
    inner->SetSelectionChangeHandler(TNotifyEvent(this, &TcxCustomTextEdit::SelectionChangedHandler));
  }
  SetBounds(Left(), Top(), 121, 21);
  const TcxCustomTextEditLookupDataClass lookupClass =
      TClassRef<TcxCustomTextEditProperties>(ActiveTextProperties()->ClassType())->LookupDataClassType();
  if (lookupClass) {
    FLookupData.reset(lookupClass.Create(this, static_cast<IcxTextEditLookupOwner*>(this)));
    FLookupData->SetOnItemChosen(TNotifyEvent(this, &TcxCustomTextEdit::ApplySelectedLookupItem));
  }
  if (TcxFormatController* controller = GetFormatController()) {
    controller->AddListener(this);
    FListenerAdded = true;
  }
}

void TcxCustomTextEdit::BeforeDestruction()
{
  FSavedText = Text();
  FDestroying = true;
  if (FListenerAdded)
    if (TcxFormatController* controller = GetFormatController()) controller->RemoveListener(this);
  FListenerAdded = false;
  TcxCustomEdit::BeforeDestruction();
}

namespace {
// Positions in the window count characters, a double-byte character being one.
int CharCount(std::string_view Text) { return static_cast<int>(AnsiToWide(Text).size()); }
}  // namespace

TcxCustomTextEdit::TTextSelectionSplit TcxCustomTextEdit::SplitAtSelection() const
{
  // The window counts positions in characters: split the wide text, hand back ANSI.
  const std::wstring wide = AnsiToWide(Text());
  const size_t start = std::min<size_t>(static_cast<size_t>(InnerTextEdit()->SelStart()), wide.size());
  const size_t end = std::min<size_t>(start + static_cast<size_t>(InnerTextEdit()->SelLength()), wide.size());
  const std::wstring_view view(wide);
  return {WideToAnsi(view.substr(0, start)), WideToAnsi(view.substr(start, end - start)), WideToAnsi(view.substr(end))};
}

void TcxCustomTextEdit::SetItemIndex(int Index)
{
  if (!FLookupData) return;
  const int old = ItemIndex();
  {
    TFlagScope setting(FSettingValueInternally, true);
    AdjustSettingValueLock(true);
    try {
      FLookupData->SelectKey(ItemIndexToVariant(Index));
      const Variant value = ItemIndexToEditValue(FLookupData->CurrentItem());
      if (!EditValuesEqual(value, EditValue())) StoreEditValueUnchecked(value);
    } catch (...) {
      AdjustSettingValueLock(false);
      throw;
    }
    AdjustSettingValueLock(false);
  }
  if (ItemIndex() != old) {
    SetModifiedAfterEnter(false);
    Click();
  }
}

void TcxCustomTextEdit::PropertiesChanged(TObject* Sender)
{
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) {
    TcxCustomTextEditProperties* properties = ActiveTextProperties();
    SetImeMode(properties->ImeMode());
    SetImeName(properties->ImeName());
    inner->SetTextAlignment(properties->GetAlignment()->Horz());
    inner->SetUseLeftAlignmentOnEditing(properties->UseLeftAlignmentOnEditing());
    if (!IsInplace()) inner->SetAutoSelect(properties->AutoSelect());
    inner->SetCharCase(properties->CharCase());
    inner->SetPasswordChar(properties->PasswordChar());
    inner->SetEchoMode(properties->EchoMode());
    inner->SetHideSelection(properties->HideSelection());
    inner->SetImeMode(properties->ImeMode());
    inner->SetImeName(properties->ImeName());
    inner->SetMaxLength(properties->MaxLength());
    inner->SetOEMConvert(properties->OEMConvert());
    ReformatIfNeeded();
    ResolveTypedText();
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  if (InnerTextEdit() && InnerTextEdit()->HandleAllocated()) InnerTextEdit()->Invalidate();
}

bool TcxCustomTextEdit::SearchLookupItem(std::string Text)
{
  // An input method's double-byte character is searched whole while its second byte is on its way.
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit(); inner && inner->PendingImeChars() >= 2 && !Text.empty())
    Text += inner->PendingImeChar();
  std::string tail;
  const bool found = !Text.empty() && FLookupData->Find(Text, tail, false);
  if (!found && Text.empty()) FLookupData->Find(Text, tail, false);  // clears the current item
  FLookupMatched = found;
  if (Text.empty() && EditingStyle() != 2) ApplyDisplayValue(Variant(std::string()));
  if (found) {
    ApplyDisplayValue(Variant(Text + tail));
    SetSelStart(CharCount(Text));
    SetSelLength(CharCount(tail));
  }
  return found;
}

void TcxCustomTextEdit::DoEditKeyPress(char& Ch)
{
  TcxCustomEdit::DoEditKeyPress(Ch);
  if (Ch == 0 || !FLookupData || !InnerTextEdit()) return;
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const int style = EditingStyle();
  const bool incremental = properties->UsesLookupData() && ((style == 0 && properties->IncrementalSearch()) || style == 1 || style == 2);
  if (!incremental) return;
  FSettingValueInternally = false;
  // The user's edit for the whole step, whatever way it ends.
  struct TUserEdit {
    TcxCustomTextEdit* Edit;
    ~TUserEdit() { Edit->SetUserEditInProgress(false); }
  } userEdit{this};
  SetUserEditInProgress(true);
  const int oldItem = FLookupData->CurrentItem();
  const TTextSelectionSplit split = SplitAtSelection();
  const std::string& before = split.Before;
  const size_t length = split.Selected.size();
  bool matched = false;
  if (Ch == '\b') {
    FTrailByte = TTrailByte::None;
    if (style == 2 && !properties->GrowingListPrefix()) {
      Ch = 0;
    } else if (FLookupMatched) {
      // The typed part loses its last character and is searched again.
      std::wstring typed = AnsiToWide(before);
      if (!typed.empty()) typed.pop_back();
      matched = SearchLookupItem(WideToAnsi(typed));
      if (style == 2) Ch = 0;
    }
  } else if (FTrailByte != TTrailByte::None) {
    // The second byte of a double-byte character.
    const TTrailByte trail = std::exchange(FTrailByte, TTrailByte::None);
    if (trail == TTrailByte::Consume) {
      Ch = 0;
    } else if (trail == TTrailByte::Search) {
      const char lead = FHeldLeadByte;
      SearchTypedCharacter(std::string{lead, Ch}, split, Ch);
      // Unmatched, the whole character goes to the window, its first byte first.
      if (Ch) InnerTextEdit()->CallDefaultProcedure(WM_CHAR, static_cast<unsigned char>(lead), 1);
    }
  } else if (static_cast<unsigned char>(Ch) >= 32) {
    const bool atEnd = split.After.empty() && length == 0;
    const bool searching = style != 0 || FLookupMatched || length > 0 || atEnd;
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(Ch));
    if (searching && lead && InnerTextEdit()->PendingImeChars() < 2) {
      // Typed byte by byte: the first byte waits for the second.
      FHeldLeadByte = Ch;
      FTrailByte = TTrailByte::Search;
      Ch = 0;
    } else {
      if (searching) SearchTypedCharacter(std::string(1, Ch), split, Ch);
      // The second byte of an input method's character follows its first.
      if (lead) FTrailByte = Ch ? TTrailByte::Pass : TTrailByte::Consume;
    }
  } else {
    FTrailByte = TTrailByte::None;
  }
  if (FLookupData->CurrentItem() != oldItem) ModifiedByUser();
  (void)matched;
}

void TcxCustomTextEdit::SearchTypedCharacter(const std::string& Typed, const TTextSelectionSplit& Split, char& Ch)
{
  const int style = EditingStyle();
  std::string search;
  if (!Split.Selected.empty())
    search = Split.Before + Typed;
  else if (style != 2)
    search = Split.Before + Typed + Split.After;
  else if (FLookupMatched)
    search = Text() + Typed;
  else
    search = Typed;
  bool matched = SearchLookupItem(search);
  if (!matched && style == 2 && search.size() > Typed.size()) matched = SearchLookupItem(Typed);
  if (matched || style != 0) Ch = 0;
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
  const TTextSelectionSplit split = SplitAtSelection();
  const std::string& before = split.Before;
  const std::string& after = split.After;
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
    TFlagScope syncing(FSyncingDisplayValue, true);
    DataBinding()->PushDisplayValue(displayValue);
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
  if (ActiveTextProperties()->UsesLookupData()) FListHighlightShown = false;
  ResolveTypedText();
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
      const std::string text = (FDestroying ? FSavedText : GetEditingText()).substr(0, Message.WParam - 1);
      auto* buffer = reinterpret_cast<char*>(Message.LParam);
      memcpy(buffer, text.c_str(), text.size() + 1);
      Message.Result = static_cast<LRESULT>(text.size());
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>((FDestroying ? FSavedText : GetEditingText()).size());
      return;
    case WM_CLEAR:
      if (!ActiveTextProperties()->GetReadOnly() && DataBinding()->CanReadData()) {
        const bool previous = UserEditInProgress();
        SetUserEditInProgress(true);
        try {
          ClearTextCommand();
        } catch (...) {
          SetUserEditInProgress(previous);
          throw;
        }
        SetUserEditInProgress(previous);
      }
      return;
    case DXM_TEXTEDIT_REPLACETEXT:
      if (Message.WParam) ReplaceTextFromExtension(*reinterpret_cast<const TcxTextEditReplaceTextParams*>(Message.WParam));
      break;
    case WM_COMMAND:
      TcxCustomEdit::WndProc(Message);
      switch (HIWORD(Message.WParam)) {
        case EN_CHANGE: NotifyExtensionTextChanged(); break;
        case EN_HSCROLL:
        case EN_VSCROLL: NotifyExtensionScrolled(); break;
        default: break;
      }
      return;
    case WM_SETTEXT:
      if (FSettingTextInternally) break;
      Message.Result = 0;
      {
        TFlagScope setting(FSettingTextInternally, true);
        if (IsTextAcceptable(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "")) Message.Result = 1;
      }
      return;
    default:
      break;
  }
  TcxCustomEdit::WndProc(Message);
}

bool TcxCustomTextEdit::InnerControlMessage(TMessage& Message)
{
  DispatchExtensionMessage(Message);
  return TcxCustomEdit::InnerControlMessage(Message);
}

TClassRef<TcxCustomEdit> TcxTextEditProperties::TMeta::ContainerClassType() const { return ClassRef<TcxTextEdit>(); }
