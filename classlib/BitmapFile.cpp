#include "classlib/BitmapFile.h"

#include <algorithm>
#include <cstring>
#include "classlib/ByteOrder.h"
#include "classlib/Streams.h"

namespace {
constexpr int MaxDimension = 1 << 20;
// Run-length data expands to at most this many pixels per byte it packs (a whole blank row of a
// picture 8,192 wide is one two-byte escape), or to a small picture whatever its size: a few
// bytes of escapes cannot stand for a picture of hundreds of megabytes.
constexpr uint64_t MaxRlePixelsPerByte = 4096;
constexpr uint64_t MinRleBound = uint64_t{1} << 20;


// Reads exactly count bytes, or the data is truncated.
void ReadExact(TStream& stream, void* buffer, uint64_t count)
{
  auto* p = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    int32_t chunk = static_cast<int32_t>(std::min<uint64_t>(count, 1 << 30));
    int32_t got = stream.Read(p, chunk);
    if (got <= 0) InvalidBitmap();
    p += got;
    count -= static_cast<uint64_t>(got);
  }
}

bool StandardMasks(int bitCount, const DWORD (&m)[3])
{
  if (bitCount == 16) return m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F;
  if (bitCount == 32) return m[0] == 0xFF0000 && m[1] == 0x00FF00 && m[2] == 0x0000FF;
  return false;
}

// Expands RLE8/RLE4 data into bottom-up rows. Runs beyond a row's end are cut; data that ends
// early leaves the remaining pixels 0.
void ExpandRle(const std::vector<uint8_t>& in, TDibData& dib, bool rle4)
{
  const int stride = DibStride(dib.Width, dib.BitCount);
  auto put = [&](int x, int y, uint8_t v) {
    if (x < 0 || x >= dib.Width || y < 0 || y >= dib.Height) return;
    uint8_t* row = dib.Bits.data() + static_cast<size_t>(y) * stride;
    if (rle4) {
      uint8_t& b = row[x / 2];
      b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | (v << 4));
    } else {
      row[x] = v;
    }
  };
  size_t pos = 0;
  int x = 0, y = 0;
  while (pos + 1 < in.size() && y < dib.Height) {
    uint8_t n = in[pos], c = in[pos + 1];
    pos += 2;
    if (n > 0) {  // a run of n pixels
      for (int i = 0; i < n; ++i, ++x) put(x, y, rle4 ? ((i & 1) ? (c & 0x0F) : (c >> 4)) : c);
      continue;
    }
    if (c == 0) {  // end of line
      x = 0;
      ++y;
    } else if (c == 1) {  // end of bitmap
      break;
    } else if (c == 2) {  // delta
      if (pos + 1 >= in.size()) break;
      x += in[pos];
      y += in[pos + 1];
      pos += 2;
    } else {  // c literal pixels, padded to a 16-bit boundary
      size_t bytes = rle4 ? (c + 1u) / 2 : c;
      if (pos + bytes > in.size()) break;
      for (int i = 0; i < c; ++i, ++x) {
        uint8_t b = in[pos + (rle4 ? i / 2 : i)];
        put(x, y, rle4 ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      pos += (bytes + 1) & ~size_t(1);
    }
  }
}
}  // namespace

void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

int DibStride(int width, int bitCount)
{
  return static_cast<int>(((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4);
}

namespace {
TDibData ReadBitmapFileData(TStream& stream)
{
  const int64_t start = stream.Position();
  const int64_t total = stream.Size() - start;
  if (total < 14 + 12) InvalidBitmap();
  auto available = [&](uint64_t consumed) { return static_cast<uint64_t>(total) - consumed; };

  uint8_t fh[14];
  ReadExact(stream, fh, sizeof(fh));
  if (fh[0] != 'B' || fh[1] != 'M') InvalidBitmap();
  const uint32_t offBits = LoadU32(fh + 10);

  uint8_t h[124] = {};
  ReadExact(stream, h, 4);
  const uint32_t headerSize = LoadU32(h);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    InvalidBitmap();
  if (headerSize > available(14)) InvalidBitmap();
  ReadExact(stream, h + 4, headerSize - 4);
  uint64_t consumed = 14 + headerSize;

  TDibData dib;
  int64_t height;
  uint32_t compression = BI_RGB, clrUsed = 0, sizeImage = 0;
  int planes;
  const bool core = headerSize == 12;
  if (core) {
    dib.Width = LoadU16(h + 4);
    height = LoadU16(h + 6);
    planes = LoadU16(h + 8);
    dib.BitCount = LoadU16(h + 10);
  } else {
    dib.Width = static_cast<int32_t>(LoadU32(h + 4));
    height = static_cast<int32_t>(LoadU32(h + 8));
    planes = LoadU16(h + 12);
    dib.BitCount = LoadU16(h + 14);
    compression = LoadU32(h + 16);
    sizeImage = LoadU32(h + 20);
    clrUsed = LoadU32(h + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (planes != 1 || dib.Width <= 0 || height <= 0 || dib.Width > MaxDimension || height > MaxDimension)
    InvalidBitmap();
  dib.Height = static_cast<int>(height);
  CheckPictureSize("Bitmap", static_cast<uint64_t>(dib.Width), static_cast<uint64_t>(dib.Height));
  switch (dib.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: InvalidBitmap();
  }
  const bool rle8 = compression == BI_RLE8, rle4 = compression == BI_RLE4;
  if (compression == BI_BITFIELDS) {
    if (dib.BitCount != 16 && dib.BitCount != 32) InvalidBitmap();
  } else if (rle8 || rle4) {
    if (dib.BitCount != (rle8 ? 8 : 4) || topDown) InvalidBitmap();
  } else if (compression != BI_RGB) {
    InvalidBitmap();
  }

  // Colour masks: after an info header, or inside the larger headers.
  if (compression == BI_BITFIELDS) {
    uint8_t m[12];
    if (headerSize >= 52) {
      std::memcpy(m, h + 40, sizeof(m));
    } else {
      if (available(consumed) < sizeof(m)) InvalidBitmap();
      ReadExact(stream, m, sizeof(m));
      consumed += sizeof(m);
    }
    for (int i = 0; i < 3; ++i) dib.Masks[i] = LoadU32(m + 4 * i);
    const uint64_t limit = dib.BitCount == 16 ? 0x10000 : uint64_t(1) << 32;
    for (DWORD mask : dib.Masks)
      if (mask == 0 || mask >= limit) InvalidBitmap();
    if ((dib.Masks[0] & dib.Masks[1]) || (dib.Masks[0] & dib.Masks[2]) || (dib.Masks[1] & dib.Masks[2]))
      InvalidBitmap();
    dib.Compression = StandardMasks(dib.BitCount, dib.Masks) ? BI_RGB : BI_BITFIELDS;
    if (dib.Compression == BI_RGB) std::fill(std::begin(dib.Masks), std::end(dib.Masks), 0);
  }

  // Colour table: required up to 8 bits, an optional hint beyond.
  const uint32_t entrySize = core ? 3 : 4;
  uint64_t entries;
  if (dib.BitCount <= 8) {
    const uint32_t full = 1u << dib.BitCount;
    entries = clrUsed ? clrUsed : full;
    if (entries > full) InvalidBitmap();
  } else {
    entries = clrUsed;
  }
  if (entries * entrySize > available(consumed)) InvalidBitmap();
  std::vector<uint8_t> table(static_cast<size_t>(entries * entrySize));
  ReadExact(stream, table.data(), table.size());
  consumed += table.size();
  if (dib.BitCount <= 8) {
    dib.Colors.assign(size_t(1) << dib.BitCount, RGBQUAD{0, 0, 0, 0});
    for (size_t i = 0; i < entries; ++i)
      dib.Colors[i] = RGBQUAD{table[i * entrySize], table[i * entrySize + 1], table[i * entrySize + 2], 0};
  }

  // Pixel data: where the file header says, or right after the table.
  if (offBits != 0) {
    if (offBits < consumed || offBits > static_cast<uint64_t>(total)) InvalidBitmap();
    uint64_t gap = offBits - consumed;
    std::vector<uint8_t> skip(static_cast<size_t>(std::min<uint64_t>(gap, 4096)));
    while (gap > 0) {
      uint64_t n = std::min<uint64_t>(gap, skip.size());
      ReadExact(stream, skip.data(), n);
      gap -= n;
    }
    consumed = offBits;
  }
  const int stride = DibStride(dib.Width, dib.BitCount);
  const uint64_t imageSize = static_cast<uint64_t>(stride) * static_cast<uint64_t>(dib.Height);
  if (rle8 || rle4) {
    const uint64_t pixels = static_cast<uint64_t>(dib.Width) * static_cast<uint64_t>(dib.Height);
    if (sizeImage == 0 || sizeImage > available(consumed)) InvalidBitmap();
    if (pixels > std::max(MinRleBound, uint64_t{sizeImage} * MaxRlePixelsPerByte))
      throw EInvalidGraphic("Bitmap image is not valid (" + std::to_string(sizeImage) + " bytes of run-length data for " +
                            std::to_string(dib.Width) + " x " + std::to_string(dib.Height) + " pixels)");
    std::vector<uint8_t> packed(sizeImage);
    ReadExact(stream, packed.data(), packed.size());
    dib.Bits.assign(static_cast<size_t>(imageSize), 0);
    ExpandRle(packed, dib, rle4);
  } else {
    if (imageSize > available(consumed)) InvalidBitmap();
    dib.Bits.resize(static_cast<size_t>(imageSize));
    ReadExact(stream, dib.Bits.data(), dib.Bits.size());
    if (topDown) {
      std::vector<uint8_t> row(stride);
      for (int top = 0, bottom = dib.Height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = dib.Bits.data() + static_cast<size_t>(top) * stride;
        uint8_t* b = dib.Bits.data() + static_cast<size_t>(bottom) * stride;
        std::memcpy(row.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, row.data(), stride);
      }
    }
  }
  return dib;
}
}  // namespace

TDibData ReadBitmapFile(TStream& stream)
{
  return GuardReaderMemory("bitmap data", [&] { return ReadBitmapFileData(stream); });
}

std::vector<uint8_t> DibInfo(const TDibData& dib)
{
  std::vector<uint8_t> info;
  const int stride = DibStride(dib.Width, dib.BitCount);
  AppendU32(info, sizeof(BITMAPINFOHEADER));
  AppendU32(info, static_cast<uint32_t>(dib.Width));
  AppendU32(info, static_cast<uint32_t>(dib.Height));
  AppendU16(info, 1);
  AppendU16(info, static_cast<uint16_t>(dib.BitCount));
  AppendU32(info, dib.Compression);
  AppendU32(info, static_cast<uint32_t>(static_cast<uint64_t>(stride) * dib.Height));
  AppendU32(info, 0);
  AppendU32(info, 0);
  AppendU32(info, static_cast<uint32_t>(dib.Colors.size()));
  AppendU32(info, 0);
  if (dib.Compression == BI_BITFIELDS)
    for (DWORD m : dib.Masks) AppendU32(info, m);
  for (const RGBQUAD& c : dib.Colors) {
    info.push_back(c.rgbBlue);
    info.push_back(c.rgbGreen);
    info.push_back(c.rgbRed);
    info.push_back(0);
  }
  return info;
}

void WriteBitmapFile(TStream& stream, const TDibData& dib)
{
  std::vector<uint8_t> info = DibInfo(dib);
  const uint64_t offBits = 14 + info.size();
  const uint64_t fileSize = offBits + dib.Bits.size();
  std::vector<uint8_t> header;
  header.push_back('B');
  header.push_back('M');
  AppendU32(header, static_cast<uint32_t>(std::min<uint64_t>(fileSize, UINT32_MAX)));
  AppendU32(header, 0);
  AppendU32(header, static_cast<uint32_t>(offBits));
  stream.WriteBuffer(header.data(), static_cast<int64_t>(header.size()));
  stream.WriteBuffer(info.data(), static_cast<int64_t>(info.size()));
  stream.WriteBuffer(dib.Bits.data(), static_cast<int64_t>(dib.Bits.size()));
}
