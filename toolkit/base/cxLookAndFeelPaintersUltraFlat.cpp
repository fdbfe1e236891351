// The ultra-flat painter: single one-pixel frames, highlight-tinted hot and pressed faces.
#include "toolkit/base/cxLookAndFeelPainters.h"

CL_DEFINE_CLASS(TcxUltraFlatLookAndFeelPainter);

std::string TcxUltraFlatLookAndFeelPainter::GetPainterName() const { return "UltraFlat"; }
TcxPainterStyle TcxUltraFlatLookAndFeelPainter::PainterStyle() const { return cpsUltraFlat; }
