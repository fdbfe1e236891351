#include "toolkit/controls/cxControlsMouseTracking.h"

#include "toolkit/base/cxClassesLists.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"

CL_DEFINE_CLASS(TMouseTrackingTimer);

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* control, const RECT& bounds,
                                         IcxMouseTrackingCaller* caller)
    : TcxTimer(nullptr), FCaller(caller), FCallerObject(Supports<TObject>(caller)), FControl(control), FBounds(bounds)
{
  if (FControl) FControl->FreeNotification(this);
  SetInterval(10);
  SetOnTimer(TNotifyEvent(this, &TMouseTrackingTimer::TimerHandler));
}

TMouseTrackingTimer::~TMouseTrackingTimer()
{
  StopSystemTimer();
  if (FControl) FControl->RemoveFreeNotification(this);
}

void TMouseTrackingTimer::Notification(TComponent* component, TOperation operation)
{
  TcxTimer::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FControl) {
    FControl = nullptr;
    FControlDestroyed = true;
  }
}

bool TMouseTrackingTimer::IsMouseInside(POINT cursor) const
{
  if (FControl) {
    if (auto* areaTest = Supports<IcxMouseTrackingAreaTest>(FCaller))
      return FControl->HandleAllocated() && areaTest->PointInTrackedArea(FControl->ScreenToClient(cursor));
  }
  return PtInRect(&FBounds, cursor) != FALSE;
}

void TMouseTrackingTimer::TimerHandler(TObject*)
{
  IcxMouseTrackingCaller* caller = FCaller;
  if (FControlDestroyed || (FCallerObject.Assigned() && !FCallerObject)) return StopMouseTracking(caller);
  POINT cursor = ReadCursorPos();
  bool inside = IsMouseInside(cursor);
  TWinControl* control = FControl;
  bool disabled = control && (!control->HandleAllocated() || !IsWindowAndParentsEnabled(control->Handle()));
  if (inside && !disabled) return;

  // The tracking ends before anybody is told, so that the notices may free the control or start
  // tracking the caller again; only locals are used from here on, as this timer is freed.
  TWeakRef<TObject> callerObject = FCallerObject;
  HWND window = control && control->HandleAllocated() ? control->Handle() : nullptr;
  StopMouseTracking(caller);
  if (window) {
    POINT client = cursor;
    ScreenToClient(window, &client);
    RECT clientRect = ReadClientRect(window);
    if (!PtInRect(&clientRect, client) || disabled)
      SendMessageA(window, CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  }
  // A caller freed by the control's notice is not told.
  if (!callerObject.Assigned() || callerObject) caller->MouseLeave();
}

// --- Tracking functions ---

namespace {
TcxObjectList* TrackingList() { return GetMouseTrackingTimerList(); }
}  // namespace

TMouseTrackingTimer* FindTrackingTimer(IcxMouseTrackingCaller* caller)
{
  TcxObjectList* list = TrackingList();
  if (!list || !caller) return nullptr;
  for (void* item : list->List()) {
    auto* timer = static_cast<TMouseTrackingTimer*>(item);
    if (timer->Caller() == caller) return timer;
  }
  return nullptr;
}

bool IsMouseTracked(IcxMouseTrackingCaller* caller) { return FindTrackingTimer(caller) != nullptr; }

void StartMouseTracking(TWinControl* control, const RECT& bounds, IcxMouseTrackingCaller* caller)
{
  TcxObjectList* list = TrackingList();
  if (!list || !caller || IsMouseTracked(caller)) return;
  RECT screenBounds = bounds;
  if (control) {
    POINT topLeft = control->ClientToScreen(POINT{bounds.left, bounds.top});
    POINT bottomRight = control->ClientToScreen(POINT{bounds.right, bounds.bottom});
    screenBounds = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }
  list->Add(New<TMouseTrackingTimer>(control, screenBounds, caller));
}

void StopMouseTracking(IcxMouseTrackingCaller* caller)
{
  if (TMouseTrackingTimer* timer = FindTrackingTimer(caller)) TrackingList()->RemoveAndFree(timer);
}
