// The inner EDIT window of the text editors and its companion.
#include "toolkit/editors/cxTextEdit.h"

#include "classlib/Variant.h"

CL_DEFINE_CLASS(TcxCustomInnerTextEditHelper);
CL_DEFINE_CLASS(TcxCustomInnerTextEdit);

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
  if (FEdit->Text() != text) FEdit->SetText(text);
}

void TcxCustomInnerTextEditHelper::AttachToParent(TWinControl* Parent)
{
  FEdit->SetContainer(dynamic_cast<TcxContainer*>(Parent));
  FEdit->SetParent(Parent);
}

void TcxCustomInnerTextEditHelper::AssignChangeHandler(const TNotifyEvent& Handler) { FEdit->SetOnChange(Handler); }
void TcxCustomInnerTextEditHelper::SetReadOnlyControl(bool ReadOnly) { FEdit->SetReadOnly(ReadOnly); }
void TcxCustomInnerTextEditHelper::DeleteSelection() { FEdit->ClearSelection(); }

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
  TCustomEdit::SetBounds(Left, Top, Width, Height);
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
  Params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
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

void TcxCustomInnerTextEdit::CreateWnd()
{
  TCustomEdit::CreateWnd();
  SetTextMargins();
  if (FEchoMode == eemPassword)
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar ? FPasswordChar : '*'), 0);
}

void TcxCustomInnerTextEdit::KeyPress(char& Key)
{
  if (Key == '\t') Key = 0;
  if (Key) TCustomEdit::KeyPress(Key);
}

void TcxCustomInnerTextEdit::WndProc(TMessage& Message)
{
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
      if (FContainer && FContainer->IsInplace()) Message.Result |= DLGC_WANTALLKEYS;
      return;
    }
    default:
      break;
  }
  TCustomEdit::WndProc(Message);
  if (!FContainer || IsDestroying()) return;
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
    default:
      break;
  }
}

void TcxCustomInnerTextEdit::DefaultHandler(TMessage& Message)
{
  if (FContainer && FContainer->DispatchInnerControlMessage(Message)) return;
  TCustomEdit::DefaultHandler(Message);
}
