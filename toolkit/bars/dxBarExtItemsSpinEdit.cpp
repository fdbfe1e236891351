// The spin edit item and its control: a number kept only as its text (integer or floating point,
// limited, with a prefix), stepped by Up and Down, the wheel and two spin buttons that repeat while
// held.
#include <windowsx.h>
#include <cmath>
#include <cstdint>
#include <limits>
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarExtItems.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"

namespace {
constexpr std::string_view ValueTypeNames[] = {"svtInteger", "svtFloat"};
constexpr std::string_view PrefixPlaceNames[] = {"ppStart", "ppEnd"};

// The keys typed into every spin edit: Ctrl+C, Backspace, Ctrl+V and Ctrl+X.
constexpr char CopyKey = 3, BackspaceKey = 8, PasteKey = 22, CutKey = 24;

bool IsUpOrDown(WORD key) { return key == VK_UP || key == VK_DOWN; }
}  // namespace

const TEnumInfo dxBarSpinEditValueTypeInfo = EnumInfo<svtFloat>("TdxBarSpinEditValueType", ValueTypeNames);
const TEnumInfo dxBarSpinEditPrefixPlaceInfo = EnumInfo<ppEnd>("TdxBarSpinEditPrefixPlace", PrefixPlaceNames);

namespace {
using TSE = TdxBarSpinEdit;
const TPropInfo SpinEditProps[] = {
  EnumProp<&TSE::ValueType, &TSE::SetValueType>("ValueType", dxBarSpinEditValueTypeInfo, -1),
  Stored<&TSE::IsIncrementStored>(FloatProp<&TSE::IncrementProp, &TSE::SetIncrementProp>("Increment")),
  Stored<&TSE::IsMinValueStored>(FloatProp<&TSE::MinValueProp, &TSE::SetMinValueProp>("MinValue")),
  Stored<&TSE::IsMaxValueStored>(FloatProp<&TSE::MaxValueProp, &TSE::SetMaxValueProp>("MaxValue")),
  StrProp<&TSE::Prefix, &TSE::SetPrefix>("Prefix"),
  EnumProp<&TSE::PrefixPlace, &TSE::SetPrefixPlace>("PrefixPlace", dxBarSpinEditPrefixPlaceInfo, -1),
  // After the prefix and the limits, so that a stored value is read with them.
  Stored<&TSE::IsValueStored>(FloatProp<&TSE::ValueProp, &TSE::SetValueProp>("Value")),
  EventProp<&TSE::OnButtonClick, &TSE::SetOnButtonClick>("OnButtonClick"),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarSpinEdit, .Props = SpinEditProps);
CL_DEFINE_CLASS(TdxBarSpinEditDrawParams);
CL_DEFINE_CLASS(TdxBarSpinEditControl);

// --- TdxBarSpinEdit ---

void TdxBarSpinEdit::AfterConstruction()
{
  TdxBarEdit::AfterConstruction();
  SetText("0");
}

long double TdxBarSpinEdit::RoundForValueType(long double value) const
{
  return FValueType == svtInteger ? std::trunc(value) : value;
}

long double TdxBarSpinEdit::CheckValue(long double value) const
{
  value = RoundForValueType(value);
  if (HasLimits()) {
    if (value < FMinValue) value = FMinValue;
    if (value > FMaxValue) value = FMaxValue;
  }
  return value;
}

std::string TdxBarSpinEdit::AddPrefix(const std::string& text) const
{
  return FPrefixPlace == ppEnd ? text + FPrefix : FPrefix + text;
}

std::string TdxBarSpinEdit::RemovePrefix(const std::string& text) const
{
  std::string result = text;
  if (!FPrefix.empty())
    if (const size_t at = result.find(FPrefix); at != std::string::npos) result.erase(at, FPrefix.size());
  return result;
}

std::string TdxBarSpinEdit::ValueToText(long double value) const
{
  if (FValueType == svtFloat) return AddPrefix(FloatToStr(value));
  constexpr long double Low = static_cast<long double>(std::numeric_limits<int64_t>::min());
  constexpr long double High = static_cast<long double>(std::numeric_limits<int64_t>::max());
  const long double whole = std::trunc(value);
  // Beyond 64 bits the text is the float's, which no integer reading accepts.
  if (!(whole >= Low && whole <= High)) return AddPrefix(FloatToStr(whole));
  return AddPrefix(std::to_string(static_cast<int64_t>(whole)));
}

long double TdxBarSpinEdit::TextToValue(const std::string& text) const
{
  const std::string number = RemovePrefix(text);
  if (FValueType == svtFloat) {
    long double value = 0;
    return TryStrToFloat(number, value) ? value : FMinValue;
  }
  int value = 0;
  return TryStrToInt(number, value) ? value : FMinValue;
}

bool TdxBarSpinEdit::ConvertsForValueType(const std::string& text) const
{
  const std::string number = RemovePrefix(text);
  long double floatValue = 0;
  int intValue = 0;
  return FValueType == svtFloat ? TryStrToFloat(number, floatValue) : TryStrToInt(number, intValue);
}

void TdxBarSpinEdit::SetText(const std::string& value)
{
  if (!ConvertsForValueType(value)) return;
  TdxBarEdit::SetText(ValueToText(CheckValue(TextToValue(value))));
}

void TdxBarSpinEdit::SetValue(long double value)
{
  const long double checked = CheckValue(value);
  if (checked != Value()) SetText(ValueToText(checked));
}

void TdxBarSpinEdit::SetEditingValue(long double value)
{
  const long double checked = CheckValue(value);
  if (checked != GetEditingValue()) SetEditingText(ValueToText(checked));
}

void TdxBarSpinEdit::SetIncrement(long double value)
{
  value = RoundForValueType(value);
  if (FValueType == svtInteger ? value < 1 : value <= 0) value = 1;
  FIncrement = value;
}

void TdxBarSpinEdit::SetMaxValue(long double value)
{
  value = RoundForValueType(value);
  if (value == FMaxValue) return;
  FMaxValue = value;
  if (FMaxValue < FMinValue) FMinValue = FMaxValue;
  SetValue(CheckValue(Value()));
  SetEditingValue(CheckValue(GetEditingValue()));
}

void TdxBarSpinEdit::SetMinValue(long double value)
{
  value = RoundForValueType(value);
  if (value == FMinValue) return;
  FMinValue = value;
  if (FMinValue > FMaxValue) FMaxValue = FMinValue;
  SetValue(CheckValue(Value()));
  SetEditingValue(CheckValue(GetEditingValue()));
}

void TdxBarSpinEdit::SetPrefix(const std::string& value)
{
  if (FPrefix == value) return;
  const long double current = Value();
  FPrefix = value;
  SetText(ValueToText(current));
}

void TdxBarSpinEdit::SetPrefixPlace(TdxBarSpinEditPrefixPlace value)
{
  if (FPrefixPlace == value) return;
  const long double current = Value();
  FPrefixPlace = value;
  SetText(ValueToText(current));
}

void TdxBarSpinEdit::SetValueType(TdxBarSpinEditValueType value)
{
  if (FValueType == value) return;
  const long double current = Value(), editing = GetEditingValue();
  FValueType = value;
  if (value != svtInteger) return;
  SetIncrement(FIncrement);
  SetMinValue(FMinValue);
  SetMaxValue(FMaxValue);
  // Written as texts: a value that reads the same under the new type ("1.5" read as the minimum 1)
  // must still lose its fraction.
  const std::string text = ValueToText(CheckValue(current)), editingText = ValueToText(CheckValue(editing));
  if (text != GetText()) TdxBarEdit::SetText(text);
  if (editingText != GetEditingText()) SetEditingText(editingText);
}

TdxBarSpinEditControl* TdxBarSpinEdit::ActiveSpinControl() const
{
  TdxBarItemLink* link = GetActiveEditLink();
  return link ? ObjectAs<TdxBarSpinEditControl>(link->Control()) : nullptr;
}

void TdxBarSpinEdit::ClickSpinButton(TdxBarSpinEditButton button)
{
  const TWeakRef<TdxBarSpinEdit> self(this);
  if (button == sbUp)
    SetEditingValue(GetEditingValue() + FIncrement);
  else if (button == sbDown)
    SetEditingValue(GetEditingValue() - FIncrement);
  if (self && FOnButtonClick) FOnButtonClick(this, button);
}

void TdxBarSpinEdit::DoKeyDown(WORD& key, TShiftState shift)
{
  TdxBarEdit::DoKeyDown(key, shift);
  if (!IsUpOrDown(key) || ReadOnly()) return;
  TdxBarSpinEditControl* control = ActiveSpinControl();
  if (!control) return;
  if (!control->RepeatTimerId()) {
    const bool up = key == VK_UP;
    control->SetPressedPart(up ? dxBarSpinUpPart : dxBarSpinDownPart);
    ClickSpinButton(up ? sbUp : sbDown);
  }
  key = 0;
}

void TdxBarSpinEdit::DoKeyPress(char& key)
{
  TdxBarEdit::DoKeyPress(key);
  const bool allowed = key == CopyKey || key == BackspaceKey || key == PasteKey || key == CutKey ||
                       (key >= '0' && key <= '9') || (key == '-' && FMinValue < 0) ||
                       (FValueType == svtFloat && key == DecimalSeparator());
  if (!allowed) key = 0;
}

void TdxBarSpinEdit::DoKeyUp(WORD& key, TShiftState shift)
{
  TdxBarEdit::DoKeyUp(key, shift);
  if (!IsUpOrDown(key)) return;
  if (TdxBarSpinEditControl* control = ActiveSpinControl(); control && !control->RepeatTimerId())
    control->SetPressedPart(-1);
}

// --- TdxBarSpinEditControl ---

void TdxBarSpinEditControl::BeforeDestruction()
{
  KillRepeatTimer();
  TdxBarEditControl::BeforeDestruction();
}

TdxBarSpinEdit* TdxBarSpinEditControl::SpinEdit() const { return ObjectAs<TdxBarSpinEdit>(GetItem()); }

void TdxBarSpinEditControl::SetPressedPart(int part)
{
  TdxBarSpinEdit* item = SpinEdit();
  if (item && item->ReadOnly()) {
    FPressedPart = -1;
    return;
  }
  if (FPressedPart == part) return;
  FPressedPart = part;
  Repaint();
}

TdxBarSpinEditButton TdxBarSpinEditControl::GetPressedButton() const
{
  if (FPressedPart == dxBarSpinUpPart) return sbUp;
  if (FPressedPart == dxBarSpinDownPart) return sbDown;
  return sbNone;
}

void TdxBarSpinEditControl::StartTimer(UINT_PTR id, UINT interval)
{
  KillRepeatTimer();
  if (HWND wnd = EditWindow(); wnd && SetTimer(wnd, id, interval, nullptr)) FRepeatTimerId = id;
}

void TdxBarSpinEditControl::KillRepeatTimer()
{
  if (!FRepeatTimerId) return;
  if (HWND wnd = EditWindow()) KillTimer(wnd, FRepeatTimerId);
  FRepeatTimerId = 0;
}

void TdxBarSpinEditControl::StopRepeat()
{
  if (HWND wnd = EditWindow(); wnd && GetCapture() == wnd) ReleaseCapture();
  SetPressedPart(-1);
  KillRepeatTimer();
}

void TdxBarSpinEditControl::CalcDrawParams(bool full)
{
  TdxBarEditControl::CalcDrawParams(full);
  auto* params = ObjectAs<TdxBarSpinEditDrawParams>(DrawParams());
  if (!full || !params) return;
  params->PressedPart = FPressedPart;
  if (TdxBarPainter* painter = GetPainter()) {
    const RECT r = GetBoundsRect();
    painter->CalcSpinArrowSize(r.bottom - r.top, params->ArrowWidth, params->ArrowHeight);
  }
  params->IsPressed = PressedForClick();
}

void TdxBarSpinEditControl::CalcParts()
{
  TdxBarEditControl::CalcParts();
  std::vector<RECT> parts = PartRects();
  parts.resize(static_cast<size_t>(GetPartCount()));
  if (TdxBarPainter* painter = GetPainter()) {
    CalcDrawParams(true);
    painter->CalcSpinEditParts(DrawParams(), parts, GetBoundsRect());
  }
  SetPartRects(std::move(parts));
}

void TdxBarSpinEditControl::AdjustTextArea(RECT& rect)
{
  if (TdxBarPainter* painter = GetPainter()) painter->CalcSpinEditTextRect(DrawParams(), rect);
}

void TdxBarSpinEditControl::DrawEditValue()
{
  TdxBarPainter* painter = GetPainter();
  TcxCanvas* canvas = GetCanvas();
  const std::vector<RECT>& parts = PartRects();
  if (painter && canvas && parts.size() > static_cast<size_t>(dxBarSpinDownPart) &&
      parts[dxBarSpinUpPart].right > parts[dxBarSpinUpPart].left) {
    CalcDrawParams(true);
    const RECT margins = painter->GetSpinButtonsMargins(GetPaintType());
    RECT area{};
    UnionRect(&area, &parts[dxBarSpinUpPart], &parts[dxBarSpinDownPart]);
    area = RECT{area.left - margins.left, area.top - margins.top, area.right + margins.right,
                area.bottom + margins.bottom};
    // The edit's border drawing left the area out of the clip: it is let in for the buttons only.
    canvas->ApplyClipRegion(MakeOwned<TcxRegion>(area), roAdd);
    canvas->IntersectClipWithRect(GetBoundsRect());
    painter->FillSpinEditBackground(DrawParams(), area);
    painter->DrawSpinButton(DrawParams(), parts[dxBarSpinUpPart], sbUp);
    painter->DrawSpinButton(DrawParams(), parts[dxBarSpinDownPart], sbDown);
    canvas->ExcludeRectFromClip(area);
  }
  TdxBarEditControl::DrawEditValue();
}

void TdxBarSpinEditControl::StopTracking(HWND focused)
{
  if (IsButtonPressed()) StopRepeat();
  TdxBarEditControl::StopTracking(focused);
}

void TdxBarSpinEditControl::HostedWindowProc(TMessage& msg)
{
  const TWeakRef<TdxBarSpinEditControl> self(this);
  TdxBarEditControl::HostedWindowProc(msg);
  if (!self) return;
  TdxBarSpinEdit* item = SpinEdit();
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (IsButtonPressed() || !item) break;
      FMouseDownPart = HotPartIndex();
      SetPressedPart(FMouseDownPart == dxBarSpinUpPart || FMouseDownPart == dxBarSpinDownPart ? FMouseDownPart : -1);
      if (!IsButtonPressed()) break;
      HWND wnd = EditWindow();
      SetCapture(wnd);
      item->ClickSpinButton(GetPressedButton());
      if (self && wnd && GetCapture() == wnd) StartTimer(dxBarSpinFirstRepeatTimer, GetDoubleClickTime() - 100);
      break;
    }
    case WM_TIMER:
      if (msg.WParam == dxBarSpinFirstRepeatTimer) {
        StartTimer(dxBarSpinRepeatTimer, dxBarSpinRepeatInterval);
      } else if (msg.WParam == dxBarSpinRepeatTimer && IsButtonPressed() && item) {
        item->ClickSpinButton(GetPressedButton());
      }
      break;
    case WM_MOUSEMOVE:
      if (FRepeatTimerId) {
        const POINT p = MapPointToBar(POINT{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
        SetPressedPart(GetPartAtPoint(p) == FMouseDownPart ? FMouseDownPart : -1);
      }
      break;
    case WM_LBUTTONUP:
      FMouseDownPart = -1;
      if (FRepeatTimerId) StopRepeat();
      break;
    case WM_MOUSEWHEEL:
      if (item && !item->ReadOnly()) item->ClickSpinButton(GET_WHEEL_DELTA_WPARAM(msg.WParam) < 1 ? sbDown : sbUp);
      break;
    case WM_CAPTURECHANGED:
      if (FRepeatTimerId) StopRepeat();
      break;
    default:
      break;
  }
}
