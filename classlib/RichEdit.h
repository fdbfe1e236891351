#pragma once
// TRichEdit: the system's rich edit control (version 2.0, ANSI window class) as a text view.
//
// Positions (SelStart, SelLength, FindText) are the control's character positions: a double-byte
// character counts one, a line break one. Text and Lines hold ANSI text, line breaks as CR LF.
// The text limit is raised at creation, so that texts of many megabytes load whole.
#include <string>
#include <string_view>
#include "classlib/Controls.h"
#include "classlib/Sets.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"

enum class TSearchType { stWholeWord, stMatchCase };
using TSearchTypes = TSet<TSearchType>;

class TRichEdit;

// The lines of a rich edit, read from and written to its window.
class TRichEditStrings : public TStrings {
  CL_CLASS(TRichEditStrings, TStrings)
public:
  explicit TRichEditStrings(TRichEdit* owner) : FRichEdit(owner) {}

  std::string Get(int index) const override;
  int GetCount() const override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  std::string Text() const override;
  void SetText(std::string_view text) override;

protected:
  void SetUpdateState(bool updating) override;

private:
  HWND Window() const;
  // The lines as a list: parsed from the control's text once, for reading or editing without a window.
  TOwned<TStringList> TextLines() const;
  TRichEdit* FRichEdit;
  // While an update is open on a control without a window, the lines are kept here and the control's
  // text is set once at its end: setting the whole text for each line added is quadratic.
  TOwned<TStringList> FPending;
};

class TRichEdit : public TWinControl {
  CL_CLASS(TRichEdit, TWinControl)
public:
  explicit TRichEdit(TComponent* owner);
  TStrings* Lines() const { return FLines.get(); }
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  // Selects length characters from start (a length of -1: to the end).
  void Select(int start, int length);
  std::string SelText();
  void SetSelText(const std::string& value);
  void SelectAll() { Select(0, -1); }
  // Empties the control without reading its text back first (as setting Text would, to compare).
  void Clear();
  // The number of characters in the control.
  int TextLength();
  // Scrolls the caret (the selection's end) into view.
  void ScrollCaret();
  // The position of the first occurrence of text in [startPos, startPos + length), or -1. A length
  // of -1 searches to the end.
  int FindText(std::string_view text, int startPos, int length, TSearchTypes options);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  // When false, the scroll bars stay shown (disabled) while the text fits.
  bool HideScrollBars() const { return FHideScrollBars; }
  void SetHideScrollBars(bool value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  // The most characters the control takes; 0 is as many as memory allows.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  std::string GetText() const override;
  // Streams the text in as plain text (far faster than setting the window text for large texts,
  // and never read as rich text format), up to its first NUL character.
  void SetTextBuf(const std::string& value) override;
  void DestroyWnd() override;

private:
  void ApplyLimit();
  void ApplyCharFormat();
  void ApplyWordWrap();
  void CMFontChanged(TMessage& msg);
  void CMColorChanged(TMessage& msg);

  TOwned<TRichEditStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FHideScrollBars = true;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FWordWrap = true;
  int FMaxLength = 0;
  // Set while a window whose text is being replaced goes: its text is not kept.
  bool FDroppingText = false;
};
