#include "toolkit/editors/cxMaskEdit.h"

#include "classlib/Clipbrd.h"
#include "classlib/Menus.h"
#include "classlib/Variant.h"
#include "toolkit/editors/cxEditConsts.h"

// --- TcxCustomMaskEdit ---

CL_DEFINE_CLASS(TcxCustomMaskEdit);
CL_DEFINE_CLASS(TcxMaskEdit);

void TcxCustomMaskEdit::Initialize()
{
  TcxCustomTextEdit::Initialize();
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  FMaskMode.reset(properties->MaskModeClassType(emkStandard).Create(this, properties));
  FShiftHeld = false;
  std::string empty;
  if (HasMask()) FMaskMode->GetEmptyText(empty);
  properties->SetEmptyMaskText(empty);
}

void TcxCustomMaskEdit::BeforeDestruction()
{
  TcxCustomTextEdit::BeforeDestruction();
  FMaskMode.reset();
}

void TcxCustomMaskEdit::SendOwnKey(WORD Key)
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || !inner->HandleAllocated()) return;
  TFlagScope sending(FSendingOwnKey, true);
  inner->CallDefaultProcedure(WM_KEYDOWN, Key, 1);
  inner->CallDefaultProcedure(WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001));
}

void TcxCustomMaskEdit::SendOwnChar(char Ch)
{
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || !inner->HandleAllocated()) return;
  TFlagScope sending(FSendingOwnKey, true);
  inner->CallDefaultProcedure(WM_CHAR, static_cast<unsigned char>(Ch), 1);
}

void TcxCustomMaskEdit::RewriteDisplayText() { WriteDisplayValue(Variant(Text())); }

void TcxCustomMaskEdit::ApplyMaskText(const std::string& Text)
{
  if (!FMaskMode || !HasMask() || !IsMaskEditingActive()) return;
  TFlagScope selecting(FSelectingInternally, true);
  FMaskMode->ApplyTextToMode(Text);
}

void TcxCustomMaskEdit::RefreshMaskedText()
{
  if (FMaskMode) FMaskMode->FormatTextForDisplay(Text(), true, FMaskedText);
}

void TcxCustomMaskEdit::ReplaceMode(TcxEditMaskKind Kind)
{
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  TOwned<TcxMaskEditCustomMode> mode(properties->MaskModeClassType(Kind).Create(this, properties));
  FMaskMode = std::move(mode);
}

void TcxCustomMaskEdit::Loaded()
{
  TcxCustomTextEdit::Loaded();
  if (!HasMask()) return;
  LockChangeEvents(true);
  try {
    RewriteDisplayText();
  } catch (...) {
    LockChangeEvents(false, false);
    throw;
  }
  LockChangeEvents(false, false);
}

void TcxCustomMaskEdit::PropertiesChanged(TObject* Sender)
{
  if (!FMaskMode) {
    TcxCustomTextEdit::PropertiesChanged(Sender);
    return;
  }
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  const bool held = properties->ChangeNotificationsHeld();
  properties->SetChangeNotificationsHeld(true);
  bool kindChanged = false, maskChanged = false, caseChanged = false, echoChanged = false;
  int selStart = 0, selLength = 0;
  try {
    const std::string mask = properties->EditMask();
    maskChanged = FMaskMode->EditMask() != mask || properties->InFormatChange();
    kindChanged = FMaskMode->ReportMaskKind() != static_cast<int>(properties->MaskKind());
    caseChanged = properties->CharCase() != FMaskMode->CharCase();
    auto refreshEmptyMaskText = [&] {
      std::string empty;
      if (HasMask()) FMaskMode->GetEmptyText(empty);
      properties->SetEmptyMaskText(empty);
    };
    bool maskCleared = false;
    if (kindChanged) {
      const bool wasStandard = FMaskMode->ReportMaskKind() == 0;
      ReplaceMode(properties->MaskKind());
      // A picture mask is never read as a regular expression, nor the reverse.
      if (wasStandard != (properties->MaskKind() == emkStandard)) {
        properties->SetEditMask("");
        maskCleared = true;
      }
      FMaskMode->CompileMask(properties->EditMask());
      if (HasMask()) FMaskMode->PushValueToEdit();
      refreshEmptyMaskText();
    }
    if (maskChanged) {
      if (properties->MaxLength() != 0) properties->SetMaxLength(0);
      FMaskMode->CompileMask(mask);
      if (maskCleared) properties->SetEditMask(mask);
      if (!IsBlankMask(mask))
        FMaskMode->PushValueToEdit();
      else if (FMaskMode->ReportMaskKind() == 0 && InnerTextEdit() && SelLength() == 1)
        SetSelLength(0);
      refreshEmptyMaskText();
    }
    if (caseChanged) {
      if (properties->CharCase() == ecNormal) {
        if (InnerTextEdit()) InnerTextEdit()->SetCharCase(ecNormal);
        FMaskMode->PushValueToEdit();
      }
      FMaskMode->SetCharCase(properties->CharCase());
    }
    echoChanged = properties->EchoMode() != FMaskMode->EchoMode();
    if (echoChanged && InnerTextEdit() && InnerTextEdit()->HandleAllocated()) {
      selStart = SelStart();
      selLength = SelLength();
    }
    if (InnerTextEdit()) {
      if (!VarIsNull(EditValue()) && HasMask()) FMaskMode->FlushPendingValue();
    } else if (HasMask()) {
      FMaskMode->FlushPendingValue();
    }
  } catch (...) {
    properties->SetChangeNotificationsHeld(held);
    throw;
  }
  properties->SetChangeNotificationsHeld(held);
  if (auto* regExprMode = dynamic_cast<TcxMaskEditRegExprMode*>(FMaskMode.get())) regExprMode->UpdateCaseInsensitive();
  TcxCustomTextEdit::PropertiesChanged(Sender);
  if (echoChanged) {
    if (InnerTextEdit() && InnerTextEdit()->HandleAllocated()) {
      SetSelStart(selStart);
      SetSelLength(selLength);
    }
    FMaskMode->SetEchoMode(properties->EchoMode());
  }
  if (kindChanged || caseChanged || maskChanged) RefreshMaskedText();
}

void TcxCustomMaskEdit::WriteDisplayValue(const Variant& Value)
{
  if (!FMaskMode || !HasMask() || IsLoading()) {
    TcxCustomTextEdit::WriteDisplayValue(Value);
    return;
  }
  std::string text;
  try {
    text = VarToStrDef(Value, "");
  } catch (const Exception&) {
  }
  std::string shown;
  if (Focused() || FMaskMode->ReportMaskKind() != 0 || ActiveMaskProperties()->AlwaysShowBlanksAndLiterals())
    FMaskMode->FormatText(text, true, shown);
  else
    FMaskMode->FormatTextForDisplay(text, true, shown);
  TcxCustomTextEdit::WriteDisplayValue(Variant(shown));
  ApplyMaskText(Text());
}

void TcxCustomMaskEdit::DisplayValueToEditValue(const Variant& DisplayValue, Variant& EditValue, bool Focused)
{
  if (!FMaskMode || !HasMask()) {
    TcxCustomTextEdit::DisplayValueToEditValue(DisplayValue, EditValue, Focused);
    return;
  }
  const std::string text = VarToStrDef(DisplayValue, "");
  std::string value;
  // A focused editor holds the edit form, whatever format the text properties report.
  if (Focused || this->Focused() || FMaskMode->ReportMaskKind() != 0) {
    FMaskMode->FormatTextForDisplay(text, true, value);
    EditValue = value;
    return;
  }
  auto* standard = static_cast<TcxMaskEditStandardMode*>(FMaskMode.get());
  if (!standard->Mask()->LiteralsInValue() && ActiveMaskProperties()->AlwaysShowBlanksAndLiterals()) {
    FMaskMode->FormatTextForDisplay(text, true, value);
    EditValue = value;
    return;
  }
  TcxCustomTextEdit::DisplayValueToEditValue(DisplayValue, EditValue, Focused);
}

void TcxCustomMaskEdit::EditValueToDisplayValue(const Variant& Value, Variant& DisplayValue, bool Focused)
{
  TcxCustomTextEdit::EditValueToDisplayValue(Value, DisplayValue, Focused || (HasMask() && this->Focused()));
}

void TcxCustomMaskEdit::GetTypedEditValue(Variant& Value)
{
  if (FMaskMode && HasMask()) {
    DisplayValueToEditValue(Variant(Text()), Value, IsInEditFormat());
    return;
  }
  TcxCustomTextEdit::GetTypedEditValue(Value);
}

void TcxCustomMaskEdit::SynchronizeDisplayValue()
{
  TcxCustomTextEdit::SynchronizeDisplayValue();
  if (HasMask()) ApplyMaskText(Text());
}

void TcxCustomMaskEdit::InnerEditChanged(TObject* Sender)
{
  RefreshMaskedText();
  TcxCustomTextEdit::InnerEditChanged(Sender);
}

void TcxCustomMaskEdit::ApplyTextChange(const std::string& Text)
{
  if (!FMaskMode || !HasMask()) {
    TcxCustomTextEdit::ApplyTextChange(Text);
    return;
  }
  // Every programmatic replacement of the selection behaves as a paste.
  TFlagScope selecting(FSelectingInternally, true);
  FMaskMode->SetPasteLength(static_cast<int>(Text.size()));
  FMaskMode->PrepareClipboardPaste();
  TcxCustomTextEdit::ApplyTextChange(Text);
  FMaskMode->AfterClipboardPaste();
  FMaskMode->SetPasteLength(0);
}

void TcxCustomMaskEdit::PasteFromClipboard()
{
  if (FMaskMode && HasMask()) {
    if (Clipboard()->HasText() && InnerTextEdit()) ApplyTextChange(Clipboard()->AsText());
    return;
  }
  TcxCustomTextEdit::PasteFromClipboard();
}

void TcxCustomMaskEdit::ClearSelection()
{
  if (!FMaskMode || !HasMask()) {
    TcxCustomTextEdit::ClearSelection();
    return;
  }
  if (!InnerTextEdit() || (Focused() && !DoEditing())) return;
  TFlagScope selecting(FSelectingInternally, true);
  CopyToClipboard();
  if (FMaskMode->PressDelete()) SendOwnChar('\b');
}

void TcxCustomMaskEdit::HookInnerEditWindowProc()
{
  if (!HasMask()) {
    TcxCustomTextEdit::HookInnerEditWindowProc();
    return;
  }
  if (InnerTextEdit() && InnerTextEdit()->HandleAllocated())
    SendMessageA(InnerTextEdit()->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TcxCustomMaskEdit::UnhookInnerEditWindowProc()
{
  if (!HasMask()) {
    TcxCustomTextEdit::UnhookInnerEditWindowProc();
    return;
  }
  if (InnerTextEdit() && InnerTextEdit()->HandleAllocated()) {
    SendMessageA(InnerTextEdit()->Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(InnerTextEdit()->Handle(), nullptr, TRUE);
  }
}

void TcxCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  if (!FSendingOwnKey) TcxCustomTextEdit::KeyDown(Key, Shift);
}

void TcxCustomMaskEdit::KeyPress(char& Key)
{
  if (!FSendingOwnKey) TcxCustomTextEdit::KeyPress(Key);
}

void TcxCustomMaskEdit::KeyUp(WORD& Key, TShiftState Shift)
{
  if (!FSendingOwnKey) TcxCustomTextEdit::KeyUp(Key, Shift);
}

void TcxCustomMaskEdit::DoEditKeyDown(WORD& Key, TShiftState Shift)
{
  if (FSendingOwnKey) return;
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  const TShortCut shortCut = ShortCut(Key, Shift);
  if (!FMaskMode || !HasMask() || (properties->ClearKey() != 0 && shortCut == properties->ClearKey()) ||
      shortCut == properties->ClickKey()) {
    TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
    return;
  }
  TFlagScope selecting(FSelectingInternally, true);
  auto internalKeyDown = [&](WORD key) {
    if (OnInternalKeyDown()) OnInternalKeyDown()(this, key, Shift);
  };
  if (!CanProcessKey(Key, Shift)) {
    internalKeyDown(Key);
    Key = 0;
    return;
  }
  if (Key == VK_TAB) {
    TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
    return;
  }
  FShiftHeld = Shift.Contains(ssShift);
  bool consumed = false;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
      internalKeyDown(Key);
      consumed = true;
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = Key == VK_LEFT;
      if (Shift.Contains(ssCtrl)) {
        // Ctrl+Left acts as Home, Ctrl+Right as End.
        const bool passOn = left ? FMaskMode->PressHome() : FMaskMode->PressEnd();
        if (passOn)
          Key = left ? VK_HOME : VK_END;
        else
          consumed = true;
        break;
      }
      const bool atEdge = left ? FMaskMode->IsAtFirstPosition() : FMaskMode->IsAtLastPosition();
      if (!(left ? FMaskMode->PressLeft() : FMaskMode->PressRight())) {
        consumed = true;
        if (atEdge) internalKeyDown(Key);
      }
      break;
    }
    case VK_DELETE:
      if (!Shift.Contains(ssShift))
        consumed = !FMaskMode->PressDelete();
      else if (SelLength() == 0)
        consumed = !FMaskMode->PressBackspace();
      break;
    case VK_HOME:
      consumed = !FMaskMode->PressHome();
      break;
    case VK_END:
      consumed = !FMaskMode->PressEnd();
      break;
    default:
      break;
  }
  if (consumed) {
    Key = 0;
    return;
  }
  TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomMaskEdit::DoEditKeyPress(char& Ch)
{
  if (FSendingOwnKey) return;
  if (!FMaskMode || !HasMask()) {
    TcxCustomTextEdit::DoEditKeyPress(Ch);
    return;
  }
  if (Ch == '\t' || Ch == static_cast<char>(VK_ESCAPE)) {
    Ch = 0;
    return;
  }
  TFlagScope selecting(FSelectingInternally, true);
  FilterTypedChar(Ch);
  if (Ch == 0 || Ch == '\r') return;
  if (Ch == 3 || Ch == 22 || Ch == 24) {  // Ctrl+C, Ctrl+V, Ctrl+X
    TcxCustomTextEdit::DoEditKeyPress(Ch);
    return;
  }
  const bool passOn = Ch == '\b' ? FMaskMode->PressBackspace() : FMaskMode->PressSymbol(Ch);
  if (!passOn) Ch = 0;
}

void TcxCustomMaskEdit::DoEditKeyUp(WORD& Key, TShiftState Shift)
{
  if (!FSendingOwnKey) TcxCustomTextEdit::DoEditKeyUp(Key, Shift);
}

void TcxCustomMaskEdit::SelectionChanged()
{
  if (!FSelectingInternally && FMaskMode && HasMask()) FMaskMode->AdjustSelection();
}

void TcxCustomMaskEdit::UndoTextChange() { ApplyMaskText(Text()); }

std::string TcxCustomMaskEdit::GetEditingText()
{
  return FMaskMode && HasMask() ? FMaskedText : TcxCustomTextEdit::GetEditingText();
}

// With a mask every text is taken: the mode keeps what it accepts, and the value is the masked text.
bool TcxCustomMaskEdit::IsTextAcceptable(const std::string& Text)
{
  if (!FMaskMode || !HasMask()) return TcxCustomTextEdit::IsTextAcceptable(Text);
  RestoreEditValue(Variant(Text));
  StoreEditValueUnchecked(Variant(FMaskedText));
  return true;
}

void TcxCustomMaskEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft && FMaskMode && HasMask()) FMaskMode->AdjustSelection();
  TcxCustomTextEdit::MouseDown(Button, Shift, X, Y);
}

void TcxCustomMaskEdit::MouseMove(TShiftState Shift, int X, int Y)
{
  if (Shift.Contains(ssLeft) && FMaskMode && HasMask()) {
    const bool held = FShiftHeld;
    FShiftHeld = true;
    FMaskMode->AdjustSelection();
    FShiftHeld = held;
  }
  TcxCustomTextEdit::MouseMove(Shift, X, Y);
}

void TcxCustomMaskEdit::DblClick()
{
  if (FMaskMode && HasMask()) FMaskMode->AcceptRemainingText();
  TcxCustomTextEdit::DblClick();
}

void TcxCustomMaskEdit::DoEnter()
{
  if (FMaskMode && HasMask() && ActiveMaskProperties()->AutoSelect()) FMaskMode->AcceptRemainingText();
  TcxCustomTextEdit::DoEnter();
}

// --- Filter edit helpers ---

CL_DEFINE_CLASS(TcxFilterTextEditHelper);
CL_DEFINE_CLASS(TcxFilterMaskEditHelper);

TcxCustomEditClass TcxFilterTextEditHelper::TMeta::FilterEditClassType() const { return ClassRef<TcxTextEdit>(); }

void TcxFilterTextEditHelper::TMeta::SetUpFilterProperties(TcxCustomEditProperties* target,
                                                           TcxCustomEditProperties* source, bool keepButtons) const
{
  TcxCustomFilterEditHelper::TMeta::SetUpFilterProperties(target, source, keepButtons);
  target->SetAutoSelect(true);
  if (auto* text = dynamic_cast<TcxCustomTextEditProperties*>(target)) {
    text->SetHideSelection(true);
    text->SetViewStyle(vsNormal);
  }
}

void TcxFilterTextEditHelper::TMeta::WriteFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties*,
                                                      const Variant& value) const
{
  edit->SetEditValue(value);
}

TcxCustomEditClass TcxFilterMaskEditHelper::TMeta::FilterEditClassType() const { return ClassRef<TcxMaskEdit>(); }

void TcxFilterMaskEditHelper::TMeta::SetUpFilterProperties(TcxCustomEditProperties* target,
                                                           TcxCustomEditProperties* source, bool keepButtons) const
{
  TcxFilterTextEditHelper::TMeta::SetUpFilterProperties(target, source, keepButtons);
  auto* mask = dynamic_cast<TcxCustomMaskEditProperties*>(target);
  if (!mask) return;
  // A filter value is typed with the forced characters filled in.
  if (auto* sourceMask = dynamic_cast<TcxCustomMaskEditProperties*>(source);
      sourceMask && sourceMask->MaskKind() == emkRegExpr)
    mask->SetMaskKind(emkRegExprEx);
  mask->SetAutoSelect(!mask->IsMasked());
}

void TcxFilterMaskEditHelper::TMeta::GetFilterOperators(TcxCustomEditProperties* properties,
                                                        TcxValueTypeClass valueTypeClass,
                                                        TcxFilterOperatorKinds& operators, bool extended) const
{
  using enum TcxFilterOperatorKind;
  operators = {fcoEqual, fcoNotEqual, fcoLess, fcoLessEqual, fcoGreater, fcoGreaterEqual, fcoIsNull, fcoIsNotNull};
  auto* mask = dynamic_cast<TcxCustomMaskEditProperties*>(properties);
  if (!(mask && mask->IsMasked()) && valueTypeClass && valueTypeClass->HoldsText()) operators += {fcoLike, fcoNotLike};
  if (extended) operators += {fcoBetween, fcoNotBetween, fcoInList, fcoNotInList};
}

// --- Unit ---

namespace {
// Start-up and shut-down each act once, however often they run.
int GRegistrationCount = 0;

void InitializeUnit()
{
  if (GRegistrationCount++ != 0) return;
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry())
    registry->AddClassWithDescription(ClassRef<TcxMaskEditProperties>(),
                                      GetResStringText(&scxSEditRepositoryMaskItem));
  if (TcxFilterEditsController* controller = GetFilterEditsController())
    controller->AddHelperPair(ClassRef<TcxMaskEditProperties>(), ClassRef<TcxFilterMaskEditHelper>());
}

void FinalizeUnit()
{
  if (GRegistrationCount == 0 || --GRegistrationCount != 0) return;
  if (TcxFilterEditsController* controller = GetFilterEditsController())
    controller->RemoveHelperPair(ClassRef<TcxMaskEditProperties>(), ClassRef<TcxFilterMaskEditHelper>());
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry())
    registry->RemoveClassEntry(ClassRef<TcxMaskEditProperties>());
}

const TUnit* const Uses[] = {&UnitcxEdit, &UnitcxEditConsts, &UnitcxFilterControlUtils};
}  // namespace

TUnit UnitcxMaskEdit{"cxMaskEdit", Uses, InitializeUnit, FinalizeUnit};
