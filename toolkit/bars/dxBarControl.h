#pragma once
// The window base of every toolbar, menu and quick-customization popup of the bar system. A bar
// control shows one links collection: each showable link gets an item control made from the
// control class its item's class registered; links of classes the registry does not pair get none,
// and the bar shows the others. It lays the links out, keeps the selected link, the chain of active
// bar controls (a stack: each activation remembers the control active before it, and
// SetActiveState is the only writer of the unit's active bar control), the chain of controls
// opened from each other (toolbar, menu, sub-menu), and closes whole chains with a reason: 1 a
// click elsewhere, the focus lost, Alt or F10; 2 a click on an item; 3 the keyboard.
//
// Bar controls never take the focus and never activate their window: mouse activation answers
// "no activate", mouse messages outside the active chain are dropped. Every operation that calls
// out (to item controls, events or the manager) checks afterwards whether the control still lives
// (IsBarControlAlive or a weak reference) and stops when it does not.
//
// Painting: the painter is the control's own, else its owner bar control's, its dock's, else the
// manager's. Item controls draw through DrawItems, each clipped to its view info and then excluded
// from the clip, so the background painted afterwards leaves them alone.
#include <functional>
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Sets.h"
#include "toolkit/bars/dxBarControlViewInfo.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/controls/cxControlsMouseTracking.h"
#include "toolkit/controls/cxHint.h"

class TcxCanvas;
class TcxScreenCanvas;
class TdxBar;
class TdxBarManager;
class TdxDockControl;
class TdxBarShadow;

// Close reasons passed along a chain of bar controls.
enum class TdxBarCloseReason : uint8_t { None, ClickElsewhere, ItemClick, Keyboard };

// Mark states of a toolbar's mark.
constexpr int dxBarMarkNone = 0, dxBarMarkHot = 1, dxBarMarkDropped = 2;
// Layout recalculation reasons of RecalcItems.
constexpr int dxBarRecalcAll = 0, dxBarRecalcFrom = 1, dxBarRecalcControls = 2;
// Window message that makes a bar control repaint itself (posted to repaint later).
constexpr UINT DXM_BAR_REPAINT = 0x80C8;
// Navigation flags (GetNavigationFlags): the base answers 19.
constexpr int dxBarNavigationDefault = 19;
constexpr int dxBarNavigationStretchClient = 0x10;
constexpr int dxBarNavigationSelectFromMenuMode = 64;
constexpr int dxBarNavigationNotOwning = 256;

class TCustomdxBarControl : public TCustomControl,
                            public IdxOwnerInterfaceSource,
                            public IdxBarHintContext,
                            public IdxBarHintSource,
                            public IcxMouseTrackingCaller,
                            public IcxMouseTrackingAreaTest {
  CL_CLASS(TCustomdxBarControl, TCustomControl)
public:
  // The owner is always the bar manager.
  explicit TCustomdxBarControl(TdxBarManager* owner);
  // CreateObjects, the live list, no mouse capture of its own, double clicks by style, hidden at
  // (100, 100, 50, 30).
  void AfterConstruction() override;
  // The child control goes, the owner forgets this child.
  void BeforeDestruction() override;
  ~TCustomdxBarControl() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  // Stores the links and makes them point back to this control (the old links forget it).
  virtual void SetItemLinks(TdxBarItemLinks* value);
  TCustomdxBarControlViewInfo* ViewInfo() const { return FViewInfo.get(); }
  // The component is being destroyed or destruction began.
  bool Destroying() const { return IsDestroying() || FBeforeDestruction; }

  // --- State ---
  TdxBarItemLink* SelectedLink() const { return FSelectedLink; }
  // The selected link's control.
  TdxBarItemControl* GetSelectedItemControl() const;
  TdxBarItemLink* MouseLink() const { return FMouseLink; }
  TdxBarItemControl* PressedItemControl() const { return FPressedItemControl; }
  void SetPressedItemControl(TdxBarItemControl* control) { FPressedItemControl = control; }
  TCustomdxBarControl* ChildControl() const { return FChildControl; }
  TCustomdxBarControl* OwnerBarControl() const { return FOwnerBarControl; }
  TdxBarShadow* Shadow() const { return FShadow.get(); }
  TCustomdxBarControl* PreviousActiveControl() const { return FPrevActiveControl; }
  bool Active() const { return FActive; }
  bool MenuMode() const { return FMenuMode; }
  void SetMenuMode(bool value) { FMenuMode = value; }
  const RECT& OwnerRect() const { return FOwnerRect; }
  void SetOwnerRect(const RECT& rect, HWND wnd) { FOwnerRect = rect; FOwnerWindow = wnd; }
  TdxDockControl* DockControl() const { return FDockControl; }
  void SetRealDockControl(TdxDockControl* value) { FDockControl = value; }
  TdxBarDockingStyle DockingStyle() const { return FDockingStyle; }
  virtual void SetDockingStyle(TdxBarDockingStyle value);
  TdxBarPainter* OwnPainter() const { return FOwnPainter; }
  void SetOwnPainter(TdxBarPainter* painter) { FOwnPainter = painter; }
  POINT RememberedMousePos() const { return FMousePos; }
  bool MouseInside() const { return FMouseInside; }
  TdxBarCloseReason CloseReason() const { return FCloseReason; }
  bool Closing() const { return FClosing; }
  bool SkipNextButton() const { return FSkipNextButton; }
  void SetSkipNextButton(bool value) { FSkipNextButton = value; }
  int TextHeight() const { return FTextHeight; }
  int EditHeight() const { return FEditHeight; }
  int Spacing() const { return FSpacing; }
  int DropDownButtonWidth() const { return FDropDownButtonWidth; }
  int GlyphAreaSize() const { return FGlyphAreaSize; }
  double ScaleFactor() const { return FScaleFactor; }
  int MarkSize() const { return FMarkSize; }
  void SetMarkSize(int value) { FMarkSize = value; }
  const RECT& ItemsArea() const { return FItemsArea; }
  const RECT& LayoutCursor() const { return FLayoutCursor; }
  const TNotifyEvent& OnClose() const { return FOnClose; }
  void SetOnClose(const TNotifyEvent& value) { FOnClose = value; }
  bool ItemDragPending() const { return FItemDragPending; }
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // --- Virtual operations with their base behaviour ---
  virtual void WindowPosChanged(const WINDOWPOS& pos);
  virtual void RememberMousePos(TShiftState shift, POINT client);
  virtual bool AllowsMouseWheel() const { return false; }
  virtual void OwnerWindowMouseDown(HWND wnd, UINT msg) { (void)wnd; (void)msg; }
  virtual bool GetSubMenuBounds(RECT& bounds) const { (void)bounds; return false; }
  virtual void CalcLayout() { CalcItemsArea(); }
  // The link under a client point while customizing, with whether the drop goes before it.
  virtual TdxBarItemLink* HitTestDropPosition(POINT p, bool& before, bool& onSeparator);
  virtual void CalcMetrics();
  virtual void CalcItemsArea();
  virtual RECT CalcItemRect(TdxBarItemLink* link);
  virtual void CalcLinesFrom(int visibleIndex);
  virtual void CreateItemControls() {}
  virtual void RecalcItems(int reason, int index = 0);
  virtual void CalcViewInfo();
  virtual void AdjustHintPosition(POINT& p, int hintHeight);
  virtual void SelectByKeyboard(int navigationFlags);
  virtual bool KeepsMouseTracking() const { return false; }
  virtual void CreateControls();
  virtual void DestroyControls();
  virtual void AfterShow() {}
  virtual void KeyPressed(int key);
  virtual void MouseUpInControl(POINT p);
  virtual bool CanShowHint() override;
  virtual bool IsLastItemStretched() const { return false; }
  virtual bool AllowsItemSelection() const { return true; }
  virtual bool CanDrawItemControl(TdxBarItemControl* control) const;
  virtual bool IsDesigning() const;
  virtual bool ClosesOnDeactivate(HWND activated) const;
  virtual bool IsItemRectVisible(const RECT& rect) const { (void)rect; return false; }
  virtual bool IsInActiveChain() const;
  virtual bool CanSelectOnMouseMove() const { return true; }
  virtual bool IsInactive() const { return !FActive; }
  virtual bool IsOwnerKeyNavigation(bool flag) const;
  virtual bool IsUpdateLocked() const;
  virtual bool JoinsMenusToItems() const;
  virtual void AdjustTopForScroll() {}
  virtual void AdjustBottomForScroll() {}
  virtual void StartItemDrag(POINT p, bool wasSelected);
  virtual void SelectItemControl(TdxBarItemControl* control);
  virtual void ClearSelection();
  virtual void HandleMouseEntry(TShiftState shift, POINT p);
  virtual void MouseDownOnItem(TMouseButton button, TShiftState shift, bool inClient, TdxBarItemControl* control,
                               POINT p);
  virtual void MouseLeft();
  virtual void MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control);
  virtual void MouseUpOnItem(TMouseButton button, TShiftState shift, bool inClient, TdxBarItemControl* control,
                             POINT p);
  virtual void CreateItemControlsOfLinks();
  virtual void FireOnClose();
  virtual void FreeItemControlsOfLinks();
  virtual void RestoreFocus();
  virtual void HideAll();
  virtual void DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const RECT& rect);
  virtual void ActiveChanged(bool full);
  virtual void SetActiveState(bool value);
  virtual void DrawItems();
  virtual void SimulateMouseMove() {}
  // During a customizing drag, the pointer at the client point: a menu opens the sub-item under it
  // or refuses the drop (accept) while it scrolls.
  virtual void SimulateMouseMove(int x, int y, bool& accept)
  {
    (void)x;
    (void)y;
    (void)accept;
  }
  virtual TdxBarItemLink* FindLinkByAccel(int key, TShiftState shift, TdxBarItemLink* start);
  // FindLinkByAccel; nullptr for a disabled item; unique tells whether a second search from the
  // found link gives another link.
  virtual TdxBarItemLink* FindEnabledLinkByAccel(int key, TShiftState shift, TdxBarItemLink* start, bool& unique);
  virtual void ClickItemControl(TdxBarItemControl* control);
  virtual TClassRef<TObject> GetAccessibilityHelperClass() const { return nullptr; }
  // Keyboard access: the bar control's own accessibility helper, made on first use.
  IdxBarAccessibilityHelper* GetAccessibilityHelper();
  virtual TOwned<TdxBarAccessibilityHelper> CreateAccessibilityHelper();
  virtual TBitmap* GetBackgroundBitmap() const = 0;
  virtual int GetBeginGroupSize() const = 0;
  virtual int GetNavigationFlags() const;
  virtual int GetItemLineHeight(TdxBarItemControl* control) const;
  virtual int GetExtraIndent() const { return 0; }
  virtual TFont* GetFont() const;
  virtual TdxFader* GetFader() const;
  virtual RECT GetItemControlRect(TdxBarItemControl* control) const;
  virtual std::string GetCaptionText() const { return {}; }
  virtual bool IsCustomizing() const;
  virtual bool UsesFading() const { return false; }
  virtual bool IsMainMenu() const = 0;
  virtual bool IsShadowVisible() const;
  virtual bool IsStatusBar() const = 0;
  virtual TCustomForm* GetParentForm() const;
  virtual TdxBarItemViewLevel GetDefaultItemViewLevel() const { return ivlDefault; }
  virtual int GetBeginGroupOffset(TdxBarItemLink* link) const;
  virtual RECT GetItemDrawRect(TdxBarItemControl* control) const { return GetItemControlRect(control); }
  virtual HRGN CreateItemRegion(TdxBarItemControl* control) const;
  virtual RECT GetItemsMargins() const { return RECT{}; }
  virtual int GetMarkState() const { return FMarkState; }
  virtual int GetMarkSize() const { return HasMark() ? FMarkSize : 0; }
  virtual TCustomdxBarControl* GetNextToolbar(bool forward) const;
  virtual int GetMinItemHeight() const;
  virtual HWND GetOwnerControl() const;
  virtual TdxBarPainter* GetPainter() const;
  virtual int GetOrientationFlags() const { return IsRotated() ? 2 : 0; }
  virtual TdxBar* GetBar() const { return nullptr; }
  virtual HBRUSH GetBackgroundBrush() const;
  virtual HBRUSH GetSelectedBrush() const;
  virtual HBRUSH GetMenuBrush() const;
  virtual HBRUSH GetHighlightBrush() const;
  virtual TCustomdxBarControlViewInfoClass GetViewInfoClass() const = 0;
  virtual void ScrollItemIntoView(TdxBarItemControl* control) { (void)control; }
  virtual int GetEndIndent() const;
  virtual int GetGlyphAreaSize() const;
  virtual int GetTextHeight() const;
  virtual RECT GetTrackingBounds() const { return BoundsRect(); }
  virtual bool AllowsItemFading() const { return true; }
  virtual bool HasBorderLine() const;
  virtual void CloseByKeyboard() { CloseUp(TdxBarCloseReason::Keyboard); }
  virtual bool IsPopup() const { return false; }
  virtual bool ClosesOnKeyboardInput() const { return false; }
  virtual bool IsChildControl(const TCustomdxBarControl* control) const;
  virtual bool OwnsWindow(HWND wnd) const;
  virtual bool ShowsItemControl(const TdxBarItemControl* control) const;
  virtual bool TouchesOwner() const;
  virtual bool IsOwnerWindow(HWND wnd) const { (void)wnd; return false; }
  virtual bool ActsAsMenu() const { return false; }
  virtual bool IsVerticalLayout() const { return IsVertical(); }
  virtual bool IsEnabledWindow() const;
  virtual void ItemControlActivated(TdxBarItemControl* control) { (void)control; }
  virtual bool HasMark() const { return false; }
  virtual RECT GetMarkRect() const { return RECT{}; }
  virtual void SetMarkState(int value) = 0;
  virtual bool IsQuickAccess() const { return false; }
  virtual bool IsMouseAway(bool positionTest) const;
  virtual void RepaintItemControl(TdxBarItemControl* control);
  virtual void UpdateFont() = 0;
  virtual void UpdateAlphaBlend() {}
  virtual void SelectForCustomizing(TdxBarItemControl* control, TMouseButton button, TShiftState shift);
  // The item-control half of SelectForCustomizing.
  void SelectItemControlForCustomizing(TdxBarItemControl* control, TMouseButton button);
  virtual void SelectAndClick(TdxBarItemControl* control, bool uniqueAccelerator);
  virtual void ChangeSelection(TdxBarItemControl* control);
  virtual void HotTrackItemControl(TdxBarItemControl* control);
  virtual void StoreSelectedItemControl(TdxBarItemControl* control);
  virtual void InvalidateItemControl(TdxBarItemControl* control) = 0;
  virtual void ItemControlClosed() {}
  virtual void MouseInsideChanged(bool oldValue) { (void)oldValue; }
  virtual void SubMenuClosing() {}
  virtual void ClickSelectedItem(TdxBarItemControl* control);
  virtual bool HasNonClientFrame() const { return true; }
  virtual void FillBackground(HDC dc, const RECT& rect) = 0;
  virtual void FillNonClientBackground(HDC dc, HRGN region);
  virtual bool IsInternalPopup() const { return false; }
  virtual bool UsesBackgroundBitmap() const;
  virtual bool HasCustomBackground() const;
  virtual POINT GetBackgroundOffset() const { return POINT{}; }
  virtual void DrawNonClient(HDC dc) { (void)dc; }
  virtual void ClearBuffer();
  virtual void UpdateDoubleBuffered();
  virtual void DismissControl() = 0;
  virtual void CloseUp(TdxBarCloseReason reason);
  virtual bool PaintsHostedEdits() const { return false; }
  virtual bool IsVertical() const { return false; }
  virtual bool IsRotated() const { return false; }
  virtual TdxBarKind GetBarControlKind() const = 0;
  virtual bool GetHintText(std::string& hint, std::string& shortCut);
  virtual void Repaint() { RepaintBar(true); }

  // --- Operations used by other parts of the bar system ---
  // With a window the control's own canvas (a screen canvas left from before goes), without one a
  // screen canvas made on demand; the font follows each switch.
  TcxCanvas* GetCanvas();
  // The control's font, turned 90 degrees clockwise when the control is rotated.
  void UpdateCanvasFont();
  // The item control under a client point; nullptr while customizing outside the designer.
  TdxBarItemControl* ItemControlAtPoint(POINT client) const;
  // The item control under the mouse cursor.
  TdxBarItemControl* GetItemControlAtCursor() const;
  // Keyboard selection of an item control.
  void SelectItem(TdxBarItemControl* control) { ChangeSelection(control); }
  void SetActive(bool value);
  bool IsKeyboardActive() const;
  void LeaveKeyboardMode();
  void SetChildControl(TCustomdxBarControl* control);
  void SetOwnerBarControl(TCustomdxBarControl* control);
  void RecreateItemControls();
  void RepaintBar(bool full);
  // Gives the shadow the owner item's rect (when the control is joined to it) and the control's.
  void UpdateShadow();
  RECT GetOwnerEdgeRect(bool screen) const;
  void ExpandContainerItems() {}
  void CollapseContainerItems() {}
  void SelectNextToolbar(bool forward);
  void ShowNoActivate();
  void UpdateDoubleClickStyle();
  void SetMoveCursor(bool moving);
  void SetMouseInside(bool value);
  void NotifyItemMouseDown(TdxBarItemLink* link, POINT p, TShiftState shift, TMouseButton button);
  void NotifyItemMouseMove(TdxBarItemLink* link, POINT p, TShiftState shift);
  void NotifyItemMouseUp(TdxBarItemLink* link, POINT p, TShiftState shift, TMouseButton button);
  // The keys of a key-down: arrows, Tab, Home, End, F10, Alt and accelerators.
  void HandleKeyDown(WORD& key, TShiftState shift);
  void DoubleClickOnItem(TdxBarItemControl* control);
  void MouseTrackingLeft();
  void BeforeDestroyItemControls();
  void InvalidateRectOfItem(TdxBarItemControl* control);

  // --- IdxOwnerInterfaceSource ---
  TComponent* GetOwnerInterfaceSource() override;
  // --- IdxBarHintContext ---
  TCustomdxBarControl* GetBarControl() override { return this; }
  bool UsesBarHintWindow() override;
  // --- IdxBarHintSource ---
  bool GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut) override;
  // The painter's hint view info without a screen tip (dxBarHintSources.cpp).
  TOwned<TdxBarCustomHintViewInfo> ShowScreenTip(POINT at, const std::string& hint,
                                                 const std::string& shortCut) override;
  void ShowHintAt(POINT& at) override { (void)at; }
  // The hint view info for an object of this bar control: the painter's, with the screen tip.
  TOwned<TdxBarCustomHintViewInfo> CreateHintInfo(const std::string& hint, const std::string& shortCut,
                                                  TdxScreenTip* screenTip);
  // --- IcxMouseTrackingCaller ---
  void MouseLeave() override { MouseTrackingLeft(); }
  // --- IcxMouseTrackingAreaTest ---
  bool PointInTrackedArea(POINT client) override;

  // Keyboard navigation: the selected item control takes the key when it is enabled and the key is
  // one it expands with (a drop-down's Down); answers whether it took it.
  bool PassAccelToSelected(WORD key) { return PassKeyToSelectedControl(key); }
  // An arrow key as a vertical bar reads it: Left and Up exchanged, Right and Down exchanged.
  static constexpr WORD TurnedArrowKey(WORD key)
  {
    switch (key) {
      case VK_LEFT: return VK_UP;
      case VK_UP: return VK_LEFT;
      case VK_RIGHT: return VK_DOWN;
      case VK_DOWN: return VK_RIGHT;
      default: return key;
    }
  }

protected:
  void CreateWindowHandle(const TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void WndProc(TMessage& msg) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;
  // A control that acts as a menu lets its painter shape the window after a resize.
  void Resize() override;
  // Recorded by toolbars: the last double-click message, turned back into its button-down.
  UINT FLastDoubleClickMessage = 0;

  // --- Menus: the layout cursor's ends move for scroll buttons ---
  void MoveLayoutTop(int dy) { FLayoutCursor.top += dy; }
  void MoveLayoutBottom(int dy) { FLayoutCursor.bottom += dy; }
  void SetCloseReason(TdxBarCloseReason reason) { FCloseReason = reason; }
public:
  // The brush an item is being painted with (none outside item painting).
  HBRUSH CurrentBackgroundBrush() const { return FCurrentBackgroundBrush; }
protected:

private:
  // Keyboard access.
  TOwned<TdxBarAccessibilityHelper> FAccessibilityHelper;
  // The drop shadow round the window (and the owner item it is joined to).
  TOwned<TdxBarShadow> FShadow;

  friend class TdxBarItemControl;
  void CreateObjects();
  void DestroyObjects();
  bool PassKeyToSelectedControl(WORD key);
  bool MoveSelection(TdxBarItemControl* control, bool byMouse);
  TCustomdxBarControl* GetRootToolbar() const;

  void WMDestroy(TMessage& msg);
  void WMClose(TMessage& msg);
  void WMPaint(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMSetCursor(TMessage& msg);
  void WMMouseActivate(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);
  void WMNCPaint(TMessage& msg);
  void WMKeyDown(TMessage& msg);
  void WMMouseMove(TMessage& msg);
  void WMLButtonDown(TMessage& msg);
  void WMLButtonUp(TMessage& msg);
  void WMCaptureChanged(TMessage& msg);
  void WMPrint(TMessage& msg);
  void WMPrintClient(TMessage& msg);
  void DXMRepaint(TMessage& msg);

  enum class TState : uint8_t {
    sCreatingControls, sDestroyingControls, sClosing, sRepainting, sPaintingItem, sBeforeDestruction,
    sDestroyed, sUpdatingCanvasFont
  };
  TSet<TState> FState;

  TdxBarManager* FBarManager;
  TdxBarItemLinks* FItemLinks = nullptr;
  TdxBarItemLink* FSelectedLink = nullptr;
  TdxBarItemLink* FMouseLink = nullptr;
  TdxBarItemControl* FPressedItemControl = nullptr;
  TCustomdxBarControl* FChildControl = nullptr;
  TCustomdxBarControl* FOwnerBarControl = nullptr;
  TCustomdxBarControl* FPrevActiveControl = nullptr;
  bool FActive = false;
  bool FMenuMode = false;
  RECT FOwnerRect{};
  HWND FOwnerWindow = nullptr;
  TdxDockControl* FDockControl = nullptr;
  TdxBarDockingStyle FDockingStyle = TdxBarDockingStyle::dsNone;
  TdxBarPainter* FOwnPainter = nullptr;
  POINT FMousePos{-1, -1};
  bool FMouseInside = false;
  TdxBarCloseReason FCloseReason = TdxBarCloseReason::None;
  bool FClosing = false;
  bool FBeforeDestruction = false;
  int FUpdateCount = 0;
  int FTextHeight = 0;
  int FEditHeight = 0;
  int FMarkSize = 0;
  int FMarkState = dxBarMarkNone;
  int FSpacing = 4;
  int FDropDownButtonWidth = 0;
  int FGlyphAreaSize = 0;
  double FScaleFactor = 1.0;
  RECT FItemsArea{};
  RECT FLayoutCursor{};
  TOwned<TcxCanvas> FCanvas;
  TOwned<TcxScreenCanvas> FScreenCanvas;
  TcxCanvas* FCurrentCanvas = nullptr;
  TOwned<TBitmap> FItemBitmap;
  HBRUSH FCurrentBackgroundBrush = nullptr;
  TOwned<TCustomdxBarControlViewInfo> FViewInfo;
  TNotifyEvent FOnClose;
  bool FItemDragPending = false;
  POINT FItemDragPoint{};
  bool FSkipNextButton = false;
};

// The root of the chain a control was opened from, when that root is a toolbar; nullptr when it
// is a menu.
TCustomdxBarControl* GetRootToolbarControl(TCustomdxBarControl* control);
// Posts a mouse move at the cursor to the bar control under the mouse (only to control when given),
// so that its hot-tracked item follows the cursor.
void RefreshHotTrackUnderCursor(TCustomdxBarControl* control);
// Walks the bars of start's manager from start, forwards or backwards, continuing through the bars
// of the other managers in the global list; the bar control of the first bar met whose control
// exists, has an enabled and visible window and a selectable link. nullptr when the walk comes
// back to start.
TCustomdxBarControl* FindNextToolbarControl(TdxBar* start, bool forward);
