// Message maps: handlers found by number along the class chain, "inherited" calls, the default
// handler, WindowProc replacement, and the window procedure plumbing (utility windows, subclassing).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/ObjectWindows.h"
#include "classlib/WindowSubclass.h"

namespace {

constexpr UINT MsgA = WM_APP + 1, MsgB = WM_APP + 2, MsgC = WM_APP + 3, MsgUnknown = WM_APP + 9;
std::vector<std::string> GLog;

class TBaseCtl : public TGraphicControl {
  CL_CLASS(TBaseCtl, TGraphicControl)
public:
  using TGraphicControl::TGraphicControl;
  void DefaultHandler(TMessage& msg) override
  {
    GLog.push_back("default " + std::to_string(msg.Msg - WM_APP));
    msg.Result = -1;
  }

private:
  void MsgAHandler(TMessage& msg) { GLog.push_back("base A"); msg.Result = 10; }
  void MsgBHandler(TMessage& msg) { GLog.push_back("base B"); msg.Result = 20; }
};

// Declares no map of its own: everything goes to the base class's map.
class TMiddleCtl : public TBaseCtl {
  CL_CLASS(TMiddleCtl, TBaseCtl)
public:
  using TBaseCtl::TBaseCtl;
};

class TLeafCtl : public TMiddleCtl {
  CL_CLASS(TLeafCtl, TMiddleCtl)
public:
  using TMiddleCtl::TMiddleCtl;

private:
  void MsgALeaf(TMessage& msg)
  {
    GLog.push_back("leaf A");
    Inherited<TLeafCtl>(msg);  // base A
    msg.Result += 1;
  }
  void MsgCLeaf(TMessage& msg)
  {
    GLog.push_back("leaf C");
    Inherited<TLeafCtl>(msg);  // no ancestor handles C: the default handler
  }
};

}  // namespace

CL_MESSAGE_MAP(TBaseCtl, {MsgA, &TBaseCtl::MsgAHandler}, {MsgB, &TBaseCtl::MsgBHandler});
CL_DEFINE_CLASS(TBaseCtl);
CL_DEFINE_CLASS(TMiddleCtl);
CL_MESSAGE_MAP(TLeafCtl, {MsgA, &TLeafCtl::MsgALeaf}, {MsgC, &TLeafCtl::MsgCLeaf});
CL_DEFINE_CLASS(TLeafCtl);

TEST(MessageMap, DispatchWalksTheClassChainByNumber)
{
  TOwned<TLeafCtl> leaf(New<TLeafCtl>(nullptr));
  struct Case {
    UINT Msg;
    LRESULT Result;
    std::vector<std::string> Log;
  };
  const Case cases[] = {
    {MsgA, 11, {"leaf A", "base A"}},        // own handler, then the inherited one
    {MsgB, 20, {"base B"}},                  // found two classes up, past a class without a map
    {MsgC, -1, {"leaf C", "default 3"}},     // inherited with no ancestor handler: the default
    {MsgUnknown, -1, {"default 9"}},         // handled by no class
  };
  for (const Case& c : cases) {
    GLog.clear();
    EXPECT_EQ(leaf->Perform(c.Msg), c.Result) << c.Msg - WM_APP;
    EXPECT_EQ(GLog, c.Log) << c.Msg - WM_APP;
  }
  // The middle class answers from the base class's map.
  TOwned<TMiddleCtl> middle(New<TMiddleCtl>(nullptr));
  GLog.clear();
  EXPECT_EQ(middle->Perform(MsgA), 10);
  EXPECT_EQ(GLog, std::vector<std::string>{"base A"});
  EXPECT_TRUE(TMiddleCtl::ClassInfo.Messages.empty());
}

TEST(MessageMap, ComponentMessagesGoThroughTheMaps)
{
  TOwned<TLeafCtl> leaf(New<TLeafCtl>(nullptr));
  int entered = 0, left = 0;
  struct TCounter : TObject {
    int* E;
    int* L;
    void Enter(TObject*) { ++*E; }
    void Leave(TObject*) { ++*L; }
  };
  auto counter = MakeOwned<TCounter>();
  counter->E = &entered;
  counter->L = &left;
  leaf->SetOnMouseEnter(TNotifyEvent(counter.get(), &TCounter::Enter));
  leaf->SetOnMouseLeave(TNotifyEvent(counter.get(), &TCounter::Leave));
  leaf->Perform(CM_MOUSEENTER);
  leaf->Perform(CM_MOUSELEAVE);
  leaf->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 2);
  EXPECT_EQ(leaf->Perform(CM_HITTEST), HTCLIENT);
}

TEST(MessageMap, ReplacedWindowProcSeesMessagesFirst)
{
  TOwned<TLeafCtl> leaf(New<TLeafCtl>(nullptr));
  TWndMethod original = leaf->WindowProc();
  std::vector<UINT> seen;
  leaf->SetWindowProc([&](TMessage& msg) {
    seen.push_back(msg.Msg);
    if (msg.Msg == MsgB) {
      msg.Result = 99;  // swallowed
      return;
    }
    original(msg);
  });
  GLog.clear();
  EXPECT_EQ(leaf->Perform(MsgB), 99);
  EXPECT_TRUE(GLog.empty());
  EXPECT_EQ(leaf->Perform(MsgA), 11);
  EXPECT_EQ(seen, (std::vector<UINT>{MsgB, MsgA}));
  leaf->SetWindowProc(nullptr);  // back to WndProc
  EXPECT_EQ(leaf->Perform(MsgB), 20);
}

TEST(UtilityWindow, RoutesToItsMethodAndContainsExceptions)
{
  std::vector<UINT> seen;
  static std::string reported;
  reported.clear();
  auto previous = SetExceptionHandler([](std::exception_ptr e) { reported = ExceptionMessage(e); });
  HWND wnd = nullptr;
  wnd = AllocateHWnd([&](TMessage& msg) {
    seen.push_back(msg.Msg);
    if (msg.Msg == WM_APP + 1) {
      msg.Result = 42;
      return;
    }
    if (msg.Msg == WM_APP + 2) throw Exception("thrown inside a window procedure");
    msg.Result = DefWindowProcA(wnd, msg.Msg, msg.WParam, msg.LParam);
  });
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(SendMessageA(wnd, WM_APP + 1, 0, 0), 42);
  // The exception stays on this side of the window procedure; the call returns normally.
  EXPECT_EQ(SendMessageA(wnd, WM_APP + 2, 0, 0), 0);
  EXPECT_EQ(reported, "thrown inside a window procedure");
  EXPECT_EQ(SendMessageA(wnd, WM_APP + 1, 0, 0), 42);
  DeallocateHWnd(wnd);
  EXPECT_FALSE(IsWindow(wnd));
  SetExceptionHandler(previous);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_APP + 2), seen.end());
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowSubclass, SeesMessagesFirstAndPassesThemOn)
{
  HWND target =
      CreateWindowExA(0, "STATIC", "before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(target, nullptr);
  std::vector<UINT> seen;
  {
    TWindowSubclass* sub = nullptr;
    sub = TWindowSubclass::Create(target, [&](TMessage& msg) {
      seen.push_back(msg.Msg);
      if (msg.Msg == WM_GETTEXTLENGTH) {
        msg.Result = 1234;
        return;
      }
      sub->CallPrevious(msg);
    });
    EXPECT_EQ(SendMessageA(target, WM_GETTEXTLENGTH, 0, 0), 1234);
    SetWindowTextA(target, "after");
    char text[16] = {};
    GetWindowTextA(target, text, sizeof text);
    EXPECT_STREQ(text, "after");  // passed on to the static control
    sub->Release();
  }
  // Released: the window answers on its own again.
  seen.clear();
  EXPECT_EQ(SendMessageA(target, WM_GETTEXTLENGTH, 0, 0), 5);
  EXPECT_TRUE(seen.empty());
  DestroyWindow(target);
}
