#pragma once
// Keyboard navigation among bar objects: the process-wide navigation controller, the geometric
// search for the nearest object in a direction, and the key-tip container routines. No bar object
// of this system supplies key tips, so none are ever pending or shown.
#include <span>
#include "classlib/Object.h"
#include "toolkit/bars/dxBarAccessibility.h"

class TdxBarNavigationController : public TObject {
  CL_CLASS(TdxBarNavigationController, TObject)
public:
  TdxBarNavigationController() = default;
  bool AreKeyTipsPending() const { return false; }
  bool HasActiveContainer() const { return false; }

  // What the bar hooks ask and tell: until keyboard navigation comes, nothing is wanted, nothing
  // is selected and the calls do nothing.
  virtual bool WantsKey(WORD key, TShiftState shift) { (void)key; (void)shift; return false; }
  virtual void DispatchKey(WORD key, TShiftState shift) { (void)key; (void)shift; }
  virtual bool HasSelectedObject() { return false; }
  virtual void BeginKeyTipsWait(IdxBarAccessibilityHelper* root) { (void)root; }
  virtual void StopKeyTipsWaiting(bool show) { (void)show; }
  virtual void EnterNavigation(IdxBarAccessibilityHelper* root) { (void)root; }
  virtual void ClearNavigationMode() {}
  virtual void EndKeyboardMode() {}
  // Alt (or F10 for the menu) went down alone: its release enters the main menu.
  bool AltPressedAlone() const { return FAltPressedAlone; }
  void SetAltPressedAlone(bool value) { FAltPressedAlone = value; }

private:
  bool FAltPressedAlone = false;
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
