// The hint state machine of the bar managers: idle, waiting (the show timer runs), showing (the
// hide timer runs); hiding after a show request opens the quick-switch time.
#include "toolkit/bars/dxBarHints.h"

#include "classlib/Application.h"
#include "classlib/Hints.h"
#include "classlib/ThreadTimer.h"
#include "toolkit/bars/dxBarHintWindow.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

namespace {
constexpr int StandardHintShowPause = 1000;
constexpr int StandardHintHidePause = 10000;

struct TdxBarHintState {
  TOwned<THintWindow> Window;
  TThreadTimer Timer;  // the show or the hide timer, never both
  bool TimerHides = false;
  TdxBarManager* TimerManager = nullptr;
  TThreadTimer QuickSwitch;
  bool QuickSwitchOpen = false;
  bool Requested = false;
  std::string ExplicitText;
  bool ShownByTimer = false;
};
TdxBarHintState& State()
{
  static TdxBarHintState state;
  return state;
}

bool HintWindowVisible()
{
  THintWindow* w = State().Window.get();
  return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
}

// The shared window is of the class the manager wants now: the application's hint window class for
// the standard hint, else the bar hint window.
void EnsureHintWindow(const TdxBarManager* manager)
{
  TClass wanted = manager->UsesStandardHintWindow() ? HintWindowClass : TdxBarHintWindow::StaticClass();
  if (State().Window && State().Window->ClassType() == wanted) return;
  State().Window.reset(NewHintWindow(wanted, nullptr));
}

TdxBarHintWindow* BarHintWindow() { return dynamic_cast<TdxBarHintWindow*>(State().Window.get()); }

void StopTimer()
{
  State().Timer.Kill();
  State().TimerManager = nullptr;
}

void StartTimer(TdxBarManager* manager, bool hides, int pause)
{
  StopTimer();
  State().TimerManager = manager;
  State().TimerHides = hides;
  State().Timer.Start(static_cast<UINT>(pause), [manager, hides] {
    StopTimer();
    if (manager->ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
    if (hides)
      manager->HideHint();
    else
      manager->ShowHintNow();
  });
}

void OpenQuickSwitch()
{
  State().QuickSwitchOpen = true;
  State().QuickSwitch.Start(dxBarHintQuickSwitchTime, [] {
    State().QuickSwitch.Kill();
    State().QuickSwitchOpen = false;
  });
}
}  // namespace

THintWindow* GetBarHintWindow() { return State().Window.get(); }
UINT_PTR GetBarHintTimerID() { return State().Timer.ID(); }
bool IsBarHintHideTimer() { return State().TimerHides; }
UINT_PTR GetBarHintQuickSwitchTimerID() { return State().QuickSwitch.ID(); }
bool IsBarHintQuickSwitchOpen() { return State().QuickSwitchOpen; }
bool IsBarHintShowing() { return HintWindowVisible(); }

void ReleaseBarHints(TdxBarManager* manager, bool lastManager)
{
  if (State().TimerManager == manager) {
    StopTimer();
    if (HintWindowVisible()) ShowWindow(State().Window->Handle(), SW_HIDE);
  }
  if (!lastManager) return;
  State().QuickSwitch.Kill();
  State().QuickSwitchOpen = false;
  State().Requested = false;
  State().Window.reset();
}

int TdxBarManager::GetHintShowPause() const
{
  TdxBarHintWindow* window = UsesStandardHintWindow() ? nullptr : BarHintWindow();
  return window ? window->GetShowPause() : StandardHintShowPause;
}

int TdxBarManager::GetHintHidePause() const
{
  TdxBarHintWindow* window = UsesStandardHintWindow() ? nullptr : BarHintWindow();
  return window ? window->GetHidePause() : StandardHintHidePause;
}

void TdxBarManager::ActivateHint(bool show, const std::string& text, TObject* object)
{
  if (IsCustomizingOrDesigning() || (show && !ShowHint())) {
    FHintObject = nullptr;
    return;
  }
  auto* context = dynamic_cast<IdxBarHintContext*>(object);
  FStandardHint = context && !context->UsesBarHintWindow();
  EnsureHintWindow(this);
  if (show && !UsesStandardHintWindow() && BarHintWindow() && BarHintWindow()->ScreenTipLook())
    UpdateHint(false, std::string(), nullptr);
  UpdateHint(show, text, object);
}

void TdxBarManager::HideHint()
{
  FHintObject = nullptr;
  if (!State().Requested && !HintWindowVisible() && State().TimerManager != this) return;
  UpdateHint(false, std::string(), nullptr);
}

void TdxBarManager::UpdateHint(bool show, const std::string& text, TObject* object)
{
  TdxBarHintState& s = State();
  if (!show && !s.Requested && !HintWindowVisible()) {
    FHintObject = nullptr;
    return;
  }
  s.Requested = show;
  s.ExplicitText = text;
  s.ShownByTimer = false;
  const bool wanted = show && (!text.empty() || object);
  StopTimer();
  FHintObject = object;
  if (wanted) {
    if (HintWindowVisible() || s.QuickSwitchOpen)
      ShowHintNow();
    else
      StartTimer(this, false, GetHintShowPause());
  } else if (HintWindowVisible()) {
    ShowWindow(s.Window->Handle(), SW_HIDE);
    if (show) OpenQuickSwitch();  // onto something without a hint: the next one shows at once
  }
}

void TdxBarManager::ShowHintNow()
{
  TdxBarHintState& s = State();
  if (!s.ExplicitText.empty()) {
    if (!DoShowHint(s.ExplicitText, std::string())) HideHint();
    return;
  }
  auto* source = dynamic_cast<IdxBarHintSource*>(FHintObject);
  if (!source) return;
  bool suppressed = false;
  std::string hint, shortCut;
  const bool has = source->GetHintTexts(suppressed, hint, shortCut);
  if (suppressed) return;
  auto* control = dynamic_cast<TdxBarItemControl*>(FHintObject);
  const bool enabled = !control || !control->GetItem() || control->GetItem()->GetEnabled();
  if (!has || hint.empty() || (!enabled && !ShowHintForDisabledItems())) {
    HideHint();
    return;
  }
  if (!ShowShortCutInHint() && !(Application && Application->HintShortCuts())) shortCut.clear();
  if (!DoShowHint(hint, shortCut)) HideHint();
}

bool TdxBarManager::DoShowHint(const std::string& text, const std::string& shortCut)
{
  TdxBarHintState& s = State();
  EnsureHintWindow(this);
  FHintShortCutText = shortCut;
  const bool standard = UsesStandardHintWindow();
  const std::string shown = !standard || text.empty() || shortCut.empty() ? text : text + " (" + shortCut + ")";
  RECT r = s.Window->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), shown, this);
  if (IsRectEmpty(&r)) return false;
  POINT at{};
  GetCursorPos(&at);
  at.y += GetSystemMetrics(SM_CYCURSOR) / 2 + 4;  // below the cursor, unless the object places it
  if (auto* source = dynamic_cast<IdxBarHintSource*>(FHintObject)) source->ShowHintAt(at);
  OffsetRect(&r, at.x - r.left, at.y - r.top);
  ShowHintWindowAt(s.Window.get(), r, shown);
  s.ShownByTimer = true;
  StartTimer(this, true, GetHintHidePause());
  return true;
}
