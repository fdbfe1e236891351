#pragma once
// Colours and sizes of the bar system from the visual style, each with the system's answer where
// the style has none.
#include "classlib/Win.h"
#include <uxtheme.h>

// Edit states of the visual style's edit text part.
constexpr int dxThemedEditNormal = 1;
constexpr int dxThemedEditDisabled = 4;

// The window colour; in the disabled state the edit part's fill colour when the style has one.
COLORREF GetThemedEditFillColor(HTHEME theme, int state);
// The edit part's text colour in the state; else the grey text colour (disabled) or the window text
// colour.
COLORREF GetThemedEditTextColor(HTHEME theme, int state);
// The toolbar's fill colour; else the button face colour.
COLORREF GetThemedToolbarColor();
// The true size of the window's small close button; empty without a style.
SIZE GetThemedCloseButtonSize();
// The true size of the scroll bar's size box, 2 pixels larger each way; (2, 2) without a style.
SIZE GetThemedSizeGripSize();
