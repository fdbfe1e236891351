// The standard and enhanced painters' menu parts.
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarSubMenuControl.h"

int TdxBarStandardPainter::GetSubMenuGroupIndent() const { return 2; }
bool TdxBarStandardPainter::IndentsRecentItemGroup() const { return true; }
int TdxBarStandardPainter::GetSubMenuOuterBorder() const { return 2; }

RECT TdxBarStandardPainter::GetSubMenuBorderRect(TdxBarSubMenuControl* SubMenu) const
{
  RECT r = TdxBarPainter::GetSubMenuBorderRect(SubMenu);
  if (SubMenu && SubMenu->IsDetachable()) r.top = 0;
  return r;
}

int TdxBarEnhancedPainter::GetSubMenuGroupIndent() const { return 12; }
