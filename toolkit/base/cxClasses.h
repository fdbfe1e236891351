#pragma once
// Base classes and small services of the whole toolkit: objects that offer internal interfaces
// (plain abstract classes, found with Supports) without reference counting, persistents that know
// their owner, components with design-time
// links and rescaling by screen density, weak object links, a free-notification receiver, event
// handler lists, unique component names, resource-string texts and a few arithmetic and text
// helpers. Component collections are in cxClassesCollections.h, the class registries in
// cxClassesRegistries.h.
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Units.h"
#include "toolkit/base/dxCoreResStrings.h"

extern TUnit UnitcxClasses;

// --- Interface support ---

// An object that offers internal interfaces by deriving from them; Supports<I> finds them. Nothing
// is counted: the object is freed by its owner like any other.
class TcxIUnknownObject : public TObject {
  CL_CLASS(TcxIUnknownObject, TObject)
};

// A persistent that knows its owner and offers internal interfaces like TcxIUnknownObject.
class TcxInterfacedPersistent : public TPersistent {
  CL_CLASS(TcxInterfacedPersistent, TPersistent)
public:
  explicit TcxInterfacedPersistent(TPersistent* owner) : FOwner(owner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

// --- Components ---

class TcxComponent : public TComponent {
  CL_CLASS(TcxComponent, TComponent)
public:
  explicit TcxComponent(TComponent* owner) : TComponent(owner) {}
  // Empties every weak link to the component before the inherited destruction.
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  bool IsInDesigner() const { return IsDesigning(); }
  bool IsBeingDestroyed() const { return IsDestroying(); }

  // Not stored: at design time they show a form designer the components this one uses.
  TComponent* FakeComponentLink1() const { return FFakeComponentLinks[0]; }
  void SetFakeComponentLink1(TComponent* value) { SetFakeComponentLink(0, value); }
  TComponent* FakeComponentLink2() const { return FFakeComponentLinks[1]; }
  void SetFakeComponentLink2(TComponent* value) { SetFakeComponentLink(1, value); }
  TComponent* FakeComponentLink3() const { return FFakeComponentLinks[2]; }
  void SetFakeComponentLink3(TComponent* value) { SetFakeComponentLink(2, value); }

protected:
  // Fills the list with the components this one uses (none in the base).
  virtual void CollectLinkedComponents(std::vector<TComponent*>& list) { (void)list; }
  // At design time only: the fake links take the first three linked components.
  void RefreshComponentLinks();

private:
  void SetFakeComponentLink(int index, TComponent* value);
  TComponent* FFakeComponentLinks[3] = {};
};

// A component that rescales itself when it is read on a screen of another density than the one it
// was stored on. It stores "PixelsPerInch".
class TcxScalableComponent : public TcxComponent {
  CL_CLASS(TcxScalableComponent, TcxComponent)
public:
  explicit TcxScalableComponent(TComponent* owner);
  void Loaded() override;
  // Stores "PixelsPerInch" (always).
  void DefineProperties(TFiler& filer) override;

  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
  bool Scalable() const { return FScalable; }
  void SetScalable(bool value) { FScalable = value; }

protected:
  virtual void RescaleBy(int newDPI, int oldDPI) { (void)newDPI; (void)oldDPI; }

private:
  int FPixelsPerInch;
  bool FScalable = true;
};

// --- Event handler lists ---

// The arguments of an event broadcast through a TcxEventHandlerCollection; events derive their own.
struct TcxEventArgs {
  virtual ~TcxEventArgs() = default;
};
using TcxEventHandler = TEvent<void(TObject* Sender, const TcxEventArgs& Args)>;

class TcxEventHandlerCollection : public TObject {
  CL_CLASS(TcxEventHandlerCollection, TObject)
public:
  void Add(const TcxEventHandler& handler);
  void Remove(const TcxEventHandler& handler);
  int Count() const;
  // Calls every handler in the order they were added. A handler removed during the calls is not
  // called any more; one added during them waits for the next time.
  void InvokeAll(TObject* sender, const TcxEventArgs& args);

private:
  std::vector<TcxEventHandler> FHandlers;
  int FInvoking = 0;
};

// --- Weak object links ---

// A reference that becomes empty when its object begins to be freed (or ResetObjectLinks empties
// it before).
class TcxObjectLink : public TObject {
  CL_CLASS(TcxObjectLink, TObject)
public:
  TObject* Ref() const { return FRef.Get(); }

private:
  friend class TcxObjectLinkController;
  friend TcxObjectLink* CreateObjectLink(TObject* obj);
  TWeakRef<TObject> FRef;
};

// Creates a link to obj (none for none); the first live link creates the process-wide controller.
TcxObjectLink* CreateObjectLink(TObject* obj);
// Frees the link (none allowed); the controller goes with its last user.
void FreeObjectLink(TcxObjectLink* link);
// Empties every link to obj.
void ResetObjectLinks(TObject* obj);
// Whether the controller of the links exists now.
bool ObjectLinkControllerExists();

// --- Free notification ---

using TcxFreeNotificationEvent = TEvent<void(TComponent* Sender)>;

// Calls its handler with each watched component that is freed.
class TcxFreeNotificator : public TComponent {
  CL_CLASS(TcxFreeNotificator, TComponent)
public:
  explicit TcxFreeNotificator(TComponent* owner) : TComponent(owner) {}
  void WatchComponent(TComponent* component);    // none allowed
  void UnwatchComponent(TComponent* component);  // none allowed
  const TcxFreeNotificationEvent& OnFreeNotification() const { return FOnFreeNotification; }
  void SetOnFreeNotification(const TcxFreeNotificationEvent& value) { FOnFreeNotification = value; }
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::vector<TComponent*> FWatched;
  TcxFreeNotificationEvent FOnFreeNotification;
};

// --- Unique component names ---

// A name that no component owned by owner, directly or further down, has yet: the parent's name,
// then the base name (or, when it is empty or begins with a digit, the item's class name without
// prefix or leading "T" in front of it), then a number when needed.
std::string GenerateUniqueItemName(TComponent* owner, TComponent* parentComponent, TComponent* item,
                                   std::string_view baseName, std::string_view prefixToStrip);
std::string BuildComponentName(TComponent* parentComponent, std::string_view className, std::string_view prefix,
                               int number, std::string_view baseName);
bool IsNameUniqueAmong(TComponent* owner, std::string_view name);

// --- Resource strings ---

// The text of the string-table entry that the record designates, in the module that holds it.
std::string GetResStringText(PResStringRec rec);

// --- Small helpers ---

std::string TakeTextBeforeBar(std::string_view text);
// Bytes of the character at 1-based position pos of an ANSI string: 2 for a lead byte with its
// trail, 1 otherwise, 0 outside the string.
int CharByteLength(std::string_view text, int pos);
void FireNotifyEvent(const TNotifyEvent& event, TObject* sender);
SIZE BuildSize(int width, int height);
int RangeMidpoint(int a, int b);  // (a + b) / 2 rounded toward minus infinity
int SignAsStep(int value);        // 1 for 0 or more, else -1
bool MethodsEqual(const TMethod& a, const TMethod& b);
TPersistent* GetPersistentOwner(const TPersistent* persistent);

// Raises a counter for the life of the scope and lowers it again on every exit.
class TCounterLock {
public:
  explicit TCounterLock(int& counter) : FCounter(counter) { ++FCounter; }
  ~TCounterLock() { --FCounter; }
  TCounterLock(const TCounterLock&) = delete;
  TCounterLock& operator=(const TCounterLock&) = delete;

private:
  int& FCounter;
};

// Sets a flag for the life of the scope and restores the previous value on every exit.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag, bool value = true) : FFlag(flag), FSaved(flag) { FFlag = value; }
  ~TFlagScope() { FFlag = FSaved; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
  bool FSaved;
};
