#pragma once
// The colour dialog: the system's colour chooser, shown through a replaceable runner as the folder
// browser is.
#include <array>
#include "classlib/Colors.h"
#include "classlib/Component.h"
#include "classlib/Win.h"

// What a colour dialog is asked to show: its owner window and the CC_* flags.
struct TColorDialogRequest {
  HWND Owner = nullptr;
  DWORD Flags = 0;
};
// The sixteen custom colours the system's chooser shows and lets the user define.
using TCustomColors = std::array<COLORREF, 16>;

// Shows a colour dialog starting at color; on OK color holds the choice and the answer is true, on
// Cancel the answer is false. Either way custom holds the custom colours as the user left them.
// Raises when the dialog could not be shown.
using TColorDialogFunc = bool (*)(const TColorDialogRequest& request, COLORREF& color, TCustomColors& custom);
// The system's colour chooser.
bool ShowSystemColorDialog(const TColorDialogRequest& request, COLORREF& color, TCustomColors& custom);
// Replaces the runner TColorDialog shows (tests); nullptr puts the system's back. Answers the
// previous one.
TColorDialogFunc SetColorDialogFunc(TColorDialogFunc func);

class TColorDialog : public TComponent {
  CL_CLASS(TColorDialog, TComponent)
public:
  explicit TColorDialog(TComponent* owner);
  // The colour the dialog starts at (a system colour starts at its present value) and, after OK,
  // the chosen one.
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  // The custom colours, kept from one run of the dialog to the next (white at first).
  const TCustomColors& CustomColors() const { return FCustomColors; }
  void SetCustomColors(const TCustomColors& value) { FCustomColors = value; }
  // Shows the dialog (owned by owner, or the active window); true when the user chose a colour. A
  // cancelled dialog leaves Color as it was.
  virtual bool Execute(HWND owner = nullptr);

private:
  TColor FColor = clBlack;
  TCustomColors FCustomColors;
};
