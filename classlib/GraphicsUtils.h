#pragma once
// Foundations of the graphics layer: colour conversion for GDI, the graphics exceptions, the screen's
// resolution and an owning wrapper for every kind of GDI or user object the layer creates.
//
// Every object the graphics layer creates lives in a TGdiHandle and is counted while it lives, by
// kind. GetGuiResources reports the same for the whole process on Windows, but Wine always answers
// 0, so the layer's own counts are what tests use to prove that nothing leaks.
#include <cstdint>
#include <string_view>
#include <utility>
#include "classlib/Colors.h"
#include "classlib/Exceptions.h"
#include "classlib/Win.h"
#include <commctrl.h>

CL_EXCEPTION(EInvalidGraphic, Exception);           // unreadable image data, unknown formats
CL_EXCEPTION(EInvalidGraphicOperation, Exception);  // an operation the graphic cannot do

// The most pixels any reader of picture data accepts: 64 Mi, a 256 MiB bitmap at 32 bits per pixel
// (8,192 x 8,192 or the like). A few bytes of header can declare billions of pixels, so every reader
// checks the declared size against this before it allocates or decodes anything for the pixels.
constexpr uint64_t MaxPicturePixels = uint64_t{1} << 26;
// Raises EInvalidGraphic "<format> image is too large (W x H pixels, at most N pixels are read)" for
// a declared size beyond MaxPicturePixels.
void CheckPictureSize(std::string_view format, uint64_t width, uint64_t height);

// The RGB value of a colour: system colours resolved through GetSysColor, anything else unchanged
// (clNone and clDefault stay as they are).
COLORREF ColorToRGB(TColor color);
// A colour as GDI takes it: ColorToRGB, with the sentinels' high bits cleared so that GDI never
// sees an invalid COLORREF (PALETTEINDEX and PALETTERGB values pass through).
COLORREF GdiColor(TColor color);

// The system colour brush of a COLOR_xxx index, in the form FillRect and window classes take it: the
// index + 1 in place of a brush handle. It is never freed, selected into a context or given to
// FrameRect (which take real handles: GetSysColorBrush).
inline HBRUSH SystemColorBrush(int index) { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index) + 1); }

// Pixels per logical inch of the screen (vertical), read once.
int ScreenPixelsPerInch();
// Bits per pixel of the screen, read once.
int ScreenBitsPerPixel();

// A device context of the screen for the life of a scope.
class TScreenDC {
public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  ~TScreenDC() { if (FDC) ReleaseDC(nullptr, FDC); }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  operator HDC() const { return FDC; }

private:
  HDC FDC;
};

enum class TGdiKind { Font, Brush, Pen, Bitmap, Region, DC, Icon, ImageList };
constexpr int GdiKindCount = 8;

namespace gdi_detail {
void Count(TGdiKind kind, int delta);
void Destroy(TGdiKind kind, void* handle);
}  // namespace gdi_detail

// Objects of one kind the graphics layer owns now; the sum over the kinds without an argument.
int LiveGdiObjects(TGdiKind kind);
int LiveGdiObjects();

// Sole owner of one GDI or user object: destroys it (DeleteObject, DeleteDC, DestroyIcon,
// ImageList_Destroy as the kind needs) when reset or destroyed. Move-only.
template <class H, TGdiKind K>
class TGdiHandle {
public:
  TGdiHandle() = default;
  // Takes ownership of handle (which may be null).
  explicit TGdiHandle(H handle) { Reset(handle); }
  ~TGdiHandle() { Reset(); }
  TGdiHandle(TGdiHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TGdiHandle& operator=(TGdiHandle&& other) noexcept
  {
    if (this != &other) {
      Reset();
      FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
  }
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  // Destroys the current object and takes ownership of handle.
  void Reset(H handle = nullptr)
  {
    if (handle == FHandle) return;
    if (FHandle) gdi_detail::Destroy(K, reinterpret_cast<void*>(FHandle));
    FHandle = handle;
    if (FHandle) gdi_detail::Count(K, 1);
  }
  // Gives the object up to the caller, who becomes responsible for destroying it.
  H Release()
  {
    H h = FHandle;
    if (h) gdi_detail::Count(K, -1);
    FHandle = nullptr;
    return h;
  }

private:
  H FHandle = nullptr;
};

using TFontHandle = TGdiHandle<HFONT, TGdiKind::Font>;
using TBrushHandle = TGdiHandle<HBRUSH, TGdiKind::Brush>;
using TPenHandle = TGdiHandle<HPEN, TGdiKind::Pen>;
using TBitmapHandle = TGdiHandle<HBITMAP, TGdiKind::Bitmap>;
using TRegionHandle = TGdiHandle<HRGN, TGdiKind::Region>;
using TDCHandle = TGdiHandle<HDC, TGdiKind::DC>;
using TIconHandle = TGdiHandle<HICON, TGdiKind::Icon>;
using TImageListHandle = TGdiHandle<HIMAGELIST, TGdiKind::ImageList>;

// Selects an object into a device context for the life of a scope and puts the previous one back.
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectObject() { if (FOld) SelectObject(FDC, FOld); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
