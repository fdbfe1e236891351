#include "tests/support/DialogCloser.h"

#include <dlgs.h>

UINT_PTR TDialogCloser::Start(WPARAM button, std::string fileName, bool once, UINT interval)
{
  Button = button;
  FileName = std::move(fileName);
  Once = once;
  Caption.clear();
  Text.clear();
  Seen = 0;
  return SetTimer(nullptr, 0, interval, Tick);
}

BOOL CALLBACK TDialogCloser::Find(HWND wnd, LPARAM)
{
  char cls[32] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (std::string(cls) != "#32770" || !IsWindowVisible(wnd)) return TRUE;
  char buf[256] = {};
  GetWindowTextA(wnd, buf, sizeof buf);
  Caption = buf;
  buf[0] = '\0';
  GetDlgItemTextA(wnd, 0xFFFF, buf, sizeof buf);  // a message box's text
  Text = buf;
  if (!FileName.empty()) {
    // The name box: a combo box in the explorer-style open dialog, an edit in others.
    for (int id : {cmb13, edt1})
      if (HWND box = GetDlgItem(wnd, id)) SetWindowTextA(box, FileName.c_str());
  }
  ++Seen;
  PostMessageA(wnd, WM_COMMAND, Button, 0);
  return FALSE;
}

void CALLBACK TDialogCloser::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
  if (Once && Seen > 0) return;
  EnumThreadWindows(GetCurrentThreadId(), Find, 0);
  if (Once && Seen > 0) KillTimer(nullptr, id);
}
