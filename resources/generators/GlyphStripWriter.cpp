#include "GlyphStripWriter.h"

#include <string>

#include "IndexedBitmap.h"

namespace generators {

namespace {

constexpr int MaxStripWidth = 32767;
constexpr std::string_view Default = "default";

constexpr TKeyword Keywords[] = {
    {.Usage = "count <n>", .Required = true},
    {.Usage = "glyph <number|default>", .OpensBlock = true, .Required = true, .Repeats = true}};

std::vector<std::uint8_t> Write(const TTextSource& source)
{
  const TStatement& countStatement = *source.Find("count");
  const int count = source.Number(countStatement, 0, 1, MaxStripWidth);
  const int width = source.Width();
  if (static_cast<long long>(width) * count > MaxStripWidth)
    source.Fail(countStatement.Line, "a strip of " + std::to_string(count) + " glyphs of " + std::to_string(width) +
                                         " pixels is wider than " + std::to_string(MaxStripWidth) + " pixels");

  // Each glyph's block, the default one where it has none.
  const TPixelBlock* fallback = nullptr;
  std::vector<const TPixelBlock*> glyphs(count);
  for (const TPixelBlock& block : source.Blocks()) {
    bool isDefault = block.Header.Arguments[0] == Default;
    const TPixelBlock*& slot = isDefault ? fallback : glyphs[source.Number(block.Header, 0, 0, count - 1)];
    if (slot)
      source.Fail(block.Header.Line, "glyph " + block.Header.Arguments[0] + " is drawn twice (first at line " +
                                         std::to_string(slot->Header.Line) + ")");
    slot = &block;
  }
  if (!fallback) source.Fail(0, "needs a 'glyph default' block: it stands for every glyph not drawn");

  std::vector<std::vector<std::uint8_t>> rows(source.Height());
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y].reserve(static_cast<std::size_t>(width) * count);
    for (const TPixelBlock* glyph : glyphs) {
      const auto& row = (glyph ? glyph : fallback)->Rows[y];
      rows[y].insert(rows[y].end(), row.begin(), row.end());
    }
  }
  return IndexedBitmapFile(width * count, source.Palette(), rows);
}

}  // namespace

const TResourceWriter GlyphStripWriter{"glyph-strip", "BITMAP", ".bmp", {Keywords, {}}, Write};

}  // namespace generators
