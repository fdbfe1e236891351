#include "toolkit/controls/dxFading.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/dxGDIPlusAPI.h"

namespace {
TUnitObject<TdxFader> GFader{UnitdxFading};

void InitializeUnit() { GFader.Get(); }

const TUnit* const Uses[] = {&UnitcxClasses, &UnitcxGraphics, &UnitdxGDIPlusClasses};

bool ReadMenuAnimation()
{
  BOOL enabled = FALSE;
  return SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &enabled, 0) && enabled;
}

bool ReadGdiPlusAvailable() { return CheckGdiPlusAvailable(false); }

int ReadScreenColorDepth()
{
  TcxScreenCanvas* canvas = GetSharedScreenCanvas();
  if (!canvas) return 0;
  const int bits = GetDeviceCaps(canvas->GetDCHandle(), BITSPIXEL);
  canvas->ReleaseDeviceContext();
  return bits;
}

int CheckFrameCount(int value, int defaultValue)
{
  return value <= 0 ? defaultValue : std::min(value, TdxFadingElement::MaxFrameCount);
}

int CheckFrameDelay(int value, int defaultValue)
{
  return value < TdxFadingElement::TimerInterval ? defaultValue : std::min(value, TdxFadingElement::MaxFrameDelay);
}

// numerator / denominator rounded to the nearest integer, halves to even (both not negative).
int DivideRoundingToEven(int numerator, int denominator)
{
  int quotient = numerator / denominator;
  const int twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) ++quotient;
  return quotient;
}
}  // namespace

TUnit UnitdxFading{"dxFading", Uses, InitializeUnit};

TdxFadingQueryFunc dxGetMenuAnimation = ReadMenuAnimation;
TdxFadingQueryFunc dxGetGdiPlusAvailable = ReadGdiPlusAvailable;
TdxColorDepthFunc dxGetScreenColorDepth = ReadScreenColorDepth;

TdxFader* GetFader() { return GFader.Get(); }

// ---- TdxFadingElement -------------------------------------------------------------------------------

CL_DEFINE_CLASS(TdxFadingElement);

TdxFadingElement::TdxFadingElement(TdxFader* Fader, TObject* FadingObject, IdxFadingObject* FadingObjectIntf,
                                   TdxFadingDirection Direction, TOwned<TBitmap> FadeOutImage,
                                   TOwned<TBitmap> FadeInImage)
    : FFadingObject(FadingObject),
      FFadingObjectIntf(FadingObjectIntf),
      FFadeInImage(TdxGPImage::CreateFromBitmap<TdxPNGImage>(FadeInImage.get())),
      FFadeOutImage(TdxGPImage::CreateFromBitmap<TdxPNGImage>(FadeOutImage.get())),
      FFader(Fader),
      FDirection(Direction)
{
  CalculateTicksPerFrame();
  SetCurrentFrame(Direction == TdxFadingDirection::fdIn ? 0 : 255);
}

TdxFadingElement::~TdxFadingElement() { FFader->RemoveElement(this); }

void TdxFadingElement::SetFadeInFrameCount(int value)
{
  FFadeInFrameCount = CheckFrameCount(value, DefaultFadeInFrameCount);
}

void TdxFadingElement::SetFadeInFrameDelay(int value)
{
  FFadeInFrameDelay = CheckFrameDelay(value, DefaultFadeInFrameDelay);
  CalculateTicksPerFrame();
}

void TdxFadingElement::SetFadeOutFrameCount(int value)
{
  FFadeOutFrameCount = CheckFrameCount(value, DefaultFadeOutFrameCount);
}

void TdxFadingElement::SetFadeOutFrameDelay(int value)
{
  FFadeOutFrameDelay = CheckFrameDelay(value, DefaultFadeOutFrameDelay);
  CalculateTicksPerFrame();
}

int TdxFadingElement::FrameCount(TdxFadingDirection Direction) const
{
  return Direction == TdxFadingDirection::fdIn ? FFadeInFrameCount : FFadeOutFrameCount;
}

int TdxFadingElement::FrameAlpha(TdxFadingDirection Direction, int FrameCount, int Frame)
{
  const int step = 256 / FrameCount;
  return Direction == TdxFadingDirection::fdIn ? std::min(255, step * Frame) : std::max(0, 255 - step * Frame);
}

void TdxFadingElement::CalculateTicksPerFrame()
{
  const int delay = FDirection == TdxFadingDirection::fdIn ? FFadeInFrameDelay : FFadeOutFrameDelay;
  FTicksPerFrame = std::max(delay / TimerInterval, 1);
}

bool TdxFadingElement::DrawCurrentFrame(HDC DC, const RECT& R)
{
  if (!FCurrentFrame) return false;
  FCurrentFrame->DrawOnDC(DC, R, 255);
  return true;
}

void TdxFadingElement::SetDirection(TdxFadingDirection Direction)
{
  if (Direction == FDirection) return;
  // The frame of the new direction that shows as much of the fade-in image as the current one:
  // round((1 - f / (N + 1)) * M).
  const int running = FrameCount(FDirection) + 1;
  FFrameIndex = DivideRoundingToEven((running - FFrameIndex) * FrameCount(Direction), running);
  FDirection = Direction;
  CalculateTicksPerFrame();
  FTickCount = 0;
}

void TdxFadingElement::Tick()
{
  if (!FadingObject()) {
    // The object went without stopping its fade: nothing is left to repaint.
    Free(this);
    return;
  }
  FTickCount = (FTickCount + 1) % FTicksPerFrame;
  if (FTickCount != 0) return;
  const int count = FrameCount(FDirection);
  if (FFrameIndex >= count) {
    Finish();
    return;
  }
  ++FFrameIndex;
  SetCurrentFrame(FrameAlpha(FDirection, count, FFrameIndex));
  RefreshObject();
}

void TdxFadingElement::Finish()
{
  TWeakRef<TdxFadingElement> self(this);
  if (FadingObject()) {
    SetCurrentFrame(FDirection == TdxFadingDirection::fdIn ? 255 : 0);
    RefreshObject();
  }
  // The repaint may have stopped the fade already.
  if (self) Free(this);
}

void TdxFadingElement::SetCurrentFrame(int Alpha)
{
  if (Alpha <= 0)
    FCurrentFrame = FFadeOutImage->CloneImage();
  else if (Alpha >= 255)
    FCurrentFrame = FFadeInImage->CloneImage();
  else
    FCurrentFrame = FFadeOutImage->MergeWith(FFadeInImage.get(), static_cast<BYTE>(Alpha));
  FCurrentFrameAlpha = std::clamp(Alpha, 0, 255);
}

void TdxFadingElement::RefreshObject()
{
  if (!FadingObject()) return;
  TWeakRef<TdxFadingElement> self(this);
  try {
    FFadingObjectIntf->RefreshFadingFrame();
  } catch (...) {
    // An object that cannot show its frames ends its fade, so the failure is reported once
    // instead of on every tick.
    if (self) Free(this);
    throw;
  }
}

// ---- TdxFadingList ----------------------------------------------------------------------------------

CL_DEFINE_CLASS(TdxFadingList);

// ---- TdxFader ---------------------------------------------------------------------------------------

CL_DEFINE_CLASS(TdxFader);

TdxFader::TdxFader() : FList(MakeOwned<TdxFadingList>()), FTimer(MakeOwned<TTimer>(nullptr))
{
  FTimer->SetEnabled(false);
  FTimer->SetInterval(TdxFadingElement::TimerInterval);
  FTimer->SetOnTimer(TNotifyEvent(this, &TdxFader::TimerHandler));
}

TdxFader::~TdxFader() = default;

void TdxFader::BeforeDestruction()
{
  Clear();
  TObject::BeforeDestruction();
}

bool TdxFader::IsFadingAvailable()
{
  return dxGetMenuAnimation() && dxGetGdiPlusAvailable() && dxGetScreenColorDepth() > 16;
}

bool TdxFader::CanFadeObject(TObject* Object, IdxFadingObject*& Intf)
{
  Intf = nullptr;
  if (!Object || !IsFadingAvailable()) return false;
  Intf = Supports<IdxFadingObject>(Object);
  return Intf && Intf->CanFade();
}

bool TdxFader::FindElement(TObject* Object, TdxFadingElement*& Element)
{
  Element = nullptr;
  if (!Object) return false;
  for (int i = 0; i < Count(); ++i)
    if (Elements(i)->FadingObject() == Object) {
      Element = Elements(i);
      return true;
    }
  return false;
}

bool TdxFader::IsFading(TObject* Object)
{
  TdxFadingElement* element;
  return FindElement(Object, element);
}

bool TdxFader::DrawFadingImage(TObject* Object, HDC DC, const RECT& R)
{
  TdxFadingElement* element;
  return FindElement(Object, element) && element->DrawCurrentFrame(DC, R);
}

void TdxFader::Fade(TObject* Object, TdxFadingDirection Direction)
{
  IdxFadingObject* intf;
  if (!CanFadeObject(Object, intf)) return;
  TOwned<TBitmap> fadeOutImage, fadeInImage;
  intf->GetFadingImages(fadeOutImage, fadeInImage);
  StartFading(Object, Direction, std::move(fadeOutImage), std::move(fadeInImage));
}

void TdxFader::StartFading(TObject* Object, TdxFadingDirection Direction, TOwned<TBitmap> FadeOutImage,
                           TOwned<TBitmap> FadeInImage)
{
  IdxFadingObject* intf;
  if (!CanFadeObject(Object, intf)) return;
  TdxFadingElement* element;
  if (FindElement(Object, element)) {
    element->SetDirection(Direction);
    return;
  }
  if (!FadeOutImage || !FadeInImage || FadeOutImage->Empty() || FadeInImage->Empty()) return;
  element = New<TdxFadingElement>(this, Object, intf, Direction, std::move(FadeOutImage), std::move(FadeInImage));
  // In the list before the repaint, so that the object finds its first frame.
  AddElement(element);
  element->RefreshObject();
  LimitRunningFades();
}

void TdxFader::StopFading(TObject* Object, bool Immediately)
{
  TdxFadingElement* element;
  if (!FindElement(Object, element)) return;
  if (Immediately)
    Free(element);
  else
    element->Finish();
}

void TdxFader::Clear()
{
  FList->Clear();
  UpdateTimer();
}

void TdxFader::TimerHandler(TObject*)
{
  // Repaints may start, stop or finish fades: tick the elements running now, as long as they run.
  std::vector<TWeakRef<TdxFadingElement>> elements;
  for (int i = Count() - 1; i >= 0; --i) elements.emplace_back(Elements(i));
  // A failing repaint ends its own fade only: the others still tick, and the first failure is
  // passed on afterwards.
  std::exception_ptr failure;
  for (const TWeakRef<TdxFadingElement>& element : elements) {
    try {
      if (element) element->Tick();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void TdxFader::AddElement(TdxFadingElement* Element)
{
  FList->Add(Element);
  UpdateTimer();
}

void TdxFader::RemoveElement(TdxFadingElement* Element)
{
  FList->Remove(Element);
  UpdateTimer();
}

void TdxFader::LimitRunningFades()
{
  while (Count() > MaxRunningElements) Elements(0)->Finish();
}

void TdxFader::UpdateTimer() { FTimer->SetEnabled(Count() > 0); }

// ---- TdxFadingObjectHelper --------------------------------------------------------------------------

CL_DEFINE_CLASS(TdxFadingObjectHelper);

void TdxFadingObjectHelper::GetFadingImages(TOwned<TBitmap>& FadeOutImage, TOwned<TBitmap>& FadeInImage)
{
  FadeOutImage.reset();
  FadeInImage.reset();
}

bool TdxFadingObjectHelper::IsIdle()
{
  TdxFader* fader = GetFader();
  return !fader || !fader->IsFading(this);
}

bool TdxFadingObjectHelper::DrawFadingFrame(HDC DC, const RECT& R)
{
  TdxFader* fader = GetFader();
  return fader && fader->DrawFadingImage(this, DC, R);
}
