#pragma once
// TcxScrollBar: a scroll bar drawn entirely by its look-and-feel painter: two arrow buttons, a thumb
// and the two page areas between them, with hot tracking, auto-repeat while an arrow or a page area
// is held, and thumb dragging that snaps back when the mouse wanders too far from the bar. The
// layout of the parts lives in a TcxScrollBarViewInfo, which the bar computes before it paints.
//
// Auto-repeat: a press on an arrow or a page area scrolls one step at once; the repeat timer then
// waits 400 ms and steps every 60 ms while the cursor stays on the pressed part (it pauses while
// the cursor is elsewhere and goes on when it comes back), until the button is released.
//
// Thumb dragging: the thumb follows the mouse while the mouse stays within 34 pixels of the bar's
// ends and 136 pixels of its sides (or anywhere with UnlimitedTracking); outside that area the
// position goes back to where it was at the press.
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Units.h"
#include "toolkit/base/cxLookAndFeels.h"

class TcxScrollBar;
class TcxTimer;

// Registers TcxScrollBar for stored forms.
extern TUnit UnitcxScrollBar;
class TdxThemeChangedNotificator;

// Distances around the bar within which a dragged thumb follows the mouse.
constexpr int cxScrollBarTrackingAlong = 34;
constexpr int cxScrollBarTrackingAcross = 136;
// The repeat timer's first wait and the steps after it, in milliseconds.
constexpr uint32_t cxScrollBarInitialRepeatInterval = 400;
constexpr uint32_t cxScrollBarRepeatInterval = 60;

// The width of a vertical and the height of a horizontal system scroll bar (as cx and cy).
SIZE GetSystemScrollBarSize();

// The rectangles of the bar's parts in its client coordinates. Along the bar, "back" is up or left
// and "forward" down or right; every part spans the bar's whole thickness.
class TcxScrollBarViewInfo : public TObject {
  CL_CLASS(TcxScrollBarViewInfo, TObject)
public:
  explicit TcxScrollBarViewInfo(TcxScrollBar* ScrollBar);

  // The arrows, the thumb and the page areas from the bar's size, range, page and position.
  virtual void Calculate();
  // The minimum thumb size from the bar's painter, then Calculate.
  virtual void Recalculate();
  // The thumb alone (and with it the page areas); no thumb while the bar is disabled, when the
  // track is shorter than the thumb would be, or for an empty range with a page.
  void CalculateThumb();
  // From the back arrow to the thumb and from the thumb to the forward arrow; empty without a
  // thumb.
  void CalculatePageAreas();
  // Moves the thumb along the bar to start at Start (its length kept), then the page areas.
  void PlaceThumb(int Start);
  // The position the thumb stands for. A thumb that fills the whole track stands for the current
  // position.
  int PositionFromThumb() const;

  TcxScrollBar* ScrollBar() const { return FScrollBar; }
  const RECT& BackArrowRect() const { return FBackArrowRect; }
  const RECT& ForwardArrowRect() const { return FForwardArrowRect; }
  const RECT& ThumbRect() const { return FThumbRect; }
  const RECT& PageBackRect() const { return FPageBackRect; }
  const RECT& PageForwardRect() const { return FPageForwardRect; }
  int MinThumbSize() const { return FMinThumbSize; }
  bool HasThumb() const { return !IsRectEmpty(&FThumbRect); }

  // Along the bar: where the track begins (the back arrow's end) and ends (the forward arrow's
  // start), and where the thumb begins and how long it is.
  int TrackStart() const;
  int TrackEnd() const;
  int ThumbStart() const;
  int ThumbLength() const;

private:
  bool Horizontal() const;
  // A rectangle across the whole thickness from from to to along the bar.
  RECT Span(int from, int to) const;

  RECT FForwardArrowRect{};
  RECT FPageForwardRect{};
  RECT FPageBackRect{};
  TcxScrollBar* FScrollBar;
  RECT FThumbRect{};
  int FMinThumbSize = 0;
  RECT FBackArrowRect{};
};

class TcxScrollBar : public TCustomControl, public IcxSkinSupportMarker {
  CL_CLASS(TcxScrollBar, TCustomControl)
public:
  // 121 pixels wide, as high as a system horizontal scroll bar; range 0 to 100, no page, steps 1.
  explicit TcxScrollBar(TComponent* Owner);
  ~TcxScrollBar() override;
  // Makes the view info (CreateViewInfo) and the first layout.
  void AfterConstruction() override;

  // Sets range, page and position together. Raises EInvalidOperation ("Scrollbar property out of
  // range") when Max < Min or Max - Min < PageSize, changing nothing. Position is clamped into
  // [Min, Max]. A new position enables the bar and calls Change; Redraw repaints the bar (when it
  // has a window) after any change.
  void SetScrollParams(int AMin, int AMax, int APageSize, int APosition, bool Redraw = true);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetScrollParams(Value, FMax, FPageSize, FPosition); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetScrollParams(FMin, Value, FPageSize, FPosition); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value) { SetScrollParams(FMin, FMax, Value, FPosition); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetScrollParams(FMin, FMax, FPageSize, Value); }
  TScrollBarInc SmallChange() const { return FSmallChange; }
  void SetSmallChange(TScrollBarInc Value) { FSmallChange = Value; }
  TScrollBarInc LargeChange() const { return FLargeChange; }
  void SetLargeChange(TScrollBarInc Value) { FLargeChange = Value; }
  // Changing the kind turns the bar: width and height are swapped (only the layout while loading).
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  bool UnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool Value) { FUnlimitedTracking = Value; }
  // Owned; setting assigns into it.
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value);
  // The 3-D look asked for; a skin painter switches the real one off while this keeps the wish.
  bool Ctl3D() const;
  void SetCtl3D(bool Value);
  bool IsCtl3DStored() const { return !ParentCtl3D(); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  const TScrollEvent& OnScroll() const { return FOnScroll; }
  void SetOnScroll(const TScrollEvent& Value) { FOnScroll = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // The part under a client point: arrows first, then (when there is a thumb) the thumb and the
  // page areas; sbeNone outside the bar and where no part is.
  TcxScrollBarElement HitTest(POINT P) const;
  // How a part is drawn now.
  TcxButtonState PartState(TcxScrollBarElement Part) const;
  TcxScrollBarElement PressedPart() const { return FPressedPart; }
  TcxScrollBarElement HotPart() const { return FHotPart; }
  TcxScrollBarViewInfo* ViewInfo() const { return FViewInfo.get(); }
  // The painter the look-and-feel chooses for scroll bars.
  TcxCustomLookAndFeelPainter* Painter() const;
  // The new position of a request: computed, offered to DoScroll, clamped; a track request only
  // moves the position and repaints, any other sets Position (with Change).
  void Scroll(TScrollCode ScrollCode);

protected:
  // The class library's Changed, then OnChange.
  virtual void Change();
  virtual TOwned<TcxScrollBarViewInfo> CreateViewInfo();
  // DrawBackground over the whole bar, then the back arrow, the forward arrow and, where there is
  // one, the thumb, the page-back and the page-forward area.
  virtual void DrawScrollBar(TcxCanvas* Canvas);
  virtual void DrawBackground(TcxCanvas* Canvas, const RECT& R);
  virtual void DrawPartWithState(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Part, TcxButtonState State);
  virtual void DrawPart(TcxCanvas* Canvas, const RECT& R, TcxScrollBarElement Part);
  virtual bool IsHotTrackEnabled() const;
  // OnScroll, which may change the new position.
  virtual void DoScroll(TScrollCode ScrollCode, int& ScrollPos);
  virtual int GetMinThumbSize() const;

  // The whole bar through DrawScrollBar into a bitmap of its size, then onto the screen.
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Under a skin painter the real 3-D border is off; the layout follows the painter's sizes.
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  virtual void ThemeChanged();
  // Ends thumb dragging or auto-repeat: the thumb's position is taken, the timer stops, the parts
  // go back to normal and scEndScroll is reported.
  void StopTracking();
  TcxTimer* RepeatTimer() const { return FTimer; }

private:
  friend class TcxScrollBarViewInfo;
  void TimerTick(TObject* Sender);
  void ScrollByPart(TcxScrollBarElement Part);
  void MoveThumb(POINT P);
  // The position the thumb stands for while it is dragged.
  int ThumbPosition() const;
  bool IsRepeatingPart(TcxScrollBarElement Part) const;
  // A client point along the bar.
  int Along(POINT P) const { return FKind == sbHorizontal ? P.x : P.y; }
  void ApplyCtl3D();

  void CNScroll(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CNCtlColorScrollBar(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPageSize = 0;
  int FPosition = 0;
  TScrollBarInc FSmallChange = 1;
  TScrollBarInc FLargeChange = 1;
  bool FUnlimitedTracking = false;
  bool FStoredCtl3D = true;
  // The thumb drag: the press point, and the position and thumb start at that moment.
  POINT FDragStartPoint{};
  int FDragStartPosition = 0;
  int FDragStartThumb = 0;
  TcxScrollBarElement FPressedPart = sbeNone;
  TcxScrollBarElement FHotPart = sbeNone;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  TOwned<TdxThemeChangedNotificator> FThemeNotificator;
  TcxTimer* FTimer;  // owned as a component
  TOwned<TcxScrollBarViewInfo> FViewInfo;
  TNotifyEvent FOnChange;
  TScrollEvent FOnScroll;
};
