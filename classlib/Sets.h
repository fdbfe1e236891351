#pragma once
// TSet<E>: a set of values of an enumeration, like the sets that stored forms carry ("[a, b]").
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) { for (E v : values) FBits |= Bit(v); }
  static constexpr TSet FromInt(uint64_t bits) { TSet s; s.FBits = bits; return s; }
  constexpr uint64_t ToInt() const { return FBits; }

  constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E v) { FBits |= Bit(v); return *this; }
  constexpr TSet& Exclude(E v) { FBits &= ~Bit(v); return *this; }
  // Includes v when condition holds, else excludes it.
  constexpr TSet& IncludeIf(E v, bool condition) { return condition ? Include(v) : Exclude(v); }

  constexpr TSet operator+(TSet o) const { return FromInt(FBits | o.FBits); }
  constexpr TSet operator-(TSet o) const { return FromInt(FBits & ~o.FBits); }
  constexpr TSet operator*(TSet o) const { return FromInt(FBits & o.FBits); }
  constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
  constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
  constexpr bool operator==(const TSet&) const = default;
  // True when every member of o is a member of this set.
  constexpr bool ContainsAll(TSet o) const { return (FBits & o.FBits) == o.FBits; }

private:
  static constexpr uint64_t Bit(E v) { return uint64_t(1) << static_cast<unsigned>(v); }
  uint64_t FBits = 0;
};
