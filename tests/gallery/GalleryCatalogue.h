#pragma once
// The catalogue of the painter gallery: every operation of a painter as entries of a sheet, by
// family, with a cell for each state (default, normal, hot, pressed, disabled) where the operation
// takes one and for each variant (direction, kind, side, corner) where it has some.
#include <functional>
#include <span>
#include <string>
#include "tests/gallery/GallerySheet.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

class TFont;
struct TUnit;

struct TGalleryContext {
  const TcxCustomLookAndFeelPainter* Painter;
  // The font of the texts the painter writes (captions of buttons, headers, ...).
  TFont* Font;
};

// --- Catalogues ---
//
// The gallery draws what its catalogues give it, one catalogue per library. A catalogue adds entries
// to the sheet of every look-and-feel painter, or writes sheets of its own (a bar painter's, a list
// painter's), or both. A library's catalogue lives in a folder of its own under tests/gallery
// (tests/gallery/bars/GalleryBars.cpp, with its library linked in this folder's CMakeLists.txt) and
// is listed once in GalleryCatalogues().

// Renders the sheet and writes it as <gallery folder>/<name>.png.
using TGallerySheetWriter = std::function<void(const std::string& name, const TGallerySheet& sheet)>;

struct TGalleryCatalogue {
  const char* Name;
  // The units it draws with, started after the look-and-feel units, in this order.
  std::span<TUnit* const> Units;
  // Entries it adds to each look-and-feel painter's sheet (nullptr for none).
  void (*AddPainterEntries)(TGallerySheet& sheet, const TGalleryContext& context) = nullptr;
  // Sheets of its own, each handed to write (nullptr for none). Font is the gallery's text font.
  void (*WriteSheets)(const TGallerySheetWriter& write, TFont* font) = nullptr;
};

// Every catalogue, the look-and-feel painters' first.
std::span<const TGalleryCatalogue> GalleryCatalogues();

// --- The look-and-feel painters' catalogue ---

// The shared glyph routines, then the operations for control parts: arrows, borders and buttons,
// expand and toggle buttons, check boxes and radio buttons, headers, footers, filter buttons,
// popups, hints, tabs and indicators.
void AddControlEntries(TGallerySheet& sheet, const TGalleryContext& context);
// Scroll bars, size grips, scheduler parts, progress bars, the clock, editor buttons, group boxes,
// track bars, splitters, layout controls, print previews and popup sizing panels.
void AddPanelEntries(TGallerySheet& sheet, const TGalleryContext& context);
// Every colour query as a swatch, and every metric and flag as a value.
void AddValueEntries(TGallerySheet& sheet, const TGalleryContext& context);

// --- Helpers of the catalogue ---

constexpr TcxButtonState GalleryStates[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
const char* StateName(TcxButtonState state);

using TStateDraw = std::function<void(TcxCanvas* Canvas, const RECT& R, TcxButtonState State)>;
// An entry with one cell per state.
TGalleryEntry StatesEntry(std::string name, SIZE cellSize, const TStateDraw& draw);
// An entry of one cell.
TGalleryEntry SingleEntry(std::string name, SIZE cellSize, TGalleryDraw draw, std::string caption = "");
// A cell that writes a value (for metrics and flags) in the sheet's own colours.
TGalleryCell TextCell(std::string caption, std::string text);
