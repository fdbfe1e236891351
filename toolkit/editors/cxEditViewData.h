#pragma once
// Edit view data (unit cxEdit): the layout calculator of an editor. From the editor's properties,
// style and state it fills a view info (cxEditViewInfo.h): the border and its colour, the buttons
// with their rectangles and states, the client area, the colours, and the size an editor needs for
// a value. A view data is short-lived: an editor, a host (a grid cell, a bar item) or a size
// calculation makes one from a properties object (CreateViewData), uses it for one calculation and
// frees it. A host paints without an editor: Edit is then nullptr.
//
// Bounds may be open: 2147483647 as the right or bottom edge means no limit.
#include <climits>
#include <cstdint>
#include "classlib/ClassRef.h"
#include "classlib/Controls.h"
#include "classlib/Events.h"
#include "classlib/Persistent.h"
#include "classlib/Variant.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/editors/cxEditProperties.h"
#include "toolkit/editors/cxEditStyles.h"

class TcxCustomEdit;
class TcxCustomEditViewInfo;
class TcxEditButtonViewInfo;
class TcxControlScrollBar;
class IcxCustomInnerEdit;

// An open edge of the bounds a size is calculated for.
constexpr int cxEditOpenBound = INT_MAX;
// The theme parts the view data measures and the view info draws with: the edit's text part and the
// push button.
constexpr int cxEditThemeTextPart = 1;
constexpr int cxButtonThemePushPart = 1;
// The capability of a kind of editor that measures its content as it is edited.
constexpr TcxEditCapabilities cxEditCapabilityEditContentSize = 0x800;

// The state of one editor button.
enum class TcxEditButtonState { ebsDisabled, ebsNormal, ebsPressed, ebsHot };
using enum TcxEditButtonState;
// The painters' state of a button in that state; also the theme state of a themed button.
TcxButtonState EditButtonStateToButtonState(TcxEditButtonState State);

// The limits of a size calculation: a height or width of -1 is no limit; the line count is the most
// lines a text may take (0: the kind's own choice).
struct TcxEditSizeProperties {
  int Height = -1;
  int MaxLineCount = 0;
  int Width = -1;
};

// The room around an editor's content: a rectangle the descendants may set, the offsets on the four
// sides, the flags (bit 0 asks for a paint option, bit 1 lets pressed buttons shift their content),
// the width the offsets leave to the content beyond 3 pixels, and the height themed in-place
// editors lose. ExtraFlags carries nothing here; descendants may use it.
struct TcxEditContentOffsetBlock {
  RECT Rect{};
  RECT Offsets{};  // left, top, right, bottom
  uint8_t Flags = 0;
  int HorzCorrection = 0;
  int InplaceThemedHeightCorrection = 0;
  uint8_t ExtraFlags = 0;
};
// The flag bit that lets a pressed button move its content by a pixel.
constexpr uint8_t cxEditContentOffsetsPressedShift = 2;

using TcxEditGetDefaultButtonWidthEvent = TEvent<void(TObject* Sender, int ButtonIndex, int& Width)>;
using TcxEditGetDisplayTextEvent = TEvent<void(TObject* Sender, std::string& Text)>;


class TcxCustomEditViewData : public TPersistent {
  CL_CLASS(TcxCustomEditViewData, TPersistent)
public:
  // Made with the properties, the style and whether the editor is in place.
  struct TMeta : TMetaClassOf<TcxCustomEditViewData, TcxCustomEditProperties*, TcxCustomEditStyle*, bool> {
    // Whether edits under the look-and-feel are drawn through the visual-styles theme.
    virtual bool UsesNativeEditStyle(TcxLookAndFeel* LookAndFeel) const;
  };

  // --- Fields ---
  bool IsInplace;
  // Indexes into the view info's buttons of the outermost and innermost button of each group; -1
  // when the group is empty.
  int LeftOuterButton = -1;
  int LeftInnerButton = -1;
  int RightOuterButton = -1;
  int RightInnerButton = -1;
  // Asked for the width of a button whose Width is 0.
  TcxEditGetDefaultButtonWidthEvent OnGetDefaultButtonWidth;
  // May change a value's display text.
  TcxEditGetDisplayTextEvent OnGetDisplayText;
  TcxCustomEdit* Edit = nullptr;  // none when a host paints
  TcxCustomEditProperties* Properties;
  RECT Bounds{};
  // The buttons share the whole width (buttons-only view).
  bool ButtonsFillEditor = false;
  int VisibleButtonCount = 0;
  TcxContainerState CalculatedState{TcxContainerStateFlag::csNormal};
  // Border widths used in place (zero unless a descendant sets them).
  RECT InplaceBorderExtent{};
  TcxEditContentOffsetBlock ContentOffsetBlock;
  bool Enabled = true;
  bool Focused = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  TcxControlScrollBar* HorizontalScrollBar = nullptr;  // shown painted scroll bars of the editor
  TcxControlScrollBar* VerticalScrollBar = nullptr;
  IcxCustomInnerEdit* InnerEdit = nullptr;
  bool IsDesigning = false;
  // The properties do not format the display text when unfocused.
  bool PlainUnfocusedText = false;
  bool NativeStyle = false;
  int PaintFlags = 0;
  bool ValueHidden = false;
  bool FocusedOrHot = false;
  HWND WindowHandle = nullptr;
  // Colours the descendants may use.
  TColor ExtraColor1 = clDefault;
  TColor ExtraColor2 = clDefault;

  // Neither may be nullptr (EInvalidOperation).
  TcxCustomEditViewData(TcxCustomEditProperties* Properties, TcxCustomEditStyle* Style, bool IsInplace);
  // ResetCalculatedRects, then InitializeFromProperties.
  void AfterConstruction() override;

  // --- Virtual operations ---
  // The theme part and state of a button record.
  virtual void CalculateButtonNativeState(TcxEditButtonViewInfo* Button);
  virtual int GetPaintOptions();
  // Whether a click may press the button.
  virtual bool IsButtonEnabled(int Index) { (void)Index; return true; }
  // The state for a mouse point (client coordinates) and the held keys and buttons.
  virtual TcxContainerState GetContainerState(POINT P, TShiftState Shift);
  virtual void GetContentOffsets(RECT& Offsets);
  // The theme state of the edit: disabled 4, hot 2, focused 5, read-only 6, else 1.
  virtual int GetEditState();
  virtual void InitializeFromProperties();
  virtual void CalculateContentOffsets(TcxEditContentOffsetBlock& Block);
  virtual void ResetCalculatedRects();
  virtual void GetValueDisplayText(const Variant& Value, std::string& Text);
  // The non-client size of the calculated view info, and the height the buttons' content needs
  // beyond it.
  virtual void CalculateEditorSize(TcxCanvas* Canvas, bool IsInplace, SIZE& Size, TcxCustomEditViewInfo* ViewInfo,
                                   SIZE& Extra, const TcxEditSizeProperties& Limits);
  virtual void CalculateTextSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                 const TcxEditSizeProperties& Limits);
  virtual bool IsButtonDown(int Index) { (void)Index; return false; }
  // The main calculation. Shift keeps only the mouse buttons and the double click; PointerPressed
  // marks a mouse press; P is the mouse point ((-1, -1) for none). KeepPressedButton carries the
  // pressed button of the previous calculation into this one.
  virtual void CalculateViewInfo(TcxCanvas* Canvas, const RECT& Bounds, bool KeepPressedButton,
                                 TcxCustomEditViewInfo* ViewInfo, TShiftState Shift, bool PointerPressed, POINT P);
  // Places one button record in the area, which shrinks by the button's visible width.
  virtual void CalculateButtonBounds(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Area, int Index);
  // Decides the shown buttons, places them and computes their states.
  virtual void CalculateButtons(TcxCanvas* Canvas, const RECT& Bounds, bool KeepPressedButton,
                                TcxCustomEditViewInfo* ViewInfo, TShiftState Shift, bool PointerPressed, POINT P);
  // Copies a button's settings into its record, then CalculateButtonBounds.
  virtual void CalculateButtonInfo(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Area, int Index);
  // The state of each button record from the mouse; PreviousPressed is the pressed record of the
  // previous calculation that is kept (-1 for none).
  virtual void CalculateButtonsState(TcxCustomEditViewInfo* ViewInfo, TShiftState Shift, bool PointerPressed, POINT P,
                                     int PreviousPressed);
  // Shares the width left over among the buttons of the buttons-only view.
  virtual void StretchButtons(TcxCustomEditViewInfo* ViewInfo, int FullWidth, int RemainingWidth);
  virtual void ApplyValueToViewInfo(TcxCanvas* Canvas, const Variant& Value, TcxCustomEditViewInfo* ViewInfo)
  {
    (void)Canvas;
    (void)Value;
    (void)ViewInfo;
  }
  virtual TColor CalculateBorderColor();
  virtual void CalculateBorderExtent(RECT& Extent);
  // Width on each side listed in the style's Edges, 0 on the others.
  virtual void ApplyEdgesToBorderExtent(int Width, RECT& Extent);
  virtual void GetPainterBorderExtent(RECT& Extent);
  // None in place; else the style's border style with ultra-flat and Office 2003 taken as single.
  virtual TcxEditBorderStyle GetEffectiveBorderStyle();
  virtual void GetNativeBorderExtent(TcxCanvas* Canvas, RECT& Extent);
  virtual void GetClientExtent(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Extent);
  // The editor's size through a view info (a temporary one for open bounds when none is given).
  virtual void CalculateSizeWithViewInfo(TcxCanvas* Canvas, const TcxEditSizeProperties& Limits, SIZE& Size,
                                         SIZE& Extra, TcxCustomEditViewInfo* ViewInfo);
  virtual void GetContentSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size, const TcxEditSizeProperties& Limits);
  virtual void GetEditContentSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                                  const TcxEditSizeProperties& Limits)
  {
    GetContentSize(Canvas, Value, Size, Limits);
  }
  // The room the content offsets take: horizontally and vertically.
  virtual void GetExtraHeight(SIZE& Extra);
  virtual bool HasShadow();
  // Excluded buttons are left out of stretching and of the per-button state pass.
  virtual bool IsButtonExcluded(int Index) { (void)Index; return false; }

  // --- Non-virtual ---
  // GetValueDisplayText, then OnGetDisplayText.
  void GetDisplayTextAndFormat(const Variant& Value, std::string& Text);
  TcxCustomEditStyle* GetEditStyle() const { return FStyle; }
  void SetEditStyle(TcxCustomEditStyle* Value) { FStyle = Value; }
  TcxCustomEditStyle* Style() const { return FStyle; }
  // The style's button style, or the default one for btsDefault.
  TcxEditButtonStyle EffectiveButtonStyle();
  // The size an editor needs for the value: the non-client size plus the content size, within the
  // limits; a stand-alone editor's constraints apply last.
  void CalculateEditSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size, bool AllowEditContent,
                         TcxCustomEditViewInfo* ViewInfo, const TcxEditSizeProperties& Limits);
  // UsesNativeEditStyle of this view data's class.
  bool ClassUsesNativeEditStyle(TcxLookAndFeel* LookAndFeel) const;

protected:
  // The look-and-feel of the style, and its skin painter (none without a skin).
  TcxLookAndFeel* StyleLookAndFeel() const;
  TcxCustomLookAndFeelPainter* SkinPainter() const;
  // The normal style of the style's set.
  TcxCustomEditStyle* BaseStyle() const;

private:
  // CalculatedState, FocusedOrHot and the style for it, and the view info's border style.
  void CalculateState(TcxCustomEditViewInfo* ViewInfo, TShiftState Shift, POINT P);
  // The background and text colours of the view info.
  void CalculateColors(TcxCustomEditViewInfo* ViewInfo);
  TcxEditPopupBorderStyle CalculatePopupBorderStyle(TcxCustomEditViewInfo* ViewInfo);
  // The state of one record before the view info's handler sees it.
  TcxEditButtonState CalculateButtonState(TcxCustomEditViewInfo* ViewInfo, int Index, TShiftState Shift,
                                          bool PointerPressed, POINT P, int PreviousPressed);
  void MarkButtonGroupEnds(TcxCustomEditViewInfo* ViewInfo);

  TcxCustomEditStyle* FStyle;
};

// The button style used for btsDefault: in place, or without border and hot tracking, by the
// look-and-feel kind; otherwise by the border style.
TcxEditButtonStyle DefaultEditButtonStyle(bool IsInplace, TcxEditBorderStyle BorderStyle, bool HotTrack,
                                          TcxLookAndFeelKind Kind);
// The drop-down window border an editor of that look-and-feel kind uses.
TcxEditPopupBorderStyle PopupBorderStyleOfKind(TcxLookAndFeelKind Kind);
