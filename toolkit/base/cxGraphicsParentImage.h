#pragma once
// Painting what lies behind a transparent control: the parent's image (and, when asked, the images of
// the parent's windowed children in front of which the control stands) copied onto the control's
// canvas, by sending the parent and the children their erase and paint messages with the canvas's
// device context.
#include <span>
#include "classlib/Win.h"

class TControl;
class TWinControl;
class TcxCanvas;

// A control answers through this whether its non-client frame is drawn when its image is copied.
class IcxPaintCopyQuery {
public:
  virtual bool IsPaintCopyFrameNeeded() = 0;

protected:
  ~IcxPaintCopyQuery() = default;
};

// Paints what lies behind the control under rect (the control's client coordinates): the parent's
// image when the parent is double-buffered, when the visual-styles library is not loaded or when the
// control has no window of its own, else the themed parent background. True when the canvas still
// has the device context it had before.
bool PaintParentBackground(TControl* control, TcxCanvas* canvas, const RECT& rect);
// Paints the parent's image under rect (the control's client coordinates) at the same place on the
// canvas, with the parent's windowed children that come before the control when withChildren is set.
// Nothing without a control or a parent, and nothing when the control is already asking for its
// parent's image (a windowless control is painted by its parent's own paint).
void PaintParentImage(TControl* control, TcxCanvas* canvas, const RECT& rect, bool withChildren);
// PaintParentImage with the context's window origin moved by offset for the duration.
void PaintParentImageShifted(TControl* control, TcxCanvas* canvas, const RECT& rect, bool withChildren,
                             POINT offset);
// Paints the control (its frame when asked, its background and its client area, then its windowed
// children up to the first one in stopList when withChildren is set) with the context's window origin
// moved by origin, limited to rect (the control's client coordinates after the move) and, when
// clipToWindowRegion is set, to the window's region.
void PaintControlCopy(TWinControl* control, TcxCanvas* canvas, POINT origin, bool withChildren,
                      std::span<const TControl* const> stopList, bool clipToWindowRegion, bool drawFrame,
                      const RECT& rect);
// The control's windowed children in order, up to the first one in stopList, each copied at its place.
void PaintChildControlsCopy(TWinControl* control, TcxCanvas* canvas,
                            std::span<const TControl* const> stopList);
// The client-edge or border frame of the control's window at (0, 0, Width, Height); the clip region is
// then limited to the inner rect and the window origin moved to its top-left corner.
void DrawControlFrameForCopy(TWinControl* control, TcxCanvas* canvas);
