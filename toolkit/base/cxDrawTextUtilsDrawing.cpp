#include "toolkit/base/cxDrawTextUtilsDrawing.h"

#include <algorithm>
#include <array>
#include <string>
#include "classlib/GraphicsObjects.h"
#include "toolkit/base/cxControlsMnemonics.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxCore.h"

namespace {
// The two 8 x 8 monochrome pattern brushes of text bands.
struct TcxPatternBrushes {
  TcxPatternBrushes() : Normal(Make({0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA})), Bold(Make({})) {}
  TBrushHandle Normal;
  TBrushHandle Bold;

private:
  // Rows of a monochrome bitmap are word-aligned: one WORD per row, its low byte the eight pixels.
  static TBrushHandle Make(const std::array<WORD, 8>& rows)
  {
    TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, rows.data()));
    return TBrushHandle(CreatePatternBrush(pattern.Get()));
  }
};

TUnitObject<TcxPatternBrushes> GPatternBrushes{UnitcxDrawTextUtils};

void InitializeUnit() { GPatternBrushes.Get(); }

const TUnit* const Uses[] = {&UnitdxCore, &UnitcxGraphics};

bool IsColorUsed(TColor color) { return color != clNone && color != clDefault; }

// Puts the DC's font and text colour back at the end of a scope.
class TTextStateScope {
public:
  explicit TTextStateScope(HDC dc)
    : FDC(dc), FFont(GetCurrentObject(dc, OBJ_FONT)), FTextColor(GetTextColor(dc))
  {
  }
  ~TTextStateScope()
  {
    SelectObject(FDC, FFont);
    SetTextColor(FDC, FTextColor);
  }
  TTextStateScope(const TTextStateScope&) = delete;
  TTextStateScope& operator=(const TTextStateScope&) = delete;

private:
  HDC FDC;
  HGDIOBJ FFont;
  COLORREF FTextColor;
};

class TBkModeScope {
public:
  TBkModeScope(HDC dc, int mode) : FDC(dc), FOld(SetBkMode(dc, mode)) {}
  ~TBkModeScope() { SetBkMode(FDC, FOld); }
  TBkModeScope(const TBkModeScope&) = delete;
  TBkModeScope& operator=(const TBkModeScope&) = delete;

private:
  HDC FDC;
  int FOld;
};

// A copy of the DC's clip region; empty when the DC has none.
TRegionHandle CopyClipRegion(HDC dc)
{
  TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (GetClipRgn(dc, region.Get()) != 1) region.Reset();
  return region;
}

// Saves the DC's clip region before the first change in a scope and puts it back at its end.
class TClipScope {
public:
  explicit TClipScope(HDC dc) : FDC(dc) {}
  ~TClipScope()
  {
    if (FSaved) RestoreSavedClip(FDC, FRegion);
  }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

  void Intersect(const RECT& rect)
  {
    Save();
    IntersectClipRect(FDC, rect.left, rect.top, rect.right, rect.bottom);
  }
  void Exclude(const RECT& rect)
  {
    Save();
    ExcludeClipRect(FDC, rect.left, rect.top, rect.right, rect.bottom);
  }

private:
  void Save()
  {
    if (FSaved) return;
    FRegion = CopyClipRegion(FDC);
    FSaved = true;
  }
  HDC FDC;
  TRegionHandle FRegion;
  bool FSaved = false;
};

// Text of a right-to-left character set that does not begin with an ASCII character: its highlight
// is measured from the row's right end. Chinese text reads left to right like Latin text.
bool IsRightToLeftRowText(const TcxTextRow& row, BYTE charset)
{
  const bool arabic = charset == ARABIC_CHARSET || (charset == DEFAULT_CHARSET && GetACP() == 1256);
  if (!arabic || row.TextLength == 0) return false;
  const std::string first = ConvertWideToAnsi(row.View().substr(0, 1), CharsetToCodePage(ARABIC_CHARSET));
  return IsMultiByteCharsetText(ARABIC_CHARSET, first);
}

// The highlight rect of the characters [a, b) of the row over the row rect's height.
RECT HighlightRect(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params, int a, int b)
{
  const int pa = MeasureSubstringWidth(dc, row.View(), a, params.ExpandTabs);
  const int pb = MeasureSubstringWidth(dc, row.View(), b, params.ExpandTabs);
  if (IsRightToLeftRowText(row, params.CharSet)) {
    const int right = row.TextOriginX + row.Width;
    return RECT{right - pb, rowRect.top, right - pa, rowRect.bottom};
  }
  return RECT{row.TextOriginX + pa, rowRect.top, row.TextOriginX + pb, rowRect.bottom};
}

// Draws the highlighted part of a row on its own background and in its own colour, and clips it out
// of the rest of the row's drawing. With withEllipsis the highlight also covers the ellipsis after
// the row, which is drawn with it. Answers whether the ellipsis was drawn.
bool DrawRowHighlight(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params,
                      const TcxTextHighlight& highlight, HBRUSH brush, bool ellipsis, TClipScope& rowClip)
{
  const int a = std::max(highlight.Start, row.StartOffset) - row.StartOffset;
  const int b = std::min(highlight.Start + highlight.Length, row.StartOffset + row.TextLength) - row.StartOffset;
  if (a >= b) return false;
  RECT rect = HighlightRect(dc, row, rowRect, params, a, b);
  const bool withEllipsis = ellipsis && b == row.TextLength && !IsRightToLeftRowText(row, params.CharSet);
  if (withEllipsis)
    rect.right = std::max<int>(rect.right, std::min<int>(row.TextOriginX + row.Width + params.EllipsisWidth, rowRect.right));
  if (IsRectEmpty(&rect)) return false;
  {
    TClipScope highlightClip(dc);
    highlightClip.Intersect(rect);
    if (brush) FillRect(dc, &rect, brush);
    const COLORREF oldColor = GetTextColor(dc);
    if (IsColorUsed(highlight.TextColor)) SetTextColor(dc, GdiColor(highlight.TextColor));
    DrawTextRow(dc, row, params);
    if (withEllipsis) DrawRowEllipsis(dc, row, rowRect, params);
    SetTextColor(dc, oldColor);
  }
  rowClip.Exclude(rect);
  return withEllipsis;
}

// Shortens the row so that the ellipsis fits beside it, and places the shortened row with its
// ellipsis by the alignment: a centred or right-aligned row keeps its dots inside the rect.
void CutRowAndPlaceEllipsis(HDC dc, TcxTextRow& row, const RECT& textRect, const TcxTextParams& params)
{
  int available = textRect.right - textRect.left;
  CutRowForEllipsis(dc, row, params, nullptr, available);
  row.TextOriginX = TextRowOriginX(textRect, params, row.Width + params.EllipsisWidth);
}

void DrawRowWithCharacters(HDC dc, TcxTextRow& row, RECT rowRect, const RECT& textRect, const TcxTextParams& params,
                           bool ellipsis, const TcxTextHighlight& highlight, HBRUSH brush, bool metafile)
{
  const int width = textRect.right - textRect.left;
  const bool justify = !ellipsis && (params.HorzAlignment == TcxTextHorzAlignment::JustifyWrapped ||
                                     params.HorzAlignment == TcxTextHorzAlignment::JustifyAll);
  const bool justified = justify && width - row.Width > 0 && row.BreakCount > 0;
  if (justified) SetTextJustification(dc, width - row.Width, row.BreakCount);
  {
    TClipScope clip(dc);
    const bool inside = row.Width <= width && rowRect.top >= textRect.top && rowRect.bottom <= textRect.bottom;
    if (!params.NoClip && !inside) {
      rowRect.top = std::max(rowRect.top, textRect.top);
      rowRect.bottom = std::min(rowRect.bottom, textRect.bottom);
      clip.Intersect(rowRect);
    }
    if (ellipsis) CutRowAndPlaceEllipsis(dc, row, textRect, params);
    if (highlight.Length > 0 && !metafile && DrawRowHighlight(dc, row, rowRect, params, highlight, brush, ellipsis, clip))
      ellipsis = false;
    DrawTextRow(dc, row, params);
    if (ellipsis) DrawRowEllipsis(dc, row, rowRect, params);
  }
  if (justified) SetTextJustification(dc, 0, 0);
}
}  // namespace

TUnit UnitcxDrawTextUtils{"cxDrawTextUtils", Uses, InitializeUnit};

HBRUSH cxPatternBrush(bool bold)
{
  TcxPatternBrushes* brushes = GPatternBrushes.Get();
  if (!brushes) return nullptr;
  return bold ? brushes->Bold.Get() : brushes->Normal.Get();
}

int DrawWideTextInRect(HDC dc, std::wstring_view text, RECT& rect, int flags, const TcxDrawWideTextOptions& options)
{
  if (text.empty()) return 0;
  TTextStateScope textState(dc);
  if (options.Font) {
    SelectObject(dc, options.Font->Handle());
    SetTextColor(dc, GdiColor(options.Font->Color()));
  }
  if (options.TextColor != clDefault) SetTextColor(dc, GdiColor(options.TextColor));

  TcxTextParams params = PrepareTextParams(dc, flags, options.LineSpacingFactor);
  RECT textRect = InsetTextRect(rect, params, options.LeftIndent, options.RightIndent);
  if (!CanLayOutText(params, textRect)) return 0;
  std::wstring withoutPrefixes;
  if (params.HidePrefix) {
    withoutPrefixes = RemoveMnemonicsW(text);
    if (withoutPrefixes.empty()) return 0;
    text = withoutPrefixes;
  }

  TcxTextRows rows;
  int count = 0;
  const int maxRows = options.MaxRowCount;
  const bool fitted = BuildTextRows(dc, text, MeasureTextExtentsForRows, nullptr, maxRows, count, rows, params, textRect);
  int usedHeight = 0;
  if (count > 0) {
    if (params.CalcRect) {
      if (maxRows > 0) count = std::min(count, maxRows);
      textRect.right = textRect.left + GetLongestRowWidth(rows, count);
      if (!params.SingleLine)
        BuildTextRows(dc, text, MeasureTextExtentsForRows, nullptr, maxRows, count, rows, params, textRect);
      PositionTextRows(dc, textRect, params, count, rows);
      textRect.bottom = rows.Row(count - 1).TextOriginY + params.TextHeight;
      rect = OutsetTextRect(textRect, params, options.LeftIndent, options.RightIndent);
    } else if (params.CalcRowCount) {
      // Counting rows draws nothing.
      PositionTextRows(dc, textRect, params, count, rows);
    } else {
      PositionTextRows(dc, textRect, params, count, rows);
      TcxTextHighlight highlight = options.Highlight;
      const int length = static_cast<int>(text.size());
      if (highlight.Start < 0 || highlight.Start >= length)
        highlight.Length = 0;
      else
        highlight.Length = std::min(highlight.Length, length - highlight.Start);
      DrawTextRowsHighlighted(dc, textRect, params, !fitted, highlight, count, rows);
    }
    usedHeight = rows.Row(count - 1).TextOriginY + params.TextHeight - textRect.top;
  }
  if (params.CalcRowCount) return count;
  return usedHeight != 0 ? usedHeight : count;
}

void DrawTextRowsHighlighted(HDC dc, const RECT& textRect, const TcxTextParams& params, bool moreText,
                             const TcxTextHighlight& highlight, int count, TcxTextRows& rows)
{
  TBkModeScope bkMode(dc, TRANSPARENT);
  TBrushHandle brush;
  if (highlight.Length >= 1 && IsColorUsed(highlight.BackColor)) brush.Reset(CreateSolidBrush(GdiColor(highlight.BackColor)));
  const int width = textRect.right - textRect.left;
  const bool metafile = IsMetafileDC(dc);
  count = std::min(count, rows.Count());
  for (int i = 0; i < count; ++i) {
    TcxTextRow& row = rows.Row(i);
    const RECT rowRect{textRect.left, row.TextOriginY, textRect.right, row.TextOriginY + params.RowHeight};
    const bool lastRow = i == count - 1;
    if (row.TextLength > 0) {
      if (!metafile && !RectVisible(dc, &rowRect)) continue;
      if (params.PatternedText) {
        FillRowPattern(dc, row, rowRect, params);
        continue;
      }
      const bool ellipsis = params.EndEllipsis && lastRow && (moreText || row.Width > width);
      DrawRowWithCharacters(dc, row, rowRect, textRect, params, ellipsis, highlight, brush.Get(), metafile);
    } else if (moreText && params.EndEllipsis && lastRow) {
      CutRowAndPlaceEllipsis(dc, row, textRect, params);
      DrawRowEllipsis(dc, row, rowRect, params);
    }
  }
}

void CutRowForEllipsis(HDC dc, TcxTextRow& row, const TcxTextParams& params, void* userData, int& availableWidth,
                       TcxMeasureTextProc measure)
{
  availableWidth = std::max(0, availableWidth - params.EllipsisWidth);
  int fit = 0;
  SIZE size{};
  if (!GetTextExtentExWide(dc, row.View(), availableWidth, fit, size)) fit = 0;
  fit = std::clamp(fit, 0, row.TextLength);
  // A left-aligned row keeps one character at least, but never gains one it did not have.
  if (fit == 0 && row.TextLength > 0 && params.HorzAlignment == TcxTextHorzAlignment::Left) fit = 1;
  row.TextLength = fit;
  size = SIZE{};
  measure(dc, row.View(), size, userData, params.ExpandTabs);
  row.Width = size.cx;
  row.Height = size.cy;
}

void DrawRowEllipsis(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params)
{
  // Right after the row's own characters, wherever the alignment put them.
  RECT rect = rowRect;
  rect.left = row.TextOriginX + row.Width;
  if (rect.left >= rect.right) return;
  const UINT options = params.NoClip || rect.right - rect.left >= params.EllipsisWidth ? 0 : ETO_CLIPPED;
  ExtTextOutWide(dc, rect.left, row.TextOriginY, options, &rect, L"...");
}

void DrawTextRow(HDC dc, const TcxTextRow& row, const TcxTextParams& params)
{
  if (params.ExpandTabs)
    TabbedTextOutWide(dc, row.TextOriginX, row.TextOriginY, row.View(), 0, nullptr, row.TextOriginX);
  else
    TextOutWide(dc, row.TextOriginX, row.TextOriginY, row.View());
}

void FillRowPattern(HDC dc, const TcxTextRow& row, const RECT& rowRect, const TcxTextParams& params)
{
  RECT band{row.TextOriginX, rowRect.top + params.OnePixel, std::min<int>(row.TextOriginX + row.Width, rowRect.right),
            rowRect.bottom - params.OnePixel};
  if (band.bottom <= band.top) band.bottom = band.top + params.OnePixel;
  const COLORREF oldBkColor = SetBkColor(dc, ColorToRGB(clWindow));
  FillRect(dc, &band, cxPatternBrush(params.Bold));
  SetBkColor(dc, oldBkColor);
}

int MeasureSubstringWidth(HDC dc, std::wstring_view text, int n, bool expandTabs)
{
  if (n <= 0) return 0;
  SIZE size{};
  MeasureWideTextExtents(dc, text.substr(0, static_cast<size_t>(n)), size, expandTabs);
  return size.cx;
}

TRegionHandle IntersectClipSaving(HDC dc, const RECT& rect)
{
  TRegionHandle saved = CopyClipRegion(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  return saved;
}

void RestoreSavedClip(HDC dc, TRegionHandle& saved)
{
  SelectClipRgn(dc, saved.Get());
  saved.Reset();
}

bool IsMetafileDC(HDC dc)
{
  const DWORD type = GetObjectType(dc);
  return type == OBJ_METADC || type == OBJ_ENHMETADC || type == OBJ_METAFILE || type == OBJ_ENHMETAFILE;
}
