#pragma once
// Controls: TControl (anything with bounds on a parent), TWinControl (controls with a window of
// their own, which hold child controls), TGraphicControl (windowless controls drawn on their
// parent's window) and TCustomControl (windowed controls that paint themselves on a canvas).
//
// Every control receives its messages through WindowProc (by default its virtual WndProc), which
// ends in Dispatch: the handler of the message number from the class's message map, else the
// ancestors' maps, else DefaultHandler (for a windowed control, the window's original procedure).
#include <functional>
#include <string>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/Colors.h"
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Canvas.h"
#include "classlib/Messages.h"
#include "classlib/Sets.h"
#include "classlib/ObjectWindows.h"

class TControl;
class TWinControl;
class TCustomForm;
class TControlActionLink;
struct TEnumInfo;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using enum TAlign;
// The names of the alignments, for controls that publish Align with a default of their own.
extern const TEnumInfo AlignInfo;
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using enum TAnchorKind;
using TAnchors = TSet<TAnchorKind>;

enum class TControlStateFlag {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateFlag>;
enum class TControlStyleFlag {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csParentBackground
};
using TControlStyle = TSet<TControlStyleFlag>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;
enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using enum TShiftStateFlag;
using TShiftState = TSet<TShiftStateFlag>;
// Reading order and alignment of a control's text. Right-to-left modes take effect only on systems
// whose locale reads right to left (SysLocale().MiddleEast).
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;

// How a windowed control wants the input method editor while it has the focus; imDontCare leaves it
// as the user set it. ImeName names the input method to switch to (empty: the system's).
enum class TImeMode {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
  imSHanguel, imHanguel
};
using enum TImeMode;
extern const TEnumInfo ImeModeInfo;

// Whether a press starts dragging the control by itself (dmAutomatic) or only through BeginDrag.
enum class TDragMode { dmManual, dmAutomatic };
using enum TDragMode;
// The names of the drag modes, for controls that publish DragMode.
extern const TEnumInfo DragModeInfo;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
// MousePos in screen coordinates; a handler sets Handled to keep the control from scrolling.
using TMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, POINT MousePos, bool& Handled)>;
// MousePos in client coordinates, (-1, -1) when the menu key asked; a handler sets Handled to keep
// the popup menu from showing.
using TContextPopupEvent = TEvent<void(TObject* Sender, POINT MousePos, bool& Handled)>;
// Dragging one control onto another (see TControl::BeginDrag and classlib/DragDrop.h).
class TDragObject;
class TDragImageList;
// What a target is told while a drag passes over it.
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using enum TDragState;
// A handler may supply the drag object (else the class library makes one that stands for the
// control).
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
// Source is the drag object, or the dragged control when the class library made the drag object
// itself; X and Y in the target's client coordinates. Accept starts True.
using TDragOverEvent =
    TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
// Target is the control that took the drop (nullptr when the drag was cancelled or no control
// accepted it); X and Y in its client coordinates.
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
// Docking controls into dock sites (see TControl::DragKind and classlib/Docking.h).
class TDragDockObject;
class TDockTree;
// Whether a drag of the control drags it onto a target (dkDrag) or moves it between dock sites and
// floating forms (dkDock).
enum class TDragKind { dkDrag, dkDock };
using enum TDragKind;
extern const TEnumInfo DragKindInfo;
// A handler may supply the dock object (else the class library makes one).
using TStartDockEvent = TEvent<void(TObject* Sender, TDragDockObject*& DragObject)>;
// Target is where the control ended (the dock site, or the floating form it now sits in); nullptr
// when it stayed where it was. X and Y in the target's client coordinates.
using TEndDockEvent = TEndDragEvent;
// A dock drag over a dock site; Accept starts True. Source->DockRect() is the rectangle the site
// offers, which the handler may change.
using TDockOverEvent =
    TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDockDropEvent = TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
// A client leaves the site for NewTarget (nullptr: it floats); Allow starts True.
using TUnDockEvent = TEvent<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
// Whether the site takes Client at MousePos (screen coordinates), and the screen rectangle within
// which it is offered (the site's window and 10 pixels around it).
using TGetSiteInfoEvent =
    TEvent<void(TObject* Sender, TControl* DockClient, RECT& InfluenceRect, POINT MousePos, bool& CanDock)>;

// Cursors: indexes into Screen->Cursors; the standard ones are negative.
using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;

// Shift state from the MK_* flags of a mouse message, and from the keyboard's state now.
TShiftState ShiftStateFromKeys(UINT keys);
TShiftState KeyboardShiftState();
// The class library's mouse settings: the distance a pressed mouse moves before it drags, and the
// lines one notch of the wheel scrolls (the wheel setting; WheelPageScroll when it says a page per
// notch).
int MouseDragThreshold();
int MouseWheelScrollLines();
constexpr int WheelPageScroll = -1;
// Where the wheel setting is read: the system's lines per notch, or WHEEL_PAGESCROLL for a page per
// notch (3 when the system cannot tell). Tests replace it; nullptr puts the system's back. Answers
// the previous one.
using TWheelScrollLinesFunc = UINT (*)();
TWheelScrollLinesFunc SetWheelScrollLinesFunc(TWheelScrollLinesFunc func);
// The wheel setting, read through the function set now.
UINT WheelScrollLinesSetting();
// The parts of a hint "short|long": before the bar, and after it (the whole text without one).
std::string GetShortHint(std::string_view hint);
std::string GetLongHint(std::string_view hint);
// Whether a caption's accelerator (the character after a single '&'; "&&" stands for '&' itself)
// is the character ch, ignoring case.
bool IsAccel(UINT ch, std::string_view caption);

// A canvas that draws on a control: on its own window (TCustomControl) or, for a graphic control,
// on its parent's window clipped and offset to the control's bounds. Inside Paint the canvas draws
// on the device context of the paint cycle.
class TControlCanvas : public TCanvas {
  CL_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  class TControl* Control() const { return FControl; }
  void SetControl(class TControl* control);
  // Releases a device context the canvas got for itself (outside a paint cycle).
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  class TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// The smallest and largest size a control may take; 0 means no limit. SetBounds keeps a control
// within them, the minimum first: a minimum above the maximum wins.
class TSizeConstraints : public TPersistent {
  CL_CLASS(TSizeConstraints, TPersistent)
public:
  explicit TSizeConstraints(class TControl* control) : FControl(control) {}
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value) { Change(FMinWidth, value); }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int value) { Change(FMaxWidth, value); }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int value) { Change(FMinHeight, value); }
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int value) { Change(FMaxHeight, value); }
  // The size kept within the limits.
  void Constrain(int& width, int& height) const;
  // Every set limit multiplied by m and divided by d.
  void Scale(int m, int d);
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

private:
  // Negative limits count as none; a change puts the control within the new limits.
  void Change(int& field, int value);
  class TControl* FControl;
  int FMinWidth = 0, FMaxWidth = 0, FMinHeight = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
  CL_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* owner);
  void BeforeDestruction() override;

  // Sends a message to the control through WindowProc and answers its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // What receives the control's messages: WndProc unless replaced (to watch another control's
  // messages, keep the previous one and call it).
  const TWndMethod& WindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod proc);
  virtual void WndProc(TMessage& msg);
  // Calls the handler from the message maps, or DefaultHandler.
  void Dispatch(TMessage& msg);
  virtual void DefaultHandler(TMessage& msg);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  bool HasParent() const override { return true; }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  // Scales the control by m / d: its bounds (edges rounded, so that neighbours stay neighbours),
  // its constraints and, when it has a font of its own, its font; a windowed control scales its
  // children first. Nothing when m equals d.
  virtual void ChangeScale(int m, int d);
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  // The client area in the control's own coordinates.
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  virtual void SetClientSize(int width, int height);
  // The client area's origin in screen coordinates.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* value) { FConstraints->Assign(value); }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);
  // Visible and every parent visible, up to a parentless windowed control.
  bool IsVisible() const;

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  // Whether a stored form writes the published Width and Height: a control that stores its size
  // in a form of its own (or derives it) answers false.
  virtual bool IsWidthStored() const { return true; }
  virtual bool IsHeightStored() const { return true; }
  void SetParentColor(bool value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);

  // The caption or text: a windowed control with a window keeps it in its window.
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool value);
  // Whether the control mirrors its alignment (right-to-left mode on a right-to-left system).
  virtual bool UseRightToLeftAlignment() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // The cursor of a drag of this control over a control that accepts it.
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor value) { FDragCursor = value; }
  // A TPopupMenu, shown on a right click by whoever implements menus. Controls that accept other
  // kinds of menus override the setter and keep what they accept.
  virtual TComponent* PopupMenu() const { return FPopupMenu; }
  virtual void SetPopupMenu(TComponent* value);

  // Dragging the control onto another: BeginDrag captures the mouse; the drag starts at once, or
  // once the mouse has moved threshold pixels (-1: MouseDragThreshold) while a button is held.
  // While it runs, the control under the cursor is asked through DragOver whether it accepts the
  // drag, and the cursor is the drag object's for the answer. It ends on release (dropping it on
  // the control under the cursor when that accepts it), on Escape, cancel mode or when another
  // window takes the capture (dropping it nowhere), or through EndDrag or CancelDrag. One drag at
  // a time.
  TDragMode DragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode value) { FDragMode = value; }
  void BeginDrag(bool immediate, int threshold = -1);
  void EndDrag(bool drop);
  // A drag of this control is pending or running.
  bool Dragging() const;
  // The images shown under the cursor while the control is dragged; nullptr for none.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // A drop on this control (OnDragDrop).
  virtual void DragDrop(TObject* source, int x, int y);
  TStartDragEvent OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent e) { FOnStartDrag = e; }
  TEndDragEvent OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent e) { FOnEndDrag = e; }
  TDragOverEvent OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent e) { FOnDragOver = e; }
  TDragDropEvent OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent e) { FOnDragDrop = e; }
  TMouseWheelEvent OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent e) { FOnMouseWheel = e; }
  TContextPopupEvent OnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(TContextPopupEvent e) { FOnContextPopup = e; }

  // Docking (classlib/Docking.h). With DragKind dkDock, BeginDrag (and a press with DragMode
  // dmAutomatic) starts a dock drag instead of a plain one.
  TDragKind DragKind() const { return FDragKind; }
  virtual void SetDragKind(TDragKind value) { FDragKind = value; }
  // The dock site the control is docked in (its parent then), or nullptr.
  TWinControl* HostDockSite() const { return FHostDockSite; }
  // Docked in a floating form of its own.
  bool Floating() const;
  // Docks the control into newDockSite, beside dropControl (one of the site's clients) on
  // controlSide; nullptr floats it in a form of its own over its present place. Answers false when
  // the site it leaves refuses (OnUnDock).
  bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr, TAlign controlSide = alNone);
  // Floats the control in a form of its own whose client area is screenRect.
  bool ManualFloat(const RECT& screenRect);
  // The control's size before it was first docked: the client size of its floating form.
  int UndockWidth() const { return FUndockWidth > 0 ? FUndockWidth : Width(); }
  int UndockHeight() const { return FUndockHeight > 0 ? FUndockHeight : Height(); }
  TStartDockEvent OnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDockEvent e) { FOnStartDock = e; }
  TEndDockEvent OnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDockEvent e) { FOnEndDock = e; }

  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState value) { FControlState = value; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool topMost);
  bool MouseCapture() const;
  void SetMouseCapture(bool value);
  // The form the control sits on, or nullptr.
  TCustomForm* GetParentForm() const;

  // The action the control follows (caption, hint, enabled, visible, OnClick), or nullptr.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);
  // Idle-time update of the control's action (its OnUpdate); controls marked csActionClient are
  // asked by their form, and may update more than their own action.
  virtual void InitiateAction();

  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = e; }
  TNotifyEvent OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent e) { FOnDblClick = e; }
  TMouseEvent OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent e) { FOnMouseDown = e; }
  TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent e) { FOnMouseMove = e; }
  TMouseEvent OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent e) { FOnMouseUp = e; }
  TNotifyEvent OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent e) { FOnMouseEnter = e; }
  TNotifyEvent OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent e) { FOnMouseLeave = e; }
  TNotifyEvent OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent e) { FOnResize = e; }

  virtual void Click();
  virtual void DblClick();
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  virtual std::string GetText() const { return FText; }
  virtual void SetTextBuf(const std::string& value) { FText = value; }
  // Calls the handler the ancestors of C give the message being handled (or DefaultHandler): what a
  // handler of class C calls to do "the inherited thing".
  template <class C>
  void Inherited(TMessage& msg)
  {
    TMessageHandler handler = C::ClassInfo.Parent->FindMessageHandler(msg.Msg);
    if (handler)
      (static_cast<TObject*>(this)->*handler)(msg);
    else
      DefaultHandler(msg);
  }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // OnMouseWheel; answers whether the wheel was handled (else it goes on to the parent).
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);
  // OnContextPopup, before the control's popup menu is shown.
  virtual void DoContextPopup(POINT mousePos, bool& handled);
  // OnStartDrag, when the drag begins to run (it may supply the drag object); OnEndDrag when it
  // ends.
  virtual void DoStartDrag(TDragObject*& dragObject);
  virtual void DoEndDrag(TObject* target, int x, int y);
  // OnStartDock when a dock drag begins to run (it may supply the dock object); OnEndDock when it
  // ends.
  virtual void DoStartDock(TDragDockObject*& dragObject);
  virtual void DoEndDock(TObject* target, int x, int y);
  // A drag over this control: Accept is False without OnDragOver, else the handler's answer.
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void Resize();
  virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
  // Tells the parent (and through it every ancestor) that the mouse entered or left this control
  // or one of its children: the parent gets the same CM_MOUSEENTER or CM_MOUSELEAVE with this
  // control in LParam. The control's own notice (LParam 0 or itself) fires its event; a child's
  // does not.
  void NotifyParentOfMouse(const TMessage& msg);
  // Takes the action's values; with checkDefaults (reading a stored form) only those the control
  // still has at their defaults, so that a stored caption, hint or handler wins.
  virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
  // The link the control follows its action through; controls that take more of the action (an
  // image) give a link of their own.
  virtual TOwned<TControlActionLink> NewActionLink();
  // Asks the parent to lay its children out again after this control moved, resized or changed
  // its alignment or visibility.
  virtual void RequestAlign();
  // Whether the control takes the size SetBounds (or a move of its window) proposes; it may change
  // the proposal. A refused size leaves the control's size as it was (a move still happens).
  virtual bool CanResize(int& newWidth, int& newHeight);
  // The size SetBounds applies: CanResize's, never negative.
  void CheckNewSize(int& width, int& height);
  // Clears focus from this control (and its children) on its form, when it hides or goes.
  void RemoveFocus(bool removing);
  // Keeps the distances that the anchors hold while the parent resizes.
  void UpdateAnchorRules();
  // Invalidates the control's area on its parent's window (graphic controls).
  void InvalidateControl(bool isVisible, bool isOpaque);

  std::string FText;
  bool FVisible = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  TControlState FControlState;
  TControlStyle FControlStyle;

private:
  friend class TWinControl;
  friend struct TDragDriver;
  friend struct TDockDriver;
  // Tells the dock site the control is docked in that its visibility or text changed.
  void NotifyHostDockSite(UINT change);
  void FontChanged(TObject* sender);
  void DoMouseDown(TMessage& msg, TMouseButton button, TShiftState shift);
  void DoMouseUp(TMessage& msg, TMouseButton button);
  // A message to the control while it is being dragged: answers whether the drag took it.
  bool DragMessage(TMessage& msg);
  // Ends the drag of a control that goes, and forgets it as the drag's target.
  static void DragControlDestroying(TControl* control);

  void WMLButtonDown(TMessage& msg);
  void WMLButtonDblClk(TMessage& msg);
  void WMLButtonUp(TMessage& msg);
  void WMRButtonDown(TMessage& msg);
  void WMRButtonDblClk(TMessage& msg);
  void WMRButtonUp(TMessage& msg);
  void WMMButtonDown(TMessage& msg);
  void WMMButtonDblClk(TMessage& msg);
  void WMMButtonUp(TMessage& msg);
  void WMMouseMove(TMessage& msg);
  void WMCancelMode(TMessage& msg);
  void CMVisibleChanged(TMessage& msg);
  void CMEnabledChanged(TMessage& msg);
  void CMFontChanged(TMessage& msg);
  void CMColorChanged(TMessage& msg);
  void CMParentFontChanged(TMessage& msg);
  void CMParentColorChanged(TMessage& msg);
  void CMParentShowHintChanged(TMessage& msg);
  void CMParentBiDiModeChanged(TMessage& msg);
  void CMTextChanged(TMessage& msg);
  void CMHitTest(TMessage& msg);
  void CMMouseEnter(TMessage& msg);
  void CMMouseLeave(TMessage& msg);

  TWinControl* FParent = nullptr;
  TWndMethod FWindowProc;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // The bounds and the parent's client size when the anchors last took hold.
  RECT FAnchorBounds{};
  SIZE FAnchorParentSize{};
  bool FEnabled = true;
  TOwned<TFont> FFont;
  TOwned<TSizeConstraints> FConstraints;
  bool FParentFont = true;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TCursor FCursor = crDefault;
  TCursor FDragCursor = crDrag;
  TComponent* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TWinControl* FHostDockSite = nullptr;
  int FUndockWidth = 0, FUndockHeight = 0;
  TStartDockEvent FOnStartDock;
  TEndDockEvent FOnEndDock;
  TOwned<class TControlActionLink> FActionLink;
  TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseLeave, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TStartDragEvent FOnStartDrag;
  TEndDragEvent FOnEndDrag;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TMouseWheelEvent FOnMouseWheel;
  TContextPopupEvent FOnContextPopup;
};

// A control's link to its action: hands each change of the action on to the control while the
// control's value is still the action's.
class TControlActionLink : public TActionLink {
  CL_CLASS(TControlActionLink, TActionLink)
public:
  explicit TControlActionLink(TControl* client) : FClient(client) {}
  TControl* Client() const { return FClient; }
  bool IsOnExecuteLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetHint(const std::string& value) override;
  void SetEnabled(bool value) override;
  void SetVisible(bool value) override;
  void SetOnExecute(TNotifyEvent value) override;

private:
  TControl* FClient;
};

// The window creation parameters a windowed control fills in CreateParams.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  std::string WinClassName;
};

class TWinControl : public TControl, public TWindowObject {
  CL_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  HWND Handle();  // creates the window when it has none yet
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // A parentless control placed inside a foreign window.
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND wnd);
  void RecreateWnd();
  // The windowed control a window belongs to (this process only), or nullptr.
  static TWinControl* FromHandle(HWND wnd);

  // Hand-over of the control's window without destroying it (a control that moves between a child
  // and a popup window keeps both and switches). DetachHandle lets go of the window: the windows of
  // the windowed children are destroyed first, the control has no window afterwards, and the window
  // it answers stays, held, until AttachHandle takes it back or the holder destroys it. AttachHandle
  // makes a held window the control's own again (one of the control's window class), the control's
  // bounds becoming the window's; it raises EInvalidOperation when the control has a window already
  // or wnd is not held.
  HWND DetachHandle();
  void AttachHandle(HWND wnd);

  // Graphic children first, then windowed ones.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;
  // The topmost child (visible, and enabled unless allowDisabled) under p in client coordinates.
  TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls = false) const;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;

  void DisableAlign();
  void EnableAlign();
  void Realign();
  // Lays out the aligned and anchored children within the client rectangle.
  virtual void AlignControls(TControl* control, RECT& rect);
  virtual void AdjustClientRect(RECT& rect) { (void)rect; }
  bool AlignDisabled() const { return FAlignLevel > 0; }

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode value) { FImeMode = value; }
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(std::string_view value) { FImeName = value; }
  // The windowed children in tab order, depth first (each control followed by its own children).
  virtual void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  void SelectFirst();
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  bool Showing() const { return FShowing; }
  // Set when the control paints through an off-screen buffer (then its children cannot rely on the
  // themed parent background and copy the parent's image instead).
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
  // The control shows its parent's background where it draws none itself (csParentBackground).
  bool ParentBackground() const { return FControlStyle.Contains(TControlStyleFlag::csParentBackground); }
  void SetParentBackground(bool value);
  // The control's three-dimensional look, taken from the parent while ParentCtl3D is set.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool value);

  void Invalidate() override;
  void Update() override;
  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int m, int d) override;
  // Records bounds without moving or sizing the window and without any layout: the window stays
  // where it is until the next real change (an MDI child keeps its place while its bars change).
  void SetBoundsWithoutMove(int left, int top, int width, int height);
  // The window's own rectangle in its parent's client coordinates (the recorded bounds without a
  // window).
  RECT WindowBoundsRect() const;
  void SetZOrder(bool topMost) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  void SetParent(TWinControl* parent) override;
  // Paints the graphic child controls on dc (the window's client area).
  void PaintControls(HDC dc, TControl* first);
  void Broadcast(TMessage& msg);
  void NotifyControls(UINT msg);

  // A dock site takes controls dragged with DragKind dkDock (classlib/Docking.h). With
  // UseDockManager its dock manager (CreateDockManager) lays the docked clients out and draws
  // their grabbers.
  bool DockSite() const { return FDockSite; }
  void SetDockSite(bool value);
  bool UseDockManager() const { return FUseDockManager; }
  void SetUseDockManager(bool value);
  TDockTree* DockManager() const { return FDockManager.get(); }
  // The controls docked here, in the order they came.
  int DockClientCount() const { return static_cast<int>(FDockClients.size()); }
  TControl* DockClients(int index) const;
  // Whether the site takes client at mousePos (screen coordinates), within influenceRect (screen):
  // OnGetSiteInfo.
  virtual void GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock);
  // A dock drag over the site: the dock manager places Source's DockRect, then OnDockOver.
  virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
  // Docks Source's control here, then OnDockDrop.
  virtual void DockDrop(TDragDockObject* source, int x, int y);
  // client leaves for newTarget (nullptr: it floats): OnUnDock may refuse; answers whether it
  // may go.
  virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
  TDockOverEvent OnDockOver() const { return FOnDockOver; }
  void SetOnDockOver(TDockOverEvent e) { FOnDockOver = e; }
  TDockDropEvent OnDockDrop() const { return FOnDockDrop; }
  void SetOnDockDrop(TDockDropEvent e) { FOnDockDrop = e; }
  TUnDockEvent OnUnDock() const { return FOnUnDock; }
  void SetOnUnDock(TUnDockEvent e) { FOnUnDock = e; }
  TGetSiteInfoEvent OnGetSiteInfo() const { return FOnGetSiteInfo; }
  void SetOnGetSiteInfo(TGetSiteInfoEvent e) { FOnGetSiteInfo = e; }

  TKeyEvent OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent e) { FOnKeyDown = e; }
  TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent e) { FOnKeyPress = e; }
  TKeyEvent OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent e) { FOnKeyUp = e; }
  TNotifyEvent OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent e) { FOnEnter = e; }
  TNotifyEvent OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent e) { FOnExit = e; }

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void Loaded() override;
  // The brush that paints the background (the control's colour).
  HBRUSH BrushHandle();
  // Brings the control's window in line with its visibility and its parent's (shows, hides,
  // creates the window when it is to be seen).
  void UpdateControlState();

protected:
  virtual void CreateParams(TCreateParams& params);
  // The dock manager of a site that uses one: a TDockTree unless the control makes its own. Answers
  // the present manager when there is one; nullptr when the site needs none.
  virtual TDockTree* CreateDockManager();
  // Fills params.WindowClass from a system class the control's window class is made from.
  void CreateSubClass(TCreateParams& params, const char* controlClassName);
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void UpdateShowing();
  virtual bool ShowingWanted() const;
  void UpdateBounds();
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& msg);
  std::string GetText() const override;
  void SetTextBuf(const std::string& value) override;
  void ColorChanged();

  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  bool DoKeyDown(TMessage& msg);
  bool DoKeyUp(TMessage& msg);
  bool DoKeyPress(TMessage& msg);

  // Hands a mouse message to the graphic child under the mouse (or the one that has the capture)
  // and answers true, or answers false when none takes it.
  bool IsControlMouseMsg(TMessage& msg);

  void WindowMessage(TMessage& msg) override;
  void WindowAttached(HWND wnd) override;
  void WindowDetached() override;
  TObject* WindowOwner() override { return this; }

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;

private:
  friend class TControl;
  friend class TCustomForm;
  friend struct TDockDriver;
  // Takes or drops the dock manager as DockSite and UseDockManager ask.
  void UpdateDockManager();
  // Forgets a docked client that leaves this control.
  void DockClientRemoved(TControl* control);
  void AlignChildren(TControl* requester = nullptr);
  void AnchorChild(TControl* control, const RECT& client);
  bool ReflectToChild(HWND child, TMessage& msg);
  void ApplyFont();

  void WMPaint(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMPrintClient(TMessage& msg);
  void WMCommand(TMessage& msg);
  void WMContextMenu(TMessage& msg);
  void WMNotify(TMessage& msg);
  void WMDrawItem(TMessage& msg);
  void WMMeasureItem(TMessage& msg);
  void WMCompareItem(TMessage& msg);
  void WMDeleteItem(TMessage& msg);
  void WMCtlColor(TMessage& msg);
  void WMScroll(TMessage& msg);
  void WMCharToItem(TMessage& msg);
  void WMSize(TMessage& msg);
  void WMMove(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);
  void WMWindowPosChanging(TMessage& msg);
  void WMSetCursor(TMessage& msg);
  void WMSetFocus(TMessage& msg);
  void WMKillFocus(TMessage& msg);
  void WMKeyDown(TMessage& msg);
  void WMKeyUp(TMessage& msg);
  void WMChar(TMessage& msg);
  void WMMouseMoveTrack(TMessage& msg);
  void WMMouseLeave(TMessage& msg);
  void WMMouseWheel(TMessage& msg);
  void WMNCDestroy(TMessage& msg);
  void CNKeyDown(TMessage& msg);
  void CNChar(TMessage& msg);
  void CNSysChar(TMessage& msg);
  void CNKeyUp(TMessage& msg);
  void CMEnter(TMessage& msg);
  void CMExit(TMessage& msg);
  void CMDialogKey(TMessage& msg);
  void CMDialogChar(TMessage& msg);
  void CMChildKey(TMessage& msg);
  void CMVisibleChangedWin(TMessage& msg);
  void CMEnabledChangedWin(TMessage& msg);
  void CMShowingChanged(TMessage& msg);
  void CMFontChangedWin(TMessage& msg);
  void CMColorChangedWin(TMessage& msg);
  void CMRecreateWnd(TMessage& msg);
  void CMInvalidate(TMessage& msg);
  void CMSysColorChange(TMessage& msg);
  void CMCancelMode(TMessage& msg);
  void CMParentCtl3DChanged(TMessage& msg);

  HWND FParentWindow = nullptr;
  std::vector<TControl*> FControls;      // graphic children, in z-order (bottom first)
  std::vector<TWinControl*> FWinControls;  // windowed children, in z-order (bottom first)
  std::vector<TWinControl*> FTabList;    // windowed children in tab order
  int FTabOrderWanted = -1;                // TabOrder read before the control had its parent
  bool FTabStop = false;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FShowing = false;
  bool FAligning = false;
  int FAlignLevel = 0;
  HBRUSH FBrush = nullptr;
  TColor FBrushColor = clNone;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
  TNotifyEvent FOnEnter, FOnExit;
  bool FDockSite = false;
  bool FUseDockManager = false;
  TOwned<TDockTree> FDockManager;
  std::vector<TControl*> FDockClients;
  TDockOverEvent FOnDockOver;
  TDockDropEvent FOnDockDrop;
  TUnDockEvent FOnUnDock;
  TGetSiteInfoEvent FOnGetSiteInfo;
};

// A windowless control drawn by Paint on its parent's window.
class TGraphicControl : public TControl {
  CL_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* owner);
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}

private:
  void WMPaint(TMessage& msg);
  TOwned<TControlCanvas> FCanvas;
};

// A windowed control that paints itself with Paint on its Canvas.
class TCustomControl : public TWinControl {
  CL_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* owner);
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TOwned<TControlCanvas> FCanvas;
};

// The control that has the mouse: CM_MOUSELEAVE goes to the previous one and CM_MOUSEENTER to the
// new one when it changes. UpdateMouseControl finds the control under the cursor.
TControl* MouseControl();
void SetMouseControl(TControl* control);
void UpdateMouseControl();
// The control (graphic controls included) at a screen point, in this process's windows.
TControl* FindDragTarget(POINT screenPos, bool allowDisabled);
// Ends the running drag of any control without a drop.
void CancelDrag();
// The windowed control a window belongs to.
inline TWinControl* FindControl(HWND wnd) { return TWinControl::FromHandle(wnd); }
// The control that has the mouse captured, if it is one of ours.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
