#pragma once
// The extended bar items and their unit: a colour combo (sixteen named colours, an optional
// automatic entry and the system's colour dialog) and a spin edit (a number kept as its text,
// stepped by keys, wheel and two auto-repeating buttons), with their item controls.
//
// The unit starts after the bar unit: it loads the two font-kind glyphs and pairs the extended
// items with their controls in the item-class registry; its shut-down unpairs them and frees the
// shared colour dialog and the glyphs.
#include <string>
#include "classlib/Colors.h"
#include "classlib/Units.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/base/dxCoreResStrings.h"

extern TUnit UnitdxBarExtItems;

class TBitmap;
class TColorDialog;

// The glyphs the font lists of bars mark TrueType and other fonts with (13 x 13); nullptr outside
// the unit's run.
TBitmap* dxBarTrueTypeFontGlyph();
TBitmap* dxBarNonTrueTypeFontGlyph();
// The colour dialog every colour combo shows, made on first use and freed by the unit's shut-down
// (nullptr once it has begun).
TColorDialog* dxBarColorDialog();

// --- Colour combo ---

// The sixteen colours of the list, in list order.
constexpr TColor dxBarStandardColors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                             0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                             0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

class TdxBarColorCombo : public TdxBarCustomCombo, public IdxResourceStringsObserver {
  CL_CLASS(TdxBarColorCombo, TdxBarCustomCombo)
public:
  // Black selected, sixteen entries, no editor, listening to the resource strings.
  explicit TdxBarColorCombo(TComponent* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TColor Color() const { return FColor; }
  // Selects the entry of the colour (none for a colour in no entry); OnChange fires once for every
  // change of Color, also when the selected entry stays the same.
  void SetColor(TColor value);
  TColor AutoColor() const { return FAutoColor; }
  void SetAutoColor(TColor value);
  const std::string& AutoColorText() const { return FAutoColorText; }
  void SetAutoColorText(const std::string& value);
  const std::string& CustomColorText() const { return FCustomColorText; }
  void SetCustomColorText(const std::string& value);
  bool ShowAutoColor() const { return FShowAutoColor; }
  // Inserts or removes the automatic entry; a DropDownCount at its default follows (16 or 17).
  void SetShowAutoColor(bool value);
  bool ShowCustomColorButton() const { return FShowCustomColorButton; }
  void SetShowCustomColorButton(bool value);
  bool IsAutoColorTextStored() const { return FAutoColorTextAssigned; }
  bool IsCustomColorTextStored() const { return FCustomColorTextAssigned; }
  bool IsDropDownCountStored() const { return DropDownCount() != 16 + (FShowAutoColor ? 1 : 0); }

  // The colour of a list entry (the automatic entry first when shown); Color for any other index.
  TColor ColorOfEntry(int index) const;
  // The entry of a colour: the automatic entry when the colour is AutoColor as stored, else the
  // first named entry with the same RGB value (system colours by their present value); -1 for none.
  int IndexOfColor(TColor color) const;
  // The dialog opened from a control starts at this colour once (the colour the control shows).
  void SetExchangeColor(TColor value);

  // The selected entry's colour becomes Color (unless a setter applies Color), then OnChange
  // (not while the names are rebuilt).
  void DoChange() override;
  // OnClick or the action; without OnClick and unless read-only, the colour dialog.
  void DoClick() override;
  // A colour sample and the entry's name (the custom text for -1).
  void DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const RECT& rect) override;
  int MeasureItemHeight(int index) override;
  int MeasureItemWidth(int index) override;

  // The default texts and the sixteen names are read again; the selection stays, nothing fires.
  void ResourceStringsChanged() override;

private:
  void FillColorList();
  // Runs change on the rows with the names being rebuilt and Color kept, then selects the remembered
  // entry again.
  template <class F> void ChangeRowsQuietly(F change);
  TColor FColor = clBlack;
  TColor FAutoColor = clWindowText;
  std::string FAutoColorText, FCustomColorText;
  bool FShowAutoColor = false;
  bool FShowCustomColorButton = false;
  TColor FExchangeColor = clBlack;
  bool FHasExchangeColor = false;
  bool FSettingColor = false;
  bool FRebuildingNames = false;
  bool FAutoColorTextAssigned = false;
  bool FCustomColorTextAssigned = false;
};

// What the painter needs of a colour combo control beyond an edit's: whether the item shows the
// custom-colour button and whether the control is pressed (its dialog is open).
class TdxBarColorComboControlDrawParams : public TdxBarEditLikeControlDrawParams, public IdxBarColorComboDrawValues {
  CL_CLASS(TdxBarColorComboControlDrawParams, TdxBarEditLikeControlDrawParams)
public:
  using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
  bool ShowCustomColorButton = false;
  bool IsPressed = false;

  // What the painter reads of them.
  bool ShowsCustomColorButton() const override { return ShowCustomColorButton; }
  bool IsCustomColorButtonPressed() const override { return IsPressed; }
};

// The custom-colour button part of a colour combo control.
constexpr int dxBarCustomColorButtonPart = 4;

class TdxBarColorComboControl : public TdxBarComboControl {
  CL_CLASS(TdxBarColorComboControl, TdxBarComboControl)
public:
  using TdxBarComboControl::TdxBarComboControl;

  TdxBarColorCombo* ColorCombo() const;
  // Shown pressed while the colour dialog it opened is open.
  bool Pressed() const { return FPressed; }
  void SetPressed(bool value);
  int GetPartCount() const override { return TdxBarComboControl::GetPartCount() + 1; }
  TdxBarItemControlDrawParamsClass GetDrawParamsClass() const override
  {
    return ClassRef<TdxBarColorComboControlDrawParams>();
  }
  void CalcDrawParams(bool full = true) override;
  void CalcParts() override;
  void AdjustTextArea(RECT& rect) override;
  // The combo's value and button, then the colour sample and the custom-colour button.
  void DrawEditValue() override;
  bool IsHighlighted() const override;
  // Repaints; a pressed control closes its list.
  void StyleChanged() override;
  // A press on the custom-colour button or Ctrl+Enter opens the dialog from the control.
  void HostedWindowProc(TMessage& msg) override;

private:
  void OpenDialog();
  bool FPressed = false;
};

// --- Spin edit ---

enum class TdxBarSpinEditValueType : uint8_t { svtInteger, svtFloat };
using enum TdxBarSpinEditValueType;
enum class TdxBarSpinEditPrefixPlace : uint8_t { ppStart, ppEnd };
using enum TdxBarSpinEditPrefixPlace;

class TdxBarSpinEdit;
using TdxBarSpinEditButtonClickEvent = TEvent<void(TdxBarSpinEdit* Sender, TdxBarSpinEditButton Button)>;

class TdxBarSpinEdit : public TdxBarEdit {
  CL_CLASS(TdxBarSpinEdit, TdxBarEdit)
public:
  // Increment 1, the prefix at the end, the text "0".
  using TdxBarEdit::TdxBarEdit;
  void AfterConstruction() override;

  TdxBarSpinEditValueType ValueType() const { return FValueType; }
  // To svtInteger the increment and the limits are rounded, and the value and the editing value
  // with them.
  void SetValueType(TdxBarSpinEditValueType value);
  long double Increment() const { return FIncrement; }
  // Rounded for the value type; below 1 (integers) or not above 0 (floats) it is 1.
  void SetIncrement(long double value);
  long double MinValue() const { return FMinValue; }
  long double MaxValue() const { return FMaxValue; }
  // Each moves the other limit along when they would cross, then limits the value and the
  // editing value.
  void SetMinValue(long double value);
  void SetMaxValue(long double value);
  const std::string& Prefix() const { return FPrefix; }
  void SetPrefix(const std::string& value);
  TdxBarSpinEditPrefixPlace PrefixPlace() const { return FPrefixPlace; }
  void SetPrefixPlace(TdxBarSpinEditPrefixPlace value);
  // The text read as a number (MinValue when it is none).
  long double Value() const { return TextToValue(GetText()); }
  void SetValue(long double value);
  // The number of the text being edited (the active edit window's, else Text).
  long double GetEditingValue() const { return TextToValue(GetEditingText()); }
  void SetEditingValue(long double value);
  // A text that is no number of the value type is ignored; otherwise the stored text is the
  // limited number, formatted, with the prefix.
  void SetText(const std::string& value) override;

  const TdxBarSpinEditButtonClickEvent& OnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(const TdxBarSpinEditButtonClickEvent& e) { FOnButtonClick = e; }

  // --- Conversions, at the present value type ---
  bool HasLimits() const { return FMinValue != 0 || FMaxValue != 0; }
  long double RoundForValueType(long double value) const;
  long double CheckValue(long double value) const;
  std::string AddPrefix(const std::string& text) const;
  std::string RemovePrefix(const std::string& text) const;
  std::string ValueToText(long double value) const;
  long double TextToValue(const std::string& text) const;

  // Steps the editing value by the increment, then OnButtonClick (also at a limit).
  void ClickSpinButton(TdxBarSpinEditButton button);
  // Up and Down step the editing value; only digits, "-" (with a negative MinValue), the decimal
  // separator (floats) and the copy, cut, paste and Backspace keys are typed.
  void DoKeyDown(WORD& key, TShiftState shift) override;
  void DoKeyPress(char& key) override;
  void DoKeyUp(WORD& key, TShiftState shift) override;

  // Published float properties.
  double IncrementProp() const { return static_cast<double>(FIncrement); }
  void SetIncrementProp(double value) { SetIncrement(value); }
  double MinValueProp() const { return static_cast<double>(FMinValue); }
  void SetMinValueProp(double value) { SetMinValue(value); }
  double MaxValueProp() const { return static_cast<double>(FMaxValue); }
  void SetMaxValueProp(double value) { SetMaxValue(value); }
  double ValueProp() const { return static_cast<double>(Value()); }
  void SetValueProp(double value) { SetValue(value); }
  bool IsIncrementStored() const { return FIncrement != 1; }
  bool IsMinValueStored() const { return FMinValue != 0; }
  bool IsMaxValueStored() const { return FMaxValue != 0; }
  bool IsValueStored() const { return Value() != 0; }

private:
  bool ConvertsForValueType(const std::string& text) const;
  class TdxBarSpinEditControl* ActiveSpinControl() const;
  TdxBarSpinEditValueType FValueType = svtInteger;
  long double FIncrement = 1;
  long double FMinValue = 0;
  long double FMaxValue = 0;
  std::string FPrefix;
  TdxBarSpinEditPrefixPlace FPrefixPlace = ppEnd;
  TdxBarSpinEditButtonClickEvent FOnButtonClick;
};

// What the painter needs of a spin edit control beyond an edit's: the arrow size, the pressed
// button part and whether the control is pressed.
class TdxBarSpinEditDrawParams : public TdxBarEditLikeControlDrawParams, public IdxBarSpinEditDrawValues {
  CL_CLASS(TdxBarSpinEditDrawParams, TdxBarEditLikeControlDrawParams)
public:
  using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
  int ArrowWidth = 0;
  int ArrowHeight = 0;
  int PressedPart = -1;
  bool IsPressed = false;

  // What the painter reads of them.
  int SpinPressedPart() const override { return PressedPart; }
};

// The spin button parts of a spin edit control.
constexpr int dxBarSpinUpPart = 3;
constexpr int dxBarSpinDownPart = 4;
// The timers of the auto-repeat: the first delay, then the repetition.
constexpr UINT_PTR dxBarSpinFirstRepeatTimer = 1;
constexpr UINT_PTR dxBarSpinRepeatTimer = 2;
constexpr UINT dxBarSpinRepeatInterval = 100;

class TdxBarSpinEditControl : public TdxBarEditControl {
  CL_CLASS(TdxBarSpinEditControl, TdxBarEditControl)
public:
  using TdxBarEditControl::TdxBarEditControl;
  void BeforeDestruction() override;

  TdxBarSpinEdit* SpinEdit() const;
  int PressedPart() const { return FPressedPart; }
  // -1 without repainting for a read-only item; otherwise a change repaints.
  void SetPressedPart(int part);
  TdxBarSpinEditButton GetPressedButton() const;
  bool IsButtonPressed() const { return FPressedPart == dxBarSpinUpPart || FPressedPart == dxBarSpinDownPart; }
  // The id of the running repeat timer; 0 when none runs.
  UINT_PTR RepeatTimerId() const { return FRepeatTimerId; }
  // Releases the capture, unpresses and ends the repetition.
  void StopRepeat();

  int GetPartCount() const override { return TdxBarEditControl::GetPartCount() + 2; }
  TdxBarItemControlDrawParamsClass GetDrawParamsClass() const override
  {
    return ClassRef<TdxBarSpinEditDrawParams>();
  }
  void CalcDrawParams(bool full = true) override;
  void CalcParts() override;
  void AdjustTextArea(RECT& rect) override;
  // The two spin buttons on their background, then the edit's value.
  void DrawEditValue() override;
  void StopTracking(HWND focused) override;
  // Presses, capture, the auto-repeat timers and the wheel.
  void HostedWindowProc(TMessage& msg) override;

private:
  void StartTimer(UINT_PTR id, UINT interval);
  void KillRepeatTimer();
  int FPressedPart = -1;
  int FMouseDownPart = -1;
  UINT_PTR FRepeatTimerId = 0;
};
