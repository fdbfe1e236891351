// The manager's painter and effective style, the look-and-feel made to match the bars, the fonts
// that follow the system menu font, and the flat styles' colours and brushes.
#include <gtest/gtest.h>
#include <cstring>
#include <optional>
#include <string>
#include <vector>
#include "classlib/GraphicsUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarThemes.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
class TTestSkinPainter : public TcxUltraFlatLookAndFeelPainter {
  CL_CLASS(TTestSkinPainter, TcxUltraFlatLookAndFeelPainter)
public:
  std::string GetPainterName() const override { return "BarTestSkin"; }
  TcxPainterStyle PainterStyle() const override { return cpsSkin; }
};
CL_DEFINE_CLASS(TTestSkinPainter);

// A skin bar painter that remembers the skin painter it was made with.
class TTestSkinBarPainter : public TdxBarStandardPainter {
  CL_CLASS(TTestSkinBarPainter, TdxBarStandardPainter)
public:
  explicit TTestSkinBarPainter(TcxCustomLookAndFeelPainter* skinPainter)
      : TdxBarStandardPainter(skinPainter), SkinPainter(skinPainter)
  {
  }
  TcxCustomLookAndFeelPainter* SkinPainter;
};
CL_DEFINE_CLASS(TTestSkinBarPainter);

BOOL WINAPI ThemesOff() { return FALSE; }

// Visual styles switched off for the life of the scope, the theme manager told of both switches.
class TVisualStylesOff {
public:
  TVisualStylesOff() { BroadcastToOwnWindows(WM_THEMECHANGED); }
  ~TVisualStylesOff()
  {
    FSeam.reset();
    BroadcastToOwnWindows(WM_THEMECHANGED);
  }

private:
  std::optional<TScopedSeam<decltype(dxUxThemeEntryPoints.IsThemeActive)>> FSeam{
      std::in_place, dxUxThemeEntryPoints.IsThemeActive, &ThemesOff};
};

LOGFONTA GMenuFont;
bool FakeMenuFont(LOGFONTA& font)
{
  font = GMenuFont;
  return true;
}

void SetFakeMenuFont(const char* face, int height)
{
  GMenuFont = LOGFONTA{};
  GMenuFont.lfHeight = height;
  GMenuFont.lfWeight = FW_NORMAL;
  GMenuFont.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(GMenuFont.lfFaceName, face, LF_FACESIZE - 1);
}

class TFontChangeCounter : public TObject {
  CL_CLASS(TFontChangeCounter, TObject)
public:
  int Count = 0;
  void Changed(TObject*, const TcxEventArgs&) { ++Count; }
};
CL_DEFINE_CLASS(TFontChangeCounter);
}  // namespace

TEST(dxBarManagerStyle, TheStyleAndTheLookAndFeelChooseThePainterAndTheEffectiveStyle)
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  ASSERT_TRUE(painters->Register(MakeOwned<TTestSkinPainter>()));
  TScopedSeam skinClass(SkinBarPainterClass, TdxBarPainterClass(ClassRef<TTestSkinBarPainter>()));
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  TcxLookAndFeel* lookAndFeel = manager->LookAndFeel();

  struct TCase {
    const char* What;
    TdxBarManagerStyle Style;
    TcxLookAndFeelKind Kind;
    bool Native;
    const char* Skin;
    bool StylesOn;
    TClass Painter;
    TdxBarManagerStyle Effective;
  };
  const TClass standard = TdxBarStandardPainter::StaticClass(), enhanced = TdxBarEnhancedPainter::StaticClass(),
               flat = TdxBarFlatPainter::StaticClass(), office11 = TdxBarOffice11Painter::StaticClass(),
               xp = TdxBarXPPainter::StaticClass(), skin = TTestSkinBarPainter::StaticClass();
  const TCase cases[] = {
    {"standard", bmsStandard, lfUltraFlat, false, "", true, standard, bmsStandard},
    {"enhanced", bmsEnhanced, lfUltraFlat, false, "", true, enhanced, bmsEnhanced},
    {"flat", bmsFlat, lfUltraFlat, false, "", true, flat, bmsFlat},
    {"Office 2003", bmsOffice11, lfUltraFlat, false, "", true, office11, bmsOffice11},
    {"XP with visual styles", bmsXP, lfUltraFlat, false, "", true, xp, bmsXP},
    {"XP without visual styles", bmsXP, lfUltraFlat, false, "", false, enhanced, bmsXP},
    {"a style ignores the look-and-feel", bmsFlat, lfStandard, true, "BarTestSkin", true, flat, bmsFlat},
    {"look-and-feel flat", bmsUseLookAndFeel, lfFlat, false, "", true, enhanced, bmsEnhanced},
    {"look-and-feel standard", bmsUseLookAndFeel, lfStandard, false, "", true, standard, bmsStandard},
    {"look-and-feel ultra-flat", bmsUseLookAndFeel, lfUltraFlat, false, "", true, flat, bmsFlat},
    {"look-and-feel Office 2003", bmsUseLookAndFeel, lfOffice11, false, "", true, office11, bmsOffice11},
    {"native style", bmsUseLookAndFeel, lfStandard, true, "", true, xp, bmsXP},
    {"native style without visual styles", bmsUseLookAndFeel, lfUltraFlat, true, "", false, flat, bmsFlat},
    {"a skin", bmsUseLookAndFeel, lfOffice11, false, "BarTestSkin", true, skin, bmsOffice11},
    {"native style over a skin", bmsUseLookAndFeel, lfFlat, true, "BarTestSkin", true, xp, bmsXP},
    {"a skin without visual styles", bmsUseLookAndFeel, lfStandard, false, "BarTestSkin", false, skin, bmsStandard},
  };
  for (const TCase& c : cases) {
    std::optional<TVisualStylesOff> off;
    if (!c.StylesOn) off.emplace();
    lookAndFeel->SetKind(c.Kind);
    lookAndFeel->SetNativeStyle(c.Native);
    lookAndFeel->SetSkinName(c.Skin);
    manager->SetStyle(c.Style);
    manager->RecreatePainter();
    EXPECT_EQ(manager->Painter()->ClassType(), c.Painter) << c.What;
    EXPECT_EQ(manager->GetEffectiveStyle(), c.Effective) << c.What;
    EXPECT_EQ(manager->SupportsRecentItems(), c.Effective != bmsStandard) << c.What;
    if (c.Painter == skin && manager->Painter()->ClassType() == skin)
      EXPECT_EQ(static_cast<TTestSkinBarPainter*>(manager->Painter())->SkinPainter, lookAndFeel->SkinPainter())
          << "the painter is made with the look-and-feel's skin painter";
  }
  lookAndFeel->SetSkinName("");
  Free(guard.Form);
  guard.Form = nullptr;
  ASSERT_TRUE(painters->Unregister("BarTestSkin"));
}

TEST(dxBarManagerStyle, AnyChangeOfStyleLookAndFeelOrVisualStyleMakesANewPainter)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  TWeakRef<TdxBarPainter> painter(manager->Painter());
  manager->SetStyle(bmsEnhanced);
  EXPECT_TRUE(painter) << "the same style keeps the painter";
  manager->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_FALSE(painter) << "a change of the look-and-feel";
  painter = manager->Painter();
  manager->SetNotDocking({dsLeft});
  EXPECT_FALSE(painter) << "a change of NotDocking";
  painter = manager->Painter();
  BroadcastToOwnWindows(WM_THEMECHANGED);
  EXPECT_FALSE(painter) << "a change of the visual style";
  EXPECT_EQ(manager->Painter()->ClassType(), TdxBarEnhancedPainter::StaticClass());
}

TEST(dxBarManagerStyle, TheLookAndFeelMadeToMatchTheBarsTakesThePainterStyle)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  auto target = MakeOwned<TcxLookAndFeel>(nullptr);
  const std::pair<TdxBarManagerStyle, TcxPainterStyle> cases[] = {
    {bmsStandard, cpsFlat}, {bmsEnhanced, cpsFlat}, {bmsFlat, cpsUltraFlat}, {bmsOffice11, cpsOffice11},
    {bmsXP, cpsNative},
  };
  for (auto [style, painterStyle] : cases) {
    target->SetSkinName("Some");
    manager->SetStyle(style);
    manager->ApplyStyleToLookAndFeel(target.get());
    EXPECT_EQ(target->CurrentPainterStyle(), painterStyle) << static_cast<int>(style);
    EXPECT_EQ(target->SkinName(), "") << "the skin name is cleared";
  }
  // The painter hands the request to the manager.
  manager->SetStyle(bmsFlat);
  manager->Painter()->ApplyLookAndFeelToManager(manager, target.get());
  EXPECT_EQ(target->CurrentPainterStyle(), cpsUltraFlat);
}

TEST(dxBarManagerStyle, TheLargeButtonHeightUnitIsTheArrowWidthMadeOdd)
{
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  struct TCase {
    int Width;
    bool LargeIcons;
    int Unit;
  };
  const TCase cases[] = {{11, false, 11}, {11, true, 23}, {12, false, 13}, {12, true, 25}};
  for (const TCase& c : cases) {
    manager->SetButtonArrowWidth(c.Width);
    manager->SetLargeIcons(c.LargeIcons);
    EXPECT_EQ(manager->Painter()->GetLargeButtonHeightUnit(manager), c.Unit) << c.Width << " " << c.LargeIcons;
  }
  EXPECT_EQ(manager->Painter()->GetOwnerBarBrush(manager), manager->FlatToolbarBrush());
}

TEST(dxBarManagerStyle, TheFontFollowsTheSystemMenuFontWholeOrByItsHeight)
{
  TScopedSeam menuFont(dxReadMenuFont, FakeMenuFont);
  SetFakeMenuFont("SimSun", -13);
  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  TdxBar* bar = manager->Bars()->Add();
  TOwned<TFontChangeCounter> counter = MakeOwned<TFontChangeCounter>();
  manager->OnFontChanged()->Add(TcxEventHandler(counter.get(), &TFontChangeCounter::Changed));
  TFont* font = manager->Font();
  EXPECT_EQ(font->Name(), "SimSun");
  EXPECT_EQ(font->Height(), -13);

  // Scaled: another height turns UseSystemFont off and the menu font's height comes back at once.
  font->SetColor(clRed);
  font->SetStyle({TFontStyle::fsBold});
  font->SetHeight(-20);
  EXPECT_FALSE(manager->UseSystemFont());
  EXPECT_EQ(font->Height(), -13);
  EXPECT_EQ(font->Name(), "SimSun");
  EXPECT_EQ(font->Color(), clRed);
  EXPECT_TRUE(font->Style().Contains(TFontStyle::fsBold));
  EXPECT_EQ(bar->Font()->Height(), -13) << "the bars take the font";
  EXPECT_EQ(counter->Count, 3);

  // A change of the system's menu font: only the height follows while UseSystemFont is off...
  SetFakeMenuFont("Tahoma", -17);
  manager->UpdateFontFromSystem();
  EXPECT_EQ(font->Height(), -17);
  EXPECT_EQ(font->Name(), "SimSun");
  // ...and the whole font once it is on.
  manager->SetUseSystemFont(true);
  EXPECT_EQ(font->Name(), "Tahoma");
  EXPECT_EQ(font->Height(), -17);
  EXPECT_TRUE(manager->UseSystemFont());
  EXPECT_EQ(bar->Font()->Name(), "Tahoma");

  // Without Scaled a height stays; switching Scaled on gives the menu font's height back.
  manager->SetScaled(false);
  font->SetHeight(-24);
  EXPECT_EQ(font->Height(), -24);
  EXPECT_FALSE(manager->UseSystemFont());
  manager->SetScaled(true);
  EXPECT_EQ(font->Height(), -17);
  EXPECT_NE(manager->MenuFont(), nullptr);
  EXPECT_NE(manager->SystemHeightFont(), nullptr);
}

TEST(dxBarManagerStyle, FlatColoursScaleTheSystemColoursBeforeTheNearestScreenColour)
{
  EXPECT_EQ(LightenFlatFaceColor(RGB(192, 0, 255)), RGB(202, 41, 255));
  EXPECT_EQ(DarkenFlatBorderColor(RGB(128, 255, 0)), RGB(102, 204, 0));
  EXPECT_EQ(DarkenFlatBorderColor(RGB(5, 15, 1)), RGB(4, 12, 1)) << "rounded to the nearest";

  TFormGuard guard{NewForm()};
  auto* manager = New<TdxBarManager>(guard.Form);
  EXPECT_EQ(ColorToRGB(manager->GetFlatColor()), NearestScreenColor(static_cast<TColor>(LightenFlatFaceColor(ColorToRGB(clBtnFace)))));
  EXPECT_EQ(ColorToRGB(manager->GetFlatBorderColor()),
            NearestScreenColor(static_cast<TColor>(DarkenFlatBorderColor(ColorToRGB(clBtnShadow)))));
  EXPECT_EQ(ColorToRGB(manager->GetFlatSelectedColor()), NearestScreenColor(MixSystemColors(-2, 30, 72)));
  const HBRUSH brushes[] = {manager->FlatBorderBrush(), manager->FlatToolbarBrush(), manager->FlatDownedBrush(),
                            manager->FlatDownedSelectedBrush(), manager->FlatSelectedBrush()};
  const TColor colours[] = {manager->GetFlatBorderColor(), manager->GetFlatColor(), manager->GetFlatDownedColor(),
                            manager->GetFlatDownedSelectedColor(), manager->GetFlatSelectedColor()};
  for (int i = 0; i < 5; ++i) {
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(brushes[i], sizeof(lb), &lb)) << i;
    EXPECT_EQ(lb.lbColor, ColorToRGB(colours[i])) << i;
  }
  LOGBRUSH themed{};
  ASSERT_NE(manager->ThemedToolbarBrush(), nullptr) << "visual styles are on";
  ASSERT_TRUE(GetObjectA(manager->ThemedToolbarBrush(), sizeof(themed), &themed));
  EXPECT_EQ(themed.lbColor, GetThemedToolbarColor());

  // Rebuilt without visual styles: no themed brush; the same number of brushes either way.
  const int gdi = LiveGdiObjects();
  {
    TVisualStylesOff off;
    manager->RefreshStyleResources();
    EXPECT_EQ(manager->ThemedToolbarBrush(), nullptr);
    EXPECT_EQ(LiveGdiObjects(), gdi - 1);
  }
  manager->RefreshStyleResources();
  EXPECT_NE(manager->ThemedToolbarBrush(), nullptr);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}
