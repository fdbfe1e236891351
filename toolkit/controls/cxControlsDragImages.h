#pragma once
// The drag-image windows of the control framework.
//
// TcxCustomDragImage: a borderless, half-transparent popup window for drag pictures. The mouse goes
// through it to the windows below, and it never erases its background (its owner paints all of
// it).
//
// TcxSizeFrame: the outline shown while a drop-down window is resized: a frame of the given width,
// filled with a black and white halftone, whose window region leaves the inside empty.
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

class TcxCustomDragImage : public TcxPopupWindow, public IcxSkinSupportQuery {
  CL_CLASS(TcxCustomDragImage, TcxPopupWindow)
public:
  // Empty bounds, alpha blending at 180, explicit popup mode.
  explicit TcxCustomDragImage(TComponent* Owner = nullptr);
  // Back to popup mode pmNone first.
  void BeforeDestruction() override;

  // ShowWindow with the command (SW_SHOW..., SW_HIDE), then Update.
  void ShowWithCommand(int Command);
  // Skins never draw a drag image.
  virtual bool SupportsSkins() { return false; }
  bool AcceptsSkins() override { return SupportsSkins(); }

protected:
  // The window's owner is PopupParent, or without one the screen's active form when there is one.
  void CreateParams(TCreateParams& Params) override;

private:
  void WMEraseBkgnd(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
};

class TcxSizeFrame : public TcxCustomDragImage {
  CL_CLASS(TcxSizeFrame, TcxCustomDragImage)
public:
  explicit TcxSizeFrame(int FrameWidth);
  ~TcxSizeFrame() override;

  // The frame region becomes the rectangle of R's size, then the window takes R (screen
  // coordinates).
  void SetFrameRect(const RECT& R);
  // With a window, and while the size is more than twice the frame width both ways, the window
  // region becomes the frame: the region less its inside.
  void SetBounds(int Left, int Top, int Width, int Height) override;

  int FrameWidth() const { return FFrameWidth; }
  TcxRegion* FrameRegion() const { return FFrameRegion.get(); }

protected:
  void Paint() override;
  // The frame region less its copy shrunk by the frame width on every side.
  void BuildFrameRegion();
  // The window region becomes a copy of the frame region, unless it is that already.
  void ApplyFrameRegion();

private:
  int FFrameWidth;
  TOwned<TcxRegion> FFrameRegion;
};
