// The editors' catalogue: on each look-and-feel painter's sheet, editors laid out by a view data and
// painted by a view info with that painter's look, the way a host paints them: every border style
// in every state, and buttons of every kind, style and state.
#include "tests/gallery/editors/GalleryEditors.h"

#include <string>
#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "toolkit/editors/cxEdit.h"
#include "toolkit/editors/cxEditUtils.h"

namespace {
TUnit* const EditorUnits[] = {&UnitcxEditUtils, &UnitcxEdit};

enum class TCellState { Normal, Hot, Focused, Pressed, Disabled };
constexpr TCellState BorderStates[] = {TCellState::Normal, TCellState::Hot, TCellState::Focused,
                                       TCellState::Disabled};
constexpr TCellState ButtonStates[] = {TCellState::Normal, TCellState::Hot, TCellState::Pressed,
                                       TCellState::Disabled};
const char* StateName(TCellState state)
{
  static const char* const names[] = {"normal", "hot", "focused", "pressed", "disabled"};
  return names[static_cast<int>(state)];
}

constexpr std::string_view BorderNames[] = {"none", "single", "thick", "flat", "3-D", "ultra-flat", "Office 2003"};
constexpr std::string_view ButtonStyleNames[] = {"default", "3-D",        "flat",       "simple",
                                                 "hot-flat", "ultra-flat", "Office 2003"};
constexpr std::string_view KindNames[] = {"ellipsis", "down", "glyph", "text"};

// A 10 by 10 glyph: a dark square on a fuchsia (transparent) ground.
TOwned<TBitmap> NewGlyph()
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(10, 10);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(RECT{0, 0, 10, 10});
  glyph->Canvas()->Brush()->SetColor(clNavy);
  glyph->Canvas()->FillRect(RECT{2, 2, 8, 8});
  return glyph;
}

struct TEditorCell {
  TcxPainterStyle PainterStyle;
  TcxEditBorderStyle Border;
  TcxEditButtonStyle ButtonStyle = btsDefault;
  bool HasButton = false;
  TcxEditButtonKind Kind = bkDown;
  TCellState State = TCellState::Normal;
  bool Shadow = false;
};

void PaintEditor(TcxCanvas* canvas, const RECT& r, const TEditorCell& cell)
{
  auto properties = MakeOwned<TcxCustomEditProperties>(nullptr);
  auto style = MakeOwned<TcxEditStyle>(nullptr, false);
  style->LookAndFeel()->ApplyPainterStyle(cell.PainterStyle);
  style->SetBorderStyle(cell.Border);
  style->SetTransparentBorder(false);
  style->SetShadow(cell.Shadow);
  style->SetColor(clWindow);
  style->SetButtonStyle(cell.ButtonStyle);
  TOwned<TBitmap> glyph;
  if (cell.HasButton) {
    TcxEditButton* button = properties->Buttons()->AddButton();
    button->SetKind(cell.Kind);
    button->SetEnabled(cell.State != TCellState::Disabled);
    if (cell.Kind == bkText) button->SetCaption("Go");
    if (cell.Kind == bkGlyph) {
      glyph = NewGlyph();
      button->SetGlyph(glyph.get());
    }
  }
  TOwned<TcxCustomEditViewData> viewData = properties->CreateViewData(style.get(), false);
  viewData->Enabled = cell.HasButton || cell.State != TCellState::Disabled;
  viewData->Focused = cell.State == TCellState::Focused;
  const bool over = cell.State == TCellState::Hot || cell.State == TCellState::Pressed;
  const POINT p = over ? POINT{cell.HasButton ? r.right - 6 : (r.left + r.right) / 2, (r.top + r.bottom) / 2}
                       : POINT{-1, -1};
  const bool pressed = cell.State == TCellState::Pressed;
  TOwned<TcxCustomEditViewInfo> viewInfo(properties->ViewInfoClassType().Create());
  viewData->CalculateViewInfo(canvas, r, false, viewInfo.get(), pressed ? TShiftState{ssLeft} : TShiftState{},
                              pressed, p);
  viewInfo->Paint(canvas);
}

void AddEditorEntries(TGallerySheet& sheet, const TGalleryContext& context)
{
  const TcxPainterStyle painterStyle = context.Painter->PainterStyle();
  sheet.Section("Editors: borders and buttons (view data and view info)");
  for (int border = 0; border < 7; ++border) {
    TGalleryEntry entry{"edit border " + std::string(BorderNames[border]), {60, 22}, {}};
    for (TCellState state : BorderStates)
      entry.Cells.push_back({StateName(state), [=](TcxCanvas* c, const RECT& r) {
                               PaintEditor(c, r, {painterStyle, static_cast<TcxEditBorderStyle>(border), btsDefault,
                                                  false, bkDown, state});
                             }});
    entry.Cells.push_back({"shadow", [=](TcxCanvas* c, const RECT& r) {
                             PaintEditor(c, r, {painterStyle, static_cast<TcxEditBorderStyle>(border), btsDefault,
                                                false, bkDown, TCellState::Normal, true});
                           }});
    sheet.Add(entry);
  }
  for (int buttonStyle = 0; buttonStyle < 7; ++buttonStyle) {
    TGalleryEntry entry{"edit buttons " + std::string(ButtonStyleNames[buttonStyle]) + " (single border)", {44, 21}, {}};
    for (int kind = 0; kind < 4; ++kind)
      for (TCellState state : ButtonStates)
        entry.Cells.push_back({std::string(KindNames[kind]) + " " + StateName(state), [=](TcxCanvas* c, const RECT& r) {
                                 PaintEditor(c, r, {painterStyle, ebsSingle,
                                                    static_cast<TcxEditButtonStyle>(buttonStyle), true,
                                                    static_cast<TcxEditButtonKind>(kind), state});
                               }});
    sheet.Add(entry);
  }
}

const TGalleryCatalogue Catalogue{.Name = "editors", .Units = EditorUnits, .AddPainterEntries = AddEditorEntries};
}  // namespace

const TGalleryCatalogue& EditorsGalleryCatalogue() { return Catalogue; }
