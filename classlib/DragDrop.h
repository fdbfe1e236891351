#pragma once
// Dragging one control onto another: the drag objects and the drag image list.
//
// A drag (TControl::BeginDrag) is carried by a drag object. The dragged control may supply one
// from DoStartDrag (or its OnStartDrag handler); otherwise the class library makes a
// TDragControlObject for the control and frees it when the drag ends. While the drag runs, the
// control under the cursor is asked through DragOver whether it accepts the drag, and the cursor
// is the drag object's GetDragCursor for that answer; the drag object's images, when it has any,
// follow the cursor over the desktop, shown over controls with csDisplayDragImage and hidden
// elsewhere. At the end an accepting target gets DragDrop, then the dragged control DoEndDrag, then
// the drag object Finished; after Finished the class library does not touch a drag object it did
// not make (so Finished may free it).
#include "classlib/Controls.h"
#include "classlib/ImageList.h"

class TDragObject : public TObject {
  CL_CLASS(TDragObject, TObject)
public:
  // The cursor over a target that accepts the drag or not, at a point of its client area:
  // crDrag or crNoDrop.
  virtual TCursor GetDragCursor(bool accepted, int x, int y);
  // The images that follow the cursor; nullptr for none.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // Hide and show the images (around painting under them).
  virtual void HideDragImage();
  virtual void ShowDragImage();
  // The drag has ended: over target (nullptr when nothing took it), at x, y of its client area.
  virtual void Finished(TObject* target, int x, int y, bool accepted);

  // The control the drag is over now, and the cursor in screen coordinates.
  TControl* DragTarget() const { return FDragTarget; }
  POINT DragPos() const { return FDragPos; }
  // Set when the drag ended with a drop on an accepting target.
  bool Dropped() const { return FDropped; }

private:
  friend struct TDragDriver;
  TControl* FDragTarget = nullptr;
  POINT FDragPos{};
  bool FDropped = false;
};

// A drag object that stands for a control.
class TBaseDragControlObject : public TDragObject {
  CL_CLASS(TBaseDragControlObject, TDragObject)
public:
  explicit TBaseDragControlObject(TControl* control) : FControl(control) {}
  TControl* Control() const { return FControl; }

private:
  TControl* FControl;
};

// The drag object of a dragged control: its images are the control's GetDragImages.
class TDragControlObject : public TBaseDragControlObject {
  CL_CLASS(TDragControlObject, TBaseDragControlObject)
public:
  using TBaseDragControlObject::TBaseDragControlObject;
  TDragImageList* GetDragImages() override;
  // The control's DragCursor where the drag is accepted, crNoDrop elsewhere.
  TCursor GetDragCursor(bool accepted, int x, int y) override;
};

// An image list whose image DragIndex follows the cursor during a drag (the platform's image-list
// dragging: one drag image at a time in the process).
class TDragImageList : public TCustomImageList {
  CL_CLASS(TDragImageList, TCustomImageList)
public:
  explicit TDragImageList(TComponent* owner) : TCustomImageList(owner) {}
  // Ends a drag still showing.
  void BeforeDestruction() override;

  // Shows the drag image with its hot spot at x, y of window's area (screen coordinates for the
  // desktop window), locking that window's updates. False when the list has no image to show.
  bool BeginDrag(HWND window, int x, int y);
  bool DragMove(int x, int y);
  // Hides the image and ends the drag.
  bool EndDrag();
  void HideDragImage();
  void ShowDragImage();
  bool Dragging() const { return FDragging; }
  // Which image is dragged, and its hot spot (the point of the image under the cursor).
  int DragIndex() const { return FDragIndex; }
  void SetDragIndex(int value) { FDragIndex = value; }
  POINT DragHotspot() const { return FDragHotspot; }
  void SetDragHotspot(POINT value) { FDragHotspot = value; }

private:
  int FDragIndex = 0;
  POINT FDragHotspot{};
  HWND FDragHandle = nullptr;
  bool FDragging = false;
};
