// Forms: stored-form creation, placement, client size and border styles, closing, modal showing,
// key preview, window owners, focus, and the screen object.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/ObjectText.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "tests/support/TestHelpers.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/FormTree.h"

using namespace fixture;

namespace {

class TSearchTestForm : public TForm {
  CL_CLASS(TSearchTestForm, TForm)
public:
  using TForm::TForm;
  static std::vector<std::string> Log;
  int Clicks = 0;

  void FormCreate(TObject*)
  {
    // Runs once the stored form is read: the controls are there.
    Log.push_back("create " + std::to_string(ComponentCount()));
  }
  void FormDestroy(TObject*) { Log.push_back("destroy"); }
  void OkButtonClick(TObject*) { ++Clicks; }

  // Bound by name to the stored form's components.
  TTestPanel* TopPanel = nullptr;
  TTestButton* OkButton = nullptr;
};
std::vector<std::string> TSearchTestForm::Log;

constexpr TMethodInfo SearchTestFormMethods[] = {
  PublishedMethod<TNotifyEvent, &TSearchTestForm::FormCreate>("FormCreate"),
  PublishedMethod<TNotifyEvent, &TSearchTestForm::FormDestroy>("FormDestroy"),
  PublishedMethod<TNotifyEvent, &TSearchTestForm::OkButtonClick>("OkButtonClick"),
};

constexpr TFieldInfo SearchTestFormFields[] = {
  CL_FIELD(TSearchTestForm, TopPanel),
  CL_FIELD(TSearchTestForm, OkButton),
};

// A form whose field names a component its stored form does not have.
class TFieldlessForm : public TForm {
  CL_CLASS(TFieldlessForm, TForm)
public:
  using TForm::TForm;
  TTestButton* CancelButton = nullptr;
};

constexpr TFieldInfo FieldlessFormFields[] = {CL_FIELD(TFieldlessForm, CancelButton)};

// A form class that has no stored form.
class TMissingForm : public TForm {
  CL_CLASS(TMissingForm, TForm)
public:
  using TForm::TForm;
};

// A form whose stored form fails half way, after some controls were made.
class TBrokenTestForm : public TForm {
  CL_CLASS(TBrokenTestForm, TForm)
public:
  using TForm::TForm;
};

void RegisterFixtureClasses()
{
  RegisterClass(TTestPanel::StaticClass());
  RegisterClass(TTestButton::StaticClass());
  RegisterClass(TTestGraphic::StaticClass());
}


RECT WorkAreaForTest(POINT) { return RECT{100, 50, 900, 650}; }

}  // namespace

CL_DEFINE_CLASS(TSearchTestForm, .Methods = SearchTestFormMethods, .Fields = SearchTestFormFields);
CL_DEFINE_CLASS(TFieldlessForm, .Fields = FieldlessFormFields);
CL_DEFINE_CLASS(TBrokenTestForm);
CL_DEFINE_CLASS(TMissingForm);

TEST(Forms, StoredFormCreatesItsControlsAndRunsOnCreateAfterThem)
{
  RegisterFixtureClasses();
  TSearchTestForm::Log.clear();
  auto* form = New<TSearchTestForm>(Application);
  {
    TFormGuard guard{form};
    EXPECT_EQ(TSearchTestForm::Log, std::vector<std::string>{"create 4"});
    EXPECT_EQ(form->Caption(), "搜索");
    EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
    EXPECT_EQ(form->Position(), TPosition::poScreenCenter);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(form->Font()->Name(), "SimSun");
    EXPECT_FALSE(form->Visible());

    auto* top = As<TTestPanel>(form->FindComponent("TopPanel"));
    auto* client = As<TTestPanel>(form->FindComponent("ClientPanel"));
    auto* ok = As<TTestButton>(form->FindComponent("OkButton"));
    auto* marker = As<TTestGraphic>(form->FindComponent("Marker"));
    ASSERT_TRUE(top && client && ok && marker);
    EXPECT_EQ(ok->Parent(), top);
    EXPECT_EQ(marker->Parent(), client);
    EXPECT_EQ(ok->Caption(), "确定");
    EXPECT_EQ(top->Color(), clYellow);
    EXPECT_EQ(client->Color(), clBtnFace);   // ParentColor
    EXPECT_EQ(ok->Font()->Name(), "SimSun");  // ParentFont
    EXPECT_EQ(client->TabOrder(), 0);
    EXPECT_EQ(top->TabOrder(), 1);

    // Shown: centred in the work area, laid out, the handler bound by name.
    TWorkAreaFunc old = SetWorkAreaFunc(WorkAreaForTest);
    form->Show();
    SetWorkAreaFunc(old);
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    EXPECT_EQ(wr.left, 100 + (800 - form->Width()) / 2);
    EXPECT_EQ(wr.top, 50 + (600 - form->Height()) / 2);
    RECT cr;
    GetClientRect(form->Handle(), &cr);
    EXPECT_EQ(cr.right, 320);
    EXPECT_EQ(cr.bottom, 200);
    EXPECT_TRUE(SameRect(client->BoundsRect(), RECT{0, 41, 320, 200}));
    LONG_PTR exStyle = GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_THICKFRAME);
    SendMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->Clicks, 1);

    // The anchored graphic control keeps its distance to the bottom right corner.
    form->SetClientSize(420, 260);
    Pump(20);
    EXPECT_TRUE(SameRect(marker->BoundsRect(), RECT{380, 180, 410, 210}));
  }
  EXPECT_EQ(TSearchTestForm::Log, (std::vector<std::string>{"create 4", "destroy"}));
}

TEST(Forms, FormClassWithoutStoredFormRaisesAndLeavesNothingBehind)
{
  int forms = Screen->FormCount();
  int owned = Application->ComponentCount();
  EXPECT_THROW(New<TMissingForm>(Application), EResNotFound);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(Application->ComponentCount(), owned);
  // A stored form that fails half way frees what it made, windows included.
  RegisterFixtureClasses();
  EXPECT_THROW(New<TBrokenTestForm>(Application), EReadError);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(Application->ComponentCount(), owned);
  // The same class made empty on purpose is fine.
  TOwned<TMissingForm> empty(New<TMissingForm>(Application, CreateNew));
  EXPECT_EQ(Screen->FormCount(), forms + 1);
}

TEST(Forms, ClientSizeHoldsForEveryBorderStyle)
{
  struct Case {
    TFormBorderStyle Style;
    DWORD Has, HasNot, ExHas;
  };
  const Case cases[] = {
      {TFormBorderStyle::bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
      {TFormBorderStyle::bsSingle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_THICKFRAME,
       0},
      {TFormBorderStyle::bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0, 0},
      {TFormBorderStyle::bsDialog, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX,
       WS_EX_DLGMODALFRAME},
      {TFormBorderStyle::bsToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {TFormBorderStyle::bsSizeToolWin, WS_CAPTION | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
  };
  for (const Case& c : cases) {
    TForm* form = NewForm();
    TFormGuard guard{form};
    form->SetBorderStyle(c.Style);
    form->SetClientSize(300, 200);  // before the window exists: from the frame's metrics
    form->Show();
    RECT cr;
    GetClientRect(form->Handle(), &cr);
    EXPECT_EQ(cr.right, 300) << static_cast<int>(c.Style);
    EXPECT_EQ(cr.bottom, 200) << static_cast<int>(c.Style);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.Has, c.Has) << static_cast<int>(c.Style);
    EXPECT_EQ(style & c.HasNot, 0u) << static_cast<int>(c.Style);
    EXPECT_EQ(exStyle & c.ExHas, c.ExHas) << static_cast<int>(c.Style);
    // And after: through the window.
    form->SetClientSize(250, 150);
    GetClientRect(form->Handle(), &cr);
    EXPECT_EQ(cr.right, 250) << static_cast<int>(c.Style);
    EXPECT_EQ(cr.bottom, 150) << static_cast<int>(c.Style);
  }
}

namespace {
struct TCloseLog : TObject {
  TCloseAction Action = TCloseAction::caHide;
  bool Allow = true;
  std::vector<std::string> Log;
  void CloseQuery(TObject*, bool& canClose)
  {
    Log.push_back("query");
    canClose = Allow;
  }
  void Close(TObject*, TCloseAction& action)
  {
    Log.push_back("close");
    action = Action;
  }
  void Destroy(TObject*) { Log.push_back("destroy"); }
};
}  // namespace

TEST(Forms, CloseAsksOnCloseQueryThenDoesWhatOnCloseSays)
{
  auto log = MakeOwned<TCloseLog>();
  TForm* form = NewForm();
  form->SetOnCloseQuery(TCloseQueryEvent(log.get(), &TCloseLog::CloseQuery));
  form->SetOnClose(TCloseEvent(log.get(), &TCloseLog::Close));
  form->SetOnDestroy(TNotifyEvent(log.get(), &TCloseLog::Destroy));
  form->Show();

  log->Allow = false;
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);  // the caption's close button
  EXPECT_EQ(log->Log, std::vector<std::string>{"query"});
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  log->Allow = true;
  log->Action = TCloseAction::caNone;
  log->Log.clear();
  form->Close();
  EXPECT_EQ(log->Log, (std::vector<std::string>{"query", "close"}));
  EXPECT_TRUE(form->Visible());

  log->Action = TCloseAction::caHide;
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));

  // caFree: released once the messages queued for it are handled, not inside Close.
  form->Show();
  log->Action = TCloseAction::caFree;
  log->Log.clear();
  int forms = Screen->FormCount();
  form->Close();
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_TRUE(PumpUntil([&] { return Screen->FormCount() == forms - 1; }));
  EXPECT_EQ(log->Log, (std::vector<std::string>{"query", "close", "destroy"}));
}

namespace {
struct TModalDriver : TObject {
  TCustomForm* Modal = nullptr;
  HWND Other = nullptr;
  bool OtherEnabledDuringModal = true;
  int CloseQueries = 0;
  void ButtonClick(TObject*)
  {
    OtherEnabledDuringModal = IsWindowEnabled(Other) != FALSE;
    Modal->SetModalResult(mrOk);
  }
  void CloseQuery(TObject*, bool& canClose) { canClose = ++CloseQueries > 1; }  // refuse once
};
}  // namespace

TEST(Forms, ShowModalRunsUntilModalResultAndDisablesTheOtherWindows)
{
  TForm* other = NewForm();
  TFormGuard otherGuard{other};
  other->Show();
  TForm* dialog = NewForm(200, 100);
  TFormGuard dialogGuard{dialog};
  dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
  auto* button = New<TTestButton>(dialog);
  button->SetParent(dialog);
  auto driver = MakeOwned<TModalDriver>();
  driver->Modal = dialog;
  driver->Other = other->Handle();
  button->SetOnClick(TNotifyEvent(driver.get(), &TModalDriver::ButtonClick));
  dialog->SetOnCloseQuery(TCloseQueryEvent(driver.get(), &TModalDriver::CloseQuery));
  // Two clicks wait in the queue: the first one's result is refused by OnCloseQuery.
  PostMessageA(button->Handle(), BM_CLICK, 0, 0);
  PostMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(driver->CloseQueries, 2);
  EXPECT_FALSE(driver->OtherEnabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_FALSE(dialog->Modal());
  // A visible form cannot be made modal.
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
  dialog->Hide();
  // A quit message seen by the modal loop ends it (mrCancel) and stays visible to the outer loop.
  PostQuitMessage(0);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  // The application's loop starts afresh (without a main form it returns at once): the tests after
  // this one find the application running.
  Application->Run();
  EXPECT_FALSE(Application->Terminated());
}

namespace {
// A shortcut that raises: the key reaches the form before any window procedure, so nothing but the
// loop's own step stands between the exception and the loop.
struct TRaisingShortCut : TObject {
  TForm* Modal = nullptr;
  std::vector<std::string> Handled;
  void ShortCut(TMessage& msg, bool&)
  {
    if (msg.WParam == 'K') throw EConvertError("the shortcut failed");
  }
  void Click(TObject*) { Modal->SetModalResult(mrOk); }
  void OnException(TObject*, const Exception& e) { Handled.push_back(e.Message()); }
};
}  // namespace

TEST(Forms, AnExceptionInTheModalLoopGoesToTheApplicationAndTheLoopGoesOn)
{
  TForm* dialog = NewForm(200, 100);
  TFormGuard dialogGuard{dialog};
  auto* button = New<TTestButton>(dialog);
  button->SetParent(dialog);
  ASSERT_FALSE(Application->Terminated());
  auto driver = MakeOwned<TRaisingShortCut>();
  driver->Modal = dialog;
  dialog->SetOnShortCut(TShortCutEvent(driver.get(), &TRaisingShortCut::ShortCut));
  button->SetOnClick(TNotifyEvent(driver.get(), &TRaisingShortCut::Click));
  const TExceptionEvent previous = Application->OnException();
  Application->SetOnException(TExceptionEvent(driver.get(), &TRaisingShortCut::OnException));
  PostMessageA(button->Handle(), WM_KEYDOWN, 'K', 0);
  PostMessageA(button->Handle(), BM_CLICK, 0, 0);
  TModalResult result = mrNone;
  EXPECT_NO_THROW(result = dialog->ShowModal());
  Application->SetOnException(previous);
  EXPECT_EQ(result, mrOk) << "the click after the failed shortcut still ended the loop";
  EXPECT_EQ(driver->Handled, std::vector<std::string>{"the shortcut failed"});
}

namespace {
struct TKeyLog : TObject {
  std::vector<std::string> Log;
  bool Swallow = false;
  void FormKey(TObject*, WORD& key, TShiftState)
  {
    Log.push_back("form " + std::to_string(key));
    if (Swallow) key = 0;
  }
  void ButtonKey(TObject*, WORD& key, TShiftState) { Log.push_back("button " + std::to_string(key)); }
};
}  // namespace

TEST(Forms, KeyPreviewLetsTheFormSeeKeysFirst)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* button = New<TTestButton>(form);
  button->SetParent(form);
  auto log = MakeOwned<TKeyLog>();
  form->SetOnKeyDown(TKeyEvent(log.get(), &TKeyLog::FormKey));
  button->SetOnKeyDown(TKeyEvent(log.get(), &TKeyLog::ButtonKey));
  form->Show();
  SendMessageA(button->Handle(), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(log->Log, std::vector<std::string>{"button 65"});
  form->SetKeyPreview(true);
  log->Log.clear();
  SendMessageA(button->Handle(), WM_KEYDOWN, 'B', 0);
  EXPECT_EQ(log->Log, (std::vector<std::string>{"form 66", "button 66"}));
  log->Swallow = true;
  log->Log.clear();
  SendMessageA(button->Handle(), WM_KEYDOWN, 'C', 0);
  EXPECT_EQ(log->Log, std::vector<std::string>{"form 67"});
}

TEST(Forms, MainFormHasTheTaskBarButtonAndOwnsTheOthers)
{
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* main = nullptr;
  Application->CreateForm(main);
  TFormGuard mainGuard{main};
  EXPECT_EQ(Application->MainForm(), main);
  TForm* second = NewForm();
  TFormGuard secondGuard{second};
  TForm* third = NewForm();
  TFormGuard thirdGuard{third};
  third->SetPopupParent(second);
  main->Show();
  second->Show();
  third->Show();
  EXPECT_EQ(GetWindow(main->Handle(), GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), main->Handle());
  EXPECT_FALSE(GetWindowLongPtrA(second->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(third->PopupMode(), TPopupMode::pmExplicit);
  EXPECT_EQ(GetWindow(third->Handle(), GW_OWNER), second->Handle());
  // Without a main form, forms are owned by the application's hidden window.
  Free(main);
  mainGuard.Form = nullptr;
  EXPECT_EQ(Application->MainForm(), nullptr);
  TForm* lone = NewForm();
  TFormGuard loneGuard{lone};
  lone->Show();
  EXPECT_EQ(GetWindow(lone->Handle(), GW_OWNER), Application->Handle());
}

namespace {
struct TFocusLog : TObject {
  std::vector<std::string> Log;
  void Enter(TObject* s) { Log.push_back("enter " + static_cast<TComponent*>(s)->Name()); }
  void Exit(TObject* s) { Log.push_back("exit " + static_cast<TComponent*>(s)->Name()); }
};
}  // namespace

TEST(Forms, FocusMovesSendExitAndEnterAlongTheParentChain)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* panel = New<TTestPanel>(form);
  panel->SetName("Panel");
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 100);
  auto* inside = New<TTestButton>(form);
  inside->SetName("Inside");
  inside->SetParent(panel);
  auto* outside = New<TTestButton>(form);
  outside->SetName("Outside");
  outside->SetParent(form);
  outside->SetBounds(0, 150, 75, 25);
  auto log = MakeOwned<TFocusLog>();
  for (TWinControl* c : std::initializer_list<TWinControl*>{panel, inside, outside}) {
    c->SetOnEnter(TNotifyEvent(log.get(), &TFocusLog::Enter));
    c->SetOnExit(TNotifyEvent(log.get(), &TFocusLog::Exit));
  }
  form->SetActiveControl(outside);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return outside->Focused(); }));
  log->Log.clear();
  inside->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return inside->Focused(); }));
  EXPECT_EQ(log->Log, (std::vector<std::string>{"exit Outside", "enter Panel", "enter Inside"}));
  EXPECT_EQ(form->ActiveControl(), inside);
  EXPECT_EQ(Screen->ActiveControl(), inside);
  log->Log.clear();
  outside->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return outside->Focused(); }));
  EXPECT_EQ(log->Log, (std::vector<std::string>{"exit Inside", "exit Panel", "enter Outside"}));
  // A control that goes away takes itself out of the form's and the screen's memory.
  Free(outside);
  EXPECT_NE(form->ActiveControl(), outside);
  EXPECT_NE(Screen->ActiveControl(), outside);
  // A control that cannot have the focus is refused.
  inside->SetEnabled(false);
  EXPECT_THROW(form->SetActiveControl(inside), EInvalidOperation);
}

TEST(Screen, CursorsWorkAreaAndResolution)
{
  EXPECT_EQ(Screen->Cursors(crHourGlass), LoadCursorA(nullptr, IDC_WAIT));
  EXPECT_EQ(Screen->Cursors(crIBeam), LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(Screen->Cursors(12345), LoadCursorA(nullptr, IDC_ARROW));  // unknown: the arrow
  HCURSOR own = CopyCursor(LoadCursorA(nullptr, IDC_CROSS));
  Screen->SetCursors(1, own);
  EXPECT_EQ(Screen->Cursors(1), own);
  Screen->SetCursors(1, nullptr);  // destroys it
  EXPECT_THROW(Screen->SetCursors(crArrow, own), EInvalidOperation);

  HDC dc = GetDC(nullptr);
  EXPECT_EQ(Screen->PixelsPerInch(), GetDeviceCaps(dc, LOGPIXELSY));
  ReleaseDC(nullptr, dc);
  RECT system{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &system, 0);
  EXPECT_TRUE(SameRect(Screen->WorkAreaRect(), system));
  TWorkAreaFunc old = SetWorkAreaFunc(WorkAreaForTest);
  EXPECT_EQ(Screen->WorkAreaWidth(), 800);
  EXPECT_EQ(Screen->WorkAreaTop(), 50);
  SetWorkAreaFunc(old);

  // Screen->Cursor overrides every control's cursor while set.
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
}

TEST(Forms, PublishedFieldsAreBoundByNameAndFollowTheirComponents)
{
  RegisterFixtureClasses();
  auto* form = New<TSearchTestForm>(Application);
  TFormGuard guard{form};
  ASSERT_NE(form->OkButton, nullptr);
  EXPECT_EQ(form->OkButton, form->FindComponent("OkButton"));
  EXPECT_EQ(form->TopPanel, form->FindComponent("TopPanel"));
  // A renamed component leaves its field, and a component of another class cannot take it.
  TTestButton* button = form->OkButton;
  button->SetName("Other");
  EXPECT_EQ(form->OkButton, nullptr);
  TComponent* marker = form->FindComponent("Marker");
  ASSERT_NE(marker, nullptr);
  EXPECT_THROW(marker->SetName("OkButton"), EComponentError);
  EXPECT_EQ(form->OkButton, nullptr);
  button->SetName("OkButton");
  EXPECT_EQ(form->OkButton, button);
  // A freed component empties its field (the panel takes the button, its child, with it).
  Free(form->TopPanel);
  EXPECT_EQ(form->TopPanel, nullptr);
  EXPECT_EQ(form->OkButton, nullptr);
}

TEST(Forms, AStoredFormWithoutAFieldsComponentIsRefusedWithTheFieldsName)
{
  RegisterFixtureClasses();
  const int forms = Screen->FormCount(), owned = Application->ComponentCount();
  std::string message = "(no exception)";
  try {
    Free(New<TFieldlessForm>(Application));
  } catch (const Exception& e) {
    message = e.Message();
  }
  EXPECT_NE(message.find("CancelButton"), std::string::npos) << message;
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(Application->ComponentCount(), owned);
}

namespace {
std::vector<std::pair<HWND, UINT>> GActivationNotices;
LRESULT CALLBACK RecordActivationNotices(int code, WPARAM wParam, LPARAM lParam)
{
  const auto& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && (cwp.message == CM_ACTIVATE || cwp.message == CM_DEACTIVATE))
    GActivationNotices.emplace_back(cwp.hwnd, cwp.message);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
struct TActivationLog : TObject {
  std::vector<std::string> Log;
  void Activate(TObject* s) { Log.push_back("activate " + static_cast<TComponent*>(s)->Name()); }
  void Deactivate(TObject* s) { Log.push_back("deactivate " + static_cast<TComponent*>(s)->Name()); }
};
}  // namespace

// A form hears of its activation through its window, so a thread's call-window-procedure hook
// sees the notices (and can hold one back) as it sees the activation messages themselves.
TEST(Forms, ActivationNoticesReachTheFormThroughItsWindow)
{
  TForm* first = NewForm();
  TFormGuard firstGuard{first};
  TForm* second = NewForm();
  TFormGuard secondGuard{second};
  auto log = MakeOwned<TActivationLog>();
  for (TForm* form : {first, second}) {
    form->SetName(form == first ? "First" : "Second");
    form->SetOnActivate(TNotifyEvent(log.get(), &TActivationLog::Activate));
    form->SetOnDeactivate(TNotifyEvent(log.get(), &TActivationLog::Deactivate));
    form->Show();
  }
  SetForegroundWindow(first->Handle());
  ASSERT_TRUE(PumpUntil([first] { return first->Active(); }));
  log->Log.clear();
  GActivationNotices.clear();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordActivationNotices, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  SetForegroundWindow(second->Handle());
  const bool switched = PumpUntil([second] { return second->Active(); });
  UnhookWindowsHookEx(hook);
  ASSERT_TRUE(switched);
  EXPECT_EQ(GActivationNotices, (std::vector<std::pair<HWND, UINT>>{{first->Handle(), CM_DEACTIVATE},
                                                                    {second->Handle(), CM_ACTIVATE}}));
  EXPECT_EQ(log->Log, (std::vector<std::string>{"deactivate First", "activate Second"}));
}

// What the writer writes of a stored form reads back to the same tree and the same text.
TEST(StoredFormRoundTrip, SearchForm)
{
  RegisterFixtureClasses();
  TCustomForm* search = New<TSearchTestForm>(Application);
  TFormGuard searchGuard{search};
  // The tree only: the test panel's ParentColor = True is its base class's default, so it is not
  // written, and the panel (whose own default is False) reads back without it.
  ExpectFormRoundTrip(search, ResourceText("TSEARCHTESTFORM"), TRoundTrip::Tree);
}

TEST(Forms, AScaledFormStoredAtAnotherResolutionScalesItsControlsOnceOnReading)
{
  const int screen = Screen->PixelsPerInch();
  const int stored = screen * 5 / 4;
  struct Case {
    bool Scaled;
    int StoredPpi;
    int ExpectedLeft;
  };
  const Case cases[] = {
    {true, stored, MulDiv(100, screen, stored)},
    {false, stored, 100},
    {true, screen, 100},
  };
  for (const Case& c : cases) {
    const std::string text = "object ScaledForm: TForm\n  Scaled = " + std::string(c.Scaled ? "True" : "False") +
                             "\n  PixelsPerInch = " + std::to_string(c.StoredPpi) +
                             "\n  object Box: TEdit\n    Left = 100\n    Top = 40\n    Width = 200\n    Height = 24\n  end\nend\n";
    TOwned<TForm> form(New<TForm>(nullptr, CreateNew));
    ReadComponentFromText(text, form.get());
    auto* box = dynamic_cast<TControl*>(form->FindComponent("Box"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Left(), c.ExpectedLeft) << text;
    EXPECT_EQ(box->Width(), c.Scaled && c.StoredPpi != screen ? MulDiv(300, screen, stored) - c.ExpectedLeft : 200);
    EXPECT_EQ(form->PixelsPerInch(), c.Scaled ? screen : c.StoredPpi);
  }
}
