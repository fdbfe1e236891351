#include "toolkit/base/cxGraphicsParentImage.h"

#include <algorithm>
#include <vector>
#include "classlib/Controls.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/dxUxTheme.h"

namespace {
// The controls whose parent's image is being painted on this thread: a windowless control is painted
// by its parent's paint, so asking for the parent's image again from there would never end.
thread_local std::vector<const TControl*> GPaintingParentOf;

// Drawing at logical (x, y) lands where (x + dx, y + dy) landed before.
void MoveWindowOrg(HDC dc, int dx, int dy)
{
  POINT org{};
  GetWindowOrgEx(dc, &org);
  SetWindowOrgEx(dc, org.x - dx, org.y - dy, nullptr);
}

bool IsOnStopList(const TControl* control, std::span<const TControl* const> stopList)
{
  return std::find(stopList.begin(), stopList.end(), control) != stopList.end();
}

bool PaintCopyFrameWanted(TWinControl* control)
{
  auto* query = dynamic_cast<IcxPaintCopyQuery*>(control);
  return !query || query->IsPaintCopyFrameNeeded();
}

// Limits the clip region to the window's region, moved from window into client coordinates.
void ClipToWindowRegion(TWinControl* control, TcxCanvas* canvas)
{
  if (!control->HandleAllocated()) return;
  HWND wnd = control->Handle();
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (!rgn) return;
  const int kind = GetWindowRgn(wnd, rgn);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    RECT windowRect{};
    GetWindowRect(wnd, &windowRect);
    POINT clientOrigin{0, 0};
    ClientToScreen(wnd, &clientOrigin);
    OffsetRgn(rgn, windowRect.left - clientOrigin.x, windowRect.top - clientOrigin.y);
    auto region = MakeOwned<TcxRegion>(rgn);  // takes the handle
    canvas->ApplyClipRegion(region.get(), roIntersect);
  } else {
    DeleteObject(rgn);
  }
}

// Puts the control's state back however the painting ends.
class TPaintCopyState {
public:
  explicit TPaintCopyState(TControl* control) : FControl(control), FSaved(control->ControlState())
  {
    TControlState state = FSaved;
    state.Include(TControlStateFlag::csPaintCopy);
    FControl->SetControlState(state);
  }
  ~TPaintCopyState() { FControl->SetControlState(FSaved); }
  TPaintCopyState(const TPaintCopyState&) = delete;
  TPaintCopyState& operator=(const TPaintCopyState&) = delete;

private:
  TControl* FControl;
  TControlState FSaved;
};
}  // namespace

bool PaintParentBackground(TControl* control, TcxCanvas* canvas, const RECT& rect)
{
  const HDC dc = canvas->GetDCHandle();
  auto* windowed = dynamic_cast<TWinControl*>(control);
  TWinControl* parent = control ? control->Parent() : nullptr;
  if ((parent && parent->DoubleBuffered()) || !IsUxThemeLoaded() || !windowed)
    PaintParentImage(control, canvas, rect, false);
  else
    dxUxTheme::DrawThemeParentBackground(windowed->Handle(), dc, &rect);
  return canvas->GetDCHandle() == dc;
}

void PaintParentImage(TControl* control, TcxCanvas* canvas, const RECT& rect, bool withChildren)
{
  if (!control || !control->Parent()) return;
  if (std::find(GPaintingParentOf.begin(), GPaintingParentOf.end(), control) != GPaintingParentOf.end())
    return;
  GPaintingParentOf.push_back(control);
  struct TPop {
    ~TPop() { GPaintingParentOf.pop_back(); }
  } pop;
  RECT r = rect;
  OffsetRect(&r, control->Left(), control->Top());
  const TControl* const stopList[] = {control};
  // The control's client coordinates stay those of the canvas: the parent's point (Left, Top) lands at
  // the canvas's (0, 0), so the image under rect is painted at rect.
  PaintControlCopy(control->Parent(), canvas, POINT{-control->Left(), -control->Top()}, withChildren,
                   stopList, true, false, r);
}

void PaintParentImageShifted(TControl* control, TcxCanvas* canvas, const RECT& rect, bool withChildren,
                             POINT offset)
{
  const HDC dc = canvas->GetDCHandle();
  MoveWindowOrg(dc, offset.x, offset.y);
  try {
    PaintParentImage(control, canvas, rect, withChildren);
  } catch (...) {
    MoveWindowOrg(dc, -offset.x, -offset.y);
    throw;
  }
  MoveWindowOrg(dc, -offset.x, -offset.y);
}

void PaintControlCopy(TWinControl* control, TcxCanvas* canvas, POINT origin, bool withChildren,
                      std::span<const TControl* const> stopList, bool clipToWindowRegion, bool drawFrame,
                      const RECT& rect)
{
  if (!control || control->IsDestroying()) return;
  canvas->PushDCState();
  try {
    const HDC dc = canvas->GetDCHandle();
    MoveWindowOrg(dc, origin.x, origin.y);
    if (RectVisible(dc, &rect)) {
      TPaintCopyState state(control);
      if (drawFrame && PaintCopyFrameWanted(control)) DrawControlFrameForCopy(control, canvas);
      if (clipToWindowRegion) ClipToWindowRegion(control, canvas);
      canvas->IntersectClipWithRect(rect);
      control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
      control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      if (withChildren) PaintChildControlsCopy(control, canvas, stopList);
    }
  } catch (...) {
    canvas->PopDCState();
    throw;
  }
  canvas->PopDCState();
}

void PaintChildControlsCopy(TWinControl* control, TcxCanvas* canvas,
                            std::span<const TControl* const> stopList)
{
  if (!control) return;
  for (int i = 0; i < control->ControlCount(); ++i) {
    TControl* child = control->Controls(i);
    if (IsOnStopList(child, stopList)) break;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->Visible()) continue;
    const RECT childRect{0, 0, windowed->Width(), windowed->Height()};
    PaintControlCopy(windowed, canvas, POINT{windowed->Left(), windowed->Top()}, true, stopList, true, true,
                     childRect);
  }
}

void DrawControlFrameForCopy(TWinControl* control, TcxCanvas* canvas)
{
  if (!control || !control->HandleAllocated()) return;
  const HWND wnd = control->Handle();
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  UINT edge = 0, flags = BF_RECT | BF_ADJUST;
  if (exStyle & WS_EX_CLIENTEDGE) {
    edge = EDGE_SUNKEN;
  } else if (style & WS_BORDER) {
    edge = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
    flags |= BF_MONO;
  } else {
    return;
  }
  const HDC dc = canvas->GetDCHandle();
  RECT r{0, 0, control->Width(), control->Height()};
  DrawEdge(dc, &r, edge, flags);
  canvas->IntersectClipWithRect(r);
  MoveWindowOrg(dc, r.left, r.top);
}
