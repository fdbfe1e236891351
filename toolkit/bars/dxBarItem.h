#pragma once
// The command object of the bar system: every kind of bar item (button, edit, combo, sub-item ...)
// derives from TdxBarItem. An item never draws itself; each place that shows it gets an item
// control of the class its item class registered (TdxBarItemList).
#include "classlib/ClassRef.h"
#include "classlib/Component.h"

class TdxBarItem : public TComponent {
  CL_CLASS(TdxBarItem, TComponent)
public:
  using TComponent::TComponent;
};

using TdxBarItemClass = TClassRef<TdxBarItem>;
