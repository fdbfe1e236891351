#include "toolkit/controls/cxControlsDragAndDrop.h"

#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsControl.h"
#include "toolkit/controls/cxControlsHelpers.h"

CL_DEFINE_CLASS(TcxDragAndDropObject);
CL_DEFINE_CLASS(TcxDragControlObject);
CL_DEFINE_CLASS(TcxDragImageList);
CL_DEFINE_CLASS(TcxDesignController);

// --- Waiting for a drag to start ---

int WaitForDragStart(HWND wnd, POINT p)
{
  const int threshold = MouseDragThreshold();
  const RECT square{p.x - threshold, p.y - threshold, p.x + threshold, p.y + threshold};
  SetCapture(wnd);
  int result = cxDragStartCancelled;
  while (GetCapture() == wnd) {
    MSG msg{};
    if (GetMessageA(&msg, nullptr, 0, 0) < 0) break;
    // Escape cancels and goes nowhere else (it would reach the form's dialog keys).
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) break;
    if (!Application->HandleLoopMessage(msg)) break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == wnd) {
      POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ClientToScreen(wnd, &at);
      if (!PtInRect(&square, at)) {
        result = cxDragStartMoved;
        break;
      }
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP) {
      result = cxDragStartReleased;
      break;
    }
  }
  if (GetCapture() == wnd) ReleaseCapture();
  return result;
}

// --- The drag-and-drop object ---

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* Control) : FCanvas(Control->Canvas()), FControl(Control) {}

void TcxDragAndDropObject::DoBeginDragAndDrop()
{
  FCurMousePos = FPrevMousePos = GetClientCursorPos();
  BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(POINT P, bool& Accepted)
{
  FPrevMousePos = FCurMousePos;
  FCurMousePos = P;
  DragAndDrop(P, Accepted);
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool Accepted)
{
  EndDragAndDrop(Accepted);
  AfterDragAndDrop(Accepted);
}

void TcxDragAndDropObject::SetDirty(bool Value)
{
  SetAndNotify(FDirty, Value, [this] { DirtyChanged(); });
}

POINT TcxDragAndDropObject::GetClientCursorPos() { return FControl->ScreenToClient(ReadCursorPos()); }

TCursor TcxDragAndDropObject::GetDragAndDropCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }

void TcxDragAndDropObject::BeginDragAndDrop() { DirtyChanged(); }

void TcxDragAndDropObject::DragAndDrop(POINT, bool& Accepted)
{
  SetDirty(false);
  if (Screen) Screen->SetCursor(GetDragAndDropCursor(Accepted));
}

void TcxDragAndDropObject::EndDragAndDrop(bool) { SetDirty(true); }

// --- The control's own drag and drop ---

TcxDragAndDropObject* TcxControl::GetDragAndDropObject()
{
  if (!FDragAndDropObject) FDragAndDropObject.reset(CreateDragAndDropObject());
  return FDragAndDropObject.get();
}

TcxDragAndDropObject* TcxControl::CreateDragAndDropObject() { return GetDragAndDropObjectClass().Create(this); }

TcxDragAndDropObjectClass TcxControl::GetDragAndDropObjectClass() const
{
  return ClassRef<TcxDragAndDropObject>();
}

void TcxControl::BeginDragAndDrop()
{
  TcxDragAndDropObject* object = GetDragAndDropObject();
  // The object stays whole through its own step even when the step finishes the drag and drop.
  const TObjectCall call(object);
  object->DoBeginDragAndDrop();
  SetMouseCapture(true);
  FDragAndDropPrevCursor = Screen ? Screen->Cursor() : crDefault;
  SetDragAndDropState(ddpActive);
}

void TcxControl::DragAndDrop(POINT P, bool& Accepted)
{
  TcxDragAndDropObject* object = GetDragAndDropObject();
  const TObjectCall call(object);
  object->DoDragAndDrop(P, Accepted);
}

void TcxControl::EndDragAndDrop(bool Accepted)
{
  SetDragAndDropState(ddpNone);
  if (Screen) Screen->SetCursor(FDragAndDropPrevCursor);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  TcxDragAndDropObject* object = GetDragAndDropObject();
  const TObjectCall call(object);
  object->DoEndDragAndDrop(Accepted);
}

void TcxControl::SetDragAndDropState(TcxDragDropPhase Value)
{
  SetAndNotify(FDragAndDropState, Value, [&] {
    if (Value == ddpNone && !FFinishingDragAndDrop) CancelMouseState();
  });
}

void TcxControl::FinishDragAndDrop(bool Accepted)
{
  if (FFinishingDragAndDrop) return;
  FFinishingDragAndDrop = true;
  try {
    if (FDragAndDropState == ddpActive)
      EndDragAndDrop(Accepted);
    else
      SetDragAndDropState(ddpNone);
    // Each drag and drop gets a fresh object.
    FDragAndDropObject.reset();
  } catch (...) {
    FFinishingDragAndDrop = false;
    throw;
  }
  FFinishingDragAndDrop = false;
}

// --- The class library's drag ---

TcxDragControlObjectClass TcxControl::GetDragObjectClass() const
{
  return ClassRef<TcxDragControlObject>();
}

void TcxControl::DoStartDrag(TDragObject*& DragObject)
{
  Update();
  const TWeakRef<TcxControl> self(this);
  TCustomControl::DoStartDrag(DragObject);
  if (!self) return;
  if (!DragObject) DragObject = GetDragObjectClass().Create(this);
  if (!AcceptDragObject(DragObject)) {
    Free(DragObject);
    DragObject = nullptr;
    CancelDrag();
  }
}

void TcxControl::DoEndDrag(TObject* Target, int X, int Y)
{
  const TWeakRef<TcxControl> self(this);
  TCustomControl::DoEndDrag(Target, X, Y);
  if (self) FDragImages.reset();
}

void TcxControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
  if (auto* object = dynamic_cast<TDragObject*>(Source)) SetCurrentDragObject(State == dsDragLeave ? nullptr : object);
  TCustomControl::DragOver(Source, X, Y, State, Accept);
}

TDragImageList* TcxControl::GetDragImages()
{
  if (!HasDragImages()) return nullptr;
  if (!FDragImages) {
    FDragImages.reset(As<TcxDragImageList>(GetDragImagesClass()->NewComponent(nullptr)));
    InitDragImages(FDragImages.get());
  }
  return FDragImages->Count() > 0 ? FDragImages.get() : nullptr;
}

TClass TcxControl::GetDragImagesClass() const { return TcxDragImageList::StaticClass(); }

void TcxControl::InitDragImages(TcxDragImageList* ImageList)
{
  const POINT size = GetDragImagesSize();
  ImageList->SetWidth(size.x);
  ImageList->SetHeight(size.y);
  if (size.x == 0 || size.y == 0) return;
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(size.x, size.y);
  {
    auto canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
    DrawDragImage(canvas.get(), RECT{0, 0, size.x, size.y});
  }
  ImageList->AddMasked(bitmap.get(), bitmap->TransparentColor());
}

void TcxControl::NotifyDesignerModified() { TcxDesignController::NotifyFormDesignerModified(this); }

// --- The drag object of TcxControl ---

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y)
{
  auto* control = dynamic_cast<TcxControl*>(Control());
  if (Accepted && control && control->IsCopyDragDrop()) return crcxDragCopy;
  return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted)
{
  TDragControlObject::Finished(Target, X, Y, Accepted);
  Free(this);
}

// --- The current drag object ---

namespace {
TWeakRef<TDragObject> GCurrentDragObject;
}  // namespace

TDragObject* GetCurrentDragObject() { return GCurrentDragObject.Get(); }

void SetCurrentDragObject(TDragObject* Value) { GCurrentDragObject = TWeakRef<TDragObject>(Value); }

void SuspendDragImage()
{
  if (TDragObject* object = GetCurrentDragObject()) object->HideDragImage();
}

void ResumeDragImage()
{
  if (TDragObject* object = GetCurrentDragObject()) object->ShowDragImage();
}

// --- Designer notices ---

void TcxDesignController::UnlockNotify()
{
  if (FLockCount > 0) --FLockCount;
}

void TcxDesignController::NotifyDesignerModified(TComponent* Form)
{
  if (IsNotifyLocked() || FNotifying) return;
  FNotifying = true;
  try {
    NotifyFormDesignerModified(Form);
  } catch (...) {
    FNotifying = false;
    throw;
  }
  FNotifying = false;
}

void TcxDesignController::NotifyFormDesignerModified(TComponent* Control)
{
  if (!Control) return;
  auto* cxControl = dynamic_cast<TcxControl*>(Control);
  const bool designing =
      cxControl ? cxControl->IsDesigning() : Control->ComponentState().Contains(TComponentStateFlag::csDesigning);
  if (!designing || !IsComponentSettled(Control)) return;
  if (auto* control = dynamic_cast<TControl*>(Control); control && !IsControlChainSettled(control)) return;
  if (IDesignerNotify* designer = FindRootDesigner(Control)) designer->Modified();
}
