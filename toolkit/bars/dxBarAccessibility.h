#pragma once
// The accessibility helpers of bar objects: every object of the bar system that the keyboard can
// reach owns one. Besides the platform's accessible object (TcxAccessibilityHelper) they serve the
// bar system's keyboard navigation: which objects can take the selection, where the arrow keys and
// Tab move it, which objects hold key tips and what those tips say.
//
// A helper is owned by its owner and freed with it; whoever keeps one beyond a call (the navigation
// controller, the bar controls) keeps a weak reference and tests it after any call that may close a
// bar.
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Menus.h"
#include "toolkit/bars/dxBarKeyTips.h"
#include "toolkit/controls/cxAccessibility.h"

class TdxBarAccessibilityHelper;
class TdxBarManager;

// Key tips collected from a container's children, owned by the list.
using TdxBarKeyTipList = std::vector<TOwned<TdxBarKeyTipData>>;

// The bar side of an accessibility helper.
class IdxBarAccessibilityHelper : public IcxAccessibilityHelper {
public:
  // Whether the object shows key tips; host receives the window host (nullptr without).
  virtual bool SupportsKeyTips(IdxBarKeyTipWindowHost*& host) = 0;
  // Whether the key may move the selection among this object's children.
  virtual bool AllowsChildNavigation(WORD key) = 0;
  virtual TdxBarAccessibilityHelper* GetBarHelper() = 0;
  virtual TdxBarManager* GetOwningManager() = 0;
  virtual IdxBarAccessibilityHelper* GetNavigationRoot() = 0;
  // The selectable object nearest to this one in the direction, nullptr for none.
  virtual IdxBarAccessibilityHelper* FindObjectInDirection(TcxAccessibilityNavigationDirection direction) = 0;
  // The topmost helper of the tree.
  virtual IdxBarAccessibilityHelper* GetRootObject() = 0;
  // Handles the key itself; may change it. True: handled.
  virtual bool ProcessNavigationKey(WORD& key) = 0;
  virtual bool AcceptsNavigationKey(WORD key) = 0;
  // Whether the navigation controller's current object is this one.
  virtual bool IsCurrentObject() = 0;
  // The next selectable object in Tab order (backward with Shift), wrapping around the tree.
  virtual IdxBarAccessibilityHelper* GetAdjacentSelectable(TShiftState shift) = 0;
  virtual void SelectObject(bool byTab) = 0;
  virtual void UnselectObject(IdxBarAccessibilityHelper* nextObject) = 0;

protected:
  ~IdxBarAccessibilityHelper() = default;
};

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper, public IdxBarAccessibilityHelper {
  CL_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

  // IcxAccessibilityHelper.
  TcxAccessibilityHelper* GetHelper() override { return this; }
  // Marks the owner gone, then the navigation controller forgets this object.
  void MarkOwnerDestroyed() override;

  // IdxBarAccessibilityHelper. GetOwningManager and GetNavigationRoot raise EdxException unless a
  // descendant answers them.
  bool SupportsKeyTips(IdxBarKeyTipWindowHost*& host) override;
  bool AllowsChildNavigation(WORD) override { return true; }
  TdxBarAccessibilityHelper* GetBarHelper() override { return this; }
  TdxBarManager* GetOwningManager() override;
  IdxBarAccessibilityHelper* GetNavigationRoot() override;
  IdxBarAccessibilityHelper* FindObjectInDirection(TcxAccessibilityNavigationDirection direction) override;
  IdxBarAccessibilityHelper* GetRootObject() override;
  bool ProcessNavigationKey(WORD&) override { return false; }
  bool AcceptsNavigationKey(WORD) override { return false; }
  bool IsCurrentObject() override;
  IdxBarAccessibilityHelper* GetAdjacentSelectable(TShiftState shift) override;
  // Records this object and its parent as the controller's selection.
  void SelectObject(bool byTab) override;
  // Clears the controller's selection.
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;

  // Key tips. The assigned and default texts are empty in the base.
  virtual std::string GetAssignedKeyTip() { return {}; }
  virtual std::string GetDefaultKeyTip() { return {}; }
  // The assigned key tip, else the default one, cut to its first three characters.
  virtual std::string GetEffectiveKeyTip();
  // Text, visibility and the action; descendants add the anchor, the placement and the enabled state.
  virtual void FillKeyTipInfo(TdxBarKeyTipInfo& info);
  TOwned<TdxBarKeyTipData> NewKeyTipData();
  void AddKeyTipData(TdxBarKeyTipList& list);
  // The key tips of the visible subtree: a selectable child gives its own, an unselectable one
  // its children's.
  virtual void CollectChildKeyTips(TdxBarKeyTipList& list);
  // The children's key tips, made unique.
  void BuildKeyTips(TdxBarKeyTipList& list);
  // The helper whose key tips hold this object's: the accessibility parent when it is a bar helper.
  virtual IdxBarAccessibilityHelper* GetKeyTipParent();
  // Whether the object is a key-tip container: its selectable answer.
  virtual bool HoldsKeyTips() { return AsSelectable(); }
  // What typing the object's complete key tip runs.
  virtual void ExecuteKeyTip(TObject* sender);
  // Escape while this object's key tips are shown: back to the enclosing container's key tips with
  // this object selected, or, at the top, out of keyboard mode.
  virtual void EscapeKeyTips();

  // The children keyboard navigation walks: the accessibility children by default.
  virtual IdxBarAccessibilityHelper* GetNavigationChild(int index);
  virtual int GetNavigationChildCount();
  virtual int GetNavigationChildIndex(IdxBarAccessibilityHelper* child);
  // From the child at index, the next visible selectable object forward (backward with Shift),
  // climbing to the parent at the end of the children and wrapping around at the root. Hidden
  // subtrees are passed over.
  virtual IdxBarAccessibilityHelper* FindSelectableFrom(int index, TShiftState shift);
  // The first selectable object of the visible subtree in depth-first order.
  virtual IdxBarAccessibilityHelper* FindDefaultSelectable(TcxAccessibilityNavigationDirection direction);

protected:
  // The accessibility parent as a bar helper.
  TdxBarAccessibilityHelper* GetBarParent();
  IdxBarAccessibilityHelper* FindSelectableInside(bool forward);
  bool IsNavigationCandidate(TdxBarAccessibilityHelper* candidate, const RECT& reference,
                             TcxAccessibilityNavigationDirection direction);
  void CollectNavigationCandidates(TdxBarAccessibilityHelper* object, const RECT& reference,
                                   TcxAccessibilityNavigationDirection direction,
                                   std::vector<IdxBarAccessibilityHelper*>& candidates);
};

// The key tip of an item by default: the letter of a Ctrl+letter shortcut, else the upper-cased
// accelerator character of the caption, else "Y".
std::string GetItemDefaultKeyTip(TShortCut shortCut, const std::string& caption);
// Appends numeric suffixes until no text equals another or begins another.
void MakeKeyTipsUnique(TdxBarKeyTipList& list);
void MakeKeyTipTextsUnique(std::vector<std::string>& texts);
