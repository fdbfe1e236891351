// The gallery's helpers, and its entries for the colour queries (swatches) and the metrics and
// flags (values).
#include <cstdio>
#include "classlib/GraphicsObjects.h"
#include "classlib/GraphicsUtils.h"
#include "tests/gallery/GalleryCatalogue.h"

const char* StateName(TcxButtonState state)
{
  static const char* const Names[] = {"default", "normal", "hot", "pressed", "disabled"};
  return Names[static_cast<int>(state)];
}

TGalleryEntry StatesEntry(std::string name, SIZE cellSize, const TStateDraw& draw)
{
  TGalleryEntry entry{std::move(name), cellSize, {}};
  for (TcxButtonState state : GalleryStates)
    entry.Cells.push_back({StateName(state), [draw, state](TcxCanvas* c, const RECT& r) { draw(c, r, state); }});
  return entry;
}

TGalleryEntry SingleEntry(std::string name, SIZE cellSize, TGalleryDraw draw, std::string caption)
{
  return TGalleryEntry{std::move(name), cellSize, {{std::move(caption), std::move(draw)}}};
}

namespace {
constexpr SIZE ValueSize{64, 14};

void WriteValue(TcxCanvas* canvas, const RECT& r, std::string_view text)
{
  canvas->GetCurrentFont()->SetColor(clBlack);
  canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  canvas->DrawTextInRect(text, r, cxAlignLeft | cxAlignVCenter | cxSingleLine);
}

std::string Text(int value) { return std::to_string(value); }
std::string Text(bool value) { return value ? "true" : "false"; }
std::string Text(SIZE value) { return Text(static_cast<int>(value.cx)) + " x " + Text(static_cast<int>(value.cy)); }
std::string Text(POINT value) { return Text(SIZE{value.x, value.y}); }
std::string Text(const RECT& value)
{
  return Text(static_cast<int>(value.left)) + "," + Text(static_cast<int>(value.top)) + "," +
         Text(static_cast<int>(value.right)) + "," + Text(static_cast<int>(value.bottom));
}
std::string Text(TcxBorders value)
{
  std::string text;
  const char* const names[] = {"L", "T", "R", "B"};
  for (int i = 0; i < 4; ++i)
    if (value.Contains(static_cast<TcxBorder>(i))) text += names[i];
  return text.empty() ? "none" : text;
}

// A swatch of the colour with its RGB value; the sentinels by name.
TGalleryCell ColourCell(std::string caption, TColor color)
{
  return {std::move(caption), [color](TcxCanvas* c, const RECT& r) {
            if (color == clDefault || color == clNone) {
              WriteValue(c, r, color == clDefault ? "clDefault" : "clNone");
              return;
            }
            const COLORREF rgb = ColorToRGB(color);
            c->FillRectWithColor(RECT{r.left, r.top, r.left + 18, r.bottom}, color);
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
            WriteValue(c, RECT{r.left + 22, r.top, r.right, r.bottom}, hex);
          }};
}

struct TNamedColour {
  const char* Name;
  TColor Color;
};

TGalleryEntry ColoursEntry(std::string name, std::initializer_list<TNamedColour> colours)
{
  TGalleryEntry entry{std::move(name), ValueSize, {}};
  for (const TNamedColour& c : colours) entry.Cells.push_back(ColourCell(c.Name, c.Color));
  return entry;
}

struct TNamedValue {
  const char* Name;
  std::string Value;
};

TGalleryEntry ValuesEntry(std::string name, std::initializer_list<TNamedValue> values)
{
  TGalleryEntry entry{std::move(name), ValueSize, {}};
  for (const TNamedValue& v : values) entry.Cells.push_back(TextCell(v.Name, v.Value));
  return entry;
}

// One colour query asked in every state.
TGalleryEntry StateColoursEntry(std::string name, const std::function<TColor(TcxButtonState)>& color)
{
  TGalleryEntry entry{std::move(name), ValueSize, {}};
  for (TcxButtonState state : GalleryStates) entry.Cells.push_back(ColourCell(StateName(state), color(state)));
  return entry;
}

TGalleryEntry StateValuesEntry(std::string name, const std::function<std::string(TcxButtonState)>& value)
{
  TGalleryEntry entry{std::move(name), ValueSize, {}};
  for (TcxButtonState state : GalleryStates) entry.Cells.push_back(TextCell(StateName(state), value(state)));
  return entry;
}

void AddColours(TGallerySheet& sheet, const TcxCustomLookAndFeelPainter& p)
{
  sheet.Section("Colour queries");
  sheet.Add(ColoursEntry("Content and editors",
                         {{"ContentColor", p.ContentColor()},
                          {"ContentEvenColor", p.ContentEvenColor()},
                          {"ContentOddColor", p.ContentOddColor()},
                          {"ContentTextColor", p.ContentTextColor()},
                          {"EditorBackground(disabled)", p.EditorBackgroundColor(true)},
                          {"EditorTextColor(disabled)", p.EditorTextColor(true)},
                          {"HotTrackTextColor", p.HotTrackTextColor()},
                          {"SelectionColor", p.SelectionColor()},
                          {"SelectionTextColor", p.SelectionTextColor()}}));
  TGalleryEntry editorStates{"EditorStateBackgroundColor, EditorStateTextColor", ValueSize, {}};
  const char* const editorStateNames[] = {"normal", "disabled", "inactive", "read-only"};
  for (int i = 0; i < 4; ++i) {
    const auto kind = static_cast<TcxEditStateColorKind>(i);
    editorStates.Cells.push_back(ColourCell(std::string("bk ") + editorStateNames[i], p.EditorStateBackgroundColor(kind)));
    editorStates.Cells.push_back(ColourCell(std::string("text ") + editorStateNames[i], p.EditorStateTextColor(kind)));
  }
  sheet.Add(editorStates);
  sheet.Add(ColoursEntry("Grids: panels, footers, headers, rows",
                         {{"FilterPanelColor", p.FilterPanelColor()},
                          {"FilterPanelTextColor", p.FilterPanelTextColor()},
                          {"FixedSeparatorColor", p.FixedSeparatorColor()},
                          {"FooterColor", p.FooterColor()},
                          {"FooterTextColor", p.FooterTextColor()},
                          {"FooterSeparatorColor", p.FooterSeparatorColor()},
                          {"GridLineColor", p.GridLineColor()},
                          {"FixedGridLineColor", p.FixedGridLineColor()},
                          {"VerticalGridLineColor", p.VerticalGridLineColor()},
                          {"BandBorderColor", p.BandBorderColor()},
                          {"GroupPanelColor", p.GroupPanelColor()},
                          {"GroupPanelTextColor", p.GroupPanelTextColor()},
                          {"GroupPanelBackgroundColor", p.GroupPanelBackgroundColor()},
                          {"GroupPanelBackgroundTextColor", p.GroupPanelBackgroundTextColor()},
                          {"GroupRowColor", p.GroupRowColor()},
                          {"GroupRowTextColor", p.GroupRowTextColor()},
                          {"GroupRowColorOffice11(focused)", p.GroupRowColorOffice11(true)},
                          {"GroupRowColorOffice11", p.GroupRowColorOffice11(false)},
                          {"GroupRowSeparatorColorOffice11", p.GroupRowSeparatorColorOffice11()},
                          {"GroupRowTextColorOffice11", p.GroupRowTextColorOffice11()},
                          {"HeaderBackgroundColor", p.HeaderBackgroundColor()},
                          {"HeaderBackgroundTextColor", p.HeaderBackgroundTextColor()},
                          {"HeaderColor", p.HeaderColor()},
                          {"HeaderTextColor", p.HeaderTextColor()},
                          {"CategoryColor", p.CategoryColor()},
                          {"CategoryTextColor", p.CategoryTextColor()},
                          {"RowHeaderColor", p.RowHeaderColor()},
                          {"RowHeaderTextColor", p.RowHeaderTextColor()},
                          {"CardSeparatorColor", p.CardSeparatorColor()},
                          {"ItemColorBySelection(sel)", p.ItemColorBySelection(true)},
                          {"ItemColorBySelection", p.ItemColorBySelection(false)},
                          {"ItemTextColorBySelection(sel)", p.ItemTextColorBySelection(true)},
                          {"ItemTextColorBySelection", p.ItemTextColorBySelection(false)}}));
  sheet.Add(ColoursEntry("Links, forms, calendars, schedulers, charts",
                         {{"HyperLinkTextColor", p.HyperLinkTextColor()},
                          {"LinkTextColor", p.LinkTextColor()},
                          {"FormContentColor", p.FormContentColor()},
                          {"ContainerFrameColor", p.ContainerFrameColor()},
                          {"ContainerBorderColorEx(hl)", p.ContainerBorderColorEx(true)},
                          {"CalendarContentColor", p.CalendarContentColor()},
                          {"CalendarHeaderColor", p.CalendarHeaderColor()},
                          {"CalendarHeaderTextColor(hot)", p.CalendarHeaderTextColor(true)},
                          {"CalendarHeaderTextColor", p.CalendarHeaderTextColor(false)},
                          {"CalendarHolidayTextColor", p.CalendarHolidayTextColor()},
                          {"CalendarInactiveDayTextColor", p.CalendarInactiveDayTextColor()},
                          {"CalendarSelectedDayColor", p.CalendarSelectedDayColor()},
                          {"CalendarSelectedDayTextColor", p.CalendarSelectedDayTextColor()},
                          {"CalendarSeparatorColor", p.CalendarSeparatorColor()},
                          {"CalendarDayTextColor", p.CalendarDayTextColor()},
                          {"CalendarTodayFrameColor", p.CalendarTodayFrameColor()},
                          {"CalendarTodayTextColor", p.CalendarTodayTextColor()},
                          {"SchedulerNavigatorColor", p.SchedulerNavigatorColor()},
                          {"SchedulerRulerColor", p.SchedulerRulerColor()},
                          {"SchedulerRulerTextColor", p.SchedulerRulerTextColor()},
                          {"SchedulerContentColor", p.SchedulerContentColor()},
                          {"SchedulerSelectedEventText", p.SchedulerSelectedEventTextColor()},
                          {"SchedulerEventTextColor", p.SchedulerEventTextColor()},
                          {"TimeGridHeaderTextColor", p.TimeGridHeaderTextColor()},
                          {"ChartInfoBorderColor", p.ChartInfoBorderColor()},
                          {"ChartItemSeparatorColor", p.ChartItemSeparatorColor()}}));
  sheet.Add(ColoursEntry("ExtraColor1 to ExtraColor23",
                         {{"1", p.ExtraColor1()},   {"2", p.ExtraColor2()},   {"3", p.ExtraColor3()},
                          {"4", p.ExtraColor4()},   {"5", p.ExtraColor5()},   {"6", p.ExtraColor6()},
                          {"7", p.ExtraColor7()},   {"8", p.ExtraColor8()},   {"9", p.ExtraColor9()},
                          {"10", p.ExtraColor10()}, {"11", p.ExtraColor11()}, {"12", p.ExtraColor12()},
                          {"13", p.ExtraColor13()}, {"14", p.ExtraColor14()}, {"15", p.ExtraColor15()},
                          {"16", p.ExtraColor16()}, {"17", p.ExtraColor17()}, {"18", p.ExtraColor18()},
                          {"19", p.ExtraColor19()}, {"20", p.ExtraColor20()}, {"21", p.ExtraColor21()},
                          {"22", p.ExtraColor22()}, {"23", p.ExtraColor23()}}));
  sheet.Add(ColoursEntry("Hints, screen tips, editors, progress, group boxes, splitters, previews",
                         {{"HintBorderColor", p.HintBorderColor()},
                          {"ScreenTipTitleTextColor", p.ScreenTipTitleTextColor()},
                          {"ScreenTipDescriptionText", p.ScreenTipDescriptionTextColor()},
                          {"EditorButtonTextColor", p.EditorButtonTextColor()},
                          {"ProgressBarTextColor(filled)", p.ProgressBarTextColor(true)},
                          {"ProgressBarTextColor", p.ProgressBarTextColor(false)},
                          {"ProgressBarDefaultTextColor", p.ProgressBarDefaultTextColor()},
                          {"GroupBoxTextColor(enabled)", p.GroupBoxTextColor(true, gcsTop)},
                          {"GroupBoxTextColor(disabled)", p.GroupBoxTextColor(false, gcsTop)},
                          {"GroupBoxCaptionTextColor", p.GroupBoxCaptionTextColor()},
                          {"TrackBarTicksColor", p.TrackBarTicksColor()},
                          {"SplitterInnerColor", p.SplitterInnerColor(false)},
                          {"SplitterInnerColor(hl)", p.SplitterInnerColor(true)},
                          {"SplitterOuterColor", p.SplitterOuterColor(false)},
                          {"SplitterOuterColor(hl)", p.SplitterOuterColor(true)},
                          {"LayoutControlColor", p.LayoutControlColor()},
                          {"PrintPreviewPageColor", p.PrintPreviewPageColor()}}));
  TGalleryEntry frames{"PrintPreviewFrameColor(index)", ValueSize, {}};
  for (int i = 0; i <= 28; ++i) frames.Cells.push_back(ColourCell(std::to_string(i), p.PrintPreviewFrameColor(i)));
  sheet.Add(frames);
  sheet.Add(StateColoursEntry("ButtonFaceColor", [&p](TcxButtonState s) { return p.ButtonFaceColor(s); }));
  sheet.Add(StateColoursEntry("ButtonGlyphColor(clDefault)",
                              [&p](TcxButtonState s) { return p.ButtonGlyphColor(s, clDefault); }));
  sheet.Add(StateColoursEntry("CheckBoxFaceColor", [&p](TcxButtonState s) { return p.CheckBoxFaceColor(s); }));
  sheet.Add(StateColoursEntry("RadioButtonFaceColor", [&p](TcxButtonState s) { return p.RadioButtonFaceColor(s); }));
  sheet.Add(StateColoursEntry("SchedulerNavButtonTextColor(next)",
                              [&p](TcxButtonState s) { return p.SchedulerNavButtonTextColor(true, s, clDefault); }));
  if (auto* flat = dynamic_cast<const TcxUltraFlatLookAndFeelPainter*>(&p)) {
    sheet.Add(StateColoursEntry("StateFrameColor", [flat](TcxButtonState s) { return flat->StateFrameColor(s); }));
    sheet.Add(ColoursEntry("Ultra-flat frame colours", {{"LightFrameColor", flat->LightFrameColor()},
                                                        {"DarkFrameColor", flat->DarkFrameColor()},
                                                        {"HighlightFrameColor", flat->HighlightFrameColor()}}));
  }
}

void AddMetrics(TGallerySheet& sheet, const TcxCustomLookAndFeelPainter& p)
{
  sheet.Section("Identity, metrics and flags");
  sheet.Add(ValuesEntry("Identity", {{"GetPainterName", p.GetPainterName()},
                                     {"PainterStyle", Text(static_cast<int>(p.PainterStyle()))},
                                     {"DependsOnSystemTheme", Text(p.DependsOnSystemTheme())},
                                     {"IsUserSkin", Text(p.IsUserSkin())}}));
  sheet.Add(StateValuesEntry("ButtonBorderWidth", [&p](TcxButtonState s) { return Text(p.ButtonBorderWidth(s)); }));
  sheet.Add(StateValuesEntry("ButtonGlyphState",
                             [&p](TcxButtonState s) { return std::string(StateName(p.ButtonGlyphState(s))); }));
  sheet.Add(StateValuesEntry("HeaderSectionBorderWidth",
                             [&p](TcxButtonState s) { return Text(p.HeaderSectionBorderWidth(s)); }));
  sheet.Add(ValuesEntry("ButtonGroupBorderWidths(3, i)", {{"i = 0", Text(p.ButtonGroupBorderWidths(3, 0))},
                                                          {"i = 1", Text(p.ButtonGroupBorderWidths(3, 1))},
                                                          {"i = 2", Text(p.ButtonGroupBorderWidths(3, 2))},
                                                          {"(1, 0)", Text(p.ButtonGroupBorderWidths(1, 0))}}));
  sheet.Add(ValuesEntry("Borders and buttons",
                        {{"BorderWidth", Text(p.BorderWidth())},
                         {"SeparatorThickness", Text(p.SeparatorThickness())},
                         {"ButtonContentIndent", Text(p.ButtonContentIndent())},
                         {"ButtonPressedShift", Text(p.ButtonPressedShift())},
                         {"ButtonsTrackHot", Text(p.ButtonsTrackHot())},
                         {"ButtonFocusBounds(0,0,40,20)", Text(p.ButtonFocusBounds(nullptr, RECT{0, 0, 40, 20}))},
                         {"AdjustButtonGroupBounds", Text(p.AdjustButtonGroupBounds(RECT{0, 0, 40, 20}, 3, 1))}}));
  sheet.Add(ValuesEntry("Expand boxes, check boxes, radio buttons",
                        {{"ExpandBoxSize", Text(p.ExpandBoxSize())},
                         {"SmallExpandBoxSize", Text(p.SmallExpandBoxSize())},
                         {"GroupToggleButtonSize", Text(p.GroupToggleButtonSize())},
                         {"ExpandBoxDrawnFirst", Text(p.ExpandBoxDrawnFirst())},
                         {"HitTestGroupToggle(in)", Text(p.HitTestGroupToggleButton(RECT{0, 0, 15, 15}, POINT{7, 7}))},
                         {"CheckFrameWidth", Text(p.CheckFrameWidth())},
                         {"CheckBoxGlyphSize", Text(p.CheckBoxGlyphSize())},
                         {"RadioButtonGlyphSize", Text(p.RadioButtonGlyphSize())},
                         {"EtchedLineThickness", Text(p.EtchedLineThickness())},
                         {"FilterCheckSize", Text(p.FilterCheckSize())}}));
  const TcxNeighbours leftAndTop{TcxNeighbour::nLeft, TcxNeighbour::nTop};
  sheet.Add(ValuesEntry("Headers",
                        {{"HeaderBorderWidth", Text(p.HeaderBorderWidth())},
                         {"HeaderHeight(13)", Text(p.HeaderHeight(13))},
                         {"HeaderNeighbourBorders()", Text(p.HeaderNeighbourBorders({}))},
                         {"HeaderNeighbourBorders(LT)", Text(p.HeaderNeighbourBorders(leftAndTop))},
                         {"HeaderContentBounds", Text(p.HeaderContentBounds(RECT{0, 0, 80, 20}, cxBordersAll))},
                         {"HeaderBoundsFromContent(LT)",
                          Text(p.HeaderBoundsFromContent(RECT{0, 0, 80, 20}, leftAndTop, cxBordersAll))},
                         {"HeaderSectionContentBounds",
                          Text(p.HeaderSectionContentBounds(RECT{0, 0, 80, 20}, cxbsNormal))},
                         {"HeaderSectionTextBounds(pr)", Text(p.HeaderSectionTextBounds(RECT{0, 0, 80, 20}, cxbsPressed))},
                         {"IsHeaderTransparent", Text(p.IsHeaderTransparent())},
                         {"IsHeaderImageTransparent", Text(p.IsHeaderImageTransparent())},
                         {"IsHeaderThemed", Text(p.IsHeaderThemed())},
                         {"SortArrowSize", Text(p.SortArrowSize())},
                         {"SortArrowAreaSize", Text(p.SortArrowAreaSize())},
                         {"DefaultCellBorders", Text(p.DefaultCellBorders())},
                         {"LayoutViewItemPadding", Text(p.LayoutViewItemPadding(0))},
                         {"LayoutViewItemSpacing", Text(p.LayoutViewItemSpacing(0))}}));
  sheet.Add(ValuesEntry("Footers, filters, popups, hints, tabs",
                        {{"FooterBorderWidth", Text(p.FooterBorderWidth())},
                         {"FooterCellBorderWidth", Text(p.FooterCellBorderWidth())},
                         {"FooterCellSpacing", Text(p.FooterCellSpacing())},
                         {"FooterCellsDrawnFirst", Text(p.FooterCellsDrawnFirst())},
                         {"FooterSeparatorSize", Text(p.FooterSeparatorSize())},
                         {"FooterCellContentBounds", Text(p.FooterCellContentBounds(RECT{0, 0, 80, 20}))},
                         {"FooterCellTextBounds", Text(p.FooterCellTextBounds(RECT{0, 0, 80, 20}))},
                         {"CloseCrossButtonSize", Text(p.CloseCrossButtonSize())},
                         {"FilterArrowButtonSize", Text(p.FilterArrowButtonSize())},
                         {"PopupBorderWidth(single)", Text(p.PopupBorderWidth(epbsSingle))},
                         {"PopupBorderWidth(3D)", Text(p.PopupBorderWidth(epbsFrame3D))},
                         {"PopupBorderWidth(flat)", Text(p.PopupBorderWidth(epbsFlat))},
                         {"PopupFrameExtent(single)", Text(p.PopupFrameExtent(epbsSingle))},
                         {"PopupFrameExtent(flat)", Text(p.PopupFrameExtent(epbsFlat))},
                         {"StandardPopupBorderStyle", Text(static_cast<int>(p.StandardPopupBorderStyle()))},
                         {"ScreenTipSeparatorSize", Text(p.ScreenTipSeparatorSize())},
                         {"TabBorderWidth", Text(p.TabBorderWidth(false))},
                         {"IsTabDrawImplemented", Text(p.IsTabDrawImplemented(false))},
                         {"TabsTrackHot", Text(p.TabsTrackHot(false))},
                         {"IsIndicatorHeaderVisible", Text(p.IsIndicatorHeaderVisible())}}));
  RECT adjusted{0, 0, 11, 21};
  p.AdjustTrackBarTrack(nullptr, adjusted, 0, true);
  sheet.Add(ValuesEntry("Scroll bars, panels, editors, track bars, splitters, previews",
                        {{"ScrollBarMinThumbSize", Text(p.ScrollBarMinThumbSize(TScrollBarKind::sbHorizontal))},
                         {"SizeGripSize", Text(p.SizeGripSize())},
                         {"SmallCloseButtonSize", Text(p.SmallCloseButtonSize())},
                         {"PopupPanelHeight", Text(p.PopupPanelHeight())},
                         {"ProgressBarContentOffsets", Text(p.ProgressBarContentOffsets())},
                         {"ProgressBarTextOffsets", Text(p.ProgressBarTextOffsets())},
                         {"ChartInfoBorderSize", Text(p.ChartInfoBorderSize())},
                         {"EditorButtonTextOffset", Text(p.EditorButtonTextOffset())},
                         {"EditorButtonSize", Text(p.EditorButtonSize())},
                         {"NavigatorButtonSize", Text(p.NavigatorButtonSize())},
                         {"ContainerBorderWidth(single)", Text(p.ContainerBorderWidth(cbsSingle))},
                         {"ContainerBorderWidth(3D)", Text(p.ContainerBorderWidth(cbs3D))},
                         {"ContainerBorderWidth(UF)", Text(p.ContainerBorderWidth(cbsUltraFlat))},
                         {"GroupBoxBorderWidths", Text(p.GroupBoxBorderWidths(true, gcsTop))},
                         {"GroupBoxCaptionTail", Text(p.GroupBoxCaptionTail(gcsTop))},
                         {"GroupBoxContentOffsets", Text(p.GroupBoxContentOffsets())},
                         {"TrackBarThumbSize(0)", Text(p.TrackBarThumbSize(0))},
                         {"TrackBarTrackSize", Text(p.TrackBarTrackSize())},
                         {"AdjustTrackBarTrack(11x21)", Text(adjusted)},
                         {"SplitterSize(horizontal)", Text(p.SplitterSize(true))},
                         {"SplitterSize(vertical)", Text(p.SplitterSize(false))},
                         {"PrintPageBorderOffsets", Text(p.PrintPageBorderOffsets())}}));
  RECT borders;
  bool hasText;
  POINT arrow;
  p.SchedulerNavButtonMetrics(true, borders, hasText, arrow);
  sheet.Add(ValuesEntry("SchedulerNavButtonMetrics(next)",
                        {{"Borders", Text(borders)}, {"HasTextArea", Text(hasText)}, {"ArrowSize", Text(arrow)}}));
}
}  // namespace

TGalleryCell TextCell(std::string caption, std::string text)
{
  return {std::move(caption), [text = std::move(text)](TcxCanvas* c, const RECT& r) { WriteValue(c, r, text); }};
}

void AddValueEntries(TGallerySheet& sheet, const TGalleryContext& context)
{
  AddColours(sheet, *context.Painter);
  AddMetrics(sheet, *context.Painter);
}
