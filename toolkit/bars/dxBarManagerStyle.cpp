// The bar manager's style: the painter it draws with and the effective style features depend on,
// the fonts that follow the system menu font, and the colours and brushes of the flat styles.
#include <algorithm>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarThemes.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/dxOffice11.h"

TdxBarPainterClass SkinBarPainterClass = ClassRef<TdxBarStandardPainter>();

namespace {
bool ReadSystemMenuFont(LOGFONTA& font)
{
  font = ReadNonClientMetrics().lfMenuFont;
  return true;
}

// The theme parts the bars draw with; visual styles draw the bars only when all of them open.
constexpr TdxThemedObjectTypes BarThemedObjectTypes{TdxThemedObjectType::totRebar, TdxThemedObjectType::totToolBar,
                                                    TdxThemedObjectType::totWindow};

bool BarThemesAvailable() { return AreThemesAvailable(BarThemedObjectTypes); }

TColor ScreenColor(COLORREF color) { return static_cast<TColor>(NearestScreenColor(static_cast<TColor>(color))); }

template <class F>
COLORREF MapChannels(COLORREF color, F f)
{
  return RGB(f(GetRValue(color)), f(GetGValue(color)), f(GetBValue(color)));
}

}  // namespace

TdxReadMenuFontFunc dxReadMenuFont = ReadSystemMenuFont;

COLORREF DarkenFlatBorderColor(COLORREF shadow)
{
  return MapChannels(shadow, [](BYTE v) { return static_cast<BYTE>(MulDiv(v, 8, 10)); });
}

COLORREF LightenFlatFaceColor(COLORREF face)
{
  return MapChannels(face, [](BYTE v) { return static_cast<BYTE>(v + MulDiv(255 - v, 16, 100)); });
}

TdxBarPainterClass BarPainterClassOfStyle(TdxBarPainterStyle style)
{
  switch (style) {
    case bpsEnhanced: return ClassRef<TdxBarEnhancedPainter>();
    case bpsFlat: return ClassRef<TdxBarFlatPainter>();
    case bpsXP: return ClassRef<TdxBarXPPainter>();
    case bpsOffice11: return ClassRef<TdxBarOffice11Painter>();
    case bpsSkin: return SkinBarPainterClass;
    case bpsStandard: break;
  }
  return ClassRef<TdxBarStandardPainter>();
}

// --- Painter ---

TdxBarPainterStyle TdxBarManager::GetPainterStyle() const
{
  switch (FStyle) {
    case bmsStandard: return bpsStandard;
    case bmsEnhanced: return bpsEnhanced;
    case bmsFlat: return bpsFlat;
    case bmsOffice11: return bpsOffice11;
    case bmsXP: return FThemesAvailable ? bpsXP : bpsEnhanced;
    case bmsUseLookAndFeel: break;
  }
  if (FLookAndFeel->NativeStyle() && FThemesAvailable) return bpsXP;
  if (FLookAndFeel->SkinPainter()) return bpsSkin;
  constexpr TdxBarPainterStyle ByKind[] = {bpsEnhanced, bpsStandard, bpsFlat, bpsOffice11};
  return ByKind[static_cast<int>(FLookAndFeel->Kind())];
}

TdxBarManagerStyle TdxBarManager::GetEffectiveStyle() const
{
  if (FStyle != bmsUseLookAndFeel) return FStyle;
  if (FLookAndFeel->NativeStyle() && FThemesAvailable) return bmsXP;
  constexpr TdxBarManagerStyle ByKind[] = {bmsEnhanced, bmsStandard, bmsFlat, bmsOffice11};
  return ByKind[static_cast<int>(FLookAndFeel->Kind())];
}

TdxBarPainterClass TdxBarManager::GetPainterClass() { return BarPainterClassOfStyle(GetPainterStyle()); }

void TdxBarManager::SetStyle(TdxBarManagerStyle value)
{
  if (FStyle == value && FPainter) return;
  FStyle = value;
  RecreatePainter();
}

void TdxBarManager::CreatePainter()
{
  FThemesAvailable = BarThemesAvailable();
  FPainter.reset();
  FPainter.reset(GetPainterClass().Create(FLookAndFeel->SkinPainter()));
}

void TdxBarManager::RecreatePainter()
{
  if (IsDestroying() || FRecreatingPainter) return;
  TdxValueScope<bool> recreating(FRecreatingPainter, true);
  CreatePainter();
  // Toolbar windows and the open customization form take the new painter once they exist.
  RefreshDocksAndBars();
  for (int i = 0; FBars && i < FBars->Count(); ++i)
    if (TdxBarControl* toolbar = FBars->Items(i)->GetBarControl()) toolbar->UpdateAfterStyleChange();
}

void TdxBarManager::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { RecreatePainter(); }
void TdxBarManager::ThemeChanged() { RecreatePainter(); }

void TdxBarManager::ApplyStyleToLookAndFeel(TcxLookAndFeel* lookAndFeel)
{
  lookAndFeel->ResetAssignedValues();
  lookAndFeel->SetSkinName("");
  switch (GetPainterStyle()) {
    case bpsFlat: lookAndFeel->ApplyPainterStyle(cpsUltraFlat); break;
    case bpsXP: lookAndFeel->ApplyPainterStyle(cpsNative); break;
    case bpsOffice11: lookAndFeel->ApplyPainterStyle(cpsOffice11); break;
    case bpsStandard:
    case bpsEnhanced: lookAndFeel->ApplyPainterStyle(cpsFlat); break;
    case bpsSkin: lookAndFeel->Assign(FLookAndFeel.get()); break;
  }
}

// --- Flat colours and style resources ---

TColor TdxBarManager::GetFlatBorderColor() const { return ScreenColor(DarkenFlatBorderColor(ColorToRGB(clBtnShadow))); }
TColor TdxBarManager::GetFlatColor() const { return ScreenColor(LightenFlatFaceColor(ColorToRGB(clBtnFace))); }
TColor TdxBarManager::GetFlatDownedColor() const { return ScreenColor(ColorToRGB(MixSystemColors(11, 9, 73))); }
TColor TdxBarManager::GetFlatDownedSelectedColor() const { return ScreenColor(ColorToRGB(MixSystemColors(14, 44, 40))); }
TColor TdxBarManager::GetFlatSelectedColor() const { return ScreenColor(ColorToRGB(MixSystemColors(-2, 30, 72))); }

void TdxBarManager::CreateStyleResources()
{
  FFlatBorderBrush.Reset(CreateSolidBrush(ColorToRGB(GetFlatBorderColor())));
  FFlatToolbarBrush.Reset(CreateSolidBrush(ColorToRGB(GetFlatColor())));
  FFlatDownedBrush.Reset(CreateSolidBrush(ColorToRGB(GetFlatDownedColor())));
  FFlatDownedSelectedBrush.Reset(CreateSolidBrush(ColorToRGB(GetFlatDownedSelectedColor())));
  FFlatSelectedBrush.Reset(CreateSolidBrush(ColorToRGB(GetFlatSelectedColor())));
  FThemedToolbarBrush.Reset();
  if (BarThemesAvailable()) FThemedToolbarBrush.Reset(CreateSolidBrush(GetThemedToolbarColor()));
  if (!FHoldsOffice2003Colors) {
    AcquireOffice2003Colors();
    FHoldsOffice2003Colors = true;
  } else {
    RecomputeOffice2003Colors();
  }
  RefreshDocksAndBars();
}

void TdxBarManager::RefreshStyleResources() { CreateStyleResources(); }

void TdxBarManager::FreeStyleResources()
{
  FThemedToolbarBrush.Reset();
  FFlatBorderBrush.Reset();
  FFlatToolbarBrush.Reset();
  FFlatDownedBrush.Reset();
  FFlatDownedSelectedBrush.Reset();
  FFlatSelectedBrush.Reset();
  if (std::exchange(FHoldsOffice2003Colors, false)) ReleaseOffice2003Colors();
}

void TdxBarManager::RefreshDocksAndBars()
{
  for (TdxDockControl* dock : FDockControls) dock->RefreshResources();
  // Toolbar windows drop their drawing buffers and repaint once bars have them.
}

// --- Fonts ---

void TdxBarManager::SetUseSystemFont(bool value)
{
  if (FUseSystemFont == value) return;
  FUseSystemFont = value;
  if (value) UpdateFontFromSystem();
}

void TdxBarManager::FontChanged(TObject*)
{
  if (!FInternalFontChange) FUseSystemFont = false;
  if (FScaled) {
    const TNotifyEvent handler = FFont->OnChange();
    FFont->SetOnChange(nullptr);
    try {
      UpdateFontFromSystem();
    } catch (...) {
      FFont->SetOnChange(handler);
      throw;
    }
    FFont->SetOnChange(handler);
  }
  CopyFontWithSystemHeight(FFont->Handle(), FSystemHeightFont, FScaled);
  FMenuFont = CreateMenuFont(FFont.get(), FUseSystemFont);
  FOnFontChanged->InvokeAll(this, TcxEventArgs{});
  for (int i = 0; FBars && i < FBars->Count(); ++i) FBars->Items(i)->ManagerFontChanged();
}

void TdxBarManager::UpdateFontFromSystem()
{
  LOGFONTA menuFont{};
  if (!dxReadMenuFont(menuFont)) return;
  if (FUseSystemFont) {
    TdxValueScope<bool> internal(FInternalFontChange, true);
    FFont->SetHandle(CreateFontIndirectA(&menuFont));
  } else if (FScaled) {
    FFont->SetHeight(menuFont.lfHeight);
  }
}
