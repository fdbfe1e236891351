#pragma once
// Keyboard navigation among bar objects: the process-wide navigation controller, the geometric
// search for the nearest object in a direction, and the key-tip container routines.
#include <span>
#include <string>
#include "classlib/Object.h"
#include "toolkit/bars/dxBarAccessibility.h"

#include "toolkit/base/cxClassesTimer.h"
class TCustomdxBarControl;

// Set by the keyboard hook when Alt (or F10) goes down with no other key; cleared whenever another
// key is dispatched, waiting for key tips stops or keyboard mode ends.
extern bool AltPressedAlone;

// The process-wide owner of keyboard navigation among bar objects: the selection when no bar window
// holds it, keyboard navigation mode, and key tips (waiting for them after Alt, the container whose
// tips are shown, what has been typed). Helpers are held weakly: an object that dies is forgotten.
class TdxBarNavigationController : public TObject {
  CL_CLASS(TdxBarNavigationController, TObject)
public:
  // How long Alt must be held before the key tips show, in milliseconds.
  static constexpr uint32_t KeyTipsWaitInterval = 500;

  TdxBarNavigationController() = default;
  ~TdxBarNavigationController() override;

  // Queries.
  TCustomdxBarControl* GetKeyboardBarControl();
  IdxBarAccessibilityHelper* GetCurrentObject();
  IdxBarAccessibilityHelper* GetCurrentParent();
  bool IsKeyboardNavigated(TCustomdxBarControl* control);
  bool IsNavigationMode() const { return FNavigationMode; }
  bool AreKeyTipsPending() const { return FWaitRoot.Get() != nullptr; }
  bool HasActiveContainer() const { return FContainer.Get() != nullptr; }
  IdxBarAccessibilityHelper* ActiveContainer() const { return FContainer.Get(); }
  const std::string& TypedKeyTip() const { return FTyped; }
  const TdxBarKeyTipList& KeyTips() const { return FTips; }
  TcxTimer* WaitTimer() const { return FWaitTimer.get(); }
  IdxBarAccessibilityHelper* SelectedObject() const { return FSelectedObject.Get(); }
  IdxBarAccessibilityHelper* SelectedParent() const { return FSelectedParent.Get(); }
  static bool IsMoveKey(WORD key);
  bool TakesNavigationKey(WORD key);
  // Whether the keyboard hook should dispatch the key here.
  virtual bool WantsKey(WORD key, TShiftState shift);

  // Commands. A nil root, or another root while key tips are pending, raises EdxException.
  virtual void BeginKeyTipsWait(IdxBarAccessibilityHelper* root);
  // The wait timer's handler: shows the pending key tips while Alt is still alone.
  void WaitTimerTick(TObject* sender);
  virtual void StopKeyTipsWaiting(bool show);
  virtual void EnterNavigation(IdxBarAccessibilityHelper* root);
  virtual void ClearNavigationMode() { FNavigationMode = false; }
  void MoveSelection(bool byTab, IdxBarAccessibilityHelper* newObject, IdxBarAccessibilityHelper* oldObject = nullptr);
  void ShowKeyTipsOf(IdxBarAccessibilityHelper* container, const std::string& text);
  void CancelKeyTips();
  virtual void EndKeyboardMode();
  void ForgetObject(IdxBarAccessibilityHelper* object);
  void EscapeActiveContainer();
  virtual void DispatchKey(WORD key, TShiftState shift, IdxBarAccessibilityHelper* selectedObject = nullptr,
                           IdxBarAccessibilityHelper* parent = nullptr);
  // Key-tip matching: whether the key is handled; handler receives what a completed enabled tip
  // runs, matched whether any tip begins with the text typed so far.
  bool MatchKeyTip(WORD key, TShiftState shift, TNotifyEvent& handler, bool& matched);
  bool IsKeyTipKey(WORD key, TShiftState shift);

  // Selection records kept by the helpers' SelectObject and UnselectObject.
  void SetSelection(TdxBarAccessibilityHelper* object, TdxBarAccessibilityHelper* parent);

  // What the bar hooks ask besides: whether an object is selected, and the Alt-alone flag.
  virtual bool HasSelectedObject() { return FSelectedObject.Get() != nullptr; }
  bool AltPressedAlone() const { return ::AltPressedAlone; }
  void SetAltPressedAlone(bool value) { ::AltPressedAlone = value; }

private:
  void ApplyKeyTipKey(WORD key, TShiftState shift);
  void UpdateKeyTipWindows();
  void ReleaseTips();
  void FreeWaitTimer();

  bool FInDispatch = false;
  TWeakRef<TdxBarAccessibilityHelper> FContainer;
  TdxBarKeyTipList FTips;
  std::string FTyped;
  TWeakRef<TdxBarAccessibilityHelper> FWaitRoot;
  TOwned<TcxTimer> FWaitTimer;
  bool FNavigationMode = false;
  TWeakRef<TdxBarAccessibilityHelper> FSelectedObject;
  TWeakRef<TdxBarAccessibilityHelper> FSelectedParent;
  // Which parent and container were recorded, compared only: its weak reference reads empty while it is freed.
  const void* FSelectedParentIdentity = nullptr;
  const void* FContainerIdentity = nullptr;
};

// The centre of a rectangle, in fractions of a pixel.
struct TdxFloatPoint {
  double X;
  double Y;
};
TdxFloatPoint RectCenterPoint(const RECT& r);

// Among the candidates (by their screen bounds), the nearest to current in the direction: the one
// whose facing edge lies at or beyond current's edge with the smallest gap, at an equal gap the one
// whose centre deviates least from the direction, at a full tie the first. When none lies that way
// and wrap is set, a move left or right starts again from beyond the far side, which finds the
// farthest object on the other side. nullptr for the logical directions (previous, next), for no
// current object and when nothing is found.
IdxBarAccessibilityHelper* FindNearestObjectInDirection(IdxBarAccessibilityHelper* current,
                                                        std::span<IdxBarAccessibilityHelper* const> candidates,
                                                        TcxAccessibilityNavigationDirection direction, bool wrap);

// nullptr when the helper has no key-tip parent; else, from the key-tip parent upward, the first
// object that holds key tips, or the topmost one.
IdxBarAccessibilityHelper* FindEnclosingKeyTipContainer(IdxBarAccessibilityHelper* helper);
// The container's bar helper handles Escape in its key tips (nothing for none).
void PassKeyTipsEscape(IdxBarAccessibilityHelper* container);
// The object's bar helper interface; nullptr when it has none.
IdxBarAccessibilityHelper* QueryAccessibilityHelper(TObject* object);
// Frees the helper of an owner that is being destroyed (which marks the owner gone for the helper's
// accessible object) and empties the holder; nothing for an empty holder.
void ReleaseAccessibilityHelperOnOwnerDestroy(TOwned<TdxBarAccessibilityHelper>& helper);
