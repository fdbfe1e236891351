#include "app/Glyphs.h"

#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"

void AddGlyphs(TCustomImageList* list)
{
  TOwned<TBitmap> strip = MakeOwned<TBitmap>();
  strip->LoadFromResourceName(GetModuleHandleA(nullptr), "FRMAIN_GLYPHS");
  list->BeginUpdate();
  list->AddMasked(strip.get(), clFuchsia);
  list->EndUpdate();
}
