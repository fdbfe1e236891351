#include "classlib/Icon.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "classlib/ByteOrder.h"
#include "classlib/BitmapFile.h"
#include "classlib/Canvas.h"
#include "classlib/Streams.h"

CL_DEFINE_CLASS(TIcon);

namespace {
constexpr size_t DirHeaderSize = 6;
constexpr size_t DirEntrySize = 16;


[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

void ReadExact(TStream& stream, void* buffer, size_t count)
{
  if (count > 0 && stream.Read(buffer, static_cast<int32_t>(count)) != static_cast<int32_t>(count)) InvalidIcon();
}

// One image of an icon file, checked: its bytes lie inside the file and, for a DIB image, the
// header, colour table and both bitmaps fit in them.
struct TIconImage {
  size_t Offset;
  size_t Size;
  int Width;
  int Height;
  int BitCount;
};

TIconImage CheckImage(const std::vector<uint8_t>& file, size_t entry)
{
  const uint8_t* e = file.data() + entry;
  TIconImage image{LoadU32(e + 12), LoadU32(e + 8), e[0] ? e[0] : 256, e[1] ? e[1] : 256, LoadU16(e + 6)};
  const size_t dirEnd = DirHeaderSize + DirEntrySize * LoadU16(file.data() + 4);
  if (image.Offset < dirEnd || image.Size < 8 || image.Offset > file.size() || image.Size > file.size() - image.Offset)
    InvalidIcon();
  const uint8_t* p = file.data() + image.Offset;
  static const uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (std::memcmp(p, png, sizeof(png)) == 0) return image;  // the platform checks PNG data itself
  if (image.Size < sizeof(BITMAPINFOHEADER) || LoadU32(p) != sizeof(BITMAPINFOHEADER)) InvalidIcon();
  const int32_t width = static_cast<int32_t>(LoadU32(p + 4));
  const int32_t height = static_cast<int32_t>(LoadU32(p + 8));  // image and mask together
  const int bits = LoadU16(p + 14);
  const uint32_t compression = LoadU32(p + 16);
  const uint32_t clrUsed = LoadU32(p + 32);
  if (width <= 0 || width > 1024 || height <= 0 || height > 2048 || height % 2 || LoadU16(p + 12) != 1 ||
      (compression != BI_RGB && compression != BI_BITFIELDS))
    InvalidIcon();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) InvalidIcon();
  if (compression == BI_BITFIELDS && bits != 16 && bits != 32) InvalidIcon();
  uint64_t colors = bits <= 8 ? (clrUsed ? clrUsed : 1u << bits) : 0;
  if (bits <= 8 && colors > (1u << bits)) InvalidIcon();
  const uint64_t rows = static_cast<uint64_t>(height / 2);
  const uint64_t need = sizeof(BITMAPINFOHEADER) + (compression == BI_BITFIELDS ? 12 : 0) + colors * 4 +
                        static_cast<uint64_t>(DibStride(width, bits)) * rows +
                        static_cast<uint64_t>(DibStride(width, 1)) * rows;
  if (need > image.Size) InvalidIcon();
  image.Width = width;
  image.Height = height / 2;
  image.BitCount = bits;
  return image;
}

// The image nearest the wanted size; among equals the deepest colour.
const TIconImage& ChooseImage(const std::vector<TIconImage>& images, int wanted)
{
  auto score = [&](const TIconImage& i) {
    int distance = std::abs(i.Width - wanted);
    if (i.Width < wanted) distance += 1024;  // larger images shrink better than smaller ones grow
    return std::make_pair(distance, -i.BitCount);
  };
  return *std::min_element(images.begin(), images.end(),
                           [&](const TIconImage& a, const TIconImage& b) { return score(a) < score(b); });
}

// A bitmap's rows through GetDIBits, bottom row first.
std::vector<uint8_t> DibRows(HBITMAP bitmap, int width, int height, int bitCount)
{
  TDibData d;
  d.Width = width;
  d.Height = height;
  d.BitCount = bitCount;
  if (bitCount == 1) d.Colors = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  std::vector<uint8_t> info = DibInfo(d);
  std::vector<uint8_t> rows(static_cast<size_t>(DibStride(width, bitCount)) * height);
  TScreenDC screen;
  if (GetDIBits(screen, bitmap, 0, height, rows.data(), reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) ==
      0)
    RaiseLastOSError();
  return rows;
}
}  // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Adopt(TIconHandle icon, std::vector<uint8_t> data)
{
  int width = 0, height = 0;
  if (icon) {
    ICONINFO ii{};
    if (!GetIconInfo(icon.Get(), &ii)) throw EInvalidGraphic("Invalid icon handle");
    TBitmapHandle color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    GetObjectA(mask.Get(), sizeof(bm), &bm);
    width = bm.bmWidth;
    height = color ? bm.bmHeight : bm.bmHeight / 2;  // a monochrome icon's mask holds both halves
  }
  FHandle = std::move(icon);
  FData = std::move(data);
  FWidth = width;
  FHeight = height;
}

void TIcon::SetHandle(HICON icon)
{
  if (icon && icon == FHandle.Get()) return;
  if (icon) {
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) throw EInvalidGraphic("Invalid icon handle");
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
  }
  Adopt(TIconHandle(icon), {});
  Changed(this);
}

HICON TIcon::ReleaseHandle()
{
  HICON icon = FHandle.Release();
  FData.clear();
  FWidth = FHeight = 0;
  Changed(this);
  return icon;
}

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Assign(TPersistent* source)
{
  if (source == this) return;
  if (!source) {
    SetHandle(nullptr);
    return;
  }
  if (auto* icon = dynamic_cast<TIcon*>(source)) {
    HICON copy = nullptr;
    if (icon->FHandle && !(copy = CopyIcon(icon->FHandle.Get()))) RaiseLastOSError();
    Adopt(TIconHandle(copy), icon->FData);
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

void TIcon::LoadFromStream(TStream& stream)
{
  const int64_t available = stream.Size() - stream.Position();
  if (available < static_cast<int64_t>(DirHeaderSize)) InvalidIcon();
  std::vector<uint8_t> file(DirHeaderSize);
  ReadExact(stream, file.data(), DirHeaderSize);
  const uint16_t count = LoadU16(file.data() + 4);
  if (LoadU16(file.data()) != 0 || LoadU16(file.data() + 2) != 1 || count == 0) InvalidIcon();
  const size_t dirEnd = DirHeaderSize + DirEntrySize * count;
  if (static_cast<int64_t>(dirEnd) > available) InvalidIcon();
  file.resize(dirEnd);
  ReadExact(stream, file.data() + DirHeaderSize, dirEnd - DirHeaderSize);
  // The file ends with its last image.
  uint64_t end = dirEnd;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = file.data() + DirHeaderSize + DirEntrySize * i;
    end = std::max<uint64_t>(end, static_cast<uint64_t>(LoadU32(e + 12)) + LoadU32(e + 8));
  }
  if (end > static_cast<uint64_t>(available)) InvalidIcon();
  file.resize(static_cast<size_t>(end));
  ReadExact(stream, file.data() + dirEnd, file.size() - dirEnd);

  std::vector<TIconImage> images;
  for (size_t i = 0; i < count; ++i) images.push_back(CheckImage(file, DirHeaderSize + DirEntrySize * i));
  const TIconImage& image = ChooseImage(images, GetSystemMetrics(SM_CXICON));
  HICON icon = CreateIconFromResourceEx(file.data() + image.Offset, static_cast<DWORD>(image.Size), TRUE, 0x00030000,
                                        image.Width, image.Height, LR_DEFAULTCOLOR);
  if (!icon) InvalidIcon();
  Adopt(TIconHandle(icon), std::move(file));
  Changed(this);
}

void TIcon::SaveToStream(TStream& stream)
{
  if (!FData.empty()) {
    stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
    return;
  }
  if (!FHandle) return;
  ICONINFO ii{};
  if (!GetIconInfo(FHandle.Get(), &ii)) RaiseLastOSError();
  TBitmapHandle color(ii.hbmColor), mask(ii.hbmMask);
  const int w = FWidth, h = FHeight;
  // One image: BITMAPINFOHEADER (height doubled), colour table, image rows, mask rows.
  std::vector<uint8_t> image;
  const int bits = color ? 32 : 1;
  AppendU32(image, sizeof(BITMAPINFOHEADER));
  AppendU32(image, static_cast<uint32_t>(w));
  AppendU32(image, static_cast<uint32_t>(h * 2));
  AppendU16(image, 1);
  AppendU16(image, static_cast<uint16_t>(bits));
  AppendU32(image, BI_RGB);
  for (int i = 0; i < 5; ++i) AppendU32(image, 0);
  if (color) {
    std::vector<uint8_t> pixels = DibRows(color.Get(), w, h, 32);
    std::vector<uint8_t> andBits = DibRows(mask.Get(), w, h, 1);
    image.insert(image.end(), pixels.begin(), pixels.end());
    image.insert(image.end(), andBits.begin(), andBits.end());
  } else {
    // The mask of a monochrome icon is the AND bitmap above the XOR bitmap; bottom-up rows give the
    // XOR rows first, as the file has them.
    AppendU32(image, 0x00000000);
    AppendU32(image, 0x00FFFFFF);
    std::vector<uint8_t> both = DibRows(mask.Get(), w, h * 2, 1);
    image.insert(image.end(), both.begin(), both.end());
  }
  std::vector<uint8_t> file;
  AppendU16(file, 0);
  AppendU16(file, 1);
  AppendU16(file, 1);
  file.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
  file.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
  file.push_back(bits == 1 ? 2 : 0);
  file.push_back(0);
  AppendU16(file, 1);
  AppendU16(file, static_cast<uint16_t>(bits));
  AppendU32(file, static_cast<uint32_t>(image.size()));
  AppendU32(file, static_cast<uint32_t>(DirHeaderSize + DirEntrySize));
  file.insert(file.end(), image.begin(), image.end());
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
  HICON icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EResNotFound("Resource " + name + " not found");
  SetHandle(icon);
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id)
{
  HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EResNotFound("Resource " + std::to_string(id) + " not found");
  SetHandle(icon);
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect)
{
  if (!FHandle) return;
  DrawIconEx(canvas->Handle(), rect.left, rect.top, FHandle.Get(), RectWidth(rect), RectHeight(rect), 0, nullptr,
             DI_NORMAL);
}
