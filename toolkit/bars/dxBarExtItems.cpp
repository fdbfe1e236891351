// The extended items' unit: its start-up, shut-down and process-wide objects.
#include "toolkit/bars/dxBarExtItems.h"

#include "classlib/Bitmap.h"
#include "classlib/ColorDialog.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxControls.h"

namespace {
TUnitObject<TBitmap> GTrueTypeFontGlyph{UnitdxBarExtItems};
TUnitObject<TBitmap> GNonTrueTypeFontGlyph{UnitdxBarExtItems};
TUnitObject<TColorDialog> GColorDialog{UnitdxBarExtItems, [] { return New<TColorDialog>(nullptr); }};
// Start-ups not yet matched by a shut-down: only the first start-up and the last shut-down act.
int GStartCount = 0;

// The extended item classes with their controls, in the registry's order (the others of the
// family join here as they are built).
struct TExtItemPair {
  TdxBarItemClass (*Item)();
  TdxBarItemControlClass (*Control)();
};
const TExtItemPair ExtItemPairs[] = {
  {[] { return TdxBarItemClass(ClassRef<TdxBarColorCombo>()); },
   [] { return TdxBarItemControlClass(ClassRef<TdxBarColorComboControl>()); }},
  {[] { return TdxBarItemClass(ClassRef<TdxBarSpinEdit>()); },
   [] { return TdxBarItemControlClass(ClassRef<TdxBarSpinEditControl>()); }},
};

void LoadGlyph(TBitmap* glyph, const char* resourceName)
{
  if (!glyph) return;
  if (HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(cxControlsModule(), resourceName, IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION)))
    glyph->SetHandle(bitmap);
}

// The two font glyphs, then the item pairs.
void InitializeUnit()
{
  if (++GStartCount != 1) return;
  LoadGlyph(GTrueTypeFontGlyph.Get(), "DXBARTRUETYPEFONT");
  LoadGlyph(GNonTrueTypeFontGlyph.Get(), "DXBARNONTRUETYPEFONT");
  for (const TExtItemPair& pair : ExtItemPairs) RegisterBarItemClass(pair.Item(), pair.Control(), true);
}

// The item pairs in the same order, then the colour dialog and the two glyphs, the last loaded first.
void FinalizeUnit()
{
  if (GStartCount == 0 || --GStartCount != 0) return;
  for (const TExtItemPair& pair : ExtItemPairs) UnregisterBarItemClass(pair.Item());
  GColorDialog.Free();
  GNonTrueTypeFontGlyph.Free();
  GTrueTypeFontGlyph.Free();
}

const TUnit* const Uses[] = {&UnitdxBar};
}  // namespace

TUnit UnitdxBarExtItems{"dxBarExtItems", Uses, InitializeUnit, FinalizeUnit};

TBitmap* dxBarTrueTypeFontGlyph() { return GTrueTypeFontGlyph.Peek(); }
TBitmap* dxBarNonTrueTypeFontGlyph() { return GNonTrueTypeFontGlyph.Peek(); }
TColorDialog* dxBarColorDialog() { return GColorDialog.Get(); }
