#pragma once
// Class references as values: TClassRef<TBase> holds a class known to inherit from TBase, the way a
// painter class, a style class or a view-info class is passed, kept in a registry and asked for an
// instance. Every "class of" value is one; so is every entry of a class registry.
//
// A family declares, in its base class, its metaclass: the arguments every class of the family is
// constructed with, and the class-level operations a caller reaches without an instance. A subclass
// that answers a class-level operation otherwise declares a metaclass of its own, derived from its
// parent's. Each class then has one metaclass object, reached through its class record.
//
//   class TBarPainter : public TObject {
//     CL_CLASS(TBarPainter, TObject)
//   public:
//     // Made with the look-and-feel's skin painter (nullptr without one).
//     struct TMeta : TMetaClassOf<TBarPainter, TcxCustomLookAndFeelPainter*> {
//       virtual int BorderSize() const { return 2; }
//     };
//     explicit TBarPainter(TcxCustomLookAndFeelPainter* SkinPainter);
//   };
//   class TBarFlatPainter : public TBarPainter {
//     CL_CLASS(TBarFlatPainter, TBarPainter)
//   public:
//     struct TMeta : TBarPainter::TMeta {
//       int BorderSize() const override { return 1; }
//     };
//     using TBarPainter::TBarPainter;
//   };
//   using TBarPainterClass = TClassRef<TBarPainter>;
//
//   TBarPainterClass painterClass = ClassRef<TBarFlatPainter>();  // a value: copy it, keep it, compare it
//   painterClass->BorderSize();                                    // 1: the class's own answer, no instance
//   TOwned<TBarPainter> painter(painterClass.Create(skinPainter)); // both construction phases
//   painterClass.Name();                                           // "TBarFlatPainter"
//   TBarPainterClass(FindClass(name));                             // EInvalidCast unless a TBarPainter
//
// A family without a metaclass constructs through the record's own factories: Create() for plain
// objects, Create(owner) for components, Create(collection) for collection items. A reference to an
// abstract class answers its class-level operations but raises EInvalidOperation when asked for an
// instance. An empty reference (TClassRef<T>(), or made from nullptr) reads false and raises
// EInvalidOperation when asked for an instance or its metaclass.
#include <cstddef>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include "classlib/Object.h"

// The root of every metaclass: the class-level operations of one class, one static object per class.
class TMetaClass {
public:
  // The class whose operations these are.
  virtual TClass Class() const = 0;

protected:
  constexpr TMetaClass() = default;
  ~TMetaClass() = default;
};

// The metaclass of a family: the virtual constructor of TBase's classes, with the arguments A... every
// class of the family takes. The family's base class derives its TMeta from it.
template <class TBase, class... A>
class TMetaClassOf : public TMetaClass {
public:
  using TFamily = TBase;
  using TArgs = std::tuple<A...>;
  // An instance of the class, made in both phases.
  virtual TBase* NewInstance(A... args) const = 0;

protected:
  constexpr TMetaClassOf() = default;
  ~TMetaClassOf() = default;
};

namespace classref_detail {
[[noreturn]] void RaiseEmpty();
[[noreturn]] void RaiseAbstract(TClass c);
[[noreturn]] void RaiseNoFactory(TClass c);
void CheckInherits(TClass c, TClass base);

template <class T>
concept HasMeta = requires { typename T::TMeta; };

// The metaclass object of class T: T's nearest declared TMeta, with T's constructor.
template <class T, class Meta, class Args>
class TMetaObject;
template <class T, class Meta, class... A>
class TMetaObject<T, Meta, std::tuple<A...>> final : public Meta {
public:
  constexpr TMetaObject() = default;
  TClass Class() const override { return T::StaticClass(); }
  typename Meta::TFamily* NewInstance(A... args) const override
  {
    if constexpr (std::is_abstract_v<T>)
      RaiseAbstract(T::StaticClass());
    else
      return New<T>(std::forward<A>(args)...);
  }
};

template <class T>
inline constexpr TMetaObject<T, typename T::TMeta, typename T::TMeta::TArgs> MetaObject{};
}  // namespace classref_detail

namespace object_detail {
template <class T>
constexpr const TMetaClass* MetaClassOf()
{
  using Meta = typename T::TMeta;
  if constexpr (requires { typename T::inherited::TMeta; })
    static_assert(std::is_base_of_v<typename T::inherited::TMeta, Meta>,
                  "a class's TMeta must derive from its parent's TMeta");
  return &classref_detail::MetaObject<T>;
}
}  // namespace object_detail

template <class TBase = TObject>
class TClassRef {
public:
  constexpr TClassRef() = default;
  constexpr TClassRef(std::nullptr_t) {}
  // The class c, which must inherit from TBase (EInvalidCast otherwise); nullptr gives an empty reference.
  explicit TClassRef(TClass c)
    requires(!std::is_same_v<TBase, TObject>)
      : FClass(c)
  {
    classref_detail::CheckInherits(c, TBase::StaticClass());
  }
  // Every class is a TObject: a TClassRef<> takes any record as it is.
  constexpr TClassRef(TClass c)
    requires std::is_same_v<TBase, TObject>
      : FClass(c)
  {
  }
  // A reference to a class of a narrower family is one of this family too.
  template <class TOther>
    requires std::is_base_of_v<TBase, TOther>
  constexpr TClassRef(TClassRef<TOther> other) : FClass(other.Class())
  {
  }
  // One of a wider family is checked (EInvalidCast when the class is not a TBase).
  template <class TOther>
    requires(!std::is_base_of_v<TBase, TOther>)
  explicit TClassRef(TClassRef<TOther> other) : TClassRef(other.Class())
  {
  }
  // The reference to T.
  template <class T>
    requires std::is_base_of_v<TBase, T>
  static constexpr TClassRef Of()
  {
    TClassRef r;
    r.FClass = &T::ClassInfo;
    return r;
  }

  constexpr TClass Class() const { return FClass; }
  constexpr explicit operator bool() const { return FClass != nullptr; }
  const char* Name() const { return FClass ? FClass->Name : ""; }
  // The parent class (which need not be a TBase: the family's base answers its own parent).
  TClass Parent() const { return FClass ? FClass->Parent : nullptr; }
  bool InheritsFrom(TClass ancestor) const { return FClass && FClass->InheritsFrom(ancestor); }
  template <class T>
  bool InheritsFrom() const
  {
    return InheritsFrom(T::StaticClass());
  }
  friend constexpr bool operator==(TClassRef a, TClassRef b) { return a.FClass == b.FClass; }
  friend constexpr bool operator==(TClassRef a, TClass b) { return a.FClass == b; }

  // The class-level operations of the class (families with a metaclass).
  const auto& Meta() const
    requires classref_detail::HasMeta<TBase>
  {
    if (!FClass) classref_detail::RaiseEmpty();
    return *static_cast<const typename TBase::TMeta*>(FClass->Meta);
  }
  const auto* operator->() const
    requires classref_detail::HasMeta<TBase>
  {
    return &Meta();
  }

  // An instance of the class, made in both phases (see the header comment for the arguments).
  template <class... A>
  TBase* Create(A&&... args) const
  {
    if (!FClass) classref_detail::RaiseEmpty();
    if constexpr (classref_detail::HasMeta<TBase>) {
      return static_cast<TBase*>(Meta().NewInstance(std::forward<A>(args)...));
    } else {
      TObject* made = nullptr;
      if constexpr (std::is_convertible_v<TBase*, TComponent*>) {
        static_assert(sizeof...(A) == 1, "a component is made with its owner");
        if (!FClass->NewComponent) classref_detail::RaiseNoFactory(FClass);
        made = FClass->NewComponent(std::forward<A>(args)...);
      } else if constexpr (std::is_convertible_v<TBase*, TCollectionItem*>) {
        static_assert(sizeof...(A) == 1, "a collection item is made with its collection");
        if (!FClass->NewItem) classref_detail::RaiseNoFactory(FClass);
        made = FClass->NewItem(std::forward<A>(args)...);
      } else {
        static_assert(sizeof...(A) == 0, "a family made with arguments declares a metaclass (TMeta)");
        if (!FClass->NewObject) classref_detail::RaiseNoFactory(FClass);
        made = FClass->NewObject();
      }
      return static_cast<TBase*>(made);
    }
  }

private:
  TClass FClass = nullptr;
};

// The reference to T, in T's own family: TClassRef<TBase> r = ClassRef<TDerived>().
template <class T>
constexpr TClassRef<T> ClassRef()
{
  return TClassRef<T>::template Of<T>();
}
