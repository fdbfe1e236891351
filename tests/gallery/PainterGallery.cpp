// The painter gallery: draws every operation of every painter in the painters registry, in every
// state, into one labelled sheet per painter and writes it as <folder>/<painter name>.png (the
// folder is the first argument, "gallery" by default). Test equipment: a person looks at the sheets
// after a change of painting; the run fails only when a sheet cannot be drawn or written.
#include <cstdio>
#include <exception>
#include <string>
#include "classlib/Forms.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/SysUtils.h"
#include "classlib/Units.h"
#include "tests/gallery/GalleryCatalogue.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxDWMApi.h"
#include "toolkit/base/cxDrawTextUtils.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxGraphicsImages.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxGDIPlusAPI.h"
#include "toolkit/base/dxGDIPlusClasses.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
TUnit* const GalleryUnits[] = {&FormsUnit,          &UnitdxCore,         &UnitcxLibraryStrs,  &UnitcxClasses,
                               &UnitcxGeometry,     &UnitcxGraphics,     &UnitdxHooks,        &UnitdxUxTheme,
                               &UnitdxThemeManager, &UnitcxDWMApi,       &UnitdxOffice11,     &UnitdxGDIPlusAPI,
                               &UnitdxGDIPlusClasses, &UnitcxGraphicsImages, &UnitcxDrawTextUtils,
                               &UnitcxLookAndFeels, &UnitcxLookAndFeelPainters};

void WriteSheet(const TcxCustomLookAndFeelPainter* painter, TFont* font, const std::string& folder)
{
  const std::string name = painter->GetPainterName();
  TGallerySheet sheet("Painter \"" + name + "\" (" + painter->ClassName() + ")");
  const TGalleryContext context{painter, font};
  AddControlEntries(sheet, context);
  AddPanelEntries(sheet, context);
  AddValueEntries(sheet, context);
  TOwned<TcxBitmap> bitmap = sheet.Render();
  TdxGPImage::CreateFromBitmap<TdxPNGImage>(bitmap.get())->SaveToFile(folder + "/" + name + ".png");
  std::printf("gallery: %s/%s.png (%d x %d)\n", folder.c_str(), name.c_str(), bitmap->Width(), bitmap->Height());
}
}  // namespace

int main(int argc, char** argv)
{
  const std::string folder = argc > 1 ? argv[1] : "gallery";
  try {
    TUnitsScope units(GalleryUnits);
    TcxLookAndFeelPaintersManager* registry = cxLookAndFeelPaintersManager();
    if (!registry || registry->GetCount() == 0) {
      std::fprintf(stderr, "gallery: no painters are registered\n");
      return 1;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    auto font = MakeOwned<TFont>();
    font->SetName("Tahoma");
    font->SetHeight(-11);
    for (int i = 0; i < registry->GetCount(); ++i) WriteSheet(registry->GetPainter(i), font.get(), folder);
  } catch (const Exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
