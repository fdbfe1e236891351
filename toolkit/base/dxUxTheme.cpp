#include "toolkit/base/dxUxTheme.h"

#include <commctrl.h>
#include <vector>
#include "classlib/BoundLibrary.h"
#include "toolkit/base/dxCore.h"

TdxUxThemeEntryPoints dxUxThemeEntryPoints;

namespace {
#define DX_UXTHEME_LIBRARY_ENTRY(name) CL_LIBRARY_ENTRY(dxUxThemeEntryPoints.name, #name),
const TLibraryEntry Entries[] = {DX_UXTHEME_ENTRY_POINTS(DX_UXTHEME_LIBRARY_ENTRY)};
#undef DX_UXTHEME_LIBRARY_ENTRY
static_assert(std::size(Entries) == dxUxThemeEntryPointCount);

TBoundLibrary GLibrary{"UxTheme.dll", Entries};

void InitializeUnit() { LoadUxThemeLibrary(); }
void FinalizeUnit() { FreeUxThemeLibrary(); }

const TUnit* const Uses[] = {&UnitdxCore};
}  // namespace

TUnit UnitdxUxTheme{"dxUxTheme", Uses, InitializeUnit, FinalizeUnit};

TdxGetCurrentThemeNamesFunc dxGetCurrentThemeNames = dxReadCurrentThemeNames;

bool IsUxThemeLoaded() { return GLibrary.Loaded(); }

void LoadUxThemeLibrary()
{
  if (GLibrary.Loaded()) return;
  InitCommonControls();
  GLibrary.Load();
}

void FreeUxThemeLibrary()
{
  GLibrary.Unload();
  // Entries a test put in place go too.
  dxUxThemeEntryPoints = {};
}

bool dxReadCurrentThemeNames(TdxThemeNames& names)
{
  constexpr int Size = 1024;
  std::vector<wchar_t> file(Size), color(Size), size(Size);
  if (FAILED(dxUxTheme::GetCurrentThemeName(file.data(), Size, color.data(), Size, size.data(), Size)))
    return false;
  names.FileName = file.data();
  names.ColorName = color.data();
  names.SizeName = size.data();
  return true;
}

HRESULT DrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, std::string_view text, DWORD flags,
                          DWORD flags2, const RECT* rect)
{
  return dxUxTheme::DrawThemeText(theme, dc, part, state, ConvertAnsiToWide(text), flags, flags2, rect);
}

// --- Wrappers ---

namespace dxUxTheme {
namespace {
const TdxUxThemeEntryPoints& Api() { return dxUxThemeEntryPoints; }
}  // namespace

HTHEME OpenThemeData(HWND window, LPCWSTR classList)
{
  return Api().OpenThemeData ? Api().OpenThemeData(window, classList) : nullptr;
}

HRESULT CloseThemeData(HTHEME theme)
{
  return Api().CloseThemeData ? Api().CloseThemeData(theme) : E_NOTIMPL;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip)
{
  if (!Api().DrawThemeBackground) return E_NOTIMPL;
  return Api().DrawThemeBackground(theme, dc, part, state, rect, clip);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, std::wstring_view text, DWORD flags,
                      DWORD flags2, const RECT* rect)
{
  if (!Api().DrawThemeText) return E_NOTIMPL;
  // The text is passed with its length, so it needs no terminating NUL; an empty view still gets a
  // valid pointer.
  return Api().DrawThemeText(theme, dc, part, state, text.empty() ? L"" : text.data(),
                             static_cast<int>(text.size()), flags, flags2, rect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                      RECT* content)
{
  if (!Api().GetThemeBackgroundContentRect) return E_NOTIMPL;
  return Api().GetThemeBackgroundContentRect(theme, dc, part, state, bounds, content);
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size)
{
  return GetThemePartSize(theme, dc, part, state, static_cast<const RECT*>(nullptr), kind, size);
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, THEMESIZE kind,
                         SIZE* size)
{
  if (!Api().GetThemePartSize) return E_NOTIMPL;
  // The platform declares the rectangle without const but only reads it.
  return Api().GetThemePartSize(theme, dc, part, state, const_cast<RECT*>(bounds), kind, size);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region)
{
  if (!Api().GetThemeBackgroundRegion) return E_NOTIMPL;
  return Api().GetThemeBackgroundRegion(theme, dc, part, state, rect, region);
}

HRESULT DrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                      RECT* content)
{
  if (!Api().DrawThemeEdge) return E_NOTIMPL;
  return Api().DrawThemeEdge(theme, dc, part, state, dest, edge, flags, content);
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state)
{
  if (!Api().IsThemeBackgroundPartiallyTransparent) return FALSE;
  return Api().IsThemeBackgroundPartiallyTransparent(theme, part, state);
}

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect)
{
  if (!Api().DrawThemeParentBackground) return E_NOTIMPL;
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  HRESULT result = Api().DrawThemeParentBackground(window, dc, const_cast<RECT*>(rect));
  if (font) SelectObject(dc, font);
  return result;
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int prop, COLORREF* color)
{
  if (!Api().GetThemeColor) return E_NOTIMPL;
  return Api().GetThemeColor(theme, part, state, prop, color);
}

HRESULT GetThemeMargins(HTHEME theme, HDC dc, int part, int state, int prop, const RECT* rect, MARGINS* margins)
{
  if (!Api().GetThemeMargins) return E_NOTIMPL;
  return Api().GetThemeMargins(theme, dc, part, state, prop, const_cast<RECT*>(rect), margins);
}

HRESULT GetCurrentThemeName(LPWSTR fileName, int fileNameChars, LPWSTR colorName, int colorNameChars,
                            LPWSTR sizeName, int sizeNameChars)
{
  if (!Api().GetCurrentThemeName) return E_NOTIMPL;
  return Api().GetCurrentThemeName(fileName, fileNameChars, colorName, colorNameChars, sizeName, sizeNameChars);
}

HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* rect, BP_BUFFERFORMAT format, BP_PAINTPARAMS* params,
                                HDC* paintDC)
{
  if (!Api().BeginBufferedPaint) return nullptr;
  return Api().BeginBufferedPaint(target, rect, format, params, paintDC);
}

HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget)
{
  if (!Api().EndBufferedPaint) return E_NOTIMPL;
  return Api().EndBufferedPaint(buffer, updateTarget);
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha)
{
  if (!Api().BufferedPaintSetAlpha) return E_NOTIMPL;
  return Api().BufferedPaintSetAlpha(buffer, rect, alpha);
}

bool IsThemeActive() { return Api().IsThemeActive && Api().IsThemeActive(); }
}  // namespace dxUxTheme
