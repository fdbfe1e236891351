// Message dialogs over the system's message box.
#include "classlib/Dialogs.h"

#include "classlib/Application.h"
#include "classlib/Forms.h"

namespace {
TMessageBoxFunc GMessageBox = MessageBoxA;

struct TButtonsFlag {
  TMsgDlgButtons Buttons;
  UINT Flag;
};
const TButtonsFlag ButtonFlags[] = {
  {{mbOK}, MB_OK},
  {{mbOK, mbCancel}, MB_OKCANCEL},
  {{mbYes, mbNo}, MB_YESNO},
  {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
  {{mbRetry, mbCancel}, MB_RETRYCANCEL},
  {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE},
};

UINT TypeFlag(TMsgDlgType type)
{
  switch (type) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}
}  // namespace

TMessageBoxFunc SetMessageBoxFunc(TMessageBoxFunc func)
{
  TMessageBoxFunc old = GMessageBox;
  GMessageBox = func ? func : MessageBoxA;
  return old;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
  return GMessageBox(owner, text, caption, flags);
}

UINT MessageDlgFlags(TMsgDlgType type, TMsgDlgButtons buttons)
{
  for (const TButtonsFlag& b : ButtonFlags)
    if (b.Buttons == buttons) return b.Flag | TypeFlag(type);
  throw EInvalidOperation("The message box has no such set of buttons");
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx)
{
  (void)helpCtx;  // the system box has no help context
  UINT flags = MessageDlgFlags(type, buttons);
  // Modal to the active form (the box disables it while open), else to the thread's windows.
  HWND owner = nullptr;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    owner = Screen->ActiveForm()->Handle();
  else if (HWND active = GetActiveWindow())
    owner = active;
  if (!owner) flags |= MB_TASKMODAL;
  std::string title = Application ? Application->Title() : std::string();
  int result = ShowMessageBox(owner, msg.c_str(), title.c_str(), flags);
  if (result == 0) RaiseLastOSError();
  return result;  // the IDOK ... values are the mrOk ... values
}

void ShowMessage(const std::string& msg) { MessageDlg(msg, mtCustom, {mbOK}, 0); }
