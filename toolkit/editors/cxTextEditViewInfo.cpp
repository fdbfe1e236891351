#include "toolkit/editors/cxTextEditViewInfo.h"

#include <algorithm>
#include "classlib/Graphics.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/editors/cxEditUtils.h"
#include "toolkit/editors/cxTextEditViewData.h"

namespace {
// Font metrics of a font on a screen device context.
TEXTMETRICW ScreenTextMetrics(TFont* Font)
{
  TEXTMETRICW metrics{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = Font ? SelectObject(dc, Font->Handle()) : nullptr;
  GetTextMetricsW(dc, &metrics);
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics;
}

RECT Shifted(const RECT& R, int DX, int DY) { return RECT{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }
}  // namespace

CL_DEFINE_CLASS(TcxCustomTextEditViewInfo);

std::wstring TcxCustomTextEditViewInfo::WideShownText() const { return TextForFont(ShownText, TextFont); }

void TcxCustomTextEditViewInfo::ShiftBy(int DX, int DY)
{
  TcxCustomEditViewInfo::ShiftBy(DX, DY);
  TextArea = Shifted(TextArea, DX, DY);
  if (!TextLayout.LaidOut) return;
  TextLayout.TextRect = Shifted(TextLayout.TextRect, DX, DY);
  for (int i = 0; i < TextLayout.RowCount; ++i) {
    TcxTextRow& row = TextLayout.Rows.Row(i);
    row.TextOriginX += DX;
    row.TextOriginY += DY;
  }
}

void TcxCustomTextEditViewInfo::DrawContent(TcxCanvas* Canvas)
{
  TcxCustomEditViewInfo::DrawContent(Canvas);
  RECT client = ClientRect;
  const bool nativeFill = NativeStyle && !PaintsSelectionBar;
  if (!nativeFill && !DrawTransparent && EditStyleCode != 3) FillRectWithCachedBrush(Canvas, client, BackgroundColor);
  InflateRect(&client, -1, -1);
  if (OnOwnerDraw) {
    OnOwnerDraw(this, Canvas, TextArea);
  } else {
    if (PaintsSelectionBar) FillRectWithCachedBrush(Canvas, client, clHighlight);
    if (!ShowsEditWindow) DrawTextContent(Canvas);
  }
  // A focused list-style editor marks its text area.
  if (Focused && (EditStyleCode == 2 || EditStyleCode == 3)) {
    HDC dc = Canvas->GetDCHandle();
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(PaintsSelectionBar ? clHighlightText : clWindowText));
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(PaintsSelectionBar ? clHighlight : BackgroundColor));
    DrawFocusRect(dc, &TextArea);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  }
}

void TcxCustomTextEditViewInfo::LayOutText(HDC DC)
{
  TextLayout.Text = WideShownText();
  TextLayout.Params = PrepareTextParams(DC, TextLayoutFlags);
  TextLayout.TextRect = TextArea;
  TextLayout.AllFit = BuildTextRows(DC, TextLayout.Text, MeasureTextExtentsForRows, nullptr, MaxRowCount, TextLayout.RowCount,
                                    TextLayout.Rows, TextLayout.Params, TextLayout.TextRect);
  PositionTextRows(DC, TextLayout.TextRect, TextLayout.Params, TextLayout.RowCount, TextLayout.Rows);
  TextLayout.EndEllipsisForced = !TextLayout.AllFit && (TextLayoutFlags & CXTO_END_ELLIPSIS);
  TextLayout.LaidOut = true;
}

void TcxCustomTextEditViewInfo::DrawTextContent(TcxCanvas* Canvas)
{
  if (ShownText.empty()) return;
  Canvas->PushState();
  if (TextFont) Canvas->AssignFont(TextFont);
  Canvas->GetCurrentFont()->SetColor(PaintsSelectionBar ? clHighlightText : TextPaintColor);
  HDC dc = Canvas->GetDCHandle();
  const HGDIOBJ oldFont = SelectObject(dc, Canvas->GetCurrentFont()->Handle());
  const COLORREF oldColor = SetTextColor(dc, ColorToRGB(PaintsSelectionBar ? clHighlightText : TextPaintColor));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  if (!TextLayout.LaidOut) LayOutText(dc);
  // The selection, cut to the text: a start outside it selects nothing.
  const int length = static_cast<int>(TextLayout.Text.size());
  TcxTextHighlight selection;
  if (MarkLength > 0 && MarkStart >= 0 && MarkStart < length) {
    selection.Start = MarkStart;
    selection.Length = std::min(MarkLength, length - MarkStart);
    selection.TextColor = MarkTextColor;
    selection.BackColor = MarkBackColor;
  }
  TextLayout.Selection = selection;
  DrawTextRowsHighlighted(dc, TextLayout.TextRect, TextLayout.Params, TextLayout.EndEllipsisForced, selection,
                          TextLayout.RowCount, TextLayout.Rows);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  SelectObject(dc, oldFont);
  Canvas->PopState();
}

int TcxCustomTextEditViewInfo::CalculateBaseline()
{
  const TEXTMETRICW metrics = ScreenTextMetrics(TextFont);
  const int vert = TextLayoutFlags & CXTO_VERTICAL_ALIGNMENT_MASK;
  if (vert == CXTO_BOTTOM) return TextArea.bottom - metrics.tmDescent + 1;
  if (vert == CXTO_CENTER_VERTICALLY) {
    const int room = TextArea.bottom - TextArea.top - metrics.tmHeight;
    const int half = room >= 0 ? room / 2 : -((-room + 1) / 2);  // rounded toward negative infinity
    return TextArea.top + half + metrics.tmAscent + 1;
  }
  return TextArea.top + metrics.tmAscent + 1;
}

bool TcxCustomTextEditViewInfo::TextFitsArea(const RECT& Area)
{
  const std::wstring text = WideShownText();
  if (text.empty()) return true;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = TextFont ? SelectObject(dc, TextFont->Handle()) : nullptr;
  // Laid out as painted, without the ellipsis: word wrap only when the flags already ask for it.
  const TcxTextParams params = PrepareTextParams(dc, TextLayoutFlags & ~CXTO_END_ELLIPSIS);
  TcxTextRows rows;
  int rowCount = 0;
  RECT r = Area;
  const bool fits = BuildTextRows(dc, text, MeasureTextExtentsForRows, nullptr, MaxRowCount, rowCount, rows, params, r);
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return fits;
}

bool TcxCustomTextEditViewInfo::GetHintAt(POINT P, RECT& Rect, bool& IsMultiLine, std::string& Text)
{
  RECT area = Shifted(TextArea, Origin.x, Origin.y);
  const RECT visible = Shifted(Bounds, Origin.x, Origin.y);
  IntersectRect(&area, &area, &visible);
  if (PtInRect(&area, P) && !TextFitsArea(TextArea)) {
    Text = ShownText;
    Rect = area;
    if (WindowHandle) {
      MapWindowPoints(WindowHandle, nullptr, reinterpret_cast<POINT*>(&Rect), 2);
    }
    IsMultiLine = (TextLayoutFlags & CXTO_WORDBREAK) && !(TextLayoutFlags & CXTO_SINGLELINE);
    return true;
  }
  return TcxCustomEditViewInfo::GetHintAt(P, Rect, IsMultiLine, Text);
}
