#include "classlib/Colors.h"

#include <charconv>
#include <cstdio>
#include "classlib/Object.h"

namespace {
struct TColorIdent {
  TColor Value;
  std::string_view Name;
};

// Standard colours first, then the system colours, then the special values.
constexpr TColorIdent ColorNames[] = {
  {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
  {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
  {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
  {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
  {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
  {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
  {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
  {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
  {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
  {clGradientActiveCaption, "clGradientActiveCaption"},
  {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
  {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
  {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
  {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
  {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"},
  {clMenuText, "clMenuText"}, {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
  {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"},
  {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
  // Other names of values above: accepted when read, never answered.
  {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};
}  // namespace

std::optional<std::string_view> ColorToIdent(TColor color)
{
  for (const TColorIdent& c : ColorNames)
    if (c.Value == color) return c.Name;
  return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view ident)
{
  for (const TColorIdent& c : ColorNames)
    if (SameIdent(c.Name, ident)) return c.Value;
  return std::nullopt;
}

std::string ColorToString(TColor color)
{
  if (auto ident = ColorToIdent(color)) return std::string(*ident);
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
  return buf;
}

TColor StringToColor(std::string_view text)
{
  if (auto c = IdentToColor(text)) return *c;
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  int base = 10;
  if (!digits.empty() && digits.front() == '$') {
    base = 16;
    digits.remove_prefix(1);
  }
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  bool fits = negative ? value <= 0x80000000u : value <= 0xFFFFFFFFu;
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !fits)
    throw EConvertError("'" + std::string(text) + "' is not a valid colour value");
  uint32_t bits = static_cast<uint32_t>(value);
  return static_cast<TColor>(negative ? 0u - bits : bits);
}

void GetColorValues(const std::function<void(std::string_view ident)>& proc)
{
  for (const TColorIdent& c : ColorNames) {
    if (c.Name == "clLtGray") break;
    proc(c.Name);
  }
}
