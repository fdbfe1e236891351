#include "toolkit/bars/dxCommon.h"

int GetDropDownNonClientHeight()
{
  const int scrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  const int captionButtonHeight = GetSystemMetrics(SM_CYSIZE);
  return scrollBarHeight + 2 < captionButtonHeight ? captionButtonHeight + 1 : scrollBarHeight + 3;
}

TdxCorner GetCornerForRects(const RECT& popupRect, const RECT& ownerRect)
{
  const bool leftOfOwnerEnd = popupRect.left < ownerRect.right;
  const bool aboveOwnerEnd = popupRect.bottom < ownerRect.bottom;
  return (leftOfOwnerEnd ? 1 : 0) + (aboveOwnerEnd ? 2 : 0);
}

int GetHitTestByCorner(TdxCorner corner)
{
  static constexpr int codes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  return corner >= 0 && corner < 4 ? codes[corner] : HTNOWHERE;
}
