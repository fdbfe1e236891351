#pragma once
// The font dialog: the system's font chooser, shown through a replaceable runner as the folder
// browser is.
#include "classlib/Component.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Sets.h"
#include "classlib/Win.h"

// What a font dialog is asked to show: its owner window and the CF_* flags.
struct TFontDialogRequest {
  HWND Owner = nullptr;
  DWORD Flags = 0;
};

// Shows a font dialog starting at font and color; on OK they hold the choice and the answer is
// true, on Cancel the answer is false. Raises when the dialog could not be shown.
using TFontDialogFunc = bool (*)(const TFontDialogRequest& request, LOGFONTA& font, COLORREF& color);
// The system's font chooser.
bool ShowSystemFontDialog(const TFontDialogRequest& request, LOGFONTA& font, COLORREF& color);
// Replaces the runner TFontDialog shows (tests); nullptr puts the system's back. Answers the
// previous one.
TFontDialogFunc SetFontDialogFunc(TFontDialogFunc func);

enum class TFontDialogOption { fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist,
                               fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel,
                               fdNoVectorFonts, fdScalableOnly };
using enum TFontDialogOption;
using TFontDialogOptions = TSet<TFontDialogOption>;

class TFontDialog : public TComponent {
  CL_CLASS(TFontDialog, TComponent)
public:
  explicit TFontDialog(TComponent* owner);
  // The font the dialog starts at and, after OK, the chosen one (its colour too with fdEffects).
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  TFontDialogOptions Options() const { return FOptions; }
  void SetOptions(TFontDialogOptions value) { FOptions = value; }
  // Shows the dialog (owned by owner, or the active window); true when the user chose a font. A
  // cancelled dialog leaves Font as it was.
  virtual bool Execute(HWND owner = nullptr);

private:
  TOwned<TFont> FFont;
  TFontDialogOptions FOptions{fdEffects};
};
