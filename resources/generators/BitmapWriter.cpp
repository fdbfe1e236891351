#include "BitmapWriter.h"

#include "IndexedBitmap.h"

namespace generators {

namespace {

constexpr TKeyword Keywords[] = {{.Usage = "pixels", .OpensBlock = true, .Required = true}};

std::vector<std::uint8_t> Write(const TTextSource& source)
{
  return IndexedBitmapFile(source.Width(), source.Palette(), source.Blocks().front().Rows);
}

}  // namespace

const TResourceWriter BitmapWriter{"bitmap", "BITMAP", ".bmp", {Keywords, {}}, Write};

}  // namespace generators
