#include "toolkit/bars/dxBarKeyTips.h"

#include "classlib/SysUtils.h"

CL_DEFINE_CLASS(TdxBarKeyTipData);

std::string TdxBarKeyTipData::GetUpperCaseKeyTip() const { return AnsiUpperCase(FInfo.KeyTip); }

void TdxBarKeyTipData::ShowKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager)
{
  if (FWindow || !windowsManager) return;
  windowsManager->Add(GetUpperCaseKeyTip(), FInfo.BasePoint, FWindow, FInfo.Enabled, FInfo.VertAlign, FInfo.HorzAlign);
}

void TdxBarKeyTipData::ReleaseKeyTipWindow(IdxBarKeyTipWindowsManager* windowsManager)
{
  if (!FWindow || !windowsManager) return;
  windowsManager->Delete(std::exchange(FWindow, nullptr));
}
