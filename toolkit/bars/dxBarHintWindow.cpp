// The bar hint window: measures its text through a bar hint view info, paints from it, and frees it
// when the window hides.
#include "toolkit/bars/dxBarHintWindow.h"

#include "classlib/Application.h"
#include "classlib/Graphics.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/cxGraphics.h"

CL_DEFINE_CLASS(TdxBarCustomHintViewInfo);
CL_DEFINE_CLASS(TdxBarHintViewInfoHelper);
CL_DEFINE_CLASS(TdxBarHintViewInfo);
CL_DEFINE_CLASS(TdxBarScreenTipPainter);
CL_DEFINE_CLASS(TdxBarScreenTip);

void TdxBarCustomHintViewInfo::PrepareHintWindow(TdxBarHintWindow* window)
{
  window->SetScreenTipLook(UsesScreenTipLook());
  window->HandleNeeded();
}

void TdxBarHintViewInfoHelper::SetHintFont(TcxCanvas* canvas)
{
  if (!FManager || FManager->UseSystemFont())
    TdxHintViewInfoHelper::SetHintFont(canvas);
  else
    canvas->GetCurrentFont()->Assign(FManager->Font());
}

void TdxBarHintViewInfo::PrepareHintWindow(TdxBarHintWindow* window)
{
  TdxBarCustomHintViewInfo::PrepareHintWindow(window);
  if (auto* helper = dynamic_cast<TdxHintViewInfoHelper*>(Helper())) window->SetCaption(helper->Text());
  if (Application) window->SetColor(Application->HintColor());
}

TOwned<TdxCustomHintViewInfoHelper> TdxBarHintViewInfo::CreateHelper()
{
  return MakeOwned<TdxBarHintViewInfoHelper>(FManager, FHint, FCursor, FShortCut);
}

TColor TdxBarScreenTipPainter::GetDescriptionColor() { return FBarPainter->GetScreenTipTextColor(); }
int TdxBarScreenTipPainter::GetFooterSeparatorSize() { return FBarPainter->GetScreenTipFooterLineWidth(); }
TColor TdxBarScreenTipPainter::GetTitleColor() { return FBarPainter->GetScreenTipHeaderColor(); }
void TdxBarScreenTipPainter::DrawBackground(TcxCanvas* canvas, const RECT& r) { FBarPainter->DrawScreenTipWindow(canvas, r); }
void TdxBarScreenTipPainter::DrawFooterSeparator(TcxCanvas* canvas, const RECT& r)
{
  FBarPainter->DrawScreenTipFooterLine(canvas, r);
}

CL_MESSAGE_MAP(TdxBarHintWindow, {WM_SHOWWINDOW, &TdxBarHintWindow::WMShowWindow});
CL_DEFINE_CLASS(TdxBarHintWindow);

TdxBarHintWindow::TdxBarHintWindow(TComponent* owner) : TcxBaseHintWindow(owner)
{
  SetColor(clInfoBk);
  SetForceErase(true);
  SetAnimationKind(cxhakNone);
}

RECT TdxBarHintWindow::CalcHintRect(int, const std::string& hint, void* data)
{
  FViewInfo.reset();
  auto* manager = static_cast<TdxBarManager*>(data);
  POINT cursor{};
  GetCursorPos(&cursor);
  const std::string shortCut = manager ? manager->GetHintShortCutText() : std::string();
  FViewInfo = MakeOwned<TdxBarHintViewInfo>(manager, cursor, shortCut, hint);
  FViewInfo->PrepareHintWindow(this);
  FViewInfo->Calculate(cxCanvas());
  return FViewInfo->GetBoundsRect();
}

void TdxBarHintWindow::FitBoundsToDesktop(RECT& r)
{
  if (FScreenTipLook) {
    ++r.right;
    ++r.bottom;
  }
  TcxBaseHintWindow::FitBoundsToDesktop(r);
}

void TdxBarHintWindow::ApplyWindowShape()
{
  if (!HandleAllocated()) return;
  RECT w{};
  GetWindowRect(Handle(), &w);
  HRGN region = CreateRoundRectRgn(0, 0, w.right - w.left + 1, w.bottom - w.top + 1, 2, 2);
  if (region && !SetWindowRgn(Handle(), region, TRUE)) DeleteObject(region);  // the window owns it once set
}

void TdxBarHintWindow::Paint()
{
  if (!FScreenTipLook) RemoveWindowShape();
  if (FViewInfo)
    FViewInfo->Paint(cxCanvas());
  else
    TcxBaseHintWindow::Paint();
}

void TdxBarHintWindow::WMShowWindow(TMessage& msg)
{
  if (msg.WParam == 0) FViewInfo.reset();
  Inherited<TdxBarHintWindow>(msg);
}
