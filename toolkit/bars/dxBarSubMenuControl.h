#pragma once
// The window of every drop-down menu, sub-menu and popup menu: a parentless topmost popup that
// shows its links one under another, with the painter's frame, group lines and scroll buttons when
// the links do not fit on the screen. It never takes the activation or the focus: keys reach it from
// the bar system's hooks as WM_KEYDOWN. It opens at Left/Top beside or below the item that opened
// it (owner width or height) or at a point, flipped or shifted at the work area's edges, and cut to
// the work area's height (then it scrolls). Closing destroys the window and frees the control.
#include <functional>
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"

class TdxBarSubMenuControl;

// What a menu window asks of the component whose links it shows (a popup menu, a sub-item): the
// width of its side bar and its painting.
class IdxBarSubMenuOwner {
public:
  virtual int GetSubMenuBarSize() = 0;
  virtual void PaintSubMenuBar(TcxCanvas* canvas, const RECT& rect) = 0;

protected:
  ~IdxBarSubMenuOwner() = default;
};

// The menu's picture: the controls from the first visible link down to the last one that fits, and
// a horizontal group line above each of them (but the first shown) that begins a group.
class TdxBarSubMenuControlViewInfo : public TCustomdxBarControlViewInfo {
  CL_CLASS(TdxBarSubMenuControlViewInfo, TCustomdxBarControlViewInfo)
public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  void Calculate() override;
};

// Scroll timer of a menu window.
constexpr UINT_PTR dxBarSubMenuScrollTimer = 1;

class TdxBarSubMenuControl : public TCustomdxBarControl {
  CL_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
public:
  // Menu windows are made for a manager, also through their class (popup menus' menu class).
  struct TMeta : TMetaClassOf<TdxBarSubMenuControl, TdxBarManager*> {};
  explicit TdxBarSubMenuControl(TdxBarManager* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // Shows the menu at Left/Top: the popup notice, the animation kind, the window made, sized and
  // placed, then shown without activation.
  void StartPopup();

  // --- Placement data set by the opener before StartPopup ---
  int OwnerWidth() const { return FOwnerWidth; }
  void SetOwnerWidth(int value) { FOwnerWidth = value; }
  int OwnerHeight() const { return FOwnerHeight; }
  void SetOwnerHeight(int value) { FOwnerHeight = value; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value) { FMinWidth = value; }
  HWND ExplicitParentWindow() const { return FExplicitParentWindow; }
  void SetExplicitParentWindow(HWND value) { FExplicitParentWindow = value; }
  // The opener asks for the unfold or slide animation (a sub-item opened by a click or hot tracking).
  void SetThreadAnimationRequested(bool value) { FThreadAnimation = value; }
  bool ThreadAnimation() const { return FThreadAnimation; }
  // Told as the menu opens and as it closes (with the close reason).
  std::function<void(TdxBarSubMenuControl*)> OnPopupNotice;
  std::function<void(TdxBarSubMenuControl*, TdxBarCloseReason)> OnCloseUpNotice;

  // --- State ---
  TdxBarMenuAnimations AnimationKind() const { return FAnimationKind; }
  int FirstVisibleIndex() const { return FFirstVisibleIndex; }
  bool FlippedHorizontally() const { return FFlippedHorizontally; }
  bool FlippedVertically() const { return FFlippedVertically; }
  UINT_PTR ScrollTimer() const { return FScrollTimer; }
  // The first visible link is not the first link.
  bool IsScrolledDown() const { return FFirstVisibleIndex > 0; }
  // Links below the last one shown.
  bool HasItemsBelow() const;
  // The menu can be torn off (its detach caption is shown).
  bool IsDetachable() const;
  bool DetachCaptionHot() const { return FDetachHot; }
  // Half the font's height, made odd.
  int GetDetachCaptionHeight();
  int GetGlyphBandWidth() const;
  // The menu's text height unit (scroll buttons, stripes and arrows are sized by it) and the width
  // of its sub-menu arrows, from the painter's metrics.
  int MenuTextUnit() const { return FMenuTextUnit; }
  int SubMenuArrowWidth() const { return FSubMenuArrowWidth; }
  // The side-bar width of the links' owner; 0 without one.
  int GetSideBarSize() const;
  // The first and last item controls the view info shows; nullptr when none.
  TdxBarItemControl* FirstShownItemControl() const;
  TdxBarItemControl* LastShownItemControl() const;
  // The whole size the window wants (items, margins, frame).
  SIZE CalcSize();
  // One scroll step: the first visible index moves by delta (never below 0).
  void ScrollBy(int delta);

  // --- Operations of its own, open to descendants ---
  virtual void DrawBandEdges(HDC dc, const RECT& rect);
  virtual bool GetRepositionPoint(POINT& p) const;
  virtual bool AcceptsRightClicks() const;
  virtual SIZE CalcItemsSize();
  virtual bool ClipsWidthToWorkArea() const { return false; }
  virtual bool SelectsFirstItemOnOpen() const { return true; }
  virtual UINT GetScrollInterval() const;
  virtual SIZE GetMinSize();
  virtual void ShowAnimated();
  virtual void PaintItems();
  virtual void FillBackgroundPart(TcxCanvas* canvas, const RECT& rect);
  virtual RECT GetBorderMargins(bool withCaption);
  virtual void DoCloseUp();
  virtual void DoPopup();

  // --- TCustomdxBarControl ---
  void CalcLayout() override;
  void CalcMetrics() override;
  void CalcItemsArea() override;
  void CreateItemControls() override;
  // The cursor's line with the link's own height, below its group line.
  RECT CalcItemRect(TdxBarItemLink* link) override;
  void KeyPressed(int key) override;
  bool CanShowHint() override { return true; }
  bool IsDesigning() const override;
  bool IsItemRectVisible(const RECT& rect) const override;
  bool IsInactive() const override;
  bool JoinsMenusToItems() const override { return false; }
  void AdjustTopForScroll() override;
  void AdjustBottomForScroll() override;
  void MouseLeft() override;
  void MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control) override;
  void RestoreFocus() override;
  void HideAll() override;
  void DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const RECT& rect) override;
  void ActiveChanged(bool full) override;
  void DrawItems() override;
  void SimulateMouseMove() override;
  TBitmap* GetBackgroundBitmap() const override;
  int GetBeginGroupSize() const override;
  int GetNavigationFlags() const override;
  TFont* GetFont() const override;
  std::string GetCaptionText() const override;
  bool IsCustomizing() const override;
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  bool IsShadowVisible() const override;
  int GetBeginGroupOffset(TdxBarItemLink* link) const override;
  RECT GetItemDrawRect(TdxBarItemControl* control) const override;
  RECT GetItemsMargins() const override;
  int GetOrientationFlags() const override { return 1; }
  TdxBar* GetBar() const override;
  TCustomdxBarControlViewInfoClass GetViewInfoClass() const override
  {
    return ClassRef<TdxBarSubMenuControlViewInfo>();
  }
  void ScrollItemIntoView(TdxBarItemControl* control) override;
  int GetEndIndent() const override;
  int GetTextHeight() const override;
  RECT GetTrackingBounds() const override;
  bool IsPopup() const override { return true; }
  bool IsOwnerWindow(HWND wnd) const override;
  bool ActsAsMenu() const override { return true; }
  bool IsVerticalLayout() const override { return true; }
  void SetMarkState(int) override {}
  void UpdateFont() override;
  void StoreSelectedItemControl(TdxBarItemControl* control) override;
  void InvalidateItemControl(TdxBarItemControl* control) override;
  void FillBackground(HDC dc, const RECT& rect) override;
  bool IsInternalPopup() const override;
  bool HasCustomBackground() const override;
  void DrawNonClient(HDC dc) override;
  void DismissControl() override;
  TdxBarKind GetBarControlKind() const override { return TdxBarKind::bkSubMenu; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void Paint() override;

private:
  // Sizes and places the window from Left/Top (the invalid point computes the size).
  void Place();
  bool ScrollButtonShown(bool bottom) const;
  // The link begins a group and is neither the first visible one nor the one under a top scroll
  // button.
  bool ShowsGroupLineAbove(TdxBarItemLink* link) const;
  void StopScrolling();
  void WMGetDlgCode(TMessage& msg);
  void WMKeyDown(TMessage& msg);
  void WMRButton(TMessage& msg);
  void WMNCCalcSize(TMessage& msg);
  void WMNCHitTest(TMessage& msg);
  void WMTimer(TMessage& msg);
  void CMFontChanged(TMessage& msg);

  bool FDetachHot = false;
  bool FReshowing = false;
  bool FDestroyingWnd = false;
  bool FThreadAnimation = false;
  bool FPlacing = false;
  bool FFlippedHorizontally = false;
  bool FFlippedVertically = false;
  UINT_PTR FScrollTimer = 0;
  TdxBarMenuAnimations FAnimationKind = maNone;
  int FFirstVisibleIndex = 0;
  POINT FRememberedPos{};
  int FOwnerWidth = 0;
  int FOwnerHeight = 0;
  HWND FExplicitParentWindow = nullptr;
  POINT FLastScrollMousePos{-1, -1};
  int FMinWidth = 0;
  int FMenuTextUnit = 0;
  int FSubMenuArrowWidth = 0;
};
