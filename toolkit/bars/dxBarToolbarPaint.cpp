// The toolbar's painting: the client area (items, group separators, background), the non-client
// frame through the bar painter, hatching while another manager customizes, the opacity of a
// floating toolbar, and the refresh after the manager replaced its painter.
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
bool OtherManagerCustomizing(const TdxBarControl* control)
{
  return control->BarManager() && control->BarManager()->IsOtherManagerCustomizing();
}

RECT WindowBounds(HWND wnd)
{
  RECT r{};
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  return r;
}
}  // namespace

// --- Client area ---

void TdxBarControl::Paint()
{
  TcxCanvas* canvas = GetCanvas();
  TOwned<TcxRegion> clip = canvas->CopyClipRegion();
  PaintBar();
  if (OtherManagerCustomizing(this)) {
    canvas->ApplyClipRegion(clip.get());
    HatchDisabledArea(canvas->GetDCHandle(), ClientRect());
  }
}

void TdxBarControl::PaintBar()
{
  TdxBarPainter* painter = GetPainter();
  TcxCanvas* canvas = GetCanvas();
  canvas->PushClipRegion();
  struct TPop {
    TcxCanvas* Canvas;
    ~TPop() { Canvas->PopClipRegion(); }
  } pop{canvas};
  const bool wholeFrame = painter && painter->PaintsWholeBarFrame();
  if (wholeFrame) PaintBackground();
  DrawItems();
  if (TCustomdxBarControlViewInfo* info = ViewInfo())
    for (int i = 0; i < info->CountSeparators(); ++i) {
      const TdxBarSeparatorInfo& separator = info->ReadSeparator(i);
      DrawBeginGroup(canvas->GetDCHandle(), separator.Bounds, separator.Kind == 0);
      canvas->ExcludeRectFromClip(separator.Bounds);
    }
  if (!IsFloating() && HasMark() && painter) {
    const RECT mark = painter->GetBarMarkRect(this);
    painter->DrawBarMark(this, canvas, GetMarkState(), mark);
    canvas->ExcludeRectFromClip(mark);
  }
  if (!wholeFrame) PaintBackground();
}

void TdxBarControl::PaintBackground()
{
  if (TdxBarPainter* painter = GetPainter())
    painter->FillClientBackground(this);
  else
    FillBackground(GetCanvas()->GetDCHandle(), ClientRect());
}

void TdxBarControl::DrawBeginGroup(HDC dc, const RECT& rect, bool horizontal)
{
  if (TdxBarPainter* painter = GetPainter())
    painter->DrawBeginGroupSeparator(this, dc, horizontal, GetBackgroundBrush(), rect);
}

// --- Frame ---

void TdxBarControl::DrawNonClient(HDC dc)
{
  DrawBorder(dc);
  if (!OtherManagerCustomizing(this)) return;
  // Only the frame is hatched here: the client area hatches itself when it paints.
  const RECT window = WindowBounds(Handle());
  const RECT borders = GetBorderSizes();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, borders.left, borders.top, window.right - borders.right, window.bottom - borders.bottom);
  HatchDisabledArea(dc, window);
  RestoreDC(dc, saved);
}

void TdxBarControl::DrawBorder(HDC dc)
{
  TdxBarPainter* painter = GetPainter();
  if (!painter || !GetBar()) return;
  if (painter->PaintsWholeBarFrame()) {
    painter->DrawBarNonClientArea(this, dc);
    return;
  }
  const RECT window = WindowBounds(Handle());
  const RECT borders = GetBorderSizes();
  const RECT client{borders.left, borders.top, window.right - borders.right, window.bottom - borders.bottom};
  const int saved = SaveDC(dc);
  struct TRestore {
    HDC DC;
    int Saved;
    ~TRestore() { RestoreDC(DC, Saved); }
  } restore{dc, saved};
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  if (IsFloating() || GetBar()->BorderStyle() != bbsNone) {
    FillBackground(dc, window);
    if (!IsFloating()) {
      painter->DrawDockedBarBorder(this, dc, window);
      return;
    }
    painter->DrawFloatingBarFrame(this, dc, window);
    if (HasCaption())
      painter->DrawFloatingCaption(this, dc, GetBackgroundBrush(), window, painter->GetFloatingCaptionRect(this, window));
    if (HasCloseButton()) painter->DrawFloatingCloseButton(this, dc, FCloseButtonState == 2, GetCloseButtonRect());
    if (HasCaption()) DrawCaptionButtons(dc);
    return;
  }
  if (IsStatusBar()) {
    FillBackground(dc, window);
    painter->FillStatusBarTop(this, dc, GetBackgroundBrush(), RECT{window.left, window.top, window.right, client.top});
    if (FSizeGripShown) {
      RECT grip = GetSizeGripRect();
      OffsetRect(&grip, borders.left, borders.top);
      painter->DrawSizeGrip(this, dc, GetBackgroundBrush(), grip);
    }
  }
}

// --- Opacity ---

void TdxBarControl::UpdateAlphaBlend()
{
  if (!HandleAllocated() || !GetBar()) return;
  const bool translucent = IsFloating() && !IsInternalPopup();
  SetWindowAlphaBlend(Handle(), translucent ? GetBar()->AlphaBlendValue() : 255);
}

// --- Refresh ---

void TdxBarControl::UpdateAfterStyleChange()
{
  UpdateDoubleClickStyle();
  CalcMetrics();
  if (!IsFloating()) {
    UpdateDoubleBuffered();
    if (HandleAllocated()) SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Repaint();
    return;
  }
  // A floating window takes its new frame by being made anew.
  if (TdxBar* bar = GetBar(); bar && bar->Visible()) {
    bar->SetVisible(false);
    bar->SetVisible(true);
  }
}

void TdxBarControl::ActiveChanged(bool full)
{
  TWeakRef<TdxBarControl> self(this);
  TdxBarDockedControl::ActiveChanged(full);
  if (!self) return;
  if (!IsFloating()) {
    if (TdxDockControl* dock = DockControl()) dock->RealignIfAllowed();
    return;
  }
  if (!HandleAllocated()) return;
  CalcViewInfo();
  if (!IsWindowVisible(Handle())) return;
  Invalidate();
  if (OtherManagerCustomizing(this))
    SendMessageA(Handle(), WM_NCPAINT, 1, 0);
  else if (HasCustomBackground())
    SendMessageA(Handle(), WM_NCPAINT, 0, 0);
}

void TdxBarControl::AfterShow()
{
  TdxBarManager* manager = BarManager();
  if (manager && manager->SupportsRecentItems() && !IsFloating() && HandleAllocated())
    PostMessageA(Handle(), DXM_BAR_REPAINT, 0, 0);
}

void TdxBarControl::Repaint()
{
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsBarsUpdateLocked()) return;
  TdxBarDockedControl::Repaint();
}

HBRUSH TdxBarControl::GetBackgroundBrush() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetBarBrush(const_cast<TdxBarControl*>(this)) : TdxBarDockedControl::GetBackgroundBrush();
}

bool TdxBarControl::UsesBackgroundBitmap() const
{
  TdxBar* bar = GetBar();
  TdxBarManager* manager = BarManager();
  return TdxBarDockedControl::UsesBackgroundBitmap() || (bar && bar->BackgroundBitmap() && !bar->BackgroundBitmap()->Empty()) ||
         (manager && manager->Backgrounds()->Bar() && !manager->Backgrounds()->Bar()->Empty());
}

bool TdxBarControl::HasCustomBackground() const
{
  TdxBar* bar = GetBar();
  TdxBarPainter* painter = GetPainter();
  return (bar && bar->Color() != clDefault) || UsesBackgroundBitmap() || TdxBarDockedControl::HasCustomBackground() ||
         (painter && painter->PaintsWholeBarFrame());
}

POINT TdxBarControl::GetBackgroundOffset() const
{
  const RECT borders = GetBorderSizes();
  return POINT{borders.left, borders.top};
}
