// The inner EDIT window of the text editors and its companion.
#include "toolkit/editors/cxTextEdit.h"

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/Variant.h"
#include "classlib/Encoding.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxControlsControl.h"

CL_DEFINE_CLASS(TcxCustomInnerTextEditHelper);
CL_DEFINE_CLASS(TcxCustomInnerTextEdit);

// --- The state before a key ---

void CaptureInnerEditState(IcxInnerTextEdit* Edit, bool WithText, TcxCustomInnerTextEditPrevState& State)
{
  State.TextKept = WithText;
  State.KeptText.clear();
  if (WithText) {
    Variant value;
    Edit->ReadValue(value);
    State.KeptText = VarToStrDef(value, "");
  }
  State.KeptSelStart = Edit->SelStart();
  State.KeptSelLength = Edit->SelLength();
}

bool HasStateChanged(IcxInnerTextEdit* Edit, const TcxCustomInnerTextEditPrevState& State)
{
  if (!Edit->GetControl()->HandleAllocated()) return true;
  if (Edit->SelStart() != State.KeptSelStart || Edit->SelLength() != State.KeptSelLength) return true;
  if (!State.TextKept) return false;
  Variant value;
  Edit->ReadValue(value);
  return !AnsiSameText(VarToStrDef(value, ""), State.KeptText);
}

// --- TcxCustomInnerTextEditHelper ---

TWinControl* TcxCustomInnerTextEditHelper::GetControl() { return FEdit; }
TcxContainer* TcxCustomInnerTextEditHelper::GetControlContainer() { return FEdit->GetControlContainer(); }

LRESULT TcxCustomInnerTextEditHelper::ForwardToDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  return FEdit->CallDefaultProcedure(Msg, WParam, LParam);
}

void TcxCustomInnerTextEditHelper::ReadValue(Variant& Value) { Value = Variant(FEdit->Text()); }
TNotifyEvent TcxCustomInnerTextEditHelper::ReadChangeHandler() { return FEdit->OnChange(); }
bool TcxCustomInnerTextEditHelper::IsReadOnlyControl() { return FEdit->ReadOnly(); }
void TcxCustomInnerTextEditHelper::HoldBounds(bool Hold) { FEdit->AdjustBoundsHold(Hold); }

void TcxCustomInnerTextEditHelper::FocusWithoutSelecting()
{
  const bool autoSelect = FEdit->AutoSelect();
  FEdit->SetAutoSelect(false);
  try {
    FEdit->SetFocus();
  } catch (...) {
    FEdit->SetAutoSelect(autoSelect);
    throw;
  }
  FEdit->SetAutoSelect(autoSelect);
}

void TcxCustomInnerTextEditHelper::WriteValue(const Variant& Value)
{
  std::string text;
  try {
    text = VarToStrDef(Value, "");
  } catch (const Exception&) {
  }
  const std::string old = FEdit->Text();
  if (old == text) return;
  TcxCustomTextEdit* owner = FEdit->Owner();
  // A value that only changes the letter case of the shown list item keeps the selection.
  const bool keepSelection = owner && !FEdit->IsDesigning() && FEdit->HandleAllocated() && owner->Validating() &&
                             owner->ActiveTextProperties()->UsesLookupData() && owner->ListHighlightShown() &&
                             AnsiSameText(old, text);
  const int selStart = keepSelection ? FEdit->SelStart() : 0, selLength = keepSelection ? FEdit->SelLength() : 0;
  FEdit->SetText(text);
  if (keepSelection) {
    FEdit->SetSelStart(selStart);
    FEdit->SetSelLength(selLength);
  }
}

void TcxCustomInnerTextEditHelper::AttachToParent(TWinControl* Parent)
{
  FEdit->SetContainer(dynamic_cast<TcxContainer*>(Parent));
  FEdit->SetParent(Parent);
}

void TcxCustomInnerTextEditHelper::AssignChangeHandler(const TNotifyEvent& Handler) { FEdit->SetOnChange(Handler); }
void TcxCustomInnerTextEditHelper::SetReadOnlyControl(bool ReadOnly) { FEdit->SetReadOnly(ReadOnly); }
void TcxCustomInnerTextEditHelper::DeleteSelection() { FEdit->ClearSelection(); }

void TcxCustomInnerTextEditHelper::CopyToClipboard() { FEdit->CopyToClipboard(); }
TAlignment TcxCustomInnerTextEditHelper::TextAlignment() { return FEdit->TextAlignment(); }
bool TcxCustomInnerTextEditHelper::AutoSelect() { return FEdit->AutoSelect(); }
TEditCharCase TcxCustomInnerTextEditHelper::CharCase() { return FEdit->CharCase(); }
TcxEditEchoMode TcxCustomInnerTextEditHelper::EchoMode() { return FEdit->EchoMode(); }

int TcxCustomInnerTextEditHelper::FirstVisibleCharIndex()
{
  if (!FEdit->HandleAllocated()) return 0;
  return LOWORD(SendMessageA(FEdit->Handle(), EM_CHARFROMPOS, 0, 0));
}

bool TcxCustomInnerTextEditHelper::HideSelection() { return FEdit->HideSelection(); }

char TcxCustomInnerTextEditHelper::PendingImeChar()
{
  return FEdit->PendingImeChars() >= 2 ? FEdit->PendingImeChar() : '\0';
}

TImeMode TcxCustomInnerTextEditHelper::ImeMode() { return FEdit->ImeMode(); }
std::string TcxCustomInnerTextEditHelper::ImeName() { return FEdit->ImeName(); }
bool TcxCustomInnerTextEditHelper::KeyConsumed() { return FEdit->KeyConsumed(); }
int TcxCustomInnerTextEditHelper::MaxLength() { return FEdit->MaxLength(); }
bool TcxCustomInnerTextEditHelper::OEMConvert() { return FEdit->OEMConvert(); }
TNotifyEvent TcxCustomInnerTextEditHelper::SelectionChangeHandler() { return FEdit->SelectionChangeHandler(); }
char TcxCustomInnerTextEditHelper::PasswordChar() { return FEdit->PasswordChar(); }

int TcxCustomInnerTextEditHelper::SelLength()
{
  return FEdit->PendingImeChars() > 0 ? FSavedSelLength : FEdit->SelLength();
}

int TcxCustomInnerTextEditHelper::SelStart()
{
  return FEdit->PendingImeChars() > 0 ? FSavedSelStart : FEdit->SelStart();
}

std::string TcxCustomInnerTextEditHelper::SelText() { return FEdit->SelText(); }
bool TcxCustomInnerTextEditHelper::UseLeftAlignmentOnEditing() { return FEdit->UseLeftAlignmentOnEditing(); }

void TcxCustomInnerTextEditHelper::SelectAll()
{
  if (FEdit->HandleAllocated()) FEdit->SelectAll();
}

void TcxCustomInnerTextEditHelper::SetTextAlignment(TAlignment Value) { FEdit->SetTextAlignment(Value); }
void TcxCustomInnerTextEditHelper::SetAutoSelect(bool Value) { FEdit->SetAutoSelect(Value); }
void TcxCustomInnerTextEditHelper::SetCharCase(TEditCharCase Value) { FEdit->SetCharCase(Value); }
void TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode Value) { FEdit->SetEchoMode(Value); }
void TcxCustomInnerTextEditHelper::SetHideSelection(bool Value) { FEdit->SetHideSelection(Value); }
void TcxCustomInnerTextEditHelper::SetKeyConsumed(bool Value) { FEdit->SetKeyConsumed(Value); }
void TcxCustomInnerTextEditHelper::SetImeMode(TImeMode Value) { FEdit->SetImeMode(Value); }
void TcxCustomInnerTextEditHelper::SetImeName(const std::string& Value) { FEdit->SetImeName(Value); }
void TcxCustomInnerTextEditHelper::SetMaxLength(int Value) { FEdit->SetMaxLength(Value); }
void TcxCustomInnerTextEditHelper::SetOEMConvert(bool Value) { FEdit->SetOEMConvert(Value); }

void TcxCustomInnerTextEditHelper::SetSelectionChangeHandler(const TNotifyEvent& Value)
{
  FEdit->SetSelectionChangeHandler(Value);
}

void TcxCustomInnerTextEditHelper::SetPasswordChar(char Value) { FEdit->SetPasswordChar(Value); }

void TcxCustomInnerTextEditHelper::SetSelLength(int Value)
{
  if (FEdit->PendingImeChars() > 0)
    FSavedSelLength = Value;
  else if (FEdit->HandleAllocated())
    FEdit->SetSelLength(Value);
}

void TcxCustomInnerTextEditHelper::SetSelStart(int Value)
{
  if (FEdit->PendingImeChars() > 0)
    FSavedSelStart = Value;
  else if (FEdit->HandleAllocated())
    FEdit->SetSelStart(Value);
}

void TcxCustomInnerTextEditHelper::SetSelText(const std::string& Value) { FEdit->SetSelText(Value); }

void TcxCustomInnerTextEditHelper::SetUseLeftAlignmentOnEditing(bool Value)
{
  FEdit->SetUseLeftAlignmentOnEditing(Value);
}

void TcxCustomInnerTextEditHelper::SaveSelection()
{
  FSavedSelStart = FEdit->SelStart();
  FSavedSelLength = FEdit->SelLength();
}

// --- TcxCustomInnerTextEdit ---

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* Owner)
    : TCustomEdit(Owner), FHelper(MakeOwned<TcxCustomInnerTextEditHelper>(this))
{
  FControlStyle.Include(TControlStyleFlag::csDoubleClicks);
  SetParentColor(true);
  SetParentFont(false);
  FConstructing = false;
}

TcxCustomTextEdit* TcxCustomInnerTextEdit::Owner() const { return dynamic_cast<TcxCustomTextEdit*>(FContainer); }

void TcxCustomInnerTextEdit::AdjustBoundsHold(bool Hold)
{
  if (Hold)
    ++FBoundsHoldCount;
  else if (FBoundsHoldCount > 0)
    --FBoundsHoldCount;
}

void TcxCustomInnerTextEdit::SetBounds(int Left, int Top, int Width, int Height)
{
  if (FConstructing || FBoundsHoldCount > 0) return;
  if (!FContainer) {
    TCustomEdit::SetBounds(Left, Top, Width, Height);
    return;
  }
  FContainer->DisableAlign();
  try {
    TCustomEdit::SetBounds(Left, Top, Width, Height);
  } catch (...) {
    FContainer->EnableAlign();
    throw;
  }
  FContainer->EnableAlign();
}

bool TcxCustomInnerTextEdit::CanFocus() const
{
  return FContainer ? FContainer->CanFocus() : TCustomEdit::CanFocus();
}

LRESULT TcxCustomInnerTextEdit::CallDefaultProcedure(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message{Msg, WParam, LParam, 0};
  TCustomEdit::DefaultHandler(message);
  return message.Result;
}

void TcxCustomInnerTextEdit::SetTextMargins()
{
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params)
{
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | ES_LEFT | ES_RIGHT | ES_CENTER);
  // The window edits left-aligned unless the editor keeps its alignment while editing.
  const TAlignment alignment = !FUseLeftAlignmentOnEditing || IsDesigning() ? FTextAlignment : taLeftJustify;
  switch (alignment) {
    case taRightJustify: Params.Style |= ES_RIGHT; break;
    case taCenter: Params.Style |= ES_CENTER; break;
    default: Params.Style |= ES_LEFT; break;
  }
  Params.Style |= ES_AUTOHSCROLL;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (FEchoMode == eemPassword) Params.Style |= ES_PASSWORD;
}

void TcxCustomInnerTextEdit::SetEchoMode(TcxEditEchoMode Value)
{
  if (FEchoMode == Value) return;
  FEchoMode = Value;
  RecreateWnd();
}

void TcxCustomInnerTextEdit::SetPasswordChar(char Value)
{
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FEchoMode == eemPassword) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetTextAlignment(TAlignment Value)
{
  if (FTextAlignment == Value) return;
  FTextAlignment = Value;
  if (!FUseLeftAlignmentOnEditing) RecreateWnd();
  else if (HandleAllocated()) Invalidate();
}

void TcxCustomInnerTextEdit::SetUseLeftAlignmentOnEditing(bool Value)
{
  if (FUseLeftAlignmentOnEditing == Value) return;
  FUseLeftAlignmentOnEditing = Value;
  if (FTextAlignment != taLeftJustify) RecreateWnd();
}

void TcxCustomInnerTextEdit::CreateHandle()
{
  if (FContainer) FContainer->ClearInnerControlBounds();
  TCustomEdit::CreateHandle();
}

void TcxCustomInnerTextEdit::CreateWnd()
{
  TCustomEdit::CreateWnd();
  SetTextMargins();
  if (FEchoMode != eemPassword) return;
  char echo = FPasswordChar;
  // A natively drawn editor that edits left-aligned keeps the window's own echo character.
  const bool keepsOwnEcho = FContainer && AreThemesAvailable() && FContainer->IsNativeStyle() &&
                            (FUseLeftAlignmentOnEditing || FTextAlignment == taLeftJustify);
  if (!echo && !keepsOwnEcho) echo = '*';
  if (echo) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(echo), 0);
}

// --- Input forwarded to the editor ---

void TcxCustomInnerTextEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  FKeyConsumed = false;
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  if (FContainer) _TcxContainerAccess::KeyDown(FContainer, Key, Shift);
  if (!self) return;
  if (Key == 0)
    FKeyConsumed = true;
  else
    TCustomEdit::KeyDown(Key, Shift);
}

void TcxCustomInnerTextEdit::KeyPress(char& Key)
{
  if (Key == '\t') Key = 0;
  if (Key == 0) return;
  FKeyConsumed = false;
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  if (FContainer) _TcxContainerAccess::KeyPress(FContainer, Key);
  if (!self) return;
  if (Key == 0) {
    FKeyConsumed = true;
    return;
  }
  if (TcxCustomTextEdit* owner = Owner(); owner && (Key == '\r' || Key == '\x1b')) {
    // A host takes Enter and Escape, as does a popup that just closed; an Enter that must not beep
    // never reaches the window.
    if (owner->IsInplace()) {
      Key = 0;
    } else if (owner->PopupClosedRecently()) {
      owner->SetPopupClosedRecently(false);
      Key = 0;
    } else if (Key == '\r' && !owner->BeepOnEnter()) {
      Key = 0;
    }
  }
  if (Key) TCustomEdit::KeyPress(Key);
}

void TcxCustomInnerTextEdit::KeyUp(WORD& Key, TShiftState Shift)
{
  if (Key == VK_TAB) Key = 0;
  if (Key == 0) return;
  FKeyConsumed = false;
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  if (FContainer) _TcxContainerAccess::KeyUp(FContainer, Key, Shift);
  if (!self) return;
  if (Key == 0)
    FKeyConsumed = true;
  else
    TCustomEdit::KeyUp(Key, Shift);
}

void TcxCustomInnerTextEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  if (FContainer) _TcxContainerAccess::MouseDown(FContainer, this, Button, Shift, X, Y);
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState Shift, int X, int Y)
{
  TCustomEdit::MouseMove(Shift, X, Y);
  if (FContainer) _TcxContainerAccess::MouseMove(FContainer, this, Shift, X, Y);
}

void TcxCustomInnerTextEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  if (FContainer) _TcxContainerAccess::MouseUp(FContainer, this, Button, Shift, X, Y);
}

void TcxCustomInnerTextEdit::Click()
{
  TCustomEdit::Click();
  if (FContainer) _TcxContainerAccess::Click(FContainer);
}

void TcxCustomInnerTextEdit::DblClick()
{
  TCustomEdit::DblClick();
  if (FContainer) _TcxContainerAccess::DblClick(FContainer);
}

void TcxCustomInnerTextEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
  if (FContainer)
    _TcxContainerAccess::DragOver(FContainer, this, Source, X, Y, State, Accept);
  else
    TCustomEdit::DragOver(Source, X, Y, State, Accept);
}

void TcxCustomInnerTextEdit::DragDrop(TObject* Source, int X, int Y)
{
  if (FContainer)
    _TcxContainerAccess::DragDrop(FContainer, this, Source, X, Y);
  else
    TCustomEdit::DragDrop(Source, X, Y);
}

bool TcxCustomInnerTextEdit::DoMouseWheel(TShiftState, int, POINT) { return false; }

// A key the editor left, that changed nothing in the window, goes on to the editor's host (an
// arrow key at the end of the text moves to the next grid cell).
void TcxCustomInnerTextEdit::WMKeyDownForwarded(TMessage& Message)
{
  TcxCustomTextEdit* owner = Owner();
  if (owner && owner->WantsAllKeys() && owner->ActiveTextProperties()->IsInnerEditKeyHandled() &&
      owner->LookupData() && owner->LookupData()->ListBox() && owner->LookupData()->ListBox()->HandleAllocated()) {
    SendMessageA(owner->LookupData()->ListBox()->Handle(), Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TcxCustomInnerTextEditPrevState state;
  CaptureInnerEditState(FHelper.get(), true, state);
  FKeyConsumed = false;
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  TCustomEdit::WndProc(Message);
  if (!self || !owner || IsDestroying()) return;
  WORD key = static_cast<WORD>(Message.WParam);
  if (key != 0 && !FKeyConsumed && !HasStateChanged(FHelper.get(), state) && owner->OnInternalKeyDown())
    owner->OnInternalKeyDown()(owner, key, KeyboardShiftState());
}

void TcxCustomInnerTextEdit::WMCharCounted(TMessage& Message)
{
  TcxCustomInnerTextEditPrevState state;
  CaptureInnerEditState(FHelper.get(), true, state);
  FKeyConsumed = false;
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  TCustomEdit::WndProc(Message);
  if (!self || IsDestroying()) return;
  TcxCustomTextEdit* owner = Owner();
  if (FPendingImeChars > 0 && --FPendingImeChars == 0 && owner && owner->ListHighlightShown()) {
    SetSelStart(FHelper->SavedSelStart());
    SetSelLength(FHelper->SavedSelLength());
  }
  if (!owner) return;
  owner->SetSettingValueInternally(false);
  if (!FKeyConsumed && HasStateChanged(FHelper.get(), state)) owner->SetListHighlightShown(false);
}

// An input method's character: a double-byte one arrives as two WM_CHAR bytes, during which the
// selection it replaces is read from the companion.
void TcxCustomInnerTextEdit::WMImeChar(TMessage& Message)
{
  if (FPendingImeChars == 0) FHelper->SaveSelection();
  if (HIBYTE(LOWORD(Message.WParam)) != 0) {
    FPendingImeChars += 2;
    FPendingImeChar = static_cast<char>(LOBYTE(LOWORD(Message.WParam)));
  } else {
    FPendingImeChars += 1;
  }
  // The two bytes go through WM_CHAR, where the editor sees them and the count goes down.
  if (HandleAllocated()) {
    if (HIBYTE(LOWORD(Message.WParam)) != 0) PostMessageA(Handle(), WM_CHAR, HIBYTE(LOWORD(Message.WParam)), Message.LParam);
    PostMessageA(Handle(), WM_CHAR, LOBYTE(LOWORD(Message.WParam)), Message.LParam);
  }
  Message.Result = 0;
}

bool TcxCustomInnerTextEdit::PaintsOnGlass()
{
  return FContainer && FContainer->DrawnOnGlass() && cxIsCompositionOn();
}

bool TcxCustomInnerTextEdit::PaintsOwnText()
{
  TcxCustomTextEdit* owner = Owner();
  return owner && FUseLeftAlignmentOnEditing && FTextAlignment != taLeftJustify && !Focused() &&
         !owner->IsDesigning();
}

std::string TcxCustomInnerTextEdit::ShownText()
{
  std::string text = Text();
  char echo = FPasswordChar;
  if (!echo && FEchoMode == eemPassword) echo = '*';
  if (echo) text.assign(AnsiToWide(text).size(), echo);
  return text;
}

void TcxCustomInnerTextEdit::PaintOwnText(HDC DC)
{
  RECT client{};
  GetClientRect(Handle(), &client);
  const std::string text = ShownText();
  const int saved = SaveDC(DC);
  SelectObject(DC, Font()->Handle());
  SetTextColor(DC, ColorToRGB(Font()->Color()));
  SetBkColor(DC, ColorToRGB(Color()));
  SetBkMode(DC, OPAQUE);
  const LRESULT margins = SendMessageA(Handle(), EM_GETMARGINS, 0, 0);
  const int left = LOWORD(margins), right = HIWORD(margins);
  SIZE size{};
  GetTextExtentPoint32A(DC, text.c_str(), static_cast<int>(text.size()), &size);
  const int width = client.right - client.left;
  int x = left;
  if (FTextAlignment == taRightJustify) {
    x = left + width - size.cx - right;
  } else if (FTextAlignment == taCenter) {
    const int free = width - left - right - size.cx;
    x = left + (free >= 0 ? free / 2 : -((1 - free) / 2));
  }
  ExtTextOutA(DC, x, 0, ETO_OPAQUE | ETO_CLIPPED, &client, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  RestoreDC(DC, saved);
}

void TcxCustomInnerTextEdit::WMPaint(TMessage& Message)
{
  if (PaintsOnGlass()) {
    PaintWindowOnGlassFromPaint(Handle());
    Message.Result = 0;
    return;
  }
  if (!PaintsOwnText()) {
    TCustomEdit::WndProc(Message);
    return;
  }
  if (Message.WParam) {
    PaintOwnText(reinterpret_cast<HDC>(Message.WParam));
  } else {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    PaintOwnText(dc);
    EndPaint(Handle(), &paint);
  }
  Message.Result = 0;
}

void TcxCustomInnerTextEdit::WndProc(TMessage& Message)
{
  if (FContainer && FContainer->HandlePopupMenuShortCut(Message)) return;
  TcxCustomTextEdit* owner = Owner();
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      Message.Result = 0;
      return;
    case WM_GETDLGCODE: {
      TCustomEdit::WndProc(Message);
      Message.Result |= DLGC_WANTCHARS;
      if (owner && owner->WantsNavigationKeys() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
      if (FContainer && (FContainer->IsInplace() || FContainer->WantsAllKeys())) Message.Result |= DLGC_WANTALLKEYS;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FContainer && FContainer->DragMode() == dmAutomatic && !FContainer->IsDesigning()) {
        _TcxContainerAccess::BeginAutoDrag(FContainer);
        return;
      }
      break;
    case WM_KEYDOWN:
      WMKeyDownForwarded(Message);
      return;
    case WM_CHAR:
      WMCharCounted(Message);
      return;
    case WM_IME_CHAR:
      if (!IsWindowUnicode(Handle())) {
        WMImeChar(Message);
        return;
      }
      break;
    case WM_IME_COMPOSITION:
      if (owner && !owner->DoEditing()) return;
      break;
    case EM_REPLACESEL:
      if (owner && owner->Focused() && !owner->DoEditing()) return;
      break;
    case WM_PAINT:
      WMPaint(Message);
      return;
    case WM_CLEAR:
      if (!ReadOnly() && owner) {
        const bool previous = owner->UserEditInProgress();
        owner->SetUserEditInProgress(true);
        try {
          owner->ClearTextCommand();
        } catch (...) {
          owner->SetUserEditInProgress(previous);
          throw;
        }
        owner->SetUserEditInProgress(previous);
      }
      return;
    default:
      break;
  }
  TWeakRef<TcxCustomInnerTextEdit> self(this);
  TCustomEdit::WndProc(Message);
  if (!self || !FContainer || IsDestroying()) return;
  switch (Message.Msg) {
    case WM_SETFOCUS:
      _TcxContainerAccess::FocusReceived(FContainer, reinterpret_cast<HWND>(Message.WParam));
      break;
    case WM_KILLFOCUS:
      _TcxContainerAccess::FocusLost(FContainer);
      break;
    case WM_SIZE:
    case WM_SETFONT:
      SetTextMargins();
      break;
    case EM_SETSEL:
      if (FSelectionChangeHandler) FSelectionChangeHandler(this);
      break;
    case WM_UNDO:
    case EM_UNDO:
      if (owner) owner->UndoTextChange();
      break;
    case CM_MOUSELEAVE:
      FContainer->RefreshStateAtCursor(true);
      break;
    default:
      break;
  }
}

void TcxCustomInnerTextEdit::DefaultHandler(TMessage& Message)
{
  if (FContainer && FContainer->DispatchInnerControlMessage(Message)) return;
  TCustomEdit::DefaultHandler(Message);
}
