#pragma once
// The drop-down window of editors and the process-wide machinery that closes popups.
//
// TcxCustomPopupWindow opens next to its owner control, optionally takes the focus and then runs a
// modal message loop while it is shown. Every shown popup is in the visible-popup list, in the
// order shown; three thread hooks (call-window-procedure, get-message, mouse), installed when the
// unit starts, close popups on a click outside them (the click still reaches its window), when the
// application loses activation and when the owner closes, hides, moves or is destroyed, and keep
// the owner form's caption active while a popup is open. They do nothing while no popup is shown.
#include <optional>
#include <vector>
#include "classlib/ClassRef.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

class TcxContainerStyle;
class TcxContainerViewInfo;
using TcxContainerStyleClass = TClassRef<TcxContainerStyle>;
using TcxContainerViewInfoClass = TClassRef<TcxContainerViewInfo>;

// Private messages: close the popup asynchronously; show it asynchronously.
constexpr UINT DXM_CLOSEPOPUPWINDOW = 0x807D;
constexpr UINT DXM_SHOWPOPUPWINDOW = 0x807E;

class TcxCustomPopupWindow : public TcxPopupWindow {
  CL_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
public:
  explicit TcxCustomPopupWindow(TWinControl* ownerControl);
  ~TcxCustomPopupWindow() override;
  // Makes the style of the class GetStyleClass answers.
  void AfterConstruction() override;
  // Leaves the visible-popup list; weak references to the popup (a running modal loop's) clear.
  void BeforeDestruction() override;

  // Shows the popup next to its owner and, with FocusCapture and ModalMode, handles messages until
  // it is hidden, destroyed or the application terminates.
  virtual void Popup(TWinControl* focusedControl);
  void Popup() override { Popup(FFocusedControl); }
  // Hides a shown popup (firing OnClosing and OnClosed); nothing for one not shown.
  void CloseUp() override;
  // Closes up once the waiting messages have been handled.
  void PostCloseUp();

  bool HasMouseCapture();
  bool Focused();
  bool CanFocus() const override { return Visible(); }
  bool IsDeactivateLocked() const { return FDeactivateLockCount > 0; }
  void LockDeactivate(bool lock);

  bool FocusCapture() const { return FFocusCapture; }
  void SetFocusCapture(bool value);
  bool TopMostMode() const { return FTopMostMode; }
  void SetTopMostMode(bool value);
  bool ModalMode() const { return FModalMode; }
  void SetModalMode(bool value) { FModalMode = value; }
  bool QuitOnDestroy() const { return FQuitOnDestroy; }
  void SetQuitOnDestroy(bool value) { FQuitOnDestroy = value; }
  bool JustClosedByOwnerClick() const { return FJustClosedByOwnerClick; }
  void SetJustClosedByOwnerClick(bool value) { FJustClosedByOwnerClick = value; }
  // Cleared by deactivation; drop-down editors set and read it.
  bool CloseUpByDeactivation() const { return FCloseUpByDeactivation; }
  void SetCloseUpByDeactivation(bool value) { FCloseUpByDeactivation = value; }
  TWinControl* FocusedControl() const { return FFocusedControl; }
  TWinControl* OwnerControl() const { return FOwnerControl; }
  TcxContainerStyle* Style() const { return FStyle; }
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo; }

  TNotifyEvent OnClosed() const { return FOnClosed; }
  void SetOnClosed(TNotifyEvent e) { FOnClosed = e; }
  TNotifyEvent OnClosing() const { return FOnClosing; }
  void SetOnClosing(TNotifyEvent e) { FOnClosing = e; }
  TNotifyEvent OnShowed() const { return FOnShowed; }
  void SetOnShowed(TNotifyEvent e) { FOnShowed = e; }
  TNotifyEvent OnShowing() const { return FOnShowing; }
  void SetOnShowing(TNotifyEvent e) { FOnShowing = e; }

  // The owner's rectangle in screen coordinates.
  RECT GetOwnerScreenBounds() override;
  // The popup keeps its own font.
  void TakeOwnerFont() override {}

  virtual bool ShrinksToWorkArea() { return false; }
  virtual bool NeedsEraseBackground() { return false; }
  // Keys that may reach a popup with Alt held: Page Up through Down and F4.
  virtual bool IsSysKeyAccepted(WORD key);
  // A click on the owner's bounds closed the popup: answers whether the owner claims it.
  virtual bool HandleOwnerClick(HWND wnd, UINT message, POINT point, TShiftState shift);
  virtual void ModalCloseUp() { CloseUp(); }
  // Fits the position (and the size) into the work area when ShrinksToWorkArea.
  virtual void FitToDesktop(POINT& p);

  void Notification(TComponent* component, TOperation operation) override;
  // The popup's own shortcuts, else those of its owner's form: keys pressed in a drop-down still
  // reach the form it drops down from.
  bool IsShortCut(TMessage& message) override;
  // Moving the focus inside the popup counts as closing: activation messages it causes are eaten.
  bool SetFocusedControl(TWinControl* control) override;

protected:
  virtual void DoClosed();
  virtual void DoClosing();
  virtual void DoShowed();
  virtual void DoShowing();
  virtual void StyleChanged(TObject* sender) { (void)sender; }
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerViewInfoClass GetViewInfoClass();

  // The view info's client rectangle.
  void AdjustClientRect(RECT& rect) override;
  // The view info paints the popup: the style's colour inside, the frame of the base.
  void Paint() override;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateHandle() override;
  void Deactivate() override;
  void VisibleChanged() override;
  void KeyDown(WORD& key, TShiftState shift) override;

private:
  friend class TcxPopupHooks;
  bool IsOwnerShowing();
  // Stores a new FocusCapture or TopMostMode: a new window, shown again when the popup was shown.
  void ChangeWindowKind(bool& field, bool value);
  TWinControl* PickFocusedControl(TWinControl* requested);
  HWND GetInsertAfter();
  TCustomForm* OwnerParentForm() const;
  void RunModalLoop();
  void SetOwnerControl(TWinControl* value);
  void SetFocusedControlField(TWinControl* control);

  void WMEraseBkgnd(TMessage& msg);
  void WMActivateApp(TMessage& msg);
  void WMActivate(TMessage& msg);
  void DXMClosePopupWindow(TMessage& msg);
  void DXMShowPopupWindow(TMessage& msg);

  bool FFocusCapture = true;
  unsigned FDeactivateLockCount = 0;
  bool FCloseUpByDeactivation = false;
  TWinControl* FFocusedControl = nullptr;
  bool FTopMostMode = false;
  bool FJustClosedByOwnerClick = false;
  bool FModalMode = true;
  bool FQuitOnDestroy = false;
  TWinControl* FOwnerControl = nullptr;
  // The window taking the activation while WM_ACTIVATE deactivates the popup.
  std::optional<HWND> FActivatingWindow;
  TNotifyEvent FOnClosed, FOnClosing, FOnShowed, FOnShowing;
  TcxContainerStyle* FStyle = nullptr;  // owned
  TcxContainerViewInfo* FViewInfo = nullptr;  // owned
};

// --- Visible popups ---

// Adding nil or a listed popup, or removing nil or an unlisted one, is a programming error.
void AddVisiblePopup(TcxCustomPopupWindow* popup);
void RemoveVisiblePopup(TcxCustomPopupWindow* popup);
// The window is the window of a shown popup.
bool IsPopupVisible(HWND wnd);
// The shown popups, in the order they were shown.
const std::vector<TcxCustomPopupWindow*>& VisiblePopups();

// True while a popup is shown and while the mouse hook closes one: the owner form's caption stays
// active meanwhile.
bool IsPopupOutsideClickFlagSet();
class TcxPopupOutsideClickScope {
public:
  TcxPopupOutsideClickScope();
  ~TcxPopupOutsideClickScope();
  TcxPopupOutsideClickScope(const TcxPopupOutsideClickScope&) = delete;
  TcxPopupOutsideClickScope& operator=(const TcxPopupOutsideClickScope&) = delete;

private:
  bool FSaved;
};

// Above 0 while a popup closes.
bool IsPopupClosing();
void SetPopupClosingLock(bool lock);

// --- Window ownership ---

// The control has a window and wnd is it, or (with includeOwned) IsOwnedWindow.
bool IsControlWindow(TWinControl* control, HWND wnd, bool includeOwned = true);
inline bool IsOwnControlWindow(TWinControl* control, HWND wnd) { return IsControlWindow(control, wnd, false); }
// wnd is a descendant window of the control's window or lies in its control tree (its windowed
// children and the popups it owns).
bool IsOwnedWindow(TWinControl* control, HWND wnd);
bool IsHandleInControlTree(TWinControl* control, HWND wnd);
// wnd belongs to the control's parent form (or to the window that hosts a parentless form).
bool IsInOwnerFormTree(TWinControl* control, HWND wnd);

// --- Popup-closing hooks ---

void InstallPopupHooks();
void UninstallPopupHooks();
// Eats the one delivery of message to wnd that is about to happen: the window's procedure is
// replaced by one that puts the former back and answers 1. The former procedure is back however
// the delivery goes (another message first, the window destroyed, the delivery not reaching the
// replacement at all).
void SwallowNextMessage(HWND wnd, UINT message);
// Deliveries that SwallowNextMessage set up and that are still waiting.
int PendingSwallowCount();
