// The colour combo item and its control: the sixteen named colours, the automatic entry, Color and
// the list kept in step, the names from the string table, the drawn entries, and the custom-colour
// button that opens the shared colour dialog.
#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/ColorDialog.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarExtItems.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/controls/cxControls.h"

namespace {
const TResStringRec* const ColorNames[16] = {
  &dxSBAR_COLOR_STR_0,  &dxSBAR_COLOR_STR_1,  &dxSBAR_COLOR_STR_2,  &dxSBAR_COLOR_STR_3,
  &dxSBAR_COLOR_STR_4,  &dxSBAR_COLOR_STR_5,  &dxSBAR_COLOR_STR_6,  &dxSBAR_COLOR_STR_7,
  &dxSBAR_COLOR_STR_8,  &dxSBAR_COLOR_STR_9,  &dxSBAR_COLOR_STR_10, &dxSBAR_COLOR_STR_11,
  &dxSBAR_COLOR_STR_12, &dxSBAR_COLOR_STR_13, &dxSBAR_COLOR_STR_14, &dxSBAR_COLOR_STR_15,
};

// The width of the colour sample before an entry's name.
constexpr int ColorBoxWidth = 30;
// The last system colour index: greater (signed) negative values name no colour and get no sample.
constexpr int32_t LastSystemColor = static_cast<int32_t>(0xFF000018);

std::string DefaultAutoColorText() { return GetResStringText(&dxSBAR_COLORAUTOTEXT); }
std::string DefaultCustomColorText() { return GetResStringText(&dxSBAR_COLORCUSTOMTEXT); }

using TCC = TdxBarColorCombo;
const TPropInfo ColorComboProps[] = {
  ColorProp<&TCC::Color, &TCC::SetColor>("Color", clBlack),
  ColorProp<&TCC::AutoColor, &TCC::SetAutoColor>("AutoColor", clWindowText),
  Stored<&TCC::IsAutoColorTextStored>(StrProp<&TCC::AutoColorText, &TCC::SetAutoColorText>("AutoColorText")),
  Stored<&TCC::IsCustomColorTextStored>(StrProp<&TCC::CustomColorText, &TCC::SetCustomColorText>("CustomColorText")),
  BoolProp<&TCC::ShowAutoColor, &TCC::SetShowAutoColor>("ShowAutoColor", false),
  BoolProp<&TCC::ShowCustomColorButton, &TCC::SetShowCustomColorButton>("ShowCustomColorButton", false),
  Stored<&TCC::IsDropDownCountStored>(IntProp<&TCC::DropDownCount, &TCC::SetDropDownCount>("DropDownCount")),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarColorCombo, .Props = ColorComboProps);
CL_DEFINE_CLASS(TdxBarColorComboControlDrawParams);
CL_DEFINE_CLASS(TdxBarColorComboControl);

// --- TdxBarColorCombo ---

TdxBarColorCombo::TdxBarColorCombo(TComponent* owner)
    : TdxBarCustomCombo(owner), FAutoColorText(DefaultAutoColorText()), FCustomColorText(DefaultCustomColorText())
{
}

void TdxBarColorCombo::AfterConstruction()
{
  TdxBarCustomCombo::AfterConstruction();
  SetDropDownCount(16);
  if (HBITMAP glyph = static_cast<HBITMAP>(
          LoadImageA(cxControlsModule(), "DXBARCOLORCOMBO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
    bitmap->SetHandle(glyph);
    SetGlyph(bitmap.get());
  }
  FillColorList();
  SetItemIndex(0);
  SetShowEditor(false);
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->AddListener(this);
}

void TdxBarColorCombo::BeforeDestruction()
{
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->RemoveListener(this);
  TdxBarCustomCombo::BeforeDestruction();
}

void TdxBarColorCombo::FillColorList()
{
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  if (FShowAutoColor) items->Add(FAutoColorText);
  for (const TResStringRec* name : ColorNames) items->Add(GetResStringText(name));
  items->EndUpdate();
}

template <class F>
void TdxBarColorCombo::ChangeRowsQuietly(F change)
{
  const int index = ItemIndex();
  {
    TFlagScope rebuilding(FRebuildingNames), setting(FSettingColor);
    change();
    SetItemIndex(index);
  }
  UpdateControls();
}

TColor TdxBarColorCombo::ColorOfEntry(int index) const
{
  const int autoEntries = FShowAutoColor ? 1 : 0;
  if (index < 0 || index > 15 + autoEntries) return FColor;
  if (index < autoEntries) return FAutoColor;
  return dxBarStandardColors[index - autoEntries];
}

int TdxBarColorCombo::IndexOfColor(TColor color) const
{
  if (FShowAutoColor && color == FAutoColor) return 0;
  const COLORREF rgb = ColorToRGB(color);
  const auto* found = std::find_if(std::begin(dxBarStandardColors), std::end(dxBarStandardColors),
                                   [&](TColor entry) { return ColorToRGB(entry) == rgb; });
  if (found == std::end(dxBarStandardColors)) return -1;
  return static_cast<int>(found - std::begin(dxBarStandardColors)) + (FShowAutoColor ? 1 : 0);
}

void TdxBarColorCombo::SetColor(TColor value)
{
  if (FColor == value) return;
  FColor = value;
  TFlagScope setting(FSettingColor);
  const int index = IndexOfColor(value);
  if (index == ItemIndex()) {
    // The entry stays (two custom colours in a row): the change is reported here.
    UpdateControls();
    DoChange();
  } else {
    SetItemIndex(index);
  }
}

void TdxBarColorCombo::SetAutoColor(TColor value)
{
  if (FAutoColor == value) return;
  FAutoColor = value;
  if (!FShowAutoColor) return;
  {
    TFlagScope setting(FSettingColor);
    SetItemIndex(IndexOfColor(FColor));
  }
  UpdateControls();
}

void TdxBarColorCombo::SetShowAutoColor(bool value)
{
  if (FShowAutoColor == value) return;
  const bool defaultCount = DropDownCount() == 16 + (FShowAutoColor ? 1 : 0);
  FShowAutoColor = value;
  {
    TFlagScope setting(FSettingColor);
    {
      // The rows move under the selection: that is no change of the selection.
      TFlagScope rebuilding(FRebuildingNames);
      if (value)
        Items()->Insert(0, FAutoColorText);
      else
        Items()->Delete(0);
    }
    if (defaultCount) SetDropDownCount(16 + (value ? 1 : 0));
    SetItemIndex(IndexOfColor(FColor));
  }
  UpdateControls();
}

void TdxBarColorCombo::SetAutoColorText(const std::string& value)
{
  if (FAutoColorText == value) return;
  FAutoColorText = value;
  FAutoColorTextAssigned = value != DefaultAutoColorText();
  if (FShowAutoColor)
    ChangeRowsQuietly([&] { Items()->Put(0, value); });
  else
    UpdateControls();
}

void TdxBarColorCombo::SetCustomColorText(const std::string& value)
{
  if (FCustomColorText == value) return;
  FCustomColorText = value;
  FCustomColorTextAssigned = value != DefaultCustomColorText();
  UpdateControls();
}

void TdxBarColorCombo::SetShowCustomColorButton(bool value)
{
  if (FShowCustomColorButton == value) return;
  FShowCustomColorButton = value;
  QueryControls();
}

void TdxBarColorCombo::SetExchangeColor(TColor value)
{
  FExchangeColor = value;
  FHasExchangeColor = true;
}

void TdxBarColorCombo::DoChange()
{
  // Written to the field: through SetColor one pick would report its change twice.
  if (!FSettingColor) FColor = ColorOfEntry(ItemIndex());
  if (!FRebuildingNames) TdxBarCustomCombo::DoChange();
}

void TdxBarColorCombo::DoClick()
{
  const TWeakRef<TdxBarColorCombo> self(this);
  TdxBarCustomCombo::DoClick();
  if (!self) return;
  struct TExchangeScope {
    TdxBarColorCombo* Combo;
    ~TExchangeScope() { Combo->FHasExchangeColor = false; }
  } scope{this};
  if (OnClick() || ReadOnly()) return;
  TColorDialog* dialog = dxBarColorDialog();
  if (!dialog) return;
  dialog->SetColor(FHasExchangeColor ? FExchangeColor : FColor);
  if (dialog->Execute() && self) SetColor(dialog->Color());
}

void TdxBarColorCombo::ResourceStringsChanged()
{
  if (!FAutoColorTextAssigned) FAutoColorText = DefaultAutoColorText();
  if (!FCustomColorTextAssigned) FCustomColorText = DefaultCustomColorText();
  ChangeRowsQuietly([&] { FillColorList(); });
}

void TdxBarColorCombo::DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const RECT& rect)
{
  if (OnDrawItem()) {
    TdxBarCustomCombo::DrawItem(painter, index, state, rect);
    return;
  }
  TCanvas* canvas = GetItemCanvas()->Canvas();
  TBrush* brush = canvas->Brush();
  const TColor background = brush->Color();
  const std::string text = index == -1 ? FCustomColorText
                           : index >= 0 && index < Items()->Count() ? Items()->Strings(index)
                                                                     : std::string();
  const int32_t color = static_cast<int32_t>(FColor);
  const bool drawBox = !(index == -1 && color < 0 && color > LastSystemColor);
  RECT textRect = rect;
  if (drawBox) textRect.left += ColorBoxWidth;
  canvas->FillRect(textRect);
  canvas->TextOut(textRect.left + 1, (rect.top + rect.bottom - canvas->TextHeight(text)) / 2, text);
  if (drawBox) {
    RECT box{rect.left, rect.top, textRect.left, rect.bottom};
    canvas->FrameRect(box);
    InflateRect(&box, -1, -1);
    brush->SetColor(clBtnShadow);
    canvas->FrameRect(box);
    InflateRect(&box, -1, -1);
    brush->SetColor(ColorOfEntry(index));
    canvas->FillRect(box);
  }
  brush->SetColor(background);
  if (state.Contains(odFocused)) canvas->DrawFocusRect(rect);
}

int TdxBarColorCombo::MeasureItemHeight(int index)
{
  if (OnMeasureItem()) return TdxBarCustomCombo::MeasureItemHeight(index);
  return GetItemCanvas()->Canvas()->TextHeight("0") + 4;
}

int TdxBarColorCombo::MeasureItemWidth(int index) { return TdxBarCustomCombo::MeasureItemWidth(index) + ColorBoxWidth; }

// --- TdxBarColorComboControl ---

TdxBarColorCombo* TdxBarColorComboControl::ColorCombo() const { return ObjectAs<TdxBarColorCombo>(GetItem()); }

void TdxBarColorComboControl::CalcDrawParams(bool full)
{
  TdxBarComboControl::CalcDrawParams(full);
  auto* params = ObjectAs<TdxBarColorComboControlDrawParams>(DrawParams());
  if (!params) return;
  if (full) params->IsPressed = FPressed;
  TdxBarColorCombo* combo = ColorCombo();
  params->ShowCustomColorButton = combo && combo->ShowCustomColorButton();
}

void TdxBarColorComboControl::CalcParts()
{
  TdxBarComboControl::CalcParts();
  std::vector<RECT> parts = PartRects();
  parts.resize(static_cast<size_t>(GetPartCount()));
  if (TdxBarPainter* painter = GetPainter()) {
    CalcDrawParams(false);
    painter->CalcColorComboParts(DrawParams(), parts, GetBoundsRect(), 0);
  }
  SetPartRects(std::move(parts));
}

void TdxBarColorComboControl::AdjustTextArea(RECT& rect)
{
  TdxBarComboControl::AdjustTextArea(rect);
  if (TdxBarPainter* painter = GetPainter()) painter->GetColorBoxIndent(DrawParams(), rect);
}

void TdxBarColorComboControl::DrawEditValue()
{
  TdxBarComboControl::DrawEditValue();
  TdxBarPainter* painter = GetPainter();
  auto* params = ObjectAs<TdxBarColorComboControlDrawParams>(DrawParams());
  TcxCanvas* canvas = GetCanvas();
  if (!painter || !params || !canvas || PartRects().size() <= static_cast<size_t>(dxBarCustomColorButtonPart) ||
      !painter->HasCustomColorButton(params))
    return;
  const RECT button = PartRects()[dxBarCustomColorButtonPart];
  const RECT margins = painter->GetColorButtonMargins(GetPaintType());
  const RECT sample{button.left - margins.left, button.top - margins.top, button.right + margins.right,
                    button.bottom + margins.bottom};
  canvas->PushClipRegion();
  canvas->IntersectClipWithRect(sample);
  painter->DrawColorSample(params, sample);
  canvas->PopClipRegion();
  painter->DrawCustomColorButton(params, button);
}

bool TdxBarColorComboControl::IsHighlighted() const { return TdxBarComboControl::IsHighlighted() || FPressed; }

void TdxBarColorComboControl::SetPressed(bool value)
{
  if (FPressed == value) return;
  FPressed = value;
  StyleChanged();
}

void TdxBarColorComboControl::StyleChanged()
{
  Repaint();
  if (FPressed) SetDroppedDown(false);
}

void TdxBarColorComboControl::HostedWindowProc(TMessage& msg)
{
  const bool buttonPress = msg.Msg == WM_LBUTTONDOWN && HotPartIndex() == dxBarCustomColorButtonPart;
  const bool ctrlEnter = msg.Msg == WM_KEYDOWN && msg.WParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
  if (buttonPress || ctrlEnter) {
    OpenDialog();
    return;
  }
  TdxBarComboControl::HostedWindowProc(msg);
}

void TdxBarColorComboControl::OpenDialog()
{
  TdxBarColorCombo* combo = ColorCombo();
  if (!combo) return;
  combo->SetExchangeColor(combo->ColorOfEntry(Link() && Link() == combo->GetActiveEditLink() ? CurItemIndex()
                                                                                               : combo->ItemIndex()));
  if (Link()) Link()->GetSourceLink()->RegisterUse(true);
  TCustomdxBarControl* bar = BarControl();
  const bool popup = bar && bar->GetBarControlKind() == TdxBarKind::bkSubMenu;
  const TWeakRef<TdxBarColorComboControl> self(this);
  if (popup)
    bar->CloseUp(TdxBarCloseReason::ItemClick);
  else
    SetPressed(true);
  combo->Click();
  if (self && !popup) SetPressed(false);
}
