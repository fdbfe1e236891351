#pragma once
// The binding of a bar item to an action: the item follows the action's caption, checked state
// (buttons), enabled state, help context, hint, image index, shortcut, visibility and click handler
// while each of its values is still the action's; a value given to the item by hand no longer
// follows. The action tells the link before it stores a new value, so "linked" means the item
// still shows the action's previous value.
#include "classlib/ActnList.h"

class TdxBarItem;

class TdxBarItemActionLink : public TActionLink {
  CL_CLASS(TdxBarItemActionLink, TActionLink)
public:
  TdxBarItemActionLink() = default;
  // The client must be a bar item (EInvalidCast otherwise).
  void AssignClient(TObject* client) override;
  TdxBarItem* Client() const { return FClient; }

  bool IsOnExecuteLinked() const override;
  bool IsCaptionLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHelpContextLinked() const override;
  bool IsHintLinked() const override;
  bool IsImageIndexLinked() const override;
  bool IsShortCutLinked() const override;
  bool IsVisibleLinked() const override;

  void SetCaption(const std::string& value) override;
  void SetChecked(bool value) override;
  void SetEnabled(bool value) override;
  void SetHelpContext(int value) override;
  void SetHint(const std::string& value) override;
  void SetImageIndex(int value) override;
  void SetShortCut(uint16_t value) override;
  void SetVisible(bool value) override;
  void SetOnExecute(TNotifyEvent value) override;

private:
  TdxBarItem* FClient = nullptr;
};
