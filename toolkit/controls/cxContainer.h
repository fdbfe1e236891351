#pragma once
// TcxContainer: the custom-drawn control that hosts one inner windowed control (an edit box, list
// box, memo, list view ...) and draws the frame around it: border, shadow, background, hot-tracking
// and focus appearance, all from its four state styles (cxContainerStyle.h) through a view info
// (cxContainerViewInfo.h). It is the base of every editor and of the list view.
//
// The container places the inner control inside the border, passes keys and the focus to it,
// clips it with a window region to the client area, mirrors its system scroll bars onto the
// painted scroll bars of the control base, gives it the style's colour and font, and repaints
// itself whenever state, style, font, colour or size changes. The subclass creates the inner
// control and makes it known through SetInnerControl; the inner control implements
// IcxContainerInnerControl.
#include "classlib/Controls.h"
#include "toolkit/controls/cxContainerStyleController.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsControl.h"
#include "toolkit/controls/cxControlsMouseTracking.h"

class TcxContainer;
class TcxControlScrollBar;

// The container synchronises its painted scroll bars with its inner control (posted to itself).
constexpr UINT DXM_SYNCSCROLLBARS = WM_DX + 28;  // 0x8080
// A container (or its inner control) on glass repaints through buffered painting.
constexpr UINT DXM_BUFFEREDPAINTONGLASS = WM_DX + 29;  // 0x8081

// What every inner control of a container offers.
class IcxContainerInnerControl {
public:
  virtual TWinControl* GetControl() = 0;
  virtual TcxContainer* GetControlContainer() = 0;

protected:
  ~IcxContainerInnerControl() = default;
};

// The window that holds the content: the inner control, or the container itself without one.
class IcxContainerInnerWindowSource {
public:
  virtual TWinControl* GetInnerWindowControl() = 0;

protected:
  ~IcxContainerInnerWindowSource() = default;
};

class TcxContainer : public TcxControl,
                     public IcxMouseTrackingCaller,
                     public IcxContainerInnerWindowSource,
                     public IcxContainerStyleOwner {
  CL_CLASS(TcxContainer, TcxControl)
  friend class _TcxContainerAccess;

public:
  explicit TcxContainer(TComponent* Owner);
  ~TcxContainer() override;
  // The styles and the view info of the classes the container answers.
  void AfterConstruction() override;
  // Stops mouse tracking; frees the view info and the styles.
  void BeforeDestruction() override;
  // Inherited, the layout, then the style applied once.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // --- Styles ---
  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxContainerStyle* Style() const { return GetStyle(); }
  TcxContainerStyle* StyleDisabled() const { return GetStyleDisabled(); }
  TcxContainerStyle* StyleFocused() const { return GetStyleFocused(); }
  TcxContainerStyle* StyleHot() const { return GetStyleHot(); }
  TcxContainerStyle* GetStyle() const { return FStyles->GetNormalStyle(); }
  TcxContainerStyle* GetStyleDisabled() const { return FStyles->GetDisabledStyle(); }
  TcxContainerStyle* GetStyleFocused() const { return FStyles->GetFocusedStyle(); }
  TcxContainerStyle* GetStyleHot() const { return FStyles->GetHotStyle(); }
  void SetStyle(TcxContainerStyle* Value) { FStyles->SetNormalStyle(Value); }
  void SetStyleDisabled(TcxContainerStyle* Value) { FStyles->SetDisabledStyle(Value); }
  void SetStyleFocused(TcxContainerStyle* Value) { FStyles->SetFocusedStyle(Value); }
  void SetStyleHot(TcxContainerStyle* Value) { FStyles->SetHotStyle(Value); }
  // Published, not stored: the normal style's controller; writing does nothing.
  TcxStyleController* FakeStyleController() const { return GetStyle()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}

  // --- Inner control ---
  TWinControl* InnerControl() const { return FInnerControl; }
  // Moves the free notification from the old inner control to the new one.
  void SetInnerControl(TWinControl* Value);
  TWinControl* GetInnerOrSelf() { return FInnerControl ? FInnerControl : this; }
  TWinControl* GetInnerWindowControl() override { return GetInnerOrSelf(); }
  // Set by the inner control while it handles its own button press.
  bool InnerControlMouseDown() const { return FInnerControlMouseDown; }
  void SetInnerControlMouseDown(bool Value) { FInnerControlMouseDown = Value; }
  // The former window procedure of the inner control, kept by the subclass that hooks it.
  void SetSavedInnerWndProc(TWndMethod Value) { FSavedInnerWndProc = std::move(Value); }
  // True when the inner control exists, the container is not being destroyed and
  // InnerControlMessage consumed the message.
  bool DispatchInnerControlMessage(TMessage& Message);

  // --- State ---
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TcxContainerState ContainerState() const { return FViewInfo->ContainerState; }
  // Button: 0 none, 1 left, 2 right, 3 middle. Answers whether the view info is up to date.
  bool RefreshState(POINT P, int Button, bool Notify, TShiftState Shift);
  bool RefreshStateAtCursor(bool Notify);
  bool ViewInfoCalculated() const { return FViewInfoCalculated; }
  // Raises (Lock) or lowers the align lock, never below 0.
  void LockAlignControls(bool Lock);
  void LockPopupMenu(bool Lock);
  void LockedAdjustLayout();
  // Posts the request to synchronise the painted scroll bars with the inner control.
  void PostScrollBarsSync();
  // The active style's font, in the skin's text colour where a skin gives one.
  TFont* GetVisibleFont();
  bool DrawnOnGlass() const { return FDrawnOnGlass; }
  void SetDrawnOnGlass(bool Value) { FDrawnOnGlass = Value; }

  // The container or its inner control has the focus (never while designing or while the window
  // is being destroyed).
  bool Focused() const;
  void SetFocus() override;
  bool IsFocused() const override { return Focused(); }
  // The size grip over the inner control, in the inner control's window coordinates.
  bool SizeGripVisible() const { return FSizeGripVisible; }
  RECT SizeGripRect() const { return FSizeGripRect; }

  // IcxContainerStyleOwner.
  bool IsParentColorDefault() override { return false; }
  bool IsInplace() override { return false; }
  bool IsStyleValueStored(std::string_view Name, bool NonNormalState) override;

  // IcxMouseTrackingCaller.
  void MouseLeave() override { MouseTrackingLeft(); }
  // The focus came to or left the container or its inner control (the inner control calls it).
  void FocusChanged() override;

  // --- Overridable operations ---
  virtual void ApplyStyleToInnerControl();
  virtual void SyncScrollBar(TcxControlScrollBar* Bar);
  virtual void CalculateViewInfo(POINT P, bool HotAllowed);
  virtual bool CanMoveFocusOnTab() { return true; }
  virtual bool HasTransparentBorder();
  virtual bool CanRefreshState();
  virtual bool CanShowPopupMenuAt(POINT) { return true; }
  virtual void ContainerStyleChanged(TObject* Sender);
  virtual TOwned<TcxRegion> CreateWindowRegion();
  virtual void ReservedNotify() {}
  virtual bool RefreshVisualState() { return RefreshStateAtCursor(false); }
  virtual bool InnerControlMessage(TMessage& Message);
  virtual void ContainerStateChanged() {}
  virtual bool DoRefreshState(POINT P, int Button, TShiftState Shift);
  virtual void MouseTrackingLeft();
  virtual TcxContainerStyle* GetActiveStyle();
  virtual TColor GetBackgroundColor();
  virtual TColor GetBorderColor();
  virtual RECT GetBorderExtent();
  virtual void GetSkinColors(TColor& Background, TColor& Text);
  virtual TcxEditStateColorKind GetPainterState();
  // Region: the part of Control's own rectangle inside Rect; empty when all of it is inside.
  virtual void CalculateChildRegion(const RECT& Rect, TControl* Control, RECT& Region);
  virtual RECT GetShadowRect();
  virtual RECT GetShadowRectInset() { return RECT{}; }
  virtual TcxContainerStyleClass GetStyleClass() const { return ClassRef<TcxContainerStyle>(); }
  virtual TcxContainerStylesClass GetStylesClass() const { return ClassRef<TcxContainerStyles>(); }
  virtual TcxContainerViewInfoClass GetViewInfoClass() const
  {
    return ClassRef<TcxContainerViewInfo>();
  }
  virtual bool HasShadow();
  virtual void CallSavedInnerWndProc(TMessage& Message);
  virtual TcxContainerStyle* GetStyleForState(TcxContainerState State);
  virtual TcxContainerStyleValues GetIgnoredStyleValues() { return {}; }
  virtual bool IsScrollBarInfoVisible(const SCROLLBARINFO& Info);
  virtual bool IsAlreadyFocused() { return Focused(); }
  virtual bool HostsChildControls() { return false; }
  virtual bool IsHotTracked() { return IsMouseTracked(this); }
  virtual bool IsNativeStyle();
  virtual bool IsNativeReadOnly() { return false; }
  virtual bool IsTransparent() { return false; }
  virtual void AdjustLayout();
  virtual void SetPaintRegion();
  virtual void ReservedPaintStep() {}
  virtual void UpdateWindowRegion();
  virtual TdxThemedObjectType GetThemedObjectType() { return TdxThemedObjectType::totEdit; }
  virtual int GetNativePart();
  virtual int GetNativeState();
  virtual RECT GetScrollBarRectFromInfo(const SCROLLBARINFO& Info);
  virtual bool IsScrollBarEnabledFromInfo(TcxControlScrollBar* Bar, const SCROLLBARINFO& Info);
  virtual bool GetInnerScrollBarInfo(TScrollBarKind Kind, SCROLLBARINFO& Info);
  virtual void FocusInnerControl();
  virtual void SetScrollBarVisible(TcxControlScrollBar* Bar, bool Visible);
  virtual void ClearInnerControlBounds();
  // The hot-test area.
  virtual RECT GetContentRect();
  virtual bool WantsAllKeys() { return false; }
  virtual bool HandlePopupMenuShortCut(TMessage& Message);
  virtual void SyncScrollBarsWithInnerControl(bool SkipBars);

  // Overrides of the control base.
  RECT GetClientBounds() const override { return FViewInfo->ClientRect; }
  bool CanFocusOnClick() const override;
  bool CanFocusOnScrollBarClick() const override { return false; }
  TcxLookAndFeel* GetLookAndFeel() override { return GetStyle()->LookAndFeel(); }
  TcxCustomLookAndFeelPainter* GetPainter() override { return GetLookAndFeel()->Painter(); }
  bool HasScrollBars() const override { return false; }
  void UpdateScrollBars() override;
  bool AllowAutoDrag(int, int) const override { return false; }
  void ResourceStringsChanged() override;
  void Invalidate() override;
  void Update() override;
  void GetTabOrderList(std::vector<TWinControl*>& List) const override;
  // The inner control is dragged the way the container is, and shows its own drag images.
  void SetDragMode(TDragMode Value) override;
  void SetDragKind(TDragKind Value) override;
  TDragImageList* GetDragImages() override;

protected:
  void AdjustClientRect(RECT& Rect) override;
  void AlignControls(TControl* Control, RECT& Rect) override;
  void PaintControl() override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool MayFocusOnClick() const override;
  void Resize() override;
  void ColorChanged() override;
  void CursorChanged() override;
  void DoContextPopup(POINT MousePos, bool& Handled) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

  bool IsRefreshLocked() const { return FRefreshLock > 0; }

private:
  // The normal style's look-and-feel asks for the native style and the theme has the part.
  bool IsBorderNative();
  void CalculateContainerState(POINT P, bool HotAllowed);
  void InvalidateAfterRefresh();
  // The widths of the border by style: the standard painter's (geometry) and the current
  // painter's (drawing).
  int StandardBorderWidth() const { return ContainerBorderWidthForStyle(FViewInfo->BorderStyle); }
  void ApplyChildRegion(TWinControl* Child, const RECT& Region);
  void UpdateSizeGrip();

  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMWindowPosChanging(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void DXMScrollBarsSync(TMessage& Message);
  void DXMBufferedPaintOnGlass(TMessage& Message);

  TcxContainerState FCachedState{TcxContainerStateFlag::csNormal};
  TcxContainerStyle* FCachedActiveStyle = nullptr;
  bool FHasChanges = false;
  TWinControl* FInnerControl = nullptr;  // not owned
  bool FInnerControlRegionEmpty = true;
  RECT FInnerControlRegion{};
  bool FInnerControlBufferedPaintPending = false;
  bool FInnerControlMouseDown = false;
  bool FViewInfoCalculated = false;
  int FAlignLock = 0;
  bool FDrawnOnGlass = false;
  int FPopupMenuLock = 0;
  int FProcessEventsLock = 0;
  int FRefreshLock = 0;
  bool FRepaintOnGlassPending = false;
  TWndMethod FSavedInnerWndProc;
  bool FScrollBarsCalculating = false;
  RECT FSizeGripRect{};
  bool FSizeGripVisible = false;
  bool FInternalSetting = false;
  bool FCreating = true;
  TOwned<TcxContainerStyles> FStyles;
  TOwned<TcxContainerViewInfo> FViewInfo;
};

// The base of the editors and of the list view; it adds nothing to the container.
class TcxCustomEditContainer : public TcxContainer {
  CL_CLASS(TcxCustomEditContainer, TcxContainer)
public:
  explicit TcxCustomEditContainer(TComponent* Owner) : TcxContainer(Owner) {}
};

// The one route by which inner controls hand their traffic to their container: its protected key,
// click, mouse, wheel and drag operations, and the focus notices. Points come in the inner
// control's client coordinates and reach the container in its own. The mouse entering and leaving
// an inner control needs no route: the class library tells the container as the inner control's
// parent.
class _TcxContainerAccess {
public:
  static void Click(TcxContainer* Container);
  static void DblClick(TcxContainer* Container);
  static void KeyDown(TcxContainer* Container, WORD& Key, TShiftState Shift);
  static void KeyPress(TcxContainer* Container, char& Key);
  static void KeyUp(TcxContainer* Container, WORD& Key, TShiftState Shift);
  // The container's MouseDown, with its inner-control mouse-down flag set meanwhile.
  static void MouseDown(TcxContainer* Container, TControl* Inner, TMouseButton Button, TShiftState Shift, int X,
                        int Y);
  static void MouseMove(TcxContainer* Container, TControl* Inner, TShiftState Shift, int X, int Y);
  static void MouseUp(TcxContainer* Container, TControl* Inner, TMouseButton Button, TShiftState Shift, int X, int Y);
  // The container's wheel handling (MousePos on the screen); answers whether it handled the turn.
  static bool MouseWheel(TcxContainer* Container, TShiftState Shift, int WheelDelta, POINT MousePos);
  static void DragOver(TcxContainer* Container, TControl* Inner, TObject* Source, int X, int Y, TDragState State,
                       bool& Accept);
  static void DragDrop(TcxContainer* Container, TControl* Inner, TObject* Source, int X, int Y);
  // Starts dragging the container (not the inner control) the way automatic dragging does: a
  // plain drag, or a dock drag with DragKind dkDock.
  static void BeginAutoDrag(TcxContainer* Container);
  // The inner control got the focus from the window Previous, or lost it: the container draws its
  // focus state again. Nothing while the container goes, and nothing for a focus that comes from
  // the container's own window (the container passed it on).
  static void FocusReceived(TcxContainer* Container, HWND Previous);
  static void FocusLost(TcxContainer* Container);
};

// The container of a control: the control itself when it is one, else the container its
// IcxContainerInnerControl reports, else nullptr.
TcxContainer* FindContainer(TControl* Control);
// The corner between the container's two painted bars in the inner control's window coordinates;
// empty unless both bars show.
RECT CalculateSizeGripRect(TcxContainer* Container);
RECT GetInnerSizeGripRect(IcxContainerInnerControl* InnerControl);
// Fills the size-grip corner on the inner control's window with the painter's form content colour.
void FillSizeGrip(TcxContainer* Container);
// Fills R (in Wnd's window coordinates) on DC, or on Wnd's window DC when DC is 0, with the
// container painter's form content colour; nothing for an empty R.
void FillSizeGripArea(TcxContainer* Container, HWND Wnd, const RECT& R, HDC DC = nullptr);

// A painted bar takes what a system bar reports, kept within what it accepts: the maximum not
// below the minimum, the page not above the range, the position inside it.
class TcxScrollBar;
void SetScrollBarParamsFromInfo(TcxScrollBar* bar, const SCROLLINFO& info);
