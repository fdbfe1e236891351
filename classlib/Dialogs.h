#pragma once
// Message dialogs over the system's message box: modal to the active form, with the application's
// title as caption.
#include <string>
#include "classlib/Sets.h"
#include "classlib/Win.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using enum TMsgDlgType;
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using enum TMsgDlgBtn;
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Shows msg and answers the button chosen (mrOk, mrYes, ...). The buttons must be a set the system
// box has: [mbOK], [mbOK, mbCancel], [mbYes, mbNo], [mbYes, mbNo, mbCancel], [mbRetry, mbCancel] or
// [mbAbort, mbRetry, mbIgnore]; any other raises EInvalidOperation.
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);
// The message with an OK button and no icon.
void ShowMessage(const std::string& msg);
// The MB_* flags of a dialog type and button set (raising as MessageDlg does).
UINT MessageDlgFlags(TMsgDlgType type, TMsgDlgButtons buttons);

// The call that shows the box, for MessageDlg and TApplication::MessageBox alike; tests replace it.
// Answers the previous one; nullptr puts the system's back.
using TMessageBoxFunc = int(WINAPI*)(HWND owner, const char* text, const char* caption, UINT flags);
TMessageBoxFunc SetMessageBoxFunc(TMessageBoxFunc func);
// Shows the box through the function set now.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags);
