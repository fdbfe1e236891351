// The flat painter: one-pixel raised and sunken edges.
#include "toolkit/base/cxLookAndFeelPainters.h"

CL_DEFINE_CLASS(TcxFlatLookAndFeelPainter);

std::string TcxFlatLookAndFeelPainter::GetPainterName() const { return "Flat"; }
TcxPainterStyle TcxFlatLookAndFeelPainter::PainterStyle() const { return cpsFlat; }
