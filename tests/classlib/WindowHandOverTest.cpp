// A windowed control letting go of its window without destroying it and taking a held window back:
// which object the messages of each window reach, the children's windows, the errors, and no
// window left behind.
#include <gtest/gtest.h>
#include "classlib/Forms.h"
#include "classlib/ObjectWindows.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/WindowCount.h"

using namespace fixture;

namespace {

constexpr UINT MsgProbe = WM_APP + 45;

// A panel that counts the probe messages its windows route to it.
class THandOverPanel : public TTestPanel {
  CL_CLASS(THandOverPanel, TTestPanel)
public:
  using TTestPanel::TTestPanel;
  int Probes = 0;

  void WndProc(TMessage& msg) override
  {
    if (msg.Msg == MsgProbe) {
      ++Probes;
      msg.Result = 1;
      return;
    }
    TTestPanel::WndProc(msg);
  }
};
CL_DEFINE_CLASS(THandOverPanel);

}  // namespace

TEST(WindowHandOver, HeldWindowStaysAndIsTakenBack)
{
  const int windowsBefore = ThreadWindowCount();
  {
    TForm* form = NewForm(300, 200);
    TFormGuard guard{form};
    auto* panel = New<THandOverPanel>(form);
    panel->SetParent(form);
    auto* child = New<TTestPanel>(form);
    child->SetBounds(5, 5, 20, 20);
    child->SetParent(panel);
    child->HandleNeeded();
    HWND first = panel->Handle();

    EXPECT_EQ(panel->DetachHandle(), first);
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_FALSE(child->HandleAllocated()) << "the children's windows go with the control's window";
    ASSERT_TRUE(IsWindow(first)) << "the released window is not destroyed";
    EXPECT_EQ(TWinControl::FromHandle(first), nullptr);
    SendMessageA(first, MsgProbe, 0, 0);
    EXPECT_EQ(panel->Probes, 0) << "a held window's messages reach no control";
    EXPECT_EQ(panel->DetachHandle(), nullptr) << "nothing to let go of without a window";

    // A new window of the same class is made while the first is held, and is not confused with it.
    HWND second = panel->Handle();
    EXPECT_NE(second, first);
    EXPECT_EQ(TWinControl::FromHandle(second), panel);
    SendMessageA(second, MsgProbe, 0, 0);
    EXPECT_EQ(panel->Probes, 1);
    SendMessageA(first, MsgProbe, 0, 0);
    EXPECT_EQ(panel->Probes, 1);

    // Switch back: hold the second, take the first, whose bounds the control takes.
    panel->SetBounds(0, 0, 30, 30);
    EXPECT_EQ(panel->DetachHandle(), second);
    SetWindowPos(first, nullptr, 4, 5, 44, 55, SWP_NOZORDER | SWP_NOACTIVATE);
    panel->AttachHandle(first);
    EXPECT_EQ(panel->Handle(), first);
    EXPECT_EQ(panel->Left(), 4);
    EXPECT_EQ(panel->Height(), 55);
    EXPECT_EQ(TWinControl::FromHandle(first), panel);
    SendMessageA(first, MsgProbe, 0, 0);
    EXPECT_EQ(panel->Probes, 2);
    panel->SetBounds(10, 20, 70, 40);
    RECT r;
    GetWindowRect(first, &r);
    EXPECT_EQ(r.right - r.left, 70) << "the control drives the window it took back";

    // The holder destroys the held window; the control keeps its own.
    EXPECT_TRUE(DestroyWindow(second));
    EXPECT_EQ(panel->Handle(), first);
    SendMessageA(first, MsgProbe, 0, 0);
    EXPECT_EQ(panel->Probes, 3);
  }
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

TEST(WindowHandOver, OnlyAHeldWindowIsTakenAndOnlyByAControlWithout)
{
  TForm* form = NewForm(300, 200);
  TFormGuard guard{form};
  auto* a = New<THandOverPanel>(form);
  a->SetParent(form);
  auto* b = New<THandOverPanel>(form);
  b->SetParent(form);
  HWND aWnd = a->Handle();
  HWND bWnd = b->Handle();

  HWND held = a->DetachHandle();
  EXPECT_THROW(b->AttachHandle(held), EInvalidOperation) << "b has a window of its own";
  EXPECT_EQ(b->Handle(), bWnd);
  EXPECT_THROW(a->AttachHandle(bWnd), EInvalidOperation) << "b's window is not held";
  EXPECT_THROW(a->AttachHandle(form->Handle()), EInvalidOperation);
  EXPECT_THROW(a->AttachHandle(nullptr), EInvalidOperation);
  EXPECT_EQ(TWinControl::FromHandle(bWnd), b);
  EXPECT_FALSE(a->HandleAllocated());

  a->AttachHandle(held);
  EXPECT_EQ(a->Handle(), aWnd);
  EXPECT_THROW(a->AttachHandle(held), EInvalidOperation) << "taken once, the window is held no more";

  // A held window destroyed before it is taken back cannot be taken.
  HWND gone = a->DetachHandle();
  DestroyWindow(gone);
  EXPECT_THROW(a->AttachHandle(gone), EInvalidOperation);
  EXPECT_NE(a->Handle(), gone);
}
