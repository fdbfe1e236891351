#pragma once
// The dock manager of a dock site: TDockTree lays the site's docked clients out in zones, one after
// another across the site's client area (stacked one above the other, or side by side when the
// site is aligned to the top or bottom of its parent), each zone with a grabber band on its top
// or left edge and a close button at the band's end. A press on a grabber drags the client away
// (a dock drag); a click on the close button hides the client. Hidden clients keep their place but
// take no zone.
//
// The tree hooks the site's WindowProc for the mouse while it lives (outside design time) and puts
// the previous one back when it goes. A control supplies a tree of its own by overriding
// TWinControl::CreateDockManager; derived trees change the grabber (AdjustDockRect,
// PaintDockFrame, GrabberSize).
#include <vector>
#include "classlib/Controls.h"

class TDockTree : public TObject {
  CL_CLASS(TDockTree, TObject)
public:
  explicit TDockTree(TWinControl* dockSite);
  // Gives the site its previous WindowProc back.
  void BeforeDestruction() override;

  TWinControl* DockSite() const { return FDockSite; }
  // The band's thickness.
  int GrabberSize() const { return FGrabberSize; }
  // The grabbers run along the zones' top edges (clients stacked), else along their left edges.
  bool GrabbersOnTop() const;

  // Takes a client: beside dropCtl (one of the clients) on side insertAt (alTop or alLeft before
  // it, else after it); after the last client when dropCtl is not one.
  virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropCtl);
  virtual void RemoveControl(TControl* control);
  // Lays the visible clients out in the site's client area (AdjustClientRect applied) and
  // repaints the grabbers when the layout changed (always with force).
  virtual void ResetBounds(bool force);
  // The screen rectangle client would get dropped beside dropCtl on dropAlign: the half of that
  // client's zone on the side, or the whole client area for a site without visible clients.
  virtual void PositionDockRect(TControl* client, TControl* dropCtl, TAlign dropAlign, RECT& dockRect);
  // Where a dock drag at a point of the site's client area would go: the client whose zone holds
  // the point and the half of it (alTop or alBottom when stacked, alLeft or alRight side by side).
  void GetDropTarget(POINT clientPos, TControl*& dropCtl, TAlign& dropAlign);
  // The zone of a visible client, grabber included (the empty rectangle for another control).
  RECT GetControlBounds(TControl* control);
  // Draws every visible client's grabber on dc (the site's client area).
  virtual void PaintSite(HDC dc);
  // The client whose grabber holds a point of the site's client area, with HTCAPTION on the band
  // or HTCLOSE on its close button; nullptr (and HTNOWHERE) elsewhere.
  TControl* HitTest(POINT mousePos, int& htFlag);
  // The docked clients in zone order.
  const std::vector<TControl*>& Clients() const { return FClients; }

protected:
  // Moves the client's rectangle out of the grabber band.
  virtual void AdjustDockRect(TControl* control, RECT& r);
  // Draws the grabber band of control's zone r (the zone, grabber included).
  virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const RECT& r);
  // The close button of the zone r.
  RECT CloseButtonRect(const RECT& r) const;
  void SetGrabberSize(int value) { FGrabberSize = value; }
  // Handles the site's mouse on the grabbers, then hands every message to the previous procedure.
  virtual void WindowProc(TMessage& msg);
  void CallPreviousWindowProc(TMessage& msg);

private:
  struct TZone {
    TControl* Control;
    RECT Bounds;
  };
  std::vector<TZone> Zones();
  int IndexOf(TControl* control) const;

  TWinControl* FDockSite;
  std::vector<TControl*> FClients;
  std::vector<RECT> FLaidOut;  // the zones of the last layout, to tell when it changes
  int FGrabberSize = 12;
  bool FHooked = false;
  TWndMethod FPreviousWndProc;
  TWeakRef<TControl> FCloseDown;  // the client whose close button is held down
};
