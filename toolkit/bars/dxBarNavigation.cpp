#include "toolkit/bars/dxBarNavigation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include "classlib/SysUtils.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TdxBarNavigationController);

bool AltPressedAlone = false;

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

RECT ScreenBoundsOf(IdxBarAccessibilityHelper* helper) { return helper->GetHelper()->GetBoundsOnScreen(0); }

// How far the line between the centres turns away from the direction, 0 to 180 degrees.
double DeviationFrom(const RECT& current, const RECT& candidate, TDirection direction)
{
  const TdxFloatPoint c1 = RectCenterPoint(current), c2 = RectCenterPoint(candidate);
  double angle = std::atan2(c2.Y - c1.Y, c2.X - c1.X) * 180 / std::numbers::pi;
  switch (direction) {
    case TDirection::andLeft: angle -= 180; break;
    case TDirection::andUp: angle -= 270; break;
    case TDirection::andDown: angle -= 90; break;
    default: break;
  }
  angle = std::fmod(angle + 720, 360);
  return std::min(angle, 360 - angle);
}

// The distance from current's edge to the candidate's facing edge; negative when the candidate does
// not lie beyond that edge.
long long GapTo(const RECT& current, const RECT& candidate, TDirection direction)
{
  switch (direction) {
    case TDirection::andLeft: return static_cast<long long>(current.left) - candidate.right;
    case TDirection::andUp: return static_cast<long long>(current.top) - candidate.bottom;
    case TDirection::andRight: return static_cast<long long>(candidate.left) - current.right;
    default: return static_cast<long long>(candidate.top) - current.bottom;
  }
}

IdxBarAccessibilityHelper* FindNearest(const RECT& current, std::span<IdxBarAccessibilityHelper* const> candidates,
                                       TDirection direction)
{
  IdxBarAccessibilityHelper* best = nullptr;
  long long bestGap = 0;
  double bestDeviation = 0;
  for (IdxBarAccessibilityHelper* candidate : candidates) {
    if (!candidate) continue;
    const RECT bounds = ScreenBoundsOf(candidate);
    const long long gap = GapTo(current, bounds, direction);
    if (gap < 0) continue;
    const double deviation = DeviationFrom(current, bounds, direction);
    if (!best || gap < bestGap || (gap == bestGap && deviation < bestDeviation)) {
      best = candidate;
      bestGap = gap;
      bestDeviation = deviation;
    }
  }
  return best;
}

constexpr int FarSide = 0x3FFFFFFF;
}  // namespace

TdxFloatPoint RectCenterPoint(const RECT& r)
{
  return {r.left + (r.right - r.left) / 2.0, r.top + (r.bottom - r.top) / 2.0};
}

IdxBarAccessibilityHelper* FindNearestObjectInDirection(IdxBarAccessibilityHelper* current,
                                                        std::span<IdxBarAccessibilityHelper* const> candidates,
                                                        TDirection direction, bool wrap)
{
  if (!current || direction == TDirection::andPrev || direction == TDirection::andNext) return nullptr;
  RECT bounds = ScreenBoundsOf(current);
  if (IdxBarAccessibilityHelper* found = FindNearest(bounds, candidates, direction)) return found;
  if (!wrap || (direction != TDirection::andLeft && direction != TDirection::andRight)) return nullptr;
  const int width = bounds.right - bounds.left;
  if (direction == TDirection::andLeft) {
    bounds.right = FarSide;
    bounds.left = FarSide - width;
  } else {
    bounds.left = -FarSide;
    bounds.right = -FarSide + width;
  }
  return FindNearest(bounds, candidates, direction);
}

IdxBarAccessibilityHelper* FindEnclosingKeyTipContainer(IdxBarAccessibilityHelper* helper)
{
  IdxBarAccessibilityHelper* result = helper ? helper->GetBarHelper()->GetKeyTipParent() : nullptr;
  while (result) {
    TdxBarAccessibilityHelper* bar = result->GetBarHelper();
    IdxBarAccessibilityHelper* parent = bar->HoldsKeyTips() ? nullptr : bar->GetKeyTipParent();
    if (!parent) break;
    result = parent;
  }
  return result;
}

void PassKeyTipsEscape(IdxBarAccessibilityHelper* container)
{
  if (container) container->GetBarHelper()->EscapeKeyTips();
}

IdxBarAccessibilityHelper* QueryAccessibilityHelper(TObject* object)
{
  return Supports<IdxBarAccessibilityHelper>(object);
}

void ReleaseAccessibilityHelperOnOwnerDestroy(TOwned<TdxBarAccessibilityHelper>& helper)
{
  if (!helper) return;
  helper->MarkOwnerDestroyed();
  helper.reset();
}

// The navigation controller.

namespace {
TdxBarAccessibilityHelper* HelperObjectOf(IdxBarAccessibilityHelper* helper)
{
  return helper ? helper->GetBarHelper() : nullptr;
}

TDirection KeyToNavigationDirection(WORD key, TShiftState shift)
{
  switch (key) {
    case VK_LEFT: return TDirection::andLeft;
    case VK_UP: return TDirection::andUp;
    case VK_RIGHT: return TDirection::andRight;
    case VK_DOWN: return TDirection::andDown;
    default: return shift.Contains(TShiftStateFlag::ssShift) ? TDirection::andLeft : TDirection::andRight;
  }
}

// The character the key gives with the keyboard's present state, upper-cased; empty for none.
std::string UpperCharOfKey(WORD key)
{
  BYTE state[256] = {};
  if (!GetKeyboardState(state)) return {};
  state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;
  state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
  WORD chars[2] = {};
  const int count = ToAscii(key, MapVirtualKeyA(key, MAPVK_VK_TO_VSC), state, chars, 0);
  if (count != 1) return {};
  return AnsiUpperCase(std::string(1, static_cast<char>(chars[0] & 0xFF)));
}

bool IsCtrlUp() { return GetKeyState(VK_CONTROL) >= 0; }
}  // namespace

TdxBarNavigationController::~TdxBarNavigationController()
{
  FTips.clear();
  StopKeyTipsWaiting(false);
}

TCustomdxBarControl* TdxBarNavigationController::GetKeyboardBarControl()
{
  TCustomdxBarControl* control = GetActiveBarControl();
  if (!control || !control->Enabled() || control->IsCustomizing()) return nullptr;
  return control;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetCurrentObject()
{
  if (TCustomdxBarControl* control = GetKeyboardBarControl())
    if (TdxBarItemControl* item = control->GetSelectedItemControl())
      if (IdxBarAccessibilityHelper* helper = item->GetAccessibilityHelper()) return helper;
  return SelectedObject();
}

IdxBarAccessibilityHelper* TdxBarNavigationController::GetCurrentParent()
{
  if (TCustomdxBarControl* control = GetKeyboardBarControl()) return control->GetAccessibilityHelper();
  return SelectedParent();
}

bool TdxBarNavigationController::IsKeyboardNavigated(TCustomdxBarControl* control)
{
  return FNavigationMode && control && control == GetKeyboardBarControl();
}

bool TdxBarNavigationController::IsMoveKey(WORD key)
{
  switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    case VK_TAB: return IsCtrlUp();
    default: return false;
  }
}

bool TdxBarNavigationController::TakesNavigationKey(WORD key)
{
  bool result = IsMoveKey(key);
  if (!result && !GetActiveBarControl()) {
    IdxBarAccessibilityHelper* parent = GetCurrentParent();
    TdxBarManager* manager = nullptr;
    if (key == VK_F10 && parent) {
      try {
        manager = parent->GetOwningManager();
      } catch (const EdxException&) {
      }
    }
    result = key == VK_MENU || (key == VK_F10 && manager && manager->UseF10ForMenu());
  }
  if (IdxBarAccessibilityHelper* current = GetCurrentObject()) return result || current->AcceptsNavigationKey(key);
  if (IdxBarAccessibilityHelper* parent = GetCurrentParent()) return result || parent->AcceptsNavigationKey(key);
  return result;
}

bool TdxBarNavigationController::WantsKey(WORD key, TShiftState shift)
{
  if (TakesNavigationKey(key))
    if (IdxBarAccessibilityHelper* parent = GetCurrentParent(); parent && parent->AllowsChildNavigation(key)) return true;
  if (AreKeyTipsPending() || HasActiveContainer()) return IsKeyTipKey(key, shift);
  return false;
}

bool TdxBarNavigationController::IsKeyTipKey(WORD key, TShiftState shift)
{
  TNotifyEvent handler;
  bool matched = false;
  const bool saved = std::exchange(FInDispatch, false);
  const bool handled = MatchKeyTip(key, shift, handler, matched);
  FInDispatch = saved;
  return handled;
}

void TdxBarNavigationController::SetSelection(TdxBarAccessibilityHelper* object, TdxBarAccessibilityHelper* parent)
{
  FSelectedObject = object;
  FSelectedParent = parent;
  FSelectedParentIdentity = parent;
}

void TdxBarNavigationController::FreeWaitTimer()
{
  // The timer may be the one whose tick is running: it stops now and goes once the tick is over.
  if (!FWaitTimer) return;
  FWaitTimer->SetEnabled(false);
  ReleaseLater(FWaitTimer.release());
}

void TdxBarNavigationController::BeginKeyTipsWait(IdxBarAccessibilityHelper* root)
{
  if (!root) throw EdxException("");
  if (AreKeyTipsPending() && FWaitRoot.Get() != HelperObjectOf(root)) throw EdxException("");
  if (HasActiveContainer() || AreKeyTipsPending()) return;
  FWaitRoot = HelperObjectOf(root);
  FWaitTimer = MakeOwned<TcxTimer>(nullptr);
  FWaitTimer->SetInterval(KeyTipsWaitInterval);
  FWaitTimer->SetOnTimer(TNotifyEvent(this, &TdxBarNavigationController::WaitTimerTick));
}

void TdxBarNavigationController::WaitTimerTick(TObject*)
{
  if (::AltPressedAlone)
    StopKeyTipsWaiting(true);
  else
    FreeWaitTimer();
}

void TdxBarNavigationController::StopKeyTipsWaiting(bool show)
{
  ::AltPressedAlone = false;
  if (!AreKeyTipsPending()) {
    FreeWaitTimer();
    return;
  }
  FreeWaitTimer();
  TdxBarAccessibilityHelper* root = FWaitRoot.Get();
  FWaitRoot = nullptr;
  if (show) ShowKeyTipsOf(root, "");
}

void TdxBarNavigationController::EnterNavigation(IdxBarAccessibilityHelper* root)
{
  if (!root) return;
  IdxBarAccessibilityHelper* object = root->GetBarHelper()->FindDefaultSelectable(TDirection::andRight);
  if (!object) return;
  FNavigationMode = true;
  object->SelectObject(false);
}

void TdxBarNavigationController::MoveSelection(bool byTab, IdxBarAccessibilityHelper* newObject,
                                               IdxBarAccessibilityHelper* oldObject)
{
  if (!newObject) return;
  if (!oldObject) oldObject = GetCurrentObject();
  if (HelperObjectOf(oldObject) == HelperObjectOf(newObject)) return;
  TWeakRef<TdxBarAccessibilityHelper> target(HelperObjectOf(newObject));
  TdxBarManager* manager = nullptr;
  if (oldObject) {
    try {
      TdxBarManager* oldManager = oldObject->GetOwningManager();
      if (oldManager && oldManager == newObject->GetOwningManager()) manager = oldManager;
    } catch (const EdxException&) {
    }
  }
  TWeakRef<TdxBarManager> weakManager(manager);
  if (manager) manager->BeginSelectionSwitch();
  try {
    if (oldObject) oldObject->UnselectObject(newObject);
    if (target) target->SelectObject(byTab);
  } catch (...) {
    if (weakManager) weakManager->EndSelectionSwitch();
    throw;
  }
  if (weakManager) weakManager->EndSelectionSwitch();
}

void TdxBarNavigationController::ReleaseTips()
{
  IdxBarKeyTipWindowHost* host = nullptr;
  if (TdxBarAccessibilityHelper* container = FContainer.Get(); container && container->SupportsKeyTips(host))
    for (auto& tip : FTips) tip->ReleaseKeyTipWindow(host);
  FTips.clear();
}

void TdxBarNavigationController::ShowKeyTipsOf(IdxBarAccessibilityHelper* container, const std::string& text)
{
  TdxBarAccessibilityHelper* object = HelperObjectOf(container);
  if (object != FContainer.Get()) {
    ReleaseTips();
    FContainer = object;
    FContainerIdentity = object;
    FTyped.clear();
    if (object) {
      FTyped = AnsiUpperCase(text);
      object->BuildKeyTips(FTips);
      UpdateKeyTipWindows();
    }
  } else if (object && AnsiCompareText(FTyped, text) != 0) {
    FTyped = AnsiUpperCase(text);
    UpdateKeyTipWindows();
  }
}

void TdxBarNavigationController::UpdateKeyTipWindows()
{
  IdxBarKeyTipWindowHost* host = nullptr;
  TdxBarAccessibilityHelper* container = FContainer.Get();
  if (!container || !container->SupportsKeyTips(host) || !host) return;
  for (auto& tip : FTips) {
    if (!tip->Info().Visible) continue;
    if (!FTyped.empty() && !tip->GetUpperCaseKeyTip().starts_with(FTyped))
      tip->ReleaseKeyTipWindow(host);
    else
      tip->ShowKeyTipWindow(host);
  }
  host->ApplyWindows();
}

void TdxBarNavigationController::CancelKeyTips()
{
  StopKeyTipsWaiting(false);
  ShowKeyTipsOf(nullptr, "");
}

void TdxBarNavigationController::EndKeyboardMode()
{
  ::AltPressedAlone = false;
  if (IdxBarAccessibilityHelper* current = GetCurrentObject()) {
    try {
      if (TdxBarManager* manager = current->GetOwningManager()) manager->HideHint();
    } catch (const EdxException&) {
    }
  }
  if (TdxBarAccessibilityHelper* selected = FSelectedObject.Get()) selected->UnselectObject(nullptr);
  if (IdxBarAccessibilityHelper* current = GetCurrentObject()) current->UnselectObject(nullptr);
  CancelKeyTips();
}

void TdxBarNavigationController::ForgetObject(IdxBarAccessibilityHelper* object)
{
  TdxBarAccessibilityHelper* helper = HelperObjectOf(object);
  if (!helper) return;
  if (FSelectedObject.Get() == helper) FSelectedObject = nullptr;
  if (FSelectedParentIdentity == helper) SetSelection(nullptr, nullptr);
  if (FContainerIdentity == helper) {
    // The windows belong to the dying container's host, which goes with it.
    FTips.clear();
    FTyped.clear();
    FContainer = nullptr;
    FContainerIdentity = nullptr;
  }
}

void TdxBarNavigationController::EscapeActiveContainer() { PassKeyTipsEscape(FContainer.Get()); }

bool TdxBarNavigationController::MatchKeyTip(WORD key, TShiftState shift, TNotifyEvent& handler, bool& matched)
{
  handler = TNotifyEvent();
  matched = false;
  if (HasActiveContainer() && key == VK_ESCAPE) return true;
  if (!IsPrintableCharKey(key)) return false;
  bool handled = !shift.Contains(TShiftStateFlag::ssAlt);
  TdxBarKeyTipList temporary;
  const TdxBarKeyTipList* tips = &FTips;
  std::string text;
  if (FContainer.Get()) {
    text = FTyped;
  } else if (TdxBarAccessibilityHelper* root = FWaitRoot.Get()) {
    root->BuildKeyTips(temporary);
    tips = &temporary;
  } else {
    tips = &temporary;
  }
  text += UpperCharOfKey(key);
  for (const auto& tip : *tips) {
    const std::string upper = tip->GetUpperCaseKeyTip();
    if (!upper.starts_with(text)) continue;
    matched = true;
    handled = true;
    if (upper == text && tip->Info().Enabled) handler = tip->Info().OnExecute;
    break;
  }
  if (FInDispatch && !matched) SysMessageBeep(MB_OK);
  return handled;
}

void TdxBarNavigationController::ApplyKeyTipKey(WORD key, TShiftState shift)
{
  TNotifyEvent handler;
  bool matched = false;
  MatchKeyTip(key, shift, handler, matched);
  if (handler) {
    FWaitRoot = nullptr;
    FreeWaitTimer();
    handler(nullptr);
    return;
  }
  TdxBarAccessibilityHelper* container = FContainer.Get();
  if (!container) {
    container = FWaitRoot.Get();
    StopKeyTipsWaiting(false);
  }
  ShowKeyTipsOf(container, FTyped + UpperCharOfKey(key));
}

void TdxBarNavigationController::DispatchKey(WORD key, TShiftState shift, IdxBarAccessibilityHelper* selectedObject,
                                             IdxBarAccessibilityHelper* parent)
{
  const bool saved = std::exchange(FInDispatch, true);
  struct TRestore {
    bool& Flag;
    bool Value;
    ~TRestore() { Flag = Value; }
  } restore{FInDispatch, saved};

  TNotifyEvent handler;
  bool matched = false;
  if (AreKeyTipsPending()) {
    ::AltPressedAlone = false;
    if (MatchKeyTip(key, shift, handler, matched)) {
      if (matched) ApplyKeyTipKey(key, shift);
      StopKeyTipsWaiting(false);
      return;
    }
  } else if (HasActiveContainer() && key != VK_ESCAPE) {
    if (MatchKeyTip(key, shift, handler, matched)) {
      if (matched) ApplyKeyTipKey(key, shift);
      return;
    }
    CancelKeyTips();
  }

  if (!selectedObject) selectedObject = GetCurrentObject();
  if (!parent) parent = GetCurrentParent();
  IdxBarAccessibilityHelper* target = selectedObject ? selectedObject : parent;

  if (key == VK_ESCAPE && HasActiveContainer()) {
    EscapeActiveContainer();
    return;
  }
  if (key == VK_MENU || key == VK_ESCAPE || key == VK_F10) {
    if (!target) return;
    WORD processed = key;
    if (key == VK_ESCAPE && target->ProcessNavigationKey(processed)) return;
    target->UnselectObject(nullptr);
    return;
  }
  if (target) {
    WORD processed = key;
    if (target->ProcessNavigationKey(processed)) return;
  }
  IdxBarAccessibilityHelper* newObject = nullptr;
  if (!selectedObject) {
    if (parent) newObject = parent->GetBarHelper()->FindDefaultSelectable(KeyToNavigationDirection(key, shift));
  } else if (key == VK_TAB) {
    newObject = selectedObject->GetAdjacentSelectable(shift);
  } else {
    newObject = selectedObject->FindObjectInDirection(KeyToNavigationDirection(key, shift));
  }
  MoveSelection(key == VK_TAB, newObject, selectedObject);
}
