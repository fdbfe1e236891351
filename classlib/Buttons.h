#pragma once
// The glyph button: a push button that shows a bitmap centred on its face.
#include "classlib/Bitmap.h"
#include "classlib/StdCtrls.h"

// The system's button drawn by the class: the style's push-button face (or the classic one) with
// Glyph centred on it, moved down and right by a pixel while pressed. The glyph's transparent
// colour (its bottom-left pixel unless set) lets the face show through; while the button is
// disabled the glyph is drawn embossed, in the highlight colour a pixel down and right of the
// shadow colour.
class TBitBtn : public TButton {
  CL_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner);
  TBitmap* Glyph() const { return FGlyph.get(); }
  // Takes a copy of the bitmap (nullptr empties the glyph).
  void SetGlyph(TBitmap* value);

protected:
  void CreateParams(TCreateParams& params) override;
  // Paints the face and glyph of an owner-drawn button in the given state.
  virtual void DrawButton(HDC dc, const RECT& rect, UINT itemState);

private:
  void GlyphChanged(TObject* sender);
  void CNDrawItem(TMessage& msg);
  void BMSetStyle(TMessage& msg);
  void DrawGlyph(TCanvas* canvas, int x, int y, bool enabled);
  TOwned<TBitmap> FGlyph;
  TOwned<TCanvas> FCanvas;
};
