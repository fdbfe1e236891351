#pragma once
// Image lists: TCustomImageList over a comctl32 image list (HIMAGELIST), made when first needed
// with the list's size, colour depth and mask setting; TImageList publishes its properties.
//
// Images are added from bitmaps (with a mask bitmap, or masked by a colour) and icons, and drawn on
// a canvas enabled or disabled (a greyed, lightened copy that keeps the image's transparency).
// Controls that show the list's images register a TChangeLink and hear of every change. Stored
// forms keep the images in the binary property "Bitmap": the image list's own stream, written by
// ImageList_Write and read by ImageList_Read.
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/GraphicsUtils.h"

class TBitmap;
class TIcon;
class TStream;
class TCustomImageList;

enum class TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
enum class TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum class TImageType { itImage, itMask };

// A listener's link to an image list: OnChange fires (with the list as sender) after each change.
// Destroying the link unregisters it; destroying the list leaves the link without a sender.
class TChangeLink : public TObject {
  CL_CLASS(TChangeLink, TObject)
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  virtual void Change();

private:
  friend class TCustomImageList;
  TCustomImageList* FSender = nullptr;
  TNotifyEvent FOnChange;
};

class TCustomImageList : public TComponent {
  CL_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // From another image list: its settings and a copy of its images.
  void Assign(TPersistent* source) override;

  // The image list, made when first needed.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return static_cast<bool>(FHandle); }
  // Takes an image list (destroyed with this one unless ShareImages); Width and Height become its.
  void SetHandle(HIMAGELIST list);

  int Count() const;
  // Adds an image (a bitmap at least Width x Height; a wider one adds one image per cell) with a
  // mask bitmap (white = transparent) or none. Returns the first new index, or -1 when the platform
  // refuses the image. Raises EInvalidOperation "Invalid image size" for a smaller bitmap.
  int Add(TBitmap* image, TBitmap* mask);
  // Adds an image whose pixels of maskColor are transparent (clDefault: the bitmap's transparent
  // colour; clNone, or a list without masks: none are). The bitmap itself is not changed.
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  // Adds copies of all images of another list of the same size.
  void AddImages(TCustomImageList* list);
  void Insert(int index, TBitmap* image, TBitmap* mask);
  void InsertMasked(int index, TBitmap* image, TColor maskColor);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void ReplaceMasked(int index, TBitmap* image, TColor maskColor);
  void ReplaceIcon(int index, TIcon* icon);
  void Delete(int index);
  void Clear();
  void Move(int curIndex, int newIndex);

  // Draws an image at x, y; an index outside the list draws nothing. Disabled images are drawn
  // grey.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType imageType,
            bool enabled = true);
  // The image on a white bitmap of the list's size; false for an index outside the list.
  bool GetBitmap(int index, TBitmap* image);
  bool GetIcon(int index, TIcon* icon);
  // The list's own bitmaps (owned by the list).
  HBITMAP GetImageBitmap();
  HBITMAP GetMaskBitmap();

  // Changes between BeginUpdate and the last EndUpdate are told once, at the end.
  void BeginUpdate();
  void EndUpdate();
  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  int Width() const { return FWidth; }
  // A new size empties the list.
  void SetWidth(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int value) { FAllocBy = value > 0 ? value : 1; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor value);
  // A new depth or mask setting remakes the list; its images are kept.
  TColorDepth ColorDepth() const { return FColorDepth; }
  void SetColorDepth(TColorDepth value);
  bool Masked() const { return FMasked; }
  void SetMasked(bool value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle value);
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType value);
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool value) { FShareImages = value; }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }

  // "Bitmap": the images as the image list's own stream.
  void DefineProperties(TFiler& filer) override;
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

protected:
  // Called once the list is constructed (before any image is added).
  virtual void Initialize() {}
  // Tells the change links and OnChange (held back while updating or loading).
  virtual void Change();
  virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);
  void Loaded() override;

private:
  // Adds images at the end through add (which answers the first new index), then moves them to index.
  template <class TAddFunc>
  void InsertAdded(int index, TAddFunc add);
  void HandleNeeded();
  void FreeHandle();
  HIMAGELIST CreateList(int initial) const;
  void RecreateKeepingImages();
  void CheckIndex(int index) const;
  void CheckImage(TBitmap* image) const;
  void DrawDisabled(HDC dc, int x, int y, int index);

  TImageListHandle FHandle;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TColorDepth FColorDepth = TColorDepth::cd24Bit;
  bool FMasked = true;
  TDrawingStyle FDrawingStyle = TDrawingStyle::dsNormal;
  TImageType FImageType = TImageType::itImage;
  bool FShareImages = false;
  TNotifyEvent FOnChange;
  std::vector<TChangeLink*> FLinks;
  int FUpdateCount = 0;
  bool FChanged = false;
};

class TImageList : public TCustomImageList {
  CL_CLASS(TImageList, TCustomImageList)
public:
  explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};

extern const TEnumInfo ColorDepthInfo;
extern const TEnumInfo DrawingStyleInfo;
extern const TEnumInfo ImageTypeInfo;
