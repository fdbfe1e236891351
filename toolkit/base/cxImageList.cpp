#include "toolkit/base/cxImageList.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/dxCore.h"

namespace {
using IL = TcxImageList;
constexpr TPropInfo ImageListProps[] = {
  ColorProp<&IL::BlendColor, &IL::SetBlendColor>("BlendColor", clNone),
  ColorProp<&IL::BkColor, &IL::SetBkColor>("BkColor", clNone),
  BoolProp<&IL::CompressData, &IL::SetCompressData>("CompressData", false),
  EnumProp<&IL::DrawingStyle, &IL::SetDrawingStyle>("DrawingStyle", DrawingStyleInfo,
                                                    static_cast<int>(TDrawingStyle::dsNormal)),
  IntProp<&IL::Height, &IL::SetHeight>("Height", 16),
  EnumProp<&IL::ImageType, &IL::SetImageType>("ImageType", ImageTypeInfo, 0),
  BoolProp<&IL::ShareImages, &IL::SetShareImages>("ShareImages", false),
  IntProp<&IL::Width, &IL::SetWidth>("Width", 16),
  EventProp<&IL::OnChange, &IL::SetOnChange>("OnChange"),
};

using Item = TcxImageInfoItem;
constexpr TPropInfo ImageInfoItemProps[] = {
  PersistentProp<&Item::Image>("Image"),
  PersistentProp<&Item::Mask>("Mask"),
  ColorProp<&Item::MaskColor, &Item::SetMaskColor>("MaskColor", clNone),
};

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

// A bitmap of the cell size holding the cell at (x, y) of the source, in the source's format.
TOwned<TcxBitmap> CutCell(TBitmap* source, int x, int y, int width, int height)
{
  auto cell = MakeOwned<TcxBitmap>(width, height, source->PixelFormat() == TPixelFormat::pfDevice
                                                      ? TPixelFormat::pf24bit
                                                      : source->PixelFormat());
  cell->CopyFromBitmapRect(source, cell->GetFullRect(), SRCCOPY, POINT{x, y});
  return cell;
}

// A monochrome copy of a mask (white: transparent), as the platform list takes it.
TOwned<TBitmap> MonochromeMask(TBitmap* mask, int width, int height)
{
  auto mono = MakeOwned<TBitmap>();
  mono->SetPixelFormat(TPixelFormat::pf1bit);
  mono->SetSize(width, height);
  TCanvasLock lock(mono->Canvas());
  PatBlt(DCOf(mono.get()), 0, 0, width, height, BLACKNESS);  // every pixel opaque
  if (mask && !mask->Empty()) {
    TCanvasLock maskLock(mask->Canvas());
    HDC dc = DCOf(mono.get());
    SetBkColor(DCOf(mask), RGB(255, 255, 255));
    BitBlt(dc, 0, 0, width, height, DCOf(mask), 0, 0, SRCCOPY);
  }
  return mono;
}

// Copies the rect of a bitmap the caller does not own into the output, sized and formatted like it.
void CopyListBitmap(HBITMAP source, const RECT* rect, TBitmap* output)
{
  HBITMAP copy = CopyBitmapHandle(source);
  if (!copy) return;
  if (!rect) {
    output->SetHandle(copy);
    return;
  }
  auto whole = MakeOwned<TBitmap>();
  whole->SetHandle(copy);
  // The output keeps its own format (a 32-bit toolkit bitmap stays 32-bit); a plain bitmap without one
  // takes the list's.
  if (output->PixelFormat() == TPixelFormat::pfDevice) output->SetPixelFormat(whole->PixelFormat());
  output->SetSize(RectWidth(*rect), RectHeight(*rect));
  TCanvasLock lock(output->Canvas()), wholeLock(whole->Canvas());
  BitBlt(DCOf(output), 0, 0, RectWidth(*rect), RectHeight(*rect), DCOf(whole.get()), rect->left, rect->top, SRCCOPY);
  output->SetModified(true);
}

// Sizes the output to the source and copies it.
void CopyInto(TBitmap* output, TBitmap* source)
{
  if (!output || !source) return;
  output->SetSize(source->Width(), source->Height());
  CopyBitmapOnto(output, source);
}
}  // namespace

CL_DEFINE_CLASS(TcxImageInfo);
CL_DEFINE_CLASS(TcxImageInfoItem, .Props = ImageInfoItemProps);
CL_DEFINE_CLASS(TcxImageInfoCollection);
CL_DEFINE_CLASS(TcxImageList, .Props = ImageListProps);

// ---- TcxImageInfo ---------------------------------------------------------------------------------

TcxImageInfo::TcxImageInfo()
    : FImage(MakeOwned<TcxBitmap>()), FMask(MakeOwned<TcxBitmap>()), FInternalMask(MakeOwned<TcxBitmap>())
{
}

TcxImageInfo::~TcxImageInfo() = default;

void TcxImageInfo::Assign(TPersistent* source)
{
  if (auto* info = dynamic_cast<TcxImageInfo*>(source)) {
    AssignImage(info->Image());
    AssignMask(info->Mask());
    FMaskColor = info->MaskColor();
  } else {
    TPersistent::Assign(source);
  }
}

void TcxImageInfo::AssignImage(TBitmap* value)
{
  FImage->Assign(value);
  FImage->Handle();
}

void TcxImageInfo::AssignMask(TBitmap* value)
{
  FMask->Assign(value);
  FMask->Handle();
}

void TcxImageInfo::Dormant()
{
  FImage->Dormant();
  FMask->Dormant();
}

// ---- TcxImageInfoItem -----------------------------------------------------------------------------

TcxImageInfoItem::TcxImageInfoItem(TCollection* collection) : TCollectionItem(collection), FImageInfo(MakeOwned<TcxImageInfo>())
{
}

TcxImageInfoItem::~TcxImageInfoItem() = default;

void TcxImageInfoItem::Assign(TPersistent* source)
{
  if (auto* item = dynamic_cast<TcxImageInfoItem*>(source))
    FImageInfo->Assign(item->ImageInfo());
  else
    TCollectionItem::Assign(source);
}

bool TcxImageInfoItem::CompressData() const
{
  return FImageInfo->Image()->CompressData() && FImageInfo->Mask()->CompressData();
}

void TcxImageInfoItem::SetCompressData(bool value)
{
  if (value == CompressData()) return;
  FImageInfo->Image()->SetCompressData(value);
  FImageInfo->Mask()->SetCompressData(value);
}

// ---- TcxImageInfoCollection -----------------------------------------------------------------------

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* imageList)
    : TCollection(TcxImageInfoItem::StaticClass()), FImageList(imageList)
{
}

TPersistent* TcxImageInfoCollection::GetOwner() const { return FImageList; }

TcxImageInfoItem* TcxImageInfoCollection::Add(TBitmap* image, TBitmap* mask, TColor maskColor)
{
  auto* item = TCollection::Add<TcxImageInfoItem>();
  item->ImageInfo()->AssignImage(image);
  item->ImageInfo()->AssignMask(mask);
  item->SetMaskColor(maskColor);
  return item;
}

void TcxImageInfoCollection::SetCompressData(bool value)
{
  SetAndNotify(FCompressData, value, [&] {
    for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(value);
  });
}

void TcxImageInfoCollection::Notify(TCollectionItem* item, TCollectionNotification action)
{
  TCollection::Notify(item, action);
  if (action == TCollectionNotification::cnAdded) static_cast<TcxImageInfoItem*>(item)->SetCompressData(FCompressData);
}

// ---- TcxImageList: life ---------------------------------------------------------------------------

TcxImageList::TcxImageList(TComponent* owner) : TCustomImageList(owner) {}

TcxImageList::~TcxImageList() = default;

void TcxImageList::Initialize()
{
  BeginChanges();
  TCustomImageList::Initialize();
  FImageInfo = MakeOwned<TcxImageInfoCollection>(this);
  FAlphaBlending = true;
  SetColorDepth(TColorDepth::cd32Bit);
  SetMasked(true);
  Handle();  // ILC_COLOR32 | ILC_MASK, AllocBy for the initial size and the growth
  EndChangesSilently();
}

void TcxImageList::BeforeDestruction()
{
  TCustomImageList::BeforeDestruction();
  FImageInfo.reset();
}

bool TcxImageList::IsReading() const { return ComponentState().Contains(TComponentStateFlag::csReading); }

// ---- Changes --------------------------------------------------------------------------------------

void TcxImageList::EndChanges()
{
  if (FChangeLockCount > 0 && --FChangeLockCount == 0) Change();
}

void TcxImageList::EndChangesSilently()
{
  if (FChangeLockCount > 0) --FChangeLockCount;
}

void TcxImageList::Change()
{
  if (FChangeLockCount > 0 || IsLoading() || IsReading() || IsDestroying() || !FImageInfo) return;
  if (Count() == FImageInfo->Count())
    TCustomImageList::Change();
  else
    SynchronizeFromImageInfo();
}

// ---- Adding ---------------------------------------------------------------------------------------

int TcxImageList::AddCell(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor)
{
  const int before = Count();
  int index;
  if (byColor) {
    // The platform blackens the masked pixels of the bitmap it is given: it gets a clone.
    TOwned<TBitmap> clone = CloneBitmap(image);
    index = ImageList_AddMasked(Handle(), clone->Handle(), ColorToRGB(maskColor));
  } else {
    TOwned<TBitmap> mono = MonochromeMask(mask, image->Width(), image->Height());
    index = ImageList_Add(Handle(), image->Handle(), mono->Handle());
  }
  if (index < 0 || index >= Count() || Count() != before + 1) return -1;
  if (!FSynchronizing) RecordImageInfo(image, byColor ? nullptr : mask, byColor ? maskColor : clNone);
  return index;
}

int TcxImageList::AddCells(TBitmap* image, TBitmap* mask, TColor maskColor, bool byColor)
{
  if (!BitmapHasImage(image)) return -1;
  const int w = Width(), h = Height();
  const int columns = image->Width() / w, rows = image->Height() / h;
  if (columns == 0 || rows == 0) return -1;
  const bool hasMask = BitmapHasImage(mask);
  int first = -1;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      int index;
      if (rows == 1 && columns == 1 && image->Width() == w && image->Height() == h) {
        index = AddCell(image, hasMask ? mask : nullptr, maskColor, byColor);
      } else {
        TOwned<TcxBitmap> cell = CutCell(image, c * w, r * h, w, h);
        TOwned<TcxBitmap> cellMask = hasMask ? CutCell(mask, c * w, r * h, w, h) : nullptr;
        index = AddCell(cell.get(), cellMask.get(), maskColor, byColor);
      }
      if (index < 0) return first;
      if (first < 0) first = index;
    }
  return first;
}

void TcxImageList::RecordImageInfo(TBitmap* image, TBitmap* mask, TColor maskColor)
{
  TcxImageInfoItem* item = FImageInfo->Add(image, mask, maskColor);
  item->ImageInfo()->Dormant();
}

int TcxImageList::AddBitmapWithMask(TBitmap* image, TBitmap* mask)
{
  int result;
  BeginChanges();
  try {
    result = AddCells(image, mask, clNone, false);
  } catch (...) {
    EndChangesSilently();
    throw;
  }
  EndChangesSilently();
  Change();
  return result;
}

int TcxImageList::AddBitmapMaskedByColor(TBitmap* image, TColor color)
{
  if (color == clNone) return AddBitmapWithMask(image, nullptr);
  int result;
  BeginChanges();
  try {
    result = AddCells(image, nullptr, color, true);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
  return result;
}

void TcxImageList::InsertBitmapAt(int index, TBitmap* image, TBitmap* mask)
{
  if (index < 0 || index > Count()) return;
  BeginChanges();
  try {
    const int before = Count();
    const int first = AddBitmapWithMask(image, mask);
    if (first >= 0)
      for (int k = 0, added = Count() - before; k < added; ++k) MoveImage(first + k, index + k);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

void TcxImageList::ReplaceImageAt(int index, TBitmap* image, TBitmap* mask)
{
  if (index < 0 || index >= Count()) return;
  BeginChanges();
  try {
    DeleteImage(index);
    InsertBitmapAt(index, image, mask);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

// ---- Moving and deleting --------------------------------------------------------------------------

void TcxImageList::MoveImage(int fromIndex, int toIndex)
{
  if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= Count() || toIndex >= Count()) return;
  BeginChanges();
  try {
    TCustomImageList::Move(fromIndex, toIndex);
    if (!FSynchronizing && fromIndex < FImageInfo->Count() && toIndex < FImageInfo->Count())
      FImageInfo->Items(fromIndex)->SetIndex(toIndex);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

void TcxImageList::DeleteImage(int index)
{
  if (index != -1 && (index < 0 || index >= Count())) return;
  BeginChanges();
  try {
    TCustomImageList::Delete(index);
    if (!FSynchronizing) {
      if (index == -1)
        FImageInfo->Clear();
      else if (index < FImageInfo->Count())
        FImageInfo->Delete(index);
    }
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

// ---- Keeping the two copies in step ---------------------------------------------------------------

void TcxImageList::SynchronizeFromImageInfo()
{
  BeginChanges();
  FSynchronizing = true;
  try {
    if (HandleAllocated()) ImageList_Remove(Handle(), -1);
    // Items that do not fit a cell, or that the platform refuses, go together at the end.
    std::vector<TCollectionItem*> refused;
    for (int i = 0; i < FImageInfo->Count(); ++i) {
      TcxImageInfo* info = FImageInfo->Items(i)->ImageInfo();
      if (FitToCell(info) && AddInfoImage(info) >= 0)
        info->Dormant();
      else
        refused.push_back(FImageInfo->Items(i));
    }
    size_t next = 0;
    FImageInfo->DeleteWhere([&](TCollectionItem* item) {
      if (next == refused.size() || refused[next] != item) return false;
      ++next;
      return true;
    });
  } catch (...) {
    FSynchronizing = false;
    EndChangesSilently();
    throw;
  }
  FSynchronizing = false;
  EndChanges();
}

bool TcxImageList::FitToCell(TcxImageInfo* info)
{
  TcxBitmap* image = info->Image();
  TcxBitmap* mask = info->Mask();
  const int w = Width(), h = Height();
  if (image->Width() < w || image->Height() < h) return false;
  // A mask covers at least the cell, or the item cannot be drawn as stored.
  const bool hasMask = BitmapHasImage(mask);
  if (hasMask && (mask->Width() < w || mask->Height() < h)) return false;
  // Larger than a cell: the item keeps its top-left cell, which is all the platform list shows of it;
  // its mask is cut to the same cell, so no larger mask is kept (and written back) beside it.
  if (hasMask && (mask->Width() != w || mask->Height() != h)) {
    TOwned<TcxBitmap> maskCell = CutCell(mask, 0, 0, w, h);
    info->AssignMask(maskCell.get());
  }
  if (image->Width() != w || image->Height() != h) {
    TOwned<TcxBitmap> cell = CutCell(image, 0, 0, w, h);
    info->AssignImage(cell.get());
  }
  return true;
}

int TcxImageList::AddInfoImage(TcxImageInfo* info)
{
  return BitmapHasImage(info->Mask()) ? AddBitmapWithMask(info->Image(), info->Mask())
                                      : AddBitmapMaskedByColor(info->Image(), info->MaskColor());
}

void TcxImageList::RebuildImageInfo()
{
  FImageInfo->BeginUpdate();
  try {
    FImageInfo->Clear();
    for (int i = 0; i < Count(); ++i) {
      auto image = MakeOwned<TcxBitmap32>(Width(), Height());
      auto mask = MakeOwned<TcxBitmap>(Width(), Height(), TPixelFormat::pf1bit);
      ExtractImageAndMask(Handle(), i, mask.get(), image.get());
      FImageInfo->Add(image.get(), mask.get(), clNone)->ImageInfo()->Dormant();
    }
  } catch (...) {
    FImageInfo->EndUpdate();
    throw;
  }
  FImageInfo->EndUpdate();
}

// ---- Sizes ----------------------------------------------------------------------------------------

void TcxImageList::SetSizeOfImages(int width, int height)
{
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == Width() && height == Height()) return;
  BeginChanges();
  try {
    DeleteImage(-1);
    TCustomImageList::SetWidth(width);
    TCustomImageList::SetHeight(height);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

// ---- Reading images back --------------------------------------------------------------------------

void TcxImageList::GetImageAndMask(int index, TBitmap* image, TBitmap* mask)
{
  if (index < 0 || index >= Count() || index >= FImageInfo->Count()) return;
  TcxImageInfo* info = FImageInfo->Items(index)->ImageInfo();
  if (GetBitmapBitsPerPixel(info->Image()) == 32 || Win9xPlatform) {
    CopyInto(image, info->Image());
    if (mask) {
      if (BitmapHasImage(info->Mask())) {
        CopyInto(mask, info->Mask());
      } else {
        if (info->InternalMask()->Empty()) ExtractImageAndMask(Handle(), index, info->InternalMask(), nullptr);
        CopyInto(mask, info->InternalMask());
      }
    }
  } else {
    ExtractImageAndMask(Handle(), index, mask, image);
  }
  info->Dormant();
}

void TcxImageList::GetListImageAndMask(TCustomImageList* list, int index, TBitmap* mask, TBitmap* image)
{
  if (!list) return;
  if (auto* cx = dynamic_cast<TcxImageList*>(list))
    cx->GetImageAndMask(index, image, mask);
  else if (index >= 0 && index < list->Count())
    ExtractImageAndMask(list->Handle(), index, mask, image);
}

void TcxImageList::ExtractImageAndMask(HIMAGELIST handle, int index, TBitmap* mask, TBitmap* image)
{
  IMAGEINFO info{};
  if (!handle || !ImageList_GetImageInfo(handle, index < 0 ? 0 : index, &info)) return;
  const RECT* rect = index < 0 ? nullptr : &info.rcImage;
  if (mask) {
    if (info.hbmMask) {
      CopyListBitmap(info.hbmMask, rect, mask);
    } else {
      if (rect) mask->SetSize(RectWidth(*rect), RectHeight(*rect));
      TCanvasLock lock(mask->Canvas());
      PatBlt(DCOf(mask), 0, 0, mask->Width(), mask->Height(), BLACKNESS);
      mask->SetModified(true);
    }
  }
  if (image && info.hbmImage) CopyListBitmap(info.hbmImage, rect, image);
}

int TcxImageList::GetListBitsPerPixel(HIMAGELIST handle)
{
  IMAGEINFO info{};
  BITMAP bm{};
  if (!handle || !ImageList_GetImageInfo(handle, 0, &info) || !info.hbmImage) return 0;
  if (GetObject(info.hbmImage, sizeof bm, &bm) != sizeof bm) return 0;
  return bm.bmBitsPixel * bm.bmPlanes;
}

// ---- Copying between lists ------------------------------------------------------------------------

void TcxImageList::CopyImagesFrom(TCustomImageList* source)
{
  if (auto* cx = dynamic_cast<TcxImageList*>(source)) {
    for (int i = 0; i < cx->FImageInfo->Count(); ++i) {
      TcxImageInfo* info = cx->FImageInfo->Items(i)->ImageInfo();
      AddInfoImage(info);
      info->Dormant();
    }
    return;
  }
  for (int i = 0; i < source->Count(); ++i) {
    auto image = MakeOwned<TcxBitmap32>(Width(), Height());
    auto mask = MakeOwned<TcxBitmap>(Width(), Height(), TPixelFormat::pf1bit);
    ExtractImageAndMask(source->Handle(), i, mask.get(), image.get());
    AddBitmapWithMask(image.get(), mask.get());
  }
}

void TcxImageList::Assign(TPersistent* source)
{
  auto* list = dynamic_cast<TCustomImageList*>(source);
  if (!list || list == this) return;
  BeginChanges();
  try {
    TCustomImageList::Assign(list);
    SetColorDepth(TColorDepth::cd32Bit);
    SetMasked(true);
    DeleteImage(-1);
    CopyImagesFrom(list);
  } catch (...) {
    EndChanges();
    throw;
  }
  EndChanges();
}

// ---- Drawing --------------------------------------------------------------------------------------

void TcxImageList::DrawImageInRect(int index, TCanvas* canvas, bool enabled, bool smooth, bool stretch,
                                   TDrawingStyle style, const RECT& rect)
{
  if (!canvas || index < 0 || index >= Count()) return;
  if (RectWidth(rect) == Width() && RectHeight(rect) == Height()) stretch = false;
  RECT imageRect = rect;
  if (!stretch) {
    imageRect.left = (rect.left + rect.right - Width()) / 2;
    imageRect.top = (rect.top + rect.bottom - Height()) / 2;
    imageRect.right = imageRect.left + Width();
    imageRect.bottom = imageRect.top + Height();
  }
  const TcxImageDrawMode mode = enabled ? idmNormal : idmDisabled;
  TCanvasLock lock(canvas);
  if (FAlphaBlending) {
    DrawImageInMode(canvas->Handle(), imageRect, rect, nullptr, this, index, mode, smooth, nullptr, clNone, true);
  } else if (stretch) {
    auto cell = MakeOwned<TcxBitmap>(Width(), Height());
    TCustomImageList::Draw(cell->Canvas(), 0, 0, index, style, ImageType(), enabled);
    DrawImageInMode(canvas->Handle(), imageRect, rect, cell.get(), nullptr, -1, mode, smooth, nullptr, clNone, true);
  } else {
    TCustomImageList::DoDraw(index, canvas, imageRect.left, imageRect.top, 0, enabled);
  }
}

void TcxImageList::DrawImageAt(int index, TCanvas* canvas, int x, int y, TDrawingStyle style, bool enabled)
{
  DrawImageInRect(index, canvas, enabled, false, false, style, RECT{x, y, x + Width(), y + Height()});
}

void TcxImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled)
{
  (void)style;
  DrawImageAt(index, canvas, x, y, DrawingStyle(), enabled);
}

// ---- Stored form ----------------------------------------------------------------------------------

void TcxImageList::DefineProperties(TFiler& filer)
{
  filer.DefineProperty(
      "FormatVersion", [this](TReader& r) { FFormatVersion = r.ReadInteger(); },
      [this](TWriter& w) {
        FFormatVersion = 1;
        w.WriteInteger(FFormatVersion);
      },
      true);
  if (IsReading()) {
    // Older forms: the class library's position and "Bitmap"; ImageInfo follows the images read.
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Bitmap",
        [this](TStream& s) {
          ReadData(s);
          RebuildImageInfo();
        },
        nullptr, false);
  }
  auto* ancestor = dynamic_cast<TCustomImageList*>(filer.Ancestor());
  filer.DefineProperty(
      "DesignInfo", [this](TReader& r) { SetDesignInfo(r.ReadInteger()); },
      [this](TWriter& w) { w.WriteInteger(DesignInfo()); }, !ancestor || ancestor->DesignInfo() != DesignInfo());
  filer.DefineProperty(
      "ImageInfo",
      [this](TReader& r) {
        if (r.ReadValue() != TValueType::vaCollection) throw EReadError("Invalid property value of ImageInfo");
        FImageInfo->Clear();
        // An item without an image holds nothing: it is dropped as soon as it is read.
        r.ReadCollection(FImageInfo.get(), [](TCollectionItem* item) {
          return BitmapHasImage(static_cast<TcxImageInfoItem*>(item)->ImageInfo()->Image());
        });
        SynchronizeFromImageInfo();
      },
      [this](TWriter& w) { w.WriteCollection(FImageInfo.get()); },
      ancestor ? !AreImageListsEqual(this, ancestor) : Count() > 0);
}

// ---- Free functions -------------------------------------------------------------------------------

bool AreImageListsEqual(TCustomImageList* list1, TCustomImageList* list2)
{
  if (!list1 || !list2) return list1 == list2;
  if (list1->Count() != list2->Count()) return false;
  if (list1->Count() == 0) return true;
  auto a = MakeOwned<TMemoryStream>();
  auto b = MakeOwned<TMemoryStream>();
  list1->WriteData(*a);
  list2->WriteData(*b);
  return a->Size() == b->Size() && std::memcmp(a->Memory(), b->Memory(), static_cast<size_t>(a->Size())) == 0;
}

int CountImagesInStrip(TBitmap* bitmap, int cellWidth, int cellHeight)
{
  if (!bitmap || cellWidth <= 0 || cellHeight <= 0) return 1;
  if (bitmap->Width() % cellWidth != 0 || bitmap->Height() % cellHeight != 0) return 1;
  return (bitmap->Width() / cellWidth) * (bitmap->Height() / cellHeight);
}

HBITMAP CopyBitmapHandle(HBITMAP bitmap)
{
  if (!bitmap) return nullptr;
  BITMAP bm{};
  if (Win9xPlatform && GetObject(bitmap, sizeof bm, &bm) == sizeof bm && bm.bmBitsPixel == 32) {
    // By hand into a bottom-up 32-bit DIB section: from its own bits, or from what the platform reads.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy || !bits) return copy;
    const size_t size = static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4;
    DIBSECTION ds{};
    if (GetObject(bitmap, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits && ds.dsBmih.biHeight > 0) {
      std::memcpy(bits, ds.dsBm.bmBits, size);
    } else {
      TScreenDC screen;
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), bits, &info, DIB_RGB_COLORS);
    }
    return copy;
  }
  return static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
