#pragma once
// Mouse tracking: turns the mouse leaving a rectangle (or a control's own tracked area) into a
// notice for callers that the platform does not tell. Each tracked caller has a timer that looks
// at the cursor every 10 ms; once the cursor is outside, or the control or one of its parents is
// disabled, the control's window receives CM_MOUSELEAVE (when the cursor left its client area or
// it is disabled), the caller's MouseLeave is called, and the tracking ends.
#include "classlib/Controls.h"
#include "toolkit/base/cxClassesTimer.h"

// A caller of mouse tracking: told when the mouse has left.
class IcxMouseTrackingCaller {
public:
  virtual void MouseLeave() = 0;

protected:
  ~IcxMouseTrackingCaller() = default;
};
// A caller that decides itself what is inside: P in the control's client coordinates (found with
// Supports on the caller).
class IcxMouseTrackingAreaTest {
public:
  virtual bool PointInTrackedArea(POINT p) = 0;

protected:
  ~IcxMouseTrackingAreaTest() = default;
};

// The timer of one tracked caller. It forgets a control that is destroyed while tracked, and a
// caller (a class-library object) that is freed while tracked, and then ends the tracking silently
// on its next tick.
class TMouseTrackingTimer : public TcxTimer {
  CL_CLASS(TMouseTrackingTimer, TcxTimer)
public:
  // Interval 10 ms, running from the start.
  TMouseTrackingTimer(TWinControl* control, const RECT& bounds, IcxMouseTrackingCaller* caller);
  ~TMouseTrackingTimer() override;
  void Notification(TComponent* component, TOperation operation) override;

  IcxMouseTrackingCaller* Caller() const { return FCaller; }
  TWinControl* Control() const { return FControl; }
  // Screen coordinates.
  const RECT& Bounds() const { return FBounds; }

private:
  void TimerHandler(TObject* sender);
  bool IsMouseInside(POINT cursor) const;

  IcxMouseTrackingCaller* FCaller;
  TWeakRef<TObject> FCallerObject;  // the caller, when it is a class-library object
  TWinControl* FControl;
  RECT FBounds;
  bool FControlDestroyed = false;
};

// Starts tracking caller (none: nothing) unless the unit is shutting down or the caller is tracked
// already. With a control, bounds are in its client coordinates; without one, in screen
// coordinates.
void StartMouseTracking(TWinControl* control, const RECT& bounds, IcxMouseTrackingCaller* caller);
// Ends the tracking of caller, if any, freeing its timer; no notice is sent.
void StopMouseTracking(IcxMouseTrackingCaller* caller);
bool IsMouseTracked(IcxMouseTrackingCaller* caller);
TMouseTrackingTimer* FindTrackingTimer(IcxMouseTrackingCaller* caller);
