#include "classlib/FontDialog.h"

#include <commdlg.h>
#include <cstring>
#include <string>
#include <utility>
#include "classlib/GraphicsUtils.h"
#include "classlib/TypInfo.h"

namespace {
TFontDialogFunc GFontDialog = ShowSystemFontDialog;

constexpr DWORD FontOptionFlags[] = {
  CF_ANSIONLY, CF_TTONLY, CF_EFFECTS, CF_FIXEDPITCHONLY, CF_FORCEFONTEXIST, CF_NOFACESEL, CF_NOOEMFONTS,
  CF_NOSIMULATIONS, CF_NOSIZESEL, CF_NOSTYLESEL, CF_NOVECTORFONTS, CF_SCALABLEONLY};
constexpr std::string_view FontOptionNames[] = {
  "fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly", "fdForceFontExist", "fdNoFaceSel",
  "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel", "fdNoVectorFonts", "fdScalableOnly"};
constexpr TEnumInfo FontOptionInfo = EnumInfo<fdScalableOnly>("TFontDialogOption", FontOptionNames);
static_assert(std::size(FontOptionFlags) == std::size(FontOptionNames));

using TFD = TFontDialog;
constexpr TPropInfo FontDialogProps[] = {
  PersistentProp<&TFD::Font>("Font"),
  SetProp<&TFD::Options, &TFD::SetOptions>("Options", FontOptionInfo, TFontDialogOptions{fdEffects}.ToInt()),
};
}  // namespace

bool ShowSystemFontDialog(const TFontDialogRequest& request, LOGFONTA& font, COLORREF& color)
{
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = request.Owner;
  cf.lpLogFont = &font;
  cf.Flags = request.Flags | CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
  cf.rgbColors = color;
  if (!ChooseFontA(&cf)) {
    if (DWORD error = CommDlgExtendedError())
      throw EInvalidOperation("The font dialog could not be shown (error " + std::to_string(error) + ")");
    return false;
  }
  color = cf.rgbColors;
  return true;
}

TFontDialogFunc SetFontDialogFunc(TFontDialogFunc func)
{
  return std::exchange(GFontDialog, func ? func : ShowSystemFontDialog);
}

CL_DEFINE_CLASS(TFontDialog, .Props = FontDialogProps);

TFontDialog::TFontDialog(TComponent* owner) : TComponent(owner), FFont(MakeOwned<TFont>()) {}

bool TFontDialog::Execute(HWND owner)
{
  TFontDialogRequest request{owner ? owner : GetActiveWindow(), 0};
  for (size_t i = 0; i < std::size(FontOptionFlags); ++i)
    if (FOptions.Contains(static_cast<TFontDialogOption>(i))) request.Flags |= FontOptionFlags[i];
  LOGFONTA font = FFont->LogFont();
  COLORREF color = GdiColor(FFont->Color());
  if (!GFontDialog(request, font, color)) return false;
  // The choice as one change of the font.
  auto chosen = MakeOwned<TFont>();
  chosen->Assign(FFont.get());
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  chosen->SetName(font.lfFaceName);
  chosen->SetHeight(font.lfHeight);
  chosen->SetCharset(font.lfCharSet);
  TFontStyles style;
  if (font.lfWeight >= FW_BOLD) style.Include(TFontStyle::fsBold);
  if (font.lfItalic) style.Include(TFontStyle::fsItalic);
  if (font.lfUnderline) style.Include(TFontStyle::fsUnderline);
  if (font.lfStrikeOut) style.Include(TFontStyle::fsStrikeOut);
  chosen->SetStyle(style);
  if (FOptions.Contains(fdEffects)) chosen->SetColor(static_cast<TColor>(color & 0xFFFFFF));
  FFont->Assign(chosen.get());
  return true;
}
