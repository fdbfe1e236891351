#pragma once
// A control's reference to an image list: it hears of the list's changes through a change link and
// forgets the list when the list is freed (the holder hands its Notification on).
#include "classlib/ImageList.h"

class TImageListReference {
public:
  // onChange runs after each change of the list and when another list is set.
  TImageListReference(TComponent* holder, TNotifyEvent onChange);
  ~TImageListReference();
  TImageListReference(const TImageListReference&) = delete;
  TImageListReference& operator=(const TImageListReference&) = delete;

  TCustomImageList* Get() const { return FList; }
  void Set(TCustomImageList* value);
  // From the holder's Notification: a list that goes is forgotten (and onChange runs).
  void Notification(TComponent* component, TOperation operation);

private:
  TComponent* FHolder;
  TCustomImageList* FList = nullptr;
  TOwned<TChangeLink> FLink;
};
