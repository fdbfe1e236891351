#include "IndexedBitmap.h"

#include "ByteWriter.h"

namespace generators {

std::vector<std::uint8_t> IndexedBitmapFile(int width, std::span<const TRgb> palette,
                                            std::span<const std::vector<std::uint8_t>> rows)
{
  constexpr std::uint32_t FileHeaderSize = 14, InfoHeaderSize = 40;
  const auto height = static_cast<std::uint32_t>(rows.size());
  const auto colours = static_cast<std::uint32_t>(palette.size());
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) + 3) / 4 * 4;
  const std::uint32_t imageSize = stride * height;
  const std::uint32_t bitsOffset = FileHeaderSize + InfoHeaderSize + 4 * colours;

  TByteWriter out;
  out.Put('B', 1);
  out.Put('M', 1);
  out.Put(bitsOffset + imageSize, 4);
  out.Put(0, 4);  // reserved
  out.Put(bitsOffset, 4);

  out.Put(InfoHeaderSize, 4);
  out.Put(static_cast<std::uint32_t>(width), 4);
  out.Put(height, 4);  // positive: bottom row first
  out.Put(1, 2);       // planes
  out.Put(8, 2);       // bits per pixel
  out.Put(0, 4);       // BI_RGB
  out.Put(imageSize, 4);
  out.Put(0, 4);  // pixels per metre, x and y
  out.Put(0, 4);
  out.Put(colours, 4);  // colours used and important
  out.Put(colours, 4);

  for (const TRgb& colour : palette) {
    out.Put(colour.Blue, 1);
    out.Put(colour.Green, 1);
    out.Put(colour.Red, 1);
    out.Put(0, 1);
  }
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    out.Append(*row);
    for (std::size_t pad = row->size(); pad < stride; ++pad) out.Put(0, 1);
  }
  return out.Take();
}

}  // namespace generators
