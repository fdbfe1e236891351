// The base bar painter's drawing of a toolbar's caption buttons in its floating caption.
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarGlyphs.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPainterShapes.h"
#include "toolkit/bars/dxBarToolbar.h"

using namespace dxBarPainterShapes;

void TdxBarPainter::DrawCaptionButton(TdxBarControl* Toolbar, HDC DC, TdxBarCaptionButton* Button,
                                      const RECT& R) const
{
  if (!Button || IsRectEmpty(&R)) return;
  TBrushHandle back(CreateSolidBrush(ColorToRGB(GetFloatingCaptionBackColor(Toolbar, IsOwnerFormActive(Toolbar)))));
  FillRect(DC, &R, back.Get());
  const TdxBarCaptionButtonState state = Button->State();
  if (state == TdxBarCaptionButtonState::Hot) DrawRaisedInnerEdge(DC, R);
  if (state == TdxBarCaptionButtonState::Pressed) DrawSunkenOuterEdge(DC, R);
  TBitmap* glyph = Button->Glyph();
  if (!glyph || glyph->Empty()) return;
  const int shift = state == TdxBarCaptionButtonState::Pressed ? 1 : 0;
  const int left = (R.left + R.right - glyph->Width()) / 2 + shift;
  const int top = (R.top + R.bottom - glyph->Height()) / 2 + shift;
  const RECT place{left, top, left + glyph->Width(), top + glyph->Height()};
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  DrawGlyphTransparent(DC, place, glyph, state != TdxBarCaptionButtonState::Disabled);
  RestoreDC(DC, saved);
}
