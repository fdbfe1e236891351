// The gallery's catalogues, one per library; a library that paints adds its catalogue here.
#include "classlib/Forms.h"
#include "classlib/Units.h"
#include "tests/gallery/GalleryCatalogue.h"
#include "tests/gallery/bars/GalleryBars.h"
#include "tests/gallery/editors/GalleryEditors.h"
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
TUnit* const LookAndFeelUnits[] = {&FormsUnit,          &UnitdxCore,         &UnitcxLibraryStrs,  &UnitcxClasses,
                                   &UnitcxGeometry,     &UnitcxGraphics,     &UnitdxHooks,        &UnitdxUxTheme,
                                   &UnitdxThemeManager, &UnitcxDWMApi,       &UnitdxOffice11,     &UnitdxGDIPlusAPI,
                                   &UnitdxGDIPlusClasses, &UnitcxGraphicsImages, &UnitcxDrawTextUtils,
                                   &UnitcxLookAndFeels, &UnitcxLookAndFeelPainters};

void AddLookAndFeelEntries(TGallerySheet& sheet, const TGalleryContext& context)
{
  AddControlEntries(sheet, context);
  AddPanelEntries(sheet, context);
  AddValueEntries(sheet, context);
}

const TGalleryCatalogue LookAndFeelCatalogue{
    .Name = "look and feel", .Units = LookAndFeelUnits, .AddPainterEntries = AddLookAndFeelEntries};
}  // namespace

std::span<const TGalleryCatalogue> GalleryCatalogues()
{
  static const TGalleryCatalogue catalogues[] = {LookAndFeelCatalogue, EditorsGalleryCatalogue(),
                                                 BarsGalleryCatalogue()};
  return catalogues;
}
