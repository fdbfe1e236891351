// The blink list: its timer's phases and intervals, the two messages that reach the registered
// controls on each tick (driven directly through the timer's handler, and once by the real
// timer), and the list's life from the first registration to the last.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "tests/support/MessagePump.h"
#include "toolkit/panels/RzCommonBlinking.h"

namespace {
// What the controls were told, in order: "<name>?" for the question, "<name>=<phase>" for the
// phase.
std::vector<std::string> GLog;

class TBlinker : public TGraphicControl {
  CL_CLASS(TBlinker, TGraphicControl)
public:
  TBlinker(TComponent* owner, std::string name, bool blinking)
      : TGraphicControl(owner), Label(std::move(name)), Blinking(blinking)
  {
  }
  std::string Label;
  bool Blinking;

private:
  void QueryBlinking(TMessage& msg)
  {
    GLog.push_back(Label + "?");
    msg.Result = Blinking ? 1 : 0;
  }
  void SetBlinkState(TMessage& msg) { GLog.push_back(Label + "=" + std::to_string(msg.WParam)); }
};

}  // namespace

CL_MESSAGE_MAP(TBlinker,
  {RZM_QUERYBLINKING, &TBlinker::QueryBlinking},
  {RZM_SETBLINKSTATE, &TBlinker::SetBlinkState});
CL_DEFINE_CLASS(TBlinker);

namespace {
void Tick(TRzBlinkingControlsList* list) { list->Timer()->OnTimer()(list->Timer()); }

class RzBlinkList : public testing::Test {
protected:
  void SetUp() override { GLog.clear(); }
  void TearDown() override
  {
    if (TRzBlinkingControlsList* list = PeekBlinkingControlsList()) {
      for (TControl* c : {A.get(), B.get(), C.get()}) list->RemoveControl(c);
      ReleaseBlinkListWhenEmpty();
    }
  }
  TOwned<TBlinker> A = MakeOwned<TBlinker>(nullptr, "A", true);
  TOwned<TBlinker> B = MakeOwned<TBlinker>(nullptr, "B", false);
  TOwned<TBlinker> C = MakeOwned<TBlinker>(nullptr, "C", true);
};
}  // namespace

TEST_F(RzBlinkList, TicksAlternateThePhasesAndTellOnlyTheBlinkingControls)
{
  TRzBlinkingControlsList* list = BlinkingControlsList();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->Timer()->Enabled());
  EXPECT_TRUE(list->Timer()->Running());
  EXPECT_EQ(list->Timer()->Interval(), 500u);
  for (TControl* c : {A.get(), B.get(), C.get(), A.get()}) list->AddControl(c);
  EXPECT_EQ(list->Count(), 3);

  Tick(list);  // the first tick begins a normal phase
  EXPECT_FALSE(list->BlinkPhase());
  EXPECT_EQ(GLog, (std::vector<std::string>{"A?", "A=0", "B?", "C?", "C=0"}));
  GLog.clear();
  Tick(list);
  EXPECT_TRUE(list->BlinkPhase());
  EXPECT_EQ(GLog, (std::vector<std::string>{"A?", "A=1", "B?", "C?", "C=1"}));

  // A control that starts blinking is told from the next tick on; one that left is not asked.
  GLog.clear();
  B->Blinking = true;
  list->RemoveControl(C.get());
  Tick(list);
  EXPECT_EQ(GLog, (std::vector<std::string>{"A?", "A=0", "B?", "B=0"}));
}

TEST_F(RzBlinkList, EachPhaseLastsItsOwnIntervalFromTheNextTickOn)
{
  TRzBlinkingControlsList* list = BlinkingControlsList();
  list->SetBlinkIntervalOn(200);
  list->SetBlinkIntervalOff(700);
  EXPECT_EQ(list->Timer()->Interval(), 500u);  // the running phase keeps its length
  Tick(list);
  EXPECT_EQ(list->Timer()->Interval(), 700u);  // a normal phase
  Tick(list);
  EXPECT_EQ(list->Timer()->Interval(), 200u);  // a blink phase
  Tick(list);
  EXPECT_EQ(list->Timer()->Interval(), 700u);
  EXPECT_TRUE(list->Timer()->Running());
}

TEST_F(RzBlinkList, TheRealTimerTicks)
{
  TRzBlinkingControlsList* list = BlinkingControlsList();
  list->AddControl(A.get());
  list->SetBlinkIntervalOn(10);
  list->SetBlinkIntervalOff(10);
  // The first phase still lasts 500 ms; the ones after it 10 ms.
  EXPECT_TRUE(PumpUntil([] { return GLog.size() >= 6; }, 5000));
  ASSERT_GE(GLog.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(GLog.begin(), GLog.begin() + 6),
            (std::vector<std::string>{"A?", "A=0", "A?", "A=1", "A?", "A=0"}));
}

TEST_F(RzBlinkList, TheListGoesWithItsLastControlAndComesBackWhenNeeded)
{
  TRzBlinkingControlsList* list = BlinkingControlsList();
  EXPECT_EQ(BlinkingControlsList(), list);
  list->AddControl(A.get());
  list->AddControl(B.get());
  list->RemoveControl(A.get());
  ReleaseBlinkListWhenEmpty();
  EXPECT_EQ(PeekBlinkingControlsList(), list);  // B is still registered
  list->RemoveControl(B.get());
  list->RemoveControl(B.get());  // removing twice does nothing more
  EXPECT_EQ(list->Count(), 0);
  ReleaseBlinkListWhenEmpty();
  EXPECT_EQ(PeekBlinkingControlsList(), nullptr);
  ReleaseBlinkListWhenEmpty();  // nothing to free
  TRzBlinkingControlsList* again = BlinkingControlsList();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Count(), 0);
  EXPECT_TRUE(again->Timer()->Running());
}
