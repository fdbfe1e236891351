#include "toolkit/bars/dxBarPopupMenuLinks.h"

#include "classlib/Messages.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsWindowProc.h"

namespace {
using TL = TdxBarPopupMenuLink;
const TPropInfo PopupMenuLinkProps[] = {
  ComponentProp<&TL::Control, &TL::SetControl>("Control"),
  ComponentProp<&TL::PopupMenu, &TL::SetPopupMenu>("PopupMenu"),
  BoolProp<&TL::ProcessChildren, &TL::SetProcessChildren>("ProcessChildren", true),
  EventProp<&TL::OnAction, &TL::SetOnAction>("OnAction"),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarPopupMenuLink, .Props = PopupMenuLinkProps);
CL_DEFINE_CLASS(TdxBarPopupMenuLinks);

// --- TdxBarPopupMenuLink ---

void TdxBarPopupMenuLink::BeforeDestruction()
{
  SetControl(nullptr);
  TCollectionItem::BeforeDestruction();
}

TdxBarManager* TdxBarPopupMenuLink::GetBarManager() const
{
  auto* links = dynamic_cast<TdxBarPopupMenuLinks*>(Collection());
  return links ? links->BarManager() : nullptr;
}

TWinControl* TdxBarPopupMenuLink::GetWinControl() const { return WinControlOf(FControl); }

void TdxBarPopupMenuLink::SetControl(TControl* value)
{
  TdxBarManager* manager = GetBarManager();
  if (value && !ManagerOwnerContainsControl(manager, value)) value = nullptr;
  if (FControl == value) return;
  if (FControl) {
    if (TcxWindowProcController* controller = GetWindowProcController())
      controller->RemoveWindowProc(FWindowProcLink);
    FWindowProcLink = nullptr;
  }
  FControl = value;
  if (!value) return;
  if (manager) value->FreeNotification(manager);
  if (TcxWindowProcController* controller = GetWindowProcController())
    FWindowProcLink = controller->AddControlWindowProc(value, [this](TMessage& m) { ControlWndProc(m); });
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* value)
{
  FPopupMenu = value;
  if (TdxBarManager* manager = GetBarManager(); manager && value) value->FreeNotification(manager);
}

void TdxBarPopupMenuLink::ControlWndProc(TMessage& message)
{
  TcxWindowProcLinkedObject* link = FWindowProcLink;
  TdxBarManager* manager = GetBarManager();
  const TContextPopupEvent own(this, &TdxBarPopupMenuLink::ContextPopup);
  if (message.Msg != WM_CONTEXTMENU || (manager && manager->IsDesigning()) || FControl->OnContextPopup() == own) {
    CallPreviousWindowProc(link, message);
    return;
  }
  // The control's own handler is put back afterwards even when a handler freed this link.
  const TWeakRef<TControl> control(FControl);
  const TContextPopupEvent saved = FControl->OnContextPopup();
  TObjectCall call(this);
  FSavedContextPopup = saved;
  FControl->SetOnContextPopup(own);
  try {
    CallPreviousWindowProc(link, message);
  } catch (...) {
    if (control) control->SetOnContextPopup(saved);
    throw;
  }
  if (control) control->SetOnContextPopup(saved);
}

void TdxBarPopupMenuLink::ContextPopup(TObject* sender, POINT mousePos, bool& handled)
{
  const TWeakRef<TdxBarPopupMenuLink> self(this);
  if (FSavedContextPopup) FSavedContextPopup(sender, mousePos, handled);
  if (!self || handled || !FControl) return;
  TControl* child = nullptr;
  if (auto* container = dynamic_cast<TWinControl*>(FControl)) child = container->ControlAtPos(mousePos, true, false);
  if (FProcessChildren || !child) handled = DoPopup(mousePos);
}

bool TdxBarPopupMenuLink::DoPopup(POINT clientPoint)
{
  const bool clickedByMouse = !(clientPoint.x == -1 && clientPoint.y == -1);
  bool allowPopup = FPopupMenu != nullptr;
  int x = clientPoint.x, y = clientPoint.y;
  const TWeakRef<TdxBarPopupMenuLink> self(this);
  if (FOnAction) FOnAction(this, x, y, clickedByMouse, allowPopup);
  if (self && allowPopup && FPopupMenu && FControl) {
    const POINT screen = FControl->ClientToScreen(POINT{x, y});
    FPopupMenu->Popup(screen.x, screen.y);
  }
  return allowPopup;
}

bool TdxBarPopupMenuLink::HandleShortCut(TShortCut shortCut)
{
  bool allowPopup = FPopupMenu != nullptr;
  const TWeakRef<TdxBarPopupMenuLink> self(this);
  if (FOnAction) {
    int x = -1, y = -1;
    FOnAction(this, x, y, false, allowPopup);
  }
  return self && allowPopup && FPopupMenu && FPopupMenu->ItemLinks()->HandleShortCut(shortCut);
}

void TdxBarPopupMenuLink::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarPopupMenuLink*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  TdxBarManager* manager = GetBarManager();
  TComponent* owner = manager ? manager->GetOwnerControl() : nullptr;
  auto namesake = [owner](TComponent* c) -> TComponent* {
    return owner && c ? owner->FindComponent(c->Name()) : nullptr;
  };
  SetControl(As<TWinControl>(namesake(other->Control())));
  SetPopupMenu(As<TdxBarPopupMenu>(namesake(other->PopupMenu())));
  SetProcessChildren(other->ProcessChildren());
}

// --- TdxBarPopupMenuLinks ---

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* barManager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), FBarManager(barManager)
{
}

TPersistent* TdxBarPopupMenuLinks::GetOwner() const { return FBarManager; }

bool TdxBarPopupMenuLinks::HandleShortCut(TControl* control, TShortCut shortCut)
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == control && Items(i)->HandleShortCut(shortCut)) return true;
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Items(i);
    if (link->ProcessChildren() && ControlContains(link->GetWinControl(), control) && link->HandleShortCut(shortCut))
      return true;
  }
  TdxBarManager* parent = FBarManager ? FBarManager->GetParentManager() : nullptr;
  return parent && parent != FBarManager && parent->PopupMenuLinks()->HandleShortCut(control, shortCut);
}

void TdxBarPopupMenuLinks::ComponentRemoved(TComponent* component)
{
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Items(i);
    if (link->Control() == component) link->SetControl(nullptr);
    if (static_cast<TComponent*>(link->PopupMenu()) == component) link->SetPopupMenu(nullptr);
  }
}
