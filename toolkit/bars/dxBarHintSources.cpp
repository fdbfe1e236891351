// The hint view infos of the objects that show bar hints: an item control hands its item's screen
// tip to its bar control, a caption button its own, a bar control none; the bar control asks its
// painter, whose base look makes a plain bar hint at the cursor.
#include <string>
#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarHintWindow.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"

TOwned<TdxBarCustomHintViewInfo> TCustomdxBarControl::CreateHintInfo(const std::string& hint,
                                                                     const std::string& shortCut,
                                                                     TdxScreenTip* screenTip)
{
  TdxBarPainter* painter = GetPainter();
  if (!painter) return nullptr;
  return painter->MakeHintViewInfo(BarManager(), hint, screenTip, shortCut);
}

TOwned<TdxBarCustomHintViewInfo> TCustomdxBarControl::ShowScreenTip(POINT, const std::string& hint,
                                                                    const std::string& shortCut)
{
  return CreateHintInfo(hint, shortCut, nullptr);
}

TOwned<TdxBarCustomHintViewInfo> TdxBarItemControl::ShowScreenTip(POINT, const std::string& hint,
                                                                  const std::string& shortCut)
{
  TCustomdxBarControl* bar = BarControl();
  return bar ? bar->CreateHintInfo(hint, shortCut, GetScreenTip()) : nullptr;
}

TOwned<TdxBarCustomHintViewInfo> TdxBarCaptionButton::ShowScreenTip(POINT, const std::string& hint,
                                                                    const std::string& shortCut)
{
  TCustomdxBarControl* bar = GetBarControl();
  return bar ? bar->CreateHintInfo(hint, shortCut, FScreenTip) : nullptr;
}

TOwned<TdxBarCustomHintViewInfo> TdxBarPainter::MakeHintViewInfo(TdxBarManager* Manager, std::string_view HintText,
                                                                 TdxScreenTip*, std::string_view ShortCut) const
{
  POINT cursor{};
  GetCursorPos(&cursor);
  return MakeOwned<TdxBarHintViewInfo>(Manager, cursor, std::string(ShortCut), std::string(HintText));
}
