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

namespace {
// The manager's font, or the system status font without a manager or with its UseSystemFont.
bool SetManagerHintFont(TdxBarManager* manager, TcxCanvas* canvas)
{
  if (!manager || manager->UseSystemFont()) return false;
  canvas->GetCurrentFont()->Assign(manager->Font());
  return true;
}

POINT CursorPosition()
{
  POINT cursor{};
  GetCursorPos(&cursor);
  return cursor;
}
}  // namespace

void TdxBarCustomHintViewInfo::PrepareHintWindow(TdxBarHintWindow* window)
{
  window->SetScreenTipLook(UsesScreenTipLook());
  window->HandleNeeded();
}

void TdxBarHintViewInfoHelper::SetHintFont(TcxCanvas* canvas)
{
  if (!SetManagerHintFont(FManager, canvas)) TdxHintViewInfoHelper::SetHintFont(canvas);
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

// --- Hints in the screen-tip look and full screen tips ---

CL_DEFINE_CLASS(TdxBarLikeHintScreenTipViewInfoHelper);
CL_DEFINE_CLASS(TdxBarLikeHintScreenTipViewInfo);
CL_DEFINE_CLASS(TdxBarScreenTipViewInfo);

void TdxBarLikeHintScreenTipViewInfoHelper::SetHintFont(TcxCanvas* canvas)
{
  if (!SetManagerHintFont(FManager, canvas)) TdxScreenTipLikeHintViewInfoHelper::SetHintFont(canvas);
}

TdxBarLikeHintScreenTipViewInfo::TdxBarLikeHintScreenTipViewInfo(TdxBarManager* manager, POINT cursor,
                                                                 const std::string& shortCut, const std::string& hint,
                                                                 TdxBarPainter* barPainter)
    : TdxBarHintViewInfo(manager, cursor, shortCut, hint), FPainter(MakeOwned<TdxBarScreenTipPainter>(barPainter))
{
}

TOwned<TdxCustomHintViewInfoHelper> TdxBarLikeHintScreenTipViewInfo::CreateHelper()
{
  return MakeOwned<TdxBarLikeHintScreenTipViewInfoHelper>(Manager(), FPainter.get(), Hint(), Cursor(), ShortCut());
}

void TdxBarLikeHintScreenTipViewInfo::FreeHelper()
{
  TdxBarHintViewInfo::FreeHelper();
  FPainter.reset();
}

TdxBarScreenTipViewInfo::TdxBarScreenTipViewInfo(TdxScreenTip* screenTip, const std::string& shortCut,
                                                 const std::string& hint, TdxBarPainter* barPainter)
    : FShortCut(shortCut), FHint(hint), FScreenTip(screenTip), FPainter(MakeOwned<TdxBarScreenTipPainter>(barPainter))
{
}

TOwned<TdxCustomHintViewInfoHelper> TdxBarScreenTipViewInfo::CreateHelper()
{
  return MakeOwned<TdxScreenTipViewInfoHelper>(FPainter.get(), FScreenTip, FHint, FShortCut);
}

void TdxBarScreenTipViewInfo::FreeHelper()
{
  TdxBarCustomHintViewInfo::FreeHelper();
  FPainter.reset();
}

TOwned<TdxBarCustomHintViewInfo> CreateBarHintViewInfo(TdxBarManager* manager, const std::string& hint,
                                                       const std::string& shortCut, TdxScreenTip* screenTip,
                                                       TdxBarPainter* barPainter)
{
  TdxScreenTipRepository* repository = screenTip ? screenTip->Repository() : nullptr;
  if (screenTip && repository && repository->ShowDescription())
    return MakeOwned<TdxBarScreenTipViewInfo>(screenTip, shortCut, hint, barPainter);
  std::string text = hint;
  if (screenTip && !screenTip->UseHintAsHeader() && !screenTip->Header()->Text().empty())
    text = screenTip->Header()->Text();
  return MakeOwned<TdxBarLikeHintScreenTipViewInfo>(manager, CursorPosition(), shortCut, text, barPainter);
}

// --- The window ---

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
  // The hinted object makes the view info (an item's screen tip, a painter's look); a plain bar hint
  // otherwise.
  if (auto* source = manager ? dynamic_cast<IdxBarHintSource*>(manager->HintObject()) : nullptr)
    FViewInfo = source->ShowScreenTip(cursor, hint, shortCut);
  if (!FViewInfo) FViewInfo = MakeOwned<TdxBarHintViewInfo>(manager, cursor, shortCut, hint);
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
