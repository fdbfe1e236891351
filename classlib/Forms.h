#pragma once
// Forms and the screen.
//
// TCustomForm is a top-level window with its controls. A form class other than TForm itself reads
// its stored form (the RCDATA resource named after the class) when made through its class record
// or New<TMyForm>(owner); the TCreateNew constructor makes an empty form without one. OnCreate runs
// once the form is whole (AfterConstruction), OnDestroy before it is taken apart.
//
// TScreen (the process-wide Screen) knows the forms, the active form and control, the cursors, the
// work area and the screen's resolution. Screen and Application are made by FormsUnit's start-up.
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Menus.h"
#include "classlib/Units.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
// The monitor a form is moved onto when it is first shown, while the application has a main form:
// none (dmDesktop: it stays where its position put it), the primary monitor, the main form's or
// the active form's. Monitors are told apart by their work areas (MonitorWorkArea).
enum class TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
// Who owns a form's window: the main form (pmNone), the form active when it is shown (pmAuto), or
// PopupParent (pmExplicit).
enum class TPopupMode { pmNone, pmAuto, pmExplicit };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1,
                       mrNoToAll = mrAll + 1, mrYesToAll = mrNoToAll + 1;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
// A key about to be handled by a control of the form: Handled stops it there.
using TShortCutEvent = TEvent<void(TMessage& Msg, bool& Handled)>;

// Tag of the form constructor that reads no stored form.
struct TCreateNew {};
inline constexpr TCreateNew CreateNew{};

// The form designer that edits a form: told when a component of the form changed.
class IDesignerNotify {
public:
  virtual void Modified() = 0;

protected:
  ~IDesignerNotify() = default;
};

class TCustomForm : public TWinControl {
  CL_CLASS(TCustomForm, TWinControl)
public:
  explicit TCustomForm(TComponent* owner);
  TCustomForm(TComponent* owner, TCreateNew);
  ~TCustomForm() override;
  // Reads the stored form (raising EResNotFound when a form class has none), then OnCreate.
  void AfterConstruction() override;
  // OnDestroy, then the form leaves the screen.
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TDefaultMonitor DefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor value) { FDefaultMonitor = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  TPopupMode PopupMode() const { return FPopupMode; }
  void SetPopupMode(TPopupMode value);
  TCustomForm* PopupParent() const { return FPopupParent; }
  void SetPopupParent(TCustomForm* value);
  // A half-transparent window: a layered window of the given opacity (255 opaque).
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value);
  BYTE AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(BYTE value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool value) { FScaled = value; }
  // Stored by forms for compatibility; OnCreate always runs after the stored form is read.
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int value) { FTextHeight = value; }
  TCanvas* Canvas() const { return FCanvas.get(); }
  // The menu bar of the form's window.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* value);

  // MDI. A parent form (fsMDIForm) shows its child forms (fsMDIChild) in its MDI client window,
  // which fills the client area its aligned controls leave. A child form's parent is its owner
  // when that is an MDI parent form, else the application's main form.
  HWND ClientHandle() const { return FClientHandle; }
  // The active child of an MDI parent form (none for other forms, or when no child is there).
  TCustomForm* ActiveMDIChild() const;
  // The child forms in the MDI client, front to back (the active child first).
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int index) const;
  // The top-level item of the form's menu under which the MDI client lists the children.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* value);
  // Puts a menu bar on an MDI parent form's window through its MDI client, which keeps a maximized
  // child's system menu and buttons on it; answers false for a window that is no MDI parent form.
  static bool SetMDIFrameMenu(HWND frame, HMENU menu);

  // The designer that edits the form (not owned); nullptr outside a form designer.
  IDesignerNotify* Designer() const { return FDesigner; }
  void SetDesigner(IDesignerNotify* value) { FDesigner = value; }

  TWinControl* ActiveControl() const { return FActiveControl; }
  // Raises EInvalidOperation when the control cannot have the focus or is not on this form.
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  // Records the control that received the focus; sends CM_EXIT and CM_ENTER along the way.
  virtual bool SetFocusedControl(TWinControl* control);
  // A key pressed in one of the form's controls (WM_KEYDOWN or WM_SYSKEYDOWN), before the control
  // handles it: OnShortCut, then the shortcuts of the form's menu. Answers whether it was taken.
  virtual bool IsShortCut(TMessage& message);
  void DefocusControl(TControl* control, bool removing);
  bool Active() const { return FActive; }
  void SetFocus() override;
  void SetVisible(bool value) override;

  void Show();
  void Close();
  bool CloseQuery();
  // Frees the form once the messages now queued for it have been handled.
  void Release();
  // Shows the form with the other windows of the thread disabled until ModalResult is set;
  // raises EInvalidOperation "Cannot make a visible window modal" for a visible form.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  bool Modal() const { return FModal; }
  void SetClientSize(int width, int height) override;
  RECT ClientRect() const override;

  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent e) { FOnCreate = e; }
  TNotifyEvent OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent e) { FOnDestroy = e; }
  TCloseEvent OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent e) { FOnClose = e; }
  TCloseQueryEvent OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = e; }
  TNotifyEvent OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent e) { FOnShow = e; }
  TNotifyEvent OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent e) { FOnHide = e; }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent e) { FOnActivate = e; }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent e) { FOnDeactivate = e; }
  TNotifyEvent OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = e; }
  TShortCutEvent OnShortCut() const { return FOnShortCut; }
  void SetOnShortCut(TShortCutEvent e) { FOnShortCut = e; }

  void Loaded() override;
  // A stream of the form holds its controls, then (when the form is the stream's root) the components
  // it owns that have no parent: action lists, image lists, menus, timers, dialogs.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Offers the action to the active control, then to the form, then to every visible control of
  // the form (each windowed control before its own children) until one carries it out; answers
  // whether one did.
  bool DispatchAction(TBasicAction* action);
  // Idle-time update of the actions: the form's own, then every visible control marked
  // csActionClient (each windowed control before its own children). Nothing while designing or
  // not showing.
  void UpdateActions();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWindowHandle() override;
  // The frame and child default window procedures of MDI forms.
  void DefaultHandler(TMessage& msg) override;
  void AlignControls(TControl* requester, RECT& rect) override;
  void PaintWindow(HDC dc) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoClose(TCloseAction& action);
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  bool ShowingWanted() const override;

private:
  friend class TWinControl;
  friend class TApplication;
  void SetActive(bool value);
  void SetWindowFocus();
  void ApplyPosition();
  void ApplyDefaultMonitor();
  void CloseModal();
  void ApplyAlphaBlend();
  SIZE NonClientSize() const;
  HWND PopupOwnerHandle() const;
  // MDI (FormsMDI.cpp).
  TCustomForm* MDIParentForm() const;
  void CreateMDIClient();
  void ShowMDIChild();
  void SetMDIChildState(TWindowState value);
  HMENU WindowMenuHandle(HMENU bar) const;
  void WMMDIActivate(TMessage& msg);

  void WMClose(TMessage& msg);
  void WMCommand(TMessage& msg);
  void WMDestroy(TMessage& msg);
  void WMActivate(TMessage& msg);
  void WMSysColorChange(TMessage& msg);
  void CMShowingChanged(TMessage& msg);
  void CMDialogKey(TMessage& msg);
  void CMActivate(TMessage& msg);
  void CMDeactivate(TMessage& msg);

  bool FCreateNew = false;
  bool FCreating = false;
  bool FWantVisible = false;  // Visible read from the stored form: shown once the form is whole
  bool FPositioned = false;
  bool FActive = false;
  bool FModal = false;
  bool FKeyPreview = false;
  bool FScaled = true;
  bool FOldCreateOrder = false;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TPosition FPosition = TPosition::poDesigned;
  TDefaultMonitor FDefaultMonitor = TDefaultMonitor::dmActiveForm;
  TWindowState FWindowState = TWindowState::wsNormal;
  TPopupMode FPopupMode = TPopupMode::pmNone;
  TCustomForm* FPopupParent = nullptr;
  bool FAlphaBlend = false;
  BYTE FAlphaBlendValue = 255;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  TModalResult FModalResult = mrNone;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  IDesignerNotify* FDesigner = nullptr;
  TOwned<TControlCanvas> FCanvas;
  TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnHide, FOnActivate, FOnDeactivate, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TShortCutEvent FOnShortCut;
};

// The designer of the form at the root of the component's ownership (for a control without owner,
// of its parent chain); nullptr when there is none.
IDesignerNotify* FindRootDesigner(TComponent* component);

class TForm : public TCustomForm {
  CL_CLASS(TForm, TCustomForm)
public:
  using TCustomForm::TCustomForm;
};

class TScreen : public TComponent {
  CL_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }

  // The cursor shown over every form; crDefault leaves each control its own.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // The cursor of an index; the arrow for an index that has none.
  HCURSOR Cursors(TCursor index) const;
  // Installs a cursor of the program's own under an index that is not a standard cursor's (nullptr
  // removes it); the screen destroys it when replaced or at the end.
  void SetCursors(TCursor index, HCURSOR cursor);

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  RECT DesktopRect() const;
  // The primary monitor's area not covered by task bars.
  RECT WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().left; }
  int WorkAreaTop() const { return WorkAreaRect().top; }
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  int PixelsPerInch() const { return FPixelsPerInch; }
  // The font the system draws menus with, as it is set now.
  TFont* MenuFont();
  // The font hints are drawn with: the system's status font in the tooltip text colour, read when
  // first asked for; a program may change it, and hint windows made afterwards follow it.
  TFont* HintFont();

  TNotifyEvent OnActiveFormChange() const { return FOnActiveFormChange; }
  void SetOnActiveFormChange(TNotifyEvent e) { FOnActiveFormChange = e; }
  TNotifyEvent OnActiveControlChange() const { return FOnActiveControlChange; }
  void SetOnActiveControlChange(TNotifyEvent e) { FOnActiveControlChange = e; }

private:
  friend class TCustomForm;
  TOwned<TFont> FMenuFont;
  TOwned<TFont> FHintFont;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form);
  void SetActiveControl(TWinControl* control);

  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCursor FCursor = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> FOwnCursors;
  int FPixelsPerInch = 96;
  TNotifyEvent FOnActiveFormChange, FOnActiveControlChange;
};

// The work area of the monitor nearest to a screen point, as the system reports it (the primary
// monitor holds the point (0, 0)); tests replace it to cover layouts of several monitors, which
// Wine cannot make.
using TWorkAreaFunc = RECT (*)(POINT p);
TWorkAreaFunc SetWorkAreaFunc(TWorkAreaFunc func);
RECT MonitorWorkArea(POINT p);

extern TScreen* Screen;
// Starts COM on the GUI thread and makes Screen and Application; shuts them down in reverse.
extern TUnit FormsUnit;
