#pragma once
// Automation: COM initialisation per thread, and late-bound calls by name on automation objects
// (the name is looked up on the object's dispatch interface, then invoked).
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include "classlib/Variant.h"

// Initialises COM (single-threaded apartment) on the calling thread for the object's lifetime and
// releases it again; raises EOleSysError when COM cannot be initialised on this thread.
class TComInitializer {
public:
  TComInitializer();
  ~TComInitializer();
  TComInitializer(const TComInitializer&) = delete;
  TComInitializer& operator=(const TComInitializer&) = delete;

private:
  bool FInitialized = false;
};

// Raises EOleSysError with the system's text for a failed HRESULT.
void OleCheck(HRESULT result);

// One argument of a late-bound call: a value, or a 32-bit integer passed by reference (the
// server's changes are copied back when the call returns).
class TOleArg {
public:
  template <class T>
    requires std::constructible_from<Variant, const T&>
  TOleArg(const T& value) : FValue(value) {}
  static TOleArg ByRef(int32_t& ref)
  {
    TOleArg a(0);
    a.FRef = &ref;
    return a;
  }
  const Variant& Value() const { return FValue; }
  int32_t* Ref() const { return FRef; }

private:
  Variant FValue;
  int32_t* FRef = nullptr;
};

// A reference to an automation object (one counted reference to its IDispatch).
class TOleObject {
public:
  TOleObject() = default;
  explicit TOleObject(IDispatch* dispatch);  // takes a reference of its own
  // From a variant holding an automation object; raises EOleError for anything else.
  explicit TOleObject(const Variant& value);
  TOleObject(const TOleObject& other) : TOleObject(other.FDispatch) {}
  TOleObject(TOleObject&& other) noexcept : FDispatch(std::exchange(other.FDispatch, nullptr)) {}
  TOleObject& operator=(TOleObject other) noexcept
  {
    std::swap(FDispatch, other.FDispatch);
    return *this;
  }
  ~TOleObject();

  IDispatch* Dispatch() const { return FDispatch; }
  explicit operator bool() const { return FDispatch != nullptr; }

  // Property get (with arguments, if any); a call whose result is wanted.
  Variant Get(std::string_view name, std::initializer_list<TOleArg> args = {}) const;
  // Property get whose value is an automation object.
  TOleObject GetObject(std::string_view name, std::initializer_list<TOleArg> args = {}) const
  {
    return TOleObject(Get(name, args));
  }
  void Put(std::string_view name, const Variant& value) const;
  // Method call; the result is Empty for a method that returns nothing.
  Variant Call(std::string_view name, std::initializer_list<TOleArg> args = {}) const;

private:
  Variant Invoke(std::string_view name, WORD flags, std::initializer_list<TOleArg> args) const;
  IDispatch* FDispatch = nullptr;
};

// Creates the automation object registered under a program identifier ("Word.Application").
// Raises EOleSysError ("Invalid class string" and the like) when it is not registered or fails.
TOleObject CreateOleObject(std::string_view progId);
