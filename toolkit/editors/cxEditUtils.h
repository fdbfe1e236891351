#pragma once
// What the editors paint with: one process-wide cache of solid brushes by colour, and the drawing and
// measuring helpers the view data, the view info and the editor families share.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/Controls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Sets.h"
#include "classlib/Units.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/editors/cxEditButtons.h"
#include "toolkit/editors/cxEditStyles.h"

class TBitmap;
class TCustomImageList;
class TcxCustomEdit;

// Fills the system brushes and makes the shared brush cache at start-up; frees both at shut-down.
extern TUnit UnitcxEditUtils;

// --- The brush cache ---

// Solid brushes by colour, created once and reused. Colours that name a system colour are answered
// with the system's own brushes and never enter the cache. When the cache is full, the least used
// brush makes room (the first one never asked for again, else the one asked for least). A change of
// the system colours empties the cache.
class TcxSolidBrushCache : public TObject {
  CL_CLASS(TcxSolidBrushCache, TObject)
public:
  static constexpr int DefaultCapacity = 128;
  // A capacity below 1 raises EInvalidOperation.
  explicit TcxSolidBrushCache(int Capacity = DefaultCapacity);
  ~TcxSolidBrushCache() override;

  // The brush of the colour, owned by the cache: never delete it, nor keep it beyond the current
  // painting. A new brush counts 0 uses; each later request of its colour counts one more.
  HBRUSH BrushOfColor(TColor Color);
  void DeleteAllBrushes();

  int Capacity() const { return FCapacity; }
  int EntryCount() const { return static_cast<int>(FEntries.size()); }
  // Entries in ascending order of the colour as a signed 32-bit value.
  TColor EntryColors(int Index) const { return FEntries.at(Index).Color; }
  HBRUSH EntryBrushes(int Index) const { return FEntries.at(Index).Brush.Get(); }
  uint32_t EntryUseCounts(int Index) const { return FEntries.at(Index).UseCount; }

protected:
  // The system colours changed: every cached brush goes.
  virtual void HandlePaletteChange();

private:
  struct TEntry {
    TColor Color;
    TBrushHandle Brush;
    uint32_t UseCount;
  };
  void PaletteChanged() { HandlePaletteChange(); }
  // The index of the entry to make room with: the first one at count 0, else the earliest of the
  // smallest count.
  int RarestEntry() const;

  int FCapacity;
  std::vector<TEntry> FEntries;
  TOwned<TcxSystemPaletteChangedNotifier> FPaletteNotifier;
};

// The shared cache's brush of the colour (the canvas is not used).
HBRUSH CachedSolidBrush(TColor Color);
HBRUSH CachedSolidBrush(TCanvas* Canvas, TColor Color);
HBRUSH CachedSolidBrush(TcxCanvas* Canvas, TColor Color);
// The shared cache while the unit runs, else nullptr.
TcxSolidBrushCache* SharedSolidBrushCache();

// --- Text flags ---

// The text-output flags of the editors' text measuring and drawing, each matching one DrawText flag.
enum class TcxEditTextOutFlag {
  etoVCenter = 0,     // DT_VCENTER
  etoRight = 1,       // DT_RIGHT
  etoSingleLine = 4,  // DT_SINGLELINE
  etoWordBreak = 5,   // DT_WORDBREAK
  etoCalcRect = 8,    // DT_CALCRECT
  etoExpandTabs = 9,  // DT_EXPANDTABS
};
using enum TcxEditTextOutFlag;
using TcxEditTextOutFlags = TSet<TcxEditTextOutFlag>;

// Flag for flag in both directions; other bits are dropped.
UINT ConvertTextOutFlagsToDrawText(TcxEditTextOutFlags Flags);
TcxEditTextOutFlags ConvertDrawTextFlagsToTextOut(UINT Flags);

// --- Drawing ---

// An arrow (or two touching arrows) of size S, centred in the content rect (one pixel right and down
// with OffsetContent), in the colour. S rows across 2S - 1 pixels, the point towards Direction.
void DrawEditArrow(TcxCanvas* Canvas, int S, const RECT& ContentRect, TColor Color, bool OffsetContent,
                   bool DoubleArrow, TcxArrowDirection Direction);
// The arrow size that fits an area: the width (odd) and height of an up or down arrow, swapped for
// left and right. DrawEditArrow's S is the height of an up or down arrow.
SIZE CalculateArrowSize(SIZE AvailableSize, TcxArrowDirection Direction);
// One-pixel lines in the colour along the chosen sides (in the order left, right, top, bottom), each
// narrowing the rect by one pixel on its side.
void DrawButtonEdges(TcxCanvas* Canvas, RECT& Rect, TcxBorders Sides, TColor Color);
// The poly-line through Points[0..LastIndex] with its last point painted too. With UseBrush,
// horizontal and vertical segments are filled as one-pixel rects with the cached brush instead, each
// covering its start point and stopping before its end point (other segments are left out).
void DrawConnectedPoints(TcxCanvas* Canvas, std::span<const POINT> Points, int LastIndex, bool UseBrush, TColor Color);
// The glyph at (X, Y): enabled, its transparent colour shows the background colour (or, with
// clNone or a work bitmap, what lies beneath); disabled, drawn the image list's disabled way. A work
// bitmap of the glyph's size, when given, is drawn on and then copied to the canvas.
void DrawEditGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, TColor BackgroundColor, bool Enabled,
                   TBitmap* WorkBitmap = nullptr);
void DrawEditGlyph(TcxCanvas* Canvas, int X, int Y, TBitmap* Glyph, TColor BackgroundColor, bool Enabled,
                   TBitmap* WorkBitmap = nullptr);
// An image of the list on the background colour (a temporary bitmap filled with it, or the work
// bitmap as it is), drawn at the rect's top-left.
void DrawButtonGlyphImage(TcxCanvas* Canvas, TCustomImageList* Images, int ImageIndex, const RECT& Rect,
                          TColor BackgroundColor, bool Enabled, TBitmap* WorkBitmap = nullptr);
// The bitmap exists and has at least one pixel.
bool IsUsableBitmap(TBitmap* Bitmap);
void FillRectWithCachedBrush(TcxCanvas* Canvas, const RECT& Rect, TColor Color);
void FillRectWithBrush(HDC DC, const RECT& Rect, HBRUSH Brush);
// A one-pixel frame (two colours: left and top, right and bottom), then the rect shrinks by one.
void DrawTwoColourFrameAndShrink(TcxCanvas* Canvas, RECT& Rect, TColor LeftTopColor, TColor RightBottomColor);
void DrawFrameAndShrink(TcxCanvas* Canvas, RECT& Rect, TColor Color);

// --- Buttons ---

// What the default width of an editor button depends on.
struct TcxEditButtonWidthData {
  TcxEditButtonKind Kind = bkDown;
  int Width = 0;             // the button's own width; 1 or more is explicit
  std::string_view Caption = {};  // the caption as shown (text buttons)
  TBitmap* Glyph = nullptr;  // glyph buttons
  bool NativeStyle = false;
  bool SingleDropDown = false;  // the only button, of kind bkDown: themed as a combo box
};
// The explicit width (at least the content margin); else a glyph's width plus the margin, a text
// button's caption width plus the margin and 3 (never below the scroll-bar height), or the system's
// horizontal scroll-bar height.
int CalculateEditButtonWidth(TcxCanvas* Canvas, const TcxEditButtonWidthData& Button);
// The margins of a theme part's content rectangle in the state inside a 100 by 100 rectangle (the
// left, top, right and bottom widths); empty without a theme.
RECT ThemeContentMargins(HTHEME Theme, HDC DC, int Part = 1, int State = 1);
// The vertical room the buttons' content loses to their frame.
int EditButtonsVerticalContentOffset(TcxCanvas* Canvas, TcxEditButtonStyle ButtonsStyle, bool Native);

// --- Colours and painters ---

// The Office 2003 highlight border colour, else clHighlight.
TColor GetHighlightBorderColor(bool Office11);
// The ultra-flat (or Office 2003) painter's button colour when pressed, else when hot.
TColor GetPainterButtonColor(bool Pressed, bool Office11);
// The button face colour of the painter of that style in the state (clBtnFace without it).
TColor PainterButtonFaceColor(TcxPainterStyle Style, TcxButtonState State);
// The look-and-feel kind a button style stands for: 3-D and default standard; flat, simple and
// hot-flat flat; ultra-flat and Office 2003 their own.
TcxLookAndFeelKind LookAndFeelKindOfButtonStyle(TcxEditButtonStyle Style);
// The kind an editor's buttons look like (its drop-down window follows it): in place the kind of
// its style's look-and-feel; else standard without shown buttons, else the first button's.
TcxLookAndFeelKind EditButtonsLookAndFeelKind(TcxCustomEdit* Edit);
// The native painter when asked for and themes are on, else the painter of the kind.
TcxCustomLookAndFeelPainter* PainterForLookAndFeel(bool Native, TcxLookAndFeelKind Kind);

// --- Fonts, regions, characters and messages ---

void SetCanvasFontFromLogFont(TcxCanvas* Canvas, const LOGFONTA& LogFont);
bool GetCanvasLogFont(TcxCanvas* Canvas, LOGFONTA& LogFont);

// The toolkit's mouse button kind, with a value for none.
enum class TcxMouseButton { cxmbNone, cxmbLeft, cxmbRight, cxmbMiddle };
using enum TcxMouseButton;
TShiftState ShiftStateOfMouseButton(TcxMouseButton Button);
TShiftState ShiftStateOfMouseButton(TMouseButton Button);

// Each coordinate below the minimum's becomes the minimum's.
void RaisePointToMinimum(POINT& Point, POINT Minimum);
bool IsDigitChar(char Ch);
// Codes 0, 9, 10, 12, 13 and 32 only.
bool IsBlankChar(char Ch);
bool IsRegionEmpty(HRGN Region);
// A := A united with B.
void UniteRegions(HRGN A, HRGN B);

// Messages sent to a windowed control (nothing without a window): a mouse message with the shift
// state as its key flags and a client point, or a message with a word parameter.
LRESULT SendMouseMessage(TWinControl* Control, UINT Message, TShiftState Shift, POINT ClientPoint);
LRESULT SendEditMessage(TWinControl* Control, UINT Message, WPARAM Param);
LRESULT SendKeyDownMessage(TWinControl* Control, WORD Key);
LRESULT SendCharMessage(TWinControl* Control, char Ch);
