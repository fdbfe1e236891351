#pragma once
// The item controls of command buttons: the button-like base (everything that looks like a button
// and can open something: drop-down buttons, sub-items), the button control and the large button
// control.
//
// Delayed activation: in a menu, a button-like control with a drop-down part that the mouse
// reaches is opened 400 ms later, and an open one that the mouse leaves is closed 400 ms later.
// One control of the process waits for each; a new request replaces the old one, and a control
// that goes away cancels its own. On toolbars (while the bar shows its pressed mark or is
// customized) and while the manager customizes, both happen at once.
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"

class TdxBarButton;
enum class TdxBarPaintStyle : uint8_t;

class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
  CL_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  int DropDownPartWidth = 0;
  int ArrowSize = 0;
  TdxBarButtonGroupPosition ButtonGroupPosition = bgpNone;
  // Widths and heights of buttons include them; zero unless a painter fills them.
  RECT ContentMargins{};
  bool Down = false;
  bool IsPressed = false;
  bool PressedLook = false;
  bool DroppedDown = false;
  bool DropDownEnabled = false;
  bool OpenInFlatLook = false;
  bool AutoGrayScale = false;
  bool PainterTextColors = false;
  bool Lowered = false;
  bool OnMainMenu = false;
  bool HotTextColor = false;
  bool IsButton = false;
  // The drop-down shown as the button's own arrow rather than as a part of its own, and an arrow
  // the control hides.
  bool OwnDropDownArrow = false;
  bool ArrowHidden = false;
};

class TdxBarButtonLikeControl : public TdxBarItemControl {
  CL_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  // Cancels the control's pending activation and deactivation, closes what it opened.
  void BeforeDestruction() override;

  // Set by the bar control when it clicks or hot-tracks the control; a sub-item hands it on.
  bool AnimateNextOpen() const { return FAnimateNextOpen; }
  void SetAnimateNextOpen(bool value) { FAnimateNextOpen = value; }

  // --- TdxBarItemControl ---
  bool CanFade() override;
  bool IsButtonLike() const override { return true; }
  void ControlActivated(bool immediately, bool byMouse) override;
  void ControlDeactivated(bool immediately) override;
  void ClickedOnToolbar() override;
  bool IsExpandKey(int key) const override;
  void KeyDown(int key, TShiftState shift) override;
  TdxBarItemControlDrawParamsClass GetDrawParamsClass() const override
  {
    return ClassRef<TdxBarButtonLikeControlDrawParams>();
  }
  void CalcDrawParams(bool full = true) override;
  void Draw(const RECT& rect, int flags) override;
  TdxBarButtonLikeControlDrawParams* ButtonDrawParams() const
  {
    return static_cast<TdxBarButtonLikeControlDrawParams*>(DrawParams());
  }

  // --- Introduced ---
  // In a sub-menu the sub-menu's; elsewhere the painter's large-button height unit.
  virtual int GetDropDownPartWidth();
  // Enabled, or the manager is designing.
  virtual bool IsActivatable() const;
  // Sets the bar control's pressed mark.
  virtual void MarkBarPressed();
  // The bar control this control opened; none in the base.
  virtual TCustomdxBarControl* GetOpenedBarControl() const { return nullptr; }
  virtual bool UsesPainterTextColors() const;
  virtual bool UsesHotTextColor() const;
  // Cancels the pending timers; with closeOpened the opened bar control is dismissed; repaints.
  virtual void CloseUp(bool closeOpened);
  // Opens what the control drops down.
  virtual void DropDown(bool byMouse) = 0;

  // The control on a toolbar window (not in a menu or quick-customization popup).
  bool IsOnToolbar() const;
  // The control's pending activation and deactivation are dropped.
  void CancelTimers();

private:
  bool FAnimateNextOpen = false;
};

class TdxBarButtonControl : public TdxBarButtonLikeControl {
  CL_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;

  // The item as a button; nullptr for another kind.
  TdxBarButton* Button() const;
  bool DroppedDown() const { return FDroppedDown; }
  // Highlighted, the bar active and the left button held over the main part; or pressed for a
  // click of a style that is not checked.
  bool IsPressed() const;

  // --- TdxBarItemControl ---
  void PaintStyleChanged() override { RepaintBar(); }
  void BeforeClick(bool byMouse, bool byKey) override;
  void ClickItem(bool byMouse) override;
  void ClickedOnToolbar() override;
  bool IsHighlighted() const override;
  uint8_t GetViewLevelFlags() const override;
  uint8_t GetDefaultViewLevelFlags() const override;
  int GetPartCount() const override;
  void CalcDrawParams(bool full = true) override;
  void CalcParts() override;
  TCustomdxBarControl* GetSubMenuControl() const override { return GetOpenedBarControl(); }
  int CalcItemHeight() override;
  int CalcItemWidth() override;
  int CalcSmallItemHeight() override;
  bool ClosesMenusOnClick() const override;
  bool HasDropDownPart() const override;
  bool IsToolbarButton() const override;
  bool IsPressedOrOpen() const override;

  // --- TdxBarButtonLikeControl ---
  void MarkBarPressed() override;
  TCustomdxBarControl* GetOpenedBarControl() const override;
  bool UsesPainterTextColors() const override;
  bool UsesHotTextColor() const override;
  void CloseUp(bool closeOpened) override;
  void DropDown(bool byMouse) override;

  // --- Introduced ---
  // The link's paint style; on a toolbar psStandard as AdjustPaintStyle turns it.
  virtual TdxBarPaintStyle GetRealPaintStyle() const;
  // psStandard becomes psCaption when there is no glyph for the current view size.
  virtual TdxBarPaintStyle AdjustPaintStyle(TdxBarPaintStyle style) const;

private:
  bool FDroppedDown = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
  CL_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
public:
  using TdxBarButtonControl::TdxBarButtonControl;

  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  TdxBarItemViewLevels GetPossibleViewLevels() const override;
  uint8_t GetDefaultViewLevelFlags() const override;
  TdxBarItemViewSize GetViewSize() const override;
  bool UsesAutoGrayScale() const override;
  // At the large size: the hot source and the large source, hot first when asked for the hot look.
  bool GetGlyphSource(TdxBarItemViewSize size, bool forDrawing, int& imageIndex, TCustomImageList*& images,
                      TBitmap*& glyph) const override;
  int CalcToolbarItemHeight() override;
  int CalcToolbarItemWidth() override;
  bool IsRotated() const override;
  int GetDropDownPartWidth() override;
  TdxBarPaintStyle AdjustPaintStyle(TdxBarPaintStyle style) const override;
};

// The delayed activation's waiting controls and their timers (for tests: a timer's tick runs at once
// through FireThreadTimer).
TdxBarButtonLikeControl* GetPendingActivationControl();
UINT_PTR GetPendingActivationTimer();
TdxBarButtonLikeControl* GetPendingDeactivationControl();
UINT_PTR GetPendingDeactivationTimer();
// The delay of both, in milliseconds.
constexpr UINT dxBarButtonActivationDelay = 400;
