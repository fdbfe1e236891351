#pragma once
// The wait of a popup menu shown with waiting: the application's messages go on being handled
// while the menu is open, so the caller gets control back only after the menu has closed.
#include <functional>

// Handles the thread's messages as the application's loop would while isOpen() answers true.
// A WM_COMMAND taken meanwhile (a command from a menu or control that the caller may not expect
// to run while its menu is up) is held and posted back to its window, in the order it came, once
// the wait ends, so the application's own loop runs it after. A WM_QUIT ends the wait and is
// posted again, after the held commands, so the application still ends.
void dxBarWaitWhileMenuOpen(const std::function<bool()>& isOpen);
