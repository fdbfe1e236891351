#include "toolkit/panels/RzPanelDockManager.h"

#include "toolkit/panels/RzPanel.h"

CL_DEFINE_CLASS(TRzPanelDockManager);

namespace {
constexpr int RzGrabberSize = 14;

// Whether the focus is in the client: its own window or one inside it. A client without a window
// counts as focused.
bool HoldsFocus(TControl* control)
{
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return true;
  if (!windowed->HandleAllocated()) return false;
  const HWND focus = GetFocus();
  return focus && (focus == windowed->Handle() || IsChild(windowed->Handle(), focus));
}
}  // namespace

HFONT CreateRotatedFont(TFont* font, int angle)
{
  LOGFONTA lf = font->LogFont();
  lf.lfWidth = 0;
  lf.lfEscapement = angle * 10;
  lf.lfOrientation = 0;
  lf.lfWeight = font->Style().Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  return CreateFontIndirectA(&lf);
}

TRzPanelDockManager::TRzPanelDockManager(TRzCustomPanel* panel)
    : TDockTree(panel), FPanel(panel), FCaptionFont(MakeOwned<TFont>()), FCloseFont(MakeOwned<TFont>())
{
  SetGrabberSize(RzGrabberSize);
  FCaptionFont->SetName("Verdana");
  FCaptionFont->SetSize(8);
  FCloseFont->SetName("Marlett");
  FCloseFont->SetSize(8);
}

void TRzPanelDockManager::WindowProc(TMessage& msg)
{
  // A command or a click in a client may move the focus between clients: the captions show it.
  if (msg.Msg == WM_COMMAND || msg.Msg == WM_MOUSEACTIVATE) FPanel->Invalidate();
  TDockTree::WindowProc(msg);
}

void TRzPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const RECT& r)
{
  if (!FPanel->DockCaptionsVisible()) {
    TDockTree::PaintDockFrame(canvas, control, r);
    return;
  }
  canvas->SetFont(FCaptionFont.get());
  const bool focused = HoldsFocus(control);
  const TColor textColor = focused ? clCaptionText : clInactiveCaptionText;
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(focused ? clActiveCaption : clInactiveCaption);
  canvas->Font()->SetColor(textColor);
  const std::string text = control->Caption();
  RECT glyph;
  if (GrabbersOnTop()) {
    const RECT band{r.left, r.top, r.right, r.top + RzGrabberSize};
    canvas->TextRect(band, r.left + 2, r.top, text);
    glyph = RECT{r.right - 15, r.top + 1, r.right - 2, r.top + 12};
  } else {
    const RECT band{r.left, r.top, r.left + RzGrabberSize, r.bottom};
    DrawVerticalCaption(canvas, band, text);
    glyph = RECT{r.left + 1, r.top + 1, r.left + 12, r.top + 12};
  }
  // The glyph keeps the caption's size and colour, in the close font's face (a vertical caption's
  // turned font is replaced by an upright one).
  canvas->Font()->SetName(FCloseFont->Name());
  canvas->Font()->SetColor(textColor);
  canvas->TextRect(glyph, glyph.left, glyph.top, "r");
}

void TRzPanelDockManager::DrawVerticalCaption(TCanvas* canvas, const RECT& band, const std::string& text)
{
  const HDC dc = canvas->Handle();
  const UINT alignment = SetTextAlign(dc, TA_BASELINE);
  canvas->Font()->SetHandle(CreateRotatedFont(FCaptionFont.get(), 90));
  canvas->Font()->SetColor(clCaptionText);
  canvas->TextRect(band, band.right - 2, band.bottom - 3, text);
  SetTextAlign(dc, alignment);
}
