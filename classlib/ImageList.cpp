#include "classlib/ImageList.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ByteOrder.h"
#include "classlib/Icon.h"
#include "classlib/StreamAdapter.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view ColorDepthNames[] = {"cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit",
                                                "cd32Bit"};
constexpr std::string_view DrawingStyleNames[] = {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"};
constexpr std::string_view ImageTypeNames[] = {"itImage", "itMask"};
constexpr UINT DrawingStyleFlags[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
constexpr UINT ColorDepthFlags[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};

// Colours as the image-list functions take them: clNone is CLR_NONE, clDefault CLR_DEFAULT.
COLORREF ListColor(TColor color)
{
  if (color == clNone) return CLR_NONE;
  if (color == clDefault) return CLR_DEFAULT;
  return GdiColor(color);
}

// The image list's stored form, as the platform reads and writes it: a 28-byte header, then the
// image bitmap and (for a masked list) the mask bitmap, each a bitmap file header, an info header,
// a full colour table up to 8 bits per pixel and the rows. The images sit in rows of four cells.
//
// The platform's reader trusts every count and size in it: a wrong one crashes it or damages the
// heap. So the data is checked here first, against itself and against the bytes there are, and only
// data that passes, cut to exactly what the reader will take, is handed over.
constexpr int ImageListHeaderSize = 28;
constexpr int ImageListTileCount = 4;
constexpr int MaxImageListCell = 1024;  // pixels on a side of one cell

[[noreturn]] void InvalidImageListData(const std::string& reason)
{
  throw EReadError("Failed to read ImageList data from stream: " + reason);
}

struct TStoredBitmap {
  int32_t Width = 0;
  int32_t Height = 0;  // as stored: negative for top-down rows
  int BitCount = 0;
};

// Checks one bitmap of the data at offset; answers it and moves offset past it.
TStoredBitmap CheckStoredBitmap(std::span<const uint8_t> data, size_t& offset, const char* which)
{
  auto bad = [&](const std::string& what) { InvalidImageListData(std::string("the ") + which + " bitmap " + what); };
  constexpr size_t HeaderSize = 14 + 40;
  if (data.size() - offset < HeaderSize) bad("is truncated");
  const uint8_t* p = data.data() + offset;
  if (p[0] != 'B' || p[1] != 'M') bad("has no bitmap signature");
  const uint8_t* info = p + 14;
  if (LoadU32(info) != 40) bad("has an unknown header");
  TStoredBitmap bm;
  bm.Width = static_cast<int32_t>(LoadU32(info + 4));
  bm.Height = static_cast<int32_t>(LoadU32(info + 8));
  bm.BitCount = LoadU16(info + 14);
  if (LoadU16(info + 12) != 1) bad("has more than one plane");
  switch (bm.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: bad("has " + std::to_string(bm.BitCount) + " bits per pixel");
  }
  if (LoadU32(info + 16) != BI_RGB) bad("is compressed");
  if (bm.Width <= 0 || bm.Height == 0 || bm.Height == INT32_MIN) bad("has no size");
  const uint64_t rows = static_cast<uint64_t>(bm.Height < 0 ? -int64_t{bm.Height} : int64_t{bm.Height});
  if (static_cast<uint64_t>(bm.Width) * rows > MaxPicturePixels) bad("is too large");
  // The platform reads a whole colour table up to 8 bits per pixel, whatever the header says.
  const uint64_t table = bm.BitCount <= 8 ? (uint64_t{1} << bm.BitCount) * 4 : 0;
  const uint64_t stride = (static_cast<uint64_t>(bm.Width) * bm.BitCount + 31) / 32 * 4;
  const uint64_t size = HeaderSize + table + stride * rows;
  if (data.size() - offset < size) bad("is truncated");
  offset += static_cast<size_t>(size);
  return bm;
}

// The length of the stored image list at the start of data, checked as a whole.
size_t CheckImageListData(std::span<const uint8_t> data)
{
  if (data.size() < ImageListHeaderSize) InvalidImageListData("the header is truncated");
  const uint8_t* h = data.data();
  if (LoadU16(h) != 0x4C49) InvalidImageListData("not image list data");
  if (LoadU16(h + 2) != 0x101) InvalidImageListData("version " + std::to_string(LoadU16(h + 2)) + " is not known");
  const int current = LoadU16(h + 4), allocated = LoadU16(h + 6), cx = LoadU16(h + 10), cy = LoadU16(h + 12);
  const unsigned flags = LoadU16(h + 18);
  if (current > allocated)
    InvalidImageListData(std::to_string(current) + " images in room for " + std::to_string(allocated));
  if (cx < 1 || cy < 1 || cx > MaxImageListCell || cy > MaxImageListCell)
    InvalidImageListData("cells of " + std::to_string(cx) + " x " + std::to_string(cy) + " pixels");
  const unsigned depth = flags & 0xFE;
  if ((flags & ~0xFFu) != 0 || (depth != 0 && depth != ILC_COLOR4 && depth != ILC_COLOR8 && depth != ILC_COLOR16 &&
                                depth != ILC_COLOR24 && depth != ILC_COLOR32 && depth != ILC_COLORDDB))
    InvalidImageListData("unknown flags " + std::to_string(flags));
  // The list the platform makes holds one image more than the room stored, in rows of four.
  const uint64_t listRows = (static_cast<uint64_t>(allocated) + ImageListTileCount) / ImageListTileCount;
  if (uint64_t{ImageListTileCount} * cx * listRows * cy > MaxPicturePixels) InvalidImageListData("the list is too large");

  size_t offset = ImageListHeaderSize;
  const TStoredBitmap image = CheckStoredBitmap(data, offset, "image");
  const int64_t imageRows = image.Height < 0 ? -int64_t{image.Height} : image.Height;
  const int64_t neededRows = int64_t{cy} * ((current + ImageListTileCount - 1) / ImageListTileCount);
  if (image.Width != ImageListTileCount * cx || imageRows < neededRows)
    InvalidImageListData("the image bitmap does not hold " + std::to_string(current) + " cells of " +
                         std::to_string(cx) + " x " + std::to_string(cy) + " pixels");
  if (flags & ILC_MASK) {
    const TStoredBitmap mask = CheckStoredBitmap(data, offset, "mask");
    if (mask.BitCount != 1 || mask.Width != image.Width || mask.Height != image.Height)
      InvalidImageListData("the mask bitmap does not match the image bitmap");
  }
  return offset;
}

// Makes the pixels under a mask black, as image lists draw an image by masking and then merging.
// Works on a copy: the caller's bitmap is left alone.
void BlackenMasked(TBitmap& image, HBITMAP mask, int width, int height)
{
  TCanvas* canvas = image.Canvas();
  TCanvasLock lock(canvas);
  HDC dc = canvas->Handle();
  TDCHandle maskDC(CreateCompatibleDC(dc));
  TSelectObject sel(maskDC.Get(), mask);
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  constexpr DWORD DSna = 0x00220326;  // destination AND NOT source: black where the mask is white
  BitBlt(dc, 0, 0, width, height, maskDC.Get(), 0, 0, DSna);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

// A 32-bit top-down DIB section in a memory DC, for reading and writing pixels.
class TPixelBuffer {
public:
  TPixelBuffer(int width, int height) : FWidth(width), FHeight(height)
  {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    FDC.Reset(CreateCompatibleDC(nullptr));
    if (!FBitmap || !FDC || !bits) RaiseLastOSError();
    FBits = static_cast<uint32_t*>(bits);
    FOld = SelectObject(FDC.Get(), FBitmap.Get());
  }
  ~TPixelBuffer() { SelectObject(FDC.Get(), FOld); }
  HDC DC() const { return FDC.Get(); }
  uint32_t* Bits() const { return FBits; }
  void Fill(uint32_t value) { std::fill(FBits, FBits + static_cast<size_t>(FWidth) * FHeight, value); }

private:
  int FWidth, FHeight;
  TBitmapHandle FBitmap;
  TDCHandle FDC;
  uint32_t* FBits = nullptr;
  HGDIOBJ FOld = nullptr;
};
}  // namespace

const TEnumInfo ColorDepthInfo = EnumInfo<TColorDepth::cd32Bit>("TColorDepth", ColorDepthNames);
const TEnumInfo DrawingStyleInfo = EnumInfo<TDrawingStyle::dsTransparent>("TDrawingStyle", DrawingStyleNames);
const TEnumInfo ImageTypeInfo = EnumInfo<TImageType::itMask>("TImageType", ImageTypeNames);

namespace {
using IL = TCustomImageList;
constexpr TPropInfo ImageListProps[] = {
  ColorProp<&IL::BlendColor, &IL::SetBlendColor>("BlendColor", clNone),
  ColorProp<&IL::BkColor, &IL::SetBkColor>("BkColor", clNone),
  IntProp<&IL::AllocBy, &IL::SetAllocBy>("AllocBy", 4),
  EnumProp<&IL::ColorDepth, &IL::SetColorDepth>("ColorDepth", ColorDepthInfo,
                                                static_cast<int>(TColorDepth::cd24Bit)),
  EnumProp<&IL::DrawingStyle, &IL::SetDrawingStyle>("DrawingStyle", DrawingStyleInfo,
                                                    static_cast<int>(TDrawingStyle::dsNormal)),
  IntProp<&IL::Height, &IL::SetHeight>("Height", 16),
  EnumProp<&IL::ImageType, &IL::SetImageType>("ImageType", ImageTypeInfo, 0),
  BoolProp<&IL::Masked, &IL::SetMasked>("Masked", true),
  BoolProp<&IL::ShareImages, &IL::SetShareImages>("ShareImages", false),
  IntProp<&IL::Width, &IL::SetWidth>("Width", 16),
  EventProp<&IL::OnChange, &IL::SetOnChange>("OnChange"),
};
}  // namespace

CL_DEFINE_CLASS(TChangeLink);
CL_DEFINE_CLASS(TCustomImageList);
CL_DEFINE_CLASS(TImageList, .Props = ImageListProps);

// ---- TChangeLink ---------------------------------------------------------------------------------

TChangeLink::~TChangeLink()
{
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
  if (FOnChange) FOnChange(FSender);
}

// ---- Life ----------------------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList()
{
  FreeHandle();
  for (TChangeLink* link : FLinks) link->FSender = nullptr;
}

void TCustomImageList::AfterConstruction()
{
  Initialize();
  TComponent::AfterConstruction();
}

void TCustomImageList::BeforeDestruction()
{
  for (TChangeLink* link : FLinks) link->FSender = nullptr;
  FLinks.clear();
  TComponent::BeforeDestruction();
}

HIMAGELIST TCustomImageList::CreateList(int initial) const
{
  UINT flags = ColorDepthFlags[static_cast<int>(FColorDepth)] | (FMasked ? ILC_MASK : 0);
  HIMAGELIST list = ImageList_Create(FWidth, FHeight, flags, std::max(initial, 1), FAllocBy);
  if (!list) throw EOutOfMemory("Out of system resources: cannot create an image list");
  ImageList_SetBkColor(list, ListColor(FBkColor));
  return list;
}

void TCustomImageList::HandleNeeded()
{
  if (!FHandle) FHandle.Reset(CreateList(FAllocBy));
}

void TCustomImageList::FreeHandle()
{
  if (FShareImages)
    FHandle.Release();
  else
    FHandle.Reset();
}

HIMAGELIST TCustomImageList::Handle()
{
  HandleNeeded();
  return FHandle.Get();
}

void TCustomImageList::SetHandle(HIMAGELIST list)
{
  if (list && list == FHandle.Get()) return;
  FreeHandle();
  FHandle.Reset(list);
  if (list) {
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    FWidth = w;
    FHeight = h;
  }
  Change();
}

// A list made again with the current depth and mask setting; the images come along as icons, which
// carry their masks.
void TCustomImageList::RecreateKeepingImages()
{
  if (!FHandle) return;
  const int count = Count();
  TImageListHandle list(CreateList(std::max(count, FAllocBy)));
  for (int i = 0; i < count; ++i) {
    TIconHandle icon(ImageList_GetIcon(FHandle.Get(), i, ILD_NORMAL));
    if (icon) ImageList_ReplaceIcon(list.Get(), -1, icon.Get());
  }
  FreeHandle();
  FHandle = std::move(list);
}

// ---- Images --------------------------------------------------------------------------------------

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle.Get()) : 0; }

void TCustomImageList::CheckIndex(int index) const
{
  if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

void TCustomImageList::CheckImage(TBitmap* image) const
{
  if (!image || image->Width() < FWidth || image->Height() < FHeight)
    throw EInvalidOperation("Invalid image size");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
  CheckImage(image);
  HandleNeeded();
  int result;
  if (mask && !mask->Empty() && FMasked) {
    auto copy = MakeOwned<TBitmap>();
    copy->Assign(image);
    auto monoMask = MakeOwned<TBitmap>();
    monoMask->Assign(mask);
    monoMask->SetMonochrome(true);
    BlackenMasked(*copy, monoMask->Handle(), copy->Width(), copy->Height());
    result = ImageList_Add(FHandle.Get(), copy->Handle(), monoMask->Handle());
  } else {
    result = ImageList_Add(FHandle.Get(), image->Handle(), nullptr);
  }
  Change();
  return result;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
  if (!FMasked || maskColor == clNone) return Add(image, nullptr);
  CheckImage(image);
  HandleNeeded();
  COLORREF color = GdiColor(maskColor == clDefault ? image->TransparentColor() : maskColor);
  auto copy = MakeOwned<TBitmap>();  // ImageList_AddMasked blackens the masked pixels of the bitmap it is given
  copy->Assign(image);
  int result = ImageList_AddMasked(FHandle.Get(), copy->Handle(), color);
  Change();
  return result;
}

int TCustomImageList::AddIcon(TIcon* icon)
{
  if (!icon || icon->Empty()) throw EInvalidOperation("Invalid image size");
  HandleNeeded();
  int result = ImageList_ReplaceIcon(FHandle.Get(), -1, icon->Handle());
  Change();
  return result;
}

void TCustomImageList::AddImages(TCustomImageList* list)
{
  if (!list || list == this || list->Count() == 0) return;
  HandleNeeded();
  for (int i = 0; i < list->Count(); ++i) {
    TIconHandle icon(ImageList_GetIcon(list->Handle(), i, ILD_NORMAL));
    if (icon) ImageList_ReplaceIcon(FHandle.Get(), -1, icon.Get());
  }
  Change();
}

template <class TAddFunc>
void TCustomImageList::InsertAdded(int index, TAddFunc add)
{
  if (index < 0 || index > Count()) throw EInvalidOperation("Invalid ImageList Index");
  BeginUpdate();
  try {
    // The images go to the end first and are then moved to the index, one after another.
    int first = add();
    if (first >= 0)
      for (int k = 0, added = Count() - first; k < added; ++k) Move(first + k, index + k);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask)
{
  InsertAdded(index, [&] { return Add(image, mask); });
}

void TCustomImageList::InsertMasked(int index, TBitmap* image, TColor maskColor)
{
  InsertAdded(index, [&] { return AddMasked(image, maskColor); });
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask)
{
  CheckIndex(index);
  CheckImage(image);
  BOOL ok;
  if (mask && !mask->Empty() && FMasked) {
    auto copy = MakeOwned<TBitmap>();
    copy->Assign(image);
    auto monoMask = MakeOwned<TBitmap>();
    monoMask->Assign(mask);
    monoMask->SetMonochrome(true);
    BlackenMasked(*copy, monoMask->Handle(), copy->Width(), copy->Height());
    ok = ImageList_Replace(FHandle.Get(), index, copy->Handle(), monoMask->Handle());
  } else {
    ok = ImageList_Replace(FHandle.Get(), index, image->Handle(), nullptr);
  }
  if (!ok) throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* image, TColor maskColor)
{
  if (!FMasked || maskColor == clNone) return Replace(index, image, nullptr);
  CheckIndex(index);
  CheckImage(image);
  auto copy = MakeOwned<TBitmap>();
  copy->Assign(image);
  copy->SetTransparentColor(maskColor);
  auto mask = MakeOwned<TBitmap>();
  mask->SetHandle(copy->ReleaseMaskHandle());
  BlackenMasked(*copy, mask->Handle(), copy->Width(), copy->Height());
  if (!ImageList_Replace(FHandle.Get(), index, copy->Handle(), mask->Handle()))
    throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::ReplaceIcon(int index, TIcon* icon)
{
  CheckIndex(index);
  if (!icon || icon->Empty()) throw EInvalidOperation("Invalid image size");
  if (ImageList_ReplaceIcon(FHandle.Get(), index, icon->Handle()) < 0) throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::Delete(int index)
{
  if (index == -1) return Clear();
  CheckIndex(index);
  ImageList_Remove(FHandle.Get(), index);
  Change();
}

void TCustomImageList::Clear()
{
  if (FHandle) ImageList_Remove(FHandle.Get(), -1);
  Change();
}

void TCustomImageList::Move(int curIndex, int newIndex)
{
  if (curIndex == newIndex) return;
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  // The image waits in a list of one while its neighbours shift up or down by one place. (Swapping
  // in place needs bitmaps of the list's depth that not every platform can select.)
  HIMAGELIST list = FHandle.Get();
  UINT flags = ColorDepthFlags[static_cast<int>(FColorDepth)] | (FMasked ? ILC_MASK : 0);
  TImageListHandle spare(ImageList_Create(FWidth, FHeight, flags, 1, 1));
  if (!spare || !ImageList_SetImageCount(spare.Get(), 1)) throw EOutOfMemory("Out of system resources");
  ImageList_Copy(spare.Get(), 0, list, curIndex, ILCF_MOVE);
  const int step = newIndex > curIndex ? 1 : -1;
  for (int i = curIndex; i != newIndex; i += step) ImageList_Copy(list, i, list, i + step, ILCF_MOVE);
  ImageList_Copy(list, newIndex, spare.Get(), 0, ILCF_MOVE);
  Change();
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image)
{
  if (!image || index < 0 || index >= Count()) return false;
  image->SetSize(0, 0);
  image->SetSize(FWidth, FHeight);
  Draw(image->Canvas(), 0, 0, index);
  return true;
}

bool TCustomImageList::GetIcon(int index, TIcon* icon)
{
  if (!icon || index < 0 || index >= Count()) return false;
  HICON h = ImageList_GetIcon(FHandle.Get(), index, ILD_NORMAL);
  if (!h) return false;
  TIconHandle guard(h);
  icon->SetHandle(guard.Release());
  return true;
}

HBITMAP TCustomImageList::GetImageBitmap()
{
  IMAGEINFO info{};
  return Count() > 0 && ImageList_GetImageInfo(FHandle.Get(), 0, &info) ? info.hbmImage : nullptr;
}

HBITMAP TCustomImageList::GetMaskBitmap()
{
  IMAGEINFO info{};
  return Count() > 0 && ImageList_GetImageInfo(FHandle.Get(), 0, &info) ? info.hbmMask : nullptr;
}

// ---- Drawing -------------------------------------------------------------------------------------

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
  Draw(canvas, x, y, index, FDrawingStyle, FImageType, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType imageType,
                            bool enabled)
{
  if (!canvas || index < 0 || index >= Count()) return;
  UINT flags = DrawingStyleFlags[static_cast<int>(style)] | (imageType == TImageType::itMask ? ILD_MASK : 0);
  DoDraw(index, canvas, x, y, flags, enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled)
{
  TCanvasLock lock(canvas);
  HDC dc = canvas->Handle();
  if (enabled)
    ImageList_DrawEx(FHandle.Get(), index, dc, x, y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor), style);
  else
    DrawDisabled(dc, x, y, index);
}

// A disabled image: each pixel's brightness, lightened halfway to white, over what is behind it with
// the image's own transparency. The coverage of each pixel comes from drawing the image once on
// black and once on white: where the two differ the image lets the background through.
void TCustomImageList::DrawDisabled(HDC dc, int x, int y, int index)
{
  const int w = FWidth, h = FHeight;
  TPixelBuffer onBlack(w, h), onWhite(w, h), behind(w, h);
  onBlack.Fill(0x000000);
  onWhite.Fill(0xFFFFFF);
  ImageList_DrawEx(FHandle.Get(), index, onBlack.DC(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  ImageList_DrawEx(FHandle.Get(), index, onWhite.DC(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
  GdiFlush();
  BitBlt(behind.DC(), 0, 0, w, h, dc, x, y, SRCCOPY);
  GdiFlush();
  for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i) {
    const uint32_t b = onBlack.Bits()[i], wh = onWhite.Bits()[i];
    int cover = 0, luma = 0;
    for (int shift = 0; shift < 24; shift += 8) cover += 255 - (((wh >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    cover = std::clamp(cover / 3, 0, 255);
    if (cover == 0) continue;
    // On black the image shows its colour times its coverage.
    const int r = (b >> 16) & 0xFF, g = (b >> 8) & 0xFF, bl = b & 0xFF;
    luma = std::min(255, ((r * 77 + g * 151 + bl * 28) >> 8) * 255 / cover);
    const int grey = luma + (255 - luma) / 2;
    uint32_t& d = behind.Bits()[i];
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      int v = ((d >> shift) & 0xFF) * (255 - cover) / 255 + grey * cover / 255;
      out |= static_cast<uint32_t>(v) << shift;
    }
    d = out;
  }
  GdiFlush();
  BitBlt(dc, x, y, w, h, behind.DC(), 0, 0, SRCCOPY);
}

// ---- Changes -------------------------------------------------------------------------------------

void TCustomImageList::BeginUpdate() { ++FUpdateCount; }

void TCustomImageList::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
  if (!link || std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) return;
  if (link->FSender) link->FSender->UnRegisterChanges(link);
  link->FSender = this;
  FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
  auto it = std::find(FLinks.begin(), FLinks.end(), link);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  link->FSender = nullptr;
}

void TCustomImageList::Change()
{
  FChanged = true;
  if (FUpdateCount > 0 || IsLoading() || IsDestroying()) return;
  FChanged = false;
  // A link may unregister (or be destroyed) while another is told.
  std::vector<TChangeLink*> links = FLinks;
  for (TChangeLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
  if (FOnChange) FOnChange(this);
}

void TCustomImageList::Loaded()
{
  TComponent::Loaded();
  if (FChanged) Change();
}

// ---- Settings ------------------------------------------------------------------------------------

void TCustomImageList::SetWidth(int value)
{
  value = std::max(value, 1);
  if (value == FWidth) return;
  FWidth = value;
  if (FHandle) ImageList_SetIconSize(FHandle.Get(), FWidth, FHeight);  // removes the images
  Change();
}

void TCustomImageList::SetHeight(int value)
{
  value = std::max(value, 1);
  if (value == FHeight) return;
  FHeight = value;
  if (FHandle) ImageList_SetIconSize(FHandle.Get(), FWidth, FHeight);
  Change();
}

void TCustomImageList::SetBkColor(TColor value)
{
  if (value == FBkColor) return;
  FBkColor = value;
  if (FHandle) ImageList_SetBkColor(FHandle.Get(), ListColor(value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor value)
{
  if (value == FBlendColor) return;
  FBlendColor = value;
  Change();
}

void TCustomImageList::SetColorDepth(TColorDepth value)
{
  if (value == FColorDepth) return;
  FColorDepth = value;
  RecreateKeepingImages();
  Change();
}

void TCustomImageList::SetMasked(bool value)
{
  if (value == FMasked) return;
  FMasked = value;
  RecreateKeepingImages();
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value)
{
  if (value == FDrawingStyle) return;
  FDrawingStyle = value;
  Change();
}

void TCustomImageList::SetImageType(TImageType value)
{
  if (value == FImageType) return;
  FImageType = value;
  Change();
}

void TCustomImageList::Assign(TPersistent* source)
{
  auto* list = dynamic_cast<TCustomImageList*>(source);
  if (!list) return TComponent::Assign(source);
  if (list == this) return;
  BeginUpdate();
  FWidth = list->FWidth;
  FHeight = list->FHeight;
  FAllocBy = list->FAllocBy;
  FBkColor = list->FBkColor;
  FBlendColor = list->FBlendColor;
  FColorDepth = list->FColorDepth;
  FMasked = list->FMasked;
  FDrawingStyle = list->FDrawingStyle;
  FImageType = list->FImageType;
  FreeHandle();
  if (list->FHandle) {
    HIMAGELIST copy = ImageList_Duplicate(list->FHandle.Get());
    if (!copy) {
      EndUpdate();
      throw EOutOfMemory("Out of system resources: cannot copy an image list");
    }
    FHandle.Reset(copy);
  }
  Change();
  EndUpdate();
}

// ---- Stored form ---------------------------------------------------------------------------------

void TCustomImageList::DefineProperties(TFiler& filer)
{
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, Count() > 0);
}

void TCustomImageList::ReadData(TStream& stream)
{
  // Whatever happens, the images read before are gone: a refused stream leaves the list empty.
  FreeHandle();
  HIMAGELIST list = nullptr;
  try {
    list = GuardReaderMemory("ImageList data", [&] {
      const int64_t start = stream.Position();
      std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(stream.Size() - start, 0)));
      if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
      const size_t length = CheckImageListData(data);
      stream.SetPosition(start + static_cast<int64_t>(length));
      auto checked = MakeOwned<TMemoryStream>();
      checked->WriteBuffer(data.data(), static_cast<int64_t>(length));
      checked->SetPosition(0);
      auto* adapter = NewStreamAdapter(*checked);
      HIMAGELIST read = ImageList_Read(adapter);
      adapter->Release();
      return read;
    });
    if (!list) throw EReadError("Failed to read ImageList data from stream");
  } catch (...) {
    Change();
    throw;
  }
  FHandle.Reset(list);
  int w = 0, h = 0;
  ImageList_GetIconSize(list, &w, &h);
  FWidth = w;
  FHeight = h;
  Change();
}

void TCustomImageList::WriteData(TStream& stream)
{
  HandleNeeded();
  auto* adapter = NewStreamAdapter(stream);
  BOOL ok = ImageList_Write(FHandle.Get(), adapter);
  adapter->Release();
  if (!ok) throw EWriteError("Failed to write ImageList data to stream");
}
