#pragma once
// The window of one toolbar: TdxBarDockedControl shows a bar and keeps the internal-change count of
// docking changes; TdxBarControl is the toolbar itself, a child of its dock when docked and a popup
// owned by the manager's owner control when floating, with its non-client frame from the bar
// painter, the hit codes of its frame, caption and close button, and the press loop of the floating
// close button.
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItem.h"

class TdxBarDockedControl : public TCustomdxBarControl {
  CL_CLASS(TdxBarDockedControl, TCustomdxBarControl)
public:
  using TCustomdxBarControl::TCustomdxBarControl;

  virtual void SetBar(TdxBar* bar) { FBar = bar; }
  TdxBar* GetBarOfControl() const { return FBar; }
  TdxBar* GetBar() const override { return FBar; }
  // While above 0 the window is being re-created by a docking change.
  void BeginInternalChange() { ++FInternalChangeCount; }
  void EndInternalChange()
  {
    if (FInternalChangeCount > 0) --FInternalChangeCount;
  }
  bool InternalChanging() const { return FInternalChangeCount > 0; }

  // The caption button under a window point; -1 none.
  // The bar's caption buttons (dxBarCaptionButtons.cpp).
  virtual int GetCaptionButtonAt(POINT windowPoint) const;
  virtual bool HasCaptionButtons() const;
  virtual void CaptionButtonsChanged() {}
  virtual void ClickCaptionButton(int index);
  virtual void TrackCaptionButtons(POINT windowPoint, bool pressed);
  // Gives each caption button its rectangle (window coordinates); empty where none is shown.
  virtual void UpdateCaptionButtonRects() const;
  // No popup window hosts the control.
  virtual bool IsOutsidePopupWindow() const;

private:
  TdxBar* FBar = nullptr;
  int FInternalChangeCount = 0;
};

// Hit codes of a toolbar: what the last WM_NCHITTEST found for the bar itself.
constexpr int dxBarHitNone = 0;
constexpr int dxBarHitClient = 1;
constexpr int dxBarHitDrag = 2;
constexpr int dxBarHitCloseButton = 20;
// The size grip of a status-bar-like bar (bottom-right sizing).
constexpr int dxBarHitSizeGrip = HTBOTTOMRIGHT;
// The caption-button index of the floating close button.
constexpr int dxBarCloseButtonIndex = -2;

class TdxBarControl : public TdxBarDockedControl, public IdxDockedBarSizes {
  CL_CLASS(TdxBarControl, TdxBarDockedControl)
public:
  using TdxBarDockedControl::TdxBarDockedControl;
  // A docked toolbar leaves its dock's rows.
  void BeforeDestruction() override;

  // Creates the window when needed and shows it without activation (a parentless control is not
  // shown by Visible alone).
  void ShowToolbar();
  int HitCode() const { return FHitCode; }
  // 0 normal, 1 hot, 2 pressed.
  int CloseButtonState() const { return FCloseButtonState; }
  bool IsFloating() const { return DockingStyle() == TdxBarDockingStyle::dsNone; }
  virtual bool HasCaption() const { return true; }
  // Floating and the bar may be closed.
  virtual bool HasCloseButton() const;
  virtual bool HasGrip() const;
  virtual bool IsMultiLine() const;
  virtual bool CanHideFirstItem() const { return false; }
  // The close button in window coordinates; empty without one.
  RECT GetCloseButtonRect() const;
  // Caption buttons (dxBarCaptionButtons.cpp). The button-sized square centred in the slot-th
  // caption-height cell from the right end of the floating caption (slot 0 is the close button's
  // place); the caption buttons take the slots left of the close button while they fit after the
  // caption's first half, and are drawn there.
  RECT GetCaptionSlotRect(int slot) const;
  void UpdateCaptionButtonRects() const override;
  void DrawCaptionButtons(HDC dc);
  // The border sizes the painter gives for the current docking style.
  RECT GetBorderSizes() const;
  virtual std::string GetBarCaption() const;
  virtual void UpdateCaption();
  // The window is enabled and visible.
  virtual bool CanMoveBar() const;
  virtual bool RestoresHotTrackOnDeselect() const { return true; }
  virtual void DrawBeginGroup(HDC dc, const RECT& rect, bool horizontal);
  virtual void DrawBorder(HDC dc);
  virtual void PaintBar();
  virtual void PaintBackground();
  // The size grip square in client coordinates: in the right border, its bottom at the client
  // bottom; empty without a size grip.
  RECT GetSizeGripRect() const;
  bool SizeGripShown() const { return FSizeGripShown; }
  // The manager replaced its painter: metrics again; docked, a fresh appearance; floating, the bar
  // hides and shows again.
  void UpdateAfterStyleChange();
  // Set while Windows destroys the window (its dock or form went).
  bool WindowDestroying() const { return FWindowDestroying; }
  // The window that had the focus when the toolbar was activated from the keyboard.
  HWND FocusedWindow() const { return FFocusedWindow; }

  // --- TCustomdxBarControl ---
  TBitmap* GetBackgroundBitmap() const override;
  int GetBeginGroupSize() const override;
  bool IsMainMenu() const override;
  bool IsStatusBar() const override;
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override
  {
    return ClassRef<TdxBarControlViewInfo>();
  }
  void SetMarkState(int) override {}
  void UpdateFont() override;
  void InvalidateItemControl(TdxBarItemControl* control) override;
  void FillBackground(HDC dc, const RECT& rect) override;
  void DismissControl() override;
  TdxBarKind GetBarControlKind() const override { return TdxBarKind::bkBarControl; }
  bool IsVertical() const override;
  bool IsRotated() const override;
  TFont* GetFont() const override;
  void DrawNonClient(HDC dc) override;
  bool HasNonClientFrame() const override;
  void UpdateAlphaBlend() override;
  void ClickCaptionButton(int index) override;
  void TrackCaptionButtons(POINT windowPoint, bool pressed) override;
  int GetCaptionButtonAt(POINT windowPoint) const override;
  void SelectItemControl(TdxBarItemControl* control) override;
  void ClearSelection() override;
  void SetActiveState(bool value) override;
  void ClickItemControl(TdxBarItemControl* control) override;
  void MouseDownOnItem(TMouseButton button, TShiftState shift, bool inClient, TdxBarItemControl* control,
                       POINT p) override;
  void MouseLeft() override;
  void MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control) override;
  void HideAll() override;
  void ActiveChanged(bool full) override;
  void AfterShow() override;
  void KeyPressed(int key) override;
  bool AllowsItemSelection() const override;
  bool IsDesigning() const override;
  bool CanSelectOnMouseMove() const override;
  bool IsUpdateLocked() const override;
  void CalcMetrics() override;
  TCustomForm* GetParentForm() const override;
  HBRUSH GetBackgroundBrush() const override;
  RECT GetTrackingBounds() const override;
  bool UsesBackgroundBitmap() const override;
  bool HasCustomBackground() const override;
  POINT GetBackgroundOffset() const override;
  void Repaint() override;

  // Keyboard access to the toolbar's mark: its helper, made on first use, and the repaint of the
  // mark when the keyboard selects it (dxBarAccessibilityHelpers.cpp).
  IdxBarAccessibilityHelper* GetMarkAccessibilityHelper();
  void InvalidateMark();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  // A left press outside the client area (the caption and its close button answer the hit test
  // as client) goes to the non-client press handling.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  // The bar; hatched while another manager customizes.
  void Paint() override;

private:
  void SetCloseButtonState(int value);
  // Runs the press loop of a caption button; answers whether the click counts.
  bool TrackCaptionButtonPress(int index);
  void WMNCCalcSize(TMessage& msg);
  void WMNCHitTest(TMessage& msg);
  void WMNCLButtonDown(TMessage& msg);
  void WMGetMinMaxInfo(TMessage& msg);
  void WMGetDlgCode(TMessage& msg);
  void WMSize(TMessage& msg);
  void CMEnabledChanged(TMessage& msg);
  void CMFontChanged(TMessage& msg);
  void WMDestroy(TMessage& msg);
  void WMSetCursor(TMessage& msg);
  void WMMouseActivate(TMessage& msg);
  // The docked hit test: items and buttons keep the default answer, the size grip sizes, the rest
  // drags the bar.
  void DockedHitTest(TMessage& msg, bool clickable, POINT client);

  int FHitCode = dxBarHitNone;
  int FCloseButtonState = 0;
  bool FSizeGripShown = false;
  bool FWindowDestroying = false;
  HWND FFocusedWindow = nullptr;
  TWeakRef<TCustomdxBarControl> FPrevKeyboardActiveControl;

  // --- Layout: lines, wrapping, alignment and sizes per docking style ---
public:
  // The client area less the margins, then the line layout (rotated when the bar is rotated).
  void CalcLayout() override;
  // The line layout: the visible links' item controls placed in one line or in several.
  void CreateItemControls() override;
  TdxBarItemLink* HitTestDropPosition(POINT p, bool& before, bool& onSeparator) override;
  // The item rect widened across to the link's row height.
  RECT GetItemControlRect(TdxBarItemControl* control) const override;
  // The item's rect joined with its group separator.
  HRGN CreateItemRegion(TdxBarItemControl* control) const override;
  using TdxBarDockedControl::IsLastItemStretched;
  // The bar uses the rest space of its row and the link is the last showable one.
  bool IsLastItemStretched(const TdxBarItemLink* link) const;
  // The alignment the layout gives the control's item.
  TdxBarItemAlign GetItemAlign(TdxBarItemControl* control) const;
  // Items were cut off by the last line layout.
  bool Truncated() const { return FTruncated; }
  // The buttons of a maximized MDI child (or the main menu's close button); none until the MDI
  // support shows them.
  virtual SIZE GetMdiAreaSize() const { return SIZE{}; }
  // The sizes a bar asks for in a docking style (IdxDockedBarSizes, read by its dock).
  int CalcWidth(TdxBarDockingStyle style) override;
  int CalcHeight(TdxBarDockingStyle style) override;
  int CalcMinWidth(TdxBarDockingStyle style) override;
  int CalcMinHeight(TdxBarDockingStyle style) override;
  // The client size for a given width or height.
  SIZE CalcSizeForPoint(TdxBarDockingStyle style, int width) override;
  SIZE CalcSizeForHeight(TdxBarDockingStyle style, int height, bool exact) override;
  // The outer size of the bar in a docking style.
  SIZE CalcSizeForDockingStyle(TdxBarDockingStyle style);
  // Where the mouse holds the bar when it is shown in a docking style.
  POINT GetGrabOffsetForDockingStyle(TdxBarDockingStyle style) override;
  // Where the mouse held the window when a move started, and the window's size then.
  void SetGrabPoint(POINT grabPoint, SIZE windowSize)
  {
    FGrabPoint = grabPoint;
    FGrabWindowSize = windowSize;
  }
  // The length along (for a vertical style, the height) and thickness of the visible links in one
  // line that fits the limit; the first link always counts. allFit says whether every link fit.
  SIZE FitItems(TdxBarDockingStyle style, int limit, bool& allFit);
  // The border sizes the painter gives for a docking style.
  RECT GetBorderSizesFor(TdxBarDockingStyle style) const;

private:
  bool IsMultiLineFor(TdxBarDockingStyle style) const;
  // The control's width and height as the bar would show it in the style.
  SIZE ItemSizeFor(TdxBarItemControl* control, TdxBarDockingStyle style) const;
  SIZE EmptyBarItemSize();
  SIZE WidestItemSize(TdxBarDockingStyle style);
  SIZE FirstItemSize(TdxBarDockingStyle style);
  // Sets the begins-a-line marks for a length along; the client size it gives.
  SIZE WrapItemsForLength(TdxBarDockingStyle style, int length);
  SIZE CalcSingleLineSize(TdxBarDockingStyle style, int length);
  SIZE CalcSizeAcross(TdxBarDockingStyle style, int extent, bool exact);
  // CalcWidth and CalcHeight, CalcMinWidth and CalcMinHeight: one rule each, for widths or heights.
  int CalcExtent(TdxBarDockingStyle style, bool heights);
  int CalcMinExtent(TdxBarDockingStyle style, bool heights);
  void ShowAllLinksOnce();

  bool FTruncated = false;
  POINT FGrabPoint{};
  SIZE FGrabWindowSize{};

  // --- Moving between docks and floating (dxBarToolbarMoving.cpp) ---
public:
  // While moving the toolbar holds two windows, a docked child window and a floating popup, and
  // switches between them with ChangeDock; the end of the move destroys the one not in use and
  // stores the position in the bar.
  bool Moving() const { return FMoving; }
  void SetMoving(bool value);
  HWND DockedWindow() const { return FDockedWnd; }
  HWND FloatingWindow() const { return FFloatingWnd; }
  // Shows the toolbar in another docking style and dock (nullptr: the style's edge dock).
  void ChangeDock(TdxBarDockingStyle style, TdxDockControl* dockControl);
  void HideWindow();
  // The window's place into the bar: the docked style, dock and place, or the float bounds.
  void StoreBarPosition();
  // The grip in client coordinates: everything before the client area along a docked bar; empty
  // for floating bars and bars without border.
  RECT GetGripRect() const;
  // A double click on the grip or caption: a docked bar floats; a floating one docks where it was
  // docked last (or at the top, in a new row, when it never was).
  void ToggleDocking();
  // A press on the grip or caption: the drag of the bars collection (a double click toggles).
  void StartMove(bool doubleClick);

private:
  // Makes the window of the other state (style and dock) and holds it; the current one stays.
  HWND MakeOtherWindow(TdxBarDockingStyle style, TdxDockControl* dockControl);
  bool FMoving = false;
  HWND FDockedWnd = nullptr;
  HWND FFloatingWnd = nullptr;
  bool FStoringPosition = false;

  // Keyboard access.
  TOwned<TdxBarAccessibilityHelper> FMarkAccessibilityHelper;
};
