#pragma once
// Replaces a test seam (a replaceable function, a handler, any global setting) for a scope and puts
// the old value back on every exit, a failed assertion included.
//
//   TScopedSeam version(dxGetWindowsVersionInfo, FakeVersion);
//   TScopedSetter box(SetMessageBoxFunc, RecordBox);  // a setter that answers the old value
#include <functional>
#include <type_traits>
#include <utility>

template <class T>
class TScopedSeam {
public:
  // A variable.
  template <class U>
  TScopedSeam(T& seam, U&& value) : FRestore([&seam, old = seam] { seam = old; })
  {
    seam = std::forward<U>(value);
  }
  TScopedSeam(const TScopedSeam&) = delete;
  TScopedSeam& operator=(const TScopedSeam&) = delete;
  ~TScopedSeam() { FRestore(); }

private:
  std::function<void()> FRestore;
};

// A setter function that answers the value it replaced.
template <class T>
class TScopedSetter {
public:
  TScopedSetter(T (*setter)(T), T value) : FSetter(setter), FOld(setter(value)) {}
  TScopedSetter(const TScopedSetter&) = delete;
  TScopedSetter& operator=(const TScopedSetter&) = delete;
  ~TScopedSetter() { FSetter(FOld); }

private:
  T (*FSetter)(T);
  T FOld;
};
