#include "toolkit/base/cxGraphicsBitmapStream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include "classlib/Bitmap.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Streams.h"
#include "toolkit/base/dxCore.h"

namespace {
// The plain data is a 32-bit length and a bitmap file, whose pixels are within the picture readers'
// cap: its headers, colour table or masks, and at most four bytes a pixel.
constexpr uint64_t MaxPlainLength = 14 + 124 + 256 * 4 + 12 + 4 * MaxPicturePixels;

[[noreturn]] void InvalidCompressedData(const char* reason)
{
  throw EInvalidGraphic(std::string("Compressed bitmap data is not valid: ") + reason);
}

bool SameBlock(const uint8_t* a, const uint8_t* b, int size) { return std::memcmp(a, b, static_cast<size_t>(size)) == 0; }

// Reads count bytes at the stream's position, or nothing and false when fewer remain.
bool ReadExactly(TStream& stream, void* buffer, int64_t count)
{
  if (count < 0 || stream.Size() - stream.Position() < count) return false;
  stream.ReadBuffer(buffer, count);
  return true;
}
}  // namespace

int BitmapStreamBlockSize(TBitmap* bitmap) { return std::max(GetBitmapBitsPerPixel(bitmap) / 8, 1); }

std::vector<uint8_t> PackBitmapStreamRuns(std::span<const uint8_t> data, int blockSize)
{
  std::vector<uint8_t> out;
  if (blockSize < 1) return out;
  const size_t b = static_cast<size_t>(blockSize);
  const size_t blocks = data.size() / b;
  const uint8_t* base = data.data();
  auto block = [&](size_t index) { return base + index * b; };

  size_t p = 0;  // block index of the next run
  while (p < blocks) {
    int n = 1;
    bool repeat = false;
    if (p + 1 < blocks) {
      repeat = SameBlock(block(p), block(p + 1), blockSize);
      size_t next = p + 1;
      size_t compare = p;  // the block a literal run compares the next one with
      while (n < cxBitmapStreamMaxRun && next < blocks) {
        if (repeat) {
          if (!SameBlock(block(next), block(p), blockSize)) break;
          ++n;
        } else {
          if (SameBlock(block(next), block(compare), blockSize)) {
            --n;  // the equal pair begins the next (repeat) run
            break;
          }
          ++n;
          compare = next;
        }
        ++next;
      }
    }
    if (repeat) {
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), block(p), block(p) + b);
    } else {
      out.push_back(static_cast<uint8_t>(n | 0x80));
      out.insert(out.end(), block(p), block(p) + static_cast<size_t>(n) * b);
    }
    p += static_cast<size_t>(n);
  }
  return out;
}

namespace {
// Unpacks runs onto output; after each run checkRun(output) may refuse what was unpacked so far.
template <class Check>
void UnpackRuns(std::span<const uint8_t> runs, int blockSize, std::vector<uint8_t>& output, Check checkRun)
{
  if (blockSize < 1) InvalidCompressedData("the block size is 0");
  const size_t b = static_cast<size_t>(blockSize);
  size_t p = 0;
  while (p < runs.size()) {
    const uint8_t k = runs[p++];
    const size_t n = k & 0x7F;
    const size_t take = (k & 0x80) ? n * b : b;
    if (runs.size() - p < take) InvalidCompressedData("a run reaches past the end of the data");
    const auto from = runs.begin() + static_cast<ptrdiff_t>(p);
    if (k & 0x80)
      output.insert(output.end(), from, from + static_cast<ptrdiff_t>(take));
    else
      for (size_t i = 0; i < n; ++i) output.insert(output.end(), from, from + static_cast<ptrdiff_t>(b));
    p += take;
    checkRun(output);
  }
}
}  // namespace

void UnpackBitmapStreamRuns(std::span<const uint8_t> runs, int blockSize, std::vector<uint8_t>& output)
{
  UnpackRuns(runs, blockSize, output, [](const std::vector<uint8_t>&) {});
}

void WriteCompressedBitmapData(TStream& stream, std::span<const uint8_t> plain, int blockSize)
{
  blockSize = std::clamp(blockSize, 1, 4);
  const int64_t start = stream.Position();
  stream.SetPosition(start + cxBitmapStreamHeaderSize);
  const size_t q = plain.size() % static_cast<size_t>(blockSize);
  const uint8_t head[2] = {static_cast<uint8_t>(blockSize), static_cast<uint8_t>(q)};
  stream.WriteBuffer(head, 2);
  if (q > 0) stream.WriteBuffer(plain.data(), static_cast<int64_t>(q));
  const std::vector<uint8_t> runs = PackBitmapStreamRuns(plain.subspan(q), blockSize);
  if (!runs.empty()) stream.WriteBuffer(runs.data(), static_cast<int64_t>(runs.size()));
  const int64_t end = stream.Position();
  const int64_t bodySize = end - start - cxBitmapStreamHeaderSize;
  if (bodySize > INT32_MAX) throw EInvalidGraphic("The bitmap is too large to be stored compressed");
  const int32_t size = static_cast<int32_t>(bodySize);
  const uint16_t version = cxBitmapStreamVersion;
  stream.SetPosition(start);
  stream.WriteBuffer(&size, 4);
  stream.WriteBuffer(cxBitmapStreamSignature, 4);
  stream.WriteBuffer(&version, 2);
  stream.SetPosition(end);
}

namespace {
std::optional<std::vector<uint8_t>> ReadCompressed(TStream& stream)
{
  const int64_t start = stream.Position();
  uint8_t header[cxBitmapStreamHeaderSize];
  if (stream.Size() - start < 8) return std::nullopt;
  stream.ReadBuffer(header, 8);
  if (std::memcmp(header + 4, cxBitmapStreamSignature, 4) != 0) {
    stream.SetPosition(start);
    return std::nullopt;
  }
  if (!ReadExactly(stream, header + 8, 2)) InvalidCompressedData("the header is truncated");
  int32_t size = 0;
  uint16_t version = 0;
  std::memcpy(&size, header, 4);
  std::memcpy(&version, header + 8, 2);
  if (version != 1 && version != 2)
    InvalidCompressedData(("version " + std::to_string(version) + " is not known").c_str());
  if (size < 0) InvalidCompressedData("the body size is negative");
  if (stream.Size() - stream.Position() < size) InvalidCompressedData("the body is truncated");
  std::vector<uint8_t> body(static_cast<size_t>(size));
  ReadExactly(stream, body.data(), size);

  std::vector<uint8_t> plain;
  std::span<const uint8_t> runs(body);
  int blockSize = 1;
  if (version == 2) {
    if (body.size() < 2) InvalidCompressedData("the body is truncated");
    blockSize = body[0];
    const size_t q = body[1];
    if (blockSize < 1 || blockSize > 4) InvalidCompressedData("the block size is not 1 to 4");
    if (q >= static_cast<size_t>(blockSize)) InvalidCompressedData("the remainder is not smaller than a block");
    if (body.size() - 2 < q) InvalidCompressedData("the body is truncated");
    plain.assign(body.begin() + 2, body.begin() + 2 + static_cast<ptrdiff_t>(q));
    runs = runs.subspan(2 + q);
  }
  // The plain data starts with its own length: unpacking stops as soon as it says more than that.
  UnpackRuns(runs, blockSize, plain, [](const std::vector<uint8_t>& data) {
    if (data.size() < 4) return;
    int32_t length = 0;
    std::memcpy(&length, data.data(), 4);
    if (length < 0 || static_cast<uint64_t>(length) > MaxPlainLength)
      InvalidCompressedData("the bitmap data is longer than a picture can be");
    if (data.size() - 4 > static_cast<size_t>(length))
      InvalidCompressedData("the runs reach past the end of the bitmap data");
  });
  return plain;
}
}  // namespace

std::optional<std::vector<uint8_t>> ReadCompressedBitmapData(TStream& stream)
{
  return GuardReaderMemory("compressed bitmap data", [&] { return ReadCompressed(stream); });
}
