// The standard painter: the classic three-dimensional look.
#include "toolkit/base/cxLookAndFeelPainters.h"

CL_DEFINE_CLASS(TcxStandardLookAndFeelPainter);

std::string TcxStandardLookAndFeelPainter::GetPainterName() const { return "Standard"; }
TcxPainterStyle TcxStandardLookAndFeelPainter::PainterStyle() const { return cpsStandard; }
