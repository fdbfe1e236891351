#pragma once
// Mask edit modes (unit cxMaskEdit): the object through which a masked editor turns each key,
// deletion, paste and caret movement into an edit of its text that the mask allows. One mode class
// per mask kind: a picture mask, a regular expression, and a regular expression whose forced
// characters are typed and removed by the editor itself. The engines know masks and characters;
// the modes know the editor (its text, selection, caret, clipboard and Shift state). A mode without
// an editor (made by the properties to format values) reads the properties it was made with.
//
// Positions are byte positions of the ANSI text; the masks' positions are single-byte characters.
#include <string>
#include <string_view>
#include "classlib/ClassRef.h"
#include "classlib/StdCtrls.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxRegExpr.h"
#include "toolkit/editors/cxStandardMask.h"
#include "toolkit/editors/cxTextEditProperties.h"

class TcxCustomMaskEdit;
class TcxCustomMaskEditProperties;

// A mask that does not compile.
class EcxMaskEditError : public EcxEditError {
public:
  using EcxEditError::EcxEditError;
  const char* ClassName() const override { return "EcxMaskEditError"; }
};

// The mask kinds, by their ordinals.
enum class TcxEditMaskKind { emkStandard, emkRegExpr, emkRegExprEx };
using enum TcxEditMaskKind;
extern const TEnumInfo cxEditMaskKindInfo;

// A mask text is blank when it is empty or holds only #0, Tab, line feed, form feed, carriage
// return and space: a blank mask is no mask.
bool IsBlankMask(std::string_view mask);

class TcxMaskEditCustomMode : public TObject {
  CL_CLASS(TcxMaskEditCustomMode, TObject)
public:
  // Made for an editor (nullptr for a mode that only formats) with the properties it reads while
  // it has no editor.
  struct TMeta : TMetaClassOf<TcxMaskEditCustomMode, TcxCustomMaskEdit*, TcxCustomMaskEditProperties*> {};
  TcxMaskEditCustomMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties);

  // --- Virtual operations, in slot order. A true answer of a key operation leaves the key to the
  // inner EDIT window; false means the mode handled it and the key is dropped. ---
  // 0 standard, 1 regular expression, 2 extended.
  virtual int ReportMaskKind() const { return 0; }
  // (The virtual constructor is the class reference's: MaskModeClass.Create(edit, properties).)
  virtual void AfterClipboardPaste() = 0;
  virtual void CompileMask(const std::string& Mask) = 0;
  virtual void GetEmptyText(std::string& Text) = 0;
  virtual void FormatText(const std::string& Text, bool LiteralsInText, std::string& Result) = 0;
  virtual bool AcceptRemainingText() = 0;
  virtual bool IsAtFirstPosition() = 0;
  virtual bool IsAtLastPosition() = 0;
  virtual bool IsTextComplete(const std::string& Text) = 0;
  virtual void AdjustSelection() = 0;
  virtual void PrepareClipboardPaste() = 0;
  virtual bool PressBackspace() = 0;
  virtual bool PressDelete() = 0;
  virtual bool PressEnd() = 0;
  virtual bool PressHome() = 0;
  virtual bool PressLeft() = 0;
  virtual bool PressRight() = 0;
  virtual bool PressSymbol(char& Ch) = 0;
  virtual void ApplyTextToMode(const std::string& Text) = 0;
  // Shows the editor's value through the mask (no value change).
  virtual void PushValueToEdit();
  virtual void FlushPendingValue() = 0;
  virtual void FormatTextForDisplay(const std::string& Text, bool LiteralsInText, std::string& Result) = 0;

  // --- State ---
  TcxCustomMaskEdit* OwnerEdit() const { return FOwnerEdit; }
  const std::string& EditMask() const { return FEditMask; }
  int PasteLength() const { return FPasteLength; }
  void SetPasteLength(int Value) { FPasteLength = Value; }
  bool EmptyValuePending() const { return FEmptyValuePending; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value) { FEchoMode = Value; }
  // The editor's active properties, else the own ones.
  TcxCustomMaskEditProperties* GetModeProperties() const;
  // An editor with its inner edit.
  bool HasEdit() const;

protected:
  // --- The editor, as the modes see it ---
  // Positions are bytes of the ANSI text (a double-byte character is two), as the masks and the
  // automaton count them; the window's character positions are turned into them and back.
  std::string Text() const;
  int SelStart() const;
  int SelLength() const;
  int SelEnd() const { return SelStart() + SelLength(); }
  // The end of the selection the caret is at.
  int CaretIndex() const;
  // Selects Length bytes from Start, the caret at the end (at Start with CaretAtStart).
  void SetSelection(int Start, int Length, bool CaretAtStart = false);
  void SetCaret(int Position) { SetSelection(Position, 0); }
  // The bytes of the character that ends at, or starts at, a byte position of the text (0 at its
  // start or end).
  static int CharBytesBefore(std::string_view Text, int Position);
  static int CharBytesAt(std::string_view Text, int Position);
  // Shows the text without changing the value; the caret is put back where it was.
  void ShowText(const std::string& Text);
  bool ShiftHeld() const;
  void SetShiftHeld(bool Value);
  // A key or character the editor sends its inner edit as a plain key.
  void SendOwnKey(WORD Key);
  void SendOwnChar(char Ch);
  // The error signal: a beep when the properties ask for one.
  void SignalError();

  std::string FEditMask;
  bool FEmptyValuePending = false;

private:
  TcxCustomMaskEdit* FOwnerEdit;
  TcxCustomMaskEditProperties* FOwnProperties;
  int FPasteLength = 0;
  TEditCharCase FCharCase = ecNormal;
  TcxEditEchoMode FEchoMode = eemNormal;
};
using TcxMaskEditCustomModeClass = TClassRef<TcxMaskEditCustomMode>;

// A picture mask: the caret is a one-character selection that overwrites its position; literals
// are skipped, deleted positions blanked, pasted text overwrites as many positions.
class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
  CL_CLASS(TcxMaskEditStandardMode, TcxMaskEditCustomMode)
public:
  TcxMaskEditStandardMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties);
  int ReportMaskKind() const override { return 0; }
  void AfterClipboardPaste() override;
  void CompileMask(const std::string& Mask) override;
  void GetEmptyText(std::string& Text) override { Text = FMask->GetEmptyValueText(); }
  void FormatText(const std::string& Text, bool LiteralsInText, std::string& Result) override;
  bool AcceptRemainingText() override { return true; }
  bool IsAtFirstPosition() override;
  bool IsAtLastPosition() override;
  bool IsTextComplete(const std::string& Text) override;
  void AdjustSelection() override;
  void PrepareClipboardPaste() override;
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(char& Ch) override;
  void ApplyTextToMode(const std::string& Text) override;
  void PushValueToEdit() override;
  void FlushPendingValue() override;
  void FormatTextForDisplay(const std::string& Text, bool LiteralsInText, std::string& Result) override;
  // Added after the operations above.
  virtual char GetBlankChar() const { return FMask->BlankChar(); }

  TcxStandardMask* Mask() const { return FMask.get(); }

protected:
  // Whether the position is a literal of the mask (positions past the mask are not).
  bool IsLiteral(int Position) const;

private:
  TOwned<TcxStandardMask> FMask;
  int FPasteStart = 0;
};

// A regular expression: the text left of the caret (Accepted) has been fed to the automaton, the
// text right of it (Pending) must still fit after it, or is cut off.
class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
  CL_CLASS(TcxMaskEditRegExprMode, TcxMaskEditCustomMode)
public:
  TcxMaskEditRegExprMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties);
  int ReportMaskKind() const override { return 1; }
  void AfterClipboardPaste() override {}
  void CompileMask(const std::string& Mask) override;
  void GetEmptyText(std::string& Text) override { Text.clear(); }
  void FormatText(const std::string& Text, bool LiteralsInText, std::string& Result) override;
  bool AcceptRemainingText() override;
  bool IsAtFirstPosition() override { return SelStart() == 0; }
  bool IsAtLastPosition() override;
  bool IsTextComplete(const std::string& Text) override;
  void AdjustSelection() override { FCaretMovedByMouse = true; }
  void PrepareClipboardPaste() override {}
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressEnd() override;
  bool PressHome() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(char& Ch) override;
  void ApplyTextToMode(const std::string& Text) override;
  void PushValueToEdit() override;
  void FlushPendingValue() override {}
  void FormatTextForDisplay(const std::string& Text, bool LiteralsInText, std::string& Result) override;
  // Added after the operations above: the selection taken out of Accepted or Pending, and put back.
  virtual void SplitAtSelection();
  virtual void RejoinSelection();

  TcxRegExpr* RegExpr() const { return FRegExpr.get(); }
  const std::string& Accepted() const { return FAccepted; }
  const std::string& Pending() const { return FPending; }
  const std::string& TakenOut() const { return FTakenOut; }
  // Takes the properties' CaseInsensitive.
  void UpdateCaseInsensitive();

protected:
  // A typed byte: the first byte of a double-byte character waits (false, Ch cleared); otherwise
  // Typed is the whole character.
  bool TakeTypedByte(char& Ch, std::string& Typed);
  // Feeds every byte of a character; on a refusal the automaton is as before.
  bool FeedCharacter(std::string& Typed);
  // A double-byte character accepted by PressSymbol goes to the window: its first byte now, the
  // second as the key that PressSymbol lets pass.
  void PassLeadByte(const std::string& Typed);

  // Rebuilds Accepted and Pending from the editor's text and caret when they are out of step.
  virtual void Synchronize();
  // Whether Pending still fits after the automaton's state (which is kept).
  bool PendingFits();
  // The editor's text loses the Pending characters after the caret.
  void CutTail();
  // Feeds a character (as rewritten by the expression); false when refused.
  bool Feed(TcxRegExprChar& Ch) { return FRegExpr->Compiled() && FRegExpr->StepChar(Ch); }
  // Feeds the characters of Text in order, each taken one rewritten in place as the expression
  // hands it back and each refused one skipped; answers how many were taken.
  int FeedText(std::string& Text);
  void Reset();
  // A fresh automaton from the same source; nullptr without a compiled one.
  TOwned<TcxRegExpr> FreshExpression() const;

  TOwned<TcxRegExpr> FRegExpr;
  std::string FAccepted, FTakenOut, FPending;
  bool FTakenFromPending = false;
  bool FCaretMovedByMouse = false;
  char FHeldLeadByte = 0;
};

// A regular expression whose forced characters (the only possible continuation) the editor types
// after each accepted character and removes with the character before them; the characters it
// forces before any input (the forced prefix) are the empty text.
class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
  CL_CLASS(TcxMaskEditRegExprExMode, TcxMaskEditRegExprMode)
public:
  TcxMaskEditRegExprExMode(TcxCustomMaskEdit* Edit, TcxCustomMaskEditProperties* Properties);
  int ReportMaskKind() const override { return 2; }
  void AfterClipboardPaste() override;
  void CompileMask(const std::string& Mask) override;
  void GetEmptyText(std::string& Text) override;
  void FormatText(const std::string& Text, bool LiteralsInText, std::string& Result) override;
  bool IsTextComplete(const std::string& Text) override;
  void PrepareClipboardPaste() override { Synchronize(); }
  bool PressBackspace() override;
  bool PressDelete() override;
  bool PressLeft() override;
  bool PressRight() override;
  bool PressSymbol(char& Ch) override;
  void ApplyTextToMode(const std::string& Text) override;
  void FlushPendingValue() override;

  const std::string& Forced() const { return FForced; }
  int ForcedDeleted() const { return FForcedDeleted; }

protected:
  void Synchronize() override;

private:
  // The automaton's reports: a forced character stepped over, and one stepped back over.
  void LiteralStepForward(TcxRegExprChar Ch);
  void LiteralStepBack();
  // The characters forced before any input.
  std::string ForcedPrefix();
  // The automaton at the start state, replaying text without stepping over forced characters;
  // answers the characters taken (as rewritten).
  std::string Replay(std::string_view Text);
  // Steps over the characters forced now and answers them.
  std::string StepForced();
  // Shows Text with the caret at Caret and puts Accepted and Pending in step with it.
  void Rewrite(const std::string& Text, int Caret);
  // The end of the group of forced characters Position falls in (Position when none).
  int SkipForcedAt(const std::string& Text, int Position);

  std::string FForced;
  int FForcedDeleted = 0;
  std::string FForcedPrefix;
  int FCaretAfterPaste = -1;
};
