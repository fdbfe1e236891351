// TApplication: form creation, the message loop, idle processing and exception reporting.
#include "classlib/Application.h"

#include <algorithm>
#include <atomic>
#include "classlib/Dialogs.h"
#include "classlib/Thread.h"

TApplication* Application = nullptr;

namespace {
// The window a worker's Synchronize wakes: read on the worker's thread, so kept apart from the
// application object, which only the GUI thread touches.
std::atomic<HWND> GWakeWindow{nullptr};
TWakeMainThread GPreviousWake = nullptr;

void WakeApplication()
{
  if (HWND wnd = GWakeWindow.load()) PostMessageA(wnd, WM_NULL, 0, 0);
}
}  // namespace

CL_DEFINE_CLASS(TApplication);

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
  std::string exe = ExeName();
  size_t slash = exe.find_last_of("\\/");
  FTitle = slash == std::string::npos ? exe : exe.substr(slash + 1);
  if (size_t dot = FTitle.rfind('.'); dot != std::string::npos) FTitle.resize(dot);
  FHandle = AllocateHWnd([this](TMessage& msg) { WndProc(msg); }, this);
  SetWindowTextA(FHandle, FTitle.c_str());
  GWakeWindow = FHandle;
  GPreviousWake = SetWakeMainThread(WakeApplication);
}

TApplication::~TApplication()
{
  if (GWakeWindow.load() == FHandle) {
    GWakeWindow = nullptr;
    SetWakeMainThread(GPreviousWake);
  }
  if (FHandle) DeallocateHWnd(FHandle);
}

void TApplication::BeforeDestruction()
{
  // The forms go first (they are owned by the application), while the hidden window still exists.
  TComponent::BeforeDestruction();
  FMainForm = nullptr;
  if (GWakeWindow.load() == FHandle) {
    GWakeWindow = nullptr;
    SetWakeMainThread(GPreviousWake);
  }
  if (FHandle) {
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
  }
}

std::string TApplication::ExeName() const
{
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, n);
}

HWND TApplication::MainFormHandle() const
{
  return FMainForm && FMainForm->HandleAllocated() ? FMainForm->FHandle : nullptr;
}

TComponent* TApplication::CreateForm(TClass formClass)
{
  if (!formClass || !formClass->NewComponent)
    throw EInvalidOperation(std::string("Cannot create a form of class ") +
                            (formClass ? formClass->Name : "(none)"));
  TComponent* instance = formClass->NewComponent(this);
  if (!FMainForm)
    if (auto* form = dynamic_cast<TCustomForm*>(instance)) FMainForm = form;
  return instance;
}

void TApplication::FormDestroyed(TCustomForm* form)
{
  if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMainForm) FMainForm = nullptr;
}

void TApplication::Run()
{
  FRunning = true;
  FTerminate = false;
  try {
    if (FMainForm) {
      if (FShowMainForm) {
        FMainForm->SetVisible(true);
      }
      while (HandleLoopMessage()) {
      }
    }
  } catch (...) {
    FRunning = false;
    throw;
  }
  FRunning = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage()
{
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

bool TApplication::HandleLoopMessage()
{
  GuardCallback([this] { HandleMessage(); });
  return !FTerminate;
}

bool TApplication::HandleLoopMessage(MSG& msg)
{
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  GuardCallback([&] { DispatchTaken(msg); });
  return true;
}

void TApplication::ProcessMessages()
{
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

bool TApplication::ProcessMessage(MSG& msg)
{
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminate = true;
    return true;
  }
  DispatchTaken(msg);
  return true;
}

namespace {
// The MDI keys of the main form's active child (Ctrl+F4, Ctrl+F6, Alt+-), taken by its MDI client.
bool IsMDIMsg(TCustomForm* mainForm, MSG& msg)
{
  if (!mainForm || !mainForm->ClientHandle() || !Screen || !Screen->ActiveForm() ||
      Screen->ActiveForm()->FormStyle() != TFormStyle::fsMDIChild)
    return false;
  return TranslateMDISysAccel(mainForm->ClientHandle(), &msg);
}
}  // namespace

void TApplication::DispatchTaken(MSG& msg)
{
  bool handled = false;
  if (FOnMessage) FOnMessage(msg, handled);
  if (!handled && !IsMDIMsg(FMainForm, msg) && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool TApplication::IsKeyMsg(MSG& msg)
{
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // Hands the key to the nearest control of ours before it is translated: CN_KEYDOWN and friends,
  // where dialog keys (tab, arrows, return, escape) and form-wide key handling happen.
  HWND wnd = GetCapture();
  if (!wnd) wnd = msg.hwnd;
  TWinControl* control = nullptr;
  for (HWND w = wnd; w && !control; w = GetParent(w)) control = FindControl(w);
  if (!control) return false;
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle()
{
  if (DoApplicationIdle()) WaitMessage();
}

bool TApplication::DoApplicationIdle()
{
  DoMouseIdle();
  bool done = true;
  if (FOnIdle) FOnIdle(this, done);
  if (done) DoActionIdle();
  // Calls handed over by worker threads (Synchronize, Queue) run here on the GUI thread.
  if (IsMainThread() && CheckSynchronize()) done = false;
  return done;
}

void TApplication::DoActionIdle()
{
  if (!Screen) return;
  // A form may come or go while its actions update: walk a snapshot and skip the gone ones.
  std::vector<TWeakRef<TCustomForm>> forms;
  for (int i = 0; i < Screen->FormCount(); ++i) forms.emplace_back(Screen->Forms(i));
  try {
    for (const TWeakRef<TCustomForm>& form : forms)
      if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle()))
        form->UpdateActions();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::DoMouseIdle()
{
  UpdateMouseControl();
  std::string hint;
  for (TControl* c = MouseControl(); c; c = c->Parent())
    if (!c->Hint().empty()) {
      hint = GetLongHint(c->Hint());
      break;
    }
  SetHint(hint);
}

void TApplication::SetHint(const std::string& value)
{
  SetAndNotify(FHint, value, [this] {
    if (FOnHint) {
      FOnHint(this);
      return;
    }
    // Without a handler the main form's controls are offered the hint (a status pane shows it).
    if (!FMainForm) return;
    TOwned<THintAction> action = MakeOwned<THintAction>(nullptr);
    action->SetHint(FHint);
    FMainForm->DispatchAction(action.get());
  });
}

void TApplication::HandleException(std::exception_ptr error)
{
  if (!error || IsAbort(error)) return;
  if (FOnException) {
    try {
      std::rethrow_exception(error);
    } catch (const Exception& e) {
      FOnException(this, e);
    } catch (...) {
      FOnException(this, Exception(ExceptionMessage(error)));
    }
    return;
  }
  ShowException(ExceptionMessage(error));
}

void TApplication::ShowException(const std::string& message)
{
  // A sentence in single-byte text ends with a full stop; a Chinese one keeps its own punctuation.
  std::string text = message;
  bool lastIsDoubleByte = false;
  for (size_t i = 0; i < text.size(); ++i) {
    lastIsDoubleByte = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
    if (lastIsDoubleByte) ++i;
  }
  if (!text.empty() && !lastIsDoubleByte && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

TInitProc InitProc = nullptr;

void TApplication::Initialize()
{
  if (InitProc) InitProc();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
  // Owned by the active window of ours, so that it stays in front of it and it stays disabled.
  HWND owner = GetActiveWindow();
  if (!owner || !FindControl(owner)) owner = MainFormHandle();
  if (!owner) owner = FHandle;
  return ShowMessageBox(owner, text.c_str(), caption.c_str(), flags);
}

namespace {
// The system's help: WinHelp with the file; without a file there is nothing to show.
bool SystemHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data)
{
  if (helpFile.empty()) return false;
  return WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
}
THelpFunc GHelpFunc = SystemHelp;
}  // namespace

THelpFunc SetHelpFunc(THelpFunc func)
{
  THelpFunc old = GHelpFunc;
  GHelpFunc = func ? func : SystemHelp;
  return old;
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data)
{
  HWND owner = MainFormHandle();
  return GHelpFunc(owner ? owner : FHandle, FHelpFile, command, data);
}

bool TApplication::HelpContext(int context)
{
  return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

void TApplication::BringToFront()
{
  if (HWND wnd = MainFormHandle()) SetForegroundWindow(GetLastActivePopup(wnd));
}

void TApplication::Minimize()
{
  if (HWND wnd = MainFormHandle()) ShowWindow(wnd, SW_MINIMIZE);
}

void TApplication::Restore()
{
  if (HWND wnd = MainFormHandle(); wnd && IsIconic(wnd)) ShowWindow(wnd, SW_RESTORE);
}

void TApplication::WndProc(TMessage& msg)
{
  switch (msg.Msg) {
    case WM_NULL:
      // Posted by WakeApplication when a worker hands a call to the GUI thread.
      if (IsMainThread()) CheckSynchronize();
      return;
    case WM_ACTIVATEAPP:
      FActive = msg.WParam != 0;
      if (FActive && FOnActivate) FOnActivate(this);
      if (!FActive && FOnDeactivate) FOnDeactivate(this);
      break;
    case WM_ENDSESSION:
      if (msg.WParam) FTerminate = true;
      break;
    case WM_QUERYENDSESSION:
      msg.Result = !FMainForm || FMainForm->CloseQuery() ? TRUE : FALSE;
      return;
    default:
      break;
  }
  msg.Result = DefWindowProcA(FHandle, msg.Msg, msg.WParam, msg.LParam);
}
