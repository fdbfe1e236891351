#pragma once
// Events: typed closures of an object and one of its methods. They can be tested for being set,
// compared, and built from an untyped TMethod, which is how stored forms bind handlers by name.
#include <array>
#include <cstring>
#include <typeinfo>
#include "classlib/Exceptions.h"

class TObject;

// An untyped closure: the object, the member function and the trampoline that calls it with
// the signature the closure was made for.
struct TMethod {
  static constexpr size_t CodeSize = sizeof(void (TObject::*)());
  TObject* Data = nullptr;
  void (*Invoker)() = nullptr;
  const std::type_info* Signature = nullptr;
  std::array<unsigned char, CodeSize> Code{};

  explicit operator bool() const { return Invoker != nullptr; }
  friend bool operator==(const TMethod& a, const TMethod& b)
  {
    return a.Data == b.Data && a.Invoker == b.Invoker && a.Code == b.Code;
  }
};

template <class Sig> class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
public:
  using Signature = R(A...);

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class C, class B>
  TEvent(C* obj, R (B::*method)(A...))
  {
    static_assert(std::is_base_of_v<B, C>);
    static_assert(sizeof(method) == TMethod::CodeSize);
    FMethod.Data = obj;
    FMethod.Invoker = reinterpret_cast<void (*)()>(&Invoke<C, B>);
    FMethod.Signature = &typeid(Signature);
    std::memcpy(FMethod.Code.data(), &method, sizeof(method));
  }
  // From an untyped closure; raises EInvalidCast when its signature is another one.
  explicit TEvent(const TMethod& m)
  {
    if (m && m.Signature && *m.Signature != typeid(Signature))
      throw EInvalidCast("Invalid class typecast");
    FMethod = m;
  }

  explicit operator bool() const { return static_cast<bool>(FMethod); }
  const TMethod& Method() const { return FMethod; }
  TObject* Data() const { return FMethod.Data; }
  friend bool operator==(const TEvent& a, const TEvent& b) { return a.FMethod == b.FMethod; }

  R operator()(A... args) const
  {
    using Fn = R (*)(const TMethod&, A...);
    return reinterpret_cast<Fn>(FMethod.Invoker)(FMethod, std::forward<A>(args)...);
  }

  template <class C, class B>
  static R Invoke(const TMethod& m, A... args)
  {
    R (B::*method)(A...);
    std::memcpy(&method, m.Code.data(), sizeof(method));
    return (static_cast<C*>(m.Data)->*method)(std::forward<A>(args)...);
  }

private:
  TMethod FMethod;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;
