// The container and its view info, with a class-library edit control inside: geometry of every
// border style, native style and shadow; border, background and shadow pixels; states under mouse
// and focus; Tab order; the inner control's window region; colour and font through the style; and
// the painted scroll bars that mirror a multi-line edit's system bars.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include "classlib/Docking.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/StdCtrls.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/controls/cxControlsScrollBars.h"

using namespace controls_test;

namespace {

class TTestContainer;

// The class library's edit control as an inner control: no border of its own, optionally
// multi-line with a vertical scroll bar; it tells its container about focus changes and lets the
// container see its messages first.
class TTestInnerEdit : public TEdit, public IcxContainerInnerControl {
  CL_CLASS(TTestInnerEdit, TEdit)
public:
  explicit TTestInnerEdit(TComponent* Owner) : TEdit(Owner) {}
  TcxContainer* Container = nullptr;
  bool MultiLine = false;
  TWinControl* GetControl() override { return this; }
  TcxContainer* GetControlContainer() override { return Container; }

protected:
  void CreateParams(TCreateParams& Params) override
  {
    TEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.Style &= ~WS_BORDER;
    if (MultiLine) Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  }
  void WndProc(TMessage& Message) override
  {
    if (Message.Msg == WM_NCPAINT && Container) {
      TEdit::WndProc(Message);
      FillSizeGrip(Container);
      return;
    }
    TEdit::WndProc(Message);
    if (Message.Msg == WM_SETFOCUS) _TcxContainerAccess::FocusReceived(Container, reinterpret_cast<HWND>(Message.WParam));
    if (Message.Msg == WM_KILLFOCUS) _TcxContainerAccess::FocusLost(Container);
  }
  void DefaultHandler(TMessage& Message) override
  {
    if (Container && Container->DispatchInnerControlMessage(Message)) return;
    TEdit::DefaultHandler(Message);
  }
};
CL_DEFINE_CLASS(TTestInnerEdit);

// A container whose inner control is an edit; MultiLineInner asks for a multi-line edit.
class TTestContainer : public TcxContainer {
  CL_CLASS(TTestContainer, TcxContainer)
public:
  explicit TTestContainer(TComponent* Owner) : TcxContainer(Owner) {}
  static inline bool MultiLineInner = false;
  void AfterConstruction() override
  {
    TcxContainer::AfterConstruction();
    Edit = New<TTestInnerEdit>(this);
    Edit->Container = this;
    Edit->MultiLine = MultiLineInner;
    Edit->SetParent(this);
    SetInnerControl(Edit);
  }
  bool HasScrollBars() const override { return true; }
  TTestInnerEdit* Edit = nullptr;
  using TcxContainer::AlignControls;
};
CL_DEFINE_CLASS(TTestContainer);

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

constexpr TColor FormColor = static_cast<TColor>(RGB(90, 160, 90));
constexpr TColor ContainerColor = static_cast<TColor>(RGB(230, 210, 170));

class ContainerTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(420, 300);
    Form->SetColor(FormColor);
  }
  void TearDown() override { Free(Form); }
  TTestContainer* NewContainer(int left, int top, int width, int height, bool multiLine = false)
  {
    TScopedSeam<bool> multi(TTestContainer::MultiLineInner, multiLine);
    auto* container = New<TTestContainer>(Form);
    container->Style()->LookAndFeel()->SetKind(lfStandard);
    container->SetParent(Form);
    container->SetBounds(left, top, width, height);
    return container;
  }
  void ShowOnTop()
  {
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HandleWaitingMessages();
  }
  // Repaints the container and its edit now.
  static void PaintNow(TTestContainer* c)
  {
    HandleWaitingMessages();
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HandleWaitingMessages();
  }
  void MoveCursorTo(TControl* control, int x, int y)
  {
    ::MoveCursorTo(control->ClientToScreen(POINT{x, y}));
  }

  TForm* Form = nullptr;
};

// Whether the window's region (the whole window when it has none) holds the point.
bool PtInRegionOfWindow(HWND wnd, POINT p)
{
  auto region = MakeOwned<TcxRegion>();
  if (GetWindowRgn(wnd, region->Handle()) == ERROR) return true;
  return PtInRegion(region->Handle(), p.x, p.y) != FALSE;
}

RECT ControlBounds(TControl* c) { return RectFromBounds(c->Left(), c->Top(), c->Width(), c->Height()); }

}  // namespace

// --- Geometry ---

// The border and client rectangles, the inner control's bounds and the drawn border's outer
// rectangle of a 100 x 40 container for every border style, with and without native style and
// shadow (the border not transparent). The widths are those of the standard painter: single 1,
// thick, flat and 3-D 2; ultra-flat and Office 2003 are drawn as single.
TEST_F(ContainerTest, BorderAndContentRectanglesOfEveryStyle)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 100, 40);
  c->Style()->SetTransparentBorder(false);
  const bool nativeAvailable = IsNativeStyleAvailable(true, TdxThemedObjectType::totEdit);
  constexpr int widths[] = {0, 1, 2, 2, 2, 1, 1};
  for (int style = 0; style <= static_cast<int>(cbsOffice11); ++style) {
    for (bool native : {false, true}) {
      for (bool shadow : {false, true}) {
        SCOPED_TRACE(testing::Message() << "style " << style << " native " << native << " shadow " << shadow);
        const auto borderStyle = static_cast<TcxContainerBorderStyle>(style);
        c->Style()->SetBorderStyle(borderStyle);
        c->Style()->LookAndFeel()->SetNativeStyle(native);
        c->Style()->SetShadow(shadow);
        HandleWaitingMessages();
        c->RefreshStateAtCursor(false);
        const TcxContainerViewInfo* vi = c->ViewInfo();
        RECT border{}, outer{};
        if (native && nativeAvailable) {
          const int w = borderStyle == cbsNone ? 0 : 2;
          border = RECT{w, w, 100 - w, 40 - w};
          EXPECT_TRUE(vi->NativeStyle);
          EXPECT_FALSE(vi->Shadow);
          EXPECT_EQ(vi->BorderStyle, borderStyle);
        } else {
          const int w = widths[style];
          const int s = shadow ? 3 : 0;
          border = RECT{w, w, 100 - w - s, 40 - w - s};
          outer = RECT{0, 0, 100 - s, 40 - s};
          EXPECT_EQ(vi->Shadow, shadow);
          EXPECT_EQ(vi->BorderWidth, w);
          EXPECT_TRUE(RectsEqual(c->GetShadowRect(), outer));
        }
        EXPECT_TRUE(RectsEqual(vi->Bounds, RECT{0, 0, 100, 40}));
        EXPECT_TRUE(RectsEqual(vi->BorderRect, border));
        EXPECT_TRUE(RectsEqual(vi->ClientRect, border));
        EXPECT_TRUE(RectsEqual(ControlBounds(c->Edit), border));
      }
    }
  }
}

// Without a left edge the border extent is 0 on the left; the drawn border still starts one width
// left of the border rectangle, outside the control.
TEST_F(ContainerTest, MissingEdgeGivesNoExtentOnThatSide)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 100, 40);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbs3D);
  c->Style()->SetEdges(TcxBorders{TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom});
  c->RefreshStateAtCursor(false);
  const int w = ContainerBorderWidthForStyle(cbs3D);
  EXPECT_EQ(c->ViewInfo()->BorderRect.left, 0);
  EXPECT_EQ(c->ViewInfo()->BorderRect.top, w);
  EXPECT_TRUE(RectsEqual(c->GetShadowRect(), RECT{0, 0, 100, 40}));
}

// A transparent border keeps 2 pixels outside the drawn border out of the window: the window
// region is the drawn border's outer rectangle.
TEST_F(ContainerTest, TransparentBorderIsOutsideTheWindowRegion)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 100, 40);
  c->Style()->SetBorderStyle(cbsSingle);
  c->Style()->SetTransparentBorder(true);
  c->RefreshStateAtCursor(false);
  const int w = ContainerBorderWidthForStyle(cbsSingle);
  EXPECT_TRUE(RectsEqual(c->ViewInfo()->BorderRect, RECT{2, 2, 98, 38}));
  auto region = MakeOwned<TcxRegion>();
  ASSERT_EQ(GetWindowRgn(c->Handle(), region->Handle()), SIMPLEREGION);
  const int inset = 2 - w;
  EXPECT_TRUE(RectsEqual(region->BoundsRect(), RECT{inset, inset, 100 - inset, 40 - inset}));
}

// A shadow without a transparent border: the window region is the border rectangle and the same
// moved by (3, 3); the top-right and bottom-left 3 x 3 corners are outside. A native border never
// has a shadow region. An unchanged region is not given to the window again.
TEST_F(ContainerTest, ShadowWindowRegion)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 100, 40);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbsSingle);
  c->Style()->SetShadow(true);
  c->RefreshStateAtCursor(false);
  HWND wnd = c->Handle();
  for (POINT p : {POINT{0, 0}, POINT{96, 10}, POINT{99, 39}, POINT{10, 38}})
    EXPECT_TRUE(PtInRegionOfWindow(wnd, p)) << p.x << "," << p.y;
  for (POINT p : {POINT{98, 1}, POINT{1, 38}}) EXPECT_FALSE(PtInRegionOfWindow(wnd, p)) << p.x << "," << p.y;

  auto before = MakeOwned<TcxRegion>();
  GetWindowRgn(wnd, before->Handle());
  EXPECT_FALSE(IsWindowRegionChanged(wnd, before.get()));
  EXPECT_FALSE(ApplyWindowRegion(wnd, c->CreateWindowRegion()));

  if (IsNativeStyleAvailable(true, TdxThemedObjectType::totEdit)) {
    c->Style()->LookAndFeel()->SetNativeStyle(true);
    c->RefreshStateAtCursor(false);
    EXPECT_EQ(GetWindowRgn(wnd, before->Handle()), ERROR);  // no region at all
  }
}

// --- Pixels ---

// Background (through the empty edit, which takes the container's colour), shadow and border
// pixels for each border style.
TEST_F(ContainerTest, BorderBackgroundAndShadowPixels)
{
  ShowOnTop();
  struct TCase {
    TcxContainerBorderStyle Style;
    bool Shadow;
    TColor Outer, Inner;  // the outermost pixel column of the left edge and the next one in
  };
  const TCase cases[] = {
      {cbsNone, false, ContainerColor, ContainerColor},
      {cbsSingle, true, clWindowFrame, ContainerColor},
      {cbsThick, false, clWindowFrame, clWindowFrame},
      {cbsFlat, true, clBtnShadow, clBtnFace},
      {cbs3D, false, clBtnShadow, cl3DDkShadow},
      {cbsUltraFlat, true, clBtnShadow, ContainerColor},
  };
  int top = 5;
  for (const TCase& k : cases) {
    SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(k.Style));
    auto* c = NewContainer(20, top, 120, 40);
    top += 48;
    c->Style()->SetTransparentBorder(false);
    c->Style()->SetBorderStyle(k.Style);
    c->Style()->SetShadow(k.Shadow);
    c->Style()->SetColor(ContainerColor);
    PaintNow(c);
    HWND wnd = c->Handle();
    const int s = k.Shadow ? 3 : 0;
    EXPECT_EQ(WindowPixel(wnd, 60, 18 - s / 2), Rgb(ContainerColor));
    if (k.Shadow) {
      // Right of and below the border, from 3 pixels in; the corners show the form.
      EXPECT_EQ(WindowPixel(wnd, 118, 20), Rgb(clBtnShadow));
      EXPECT_EQ(WindowPixel(wnd, 60, 38), Rgb(clBtnShadow));
      EXPECT_EQ(WindowPixel(wnd, 118, 1), Rgb(FormColor));
      EXPECT_EQ(WindowPixel(wnd, 1, 38), Rgb(FormColor));
    }
    EXPECT_EQ(WindowPixel(wnd, 0, 20), Rgb(k.Outer));
    EXPECT_EQ(WindowPixel(wnd, 1, 20), Rgb(k.Inner));
  }
}

// --- State ---

// Hot under the mouse (over the border and over the inner edit), not hot with the left button
// held, normal again once the mouse has left; active while the edit has the focus.
TEST_F(ContainerTest, StateFollowsMouseAndFocus)
{
  ShowOnTop();
  auto* other = New<TEdit>(Form);
  other->SetParent(Form);
  other->SetBounds(250, 10, 80, 24);
  auto* c = NewContainer(20, 20, 150, 40);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbsSingle);
  HandleWaitingMessages();
  auto isHot = [c] { return c->ContainerState().Contains(TcxContainerStateFlag::csHotTrack); };

  MoveCursorTo(c, 1, 20);
  c->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(1, 20));
  EXPECT_TRUE(isHot());
  EXPECT_TRUE(c->IsHotTracked());
  MoveCursorTo(c, 75, 20);  // over the edit
  EXPECT_TRUE(c->RefreshStateAtCursor(false));
  EXPECT_TRUE(isHot());
  c->RefreshState(POINT{75, 20}, 0, false, TShiftState{ssLeft});
  EXPECT_FALSE(isHot());
  c->RefreshStateAtCursor(false);
  EXPECT_TRUE(isHot());

  MoveCursorTo(Form, 400, 280);
  EXPECT_TRUE(PumpUntil([&] { return !isHot(); }, 3000));
  EXPECT_FALSE(c->IsHotTracked());

  c->Edit->SetFocus();
  HandleWaitingMessages();
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(c->ContainerState(), TcxContainerState{TcxContainerStateFlag::csActive});
  EXPECT_EQ(c->GetActiveStyle(), c->StyleFocused());
  other->SetFocus();
  HandleWaitingMessages();
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(c->ContainerState(), TcxContainerState{TcxContainerStateFlag::csNormal});
  c->SetEnabled(false);
  EXPECT_EQ(c->ContainerState(), TcxContainerState{TcxContainerStateFlag::csDisabled});
  EXPECT_EQ(c->GetActiveStyle(), c->StyleDisabled());
}

// The application's own mouse tracking (which control has the mouse) runs alongside: the mouse
// goes from the border onto the inner edit and from there out of the container, and the container
// hears of both through its child, so it ends up drawn normal.
TEST_F(ContainerTest, LeavingThroughTheInnerControlEndsTheHotState)
{
  ShowOnTop();
  auto* c = NewContainer(20, 20, 150, 40);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbsSingle);
  HandleWaitingMessages();
  auto isHot = [c] { return c->ContainerState().Contains(TcxContainerStateFlag::csHotTrack); };
  constexpr TPumpWork idle = TPumpWork::MessagesAndIdle;

  MoveCursorTo(c, 1, 20);
  ASSERT_TRUE(PumpUntil([&] { return MouseControl() == c && isHot(); }, 3000, idle));
  MoveCursorTo(c, 75, 20);
  ASSERT_TRUE(PumpUntil([&] { return MouseControl() == c->Edit; }, 3000, idle));
  HandleWaitingMessages(idle);
  EXPECT_TRUE(isHot());
  MoveCursorTo(Form, 400, 280);
  EXPECT_TRUE(PumpUntil([&] { return !isHot(); }, 3000, idle));
  EXPECT_FALSE(c->IsHotTracked());
}

// An ultra-flat border is single: button shadow idle, highlight focused.
TEST_F(ContainerTest, UltraFlatBorderColours)
{
  ShowOnTop();
  auto* c = NewContainer(20, 20, 150, 40);
  c->Style()->SetBorderStyle(cbsUltraFlat);
  MoveCursorTo(Form, 400, 280);
  c->RefreshStateAtCursor(false);
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbsSingle);
  EXPECT_EQ(c->ViewInfo()->BorderColor, clBtnShadow);
  c->Edit->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(c->ViewInfo()->BorderColor, clHighlight);
}

// --- Focus and Tab ---

// The focus given to the container goes on to the edit; Tab from the edit leaves for the next
// control and Shift+Tab for the previous one, never back to the container; Tab from the previous
// control enters the edit. WM_KILLFOCUS into the own edit is no exit.
TEST_F(ContainerTest, TabOrderInAndOut)
{
  ShowOnTop();
  auto* before = New<TEdit>(Form);
  before->SetParent(Form);
  before->SetBounds(10, 10, 80, 24);
  auto* c = NewContainer(10, 50, 150, 40);
  auto* after = New<TEdit>(Form);
  after->SetParent(Form);
  after->SetBounds(10, 110, 80, 24);
  int exits = 0;
  struct TCounter : TObject {
    int* Count;
    void Exit(TObject*) { ++*Count; }
  };
  auto counter = MakeOwned<TCounter>();
  counter->Count = &exits;
  c->SetOnExit(TNotifyEvent(counter.get(), &TCounter::Exit));
  HandleWaitingMessages();

  c->SetFocus();
  HandleWaitingMessages();
  EXPECT_EQ(GetFocus(), c->Edit->Handle());
  EXPECT_EQ(Form->ActiveControl(), c->Edit);
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(exits, 0);

  Form->SelectNext(Form->ActiveControl(), true, true);
  HandleWaitingMessages();
  EXPECT_EQ(GetFocus(), after->Handle());

  after->SetFocus();
  HandleWaitingMessages();
  Form->SelectNext(Form->ActiveControl(), false, true);
  HandleWaitingMessages();
  EXPECT_EQ(GetFocus(), c->Edit->Handle());

  Form->SelectNext(Form->ActiveControl(), false, true);
  HandleWaitingMessages();
  EXPECT_EQ(GetFocus(), before->Handle());

  Form->SelectNext(Form->ActiveControl(), true, true);
  HandleWaitingMessages();
  EXPECT_EQ(GetFocus(), c->Edit->Handle());
}

// --- Inner control ---

// The edit fills the client rectangle with no window region; placed beyond it, it is clipped to it
// by a region in its own coordinates, and the region goes once it fits again.
TEST_F(ContainerTest, InnerControlRegion)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 150, 40);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbsSingle);
  c->RefreshStateAtCursor(false);
  HWND edit = c->Edit->Handle();
  auto region = MakeOwned<TcxRegion>();
  EXPECT_EQ(GetWindowRgn(edit, region->Handle()), ERROR);

  const RECT client = c->ViewInfo()->ClientRect;
  c->LockAlignControls(true);
  c->Edit->SetBounds(client.left - 5, client.top, 200, 20);
  c->LockAlignControls(false);
  RECT rect = client;
  c->AlignControls(c->Edit, rect);
  ASSERT_EQ(GetWindowRgn(edit, region->Handle()), SIMPLEREGION);
  EXPECT_TRUE(RectsEqual(region->BoundsRect(), RECT{5, 0, 5 + (client.right - client.left), 20}));

  c->LockedAdjustLayout();
  rect = client;
  c->AlignControls(c->Edit, rect);
  EXPECT_EQ(GetWindowRgn(edit, region->Handle()), ERROR);

  RECT r{};
  c->CalculateChildRegion(RECT{0, 0, 400, 100}, c->Edit, r);
  EXPECT_TRUE(IsRectEmpty(&r));
}

// --- Colour and font ---

// Colour and font set on the container reach the normal style (assigned), come back as the
// container's own and reach the edit; ParentColor clears the colour's mark again. A style's colour
// and font reach container and edit the other way.
TEST_F(ContainerTest, ColourAndFontRoundTrip)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 150, 40);
  c->RefreshStateAtCursor(false);
  c->SetColor(static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_TRUE(c->Style()->AssignedValues().Contains(svColor));
  EXPECT_EQ(c->Style()->Color(), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(c->Color(), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(c->Edit->Color(), static_cast<TColor>(RGB(10, 20, 30)));
  c->SetParentColor(true);
  EXPECT_FALSE(c->Style()->AssignedValues().Contains(svColor));
  EXPECT_EQ(c->Color(), FormColor);

  c->Style()->SetColor(static_cast<TColor>(RGB(200, 100, 50)));
  EXPECT_EQ(c->Color(), static_cast<TColor>(RGB(200, 100, 50)));
  EXPECT_EQ(c->Edit->Color(), static_cast<TColor>(RGB(200, 100, 50)));

  auto font = MakeOwned<TFont>();
  font->SetName("SimSun");
  font->SetSize(15);
  c->SetFont(font.get());
  EXPECT_TRUE(c->Style()->AssignedValues().Contains(svFont));
  EXPECT_EQ(c->Style()->Font()->Size(), 15);
  EXPECT_EQ(c->Font()->Size(), 15);
  EXPECT_EQ(c->Edit->Font()->Size(), 15);

  font->SetSize(11);
  c->Style()->SetFont(font.get());
  c->Style()->SetTextColor(static_cast<TColor>(RGB(0, 0, 200)));
  EXPECT_EQ(c->Font()->Size(), 11);
  EXPECT_EQ(c->Edit->Font()->Size(), 11);
  EXPECT_EQ(c->Edit->Font()->Color(), static_cast<TColor>(RGB(0, 0, 200)));
}

// --- Scroll bars ---

// A multi-line edit with a long text shows its system vertical bar; the container's painted
// vertical bar lies over it with the edit's range, page and position, and follows it when the text fits.
// Scroll information the painted bar would refuse (a minimum above zero with a range smaller than
// the page) is taken in range instead of raising.
TEST_F(ContainerTest, ScrollBarsMirrorTheInnerControl)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 160, 80, true);
  c->Style()->SetTransparentBorder(false);
  c->Style()->SetBorderStyle(cbsSingle);
  c->RefreshStateAtCursor(false);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\r\n";
  c->Edit->SetText(text);
  c->PostScrollBarsSync();
  TcxControlScrollBar* bar = c->VScrollBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return bar->Visible(); }, 3000));

  SCROLLBARINFO info{};
  ASSERT_TRUE(QueryScrollBarInfo(c->Edit->Handle(), OBJID_VSCROLL, info));
  const POINT topLeft = c->ScreenToClient(POINT{info.rcScrollBar.left, info.rcScrollBar.top});
  EXPECT_EQ(bar->Left(), topLeft.x);
  EXPECT_EQ(bar->Top(), topLeft.y);
  EXPECT_EQ(bar->Width(), info.rcScrollBar.right - info.rcScrollBar.left);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(c->Edit->Handle(), SB_VERT, &si);
  EXPECT_EQ(bar->Min(), si.nMin);
  EXPECT_EQ(bar->Max(), si.nMax);
  EXPECT_EQ(bar->PageSize(), static_cast<int>(si.nPage));

  SendMessageA(c->Edit->Handle(), EM_LINESCROLL, 0, 10);
  c->PostScrollBarsSync();
  ASSERT_TRUE(PumpUntil([&] { return bar->Position() > 0; }, 3000));
  GetScrollInfo(c->Edit->Handle(), SB_VERT, &si);
  EXPECT_EQ(bar->Position(), si.nPos);
  EXPECT_FALSE(c->SizeGripVisible());  // only one bar

  // What the system keeps and the painted bar would refuse.
  SCROLLINFO odd{sizeof odd, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 5, 8, 10, 6, 0};
  SetScrollInfo(c->Edit->Handle(), SB_VERT, &odd, TRUE);
  EXPECT_NO_THROW(c->SyncScrollBarsWithInnerControl(true));
  EXPECT_EQ(bar->Min(), 5);
  EXPECT_EQ(bar->Max(), 8);
  EXPECT_EQ(bar->PageSize(), 3);

  // Once the text fits, the painted bar takes the edit's new range.
  c->Edit->SetText("short");
  c->SyncScrollBarsWithInnerControl(false);
  if (QueryScrollBarInfo(c->Edit->Handle(), OBJID_VSCROLL, info) && c->IsScrollBarInfoVisible(info)) {
    GetScrollInfo(c->Edit->Handle(), SB_VERT, &si);
    EXPECT_EQ(bar->Max(), std::max(si.nMax, si.nMin));
  } else {
    EXPECT_FALSE(bar->Visible());
  }
}

// Without the system's GetScrollBarInfo nothing is mirrored.
TEST_F(ContainerTest, NoMirroringWithoutScrollBarInfo)
{
  ShowOnTop();
  TScopedSeam<TcxGetScrollBarInfoFunc> none(cxGetScrollBarInfo, nullptr);
  auto* c = NewContainer(10, 10, 160, 80, true);
  std::string text(2000, 'x');
  c->Edit->SetText(text);
  c->SyncScrollBarsWithInnerControl(false);
  EXPECT_FALSE(c->VScrollBar()->Visible());
  SCROLLBARINFO info{};
  EXPECT_FALSE(QueryScrollBarInfo(c->Edit->Handle(), OBJID_VSCROLL, info));
}

// --- Dragging ---

namespace {
struct TDragLog : TObject {
  int MouseDowns = 0, StartDocks = 0, EndDocks = 0;
  TObject* EndTarget = nullptr;
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++MouseDowns; }
  void StartDock(TObject*, TDragDockObject*&) { ++StartDocks; }
  void EndDock(TObject*, TObject* target, int, int)
  {
    ++EndDocks;
    EndTarget = target;
  }
};
}  // namespace

// The inner control follows the container's drag mode and kind; with automatic dragging a press on
// the container's own window (its border) drags the container, plainly or into a dock site, and
// goes no further.
TEST_F(ContainerTest, AutomaticDraggingBeginsOnTheContainersOwnWindow)
{
  ShowOnTop();
  auto* c = NewContainer(10, 10, 160, 40);
  auto log = MakeOwned<TDragLog>();
  c->SetOnMouseDown(TMouseEvent(log.get(), &TDragLog::MouseDown));
  c->SetOnStartDock(TStartDockEvent(log.get(), &TDragLog::StartDock));
  c->SetOnEndDock(TEndDockEvent(log.get(), &TDragLog::EndDock));
  c->SetDragKind(dkDock);
  EXPECT_EQ(c->Edit->DragKind(), dkDock);
  c->SetDragKind(dkDrag);
  EXPECT_EQ(c->Edit->DragKind(), dkDrag);

  const POINT border{1, 20};
  const LPARAM onBorder = PointToLParam(border);
  MoveCursorTo(c, border.x, border.y);
  SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onBorder);
  SendMessageA(c->Handle(), WM_LBUTTONUP, 0, onBorder);
  EXPECT_EQ(log->MouseDowns, 1);
  EXPECT_FALSE(c->Dragging());

  c->SetDragMode(dmAutomatic);
  EXPECT_EQ(c->Edit->DragMode(), dmAutomatic);
  SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onBorder);
  EXPECT_TRUE(c->Dragging());
  EXPECT_EQ(log->MouseDowns, 1);
  c->EndDrag(false);

  // Docking: the drag's own loop takes the move and the release waiting for the container.
  auto* site = New<TPanel>(Form);
  site->SetParent(Form);
  site->SetBounds(200, 10, 200, 200);
  site->SetDockSite(true);
  c->SetDragKind(dkDock);
  const POINT over = c->ScreenToClient(site->ClientToScreen(POINT{100, 100}));
  PostMessageA(c->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(over));
  PostMessageA(c->Handle(), WM_LBUTTONUP, 0, PointToLParam(over));
  SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onBorder);
  EXPECT_EQ(c->HostDockSite(), site);
  EXPECT_EQ(log->StartDocks, 1);
  EXPECT_EQ(log->EndDocks, 1);
  EXPECT_EQ(log->EndTarget, site);
  EXPECT_EQ(log->MouseDowns, 1);
}

// --- Helpers ---

TEST(ContainerHelpers, RectangleAndInputHelpers)
{
  const TcxBorders leftTop{TcxBorder::bLeft, TcxBorder::bTop};
  EXPECT_TRUE(RectsEqual(GrowRectByEdges(RECT{10, 10, 20, 20}, 2, leftTop), RECT{8, 8, 20, 20}));
  EXPECT_TRUE(RectsEqual(ShrinkRectByMissingEdges(RECT{10, 10, 20, 20}, 2, leftTop), RECT{10, 10, 18, 18}));
  EXPECT_EQ(MouseButtonToContainerButton(mbLeft), 1);
  EXPECT_EQ(MouseButtonToContainerButton(mbRight), 2);
  EXPECT_EQ(MouseButtonToContainerButton(mbMiddle), 3);
  EXPECT_TRUE(AreStringsEqual("Abc", "aBC", false));
  EXPECT_FALSE(AreStringsEqual("Abc", "aBC", true));
  EXPECT_TRUE(AreStringsEqual("Abc", "Abc", true));

  // FillRectOutside: four bands around the inner rectangle, nothing inside it.
  TDibSurface surface(20, 20, RGB(255, 255, 255));
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  auto cx = MakeOwned<TcxCanvas>(canvas.get());
  FillRectOutside(cx.get(), RECT{0, 0, 20, 20}, RECT{5, 5, 15, 15}, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(surface.Pixel(19, 19), RGB(255, 0, 0));
  EXPECT_EQ(surface.Pixel(10, 2), RGB(255, 0, 0));
  EXPECT_EQ(surface.Pixel(10, 10), RGB(255, 255, 255));
}
