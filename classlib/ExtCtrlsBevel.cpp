// The bevel: lines and frames drawn in the button shadow and highlight colours.
#include "classlib/ExtCtrls.h"

#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view BevelShapeNames[] = {"bsBox",       "bsFrame",      "bsTopLine", "bsBottomLine",
                                                "bsLeftLine", "bsRightLine", "bsSpacer"};
constexpr TEnumInfo BevelShapeInfo = EnumInfo<bsSpacer>("TBevelShape", BevelShapeNames);
constexpr std::string_view BevelStyleNames[] = {"bsLowered", "bsRaised"};
constexpr TEnumInfo BevelStyleInfo = EnumInfo<bsRaised>("TBevelStyle", BevelStyleNames);

constexpr TPropInfo BevelProps[] = {
  EnumProp<&TBevel::Shape, &TBevel::SetShape>("Shape", BevelShapeInfo, 0),
  EnumProp<&TBevel::Style, &TBevel::SetStyle>("Style", BevelStyleInfo, 0),
};

// One line of pixels in a colour.
void FillLine(TCanvas* canvas, TColor color, const RECT& r)
{
  canvas->Brush()->SetColor(color);
  canvas->FillRect(r);
}
}  // namespace

CL_DEFINE_CLASS(TBevel, .Props = BevelProps);

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
  FControlStyle.Include(TControlStyleFlag::csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value)
{
  SetAndNotify(FShape, value, [this] { Invalidate(); });
}

void TBevel::SetStyle(TBevelStyle value)
{
  SetAndNotify(FStyle, value, [this] { Invalidate(); });
}

void TBevel::Paint()
{
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  switch (FShape) {
    case bsBox: {
      RECT r{0, 0, w, h};
      Frame3D(canvas, r, first, second, 1);
      break;
    }
    case bsFrame: {
      // Etched: a frame in the second colour one pixel in from a frame in the first.
      RECT inner{1, 1, w, h};
      Frame3D(canvas, inner, second, second, 1);
      RECT outer{0, 0, w - 1, h - 1};
      Frame3D(canvas, outer, first, first, 1);
      break;
    }
    case bsTopLine:
      FillLine(canvas, first, {0, 0, w, 1});
      FillLine(canvas, second, {0, 1, w, 2});
      break;
    case bsBottomLine:
      FillLine(canvas, first, {0, h - 2, w, h - 1});
      FillLine(canvas, second, {0, h - 1, w, h});
      break;
    case bsLeftLine:
      FillLine(canvas, first, {0, 0, 1, h});
      FillLine(canvas, second, {1, 0, 2, h});
      break;
    case bsRightLine:
      FillLine(canvas, first, {w - 2, 0, w - 1, h});
      FillLine(canvas, second, {w - 1, 0, w, h});
      break;
    case bsSpacer:
      break;
  }
}
