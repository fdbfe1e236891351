// Operations of the base painter whose answers read objects of the bar system that cannot be asked
// yet (bar controls, item controls and their draw parameters, sub-menus, docks and the bars' windows),
// and drawings of bars, menus, items, edits and extended items that come with those objects.
// Until then each gives its neutral answer: nothing drawn, 0, false, clDefault, no brush, an empty
// rect, arguments left as they are. Each step that builds such an object moves the operations that
// read it to the painter file of their subject.
#include "toolkit/bars/dxBarPainter.h"

// --- Bar controls, toolbars and docks ---

TColor TdxBarPainter::GetOwnTextColor(TdxBarItemControlDrawParams*) const { return clDefault; }
void TdxBarPainter::ShowControlScreenTip(TCustomdxBarControl*, const RECT&, POINT&, SIZE) const {}

int TdxBarPainter::CalcGlyphAreaSize(TCustomdxBarControl*) const { return 0; }
int TdxBarPainter::GetItemRowHeight(TCustomdxBarControl*) const { return 0; }

bool TdxBarPainter::HasBarBorderLine(TCustomdxBarControl*) const { return false; }
bool TdxBarPainter::HasOwnerBarBorderLine(TCustomdxBarControl*) const { return false; }
void TdxBarPainter::FillQuickControlFrame(TCustomdxBarControl*, HDC) const {}


void TdxBarPainter::FillControlBackgroundBitmap(TCustomdxBarControl*, TcxCanvas*, TColor, HBRUSH,
                                                const RECT&) const
{
}

// --- Menus ---

void TdxBarPainter::DrawDetachCaption(TdxBarSubMenuControl*, const RECT&, bool) const {}
void TdxBarPainter::DrawHotDetachCaption(TdxBarSubMenuControl*, HDC, const RECT&) const {}
int TdxBarPainter::GetMenuTextIndent(TdxBarItemControlDrawParams*) const { return 0; }

// --- Buttons, glyphs, captions and menu items ---



int TdxBarPainter::GetSubItemArrowOffset(TdxBarItemControl*) const { return 0; }




int TdxBarPainter::GetItemLeftIndent(TdxBarItemControl*) const { return 0; }
int TdxBarPainter::GetParentGlyphBandWidth(TdxBarItemControlDrawParams*) const { return 0; }

// --- Extended items: colour combos, spin edits, progress bars, in-place sub-items, statics,
// separators, calendars and popup panels ---

void TdxBarPainter::CalcPopupPanelBorders(NCCALCSIZE_PARAMS&, RECT&, bool, TWinControl*, TcxGripCorner&,
                                          RECT&) const
{
}

void TdxBarPainter::DrawPopupPanel(HWND, bool, TcxGripCorner, const RECT&, const RECT&, bool, bool) const {}
void TdxBarPainter::DrawInPlaceSubItemArrow(TdxBarItemControlDrawParams*, TcxArrowDirection, const RECT&) const {}
void TdxBarPainter::DrawInPlaceSubItem(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawStaticBorder(TdxBarItemControlDrawParams*, RECT&) const {}
void TdxBarPainter::DrawStaticContent(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawStaticItem(TdxBarItemControlDrawParams*, RECT&) const {}
void TdxBarPainter::DrawSeparatorItem(TdxBarItemControlDrawParams*, const RECT&) const {}
