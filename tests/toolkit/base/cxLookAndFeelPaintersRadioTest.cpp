// The radio-button glyph cache: the measured size and the pixel pattern, the index formula, the
// colours of the glyphs of two kinds pixel by pixel, drawing through the mask or on a background, and
// a change of the system colours rendering the glyphs again before the look-and-feels hear of it.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "classlib/ImageList.h"
#include "tests/support/MessagePump.h"
#include "tests/toolkit/base/cxLookAndFeelsTestSupport.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxLookAndFeelPaintersRadio.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"

namespace {
using enum TcxRadioPatternCode;
constexpr COLORREF Magenta = RGB(255, 0, 255);

TcxRadioButtonImageList* Radio() { return GetRadioButtonImageList(); }

// Draws a glyph at (2, 3) of a magenta surface and checks every pixel: outside the circle the
// surface stays, inside each pixel has the colour of its pattern code.
void ExpectGlyph(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool designing, bool focused,
                 const TColor (&colors)[cxRadioPatternCodeCount])
{
  const SIZE size = Radio()->GetSize();
  TPainterSurface surface(size.cx + 4, size.cy + 6, Magenta);
  Radio()->Draw(surface.cx(), 2, designing, focused, checked, state, kind, clDefault, 3);
  int mismatches = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      const int code = static_cast<int>(Radio()->PatternCode(x, y));
      const COLORREF expected = code == 0 ? Magenta : Rgb(colors[code]);
      if (surface.Pixel(x + 2, y + 3) != expected && ++mismatches <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << " code " << code << ": " << ColorText(surface.Pixel(x + 2, y + 3))
                      << " instead of " << ColorText(expected);
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(surface.Count(RECT{0, 0, size.cx + 4, 3}, Magenta), (size.cx + 4) * 3) << "nothing above the glyph";
}

// Sets system colours for a scope (each change is broadcast as WM_SYSCOLORCHANGE) and puts them back.
class TSystemColorScope {
public:
  TSystemColorScope(int index, COLORREF color) : FIndex(index), FOld(GetSysColor(index))
  {
    SetSysColors(1, &FIndex, &color);
  }
  ~TSystemColorScope() { SetSysColors(1, &FIndex, &FOld); }

private:
  int FIndex;
  COLORREF FOld;
};

// A notifier that logs its calls.
class TLoggingNotifier : public TcxSystemPaletteChangedNotifier {
  CL_CLASS(TLoggingNotifier, TcxSystemPaletteChangedNotifier)
public:
  TLoggingNotifier(bool primary, std::vector<std::string>& log, std::string id)
      : TcxSystemPaletteChangedNotifier(primary), FLog(log), FId(std::move(id))
  {
  }
  void NotifyPaletteChanged() override
  {
    FLog.push_back(FId);
    if (OnTold) OnTold();
  }
  std::function<void()> OnTold;

private:
  std::vector<std::string>& FLog;
  std::string FId;
};
}  // namespace

CL_DEFINE_CLASS(TLoggingNotifier);

TEST(RadioButtonImageList, SizeAndPatternOfTheMeasuredSystemRadioButton)
{
  ASSERT_NE(Radio(), nullptr);
  const SIZE size = Radio()->GetSize();
  const SIZE cell = cxCheckBoxGlyphSize();
  ASSERT_GT(size.cx, 6);
  ASSERT_GT(size.cy, 6);
  EXPECT_LE(size.cx, cell.cx);
  EXPECT_LE(size.cy, cell.cy);
  EXPECT_EQ(GetRectWidth(Radio()->RadioRect()), size.cx);
  EXPECT_EQ(Radio()->List()->Width(), size.cx);
  EXPECT_EQ(Radio()->List()->Height(), size.cy);
  EXPECT_EQ(Radio()->List()->Count(), cxRadioGlyphCount);

  // The corners lie outside; the top, left, right and bottom middles on the outer ring, in the half
  // of their side; the middle is the check dot.
  const int w = size.cx, h = size.cy;
  EXPECT_EQ(Radio()->PatternCode(0, 0), rpcOutside);
  EXPECT_EQ(Radio()->PatternCode(w - 1, h - 1), rpcOutside);
  EXPECT_EQ(Radio()->PatternCode(w / 2 - 1, 0), rpcOuterUpperLeft);
  EXPECT_EQ(Radio()->PatternCode(0, h / 2 - 1), rpcOuterUpperLeft);
  EXPECT_EQ(Radio()->PatternCode(w / 2, h - 1), rpcOuterLowerRight);
  EXPECT_EQ(Radio()->PatternCode(w - 1, h / 2), rpcOuterLowerRight);
  EXPECT_EQ(Radio()->PatternCode(w / 2, h / 2), rpcCheckDot);
  // Inside the outer ring, walking in from the left at mid height: inner ring, then body.
  EXPECT_EQ(Radio()->PatternCode(1, h / 2 - 1), rpcInnerUpperLeft);
  EXPECT_EQ(Radio()->PatternCode(2, h / 2 - 1), rpcBody);
  EXPECT_EQ(Radio()->PatternCode(w - 2, h / 2), rpcInnerLowerRight);
  // Every code occurs, and the dot is a small part in the middle.
  int counts[cxRadioPatternCodeCount] = {};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ++counts[static_cast<int>(Radio()->PatternCode(x, y))];
  for (int code = 0; code < cxRadioPatternCodeCount; ++code) EXPECT_GT(counts[code], 0) << "code " << code;
  const RECT dot = Radio()->CheckRect();
  EXPECT_FALSE(IsRectEmpty(&dot));
  EXPECT_LT(GetRectWidth(dot), w / 2);
}

TEST(RadioButtonImageList, IndexFormula)
{
  struct TCase {
    TcxLookAndFeelKind Kind;
    TcxButtonState State;
    bool Checked, Designing, Focused;
    int Index;
  };
  const TCase cases[] = {
    {lfUltraFlat, cxbsHot, true, false, true, 85},
    {lfFlat, cxbsNormal, false, false, false, 0},
    {lfFlat, cxbsDefault, false, false, false, 0},  // the default state draws as normal
    {lfStandard, cxbsDisabled, false, true, false, 3 + 8 + 32},
    {lfOffice11, cxbsPressed, true, true, true, 2 + 4 + 24 + 32 + 64},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(RadioGlyphMapIndex(c.Kind, c.State, c.Checked, c.Designing, c.Focused), c.Index);
    EXPECT_GE(Radio()->ImageIndex(c.Kind, c.State, c.Checked, c.Designing, c.Focused), 0);
  }
  // Every one of the 128 combinations has its own image.
  std::vector<bool> seen(cxRadioGlyphCount, false);
  for (bool focused : {false, true})
    for (bool designing : {false, true})
      for (TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11})
        for (bool checked : {false, true})
          for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
            const int index = Radio()->ImageIndex(kind, state, checked, designing, focused);
            ASSERT_GE(index, 0);
            ASSERT_LT(index, cxRadioGlyphCount);
            EXPECT_FALSE(seen[index]);
            seen[index] = true;
          }
}

TEST(RadioButtonImageList, GlyphPixelsOfTheFlatAndStandardKinds)
{
  // Codes: outside, outer upper-left, outer lower-right, inner upper-left, inner lower-right, body, dot.
  // Flat, normal, unchecked: sunken rings in the light 3-D colour, a window-coloured body, no dot.
  ExpectGlyph(lfFlat, cxbsNormal, false, false, false,
              {0, clBtnShadow, clBtnHighlight, cl3DLight, cl3DLight, clWindow, clWindow});
  // Standard, checked: the inner ring dark at the upper left, the dot in the window text colour.
  ExpectGlyph(lfStandard, cxbsNormal, true, false, false,
              {0, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, clWindow, clWindowText});
  // Pressed: the body takes the button face; checked and disabled: the dot is the shadow colour.
  ExpectGlyph(lfStandard, cxbsPressed, false, false, true,
              {0, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnFace, clBtnFace});
  ExpectGlyph(lfFlat, cxbsDisabled, true, true, false,
              {0, clBtnShadow, clBtnHighlight, cl3DLight, cl3DLight, clBtnFace, clBtnShadow});
}

TEST(RadioButtonImageList, ColourMapsOfTheUltraFlatAndOffice2003Kinds)
{
  const TColor body = cxLookAndFeelPaintersManager()->GetPainterByStyle(cpsUltraFlat)->RadioButtonFaceColor(cxbsHot);
  TcxRadioColorMap map = PrepareRadioColorMap(lfUltraFlat, cxbsHot, false, false, false);
  EXPECT_EQ(map.Colors[1], clHighlight) << "active";
  EXPECT_EQ(map.Colors[2], clHighlight);
  EXPECT_EQ(map.Colors[3], body);
  EXPECT_EQ(map.Colors[6], body) << "unchecked: no dot";
  EXPECT_EQ(PrepareRadioColorMap(lfUltraFlat, cxbsDisabled, false, true, false).Colors[1], clBtnShadow);
  EXPECT_EQ(PrepareRadioColorMap(lfUltraFlat, cxbsNormal, false, true, false).Colors[1], clHighlight);

  EXPECT_EQ(PrepareRadioColorMap(lfOffice11, cxbsNormal, false, false, false).Colors[1], clBtnText);
  EXPECT_EQ(PrepareRadioColorMap(lfOffice11, cxbsNormal, false, false, true).Colors[2], dxOffice11SelectionFrameColor());
  map = PrepareRadioColorMap(lfOffice11, cxbsDisabled, true, false, true);
  EXPECT_EQ(map.Colors[1], dxOffice11DisabledGlyphColor());
  EXPECT_EQ(map.Colors[6], dxOffice11DisabledGlyphColor()) << "checked and disabled";
  ExpectGlyph(lfOffice11, cxbsDisabled, true, false, true, map.Colors);
}

TEST(RadioButtonImageList, DrawingOnABackgroundColourFillsTheCorners)
{
  const SIZE size = Radio()->GetSize();
  const int before = LiveGdiObjects(TGdiKind::Bitmap);
  TPainterSurface surface(size.cx + 4, size.cy + 4, Magenta);
  Radio()->Draw(surface.cx(), 1, false, false, true, cxbsNormal, lfFlat, clLime, 2);
  EXPECT_EQ(surface.Pixel(1, 2), RGB(0, 255, 0));
  EXPECT_EQ(surface.Pixel(1 + size.cx - 1, 2 + size.cy - 1), RGB(0, 255, 0));
  EXPECT_EQ(surface.Pixel(1 + size.cx / 2, 2 + size.cy / 2), Rgb(clWindowText));
  EXPECT_EQ(surface.Count(RECT{0, 0, size.cx + 4, size.cy + 4}, RGB(0, 255, 0)),
            surface.Count(RECT{1, 2, 1 + size.cx, 2 + size.cy}, RGB(0, 255, 0)))
      << "the background only under the glyph";
  EXPECT_EQ(LiveGdiObjects(TGdiKind::Bitmap), before);
}

TEST(RadioButtonImageList, ASystemColourChangeRendersTheGlyphsAgainBeforeTheOtherNotifiersHear)
{
  std::vector<std::string> log;
  auto primary1 = MakeOwned<TLoggingNotifier>(true, log, "primary 1");
  auto ordinary1 = MakeOwned<TLoggingNotifier>(false, log, "ordinary 1");
  auto primary2 = MakeOwned<TLoggingNotifier>(true, log, "primary 2");
  auto ordinary2 = MakeOwned<TLoggingNotifier>(false, log, "ordinary 2");
  auto ordinary3 = MakeOwned<TLoggingNotifier>(false, log, "ordinary 3");
  // An ordinary notifier sees the glyphs already rendered in the new colours; one frees another that
  // is still to be told, which is then not told.
  const SIZE size = Radio()->GetSize();
  COLORREF seenBody = 0;
  ordinary3->OnTold = [&] {
    TPainterSurface surface(size.cx, size.cy);
    Radio()->Draw(surface.cx(), 0, false, false, false, cxbsNormal, lfFlat, clDefault, 0);
    seenBody = surface.Pixel(3, size.cy / 2 - 1);
  };
  ordinary2->OnTold = [&] { ordinary1.reset(); };
  ASSERT_EQ(Radio()->PatternCode(3, size.cy / 2 - 1), rpcBody);

  {
    TSystemColorScope window(COLOR_WINDOW, RGB(200, 100, 50));
    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"primary 2", "primary 1", "ordinary 3", "ordinary 2"}));
    EXPECT_EQ(seenBody, RGB(200, 100, 50));
    log.clear();
  }
  ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }));
  TPainterSurface surface(size.cx, size.cy);
  Radio()->Draw(surface.cx(), 0, false, false, false, cxbsNormal, lfFlat, clDefault, 0);
  EXPECT_EQ(surface.Pixel(3, size.cy / 2 - 1), GetSysColor(COLOR_WINDOW));
}
