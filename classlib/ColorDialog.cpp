#include "classlib/ColorDialog.h"

#include <commdlg.h>
#include <string>
#include <utility>
#include "classlib/GraphicsUtils.h"
#include "classlib/TypInfo.h"

namespace {
TColorDialogFunc GColorDialog = ShowSystemColorDialog;

using TCD = TColorDialog;
constexpr TPropInfo ColorDialogProps[] = {
  ColorProp<&TCD::Color, &TCD::SetColor>("Color", clBlack),
};
}  // namespace

bool ShowSystemColorDialog(const TColorDialogRequest& request, COLORREF& color, TCustomColors& custom)
{
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = request.Owner;
  cc.rgbResult = color;
  cc.lpCustColors = custom.data();
  cc.Flags = request.Flags | CC_RGBINIT;
  if (!ChooseColorA(&cc)) {
    if (DWORD error = CommDlgExtendedError())
      throw EInvalidOperation("The colour dialog could not be shown (error " + std::to_string(error) + ")");
    return false;
  }
  color = cc.rgbResult;
  return true;
}

TColorDialogFunc SetColorDialogFunc(TColorDialogFunc func)
{
  return std::exchange(GColorDialog, func ? func : ShowSystemColorDialog);
}

CL_DEFINE_CLASS(TColorDialog, .Props = ColorDialogProps);

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) { FCustomColors.fill(RGB(255, 255, 255)); }

bool TColorDialog::Execute(HWND owner)
{
  TColorDialogRequest request{owner ? owner : GetActiveWindow(), 0};
  COLORREF color = ColorToRGB(FColor) & 0xFFFFFF;
  if (!GColorDialog(request, color, FCustomColors)) return false;
  FColor = static_cast<TColor>(color & 0xFFFFFF);
  return true;
}
