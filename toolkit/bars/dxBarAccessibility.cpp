#include "toolkit/bars/dxBarAccessibility.h"

CL_DEFINE_CLASS(TdxBarAccessibilityHelper);

IdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetKeyTipParent()
{
  return Supports<IdxBarAccessibilityHelper>(GetParentHelper());
}
