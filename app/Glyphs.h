#pragma once
// The glyphs of the main window's image list: a strip of 250 images of 16 x 16 drawn in
// resources/glyphs and embedded by the build as the bitmap resource FRMAIN_GLYPHS.
class TCustomImageList;

constexpr int GlyphCount = 250;
// Adds the strip's glyphs (magenta transparent) to the list; raises when the executable lacks them.
void AddGlyphs(TCustomImageList* list);
