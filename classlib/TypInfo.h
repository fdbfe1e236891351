#pragma once
// Published property and method tables: what stored forms read and write by name.
//
// A class lists its published properties in a constexpr table of TPropInfo, made with the helpers
// below from the class's getter and setter (property X: getter X(), setter SetX()). Kinds follow
// what stored forms carry; the accessors are type-erased to the kind's value type.
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>
#include "classlib/Events.h"
#include "classlib/Object.h"

enum class TPropKind {
  Integer, Boolean, Enumeration, Set, String, Float, Color, ShortCut,
  Component,   // reference to a component, resolved by name
  Method,      // event, bound to a published method of the form by name
  Persistent,  // nested object owned by the instance; its properties are read into it
  Strings,     // TStrings owned by the instance
  Collection,  // TCollection owned by the instance
};

// The names of an enumeration's values, in order of value.
struct TEnumInfo {
  const char* Name;
  std::span<const std::string_view> Names;

  int ValueOf(std::string_view name) const;  // -1 when unknown (case-insensitive)
  std::string_view NameOf(int value) const;  // empty when out of range
  int Count() const { return static_cast<int>(Names.size()); }
};

// The names of the values of an enumeration whose last value is Last, checked at compile time to
// name every value: EnumInfo<alCustom>("TAlign", AlignNames).
template <auto Last, size_t N>
constexpr TEnumInfo EnumInfo(const char* name, const std::string_view (&names)[N])
{
  static_assert(N == static_cast<size_t>(Last) + 1, "the name table does not name every value of the enumeration");
  return TEnumInfo{name, names};
}

struct TPropInfo {
  const char* Name;
  TPropKind Kind;
  const TEnumInfo* Enum = nullptr;              // Enumeration, Set
  TClass RefClass = nullptr;                    // Component, Persistent, Strings, Collection
  const std::type_info* EventType = nullptr;    // Method
  bool HasDefault = false;
  int64_t Default = 0;                          // ordinal kinds
  // The values a stored form may give: those of the property's own type (Integer, Color, ShortCut;
  // a colour also in its unsigned 32-bit spelling), and for floats the largest magnitude.
  int64_t MinValue = INT64_MIN;
  int64_t MaxValue = INT64_MAX;
  double MaxMagnitude = 1.7976931348623157e308;
  int64_t (*GetOrd)(const TObject*) = nullptr;  // Integer, Boolean, Enumeration, Set, Color, ShortCut
  void (*SetOrd)(TObject*, int64_t) = nullptr;
  double (*GetFloat)(const TObject*) = nullptr;
  void (*SetFloat)(TObject*, double) = nullptr;
  std::string (*GetStr)(const TObject*) = nullptr;
  void (*SetStr)(TObject*, const std::string&) = nullptr;
  TObject* (*GetObj)(const TObject*) = nullptr;  // Component, Persistent, Strings, Collection
  void (*SetObj)(TObject*, TObject*) = nullptr;  // Component (and assignable objects)
  TMethod (*GetMethod)(const TObject*) = nullptr;
  void (*SetMethod)(TObject*, const TMethod&) = nullptr;
  bool (*Stored)(const TObject*) = nullptr;      // nullptr: always stored

  bool IsStored(const TObject* obj) const { return !Stored || Stored(obj); }
  bool IsDefault(const TObject* obj) const;      // ordinal value equals the default
};

// A published field: a stored form's reader points it at the component of that name it reads into
// the instance.
struct TFieldInfo {
  const char* Name;
  TClass FieldClass;
  TObject* (*Get)(const TObject* instance);
  void (*Set)(TObject* instance, TObject* component);
};

// A published method: what a stored form names as an event handler.
struct TMethodInfo {
  const char* Name;
  TMethod (*Bind)(TObject* instance);
};

namespace typinfo_detail {
template <class> struct MemberClass;
template <class C, class R> struct MemberClass<R (C::*)() const> { using Class = C; using Value = R; };
template <class C, class R> struct MemberClass<R (C::*)()> { using Class = C; using Value = R; };
template <class C, class R, class... A> struct MemberClass<R (C::*)(A...)> { using Class = C; };
template <class> struct FieldOwner;
template <class C, class P> struct FieldOwner<P* C::*> { using Class = C; using Pointee = P; };
template <auto Get> using ClassOf = typename MemberClass<decltype(Get)>::Class;
template <auto Get> using ValueOf = std::remove_cvref_t<typename MemberClass<decltype(Get)>::Value>;
template <auto Get> const ClassOf<Get>* Self(const TObject* o) { return static_cast<const ClassOf<Get>*>(o); }
}  // namespace typinfo_detail

// Ordinal properties (int, bool, enum, TSet, colour, shortcut).
template <auto Get, auto Set>
constexpr TPropInfo OrdProp(const char* name, TPropKind kind, const TEnumInfo* info = nullptr)
{
  using namespace typinfo_detail;
  using C = ClassOf<Get>;
  using V = ValueOf<Get>;
  TPropInfo p{name, kind, info};
  if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) {
    p.MinValue = static_cast<int64_t>(std::numeric_limits<V>::min());
    if constexpr (std::is_unsigned_v<V> && sizeof(V) >= sizeof(int64_t))
      p.MaxValue = INT64_MAX;
    else
      p.MaxValue = static_cast<int64_t>(std::numeric_limits<V>::max());
  }
  p.GetOrd = [](const TObject* o) -> int64_t {
    V v = (Self<Get>(o)->*Get)();
    if constexpr (requires { v.ToInt(); }) return static_cast<int64_t>(v.ToInt());
    else return static_cast<int64_t>(v);
  };
  if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>)
    p.SetOrd = [](TObject* o, int64_t x) {
      if constexpr (requires { V::FromInt(0); }) (static_cast<C*>(o)->*Set)(V::FromInt(static_cast<uint64_t>(x)));
      else (static_cast<C*>(o)->*Set)(static_cast<V>(x));
    };
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo IntProp(const char* name) { return OrdProp<Get, Set>(name, TPropKind::Integer); }
template <auto Get, auto Set>
constexpr TPropInfo IntProp(const char* name, int64_t def)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::Integer);
  p.HasDefault = true;
  p.Default = def;
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo BoolProp(const char* name, bool def)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::Boolean);
  p.HasDefault = true;
  p.Default = def;
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo EnumProp(const char* name, const TEnumInfo& info, int64_t def)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::Enumeration, &info);
  p.HasDefault = true;
  p.Default = def;
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo SetProp(const char* name, const TEnumInfo& info, uint64_t def)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::Set, &info);
  p.HasDefault = true;
  p.Default = static_cast<int64_t>(def);
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo ColorProp(const char* name, int64_t def)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::Color);
  if (p.MaxValue == INT32_MAX) p.MaxValue = UINT32_MAX;  // $FF000005: a system colour in hexadecimal
  p.HasDefault = true;
  p.Default = def;
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo ShortCutProp(const char* name)
{
  TPropInfo p = OrdProp<Get, Set>(name, TPropKind::ShortCut);
  p.HasDefault = true;
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo StrProp(const char* name)
{
  using namespace typinfo_detail;
  using C = ClassOf<Get>;
  TPropInfo p{name, TPropKind::String};
  p.GetStr = [](const TObject* o) -> std::string { return std::string((Self<Get>(o)->*Get)()); };
  p.SetStr = [](TObject* o, const std::string& s) { (static_cast<C*>(o)->*Set)(s); };
  return p;
}

template <auto Get, auto Set>
constexpr TPropInfo FloatProp(const char* name)
{
  using namespace typinfo_detail;
  using C = ClassOf<Get>;
  TPropInfo p{name, TPropKind::Float};
  if constexpr (std::is_floating_point_v<ValueOf<Get>>)
    p.MaxMagnitude = static_cast<double>(std::numeric_limits<ValueOf<Get>>::max());
  p.GetFloat = [](const TObject* o) -> double { return static_cast<double>((Self<Get>(o)->*Get)()); };
  p.SetFloat = [](TObject* o, double x) { (static_cast<C*>(o)->*Set)(static_cast<ValueOf<Get>>(x)); };
  return p;
}

// Object-valued properties: Get returns a pointer to the object; Set (or nullptr) takes one.
template <auto Get, auto Set>
constexpr TPropInfo ObjProp(const char* name, TPropKind kind)
{
  using namespace typinfo_detail;
  using C = ClassOf<Get>;
  using P = std::remove_pointer_t<ValueOf<Get>>;
  TPropInfo p{name, kind};
  p.RefClass = &P::ClassInfo;
  p.GetObj = [](const TObject* o) -> TObject* { return (Self<Get>(o)->*Get)(); };
  if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>)
    p.SetObj = [](TObject* o, TObject* v) { (static_cast<C*>(o)->*Set)(static_cast<P*>(v)); };
  return p;
}
template <auto Get, auto Set>
constexpr TPropInfo ComponentProp(const char* name) { return ObjProp<Get, Set>(name, TPropKind::Component); }
template <auto Get>
constexpr TPropInfo PersistentProp(const char* name) { return ObjProp<Get, nullptr>(name, TPropKind::Persistent); }
template <auto Get>
constexpr TPropInfo StringsProp(const char* name) { return ObjProp<Get, nullptr>(name, TPropKind::Strings); }
template <auto Get>
constexpr TPropInfo CollectionProp(const char* name) { return ObjProp<Get, nullptr>(name, TPropKind::Collection); }

// Event properties: Get returns the TEvent, Set takes one.
template <auto Get, auto Set>
constexpr TPropInfo EventProp(const char* name)
{
  using namespace typinfo_detail;
  using C = ClassOf<Get>;
  using E = ValueOf<Get>;
  TPropInfo p{name, TPropKind::Method};
  p.EventType = &typeid(typename E::Signature);
  p.GetMethod = [](const TObject* o) -> TMethod { return (Self<Get>(o)->*Get)().Method(); };
  p.SetMethod = [](TObject* o, const TMethod& m) { (static_cast<C*>(o)->*Set)(E(m)); };
  return p;
}

template <auto Pred>
constexpr TPropInfo Stored(TPropInfo p)
{
  p.Stored = [](const TObject* o) -> bool { return (typinfo_detail::Self<Pred>(o)->*Pred)(); };
  return p;
}

// A published method of class C with the signature of event type E.
template <class E, auto M>
constexpr TMethodInfo PublishedMethod(const char* name)
{
  using C = typename typinfo_detail::MemberClass<decltype(M)>::Class;
  return TMethodInfo{name, [](TObject* instance) -> TMethod { return E(static_cast<C*>(instance), M).Method(); }};
}

// A published field Member of class C, a pointer to a component class: CL_FIELD(TMyForm, Button1).
template <auto Member>
constexpr TFieldInfo PublishedField(const char* name)
{
  using namespace typinfo_detail;
  using C = typename FieldOwner<decltype(Member)>::Class;
  using P = typename FieldOwner<decltype(Member)>::Pointee;
  return TFieldInfo{name, &P::ClassInfo,
                    [](const TObject* instance) -> TObject* { return static_cast<const C*>(instance)->*Member; },
                    [](TObject* instance, TObject* component) {
                      static_cast<C*>(instance)->*Member = static_cast<P*>(component);
                    }};
}
#define CL_FIELD(C, Name) PublishedField<&C::Name>(#Name)

// Generic access by property name; each raises EPropertyError naming the property when it is
// unknown or of another kind.
CL_EXCEPTION(EPropertyError, Exception);
const TPropInfo& GetPropInfo(const TObject* obj, std::string_view name);
int64_t GetOrdProp(const TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, int64_t value);
std::string GetStrProp(const TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const std::string& value);
double GetFloatProp(const TObject* obj, std::string_view name);
void SetFloatProp(TObject* obj, std::string_view name, double value);
TObject* GetObjectProp(const TObject* obj, std::string_view name);
void SetObjectProp(TObject* obj, std::string_view name, TObject* value);
TMethod GetMethodProp(const TObject* obj, std::string_view name);
void SetMethodProp(TObject* obj, std::string_view name, const TMethod& value);
// Enumerations by value name, sets as "[a,b]".
std::string GetEnumProp(const TObject* obj, std::string_view name);
void SetEnumProp(TObject* obj, std::string_view name, std::string_view value);
std::string GetSetProp(const TObject* obj, std::string_view name);
void SetSetProp(TObject* obj, std::string_view name, std::string_view value);
std::string SetToString(const TEnumInfo& info, uint64_t bits);
uint64_t StringToSet(const TEnumInfo& info, std::string_view text);
// All published properties of a class, base classes first, each in declaration order. A property
// a class declares again (with another default, say) replaces the inherited entry in its place.
std::vector<const TPropInfo*> GetPropList(TClass c);
