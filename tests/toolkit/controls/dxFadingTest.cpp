// Fading: the frame sequences of both directions and of a fade turned round, driven by the timer
// handler; the limit on running fades; finishing and stopping; objects that go while they fade;
// availability from menu animation, GDI+ and colour depth; the frames drawn on a device context; and
// the real 10 ms timer.
#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include "classlib/Bitmap.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/controls/dxFading.h"

namespace {
using TDirection = TdxFadingDirection;

// A fading object whose fade-out image is black and fade-in image white; it records the alpha of
// the frame it is asked to show each time it repaints.
class TTestFadingObject : public TObject, public IdxFadingObject {
  CL_CLASS(TTestFadingObject, TObject)
public:
  explicit TTestFadingObject(TdxFader* fader = nullptr) : Fader(fader) {}

  bool CanFade() override { return Fadeable; }
  void RefreshFadingFrame() override
  {
    TdxFadingElement* element = nullptr;
    Alphas.push_back(Fader && Fader->FindElement(this, element) ? element->CurrentFrameAlpha() : -1);
    if (OnRefresh) OnRefresh();
  }
  void GetFadingImages(TOwned<TBitmap>& FadeOutImage, TOwned<TBitmap>& FadeInImage) override
  {
    FadeOutImage = SolidBitmap(clBlack, ImageWidth);
    FadeInImage = SolidBitmap(clWhite, ImageWidth);
  }

  static TOwned<TBitmap> SolidBitmap(TColor color, int width, int height = 8)
  {
    TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
    return bitmap;
  }

  TdxFader* Fader;
  bool Fadeable = true;
  int ImageWidth = 8;
  std::vector<int> Alphas;
  std::function<void()> OnRefresh;
};
CL_DEFINE_CLASS(TTestFadingObject);

bool On() { return true; }
bool Off() { return false; }
int Depth32() { return 32; }

// A fader of the test's own, with fading available whatever the system's settings are. The test
// drives it by calling its timer handler.
class Fading : public testing::Test {
protected:
  Fading() : FMenuAnimation(dxGetMenuAnimation, On), FDepth(dxGetScreenColorDepth, Depth32) {}

  TOwned<TTestFadingObject> NewObject() { return MakeOwned<TTestFadingObject>(Fader.get()); }
  // Ticks until the object's fade has ended; answers the number of ticks.
  int TickToEnd(TObject* object)
  {
    int ticks = 0;
    while (Fader->IsFading(object) && ticks < 1000) {
      Fader->TimerHandler(Fader->Timer());
      ++ticks;
    }
    return ticks;
  }
  void Tick(int count)
  {
    for (int i = 0; i < count; ++i) Fader->TimerHandler(Fader->Timer());
  }
  TdxFadingElement* ElementOf(TObject* object)
  {
    TdxFadingElement* element = nullptr;
    Fader->FindElement(object, element);
    return element;
  }

  TScopedSeam<TdxFadingQueryFunc> FMenuAnimation;
  TScopedSeam<TdxColorDepthFunc> FDepth;
  TOwned<TdxFader> Fader = MakeOwned<TdxFader>();
};

TEST_F(Fading, EachDirectionShowsItsStartPictureItsFramesAndItsEndPicture)
{
  struct TCase {
    TDirection Direction;
    std::vector<int> Alphas;  // the first one is shown at the start, the last one at the end
    int Ticks;                // until the element is gone
  };
  const TCase cases[] = {
    {TDirection::fdIn, {0, 64, 128, 192, 255, 255}, 5},
    {TDirection::fdOut, {255, 234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3, 0}, 26},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Direction == TDirection::fdIn ? "fade-in" : "fade-out");
    auto object = NewObject();
    Fader->Fade(object.get(), c.Direction);
    ASSERT_TRUE(Fader->IsFading(object.get()));
    EXPECT_TRUE(Fader->Timer()->Enabled());
    EXPECT_EQ(TickToEnd(object.get()), c.Ticks);
    EXPECT_EQ(object->Alphas, c.Alphas);
    EXPECT_EQ(Fader->Count(), 0);
    EXPECT_FALSE(Fader->Timer()->Enabled());
  }
}

TEST_F(Fading, FramesComeEveryDelayDivTenTicks)
{
  // Fade-in 15 ms: every tick; fade-out 20 ms: every second tick.
  auto object = NewObject();
  int ticks = 0;
  std::vector<int> frameTicks;
  object->OnRefresh = [&] { frameTicks.push_back(ticks); };
  Fader->FadeOut(object.get());
  while (Fader->IsFading(object.get())) {
    ++ticks;
    Fader->TimerHandler(nullptr);
  }
  const std::vector<int> expected = {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26};
  EXPECT_EQ(frameTicks, expected);
}

TEST_F(Fading, TurningRoundContinuesFromTheFrameOfEqualProgress)
{
  struct TCase {
    TDirection First;
    int FadeInFrames, FadeOutFrames;
    int FramesBeforeTurning;
    int FrameAfterTurning;  // round((1 - f / (N + 1)) * M), halves to even
    int NextAlpha;          // of the first frame after turning
  };
  const TCase cases[] = {
    {TDirection::fdOut, 4, 12, 6, 2, 192},   // (1 - 6/13) * 4 = 2.15
    {TDirection::fdIn, 4, 12, 2, 7, 87},     // (1 - 2/5) * 12 = 7.2
    {TDirection::fdIn, 4, 12, 0, 12, 0},     // nothing shown yet: the fade-out is complete
    {TDirection::fdIn, 3, 6, 1, 4, 45},      // (1 - 1/4) * 6 = 4.5 -> 4
    {TDirection::fdIn, 3, 6, 3, 2, 129},     // (1 - 3/4) * 6 = 1.5 -> 2
    {TDirection::fdIn, 3, 2, 1, 2, 0},       // (1 - 1/4) * 2 = 1.5 -> 2
    {TDirection::fdIn, 3, 2, 3, 0, 127},     // (1 - 3/4) * 2 = 0.5 -> 0
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "frames " << c.FadeInFrames << "/" << c.FadeOutFrames << " after "
                                    << c.FramesBeforeTurning);
    auto object = NewObject();
    Fader->Fade(object.get(), c.First);
    TdxFadingElement* element = ElementOf(object.get());
    ASSERT_NE(element, nullptr);
    element->SetFadeInFrameCount(c.FadeInFrames);
    element->SetFadeOutFrameCount(c.FadeOutFrames);
    while (element->FrameIndex() < c.FramesBeforeTurning) Tick(1);

    const TDirection second = c.First == TDirection::fdIn ? TDirection::fdOut : TDirection::fdIn;
    Fader->Fade(object.get(), second);
    EXPECT_EQ(Fader->Count(), 1);
    EXPECT_EQ(element->Direction(), second);
    EXPECT_EQ(element->FrameIndex(), c.FrameAfterTurning);

    // The tick counter starts again with the new direction's ticks per frame.
    const size_t shown = object->Alphas.size();
    Tick(element->TicksPerFrame());
    ASSERT_EQ(object->Alphas.size(), shown + 1);
    EXPECT_EQ(object->Alphas.back(), c.NextAlpha);
    Fader->Clear();
  }
}

TEST_F(Fading, FadingAgainTheSameWayChangesNothing)
{
  auto object = NewObject();
  Fader->FadeIn(object.get());
  Tick(2);
  Fader->FadeIn(object.get());
  EXPECT_EQ(Fader->Count(), 1);
  EXPECT_EQ(ElementOf(object.get())->FrameIndex(), 2);
  EXPECT_EQ(object->Alphas, (std::vector<int>{0, 64, 128}));
}

TEST_F(Fading, FrameCountsAndDelaysStayInTheirRange)
{
  struct TCase {
    int Value, Count, Delay;
  };
  const TCase cases[] = {{-1, 0, 0}, {0, 0, 0}, {1, 1, 0}, {9, 9, 0}, {10, 10, 10}, {32, 32, 32},
                         {33, 32, 33}, {300, 32, 300}, {301, 32, 300}};
  auto object = NewObject();
  Fader->FadeIn(object.get());
  TdxFadingElement* element = ElementOf(object.get());
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value);
    element->SetFadeInFrameCount(c.Value);
    element->SetFadeOutFrameCount(c.Value);
    element->SetFadeInFrameDelay(c.Value);
    element->SetFadeOutFrameDelay(c.Value);
    // 0 stands for the default.
    EXPECT_EQ(element->FadeInFrameCount(), c.Count ? c.Count : 4);
    EXPECT_EQ(element->FadeOutFrameCount(), c.Count ? c.Count : 12);
    EXPECT_EQ(element->FadeInFrameDelay(), c.Delay ? c.Delay : 15);
    EXPECT_EQ(element->FadeOutFrameDelay(), c.Delay ? c.Delay : 20);
  }
  element->SetFadeInFrameDelay(45);
  EXPECT_EQ(element->TicksPerFrame(), 4);
}

TEST_F(Fading, TheEleventhFadeFinishesTheOldestAtOnce)
{
  std::vector<TOwned<TTestFadingObject>> objects;
  for (int i = 0; i < TdxFader::MaxRunningElements + 1; ++i) {
    objects.push_back(NewObject());
    Fader->FadeIn(objects.back().get());
  }
  EXPECT_EQ(Fader->Count(), TdxFader::MaxRunningElements);
  EXPECT_FALSE(Fader->IsFading(objects[0].get()));
  // The oldest showed its start picture, then its end picture while it was still found.
  EXPECT_EQ(objects[0]->Alphas, (std::vector<int>{0, 255}));
  for (size_t i = 1; i < objects.size(); ++i) {
    EXPECT_TRUE(Fader->IsFading(objects[i].get())) << i;
    EXPECT_EQ(objects[i]->Alphas, (std::vector<int>{0})) << i;
  }
  EXPECT_EQ(Fader->Elements(0)->FadingObject(), objects[1].get());
}

TEST_F(Fading, StoppingFinishesOrDropsTheFade)
{
  auto object = NewObject();
  Fader->FadeOut(object.get());
  Tick(4);
  Fader->StopFading(object.get(), false);
  EXPECT_FALSE(Fader->IsFading(object.get()));
  EXPECT_EQ(object->Alphas, (std::vector<int>{255, 234, 213, 0}));

  Fader->FadeIn(object.get());
  Fader->StopFading(object.get(), true);
  EXPECT_FALSE(Fader->IsFading(object.get()));
  EXPECT_EQ(object->Alphas.size(), 5u);  // no repaint for a fade dropped at once
  EXPECT_FALSE(Fader->Timer()->Enabled());
}

TEST_F(Fading, NothingStartsWithoutTwoImagesOrWhenTheObjectRefuses)
{
  auto object = NewObject();
  object->ImageWidth = 0;
  Fader->FadeIn(object.get());
  EXPECT_FALSE(Fader->IsFading(object.get()));

  object->ImageWidth = 8;
  Fader->StartFading(object.get(), TDirection::fdIn, TTestFadingObject::SolidBitmap(clBlack, 8), nullptr);
  EXPECT_FALSE(Fader->IsFading(object.get()));

  object->Fadeable = false;
  Fader->FadeIn(object.get());
  EXPECT_FALSE(Fader->IsFading(object.get()));

  // An object without the fading interface.
  auto plain = MakeOwned<TdxFadingList>();
  IdxFadingObject* intf = nullptr;
  EXPECT_FALSE(Fader->CanFadeObject(plain.get(), intf));
  EXPECT_EQ(intf, nullptr);
  Fader->FadeIn(plain.get());
  EXPECT_EQ(Fader->Count(), 0);
  EXPECT_TRUE(object->Alphas.empty());
  EXPECT_FALSE(Fader->Timer()->Enabled());
}

TEST_F(Fading, AnObjectThatGoesWhileItFadesIsDroppedWithoutARepaint)
{
  auto going = NewObject();
  auto staying = NewObject();
  Fader->FadeIn(going.get());
  Fader->FadeIn(staying.get());
  TObject* address = going.get();
  going.reset();
  EXPECT_FALSE(Fader->IsFading(address));
  Tick(1);
  EXPECT_EQ(Fader->Count(), 1);
  EXPECT_TRUE(Fader->IsFading(staying.get()));
  TickToEnd(staying.get());
  EXPECT_FALSE(Fader->Timer()->Enabled());
}

TEST_F(Fading, ARepaintMayStopItsOwnFade)
{
  auto object = NewObject();
  Fader->FadeIn(object.get());
  object->OnRefresh = [&] { Fader->StopFading(object.get(), true); };
  Tick(1);
  EXPECT_FALSE(Fader->IsFading(object.get()));
  EXPECT_EQ(object->Alphas, (std::vector<int>{0, 64}));

  // Also while it finishes.
  object->OnRefresh = nullptr;
  Fader->FadeIn(object.get());
  Tick(4);
  object->OnRefresh = [&] { Fader->StopFading(object.get(), true); };
  Tick(1);
  EXPECT_FALSE(Fader->IsFading(object.get()));
  EXPECT_EQ(Fader->Count(), 0);
}

// A repaint that raises ends its own fade wherever it comes (the first frame, a frame on the way,
// the end picture); the exception goes on to the caller once, and the other fades go on.
TEST_F(Fading, ARepaintThatRaisesEndsItsFadeOnly)
{
  struct TCase {
    const char* Name;
    int FailingRepaint;  // the first repaint that raises, and every one after it (1: the start picture)
  };
  for (const TCase& c : {TCase{"start picture", 1}, TCase{"a frame", 3}, TCase{"end picture", 6}}) {
    SCOPED_TRACE(c.Name);
    auto failing = NewObject(), other = NewObject();
    failing->OnRefresh = [&] {
      if (static_cast<int>(failing->Alphas.size()) >= c.FailingRepaint) throw Exception("repaint failed");
    };
    Fader->FadeIn(other.get());
    int raised = 0;
    try {
      Fader->FadeIn(failing.get());
      for (int tick = 0; tick < 20; ++tick) Fader->TimerHandler(Fader->Timer());
    } catch (const Exception& e) {
      ++raised;
      EXPECT_EQ(e.Message(), "repaint failed");
    }
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(Fader->IsFading(failing.get()));
    EXPECT_EQ(static_cast<int>(failing->Alphas.size()), c.FailingRepaint);
    // The other fade runs to its end picture.
    TickToEnd(other.get());
    EXPECT_EQ(other->Alphas, (std::vector<int>{0, 64, 128, 192, 255, 255}));
    EXPECT_EQ(Fader->Count(), 0);
  }
}

// On the process fader's timer the failure reaches the application's handler once and the timer
// stops with the fade.
TEST_F(Fading, ARaisingRepaintOnTheTimerIsReportedOnce)
{
  static int handled;
  handled = 0;
  struct THandlerScope {
    TExceptionHandler Saved = SetExceptionHandler([](std::exception_ptr) { ++handled; });
    ~THandlerScope() { SetExceptionHandler(Saved); }
  } handlerScope;
  TdxFader* fader = GetFader();
  ASSERT_NE(fader, nullptr);
  auto object = MakeOwned<TTestFadingObject>(fader);
  object->OnRefresh = [&] {
    if (object->Alphas.size() >= 2) throw Exception("repaint failed");
  };
  fader->FadeIn(object.get());
  ASSERT_TRUE(PumpUntil([&] { return !fader->IsFading(object.get()); }, 5000));
  EXPECT_FALSE(fader->Timer()->Running());
  HandleWaitingMessages();
  EXPECT_EQ(handled, 1);
}

TEST_F(Fading, AvailabilityNeedsMenuAnimationGdiPlusAndMoreThanSixteenBits)
{
  struct TCase {
    bool MenuAnimation, GdiPlus;
    int Depth;
    bool Available;
  };
  const TCase cases[] = {
    {true, true, 32, true},   {true, true, 24, true},   {true, true, 17, true},  {true, true, 16, false},
    {true, true, 8, false},   {false, true, 32, false}, {true, false, 32, false}, {false, false, 16, false},
  };
  static int depth = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.MenuAnimation << c.GdiPlus << " " << c.Depth);
    depth = c.Depth;
    TScopedSeam<TdxFadingQueryFunc> animation(dxGetMenuAnimation, c.MenuAnimation ? On : Off);
    TScopedSeam<TdxFadingQueryFunc> gdiPlus(dxGetGdiPlusAvailable, c.GdiPlus ? On : Off);
    TScopedSeam<TdxColorDepthFunc> colorDepth(dxGetScreenColorDepth, [] { return depth; });
    EXPECT_EQ(Fader->IsFadingAvailable(), c.Available);

    auto object = NewObject();
    Fader->FadeIn(object.get());
    EXPECT_EQ(Fader->IsFading(object.get()), c.Available);
    TDibSurface surface(8, 8);
    EXPECT_EQ(Fader->DrawFadingImage(object.get(), surface.DC(), RECT{0, 0, 8, 8}), c.Available);
    Fader->Clear();
  }
}

TEST(FadingSettings, AreReadFromTheSystem)
{
  BOOL menuAnimation = FALSE;
  SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &menuAnimation, 0);
  EXPECT_EQ(dxGetMenuAnimation(), menuAnimation != FALSE);
  EXPECT_TRUE(dxGetGdiPlusAvailable());
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(dxGetScreenColorDepth(), GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
}

TEST_F(Fading, TheCurrentFrameIsDrawnIntoTheRectangle)
{
  auto object = NewObject();
  object->ImageWidth = 10;
  Fader->FadeIn(object.get());
  Tick(2);  // alpha 128
  TDibSurface surface(40, 30, RGB(255, 0, 0));
  const RECT r{5, 7, 15, 15};
  ASSERT_TRUE(Fader->DrawFadingImage(object.get(), surface.DC(), r));
  EXPECT_EQ(surface.Count(RECT{0, 0, 40, 30}, RGB(255, 0, 0)), 40 * 30 - 10 * 8);
  const COLORREF mid = surface.Pixel(10, 10);
  EXPECT_NEAR(GetRValue(mid), 128, 2);
  EXPECT_EQ(GetRValue(mid), GetGValue(mid));
  EXPECT_EQ(GetRValue(mid), GetBValue(mid));
  EXPECT_EQ(surface.Count(r, mid), 10 * 8);

  Fader->StopFading(object.get(), false);
  EXPECT_FALSE(Fader->DrawFadingImage(object.get(), surface.DC(), r));
}

// The fading helper of bar controls: a descendant that may fade draws its frames through the
// process-wide fader.
class TTestFadingHelper : public TdxFadingObjectHelper {
  CL_CLASS(TTestFadingHelper, TdxFadingObjectHelper)
public:
  bool CanFade() override { return true; }
  void RefreshFadingFrame() override { ++Refreshes; }
  void GetFadingImages(TOwned<TBitmap>& FadeOutImage, TOwned<TBitmap>& FadeInImage) override
  {
    FadeOutImage = TTestFadingObject::SolidBitmap(clBlack, 4);
    FadeInImage = TTestFadingObject::SolidBitmap(clWhite, 4);
  }
  int Refreshes = 0;
};
CL_DEFINE_CLASS(TTestFadingHelper);

TEST_F(Fading, TheBaseHelperNeverFadesAndADescendantFadesOnTheProcessFader)
{
  auto base = MakeOwned<TdxFadingObjectHelper>();
  GetFader()->FadeIn(base.get());
  EXPECT_TRUE(base->IsIdle());

  auto helper = MakeOwned<TTestFadingHelper>();
  GetFader()->FadeIn(helper.get());
  EXPECT_FALSE(helper->IsIdle());
  EXPECT_EQ(helper->Refreshes, 1);
  TDibSurface surface(4, 8);
  EXPECT_TRUE(helper->DrawFadingFrame(surface.DC(), RECT{0, 0, 4, 8}));
  EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 0));
  GetFader()->StopFading(helper.get(), true);
  EXPECT_TRUE(helper->IsIdle());
  EXPECT_FALSE(helper->DrawFadingFrame(surface.DC(), RECT{0, 0, 4, 8}));
}

TEST_F(Fading, TheProcessFaderRunsOnItsTenMillisecondTimer)
{
  TdxFader* fader = GetFader();
  ASSERT_NE(fader, nullptr);
  EXPECT_EQ(fader->Timer()->Interval(), 10u);
  auto object = MakeOwned<TTestFadingObject>(fader);
  fader->FadeIn(object.get());
  EXPECT_TRUE(fader->Timer()->Running());
  ASSERT_TRUE(PumpUntil([&] { return !fader->IsFading(object.get()); }, 5000));
  EXPECT_EQ(object->Alphas, (std::vector<int>{0, 64, 128, 192, 255, 255}));
  EXPECT_FALSE(fader->Timer()->Running());
}
}  // namespace
