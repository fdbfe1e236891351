#pragma once
// TcxImageList: the toolkit's image list. It keeps the platform's image list (32-bit colour with a
// mask) for the platform's own drawing and every image a second time as a TcxImageInfo (image, mask,
// mask colour) in the ImageInfo collection. The second copy is what stored forms carry, so that
// 32-bit images with alpha survive storing, and what alpha-blended drawing reads.
//
// Outside a change block and outside reading, the platform list and ImageInfo hold the same number of
// images in the same order. Bitmaps are cut into cells of the list's size, row by row from the top and
// left to right within a row; what is left over at the right or bottom edge is not added, and a
// bitmap smaller than one cell is refused (-1), so both copies always agree. An item read from a
// stored form stays one image: when it is larger than the list's cells it keeps its top-left cell,
// and when it is smaller it is dropped.
//
// Stored form: the published properties, then "FormatVersion" (1), "DesignInfo" (the design
// position) and "ImageInfo" (the items with their Image and Mask bitmap data, compressed in the
// "XDBM" form when CompressData is set). Older forms with the class library's "Bitmap" are read and
// give items with mask colour clNone; "Bitmap" is never written.
#include "classlib/Collection.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsImages.h"

class TcxImageList;

// One image of the list: image and mask bitmaps (owned) and the mask colour (clNone at creation).
class TcxImageInfo : public TPersistent {
  CL_CLASS(TcxImageInfo, TPersistent)
public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  // Image, mask and mask colour of another TcxImageInfo.
  void Assign(TPersistent* source) override;
  // Each copies a bitmap (nullptr: empty) and makes sure its handle exists.
  virtual void AssignImage(TBitmap* value);
  virtual void AssignMask(TBitmap* value);

  TcxBitmap* Image() const { return FImage.get(); }
  TcxBitmap* Mask() const { return FMask.get(); }
  TColor MaskColor() const { return FMaskColor; }
  void SetMaskColor(TColor value) { FMaskColor = value; }
  // A copy of the platform list's mask, for images without a mask bitmap.
  TcxBitmap* InternalMask() const { return FInternalMask.get(); }
  // Image and mask give up their GDI objects and keep their pixels.
  void Dormant();

private:
  TOwned<TcxBitmap> FImage;
  TOwned<TcxBitmap> FMask;
  TColor FMaskColor = clNone;
  TOwned<TcxBitmap> FInternalMask;
};

class TcxImageInfoItem : public TCollectionItem {
  CL_CLASS(TcxImageInfoItem, TCollectionItem)
public:
  explicit TcxImageInfoItem(TCollection* collection);
  ~TcxImageInfoItem() override;
  void Assign(TPersistent* source) override;

  TcxImageInfo* ImageInfo() const { return FImageInfo.get(); }
  TBitmap* Image() const { return FImageInfo->Image(); }
  TBitmap* Mask() const { return FImageInfo->Mask(); }
  TColor MaskColor() const { return FImageInfo->MaskColor(); }
  void SetMaskColor(TColor value) { FImageInfo->SetMaskColor(value); }
  // Both bitmaps store compressed.
  bool CompressData() const;
  void SetCompressData(bool value);

private:
  TOwned<TcxImageInfo> FImageInfo;
};

class TcxImageInfoCollection : public TCollection {
  CL_CLASS(TcxImageInfoCollection, TCollection)
public:
  explicit TcxImageInfoCollection(TcxImageList* imageList);
  TPersistent* GetOwner() const override;
  TcxImageInfoItem* Items(int index) const { return Item<TcxImageInfoItem>(index); }
  TcxImageInfoItem* Add(TBitmap* image, TBitmap* mask, TColor maskColor);
  bool CompressData() const { return FCompressData; }
  // Passed to every item; new items take it.
  void SetCompressData(bool value);

protected:
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

private:
  bool FCompressData = false;
  TcxImageList* FImageList;
};

class TcxImageList : public TCustomImageList {
  CL_CLASS(TcxImageList, TCustomImageList)
public:
  explicit TcxImageList(TComponent* owner);
  ~TcxImageList() override;
  void BeforeDestruction() override;
  // From any image list: its settings and its images (from a TcxImageList with their masks and mask
  // colours). Anything else is ignored.
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // Index of the first added image, or -1 when nothing could be added. Without a mask every pixel is
  // opaque.
  int AddBitmapWithMask(TBitmap* image, TBitmap* mask);
  // Pixels of the colour are transparent (clNone: none are).
  int AddBitmapMaskedByColor(TBitmap* image, TColor color);
  // At index 0..Count (others are ignored); every cell of a strip in order.
  void InsertBitmapAt(int index, TBitmap* image, TBitmap* mask);
  void ReplaceImageAt(int index, TBitmap* image, TBitmap* mask);
  void MoveImage(int fromIndex, int toIndex);
  // -1 deletes all.
  void DeleteImage(int index);
  void DeleteAllImages() { DeleteImage(-1); }

  // Changes inside a block are told once, when the last block ends (EndChangesSilently tells nothing).
  void BeginChanges() { ++FChangeLockCount; }
  void EndChanges();
  void EndChangesSilently();
  bool IsChangeLocked() const { return FChangeLockCount > 0; }

  // Copies of one image and its mask (either output may be nullptr); nothing outside 0..Count-1.
  void GetImageAndMask(int index, TBitmap* image, TBitmap* mask);
  // A TcxImageList answers from ImageInfo, any other list from its platform list.
  static void GetListImageAndMask(TCustomImageList* list, int index, TBitmap* mask, TBitmap* image);
  // Copies from a platform list (index -1: the whole bitmaps); the list's own bitmaps are only read.
  static void ExtractImageAndMask(HIMAGELIST handle, int index, TBitmap* mask, TBitmap* image);
  // Bits per pixel of the platform list's image bitmap; 0 when it cannot be read.
  static int GetListBitsPerPixel(HIMAGELIST handle);

  // Sizes below 2 become 1; a new size deletes all images.
  void SetSizeOfImages(int width, int height);
  int Width() const { return TCustomImageList::Width(); }
  int Height() const { return TCustomImageList::Height(); }
  void SetWidth(int value) { SetSizeOfImages(value, Height()); }
  void SetHeight(int value) { SetSizeOfImages(Width(), value); }

  // Draws one image: the cell centred in rect (or stretched over it), alpha-blended through
  // DrawImageInMode (disabled mode when not enabled).
  void DrawImageInRect(int index, TCanvas* canvas, bool enabled, bool smooth, bool stretch, TDrawingStyle style,
                       const RECT& rect);
  void DrawImageAt(int index, TCanvas* canvas, int x, int y, TDrawingStyle style, bool enabled);

  bool CompressData() const { return FImageInfo->CompressData(); }
  void SetCompressData(bool value) { FImageInfo->SetCompressData(value); }
  bool AlphaBlending() const { return FAlphaBlending; }
  void SetAlphaBlending(bool value) { FAlphaBlending = value; }
  int FormatVersion() const { return FFormatVersion; }
  HIMAGELIST GetListHandle() { return Handle(); }
  TcxImageInfoCollection* ImageInfo() const { return FImageInfo.get(); }

protected:
  // The list's initialization: ImageInfo, alpha blending, a 32-bit platform list with a mask.
  void Initialize() override;
  // The change notification: held back while changing, loading, reading or destroying; rebuilds the
  // platform list from ImageInfo when the two disagree.
  void Change() override;
  void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) override;

private:
  // One cell added to the platform list (with a mask, or masked by a colour); -1 when refused.
  int AddCell(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor);
  int AddCells(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor);
  void RecordImageInfo(TBitmap* image, TBitmap* mask, TColor maskColor);
  // Makes an item exactly one cell, so that it stays one image of the platform list: a larger
  // image (and its mask) keeps its top-left cell; false for an image smaller than a cell.
  bool FitToCell(TcxImageInfo* info);
  // Adds an item's image to the platform list (with its mask, or masked by its mask colour).
  int AddInfoImage(TcxImageInfo* info);
  void SynchronizeFromImageInfo();
  void RebuildImageInfo();
  void CopyImagesFrom(TCustomImageList* source);
  bool IsReading() const;

  bool FAlphaBlending = false;
  int FFormatVersion = 0;
  TOwned<TcxImageInfoCollection> FImageInfo;
  int FChangeLockCount = 0;
  bool FSynchronizing = false;
};

// Same count and, when not empty, byte-identical streams written by the platform's ImageList_Write.
bool AreImageListsEqual(TCustomImageList* list1, TCustomImageList* list2);
// (width div cell width) x (height div cell height) when both divide exactly, else 1.
int CountImagesInStrip(TBitmap* bitmap, int cellWidth, int cellHeight);
// A new DIB-section copy of the bitmap.
HBITMAP CopyBitmapHandle(HBITMAP bitmap);
