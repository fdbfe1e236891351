// The glyph button: an owner-drawn system button with a bitmap centred on its face.
#include "classlib/Buttons.h"

#include <vssym32.h>
#include "classlib/Themes.h"
#include "classlib/TypInfo.h"

namespace {
constexpr TPropInfo BitBtnProps[] = {
  PersistentProp<&TBitBtn::Glyph>("Glyph"),
};
// Paints the brush where the source is black and leaves the destination where it is white.
constexpr DWORD RopBrushThroughBlack = 0x00B8074A;
}  // namespace

CL_MESSAGE_MAP(TBitBtn,
  {CN_DRAWITEM, &TBitBtn::CNDrawItem},
  {BM_SETSTYLE, &TBitBtn::BMSetStyle});
CL_DEFINE_CLASS(TBitBtn, .Props = BitBtnProps);

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(MakeOwned<TBitmap>()), FCanvas(MakeOwned<TCanvas>())
{
  FGlyph->SetOnChange(TNotifyEvent(this, &TBitBtn::GlyphChanged));
}

void TBitBtn::SetGlyph(TBitmap* value) { FGlyph->Assign(value); }

void TBitBtn::GlyphChanged(TObject*) { Invalidate(); }

void TBitBtn::CreateParams(TCreateParams& params)
{
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::BMSetStyle(TMessage& msg)
{
  // An owner-drawn button stays one: being the default button only changes how it is drawn.
  (void)msg;
  Invalidate();
}

void TBitBtn::CNDrawItem(TMessage& msg)
{
  const auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  DrawButton(dis->hDC, dis->rcItem, dis->itemState);
  msg.Result = TRUE;
}

void TBitBtn::DrawButton(HDC dc, const RECT& rect, UINT itemState)
{
  const bool pressed = (itemState & ODS_SELECTED) != 0;
  const bool enabled = (itemState & ODS_DISABLED) == 0;
  const bool focused = (itemState & ODS_FOCUS) != 0;
  RECT face = rect;
  PaintControlBackground(this, dc, rect);
  TThemeData theme(Handle(), L"BUTTON");
  int state = !enabled ? PBS_DISABLED : pressed ? PBS_PRESSED : Default() || focused ? PBS_DEFAULTED : PBS_NORMAL;
  if (theme.DrawBackground(dc, BP_PUSHBUTTON, state, rect)) {
    theme.ContentRect(dc, BP_PUSHBUTTON, state, rect, face);
  } else {
    if (Default() || focused) {
      FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    InflateRect(&face, -2, -2);
  }
  TCanvasDCScope scope(FCanvas.get(), dc);
  if (!FGlyph->Empty()) {
    int x = rect.left + (rect.right - rect.left - FGlyph->Width()) / 2;
    int y = rect.top + (rect.bottom - rect.top - FGlyph->Height()) / 2;
    if (pressed) ++x, ++y;
    DrawGlyph(FCanvas.get(), x, y, enabled);
  }
  if (focused) {
    InflateRect(&face, -1, -1);
    FCanvas->DrawFocusRect(face);
  }
}

void TBitBtn::DrawGlyph(TCanvas* canvas, int x, int y, bool enabled)
{
  if (enabled) {
    FGlyph->SetTransparent(true);
    canvas->Draw(x, y, FGlyph.get());
    return;
  }
  // The glyph's ink (what is not its transparent colour) as a black-on-white bitmap.
  auto ink = MakeOwned<TBitmap>();
  ink->SetHandle(FGlyph->ReleaseMaskHandle());
  HDC inkDC = ink->Canvas()->Handle();
  const int w = FGlyph->Width(), h = FGlyph->Height();
  struct TStep {
    TColor Color;
    int Offset;
  };
  for (TStep step : {TStep{clBtnHighlight, 1}, TStep{clBtnShadow, 0}}) {
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(step.Color);
    HDC dc = canvas->Handle();
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x + step.Offset, y + step.Offset, w, h, inkDC, 0, 0, RopBrushThroughBlack);
  }
}
