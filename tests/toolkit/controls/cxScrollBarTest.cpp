// The painted scroll bar: the layout of its parts and the thumb arithmetic, hit tests, the range
// rules, scrolling requests, drawing through the painter, auto-repeat on its timer and thumb
// dragging with its snap-back distance.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestHelpers.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "tests/toolkit/controls/CustomControlTestSupport.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/controls/cxScrollBar.h"

using namespace controls_test;

namespace {
class TTestScrollBar : public TcxScrollBar {
  CL_CLASS(TTestScrollBar, TcxScrollBar)
public:
  using TcxScrollBar::TcxScrollBar;
  using TcxScrollBar::RepeatTimer;
};

struct TScrollRecorder : TObject {
  std::vector<std::pair<TScrollCode, int>> Calls;
  int Changes = 0;
  // When set, every request is answered with this position.
  int Override = -1;
  void Scrolled(TObject*, TScrollCode code, int& pos)
  {
    Calls.push_back({code, pos});
    if (Override >= 0) pos = Override;
  }
  void Changed(TObject*) { ++Changes; }
  std::vector<TScrollCode> Codes() const
  {
    std::vector<TScrollCode> codes;
    for (const auto& call : Calls) codes.push_back(call.first);
    return codes;
  }
};

RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
std::string Text(const RECT& r)
{
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

LPARAM At(POINT p) { return PointToLParam(p); }
POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Moves the cursor over a client point of the control (until it stays there) and tells the
// control, so that the control's last word is this point.
void MoveMouseTo(TControl* control, POINT p, WPARAM keys)
{
  ASSERT_TRUE(MoveCursorTo(control->ClientToScreen(p)));
  HandleWaitingMessages();
  control->Perform(WM_MOUSEMOVE, keys, At(p));
}

class ScrollBarTest : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(400, 300);
    Bar = New<TTestScrollBar>(Form);
    Bar->LookAndFeel()->SetSkinName(TTestPainterScope::Name);
    Bar->SetParent(Form);
    Bar->SetOnScroll(TScrollEvent(Recorder.get(), &TScrollRecorder::Scrolled));
    Bar->SetOnChange(TNotifyEvent(Recorder.get(), &TScrollRecorder::Changed));
    Arrow = GetSystemScrollBarSize().cy;
  }
  void TearDown() override { Free(Form); }

  // A horizontal bar whose track between the arrows is track pixels long.
  void Horizontal(int track, int thickness = 17)
  {
    Bar->SetKind(sbHorizontal);
    Bar->SetBounds(10, 10, 2 * Arrow + track, thickness);
  }

  TTestPainterScope Painter;
  TForm* Form = nullptr;
  TTestScrollBar* Bar = nullptr;
  TOwned<TScrollRecorder> Recorder = MakeOwned<TScrollRecorder>();
  int Arrow = 0;
};
}  // namespace

CL_DEFINE_CLASS(TTestScrollBar);

TEST_F(ScrollBarTest, NewBarHasTheDefaultsAndTheSystemHeight)
{
  EXPECT_EQ(Bar->Width(), 121);
  EXPECT_EQ(Bar->Height(), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(Bar->Kind(), sbHorizontal);
  EXPECT_EQ(Bar->Min(), 0);
  EXPECT_EQ(Bar->Max(), 100);
  EXPECT_EQ(Bar->PageSize(), 0);
  EXPECT_EQ(Bar->Position(), 0);
  EXPECT_EQ(Bar->SmallChange(), 1);
  EXPECT_EQ(Bar->LargeChange(), 1);
  EXPECT_EQ(Bar->ControlStyle(), (TControlStyle{TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csFramed,
                                                 TControlStyleFlag::csOpaque}));
  EXPECT_EQ(Bar->ViewInfo()->MinThumbSize(), TestMinThumbSize);
  // Turning the bar swaps its sides.
  Bar->SetKind(sbVertical);
  EXPECT_EQ(Bar->Width(), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(Bar->Height(), 121);
}

TEST_F(ScrollBarTest, LayoutAndThumbArithmetic)
{
  struct TCase {
    const char* Name;
    TScrollBarKind Kind;
    int Track, Min, Max, Page, Pos;
    bool Enabled;
    int ThumbOffset, ThumbLength;  // along the track; length 0: no thumb
    int PositionOfThumb;           // what the thumb stands for
  };
  const TCase cases[] = {
    {"page, at the start", sbHorizontal, 184, 0, 99, 46, 0, true, 0, 85, 0},
    {"page, in the middle", sbHorizontal, 184, 0, 99, 46, 27, true, 50, 85, 27},
    {"page, at the last step", sbHorizontal, 184, 0, 99, 46, 54, true, 99, 85, 54},
    {"page, beyond the last step", sbHorizontal, 184, 0, 99, 46, 99, true, 99, 85, 54},
    {"page, offset range", sbHorizontal, 184, -50, 49, 46, -23, true, 50, 85, -23},
    {"tiny page: the minimum thumb", sbHorizontal, 184, 0, 9999, 1, 0, true, 0, TestMinThumbSize, 0},
    {"thumb filling the track", sbHorizontal, 10, 0, 99, 99, 1, true, 0, 10, 1},
    {"track shorter than the minimum thumb", sbHorizontal, 6, 0, 99, 10, 0, true, 0, 0, 0},
    {"disabled: no thumb", sbHorizontal, 184, 0, 99, 46, 27, false, 0, 0, 27},
    {"vertical, page in the middle", sbVertical, 184, 0, 99, 46, 27, true, 50, 85, 27},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Bar->SetEnabled(true);
    Bar->SetScrollParams(-1000, 100000, 0, 0);
    Bar->SetKind(c.Kind);
    const int arrow = c.Kind == sbHorizontal ? GetSystemMetrics(SM_CYHSCROLL) : GetSystemMetrics(SM_CXVSCROLL);
    const int length = 2 * arrow + c.Track;
    if (c.Kind == sbHorizontal)
      Bar->SetBounds(0, 0, length, 17);
    else
      Bar->SetBounds(0, 0, 17, length);
    Bar->SetScrollParams(c.Min, c.Max, c.Page, c.Pos);
    Bar->SetEnabled(c.Enabled);
    const TcxScrollBarViewInfo* info = Bar->ViewInfo();
    // Along the bar (x for a horizontal bar, y for a vertical one) from a to b, across all of it.
    auto span = [&](int a, int b) { return c.Kind == sbHorizontal ? Rect(a, 0, b, 17) : Rect(0, a, 17, b); };
    EXPECT_EQ(Text(info->BackArrowRect()), Text(span(0, arrow)));
    EXPECT_EQ(Text(info->ForwardArrowRect()), Text(span(length - arrow, length)));
    if (c.ThumbLength == 0) {
      EXPECT_FALSE(info->HasThumb());
      EXPECT_TRUE(IsRectEmpty(&info->PageBackRect()));
      EXPECT_TRUE(IsRectEmpty(&info->PageForwardRect()));
    } else {
      const int start = arrow + c.ThumbOffset, end = start + c.ThumbLength;
      EXPECT_EQ(Text(info->ThumbRect()), Text(span(start, end)));
      EXPECT_EQ(Text(info->PageBackRect()), Text(span(arrow, start)));
      EXPECT_EQ(Text(info->PageForwardRect()), Text(span(end, length - arrow)));
    }
    EXPECT_EQ(info->PositionFromThumb(), c.PositionOfThumb);
  }
}

TEST_F(ScrollBarTest, WithoutAPageTheThumbHasTheSystemSize)
{
  const int thumb = GetSystemMetrics(SM_CXHTHUMB);
  Horizontal(thumb + 100);
  Bar->SetScrollParams(0, 100, 0, 50);
  const TcxScrollBarViewInfo* info = Bar->ViewInfo();
  EXPECT_EQ(info->ThumbStart(), Arrow + 50);
  EXPECT_EQ(info->ThumbLength(), thumb);
  EXPECT_EQ(info->PositionFromThumb(), 50);
  // An empty range keeps the thumb at the start of the track.
  Bar->SetScrollParams(5, 5, 0, 5);
  EXPECT_EQ(info->ThumbStart(), Arrow);
  EXPECT_EQ(info->ThumbLength(), thumb);
  // A track shorter than the system thumb has none.
  Horizontal(thumb - 1);
  EXPECT_FALSE(info->HasThumb());
}

TEST_F(ScrollBarTest, ABarShorterThanTwoArrowsSplitsItselfBetweenThem)
{
  Bar->SetBounds(0, 0, Arrow + 1, 17);
  const TcxScrollBarViewInfo* info = Bar->ViewInfo();
  const int half = (Arrow + 1) / 2;
  EXPECT_EQ(Text(info->BackArrowRect()), Text(Rect(0, 0, half, 17)));
  EXPECT_EQ(Text(info->ForwardArrowRect()), Text(Rect(Arrow + 1 - half, 0, Arrow + 1, 17)));
  EXPECT_FALSE(info->HasThumb());
}

TEST_F(ScrollBarTest, AThumbThatFillsTheTrackStandsForTheCurrentPosition)
{
  // No room to move the thumb: dragging it leaves the position as it is instead of dividing by
  // nothing.
  Form->Show();
  Horizontal(10);
  Bar->SetScrollParams(0, 99, 99, 1);
  ASSERT_EQ(Bar->ViewInfo()->ThumbLength(), 10);
  const POINT thumb = Centre(Bar->ViewInfo()->ThumbRect());
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{thumb.x + 5, thumb.y}));
  Bar->Perform(WM_LBUTTONUP, 0, At(POINT{thumb.x + 5, thumb.y}));
  EXPECT_EQ(Bar->Position(), 1);
  EXPECT_EQ(Recorder->Codes(), (std::vector<TScrollCode>{scTrack, scPosition, scEndScroll}));
}

TEST_F(ScrollBarTest, RangeRulesRaiseOrClamp)
{
  struct TCase {
    int Min, Max, Page, Pos;
    bool Raises;
    int Position;
  };
  const TCase cases[] = {
    {0, 100, 0, 50, false, 50},  {0, 100, 0, 150, false, 100}, {0, 100, 0, -5, false, 0},
    {10, 5, 0, 7, true, 0},      {0, 10, 11, 0, true, 0},      {0, 10, 10, 3, false, 3},
    {-20, -10, 0, 0, false, -10},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Min) + ".." + std::to_string(c.Max) + " page " + std::to_string(c.Page));
    Bar->SetScrollParams(0, 100, 0, 0);
    if (c.Raises) {
      EXPECT_EQ(MessageOf<EInvalidOperation>([&] { Bar->SetScrollParams(c.Min, c.Max, c.Page, c.Pos); }),
                "Scrollbar property out of range");
      EXPECT_EQ(Bar->Max(), 100);
    } else {
      Bar->SetScrollParams(c.Min, c.Max, c.Page, c.Pos);
      EXPECT_EQ(Bar->Position(), c.Position);
    }
  }
  // The single setters keep the other values; a page as long as the range raises.
  Bar->SetScrollParams(0, 10, 0, 0);
  EXPECT_THROW(Bar->SetPageSize(11), EInvalidOperation);
  Bar->SetPageSize(10);
  EXPECT_EQ(Bar->PageSize(), 10);
  EXPECT_THROW(Bar->SetMax(-1), EInvalidOperation);
}

TEST_F(ScrollBarTest, OnlyANewPositionIsAChange)
{
  Bar->SetScrollParams(0, 100, 10, 20);
  const int changes = Recorder->Changes;
  Bar->SetScrollParams(0, 100, 10, 20);
  Bar->SetScrollParams(0, 200, 20, 20);
  EXPECT_EQ(Recorder->Changes, changes);
  // A new position enables a disabled bar.
  Bar->SetEnabled(false);
  Bar->SetPosition(30);
  EXPECT_EQ(Recorder->Changes, changes + 1);
  EXPECT_TRUE(Bar->Enabled());
}

TEST_F(ScrollBarTest, ScrollRequestsMoveByTheirStepsWithinTheRange)
{
  Bar->SetScrollParams(0, 100, 0, 50);
  Bar->SetSmallChange(3);
  Bar->SetLargeChange(20);
  struct TCase {
    TScrollCode Code;
    int From, To;
  };
  const TCase cases[] = {
    {scLineUp, 50, 47},    {scLineDown, 50, 53}, {scPageUp, 50, 30},    {scPageDown, 50, 70},
    {scTop, 50, 0},        {scBottom, 50, 100},  {scLineUp, 1, 0},      {scPageDown, 90, 100},
    {scPosition, 50, 50},  {scEndScroll, 50, 50},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Code));
    Bar->SetPosition(c.From);
    Recorder->Calls.clear();
    Bar->Scroll(c.Code);
    EXPECT_EQ(Bar->Position(), c.To);
    ASSERT_EQ(Recorder->Calls.size(), 1u);
    EXPECT_EQ(Recorder->Calls[0].second, c.To);  // the handler is offered the clamped position
  }
  // The handler's answer is clamped too; a track request moves the position without a change.
  Recorder->Override = 1000;
  Bar->SetPosition(10);
  Bar->Scroll(scLineDown);
  EXPECT_EQ(Bar->Position(), 100);
  Recorder->Override = 40;
  const int changes = Recorder->Changes;
  Bar->Scroll(scTrack);
  EXPECT_EQ(Bar->Position(), 40);
  EXPECT_EQ(Recorder->Changes, changes);
  // The reflected scroll notification of the platform arrives as a request.
  Recorder->Override = -1;
  Bar->Perform(CN_HSCROLL, SB_TOP, 0);
  EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(ScrollBarTest, HitTestFindsThePartsInOrder)
{
  Horizontal(184);
  Bar->SetScrollParams(0, 99, 46, 27);
  const TcxScrollBarViewInfo* info = Bar->ViewInfo();
  const int length = Bar->Width();
  struct TCase {
    POINT P;
    TcxScrollBarElement Part;
  };
  const TCase cases[] = {
    {{0, 0}, sbeLineBack},
    {{Arrow - 1, 16}, sbeLineBack},
    {{Arrow, 8}, sbePageBack},
    {{info->ThumbStart(), 8}, sbeThumb},
    {{info->ThumbStart() + info->ThumbLength() - 1, 8}, sbeThumb},
    {{info->ThumbStart() + info->ThumbLength(), 8}, sbePageForward},
    {{length - Arrow, 8}, sbeLineForward},
    {{length - 1, 8}, sbeLineForward},
    {{-1, 8}, sbeNone},
    {{length, 8}, sbeNone},
    {{40, 17}, sbeNone},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.P.x) + "," + std::to_string(c.P.y));
    EXPECT_EQ(Bar->HitTest(c.P), c.Part);
  }
  // Without a thumb the track is no part at all.
  Bar->SetEnabled(false);
  EXPECT_EQ(Bar->HitTest(POINT{Arrow + 5, 8}), sbeNone);
  EXPECT_EQ(Bar->HitTest(POINT{1, 8}), sbeLineBack);
}

TEST_F(ScrollBarTest, DrawsEveryPartThroughThePainterInItsState)
{
  Form->Show();
  Horizontal(184);
  Bar->SetScrollParams(0, 99, 46, 27);
  const TcxScrollBarViewInfo* info = Bar->ViewInfo();
  TDibSurface surface(Bar->Width(), Bar->Height());
  auto paint = [&] {
    surface.Fill(RGB(255, 255, 255));
    Bar->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CLIENT);
  };
  auto fills = [&](const RECT& r, TcxScrollBarElement part, TcxButtonState state) {
    return surface.Count(r, PartColor(part, state)) == (r.right - r.left) * (r.bottom - r.top);
  };
  paint();
  EXPECT_TRUE(fills(info->BackArrowRect(), sbeLineBack, cxbsNormal));
  EXPECT_TRUE(fills(info->ForwardArrowRect(), sbeLineForward, cxbsNormal));
  EXPECT_TRUE(fills(info->ThumbRect(), sbeThumb, cxbsNormal));
  EXPECT_TRUE(fills(info->PageBackRect(), sbePageBack, cxbsNormal));
  EXPECT_TRUE(fills(info->PageForwardRect(), sbePageForward, cxbsNormal));

  // The part under the mouse is hot; a pressed part is pressed and the others normal.
  Bar->Perform(WM_MOUSEMOVE, 0, At(Centre(info->ForwardArrowRect())));
  paint();
  EXPECT_TRUE(fills(info->ForwardArrowRect(), sbeLineForward, cxbsHot));
  EXPECT_TRUE(fills(info->ThumbRect(), sbeThumb, cxbsNormal));
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(info->ThumbRect())));
  paint();
  EXPECT_TRUE(fills(info->ThumbRect(), sbeThumb, cxbsPressed));
  EXPECT_TRUE(fills(info->ForwardArrowRect(), sbeLineForward, cxbsNormal));
  Bar->Perform(WM_LBUTTONUP, 0, At(Centre(info->ThumbRect())));

  // Disabled: the arrows disabled, the track bare.
  Bar->SetEnabled(false);
  paint();
  EXPECT_TRUE(fills(info->BackArrowRect(), sbeLineBack, cxbsDisabled));
  EXPECT_TRUE(fills(info->ForwardArrowRect(), sbeLineForward, cxbsDisabled));
  const RECT track{Arrow, 0, Bar->Width() - Arrow, Bar->Height()};
  EXPECT_EQ(surface.Count(track, ScrollBarBackgroundColor), (track.right - track.left) * (track.bottom - track.top));
}

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsOnTheTimerWhileTheCursorStaysOnIt)
{
  Form->Show();
  Horizontal(184);
  Bar->SetScrollParams(0, 1000, 0, 0);
  const POINT arrow = Centre(Bar->ViewInfo()->ForwardArrowRect());
  MoveMouseTo(Bar, arrow, 0);
  TcxTimer* timer = Bar->RepeatTimer();

  // One step at once, then a first wait of 400 ms.
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(arrow));
  EXPECT_EQ(Bar->Position(), 1);
  EXPECT_EQ(Bar->PressedPart(), sbeLineForward);
  EXPECT_TRUE(timer->Running());
  EXPECT_EQ(timer->Interval(), cxScrollBarInitialRepeatInterval);
  // Then steps every 60 ms.
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() >= 2; }, 5000));
  EXPECT_EQ(timer->Interval(), cxScrollBarRepeatInterval);
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() >= 5; }, 5000));

  // The cursor leaves the arrow: the timer waits; it comes back: the steps go on.
  const POINT away{Bar->Width() / 2, arrow.y};
  MoveMouseTo(Bar, away, MK_LBUTTON);
  EXPECT_FALSE(timer->Running());
  const int paused = Bar->Position();
  MoveMouseTo(Bar, arrow, MK_LBUTTON);
  EXPECT_TRUE(timer->Running());
  ASSERT_TRUE(PumpUntil([&] { return Bar->Position() >= paused + 2; }, 5000));

  // Releasing ends the repeating with an end-of-scroll request.
  Bar->Perform(WM_LBUTTONUP, 0, At(arrow));
  EXPECT_FALSE(timer->Running());
  EXPECT_EQ(Bar->PressedPart(), sbeNone);
  std::vector<TScrollCode> codes = Recorder->Codes();
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes.back(), scEndScroll);
  codes.pop_back();
  for (TScrollCode code : codes) EXPECT_EQ(code, scLineDown);
  EXPECT_EQ(static_cast<int>(codes.size()), Bar->Position());
}

TEST_F(ScrollBarTest, PagingStopsWhenTheThumbReachesTheCursor)
{
  Form->Show();
  Horizontal(184);
  Bar->SetScrollParams(0, 99, 46, 0);
  Bar->SetLargeChange(10);
  const POINT page{Bar->Width() - Arrow - 5, 8};
  MoveMouseTo(Bar, page, 0);
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(page));
  EXPECT_EQ(Bar->PressedPart(), sbePageForward);
  ASSERT_TRUE(PumpUntil([&] { return !Bar->RepeatTimer()->Running(); }, 10000));
  EXPECT_EQ(Bar->HitTest(page), sbeThumb);
  Bar->Perform(WM_LBUTTONUP, 0, At(page));
}

TEST_F(ScrollBarTest, ADraggedThumbSnapsBackBeyondTheTrackingDistance)
{
  Form->Show();
  Horizontal(184);
  Bar->SetScrollParams(0, 99, 46, 10);
  const TcxScrollBarViewInfo* info = Bar->ViewInfo();
  const POINT press = Centre(info->ThumbRect());
  const int startThumb = info->ThumbStart();
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(press));
  EXPECT_EQ(Bar->PressedPart(), sbeThumb);

  // Within 34 pixels of the bar's end the thumb follows to the end of the track.
  const int end = Bar->Width() + cxScrollBarTrackingAlong - 1;
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{end, press.y}));
  EXPECT_EQ(info->ThumbStart() + info->ThumbLength(), Bar->Width() - Arrow);
  EXPECT_EQ(Bar->Position(), 54);
  // Beyond it, everything goes back to where the drag began.
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{Bar->Width() + 40, press.y}));
  EXPECT_EQ(Bar->Position(), 10);
  EXPECT_EQ(info->ThumbStart(), startThumb);
  // Across the bar the distance is 136 pixels.
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{press.x + 20, Bar->Height() + 130}));
  EXPECT_NE(Bar->Position(), 10);
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{press.x + 20, Bar->Height() + 140}));
  EXPECT_EQ(Bar->Position(), 10);
  Bar->Perform(WM_LBUTTONUP, 0, At(POINT{press.x + 20, Bar->Height() + 140}));
  EXPECT_EQ(Bar->Position(), 10);
  std::vector<TScrollCode> codes = Recorder->Codes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.front(), scTrack);
  EXPECT_EQ(codes[codes.size() - 2], scPosition);
  EXPECT_EQ(codes.back(), scEndScroll);

  // With unlimited tracking the thumb stays at the end wherever the mouse goes.
  Bar->SetUnlimitedTracking(true);
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(info->ThumbRect())));
  Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(POINT{Bar->Width() + 40, press.y}));
  EXPECT_EQ(Bar->Position(), 54);
  Bar->Perform(WM_LBUTTONUP, 0, At(POINT{Bar->Width() + 40, press.y}));
  EXPECT_EQ(Bar->Position(), 54);
}

// On a range longer than the track a thumb pixel stands for several positions: a thumb that ends
// where it was pressed keeps the exact position it had, and a drag that ends elsewhere is one
// change, told when the thumb is released.
TEST_F(ScrollBarTest, AReleasedThumbKeepsItsPositionUnlessMovedAndADragIsOneChange)
{
  Form->Show();
  Horizontal(184);
  struct TCase {
    const char* Name;
    std::vector<int> Moves;  // offsets from the press, along the bar
    bool Moved;              // the thumb ends elsewhere than it began
  };
  const TCase cases[] = {
    {"a click", {}, false},
    {"a drag", {20}, true},
    {"a drag in steps", {5, 12, 30}, true},
    {"a drag back to the start", {20, 0}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Bar->SetScrollParams(0, 999, 10, 500);
    const TcxScrollBarViewInfo* info = Bar->ViewInfo();
    ASSERT_NE(info->PositionFromThumb(), 500);  // the thumb's pixel alone would move the position
    const int startThumb = info->ThumbStart();
    const POINT press = Centre(info->ThumbRect());
    const int changes = Recorder->Changes;
    Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(press));
    POINT at = press;
    for (int offset : c.Moves) {
      at = POINT{press.x + offset, press.y};
      Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(at));
    }
    EXPECT_EQ(Recorder->Changes, changes);  // tracking itself tells nothing
    Bar->Perform(WM_LBUTTONUP, 0, At(at));
    EXPECT_EQ(Bar->Position() != 500, c.Moved);
    EXPECT_EQ(Recorder->Changes, changes + (c.Moved ? 1 : 0));
    if (c.Moved) EXPECT_EQ(info->ThumbStart(), startThumb + c.Moves.back());
    else EXPECT_EQ(info->ThumbStart(), startThumb);
  }
}

TEST_F(ScrollBarTest, CancelModeAndDisablingEndTracking)
{
  Form->Show();
  Horizontal(184);
  Bar->SetScrollParams(0, 99, 46, 0);
  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(Bar->ViewInfo()->ForwardArrowRect())));
  ASSERT_TRUE(Bar->RepeatTimer()->Running());
  Bar->Perform(WM_CANCELMODE);
  EXPECT_EQ(Bar->PressedPart(), sbeNone);
  EXPECT_FALSE(Bar->RepeatTimer()->Running());
  EXPECT_EQ(Recorder->Codes().back(), scEndScroll);

  Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(Bar->ViewInfo()->ThumbRect())));
  ASSERT_EQ(Bar->PressedPart(), sbeThumb);
  Bar->SetEnabled(false);
  EXPECT_EQ(Bar->PressedPart(), sbeNone);
  EXPECT_FALSE(Bar->ViewInfo()->HasThumb());
}
