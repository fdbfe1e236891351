// TCustomForm, TForm and TScreen.
#include "classlib/Forms.h"

#include <algorithm>
#include "classlib/Application.h"
#include "classlib/Graphics.h"
#include "classlib/StoredForms.h"
#include "classlib/TypInfo.h"

TScreen* Screen = nullptr;

namespace {
using TF = TCustomForm;
constexpr std::string_view BorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                 "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr TEnumInfo BorderStyleInfo = EnumInfo<TFormBorderStyle::bsSizeToolWin>("TFormBorderStyle", BorderStyleNames);
constexpr std::string_view BorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr TEnumInfo BorderIconInfo = EnumInfo<TBorderIcon::biHelp>("TBorderIcon", BorderIconNames);
constexpr std::string_view FormStyleNames[] = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};
constexpr TEnumInfo FormStyleInfo = EnumInfo<TFormStyle::fsStayOnTop>("TFormStyle", FormStyleNames);
constexpr std::string_view PositionNames[] = {"poDesigned",        "poDefault",        "poDefaultPosOnly",
                                              "poDefaultSizeOnly", "poScreenCenter",   "poDesktopCenter",
                                              "poMainFormCenter",  "poOwnerFormCenter"};
constexpr TEnumInfo PositionInfo = EnumInfo<TPosition::poOwnerFormCenter>("TPosition", PositionNames);
constexpr std::string_view DefaultMonitorNames[] = {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"};
constexpr TEnumInfo DefaultMonitorInfo =
    EnumInfo<TDefaultMonitor::dmActiveForm>("TDefaultMonitor", DefaultMonitorNames);
constexpr std::string_view WindowStateNames[] = {"wsNormal", "wsMinimized", "wsMaximized"};
constexpr TEnumInfo WindowStateInfo = EnumInfo<TWindowState::wsMaximized>("TWindowState", WindowStateNames);
constexpr std::string_view PopupModeNames[] = {"pmNone", "pmAuto", "pmExplicit"};
constexpr TEnumInfo PopupModeInfo = EnumInfo<TPopupMode::pmExplicit>("TPopupMode", PopupModeNames);

constexpr TPropInfo FormProps[] = {
  EnumProp<&TF::BorderStyle, &TF::SetBorderStyle>("BorderStyle", BorderStyleInfo, 2),
  SetProp<&TF::BorderIcons, &TF::SetBorderIcons>("BorderIcons", BorderIconInfo, 7),
  IntProp<&TF::ClientHeight, &TF::SetClientHeight>("ClientHeight"),
  IntProp<&TF::ClientWidth, &TF::SetClientWidth>("ClientWidth"),
  EnumProp<&TF::FormStyle, &TF::SetFormStyle>("FormStyle", FormStyleInfo, 0),
  BoolProp<&TF::KeyPreview, &TF::SetKeyPreview>("KeyPreview", false),
  EnumProp<&TF::Position, &TF::SetPosition>("Position", PositionInfo, 0),
  EnumProp<&TF::DefaultMonitor, &TF::SetDefaultMonitor>("DefaultMonitor", DefaultMonitorInfo,
                                                         static_cast<int>(TDefaultMonitor::dmActiveForm)),
  EnumProp<&TF::WindowState, &TF::SetWindowState>("WindowState", WindowStateInfo, 0),
  EnumProp<&TF::PopupMode, &TF::SetPopupMode>("PopupMode", PopupModeInfo, 0),
  ComponentProp<&TF::PopupParent, &TF::SetPopupParent>("PopupParent"),
  IntProp<&TF::PixelsPerInch, &TF::SetPixelsPerInch>("PixelsPerInch"),
  BoolProp<&TF::Scaled, &TF::SetScaled>("Scaled", true),
  BoolProp<&TF::OldCreateOrder, &TF::SetOldCreateOrder>("OldCreateOrder", false),
  IntProp<&TF::TextHeight, &TF::SetTextHeight>("TextHeight"),
  ComponentProp<&TF::ActiveControl, &TF::SetActiveControl>("ActiveControl"),
  ComponentProp<&TF::Menu, &TF::SetMenu>("Menu"),
  EventProp<&TF::OnCreate, &TF::SetOnCreate>("OnCreate"),
  EventProp<&TF::OnDestroy, &TF::SetOnDestroy>("OnDestroy"),
  EventProp<&TF::OnClose, &TF::SetOnClose>("OnClose"),
  EventProp<&TF::OnCloseQuery, &TF::SetOnCloseQuery>("OnCloseQuery"),
  EventProp<&TF::OnShow, &TF::SetOnShow>("OnShow"),
  EventProp<&TF::OnHide, &TF::SetOnHide>("OnHide"),
  EventProp<&TF::OnActivate, &TF::SetOnActivate>("OnActivate"),
  EventProp<&TF::OnDeactivate, &TF::SetOnDeactivate>("OnDeactivate"),
  EventProp<&TF::OnPaint, &TF::SetOnPaint>("OnPaint"),
};

bool Contains(const TControl* ancestor, const TControl* c)
{
  for (; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}
}  // namespace

CL_MESSAGE_MAP(TCustomForm,
  {WM_CLOSE, &TCustomForm::WMClose},
  {WM_COMMAND, &TCustomForm::WMCommand},
  {WM_DESTROY, &TCustomForm::WMDestroy},
  {WM_ACTIVATE, &TCustomForm::WMActivate},
  {WM_MDIACTIVATE, &TCustomForm::WMMDIActivate},
  {WM_SYSCOLORCHANGE, &TCustomForm::WMSysColorChange},
  {CM_SHOWINGCHANGED, &TCustomForm::CMShowingChanged},
  {CM_DIALOGKEY, &TCustomForm::CMDialogKey},
  {CM_ACTIVATE, &TCustomForm::CMActivate},
  {CM_DEACTIVATE, &TCustomForm::CMDeactivate});
CL_DEFINE_CLASS(TCustomForm, .Props = FormProps);
CL_DEFINE_CLASS(TForm);


TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FCanvas(MakeOwned<TControlCanvas>())
{
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle += TControlStyle{TControlStyleFlag::csAcceptsControls};
  FControlState.Include(TControlStateFlag::csCustomPaint);
  SetBounds(0, 0, 320, 240);
  FCanvas->SetControl(this);
  if (Screen) FPixelsPerInch = Screen->PixelsPerInch();
}

TCustomForm::TCustomForm(TComponent* owner, TCreateNew) : TCustomForm(owner) { FCreateNew = true; }

TCustomForm::~TCustomForm()
{
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction()
{
  if (Screen) Screen->AddForm(this);
  if (!FCreateNew && ClassType() != TForm::StaticClass()) {
    FCreating = true;
    try {
      if (!InitInheritedComponent(this, TForm::StaticClass()))
        throw EResNotFound(std::string("Resource ") + ClassName() + " not found");
    } catch (...) {
      // A form whose stored form fails is never whole: what the read made goes now, while the
      // form is still whole for its children to leave it.
      FCreating = false;
      DestroyComponents();
      throw;
    }
    FCreating = false;
  }
  TWinControl::AfterConstruction();
  DoCreate();
  if (FWantVisible) {
    FWantVisible = false;
    SetVisible(true);
  }
}

void TCustomForm::BeforeDestruction()
{
  Destroying();
  if (FShowing && FHandle) ShowWindow(FHandle, SW_HIDE);
  GuardCallback([&] { DoDestroy(); });
  if (Screen) Screen->RemoveForm(this);
  TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate()
{
  if (FOnCreate) FOnCreate(this);
}

void TCustomForm::DoDestroy()
{
  if (FOnDestroy) FOnDestroy(this);
}

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  TWinControl::GetChildren(proc, root);
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (TComponent* c = Components(i); !c->HasParent()) proc(c);
}

void TCustomForm::Loaded()
{
  // A scaled form stored at another resolution than the screen's scales its controls once, while
  // they are still loading; from then on it is at the screen's resolution.
  if (FScaled && Screen && FPixelsPerInch > 0 && FPixelsPerInch != Screen->PixelsPerInch()) {
    const int m = Screen->PixelsPerInch(), d = FPixelsPerInch;
    const RECT client = ClientRect();
    DisableAlign();
    try {
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(m, d);
      Font()->SetHeight(MulDiv(Font()->Height(), m, d));
    } catch (...) {
      EnableAlign();
      throw;
    }
    EnableAlign();
    SetClientSize(MulDiv(client.right, m, d), MulDiv(client.bottom, m, d));
    FPixelsPerInch = m;
  }
  TWinControl::Loaded();
  if (FActiveControl && !FActiveControl->CanFocus()) FActiveControl = nullptr;
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
  TWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FActiveControl) FActiveControl = nullptr;
  if (component == FFocusedControl) FFocusedControl = nullptr;
  if (component == FPopupParent) FPopupParent = nullptr;
  if (component == FWindowMenu) FWindowMenu = nullptr;
  if (component == FMenu) {
    RECT client = ClientRect();
    FMenu->SetWindowHandle(nullptr);
    FMenu = nullptr;
    if (!IsDestroying()) SetClientSize(client.right - client.left, client.bottom - client.top);
  }
}

void TCustomForm::SetMenu(TMainMenu* value)
{
  if (FMenu == value) return;
  // The client area keeps its size: the window grows or shrinks by the menu bar.
  RECT client = ClientRect();
  if (FMenu) {
    FMenu->SetWindowHandle(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = value;
  if (value) {
    value->FreeNotification(this);
    if (FHandle) value->SetWindowHandle(FHandle);
  }
  SetClientSize(client.right - client.left, client.bottom - client.top);
}

void TCustomForm::CreateWnd()
{
  if (FFormStyle == TFormStyle::fsMDIChild) {
    TCustomForm* parent = MDIParentForm();
    if (!parent || !parent->FClientHandle) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  }
  TWinControl::CreateWnd();
  if (FFormStyle == TFormStyle::fsMDIForm) CreateMDIClient();
  if (FMenu) FMenu->SetWindowHandle(FHandle);
  if (FAlphaBlend) ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlend(bool value)
{
  SetAndNotify(FAlphaBlend, value, [this] { ApplyAlphaBlend(); });
}

void TCustomForm::SetAlphaBlendValue(BYTE value)
{
  SetAndNotify(FAlphaBlendValue, value, [this] { ApplyAlphaBlend(); });
}

// The window is layered while AlphaBlend is on, with AlphaBlendValue as its opacity.
void TCustomForm::ApplyAlphaBlend()
{
  if (!FHandle) return;
  const LONG_PTR exStyle = GetWindowLongPtrA(FHandle, GWL_EXSTYLE);
  if (FAlphaBlend) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrA(FHandle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(FHandle, 0, FAlphaBlendValue, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtrA(FHandle, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(FHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::WMCommand(TMessage& msg)
{
  // A command of the form's menu bar (no control window, notification code 0) runs its item.
  if (!msg.LParam && HIWORD(msg.WParam) == 0 && FMenu && FMenu->DispatchCommand(LOWORD(msg.WParam))) return;
  Inherited<TCustomForm>(msg);
}

void TCustomForm::WMDestroy(TMessage& msg)
{
  // A window destroys the menu it shows: the menu keeps its own and takes it back first.
  if (FMenu) FMenu->SetWindowHandle(nullptr);
  DefaultHandler(msg);
  FClientHandle = nullptr;  // goes with the window
}

// ----- window -------------------------------------------------------------------------------

HWND TCustomForm::PopupOwnerHandle() const
{
  if (!Application) return nullptr;
  if (Application->MainForm() == this) return nullptr;  // unowned: it has the task bar button
  auto ownerOf = [](TCustomForm* f) -> HWND { return f ? f->Handle() : nullptr; };
  switch (FPopupMode) {
    case TPopupMode::pmExplicit:
      if (FPopupParent && FPopupParent != this) return ownerOf(FPopupParent);
      break;
    case TPopupMode::pmAuto:
      if (Screen && Screen->ActiveForm() && Screen->ActiveForm() != this)
        return ownerOf(Screen->ActiveForm());
      break;
    default:
      break;
  }
  if (TCustomForm* main = Application->MainForm(); main && main != this) return ownerOf(main);
  return Application->Handle();
}

void TCustomForm::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
  params.Style |= WS_CLIPCHILDREN;
  params.WndParent = PopupOwnerHandle();
  params.WindowClass.style = CS_DBLCLKS;
  params.WindowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  if (FPosition == TPosition::poDefault || FPosition == TPosition::poDefaultPosOnly) {
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
  }
  bool systemMenu = FBorderIcons.Contains(TBorderIcon::biSystemMenu);
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      params.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      if (FBorderIcons.Contains(TBorderIcon::biHelp)) params.ExStyle |= WS_EX_CONTEXTHELP;
      break;
    case TFormBorderStyle::bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != TFormBorderStyle::bsNone && systemMenu) params.Style |= WS_SYSMENU;
  if (FBorderStyle == TFormBorderStyle::bsSingle || FBorderStyle == TFormBorderStyle::bsSizeable) {
    if (systemMenu && FBorderIcons.Contains(TBorderIcon::biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (systemMenu && FBorderIcons.Contains(TBorderIcon::biMaximize)) params.Style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == TFormStyle::fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (Application && Application->MainForm() == this) params.ExStyle |= WS_EX_APPWINDOW;
  if (FFormStyle == TFormStyle::fsMDIChild) {
    // A child window of its parent form's MDI client, with the MDI child default procedure.
    params.Style &= ~static_cast<DWORD>(WS_POPUP);
    params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_APPWINDOW);
    TCustomForm* parent = MDIParentForm();
    params.WndParent = parent ? parent->FClientHandle : nullptr;
    params.WindowClass.lpfnWndProc = DefMDIChildProcA;
  }
}

SIZE TCustomForm::NonClientSize() const
{
  TCreateParams params;
  const_cast<TCustomForm*>(this)->TCustomForm::CreateParams(params);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, params.Style, FMenu != nullptr, params.ExStyle);
  return SIZE{(r.right - r.left) - 100, (r.bottom - r.top) - 100};
}

RECT TCustomForm::ClientRect() const
{
  if (FHandle) return TWinControl::ClientRect();
  SIZE nc = NonClientSize();
  return RECT{0, 0, std::max(0, Width() - static_cast<int>(nc.cx)),
              std::max(0, Height() - static_cast<int>(nc.cy))};
}

void TCustomForm::SetClientSize(int width, int height)
{
  if (FHandle) {
    TWinControl::SetClientSize(width, height);
    return;
  }
  SIZE nc = NonClientSize();
  SetBounds(Left(), Top(), width + nc.cx, height + nc.cy);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
  if (FBorderStyle == value) return;
  // Keep the client area: the frame changes around it.
  RECT client = ClientRect();
  FBorderStyle = value;
  if (!IsLoading()) SetClientSize(client.right - client.left, client.bottom - client.top);
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
  SetAndNotify(FBorderIcons, value, [this] { RecreateWnd(); });
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
  const bool mdi = value == TFormStyle::fsMDIChild || value == TFormStyle::fsMDIForm ||
                   FFormStyle == TFormStyle::fsMDIChild || FFormStyle == TFormStyle::fsMDIForm;
  SetAndNotify(FFormStyle, value, [&] {
    if (FHandle && mdi)
      RecreateWnd();
    else if (FHandle)
      SetWindowPos(FHandle, value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  });
}

void TCustomForm::SetPopupMode(TPopupMode value)
{
  SetAndNotify(FPopupMode, value, [this] { if (FHandle) RecreateWnd(); });
}

void TCustomForm::SetPopupParent(TCustomForm* value)
{
  if (FPopupParent == value) return;
  if (FPopupParent) FPopupParent->RemoveFreeNotification(this);
  FPopupParent = value;
  if (value) {
    value->FreeNotification(this);
    FPopupMode = TPopupMode::pmExplicit;
  }
  if (FHandle) RecreateWnd();
}

TWindowState TCustomForm::WindowState() const
{
  if (FHandle && FShowing) {
    if (IsIconic(FHandle)) return TWindowState::wsMinimized;
    if (IsZoomed(FHandle)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState value)
{
  FWindowState = value;
  if (FHandle && FShowing && FFormStyle == TFormStyle::fsMDIChild) {
    SetMDIChildState(value);
  } else if (FHandle && FShowing) {
    static constexpr int Commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, Commands[static_cast<int>(value)]);
  }
}

bool TCustomForm::ShowingWanted() const { return FVisible && !IsLoading() && !FCreating; }

void TCustomForm::ApplyPosition()
{
  RECT area{};
  TCustomForm* center = nullptr;
  switch (FPosition) {
    case TPosition::poScreenCenter:
      area = Screen ? Screen->WorkAreaRect()
                    : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      break;
    case TPosition::poDesktopCenter:
      area = Screen ? Screen->DesktopRect()
                    : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      break;
    case TPosition::poMainFormCenter:
      center = Application ? Application->MainForm() : nullptr;
      break;
    case TPosition::poOwnerFormCenter:
      center = dynamic_cast<TCustomForm*>(Owner());
      if (!center && Application) center = Application->MainForm();
      break;
    default:
      ApplyDefaultMonitor();
      return;
  }
  if (center == this) center = nullptr;
  if (center)
    area = center->BoundsRect();
  else if (area.right == area.left && Screen)
    area = Screen->WorkAreaRect();
  int x = area.left + ((area.right - area.left) - Width()) / 2;
  int y = area.top + ((area.bottom - area.top) - Height()) / 2;
  // Never place the caption above or left of the work area, where it could not be grabbed.
  if (Screen) {
    RECT work = Screen->WorkAreaRect();
    x = std::max<int>(x, work.left);
    y = std::max<int>(y, work.top);
  }
  SetBounds(x, y, Width(), Height());
  ApplyDefaultMonitor();
}

namespace {
POINT CenterOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
}  // namespace

void TCustomForm::ApplyDefaultMonitor()
{
  TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
  if (FDefaultMonitor == TDefaultMonitor::dmDesktop || !mainForm) return;
  RECT target{};
  switch (FDefaultMonitor) {
    case TDefaultMonitor::dmPrimary:
      target = MonitorWorkArea(POINT{0, 0});
      break;
    case TDefaultMonitor::dmMainForm:
      target = MonitorWorkArea(CenterOf(mainForm->BoundsRect()));
      break;
    case TDefaultMonitor::dmActiveForm: {
      TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
      if (!active) return;
      target = MonitorWorkArea(CenterOf(active->BoundsRect()));
      break;
    }
    default:
      return;
  }
  const RECT own = MonitorWorkArea(CenterOf(BoundsRect()));
  if (EqualRect(&own, &target)) return;
  // A centred form is centred on the other monitor; any other keeps its place relative to its
  // monitor.
  int x, y;
  if (FPosition == TPosition::poScreenCenter) {
    x = target.left + ((target.right - target.left) - Width()) / 2;
    y = target.top + ((target.bottom - target.top) - Height()) / 2;
  } else {
    x = target.left + Left() - own.left;
    y = target.top + Top() - own.top;
  }
  SetBounds(std::max<int>(x, target.left), std::max<int>(y, target.top), Width(), Height());
}

void TCustomForm::SetVisible(bool value)
{
  if (FCreating) {
    FWantVisible = value;
    return;
  }
  TWinControl::SetVisible(value);
}

void TCustomForm::Show()
{
  SetVisible(true);
  BringToFront();
}

void TCustomForm::CMShowingChanged(TMessage&)
{
  if (FShowing && FFormStyle == TFormStyle::fsMDIChild) {
    ShowMDIChild();
  } else if (FShowing) {
    if (!FPositioned) {
      FPositioned = true;
      ApplyPosition();
    }
    DoShow();
    static constexpr int Commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, Commands[static_cast<int>(FWindowState)]);
    if (FWindowState == TWindowState::wsNormal) SetForegroundWindow(FHandle);
  } else {
    DoHide();
    if (Screen && Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
    ShowWindow(FHandle, SW_HIDE);
  }
}

void TCustomForm::DoShow()
{
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide()
{
  if (FOnHide) FOnHide(this);
}

void TCustomForm::WMSysColorChange(TMessage& msg)
{
  // Top-level windows hear of new system colours; the controls learn it from their form.
  DefaultHandler(msg);
  Perform(CM_SYSCOLORCHANGE);
}

void TCustomForm::PaintWindow(HDC dc)
{
  // Paint always runs: forms that draw themselves override it, others have OnPaint.
  TCanvasDCScope scope(FCanvas.get(), dc);
  Paint();
}

void TCustomForm::Paint()
{
  if (FOnPaint) FOnPaint(this);
}

// ----- activation and focus -----------------------------------------------------------------

void TCustomForm::WMActivate(TMessage& msg) { SetActive(LOWORD(msg.WParam) != WA_INACTIVE); }

void TCustomForm::SetActive(bool value)
{
  FActive = value;
  if (value) {
    if (Screen) Screen->SetActiveForm(this);
    if (!FActiveControl && !IsDesigning()) FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
  }
  // Sent to the window like the activation messages themselves, so thread hooks see it too.
  const UINT notice = value ? CM_ACTIVATE : CM_DEACTIVATE;
  if (FHandle)
    SendMessageA(FHandle, notice, 0, 0);
  else
    Perform(notice);
}

void TCustomForm::SetWindowFocus()
{
  // An MDI parent form without a control of its own to focus gives the focus to its active child.
  if (FClientHandle && !FActiveControl)
    if (TCustomForm* child = ActiveMDIChild(); child && child->FHandle) {
      child->SetWindowFocus();
      return;
    }
  HWND focus = FActiveControl && FActiveControl->CanFocus() ? FActiveControl->Handle() : FHandle;
  if (focus) ::SetFocus(focus);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::Activate()
{
  if (FOnActivate) FOnActivate(this);
}

void TCustomForm::Deactivate()
{
  if (FOnDeactivate) FOnDeactivate(this);
}

void TCustomForm::SetFocus()
{
  if (!FActive) {
    if (!(FVisible && Enabled())) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    // An MDI child is activated by its client, which tells it through WM_MDIACTIVATE.
    if (FFormStyle == TFormStyle::fsMDIChild && FHandle) {
      SendMessageA(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
      return;
    }
    SetWindowFocus();
  }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
  if (FActiveControl == control) return;
  if (control &&
      (control == this || control->GetParentForm() != this || (!IsLoading() && !control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = control;
  if (!IsLoading()) {
    if (FActive) SetWindowFocus();
    if (Screen && Screen->ActiveForm() == this) Screen->SetActiveControl(control);
  }
}

void TCustomForm::FocusControl(TWinControl* control)
{
  bool wasActive = FActive;
  SetActiveControl(control);
  if (!wasActive) SetFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
  if (control == FFocusedControl) return true;
  TWinControl* previous = FFocusedControl;
  FFocusedControl = control;
  if (control != this) FActiveControl = control;
  // Leave the controls that lost the focus, innermost first, up to the one that holds both.
  for (TWinControl* c = previous; c && !Contains(c, control); c = c->Parent()) c->Perform(CM_EXIT);
  std::vector<TWinControl*> entered;
  for (TWinControl* c = control; c && !Contains(c, previous); c = c->Parent()) entered.push_back(c);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) (*it)->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  if (Screen) Screen->SetActiveControl(control);
  return true;
}

bool TCustomForm::IsShortCut(TMessage& message)
{
  bool handled = false;
  if (FOnShortCut) FOnShortCut(message, handled);
  if (handled) return true;
  return FMenu && FMenu->IsShortCut(message);
}

void TCustomForm::DefocusControl(TControl* control, bool removing)
{
  if (removing && Contains(control, FFocusedControl)) FFocusedControl = control->Parent();
  if (Contains(control, FActiveControl)) {
    FActiveControl = nullptr;
    if (Screen && Screen->ActiveControl() && Contains(control, Screen->ActiveControl()))
      Screen->SetActiveControl(nullptr);
  }
}

void TCustomForm::CMDialogKey(TMessage& msg)
{
  if (GetKeyState(VK_MENU) >= 0) {
    switch (msg.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          msg.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
          FActiveControl->Parent()->SelectNext(FActiveControl,
                                               msg.WParam == VK_RIGHT || msg.WParam == VK_DOWN, false);
          msg.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
  }
  Inherited<TCustomForm>(msg);
}

// ----- closing ------------------------------------------------------------------------------

void TCustomForm::WMClose(TMessage&) { Close(); }

bool TCustomForm::CloseQuery()
{
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
  if (FOnClose) FOnClose(this, action);
}

namespace {
bool DispatchToVisibleControls(TWinControl* container, TBasicAction* action)
{
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (!c->Visible()) continue;
    if (c->ExecuteAction(action)) return true;
    if (auto* win = dynamic_cast<TWinControl*>(c); win && DispatchToVisibleControls(win, action)) return true;
  }
  return false;
}

void InitiateClientActions(TWinControl* container)
{
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (!c->Visible()) continue;
    if (c->ControlStyle().Contains(TControlStyleFlag::csActionClient)) c->InitiateAction();
    if (auto* win = dynamic_cast<TWinControl*>(c)) InitiateClientActions(win);
  }
}
}  // namespace

void TCustomForm::UpdateActions()
{
  if (IsDesigning() || !Showing()) return;
  InitiateAction();
  InitiateClientActions(this);
}

bool TCustomForm::DispatchAction(TBasicAction* action)
{
  if (FActiveControl && FActiveControl->ExecuteAction(action)) return true;
  if (ExecuteAction(action)) return true;
  return DispatchToVisibleControls(this, action);
}

void TCustomForm::Close()
{
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  // A closed MDI child goes: it cannot stay in its parent's list of windows unseen.
  TCloseAction action = FFormStyle == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == TCloseAction::caHide)
    Hide();
  else if (action == TCloseAction::caMinimize)
    SetWindowState(TWindowState::wsMinimized);
  else
    Release();
}

void TCustomForm::Release() { ReleaseLater(this); }

void TCustomForm::CloseModal()
{
  TCloseAction action = TCloseAction::caNone;
  if (CloseQuery()) {
    action = TCloseAction::caHide;
    DoClose(action);
  }
  if (action == TCloseAction::caNone)
    FModalResult = mrNone;
  else if (action == TCloseAction::caFree)
    Release();
}

namespace {
// The enabled, visible top-level windows of this thread but one: the windows a modal form disables.
struct TDisabledWindows {
  HWND Except;
  std::vector<HWND> List;
};

BOOL CALLBACK DisableProc(HWND wnd, LPARAM data)
{
  auto* d = reinterpret_cast<TDisabledWindows*>(data);
  if (wnd != d->Except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    try {
      d->List.push_back(wnd);
    } catch (...) {
      return FALSE;
    }
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal()
{
  if (FVisible || !Enabled() || FModal || FFormStyle == TFormStyle::fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (!Application) throw EInvalidOperation("There is no application to run a modal loop");
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND activeWindow = GetActiveWindow();
  TDisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableProc, reinterpret_cast<LPARAM>(&disabled));
  FModal = true;
  auto restore = [&] {
    FModal = false;
    for (HWND w : disabled.List)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
  };
  try {
    TWinControl::SetVisible(true);
    BringToFront();
    FModalResult = mrNone;
    // Application->Terminated is how a WM_QUIT seen by this loop reaches the loops outside it.
    do {
      Application->HandleLoopMessage();
      if (Application->Terminated())
        FModalResult = mrCancel;
      else if (FModalResult != mrNone)
        CloseModal();
    } while (FModalResult == mrNone);
    TModalResult result = FModalResult;
    // Enable the other windows before hiding, so that activation goes back to one of them.
    FModal = false;
    for (HWND w : disabled.List)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    disabled.List.clear();
    Hide();
    restore();
    return result;
  } catch (...) {
    restore();
    throw;
  }
}

// ---------------------------------------------------------------------------------------------
// TScreen

CL_DEFINE_CLASS(TScreen);

namespace {
RECT SystemWorkArea(POINT p)
{
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST);
      monitor && GetMonitorInfoA(monitor, &info) && info.rcWork.right > info.rcWork.left)
    return info.rcWork;
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0) || r.right <= r.left)
    r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return r;
}
TWorkAreaFunc GWorkArea = SystemWorkArea;

struct TStdCursor {
  TCursor Index;
  LPCSTR Id;
};
const TStdCursor StdCursors[] = {
  {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},      {crSizeNESW, IDC_SIZENESW},
  {crSizeNS, IDC_SIZENS},     {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},  {crUpArrow, IDC_UPARROW},
  {crHourGlass, IDC_WAIT},    {crDrag, IDC_ARROW},      {crNoDrop, IDC_NO},        {crHSplit, IDC_SIZEWE},
  {crVSplit, IDC_SIZENS},     {crMultiDrag, IDC_ARROW}, {crSQLWait, IDC_WAIT},     {crNo, IDC_NO},
  {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},    {crHandPoint, IDC_HAND},   {crSizeAll, IDC_SIZEALL},
};
}  // namespace

TWorkAreaFunc SetWorkAreaFunc(TWorkAreaFunc func)
{
  TWorkAreaFunc old = GWorkArea;
  GWorkArea = func ? func : SystemWorkArea;
  return old;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner)
{
  HDC dc = GetDC(nullptr);
  if (dc) {
    FPixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
  }
}

TScreen::~TScreen()
{
  for (auto& [index, cursor] : FOwnCursors) DestroyCursor(cursor);
}

TFont* TScreen::MenuFont()
{
  if (!FMenuFont) FMenuFont = MakeOwned<TFont>();
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    if (HFONT font = CreateFontIndirectA(&metrics.lfMenuFont)) FMenuFont->SetHandle(font);
  }
  return FMenuFont.get();
}

TFont* TScreen::HintFont()
{
  if (FHintFont) return FHintFont.get();
  FHintFont = MakeOwned<TFont>();
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    if (HFONT font = CreateFontIndirectA(&metrics.lfStatusFont)) FHintFont->SetHandle(font);
  }
  FHintFont->SetColor(clInfoText);
  return FHintFont.get();
}

TCustomForm* TScreen::Forms(int index) const
{
  if (index < 0 || index >= FormCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FForms[index];
}

void TScreen::AddForm(TCustomForm* form)
{
  if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
  auto it = std::find(FForms.begin(), FForms.end(), form);
  if (it == FForms.end()) return;
  FForms.erase(it);
  if (FActiveForm == form) SetActiveForm(nullptr);
  if (FActiveControl && FActiveControl->GetParentForm() == form) SetActiveControl(nullptr);
  if (Application) Application->FormDestroyed(form);
}

void TScreen::SetActiveForm(TCustomForm* form)
{
  SetAndNotify(FActiveForm, form, [&] {
    // The form's active control goes with it; move the form to the front of the list.
    if (form) {
      std::erase(FForms, form);
      FForms.insert(FForms.begin(), form);
    }
    SetActiveControl(form ? form->ActiveControl() : nullptr);
    if (FOnActiveFormChange) FOnActiveFormChange(this);
  });
}

void TScreen::SetActiveControl(TWinControl* control)
{
  SetAndNotify(FActiveControl, control, [this] { if (FOnActiveControlChange) FOnActiveControlChange(this); });
}

void TScreen::SetCursor(TCursor value)
{
  FCursor = value;
  POINT p;
  if (value == crDefault) {
    // Each control's own cursor again: ask the window under the mouse.
    if (GetCursorPos(&p))
      if (HWND wnd = WindowFromPoint(p);
          wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId())
        SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else {
    ::SetCursor(Cursors(value));
  }
}

HCURSOR TScreen::Cursors(TCursor index) const
{
  if (index == crNone) return nullptr;
  for (auto& [i, cursor] : FOwnCursors)
    if (i == index) return cursor;
  for (const TStdCursor& c : StdCursors)
    if (c.Index == index) return LoadCursorA(nullptr, c.Id);
  return LoadCursorA(nullptr, IDC_ARROW);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor)
{
  bool standard = index == crDefault || index == crNone;
  for (const TStdCursor& c : StdCursors) standard = standard || c.Index == index;
  if (standard) throw EInvalidOperation("The standard cursors cannot be replaced");
  for (auto it = FOwnCursors.begin(); it != FOwnCursors.end(); ++it)
    if (it->first == index) {
      if (it->second != cursor) DestroyCursor(it->second);
      FOwnCursors.erase(it);
      break;
    }
  if (cursor) FOwnCursors.emplace_back(index, cursor);
}

RECT TScreen::DesktopRect() const
{
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

RECT MonitorWorkArea(POINT p) { return GWorkArea(p); }

// The primary monitor is the one that holds the origin.
RECT TScreen::WorkAreaRect() const { return GWorkArea(POINT{0, 0}); }

int TScreen::WorkAreaWidth() const
{
  RECT r = WorkAreaRect();
  return r.right - r.left;
}

int TScreen::WorkAreaHeight() const
{
  RECT r = WorkAreaRect();
  return r.bottom - r.top;
}

// ---------------------------------------------------------------------------------------------
// The unit

namespace {
bool GOleStarted = false;
TExceptionHandler GPreviousHandler = nullptr;

void AppExceptionHandler(std::exception_ptr error)
{
  if (Application)
    Application->HandleException(error);
  else if (GPreviousHandler)
    GPreviousHandler(error);
}

void InitForms()
{
  // COM in a single-threaded apartment on the GUI thread, with OLE's drag and drop and clipboard.
  GOleStarted = SUCCEEDED(OleInitialize(nullptr));
  RegisterClass(TForm::StaticClass());
  Screen = New<TScreen>(nullptr);
  Application = New<TApplication>(nullptr);
  GPreviousHandler = SetExceptionHandler(AppExceptionHandler);
}

void DoneForms()
{
  SetExceptionHandler(GPreviousHandler);
  FreeAndNil(Application);
  FreeAndNil(Screen);
  if (GOleStarted) OleUninitialize();
  GOleStarted = false;
}

const TUnit* const FormsUses[] = {&GraphicsUnit, &DeferredFreeUnit};
}  // namespace

TUnit FormsUnit{"Forms", FormsUses, InitForms, DoneForms};

IDesignerNotify* FindRootDesigner(TComponent* component)
{
  for (TComponent* c = component; c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c); form && form->Designer()) return form->Designer();
  if (auto* control = dynamic_cast<TControl*>(component))
    if (TCustomForm* form = control->GetParentForm()) return form->Designer();
  return nullptr;
}
