#include "toolkit/editors/cxTextEditViewData.h"

#include <algorithm>
#include "classlib/Encoding.h"
#include "toolkit/base/dxCore.h"
#include "toolkit/editors/cxEditControl.h"
#include "toolkit/editors/cxTextEditProperties.h"
#include "toolkit/editors/cxTextEditViewInfo.h"
#include "toolkit/editors/cxEditViewInfo.h"

namespace {
// Rows never start left of or above the rect; the text is one line.
constexpr int AlwaysTextFlags = CXTO_PREVENT_LEFT_EXCEED | CXTO_PREVENT_TOP_EXCEED | CXTO_SINGLELINE;
constexpr int OpenExtent = 0x7FFFFF;

int FontTextHeight(TcxCanvas* Canvas, TFont* Font)
{
  HDC dc = Canvas->GetDCHandle();
  HGDIOBJ old = Font ? SelectObject(dc, Font->Handle()) : nullptr;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  if (old) SelectObject(dc, old);
  return metrics.tmHeight;
}

// Wrapped rows instead of one line.
int WrappedFlags(int Flags) { return (Flags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL; }
}  // namespace

std::wstring TextForFont(std::string_view Text, TFont* Font)
{
  const UINT codePage = Font ? CharsetToCodePage(static_cast<BYTE>(Font->Charset())) : CP_ACP;
  if (Text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
  if (length <= 0) return AnsiToWide(Text);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, Text.data(), static_cast<int>(Text.size()), wide.data(), length);
  return wide;
}

CL_DEFINE_CLASS(TcxCustomTextEditViewData);

TcxCustomTextEditProperties* TcxCustomTextEditViewData::TextProperties() const
{
  return dynamic_cast<TcxCustomTextEditProperties*>(Properties);
}

void TcxCustomTextEditViewData::InitializeFromProperties()
{
  TcxCustomEditViewData::InitializeFromProperties();
  FUsesProviderDisplayFormat = Properties->UsesProviderDisplayFormat();
}

int TcxCustomTextEditViewData::GetDrawTextFlags()
{
  int flags = AlwaysTextFlags;
  if (HorzAlignment == taRightJustify) flags |= CXTO_RIGHT;
  else if (HorzAlignment == taCenter) flags |= CXTO_CENTER_HORIZONTALLY;
  if (VertAlignment == taBottomJustify) flags |= CXTO_BOTTOM;
  else if (VertAlignment == taVCenter) flags |= CXTO_CENTER_VERTICALLY;
  return flags;
}

void TcxCustomTextEditViewData::GetTextMargins(RECT& Margins)
{
  GetContentOffsets(Margins);
  TcxCustomTextEditProperties* properties = TextProperties();
  const int style = properties ? properties->GetEditingStyle() : 0;
  if (IsInplace || (style != 2 && style != 3)) return;
  ++Margins.top;
  ++Margins.bottom;
  if (HorzAlignment == taRightJustify) ++Margins.right;
  else ++Margins.left;
}

void TcxCustomTextEditViewData::GetClientExtent(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Extent)
{
  TcxCustomEditViewData::GetClientExtent(Canvas, ViewInfo, Extent);
  if (!IsInplace && IsComboStyle() && NativeStyle) ++Extent.right;
}

void TcxCustomTextEditViewData::CalculateButtonNativeState(TcxEditButtonViewInfo* Button)
{
  TcxCustomEditViewData::CalculateButtonNativeState(Button);
  TcxCustomTextEditProperties* properties = TextProperties();
  // The combo box part is the one a single drop-down button gets in place of the push button.
  const bool comboPart = Button->SingleDropDown && Button->ThemePart != 0 && Button->ThemePart != cxButtonThemePushPart;
  constexpr int DisabledThemeState = 4;
  if (!IsInplace && properties && properties->GetEditingStyle() == 2 && comboPart &&
      Button->ThemeState != DisabledThemeState)
    Button->ThemeState = 1;
}

void TcxCustomTextEditViewData::CalculateViewInfo(TcxCanvas* Canvas, const RECT& ABounds, bool KeepPressedButton,
                                                  TcxCustomEditViewInfo* ViewInfo, TShiftState Shift,
                                                  bool PointerPressed, POINT P)
{
  TcxCustomEditViewData::CalculateViewInfo(Canvas, ABounds, KeepPressedButton, ViewInfo, Shift, PointerPressed, P);
  auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(ViewInfo);
  if (!textInfo) return;
  TcxCustomTextEditProperties* properties = TextProperties();
  textInfo->PaintsSelectionBar = false;
  textInfo->EditStyleCode = static_cast<uint8_t>(properties ? properties->GetEditingStyle() : 0);
  textInfo->ShowsEditWindow = IsEditorTextEditing();
  textInfo->EditorWantsAllKeys = false;
  textInfo->TextFont = ViewInfo->Font;
  textInfo->TextPaintColor = ViewInfo->ContentTextColor == clDefault ? clWindowText : ViewInfo->ContentTextColor;
  // The text rectangle: the client area less the margins, at least one text line high within it.
  RECT margins{};
  GetTextMargins(margins);
  RECT area = ViewInfo->ClientRect;
  area.left += margins.left;
  area.top += margins.top;
  area.right -= margins.right;
  area.bottom -= margins.bottom;
  if (ViewInfo->DrawsText()) {
    const int textHeight = FontTextHeight(Canvas, textInfo->TextFont);
    if (area.bottom - area.top < textHeight) area.bottom = std::min<LONG>(area.top + textHeight, ViewInfo->ClientRect.bottom);
  }
  textInfo->TextArea = area;
  textInfo->MaxRowCount = GetTextLineHeight();
  textInfo->TextLayout.LaidOut = false;
  CalculateTextLayout(Canvas, textInfo);
}

void TcxCustomTextEditViewData::CalculateTextLayout(TcxCanvas* Canvas, TcxCustomTextEditViewInfo* ViewInfo)
{
  TcxCustomTextEditProperties* properties = TextProperties();
  int flags = GetDrawTextFlags();
  const bool canWrap = properties && !properties->IsMultiLineText() &&
                       (properties->GetCapabilities() & cxEditCapabilityWordWrap) && WordWrap;
  const RECT& area = ViewInfo->TextArea;
  if (canWrap && !ViewInfo->ShownText.empty()) {
    // Counts the rows the text takes in the area's width.
    const std::wstring text = ViewInfo->WideShownText();
    TcxDrawWideTextOptions options;
    options.Font = ViewInfo->TextFont;
    RECT measured = area;
    measured.bottom = measured.top + OpenExtent;
    const TcxTextParams params = PrepareCanvasTextParams(Canvas->Canvas(), flags);
    const int rowHeight = std::max(1, params.RowHeight);
    options.MaxRowCount = (area.bottom - area.top + rowHeight - 1) / rowHeight + 1;
    const int rows = DrawWideTextInRect(Canvas->GetDCHandle(), text, measured,
                                        WrappedFlags(flags) | CXTO_CALCROWCOUNT, options);
    if (rows > 1) {
      flags = WrappedFlags(flags);
      if (rows * rowHeight > area.bottom - area.top)
        flags &= ~(CXTO_CENTER_VERTICALLY | CXTO_BOTTOM | CXTO_SINGLELINE);
    }
  }
  if (ViewInfo->PaintFlags & cxEditPaintOptionEndEllipsis) flags |= CXTO_END_ELLIPSIS;
  ViewInfo->TextLayoutFlags = flags;
  ViewInfo->IsComboStyle = IsComboStyle();
}

void TcxCustomTextEditViewData::GetValueDisplayText(const Variant& Value, std::string& Text)
{
  TcxCustomTextEditProperties* properties = TextProperties();
  Text.clear();
  if (FUsesProviderDisplayFormat || !properties) {
    try {
      Text = VarToStr(Value);
    } catch (const Exception&) {
    }
    if (properties) properties->TransformDisplayText(Text);
    return;
  }
  Text = properties->DisplayTextOf(Value, Focused);
}

void TcxCustomTextEditViewData::SetViewInfoText(const Variant& Value, TcxCustomTextEditViewInfo* ViewInfo)
{
  std::string text;
  if (!ValueHidden) GetDisplayTextAndFormat(Value, text);
  ViewInfo->ShownText = text;
  ViewInfo->TextLayout.LaidOut = false;
}

void TcxCustomTextEditViewData::ApplyValueToViewInfo(TcxCanvas* Canvas, const Variant& Value,
                                                     TcxCustomEditViewInfo* ViewInfo)
{
  (void)Canvas;
  auto* textInfo = dynamic_cast<TcxCustomTextEditViewInfo*>(ViewInfo);
  if (!textInfo) return;
  SetViewInfoText(Value, textInfo);
  textInfo->MarkStart = MarkStart;
  textInfo->MarkLength = MarkLength;
  if (MarkLength == 0) return;
  TColor text = SelTextColor, back = SelBackgroundColor;
  auto inverse = [](TColor c) { return static_cast<TColor>((ColorToRGB(c) ^ 0xFFFFFF) & 0xFFFFFF); };
  if (text == clDefault && back == clDefault) {
    if (Style()->Color() == clHighlight) {
      back = static_cast<TColor>(0);
      text = static_cast<TColor>(0xFFFFFF);
    } else {
      text = clHighlightText;
      back = clHighlight;
    }
  } else if (text == clDefault) {
    text = inverse(back);
  } else if (back == clDefault) {
    back = inverse(text);
  }
  textInfo->MarkTextColor = text;
  textInfo->MarkBackColor = back;
}

void CalculateTextEditTextSize(TcxCustomTextEditViewData* ViewData, TcxCanvas* Canvas, std::wstring_view Text,
                               int Flags, int RowLimit, SIZE& Size)
{
  TcxCustomTextEditProperties* properties = ViewData->TextProperties();
  const bool mayWrap = ViewData->WordWrap && properties &&
                       (properties->GetCapabilities() & cxEditCapabilityWordWrap);
  const TcxTextParams params = PrepareCanvasTextParams(Canvas->Canvas(), Flags);
  const int rowHeight = params.RowHeight;
  TcxDrawWideTextOptions options;
  options.MaxRowCount = RowLimit > 0 ? RowLimit : 0;
  HDC dc = Canvas->GetDCHandle();
  if (Size.cx <= 0) {
    if (!(Flags & CXTO_SINGLELINE) || mayWrap) {
      RECT r{0, 0, OpenExtent, OpenExtent};
      if (!Text.empty()) DrawWideTextInRect(dc, Text, r, WrappedFlags(Flags) | CXTO_CALCRECT, options);
      Size.cx = Text.empty() ? 0 : r.right - r.left;
    } else {
      SIZE extent{};
      if (!Text.empty()) GetTextExtentWide(dc, Text, extent);
      Size.cx = extent.cx;
    }
    Size.cy = RowLimit > 0 ? rowHeight * RowLimit : rowHeight;
    return;
  }
  RECT r{0, 0, Size.cx, OpenExtent};
  const int rows = Text.empty() ? 0
                                : DrawWideTextInRect(dc, Text, r,
                                                     (WrappedFlags(Flags) | CXTO_CALCROWCOUNT) & ~CXTO_VERTICAL_ALIGNMENT_MASK,
                                                     options);
  Size.cy = rows * rowHeight;
  if (rows == 0 && !(ViewData->PaintFlags & cxEditPaintOptionEmptyHasNoHeight)) Size.cy = rowHeight;
}

void TcxCustomTextEditViewData::CalculateTextSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                                  const TcxEditSizeProperties& Limits)
{
  std::string text;
  GetDisplayTextAndFormat(Value, text);
  TFont* font = Style()->DirectAccessMode() ? Style()->Font() : Style()->GetEffectiveFont();
  Canvas->PushState();
  if (font) Canvas->AssignFont(font);
  Size = SIZE{Limits.Width > 0 ? Limits.Width : 0, 0};
  CalculateTextEditTextSize(this, Canvas, TextForFont(text, font), GetDrawTextFlags(),
                            Limits.MaxLineCount > 0 ? Limits.MaxLineCount : GetTextLineHeight(), Size);
  Canvas->PopState();
  // A list-style text is drawn like a native list box text: one pixel wider.
  TcxCustomTextEditProperties* properties = TextProperties();
  const int style = properties ? properties->GetEditingStyle() : 0;
  if (!IsInplace && (style == 2 || style == 3) && !IsComboStyle()) ++Size.cx;
  SIZE extra{};
  GetExtraHeight(extra);
  Size.cx += extra.cx;
  if (Size.cy > 0) Size.cy += extra.cy;
}
