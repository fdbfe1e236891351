#pragma once
// The radio-button glyph cache of the flat, standard, ultra-flat and Office 2003 looks: the system's
// radio button is measured once, a pixel pattern tells each pixel of the glyph which part of the
// button it belongs to, and one glyph for every combination of look-and-feel kind, button state,
// checked, designing and focused is rendered into an image list with a round mask. Drawing a radio
// button is then one image-list draw. A change of the system colours renders the glyphs again.
#include <cstdint>
#include <vector>
#include "classlib/Object.h"
#include "classlib/Win.h"
#include "toolkit/base/cxLookAndFeels.h"

class TBitmap;
class TImageList;

// The parts of the glyph a pixel belongs to.
enum class TcxRadioPatternCode : uint32_t {
  rpcOutside,         // 0
  rpcOuterUpperLeft,  // 1: outer ring, upper-left half
  rpcOuterLowerRight, // 2
  rpcInnerUpperLeft,  // 3: inner ring, upper-left half
  rpcInnerLowerRight, // 4
  rpcBody,            // 5
  rpcCheckDot,        // 6
};
constexpr int cxRadioPatternCodeCount = 7;

// The colours of the seven pattern codes, in code order.
struct TcxRadioColorMap {
  TColor Colors[cxRadioPatternCodeCount];
};
TcxRadioColorMap PrepareRadioColorMap(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool designing,
                                      bool focused);

// The position of a glyph in the index map: (state - 1) + 4 checked + 8 kind + 32 designing + 64
// focused; cxbsDefault counts as cxbsNormal.
int RadioGlyphMapIndex(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool designing, bool focused);
constexpr int cxRadioGlyphCount = 128;

class TcxRadioButtonImageList : public TObject {
  CL_CLASS(TcxRadioButtonImageList, TObject)
public:
  // Measures the system radio button, makes the mask and the pattern and renders the glyphs.
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  // Draws the glyph with its top-left corner at (X, Y): through its round mask with a background of
  // clDefault or clNone, else opaque on BkColor.
  void Draw(TcxCanvas* Canvas, int X, bool Designing, bool Focused, bool Checked, TcxButtonState State,
            TcxLookAndFeelKind Kind, TColor BkColor, int Y);
  // The glyph size: that of the black area the platform's radio-button mask covers.
  SIZE GetSize() const { return FSize; }
  // Renders the glyphs when the list is empty.
  void BuildGlyphs();
  // Empties the list and renders the glyphs again (with the current system colours).
  void Reset();

  // The image index of a combination (-1 while the glyphs are not rendered).
  int ImageIndex(TcxLookAndFeelKind Kind, TcxButtonState State, bool Checked, bool Designing, bool Focused) const;
  TImageList* List() const { return FList.get(); }
  // The pattern code of a pixel of the glyph.
  TcxRadioPatternCode PatternCode(int X, int Y) const;
  // The system radio button's rect inside the cell of the system check-box bitmap, and its check
  // dot's rect inside the same cell.
  const RECT& RadioRect() const { return FRadioRect; }
  const RECT& CheckRect() const { return FCheckRect; }

private:
  void MeasureSystemRadioButton();
  void MakeButtonMask();
  void MakePattern();

  TOwned<TBitmap> FButtonMask;
  TOwned<TImageList> FList;
  RECT FCheckRect{};
  std::vector<std::vector<TcxRadioPatternCode>> FPattern;
  RECT FRadioRect{};
  SIZE FSize{};
  std::vector<int> FIndexMap;
};

// The shared list, created and rendered on first use; nullptr once the painters unit shuts down.
TcxRadioButtonImageList* GetRadioButtonImageList();
// The shared list when it exists, without creating it.
TcxRadioButtonImageList* PeekRadioButtonImageList();
// Frees the shared list (the painters unit's shut-down).
void FreeRadioButtonImageList();

// The palette notifier of the painters unit: a change of the system colours renders the shared
// radio-button glyphs again when the list exists.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
  CL_CLASS(TSystemPaletteChangedNotifier, TcxSystemPaletteChangedNotifier)
public:
  using TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier;
  void NotifyPaletteChanged() override;
};
