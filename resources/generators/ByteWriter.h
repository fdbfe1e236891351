// Little-endian bytes, as the Windows file formats store their numbers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace generators {

class TByteWriter {
public:
  // Appends the value's <size> low bytes, least significant first.
  void Put(std::uint32_t value, int size)
  {
    for (int i = 0; i < size; ++i, value >>= 8) FBytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  }
  void Append(std::span<const std::uint8_t> bytes) { FBytes.insert(FBytes.end(), bytes.begin(), bytes.end()); }
  std::size_t Size() const { return FBytes.size(); }
  std::vector<std::uint8_t> Take() { return std::move(FBytes); }

private:
  std::vector<std::uint8_t> FBytes;
};

}  // namespace generators
