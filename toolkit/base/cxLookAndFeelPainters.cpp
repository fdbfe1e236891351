// The base painter: identity, the colour queries and the cell content, in the order of the
// operations in the header. The glyph routines are in cxLookAndFeelPaintersGlyphs.cpp, the operations
// for control parts in cxLookAndFeelPaintersControls.cpp and cxLookAndFeelPaintersPanels.cpp.
#include "toolkit/base/cxLookAndFeelPainters.h"

#include <cstdint>
#include "classlib/GraphicsObjects.h"
#include "toolkit/base/dxCore.h"

namespace {
// A fixed colour written red first.
constexpr TColor Rgb(uint32_t rrggbb)
{
  return static_cast<TColor>(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16));
}
}  // namespace

CL_DEFINE_CLASS(TcxCustomLookAndFeelPainter);

int cxTextFlags(TAlignment alignHorz, TcxVerticalAlignment alignVert, bool multiLine, bool showEndEllipsis)
{
  static constexpr int Horz[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static constexpr int Vert[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
  return Horz[static_cast<int>(alignHorz)] | Vert[static_cast<int>(alignVert)] |
         (multiLine ? cxWordBreak : cxSingleLine) | (showEndEllipsis ? cxShowEndEllipsis : 0);
}

// --- Identity, colours and cell content ---

TColor TcxCustomLookAndFeelPainter::HotTrackTextColor() const
{
  return WinVistaOrLater ? Rgb(0x0066CC) : clHighlightText;
}

void TcxCustomLookAndFeelPainter::FillBackground(TcxCanvas* Canvas, const RECT& R, bool UseBitmap, TColor Color,
                                                 TBitmap* Bitmap) const
{
  if (!UseBitmap)
    Canvas->FillRectWithColor(R, Color);
  else if (Bitmap)
    Canvas->FillRectTiled(R, Bitmap);
}

void TcxCustomLookAndFeelPainter::DrawCellContent(TcxCanvas* Canvas, const RECT& Bounds, const RECT& TextBounds,
                                                  TcxButtonState, TAlignment AlignHorz,
                                                  TcxVerticalAlignment AlignVert, bool MultiLine,
                                                  bool ShowEndEllipsis, std::string_view Text, TFont* Font,
                                                  TColor TextColor, TColor BkColor,
                                                  const TcxDrawBackgroundEvent& OnDrawBackground, bool) const
{
  if (!OnDrawBackground || !OnDrawBackground(Canvas, Bounds)) Canvas->FillRectWithColor(Bounds, BkColor);
  if (Text.empty()) return;
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  if (Font) Canvas->AssignFont(Font);
  if (TextColor != clDefault) Canvas->GetCurrentFont()->SetColor(TextColor);
  Canvas->DrawTextInRect(Text, TextBounds, cxTextFlags(AlignHorz, AlignVert, MultiLine, ShowEndEllipsis));
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas* Canvas, const RECT& R, TcxBorders) const
{
  const int separator = FooterSeparatorSize();
  DrawFooterSeparator(Canvas, RECT{R.left, R.top, R.right, R.top + separator});
  DrawFooterEdges(Canvas, RECT{R.left, R.top + separator, R.right, R.bottom});
}

RECT TcxCustomLookAndFeelPainter::FooterCellContentBounds(const RECT& R) const
{
  RECT result = R;
  InflateRect(&result, -FooterCellBorderWidth(), -FooterCellBorderWidth());
  return result;
}

RECT TcxCustomLookAndFeelPainter::FooterCellTextBounds(const RECT& R) const
{
  RECT result = FooterCellContentBounds(R);
  InflateRect(&result, -2, -2);
  return result;
}

RECT TcxCustomLookAndFeelPainter::CalcCenteredStrip(const RECT& R, int Width, bool Horizontal) const
{
  RECT result = R;
  if (Horizontal) {
    result.left = (R.left + R.right) / 2 - Width / 2;
    result.right = result.left + Width;
  } else {
    result.top = (R.top + R.bottom) / 2 - Width / 2;
    result.bottom = result.top + Width;
  }
  return result;
}

bool TcxCustomLookAndFeelPainter::GetPainterInfo(TdxSkinLookAndFeelPainterInfo*& Info) const
{
  Info = nullptr;
  return false;
}

bool TcxCustomLookAndFeelPainter::GetSkinDetails(TdxSkinDetails*& Details) const
{
  Details = nullptr;
  return false;
}

bool TcxCustomLookAndFeelPainter::IsUserSkin() const { return false; }
std::string TcxCustomLookAndFeelPainter::GetPainterName() const { return {}; }
TcxPainterStyle TcxCustomLookAndFeelPainter::PainterStyle() const { return cpsStandard; }
bool TcxCustomLookAndFeelPainter::DependsOnSystemTheme() const { return false; }

TColor TcxCustomLookAndFeelPainter::ContentColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::ContentEvenColor() const { return ContentColor(); }
TColor TcxCustomLookAndFeelPainter::ContentOddColor() const { return ContentColor(); }
TColor TcxCustomLookAndFeelPainter::ContentTextColor() const { return clWindowText; }

TColor TcxCustomLookAndFeelPainter::EditorBackgroundColor(bool IsDisabled) const
{
  return EditorStateBackgroundColor(IsDisabled ? esckDisabled : esckNormal);
}

TColor TcxCustomLookAndFeelPainter::EditorStateBackgroundColor(TcxEditStateColorKind) const { return clDefault; }

TColor TcxCustomLookAndFeelPainter::EditorTextColor(bool IsDisabled) const
{
  return EditorStateTextColor(IsDisabled ? esckDisabled : esckNormal);
}

TColor TcxCustomLookAndFeelPainter::EditorStateTextColor(TcxEditStateColorKind) const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::FilterPanelColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::FilterPanelTextColor() const { return clBtnHighlight; }
TColor TcxCustomLookAndFeelPainter::FixedSeparatorColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::FooterColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::FooterTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::ExtraColor1() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GridLineColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GroupPanelColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::GroupPanelTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GroupRowColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::GroupRowTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::HeaderBackgroundColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::HeaderBackgroundTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::HeaderTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::HyperLinkTextColor() const { return Rgb(0x0000FF); }
TColor TcxCustomLookAndFeelPainter::ExtraColor2() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor3() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::LinkTextColor() const { return Rgb(0x0000FF); }
TColor TcxCustomLookAndFeelPainter::FixedGridLineColor() const { return GridLineColor(); }
TColor TcxCustomLookAndFeelPainter::FormContentColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::BandBorderColor() const { return VerticalGridLineColor(); }
TColor TcxCustomLookAndFeelPainter::CategoryColor() const { return HeaderColor(); }
TColor TcxCustomLookAndFeelPainter::CategoryTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::RowHeaderColor() const { return HeaderColor(); }
TColor TcxCustomLookAndFeelPainter::RowHeaderTextColor() const { return HeaderTextColor(); }
TColor TcxCustomLookAndFeelPainter::VerticalGridLineColor() const { return clBlack; }

TColor TcxCustomLookAndFeelPainter::CalendarContentColor() const
{
  const TColor color = EditorBackgroundColor(false);
  return color == clDefault ? ContentColor() : color;
}

TColor TcxCustomLookAndFeelPainter::CalendarHeaderColor() const { return clBtnFace; }

TColor TcxCustomLookAndFeelPainter::CalendarHeaderTextColor(bool IsHot) const
{
  return IsHot ? HotTrackTextColor() : HeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::CalendarHolidayTextColor() const { return Rgb(0xFF0000); }
TColor TcxCustomLookAndFeelPainter::CalendarInactiveDayTextColor() const { return clGrayText; }
TColor TcxCustomLookAndFeelPainter::CalendarSelectedDayColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::CalendarSelectedDayTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::CalendarSeparatorColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor4() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::CalendarDayTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::CalendarTodayFrameColor() const { return Rgb(0x800000); }
TColor TcxCustomLookAndFeelPainter::CalendarTodayTextColor() const { return Rgb(0x000080); }
TColor TcxCustomLookAndFeelPainter::ExtraColor5() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor6() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::ContainerFrameColor() const { return Rgb(0xA19D9D); }
TColor TcxCustomLookAndFeelPainter::ExtraColor7() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::SchedulerNavigatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::SchedulerRulerColor() const { return HeaderColor(); }
TColor TcxCustomLookAndFeelPainter::SchedulerRulerTextColor() const { return HeaderTextColor(); }
TColor TcxCustomLookAndFeelPainter::SchedulerContentColor() const { return Rgb(0xFFFFD5); }
TColor TcxCustomLookAndFeelPainter::SchedulerSelectedEventTextColor() const { return SelectionTextColor(); }
TColor TcxCustomLookAndFeelPainter::SchedulerEventTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::SelectionColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::SelectionTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::CardSeparatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor8() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor9() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::ExtraColor10() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor11() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor12() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::TimeGridHeaderTextColor() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor13() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::ExtraColor14() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::ExtraColor15() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::ExtraColor16() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor17() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor18() const { return clBlack; }
TColor TcxCustomLookAndFeelPainter::ExtraColor19() const { return Rgb(0xCFCFCF); }
TColor TcxCustomLookAndFeelPainter::ExtraColor20() const { return clWhite; }
TColor TcxCustomLookAndFeelPainter::ExtraColor21() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::ExtraColor22() const { return Rgb(0xA6CAF0); }
TColor TcxCustomLookAndFeelPainter::ExtraColor23() const { return Rgb(0x000080); }
TColor TcxCustomLookAndFeelPainter::ChartInfoBorderColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::ChartItemSeparatorColor() const { return clBtnShadow; }

TColor TcxCustomLookAndFeelPainter::ItemColorBySelection(bool IsSelected) const
{
  return IsSelected ? clHighlight : clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::ItemTextColorBySelection(bool IsSelected) const
{
  return IsSelected ? clHighlightText : clBtnText;
}
