#pragma once
// Fading: a control part changes its look gradually instead of at once. When the mouse enters a
// toolbar button its normal picture blends into its hot picture over a few frames, and back when the
// mouse leaves. One process-wide fader runs every fade on a single 10 ms timer.
//
// An object that wants fading offers IdxFadingObject: it says whether it may fade now, paints the
// two pictures to fade between, and repaints itself when a new frame is ready, drawing the current
// frame through the fader (DrawFadingImage). Objects are told apart by identity; an object that is
// freed while it fades is dropped from the fader without being asked to repaint.
#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesLists.h"
#include "toolkit/base/dxGDIPlusClasses.h"

extern TUnit UnitdxFading;

class TdxFader;

// An object that fades between two looks.
class IdxFadingObject {
public:
  virtual bool CanFade() = 0;
  // Repaints the object with the current frame (TdxFader::DrawFadingImage).
  virtual void RefreshFadingFrame() = 0;
  // Paints the two looks into two bitmaps of the same size that the caller then owns: the normal
  // look (fade-out image) and the hot look (fade-in image).
  virtual void GetFadingImages(TOwned<TBitmap>& FadeOutImage, TOwned<TBitmap>& FadeInImage) = 0;

protected:
  ~IdxFadingObject() = default;
};

// Towards the fade-in image (the hot look) or back to the fade-out image (the normal look).
enum class TdxFadingDirection { fdIn, fdOut };

// A fade of one object between its two images.
class TdxFadingElement : public TcxIUnknownObject {
  CL_CLASS(TdxFadingElement, TcxIUnknownObject)
public:
  static constexpr int DefaultFadeInFrameCount = 4;
  static constexpr int DefaultFadeInFrameDelay = 15;
  static constexpr int DefaultFadeOutFrameCount = 12;
  static constexpr int DefaultFadeOutFrameDelay = 20;
  static constexpr int MaxFrameCount = 32;
  static constexpr int MaxFrameDelay = 300;
  static constexpr int TimerInterval = 10;

  // The element starts on its first frame: the start picture of the direction.
  TdxFadingElement(TdxFader* Fader, TObject* FadingObject, IdxFadingObject* FadingObjectIntf,
                   TdxFadingDirection Direction, TOwned<TBitmap> FadeOutImage, TOwned<TBitmap> FadeInImage);
  // Leaves the fader's list.
  ~TdxFadingElement() override;

  // Draws the current frame into R at full opacity; false when there is no frame yet.
  bool DrawCurrentFrame(HDC DC, const RECT& R);
  // Turns the fade round, continuing from the frame of the other direction that shows the same
  // progress; nothing for the same direction.
  void SetDirection(TdxFadingDirection Direction);
  // One timer tick: the next frame when its time has come, or the end.
  void Tick();
  // The end picture of the direction becomes the current frame, the object repaints, and the
  // element is freed.
  void Finish();

  // A count of 0 or less is the default, one above 32 is 32; a delay of 9 ms or less is the default,
  // one above 300 ms is 300 ms.
  int FadeInFrameCount() const { return FFadeInFrameCount; }
  void SetFadeInFrameCount(int value);
  int FadeInFrameDelay() const { return FFadeInFrameDelay; }
  void SetFadeInFrameDelay(int value);
  int FadeOutFrameCount() const { return FFadeOutFrameCount; }
  void SetFadeOutFrameCount(int value);
  int FadeOutFrameDelay() const { return FFadeOutFrameDelay; }
  void SetFadeOutFrameDelay(int value);

  // The object while it lives (nullptr once it has begun to be freed).
  TObject* FadingObject() const { return FFadingObject.Get(); }
  TdxFadingDirection Direction() const { return FDirection; }
  int FrameIndex() const { return FFrameIndex; }
  int TicksPerFrame() const { return FTicksPerFrame; }
  TdxGPImage* CurrentFrame() const { return FCurrentFrame.get(); }
  // The weight of the fade-in image in the current frame: 0 shows only the fade-out image, 255
  // only the fade-in image.
  int CurrentFrameAlpha() const { return FCurrentFrameAlpha; }
  TdxPNGImage* FadeInImage() const { return FFadeInImage.get(); }
  TdxPNGImage* FadeOutImage() const { return FFadeOutImage.get(); }

  // The frame count of a direction.
  int FrameCount(TdxFadingDirection Direction) const;
  // The alpha of frame Frame (1..N) of a direction with N frames.
  static int FrameAlpha(TdxFadingDirection Direction, int FrameCount, int Frame);

private:
  friend class TdxFader;
  void CalculateTicksPerFrame();
  // Shows a picture: fade-out image (alpha 0), fade-in image (255) or a blend of both.
  void SetCurrentFrame(int Alpha);
  void RefreshObject();

  TWeakRef<TObject> FFadingObject;
  IdxFadingObject* FFadingObjectIntf;
  int FFadeInFrameCount = DefaultFadeInFrameCount;
  int FFadeInFrameDelay = DefaultFadeInFrameDelay;
  TOwned<TdxPNGImage> FFadeInImage;
  int FFadeOutFrameCount = DefaultFadeOutFrameCount;
  int FFadeOutFrameDelay = DefaultFadeOutFrameDelay;
  TOwned<TdxPNGImage> FFadeOutImage;
  int FTicksPerFrame = 1;
  int FTickCount = 0;
  TOwned<TdxGPImage> FCurrentFrame;
  int FCurrentFrameAlpha = 0;
  TdxFader* FFader;
  int FFrameIndex = 0;
  TdxFadingDirection FDirection;
};

// The running elements, oldest first; clearing the list frees them.
class TdxFadingList : public TcxObjectList {
  CL_CLASS(TdxFadingList, TcxObjectList)
public:
  TdxFadingList() = default;
  TdxFadingElement* Element(int index) const { return static_cast<TdxFadingElement*>(Items(index)); }
};

class TdxFader : public TObject {
  CL_CLASS(TdxFader, TObject)
public:
  static constexpr int MaxRunningElements = 10;

  TdxFader();
  ~TdxFader() override;
  // Frees every element without asking the objects to repaint.
  void BeforeDestruction() override;

  // Menu animation is on, GDI+ is there and the screen has more than 16 bits per pixel.
  bool IsFadingAvailable();
  // Fading is available and the object offers IdxFadingObject and may fade now.
  bool CanFadeObject(TObject* Object, IdxFadingObject*& Intf);
  bool FindElement(TObject* Object, TdxFadingElement*& Element);
  bool IsFading(TObject* Object);
  // Draws the object's current frame; false when it has no element or no frame (the caller paints
  // normally).
  bool DrawFadingImage(TObject* Object, HDC DC, const RECT& R);

  void FadeIn(TObject* Object) { Fade(Object, TdxFadingDirection::fdIn); }
  void FadeOut(TObject* Object) { Fade(Object, TdxFadingDirection::fdOut); }
  // Asks the object for its images and starts (or turns round) its fade.
  void Fade(TObject* Object, TdxFadingDirection Direction);
  // Turns a running fade of the object round, or starts one from two non-empty images; the images
  // are freed in any case.
  void StartFading(TObject* Object, TdxFadingDirection Direction, TOwned<TBitmap> FadeOutImage,
                   TOwned<TBitmap> FadeInImage);
  // Immediately: the element goes without a repaint; otherwise it finishes.
  void StopFading(TObject* Object, bool Immediately);
  void Clear();

  int Count() const { return FList->Count(); }
  TdxFadingElement* Elements(int Index) const { return FList->Element(Index); }
  // The timer runs exactly while elements exist.
  TTimer* Timer() const { return FTimer.get(); }
  // One timer tick: every element ticks, the last first. A fade whose object's repaint raises
  // ends; the first such exception is raised again once every element has ticked.
  void TimerHandler(TObject* Sender);

private:
  friend class TdxFadingElement;
  void AddElement(TdxFadingElement* Element);
  void RemoveElement(TdxFadingElement* Element);
  // While more than the maximum run, the oldest one finishes.
  void LimitRunningFades();
  void UpdateTimer();

  TOwned<TdxFadingList> FList;
  TOwned<TTimer> FTimer;
};

// The process-wide fader (nullptr once the unit shuts down).
TdxFader* GetFader();

// The small fading helpers that bar controls keep per fading part; descendants say when they may
// fade and paint their images.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  CL_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
public:
  TdxFadingObjectHelper() = default;

  bool CanFade() override { return false; }
  void RefreshFadingFrame() override {}
  void GetFadingImages(TOwned<TBitmap>& FadeOutImage, TOwned<TBitmap>& FadeInImage) override;

  // No fade runs for the helper.
  bool IsIdle();
  bool DrawFadingFrame(HDC DC, const RECT& R);
};

// What fading depends on and the virtual display cannot vary, each read through one replaceable
// function: the system's menu-animation setting, whether GDI+ is available (checked without a
// message), and the screen's colour depth in bits per pixel.
using TdxFadingQueryFunc = bool (*)();
using TdxColorDepthFunc = int (*)();
extern TdxFadingQueryFunc dxGetMenuAnimation;
extern TdxFadingQueryFunc dxGetGdiPlusAvailable;
extern TdxColorDepthFunc dxGetScreenColorDepth;
