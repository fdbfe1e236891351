#include "classlib/GraphicsUtils.h"

#include <array>
#include <atomic>
#include <string>

COLORREF ColorToRGB(TColor color)
{
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color);
}

COLORREF GdiColor(TColor color)
{
  COLORREF rgb = ColorToRGB(color);
  unsigned high = rgb >> 24;
  if (high == 1 || high == 2) return rgb;  // PALETTEINDEX, PALETTERGB
  return rgb & 0xFFFFFF;
}

void CheckPictureSize(std::string_view format, uint64_t width, uint64_t height)
{
  // Each side fits 32 bits in every format read, so the product cannot overflow.
  if (width > UINT32_MAX || height > UINT32_MAX || width * height > MaxPicturePixels)
    throw EInvalidGraphic(std::string(format) + " image is too large (" + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels, at most " + std::to_string(MaxPicturePixels) +
                          " pixels are read)");
}

int ScreenPixelsPerInch()
{
  static const int ppi = [] {
    TScreenDC dc;
    int v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

int ScreenBitsPerPixel()
{
  static const int bpp = [] {
    TScreenDC dc;
    int v = dc ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 0;
    return v > 0 ? v : 32;
  }();
  return bpp;
}

namespace {
std::array<std::atomic<int>, GdiKindCount> GLive{};
}

void gdi_detail::Count(TGdiKind kind, int delta) { GLive[static_cast<int>(kind)] += delta; }

void gdi_detail::Destroy(TGdiKind kind, void* handle)
{
  switch (kind) {
    case TGdiKind::DC:
      DeleteDC(static_cast<HDC>(handle));
      break;
    case TGdiKind::Icon:
      DestroyIcon(static_cast<HICON>(handle));
      break;
    case TGdiKind::ImageList:
      ImageList_Destroy(static_cast<HIMAGELIST>(handle));
      break;
    default:
      DeleteObject(static_cast<HGDIOBJ>(handle));
      break;
  }
  Count(kind, -1);
}

int LiveGdiObjects(TGdiKind kind) { return GLive[static_cast<int>(kind)]; }

int LiveGdiObjects()
{
  int n = 0;
  for (const auto& v : GLive) n += v;
  return n;
}
