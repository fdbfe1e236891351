#pragma once
// The root class, class records (class references as values) and the life of an object.
//
// A TClass points at the static TClassRecord of a class: its name, its parent's record, its
// published properties, methods and fields, its message handlers, and factories that build an
// instance in both phases. Code that passes classes as values holds a TClassRef<TBase>
// (classlib/ClassRef.h), the typed reference over the record.
//
// Life: objects are made with New<T>(...) (construct, then AfterConstruction) and freed with
// Free(obj) (BeforeDestruction, then destruction), since C++ does not dispatch virtual calls to the
// derived class inside constructors and destructors. Free is the only way an object goes: a plain
// delete does not compile (operator delete is not public), and an object destroyed any other way
// is reported by ~TObject in checked builds. One owner holds an object through TOwned<T>.
//
// Weak references: TWeakRef<T> reads empty from the moment Free begins. Code that calls out to
// handlers which may free the caller (a click that frees its own button) holds a weak reference
// and tests it after the call.
//
// Calls in progress: a dispatcher that runs an object's code (a window procedure, Perform, a chain
// of procedures) holds a TObjectCall on it. Free of an object with calls in progress takes it apart
// at once (weak references empty, BeforeDestruction: a component leaves its owner, its parent, its
// free notifications and its name there and then) and only releases its memory (destruction) when
// the outermost call ends, so that the running code is never left on freed memory. ReleaseLater
// frees an object once the messages waiting now are handled, for an object whose children are the
// ones running (a form closed from its own button).
//
// Every class declares itself once, in its body, with CL_CLASS(T, Parent): the parent is named
// there only, and the compiler checks it is T's nearest declared ancestor. Its .cpp defines the
// record with CL_DEFINE_CLASS(T, options...) and, when it handles messages, CL_MESSAGE_MAP first.
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include "classlib/Exceptions.h"

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
struct TPropInfo;
struct TMethodInfo;
struct TFieldInfo;
struct TMessageMapEntry;
struct TClassRecord;
using TClass = const TClassRecord*;
class TMetaClass;
struct TMessage;
using TMessageHandler = void (TObject::*)(TMessage&);

// What a class record declares beyond its name and parent; CL_DEFINE_CLASS takes these as
// designated initializers: CL_DEFINE_CLASS(TButton, .Props = ButtonProps).
struct TClassOptions {
  std::span<const TPropInfo> Props = {};      // published properties declared by this class itself
  std::span<const TMethodInfo> Methods = {};  // published methods (event handlers bound by name)
  std::span<const TFieldInfo> Fields = {};    // published fields (stored-form components bound by name)
};

struct TClassRecord {
  const char* Name;
  TClass Parent;
  std::span<const TPropInfo> Props = {};
  std::span<const TMethodInfo> Methods = {};
  std::span<const TFieldInfo> Fields = {};
  std::span<const TMessageMapEntry> Messages = {};  // this class's own message handlers
  // Factories; each runs both construction phases. Unset for abstract classes.
  TObject* (*NewObject)() = nullptr;
  TComponent* (*NewComponent)(TComponent* owner) = nullptr;
  TCollectionItem* (*NewItem)(TCollection* collection) = nullptr;
  // The class-level operations of a class whose family declares a metaclass (classlib/ClassRef.h).
  const TMetaClass* Meta = nullptr;

  bool InheritsFrom(TClass ancestor) const;
  // Finds a published property, method or field by name (case-insensitive), searching base
  // classes too.
  const TPropInfo* FindProp(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;
  // The handler this class or its nearest ancestor gives the message; nullptr when none does.
  TMessageHandler FindMessageHandler(unsigned msg) const;
};

namespace object_detail {
// The shared part of weak references: the object while it lives, and a count of the references
// (the object's own included) that keeps the block after the object is gone.
struct TWeakBlock {
  std::atomic<TObject*> Object;
  std::atomic<int> Refs;
};
void AddRef(TWeakBlock* block);
void Release(TWeakBlock* block);

template <class D, class C>
constexpr bool IsStrictBase = std::is_base_of_v<C, D> && !std::is_same_v<C, D>;
}  // namespace object_detail

// What happens when an object is destroyed without Free: by default a message on the debugger
// output and standard error, and in builds with assertions the process stops. The test executables
// install a handler that fails the running test. Answers the previous handler.
using TLifetimeViolationHandler = void (*)(const TObject* obj);
TLifetimeViolationHandler SetLifetimeViolationHandler(TLifetimeViolationHandler handler);

// Messages the class library handles, by number, per class: a class with handlers specializes it
// through CL_MESSAGE_MAP. Declared a friend by CL_CLASS so the map may name private handlers.
template <class T> struct TClassMessages {};

class TObject {
public:
  static const TClassRecord ClassInfo;
  static TClass StaticClass() { return &ClassInfo; }
  // Part of the check that a class names its nearest declared ancestor (see CL_CLASS).
  template <class D>
  friend auto ClNearestClass(D*, TObject*) -> std::enable_if_t<object_detail::IsStrictBase<D, TObject>, TObject*>;

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  virtual TClass ClassType() const { return &ClassInfo; }
  const char* ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
  template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

  // Second construction phase and first destruction phase; overrides call the inherited one.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}

  // Free has begun for this object: weak references to it already read empty.
  bool Freeing() const { return FFreeing; }
  // Calls in progress (see TObjectCall).
  int CallsInProgress() const { return FCalls; }

  // The weak-reference block of the object, made when first asked for (TWeakRef uses it).
  object_detail::TWeakBlock* WeakBlock() const;

  static void* operator new(std::size_t size) { return ::operator new(size); }

protected:
  // Only Free (and New, when construction fails) delete objects.
  static void operator delete(void* p) noexcept { ::operator delete(p); }
  static void operator delete(void* p, std::size_t size) noexcept { ::operator delete(p, size); }

private:
  friend void Free(TObject* obj);
  friend class TObjectCall;
  template <class T, class... A> friend T* New(A&&... args);
  // Marks the object as going and empties its weak references.
  void BeginFree();
  // BeforeDestruction, then destruction.
  void Destroy();
  // Destruction only (BeforeDestruction has run), once the last call in progress ends.
  void ReleaseMemory();

  mutable std::atomic<object_detail::TWeakBlock*> FWeak{nullptr};
  int FCalls = 0;
  bool FFreeing = false;
  bool FFreePending = false;  // freed while calls were in progress: destruction waits for them
};

// A call in progress on an object, for as long as the scope lasts (none allowed). The object's
// memory stays while any of its calls is in progress; one freed meanwhile is taken apart by Free and
// destroyed when the last call ends. Owner thread only.
class TObjectCall {
public:
  explicit TObjectCall(TObject* obj) : FObject(obj)
  {
    if (FObject) ++FObject->FCalls;
  }
  ~TObjectCall();
  TObjectCall(const TObjectCall&) = delete;
  TObjectCall& operator=(const TObjectCall&) = delete;

private:
  TObject* FObject;
};

// Casts with a class check; raises EInvalidCast ("Invalid class typecast") when obj is not a T.
template <class T>
T* As(TObject* obj)
{
  if (!obj) return nullptr;
  if (!obj->Is<T>()) throw EInvalidCast("Invalid class typecast");
  return static_cast<T*>(obj);
}

// Makes an object in both phases. When AfterConstruction raises, the object is destroyed (without
// BeforeDestruction, which belongs to objects that were whole) and the exception goes on.
template <class T, class... A>
T* New(A&&... args)
{
  T* obj = new T(std::forward<A>(args)...);
  try {
    obj->AfterConstruction();
  } catch (...) {
    obj->BeginFree();
    delete obj;
    throw;
  }
  return obj;
}

// Frees obj (none allowed): weak references empty, BeforeDestruction, then destruction; while calls
// of obj are in progress, the last of them to end does the destruction. An object already being
// freed is left to the call that is freeing it.
void Free(TObject* obj);

template <class T>
void FreeAndNil(T*& obj)
{
  T* p = obj;
  obj = nullptr;
  Free(p);
}

// The one owning pointer of class-library objects: frees through Free.
struct TObjectDeleter {
  void operator()(TObject* obj) const { Free(obj); }
};
template <class T> using TOwned = std::unique_ptr<T, TObjectDeleter>;
template <class T, class... A> TOwned<T> MakeOwned(A&&... args) { return TOwned<T>(New<T>(std::forward<A>(args)...)); }

// A reference that reads empty once its object begins to be freed. Copyable; any thread may read
// it, but only the object's own thread may free the object while others use what they read.
template <class T>
class TWeakRef {
public:
  TWeakRef() = default;
  TWeakRef(T* obj) : FBlock(obj ? static_cast<const TObject*>(obj)->WeakBlock() : nullptr)
  {
    if (FBlock) object_detail::AddRef(FBlock);
  }
  TWeakRef(const TWeakRef& other) : FBlock(other.FBlock)
  {
    if (FBlock) object_detail::AddRef(FBlock);
  }
  TWeakRef(TWeakRef&& other) noexcept : FBlock(std::exchange(other.FBlock, nullptr)) {}
  TWeakRef& operator=(TWeakRef other) noexcept
  {
    std::swap(FBlock, other.FBlock);
    return *this;
  }
  ~TWeakRef()
  {
    if (FBlock) object_detail::Release(FBlock);
  }

  T* Get() const
  {
    TObject* obj = FBlock ? FBlock->Object.load(std::memory_order_acquire) : nullptr;
    return obj ? static_cast<T*>(obj) : nullptr;
  }
  T* operator->() const { return Get(); }
  explicit operator bool() const { return Get() != nullptr; }
  // Whether the reference was made to an object (which may be gone now).
  bool Assigned() const { return FBlock != nullptr; }
  void Reset() { *this = TWeakRef(); }

private:
  object_detail::TWeakBlock* FBlock = nullptr;
};

// Frees obj once the messages waiting now have been handled (through a message posted to the
// class library's window), unless it is freed before. Objects still waiting when the class
// library shuts down are freed then. GUI thread only. The unit of the waiting objects is
// DeferredFreeUnit, which the forms unit uses.
void ReleaseLater(TObject* obj);
struct TUnit;
extern TUnit DeferredFreeUnit;

// Internal interfaces are plain abstract classes; an object offers one by deriving from it.
// Answers obj as an I, or nullptr when it does not offer I (or is none).
template <class I, class S>
I* Supports(S* obj)
{
  return obj ? dynamic_cast<I*>(obj) : nullptr;
}

// The setter pattern "nothing when equal; assign; tell": answers whether the value changed.
template <class T, class U, class F>
bool SetAndNotify(T& field, U&& value, F&& changed)
{
  if (field == value) return false;
  field = std::forward<U>(value);
  changed();
  return true;
}

namespace object_detail {
// A constructor that takes the pointer A itself, not a bool or a base-class pointer that an A*
// would also convert to.
template <class T, class A>
constexpr bool ConstructsFrom =
    std::is_constructible_v<T, A*> && !std::is_constructible_v<T, TPersistent*> && !std::is_constructible_v<T, bool>;
// The metaclass object of a class that has one (defined in classlib/ClassRef.h).
template <class T> constexpr const TMetaClass* MetaClassOf();
}  // namespace object_detail

// Builds the class record of T. Factories are filled in from the constructors T has: T() for plain
// objects, T(TComponent*) for components, T(TCollection*) for collection items; a class whose
// constructor takes anything else has no factory, unless its family declares a metaclass (TMeta, see
// classlib/ClassRef.h), which is then the record's virtual constructor. The message handlers come from the class's
// CL_MESSAGE_MAP, which must stand before the record.
template <class T>
constexpr TClassRecord MakeClassRecord(const char* name, TClass parent, const TClassOptions& options = {})
{
  TClassRecord r{name, parent, options.Props, options.Methods, options.Fields};
  if constexpr (requires { TClassMessages<T>::Entries; }) r.Messages = TClassMessages<T>::Entries;
  if constexpr (requires { typename T::TMeta; }) r.Meta = object_detail::MetaClassOf<T>();
  if constexpr (!std::is_abstract_v<T>) {
    // The kind is checked too: only components get a component factory, only items an item one.
    if constexpr (object_detail::ConstructsFrom<T, TComponent> && std::is_convertible_v<T*, TComponent*>)
      r.NewComponent = [](TComponent* owner) -> TComponent* { return New<T>(owner); };
    else if constexpr (object_detail::ConstructsFrom<T, TCollection> && std::is_convertible_v<T*, TCollectionItem*>)
      r.NewItem = [](TCollection* c) -> TCollectionItem* { return New<T>(c); };
    else if constexpr (std::is_default_constructible_v<T>)
      r.NewObject = []() -> TObject* { return New<T>(); };
  }
  return r;
}

// In the class body: T's parent P (named here once), its class record, ClassType and the
// compile-time check that P is T's nearest ancestor declared with CL_CLASS.
#define CL_CLASS(T, P)                                                                                   \
public:                                                                                                  \
  using inherited = P;                                                                                   \
  static const TClassRecord ClassInfo;                                                                   \
  static TClass StaticClass() { return &ClassInfo; }                                                     \
  template <class D>                                                                                     \
  friend auto ClNearestClass(D*, T*) -> std::enable_if_t<object_detail::IsStrictBase<D, T>, T*>;         \
  template <class> friend struct ::TClassMessages;                                                       \
  TClass ClassType() const override                                                                      \
  {                                                                                                      \
    static_assert(std::is_base_of_v<P, T> && !std::is_same_v<P, T>, #T " does not derive from " #P);     \
    static_assert(std::is_same_v<decltype(ClNearestClass(static_cast<T*>(nullptr), static_cast<T*>(nullptr))), P*>, \
                  #P " is not the nearest class-library ancestor of " #T);                               \
    return &ClassInfo;                                                                                   \
  }                                                                                                      \
                                                                                                         \
private:

// In the class's .cpp: its record, named after the class, with the options given. A nested class
// gives its record a name of its own with CL_DEFINE_CLASS_NAMED.
#define CL_DEFINE_CLASS(T, ...) CL_DEFINE_CLASS_NAMED(T, #T, __VA_ARGS__)
#define CL_DEFINE_CLASS_NAMED(T, Name, ...) \
  const TClassRecord T::ClassInfo = MakeClassRecord<T>(Name, &T::inherited::ClassInfo, TClassOptions{__VA_ARGS__})

// The class registry: classes a stored form may name. RegisterClass is idempotent; registering a
// different class under a name already taken raises EFilerError.
void RegisterClass(TClass c);
// Registers each class in turn (as RegisterClass).
void RegisterClasses(std::span<const TClass> classes);
void UnRegisterClass(TClass c);
TClass GetClass(std::string_view name);   // nullptr when unknown
TClass FindClass(std::string_view name);  // raises EClassNotFound "Class %s not found"

// Case-insensitive comparison of ASCII identifiers.
bool SameIdent(std::string_view a, std::string_view b);
