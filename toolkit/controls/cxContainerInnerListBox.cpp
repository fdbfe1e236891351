#include "toolkit/controls/cxContainerInnerListBox.h"

#include <algorithm>
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxScrollBar.h"
#include "toolkit/controls/cxControlsHelpers.h"

TcxInnerListBoxTickCountFunc cxInnerListBoxTickCount = GetTickCount;

namespace {

bool IsLeadByte(char ch) { return IsDBCSLeadByte(static_cast<BYTE>(ch)) != FALSE; }

// The text without its last character, a whole double-byte character when it ends in one.
void RemoveLastCharacter(std::string& text)
{
  if (text.empty()) return;
  size_t start = 0, last = 0;
  while (start < text.size()) {
    last = start;
    start += IsLeadByte(text[start]) && start + 1 < text.size() ? 2 : 1;
  }
  text.erase(last);
}

}  // namespace

CL_MESSAGE_MAP(TcxCustomInnerListBox, {CN_DRAWITEM, &TcxCustomInnerListBox::CNDrawItem});
CL_DEFINE_CLASS(TcxCustomInnerListBox);

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* owner)
    : TListBox(owner), FcxCanvas(MakeOwned<TcxCanvas>(Canvas()))
{
  auto makeBar = [this](TScrollBarKind kind) {
    auto* bar = New<TcxScrollBar>(this);
    bar->FreeNotification(this);
    bar->SetKind(kind);
    bar->SetSmallChange(1);
    bar->SetVisible(false);
    return bar;
  };
  FHScrollBar = makeBar(sbHorizontal);
  FHScrollBar->SetOnScroll(TScrollEvent(this, &TcxCustomInnerListBox::ScrollHorz));
  FVScrollBar = makeBar(sbVertical);
  FVScrollBar->SetOnScroll(TScrollEvent(this, &TcxCustomInnerListBox::ScrollVert));
  FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxCustomInnerListBox::LookAndFeelChanged));
  FHScrollBar->LookAndFeel()->SetMaster(FLookAndFeel.get());
  FVScrollBar->LookAndFeel()->SetMaster(FLookAndFeel.get());
  SetBorderStyle(TBorderStyle::bsNone);
  FControlStyle.Exclude(TControlStyleFlag::csOpaque);
  FControlStyle.Include(TControlStyleFlag::csDoubleClicks);
  SetParentColor(false);
  SetParentFont(true);
}

TcxCustomInnerListBox::~TcxCustomInnerListBox()
{
  if (FHScrollBar) ::Free(std::exchange(FHScrollBar, nullptr));
  if (FVScrollBar) ::Free(std::exchange(FVScrollBar, nullptr));
}

void TcxCustomInnerListBox::Notification(TComponent* component, TOperation operation)
{
  TListBox::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FHScrollBar) FHScrollBar = nullptr;
  if (component == FVScrollBar) FVScrollBar = nullptr;
}

void TcxCustomInnerListBox::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues)
{
  if (HandleAllocated()) Invalidate();
}

void TcxCustomInnerListBox::CreateParams(TCreateParams& params)
{
  TListBox::CreateParams(params);
  params.Style |= WS_HSCROLL;
}

// --- Forwarding to the container ---

void TcxCustomInnerListBox::Click()
{
  TListBox::Click();
  if (FVScrollBar && FVScrollBar->Visible()) SyncScrollBars();
  if (FContainer) _TcxContainerAccess::Click(FContainer);
}

void TcxCustomInnerListBox::DblClick()
{
  TListBox::DblClick();
  if (FContainer) _TcxContainerAccess::DblClick(FContainer);
}

void TcxCustomInnerListBox::KeyDown(WORD& key, TShiftState shift)
{
  if (FContainer) _TcxContainerAccess::KeyDown(FContainer, key, shift);
  if (key != 0) TListBox::KeyDown(key, shift);
}

void TcxCustomInnerListBox::KeyUp(WORD& key, TShiftState shift)
{
  if (key == VK_TAB) key = 0;
  if (FContainer) _TcxContainerAccess::KeyUp(FContainer, key, shift);
  if (key != 0) TListBox::KeyUp(key, shift);
}

void TcxCustomInnerListBox::KeyPress(char& key)
{
  if (key == '\t') key = 0;
  if (FContainer) _TcxContainerAccess::KeyPress(FContainer, key);
  if (key == '\r') key = 0;
  if (key == 0) return;
  if (OnKeyPress()) OnKeyPress()(this, key);
  if (key != 0) DoAutoComplete(key);
}

void TcxCustomInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  TListBox::MouseDown(button, shift, x, y);
  if (FContainer) _TcxContainerAccess::MouseDown(FContainer, this, button, shift, x, y);
}

void TcxCustomInnerListBox::MouseMove(TShiftState shift, int x, int y)
{
  TListBox::MouseMove(shift, x, y);
  if (FContainer) _TcxContainerAccess::MouseMove(FContainer, this, shift, x, y);
}

void TcxCustomInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
  TListBox::MouseUp(button, shift, x, y);
  if (FContainer) _TcxContainerAccess::MouseUp(FContainer, this, button, shift, x, y);
}

void TcxCustomInnerListBox::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
  if (FContainer)
    _TcxContainerAccess::DragOver(FContainer, this, source, x, y, state, accept);
  else
    TListBox::DragOver(source, x, y, state, accept);
}

void TcxCustomInnerListBox::DragDrop(TObject* source, int x, int y)
{
  if (FContainer)
    _TcxContainerAccess::DragDrop(FContainer, this, source, x, y);
  else
    TListBox::DragDrop(source, x, y);
}

void TcxCustomInnerListBox::MouseDownDraggingContainer(TMessage& msg)
{
  const bool shift = (msg.WParam & MK_SHIFT) != 0, ctrl = (msg.WParam & MK_CONTROL) != 0;
  const LRESULT hit = SendMessageA(FHandle, LB_ITEMFROMPOINT, 0, msg.LParam);
  const bool onItem = HIWORD(hit) == 0 && LOWORD(hit) < Count();
  const bool onSelection = MultiSelect() && onItem && Selected(LOWORD(hit));
  TWeakRef<TcxCustomInnerListBox> self(this);
  TWeakRef<TcxContainer> container(FContainer);
  // Without the automatic mode the class library lets the press through to the list.
  SetDragMode(dmManual);
  try {
    if (onSelection && !(shift && !ctrl)) {
      // Dragging a selection must not change it: the list never sees this press.
      _TcxContainerAccess::BeginAutoDrag(container.Get());
    } else {
      TListBox::WndProc(msg);
      if (container && !(MultiSelect() && (shift || ctrl))) _TcxContainerAccess::BeginAutoDrag(container.Get());
    }
  } catch (...) {
    if (self) SetDragMode(dmAutomatic);
    throw;
  }
  if (self) SetDragMode(dmAutomatic);
}

bool TcxCustomInnerListBox::ForwardMouseWheel(TMessage& msg)
{
  if (!FContainer) return false;
  const POINT p{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  const int delta = static_cast<short>(HIWORD(msg.WParam));
  return _TcxContainerAccess::MouseWheel(FContainer, KeyboardShiftState(), delta, p);
}

void TcxCustomInnerListBox::WndProc(TMessage& msg)
{
  if (FContainer && FContainer->HandlePopupMenuShortCut(msg)) return;
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
      if (FContainer && DragMode() == dmAutomatic && !FContainer->IsDesigning()) {
        MouseDownDraggingContainer(msg);
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      if (ForwardMouseWheel(msg)) {
        msg.Result = 0;
        return;
      }
      break;
    case WM_CONTEXTMENU:
      // The container's popup menu serves the list too.
      if (FContainer && FContainer->HandleAllocated()) {
        msg.Result = SendMessageA(FContainer->Handle(), WM_CONTEXTMENU, msg.WParam, msg.LParam);
        return;
      }
      break;
    case WM_SETREDRAW:
      FRedrawLocked = msg.WParam == 0;
      break;
    case WM_PRINT:
      if (FContainer && (msg.LParam & PRF_NONCLIENT)) {
        // The corner is this list's own; the painted bars print themselves as windows of their own.
        FillSizeGripArea(FContainer, FHandle, SizeGripRect(), reinterpret_cast<HDC>(msg.WParam));
        msg.LParam &= ~static_cast<LPARAM>(PRF_NONCLIENT);
        TListBox::DefaultHandler(msg);
        return;
      }
      break;
    case WM_PRINTCLIENT:
      TListBox::DefaultHandler(msg);
      return;
    default: break;
  }
  TListBox::WndProc(msg);
  switch (msg.Msg) {
    case WM_SETFOCUS:
      if (!IsDestroying()) _TcxContainerAccess::FocusReceived(FContainer, reinterpret_cast<HWND>(msg.WParam));
      break;
    case WM_KILLFOCUS:
      _TcxContainerAccess::FocusLost(FContainer);
      break;
    case WM_GETDLGCODE:
      if (FContainer) {
        msg.Result |= DLGC_WANTCHARS;
        if (GetKeyState(VK_CONTROL) >= 0) msg.Result |= DLGC_WANTTAB;
      }
      break;
    case WM_SETREDRAW:
      if (msg.WParam) SyncScrollBars();
      break;
    case WM_NCCALCSIZE:
      if (!FScrollBarsCalculating) SyncScrollBars();
      break;
    case WM_NCPAINT:
      if (FContainer) FillSizeGripArea(FContainer, FHandle, SizeGripRect());
      break;
    case WM_WINDOWPOSCHANGED:
      SyncScrollBars();
      if (const RECT grip = SizeGripRect(); !IsRectEmpty(&grip)) {
        RECT window{};
        GetWindowRect(FHandle, &window);
        HRGN region = CreateRectRgn(window.left + grip.left, window.top + grip.top, window.left + grip.right,
                                    window.top + grip.bottom);
        SendMessageA(FHandle, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
        DeleteObject(region);
      }
      break;
    case WM_HSCROLL: case WM_VSCROLL: case LB_ADDSTRING: case LB_INSERTSTRING:
    case LB_DELETESTRING: case LB_RESETCONTENT: case LB_SETCURSEL: case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX: case LB_SETCARETINDEX: case WM_MOUSEWHEEL: case CM_WININICHANGE:
      SyncScrollBars();
      break;
    default: break;
  }
}

void TcxCustomInnerListBox::DefaultHandler(TMessage& msg)
{
  if (FContainer && FContainer->DispatchInnerControlMessage(msg)) return;
  TListBox::DefaultHandler(msg);
}

void TcxCustomInnerListBox::DestroyWindowHandle()
{
  FRedrawLocked = false;
  TListBox::DestroyWindowHandle();
}

LRESULT TcxCustomInnerListBox::CallDefault(UINT msg, WPARAM wParam, LPARAM lParam)
{
  TMessage m{msg, wParam, lParam, 0};
  TListBox::DefaultHandler(m);
  return m.Result;
}

// --- Painted scroll bars ---

void TcxCustomInnerListBox::SyncScrollBars()
{
  // Moving a bar makes the container lay the list out again, which asks for this again.
  if (IsDestroying() || FScrollBarsLock > 0 || FScrollBarsCalculating || !IsScrollBarInfoSupported() ||
      FRedrawLocked || !HandleAllocated())
    return;
  FScrollBarsCalculating = true;
  try {
    if (FHScrollBar) SyncScrollBar(FHScrollBar, OBJID_HSCROLL, SB_HORZ);
    if (FVScrollBar) SyncScrollBar(FVScrollBar, OBJID_VSCROLL, SB_VERT);
  } catch (...) {
    FScrollBarsCalculating = false;
    throw;
  }
  FScrollBarsCalculating = false;
}

void TcxCustomInnerListBox::SyncScrollBar(TcxScrollBar* bar, LONG objectId, int barKind)
{
  SCROLLBARINFO info{};
  bool visible = Parent() && QueryScrollBarInfo(Handle(), objectId, info) &&
                 !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
  RECT r{};
  if (visible) {
    bar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && Parent()->Enabled());
    r = MapRectBetweenWindows(info.rcScrollBar, nullptr, Parent()->Handle());
    if (r.left < 0 || r.top < 0 || r.right - r.left > Width() || r.bottom - r.top > Height()) visible = false;
  }
  if (visible) {
    bar->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    ++FScrollBarsLock;
    try {
      bar->SetParent(Parent());
    } catch (...) {
      --FScrollBarsLock;
      throw;
    }
    --FScrollBarsLock;
    bar->SetCtl3D(false);
    bar->BringToFront();
  } else {
    bar->SetBounds(0, 0, 0, 0);
  }
  bar->SetVisible(visible);
  if (!visible) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  if (GetScrollInfo(Handle(), barKind, &si)) SetScrollBarParamsFromInfo(bar, si);
}

RECT TcxCustomInnerListBox::SizeGripRect() const
{
  if (!FHScrollBar || !FVScrollBar || !FHScrollBar->Visible() || !FVScrollBar->Visible() || !Parent() ||
      !Parent()->HandleAllocated() || !HandleAllocated())
    return RECT{};
  const POINT screen = Parent()->ClientToScreen(POINT{FVScrollBar->Left(), FHScrollBar->Top()});
  RECT window{};
  GetWindowRect(FHandle, &window);
  return RectFromBounds(screen.x - window.left, screen.y - window.top, FVScrollBar->Width(), FHScrollBar->Height());
}

void TcxCustomInnerListBox::ScrollHorz(TObject*, TScrollCode code, int& pos)
{
  if (!FHScrollBar || !FHScrollBar->HandleAllocated()) return;
  CallDefault(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
              reinterpret_cast<LPARAM>(FHScrollBar->Handle()));
  pos = GetScrollPos(Handle(), SB_HORZ);
}

void TcxCustomInnerListBox::ScrollVert(TObject*, TScrollCode code, int& pos)
{
  switch (code) {
    case scLineUp:
    case scLineDown: SetTopIndex(pos); break;
    case scPosition:
    case scTrack:
      SetTopIndex(pos);
      pos = GetScrollPos(Handle(), SB_VERT);
      break;
    default:
      CallDefault(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), 0);
      pos = GetScrollPos(Handle(), SB_VERT);
      break;
  }
}

// --- Typed search ---

int TcxCustomInnerListBox::FindItemStartingWith(const std::string& text)
{
  if (!HandleAllocated()) return -1;
  if (IsVirtual()) {
    // The program knows the items of a virtual list; an answer outside the list finds nothing.
    const int found = DoFindData(text);
    return found >= 0 && found < Count() ? found : -1;
  }
  const LRESULT found = SendMessageA(FHandle, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return found == LB_ERR ? -1 : static_cast<int>(found);
}

void TcxCustomInnerListBox::DoAutoComplete(char& key)
{
  if (!FAutoComplete) return;
  const DWORD now = cxInnerListBoxTickCount();
  if (now - FPrevKeyTick >= FAutoCompleteDelay) FSearchText.clear();
  FPrevKeyTick = now;
  if (key == '\b') {
    RemoveLastCharacter(FSearchText);
  } else if (IsLeadByte(key)) {
    // The trail byte waits as the next WM_CHAR.
    MSG trail;
    if (HandleAllocated() && PeekMessageA(&trail, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
      FSearchText += key;
      FSearchText += static_cast<char>(trail.wParam);
    }
    key = 0;
  } else if (key != '\r' && key != 27) {
    FSearchText += key;
  }
  if (FSearchText.empty()) {
    if (Count() > 0) SetItemIndex(0);
    Click();
  } else if (int index = FindItemStartingWith(FSearchText); index >= 0) {
    if (MultiSelect()) {
      ClearSelection();
      SetSelected(index, true);
      SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), 0);
    }
    SetItemIndex(index);
    Click();
  }
  if (key != '\b' && key != '\r' && key != 27) key = 0;
}

// --- Item drawing ---

bool TcxCustomInnerListBox::UsesDefaultDrawing() const { return !OnDrawItem(); }

// The toolkit canvas takes the item's context with the list's font and brush; a selected item is
// drawn in the highlight colours, an invalid index only fills the item's rectangle, and the focus
// rectangle is the list's own only while it draws its items itself.
void TcxCustomInnerListBox::CNDrawItem(TMessage& msg)
{
  auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  if (!dis) return;
  DrawOwnerDrawnItem(FcxCanvas->Canvas(), this, *dis, UsesDefaultDrawing(),
                     [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
  msg.Result = TRUE;
}
