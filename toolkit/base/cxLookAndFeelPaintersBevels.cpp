#include "toolkit/base/cxLookAndFeelPaintersBevels.h"

#include "classlib/GraphicsObjects.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

namespace {
constexpr TColor FilterActiveArrowColor = 0xFF0000;  // blue
}  // namespace

void cxDrawBevelHeaderEdges(TcxCanvas* Canvas, const RECT& R, TcxNeighbours Neighbours)
{
  Canvas->DrawBevelEdge(R, false, false);
  if (Neighbours.Contains(TcxNeighbour::nLeft)) {
    Canvas->SetPixelColor(R.left, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.left, R.bottom - 2, clBtnFace);
  }
  if (Neighbours.Contains(TcxNeighbour::nRight)) {
    Canvas->SetPixelColor(R.right - 1, R.top, clBtnHighlight);
    Canvas->SetPixelColor(R.right - 1, R.top + 1, clBtnFace);
    Canvas->SetPixelColor(R.right - 1, R.bottom - 2, clBtnFace);
  }
}

void cxDrawBevelFilterArrowButton(const TcxCustomLookAndFeelPainter* Painter, TcxCanvas* Canvas, const RECT& R,
                                  TcxButtonState State, bool IsActive)
{
  const bool pressed = State == cxbsPressed;
  Canvas->DrawBevelEdge(R, pressed, pressed);
  RECT face = R;
  InflateRect(&face, -1, -1);
  Canvas->FillRectWithColor(face, clBtnFace);
  Painter->DrawDropDownArrow(Canvas, face, IsActive ? FilterActiveArrowColor : clBtnText);
}

void cxDrawBevelTabEdges(TcxCanvas* Canvas, const RECT& R, bool IsVertical, TcxBorders Borders, TcxBorder Side)
{
  RECT strip = R;
  bool shadow;
  if (!IsVertical) {
    if (Side == TcxBorder::bLeft || Side == TcxBorder::bRight) {
      if (Borders.Contains(TcxBorder::bTop)) strip.top += 2;
      if (Borders.Contains(TcxBorder::bBottom)) strip.bottom -= 1;
    } else if (Side == TcxBorder::bTop) {
      InflateRect(&strip, -1, 0);
      Canvas->SetPixelColor(strip.left - 1, strip.top + 1, clBtnHighlight);
      Canvas->SetPixelColor(strip.right, strip.top + 1, clBtnHighlight);
    }
    shadow = Side == TcxBorder::bRight;
  } else {
    if (Side == TcxBorder::bLeft) {
      strip.top += Borders.Contains(TcxBorder::bTop) ? 2 : 1;
      strip.bottom -= Borders.Contains(TcxBorder::bBottom) ? 2 : 1;
      Canvas->SetPixelColor(strip.left + 1, strip.top - 1, clBtnHighlight);
      Canvas->SetPixelColor(strip.left + 1, strip.bottom, clBtnHighlight);
    } else if ((Side == TcxBorder::bTop || Side == TcxBorder::bBottom) && Borders.Contains(TcxBorder::bLeft)) {
      strip.left += 1;
    }
    shadow = Side == TcxBorder::bBottom;
  }
  Canvas->FillRectWithColor(strip, shadow ? clBtnShadow : clBtnHighlight);
}

void cxDrawScrollBarPageArea(TcxCanvas* Canvas, const RECT& R, bool Pressed)
{
  Canvas->FillRectTiled(R, cxScrollBarPatternBitmap(Pressed));
  Canvas->GetCurrentBrush()->SetStyle(TBrushStyle::bsSolid);
}

void cxDrawClassicScrollBarElement(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Element,
                                   TcxButtonState State, const std::function<void(TcxButtonState)>& DrawButtonPart)
{
  if (IsRectEmpty(&R) || (Element == sbeThumb && State == cxbsDisabled)) return;
  if (State == cxbsHot) State = cxbsNormal;
  switch (Element) {
  case sbePageBack:
  case sbePageForward: cxDrawScrollBarPageArea(Canvas, R, State == cxbsPressed); break;
  case sbeThumb:
  case sbeLineBack:
  case sbeLineForward: DrawButtonPart(State); break;
  case sbeNone: break;
  }
}

TcxCustomLookAndFeelPainter* cxRegisteredPainter(TcxPainterStyle Style)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  return manager ? manager->GetPainterByStyle(Style) : nullptr;
}

void cxDrawThumbEdgeLine(TcxCanvas* Canvas, std::span<const POINT> Points, TColor Color)
{
  if (Points.empty()) return;
  Canvas->GetCurrentPen()->SetColor(Color);
  Canvas->Polyline(Points);
}
