#include "toolkit/bars/dxBarThemes.h"

#include <vssym32.h>
#include "classlib/Colors.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
bool ReadThemeColor(HTHEME theme, int part, int state, int property, COLORREF& color)
{
  return theme && SUCCEEDED(dxUxTheme::GetThemeColor(theme, part, state, property, &color));
}

SIZE TruePartSize(TdxThemedObjectType type, int part, int state)
{
  SIZE size{0, 0};
  if (HTHEME theme = GetThemeHandle(type)) dxUxTheme::GetThemePartSize(theme, nullptr, part, state, TS_TRUE, &size);
  return size;
}
}  // namespace

COLORREF GetThemedEditFillColor(HTHEME theme, int state)
{
  COLORREF color;
  if (state == dxThemedEditDisabled && ReadThemeColor(theme, EP_EDITTEXT, state, TMT_FILLCOLOR, color)) return color;
  return ColorToRGB(clWindow);
}

COLORREF GetThemedEditTextColor(HTHEME theme, int state)
{
  COLORREF color;
  if (ReadThemeColor(theme, EP_EDITTEXT, state, TMT_TEXTCOLOR, color)) return color;
  return ColorToRGB(state == dxThemedEditDisabled ? clGrayText : clWindowText);
}

COLORREF GetThemedToolbarColor()
{
  COLORREF color;
  if (ReadThemeColor(GetThemeHandle(TdxThemedObjectType::totToolBar), 0, 0, TMT_FILLCOLOR, color)) return color;
  return ColorToRGB(clBtnFace);
}

SIZE GetThemedCloseButtonSize() { return TruePartSize(TdxThemedObjectType::totWindow, WP_SMALLCLOSEBUTTON, 1); }

SIZE GetThemedSizeGripSize()
{
  SIZE size = TruePartSize(TdxThemedObjectType::totScrollBar, SBP_SIZEBOX, 1);
  return SIZE{size.cx + 2, size.cy + 2};
}
