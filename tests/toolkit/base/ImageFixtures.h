#pragma once
// Pictures made by the tests themselves, and 32-bit surfaces whose pixels they read.
//
// MakePng writes a true-colour PNG with alpha from known pixels (deflate "stored" blocks, so no
// compressor is involved): what GDI+ decodes can be compared with what was written.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Streams.h"

namespace fixtures {

inline uint32_t Crc32(const std::string& data, size_t from, size_t count)
{
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = from; i < from + count; ++i) {
    crc ^= static_cast<unsigned char>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void PutBE32(std::string& out, uint32_t v)
{
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

inline void PutChunk(std::string& out, const char* type, const std::string& body)
{
  PutBE32(out, static_cast<uint32_t>(body.size()));
  const size_t start = out.size();
  out.append(type, 4);
  out += body;
  PutBE32(out, Crc32(out, start, body.size() + 4));
}

// Pixels as 0xAARRGGBB (straight alpha), rows top-down.
inline std::string MakePng(int width, int height, const std::vector<uint32_t>& argb)
{
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // filter: none
    for (int x = 0; x < width; ++x) {
      uint32_t p = argb[static_cast<size_t>(y) * width + x];
      raw.push_back(static_cast<char>((p >> 16) & 0xFF));
      raw.push_back(static_cast<char>((p >> 8) & 0xFF));
      raw.push_back(static_cast<char>(p & 0xFF));
      raw.push_back(static_cast<char>((p >> 24) & 0xFF));
    }
  }
  std::string z = {'\x78', '\x01'};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(raw.size() - at, 65535);
    const bool last = at + n >= raw.size();
    z.push_back(last ? '\x01' : '\x00');
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw, at, n);
    at += n;
    if (last) break;
  }
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBE32(z, (b << 16) | a);

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBE32(header, static_cast<uint32_t>(width));
  PutBE32(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", "");
  return png;
}

// The premultiplied 32-bit pixel (blue, green, red, alpha in memory) of a straight ARGB value.
inline uint32_t Premultiplied(uint32_t argb)
{
  const uint32_t a = argb >> 24;
  auto ch = [&](int shift) { return (((argb >> shift) & 0xFF) * a + 127) / 255; };
  return (a << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

inline bool Near(uint32_t a, uint32_t b, int tolerance)
{
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

inline ::testing::AssertionResult PixelNear(uint32_t actual, uint32_t expected, int tolerance)
{
  if (Near(actual, expected, tolerance)) return ::testing::AssertionSuccess();
  char text[80];
  std::snprintf(text, sizeof text, "pixel %08X, expected %08X within %d", actual, expected, tolerance);
  return ::testing::AssertionFailure() << text;
}

// A picture of gentle colour gradients, the kind JPEG keeps well.
inline TOwned<TBitmap> GradientBitmap(int w, int h)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<unsigned char*>(bitmap->ScanLine(y));
    for (int x = 0; x < w; ++x) {
      row[x * 3 + 0] = static_cast<unsigned char>(40 + x * 4);
      row[x * 3 + 1] = static_cast<unsigned char>(200 - y * 3);
      row[x * 3 + 2] = static_cast<unsigned char>(100 + (x + y));
    }
  }
  return bitmap;
}

// A stream holding bytes, at position 0.
inline TOwned<TMemoryStream> StreamOf(const std::string& bytes)
{
  auto stream = MakeOwned<TMemoryStream>();
  stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

inline std::string BytesOf(TMemoryStream& stream)
{
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

// A 32-bit bitmap to draw on; Pixel reads 0xAARRGGBB (the alpha byte as GDI left it).
class TSurface {
public:
  TSurface(int width, int height, uint32_t fill = 0x00FFFFFF)
  {
    FBitmap.SetPixelFormat(TPixelFormat::pf32bit);
    FBitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
      auto* row = static_cast<uint32_t*>(FBitmap.ScanLine(y));
      for (int x = 0; x < width; ++x) row[x] = fill;
    }
  }
  HDC DC() { return FBitmap.Canvas()->Handle(); }
  TBitmap& Bitmap() { return FBitmap; }
  uint32_t Pixel(int x, int y)
  {
    GdiFlush();
    return static_cast<uint32_t*>(FBitmap.ScanLine(y))[x];
  }
  // Colour only (alpha ignored).
  uint32_t Rgb(int x, int y) { return Pixel(x, y) & 0xFFFFFF; }

private:
  TOwned<TBitmap> FOwnedBitmap = MakeOwned<TBitmap>();
  TBitmap& FBitmap = *FOwnedBitmap;
};

}  // namespace fixtures
