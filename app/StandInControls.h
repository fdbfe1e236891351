#pragma once
// Plain controls that stand in the main window for the toolbar's edit items until the toolkit's bar
// items take their places: an edit whose value is only what the user committed, and a whole-number
// size box.
#include <string>
#include "classlib/StdCtrls.h"

// An edit box that keeps the text the user committed with Enter or Tab apart from the text being
// typed. Leaving the box any other way (a click on a button) drops the typed text and shows the
// committed one again.
class TBarEditStandIn : public TEdit {
  CL_CLASS(TBarEditStandIn, TEdit)
public:
  explicit TBarEditStandIn(TComponent* owner) : TEdit(owner) {}
  void WndProc(TMessage& msg) override;

  const std::string& CommittedText() const { return FCommitted; }
  // Stores and shows a text as if the user had committed it.
  void SetCommittedText(const std::string& value);

private:
  std::string FCommitted;
};

// A box for a whole number, after the spin edit's rules: Value is the number it holds (a text that
// is no whole number gives MinValue, 0, as this box has no limits); OnCurChange fires whenever the
// text in the box changes. While the user types in the box, setting Value leaves the typed text as
// it is; the box shows the value again when it is left, or when Value is set while the box is not
// being typed in.
class TSpinEditStandIn : public TEdit {
  CL_CLASS(TSpinEditStandIn, TEdit)
public:
  explicit TSpinEditStandIn(TComponent* owner);
  void WndProc(TMessage& msg) override;

  int Value() const { return FValue; }
  // Stores the value; the text is rewritten only when the value changes.
  void SetValue(int value);
  // The value of the text in the box.
  int GetEditingValue() const;
  TNotifyEvent OnCurChange() const { return FOnCurChange; }
  void SetOnCurChange(TNotifyEvent e) { FOnCurChange = e; }

protected:
  void Change() override;

private:
  void ShowValue();

  int FValue = 0;
  TNotifyEvent FOnCurChange;
};

// Registers the stand-ins for stored forms.
void RegisterStandInControls();
void UnregisterStandInControls();
