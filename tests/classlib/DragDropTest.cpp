// Dragging one control onto another: the threshold, targets asked as the drag enters, moves over and
// leaves them, the cursor of the answer, the drop and the ends without one, and drag objects that
// the dragged control supplies.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Application.h"
#include "classlib/DragDrop.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/MessagePump.h"

using fixture::TTestPanel;

namespace {

struct TDragLog : TObject {
  bool Accepts = true;
  std::vector<TDragState> States;
  TObject* Source = nullptr;
  int Drops = 0, Ends = 0, Starts = 0;
  TObject* EndTarget = nullptr;
  TDragObject* Supplied = nullptr;  // handed out by Start

  void Start(TObject*, TDragObject*& object)
  {
    ++Starts;
    object = Supplied;
  }
  void Over(TObject*, TObject* source, int, int, TDragState state, bool& accept)
  {
    Source = source;
    States.push_back(state);
    accept = Accepts;
  }
  void Drop(TObject*, TObject*, int, int) { ++Drops; }
  void End(TObject*, TObject* target, int, int)
  {
    ++Ends;
    EndTarget = target;
  }
};

// A drag object of the test's own: its own cursor, and what it heard at the end.
class TTestDragObject : public TDragObject {
  CL_CLASS(TTestDragObject, TDragObject)
public:
  TCursor GetDragCursor(bool accepted, int, int) override { return accepted ? crHandPoint : crNo; }
  void Finished(TObject* target, int, int, bool accepted) override
  {
    ++FinishedCalls;
    FinishedTarget = target;
    FinishedAccepted = accepted;
  }
  int FinishedCalls = 0;
  TObject* FinishedTarget = nullptr;
  bool FinishedAccepted = false;
};
CL_DEFINE_CLASS(TTestDragObject);

class DragDrop : public testing::Test {
protected:
  void SetUp() override
  {
    // The mouse goes back where it was at the end: later tests may depend on where it is.
    GetCursorPos(&SavedCursor);
    Form = New<TForm>(Application, CreateNew);
    Form->SetClientSize(300, 120);
    Source = New<TTestPanel>(Form);
    Source->SetParent(Form);
    Source->SetBounds(10, 10, 100, 100);
    Target = New<TTestPanel>(Form);
    Target->SetParent(Form);
    Target->SetBounds(150, 10, 100, 100);
    Log = MakeOwned<TDragLog>();
    Source->SetOnStartDrag(TStartDragEvent(Log.get(), &TDragLog::Start));
    Source->SetOnEndDrag(TEndDragEvent(Log.get(), &TDragLog::End));
    Target->SetOnDragOver(TDragOverEvent(Log.get(), &TDragLog::Over));
    Target->SetOnDragDrop(TDragDropEvent(Log.get(), &TDragLog::Drop));
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HandleWaitingMessages();
  }
  void TearDown() override
  {
    CancelDrag();
    Free(Form);
    MoveCursorTo(SavedCursor);
  }

  // The cursor goes to a client point of control, and the source hears of the move.
  void MoveTo(TControl* control, POINT client)
  {
    const POINT screen = control->ClientToScreen(client);
    MoveCursorTo(screen);
    PostMessageA(Source->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(Source->ScreenToClient(screen)));
    HandleWaitingMessages();
  }
  void StartAt(POINT client)
  {
    MoveCursorTo(Source->ClientToScreen(client));
    Source->BeginDrag(false);
  }

  POINT SavedCursor{};
  TForm* Form = nullptr;
  TTestPanel* Source = nullptr;
  TTestPanel* Target = nullptr;
  TOwned<TDragLog> Log;
};

TEST_F(DragDrop, TheDragRunsOnceTheMouseLeavesTheThreshold)
{
  StartAt(POINT{50, 50});
  EXPECT_TRUE(Source->Dragging());
  MoveTo(Source, POINT{54, 46});
  EXPECT_EQ(Log->Starts, 0);
  MoveTo(Source, POINT{55, 50});
  EXPECT_EQ(Log->Starts, 1);
  // Over the dragged control itself, which takes no drags.
  EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop));
  Source->EndDrag(false);
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(Log->Ends, 1);
  EXPECT_EQ(Log->EndTarget, nullptr);
}

TEST_F(DragDrop, TargetsAreAskedAndAnAcceptingOneTakesTheDrop)
{
  struct TCase {
    const char* Name;
    bool Accepts;
    UINT End;  // the message that ends the drag
    WPARAM WParam;
    bool Dropped;
    TCursor DragCursor = crDrag;  // the source's; shown where the drag is accepted
  };
  const TCase cases[] = {
    {"accepted, released", true, WM_LBUTTONUP, 0, true},
    {"refused, released", false, WM_LBUTTONUP, 0, false},
    {"accepted, Escape", true, WM_KEYDOWN, VK_ESCAPE, false},
    {"accepted, cancel mode", true, WM_CANCELMODE, 0, false},
    {"accepted, own drag cursor", true, WM_LBUTTONUP, 0, true, crHandPoint},
    {"refused, own drag cursor", false, WM_LBUTTONUP, 0, false, crHandPoint},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Log->States.clear();
    Log->Drops = Log->Ends = 0;
    Log->Accepts = c.Accepts;
    Source->SetDragCursor(c.DragCursor);
    StartAt(POINT{50, 50});
    MoveTo(Target, POINT{20, 20});
    MoveTo(Target, POINT{30, 20});
    EXPECT_EQ(GetCursor(), Screen->Cursors(c.Accepts ? c.DragCursor : crNoDrop));
    EXPECT_EQ(Log->Source, Source);  // the class library's own drag object stands for the control
    if (c.End == WM_CANCELMODE)
      SendMessageA(Source->Handle(), WM_CANCELMODE, 0, 0);
    else
      PostMessageA(Source->Handle(), c.End, c.WParam, 0);
    HandleWaitingMessages();

    EXPECT_FALSE(Source->Dragging());
    EXPECT_NE(GetCapture(), Source->Handle());
    // Entered, moved over and left at the end; the system's own reports of the cursor on its way
    // may take it out and in again, but it is always left before it is entered again.
    ASSERT_GE(Log->States.size(), 3u);
    EXPECT_EQ(Log->States.front(), dsDragEnter);
    EXPECT_EQ(Log->States.back(), dsDragLeave);
    for (size_t i = 1; i < Log->States.size(); ++i)
      EXPECT_EQ(Log->States[i] == dsDragEnter, Log->States[i - 1] == dsDragLeave) << "at " << i;
    EXPECT_EQ(Log->Drops, c.Dropped ? 1 : 0);
    EXPECT_EQ(Log->Ends, 1);
    EXPECT_EQ(Log->EndTarget, c.Dropped ? Target : nullptr);
  }
}

TEST_F(DragDrop, ASuppliedDragObjectGivesTheCursorAndHearsTheEnd)
{
  auto object = MakeOwned<TTestDragObject>();
  Log->Supplied = object.get();
  StartAt(POINT{50, 50});
  MoveTo(Target, POINT{20, 20});
  EXPECT_EQ(Log->Source, object.get());
  EXPECT_EQ(object->DragTarget(), Target);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  Log->Accepts = false;
  MoveTo(Target, POINT{25, 20});
  EXPECT_EQ(GetCursor(), Screen->Cursors(crNo));
  Log->Accepts = true;
  MoveTo(Target, POINT{30, 20});
  PostMessageA(Source->Handle(), WM_LBUTTONUP, 0, 0);
  HandleWaitingMessages();

  EXPECT_EQ(object->FinishedCalls, 1);
  EXPECT_EQ(object->FinishedTarget, Target);
  EXPECT_TRUE(object->FinishedAccepted);
  EXPECT_TRUE(object->Dropped());
  EXPECT_EQ(Log->Drops, 1);
}

TEST_F(DragDrop, ATargetThatGoesDuringTheDragIsForgotten)
{
  StartAt(POINT{50, 50});
  MoveTo(Target, POINT{20, 20});
  ASSERT_FALSE(Log->States.empty());
  Free(Target);
  Target = nullptr;
  PostMessageA(Source->Handle(), WM_LBUTTONUP, 0, 0);
  HandleWaitingMessages();
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(Log->Drops, 0);
  EXPECT_EQ(Log->EndTarget, nullptr);
}

}  // namespace
