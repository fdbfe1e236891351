#pragma once
// The edit control (unit cxEdit): the base of every editor control. What is here is what the view
// data and the view info ask of the editor they calculate and paint for: whether it is in place,
// the button it pressed under mouse capture, its transparency, the content offsets it keeps, the
// windows it claims for its buttons and whether its value differs from its data.
#include "toolkit/controls/cxContainer.h"
#include "toolkit/editors/cxEditViewData.h"

class TcxCustomEdit : public TcxCustomEditContainer {
  CL_CLASS(TcxCustomEdit, TcxCustomEditContainer)
public:
  // An in-place editor belongs to a host (a grid cell, a bar, a filter).
  explicit TcxCustomEdit(TComponent* Owner, bool IsInplace = false);

  bool IsInplace() override { return FIsInplace; }
  // The button pressed under the mouse capture; -1 for none.
  int CapturedButtonIndex() const { return FCapturedButtonIndex; }
  void SetCapturedButtonIndex(int Value) { FCapturedButtonIndex = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  // The editor erases its own background.
  bool ErasesBackground() const { return ErasesOwnBackground(); }
  // The content offsets a view data computed once, kept so that in-place editors skip them.
  bool ContentOffsetsCached() const { return FContentOffsetsCached; }
  const TcxEditContentOffsetBlock& ContentOffsetsCache() const { return FContentOffsetsCache; }
  void CacheContentOffsets(const TcxEditContentOffsetBlock& Block);

  // The button whose window the window is; -1 for none (the base has no button windows).
  virtual int GetButtonIndexAt(HWND Window) { (void)Window; return -1; }
  // The value shown differs from the stored data value (false without data).
  virtual bool DiffersFromDataValue() { return false; }
  virtual bool NeedsParentBackground() { return false; }
  virtual bool IsTransparentNow() { return !FIsInplace && FTransparent; }

private:
  bool FIsInplace;
  int FCapturedButtonIndex = -1;
  bool FTransparent = false;
  bool FContentOffsetsCached = false;
  TcxEditContentOffsetBlock FContentOffsetsCache;
};
