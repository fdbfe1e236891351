#include "toolkit/bars/dxBarImageOptions.h"

#include <algorithm>

#include "toolkit/bars/dxBarManager.h"
#include "toolkit/base/cxGraphicsFunctions.h"

namespace {
const TPropInfo BackgroundsProps[] = {
  PersistentProp<&TdxBarBackgrounds::Bar>("Bar"),
  PersistentProp<&TdxBarBackgrounds::SubMenu>("SubMenu"),
};

using TIO = TdxBarImageOptions;
const TPropInfo ImageOptionsProps[] = {
  BoolProp<&TIO::CacheGlyphs, &TIO::SetCacheGlyphs>("CacheGlyphs", true),
  ComponentProp<&TIO::DisabledImages, &TIO::SetDisabledImages>("DisabledImages"),
  ComponentProp<&TIO::DisabledLargeImages, &TIO::SetDisabledLargeImages>("DisabledLargeImages"),
  ComponentProp<&TIO::HotImages, &TIO::SetHotImages>("HotImages"),
  ColorProp<&TIO::ImageListBkColor, &TIO::SetImageListBkColor>("ImageListBkColor", clFuchsia),
  ComponentProp<&TIO::Images, &TIO::SetImages>("Images"),
  ComponentProp<&TIO::LargeImages, &TIO::SetLargeImages>("LargeImages"),
  BoolProp<&TIO::LargeIcons, &TIO::SetLargeIcons>("LargeIcons", false),
  BoolProp<&TIO::MakeDisabledImagesFaded, &TIO::SetMakeDisabledImagesFaded>("MakeDisabledImagesFaded", false),
  BoolProp<&TIO::SmoothGlyphs, &TIO::SetSmoothGlyphs>("SmoothGlyphs", false),
  BoolProp<&TIO::StretchGlyphs, &TIO::SetStretchGlyphs>("StretchGlyphs", true),
  BoolProp<&TIO::UseLargeImagesForLargeIcons, &TIO::SetUseLargeImagesForLargeIcons>("UseLargeImagesForLargeIcons",
                                                                                    false),
  BoolProp<&TIO::UseLeftBottomPixelAsTransparent, &TIO::SetUseLeftBottomPixelAsTransparent>(
      "UseLeftBottomPixelAsTransparent", true),
};

constexpr TdxBarImageListKind AllKinds[] = {TdxBarImageListKind::DisabledImages, TdxBarImageListKind::DisabledLargeImages,
                                            TdxBarImageListKind::HotImages, TdxBarImageListKind::Images,
                                            TdxBarImageListKind::LargeImages};
}  // namespace

CL_DEFINE_CLASS(TdxBarPersistent);
CL_DEFINE_CLASS(TdxBarBackgrounds, .Props = BackgroundsProps);
CL_DEFINE_CLASS(TdxBarImageOptions, .Props = ImageOptionsProps);

TPersistent* TdxBarPersistent::GetOwner() const { return FBarManager; }

// --- TdxBarBackgrounds ---

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* barManager)
    : TdxBarPersistent(barManager), FBar(MakeOwned<TBitmap>()), FSubMenu(MakeOwned<TBitmap>())
{
  FBar->SetOnChange(TNotifyEvent(this, &TdxBarBackgrounds::BarChanged));
}

TdxBarBackgrounds::~TdxBarBackgrounds() = default;

void TdxBarBackgrounds::BarChanged(TObject*)
{
  if (BarManager()) BarManager()->RecreatePainter();
}

void TdxBarBackgrounds::SetBar(TBitmap* value)
{
  const bool wasEmpty = FBar->Empty();
  FBar->Assign(value);
  if (value || !wasEmpty) BarChanged(FBar.get());
}

void TdxBarBackgrounds::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarBackgrounds*>(source);
  if (!other) {
    TdxBarPersistent::Assign(source);
    return;
  }
  SetBar(other->Bar());
  SetSubMenu(other->SubMenu());
}

// --- TdxBarImageOptions ---

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* barManager)
    : TdxBarPersistent(barManager), FNotificator(MakeOwned<TcxFreeNotificator>(nullptr))
{
  FNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TdxBarImageOptions::FreeNotification));
  for (TOwned<TChangeLink>& link : FChangeLinks) link = MakeOwned<TChangeLink>();
  UpdateGlyphSize();
}

TdxBarImageOptions::~TdxBarImageOptions() = default;

void TdxBarImageOptions::BeforeDestruction()
{
  // The lists forget the links and the receiver before these go.
  for (TdxBarImageListKind kind : AllKinds)
    if (TCustomImageList* list = ImageList(kind)) list->UnRegisterChanges(ChangeLink(kind));
  FImageLists.fill(nullptr);
  FNotificator.reset();
  TdxBarPersistent::BeforeDestruction();
}

void TdxBarImageOptions::SetImageList(TdxBarImageListKind kind, TCustomImageList* value)
{
  TCustomImageList* old = ImageList(kind);
  if (old == value) return;
  ReplaceImageListReference(value, FImageLists[Slot(kind)], ChangeLink(kind), nullptr);
  // One list may serve several uses: it is watched while any of them names it.
  if (old && std::find(FImageLists.begin(), FImageLists.end(), old) == FImageLists.end())
    FNotificator->UnwatchComponent(old);
  if (value) FNotificator->WatchComponent(value);
}

void TdxBarImageOptions::SetLargeImages(TCustomImageList* value)
{
  if (LargeImages() == value) return;
  SetImageList(TdxBarImageListKind::LargeImages, value);
  if (FLargeIcons && FUseLargeImagesForLargeIcons) SizeChanged();
}

void TdxBarImageOptions::SetSwitch(bool& field, bool value)
{
  if (field == value) return;
  field = value;
  Changed();
}

void TdxBarImageOptions::SetImageListBkColor(TColor value)
{
  if (FImageListBkColor == value) return;
  FImageListBkColor = value;
  Changed();
}

void TdxBarImageOptions::SetMakeDisabledImagesFaded(bool value) { SetSwitch(FMakeDisabledImagesFaded, value); }
void TdxBarImageOptions::SetUseLargeImagesForLargeIcons(bool value) { SetSwitch(FUseLargeImagesForLargeIcons, value); }
void TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool value)
{
  SetSwitch(FUseLeftBottomPixelAsTransparent, value);
}

void TdxBarImageOptions::SetLargeIcons(bool value)
{
  if (FLargeIcons == value) return;
  FLargeIcons = value;
  SizeChanged();
}

void TdxBarImageOptions::Changed() { FireNotifyEvent(FOnChange, this); }
void TdxBarImageOptions::SizeChanged() { FireNotifyEvent(FOnSizeChange, this); }

bool TdxBarImageOptions::IsLargeImagesForLargeIcons() const
{
  return FUseLargeImagesForLargeIcons && LargeImages() != nullptr;
}

void TdxBarImageOptions::UpdateGlyphSize()
{
  if (!FLargeIcons)
    FGlyphSize = 16;
  else
    FGlyphSize = IsLargeImagesForLargeIcons() ? LargeImages()->Width() : 32;
}

bool TdxBarImageOptions::GetIsLoading() const
{
  for (TCustomImageList* list : FImageLists)
    if (list && list->IsLoading()) return true;
  return false;
}

void TdxBarImageOptions::FreeNotification(TComponent* component)
{
  constexpr TdxBarImageListKind Order[] = {TdxBarImageListKind::DisabledLargeImages, TdxBarImageListKind::DisabledImages,
                                           TdxBarImageListKind::HotImages, TdxBarImageListKind::Images,
                                           TdxBarImageListKind::LargeImages};
  for (TdxBarImageListKind kind : Order)
    if (ImageList(kind) == component) {
      if (kind == TdxBarImageListKind::LargeImages)
        SetLargeImages(nullptr);
      else
        SetImageList(kind, nullptr);
    }
}

void TdxBarImageOptions::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarImageOptions*>(source);
  if (!other) {
    TdxBarPersistent::Assign(source);
    return;
  }
  SetDisabledImages(other->DisabledImages());
  SetDisabledLargeImages(other->DisabledLargeImages());
  SetHotImages(other->HotImages());
  SetImageListBkColor(other->ImageListBkColor());
  SetImages(other->Images());
  SetLargeImages(other->LargeImages());
  SetLargeIcons(other->LargeIcons());
  SetMakeDisabledImagesFaded(other->MakeDisabledImagesFaded());
  FSmoothGlyphs = other->FSmoothGlyphs;
  FStretchGlyphs = other->FStretchGlyphs;
  SetUseLargeImagesForLargeIcons(other->UseLargeImagesForLargeIcons());
  SetUseLeftBottomPixelAsTransparent(other->UseLeftBottomPixelAsTransparent());
}
