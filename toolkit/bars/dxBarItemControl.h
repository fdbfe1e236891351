#pragma once
// The visual side of one shown item link: item controls are not windows; they draw on their bar
// control's canvas through its bar painter and take their input from it. Each item class is
// paired with the item-control class that shows it (TdxBarItemList).
//
// What the item model tells a control: the changes of its item and link, and the queries the
// model makes of it. The base answers neutrally; the controls of each kind of item answer for
// themselves.
#include "classlib/ClassRef.h"
#include "toolkit/base/cxClasses.h"

class TdxBarItemControl : public TcxIUnknownObject {
  CL_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
  // Changes of the item or of the link's own values.
  virtual void CaptionChanged() {}
  virtual void EnabledChanged() {}
  virtual void GlyphChanged() {}
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged() {}
  virtual void PaintStyleChanged() {}
  virtual void WidthChanged() {}
  // The space the control needs may have changed.
  virtual void SizeChanged() {}
  // The link was given its rectangle in the bar control.
  virtual void ItemRectChanged() {}
  // Drops what the control measured or drew before.
  virtual void DropCachedImage() {}
  virtual void DropCachedWidths() {}
  // Measures its text again with the style font.
  virtual void CalcTextMetrics() {}
  // Draws itself again.
  virtual void Repaint() {}
  // Whether it needs refreshing (an edit shows a value its item no longer has, say).
  virtual bool Refresh() { return false; }
  // Active: an edit being edited, a combo dropped down.
  virtual bool IsActive() const { return false; }
  // The keyboard may select it.
  virtual bool CanSelect() const { return false; }
};

using TdxBarItemControlClass = TClassRef<TdxBarItemControl>;
