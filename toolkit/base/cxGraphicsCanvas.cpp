#include "toolkit/base/cxGraphicsCanvas.h"

#include <algorithm>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ImageList.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TcxCanvas);

namespace {
// A context without a clip region is reported as this rectangle.
constexpr int NoClipExtent = 30000;

// Floor division, so that tiles stay aligned to logical (0, 0) left of and above it too.
int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// Runs a closing call when the scope ends, also when it ends by an exception.
template <class F>
class TScopeExit {
public:
  explicit TScopeExit(F f) : FFunc(std::move(f)) {}
  ~TScopeExit() { FFunc(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F FFunc;
};

// A copy of the pen selected in a context: plain pens as they are, extended pens by style, width and
// colour.
HPEN CopyPen(HGDIOBJ pen)
{
  int size = GetObjectA(pen, 0, nullptr);
  if (size == static_cast<int>(sizeof(LOGPEN))) {
    LOGPEN lp{};
    GetObjectA(pen, sizeof(lp), &lp);
    return CreatePenIndirect(&lp);
  }
  if (size >= static_cast<int>(sizeof(EXTLOGPEN) - sizeof(DWORD))) {
    std::vector<char> buffer(static_cast<size_t>(size));
    GetObjectA(pen, size, buffer.data());
    const auto* ep = reinterpret_cast<const EXTLOGPEN*>(buffer.data());
    return CreatePen(static_cast<int>(ep->elpPenStyle & PS_STYLE_MASK), static_cast<int>(ep->elpWidth), ep->elpColor);
  }
  return nullptr;
}
}  // namespace

UINT ConvertTextFlagsToDT(int flags)
{
  struct TFlagPair {
    int Flag;
    UINT DT;
  };
  static constexpr TFlagPair Pairs[] = {
    {cxAlignRight, DT_RIGHT},         {cxAlignHCenter, DT_CENTER},         {cxAlignBottom, DT_BOTTOM},
    {cxAlignVCenter, DT_VCENTER},     {cxSingleLine, DT_SINGLELINE},       {cxDontClip, DT_NOCLIP},
    {cxExpandTabs, DT_EXPANDTABS},    {cxShowEndEllipsis, DT_END_ELLIPSIS}, {cxDontPrint, DT_CALCRECT},
    {cxShowPathEllipsis, DT_PATH_ELLIPSIS},
  };
  UINT result = DT_NOPREFIX;
  for (const TFlagPair& p : Pairs)
    if (flags & p.Flag) result |= p.DT;
  if (flags & cxShowPrefix) result &= ~static_cast<UINT>(DT_NOPREFIX);
  if (flags & cxWordBreak) {
    if (flags & cxDontBreakChars) {
      result |= DT_WORDBREAK;
      if (flags & cxNoFullWidthCharBreak) result |= DT_NOFULLWIDTHCHARBREAK;
    } else {
      result |= DT_WORDBREAK | DT_EDITCONTROL;
    }
  }
  return result;
}

void AdoptDCObjectsIntoCanvas(TCanvas* canvas, HDC dc)
{
  if (!canvas || !dc) return;
  // Everything is read before anything changes: a changed tool is taken out of the context at once.
  LOGFONTA lf{};
  const bool hasFont = GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf) == sizeof(lf);
  const COLORREF textColor = GetTextColor(dc);
  LOGBRUSH lb{};
  const bool hasBrush = GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof(lb), &lb) == sizeof(lb);
  HPEN pen = CopyPen(GetCurrentObject(dc, OBJ_PEN));
  const int rop2 = GetROP2(dc);

  if (hasFont)
    if (HFONT font = CreateFontIndirectA(&lf)) canvas->Font()->SetHandle(font);
  canvas->Font()->SetColor(static_cast<TColor>(textColor));
  if (hasBrush) {
    HBRUSH brush = CreateBrushIndirect(&lb);
    if (!brush && lb.lbStyle != BS_SOLID) {
      // A pattern that cannot be copied: its colour as a solid brush.
      LOGBRUSH solid{BS_SOLID, lb.lbColor, 0};
      brush = CreateBrushIndirect(&solid);
    }
    if (brush) canvas->Brush()->SetHandle(brush);
  }
  if (pen) canvas->Pen()->SetHandle(pen);
  canvas->Pen()->SetMode(Rop2ToPenMode(rop2));
}

// --- TcxCanvas ---

TcxCanvas::TcxCanvas(TCanvas* canvas) : FCanvas(canvas) {}

// Saved regions and tool copies are freed without being applied; saved context states are dropped
// and the canvas locks they held are released.
TcxCanvas::~TcxCanvas()
{
  if (FCanvas)
    for (size_t i = 0; i < FDCStates.size(); ++i) FCanvas->Unlock();
}

POINT TcxCanvas::ReadViewportOrigin() const
{
  POINT p{};
  GetViewportOrgEx(GetDCHandle(), &p);
  return p;
}

POINT TcxCanvas::ReadWindowOrigin() const
{
  POINT p{};
  GetWindowOrgEx(GetDCHandle(), &p);
  return p;
}

POINT TcxCanvas::ReadDCOrigin() const
{
  POINT viewport = ReadViewportOrigin();
  POINT window = ReadWindowOrigin();
  return POINT{viewport.x - window.x, viewport.y - window.y};
}

void TcxCanvas::SetViewportOrigin(POINT origin) { SetViewportOrgEx(GetDCHandle(), origin.x, origin.y, nullptr); }

void TcxCanvas::SetWindowOrigin(POINT origin) { SetWindowOrgEx(GetDCHandle(), origin.x, origin.y, nullptr); }

void TcxCanvas::ExcludeRectFromClip(const RECT& rect)
{
  ExcludeClipRect(GetDCHandle(), rect.left, rect.top, rect.right, rect.bottom);
}

void TcxCanvas::IntersectClipWithRect(const RECT& rect)
{
  IntersectClipRect(GetDCHandle(), rect.left, rect.top, rect.right, rect.bottom);
}

TOwned<TcxRegion> TcxCanvas::CopyClipRegion(bool convertToLogical) const
{
  auto region = MakeOwned<TcxRegion>();
  HDC dc = GetDCHandle();
  if (GetClipRgn(dc, region->Handle()) != 1) SetRectRgn(region->Handle(), 0, 0, NoClipExtent, NoClipExtent);
  if (convertToLogical) region->OffsetByPoint(NegatePoint(ReadDCOrigin()));
  return region;
}

void TcxCanvas::ApplyClipRegion(TcxRegion* region, TcxRegionOperation operation, bool convert)
{
  if (!region) return;
  if (operation != roSet) {
    TOwned<TcxRegion> current = CopyClipRegion(convert);
    current->CombineWith(region, operation);
    ApplyClipRegion(std::move(current), roSet, convert);
    return;
  }
  HDC dc = GetDCHandle();
  const POINT origin = convert ? ReadDCOrigin() : POINT{};
  // The context keeps its own copy; the region goes back to where it was.
  region->OffsetByPoint(origin);
  SelectClipRgn(dc, region->Handle());
  region->OffsetByPoint(NegatePoint(origin));
}

void TcxCanvas::ApplyClipRegion(TOwned<TcxRegion> region, TcxRegionOperation operation, bool convert)
{
  ApplyClipRegion(region.get(), operation, convert);
}

void TcxCanvas::PushClipRegion() { FClipRegions.push_back(CopyClipRegion(true)); }

void TcxCanvas::PopClipRegion()
{
  if (FClipRegions.empty()) return;
  TOwned<TcxRegion> region = std::move(FClipRegions.back());
  FClipRegions.pop_back();
  ApplyClipRegion(std::move(region), roSet, true);
}

// The canvas's own tools are taken out of the context before it is saved, so that the saved state
// holds only the context's own objects: a tool that changes meanwhile destroys its old object, which
// must not be selected again when the state comes back.
void TcxCanvas::PushDCState()
{
  FCanvas->Lock();
  HDC dc = nullptr;
  try {
    dc = FCanvas->Handle();
  } catch (...) {
    FCanvas->Unlock();
    throw;
  }
  FCanvas->Refresh();
  FDCStates.push_back(TDCState{dc, SaveDC(dc)});
}

void TcxCanvas::PopDCState()
{
  if (FDCStates.empty()) return;
  const TDCState state = FDCStates.back();
  FDCStates.pop_back();
  TScopeExit unlock([this] { FCanvas->Unlock(); });
  FCanvas->SetHandle(state.DC);
  FCanvas->Refresh();
  RestoreDC(state.DC, state.SavedIndex);
}

void TcxCanvas::PushState()
{
  AdoptDCObjects();
  PushDCState();
  TToolsState state{MakeOwned<TFont>(), MakeOwned<TBrush>(), MakeOwned<TPen>()};
  state.Font->Assign(FCanvas->Font());
  state.Brush->Assign(FCanvas->Brush());
  state.Pen->Assign(FCanvas->Pen());
  FStates.push_back(std::move(state));
}

void TcxCanvas::PopState()
{
  if (FStates.empty()) return;
  TToolsState state = std::move(FStates.back());
  FStates.pop_back();
  FCanvas->Font()->Assign(state.Font.get());
  FCanvas->Brush()->Assign(state.Brush.get());
  FCanvas->Pen()->Assign(state.Pen.get());
  PopDCState();
}

void TcxCanvas::AdoptDCObjects() { AdoptDCObjectsIntoCanvas(FCanvas, GetDCHandle()); }

// --- Fills and frames ---

void TcxCanvas::FillRectWithColor(const RECT& rect, TColor color)
{
  if (color == clNone) return;
  if (color != clDefault) SetBrushColor(color);
  FCanvas->FillRect(rect);
}

void TcxCanvas::FillRectTiled(const RECT& rect, TBitmap* bitmap, bool excludeRect)
{
  if (IsRectEmpty(&rect)) return;
  if (BitmapHasImage(bitmap)) {
    const int w = bitmap->Width(), h = bitmap->Height();
    TCanvas* source = bitmap->Canvas();
    for (int row = FloorDiv(rect.top, h); row <= FloorDiv(rect.bottom - 1, h); ++row)
      for (int col = FloorDiv(rect.left, w); col <= FloorDiv(rect.right - 1, w); ++col) {
        const RECT cell{col * w, row * h, col * w + w, row * h + h};
        RECT part{};
        if (!IntersectRect(&part, &cell, &rect)) continue;
        FCanvas->CopyRect(part, source, OffsetRectXY(part, -cell.left, -cell.top));
      }
  } else {
    FCanvas->FillRect(rect);
  }
  if (excludeRect) ApplyClipRegion(MakeOwned<TcxRegion>(rect), roSubtract, true);
}

void TcxCanvas::DrawFrameRect(const RECT& rect, TColor color, int lineWidth, TcxBorders sides, bool excludeFrame)
{
  if (IsRectEmpty(&rect) || color == clNone) return;
  if (color != clDefault) SetBrushColor(color);
  const RECT& r = rect;
  if (sides.Contains(TcxBorder::bLeft))
    FillRectTiled(RECT{r.left, r.top, std::min(r.left + lineWidth, r.right), r.bottom}, nullptr, excludeFrame);
  if (sides.Contains(TcxBorder::bRight))
    FillRectTiled(RECT{std::max(r.right - lineWidth, r.left), r.top, r.right, r.bottom}, nullptr, excludeFrame);
  if (sides.Contains(TcxBorder::bTop))
    FillRectTiled(RECT{r.left, r.top, r.right, std::min(r.top + lineWidth, r.bottom)}, nullptr, excludeFrame);
  if (sides.Contains(TcxBorder::bBottom))
    FillRectTiled(RECT{r.left, std::max(r.bottom - lineWidth, r.top), r.right, r.bottom}, nullptr, excludeFrame);
}

void TcxCanvas::DrawTwoColorFrame(const RECT& rect, TColor leftTopColor, TColor rightBottomColor, int bandWidth,
                                  TcxBorders sides)
{
  const RECT& r = rect;
  if (sides.Contains(TcxBorder::bLeft))
    FillRectWithColor(RECT{r.left, r.top, r.left + bandWidth, r.bottom}, leftTopColor);
  if (sides.Contains(TcxBorder::bTop))
    FillRectWithColor(RECT{r.left, r.top, r.right, r.top + bandWidth}, leftTopColor);
  if (sides.Contains(TcxBorder::bRight))
    FillRectWithColor(RECT{r.right - bandWidth, r.top, r.right, r.bottom}, rightBottomColor);
  if (sides.Contains(TcxBorder::bBottom))
    FillRectWithColor(RECT{r.left, r.bottom - bandWidth, r.right, r.bottom}, rightBottomColor);
}

void TcxCanvas::DrawBevelEdge(const RECT& rect, bool sunken, bool outer, TcxBorders sides)
{
  TColor leftTop, rightBottom;
  if (sunken) {
    leftTop = outer ? clBtnShadow : cl3DDkShadow;
    rightBottom = outer ? clBtnHighlight : cl3DLight;
  } else {
    leftTop = outer ? cl3DLight : clBtnHighlight;
    rightBottom = outer ? cl3DDkShadow : clBtnShadow;
  }
  DrawTwoColorFrame(rect, leftTop, rightBottom, 1, sides);
}

void TcxCanvas::FrameAndFillRect(const RECT& rect, const TcxViewParams& params, bool excludeRect, int frameWidth,
                                 TColor frameColor, TcxBorders sides)
{
  DrawFrameRect(rect, frameColor, frameWidth, sides, excludeRect);
  RECT inner = rect;
  if (sides.Contains(TcxBorder::bLeft)) inner.left += frameWidth;
  if (sides.Contains(TcxBorder::bTop)) inner.top += frameWidth;
  if (sides.Contains(TcxBorder::bRight)) inner.right -= frameWidth;
  if (sides.Contains(TcxBorder::bBottom)) inner.bottom -= frameWidth;
  // The background colour follows the sentinels' rules: clNone (without a bitmap) draws nothing,
  // clDefault keeps the current brush colour.
  const bool hasBitmap = BitmapHasImage(params.Bitmap);
  if (params.Color == clNone && !hasBitmap) return;
  if (params.Color != clNone && params.Color != clDefault) SetBrushColor(params.Color);
  FillRectTiled(inner, params.Bitmap, excludeRect);
}

void TcxCanvas::DrawFocusFrame(const RECT& rect)
{
  SetBrushColor(clWhite);
  FCanvas->Font()->SetColor(clBlack);
  FCanvas->Handle();  // selects the font: the focus pattern takes the text and background colours
  FCanvas->DrawFocusRect(rect);
}

void TcxCanvas::InvertRectArea(const RECT& rect)
{
  FCanvas->SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(rect, FCanvas, rect);
  FCanvas->SetCopyMode(cmSrcCopy);
}

void TcxCanvas::DrawListImage(TCustomImageList* images, int x, int y, int index, bool enabled)
{
  if (!IsValidImageIndex(images, index)) return;
  PushDCState();
  TScopeExit pop([this] { PopDCState(); });
  images->Draw(FCanvas, x, y, index, enabled);
}

// --- Text ---

SIZE TcxCanvas::MeasureTextSize(std::string_view text)
{
  if (text.empty()) return SIZE{0, 0};
  return FCanvas->TextExtent(text);
}

int TcxCanvas::MeasureFontHeight(TFont* font)
{
  AssignFont(font);
  return GetDCTextHeight(GetDCHandle());
}

// The escapement of the font's logical font, in tenths of a degree. The class library's font keeps
// escapement and orientation together as its Orientation, so the angle survives the state stack and
// any later change of the font.
void TcxCanvas::SetFontAngle(int degrees) { FCanvas->Font()->SetOrientation(degrees * 10); }

void TcxCanvas::CalcTextRect(std::string_view text, RECT& rect, int flags)
{
  const int w = RectWidth(rect), h = RectHeight(rect);
  if (w <= 0 && !text.empty()) rect.right = rect.left + 1;
  const UINT converted = ConvertTextFlagsToDT(flags);
  // Measured from the top: the vertical alignment is applied below (a bottom-aligned measurement
  // would be stretched to the rect's bottom by some platforms).
  const UINT measure = (converted & ~static_cast<UINT>(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
  if (DrawTextOnDC(GetDCHandle(), text, rect, TRANSPARENT, clDefault, -1, measure) == 0) {
    rect.right = rect.left;
    rect.bottom = rect.top;
  }
  const int newW = RectWidth(rect), newH = RectHeight(rect);
  int dx = 0, dy = 0;
  if (converted & DT_CENTER)
    dx = (w - newW) / 2;
  else if (converted & DT_RIGHT)
    dx = w - newW;
  if (converted & DT_VCENTER)
    dy = (h - newH) / 2;
  else if (converted & DT_BOTTOM)
    dy = h - newH;
  OffsetRect(&rect, dx, dy);
}

// The height of the laid-out text. With end ellipsis and word break the rows that fit are counted, but
// never more than the text needs: a short text aligned to the bottom stays at the bottom.
void TcxCanvas::AlignWrappedTextTop(RECT& rect, std::string_view text, int flags, bool enabled, bool bottom)
{
  const int d = enabled ? 0 : 1;
  const int width = RectWidth(rect) - d;
  const int layoutFlags = cxAlignLeft | cxAlignTop | (flags & (cxWordBreak | cxShowPrefix | cxDontBreakChars));
  RECT measured{0, 0, width, 0};
  CalcTextRect(text, measured, layoutFlags);
  int height = RectHeight(measured);
  if ((flags & cxShowEndEllipsis) && (flags & cxWordBreak)) {
    const int row = MeasureTextHeight("Wg");
    if (row > 0) height = std::min(height, std::max(1, (RectHeight(rect) - d) / row) * row);
  }
  // Text taller than the rect starts at the rect's top, so that it never reaches above the rect.
  const int top = bottom ? rect.bottom - height - d : (rect.top + rect.bottom - height) / 2;
  rect.top = std::max<int>(rect.top, top);
}

void TcxCanvas::DrawTextInRect(std::string_view text, const RECT& rect, int flags, bool enabled)
{
  DrawTextInRectEx(text, rect, flags, ra0, enabled);
}

void TcxCanvas::DrawTextInRectEx(std::string_view text, RECT rect, int flags, TcxRotationAngle rotation, bool enabled)
{
  if (text.empty()) return;
  const bool singleLine = (flags & cxSingleLine) != 0;
  const bool drawTextPath =
      !singleLine || rotation != ra0 || (flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis)) != 0;
  const SIZE size = MeasureTextSize(text);
  if (RectWidth(rect) >= size.cx && RectHeight(rect) >= size.cy) flags |= cxDontClip;
  const int d = enabled ? 0 : 1;
  UINT drawFlags = 0, options = 0;
  if (drawTextPath) {
    if (!singleLine && (flags & (cxAlignBottom | cxAlignVCenter)))
      AlignWrappedTextTop(rect, text, flags, enabled, (flags & cxAlignBottom) != 0);
    drawFlags = ConvertTextFlagsToDT(flags);
  } else {
    if (size.cx < RectWidth(rect)) {
      if (flags & cxAlignRight)
        rect.left = rect.right - size.cx - d;
      else if (flags & cxAlignHCenter)
        rect.left = (rect.left + rect.right - size.cx) / 2;
    }
    if (size.cy < RectHeight(rect)) {
      if (flags & cxAlignBottom)
        rect.top = rect.bottom - size.cy - d;
      else if (flags & cxAlignVCenter)
        rect.top = (rect.top + rect.bottom - size.cy) / 2;
    }
    options = (flags & cxDontClip) ? 0 : ETO_CLIPPED;
  }

  TBrush* brush = FCanvas->Brush();
  TFont* font = FCanvas->Font();
  const TBrushStyle brushStyle = brush->Style();
  const TColor fontColor = font->Color();
  TScopeExit restore([&] {
    if (brush->Style() != brushStyle) brush->SetStyle(brushStyle);
    font->SetColor(fontColor);
  });
  if (!enabled) {
    RECT r{rect.left + 1, rect.top + 1, rect.right, rect.bottom};
    brush->SetStyle(TBrushStyle::bsClear);
    font->SetColor(clBtnHighlight);
    DrawOneText(text, r, drawTextPath, drawFlags, options, rotation);
    OffsetRect(&r, -1, -1);
    font->SetColor(clBtnShadow);
    DrawOneText(text, r, drawTextPath, drawFlags, options, rotation);
  } else {
    DrawOneText(text, rect, drawTextPath, drawFlags, options, rotation);
  }
}

void TcxCanvas::DrawOneText(std::string_view text, RECT rect, bool drawTextPath, UINT drawFlags, UINT outputOptions,
                            TcxRotationAngle rotation)
{
  if (drawTextPath) {
    DrawTextRotated(this, text, rect, rotation, clDefault, drawFlags);
    return;
  }
  TextOutOnDC(GetDCHandle(), text, POINT{rect.left, rect.top}, -1, outputOptions, &rect);
}

void TcxCanvas::RotateOrFlipBitmap(TBitmap* bitmap, TcxRotationAngle mode, bool mirror)
{
  if (!bitmap || (mode == ra0 && !mirror)) return;
  TRGBColors source;
  if (!GetBitmapPixels(bitmap, source, true)) return;
  const int w = bitmap->Width(), h = bitmap->Height();
  const bool turned = mode == raPlus90 || mode == raMinus90;
  const int newW = turned ? h : w;
  TRGBColors result(source.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int nx = x, ny = y;
      switch (mode) {
        case ra0: ny = h - 1 - y; break;
        case raPlus90:
          nx = y;
          ny = mirror ? x : w - 1 - x;
          break;
        case raMinus90:
          nx = h - 1 - y;
          ny = mirror ? w - 1 - x : x;
          break;
        case ra180:
          nx = w - 1 - x;
          ny = mirror ? y : h - 1 - y;
          break;
      }
      result[static_cast<size_t>(ny) * newW + nx] = source[static_cast<size_t>(y) * w + x];
    }
  if (turned) {
    bitmap->SetHeight(0);
    bitmap->SetWidth(h);
    bitmap->SetHeight(w);
  }
  PutBitmapPixels(bitmap, result, true);
}
