// Drag and drop of the control framework: the control's own drag-and-drop machine driven by posted
// mouse and key messages, the wait for a drag to start, the class library's drag of a control with
// its copy cursor and drag images, the drag-image windows, and the designer notice guard.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/DragDrop.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Messages.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsDragAndDrop.h"
#include "toolkit/controls/cxControlsDragImages.h"

using namespace controls_test;

namespace {

// What the test's drag-and-drop objects did, and how many of them live.
std::vector<std::string> GSteps;
int GObjectsMade = 0, GObjectsAlive = 0;

// Accepts a drop right of x = 100 of the control.
class TRecordingDragAndDropObject : public TcxDragAndDropObject {
  CL_CLASS(TRecordingDragAndDropObject, TcxDragAndDropObject)
public:
  explicit TRecordingDragAndDropObject(TcxControl* Control) : TcxDragAndDropObject(Control)
  {
    ++GObjectsMade;
    ++GObjectsAlive;
  }
  ~TRecordingDragAndDropObject() override { --GObjectsAlive; }
  static inline bool ImmediateStart = false;
  bool GetImmediateStart() override { return ImmediateStart; }

protected:
  void BeginDragAndDrop() override
  {
    GSteps.push_back("begin");
    TcxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(POINT P, bool& Accepted) override
  {
    Accepted = P.x >= 100;
    TcxDragAndDropObject::DragAndDrop(P, Accepted);
  }
  void EndDragAndDrop(bool Accepted) override
  {
    GSteps.push_back(Accepted ? "end accepted" : "end refused");
    TcxDragAndDropObject::EndDragAndDrop(Accepted);
  }
  void AfterDragAndDrop(bool) override { GSteps.push_back("after"); }
};
CL_DEFINE_CLASS(TRecordingDragAndDropObject);

// Its drag image: the mark on a background of its own colour, which the mask leaves out.
constexpr COLORREF DragImageBackground = RGB(10, 200, 10);

class TDragControl : public TTestControl {
  CL_CLASS(TDragControl, TTestControl)
public:
  explicit TDragControl(TComponent* Owner) : TTestControl(Owner) { FocusOnClick = false; }
  bool StartsDragAndDrop = true;
  bool AcceptsDragObject = true;
  bool WithDragImages = false;
  POINT DragImagesSize{0, 0};
  int DragImageInits = 0;
  // Ctrl as the control reads it (the system's key state is left alone: keys typed through it
  // reach later tests).
  bool CtrlDown = false;

  TcxDragAndDropObjectClass GetDragAndDropObjectClass() const override
  {
    return ClassRef<TRecordingDragAndDropObject>();
  }
  bool HasDragImages() const override { return WithDragImages; }
  bool IsCopyDragDrop() const override { return CtrlDown; }
  POINT GetDragImagesSize() const override { return DragImagesSize; }
  void DrawDragImage(TcxCanvas* Canvas, const RECT& R) override
  {
    Canvas->FillRectWithColor(R, static_cast<TColor>(DragImageBackground));
    Canvas->FillRectWithColor(RECT{4, 4, 8, 8}, static_cast<TColor>(MarkColor));
  }
  void InitDragImages(TcxDragImageList* ImageList) override
  {
    ++DragImageInits;
    TTestControl::InitDragImages(ImageList);
  }

protected:
  bool CanStartDragAndDrop(POINT) const override { return StartsDragAndDrop; }
  bool AcceptDragObject(TDragObject*) override { return AcceptsDragObject; }
};
CL_DEFINE_CLASS(TDragControl);

LPARAM At(POINT p) { return PointToLParam(p); }

class DragAndDropTest : public testing::Test {
protected:
  void SetUp() override
  {
    // The mouse goes back where it was at the end: later tests may depend on where it is.
    GetCursorPos(&SavedCursor);
    GSteps.clear();
    GObjectsMade = GObjectsAlive = 0;
    TRecordingDragAndDropObject::ImmediateStart = false;
    Form = NewForm(400, 200);
    Control = New<TDragControl>(Form);
    Control->LookAndFeel()->SetSkinName(TTestPainterScope::Name);
    Control->SetParent(Form);
    Control->SetBounds(10, 10, 180, 150);
    Form->Show();
    // Above the windows of other programs, which would take the points the tests drag over.
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HandleWaitingMessages();
    // The mouse rests where the presses of the tests go, and what the system reports of its way
    // there is handled before the test begins.
    MoveCursorTo(Control->ClientToScreen(PressPoint));
  }
  void TearDown() override
  {
    CancelDrag();
    Free(Form);
    ReleaseCapture();
    MoveCursorTo(SavedCursor);
  }

  // A mouse message as the system would post it. The drag of the control itself goes by the
  // messages' points; the class library's drag by the cursor, which moveCursor puts there first.
  static void Post(TWinControl* control, UINT msg, WPARAM keys, POINT client, bool moveCursor = false)
  {
    if (moveCursor) MoveCursorTo(control->ClientToScreen(client));
    PostMessageA(control->Handle(), msg, keys, At(client));
    HandleWaitingMessages();
  }
  void Press(POINT p) { Post(Control, WM_LBUTTONDOWN, MK_LBUTTON, p); }
  void MoveTo(POINT p) { Post(Control, WM_MOUSEMOVE, MK_LBUTTON, p); }
  void Release(POINT p) { Post(Control, WM_LBUTTONUP, 0, p); }
  void PostKey(UINT msg, WPARAM key)
  {
    PostMessageA(Control->Handle(), msg, key, 0);
    HandleWaitingMessages();
  }

  static constexpr POINT PressPoint{20, 20};
  TTestPainterScope Painter;
  POINT SavedCursor{};
  TForm* Form = nullptr;
  TDragControl* Control = nullptr;
};

using Steps = std::vector<std::string>;

// --- The control's own drag and drop ---

TEST_F(DragAndDropTest, APressAndReleaseWithoutMovementNeverBegins)
{
  Press(POINT{20, 20});
  EXPECT_EQ(Control->DragAndDropState(), ddpPending);
  EXPECT_EQ(GObjectsAlive, 1);
  MoveTo(POINT{24, 16});  // within the threshold
  EXPECT_EQ(Control->DragAndDropState(), ddpPending);
  Release(POINT{24, 16});

  EXPECT_EQ(Control->DragAndDropState(), ddpNone);
  EXPECT_EQ(GSteps, Steps{});
  EXPECT_EQ(GObjectsMade, 1);
  EXPECT_EQ(GObjectsAlive, 0);
  EXPECT_NE(GetCapture(), Control->Handle());

  // A press the control does not drag from (another button, or where it says no) makes nothing.
  Post(Control, WM_RBUTTONDOWN, MK_RBUTTON, POINT{20, 20});
  Post(Control, WM_RBUTTONUP, 0, POINT{20, 20});
  Control->StartsDragAndDrop = false;
  Press(POINT{20, 20});
  Release(POINT{20, 20});
  EXPECT_EQ(GObjectsMade, 1);
  EXPECT_EQ(Control->DragAndDropState(), ddpNone);
}

TEST_F(DragAndDropTest, LeavingTheThresholdBeginsAndTheReleaseEndsAccepted)
{
  Press(POINT{20, 20});
  MoveTo(POINT{25, 20});
  EXPECT_EQ(GSteps, Steps{"begin"});
  EXPECT_EQ(Control->DragAndDropState(), ddpActive);
  EXPECT_EQ(GetCapture(), Control->Handle());
  TcxDragAndDropObject* object = Control->GetDragAndDropObject();
  EXPECT_EQ(object->CurMousePos().x, PressPoint.x);  // from the cursor, at the start
  EXPECT_EQ(object->PrevMousePos().y, PressPoint.y);

  // Each move is a step with the point; the object's answer picks the cursor.
  MoveTo(POINT{120, 30});
  EXPECT_EQ(Screen->Cursor(), crDrag);
  MoveTo(POINT{40, 31});
  EXPECT_EQ(Screen->Cursor(), crNoDrop);
  EXPECT_EQ(object->CurMousePos().x, 40);
  EXPECT_EQ(object->CurMousePos().y, 31);
  EXPECT_EQ(object->PrevMousePos().x, 120);

  Release(POINT{40, 31});
  EXPECT_EQ(GSteps, (Steps{"begin", "end accepted", "after"}));
  EXPECT_EQ(Control->DragAndDropState(), ddpNone);
  EXPECT_EQ(GObjectsAlive, 0);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_NE(GetCapture(), Control->Handle());

  // The next drag and drop has an object of its own.
  Press(POINT{20, 20});
  MoveTo(POINT{20, 40});
  Release(POINT{20, 40});
  EXPECT_EQ(GObjectsMade, 2);
  EXPECT_EQ(GObjectsAlive, 0);
}

TEST_F(DragAndDropTest, EscapeAndCancelModeEndItRefused)
{
  struct TCase {
    const char* Name;
    bool Begun;  // the mouse left the threshold before the end
    bool Escape;  // else cancel mode
  };
  const TCase cases[] = {
    {"Escape while active", true, true},
    {"cancel mode while active", true, false},
    {"Escape while pending", false, true},
    {"cancel mode while pending", false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    GSteps.clear();
    Press(POINT{20, 20});
    if (c.Begun) MoveTo(POINT{60, 60});
    if (c.Escape)
      PostKey(WM_KEYDOWN, VK_ESCAPE);
    else
      SendMessageA(Control->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GSteps, c.Begun ? (Steps{"begin", "end refused", "after"}) : Steps{});
    EXPECT_EQ(Control->DragAndDropState(), ddpNone);
    EXPECT_EQ(GObjectsAlive, 0);
    // Cancel mode lets the mouse go at once; after Escape the button is still down.
    if (!c.Escape) {
      EXPECT_NE(GetCapture(), Control->Handle());
      EXPECT_FALSE(Control->MouseButtonPressed());
    }
    Release(POINT{60, 60});
    EXPECT_EQ(GSteps.size(), c.Begun ? 3u : 0u);  // the release after the end does nothing more
    EXPECT_NE(GetCapture(), Control->Handle());
  }
}

TEST_F(DragAndDropTest, AnObjectThatStartsAtOnceBeginsOnThePress)
{
  TRecordingDragAndDropObject::ImmediateStart = true;
  Press(POINT{20, 20});
  EXPECT_EQ(GSteps, Steps{"begin"});
  EXPECT_EQ(Control->DragAndDropState(), ddpActive);
  Release(POINT{20, 20});
  EXPECT_EQ(GSteps, (Steps{"begin", "end accepted", "after"}));
  EXPECT_EQ(GObjectsAlive, 0);
}

TEST_F(DragAndDropTest, LosingTheCaptureObjectWhilePendingEndsIt)
{
  Press(POINT{20, 20});
  ASSERT_EQ(Control->DragAndDropState(), ddpPending);
  Control->SetMouseCaptureObject(Control);
  Control->SetMouseCaptureObject(nullptr);
  EXPECT_EQ(Control->DragAndDropState(), ddpNone);
  EXPECT_EQ(GObjectsAlive, 0);
  EXPECT_EQ(GSteps, Steps{});
}

// --- Waiting for a drag to start ---

TEST_F(DragAndDropTest, WaitForDragStartAnswersMovedReleasedOrCancelled)
{
  constexpr UINT WM_TEST_TAKE_CAPTURE = WM_APP + 1;
  struct TPosted {
    UINT Msg;
    POINT At;  // client point of mouse messages
    WPARAM WParam;
  };
  struct TCase {
    const char* Name;
    std::vector<TPosted> Posted;
    int Answer;
  };
  // Around (50, 50) with the threshold 5: x and y from 45 to 54 are inside.
  const TCase cases[] = {
    {"out to the right", {{WM_MOUSEMOVE, {54, 54}, 0}, {WM_MOUSEMOVE, {55, 50}, 0}}, cxDragStartMoved},
    {"out to the top", {{WM_MOUSEMOVE, {50, 44}, 0}}, cxDragStartMoved},
    {"left and top edges inside", {{WM_MOUSEMOVE, {45, 45}, 0}, {WM_LBUTTONUP, {45, 45}, 0}}, cxDragStartReleased},
    {"right button released", {{WM_RBUTTONUP, {50, 50}, 0}}, cxDragStartReleased},
    {"middle button released", {{WM_MBUTTONUP, {50, 50}, 0}}, cxDragStartReleased},
    {"Escape", {{WM_KEYDOWN, {}, VK_ESCAPE}}, cxDragStartCancelled},
    {"another window takes the capture", {{WM_TEST_TAKE_CAPTURE, {}, 0}}, cxDragStartCancelled},
  };
  Control->OnMessage = [&](TMessage& message) {
    if (message.Msg == WM_TEST_TAKE_CAPTURE) SetCapture(Form->Handle());
  };
  const POINT start = Control->ClientToScreen(POINT{50, 50});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    MoveCursorTo(start);
    for (const TPosted& posted : c.Posted) {
      const bool mouse = posted.Msg >= WM_MOUSEFIRST && posted.Msg <= WM_MOUSELAST;
      PostMessageA(Control->Handle(), posted.Msg, posted.WParam, mouse ? At(posted.At) : 0);
    }
    EXPECT_EQ(WaitForDragStart(Control->Handle(), start), c.Answer);
    EXPECT_NE(GetCapture(), Control->Handle());
    ReleaseCapture();
  }
  Control->OnMessage = nullptr;

  // WM_QUIT ends the wait and is posted again for the loop outside.
  PostQuitMessage(7);
  EXPECT_EQ(WaitForDragStart(Control->Handle(), start), cxDragStartCancelled);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

struct TDragRecorder : TObject {
  int Starts = 0, Ends = 0;
  void Start(TObject*, TDragObject*&) { ++Starts; }
  void End(TObject*, TObject*, int, int) { ++Ends; }
};

TEST_F(DragAndDropTest, AnAutomaticDragStartsOnlyWhenTheMouseLeavesTheThreshold)
{
  auto recorder = MakeOwned<TDragRecorder>();
  Control->SetDragMode(dmAutomatic);
  Control->StartsDragAndDrop = false;
  Control->SetOnStartDrag(TStartDragEvent(recorder.get(), &TDragRecorder::Start));
  Control->SetOnEndDrag(TEndDragEvent(recorder.get(), &TDragRecorder::End));
  struct TCase {
    const char* Name;
    UINT Msg;  // posted after the press, before the wait handles it
    WPARAM WParam;
    int Starts;
  };
  const TCase cases[] = {
    {"moved out", WM_MOUSEMOVE, MK_LBUTTON, 1},
    {"released", WM_LBUTTONUP, 0, 0},
    {"Escape", WM_KEYDOWN, VK_ESCAPE, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    recorder->Starts = recorder->Ends = 0;
    const POINT press{50, 50}, out{70, 50};
    MoveCursorTo(Control->ClientToScreen(press));
    PostMessageA(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(press));
    if (c.Msg == WM_MOUSEMOVE) {
      // The drag starts at the cursor: it is where the mouse went.
      const POINT to = Control->ClientToScreen(out);
      PostMessageA(Control->Handle(), WM_APP + 2, 0, 0);
      Control->OnMessage = [to](TMessage& message) {
        if (message.Msg == WM_APP + 2) SetCursorPos(to.x, to.y);
      };
    }
    PostMessageA(Control->Handle(), c.Msg, c.WParam, c.Msg == WM_KEYDOWN ? 0 : At(out));
    HandleWaitingMessages();
    Control->OnMessage = nullptr;
    EXPECT_EQ(recorder->Starts, c.Starts);
    EXPECT_EQ(Control->Dragging(), c.Starts == 1);
    Control->EndDrag(false);
    EXPECT_EQ(recorder->Ends, c.Starts);
    EXPECT_FALSE(Control->Dragging());
  }
}

// --- The class library's drag of a control ---

struct TTargetRecorder : TObject {
  bool Accepts = true;
  TObject* Source = nullptr;
  TDragObject* Current = nullptr;
  std::vector<TDragState> States;
  int Drops = 0;
  void DragOver(TObject*, TObject* source, int, int, TDragState state, bool& accept)
  {
    Source = source;
    Current = GetCurrentDragObject();
    States.push_back(state);
    accept = Accepts;
  }
  void DragDrop(TObject*, TObject*, int, int) { ++Drops; }
  void Reset(bool accepts)
  {
    Accepts = accepts;
    Source = nullptr;
    Current = nullptr;
    States.clear();
    Drops = 0;
  }
};

TEST_F(DragAndDropTest, CtrlOverAnAcceptingTargetShowsTheCopyCursor)
{
  auto* target = New<TTestControl>(Form);
  target->SetParent(Form);
  target->SetBounds(220, 10, 150, 150);
  auto recorder = MakeOwned<TTargetRecorder>();
  target->SetOnDragOver(TDragOverEvent(recorder.get(), &TTargetRecorder::DragOver));
  target->SetOnDragDrop(TDragDropEvent(recorder.get(), &TTargetRecorder::DragDrop));

  struct TCase {
    const char* Name;
    bool Accepts, Ctrl;
    TCursor Cursor;
    int Drops;
  };
  const TCase cases[] = {
    {"accepted with Ctrl: copy", true, true, crcxDragCopy, 1},
    {"accepted", true, false, crDrag, 1},
    {"refused with Ctrl", false, true, crNoDrop, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    recorder->Reset(c.Accepts);
    MoveCursorTo(Control->ClientToScreen(POINT{50, 50}));
    Control->BeginDrag(true);
    ASSERT_TRUE(Control->Dragging());
    const POINT over = Control->ScreenToClient(target->ClientToScreen(POINT{40, 40}));
    Post(Control, WM_MOUSEMOVE, MK_LBUTTON, over, true);
    const TCursor plain = c.Accepts ? crDrag : crNoDrop;
    EXPECT_EQ(GetCursor(), Screen->Cursors(plain));
    auto* object = dynamic_cast<TcxDragControlObject*>(recorder->Source);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Control(), Control);
    EXPECT_EQ(recorder->Current, object);
    // Pressing and letting go of Ctrl changes the cursor at once.
    if (c.Ctrl) {
      Control->CtrlDown = true;
      PostKey(WM_KEYDOWN, VK_CONTROL);
      EXPECT_EQ(GetCursor(), Screen->Cursors(c.Cursor));
      Control->CtrlDown = false;
      PostKey(WM_KEYUP, VK_CONTROL);
      EXPECT_EQ(GetCursor(), Screen->Cursors(plain));
    }
    Post(Control, WM_LBUTTONUP, 0, over);
    EXPECT_FALSE(Control->Dragging());
    EXPECT_EQ(recorder->Drops, c.Drops);
    ASSERT_FALSE(recorder->States.empty());
    EXPECT_EQ(recorder->States.front(), dsDragEnter);
    EXPECT_EQ(recorder->States.back(), dsDragLeave);
    EXPECT_EQ(GetCurrentDragObject(), nullptr);
  }
}

TEST_F(DragAndDropTest, ARefusedDragObjectCancelsTheDrag)
{
  Control->AcceptsDragObject = false;
  Control->BeginDrag(true);
  EXPECT_FALSE(Control->Dragging());
  EXPECT_NE(GetCapture(), Control->Handle());
}

TEST_F(DragAndDropTest, DragImagesAreDrawnByTheControlAndFreedWhenTheDragEnds)
{
  EXPECT_EQ(Control->GetDragImages(), nullptr);  // no drag images
  EXPECT_EQ(Control->DragImageInits, 0);

  Control->WithDragImages = true;
  EXPECT_EQ(Control->GetDragImages(), nullptr);  // of no size: the list stays empty
  EXPECT_EQ(Control->DragImageInits, 1);

  auto* other = New<TDragControl>(Form);
  other->WithDragImages = true;
  other->DragImagesSize = POINT{16, 12};
  TDragImageList* images = other->GetDragImages();
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->Width(), 16);
  EXPECT_EQ(images->Height(), 12);
  ASSERT_EQ(images->Count(), 1);
  auto bitmap = MakeOwned<TBitmap>();
  ASSERT_TRUE(images->GetBitmap(0, bitmap.get()));
  EXPECT_EQ(ColorToRGB(bitmap->Canvas()->Pixels(5, 5)), MarkColor);
  EXPECT_EQ(ColorToRGB(bitmap->Canvas()->Pixels(12, 10)), RGB(255, 255, 255));  // the masked background
  EXPECT_EQ(other->GetDragImages(), images);
  EXPECT_EQ(other->DragImageInits, 1);

  // During a drag the images follow the cursor; its end frees them.
  other->SetParent(Form);
  other->SetBounds(220, 10, 100, 100);
  MoveCursorTo(other->ClientToScreen(POINT{30, 30}));
  other->BeginDrag(true);
  ASSERT_TRUE(other->Dragging());
  EXPECT_TRUE(other->GetDragImages()->Dragging());
  other->EndDrag(false);
  EXPECT_NE(other->GetDragImages(), nullptr);
  EXPECT_EQ(other->DragImageInits, 2);
}

// --- Drag-image windows ---

TEST_F(DragAndDropTest, ADragImageShowsHalfTransparentAndLetsTheMouseThrough)
{
  auto* image = New<TcxCustomDragImage>(nullptr);
  struct TFree {
    TObject* Object;
    ~TFree() { Free(Object); }
  } guard{image};
  EXPECT_EQ(image->BoundsRect().right - image->BoundsRect().left, 0);
  EXPECT_FALSE(image->AcceptsSkins());
  image->SetPopupParent(Form);
  const POINT at = Control->ClientToScreen(POINT{20, 20});
  image->SetBounds(at.x, at.y, 60, 40);
  image->ShowWithCommand(SW_SHOWNOACTIVATE);

  HWND wnd = image->Handle();
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), Form->Handle());
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  EXPECT_TRUE(flags & LWA_ALPHA);
  EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(at.x + 5, at.y + 5)), HTTRANSPARENT);
  EXPECT_EQ(SendMessageA(wnd, WM_ERASEBKGND, 0, 0), 1);
  // A drag over the image finds the control below it.
  EXPECT_EQ(FindDragTarget(POINT{at.x + 5, at.y + 5}, false), Control);

  image->ShowWithCommand(SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(wnd));
}

TEST_F(DragAndDropTest, ASizeFrameIsAHalftoneFrameWithAnEmptyInside)
{
  auto* frame = New<TcxSizeFrame>(3);
  struct TFree {
    TObject* Object;
    ~TFree() { Free(Object); }
  } guard{frame};
  frame->HandleNeeded();
  const POINT at = Form->ClientToScreen(POINT{20, 20});
  frame->SetFrameRect(RECT{at.x, at.y, at.x + 60, at.y + 40});
  EXPECT_EQ(frame->BoundsRect().right - frame->BoundsRect().left, 60);

  auto hasPoint = [&](int x, int y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(frame->Handle(), region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return has;
  };
  struct TPoint {
    int X, Y;
    bool InFrame;
  };
  const TPoint points[] = {{0, 0, true},   {2, 20, true},   {3, 20, false}, {30, 2, true},  {30, 3, false},
                           {56, 20, false}, {57, 20, true}, {30, 37, true}, {30, 36, false}, {59, 39, true}};
  for (const TPoint& p : points) EXPECT_EQ(hasPoint(p.X, p.Y), p.InFrame) << p.X << "," << p.Y;

  // Shown, the frame is the black and white halftone.
  frame->ShowWithCommand(SW_SHOWNOACTIVATE);
  SetWindowPos(frame->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HandleWaitingMessages();
  UpdateWindow(frame->Handle());
  EXPECT_EQ(WindowPixel(frame->Handle(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(WindowPixel(frame->Handle(), 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(WindowPixel(frame->Handle(), 1, 1), RGB(0, 0, 0));

  // Too small for two frame widths: the window keeps its region.
  frame->SetFrameRect(RECT{at.x, at.y, at.x + 6, at.y + 40});
  EXPECT_EQ(frame->BoundsRect().right - frame->BoundsRect().left, 6);
  EXPECT_TRUE(hasPoint(57, 20));
  EXPECT_FALSE(hasPoint(30, 20));
}

// --- Designer notices ---

struct TDesigner : IDesignerNotify {
  int Modifications = 0;
  std::function<void()> OnModified;
  void Modified() override
  {
    ++Modifications;
    if (OnModified) OnModified();
  }
};

TEST_F(DragAndDropTest, DesignerNoticesGoOnlyToSettledDesigningControlsAndNotWhileLocked)
{
  TDesigner designer;
  Form->SetDesigner(&designer);
  auto controller = MakeOwned<TcxDesignController>();

  controller->NotifyDesignerModified(Control);
  EXPECT_EQ(designer.Modifications, 0);  // not designing

  Form->SetDesigning(true);
  Control->NotifyDesignerModified();
  EXPECT_EQ(designer.Modifications, 1);

  controller->LockNotify();
  EXPECT_TRUE(controller->IsNotifyLocked());
  controller->NotifyDesignerModified(Control);
  controller->UnlockNotify();
  controller->UnlockNotify();  // never below zero: one lock is one unlock
  EXPECT_FALSE(controller->IsNotifyLocked());
  controller->LockNotify();
  controller->NotifyDesignerModified(Control);
  EXPECT_EQ(designer.Modifications, 1);
  controller->UnlockNotify();

  // A designer that reports back while being told hears it once.
  designer.OnModified = [&] { controller->NotifyDesignerModified(Control); };
  controller->NotifyDesignerModified(Control);
  EXPECT_EQ(designer.Modifications, 2);
  designer.OnModified = nullptr;

  // A control whose form is being read is not settled.
  Form->IncludeState(TComponentStateFlag::csLoading);
  controller->NotifyDesignerModified(Control);
  EXPECT_EQ(designer.Modifications, 2);
  Form->ExcludeState(TComponentStateFlag::csLoading);
  Form->SetDesigning(false);
  Form->SetDesigner(nullptr);
}

}  // namespace
