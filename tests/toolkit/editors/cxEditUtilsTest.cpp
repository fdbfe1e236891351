// The solid brush cache and the editors' drawing and measuring helpers.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/editors/EditTestSupport.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/editors/cxEditUtils.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

std::vector<TColor> CachedColors(const TcxSolidBrushCache& cache)
{
  std::vector<TColor> colors;
  for (int i = 0; i < cache.EntryCount(); ++i) colors.push_back(cache.EntryColors(i));
  return colors;
}

std::vector<uint32_t> UseCounts(const TcxSolidBrushCache& cache)
{
  std::vector<uint32_t> counts;
  for (int i = 0; i < cache.EntryCount(); ++i) counts.push_back(cache.EntryUseCounts(i));
  return counts;
}

// --- The brush cache ---

TEST(SolidBrushCache, OneColourTwiceGivesOneBrushCountedOnItsSecondRequest)
{
  auto cache = MakeOwned<TcxSolidBrushCache>();
  HBRUSH first = cache->BrushOfColor(RGB(10, 20, 30));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(UseCounts(*cache), std::vector<uint32_t>{0});
  EXPECT_EQ(cache->BrushOfColor(RGB(10, 20, 30)), first);
  EXPECT_EQ(UseCounts(*cache), std::vector<uint32_t>{1});
  LOGBRUSH data{};
  GetObjectA(first, sizeof data, &data);
  EXPECT_EQ(data.lbColor, RGB(10, 20, 30));
}

TEST(SolidBrushCache, EntriesStayInAscendingOrderOfTheSignedColour)
{
  auto cache = MakeOwned<TcxSolidBrushCache>();
  for (TColor color : {TColor(0x300), TColor(0x100), clNone, TColor(0x200), clDefault, TColor(0x100)})
    cache->BrushOfColor(color);
  EXPECT_EQ(CachedColors(*cache), (std::vector<TColor>{0x100, 0x200, 0x300, clNone, clDefault}));
}

TEST(SolidBrushCache, AFullCacheMakesRoomWithItsRarestBrush)
{
  struct TCase {
    std::vector<uint32_t> Uses;  // further requests of colours 1 to 4
    std::vector<TColor> Left;    // the colours cached after colour 5 is asked for
  };
  const TCase cases[] = {
    {{1, 0, 2, 0}, {1, 3, 4, 5}},  // the first brush never asked for again
    {{0, 1, 1, 1}, {2, 3, 4, 5}},
    {{2, 1, 1, 3}, {1, 3, 4, 5}},  // all asked for: the earliest of the least asked for
    {{1, 1, 1, 1}, {2, 3, 4, 5}},
  };
  for (const TCase& c : cases) {
    auto cache = MakeOwned<TcxSolidBrushCache>(4);
    const int brushes = LiveGdiObjects(TGdiKind::Brush);
    for (TColor color = 1; color <= 4; ++color) {
      cache->BrushOfColor(color);
      for (uint32_t n = 0; n < c.Uses[color - 1]; ++n) cache->BrushOfColor(color);
    }
    cache->BrushOfColor(5);
    EXPECT_EQ(CachedColors(*cache), c.Left);
    EXPECT_EQ(cache->EntryUseCounts(3), 0u) << "the new brush starts unused";
    EXPECT_EQ(LiveGdiObjects(TGdiKind::Brush), brushes + 4) << "the evicted brush is deleted";
  }
}

TEST(SolidBrushCache, The129thColourEvictsTheFirstUnusedEntryAndKeepsTheOrder)
{
  auto cache = MakeOwned<TcxSolidBrushCache>();
  // Colours 2, 4, ..., 256; all but 2 and 4 asked for twice.
  for (TColor color = 2; color <= 256; color += 2) {
    cache->BrushOfColor(color);
    if (color > 4) cache->BrushOfColor(color);
  }
  ASSERT_EQ(cache->EntryCount(), 128);
  cache->BrushOfColor(3);
  ASSERT_EQ(cache->EntryCount(), 128);
  std::vector<TColor> colors = CachedColors(*cache);
  EXPECT_TRUE(std::is_sorted(colors.begin(), colors.end()));
  EXPECT_EQ(colors.front(), 3) << "colour 2 went, the newcomer took its place";
  EXPECT_EQ(colors[1], 4);
  cache->BrushOfColor(3);  // the newcomer is used now; 4 is the first unused one
  cache->BrushOfColor(255);
  colors = CachedColors(*cache);
  EXPECT_EQ(std::count(colors.begin(), colors.end(), 4), 0) << "then colour 4, the next unused one";
  EXPECT_TRUE(std::is_sorted(colors.begin(), colors.end()));
}

TEST(SolidBrushCache, SystemColoursAnswerTheSystemBrushesAndStayOutOfTheCache)
{
  auto cache = MakeOwned<TcxSolidBrushCache>();
  EXPECT_EQ(cache->BrushOfColor(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(cache->BrushOfColor(clWindow), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(cache->BrushOfColor(clMenuBar), GetSysColorBrush(COLOR_MENUBAR));
  EXPECT_EQ(cache->EntryCount(), 0);
  EXPECT_EQ(CachedSolidBrush(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
}

TEST(SolidBrushCache, AChangeOfTheSystemColoursEmptiesTheCache)
{
  auto cache = MakeOwned<TcxSolidBrushCache>();
  // The shared cache empties on the same change: it starts empty here, whatever ran before.
  SharedSolidBrushCache()->DeleteAllBrushes();
  const int brushes = LiveGdiObjects(TGdiKind::Brush);
  cache->BrushOfColor(RGB(1, 2, 3));
  cache->BrushOfColor(RGB(1, 2, 3));
  cache->BrushOfColor(RGB(4, 5, 6));
  ASSERT_EQ(cache->EntryCount(), 2);
  BroadcastToOwnWindows(WM_SYSCOLORCHANGE);
  EXPECT_EQ(cache->EntryCount(), 0);
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Brush), brushes);
  ASSERT_NE(cache->BrushOfColor(RGB(1, 2, 3)), nullptr);
  EXPECT_EQ(UseCounts(*cache), std::vector<uint32_t>{0}) << "as on an empty cache";
}

TEST(SolidBrushCache, ManyRequestsHoldAtMostTheCapacityAndLeakNothing)
{
  const int before = LiveGdiObjects();
  {
    auto cache = MakeOwned<TcxSolidBrushCache>();
    int most = 0;
    for (int request = 0; request < 10000; ++request) {
      ASSERT_NE(cache->BrushOfColor(static_cast<TColor>((request * 7919) % 1000)), nullptr);
      most = std::max(most, LiveGdiObjects() - before);
    }
    EXPECT_EQ(most, 128);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(SolidBrushCache, ACapacityBelowOneIsRefused)
{
  EXPECT_THROW(MakeOwned<TcxSolidBrushCache>(0), EInvalidOperation);
}

// --- Sizes, flags and characters ---

TEST(EditUtils, ArrowSizes)
{
  struct TCase {
    SIZE Available;
    TcxArrowDirection Direction;
    SIZE Expected;
  };
  const TCase cases[] = {
    {{9, 20}, adUp, {5, 3}},   {{9, 20}, adDown, {5, 3}},  {{9, 20}, adLeft, {3, 5}}, {{20, 9}, adRight, {3, 5}},
    {{7, 7}, adDown, {3, 2}},  {{8, 30}, adDown, {3, 2}},  {{11, 11}, adUp, {5, 3}},  {{3, 3}, adDown, {1, 1}},
    {{1, 1}, adDown, {1, 1}},  {{17, 17}, adLeft, {5, 9}},
  };
  for (const TCase& c : cases) {
    const SIZE size = CalculateArrowSize(c.Available, c.Direction);
    EXPECT_EQ(size.cx, c.Expected.cx) << c.Available.cx << "x" << c.Available.cy;
    EXPECT_EQ(size.cy, c.Expected.cy) << c.Available.cx << "x" << c.Available.cy;
  }
}

TEST(EditUtils, TextFlagsConvertBitForBitBothWays)
{
  struct TCase {
    TcxEditTextOutFlags Flags;
    UINT DrawText;
  };
  const TCase cases[] = {
    {{etoVCenter}, DT_VCENTER},
    {{etoRight}, DT_RIGHT},
    {{etoSingleLine}, DT_SINGLELINE},
    {{etoWordBreak}, DT_WORDBREAK},
    {{etoCalcRect}, DT_CALCRECT},
    {{etoExpandTabs}, DT_EXPANDTABS},
    {{etoVCenter, etoRight, etoSingleLine, etoWordBreak, etoCalcRect, etoExpandTabs},
     DT_VCENTER | DT_RIGHT | DT_SINGLELINE | DT_WORDBREAK | DT_CALCRECT | DT_EXPANDTABS},
    {{}, 0},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ConvertTextOutFlagsToDrawText(c.Flags), c.DrawText);
    EXPECT_EQ(ConvertDrawTextFlagsToTextOut(c.DrawText), c.Flags);
  }
  // Other bits are dropped both ways.
  EXPECT_EQ(ConvertDrawTextFlagsToTextOut(DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RIGHT),
            TcxEditTextOutFlags{etoRight});
  EXPECT_EQ(ConvertTextOutFlagsToDrawText(TcxEditTextOutFlags::FromInt(0xFFFFFFFFu)),
            UINT(DT_VCENTER | DT_RIGHT | DT_SINGLELINE | DT_WORDBREAK | DT_CALCRECT | DT_EXPANDTABS));
}

TEST(EditUtils, BlankAndDigitCharacters)
{
  std::string blanks, digits;
  for (int code = 0; code < 256; ++code) {
    if (IsBlankChar(static_cast<char>(code))) blanks += std::to_string(code) + " ";
    if (IsDigitChar(static_cast<char>(code))) digits += static_cast<char>(code);
  }
  EXPECT_EQ(blanks, "0 9 10 12 13 32 ") << "the vertical tab (11) is not blank";
  EXPECT_EQ(digits, "0123456789");
}

TEST(EditUtils, ShiftStatesOfMouseButtons)
{
  EXPECT_EQ(ShiftStateOfMouseButton(cxmbNone).ToInt(), 0u);
  EXPECT_EQ(ShiftStateOfMouseButton(cxmbLeft).ToInt(), 8u);
  EXPECT_EQ(ShiftStateOfMouseButton(cxmbRight).ToInt(), 16u);
  EXPECT_EQ(ShiftStateOfMouseButton(cxmbMiddle).ToInt(), 32u);
  EXPECT_EQ(ShiftStateOfMouseButton(mbLeft).ToInt(), 8u);
  EXPECT_EQ(ShiftStateOfMouseButton(mbRight).ToInt(), 16u);
  EXPECT_EQ(ShiftStateOfMouseButton(mbMiddle).ToInt(), 32u);
}

TEST(EditUtils, PointsRaisedToAMinimumAndRegions)
{
  POINT p{3, 10};
  RaisePointToMinimum(p, POINT{5, 5});
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 10);

  TRegionHandle a(CreateRectRgn(0, 0, 0, 0)), b(CreateRectRgn(2, 2, 4, 4));
  EXPECT_TRUE(IsRegionEmpty(a.Get()));
  UniteRegions(a.Get(), b.Get());
  EXPECT_FALSE(IsRegionEmpty(a.Get()));
  EXPECT_TRUE(PtInRegion(a.Get(), 3, 3));
}

TEST(EditUtils, ButtonWidths)
{
  TEditCanvas canvas(10, 10);
  const int scrollBar = GetSystemMetrics(SM_CYHSCROLL);
  const int wideText = canvas.cxCanvas()->MeasureTextWidth("A much wider caption") + 4 + 3;
  ASSERT_GT(wideText, scrollBar);
  auto glyph16 = MakeOwned<TBitmap>(), glyph4 = MakeOwned<TBitmap>();
  glyph16->SetSize(16, 16);
  glyph4->SetSize(4, 4);
  struct TCase {
    TcxEditButtonWidthData Button;
    int Expected;
  };
  const TCase cases[] = {
    {{.Kind = bkDown}, scrollBar},
    {{.Kind = bkEllipsis}, scrollBar},
    {{.Kind = bkDown, .Width = 25}, 25},
    {{.Kind = bkText, .Width = 2, .Caption = "Wide caption"}, 4},  // an explicit width is at least the margin
    {{.Kind = bkText, .Caption = ""}, scrollBar},                   // an empty caption: as wide as the scroll bar
    {{.Kind = bkText, .Caption = "A much wider caption"}, wideText},
    {{.Kind = bkGlyph, .Glyph = glyph16.get()}, 20},
    {{.Kind = bkGlyph, .Glyph = glyph4.get()}, 8},  // a glyph button may be narrower than the scroll bar
    {{.Kind = bkGlyph}, scrollBar},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CalculateEditButtonWidth(canvas.cxCanvas(), c.Button), c.Expected) << c.Button.Caption;
}

TEST(EditUtils, VerticalContentOffsetsOfButtonStyles)
{
  TEditCanvas canvas(10, 10);
  const std::pair<TcxEditButtonStyle, int> cases[] = {{btsDefault, 0}, {bts3D, 4},       {btsFlat, 2},    {btsSimple, 2},
                                                      {btsHotFlat, 2}, {btsUltraFlat, 2}, {btsOffice11, 2}};
  for (auto [style, offset] : cases)
    EXPECT_EQ(EditButtonsVerticalContentOffset(canvas.cxCanvas(), style, false), offset);
}

TEST(EditUtils, HighlightColoursAndPainters)
{
  EXPECT_EQ(GetHighlightBorderColor(false), clHighlight);
  EXPECT_EQ(GetHighlightBorderColor(true), dxOffice11SelectionFrameColor());
  const std::pair<TcxLookAndFeelKind, TcxPainterStyle> kinds[] = {
    {lfFlat, cpsFlat}, {lfStandard, cpsStandard}, {lfUltraFlat, cpsUltraFlat}, {lfOffice11, cpsOffice11}};
  for (auto [kind, style] : kinds) {
    ASSERT_NE(PainterForLookAndFeel(false, kind), nullptr);
    EXPECT_EQ(PainterForLookAndFeel(false, kind)->PainterStyle(), style);
    EXPECT_EQ(PainterForLookAndFeel(true, kind)->PainterStyle(), AreThemesAvailable() ? cpsNative : style);
  }
}

// --- Drawing ---

TEST(EditUtils, ADoubleDownArrowOfSizeThreeFillsACentredFiveBySixBlock)
{
  TEditCanvas canvas(20, 20);
  DrawEditArrow(canvas.cxCanvas(), 3, RECT{0, 0, 20, 20}, clBlack, false, true, adDown);
  const RECT block = canvas.Surface().Extent(Black);
  EXPECT_EQ(block.left, 7);
  EXPECT_EQ(block.top, 7);
  EXPECT_EQ(block.right - block.left, 5);
  EXPECT_EQ(block.bottom - block.top, 6);
  EXPECT_EQ(canvas.Picture(block, Black), (std::vector<std::string>{
                                              "#####",
                                              ".###.",
                                              "..#..",
                                              "#####",
                                              ".###.",
                                              "..#..",
                                          }));
}

TEST(EditUtils, ArrowsPointTheirWayAndMoveWithTheOffset)
{
  struct TCase {
    TcxArrowDirection Direction;
    bool Offset;
    RECT Block;
    std::vector<std::string> Picture;
  };
  const TCase cases[] = {
    {adUp, false, {3, 4, 8, 7}, {"..#..", ".###.", "#####"}},
    {adUp, true, {4, 5, 9, 8}, {"..#..", ".###.", "#####"}},
    {adLeft, false, {4, 3, 7, 8}, {"..#", ".##", "###", ".##", "..#"}},
    {adRight, false, {4, 3, 7, 8}, {"#..", "##.", "###", "##.", "#.."}},
  };
  for (const TCase& c : cases) {
    TEditCanvas canvas(12, 12);
    DrawEditArrow(canvas.cxCanvas(), 3, RECT{1, 1, 11, 11}, clBlack, c.Offset, false, c.Direction);
    const RECT block = canvas.Surface().Extent(Black);
    EXPECT_TRUE(EqualRect(&block, &c.Block)) << static_cast<int>(c.Direction);
    EXPECT_EQ(canvas.Picture(c.Block, Black), c.Picture) << static_cast<int>(c.Direction);
  }
}

TEST(EditUtils, ButtonEdgesDrawTheirSidesAndNarrowTheRect)
{
  TEditCanvas canvas(10, 10);
  RECT r{2, 2, 8, 7};
  DrawButtonEdges(canvas.cxCanvas(), r, {TcxBorder::bLeft, TcxBorder::bBottom}, clBlack);
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 8);
  EXPECT_EQ(r.bottom, 6);
  EXPECT_EQ(canvas.Picture(RECT{1, 1, 9, 8}, Black), (std::vector<std::string>{
                                                         "........",
                                                         ".#......",
                                                         ".#......",
                                                         ".#......",
                                                         ".#......",
                                                         ".######.",
                                                         "........",
                                                     }));
}

TEST(EditUtils, ConnectedPointsWithTheBrushCoverStartsAndTheLastPoint)
{
  TEditCanvas canvas(8, 8);
  const POINT points[] = {{1, 1}, {4, 1}, {4, 4}, {2, 4}, {2, 3}};
  DrawConnectedPoints(canvas.cxCanvas(), points, 4, true, clBlack);
  EXPECT_EQ(canvas.Picture(RECT{0, 0, 6, 6}, Black), (std::vector<std::string>{
                                                         "......",
                                                         ".####.",
                                                         "....#.",
                                                         "..#.#.",
                                                         "..###.",
                                                         "......",
                                                     }));
  TEditCanvas penCanvas(8, 8);
  DrawConnectedPoints(penCanvas.cxCanvas(), points, 4, false, clBlack);
  EXPECT_EQ(penCanvas.Picture(RECT{0, 0, 6, 6}, Black), canvas.Picture(RECT{0, 0, 6, 6}, Black));
}

TEST(EditUtils, GlyphsShowTheBackgroundWhereTheyAreTransparent)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(4, 4);
  glyph->Canvas()->Brush()->SetColor(clRed);
  glyph->Canvas()->FillRect(RECT{0, 0, 4, 4});
  glyph->Canvas()->SetPixels(1, 1, clBlue);
  ASSERT_EQ(glyph->TransparentColor() & 0xFFFFFF, clRed);

  TEditCanvas onColour(8, 8);
  DrawEditGlyph(onColour.cxCanvas(), 2, 2, glyph.get(), clLime, true);
  EXPECT_EQ(onColour.Pixel(2, 2), RGB(0, 255, 0));
  EXPECT_EQ(onColour.Pixel(3, 3), RGB(0, 0, 255));
  EXPECT_EQ(onColour.Pixel(1, 1), White);

  TEditCanvas transparent(8, 8, RGB(9, 9, 9));
  DrawEditGlyph(transparent.cxCanvas(), 2, 2, glyph.get(), clNone, true);
  EXPECT_EQ(transparent.Pixel(2, 2), RGB(9, 9, 9));
  EXPECT_EQ(transparent.Pixel(3, 3), RGB(0, 0, 255));

  // On a work bitmap, what the work bitmap holds shows through.
  auto work = MakeOwned<TBitmap>();
  work->SetSize(4, 4);
  work->Canvas()->Brush()->SetColor(clYellow);
  work->Canvas()->FillRect(RECT{0, 0, 4, 4});
  TEditCanvas onWork(8, 8);
  DrawEditGlyph(onWork.cxCanvas(), 2, 2, glyph.get(), clLime, true, work.get());
  EXPECT_EQ(onWork.Pixel(2, 2), RGB(255, 255, 0));
  EXPECT_EQ(onWork.Pixel(3, 3), RGB(0, 0, 255));

  TEditCanvas disabled(8, 8);
  DrawEditGlyph(disabled.cxCanvas(), 2, 2, glyph.get(), clLime, false);
  EXPECT_EQ(disabled.Pixel(2, 2), RGB(0, 255, 0));
  EXPECT_NE(disabled.Pixel(3, 3), RGB(0, 0, 255)) << "drawn disabled";
  EXPECT_EQ(disabled.Pixel(1, 1), White);
}

TEST(EditUtils, DrawingLeavesNoGdiObjectsBehind)
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(4, 4);
  TEditCanvas canvas(16, 16);
  auto draw = [&](int i) {
    DrawEditGlyph(canvas.cxCanvas(), 0, 0, glyph.get(), clLime, i % 2 == 0);
    DrawEditArrow(canvas.cxCanvas(), 3, RECT{0, 0, 16, 16}, clBlack, false, true, adDown);
    FillRectWithCachedBrush(canvas.cxCanvas(), RECT{0, 0, 4, 4}, clBtnFace);
  };
  // The canvas makes its own drawing objects and the cache its brushes once.
  draw(0);
  draw(1);
  const int before = LiveGdiObjects();
  for (int i = 0; i < 20; ++i) draw(i);
  EXPECT_EQ(LiveGdiObjects(), before);
}

// A windowed control that records the mouse and key messages it gets.
class TMessageRecorder : public TCustomControl {
  CL_CLASS(TMessageRecorder, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  std::vector<TMessage> Seen;

protected:
  void WndProc(TMessage& Message) override
  {
    if (Message.Msg == WM_MOUSEMOVE || Message.Msg == WM_KEYDOWN || Message.Msg == WM_CHAR) Seen.push_back(Message);
    TCustomControl::WndProc(Message);
  }
};

TEST(EditUtils, MessagesCarryTheirShiftStatePointAndParameter)
{
  TOwned<TForm> form(New<TForm>(Application, CreateNew));
  auto* control = New<TMessageRecorder>(form.get());
  control->SetParent(form.get());
  control->HandleNeeded();
  SendMouseMessage(control, WM_MOUSEMOVE, {ssShift, ssLeft}, POINT{7, 9});
  SendKeyDownMessage(control, VK_F2);
  SendCharMessage(control, 'a');
  ASSERT_EQ(control->Seen.size(), 3u);
  EXPECT_EQ(control->Seen[0].WParam, WPARAM(MK_SHIFT | MK_LBUTTON));
  EXPECT_EQ(control->Seen[0].LParam, MAKELPARAM(7, 9));
  EXPECT_EQ(control->Seen[1].WParam, WPARAM(VK_F2));
  EXPECT_EQ(control->Seen[2].WParam, WPARAM('a'));
}

CL_DEFINE_CLASS(TMessageRecorder);

}  // namespace
