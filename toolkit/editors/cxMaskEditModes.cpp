#include "toolkit/editors/cxMaskEditModes.h"

#include <algorithm>
#include <utility>
#include "classlib/SysUtils.h"
#include "classlib/Variant.h"
#include "toolkit/editors/cxEditConsts.h"
#include "toolkit/editors/cxMaskEdit.h"

namespace {
constexpr std::string_view MaskKindNames[] = {"emkStandard", "emkRegExpr", "emkRegExprEx"};
}  // namespace

const TEnumInfo cxEditMaskKindInfo = EnumInfo<emkRegExprEx>("TcxEditMaskKind", MaskKindNames);

bool IsBlankMask(std::string_view mask)
{
  return std::all_of(mask.begin(), mask.end(), [](char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
  });
}

// --- TcxMaskEditCustomMode ---

CL_DEFINE_CLASS(TcxMaskEditCustomMode);

TcxMaskEditCustomMode::TcxMaskEditCustomMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties)
    : FOwnerEdit(Edit), FOwnProperties(Edit ? nullptr : Properties)
{
  if (TcxCustomMaskEditProperties* properties = GetModeProperties()) {
    FCharCase = properties->CharCase();
    FEchoMode = properties->EchoMode();
  }
}

TcxCustomMaskEditProperties* TcxMaskEditCustomMode::GetModeProperties() const
{
  return FOwnerEdit ? FOwnerEdit->ActiveMaskProperties() : FOwnProperties;
}

bool TcxMaskEditCustomMode::HasEdit() const { return FOwnerEdit && FOwnerEdit->InnerTextEdit(); }

void TcxMaskEditCustomMode::PushValueToEdit()
{
  if (!HasEdit()) return;
  std::string text;
  if (FOwnerEdit->Modified()) {
    FormatText(FOwnerEdit->Text(), true, text);
  } else {
    Variant display;
    GetModeProperties()->EditValueToDisplayValue(FOwnerEdit->EditValue(), display, FOwnerEdit->Focused());
    text = VarToStrDef(display, "");
  }
  FOwnerEdit->ApplyDisplayValue(Variant(text));
}

std::string TcxMaskEditCustomMode::Text() const { return HasEdit() ? FOwnerEdit->Text() : std::string(); }

namespace {
// The bytes of the first Chars characters of an ANSI text, and the characters that its first
// Bytes bytes start.
int BytesOfChars(std::string_view text, int chars)
{
  return static_cast<int>(cxAnsiCharsPrefixLength(text, static_cast<size_t>(std::max(chars, 0))));
}
int CharsOfBytes(std::string_view text, int bytes)
{
  int chars = 0;
  for (size_t i = 0; i < text.size() && static_cast<int>(i) < bytes; ++chars)
    i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
  return chars;
}
}  // namespace

int TcxMaskEditCustomMode::SelStart() const
{
  return HasEdit() ? BytesOfChars(Text(), FOwnerEdit->InnerTextEdit()->SelStart()) : 0;
}

int TcxMaskEditCustomMode::SelLength() const
{
  if (!HasEdit()) return 0;
  const std::string text = Text();
  const int start = FOwnerEdit->InnerTextEdit()->SelStart();
  return BytesOfChars(text, start + FOwnerEdit->InnerTextEdit()->SelLength()) - BytesOfChars(text, start);
}

int TcxMaskEditCustomMode::CaretIndex() const
{
  if (!HasEdit()) return 0;
  TcxCustomInnerTextEdit* inner = FOwnerEdit->InnerTextEdit();
  const int start = inner->SelStart(), length = inner->SelLength();
  int caret = start + length;
  // The EDIT window keeps the caret at either end of the selection: find it by its pixel position.
  POINT point;
  if (length > 0 && inner->HandleAllocated() && GetFocus() == inner->Handle() && GetCaretPos(&point)) {
    const LRESULT at = SendMessageA(inner->Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(start), 0);
    if (static_cast<short>(LOWORD(at)) == point.x) caret = start;
  }
  return BytesOfChars(Text(), caret);
}

void TcxMaskEditCustomMode::SetSelection(int Start, int Length, bool CaretAtStart)
{
  if (!HasEdit() || !FOwnerEdit->InnerTextEdit()->HandleAllocated()) return;
  TFlagScope selecting(FOwnerEdit->FSelectingInternally, true);
  const std::string text = Text();
  const int start = CharsOfBytes(text, Start), end = CharsOfBytes(text, Start + std::max(Length, 0));
  SendMessageA(FOwnerEdit->InnerTextEdit()->Handle(), EM_SETSEL, static_cast<WPARAM>(CaretAtStart ? end : start),
               static_cast<LPARAM>(CaretAtStart ? start : end));
}

int TcxMaskEditCustomMode::CharBytesBefore(std::string_view Text, int Position)
{
  int last = 0;
  for (size_t i = 0; static_cast<int>(i) < Position && i < Text.size(); i += static_cast<size_t>(last))
    last = IsDBCSLeadByte(static_cast<BYTE>(Text[i])) && i + 1 < Text.size() ? 2 : 1;
  return Position > 0 ? last : 0;
}

int TcxMaskEditCustomMode::CharBytesAt(std::string_view Text, int Position)
{
  const auto at = static_cast<size_t>(std::max(Position, 0));
  if (at >= Text.size()) return 0;
  return IsDBCSLeadByte(static_cast<BYTE>(Text[at])) && at + 1 < Text.size() ? 2 : 1;
}


void TcxMaskEditCustomMode::ShowText(const std::string& Text)
{
  if (!HasEdit()) return;
  const int start = SelStart(), length = SelLength();
  TFlagScope selecting(FOwnerEdit->FSelectingInternally, true);
  FOwnerEdit->ApplyDisplayValue(Variant(Text));
  SetSelection(start, length);
}

bool TcxMaskEditCustomMode::ShiftHeld() const { return FOwnerEdit && FOwnerEdit->ShiftHeld(); }

void TcxMaskEditCustomMode::SetShiftHeld(bool Value)
{
  if (FOwnerEdit) FOwnerEdit->SetShiftHeld(Value);
}

void TcxMaskEditCustomMode::SendOwnKey(WORD Key)
{
  if (HasEdit()) FOwnerEdit->SendOwnKey(Key);
}

void TcxMaskEditCustomMode::SendOwnChar(char Ch)
{
  if (HasEdit()) FOwnerEdit->SendOwnChar(Ch);
}

void TcxMaskEditCustomMode::SignalError()
{
  if (TcxCustomMaskEditProperties* properties = GetModeProperties(); properties && properties->BeepOnError())
    SysMessageBeep(MB_OK);
}

// --- TcxMaskEditStandardMode ---

CL_DEFINE_CLASS(TcxMaskEditStandardMode);

TcxMaskEditStandardMode::TcxMaskEditStandardMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties)
    : TcxMaskEditCustomMode(Edit, Properties), FMask(MakeOwned<TcxStandardMask>())
{
}

bool TcxMaskEditStandardMode::IsLiteral(int Position) const
{
  return Position >= 0 && Position < FMask->Count() &&
         FMask->GetItem(Position)->InheritsFrom(ClassRef<TcxStandardMaskLiteralItem>().Class());
}

void TcxMaskEditStandardMode::CompileMask(const std::string& Mask)
{
  FEditMask = Mask;
  if (IsBlankMask(Mask)) {
    FMask->SetMask("");
    return;
  }
  FMask->SetMask(Mask);
  if (!HasEdit()) FEmptyValuePending = true;
}

void TcxMaskEditStandardMode::FormatText(const std::string& Text, bool LiteralsInText, std::string& Result)
{
  Result = Text;
  FMask->Format(Result, true, LiteralsInText);
}

bool TcxMaskEditStandardMode::IsAtFirstPosition()
{
  int literals = 0;
  while (IsLiteral(literals)) ++literals;
  const int start = SelStart();
  return start <= literals && (SelLength() < 2 || CaretIndex() == start);
}

bool TcxMaskEditStandardMode::IsAtLastPosition() { return SelStart() == static_cast<int>(Text().size()); }

bool TcxMaskEditStandardMode::IsTextComplete(const std::string& Text)
{
  std::string text = Text;
  if (FMask->IsFullValid(text)) return true;
  if (!GetModeProperties()->IgnoreMaskBlank()) return false;
  std::string empty;
  FormatText(FMask->GetEmptyText(), true, empty);
  return Text == empty;
}

void TcxMaskEditStandardMode::AdjustSelection()
{
  if (HasEdit() && OwnerEdit()->InnerTextEdit()->HandleAllocated() && FMask->Count() > 0 && SelLength() == 0)
    SetSelection(SelStart(), 1);
}

void TcxMaskEditStandardMode::PrepareClipboardPaste()
{
  FPasteStart = SelStart();
  SetSelection(FPasteStart, PasteLength());
}

void TcxMaskEditStandardMode::AfterClipboardPaste()
{
  const int last = static_cast<int>(Text().size());
  const int caret = std::clamp(FPasteStart + PasteLength(), 0, std::max(last, 0));
  SetCaret(caret);
  AdjustSelection();
  if (IsLiteral(caret)) {
    SetShiftHeld(false);
    PressRight();
  }
}

bool TcxMaskEditStandardMode::PressBackspace()
{
  if (SelLength() <= 1) PressLeft();
  PressDelete();
  return false;
}

bool TcxMaskEditStandardMode::PressDelete()
{
  const int start = SelStart(), end = SelEnd();
  std::string text = Text();
  OwnerEdit()->LockChangeEvents(true);
  try {
    for (int i = start; i < end && i < static_cast<int>(text.size()); ++i) {
      if (IsLiteral(i) || i >= FMask->Count()) continue;
      text[static_cast<size_t>(i)] = GetBlankChar();
      OwnerEdit()->ApplyDisplayValue(Variant(text));
    }
  } catch (...) {
    OwnerEdit()->LockChangeEvents(false);
    throw;
  }
  OwnerEdit()->LockChangeEvents(false);
  SetCaret(start);
  AdjustSelection();
  return false;
}

bool TcxMaskEditStandardMode::PressEnd()
{
  if (ShiftHeld()) return true;
  SetCaret(static_cast<int>(Text().size()));
  return false;
}

bool TcxMaskEditStandardMode::PressHome()
{
  if (ShiftHeld()) return true;
  SetCaret(0);
  AdjustSelection();
  if (IsLiteral(0)) PressRight();
  return false;
}

bool TcxMaskEditStandardMode::PressLeft()
{
  const int start = SelStart(), length = SelLength();
  if (ShiftHeld()) {
    if (length == 1) {
      SetCaret(start + 1);
      SendOwnKey(VK_LEFT);
      SendOwnKey(VK_LEFT);
    }
    return true;
  }
  int caret = start;
  if (length >= 2) {
    const int end = start + length;
    int p = start;
    while (p < end && IsLiteral(p)) ++p;
    if (p < end)
      caret = p;
    else
      caret = end >= static_cast<int>(Text().size()) ? end : start;
  } else {
    int q = start - 1;
    while (q >= 0 && IsLiteral(q)) --q;
    if (q >= 0) caret = q;
  }
  SetCaret(caret);
  AdjustSelection();
  return false;
}

bool TcxMaskEditStandardMode::PressRight()
{
  const int start = SelStart(), length = SelLength();
  const int textLength = static_cast<int>(Text().size());
  if (ShiftHeld()) {
    if (length == 1) SetCaret(start);
    return true;
  }
  int caret = start;
  if (length < 2) {
    int q = start + 1;
    while (q < textLength && IsLiteral(q)) ++q;
    if (q <= textLength) caret = q;
  } else {
    const int end = start + length;
    if (end >= textLength) {
      caret = textLength;
    } else {
      int last = end - 1;
      while (last >= start && IsLiteral(last)) --last;
      caret = last >= start ? last : end - 1;
    }
  }
  SetCaret(caret);
  AdjustSelection();
  return false;
}

bool TcxMaskEditStandardMode::PressSymbol(char& Ch)
{
  std::string text = Text();
  const int position = SelStart();
  if (text.empty() || position >= static_cast<int>(text.size())) return false;
  if (IsLiteral(position)) {
    SetShiftHeld(false);
    if (SelLength() > 1) PressDelete();
    PressRight();
    if (SelStart() != position) return PressSymbol(Ch);
    return false;
  }
  char ch = Ch;
  if (position < FMask->Count() && FMask->GetItem(position)->Accepts(ch) &&
      OwnerEdit()->CanAcceptMaskInput(ch, position + 1) && ch != 0) {
    if (SelLength() > 1) PressDelete();
    text = Text();
    text[static_cast<size_t>(position)] = ch;
    OwnerEdit()->ApplyDisplayValue(Variant(text));
    SetCaret(position);
    SetShiftHeld(false);
    PressRight();
    Ch = ch;
  } else {
    SignalError();
  }
  return false;
}

void TcxMaskEditStandardMode::ApplyTextToMode(const std::string&) { AdjustSelection(); }

void TcxMaskEditStandardMode::PushValueToEdit()
{
  TcxMaskEditCustomMode::PushValueToEdit();
  AdjustSelection();
}

void TcxMaskEditStandardMode::FlushPendingValue()
{
  if (!FEmptyValuePending || !OwnerEdit()) return;
  FEmptyValuePending = false;
  OwnerEdit()->RestoreEditValue(Variant(FMask->GetEmptyValueText()));
}

void TcxMaskEditStandardMode::FormatTextForDisplay(const std::string& Text, bool LiteralsInText, std::string& Result)
{
  Result = Text;
  if (FMask->Count() == 0) return;
  FMask->Format(Result, CharCase() == ecNormal, LiteralsInText);
  FMask->GetValueText(Result);
}

// --- TcxMaskEditRegExprMode ---

CL_DEFINE_CLASS(TcxMaskEditRegExprMode);

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties)
    : TcxMaskEditCustomMode(Edit, Properties), FRegExpr(MakeOwned<TcxRegExpr>())
{
  UpdateCaseInsensitive();
}

void TcxMaskEditRegExprMode::UpdateCaseInsensitive()
{
  if (TcxCustomMaskEditProperties* properties = GetModeProperties())
    FRegExpr->SetCaseInsensitive(properties->CaseInsensitive());
}

void TcxMaskEditRegExprMode::CompileMask(const std::string& Mask)
{
  FEditMask = Mask;
  FAccepted.clear();
  FPending.clear();
  FTakenOut.clear();
  if (IsBlankMask(Mask)) {
    FRegExpr->ClearAll();
    return;
  }
  TOwned<TStringStream> source = MakeOwned<TStringStream>(Mask);
  try {
    FRegExpr->CompileMask(source.get());
  } catch (const EcxRegExprError& e) {
    std::string message = GetResStringText(&scxMaskEditRegExprError);
    for (const TcxRegExprError& error : e.Errors()) message += "\r\n" + error.FullText();
    throw EcxMaskEditError(message);
  }
}

bool TcxMaskEditRegExprMode::TakeTypedByte(char& Ch, std::string& Typed)
{
  if (FHeldLeadByte) {
    Typed = {std::exchange(FHeldLeadByte, '\0'), Ch};
    return true;
  }
  if (IsDBCSLeadByte(static_cast<BYTE>(Ch))) {
    FHeldLeadByte = Ch;
    Ch = 0;
    return false;
  }
  Typed.assign(1, Ch);
  return true;
}

bool TcxMaskEditRegExprMode::FeedCharacter(std::string& Typed) { return FeedText(Typed) == 1; }

int TcxMaskEditRegExprMode::FeedText(std::string& Text)
{
  std::string rewritten;
  int taken = 0;
  ForEachRegExprChar(Text, [&](TcxRegExprChar ch, size_t) {
    if (Feed(ch)) ++taken;
    rewritten += ch.Text();
  });
  Text = std::move(rewritten);
  return taken;
}

void TcxMaskEditRegExprMode::PassLeadByte(const std::string& Typed)
{
  if (Typed.size() == 2) SendOwnChar(Typed[0]);
}

void TcxMaskEditRegExprMode::Reset()
{
  if (FRegExpr->Compiled()) FRegExpr->Restart();
}

TOwned<TcxRegExpr> TcxMaskEditRegExprMode::FreshExpression() const
{
  if (!FRegExpr->Compiled()) return {};
  TOwned<TcxRegExpr> expression = MakeOwned<TcxRegExpr>();
  expression->SetCaseInsensitive(FRegExpr->CaseInsensitive());
  TOwned<TStringStream> source = MakeOwned<TStringStream>(FEditMask);
  expression->CompileMask(source.get());
  return expression;
}

void TcxMaskEditRegExprMode::FormatText(const std::string& Text, bool, std::string& Result)
{
  Result.clear();
  if (!FRegExpr->Compiled()) return;
  FRegExpr->Restart();
  FRegExpr->StepText(Text, Result);
}

void TcxMaskEditRegExprMode::FormatTextForDisplay(const std::string& Text, bool, std::string& Result) { Result = Text; }

void TcxMaskEditRegExprMode::Synchronize()
{
  const std::string text = Text();
  if (!((FAccepted.empty() && FPending.empty() && !text.empty()) || FCaretMovedByMouse)) return;
  FCaretMovedByMouse = false;
  FAccepted.clear();
  FPending = text;
  Reset();
  const int caret = std::min(CaretIndex(), static_cast<int>(FPending.size()));
  std::string head = FPending.substr(0, static_cast<size_t>(caret));
  FeedText(head);
  FAccepted = FPending.substr(0, static_cast<size_t>(caret));
  FPending.erase(0, static_cast<size_t>(caret));
}

bool TcxMaskEditRegExprMode::PendingFits()
{
  if (!FRegExpr->Compiled()) return FPending.empty();
  std::string pending = FPending;
  const int fed = FeedText(pending);
  for (int i = 0; i < fed; ++i) FRegExpr->StepBack();
  return fed == RegExprCharCount(FPending);
}

void TcxMaskEditRegExprMode::CutTail()
{
  std::string text = Text();
  const size_t start = std::min<size_t>(static_cast<size_t>(SelStart()), text.size());
  text.erase(start, FPending.size());
  ShowText(text);
  SetCaret(static_cast<int>(start));
  FPending.clear();
}

void TcxMaskEditRegExprMode::SplitAtSelection()
{
  FTakenOut.clear();
  const int start = SelStart(), length = SelLength();
  if (length == 0) return;
  if (start == static_cast<int>(FAccepted.size())) {
    FTakenOut = FPending.substr(0, static_cast<size_t>(length));
    FPending.erase(0, FTakenOut.size());
    FTakenFromPending = true;
  } else if (start + length == static_cast<int>(FAccepted.size())) {
    FTakenOut = FAccepted.substr(static_cast<size_t>(start));
    FAccepted.resize(static_cast<size_t>(start));
    for (int i = RegExprCharCount(FTakenOut); i > 0; --i) FRegExpr->StepBack();
    FTakenFromPending = false;
  }
}

void TcxMaskEditRegExprMode::RejoinSelection()
{
  if (FTakenOut.empty()) return;
  if (FTakenFromPending) {
    FPending = FTakenOut + FPending;
  } else {
    FeedText(FTakenOut);
    FAccepted += FTakenOut;
  }
  FTakenOut.clear();
}

bool TcxMaskEditRegExprMode::IsAtLastPosition() { return SelStart() == static_cast<int>(Text().size()); }

bool TcxMaskEditRegExprMode::IsTextComplete(const std::string& Text)
{
  if (Text.empty()) return true;
  TOwned<TcxRegExpr> expression = FreshExpression();
  if (!expression) return true;
  bool taken = true;
  ForEachRegExprChar(Text, [&](TcxRegExprChar ch, size_t) { taken = taken && expression->StepChar(ch); });
  if (!taken) return false;
  return GetModeProperties()->IgnoreMaskBlank() || expression->AtAcceptingState();
}

bool TcxMaskEditRegExprMode::AcceptRemainingText()
{
  Synchronize();
  std::string pending = FPending;
  FeedText(pending);
  FAccepted += FPending;
  FPending.clear();
  return true;
}

bool TcxMaskEditRegExprMode::PressEnd() { return AcceptRemainingText(); }

bool TcxMaskEditRegExprMode::PressHome()
{
  Synchronize();
  FPending = FAccepted + FPending;
  FAccepted.clear();
  Reset();
  return true;
}

bool TcxMaskEditRegExprMode::PressLeft()
{
  Synchronize();
  if (FAccepted.empty()) return true;
  const int length = SelLength();
  const int caret = CaretIndex();
  int count = CharBytesBefore(FAccepted, static_cast<int>(FAccepted.size()));
  if (length > 0 && !ShiftHeld()) count = caret == SelEnd() && caret != SelStart() ? length : 0;
  count = std::min(count, static_cast<int>(FAccepted.size()));
  const std::string moved = FAccepted.substr(FAccepted.size() - static_cast<size_t>(count));
  for (int i = RegExprCharCount(moved); i > 0; --i) FRegExpr->StepBack();
  FPending.insert(0, moved);
  FAccepted.resize(FAccepted.size() - moved.size());
  return true;
}

bool TcxMaskEditRegExprMode::PressRight()
{
  Synchronize();
  if (FPending.empty()) return true;
  const int length = SelLength();
  const int caret = CaretIndex();
  int count = CharBytesAt(FPending, 0);
  if (length > 0 && !ShiftHeld()) count = caret == SelStart() ? length : 0;
  count = std::min(count, static_cast<int>(FPending.size()));
  std::string moved = FPending.substr(0, static_cast<size_t>(count));
  FAccepted += moved;
  FPending.erase(0, moved.size());
  FeedText(moved);
  return true;
}

bool TcxMaskEditRegExprMode::PressBackspace()
{
  Synchronize();
  bool result = true;
  if (SelLength() > 0) {
    SplitAtSelection();
    if (!PendingFits()) {
      SendOwnChar('\b');
      CutTail();
      SignalError();
      result = false;
    }
  } else if (!FAccepted.empty()) {
    FRegExpr->StepBack();
    FAccepted.resize(FAccepted.size() - static_cast<size_t>(CharBytesBefore(FAccepted, static_cast<int>(FAccepted.size()))));
    if (!PendingFits()) CutTail();
  }
  FTakenOut.clear();
  return result;
}

bool TcxMaskEditRegExprMode::PressDelete()
{
  Synchronize();
  bool result = true;
  if (SelLength() > 0) {
    SplitAtSelection();
    if (!PendingFits()) {
      SendOwnKey(VK_DELETE);
      CutTail();
      SignalError();
      result = false;
    }
  } else if (!FPending.empty()) {
    FPending.erase(0, static_cast<size_t>(CharBytesAt(FPending, 0)));
    if (!PendingFits()) {
      // The deleted character and the rest that no longer fits go together.
      std::string text = Text();
      const size_t start = std::min<size_t>(static_cast<size_t>(SelStart()), text.size());
      text.resize(start);
      ShowText(text);
      SetCaret(static_cast<int>(start));
      FPending.clear();
      result = false;
    }
  }
  FTakenOut.clear();
  return result;
}

bool TcxMaskEditRegExprMode::PressSymbol(char& Ch)
{
  std::string typed;
  if (!TakeTypedByte(Ch, typed)) return false;
  Synchronize();
  const bool selected = SelLength() > 0;
  if (selected) SplitAtSelection();
  if (!FeedCharacter(typed)) {
    RejoinSelection();
    SignalError();
    Ch = 0;
    return false;
  }
  Ch = typed.back();
  FAccepted += typed;
  bool result = true;
  if (!PendingFits()) {
    if (selected && !FTakenOut.empty()) {
      SendOwnKey(VK_DELETE);
      for (char c : typed) SendOwnChar(c);
      result = false;
    }
    CutTail();
  }
  FTakenOut.clear();
  if (result) PassLeadByte(typed);
  return result;
}

void TcxMaskEditRegExprMode::ApplyTextToMode(const std::string& Text)
{
  // The next key puts Accepted and Pending in step with the caret the new text leaves.
  FAccepted.clear();
  FPending = Text;
  FTakenOut.clear();
  Reset();
  FCaretMovedByMouse = HasEdit();
  SetPasteLength(0);
}

void TcxMaskEditRegExprMode::PushValueToEdit()
{
  TcxMaskEditCustomMode::PushValueToEdit();
  SetCaret(static_cast<int>(Text().size()));
  FAccepted.clear();
  FPending = Text();
  Reset();
  FCaretMovedByMouse = HasEdit();
}

// --- TcxMaskEditRegExprExMode ---

CL_DEFINE_CLASS(TcxMaskEditRegExprExMode);

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties)
    : TcxMaskEditRegExprMode(Edit, Properties)
{
  FRegExpr->SetOnLiteralStepForward(TcxRegExprLiteralStepForwardEvent(this, &TcxMaskEditRegExprExMode::LiteralStepForward));
  FRegExpr->SetOnLiteralStepBack(TcxRegExprLiteralStepBackEvent(this, &TcxMaskEditRegExprExMode::LiteralStepBack));
}

void TcxMaskEditRegExprExMode::LiteralStepForward(TcxRegExprChar Ch) { FForced += Ch.Text(); }

void TcxMaskEditRegExprExMode::LiteralStepBack() { ++FForcedDeleted; }

void TcxMaskEditRegExprExMode::CompileMask(const std::string& Mask)
{
  TcxMaskEditRegExprMode::CompileMask(Mask);
  if (!IsBlankMask(Mask) && !HasEdit()) FEmptyValuePending = true;
}

std::string TcxMaskEditRegExprExMode::StepForced()
{
  FForced.clear();
  if (!FRegExpr->Compiled()) return {};
  FRegExpr->SetAutoStepLiterals(true);
  FRegExpr->SetAutoStepLiterals(false);
  return FForced;
}

std::string TcxMaskEditRegExprExMode::Replay(std::string_view Text)
{
  std::string taken;
  if (!FRegExpr->Compiled()) return taken;
  FRegExpr->SetAutoStepLiterals(false);
  FRegExpr->Restart();
  FRegExpr->StepText(Text, taken);
  return taken;
}

std::string TcxMaskEditRegExprExMode::ForcedPrefix()
{
  Replay({});
  FForcedPrefix = StepForced();
  return FForcedPrefix;
}

void TcxMaskEditRegExprExMode::GetEmptyText(std::string& Text) { Text = ForcedPrefix(); }

void TcxMaskEditRegExprExMode::FormatText(const std::string& Text, bool, std::string& Result)
{
  Result = Replay(Text);
  Result += StepForced();
}

bool TcxMaskEditRegExprExMode::IsTextComplete(const std::string& Text)
{
  return Text == ForcedPrefix() || TcxMaskEditRegExprMode::IsTextComplete(Text);
}

void TcxMaskEditRegExprExMode::FlushPendingValue()
{
  if (!FEmptyValuePending || !OwnerEdit()) return;
  FEmptyValuePending = false;
  OwnerEdit()->RestoreEditValue(Variant(ForcedPrefix()));
}

void TcxMaskEditRegExprExMode::ApplyTextToMode(const std::string& Text)
{
  TcxMaskEditRegExprMode::ApplyTextToMode(Text);
}

void TcxMaskEditRegExprExMode::AfterClipboardPaste()
{
  if (FCaretAfterPaste < 0) return;
  SetCaret(FCaretAfterPaste);
  FCaretAfterPaste = -1;
}

namespace {
// Which characters of a text the expression forced: replaying the text, a character is forced when
// the state before it allows only that character.
std::vector<bool> ForcedFlags(TcxRegExpr& expression, std::string& forced, std::string_view text)
{
  std::vector<bool> flags(text.size(), false);
  if (!expression.Compiled()) return flags;
  expression.SetAutoStepLiterals(false);
  expression.Restart();
  size_t i = 0;
  while (i < text.size()) {
    forced.clear();
    expression.SetAutoStepLiterals(true);
    expression.SetAutoStepLiterals(false);
    if (!forced.empty()) {
      if (text.substr(i, forced.size()) == forced) {
        std::fill(flags.begin() + static_cast<std::ptrdiff_t>(i), flags.begin() + static_cast<std::ptrdiff_t>(i + forced.size()), true);
        i += forced.size();
        continue;
      }
      for (int k = RegExprCharCount(forced); k > 0; --k) expression.StepBack();
    }
    TcxRegExprChar ch = TcxRegExprChar::First(text.substr(i));
    if (!expression.StepChar(ch)) break;
    i += static_cast<size_t>(ch.Size());
  }
  forced.clear();
  return flags;
}
}  // namespace

int TcxMaskEditRegExprExMode::SkipForcedAt(const std::string& Text, int Position)
{
  const std::vector<bool> flags = ForcedFlags(*FRegExpr, FForced, Text);
  int p = Position;
  while (p < static_cast<int>(Text.size()) && flags[static_cast<size_t>(p)]) ++p;
  return p;
}

void TcxMaskEditRegExprExMode::Synchronize()
{
  FCaretMovedByMouse = false;
  std::string text = Text();
  const std::string prefix = ForcedPrefix();
  if (text.compare(0, prefix.size(), prefix) != 0) {
    // A text without the forced prefix (an empty editor) gets it.
    std::string formatted;
    FormatText(text, true, formatted);
    if (formatted.compare(0, prefix.size(), prefix) != 0) formatted = prefix;
    ShowText(formatted);
    SetCaret(static_cast<int>(formatted.size()));
    text = formatted;
  }
  int caret = std::min(CaretIndex(), static_cast<int>(text.size()));
  const int start = SelStart(), length = SelLength();
  if (length == 0) {
    const int moved = std::max(SkipForcedAt(text, caret), static_cast<int>(prefix.size()));
    if (moved != caret) SetCaret(moved);
    caret = moved;
  } else {
    caret = start;
  }
  FAccepted = text.substr(0, static_cast<size_t>(caret));
  FPending = text.substr(static_cast<size_t>(caret));
  Replay(FAccepted);
}

void TcxMaskEditRegExprExMode::Rewrite(const std::string& Text, int Caret)
{
  ShowText(Text);
  SetCaret(Caret);
  FAccepted = Text.substr(0, static_cast<size_t>(Caret));
  FPending = Text.substr(static_cast<size_t>(Caret));
  Replay(FAccepted);
}

bool TcxMaskEditRegExprExMode::PressSymbol(char& Ch)
{
  std::string typed;
  if (!TakeTypedByte(Ch, typed)) return false;
  Synchronize();
  const std::string text = Text();
  const int prefixLength = static_cast<int>(FForcedPrefix.size());
  // The forced prefix cannot be typed over: the character goes after it.
  const int start = std::max(SelStart(), prefixLength);
  const int end = std::max(SelEnd(), start);
  const std::string head = text.substr(0, static_cast<size_t>(start));
  std::string tail = text.substr(static_cast<size_t>(end));
  Replay(head);
  if (!FeedCharacter(typed)) {
    Replay(FAccepted);
    SignalError();
    Ch = 0;
    return false;
  }
  Ch = typed.back();
  const std::string forced = StepForced();
  const std::string newHead = head + typed + forced;
  if (!forced.empty() && tail.compare(0, forced.size(), forced) == 0) tail.erase(0, forced.size());
  // The tail stays when it still fits, with the characters forced after it.
  FPending = tail;
  if (PendingFits()) {
    std::string fed = tail;
    FeedText(fed);
    tail += StepForced();
  } else {
    tail.clear();
  }
  Rewrite(newHead + tail, static_cast<int>(newHead.size()));
  return false;
}

bool TcxMaskEditRegExprExMode::PressBackspace()
{
  Synchronize();
  const std::string text = Text();
  const int prefixLength = static_cast<int>(FForcedPrefix.size());
  const int start = std::max(SelStart(), prefixLength);
  const int end = std::max(SelEnd(), start);
  if (end > start) {
    std::string tail = text.substr(static_cast<size_t>(end));
    const std::string head = text.substr(0, static_cast<size_t>(start));
    Replay(head);
    FPending = tail;
    if (!PendingFits()) tail.clear();
    Rewrite(head + tail, start);
    return false;
  }
  // Without a selection: the character before the caret goes with the forced characters after it.
  const int caret = start;
  const std::vector<bool> flags = ForcedFlags(*FRegExpr, FForced, std::string_view(text).substr(0, static_cast<size_t>(caret)));
  int first = caret;
  while (first > 0 && flags[static_cast<size_t>(first - 1)]) --first;
  FForcedDeleted = caret - first;
  if (first == 0) {
    // Every character before the caret was forced.
    Replay(FAccepted);
    if (SelLength() > 0 || SelStart() != caret) SetCaret(caret);
    if (caret > 0) SignalError();
    return false;
  }
  SetCaret(caret);
  const int newCaret = first - CharBytesBefore(text, first);
  // The window deletes characters: the one before the forced ones and each forced one.
  for (int i = CharsOfBytes(std::string_view(text).substr(static_cast<size_t>(newCaret)), caret - newCaret); i > 0; --i)
    SendOwnChar('\b');
  const std::string shown = Text();
  const std::string head = shown.substr(0, static_cast<size_t>(newCaret));
  std::string tail = shown.substr(static_cast<size_t>(newCaret));
  Replay(head);
  FPending = tail;
  if (!PendingFits()) tail.clear();
  Rewrite(head + tail, newCaret);
  return false;
}

bool TcxMaskEditRegExprExMode::PressDelete()
{
  // The forced prefix cannot be deleted.
  if (SelLength() == 0 && SelStart() < static_cast<int>(ForcedPrefix().size())) {
    SignalError();
    return false;
  }
  Synchronize();
  if (SelLength() > 0) return PressBackspace();
  const std::string text = Text();
  const int caret = SelStart();
  if (caret >= static_cast<int>(text.size())) return false;
  // The next character and the forced characters after it.
  const std::vector<bool> flags = ForcedFlags(*FRegExpr, FForced, text);
  int end = caret + CharBytesAt(text, caret);
  while (end < static_cast<int>(text.size()) && flags[static_cast<size_t>(end)]) ++end;
  const std::string head = text.substr(0, static_cast<size_t>(caret));
  std::string tail = text.substr(static_cast<size_t>(end));
  Replay(head);
  FPending = tail;
  if (!PendingFits()) tail.clear();
  Rewrite(head + tail, caret);
  return false;
}

bool TcxMaskEditRegExprExMode::PressLeft()
{
  if (ShiftHeld()) return TcxMaskEditRegExprMode::PressLeft();
  Synchronize();
  const std::string text = Text();
  const int prefixLength = static_cast<int>(FForcedPrefix.size());
  int caret;
  if (SelLength() > 0) {
    caret = SelStart();
  } else {
    caret = SelStart() - CharBytesBefore(text, SelStart());
    const std::vector<bool> flags = ForcedFlags(*FRegExpr, FForced, text);
    while (caret > 0 && caret < static_cast<int>(text.size()) && flags[static_cast<size_t>(caret)])
      caret -= CharBytesBefore(text, caret);
  }
  caret = std::max(caret, prefixLength);
  caret = std::max(SkipForcedAt(text, caret), prefixLength);
  Rewrite(text, caret);
  return false;
}

bool TcxMaskEditRegExprExMode::PressRight()
{
  if (ShiftHeld()) return TcxMaskEditRegExprMode::PressRight();
  Synchronize();
  const std::string text = Text();
  const int caret = SelLength() > 0 ? SelEnd() : SelStart() + CharBytesAt(text, SelStart());
  Rewrite(text, std::max(SkipForcedAt(text, caret), static_cast<int>(FForcedPrefix.size())));
  return false;
}
