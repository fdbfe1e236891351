#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxContainerPopupWindow.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxControlsHelpers.h"

using namespace controls_test;

namespace {

// A control that counts the left-button presses that reach it.
class TClickTarget : public TCustomControl {
  CL_CLASS(TClickTarget, TCustomControl)
public:
  explicit TClickTarget(TComponent* owner) : TCustomControl(owner) {}
  int Presses = 0;
  void DropWindow() { DestroyHandle(); }
  void WndProc(TMessage& msg) override
  {
    if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK) ++Presses;
    TCustomControl::WndProc(msg);
  }
};

// A popup that records its closing and the system keys that reach it.
class TTestPopup : public TcxCustomPopupWindow {
  CL_CLASS(TTestPopup, TcxCustomPopupWindow)
public:
  explicit TTestPopup(TWinControl* owner) : TcxCustomPopupWindow(owner)
  {
    auto* panel = New<TPanel>(this);
    panel->SetParent(this);
    panel->SetBounds(0, 0, 80, 50);
    Panel = panel;
  }
  TPanel* Panel;
  std::vector<WPARAM> SysKeys;
  std::vector<std::string>* Log = nullptr;
  bool ClaimOwnerClick = false;
  int OwnerClicks = 0;
  std::function<void(TTestPopup*)> OnShowedAction;
  void WndProc(TMessage& msg) override
  {
    if (msg.Msg == WM_SYSKEYDOWN) SysKeys.push_back(msg.WParam);
    TcxCustomPopupWindow::WndProc(msg);
  }
  bool HandleOwnerClick(HWND, UINT, POINT, TShiftState) override
  {
    ++OwnerClicks;
    return ClaimOwnerClick;
  }

protected:
  void DoShowed() override
  {
    TcxCustomPopupWindow::DoShowed();
    if (OnShowedAction) OnShowedAction(this);
  }
  void DoClosed() override
  {
    if (Log) Log->push_back("closed " + Name());
    TcxCustomPopupWindow::DoClosed();
  }
};

CL_DEFINE_CLASS(TClickTarget);
CL_DEFINE_CLASS(TTestPopup);

POINT Center(TWinControl* control)
{
  return control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
}

void ClickAt(POINT p)
{
  // The cursor is put there first: a late report of an earlier position could move the press.
  ASSERT_TRUE(MoveCursorTo(p));
  INPUT input[3]{};
  for (INPUT& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  ASSERT_EQ(SendInput(3, input, sizeof(INPUT)), 3u);
}

// Clicks the middle of a control of a popup once the display shows it there: a click that comes
// before would land on what lay under the popup.
void ClickOnShown(TWinControl* control)
{
  ASSERT_TRUE(PumpUntil([control] { return WindowFromPoint(Center(control)) == control->Handle(); }));
  ClickAt(Center(control));
}

void PressKey(WORD key)
{
  INPUT input[2]{};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
}

bool Listed(TcxCustomPopupWindow* popup)
{
  for (TcxCustomPopupWindow* p : VisiblePopups())
    if (p == popup) return true;
  return false;
}

// A shown, active form with an owner control at its top-left and another control further down.
class cxCustomPopupWindowTest : public testing::Test {
protected:
  void SetUp() override
  {
    FForm = NewForm(320, 220);
    FForm->SetBounds(60, 60, FForm->Width(), FForm->Height());
    FOwner = New<TClickTarget>(FForm);
    FOwner->SetParent(FForm);
    FOwner->SetBounds(10, 10, 100, 24);
    FOther = New<TClickTarget>(FForm);
    FOther->SetParent(FForm);
    FOther->SetBounds(150, 150, 100, 40);
    FForm->Show();
    SetForegroundWindow(FForm->Handle());
    PumpUntil([this] { return GetActiveWindow() == FForm->Handle(); });
  }
  void TearDown() override
  {
    Free(FForm);
    HandleWaitingMessages();
    EXPECT_TRUE(VisiblePopups().empty());
  }
  TTestPopup* NewPopup(TWinControl* owner, const char* name, bool focusCapture, bool modal = false)
  {
    auto* popup = New<TTestPopup>(owner);
    popup->SetName(name);
    popup->SetFocusCapture(focusCapture);
    popup->SetModalMode(modal);
    popup->SetOwnerRect(RECT{owner->Left(), owner->Top(), owner->Left() + owner->Width(), owner->Top() + owner->Height()});
    popup->Log = &FLog;
    return popup;
  }

  TForm* FForm = nullptr;
  TClickTarget* FOwner = nullptr;
  TClickTarget* FOther = nullptr;
  std::vector<std::string> FLog;
};

}  // namespace

TEST_F(cxCustomPopupWindowTest, OpensBelowItsOwnerListedAndFromItsOwnStyle)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  ASSERT_NE(popup->Style(), nullptr);
  EXPECT_EQ(popup->Style()->ClassType(), TcxContainerStyle::StaticClass());
  popup->Popup(nullptr);
  ASSERT_TRUE(Listed(popup));
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_TRUE(IsPopupVisible(popup->Handle()));
  const RECT r = ReadWindowRect(popup->Handle());
  const POINT ownerBottomLeft = FOwner->ClientToScreen(POINT{0, FOwner->Height()});
  EXPECT_EQ(r.left, ownerBottomLeft.x);
  EXPECT_EQ(r.top, ownerBottomLeft.y);
  // Without focus capture: a tool window above the top-most ones that left the form active.
  EXPECT_TRUE(GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetActiveWindow(), FForm->Handle());
  popup->CloseUp();
  EXPECT_FALSE(Listed(popup));
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(FLog, std::vector<std::string>{"closed P"});
  popup->CloseUp();  // closing a closed popup does nothing
  EXPECT_EQ(FLog.size(), 1u);
}

TEST_F(cxCustomPopupWindowTest, PopupOfAnInvisibleOwnerDoesNothing)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  FOwner->Hide();
  popup->Popup(nullptr);
  EXPECT_FALSE(Listed(popup));
  EXPECT_FALSE(popup->Visible());
}

TEST_F(cxCustomPopupWindowTest, AnOutsideClickClosesThePopupAndStillReachesItsTarget)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  ClickAt(Center(FOther));
  ASSERT_TRUE(PumpUntil([this] { return FOther->Presses > 0; }));
  EXPECT_FALSE(Listed(popup));
  EXPECT_EQ(FOther->Presses, 1);
  EXPECT_EQ(popup->OwnerClicks, 1);  // asked whether it claims the click, and it did not
}

TEST_F(cxCustomPopupWindowTest, AClickInsideThePopupClosesNothing)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  ClickOnShown(popup->Panel);
  ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }));
  HandleWaitingMessages();
  EXPECT_TRUE(Listed(popup));
}

TEST_F(cxCustomPopupWindowTest, AClickOnTheOwnerClosesThePopupReachesTheOwnerAndCanBeClaimed)
{
  struct TCase {
    bool Claim;
    bool JustClosed;
  };
  for (TCase c : {TCase{false, false}, TCase{true, true}}) {
    SCOPED_TRACE(c.Claim);
    TTestPopup* popup = NewPopup(FOwner, c.Claim ? "Claimed" : "Left", false);
    popup->ClaimOwnerClick = c.Claim;
    popup->Popup(nullptr);
    const int before = FOwner->Presses;
    ClickAt(Center(FOwner));
    ASSERT_TRUE(PumpUntil([&] { return FOwner->Presses > before; }))
        << "listed " << Listed(popup) << " asked " << popup->OwnerClicks << " just " << popup->JustClosedByOwnerClick()
        << " bounds " << popup->GetOwnerScreenBounds().left << "," << popup->GetOwnerScreenBounds().top << " center "
        << Center(FOwner).x << "," << Center(FOwner).y;
    EXPECT_FALSE(Listed(popup));
    EXPECT_EQ(popup->JustClosedByOwnerClick(), c.JustClosed);
    Free(popup);
  }
}

TEST_F(cxCustomPopupWindowTest, HidingTheOwnerClosesItsPopupAndTheOnesOpenedAfterItLastFirst)
{
  TTestPopup* first = NewPopup(FOwner, "First", false);
  first->Popup(nullptr);
  TTestPopup* second = NewPopup(first->Panel, "Second", false);
  second->Popup(nullptr);
  ASSERT_EQ(VisiblePopups().size(), 2u);
  FOwner->Hide();
  EXPECT_TRUE(VisiblePopups().empty());
  EXPECT_EQ(FLog, (std::vector<std::string>{"closed Second", "closed First"}));
}

TEST_F(cxCustomPopupWindowTest, AnOutsideClickClosesStackedPopupsAndAClickInTheInnerOneOnlyTheOnesAfterIt)
{
  TTestPopup* first = NewPopup(FOwner, "First", false);
  first->Popup(nullptr);
  TTestPopup* second = NewPopup(first->Panel, "Second", false);
  second->Popup(nullptr);
  // A click in the first popup is a click in the owner form of the second.
  ClickOnShown(first->Panel);
  ASSERT_TRUE(PumpUntil([second] { return !Listed(second); }));
  EXPECT_TRUE(Listed(first));
  second->Popup(nullptr);
  ClickAt(Center(FOther));
  ASSERT_TRUE(PumpUntil([this] { return FOther->Presses > 0; }));
  EXPECT_TRUE(VisiblePopups().empty());
  EXPECT_EQ(FLog, (std::vector<std::string>{"closed Second", "closed Second", "closed First"}));
}

TEST_F(cxCustomPopupWindowTest, TheOwnersDestructionTakesThePopupOffTheScreen)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  TWeakRef<TTestPopup> alive(popup);
  Free(FOwner);
  EXPECT_EQ(alive.Get(), nullptr);
  EXPECT_TRUE(VisiblePopups().empty());
}

TEST_F(cxCustomPopupWindowTest, TheOwnersWindowDestroyedClosesThePopup)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  FOwner->DropWindow();
  EXPECT_FALSE(Listed(popup));
}

TEST_F(cxCustomPopupWindowTest, ApplicationDeactivationClosesPopupsButAnActiveFocusedOne)
{
  TTestPopup* plain = NewPopup(FOwner, "Plain", false);
  plain->Popup(nullptr);
  // The system's notice that another application became active.
  SendMessageA(FForm->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(Listed(plain));

  TTestPopup* focused = NewPopup(FOwner, "Focused", true);
  focused->Popup(nullptr);
  ASSERT_TRUE(PumpUntil([focused] { return focused->Active(); }));
  SendMessageA(focused->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(Listed(focused));
  focused->CloseUp();
}

TEST_F(cxCustomPopupWindowTest, ApplicationDeactivationTellsAContainerOwnerThatTheFocusChanged)
{
  auto* container = New<TcxContainer>(FForm);
  container->SetParent(FForm);
  container->SetBounds(10, 60, 100, 24);
  std::vector<std::string> events;
  struct TRecorder : TObject {
    std::vector<std::string>* Events;
    void FocusChanged(TObject*) { Events->push_back("focus changed"); }
  };
  TOwned<TRecorder> recorder = MakeOwned<TRecorder>();
  recorder->Events = &events;
  container->SetOnFocusChanged(TNotifyEvent(recorder.get(), &TRecorder::FocusChanged));
  TTestPopup* ofContainer = NewPopup(container, "OfContainer", false);
  ofContainer->Log = &events;
  TTestPopup* ofPlainControl = NewPopup(FOwner, "OfPlainControl", false);
  ofPlainControl->Log = &events;
  ofContainer->Popup(nullptr);
  ofPlainControl->Popup(nullptr);
  ASSERT_EQ(VisiblePopups().size(), 2u);
  SendMessageA(FForm->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(VisiblePopups().empty());
  // Told once, after its own popup closed; the plain owner's popup tells no container.
  EXPECT_EQ(events, (std::vector<std::string>{"closed OfContainer", "focus changed", "closed OfPlainControl"}));
}

// --- Which popups a closing cause leaves open ---

namespace {

enum class TPopupKind { Tool, Focused, FocusedModal };
enum class TClosingCause {
  OwnerFormClick,          // a click on the innermost popup's owner form, outside every popup
  OtherFormClick,          // a click on another form of the application
  OtherFormActivated,      // another form of the application activated without a click
  ApplicationDeactivated,  // a window of another thread becomes the active one
  OwnerHidden,             // the innermost popup's owner control hidden
};

const char* KindName(TPopupKind kind)
{
  switch (kind) {
    case TPopupKind::Tool: return "tool window";
    case TPopupKind::Focused: return "focused";
    case TPopupKind::FocusedModal: return "focused modal";
  }
  return "";
}

const char* CauseName(TClosingCause cause)
{
  switch (cause) {
    case TClosingCause::OwnerFormClick: return "owner-form click";
    case TClosingCause::OtherFormClick: return "other-form click";
    case TClosingCause::OtherFormActivated: return "other form activated";
    case TClosingCause::ApplicationDeactivated: return "application deactivated";
    case TClosingCause::OwnerHidden: return "owner hidden";
  }
  return "";
}

// A top-level window of its own thread: activating it deactivates this thread's application.
class TForeignWindow {
public:
  TForeignWindow()
  {
    FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FThread = CreateThread(nullptr, 0, &Run, this, 0, &FThreadId);
    WaitForSingleObject(FReady, 10000);
  }
  ~TForeignWindow()
  {
    PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(FThread, 10000);
    CloseHandle(FThread);
    CloseHandle(FReady);
  }
  TForeignWindow(const TForeignWindow&) = delete;
  TForeignWindow& operator=(const TForeignWindow&) = delete;
  HWND Handle() const { return FWnd; }

private:
  static DWORD WINAPI Run(void* param)
  {
    auto* self = static_cast<TForeignWindow*>(param);
    self->FWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 900, 700, 60, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists before the test goes on
    SetEvent(self->FReady);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(self->FWnd);
    return 0;
  }
  HANDLE FReady = nullptr;
  HANDLE FThread = nullptr;
  DWORD FThreadId = 0;
  HWND FWnd = nullptr;
};

// Runs an action once a condition holds, from whichever message loop is running then (a modal
// popup's own loop included).
struct TCheckpoint : TObject {
  std::function<bool()> Ready;
  std::function<void()> Action;
  bool Done = false;
  TTimer* Timer = nullptr;
  void Tick(TObject*)
  {
    if (Done || !Ready()) return;
    Done = true;
    Timer->SetEnabled(false);
    Action();
  }
};

}  // namespace

// The closing rules for each kind of popup, alone and opened from a control of another popup of
// the same kind: what each cause leaves listed and what it leaves on the screen.
TEST_F(cxCustomPopupWindowTest, EachClosingCauseLeavesTheRightPopupsOpenAndShown)
{
  using K = TPopupKind;
  using C = TClosingCause;
  using V = std::vector<std::string>;
  struct TCase {
    TPopupKind Kind;
    bool Stacked;
    TClosingCause Cause;
    V Open;
  };
  std::vector<TCase> cases;
  for (K kind : {K::Tool, K::Focused, K::FocusedModal}) {
    const bool tool = kind == K::Tool;
    // A tool window never takes the activation: only clicks and the owner close it, and another
    // form's activation leaves it to its owner (an editor closes it when it loses the focus).
    cases.push_back({kind, false, C::OwnerFormClick, {}});
    cases.push_back({kind, true, C::OwnerFormClick, {"Outer"}});
    cases.push_back({kind, false, C::OtherFormClick, tool ? V{"Outer"} : V{}});
    cases.push_back({kind, true, C::OtherFormClick, tool ? V{"Outer", "Inner"} : V{}});
    cases.push_back({kind, false, C::OtherFormActivated, tool ? V{"Outer"} : V{}});
    cases.push_back({kind, true, C::OtherFormActivated, tool ? V{"Outer", "Inner"} : V{}});
    cases.push_back({kind, false, C::ApplicationDeactivated, {}});
    cases.push_back({kind, true, C::ApplicationDeactivated, {}});
    cases.push_back({kind, false, C::OwnerHidden, {}});
    cases.push_back({kind, true, C::OwnerHidden, {"Outer"}});
  }

  TForm* second = NewForm(160, 100);
  TFormGuard secondGuard{second};
  second->SetBounds(500, 400, second->Width(), second->Height());
  auto* secondTarget = New<TClickTarget>(second);
  secondTarget->SetParent(second);
  secondTarget->SetBounds(10, 10, 100, 40);
  TForeignWindow foreign;

  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(KindName(c.Kind)) + (c.Stacked ? ", stacked, " : ", alone, ") + CauseName(c.Cause));
    const bool focused = c.Kind != K::Tool, modal = c.Kind == K::FocusedModal;
    FOwner->Show();
    second->Hide();
    SetForegroundWindow(FForm->Handle());
    ASSERT_TRUE(PumpUntil([this] { return GetActiveWindow() == FForm->Handle(); }));
    FLog.clear();

    TTestPopup* outer = NewPopup(FOwner, "Outer", focused, modal);
    auto* spot = New<TClickTarget>(outer);  // beside the panel, never under the inner popup
    spot->SetParent(outer);
    spot->SetBounds(90, 0, 40, 20);
    TTestPopup* inner = c.Stacked ? NewPopup(outer->Panel, "Inner", focused, modal) : nullptr;
    TTestPopup* innermost = inner ? inner : outer;
    TWinControl* innermostOwner = inner ? static_cast<TWinControl*>(outer->Panel) : FOwner;

    TOwned<TCheckpoint> checkpoint = MakeOwned<TCheckpoint>();
    V open, shown;
    checkpoint->Timer = New<TTimer>(FForm);
    checkpoint->Timer->SetEnabled(false);
    checkpoint->Timer->SetInterval(20);
    checkpoint->Timer->SetOnTimer(TNotifyEvent(checkpoint.get(), &TCheckpoint::Tick));
    checkpoint->Action = [&] {
      HandleWaitingMessages();
      for (TTestPopup* p : {outer, inner}) {
        if (!p) continue;
        if (Listed(p)) open.push_back(p->Name());
        if (p->HandleAllocated() && IsWindowVisible(p->Handle())) shown.push_back(p->Name());
      }
      // Every modal loop ends.
      for (TTestPopup* p : {inner, outer})
        if (p && Listed(p)) p->CloseUp();
    };
    int presses = 0;
    TClickTarget* clicked = nullptr;
    switch (c.Cause) {
      case C::OwnerFormClick: clicked = inner ? spot : FOther; break;
      case C::OtherFormClick: clicked = secondTarget; break;
      default: break;
    }
    if (clicked) presses = clicked->Presses;
    if (c.Cause == C::OtherFormClick || c.Cause == C::OtherFormActivated) {
      ShowWindow(second->Handle(), SW_SHOWNOACTIVATE);
      second->SetVisible(true);
    }

    // Applied once the innermost popup shows, from inside its modal loop when it has one.
    innermost->OnShowedAction = [&](TTestPopup*) {
      switch (c.Cause) {
        case C::OwnerFormClick:
        case C::OtherFormClick:
          ClickOnShown(clicked);
          checkpoint->Ready = [&] { return clicked->Presses > presses; };
          break;
        case C::OtherFormActivated:
          SetForegroundWindow(second->Handle());
          checkpoint->Ready = [&] { return GetActiveWindow() == second->Handle(); };
          break;
        case C::ApplicationDeactivated:
          SetForegroundWindow(foreign.Handle());
          checkpoint->Ready = [&] { return GetActiveWindow() == nullptr; };
          break;
        case C::OwnerHidden:
          innermostOwner->Hide();
          checkpoint->Ready = [] { return true; };
          break;
      }
      checkpoint->Timer->SetEnabled(true);
    };
    if (inner) outer->OnShowedAction = [inner](TTestPopup*) { inner->Popup(nullptr); };
    outer->Popup(nullptr);
    EXPECT_TRUE(PumpUntil([&] { return checkpoint->Done; }, 5000))
        << "active " << GetActiveWindow() << " clicked " << (clicked ? clicked->Handle() : nullptr) << " presses "
        << (clicked ? clicked->Presses - presses : 0) << " under the cursor " << [] {
             POINT p;
             GetCursorPos(&p);
             return WindowFromPoint(p);
           }();
    EXPECT_EQ(open, c.Open);
    EXPECT_EQ(shown, c.Open);
    Free(checkpoint->Timer);
    for (TTestPopup* p : {inner, outer})
      if (p && Listed(p)) p->CloseUp();
    Free(outer);
    HandleWaitingMessages();
  }
}

// A popup without children paints its whole client area in its own style's colour through its
// view info; the frame of the popup base lies over the outermost pixels.
TEST_F(cxCustomPopupWindowTest, PaintsItsBackgroundFromItsOwnStyleUnderTheFrame)
{
  constexpr TColor background = static_cast<TColor>(RGB(230, 210, 170));
  constexpr TColor frame = static_cast<TColor>(RGB(40, 90, 200));
  struct TCase {
    TcxPopupFrameStyle Frame;
    TColor Edge;  // the outermost pixel column and row
  };
  for (const TCase& k : {TCase{pfsNone, background}, TCase{pfsSingle, frame}}) {
    SCOPED_TRACE(static_cast<int>(k.Frame));
    TTestPopup* popup = NewPopup(FOwner, "Painted", false);
    Free(popup->Panel);
    popup->SetBounds(0, 0, 90, 60);
    popup->SetFrameStyle(k.Frame);
    popup->SetFrameLineColor(frame);
    popup->Style()->SetColor(background);
    popup->Popup(nullptr);
    ASSERT_TRUE(Listed(popup));
    RedrawWindow(popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HandleWaitingMessages();
    const RECT client = popup->ClientRect();
    EXPECT_TRUE(RectsEqual(popup->ViewInfo()->Bounds, client));
    EXPECT_EQ(popup->ViewInfo()->BackgroundColor, background);
    const int w = client.right, h = client.bottom;
    HWND wnd = popup->Handle();
    for (POINT p : {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, 0}, POINT{w / 2, h - 1}})
      EXPECT_EQ(WindowPixel(wnd, p.x, p.y), ColorToRGB(k.Edge)) << p.x << "," << p.y;
    for (POINT p : {POINT{1, h / 2}, POINT{w - 2, h / 2}, POINT{w / 2, 1}, POINT{w / 2, h - 2}, POINT{w / 2, h / 2}})
      EXPECT_EQ(WindowPixel(wnd, p.x, p.y), ColorToRGB(background)) << p.x << "," << p.y;

    // A border the view info was given for this size is painted, not painted over.
    constexpr TColor border = static_cast<TColor>(RGB(200, 30, 30));
    TcxContainerViewInfo* info = popup->ViewInfo();
    info->BorderRect = RECT{5, 5, w - 5, h - 5};
    info->BorderStyle = TcxContainerBorderStyle::cbsSingle;
    info->BorderWidth = 1;
    info->BorderColor = border;
    info->Edges = cxBordersAll;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HandleWaitingMessages();
    EXPECT_TRUE(RectsEqual(info->BorderRect, RECT{5, 5, w - 5, h - 5}));
    EXPECT_EQ(WindowPixel(wnd, 4, h / 2), ColorToRGB(border));
    EXPECT_EQ(WindowPixel(wnd, w / 2, h - 5), ColorToRGB(border));
    EXPECT_EQ(WindowPixel(wnd, w / 2, h / 2), ColorToRGB(background));
    // Resized, the popup lays its view info out for the new size again.
    popup->SetBounds(popup->Left(), popup->Top(), 100, 70);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HandleWaitingMessages();
    EXPECT_TRUE(RectsEqual(info->BorderRect, popup->ClientRect()));
    popup->CloseUp();
    Free(popup);
  }
}

TEST_F(cxCustomPopupWindowTest, TheModalLoopEndsWhenThePopupIsHidden)
{
  TTestPopup* popup = NewPopup(FOwner, "Modal", true, true);
  popup->OnShowedAction = [](TTestPopup* p) { p->PostCloseUp(); };
  popup->Popup(nullptr);  // returns once the posted close-up is handled
  EXPECT_FALSE(Listed(popup));
  EXPECT_EQ(FLog, std::vector<std::string>{"closed Modal"});
}

TEST_F(cxCustomPopupWindowTest, AQuitPostedDuringTheModalLoopEndsItAndStaysForTheApplication)
{
  TTestPopup* popup = NewPopup(FOwner, "Modal", true, true);
  popup->OnShowedAction = [](TTestPopup*) { PostQuitMessage(7); };
  popup->Popup(nullptr);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_FALSE(Application->Terminated());
  popup->CloseUp();
}

namespace {
// A popup shortcut that raises, and what reaches the application's exception handler.
struct TRaisingShortCut : TObject {
  std::vector<std::string> Handled;
  void ShortCut(TMessage& msg, bool&)
  {
    if (msg.WParam == 'K') throw EConvertError("the shortcut failed");
  }
  void OnException(TObject*, const Exception& e) { Handled.push_back(e.Message()); }
};
}  // namespace

TEST_F(cxCustomPopupWindowTest, AShortCutRaisingInTheModalLoopGoesToTheApplicationAndTheLoopGoesOn)
{
  TTestPopup* popup = NewPopup(FOwner, "Modal", true, true);
  auto keys = MakeOwned<TRaisingShortCut>();
  popup->SetOnShortCut(TShortCutEvent(keys.get(), &TRaisingShortCut::ShortCut));
  const TExceptionEvent previous = Application->OnException();
  Application->SetOnException(TExceptionEvent(keys.get(), &TRaisingShortCut::OnException));
  // The key reaches the popup's shortcuts before any window procedure; the close-up after it
  // is only handled when the loop went on.
  popup->OnShowedAction = [](TTestPopup* p) {
    PostMessageA(p->Panel->Handle(), WM_KEYDOWN, 'K', 0);
    p->PostCloseUp();
  };
  EXPECT_NO_THROW(popup->Popup(nullptr));
  Application->SetOnException(previous);
  EXPECT_EQ(keys->Handled, std::vector<std::string>{"the shortcut failed"});
  EXPECT_FALSE(Listed(popup));
  EXPECT_EQ(FLog, std::vector<std::string>{"closed Modal"});
  popup->CloseUp();
}

TEST_F(cxCustomPopupWindowTest, AltWithNavigationKeysReachesANonModalPopupAndOtherAltKeysAreDropped)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  for (WPARAM key : {WPARAM('Q'), WPARAM(VK_DOWN), WPARAM(VK_F4), WPARAM(VK_RETURN)})
    PostMessageA(popup->Handle(), WM_SYSKEYDOWN, key, 0x20000001);
  HandleWaitingMessages();
  EXPECT_EQ(popup->SysKeys, (std::vector<WPARAM>{VK_DOWN, VK_F4}));
  popup->CloseUp();
}

namespace {
// Records what reaches a form's OnShortCut, a menu item and an edit, and takes the keys it is told.
struct TKeyRecorder : TObject {
  WPARAM Takes = 0;
  std::vector<WPARAM> Seen;
  void ShortCut(TMessage& msg, bool& handled)
  {
    Seen.push_back(msg.WParam);
    handled = msg.WParam == Takes;
  }
  void Click(TObject*) { Seen.push_back(0); }
  // A popup that a taken key closes through its modal result.
  TcxCustomPopupWindow* CloseOnTaken = nullptr;
  void KeyDown(TObject*, WORD& key, TShiftState)
  {
    Seen.push_back(key);
    if (CloseOnTaken && key == Takes) CloseOnTaken->SetModalResult(mrCancel);
  }
  std::vector<bool> ClosingOnEnter;
  void Enter(TObject*) { ClosingOnEnter.push_back(IsPopupClosing()); }
};
}  // namespace

TEST_F(cxCustomPopupWindowTest, KeysInAPopupAreItsShortCutsFirstThenItsOwnerFormsThenTheControls)
{
  TOwned<TKeyRecorder> popupKeys = MakeOwned<TKeyRecorder>(), formKeys = MakeOwned<TKeyRecorder>(),
                       menuClicks = MakeOwned<TKeyRecorder>(), editKeys = MakeOwned<TKeyRecorder>();
  popupKeys->Takes = VK_F7;
  formKeys->Takes = VK_F8;
  auto* menu = New<TMainMenu>(FForm);
  auto* item = New<TMenuItem>(menu);
  item->SetCaption("Item");
  item->SetShortCut(VK_F9);
  item->SetOnClick(TNotifyEvent(menuClicks.get(), &TKeyRecorder::Click));
  menu->Items()->Add(item);
  FForm->SetMenu(menu);
  FForm->SetOnShortCut(TShortCutEvent(formKeys.get(), &TKeyRecorder::ShortCut));

  TTestPopup* popup = NewPopup(FOwner, "P", true);
  popup->SetOnShortCut(TShortCutEvent(popupKeys.get(), &TKeyRecorder::ShortCut));
  auto* edit = New<TEdit>(popup);
  edit->SetParent(popup);
  edit->SetBounds(0, 50, 80, 21);
  edit->SetOnKeyDown(TKeyEvent(editKeys.get(), &TKeyRecorder::KeyDown));
  popup->Popup(edit);
  ASSERT_TRUE(PumpUntil([edit] { return GetFocus() == edit->Handle(); }));

  struct TCase {
    WPARAM Key;
    std::vector<WPARAM> Popup, Form, Menu, Edit;
  };
  const TCase cases[] = {
    {VK_F7, {VK_F7}, {}, {}, {}},                  // the popup's own shortcut
    {VK_F8, {VK_F8}, {VK_F8}, {}, {}},             // the owner form's
    {VK_F9, {VK_F9}, {VK_F9}, {0}, {}},            // the owner form's menu
    {VK_F6, {VK_F6}, {VK_F6}, {}, {VK_F6}},        // nobody's: the focused control has it
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Key);
    for (TKeyRecorder* r : {popupKeys.get(), formKeys.get(), menuClicks.get(), editKeys.get()}) r->Seen.clear();
    PostMessageA(edit->Handle(), WM_KEYDOWN, c.Key, 1);
    HandleWaitingMessages();
    EXPECT_EQ(popupKeys->Seen, c.Popup);
    EXPECT_EQ(formKeys->Seen, c.Form);
    EXPECT_EQ(menuClicks->Seen, c.Menu);
    EXPECT_EQ(editKeys->Seen, c.Edit);
  }
  popup->CloseUp();
}

// Escape belongs to the popup's controls (a drop-down calendar uses it), except that it only
// ends a mouse capture the popup holds; a control that closes on Escape ends the modal loop
// through the modal result.
TEST_F(cxCustomPopupWindowTest, EscapeReachesTheFocusedControlUnlessThePopupHoldsTheCapture)
{
  for (bool modal : {false, true}) {
    SCOPED_TRACE(modal);
    TOwned<TKeyRecorder> keys = MakeOwned<TKeyRecorder>();
    TTestPopup* popup = NewPopup(FOwner, "P", true, modal);
    auto* edit = New<TEdit>(popup);
    edit->SetParent(popup);
    edit->SetBounds(0, 50, 80, 21);
    edit->SetOnKeyDown(TKeyEvent(keys.get(), &TKeyRecorder::KeyDown));
    popup->OnShowedAction = [&](TTestPopup* p) {
      ASSERT_TRUE(PumpUntil([edit] { return GetFocus() == edit->Handle(); }));
      SetCapture(p->Handle());
      PressKey(VK_ESCAPE);
      ASSERT_TRUE(PumpUntil([p] { return !p->HasMouseCapture(); }));
      HandleWaitingMessages();
      EXPECT_TRUE(keys->Seen.empty());
      // The control's turn: it takes the key, and closes a modal popup by its result.
      keys->Seen.clear();
      if (modal) keys->Takes = VK_ESCAPE;
      PressKey(VK_ESCAPE);
      if (!modal) ASSERT_TRUE(PumpUntil([&] { return !keys->Seen.empty(); }));
    };
    keys->CloseOnTaken = popup;
    popup->Popup(edit);
    EXPECT_EQ(keys->Seen, std::vector<WPARAM>{VK_ESCAPE});
    EXPECT_EQ(Listed(popup), !modal);
    if (!modal) EXPECT_TRUE(IsWindowVisible(popup->Handle()));
    popup->CloseUp();
    Free(popup);
  }
}

TEST_F(cxCustomPopupWindowTest, MovingTheFocusInsideAPopupCountsAsClosing)
{
  TOwned<TKeyRecorder> recorder = MakeOwned<TKeyRecorder>();
  TTestPopup* popup = NewPopup(FOwner, "P", true);
  TEdit* edits[2];
  for (int i = 0; i < 2; ++i) {
    edits[i] = New<TEdit>(popup);
    edits[i]->SetParent(popup);
    edits[i]->SetBounds(0, 50 + 22 * i, 80, 21);
  }
  popup->Popup(edits[0]);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edits[0]->Handle(); }));
  edits[1]->SetOnEnter(TNotifyEvent(recorder.get(), &TKeyRecorder::Enter));
  edits[1]->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(recorder->ClosingOnEnter, std::vector<bool>{true});
  EXPECT_FALSE(IsPopupClosing());
  EXPECT_TRUE(Listed(popup));
  popup->CloseUp();
}

// Closing a focused popup opened from another hands the activation back to the outer one; the
// activation notices that this causes are eaten, so neither popup treats them as the user's.
TEST_F(cxCustomPopupWindowTest, ActivationNoticesCausedByClosingAreEaten)
{
  struct TActivations : TObject {
    int Count = 0;
    void Activate(TObject*) { ++Count; }
  };
  TOwned<TActivations> activations = MakeOwned<TActivations>();
  TTestPopup* outer = NewPopup(FOwner, "Outer", true);
  outer->Popup(nullptr);
  ASSERT_TRUE(PumpUntil([outer] { return outer->Active(); }));
  TTestPopup* inner = NewPopup(outer->Panel, "Inner", true);
  inner->Popup(nullptr);
  ASSERT_TRUE(PumpUntil([inner] { return inner->Active(); }));
  outer->SetOnActivate(TNotifyEvent(activations.get(), &TActivations::Activate));
  inner->SetCloseUpByDeactivation(true);
  inner->CloseUp();
  ASSERT_TRUE(PumpUntil([outer] { return outer->Active(); }));
  HandleWaitingMessages();
  EXPECT_EQ(activations->Count, 0);
  EXPECT_TRUE(inner->CloseUpByDeactivation());  // its deactivation never ran
  EXPECT_TRUE(Listed(outer));
  EXPECT_EQ(PendingSwallowCount(), 0);
  // Activations the user makes are not eaten.
  FForm->SetFocus();
  ASSERT_TRUE(PumpUntil([this] { return FForm->Active(); }));
  EXPECT_FALSE(Listed(outer));
  outer->Popup(nullptr);
  ASSERT_TRUE(PumpUntil([outer] { return outer->Active(); }));
  EXPECT_EQ(activations->Count, 1);
  outer->CloseUp();
}

// Changing the kind of window of a shown popup gives it a new window and shows it again there;
// the old window's destruction is not the popup's own, so QuitOnDestroy ends nothing.
TEST_F(cxCustomPopupWindowTest, ChangingTheWindowKindOfAShownPopupShowsItAgain)
{
  for (bool focusCapture : {true, false}) {
    SCOPED_TRACE(focusCapture ? "focus capture switched on" : "top-most mode switched on");
    TTestPopup* popup = NewPopup(FOwner, "P", !focusCapture);
    popup->SetQuitOnDestroy(true);
    popup->Popup(nullptr);
    ASSERT_TRUE(Listed(popup));
    const HWND before = popup->Handle();
    if (focusCapture)
      popup->SetFocusCapture(true);
    else
      popup->SetTopMostMode(true);
    EXPECT_FALSE(Application->Terminated());
    ASSERT_TRUE(Listed(popup));
    ASSERT_TRUE(popup->HandleAllocated());
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(IsWindowVisible(popup->Handle()));
    // A focus-capturing popup is a pop-up window owned by its owner's form.
    EXPECT_TRUE(GetWindowLongPtrA(popup->Handle(), GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetWindow(popup->Handle(), GW_OWNER), FForm->Handle());
    EXPECT_EQ(FLog, std::vector<std::string>{"closed P"});
    popup->CloseUp();
    Free(popup);
    FLog.clear();
  }
}

TEST_F(cxCustomPopupWindowTest, WindowOwnershipFollowsControlsAndThePopupsTheyOwn)
{
  TTestPopup* popup = NewPopup(FOwner, "P", false);
  popup->Popup(nullptr);
  const HWND panel = popup->Panel->Handle();
  EXPECT_TRUE(IsControlWindow(popup, panel));
  EXPECT_FALSE(IsOwnControlWindow(popup, panel));
  EXPECT_FALSE(IsOwnedWindow(popup, popup->Handle()));
  EXPECT_TRUE(IsOwnedWindow(FOwner, popup->Handle()));  // a popup the owner control owns
  EXPECT_TRUE(IsOwnedWindow(FOwner, panel));
  EXPECT_TRUE(IsControlWindow(FForm, panel));  // through the owner, a child of the form
  EXPECT_FALSE(IsOwnedWindow(FOther, panel));
  EXPECT_TRUE(IsInOwnerFormTree(FOther, FOwner->Handle()));
  EXPECT_TRUE(IsInOwnerFormTree(FOther, panel));
  EXPECT_FALSE(IsInOwnerFormTree(nullptr, panel));
  popup->CloseUp();
  EXPECT_FALSE(IsOwnedWindow(FOwner, popup->Handle()));  // a hidden popup is nobody's
}

TEST(cxVisiblePopups, AddingOrRemovingTheWrongPopupIsAProgrammingError)
{
  EXPECT_THROW(AddVisiblePopup(nullptr), EInvalidOperation);
  EXPECT_THROW(RemoveVisiblePopup(nullptr), EInvalidOperation);
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* popup = New<TcxCustomPopupWindow>(form);
  AddVisiblePopup(popup);
  EXPECT_THROW(AddVisiblePopup(popup), EInvalidOperation);
  RemoveVisiblePopup(popup);
  EXPECT_NE(MessageOf<EInvalidOperation>([popup] { RemoveVisiblePopup(popup); }).find("cxContainer"), std::string::npos);
}

// --- Swallowing one delivery ---

namespace {

int GDelivered = 0;
LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg >= WM_APP) {
    ++GDelivered;
    return 42;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND NewCountingWindow()
{
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "SwallowTarget";
  RegisterClassA(&windowClass);
  GDelivered = 0;
  return CreateWindowExA(0, "SwallowTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                         nullptr);
}

void SwallowAppMessage(int code, WPARAM, LPARAM lParam, LRESULT&)
{
  const auto& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && cwp.message == WM_APP + 1) SwallowNextMessage(cwp.hwnd, cwp.message);
}

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)); }

}  // namespace

TEST(cxSwallowNextMessage, FromAHookTheOneDeliveryIsEatenAndTheProcedureIsBack)
{
  const HWND wnd = NewCountingWindow();
  RegisterHookProc(TdxHookKind::hkCallWndProc, SwallowAppMessage);
  const LRESULT answer = SendMessageA(wnd, WM_APP + 1, 0, 0);
  UnregisterHookProc(SwallowAppMessage);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(GDelivered, 0);
  EXPECT_EQ(ProcOf(wnd), CountingProc);
  EXPECT_EQ(PendingSwallowCount(), 0);
  EXPECT_EQ(SendMessageA(wnd, WM_APP + 1, 0, 0), 42);
  DestroyWindow(wnd);
}

TEST(cxSwallowNextMessage, EveryOtherRoadPutsTheProcedureBackAndEatsNothingElse)
{
  // Another message sent first; another message posted first; the window destroyed.
  const HWND wnd = NewCountingWindow();
  SwallowNextMessage(wnd, WM_APP + 1);
  EXPECT_EQ(SendMessageA(wnd, WM_APP + 2, 0, 0), 42);
  EXPECT_EQ(ProcOf(wnd), CountingProc);
  EXPECT_EQ(PendingSwallowCount(), 0);

  SwallowNextMessage(wnd, WM_APP + 1);
  PostMessageA(wnd, WM_APP + 3, 0, 0);
  HandleWaitingMessages();
  EXPECT_EQ(GDelivered, 2);
  EXPECT_EQ(ProcOf(wnd), CountingProc);
  EXPECT_EQ(PendingSwallowCount(), 0);

  SwallowNextMessage(wnd, WM_APP + 1);
  DestroyWindow(wnd);
  EXPECT_EQ(PendingSwallowCount(), 0);
}

// --- Helpers ---

TEST(cxContainerHelpers, RemovePendingMessagesTakesTheFirstOrAllAndPutsAQuitBack)
{
  const HWND wnd = NewCountingWindow();
  for (int i = 0; i < 3; ++i) PostMessageA(wnd, WM_APP + 5, i, 0);
  PostMessageA(wnd, WM_APP + 6, 0, 0);
  EXPECT_TRUE(RemovePendingMessages(wnd, WM_APP + 5));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, wnd, WM_APP + 5, WM_APP + 5, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_TRUE(RemovePendingMessages(wnd, WM_APP + 5, WM_APP + 6, true));
  EXPECT_FALSE(PeekMessageA(&msg, wnd, WM_APP, WM_APP + 10, PM_NOREMOVE));
  EXPECT_FALSE(RemovePendingMessages(wnd, WM_APP + 5));

  PostQuitMessage(3);
  EXPECT_FALSE(RemovePendingMessages(nullptr, WM_QUIT, WM_QUIT, true));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  DestroyWindow(wnd);
}

TEST(cxContainerHelpers, NestedDisablingDisablesOnceAndTheLastEnableRestoresOnlyWhatItDisabled)
{
  const HWND enabled = NewCountingWindow();
  const HWND disabled = NewCountingWindow();
  EnableWindow(disabled, FALSE);
  EnableProcessWindows();  // without a disabling: nothing
  DisableProcessWindows();
  EXPECT_FALSE(IsWindowEnabled(enabled));
  EnableWindow(enabled, TRUE);
  DisableProcessWindows();  // nested: disables nothing again
  EXPECT_TRUE(IsWindowEnabled(enabled));
  EnableWindow(enabled, FALSE);
  EnableProcessWindows();
  EXPECT_FALSE(IsWindowEnabled(enabled));
  EnableProcessWindows();
  EXPECT_TRUE(IsWindowEnabled(enabled));
  EXPECT_FALSE(IsWindowEnabled(disabled));
  EXPECT_FALSE(IsDisablingProcessWindows());
  DestroyWindow(enabled);
  DestroyWindow(disabled);
}

TEST(cxContainerHelpers, TwoCallersDisableAndReenableTheirOwnWindows)
{
  const HWND a = NewCountingWindow(), b = NewCountingWindow(), c = NewCountingWindow();
  EnableWindow(c, FALSE);
  TcxWindowList first, second;
  DisableAndRememberWindow(a, first);
  DisableAndRememberWindow(c, first);   // disabled already: not remembered
  DisableAndRememberWindow(a, second);  // the first caller has it: not the second's
  DisableAndRememberWindow(b, second);
  EXPECT_EQ(first, TcxWindowList{a});
  EXPECT_EQ(second, TcxWindowList{b});
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_FALSE(IsWindowEnabled(b));
  // The process-wide disabling keeps a list of its own and leaves these alone.
  DisableProcessWindows();
  EnableProcessWindows();
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_FALSE(IsWindowEnabled(b));
  ReenableWindows(second);
  EXPECT_TRUE(second.empty());
  EXPECT_TRUE(IsWindowEnabled(b));
  EXPECT_FALSE(IsWindowEnabled(a));
  // A window gone meanwhile is skipped.
  DestroyWindow(a);
  ReenableWindows(first);
  EXPECT_TRUE(first.empty());
  EXPECT_FALSE(IsWindowEnabled(c));
  DestroyWindow(b);
  DestroyWindow(c);
}

TEST(cxContainerHelpers, NonChildAncestorAndActiveForms)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  auto* inner = New<TPanel>(form);
  inner->SetParent(panel);
  EXPECT_EQ(FindNonChildAncestorWindow(inner->Handle()), form->Handle());
  EXPECT_EQ(FindNonChildAncestorWindow(nullptr), nullptr);
  EXPECT_FALSE(IsFormActive(nullptr));
  form->Show();
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([form] { return GetActiveWindow() == form->Handle(); }));
  EXPECT_TRUE(IsFormActive(form));
  TForm* other = NewForm();
  TFormGuard otherGuard{other};
  EXPECT_FALSE(IsFormActive(other));
}
