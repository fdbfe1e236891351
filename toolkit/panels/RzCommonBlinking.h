#pragma once
// The blink list: one process-wide list of the controls that may blink, with one timer that
// switches between a normal phase and a blink phase. On each switch every registered control is
// asked whether it blinks (RZM_QUERYBLINKING, answered 1 when it does) and each one that does is
// told the phase that begins (RZM_SETBLINKSTATE, WParam 1 for the blink phase, 0 for the normal
// one).
//
// The list is made when first needed (by the first status pane) and freed by
// ReleaseBlinkListWhenEmpty once no control is registered, so its timer runs only while controls
// are registered. GUI thread only.
#include <cstdint>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Messages.h"

constexpr UINT RZM_QUERYBLINKING = CM_BASE + 1000;  // 0xB3E8
constexpr UINT RZM_SETBLINKSTATE = CM_BASE + 1001;  // 0xB3E9

class TRzBlinkingControlsList : public TObject {
  CL_CLASS(TRzBlinkingControlsList, TObject)
public:
  // The timer starts at once with the normal phase's interval; the first tick begins a normal
  // phase.
  TRzBlinkingControlsList();

  // Appends the control (once); removes it.
  void AddControl(TControl* control);
  void RemoveControl(TControl* control);
  int Count() const { return static_cast<int>(FControls.size()); }
  bool Contains(const TControl* control) const;

  // The lengths of the phases in milliseconds (500 each). A change takes effect when the next
  // phase begins.
  uint16_t BlinkIntervalOff() const { return FBlinkIntervalOff; }
  void SetBlinkIntervalOff(uint16_t value) { FBlinkIntervalOff = value; }
  uint16_t BlinkIntervalOn() const { return FBlinkIntervalOn; }
  void SetBlinkIntervalOn(uint16_t value) { FBlinkIntervalOn = value; }
  // True during a blink phase.
  bool BlinkPhase() const { return FBlinkPhase; }
  TTimer* Timer() const { return FTimer.get(); }

private:
  // A tick: the other phase begins, the timer takes its length, the controls are told.
  void TimerExpired(TObject* sender);

  bool FBlinkPhase = true;
  uint16_t FBlinkIntervalOff = 500;
  uint16_t FBlinkIntervalOn = 500;
  TOwned<TTimer> FTimer;
  std::vector<TControl*> FControls;
};

// The list, made now when there is none; nullptr once the panels' unit is shutting down.
TRzBlinkingControlsList* BlinkingControlsList();
// The list when it exists, without making it.
TRzBlinkingControlsList* PeekBlinkingControlsList();
// Frees the list when no control is registered any more.
void ReleaseBlinkListWhenEmpty();
