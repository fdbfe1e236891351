#pragma once
// What a bar manager keeps of pictures: the background pictures of its toolbars and menus
// (TdxBarBackgrounds) and the image lists and picture switches of all its items
// (TdxBarImageOptions). Both name the manager as their owner in stored forms.
#include <array>
#include <cstdint>
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxClasses.h"

class TdxBarManager;

// A persistent part of a manager.
class TdxBarPersistent : public TPersistent {
  CL_CLASS(TdxBarPersistent, TPersistent)
public:
  explicit TdxBarPersistent(TdxBarManager* barManager) : FBarManager(barManager) {}
  TdxBarManager* BarManager() const { return FBarManager; }
  TPersistent* GetOwner() const override;

private:
  TdxBarManager* FBarManager;
};

// The background of toolbars (Bar: a change recreates the manager's painter) and of menus.
class TdxBarBackgrounds : public TdxBarPersistent {
  CL_CLASS(TdxBarBackgrounds, TdxBarPersistent)
public:
  explicit TdxBarBackgrounds(TdxBarManager* barManager);
  ~TdxBarBackgrounds() override;
  void Assign(TPersistent* source) override;

  TBitmap* Bar() const { return FBar.get(); }
  // Assigned; the painter is made again once more when a picture was given or the old one was not
  // empty.
  void SetBar(TBitmap* value);
  TBitmap* SubMenu() const { return FSubMenu.get(); }
  void SetSubMenu(TBitmap* value) { FSubMenu->Assign(value); }

private:
  void BarChanged(TObject* sender);
  TOwned<TBitmap> FBar;
  TOwned<TBitmap> FSubMenu;
};

// The five image lists of the items, by their use.
enum class TdxBarImageListKind { DisabledImages, DisabledLargeImages, HotImages, Images, LargeImages };

// The image lists (not owned; a freed list is forgotten) and picture switches of a manager's items.
// Each image list reports its content changes through its change link, which the manager binds;
// OnChange tells of a change of how pictures are drawn, OnSizeChange of one that may change the
// glyph size.
class TdxBarImageOptions : public TdxBarPersistent {
  CL_CLASS(TdxBarImageOptions, TdxBarPersistent)
public:
  explicit TdxBarImageOptions(TdxBarManager* barManager);
  ~TdxBarImageOptions() override;
  void BeforeDestruction() override;
  // From other image options, through the setters (SmoothGlyphs and StretchGlyphs as plain values);
  // CacheGlyphs is not copied.
  void Assign(TPersistent* source) override;

  bool CacheGlyphs() const { return FCacheGlyphs; }
  void SetCacheGlyphs(bool value) { FCacheGlyphs = value; }
  TCustomImageList* DisabledImages() const { return ImageList(TdxBarImageListKind::DisabledImages); }
  void SetDisabledImages(TCustomImageList* value) { SetImageList(TdxBarImageListKind::DisabledImages, value); }
  TCustomImageList* DisabledLargeImages() const { return ImageList(TdxBarImageListKind::DisabledLargeImages); }
  void SetDisabledLargeImages(TCustomImageList* value)
  {
    SetImageList(TdxBarImageListKind::DisabledLargeImages, value);
  }
  TCustomImageList* HotImages() const { return ImageList(TdxBarImageListKind::HotImages); }
  void SetHotImages(TCustomImageList* value) { SetImageList(TdxBarImageListKind::HotImages, value); }
  TColor ImageListBkColor() const { return FImageListBkColor; }
  void SetImageListBkColor(TColor value);
  TCustomImageList* Images() const { return ImageList(TdxBarImageListKind::Images); }
  void SetImages(TCustomImageList* value) { SetImageList(TdxBarImageListKind::Images, value); }
  TCustomImageList* LargeImages() const { return ImageList(TdxBarImageListKind::LargeImages); }
  // Nothing for the same list; after the change OnSizeChange, when LargeIcons and
  // UseLargeImagesForLargeIcons are both on.
  void SetLargeImages(TCustomImageList* value);
  bool LargeIcons() const { return FLargeIcons; }
  void SetLargeIcons(bool value);
  bool MakeDisabledImagesFaded() const { return FMakeDisabledImagesFaded; }
  void SetMakeDisabledImagesFaded(bool value);
  bool SmoothGlyphs() const { return FSmoothGlyphs; }
  void SetSmoothGlyphs(bool value) { FSmoothGlyphs = value; }
  bool StretchGlyphs() const { return FStretchGlyphs; }
  void SetStretchGlyphs(bool value) { FStretchGlyphs = value; }
  bool UseLargeImagesForLargeIcons() const { return FUseLargeImagesForLargeIcons; }
  void SetUseLargeImagesForLargeIcons(bool value);
  bool UseLeftBottomPixelAsTransparent() const { return FUseLeftBottomPixelAsTransparent; }
  void SetUseLeftBottomPixelAsTransparent(bool value);

  TCustomImageList* ImageList(TdxBarImageListKind kind) const { return FImageLists[Slot(kind)]; }
  void SetImageList(TdxBarImageListKind kind, TCustomImageList* value);
  // The change link of one image list; the manager binds its OnChange.
  TChangeLink* ChangeLink(TdxBarImageListKind kind) const { return FChangeLinks[Slot(kind)].get(); }

  // 16 without LargeIcons; with them the width of LargeImages when those serve large icons, else 32.
  int GlyphSize() const { return FGlyphSize; }
  void UpdateGlyphSize();
  // UseLargeImagesForLargeIcons with LargeImages set.
  bool IsLargeImagesForLargeIcons() const;
  // One of the image lists is being read.
  bool GetIsLoading() const;
  // A freed component is forgotten by every image-list property that names it.
  void FreeNotification(TComponent* component);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  const TNotifyEvent& OnSizeChange() const { return FOnSizeChange; }
  void SetOnSizeChange(const TNotifyEvent& value) { FOnSizeChange = value; }

private:
  static constexpr size_t Slot(TdxBarImageListKind kind) { return static_cast<size_t>(kind); }
  void Changed();
  void SizeChanged();
  void SetSwitch(bool& field, bool value);

  std::array<TCustomImageList*, 5> FImageLists{};
  std::array<TOwned<TChangeLink>, 5> FChangeLinks;
  TOwned<TcxFreeNotificator> FNotificator;
  bool FCacheGlyphs = true;
  TColor FImageListBkColor = clFuchsia;
  bool FLargeIcons = false;
  bool FMakeDisabledImagesFaded = false;
  bool FSmoothGlyphs = false;
  bool FStretchGlyphs = true;
  bool FUseLargeImagesForLargeIcons = false;
  bool FUseLeftBottomPixelAsTransparent = true;
  int FGlyphSize = 16;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnSizeChange;
};
