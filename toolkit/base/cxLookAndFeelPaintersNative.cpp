// The native painter: the platform's visual styles, with the standard look where a theme class does
// not open.
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxThemeManager.h"

CL_DEFINE_CLASS(TcxWinXPLookAndFeelPainter);

std::string TcxWinXPLookAndFeelPainter::GetPainterName() const { return "Native"; }
TcxPainterStyle TcxWinXPLookAndFeelPainter::PainterStyle() const { return cpsNative; }
bool TcxWinXPLookAndFeelPainter::DependsOnSystemTheme() const { return AreThemesAvailable(); }
