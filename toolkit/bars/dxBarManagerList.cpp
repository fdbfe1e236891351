#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarHints.h"

#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/controls/cxControlsHelpers.h"

CL_DEFINE_CLASS(TdxBarManagerList);

namespace {
TUnitObject<TdxBarManagerList> GManagerList{UnitdxBar};
}  // namespace

// --- The list ---

void TdxBarManagerList::BeforeDestruction()
{
  ReleaseBarHooks();
  TdxObjectList::BeforeDestruction();
}

TdxBarManager* TdxBarManagerList::GetManager(int index) const
{
  return static_cast<TdxBarManager*>(GetObject(index));
}

TdxBarManager* TdxBarManagerList::FindCustomizingManager() const
{
  for (int i = 0; i < Count(); ++i)
    if (GetManager(i)->IsCustomizing()) return GetManager(i);
  return nullptr;
}

TdxBarManagerList* GetBarManagerList() { return GManagerList.Peek(); }
void CreateBarManagerList() { GManagerList.Get(); }
void FreeBarManagerList() { GManagerList.Free(); }

// --- Joining and hooks ---

void JoinManagerList(TdxBarManager* manager)
{
  TdxBarManagerList* list = GetBarManagerList();
  if (!list || list->IndexOf(manager) >= 0) return;
  list->Add(manager);
  if (list->Count() == 1) {
    RegisterHookProc(TdxHookKind::hkKeyboard, BarKeyboardHookProc);
    RegisterHookProc(TdxHookKind::hkMouse, BarMouseHookProc);
    RegisterHookProc(TdxHookKind::hkCallWndProc, BarCallWndProcHookProc);
  }
}

void LeaveManagerList(TdxBarManager* manager)
{
  TdxBarManagerList* list = GetBarManagerList();
  if (!list || list->Remove(manager) < 0) return;
  ReleaseBarHints(manager, list->Count() == 0);
  if (list->Count() == 0) ReleaseBarHooks();
}

void ReleaseBarHooks()
{
  UnregisterHookProc(BarCallWndProcHookProc);
  UnregisterHookProc(BarMouseHookProc);
  UnregisterHookProc(BarKeyboardHookProc);
}


// --- Lookups ---

TdxBarManager* FindBarManagerOfComponent(TComponent* component)
{
  if (auto* manager = dynamic_cast<TdxBarManager*>(component)) return manager;
  TdxBarManagerList* list = GetBarManagerList();
  if (!component || !list) return nullptr;
  for (int i = 0; i < list->Count(); ++i)
    if (list->GetManager(i)->GetOwnerControl() == component) return list->GetManager(i);
  return nullptr;
}

TdxBarManager* FindBarManagerOfWindow(HWND wnd) { return FindBarManagerOfComponent(FindClassLibraryControl(wnd)); }

TdxBarManager* FindBarManagerAroundComponent(TComponent* component)
{
  TWinControl* control = FindWinControlOwner(component);
  if (control && !control->HandleAllocated()) return nullptr;
  while (control) {
    if (TdxBarManager* manager = FindBarManagerOfComponent(control)) return manager;
    control = FindHostControlOfChildWindow(control->Handle());
  }
  return nullptr;
}

TCustomForm* GetManagerFormOfKind(TdxBarManager* manager, TdxParentFormKind kind)
{
  return manager ? FindParentFormOfControl(manager->GetOwnerControl(), kind) : nullptr;
}

bool IsManagerInsideWindow(TdxBarManager* manager, HWND wnd)
{
  TWinControl* owner = manager ? manager->GetOwnerControl() : nullptr;
  if (!owner || !owner->HandleAllocated()) return false;
  for (HWND w = owner->Handle(); w; w = GetParent(w)) {
    if (w == wnd) return true;
    if (!IsChildStyleWindow(w)) break;
  }
  return false;
}

bool ManagerOwnerContainsControl(TdxBarManager* manager, TControl* control)
{
  return manager && ControlContains(manager->GetOwnerControl(), control);
}

void NotifyManagerModified(TdxBarManager* manager)
{
  if (manager) manager->NotifyModified();
}
