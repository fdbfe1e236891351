#include "ResourceWriter.h"

#include "BitmapWriter.h"
#include "CursorWriter.h"
#include "GlyphStripWriter.h"
#include "HebrewYearsWriter.h"

namespace generators {

std::span<const TResourceWriter* const> Writers()
{
  static const TResourceWriter* const writers[] = {&BitmapWriter, &CursorWriter, &GlyphStripWriter, &HebrewYearsWriter};
  return writers;
}

const TResourceWriter* FindWriter(std::string_view kind)
{
  for (const TResourceWriter* writer : Writers())
    if (writer->Kind == kind) return writer;
  return nullptr;
}

}  // namespace generators
