// TUpDown.
#include "classlib/UpDown.h"
#include <commctrl.h>
#include "classlib/TypInfo.h"

namespace {
using TUD = TUpDown;
constexpr TPropInfo UpDownProps[] = {
  ComponentProp<&TUD::Associate, &TUD::SetAssociate>("Associate"),
  IntProp<&TUD::Min, &TUD::SetMin>("Min", 0),
  IntProp<&TUD::Max, &TUD::SetMax>("Max", 100),
  IntProp<&TUD::Position, &TUD::SetPosition>("Position", 0),
  IntProp<&TUD::Increment, &TUD::SetIncrement>("Increment", 1),
  EventProp<&TUD::OnChanging, &TUD::SetOnChanging>("OnChanging"),
};
}  // namespace

CL_MESSAGE_MAP(TUpDown,
  {CN_NOTIFY, &TUpDown::CNNotify},
  {CN_VSCROLL, &TUpDown::CNScroll},
  {CN_HSCROLL, &TUpDown::CNScroll});
CL_DEFINE_CLASS(TUpDown, .Props = UpDownProps);


TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 17, 21); }

void TUpDown::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, UPDOWN_CLASSA);
  params.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (FAssociate) params.Style |= UDS_ALIGNRIGHT;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TUpDown::CreateWnd()
{
  TWinControl::CreateWnd();
  UpdateRange();
  UpdateAccel();
  if (FAssociate) SendMessageA(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
  // After the buddy: the position is what its text shows.
  SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::UpdateRange()
{
  if (FHandle) SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::UpdateAccel()
{
  if (!FHandle) return;
  UDACCEL accel{0, static_cast<UINT>(FIncrement)};
  SendMessageA(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SetAssociate(TWinControl* value)
{
  if (value == this) throw EInvalidOperation("An up-down control cannot be its own associate");
  if (FAssociate == value) return;
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
  FAssociate = value;
  if (FAssociate) FAssociate->FreeNotification(this);
  if (FHandle) {
    // The buttons place themselves at the edit's side when they are made with it.
    RecreateWnd();
  }
  if (FAssociate && FAssociate->HandleAllocated() && !IsLoading())
    SetWindowTextA(FAssociate->Handle(), std::to_string(Position()).c_str());
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FAssociate) {
    FAssociate = nullptr;
    if (FHandle) SendMessageA(FHandle, UDM_SETBUDDY, 0, 0);
  }
}

void TUpDown::SetMin(int value)
{
  FMin = value;
  UpdateRange();
}

void TUpDown::SetMax(int value)
{
  FMax = value;
  UpdateRange();
}

int TUpDown::Position() const
{
  if (FHandle) {
    BOOL failed = FALSE;
    auto pos = static_cast<int>(SendMessageA(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (!failed) return pos;
  }
  return FPosition;
}

void TUpDown::SetPosition(int value)
{
  FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
  if (FHandle) SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetIncrement(int value)
{
  FIncrement = value;
  UpdateAccel();
}

bool TUpDown::CanChange()
{
  bool allow = true;
  if (FOnChanging) FOnChanging(this, allow);
  return allow;
}

void TUpDown::Click(TUDBtnType button)
{
  if (FOnClick) FOnClick(this, button);
}

void TUpDown::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  if (hdr->code == UDN_DELTAPOS) {
    FLastPosition = Position();
    msg.Result = CanChange() ? 0 : 1;
  }
}

void TUpDown::CNScroll(TMessage& msg)
{
  if (LOWORD(msg.WParam) != SB_THUMBPOSITION) return;
  int pos = Position();
  FPosition = pos;
  if (pos != FLastPosition) Click(pos > FLastPosition ? btNext : btPrev);
}
