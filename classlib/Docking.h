#pragma once
// Docking controls into dock sites, and floating them in forms of their own.
//
// A control with DragKind dkDock is dragged by BeginDrag (or a press with DragMode dmAutomatic, or
// its grabber in a dock site, or the caption of its floating form) in a loop of its own: once the
// mouse leaves the threshold the control hears DoStartDock (OnStartDock may supply the dock
// object), and a frame follows the mouse. Over a dock site that takes the control (GetSiteInfo,
// then DockOver) the frame shows where the site would put it; away from every site it shows the
// floating form the control would get; over a site that answers no it goes. Release docks the
// control there (the site it leaves may refuse through OnUnDock) or floats it; a release over a
// site that answered no, Escape, another window taking the capture or the application quitting
// leave everything where it was. The control hears DoEndDock at the end, whatever happened.
//
// A floating control sits alone in a TCustomDockForm, a tool window that follows the control's
// caption and visibility; closing it hides the control, dragging its caption drags the control,
// and it frees itself when the control leaves it.
#include "classlib/DragDrop.h"
#include "classlib/Forms.h"

// The drag object of a dock drag.
class TDragDockObject : public TBaseDragControlObject {
  CL_CLASS(TDragDockObject, TBaseDragControlObject)
public:
  explicit TDragDockObject(TControl* control) : TBaseDragControlObject(control) {}

  // Where the control would go, in screen coordinates: the frame that follows the mouse.
  RECT DockRect() const { return FDockRect; }
  void SetDockRect(const RECT& value) { FDockRect = value; }
  // Beside which of the target's clients the control would go, and on which side of it (alNone:
  // after the last one).
  TControl* DropOnControl() const { return FDropOnControl; }
  void SetDropOnControl(TControl* value) { FDropOnControl = value; }
  TAlign DropAlign() const { return FDropAlign; }
  void SetDropAlign(TAlign value) { FDropAlign = value; }
  // The control would float (no dock site takes it where the mouse is).
  bool Floating() const { return FFloating; }
  // The width of the frame drawn around DockRect.
  virtual int FrameWidth() const { return 3; }

private:
  friend struct TDockDriver;
  RECT FDockRect{};
  TControl* FDropOnControl = nullptr;
  TAlign FDropAlign = alNone;
  bool FFloating = true;
};

// The form a floating control sits in: a sizeable tool window, stay-on-top, whose only dock client
// fills it.
class TCustomDockForm : public TCustomForm {
  CL_CLASS(TCustomDockForm, TCustomForm)
public:
  explicit TCustomDockForm(TComponent* owner);
  // The form takes no other control.
  void GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock) override;

protected:
  // Closing hides the docked control with the form.
  void DoClose(TCloseAction& action) override;

private:
  void WMNCLButtonDown(TMessage& msg);
  void CMDockNotification(TMessage& msg);
  void CMControlListChange(TMessage& msg);
};

// Runs a dock drag of control (see above); returns when it has ended. immediate starts it at once,
// else once the mouse has moved threshold pixels (-1: MouseDragThreshold); a release before that
// is handed on as a click to pressedOn, the control whose window was pressed (by default the
// control's own, or its parent's for a control without a window). Nothing happens while another
// drag runs.
void BeginDockDrag(TControl* control, bool immediate, int threshold = -1, TWinControl* pressedOn = nullptr);
// A dock drag is running.
bool DockDragging();
