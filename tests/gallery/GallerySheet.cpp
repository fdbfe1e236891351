#include "tests/gallery/GallerySheet.h"

#include <algorithm>
#include "classlib/GraphicsObjects.h"
#include "toolkit/base/cxGeometry.h"

namespace {
constexpr int SheetWidth = 1560;
constexpr int Margin = 12;          // around the sheet
constexpr int EntryGap = 18;        // between entries on a row
constexpr int CellGap = 10;         // between the cells of an entry
constexpr int NameHeight = 16;      // the entry's name line
constexpr int CaptionHeight = 14;   // a cell's caption line
constexpr int CellMargin = 4;       // cleared around a cell's drawing area, and where its drawing is clipped
constexpr int RowGap = 12;          // between rows of entries
constexpr int SectionHeight = 26;   // a section's heading
constexpr int TitleHeight = 34;     // the sheet's heading
constexpr TColor OutlineColor = static_cast<TColor>(RGB(255, 200, 150));
// What lies in a cell before the painter draws: a tint unlike white, the button face and the shadow,
// so that highlight edges and face fills show against it.
constexpr TColor CellBackdrop = static_cast<TColor>(RGB(196, 214, 200));
constexpr TColor LabelColor = static_cast<TColor>(RGB(40, 40, 40));
constexpr TColor CaptionColor = static_cast<TColor>(RGB(90, 90, 90));
constexpr TColor SectionColor = static_cast<TColor>(RGB(0, 70, 140));

// The fonts of the sheet's own text (never the painters').
TOwned<TFont> SheetFont(int height, bool bold)
{
  auto font = MakeOwned<TFont>();
  font->SetName("Tahoma");
  font->SetHeight(-height);
  if (bold) font->SetStyle(TFontStyles{TFontStyle::fsBold});
  return font;
}

int TextWidth(TcxCanvas* canvas, TFont* font, std::string_view text)
{
  canvas->AssignFont(font);
  return canvas->MeasureTextWidth(text);
}

// Where an entry's cells go, relative to its top-left corner: in a row under its name, wrapped onto
// further rows when the row would be wider than the sheet.
struct TEntryPlace {
  int Width = 0, Height = 0;
  std::vector<POINT> Cells;
};

TEntryPlace PlaceCells(TcxCanvas* canvas, TFont* nameFont, TFont* captionFont, const TGalleryEntry& entry)
{
  constexpr int MaxWidth = SheetWidth - 2 * Margin;
  const int rowHeight = CaptionHeight + entry.CellSize.cy + 2 * CellMargin;
  TEntryPlace place;
  int x = 0, y = NameHeight;
  for (const TGalleryCell& cell : entry.Cells) {
    const int column =
        std::max<int>(entry.CellSize.cx + 2 * CellMargin, TextWidth(canvas, captionFont, cell.Caption));
    if (x > 0 && x + column > MaxWidth) {
      x = 0;
      y += rowHeight + CellGap / 2;
    }
    place.Cells.push_back(POINT{x, y});
    x += column;
    place.Width = std::max(place.Width, x);
    x += CellGap;
  }
  place.Width = std::max(place.Width, TextWidth(canvas, nameFont, entry.Name));
  place.Height = y + rowHeight;
  return place;
}

void WriteText(TcxCanvas* canvas, TFont* font, TColor color, std::string_view text, int x, int y)
{
  canvas->AssignFont(font);
  canvas->GetCurrentFont()->SetColor(color);
  canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsClear);
  canvas->Canvas()->TextOut(x, y, text);
  canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
}

// Places the entries row by row; a placed entry knows its top-left corner. Drawing is optional, so
// that one pass measures the sheet and a second one paints it.
struct TLayout {
  TcxCanvas* Canvas;
  TFont* NameFont;
  TFont* CaptionFont;
  TFont* SectionFont;
  bool Paint;
  int Y = Margin + TitleHeight;

  void PlaceSection(const std::string& title, const std::vector<TGalleryEntry>& entries)
  {
    if (Paint) {
      WriteText(Canvas, SectionFont, SectionColor, title, Margin, Y + 4);
      Canvas->FillRectWithColor(RECT{Margin, Y + SectionHeight - 4, SheetWidth - Margin, Y + SectionHeight - 3},
                                SectionColor);
    }
    Y += SectionHeight;
    int x = Margin, rowHeight = 0;
    for (const TGalleryEntry& entry : entries) {
      const TEntryPlace place = PlaceCells(Canvas, NameFont, CaptionFont, entry);
      if (x > Margin && x + place.Width > SheetWidth - Margin) {
        x = Margin;
        Y += rowHeight + RowGap;
        rowHeight = 0;
      }
      if (Paint) PaintEntry(entry, place, x, Y);
      x += place.Width + EntryGap;
      rowHeight = std::max(rowHeight, place.Height);
    }
    Y += rowHeight + RowGap + 6;
  }

  void PaintEntry(const TGalleryEntry& entry, const TEntryPlace& place, int x, int y) const
  {
    WriteText(Canvas, NameFont, LabelColor, entry.Name, x, y);
    for (size_t i = 0; i < entry.Cells.size(); ++i) {
      const POINT at{x + place.Cells[i].x, y + place.Cells[i].y};
      WriteText(Canvas, CaptionFont, CaptionColor, entry.Cells[i].Caption, at.x, at.y);
      const RECT r = RectFromBounds(at.x + CellMargin, at.y + CaptionHeight + CellMargin, entry.CellSize.cx,
                                    entry.CellSize.cy);
      Canvas->DrawFrameRect(InflateRectXY(r, 1, 1), OutlineColor);
      Canvas->FillRectWithColor(r, CellBackdrop);
      PaintCell(entry.Cells[i], r);
    }
  }

  // The painter draws with fresh tools, clipped to the cell and its margin; what it does to the
  // canvas's tools, clip region and origins stays inside the cell.
  void PaintCell(const TGalleryCell& cell, const RECT& r) const
  {
    Canvas->PushState();
    Canvas->PushClipRegion();
    Canvas->IntersectClipWithRect(InflateRectXY(r, CellMargin, CellMargin));
    auto font = SheetFont(11, false);
    Canvas->AssignFont(font.get());
    Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
    Canvas->SetBrushColor(clWhite);
    Canvas->GetCurrentPen()->SetColor(clBlack);
    cell.Draw(Canvas, r);
    Canvas->PopClipRegion();
    Canvas->PopState();
  }
};
}  // namespace

void TGallerySheet::Section(std::string title) { FSections.push_back(TSection{std::move(title), {}}); }

void TGallerySheet::Add(TGalleryEntry entry)
{
  if (FSections.empty()) Section({});
  FSections.back().Entries.push_back(std::move(entry));
}

TOwned<TcxBitmap> TGallerySheet::Render() const
{
  auto nameFont = SheetFont(12, true);
  auto captionFont = SheetFont(11, false);
  auto sectionFont = SheetFont(15, true);
  auto titleFont = SheetFont(20, true);

  // Measure on a small bitmap, then paint on one of the sheet's size.
  auto probe = MakeOwned<TcxBitmap>(8, 8);
  TLayout measure{probe->cxCanvas(), nameFont.get(), captionFont.get(), sectionFont.get(), false};
  for (const TSection& section : FSections) measure.PlaceSection(section.Title, section.Entries);

  auto sheet = MakeOwned<TcxBitmap>(SheetWidth, measure.Y + Margin);
  TcxCanvas* canvas = sheet->cxCanvas();
  canvas->FillRectWithColor(sheet->GetFullRect(), clWhite);
  WriteText(canvas, titleFont.get(), LabelColor, FTitle, Margin, Margin);
  TLayout paint{canvas, nameFont.get(), captionFont.get(), sectionFont.get(), true};
  for (const TSection& section : FSections) paint.PlaceSection(section.Title, section.Entries);
  return sheet;
}
