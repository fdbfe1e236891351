#pragma once
// Extra window procedures on windows the caller does not own. A caller does not replace a window's
// procedure itself: it adds a procedure to the process-wide TcxWindowProcController, which keeps one
// chain per class-library control and one per raw window handle. The newest procedure receives
// each message first and passes on what it does not consume with CallPreviousWindowProc; the
// oldest element of every chain is the window's own procedure. When the last added procedure of a
// chain is removed, the window's own procedure is put back.
//
// A control chain replaces the control's WindowProc. A handle chain subclasses the window with the
// class library's TWindowSubclass; when another party subclassed the window after the chain,
// removing the chain leaves that party working. A control and a raw handle never share a chain,
// even when the handle is the control's window.
//
// Procedures may remove links, their own included, while a message runs through the chain: a
// removed link leaves the chain at once; links and chains are calls in progress while a message
// runs through them, so one freed meanwhile goes when its call returns.
#include <vector>
#include "classlib/Controls.h"
#include "toolkit/base/cxClassesLists.h"

class TcxFreeNotificator;
class TWindowSubclass;

// An element of a doubly linked list.
class TcxDoublyLinkedObject : public TObject {
  CL_CLASS(TcxDoublyLinkedObject, TObject)
public:
  TcxDoublyLinkedObject* Prev() const { return FPrev; }
  TcxDoublyLinkedObject* Next() const { return FNext; }

private:
  friend class TcxDoublyLinkedObjectList;
  TcxDoublyLinkedObject* FPrev = nullptr;
  TcxDoublyLinkedObject* FNext = nullptr;
};

// A doubly linked list that owns its elements; Last is the newest.
class TcxDoublyLinkedObjectList : public TObject {
  CL_CLASS(TcxDoublyLinkedObjectList, TObject)
public:
  ~TcxDoublyLinkedObjectList() override;

  TcxDoublyLinkedObject* Last() const { return FLast; }
  // Makes an element with CreateLinkedObject and appends it after Last.
  virtual TcxDoublyLinkedObject* Add();
  // Unlinks and frees the element (none allowed) and empties the caller's reference.
  virtual void Remove(TcxDoublyLinkedObject*& element);
  // Frees the elements from the last to the first.
  void Clear();

protected:
  virtual TcxDoublyLinkedObject* CreateLinkedObject();
  // Takes the element out of the list without freeing it.
  void Unlink(TcxDoublyLinkedObject* element);
  static void SetPrev(TcxDoublyLinkedObject* element, TcxDoublyLinkedObject* prev) { element->FPrev = prev; }

private:
  TcxDoublyLinkedObject* FLast = nullptr;
};

class TcxWindowProcLinkedObjectList;

// One procedure of a chain: the control or the window handle whose chain it belongs to (one of
// the two), and the procedure it stands for.
class TcxWindowProcLinkedObject : public TcxDoublyLinkedObject {
  CL_CLASS(TcxWindowProcLinkedObject, TcxDoublyLinkedObject)
public:
  TControl* Control() const { return FControl; }
  HWND Handle() const { return FHandle; }
  const TWndMethod& WindowProc() const { return FWindowProc; }

  ~TcxWindowProcLinkedObject() override;

private:
  friend class TcxWindowProcLinkedObjectList;
  friend class TcxWindowProcController;
  friend void CallPreviousWindowProc(TcxWindowProcLinkedObject* link, TMessage& message);
  TControl* FControl = nullptr;
  HWND FHandle = nullptr;
  TWndMethod FWindowProc;
  TcxWindowProcLinkedObjectList* FChain = nullptr;
  bool FRemoved = false;  // out of the chain; goes when its running call returns
};

// The subclasser of one chain: it installs the chain's dispatch procedure in the window, holds
// the procedure that was in place before, and puts it back.
class TcxSubclassingHelper : public TObject {
  CL_CLASS(TcxSubclassingHelper, TObject)
public:
  // The window's own procedure, as the chain's oldest element calls it.
  virtual void CallOwnWindowProc(TMessage& message) = 0;
  // Puts the window's own procedure back.
  virtual void RestoreWindowProc() = 0;
  // Makes dispatch the window's procedure, keeping the previous one.
  virtual void SetWindowProc(TWndMethod dispatch) = 0;
  // The window is gone: the chain only waits for its links to be removed.
  virtual bool WindowGone() const = 0;
};

// Subclasses a class-library control through its WindowProc property. It stops touching the
// control once the control is destroyed.
class TcxClassLibSubclassingHelper : public TcxSubclassingHelper {
  CL_CLASS(TcxClassLibSubclassingHelper, TcxSubclassingHelper)
public:
  explicit TcxClassLibSubclassingHelper(TControl* control);
  ~TcxClassLibSubclassingHelper() override;
  void CallOwnWindowProc(TMessage& message) override;
  void RestoreWindowProc() override;
  void SetWindowProc(TWndMethod dispatch) override;
  bool WindowGone() const override { return !FControl; }

private:
  void ControlFreed(TComponent* sender);
  TControl* FControl;  // nullptr once the control is destroyed or its procedure restored
  TWndMethod FSavedWindowProc;
  TOwned<TcxFreeNotificator> FNotificator;
};

// Subclasses a raw window handle.
class TcxWin32SubclassingHelper : public TcxSubclassingHelper {
  CL_CLASS(TcxWin32SubclassingHelper, TcxSubclassingHelper)
public:
  explicit TcxWin32SubclassingHelper(HWND handle) : FHandle(handle) {}
  ~TcxWin32SubclassingHelper() override;
  void CallOwnWindowProc(TMessage& message) override;
  // Puts the previous procedure back when the window still has the made one; otherwise the made
  // procedure stays alive and passes every message on to the previous one.
  void RestoreWindowProc() override;
  void SetWindowProc(TWndMethod dispatch) override;
  bool WindowGone() const override;

private:
  HWND FHandle;
  TWindowSubclass* FSubclass = nullptr;
  WNDPROC FPrevious = nullptr;
};

// The chain of one control or one handle; its first element stands for the window's own
// procedure.
class TcxWindowProcLinkedObjectList : public TcxDoublyLinkedObjectList {
  CL_CLASS(TcxWindowProcLinkedObjectList, TcxDoublyLinkedObjectList)
public:
  // Subclasses the control or the handle at once.
  explicit TcxWindowProcLinkedObjectList(TControl* control);
  explicit TcxWindowProcLinkedObjectList(HWND handle);
  // Puts the window's own procedure back, then frees the elements.
  ~TcxWindowProcLinkedObjectList() override;

  TControl* Control() const { return FControl; }
  HWND Handle() const { return FHandle; }
  TcxSubclassingHelper* Subclasser() const { return FSubclasser.get(); }
  TcxWindowProcLinkedObject* LastLink() const { return static_cast<TcxWindowProcLinkedObject*>(Last()); }
  // Appends a procedure; answers its link.
  TcxWindowProcLinkedObject* AddWindowProc(TWndMethod proc);
  // Takes the link out of the chain; it is freed now, or when its running call returns.
  void Remove(TcxDoublyLinkedObject*& element) override;
  // Nothing but the window's own procedure is left.
  bool OnlyOwnProcLeft() const;
  // Calls the link's procedure (the own procedure for the first element).
  void CallLink(TcxWindowProcLinkedObject* link, TMessage& message);
  // Puts the window's own procedure back and frees the chain (once the messages running through
  // it return).
  void Release();

protected:
  TcxDoublyLinkedObject* CreateLinkedObject() override;

private:
  friend class TcxWindowProcLinkedObject;
  void Install();
  void Dispatch(TMessage& message);
  // A removed link has gone: the removed links still running no longer point back at it.
  void ForgetRemoved(TcxWindowProcLinkedObject* link);

  TControl* FControl = nullptr;
  HWND FHandle = nullptr;
  TOwned<TcxSubclassingHelper> FSubclasser;
  // Removed links whose calls still run; each points back at the nearest element before it.
  std::vector<TcxWindowProcLinkedObject*> FRemoved;
};

class TcxWindowProcController : public TObject {
  CL_CLASS(TcxWindowProcController, TObject)
public:
  // Frees every chain, which puts each window's own procedure back.
  ~TcxWindowProcController() override;

  // nullptr for no control; else the link of proc, appended to the control's chain (made, and the
  // control subclassed, when it has none).
  TcxWindowProcLinkedObject* AddControlWindowProc(TControl* control, TWndMethod proc);
  // The same for a raw window handle (nullptr for none). Raises EInvalidOperation for a window that
  // is not one of this thread's.
  TcxWindowProcLinkedObject* AddHandleWindowProc(HWND handle, TWndMethod proc);
  // Nothing for none; else removes the link and empties the reference. When only the window's own
  // procedure is left, the chain goes and the window's own procedure is put back.
  void RemoveWindowProc(TcxWindowProcLinkedObject*& link);
  // The chain of a control or handle whose window is still there; nullptr when none.
  TcxWindowProcLinkedObjectList* FindControlChain(TControl* control) const;
  TcxWindowProcLinkedObjectList* FindHandleChain(HWND handle) const;
  int ChainCount() const { return FChains->Count(); }

private:
  TOwned<TcxObjectList> FChains = MakeOwned<TcxObjectList>();
};

// Calls the procedure of the element just older than link (for the oldest extra procedure, the
// window's own). An added procedure calls it with its own link for every message it does not
// consume.
void CallPreviousWindowProc(TcxWindowProcLinkedObject* link, TMessage& message);
