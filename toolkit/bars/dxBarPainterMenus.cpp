// The base painter's menu and sub-menu parts: metrics of the menu window.
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphicsCanvas.h"

// The text height unit of a menu: the height of a digit plus one, made even in its stripe margin
// so the detach stripe and the arrows centre on whole pixels. (For some fonts this makes the unit
// smaller than the font's own height.)
void TdxBarPainter::CalcSubMenuMetrics(TcxCanvas* Canvas, int TextSize, int& TextHeight, int& ArrowWidth) const
{
  ArrowWidth = CalcSubItemArrowWidth(TextSize);
  TextHeight = Canvas->MeasureTextHeight("0") + 1;
  const int margin = CalcStripeMargin(TextHeight);
  if (margin % 2 != 0) TextHeight = 2 * margin + 4;
}
