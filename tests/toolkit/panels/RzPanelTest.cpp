// The panel and the status bar: the client area inside the frames, the fill under a rounded
// frame, gradient colours (reversed on the bar), children's enabled states, the frame controller,
// the bar's default layout against a stored frame, pane scaling, the simple status line, the
// themed and classic looks, and the size grip with a pane lying under it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ObjectText.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/panels/PanelsTestSupport.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/panels/RzPanelStatusBar.h"
#include "toolkit/panels/RzStatus.h"

namespace {
RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
std::string Show(const RECT& r)
{
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// A status bar along the bottom of the form, which is made as wide as the bar.
TRzStatusBar* NewBar(TForm* form, int width)
{
  form->SetClientWidth(width);
  auto* bar = New<TRzStatusBar>(form);
  bar->SetParent(form);
  return bar;
}

TRzStatusPane* NewPane(TWinControl* parent, TAlign align, int width)
{
  auto* pane = New<TRzStatusPane>(parent);
  pane->SetParent(parent);
  pane->SetWidth(width);
  pane->SetAlign(align);
  return pane;
}
}  // namespace

TEST(RzPanel, TheClientAreaLiesInsideTheFramesOnTheirSides)
{
  struct TCase {
    TFrameStyleEx Outer, Inner;
    TSides Sides;
    int BevelWidth;
    RECT Expected;
  };
  using enum TFrameStyleEx;
  const TSides leftTop{TSide::sdLeft, TSide::sdTop};
  const TCase cases[] = {
    {fsNone, fsNone, sdAllSides, 1, Rect(0, 0, 100, 50)},
    {fsFlat, fsNone, sdAllSides, 1, Rect(1, 1, 99, 49)},
    {fsRaised, fsFlat, sdAllSides, 1, Rect(3, 3, 97, 47)},
    {fsFlatRounded, fsGroove, leftTop, 1, Rect(4, 4, 100, 50)},
    {fsStatus, fsPopup, sdAllSides, 3, Rect(6, 6, 94, 44)},
    {fsFlatBold, fsNone, TSides{TSide::sdBottom}, 1, Rect(0, 0, 100, 48)},
  };
  TPanelsForm f;
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetBounds(0, 0, 100, 50);
  for (const TCase& c : cases) {
    panel->SetBorderOuter(c.Outer);
    panel->SetBorderInner(c.Inner);
    panel->SetBorderSides(c.Sides);
    panel->SetBevelWidth(c.BevelWidth);
    EXPECT_TRUE(Same(panel->ClientRect(), c.Expected)) << Show(panel->ClientRect()) << " for case "
                                                       << (&c - cases);
  }
  // The border band is left to the children's layout.
  panel->SetBorderOuter(fsFlat);
  panel->SetBorderInner(fsNone);
  panel->SetBorderSides(sdAllSides);
  panel->SetBorderWidth(4);
  auto* child = New<TRzCustomPanel>(f.Form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  EXPECT_TRUE(Same(panel->ClientRect(), Rect(1, 1, 99, 49)));
  EXPECT_TRUE(Same(child->BoundsRect(), Rect(5, 5, 95, 45))) << Show(child->BoundsRect());
}

TEST(RzPanel, ARoundedFrameLeavesItsCutCornersToTheFillAndTheParentColour)
{
  TPanelsForm f;
  f.Form->SetColor(static_cast<TColor>(RGB(0, 128, 0)));
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetParent(f.Form);
  panel->SetBounds(0, 0, 40, 30);
  panel->SetColor(static_cast<TColor>(RGB(250, 240, 10)));
  panel->SetBorderOuter(TFrameStyleEx::fsFlatRounded);
  TDibSurface s(40, 30, RGB(255, 0, 255));
  PrintControl(panel, s);
  const COLORREF frame = Rgb(AdjustColorLightness(clBtnShadow, 30));
  EXPECT_EQ(s.Pixel(0, 0), RGB(0, 128, 0));   // outside the rounded corner: the parent's colour
  EXPECT_EQ(s.Pixel(1, 1), frame);            // the corner pixel of the fill, recoloured
  EXPECT_EQ(s.Pixel(38, 28), frame);
  EXPECT_EQ(s.Pixel(0, 15), frame);           // the rounded frame's side
  EXPECT_EQ(s.Pixel(1, 15), RGB(250, 240, 10));  // the fill reaches under the frame's inner ring
  EXPECT_EQ(s.Pixel(20, 15), RGB(250, 240, 10));
}

TEST(RzPanel, TheDesignGridDrawsDotsDottedOrSolidLinesEverySpacing)
{
  TPanelsForm f;
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetBounds(0, 0, 40, 30);
  panel->SetBorderOuter(TFrameStyleEx::fsNone);
  panel->SetColor(clWhite);
  panel->SetGridLineColor(clRed);
  panel->SetGridVisible(true);
  const RECT all{0, 0, 40, 30};
  const COLORREF red = RGB(255, 0, 0);
  TDibSurface s(40, 30);
  PrintControl(panel, s);
  // Five columns and three rows of 8 pixels: a dot at the end of each cell.
  EXPECT_EQ(s.Count(all, red), 15);
  EXPECT_EQ(s.Pixel(7, 7), red);
  EXPECT_EQ(s.Pixel(39, 23), red);
  EXPECT_NE(s.Pixel(8, 7), red);

  panel->SetGridKind(TRzGridKind::gkSolidLines);
  PrintControl(panel, s);
  EXPECT_EQ(s.Count(RECT{0, 0, 40, 1}, red), 5);   // the columns cross the top row
  EXPECT_EQ(s.Count(RECT{0, 7, 40, 8}, red), 40);  // a whole row
  panel->SetGridKind(TRzGridKind::gkDottedLines);
  PrintControl(panel, s);
  EXPECT_NE(s.Pixel(7, 0), red);  // every second pixel, from one after the start
  EXPECT_EQ(s.Pixel(7, 1), red);
  EXPECT_NE(s.Pixel(7, 2), red);
  EXPECT_EQ(s.Pixel(1, 15), red);
  // A spacing of 0 draws nothing in that direction.
  panel->SetGridSpacingY(0);
  PrintControl(panel, s);
  EXPECT_EQ(s.Count(RECT{0, 7, 40, 8}, red), 5);  // only the columns pass the row
  EXPECT_EQ(s.Pixel(1, 15), RGB(255, 255, 255));
}

TEST(RzPanel, AGradientRunsFromTheFirstColourToTheSecondAndTheStatusBarReversesThem)
{
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &VisualStylesOff);
  TPanelsForm f;
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetParent(f.Form);
  auto* bar = NewBar(f.Form, 60);
  for (TRzCustomPanel* p : {panel, static_cast<TRzCustomPanel*>(bar)}) {
    p->SetBounds(p->Left(), p->Top(), 60, 20);
    p->SetBorderOuter(TFrameStyleEx::fsNone);
    p->SetVisualStyle(TRzVisualStyle::vsGradient);
    p->SetGradientColorStyle(TRzGradientColorStyle::gcsCustom);
    p->SetGradientColorStart(clRed);
    p->SetGradientColorStop(clBlue);
  }
  TDibSurface s(60, 20), t(60, 20);
  PrintControl(panel, s);
  PrintControl(bar, t);
  // The last row is one step short of the second colour.
  const int step = 255 / 19 + 1;
  EXPECT_EQ(s.Pixel(30, 0), RGB(255, 0, 0));
  EXPECT_LE(ColorDistance(s.Pixel(30, 19), RGB(0, 0, 255)), step);
  EXPECT_EQ(t.Pixel(30, 0), RGB(0, 0, 255));
  EXPECT_LE(ColorDistance(t.Pixel(30, 19), RGB(255, 0, 0)), step);
  // With scheme colours the bar runs from its dark colour to its light one.
  bar->SetGradientColorStyle(TRzGradientColorStyle::gcsSystem);
  TColor dark, light, line;
  GetSchemeStatusColors(TRzGradientColorStyle::gcsSystem, dark, light, line);
  t.Fill(RGB(255, 0, 255));
  PrintControl(bar, t);
  EXPECT_LE(ColorDistance(t.Pixel(30, 0), Rgb(dark)), 1);
  EXPECT_LE(ColorDistance(t.Pixel(30, 19), Rgb(light)), step);
}

TEST(RzPanel, EnablingAgainKeepsDisabledTheChildrenThatWereDisabledBefore)
{
  TPanelsForm f;
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetParent(f.Form);
  auto* a = New<TRzCustomPanel>(f.Form);
  auto* b = New<TRzCustomPanel>(f.Form);
  auto* c = NewPane(panel, alLeft, 30);
  a->SetParent(panel);
  b->SetParent(panel);
  b->SetEnabled(false);
  panel->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(b->Enabled());
  EXPECT_FALSE(c->Enabled());
  EXPECT_EQ(panel->SavedEnabledStates()->Count(), 3);
  auto* late = New<TRzCustomPanel>(f.Form);  // added while disabled: not recorded
  late->SetParent(panel);
  late->SetEnabled(false);
  panel->SetEnabled(true);
  EXPECT_TRUE(a->Enabled());
  EXPECT_FALSE(b->Enabled());
  EXPECT_TRUE(c->Enabled());
  EXPECT_TRUE(late->Enabled());
}

TEST(RzPanel, TheFrameControllerSetsTheFrameWhileItsFrameIsVisible)
{
  TPanelsForm f;
  auto* controller = New<TRzFrameController>(f.Form);
  auto* panel = New<TRzCustomPanel>(f.Form);
  panel->SetParent(f.Form);
  controller->SetFrameStyle(TFrameStyleEx::fsGroove);
  controller->SetColor(clYellow);
  panel->SetFrameController(controller);
  EXPECT_EQ(panel->BorderOuter(), TFrameStyleEx::fsRaised);  // the frame is not visible yet
  controller->SetFrameVisible(true);
  EXPECT_EQ(panel->BorderOuter(), TFrameStyleEx::fsGroove);
  EXPECT_EQ(panel->FlatColor(), clBtnShadow);
  EXPECT_EQ(panel->FlatColorAdjustment(), 0);
  EXPECT_EQ(panel->Color(), clYellow);
  EXPECT_EQ(panel->HighlightColor(), LightenColor(clYellow, 100));
  EXPECT_EQ(panel->ShadowColor(), DarkenColor(clYellow, 50));
  // Only the accepted settings come through.
  panel->SetFrameControllerNotifications(TRzFrameControllerNotifications{TRzFrameControllerProperty::fcpFrameSides});
  controller->SetFrameSides(TSides{TSide::sdTop});
  controller->SetFrameStyle(TFrameStyleEx::fsBump);
  EXPECT_EQ(panel->BorderSides(), TSides{TSide::sdTop});
  EXPECT_EQ(panel->BorderOuter(), TFrameStyleEx::fsGroove);
  Free(controller);
  EXPECT_EQ(panel->FrameController(), nullptr);
}

TEST(RzStatusBar, StartsWithTheDefaultLayoutAndAStoredFrameSurvivesLoading)
{
  TPanelsForm f;
  auto* bar = New<TRzStatusBar>(f.Form);
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Height(), 19);
  EXPECT_EQ(bar->BorderOuter(), TFrameStyleEx::fsNone);
  EXPECT_EQ(bar->BorderInner(), TFrameStyleEx::fsNone);
  EXPECT_EQ(bar->BorderWidth(), 0);
  EXPECT_TRUE(bar->AutoStyle());

  auto read = [](const char* borders) {
    std::string text = "object F: TForm\n  object B: TRzStatusBar\n    Height = 30\n" + std::string(borders) +
                       "  end\nend\n";
    auto* form = static_cast<TForm*>(ReadComponentFromText(text, nullptr, Application));
    return form;
  };
  // The main window's settings: the default layout, which AutoStyle lays again.
  TForm* plain = read("    BorderInner = fsNone\n    BorderOuter = fsNone\n    BorderSides = [sdLeft, sdTop, sdRight, sdBottom]\n");
  auto* plainBar = As<TRzStatusBar>(plain->FindComponent("B"));
  EXPECT_TRUE(plainBar->AutoStyle());
  EXPECT_EQ(plainBar->Height(), 19);
  Free(plain);
  // A changed frame keeps itself and its height.
  TForm* framed = read("    BorderOuter = fsRaised\n");
  auto* framedBar = As<TRzStatusBar>(framed->FindComponent("B"));
  EXPECT_FALSE(framedBar->AutoStyle());
  EXPECT_EQ(framedBar->BorderOuter(), TFrameStyleEx::fsRaised);
  EXPECT_EQ(framedBar->Height(), 30);
  Free(framed);
}

TEST(RzStatusBar, ADefaultBarStoresNeitherAlignNorColour)
{
  // The bar declares Align and Color again with defaults of its own: those replace the control's,
  // and each property is written once at most.
  TPanelsForm f;
  auto* bar = New<TRzStatusBar>(f.Form);
  bar->SetName("B");
  std::string text = ComponentToText(bar);
  EXPECT_EQ(text.find("Align ="), std::string::npos) << text;
  EXPECT_EQ(text.find("  Color ="), std::string::npos) << text;
  // A colour other than the bar's default is written once, and an alignment other than its own.
  bar->SetColor(clRed);
  bar->SetAlign(alTop);
  text = ComponentToText(bar);
  EXPECT_NE(text.find("  Color = clRed"), std::string::npos) << text;
  EXPECT_EQ(text.find("  Color ="), text.rfind("  Color =")) << text;
  EXPECT_NE(text.find("  Align = alTop"), std::string::npos) << text;
  EXPECT_EQ(text.find("  Align ="), text.rfind("  Align =")) << text;
}

TEST(RzStatusBar, AutoScalePanesScalesThePanesWithTheWidth)
{
  TPanelsForm f(800, 200);
  auto* bar = New<TRzStatusBar>(f.Form);
  bar->SetAlign(alNone);
  bar->SetAutoScalePanes(true);
  bar->SetParent(f.Form);
  bar->SetWidth(400);  // the first resize measures, and scales nothing
  auto* a = NewPane(bar, alLeft, 100);
  auto* b = NewPane(bar, alLeft, 300);
  EXPECT_EQ(a->Width(), 100);
  bar->SetWidth(500);
  EXPECT_EQ(a->Width(), 125);
  EXPECT_EQ(b->Width(), 375);
  // Below 50 pixels nothing changes, the remembered width neither.
  bar->SetWidth(40);
  EXPECT_EQ(a->Width(), 125);
  EXPECT_EQ(b->Width(), 375);
  bar->SetWidth(600);
  EXPECT_EQ(a->Width(), 150);
  EXPECT_EQ(b->Width(), 450);
  // Halves round to the even pixel: 2 x 0.25 = 0.5 gives 0, 2 x 0.75 = 1.5 gives 2.
  bar->SetWidth(602);
  EXPECT_EQ(a->Width(), 150);
  EXPECT_EQ(b->Width(), 452);
  // Without AutoScalePanes the widths stay.
  bar->SetAutoScalePanes(false);
  bar->SetWidth(700);
  EXPECT_EQ(a->Width(), 150);
}

TEST(RzStatusBar, SimpleStatusHidesThePanesAndShowsOneLineOfText)
{
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &VisualStylesOff);
  TPanelsForm f;
  auto* bar = NewBar(f.Form, 200);
  bar->SetVisualStyle(TRzVisualStyle::vsClassic);
  auto* a = NewPane(bar, alLeft, 80);
  auto* b = NewPane(bar, alClient, 0);
  a->SetCaption("left");
  b->SetCaption("right");
  bar->SetSimpleStatus(true);
  EXPECT_FALSE(a->Visible());
  EXPECT_FALSE(b->Visible());
  bar->SetSimpleCaption("WWWW");
  bar->Font()->SetColor(clRed);
  TDibSurface s(200, 19, RGB(0, 255, 0));
  PrintControl(bar, s);
  // The line's flat frame leaves its corners, and its text is drawn inside it.
  const COLORREF frame = Rgb(AdjustColorLightness(clBtnShadow, 30));
  const RECT client = bar->ClientRect();
  EXPECT_TRUE(Same(client, Rect(0, 2, 200, 20))) << Show(client);
  EXPECT_EQ(s.Pixel(0, 10), frame);
  EXPECT_EQ(s.Pixel(100, 2), frame);
  EXPECT_EQ(s.Pixel(0, 2), Rgb(clBtnFace));
  int red = 0;
  for (int y = 3; y < 18; ++y)
    for (int x = 1; x < 60; ++x) red += ColorDistance(s.Pixel(x, y), RGB(255, 0, 0)) < 80;
  EXPECT_GT(red, 0);
  bar->SetSimpleStatus(false);
  EXPECT_TRUE(a->Visible());
  EXPECT_TRUE(b->Visible());
  EXPECT_EQ(b->Left(), a->Left() + 80);
}

TEST(RzStatusBar, TheClientAreaDependsOnVisualStylesAndSimpleStatus)
{
  TPanelsForm f;
  auto* bar = NewBar(f.Form, 300);
  ASSERT_TRUE(AreThemesEnabled()) << "the test system runs with visual styles on";
  EXPECT_TRUE(Same(bar->ClientRect(), Rect(0, 0, 300, 19)));
  bar->SetSimpleStatus(true);
  EXPECT_TRUE(Same(bar->ClientRect(), Rect(1, 1, 299, 19)));
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &VisualStylesOff);
  EXPECT_TRUE(Same(bar->ClientRect(), Rect(0, 2, 300, 20)));
  bar->SetSimpleStatus(false);
  EXPECT_TRUE(Same(bar->ClientRect(), Rect(-1, 1, 301, 20)));
}

TEST(RzStatusBar, WithVisualStylesTheBarAndItsPanesDrawTheStatusBarThemeAndSkipOnPaint)
{
  TPanelsForm f;
  auto* bar = NewBar(f.Form, 300);
  auto* pane = NewPane(bar, alLeft, 100);
  ASSERT_TRUE(bar->IsThemed());
  EXPECT_TRUE(pane->IsThemedInStatusBar());
  struct TPaintCounter : TObject {
    int Count = 0;
    void Paint(TObject*) { ++Count; }
  };
  auto counter = MakeOwned<TPaintCounter>();
  bar->SetOnPaint(TNotifyEvent(counter.get(), &TPaintCounter::Paint));

  TDibSurface s(300, 19, RGB(255, 0, 255));
  PrintControl(bar, s);
  EXPECT_EQ(counter->Count, 0);
  // What the theme draws: the bar's background, and the pane element over the pane.
  TDibSurface expected(300, 19, RGB(255, 0, 255));
  HTHEME theme = StatusBarTheme();
  ASSERT_NE(theme, nullptr);
  const RECT all{0, 0, 300, 19}, paneRect{0, 0, 100, 19};
  dxUxTheme::DrawThemeBackground(theme, expected.DC(), 0, 0, &all, nullptr);
  for (int x : {150, 250, 299}) EXPECT_EQ(s.Pixel(x, 9), expected.Pixel(x, 9)) << x;
  dxUxTheme::DrawThemeBackground(theme, expected.DC(), 1, 0, &paneRect, nullptr);
  for (int x : {0, 99}) EXPECT_EQ(s.Pixel(x, 9), expected.Pixel(x, 9)) << x;

  // Visual styles off: the classic look, and OnPaint fires.
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &VisualStylesOff);
  EXPECT_FALSE(bar->IsThemed());
  bar->Realign();
  s.Fill(RGB(255, 0, 255));
  PrintControl(bar, s);
  EXPECT_EQ(counter->Count, 1);
  // The pane lies at (-1, 1): its flat frame, inset by its border width, leaves its corners.
  const COLORREF frame = Rgb(AdjustColorLightness(clBtnShadow, 30));
  EXPECT_TRUE(Same(pane->BoundsRect(), Rect(-1, 1, 99, 20))) << Show(pane->BoundsRect());
  EXPECT_EQ(s.Pixel(1, 2), frame);   // top line
  EXPECT_EQ(s.Pixel(0, 2), Rgb(clBtnFace));  // its corner, left out
  EXPECT_EQ(s.Pixel(0, 10), frame);  // left line
  EXPECT_EQ(s.Pixel(97, 10), frame);  // right line
  EXPECT_EQ(s.Pixel(150, 10), Rgb(clBtnFace));
}

TEST(RzStatusBar, TheClassicSizeGripIsSixLightDotsWithDarkOnesAPixelUpAndLeft)
{
  TScopedSeam stylesOff(dxUxThemeEntryPoints.IsThemeActive, &VisualStylesOff);
  TPanelsForm f;
  auto* bar = NewBar(f.Form, 100);
  TCanvasOnSurface c(100, 20, RGB(255, 0, 255));
  bar->DrawSizeGrip(c.Canvas(), Rect(0, 0, 100, 20));
  const COLORREF light = Rgb(clBtnHighlight), dark = Rgb(clBtnShadow);
  const POINT dots[] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
  for (const POINT& d : dots) {
    const int x = 100 - d.x, y = 20 - d.y;
    EXPECT_EQ(c.Pixel(x + 1, y + 1), light) << d.x << "," << d.y;
    EXPECT_EQ(c.Pixel(x - 1, y - 1), dark) << d.x << "," << d.y;
    EXPECT_EQ(c.Pixel(x, y), dark) << d.x << "," << d.y;
  }
  EXPECT_EQ(c.Surface().Count(Rect(0, 0, 100, 20), light) + c.Surface().Count(Rect(0, 0, 100, 20), dark), 6 * 4 + 6 * 3);
  EXPECT_EQ(c.Pixel(100 - 14, 20 - 13), RGB(255, 0, 255));
}

namespace {
// Records the system commands the form receives and swallows them (sizing would start a loop).
struct TSysCommandRecorder {
  explicit TSysCommandRecorder(TForm* form) : Form(form), Old(form->WindowProc())
  {
    form->SetWindowProc([this](TMessage& msg) {
      if (msg.Msg == WM_SYSCOMMAND) {
        Commands.push_back(msg.WParam);
        return;
      }
      Old(msg);
    });
  }
  ~TSysCommandRecorder() { Form->SetWindowProc(Old); }
  TForm* Form;
  TWndMethod Old;
  std::vector<WPARAM> Commands;
};

struct TMouseLog : TObject {
  int Downs = 0;
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++Downs; }
};
}  // namespace

TEST(RzStatusBar, AClickOnTheSizeGripSizesTheFormThroughAPaneLyingUnderIt)
{
  TPanelsForm f(300, 100);
  auto* bar = NewBar(f.Form, 300);
  auto* pane = NewPane(bar, alClient, 0);
  auto log = MakeOwned<TMouseLog>();
  pane->SetOnMouseDown(TMouseEvent(log.get(), &TMouseLog::MouseDown));
  bar->HandleNeeded();
  ASSERT_TRUE(bar->SizeGripValid());
  TSysCommandRecorder recorder(f.Form);

  // The pane is not hit in the grip's strip, and is elsewhere.
  const POINT inGrip{bar->Width() - 5, 10}, outside{bar->Width() - 20, 10};
  EXPECT_TRUE(pane->IsUnderSizeGrip(pane->ClientRect()));
  EXPECT_EQ(bar->ControlAtPos(inGrip, false), nullptr);
  EXPECT_EQ(bar->ControlAtPos(outside, false), pane);
  const POINT inPane{inGrip.x - pane->Left(), inGrip.y - pane->Top()};
  EXPECT_EQ(pane->Perform(CM_HITTEST, 0, PointToLParam(inPane)), 0);

  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(inGrip));
  bar->Perform(WM_LBUTTONUP, 0, PointToLParam(inGrip));
  EXPECT_EQ(recorder.Commands, (std::vector<WPARAM>{SC_SIZE + WMSZ_BOTTOMRIGHT}));
  EXPECT_EQ(log->Downs, 0);
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(outside));
  bar->Perform(WM_LBUTTONUP, 0, PointToLParam(outside));
  EXPECT_EQ(log->Downs, 1);
  EXPECT_EQ(recorder.Commands.size(), 1u);

  // A form that cannot be sized has no grip: the pane keeps the whole of its area.
  f.Form->SetBorderStyle(TFormBorderStyle::bsSingle);
  bar->SetShowSizeGrip(false);
  bar->SetShowSizeGrip(true);
  EXPECT_FALSE(bar->SizeGripValid());
  EXPECT_EQ(bar->ControlAtPos(inGrip, false), pane);
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(inGrip));
  bar->Perform(WM_LBUTTONUP, 0, PointToLParam(inGrip));
  EXPECT_EQ(recorder.Commands.size(), 1u);
  EXPECT_EQ(log->Downs, 2);
}
