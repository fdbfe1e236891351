#include "toolkit/base/dxGDIPlusClassesChecks.h"

#include <cstring>
#include <string>
#include "classlib/BitmapFile.h"
#include "classlib/ByteOrder.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Streams.h"

namespace {
// More chunks than the image data besides (text, palettes, unknown chunks) than any writer puts in
// a picture: each costs GDI+ work of its own.
constexpr int MaxPngChunks = 1000;
constexpr int MaxTiffDirectories = 256;

[[noreturn]] void Invalid(const char* format, const std::string& reason)
{
  throw EInvalidGraphic(std::string(format) + " image is not valid (" + reason + ")");
}

uint32_t LoadBE32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }
uint16_t LoadBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

bool StartsWith(std::span<const uint8_t> data, const char* signature, size_t length)
{
  return data.size() >= length && std::memcmp(data.data(), signature, length) == 0;
}

void CheckPng(std::span<const uint8_t> data)
{
  size_t at = 8;
  int chunks = 0;
  bool header = false;
  for (;;) {
    if (data.size() - at < 12) Invalid("PNG", "the data ends before its end chunk");
    const uint32_t length = LoadBE32(data.data() + at);
    const uint8_t* type = data.data() + at + 4;
    if (length > data.size() - at - 12) Invalid("PNG", "a chunk reaches past the end of the data");
    const bool imageData = std::memcmp(type, "IDAT", 4) == 0;
    if (!header) {
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) Invalid("PNG", "the header chunk is missing");
      const uint32_t width = LoadBE32(type + 4), height = LoadBE32(type + 8);
      if (width == 0 || height == 0) Invalid("PNG", "the picture has no size");
      CheckPictureSize("PNG", width, height);
      header = true;
    } else if (!imageData && ++chunks > MaxPngChunks) {
      Invalid("PNG", "more than " + std::to_string(MaxPngChunks) + " chunks");
    }
    at += 12 + length;
    if (std::memcmp(type, "IEND", 4) == 0) return;
  }
}

void CheckJpeg(std::span<const uint8_t> data)
{
  size_t at = 2;
  for (;;) {
    while (at < data.size() && data[at] == 0xFF && at + 1 < data.size() && data[at + 1] == 0xFF) ++at;  // fill
    if (data.size() - at < 4 || data[at] != 0xFF) Invalid("JPEG", "no frame header before the data ends");
    const uint8_t marker = data[at + 1];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a segment
      at += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) Invalid("JPEG", "no frame header before the image data");
    const size_t length = LoadBE16(data.data() + at + 2);
    if (length < 2 || length > data.size() - at - 2) Invalid("JPEG", "a segment reaches past the end of the data");
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) Invalid("JPEG", "the frame header is truncated");
      const uint16_t height = LoadBE16(data.data() + at + 5), width = LoadBE16(data.data() + at + 7);
      if (width == 0 || height == 0) Invalid("JPEG", "the picture has no size");
      CheckPictureSize("JPEG", width, height);
      return;
    }
    at += 2 + length;
  }
}

void CheckGif(std::span<const uint8_t> data)
{
  if (data.size() < 13) Invalid("GIF", "the header is truncated");
  CheckPictureSize("GIF", LoadU16(data.data() + 6), LoadU16(data.data() + 8));
  // Every frame is held to the cap as well, and needs a colour table (the decoder takes one). Data that ends early is left to the decoder, which
  // shows what there is of it: the walk just stops there.
  auto skipTable = [&](size_t& at, uint8_t flags) {
    if (flags & 0x80) at += size_t{3} << ((flags & 7) + 1);
  };
  auto skipSubBlocks = [&](size_t& at) {
    while (at < data.size()) {
      const uint8_t n = data[at++];
      if (n == 0) return true;
      at += n;
    }
    return false;
  };
  // Frames are drawn through a colour table: the file's own, or each frame's.
  const bool globalTable = data[10] & 0x80;
  size_t at = 13;
  skipTable(at, data[10]);
  while (at < data.size()) {
    const uint8_t block = data[at++];
    if (block == 0x21) {
      ++at;  // the extension's label
      if (!skipSubBlocks(at)) return;
    } else if (block == 0x2C) {
      if (data.size() - at < 9) return;
      const uint32_t left = LoadU16(data.data() + at), top = LoadU16(data.data() + at + 2);
      const uint32_t w = LoadU16(data.data() + at + 4), h = LoadU16(data.data() + at + 6);
      CheckPictureSize("GIF", left + w, top + h);
      const uint8_t flags = data[at + 8];
      if (!globalTable && !(flags & 0x80)) Invalid("GIF", "a frame has no colour table");
      at += 9;
      skipTable(at, flags);
      ++at;  // the LZW code size
      if (!skipSubBlocks(at)) return;
    } else {
      return;  // the trailer, or what the decoder will refuse
    }
  }
}

// Bytes of one value of a TIFF field type (0: a type the decoder passes over).
uint64_t TiffTypeSize(uint16_t type)
{
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: case 13: return 4;
    case 5: case 10: case 12: case 16: case 17: case 18: return 8;
    default: return 0;
  }
}

// The decoder reads a TIFF file by seeking to the offsets it holds, and the platform's memory
// stream does not survive a read from past its end: every offset (of a directory, of a value too
// large for its entry, of an image strip or tile with its length) must lie within the data.
void CheckTiff(std::span<const uint8_t> data)
{
  if (data.size() < 8) Invalid("TIFF", "the header is truncated");
  const bool little = data[0] == 'I';
  auto u16 = [&](uint64_t at) { return little ? LoadU16(data.data() + at) : LoadBE16(data.data() + at); };
  auto u32 = [&](uint64_t at) { return little ? LoadU32(data.data() + at) : LoadBE32(data.data() + at); };
  auto within = [&](uint64_t at, uint64_t length) { return at <= data.size() && length <= data.size() - at; };
  uint32_t directory = u32(4);
  for (int pages = 0; directory != 0; ++pages) {
    if (pages == MaxTiffDirectories) Invalid("TIFF", "more than " + std::to_string(MaxTiffDirectories) + " pages");
    if (!within(directory, 2)) Invalid("TIFF", "a directory lies past the end of the data");
    const uint64_t entries = u16(directory);
    const uint64_t end = directory + 2 + entries * 12;
    if (!within(directory, end - directory + 4)) Invalid("TIFF", "a directory reaches past the end of the data");
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> offsets, lengths;
    for (uint64_t i = 0; i < entries; ++i) {
      const uint64_t e = directory + 2 + i * 12;
      const uint16_t tag = u16(e), type = u16(e + 2);
      const uint64_t count = u32(e + 4), size = TiffTypeSize(type) * count;
      const uint64_t at = size <= 4 ? e + 8 : u32(e + 8);
      if (size > 4 && !within(at, size)) Invalid("TIFF", "a field lies past the end of the data");
      auto value = [&](uint64_t k) -> uint32_t { return type == 3 ? u16(at + 2 * k) : type == 4 ? u32(at + 4 * k) : 0; };
      if (tag == 256) width = value(0);
      if (tag == 257) height = value(0);
      if (tag == 273 || tag == 279 || tag == 324 || tag == 325) {
        if (type != 3 && type != 4) Invalid("TIFF", "image data offsets of an unknown type");
        std::vector<uint32_t>& list = (tag == 273 || tag == 324) ? offsets : lengths;
        list.clear();
        for (uint64_t k = 0; k < count; ++k) list.push_back(value(k));
      }
    }
    if (width == 0 || height == 0) Invalid("TIFF", "a page has no size");
    CheckPictureSize("TIFF", width, height);
    if (offsets.empty() || offsets.size() != lengths.size()) Invalid("TIFF", "a page's image data is not described");
    for (size_t k = 0; k < offsets.size(); ++k)
      if (!within(offsets[k], lengths[k])) Invalid("TIFF", "image data lies past the end of the data");
    const uint32_t next = u32(end);
    if (next != 0 && next <= directory) Invalid("TIFF", "the pages loop");
    directory = next;
  }
}
}  // namespace

TdxImageDataFormat CheckGdipPictureData(std::span<const uint8_t> data)
{
  if (StartsWith(data, "BM", 2)) return TdxImageDataFormat::dxImageBitmap;
  if (StartsWith(data, "\x89PNG\r\n\x1A\n", 8)) {
    CheckPng(data);
    return TdxImageDataFormat::dxImagePng;
  }
  if (StartsWith(data, "\xFF\xD8", 2)) {
    CheckJpeg(data);
    return TdxImageDataFormat::dxImageJpeg;
  }
  if (StartsWith(data, "GIF87a", 6) || StartsWith(data, "GIF89a", 6)) {
    CheckGif(data);
    return TdxImageDataFormat::dxImageGif;
  }
  if (StartsWith(data, "II*\0", 4) || StartsWith(data, "MM\0*", 4)) {
    CheckTiff(data);
    return TdxImageDataFormat::dxImageTiff;
  }
  throw EInvalidGraphic("The picture's format is not known (BMP, PNG, JPEG, GIF and TIFF pictures are read)");
}

std::vector<uint8_t> PlainBitmapFile(std::span<const uint8_t> data)
{
  auto in = MakeOwned<TMemoryStream>();
  in->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  in->SetPosition(0);
  const TDibData dib = ReadBitmapFile(*in);
  auto out = MakeOwned<TMemoryStream>();
  WriteBitmapFile(*out, dib);
  const auto* p = static_cast<const uint8_t*>(out->Memory());
  return std::vector<uint8_t>(p, p + out->Size());
}
