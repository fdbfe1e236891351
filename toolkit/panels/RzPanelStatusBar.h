#pragma once
// The status bar: a bottom-aligned strip, 19 pixels high and without a frame unless its border
// properties are changed, that holds status panes (RzStatus.h) as children. It draws the visual
// style's status-bar background while visual styles are on, shows a size grip for its form, can
// scale its panes with its width (AutoScalePanes) and can hide them for one line of text
// (SimpleStatus).
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/panels/RzPanel.h"

// The visual style's status-bar theme while visual styles are on for the application, else nullptr.
HTHEME StatusBarTheme();

class TRzStatusBar : public TRzCustomPanel {
  CL_CLASS(TRzStatusBar, TRzCustomPanel)
public:
  explicit TRzStatusBar(TComponent* owner);

  // On while the border properties keep the default layout: a stored bar whose frame was changed
  // keeps its frame.
  bool AutoStyle() const { return FAutoStyle; }
  void SetAutoStyle(bool value) { FAutoStyle = value; }
  bool SimpleStatus() const { return FSimpleStatus; }
  virtual void SetSimpleStatus(bool value);
  const std::string& SimpleCaption() const { return FSimpleCaption; }
  virtual void SetSimpleCaption(const std::string& value);
  TFrameStyle SimpleFrameStyle() const { return FSimpleFrameStyle; }
  virtual void SetSimpleFrameStyle(TFrameStyle value);
  bool ShowSizeGrip() const { return FShowSizeGrip; }
  virtual void SetShowSizeGrip(bool value);
  bool AutoScalePanes() const { return FAutoScalePanes; }
  void SetAutoScalePanes(bool value) { FAutoScalePanes = value; }

  // Changing a border property ends AutoStyle.
  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;

  // Whether the size grip can size the form: a sizeable form that is not maximized.
  bool SizeGripValid() const { return FSizeGripValid; }
  // Where the size grip reacts: the rightmost 13 pixels.
  RECT SizeGripArea() const { return RECT{Width() - 13, 0, Width(), Height()}; }
  // Whether the bar draws itself with the visual style.
  bool IsThemed() const;
  RECT ClientRect() const override;
  void Loaded() override;
  void WndProc(TMessage& msg) override;
  // Draws the size grip in r (its bottom-right corner) on the canvas.
  virtual void DrawSizeGrip(TCanvas* canvas, const RECT& r);

protected:
  // The frame of the simple status line.
  virtual void DrawStatusBackground(const RECT& r);
  // The default layout: no frames on all sides, no border band, 19 pixels high. AutoStyle is left
  // as it was.
  virtual void ApplyDefaultLayout();
  // The bar's gradient runs from the darker to the lighter colour.
  void GetGradientColors(TColor& start, TColor& stop) const override;
  void CreateWnd() override;
  void Paint() override;
  // Scales the panes with the width when AutoScalePanes is on.
  void Resize() override;

private:
  void UpdateSizeGripValid();
  void WMSetCursor(TMessage& msg);
  void WMPaint(TMessage& msg);

  bool FAutoStyle = true;
  bool FSimpleStatus = false;
  std::string FSimpleCaption;
  TFrameStyle FSimpleFrameStyle = TFrameStyleEx::fsFlat;
  bool FShowSizeGrip = true;
  bool FAutoScalePanes = false;
  bool FFirstResize = true;
  int FLastWidthChange = 0;
  int FLastWidth = 0;
  TOwned<TControlCanvas> FSizeGripCanvas;
  bool FSizeGripValid = false;
};
