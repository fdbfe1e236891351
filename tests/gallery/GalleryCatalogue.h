#pragma once
// The catalogue of the painter gallery: every operation of a painter as entries of a sheet, by
// family, with a cell for each state (default, normal, hot, pressed, disabled) where the operation
// takes one and for each variant (direction, kind, side, corner) where it has some.
#include <functional>
#include <string>
#include "tests/gallery/GallerySheet.h"
#include "toolkit/base/cxLookAndFeelPainters.h"

class TFont;

struct TGalleryContext {
  const TcxCustomLookAndFeelPainter* Painter;
  // The font of the texts the painter writes (captions of buttons, headers, ...).
  TFont* Font;
};

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
