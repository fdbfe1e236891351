// The XP bar painter: bars drawn as parts of the visual style in their states, with the theme
// metrics measured once for all XP painters; a few drawings borrowed from the shared flat painter.
#include "toolkit/bars/dxBarPainter.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemControlDrawParams.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarThemes.h"
#include "toolkit/bars/dxBarToolbar.h"
#include <vssym32.h>

using namespace dxBarPainterShapes;
using enum TdxThemedObjectType;

namespace {
TdxBarXPPainter::TThemeMetrics GMetrics;

HTHEME Theme(TdxThemedObjectType type) { return GetThemeHandle(type); }
// Draws a part; nothing when the class does not open.
void Part(TdxThemedObjectType type, HDC dc, int part, int state, const RECT& r)
{
  if (HTHEME theme = Theme(type)) dxUxTheme::DrawThemeBackground(theme, dc, part, state, &r, nullptr);
}
SIZE PartSize(TdxThemedObjectType type, int part, int state)
{
  SIZE size{};
  if (HTHEME theme = Theme(type)) dxUxTheme::GetThemePartSize(theme, nullptr, part, state, TS_TRUE, &size);
  return size;
}
RECT ContentRect(TdxThemedObjectType type, int part, int state, const RECT& bounds)
{
  RECT content = bounds;
  if (HTHEME theme = Theme(type)) dxUxTheme::GetThemeBackgroundContentRect(theme, nullptr, part, state, &bounds, &content);
  return content;
}

bool InMenu(TdxBarItemControl* control)
{
  return control && control->DrawParams() && static_cast<TdxBarPaintType>(control->DrawParams()->PaintType) == ptMenu;
}
bool InMenu(TdxBarItemControlDrawParams* p) { return p && static_cast<TdxBarPaintType>(p->PaintType) == ptMenu; }
HDC DCOf(TdxBarItemControlDrawParams* p) { return p && p->Canvas ? p->Canvas->GetDCHandle() : nullptr; }
TCustomdxBarControl* BarOf(TdxBarItemControl* control) { return control ? control->BarControl() : nullptr; }
bool IsWin7OrLater()
{
  const TdxWindowsVersionInfo v = dxGetWindowsVersionInfo();
  return v.PlatformId == VER_PLATFORM_WIN32_NT && (v.MajorVersion > 6 || (v.MajorVersion == 6 && v.MinorVersion >= 1));
}
TdxBarManager* AnyManager()
{
  TdxBarManagerList* list = GetBarManagerList();
  return list ? list->GetManager(0) : nullptr;
}
}  // namespace

// --- Metrics ---

TdxBarXPPainter::TdxBarXPPainter(TcxCustomLookAndFeelPainter* SkinPainter) : TdxBarPainter(SkinPainter)
{
  TThemeMetrics m;
  m.ToolbarBeginGroupSize = PartSize(totToolBar, TP_SEPARATOR, 1).cx;
  m.CaptionCloseButtonSize = PartSize(totWindow, WP_SMALLCLOSEBUTTON, 1);
  m.ButtonPadding = 100 - [] {
    const RECT c = ContentRect(totToolBar, TP_SPLITBUTTON, 1, RECT{0, 0, 100, 100});
    return c.bottom - c.top;
  }();
  m.ComboArrowWidth = IsWin7OrLater() ? GetSystemMetrics(SM_CYHSCROLL) : PartSize(totComboBox, CP_DROPDOWNBUTTON, 1).cx;
  const RECT edit = ContentRect(totEdit, EP_EDITTEXT, 1, RECT{0, 0, 100, 100});
  m.EditBorderOffsets = RECT{edit.left, edit.top, 100 - edit.right, 100 - edit.bottom};
  m.GripSize = PartSize(totRebar, RP_GRIPPER, 1).cx;
  const RECT bar = RECT{};
  const RECT barContent = ContentRect(totProgress, PP_BAR, 0, bar);
  m.ProgressHeight = barContent.right + PartSize(totProgress, PP_CHUNK, 0).cy + bar.left - barContent.left - bar.right;
  m.MenuBeginGroupSize = PartSize(totToolBar, TP_SEPARATORVERT, 1).cy;
  m.StatusGripSize = PartSize(totStatus, SP_GRIPPER, 0);
  GMetrics = m;
}

const TdxBarXPPainter::TThemeMetrics& TdxBarXPPainter::Metrics() { return GMetrics; }

HBRUSH TdxBarXPPainter::GetGlyphBackgroundBrush(TdxBarItemControl* ItemControl, TdxBarPaintingStates States) const
{
  TCustomdxBarControl* bar = BarOf(ItemControl);
  if (InMenu(ItemControl) && States.Contains(TdxBarPaintingState::psHot) && !States.Contains(TdxBarPaintingState::psPressed) && bar)
    return bar->GetHighlightBrush();
  return ItemBrush(ItemControl);
}

int TdxBarXPPainter::GetCheckedGlyphShift() const { return 1; }
int TdxBarXPPainter::GetPressedGlyphShift() const { return 1; }
bool TdxBarXPPainter::DrawsGlyphShadow() const { return true; }
bool TdxBarXPPainter::AreDisabledImagesFaded(TCustomdxBarControl*) const { return true; }
bool TdxBarXPPainter::DrawsNativeBackground() const { return true; }
bool TdxBarXPPainter::HasThemedFloatingCaption() const { return true; }
bool TdxBarXPPainter::HasFlatDropDownArrow() const { return true; }
bool TdxBarXPPainter::HasFlatCalendar() const { return true; }
bool TdxBarXPPainter::IsQuickPopupOnRight() const { return true; }

bool TdxBarXPPainter::UsesMenuBarLook(TdxBarItemControl* ItemControl) const
{
  TCustomdxBarControl* bar = BarOf(ItemControl);
  return bar && bar->IsMainMenu();
}

int TdxBarXPPainter::GetGripMargin() const { return 0; }
int TdxBarXPPainter::GetGripSize() const { return GMetrics.GripSize; }
int TdxBarXPPainter::GetGripAreaSize(TdxBarControl*) const { return GetGripSize() + GetGripMargin() + 2; }
int TdxBarXPPainter::GetLargeButtonHeightUnit(TdxBarManager* Manager) const { return TdxBarPainter::GetLargeButtonHeightUnit(Manager) + 3; }

int TdxBarXPPainter::GetItemRowHeight(TCustomdxBarControl* BarControl) const
{
  const int base = TdxBarPainter::GetItemRowHeight(BarControl);
  return base > 0 ? base + 3 : base;
}

HBRUSH TdxBarXPPainter::GetToolbarBrush() const
{
  TdxBarManager* manager = AnyManager();
  HBRUSH brush = manager ? manager->ThemedToolbarBrush() : nullptr;
  return brush ? brush : SystemColorBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarXPPainter::GetBarBrush(TCustomdxBarControl*) const { return GetToolbarBrush(); }
HBRUSH TdxBarXPPainter::GetMenuBrush() const { return SystemColorBrush(COLOR_BTNFACE); }
HBRUSH TdxBarXPPainter::GetHighlightBrush() const { return SystemColorBrush(COLOR_HIGHLIGHT); }
int TdxBarXPPainter::CalcDropDownButtonWidth(TcxCanvas*, int) const { return GMetrics.ComboArrowWidth; }
int TdxBarXPPainter::GetBarBeginGroupSize() const { return GMetrics.ToolbarBeginGroupSize; }
int TdxBarXPPainter::GetBeginGroupLineOffset() const { return (GetBarBeginGroupSize() - 1) / 2; }
int TdxBarXPPainter::GetStatusBarBorderWidth() const { return 0; }
SIZE TdxBarXPPainter::GetFloatingCaptionButtonSize() const { return GMetrics.CaptionCloseButtonSize; }
int TdxBarXPPainter::GetSubMenuArrowIndent() const { return 1; }
int TdxBarXPPainter::GetMenuBeginGroupSize() const { return GMetrics.MenuBeginGroupSize; }
int TdxBarXPPainter::GetMenuSeparatorThickness() const { return GMetrics.MenuBeginGroupSize; }
void TdxBarXPPainter::GetDetachCaptionContent(TdxBarSubMenuControl*, RECT& R) const { InflateRect(&R, -2, -2); }
HBRUSH TdxBarXPPainter::GetMenuBackgroundBrush() const { return SystemColorBrush(COLOR_MENU); }
RECT TdxBarXPPainter::GetColorButtonMargins(TdxBarPaintType) const { return {1, 1, 1, 1}; }

int TdxBarXPPainter::GetPopupPanelHeight() const
{
  return std::max(GetThemedCloseButtonSize().cy + 4, GetThemedSizeGripSize().cy + 1);
}

RECT TdxBarXPPainter::GetSpinButtonsMargins(TdxBarPaintType) const { return {0, 0, 0, 0}; }

TColor TdxBarXPPainter::GetProgressFillColor() const
{
  COLORREF color = 0;
  if (HTHEME theme = Theme(totProgress))
    if (SUCCEEDED(dxUxTheme::GetThemeColor(theme, PP_CHUNK, 0, TMT_FILLCOLOR, &color))) return static_cast<TColor>(color);
  return TdxBarPainter::GetProgressFillColor();
}

int TdxBarXPPainter::GetProgressTrackHeight() const { return GMetrics.ProgressHeight; }
TColor TdxBarXPPainter::GetEditWindowColor() const { return static_cast<TColor>(GetThemedEditFillColor(Theme(totEdit), 1)); }

TColor TdxBarXPPainter::GetInactiveEditColor(TdxBarItemControl*) const
{
  return static_cast<TColor>(GetThemedEditFillColor(Theme(totEdit), 4));
}

TColor TdxBarXPPainter::GetEditWindowTextColor() const { return static_cast<TColor>(GetThemedEditTextColor(Theme(totEdit), 1)); }
TColor TdxBarXPPainter::GetInactiveEditTextColor() const { return static_cast<TColor>(GetThemedEditTextColor(Theme(totEdit), 4)); }
int TdxBarXPPainter::GetButtonVertPadding() const { return GMetrics.ButtonPadding; }
int TdxBarXPPainter::GetButtonHorzPadding() const { return GMetrics.ButtonPadding; }
void TdxBarXPPainter::AdjustItemHeight(int& Height) const { Height += 1; }
RECT TdxBarXPPainter::GetEditContentMargins(TdxBarPaintType) const { return GMetrics.EditBorderOffsets; }
int TdxBarXPPainter::GetEditGlyphIndent() const { return 6; }
int TdxBarXPPainter::GetEditRightIndent() const { return 5; }
RECT TdxBarXPPainter::GetMenuEditMargins(TdxBarPaintType) const { return {5, 0, 0, 0}; }
int TdxBarXPPainter::GetComboButtonBorder() const { return 0; }
int TdxBarXPPainter::GetSpaceAfterDot(int DotSize) const { return 2 * DotSize; }

TcxCustomLookAndFeelPainter* TdxBarXPPainter::GetPairedLookAndFeelPainter() const
{
  TcxLookAndFeelPaintersManager* painters = cxLookAndFeelPaintersManager();
  return painters ? painters->GetPainterByStyle(TcxPainterStyle::cpsNative) : nullptr;
}

// --- Items ---

void TdxBarXPPainter::FrameItemGlyph(TdxBarItemControl* ItemControl, HDC DC, TdxBarPaintingStates States,
                                     const RECT& GlyphRect) const
{
  const bool down = States.Contains(TdxBarPaintingState::psChecked);
  const bool pressed = States.Contains(TdxBarPaintingState::psPressed);
  const bool selected = States.Contains(TdxBarPaintingState::psHot);
  if (ItemControl && ItemControl->StyleBrush()) {
    FillRect(DC, &GlyphRect, ItemControl->StyleBrush());
    return;
  }
  if (InMenu(ItemControl)) {
    FillItemBackground(ItemControl, DC, selected || down, GetGlyphBackgroundBrush(ItemControl, States), GlyphRect);
    if (down) Part(totToolBar, DC, TP_BUTTON, selected ? 3 : 5, GlyphRect);
    return;
  }
  FillItemBackground(ItemControl, DC, false, ItemBrush(ItemControl), GlyphRect);
  if (UsesMenuBarLook(ItemControl)) {
    if (down || selected || pressed) FillRect(DC, &GlyphRect, SystemColorBrush(COLOR_HIGHLIGHT));
    return;
  }
  const bool enabled = !ItemControl || ItemControl->IsEnabled();
  const int state = !enabled ? 4 : pressed ? 3 : down ? 5 : selected ? 2 : 1;
  Part(totToolBar, DC, TP_BUTTON, state, GlyphRect);
}

void TdxBarXPPainter::PaintCheckGlyph(TdxBarItemControl* ItemControl, HDC DC, int SizeFactor, int X, int Y) const
{
  if (TdxBarFlatPainter* flat = GetSharedFlatPainter()) flat->PaintCheckGlyph(ItemControl, DC, SizeFactor, X, Y);
}

void TdxBarXPPainter::DrawFloatingBarFrame(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  if (TdxBarFlatPainter* flat = GetSharedFlatPainter()) flat->DrawFloatingBarFrame(Toolbar, DC, R);
}

void TdxBarXPPainter::PaintEllipsisDot(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (dc && DrawParams->Enabled)
    FillRect(dc, &R, SystemColorBrush(COLOR_BTNTEXT));
  else
    TdxBarPainter::PaintEllipsisDot(DrawParams, R);
}

// --- Docks and toolbars ---

void TdxBarXPPainter::FillDockBackground(TdxDockControl* Dock, HDC DC, HBRUSH, TColor, const RECT& Origin,
                                         const RECT& R, const RECT& ClipRect) const
{
  RECT target{};
  if (!IntersectRect(&target, &R, &ClipRect)) return;
  const int width = Origin.right - Origin.left, height = Origin.bottom - Origin.top;
  auto paint = [&](HDC dc) {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, SystemColorBrush(COLOR_BTNFACE));
    Part(totRebar, dc, 0, 1, all);
    if (!Dock) return;
    const TdxBarDockingStyle style = Dock->DockingStyle();
    const bool horizontalDock = style == dsTop || style == dsBottom || style == dsNone;
    for (int i = 0; i < Dock->RowCount(); ++i) {
      TdxDockRow* row = Dock->Rows(i);
      // The row's representative bar: its first bordered bar, else its first.
      TdxBar* bar = nullptr;
      for (int b = 0; b < row->BarCount() && !bar; ++b)
        if (row->Bars(b)->BorderStyle() == TdxBarBorderStyle::bbsSingle) bar = row->Bars(b);
      if (!bar && row->BarCount() > 0) bar = row->Bars(0);
      if (!bar || bar->BorderStyle() == TdxBarBorderStyle::bbsNone || bar->IsStatusBarLike()) continue;
      RECT r = Dock->GetRowRect(i);
      OffsetRect(&r, -Origin.left, -Origin.top);
      const bool first = i == 0, last = i == Dock->RowCount() - 1;
      const bool skipHighlight = first && (style == dsTop || style == dsLeft);
      const bool skipShadow = last && (horizontalDock || style == dsRight);
      const RECT start = horizontalDock ? RECT{r.left, r.top, r.right, r.top + 1} : RECT{r.left, r.top, r.left + 1, r.bottom};
      const RECT end = horizontalDock ? RECT{r.left, r.bottom - 1, r.right, r.bottom} : RECT{r.right - 1, r.top, r.right, r.bottom};
      if (!skipHighlight) FillRect(dc, &start, SystemColorBrush(COLOR_BTNHIGHLIGHT));
      if (!skipShadow) FillRect(dc, &end, SystemColorBrush(COLOR_BTNSHADOW));
    }
  };
  TBitmap* cache = Dock ? Dock->BackgroundCache() : nullptr;
  if (!cache) return;
  if (cache->Width() != width || cache->Height() != height) {
    cache->SetSize(width, height);
    paint(cache->Canvas()->Handle());
  }
  BitBlt(DC, target.left, target.top, target.right - target.left, target.bottom - target.top, cache->Canvas()->Handle(),
         target.left - Origin.left, target.top - Origin.top, SRCCOPY);
}

void TdxBarXPPainter::DrawDockedBarBorder(TdxBarControl* Toolbar, HDC DC, const RECT& R) const
{
  if (!ToolbarHasGrip(Toolbar)) return;
  const bool horizontal = IsHorizontalToolbar(Toolbar);
  RECT grip = R;
  InflateRect(&grip, -2, -2);
  if (horizontal) {
    grip.left += GetGripMargin();
    grip.right = grip.left + GetGripSize();
  } else {
    grip.top += GetGripMargin();
    grip.bottom = grip.top + GetGripSize();
  }
  Part(totRebar, DC, horizontal ? RP_GRIPPER : RP_GRIPPERVERT, 1, grip);
}

void TdxBarXPPainter::DrawBeginGroupSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, HBRUSH Brush,
                                              const RECT& R) const
{
  FillBarBackground(BarControl, DC, Brush, R);
  Part(totToolBar, DC, Horizontal ? TP_SEPARATORVERT : TP_SEPARATOR, 1, R);
}

void TdxBarXPPainter::FillFloatingCaption(TdxBarControl* Toolbar, HDC DC, HBRUSH, const RECT& R) const
{
  FillRect(DC, &R, SystemColorBrush(IsOwnerFormActive(Toolbar) ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TdxBarXPPainter::DrawFloatingCloseButton(TdxBarControl*, HDC DC, bool Pressed, const RECT& R) const
{
  Part(totWindow, DC, WP_SMALLCLOSEBUTTON, Pressed ? 3 : 1, R);
}

void TdxBarXPPainter::DrawMdiButton(TdxBarControl* Toolbar, int Button, HDC DC, int State, const RECT& R) const
{
  FillBarBackground(Toolbar, DC, BarBrush(Toolbar), R);
  const int part = Button == 0 ? WP_MDIMINBUTTON : Button == 1 ? WP_MDIRESTOREBUTTON : WP_MDICLOSEBUTTON;
  const int state = State == 1 ? 4 : State == 2 ? 2 : State == 4 ? 3 : 1;
  Part(totWindow, DC, part, state, R);
}

void TdxBarXPPainter::DrawBarMarkBackground(TdxBarControl* Toolbar, HDC DC, int MarkState, const RECT& R) const
{
  FillBarBackground(Toolbar, DC, BarBrush(Toolbar), R);
  RECT r = R;
  TdxBar* bar = Toolbar ? Toolbar->GetBar() : nullptr;
  if (bar && bar->BorderStyle() == TdxBarBorderStyle::bbsNone) {
    if (IsHorizontalToolbar(Toolbar))
      InflateRect(&r, 0, -2);
    else
      InflateRect(&r, -2, 0);
  }
  Part(totToolBar, DC, TP_BUTTON, std::clamp(MarkState, 0, 2) + 1, r);
}

// --- Edits, combos and extended items ---

void TdxBarXPPainter::DrawEditBorder(TdxBarItemControlDrawParams* DrawParams, RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(DrawParams);
  const bool focused = e && e->IsEditing;
  const int state = DrawParams->Enabled ? 1 : 4;
  const RECT whole = R;
  R = ContentRect(totEdit, EP_EDITTEXT, state, whole);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, R.left, R.top, R.right, R.bottom);
  if (((DrawParams->Enabled && !InMenu(DrawParams)) || focused) && !DrawParams->DrawSelected)
    FillItemBackground(DrawParams->ItemControl, dc, false, BarBrush(BarOf(DrawParams->ItemControl)), whole);
  else
    Part(totEdit, dc, EP_EDITTEXT, state, whole);
  RestoreDC(dc, saved);
}

void TdxBarXPPainter::DrawComboButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  auto* e = ObjectAs<TdxBarEditLikeControlDrawParams>(DrawParams);
  const int state = !DrawParams->Enabled ? 4 : e && e->DroppedDown ? 3 : DrawParams->DrawSelected ? 2 : 1;
  HTHEME theme = Theme(totComboBox);
  if (theme && dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, CP_DROPDOWNBUTTON, state))
  {
    TBrushHandle back(CreateSolidBrush(ColorToRGB(GetEditBackColor(DrawParams))));
    FillRect(dc, &R, back.Get());
  }
  Part(totComboBox, dc, CP_DROPDOWNBUTTON, state, R);
}

void TdxBarXPPainter::DrawSpinButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R,
                                     TdxBarSpinEditButton Button) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  FillItemBackground(DrawParams->ItemControl, dc, false, BarBrush(BarOf(DrawParams->ItemControl)), R);
  const TcxButtonState s = ResolveSpinButtonState(DrawParams, Button);
  const int state = s == TcxButtonState::cxbsDisabled ? 4 : s == TcxButtonState::cxbsPressed ? 3 : s == TcxButtonState::cxbsHot ? 2 : 1;
  Part(totSpin, dc, Button == sbUp ? SPNP_UP : SPNP_DOWN, state, R);
}

void TdxBarXPPainter::FillProgressBackground(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  const int part = static_cast<TdxBarPaintType>(DrawParams->PaintType) == ptVert ? PP_BARVERT : PP_BAR;
  HTHEME theme = Theme(totProgress);
  if (theme && dxUxTheme::IsThemeBackgroundPartiallyTransparent(theme, part, 0))
    FillItemBackground(DrawParams->ItemControl, dc, false, BarBrush(BarOf(DrawParams->ItemControl)), R);
  Part(totProgress, dc, part, 0, R);
}

void TdxBarXPPainter::PaintProgressSegments(TdxBarItemControlDrawParams* DrawParams, const RECT& R, HBRUSH) const
{
  if (HDC dc = DCOf(DrawParams))
    Part(totProgress, dc, static_cast<TdxBarPaintType>(DrawParams->PaintType) == ptVert ? PP_CHUNKVERT : PP_CHUNK, 0, R);
}

void TdxBarXPPainter::DrawCustomColorButton(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  HDC dc = DCOf(DrawParams);
  if (!dc) return;
  TdxBarPaintingStates states;
  if (DrawParams->DrawSelected) states.Include(TdxBarPaintingState::psHot);
  FrameItemGlyph(DrawParams->ItemControl, dc, states, R);
  DrawEllipsisDots(DrawParams, R);
}

void TdxBarXPPainter::DrawColorSample(TdxBarItemControlDrawParams* DrawParams, const RECT& R) const
{
  if (HDC dc = DCOf(DrawParams))
    FrameItemBackground(DrawParams->ItemControl, dc, false, BarBrush(BarOf(DrawParams->ItemControl)), R);
}

void TdxBarXPPainter::PaintCalendarButton(HDC DC, bool Pushed, std::string_view Caption, const RECT& R) const
{
  FillRect(DC, &R, SystemColorBrush(COLOR_WINDOW));
  Part(totToolBar, DC, TP_BUTTON, Pushed ? 3 : 2, R);
  DrawCenteredButtonText(DC, R, false, Caption, Pushed ? 1 : 0);
}

void TdxBarXPPainter::EtchSeparatorLine(TcxCanvas* Canvas, const RECT& R) const
{
  if (Canvas) Part(totToolBar, Canvas->GetDCHandle(), TP_SEPARATORVERT, 1, R);
}
