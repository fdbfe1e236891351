#pragma once
// TCanvas: drawing on a device context with a font, a brush and a pen of its own.
//
// The device context comes from SetHandle or, when drawing needs one and there is none, from the
// virtual CreateHandle that canvases of bitmaps and controls provide. The canvas selects its font,
// brush and pen into the context when a drawing operation first needs them and puts the context's
// own objects back when the handle changes, when the canvas is destroyed, or when a tool changes
// (the tool is selected again, newly made, by the next operation that needs it).
//
// Lock, TryLock and Unlock guard the canvas for threads that share it; a locked canvas of a bitmap
// keeps its device context (FreeMemoryContexts passes over it).
#include <span>
#include <string_view>
#include "classlib/Events.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"

class TGraphic;
class TBitmap;

enum class TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
constexpr TCanvasState csAllValid{TCanvasStates::csHandleValid, TCanvasStates::csFontValid,
                                  TCanvasStates::csPenValid, TCanvasStates::csBrushValid};

// Raster operations of CopyRect, Draw and StretchDraw (the BitBlt ROP codes).
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                    cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                    cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                    cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT,
                    cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
  CL_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  // The device context, created through CreateHandle when there is none, with the canvas's font,
  // brush and pen selected. Raises EInvalidOperation "Canvas does not allow drawing" when the canvas
  // cannot get one.
  HDC Handle();
  // Gives the canvas another device context (nullptr: none). The objects the canvas selected into
  // the old one are replaced by that context's own first; the canvas's font, brush and pen go into
  // the new one as soon as an operation (or Handle()) needs them.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Marks the tools as not selected, so that the next operation selects them again (after code
  // that changed the context's objects behind the canvas's back).
  void Refresh();

  void Lock();
  bool TryLock();
  void Unlock();
  int LockCount() const { return FLockCount; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* value) { FBrush->Assign(value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* value) { FPen->Assign(value); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode value) { FCopyMode = value; }
  // ETO_ options of TextOut and TextRect (ETO_OPAQUE, ETO_CLIPPED, ETO_RTLREADING ...).
  UINT TextFlags() const { return FTextFlags; }
  void SetTextFlags(UINT value) { FTextFlags = value; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(const TNotifyEvent& value) { FOnChanging = value; }

  // The colour of a pixel; -1 (CLR_INVALID) outside the clipping region.
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);

  POINT PenPos();
  void SetPenPos(POINT value) { MoveTo(value.x, value.y); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);

  // Fills with the brush; draws no border.
  void FillRect(const RECT& rect);
  // A one-pixel border in the brush.
  void FrameRect(const RECT& rect);
  void DrawFocusRect(const RECT& rect);
  // Outlined with the pen and filled with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
  void Polygon(std::span<const POINT> points);
  void Polyline(std::span<const POINT> points);

  // Text (ANSI) in the font; the background is filled with a solid brush and left alone with a clear
  // one. TextOut moves the pen position to the end of the text.
  void TextOut(int x, int y, std::string_view text);
  // Text at x, y clipped to rect, whose background is filled when the brush is solid.
  void TextRect(const RECT& rect, int x, int y, std::string_view text);
  // Text laid out in rect by DrawText with the given DT_ flags; with DT_CALCRECT only measures and
  // returns the rect the text needs in rect.
  void TextRect(RECT& rect, std::string_view text, UINT drawTextFlags);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // A graphic at its own size / stretched into rect. Nothing for nullptr or an empty graphic.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& rect, TGraphic* graphic);
  // Copies source's srcRect into dest (stretching as needed) with CopyMode.
  void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);
  // Copies source's srcRect into dest, with the pixels of colour in the bitmap showing this canvas's
  // brush instead; with a clear brush they leave the canvas's own pixels as they are.
  void BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& source, TColor color);
  // The clip box in logical coordinates.
  RECT ClipRect();

protected:
  // Called when drawing needs a device context and there is none; overrides call SetHandle. A
  // canvas that gets its own context gives it back with SetHandle(nullptr) before releasing it
  // (in its destructor too), so that the context's own objects are put back first.
  virtual void CreateHandle() {}
  // Before and after every drawing operation; fire OnChanging and OnChange.
  virtual void Changing();
  virtual void Changed();
  // Makes sure the handle exists and the tools in req are selected.
  void RequiredState(TCanvasState req);

private:
  void FontChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  void PenChanged(TObject* sender);
  void SelectFont();
  void SelectBrush();
  void SelectPen();
  void DeselectHandles();

  HDC FHandle = nullptr;
  TCanvasState FState;
  TOwned<TFont> FFont;
  TOwned<TBrush> FBrush;
  TOwned<TPen> FPen;
  // The context's own objects, put back when the canvas lets go of it.
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  HGDIOBJ FOldPen = nullptr;
  POINT FPenPos{};
  TCopyMode FCopyMode = cmSrcCopy;
  UINT FTextFlags = 0;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
  CRITICAL_SECTION FLock;
  int FLockCount = 0;
};

// Locks a canvas for the life of a scope.
class TCanvasLock {
public:
  explicit TCanvasLock(TCanvas* canvas) : FCanvas(canvas) { if (FCanvas) FCanvas->Lock(); }
  ~TCanvasLock() { if (FCanvas) FCanvas->Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
  TCanvas* FCanvas;
};

// Lends a device context to a canvas for the life of a scope: the canvas is locked and draws on the
// context until the scope ends, then lets go of it (the context stays its owner's).
class TCanvasDCScope {
public:
  TCanvasDCScope(TCanvas* canvas, HDC dc) : FLock(canvas), FCanvas(canvas) { FCanvas->SetHandle(dc); }
  ~TCanvasDCScope() { FCanvas->SetHandle(nullptr); }
  TCanvasDCScope(const TCanvasDCScope&) = delete;
  TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
  TCanvasLock FLock;
  TCanvas* FCanvas;
};
