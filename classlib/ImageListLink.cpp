#include "classlib/ImageListLink.h"

TImageListReference::TImageListReference(TComponent* holder, TNotifyEvent onChange)
    : FHolder(holder), FLink(MakeOwned<TChangeLink>())
{
  FLink->SetOnChange(onChange);
}

TImageListReference::~TImageListReference()
{
  if (FList) FList->RemoveFreeNotification(FHolder);
}

void TImageListReference::Set(TCustomImageList* value)
{
  if (FList == value) return;
  if (FList) {
    FList->UnRegisterChanges(FLink.get());
    FList->RemoveFreeNotification(FHolder);
  }
  FList = value;
  if (value) {
    value->RegisterChanges(FLink.get());
    value->FreeNotification(FHolder);
  }
  if (FLink->OnChange()) FLink->OnChange()(value);
}

void TImageListReference::Notification(TComponent* component, TOperation operation)
{
  if (operation == TOperation::opRemove && component == FList) {
    FList = nullptr;
    if (FLink->OnChange()) FLink->OnChange()(nullptr);
  }
}
