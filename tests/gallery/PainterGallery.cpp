// The painter gallery: draws every operation of every painter in the painters registry, in every
// state, into one labelled sheet per painter and writes it as <folder>/<painter name>.png (the
// folder is the first argument, "gallery" by default); each library's catalogue adds its entries to
// those sheets and writes sheets of its own (GalleryCatalogues). Test equipment: a person looks at
// the sheets after a change of painting; the run fails only when a sheet cannot be drawn or written.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>
#include "classlib/GraphicsObjects.h"
#include "classlib/SysUtils.h"
#include "classlib/Units.h"
#include "tests/gallery/GalleryCatalogue.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxGDIPlusClasses.h"

namespace {
// The units of every catalogue, each once, in the catalogues' order.
std::vector<TUnit*> CatalogueUnits()
{
  std::vector<TUnit*> units;
  for (const TGalleryCatalogue& catalogue : GalleryCatalogues())
    for (TUnit* unit : catalogue.Units)
      if (std::find(units.begin(), units.end(), unit) == units.end()) units.push_back(unit);
  return units;
}

void WriteSheet(const std::string& folder, const std::string& name, const TGallerySheet& sheet)
{
  TOwned<TcxBitmap> bitmap = sheet.Render();
  TdxGPImage::CreateFromBitmap<TdxPNGImage>(bitmap.get())->SaveToFile(folder + "/" + name + ".png");
  std::printf("gallery: %s/%s.png (%d x %d)\n", folder.c_str(), name.c_str(), bitmap->Width(), bitmap->Height());
}

// The sheet of a look-and-feel painter, with every catalogue's entries for it.
void WritePainterSheet(const TcxCustomLookAndFeelPainter* painter, TFont* font, const std::string& folder)
{
  const std::string name = painter->GetPainterName();
  TGallerySheet sheet("Painter \"" + name + "\" (" + painter->ClassName() + ")");
  const TGalleryContext context{painter, font};
  for (const TGalleryCatalogue& catalogue : GalleryCatalogues())
    if (catalogue.AddPainterEntries) catalogue.AddPainterEntries(sheet, context);
  WriteSheet(folder, name, sheet);
}
}  // namespace

int main(int argc, char** argv)
{
  const std::string folder = argc > 1 ? argv[1] : "gallery";
  try {
    const std::vector<TUnit*> units = CatalogueUnits();
    TUnitsScope scope(units);
    TcxLookAndFeelPaintersManager* registry = cxLookAndFeelPaintersManager();
    if (!registry || registry->GetCount() == 0) {
      std::fprintf(stderr, "gallery: no painters are registered\n");
      return 1;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    auto font = MakeOwned<TFont>();
    font->SetName("Tahoma");
    font->SetHeight(-11);
    for (int i = 0; i < registry->GetCount(); ++i) WritePainterSheet(registry->GetPainter(i), font.get(), folder);
    const TGallerySheetWriter write = [&folder](const std::string& name, const TGallerySheet& sheet) {
      WriteSheet(folder, name, sheet);
    };
    for (const TGalleryCatalogue& catalogue : GalleryCatalogues())
      if (catalogue.WriteSheets) catalogue.WriteSheets(write, font.get());
  } catch (const Exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
