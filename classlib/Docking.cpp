// Docking: the dock drag loop, the docking members of controls and dock sites, and the floating
// form.
#include "classlib/Docking.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/DockTree.h"
#include "classlib/GraphicsUtils.h"

CL_DEFINE_CLASS(TDragDockObject);

// The frame that follows the mouse during a dock drag: a top-most window the mouse goes through,
// cut to a band around the dock rectangle and filled with a halftone pattern.
class TDockFrame : public TCustomControl {
  CL_CLASS(TDockFrame, TCustomControl)
public:
  explicit TDockFrame(TComponent* owner) : TCustomControl(owner)
  {
    TOwned<TBitmap> pattern = AllocPatternBitmap(clBlack, clWhite);
    Canvas()->Brush()->SetBitmap(pattern.get());
  }

  void ShowAt(const RECT& r, int width)
  {
    if (EqualRect(&r, &FShown) && width == FWidth) return;
    FShown = r;
    FWidth = width;
    const int w = std::max<int>(RectWidth(r), 1), h = std::max<int>(RectHeight(r), 1);
    HWND wnd = Handle();
    TRegionHandle band(CreateRectRgn(0, 0, w, h));
    TRegionHandle inside(CreateRectRgn(width, width, w - width, h - width));
    CombineRgn(band.Get(), band.Get(), inside.Get(), RGN_DIFF);
    SetBounds(r.left, r.top, w, h);
    SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The window owns its region from here on.
    if (SetWindowRgn(wnd, band.Get(), TRUE)) band.Release();
  }

  void HideFrame()
  {
    FShown = RECT{};
    if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
  }

protected:
  void CreateParams(TCreateParams& params) override
  {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    params.WndParent = nullptr;
  }
  void Paint() override
  {
    const RECT r = ClientRect();
    Canvas()->FillRect(r);
  }

private:
  void WMNCHitTest(TMessage& msg) { msg.Result = HTTRANSPARENT; }
  void WMEraseBkgnd(TMessage& msg) { msg.Result = 1; }

  RECT FShown{};
  int FWidth = 0;
};

CL_MESSAGE_MAP(TDockFrame,
  {WM_NCHITTEST, &TDockFrame::WMNCHitTest},
  {WM_ERASEBKGND, &TDockFrame::WMEraseBkgnd});
CL_DEFINE_CLASS(TDockFrame);

namespace {

bool GDockDragging = false;

// The control's rectangle in screen coordinates.
RECT ScreenBounds(const TControl* control)
{
  POINT origin{control->Left(), control->Top()};
  if (control->Parent()) origin = control->Parent()->ClientToScreen(origin);
  return RECT{origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
}

// The screen point of a mouse message.
POINT MessagePoint(const MSG& msg)
{
  if (!msg.hwnd) return msg.pt;
  POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  ClientToScreen(msg.hwnd, &p);
  return p;
}

// The dock site whose influence holds p and that takes control there: the most closely fitting
// one when several do. The control itself, what it holds and hidden controls are passed over.
TWinControl* FindDockSite(TControl* control, POINT p)
{
  TWinControl* best = nullptr;
  long long bestArea = LLONG_MAX;
  auto visit = [&](auto& self, TWinControl* site) -> void {
    if (site == control || !site->Visible() || !site->HandleAllocated() || !IsWindowVisible(site->Handle())) return;
    if (site->DockSite()) {
      RECT influence{};
      GetWindowRect(site->Handle(), &influence);
      InflateRect(&influence, 10, 10);
      bool canDock = true;
      site->GetSiteInfo(control, influence, p, canDock);
      const long long area = static_cast<long long>(RectWidth(influence)) * RectHeight(influence);
      if (canDock && PtInRect(&influence, p) && area < bestArea) {
        best = site;
        bestArea = area;
      }
    }
    for (int i = 0; i < site->ControlCount(); ++i)
      if (auto* child = dynamic_cast<TWinControl*>(site->Controls(i))) self(self, child);
  };
  if (Screen)
    for (int i = 0; i < Screen->FormCount(); ++i) visit(visit, Screen->Forms(i));
  return best;
}

}  // namespace

// ----- the dock drag ------------------------------------------------------------------------

struct TDockDriver {
  TWeakRef<TControl> Control;
  HWND Capture;
  POINT Start{};
  TOwned<TDragDockObject> OwnedObject;  // made here, when OnStartDock supplied none
  TDragDockObject* Object = nullptr;
  TWeakRef<TWinControl> Target;
  bool Accepted = false;
  bool Refused = false;  // over a site that does not take the control: a drop does nothing
  POINT GrabOffset{};
  SIZE FloatSize{};
  TOwned<TDockFrame> Frame;

  TDockDriver(TControl* control, HWND capture) : Control(control), Capture(capture)
  {
    GDockDragging = true;
    GetCursorPos(&Start);
    SetCapture(capture);
  }
  ~TDockDriver()
  {
    if (GetCapture() == Capture) ReleaseCapture();
    GDockDragging = false;
  }
  TDockDriver(const TDockDriver&) = delete;
  TDockDriver& operator=(const TDockDriver&) = delete;

  // Where the control would float with the mouse at p.
  RECT FloatRect(POINT p) const
  {
    const int left = p.x - GrabOffset.x, top = p.y - GrabOffset.y;
    return RECT{left, top, left + FloatSize.cx, top + FloatSize.cy};
  }

  // The drag begins to run; answers false when it cannot (the control went while starting).
  bool Begin(POINT p)
  {
    TControl* control = Control.Get();
    TDragDockObject* object = nullptr;
    control->DoStartDock(object);
    if (!Control) return false;
    if (!object) {
      OwnedObject = MakeOwned<TDragDockObject>(control);
      object = OwnedObject.get();
    }
    Object = object;
    const RECT bounds = ScreenBounds(control);
    FloatSize = control->Floating() ? SIZE{control->Width(), control->Height()}
                                    : SIZE{control->UndockWidth(), control->UndockHeight()};
    // The point grabbed stays under the mouse, inside the floating size.
    GrabOffset = POINT{std::clamp<LONG>(Start.x - bounds.left, 0, std::max<LONG>(FloatSize.cx - 1, 0)),
                       std::clamp<LONG>(Start.y - bounds.top, 0, std::max<LONG>(FloatSize.cy - 1, 0))};
    Frame = MakeOwned<TDockFrame>(nullptr);
    MoveTo(p);
    return static_cast<bool>(Control);
  }

  // Tells the target it is left behind.
  void LeaveTarget(POINT p)
  {
    TWinControl* old = Target.Get();
    Target.Reset();
    if (!old) return;
    const POINT c = old->ScreenToClient(p);
    bool accept = true;
    old->DockOver(Object, c.x, c.y, dsDragLeave, accept);
  }

  // The mouse is at p: finds the site that takes the control there and moves the frame.
  void MoveTo(POINT p)
  {
    TControl* control = Control.Get();
    TWinControl* site = FindDockSite(control, p);
    TDragState state = dsDragMove;
    if (site != Target.Get()) {
      LeaveTarget(p);
      if (!Control) return;
      Target = site;
      state = dsDragEnter;
    }
    Accepted = false;
    if (site) {
      const POINT c = site->ScreenToClient(p);
      Accepted = true;
      site->DockOver(Object, c.x, c.y, state, Accepted);
      if (!Control) return;
      Accepted = Accepted && Target;
    }
    Refused = site && !Accepted;
    Object->FFloating = !Accepted;
    if (!Accepted) {
      Object->FDockRect = FloatRect(p);
      Object->FDropOnControl = nullptr;
      Object->FDropAlign = alNone;
    }
    if (Refused) {
      Frame->HideFrame();
      if (Screen) SetCursor(Screen->Cursors(crNoDrop));
    } else {
      Frame->ShowAt(Object->FDockRect, Object->FrameWidth());
      if (Screen) SetCursor(Screen->Cursors(crArrow));
    }
  }

  // Docks or floats the control where the mouse is; answers where it went (nullptr: nowhere).
  TWinControl* Drop(POINT p, POINT& at)
  {
    MoveTo(p);
    if (!Control) return nullptr;
    Frame.reset();
    TControl* control = Control.Get();
    TWeakRef<TWinControl> site(Accepted ? Target.Get() : nullptr);
    LeaveTarget(p);
    if (!Control || Refused) return nullptr;
    TWinControl* host = control->HostDockSite();
    if (site) {
      if (host && host != site.Get() && !host->DoUnDock(site.Get(), control)) return nullptr;
      if (!site || !Control) return nullptr;
      at = site->ScreenToClient(p);
      site->DockDrop(Object, at.x, at.y);
      return site.Get();
    }
    if (!control->ManualFloat(Object->FDockRect)) return nullptr;
    TWinControl* floatHost = control->HostDockSite();
    if (floatHost) at = floatHost->ScreenToClient(p);
    return floatHost;
  }

  // Runs the drag until it ends.
  void Run(bool immediate, int threshold)
  {
    bool running = false;
    if (immediate) {
      if (!Begin(Start)) return;
      running = true;
    }
    TWinControl* endedIn = nullptr;
    POINT at{};
    bool ended = false;
    while (!ended && Control && GetCapture() == Capture) {
      MSG msg{};
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        // The application quits: the loops around this one see the quit again.
        if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      switch (msg.message) {
        case WM_MOUSEMOVE: {
          const POINT p = MessagePoint(msg);
          if (running) {
            MoveTo(p);
          } else if (std::abs(p.x - Start.x) >= threshold || std::abs(p.y - Start.y) >= threshold) {
            if (!Begin(p)) return;
            running = true;
          }
          break;
        }
        case WM_LBUTTONUP:
          if (!running) {
            // A press that never became a drag stays a click.
            Release(msg);
            return;
          }
          endedIn = Drop(MessagePoint(msg), at);
          ended = true;
          break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
          if (msg.wParam == VK_ESCAPE) ended = true;
          break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
          break;  // the keys belong to the drag while it runs
        default:
          if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) break;
          if (!Handle(msg)) ended = true;
          break;
      }
    }
    if (!running || !Control) return;
    Frame.reset();
    if (!ended || !endedIn) {
      POINT p{};
      GetCursorPos(&p);
      if (Target) LeaveTarget(p);
    }
    if (Control) Control->DoEndDock(endedIn, at.x, at.y);
    // A dock object the handler supplied may free itself here.
    if (Object) Object->Finished(endedIn, at.x, at.y, endedIn != nullptr);
  }

  // Hands a release before the drag ran on to the window that was pressed.
  void Release(MSG& msg)
  {
    if (GetCapture() == Capture) ReleaseCapture();
    Handle(msg);
  }

  // Handles a message the drag does not take, as the application's loop would; false once the
  // application quits.
  static bool Handle(MSG& msg)
  {
    if (Application) return Application->HandleLoopMessage(msg);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
  }

  static void DockInto(TControl* control, TWinControl* site, const RECT& rect, TControl* dropCtl,
                       TAlign dropAlign);
};

void BeginDockDrag(TControl* control, bool immediate, int threshold, TWinControl* pressedOn)
{
  if (!control || GDockDragging || control->Dragging()) return;
  if (!pressedOn) pressedOn = dynamic_cast<TWinControl*>(control);
  if (!pressedOn) pressedOn = control->Parent();
  if (!pressedOn) return;
  const TObjectCall call(control);
  TDockDriver driver(control, pressedOn->Handle());
  driver.Run(immediate, threshold < 0 ? MouseDragThreshold() : threshold);
}

bool DockDragging() { return GDockDragging; }

// ----- docked controls ----------------------------------------------------------------------

// Docks control into site (beside dropCtl on dropAlign, when the site has a dock manager);
// control's bounds become rect (client coordinates of the site) where the site has none.
void TDockDriver::DockInto(TControl* control, TWinControl* site, const RECT& rect, TControl* dropCtl,
                           TAlign dropAlign)
{
  TDockTree* manager = site->UseDockManager() ? site->DockManager() : nullptr;
  if (control->HostDockSite() == site) {
    // Moved within its own site.
    if (manager && dropCtl != control) {
      manager->RemoveControl(control);
      manager->InsertControl(control, dropAlign, dropCtl);
    }
    return;
  }
  const TWeakRef<TControl> alive(control);
  // The size a control floats at: its own before it is first docked, its form's while it floats.
  if (!control->FHostDockSite || control->Floating()) {
    control->FUndockWidth = control->Width();
    control->FUndockHeight = control->Height();
  }
  control->FControlState.Include(TControlStateFlag::csDocking);
  site->DisableAlign();
  try {
    if (manager) control->SetAlign(alNone);
    // Leaving its parent undocks the control from the site it was docked in.
    control->SetParent(site);
    if (alive) {
      control->FHostDockSite = site;
      site->FDockClients.push_back(control);
      if (manager)
        manager->InsertControl(control, dropAlign, dropCtl);
      else
        control->SetBoundsRect(rect);
    }
  } catch (...) {
    site->EnableAlign();
    if (alive) control->FControlState.Exclude(TControlStateFlag::csDocking);
    throw;
  }
  site->EnableAlign();
  if (alive) control->FControlState.Exclude(TControlStateFlag::csDocking);
}

bool TControl::Floating() const { return dynamic_cast<TCustomDockForm*>(FHostDockSite) != nullptr; }

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide)
{
  if (!newDockSite) {
    const RECT bounds = ScreenBounds(this);
    return ManualFloat(RECT{bounds.left, bounds.top, bounds.left + UndockWidth(), bounds.top + UndockHeight()});
  }
  if (newDockSite == this || (dynamic_cast<TWinControl*>(this) &&
                              static_cast<TWinControl*>(this)->ContainsControl(newDockSite)))
    throw EInvalidOperation("A control cannot be docked into itself");
  if (FHostDockSite && FHostDockSite != newDockSite && !FHostDockSite->DoUnDock(newDockSite, this)) return false;
  TOwned<TDragDockObject> object = MakeOwned<TDragDockObject>(this);
  object->SetDropOnControl(dropControl);
  object->SetDropAlign(controlSide);
  RECT r{};
  if (TDockTree* manager = newDockSite->UseDockManager() ? newDockSite->DockManager() : nullptr) {
    manager->PositionDockRect(this, dropControl, controlSide, r);
  } else {
    const POINT origin = newDockSite->ClientToScreen(POINT{0, 0});
    r = RECT{origin.x, origin.y, origin.x + Width(), origin.y + Height()};
  }
  object->SetDockRect(r);
  newDockSite->DockDrop(object.get(), 0, 0);
  return true;
}

bool TControl::ManualFloat(const RECT& screenRect)
{
  TCustomDockForm* form = dynamic_cast<TCustomDockForm*>(FHostDockSite);
  if (!form && FHostDockSite && !FHostDockSite->DoUnDock(nullptr, this)) return false;
  if (!form) {
    form = New<TCustomDockForm>(Application);
    form->SetCaption(Caption());
    form->HandleNeeded();
    TDockDriver::DockInto(this, form, RECT{0, 0, RectWidth(screenRect), RectHeight(screenRect)}, nullptr, alNone);
    SetAlign(alClient);
  }
  // The form's client area goes where it was asked to: its frame is measured on its window.
  RECT window{}, client{};
  GetWindowRect(form->Handle(), &window);
  GetClientRect(form->Handle(), &client);
  const POINT origin = form->ClientToScreen(POINT{0, 0});
  const int frameWidth = RectWidth(window) - RectWidth(client), frameHeight = RectHeight(window) - RectHeight(client);
  form->SetBounds(screenRect.left - (origin.x - window.left), screenRect.top - (origin.y - window.top),
                  RectWidth(screenRect) + frameWidth, RectHeight(screenRect) + frameHeight);
  if (Visible()) form->Show();
  return true;
}

void TControl::DoStartDock(TDragDockObject*& dragObject)
{
  if (FOnStartDock) FOnStartDock(this, dragObject);
}

void TControl::DoEndDock(TObject* target, int x, int y)
{
  if (FOnEndDock) FOnEndDock(this, target, x, y);
}

void TControl::NotifyHostDockSite(UINT change)
{
  if (FHostDockSite && !IsLoading() && !IsDestroying())
    FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), change);
}

// ----- dock sites ---------------------------------------------------------------------------

TControl* TWinControl::DockClients(int index) const
{
  if (index < 0 || index >= DockClientCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FDockClients[index];
}

void TWinControl::SetDockSite(bool value) { SetAndNotify(FDockSite, value, [this] { UpdateDockManager(); }); }

void TWinControl::SetUseDockManager(bool value)
{
  SetAndNotify(FUseDockManager, value, [this] { UpdateDockManager(); });
}

void TWinControl::UpdateDockManager()
{
  if (IsDesigning()) return;
  if (!FDockSite || !FUseDockManager) {
    if (FDockManager) {
      FDockManager.reset();
      Invalidate();
    }
    return;
  }
  TDockTree* manager = CreateDockManager();
  if (manager == FDockManager.get()) return;
  FDockManager.reset(manager);
  if (!manager) return;
  // Clients docked before the site had a manager are laid out by it too.
  for (TControl* client : FDockClients) manager->InsertControl(client, alNone, nullptr);
  Realign();
}

TDockTree* TWinControl::CreateDockManager()
{
  TDockTree* manager = FDockManager.get();
  if (!manager && FDockSite && FUseDockManager) manager = New<TDockTree>(this);
  if (manager) SetDoubleBuffered(true);
  return manager;
}

void TWinControl::DockClientRemoved(TControl* control)
{
  if (control->FHostDockSite != this) return;
  control->FHostDockSite = nullptr;
  std::erase(FDockClients, control);
  if (FDockManager) FDockManager->RemoveControl(control);
}

void TWinControl::GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock)
{
  if (FOnGetSiteInfo) FOnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept)
{
  if (state != dsDragLeave) {
    TControl* dropCtl = nullptr;
    TAlign dropAlign = alNone;
    RECT r = ClientRect();
    if (TDockTree* manager = FUseDockManager ? FDockManager.get() : nullptr) {
      manager->GetDropTarget(POINT{x, y}, dropCtl, dropAlign);
      manager->PositionDockRect(source->Control(), dropCtl, dropAlign, r);
    } else {
      const POINT origin = ClientToScreen(POINT{0, 0});
      OffsetRect(&r, origin.x, origin.y);
    }
    source->SetDropOnControl(dropCtl);
    source->SetDropAlign(dropAlign);
    source->SetDockRect(r);
  }
  if (FOnDockOver) FOnDockOver(this, source, x, y, state, accept);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y)
{
  TControl* control = source->Control();
  const TWeakRef<TWinControl> self(this);
  RECT r = source->DockRect();
  const POINT origin = ClientToScreen(POINT{0, 0});
  OffsetRect(&r, -origin.x, -origin.y);
  TDockDriver::DockInto(control, this, r, source->DropOnControl(), source->DropAlign());
  if (self && FOnDockDrop) FOnDockDrop(this, source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client)
{
  bool allow = true;
  if (FOnUnDock) FOnUnDock(this, client, newTarget, allow);
  return allow;
}

// ----- the floating form --------------------------------------------------------------------

CL_MESSAGE_MAP(TCustomDockForm,
  {WM_NCLBUTTONDOWN, &TCustomDockForm::WMNCLButtonDown},
  {CM_DOCKNOTIFICATION, &TCustomDockForm::CMDockNotification},
  {CM_CONTROLLISTCHANGE, &TCustomDockForm::CMControlListChange});
CL_DEFINE_CLASS(TCustomDockForm);

TCustomDockForm::TCustomDockForm(TComponent* owner) : TCustomForm(owner, CreateNew)
{
  SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetDefaultMonitor(TDefaultMonitor::dmDesktop);
  SetDockSite(true);
}

void TCustomDockForm::GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock)
{
  // The form holds its one control; others dock elsewhere.
  canDock = false;
  TCustomForm::GetSiteInfo(client, influenceRect, mousePos, canDock);
}

void TCustomDockForm::DoClose(TCloseAction& action)
{
  TCustomForm::DoClose(action);
  if (action != TCloseAction::caHide) return;
  for (int i = DockClientCount() - 1; i >= 0; --i) DockClients(i)->Hide();
}

void TCustomDockForm::WMNCLButtonDown(TMessage& msg)
{
  if (msg.WParam == HTCAPTION && DockClientCount() > 0 && !IsDesigning()) {
    // Dragging the caption drags the control: to another site, or with its form when it floats on.
    if (!Active()) SetForegroundWindow(Handle());
    msg.Result = 0;
    BeginDockDrag(DockClients(0), false, -1, this);
    return;
  }
  Inherited<TCustomDockForm>(msg);
}

void TCustomDockForm::CMDockNotification(TMessage& msg)
{
  auto* client = reinterpret_cast<TControl*>(msg.WParam);
  if (msg.LParam == CM_VISIBLECHANGED) {
    SetVisible(client->Visible());
  } else if (msg.LParam == CM_TEXTCHANGED) {
    SetCaption(client->Caption());
  }
}

void TCustomDockForm::CMControlListChange(TMessage& msg)
{
  Inherited<TCustomDockForm>(msg);
  // The control left: the form has done its work.
  if (!msg.LParam && DockClientCount() == 0 && !IsDestroying()) {
    Hide();
    Release();
  }
}
