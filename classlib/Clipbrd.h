#pragma once
// The system clipboard as an object: opened and closed in nested pairs, emptied once per opening
// before the first data goes on it, and pictures copied to and from it through the graphics' own
// clipboard formats. One clipboard object serves the process (Clipboard()).
#include <string>
#include <string_view>
#include "classlib/Persistent.h"
#include "classlib/Units.h"
#include "classlib/Win.h"

class TGraphic;
class TPicture;

CL_EXCEPTION(EClipboardException, Exception);

class TClipboard : public TPersistent {
  CL_CLASS(TClipboard, TPersistent)
public:
  TClipboard();
  ~TClipboard() override;

  // Opens the clipboard for this object (nested calls only count); raises EClipboardException when
  // another program keeps it open.
  void Open();
  // Closes it after the last Open.
  void Close();
  bool IsOpen() const { return FOpenCount > 0; }
  // Empties the clipboard.
  void Clear();
  bool HasFormat(UINT format) const;

  // A graphic or a picture's graphic goes on the clipboard in the format the graphic chooses (an
  // empty picture empties the clipboard); anything else raises EConvertError.
  void Assign(TPersistent* source) override;
  // Puts data on the clipboard, which owns it from then on (it is freed here when that fails).
  void SetAsHandle(UINT format, HANDLE data);
  // The clipboard's data in the format (it stays the clipboard's); nullptr when there is none.
  HANDLE GetAsHandle(UINT format);
  // Text in the ANSI code page (CF_TEXT; the system converts Unicode text on the clipboard). AsText
  // answers the empty text when there is none; SetAsText replaces the clipboard's contents.
  bool HasText() const { return HasFormat(CF_TEXT); }
  std::string AsText();
  void SetAsText(std::string_view text);

protected:
  // Into a graphic (the first clipboard format it reads) or a picture (its graphic when that reads a
  // format on the clipboard, else a bitmap). Raises EInvalidGraphic when no format fits; the
  // destination is not changed then.
  void AssignTo(TPersistent* dest) override;

private:
  void Adding();
  void AssignGraphic(TGraphic* graphic);
  void AssignToGraphic(TGraphic* graphic);
  void AssignToPicture(TPicture* picture);
  // The first format on the clipboard that the graphic reads; 0 when none does. The clipboard is open.
  UINT FindFormatFor(const TGraphic* graphic) const;

  int FOpenCount = 0;
  HWND FWindow = nullptr;
  bool FEmptied = false;
};

// The process's clipboard object, made on first use; nullptr once the unit has finished.
TClipboard* Clipboard();

extern TUnit ClipbrdUnit;
