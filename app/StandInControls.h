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

// A box for a whole number: Value is the number it holds; OnCurChange fires whenever the text being
// typed changes.
class TSpinEditStandIn : public TEdit {
  CL_CLASS(TSpinEditStandIn, TEdit)
public:
  explicit TSpinEditStandIn(TComponent* owner) : TEdit(owner) {}

  int Value() const { return FValue; }
  // Stores the value and shows it (the text is rewritten only when the value changes).
  void SetValue(int value);
  // The value of the text being typed; the current Value when the text is no whole number.
  int GetEditingValue() const;
  TNotifyEvent OnCurChange() const { return FOnCurChange; }
  void SetOnCurChange(TNotifyEvent e) { FOnCurChange = e; }

protected:
  void Change() override;

private:
  int FValue = 0;
  TNotifyEvent FOnCurChange;
};

// Registers the stand-ins for stored forms.
void RegisterStandInControls();
void UnregisterStandInControls();
