#pragma once
// The root class, class records (class references as values) and the two-phase object life.
//
// A TClass points at the static TClassRecord of a class: its name, its parent's record, its
// published properties and methods, and factories that build an instance in both phases.
// Objects whose construction or destruction runs overridable code are made with New<T>(...)
// (construct, then AfterConstruction) and freed with Free(obj) (BeforeDestruction, then delete),
// since C++ does not dispatch virtual calls to the derived class inside constructors and destructors.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include "classlib/Exceptions.h"

class TObject;
class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
struct TPropInfo;
struct TMethodInfo;
struct TClassRecord;
using TClass = const TClassRecord*;

struct TClassRecord {
  const char* Name;
  TClass Parent;
  std::span<const TPropInfo> Props;      // published properties declared by this class itself
  std::span<const TMethodInfo> Methods;  // published methods (event handlers bound by name)
  // Factories; each runs both construction phases. Unset for abstract classes.
  TObject* (*NewObject)() = nullptr;
  TComponent* (*NewComponent)(TComponent* owner) = nullptr;
  TCollectionItem* (*NewItem)(TCollection* collection) = nullptr;

  bool InheritsFrom(TClass ancestor) const;
  // Finds a published property or method by name (case-insensitive), searching base classes too.
  const TPropInfo* FindProp(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
};

class TObject {
public:
  static const TClassRecord ClassInfo;
  static TClass StaticClass() { return &ClassInfo; }

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  virtual TClass ClassType() const { return &ClassInfo; }
  const char* ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
  template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

  // Second construction phase and first destruction phase; overrides call the inherited one.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
};

// Casts with a class check; raises EInvalidCast ("Invalid class typecast") when obj is not a T.
template <class T>
T* As(TObject* obj)
{
  if (!obj) return nullptr;
  if (!obj->Is<T>()) throw EInvalidCast("Invalid class typecast");
  return static_cast<T*>(obj);
}

template <class T, class... A>
T* New(A&&... args)
{
  std::unique_ptr<T> obj(new T(std::forward<A>(args)...));
  obj->AfterConstruction();
  return obj.release();
}

inline void Free(TObject* obj)
{
  if (!obj) return;
  obj->BeforeDestruction();
  delete obj;
}

template <class T>
void FreeAndNil(T*& obj)
{
  T* p = obj;
  obj = nullptr;
  Free(p);
}

// Ownership through std::unique_ptr that still runs both destruction phases.
struct TObjectDeleter {
  void operator()(TObject* obj) const { Free(obj); }
};
template <class T> using TOwned = std::unique_ptr<T, TObjectDeleter>;
template <class T, class... A> TOwned<T> MakeOwned(A&&... args) { return TOwned<T>(New<T>(std::forward<A>(args)...)); }

namespace object_detail {
// A constructor that takes the pointer A itself, not a bool or a base-class pointer that an A*
// would also convert to.
template <class T, class A>
constexpr bool ConstructsFrom =
    std::is_constructible_v<T, A*> && !std::is_constructible_v<T, TPersistent*> && !std::is_constructible_v<T, bool>;
}  // namespace object_detail

// Builds the class record of T with parent P. Factories are filled in from the constructors T has:
// T() for plain objects, T(TComponent*) for components, T(TCollection*) for collection items; a
// class whose constructor takes anything else has no factory.
template <class T>
constexpr TClassRecord MakeClassRecord(const char* name, TClass parent,
                                       std::span<const TPropInfo> props = {},
                                       std::span<const TMethodInfo> methods = {})
{
  TClassRecord r{name, parent, props, methods};
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

// In a class body: the class record and ClassType of the class.
#define CL_CLASS(T)                                               \
public:                                                           \
  static const TClassRecord ClassInfo;                            \
  static TClass StaticClass() { return &ClassInfo; }              \
  TClass ClassType() const override { return &ClassInfo; }        \
                                                                  \
private:

// The class registry: classes a stored form may name. RegisterClass is idempotent; registering a
// different class under a name already taken raises EFilerError.
void RegisterClass(TClass c);
void UnRegisterClass(TClass c);
TClass GetClass(std::string_view name);   // nullptr when unknown
TClass FindClass(std::string_view name);  // raises EClassNotFound "Class %s not found"

// Case-insensitive comparison of ASCII identifiers.
bool SameIdent(std::string_view a, std::string_view b);
