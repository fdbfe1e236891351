// The inner list view: input forwarding to the container, the header hook and its painting,
// scrolling for the painted bars, label edit ends and info tips.
#include <commctrl.h>
#include <cstring>
#include "classlib/Hints.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsScrollBars.h"
#include "toolkit/controls/cxControlsWindowProc.h"
#include "toolkit/editors/cxListView.h"

namespace {
HWND WindowOf(TWinControl* control) { return control && control->HandleAllocated() ? control->Handle() : nullptr; }

bool BothBarsVisible(TcxContainer* container)
{
  return container && container->HScrollBar() && container->VScrollBar() && container->HScrollBar()->Visible() &&
         container->VScrollBar()->Visible();
}
}  // namespace

CL_MESSAGE_MAP(TcxCustomInnerListView,
  {WM_GETDLGCODE, &TcxCustomInnerListView::WMGetDlgCode},
  {WM_KILLFOCUS, &TcxCustomInnerListView::WMKillFocus},
  {WM_LBUTTONDOWN, &TcxCustomInnerListView::WMLButtonDown},
  {WM_NCCALCSIZE, &TcxCustomInnerListView::WMNCCalcSize},
  {WM_NCPAINT, &TcxCustomInnerListView::WMNCPaint},
  {WM_NOTIFY, &TcxCustomInnerListView::WMNotify},
  {WM_SETFOCUS, &TcxCustomInnerListView::WMSetFocus},
  {WM_WINDOWPOSCHANGED, &TcxCustomInnerListView::WMWindowPosChanged},
  {CM_HINTSHOW, &TcxCustomInnerListView::CMHintShow},
  {CM_MOUSEENTER, &TcxCustomInnerListView::CMMouseEnter},
  {CM_MOUSELEAVE, &TcxCustomInnerListView::CMMouseLeave},
  {CN_NOTIFY, &TcxCustomInnerListView::CNNotify},
  {DXM_HEADERITEMINFO, &TcxCustomInnerListView::CMHeaderItemInfo});
CL_DEFINE_CLASS(TcxCustomInnerListView);

TcxCustomInnerListView::TcxCustomInnerListView(TComponent* owner)
    : TListView(owner), FcxCanvas(MakeOwned<TcxCanvas>(Canvas()))
{
  SetBorderStyle(TBorderStyle::bsNone);
  FControlStyle.Include(TControlStyleFlag::csDoubleClicks);
  IconOptions()->SetArrangement(iaTop);
  IconOptions()->SetAutoArrange(false);
  IconOptions()->SetWrapText(true);
  SetParentColor(false);
  SetParentFont(true);
  SetShowColumnHeaders(true);
}

TcxCustomInnerListView::~TcxCustomInnerListView() = default;

void TcxCustomInnerListView::BeforeDestruction()
{
  UnhookHeader();
  TListView::BeforeDestruction();
}

TcxContainer* TcxCustomInnerListView::GetControlContainer() { return FContainer; }

// --- The header window ---

void TcxCustomInnerListView::HookHeader(HWND header)
{
  if (header == FHeaderHandle && FHeaderLink) return;
  UnhookHeader();
  TcxWindowProcController* controller = GetWindowProcController();
  if (!controller) return;
  FHeaderHandle = header;
  FHeaderLink = controller->AddHandleWindowProc(header, [this](TMessage& msg) { HeaderWndProc(msg); });
  SetWindowLongPtrA(header, GWL_STYLE, GetWindowLongPtrA(header, GWL_STYLE) | HDS_HOTTRACK);
}

void TcxCustomInnerListView::UnhookHeader()
{
  if (FHeaderLink)
    if (TcxWindowProcController* controller = GetWindowProcController()) controller->RemoveWindowProc(FHeaderLink);
  FHeaderLink = nullptr;
  FHeaderHandle = nullptr;
  FPressedSection = -1;
}

void TcxCustomInnerListView::HeaderWndProc(TMessage& msg)
{
  TcxWindowProcLinkedObject* link = FHeaderLink;
  switch (msg.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (!FContainer) break;
      auto dc = reinterpret_cast<HDC>(msg.WParam);
      PAINTSTRUCT ps{};
      const bool ownPaint = dc == nullptr;
      if (ownPaint) dc = BeginPaint(FHeaderHandle, &ps);
      struct TEnd {
        HWND Wnd;
        PAINTSTRUCT* Ps;
        bool Own;
        ~TEnd()
        {
          if (Own) EndPaint(Wnd, Ps);
        }
      } end{FHeaderHandle, &ps, ownPaint};
      PaintHeaderOn(dc);
      msg.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      if (!FContainer) break;
      msg.Result = 1;
      return;
    case WM_LBUTTONDOWN:
      CallPreviousWindowProc(link, msg);
      if (ColumnClick() && FHeaderHandle && GetCapture() == FHeaderHandle) FPressedSection = HitTestHeaderAtCursor();
      return;
    case WM_CAPTURECHANGED:
      if (FPressedSection >= 0) {
        const RECT r = GetHeaderItemRect(FPressedSection);
        InvalidateRect(FHeaderHandle, &r, FALSE);
        FPressedSection = -1;
      }
      break;
    case DXM_HEADERITEMINFO:
      msg.Result = Perform(DXM_HEADERITEMINFO, msg.WParam, msg.LParam);
      return;
    case WM_NCDESTROY:
      // The header goes with the list's window; a new window makes a new header, hooked anew.
      CallPreviousWindowProc(link, msg);
      UnhookHeader();
      return;
    default:
      break;
  }
  CallPreviousWindowProc(link, msg);
}

void TcxCustomInnerListView::PaintHeaderOn(HDC dc)
{
  TCanvasDCScope scope(FcxCanvas->Canvas(), dc);
  PaintHeader();
}

void TcxCustomInnerListView::PaintHeader()
{
  if (!FHeaderHandle || !FContainer) return;
  TcxLookAndFeel* lookAndFeel = FContainer->LookAndFeel();
  TcxCustomLookAndFeelPainter* painter = lookAndFeel->Painter();
  FcxCanvas->SetBrushColor(painter->HeaderColor());
  TFont* font = FcxCanvas->GetCurrentFont();
  font->Assign(Font());
  font->SetColor(painter->HeaderTextColor());
  for (int position = 0; position <= Columns()->Count(); ++position)
    DrawHeaderItem(FHeaderHandle, position, FcxCanvas.get(), SmallImages(), lookAndFeel);
}

void TcxCustomInnerListView::InvalidateHeader()
{
  if (FHeaderHandle) InvalidateRect(FHeaderHandle, nullptr, FALSE);
}

int TcxCustomInnerListView::HeaderOrderToIndex(int position) const
{
  if (cxComCtlVersion() < cxComCtlVersion470 || !FHeaderHandle) return position;
  return static_cast<int>(SendMessageA(FHeaderHandle, HDM_ORDERTOINDEX, static_cast<WPARAM>(position), 0));
}

RECT TcxCustomInnerListView::GetHeaderItemRect(int index) const
{
  RECT r{};
  if (!FHeaderHandle) return r;
  if (cxComCtlVersion() >= cxComCtlVersion470) {
    SendMessageA(FHeaderHandle, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // Older headers: the widths of the items before it, side by side from 0.
  auto width = [this](int i) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    SendMessageA(FHeaderHandle, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    return item.cxy;
  };
  for (int i = 0; i < index; ++i) r.left += width(i);
  r.right = r.left + width(index);
  RECT window{};
  GetWindowRect(FHeaderHandle, &window);
  r.bottom = window.bottom - window.top;
  return r;
}

RECT TcxCustomInnerListView::GetHeaderSectionBounds(int position) const
{
  const int count = Columns()->Count();
  if (position < count) return GetHeaderItemRect(HeaderOrderToIndex(position));
  RECT r{};
  if (FHeaderHandle) GetClientRect(FHeaderHandle, &r);
  if (count > 0) r.left = GetHeaderItemRect(HeaderOrderToIndex(count - 1)).right;
  return r;
}

TcxButtonState TcxCustomInnerListView::GetHeaderItemState(int position) const
{
  if (FContainer && !FContainer->Enabled()) return cxbsDisabled;
  const int index = position < Columns()->Count() ? HeaderOrderToIndex(position) : -1;
  if (index < 0) return cxbsNormal;
  if (index == FPressedSection) return cxbsPressed;
  if (CanHotTrackHeader() && index == GetHotHeaderSection()) return cxbsHot;
  return cxbsNormal;
}

int TcxCustomInnerListView::GetHotHeaderSection() const
{
  if (!FHeaderHandle) return -1;
  POINT p{};
  GetCursorPos(&p);
  if (WindowFromPoint(p) != FHeaderHandle) return -1;
  HDHITTESTINFO hit{};
  hit.pt = p;
  ::ScreenToClient(FHeaderHandle, &hit.pt);
  SendMessageA(FHeaderHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.iItem;
}

int TcxCustomInnerListView::HitTestHeaderAtCursor() const
{
  if (!FHeaderHandle) return -1;
  HDHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ::ScreenToClient(FHeaderHandle, &hit.pt);
  SendMessageA(FHeaderHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  // A press on a divider resizes a column: no section is pressed.
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) return -1;
  return hit.iItem;
}

bool TcxCustomInnerListView::CanHotTrackHeader() const
{
  if (!ColumnClick()) return false;
  for (int i = 0; i < Columns()->Count(); ++i)
    if (Columns()->Items(i)->ImageIndex() != -1) return false;
  return true;
}

void TcxCustomInnerListView::CMHeaderItemInfo(TMessage& msg)
{
  auto* info = msg.LParamAs<THeaderItemInfo>();
  const auto position = static_cast<int>(msg.WParam);
  const int count = Columns()->Count();
  msg.Result = 0;
  if (!info || position < 0 || position > count) return;
  FinalizeHeaderItemInfo(*info);
  InitializeHeaderItemInfo(*info);
  info->ImageIndex = -1;
  if (position < count) {
    // Caption, image and alignment come from the column shown at the position, as the rectangle
    // does: after a column is dragged the columns keep their creation order.
    const int index = HeaderOrderToIndex(position);
    if (index >= 0 && index < count) {
      TListColumn* column = Columns()->Items(index);
      info->ImageIndex = column->ImageIndex();
      info->Alignment = static_cast<uint8_t>(column->Alignment());
      SetHeaderItemText(*info, column->Caption());
    }
  }
  info->Rect = GetHeaderSectionBounds(position);
  info->State = static_cast<uint8_t>(GetHeaderItemState(position));
  msg.Result = reinterpret_cast<LRESULT>(info);
}

// --- Window ---

void TcxCustomInnerListView::Loaded()
{
  TListView::Loaded();
  if (FContainer) FContainer->ApplyIconOptions();
  FSavedHint = Hint();
}

void TcxCustomInnerListView::CreateParams(TCreateParams& params)
{
  TListView::CreateParams(params);
  if (FContainer && FContainer->IconOptions()->AutoArrange())
    params.Style |= LVS_AUTOARRANGE;
  else
    params.Style &= ~static_cast<DWORD>(LVS_AUTOARRANGE);
  if (!ShowColumnHeaders()) params.Style |= LVS_NOCOLUMNHEADER;
}

void TcxCustomInnerListView::CreateWnd()
{
  TListView::CreateWnd();
  if (!FContainer) return;
  FContainer->SyncScrollBarsWithInnerControl(false);
  FContainer->ApplyStyleToInnerControl();
}

void TcxCustomInnerListView::WndProc(TMessage& msg)
{
  if (FContainer && FContainer->HandlePopupMenuShortCut(msg)) return;
  TListView::WndProc(msg);
  if (msg.Msg == WM_PAINT) {
    if (FContainer) FContainer->PostScrollBarsSync();
  } else if (msg.Msg == WM_PARENTNOTIFY && LOWORD(msg.WParam) == WM_CREATE) {
    auto child = reinterpret_cast<HWND>(msg.LParam);
    char name[80] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::strcmp(name, "SysHeader32") == 0) HookHeader(child);
  }
}

void TcxCustomInnerListView::DefaultHandler(TMessage& msg)
{
  if (FContainer && FContainer->DispatchInnerControlMessage(msg)) return;
  TListView::DefaultHandler(msg);
}

LRESULT TcxCustomInnerListView::CallNative(UINT msg, WPARAM wParam, LPARAM lParam)
{
  TMessage m{msg, wParam, lParam, 0};
  TListView::DefaultHandler(m);
  return m.Result;
}

// --- Scrolling ---

void TcxCustomInnerListView::ScrollHorizontally(TScrollCode code, int& pos)
{
  if (!HandleAllocated()) return;
  if (code == scTrack) {
    int delta = pos - GetScrollPos(FHandle, SB_HORZ);
    if (ViewStyle() == vsList) {
      const auto width = static_cast<int>(SendMessageA(FHandle, LVM_GETCOLUMNWIDTH, 0, 0));
      if (width != 0) delta *= width;
    }
    SendMessageA(FHandle, LVM_SCROLL, static_cast<WPARAM>(delta), 0);
    return;
  }
  HWND bar = FContainer ? WindowOf(FContainer->HScrollBar()) : nullptr;
  CallNative(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(bar));
  pos = GetScrollPos(FHandle, SB_HORZ);
}

void TcxCustomInnerListView::ScrollVertically(TScrollCode code, int& pos)
{
  if (!HandleAllocated()) return;
  if (code == scTrack) {
    int dy = 0;
    switch (ViewStyle()) {
      case vsIcon:
      case vsSmallIcon: {
        POINT origin{};
        SendMessageA(FHandle, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
        dy = pos - origin.y;
        break;
      }
      case vsReport: {
        const auto top = static_cast<int>(SendMessageA(FHandle, LVM_GETTOPINDEX, 0, 0));
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        if (!SendMessageA(FHandle, LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&r))) r = RECT{};
        dy = (pos - top) * (r.bottom - r.top);
        break;
      }
      case vsList:
        return;
    }
    SendMessageA(FHandle, LVM_SCROLL, 0, static_cast<LPARAM>(dy));
    return;
  }
  HWND bar = FContainer ? WindowOf(FContainer->VScrollBar()) : nullptr;
  CallNative(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(bar));
  pos = GetScrollPos(FHandle, SB_VERT);
}

// --- Input forwarding ---

void TcxCustomInnerListView::Click()
{
  TListView::Click();
  if (FContainer) _TcxContainerAccess::Click(FContainer);
}

void TcxCustomInnerListView::DblClick()
{
  TListView::DblClick();
  if (FContainer) _TcxContainerAccess::DblClick(FContainer);
}

void TcxCustomInnerListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  TListView::MouseDown(button, shift, x, y);
  if (FContainer) _TcxContainerAccess::MouseDown(FContainer, this, button, shift, x, y);
}

void TcxCustomInnerListView::MouseMove(TShiftState shift, int x, int y)
{
  TListView::MouseMove(shift, x, y);
  if (!GetItemAt(x, y)) SetHint(FSavedHint);
  if (FContainer) _TcxContainerAccess::MouseMove(FContainer, this, shift, x, y);
}

void TcxCustomInnerListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
  TListView::MouseUp(button, shift, x, y);
  if (FContainer) _TcxContainerAccess::MouseUp(FContainer, this, button, shift, x, y);
}

void TcxCustomInnerListView::KeyDown(WORD& key, TShiftState shift)
{
  if (FContainer) _TcxContainerAccess::KeyDown(FContainer, key, shift);
  if (key != 0) TListView::KeyDown(key, shift);
}

void TcxCustomInnerListView::KeyPress(char& key)
{
  if (key == '\t') key = 0;
  if (FContainer) _TcxContainerAccess::KeyPress(FContainer, key);
  if (key == '\r') key = 0;
  if (key != 0) TListView::KeyPress(key);
}

void TcxCustomInnerListView::KeyUp(WORD& key, TShiftState shift)
{
  if (key == VK_TAB) key = 0;
  if (FContainer) _TcxContainerAccess::KeyUp(FContainer, key, shift);
  if (key != 0) TListView::KeyUp(key, shift);
}

void TcxCustomInnerListView::DragDrop(TObject* source, int x, int y)
{
  if (FContainer)
    _TcxContainerAccess::DragDrop(FContainer, this, source, x, y);
  else
    TListView::DragDrop(source, x, y);
}

void TcxCustomInnerListView::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
  if (FContainer)
    _TcxContainerAccess::DragOver(FContainer, this, source, x, y, state, accept);
  else
    TListView::DragOver(source, x, y, state, accept);
}

bool TcxCustomInnerListView::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos)
{
  if (!FContainer) return TListView::DoMouseWheel(shift, wheelDelta, mousePos);
  const bool handled = _TcxContainerAccess::MouseWheel(FContainer, shift, wheelDelta, mousePos);
  if (!handled) TListView::DoMouseWheel(shift, wheelDelta, mousePos);
  return handled;
}

bool TcxCustomInnerListView::CanFocus() const { return FContainer ? FContainer->CanFocus() : TListView::CanFocus(); }

bool TcxCustomInnerListView::CanEdit(TListItem* item)
{
  if (FContainer && FContainer->ReadOnly()) return false;
  return TListView::CanEdit(item);
}

void TcxCustomInnerListView::DeleteSelected()
{
  if (FContainer && !FContainer->ReadOnly()) TListView::DeleteSelected();
}

void TcxCustomInnerListView::MouseLeave(TControl*)
{
  if (FContainer && !FContainer->IsDestroying()) FContainer->RefreshStateAtCursor(true);
}

// --- Messages ---

void TcxCustomInnerListView::WMLButtonDown(TMessage& msg)
{
  // A drag of the list is a drag of the container. The list starts no docking of its own: a dock
  // drag runs to its end inside the press, and would take the list out of its container. So the
  // press starts a plain drag, which the container's drag (a dock drag with its DragKind) replaces.
  const TDragKind kind = DragKind();
  if (FContainer && kind == dkDock) TControl::SetDragKind(dkDrag);
  try {
    Inherited<TcxCustomInnerListView>(msg);
  } catch (...) {
    TControl::SetDragKind(kind);
    throw;
  }
  TControl::SetDragKind(kind);
  if (FContainer && Dragging()) {
    EndDrag(false);
    FContainer->BeginDrag(false, -1);
  }
}

void TcxCustomInnerListView::WMGetDlgCode(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  if (!FContainer) return;
  msg.Result |= DLGC_WANTCHARS;
  if (GetKeyState(VK_CONTROL) >= 0) msg.Result |= DLGC_WANTTAB;
}

void TcxCustomInnerListView::WMSetFocus(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  if (FContainer && !IsDestroying() && !FContainer->IsDestroying() &&
      reinterpret_cast<HWND>(msg.WParam) != WindowOf(FContainer))
    FContainer->FocusChanged();
}

void TcxCustomInnerListView::WMKillFocus(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  if (FContainer && !FContainer->IsDestroying()) FContainer->FocusChanged();
}

void TcxCustomInnerListView::CMMouseEnter(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  auto* control = reinterpret_cast<TControl*>(msg.LParam);
  MouseEnter(control ? control : this);
}

void TcxCustomInnerListView::CMMouseLeave(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  auto* control = reinterpret_cast<TControl*>(msg.LParam);
  MouseLeave(control ? control : this);
}

void TcxCustomInnerListView::WMNCCalcSize(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  // The container leaves out a request while it computes its bars itself.
  if (FContainer) FContainer->SyncScrollBarsWithInnerControl(false);
}

void TcxCustomInnerListView::WMNCPaint(TMessage& msg)
{
  // The painted bars stand over the native ones, which are not drawn; without painted bars the
  // native ones are the only ones.
  if (!FContainer || !IsScrollBarInfoSupported()) return Inherited<TcxCustomInnerListView>(msg);
  msg.Result = 0;
  if (BothBarsVisible(FContainer)) FillSizeGrip(FContainer);
}

void TcxCustomInnerListView::WMWindowPosChanged(TMessage& msg)
{
  if (FContainer && !IsDestroying()) FContainer->SyncScrollBarsWithInnerControl(false);
  Inherited<TcxCustomInnerListView>(msg);
  if (!FContainer || IsDestroying() || !BothBarsVisible(FContainer) || !HandleAllocated()) return;
  const RECT grip = GetInnerSizeGripRect(this);
  RECT window{};
  GetWindowRect(FHandle, &window);
  HRGN region = CreateRectRgn(window.left + grip.left, window.top + grip.top, window.left + grip.right,
                              window.top + grip.bottom);
  SendMessageA(FHandle, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

void TcxCustomInnerListView::WMNotify(TMessage& msg)
{
  Inherited<TcxCustomInnerListView>(msg);
  auto* hdr = msg.LParamAs<NMHDR>();
  if (!hdr || !FContainer || !FHeaderHandle || hdr->hwndFrom != FHeaderHandle) return;
  // A column changed its width: the bars take the new positions (both codes, by the notify format).
  if (hdr->code == HDN_ITEMCHANGEDA || hdr->code == HDN_ITEMCHANGEDW) FContainer->SyncScrollBarsWithInnerControl(true);
}

void TcxCustomInnerListView::CNNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  if (IsEndLabelEditCode(hdr->code)) {
    msg.Result = FALSE;
    LVITEMA edited{};
    std::string text;
    const bool hasText = ReadLabelEditResult(hdr, edited, text);
    if (edited.iItem < 0 || edited.iItem >= Items()->Count()) return;
    if (!hasText) return DoCancelEdit();
    if (CanChange(Items()->Item(edited.iItem), LVIF_TEXT)) Edit(edited);
    return;
  }
  if (hdr->code == NM_CUSTOMDRAW) {
    // The list's custom drawing hooks the canvas's changes: the toolkit canvas keeps its own.
    TCanvas* canvas = FcxCanvas->Canvas();
    const TNotifyEvent brushChange = canvas->Brush()->OnChange();
    const TNotifyEvent fontChange = canvas->Font()->OnChange();
    struct TRestore {
      TCanvas* Canvas;
      TNotifyEvent Brush, Font;
      ~TRestore()
      {
        Canvas->Brush()->SetOnChange(Brush);
        Canvas->Font()->SetOnChange(Font);
      }
    } restore{canvas, brushChange, fontChange};
    Inherited<TcxCustomInnerListView>(msg);
    return;
  }
  Inherited<TcxCustomInnerListView>(msg);
}

void TcxCustomInnerListView::DoCancelEdit()
{
  if (!HandleAllocated() || !FContainer || FContainer->IsDestroying() || !FContainer->OnCancelEdit()) return;
  auto edit = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETEDITCONTROL, 0, 0));
  if (edit && IsWindowVisible(edit)) FContainer->OnCancelEdit()(FContainer);
}

void TcxCustomInnerListView::CMHintShow(TMessage& msg)
{
  auto* info = msg.LParamAs<THintInfo>();
  if (!info) return Inherited<TcxCustomInnerListView>(msg);
  TListItem* item = GetItemAt(info->CursorPos.x, info->CursorPos.y);
  if (FHintPrepared && item == FLastHintItem.Get()) return;
  if (!OnInfoTip()) {
    SetHint(FSavedHint);
    Inherited<TcxCustomInnerListView>(msg);
  } else if (item) {
    std::string tip = item->Caption();
    DoInfoTip(item, tip);
    // The area is the item's, in the list's client coordinates; the tip shows right below the
    // cursor's size from its corner.
    const RECT bounds = item->DisplayRect(drBounds);
    const POINT corner = ClientToScreen(POINT{bounds.left, bounds.top});
    info->CursorRect = bounds;
    info->HintStr = tip;
    info->HintPos = POINT{corner.x + GetSystemMetrics(SM_CXCURSOR), corner.y + GetSystemMetrics(SM_CYCURSOR)};
    info->HintMaxWidth = ClientWidth();
    SetHint(tip);
  }
  FLastHintItem = item;
  FHintPrepared = true;
}
