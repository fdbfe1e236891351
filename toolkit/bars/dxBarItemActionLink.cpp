// The item action link: each test adds the comparison of the item's value with the action's, and
// each setter passes the action's new value on only while the item still follows.
#include "toolkit/bars/dxBarItemActionLink.h"

#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarItem.h"

CL_DEFINE_CLASS(TdxBarItemActionLink);

namespace {
TdxBarButton* ButtonOf(TdxBarItem* item) { return dynamic_cast<TdxBarButton*>(item); }
}  // namespace

void TdxBarItemActionLink::AssignClient(TObject* client) { FClient = As<TdxBarItem>(client); }

bool TdxBarItemActionLink::IsOnExecuteLinked() const
{
  return TActionLink::IsOnExecuteLinked() && Action() &&
         FClient->OnClick().Method().Code == Action()->OnExecute().Method().Code;
}

bool TdxBarItemActionLink::IsCaptionLinked() const
{
  return TActionLink::IsCaptionLinked() && FClient->GetCaption() == CustomAction()->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked() const
{
  TdxBarButton* button = ButtonOf(FClient);
  return TActionLink::IsCheckedLinked() && button && CustomAction()->Checked() == button->Down();
}

bool TdxBarItemActionLink::IsEnabledLinked() const
{
  return TActionLink::IsEnabledLinked() && FClient->GetEnabled() == CustomAction()->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() const
{
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() const
{
  return TActionLink::IsHintLinked() && (FClient->Hint() == CustomAction()->Hint() || FClient->IsHintFromCaption());
}

bool TdxBarItemActionLink::IsImageIndexLinked() const
{
  return TActionLink::IsImageIndexLinked() && FClient->GetActionImageIndex() == CustomAction()->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() const
{
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}

bool TdxBarItemActionLink::IsVisibleLinked() const
{
  return TActionLink::IsVisibleLinked() && FClient->Visible() == VisibleToItemVisible(CustomAction()->Visible());
}

void TdxBarItemActionLink::SetCaption(const std::string& value)
{
  if (IsCaptionLinked()) FClient->SetCaption(value);
}

void TdxBarItemActionLink::SetChecked(bool value)
{
  if (IsCheckedLinked()) ButtonOf(FClient)->SetDown(value);
}

void TdxBarItemActionLink::SetEnabled(bool value)
{
  if (IsEnabledLinked()) FClient->SetEnabled(value);
}

void TdxBarItemActionLink::SetHelpContext(int value)
{
  if (IsHelpContextLinked()) FClient->SetHelpContext(value);
}

void TdxBarItemActionLink::SetHint(const std::string& value)
{
  if (IsHintLinked()) FClient->SetHint(value);
}

void TdxBarItemActionLink::SetImageIndex(int value)
{
  if (IsImageIndexLinked()) FClient->SetActionImageIndex(value);
}

void TdxBarItemActionLink::SetShortCut(uint16_t value)
{
  if (IsShortCutLinked()) FClient->SetShortCut(value);
}

void TdxBarItemActionLink::SetVisible(bool value)
{
  if (IsVisibleLinked()) FClient->SetVisible(VisibleToItemVisible(value));
}

void TdxBarItemActionLink::SetOnExecute(TNotifyEvent value)
{
  if (IsOnExecuteLinked()) FClient->SetOnClick(value);
}
