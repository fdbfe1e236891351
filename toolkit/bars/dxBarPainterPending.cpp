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

TdxBarHintViewInfo* TdxBarPainter::MakeHintViewInfo(TdxBarManager*, std::string_view, TdxScreenTip*,
                                                    std::string_view) const
{
  return nullptr;
}

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



void TdxBarPainter::AddMenuItemIndent(TdxBarItemControlDrawParams*, int&) const {}
void TdxBarPainter::CalcItemParts(TdxBarItemControlDrawParams*, std::vector<RECT>&) const {}
void TdxBarPainter::CalcButtonParts(TdxBarItemControlDrawParams*, std::vector<RECT>&) const {}
int TdxBarPainter::GetSubItemArrowOffset(TdxBarItemControl*) const { return 0; }




int TdxBarPainter::GetItemLeftIndent(TdxBarItemControl*) const { return 0; }
int TdxBarPainter::GetParentGlyphBandWidth(TdxBarItemControlDrawParams*) const { return 0; }
void TdxBarPainter::DrawButtonContent(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawButtonCaption(TdxBarItemControlDrawParams*, const RECT&, const RECT&) const {}

// --- Extended items: colour combos, spin edits, progress bars, in-place sub-items, statics,
// separators, calendars and popup panels ---

RECT TdxBarPainter::CalcCustomColorButtonRect(TdxBarColorComboControlDrawParams*, const RECT&) const { return {}; }
void TdxBarPainter::PaintEllipsisDot(TdxBarEditLikeControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawEllipsisDots(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawTextAtPoint(TdxBarSpinEditDrawParams*, POINT, TdxBarSpinEditButton) const {}
void TdxBarPainter::DrawCenteredButtonText(HDC, const RECT&, bool, std::string_view, int) const {}
void TdxBarPainter::CalcColorComboParts(TdxBarItemControlDrawParams*, std::vector<RECT>&, const RECT&, int) const {}
void TdxBarPainter::CalcSpinEditParts(TdxBarItemControlDrawParams*, std::vector<RECT>&, const RECT&) const {}
bool TdxBarPainter::HasCustomColorButton(TdxBarColorComboControlDrawParams*) const { return false; }
void TdxBarPainter::GetColorBoxIndent(TdxBarItemControlDrawParams*, RECT&) const {}
void TdxBarPainter::DrawCustomColorButton(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawColorSample(TdxBarItemControlDrawParams*, const RECT&) const {}

void TdxBarPainter::CalcPopupPanelBorders(NCCALCSIZE_PARAMS&, RECT&, bool, TWinControl*, TcxGripCorner&,
                                          RECT&) const
{
}

void TdxBarPainter::DrawPopupPanel(HWND, bool, TcxGripCorner, const RECT&, const RECT&, bool, bool) const {}
void TdxBarPainter::PaintCalendarButton(HDC, bool, std::string_view, const RECT&) const {}
POINT TdxBarPainter::CalcSpinArrowOrigin(TdxBarSpinEditDrawParams*, const RECT&, TdxBarSpinEditButton) const
{
  return {};
}
void TdxBarPainter::CalcSpinEditTextRect(TdxBarItemControlDrawParams*, RECT&) const {}
void TdxBarPainter::CalcSpinArrowSize(int, int& Width, int& ArrowHeight) const
{
  Width = 0;
  ArrowHeight = 0;
}

RECT TdxBarPainter::CalcSpinButtonRect(TdxBarItemControlDrawParams*, const RECT&, TdxBarSpinEditButton) const
{
  return {};
}

int TdxBarPainter::CalcSpinButtonsWidth(TdxBarPaintType, const RECT&) const { return 0; }

TcxButtonState TdxBarPainter::ResolveSpinButtonState(TdxBarSpinEditDrawParams*, TdxBarSpinEditButton) const
{
  return TcxButtonState::cxbsNormal;
}

void TdxBarPainter::DrawSpinButton(TdxBarItemControlDrawParams*, const RECT&, TdxBarSpinEditButton) const {}
void TdxBarPainter::FillSpinEditBackground(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawProgressTrack(TdxBarItemControlDrawParams*, const RECT&, TColor) const {}
void TdxBarPainter::FillProgressBackground(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::PaintProgressSegments(TdxBarItemControlDrawParams*, const RECT&, HBRUSH) const {}
void TdxBarPainter::FillProgressSegment(TdxBarItemControlDrawParams*, const RECT&, HBRUSH) const {}
int TdxBarPainter::GetInPlaceSubItemIndent(TdxBarItemControlDrawParams*) const { return 0; }
bool TdxBarPainter::IsInPlaceSubItemHot(TdxBarItemControlDrawParams*) const { return false; }

void TdxBarPainter::DrawInPlaceSubItemArrow(TdxBarItemControlDrawParams*, TcxArrowDirection, const RECT&) const {}
void TdxBarPainter::DrawInPlaceSubItemBackground(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawInPlaceSubItem(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawStaticBackground(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawStaticBorder(TdxBarItemControlDrawParams*, RECT&) const {}
void TdxBarPainter::DrawStaticContent(TdxBarItemControlDrawParams*, const RECT&) const {}
void TdxBarPainter::DrawStaticItem(TdxBarItemControlDrawParams*, RECT&) const {}
bool TdxBarPainter::IsStaticDrawnSelected(TdxBarItemControlDrawParams*) const { return false; }
void TdxBarPainter::DrawSeparatorItem(TdxBarItemControlDrawParams*, const RECT&) const {}

// --- Flat painter ---

void TdxBarFlatPainter::FrameFlatButton(TdxBarItemControl*, HDC, bool, bool, TdxBarPaintType, HBRUSH,
                                        const RECT&) const
{
}

HBRUSH TdxBarFlatPainter::GetFlatGlyphBandBrush(TdxBarItemControl*) const { return nullptr; }
void TdxBarFlatPainter::FillFlatMark(TdxBarControl*, HDC, TCustomdxBarControl*, const RECT&) const {}

void TdxBarFlatPainter::DrawOwnerConnection(TCustomdxBarControl*, HDC, TCustomdxBarControl*, TdxBarItemControl*,
                                            const RECT&) const
{
}

void TdxBarFlatPainter::FrameOwnerItem(TCustomdxBarControl*, HDC, const RECT&) const {}
void TdxBarFlatPainter::FillOwnerJoint(TCustomdxBarControl*, HDC, TdxBarItemControl*, const RECT&, const RECT&) const {}
