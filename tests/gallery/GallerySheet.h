#pragma once
// One sheet of the painter gallery: sections of entries, each entry an operation with a row of
// labelled cells (one per state or variant). The sheet lays the entries out in rows and renders
// them into a bitmap: every cell's drawing area is outlined in a pale colour one pixel outside the
// rectangle the painter is given, so that a part drawn outside its rectangle shows.
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Object.h"
#include "classlib/Win.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsCanvas.h"

// Draws one cell: the canvas, and the rectangle to give the painter.
using TGalleryDraw = std::function<void(TcxCanvas* Canvas, const RECT& R)>;

struct TGalleryCell {
  std::string Caption;
  TGalleryDraw Draw;
};

struct TGalleryEntry {
  std::string Name;
  SIZE CellSize;
  std::vector<TGalleryCell> Cells;
};

class TGallerySheet {
public:
  explicit TGallerySheet(std::string title) : FTitle(std::move(title)) {}

  // Starts a new section; the entries after it are placed below its heading.
  void Section(std::string title);
  void Add(TGalleryEntry entry);

  // Lays the sheet out and draws it: a white bitmap as wide as the sheet and as high as its content.
  TOwned<TcxBitmap> Render() const;

private:
  struct TSection {
    std::string Title;
    std::vector<TGalleryEntry> Entries;
  };
  std::string FTitle;
  std::vector<TSection> FSections;
};
