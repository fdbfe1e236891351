#pragma once
// Free functions of the drawing base that painters, controls, bars and editors call: screen
// resolution and scaling, colour arithmetic on system colours, blits and new bitmaps, GDI object
// queries, text measuring and output on a device context, a canvas or a font, text shortening and
// wrapping, the cursor's extent and window invalidation.
//
// Texts are single-byte strings of the ANSI code page (936 here).
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Object.h"
#include "classlib/Units.h"
#include "classlib/Win.h"

class TcxCanvas;
class TCustomImageList;
class TChangeLink;
class TComponent;
class TStrings;

// The drawing base's unit: makes the process DPI-aware and reads the screen's resolution, binds
// AlphaBlend and registers TcxBitmap and TcxBitmap32 for stored forms; its shut-down frees the shared
// canvases.
extern TUnit UnitcxGraphics;

// --- Screen resolution ---

// Vertical pixels per inch of the screen, read once at start-up.
int GetScreenDPI();
// Horizontal (cx) and vertical (cy) pixels per inch.
SIZE GetScreenPixelsPerInch();
// A value given for 96 pixels per inch, scaled to the screen's (MulDiv, rounded).
int ScaleByScreenDPI(int value);

// Where the resolution comes from: a screen device context by default; tests put another function
// here and read again.
using TcxScreenPixelsPerInchFunc = SIZE (*)();
extern TcxScreenPixelsPerInchFunc cxScreenPixelsPerInchFunc;
SIZE cxReadScreenPixelsPerInch();
void DetectScreenPixelsPerInch();

// Makes the process DPI-aware (SetProcessDPIAware, looked up by name in user32) on Windows Vista and
// later; true when the call was made.
bool MakeProcessDPIAwareIfNeeded();

// The AlphaBlend entry of msimg32.dll bound at start-up; nullptr when the library or the entry is
// missing (alpha operations then take their fallback).
using TcxAlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
TcxAlphaBlendProc BoundAlphaBlend();

// True from the start of the unit's shut-down: the shared canvases are not made again.
bool IsGraphicsUnitFinalizing();

// --- Colours ---

// 0 below 0, 255 above 255, else the value.
int ClampChannel(int value);
// The platform's nearest colour on the screen.
TColor GetNearestScreenColor(TColor color);
// Percentages (signed) of the button face, highlight and window colours, each channel clamped; the
// highlight colour itself when the face colour is black or white.
TColor MixSystemColors(int8_t facePercent, int8_t highlightPercent, int8_t windowPercent);
// The same mix of three given colours.
TColor MixColorsByPercent(COLORREF face, COLORREF highlight, COLORREF window, int8_t facePercent,
                          int8_t highlightPercent, int8_t windowPercent);
// Backgrounds of pressed and hot ultra-flat buttons.
TColor MixPressedColor();
TColor MixHotColor();

// --- Rectangles, bitmaps and image lists ---

// Left and top grow by the margins' left and top, right and bottom shrink by theirs.
void DeflateRectByMargins(RECT& rect, const RECT& margins);
bool BitmapHasImage(TBitmap* bitmap);
bool IsValidImageIndex(TCustomImageList* images, int index);
// Points field at newList: the old list loses owner's free notification and the change link, the new
// one gets both; the link fires afterwards (also for nullptr). Nothing when field already holds it.
void ReplaceImageListReference(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* link,
                               TComponent* owner);
// One BitBlt of the rect's size from the source point.
void BlitRect(HDC dest, HDC source, const RECT& destRect, DWORD rop = SRCCOPY, POINT sourcePoint = {0, 0});
// Pixel format first, then width, then height.
void SetBitmapFormatAndSize(TBitmap* bitmap, int width, int height, TPixelFormat format);
TOwned<TBitmap> NewBitmapWithFormat(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
TOwned<TBitmap> NewBitmapOfSize(POINT size, TPixelFormat format = TPixelFormat::pf24bit);
TOwned<TBitmap> NewBitmapForRect(const RECT& rect, TPixelFormat format = TPixelFormat::pf24bit);
// The whole source stretched over the whole destination (SRCCOPY).
void StretchBitmapOnto(TBitmap* dest, TBitmap* source);
// The source copied over the destination at (0, 0) (SRCCOPY); the destination is told of the change.
void CopyBitmapOnto(TBitmap* dest, TBitmap* source);
TOwned<TBitmap> CloneBitmap(TBitmap* bitmap);
// The platform's object queries; true on success.
bool ReadBitmapObject(HBITMAP bitmap, BITMAP& data);
bool ReadLogBrush(HBRUSH brush, LOGBRUSH& data);
void GetBrushLogData(HBRUSH brush, LOGBRUSH& data);
bool ReadLogFont(HFONT font, LOGFONTA& data);
bool ReadLogPen(HPEN pen, LOGPEN& data);

// --- Text on a device context, a canvas or a font ---

// GetTextExtentPoint32 of the first count characters (-1: all); true on success.
bool MeasureTextOnDC(HDC dc, std::string_view text, SIZE& size, int count = -1);
// DrawText with the background mode and, unless the colour is clDefault, the text colour, both put
// back afterwards; an empty text only asks DrawText about a length of 0. Answers DrawText's height.
// The text is never modified (DT_MODIFYSTRING is ignored).
int DrawTextOnDC(HDC dc, std::string_view text, RECT& rect, int bkMode, TColor color, int count, UINT drawTextFlags);
// DrawTextOnDC on the canvas's context, transparent, the whole text.
int DrawTextOnCanvas(TCanvas* canvas, std::string_view text, RECT& rect, TColor color, UINT drawTextFlags);
// Text turned by quarter turns (0 to 3, as TcxRotationAngle) in the rect, drawn through a bitmap.
void DrawTextRotated(TcxCanvas* canvas, std::string_view text, const RECT& rect, int rotation, TColor color,
                     UINT drawTextFlags);
// ExtTextOut; true on success.
bool TextOutOnDC(HDC dc, std::string_view text, POINT point, int count = -1, UINT options = 0,
                 const RECT* clipRect = nullptr);
// tmHeight of the font selected in the context.
int GetDCTextHeight(HDC dc);
// tmHeight of the font on the shared screen canvas.
int GetFontHeight(TFont* font);
// Single-line extent of the text in the font, its size replaced by pointSize when that is not 0.
SIZE MeasureFontTextSize(TFont* font, std::string_view text, int pointSize = 0);
int MeasureFontTextWidth(TFont* font, std::string_view text, int pointSize = 0);
// The single-line size (CalcTextRectForRows with one row).
SIZE MeasureSingleLineText(HDC dc, std::string_view text);
// The narrowest rect (from 0, 0) in which the text, word-wrapped, takes at most rows rows of the
// height of "Wg" (rows <= 0: at most 32000 pixels); rows = 1 gives the single-line rect. With
// fullHeight the bottom is the whole limit.
RECT CalcTextRectForRows(HDC dc, std::string_view text, int rows, bool fullHeight = false);
// The text shortened with an ellipsis (kind 0 at the end, 1 in the middle of a path) to fit the width,
// in the given font (selected into the context, where it stays) or the context's. A context of
// nullptr measures on the screen. Empty for an empty text or a width <= 0. Double-byte characters
// are never split.
std::string ShortenTextToWidth(HDC dc, HFONT font, std::string_view text, int ellipsisKind, int width);
// Appends the lines of the text word-wrapped to the rect's width (CR and LF break lines; a word wider
// than the width stands on a line of its own).
void WrapTextToLines(std::string_view text, TcxCanvas* canvas, const RECT& rect, TStrings* lines);
// The text is not empty and its first byte is a one-byte character.
bool StartsWithSingleByteChar(std::string_view text);
// The text starts with a double-byte character and the character set (DEFAULT_CHARSET: the
// system's) is Chinese (134, 136) or Arabic (178).
bool IsMultiByteCharsetText(BYTE charset, std::string_view text);
// The width of the current cursor and the number of its rows below the hot spot (the system cursor
// size when the cursor cannot be read).
SIZE MeasureCursorExtent();

// --- Windows ---

void InvalidateWindowRect(HWND window, const RECT& rect, bool erase);
void InvalidateWindow(HWND window, bool erase);
