#include "toolkit/base/cxGraphicsFunctions.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include "classlib/Component.h"
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "classlib/Msimg32.h"
#include "classlib/Strings.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/dxCore.h"

namespace {
SIZE GScreenPixelsPerInch{};
void InitializeUnit()
{
  // The process is DPI-aware before the resolution is read, so that the real one is read.
  MakeProcessDPIAwareIfNeeded();
  RegisterClass(TcxBitmap::StaticClass());
  RegisterClass(TcxBitmap32::StaticClass());
  DetectScreenPixelsPerInch();
}

void FinalizeUnit()
{
  FreeSharedCanvases();
  UnRegisterClass(TcxBitmap32::StaticClass());
  UnRegisterClass(TcxBitmap::StaticClass());
}

const TUnit* const Uses[] = {&GraphicsUnit, &UnitdxCore, &UnitcxClasses, &UnitcxGeometry};

// Runs f with the shared screen canvas (or, once the shared one is gone, a canvas of its own) and gives
// the desktop's device context back afterwards.
template <class F>
auto WithScreenCanvas(F f)
{
  TcxScreenCanvas* shared = GetSharedScreenCanvas();
  TOwned<TcxScreenCanvas> own;
  if (!shared) {
    own = MakeOwned<TcxScreenCanvas>();
    shared = own.get();
  }
  struct TRelease {
    TcxScreenCanvas* Canvas;
    ~TRelease() { Canvas->ReleaseDeviceContext(); }
  } release{shared};
  return f(shared);
}

int CountOf(std::string_view text, int count)
{
  const int size = static_cast<int>(text.size());
  return count < 0 ? size : std::min(count, size);
}

int DrawTextCalc(HDC dc, std::string_view text, RECT& rect, UINT flags)
{
  return DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, flags);
}
}  // namespace

TUnit UnitcxGraphics{"cxGraphics", Uses, InitializeUnit, FinalizeUnit};

// --- Screen resolution ---

TcxScreenPixelsPerInchFunc cxScreenPixelsPerInchFunc = cxReadScreenPixelsPerInch;

SIZE cxReadScreenPixelsPerInch()
{
  TScreenDC dc;
  return SIZE{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
}

void DetectScreenPixelsPerInch() { GScreenPixelsPerInch = cxScreenPixelsPerInchFunc(); }

SIZE GetScreenPixelsPerInch()
{
  if (GScreenPixelsPerInch.cy == 0) DetectScreenPixelsPerInch();
  return GScreenPixelsPerInch;
}

int GetScreenDPI() { return GetScreenPixelsPerInch().cy; }

int ScaleByScreenDPI(int value) { return MulDiv(value, GetScreenDPI(), 96); }

bool MakeProcessDPIAwareIfNeeded()
{
  if (!WinVistaOrLater) return false;
  return SetProcessDPIAware() != FALSE;
}

TcxAlphaBlendProc BoundAlphaBlend() { return Msimg32().AlphaBlend; }

bool IsGraphicsUnitFinalizing() { return UnitcxGraphics.Finalized(); }

// --- Colours ---

int ClampChannel(int value) { return std::clamp(value, 0, 255); }

TColor GetNearestScreenColor(TColor color)
{
  TScreenDC dc;
  return static_cast<TColor>(GetNearestColor(dc, ColorToRGB(color)));
}

TColor MixColorsByPercent(COLORREF face, COLORREF highlight, COLORREF window, int8_t facePercent,
                          int8_t highlightPercent, int8_t windowPercent)
{
  if (face == RGB(0, 0, 0) || face == RGB(255, 255, 255)) return static_cast<TColor>(highlight);
  auto mix = [&](BYTE f, BYTE h, BYTE w) {
    return static_cast<BYTE>(
        ClampChannel(MulDiv(f, facePercent, 100) + MulDiv(h, highlightPercent, 100) + MulDiv(w, windowPercent, 100)));
  };
  return static_cast<TColor>(RGB(mix(GetRValue(face), GetRValue(highlight), GetRValue(window)),
                                 mix(GetGValue(face), GetGValue(highlight), GetGValue(window)),
                                 mix(GetBValue(face), GetBValue(highlight), GetBValue(window))));
}

TColor MixSystemColors(int8_t facePercent, int8_t highlightPercent, int8_t windowPercent)
{
  return MixColorsByPercent(ColorToRGB(clBtnFace), ColorToRGB(clHighlight), ColorToRGB(clWindow), facePercent,
                            highlightPercent, windowPercent);
}

TColor MixPressedColor() { return GetNearestScreenColor(MixSystemColors(14, 44, 40)); }

TColor MixHotColor() { return GetNearestScreenColor(MixSystemColors(-2, 30, 72)); }

// --- Rectangles, bitmaps and image lists ---

void DeflateRectByMargins(RECT& rect, const RECT& margins)
{
  rect.left += margins.left;
  rect.top += margins.top;
  rect.right -= margins.right;
  rect.bottom -= margins.bottom;
}

bool BitmapHasImage(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

bool IsValidImageIndex(TCustomImageList* images, int index)
{
  return images && index >= 0 && index < images->Count();
}

void ReplaceImageListReference(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* link,
                               TComponent* owner)
{
  if (field == newList) return;
  if (field) {
    if (owner) field->RemoveFreeNotification(owner);
    if (link) field->UnRegisterChanges(link);
  }
  field = newList;
  if (newList) {
    if (link) newList->RegisterChanges(link);
    if (owner) newList->FreeNotification(owner);
  }
  if (link) link->Change();
}

void BlitRect(HDC dest, HDC source, const RECT& destRect, DWORD rop, POINT sourcePoint)
{
  BitBlt(dest, destRect.left, destRect.top, RectWidth(destRect), RectHeight(destRect), source, sourcePoint.x,
         sourcePoint.y, rop);
}

void SetBitmapFormatAndSize(TBitmap* bitmap, int width, int height, TPixelFormat format)
{
  bitmap->SetPixelFormat(format);
  bitmap->SetWidth(width);
  bitmap->SetHeight(height);
}

TOwned<TBitmap> NewBitmapWithFormat(int width, int height, TPixelFormat format)
{
  auto bitmap = MakeOwned<TBitmap>();
  SetBitmapFormatAndSize(bitmap.get(), width, height, format);
  return bitmap;
}

TOwned<TBitmap> NewBitmapOfSize(POINT size, TPixelFormat format) { return NewBitmapWithFormat(size.x, size.y, format); }

TOwned<TBitmap> NewBitmapForRect(const RECT& rect, TPixelFormat format)
{
  return NewBitmapWithFormat(RectWidth(rect), RectHeight(rect), format);
}

namespace {
// Source rect onto dest rect through the destination's canvas (which tells the bitmap of the change),
// SRCCOPY whatever the canvas's copy mode.
void CopyCanvasRect(TBitmap* dest, const RECT& destRect, TBitmap* source, const RECT& sourceRect)
{
  if (!BitmapHasImage(dest) || !BitmapHasImage(source)) return;
  TCanvas* canvas = dest->Canvas();
  const TCopyMode mode = canvas->CopyMode();
  canvas->SetCopyMode(cmSrcCopy);
  canvas->CopyRect(destRect, source->Canvas(), sourceRect);
  canvas->SetCopyMode(mode);
}
}  // namespace

void StretchBitmapOnto(TBitmap* dest, TBitmap* source)
{
  if (!dest || !source) return;
  CopyCanvasRect(dest, RECT{0, 0, dest->Width(), dest->Height()}, source,
                 RECT{0, 0, source->Width(), source->Height()});
}

void CopyBitmapOnto(TBitmap* dest, TBitmap* source)
{
  if (!dest || !source) return;
  const RECT full{0, 0, dest->Width(), dest->Height()};
  CopyCanvasRect(dest, full, source, full);
}

TOwned<TBitmap> CloneBitmap(TBitmap* bitmap)
{
  auto clone = MakeOwned<TBitmap>();
  clone->Assign(bitmap);
  return clone;
}

bool ReadBitmapObject(HBITMAP bitmap, BITMAP& data)
{
  return bitmap && GetObjectA(bitmap, sizeof(data), &data) == static_cast<int>(sizeof(data));
}

bool ReadLogBrush(HBRUSH brush, LOGBRUSH& data)
{
  return brush && GetObjectA(brush, sizeof(data), &data) == static_cast<int>(sizeof(data));
}

void GetBrushLogData(HBRUSH brush, LOGBRUSH& data) { ReadLogBrush(brush, data); }

bool ReadLogFont(HFONT font, LOGFONTA& data)
{
  return font && GetObjectA(font, sizeof(data), &data) == static_cast<int>(sizeof(data));
}

bool ReadLogPen(HPEN pen, LOGPEN& data)
{
  return pen && GetObjectA(pen, sizeof(data), &data) == static_cast<int>(sizeof(data));
}

// --- Text ---

bool MeasureTextOnDC(HDC dc, std::string_view text, SIZE& size, int count)
{
  return GetTextExtentPoint32A(dc, text.data(), CountOf(text, count), &size) != FALSE;
}

int DrawTextOnDC(HDC dc, std::string_view text, RECT& rect, int bkMode, TColor color, int count, UINT drawTextFlags)
{
  drawTextFlags &= ~static_cast<UINT>(DT_MODIFYSTRING);  // the text is not ours to modify
  const int n = CountOf(text, count);
  if (n == 0) return DrawTextA(dc, "", 0, &rect, drawTextFlags);
  const int oldMode = SetBkMode(dc, bkMode);
  const bool setColor = color != clDefault;
  const COLORREF oldColor = setColor ? SetTextColor(dc, GdiColor(color)) : 0;
  const int height = DrawTextA(dc, text.data(), n, &rect, drawTextFlags);
  if (setColor) SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  return height;
}

int DrawTextOnCanvas(TCanvas* canvas, std::string_view text, RECT& rect, TColor color, UINT drawTextFlags)
{
  return DrawTextOnDC(canvas->Handle(), text, rect, TRANSPARENT, color, -1, drawTextFlags);
}

void DrawTextRotated(TcxCanvas* canvas, std::string_view text, const RECT& rect, int rotation, TColor color,
                     UINT drawTextFlags)
{
  if (rotation == ra0) {
    RECT r = rect;
    DrawTextOnCanvas(canvas->Canvas(), text, r, color, drawTextFlags);
    return;
  }
  const int w = RectWidth(rect), h = RectHeight(rect);
  if (w <= 0 || h <= 0) return;
  // The pixels under the rect are turned back, written on horizontally and turned again.
  auto bitmap = MakeOwned<TcxBitmap>(w, h, TPixelFormat::pf32bit);
  BlitRect(bitmap->Canvas()->Handle(), canvas->GetDCHandle(), bitmap->GetFullRect(), SRCCOPY,
           POINT{rect.left, rect.top});
  const auto turn = static_cast<TcxRotationAngle>(rotation);
  const TcxRotationAngle inverse = turn == raPlus90 ? raMinus90 : turn == raMinus90 ? raPlus90 : ra180;
  bitmap->RotateOrFlip(inverse);
  bitmap->Canvas()->SetFont(canvas->GetCurrentFont());
  RECT full = bitmap->GetFullRect();
  DrawTextOnCanvas(bitmap->Canvas(), text, full, color, drawTextFlags);
  bitmap->RotateOrFlip(turn);
  TCanvasLock lock(bitmap->Canvas());
  BlitRect(canvas->GetDCHandle(), bitmap->Canvas()->Handle(), rect, SRCCOPY, POINT{0, 0});
}

bool TextOutOnDC(HDC dc, std::string_view text, POINT point, int count, UINT options, const RECT* clipRect)
{
  return ExtTextOutA(dc, point.x, point.y, options, clipRect, text.data(), static_cast<UINT>(CountOf(text, count)),
                     nullptr) != FALSE;
}

int GetDCTextHeight(HDC dc)
{
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

int GetFontHeight(TFont* font)
{
  return WithScreenCanvas([&](TcxScreenCanvas* canvas) {
    canvas->AssignFont(font);
    return GetDCTextHeight(canvas->GetDCHandle());
  });
}

SIZE MeasureFontTextSize(TFont* font, std::string_view text, int pointSize)
{
  return WithScreenCanvas([&](TcxScreenCanvas* canvas) {
    canvas->AssignFont(font);
    if (pointSize != 0) canvas->GetCurrentFont()->SetSize(pointSize);
    return canvas->MeasureTextSize(text);
  });
}

int MeasureFontTextWidth(TFont* font, std::string_view text, int pointSize)
{
  return MeasureFontTextSize(font, text, pointSize).cx;
}

SIZE MeasureSingleLineText(HDC dc, std::string_view text)
{
  RECT r = CalcTextRectForRows(dc, text, 1);
  return SIZE{RectWidth(r), RectHeight(r)};
}

RECT CalcTextRectForRows(HDC dc, std::string_view text, int rows, bool fullHeight)
{
  RECT result{};
  if (rows == 1) {
    DrawTextCalc(dc, text, result, DT_CALCRECT | DT_SINGLELINE);
    return result;
  }
  int limit = 32000;
  if (rows > 0) {
    RECT row{};
    DrawTextCalc(dc, "Wg", row, DT_CALCRECT | DT_SINGLELINE);
    limit = rows * RectHeight(row);
  }
  const UINT wrapped = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
  auto measureAt = [&](int width) {
    RECT r{0, 0, width, 1};
    DrawTextCalc(dc, text, r, wrapped);
    return r;
  };
  int lo = RectWidth(measureAt(1));  // the longest piece that cannot be broken
  RECT single{};
  DrawTextCalc(dc, text, single, DT_CALCRECT | DT_SINGLELINE);
  int hi = RectWidth(single);
  while (hi - lo > 1) {
    const int m = (lo + hi) / 2;
    if (RectHeight(measureAt(m)) > limit)
      lo = m;
    else
      hi = m;
  }
  result = measureAt(lo);
  if (RectHeight(result) > limit) result = measureAt(hi);
  if (fullHeight) result.bottom = limit;
  return result;
}

// The platform writes the shortened text over its input and may write up to four characters more than
// the text had, so the work buffer holds the whole text, four more bytes and a terminating zero:
// texts of any length are shortened without writing past it.
std::string ShortenTextToWidth(HDC dc, HFONT font, std::string_view text, int ellipsisKind, int width)
{
  if (text.empty() || width <= 0) return {};
  HDC screen = dc ? nullptr : GetDC(nullptr);
  HDC target = dc ? dc : screen;
  HGDIOBJ screenFont = nullptr;
  if (font) {
    HGDIOBJ old = SelectObject(target, font);
    if (screen) screenFont = old;
  }
  std::vector<char> buffer(text.size() + 5, '\0');
  std::memcpy(buffer.data(), text.data(), text.size());
  RECT r{0, 0, width, 32};
  const UINT ellipsis = ellipsisKind == 1 ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
  DrawTextA(target, buffer.data(), static_cast<int>(text.size()), &r,
            ellipsis | DT_MODIFYSTRING | DT_CALCRECT | DT_SINGLELINE);
  if (screen) {
    // The screen's context goes back as it came.
    if (screenFont) SelectObject(screen, screenFont);
    ReleaseDC(nullptr, screen);
  }
  return std::string(buffer.data());
}

// Lines are made paragraph by paragraph (runs of CR and LF end a paragraph); within one, words are runs
// of characters other than space and tab, and a line takes words while the text from its start to the
// word's end fits. A word wider than the width stands on a line of its own.
void WrapTextToLines(std::string_view text, TcxCanvas* canvas, const RECT& rect, TStrings* lines)
{
  if (!canvas || !lines || text.empty()) return;
  const std::wstring w = ConvertAnsiToWide(text);
  const size_t n = w.size();
  const int maxWidth = RectWidth(rect);
  HDC dc = canvas->GetDCHandle();
  auto isBreak = [](wchar_t c) { return c == L'\r' || c == L'\n'; };
  auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  auto widthOf = [&](size_t from, size_t to) {
    SIZE s{};
    GetTextExtentPoint32W(dc, w.data() + from, static_cast<int>(to - from), &s);
    return s.cx;
  };
  auto emit = [&](size_t from, size_t to) { lines->Add(ConvertWideToAnsi(std::wstring_view(w).substr(from, to - from))); };

  size_t p = 0;
  while (p < n) {
    size_t paraEnd = p;
    while (paraEnd < n && !isBreak(w[paraEnd])) ++paraEnd;
    size_t lineStart = p;
    size_t previousEnd = p;
    bool lineHasWord = false;
    size_t q = p;
    while (q < paraEnd) {
      while (q < paraEnd && isBlank(w[q])) ++q;
      if (q == paraEnd) break;
      const size_t wordStart = q;
      while (q < paraEnd && !isBlank(w[q])) ++q;
      if (widthOf(lineStart, q) > maxWidth && lineHasWord) {
        emit(lineStart, previousEnd);
        lineStart = wordStart;
      }
      previousEnd = q;
      lineHasWord = true;
    }
    emit(lineStart, paraEnd);
    p = paraEnd;
    while (p < n && isBreak(w[p])) ++p;
  }
}

bool StartsWithSingleByteChar(std::string_view text)
{
  return !text.empty() && static_cast<unsigned char>(text[0]) < 0x80 && !IsDBCSLeadByte(static_cast<BYTE>(text[0]));
}

bool IsMultiByteCharsetText(BYTE charset, std::string_view text)
{
  if (StartsWithSingleByteChar(text)) return false;
  if (charset == DEFAULT_CHARSET) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE))
      charset = static_cast<BYTE>(info.ciCharset);
  }
  return charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET || charset == ARABIC_CHARSET;
}

SIZE MeasureCursorExtent()
{
  SIZE result{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
  HCURSOR cursor = GetCursor();
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return result;
  struct TIconBitmaps {
    ICONINFO& Info;
    ~TIconBitmaps()
    {
      if (Info.hbmMask) DeleteObject(Info.hbmMask);
      if (Info.hbmColor) DeleteObject(Info.hbmColor);
    }
  } owned{info};

  BITMAP mask{};
  if (!ReadBitmapObject(info.hbmMask, mask) || mask.bmBitsPixel * mask.bmPlanes != 1 || mask.bmWidth <= 0 ||
      mask.bmHeight <= 0)
    return result;
  const int width = mask.bmWidth;
  const int rowBytes = (width + 31) / 32 * 4;
  const int height = mask.bmHeight;
  std::vector<BYTE> bits(static_cast<size_t>(rowBytes) * height);
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } bmi{};
  bmi.Header.biSize = sizeof(BITMAPINFOHEADER);
  bmi.Header.biWidth = width;
  bmi.Header.biHeight = height;  // bottom-up
  bmi.Header.biPlanes = 1;
  bmi.Header.biBitCount = 1;
  bmi.Header.biCompression = BI_RGB;
  TScreenDC dc;
  if (GetDIBits(dc, info.hbmMask, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS) != height)
    return result;

  // The AND mask is the upper square of the mask (the last rows of the bottom-up bits); a mask lower
  // than it is wide is taken whole.
  const int andRows = std::min(width, height);
  const size_t block = static_cast<size_t>(andRows) * rowBytes;
  const size_t andStart = bits.size() - block;
  auto countFrom = [&](size_t start, BYTE blank) -> size_t {
    for (size_t i = 0; i < block; ++i)
      if (bits[start + i] != blank) return block - i;
    return 0;
  };
  size_t count = countFrom(andStart, 0xFF);
  if (count == 0 && height >= 2 * width) count = countFrom(andStart - block, 0x00);
  result.cx = width;
  result.cy = std::max(0, static_cast<int>(count / rowBytes) - static_cast<int>(info.yHotspot));
  return result;
}

// --- Windows ---

void InvalidateWindowRect(HWND window, const RECT& rect, bool erase) { InvalidateRect(window, &rect, erase); }

void InvalidateWindow(HWND window, bool erase) { InvalidateRect(window, nullptr, erase); }
