// The graphics functions: resolution and DPI awareness through their seams, the colour mixes as a table,
// bitmap helpers, the text-flag table, measured rectangles, shortened and wrapped texts (Chinese text
// included), the cursor's extent and image-list references.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "classlib/Strings.h"
#include "tests/toolkit/base/cxGraphicsTestSupport.h"
#include "toolkit/base/cxGraphics.h"

namespace {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

SIZE GFakePixelsPerInch{};
SIZE FakePixelsPerInch() { return GFakePixelsPerInch; }

class ScreenResolution : public testing::Test {
protected:
  void TearDown() override
  {
    cxScreenPixelsPerInchFunc = cxReadScreenPixelsPerInch;
    DetectScreenPixelsPerInch();
  }
};

TdxWindowsVersionInfo GFakeVersion;
TdxWindowsVersionInfo FakeVersion() { return GFakeVersion; }

class WindowsVersionSeam : public testing::Test {
protected:
  void TearDown() override
  {
    dxGetWindowsVersionInfo = dxReadWindowsVersionInfo;
    DetectWindowsVersion();
  }
};

// A canvas on a screen-compatible memory context with a known font.
class TextCanvas : public testing::Test {
protected:
  void SetUp() override
  {
    FCanvas.Font()->SetName("Arial");
    FCanvas.Font()->SetHeight(-13);
  }
  HDC DC() { return FCanvas.Handle(); }
  TTestSurface FSurface{200, 100};
  TCanvas& FCanvas = *FSurface.Canvas();
};
}  // namespace

// --- Resolution ---

TEST_F(ScreenResolution, ScalingFollowsTheResolutionReadAtStartUp)
{
  const SIZE real = cxReadScreenPixelsPerInch();
  EXPECT_EQ(GetScreenPixelsPerInch().cx, real.cx);
  EXPECT_EQ(GetScreenDPI(), real.cy);

  struct TCase {
    int Dpi, Value, Scaled;
  };
  const TCase cases[] = {{96, 16, 16}, {120, 16, 20}, {144, 16, 24}, {120, 5, 6}, {120, -5, -6}, {72, 3, 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Dpi) + " dpi, " + std::to_string(c.Value));
    GFakePixelsPerInch = SIZE{c.Dpi + 1, c.Dpi};
    cxScreenPixelsPerInchFunc = FakePixelsPerInch;
    DetectScreenPixelsPerInch();
    EXPECT_EQ(GetScreenDPI(), c.Dpi);
    EXPECT_EQ(GetScreenPixelsPerInch().cx, c.Dpi + 1);
    EXPECT_EQ(ScaleByScreenDPI(c.Value), c.Scaled);
  }
}

TEST_F(WindowsVersionSeam, TheProcessIsMadeDPIAwareFromVistaOn)
{
  dxGetWindowsVersionInfo = FakeVersion;
  GFakeVersion = {2, 5, 1, false};
  DetectWindowsVersion();
  EXPECT_FALSE(MakeProcessDPIAwareIfNeeded());
  GFakeVersion = {2, 6, 0, false};
  DetectWindowsVersion();
  EXPECT_TRUE(MakeProcessDPIAwareIfNeeded());
}

TEST(cxGraphicsUnit, BindsAlphaBlendAndRegistersTheBitmapClasses)
{
  EXPECT_NE(BoundAlphaBlend(), nullptr);
  EXPECT_EQ(GetClass("TcxBitmap"), TcxBitmap::StaticClass());
  EXPECT_EQ(GetClass("TcxBitmap32"), TcxBitmap32::StaticClass());
  EXPECT_FALSE(IsGraphicsUnitFinalizing());
}

// --- Colours ---

TEST(cxGraphicsColors, ClampChannel)
{
  EXPECT_EQ(ClampChannel(-1), 0);
  EXPECT_EQ(ClampChannel(0), 0);
  EXPECT_EQ(ClampChannel(128), 128);
  EXPECT_EQ(ClampChannel(255), 255);
  EXPECT_EQ(ClampChannel(256), 255);
}

TEST(cxGraphicsColors, MixesAsATable)
{
  struct TCase {
    const char* Name;
    COLORREF Face, Highlight, Window;
    int8_t F, H, W;
    COLORREF Expected;
  };
  const TCase cases[] = {
    // red: 14 % of 212 = 29.68 -> 30, 44 % of 10 = 4.4 -> 4, 40 % of 255 = 102: 136
    {"pressed", RGB(212, 208, 200), RGB(10, 36, 106), RGB(255, 255, 255), 14, 44, 40, RGB(136, 147, 177)},
    // -2 % of 212 = -4.24 -> -4, 30 % of 10 = 3, 72 % of 255 = 183.6 -> 184: 183
    {"hot", RGB(212, 208, 200), RGB(10, 36, 106), RGB(255, 255, 255), -2, 30, 72, RGB(183, 191, 212)},
    {"clamped above", RGB(200, 200, 200), RGB(200, 200, 200), RGB(200, 200, 200), 100, 100, 0, RGB(255, 255, 255)},
    {"clamped below", RGB(200, 200, 200), RGB(0, 0, 0), RGB(10, 10, 10), -100, 0, 100, RGB(0, 0, 0)},
    {"black face gives the highlight", RGB(0, 0, 0), RGB(1, 2, 3), RGB(9, 9, 9), 14, 44, 40, RGB(1, 2, 3)},
    {"white face gives the highlight", RGB(255, 255, 255), RGB(1, 2, 3), RGB(9, 9, 9), -2, 30, 72, RGB(1, 2, 3)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ColorText(static_cast<COLORREF>(MixColorsByPercent(c.Face, c.Highlight, c.Window, c.F, c.H, c.W))),
              ColorText(c.Expected));
  }
}

TEST(cxGraphicsColors, SystemMixesUseTheSystemColoursAndTheNearestScreenColour)
{
  const COLORREF face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clHighlight), window = ColorToRGB(clWindow);
  EXPECT_EQ(MixSystemColors(14, 44, 40), MixColorsByPercent(face, highlight, window, 14, 44, 40));
  EXPECT_EQ(MixPressedColor(), GetNearestScreenColor(MixColorsByPercent(face, highlight, window, 14, 44, 40)));
  EXPECT_EQ(MixHotColor(), GetNearestScreenColor(MixColorsByPercent(face, highlight, window, -2, 30, 72)));
  EXPECT_EQ(GetNearestScreenColor(clRed), static_cast<TColor>(Red));
}

// --- Rectangles, bitmaps and image lists ---

TEST(cxGraphicsBitmapHelpers, RectsFormatsAndCopies)
{
  RECT r{10, 10, 50, 40};
  DeflateRectByMargins(r, RECT{1, 2, 3, 4});
  EXPECT_EQ(r, (RECT{11, 12, 47, 36}));

  EXPECT_FALSE(BitmapHasImage(nullptr));
  auto bitmap = NewBitmapWithFormat(6, 4, TPixelFormat::pf32bit);
  EXPECT_TRUE(BitmapHasImage(bitmap.get()));
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(NewBitmapOfSize(POINT{3, 5})->Height(), 5);
  auto forRect = NewBitmapForRect(RECT{2, 2, 5, 9}, TPixelFormat::pf8bit);
  EXPECT_EQ(forRect->Width(), 3);
  EXPECT_EQ(forRect->Height(), 7);
  EXPECT_EQ(forRect->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_FALSE(BitmapHasImage(NewBitmapWithFormat(0, 4).get()));

  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(RECT{0, 0, 3, 4});
  auto clone = CloneBitmap(bitmap.get());
  EXPECT_EQ(clone->Width(), 6);
  EXPECT_EQ(clone->Canvas()->Pixels(1, 1), clRed);

  auto small = NewBitmapWithFormat(3, 2);
  auto changes = MakeOwned<TChangeCounter>();
  small->SetOnChange(changes->Event());
  CopyBitmapOnto(small.get(), bitmap.get());
  EXPECT_EQ(small->Canvas()->Pixels(2, 1), clRed);
  EXPECT_EQ(changes->Count, 1) << "the destination hears of the change";

  auto stretched = NewBitmapWithFormat(12, 8);
  StretchBitmapOnto(stretched.get(), bitmap.get());
  EXPECT_EQ(stretched->Canvas()->Pixels(5, 7), clRed);
  EXPECT_EQ(stretched->Canvas()->Pixels(6, 0), clWhite);

  TTestSurface a(10, 10), b(10, 10, Blue);
  BlitRect(a.DC(), b.DC(), RECT{2, 2, 5, 6}, SRCCOPY, POINT{6, 5});
  EXPECT_TRUE(a.ExactlyFills(RECT{2, 2, 5, 6}, Blue));
}

TEST(cxGraphicsBitmapHelpers, ObjectQueries)
{
  BITMAP bm{};
  auto bitmap = NewBitmapWithFormat(5, 3, TPixelFormat::pf24bit);
  EXPECT_TRUE(ReadBitmapObject(bitmap->Handle(), bm));
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_FALSE(ReadBitmapObject(nullptr, bm));
  auto brush = MakeOwned<TBrush>();
  brush->SetColor(clRed);
  LOGBRUSH lb{};
  EXPECT_TRUE(ReadLogBrush(brush->Handle(), lb));
  EXPECT_EQ(lb.lbColor, Red);
  LOGBRUSH other{};
  GetBrushLogData(brush->Handle(), other);
  EXPECT_EQ(other.lbColor, Red);
  auto font = MakeOwned<TFont>();
  font->SetHeight(-21);
  LOGFONTA lf{};
  EXPECT_TRUE(ReadLogFont(font->Handle(), lf));
  EXPECT_EQ(lf.lfHeight, -21);
  auto pen = MakeOwned<TPen>();
  pen->SetWidth(3);
  LOGPEN lp{};
  EXPECT_TRUE(ReadLogPen(pen->Handle(), lp));
  EXPECT_EQ(lp.lopnWidth.x, 3);
}

TEST(cxGraphicsBitmapHelpers, ImageListReferencesMoveLinkAndFreeNotification)
{
  auto owner = MakeOwned<TComponent>(nullptr);
  auto first = MakeOwned<TImageList>(nullptr);
  auto second = MakeOwned<TImageList>(nullptr);
  auto link = MakeOwned<TChangeLink>();
  auto counter = MakeOwned<TChangeCounter>();
  int& changes = counter->Count;
  link->SetOnChange(counter->Event());
  TCustomImageList* field = nullptr;

  ReplaceImageListReference(first.get(), field, link.get(), owner.get());
  EXPECT_EQ(field, first.get());
  EXPECT_EQ(link->Sender(), first.get());
  EXPECT_EQ(changes, 1);
  ReplaceImageListReference(first.get(), field, link.get(), owner.get());
  EXPECT_EQ(changes, 1) << "the same list again changes nothing";
  ReplaceImageListReference(second.get(), field, link.get(), owner.get());
  EXPECT_EQ(link->Sender(), second.get());
  EXPECT_EQ(changes, 2);
  ReplaceImageListReference(nullptr, field, link.get(), owner.get());
  EXPECT_EQ(field, nullptr);
  EXPECT_EQ(link->Sender(), nullptr);
  EXPECT_EQ(changes, 3) << "the link fires for no list too";

  EXPECT_TRUE(IsValidImageIndex(nullptr, 0) == false);
  auto image = NewBitmapWithFormat(16, 16);
  second->Add(image.get(), nullptr);
  EXPECT_TRUE(IsValidImageIndex(second.get(), 0));
  EXPECT_FALSE(IsValidImageIndex(second.get(), 1));
  EXPECT_FALSE(IsValidImageIndex(second.get(), -1));
}

// --- Text flags and measured rectangles ---

TEST(cxGraphicsText, ConvertTextFlagsToDTTable)
{
  struct TCase {
    int Flags;
    UINT Expected;
  };
  const TCase cases[] = {
    {0, DT_NOPREFIX},
    {cxAlignLeft | cxAlignTop, DT_NOPREFIX | DT_LEFT | DT_TOP},
    {cxAlignRight, DT_NOPREFIX | DT_RIGHT},
    {cxAlignHCenter | cxAlignVCenter | cxSingleLine, DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_SINGLELINE},
    {cxAlignBottom | cxDontClip | cxExpandTabs, DT_NOPREFIX | DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS},
    {cxShowPrefix, 0},
    {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
    {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
    {cxWordBreak | cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK},
    {cxWordBreak | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
    {cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX},
    {cxShowEndEllipsis | cxDontPrint | cxShowPathEllipsis, DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS},
  };
  for (const TCase& c : cases) EXPECT_EQ(ConvertTextFlagsToDT(c.Flags), c.Expected) << std::hex << c.Flags;
}

TEST_F(TextCanvas, MeasuringTextOnTheCanvasAndTheContext)
{
  auto canvas = MakeOwned<TcxCanvas>(&FCanvas);
  const SIZE size = canvas->MeasureTextSize("Hello");
  SIZE expected{};
  GetTextExtentPoint32A(DC(), "Hello", 5, &expected);
  EXPECT_EQ(size.cx, expected.cx);
  EXPECT_EQ(size.cy, expected.cy);
  EXPECT_EQ(canvas->MeasureTextSize("").cx, 0);
  EXPECT_EQ(canvas->MeasureTextSize("").cy, 0);
  SIZE part{};
  EXPECT_TRUE(MeasureTextOnDC(DC(), "Hello", part, 2));
  GetTextExtentPoint32A(DC(), "He", 2, &expected);
  EXPECT_EQ(part.cx, expected.cx);
  EXPECT_EQ(MeasureSingleLineText(DC(), "Hello").cx, size.cx);
  EXPECT_EQ(GetDCTextHeight(DC()), canvas->MeasureTextHeight("Wg"));

  auto big = MakeOwned<TFont>();
  big->SetName("Arial");
  big->SetHeight(-30);
  EXPECT_GT(canvas->MeasureFontHeight(big.get()), 30);
  EXPECT_EQ(FCanvas.Font()->Height(), -30) << "the font is assigned";
  EXPECT_EQ(GetFontHeight(big.get()), canvas->MeasureFontHeight(big.get()));
  EXPECT_FALSE(GetSharedScreenCanvas()->Canvas()->HandleAllocated()) << "the screen's context is given back";
  EXPECT_EQ(MeasureFontTextWidth(big.get(), "Hello"), canvas->MeasureTextWidth("Hello"));
  EXPECT_LT(MeasureFontTextSize(big.get(), "Hello", 8).cx, MeasureFontTextWidth(big.get(), "Hello"));
  EXPECT_EQ(big->Height(), -30) << "the caller's font keeps its size";
}

TEST_F(TextCanvas, CalcTextRectMovesTheMeasurementByTheAlignment)
{
  auto canvas = MakeOwned<TcxCanvas>(&FCanvas);
  const SIZE size = canvas->MeasureTextSize("Hello");
  struct TCase {
    int Flags;
    int Dx, Dy;  // expected offset of the measured rect inside (10, 10, 110, 60)
  };
  const TCase cases[] = {
    {cxAlignLeft | cxAlignTop | cxSingleLine, 0, 0},
    {cxAlignRight | cxAlignBottom | cxSingleLine, 100 - size.cx, 50 - size.cy},
    {cxAlignHCenter | cxAlignVCenter | cxSingleLine, (100 - size.cx) / 2, (50 - size.cy) / 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Flags);
    RECT r{10, 10, 110, 60};
    canvas->CalcTextRect("Hello", r, c.Flags);
    EXPECT_EQ(r, (RECT{10 + c.Dx, 10 + c.Dy, 10 + c.Dx + size.cx, 10 + c.Dy + size.cy}));
  }

  // Word-wrapped in a narrow rect the text takes more rows; a rect without width is given one pixel.
  RECT wrapped{0, 0, canvas->MeasureTextWidth("Hello "), 0};
  canvas->CalcTextRect("Hello Hello Hello", wrapped, cxWordBreak);
  EXPECT_EQ(RectHeight(wrapped), 3 * size.cy);
  RECT none{5, 5, 5, 5};
  canvas->CalcTextRect("Hello", none, cxSingleLine);
  EXPECT_EQ(none, (RECT{5, 5, 5 + size.cx, 5 + size.cy}));
}

TEST_F(TextCanvas, WrappedTextAlignedToTheBottomEndsAtTheBottom)
{
  auto canvas = MakeOwned<TcxCanvas>(&FCanvas);
  const SIZE word = canvas->MeasureTextSize("Hello");
  const std::string text = "Hello Hello";  // two rows at this width
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    const int d = enabled ? 0 : 1;
    RECT r{0, 0, word.cx + 4 + d, 100};
    canvas->AlignWrappedTextTop(r, text, cxWordBreak | cxAlignBottom, enabled, true);
    EXPECT_EQ(r.top, 100 - 2 * word.cy - d);
    RECT c{0, 0, word.cx + 4 + d, 100};
    canvas->AlignWrappedTextTop(c, text, cxWordBreak | cxAlignVCenter, enabled, false);
    EXPECT_EQ(c.top, (100 - 2 * word.cy) / 2);
  }
  // With end ellipsis only the rows that fit count, and a short text is not pushed to the top.
  RECT fit{0, 0, word.cx + 4, 3 * word.cy / 2};
  canvas->AlignWrappedTextTop(fit, text, cxWordBreak | cxShowEndEllipsis | cxAlignBottom, true, true);
  EXPECT_EQ(fit.top, 3 * word.cy / 2 - word.cy);
  // Text taller than the rect is laid out from the rect's top.
  RECT low{0, 0, word.cx + 4, word.cy};
  canvas->AlignWrappedTextTop(low, text, cxWordBreak | cxAlignBottom, true, true);
  EXPECT_EQ(low.top, 0);
  RECT tall{0, 0, word.cx + 4, 10 * word.cy};
  canvas->AlignWrappedTextTop(tall, text, cxWordBreak | cxShowEndEllipsis | cxAlignBottom, true, true);
  EXPECT_EQ(tall.top, 8 * word.cy);
}

TEST_F(TextCanvas, CalcTextRectForRowsFindsTheNarrowestWidth)
{
  HDC dc = DC();
  const std::string text = "alpha beta gamma";
  SIZE wg{};
  GetTextExtentPoint32A(dc, "Wg", 2, &wg);
  auto heightAt = [&](int width) {
    RECT r{0, 0, width, 1};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    return RectHeight(r);
  };

  const RECT one = CalcTextRectForRows(dc, text, 1);
  SIZE single{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &single);
  EXPECT_EQ(RectWidth(one), single.cx);
  EXPECT_EQ(RectHeight(one), wg.cy);

  const RECT two = CalcTextRectForRows(dc, text, 2);
  EXPECT_LE(RectHeight(two), 2 * wg.cy);
  EXPECT_GT(heightAt(RectWidth(two) - 1), 2 * wg.cy) << "one pixel narrower needs a third row";
  EXPECT_LT(RectWidth(two), single.cx);

  const RECT any = CalcTextRectForRows(dc, text, 0);
  SIZE gamma{};
  GetTextExtentPoint32A(dc, "gamma", 5, &gamma);
  EXPECT_EQ(RectWidth(any), gamma.cx) << "the longest word";
  EXPECT_EQ(RectHeight(any), 3 * wg.cy);

  const RECT full = CalcTextRectForRows(dc, text, 2, true);
  EXPECT_EQ(full.bottom, 2 * wg.cy);
}

// --- Shortened and wrapped texts ---

namespace {
// True when the text is whole code page 936 characters (no lead byte without its trail byte).
bool WholeDoubleByteText(const std::string& text)
{
  for (size_t i = 0; i < text.size(); ++i)
    if (IsDBCSLeadByte(static_cast<BYTE>(text[i]))) {
      if (i + 1 >= text.size()) return false;
      ++i;
    }
  return true;
}

bool EndsWith(const std::string& text, const std::string& end)
{
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
}  // namespace

TEST_F(TextCanvas, ShortenTextToWidth)
{
  HDC dc = DC();
  HFONT font = FCanvas.Font()->Handle();
  const std::string text = "The quick brown fox jumps over the lazy dog";
  EXPECT_EQ(ShortenTextToWidth(dc, font, text, 0, 5000), text) << "a wide enough width keeps the text";
  EXPECT_EQ(ShortenTextToWidth(dc, font, "", 0, 100), "");
  EXPECT_EQ(ShortenTextToWidth(dc, font, text, 0, 0), "");
  EXPECT_EQ(ShortenTextToWidth(dc, font, text, 0, -3), "");

  const std::string shortened = ShortenTextToWidth(dc, font, text, 0, 80);
  EXPECT_TRUE(EndsWith(shortened, "...")) << shortened;
  EXPECT_LT(shortened.size(), text.size());
  SIZE size{};
  MeasureTextOnDC(dc, shortened, size);
  EXPECT_LE(size.cx, 80);
  EXPECT_EQ(text.compare(0, shortened.size() - 3, shortened, 0, shortened.size() - 3), 0);

  const std::string path = "C:\\Program Files\\Search\\Data\\Archive\\document.txt";
  const std::string middle = ShortenTextToWidth(dc, font, path, 1, 150);
  EXPECT_NE(middle.find("..."), std::string::npos) << middle;
  EXPECT_TRUE(EndsWith(middle, "document.txt")) << middle;

  // Without a context the screen's is used (and given back), with the given font.
  EXPECT_EQ(ShortenTextToWidth(nullptr, font, text, 0, 80), shortened);
}

TEST_F(TextCanvas, ShortenedChineseTextIsNeverCutInsideACharacter)
{
  HDC dc = DC();
  FCanvas.Font()->SetName("SimSun");
  FCanvas.Font()->SetCharset(GB2312_CHARSET);
  HFONT font = FCanvas.Font()->Handle();
  const std::string text = "文件检索工具列出文件夹中的每一个文件";
  for (int width = 10; width < 300; width += 7) {
    SCOPED_TRACE(width);
    const std::string shortened = ShortenTextToWidth(dc, font, text, 0, width);
    EXPECT_TRUE(WholeDoubleByteText(shortened)) << shortened;
    if (shortened != text) {
      ASSERT_TRUE(EndsWith(shortened, "...")) << shortened;
      const std::string kept = shortened.substr(0, shortened.size() - 3);
      EXPECT_EQ(text.compare(0, kept.size(), kept), 0);
      EXPECT_EQ(kept.size() % 2, 0u) << "whole two-byte characters";
    }
  }
  const std::string mixed = "abc文件检索xyz";
  for (int width = 10; width < 120; width += 3) {
    EXPECT_TRUE(WholeDoubleByteText(ShortenTextToWidth(dc, font, mixed, 0, width))) << width;
    EXPECT_TRUE(WholeDoubleByteText(ShortenTextToWidth(dc, font, mixed, 1, width))) << width;
  }
}

TEST_F(TextCanvas, ShortenTextToWidthHandlesTextsAroundTheOldBufferSize)
{
  HDC dc = DC();
  HFONT font = FCanvas.Font()->Handle();
  // Texts near 4096 bytes: the platform writes past the text's end when it adds the ellipsis.
  for (size_t length : {4090u, 4094u, 4095u, 4096u, 4100u, 10000u}) {
    SCOPED_TRACE(length);
    std::string text(length, 'x');
    for (size_t i = 7; i < length; i += 8) text[i] = ' ';
    const std::string shortened = ShortenTextToWidth(dc, font, text, 0, 120);
    EXPECT_TRUE(EndsWith(shortened, "...")) << shortened.substr(0, 40);
    EXPECT_LT(shortened.size(), 100u);
    EXPECT_EQ(ShortenTextToWidth(dc, font, text, 0, 1000000).size(), length);
  }
  std::string chinese;
  while (chinese.size() < 4094) chinese += "文件";
  EXPECT_TRUE(WholeDoubleByteText(ShortenTextToWidth(dc, font, chinese, 0, 100)));
}

TEST_F(TextCanvas, WrapTextToLines)
{
  auto canvas = MakeOwned<TcxCanvas>(&FCanvas);
  const int a = canvas->MeasureTextWidth("a");
  const int ab = canvas->MeasureTextWidth("a b");
  auto wrap = [&](const std::string& text, int width) {
    auto lines = MakeOwned<TStringList>();
    WrapTextToLines(text, canvas.get(), RECT{0, 0, width, 100}, lines.get());
    std::vector<std::string> result;
    for (int i = 0; i < lines->Count(); ++i) result.push_back(lines->Strings(i));
    return result;
  };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(wrap("a b", a), (Lines{"a", "b"}));
  EXPECT_EQ(wrap("a b", ab), (Lines{"a b"}));
  EXPECT_EQ(wrap("", 100), (Lines{}));
  EXPECT_EQ(wrap("one\ntwo", 1000), (Lines{"one", "two"}));
  EXPECT_EQ(wrap("one\r\n\r\ntwo three", canvas->MeasureTextWidth("two")), (Lines{"one", "two", "three"}));
  EXPECT_EQ(wrap("\nfirst", 1000), (Lines{"", "first"}));
  EXPECT_EQ(wrap("last\n", 1000), (Lines{"last"}));
  // A word wider than the width stands on a line of its own, with no empty line before it.
  EXPECT_EQ(wrap("extraordinarily a", a * 3), (Lines{"extraordinarily", "a"}));
  EXPECT_EQ(wrap("a extraordinarily b", a * 3), (Lines{"a", "extraordinarily", "b"}));
  // Chinese words keep their characters whole.
  const Lines chinese = wrap("文件 检索 工具", canvas->MeasureTextWidth("文件 检索"));
  EXPECT_EQ(chinese, (Lines{"文件 检索", "工具"}));
}

TEST(cxGraphicsText, SingleAndMultiByteTexts)
{
  EXPECT_TRUE(StartsWithSingleByteChar("abc"));
  EXPECT_FALSE(StartsWithSingleByteChar(""));
  EXPECT_FALSE(StartsWithSingleByteChar("文件"));
  for (BYTE charset : {BYTE(ANSI_CHARSET), BYTE(DEFAULT_CHARSET), BYTE(GB2312_CHARSET), BYTE(ARABIC_CHARSET)})
    EXPECT_FALSE(IsMultiByteCharsetText(charset, "abc")) << int(charset);
  EXPECT_TRUE(IsMultiByteCharsetText(GB2312_CHARSET, "文件"));
  EXPECT_TRUE(IsMultiByteCharsetText(CHINESEBIG5_CHARSET, "文件"));
  EXPECT_TRUE(IsMultiByteCharsetText(ARABIC_CHARSET, "文件"));
  EXPECT_FALSE(IsMultiByteCharsetText(ANSI_CHARSET, "文件"));
  EXPECT_TRUE(IsMultiByteCharsetText(DEFAULT_CHARSET, "文件")) << "the system's charset is GB2312";
}

TEST(cxGraphicsCursor, ExtentBelowTheHotSpot)
{
  // A 32 x 32 cursor whose rows 0 to 9 have visible pixels, hot spot at row 2.
  BYTE andMask[32 * 4], xorMask[32 * 4] = {};
  for (int row = 0; row < 32; ++row)
    for (int b = 0; b < 4; ++b) andMask[row * 4 + b] = row < 10 && b == 0 ? 0x0F : 0xFF;
  HCURSOR cursor = CreateCursor(GetModuleHandleA(nullptr), 3, 2, 32, 32, andMask, xorMask);
  ASSERT_NE(cursor, nullptr);
  HCURSOR old = SetCursor(cursor);
  const SIZE extent = MeasureCursorExtent();
  EXPECT_EQ(extent.cx, 32);
  EXPECT_EQ(extent.cy, 10 - 2);

  // A cursor with no visible AND pixels is measured by its XOR part.
  BYTE clearAnd[32 * 4], someXor[32 * 4] = {};
  std::fill(std::begin(clearAnd), std::end(clearAnd), BYTE(0xFF));
  for (int row = 0; row < 5; ++row) someXor[row * 4] = 0x80;
  HCURSOR xorCursor = CreateCursor(GetModuleHandleA(nullptr), 0, 1, 32, 32, clearAnd, someXor);
  SetCursor(xorCursor);
  EXPECT_EQ(MeasureCursorExtent().cy, 5 - 1);

  SetCursor(nullptr);
  EXPECT_EQ(MeasureCursorExtent().cx, GetSystemMetrics(SM_CXCURSOR)) << "no cursor: the system size";
  SetCursor(old);
  DestroyCursor(cursor);
  DestroyCursor(xorCursor);
}

TEST(cxGraphicsWindows, Invalidation)
{
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ValidateRect(window, nullptr);
  InvalidateWindowRect(window, RECT{1, 2, 5, 6}, false);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update, (RECT{1, 2, 5, 6}));
  ValidateRect(window, nullptr);
  InvalidateWindow(window, true);
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update, (RECT{0, 0, 50, 50}));
  DestroyWindow(window);
}
