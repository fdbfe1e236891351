// The dock manager: zones of docked clients with their grabbers.
#include "classlib/DockTree.h"

#include <algorithm>
#include "classlib/Docking.h"
#include "classlib/Forms.h"

CL_DEFINE_CLASS(TDockTree);

TDockTree::TDockTree(TWinControl* dockSite) : FDockSite(dockSite)
{
  if (dockSite->IsDesigning()) return;
  FPreviousWndProc = dockSite->WindowProc();
  dockSite->SetWindowProc([this](TMessage& msg) { WindowProc(msg); });
  FHooked = true;
}

void TDockTree::BeforeDestruction()
{
  if (FHooked) {
    FHooked = false;
    FDockSite->SetWindowProc(FPreviousWndProc);
  }
  TObject::BeforeDestruction();
}

bool TDockTree::GrabbersOnTop() const { return FDockSite->Align() != alTop && FDockSite->Align() != alBottom; }

int TDockTree::IndexOf(TControl* control) const
{
  const auto it = std::find(FClients.begin(), FClients.end(), control);
  return it == FClients.end() ? -1 : static_cast<int>(it - FClients.begin());
}

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropCtl)
{
  if (IndexOf(control) >= 0) return;
  const int at = IndexOf(dropCtl);
  if (at < 0)
    FClients.push_back(control);
  else
    FClients.insert(FClients.begin() + at + (insertAt == alTop || insertAt == alLeft ? 0 : 1), control);
  FDockSite->Realign();
}

void TDockTree::RemoveControl(TControl* control)
{
  const int at = IndexOf(control);
  if (at < 0) return;
  FClients.erase(FClients.begin() + at);
  if (FCloseDown.Get() == control) FCloseDown.Reset();
  if (!FDockSite->IsDestroying()) FDockSite->Realign();
}

std::vector<TDockTree::TZone> TDockTree::Zones()
{
  std::vector<TZone> zones;
  for (TControl* client : FClients)
    if (client->Visible()) zones.push_back(TZone{client, RECT{}});
  if (zones.empty()) return zones;
  RECT area = FDockSite->ClientRect();
  FDockSite->AdjustClientRect(area);
  const bool stacked = GrabbersOnTop();
  const int n = static_cast<int>(zones.size());
  const int length = stacked ? RectHeight(area) : RectWidth(area);
  const int start = stacked ? area.top : area.left;
  for (int i = 0; i < n; ++i) {
    RECT& r = zones[i].Bounds;
    r = area;
    const int from = start + length * i / n, to = start + length * (i + 1) / n;
    if (stacked) {
      r.top = from;
      r.bottom = to;
    } else {
      r.left = from;
      r.right = to;
    }
  }
  return zones;
}

void TDockTree::ResetBounds(bool force)
{
  std::vector<RECT> laidOut;
  for (const TZone& zone : Zones()) {
    RECT r = zone.Bounds;
    AdjustDockRect(zone.Control, r);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    const RECT now = zone.Control->BoundsRect();
    if (!EqualRect(&now, &r)) zone.Control->SetBoundsRect(r);
    laidOut.push_back(zone.Bounds);
  }
  const bool changed = laidOut.size() != FLaidOut.size() ||
                       !std::equal(laidOut.begin(), laidOut.end(), FLaidOut.begin(),
                                   [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; });
  FLaidOut = std::move(laidOut);
  if (force || changed) FDockSite->Invalidate();
}

void TDockTree::GetDropTarget(POINT clientPos, TControl*& dropCtl, TAlign& dropAlign)
{
  dropCtl = nullptr;
  dropAlign = alNone;
  const bool stacked = GrabbersOnTop();
  for (const TZone& zone : Zones()) {
    if (!PtInRect(&zone.Bounds, clientPos)) continue;
    dropCtl = zone.Control;
    if (stacked)
      dropAlign = clientPos.y < (zone.Bounds.top + zone.Bounds.bottom) / 2 ? alTop : alBottom;
    else
      dropAlign = clientPos.x < (zone.Bounds.left + zone.Bounds.right) / 2 ? alLeft : alRight;
    return;
  }
}

void TDockTree::PositionDockRect(TControl*, TControl* dropCtl, TAlign dropAlign, RECT& dockRect)
{
  RECT r = GetControlBounds(dropCtl);
  if (IsRectEmpty(&r)) {
    r = FDockSite->ClientRect();
    FDockSite->AdjustClientRect(r);
  } else {
    switch (dropAlign) {
      case alTop: r.bottom = (r.top + r.bottom) / 2; break;
      case alBottom: r.top = (r.top + r.bottom) / 2; break;
      case alLeft: r.right = (r.left + r.right) / 2; break;
      case alRight: r.left = (r.left + r.right) / 2; break;
      default: break;
    }
  }
  const POINT origin = FDockSite->ClientToScreen(POINT{0, 0});
  OffsetRect(&r, origin.x, origin.y);
  dockRect = r;
}

RECT TDockTree::GetControlBounds(TControl* control)
{
  for (const TZone& zone : Zones())
    if (zone.Control == control) return zone.Bounds;
  return RECT{};
}

void TDockTree::AdjustDockRect(TControl*, RECT& r)
{
  if (GrabbersOnTop())
    r.top += FGrabberSize;
  else
    r.left += FGrabberSize;
}

RECT TDockTree::CloseButtonRect(const RECT& r) const
{
  if (GrabbersOnTop()) return RECT{r.right - FGrabberSize - 1, r.top + 1, r.right - 2, r.top + FGrabberSize - 2};
  return RECT{r.left + 1, r.top + 1, r.left + FGrabberSize - 2, r.top + FGrabberSize - 2};
}

void TDockTree::PaintDockFrame(TCanvas* canvas, TControl*, const RECT& r)
{
  // Two raised ridges along the band, and the close button at its end.
  HDC dc = canvas->Handle();
  RECT close = CloseButtonRect(r);
  DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  for (int ridge = 0; ridge < 2; ++ridge) {
    RECT line;
    if (GrabbersOnTop())
      line = RECT{r.left + 2, r.top + 2 + ridge * 4, close.left - 2, r.top + 5 + ridge * 4};
    else
      line = RECT{r.left + 2 + ridge * 4, close.bottom + 2, r.left + 5 + ridge * 4, r.bottom - 2};
    if (line.right > line.left && line.bottom > line.top) DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
  }
}

void TDockTree::PaintSite(HDC dc)
{
  const std::vector<TZone> zones = Zones();
  if (zones.empty()) return;
  TOwned<TCanvas> canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(dc);
  try {
    for (const TZone& zone : zones) PaintDockFrame(canvas.get(), zone.Control, zone.Bounds);
  } catch (...) {
    canvas->SetHandle(nullptr);
    throw;
  }
  canvas->SetHandle(nullptr);
}

TControl* TDockTree::HitTest(POINT mousePos, int& htFlag)
{
  htFlag = HTNOWHERE;
  for (const TZone& zone : Zones()) {
    const RECT& r = zone.Bounds;
    const RECT band = GrabbersOnTop() ? RECT{r.left, r.top, r.right, r.top + FGrabberSize}
                                      : RECT{r.left, r.top, r.left + FGrabberSize, r.bottom};
    if (!PtInRect(&band, mousePos)) continue;
    const RECT close = CloseButtonRect(r);
    htFlag = PtInRect(&close, mousePos) ? HTCLOSE : HTCAPTION;
    return zone.Control;
  }
  return nullptr;
}

void TDockTree::CallPreviousWindowProc(TMessage& msg)
{
  if (FPreviousWndProc)
    FPreviousWndProc(msg);
  else
    FDockSite->WndProc(msg);
}

void TDockTree::WindowProc(TMessage& msg)
{
  const TObjectCall call(this);
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int ht = HTNOWHERE;
      TControl* client = HitTest(msg.Pos(), ht);
      if (!client) break;
      msg.Result = 0;
      if (ht == HTCLOSE) {
        FCloseDown = client;
        SetCapture(FDockSite->Handle());
      } else {
        // The drag may free the tree (and the site): nothing here is touched afterwards.
        BeginDockDrag(client, false, -1, FDockSite);
      }
      return;
    }
    case WM_LBUTTONUP:
      if (FCloseDown.Assigned()) {
        TControl* client = FCloseDown.Get();
        FCloseDown.Reset();
        if (GetCapture() == FDockSite->Handle()) ReleaseCapture();
        int ht = HTNOWHERE;
        // A click on the close button closes a form and hides any other control.
        if (client && HitTest(msg.Pos(), ht) == client && ht == HTCLOSE) {
          if (auto* form = dynamic_cast<TCustomForm*>(client))
            form->Close();
          else
            client->Hide();
        }
        msg.Result = 0;
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      FCloseDown.Reset();
      break;
    case CM_DOCKNOTIFICATION:
      // A client's caption or visibility changed: its grabber shows it.
      FDockSite->Invalidate();
      break;
    default:
      break;
  }
  CallPreviousWindowProc(msg);
}
