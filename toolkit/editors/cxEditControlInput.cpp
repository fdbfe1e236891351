// The edit control's input: keys and characters, the clipboard messages, the mouse and its
// buttons, hints, focus, and in-place activation by a host.
#include "toolkit/editors/cxEditControl.h"

#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Hints.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsWindowProc.h"
#include "toolkit/editors/cxEditDataBinding.h"
#include "toolkit/editors/cxEditInplaceList.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
constexpr WORD VK_FIRST_NAVIGATION = VK_PRIOR;  // Page Up
constexpr WORD VK_LAST_NAVIGATION = VK_DOWN;

void SendMouseMessage(TWinControl* Control, UINT Msg, TShiftState Shift, POINT P)
{
  SendMessageA(Control->Handle(), Msg, ShiftStateToKeyFlags(Shift), PointToLParam(P));
}
}  // namespace

template <class F>
void TcxCustomEdit::AsUserEdit(F&& Action)
{
  const bool previous = FUserEditInProgress;
  FUserEditInProgress = true;
  try {
    Action();
  } catch (...) {
    FUserEditInProgress = previous;
    throw;
  }
  FUserEditInProgress = previous;
}

// --- Keys ---

bool TcxCustomEdit::IsShortCutHandled(WORD Key, TShiftState Shift)
{
  return ShortCut(Key, Shift) == GetActiveProperties()->ClickKey() && DefaultButtonIndex() >= 0;
}

int TcxCustomEdit::DefaultButtonIndex()
{
  TcxEditButtons* buttons = GetActiveProperties()->Buttons();
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  for (int i = 0; i < buttons->Count(); ++i) {
    if (!buttons->Items(i)->Default()) continue;
    // A button the view shows disabled cannot be clicked; one not laid out yet follows its setting.
    for (int j = 0; j < viewInfo->ButtonCount(); ++j)
      if (viewInfo->Buttons(j)->ButtonIndex == i) return viewInfo->Buttons(j)->State != ebsDisabled ? i : -1;
    return buttons->Items(i)->Enabled() ? i : -1;
  }
  return -1;
}

void TcxCustomEdit::KeyDown(WORD& Key, TShiftState Shift)
{
  FEscapeHandled = false;
  if (!IsShortCutHandled(Key, Shift)) TcxCustomEditContainer::KeyDown(Key, Shift);
  if (Key) DoEditKeyDown(Key, Shift);
  if (Key && IsSpecialKey(Key, Shift) && FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
  if (Key && EditKeyListener) EditKeyListener->KeyDown(Key, Shift);
}

void TcxCustomEdit::DoEditKeyDown(WORD& Key, TShiftState Shift)
{
  TcxCustomEditProperties* properties = GetActiveProperties();
  const TShortCut shortCut = ShortCut(Key, Shift);
  if (properties->ClearKey() != 0 && shortCut == properties->ClearKey()) {
    LockChangeEvents(true);
    try {
      AsUserEdit([&] {
        RestoreEditValue(GetEmptyEditValue());
        if (properties->ImmediatePost() && CanPostValue()) PostEditValue(false);
        FValidated = true;
      });
    } catch (...) {
      LockChangeEvents(false, true);
      throw;
    }
    LockChangeEvents(false, true);
    Key = 0;
    return;
  }
  if (shortCut == properties->ClickKey() && DefaultButtonIndex() >= 0) {
    // The character this key makes must not reach the inner control.
    MSG pending;
    if (HandleAllocated()) PeekMessageA(&pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    if (TWinControl* inner = InnerControl(); inner && inner->HandleAllocated())
      PeekMessageA(&pending, inner->Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    ClickDefaultButton();
    Key = 0;
    return;
  }
  if (!CanProcessKey(Key, Shift)) {
    if (FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_TAB:
      if (Focused() && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && !properties->HandlesTabKey()) {
        BeforeFocusLeavesByKey(Shift);
        if (FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
        if (Key == 0) return;
        Key = 0;
        if (TCustomForm* form = GetParentForm()) form->SelectNext(form->ActiveControl(), !Shift.Contains(ssShift), true);
        if (HandleAllocated() && GetFocus() == Handle() && FInnerEdit) FInnerEdit->FocusWithoutSelecting();
      }
      break;
    case VK_RETURN:
      if (properties->ValidateOnEnter()) {
        Key = 0;
        LockChangeEvents(true);
        try {
          if (ValidateEdit(true) && CanPostValue()) PostEditValue(false);
        } catch (...) {
          LockChangeEvents(false, true);
          throw;
        }
        LockChangeEvents(false, true);
      }
      break;
    case VK_ESCAPE:
      if (FModified && (IsStorageBound() || properties->IsResetEditValueSupported())) {
        LockChangeEvents(true);
        try {
          FDataBinding->AbandonEditChanges();
          SetModifiedAfterEnter(true);
        } catch (...) {
          LockChangeEvents(false, true);
          throw;
        }
        LockChangeEvents(false, true);
        FEscapeHandled = true;
        Key = 0;
      }
      break;
    default:
      break;
  }
  if (Key >= VK_FIRST_NAVIGATION && Key <= VK_LAST_NAVIGATION && !IsTextBasedEditor()) {
    if (FOnInternalKeyDown) FOnInternalKeyDown(this, Key, Shift);
    Key = 0;
  }
}

bool TcxCustomEdit::CanProcessKey(WORD Key, TShiftState Shift)
{
  return FDataBinding->IsInEditMode() || !IsValueChangingKey(Key, Shift) || DoEditing();
}

void TcxCustomEdit::KeyPress(char& Key)
{
  if (Key == static_cast<char>(VK_ESCAPE) && FEscapeHandled) {
    FEscapeHandled = false;
    Key = 0;
    return;
  }
  TcxCustomEditContainer::KeyPress(Key);
  if (Key) DoEditKeyPress(Key);
}

void TcxCustomEdit::FilterTypedChar(char& Ch)
{
  if (static_cast<unsigned char>(Ch) >= 32 && !IsValidChar(Ch)) {
    Ch = 0;
    SysMessageBeep();  // a refused character always beeps, whatever BeepOnError says
    return;
  }
  if (!FDataBinding->IsInEditMode() && IsValueChangingChar(Ch) && !DoEditing()) Ch = 0;
}

void TcxCustomEdit::KeyUp(WORD& Key, TShiftState Shift)
{
  TcxCustomEditContainer::KeyUp(Key, Shift);
  if (Key) DoEditKeyUp(Key, Shift);
  if (Key && EditKeyListener) EditKeyListener->KeyUp(Key, Shift);
}

void TcxCustomEdit::CMDialogChar(TMessage& Message)
{
  TcxEditButtons* buttons = GetActiveProperties()->Buttons();
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  for (int j = 0; j < viewInfo->ButtonCount(); ++j) {
    TcxEditButtonViewInfo* button = viewInfo->Buttons(j);
    if (button->State == ebsDisabled || button->ButtonIndex >= buttons->Count()) continue;
    if (IsAccel(static_cast<UINT>(Message.WParam), buttons->Items(button->ButtonIndex)->Caption())) {
      DoButtonClick(button->ButtonIndex);
      Message.Result = 1;
      return;
    }
  }
  Inherited<TcxCustomEdit>(Message);
}

// --- Clipboard ---

void TcxCustomEdit::WMCopy(TMessage&) { CopyToClipboard(); }

void TcxCustomEdit::WMCut(TMessage&)
{
  AsUserEdit([&] {
    if (!GetActiveProperties()->GetReadOnly() && FDataBinding->CanReadData())
      ClearSelection();
    else
      CopyToClipboard();
  });
}

void TcxCustomEdit::WMPaste(TMessage&)
{
  if (!GetActiveProperties()->GetReadOnly() && FDataBinding->CanReadData()) AsUserEdit([&] { PasteFromClipboard(); });
}

bool TcxCustomEdit::InnerControlMessage(TMessage& Message)
{
  if (TcxCustomEditContainer::InnerControlMessage(Message)) return true;
  switch (Message.Msg) {
    case WM_CUT:
      if (FInnerEdit && FInnerEdit->HandlesClipboardCommands()) return false;
      AsUserEdit([&] {
        if (DoEditing())
          ClearSelection();
        else
          CopyToClipboard();
      });
      return true;
    case WM_PASTE: {
      if (FInnerEdit && FInnerEdit->HandlesClipboardCommands()) return false;
      bool handled = false;
      AsUserEdit([&] {
        if (DoEditing()) {
          PasteFromClipboard();
          handled = true;
        }
      });
      return handled;
    }
    case WM_UNDO:
      DoEditing();
      return false;
    default:
      return false;
  }
}

// --- Mouse ---

int TcxCustomEdit::ButtonIndexAt(POINT P)
{
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  for (int j = 0; j < viewInfo->ButtonCount(); ++j)
    if (PtInRect(&viewInfo->Buttons(j)->Bounds, P)) return viewInfo->Buttons(j)->ButtonIndex;
  return -1;
}

void TcxCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft && FClickTimer->Enabled()) {
    FClickTimer->SetEnabled(false);
    // The second click of a double click that activated the editor.
    if (ButtonIndexAt(POINT{X, Y}) < 0) DblClick();
  }
  TcxCustomEditContainer::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && MouseCapture()) {
    auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
    for (int j = 0; j < viewInfo->ButtonCount(); ++j) {
      TcxEditButtonViewInfo* button = viewInfo->Buttons(j);
      if (button->State == ebsHot && PtInRect(&button->Bounds, POINT{X, Y})) {
        FCapturedButtonIndex = j;
        break;
      }
    }
  }
}

void TcxCustomEdit::DblClick()
{
  POINT p{};
  if (HandleAllocated()) p = ScreenToClient(ReadMouseScreenPos());
  if (ButtonIndexAt(p) < 0) {
    TcxCustomEditContainer::DblClick();
    return;
  }
  TShiftState shift = GetKeyboardShiftState();
  shift.Include(ssLeft);
  MouseDown(mbLeft, shift, p.x, p.y);
  Click();
}

bool TcxCustomEdit::DoRefreshState(POINT P, int Button, TShiftState Shift)
{
  (void)Button;
  if (!HandleAllocated()) return TcxCustomEditContainer::DoRefreshState(P, Button, Shift);
  if (GetCapture() != Handle()) FCapturedButtonIndex = -1;
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  TOwned<TcxCustomEditViewInfo> previous;
  if (viewInfo->ButtonCount() > 0 || ViewInfoCalculated()) {
    previous.reset(GetActiveProperties()->ViewInfoClassType().Create());
    previous->Assign(viewInfo);
  }
  viewInfo->SaveButtonStates();
  const RECT bounds{0, 0, Width(), Height()};
  auto calculate = [&] {
    auto viewData = CreateEditViewData();
    viewData->CalculateViewInfo(Canvas(), bounds, false, viewInfo, Shift, Button != 0, P);
    viewInfo->Edit = this;
  };
  calculate();
  RECT inner{};
  if (TWinControl* control = InnerControl(); control && IsTextEditing())
    inner = RECT{control->Left(), control->Top(), control->Left() + control->Width(), control->Top() + control->Height()};
  const bool changed = viewInfo->InvalidateChangedParts(Handle(), inner, previous.get());
  if (changed || !previous) {
    LockedAdjustLayout();
    calculate();
    UpdateWindowRegion();
  }
  return true;
}

void TcxCustomEdit::ContainerStateChanged()
{
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  const int pressed = viewInfo->PressedButtonIndex;
  const int hot = viewInfo->HotButtonIndex;
  const int previousPressed = viewInfo->PreviousPressedButtonIndex;
  if (pressed == previousPressed && hot == viewInfo->PreviousHotButtonIndex) return;
  TWeakRef<TcxCustomEdit> self(this);
  if (previousPressed >= 0 && previousPressed != pressed && previousPressed < viewInfo->ButtonCount()) {
    const int index = viewInfo->Buttons(previousPressed)->ButtonIndex;
    DoButtonUp(index);
    // Released over itself: a click.
    if (self && previousPressed == hot) DoButtonClick(index);
  }
  if (self && pressed >= 0 && previousPressed < 0 && pressed < viewInfo->ButtonCount())
    DoButtonDown(viewInfo->Buttons(pressed)->ButtonIndex);
}

bool TcxCustomEdit::CanUseMouseWheel(TShiftState Shift)
{
  return !FIsInplace || GetActiveProperties()->AcceptsMouseWheel() || Shift.Contains(static_cast<TShiftStateFlag>(4));
}

// --- Hints ---

void TcxCustomEdit::CMHintShow(TMessage& Message)
{
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  auto* viewInfo = static_cast<TcxCustomEditViewInfo*>(ViewInfo());
  const int part = info ? viewInfo->GetPartAt(info->CursorPos) : cxEditPartNone;
  if (part == cxEditPartNone) {
    Message.Result = -1;
    return;
  }
  std::string hint;
  if (part >= 0 && part < viewInfo->ButtonCount()) {
    const int index = viewInfo->Buttons(part)->ButtonIndex;
    if (index < GetActiveProperties()->Buttons()->Count()) hint = GetActiveProperties()->Buttons()->Items(index)->Hint();
  }
  if (hint.empty() && ShowHint()) hint = Hint();
  if (const size_t bar = hint.find('|'); bar != std::string::npos) hint.resize(bar);
  info->HintStr = hint;
  viewInfo->GetPartRect(part, info->CursorRect);
  Message.Result = 0;
}

// --- Focus ---

void TcxCustomEdit::FocusChanged()
{
  if (IsDestroying() || FErrorFocusing) return;
  const bool focusedWhileActive = Focused() && Application->Active();
  if (focusedWhileActive == FFocusedWhileActive) return;
  FFocusedWhileActive = focusedWhileActive;
  TcxCustomEditContainer::FocusChanged();
  HandleFocusChange();
}

void TcxCustomEdit::CMEnter(TMessage& Message)
{
  Inherited<TcxCustomEdit>(Message);
  if (SysLocale().FarEast && FInnerEdit && FDataBinding->CanEnterEditing() && !GetActiveProperties()->GetReadOnly())
    FInnerEdit->SetReadOnlyControl(false);
}

void TcxCustomEdit::CreateHandle()
{
  TcxCustomEditContainer::CreateHandle();
  if (FInnerEdit && Focused()) FInnerEdit->FocusWithoutSelecting();
}

void TcxCustomEdit::FocusInnerControl()
{
  if (FInnerEdit && Focused()) FInnerEdit->FocusWithoutSelecting();
}

void TcxCustomEdit::GetTabOrderList(std::vector<TWinControl*>& List) const
{
  TcxCustomEditContainer::GetTabOrderList(List);
  if (FIsInplace && Visible()) std::erase(List, Parent());
}

void TcxCustomEdit::DefaultHandler(TMessage& Message)
{
  if (FIsInplace && Message.Msg == WM_CONTEXTMENU) return;
  TcxCustomEditContainer::DefaultHandler(Message);
}

// --- In-place activation ---

void TcxCustomEdit::Activate(TcxCustomEditData*& EditData)
{
  if (!EditData && EditDataClassType()) EditData = EditDataClassType().Create(this);
  FEditData = EditData;
  if (FEditData && FEditData->ReinitializationPending()) {
    InitializeEditData();
    FEditData->SetReinitializationPending(false);
  }
  SetVisible(true);
  if (CanTakeFocusNow()) {
    SetFocus();
    if (GetActiveProperties()->AutoSelect()) SelectAllText();
  }
  SynchronizeDisplayValue();
  SetModifiedAfterEnter(false);
  FActivated = true;
}

void TcxCustomEdit::ActivateByKey(char Key, TcxCustomEditData*& EditData)
{
  HookInnerEditWindowProc();
  try {
    Activate(EditData);
    if (CanActivateByKey(Key) && HandleAllocated())
      SendMessageA(Handle(), WM_CHAR, static_cast<unsigned char>(Key), 0);
  } catch (...) {
    UnhookInnerEditWindowProc();
    throw;
  }
  UnhookInnerEditWindowProc();
}

void TcxCustomEdit::ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& EditData)
{
  Activate(EditData);
  if (HandleAllocated()) {
    POINT p{X, Y};
    if (Parent()) p = ScreenToClient(Parent()->ClientToScreen(p));
    if (Shift.Contains(ssLeft)) {
      SendMouseMessage(this, WM_MOUSEMOVE, TShiftState{}, p);
      SendMouseMessage(this, WM_LBUTTONDOWN, Shift, p);
      if (GetCapture() == Handle() && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0) ReleaseCapture();
    } else {
      SendMouseMessage(this, WM_LBUTTONUP, Shift, p);
    }
  }
  FClickTimer->SetEnabled(true);
}

bool TcxCustomEdit::Deactivate()
{
  FClickTimer->SetEnabled(false);
  FUserEditInProgress = false;
  if (!ValidateEdit(true)) return false;
  SynchronizeDisplayValue();
  FValidated = true;
  return true;
}

void TcxCustomEdit::HookInnerEditWindowProc()
{
  TWinControl* inner = InnerControl();
  if (!inner || FInnerEditWindowProcLink) return;
  FInnerEditWindowProcLink = GetWindowProcController()->AddControlWindowProc(
      inner, [this](TMessage& Message) { InnerEditWindowProc(Message); });
}

void TcxCustomEdit::UnhookInnerEditWindowProc()
{
  if (FInnerEditWindowProcLink) GetWindowProcController()->RemoveWindowProc(FInnerEditWindowProcLink);
  FInnerEditWindowProcLink = nullptr;
}

void TcxCustomEdit::InnerEditWindowProc(TMessage& Message)
{
  if (FInnerEditWindowProcLink)
    CallPreviousWindowProc(FInnerEditWindowProcLink, Message);
  else if (InnerControl())
    CallSavedInnerWndProc(Message);
}
