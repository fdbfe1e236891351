#pragma once
// The painted scroll bars and the size-grip corner of a TcxControl, in place of the system's. Both
// bars and the grip are child windows of the control along its right and bottom edges, drawn with
// looks-and-feels that follow the control's.
//
// A descendant describes what it can scroll by calling SetScrollBarInfo for each bar from its
// CalculateScrollBarParams; TcxControl::UpdateScrollBars then decides which bars show:
// - the wishes are calculated again and again, each pass seeing the client area the wished bars
//   leave, until a pass leaves them unchanged (at most cxMaxScrollBarCalculationPasses passes);
// - content that would fit if the other bar were hidden shows neither bar, where the control allows
//   it (CheckScrollBarOverlap) and both bars may hide;
// - a change of bars resizes the client area, which calculates again; when that brings the wishes
//   back to where they were before the change, the bars that came or went stay on screen,
//   disabled, instead of coming and going forever.
// The grip shows exactly when both bars do. Scrolling by the bars arrives at the control's Scroll.
#include "classlib/Controls.h"
#include "toolkit/controls/cxControlsControl.h"
#include "toolkit/controls/cxScrollBar.h"

// The passes of one calculation of the wishes before the last pass's wishes are taken as they are.
constexpr int cxMaxScrollBarCalculationPasses = 8;
// How deep a change of bars may nest new calculations before the bars are held as they are.
constexpr int cxMaxScrollBarUpdateNesting = 4;

// What the control wishes of one bar; the bar takes it in ApplyWishedData.
struct TcxScrollBarData {
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int PageSize = 0;
  TScrollBarInc SmallChange = 1;
  TScrollBarInc LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool AllowShow = false;  // the caller's AllowShow, and the control's ScrollBars allow this bar
  bool AllowHide = false;
};

class TcxControlScrollBar : public TcxScrollBar {
  CL_CLASS(TcxControlScrollBar, TcxScrollBar)
public:
  // Face colour, not framed, hidden, no tab stop.
  explicit TcxControlScrollBar(TComponent* Owner);

  TcxScrollBarData& Data() { return FData; }
  const TcxScrollBarData& Data() const { return FData; }
  // Takes the wish: range, page, position and steps when it is to show, then Enabled and Visible.
  void ApplyWishedData();
  // Moves the window to the top of its siblings without moving, sizing or erasing it.
  void SetZOrder(bool TopMost) override;

protected:
  // Focuses the parent before the bar handles a left press: a TcxControl when it agrees
  // (CanFocusOnScrollBarClick), any other parent when it can take the focus.
  virtual void FocusParent();
  void WndProc(TMessage& Message) override;

private:
  void CMDesignHitTest(TMessage& Message);
  TcxScrollBarData FData;
};

// The plain square where both bars meet, filled with the painter's form content colour.
class TcxSizeGrip : public TCustomControl {
  CL_CLASS(TcxSizeGrip, TCustomControl)
public:
  explicit TcxSizeGrip(TComponent* Owner);
  ~TcxSizeGrip() override;
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetZOrder(bool TopMost) override;

protected:
  void Paint() override;

private:
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void WMEraseBkgnd(TMessage& Message);
  TOwned<TcxLookAndFeel> FLookAndFeel;
};
