#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/base/dxUxTheme.h"
#include "toolkit/bars/dxBarThemes.h"
#include <vssym32.h>

namespace {
// Answers as text, so that a failing row shows what it got in the terms of the table.
std::string Str(bool v) { return v ? "true" : "false"; }
std::string Str(int v) { return std::to_string(v); }
std::string Str(const RECT& r)
{
  char text[64];
  std::snprintf(text, sizeof text, "(%ld, %ld, %ld, %ld)", r.left, r.top, r.right, r.bottom);
  return text;
}
std::string Str(SIZE s) { return std::to_string(s.cx) + " x " + std::to_string(s.cy); }
std::string Str(HBRUSH b) { return "brush " + std::to_string(reinterpret_cast<INT_PTR>(b)); }
std::string Color(TColor c) { return ColorToString(c); }
std::string Colors(TColor a, TColor b) { return Color(a) + ", " + Color(b); }
std::string Painter(const TcxCustomLookAndFeelPainter* p) { return p ? p->GetPainterName() : "none"; }

struct TRow {
  std::string Operation;
  std::function<std::string(const TdxBarPainter&)> Answer;
  std::string Expected;
};

// One answer of the table: the operation as called, its answer through Fmt, the expected answer.
#define ROW(call, fmt, expected) \
  TRow { #call, [=](const TdxBarPainter& p) { return fmt(p.call); }, fmt(expected) }

int SmallCaptionHeight()
{
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.iSmCaptionHeight;
}

TcxCustomLookAndFeelPainter* StandardLookAndFeelPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsStandard);
}

// A canvas on a small bitmap, for the operations that measure on one.
struct TCanvasFixture {
  TOwned<TBitmap> Bitmap = MakeOwned<TBitmap>();
  TOwned<TcxCanvas> Canvas;
  explicit TCanvasFixture(int width = 40, int height = 40)
  {
    Bitmap->SetSize(width, height);
    Canvas = MakeOwned<TcxCanvas>(Bitmap->Canvas());
  }
  COLORREF Pixel(int x, int y) { return GetPixel(Bitmap->Canvas()->Handle(), x, y); }
};

// The top and bottom text margins of edits, as "top, bottom".
TRow EditTextVertMarginsRow(std::string expected)
{
  return {"GetEditTextVertMargins",
          [](const TdxBarPainter& p) {
            int top = -1, bottom = -1;
            p.GetEditTextVertMargins(top, bottom);
            return Str(top) + ", " + Str(bottom);
          },
          std::move(expected)};
}

int ItemHeight(TcxCanvas* canvas)
{
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas->GetDCHandle(), &metrics);
  return metrics.tmHeight + 6;
}

// The base painter's answer to every operation of the table that answers from the painter alone.
std::vector<TRow> BaseRows(TcxCanvas* canvas)
{
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas->GetDCHandle(), &metrics);
  const int itemHeight = metrics.tmHeight + 6;
  const int frameX = GetSystemMetrics(SM_CXFRAME);
  const int frameY = GetSystemMetrics(SM_CYFRAME);
  const int caption = SmallCaptionHeight();
  const RECT window{0, 0, 200, 100};
  TcxCustomLookAndFeelPainter* paired = StandardLookAndFeelPainter();
  const HBRUSH face = SystemColorBrush(COLOR_BTNFACE);
  const HBRUSH shadow = SystemColorBrush(COLOR_BTNSHADOW);
  return {
      ROW(GetFloatingCaptionRect(nullptr, window), Str, (RECT{frameX, frameY, 200 - frameX, frameY + caption})),
      ROW(PaintsWholeBarFrame(), Str, false),
      ROW(UsesDoubleBuffering(), Str, false),
      ROW(SupportsLargeIcons(), Str, true),
      ROW(GetTextColorByState(nullptr, false, false), Color, clBtnText),
      ROW(GetTextColorByState(nullptr, true, false), Color, clHighlightText),
      ROW(GetTextColorByState(nullptr, true, true), Color, clBtnText),
      ROW(GetTextColorByState(nullptr, false, true), Color, clBtnText),
      {"QueryDisabledTextColors(nullptr, false, false)",
       [](const TdxBarPainter& p) {
         TColor a, b;
         p.QueryDisabledTextColors(nullptr, false, false, a, b);
         return Colors(a, b);
       },
       Colors(clBtnHighlight, clBtnShadow)},
      {"QueryDisabledTextColors(nullptr, selected or flat)",
       [](const TdxBarPainter& p) {
         std::string answers;
         for (auto [selected, flat] : {std::pair{true, false}, {false, true}, {true, true}}) {
           TColor a, b;
           p.QueryDisabledTextColors(nullptr, selected, flat, a, b);
           answers += Colors(a, b) + "; ";
         }
         return answers;
       },
       Colors(clGrayText, clGrayText) + "; " + Colors(clGrayText, clGrayText) +
           "; " + Colors(clGrayText, clGrayText) + "; "},
      ROW(GetEnabledTextColor(nullptr, true, false), Color, clHighlightText),
      ROW(GetEnabledTextColor(nullptr, false, false), Color, clBtnText),
      ROW(IsClassicLook(), Str, false),
      ROW(UsesMenuBandBackground(), Str, false),
      ROW(IsSkinPainter(), Str, false),
      ROW(UsesMenuBarLook(nullptr), Str, false),
      ROW(HasOwnTextColors(), Str, false),
      ROW(SupportsOwnHintWindow(), Str, true),
      ROW(IsSmallBar(nullptr, (RECT{0, 0, 100, 16})), Str, true),
      ROW(IsSmallBar(nullptr, (RECT{0, 10, 100, 27})), Str, false),
      ROW(GetFloatingCaptionBackColor(nullptr, true), Color, clActiveCaption),
      ROW(GetFloatingCaptionBackColor(nullptr, false), Color, clInactiveCaption),
      ROW(GetFloatingCaptionTextColor(nullptr), Color, clCaptionText),
      ROW(GetMarkGlyphColor(nullptr, 0), Color, clCaptionText),
      ROW(GetMarkGlyphColor(nullptr, 2), Color, clCaptionText),
      ROW(GetMarkElementColorIndex(nullptr), Str, COLOR_BTNTEXT),
      ROW(GetMenuGlyphMargins(), Str, (RECT{4, 0, 0, 0})),
      ROW(GetSpaceAfterDot(3), Str, 3),
      // A 22-pixel item: ((22 − 4) div 7) × 7 − 1 − 1 + 4.
      ROW(CalcCustomColorButtonSize(ptHorz, (RECT{0, 0, 50, 22})), Str, 16),
      ROW(CalcCustomColorButtonSize(ptMenu, (RECT{0, 5, 50, 30})), Str, 23),
      {"SplitScrollArrowSize(16), (9)",
       [](const TdxBarPainter& p) {
         int a1, r1, a2, r2;
         p.SplitScrollArrowSize(16, a1, r1);
         p.SplitScrollArrowSize(9, a2, r2);
         return Str(a1) + " " + Str(r1) + ", " + Str(a2) + " " + Str(r2);
       },
       "4 1, 2 0"},
      ROW(ReservesScrollButtonSpace(), Str, false),
      ROW(GetSeparatorLineColor(), Color, clWindowFrame),
      ROW(GetPairedLookAndFeelPainter(), Painter, paired),
      ROW(GetAutoAlignToolbarsOffset(), Str, 0),
      ROW(GetBarEndIndent(), Str, 0),
      ROW(GetDefaultItemHeight(canvas), Str, itemHeight),
      ROW(GetPopupBorderWidth(), Str, 2),
      ROW(GetCaptionMargins(), Str, (RECT{2, 2, 2, 3})),
      ROW(GetCheckedGlyphShift(), Str, 0),
      ROW(GetPressedGlyphShift(), Str, 0),
      ROW(DrawsGlyphShadow(), Str, false),
      ROW(IsFlatLook(), Str, false),
      ROW(IsFlatAndNoHighContrast(), Str, false),
      ROW(HasHotTextColor(nullptr), Str, false),
      ROW(UsesPressedGlyphMode(), Str, false),
      ROW(HasDropDownSeparator(), Str, true),
      ROW(GetButtonBorderWidth(), Str, 0),
      ROW(GetGripMargin(), Str, 0),
      ROW(GetFloatingFrameWidth(), Str, frameX),
      ROW(GetFloatingFrameHeight(), Str, frameY),
      ROW(GetNoGripIndent(), Str, 0),
      ROW(GetGripAreaSize(nullptr), Str, 0),
      ROW(GetGripSize(), Str, 3),
      ROW(GetSubMenuGroupIndent(), Str, 0),
      ROW(DrawsNativeBackground(), Str, false),
      ROW(JoinsMenusToToolbarItems(), Str, false),
      ROW(GetDockRowSpacing(), Str, 0),
      ROW(GetToolbarBrush(), Str, face),
      ROW(GetBarBrush(nullptr), Str, face),
      ROW(GetMenuBrush(), Str, face),
      ROW(GetHighlightBrush(), Str, SystemColorBrush(COLOR_HIGHLIGHT)),
      ROW(CalcDropDownButtonWidth(canvas, 7), Str, 13),
      EditTextVertMarginsRow("2, 2"),
      ROW(UsesHotTrackLook(), Str, true),
      ROW(AllowsQuickCustomizingMark(), Str, true),
      ROW(GetBeginGroupLineOffset(), Str, 2),
      ROW(GetBarBeginGroupSize(), Str, 6),
      {"CalcStatusBarBorders",
       [](const TdxBarPainter& p) {
         RECT r{9, 9, 9, 9};
         p.CalcStatusBarBorders(nullptr, r);
         return Str(r);
       },
       Str(RECT{1, 1, 1, 1})},
      ROW(GetStatusBarBorderWidth(), Str, 1),
      ROW(GetStatusBarMargins(nullptr, dsBottom), Str, (RECT{2, 2, 2, 2})),
      ROW(GetFloatingCaptionHeightWithLine(), Str, caption + 1),
      ROW(GetFloatingCaptionHeight(), Str, caption),
      ROW(HasThemedFloatingCaption(), Str, false),
      ROW(GetFloatingCaptionButtonSize(), Str, (SIZE{caption, caption})),
      ROW(GetBarHorzMargin(), Str, 0),
      ROW(GetBarTopMargin(), Str, 0),
      ROW(GetBarBottomMargin(), Str, 0),
      ROW(HasSizingBorder(), Str, false),
      ROW(HasThickBorder(), Str, false),
      ROW(GetMarkWidth(), Str, 11),
      ROW(GetSizeGripMargins(), Str, (RECT{0, 0, 0, 0})),
      ROW(GetStatusBarTopBorder(), Str, 2),
      ROW(GetSizeGripSize(nullptr), Str, (SIZE{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)})),
      ROW(GetQuickControlBrush(nullptr), Str, face),
      {"CalcQuickCustItemCheckRect",
       [](const TdxBarPainter& p) {
         RECT r{10, 5, 100, 25};
         int width = 0;
         p.CalcQuickCustItemCheckRect(nullptr, nullptr, false, width, r);
         return Str(r) + " " + Str(width);
       },
       Str(RECT{10, 5, 30, 25}) + " 20"},
      ROW(IsQuickPopupOnRight(), Str, false),
      ROW(GetMenuCaptionMargins(), Str, (RECT{3, 0, 3, 0})),
      ROW(HasFlatDropDownArrow(), Str, false),
      ROW(HasFlatSubItemArrow(), Str, false),
      ROW(GetButtonVertPadding(), Str, 6),
      ROW(GetButtonHorzPadding(), Str, 7),
      ROW(CalcButtonHeight(10), Str, 16),
      ROW(CalcButtonWidth(10), Str, 17),
      ROW(CalcButtonSize(10, 20), Str, (SIZE{17, 26})),
      ROW(GetDropDownArrowSize(), Str, (SIZE{5, 3})),
      {"AdjustItemHeight, AdjustItemWidth, AdjustEditorButtonsWidth",
       [](const TdxBarPainter& p) {
         int h = 13, w = 14, b = 15;
         p.AdjustItemHeight(h);
         p.AdjustItemWidth(w);
         p.AdjustEditorButtonsWidth(b);
         return Str(h) + " " + Str(w) + " " + Str(b);
       },
       "13 14 15"},
      {"ShiftPressedContentRect(pressed, not pressed)",
       [](const TdxBarPainter& p) {
         RECT pressed{0, 0, 10, 10}, released{0, 0, 10, 10};
         p.ShiftPressedContentRect(true, pressed);
         p.ShiftPressedContentRect(false, released);
         return Str(pressed) + " " + Str(released);
       },
       Str(RECT{1, 1, 11, 11}) + " " + Str(RECT{0, 0, 10, 10})},
      ROW(GetComboArrowColor(nullptr), Color, clBtnText),
      ROW(GetComboButtonBorder(), Str, 1),
      ROW(GetComboContentMargins(ptHorz), Str, (RECT{2, 2, 2, 2})),
      ROW(GetDropDownListBorder(), Str, 2),
      ROW(ShowsSubMenuGlyphBand(), Str, false),
      ROW(IndentsRecentItemGroup(), Str, false),
      ROW(GetSubMenuArrowIndent(), Str, 2),
      ROW(CalcSubItemArrowWidth(13), Str, 10),
      ROW(CalcSubItemArrowWidth(16), Str, 13),
      ROW(GetMenuBeginGroupSize(), Str, 10),
      ROW(GetSubMenuBorderSize(), Str, 2),
      ROW(GetSubMenuInnerBorder(), Str, 1),
      ROW(GetSubMenuOuterBorder(), Str, 1),
      ROW(GetSubMenuBorderRect(nullptr), Str, (RECT{1, 1, 1, 1})),
      ROW(GetSubMenuExtraWidth(), Str, 0),
      ROW(GetSubMenuExtraHeight(), Str, 0),
      ROW(CalcStripeMargin(13), Str, 3),
      ROW(CalcStripeMargin(20), Str, 7),
      ROW(GetMenuItemMinHeight(), Str, 19),
      ROW(GetMenuIconArea((RECT{10, 20, 200, 40}), 24), Str, (RECT{10, 20, 34, 40})),
      {"GetDetachCaptionContent",
       [](const TdxBarPainter& p) {
         RECT r{0, 0, 100, 10};
         p.GetDetachCaptionContent(nullptr, r);
         return Str(r);
       },
       Str(RECT{3, 3, 97, 7})},
      {"PickMenuItemBrush",
       [](const TdxBarPainter& p) {
         HBRUSH brush = SystemColorBrush(COLOR_WINDOW);
         p.PickMenuItemBrush(nullptr, brush);
         return Str(brush);
       },
       Str(face)},
      ROW(GetMenuItemTextHeight(canvas), Str, itemHeight),
      ROW(GetMenuBackgroundBrush(), Str, face),
      ROW(GetDefaultContentMargins(), Str, (RECT{0, 0, 0, 0})),
      ROW(GetDefaultFrameMargins(), Str, (RECT{0, 0, 0, 0})),
      ROW(GetDefaultBackColor(), Color, clDefault),
      ROW(GetDefaultTextColor(), Color, clBtnText),
      ROW(GetItemPartWidth(), Str, 30),
      ROW(GetDefaultSpacing(), Str, 2),
      ROW(GetEditWindowColor(), Color, clWindow),
      ROW(GetEditWindowTextColor(), Color, clWindowText),
      ROW(GetInactiveEditTextColor(), Color, clGrayText),
      ROW(UsesEditorHotTrack(), Str, true),
      ROW(DrawsEditorDropDownButton(), Str, false),
      ROW(DrawsEditorButtons(), Str, false),
      ROW(DrawsEditorButtonBackground(1), Str, false),
      ROW(DrawsEditorButtonBackground(3), Str, false),
      ROW(GetEditContentMargins(ptMenu), Str, (RECT{2, 2, 2, 2})),
      ROW(AlignsEditToMenuBand(), Str, false),
      ROW(GetMenuEditIndent(), Str, 2),
      ROW(GetEditGlyphIndent(), Str, 2),
      ROW(GetEditRightIndent(), Str, 4),
      ROW(GetMenuEditMargins(ptMenu), Str, (RECT{4, 0, 0, 0})),
      ROW(SeparatesEditCaption(nullptr), Str, false),
      ROW(HasFlatMenuEdit(), Str, false),
      ROW(DrawsColorBoxFrame(), Str, false),
      ROW(GetColorButtonMargins(ptHorz), Str, (RECT{1, 2, 1, 2})),
      ROW(GetPopupPanelHeight(), Str,
          std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1)),
      ROW(HasFlatCalendar(), Str, false),
      ROW(GetCalendarHeaderColor(), Color, clBtnFace),
      ROW(GetSpinButtonsMargins(ptHorz), Str, (RECT{1, 0, 1, 0})),
      ROW(GetProgressFillColor(), Color, clHighlight),
      ROW(DrawsProgressBorder(), Str, false),
      ROW(GetProgressTrackHeight(), Str, 12),
      ROW(GetProgressIndent(), Str, 0),
      ROW(GetContainerMenuIndent(), Str, 0),
      ROW(GetInPlaceSubItemFill(), Str, shadow),
      ROW(GetInPlaceSubItemArrowSize(), Str, 5),
      ROW(DrawsInPlaceSubItemBackground(nullptr), Str, true),
      ROW(GetStaticBorderMargins(nullptr, sbsNone), Str, (RECT{0, 0, 0, 0})),
      ROW(GetStaticBorderMargins(nullptr, sbsLowered), Str, (RECT{1, 1, 1, 1})),
      ROW(GetStaticBorderMargins(nullptr, sbsRaised), Str, (RECT{1, 1, 1, 1})),
      ROW(GetStaticBorderMargins(nullptr, sbsEtched), Str, (RECT{2, 2, 2, 2})),
      ROW(GetStaticBorderMargins(nullptr, sbsBump), Str, (RECT{2, 2, 2, 2})),
      ROW(GetSeparatorItemMargins(), Str, (RECT{6, 0, 0, 0})),
      ROW(GetSeparatorItemHeight(), Str, 2),
      ROW(GetMenuSeparatorThickness(), Str, 2),
      ROW(GetScreenTipTextColor(), Color, paired->ScreenTipDescriptionTextColor()),
      ROW(GetScreenTipHeaderColor(), Color, paired->ScreenTipTitleTextColor()),
      ROW(GetScreenTipFooterLineWidth(), Str, paired->ScreenTipSeparatorSize()),
  };
}

// The answers of the operations the flat painter adds.
std::vector<TRow> FlatRows(TcxCanvas* canvas)
{
  auto flat = [](const TdxBarPainter& p) -> const TdxBarFlatPainter& {
    return static_cast<const TdxBarFlatPainter&>(p);
  };
  TcxCustomLookAndFeelPainter* paired = cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsUltraFlat);
  const HBRUSH window = SystemColorBrush(COLOR_WINDOW);
  const std::string flatContent = Str(RECT{1, 1, 1, 1});
  return {
      // Without a bar manager the flat brushes fall back to the system colours of their roles.
      ROW(GetMenuBrush(), Str, SystemColorBrush(COLOR_HIGHLIGHT)),
      ROW(GetFloatingCaptionBackColor(nullptr, true), Color, clInactiveCaption),
      ROW(GetMarkGlyphColor(nullptr, 2), Color, clBtnText),
      ROW(GetSeparatorLineColor(), Color, clBtnShadow),
      ROW(GetPairedLookAndFeelPainter(), Painter, paired),
      ROW(GetBarEndIndent(), Str, 1),
      ROW(DrawsGlyphShadow(), Str, true),
      ROW(IsFlatLook(), Str, true),
      ROW(IsFlatAndNoHighContrast(), Str, ColorToRGB(clBtnFace) != RGB(255, 255, 255)),
      ROW(UsesPressedGlyphMode(), Str, true),
      ROW(JoinsMenusToToolbarItems(), Str, true),
      ROW(HasFlatDropDownArrow(), Str, true),
      ROW(HasFlatSubItemArrow(), Str, true),
      ROW(GetButtonBorderWidth(), Str, 1),
      ROW(GetGripMargin(), Str, 1),
      ROW(GetGripAreaSize(nullptr), Str, 6),
      ROW(GetSubMenuGroupIndent(), Str, 8),
      ROW(GetBeginGroupLineOffset(), Str, 2),
      ROW(GetBarBeginGroupSize(), Str, 5),
      ROW(GetQuickControlBrush(nullptr), Str, window),
      ROW(IsQuickPopupOnRight(), Str, true),
      {"AdjustItemHeight, AdjustItemWidth, AdjustEditorButtonsWidth",
       [](const TdxBarPainter& p) {
         int h = 13, w = 14, b = 15;
         p.AdjustItemHeight(h);
         p.AdjustItemWidth(w);
         p.AdjustEditorButtonsWidth(b);
         return Str(h) + " " + Str(w) + " " + Str(b);
       },
       "15 23 15"},
      {"ShiftPressedContentRect(pressed, not pressed)",
       [](const TdxBarPainter& p) {
         RECT pressed{0, 0, 10, 10}, released{0, 0, 10, 10};
         p.ShiftPressedContentRect(true, pressed);
         p.ShiftPressedContentRect(false, released);
         return Str(pressed) + " " + Str(released);
       },
       Str(RECT{0, 0, 10, 10}) + " " + Str(RECT{0, 0, 10, 10})},
      ROW(GetComboContentMargins(ptHorz), Str, (RECT{1, 1, 1, 1})),
      ROW(GetEditContentMargins(ptMenu), Str, (RECT{1, 1, 1, 1})),
      ROW(GetSubMenuArrowIndent(), Str, 1),
      ROW(GetMenuBeginGroupSize(), Str, 5),
      // (Size − 4) div 2, rounded down to even from 5 on.
      ROW(CalcStripeMargin(11), Str, 3),
      ROW(CalcStripeMargin(13), Str, 4),
      ROW(CalcStripeMargin(14), Str, 4),
      ROW(CalcStripeMargin(20), Str, 8),
      ROW(GetMenuItemMinHeight(), Str, 20),
      {"GetDetachCaptionContent",
       [](const TdxBarPainter& p) {
         RECT r{0, 0, 100, 10};
         p.GetDetachCaptionContent(nullptr, r);
         return Str(r);
       },
       Str(RECT{2, 2, 98, 8})},
      {"PickMenuItemBrush",
       [](const TdxBarPainter& p) {
         HBRUSH brush = SystemColorBrush(COLOR_BTNFACE);
         p.PickMenuItemBrush(nullptr, brush);
         return Str(brush);
       },
       Str(window)},
      ROW(GetMenuItemTextHeight(canvas), Str, ItemHeight(canvas) + 1),
      ROW(GetMenuBackgroundBrush(), Str, window),
      ROW(GetEditGlyphIndent(), Str, 6),
      ROW(GetEditRightIndent(), Str, 5),
      ROW(GetMenuEditMargins(ptMenu), Str, (RECT{7, 0, 0, 0})),
      ROW(HasFlatCalendar(), Str, true),
      ROW(DrawsProgressBorder(), Str, true),
      ROW(GetContainerMenuIndent(), Str, 9),
      {"GetFlatBorderBrush",
       [=](const TdxBarPainter& p) { return Str(flat(p).GetFlatBorderBrush(nullptr, sbsLowered)); },
       Str(SystemColorBrush(COLOR_BTNSHADOW))},
      {"GetFlatSeparatorColor", [=](const TdxBarPainter& p) { return Color(flat(p).GetFlatSeparatorColor()); },
       Color(clBtnShadow)},
  };
}

// The size grip of painters that draw native backgrounds: the theme's while visual styles are
// available, else the scroll-bar metrics.
SIZE NativeSizeGripSize()
{
  SIZE grip{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
  if (AreThemesAvailable({TdxThemedObjectType::totStatus}))
    dxUxTheme::GetThemePartSize(GetThemeHandle(TdxThemedObjectType::totStatus), nullptr, SP_GRIPPER, 0, TS_TRUE, &grip);
  return grip;
}

// The answers of the operations the Office 2003 painter adds.
std::vector<TRow> Office11Rows()
{
  // The colour set's brushes while it has users, else the system colour brushes of their roles.
  auto set = [](int number, int fallback) {
    HBRUSH b = dxOffice11Brush(number);
    return b ? b : SystemColorBrush(fallback);
  };
  const HBRUSH menu = set(5, COLOR_WINDOW);
  const int frameY = 3;
  RECT window{0, 0, 200, 100};
  TcxCustomLookAndFeelPainter* paired = cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsOffice11);
  const SIZE grip = NativeSizeGripSize();
  return {
      {"GetOffice11GripIndent",
       [](const TdxBarPainter& p) { return Str(static_cast<const TdxBarOffice11Painter&>(p).GetOffice11GripIndent()); },
       "2"},
      {"QueryDisabledTextColors(nullptr, false, false)",
       [](const TdxBarPainter& p) {
         TColor a, b;
         p.QueryDisabledTextColors(nullptr, false, false, a, b);
         return Colors(a, b);
       },
       Colors(dxOffice11Color(53), dxOffice11Color(53))},
      {"QueryDisabledTextColors(nullptr, selected or flat)",
       [](const TdxBarPainter& p) {
         TColor a, b;
         p.QueryDisabledTextColors(nullptr, true, true, a, b);
         return Colors(a, b);
       },
       Colors(dxOffice11Color(53), dxOffice11Color(53))},
      ROW(DrawsGlyphShadow(), Str, false),
      ROW(UsesPressedGlyphMode(), Str, false),
      ROW(DrawsNativeBackground(), Str, true),
      ROW(UsesMenuBandBackground(), Str, true),
      ROW(ShowsSubMenuGlyphBand(), Str, true),
      ROW(GetFloatingCaptionBackColor(nullptr, false), Color, dxOffice11Color(28)),
      ROW(GetFloatingCaptionBackColor(nullptr, true), Color, dxOffice11Color(28)),
      ROW(GetFloatingCaptionTextColor(nullptr), Color, dxOffice11Color(29)),
      ROW(GetMarkGlyphColor(nullptr, 0), Color, dxOffice11Color(29)),
      ROW(GetMarkGlyphColor(nullptr, 2), Color, dxOffice11Color(31)),
      ROW(GetFloatingFrameWidth(), Str, 3),
      ROW(GetFloatingFrameHeight(), Str, 3),
      ROW(GetFloatingCaptionRect(nullptr, window), Str, (RECT{3, frameY, 197, frameY + SmallCaptionHeight()})),
      ROW(GetGripMargin(), Str, 3),
      ROW(GetGripAreaSize(nullptr), Str, 8),
      ROW(GetNoGripIndent(), Str, 2),
      ROW(GetPairedLookAndFeelPainter(), Painter, paired),
      ROW(GetToolbarBrush(), Str, menu),
      ROW(GetBarBrush(nullptr), Str, menu),
      ROW(GetMenuBackgroundBrush(), Str, menu),
      ROW(GetQuickControlBrush(nullptr), Str, menu),
      ROW(GetMenuBrush(), Str, set(10, COLOR_HIGHLIGHT)),
      ROW(GetHighlightBrush(), Str, set(7, COLOR_HIGHLIGHT)),
      {"PickMenuItemBrush",
       [](const TdxBarPainter& p) {
         HBRUSH brush = SystemColorBrush(COLOR_BTNFACE);
         p.PickMenuItemBrush(nullptr, brush);
         return Str(brush);
       },
       Str(menu)},
      ROW(GetSizeGripSize(nullptr), Str, grip),
      {"GetDetachCaptionContent",
       [](const TdxBarPainter& p) {
         RECT r{0, 0, 100, 10};
         p.GetDetachCaptionContent(nullptr, r);
         return Str(r);
       },
       Str(RECT{2, 4, 98, 6})},
      ROW(GetCalendarHeaderColor(), Color, dxOffice11Color(1)),
      ROW(GetInPlaceSubItemFill(), Str, set(16, COLOR_BTNFACE)),
      ROW(GetInactiveEditTextColor(), Color, dxOffice11Color(53)),
      {"GetFlatBorderBrush",
       [](const TdxBarPainter& p) {
         return Str(static_cast<const TdxBarFlatPainter&>(p).GetFlatBorderBrush(nullptr, sbsLowered));
       },
       Str(set(11, COLOR_BTNSHADOW))},
      {"GetFlatSeparatorColor",
       [](const TdxBarPainter& p) { return Color(static_cast<const TdxBarFlatPainter&>(p).GetFlatSeparatorColor()); },
       Color(dxOffice11Color(21))},
  };
}

// The answers of the XP painter: its constants, and the theme metrics it measured (their
// measurement is checked against a recording theme in dxBarPainterXPTest).
std::vector<TRow> XPRows(TcxCanvas* canvas)
{
  TcxCustomLookAndFeelPainter* paired = cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsNative);
  TOwned<TdxBarPainter> measuring(ClassRef<TdxBarXPPainter>().Create(nullptr));  // measures the metrics
  const TdxBarXPPainter::TThemeMetrics& m = TdxBarXPPainter::Metrics();
  const HBRUSH menu = SystemColorBrush(COLOR_MENU);
  HTHEME edit = GetThemeHandle(TdxThemedObjectType::totEdit);
  COLORREF fill = 0;
  const bool hasFill = SUCCEEDED(dxUxTheme::GetThemeColor(GetThemeHandle(TdxThemedObjectType::totProgress), PP_CHUNK, 0,
                                                          TMT_FILLCOLOR, &fill));
  return {
      ROW(DrawsGlyphShadow(), Str, true),
      ROW(DrawsNativeBackground(), Str, true),
      ROW(HasThemedFloatingCaption(), Str, true),
      ROW(HasFlatDropDownArrow(), Str, true),
      ROW(HasFlatCalendar(), Str, true),
      ROW(IsQuickPopupOnRight(), Str, true),
      ROW(GetCheckedGlyphShift(), Str, 1),
      ROW(GetPressedGlyphShift(), Str, 1),
      ROW(GetGripSize(), Str, m.GripSize),
      ROW(GetGripAreaSize(nullptr), Str, m.GripSize + 2),
      ROW(GetButtonVertPadding(), Str, m.ButtonPadding),
      ROW(GetButtonHorzPadding(), Str, m.ButtonPadding),
      ROW(CalcButtonHeight(10), Str, 10 + m.ButtonPadding),
      ROW(CalcButtonWidth(10), Str, 10 + m.ButtonPadding),
      ROW(CalcButtonSize(10, 20), Str, (SIZE{10 + m.ButtonPadding, 20 + m.ButtonPadding})),
      ROW(CalcDropDownButtonWidth(canvas, 7), Str, m.ComboArrowWidth),
      {"CalcStatusBarBorders",
       [](const TdxBarPainter& p) {
         RECT r{9, 9, 9, 9};
         p.CalcStatusBarBorders(nullptr, r);
         return Str(r);
       },
       Str(RECT{0, 0, 0, 0})},
      ROW(GetStatusBarBorderWidth(), Str, 0),
      ROW(GetFloatingCaptionButtonSize(), Str, m.CaptionCloseButtonSize),
      ROW(GetSubMenuArrowIndent(), Str, 1),
      ROW(GetMenuBeginGroupSize(), Str, m.MenuBeginGroupSize),
      ROW(GetMenuSeparatorThickness(), Str, m.MenuBeginGroupSize),
      ROW(GetSeparatorItemHeight(), Str, m.MenuBeginGroupSize),
      {"GetDetachCaptionContent",
       [](const TdxBarPainter& p) {
         RECT r{0, 0, 100, 10};
         p.GetDetachCaptionContent(nullptr, r);
         return Str(r);
       },
       Str(RECT{2, 2, 98, 8})},
      ROW(GetMenuBackgroundBrush(), Str, menu),
      {"PickMenuItemBrush",
       [](const TdxBarPainter& p) {
         HBRUSH brush = SystemColorBrush(COLOR_BTNFACE);
         p.PickMenuItemBrush(nullptr, brush);
         return Str(brush);
       },
       Str(menu)},
      ROW(GetColorButtonMargins(ptHorz), Str, (RECT{1, 1, 1, 1})),
      ROW(GetSpinButtonsMargins(ptHorz), Str, (RECT{0, 0, 0, 0})),
      ROW(GetPopupPanelHeight(), Str, static_cast<int>(std::max(GetThemedCloseButtonSize().cy + 4, GetThemedSizeGripSize().cy + 1))),
      ROW(GetProgressFillColor(), Color, hasFill ? static_cast<TColor>(fill) : clHighlight),
      ROW(GetProgressTrackHeight(), Str, m.ProgressHeight),
      ROW(GetEditWindowColor(), Color, static_cast<TColor>(GetThemedEditFillColor(edit, 1))),
      ROW(GetEditWindowTextColor(), Color, static_cast<TColor>(GetThemedEditTextColor(edit, 1))),
      ROW(GetInactiveEditTextColor(), Color, static_cast<TColor>(GetThemedEditTextColor(edit, 4))),
      {"AdjustItemHeight, AdjustItemWidth, AdjustEditorButtonsWidth",
       [](const TdxBarPainter& p) {
         int h = 13, w = 14, b = 15;
         p.AdjustItemHeight(h);
         p.AdjustItemWidth(w);
         p.AdjustEditorButtonsWidth(b);
         return Str(h) + " " + Str(w) + " " + Str(b);
       },
       "14 14 15"},
      ROW(GetEditContentMargins(ptMenu), Str, m.EditBorderOffsets),
      ROW(GetComboContentMargins(ptHorz), Str, m.EditBorderOffsets),
      ROW(GetEditGlyphIndent(), Str, 6),
      ROW(GetEditRightIndent(), Str, 5),
      ROW(GetMenuEditMargins(ptMenu), Str, (RECT{5, 0, 0, 0})),
      ROW(GetComboButtonBorder(), Str, 0),
      ROW(GetSpaceAfterDot(3), Str, 6),
      ROW(GetPairedLookAndFeelPainter(), Painter, paired),
      ROW(GetScreenTipTextColor(), Color, paired->ScreenTipDescriptionTextColor()),
      ROW(GetScreenTipHeaderColor(), Color, paired->ScreenTipTitleTextColor()),
      ROW(GetSizeGripSize(nullptr), Str, NativeSizeGripSize()),
  };
}

// The answers the standard painter gives otherwise (the enhanced painter inherits them).
std::vector<TRow> StandardRows()
{
  TcxCustomLookAndFeelPainter* paired = cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsFlat);
  return {
      ROW(IsClassicLook(), Str, true),
      ROW(GetSubMenuGroupIndent(), Str, 2),
      ROW(IndentsRecentItemGroup(), Str, true),
      ROW(GetSubMenuBorderSize(), Str, 3),
      ROW(GetSubMenuOuterBorder(), Str, 2),
      ROW(GetSubMenuBorderRect(nullptr), Str, (RECT{2, 2, 2, 2})),
      ROW(IsSmallBar(nullptr, (RECT{0, 0, 100, 16})), Str, false),
      ROW(GetPairedLookAndFeelPainter(), Painter, paired),
      ROW(GetScreenTipTextColor(), Color, paired->ScreenTipDescriptionTextColor()),
      ROW(GetScreenTipHeaderColor(), Color, paired->ScreenTipTitleTextColor()),
      ROW(GetScreenTipFooterLineWidth(), Str, paired->ScreenTipSeparatorSize()),
      ROW(GetBarEndIndent(), Str, 2),
      ROW(GetCaptionMargins(), Str, (RECT{2, 1, 2, 1})),
      ROW(GetCheckedGlyphShift(), Str, 1),
      ROW(GetPressedGlyphShift(), Str, 1),
      ROW(GetButtonBorderWidth(), Str, 1),
      ROW(GetGripMargin(), Str, 2),
      ROW(GetGripAreaSize(nullptr), Str, 9),
      EditTextVertMarginsRow("0, 2"),
      ROW(UsesHotTrackLook(), Str, false),
      ROW(AllowsQuickCustomizingMark(), Str, false),
      // Without the hot-track look a menu item keeps its brush.
      {"PickMenuItemBrush",
       [](const TdxBarPainter& p) {
         HBRUSH brush = SystemColorBrush(COLOR_WINDOW);
         p.PickMenuItemBrush(nullptr, brush);
         return Str(brush);
       },
       Str(SystemColorBrush(COLOR_WINDOW))},
      ROW(GetBarHorzMargin(), Str, 4),
      ROW(GetBarTopMargin(), Str, 2),
      ROW(GetBarBottomMargin(), Str, 1),
      ROW(HasSizingBorder(), Str, true),
      ROW(HasThickBorder(), Str, true),
      ROW(DrawsProgressBorder(), Str, true),
  };
}

// The enhanced painter's own answers over the standard painter's.
std::vector<TRow> EnhancedRows()
{
  return {
      ROW(GetGripMargin(), Str, 1),
      ROW(GetGripAreaSize(nullptr), Str, 6),
      ROW(AllowsQuickCustomizingMark(), Str, true),
      ROW(GetSubMenuGroupIndent(), Str, 12),
  };
}

// The table of a painter class: its parent's, with the operations the class adds; a row of the
// class for an operation its parent answers replaces the parent's row.
std::vector<TRow> TableOf(TdxBarPainterClass painterClass, TcxCanvas* canvas)
{
  std::vector<TRow> rows = BaseRows(canvas);
  auto merge = [&](std::vector<TRow> more) {
    for (TRow& row : more) {
      auto same = std::find_if(rows.begin(), rows.end(), [&](const TRow& r) { return r.Operation == row.Operation; });
      if (same != rows.end())
        *same = std::move(row);
      else
        rows.push_back(std::move(row));
    }
  };
  if (painterClass.InheritsFrom<TdxBarStandardPainter>()) merge(StandardRows());
  if (painterClass.InheritsFrom<TdxBarEnhancedPainter>()) merge(EnhancedRows());
  if (painterClass.InheritsFrom<TdxBarFlatPainter>()) merge(FlatRows(canvas));
  if (painterClass.InheritsFrom<TdxBarOffice11Painter>()) merge(Office11Rows());
  if (painterClass.InheritsFrom<TdxBarXPPainter>()) merge(XPRows(canvas));
  return rows;
}

const TdxBarPainterClass PainterClasses[] = {
    ClassRef<TdxBarPainter>(),     ClassRef<TdxBarStandardPainter>(), ClassRef<TdxBarEnhancedPainter>(),
    ClassRef<TdxBarFlatPainter>(), ClassRef<TdxBarOffice11Painter>(), ClassRef<TdxBarXPPainter>(),
};
}  // namespace

TEST(dxBarPainter, EveryClassAnswersItsTableWithOrWithoutASkinPainter)
{
  TCanvasFixture f;
  for (TdxBarPainterClass painterClass : PainterClasses) {
    const std::vector<TRow> rows = TableOf(painterClass, f.Canvas.get());
    for (TcxCustomLookAndFeelPainter* skinPainter : {static_cast<TcxCustomLookAndFeelPainter*>(nullptr),
                                                     StandardLookAndFeelPainter()}) {
      TOwned<TdxBarPainter> painter(painterClass.Create(skinPainter));
      ASSERT_TRUE(painter);
      EXPECT_EQ(painter->ClassType(), painterClass.Class());
      for (const TRow& row : rows)
        EXPECT_EQ(row.Answer(*painter), row.Expected)
            << painterClass.Name() << "::" << row.Operation << (skinPainter ? " (with a skin painter)" : "");
    }
  }
}

TEST(dxBarPainter, TheClassTree)
{
  const struct {
    TdxBarPainterClass Class;
    TClass Parent;
  } tree[] = {
      {ClassRef<TdxBarPainter>(), TcxIUnknownObject::StaticClass()},
      {ClassRef<TdxBarStandardPainter>(), TdxBarPainter::StaticClass()},
      {ClassRef<TdxBarEnhancedPainter>(), TdxBarStandardPainter::StaticClass()},
      {ClassRef<TdxBarFlatPainter>(), TdxBarPainter::StaticClass()},
      {ClassRef<TdxBarOffice11Painter>(), TdxBarFlatPainter::StaticClass()},
      {ClassRef<TdxBarXPPainter>(), TdxBarPainter::StaticClass()},
  };
  for (const auto& t : tree) EXPECT_EQ(t.Class.Parent(), t.Parent) << t.Class.Name();
  // A class record of a painter is a painter class value.
  EXPECT_EQ(TdxBarPainterClass(TdxBarOffice11Painter::StaticClass()), ClassRef<TdxBarOffice11Painter>());
}

namespace {
// A painter that replaces the operations other answers are made of, and renders fading pictures.
class TComposingPainter : public TdxBarPainter, public IdxBarFadingImagePainter {
  CL_CLASS(TComposingPainter, TdxBarPainter)
public:
  using TdxBarPainter::TdxBarPainter;
  bool IsFlatLook() const override { return true; }
  bool DrawsNativeBackground() const override { return true; }
  bool UsesHotTrackLook() const override { return false; }
  int GetBarBeginGroupSize() const override { return 10; }
  int GetSubMenuInnerBorder() const override { return 3; }
  int GetSubMenuOuterBorder() const override { return 4; }
  int GetStatusBarBorderWidth() const override { return 5; }
  int GetButtonVertPadding() const override { return 1; }
  int GetButtonHorzPadding() const override { return 2; }
  int GetMenuSeparatorThickness() const override { return 7; }
  int GetFloatingCaptionHeight() const override { return 20; }
  RECT GetColorButtonMargins(TdxBarPaintType) const override { return {3, 0, 2, 0}; }
  RECT GetEditContentMargins(TdxBarPaintType) const override { return {5, 6, 7, 8}; }
  TColor GetTextColorByState(TdxBarItemControl*, bool, bool) const override { return clRed; }
  bool SupportsFadingImages() const override { return true; }
  bool DrawBarFadingImage(TCustomdxBarControl*, HDC, const RECT&, bool) const override { return false; }
  void DrawItemFadingImage(TdxBarItemControlDrawParams*) const override {}
};
CL_DEFINE_CLASS(TComposingPainter);
}  // namespace

TEST(dxBarPainter, AnswersAreMadeOfTheOperationsADerivedPainterReplaces)
{
  TOwned<TComposingPainter> composing = MakeOwned<TComposingPainter>(nullptr);
  const TComposingPainter& p = *composing;
  EXPECT_TRUE(p.IsSkinPainter());
  EXPECT_TRUE(p.HasFlatDropDownArrow());
  EXPECT_TRUE(p.HasFlatSubItemArrow());
  EXPECT_EQ(p.IsFlatAndNoHighContrast(), ColorToRGB(clBtnFace) != RGB(255, 255, 255));
  RECT content{0, 0, 10, 10};
  p.ShiftPressedContentRect(true, content);  // a flat look never shifts
  EXPECT_EQ(content.left, 0);
  EXPECT_TRUE(p.IsBackgroundDrawnByBar(nullptr));
  EXPECT_EQ(p.GetBeginGroupLineOffset(), 4);
  EXPECT_EQ(p.GetSubMenuBorderSize(), 7);
  EXPECT_EQ(Str(p.GetSubMenuBorderRect(nullptr)), Str(RECT{4, 4, 4, 4}));
  RECT borders{};
  p.CalcStatusBarBorders(nullptr, borders);
  EXPECT_EQ(Str(borders), Str(RECT{5, 5, 5, 5}));
  EXPECT_EQ(Str(p.CalcButtonSize(10, 10)), Str(SIZE{12, 11}));
  EXPECT_EQ(p.GetSeparatorItemHeight(), 7);
  EXPECT_EQ(p.GetFloatingCaptionHeightWithLine(), 21);
  EXPECT_EQ(Str(p.GetFloatingCaptionButtonSize()), Str(SIZE{20, 20}));
  const RECT window{0, 0, 200, 100};
  EXPECT_EQ(p.GetFloatingCaptionRect(nullptr, window).bottom, GetSystemMetrics(SM_CYFRAME) + 20);
  EXPECT_EQ(p.CalcCustomColorButtonSize(ptHorz, RECT{0, 0, 50, 22}), 13);
  EXPECT_EQ(Str(p.GetComboContentMargins(ptHorz)), Str(RECT{5, 6, 7, 8}));
  EXPECT_EQ(p.GetEnabledTextColor(nullptr, false, false), clRed);
  HBRUSH brush = SystemColorBrush(COLOR_WINDOW);
  p.PickMenuItemBrush(nullptr, brush);  // without the hot-track look the brush stays
  EXPECT_EQ(brush, SystemColorBrush(COLOR_WINDOW));
}

TEST(dxBarPainter, ScreenTipsDrawLikeThePairedLookAndFeelPainter)
{
  TOwned<TdxBarPainter> painter(ClassRef<TdxBarEnhancedPainter>().Create(nullptr));
  TcxCustomLookAndFeelPainter* flat = cxLookAndFeelPaintersManager()->GetPainterByStyle(TcxPainterStyle::cpsFlat);
  ASSERT_EQ(painter->GetPairedLookAndFeelPainter(), flat);
  TCanvasFixture bars(60, 30), standard(60, 30);
  const RECT tip{0, 0, 60, 20}, footer{4, 24, 56, 26};
  painter->DrawScreenTipWindow(bars.Canvas.get(), tip);
  painter->DrawScreenTipFooterLine(bars.Canvas.get(), footer);
  flat->DrawScreenTipBackground(standard.Canvas.get(), tip);
  flat->DrawScreenTipSeparator(standard.Canvas.get(), footer);
  int differing = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) differing += bars.Pixel(x, y) != standard.Pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST(dxBarPainter, TheBaseDrawings)
{
  TOwned<TdxBarPainter> painter(ClassRef<TdxBarPainter>().Create(nullptr));
  const COLORREF white = RGB(255, 255, 255), shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  {
    TDibSurface s(20, 20, white);
    painter->PaintDisabledShadow(nullptr, s.DC(), RECT{2, 2, 8, 6});
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 20}, shadow), 24);
    EXPECT_EQ(s.Pixel(7, 5), shadow);
  }
  {  // a sunken outer edge: shadow above and left, highlight below and right; the rect shrinks by one
    TDibSurface s(20, 20, white);
    RECT r{2, 2, 12, 12};
    painter->DrawSunkenEdge(s.DC(), r);
    EXPECT_EQ(Str(r), Str(RECT{3, 3, 11, 11}));
    EXPECT_EQ(s.Pixel(5, 2), shadow);
    EXPECT_EQ(s.Pixel(2, 5), shadow);
    EXPECT_EQ(s.Pixel(5, 11), highlight);
    EXPECT_EQ(s.Pixel(11, 5), highlight);
    EXPECT_EQ(s.Pixel(5, 5), white);
  }
  {  // the shadow frame and, inside it, a frame of the colour
    TDibSurface s(20, 20, white);
    painter->DrawDropDownListFrame(s.DC(), clRed, RECT{2, 2, 12, 12});
    EXPECT_EQ(s.Pixel(2, 7), shadow);
    EXPECT_EQ(s.Pixel(11, 7), shadow);
    EXPECT_EQ(s.Pixel(3, 7), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(7, 10), RGB(255, 0, 0));
    EXPECT_EQ(s.Pixel(7, 7), white);
  }
  {  // an etched line along the top: shadow, then highlight under it
    TCanvasFixture f;
    f.Canvas->FillRectWithColor(RECT{0, 0, 40, 40}, clWhite);
    painter->EtchSeparatorLine(f.Canvas.get(), RECT{2, 10, 30, 14});
    EXPECT_EQ(f.Pixel(10, 10), shadow);
    EXPECT_EQ(f.Pixel(10, 11), highlight);
    EXPECT_EQ(f.Pixel(10, 12), white);
    EXPECT_EQ(f.Pixel(10, 9), white);
    painter->FillRectWithBarColor(f.Canvas.get(), RECT{0, 20, 5, 25}, clBlue);
    EXPECT_EQ(f.Pixel(4, 24), RGB(0, 0, 255));
    EXPECT_EQ(f.Pixel(5, 24), white);
  }
  {
    TDibSurface s(20, 20, white);
    painter->FillFloatingCaption(nullptr, s.DC(), SystemColorBrush(COLOR_BTNSHADOW), RECT{0, 0, 20, 3});
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 20}, shadow), 60);
  }
}

TEST(dxBarPainter, TheOffice2003GripDotsRunAlongTheGrip)
{
  TOwned<TdxBarPainter> painter(ClassRef<TdxBarOffice11Painter>().Create(nullptr));
  auto* office = static_cast<TdxBarOffice11Painter*>(painter.get());
  const COLORREF white = RGB(255, 255, 255);
  TDibSurface row(40, 40, white), column(40, 40, white), rowReference(40, 40, white), columnReference(40, 40, white);
  office->DrawOffice11GripDots(nullptr, row.DC(), true, RECT{0, 0, 40, 4});
  office->DrawOffice11GripDots(nullptr, column.DC(), false, RECT{0, 0, 4, 40});
  DrawGripDots(rowReference.DC(), RECT{0, 0, 40, 4}, false);
  DrawGripDots(columnReference.DC(), RECT{0, 0, 4, 40}, true);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(row.Pixel(x, y), rowReference.Pixel(x, y)) << x << ", " << y;
      EXPECT_EQ(column.Pixel(x, y), columnReference.Pixel(x, y)) << x << ", " << y;
    }
  // The row fills the strip across, the column the strip down, and nothing else.
  EXPECT_LT(row.Count(RECT{0, 0, 40, 4}, white), 40 * 4 - 10 * 3);
  EXPECT_EQ(row.Count(RECT{0, 4, 40, 40}, white), 40 * 36);
  EXPECT_LT(column.Count(RECT{0, 0, 4, 40}, white), 40 * 4 - 10 * 3);
  EXPECT_EQ(column.Count(RECT{4, 0, 40, 40}, white), 36 * 40);
}
