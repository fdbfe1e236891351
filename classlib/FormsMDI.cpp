// The MDI side of forms: the MDI client window of a parent form, children made in it, their
// activation and window state, the menu bar of the frame and its window menu.
#include "classlib/Forms.h"

#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ObjectWindows.h"

namespace {
// Command numbers the MDI client gives the children it lists in the window menu; menu items take
// theirs below.
constexpr UINT FirstMDIChildId = 0xFF00;

HWND MDIClientOf(HWND child) { return child ? GetParent(child) : nullptr; }
}  // namespace

TCustomForm* TCustomForm::MDIParentForm() const
{
  auto isParent = [](TComponent* c) {
    auto* form = dynamic_cast<TCustomForm*>(c);
    return form && form->FFormStyle == TFormStyle::fsMDIForm ? form : nullptr;
  };
  if (TCustomForm* form = isParent(Owner())) return form;
  return Application ? isParent(Application->MainForm()) : nullptr;
}

void TCustomForm::CreateMDIClient()
{
  CLIENTCREATESTRUCT ccs{nullptr, FirstMDIChildId};
  RECT r = ClientRect();
  FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                  0, 0, r.right, r.bottom, FHandle, nullptr, GetModuleHandleA(nullptr), &ccs);
  if (!FClientHandle) RaiseLastOSError();
  Realign();
}

void TCustomForm::CreateWindowHandle(const TCreateParams& params)
{
  if (FFormStyle != TFormStyle::fsMDIChild) {
    TWinControl::CreateWindowHandle(params);
    return;
  }
  TCustomForm* parent = MDIParentForm();
  if (!parent || !parent->HandleAllocated() || !parent->FClientHandle)
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  // The client lists the child and gives it its place among the others.
  CreateObjectWindow(this, params.ExStyle | WS_EX_MDICHILD, params.WinClassName.c_str(), params.Caption.c_str(),
                     params.Style, params.X, params.Y, params.Width, params.Height, parent->FClientHandle,
                     nullptr, params.Param);
}

void TCustomForm::DestroyWindowHandle()
{
  HWND client = FFormStyle == TFormStyle::fsMDIChild ? MDIClientOf(FHandle) : nullptr;
  if (!client) {
    TWinControl::DestroyWindowHandle();
    return;
  }
  // Through the client, which then activates the next child and updates the window menu.
  FControlState.Include(TControlStateFlag::csDestroyingHandle);
  SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
  FControlState.Exclude(TControlStateFlag::csDestroyingHandle);
  if (FHandle) TWinControl::DestroyWindowHandle();
}

void TCustomForm::DefaultHandler(TMessage& msg)
{
  // The library's own messages and the colours of reflected notifications are not the window's.
  if (FClientHandle && FHandle && msg.Msg < CM_BASE) {
    msg.Result = DefFrameProcA(FHandle, FClientHandle, msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  TWinControl::DefaultHandler(msg);
}

void TCustomForm::AlignControls(TControl* requester, RECT& rect)
{
  TWinControl::AlignControls(requester, rect);
  // The MDI client takes what the aligned controls leave, behind them.
  if (FClientHandle)
    SetWindowPos(FClientHandle, HWND_BOTTOM, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
}

TCustomForm* TCustomForm::ActiveMDIChild() const
{
  if (!FClientHandle) return nullptr;
  auto wnd = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(wnd));
}

namespace {
// The child forms in an MDI client, front to back.
std::vector<TCustomForm*> ChildFormsOf(HWND client)
{
  std::vector<TCustomForm*> children;
  for (HWND w = client ? GetWindow(client, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT))
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(w)); form && form->FormStyle() == TFormStyle::fsMDIChild)
      children.push_back(form);
  return children;
}
}  // namespace

int TCustomForm::MDIChildCount() const { return static_cast<int>(ChildFormsOf(FClientHandle).size()); }

TCustomForm* TCustomForm::MDIChildren(int index) const
{
  const std::vector<TCustomForm*> children = ChildFormsOf(FClientHandle);
  if (index < 0 || index >= static_cast<int>(children.size()))
    throw EListError("MDI child index out of bounds (" + std::to_string(index) + ")");
  return children[index];
}

void TCustomForm::ShowMDIChild()
{
  HWND client = MDIClientOf(FHandle);
  DoShow();
  ShowWindow(FHandle, FWindowState == TWindowState::wsMinimized ? SW_SHOWMINNOACTIVE : SW_SHOW);
  if (FWindowState == TWindowState::wsMaximized) SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(FHandle), 0);
  SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TCustomForm::SetMDIChildState(TWindowState value)
{
  HWND client = MDIClientOf(FHandle);
  auto child = reinterpret_cast<WPARAM>(FHandle);
  switch (value) {
    case TWindowState::wsMaximized: SendMessageA(client, WM_MDIMAXIMIZE, child, 0); break;
    case TWindowState::wsNormal: SendMessageA(client, WM_MDIRESTORE, child, 0); break;
    case TWindowState::wsMinimized: ShowWindow(FHandle, SW_MINIMIZE); break;
  }
}

void TCustomForm::WMMDIActivate(TMessage& msg)
{
  DefaultHandler(msg);
  // A child hears of its own activation (LParam) and deactivation (WParam) this way, not through
  // WM_ACTIVATE.
  if (FFormStyle != TFormStyle::fsMDIChild) return;
  const bool active = reinterpret_cast<HWND>(msg.LParam) == FHandle;
  if (active != FActive) SetActive(active);
}

void TCustomForm::SetWindowMenu(TMenuItem* value)
{
  if (FWindowMenu == value) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = value;
  if (value) value->FreeNotification(this);
  if (FClientHandle && FMenu && FMenu->HandleAllocated()) SetMDIFrameMenu(FHandle, FMenu->Handle());
}

HMENU TCustomForm::WindowMenuHandle(HMENU bar) const
{
  if (!bar || !FWindowMenu || !FMenu || FWindowMenu->Parent() != FMenu->Items() || !FWindowMenu->Visible())
    return nullptr;
  // Its place on the menu bar as built: among the visible items.
  int position = 0;
  for (int i = 0; i < FMenu->Items()->Count() && FMenu->Items()->Items(i) != FWindowMenu; ++i)
    if (FMenu->Items()->Items(i)->Visible()) ++position;
  return GetSubMenu(bar, position);
}

bool TCustomForm::SetMDIFrameMenu(HWND frame, HMENU menu)
{
  auto* form = dynamic_cast<TCustomForm*>(FindControl(frame));
  if (!form || !form->FClientHandle) return false;
  if (menu) {
    SendMessageA(form->FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(form->WindowMenuHandle(menu)));
  } else {
    // The client takes what it put on the bar (a maximized child's system menu, which must not go
    // with the bar) over to an empty one, from which it is taken off before that goes.
    HMENU empty = CreateMenu();
    SendMessageA(form->FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(empty), 0);
    while (GetMenuItemCount(empty) > 0) RemoveMenu(empty, 0, MF_BYPOSITION);
    ::SetMenu(frame, nullptr);
    DestroyMenu(empty);
  }
  DrawMenuBar(frame);
  return true;
}
