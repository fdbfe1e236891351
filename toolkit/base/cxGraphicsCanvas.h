#pragma once
// TcxCanvas: the drawing surface of every control and painter of the toolkit. It wraps a class-library
// canvas that it does not own and adds three stacks (clip regions, device-context states, and font,
// brush and pen), clip operations that take and give regions in logical coordinates, fills and
// frames that understand the colour sentinels (clNone draws nothing, clDefault keeps the current
// colour), and text output driven by one set of text-output flags shared by all painters.
//
// Every push is balanced by one pop from the same caller, in reverse order; a pop on an empty stack
// does nothing. Regions and tool copies still on the stacks when the canvas is destroyed are freed
// without being applied.
#include <memory>
#include <span>
#include <string_view>
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/Object.h"
#include "classlib/Sets.h"
#include "toolkit/base/cxGraphicsRegion.h"

class TBitmap;
class TGraphic;
class TCustomImageList;

// --- Text-output flags ---
// One integer bit set taken by DrawTextInRect, CalcTextRect and the painters; ConvertTextFlagsToDT
// turns it into DrawText flags.
constexpr int cxAlignLeft = 0x0001;
constexpr int cxAlignRight = 0x0002;
constexpr int cxAlignHCenter = 0x0004;
constexpr int cxAlignTop = 0x0008;
constexpr int cxAlignBottom = 0x0010;
constexpr int cxAlignVCenter = 0x0020;
constexpr int cxAlignCenter = cxAlignHCenter | cxAlignVCenter;
constexpr int cxSingleLine = 0x0040;
constexpr int cxDontClip = 0x0080;
constexpr int cxExpandTabs = 0x0100;
constexpr int cxShowPrefix = 0x0200;
constexpr int cxWordBreak = 0x0400;
constexpr int cxShowEndEllipsis = 0x0800;
constexpr int cxDontPrint = 0x1000;  // calculate only
constexpr int cxShowPathEllipsis = 0x2000;
constexpr int cxDontBreakChars = 0x4000;        // word break without edit-control breaking
constexpr int cxNoFullWidthCharBreak = 0x8000;  // with cxDontBreakChars: no break inside full-width characters

// The DrawText flags of a set of text-output flags; always starts from DT_NOPREFIX.
UINT ConvertTextFlagsToDT(int flags);

// --- Sides of a rectangle ---
enum class TcxBorder { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
constexpr TcxBorders cxBordersAll{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight, TcxBorder::bBottom};

// Rotation of text and bitmaps in quarter turns.
enum TcxRotationAngle : int {
  ra0 = 0,
  raPlus90 = 1,   // a quarter turn counter-clockwise
  raMinus90 = 2,  // a quarter turn clockwise
  ra180 = 3,
};

// How an area is filled: background bitmap (tiled, or none) and colour, with the font and text colour
// of what is written on it.
struct TcxViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// Makes a canvas's font, brush and pen copies of the objects selected in the device context (font
// colour from its text colour, pen mode from its raster operation).
void AdoptDCObjectsIntoCanvas(TCanvas* canvas, HDC dc);

class TcxCanvas : public TObject {
  CL_CLASS(TcxCanvas, TObject)
public:
  explicit TcxCanvas(TCanvas* canvas);
  ~TcxCanvas() override;

  // The wrapped canvas (not owned).
  TCanvas* Canvas() const { return FCanvas; }

  // --- Forwarded to the wrapped canvas ---
  TBrush* GetCurrentBrush() const { return FCanvas->Brush(); }
  TFont* GetCurrentFont() const { return FCanvas->Font(); }
  TPen* GetCurrentPen() const { return FCanvas->Pen(); }
  // The device context, made by the wrapped canvas when it has none.
  HDC GetDCHandle() const { return FCanvas->Handle(); }
  TCopyMode GetCopyMode() const { return FCanvas->CopyMode(); }
  void SetCopyMode(TCopyMode value) { FCanvas->SetCopyMode(value); }
  void AssignBrush(TBrush* brush) { FCanvas->SetBrush(brush); }
  void AssignFont(TFont* font) { FCanvas->SetFont(font); }
  void SetBrushColor(TColor color) { FCanvas->Brush()->SetColor(color); }
  void SetPixelColor(int x, int y, TColor color) { FCanvas->SetPixels(x, y, color); }
  void MoveTo(int x, int y) { FCanvas->MoveTo(x, y); }
  void LineTo(int x, int y) { FCanvas->LineTo(x, y); }
  void Polygon(std::span<const POINT> points) { FCanvas->Polygon(points); }
  void Polyline(std::span<const POINT> points) { FCanvas->Polyline(points); }
  // Copies sourceRect of source into destRect with the wrapped canvas's copy mode.
  void CopyRectFrom(const RECT& destRect, TCanvas* source, const RECT& sourceRect)
  {
    FCanvas->CopyRect(destRect, source, sourceRect);
  }
  void DrawGraphic(int x, int y, TGraphic* graphic) { FCanvas->Draw(x, y, graphic); }

  // --- Coordinates and clipping ---
  POINT ReadViewportOrigin() const;
  POINT ReadWindowOrigin() const;
  // The device position of logical (0, 0): viewport origin minus window origin.
  POINT ReadDCOrigin() const;
  void SetViewportOrigin(POINT origin);
  void SetWindowOrigin(POINT origin);
  // Removes the rect (logical) from the clip region / limits the clip region to it.
  void ExcludeRectFromClip(const RECT& rect);
  void IntersectClipWithRect(const RECT& rect);
  // The clip region as a new region, in logical coordinates unless told otherwise; a context without a
  // clip region gives the rectangle (0, 0, 30000, 30000) (device coordinates).
  TOwned<TcxRegion> CopyClipRegion(bool convertToLogical = true) const;
  // Sets (roSet) or combines the clip region. The region is in logical coordinates unless told
  // otherwise; the first overload leaves it as it was, the second frees it.
  void ApplyClipRegion(TcxRegion* region, TcxRegionOperation operation = roSet, bool convert = true);
  void ApplyClipRegion(TOwned<TcxRegion> region, TcxRegionOperation operation = roSet, bool convert = true);
  // Saves the clip region in logical coordinates, so that it comes back at the same logical place
  // after the context's origin moved.
  void PushClipRegion();
  void PopClipRegion();
  // SaveDC / RestoreDC; the wrapped canvas stays locked (its context is not reclaimed) in between.
  void PushDCState();
  void PopDCState();
  // Font, brush and pen of the wrapped canvas, and the context's state.
  void PushState();
  void PopState();
  // Makes the wrapped canvas's font, brush and pen copies of the objects selected in its context.
  void AdoptDCObjects();

  // --- Fills and frames ---
  // clNone draws nothing; clDefault fills with the current brush colour; any other colour becomes it.
  void FillRectWithColor(const RECT& rect, TColor color = clDefault);
  // Tiles the bitmap (cells aligned to logical 0, 0) over the rect, or fills it with the current brush
  // when there is no bitmap; then removes the rect from the clip region when asked.
  void FillRectTiled(const RECT& rect, TBitmap* bitmap = nullptr, bool excludeRect = false);
  // Bands of lineWidth inside the rect on the chosen sides, in the colour (clDefault: the current
  // brush colour; clNone: nothing is drawn).
  void DrawFrameRect(const RECT& rect, TColor color = clDefault, int lineWidth = 1, TcxBorders sides = cxBordersAll,
                     bool excludeFrame = false);
  // Bands along the sides, left and top in one colour, right and bottom in the other, drawn in the
  // order left, top, right, bottom (later bands cover the corners of earlier ones).
  void DrawTwoColorFrame(const RECT& rect, TColor leftTopColor, TColor rightBottomColor, int bandWidth = 1,
                         TcxBorders sides = cxBordersAll);
  // A one-pixel bevel in the system's 3-D colours.
  void DrawBevelEdge(const RECT& rect, bool sunken, bool outer = true, TcxBorders sides = cxBordersAll);
  // DrawFrameRect, then the rest of the rect filled with the view parameters' colour or bitmap.
  void FrameAndFillRect(const RECT& rect, const TcxViewParams& params, bool excludeRect = false, int frameWidth = 1,
                        TColor frameColor = clDefault, TcxBorders sides = cxBordersAll);
  void DrawFocusFrame(const RECT& rect);
  void InvertRectArea(const RECT& rect);
  // Nothing for an index outside the list.
  void DrawListImage(TCustomImageList* images, int x, int y, int index, bool enabled = true);

  // --- Text ---
  // Disabled text is drawn embossed (a highlight copy one pixel right of and below a shadow copy).
  void DrawTextInRect(std::string_view text, const RECT& rect, int flags, bool enabled = true);
  void DrawTextInRectEx(std::string_view text, RECT rect, int flags, TcxRotationAngle rotation = ra0,
                        bool enabled = true);
  // Measures the text by the flags and moves the result inside the entry rect by the alignment flags;
  // collapses the rect to its top-left point when the measurement fails.
  void CalcTextRect(std::string_view text, RECT& rect, int flags);
  // For multi-line text aligned to the bottom (or the vertical centre): moves the rect's top so that
  // text laid out from the top ends at the bottom (or is centred); text taller than the rect keeps
  // the rect's top.
  void AlignWrappedTextTop(RECT& rect, std::string_view text, int flags, bool enabled, bool bottom);
  // Single-line extent of the whole text; (0, 0) for an empty text.
  SIZE MeasureTextSize(std::string_view text);
  int MeasureTextWidth(std::string_view text) { return MeasureTextSize(text).cx; }
  int MeasureTextHeight(std::string_view text) { return MeasureTextSize(text).cy; }
  // Assigns the font and answers the cell height of its text metrics.
  int MeasureFontHeight(TFont* font);
  // Turns the baseline of the current font by whole degrees (counter-clockwise).
  void SetFontAngle(int degrees);

  // Turns or mirrors a bitmap's pixels:
  //   ra0 + mirror: vertical flip; raPlus90: quarter turn counter-clockwise (+ mirror: transpose);
  //   raMinus90: quarter turn clockwise (+ mirror: both); ra180: half turn (+ mirror: horizontal flip).
  static void RotateOrFlipBitmap(TBitmap* bitmap, TcxRotationAngle mode, bool mirror = false);

protected:
  void SetCanvas(TCanvas* canvas) { FCanvas = canvas; }

private:
  struct TDCState {
    HDC DC;
    int SavedIndex;
  };
  struct TToolsState {
    TOwned<TFont> Font;
    TOwned<TBrush> Brush;
    TOwned<TPen> Pen;
  };
  void DrawOneText(std::string_view text, RECT rect, bool drawTextPath, UINT drawFlags, UINT outputOptions,
                   TcxRotationAngle rotation);

  TCanvas* FCanvas;
  std::vector<TDCState> FDCStates;
  std::vector<TOwned<TcxRegion>> FClipRegions;
  std::vector<TToolsState> FStates;
};
