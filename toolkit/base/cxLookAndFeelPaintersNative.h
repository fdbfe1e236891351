#pragma once
// What the two halves of the native painter share: the state maps from button states to the
// numbered states of the visual styles, and the theme calls with the canvas's device context.
#include <uxtheme.h>
#include <vsstyle.h>
#include <vssym32.h>
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxThemeManager.h"

// The themed parts by their state numbering.
enum class TcxThemeStateMap {
  PushButton,      // default 5, normal 1, hot 2, pressed 3, disabled 4
  FourState,       // scroll arrows (per direction), tabs, filter drop-downs, close buttons, scroll-bar parts
  CheckUnchecked,  // check boxes and radio buttons: 1 to 4
  CheckChecked,    // 5 to 8
  HeaderItem,      // normal 1, hot 2, pressed 3; default and disabled 1
  DropDownFace,    // tool-bar buttons: default and normal 2, hot 5, pressed 3, disabled 4
  TrackBarThumb,   // default 2, normal 1, hot 2, pressed 3, disabled 5
  ExplorerToggle,  // normal 1, hot 2, pressed 3; default and disabled 1
};
int cxThemeState(TcxThemeStateMap Map, TcxButtonState State);
// The check-box state of the checked or unchecked row.
int cxThemeCheckState(TcxButtonState State, bool IsChecked);

// The class's handle from the theme-handle cache, nullptr when it does not open.
inline HTHEME cxTheme(TdxThemedObjectType Type) { return GetThemeHandle(Type); }

// The device context that measuring calls pass to the theme: the canvas's, or none when the caller
// measures without a canvas (the theme then measures for the screen).
inline HDC cxThemeDC(TcxCanvas* Canvas) { return Canvas ? Canvas->GetDCHandle() : nullptr; }

void cxDrawThemePart(TcxCanvas* Canvas, HTHEME Theme, int Part, int State, const RECT& R,
                     const RECT* Clip = nullptr);
// A part's size (Bounds: the rectangle for TS_DRAW), false when the theme does not give it.
bool cxThemePartSize(HTHEME Theme, HDC DC, int Part, int State, THEMESIZE Kind, SIZE& Size,
                     const RECT* Bounds = nullptr);
bool cxThemeContentRect(HTHEME Theme, HDC DC, int Part, int State, const RECT& Bounds, RECT& Content);
// The content rectangle of the part for (0, 0, 100, 100), read as the widths of its four margins.
bool cxThemeContentMargins(HTHEME Theme, int Part, int State, RECT& Margins);
bool cxThemeColor(HTHEME Theme, int Part, int State, int Property, TColor& Color);
