// The bar painter family: construction and the answers of the base painter that need nothing but the
// painter, the system metrics and colours, the manager, and the arguments. The operations whose
// answers read bar controls or item controls, or draw what is built later, are in
// dxBarPainterPending.cpp.
#include "toolkit/bars/dxBarPainter.h"
#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include <vssym32.h>

CL_DEFINE_CLASS(TdxBarPainter);
CL_DEFINE_CLASS(TdxBarStandardPainter);
CL_DEFINE_CLASS(TdxBarEnhancedPainter);
CL_DEFINE_CLASS(TdxBarFlatPainter);
CL_DEFINE_CLASS(TdxBarOffice11Painter);
CL_DEFINE_CLASS(TdxBarXPPainter);

TdxBarPainter::TdxBarPainter(TcxCustomLookAndFeelPainter* /*SkinPainter*/) {}

// --- Answers that read the manager ---

int TdxBarPainter::GetLargeButtonHeightUnit(TdxBarManager* Manager) const
{
  const int unit = Manager->ButtonArrowWidth() * (Manager->LargeIcons() ? 2 : 1);
  return unit % 2 == 0 ? unit + 1 : unit;
}

HBRUSH TdxBarPainter::GetOwnerBarBrush(TdxBarManager* Manager) const { return Manager->FlatToolbarBrush(); }

void TdxBarPainter::ApplyLookAndFeelToManager(TdxBarManager* Manager, TcxLookAndFeel* LookAndFeel) const
{
  Manager->ApplyStyleToLookAndFeel(LookAndFeel);
}

void TdxBarPainter::DrawBarNonClientArea(TdxBarControl*, HDC) const {}

RECT TdxBarPainter::GetFloatingCaptionRect(TdxBarControl*, const RECT& WindowRect) const
{
  RECT r = WindowRect;
  InflateRect(&r, -GetFloatingFrameWidth(), -GetFloatingFrameHeight());
  r.bottom = r.top + GetFloatingCaptionHeight();
  return r;
}

bool TdxBarPainter::PaintsWholeBarFrame() const { return false; }
bool TdxBarPainter::UsesDoubleBuffering() const { return false; }
bool TdxBarPainter::SupportsLargeIcons() const { return true; }
void TdxBarPainter::FrameItemGlyph(TdxBarItemControl*, HDC, TdxBarPaintingStates, const RECT&) const {}
void TdxBarPainter::PaintCheckGlyph(TdxBarItemControl*, HDC, int, int, int) const {}
void TdxBarPainter::OutlineFlatSelection(HDC, const RECT&) const {}

TColor TdxBarPainter::GetTextColorByState(TdxBarItemControl*, bool Selected, bool Flat) const
{
  return Selected && !Flat ? clHighlightText : clBtnText;
}

void TdxBarPainter::QueryDisabledTextColors(TdxBarItemControl*, bool Selected, bool Flat, TColor& TextColor,
                                            TColor& ShadowColor) const
{
  if (Selected || Flat) {
    TextColor = clGrayText;
    ShadowColor = clGrayText;
  } else {
    TextColor = clBtnHighlight;
    ShadowColor = clBtnShadow;
  }
}

TColor TdxBarPainter::GetEnabledTextColor(TdxBarItemControl* ItemControl, bool Selected, bool Flat) const
{
  return GetTextColorByState(ItemControl, Selected, Flat);
}

bool TdxBarPainter::IsClassicLook() const { return false; }
bool TdxBarPainter::UsesMenuBandBackground() const { return false; }

bool TdxBarPainter::IsSkinPainter() const
{
  return Supports<const IdxBarFadingImagePainter>(this) != nullptr;
}

bool TdxBarPainter::UsesMenuBarLook(TdxBarItemControl*) const { return false; }
bool TdxBarPainter::HasOwnTextColors() const { return false; }
bool TdxBarPainter::SupportsOwnHintWindow() const { return true; }

bool TdxBarPainter::IsSmallBar(TdxBarControl*, const RECT& R) const { return R.bottom - R.top < 17; }

TColor TdxBarPainter::GetFloatingCaptionBackColor(TdxBarControl*, bool Active) const
{
  return Active ? clActiveCaption : clInactiveCaption;
}

TColor TdxBarPainter::GetFloatingCaptionTextColor(TdxBarControl*) const { return clCaptionText; }
TColor TdxBarPainter::GetMarkGlyphColor(TdxBarControl*, int) const { return clCaptionText; }
void TdxBarPainter::DrawBarMarkBackground(TdxBarControl*, HDC, int, const RECT&) const {}
int TdxBarPainter::GetMarkElementColorIndex(TdxBarControl*) const { return COLOR_BTNTEXT; }
RECT TdxBarPainter::GetMenuGlyphMargins() const { return {4, 0, 0, 0}; }
int TdxBarPainter::GetSpaceAfterDot(int DotSize) const { return DotSize; }

int TdxBarPainter::CalcCustomColorButtonSize(TdxBarPaintType PaintType, const RECT& R) const
{
  const RECT margins = GetColorButtonMargins(PaintType);
  return (R.bottom - R.top - 4) / 7 * 7 - margins.left - margins.right + 4;
}

void TdxBarPainter::FillRectWithBarColor(TcxCanvas* Canvas, const RECT& R, TColor Color) const
{
  Canvas->FillRectWithColor(R, Color);
}

void TdxBarPainter::SplitScrollArrowSize(int Size, int& ArrowSize, int& Remainder) const
{
  ArrowSize = Size / 3 - 1;
  Remainder = Size % 3;
}

bool TdxBarPainter::ReservesScrollButtonSpace() const { return false; }
TColor TdxBarPainter::GetSeparatorLineColor() const { return clWindowFrame; }

TcxCustomLookAndFeelPainter* TdxBarPainter::GetPairedLookAndFeelPainter() const
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(TcxPainterStyle::cpsStandard) : nullptr;
}

int TdxBarPainter::GetAutoAlignToolbarsOffset() const { return 0; }
int TdxBarPainter::GetBarEndIndent() const { return 0; }

int TdxBarPainter::GetDefaultItemHeight(TcxCanvas* Canvas) const
{
  return GetDCTextHeight(Canvas->GetDCHandle()) + 6;
}

int TdxBarPainter::GetPopupBorderWidth() const { return 2; }

void TdxBarPainter::PaintDisabledShadow(TdxBarItemControl*, HDC DC, const RECT& R) const
{
  FillRect(DC, &R, SystemColorBrush(COLOR_BTNSHADOW));
}

void TdxBarPainter::DrawButtonFace(TdxBarItemControlDrawParams*, const RECT&) const {}

void TdxBarPainter::DrawSunkenEdge(HDC DC, RECT& R) const
{
  DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&R, -1, -1);
}

void TdxBarPainter::DrawCheckedFrame(TdxBarItemControl*, HDC, bool, bool, bool, const RECT&) const {}
RECT TdxBarPainter::GetCaptionMargins() const { return {2, 2, 2, 3}; }
int TdxBarPainter::GetCheckedGlyphShift() const { return 0; }
int TdxBarPainter::GetPressedGlyphShift() const { return 0; }
bool TdxBarPainter::DrawsGlyphShadow() const { return false; }
bool TdxBarPainter::IsFlatLook() const { return false; }
bool TdxBarPainter::IsFlatAndNoHighContrast() const { return IsFlatLook() && !IsBtnFaceWhite(); }
bool TdxBarPainter::HasHotTextColor(TdxBarItemControl*) const { return false; }
bool TdxBarPainter::UsesPressedGlyphMode() const { return false; }
bool TdxBarPainter::HasDropDownSeparator() const { return true; }
int TdxBarPainter::GetButtonBorderWidth() const { return 0; }
int TdxBarPainter::GetGripMargin() const { return 0; }
int TdxBarPainter::GetFloatingFrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }
int TdxBarPainter::GetFloatingFrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }
int TdxBarPainter::GetNoGripIndent() const { return 0; }
int TdxBarPainter::GetGripAreaSize(TdxBarControl*) const { return 0; }
int TdxBarPainter::GetGripSize() const { return 3; }
int TdxBarPainter::GetSubMenuGroupIndent() const { return 0; }
bool TdxBarPainter::DrawsNativeBackground() const { return false; }
bool TdxBarPainter::JoinsMenusToToolbarItems() const { return false; }
int TdxBarPainter::GetDockRowSpacing() const { return 0; }
HBRUSH TdxBarPainter::GetToolbarBrush() const { return SystemColorBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::GetBarBrush(TCustomdxBarControl*) const { return GetToolbarBrush(); }
HBRUSH TdxBarPainter::GetMenuBrush() const { return SystemColorBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::GetHighlightBrush() const { return SystemColorBrush(COLOR_HIGHLIGHT); }
int TdxBarPainter::CalcDropDownButtonWidth(TcxCanvas*, int ZeroWidth) const { return 2 * ZeroWidth - 1; }

void TdxBarPainter::GetEditTextVertMargins(int& Top, int& Bottom) const
{
  Top = 2;
  Bottom = 2;
}

void TdxBarPainter::MenuWindowResized(HWND, const RECT&, bool) const {}
bool TdxBarPainter::UsesHotTrackLook() const { return true; }
bool TdxBarPainter::AllowsQuickCustomizingMark() const { return true; }
int TdxBarPainter::GetBeginGroupLineOffset() const { return (GetBarBeginGroupSize() - 2) / 2; }
int TdxBarPainter::GetBarBeginGroupSize() const { return 6; }

void TdxBarPainter::CalcStatusBarBorders(TdxBar*, RECT& R) const
{
  const int width = GetStatusBarBorderWidth();
  R = {width, width, width, width};
}

int TdxBarPainter::GetStatusBarBorderWidth() const { return 1; }
RECT TdxBarPainter::GetStatusBarMargins(TdxBar*, TdxBarDockingStyle) const { return {2, 2, 2, 2}; }
int TdxBarPainter::GetFloatingCaptionHeightWithLine() const { return GetFloatingCaptionHeight() + 1; }

void TdxBarPainter::FillFloatingCaption(TdxBarControl*, HDC DC, HBRUSH Brush, const RECT& R) const
{
  FillRect(DC, &R, Brush);
}

int TdxBarPainter::GetFloatingCaptionHeight() const
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.iSmCaptionHeight;
}

bool TdxBarPainter::HasThemedFloatingCaption() const { return false; }

SIZE TdxBarPainter::GetFloatingCaptionButtonSize() const
{
  const int size = GetFloatingCaptionHeight();
  return {size, size};
}

void TdxBarPainter::DrawFloatingCloseButton(TdxBarControl*, HDC, bool, const RECT&) const {}
void TdxBarPainter::DrawDockedBarBorder(TdxBarControl*, HDC, const RECT&) const {}
void TdxBarPainter::DrawFloatingBarFrame(TdxBarControl*, HDC, const RECT&) const {}

void TdxBarPainter::DrawFloatingMarkButton(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  DrawMarkDownArrow(Toolbar, DC, R);
}

void TdxBarPainter::DrawMdiButton(TdxBarControl*, int, HDC, int, const RECT&) const {}
int TdxBarPainter::GetBarHorzMargin() const { return 0; }
RECT TdxBarPainter::GetBarMarkHitRect(TdxBarControl* Toolbar) const { return GetBarMarkRect(Toolbar); }
int TdxBarPainter::GetBarTopMargin() const { return 0; }
int TdxBarPainter::GetBarBottomMargin() const { return 0; }
bool TdxBarPainter::HasSizingBorder() const { return false; }
bool TdxBarPainter::HasThickBorder() const { return false; }
int TdxBarPainter::GetMarkWidth() const { return 11; }
RECT TdxBarPainter::GetSizeGripMargins() const { return {0, 0, 0, 0}; }
int TdxBarPainter::GetStatusBarTopBorder() const { return 2; }

SIZE TdxBarPainter::GetSizeGripSize(TdxBarManager*) const
{
  if (DrawsNativeBackground() && AreThemesAvailable({TdxThemedObjectType::totStatus})) {
    SIZE size{};
    if (SUCCEEDED(dxUxTheme::GetThemePartSize(GetThemeHandle(TdxThemedObjectType::totStatus), nullptr, SP_GRIPPER, 0,
                                              TS_TRUE, &size)))
      return size;
  }
  return {GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

HBRUSH TdxBarPainter::GetQuickControlBrush(TCustomdxBarControl* BarControl) const { return GetBarBrush(BarControl); }

void TdxBarPainter::CalcQuickCustItemCheckRect(TdxBarItemControl*, HDC, bool, int& Width, RECT& R) const
{
  R.right = R.left + (R.bottom - R.top);
  Width = R.right - R.left;
}

void TdxBarPainter::DrawQuickCustItemCheck(TdxBarItemControl*, HDC, bool, const RECT&, const RECT&) const {}
bool TdxBarPainter::IsQuickPopupOnRight() const { return false; }
RECT TdxBarPainter::GetMenuCaptionMargins() const { return {3, 0, 3, 0}; }
bool TdxBarPainter::HasFlatDropDownArrow() const { return IsFlatLook(); }
bool TdxBarPainter::HasFlatSubItemArrow() const { return IsFlatLook(); }
int TdxBarPainter::GetButtonVertPadding() const { return 6; }
int TdxBarPainter::GetButtonHorzPadding() const { return 7; }
int TdxBarPainter::CalcButtonHeight(int ContentHeight) const { return ContentHeight + GetButtonVertPadding(); }
int TdxBarPainter::CalcButtonWidth(int ContentWidth) const { return ContentWidth + GetButtonHorzPadding(); }

SIZE TdxBarPainter::CalcButtonSize(int ContentWidth, int ContentHeight) const
{
  return {CalcButtonWidth(ContentWidth), CalcButtonHeight(ContentHeight)};
}

void TdxBarPainter::CalcBarBorderSize(TdxBar* Bar, TdxBarDockingStyle DockingStyle, RECT& Borders,
                                      bool WithSizeGrip) const
{
  TdxBarControl* toolbar = Bar ? Bar->GetBarControl() : nullptr;
  if (DockingStyle == TdxBarDockingStyle::dsNone) {
    const int w = GetFloatingFrameWidth(), h = GetFloatingFrameHeight();
    Borders = RECT{w, h, w, h};
    if (toolbar && !toolbar->HasCaption()) return;
    Borders.left += GetBarHorzMargin();
    Borders.right += GetBarHorzMargin();
    Borders.top += GetFloatingCaptionHeightWithLine() + GetBarTopMargin();
    Borders.bottom += GetBarBottomMargin();
    return;
  }
  if (Bar && Bar->BorderStyle() == TdxBarBorderStyle::bbsSingle) {
    Borders = GetStatusBarMargins(Bar, DockingStyle);
    const int grip = toolbar && toolbar->HasGrip() ? GetGripAreaSize(toolbar) : GetNoGripIndent();
    if (DockingStyle == TdxBarDockingStyle::dsTop || DockingStyle == TdxBarDockingStyle::dsBottom)
      Borders.left += grip;
    else
      Borders.top += grip;
    return;
  }
  Borders = RECT{};
  if (Bar && Bar->IsStatusBarLike()) {
    const RECT grip = GetSizeGripMargins();
    Borders.top += GetStatusBarTopBorder() + grip.top;
    Borders.left += grip.left;
    Borders.right += grip.right;
    Borders.bottom += grip.bottom;
  }
  if (WithSizeGrip && Bar) Borders.right += GetSizeGripSize(Bar->GetBarManager()).cx;
}

void TdxBarPainter::CalcCaptionTextRect(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  R = RECT{0, 0, 0, 0};
  if (!DrawParams || !DrawParams->Canvas || DrawParams->Caption.empty()) return;
  DrawTextA(DrawParams->Canvas->GetDCHandle(), DrawParams->Caption.c_str(), static_cast<int>(DrawParams->Caption.size()),
            &R, DT_SINGLELINE | DT_CALCRECT);
}

SIZE TdxBarPainter::GetDropDownArrowSize() const { return {5, 3}; }
void TdxBarPainter::AdjustItemHeight(int&) const {}
void TdxBarPainter::AdjustItemWidth(int&) const {}

void TdxBarPainter::ShiftPressedContentRect(bool Pressed, RECT& R) const
{
  if (Pressed && !IsFlatLook()) OffsetRect(&R, 1, 1);
}

TColor TdxBarPainter::GetComboArrowColor(TdxBarItemControlDrawParams*) const { return clBtnText; }

HBRUSH TdxBarPainter::GetComboButtonBrush(TdxBarItemControlDrawParams* DrawParams) const
{
  return GetDropDownPartBrush(DrawParams);
}

int TdxBarPainter::GetComboButtonBorder() const { return 1; }

RECT TdxBarPainter::GetComboContentMargins(TdxBarPaintType PaintType) const
{
  return GetEditContentMargins(PaintType);
}

void TdxBarPainter::DrawPlainComboButton(TdxBarItemControlDrawParams*, RECT&, HBRUSH) const {}
int TdxBarPainter::GetDropDownListBorder() const { return 2; }

void TdxBarPainter::DrawDropDownListFrame(HDC DC, TColor Color, const RECT& R) const
{
  RECT inner = R;
  FrameRect(DC, &inner, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&inner, -1, -1);
  FrameRectSolidColor(DC, inner, Color);
}

bool TdxBarPainter::ShowsSubMenuGlyphBand() const { return false; }
bool TdxBarPainter::IndentsRecentItemGroup() const { return false; }
int TdxBarPainter::GetSubMenuArrowIndent() const { return 2; }
int TdxBarPainter::CalcSubItemArrowWidth(int TextSize) const { return TextSize / 4 * 3 + 1; }
int TdxBarPainter::GetMenuBeginGroupSize() const { return 10; }
int TdxBarPainter::GetSubMenuBorderSize() const { return GetSubMenuInnerBorder() + GetSubMenuOuterBorder(); }
int TdxBarPainter::GetSubMenuInnerBorder() const { return 1; }
int TdxBarPainter::GetSubMenuOuterBorder() const { return 1; }

RECT TdxBarPainter::GetSubMenuBorderRect(TdxBarSubMenuControl*) const
{
  const int border = GetSubMenuOuterBorder();
  return {border, border, border, border};
}

int TdxBarPainter::GetSubMenuExtraWidth() const { return 0; }
int TdxBarPainter::GetSubMenuExtraHeight() const { return 0; }
int TdxBarPainter::CalcStripeMargin(int Size) const { return (Size - 6) / 2; }
int TdxBarPainter::GetMenuItemMinHeight() const { return 19; }

RECT TdxBarPainter::GetMenuIconArea(const RECT& ItemRect, int GlyphBandWidth) const
{
  RECT r = ItemRect;
  r.right = r.left + GlyphBandWidth;
  return r;
}

RECT TdxBarPainter::GetMenuTextArea(TdxBarItemControlDrawParams* DrawParams, const RECT& ItemRect) const
{
  RECT r = ItemRect;
  r.left += GetMenuTextIndent(DrawParams);
  return r;
}

void TdxBarPainter::GetDetachCaptionContent(TdxBarSubMenuControl*, RECT& R) const { InflateRect(&R, -3, -3); }
void TdxBarPainter::DrawScrollButtonExtras(TdxBarSubMenuControl*, TcxCanvas*, bool) const {}
void TdxBarPainter::FrameMenuItem(TdxBarSubMenuControl*, TdxBarItemControl*, HDC, const RECT&, bool) const {}

void TdxBarPainter::EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const
{
  RECT r = R;
  DrawEdge(Canvas->GetDCHandle(), &r, EDGE_ETCHED, BF_TOP);
}

void TdxBarPainter::PickMenuItemBrush(TdxBarItemControlDrawParams*, HBRUSH& Brush) const
{
  if (UsesHotTrackLook()) Brush = GetMenuBackgroundBrush();
}

int TdxBarPainter::GetMenuItemTextHeight(TcxCanvas* Canvas) const { return GetDefaultItemHeight(Canvas); }
HBRUSH TdxBarPainter::GetMenuBackgroundBrush() const { return SystemColorBrush(COLOR_BTNFACE); }
RECT TdxBarPainter::GetDefaultContentMargins() const { return {0, 0, 0, 0}; }
void TdxBarPainter::DrawExtraDecoration() const {}
RECT TdxBarPainter::GetDefaultFrameMargins() const { return {0, 0, 0, 0}; }
TColor TdxBarPainter::GetDefaultBackColor() const { return clDefault; }

void TdxBarPainter::DrawSeparatorOnCanvas(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, bool Horizontal,
                                          HBRUSH Brush, const RECT& R) const
{
  DrawBeginGroupSeparator(BarControl, Canvas->GetDCHandle(), Horizontal, Brush, R);
}

void TdxBarPainter::DrawExtraBackground() const {}
TColor TdxBarPainter::GetDefaultTextColor() const { return clBtnText; }
int TdxBarPainter::GetItemPartWidth() const { return 30; }
int TdxBarPainter::GetDefaultSpacing() const { return 2; }
TColor TdxBarPainter::GetEditWindowColor() const { return clWindow; }
TColor TdxBarPainter::GetEditWindowTextColor() const { return clWindowText; }
TColor TdxBarPainter::GetInactiveEditTextColor() const { return clGrayText; }
bool TdxBarPainter::UsesEditorHotTrack() const { return true; }
bool TdxBarPainter::DrawsEditorDropDownButton() const { return false; }
bool TdxBarPainter::DrawsEditorButtons() const { return false; }
bool TdxBarPainter::DrawsEditorButtonBackground(int) const { return false; }
void TdxBarPainter::AdjustEditorButtonsWidth(int&) const {}
void TdxBarPainter::DrawEditorButtonBackground(TcxCanvas*, const RECT&, TcxButtonState) const {}
void TdxBarPainter::PaintEditorButton(TcxCanvas*, const RECT&, TcxButtonState) const {}
RECT TdxBarPainter::GetEditContentMargins(TdxBarPaintType) const { return {2, 2, 2, 2}; }
bool TdxBarPainter::AlignsEditToMenuBand() const { return false; }
int TdxBarPainter::GetMenuEditIndent() const { return 2; }
int TdxBarPainter::GetEditGlyphIndent() const { return 2; }
int TdxBarPainter::GetEditRightIndent() const { return 4; }
RECT TdxBarPainter::GetMenuEditMargins(TdxBarPaintType) const { return {4, 0, 0, 0}; }
bool TdxBarPainter::SeparatesEditCaption(TdxBarItemControl*) const { return false; }
bool TdxBarPainter::HasFlatMenuEdit() const { return false; }
bool TdxBarPainter::DrawsColorBoxFrame() const { return false; }
RECT TdxBarPainter::GetColorButtonMargins(TdxBarPaintType) const { return {1, 2, 1, 2}; }

int TdxBarPainter::GetPopupPanelHeight() const
{
  return std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1);
}

bool TdxBarPainter::HasFlatCalendar() const { return false; }
TColor TdxBarPainter::GetCalendarHeaderColor() const { return clBtnFace; }
RECT TdxBarPainter::GetSpinButtonsMargins(TdxBarPaintType) const { return {1, 0, 1, 0}; }
TColor TdxBarPainter::GetProgressFillColor() const { return clHighlight; }
bool TdxBarPainter::DrawsProgressBorder() const { return false; }
int TdxBarPainter::GetProgressTrackHeight() const { return 12; }
int TdxBarPainter::GetProgressIndent() const { return 0; }

void TdxBarPainter::FillProgressSegmentArea(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                            HBRUSH Brush) const
{
  FillProgressSegment(DrawParams, R, Brush);
}

int TdxBarPainter::GetContainerMenuIndent() const { return 0; }
HBRUSH TdxBarPainter::GetInPlaceSubItemFill() const { return SystemColorBrush(COLOR_BTNSHADOW); }
int TdxBarPainter::GetInPlaceSubItemArrowSize() const { return 5; }
bool TdxBarPainter::DrawsInPlaceSubItemBackground(TdxBarItemControlDrawParams*) const { return true; }

RECT TdxBarPainter::GetStaticBorderMargins(TdxBarItemControlDrawParams*, TdxBarStaticBorderStyle BorderStyle) const
{
  int width = 0;
  switch (BorderStyle) {
    case sbsNone: width = 0; break;
    case sbsLowered:
    case sbsRaised: width = 1; break;
    case sbsEtched:
    case sbsBump: width = 2; break;
  }
  return {width, width, width, width};
}

RECT TdxBarPainter::GetSeparatorItemMargins() const { return {6, 0, 0, 0}; }
int TdxBarPainter::GetSeparatorItemHeight() const { return GetMenuSeparatorThickness(); }
int TdxBarPainter::GetMenuSeparatorThickness() const { return 2; }

void TdxBarPainter::DrawSeparatorCaption(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  DrawStaticContent(DrawParams, R);
}

void TdxBarPainter::DrawSeparatorItemLine(TcxCanvas* Canvas, const RECT& R) const { EtchSeparatorLine(Canvas, R); }

// Without the look-and-feel painters (before their unit starts or after it ends) a screen tip keeps
// its own defaults: no colours, no footer line, no background.
TColor TdxBarPainter::GetScreenTipTextColor() const
{
  TcxCustomLookAndFeelPainter* paired = GetPairedLookAndFeelPainter();
  return paired ? paired->ScreenTipDescriptionTextColor() : clDefault;
}

TColor TdxBarPainter::GetScreenTipHeaderColor() const
{
  TcxCustomLookAndFeelPainter* paired = GetPairedLookAndFeelPainter();
  return paired ? paired->ScreenTipTitleTextColor() : clDefault;
}

int TdxBarPainter::GetScreenTipFooterLineWidth() const
{
  TcxCustomLookAndFeelPainter* paired = GetPairedLookAndFeelPainter();
  return paired ? paired->ScreenTipSeparatorSize() : 0;
}

void TdxBarPainter::DrawScreenTipWindow(TcxCanvas* Canvas, const RECT& R) const
{
  if (TcxCustomLookAndFeelPainter* paired = GetPairedLookAndFeelPainter()) paired->DrawScreenTipBackground(Canvas, R);
}

void TdxBarPainter::DrawScreenTipFooterLine(TcxCanvas* Canvas, const RECT& R) const
{
  if (TcxCustomLookAndFeelPainter* paired = GetPairedLookAndFeelPainter()) paired->DrawScreenTipSeparator(Canvas, R);
}

// --- Flat painter ---

HBRUSH TdxBarFlatPainter::GetFlatBorderBrush(TdxBarItemControl*, TdxBarStaticBorderStyle) const
{
  return SystemColorBrush(COLOR_BTNSHADOW);
}

TColor TdxBarFlatPainter::GetFlatSeparatorColor() const { return clBtnShadow; }

// --- Office 2003 painter ---

void TdxBarOffice11Painter::DrawOffice11GripDots(TdxBarControl*, HDC DC, bool Horizontal, const RECT& R) const
{
  DrawGripDots(DC, R, !Horizontal);
}

int TdxBarOffice11Painter::GetOffice11GripIndent() const { return 2; }

HBRUSH TdxBarPainter::GetSelectedItemBrush() const { return GetCheckerBrush(); }

void TdxBarPainter::PaintDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected, bool Enabled,
                                       TcxArrowDirection Direction) const
{
  DrawItemArrowInRect(DC, R, Direction, Enabled, Selected, Flat, Color);
}

void TdxBarPainter::PaintLargeDropDownArrow(HDC DC, const RECT& R, TColor Color, bool Flat, bool Selected,
                                            bool Enabled, int Size, TcxArrowDirection Direction) const
{
  DrawItemArrowSized(DC, R, Direction, Size, Selected, Enabled, Flat, Color);
}

namespace {
TUnitObject<TdxBarFlatPainter> GSharedFlatPainter{UnitdxBar, [] { return static_cast<TdxBarFlatPainter*>(ClassRef<TdxBarFlatPainter>().Create(nullptr)); }};
}  // namespace

TdxBarFlatPainter* GetSharedFlatPainter() { return GSharedFlatPainter.Get(); }
