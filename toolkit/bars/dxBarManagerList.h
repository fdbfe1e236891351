#pragma once
// The bar managers of the process, in the order they were made, and the thread hooks of the bar
// system: while at least one manager exists, a keyboard, a mouse and a call-window-procedure hook
// of the process-wide hook controller watch the GUI thread for the bars.
//
// Also the lookups from components, controls and windows to their bar managers.
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarComponents.h"
#include "toolkit/bars/dxBarWindows.h"

class TdxBarManager;

class TdxBarManagerList : public TdxObjectList {
  CL_CLASS(TdxBarManagerList, TdxObjectList)
public:
  TdxBarManagerList() = default;
  // Releases the hooks first.
  void BeforeDestruction() override;

  // nullptr outside the range.
  TdxBarManager* GetManager(int index) const;
  // The first manager in customization mode.
  TdxBarManager* FindCustomizingManager() const;
};

// The list, made by the bar unit's start-up and freed at its shut-down; nullptr outside its run.
TdxBarManagerList* GetBarManagerList();
void CreateBarManagerList();
void FreeBarManagerList();

// Called by the manager's constructor: appends a manager not yet listed; the first one registers
// the three hook procedures (keyboard, mouse, call-window-procedure).
void JoinManagerList(TdxBarManager* manager);
// Called by the manager's destructor: the last one to leave removes the hook procedures.
void LeaveManagerList(TdxBarManager* manager);
// Removes the three procedures from every hook kind.
void ReleaseBarHooks();

// The hook procedures of the bar system (the hook controller's client signature), in dxBarHooks.cpp:
// keys to menus, navigation, shortcuts and accelerators; clicks outside menus; owner-window messages.
void BarKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
void BarMouseHookProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
void BarCallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);

// --- Lookups ---

// The component itself when it is a manager; else the first manager whose owner control it is.
TdxBarManager* FindBarManagerOfComponent(TComponent* component);
// The manager of the class-library control of the window.
TdxBarManager* FindBarManagerOfWindow(HWND wnd);
// From the component's windowed control (with a window) outwards through the controls that host its
// window, the first that has a manager.
TdxBarManager* FindBarManagerAroundComponent(TComponent* component);
// The form of the kind that holds the manager's owner control.
TCustomForm* GetManagerFormOfKind(TdxBarManager* manager, TdxParentFormKind kind);
// The owner control's window is the window or reaches it up through child windows.
bool IsManagerInsideWindow(TdxBarManager* manager, HWND wnd);
bool ManagerOwnerContainsControl(TdxBarManager* manager, TControl* control);
// The manager's NotifyModified; nothing for none.
void NotifyManagerModified(TdxBarManager* manager);
