#include "toolkit/bars/dxBarKeyTips.h"

#include "classlib/SysUtils.h"

CL_DEFINE_CLASS(TdxBarKeyTipData);

std::string TdxBarKeyTipData::GetUpperCaseKeyTip() const { return AnsiUpperCase(FInfo.KeyTip); }

void TdxBarKeyTipData::ShowKeyTipWindow(IdxBarKeyTipWindowHost* host)
{
  if (FWindow || !host) return;
  host->AddWindow(GetUpperCaseKeyTip(), FInfo.BasePoint, FWindow, FInfo.Enabled, FInfo.VertAlign, FInfo.HorzAlign);
}

void TdxBarKeyTipData::ReleaseKeyTipWindow(IdxBarKeyTipWindowHost* host)
{
  if (!FWindow || !host) return;
  host->RemoveWindow(std::exchange(FWindow, nullptr));
}
