#pragma once
// What an item control hands its bar painter: the draw parameters (what to draw and in which
// state), recalculated before every measurement and paint; and the cache of the glyph picture a
// painter rendered for the control, kept until the glyph, the view size or the state changes.
#include <cstdint>
#include <string>
#include "classlib/ClassRef.h"
#include "classlib/Win.h"
#include "toolkit/base/cxGraphicsImages.h"

class TBitmap;
class TCustomImageList;
class TcxAlphaBitmap;
class TcxCanvas;
class TdxBarItemControl;

// How a control is shown on its bar.
enum class TdxBarItemViewSize : uint8_t { Small, LargeIcons, Large };
// Bits of the view structure.
constexpr uint8_t dxBarViewIcon = 0x01;
constexpr uint8_t dxBarViewText = 0x02;

class TdxBarItemControlDrawParams : public TObject {
  CL_CLASS(TdxBarItemControlDrawParams, TObject)
public:
  struct TMeta : TMetaClassOf<TdxBarItemControlDrawParams, TdxBarItemControl*> {};
  explicit TdxBarItemControlDrawParams(TdxBarItemControl* itemControl) : ItemControl(itemControl) {}

  TdxBarItemControl* const ItemControl;
  TdxBarItemViewSize ViewSize() const { return FViewSize; }
  // A new view size drops the control's cached glyph picture (its widths stay).
  void SetViewSize(TdxBarItemViewSize value);
  TcxCanvas* Canvas = nullptr;
  std::string Caption;
  std::string Description;
  std::string ShortCutText;
  uint8_t PaintType = 0;
  bool Enabled = false;
  bool CanSelect = false;
  bool DrawSelected = false;
  bool IsDropDown = false;
  int HotPartIndex = -1;
  bool Customizing = false;
  bool SelectedByKey = false;
  uint8_t ViewStructure = 0;
  SIZE ButtonSize{};

private:
  TdxBarItemViewSize FViewSize = TdxBarItemViewSize::Small;
};
using TdxBarItemControlDrawParamsClass = TClassRef<TdxBarItemControlDrawParams>;

// The glyph as last rendered for a control: valid until reset, and only for the same drawing mode
// and the same source (the bitmap when one is given, else the image list).
class TdxCachedImageOptions {
public:
  TdxCachedImageOptions();
  ~TdxCachedImageOptions();
  TdxCachedImageOptions(const TdxCachedImageOptions&) = delete;
  TdxCachedImageOptions& operator=(const TdxCachedImageOptions&) = delete;

  // Renders the glyph (or the list's image) into a picture of the rect's size in the mode and
  // records its source; a glyph bitmap with a picture gives up its handle afterwards.
  void CacheGlyph(const RECT& rect, TBitmap* glyph, TcxImageDrawMode mode, TCustomImageList* images, int imageIndex,
                  bool smooth = false);
  bool IsValidFor(TcxImageDrawMode mode, TBitmap* glyph, TCustomImageList* images) const;
  void Invalidate() { FValid = false; }
  bool Valid() const { return FValid; }
  TcxAlphaBitmap* Image() const { return FImage.get(); }

private:
  bool FValid = false;
  TOwned<TcxAlphaBitmap> FImage;
  TcxImageDrawMode FMode{};
  TCustomImageList* FImages = nullptr;
  TBitmap* FGlyph = nullptr;
};
