#include "tests/toolkit/controls/CustomControlTestSupport.h"

#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"

namespace controls_test {

COLORREF PartColor(TcxScrollBarElement Part, TcxButtonState State)
{
  return RGB(40 + 30 * static_cast<int>(Part), 40 + 30 * static_cast<int>(State), 150);
}

namespace {
class TTestPainter : public TcxCustomLookAndFeelPainter {
  CL_CLASS(TTestPainter, TcxCustomLookAndFeelPainter)
public:
  std::string GetPainterName() const override { return TTestPainterScope::Name; }
  TcxPainterStyle PainterStyle() const override { return cpsSkin; }
  bool ButtonsTrackHot() const override { return true; }
  int ScrollBarMinThumbSize(TScrollBarKind) const override { return TestMinThumbSize; }
  TColor FormContentColor() const override { return static_cast<TColor>(FormContentTestColor); }
  void DrawScrollBarBackground(TcxCanvas* Canvas, const RECT& R, bool) const override
  {
    Canvas->FillRectWithColor(R, static_cast<TColor>(ScrollBarBackgroundColor));
  }
  void DrawScrollBarElement(TcxCanvas* Canvas, bool, const RECT& R, TcxScrollBarElement Element,
                            TcxButtonState State) const override
  {
    Canvas->FillRectWithColor(R, static_cast<TColor>(PartColor(Element, State)));
  }
};
}  // namespace

CL_DEFINE_CLASS(TTestPainter);

TTestPainterScope::TTestPainterScope() { cxLookAndFeelPaintersManager()->Register(MakeOwned<TTestPainter>()); }
TTestPainterScope::~TTestPainterScope() { cxLookAndFeelPaintersManager()->Unregister(Name); }

CL_DEFINE_CLASS(TTestControl);
CL_DEFINE_CLASS(THandlerMenu);

TTestControl::TTestControl(TComponent* Owner) : TcxControl(Owner) {}

void TTestControl::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos)
{
  Scrolls.push_back({Kind, Code});
  (void)Pos;
  if (OnScrolled) OnScrolled();
}

void TTestControl::CalculateScrollBarParams()
{
  ++CalculationPasses;
  const RECT client = GetClientBounds();
  const int width = client.right - client.left, height = client.bottom - client.top;
  SetScrollBarInfo(sbHorizontal, 0, ContentSize.cx - 1, 1, FixedHPage ? FixedHPage : width, Origin.x, true,
                   AllowHide);
  if (FlipVerticalWish) {
    SetScrollBarInfo(sbVertical, 0, 99, 1, IsVScrollBarVisible() ? 100 : 10, 0, true, true);
    return;
  }
  const int contentHeight = HeightFollowsBar ? (VScrollBar()->Visible() ? 10 : 10000) : ContentSize.cy;
  SetScrollBarInfo(sbVertical, 0, contentHeight - 1, 1, FixedVPage ? FixedVPage : height, Origin.y, true, AllowHide);
}

void TTestControl::PaintControl()
{
  TcxCanvas* canvas = Canvas();
  PaintedOn.push_back(GetObjectType(canvas->GetDCHandle()));
  canvas->FillRectWithColor(GetClientBounds(), static_cast<TColor>(ContentColor));
  canvas->FillRectWithColor(RECT{5, 5, 15, 15}, static_cast<TColor>(MarkColor));
  TcxControl::PaintControl();
}

void TTestControl::WndProc(TMessage& Message)
{
  if (OnMessage) OnMessage(Message);
  TcxControl::WndProc(Message);
}

COLORREF WindowPixel(HWND wnd, int x, int y)
{
  HDC dc = GetDC(wnd);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return color;
}

}  // namespace controls_test
