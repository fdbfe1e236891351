#pragma once
// The accessibility helpers of the bar objects: a bar window's helper (whose children are its item
// controls' helpers), a toolbar's, and an item control's. Each is made by its owner on first use and
// freed with it. They answer the tree, bounds and visibility questions of keyboard navigation and
// turn navigation keys into moves among a bar's items; the only state they report is invisible.
#include "toolkit/bars/dxBarAccessibility.h"

class TCustomdxBarControl;
class TdxDockControl;
class TdxBarControl;
class TdxBarItemControl;
class TdxBarCaptionButton;
class TdxBarCaptionButtons;

// A dock: its children are the toolbars of its rows, row by row and column by column; it has no parent.
class TdxDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TdxDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TdxDockControlAccessibilityHelper(TdxDockControl* owner);

  TcxAccessibilityHelper* ChildAt(int index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* child) override;
  HWND GetOwnerWindow() override;
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  TdxBarManager* GetOwningManager() override;

private:
  TdxDockControl* FDockControl;
};

class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TCustomdxBarControlAccessibilityHelper(TCustomdxBarControl* owner);
  TCustomdxBarControl* GetBarControl() const { return FBarControl; }

  TcxAccessibilityHelper* ChildAt(int index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* child) override;
  HWND GetOwnerWindow() override;
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  bool AllowsChildNavigation(WORD key) override;
  TdxBarManager* GetOwningManager() override;
  // With Ctrl, the next toolbar of the managers (backward with Shift); else the item beyond the
  // child at index along the bar.
  IdxBarAccessibilityHelper* FindSelectableFrom(int index, TShiftState shift) override;

  // No bar window of this system has an associated object: raises EdxException.
  virtual TObject* GetAssociatedObject();
  // The centre of the item's screen rectangle, centred both ways.
  virtual void GetItemKeyTipPosition(TdxBarItemControl* control, POINT& anchor, TdxBarKeyTipVertAlign& vertAlign,
                                     TAlignment& horzAlign);
  // The nearest item of this bar in the direction from the item, without wrapping.
  virtual IdxBarAccessibilityHelper* FindNeighbourItem(TdxBarItemControl* control,
                                                      TcxAccessibilityNavigationDirection direction);
  virtual bool HidesChildren() { return false; }
  // The bar drops its selection.
  virtual void ActivateBar();

private:
  TCustomdxBarControl* FBarControl;
};

class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  CL_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
public:
  explicit TdxBarControlAccessibilityHelper(TdxBarControl* owner);
  TdxBarControl* GetToolbar() const;

  IdxBarAccessibilityHelper* GetNavigationRoot() override { return this; }
  // The helper of the dock the toolbar is docked in; none while floating.
  TcxAccessibilityHelper* GetParentHelper() override;
  // Selecting the toolbar makes it the active bar control with no item selected.
  void SelectObject(bool byTab) override;
  // The controller's selection is cleared and the toolbar closes.
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;
  // Along the toolbar (left and right, or up and down on a vertical one) the previous or next
  // selectable link; across it the geometric search.
  IdxBarAccessibilityHelper* FindNeighbourItem(TdxBarItemControl* control,
                                              TcxAccessibilityNavigationDirection direction) override;
  // The item controls, then the caption buttons' helper when the toolbar has caption buttons.
  TcxAccessibilityHelper* ChildAt(int index) override;
  int CountChildren() override;
  // Arrows are turned on a vertical toolbar; the key then goes to the selected item control when it
  // takes it (a drop-down button's Down opens it).
  bool ProcessNavigationKey(WORD& key) override;
  // No toolbar of this system places caption-button key tips: raises EdxException.
  virtual int GetCaptionButtonKeyTipPosition(TdxBarKeyTipVertAlign& vertAlign);
};

class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TdxBarItemControlAccessibilityHelper(TdxBarItemControl* owner);
  TdxBarItemControl* GetItemControl() const { return FItemControl; }

  TcxAccessibilityHelper* GetParentHelper() override;
  HWND GetOwnerWindow() override;
  bool AsSelectable() override;
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  TdxBarManager* GetOwningManager() override;
  IdxBarAccessibilityHelper* FindObjectInDirection(TcxAccessibilityNavigationDirection direction) override;
  bool ProcessNavigationKey(WORD& key) override;
  // The bar selects the control; a windowed control reached by Tab, or on a bar whose navigation
  // flags lack 0x02, starts editing.
  void SelectObject(bool byTab) override;
  // Unless the next object is an item of the same bar, the bar drops its selection.
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;
  std::string GetAssignedKeyTip() override;
  std::string GetDefaultKeyTip() override;
  void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
  // Whether running the key tip opens a popup (a menu or a drop-down): no.
  virtual bool OpensPopup() { return false; }

protected:
  TCustomdxBarControlAccessibilityHelper* GetOwnerBarHelper() const;

private:
  TdxBarItemControl* FItemControl;
};

// A button-like control: its key tip clicks it, or, when it drops something down, opens that and
// shows the key tips of what opened.
class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  CL_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  bool OpensPopup() override { return HasDropDown(); }
  // With a drop-down: selects the control as if by Tab and, when the drop-down opened, shows the key
  // tips of the active bar control (the opened menu) in place of these. Without: ClickByKeyTip.
  void ExecuteKeyTip(TObject* sender) override;
  // Leaves keyboard mode, then clicks the control with the item's UnclickAfterDoing off for the click.
  virtual void ClickByKeyTip();
  virtual bool HasDropDown() { return false; }
  // Opens the drop-down; answers whether it is open. Nothing opens in this class.
  virtual bool OpenDropDown() { return false; }
};

// A button: a drop-down button (styles bsDropDown and bsCheckedDropDown) opens its menu from the keyboard.
class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  CL_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override;
  // The control marks its bar pressed and activates itself without a mouse; answers whether it is
  // pressed or open.
  bool OpenDropDown() override;
};

// A windowed item control (an edit): reaching it by its key tip leaves keyboard mode and selects it
// as if by Tab, which starts editing.
class TdxBarWinControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  CL_CLASS(TdxBarWinControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void ExecuteKeyTip(TObject* sender) override;
};

// A toolbar's caption buttons: a child of the toolbar's helper; its children are the buttons from
// the last to the first.
class TdxBarCaptionButtonsAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TdxBarCaptionButtonsAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TdxBarCaptionButtonsAccessibilityHelper(TdxBarCaptionButtons* owner);
  TdxBarCaptionButtons* GetCaptionButtons() const { return FCaptionButtons; }
  // The toolbar showing the buttons; nullptr while the bar has none.
  TdxBarControl* GetToolbar() const;

  TcxAccessibilityHelper* ChildAt(int index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* child) override;
  TcxAccessibilityHelper* GetParentHelper() override;
  HWND GetOwnerWindow() override;
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  TdxBarManager* GetOwningManager() override;
  // The buttons' hot states follow the cursor again.
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;
  // The buttons' hot states at the cursor; then the selected button, if any, shows hot.
  void UpdateButtonStates(TdxBarCaptionButton* selected);

private:
  TdxBarCaptionButtons* FCaptionButtons;
};

// One caption button: selectable while shown; Enter and Space click it, Escape closes the toolbar.
class TdxBarCaptionButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TdxBarCaptionButtonAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TdxBarCaptionButtonAccessibilityHelper(TdxBarCaptionButton* owner);
  TdxBarCaptionButton* GetCaptionButton() const { return FCaptionButton; }

  TcxAccessibilityHelper* GetParentHelper() override;
  HWND GetOwnerWindow() override;
  bool AsSelectable() override { return IsVisible(); }
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  TdxBarManager* GetOwningManager() override;
  bool ProcessNavigationKey(WORD& key) override;
  bool AcceptsNavigationKey(WORD key) override;
  void SelectObject(bool byTab) override;
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;
  std::string GetAssignedKeyTip() override;
  std::string GetDefaultKeyTip() override { return "Y"; }
  // Centred on the button; where the toolbar places key-tip windows, its vertical place is the
  // toolbar's to give.
  void FillKeyTipInfo(TdxBarKeyTipInfo& info) override;
  // Leaves keyboard mode, then clicks the button.
  void ExecuteKeyTip(TObject* sender) override;

private:
  TdxBarCaptionButtonsAccessibilityHelper* GetButtonsHelper() const;

  TdxBarCaptionButton* FCaptionButton;
};

// A toolbar's mark: selectable while the toolbar shows it; Enter and Space open it.
class TdxBarControlMarkAccessibilityHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TdxBarControlMarkAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  explicit TdxBarControlMarkAccessibilityHelper(TdxBarControl* owner);
  TdxBarControl* GetToolbar() const { return FToolbar; }

  TcxAccessibilityHelper* GetParentHelper() override;
  HWND GetOwnerWindow() override;
  bool AsSelectable() override { return IsVisible(); }
  DWORD GetStateFlags(int ID) override;
  RECT GetBoundsOnScreen(int ID) override;
  TdxBarManager* GetOwningManager() override;
  // Enter and Space unselect the mark and open it.
  bool ProcessNavigationKey(WORD& key) override;
  bool AcceptsNavigationKey(WORD key) override;
  void SelectObject(bool byTab) override;
  void UnselectObject(IdxBarAccessibilityHelper* nextObject) override;

private:
  TdxBarControl* FToolbar;
};
