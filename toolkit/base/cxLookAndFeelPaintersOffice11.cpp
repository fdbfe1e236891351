// The Office 2003 painter: the ultra-flat shapes in the Office 2003 colours.
#include "toolkit/base/cxLookAndFeelPainters.h"

CL_DEFINE_CLASS(TcxOffice11LookAndFeelPainter);

std::string TcxOffice11LookAndFeelPainter::GetPainterName() const { return "Office11"; }
TcxPainterStyle TcxOffice11LookAndFeelPainter::PainterStyle() const { return cpsOffice11; }
bool TcxOffice11LookAndFeelPainter::DependsOnSystemTheme() const { return true; }
