// Dragging controls: the one drag of the process, its drag objects and the drag image list.
#include "classlib/DragDrop.h"

#include <cstdlib>
#include <commctrl.h>
#include "classlib/Docking.h"
#include "classlib/Forms.h"

CL_DEFINE_CLASS(TDragObject);
CL_DEFINE_CLASS(TBaseDragControlObject);
CL_DEFINE_CLASS(TDragControlObject);
CL_DEFINE_CLASS(TDragImageList);

// The one drag of the process: pending until the mouse leaves the threshold around Start (screen
// coordinates), then running with its drag object over its current target.
struct TDragRecord {
  TControl* Control = nullptr;
  POINT Start{};
  int Threshold = 0;
  bool Running = false;
  TDragObject* Object = nullptr;
  bool OwnsObject = false;    // made by the class library: freed at the end
  TControl* Target = nullptr;  // cleared when the target goes
  bool Accepted = false;
  TDragImageList* Images = nullptr;
};

struct TDragDriver {
  using TState = TDragRecord;
  static inline TState Drag;

  // What handlers receive as the drag's source.
  static TObject* Source()
  {
    return Drag.OwnsObject ? static_cast<TObject*>(Drag.Control) : static_cast<TObject*>(Drag.Object);
  }

  static POINT CursorPos()
  {
    POINT p{};
    GetCursorPos(&p);
    return p;
  }

  // Asks target about the drag at screen point p.
  static bool AskTarget(TControl* target, POINT p, TDragState state)
  {
    const POINT client = target->ScreenToClient(p);
    bool accept = true;
    target->DragOver(Source(), client.x, client.y, state, accept);
    return accept;
  }

  // The drag has moved to screen point p (or the keys changed): tells the targets, moves the
  // images and sets the cursor. Handlers may end the drag; then nothing more happens.
  static void DragTo(POINT p)
  {
    TControl* const source = Drag.Control;
    TControl* target = FindDragTarget(p, false);
    TDragState state = dsDragMove;
    if (target != Drag.Target) {
      if (TControl* old = Drag.Target) {
        Drag.Target = nullptr;
        AskTarget(old, p, dsDragLeave);
        if (Drag.Control != source) return;
      }
      Drag.Target = target;
      state = dsDragEnter;
    }
    Drag.Object->FDragTarget = target;
    Drag.Object->FDragPos = p;
    bool accepted = false;
    if (target) {
      accepted = AskTarget(target, p, state);
      if (Drag.Control != source) return;
      target = Drag.Target;  // gone when the handler freed it
    }
    Drag.Accepted = accepted && target;
    if (Drag.Images) {
      if (!target || target->ControlStyle().Contains(TControlStyleFlag::csDisplayDragImage))
        Drag.Object->ShowDragImage();
      else
        Drag.Object->HideDragImage();
      Drag.Images->DragMove(p.x, p.y);
    }
    const POINT client = target ? target->ScreenToClient(p) : p;
    const TCursor cursor = Drag.Object->GetDragCursor(Drag.Accepted, client.x, client.y);
    if (Screen) ::SetCursor(Screen->Cursors(cursor));
  }

  // The drag of control begins to run.
  static void Start(TControl* control)
  {
    Drag.Running = true;
    TDragObject* object = nullptr;
    const TWeakRef<TControl> self(control);
    control->DoStartDrag(object);
    if (!self || Drag.Control != control) return;  // cancelled while starting
    if (!object) {
      object = New<TDragControlObject>(control);
      Drag.OwnsObject = true;
    }
    Drag.Object = object;
    const POINT p = CursorPos();
    if (TDragImageList* images = object->GetDragImages(); images && images->BeginDrag(GetDesktopWindow(), p.x, p.y))
      Drag.Images = images;
    DragTo(p);
  }

  // Ends the drag of control, with a drop on the target under the cursor when drop is set and it
  // accepts.
  static void End(TControl* control, bool drop)
  {
    if (Drag.Control != control) return;
    if (drop && Drag.Running && Drag.Object) {
      DragTo(CursorPos());
      if (Drag.Control != control) return;
    }
    const TState state = Drag;
    Drag = {};
    if (control->MouseCapture()) control->SetMouseCapture(false);
    if (!state.Running) return;
    if (state.Images) state.Images->EndDrag();
    if (!state.Object) return;  // cancelled while starting
    const POINT p = CursorPos();
    TWeakRef<TControl> target(state.Target);
    // The target hears that the drag leaves it, dropped or not; the last answer it gave decides.
    if (target) AskTarget(target.Get(), p, dsDragLeave);
    const bool accepted = drop && state.Accepted && target;
    POINT at{};
    if (accepted) {
      at = target->ScreenToClient(p);
      state.Object->FDropped = true;
      target->DragDrop(state.OwnsObject ? static_cast<TObject*>(control) : state.Object, at.x, at.y);
    }
    TObject* const dropTarget = accepted && target ? target.Get() : nullptr;
    if (!dropTarget) at = POINT{};
    // The control may have gone in the drop handler; its drag object is still whole.
    if (TWeakRef<TControl> source(control); source) control->DoEndDrag(dropTarget, at.x, at.y);
    state.Object->Finished(dropTarget, at.x, at.y, accepted);
    if (state.OwnsObject) Free(state.Object);
  }
};

// ----- TControl ---------------------------------------------------------------------------------

bool TControl::Dragging() const { return TDragDriver::Drag.Control == this; }

void TControl::BeginDrag(bool immediate, int threshold)
{
  if (TDragDriver::Drag.Control) return;
  if (FDragKind == dkDock) {
    BeginDockDrag(this, immediate, threshold);
    return;
  }
  TDragDriver::Drag = {};
  TDragDriver::Drag.Control = this;
  TDragDriver::Drag.Start = TDragDriver::CursorPos();
  TDragDriver::Drag.Threshold = threshold < 0 ? MouseDragThreshold() : threshold;
  SetMouseCapture(true);
  if (immediate) TDragDriver::Start(this);
}

void TControl::EndDrag(bool drop) { TDragDriver::End(this, drop); }

void CancelDrag()
{
  if (TControl* control = TDragDriver::Drag.Control) control->EndDrag(false);
}

void TControl::DragControlDestroying(TControl* control)
{
  TDragDriver::TState& drag = TDragDriver::Drag;
  if (drag.Target == control) drag.Target = nullptr;
  if (drag.Control != control) return;
  // Nothing is told to a control that goes; only what the drag holds is let go.
  const TDragDriver::TState state = drag;
  drag = {};
  if (state.Images) state.Images->EndDrag();
  if (state.OwnsObject) Free(state.Object);
}

bool TControl::DragMessage(TMessage& msg)
{
  TDragDriver::TState& drag = TDragDriver::Drag;
  if (drag.Control != this) return false;
  switch (msg.Msg) {
    case WM_MOUSEMOVE: {
      const POINT p = TDragDriver::CursorPos();
      if (!drag.Running) {
        if (std::abs(p.x - drag.Start.x) < drag.Threshold && std::abs(p.y - drag.Start.y) < drag.Threshold)
          return true;
        TDragDriver::Start(this);
      } else if (drag.Object) {
        TDragDriver::DragTo(p);
      }
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (drag.Running) {
        EndDrag(true);
        return true;
      }
      // A press that never became a drag stays a click.
      EndDrag(false);
      return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (msg.Msg == WM_KEYDOWN && msg.WParam == VK_ESCAPE) {
        EndDrag(false);
        return true;
      }
      // A key that changes what the drop does (Ctrl for a copy) changes the cursor at once.
      if (drag.Running && drag.Object) TDragDriver::DragTo(TDragDriver::CursorPos());
      return false;
    case WM_CANCELMODE:
      EndDrag(false);
      return false;
    case WM_CAPTURECHANGED: {
      auto* self = dynamic_cast<TWinControl*>(this);
      HWND own = self ? self->FHandle : (Parent() ? Parent()->FHandle : nullptr);
      if (reinterpret_cast<HWND>(msg.LParam) != own) EndDrag(false);
      return false;
    }
    default:
      return false;
  }
}

void TControl::DoStartDrag(TDragObject*& dragObject)
{
  if (FOnStartDrag) FOnStartDrag(this, dragObject);
}

void TControl::DoEndDrag(TObject* target, int x, int y)
{
  if (FOnEndDrag) FOnEndDrag(this, target, x, y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
  accept = static_cast<bool>(FOnDragOver);
  if (FOnDragOver) FOnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y)
{
  if (FOnDragDrop) FOnDragDrop(this, source, x, y);
}

// ----- Drag objects -----------------------------------------------------------------------------

TCursor TDragObject::GetDragCursor(bool accepted, int, int) { return accepted ? crDrag : crNoDrop; }

void TDragObject::HideDragImage()
{
  if (TDragImageList* images = GetDragImages()) images->HideDragImage();
}

void TDragObject::ShowDragImage()
{
  if (TDragImageList* images = GetDragImages()) images->ShowDragImage();
}

void TDragObject::Finished(TObject*, int, int, bool) {}

TDragImageList* TDragControlObject::GetDragImages() { return Control() ? Control()->GetDragImages() : nullptr; }

TCursor TDragControlObject::GetDragCursor(bool accepted, int x, int y)
{
  if (accepted && Control()) return Control()->DragCursor();
  return TDragObject::GetDragCursor(accepted, x, y);
}

// ----- Drag image list --------------------------------------------------------------------------

void TDragImageList::BeforeDestruction()
{
  if (FDragging) EndDrag();
  TCustomImageList::BeforeDestruction();
}

bool TDragImageList::BeginDrag(HWND window, int x, int y)
{
  if (FDragging || FDragIndex < 0 || FDragIndex >= Count()) return false;
  if (!ImageList_BeginDrag(Handle(), FDragIndex, FDragHotspot.x, FDragHotspot.y)) return false;
  if (!ImageList_DragEnter(window, x, y)) {
    ImageList_EndDrag();
    return false;
  }
  FDragHandle = window;
  FDragging = true;
  return true;
}

bool TDragImageList::DragMove(int x, int y) { return FDragging && ImageList_DragMove(x, y); }

bool TDragImageList::EndDrag()
{
  if (!FDragging) return false;
  ImageList_DragLeave(FDragHandle);
  ImageList_EndDrag();
  FDragHandle = nullptr;
  FDragging = false;
  return true;
}

void TDragImageList::HideDragImage()
{
  if (FDragging) ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage()
{
  if (FDragging) ImageList_DragShowNolock(TRUE);
}
