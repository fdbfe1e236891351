#pragma once
// Input made as a user makes it, through SendInput: it goes through the system's queue to the
// window under the cursor or with the focus. Each call answers whether the system took all of it.
#include <initializer_list>
#include <vector>
#include "classlib/Win.h"

// The left button pressed and released at a screen point, once the cursor stays there (messages are
// handled meanwhile).
bool ClickAt(POINT screen);
// The left button pressed (down) or released at a screen point, once the cursor stays there.
bool LeftButtonAt(POINT screen, bool down);
// A key pressed and released while the modifiers (VK_CONTROL, VK_MENU, VK_SHIFT) are held.
bool PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Puts a shown window above all others and makes it the foreground window, where input made here
// reaches it; answers whether it became the foreground window (messages are handled meanwhile).
bool BringToFront(HWND window);

// A drag with the left button that works while a drag's own message loop runs: the press at from,
// then, one per tick of a thread timer (which such a loop dispatches like any other), the moves to
// to in four steps and, once the cursor has settled at the end (the X server reports warps late),
// Escape when asked and the release. The moves come after the press has been handled, so that they
// go to the window that took the capture even where they leave the test's windows. Done says when
// all of it has been sent; Stop ends a drag left unfinished (a test's tear-down).
class TMouseDrag {
public:
  static bool Start(POINT from, POINT to, bool escapeBeforeRelease = false);
  static bool Done() { return FDone; }
  static void Stop();

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static inline std::vector<POINT> FPath;
  static inline size_t FNext = 0;
  static inline int FSettled = 0;
  static inline bool FEscape = false;
  static inline bool FDone = false;
  static inline UINT_PTR FTimer = 0;
};
