#pragma once
// Closes the dialog boxes the code under test shows (message boxes, file and folder dialogs): a
// thread timer, which the box's own modal loop runs, finds the first visible dialog box of the
// thread, remembers its caption and message, optionally types a file name into an open dialog's
// name box, and presses a button. Start it before the call that shows the box; stop it after.
#include <string>
#include "classlib/Win.h"

struct TDialogCloser {
  static inline WPARAM Button = IDOK;
  static inline std::string FileName;
  // What the last closed box showed, and how many boxes were closed since Start.
  static inline std::string Caption, Text;
  static inline int Seen = 0;
  // With once set, the timer stops after the first box.
  static inline bool Once = false;

  static UINT_PTR Start(WPARAM button, std::string fileName = {}, bool once = false, UINT interval = 50);
  static void Stop(UINT_PTR timer) { KillTimer(nullptr, timer); }

private:
  static BOOL CALLBACK Find(HWND wnd, LPARAM);
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
};
