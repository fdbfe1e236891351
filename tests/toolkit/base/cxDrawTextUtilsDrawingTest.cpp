// Output of laid-out rows on a DIB surface: highlighted ranges checked as rectangles (on texts of
// spaces, which draw no glyphs), Chinese and right-to-left highlight positions, the caller's clip
// region after a highlighted draw, the pattern bands' pixels, the end ellipsis, the calculating
// modes, and the DC's state and GDI objects after a call.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "classlib/Graphics.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxDrawTextUtils.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Gray = RGB(128, 128, 128);

class TextOutput : public testing::Test {
protected:
  void SetUp() override { UseFont(-16, FW_NORMAL, DEFAULT_CHARSET, L"Arial"); }
  void TearDown() override { UseFont(0, 0, 0, nullptr); }

  // Selects a font without anti-aliasing (nothing for a height of 0).
  void UseFont(int height, int weight, BYTE charset, const wchar_t* face)
  {
    if (FOldFont) SelectObject(DC(), FOldFont);
    FOldFont = nullptr;
    FFont.Reset();
    if (height == 0) return;
    FFont.Reset(CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, charset, 0, 0, NONANTIALIASED_QUALITY, 0, face));
    FOldFont = SelectObject(DC(), FFont.Get());
  }
  HDC DC() const { return FSurface.DC(); }
  int TextWidth(std::wstring_view text)
  {
    SIZE size{};
    GetTextExtentPoint32W(DC(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int TextHeight()
  {
    TEXTMETRICW metrics{};
    GetTextMetricsW(DC(), &metrics);
    return metrics.tmHeight;
  }
  static TcxDrawWideTextOptions Highlight(int start, int length, TColor textColor = clNone, TColor backColor = clRed)
  {
    TcxDrawWideTextOptions options;
    options.Highlight = TcxTextHighlight{start, length, textColor, backColor};
    return options;
  }
  // Lays the text out in the rect by the flags, as DrawWideTextInRect does.
  TcxTextParams LayOut(std::wstring_view text, const RECT& rect, int flags, TcxTextRows& rows, int& count,
                       bool& fitted, int maxRows = 0)
  {
    TcxTextParams params = PrepareTextParams(DC(), flags);
    fitted = BuildTextRows(DC(), text, MeasureTextExtentsForRows, nullptr, maxRows, count, rows, params, rect);
    PositionTextRows(DC(), rect, params, count, rows);
    return params;
  }

  TDibSurface FSurface{300, 100};
  TFontHandle FFont;
  HGDIOBJ FOldFont = nullptr;
};
}  // namespace

// --- Highlighted ranges ---

TEST_F(TextOutput, HighlightedRangesFillTheirCharactersRects)
{
  const std::wstring spaces(10, L' ');
  const RECT rect{10, 10, 290, 60};
  struct TCase {
    int Start, Length;
    int From, To;  // the characters expected under the highlight (none when equal)
  };
  const TCase cases[] = {
    {2, 3, 2, 5}, {0, 10, 0, 10}, {8, 5, 8, 10},  // cut at the text's end
    {-1, 3, 0, 0}, {10, 2, 0, 0}, {11, 1, 0, 0},  // starts outside the text highlight nothing
    {4, 0, 0, 0},  {4, -2, 0, 0},
  };
  for (const TCase& c : cases) {
    FSurface.Fill(White);
    RECT r = rect;
    DrawWideTextInRect(DC(), spaces, r, 0, Highlight(c.Start, c.Length));
    const RECT expected{rect.left + TextWidth(spaces.substr(0, c.From)), rect.top,
                        rect.left + TextWidth(spaces.substr(0, c.To)), rect.top + TextHeight()};
    EXPECT_TRUE(FSurface.ExactlyFills(c.From < c.To ? expected : RECT{}, Red))
      << c.Start << "+" << c.Length << ": red in " << FSurface.Extent(Red) << ", expected " << expected;
  }
}

TEST_F(TextOutput, AHighlightOverSeveralRowsFillsEachRowsPart)
{
  // Offsets: row one 0..4, the line end 5 and 6, row two 7..11.
  const std::wstring text = L"     \r\n     ";
  RECT r{10, 10, 290, 90};
  DrawWideTextInRect(DC(), text, r, 0, Highlight(3, 6));
  const int pitch = TextHeight();
  const RECT first{10 + TextWidth(L"   "), 10, 10 + TextWidth(L"     "), 10 + pitch};
  const RECT second{10, 10 + pitch, 10 + TextWidth(L"  "), 10 + 2 * pitch};
  EXPECT_EQ(FSurface.Count(first, Red), RectWidth(first) * pitch);
  EXPECT_EQ(FSurface.Count(second, Red), RectWidth(second) * pitch);
  EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, Red), (RectWidth(first) + RectWidth(second)) * pitch);
}

TEST_F(TextOutput, HighlightedCharactersTakeTheHighlightTextColour)
{
  const std::wstring text = L"WWWWWWWW";
  RECT r{10, 10, 290, 60};
  DrawWideTextInRect(DC(), text, r, 0, Highlight(2, 3, clBlue, clRed));
  const RECT highlight{10 + TextWidth(L"WW"), 10, 10 + TextWidth(L"WWWWW"), 10 + TextHeight()};
  const RECT blue = FSurface.Extent(Blue);
  EXPECT_GT(FSurface.Count(highlight, Blue), 0);
  EXPECT_TRUE(blue.left >= highlight.left && blue.right <= highlight.right) << blue << " in " << highlight;
  EXPECT_EQ(FSurface.Count(highlight, Black), 0);
  EXPECT_GT(FSurface.Count(RECT{0, 0, highlight.left, 100}, Black), 0);
  EXPECT_GT(FSurface.Count(RECT{highlight.right, 0, 300, 100}, Black), 0);
}

TEST_F(TextOutput, ChineseTextIsHighlightedLeftToRightAndArabicTextFromTheRight)
{
  // Ideographic spaces in a Chinese font: the first character's highlight is at the row's start.
  UseFont(-16, FW_NORMAL, GB2312_CHARSET, L"SimSun");
  const std::wstring chinese(4, L'\u3000');
  RECT r{10, 10, 290, 60};
  DrawWideTextInRect(DC(), chinese, r, 0, Highlight(0, 1));
  EXPECT_TRUE(FSurface.ExactlyFills(RECT{10, 10, 10 + TextWidth(chinese.substr(0, 1)), 10 + TextHeight()}, Red))
    << FSurface.Extent(Red);

  // No-break spaces of a right-to-left character set: measured from the row's right end.
  FSurface.Fill(White);
  UseFont(-16, FW_NORMAL, DEFAULT_CHARSET, L"Arial");
  const std::wstring arabic(4, L'\u00A0');
  const RECT rect{10, 10, 290, 60};
  TcxTextRows rows;
  int count = 0;
  bool fitted = false;
  TcxTextParams params = LayOut(arabic, rect, 0, rows, count, fitted);
  params.CharSet = ARABIC_CHARSET;
  DrawTextRowsHighlighted(DC(), rect, params, !fitted, TcxTextHighlight{0, 1, clNone, clRed}, count, rows);
  const int right = 10 + TextWidth(arabic);
  EXPECT_TRUE(FSurface.ExactlyFills(RECT{right - TextWidth(arabic.substr(0, 1)), 10, right, 10 + TextHeight()}, Red))
    << FSurface.Extent(Red);
}

TEST_F(TextOutput, AHighlightThatReachesTheEllipsisCoversIt)
{
  const std::wstring spaces(60, L' ');
  const RECT rect{10, 10, 110, 60};
  TcxTextRows rows;
  int count = 0;
  bool fitted = false;
  const TcxTextParams params = LayOut(spaces, rect, CXTO_SINGLELINE | CXTO_END_ELLIPSIS, rows, count, fitted);
  ASSERT_EQ(count, 1);
  DrawTextRowsHighlighted(DC(), rect, params, !fitted, TcxTextHighlight{0, 60, clBlue, clRed}, count, rows);
  const TcxTextRow& row = rows.Row(0);
  ASSERT_LT(row.TextLength, 60) << "the row is cut for the ellipsis";
  const RECT covered{10, 10, std::min<int>(10 + row.Width + params.EllipsisWidth, 110), 10 + params.RowHeight};
  const RECT red = FSurface.Extent(Red);
  EXPECT_TRUE(EqualRect(&red, &covered)) << red << ", expected " << covered;
  EXPECT_GT(FSurface.Count(covered, Blue), 0) << "the ellipsis in the highlight text colour";
  EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, Black), 0);
}

// --- The caller's clip region ---

TEST_F(TextOutput, AHighlightedDrawLeavesTheCallersClipRegionAsItWas)
{
  struct TCase {
    const char* Name;
    bool CallerClip;
    RECT Rect;
    int Flags;
  };
  const TCase cases[] = {
    {"row inside, no caller clip", false, RECT{10, 10, 290, 60}, 0},
    {"row inside, caller clip", true, RECT{10, 10, 290, 60}, 0},
    {"row clipped, no caller clip", false, RECT{10, 10, 290, 15}, 0},
    {"row clipped, caller clip", true, RECT{10, 10, 290, 15}, 0},
    {"no clipping", true, RECT{10, 10, 290, 15}, CXTO_NOCLIP},
    {"ellipsis", true, RECT{10, 10, 40, 60}, CXTO_END_ELLIPSIS | CXTO_SINGLELINE},
  };
  for (const TCase& c : cases) {
    TRegionHandle callerClip(CreateRectRgn(5, 5, 250, 80));
    SelectClipRgn(DC(), c.CallerClip ? callerClip.Get() : nullptr);
    const int before = LiveGdiObjects();
    RECT r = c.Rect;
    DrawWideTextInRect(DC(), L"abcdefgh", r, c.Flags, Highlight(1, 3, clBlue));
    EXPECT_EQ(LiveGdiObjects(), before) << c.Name;
    TRegionHandle after(CreateRectRgn(0, 0, 0, 0));
    const int hasClip = GetClipRgn(DC(), after.Get());
    if (c.CallerClip)
      EXPECT_TRUE(hasClip == 1 && EqualRgn(after.Get(), callerClip.Get())) << c.Name;
    else
      EXPECT_EQ(hasClip, 0) << c.Name;
    SelectClipRgn(DC(), nullptr);
  }
}

TEST_F(TextOutput, ClipSavingHelpersRoundTrip)
{
  TRegionHandle saved = IntersectClipSaving(DC(), RECT{0, 0, 50, 50});
  EXPECT_FALSE(saved) << "the DC had no clip region";
  RECT box{};
  EXPECT_EQ(GetClipBox(DC(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 50);
  RestoreSavedClip(DC(), saved);
  TRegionHandle none(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(DC(), none.Get()), 0);

  IntersectClipRect(DC(), 0, 0, 100, 100);
  saved = IntersectClipSaving(DC(), RECT{10, 10, 20, 20});
  ASSERT_TRUE(saved);
  RestoreSavedClip(DC(), saved);
  EXPECT_FALSE(saved);
  GetClipBox(DC(), &box);
  EXPECT_EQ(box.right, 100);
  SelectClipRgn(DC(), nullptr);

  EXPECT_FALSE(IsMetafileDC(DC()));
  HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(IsMetafileDC(metafile));
  DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
}

// --- Pattern bands ---

TEST_F(TextOutput, LowTextIsDrawnAsPatternBands)
{
  struct TCase {
    int Weight;
    bool Checkerboard;
  };
  for (const TCase c : {TCase{FW_NORMAL, true}, TCase{FW_BOLD, false}}) {
    UseFont(5, c.Weight, DEFAULT_CHARSET, L"Arial");
    ASSERT_LT(TextHeight(), 6);
    FSurface.Fill(Gray);
    SetTextColor(DC(), Black);
    RECT r{10, 10, 200, 60};
    DrawWideTextInRect(DC(), L"abc\r\nab", r, CXTO_PATTERNEDTEXT);
    const int pitch = TextHeight();
    // Each row's band: the row less one pixel at top and bottom, as wide as the row's text.
    const RECT bands[] = {{10, 11, 10 + TextWidth(L"abc"), 10 + pitch - 1},
                          {10, 11 + pitch, 10 + TextWidth(L"ab"), 10 + 2 * pitch - 1}};
    const COLORREF window = ColorToRGB(clWindow);
    int inBands = 0;
    for (const RECT& band : bands) {
      ASSERT_FALSE(IsRectEmpty(&band));
      for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) {
          const COLORREF expected = !c.Checkerboard || (x + y) % 2 == 0 ? Black : window;
          ASSERT_EQ(ColorText(FSurface.Pixel(x, y)), ColorText(expected)) << x << ", " << y << " weight " << c.Weight;
          ++inBands;
        }
    }
    EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, Gray), 300 * 100 - inBands) << "nothing outside the bands";
  }
  EXPECT_NE(cxPatternBrush(false), nullptr);
  EXPECT_NE(cxPatternBrush(true), nullptr);
  EXPECT_NE(cxPatternBrush(false), cxPatternBrush(true));
}

// --- End ellipsis ---

TEST_F(TextOutput, TheLastRowShowsTheEllipsisAfterTheCharactersThatFitWithIt)
{
  const std::wstring text = L"abc def abc def abc def";
  const RECT rect{10, 10, 10 + TextWidth(L"abc def"), 90};
  TcxTextRows rows;
  int count = 0;
  bool fitted = true;
  const TcxTextParams params =
    LayOut(text, rect, CXTO_WORDBREAK | CXTO_END_ELLIPSIS, rows, count, fitted, 2);
  ASSERT_EQ(count, 2);
  ASSERT_FALSE(fitted);
  ASSERT_EQ(rows.Row(1).View(), L"abc def");
  DrawTextRowsHighlighted(DC(), rect, params, !fitted, TcxTextHighlight{}, count, rows);
  const TcxTextRow& last = rows.Row(1);
  ASSERT_LT(last.TextLength, 7) << "the row is cut for the ellipsis";
  const int width = RectWidth(rect);
  EXPECT_LE(last.Width + params.EllipsisWidth, width);
  EXPECT_GT(TextWidth(std::wstring_view(last.Text, last.TextLength + 1)) + params.EllipsisWidth, width);
  // The dots right after the row's characters, nothing beyond them.
  const int dotsLeft = last.TextOriginX + last.Width;
  const RECT dots{dotsLeft, last.TextOriginY, dotsLeft + params.EllipsisWidth, last.TextOriginY + params.RowHeight};
  EXPECT_GT(FSurface.Count(dots, Black), 0);
  EXPECT_EQ(FSurface.Count(RECT{dots.right, dots.top, 300, dots.bottom}, Black), 0);
  EXPECT_EQ(FSurface.Count(RECT{0, last.TextOriginY + params.RowHeight, 300, 100}, Black), 0);
}

TEST_F(TextOutput, TheEllipsisFollowsACentredRow)
{
  // Spaces draw nothing, so the only dark pixels are the dots.
  const std::wstring spaces(6, L' ');
  const RECT rect{10, 10, 290, 60};
  TcxTextRows rows;
  int count = 0;
  bool fitted = false;
  const TcxTextParams params = LayOut(spaces, rect, CXTO_CENTER_HORIZONTALLY | CXTO_END_ELLIPSIS, rows, count, fitted);
  ASSERT_EQ(count, 1);
  DrawTextRowsHighlighted(DC(), rect, params, true, TcxTextHighlight{}, count, rows);
  const TcxTextRow& row = rows.Row(0);
  ASSERT_GT(row.TextOriginX, rect.left);
  const RECT dots = FSurface.Extent(Black);
  EXPECT_GE(dots.left, row.TextOriginX + row.Width) << dots;
  EXPECT_LE(dots.right, row.TextOriginX + row.Width + params.EllipsisWidth) << dots;
}

// A row too wide for the rect is shortened for the ellipsis and placed again by its alignment, so
// that the whole ellipsis shows inside the rect whatever the alignment.
TEST_F(TextOutput, AnOverflowingRowShowsItsWholeEllipsisWhereItsAlignmentPutsIt)
{
  // Spaces draw nothing: the only dark pixels are the dots.
  const std::wstring spaces(60, L' ');
  RECT reference{0, 0, 300, 100};
  DrawWideTextInRect(DC(), L"...", reference, CXTO_SINGLELINE | CXTO_NOCLIP);
  const int dotPixels = FSurface.Count(RECT{0, 0, 300, 100}, Black);
  ASSERT_GT(dotPixels, 0);
  struct TCase {
    const char* Name;
    int Flags;
  };
  for (const TCase& c : {TCase{"left", 0}, TCase{"centre", CXTO_CENTER_HORIZONTALLY}, TCase{"right", CXTO_RIGHT}}) {
    SCOPED_TRACE(c.Name);
    FSurface.Fill(White);
    RECT rect{10, 10, 110, 40};
    DrawWideTextInRect(DC(), spaces, rect, CXTO_SINGLELINE | CXTO_END_ELLIPSIS | c.Flags);
    EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, Black), dotPixels);
    const RECT dots = FSurface.Extent(Black);
    const int before = dots.left - rect.left, after = rect.right - dots.right;
    // The shortened row and its dots fill the rect, up to less than a character.
    EXPECT_GE(before, 0) << dots;
    EXPECT_GE(after, 0) << dots;
    EXPECT_LE(after, TextWidth(L" ") + 2) << dots;
  }
}

TEST_F(TextOutput, ALeftAlignedRowTooNarrowForACharacterKeepsOne)
{
  TcxTextParams params = PrepareTextParams(DC(), CXTO_END_ELLIPSIS);
  const std::wstring text = L"abc";
  for (int alignment : {CXTO_LEFT, CXTO_RIGHT}) {
    params.HorzAlignment = static_cast<TcxTextHorzAlignment>(alignment);
    TcxTextRow row;
    row.Text = text.data();
    row.TextLength = 3;
    int available = params.EllipsisWidth + 1;
    CutRowForEllipsis(DC(), row, params, nullptr, available);
    EXPECT_EQ(available, 1);
    EXPECT_EQ(row.TextLength, alignment == CXTO_LEFT ? 1 : 0);
    EXPECT_EQ(row.Width, TextWidth(text.substr(0, row.TextLength)));
  }
  // A row without characters gains none.
  params.HorzAlignment = TcxTextHorzAlignment::Left;
  TcxTextRow empty;
  empty.Text = text.data() + text.size();
  int available = 0;
  CutRowForEllipsis(DC(), empty, params, nullptr, available);
  EXPECT_EQ(empty.TextLength, 0);
}

// --- Calculating, empty texts and the DC's state ---

TEST_F(TextOutput, CalculatingModesMeasureWithoutDrawing)
{
  const std::wstring text = L"ab\r\nabcd\r\na";
  const int pitch = TextHeight();
  RECT r{10, 10, 290, 90};
  EXPECT_EQ(DrawWideTextInRect(DC(), text, r, CXTO_CALCRECT), 2 * pitch + pitch);
  const RECT expected{10, 10, 10 + TextWidth(L"abcd"), 10 + 3 * pitch};
  EXPECT_TRUE(EqualRect(&r, &expected)) << r << ", expected " << expected;

  TcxDrawWideTextOptions options;
  options.MaxRowCount = 2;
  r = RECT{10, 10, 290, 90};
  DrawWideTextInRect(DC(), text, r, CXTO_CALCRECT, options);
  EXPECT_EQ(r.bottom, 10 + 2 * pitch);
  // Automatic indents: the rect comes back with them.
  r = RECT{10, 10, 290, 90};
  DrawWideTextInRect(DC(), text, r, CXTO_CALCRECT | CXTO_AUTOINDENTS);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 10 + TextWidth(L"abcd") + 4);
  EXPECT_EQ(r.bottom, 10 + 3 * pitch + 4);

  r = RECT{10, 10, 290, 90};
  EXPECT_EQ(DrawWideTextInRect(DC(), text, r, CXTO_CALCROWCOUNT), 3);
  EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, White), 300 * 100);
}

TEST_F(TextOutput, NothingToDrawGivesZero)
{
  struct TCase {
    const wchar_t* Text;
    RECT Rect;
    int Flags;
  };
  const TCase cases[] = {
    {L"", RECT{10, 10, 290, 90}, 0},
    {L"&", RECT{10, 10, 290, 90}, CXTO_HIDEPREFIX},
    {L"abc", RECT{10, 10, 10, 90}, 0},
    {L"abc", RECT{10, 10, 290, 10}, 0},
    {L"abc", RECT{10, 10, 14, 90}, CXTO_AUTOINDENTS},
  };
  for (const TCase& c : cases) {
    RECT r = c.Rect;
    EXPECT_EQ(DrawWideTextInRect(DC(), c.Text, r, c.Flags), 0) << testing::PrintToString(std::wstring(c.Text));
  }
  EXPECT_EQ(FSurface.Count(RECT{0, 0, 300, 100}, White), 300 * 100);
  // The prefix marks go before the layout: "&&" leaves one "&".
  RECT r{10, 10, 290, 90};
  EXPECT_EQ(DrawWideTextInRect(DC(), L"&&", r, CXTO_HIDEPREFIX | CXTO_CALCRECT), TextHeight());
  EXPECT_EQ(RectWidth(r), TextWidth(L"&"));
}

TEST_F(TextOutput, TheDCsStateIsPutBack)
{
  auto font = MakeOwned<TFont>();
  font->SetName("Arial");
  font->SetHeight(-30);
  font->SetColor(clGreen);
  font->Handle();
  SetTextColor(DC(), Blue);
  SetBkMode(DC(), OPAQUE);
  const HGDIOBJ oldFont = GetCurrentObject(DC(), OBJ_FONT);
  const int before = LiveGdiObjects();

  TcxDrawWideTextOptions options = Highlight(0, 2, clWhite, clRed);
  options.Font = font.get();
  RECT r{10, 10, 290, 90};
  const int height = DrawWideTextInRect(DC(), L"WaWW", r, CXTO_END_ELLIPSIS, options);
  EXPECT_GT(height, TextHeight()) << "the given font lays the text out";
  EXPECT_GT(FSurface.Count(RECT{0, 0, 300, 100}, ColorToRGB(clGreen)), 0) << "in the font's colour";

  options.Font = nullptr;
  options.TextColor = clFuchsia;
  DrawWideTextInRect(DC(), L"WaWW", r, 0, options);
  EXPECT_GT(FSurface.Count(RECT{0, 0, 300, 100}, ColorToRGB(clFuchsia)), 0);

  EXPECT_EQ(GetCurrentObject(DC(), OBJ_FONT), oldFont);
  EXPECT_EQ(GetTextColor(DC()), Blue);
  EXPECT_EQ(GetBkMode(DC()), OPAQUE);
  EXPECT_EQ(LiveGdiObjects(), before);
}
