// Status panes: the width AutoSize gives, where the caption goes (alignment, offset, right to
// left), blinking phase by phase through the shared list, the fill colour following Color, the
// separators of a gradient bar, and the application's hint through AutoHint.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "classlib/SysUtils.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/panels/PanelsTestSupport.h"
#include "toolkit/panels/RzPanelStatusBar.h"
#include "toolkit/panels/RzStatus.h"

namespace {
void UseTestFont(TFont* font)
{
  font->SetName("Tahoma");
  font->SetHeight(-13);
  font->SetColor(clBlack);
}

// The width of a text in the test font, measured on the screen.
int TextWidthOnScreen(const std::string& text)
{
  TScreenDC screen;
  TOwned<TCanvas> canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(screen);
  UseTestFont(canvas->Font());
  const int width = canvas->TextWidth(text);
  canvas->SetHandle(nullptr);
  return width;
}

int TextHeightOnScreen()
{
  TScreenDC screen;
  TOwned<TCanvas> canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(screen);
  UseTestFont(canvas->Font());
  const int height = canvas->TextHeight("Pp");
  canvas->SetHandle(nullptr);
  return height;
}

// The bounds of the pixels darker than mid-grey; empty when there are none.
RECT DarkBounds(const TDibSurface& s)
{
  RECT r{s.Width(), s.Height(), -1, -1};
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const COLORREF c = s.Pixel(x, y);
      if (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
  return r;
}

int CountNear(const TDibSurface& s, COLORREF color)
{
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) n += ColorDistance(s.Pixel(x, y), color) < 60;
  return n;
}

void Tick(TRzBlinkingControlsList* list) { list->Timer()->OnTimer()(list->Timer()); }
}  // namespace

TEST(RzStatusPane, AutoSizeFitsTheWidthToTheCaptionWithItsInsets)
{
  struct TCase {
    std::string Caption;
    int BorderWidth, CaptionOffset;
  };
  const TCase cases[] = {
    {"共有12个文件", 1, 2}, {"x", 1, 2}, {"A&B", 3, 0}, {"文件夹路径：C:\\data", 0, 7},
  };
  TPanelsForm f;
  auto* pane = New<TRzStatusPane>(f.Form);
  UseTestFont(pane->Font());
  pane->SetAutoSize(true);
  EXPECT_EQ(pane->Width(), 40);  // no caption: the default width
  pane->SetDefaultWidth(55);
  EXPECT_EQ(pane->Width(), 55);
  for (const TCase& c : cases) {
    pane->SetBorderWidth(c.BorderWidth);
    pane->SetCaptionOffset(c.CaptionOffset);
    pane->SetCaption(c.Caption);
    EXPECT_EQ(pane->Width(), TextWidthOnScreen(c.Caption) + 2 * c.BorderWidth + c.CaptionOffset + 6) << c.Caption;
  }
  pane->SetCaption("");
  EXPECT_EQ(pane->Width(), 55);
  // Without AutoSize the width stays what it is set to.
  pane->SetAutoSize(false);
  pane->SetCaption("a much longer caption than before");
  EXPECT_EQ(pane->Width(), 55);
}

TEST(RzStatusPane, TheCaptionIsPlacedByAlignmentAndOffsetAndMirroredRightToLeft)
{
  struct TCase {
    TAlignment Alignment;
    int CaptionOffset;
    bool RightToLeft;
    TAlignment Effective;
  };
  const TCase cases[] = {
    {taLeftJustify, 2, false, taLeftJustify},  {taLeftJustify, 10, false, taLeftJustify},
    {taRightJustify, 2, false, taRightJustify}, {taRightJustify, 6, false, taRightJustify},
    {taCenter, 2, false, taCenter},             {taLeftJustify, 2, true, taRightJustify},
    {taRightJustify, 4, true, taLeftJustify},   {taCenter, 2, true, taCenter},
  };
  TScopedSeam middleEast(SysLocale().MiddleEast, true);
  TPanelsForm f;
  auto* pane = New<TRzStatusPane>(f.Form);
  pane->SetBounds(0, 0, 120, 24);
  pane->SetFrameStyle(TFrameStyleEx::fsNone);  // caption area (1, 1, 119, 23)
  UseTestFont(pane->Font());
  pane->SetCaption("Wg");
  const int width = TextWidthOnScreen("Wg");
  const int top = 1 + (22 - TextHeightOnScreen()) / 2;
  for (const TCase& c : cases) {
    pane->SetAlignment(c.Alignment);
    pane->SetCaptionOffset(c.CaptionOffset);
    pane->SetBiDiMode(c.RightToLeft ? bdRightToLeft : bdLeftToRight);
    TDibSurface s(120, 24);
    PaintControl(pane, s);
    const RECT ink = DarkBounds(s);
    const std::string label = "case " + std::to_string(&c - cases);
    ASSERT_LT(ink.left, ink.right) << label;
    // The ink lies inside the text's cell; the cell starts, ends or centres at the anchor.
    int cellLeft = 0;
    switch (c.Effective) {
      case taLeftJustify: cellLeft = 1 + c.CaptionOffset + 1; break;
      case taRightJustify: cellLeft = 119 - c.CaptionOffset - 1 - width; break;
      case taCenter: cellLeft = 1 + 118 / 2 - width / 2; break;
    }
    EXPECT_GE(ink.left, cellLeft - 1) << label;
    EXPECT_LE(ink.right, cellLeft + width + 1) << label;
    EXPECT_GT(ink.right - ink.left, width / 2) << label;
    EXPECT_GE(ink.top, top) << label;
    EXPECT_LE(ink.bottom, top + TextHeightOnScreen()) << label;
  }
}

TEST(RzStatusPane, BlinkingSwitchesTheTextColourOnEachPhase)
{
  TPanelsForm f;
  auto* pane = New<TRzStatusPane>(f.Form);
  auto* still = New<TRzStatusPane>(f.Form);
  pane->SetBounds(0, 0, 120, 24);
  UseTestFont(pane->Font());
  pane->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
  pane->SetCaption("WWWW");
  pane->SetBlinkColor(clRed);
  TRzBlinkingControlsList* list = PeekBlinkingControlsList();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->Contains(pane));
  EXPECT_TRUE(list->Contains(still));  // registered, blinking or not

  auto redInk = [&] {
    TDibSurface s(120, 24);
    PaintControl(pane, s);
    return CountNear(s, RGB(255, 0, 0));
  };
  pane->SetBlinking(true);
  EXPECT_EQ(pane->ActiveTextColor(), clBlack);  // nothing until the next blink phase
  Tick(list);                                   // a normal phase
  EXPECT_FALSE(pane->BlinkOn());
  EXPECT_EQ(pane->ActiveTextColor(), clBlack);
  EXPECT_EQ(redInk(), 0);
  Tick(list);  // a blink phase
  EXPECT_TRUE(pane->BlinkOn());
  EXPECT_EQ(pane->ActiveTextColor(), clRed);
  EXPECT_GT(redInk(), 0);
  EXPECT_EQ(still->ActiveTextColor(), still->NormalTextColor());
  Tick(list);
  EXPECT_EQ(pane->ActiveTextColor(), clBlack);
  Tick(list);
  EXPECT_EQ(pane->ActiveTextColor(), clRed);
  // Switched off in a blink phase: the font's colour at once.
  pane->SetBlinking(false);
  EXPECT_FALSE(pane->BlinkOn());
  EXPECT_EQ(pane->ActiveTextColor(), clBlack);
  EXPECT_EQ(redInk(), 0);
  // A font colour change is the normal colour, and shows at once when not blinking.
  pane->Font()->SetColor(clBlue);
  EXPECT_EQ(pane->NormalTextColor(), clBlue);
  EXPECT_EQ(pane->ActiveTextColor(), clBlue);
}

TEST(RzStatusPane, TheBlinkListLivesWithThePanesAndItsIntervalsAreShared)
{
  {
    TPanelsForm f;
    auto* a = New<TRzStatusPane>(f.Form);
    auto* b = New<TRzStatusPane>(f.Form);
    a->SetBlinkIntervalOn(300);
    EXPECT_EQ(b->BlinkIntervalOn(), 300);
    EXPECT_EQ(PeekBlinkingControlsList()->BlinkIntervalOn(), 300);
    b->SetBlinkIntervalOff(700);
    EXPECT_EQ(a->BlinkIntervalOff(), 700);
    Free(a);
    EXPECT_NE(PeekBlinkingControlsList(), nullptr);
  }
  EXPECT_EQ(PeekBlinkingControlsList(), nullptr);  // freed with the last pane
}

TEST(RzStatusPane, FillColorFollowsColorUntilItIsSetAndOpaquePanesFillWithIt)
{
  TPanelsForm f;
  f.Form->SetColor(clAqua);
  auto* pane = New<TRzStatusPane>(f.Form);
  pane->SetParent(f.Form);
  EXPECT_EQ(pane->Color(), clAqua);
  EXPECT_EQ(pane->FillColor(), clAqua);
  f.Form->SetColor(clYellow);
  EXPECT_EQ(pane->FillColor(), clYellow);
  pane->SetFillColor(clRed);
  EXPECT_FALSE(pane->ParentFillColor());
  f.Form->SetColor(clLime);
  EXPECT_EQ(pane->Color(), clLime);
  EXPECT_EQ(pane->FillColor(), clRed);
  pane->SetParentFillColor(true);
  EXPECT_EQ(pane->FillColor(), clLime);

  // An opaque pane fills itself with Color and its caption rectangle with FillColor.
  pane->SetFillColor(clRed);
  pane->SetTransparent(false);
  pane->SetBounds(0, 0, 60, 20);
  TDibSurface s(60, 20, RGB(255, 0, 255));
  PaintControl(pane, s);
  EXPECT_EQ(s.Pixel(0, 0), RGB(0, 255, 0));      // Color, outside the inset frame
  EXPECT_EQ(s.Pixel(30, 10), RGB(255, 0, 0));    // FillColor, inside the caption rectangle
  pane->SetTransparent(true);
  s.Fill(RGB(255, 0, 255));
  PaintControl(pane, s);
  EXPECT_EQ(s.Pixel(30, 10), RGB(255, 0, 255));
}

TEST(RzStatusPane, OnAGradientBarThePanesArePartedByLinesAndTheFirstHasNone)
{
  TPanelsForm f;
  auto* bar = New<TRzStatusBar>(f.Form);
  bar->SetParent(f.Form);
  bar->SetVisualStyle(TRzVisualStyle::vsGradient);
  auto* first = New<TRzStatusPane>(bar);
  first->SetParent(bar);
  first->SetWidth(80);
  first->SetAlign(alLeft);
  auto* second = New<TRzStatusPane>(bar);
  second->SetParent(bar);
  second->SetAlign(alClient);
  EXPECT_FALSE(second->IsThemedInStatusBar());
  TDibSurface s(bar->Width(), bar->Height());
  PrintControl(bar, s);
  TColor dark, light, line;
  GetSchemeStatusColors(TRzGradientColorStyle::gcsSystem, dark, light, line);
  const int x = second->Left() + 1;  // inside the pane's inset of 1
  for (int y = second->Top() + 2; y < second->Top() + second->Height() - 2; ++y)
    EXPECT_EQ(s.Pixel(x, y), Rgb(line)) << y;
  EXPECT_NE(s.Pixel(first->Left() + 1, 9), Rgb(line));
  EXPECT_NE(s.Pixel(x + 1, 9), Rgb(line));
}

TEST(RzStatusPane, AutoHintShowsTheHintTheFormOffersItsControls)
{
  TPanelsForm f;
  auto* bar = New<TRzStatusBar>(f.Form);
  bar->SetParent(f.Form);
  auto* plain = New<TRzStatusPane>(bar);
  plain->SetParent(bar);
  auto* hints = New<TRzStatusPane>(bar);
  hints->SetParent(bar);
  hints->SetAutoHint(true);
  TOwned<THintAction> action = MakeOwned<THintAction>(nullptr);
  action->SetHint("打开文件夹");
  EXPECT_TRUE(f.Form->DispatchAction(action.get()));
  EXPECT_EQ(hints->Caption(), "打开文件夹");
  EXPECT_EQ(plain->Caption(), "");
  // Other actions are not taken.
  TOwned<TAction> other = MakeOwned<TAction>(nullptr);
  other->SetHint("x");
  EXPECT_FALSE(f.Form->DispatchAction(other.get()));
  // A hidden pane is not offered the hint.
  hints->SetVisible(false);
  action->SetHint("hidden");
  EXPECT_FALSE(f.Form->DispatchAction(action.get()));
  EXPECT_EQ(hints->Caption(), "打开文件夹");
}
