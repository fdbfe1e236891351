#include "CursorWriter.h"

#include "ByteWriter.h"

namespace generators {

namespace {

// The pixel characters in palette-index order, and what each sets in the two masks: the colour
// (XOR) mask selects white or inverts, the AND mask keeps the screen.
constexpr std::string_view Pixels = ".Xo~";
constexpr bool XorBit[] = {false, false, true, true};
constexpr bool AndBit[] = {true, false, false, true};

constexpr int MaxSide = 255;  // the file's directory entry holds the size in one byte each

// One 1-bit mask, rows bottom row first, each padded to whole 32-bit words with <padding>.
void PutMask(TByteWriter& out, const std::vector<std::vector<std::uint8_t>>& rows, std::uint32_t stride,
             const bool (&bits)[4], bool padding)
{
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (std::uint32_t byte = 0; byte < stride; ++byte) {
      std::uint32_t value = 0;
      for (std::uint32_t bit = 0; bit < 8; ++bit) {
        std::size_t x = byte * 8 + bit;
        value = value << 1 | (x < row->size() ? bits[(*row)[x]] : padding);
      }
      out.Put(value, 1);
    }
  }
}

constexpr TKeyword Keywords[] = {{.Usage = "hotspot <x> <y>", .Required = true},
                                 {.Usage = "pixels", .OpensBlock = true, .Required = true}};

std::vector<std::uint8_t> Write(const TTextSource& source)
{
  const int width = source.Width(), height = source.Height();
  if (width > MaxSide || height > MaxSide)
    source.Fail(source.SizeStatement().Line, "a cursor is at most 255 x 255 pixels");
  const TStatement& hotspot = *source.Find("hotspot");
  const int hotX = source.Number(hotspot, 0, 0, width - 1);
  const int hotY = source.Number(hotspot, 1, 0, height - 1);
  const auto& rows = source.Blocks().front().Rows;

  // The image: a bitmap header over both masks (hence twice the height), black and white, the
  // XOR mask, then the AND mask.
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) + 31) / 32 * 4;
  TByteWriter image;
  image.Put(40, 4);
  image.Put(width, 4);
  image.Put(height * 2, 4);
  image.Put(1, 2);  // planes
  image.Put(1, 2);  // bits per pixel
  image.Put(0, 4);  // BI_RGB
  image.Put(stride * height * 2, 4);
  for (int unused = 0; unused < 4; ++unused) image.Put(0, 4);  // pixels per metre, colours used, important
  image.Put(0x000000, 4);
  image.Put(0xFFFFFF, 4);
  PutMask(image, rows, stride, XorBit, false);
  PutMask(image, rows, stride, AndBit, true);

  // The file: reserved, type 2 (cursor), one image; its entry (width, height, two colours,
  // reserved, hot spot, size, offset of the image), then the image.
  constexpr std::uint32_t ImageOffset = 6 + 16;
  TByteWriter file;
  file.Put(0, 2);
  file.Put(2, 2);
  file.Put(1, 2);
  file.Put(width, 1);
  file.Put(height, 1);
  file.Put(2, 1);
  file.Put(0, 1);
  file.Put(hotX, 2);
  file.Put(hotY, 2);
  file.Put(static_cast<std::uint32_t>(image.Size()), 4);
  file.Put(ImageOffset, 4);
  file.Append(image.Take());
  return file.Take();
}

}  // namespace

const TResourceWriter CursorWriter{"cursor", "CURSOR", ".cur", {Keywords, Pixels}, Write};

}  // namespace generators
