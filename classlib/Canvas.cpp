#include "classlib/Canvas.h"

#include "classlib/Bitmap.h"
#include "classlib/Graphic.h"

using enum TCanvasStates;

CL_DEFINE_CLASS(TCanvas);

TCanvas::TCanvas()
    : FFont(MakeOwned<TFont>()), FBrush(MakeOwned<TBrush>()), FPen(MakeOwned<TPen>())
{
  InitializeCriticalSection(&FLock);
  FFont->SetOnChange(TNotifyEvent(this, &TCanvas::FontChanged));
  FBrush->SetOnChange(TNotifyEvent(this, &TCanvas::BrushChanged));
  FPen->SetOnChange(TNotifyEvent(this, &TCanvas::PenChanged));
}

TCanvas::~TCanvas()
{
  SetHandle(nullptr);
  // The tools go before the lock; they no longer report to this canvas.
  FFont->SetOnChange(nullptr);
  FBrush->SetOnChange(nullptr);
  FPen->SetOnChange(nullptr);
  DeleteCriticalSection(&FLock);
}

// ---- Handle and tools ----------------------------------------------------------------------------

HDC TCanvas::Handle()
{
  RequiredState(csAllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC dc)
{
  if (dc == FHandle) return;
  if (FHandle) DeselectHandles();
  FHandle = dc;
  FState = dc ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles()
{
  if (FHandle) {
    if (FState.Contains(csFontValid) && FOldFont) SelectObject(FHandle, FOldFont);
    if (FState.Contains(csBrushValid) && FOldBrush) SelectObject(FHandle, FOldBrush);
    if (FState.Contains(csPenValid) && FOldPen) SelectObject(FHandle, FOldPen);
  }
  FOldFont = FOldBrush = FOldPen = nullptr;
  FState -= TCanvasState{csFontValid, csBrushValid, csPenValid};
}

void TCanvas::RequiredState(TCanvasState req)
{
  TCanvasState needed = req - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont()
{
  HGDIOBJ old = SelectObject(FHandle, FFont->Handle());
  if (!FOldFont) FOldFont = old;
  SetTextColor(FHandle, GdiColor(FFont->Color()));
  FState.Include(csFontValid);
}

void TCanvas::SelectPen()
{
  HGDIOBJ old = SelectObject(FHandle, FPen->Handle());
  if (!FOldPen) FOldPen = old;
  SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
  FState.Include(csPenValid);
}

void TCanvas::SelectBrush()
{
  HGDIOBJ old = SelectObject(FHandle, FBrush->Handle());
  if (!FOldBrush) FOldBrush = old;
  COLORREF color = GdiColor(FBrush->Color());
  if (FBrush->Style() == TBrushStyle::bsSolid) {
    SetBkColor(FHandle, color);
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches are drawn on a transparent background; a background colour unlike the brush's keeps
    // them visible on drivers that skip hatches of the background colour.
    SetBkColor(FHandle, ~color & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState.Include(csBrushValid);
}

// A changed tool is taken out of the context (its old object is about to be destroyed) and
// selected anew by the next operation that needs it.
void TCanvas::FontChanged(TObject*)
{
  if (FState.Contains(csFontValid)) {
    SelectObject(FHandle, FOldFont);
    FState.Exclude(csFontValid);
  }
}

void TCanvas::BrushChanged(TObject*)
{
  if (FState.Contains(csBrushValid)) {
    SelectObject(FHandle, FOldBrush);
    FState.Exclude(csBrushValid);
  }
}

void TCanvas::PenChanged(TObject*)
{
  if (FState.Contains(csPenValid)) {
    SelectObject(FHandle, FOldPen);
    FState.Exclude(csPenValid);
  }
}

// ---- Locking and notification --------------------------------------------------------------------

void TCanvas::Lock()
{
  EnterCriticalSection(&FLock);
  ++FLockCount;
}

bool TCanvas::TryLock()
{
  if (!TryEnterCriticalSection(&FLock)) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock()
{
  --FLockCount;
  LeaveCriticalSection(&FLock);
}

void TCanvas::Changing()
{
  if (FOnChanging) FOnChanging(this);
}

void TCanvas::Changed()
{
  if (FOnChange) FOnChange(this);
}

// ---- Drawing -------------------------------------------------------------------------------------

TColor TCanvas::Pixels(int x, int y)
{
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(FHandle, x, y, GdiColor(color));
  Changed();
}

POINT TCanvas::PenPos()
{
  RequiredState({csHandleValid});
  POINT p{};
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

void TCanvas::MoveTo(int x, int y)
{
  RequiredState({csHandleValid});
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, x, y);
  Changed();
}

void TCanvas::FillRect(const RECT& rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &rect, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &rect, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect)
{
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &rect);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Polygon(std::span<const POINT> points)
{
  if (points.empty()) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::Polyline(std::span<const POINT> points)
{
  if (points.empty()) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutA(FHandle, x, y, FTextFlags, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  MoveTo(x + TextWidth(text), y);
  Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::string_view text)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | FTextFlags;
  if (FBrush->Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(FHandle, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& rect, std::string_view text, UINT drawTextFlags)
{
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  // The text is not ours to modify.
  DrawTextA(FHandle, text.data(), static_cast<int>(text.size()), &rect, drawTextFlags & ~DT_MODIFYSTRING);
  Changed();
}

SIZE TCanvas::TextExtent(std::string_view text)
{
  RequiredState({csHandleValid, csFontValid});
  SIZE size{};
  GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
  if (!graphic || graphic->Empty()) return;
  StretchDraw(RECT{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic)
{
  if (!graphic || graphic->Empty()) return;
  TCanvasLock lock(this);
  Changing();
  RequiredState({csHandleValid});
  graphic->Draw(this, rect);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source)
{
  if (!canvas) return;
  TCanvasLock lock(this);
  TCanvasLock sourceLock(canvas);
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, dest.left, dest.top, RectWidth(dest), RectHeight(dest), canvas->FHandle, source.left,
             source.top, RectWidth(source), RectHeight(source), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& source, TColor color)
{
  if (!bitmap || bitmap->Empty()) return;
  int w = RectWidth(dest), h = RectHeight(dest);
  if (w <= 0 || h <= 0) return;
  TCanvas* src = bitmap->Canvas();
  TCanvasLock lock(this);
  TCanvasLock sourceLock(src);
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  src->RequiredState({csHandleValid});
  HDC srcDC = src->FHandle;

  // The image, stretched to the destination's size, in a work bitmap.
  TDCHandle workDC(CreateCompatibleDC(FHandle));
  TBitmapHandle work(CreateCompatibleBitmap(FHandle, w, h));
  TDCHandle maskDC(CreateCompatibleDC(FHandle));
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!workDC || !work || !maskDC || !mask) RaiseLastOSError();
  TSelectObject selWork(workDC.Get(), work.Get());
  TSelectObject selMask(maskDC.Get(), mask.Get());
  SetStretchBltMode(workDC.Get(), COLORONCOLOR);
  SetStretchBltMode(maskDC.Get(), COLORONCOLOR);
  StretchBlt(workDC.Get(), 0, 0, w, h, srcDC, source.left, source.top, RectWidth(source), RectHeight(source),
             SRCCOPY);
  // The mask: 1 where the image has the colour.
  COLORREF oldBk = SetBkColor(srcDC, GdiColor(color));
  StretchBlt(maskDC.Get(), 0, 0, w, h, srcDC, source.left, source.top, RectWidth(source), RectHeight(source),
             SRCCOPY);
  SetBkColor(srcDC, oldBk);
  if (FBrush->Style() == TBrushStyle::bsClear) {
    // Transparent: the image's other pixels over the canvas's own. The mask's 1 becomes white, 0 black.
    SetTextColor(workDC.Get(), RGB(0, 0, 0));
    SetBkColor(workDC.Get(), RGB(255, 255, 255));
    constexpr DWORD DSna = 0x00220326;
    BitBlt(workDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, DSna);
    COLORREF oldText = SetTextColor(FHandle, RGB(0, 0, 0));
    COLORREF oldBack = SetBkColor(FHandle, RGB(255, 255, 255));
    BitBlt(FHandle, dest.left, dest.top, w, h, maskDC.Get(), 0, 0, SRCAND);
    SetTextColor(FHandle, oldText);
    SetBkColor(FHandle, oldBack);
    BitBlt(FHandle, dest.left, dest.top, w, h, workDC.Get(), 0, 0, SRCPAINT);
    Changed();
    return;
  }
  // Brush where the mask is 1, image where it is 0 (the mask's 1 becomes white, 0 black).
  {
    TSelectObject selBrush(workDC.Get(), FBrush->Handle());
    SetTextColor(workDC.Get(), RGB(0, 0, 0));
    SetBkColor(workDC.Get(), RGB(255, 255, 255));
    constexpr DWORD DSPDxax = 0x00E20746;
    BitBlt(workDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, DSPDxax);
  }
  BitBlt(FHandle, dest.left, dest.top, w, h, workDC.Get(), 0, 0, SRCCOPY);
  Changed();
}

RECT TCanvas::ClipRect()
{
  RequiredState({csHandleValid});
  RECT r{};
  GetClipBox(FHandle, &r);
  return r;
}
