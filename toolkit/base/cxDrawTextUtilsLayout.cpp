#include "toolkit/base/cxDrawTextUtilsLayout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include "classlib/Exceptions.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/dxCore.h"

namespace {
struct TCharRange {
  wchar_t First, Last;
};

// Closing punctuation and similar marks: a row never begins with one of them.
constexpr TCharRange NoBreakBeforeChars[] = {
  {0x0021, 0x0021}, {0x0025, 0x0025}, {0x0029, 0x0029}, {0x002C, 0x002C}, {0x002E, 0x002E}, {0x003A, 0x003B},
  {0x003E, 0x003F}, {0x005D, 0x005D}, {0x007D, 0x007D}, {0x00A8, 0x00A8}, {0x00B0, 0x00B0}, {0x00B7, 0x00B7},
  {0x02C7, 0x02C7}, {0x02C9, 0x02C9}, {0x2013, 0x2016}, {0x2018, 0x2019}, {0x201D, 0x201D}, {0x2022, 0x2022},
  {0x2025, 0x2027}, {0x2032, 0x2033}, {0x2103, 0x2103}, {0x2236, 0x2236}, {0x2574, 0x2574}, {0x3001, 0x3003},
  {0x3005, 0x3005}, {0x3009, 0x3009}, {0x300B, 0x300B}, {0x300D, 0x300D}, {0x300F, 0x300F}, {0x3011, 0x3011},
  {0x3015, 0x3015}, {0x3017, 0x3017}, {0x301E, 0x301E}, {0x309B, 0x309C}, {0xFE30, 0xFE31}, {0xFE33, 0xFE34},
  {0xFE36, 0xFE36}, {0xFE38, 0xFE38}, {0xFE3A, 0xFE3A}, {0xFE3C, 0xFE3C}, {0xFE3E, 0xFE3E}, {0xFE40, 0xFE40},
  {0xFE42, 0xFE42}, {0xFE44, 0xFE44}, {0xFE4F, 0xFE52}, {0xFE54, 0xFE57}, {0xFE5A, 0xFE5A}, {0xFE5C, 0xFE5C},
  {0xFE5E, 0xFE5E}, {0xFF01, 0xFF02}, {0xFF05, 0xFF05}, {0xFF07, 0xFF07}, {0xFF09, 0xFF09}, {0xFF0C, 0xFF0E},
  {0xFF1A, 0xFF1B}, {0xFF1E, 0xFF1F}, {0xFF3D, 0xFF3D}, {0xFF5C, 0xFF5E}, {0xFF61, 0xFF61}, {0xFF63, 0xFF64},
  {0xFF9E, 0xFF9F}, {0xFFE0, 0xFFFF},
};

// CJK ideographs, hiragana, katakana and Hangul syllables.
constexpr TCharRange FullWidthRanges[] = {{0x4E00, 0x9FFF}, {0x3040, 0x309F}, {0x30A0, 0x30FF}, {0xAC00, 0xD7A3}};

constexpr bool InRanges(wchar_t ch, const auto& ranges)
{
  for (const TCharRange& r : ranges)
    if (ch >= r.First && ch <= r.Last) return true;
  return false;
}

constexpr bool IsSpaceOrTab(wchar_t ch) { return ch == L' ' || ch == L'\t'; }
constexpr bool IsLineEndChar(wchar_t ch) { return ch == L'\r' || ch == L'\n'; }

// Past a CR with a following LF, or an LF with a following CR.
const wchar_t* SkipLineEnd(const wchar_t* p, const wchar_t* end)
{
  const wchar_t first = *p++;
  if (p < end && IsLineEndChar(*p) && *p != first) ++p;
  return p;
}

const wchar_t* NextLineEnd(const wchar_t* p, const wchar_t* end)
{
  while (p < end && !IsLineEndChar(*p)) ++p;
  return p;
}

std::wstring_view Piece(const wchar_t* from, const wchar_t* to) { return {from, static_cast<size_t>(to - from)}; }

SIZE Measure(TcxMeasureTextProc measure, HDC dc, std::wstring_view text, void* userData, bool expandTabs)
{
  SIZE size{};
  measure(dc, text, size, userData, expandTabs);
  return size;
}

// The single-line DrawText extent with tabs expanded; DrawText gives nothing for texts over 4096
// characters on some systems, so those are measured by their first 4096 then.
SIZE MeasureByDrawText(HDC dc, std::wstring_view text)
{
  constexpr UINT format = DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_EXPANDTABS;
  RECT r{};
  SIZE size{0, DrawTextWide(dc, text, r, format)};
  size.cx = r.right - r.left;
  if (text.size() >= 4097 && size.cx == 0) {
    r = RECT{};
    size.cy = DrawTextWide(dc, text.substr(0, 4096), r, format);
    size.cx = r.right - r.left;
  }
  return size;
}

// The logical size of a square of device pixels.
SIZE LogicalPixels(HDC dc, int devicePixels)
{
  POINT p[2] = {{0, 0}, {devicePixels, devicePixels}};
  DPtoLP(dc, p, 2);
  return SIZE{p[1].x - p[0].x, p[1].y - p[0].y};
}

bool IsLastRow(const TcxTextParams& params, bool calculating, int height, int usedHeight, int maxRows, int count)
{
  if (params.SingleLine) return true;
  if (params.VertAlignment == TcxTextVertAlignment::Top && !calculating)
    return height < usedHeight || (params.EditControl && !params.NoClip && height < usedHeight + params.RowHeight);
  return maxRows > 0 && count == maxRows;
}

template <class AnsiCall, class WideCall>
auto WideOrAnsi(std::wstring_view text, AnsiCall ansi, WideCall wide)
{
  if (!Win9xPlatform) return wide(text.data(), static_cast<int>(text.size()));
  const std::string converted = ConvertWideToAnsi(text, CP_ACP, static_cast<int>(text.size()));
  return ansi(converted.data(), static_cast<int>(converted.size()));
}

// The characters of the text whose system code page bytes lie within the first bytes.
int CharsInAnsiBytes(std::wstring_view text, int bytes)
{
  int chars = 0;
  for (wchar_t ch : text) {
    bytes -= std::max(1, WideCharToMultiByte(CP_ACP, 0, &ch, 1, nullptr, 0, nullptr, nullptr));
    if (bytes < 0) break;
    ++chars;
  }
  return chars;
}
}  // namespace

// --- Rows ---

void TcxTextRows::SetCount(int count)
{
  if (count < 0) throw EListError(Format("List count out of bounds (%d)", {count}));
  const size_t dynamicNeeded = count > InPlaceCount ? static_cast<size_t>(count - InPlaceCount) : 0;
  if (FDynamicRows.size() < dynamicNeeded) FDynamicRows.resize(dynamicNeeded + 4);
  FCount = count;
  if (count > 0) Row(count - 1) = TcxTextRow{};
}

TcxTextRow& TcxTextRows::Row(int index)
{
  return const_cast<TcxTextRow&>(static_cast<const TcxTextRows&>(*this).Row(index));
}

const TcxTextRow& TcxTextRows::Row(int index) const
{
  if (index < 0 || index >= FCount) throw EListError(Format("List index out of bounds (%d)", {index}));
  return index < InPlaceCount ? FRows[index] : FDynamicRows[index - InPlaceCount];
}

void TcxTextRows::Clear()
{
  for (int i = 0; i < FCount; ++i) Row(i) = TcxTextRow{};
  FCount = 0;
}

TcxRowFormat MakeRowFormat(const TcxTextParams& params)
{
  const bool justify = params.HorzAlignment == TcxTextHorzAlignment::JustifyWrapped ||
                       params.HorzAlignment == TcxTextHorzAlignment::JustifyAll;
  TcxRowFormat format;
  format.HorzAlignment = params.HorzAlignment;
  format.BreakByWords = !params.SingleLine && (params.WordBreak || justify);
  format.BreakByChars = format.BreakByWords && (params.CharBreak || params.EditControl);
  format.CalcRect = params.CalcRect;
  format.EditControl = params.EditControl;
  format.EndEllipsis = params.EndEllipsis;
  format.ExpandTabs = params.ExpandTabs;
  format.CollapseSpaces = params.CollapseSpaces;
  format.SingleLine = params.SingleLine;
  return format;
}

// --- Parameters and rects ---

TcxTextParams PrepareTextParams(HDC dc, int flags, double lineSpacingFactor)
{
  TcxTextParams params;
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc, &metrics)) {
    TEXTMETRICA ansi{};
    if (GetTextMetricsA(dc, &ansi)) {
      metrics.tmHeight = ansi.tmHeight;
      metrics.tmWeight = ansi.tmWeight;
      metrics.tmBreakChar = static_cast<unsigned char>(ansi.tmBreakChar);
      metrics.tmMaxCharWidth = ansi.tmMaxCharWidth;
      metrics.tmCharSet = ansi.tmCharSet;
    }
  }
  params.Bold = metrics.tmWeight >= FW_BOLD;
  params.BreakChar = metrics.tmBreakChar;
  params.MaxCharWidth = metrics.tmMaxCharWidth;
  params.TextHeight = metrics.tmHeight;
  params.CharSet = metrics.tmCharSet;

  params.HorzAlignment = static_cast<TcxTextHorzAlignment>(flags & CXTO_HORIZONTAL_ALIGNMENT_MASK);
  params.VertAlignment = static_cast<TcxTextVertAlignment>((flags & CXTO_VERTICAL_ALIGNMENT_MASK) >> 4);
  params.WordBreak = flags & CXTO_WORDBREAK;
  params.SingleLine = flags & CXTO_SINGLELINE;
  params.ExpandTabs = flags & CXTO_EXPANDTABS;
  params.EndEllipsis = flags & CXTO_END_ELLIPSIS;
  params.ExternalLeadingFlag = flags & CXTO_EXTERNALLEADING;
  params.EditControl = flags & CXTO_EDITCONTROL;
  params.CollapseSpaces = flags & CXTO_COLLAPSE_SPACES;
  params.NoClip = flags & CXTO_NOCLIP;
  params.AutoIndents = flags & CXTO_AUTOINDENTS;
  params.PatternedText = flags & CXTO_PATTERNEDTEXT;
  params.PreventLeftExceed = flags & CXTO_PREVENT_LEFT_EXCEED;
  params.PreventTopExceed = flags & CXTO_PREVENT_TOP_EXCEED;
  params.CharBreak = (flags & CXTO_CHARBREAK) || SysLocale().FarEast;
  params.CalcRowCount = flags & CXTO_CALCROWCOUNT;
  params.CalcRect = flags & CXTO_CALCRECT;
  params.HidePrefix = flags & CXTO_HIDEPREFIX;

  params.OnePixel = LogicalPixels(dc, 1).cx;
  params.RowHeight = static_cast<int>(std::lround((params.TextHeight + params.ExternalLeading) * lineSpacingFactor));
  params.PatternedText = params.PatternedText && params.TextHeight < LogicalPixels(dc, 6).cy;
  if (params.EndEllipsis) {
    SIZE size{};
    MeasureWideTextExtents(dc, L"...", size, false);
    params.EllipsisWidth = size.cx;
  }
  return params;
}

TcxTextParams PrepareCanvasTextParams(TCanvas* canvas, int flags, double lineSpacingFactor)
{
  return PrepareTextParams(canvas->Handle(), flags, lineSpacingFactor);
}

RECT InsetTextRect(const RECT& rect, const TcxTextParams& params, int leftIndent, int rightIndent)
{
  RECT r = rect;
  if (params.AutoIndents) InflateRect(&r, -2 * params.OnePixel, -2 * params.OnePixel);
  r.left += leftIndent * params.OnePixel;
  r.right -= rightIndent * params.OnePixel;
  return r;
}

RECT OutsetTextRect(const RECT& rect, const TcxTextParams& params, int leftIndent, int rightIndent)
{
  RECT r = rect;
  r.right += rightIndent * params.OnePixel;
  r.left -= leftIndent * params.OnePixel;
  if (params.AutoIndents) InflateRect(&r, 2 * params.OnePixel, 2 * params.OnePixel);
  return r;
}

bool CanLayOutText(const TcxTextParams& params, const RECT& textRect)
{
  const int width = textRect.right - textRect.left;
  if (params.CalcRect) return width > 0;
  return width >= 1 && textRect.bottom - textRect.top >= 1;
}

int GetLongestRowWidth(const TcxTextRows& rows, int count)
{
  int result = 0;
  for (int i = 0; i < std::min(count, rows.Count()); ++i) result = std::max(result, rows.Row(i).Width);
  return result;
}

// --- Characters ---

bool IsNoBreakBeforeChar(wchar_t ch) { return InRanges(ch, NoBreakBeforeChars); }

bool IsFullWidthChar(UINT codePage, wchar_t ch)
{
  if (ch < 0x80) return false;
  if (InRanges(ch, FullWidthRanges)) return true;
  return WideCharToMultiByte(codePage, 0, &ch, 1, nullptr, 0, nullptr, nullptr) > 1;
}

// --- Measuring and breaking ---

void MeasureWideTextExtents(HDC dc, std::wstring_view text, SIZE& size, bool expandTabs)
{
  size = SIZE{};
  if (!expandTabs) {
    if (!GetTextExtentWide(dc, text, size)) size = SIZE{};
    return;
  }
  if (text.size() > 4095) {
    size = MeasureByDrawText(dc, text);
    return;
  }
  const DWORD extent = GetTabbedExtentWide(dc, text);
  size.cx = LOWORD(extent);
  size.cy = HIWORD(extent);
  SIZE w{};
  GetTextExtentWide(dc, L"W", w);
  if (static_cast<long long>(text.size()) * w.cx > 0xFFFF) {
    // The tabbed extent is 16-bit: the whole width is its low part plus the number of 64K wraps that
    // brings it nearest to DrawText's width.
    const SIZE wide = MeasureByDrawText(dc, text);
    if (wide.cx > 0xFFFF) size.cx += ((wide.cx - size.cx + 0x8000) / 0x10000) * 0x10000;
  }
}

void MeasureTextExtentsForRows(HDC dc, std::wstring_view text, SIZE& size, void*, bool expandTabs)
{
  MeasureWideTextExtents(dc, text, size, expandTabs);
}

namespace {

// Past the run of no-break-before characters at p: closing marks stay with what comes before them,
// however many follow each other, so that none of them begins a row.
const wchar_t* SkipNoBreakBeforeRun(const wchar_t* p, const wchar_t* end)
{
  while (p < end && IsNoBreakBeforeChar(*p)) ++p;
  return p;
}

}  // namespace

const wchar_t* FindNextWordBreak(UINT codePage, const wchar_t* position, const wchar_t* end)
{
  for (const wchar_t* p = position; p < end; ++p) {
    const bool first = p == position;
    if (IsSpaceOrTab(*p)) return first ? p + 1 : p;
    if (IsLineEndChar(*p)) return p;
    if (IsFullWidthChar(codePage, *p)) {
      if (first) return SkipNoBreakBeforeRun(p + 1, end);
      return IsNoBreakBeforeChar(*p) ? SkipNoBreakBeforeRun(p + 1, end) : p;
    }
  }
  return end;
}

int FitWordPrefix(HDC dc, std::wstring_view text, TcxMeasureTextProc measure, void* userData, bool expandTabs,
                  int width)
{
  // The longest prefix in [lo, hi) that fits: lo always fits, hi never does.
  int lo = 0;
  int hi = static_cast<int>(text.size()) + 1;
  while (hi - lo > 1) {
    const int m = lo + (hi - lo) / 2;
    if (Measure(measure, dc, text.substr(0, m), userData, expandTabs).cx > width)
      hi = m;
    else
      lo = m;
  }
  return lo == 0 && !text.empty() ? 1 : lo;
}

const wchar_t* FindRowBreak(HDC dc, const wchar_t* rowStart, const wchar_t* textEnd, TcxMeasureTextProc measure,
                            void* userData, const TcxRowFormat& format, int width, TcxTextRow& row)
{
  const wchar_t* previousBreak = rowStart;
  int widthSoFar = 0;
  const wchar_t* rowEnd = textEnd;
  const wchar_t* next = textEnd;
  bool wrapped = false;
  for (;;) {
    const wchar_t* candidate = format.CalcRect || !format.BreakByWords ? NextLineEnd(previousBreak, textEnd)
                                                                       : FindNextWordBreak(0, previousBreak, textEnd);
    const int candidateWidth = Measure(measure, dc, Piece(rowStart, candidate), userData, format.ExpandTabs).cx;
    // Only a piece that adds characters can overflow, so that every row takes at least one.
    if (format.BreakByWords && candidate > previousBreak && candidateWidth > width) {
      wrapped = true;
      if (previousBreak > rowStart && !format.LastRowWithEllipsis) {
        rowEnd = next = previousBreak;
      } else if (format.BreakByChars) {
        int fit = FitWordPrefix(dc, Piece(previousBreak, candidate), measure, userData, format.ExpandTabs,
                                width - widthSoFar);
        // Closing punctuation does not begin the next row: the character before it goes along.
        while (fit > 1 && previousBreak + fit < candidate && IsNoBreakBeforeChar(previousBreak[fit])) --fit;
        rowEnd = next = previousBreak + fit;
      } else {
        // The overflowing word stays whole in its row.
        rowEnd = next = candidate;
        if (format.EndEllipsis && candidate < textEnd && IsLineEndChar(*candidate)) {
          next = SkipLineEnd(candidate, textEnd);
          wrapped = false;
        }
      }
      break;
    }
    if (candidate < textEnd && IsLineEndChar(*candidate)) {
      rowEnd = candidate;
      next = SkipLineEnd(candidate, textEnd);
      break;
    }
    if (candidate >= textEnd) {
      rowEnd = next = textEnd;
      break;
    }
    previousBreak = candidate;
    widthSoFar = candidateWidth;
  }

  int length = static_cast<int>(rowEnd - rowStart);
  const TcxTextHorzAlignment align = format.HorzAlignment;
  if (wrapped && next < textEnd) {
    // The space or tab the row wrapped at does not begin the next row, whatever the alignment (else
    // it would make a row of its own when it does not fit beside the row's last word).
    if (IsSpaceOrTab(*next)) ++next;
    if ((align == TcxTextHorzAlignment::Center || align == TcxTextHorzAlignment::Right) && length > 0 &&
        IsSpaceOrTab(rowStart[length - 1]))
      --length;
    if (format.CollapseSpaces)
      while (next < textEnd && *next == L' ') ++next;
  }
  int breakCount = 0;
  if (align == TcxTextHorzAlignment::JustifyAll || (align == TcxTextHorzAlignment::JustifyWrapped && wrapped)) {
    while (length > 0 && IsSpaceOrTab(rowStart[length - 1])) --length;
    breakCount = static_cast<int>(std::count_if(rowStart, rowStart + length, IsSpaceOrTab));
  }
  row.Text = rowStart;
  row.TextLength = length;
  row.BreakCount = breakCount;
  return next;
}

// --- Layout ---

bool BuildTextRows(HDC dc, std::wstring_view text, TcxMeasureTextProc measure, void* userData, int maxRows,
                   int& rowCount, TcxTextRows& rows, const TcxTextParams& params, const RECT& rect)
{
  rows.Clear();
  rowCount = 0;
  if (text.empty()) return true;

  auto measureRow = [&](TcxTextRow& row) {
    const SIZE size = Measure(measure, dc, row.View(), userData, params.ExpandTabs);
    row.Width = size.cx;
    row.Height = size.cy;
  };

  if (params.CalcRect && params.SingleLine) {
    rows.SetCount(rowCount = 1);
    TcxTextRow& row = rows.Row(0);
    row.Text = text.data();
    row.TextLength = static_cast<int>(text.size());
    measureRow(row);
    return true;
  }

  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const bool calculating = params.CalcRect || params.CalcRowCount;
  const bool justify = params.HorzAlignment == TcxTextHorzAlignment::JustifyWrapped ||
                       params.HorzAlignment == TcxTextHorzAlignment::JustifyAll;
  const bool cutForEllipsis = params.EndEllipsis && !params.NoClip && !calculating && !justify;
  TcxRowFormat format = MakeRowFormat(params);
  const wchar_t* p = text.data();
  const wchar_t* const end = p + text.size();
  int usedHeight = 0;
  bool lastRow = false;
  while (p < end && !lastRow) {
    rows.SetCount(++rowCount);
    usedHeight += params.RowHeight;
    lastRow = IsLastRow(params, calculating, height, usedHeight, maxRows, rowCount);
    format.LastRowWithEllipsis = lastRow && cutForEllipsis;
    TcxTextRow& row = rows.Row(rowCount - 1);
    const wchar_t* next = FindRowBreak(dc, p, end, measure, userData, format, width, row);
    row.StartOffset = static_cast<int>(p - text.data());
    measureRow(row);
    p = next;
    if (maxRows > 0 && rowCount == maxRows) break;
  }

  if (calculating || rowCount == 0) return true;
  return !(p < end || (params.SingleLine && rows.Row(rowCount - 1).Width > width));
}

int TextRowOriginX(const RECT& rect, const TcxTextParams& params, int rowWidth)
{
  int x = rect.left;
  if (params.HorzAlignment == TcxTextHorzAlignment::Center)
    x = rect.left + (rect.right - rect.left - rowWidth) / 2;
  else if (params.HorzAlignment == TcxTextHorzAlignment::Right)
    x = rect.right - rowWidth;
  if (params.PreventLeftExceed) x = std::max<int>(x, rect.left);
  return x;
}

void PositionTextRows(HDC, const RECT& rect, TcxTextParams& params, int count, TcxTextRows& rows)
{
  count = std::min(count, rows.Count());
  if (count <= 0) return;
  const int height = rect.bottom - rect.top;
  int extraPixels = 0;
  if (params.VertAlignment == TcxTextVertAlignment::Spread && count > 1) {
    const int gap = height - params.TextHeight;
    if (static_cast<long long>(params.TextHeight) * (count - 1) < gap) {
      params.RowHeight = gap / (count - 1);
      extraPixels = gap % (count - 1);
    }
  }

  int top = rect.top;
  if (params.VertAlignment == TcxTextVertAlignment::Center)
    top = rect.top + (height - count * params.RowHeight) / 2;
  else if (params.VertAlignment == TcxTextVertAlignment::Bottom)
    top = rect.bottom - count * params.RowHeight + params.ExternalLeading;
  if (params.PreventTopExceed) top = std::max<int>(top, rect.top);

  for (int i = 0; i < count; ++i) {
    TcxTextRow& row = rows.Row(i);
    row.TextOriginX = TextRowOriginX(rect, params, row.Width);
    row.TextOriginY = top;
    top += params.RowHeight;
    if (extraPixels > 0) {
      ++top;
      --extraPixels;
    }
  }
}

// --- Wide-text calls ---

int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format)
{
  return WideOrAnsi(
    text, [&](const char* s, int n) { return DrawTextA(dc, s, n, &rect, format); },
    [&](const wchar_t* s, int n) { return DrawTextW(dc, s, n, &rect, format); });
}

bool GetTextExtentWide(HDC dc, std::wstring_view text, SIZE& size)
{
  return WideOrAnsi(
    text, [&](const char* s, int n) { return GetTextExtentPoint32A(dc, s, n, &size) != FALSE; },
    [&](const wchar_t* s, int n) { return GetTextExtentPoint32W(dc, s, n, &size) != FALSE; });
}

bool GetTextExtentExWide(HDC dc, std::wstring_view text, int maxExtent, int& fit, SIZE& size)
{
  fit = 0;
  return WideOrAnsi(
    text,
    [&](const char* s, int n) {
      int bytes = 0;
      if (!GetTextExtentExPointA(dc, s, n, maxExtent, &bytes, nullptr, &size)) return false;
      fit = CharsInAnsiBytes(text, bytes);
      return true;
    },
    [&](const wchar_t* s, int n) { return GetTextExtentExPointW(dc, s, n, maxExtent, &fit, nullptr, &size) != FALSE; });
}

DWORD GetTabbedExtentWide(HDC dc, std::wstring_view text, int tabCount, const int* tabStops)
{
  return WideOrAnsi(
    text, [&](const char* s, int n) { return GetTabbedTextExtentA(dc, s, n, tabCount, tabStops); },
    [&](const wchar_t* s, int n) { return GetTabbedTextExtentW(dc, s, n, tabCount, tabStops); });
}

LONG TabbedTextOutWide(HDC dc, int x, int y, std::wstring_view text, int tabCount, const int* tabStops, int tabOrigin)
{
  return WideOrAnsi(
    text.substr(0, 4096),
    [&](const char* s, int n) { return TabbedTextOutA(dc, x, y, s, n, tabCount, tabStops, tabOrigin); },
    [&](const wchar_t* s, int n) { return TabbedTextOutW(dc, x, y, s, n, tabCount, tabStops, tabOrigin); });
}

bool TextOutWide(HDC dc, int x, int y, std::wstring_view text)
{
  return WideOrAnsi(
    text, [&](const char* s, int n) { return TextOutA(dc, x, y, s, n) != FALSE; },
    [&](const wchar_t* s, int n) { return TextOutW(dc, x, y, s, n) != FALSE; });
}

bool ExtTextOutWide(HDC dc, int x, int y, UINT options, const RECT* rect, std::wstring_view text, const int* dx)
{
  // Character distances belong to the wide characters: the single-byte call goes without them.
  return WideOrAnsi(
    text, [&](const char* s, int n) { return ExtTextOutA(dc, x, y, options, rect, s, n, nullptr) != FALSE; },
    [&](const wchar_t* s, int n) { return ExtTextOutW(dc, x, y, options, rect, s, n, dx) != FALSE; });
}
