#pragma once
// Output of laid-out wide-text rows: DrawWideTextInRect measures or draws a wide text in a rect with
// a font, a colour, indents, a row limit, a line-spacing factor and one highlighted character range;
// DrawTextRowsHighlighted draws positioned rows with justification, clipping, the end ellipsis and
// the highlighted range in its own colours. Text too low to read can be drawn as a pattern band.
//
// Every call puts the DC's background mode and colour, text colour, font, justification and clip
// region back as it found them.
#include <string_view>
#include "classlib/Colors.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Units.h"
#include "toolkit/base/cxDrawTextUtilsLayout.h"

class TFont;

// The text-layout unit: makes the two pattern brushes at start-up; they go at its shut-down.
extern TUnit UnitcxDrawTextUtils;

// One highlighted character range (the selection or a found text) and its colours; a colour of
// clNone or clDefault is not used.
struct TcxTextHighlight {
  int Start = 0;
  int Length = 0;
  TColor TextColor = clNone;
  TColor BackColor = clNone;
};

struct TcxDrawWideTextOptions {
  double LineSpacingFactor = 1.0;
  TColor TextColor = clDefault;  // clDefault: the DC's (or the font's)
  int LeftIndent = 0;
  int RightIndent = 0;
  int MaxRowCount = 0;     // 0: no limit
  TFont* Font = nullptr;   // selected for the call; its colour becomes the text colour
  TcxTextHighlight Highlight;
};

// Draws the text in the rect, or measures it in the calculating modes (CXTO_CALCRECT: the rect
// receives the rect of the longest row and the rows' height). Answers the row count with
// CXTO_CALCROWCOUNT, else the height the rows take (the row count when that is 0); 0 and nothing
// drawn for an empty text or a rect without room.
int DrawWideTextInRect(HDC dc, std::wstring_view text, RECT& rect, int flags, const TcxDrawWideTextOptions& options = {});

// Draws the first count positioned rows in the text rect; moreText asks for the end ellipsis on the
// last row. The rows that get an ellipsis are shortened for it.
void DrawTextRowsHighlighted(HDC dc, const RECT& textRect, const TcxTextParams& params, bool moreText,
                             const TcxTextHighlight& highlight, int count, TcxTextRows& rows);

// Shortens the row so that the ellipsis fits beside it: the available width loses the ellipsis
// width, and the row keeps the characters that fit into the rest (one at least with left alignment).
void CutRowForEllipsis(HDC dc, TcxTextRow& row, const TcxTextParams& params, void* userData, int& availableWidth,
                       TcxMeasureTextProc measure = MeasureTextExtentsForRows);
// Draws "..." right after the row's characters, inside the row rect.
void DrawRowEllipsis(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params);
// Draws the row's characters at its origin.
void DrawTextRow(HDC dc, const TcxTextRow& row, const TcxTextParams& params);
// Draws the row as a band of the normal (checkerboard) or, for a bold font, the bold (solid)
// pattern, in the DC's text colour on clWindow.
void FillRowPattern(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params);
// The pattern brushes: an 8 x 8 checkerboard (rows 0x55, 0xAA) and a solid one (all bits 0).
HBRUSH cxPatternBrush(bool bold);

// The width of the first n characters of the row's text (0 for n = 0).
int MeasureSubstringWidth(HDC dc, std::wstring_view text, int n, bool expandTabs);

// Answers the DC's clip region (nullptr when it had none), then limits the clip to the rect.
TRegionHandle IntersectClipSaving(HDC dc, const RECT& rect);
// Selects the saved region back (an empty one removes clipping) and frees it.
void RestoreSavedClip(HDC dc, TRegionHandle& saved);
// A metafile or enhanced-metafile DC, or such a file.
bool IsMetafileDC(HDC dc);
