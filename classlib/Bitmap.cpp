#include "classlib/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>
#include "classlib/Msimg32.h"
#include "classlib/Streams.h"

namespace {
constexpr std::string_view PixelFormatNames[] = {"pfDevice", "pf1bit",  "pf4bit",  "pf8bit", "pf15bit",
                                                 "pf16bit",  "pf24bit", "pf32bit", "pfCustom"};

// ---- Bitmap canvases that hold a device context, for FreeMemoryContexts -------------------------

std::mutex GCanvasesLock;
std::vector<TBitmapCanvas*>& Canvases()
{
  static std::vector<TBitmapCanvas*> list;
  return list;
}

// ---- Image layouts -------------------------------------------------------------------------------

RGBQUAD Quad(int r, int g, int b)
{
  return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

// The colour tables of new palette images; white is always the last entry, so that an image of all
// bits set is white.
std::vector<RGBQUAD> DefaultColors(int bitCount)
{
  std::vector<RGBQUAD> c;
  if (bitCount == 1) {
    c = {Quad(0, 0, 0), Quad(255, 255, 255)};
  } else if (bitCount == 4) {
    c = {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
         Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
         Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
         Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
  } else if (bitCount == 8) {
    // A 6x6x6 colour cube, then greys, then white.
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) c.push_back(Quad(r * 51, g * 51, b * 51));
    // Greys between the cube's; none very near black or white, so that colour matching that works
    // on buckets of nearby colours still finds black and white themselves.
    for (int v = 9; c.size() < 255; v += 6) c.push_back(Quad(v, v, v));
    c.push_back(Quad(255, 255, 255));
  }
  return c;
}

// The layout (no pixels) of a new image of a format; pfCustom copies the masks of like.
TDibData Layout(int width, int height, TPixelFormat format, const DIBSECTION& like)
{
  TDibData d;
  d.Width = width;
  d.Height = height;
  switch (format) {
    case TPixelFormat::pf1bit: d.BitCount = 1; break;
    case TPixelFormat::pf4bit: d.BitCount = 4; break;
    case TPixelFormat::pf8bit: d.BitCount = 8; break;
    case TPixelFormat::pf15bit: d.BitCount = 16; break;
    case TPixelFormat::pf16bit:
      d.BitCount = 16;
      d.Compression = BI_BITFIELDS;
      d.Masks[0] = 0xF800;
      d.Masks[1] = 0x07E0;
      d.Masks[2] = 0x001F;
      break;
    case TPixelFormat::pf24bit: d.BitCount = 24; break;
    case TPixelFormat::pfCustom:
      if (!like.dsBm.bmBits) {  // no image to take the layout from
        d.BitCount = 32;
        break;
      }
      d.BitCount = like.dsBmih.biBitCount;
      d.Compression = BI_BITFIELDS;
      std::copy(std::begin(like.dsBitfields), std::end(like.dsBitfields), d.Masks);
      break;
    default: d.BitCount = 32; break;
  }
  d.Colors = DefaultColors(d.BitCount);
  return d;
}

TPixelFormat FormatOf(const DIBSECTION& ds)
{
  if (!ds.dsBm.bmBits) return ds.dsBm.bmBitsPixel * ds.dsBm.bmPlanes == 1 ? TPixelFormat::pf1bit : TPixelFormat::pfDevice;
  const DWORD* m = ds.dsBitfields;
  const bool fields = ds.dsBmih.biCompression == BI_BITFIELDS;
  switch (ds.dsBmih.biBitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16:
      if (!fields || (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F)) return TPixelFormat::pf15bit;
      if (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F) return TPixelFormat::pf16bit;
      return TPixelFormat::pfCustom;
    case 24: return TPixelFormat::pf24bit;
    case 32:
      if (!fields || (m[0] == 0xFF0000 && m[1] == 0x00FF00 && m[2] == 0x0000FF)) return TPixelFormat::pf32bit;
      return TPixelFormat::pfCustom;
    default: return TPixelFormat::pfCustom;
  }
}

TPixelFormat FormatOfScreen()
{
  switch (ScreenBitsPerPixel()) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 15: return TPixelFormat::pf15bit;
    case 16: return TPixelFormat::pf16bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
  }
}

HBITMAP CreateDib(const TDibData& d, void** bits)
{
  std::vector<uint8_t> info = DibInfo(d);
  HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, bits,
                               nullptr, 0);
  if (!h || !*bits) {
    if (h) DeleteObject(h);
    throw EOutOfMemory("Out of system resources: cannot create a " + std::to_string(d.Width) + " x " +
                       std::to_string(d.Height) + " bitmap");
  }
  return h;
}

// Fills a new DIB's rows with white (alpha 0 for 32 bits, as GDI draws).
void FillWhite(void* bits, const TDibData& d)
{
  const int stride = DibStride(d.Width, d.BitCount);
  auto* p = static_cast<uint8_t*>(bits);
  const size_t size = static_cast<size_t>(stride) * d.Height;
  if (d.BitCount == 32 && d.Compression == BI_RGB) {
    for (size_t i = 0; i + 3 < size; i += 4) {
      p[i] = p[i + 1] = p[i + 2] = 0xFF;
      p[i + 3] = 0;
    }
  } else if (d.BitCount == 16 && d.Compression == BI_RGB) {
    for (size_t i = 0; i + 1 < size; i += 2) {
      p[i] = 0xFF;
      p[i + 1] = 0x7F;
    }
  } else {
    std::memset(p, 0xFF, size);
  }
}

HBITMAP CreateDevice(int width, int height)
{
  TScreenDC screen;
  HBITMAP h = CreateCompatibleBitmap(screen, width, height);
  if (!h)
    throw EOutOfMemory("Out of system resources: cannot create a " + std::to_string(width) + " x " +
                       std::to_string(height) + " bitmap");
  return h;
}

// Copies the top-left width x height pixels from one bitmap to another (neither in a context).
void CopyPixels(HBITMAP from, HBITMAP to, int width, int height)
{
  TDCHandle src(CreateCompatibleDC(nullptr));
  TDCHandle dst(CreateCompatibleDC(nullptr));
  if (!src || !dst) RaiseLastOSError();
  TSelectObject selSrc(src.Get(), from);
  TSelectObject selDst(dst.Get(), to);
  BitBlt(dst.Get(), 0, 0, width, height, src.Get(), 0, 0, SRCCOPY);
}

// A new image with white pixels.
TBitmapHandle CreateBlank(int width, int height, TPixelFormat format, const DIBSECTION& like)
{
  if (format == TPixelFormat::pfDevice) {
    TBitmapHandle h(CreateDevice(width, height));
    TDCHandle dc(CreateCompatibleDC(nullptr));
    TSelectObject sel(dc.Get(), h.Get());
    PatBlt(dc.Get(), 0, 0, width, height, WHITENESS);
    return h;
  }
  TDibData d = Layout(width, height, format, like);
  void* bits = nullptr;
  TBitmapHandle h(CreateDib(d, &bits));
  FillWhite(bits, d);
  return h;
}
}  // namespace

const TEnumInfo PixelFormatInfo = EnumInfo<TPixelFormat::pfCustom>("TPixelFormat", PixelFormatNames);

CL_DEFINE_CLASS(TBitmapCanvas);
CL_DEFINE_CLASS(TBitmap);

// ---- TBitmapCanvas -------------------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle()
{
  FBitmap->HandleNeeded();
  TDCHandle dc(CreateCompatibleDC(nullptr));
  if (!dc) RaiseLastOSError();
  HGDIOBJ old = nullptr;
  if (FBitmap->FHandle) {
    old = SelectObject(dc.Get(), FBitmap->FHandle.Get());
    if (!old) throw EInvalidGraphicOperation("Cannot select the bitmap into a device context");
  }
  {
    std::lock_guard lock(GCanvasesLock);
    Canvases().push_back(this);
  }
  FDC = std::move(dc);
  FOldBitmap = old;
  SetHandle(FDC.Get());
}

void TBitmapCanvas::FreeContext()
{
  if (!FDC) return;
  TCanvasLock canvasLock(this);
  std::lock_guard lock(GCanvasesLock);
  FreeContextLocked();
}

// With the canvas locked and the list of canvases held.
void TBitmapCanvas::FreeContextLocked()
{
  if (!FDC) return;
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FDC.Reset();
  auto& list = Canvases();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void FreeMemoryContexts()
{
  std::lock_guard lock(GCanvasesLock);
  std::vector<TBitmapCanvas*> list = Canvases();
  for (TBitmapCanvas* canvas : list)
    if (canvas->TryLock()) {
      canvas->FreeContextLocked();
      canvas->Unlock();
    }
}

// ---- TBitmap: image management -------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
  FCanvas.reset();  // lets go of the image first
}

TCanvas* TBitmap::Canvas()
{
  if (!FCanvas) {
    FCanvas = MakeOwned<TBitmapCanvas>(this);
    FCanvas->SetOnChanging(TNotifyEvent(this, &TBitmap::Changing));
    FCanvas->SetOnChange(TNotifyEvent(this, &TBitmap::Changed));
  }
  return FCanvas.get();
}

void TBitmap::FreeContext()
{
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::AdoptHandle(HBITMAP bitmap)
{
  FHandle.Reset(bitmap);
  FDib = DIBSECTION{};
  FTopDown = false;  // the DIB sections made here are bottom-up
  if (!bitmap) return;
  if (GetObjectA(bitmap, sizeof(FDib), &FDib) != sizeof(FDib)) {
    FDib = DIBSECTION{};
    GetObjectA(bitmap, sizeof(FDib.dsBm), &FDib.dsBm);
    FDib.dsBm.bmBits = nullptr;
  }
  FWidth = FDib.dsBm.bmWidth;
  FHeight = std::abs(FDib.dsBm.bmHeight);
  FPixelFormat = FormatOf(FDib);
}

// GetObject does not tell which way up a DIB section is stored, so one made elsewhere is asked: its
// first pixel in memory is set to all 0 bits and the last row's to all 1 bits, and GDI is asked for
// the colour at the top; then the other way round.
bool TBitmap::ProbeTopDown()
{
  if (!FDib.dsBm.bmBits || FHeight < 2) return false;
  TDCHandle dc(CreateCompatibleDC(nullptr));
  if (!dc) return false;
  HGDIOBJ old = SelectObject(dc.Get(), FHandle.Get());
  if (!old) return false;
  COLORREF zero = RGB(0, 0, 0);  // the colour of a pixel of all 0 bits
  if (FDib.dsBmih.biBitCount <= 8) {
    RGBQUAD q{};
    GetDIBColorTable(dc.Get(), 0, 1, &q);
    zero = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  GdiFlush();
  const int stride = DibStride(FWidth, FDib.dsBmih.biBitCount);
  const int bytes = std::max(FDib.dsBmih.biBitCount / 8, 1);
  auto* first = static_cast<uint8_t*>(FDib.dsBm.bmBits);
  auto* last = first + static_cast<size_t>(FHeight - 1) * stride;
  uint8_t saveFirst[4], saveLast[4];
  std::memcpy(saveFirst, first, bytes);
  std::memcpy(saveLast, last, bytes);
  std::memset(first, 0x00, bytes);
  std::memset(last, 0xFF, bytes);
  COLORREF top1 = GetPixel(dc.Get(), 0, 0);
  std::memset(first, 0xFF, bytes);
  std::memset(last, 0x00, bytes);
  COLORREF top2 = GetPixel(dc.Get(), 0, 0);
  GdiFlush();
  std::memcpy(first, saveFirst, bytes);
  std::memcpy(last, saveLast, bytes);
  SelectObject(dc.Get(), old);
  return top1 != top2 && top1 == zero;
}

void TBitmap::HandleNeeded()
{
  if (FHandle) return;
  if (FDormant) {
    TDibData data = std::move(*FDormant);
    FDormant.reset();
    SetImage(data, FPixelFormat == TPixelFormat::pfDevice);
    return;
  }
  if (FWidth > 0 && FHeight > 0) {
    TPixelFormat format = FPixelFormat == TPixelFormat::pfCustom ? TPixelFormat::pf32bit : FPixelFormat;
    AdoptHandle(CreateBlank(FWidth, FHeight, format, FDib).Release());
    if (format == TPixelFormat::pfDevice) FPixelFormat = format;  // a monochrome screen stays pfDevice
  }
}

void TBitmap::SetImage(const TDibData& data, bool asDevice)
{
  FreeContext();
  FMask.Reset();
  FDormant.reset();
  std::vector<uint8_t> info = DibInfo(data);
  if (asDevice) {
    TBitmapHandle h(CreateDevice(data.Width, data.Height));
    TScreenDC screen;
    SetDIBits(screen, h.Get(), 0, data.Height, data.Bits.data(), reinterpret_cast<const BITMAPINFO*>(info.data()),
              DIB_RGB_COLORS);
    AdoptHandle(h.Release());
  } else {
    void* bits = nullptr;
    TBitmapHandle h(CreateDib(data, &bits));
    std::memcpy(bits, data.Bits.data(), std::min(data.Bits.size(), static_cast<size_t>(
                                                                       DibStride(data.Width, data.BitCount)) *
                                                                       data.Height));
    AdoptHandle(h.Release());
  }
}

TDibData TBitmap::ImageData()
{
  HandleNeeded();
  TDibData d;
  if (!FHandle) return d;
  d.Width = FWidth;
  d.Height = FHeight;
  if (!FDib.dsBm.bmBits) {
    // A device bitmap: its pixels through GetDIBits, as 32 bits (1 for a monochrome one).
    FreeContext();
    d.BitCount = FPixelFormat == TPixelFormat::pf1bit ? 1 : 32;
    d.Colors = DefaultColors(d.BitCount);
    d.Bits.resize(static_cast<size_t>(DibStride(d.Width, d.BitCount)) * d.Height);
    std::vector<uint8_t> info = DibInfo(d);
    TScreenDC screen;
    if (GetDIBits(screen, FHandle.Get(), 0, d.Height, d.Bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
                  DIB_RGB_COLORS) == 0)
      RaiseLastOSError();
    if (d.BitCount == 1) {
      const auto* colors = reinterpret_cast<const RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
      d.Colors.assign(colors, colors + 2);
    }
    return d;
  }
  GdiFlush();
  d.BitCount = FDib.dsBmih.biBitCount;
  if (FDib.dsBmih.biCompression == BI_BITFIELDS && FPixelFormat != TPixelFormat::pf15bit &&
      FPixelFormat != TPixelFormat::pf32bit) {
    d.Compression = BI_BITFIELDS;
    std::copy(std::begin(FDib.dsBitfields), std::end(FDib.dsBitfields), d.Masks);
  }
  if (d.BitCount <= 8) {
    d.Colors.resize(size_t(1) << d.BitCount);
    auto read = [&](HDC dc) { GetDIBColorTable(dc, 0, static_cast<UINT>(d.Colors.size()), d.Colors.data()); };
    if (FCanvas && FCanvas->FDC) {
      TCanvasLock lock(FCanvas.get());
      read(FCanvas->FDC.Get());
    } else {
      TDCHandle dc(CreateCompatibleDC(nullptr));
      TSelectObject sel(dc.Get(), FHandle.Get());
      read(dc.Get());
    }
    for (RGBQUAD& c : d.Colors) c.rgbReserved = 0;
  }
  const int stride = DibStride(d.Width, d.BitCount);
  d.Bits.resize(static_cast<size_t>(stride) * d.Height);
  const auto* bits = static_cast<const uint8_t*>(FDib.dsBm.bmBits);
  const bool bottomUp = !FTopDown;
  for (int row = 0; row < d.Height; ++row) {  // row counts from the bottom, as the file stores them
    int memRow = bottomUp ? row : d.Height - 1 - row;
    std::memcpy(d.Bits.data() + static_cast<size_t>(row) * stride, bits + static_cast<size_t>(memRow) * stride, stride);
  }
  return d;
}

void TBitmap::Reformat(int width, int height, TPixelFormat format)
{
  HandleNeeded();
  FreeContext();
  Changing(this);
  TBitmapHandle image;
  if (width > 0 && height > 0) {
    image = CreateBlank(width, height, format, FDib);
    if (FHandle) CopyPixels(FHandle.Get(), image.Get(), std::min(width, FWidth), std::min(height, FHeight));
  }
  FDormant.reset();
  if (image) {
    AdoptHandle(image.Release());  // the format as the new image has it
    if (format == TPixelFormat::pfDevice) FPixelFormat = format;
  } else {
    FHandle.Reset();
    FDib = DIBSECTION{};
    FWidth = width;
    FHeight = height;
    FPixelFormat = format;
  }
  Changed(this);
}

void TBitmap::SetSize(int width, int height)
{
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  Reformat(width, height, FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
  if (value == FPixelFormat) return;
  if (value == TPixelFormat::pfCustom) throw EInvalidGraphicOperation("Invalid pixel format");
  Reformat(FWidth, FHeight, value);
}

void TBitmap::SetMonochrome(bool value)
{
  if (value == Monochrome()) return;
  SetPixelFormat(value ? TPixelFormat::pf1bit : TPixelFormat::pfDevice);
}

TBitmapHandleType TBitmap::HandleType() const
{
  if (FHandle) return FDib.dsBm.bmBits ? TBitmapHandleType::bmDIB : TBitmapHandleType::bmDDB;
  return FPixelFormat == TPixelFormat::pfDevice ? TBitmapHandleType::bmDDB : TBitmapHandleType::bmDIB;
}

void TBitmap::SetHandleType(TBitmapHandleType value)
{
  if (value == HandleType()) return;
  if (value == TBitmapHandleType::bmDDB)
    Reformat(FWidth, FHeight, TPixelFormat::pfDevice);
  else
    Reformat(FWidth, FHeight, FPixelFormat == TPixelFormat::pf1bit ? TPixelFormat::pf1bit : FormatOfScreen());
}

HBITMAP TBitmap::Handle()
{
  FreeContext();
  HandleNeeded();
  return FHandle.Get();
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
  if (bitmap && bitmap == FHandle.Get()) return;
  if (bitmap && GetObjectType(bitmap) != OBJ_BITMAP) throw EInvalidGraphic("Invalid bitmap handle");
  FreeContext();
  Changing(this);
  FDormant.reset();
  AdoptHandle(bitmap);
  FTopDown = ProbeTopDown();
  if (!bitmap) FWidth = FHeight = 0;
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle()
{
  HandleNeeded();
  FreeContext();
  Changing(this);
  HBITMAP h = FHandle.Release();
  FDib = DIBSECTION{};
  FWidth = FHeight = 0;
  Changed(this);
  return h;
}

HBITMAP TBitmap::MaskHandle()
{
  if (FMask) return FMask.Get();
  HandleNeeded();
  if (!FHandle) return nullptr;
  TColor transparent = TransparentColor();
  TBitmapHandle mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  if (!mask) RaiseLastOSError();
  TCanvas* canvas = Canvas();
  TCanvasLock lock(canvas);
  HDC src = canvas->Handle();
  TDCHandle dc(CreateCompatibleDC(src));
  {
    TSelectObject sel(dc.Get(), mask.Get());
    // Converting to one bit makes the source's background colour white and everything else black.
    COLORREF oldBk = SetBkColor(src, GdiColor(transparent));
    BitBlt(dc.Get(), 0, 0, FWidth, FHeight, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
  }
  FMask = std::move(mask);
  return FMask.Get();
}

HBITMAP TBitmap::ReleaseMaskHandle()
{
  MaskHandle();
  return FMask.Release();
}

void* TBitmap::ScanLine(int row)
{
  HandleNeeded();
  if (FHandle && !FDib.dsBm.bmBits) SetHandleType(TBitmapHandleType::bmDIB);
  if (!FHandle || row < 0 || row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  Changing(this);
  GdiFlush();
  const int stride = DibStride(FWidth, FDib.dsBmih.biBitCount);
  const int memRow = FTopDown ? row : FHeight - 1 - row;
  return static_cast<uint8_t*>(FDib.dsBm.bmBits) + static_cast<size_t>(memRow) * stride;
}

int TBitmap::ScanLineSize() const
{
  int bits = FHandle && FDib.dsBm.bmBits ? FDib.dsBmih.biBitCount : 0;
  if (!bits) bits = Layout(1, 1, FPixelFormat, FDib).BitCount;
  return DibStride(FWidth, bits);
}

void TBitmap::Dormant()
{
  if (!FHandle) return;
  TDibData data = ImageData();
  FreeContext();
  FMask.Reset();
  FHandle.Reset();
  FDib = DIBSECTION{};
  FDormant = std::move(data);
}

void TBitmap::FreeImage() { HandleNeeded(); }

// ---- Transparency --------------------------------------------------------------------------------

TColor TBitmap::TransparentColor()
{
  if (FTransparentMode == TTransparentMode::tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  if (Monochrome()) return clWhite;
  return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value)
{
  if (value == FTransparentColor) return;
  FTransparentMode = value == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
  FTransparentColor = value;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
  if (value == FTransparentMode) return;
  SetTransparentColor(value == TTransparentMode::tmAuto ? clDefault : TransparentColor());
}

// ---- Notification --------------------------------------------------------------------------------

void TBitmap::Changing(TObject*) { FMask.Reset(); }

void TBitmap::Changed(TObject* sender)
{
  FMask.Reset();
  TGraphic::Changed(sender);
}

// ---- Copying and drawing -------------------------------------------------------------------------

void TBitmap::Assign(TPersistent* source)
{
  if (source == this) return;
  if (!source) {
    SetHandle(nullptr);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    Changing(this);
    if (bitmap->Empty()) {
      FreeContext();
      FDormant.reset();
      AdoptHandle(nullptr);
      FWidth = bitmap->FWidth;
      FHeight = bitmap->FHeight;
      FPixelFormat = bitmap->FPixelFormat;
    } else {
      bool device = bitmap->HandleType() == TBitmapHandleType::bmDDB && bitmap->FPixelFormat != TPixelFormat::pf1bit;
      SetImage(bitmap->ImageData(), device);
      FPixelFormat = bitmap->FPixelFormat;
    }
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    if (Transparent() != bitmap->Transparent())
      TGraphic::SetTransparent(bitmap->Transparent());  // tells of the change
    else
      Changed(this);
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    // Any other image: drawn on a white bitmap of its size.
    FreeContext();
    FDormant.reset();
    AdoptHandle(nullptr);
    FWidth = FHeight = 0;
    SetSize(graphic->Width(), graphic->Height());
    if (!Empty()) Canvas()->Draw(0, 0, graphic);
    Changed(this);
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas* canvas, const RECT& rect)
{
  HandleNeeded();
  if (Empty()) return;
  TCanvas* own = Canvas();
  TCanvasLock lock(own);
  HDC src = own->Handle();
  HDC dst = canvas->Handle();
  const int w = RectWidth(rect), h = RectHeight(rect);
  if (Transparent() && Msimg32().TransparentBlt) {
    Msimg32().TransparentBlt(dst, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, GdiColor(TransparentColor()));
    return;
  }
  // A monochrome image shows black and white whatever the destination's text and background.
  COLORREF oldText = 0, oldBk = 0;
  const bool mono = Monochrome();
  if (mono) {
    oldText = SetTextColor(dst, RGB(0, 0, 0));
    oldBk = SetBkColor(dst, RGB(255, 255, 255));
  }
  const bool stretched = w != FWidth || h != FHeight;
  int oldMode = stretched ? SetStretchBltMode(dst, COLORONCOLOR) : 0;
  StretchBlt(dst, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, canvas->CopyMode());
  if (stretched) SetStretchBltMode(dst, oldMode);
  if (mono) {
    SetTextColor(dst, oldText);
    SetBkColor(dst, oldBk);
  }
}

// ---- Streams -------------------------------------------------------------------------------------

void TBitmap::LoadFromStream(TStream& stream)
{
  if (stream.Size() - stream.Position() <= 0) {
    SetHandle(nullptr);
    return;
  }
  TDibData data = ReadBitmapFile(stream);
  Changing(this);
  SetImage(data, false);
  Changed(this);
}

void TBitmap::SaveToStream(TStream& stream)
{
  if (Empty()) return;
  WriteBitmapFile(stream, ImageData());
}

bool TBitmap::SupportsClipboardFormat(UINT format) const { return format == CF_DIB || format == CF_BITMAP; }

void TBitmap::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette)
{
  (void)palette;
  TDibData dib;
  if (format == CF_DIB) {
    const SIZE_T size = data ? GlobalSize(data) : 0;
    if (size == 0 || size > 0x7FFFFFF0u - 14) throw EInvalidGraphic("Bitmap image is not valid");
    // The packed bitmap behind a file header whose pixel offset is 0 ("right after the colours"), so
    // the file reader checks every size against the bytes there are.
    auto stream = MakeOwned<TMemoryStream>();
    const uint8_t header[14] = {'B', 'M'};
    stream->Write(header, sizeof(header));
    const void* bytes = GlobalLock(data);
    if (!bytes) RaiseLastOSError();
    try {
      stream->Write(bytes, static_cast<int32_t>(size));
    } catch (...) {
      GlobalUnlock(data);
      throw;
    }
    GlobalUnlock(data);
    stream->SetPosition(0);
    dib = ReadBitmapFile(*stream);
  } else if (format == CF_BITMAP) {
    BITMAP bm{};
    if (!data || GetObjectA(data, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
      throw EInvalidGraphic("Invalid bitmap handle");
    dib.Width = bm.bmWidth;
    dib.Height = bm.bmHeight;
    dib.BitCount = bm.bmBitsPixel == 32 ? 32 : 24;
    dib.Bits.assign(static_cast<size_t>(DibStride(dib.Width, dib.BitCount)) * dib.Height, 0);
    std::vector<uint8_t> info = DibInfo(dib);
    TScreenDC screen;
    if (GetDIBits(screen, static_cast<HBITMAP>(data), 0, static_cast<UINT>(dib.Height), dib.Bits.data(),
                  reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) == 0)
      RaiseLastOSError();
  } else {
    TGraphic::LoadFromClipboardFormat(format, data, palette);
    return;
  }
  Changing(this);
  SetImage(dib, false);
  Changed(this);
}

void TBitmap::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette)
{
  if (Empty()) throw EInvalidGraphic("Cannot put an empty bitmap on the clipboard");
  auto stream = MakeOwned<TMemoryStream>();
  WriteBitmapFile(*stream, ImageData());
  const int64_t size = stream->Size() - 14;  // the packed bitmap is the file without its file header
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (!block) RaiseLastOSError();
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    RaiseLastOSError();
  }
  std::memcpy(target, static_cast<const uint8_t*>(stream->Memory()) + 14, static_cast<size_t>(size));
  GlobalUnlock(block);
  format = CF_DIB;
  data = block;
  palette = nullptr;
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
  auto res = MakeOwned<TResourceStream>(instance, name, RT_BITMAP);
  LoadFromResource(*res);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id)
{
  auto res = MakeOwned<TResourceStream>(instance, id, RT_BITMAP);
  LoadFromResource(*res);
}

void TBitmap::LoadFromResource(TStream& resource)
{
  // A bitmap resource is a bitmap file without its file header.
  auto file = MakeOwned<TMemoryStream>();
  const uint8_t header[14] = {'B', 'M'};
  file->WriteBuffer(header, sizeof(header));
  file->CopyFrom(resource, 0);
  file->SetPosition(0);
  LoadFromStream(*file);
}

void TBitmap::ReadData(TStream& stream)
{
  int32_t size = 0;
  if (stream.Read(&size, sizeof(size)) != sizeof(size) || size < 0 || size > stream.Size() - stream.Position())
    InvalidBitmap();
  auto data = MakeOwned<TMemoryStream>();
  if (size > 0) data->CopyFrom(stream, size);
  data->SetPosition(0);
  LoadFromStream(*data);
}

void TBitmap::WriteData(TStream& stream)
{
  auto data = MakeOwned<TMemoryStream>();
  SaveToStream(*data);
  int32_t size = static_cast<int32_t>(data->Size());
  stream.WriteBuffer(&size, sizeof(size));
  if (size > 0) stream.WriteBuffer(data->Memory(), size);
}

TOwned<TBitmap> AllocPatternBitmap(TColor bkColor, TColor fgColor)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(8, 8);
  TCanvas* canvas = bitmap->Canvas();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x + y) % 2 == 0 ? bkColor : fgColor);
  return bitmap;
}
