#pragma once
// TApplication: the process-wide Application object. It makes forms (the first becomes the main
// form, whose window carries the task bar button and owns the other forms), runs the message loop
// until the main form closes, and is where exceptions that leave event handlers end up: shown in
// the standard message box, or handed to OnException, while the loop goes on.
#include <exception>
#include <string>
#include "classlib/Forms.h"
#include "classlib/Hints.h"

using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;

// The initialization procedure that TApplication::Initialize calls. A unit that has work to do there
// chains onto it from its start-up: it keeps the procedure it finds, sets its own, and its own calls
// the kept one (first, so that units run in the order they chained); its shut-down puts the kept one
// back.
//
//   TInitProc SavedInitProc;
//   void BarsInitProc() { if (SavedInitProc) SavedInitProc(); /* this unit's work */ }
//   void InitializeUnit() { SavedInitProc = std::exchange(InitProc, BarsInitProc); }
//   void FinalizeUnit() { InitProc = SavedInitProc; }
using TInitProc = void (*)();
extern TInitProc InitProc;

// The call that reaches the help system, for TApplication::HelpCommand and HelpContext; tests
// replace it. It gets the window asking, the help file and the HELP_* command with its data, and
// answers whether the help system took the call. Answers the previous one; nullptr puts the
// system's back.
using THelpFunc = bool (*)(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data);
THelpFunc SetHelpFunc(THelpFunc func);

class TApplication : public TComponent {
  CL_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;
  void BeforeDestruction() override;

  // For the program entry (COM and the application's window are ready once FormsUnit has started):
  // calls InitProc when one is set.
  void Initialize();
  // Makes a form of formClass owned by the application; the first form made is the main form.
  TComponent* CreateForm(TClass formClass);
  template <class T>
  void CreateForm(T*& reference)
  {
    reference = static_cast<T*>(CreateForm(T::StaticClass()));
  }
  // Shows the main form and handles messages until Terminate (the main form closing) ends the loop.
  void Run();
  // Handles the messages waiting now, and returns.
  void ProcessMessages();
  // Handles one message, or idles (and waits for the next message) when there is none.
  void HandleMessage();
  // The one step of every message loop (the application's own, modal forms and popups, drag,
  // panning and menu loops): an exception raised on the way goes to HandleException and the loop
  // goes on. HandleLoopMessage() is HandleMessage so guarded; it answers false once it has taken a
  // WM_QUIT (Terminated then holds, which ends the loops around this one too).
  // HandleLoopMessage(msg) handles a message the loop took from the queue itself, to look at it
  // first, as the application's loop would (OnMessage, keys offered to our controls, translation,
  // dispatch); a WM_QUIT is not handled but posted again for the loops around this one, and
  // answers false.
  bool HandleLoopMessage();
  bool HandleLoopMessage(MSG& msg);
  // The loop's idle work without the wait: mouse tracking, the hint, OnIdle. Answers whether the
  // work is done (OnIdle can ask to be called again before the loop waits).
  bool DoApplicationIdle();
  void Terminate();
  bool Terminated() const { return FTerminate; }
  bool Running() const { return FRunning; }

  // Shows the exception's message (or calls OnException); an EAbort passes silently.
  void HandleException(std::exception_ptr error);
  void ShowException(const std::string& message);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // --- Help ---
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& value) { FHelpFile = value; }
  // Hands a HELP_* command to the help function, for the main form's window (the application's
  // when there is none). HelpContext shows the topic of a context (HELP_CONTEXT).
  bool HelpCommand(UINT command, ULONG_PTR data);
  bool HelpContext(int context);

  // The application's hidden window: owner of forms while there is no main form; wakes the loop.
  HWND Handle() const { return FHandle; }
  TCustomForm* MainForm() const { return FMainForm; }
  HWND MainFormHandle() const;
  bool MainFormOnTaskBar() const { return true; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool value) { FShowMainForm = value; }
  // Whether the locale's formats are read again when the system announces a change of regional
  // settings; on by default.
  bool UpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool value) { FUpdateFormatSettings = value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  std::string ExeName() const;
  bool Active() const { return FActive; }
  void BringToFront();
  void Minimize();
  void Restore();

  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor value) { FHintColor = value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int value) { FHintShortPause = value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  bool HintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool value) { FHintShortCuts = value; }
  // The long hint of the control under the mouse (status bars show it); OnHint fires on change.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);

  TExceptionEvent OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent e) { FOnException = e; }
  TIdleEvent OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent e) { FOnIdle = e; }
  TMessageEvent OnMessage() const { return FOnMessage; }
  void SetOnMessage(TMessageEvent e) { FOnMessage = e; }
  TNotifyEvent OnHint() const { return FOnHint; }
  void SetOnHint(TNotifyEvent e) { FOnHint = e; }
  // Called before a hint shows, with its text and info (see THintInfo); may refuse it.
  TShowHintEvent OnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TShowHintEvent e) { FOnShowHint = e; }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent e) { FOnActivate = e; }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent e) { FOnDeactivate = e; }

  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TScreen;
  bool ProcessMessage(MSG& msg);
  void DispatchTaken(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void Idle();  // idle work, then waits for the next message
  void DoMouseIdle();
  // Every visible, enabled form updates its actions (TCustomForm::UpdateActions).
  void DoActionIdle();
  void WndProc(TMessage& msg);
  void FormDestroyed(TCustomForm* form);

  HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  bool FTerminate = false;
  bool FRunning = false;
  bool FShowMainForm = true;
  bool FUpdateFormatSettings = true;
  bool FActive = true;
  std::string FTitle;
  bool FShowHint = true;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FHintShortCuts = true;
  std::string FHint;
  std::string FHelpFile;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;
  TNotifyEvent FOnHint, FOnActivate, FOnDeactivate;
  TShowHintEvent FOnShowHint;
};

extern TApplication* Application;
