#include "toolkit/bars/dxBarCustomizingDrag.h"
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/controls/cxControlsHelpers.h"

CL_DEFINE_CLASS(TdxBarDragInfo);

using enum TdxBarDragState;

namespace {
TCustomdxBarControl *ControlOf(TcxObjectLink *link) {
  return link ? static_cast<TCustomdxBarControl *>(link->Ref()) : nullptr;
}

void ReplaceObjectLink(TcxObjectLink *&link, TObject *object) {
  FreeObjectLink(std::exchange(link, nullptr));
  link = CreateObjectLink(object);
}

// The link's item control rectangle in its bar control's client coordinates.
bool ItemBounds(TdxBarItemLink *link, RECT &r) {
  if (!link || !link->Control())
    return false;
  r = link->Control()->GetBoundsRect();
  return true;
}

// The cursor position in the link's item coordinates.
POINT CursorInItem(TdxBarItemLink *link) {
  POINT p{};
  GetCursorPos(&p);
  RECT r{};
  TCustomdxBarControl *control = link ? link->GetBarControl() : nullptr;
  if (control && control->HandleAllocated() && ItemBounds(link, r)) {
    ScreenToClient(control->Handle(), &p);
    p.x -= r.left;
    p.y -= r.top;
  }
  return p;
}

bool CtrlDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

// The manager's modification lock, bars update, item-list lock and the target
// links' update, held for the length of a drop and released in reverse order,
// also on failure.
class TDropLocks {
public:
  TDropLocks(TdxBarManager *manager, TdxBarItemLinks *links)
      : FManager(manager), FLinks(links) {
    FManager->ChangeModificationLock(true, true);
    FManager->BeginBarsUpdate();
    FManager->ItemList()->LockNotifications();
    FLinks->BeginUpdate();
  }
  ~TDropLocks() {
    if (FLinksAlive)
      FLinks->EndUpdate();
    FManager->ItemList()->UnlockWithoutNotify();
    FManager->EndBarsUpdate();
    FManager->ChangeModificationLock(false, true);
  }
  TDropLocks(const TDropLocks &) = delete;
  TDropLocks &operator=(const TDropLocks &) = delete;

private:
  TdxBarManager *FManager;
  TdxBarItemLinks *FLinks;
  TWeakRef<TObject> FLinksAlive{FLinks};
};
} // namespace

TdxBarDragInfo::TdxBarDragInfo(TdxBarManager *manager) : FManager(manager) {}

TdxBarDragInfo::~TdxBarDragInfo() {
  FreeObjectLink(std::exchange(FHoverControl, nullptr));
  FreeObjectLink(std::exchange(FMarkControl, nullptr));
}

TdxBarItemLink *TdxBarDragInfo::SourceLink() const {
  return static_cast<TdxBarItemLink *>(FSourceLink.Get());
}
TdxBarItemLink *TdxBarDragInfo::HoverLink() const {
  return static_cast<TdxBarItemLink *>(FHoverLink.Get());
}
TCustomdxBarControl *TdxBarDragInfo::HoverControl() const {
  return ControlOf(FHoverControl);
}

// --- Start, loop and end ---

void TdxBarDragInfo::PrepareDrag(TdxBarItem *item, TdxBarItemLink *link) {
  FSourceItem = item;
  FSourceLink = link;
  if (link)
    FPressPoint = CursorInItem(link);
  FSavedCursor = Screen ? Screen->Cursor() : crDefault;
  FCaptureWindow = FManager->GetDragCaptureWindow();
  if (FCaptureWindow)
    SetCapture(FCaptureWindow);
  DispatchPendingMouseMessages();
}

void TdxBarDragInfo::RunDragLoop() {
  TdxBarDesignController *controller = GetDesignController();
  struct TRunning {
    TdxBarDesignController *Controller;
    explicit TRunning(TdxBarDesignController *c) : Controller(c) {
      if (Controller)
        Controller->SetDragLoopRunning(true);
    }
    ~TRunning() {
      if (Controller)
        Controller->SetDragLoopRunning(false);
    }
  } running(controller);
  TWeakRef<TObject> self(this);
  MSG m{};
  while (self && FCaptureWindow && GetCapture() == FCaptureWindow) {
    const BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == -1)
      break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_KEYDOWN) {
      if (m.wParam == VK_CONTROL && CanDropHere())
        SetState(bdsCopy);
      if (m.wParam == VK_ESCAPE)
        break;
    } else if (m.message == WM_KEYUP) {
      if (m.wParam == VK_CONTROL && CanDropHere())
        SetState(bdsMove);
    } else if (m.message == WM_MOUSEMOVE) {
      HoverStep();
    } else if (m.message == WM_LBUTTONUP) {
      FinishDrag();
      break;
    } else if (m.message != WM_CHAR && m.message != WM_SYSKEYDOWN &&
               m.message != WM_SYSKEYUP && m.message != WM_SYSCHAR) {
      if (Application)
        Application->HandleLoopMessage(m);
      else {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    }
  }
}

void TdxBarDragInfo::EndDrag() {
  if (FCaptureWindow && GetCapture() == FCaptureWindow)
    ReleaseCapture();
  SetState(bdsNone);
  if (FOrphanWindow)
    DestroyWindow(std::exchange(FOrphanWindow, nullptr));
  if (TdxBarItemLink *link = SourceLink())
    if (TdxBarItemControl *control = link->Control())
      control->Repaint();
  FSourceItem = nullptr;
  FSourceLink = nullptr;
  FreeObjectLink(std::exchange(FHoverControl, nullptr));
  FreeObjectLink(std::exchange(FMarkControl, nullptr));
  FMarkShown = false;
}

// --- Hover ---

void TdxBarDragInfo::HoverStep() {
  POINT p{};
  GetCursorPos(&p);
  LockRefresh();
  try {
    UpdateHoverTarget(p);
    bool accept = true;
    if (TCustomdxBarControl *control = HoverControl())
      control->SimulateMouseMove(p.x, p.y, accept);
    TdxBarItemLink *hover = HoverLink();
    if (!accept || !CanDropHere())
      SetState(bdsNoDrop);
    else if (IsCopyDrag())
      SetState(bdsCopy);
    else if (hover && hover->Control() && SourceLink() &&
             (hover == SourceLink() || IsDropWithoutEffect()))
      SetState(bdsOwnPlace);
    else
      SetState(bdsMove);
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

TCustomdxBarControl *TdxBarDragInfo::ResolveHoverControl(HWND wnd) const {
  TCustomdxBarControl *found = nullptr;
  if (auto *control = dynamic_cast<TCustomdxBarControl *>(FindControl(wnd))) {
    if (control->BarManager() == FManager)
      found = control;
  } else {
    POINT p{};
    GetCursorPos(&p);
    for (int i = 0; i < FManager->Bars()->Count() && !found; ++i) {
      TCustomdxBarControl *toolbar =
          FManager->Bars()->Items(i)->GetBarControl();
      if (!toolbar || !toolbar->HandleAllocated() ||
          !IsWindowVisible(toolbar->Handle()))
        continue;
      RECT r{};
      GetWindowRect(toolbar->Handle(), &r);
      if (PtInRect(&r, p))
        found = toolbar;
    }
  }
  return found && found->IsDesigning() ? found : nullptr;
}

void TdxBarDragInfo::UpdateHoverTarget(POINT &p) {
  const HWND wnd = FindDeepestWindowAtPoint(p);
  TCustomdxBarControl *control = ResolveHoverControl(wnd);
  if (control != HoverControl())
    ReplaceObjectLink(FHoverControl, control);
  TdxBarItemLink *link = nullptr;
  bool vertical = false, firstHalf = false, onSeparator = false;
  if (control && control->HandleAllocated()) {
    ScreenToClient(control->Handle(), &p);
    link = control->HitTestDropPosition(p, firstHalf, onSeparator);
    vertical = control->IsVerticalLayout();
  }
  SetHoverLink(link);
  SetHoverFlag(FHoverOnSeparator, onSeparator);
  SetHoverFlag(FHoverFirstHalf, firstHalf);
  SetHoverFlag(FHoverVertical, vertical);
}

void TdxBarDragInfo::SetHoverFlag(bool &flag, bool value) {
  if (flag == value)
    return;
  flag = value;
  RefreshFeedback();
}

void TdxBarDragInfo::SetHoverLink(TdxBarItemLink *link) {
  if (link == HoverLink())
    return;
  FHoverLink = link;
  TCustomdxBarControl *control = HoverControl();
  if (link && control) {
    ShowMark(false);
    TdxBarItemControl *itemControl = link->Control();
    TdxBarItemControl *dropDown =
        itemControl ? itemControl : control->GetSelectedItemControl();
    if (dropDown && dropDown->HasDropDownPart())
      control->HotTrackItemControl(itemControl);
    else if (itemControl)
      control->StoreSelectedItemControl(itemControl);
  }
  DispatchPendingPaintMessages();
  RefreshFeedback();
}

// --- Answers ---

bool TdxBarDragInfo::CanDropHere() const {
  TdxBarItemLink *hover = HoverLink();
  if (hover && hover->Control())
    return true;
  TCustomdxBarControl *control = HoverControl();
  return control && control->ItemLinks() &&
         control->ItemLinks()->GetVisibleLinkCount() == 0;
}

bool TdxBarDragInfo::IsCopyDrag() const { return CtrlDown() || !SourceLink(); }

bool TdxBarDragInfo::IsDropWithoutEffect() const {
  if (!CanDropHere())
    return true;
  TdxBarItemLink *source = SourceLink();
  TdxBarItemLink *hover = HoverLink();
  if (!source)
    return false;
  if (hover == source)
    return !(FHoverOnSeparator && FHoverFirstHalf);
  TdxBarItemLinks *links = source->GetLinks();
  if (!links || !hover || hover->GetLinks() != links)
    return false;
  const int index = links->IndexOfVisible(source);
  if (index > 0 && hover == links->GetVisibleLink(index - 1) &&
      !source->GetBeginGroup() && !FHoverFirstHalf && !FHoverOnSeparator)
    return true;
  if (index < 0 || index == links->GetVisibleLinkCount() - 1)
    return false;
  return hover == links->GetVisibleLink(index + 1) && FHoverFirstHalf &&
         (FHoverOnSeparator || !hover->GetBeginGroup());
}

// --- Feedback ---

void TdxBarDragInfo::SetState(TdxBarDragState value) {
  if (FState == value) {
    if (value == bdsCopy || value == bdsMove)
      RefreshFeedback();
    return;
  }
  FState = value;
  if (value == bdsNoDrop)
    FHoverLink = nullptr;
  RefreshFeedback();
}

void TdxBarDragInfo::UnlockRefresh() {
  if (FRefreshLock > 0)
    --FRefreshLock;
  if (FRefreshLock == 0 && FPendingRefresh)
    RefreshFeedback();
}

void TdxBarDragInfo::RefreshFeedback() {
  if (FRefreshLock > 0) {
    FPendingRefresh = true;
    return;
  }
  TCursor cursor = FSavedCursor;
  bool mark = false;
  switch (FState) {
  case bdsNone:
    break;
  case bdsNoDrop:
    cursor = crdxBarDragNoDrop;
    break;
  case bdsOwnPlace:
  case bdsCategory:
    cursor = crdxBarDrag;
    break;
  case bdsCopy:
    cursor = crdxBarDragCopy;
    mark = true;
    break;
  case bdsMove:
    cursor = crdxBarDrag;
    mark = !IsDropWithoutEffect();
    break;
  }
  // The mark follows the pointer: hidden, then drawn again at the new place.
  if (FState == bdsCopy || FState == bdsMove)
    ShowMark(false);
  ShowMark(mark);
  if (Screen)
    Screen->SetCursor(cursor);
  FPendingRefresh = false;
}

void TdxBarDragInfo::ShowMark(bool visible) {
  if (visible == FMarkShown)
    return;
  if (visible) {
    TCustomdxBarControl *control = HoverControl();
    if (!control)
      return;
    ReplaceObjectLink(FMarkControl, control);
    CalcMarkPlace();
    PaintMark();
  } else {
    PaintMark();
    FreeObjectLink(std::exchange(FMarkControl, nullptr));
  }
  FMarkShown = visible;
}

void TdxBarDragInfo::CalcMarkPlace() {
  FMarkVertical = FHoverVertical;
  TdxBarItemLink *link = HoverLink();
  TCustomdxBarControl *control = HoverControl();
  if (!link) {
    FMarkAtStart = true;
    FMarkRect = control ? control->ClientRect() : RECT{};
    return;
  }
  FMarkAtStart = FHoverFirstHalf;
  TdxBarItemLinks *links = link->GetLinks();
  const int index = links ? links->IndexOfVisible(link) : -1;
  if (FHoverOnSeparator) {
    if (FHoverFirstHalf && index > 0) {
      link = links->GetVisibleLink(index - 1);
      FMarkAtStart = false;
    } else {
      FMarkAtStart = true;
    }
  } else if (!FHoverFirstHalf && links && index >= 0 &&
             index + 1 < links->GetVisibleLinkCount()) {
    TdxBarItemLink *next = links->GetVisibleLink(index + 1);
    RECT r{}, n{};
    const bool sameLine =
        ItemBounds(link, r) && ItemBounds(next, n) &&
        (FHoverVertical ? n.left < r.right && r.left < n.right
                        : n.top < r.bottom && r.top < n.bottom);
    if (sameLine && !next->GetBeginGroup()) {
      link = next;
      FMarkAtStart = true;
    }
  }
  if (!ItemBounds(link, FMarkRect))
    FMarkRect = control ? control->ClientRect() : RECT{};
}

void TdxBarDragInfo::PaintMark() {
  TCustomdxBarControl *control = ControlOf(FMarkControl);
  if (!control || !control->HandleAllocated())
    return;
  HDC dc = GetDC(control->Handle());
  DrawMark(dc, FMarkRect, FMarkVertical, FMarkAtStart);
  ReleaseDC(control->Handle(), dc);
}

void TdxBarDragInfo::DrawMark(HDC dc, const RECT &r, bool vertical,
                              bool atStart) {
  const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
  POINT points[12];
  if (vertical) {
    const LONG t = atStart ? T : B - 6;
    const POINT p[12] = {{L, t},         {L, t + 6},     {L + 1, t + 1},
                         {L + 1, t + 5}, {L + 2, t + 2}, {R - 2, t + 2},
                         {L + 2, t + 3}, {R - 2, t + 3}, {R - 2, t + 1},
                         {R - 2, t + 5}, {R - 1, t},     {R - 1, t + 6}};
    std::copy(std::begin(p), std::end(p), points);
  } else {
    const LONG l = atStart ? L : R - 6;
    const POINT p[12] = {{l, T},         {l + 6, T},     {l + 1, T + 1},
                         {l + 5, T + 1}, {l + 2, T + 2}, {l + 2, B - 2},
                         {l + 3, T + 2}, {l + 3, B - 2}, {l + 1, B - 2},
                         {l + 5, B - 2}, {l, B - 1},     {l + 6, B - 1}};
    std::copy(std::begin(p), std::end(p), points);
  }
  const DWORD counts[6] = {2, 2, 2, 2, 2, 2};
  const int oldRop = SetROP2(dc, R2_NOT);
  PolyPolyline(dc, points, counts, 6);
  SetROP2(dc, oldRop ? oldRop : R2_COPYPEN);
}

// --- The drop ---

void TdxBarDragInfo::FinishDrag() {
  switch (FState) {
  case bdsNoDrop:
    DiscardSourceLink();
    break;
  case bdsOwnPlace:
    ToggleSourceGroup();
    break;
  case bdsCategory:
    break;
  case bdsCopy:
  case bdsMove: {
    const bool move = FState == bdsMove;
    SetState(bdsNone);
    DropSource(move);
    break;
  }
  case bdsNone:
    break;
  }
}

void TdxBarDragInfo::DiscardSourceLink() {
  if (TdxBarItemLink *link = SourceLink()) {
    link->PassGroupToNext();
    Free(link);
  }
  FManager->NotifyModified();
}

void TdxBarDragInfo::ToggleSourceGroup() {
  TdxBarItemLink *link = SourceLink();
  TCustomdxBarControl *hover = HoverControl();
  if (!link || !hover)
    return;
  const POINT now = CursorInItem(link);
  const LONG d =
      hover->IsVerticalLayout() ? now.y - FPressPoint.y : now.x - FPressPoint.x;
  if (d >= -3 && d <= 3)
    return;
  TCustomdxBarControl *own = link->GetBarControl();
  if ((d > 0) == link->BeginGroup()) {
    if (own)
      own->ChangeSelection(link->Control());
    return;
  }
  if (own && link->Control())
    own->StoreSelectedItemControl(link->Control());
  link->SetBeginGroup(d > 0);
}

void TdxBarDragInfo::DropSource(bool move) {
  TCustomdxBarControl *hover = HoverControl();
  TdxBarItemLinks *links = hover ? hover->ItemLinks() : nullptr;
  if (!links)
    return;
  TdxBarItemLink *source = SourceLink();
  TdxBarItemLink *target = HoverLink();
  TdxBarItemLink *added = nullptr;
  {
    TDropLocks locks(FManager, links);
    added = links->AddLink();
    added->MarkUsedInRecentList(true);
    // An item the links refuse frees the new link and raises; the locks are
    // released on the way.
    if (source) {
      added->Assign(source);
      added->SetBeginGroup(false);
    } else {
      added->SetItem(SourceItem());
    }
    if (target && target->GetLinks() == links) {
      const bool after = !FHoverOnSeparator && !FHoverFirstHalf;
      links->MoveLink(added->Index(), target->Index() + (after ? 1 : 0));
      if ((FHoverOnSeparator && !FHoverFirstHalf) ||
          (!FHoverOnSeparator && FHoverFirstHalf && target->BeginGroup())) {
        added->SetBeginGroup(true);
        target->SetBeginGroup(false);
      }
    }
    added->CreateControl();
    if (TdxBarItemControl *control = added->Control())
      hover->StoreSelectedItemControl(control);
    if (move && source)
      DiscardSourceLink();
    TCustomdxBarControl *active = GetActiveBarControl();
    if (active && active != hover && hover->GetBar()) {
      active->CloseUp(TdxBarCloseReason::ClickElsewhere);
      if (TdxBarItemControl *control = added->Control())
        hover->SelectItemControl(control);
    }
    if (TdxBarDesignController *controller = GetDesignController())
      controller->ApplySelection(added, TdxBarSelectionOperation::sopAdd);
  }
}

// --- The manager's side ---

HWND TdxBarManager::GetDragCaptureWindow() const {
  if (Application && Application->Handle() &&
      IsWindowVisible(Application->Handle()))
    return Application->Handle();
  TWinControl *owner = GetOwnerControl();
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

void TdxBarManager::DragItem() {
  if (FDragInfo)
    return;
  TOwned<TdxBarDragInfo> info = MakeOwned<TdxBarDragInfo>(this);
  TWeakRef<TdxBarManager> self(this);
  FDragInfo = info.get();
  struct TEnd {
    TdxBarDragInfo *Info;
    TWeakRef<TdxBarManager> &Self;
    ~TEnd() {
      Info->EndDrag();
      if (Self) {
        Self->FDragInfo = nullptr;
        Self->SetDraggingItem(nullptr, nullptr);
      }
    }
  } end{info.get(), self};
  info->PrepareDrag(DraggingItem(), DraggingItemLink());
  info->RunDragLoop();
}
