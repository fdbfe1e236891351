#pragma once
// Input made as a user makes it, through SendInput: it goes through the system's queue to the
// window under the cursor or with the focus. Each call answers whether the system took all of it.
#include <initializer_list>
#include "classlib/Win.h"

// The left button pressed and released at a screen point, once the cursor stays there (messages are
// handled meanwhile).
bool ClickAt(POINT screen);
// The left button pressed (down) or released at a screen point, once the cursor stays there.
bool LeftButtonAt(POINT screen, bool down);
// A key pressed and released while the modifiers (VK_CONTROL, VK_MENU, VK_SHIFT) are held.
bool PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
