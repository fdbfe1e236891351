#include "toolkit/controls/cxControlsWindowProc.h"

#include <algorithm>
#include <utility>
#include "classlib/WindowSubclass.h"
#include "toolkit/base/cxClasses.h"

// --- TcxDoublyLinkedObjectList ---

CL_DEFINE_CLASS(TcxDoublyLinkedObject);
CL_DEFINE_CLASS(TcxDoublyLinkedObjectList);

TcxDoublyLinkedObjectList::~TcxDoublyLinkedObjectList() { Clear(); }

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::CreateLinkedObject()
{
  return New<TcxDoublyLinkedObject>();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::Add()
{
  TcxDoublyLinkedObject* element = CreateLinkedObject();
  element->FPrev = FLast;
  if (FLast) FLast->FNext = element;
  FLast = element;
  return element;
}

void TcxDoublyLinkedObjectList::Unlink(TcxDoublyLinkedObject* element)
{
  if (element->FPrev) element->FPrev->FNext = element->FNext;
  if (element->FNext) element->FNext->FPrev = element->FPrev;
  if (FLast == element) FLast = element->FPrev;
  element->FPrev = element->FNext = nullptr;
}

void TcxDoublyLinkedObjectList::Remove(TcxDoublyLinkedObject*& element)
{
  if (!element) return;
  TcxDoublyLinkedObject* removed = element;
  element = nullptr;
  Unlink(removed);
  Free(removed);
}

void TcxDoublyLinkedObjectList::Clear()
{
  while (FLast) {
    TcxDoublyLinkedObject* element = FLast;
    Unlink(element);
    Free(element);
  }
}

// --- Subclassers ---

CL_DEFINE_CLASS(TcxWindowProcLinkedObject);

TcxWindowProcLinkedObject::~TcxWindowProcLinkedObject()
{
  if (FRemoved && FChain) FChain->ForgetRemoved(this);
}
CL_DEFINE_CLASS(TcxSubclassingHelper);
CL_DEFINE_CLASS(TcxClassLibSubclassingHelper);
CL_DEFINE_CLASS(TcxWin32SubclassingHelper);

TcxClassLibSubclassingHelper::TcxClassLibSubclassingHelper(TControl* control) : FControl(control)
{
  // A control destroyed before its chain is removed is not touched again.
  FNotificator = MakeOwned<TcxFreeNotificator>(nullptr);
  FNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent(this, &TcxClassLibSubclassingHelper::ControlFreed));
  FNotificator->WatchComponent(control);
}

TcxClassLibSubclassingHelper::~TcxClassLibSubclassingHelper() = default;

void TcxClassLibSubclassingHelper::ControlFreed(TComponent* sender)
{
  if (sender == FControl) FControl = nullptr;
}

void TcxClassLibSubclassingHelper::CallOwnWindowProc(TMessage& message)
{
  if (FSavedWindowProc) FSavedWindowProc(message);
}

void TcxClassLibSubclassingHelper::SetWindowProc(TWndMethod dispatch)
{
  FSavedWindowProc = FControl->WindowProc();
  FControl->SetWindowProc(std::move(dispatch));
}

void TcxClassLibSubclassingHelper::RestoreWindowProc()
{
  if (!FControl) return;
  FControl->SetWindowProc(FSavedWindowProc);
  FControl = nullptr;
}

TcxWin32SubclassingHelper::~TcxWin32SubclassingHelper()
{
  if (FSubclass) FSubclass->Release();
}

void TcxWin32SubclassingHelper::CallOwnWindowProc(TMessage& message)
{
  // Also after the restoration: a message running when the chain went still reaches it.
  message.Result = CallWindowProcA(FPrevious, FHandle, message.Msg, message.WParam, message.LParam);
}

void TcxWin32SubclassingHelper::SetWindowProc(TWndMethod dispatch)
{
  FSubclass = TWindowSubclass::Create(FHandle, std::move(dispatch));
  FPrevious = FSubclass->PreviousProc();
}

void TcxWin32SubclassingHelper::RestoreWindowProc()
{
  TWindowSubclass* subclass = std::exchange(FSubclass, nullptr);
  if (subclass) subclass->Release();
}

bool TcxWin32SubclassingHelper::WindowGone() const { return !FSubclass || FSubclass->WindowDestroyed(); }

// --- TcxWindowProcLinkedObjectList ---

CL_DEFINE_CLASS(TcxWindowProcLinkedObjectList);

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(TControl* control) : FControl(control)
{
  FSubclasser = MakeOwned<TcxClassLibSubclassingHelper>(control);
  Install();
}

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(HWND handle) : FHandle(handle)
{
  FSubclasser = MakeOwned<TcxWin32SubclassingHelper>(handle);
  Install();
}

void TcxWindowProcLinkedObjectList::Install()
{
  FSubclasser->SetWindowProc([this](TMessage& message) { Dispatch(message); });
  // The oldest element: the procedure that was in place before the chain.
  TcxSubclassingHelper* subclasser = FSubclasser.get();
  AddWindowProc([subclasser](TMessage& message) { subclasser->CallOwnWindowProc(message); });
}

TcxWindowProcLinkedObjectList::~TcxWindowProcLinkedObjectList()
{
  if (FSubclasser) FSubclasser->RestoreWindowProc();
  FSubclasser.reset();
  Clear();
  // Removed links still running belong to messages that ran through this chain, which have all
  // returned by now.
  for (TcxWindowProcLinkedObject* link : std::exchange(FRemoved, {})) {
    link->FChain = nullptr;
    Free(link);
  }
}

TcxDoublyLinkedObject* TcxWindowProcLinkedObjectList::CreateLinkedObject()
{
  return New<TcxWindowProcLinkedObject>();
}

TcxWindowProcLinkedObject* TcxWindowProcLinkedObjectList::AddWindowProc(TWndMethod proc)
{
  auto* link = static_cast<TcxWindowProcLinkedObject*>(Add());
  link->FControl = FControl;
  link->FHandle = FHandle;
  link->FWindowProc = std::move(proc);
  link->FChain = this;
  return link;
}

bool TcxWindowProcLinkedObjectList::OnlyOwnProcLeft() const { return Last() && !Last()->Prev(); }

void TcxWindowProcLinkedObjectList::Remove(TcxDoublyLinkedObject*& element)
{
  if (!element) return;
  auto* link = static_cast<TcxWindowProcLinkedObject*>(element);
  element = nullptr;
  // Removed links still running point past the element that goes.
  for (TcxWindowProcLinkedObject* removed : FRemoved)
    if (removed->Prev() == link) SetPrev(removed, link->Prev());
  // Out of the chain now. When its procedure is running, it stays until the call returns, and
  // keeps its previous element so that it can still pass the running message on.
  TcxDoublyLinkedObject* previous = link->Prev();
  Unlink(link);
  if (link->CallsInProgress() > 0) {
    SetPrev(link, previous);
    link->FRemoved = true;
    FRemoved.push_back(link);
  }
  Free(link);
}

void TcxWindowProcLinkedObjectList::ForgetRemoved(TcxWindowProcLinkedObject* link)
{
  for (TcxWindowProcLinkedObject* removed : FRemoved)
    if (removed->Prev() == link) SetPrev(removed, link->Prev());
  std::erase(FRemoved, link);
}

void TcxWindowProcLinkedObjectList::CallLink(TcxWindowProcLinkedObject* link, TMessage& message)
{
  TObjectCall chainCall(this);
  TObjectCall linkCall(link);
  link->FWindowProc(message);
}

void TcxWindowProcLinkedObjectList::Dispatch(TMessage& message)
{
  if (TcxWindowProcLinkedObject* last = LastLink()) CallLink(last, message);
}

void TcxWindowProcLinkedObjectList::Release()
{
  // The window gets its own procedure back now; the chain goes once no message runs through it.
  if (FSubclasser) FSubclasser->RestoreWindowProc();
  Free(this);
}

// --- TcxWindowProcController ---

CL_DEFINE_CLASS(TcxWindowProcController);

TcxWindowProcController::~TcxWindowProcController()
{
  while (FChains->Count() > 0) {
    auto* chain = static_cast<TcxWindowProcLinkedObjectList*>(FChains->Extract(FChains->Last()));
    chain->Release();
  }
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindControlChain(TControl* control) const
{
  for (void* item : FChains->List()) {
    auto* chain = static_cast<TcxWindowProcLinkedObjectList*>(item);
    if (chain->Control() && chain->Control() == control && !chain->Subclasser()->WindowGone()) return chain;
  }
  return nullptr;
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindHandleChain(HWND handle) const
{
  for (void* item : FChains->List()) {
    auto* chain = static_cast<TcxWindowProcLinkedObjectList*>(item);
    if (!chain->Control() && chain->Handle() == handle && !chain->Subclasser()->WindowGone()) return chain;
  }
  return nullptr;
}

TcxWindowProcLinkedObject* TcxWindowProcController::AddControlWindowProc(TControl* control, TWndMethod proc)
{
  if (!control) return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindControlChain(control);
  if (!chain) {
    chain = New<TcxWindowProcLinkedObjectList>(control);
    FChains->Add(chain);
  }
  return chain->AddWindowProc(std::move(proc));
}

TcxWindowProcLinkedObject* TcxWindowProcController::AddHandleWindowProc(HWND handle, TWndMethod proc)
{
  if (!handle) return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindHandleChain(handle);
  if (!chain) {
    chain = New<TcxWindowProcLinkedObjectList>(handle);
    FChains->Add(chain);
  }
  return chain->AddWindowProc(std::move(proc));
}

void TcxWindowProcController::RemoveWindowProc(TcxWindowProcLinkedObject*& link)
{
  if (!link) return;
  TcxWindowProcLinkedObjectList* chain = link->FChain;
  TcxDoublyLinkedObject* element = link;
  link = nullptr;
  // Removed already, or the window's own procedure, which is not the caller's to remove.
  if (static_cast<TcxWindowProcLinkedObject*>(element)->FRemoved || !element->Prev()) return;
  chain->Remove(element);
  if (chain->OnlyOwnProcLeft()) {
    FChains->Extract(chain);
    chain->Release();
  }
}

void CallPreviousWindowProc(TcxWindowProcLinkedObject* link, TMessage& message)
{
  if (!link || !link->Prev()) return;
  link->FChain->CallLink(static_cast<TcxWindowProcLinkedObject*>(link->Prev()), message);
}
