// Monochrome cursors: one cursor file (.cur) per source, embedded as a CURSOR resource.
//   size <width> <height>           (at most 255 x 255)
//   hotspot <x> <y>
//   pixels
//   <height rows of width characters>: . transparent, X black, o white, ~ the inverted screen
#pragma once

#include "ResourceWriter.h"

namespace generators {

extern const TResourceWriter CursorWriter;

}  // namespace generators
