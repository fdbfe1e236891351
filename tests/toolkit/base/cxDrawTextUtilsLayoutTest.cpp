// The wide-text layout with a measuring procedure of fixed widths (10 per character, 20 per
// full-width character, tabs to multiples of 40), so that rows do not depend on the fonts: line
// ends, words, full-width Chinese text and closing punctuation, tabs, alignments, the row limit and
// the rect's height; the row storage; the characters' sets; and the platform measuring with its
// switch for long tabbed texts.
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>
#include "classlib/SysUtils.h"
#include "tests/support/DibSurface.h"
#include "tests/support/ScopedSeam.h"
#include "toolkit/base/cxDrawTextUtils.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr int RowPitch = 16;

int FixedCharWidth(wchar_t ch) { return IsFullWidthChar(0, ch) ? 20 : 10; }

// Fixed widths; counts its calls in the user data when there is one.
void FixedMeasure(HDC, std::wstring_view text, SIZE& size, void* userData, bool expandTabs)
{
  if (userData) ++*static_cast<int*>(userData);
  int x = 0;
  for (wchar_t ch : text) x = ch == L'\t' && expandTabs ? (x / 40 + 1) * 40 : x + FixedCharWidth(ch);
  size = SIZE{x, 13};
}

// The parameters of the flags outside an East Asian locale (so that character breaking is only on
// when asked), with a font of text height 13, a row pitch of 16 and an ellipsis 30 wide.
TcxTextParams LayoutParams(int flags)
{
  TScopedSeam farEast(SysLocale().FarEast, false);
  TDibSurface surface(1, 1);
  TcxTextParams params = PrepareTextParams(surface.DC(), flags);
  params.TextHeight = 13;
  params.RowHeight = RowPitch;
  params.EllipsisWidth = params.EndEllipsis ? 30 : 0;
  return params;
}

struct TLayout {
  std::vector<std::wstring> Rows;
  bool Fitted = false;
  int MeasureCalls = 0;
};

// Lays the text out without a device context: every width must come from the procedure.
TLayout Layout(std::wstring_view text, int flags, int width, int height = 1000, int maxRows = 0)
{
  TLayout result;
  TcxTextRows rows;
  int count = -1;
  result.Fitted = BuildTextRows(nullptr, text, FixedMeasure, &result.MeasureCalls, maxRows, count, rows,
                                LayoutParams(flags), RECT{0, 0, width, height});
  EXPECT_EQ(count, rows.Count());
  for (int i = 0; i < count; ++i) result.Rows.emplace_back(rows.Row(i).View());
  return result;
}

using TRows = std::vector<std::wstring>;
constexpr int WordBreak = CXTO_WORDBREAK;
}  // namespace

// --- Breaking ---

TEST(TextLayoutRows, BreakByLineEndsWordsAndCharacters)
{
  struct TCase {
    const wchar_t* Text;
    int Flags;
    int Width;
    TRows Rows;
  };
  const TCase cases[] = {
    // The space that wraps is left at the end of the first row, or skipped at the start of the next.
    {L"abc def", WordBreak, 30, {L"abc", L"def"}},
    {L"abc def", WordBreak, 50, {L"abc ", L"def"}},
    {L"abc def", WordBreak | CXTO_CENTER_HORIZONTALLY, 50, {L"abc", L"def"}},
    // Every alignment skips the space that would begin the next row, so that no empty row appears.
    {L"abc def", WordBreak | CXTO_RIGHT, 30, {L"abc", L"def"}},
    {L"abc def", WordBreak | CXTO_JUSTIFY_WRAPPED, 30, {L"abc", L"def"}},
    // Line ends of every kind end a row whatever the width; a lone CR or LF too.
    {L"a\r\nb", WordBreak, 1000, {L"a", L"b"}},
    {L"a\n\rb", WordBreak, 1000, {L"a", L"b"}},
    {L"a\rb\nc", 0, 1000, {L"a", L"b", L"c"}},
    {L"a\r\n\r\nb", 0, 1000, {L"a", L"", L"b"}},
    {L"a\r\n", 0, 1000, {L"a"}},
    // Without word break a row is a whole line.
    {L"abc def ghi", 0, 30, {L"abc def ghi"}},
    // A word wider than the row: cut between characters when breaking by characters or as an edit
    // control, else kept whole.
    {L"abcdefgh", WordBreak, 30, {L"abcdefgh"}},
    {L"abcdefgh", WordBreak | CXTO_EDITCONTROL, 30, {L"abc", L"def", L"gh"}},
    {L"abcdefgh", WordBreak | CXTO_CHARBREAK, 30, {L"abc", L"def", L"gh"}},
    {L"ab abcdefgh", WordBreak | CXTO_CHARBREAK, 40, {L"ab ", L"abcd", L"efgh"}},
    // The overflowing word before a line end: the line end begins an empty row, unless the end
    // ellipsis lets the word's row take it along.
    {L"abcdefgh\r\nxy", WordBreak, 30, {L"abcdefgh", L"", L"xy"}},
    {L"abcdefgh\r\nxy", WordBreak | CXTO_END_ELLIPSIS | CXTO_NOCLIP, 30, {L"abcdefgh", L"xy"}},
    // Full-width Chinese text breaks between any two characters; closing punctuation stays with the
    // character before it.
    {L"\u4E2D\u6587\u5B57\u7B26", WordBreak, 40, {L"\u4E2D\u6587", L"\u5B57\u7B26"}},
    {L"\u4E2D\u6587\u3002", WordBreak, 40, {L"\u4E2D", L"\u6587\u3002"}},
    {L"\u4E2D\u6587\uFF0C\u5B57", WordBreak, 40, {L"\u4E2D", L"\u6587\uFF0C", L"\u5B57"}},
    {L"\u4E2D)\u6587", WordBreak, 30, {L"\u4E2D)", L"\u6587"}},
    // A run of closing marks stays whole with the character before it.
    {L"\u4E2D\u6587\u3002\u300D\u5B57", WordBreak, 30, {L"\u4E2D", L"\u6587\u3002\u300D", L"\u5B57"}},
    {L"\u4E2D\u6587\u5B57\u3002\uFF09\u300D", WordBreak, 40, {L"\u4E2D\u6587", L"\u5B57\u3002\uFF09\u300D"}},
    {L"ab\uFF0C\u300D\u6587", WordBreak, 30, {L"ab\uFF0C\u300D", L"\u6587"}},
    {L"ab\u4E2D\u6587", WordBreak, 50, {L"ab\u4E2D", L"\u6587"}},
    // Full-width punctuation after a Latin word never begins the next row, also when the word is
    // cut between characters.
    {L"abcd\uFF0Cef", WordBreak, 40, {L"abcd\uFF0C", L"ef"}},
    {L"abcd\uFF0Cef", WordBreak | CXTO_CHARBREAK, 40, {L"abc", L"d\uFF0C", L"ef"}},
    // Tabs break like spaces; a right-aligned row loses the tab that ends it.
    {L"abc\tdef", WordBreak | CXTO_EXPANDTABS, 50, {L"abc\t", L"def"}},
    {L"abc\tdef", WordBreak | CXTO_EXPANDTABS | CXTO_RIGHT, 50, {L"abc", L"def"}},
    // Collapsing drops every space at the start of a wrapped row.
    {L"abc    def", WordBreak, 30, {L"abc", L"   ", L"def"}},
    {L"abc    def", WordBreak | CXTO_COLLAPSE_SPACES, 30, {L"abc", L"def"}},
  };
  for (const TCase& c : cases) {
    const TLayout layout = Layout(c.Text, c.Flags, c.Width);
    EXPECT_EQ(layout.Rows, c.Rows) << testing::PrintToString(std::wstring(c.Text)) << " flags " << c.Flags
                                   << " width " << c.Width;
  }
}

TEST(TextLayoutRows, RowsKeepTheirOffsetsAndMeasuredWidths)
{
  TcxTextRows rows;
  int count = 0;
  int calls = 0;
  ASSERT_TRUE(BuildTextRows(nullptr, L"ab cd\r\nefg", FixedMeasure, &calls, 0, count, rows, LayoutParams(WordBreak),
                            RECT{0, 0, 40, 100}));
  ASSERT_EQ(count, 3);
  const int offsets[] = {0, 3, 7};
  const int widths[] = {30, 20, 30};
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(rows.Row(i).StartOffset, offsets[i]) << i;
    EXPECT_EQ(rows.Row(i).Width, widths[i]) << i;
    EXPECT_EQ(rows.Row(i).Height, 13) << i;
  }
  EXPECT_GT(calls, 0);
}

TEST(TextLayoutRows, JustifiedRowsCountTheirBreaks)
{
  struct TCase {
    int Alignment;
    TRows Rows;
    std::vector<int> Breaks;
  };
  const TCase cases[] = {
    {CXTO_JUSTIFY_WRAPPED, {L"aa bb", L"cc dd"}, {1, 0}},
    {CXTO_JUSTIFY_ALL, {L"aa bb", L"cc dd"}, {1, 1}},
    {CXTO_LEFT, {L"aa bb ", L"cc dd"}, {0, 0}},
  };
  for (const TCase& c : cases) {
    TcxTextRows rows;
    int count = 0;
    BuildTextRows(nullptr, L"aa bb cc dd", FixedMeasure, nullptr, 0, count, rows,
                  LayoutParams(WordBreak | c.Alignment), RECT{0, 0, 60, 100});
    TRows texts;
    std::vector<int> breaks;
    for (int i = 0; i < count; ++i) {
      texts.emplace_back(rows.Row(i).View());
      breaks.push_back(rows.Row(i).BreakCount);
    }
    EXPECT_EQ(texts, c.Rows) << c.Alignment;
    EXPECT_EQ(breaks, c.Breaks) << c.Alignment;
  }
}

TEST(TextLayoutRows, TheRowLimitAndTheHeightDecideTheLastRow)
{
  const wchar_t* fiveLines = L"1\r\n2\r\n3\r\n4\r\n5";
  struct TCase {
    int Flags;
    int Height;
    int MaxRows;
    size_t Rows;
    bool Fitted;
  };
  const TCase cases[] = {
    {0, 1000, 2, 2, false},
    {0, 1000, 5, 5, true},
    {0, 1000, 0, 5, true},
    // Top alignment: rows are made while their top is inside the height (the last one may be cut).
    {0, 40, 0, 3, false},
    {0, 48, 0, 4, false},
    {0, 80, 0, 5, true},
    // As an edit control only wholly visible rows, unless nothing is clipped.
    {CXTO_EDITCONTROL, 40, 0, 2, false},
    {CXTO_EDITCONTROL | CXTO_NOCLIP, 40, 0, 3, false},
    // Other vertical alignments and the calculating modes look at the row limit only; the
    // calculating modes always report that the text fitted.
    {CXTO_BOTTOM, 40, 0, 5, true},
    {CXTO_CALCROWCOUNT, 40, 0, 5, true},
    {CXTO_CALCROWCOUNT, 40, 2, 2, true},
    // Single line: one row.
    {CXTO_SINGLELINE, 1000, 0, 1, false},
  };
  for (const TCase& c : cases) {
    const TLayout layout = Layout(fiveLines, c.Flags, 100, c.Height, c.MaxRows);
    EXPECT_EQ(layout.Rows.size(), c.Rows) << "flags " << c.Flags << " height " << c.Height << " max " << c.MaxRows;
    EXPECT_EQ(layout.Fitted, c.Fitted) << "flags " << c.Flags << " height " << c.Height << " max " << c.MaxRows;
  }
}

TEST(TextLayoutRows, SingleLineAndEllipsisRows)
{
  // A single line wider than the rect does not fit; calculating its rect takes the whole text.
  EXPECT_FALSE(Layout(L"abcdef", CXTO_SINGLELINE, 30).Fitted);
  EXPECT_TRUE(Layout(L"abc", CXTO_SINGLELINE, 30).Fitted);
  const TLayout calc = Layout(L"ab\r\ncd", CXTO_SINGLELINE | CXTO_CALCRECT, 10);
  EXPECT_EQ(calc.Rows, TRows{L"ab\r\ncd"});
  EXPECT_TRUE(calc.Fitted);
  // The last visible row that gets the ellipsis does not wrap at its words: it keeps the text the
  // ellipsis will shorten.
  // (A rect lower than one row makes the first row the last.)
  EXPECT_EQ(Layout(L"abc def ghi", WordBreak | CXTO_END_ELLIPSIS, 50, 10).Rows, TRows{L"abc def"});
  EXPECT_EQ(Layout(L"abc def ghi", WordBreak | CXTO_END_ELLIPSIS | CXTO_CHARBREAK, 50, 10).Rows, TRows{L"abc d"});
  EXPECT_EQ(Layout(L"abc def ghi", WordBreak, 50, 10).Rows, TRows{L"abc "});
  EXPECT_EQ(Layout(L"abc def ghi", WordBreak | CXTO_END_ELLIPSIS | CXTO_NOCLIP, 50, 10).Rows, TRows{L"abc "});
}

TEST(TextLayoutRows, TheEmptyTextHasNoRowsAndFits)
{
  const TLayout layout = Layout(L"", WordBreak, 100);
  EXPECT_TRUE(layout.Rows.empty());
  EXPECT_TRUE(layout.Fitted);
  EXPECT_EQ(layout.MeasureCalls, 0);
}

TEST(TextLayoutRows, EveryRowTakesACharacterInANegativeWidth)
{
  // A rect turned inside out must not stop the layout from advancing.
  EXPECT_EQ(Layout(L"ab\r\ncd", WordBreak | CXTO_CHARBREAK, -10).Rows, (TRows{L"a", L"b", L"", L"c", L"d"}));
  EXPECT_EQ(Layout(L"\r\nab", WordBreak, -10).Rows, (TRows{L"", L"ab"}));
}

// --- Positioning ---

TEST(TextLayoutPosition, HorizontalAlignments)
{
  struct TCase {
    int Flags;
    int X;
  };
  // A row 30 wide in a rect from 10 to 110, and one 140 wide.
  const TCase narrow[] = {{CXTO_LEFT, 10},           {CXTO_CENTER_HORIZONTALLY, 45}, {CXTO_RIGHT, 80},
                          {CXTO_JUSTIFY_WRAPPED, 10}, {CXTO_JUSTIFY_ALL, 10}};
  const TCase wide[] = {{CXTO_CENTER_HORIZONTALLY, -10},
                        {CXTO_RIGHT, -30},
                        {CXTO_CENTER_HORIZONTALLY | CXTO_PREVENT_LEFT_EXCEED, 10},
                        {CXTO_RIGHT | CXTO_PREVENT_LEFT_EXCEED, 10}};
  auto originX = [](int flags, int width) {
    TcxTextRows rows;
    rows.SetCount(1);
    rows.Row(0).Width = width;
    TcxTextParams params = LayoutParams(flags);
    PositionTextRows(nullptr, RECT{10, 0, 110, 100}, params, 1, rows);
    return rows.Row(0).TextOriginX;
  };
  for (const TCase& c : narrow) EXPECT_EQ(originX(c.Flags, 30), c.X) << c.Flags;
  for (const TCase& c : wide) EXPECT_EQ(originX(c.Flags, 140), c.X) << c.Flags;
}

TEST(TextLayoutPosition, VerticalAlignments)
{
  struct TCase {
    int Flags;
    int Count;
    int Height;
    std::vector<int> Tops;
  };
  const TCase cases[] = {
    {CXTO_TOP, 3, 100, {0, 16, 32}},
    {CXTO_CENTER_VERTICALLY, 3, 100, {26, 42, 58}},
    {CXTO_CENTER_VERTICALLY, 3, 47, {0, 16, 32}},  // (47 - 48) / 2 rounds toward zero
    {CXTO_BOTTOM, 3, 100, {52, 68, 84}},
    {CXTO_BOTTOM, 3, 40, {-8, 8, 24}},
    {CXTO_BOTTOM | CXTO_PREVENT_TOP_EXCEED, 3, 40, {0, 16, 32}},
    // Spread: the gap of height - text height over the rows, the remainder one pixel each to the
    // first rows.
    {CXTO_SPREAD_VERTICALLY, 3, 100, {0, 44, 87}},
    {CXTO_SPREAD_VERTICALLY, 4, 100, {0, 29, 58, 87}},
    {CXTO_SPREAD_VERTICALLY, 1, 100, {0}},
    // Too little room to spread: the rows stay at the pitch from the top.
    {CXTO_SPREAD_VERTICALLY, 3, 30, {0, 16, 32}},
  };
  for (const TCase& c : cases) {
    TcxTextRows rows;
    rows.SetCount(c.Count);
    TcxTextParams params = LayoutParams(c.Flags);
    PositionTextRows(nullptr, RECT{0, 0, 100, c.Height}, params, c.Count, rows);
    std::vector<int> tops;
    for (int i = 0; i < c.Count; ++i) tops.push_back(rows.Row(i).TextOriginY);
    EXPECT_EQ(tops, c.Tops) << "flags " << c.Flags << " rows " << c.Count << " height " << c.Height;
  }
}

TEST(TextLayoutPosition, TextRectIndentsAndLongestRow)
{
  TcxTextParams params = LayoutParams(CXTO_AUTOINDENTS);
  params.OnePixel = 2;
  const RECT rect{0, 0, 100, 50};
  const RECT inset = InsetTextRect(rect, params, 3, 5);
  EXPECT_EQ(inset.left, 4 + 6);
  EXPECT_EQ(inset.top, 4);
  EXPECT_EQ(inset.right, 100 - 4 - 10);
  EXPECT_EQ(inset.bottom, 46);
  const RECT back = OutsetTextRect(inset, params, 3, 5);
  EXPECT_TRUE(EqualRect(&back, &rect));

  EXPECT_TRUE(CanLayOutText(LayoutParams(0), RECT{0, 0, 1, 1}));
  EXPECT_FALSE(CanLayOutText(LayoutParams(0), RECT{0, 0, 1, 0}));
  EXPECT_FALSE(CanLayOutText(LayoutParams(0), RECT{0, 0, 0, 10}));
  EXPECT_TRUE(CanLayOutText(LayoutParams(CXTO_CALCRECT), RECT{0, 0, 1, 0}));

  TcxTextRows rows;
  rows.SetCount(3);
  rows.Row(0).Width = 10;
  rows.Row(1).Width = 30;
  rows.Row(2).Width = 50;
  EXPECT_EQ(GetLongestRowWidth(rows, 2), 30);
  EXPECT_EQ(GetLongestRowWidth(rows, 10), 50);
}

// --- Row storage ---

TEST(TextRowStorage, RowsBeyondThirtyTwoLiveInTheDynamicArray)
{
  TcxTextRows rows;
  rows.SetCount(40);
  EXPECT_EQ(rows.DynamicCapacity(), 12u);
  for (int i = 0; i < 40; ++i) rows.Row(i).StartOffset = i;
  for (int i = 0; i < 40; ++i) EXPECT_EQ(rows.Row(i).StartOffset, i);
  // Growing by one within the spare rows keeps the array; the new last row starts empty.
  rows.Row(39).Width = 7;
  rows.SetCount(39);
  rows.SetCount(41);
  EXPECT_EQ(rows.DynamicCapacity(), 12u);
  EXPECT_EQ(rows.Row(40).Width, 0);
  rows.SetCount(45);
  EXPECT_EQ(rows.DynamicCapacity(), 17u);
  EXPECT_THROW(rows.Row(45), EListError);
}

TEST(TextRowStorage, ACountOfZeroTouchesNoRow)
{
  TcxTextRows rows;
  rows.SetCount(1);
  rows.Row(0).Width = 5;
  rows.SetCount(0);
  EXPECT_EQ(rows.Count(), 0);
  rows.SetCount(2);
  EXPECT_EQ(rows.Row(0).Width, 5) << "only the new last row is cleared";
  EXPECT_THROW(rows.SetCount(-1), EListError);
  EXPECT_EQ(rows.Count(), 2);
}

// --- Characters and word breaks ---

TEST(TextLayoutChars, NoBreakBeforeAndFullWidthSets)
{
  for (wchar_t ch : {L'!', L')', L',', L'.', L'?', L']', L'}', L'\u00B7', L'\u2019', L'\u3001', L'\u3002',
                     L'\u300B', L'\uFF01', L'\uFF0C', L'\uFF1F', L'\uFFE0', L'\uFFFF'})
    EXPECT_TRUE(IsNoBreakBeforeChar(ch)) << int(ch);
  for (wchar_t ch : {L'a', L'(', L'[', L'\u2017', L'\u3000', L'\u300A', L'\u4E2D', L'\uFF08'})
    EXPECT_FALSE(IsNoBreakBeforeChar(ch)) << int(ch);

  for (wchar_t ch : {L'\u4E2D', L'\u3042', L'\u30A2', L'\uAC00', L'\u3002', L'\uFF0C'})
    EXPECT_TRUE(IsFullWidthChar(0, ch)) << int(ch);
  for (wchar_t ch : {L'a', L'(', L'\u007F'}) EXPECT_FALSE(IsFullWidthChar(0, ch)) << int(ch);
  // Outside the ideograph ranges the code page decides: the ideographic full stop is one byte in none
  // of the Latin code pages.
  EXPECT_FALSE(IsFullWidthChar(1252, L'\u3002'));
  EXPECT_TRUE(IsFullWidthChar(1252, L'\u4E2D'));
}

TEST(TextLayoutChars, NextWordBreak)
{
  struct TCase {
    const wchar_t* Text;
    size_t Break;
  };
  const TCase cases[] = {
    {L"abc def", 3},       {L" abc", 1},         {L"\tabc", 1},          {L"abc\r\n", 3},
    {L"\r\nabc", 0},       {L"abc", 3},          {L"", 0},               {L"\u4E2D\u6587", 1},
    {L"\u4E2D\u3002x", 2}, {L"ab\u4E2D", 2},     {L"ab\uFF0Ccd", 3},     {L"\u4E2D)x", 2},
    {L"\u4E2D\u3002\u300Dx", 3}, {L"ab\uFF0C\u300D\uFF09cd", 5},
  };
  for (const TCase& c : cases) {
    const std::wstring text = c.Text;
    const wchar_t* begin = text.data();
    EXPECT_EQ(static_cast<size_t>(FindNextWordBreak(0, begin, begin + text.size()) - begin), c.Break)
      << testing::PrintToString(text);
  }
}

TEST(TextLayoutChars, FitWordPrefixBisects)
{
  struct TCase {
    const wchar_t* Text;
    int Width;
    int Fit;
  };
  const TCase cases[] = {{L"abcdef", 35, 3}, {L"abcdef", 30, 3}, {L"abcdef", 5, 1},     {L"abcdef", 60, 6},
                         {L"abcdef", 1000, 6}, {L"", 10, 0},     {L"\u4E2Dab", 25, 1}, {L"\u4E2Dab", 30, 2}};
  for (const TCase& c : cases)
    EXPECT_EQ(FitWordPrefix(nullptr, c.Text, FixedMeasure, nullptr, false, c.Width), c.Fit)
      << testing::PrintToString(std::wstring(c.Text)) << " in " << c.Width;
}

// --- Parameters and platform measuring ---

TEST(TextLayoutParams, FlagsFontAndDeviceGiveTheParameters)
{
  TDibSurface surface(10, 10);
  HFONT font = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ old = SelectObject(surface.DC(), font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(surface.DC(), &metrics);

  {
    TScopedSeam farEast(SysLocale().FarEast, false);
    const TcxTextParams p = PrepareTextParams(surface.DC(), CXTO_RIGHT | CXTO_BOTTOM | CXTO_WORDBREAK |
                                                              CXTO_END_ELLIPSIS | CXTO_HIDEPREFIX, 1.5);
    EXPECT_EQ(p.HorzAlignment, TcxTextHorzAlignment::Right);
    EXPECT_EQ(p.VertAlignment, TcxTextVertAlignment::Bottom);
    EXPECT_TRUE(p.WordBreak && p.EndEllipsis && p.HidePrefix);
    EXPECT_FALSE(p.SingleLine || p.CharBreak || p.PatternedText || p.ExpandTabs);
    EXPECT_TRUE(p.Bold);
    EXPECT_EQ(p.TextHeight, metrics.tmHeight);
    EXPECT_EQ(p.RowHeight, static_cast<int>(std::lround(metrics.tmHeight * 1.5)));
    EXPECT_EQ(p.OnePixel, 1);
    SIZE dots{};
    GetTextExtentPoint32W(surface.DC(), L"...", 3, &dots);
    EXPECT_EQ(p.EllipsisWidth, dots.cx);
    // Patterned text stays off for a font of readable height.
    EXPECT_FALSE(PrepareTextParams(surface.DC(), CXTO_PATTERNEDTEXT).PatternedText);
    EXPECT_EQ(PrepareTextParams(surface.DC(), 0).EllipsisWidth, 0);
  }
  // In an East Asian locale characters always break.
  {
    TScopedSeam farEast(SysLocale().FarEast, true);
    EXPECT_TRUE(PrepareTextParams(surface.DC(), 0).CharBreak);
  }
  // One device pixel is two logical units when the mapping halves the device.
  SetMapMode(surface.DC(), MM_ANISOTROPIC);
  SetWindowExtEx(surface.DC(), 2, 2, nullptr);
  SetViewportExtEx(surface.DC(), 1, 1, nullptr);
  EXPECT_EQ(PrepareTextParams(surface.DC(), 0).OnePixel, 2);
  SetMapMode(surface.DC(), MM_TEXT);

  SelectObject(surface.DC(), old);
  DeleteObject(font);
}

class PlatformMeasuring : public testing::Test {
protected:
  void SetUp() override
  {
    // Wide enough that 1000 characters outgrow the 16 bits of the tabbed extent.
    FFont = CreateFontW(-120, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                        FIXED_PITCH, L"Courier New");
    FOld = SelectObject(FSurface.DC(), FFont);
  }
  void TearDown() override
  {
    SelectObject(FSurface.DC(), FOld);
    DeleteObject(FFont);
  }
  HDC DC() { return FSurface.DC(); }
  SIZE Measure(std::wstring_view text, bool expandTabs)
  {
    SIZE size{};
    MeasureWideTextExtents(DC(), text, size, expandTabs);
    return size;
  }

  TDibSurface FSurface{10, 10};
  HFONT FFont = nullptr;
  HGDIOBJ FOld = nullptr;
};

TEST_F(PlatformMeasuring, TabbedTextsWiderThanSixteenBitsKeepTheirWidth)
{
  SIZE w{};
  GetTextExtentPoint32W(DC(), L"W", 1, &w);
  ASSERT_GT(w.cx * 1000, 0xFFFF) << "the font must make 1000 characters wider than 16 bits";
  // Texts without tabs measure alike with and without tab expansion, also beyond the 16 bits of the
  // tabbed extent.
  for (size_t length : {size_t(10), size_t(1000)}) {
    const std::wstring text(length, L'W');
    const SIZE plain = Measure(text, false);
    const SIZE tabbed = Measure(text, true);
    EXPECT_EQ(tabbed.cx, plain.cx) << length;
    EXPECT_EQ(tabbed.cy, plain.cy) << length;
  }
  // A tab adds room up to the next default stop.
  EXPECT_GT(Measure(L"a\tb", true).cx, Measure(L"ab", true).cx);
  EXPECT_EQ(Measure(L"", false).cx, 0);
}

TEST_F(PlatformMeasuring, TabbedTextsOfMoreThan4095CharactersAreMeasuredByDrawText)
{
  for (size_t length : {size_t(4096), size_t(5000)}) {
    std::wstring text(length, L'W');
    text[length / 2] = L'\t';
    RECT r{};
    const int height = DrawTextW(DC(), text.data(), static_cast<int>(length), &r,
                                 DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_EXPANDTABS);
    const SIZE size = Measure(text, true);
    EXPECT_EQ(size.cx, r.right - r.left) << length;
    EXPECT_EQ(size.cy, height) << length;
  }
}

TEST(WideTextCalls, SingleByteCallsOnTheNinetyFiveFamilyAgree)
{
  TDibSurface surface(10, 10);
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun");
  HGDIOBJ old = SelectObject(surface.DC(), font);
  const std::wstring text = L"\u4E2D\u6587ab\u5B57";
  SIZE wideSize{};
  ASSERT_TRUE(GetTextExtentWide(surface.DC(), text, wideSize));
  int wideFit = 0;
  SIZE wideEx{};
  ASSERT_TRUE(GetTextExtentExWide(surface.DC(), text, wideSize.cx * 3 / 5, wideFit, wideEx));
  {
    TScopedSeam win9x(Win9xPlatform, true);
    SIZE ansiSize{};
    EXPECT_TRUE(GetTextExtentWide(surface.DC(), text, ansiSize));
    EXPECT_EQ(ansiSize.cx, wideSize.cx);
    int ansiFit = 0;
    SIZE ansiEx{};
    EXPECT_TRUE(GetTextExtentExWide(surface.DC(), text, wideSize.cx * 3 / 5, ansiFit, ansiEx));
    EXPECT_EQ(ansiFit, wideFit) << "the fit counts characters, not bytes";
    EXPECT_EQ(LOWORD(GetTabbedExtentWide(surface.DC(), text)), wideSize.cx);
  }
  SelectObject(surface.DC(), old);
  DeleteObject(font);
}
