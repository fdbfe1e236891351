#pragma once
// Drag and drop of the control framework.
//
// A TcxControl drags in two ways. Its own drag and drop runs inside the control: a press may leave
// a drag and drop pending (TcxDragDropPhase), leaving the drag threshold starts it, and a
// TcxDragAndDropObject made for this one drag carries it out step by step while the mouse moves
// with the mouse captured; release ends it accepted, cancel mode or a key not accepted. Besides,
// the control takes part in the class library's drag and drop between controls with
// TcxDragControlObject (the copy cursor while Ctrl is held over an accepting target) and an
// optional TcxDragImageList.
//
// Also here: the wait that decides whether a press becomes a drag (WaitForDragStart), the drag
// object whose image painting hides (GetCurrentDragObject), and the guard around telling the form
// designer about changes (TcxDesignController). The drag-image windows are in
// cxControlsDragImages.h.
#include "classlib/ClassRef.h"
#include "classlib/Controls.h"
#include "classlib/DragDrop.h"

class TcxCanvas;
class TcxControl;

// ddpPending after a press that may start a drag and drop, ddpActive while one runs.
enum class TcxDragDropPhase { ddpNone, ddpPending, ddpActive };
using enum TcxDragDropPhase;

// Answers of WaitForDragStart.
constexpr int cxDragStartReleased = 0;
constexpr int cxDragStartMoved = 1;
constexpr int cxDragStartCancelled = 2;

// With the mouse captured to wnd, handles the thread's messages until the mouse leaves the square of
// half-side MouseDragThreshold around p (screen coordinates; left and top edges inside, right and
// bottom outside): cxDragStartMoved; until a mouse button is released first: cxDragStartReleased;
// or until Escape, another window taking the capture or WM_QUIT (posted again for the outer loop):
// cxDragStartCancelled. The capture is released at the end when wnd still has it.
int WaitForDragStart(HWND wnd, POINT p);

// Carries out one drag and drop of a control. The control calls the Do* operations; descendants
// override the protected steps.
class TcxDragAndDropObject : public TObject {
  CL_CLASS(TcxDragAndDropObject, TObject)
public:
  // Made for the control it drags in.
  struct TMeta : TMetaClassOf<TcxDragAndDropObject, TcxControl*> {};
  explicit TcxDragAndDropObject(TcxControl* Control);

  // Both mouse positions from the cursor, then BeginDragAndDrop.
  void DoBeginDragAndDrop();
  // The current position becomes the previous one, P the current; then DragAndDrop.
  void DoDragAndDrop(POINT P, bool& Accepted);
  // EndDragAndDrop, then AfterDragAndDrop.
  void DoEndDragAndDrop(bool Accepted);
  // True: the drag and drop begins on the press itself, without waiting for the threshold.
  virtual bool GetImmediateStart() { return false; }

  TcxCanvas* Canvas() const { return FCanvas; }
  TcxControl* Control() const { return FControl; }
  bool Dirty() const { return FDirty; }
  // DirtyChanged only on a change.
  void SetDirty(bool Value);
  // In client coordinates; (-1, -1) until the drag and drop begins.
  POINT CurMousePos() const { return FCurMousePos; }
  POINT PrevMousePos() const { return FPrevMousePos; }

protected:
  virtual void DirtyChanged() {}
  // The cursor in the control's client coordinates.
  virtual POINT GetClientCursorPos();
  // crDrag when accepted, crNoDrop when not.
  virtual TCursor GetDragAndDropCursor(bool Accepted);
  virtual void AfterDragAndDrop(bool) {}
  // DirtyChanged.
  virtual void BeginDragAndDrop();
  // Clears the dirty flag and sets the screen cursor for the answer.
  virtual void DragAndDrop(POINT P, bool& Accepted);
  // Sets the dirty flag.
  virtual void EndDragAndDrop(bool Accepted);

private:
  TcxCanvas* FCanvas;
  TcxControl* FControl;
  bool FDirty = false;
  POINT FCurMousePos{-1, -1};
  POINT FPrevMousePos{-1, -1};
};
using TcxDragAndDropObjectClass = TClassRef<TcxDragAndDropObject>;

// The class-library drag object of a TcxControl: the copy cursor when the drop is accepted and the
// control says the drag copies (IsCopyDragDrop); frees itself when the drag has finished.
class TcxDragControlObject : public TDragControlObject {
  CL_CLASS(TcxDragControlObject, TDragControlObject)
public:
  // Made for the control dragged.
  struct TMeta : TMetaClassOf<TcxDragControlObject, TControl*> {};
  explicit TcxDragControlObject(TControl* Control) : TDragControlObject(Control) {}
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};
using TcxDragControlObjectClass = TClassRef<TcxDragControlObject>;

// The image list of a control's class-library drag images.
class TcxDragImageList : public TDragImageList {
  CL_CLASS(TcxDragImageList, TDragImageList)
public:
  explicit TcxDragImageList(TComponent* Owner) : TDragImageList(Owner) {}
};

// The class-library drag object last seen over a TcxControl (nullptr after it left or ended).
TDragObject* GetCurrentDragObject();
void SetCurrentDragObject(TDragObject* Value);
// Hide and show the current drag object's image around painting that does not go through a buffer.
void SuspendDragImage();
void ResumeDragImage();

// Tells form designers about changes, unless locked or already telling.
class TcxDesignController : public TObject {
  CL_CLASS(TcxDesignController, TObject)
public:
  TcxDesignController() = default;
  void LockNotify() { ++FLockCount; }
  // Never below 0.
  void UnlockNotify();
  bool IsNotifyLocked() const { return FLockCount > 0; }
  // NotifyFormDesignerModified for the form, unless locked or inside such a call already.
  void NotifyDesignerModified(TComponent* Form);
  // The root designer of a designing, settled control (with a settled parent chain) hears Modified.
  static void NotifyFormDesignerModified(TComponent* Control);

private:
  int FLockCount = 0;
  bool FNotifying = false;
};
