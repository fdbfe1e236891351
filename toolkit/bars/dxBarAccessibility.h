#pragma once
// The accessibility helpers of bar objects: every object of the bar system that the keyboard can
// reach owns one. Besides the platform's accessible object (TcxAccessibilityHelper) they serve the
// bar system's keyboard navigation: key-tip containers and where the selection moves. No bar object
// of this system shows key tips, so the base answers that it supports none and Escape in key tips
// does nothing.
#include "toolkit/controls/cxAccessibility.h"

class TdxBarAccessibilityHelper;

// The bar side of an accessibility helper.
class IdxBarAccessibilityHelper : public IcxAccessibilityHelper {
public:
  virtual TdxBarAccessibilityHelper* GetBarHelper() = 0;

protected:
  ~IdxBarAccessibilityHelper() = default;
};

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper, public IdxBarAccessibilityHelper {
  CL_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

  // IcxAccessibilityHelper, IdxBarAccessibilityHelper.
  TcxAccessibilityHelper* GetHelper() override { return this; }
  void MarkOwnerDestroyed() override { TcxAccessibilityHelper::MarkOwnerDestroyed(); }
  TdxBarAccessibilityHelper* GetBarHelper() override { return this; }

  // The helper whose key tips hold this object's: the accessibility parent when it is a bar helper.
  virtual IdxBarAccessibilityHelper* GetKeyTipParent();
  // Whether the object is a key-tip container: its selectable answer.
  virtual bool HoldsKeyTips() { return AsSelectable(); }
  // Escape while this object's key tips are shown.
  virtual void EscapeKeyTips() {}
};
