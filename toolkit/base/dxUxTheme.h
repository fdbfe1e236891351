#pragma once
// The platform's visual-styles library, without a load-time dependency on it: "UxTheme.dll" is
// loaded at start-up (after the common controls are initialised) and its entry points are bound by
// name, each left empty when the library lacks it. Thin wrappers call the bound entries.
//
// The wrappers that carry the platform's own names live in the namespace dxUxTheme, so that they do
// not collide with the declarations of <uxtheme.h>; call them as dxUxTheme::OpenThemeData(...).
#include <string>
#include <string_view>
#include "classlib/Units.h"
#include "classlib/Win.h"
#include <uxtheme.h>

extern TUnit UnitdxUxTheme;

// The entry points bound by name, in the order they are looked up.
#define DX_UXTHEME_ENTRY_POINTS(X)                                                                     \
  X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon)                         \
  X(DrawThemeParentBackground) X(DrawThemeText) X(DrawThemeTextEx) X(EnableThemeDialogTexture)       \
  X(GetCurrentThemeName) X(GetThemeAppProperties) X(GetThemeBackgroundContentRect)                   \
  X(GetThemeBackgroundRegion) X(GetThemeBackgroundExtent) X(GetThemeBool) X(GetThemeColor)           \
  X(GetThemeDocumentationProperty) X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont)          \
  X(GetThemeInt) X(GetThemeIntList) X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize)         \
  X(GetThemePosition) X(GetThemePropertyOrigin) X(GetThemeRect) X(GetThemeString) X(GetThemeSysBool) \
  X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysFont) X(GetThemeSysInt)                  \
  X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent) X(GetThemeTextMetrics)               \
  X(GetWindowTheme) X(HitTestThemeBackground) X(IsAppThemed) X(IsThemeActive) X(IsThemePartDefined)  \
  X(IsThemeBackgroundPartiallyTransparent) X(IsThemeDialogTextureEnabled) X(OpenThemeData)           \
  X(SetThemeAppProperties) X(SetWindowTheme) X(BufferedPaintInit) X(BufferedPaintUnInit)             \
  X(BeginBufferedPaint) X(EndBufferedPaint) X(BufferedPaintSetAlpha)

struct TdxUxThemeEntryPoints {
#define DX_UXTHEME_DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
  DX_UXTHEME_ENTRY_POINTS(DX_UXTHEME_DECLARE_ENTRY)
#undef DX_UXTHEME_DECLARE_ENTRY
};
constexpr int dxUxThemeEntryPointCount = 52;

// The bound entries (all empty while the library is not loaded). Tests may put a function of their
// own into an entry, keeping the bound one to forward to, and must put it back.
extern TdxUxThemeEntryPoints dxUxThemeEntryPoints;

bool IsUxThemeLoaded();
// Start-up and shut-down of the binding: the common controls are initialised, the library loaded
// and every entry bound; freeing empties every entry. Loading twice does nothing more.
void LoadUxThemeLibrary();
void FreeUxThemeLibrary();

// The names of the current visual style: the style file's full path, the colour scheme's name and
// the size's name.
struct TdxThemeNames {
  std::wstring FileName;
  std::wstring ColorName;
  std::wstring SizeName;
};
// Where the toolkit reads the current visual style's names: false when they cannot be read. Tests
// put another function here to reach styles this system cannot switch to.
using TdxGetCurrentThemeNamesFunc = bool (*)(TdxThemeNames& names);
extern TdxGetCurrentThemeNamesFunc dxGetCurrentThemeNames;
// The default of dxGetCurrentThemeNames: GetCurrentThemeName with buffers of 1024 characters.
bool dxReadCurrentThemeNames(TdxThemeNames& names);

// An ANSI text drawn through DrawThemeText (converted from the ANSI code page first).
HRESULT DrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, std::string_view text, DWORD flags,
                          DWORD flags2, const RECT* rect);

// Wrappers of the bound entries with the platform's arguments. Callers test that themes are
// available first; an entry the library lacks answers failure (E_NOTIMPL, nullptr or FALSE)
// instead of being called.
namespace dxUxTheme {
HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, std::wstring_view text, DWORD flags,
                      DWORD flags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                      RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, THEMESIZE kind,
                         SIZE* size);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region);
HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// The parent's background under the window; the font selected into dc before the call is selected
// again afterwards, whatever the parent's painting left there.
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int prop, COLORREF* color);
HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int prop, const RECT* rect, MARGINS* margins);
HRESULT GetCurrentThemeName(LPWSTR fileName, int fileNameChars, LPWSTR colorName, int colorNameChars,
                            LPWSTR sizeName, int sizeNameChars);
HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format, BP_PAINTPARAMS* params,
                                HDC* paintDC);
HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);
// Whether visual styles are switched on in the system; false when the entry is not bound.
bool IsThemeActive();
}  // namespace dxUxTheme
