#include "toolkit/panels/RzCommonBlinking.h"

#include <algorithm>
#include "toolkit/panels/RzCommon.h"

namespace {
TUnitObject<TRzBlinkingControlsList> GBlinkingControlsList{UnitRzCommon};
}  // namespace

CL_DEFINE_CLASS(TRzBlinkingControlsList);

TRzBlinkingControlsList::TRzBlinkingControlsList() : FTimer(MakeOwned<TTimer>(nullptr))
{
  FTimer->SetInterval(FBlinkIntervalOff);
  FTimer->SetOnTimer(TNotifyEvent(this, &TRzBlinkingControlsList::TimerExpired));
}

void TRzBlinkingControlsList::AddControl(TControl* control)
{
  if (control && !Contains(control)) FControls.push_back(control);
}

void TRzBlinkingControlsList::RemoveControl(TControl* control)
{
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

bool TRzBlinkingControlsList::Contains(const TControl* control) const
{
  return std::find(FControls.begin(), FControls.end(), control) != FControls.end();
}

void TRzBlinkingControlsList::TimerExpired(TObject*)
{
  FBlinkPhase = !FBlinkPhase;
  FTimer->SetInterval(FBlinkPhase ? FBlinkIntervalOn : FBlinkIntervalOff);
  const WPARAM phase = FBlinkPhase ? 1 : 0;
  // A control may leave the list, or the list may go, while the controls are told.
  TWeakRef<TRzBlinkingControlsList> self(this);
  const std::vector<TControl*> controls = FControls;
  for (TControl* control : controls) {
    if (!self) break;
    if (!Contains(control)) continue;
    if (control->Perform(RZM_QUERYBLINKING) == 1) control->Perform(RZM_SETBLINKSTATE, phase);
  }
}

TRzBlinkingControlsList* BlinkingControlsList() { return GBlinkingControlsList.Get(); }

TRzBlinkingControlsList* PeekBlinkingControlsList() { return GBlinkingControlsList.Peek(); }

void ReleaseBlinkListWhenEmpty()
{
  if (TRzBlinkingControlsList* list = GBlinkingControlsList.Peek(); list && list->Count() == 0)
    GBlinkingControlsList.Free();
}
