// The text editor's side of typing: the list highlight and its painted selection, the typed text
// in the view info, lookup items chosen by the lookup data, thousand separators while typing, and
// the optional extension object's notices and text replacement.
#include "toolkit/editors/cxTextEdit.h"

#include <algorithm>
#include <cstdlib>
#include "classlib/Encoding.h"
#include "classlib/Variant.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxEditViewData.h"
#include "classlib/SysUtils.h"
#include "toolkit/editors/cxFormats.h"
#include "toolkit/editors/cxTextEditViewInfo.h"

IcxTextEditExtension* TextEditExtension = nullptr;

IcxInnerTextEdit* TcxCustomTextEdit::InnerTextEditInterface() const
{
  return InnerTextEdit() ? InnerTextEdit()->Helper() : nullptr;
}

void TcxCustomTextEdit::SetListHighlightShown(bool Value)
{
  if (!HandleAllocated() || FListHighlightShown == Value || FListHighlightLocked) return;
  FListHighlightShown = Value;
  RefreshStateAtCursor(false);
  ResolveTypedText();
}

void TcxCustomTextEdit::SetSelection(int Start, int Length)
{
  SetSelStart(Start);
  SetSelLength(Length);
}

bool TcxCustomTextEdit::IsPlainTextEditable()
{
  return ActiveTextProperties()->EchoMode() == eemNormal && CanModify();
}

void TcxCustomTextEdit::ReapplyProperties()
{
  ActiveTextProperties()->Changed();
  SynchronizeDisplayValue();
}

bool TcxCustomTextEdit::IsUnfocusedStandalone() { return !IsInplace() && CanPostValue() && !Focused(); }

void TcxCustomTextEdit::StoreDisplayTextAsValue() { StoreEditValueUnchecked(Variant(Text())); }

void TcxCustomTextEdit::SetTextFromOutside(const std::string& Text, bool Post)
{
  {
    TFlagScope external(FExternalChange, true);
    ApplyTextChange(Text);
  }
  if (Post && IsUnfocusedStandalone()) {
    LockChangeEvents(true);
    try {
      StoreDisplayTextAsValue();
      PostEditValue(false);
    } catch (...) {
      LockChangeEvents(false);
      throw;
    }
    LockChangeEvents(false);
  }
  SetModified(true);
}

// --- The extension object ---

void TcxCustomTextEdit::NotifyExtensionRefresh()
{
  if (TextEditExtension && InnerTextEdit()) TextEditExtension->Refresh(InnerTextEdit());
}

void TcxCustomTextEdit::NotifyExtensionScrolled()
{
  if (IcxInnerTextEdit* inner = InnerTextEditInterface()) FReportedFirstChar = inner->FirstVisibleCharIndex();
  if (TextEditExtension && InnerTextEdit()) TextEditExtension->Scrolled(InnerTextEdit());
}

void TcxCustomTextEdit::NotifyExtensionSelectionChanged()
{
  if (TextEditExtension && InnerTextEdit()) TextEditExtension->SelectionChanged(InnerTextEdit());
}

void TcxCustomTextEdit::NotifyExtensionTextChanged()
{
  if (TextEditExtension && InnerTextEdit()) TextEditExtension->TextChanged(InnerTextEdit());
}

void TcxCustomTextEdit::NotifyEditValueChanged()
{
  TcxCustomEdit::NotifyEditValueChanged();
  NotifyExtensionTextChanged();
}

void TcxCustomTextEdit::CheckScrollOrSelection()
{
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner || !InnerTextEdit()->HandleAllocated()) return;
  if (inner->FirstVisibleCharIndex() != FReportedFirstChar) {
    NotifyExtensionScrolled();
  } else if (inner->SelStart() != FReportedSelStart || inner->SelLength() != FReportedSelLength) {
    FReportedSelStart = inner->SelStart();
    FReportedSelLength = inner->SelLength();
    NotifyExtensionSelectionChanged();
  }
}

void TcxCustomTextEdit::DispatchExtensionMessage(TMessage& Message)
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!TextEditExtension || !inner) return;
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_SETFONT:
      NotifyExtensionScrolled();
      break;
    case WM_SETFOCUS:
      TextEditExtension->FocusSet(inner);
      break;
    case WM_KILLFOCUS:
      TextEditExtension->FocusLost(inner);
      break;
    case WM_PAINT:
    case WM_CTLCOLOREDIT:
    case CN_CTLCOLOREDIT:
      TextEditExtension->Painted(inner);
      if (inner->HandleAllocated()) PostMessageA(inner->Handle(), DXM_TEXTEDIT_REFRESHEXTENSION, 0, 0);
      break;
    case EM_UNDO:
    case WM_UNDO:
      TextEditExtension->Undone(inner);
      break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      CheckScrollOrSelection();
      break;
    case DXM_TEXTEDIT_REFRESHEXTENSION: {
      // One refresh for any number of paints queued meanwhile.
      MSG queued;
      if (inner->HandleAllocated())
        while (PeekMessageA(&queued, inner->Handle(), DXM_TEXTEDIT_REFRESHEXTENSION, DXM_TEXTEDIT_REFRESHEXTENSION,
                            PM_REMOVE)) {
        }
      NotifyExtensionRefresh();
      break;
    }
    default:
      break;
  }
}

bool TcxCustomTextEdit::IsOwnWindow(HWND Window)
{
  return TcxCustomEdit::IsOwnWindow(Window) || (TextEditExtension && TextEditExtension->IsOwnWindow(Window));
}

void TcxCustomTextEdit::ReplaceTextFromExtension(const TcxTextEditReplaceTextParams& Params)
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || !inner->HandleAllocated()) return;
  TFlagScope external(FExternalChange, true);
  SendMessageA(inner->Handle(), EM_SETSEL, Params.SelStart, Params.SelStart + Params.SelLength);
  const std::string text = WideToAnsi(Params.Text);
  SendMessageA(inner->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(inner->Handle(), EM_SETSEL, Params.CaretPos, Params.CaretPos);
}

// --- The typed text in the view info ---

void TcxCustomTextEdit::UpdateListSelectionColors()
{
  auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(ViewInfo());
  const int style = EditingStyle();
  if (!textInfo || style < 2) return;
  if (style == 3 && (!FLookupMatched || !ActiveTextProperties()->GrowingListPrefix())) {
    textInfo->MarkStart = 0;
    textInfo->MarkLength = 0;
    return;
  }
  const int length = InnerTextEdit() ? InnerTextEdit()->SelLength() : 0;
  if (FListHighlightShown) {
    // The whole text shows as the list's selected item: the typed part highlighted.
    textInfo->MarkStart = 0;
    textInfo->MarkLength = static_cast<int>(AnsiToWide(Text()).size()) - length;
    textInfo->MarkTextColor = clHighlightText;
    textInfo->MarkBackColor = clHighlight;
  } else {
    textInfo->MarkStart = InnerTextEdit() ? InnerTextEdit()->SelStart() : 0;
    textInfo->MarkLength = length;
    textInfo->MarkTextColor = clHighlight;
    textInfo->MarkBackColor = clHighlightText;
  }
}

void TcxCustomTextEdit::ResolveTypedText()
{
  auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(ViewInfo());
  if (!textInfo) return;
  TOwned<TcxCustomEditViewData> viewData = CreateEditViewData();
  viewData->ApplyValueToViewInfo(nullptr, Variant(Text()), textInfo);
  if (!HandleAllocated()) return;
  RefreshStateAtCursor(false);
  UpdateListSelectionColors();
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

bool TcxCustomTextEdit::DoRefreshState(POINT P, int Button, TShiftState Shift)
{
  const bool changed = TcxCustomEdit::DoRefreshState(P, Button, Shift);
  if (changed) UpdateInnerEditAppearance();
  return changed;
}

void TcxCustomTextEdit::UpdateInnerEditAppearance()
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || IsLoading()) return;
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  inner->AdjustBoundsHold(true);
  try {
    inner->SetColor(viewInfo->BackgroundColor);
    inner->Font()->Assign(GetVisibleFont());
    if (viewInfo->ContentTextColor != clDefault) inner->Font()->SetColor(viewInfo->ContentTextColor);
  } catch (...) {
    inner->AdjustBoundsHold(false);
    throw;
  }
  inner->AdjustBoundsHold(false);
}

void TcxCustomTextEdit::ReformatIfNeeded()
{
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (properties->UsesValueBounds() && InnerTextEdit() && properties->HasAnyBound()) ReformatValue();
}

void TcxCustomTextEdit::InnerEditChanged(TObject* Sender)
{
  LockChangeEvents(true);
  try {
    if (FSyncingDisplayValue) {
      PushModifiedState();
      try {
        TcxCustomEdit::InnerEditChanged(Sender);
      } catch (...) {
        PopModifiedState();
        throw;
      }
      PopModifiedState();
    } else {
      TcxCustomEdit::InnerEditChanged(Sender);
    }
    ResolveTypedText();
    TcxCustomTextEditProperties* properties = ActiveTextProperties();
    if (Focused() && properties->UsesValueBounds() && properties->UsesThousandSeparator()) ReinsertThousandSeparators();
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomTextEdit::ReinsertThousandSeparators()
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const std::string text = Text();
  std::string separated = text;
  InsertThousandSeparators(separated);
  if (separated == text) return;
  std::string plain = separated;
  RemoveThousandSeparators(plain);
  char* end = nullptr;
  std::strtod(plain.c_str(), &end);
  if (plain.empty() || end != plain.c_str() + plain.size()) return;  // not a number (yet): kept as typed
  // The caret stays after as many non-separator characters as before.
  const std::string& separator = FormatSettings().ThousandSeparator;
  auto isSeparator = [&](const std::string& t, size_t i) {
    return !separator.empty() && t.compare(i, separator.size(), separator) == 0;
  };
  const size_t caret = static_cast<size_t>(inner->SelStart());
  int kept = 0;
  for (size_t i = 0; i < caret && i < text.size(); ++i)
    if (!isSeparator(text, i)) ++kept;
  ApplyDisplayValue(Variant(separated));
  size_t position = 0;
  for (int seen = 0; position < separated.size() && seen < kept; ++position)
    if (!isSeparator(separated, position)) ++seen;
  inner->SetSelStart(static_cast<int>(position));
}

void TcxCustomTextEdit::ClearTextCommand()
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || inner->SelLength() == 0) return;
  const bool previous = UserEditInProgress();
  SetUserEditInProgress(Focused() || FExternalChange);
  const int start = inner->SelStart();
  const TTextSelectionSplit split = SplitAtSelection();
  const bool accepted = IsTextValid(split.Before + split.After);
  SetUserEditInProgress(previous);
  if (accepted) inner->SetSelStart(start);
}

void TcxCustomTextEdit::ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error)
{
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (properties->CanValidate() && EditingStyle() == 0 && properties->UsesLookupData() && FLookupMatched &&
      FLookupData && FLookupData->CurrentItem() >= 0) {
    // A completed text takes the item's letter case.
    const std::string item = FLookupData->GetDisplayText(FLookupData->CurrentKey());
    std::string text;
    try {
      text = VarToStrDef(DisplayValue, "");
    } catch (const Exception&) {
    }
    if (AnsiSameText(item, text)) DisplayValue = Variant(item);
  }
  TcxCustomEdit::ValidateDisplayValue(DisplayValue, ErrorText, Error);
}
