// Bitmaps: one picture per source, embedded as an 8-bit BITMAP resource with a colour table.
//   size <width> <height>
//   colour <character> <RRGGBB>     (the palette, in order)
//   pixels
//   <height rows of width characters>
#pragma once

#include "ResourceWriter.h"

namespace generators {

extern const TResourceWriter BitmapWriter;

}  // namespace generators
