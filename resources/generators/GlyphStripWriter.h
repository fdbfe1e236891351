// Glyph strips: equally sized glyphs side by side in one 8-bit BITMAP resource with a colour
// table, for an image list.
//   size <width> <height>           (of one glyph)
//   count <n>                       (glyphs in the strip)
//   colour <character> <RRGGBB>     (the palette, in order)
//   glyph <number>|default          (each followed by height rows of width characters)
// Glyphs without a block of their own show the default one.
#pragma once

#include "ResourceWriter.h"

namespace generators {

extern const TResourceWriter GlyphStripWriter;

}  // namespace generators
