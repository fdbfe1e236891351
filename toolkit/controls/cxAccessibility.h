#pragma once
// The Active Accessibility face of the toolkit's objects. A TcxAccessibilityHelper is the
// accessible object of one owner (a bar, a menu, an item control ...): it answers every IAccessible
// call from a small set of virtual operations that descendants override.
//
// Lifetime. The helper is a class-library object like any other: its owner makes it with New and
// frees it with Free when the owner dies (which also marks the owner gone). What accessibility
// clients hold is not the helper but its accessible object (Accessible()): a small COM object with
// a real reference count that implements IAccessible, IDispatch and IOleWindow. The helper holds
// one reference on it while it lives; clients hold their own. The accessible object reaches the
// helper through a weak reference, so it may outlive the helper: once the owner is marked gone or
// the helper has begun to be freed, every call succeeds with empty answers, and the object deletes
// itself when its last reference goes. During a call the helper is kept whole (a call in progress
// on it), so a call that frees the owner, a default action for instance, finishes safely.
//
// Errors never cross the COM boundary: an exception inside a call answers E_FAIL. A child id that
// is negative, or held in a variant that is not an integer, answers E_INVALIDARG.
//
// "oleacc.dll" is optional: it is loaded when the unit starts and freed when it shuts down; without
// it an object that has no parent helper reports no parent.
#include <string>
#include "classlib/Menus.h"
#include "classlib/Object.h"
#include "classlib/Sets.h"
#include "classlib/Units.h"
#include "classlib/Win.h"
#include <oleacc.h>

extern TUnit UnitcxAccessibility;

class TcxAccessibilityHelper;

// What an accessible object supports beyond name, role and state (bits 1, 2, 4, 8, 16, 32).
enum class TcxAccessibleObjectProperty {
  aopDefaultAction,  // default action and its text
  aopDescription,
  aopFocus,
  aopLocation,       // children navigation, location and hit test
  aopShortcut,       // keyboard shortcut
  aopValue,
};
using TcxAccessibleObjectProperties = TSet<TcxAccessibleObjectProperty>;

// Where a child navigation moves.
enum class TcxAccessibilityNavigationDirection { andLeft, andUp, andRight, andDown, andPrev, andNext };

// What a point hits: nothing, the object itself, or one of its children.
enum class TcxAccessibleObjectHitTest { aohtNone, aohtSelf, aohtChild };

// The helper behind an accessible object, as its owner sees it.
class IcxAccessibilityHelper {
public:
  virtual TcxAccessibilityHelper* GetHelper() = 0;
  virtual void MarkOwnerDestroyed() = 0;

protected:
  ~IcxAccessibilityHelper() = default;
};

// The state flag of an invisible object.
constexpr DWORD cxSTATE_SYSTEM_INVISIBLE = 0x8000;

// The accessible object of one owner. The operations that take an ID take the id of a simple
// element: 0 for the object itself, the child id (Index + 1) of a child that has no accessible object
// of its own. Operations that take an Index count children from 0.
class TcxAccessibilityHelper : public TObject, public IcxAccessibilityHelper {
  CL_CLASS(TcxAccessibilityHelper, TObject)
public:
  explicit TcxAccessibilityHelper(TObject* OwnerObject);
  ~TcxAccessibilityHelper() override;
  // Marks the owner gone (unless it was already).
  void BeforeDestruction() override;

  // IcxAccessibilityHelper.
  TcxAccessibilityHelper* GetHelper() override { return this; }
  // From now on every accessibility call succeeds with empty answers.
  void MarkOwnerDestroyed() override;

  // The accessible object: valid while the helper lives; a caller that keeps it takes a reference.
  IAccessible* Accessible() const { return FAccessible; }
  TObject* OwnerObject() const { return FOwnerObject; }
  bool IsOwnerAlive() const { return FOwnerAlive; }
  // The topmost accessible object reached through GetParentHelper.
  TcxAccessibilityHelper* FindTopHelper();
  // The object's own state flags lack the invisible flag.
  bool IsVisible();

  // The operations the accessible object answers from. Descendants override them; the base
  // answers nothing, except where an object that offers children, values or navigation has to
  // answer itself: those raise EdxException.
  virtual bool IsChildSimpleElement(int Index);
  virtual void DoDefaultAction(int ID);
  virtual bool GetFocusedChild(bool& IsChildFocused, int& Index);
  virtual TcxAccessibilityHelper* ChildAt(int Index);
  virtual int CountChildren();
  virtual int IndexOfChild(TcxAccessibilityHelper* Child);
  virtual std::string GetDefaultActionText(int ID);
  virtual std::string GetDescriptionText(int ID);
  virtual TcxAccessibleObjectHitTest HitTestChild(int X, int Y, int& Index);
  virtual void GetShortcut(int ID, TShortCut& ShortCut, std::string& Caption);
  virtual std::string GetNameText(int ID);
  virtual HWND GetOwnerWindow();
  virtual TcxAccessibilityHelper* GetParentHelper();
  virtual DWORD GetRoleCode(int ID);
  // Whether the owner can take the keyboard selection of keyboard navigation.
  virtual bool AsSelectable();
  virtual DWORD GetStateFlags(int ID);
  virtual TcxAccessibleObjectProperties GetSupportedProperties(int ID);
  virtual std::string GetValueText(int ID);
  // The index of the child that the move from child Index reaches (Index itself: no move).
  virtual int NavigateChild(int Index, TcxAccessibilityNavigationDirection Direction);
  virtual void SetValueText(int ID, const std::string& Value);
  virtual RECT GetBoundsOnScreen(int ID);

private:
  TObject* FOwnerObject;
  bool FOwnerAlive = true;
  IAccessible* FAccessible;
};

// Whether "oleacc.dll" is loaded with AccessibleObjectFromWindow.
bool IsOleaccAvailable();
