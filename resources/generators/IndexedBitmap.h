// The bitmap file of an image with a colour table of at most 256 entries, 8 bits per pixel: the
// file header, then what the resource holds (BITMAPINFOHEADER, the colour table as blue, green,
// red, reserved, then the rows bottom row first, each padded to whole 32-bit words). The resource
// compiler drops the file header when it embeds the file as a BITMAP resource.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "TextSource.h"

namespace generators {

// <rows> are palette indexes, top row first, each <width> long.
std::vector<std::uint8_t> IndexedBitmapFile(int width, std::span<const TRgb> palette,
                                            std::span<const std::vector<std::uint8_t>> rows);

}  // namespace generators
