#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/DragDrop.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/controls/cxContainerInnerListBox.h"
#include "toolkit/controls/cxScrollBar.h"
#include "tests/support/WindowCount.h"

using namespace controls_test;

namespace {

// A container hosting an inner list box, recording the keys and wheel turns it is given.
class TListContainer : public TcxContainer {
  CL_CLASS(TListContainer, TcxContainer)
public:
  explicit TListContainer(TComponent* owner) : TcxContainer(owner)
  {
    List = New<TcxCustomInnerListBox>(this);
    List->SetContainer(this);
    List->SetParent(this);
  }
  // The container's window is made before it knows its inner control (a container that knows it
  // first asks it for its window, which asks the container for its own).
  void Attach() { SetInnerControl(List); }
  TcxCustomInnerListBox* List;
  std::vector<WORD> KeysDown;
  std::string Chars;
  int Wheels = 0;
  bool ClaimWheel = true;
  int StateChanges = 0;
  int FocusChanges = 0;
  // The mouse calls that reached the container: kind, point, and the inner-control press flag.
  std::vector<std::string> Mouse;
  void FocusChanged() override
  {
    ++FocusChanges;
    TcxContainer::FocusChanged();
  }

protected:
  void RecordMouse(const char* kind, int x, int y)
  {
    Mouse.push_back(std::string(kind) + " " + std::to_string(x) + "," + std::to_string(y) +
                    (InnerControlMouseDown() ? " pressed in list" : ""));
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
  {
    RecordMouse("down", x, y);
    TcxContainer::MouseDown(button, shift, x, y);
  }
  void MouseMove(TShiftState shift, int x, int y) override
  {
    RecordMouse("move", x, y);
    TcxContainer::MouseMove(shift, x, y);
  }
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
  {
    RecordMouse("up", x, y);
    TcxContainer::MouseUp(button, shift, x, y);
  }
  void ContainerStateChanged() override
  {
    ++StateChanges;
    TcxContainer::ContainerStateChanged();
  }
  void KeyDown(WORD& key, TShiftState shift) override
  {
    KeysDown.push_back(key);
    TcxContainer::KeyDown(key, shift);
  }
  void KeyPress(char& key) override
  {
    Chars += key;
    TcxContainer::KeyPress(key);
  }
  bool DoMouseWheel(TShiftState, int, POINT) override
  {
    ++Wheels;
    return ClaimWheel;
  }
};

CL_DEFINE_CLASS(TListContainer);

DWORD GTicks = 1000;
DWORD WINAPI TestTicks() { return GTicks; }

class cxInnerListBoxTest : public testing::Test {
protected:
  void SetUp() override
  {
    FForm = NewForm(300, 200);
    FContainer = New<TListContainer>(FForm);
    FContainer->SetParent(FForm);
    FContainer->SetBounds(10, 10, 150, 100);
    FForm->Show();
    HandleWaitingMessages();
    FContainer->Attach();
    List()->SetFocus();
  }
  void TearDown() override { Free(FForm); }
  TcxCustomInnerListBox* List() { return FContainer->List; }
  void Fill(int count)
  {
    for (int i = 0; i < count; ++i) List()->Items()->Add("item " + std::to_string(i));
  }
  void Type(const std::string& bytes)
  {
    for (char ch : bytes) PostMessageA(List()->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
    HandleWaitingMessages();
  }

  TForm* FForm = nullptr;
  TListContainer* FContainer = nullptr;
  TScopedSeam<TcxInnerListBoxTickCountFunc> FTicks{cxInnerListBoxTickCount, TestTicks};
};

}  // namespace

TEST_F(cxInnerListBoxTest, KeysGoToTheContainerFirstAndTabAndEnterNeverReachTheList)
{
  Fill(5);
  List()->SetItemIndex(0);
  PostMessageA(List()->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  HandleWaitingMessages();
  EXPECT_EQ(FContainer->KeysDown, std::vector<WORD>{VK_DOWN});
  EXPECT_EQ(List()->ItemIndex(), 1);  // the container left the key to the list

  std::string seen;
  struct TRecorder : TObject {
    std::string* Seen;
    void KeyPress(TObject*, char& key) { *Seen += key; }
  };
  TOwned<TRecorder> recorder = MakeOwned<TRecorder>();
  recorder->Seen = &seen;
  List()->SetOnKeyPress(TKeyPressEvent(recorder.get(), &TRecorder::KeyPress));
  Type("\tx\r");
  EXPECT_EQ(FContainer->Chars, std::string("\0x\r", 3));  // Tab is cleared before the container sees it
  EXPECT_EQ(seen, "x");
}

TEST_F(cxInnerListBoxTest, TheWheelGoesToTheContainerAndScrollsTheListOnlyWhenLeft)
{
  Fill(60);
  const LPARAM at = MAKELPARAM(20, 20);
  SendMessageA(List()->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
  EXPECT_EQ(FContainer->Wheels, 1);
  EXPECT_EQ(List()->TopIndex(), 0);
  FContainer->ClaimWheel = false;
  SendMessageA(List()->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
  EXPECT_EQ(FContainer->Wheels, 2);
  EXPECT_GT(List()->TopIndex(), 0);
  EXPECT_EQ(List()->VScrollBar()->Position(), GetScrollPos(List()->Handle(), SB_VERT));
}

TEST_F(cxInnerListBoxTest, PaintedBarsLieOverTheSystemBarsAndFollowThem)
{
  EXPECT_FALSE(List()->VScrollBar()->Visible());
  Fill(60);
  TcxScrollBar* bar = List()->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Parent(), FContainer);
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(List()->Handle(), OBJID_VSCROLL, &info));
  POINT topLeft{info.rcScrollBar.left, info.rcScrollBar.top};
  ScreenToClient(FContainer->Handle(), &topLeft);
  EXPECT_EQ(bar->Left(), topLeft.x);
  EXPECT_EQ(bar->Top(), topLeft.y);
  EXPECT_EQ(bar->Height(), info.rcScrollBar.bottom - info.rcScrollBar.top);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(List()->Handle(), SB_VERT, &si);
  EXPECT_EQ(bar->Max(), si.nMax);
  List()->SetTopIndex(20);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(bar->Position(), GetScrollPos(List()->Handle(), SB_VERT));
  List()->Items()->Clear();
  EXPECT_FALSE(bar->Visible());
}

TEST(cxInnerListBoxScrollInfo, WhatTheSystemAllowsIsKeptWithinWhatThePaintedBarTakes)
{
  TOwned<TcxScrollBar> bar = MakeOwned<TcxScrollBar>(nullptr);
  struct TCase {
    SCROLLINFO Info;
    int Max, Page, Position;
  };
  const TCase cases[] = {
    {{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 30, 30}, 99, 10, 30},
    {{sizeof(SCROLLINFO), SIF_ALL, 5, 9, 40, 7, 7}, 9, 4, 7},        // page larger than the range
    {{sizeof(SCROLLINFO), SIF_ALL, 3, 1, 0, 0, 0}, 3, 0, 3},         // maximum below the minimum
    {{sizeof(SCROLLINFO), SIF_ALL, 0, 20, 5, 50, 50}, 20, 5, 20},    // position past the end
  };
  for (const TCase& c : cases) {
    SetScrollBarParamsFromInfo(bar.get(), c.Info);
    EXPECT_EQ(bar->Max(), c.Max);
    EXPECT_EQ(bar->PageSize(), c.Page);
    EXPECT_EQ(bar->Position(), c.Position);
  }
}

TEST_F(cxInnerListBoxTest, TypedSearchFindsItemsWithPausesAndDoubleByteCharacters)
{
  for (const char* item : {"apple", "apricot", "banana", "中文", "中国"}) List()->Items()->Add(item);
  List()->SetAutoComplete(true);
  List()->SetAutoCompleteDelay(500);
  Type("apr");
  EXPECT_EQ(List()->SearchText(), "apr");
  EXPECT_EQ(List()->ItemIndex(), 1);
  GTicks += 600;  // after a pause only the next character counts
  Type("b");
  EXPECT_EQ(List()->SearchText(), "b");
  EXPECT_EQ(List()->ItemIndex(), 2);
  GTicks += 600;
  const std::string chinese = "中国";  // two characters of a lead and a trail byte each
  ASSERT_EQ(chinese.size(), 4u);
  ASSERT_TRUE(IsDBCSLeadByte(static_cast<BYTE>(chinese[0])));
  Type(chinese);
  EXPECT_EQ(List()->SearchText(), chinese);
  EXPECT_EQ(List()->ItemIndex(), 4);
  Type("\b");  // removes the whole last character
  EXPECT_EQ(List()->SearchText(), chinese.substr(0, 2));
  EXPECT_EQ(List()->ItemIndex(), 3);
}

// The list hands its mouse and focus traffic to the container through the container's access
// route: points in the container's coordinates, a press with the container's inner-control press
// flag set, and a focus change told once (not for a focus the container passed on itself).
TEST_F(cxInnerListBoxTest, MouseAndFocusReachTheContainerInItsCoordinates)
{
  FContainer->Style()->SetTransparentBorder(false);
  FContainer->Style()->SetBorderStyle(cbsSingle);
  HandleWaitingMessages();
  const int x = 5 + List()->Left(), y = 6 + List()->Top();
  ASSERT_GT(List()->Left() + List()->Top(), 0);  // the border moves the list in
  FContainer->Mouse.clear();
  List()->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
  _TcxContainerAccess::MouseDown(FContainer, List(), mbLeft, TShiftState{ssLeft}, 5, 6);
  List()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
  const std::string at = std::to_string(x) + "," + std::to_string(y);
  EXPECT_EQ(FContainer->Mouse, (std::vector<std::string>{"move " + at, "down " + at + " pressed in list", "up " + at}));
  EXPECT_FALSE(FContainer->InnerControlMouseDown());

  const int before = FContainer->FocusChanges;
  SendMessageA(List()->Handle(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(FContainer->FocusChanges, before + 1);
  SendMessageA(List()->Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(FContainer->Handle()), 0);
  EXPECT_EQ(FContainer->FocusChanges, before + 1);
  SendMessageA(List()->Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(FForm->Handle()), 0);
  EXPECT_EQ(FContainer->FocusChanges, before + 2);
}

// The mouse entering or leaving the list reaches the container the way it does for any inner
// control (as the list's parent): one refresh at the cursor, with notification, each time.
TEST_F(cxInnerListBoxTest, EnteringOrLeavingTheListRefreshesTheContainerOnceWithNotification)
{
  HandleWaitingMessages();
  const int before = FContainer->StateChanges;
  List()->Perform(CM_MOUSEENTER);
  EXPECT_EQ(FContainer->StateChanges, before + 1);
  List()->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(FContainer->StateChanges, before + 2);
  EXPECT_TRUE(FContainer->ViewInfoCalculated());
}

// The corner between the two painted bars shows the painter's form content colour on the screen
// and when the list is printed with its non-client area; with one bar only there is no corner.
TEST_F(cxInnerListBoxTest, TheCornerBetweenThePaintedBarsIsFilledOnScreenAndWhenPrinted)
{
  Fill(60);
  EXPECT_TRUE(IsRectEmpty(&static_cast<const RECT&>(List()->SizeGripRect())));  // the vertical bar only
  SendMessageA(List()->Handle(), LB_SETHORIZONTALEXTENT, 1000, 0);
  HandleWaitingMessages();
  ASSERT_TRUE(List()->HScrollBar()->Visible());
  ASSERT_TRUE(List()->VScrollBar()->Visible());
  const RECT grip = List()->SizeGripRect();
  ASSERT_FALSE(IsRectEmpty(&grip));
  // Right of the horizontal bar and below the vertical one, in window coordinates.
  RECT window{};
  GetWindowRect(List()->Handle(), &window);
  const POINT barsCorner = FContainer->ClientToScreen(POINT{List()->VScrollBar()->Left(), List()->HScrollBar()->Top()});
  EXPECT_EQ(grip.left, barsCorner.x - window.left);
  EXPECT_EQ(grip.top, barsCorner.y - window.top);
  EXPECT_EQ(grip.right - grip.left, List()->VScrollBar()->Width());
  EXPECT_EQ(grip.bottom - grip.top, List()->HScrollBar()->Height());
  const COLORREF corner = ColorToRGB(FContainer->GetPainter()->FormContentColor());
  const POINT mid{(grip.left + grip.right) / 2, (grip.top + grip.bottom) / 2};

  TDibSurface surface(window.right - window.left, window.bottom - window.top, RGB(1, 2, 3));
  SendMessageA(List()->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(surface.DC()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(surface.Pixel(mid.x, mid.y), corner);
  EXPECT_EQ(surface.Pixel(grip.left, grip.top), corner);
  EXPECT_EQ(surface.Pixel(grip.right - 1, grip.bottom - 1), corner);
  // The rest of the non-client area (the system bars under the painted ones) is left out.
  surface.Fill(RGB(1, 2, 3));
  SendMessageA(List()->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(surface.DC()), PRF_NONCLIENT);
  EXPECT_EQ(surface.Pixel(mid.x, mid.y), corner);
  EXPECT_EQ(surface.Pixel(grip.left - 5, mid.y), RGB(1, 2, 3));
  EXPECT_EQ(surface.Pixel(mid.x, grip.top - 5), RGB(1, 2, 3));

  FForm->BringToFront();
  SetForegroundWindow(FForm->Handle());
  RedrawWindow(List()->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HandleWaitingMessages();
  HDC dc = GetWindowDC(List()->Handle());
  const COLORREF onScreen = GetPixel(dc, mid.x, mid.y);
  ReleaseDC(List()->Handle(), dc);
  EXPECT_EQ(onScreen, corner);
}

namespace {

// What the drop targets of a drag hear.
struct TDropLog : TObject {
  int Overs = 0;
  TObject* DropSource = nullptr;  // the dragged control, or a drag object of the program's own
  POINT DropAt{-1, -1};
  void Over(TObject*, TObject*, int, int, TDragState, bool& accept)
  {
    ++Overs;
    accept = true;
  }
  // The drag object goes after the drop: what it drags is kept instead.
  void Drop(TObject*, TObject* source, int x, int y)
  {
    auto* dragged = dynamic_cast<TBaseDragControlObject*>(source);
    DropSource = dragged ? dragged->Control() : source;
    DropAt = POINT{x, y};
  }
};

// A container whose list drags automatically, beside a panel that takes drops.
class cxInnerListBoxDragTest : public cxInnerListBoxTest {
protected:
  void SetUp() override
  {
    GetCursorPos(&FSavedCursor);
    cxInnerListBoxTest::SetUp();
    FTarget = New<TPanel>(FForm);
    FTarget->SetParent(FForm);
    FTarget->SetBounds(180, 10, 100, 100);
    FTarget->SetOnDragOver(TDragOverEvent(FTargetLog.get(), &TDropLog::Over));
    FTarget->SetOnDragDrop(TDragDropEvent(FTargetLog.get(), &TDropLog::Drop));
    SetWindowPos(FForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Fill(5);
    HandleWaitingMessages();
  }
  void TearDown() override
  {
    CancelDrag();
    cxInnerListBoxTest::TearDown();
    MoveCursorTo(FSavedCursor);
  }
  POINT ItemPoint(int index)
  {
    RECT r{};
    SendMessageA(List()->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The mouse presses an item with the keys held that keys says.
  void PressItem(int index, WPARAM keys)
  {
    const POINT p = ItemPoint(index);
    MoveCursorTo(List()->ClientToScreen(p));
    PostMessageA(List()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, PointToLParam(p));
    HandleWaitingMessages();
  }
  // The mouse moves onto control and is released there; the window holding the mouse hears both.
  void DropOn(TWinControl* control)
  {
    const POINT screen = control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
    ASSERT_TRUE(MoveCursorTo(screen));
    FDroppedAt = control->Parent()->ScreenToClient(screen);
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    POINT client = screen;
    ScreenToClient(capture, &client);
    PostMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(client));
    HandleWaitingMessages();
    PostMessageA(GetCapture() ? GetCapture() : capture, WM_LBUTTONUP, 0, PointToLParam(client));
    HandleWaitingMessages();
  }
  std::vector<int> SelectedItems()
  {
    std::vector<int> items;
    for (int i = 0; i < 5; ++i)
      if (List()->Selected(i)) items.push_back(i);
    return items;
  }

  POINT FSavedCursor{};
  POINT FDroppedAt{};  // where DropOn released the mouse, in the client coordinates of the control's parent
  TPanel* FTarget = nullptr;
  TOwned<TDropLog> FTargetLog = MakeOwned<TDropLog>();
};

}  // namespace

TEST_F(cxInnerListBoxDragTest, APressSelectsAndDragsTheContainerUnlessKeysExtendAMultiSelection)
{
  struct TCase {
    const char* Name;
    bool Multi;
    int Press;
    WPARAM Keys;
    std::vector<int> Selected;  // after the press
    bool Drags;
  };
  const TCase cases[] = {
    {"single, plain", false, 2, 0, {2}, true},
    {"multi, on the selection", true, 3, 0, {1, 3}, true},  // the selection stays for the drag
    {"multi, on the selection with Ctrl and Shift", true, 3, MK_CONTROL | MK_SHIFT, {1, 3}, true},
    {"multi, off the selection", true, 0, 0, {0}, true},
    {"multi, Ctrl toggles", true, 2, MK_CONTROL, {1, 2, 3}, false},
    {"multi, Shift extends", true, 3, MK_SHIFT, {}, false},  // the range depends on the anchor
  };
  FContainer->SetDragMode(dmAutomatic);
  EXPECT_EQ(List()->DragMode(), dmAutomatic);  // the container's mode reaches its list
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List()->SetMultiSelect(c.Multi);
    HandleWaitingMessages();
    List()->ClearSelection();
    if (c.Multi) {
      List()->SetSelected(1, true);
      List()->SetSelected(3, true);
    }
    FTargetLog->Overs = 0;
    FTargetLog->DropSource = nullptr;
    PressItem(c.Press, c.Keys);
    EXPECT_EQ(FContainer->Dragging(), c.Drags);
    EXPECT_FALSE(List()->Dragging());
    EXPECT_EQ(List()->DragMode(), dmAutomatic);  // manual only for the press
    if (!c.Selected.empty()) {
      EXPECT_EQ(SelectedItems(), c.Selected);
    }
    if (!c.Drags) {
      PostMessageA(List()->Handle(), WM_LBUTTONUP, 0, PointToLParam(ItemPoint(c.Press)));
      HandleWaitingMessages();
      continue;
    }
    DropOn(FTarget);
    EXPECT_FALSE(FContainer->Dragging());
    EXPECT_GT(FTargetLog->Overs, 0);
    EXPECT_EQ(FTargetLog->DropSource, FContainer);
  }
}

TEST_F(cxInnerListBoxDragTest, DragsOverAndDropsOnTheListGoToTheContainerInItsCoordinates)
{
  TOwned<TDropLog> containerLog = MakeOwned<TDropLog>();
  FContainer->SetOnDragOver(TDragOverEvent(containerLog.get(), &TDropLog::Over));
  FContainer->SetOnDragDrop(TDragDropEvent(containerLog.get(), &TDropLog::Drop));
  FContainer->SetBounds(10, 10, 160, 100);  // lays the list out inside the border
  ASSERT_GT(List()->Left(), 0);
  ASSERT_GT(List()->Top(), 0);
  MoveCursorTo(FTarget->ClientToScreen(POINT{50, 50}));
  FTarget->BeginDrag(true);
  ASSERT_TRUE(FTarget->Dragging());
  DropOn(List());
  EXPECT_GT(containerLog->Overs, 0);
  EXPECT_EQ(containerLog->DropSource, FTarget);
  EXPECT_EQ(containerLog->DropAt.x, FDroppedAt.x);
  EXPECT_EQ(containerLog->DropAt.y, FDroppedAt.y);
}

namespace {

// The list's drawing events: items are filled with a colour (or with the brush the canvas comes
// with), a virtual list's items are "item NNN" with one Chinese item, found by their start.
class TItemSource : public TObject {
  CL_CLASS(TItemSource, TObject)
public:
  TColor Fill = clLime;
  std::vector<int> Drawn, DataAsked;
  std::vector<std::string> Finds;
  static constexpr int ChineseIndex = 900;
  static std::string Text(int index)
  {
    if (index == ChineseIndex) return "中国";
    std::string digits = std::to_string(index);
    return "item " + std::string(3 - digits.size(), '0') + digits;
  }
  void DrawItem(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state)
  {
    Drawn.push_back(index);
    TCanvas* canvas = static_cast<TcxCustomInnerListBox*>(control)->cxCanvas()->Canvas();
    if (!state.Contains(odSelected)) canvas->Brush()->SetColor(Fill);
    canvas->FillRect(rect);
  }
  void Data(TWinControl*, int index, std::string& data)
  {
    DataAsked.push_back(index);
    data = Text(index);
  }
  int DataFind(TWinControl*, const std::string& text)
  {
    Finds.push_back(text);
    for (int i = 0; i < 1000; ++i)
      if (Text(i).starts_with(text)) return i;
    return -1;
  }
};
CL_DEFINE_CLASS(TItemSource);

// Draws one item through the list's reflected draw request on the surface; the surface's context
// has its own objects selected again afterwards.
void DrawThroughList(TcxCustomInnerListBox* list, TDibSurface& surface, int index, TOwnerDrawState state, RECT rect)
{
  const HGDIOBJ brush = GetCurrentObject(surface.DC(), OBJ_BRUSH), font = GetCurrentObject(surface.DC(), OBJ_FONT);
  DRAWITEMSTRUCT dis{ODT_LISTBOX, 0, static_cast<UINT>(index), ODA_DRAWENTIRE, static_cast<UINT>(state.ToInt()),
                     list->Handle(), surface.DC(), rect, 0};
  EXPECT_EQ(list->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
  EXPECT_FALSE(list->Canvas()->HandleAllocated());
  EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(surface.DC(), OBJ_FONT), font);
}

}  // namespace

// The list's items as the list paints them (printed into a surface): the event's colour for
// unselected items and the highlight for the selected one, which the canvas comes with.
TEST_F(cxInnerListBoxTest, OwnerDrawnItemsShowTheEventsColourAndTheHighlightWhenSelected)
{
  TOwned<TItemSource> source = MakeOwned<TItemSource>();
  List()->SetStyle(lbOwnerDrawFixed);
  List()->SetItemHeight(20);
  List()->SetOnDrawItem(TDrawItemEvent(source.get(), &TItemSource::DrawItem));
  Fill(3);
  List()->SetItemIndex(1);
  EXPECT_EQ(List()->cxCanvas()->Canvas(), List()->Canvas());
  TDibSurface surface(List()->ClientWidth(), List()->ClientHeight(), RGB(1, 2, 3));
  SendMessageA(List()->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  const int width = List()->ClientWidth();
  EXPECT_EQ(surface.Count(RECT{0, 0, width, 20}, RGB(0, 255, 0)), width * 20);
  EXPECT_EQ(surface.Count(RECT{0, 20, width, 40}, GetSysColor(COLOR_HIGHLIGHT)), width * 20);
  EXPECT_EQ(surface.Count(RECT{0, 40, width, 60}, RGB(0, 255, 0)), width * 20);
  EXPECT_FALSE(source->Drawn.empty());
  EXPECT_FALSE(List()->Canvas()->HandleAllocated());
}

// The list draws the focus rectangle only while it draws its items itself; an invalid index is
// only filled (with the list's colour, never the highlight) and never reaches the event.
TEST_F(cxInnerListBoxTest, TheFocusRectangleIsTheListsOnlyWithDefaultDrawing)
{
  TOwned<TItemSource> source = MakeOwned<TItemSource>();
  List()->SetStyle(lbOwnerDrawFixed);
  List()->SetColor(clYellow);
  Fill(2);
  const RECT rect{0, 4, 100, 24};
  const COLORREF yellow = RGB(255, 255, 0), lime = RGB(0, 255, 0), highlight = GetSysColor(COLOR_HIGHLIGHT);
  struct TCase {
    bool Event;
    int Index;
    TOwnerDrawState State;
    COLORREF Inside;
    bool Framed;
  };
  const TCase cases[] = {
    {false, 0, {odFocused}, yellow, true},
    {false, 1, {odSelected, odFocused}, highlight, true},
    {false, -1, {odSelected, odFocused}, yellow, true},
    {true, 0, {odFocused}, lime, false},
    {true, 1, {odSelected, odFocused}, highlight, false},
    {true, -1, {odSelected, odFocused}, yellow, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Event) + " " + std::to_string(c.Index));
    List()->SetOnDrawItem(c.Event ? TDrawItemEvent(source.get(), &TItemSource::DrawItem) : TDrawItemEvent());
    source->Drawn.clear();
    TDibSurface surface(100, 30, RGB(1, 2, 3));
    DrawThroughList(List(), surface, c.Index, c.State, rect);
    EXPECT_EQ(surface.Pixel(90, 14), c.Inside);
    EXPECT_EQ(surface.Pixel(50, 2), RGB(1, 2, 3));
    EXPECT_EQ(surface.Count(RECT{0, 4, 100, 5}, c.Inside) < 100, c.Framed);
    EXPECT_EQ(source->Drawn, c.Event && c.Index >= 0 ? std::vector<int>{c.Index} : std::vector<int>{});
  }
}

// A virtual list of 1000 items: it paints the visible ones from OnData, scrolls with its painted
// bar, and typed text is looked up through OnDataFind, a Chinese item typed as lead and trail
// bytes included.
TEST_F(cxInnerListBoxTest, AVirtualListShowsScrollsAndFindsTypedTextThroughItsEvents)
{
  TOwned<TItemSource> source = MakeOwned<TItemSource>();
  List()->SetStyle(lbVirtual);
  List()->SetOnData(TLBGetDataEvent(source.get(), &TItemSource::Data));
  List()->SetOnDataFind(TLBFindDataEvent(source.get(), &TItemSource::DataFind));
  List()->SetCount(1000);
  HandleWaitingMessages();
  TcxScrollBar* bar = List()->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Max(), 999);

  const int visible = List()->ClientHeight() / List()->ItemHeight() + 1;
  auto paint = [&] {
    source->DataAsked.clear();
    TDibSurface surface(List()->ClientWidth(), List()->ClientHeight());
    SendMessageA(List()->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  };
  paint();
  ASSERT_FALSE(source->DataAsked.empty());
  for (int index : source->DataAsked) EXPECT_LT(index, visible);

  // The painted bar's thumb moved to 600 scrolls the list there.
  int pos = 600;
  bar->OnScroll()(bar, scTrack, pos);
  EXPECT_EQ(List()->TopIndex(), 600);
  EXPECT_EQ(pos, 600);
  paint();
  ASSERT_FALSE(source->DataAsked.empty());
  for (int index : source->DataAsked) {
    EXPECT_GE(index, 600);
    EXPECT_LT(index, 600 + visible);
  }

  List()->SetAutoComplete(true);
  List()->SetAutoCompleteDelay(500);
  Type("item 12");
  EXPECT_EQ(List()->ItemIndex(), 120);
  EXPECT_EQ(source->Finds.back(), "item 12");
  EXPECT_LE(List()->TopIndex(), 120);  // brought into view
  GTicks += 600;
  source->Finds.clear();
  const std::string chinese = "中国";
  Type(chinese);
  EXPECT_EQ(source->Finds, (std::vector<std::string>{chinese.substr(0, 2), chinese}));
  EXPECT_EQ(List()->ItemIndex(), TItemSource::ChineseIndex);
  // Text that no item starts with leaves the choice alone.
  Type("x");
  EXPECT_EQ(List()->ItemIndex(), TItemSource::ChineseIndex);
}

// A handler answering an index outside the list finds nothing, and Backspace in an empty list
// (which searches for the empty text) chooses nothing instead of raising.
TEST_F(cxInnerListBoxTest, TypedSearchInAVirtualListKeepsToTheList)
{
  struct TWrongFinder : TObject {
    int DataFind(TWinControl*, const std::string&) { return 5000; }
    void Raised(TObject*, const Exception& e) { Errors.push_back(e.Message()); }
    std::vector<std::string> Errors;
  };
  TOwned<TWrongFinder> finder = MakeOwned<TWrongFinder>();
  // An exception from the typed search would reach the application's handler, not the test.
  struct TRestoreHandler {
    TExceptionEvent Old = Application->OnException();
    ~TRestoreHandler() { Application->SetOnException(Old); }
  } restore;
  Application->SetOnException(TExceptionEvent(finder.get(), &TWrongFinder::Raised));
  List()->SetStyle(lbVirtualOwnerDraw);
  List()->SetOnDataFind(TLBFindDataEvent(finder.get(), &TWrongFinder::DataFind));
  List()->SetCount(10);
  List()->SetAutoComplete(true);
  List()->SetAutoCompleteDelay(500);
  Type("a");
  EXPECT_EQ(List()->ItemIndex(), -1);
  List()->SetCount(0);
  GTicks += 600;
  Type("\b");
  EXPECT_EQ(List()->ItemIndex(), -1);
  EXPECT_EQ(finder->Errors, std::vector<std::string>{});
}

// Making, drawing and freeing owner-drawn inner lists many times leaves no GDI object, window or
// selected tool behind.
TEST(cxInnerListBoxLeaks, DrawingCyclesLeaveNoGdiObjectsOrWindowsBehind)
{
  TOwned<TItemSource> source = MakeOwned<TItemSource>();
  auto cycle = [&](int i) {
    TFormGuard guard{NewForm(200, 150)};
    auto* container = New<TListContainer>(guard.Form);
    container->SetParent(guard.Form);
    container->SetBounds(0, 0, 150, 100);
    container->Attach();
    TcxCustomInnerListBox* list = container->List;
    list->SetStyle(i % 2 ? lbOwnerDrawFixed : lbVirtualOwnerDraw);
    if (i % 3) list->SetOnDrawItem(TDrawItemEvent(source.get(), &TItemSource::DrawItem));
    list->SetOnData(TLBGetDataEvent(source.get(), &TItemSource::Data));
    list->Font()->SetSize(9 + i % 4);
    if (list->IsVirtual())
      list->SetCount(50);
    else
      for (int n = 0; n < 50; ++n) list->Items()->Add(TItemSource::Text(n));
    list->SetItemIndex(2);
    TDibSurface surface(list->ClientWidth(), list->ClientHeight());
    SendMessageA(list->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
    DrawThroughList(list, surface, 2, {odSelected, odFocused}, RECT{0, 0, 50, 16});
    DrawThroughList(list, surface, -1, {odFocused}, RECT{0, 0, 50, 16});
  };
  cycle(0);  // warm-up: classes, fonts and brushes the platform makes once
  HandleWaitingMessages();
  const int liveBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindowCount();
  for (int i = 1; i <= 50; ++i) cycle(i);
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), liveBefore);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}
