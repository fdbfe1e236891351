#pragma once
// TcxControl: the base of every custom-drawn control of the toolkit. Over the class library's
// custom control it adds:
// - a TcxCanvas over its canvas, its own look-and-feel and the painter that follows from it;
// - painting double-buffered through a memory bitmap (or, under desktop composition, through the
//   platform's buffered painting), the direct road when asked, and an erase rule that leaves the
//   background to the buffered roads;
// - painted scroll bars and a size-grip corner in place of the system's (cxControlsScrollBars.h);
// - its own drag and drop beside the class library's (cxControlsDragAndDrop.h);
// - focusing on click, the keys it asks the dialog manager for, wheel scrolling and middle-button
//   panning, and a popup menu that is a class-library popup menu or any IcxPopupMenuHandler.
// Descendants specialise it almost only by overriding the virtual operations below: they draw in
// PaintControl, describe what they can scroll in CalculateScrollBarParams and scroll in Scroll.
//
// TcxControlChildComponent is a component that belongs to a TcxControl without being a window.
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxCoreResStrings.h"
#include "toolkit/controls/cxControlsDragAndDrop.h"

class TcxControl;
class TcxControlChildComponent;
class TcxControlScrollBar;
class TcxSizeGrip;
class TcxScreenCanvas;

// The keys a control asks the dialog manager for (WM_GETDLGCODE).
enum class TcxControlKey { ckAll, ckArrows, ckChars, ckTab };
using enum TcxControlKey;
using TcxControlKeys = TSet<TcxControlKey>;

// What the mouse wheel scrolls.
enum class TcxMouseWheelScrollingKind { mwskNone, mwskHorizontal, mwskVertical };
using enum TcxMouseWheelScrollingKind;

// Directions of wheel scrolling and panning.
enum class TcxDirection { dirNone, dirLeft, dirRight, dirUp, dirDown };
using enum TcxDirection;

// A child control that says itself whether its parent must repaint it with itself.
class IcxTransparentControlQuery {
public:
  virtual bool IsTransparentControl() = 0;

protected:
  ~IcxTransparentControlQuery() = default;
};

// Whether desktop composition is on, as the painting of controls asks it (IsDwmCompositionOn by
// default). Tests replace it to reach the road of buffered painting on glass, which needs
// composition.
using TcxIsCompositionOnFunc = bool (*)();
extern TcxIsCompositionOnFunc cxIsCompositionOn;

// Redraws a windowed control and all its children at once, without erasing.
void InvalidateWindowAndChildren(TWinControl* Control);

class TcxControl : public TCustomControl, public IdxResourceStringsObserver, public IcxLookAndFeelSource {
  CL_CLASS(TcxControl, TCustomControl)
public:
  explicit TcxControl(TComponent* Owner);
  ~TcxControl() override;
  // The painted scroll bars and the size grip, the tab stop and the drag-image style, which ask
  // overridable operations.
  void AfterConstruction() override;
  // Leaves the resource-string listeners, ends a running drag, frees the painted bars.
  void BeforeDestruction() override;

  // The wrapper of the control's canvas. TCustomControl::Canvas() is the class library's canvas.
  TcxCanvas* Canvas() const { return FCanvas.get(); }
  // The control's canvas while it has a window; before that a measuring canvas on the screen.
  TcxCanvas* GetActiveCanvas();
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TcxCustomLookAndFeelPainter* Painter() const { return const_cast<TcxControl*>(this)->GetPainter(); }

  TcxControlKeys Keys() const { return FKeys; }
  void SetKeys(TcxControlKeys Value) { FKeys = Value; }
  // Which painted bars may appear (ssBoth by default).
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // A TPopupMenu or a component that implements IcxPopupMenuHandler; anything else is taken as
  // none. The class library's own PopupMenu() answers only a TPopupMenu.
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TcxControlScrollBar* HScrollBar() const { return FHScrollBar; }
  TcxControlScrollBar* VScrollBar() const { return FVScrollBar; }
  TcxSizeGrip* SizeGrip() const { return FSizeGrip; }
  // False without painted bars; while the scroll-bar parameters are being calculated, the wish;
  // else whether the bar shows.
  bool IsHScrollBarVisible() const;
  bool IsVScrollBarVisible() const;
  // The wish for one bar: see cxControlsScrollBars.h.
  void SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                        bool AllowHide);
  // Decides which bars show from the descendant's CalculateScrollBarParams and lays them out.
  virtual void UpdateScrollBars();

  // The object that holds the mouse capture on the control's behalf (not owned).
  TObject* MouseCaptureObject() const { return FMouseCaptureObject; }
  void SetMouseCaptureObject(TObject* Value);
  TcxDragDropPhase DragAndDropState() const { return FDragAndDropState; }
  // Going back to ddpNone outside FinishDragAndDrop cancels the mouse state.
  void SetDragAndDropState(TcxDragDropPhase Value);
  // Ends the drag and drop (EndDragAndDrop while active) and frees its object; ignored while
  // already finishing.
  void FinishDragAndDrop(bool Accepted);
  // The object of the drag and drop, made by CreateDragAndDropObject when first asked for.
  TcxDragAndDropObject* GetDragAndDropObject();
  // The class-library drag images: only with HasDragImages, made on first use and filled by
  // InitDragImages; nullptr while the list holds no image.
  TDragImageList* GetDragImages() override;
  // The platform's InvalidateRect on the window; nothing without one.
  void InvalidateRect(const RECT& R, bool EraseBackground);
  // Both distances from the last mouse-down point below the drag threshold.
  bool IsMouseInDragThreshold(int X, int Y) const;
  POINT MouseDownPos() const { return FMouseDownPos; }
  bool MouseButtonPressed() const { return FMouseButtonPressed; }
  // One line in the direction through Scroll, then Update; nothing for dirNone or where the
  // control can scroll neither with nor without bars.
  void ScrollByWheel(TcxDirection Direction);
  // Middle-button panning: a modal loop until another button, a wheel turn, Escape, a middle-button
  // release after the mouse left the neutral zone, or the loss of the capture.
  void PanContent();

  const TNotifyEvent& OnFocusChanged() const { return FOnFocusChanged; }
  void SetOnFocusChanged(const TNotifyEvent& Value) { FOnFocusChanged = Value; }

  // IdxResourceStringsObserver, IcxLookAndFeelSource.
  void ResourceStringsChanged() override;
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }

  // --- Overridable operations ---
  virtual bool DoShowPopupMenu(TComponent* Menu, int X, int Y);
  // Tells the form designer that the control changed (nothing outside design time).
  virtual void NotifyDesignerModified();
  // The parent's themed background where the control shows it, else the control's brush.
  virtual void EraseBackground(HDC DC);
  // The left button of a control that drags by itself waits for the drag to start; the middle
  // button pans.
  virtual void HandleMouseDownAction(TMouseButton Button, int X, int Y);
  virtual void MouseDownBeforeEvent(TMouseButton, TShiftState, int, int) {}
  virtual void BringInternalControlsToFront();
  virtual void EndMouseOperations();
  // Descendants draw here; the base repaints the painted bars and the grip with the control.
  virtual void PaintControl();
  virtual int GetBorderSize() const { return 0; }
  virtual RECT GetBounds() const;
  // The bounds less the border and the visible painted bars.
  virtual RECT GetClientBounds() const;
  virtual TCursor GetCursorAt(int X, int Y) { (void)X, (void)Y; return FDefaultCursor; }
  virtual bool IsDesigning() const { return TCustomControl::IsDesigning(); }
  virtual bool IsFocused() const { return Focused(); }
  virtual TcxMouseWheelScrollingKind GetWheelScrollKind() const;
  virtual bool HasOwnAlphaOnGlass() const { return false; }
  virtual TClass GetScrollBarClass(TScrollBarKind Kind) const;
  virtual TClass GetSizeGripClass() const;
  virtual void WindowCreated();
  virtual bool CanPaintBufferedOnGlass() const { return true; }
  virtual bool CanFocusOnClick() const;
  virtual bool ShouldFocusOnClick(int X, int Y) const { (void)X, (void)Y; return CanFocusOnClick(); }
  virtual bool CanFocusOnScrollBarClick() const { return CanFocusOnClick(); }
  virtual bool ErasesOwnBackground() const { return false; }
  virtual bool IsInternalControl(TControl* Control) const;
  virtual bool NeedsInvalidateChildren() const { return false; }
  virtual bool KeepsMousePosOnFocusMove() const { return true; }
  virtual void ParentBackgroundChanged() {}
  virtual TcxCustomLookAndFeelPainter* GetPainter();
  virtual void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
  virtual bool CanScrollWithoutScrollBars(TcxDirection) const { return false; }
  virtual RECT GetHScrollBarBounds() const;
  virtual RECT GetSizeGripBounds() const;
  virtual RECT GetVScrollBarBounds() const;
  virtual void CalculateScrollBarParams() {}
  virtual bool CheckScrollBarOverlap(TScrollBarKind) const { return false; }
  virtual bool HasScrollBars() const { return true; }
  virtual bool CanBringInternalControlsToFront() const { return !IsDesigning(); }
  virtual void Scroll(TScrollBarKind, TScrollCode, int&) {}
  virtual void SetInternalControlsBounds();
  virtual void UpdateInternalControlsState();
  virtual bool AllowAutoDrag(int, int) const { return true; }
  virtual TcxDragAndDropObject* CreateDragAndDropObject();
  virtual TcxDragAndDropObjectClass GetDragAndDropObjectClass() const;
  // Draws the drag image into R of a bitmap of GetDragImagesSize.
  virtual void DrawDragImage(TcxCanvas*, const RECT&) {}
  virtual TClass GetDragImagesClass() const;
  virtual POINT GetDragImagesSize() const { return POINT{0, 0}; }
  virtual bool IsCopyDragDrop() const { return GetAsyncKeyState(VK_CONTROL) < 0; }
  virtual bool HasDragImages() const { return false; }
  // The list takes GetDragImagesSize; when it is not empty, a bitmap drawn by DrawDragImage is
  // added with its transparent colour as mask.
  virtual void InitDragImages(TcxDragImageList* ImageList);
  virtual bool CanFocusWithForm() const;
  virtual bool IsWithinDragThreshold(int X, int Y) const;

protected:
  // The class library's dynamic operations the control adds.
  virtual void AddChildComponent(TcxControlChildComponent* Child);
  virtual void RemoveChildComponent(TcxControlChildComponent* Child);
  virtual void CancelMouseState();
  virtual bool HandlesDesignTimeMouse(int X, int Y, TShiftState Shift) const;
  virtual void MouseEnter(TControl* AControl);
  virtual void MouseLeave(TControl* AControl);
  virtual bool MayFocusOnClick() const { return true; }
  virtual void BoundsChanged();
  virtual void ColorChanged() {}
  virtual void TextChanged() {}
  virtual void VisibleChanged() {}
  virtual void CursorChanged() { FDefaultCursor = Cursor(); }
  virtual void FocusChanged();
  virtual void FontChanged() { Invalidate(); }
  virtual bool AllowCaptureWithoutFocus() const { return false; }
  virtual bool CanDrag(int, int) const { return FDragAndDropState == ddpNone; }
  virtual bool CanStartDragAndDrop(POINT) const { return false; }
  // The steps of the control's own drag and drop (cxControlsDragAndDrop.cpp).
  virtual void BeginDragAndDrop();
  virtual void DragAndDrop(POINT P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);
  // The class library's drag: the object the control drags with, and whether it takes it.
  virtual bool AcceptDragObject(TDragObject*) { return true; }
  virtual TcxDragControlObjectClass GetDragObjectClass() const;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;

  // The painted bars and the grip (cxControlsScrollBars.cpp).
  void CreateInternalControls();
  void DestroyInternalControls();
  void UpdateInternalControls();
  void ParentInternalControls();
  void ScrollBarScrolled(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void WndProc(TMessage& Message) override;
  void PaintWindow(HDC DC) override;
  void Paint() override { PaintControl(); }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;
  void DoContextPopup(POINT MousePos, bool& Handled) override;
  void Resize() override;

private:
  friend class TcxControlChildComponent;
  // The three roads of WM_PAINT.
  void PaintDirect(TMessage& Message);
  void PaintBufferedOnGlass(TMessage& Message);
  // Paints the rectangle of the client area (client coordinates) through a memory bitmap onto DC.
  void PaintThroughMemory(HDC DC, const RECT& R);
  bool IsTransparentChildControl(TControl* Child) const;
  // Client coordinates of a mouse message, from the cursor when the control is too large for them.
  void AdjustMousePos(int& X, int& Y) const;
  bool IsMenuShortCutOfChain(TMessage& Message);

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMCursorChanged(TMessage& Message);
  void CMDesignHitTest(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void DXMNCSizeChanged(TMessage& Message);
  void HandleLookAndFeelChange(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);

  TOwned<TcxScreenCanvas> FActiveCanvas;
  bool FCalculatingScrollBarsParams = false;
  TOwned<TcxCanvas> FCanvas;
  TCursor FDefaultCursor = crDefault;
  TOwned<TcxDragAndDropObject> FDragAndDropObject;
  TCursor FDragAndDropPrevCursor = crDefault;
  TcxDragDropPhase FDragAndDropState = ddpNone;
  TOwned<TcxDragImageList> FDragImages;
  bool FFinishingDragAndDrop = false;
  TcxControlScrollBar* FHScrollBar = nullptr;  // freed by DestroyInternalControls
  bool FInitialHScrollBarVisible = false;
  bool FInitialVScrollBarVisible = false;
  bool FInitialScrollBarsParams = false;
  int FScrollBarsNesting = 0;
  TcxControlKeys FKeys;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  bool FMouseButtonPressed = false;
  TObject* FMouseCaptureObject = nullptr;
  POINT FMouseDownPos{};
  TComponent* FPopupMenu = nullptr;
  TScrollStyle FScrollBars = ssBoth;
  TcxSizeGrip* FSizeGrip = nullptr;
  bool FUpdatingScrollBars = false;
  TcxControlScrollBar* FVScrollBar = nullptr;
  bool FLastParentBackground = true;
  bool FListening = false;
  TNotifyEvent FOnFocusChanged;
};

// A component that belongs to a TcxControl (not owned by it) without being a window. Its parent
// component when streaming is its control.
class TcxControlChildComponent : public TcxComponent {
  CL_CLASS(TcxControlChildComponent, TcxComponent)
public:
  explicit TcxControlChildComponent(TComponent* Owner);
  // Made with the control's owner as owner when AssignOwner is set (else without one), then given
  // to the control.
  template <class T>
  static T* CreateForControl(TcxControl* Control, bool AssignOwner)
  {
    T* component = New<T>(AssignOwner && Control ? Control->Owner() : nullptr);
    component->SetControl(Control);
    return component;
  }
  // Initialize.
  void AfterConstruction() override;
  // Its control's RemoveChildComponent first.
  void BeforeDestruction() override;

  TcxControl* Control() const { return FControl; }
  virtual void SetControl(TcxControl* Value);
  virtual void Initialize() {}
  bool HasParent() const override { return FControl != nullptr; }
  TComponent* GetParentComponent() const override;
  // A TcxControl parent takes the component through AddChildComponent.
  void SetParentComponent(TComponent* Value) override;

private:
  TcxControl* FControl = nullptr;
};
