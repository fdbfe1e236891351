// The control base: the three painting roads and the erase rule, focusing on click, the keys it
// asks for, wheel scrolling, middle-button panning, the popup menu and its shortcuts, and the
// graphics objects a control leaves behind.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "classlib/Menus.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/cxControlsPanning.h"
#include "tests/support/WindowCount.h"

using namespace controls_test;

namespace {
LPARAM At(POINT p) { return PointToLParam(p); }

struct TMouseRecorder : TObject {
  std::vector<POINT> Downs;
  void MouseDown(TObject*, TMouseButton, TShiftState, int x, int y) { Downs.push_back(POINT{x, y}); }
  bool HandleWheel = false;
  void Wheel(TObject*, TShiftState, int, POINT, bool& handled) { handled = HandleWheel; }
  void ContextPopup(TObject*, POINT, bool& handled) { handled = true; }
};

class CustomControlTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(320, 240);
    Control = NewControl(10, 10, 200, 150);
  }
  void TearDown() override { Free(Form); }

  TTestControl* NewControl(int left, int top, int width, int height)
  {
    auto* control = New<TTestControl>(Form);
    control->LookAndFeel()->SetSkinName(TTestPainterScope::Name);
    control->SetParent(Form);
    control->SetBounds(left, top, width, height);
    return control;
  }
  // Paints the control now and answers the kind of context it painted on (OBJ_DC or OBJ_MEMDC).
  DWORD PaintNow(TTestControl* control)
  {
    HandleWaitingMessages();
    control->PaintedOn.clear();
    InvalidateRect(control->Handle(), nullptr, TRUE);
    UpdateWindow(control->Handle());
    return control->PaintedOn.size() == 1 ? control->PaintedOn[0] : 0;
  }
  // Shows the form above the windows of other programs, whose windows would hide pixels.
  void ShowOnTop()
  {
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // The window shows the control's picture once every repaint it waits for is done (a window of
  // another test process passing over it asks for one more).
  bool ShowsThePicture(TTestControl* control)
  {
    HWND wnd = control->Handle();
    RECT update{};
    return PumpUntil([&] { return !GetUpdateRect(wnd, &update, FALSE); }) && WindowPixel(wnd, 2, 2) == ContentColor &&
           WindowPixel(wnd, 8, 8) == MarkColor && WindowPixel(wnd, 150, 100) == ContentColor;
  }

  TTestPainterScope Painter;
  TForm* Form = nullptr;
  TTestControl* Control = nullptr;
};

// Buffered painting as the platform gives it, counted; or refused.
decltype(dxUxThemeEntryPoints.BeginBufferedPaint) GRealBeginBufferedPaint = nullptr;
decltype(dxUxThemeEntryPoints.BufferedPaintSetAlpha) GRealSetAlpha = nullptr;
int GBufferedPaints = 0, GAlphaSets = 0;
HPAINTBUFFER WINAPI CountingBeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format,
                                               BP_PAINTPARAMS* params, HDC* dc)
{
  ++GBufferedPaints;
  return GRealBeginBufferedPaint(target, rect, format, params, dc);
}
HPAINTBUFFER WINAPI RefusingBeginBufferedPaint(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC* dc)
{
  ++GBufferedPaints;
  *dc = nullptr;
  return nullptr;
}
HRESULT WINAPI CountingSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha)
{
  ++GAlphaSets;
  return GRealSetAlpha(buffer, rect, alpha);
}
bool CompositionOn() { return true; }
}  // namespace

// The mouse entering or leaving a custom control is told to its parent, with the control, as the
// class library tells it for its own controls; the control itself hears it as its own.
TEST_F(CustomControlTest, AParentHearsOfTheMouseEnteringAndLeavingACustomControl)
{
  TTestControl* inner = NewControl(10, 10, 50, 50);
  inner->SetParent(Control);
  std::vector<std::string> heard;
  auto record = [&heard](const char* who) {
    return [&heard, who](TMessage& msg) {
      if (msg.Msg == CM_MOUSEENTER || msg.Msg == CM_MOUSELEAVE)
        heard.push_back(std::string(who) + (msg.Msg == CM_MOUSEENTER ? " enter" : " leave") +
                        (msg.LParam ? " of " + reinterpret_cast<TControl*>(msg.LParam)->Name() : std::string()));
    };
  };
  inner->SetName("Inner");
  Control->OnMessage = record("outer");
  inner->OnMessage = record("inner");
  SetMouseControl(inner);
  SetMouseControl(nullptr);
  EXPECT_EQ(heard, (std::vector<std::string>{"inner enter", "outer enter of Inner", "inner leave", "outer leave of Inner"}));
}

TEST_F(CustomControlTest, DoubleBufferedControlsPaintThroughAMemoryBitmap)
{
  ShowOnTop();
  TScopedSeam<bool> win7(Win7, false);
  Control->SetDoubleBuffered(true);
  EXPECT_EQ(PaintNow(Control), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_TRUE(ShowsThePicture(Control));
  // Without double buffering the control paints straight on the window, except on Windows 7.
  Control->SetDoubleBuffered(false);
  EXPECT_EQ(PaintNow(Control), static_cast<DWORD>(OBJ_DC));
  EXPECT_TRUE(ShowsThePicture(Control));
  TScopedSeam<bool> onWindows7(Win7, true);
  EXPECT_EQ(PaintNow(Control), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_TRUE(ShowsThePicture(Control));
}

TEST_F(CustomControlTest, APaintMessageWithAContextPaintsIntoIt)
{
  TDibSurface surface(200, 150);
  Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()));
  EXPECT_TRUE(surface.ExactlyFills(RECT{5, 5, 15, 15}, MarkColor));
  EXPECT_EQ(surface.Count(RECT{0, 0, 200, 150}, ContentColor), 200 * 150 - 100);
}

TEST_F(CustomControlTest, UnderCompositionBuffersThroughThePlatformOnGlass)
{
  ShowOnTop();
  Control->SetDoubleBuffered(true);
  ASSERT_TRUE(dxUxThemeEntryPoints.BeginBufferedPaint);
  GRealBeginBufferedPaint = dxUxThemeEntryPoints.BeginBufferedPaint;
  GRealSetAlpha = dxUxThemeEntryPoints.BufferedPaintSetAlpha;
  TScopedSeam<TcxIsCompositionOnFunc> composition(cxIsCompositionOn, CompositionOn);
  TScopedSeam<decltype(GRealSetAlpha)> alpha(dxUxThemeEntryPoints.BufferedPaintSetAlpha, CountingSetAlpha);
  {
    TScopedSeam<decltype(GRealBeginBufferedPaint)> begin(dxUxThemeEntryPoints.BeginBufferedPaint,
                                                        CountingBeginBufferedPaint);
    HandleWaitingMessages();
    GBufferedPaints = GAlphaSets = 0;
    EXPECT_EQ(PaintNow(Control), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GBufferedPaints, 1);
    EXPECT_EQ(GAlphaSets, 1);
    EXPECT_TRUE(ShowsThePicture(Control));
  }
  // No buffer from the platform: the memory bitmap paints instead, and the paint cycle ends.
  TScopedSeam<decltype(GRealBeginBufferedPaint)> refuse(dxUxThemeEntryPoints.BeginBufferedPaint,
                                                       RefusingBeginBufferedPaint);
  HandleWaitingMessages();
  GBufferedPaints = GAlphaSets = 0;
  EXPECT_EQ(PaintNow(Control), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GBufferedPaints, 1);
  EXPECT_EQ(GAlphaSets, 0);
  EXPECT_TRUE(ShowsThePicture(Control));
}

TEST_F(CustomControlTest, OnlyItsOwnEraseIsHonoured)
{
  Control->SetParentBackground(false);
  Control->SetColor(static_cast<TColor>(RGB(10, 200, 10)));
  struct TCase {
    const char* Name;
    bool Own, ErasesOwn, DoubleBuffered;
    LRESULT Result;
    bool Drawn;
  };
  const TCase cases[] = {
    {"the system's erase", false, false, false, 0, false},
    {"its own erase", true, false, false, 1, true},
    {"its own erase, double-buffered", true, false, true, 1, true},
    {"the system's erase, erasing its own background", false, true, false, 1, true},
    {"the same, double-buffered", false, true, true, 1, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Control->OwnErase = c.ErasesOwn;
    Control->SetDoubleBuffered(c.DoubleBuffered);
    TDibSurface surface(200, 150, RGB(255, 255, 255));
    const auto dc = reinterpret_cast<WPARAM>(surface.DC());
    EXPECT_EQ(Control->Perform(WM_ERASEBKGND, dc, c.Own ? static_cast<LPARAM>(dc) : 0), c.Result);
    EXPECT_EQ(surface.Count(RECT{0, 0, 200, 150}, RGB(10, 200, 10)), c.Drawn ? 200 * 150 : 0);
  }
  // Showing the parent's background, the control erases with the parent's image where visual styles
  // are on.
  Control->SetParentBackground(true);
  Form->SetColor(static_cast<TColor>(RGB(250, 240, 10)));
  Form->Show();
  TDibSurface surface(200, 150, RGB(255, 255, 255));
  const auto dc = reinterpret_cast<WPARAM>(surface.DC());
  Control->Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
  const COLORREF expected = AreThemesEnabled() ? RGB(250, 240, 10) : RGB(10, 200, 10);
  EXPECT_EQ(surface.Pixel(100, 75), expected);
}

TEST_F(CustomControlTest, AClickFocusesTheControlByTheRules)
{
  TTestControl* other = NewControl(220, 10, 80, 80);
  auto recorder = MakeOwned<TMouseRecorder>();
  other->SetOnMouseDown(TMouseEvent(recorder.get(), &TMouseRecorder::MouseDown));
  Form->Show();
  Control->SetFocus();
  ASSERT_EQ(GetFocus(), Control->Handle());

  struct TCase {
    const char* Name;
    bool MayFocus, NeverFocused, CaptureWithoutFocus, DoubleClick;
    bool Focused, MouseDown, Captured;
  };
  const TCase cases[] = {
    {"a click focuses", true, false, false, false, true, true, true},
    {"a double click does not focus", true, false, false, true, false, true, true},
    {"a control that does not focus on click", false, false, false, false, false, true, true},
    // The control says it is not focused whatever the platform did.
    {"focusing fails: no event, no capture", true, true, false, false, true, false, false},
    {"focusing fails, capture allowed", true, true, true, false, true, true, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Control->SetFocus();
    ASSERT_EQ(GetFocus(), Control->Handle());
    other->FocusOnClick = c.MayFocus;
    other->NeverFocused = c.NeverFocused;
    other->CaptureWithoutFocus = c.CaptureWithoutFocus;
    recorder->Downs.clear();
    other->Perform(c.DoubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{20, 30}));
    EXPECT_EQ(GetFocus() == other->Handle(), c.Focused);
    EXPECT_EQ(recorder->Downs.size(), c.MouseDown ? 1u : 0u);
    EXPECT_EQ(GetCapture() == other->Handle(), c.Captured);
    EXPECT_EQ(other->MouseButtonPressed(), c.Captured);
    other->Perform(WM_LBUTTONUP, 0, At(POINT{20, 30}));
    EXPECT_FALSE(other->MouseButtonPressed());
  }
}

TEST_F(CustomControlTest, ClicksOnAVeryWideControlTakeTheCursorsPosition)
{
  // A mouse message carries 16-bit coordinates; this control is wider (kept without a window, as
  // the system does not make windows that wide).
  Form->SetClientSize(600, 200);
  Form->Show();
  auto* wide = New<TTestControl>(Form);
  wide->SetVisible(false);
  wide->SetParent(Form);
  wide->SetBounds(-39000, 0, 40000, 100);
  wide->FocusOnClick = false;
  ASSERT_EQ(wide->Width(), 40000);
  auto recorder = MakeOwned<TMouseRecorder>();
  wide->SetOnMouseDown(TMouseEvent(recorder.get(), &TMouseRecorder::MouseDown));
  const POINT screen = Form->ClientToScreen(POINT{100, 50});
  ASSERT_TRUE(MoveCursorTo(screen));
  wide->MouseDown(mbLeft, {}, static_cast<short>(39100), 50);
  ASSERT_EQ(recorder->Downs.size(), 1u);
  EXPECT_EQ(recorder->Downs[0].x, 39100);
  EXPECT_EQ(wide->MouseDownPos().x, 39100);
  // A control of ordinary size takes the coordinates as they come.
  Control->FocusOnClick = false;
  Control->SetOnMouseDown(TMouseEvent(recorder.get(), &TMouseRecorder::MouseDown));
  Control->MouseDown(mbLeft, {}, 7, 9);
  EXPECT_EQ(recorder->Downs.back().x, 7);
}

TEST_F(CustomControlTest, AsksTheDialogManagerForItsKeys)
{
  struct TCase {
    TcxControlKeys Keys;
    LRESULT Code;
  };
  const TCase cases[] = {
    {{}, 0},
    {{ckAll}, DLGC_WANTALLKEYS},
    {{ckArrows, ckChars}, DLGC_WANTARROWS | DLGC_WANTCHARS},
    {{ckTab}, DLGC_WANTTAB},
    {{ckAll, ckArrows, ckChars, ckTab}, DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB},
  };
  for (const TCase& c : cases) {
    Control->SetKeys(c.Keys);
    EXPECT_EQ(Control->Perform(WM_GETDLGCODE), c.Code);
  }
  // With Ctrl held down, Tab is left to the dialog manager.
  Form->Show();
  SetForegroundWindow(Form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Form->Handle(); }));
  Control->SetKeys({ckTab, ckArrows});
  // The X server may report its own keyboard state late and put Wine's idea of Ctrl back: the key
  // is pressed again until the control answers while Ctrl is down before and after.
  struct TCtrlKey {
    ~TCtrlKey() { keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0); }
  } ctrl;
  LRESULT withCtrl = -1;
  ASSERT_TRUE(PumpUntil([&] {
    if (GetAsyncKeyState(VK_CONTROL) >= 0) {
      keybd_event(VK_CONTROL, 0, 0, 0);
      return false;
    }
    withCtrl = Control->Perform(WM_GETDLGCODE);
    return GetAsyncKeyState(VK_CONTROL) < 0;
  }, 10000));
  EXPECT_EQ(withCtrl, static_cast<LRESULT>(DLGC_WANTARROWS));
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  ASSERT_TRUE(PumpUntil([] { return GetAsyncKeyState(VK_CONTROL) >= 0; }));
  EXPECT_EQ(Control->Perform(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTTAB));
}

TEST_F(CustomControlTest, TheWheelScrollsByTheSystemsLinesWhileTheVerticalBarShows)
{
  Form->Show();
  Control->ContentSize = SIZE{100, 1000};
  Control->UpdateScrollBars();
  ASSERT_TRUE(Control->IsVScrollBarVisible());
  const int lines = MouseWheelScrollLines();
  const LPARAM where = At(Control->ClientToScreen(POINT{50, 50}));
  EXPECT_NE(SendMessageA(Control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), where), 0);
  ASSERT_EQ(static_cast<int>(Control->Scrolls.size()), lines);
  for (const TScrollCall& call : Control->Scrolls) {
    EXPECT_EQ(call.Kind, sbVertical);
    EXPECT_EQ(call.Code, scLineDown);
  }
  Control->Scrolls.clear();
  SendMessageA(Control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), where);
  ASSERT_EQ(static_cast<int>(Control->Scrolls.size()), lines);
  EXPECT_EQ(Control->Scrolls[0].Code, scLineUp);

  // A handler that takes the wheel keeps it from scrolling.
  auto recorder = MakeOwned<TMouseRecorder>();
  recorder->HandleWheel = true;
  Control->SetOnMouseWheel(TMouseWheelEvent(recorder.get(), &TMouseRecorder::Wheel));
  Control->Scrolls.clear();
  SendMessageA(Control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), where);
  EXPECT_TRUE(Control->Scrolls.empty());
  Control->SetOnMouseWheel(nullptr);

  // Without the vertical bar nothing scrolls and the wheel goes on to the parent.
  Control->ContentSize = SIZE{1000, 100};
  Control->UpdateScrollBars();
  ASSERT_FALSE(Control->IsVScrollBarVisible());
  EXPECT_EQ(SendMessageA(Control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), where), 0);
  EXPECT_TRUE(Control->Scrolls.empty());
}

TEST(Panning, DirectionAndSpeedAroundTheAnchor)
{
  const POINT anchor{500, 400};
  struct TCase {
    const char* Name;
    POINT P;
    bool H, V;
    TcxDirection Direction;
    int Speed;
  };
  const TCase cases[] = {
    {"at the anchor", {500, 400}, true, true, dirNone, 0},
    {"inside the zone", {514, 386}, true, true, dirNone, 0},
    {"just out to the right", {515, 400}, true, true, dirRight, 1},
    {"left", {470, 400}, true, true, dirLeft, 4},
    {"up, the larger distance", {490, 350}, true, true, dirUp, 8},
    {"down", {500, 460}, true, true, dirDown, 10},
    {"equal distances pan vertically", {540, 440}, true, true, dirDown, 6},
    {"far away: the top speed", {500, 1000}, true, true, dirDown, 12},
    {"only a vertical bar: sideways is neutral", {900, 400}, false, true, dirNone, 0},
    {"only a vertical bar: diagonal pans vertically", {900, 440}, false, true, dirDown, 6},
    {"only a horizontal bar: up and down are neutral", {500, 0}, true, false, dirNone, 0},
    {"only a horizontal bar", {450, 0}, true, false, dirLeft, 8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TcxPanningMotion motion = cxPanningMotion(anchor, c.P, 29, c.H, c.V);
    EXPECT_EQ(motion.Direction, c.Direction);
    EXPECT_EQ(motion.Speed, c.Speed);
  }
  EXPECT_EQ(cxPanningCursor(dirNone, true, true), crcxFullScroll);
  EXPECT_EQ(cxPanningCursor(dirNone, true, false), crcxHorScroll);
  EXPECT_EQ(cxPanningCursor(dirNone, false, true), crcxVerScroll);
  EXPECT_EQ(cxPanningCursor(dirLeft, true, true), crcxLeftScroll);
  EXPECT_EQ(cxPanningCursor(dirRight, true, true), crcxRightScroll);
  EXPECT_EQ(cxPanningCursor(dirUp, true, true), crcxUpScroll);
  EXPECT_EQ(cxPanningCursor(dirDown, true, true), crcxDownScroll);
}

TEST(Panning, ALineEveryThirteenLessSpeedTicks)
{
  for (int speed : {1, 6, 12}) {
    TcxPanningTicker ticker;
    std::vector<int> lines;
    for (int tick = 1; tick <= 24; ++tick)
      if (ticker.Tick(speed)) lines.push_back(tick);
    std::vector<int> expected;
    for (int tick = 13 - speed; tick <= 24; tick += 13 - speed) expected.push_back(tick);
    EXPECT_EQ(lines, expected) << "speed " << speed;
  }
  TcxPanningTicker still;
  for (int tick = 0; tick < 30; ++tick) EXPECT_FALSE(still.Tick(0));
}

namespace {
constexpr UINT_PTR WM_TEST_MOVE_MOUSE = 77;  // a timer of the test on the control's window
}  // namespace

TEST_F(CustomControlTest, TheMiddleButtonPansUntilEscape)
{
  Form->Show();
  Control->ContentSize = SIZE{1000, 1000};
  Control->UpdateScrollBars();
  ASSERT_TRUE(Control->IsHScrollBarVisible() && Control->IsVScrollBarVisible());
  HandleWaitingMessages();
  const POINT anchor = ReadCursorPos();
  const int windowsBefore = ThreadWindowCount();

  // Inside the loop: a middle-button release before the mouse moved leaves panning on; then the
  // mouse reports itself far below the anchor (again and again, whatever else the system reports),
  // lines scroll down with the down cursor, and Escape ends it all.
  const POINT below = Control->ScreenToClient(POINT{anchor.x, anchor.y + 200});
  int windowsDuring = 0;
  HCURSOR cursorDuring = nullptr;
  Control->OnMessage = [&](TMessage& message) {
    if (message.Msg == WM_TIMER && message.WParam == WM_TEST_MOVE_MOUSE)
      PostMessageA(Control->Handle(), WM_MOUSEMOVE, 0, At(below));
  };
  Control->OnScrolled = [&] {
    if (Control->Scrolls.size() != 3) return;
    windowsDuring = ThreadWindowCount();
    cursorDuring = GetCursor();
    PostMessageA(Control->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  PostMessageA(Control->Handle(), WM_MBUTTONUP, 0, At(Control->ScreenToClient(anchor)));
  SetTimer(Control->Handle(), WM_TEST_MOVE_MOUSE, 30, nullptr);
  SendMessageA(Control->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, At(Control->ScreenToClient(anchor)));
  KillTimer(Control->Handle(), WM_TEST_MOVE_MOUSE);
  Control->OnMessage = nullptr;

  ASSERT_GE(Control->Scrolls.size(), 3u);
  for (const TScrollCall& call : Control->Scrolls) {
    EXPECT_EQ(call.Kind, sbVertical);
    EXPECT_EQ(call.Code, scLineDown);
  }
  EXPECT_EQ(windowsDuring, windowsBefore + 1);  // the anchor
  EXPECT_EQ(cursorDuring, Screen->Cursors(crcxDownScroll));
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_NE(GetCapture(), Control->Handle());
}

TEST_F(CustomControlTest, WithoutPaintedBarsTheMiddleButtonDoesNothing)
{
  Form->Show();
  Control->ContentSize = SIZE{10, 10};
  Control->UpdateScrollBars();
  const int windowsBefore = ThreadWindowCount();
  SendMessageA(Control->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, At(POINT{80, 60}));
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_TRUE(Control->Scrolls.empty());
  SendMessageA(Control->Handle(), WM_MBUTTONUP, 0, At(POINT{80, 60}));
}

namespace {
class TRecordingPopupMenu : public TPopupMenu {
  CL_CLASS(TRecordingPopupMenu, TPopupMenu)
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override { Shown.push_back(POINT{x, y}); }
  std::vector<POINT> Shown;
};

struct TClicks : TObject {
  int Count = 0;
  void Click(TObject*) { ++Count; }
};
}  // namespace

CL_DEFINE_CLASS(TRecordingPopupMenu);

TEST_F(CustomControlTest, ThePopupMenuShowsOnARightClickAndOnTheMenuKey)
{
  Form->Show();
  auto* handler = New<THandlerMenu>(Form);
  Control->SetPopupMenu(handler);
  ASSERT_EQ(Control->PopupMenu(), handler);
  // The class library's own query knows only popup menus of its kind.
  EXPECT_EQ(Control->TCustomControl::PopupMenu(), nullptr);

  Control->Perform(WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{30, 40}));
  Control->Perform(WM_RBUTTONUP, 0, At(POINT{30, 40}));
  ASSERT_EQ(handler->Shown.size(), 1u);
  const POINT clicked = Control->ClientToScreen(POINT{30, 40});
  EXPECT_EQ(handler->Shown[0].x, clicked.x);
  EXPECT_EQ(handler->Shown[0].y, clicked.y);
  // The menu key gives no point: the menu shows at the client area's corner.
  SendMessageA(Control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control->Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(handler->Shown.size(), 2u);
  const POINT corner = Control->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(handler->Shown[1].x, corner.x);
  EXPECT_EQ(handler->Shown[1].y, corner.y);
  // An OnContextPopup that handles the request keeps the menu away.
  auto recorder = MakeOwned<TMouseRecorder>();
  Control->SetOnContextPopup(TContextPopupEvent(recorder.get(), &TMouseRecorder::ContextPopup));
  SendMessageA(Control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(handler->Shown.size(), 2u);
  Control->SetOnContextPopup(nullptr);

  // A popup menu of the class library shows for the control while it pops up by itself.
  auto* menu = New<TRecordingPopupMenu>(Form);
  Control->SetPopupMenu(menu);
  EXPECT_EQ(Control->TCustomControl::PopupMenu(), menu);
  SendMessageA(Control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control->Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(menu->Shown.size(), 1u);
  EXPECT_EQ(menu->PopupComponent(), Control);
  menu->SetAutoPopup(false);
  SendMessageA(Control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(menu->Shown.size(), 1u);

  // Anything else is no menu; a menu that goes is forgotten.
  auto* plain = New<TComponent>(Form);
  Control->SetPopupMenu(plain);
  EXPECT_EQ(Control->PopupMenu(), nullptr);
  Control->SetPopupMenu(handler);
  Free(handler);
  EXPECT_EQ(Control->PopupMenu(), nullptr);
}

TEST_F(CustomControlTest, AShortcutOfAParentControlsMenuIsTakenByTheChild)
{
  TTestControl* child = New<TTestControl>(Form);
  child->SetParent(Control);
  child->SetBounds(5, 5, 50, 50);
  auto* menu = New<TPopupMenu>(Form);
  auto clicks = MakeOwned<TClicks>();
  auto* item = New<TMenuItem>(menu);
  item->SetCaption("刷新");
  item->SetShortCut(VK_F5);
  item->SetOnClick(TNotifyEvent(clicks.get(), &TClicks::Click));
  menu->Items()->Add(item);
  ASSERT_NE(menu->WindowHandle(), nullptr);
  Control->SetPopupMenu(menu);
  Form->Show();

  EXPECT_EQ(child->Perform(CN_KEYDOWN, VK_F5, 0), 1);
  EXPECT_EQ(clicks->Count, 1);
  EXPECT_EQ(child->Perform(CN_KEYDOWN, VK_F6, 0), 0);
  EXPECT_EQ(clicks->Count, 1);
}

TEST_F(CustomControlTest, ChildComponentsBelongToTheirControl)
{
  auto* child = TcxControlChildComponent::CreateForControl<TcxControlChildComponent>(Control, true);
  EXPECT_EQ(child->Control(), Control);
  EXPECT_EQ(child->Owner(), Form);
  EXPECT_EQ(child->GetParentComponent(), Control);
  EXPECT_TRUE(child->HasParent());
  Free(child);

  auto* loose = TcxControlChildComponent::CreateForControl<TcxControlChildComponent>(Control, false);
  EXPECT_EQ(loose->Owner(), nullptr);
  loose->SetControl(nullptr);
  EXPECT_FALSE(loose->HasParent());
  loose->SetParentComponent(Control);
  EXPECT_EQ(loose->Control(), Control);
  Free(loose);
}

TEST_F(CustomControlTest, TwoHundredControlsLeaveNoGraphicsObjectsBehind)
{
  Form->Show();
  auto cycle = [&] {
    TTestControl* control = NewControl(0, 0, 160, 120);
    control->SetDoubleBuffered(true);
    control->ContentSize = SIZE{500, 500};
    control->UpdateScrollBars();
    PaintNow(control);
    TDibSurface surface(160, 120);
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()));
    control->HScrollBar()->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
    Free(control);
  };
  cycle();  // what the platform makes once per process is no leak
  HandleWaitingMessages();
  const int liveBefore = LiveGdiObjects();
  const int windowsBefore = ThreadWindowCount();
  for (int i = 0; i < 200; ++i) cycle();
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), liveBefore);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}
