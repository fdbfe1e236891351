// The application object: its message loop with the main form, exceptions that leave event handlers
// (OnException, or the standard message box while the loop goes on), calls from worker threads,
// and the idle work.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/Thread.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DialogCloser.h"

using namespace fixture;

namespace {

// Ends a message loop that a broken test would leave running.
class TWatchdog {
public:
  explicit TWatchdog(UINT ms) { FTimer = SetTimer(nullptr, 0, ms, Fire); }
  ~TWatchdog() { KillTimer(nullptr, FTimer); }
  static bool Fired;

private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
  {
    Fired = true;
    PostQuitMessage(0);
  }
  UINT_PTR FTimer;
};
bool TWatchdog::Fired = false;

// Restores the application's exception handler and main form after a test.
struct TAppState {
  TExceptionEvent OnException = Application->OnException();
  ~TAppState()
  {
    Application->SetOnException(OnException);
    if (TCustomForm* main = Application->MainForm()) Free(main);
  }
};

struct TClicker : TObject {
  std::vector<std::string> Exceptions;
  int Clicks = 0;
  void Click(TObject*)
  {
    ++Clicks;
    if (Clicks == 1) throw EConvertError("'abc' is not a valid integer value");
    if (Clicks == 3) throw std::runtime_error("not one of ours");
  }
  void OnException(TObject* sender, const Exception& e)
  {
    Exceptions.push_back(std::string(sender ? sender->ClassName() : "") + ": " + e.Message());
  }
};

}  // namespace

TEST(Application, ExceptionInAHandlerReachesOnExceptionAndTheLoopGoesOn)
{
  TAppState state;
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* button = New<TTestButton>(main);
  button->SetParent(main);
  auto clicker = MakeOwned<TClicker>();
  button->SetOnClick(TNotifyEvent(clicker.get(), &TClicker::Click));
  Application->SetOnException(TExceptionEvent(clicker.get(), &TClicker::OnException));
  // Queued before the loop starts: three clicks (the first and third throw), then closing the
  // main form, which ends the loop.
  HWND wnd = button->Handle();
  PostMessageA(wnd, BM_CLICK, 0, 0);
  PostMessageA(wnd, BM_CLICK, 0, 0);
  PostMessageA(wnd, BM_CLICK, 0, 0);
  PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
  TWatchdog::Fired = false;
  {
    TWatchdog watchdog(10000);
    Application->Run();
  }
  EXPECT_FALSE(TWatchdog::Fired);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(clicker->Clicks, 3);
  EXPECT_EQ(clicker->Exceptions, (std::vector<std::string>{"TApplication: 'abc' is not a valid integer value",
                                                          "TApplication: not one of ours"}));
}


TEST(Application, WithoutOnExceptionTheMessageIsShownInAMessageBox)
{
  TAppState state;
  Application->SetOnException(nullptr);
  UINT_PTR timer = TDialogCloser::Start(IDOK);
  // The box runs its own loop; the timer closes it from there.
  Application->HandleException(std::make_exception_ptr(Exception("找不到文件")));
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  EXPECT_EQ(TDialogCloser::Text, "找不到文件");  // Chinese text gets no full stop added
  EXPECT_EQ(TDialogCloser::Caption, Application->Title());
  // An abort is silent: no box.
  Application->HandleException(std::make_exception_ptr(EAbort("quiet")));
  EXPECT_EQ(TDialogCloser::Seen, 1);
  // Exceptions from window procedures come the same way (the class library's exception hook).
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* button = New<TTestButton>(form);
  button->SetParent(form);
  auto clicker = MakeOwned<TClicker>();
  button->SetOnClick(TNotifyEvent(clicker.get(), &TClicker::Click));
  form->Show();
  timer = TDialogCloser::Start(IDOK);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  EXPECT_EQ(TDialogCloser::Text, "'abc' is not a valid integer value.");
  EXPECT_TRUE(IsWindow(button->Handle()));
}

namespace {
class TWorker : public TThread {
  CL_CLASS(TWorker, TThread)
public:
  TWorker() : TThread(false) {}
  DWORD GuiThread = 0;
  DWORD RanOn = 0;

protected:
  void Execute() override
  {
    Synchronize([this] { RanOn = GetCurrentThreadId(); });
    // Close the main form from the GUI thread once the synchronized call has run.
    Queue([] {
      if (Application->MainForm()) Application->MainForm()->Close();
    });
  }
};
}  // namespace

CL_DEFINE_CLASS(TWorker);

TEST(Application, WorkerCallsRunOnTheGuiThreadWhileTheLoopWaits)
{
  TAppState state;
  TForm* main = nullptr;
  Application->CreateForm(main);
  TWatchdog::Fired = false;
  TWorker* worker = nullptr;
  {
    TWatchdog watchdog(10000);
    // Started from inside the loop, which then sleeps in WaitMessage until the worker wakes it.
    PostMessageA(main->Handle(), WM_NULL, 0, 0);
    struct TStarter : TObject {
      TWorker** Worker;
      void Idle(TObject*, bool& done)
      {
        if (!*Worker) *Worker = New<TWorker>();
        done = true;
      }
    };
    auto starter = MakeOwned<TStarter>();
    starter->Worker = &worker;
    Application->SetOnIdle(TIdleEvent(starter.get(), &TStarter::Idle));
    Application->Run();
    Application->SetOnIdle(nullptr);
  }
  EXPECT_FALSE(TWatchdog::Fired);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(worker->RanOn, GetCurrentThreadId());
  Free(worker);
}

TEST(Application, ProcessMessagesHandleMessageAndTerminate)
{
  TAppState state;
  // Run without a main form returns at once.
  Application->Run();
  EXPECT_FALSE(Application->Terminated());

  std::vector<UINT> seen;
  struct TWatcher : TObject {
    std::vector<UINT>* Seen;
    void Message(MSG& msg, bool& handled)
    {
      if (msg.message >= WM_APP) {
        Seen->push_back(msg.message);
        handled = msg.message == WM_APP + 2;  // swallowed before dispatch
      }
    }
  };
  auto watcher = MakeOwned<TWatcher>();
  watcher->Seen = &seen;
  Application->ProcessMessages();  // what earlier tests left queued
  Application->SetOnMessage(TMessageEvent(watcher.get(), &TWatcher::Message));
  PostMessageA(Application->Handle(), WM_APP + 1, 0, 0);
  PostMessageA(Application->Handle(), WM_APP + 2, 0, 0);
  Application->HandleMessage();
  EXPECT_EQ(seen, std::vector<UINT>{WM_APP + 1});
  Application->ProcessMessages();
  EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));
  Application->SetOnMessage(nullptr);

  Application->Terminate();
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());
}

TEST(Application, HintOfTheControlUnderTheMouse)
{
  TAppState state;
  TForm* form = NewForm(200, 100);
  TFormGuard guard{form};
  auto* panel = New<TTestPanel>(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 100);
  panel->SetHint("查找|在文件中查找文本");
  form->Show();
  struct THintLog : TObject {
    std::vector<std::string> Hints;
    void Hint(TObject*) { Hints.push_back(Application->Hint()); }
  };
  auto log = MakeOwned<THintLog>();
  Application->SetOnHint(TNotifyEvent(log.get(), &THintLog::Hint));
  SetMouseControl(panel);
  Application->DoApplicationIdle();  // the cursor may be elsewhere: the idle work follows it
  POINT p = panel->ClientToScreen(POINT{100, 50});
  SetCursorPos(p.x, p.y);
  PumpUntil([&] { return Application->Hint() == "在文件中查找文本"; }, 2000, TPumpWork::MessagesAndIdle);
  Application->SetOnHint(nullptr);
  EXPECT_EQ(Application->Hint(), "在文件中查找文本");
  EXPECT_EQ(GetShortHint(panel->Hint()), "查找");
  EXPECT_FALSE(log->Hints.empty());
}

TEST(Application, ComIsInitialisedOnTheGuiThread)
{
  // Already initialised, as a single-threaded apartment, by the forms unit's start-up.
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(hr, S_FALSE);
  if (SUCCEEDED(hr)) CoUninitialize();
}

namespace {
struct THelpCall {
  HWND Owner;
  std::string File;
  UINT Command;
  ULONG_PTR Data;
};
std::vector<THelpCall> HelpCalls;
bool RecordHelp(HWND owner, const std::string& file, UINT command, ULONG_PTR data)
{
  HelpCalls.push_back({owner, file, command, data});
  return true;
}
}  // namespace

TEST(Application, HelpCallsGoThroughTheReplaceableHelpFunction)
{
  HelpCalls.clear();
  THelpFunc old = SetHelpFunc(RecordHelp);
  std::string oldFile = Application->HelpFile();
  Application->SetHelpFile("product.hlp");
  EXPECT_TRUE(Application->HelpContext(42));
  POINT p{120, 80};
  EXPECT_TRUE(Application->HelpCommand(HELP_SETPOPUP_POS, MAKELONG(p.x, p.y)));
  EXPECT_TRUE(Application->HelpCommand(HELP_CONTEXTPOPUP, 7));
  Application->SetHelpFile(oldFile);
  EXPECT_EQ(SetHelpFunc(nullptr), RecordHelp);

  ASSERT_EQ(HelpCalls.size(), 3u);
  EXPECT_EQ(HelpCalls[0].Command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(HelpCalls[0].Data, 42u);
  EXPECT_EQ(HelpCalls[0].File, "product.hlp");
  EXPECT_NE(HelpCalls[0].Owner, nullptr);
  EXPECT_EQ(HelpCalls[1].Command, static_cast<UINT>(HELP_SETPOPUP_POS));
  EXPECT_EQ(HelpCalls[1].Data, static_cast<ULONG_PTR>(MAKELONG(120, 80)));
  EXPECT_EQ(HelpCalls[2].Command, static_cast<UINT>(HELP_CONTEXTPOPUP));
  // The system's help without a help file has nothing to show.
  Application->SetHelpFile("");
  EXPECT_FALSE(Application->HelpContext(42));
  Application->SetHelpFile(oldFile);
  SetHelpFunc(old);
}
