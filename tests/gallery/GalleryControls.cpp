// The gallery's entries for the shared glyphs and the parts of controls.
#include "classlib/GraphicsObjects.h"
#include "tests/gallery/GalleryCatalogue.h"
#include "toolkit/base/cxGeometry.h"

namespace {
using TNeighbour = TcxNeighbour;
constexpr TcxArrowDirection Directions[] = {adUp, adDown, adLeft, adRight};
const char* const DirectionNames[] = {"up", "down", "left", "right"};
constexpr TcxBorders NoTop{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom};

// Cells for the four arrow directions.
TGalleryEntry DirectionsEntry(std::string name, SIZE size,
                              const std::function<void(TcxCanvas*, const RECT&, TcxArrowDirection)>& draw)
{
  TGalleryEntry entry{std::move(name), size, {}};
  for (int i = 0; i < 4; ++i)
    entry.Cells.push_back({DirectionNames[i], [draw, d = Directions[i]](TcxCanvas* c, const RECT& r) { draw(c, r, d); }});
  return entry;
}

// An entry of states with a word before each state's name ("checked hot").
TGalleryEntry PrefixedStatesEntry(std::string name, SIZE size, const std::string& prefix, const TStateDraw& draw)
{
  TGalleryEntry entry = StatesEntry(std::move(name), size, draw);
  for (TGalleryCell& cell : entry.Cells) cell.Caption = prefix + " " + cell.Caption;
  return entry;
}

void AddGlyphs(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Shared glyphs");
  sheet.Add(SingleEntry("DrawDropDownArrow", {16, 16},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawDropDownArrow(c, r, clBtnText); }));
  sheet.Add({"DrawPlusMinusSign", {11, 11},
             {{"expanded", [p](TcxCanvas* c, const RECT& r) { p->DrawPlusMinusSign(c, r, true, clBtnText); }},
              {"collapsed", [p](TcxCanvas* c, const RECT& r) { p->DrawPlusMinusSign(c, r, false, clBtnText); }}}});
  // Glyphs are drawn on the face of their state, as the buttons that show them do.
  sheet.Add(StatesEntry("DrawToggleChevrons (expanded, on ButtonFaceColor)", {15, 15},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          c->FillRectWithColor(r, p->ButtonFaceColor(s));
                          p->DrawToggleChevrons(c, r, true, s);
                        }));
  sheet.Add(SingleEntry("DrawToggleChevrons", {15, 15},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawToggleChevrons(c, r, false, cxbsNormal); },
                        "collapsed"));
  sheet.Add({"DrawSortTriangle (shadow and highlight on clBtnFace)", {16, 16},
             {{"ascending",
               [p](TcxCanvas* c, const RECT& r) {
                 c->FillRectWithColor(r, clBtnFace);
                 p->DrawSortTriangle(c, r, clBtnShadow, clBtnHighlight, true);
               }},
              {"descending", [p](TcxCanvas* c, const RECT& r) {
                 c->FillRectWithColor(r, clBtnFace);
                 p->DrawSortTriangle(c, r, clBtnShadow, clBtnHighlight, false);
               }}}});
  sheet.Add(StatesEntry("DrawCloseCross (glyph colour on ButtonFaceColor)", {16, 16},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          c->FillRectWithColor(r, p->ButtonFaceColor(s));
                          p->DrawCloseCross(c, r, s, p->ButtonGlyphColor(s, clDefault));
                        }));
  TGalleryEntry sideArrows{"DrawHeaderSideArrows", {60, 20}, {}};
  for (int sides : {1, 2, 3})
    sideArrows.Cells.push_back({"sides " + std::to_string(sides), [p, sides](TcxCanvas* c, const RECT& r) {
                                  c->FillRectWithColor(r, clBtnFace);
                                  p->DrawHeaderSideArrows(c, r, sides, 6, clWindowText);
                                }});
  sheet.Add(sideArrows);
}

void AddButtons(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Arrow glyphs, borders and push buttons");
  sheet.Add(DirectionsEntry("DrawArrowGlyph", {16, 16}, [p](TcxCanvas* c, const RECT& r, TcxArrowDirection d) {
    p->DrawArrowGlyph(c, r, clBtnText, d);
  }));
  sheet.Add(StatesEntry("DrawScrollArrowButton (down, with button)", {17, 17},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawScrollArrowButton(c, r, s, adDown, true);
                        }));
  sheet.Add(StatesEntry("DrawScrollArrowButton (right, no button)", {17, 17},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawScrollArrowButton(c, r, s, adRight, false);
                        }));
  sheet.Add(StatesEntry("DrawPlainButton", {40, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawPlainButton(c, r, s); }));
  sheet.Add(StatesEntry("DrawStateArrow (right, on ButtonFaceColor)", {16, 16},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          c->FillRectWithColor(r, p->ButtonFaceColor(s));
                          p->DrawStateArrow(c, r, s, adRight);
                        }));
  sheet.Add(SingleEntry("DrawBorderFrame", {40, 24}, [p](TcxCanvas* c, const RECT& r) { p->DrawBorderFrame(c, r); }));
  TGalleryEntry container{"DrawContainerBorder (width 1, clBtnText)", {36, 24}, {}};
  const char* const styleNames[] = {"none", "single", "thick", "flat", "3D", "ultra-flat", "Office11"};
  for (int i = 0; i < 7; ++i) {
    const auto style = static_cast<TcxContainerBorderStyle>(i);
    container.Cells.push_back({styleNames[i], [p, style](TcxCanvas* c, const RECT& r) {
                                 p->DrawContainerBorder(c, r, style, style == cbsThick ? 2 : 1, clBtnText,
                                                        cxBordersAll);
                               }});
  }
  sheet.Add(container);
  sheet.Add({"DrawSeparator",
             {40, 24},
             {{"in a horizontal row", [p](TcxCanvas* c, const RECT& r) { p->DrawSeparator(c, r, true); }},
              {"in a vertical row", [p](TcxCanvas* c, const RECT& r) { p->DrawSeparator(c, r, false); }}}});
  TFont* font = x.Font;
  sheet.Add(StatesEntry("DrawButton (\"OK\")", {75, 23}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    c->AssignFont(font);
    p->DrawButton(c, r, "OK", s, true, clDefault, clDefault, false, false);
  }));
  sheet.Add(StatesEntry("DrawButton (word wrap, no border)", {75, 34},
                        [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          c->AssignFont(font);
                          p->DrawButton(c, r, "Two &lines of text", s, false, clDefault, clDefault, true, false);
                        }));
  sheet.Add(StatesEntry("DrawEditButtonFace (three joined)", {51, 22},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          c->DrawFrameRect(r, p->ContainerFrameColor());
                          for (int i = 0; i < 3; ++i)
                            p->DrawEditButtonFace(c, RECT{r.left + 17 * i, r.top, r.left + 17 * (i + 1), r.bottom}, s,
                                                  3, i, clBtnShadow);
                        }));
  sheet.Add(StatesEntry("DrawButtonEdges", {40, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawButtonEdges(c, r, s); }));
  sheet.Add({"DrawButtonFrame",
             {40, 20},
             {{"plain", [p](TcxCanvas* c, const RECT& r) { p->DrawButtonFrame(c, r, false, false); }},
              {"selected", [p](TcxCanvas* c, const RECT& r) { p->DrawButtonFrame(c, r, true, false); }},
              {"pressed", [p](TcxCanvas* c, const RECT& r) { p->DrawButtonFrame(c, r, true, true); }}}});
}

void AddExpandAndCheckBoxes(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Expand boxes and group toggle buttons");
  const int box = std::max(p->ExpandBoxSize(), 9);
  sheet.Add({"DrawExpandBox",
             {box, box},
             {{"expanded", [p](TcxCanvas* c, const RECT& r) { p->DrawExpandBox(c, r, true, clDefault); }},
              {"collapsed", [p](TcxCanvas* c, const RECT& r) { p->DrawExpandBox(c, r, false, clDefault); }},
              {"clWindow", [p](TcxCanvas* c, const RECT& r) { p->DrawExpandBox(c, r, false, clWindow); }}}});
  sheet.Add(StatesEntry("DrawGroupToggleButton (expanded)", {15, 15},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawGroupToggleButton(c, r, true, s); }));
  sheet.Add(StatesEntry("DrawGroupToggleButton (collapsed)", {15, 15},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawGroupToggleButton(c, r, false, s);
                        }));
  sheet.Add(StatesEntry("DrawRotatedGroupToggleButton (quarter turn left)", {15, 21},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawRotatedGroupToggleButton(c, r, s, true, raPlus90);
                        }));
  TGalleryEntry rotations{"DrawRotatedGroupToggleButton (expanded, normal)", {21, 21}, {}};
  const char* const rotationNames[] = {"no turn", "+90", "-90", "180"};
  for (int i = 0; i < 4; ++i)
    rotations.Cells.push_back({rotationNames[i], [p, i](TcxCanvas* c, const RECT& r) {
                                 p->DrawRotatedGroupToggleButton(c, r, cxbsNormal, true,
                                                                 static_cast<TcxRotationAngle>(i));
                               }});
  sheet.Add(rotations);
  sheet.Add({"DrawSmallExpandBox (frame clBtnShadow)",
             {9, 9},
             {{"expanded", [p](TcxCanvas* c, const RECT& r) { p->DrawSmallExpandBox(c, r, true, clBtnShadow, clWindow); }},
              {"collapsed",
               [p](TcxCanvas* c, const RECT& r) { p->DrawSmallExpandBox(c, r, false, clBtnShadow, clWindow); }},
              {"no fill",
               [p](TcxCanvas* c, const RECT& r) { p->DrawSmallExpandBox(c, r, false, clBtnShadow, clDefault); }}}});

  sheet.Section("Check boxes, radio buttons and etched lines");
  const SIZE glyph = p->CheckBoxGlyphSize();
  const SIZE check{std::max<int>(glyph.cx, 13), std::max<int>(glyph.cy, 13)};
  const char* const checkNames[] = {"unchecked", "checked", "grayed"};
  for (int i = 0; i < 3; ++i) {
    const auto state = static_cast<TcxCheckBoxState>(i);
    sheet.Add(PrefixedStatesEntry("DrawCheckButton", check, checkNames[i],
                                  [p, state](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                                    p->DrawCheckButton(c, r, s, state);
                                  }));
  }
  sheet.Add(PrefixedStatesEntry("DrawCheckButtonByState", check, "checked",
                                [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                                  p->DrawCheckButtonByState(c, r, s, true);
                                }));
  sheet.Add(StatesEntry("DrawCheckFrame", check,
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawCheckFrame(c, r, s); }));
  sheet.Add(PrefixedStatesEntry("DrawCheckMark (solid brush)", {9, 9}, "checked",
                                [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                                  p->DrawCheckMark(c, r, s, true, clBtnText);
                                }));
  sheet.Add(PrefixedStatesEntry("DrawFilterCheck", check, "checked", [p](TcxCanvas* c, const RECT& r,
                                                                        TcxButtonState s) {
    p->DrawFilterCheck(c, r, s, true);
  }));
  SIZE radio = p->RadioButtonGlyphSize();
  radio = {std::max<int>(radio.cx, 12), std::max<int>(radio.cy, 12)};
  for (bool checked : {false, true})
    sheet.Add(PrefixedStatesEntry("DrawRadioButton", radio, checked ? "checked" : "unchecked",
                                  [p, checked](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                                    p->DrawRadioButton(c, r.left, r.top, s, checked, false, clDefault, false);
                                  }));
  sheet.Add({"DrawRadioButton (checked, normal)",
             radio,
             {{"focused",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawRadioButton(c, r.left, r.top, cxbsNormal, true, true, clDefault, false);
               }},
              {"designing",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawRadioButton(c, r.left, r.top, cxbsNormal, true, false, clDefault, true);
               }},
              {"on clBtnFace",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawRadioButton(c, r.left, r.top, cxbsNormal, true, false, clBtnFace, false);
               }}}});
  sheet.Add({"DrawEtchedLine (default colours)",
             {40, 24},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawEtchedLine(c, RECT{r.left, r.top + 11, r.right, r.top + 13}, clDefault, clDefault, false);
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 p->DrawEtchedLine(c, RECT{r.left + 19, r.top, r.left + 21, r.bottom}, clDefault, clDefault, true);
               }}}});
}

void AddHeaders(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  TFont* font = x.Font;
  sheet.Section("Headers, sort arrows, group panels and layout-view items");
  sheet.Add(StatesEntry("DrawHeader", {80, 20}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawHeader(c, r, InflateRectXY(r, -2, 0), {}, cxBordersAll, s, taLeftJustify, vaCenter, false, true, "Header",
                  font, p->HeaderTextColor(), p->HeaderColor(), {}, false, false);
  }));
  sheet.Add(SingleEntry("DrawHeader (three neighbours, borders by HeaderNeighbourBorders)", {180, 20},
                        [p, font](TcxCanvas* c, const RECT& r) {
                          const TcxNeighbours neighbours[] = {{TNeighbour::nRight},
                                                              {TNeighbour::nLeft, TNeighbour::nRight},
                                                              {TNeighbour::nLeft}};
                          for (int i = 0; i < 3; ++i) {
                            const RECT cell{r.left + 60 * i, r.top, r.left + 60 * (i + 1), r.bottom};
                            p->DrawHeader(c, cell, InflateRectXY(cell, -2, 0), neighbours[i],
                                          p->HeaderNeighbourBorders(neighbours[i]), cxbsNormal, taCenter, vaCenter,
                                          false, true, "Column", font, p->HeaderTextColor(), p->HeaderColor(), {},
                                          i == 2, false);
                          }
                        }));
  sheet.Add(StatesEntry("DrawHeaderSimple", {80, 20}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawHeaderSimple(c, r, InflateRectXY(r, -2, 0), {}, cxBordersAll, s, taLeftJustify, vaCenter, false, true,
                        "Simple", font, p->HeaderTextColor(), p->HeaderColor(), {});
  }));
  sheet.Add(StatesEntry("DrawHeaderEdges", {80, 20}, [p](TcxCanvas* c, const RECT& r, TcxButtonState) {
    p->DrawHeaderEdges(c, r, {}, cxBordersAll);
  }));
  sheet.Add(StatesEntry("DrawHeaderSection", {80, 20}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawHeaderSection(c, r, InflateRectXY(r, -3, 0), {}, cxBordersAll, s, taLeftJustify, vaCenter, false, true,
                         "Section", font, p->HeaderTextColor(), p->HeaderColor());
  }));
  sheet.Add(StatesEntry("DrawHeaderSectionBorder", {80, 20}, [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawHeaderSectionBorder(c, r, s, cxBordersAll);
  }));
  sheet.Add(StatesEntry("DrawHeaderSectionContent", {80, 20}, [p, font](TcxCanvas* c, const RECT& r,
                                                                       TcxButtonState s) {
    p->DrawHeaderSectionContent(c, r, InflateRectXY(r, -3, 0), s, taCenter, vaCenter, false, false, "Content", font,
                                p->HeaderTextColor(), p->HeaderColor());
  }));
  sheet.Add(StatesEntry("DrawHeaderSectionText", {80, 20}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawHeaderSectionText(c, r, s, taCenter, vaCenter, false, false, "Text", font, p->HeaderTextColor());
  }));
  sheet.Add(SingleEntry("InvertHeaderRect", {80, 20}, [p, font](TcxCanvas* c, const RECT& r) {
    p->DrawHeader(c, r, r, {}, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, "Inverted", font,
                  p->HeaderTextColor(), p->HeaderColor(), {}, false, false);
    p->InvertHeaderRect(c, r);
  }));
  sheet.Add({"DrawSortArrow",
             {16, 16},
             {{"ascending", [p](TcxCanvas* c, const RECT& r) { p->DrawSortArrow(c, r, true); }},
              {"descending", [p](TcxCanvas* c, const RECT& r) { p->DrawSortArrow(c, r, false); }}}});
  sheet.Add(SingleEntry("DrawBandedBackground (bands 12, view clBtnShadow)", {80, 20},
                        [p](TcxCanvas* c, const RECT& r) {
                          p->DrawBandedBackground(c, r, TcxViewParams{nullptr, clBtnShadow}, clWindow, 12);
                        }));
  sheet.Add(SingleEntry("DrawGroupPanelBackground", {60, 20}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawGroupPanelBackground(c, r, false, p->GroupPanelColor(), nullptr);
  }));
  sheet.Add(StatesEntry("DrawLayoutViewItem", {40, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawLayoutViewItem(c, r, s); }));
  sheet.Add(StatesEntry("DrawLayoutViewRecordCaption", {40, 20}, [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawLayoutViewRecordCaption(c, r, s, false);
  }));
  sheet.Add(StatesEntry("DrawLayoutViewRecordFrame (no top)", {40, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawLayoutViewRecordFrame(c, r, NoTop, s);
                        }));
  sheet.Add(StatesEntry("DrawLayoutViewRecordBody (no top)", {40, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawLayoutViewRecordBody(c, r, NoTop, s);
                        }));
  sheet.Add(StatesEntry("DrawLayoutViewToggleButton (expanded)", {15, 15},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawLayoutViewToggleButton(c, r, true, s);
                        }));
  sheet.Add({"DrawCellContent",
             {80, 20},
             {{"left, top",
               [p, font](TcxCanvas* c, const RECT& r) {
                 p->DrawCellContent(c, r, r, cxbsNormal, taLeftJustify, vaTop, false, false, "Cell", font,
                                    p->ContentTextColor(), p->ContentColor(), {}, false);
               }},
              {"centred, ellipsis", [p, font](TcxCanvas* c, const RECT& r) {
                 p->DrawCellContent(c, r, r, cxbsNormal, taCenter, vaCenter, false, true, "A long cell text", font,
                                    p->ContentTextColor(), p->ContentColor(), {}, false);
               }}}});
}

void AddFootersPopupsAndTabs(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  TFont* font = x.Font;
  sheet.Section("Footers");
  sheet.Add(SingleEntry("DrawFooterPanel", {120, 24}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawFooterPanel(c, r, cxBordersAll);
  }));
  sheet.Add(SingleEntry("DrawFooterCell", {80, 22}, [p, font](TcxCanvas* c, const RECT& r) {
    p->DrawFooterCell(c, r, taRightJustify, vaCenter, false, "12345", font, p->FooterTextColor(), p->FooterColor(),
                      {});
  }));
  sheet.Add(SingleEntry("DrawFooterCellContent", {80, 22}, [p, font](TcxCanvas* c, const RECT& r) {
    p->DrawFooterCellContent(c, r, taLeftJustify, vaCenter, false, "Sum", font, p->FooterTextColor(),
                             p->FooterColor(), {});
  }));
  sheet.Add(SingleEntry("DrawFooterEdges", {80, 22}, [p](TcxCanvas* c, const RECT& r) { p->DrawFooterEdges(c, r); }));
  sheet.Add(SingleEntry("DrawFooterCellEdges", {80, 22},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawFooterCellEdges(c, r); }));
  sheet.Add(SingleEntry("DrawFooterPanelPattern (view clBtnFace)", {80, 22}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawFooterPanelPattern(c, r, TcxViewParams{nullptr, clBtnFace});
  }));
  sheet.Add(SingleEntry("DrawFooterSeparator", {80, 4},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawFooterSeparator(c, r); }));

  sheet.Section("Filter buttons, popups, hints and screen tips");
  const POINT cross = p->CloseCrossButtonSize();
  sheet.Add(StatesEntry("DrawCloseCrossButton", {cross.x, cross.y},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawCloseCrossButton(c, r, s); }));
  const SIZE filter{std::max<int>(p->FilterArrowButtonSize().x, 15), 18};
  for (bool active : {false, true})
    sheet.Add(PrefixedStatesEntry("DrawFilterArrowButton", filter, active ? "active" : "inactive",
                                  [p, active](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                                    p->DrawFilterArrowButton(c, r, s, active);
                                  }));
  sheet.Add(SingleEntry("DrawFilterPanelBackground", {60, 20}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawFilterPanelBackground(c, r, false, p->FilterPanelColor(), nullptr);
  }));
  TGalleryEntry popup{"DrawPopupBorder (what is left filled white)", {40, 30}, {}};
  const std::pair<const char*, std::pair<TcxEditPopupBorderStyle, bool>> popupStyles[] = {
    {"default", {epbsDefault, false}}, {"single", {epbsSingle, false}},     {"flat", {epbsFlat, false}},
    {"frame 3D", {epbsFrame3D, false}}, {"3D, client edge", {epbsFrame3D, true}}};
  for (const auto& [name, style] : popupStyles)
    popup.Cells.push_back({name, [p, style](TcxCanvas* c, const RECT& r) {
                             c->FillRectWithColor(r, clAqua);
                             RECT inner = r;
                             p->DrawPopupBorder(c, inner, style.first, style.second);
                             c->FillRectWithColor(inner, clWhite);
                           }});
  sheet.Add(popup);
  sheet.Add(SingleEntry("FillFormContent", {40, 20}, [p](TcxCanvas* c, const RECT& r) { p->FillFormContent(c, r); }));
  sheet.Add(SingleEntry("FillHintBackground", {40, 20},
                        [p](TcxCanvas* c, const RECT& r) { p->FillHintBackground(c, r, clDefault); }));
  sheet.Add(SingleEntry("DrawScreenTipBackground", {90, 40},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawScreenTipBackground(c, r); }));
  sheet.Add(SingleEntry("DrawScreenTipSeparator", {90, 6}, [p](TcxCanvas* c, const RECT& r) {
    p->FillHintBackground(c, r, clDefault);
    p->DrawScreenTipSeparator(c, RECT{r.left + 4, r.top + 2, r.right - 4, r.bottom});
  }));

  sheet.Section("Tabs and indicators");
  sheet.Add(StatesEntry("DrawTab", {60, 20}, [p, font](TcxCanvas* c, const RECT& r, TcxButtonState s) {
    p->DrawTab(c, r, NoTop, "Tab", s, false, font, clBtnText, clBtnFace, false);
  }));
  sheet.Add({"DrawTabEdges, DrawTabPaneEdges",
             {70, 40},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 // A tab standing on its pane: the pane's edges, then the tab's left, top and right edges.
                 const int w = p->TabBorderWidth(false);
                 const RECT pane{r.left, r.top + 18, r.right, r.bottom};
                 const RECT tab{r.left + 6, r.top + 2, r.left + 46, r.top + 19};
                 c->FillRectWithColor(pane, clBtnFace);
                 c->FillRectWithColor(tab, clBtnFace);
                 p->DrawTabPaneEdges(c, pane, false, cxBordersAll);
                 c->FillRectWithColor(RECT{tab.left + w, pane.top, tab.right - w, pane.top + w}, clBtnFace);
                 const TcxBorders sides{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bRight};
                 p->DrawTabEdges(c, RECT{tab.left, tab.top, tab.left + w, tab.bottom}, false, sides, TcxBorder::bLeft);
                 p->DrawTabEdges(c, RECT{tab.left, tab.top, tab.right, tab.top + w}, false, sides, TcxBorder::bTop);
                 p->DrawTabEdges(c, RECT{tab.right - w, tab.top, tab.right, tab.bottom}, false, sides,
                                 TcxBorder::bRight);
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 const int w = p->TabBorderWidth(true);
                 const RECT pane{r.left + 24, r.top, r.right, r.bottom};
                 const RECT tab{r.left + 2, r.top + 4, r.left + 25, r.top + 30};
                 c->FillRectWithColor(pane, clBtnFace);
                 c->FillRectWithColor(tab, clBtnFace);
                 p->DrawTabPaneEdges(c, pane, true, cxBordersAll);
                 c->FillRectWithColor(RECT{pane.left, tab.top + w, pane.left + w, tab.bottom - w}, clBtnFace);
                 const TcxBorders sides{TcxBorder::bLeft, TcxBorder::bTop, TcxBorder::bBottom};
                 p->DrawTabEdges(c, RECT{tab.left, tab.top, tab.left + w, tab.bottom}, true, sides, TcxBorder::bLeft);
                 p->DrawTabEdges(c, RECT{tab.left, tab.top, tab.right, tab.top + w}, true, sides, TcxBorder::bTop);
                 p->DrawTabEdges(c, RECT{tab.left, tab.bottom - w, tab.right, tab.bottom}, true, sides,
                                 TcxBorder::bBottom);
               }}}});
  sheet.Add(SingleEntry("DrawIndicatorSizingGrip", {14, 18}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawIndicatorSizingGrip(c, r, clBtnText);
  }));
  const char* const kindNames[] = {"none", "arrow", "edit", "insert", "multi-dot", "multi-arrow", "filter"};
  TGalleryEntry images{"DrawIndicatorImage", {14, 18}, {}};
  TGalleryEntry items{"DrawIndicatorItem", {14, 18}, {}};
  TGalleryEntry simple{"DrawIndicatorItemSimple", {14, 18}, {}};
  for (int k = 0; k < 7; ++k) {
    const auto kind = static_cast<TcxIndicatorKind>(k);
    images.Cells.push_back(
        {kindNames[k], [p, kind](TcxCanvas* c, const RECT& r) { p->DrawIndicatorImage(c, r, kind); }});
    items.Cells.push_back({kindNames[k], [p, kind](TcxCanvas* c, const RECT& r) {
                             p->DrawIndicatorItem(c, r, kind, p->HeaderColor(), {});
                           }});
    simple.Cells.push_back({kindNames[k], [p, kind](TcxCanvas* c, const RECT& r) {
                              p->DrawIndicatorItemSimple(c, r, kind, p->HeaderColor(), {});
                            }});
  }
  sheet.Add(images);
  sheet.Add(items);
  sheet.Add(simple);
}
}  // namespace

void AddControlEntries(TGallerySheet& sheet, const TGalleryContext& context)
{
  AddGlyphs(sheet, context);
  AddButtons(sheet, context);
  AddExpandAndCheckBoxes(sheet, context);
  AddHeaders(sheet, context);
  AddFootersPopupsAndTabs(sheet, context);
}
