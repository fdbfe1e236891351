#pragma once
// Wide-text layout without the platform's DrawText: the text is broken into rows at line ends, at
// words and, for East Asian text, between full-width characters (closing punctuation never begins a
// row); the rows are aligned in a rect horizontally (left, centre, right, two kinds of justification)
// and vertically (top, centre, bottom, spread). Every width comes from a measuring procedure that the
// caller passes, so that one layout serves several output devices.
//
// The layout flags below are their own set, not the canvas's text flags.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>
#include "classlib/Canvas.h"
#include "classlib/Win.h"

// --- Layout flags ---

constexpr int CXTO_LEFT = 0x0;
constexpr int CXTO_CENTER_HORIZONTALLY = 0x1;
constexpr int CXTO_RIGHT = 0x2;
constexpr int CXTO_JUSTIFY_WRAPPED = 0x3;  // justify the rows that were wrapped
constexpr int CXTO_JUSTIFY_ALL = 0x4;      // justify every row
constexpr int CXTO_HORIZONTAL_ALIGNMENT_MASK = 0x7;
constexpr int CXTO_TOP = 0x00;
constexpr int CXTO_CENTER_VERTICALLY = 0x10;
constexpr int CXTO_BOTTOM = 0x20;
constexpr int CXTO_SPREAD_VERTICALLY = 0x30;  // spread the rows over the height
constexpr int CXTO_VERTICAL_ALIGNMENT_MASK = 0x30;
constexpr int CXTO_WORDBREAK = 0x100;
constexpr int CXTO_SINGLELINE = 0x200;
constexpr int CXTO_EXPANDTABS = 0x400;
constexpr int CXTO_END_ELLIPSIS = 0x800;
constexpr int CXTO_PATTERNEDTEXT = 0x1000;  // text lower than 6 device pixels is drawn as a band
constexpr int CXTO_EXTERNALLEADING = 0x2000;  // kept in the parameters; the row pitch ignores it
constexpr int CXTO_EDITCONTROL = 0x4000;      // a word longer than the row breaks between characters
constexpr int CXTO_NOCLIP = 0x8000;
constexpr int CXTO_AUTOINDENTS = 0x10000;  // the rect is inset by 2 logical pixels on every side
constexpr int CXTO_CHARBREAK = 0x20000;    // also on whenever the system locale is East Asian
constexpr int CXTO_PREVENT_LEFT_EXCEED = 0x40000;  // rows never start left of the rect
constexpr int CXTO_PREVENT_TOP_EXCEED = 0x80000;   // the first row never starts above the rect
constexpr int CXTO_CALCRECT = 0x100000;
constexpr int CXTO_CALCROWCOUNT = 0x200000;
constexpr int CXTO_HIDEPREFIX = 0x1000000;  // the "&" marks are removed before layout
constexpr int CXTO_COLLAPSE_SPACES = 0x2000000;  // every space at the start of a wrapped row goes

enum class TcxTextHorzAlignment : uint8_t { Left, Center, Right, JustifyWrapped, JustifyAll };
enum class TcxTextVertAlignment : uint8_t { Top, Center, Bottom, Spread };

// What the layout knows of the font and the flags (see PrepareTextParams).
struct TcxTextParams {
  int TextHeight = 0;       // the font's tmHeight
  int ExternalLeading = 0;  // always 0: the row pitch leaves the font's external leading out
  int RowHeight = 0;        // the row pitch: TextHeight x the line-spacing factor, rounded
  int EllipsisWidth = 0;    // the width of "..." with end ellipsis, else 0
  bool Bold = false;
  wchar_t BreakChar = 0;
  TcxTextHorzAlignment HorzAlignment = TcxTextHorzAlignment::Left;
  TcxTextVertAlignment VertAlignment = TcxTextVertAlignment::Top;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool ExternalLeadingFlag = false;
  bool EditControl = false;
  bool CollapseSpaces = false;
  bool NoClip = false;
  bool AutoIndents = false;
  bool PatternedText = false;
  bool PreventLeftExceed = false;
  bool PreventTopExceed = false;
  bool CharBreak = false;
  bool CalcRowCount = false;
  bool CalcRect = false;
  int MaxCharWidth = 0;
  BYTE CharSet = 0;
  int OnePixel = 0;  // the logical width of one device pixel
  bool HidePrefix = false;
};

// How one row is broken, made from the parameters for one layout.
struct TcxRowFormat {
  TcxTextHorzAlignment HorzAlignment = TcxTextHorzAlignment::Left;
  bool BreakByWords = false;
  bool BreakByChars = false;
  bool CalcRect = false;
  bool EditControl = false;
  bool EndEllipsis = false;
  bool ExpandTabs = false;
  bool CollapseSpaces = false;
  bool SingleLine = false;
  // This is the last row that will be shown, and it gets an end ellipsis.
  bool LastRowWithEllipsis = false;
};
TcxRowFormat MakeRowFormat(const TcxTextParams& params);

// One laid-out row: a piece of the laid-out text (which must outlive the rows).
struct TcxTextRow {
  const wchar_t* Text = nullptr;
  int TextLength = 0;
  int Width = 0;
  int Height = 0;
  int BreakCount = 0;  // spaces and tabs in a justified row
  int TextOriginX = 0;
  int TextOriginY = 0;
  int StartOffset = 0;  // the row's first character, counted from the start of the text

  std::wstring_view View() const { return {Text, static_cast<size_t>(TextLength)}; }
};
using TcxDynamicTextRows = std::vector<TcxTextRow>;

// The rows of one layout: the first 32 are kept in place, the rest in a dynamic array that grows in
// steps leaving four spare rows.
class TcxTextRows {
public:
  static constexpr int InPlaceCount = 32;

  int Count() const { return FCount; }
  // Grows the storage to hold count rows and clears the last of them (nothing for 0). A negative
  // count raises EListError.
  void SetCount(int count);
  // Row index (from 0), which must be below the count.
  TcxTextRow& Row(int index);
  const TcxTextRow& Row(int index) const;
  // Every row dropped; the storage stays.
  void Clear();
  size_t DynamicCapacity() const { return FDynamicRows.size(); }

private:
  int FCount = 0;
  std::array<TcxTextRow, InPlaceCount> FRows{};
  TcxDynamicTextRows FDynamicRows;
};

// Measures the text (tabs expanded when asked) into size. userData is the caller's own.
using TcxMeasureTextProc = void (*)(HDC dc, std::wstring_view text, SIZE& size, void* userData, bool expandTabs);

// --- Parameters and rects ---

// Reads the font of the DC and the flags into the parameters; factor scales the row pitch.
TcxTextParams PrepareTextParams(HDC dc, int flags, double lineSpacingFactor = 1.0);
// The same on the canvas's device context with the canvas's font selected.
TcxTextParams PrepareCanvasTextParams(TCanvas* canvas, int flags, double lineSpacingFactor = 1.0);
// The rect less the automatic indents (2 pixels a side) and the left and right indents (in pixels),
// and back.
RECT InsetTextRect(const RECT& rect, const TcxTextParams& params, int leftIndent = 0, int rightIndent = 0);
RECT OutsetTextRect(const RECT& rect, const TcxTextParams& params, int leftIndent = 0, int rightIndent = 0);
// Calculating the rect: the width is above 0; otherwise the rect is at least 1 x 1.
bool CanLayOutText(const TcxTextParams& params, const RECT& textRect);
// The widest of the first count rows (at most the rows' own count).
int GetLongestRowWidth(const TcxTextRows& rows, int count);

// --- Characters ---

// Characters that never begin a row (closing punctuation and the like).
bool IsNoBreakBeforeChar(wchar_t ch);
// At or above U+0080 and a CJK ideograph, kana, Hangul syllable, or a character that the code page
// (0: the system's) encodes in more than one byte.
bool IsFullWidthChar(UINT codePage, wchar_t ch);

// --- Measuring and breaking ---

// The text's extent on the DC, tabs expanded when asked. Tabbed texts of 4096 characters or more
// are measured with DrawText, and shorter ones that may be wider than the 16-bit tabbed extent are
// corrected by it.
void MeasureWideTextExtents(HDC dc, std::wstring_view text, SIZE& size, bool expandTabs);
// The standard measuring procedure: MeasureWideTextExtents, the user data ignored.
void MeasureTextExtentsForRows(HDC dc, std::wstring_view text, SIZE& size, void* userData, bool expandTabs);
// The next place a row may break, scanning from position: after a space or tab that comes first,
// else before it; before a line end; after a full-width character that comes first (and after a
// no-break-before character that follows it), else before it; the end of the text.
const wchar_t* FindNextWordBreak(UINT codePage, const wchar_t* position, const wchar_t* end);
// The number of the first characters of the text (at least 1 of a text that is not empty) that fit
// into the width, found by bisection.
int FitWordPrefix(HDC dc, std::wstring_view text, TcxMeasureTextProc measure, void* userData, bool expandTabs,
                  int width);
// Makes one row from rowStart in the width: the row's text, length and break count are set. Answers
// where the next row starts.
const wchar_t* FindRowBreak(HDC dc, const wchar_t* rowStart, const wchar_t* textEnd, TcxMeasureTextProc measure,
                            void* userData, const TcxRowFormat& format, int width, TcxTextRow& row);

// --- Layout ---

// Breaks the text into rows for the rect (at most maxRows of them unless 0): rowCount and rows get
// the rows. True when all of the text fitted.
bool BuildTextRows(HDC dc, std::wstring_view text, TcxMeasureTextProc measure, void* userData, int maxRows,
                   int& rowCount, TcxTextRows& rows, const TcxTextParams& params, const RECT& rect);
// Sets the origin of each of the first count rows by the alignments. Spreading the rows may change
// the parameters' row pitch.
void PositionTextRows(HDC dc, const RECT& rect, TcxTextParams& params, int count, TcxTextRows& rows);
// The origin X of a row of the given width in the rect, by the horizontal alignment (justified
// rows start at the left) and the rows-not-left-of-the-rect option.
int TextRowOriginX(const RECT& rect, const TcxTextParams& params, int rowWidth);

// --- Wide-text calls ---
// The platform's wide functions on the NT family; on the 9x family the text is converted to the
// system code page and the single-byte function gets the converted length.

int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format);
bool GetTextExtentWide(HDC dc, std::wstring_view text, SIZE& size);
// fit receives the number of characters that fit into maxExtent.
bool GetTextExtentExWide(HDC dc, std::wstring_view text, int maxExtent, int& fit, SIZE& size);
DWORD GetTabbedExtentWide(HDC dc, std::wstring_view text, int tabCount = 0, const int* tabStops = nullptr);
// At most 4096 characters are drawn.
LONG TabbedTextOutWide(HDC dc, int x, int y, std::wstring_view text, int tabCount, const int* tabStops,
                       int tabOrigin);
bool TextOutWide(HDC dc, int x, int y, std::wstring_view text);
bool ExtTextOutWide(HDC dc, int x, int y, UINT options, const RECT* rect, std::wstring_view text,
                    const int* dx = nullptr);
