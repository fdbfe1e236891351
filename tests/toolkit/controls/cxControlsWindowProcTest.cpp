// Window-procedure chains on controls and raw windows: order of the calls, removal from anywhere
// (also from inside a running message), exact restoration of the window's own procedure, and a
// raw window subclassed again by another party after the chain.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsWindowProc.h"
#include "classlib/WindowSubclass.h"

using namespace controls_test;

namespace {
constexpr UINT MsgProbe = WM_APP + 7;

std::vector<std::string> GCalls;

// A raw window of the thread, of a class whose procedure records what reaches it.
LRESULT CALLBACK RawWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == MsgProbe) {
    GCalls.push_back("own");
    return 100;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND NewRawWindow()
{
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = RawWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "cxWindowProcTestRaw";
    return RegisterClassA(&cls);
  }();
  EXPECT_NE(registered, 0);
  return CreateWindowExA(0, "cxWindowProcTestRaw", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

WNDPROC CurrentProc(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)); }

// A procedure that records its name and passes everything on, or consumes the probe.
struct TProc {
  const char* Name;
  TcxWindowProcLinkedObject* Link = nullptr;
  bool Consume = false;
  void operator()(TMessage& msg) const
  {
    if (msg.Msg == MsgProbe) GCalls.push_back(Name);
    if (msg.Msg == MsgProbe && Consume) {
      msg.Result = 1;
      return;
    }
    CallPreviousWindowProc(Link, msg);
  }
};

// Adds proc to the control's (or handle's) chain; the procedure calls on through its own link.
TcxWindowProcLinkedObject* AddProc(TProc& proc, TControl* control, HWND handle = nullptr)
{
  TcxWindowProcController* controller = GetWindowProcController();
  TWndMethod method = [&proc](TMessage& msg) { proc(msg); };
  proc.Link = control ? controller->AddControlWindowProc(control, method)
                      : controller->AddHandleWindowProc(handle, method);
  return proc.Link;
}

void Remove(TProc& proc) { GetWindowProcController()->RemoveWindowProc(proc.Link); }

// A control whose own procedure answers the probe and records it.
class TOwnProcControl : public TRecordingControl {
  CL_CLASS(TOwnProcControl, TRecordingControl)
public:
  using TRecordingControl::TRecordingControl;
  void WndProc(TMessage& msg) override
  {
    if (msg.Msg == MsgProbe) {
      GCalls.push_back("own");
      msg.Result = 100;
      return;
    }
    TRecordingControl::WndProc(msg);
  }
};
CL_DEFINE_CLASS(TOwnProcControl);

// A window procedure of the control set before any chain: the restored one must be this one.
struct TMarkedProc {
  int Mark;
  TControl* Control;
  void operator()(TMessage& msg) const
  {
    if (msg.Msg == MsgProbe) GCalls.push_back("marked" + std::to_string(Mark));
    Control->WndProc(msg);
  }
};

class WindowProcChains : public testing::Test {
protected:
  void SetUp() override
  {
    GCalls.clear();
    FInstancesBefore = TWindowSubclass::LiveCount();
    FChainsBefore = GetWindowProcController()->ChainCount();
  }
  void TearDown() override
  {
    EXPECT_EQ(GetWindowProcController()->ChainCount(), FChainsBefore);
    EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore);
  }
  int FInstancesBefore = 0;
  int FChainsBefore = 0;
};
}  // namespace

TEST_F(WindowProcChains, ControlChainCallsNewestFirstAndRemovesFromTheMiddle)
{
  auto* control = New<TOwnProcControl>(nullptr);
  TProc a{"a"}, b{"b"}, c{"c"};
  AddProc(a, control);
  AddProc(b, control);
  AddProc(c, control);
  EXPECT_EQ(control->Perform(MsgProbe), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"c", "b", "a", "own"}));
  ASSERT_NE(GetWindowProcController()->FindControlChain(control), nullptr);

  // From the middle: the neighbours are linked to each other.
  GCalls.clear();
  Remove(b);
  EXPECT_EQ(b.Link, nullptr);
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"c", "a", "own"}));

  // The oldest extra procedure goes first: the newer one still reaches the control's own.
  GCalls.clear();
  Remove(a);
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"c", "own"}));

  // A procedure that consumes the message ends its way.
  GCalls.clear();
  c.Consume = true;
  EXPECT_EQ(control->Perform(MsgProbe), 1);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"c"}));

  Remove(c);
  EXPECT_EQ(GetWindowProcController()->FindControlChain(control), nullptr);
  GCalls.clear();
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"own"}));
  Free(control);
}

TEST_F(WindowProcChains, RemovingTheLastProcedurePutsTheControlsOwnWindowProcBack)
{
  auto* control = New<TOwnProcControl>(nullptr);
  control->SetWindowProc(TMarkedProc{42, control});
  TProc a{"a"}, b{"b"};
  AddProc(a, control);
  AddProc(b, control);
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"b", "a", "marked42", "own"}));

  Remove(b);
  Remove(a);
  // The very procedure that was there before, not a copy that merely behaves alike.
  const TMarkedProc* restored = control->WindowProc().target<TMarkedProc>();
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->Mark, 42);
  GCalls.clear();
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"marked42", "own"}));

  // A second chain on the same control starts from that procedure again.
  AddProc(a, control);
  GCalls.clear();
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"a", "marked42", "own"}));
  Remove(a);
  Free(control);
}

TEST_F(WindowProcChains, HandleChainSubclassesTheWindowAndRestoresItsProcedureExactly)
{
  HWND wnd = NewRawWindow();
  ASSERT_NE(wnd, nullptr);
  WNDPROC original = CurrentProc(wnd);
  TProc a{"a"}, b{"b"};
  AddProc(a, nullptr, wnd);
  AddProc(b, nullptr, wnd);
  EXPECT_NE(CurrentProc(wnd), original);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore + 1);
  EXPECT_EQ(SendMessageA(wnd, MsgProbe, 0, 0), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"b", "a", "own"}));

  GCalls.clear();
  Remove(a);
  SendMessageA(wnd, MsgProbe, 0, 0);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"b", "own"}));

  Remove(b);
  EXPECT_EQ(CurrentProc(wnd), original);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore);
  DestroyWindow(wnd);
}

TEST_F(WindowProcChains, AControlAndItsWindowHandleHaveSeparateChains)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* control = New<TOwnProcControl>(form);
  control->SetParent(form);
  form->Show();
  HWND wnd = control->Handle();
  TProc onControl{"control"}, onHandle{"handle"};
  AddProc(onControl, control);
  AddProc(onHandle, nullptr, wnd);
  TcxWindowProcController* controller = GetWindowProcController();
  EXPECT_NE(controller->FindControlChain(control), controller->FindHandleChain(wnd));
  EXPECT_EQ(controller->ChainCount(), FChainsBefore + 2);

  // The window's messages pass the handle chain, then the class library's window procedure, which
  // hands them to the control's WindowProc: the control chain.
  SendMessageA(wnd, MsgProbe, 0, 0);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"handle", "control", "own"}));
  // Perform bypasses the window.
  GCalls.clear();
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"control", "own"}));
  Remove(onHandle);
  Remove(onControl);
}

TEST_F(WindowProcChains, WindowSubclassedAgainAfterTheChainKeepsWorkingWhenTheChainGoes)
{
  HWND wnd = NewRawWindow();
  WNDPROC original = CurrentProc(wnd);
  TProc a{"a"};
  AddProc(a, nullptr, wnd);
  WNDPROC chainProc = CurrentProc(wnd);

  // Another party subclasses the window after the chain and calls what it found there.
  static WNDPROC GPartyPrevious = nullptr;
  GPartyPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == MsgProbe) GCalls.push_back("party");
        return CallWindowProcA(GPartyPrevious, w, msg, wp, lp);
      })));
  EXPECT_EQ(GPartyPrevious, chainProc);
  WNDPROC partyProc = CurrentProc(wnd);

  // The chain goes: the party's procedure stays the window's, and the made procedure it calls
  // stays alive and passes straight on to the window's own.
  Remove(a);
  EXPECT_EQ(CurrentProc(wnd), partyProc);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore + 1);
  GCalls.clear();
  EXPECT_EQ(SendMessageA(wnd, MsgProbe, 0, 0), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"party", "own"}));

  // A new chain on the window meanwhile is a chain of its own, on top of the party.
  TProc b{"b"};
  AddProc(b, nullptr, wnd);
  GCalls.clear();
  SendMessageA(wnd, MsgProbe, 0, 0);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"b", "party", "own"}));
  Remove(b);
  EXPECT_EQ(CurrentProc(wnd), partyProc);

  // The party leaves by putting back what it found: the next message lets the made procedure
  // restore the window's own procedure and go.
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GPartyPrevious));
  GCalls.clear();
  EXPECT_EQ(SendMessageA(wnd, MsgProbe, 0, 0), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"own"}));
  EXPECT_EQ(CurrentProc(wnd), original);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore);
  DestroyWindow(wnd);
}

TEST_F(WindowProcChains, MadeProcedureLeftForwardingGoesWithItsWindow)
{
  HWND wnd = NewRawWindow();
  TProc a{"a"};
  AddProc(a, nullptr, wnd);
  static WNDPROC GPartyPrevious = nullptr;
  GPartyPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        return CallWindowProcA(GPartyPrevious, w, msg, wp, lp);
      })));
  Remove(a);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore + 1);
  DestroyWindow(wnd);
  EXPECT_EQ(TWindowSubclass::LiveCount(), FInstancesBefore);
}

TEST_F(WindowProcChains, ProceduresMayRemoveLinksWhileAMessageRunsThroughTheChain)
{
  auto* control = New<TOwnProcControl>(nullptr);
  TcxWindowProcController* controller = GetWindowProcController();
  // The newest removes itself and the one below it, then still passes the message on.
  TcxWindowProcLinkedObject* older = nullptr;
  TcxWindowProcLinkedObject* self = nullptr;
  older = controller->AddControlWindowProc(control, [&](TMessage& msg) {
    if (msg.Msg == MsgProbe) GCalls.push_back("older");
    CallPreviousWindowProc(older, msg);
  });
  self = controller->AddControlWindowProc(control, [&](TMessage& msg) {
    if (msg.Msg != MsgProbe) return CallPreviousWindowProc(self, msg);
    GCalls.push_back("self");
    TcxWindowProcLinkedObject* running = self;
    controller->RemoveWindowProc(self);
    controller->RemoveWindowProc(older);
    CallPreviousWindowProc(running, msg);
  });
  EXPECT_EQ(control->Perform(MsgProbe), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"self", "own"}));
  EXPECT_EQ(controller->FindControlChain(control), nullptr);
  GCalls.clear();
  control->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"own"}));

  // The same on a raw window: the window has its procedure back at once, the made one goes when
  // the message returns.
  HWND wnd = NewRawWindow();
  WNDPROC original = CurrentProc(wnd);
  TcxWindowProcLinkedObject* link = nullptr;
  link = controller->AddHandleWindowProc(wnd, [&](TMessage& msg) {
    TcxWindowProcLinkedObject* running = link;
    if (msg.Msg == MsgProbe) {
      controller->RemoveWindowProc(link);
      EXPECT_EQ(CurrentProc(wnd), original);
    }
    CallPreviousWindowProc(running, msg);
  });
  GCalls.clear();
  EXPECT_EQ(SendMessageA(wnd, MsgProbe, 0, 0), 100);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"own"}));
  EXPECT_EQ(link, nullptr);
  DestroyWindow(wnd);
  Free(control);
}

TEST_F(WindowProcChains, DestroyedControlsAndWindowsAreNotTouchedWhenTheirLinksGo)
{
  TcxWindowProcController* controller = GetWindowProcController();
  auto* control = New<TOwnProcControl>(nullptr);
  TProc a{"a"};
  AddProc(a, control);
  Free(control);
  // The chain waits for its link; a new control (at whatever address) gets a chain of its own.
  auto* other = New<TOwnProcControl>(nullptr);
  TProc b{"b"};
  AddProc(b, other);
  EXPECT_NE(b.Link, nullptr);
  other->Perform(MsgProbe);
  EXPECT_EQ(GCalls, (std::vector<std::string>{"b", "own"}));
  Remove(a);
  Remove(b);
  Free(other);

  HWND wnd = NewRawWindow();
  TProc c{"c"};
  AddProc(c, nullptr, wnd);
  DestroyWindow(wnd);
  EXPECT_EQ(controller->FindHandleChain(wnd), nullptr);
  Remove(c);
}

TEST_F(WindowProcChains, NothingToAddOrRemoveAndForeignWindowsRefused)
{
  TcxWindowProcController* controller = GetWindowProcController();
  EXPECT_EQ(controller->AddControlWindowProc(nullptr, [](TMessage&) {}), nullptr);
  EXPECT_EQ(controller->AddHandleWindowProc(nullptr, [](TMessage&) {}), nullptr);
  TcxWindowProcLinkedObject* none = nullptr;
  controller->RemoveWindowProc(none);
  TMessage message{MsgProbe};
  CallPreviousWindowProc(nullptr, message);
  EXPECT_TRUE(GCalls.empty());
  // The desktop window belongs to another thread: its procedure cannot be replaced from here.
  EXPECT_THROW(controller->AddHandleWindowProc(GetDesktopWindow(), [](TMessage&) {}), EInvalidOperation);
  HWND gone = NewRawWindow();
  DestroyWindow(gone);
  EXPECT_THROW(controller->AddHandleWindowProc(gone, [](TMessage&) {}), EInvalidOperation);
}

TEST(DoublyLinkedObjectList, AppendsRemovesAndClearsNewestFirst)
{
  static std::vector<int> GFreed;
  struct TNumbered : TcxDoublyLinkedObject {
    int Number = 0;
    ~TNumbered() override { GFreed.push_back(Number); }
  };
  struct TNumberedList : TcxDoublyLinkedObjectList {
    int Next = 0;
    TcxDoublyLinkedObject* CreateLinkedObject() override
    {
      auto* element = new TNumbered;
      element->Number = ++Next;
      return element;
    }
  };
  GFreed.clear();
  {
    auto list = MakeOwned<TNumberedList>();
    TcxDoublyLinkedObject* first = list->Add();
    TcxDoublyLinkedObject* second = list->Add();
    TcxDoublyLinkedObject* third = list->Add();
    EXPECT_EQ(list->Last(), third);
    EXPECT_EQ(third->Prev(), second);
    EXPECT_EQ(second->Next(), third);
    list->Remove(second);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(third->Prev(), first);
    EXPECT_EQ(first->Next(), third);
    list->Add();
    list->Clear();
    EXPECT_EQ(list->Last(), nullptr);
  }
  EXPECT_EQ(GFreed, (std::vector<int>{2, 4, 3, 1}));
}
