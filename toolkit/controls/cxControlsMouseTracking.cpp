#include "toolkit/controls/cxControlsMouseTracking.h"

#include "toolkit/base/cxClassesLists.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"

// {5B0C0E8E-3E51-4F0D-9A63-2C1B1F7D4A01}
const IID IID_IcxMouseTrackingCaller = {
    0x5b0c0e8e, 0x3e51, 0x4f0d, {0x9a, 0x63, 0x2c, 0x1b, 0x1f, 0x7d, 0x4a, 0x01}};
// {5B0C0E8E-3E51-4F0D-9A63-2C1B1F7D4A02}
const IID IID_IcxMouseTrackingAreaTest = {
    0x5b0c0e8e, 0x3e51, 0x4f0d, {0x9a, 0x63, 0x2c, 0x1b, 0x1f, 0x7d, 0x4a, 0x02}};

const TClassRecord TMouseTrackingTimer::ClassInfo =
    MakeClassRecord<TMouseTrackingTimer>("TMouseTrackingTimer", TcxTimer::StaticClass());

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* control, const RECT& bounds,
                                         IcxMouseTrackingCaller* caller)
    : TcxTimer(nullptr), FCaller(caller), FControl(control), FBounds(bounds)
{
  FCaller->AddRef();
  if (FControl) FControl->FreeNotification(this);
  SetInterval(10);
  SetOnTimer(TNotifyEvent(this, &TMouseTrackingTimer::TimerHandler));
}

TMouseTrackingTimer::~TMouseTrackingTimer()
{
  StopSystemTimer();
  if (FControl) FControl->RemoveFreeNotification(this);
  FCaller->Release();
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
    void* intf = nullptr;
    if (SUCCEEDED(FCaller->QueryInterface(IID_IcxMouseTrackingAreaTest, &intf))) {
      auto* areaTest = static_cast<IcxMouseTrackingAreaTest*>(intf);
      bool inside = FControl->HandleAllocated() &&
                    areaTest->PointInTrackedArea(FControl->ScreenToClient(cursor));
      areaTest->Release();
      return inside;
    }
  }
  return PtInRect(&FBounds, cursor) != FALSE;
}

void TMouseTrackingTimer::TimerHandler(TObject*)
{
  IcxMouseTrackingCaller* caller = FCaller;
  if (FControlDestroyed) return StopMouseTracking(caller);
  POINT cursor = ReadCursorPos();
  bool inside = IsMouseInside(cursor);
  TWinControl* control = FControl;
  bool disabled = control && (!control->HandleAllocated() || !IsWindowAndParentsEnabled(control->Handle()));
  if (inside && !disabled) return;

  // The tracking ends before anybody is told, so that the notices may free the control or start
  // tracking the caller again; only locals are used from here on, as this timer is freed.
  caller->AddRef();
  HWND window = control && control->HandleAllocated() ? control->Handle() : nullptr;
  StopMouseTracking(caller);
  if (window) {
    POINT client = cursor;
    ScreenToClient(window, &client);
    RECT clientRect = ReadClientRect(window);
    if (!PtInRect(&clientRect, client) || disabled)
      SendMessageA(window, CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  }
  caller->MouseLeave();
  caller->Release();
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
