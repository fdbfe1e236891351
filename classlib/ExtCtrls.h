#pragma once
// Panels, splitters, timers and the colour box.
#include <string>
#include "classlib/StdCtrls.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using enum TPanelBevel;

// A container with bevels, a border band and a centred caption. FullRepaint off keeps the window
// from being repainted whole on every resize; Locked is kept for stored forms.
class TCustomPanel : public TCustomControl {
  CL_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* owner);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool value) { FFullRepaint = value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool value) { FLocked = value; }
  // The children lie inside the bevels and the border.
  void AdjustClientRect(RECT& rect) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

private:
  void CMTextChanged(TMessage& msg);
  void BordersChanged();
  TPanelBevel FBevelInner = bvNone, FBevelOuter = bvRaised;
  int FBevelWidth = 1, FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
  bool FFullRepaint = true;
  bool FLocked = false;
};

class TPanel : public TCustomPanel {
  CL_CLASS(TPanel, TCustomPanel)
public:
  using TCustomPanel::TCustomPanel;
};

// Draws a frame of the given width inside rect (top-left in one colour, bottom-right in the other)
// and shrinks rect by it.
void Frame3D(TCanvas* canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// A bar between an aligned control and the rest: dragging it resizes that control. The control
// resized is the visible one aligned to the same side that touches the splitter.
class TSplitter : public TGraphicControl {
  CL_CLASS(TSplitter, TGraphicControl)
public:
  explicit TSplitter(TComponent* owner);
  // The smallest size the resized control and the space beyond the splitter keep.
  int MinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = std::max(value, 1); }
  // Every style resizes while dragging.
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }
  TNotifyEvent OnMoved() const { return FOnMoved; }
  void SetOnMoved(TNotifyEvent e) { FOnMoved = e; }
  // The control the splitter resizes now, or nullptr.
  TControl* FindControl() const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
  int FMinSize = 30;
  TResizeStyle FResizeStyle = TResizeStyle::rsPattern;
  TControl* FControl = nullptr;  // being resized, during a drag
  POINT FDownPos{};
  int FStartSize = 0;
  TNotifyEvent FOnMoved;
};

// Runs OnTimer every Interval milliseconds while Enabled, on a hidden window of its own.
class TTimer : public TComponent {
  CL_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned value);
  TNotifyEvent OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent e);
  // Whether the system timer runs now.
  bool Running() const { return FRunning; }

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  void WndProc(TMessage& msg);
  HWND FWindow = nullptr;
  bool FEnabled = true;
  bool FRunning = false;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
};

// A drop-down list of the standard colours, each drawn as a swatch and its name.
class TColorBox : public TCustomComboBox {
  CL_CLASS(TColorBox, TCustomComboBox)
public:
  explicit TColorBox(TComponent* owner);
  // The chosen colour; one that is not among the listed ones is added to the list.
  TColor Selected() const;
  void SetSelected(TColor value);
  // The colour of an item.
  TColor Colors(int index) const;
  // The list is the box's own (the standard colours and the one selected): Selected is stored.
  bool IsItemsStored() const override { return false; }

protected:
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;

private:
  TColor FSelected = clBlack;
};

// What a bevel draws: a sunken or raised box, an etched frame, one line along a side, or nothing
// (a spacer that only takes room).
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
using enum TBevelShape;
enum class TBevelStyle { bsLowered, bsRaised };
using enum TBevelStyle;

// Lines and frames in the button shadow and highlight colours. A lowered line is the shadow above
// (or left of) the highlight; a raised one the other way round.
class TBevel : public TGraphicControl {
  CL_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* owner);
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

extern TUnit ExtCtrlsUnit;
