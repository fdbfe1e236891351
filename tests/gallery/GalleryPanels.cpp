// The gallery's entries for scroll bars, size grips, scheduler parts, progress bars, the clock,
// editor buttons, group boxes, track bars, splitters, layout controls, previews and popup panels.
#include "classlib/DateTime.h"
#include "classlib/GraphicsObjects.h"
#include "tests/gallery/GalleryCatalogue.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

namespace {
const char* const ElementNames[] = {"none", "line back", "line forward", "thumb", "page back", "page forward"};
const char* const CornerNames[] = {"top left", "top right", "bottom left", "bottom right"};
const char* const SideNames[] = {"top", "bottom", "left", "right", "none"};

void AddScrollBars(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Scroll bars, size grips and small close buttons");
  sheet.Add({"DrawScrollBarBackground",
             {60, 40},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawScrollBarBackground(c, RECT{r.left, r.top, r.right, r.top + 17}, true);
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 p->DrawScrollBarBackground(c, RECT{r.left, r.top, r.left + 17, r.bottom}, false);
               }}}});
  for (int e = 1; e <= 5; ++e) {
    const auto element = static_cast<TcxScrollBarElement>(e);
    const SIZE size = element == sbeThumb ? SIZE{40, 17} : element >= sbePageBack ? SIZE{30, 17} : SIZE{17, 17};
    for (bool horizontal : {true, false}) {
      if (!horizontal && element != sbeLineBack && element != sbeLineForward) continue;
      sheet.Add(StatesEntry(std::string("DrawScrollBarElement (") + ElementNames[e] +
                                (horizontal ? ", horizontal)" : ", vertical)"),
                            size, [p, element, horizontal](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                              p->DrawScrollBarElement(c, horizontal, r, element, s);
                            }));
    }
  }
  sheet.Add(SingleEntry("a whole scroll bar (DrawScrollBarElement, normal)", {160, 17},
                        [p](TcxCanvas* c, const RECT& r) {
                          const int l = r.left, t = r.top, b = r.bottom;
                          p->DrawScrollBarElement(c, true, RECT{l, t, l + 17, b}, sbeLineBack, cxbsNormal);
                          p->DrawScrollBarElement(c, true, RECT{l + 17, t, l + 50, b}, sbePageBack, cxbsNormal);
                          p->DrawScrollBarElement(c, true, RECT{l + 50, t, l + 90, b}, sbeThumb, cxbsHot);
                          p->DrawScrollBarElement(c, true, RECT{l + 90, t, l + 143, b}, sbePageForward, cxbsPressed);
                          p->DrawScrollBarElement(c, true, RECT{l + 143, t, l + 160, b}, sbeLineForward, cxbsNormal);
                        },
                        "thumb hot, page forward pressed"));
  const SIZE grip = p->SizeGripSize();
  sheet.Add(SingleEntry("DrawSizeGrip", grip, [p](TcxCanvas* c, const RECT& r) { p->DrawSizeGrip(c, r); }));
  TGalleryEntry mirrored{"DrawSizeGripMirrored (background clWindow)", grip, {}};
  TGalleryEntry mirroredClear{"DrawSizeGripMirrored (background kept, on aqua)", grip, {}};
  for (int i = 0; i < 4; ++i) {
    const auto corner = static_cast<TcxGripCorner>(i);
    mirrored.Cells.push_back({CornerNames[i], [p, corner](TcxCanvas* c, const RECT& r) {
                                p->DrawSizeGripMirrored(c, r, corner, clWindow);
                              }});
    mirroredClear.Cells.push_back({CornerNames[i], [p, corner](TcxCanvas* c, const RECT& r) {
                                     c->FillRectWithColor(r, clAqua);
                                     c->FillRectWithColor(RECT{r.left, r.top, r.left + 3, r.top + 3}, clRed);
                                     p->DrawSizeGripMirrored(c, r, corner, clNone);
                                   }});
  }
  sheet.Add(mirrored);
  sheet.Add(mirroredClear);
  const POINT close = p->SmallCloseButtonSize();
  sheet.Add(StatesEntry("DrawSmallCloseButton", {close.x, close.y},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawSmallCloseButton(c, r, s); }));
}

void AddSchedulerAndProgress(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  TFont* font = x.Font;
  sheet.Section("Scheduler parts, container frames and progress bars");
  for (bool next : {false, true}) {
    sheet.Add(StatesEntry(std::string("DrawSchedulerNavButton (") + (next ? "next)" : "previous)"), {18, 40},
                          [p, next](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                            RECT bounds = r, arrow, text;
                            p->CalcSchedulerNavButtonLayout(next, true, arrow, text, bounds, POINT{}, POINT{});
                            p->DrawSchedulerNavButton(c, bounds, arrow, next, s);
                          }));
  }
  TGalleryEntry withText{"DrawSchedulerNavButtonWithText (CalcSchedulerNavButtonLayout)", {18, 150}, {}};
  for (bool next : {false, true})
    for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed})
      withText.Cells.push_back({std::string(next ? "next " : "prev ") + StateName(state),
                                [p, font, next, state](TcxCanvas* c, const RECT& r) {
                                  c->AssignFont(font);
                                  const std::string_view text = "Next appointment";
                                  const SIZE size = c->MeasureTextSize(text);
                                  RECT bounds{r.left, r.top + 10, r.right, r.bottom - 10}, arrow, textR;
                                  p->CalcSchedulerNavButtonLayout(next, false, arrow, textR, bounds,
                                                                  POINT{size.cx, size.cy}, POINT{});
                                  p->DrawSchedulerNavButtonWithText(c, bounds, next, state, text, textR, arrow);
                                }});
  sheet.Add(withText);
  sheet.Add({"DrawSchedulerNavArrow",
             {7, 7},
             {{"previous", [p](TcxCanvas* c, const RECT& r) { p->DrawSchedulerNavArrow(c, r, false, clBtnText); }},
              {"next", [p](TcxCanvas* c, const RECT& r) { p->DrawSchedulerNavArrow(c, r, true, clBtnText); }}}});
  TGalleryEntry header{"DrawSchedulerHeader (side arrows)", {100, 20}, {}};
  for (int sides = 0; sides <= 3; ++sides)
    header.Cells.push_back({"sides " + std::to_string(sides), [p, font, sides](TcxCanvas* c, const RECT& r) {
                              p->DrawSchedulerHeader(c, r, "Monday", {},
                                                     TcxViewParams{nullptr, p->HeaderColor(), font, p->HeaderTextColor()},
                                                     sides, 8, {});
                            }});
  sheet.Add(header);
  sheet.Add(SingleEntry("DrawContainerFrame", {40, 24},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawContainerFrame(c, r); }));
  sheet.Add({"DrawProgressBar (bar at 60 %)",
             {100, 16},
             {{"opaque",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawProgressBar(c, r, false, TcxViewParams{nullptr, clWindow},
                                    RECT{r.left + 2, r.top + 2, r.left + 60, r.bottom - 2});
               }},
              {"transparent on aqua", [p](TcxCanvas* c, const RECT& r) {
                 c->FillRectWithColor(r, clAqua);
                 p->DrawProgressBar(c, r, true, TcxViewParams{nullptr, clWindow},
                                    RECT{r.left + 2, r.top + 2, r.left + 60, r.bottom - 2});
               }}}});
  sheet.Add(StatesEntry("DrawDropDownButtonFace", {17, 20},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) { p->DrawDropDownButtonFace(c, r, s); }));
  sheet.Add({"DrawSplitterBorder (view clBtnFace)",
             {80, 40},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawSplitterBorder(c, RECT{r.left + 2, r.top + 17, r.right - 2, r.top + 23}, true,
                                       TcxViewParams{nullptr, clBtnFace});
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 p->DrawSplitterBorder(c, RECT{r.left + 37, r.top + 2, r.left + 43, r.bottom - 2}, false,
                                       TcxViewParams{nullptr, clBtnFace});
               }}}});
}

void AddClockAndEditorParts(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  TFont* font = x.Font;
  sheet.Section("Clock, editor buttons, calendar header, navigator and progress text");
  sheet.Add({"DrawClockFace (face clWindow)",
             {80, 80},
             {{"3:00:00",
               [p](TcxCanvas* c, const RECT& r) { p->DrawClockFace(c, r, clWindow, EncodeTime(3, 0, 0, 0)); }},
              {"10:10:30",
               [p](TcxCanvas* c, const RECT& r) { p->DrawClockFace(c, r, clWindow, EncodeTime(10, 10, 30, 0)); }},
              {"18:45:50 (80 x 60)", [p](TcxCanvas* c, const RECT& r) {
                 p->DrawClockFace(c, RECT{r.left, r.top + 10, r.right, r.bottom - 10}, clBtnFace,
                                  EncodeTime(18, 45, 50, 0));
               }}}});
  TGalleryEntry editorButtons{"DrawEditorButtonOfKind (normal, right)", {17, 20}, {}};
  const char* const kindNames[] = {"drop-down", "glyph", "ellipsis", "spin up", "spin down"};
  for (int kind = 1; kind <= 5; ++kind)
    editorButtons.Cells.push_back({kindNames[kind - 1], [p, kind](TcxCanvas* c, const RECT& r) {
                                     p->DrawEditorButtonOfKind(c, r, 1, cxbsNormal, kind);
                                   }});
  sheet.Add(editorButtons);
  sheet.Add(SingleEntry("DrawCalendarHeader (rest filled white)", {100, 20}, [p](TcxCanvas* c, const RECT& r) {
    RECT rest = r;
    p->DrawCalendarHeader(c, rest);
    c->FillRectWithColor(InflateRectXY(rest, -1, -1), clWhite);
  }));
  TGalleryEntry navigator{"DrawNavigatorGlyph (indicator images)", {10, 11}, {}};
  for (bool enabled : {true, false})
    for (int index : {0, 5})
      navigator.Cells.push_back({std::to_string(index) + (enabled ? " enabled" : " disabled"),
                                 [p, index, enabled](TcxCanvas* c, const RECT& r) {
                                   p->DrawNavigatorGlyph(c, cxIndicatorImages(), index, enabled,
                                                         RECT{r.left + 1, r.top + 1, r.left + 9, r.top + 10});
                                 }});
  sheet.Add(navigator);
  sheet.Add({"DrawProgressBarBorder, DrawProgressBarChunk",
             {100, 16},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 p->DrawProgressBarBorder(c, r, false);
                 p->DrawProgressBarChunk(c, RECT{r.left + 2, r.top + 2, r.left + 40, r.bottom - 2}, false);
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 const RECT bar{r.left, r.top, r.left + 16, r.bottom};
                 p->DrawProgressBarBorder(c, bar, true);
                 p->DrawProgressBarChunk(c, RECT{bar.left + 2, bar.top + 8, bar.right - 2, bar.bottom - 2}, true);
               }}}});
  auto progressText = [p, font](bool vertical, bool solid) {
    return [p, font, vertical, solid](TcxCanvas* c, const RECT& r) {
      const RECT bar = vertical ? RECT{r.left + 2, r.top + 30, r.right - 2, r.bottom - 2}
                                : RECT{r.left + 2, r.top + 2, r.left + 55, r.bottom - 2};
      p->DrawProgressBar(c, r, false, TcxViewParams{nullptr, clWindow}, bar);
      c->AssignFont(font);
      const RECT text = vertical ? RECT{r.left + 1, r.top + 4, r.right - 1, r.bottom} : RECT{r.left + 30, r.top + 1,
                                                                                              r.right, r.bottom};
      p->DrawProgressBarText(c, vertical, clRed, bar, text, "45 %", solid);
    };
  };
  sheet.Add({"DrawProgressBarText (horizontal)",
             {100, 18},
             {{"two colours", progressText(false, false)}, {"solid, clRed", progressText(false, true)}}});
  sheet.Add({"DrawProgressBarText (vertical)",
             {18, 60},
             {{"two colours", progressText(true, false)}, {"solid", progressText(true, true)}}});
}

void AddGroupBoxes(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Group boxes and panels");
  sheet.Add(SingleEntry("DrawGroupBoxBackground", {60, 30},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawGroupBoxBackground(c, r, r); }));
  TGalleryEntry caption{"DrawGroupBoxCaption", {60, 20}, {}};
  TGalleryEntry captionFor{"DrawGroupBoxCaptionFor", {60, 20}, {}};
  TGalleryEntry content{"DrawGroupBoxContent", {60, 30}, {}};
  TGalleryEntry border{"DrawGroupBoxBorder (enabled)", {60, 30}, {}};
  for (int i = 0; i < 5; ++i) {
    const auto side = static_cast<TcxGroupBoxCaptionSide>(i);
    caption.Cells.push_back({SideNames[i], [p, side](TcxCanvas* c, const RECT& r) {
                               p->DrawGroupBoxCaption(c, r, side);
                             }});
    captionFor.Cells.push_back({SideNames[i], [p, side](TcxCanvas* c, const RECT& r) {
                                  p->DrawGroupBoxCaptionFor(c, r, side);
                                }});
    content.Cells.push_back({SideNames[i], [p, side](TcxCanvas* c, const RECT& r) {
                               p->DrawGroupBoxContent(c, r, cxBordersAll, side);
                             }});
    border.Cells.push_back({SideNames[i], [p, side](TcxCanvas* c, const RECT& r) {
                              p->DrawGroupBoxBorder(c, r, cxBordersAll, side, true);
                            }});
  }
  sheet.Add(caption);
  sheet.Add(captionFor);
  sheet.Add(content);
  sheet.Add(border);
  sheet.Add({"DrawGroupBoxBorder (top caption)",
             {60, 30},
             {{"disabled", [p](TcxCanvas* c, const RECT& r) { p->DrawGroupBoxBorder(c, r, cxBordersAll, gcsTop, false); }},
              {"no top", [p](TcxCanvas* c, const RECT& r) {
                 p->DrawGroupBoxBorder(c, r, TcxBorders{TcxBorder::bLeft, TcxBorder::bRight, TcxBorder::bBottom}, gcsTop,
                                       true);
               }}}});
  sheet.Add(StatesEntry("DrawGroupBoxToggleButton (expanded)", {15, 15},
                        [p](TcxCanvas* c, const RECT& r, TcxButtonState s) {
                          p->DrawGroupBoxToggleButton(c, r, s, true, ra0);
                        }));
  sheet.Add(SingleEntry("DrawGroupBoxCaptionArea", {60, 20}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawGroupBoxCaptionArea(c, nullptr, clDefault, clBtnFace, r);
  }));
  sheet.Add(SingleEntry("DrawPanelBackground", {60, 30}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawPanelBackground(c, r);
  }));
  sheet.Add(SingleEntry("DrawGroupBoxPlainBackground", {60, 30}, [p](TcxCanvas* c, const RECT& r) {
    p->DrawGroupBoxPlainBackground(c, r, false);
  }));
}

void AddTrackBarsAndPreviews(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  TFont* font = x.Font;
  sheet.Section("Track bars, splitters, layout controls, print previews and caption boxes");
  sheet.Add({"DrawTrackBarTrack (clWindow)",
             {100, 30},
             {{"horizontal",
               [p](TcxCanvas* c, const RECT& r) {
                 const RECT track{r.left, r.top + 12, r.right, r.top + 18};
                 p->DrawTrackBarTrack(c, track, track, false, true, true, clWindow);
               }},
              {"vertical", [p](TcxCanvas* c, const RECT& r) {
                 const RECT track{r.left + 47, r.top, r.left + 53, r.bottom};
                 p->DrawTrackBarTrack(c, track, track, false, true, false, clWindow);
               }}}});
  sheet.Add(SingleEntry("DrawTrackBarTrackFrame", {100, 6},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawTrackBarTrackFrame(c, r); }));
  TGalleryEntry thumbs{"DrawTrackBarThumb (clBtnFace)", {22, 22}, {}};
  const char* const kindNames[] = {"up", "down", "box"};
  for (bool horizontal : {true, false})
    for (int kind = 0; kind < 3; ++kind)
      thumbs.Cells.push_back({std::string(kindNames[kind]) + (horizontal ? " h" : " v"),
                              [p, kind, horizontal](TcxCanvas* c, const RECT& r) {
                                const RECT thumb = horizontal ? RECT{r.left + 5, r.top, r.left + 16, r.top + 21}
                                                              : RECT{r.left, r.top + 5, r.left + 21, r.top + 16};
                                p->DrawTrackBarThumb(c, thumb, clBtnFace, kind, horizontal, cxbsNormal);
                              }});
  sheet.Add(thumbs);
  sheet.Add(StatesEntry("DrawTrackBarThumb (up, horizontal)", {11, 21}, [p](TcxCanvas* c, const RECT& r,
                                                                            TcxButtonState s) {
    p->DrawTrackBarThumb(c, r, p->ButtonFaceColor(s), 0, true, s);
  }));
  sheet.Add(SingleEntry("DrawTrackBarThumbBoxEdges", {11, 21},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawTrackBarThumbBoxEdges(c, r); }));
  sheet.Add(SingleEntry("DrawTrackBarThumbEdges (a triangle)", {21, 21}, [p](TcxCanvas* c, const RECT& r) {
    const POINT light[] = {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right, r.top}};
    const POINT outer[] = {{r.right - 1, r.top}, {r.left - 1, r.bottom}};
    const POINT inner[] = {{r.right - 3, r.top + 2}, {r.left + 1, r.bottom - 2}};
    p->DrawTrackBarThumbEdges(c, light, outer, inner);
  }));
  TGalleryEntry grips{"DrawSplitterGrip", {80, 40}, {}};
  for (bool horizontal : {true, false})
    for (bool highlighted : {false, true})
      grips.Cells.push_back({std::string(horizontal ? "horizontal" : "vertical") + (highlighted ? ", highlighted" : ""),
                             [p, horizontal, highlighted](TcxCanvas* c, const RECT& r) {
                               const RECT bar = horizontal ? RECT{r.left + 2, r.top + 17, r.right - 2, r.top + 23}
                                                           : RECT{r.left + 37, r.top + 2, r.left + 43, r.bottom - 2};
                               c->FillRectWithColor(bar, clBtnFace);
                               p->DrawSplitterGrip(c, bar, horizontal, cxbsNormal, highlighted);
                             }});
  sheet.Add(grips);
  sheet.Add(SingleEntry("DrawLayoutControlBackground", {60, 30},
                        [p](TcxCanvas* c, const RECT& r) { p->DrawLayoutControlBackground(c, r); }));
  sheet.Add(SingleEntry("FillPreviewBackground", {60, 30},
                        [p](TcxCanvas* c, const RECT& r) { p->FillPreviewBackground(c, r); }));
  TGalleryEntry pages{"DrawPrintPage (on the preview background)", {56, 76}, {}};
  for (bool selected : {false, true})
    for (bool fill : {true, false})
      pages.Cells.push_back({std::string(selected ? "selected" : "plain") + (fill ? ", filled" : ""),
                             [p, selected, fill](TcxCanvas* c, const RECT& r) {
                               p->FillPreviewBackground(c, r);
                               const RECT bounds = InflateRectXY(r, -3, -3);
                               RECT content = bounds;
                               DeflateRectByMargins(content, p->PrintPageBorderOffsets());
                               p->DrawPrintPage(c, bounds, content, selected, fill);
                             }});
  sheet.Add(pages);
  sheet.Add({"DrawCaptionBox",
             {80, 20},
             {{"clNone", [p, font](TcxCanvas* c, const RECT& r) { p->DrawCaptionBox(c, r, clNone, font, "Caption"); }},
              {"clInfoBk",
               [p, font](TcxCanvas* c, const RECT& r) { p->DrawCaptionBox(c, r, clInfoBk, font, "Caption"); }}}});
}

void AddPopupPanels(TGallerySheet& sheet, const TGalleryContext& x)
{
  const TcxCustomLookAndFeelPainter* p = x.Painter;
  sheet.Section("Sizing panels of resizable popups (CalcPopupPanelLayout, DrawPopupPanelParts)");
  // A popup of 150 x 70 with a one-pixel border; the client area is left white.
  auto popup = [p](TcxGripCorner corner, bool sizeable, bool close, TcxButtonState closeState) {
    return [=](TcxCanvas* c, const RECT& r) {
      c->DrawFrameRect(r, clBtnShadow);
      RECT client = r, panel, grip, closeRect;
      p->CalcPopupPanelLayout(client, panel, RECT{1, 1, 1, 1}, corner, sizeable, close, 0, grip, closeRect);
      c->FillRectWithColor(client, clWindow);
      const bool top = corner == gcTopLeft || corner == gcTopRight;
      p->DrawPopupPanelParts(c, panel, clBtnShadow, TcxBorders{top ? TcxBorder::bBottom : TcxBorder::bTop},
                             closeState, corner, closeRect, grip);
    };
  };
  TGalleryEntry corners{"grip corners, close button", {150, 70}, {}};
  for (int i = 0; i < 4; ++i)
    corners.Cells.push_back(
        {CornerNames[i], popup(static_cast<TcxGripCorner>(i), true, true, cxbsNormal)});
  sheet.Add(corners);
  sheet.Add({"close button states, no grip",
             {150, 70},
             {{"hot", popup(gcBottomRight, false, true, cxbsHot)},
              {"pressed", popup(gcBottomRight, false, true, cxbsPressed)},
              {"grip only", popup(gcBottomRight, true, false, cxbsNormal)}}});
}
}  // namespace

void AddPanelEntries(TGallerySheet& sheet, const TGalleryContext& context)
{
  AddScrollBars(sheet, context);
  AddSchedulerAndProgress(sheet, context);
  AddClockAndEditorParts(sheet, context);
  AddGroupBoxes(sheet, context);
  AddTrackBarsAndPreviews(sheet, context);
  AddPopupPanels(sheet, context);
}
