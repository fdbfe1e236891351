#pragma once
// Status panes: windowless controls that show one line of text in a frame, normally as children of
// a TRzStatusBar. A pane can size itself to its caption, blink its text through the shared blink
// list, take over the bar's themed look, follow a frame controller and show the application's hint
// (AutoHint).
//
// The unit: start-up registers TRzStatusPane for stored forms; shut-down unregisters it.
#include <cstdint>
#include "classlib/Controls.h"
#include "classlib/Units.h"
#include "toolkit/panels/RzCommon.h"

extern TUnit UnitRzStatus;

class TRzStatusBar;

class TRzCustomStatusPane : public TGraphicControl, public IRzFrameControllerClient {
  CL_CLASS(TRzCustomStatusPane, TGraphicControl)
public:
  // Registers the pane in the blink list (made when there is none).
  explicit TRzCustomStatusPane(TComponent* owner);
  // Leaves the blink list (freed with the last pane) and the frame controller.
  void BeforeDestruction() override;

  TAlignment Alignment() const { return FAlignment; }
  virtual void SetAlignment(TAlignment value);
  // The width follows the caption: DefaultWidth without one.
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool value);
  // The caption follows the application's hint.
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool value) { FAutoHint = value; }
  int DefaultWidth() const { return FDefaultWidth; }
  virtual void SetDefaultWidth(int value);
  TColor BlinkColor() const { return FBlinkColor; }
  virtual void SetBlinkColor(TColor value);
  // Takes part in blinking: from the next blink phase on; turning it off shows the font colour at
  // once.
  bool Blinking() const { return FBlinking; }
  virtual void SetBlinking(bool value);
  // The lengths of the phases of the shared blink list: a change reaches every pane.
  virtual int BlinkIntervalOff() const;
  virtual void SetBlinkIntervalOff(int value);
  virtual int BlinkIntervalOn() const;
  virtual void SetBlinkIntervalOn(int value);
  // The blink phase is shown now.
  bool BlinkOn() const { return FBlinkOn; }
  // The colour the caption is drawn in: the font's, or BlinkColor during a blink phase.
  TColor ActiveTextColor() const { return FActiveTextColor; }
  TColor NormalTextColor() const { return FNormalTextColor; }
  // Inset of the frame from the pane's edge.
  int BorderWidth() const { return FBorderWidth; }
  virtual void SetBorderWidth(int value);
  // Extra horizontal inset of the text.
  int CaptionOffset() const { return FCaptionOffset; }
  virtual void SetCaptionOffset(int value);
  // Background of the caption when opaque; setting it stops it following Color.
  TColor FillColor() const { return FFillColor; }
  virtual void SetFillColor(TColor value);
  bool ParentFillColor() const { return FParentFillColor; }
  virtual void SetParentFillColor(bool value);
  TColor FlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle value);
  TRzFrameController* FrameController() const { return FFrameController; }
  virtual void SetFrameController(TRzFrameController* value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { FFrameControllerNotifications = value; }
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  bool IsFillColorStored() const { return !FParentFillColor; }

  // The status bar the pane sits on, or nullptr.
  TRzStatusBar* StatusBar() const;
  // The pane draws the visual style's pane: its bar is themed.
  bool IsThemedInStatusBar() const;
  // Whether r (client coordinates) reaches the right edge of a bar that shows its size grip.
  virtual bool IsUnderSizeGrip(const RECT& r) const;
  // The width AutoSize gives.
  virtual int GetAutoWidth();
  // Where the caption is drawn: the client area inside the inset and the frame.
  virtual RECT GetCaptionRect() const;
  // Fits the width to the caption with AutoSize (not while loading).
  virtual void AdjustSize();

  void ApplyFrameControllerSettings() override;
  // With AutoHint, a hint action sets the caption to its hint.
  bool ExecuteAction(TBasicAction* action) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  virtual void DrawFrame();
  virtual void DrawCaption(const std::string& text);
  // Shows the blink phase (on) or the normal one, at once.
  virtual void SetBlinkState(bool on);
  void Paint() override;

private:
  template <class T> void Change(T& field, const T& value);
  void RZMQueryBlinking(TMessage& msg);
  void RZMSetBlinkState(TMessage& msg);
  void CMFontChanged(TMessage& msg);
  void CMTextChanged(TMessage& msg);
  void CMColorChanged(TMessage& msg);
  void CMHitTest(TMessage& msg);
  void CMMouseEnter(TMessage& msg);
  void CMMouseLeave(TMessage& msg);

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  bool FAutoHint = false;
  int FDefaultWidth = 40;
  TColor FBlinkColor = clHighlight;
  bool FBlinkOn = false;
  bool FBlinking = false;
  TColor FNormalTextColor = clWindowText;
  TColor FActiveTextColor = clWindowText;
  int FBorderWidth = 1;
  int FCaptionOffset = 2;
  bool FParentFillColor = true;
  TColor FFillColor = clWindow;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 30;
  TFrameStyle FFrameStyle = TFrameStyleEx::fsFlat;
  TRzFrameController* FFrameController = nullptr;
  TRzFrameControllerNotifications FFrameControllerNotifications = fcpAllNotifications;
  bool FTransparent = true;
};

class TRzStatusPane : public TRzCustomStatusPane {
  CL_CLASS(TRzStatusPane, TRzCustomStatusPane)
public:
  using TRzCustomStatusPane::TRzCustomStatusPane;
};
