#pragma once
// The visual side of one shown item link: item controls are not windows; they draw on their bar
// control's canvas through its bar painter and take their input from it. Each item class is
// paired with the item-control class that shows it (TdxBarItemList).
#include "classlib/ClassRef.h"
#include "toolkit/base/cxClasses.h"

class TdxBarItemControl : public TcxIUnknownObject {
  CL_CLASS(TdxBarItemControl, TcxIUnknownObject)
};

using TdxBarItemControlClass = TClassRef<TdxBarItemControl>;
