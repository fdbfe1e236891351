// TWinControl and TCustomControl: controls with a window of their own.
#include <algorithm>
#include "classlib/Controls.h"
#include "classlib/DockTree.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/TypInfo.h"

constexpr std::string_view ImeModeNames[] = {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha",
                                              "imAlpha", "imHira", "imSKata", "imKata", "imChinese",
                                              "imSHanguel", "imHanguel"};
constexpr TEnumInfo ImeModeInfo = EnumInfo<imHanguel>("TImeMode", ImeModeNames);

namespace {
using TW = TWinControl;
constexpr TPropInfo WinControlProps[] = {
  IntProp<&TW::TabOrder, &TW::SetTabOrder>("TabOrder", -1),
  BoolProp<&TW::TabStop, &TW::SetTabStop>("TabStop", false),
  EnumProp<&TW::ImeMode, &TW::SetImeMode>("ImeMode", ImeModeInfo, static_cast<int>(imDontCare)),
  StrProp<&TW::ImeName, &TW::SetImeName>("ImeName"),
  EventProp<&TW::OnEnter, &TW::SetOnEnter>("OnEnter"),
  EventProp<&TW::OnExit, &TW::SetOnExit>("OnExit"),
  EventProp<&TW::OnKeyDown, &TW::SetOnKeyDown>("OnKeyDown"),
  EventProp<&TW::OnKeyPress, &TW::SetOnKeyPress>("OnKeyPress"),
  EventProp<&TW::OnKeyUp, &TW::SetOnKeyUp>("OnKeyUp"),
};

// Resolves a colour to the RGB value GDI draws with.
COLORREF ToRGB(TColor color)
{
  if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

// Child window identifiers, so that notifications that name a child by its identifier
// (WM_MEASUREITEM) find it.
UINT NextChildId()
{
  static UINT id = 0;
  id = id % 0xFFF0 + 1;
  return id;
}
}  // namespace

CL_MESSAGE_MAP(TWinControl,
  {WM_PAINT, &TWinControl::WMPaint},
  {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
  {WM_PRINTCLIENT, &TWinControl::WMPrintClient},
  {WM_COMMAND, &TWinControl::WMCommand},
  {WM_CONTEXTMENU, &TWinControl::WMContextMenu},
  {WM_NOTIFY, &TWinControl::WMNotify},
  {WM_DRAWITEM, &TWinControl::WMDrawItem},
  {WM_MEASUREITEM, &TWinControl::WMMeasureItem},
  {WM_COMPAREITEM, &TWinControl::WMCompareItem},
  {WM_DELETEITEM, &TWinControl::WMDeleteItem},
  {WM_CTLCOLORMSGBOX, &TWinControl::WMCtlColor},
  {WM_CTLCOLOREDIT, &TWinControl::WMCtlColor},
  {WM_CTLCOLORLISTBOX, &TWinControl::WMCtlColor},
  {WM_CTLCOLORBTN, &TWinControl::WMCtlColor},
  {WM_CTLCOLORDLG, &TWinControl::WMCtlColor},
  {WM_CTLCOLORSCROLLBAR, &TWinControl::WMCtlColor},
  {WM_CTLCOLORSTATIC, &TWinControl::WMCtlColor},
  {WM_HSCROLL, &TWinControl::WMScroll},
  {WM_VSCROLL, &TWinControl::WMScroll},
  {WM_CHARTOITEM, &TWinControl::WMCharToItem},
  {WM_VKEYTOITEM, &TWinControl::WMCharToItem},
  {WM_SIZE, &TWinControl::WMSize},
  {WM_MOVE, &TWinControl::WMMove},
  {WM_WINDOWPOSCHANGED, &TWinControl::WMWindowPosChanged},
  {WM_WINDOWPOSCHANGING, &TWinControl::WMWindowPosChanging},
  {WM_SETCURSOR, &TWinControl::WMSetCursor},
  {WM_SETFOCUS, &TWinControl::WMSetFocus},
  {WM_KILLFOCUS, &TWinControl::WMKillFocus},
  {WM_KEYDOWN, &TWinControl::WMKeyDown},
  {WM_SYSKEYDOWN, &TWinControl::WMKeyDown},
  {WM_KEYUP, &TWinControl::WMKeyUp},
  {WM_SYSKEYUP, &TWinControl::WMKeyUp},
  {WM_CHAR, &TWinControl::WMChar},
  {WM_MOUSELEAVE, &TWinControl::WMMouseLeave},
  {WM_MOUSEWHEEL, &TWinControl::WMMouseWheel},
  {WM_NCDESTROY, &TWinControl::WMNCDestroy},
  {CN_KEYDOWN, &TWinControl::CNKeyDown},
  {CN_SYSKEYDOWN, &TWinControl::CNKeyDown},
  {CN_CHAR, &TWinControl::CNChar},
  {CN_SYSCHAR, &TWinControl::CNSysChar},
  {CN_KEYUP, &TWinControl::CNKeyUp},
  {CM_ENTER, &TWinControl::CMEnter},
  {CM_EXIT, &TWinControl::CMExit},
  {CM_DIALOGKEY, &TWinControl::CMDialogKey},
  {CM_DIALOGCHAR, &TWinControl::CMDialogChar},
  {CM_CHILDKEY, &TWinControl::CMChildKey},
  {CM_VISIBLECHANGED, &TWinControl::CMVisibleChangedWin},
  {CM_ENABLEDCHANGED, &TWinControl::CMEnabledChangedWin},
  {CM_SHOWINGCHANGED, &TWinControl::CMShowingChanged},
  {CM_FONTCHANGED, &TWinControl::CMFontChangedWin},
  {CM_COLORCHANGED, &TWinControl::CMColorChangedWin},
  {CM_RECREATEWND, &TWinControl::CMRecreateWnd},
  {CM_INVALIDATE, &TWinControl::CMInvalidate},
  {CM_SYSCOLORCHANGE, &TWinControl::CMSysColorChange},
  {CM_CANCELMODE, &TWinControl::CMCancelMode},
  {CM_PARENTCTL3DCHANGED, &TWinControl::CMParentCtl3DChanged});
CL_DEFINE_CLASS(TWinControl, .Props = WinControlProps);

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
  if (FBrush) DeleteObject(FBrush);
}

void TWinControl::BeforeDestruction()
{
  Destroying();
  FDockManager.reset();
  if (Parent()) RemoveFocus(true);
  if (FHandle) DestroyWindowHandle();  // child windows go with it
  // A windowed control frees the controls placed on it.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* child = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    RemoveControl(child);
    Free(child);
  }
  TControl::BeforeDestruction();
}

// ----- window -------------------------------------------------------------------------------

HWND TWinControl::Handle()
{
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded()
{
  if (FHandle) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) { return dynamic_cast<TWinControl*>(FindWindowObject(wnd)); }

void TWinControl::CreateParams(TCreateParams& params)
{
  params = TCreateParams{};
  params.Caption = FText;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(TControlStyleFlag::csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  if (Parent())
    params.WndParent = Parent()->Handle();
  else
    params.WndParent = FParentWindow;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  params.WindowClass.hInstance = GetModuleHandleA(nullptr);
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName)
{
  WNDCLASSA cls{};
  if (!GetClassInfoA(nullptr, controlClassName, &cls) &&
      !GetClassInfoA(GetModuleHandleA(nullptr), controlClassName, &cls))
    RaiseLastOSError();
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.style &= ~CS_GLOBALCLASS;
  cls.lpszClassName = nullptr;
  params.WindowClass = cls;
}

void TWinControl::CreateHandle()
{
  if (FHandle) return;
  CreateWnd();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}

void TWinControl::CreateWnd()
{
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProcA;
  params.WindowClass.lpszClassName = params.WinClassName.c_str();
  RegisterObjectWindowClass(params.WindowClass);
  CreateWindowHandle(params);
  if (!FHandle) throw EInvalidOperation("Window of control '" + Name() + "' was not created");
  if (TWinControl* parent = Parent()) {
    // The system puts a new child window behind its siblings; the windows stack as the children
    // list says instead, a later sibling in front of an earlier one (as the hit tests assume).
    const auto& siblings = parent->FWinControls;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    HWND front = HWND_TOP;
    if (it != siblings.end())
      for (++it; it != siblings.end() && front == HWND_TOP; ++it)
        if ((*it)->FHandle) front = (*it)->FHandle;
    SetWindowPos(FHandle, front, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  UpdateBounds();
  ApplyFont();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
  HMENU id =
      (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : nullptr;
  CreateObjectWindow(this, params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                     params.X, params.Y, params.Width, params.Height, params.WndParent, id, params.Param);
}

void TWinControl::DestroyHandle()
{
  if (!FHandle) return;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd()
{
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle()
{
  FControlState.Include(TControlStateFlag::csDestroyingHandle);
  HWND wnd = FHandle;
  if (wnd && !DestroyWindow(wnd)) {
    // Not a window of this thread, or already gone: drop the link all the same.
    DetachWindowObject(wnd);
    WindowDetached();
  }
  FControlState.Exclude(TControlStateFlag::csDestroyingHandle);
}

HWND TWinControl::DetachHandle()
{
  if (!FHandle) return nullptr;
  for (TWinControl* c : FWinControls) c->DestroyHandle();
  FText = GetText();
  HWND wnd = FHandle;
  ReleaseWindowObject(wnd);
  WindowDetached();
  return wnd;
}

void TWinControl::AttachHandle(HWND wnd)
{
  if (FHandle) throw EInvalidOperation("Control '" + Name() + "' has a window already");
  AttachWindowObject(wnd, this);
  FShowing = (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_VISIBLE) != 0;
  UpdateBounds();
}

void TWinControl::WindowAttached(HWND wnd)
{
  FHandle = wnd;
}

void TWinControl::WindowDetached()
{
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::WindowMessage(TMessage& msg)
{
  if (msg.Msg == WM_DESTROY && !FControlState.Contains(TControlStateFlag::csDestroyingHandle))
    FText = GetText();
  WindowProc()(msg);
}

void TWinControl::RecreateWnd()
{
  if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::SetParentWindow(HWND wnd)
{
  if (Parent() || FParentWindow == wnd) return;
  if (FHandle && wnd) {
    ::SetParent(FHandle, wnd);
  } else if (FHandle) {
    DestroyHandle();
  }
  FParentWindow = wnd;
  UpdateControlState();
}

void TWinControl::DefaultHandler(TMessage& msg)
{
  if (FHandle) {
    if (msg.Msg >= CN_CTLCOLORMSGBOX && msg.Msg <= CN_CTLCOLORSTATIC) {
      // A child that does not colour itself: the control's font colour on its brush.
      auto dc = reinterpret_cast<HDC>(msg.WParam);
      SetTextColor(dc, ToRGB(Font()->Color()));
      SetBkColor(dc, ToRGB(Color()));
      msg.Result = reinterpret_cast<LRESULT>(BrushHandle());
      return;
    }
    if (msg.Msg >= CM_BASE) return;  // the library's own messages mean nothing to the window
    msg.Result = CallWindowProcA(FDefWndProc, FHandle, msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  TControl::DefaultHandler(msg);
}

void TWinControl::WndProc(TMessage& msg)
{
  switch (msg.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(); form && form != this && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (FControlState.Contains(TControlStateFlag::csFocusing)) return;
      break;
    case WM_NCHITTEST:
      // The class's own handler first (windows the mouse goes through answer HTTRANSPARENT).
      Dispatch(msg);
      if (msg.Result == HTTRANSPARENT && ControlAtPos(ScreenToClient(msg.Pos()), false))
        msg.Result = HTCLIENT;
      return;
    case WM_MOUSEMOVE:
      if (FHandle) {
        // Tracking is one window per thread: another window's request ends this one's silently,
        // so ask rather than remember.
        TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
        if (!TrackMouseEvent(&query) || query.hwndTrack != FHandle || !(query.dwFlags & TME_LEAVE)) {
          TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
          TrackMouseEvent(&tme);
        }
      }
      // Where the cursor is now decides, not where this message says it was: a late move message
      // must not take the mouse back from the control the cursor has since gone to.
      UpdateMouseControl();
      break;
    default:
      break;
  }
  if (msg.Msg >= WM_MOUSEFIRST && msg.Msg <= WM_MOUSELAST && msg.Msg != WM_MOUSEWHEEL &&
      msg.Msg != WM_MOUSEHWHEEL) {
    if (IsControlMouseMsg(msg)) return;
  }
  TControl::WndProc(msg);
}

bool TWinControl::IsControlMouseMsg(TMessage& msg)
{
  TControl* control = nullptr;
  HWND capture = GetCapture();
  if (capture && capture == FHandle) {
    TControl* cc = GetCaptureControl();
    if (cc && cc != this && cc->Parent() == this) control = cc;
  } else {
    control = ControlAtPos(msg.Pos(), false);
  }
  if (!control) return false;
  POINT p = msg.Pos();
  p.x -= control->Left();
  p.y -= control->Top();
  msg.Result = control->Perform(msg.Msg, msg.WParam, PointToLParam(p));
  return true;
}

// ----- children -----------------------------------------------------------------------------

TControl* TWinControl::Controls(int index) const
{
  int n = static_cast<int>(FControls.size());
  if (index >= 0 && index < n) return FControls[index];
  if (index >= n && index - n < static_cast<int>(FWinControls.size())) return FWinControls[index - n];
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TWinControl::InsertControl(TControl* control)
{
  control->FParent = this;
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
    if (win->FTabOrderWanted >= 0) win->SetTabOrder(win->FTabOrderWanted);
  } else {
    FControls.push_back(control);
  }
  if (!control->IsLoading()) {
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->Perform(CM_PARENTCTL3DCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
  }
  control->UpdateAnchorRules();
  if (auto* win = dynamic_cast<TWinControl*>(control))
    win->UpdateControlState();
  else
    control->Invalidate();
  AlignChildren(control);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control)
{
  if (control->FParent != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    win->RemoveFocus(true);
    win->DestroyHandle();
    std::erase(FWinControls, win);
    std::erase(FTabList, win);
  } else {
    control->InvalidateControl(control->Visible(), false);
    std::erase(FControls, control);
  }
  control->FParent = nullptr;
  DockClientRemoved(control);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
  if (!IsDestroying()) AlignChildren();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
  for (; control; control = control->Parent())
    if (control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) const
{
  auto hit = [&](TControl* c) {
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) return false;
    RECT r = c->BoundsRect();
    if (!PtInRect(&r, p)) return false;
    POINT local{p.x - c->Left(), p.y - c->Top()};
    return c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (allowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == root) proc(c);
  }
}

void TWinControl::SetChildOrder(TComponent* child, int order)
{
  auto* control = dynamic_cast<TControl*>(child);
  if (!control || control->Parent() != this) return;
  auto move = [&](auto& list, auto* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return;
    list.erase(it);
    list.insert(list.begin() + std::clamp<int>(order, 0, static_cast<int>(list.size())), item);
  };
  if (auto* win = dynamic_cast<TWinControl*>(control))
    move(FWinControls, win);
  else
    move(FControls, control);
}

void TWinControl::Broadcast(TMessage& msg)
{
  // Copies: a handler may add or remove controls.
  std::vector<TControl*> all(FControls.begin(), FControls.end());
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  for (TControl* c : all) {
    c->WindowProc()(msg);
    if (msg.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msgNo)
{
  TMessage msg{msgNo, 0, 0, 0};
  Broadcast(msg);
}

// ----- layout -------------------------------------------------------------------------------

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(TControlStateFlag::csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() { AlignChildren(); }

void TWinControl::AlignChildren(TControl* requester)
{
  if (IsDestroying() || FAligning) return;
  if (FAlignLevel > 0 || IsLoading()) {
    FControlState.Include(TControlStateFlag::csAlignmentNeeded);
    return;
  }
  FAligning = true;
  try {
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(requester, rect);
    // A dock manager places the docked clients.
    if (FDockManager && FDockSite && FUseDockManager) FDockManager->ResetBounds(false);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
  FControlState.Exclude(TControlStateFlag::csAlignmentNeeded);
}

void TWinControl::AlignControls(TControl* requester, RECT& rect)
{
  std::vector<TControl*> all(FControls.begin(), FControls.end());
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  RECT client = ClientRect();
  AdjustClientRect(client);

  // Controls of one alignment are stacked in the order of their current positions; the control
  // whose change asked for the layout goes first among equals.
  auto key = [](TControl* c, TAlign a) {
    switch (a) {
      case alTop: return c->Top();
      case alBottom: return -(c->Top() + c->Height());
      case alLeft: return c->Left();
      case alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : all)
      if (c->Align() == a && (c->Visible() || IsDesigning())) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) {
      int kx = key(x, a), ky = key(y, a);
      if (kx != ky) return kx < ky;
      return x == requester && y != requester;
    });
    for (TControl* c : list) {
      int w = rect.right - rect.left, h = rect.bottom - rect.top;
      switch (a) {
        case alTop:
          c->SetBounds(rect.left, rect.top, w, c->Height());
          rect.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.left, rect.bottom - c->Height(), w, c->Height());
          rect.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.left, rect.top, c->Width(), h);
          rect.left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), h);
          rect.right -= c->Width();
          break;
        case alClient:
          c->SetBounds(rect.left, rect.top, w, h);
          break;
        default:
          break;
      }
      // A control that would not take the space it was given (a fixed size) must not make the
      // remaining rectangle inside out.
      if (rect.bottom < rect.top) rect.bottom = rect.top;
      if (rect.right < rect.left) rect.right = rect.left;
    }
  }
  for (TControl* c : all)
    if (c->Align() == alNone) AnchorChild(c, client);
}

void TWinControl::AnchorChild(TControl* c, const RECT& client)
{
  if (c->Anchors() == TAnchors{akLeft, akTop}) return;
  if (c->FAnchorParentSize.cx == 0 && c->FAnchorParentSize.cy == 0) return;
  int dw = (client.right - client.left) - c->FAnchorParentSize.cx;
  int dh = (client.bottom - client.top) - c->FAnchorParentSize.cy;
  RECT b = c->FAnchorBounds;
  auto shift = [](LONG& lo, LONG& hi, bool toStart, bool toEnd, int delta) {
    if (toStart && toEnd)
      hi += delta;
    else if (toEnd) {
      lo += delta;
      hi += delta;
    } else if (!toStart) {
      lo += delta / 2;
      hi += delta / 2;
    }
  };
  TAnchors a = c->Anchors();
  shift(b.left, b.right, a.Contains(akLeft), a.Contains(akRight), dw);
  shift(b.top, b.bottom, a.Contains(akTop), a.Contains(akBottom), dh);
  c->SetBounds(b.left, b.top, b.right - b.left, b.bottom - b.top);
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
  CheckNewSize(width, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  if (FHandle && !IsLoading()) {
    // The window's size messages bring the fields, the children's layout and OnResize up to date.
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    bool resized = width != Width() || height != Height();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    UpdateAnchorRules();
    if (resized) {
      AlignChildren();
      if (!IsLoading()) Resize();
    }
  }
  RequestAlign();
}

void TWinControl::ChangeScale(int m, int d)
{
  if (m == d || d == 0) return;
  DisableAlign();
  try {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(m, d);
    TControl::ChangeScale(m, d);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::SetBoundsWithoutMove(int left, int top, int width, int height)
{
  FLeft = left;
  FTop = top;
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
}

RECT TWinControl::WindowBoundsRect() const
{
  if (!FHandle) return BoundsRect();
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
    if (HWND parent = GetParent(FHandle)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TWinControl::UpdateBounds()
{
  if (!FHandle) return;
  RECT r = WindowBoundsRect();
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  UpdateAnchorRules();
}

RECT TWinControl::ClientRect() const
{
  RECT r{0, 0, Width(), Height()};
  if (FHandle) GetClientRect(FHandle, &r);
  return r;
}

POINT TWinControl::ClientOrigin() const
{
  if (FHandle) {
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
  }
  if (Parent()) return TControl::ClientOrigin();
  return POINT{Left(), Top()};
}

void TWinControl::SetParent(TWinControl* parent)
{
  if (parent == Parent()) return;
  TControl::SetParent(parent);
}

// ----- showing ------------------------------------------------------------------------------

bool TWinControl::ShowingWanted() const { return Visible() && !IsLoading(); }

void TWinControl::UpdateControlState()
{
  if (IsDestroying()) return;
  const TWinControl* top = this;
  while (top->Parent()) {
    top = top->Parent();
    if (!top->Showing()) return;
  }
  if (dynamic_cast<const TCustomForm*>(top) || top->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing()
{
  bool show = ShowingWanted();
  if (show) {
    if (!FHandle) CreateHandle();
    std::vector<TWinControl*> children = FWinControls;
    for (TWinControl* c : children) c->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, show);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
}

void TWinControl::CMShowingChanged(TMessage&)
{
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChangedWin(TMessage&)
{
  if (!Visible() && Parent()) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChangedWin(TMessage&)
{
  if (!Enabled() && Parent()) RemoveFocus(false);
  if (FHandle) EnableWindow(FHandle, Enabled());
  Invalidate();
}

void TWinControl::CMFontChangedWin(TMessage& msg)
{
  Inherited<TWinControl>(msg);
  ApplyFont();
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::ApplyFont()
{
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
}

void TWinControl::CMColorChangedWin(TMessage& msg)
{
  Inherited<TWinControl>(msg);
  ColorChanged();
}

void TWinControl::ColorChanged()
{
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

HBRUSH TWinControl::BrushHandle()
{
  if (!FBrush || FBrushColor != Color()) {
    if (FBrush) DeleteObject(FBrush);
    FBrush = CreateSolidBrush(ToRGB(Color()));
    FBrushColor = Color();
  }
  return FBrush;
}

void TWinControl::CMSysColorChange(TMessage&)
{
  // System colours resolve to new values: drop the brush made from the old one.
  if (FBrush && IsSystemColor(FBrushColor)) {
    DeleteObject(FBrush);
    FBrush = nullptr;
  }
  NotifyControls(CM_SYSCOLORCHANGE);
  Invalidate();
}

void TWinControl::CMRecreateWnd(TMessage&)
{
  bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::CMInvalidate(TMessage& msg)
{
  if (FHandle) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(TControlStyleFlag::csOpaque));
  if (msg.WParam == 0 && Parent()) Parent()->Perform(CM_INVALIDATE, 1);
}

void TWinControl::CMCancelMode(TMessage& msg)
{
  if (TControl* c = GetCaptureControl(); c && c != this && ContainsControl(c)) c->Perform(WM_CANCELMODE);
  (void)msg;
}

std::string TWinControl::GetText() const
{
  if (!FHandle) return FText;
  int len = GetWindowTextLengthA(FHandle);
  std::string s(static_cast<size_t>(len) + 1, '\0');
  int got = GetWindowTextA(FHandle, s.data(), len + 1);
  s.resize(static_cast<size_t>(std::max(got, 0)));
  return s;
}

void TWinControl::SetTextBuf(const std::string& value)
{
  FText = value;
  if (FHandle) SetWindowTextA(FHandle, value.c_str());
}

void TWinControl::Invalidate()
{
  Perform(CM_INVALIDATE);
}

void TWinControl::Update()
{
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::SetZOrder(bool topMost)
{
  if (Parent()) {
    auto& list = Parent()->FWinControls;
    std::erase(list, this);
    if (topMost)
      list.push_back(this);
    else
      list.insert(list.begin(), this);
  }
  if (FHandle)
    SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Loaded()
{
  TControl::Loaded();
  if (FTabOrderWanted >= 0 && Parent()) SetTabOrder(FTabOrderWanted);
  UpdateControlState();
  Realign();
}

// ----- painting -----------------------------------------------------------------------------

void TWinControl::WMPaint(TMessage& msg)
{
  if (FControls.empty() && !FControlState.Contains(TControlStateFlag::csCustomPaint) && !FDockManager)
    DefaultHandler(msg);
  else
    PaintHandler(msg);
}

void TWinControl::PaintHandler(TMessage& msg)
{
  PAINTSTRUCT ps{};
  auto dc = reinterpret_cast<HDC>(msg.WParam);
  bool own = dc == nullptr;
  if (own) dc = BeginPaint(FHandle, &ps);
  try {
    int saved = SaveDC(dc);
    // Opaque graphic children cover their part of the window: it need not be painted below them.
    int clip = SIMPLEREGION;
    for (TControl* c : FControls)
      if (c->Visible() && c->FControlStyle.Contains(TControlStyleFlag::csOpaque)) {
        clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION) break;
      }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    // The grabbers of a dock site's clients go over what the site painted.
    if (FDockManager && FDockSite && FUseDockManager) FDockManager->PaintSite(dc);
  } catch (...) {
    if (own) EndPaint(FHandle, &ps);
    throw;
  }
  if (own) EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC dc)
{
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
  auto it = first ? std::find(FControls.begin(), FControls.end(), first) : FControls.begin();
  std::vector<TControl*> list(it, FControls.end());
  for (TControl* c : list) {
    if (!c->Visible()) continue;
    RECT bounds = c->BoundsRect(), clip;
    if (GetClipBox(dc, &clip) != ERROR && !IntersectRect(&clip, &clip, &bounds)) continue;
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    try {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& msg)
{
  RECT r = ClientRect();
  FillRect(reinterpret_cast<HDC>(msg.WParam), &r, BrushHandle());
  msg.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& msg)
{
  // The client area is painted into the given device context as WM_PAINT would paint it (graphic
  // children included), so that a transparent child can show its parent's image.
  const bool checkVisible = (msg.LParam & PRF_CHECKVISIBLE) != 0;
  if (msg.WParam && (!checkVisible || Visible()))
    PaintHandler(msg);
  else
    DefaultHandler(msg);
}

// ----- reflected notifications --------------------------------------------------------------

bool TWinControl::ReflectToChild(HWND child, TMessage& msg)
{
  TWinControl* control = FindControl(child);
  if (!control || control == this) return false;
  msg.Result = control->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& msg)
{
  if (!ReflectToChild(reinterpret_cast<HWND>(msg.LParam), msg)) DefaultHandler(msg);
}

void TWinControl::WMContextMenu(TMessage& msg)
{
  // The popup menu of the graphic child under the point, else this control's; a control without
  // one leaves the message to the window procedure, which hands it to the parent window. The
  // control's OnContextPopup comes first and may keep the menu from showing.
  POINT p{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  TControl* target = this;
  const bool fromKeyboard = p.x == -1 && p.y == -1;
  if (fromKeyboard) {
    p = ClientToScreen(POINT{Width() / 2, Height() / 2});
  } else if (TControl* child = ControlAtPos(ScreenToClient(p), false)) {
    if (child->PopupMenu()) target = child;
  }
  bool handled = false;
  const TWeakRef<TControl> alive(target);
  target->DoContextPopup(fromKeyboard ? POINT{-1, -1} : target->ScreenToClient(p), handled);
  if (handled || !alive) {
    msg.Result = 1;
    return;
  }
  if (target->PopupMenu() && ShowPopupMenu(target, p)) {
    msg.Result = 1;
    return;
  }
  DefaultHandler(msg);
}

void TWinControl::WMNotify(TMessage& msg)
{
  auto* hdr = msg.LParamAs<NMHDR>();
  if (!hdr || !ReflectToChild(hdr->hwndFrom, msg)) DefaultHandler(msg);
}

void TWinControl::WMDrawItem(TMessage& msg)
{
  auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  if (!dis || dis->CtlType == ODT_MENU || !ReflectToChild(dis->hwndItem, msg)) DefaultHandler(msg);
}

void TWinControl::WMMeasureItem(TMessage& msg)
{
  auto* mis = msg.LParamAs<MEASUREITEMSTRUCT>();
  if (!mis || mis->CtlType == ODT_MENU || !FHandle ||
      !ReflectToChild(GetDlgItem(FHandle, static_cast<int>(mis->CtlID)), msg))
    DefaultHandler(msg);
}

void TWinControl::WMCompareItem(TMessage& msg)
{
  auto* cis = msg.LParamAs<COMPAREITEMSTRUCT>();
  if (!cis || !ReflectToChild(cis->hwndItem, msg)) DefaultHandler(msg);
}

void TWinControl::WMDeleteItem(TMessage& msg)
{
  auto* dis = msg.LParamAs<DELETEITEMSTRUCT>();
  if (!dis || !ReflectToChild(dis->hwndItem, msg)) DefaultHandler(msg);
}

void TWinControl::WMCtlColor(TMessage& msg)
{
  if (!ReflectToChild(reinterpret_cast<HWND>(msg.LParam), msg)) DefaultHandler(msg);
}

void TWinControl::WMScroll(TMessage& msg)
{
  if (!msg.LParam || !ReflectToChild(reinterpret_cast<HWND>(msg.LParam), msg)) DefaultHandler(msg);
}

void TWinControl::WMCharToItem(TMessage& msg)
{
  if (!ReflectToChild(reinterpret_cast<HWND>(msg.LParam), msg)) DefaultHandler(msg);
}

// ----- size, cursor, mouse ------------------------------------------------------------------

void TWinControl::WMSize(TMessage& msg)
{
  int oldW = Width(), oldH = Height();
  UpdateBounds();
  DefaultHandler(msg);
  AlignChildren();
  if (!IsLoading() && (oldW != Width() || oldH != Height() || msg.WParam == SIZE_RESTORED)) Resize();
}

void TWinControl::WMMove(TMessage& msg)
{
  UpdateBounds();
  DefaultHandler(msg);
}

void TWinControl::WMWindowPosChanged(TMessage& msg)
{
  DefaultHandler(msg);
  if (!FControlState.Contains(TControlStateFlag::csDestroyingHandle)) UpdateBounds();
}

// A size the window is given from outside SetBounds (the user's frame, the system's MDI layout)
// passes CanResize too.
void TWinControl::WMWindowPosChanging(TMessage& msg)
{
  auto* pos = reinterpret_cast<WINDOWPOS*>(msg.LParam);
  if (!(pos->flags & SWP_NOSIZE) && !IsLoading()) {
    int width = pos->cx, height = pos->cy;
    if (CanResize(width, height)) {
      // A size the control chose itself still keeps to its constraints.
      Constraints()->Constrain(width, height);
      pos->cx = width;
      pos->cy = height;
    } else {
      pos->flags |= SWP_NOSIZE;
    }
  }
  DefaultHandler(msg);
}

void TWinControl::WMSetCursor(TMessage& msg)
{
  if (LOWORD(msg.LParam) == HTCLIENT && reinterpret_cast<HWND>(msg.WParam) == FHandle && Screen) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(p), false);
      cursor = c ? c->Cursor() : Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      msg.Result = TRUE;
      return;
    }
  }
  DefaultHandler(msg);
}

void TWinControl::WMMouseLeave(TMessage& msg)
{
  DefaultHandler(msg);
  // The cursor left this window: the control under it now (another of ours, or none) has it.
  TControl* current = MouseControl();
  if (current == this || (current && current->Parent() == this && !dynamic_cast<TWinControl*>(current)))
    UpdateMouseControl();
}

void TWinControl::WMMouseWheel(TMessage& msg)
{
  // Not handled here, the wheel goes on to the parent window (the default window procedure).
  const TShiftState shift = ShiftStateFromKeys(LOWORD(msg.WParam));
  const int delta = static_cast<short>(HIWORD(msg.WParam));
  if (DoMouseWheel(shift, delta, msg.Pos()))
    msg.Result = 1;
  else
    DefaultHandler(msg);
}

void TWinControl::WMNCDestroy(TMessage& msg) { DefaultHandler(msg); }

// ----- background and 3-D look ---------------------------------------------------------------

void TWinControl::SetParentBackground(bool value)
{
  if (ParentBackground() == value) return;
  FControlStyle.IncludeIf(TControlStyleFlag::csParentBackground, value);
  Invalidate();
}

void TWinControl::SetCtl3D(bool value)
{
  FParentCtl3D = false;
  SetAndNotify(FCtl3D, value, [this] {
    Perform(CM_CTL3DCHANGED);
    NotifyControls(CM_PARENTCTL3DCHANGED);
  });
}

void TWinControl::SetParentCtl3D(bool value)
{
  SetAndNotify(FParentCtl3D, value, [&] {
    if (value && Parent() && !IsLoading()) Perform(CM_PARENTCTL3DCHANGED);
  });
}

void TWinControl::CMParentCtl3DChanged(TMessage&)
{
  if (!FParentCtl3D || !Parent()) return;
  SetCtl3D(Parent()->Ctl3D());
  FParentCtl3D = true;
}

// ----- focus and keys -----------------------------------------------------------------------

bool TWinControl::CanFocus() const
{
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (const TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
  if (TCustomForm* form = GetParentForm(); form && form != this)
    form->FocusControl(this);
  else if (!Parent())
    ::SetFocus(Handle());
}

void TWinControl::WMSetFocus(TMessage& msg) { DefaultHandler(msg); }
void TWinControl::WMKillFocus(TMessage& msg) { DefaultHandler(msg); }

int TWinControl::TabOrder() const
{
  if (!Parent()) return FTabOrderWanted;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
  FTabOrderWanted = value;
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  int index = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + index, this);
}

void TWinControl::SetTabStop(bool value)
{
  SetAndNotify(FTabStop, value, [&] {
    if (FHandle) {
      LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
      SetWindowLongPtrA(FHandle, GWL_STYLE,
                        value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
  });
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  int count = static_cast<int>(list.size());
  if (count == 0) return nullptr;
  auto found = std::find(list.begin(), list.end(), current);
  int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = goForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) &&
        (!checkParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst()
{
  TCustomForm* form = GetParentForm();
  if (!form) return;
  TWinControl* c = FindNextControl(nullptr, true, true, false);
  if (!c) c = FindNextControl(nullptr, true, false, false);
  if (c) form->SetActiveControl(c);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter()
{
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit()
{
  if (FOnExit) FOnExit(this);
}

namespace {
TShiftState KeyDataToShiftState(LPARAM keyData)
{
  TShiftState s = KeyboardShiftState();
  if (keyData & 0x20000000) s.Include(ssAlt);
  return s;
}
}  // namespace

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
  if (FOnKeyDown) FOnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
  if (FOnKeyUp) FOnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
  if (FOnKeyPress) FOnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& msg)
{
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(msg)) return true;
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents)) {
    WORD& key = msg.CharCode();
    KeyDown(key, KeyDataToShiftState(msg.LParam));
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& msg)
{
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(msg)) return true;
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents)) {
    WORD& key = msg.CharCode();
    KeyUp(key, KeyDataToShiftState(msg.LParam));
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& msg)
{
  TCustomForm* form = GetParentForm();
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(msg)) return true;
  if (!FControlStyle.Contains(TControlStyleFlag::csNoStdEvents)) {
    char ch = static_cast<char>(msg.WParam);
    KeyPress(ch);
    msg.WParam = static_cast<unsigned char>(ch);
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& msg)
{
  if (!DoKeyDown(msg)) DefaultHandler(msg);
}

void TWinControl::WMKeyUp(TMessage& msg)
{
  if (!DoKeyUp(msg)) DefaultHandler(msg);
}

void TWinControl::WMChar(TMessage& msg)
{
  if (!DoKeyPress(msg)) DefaultHandler(msg);
}

void TWinControl::CNKeyDown(TMessage& msg)
{
  // Before the key is translated: the form's shortcuts, then the control's parents and the form's
  // dialog keys get a chance at it.
  msg.Result = 1;
  if (TCustomForm* form = GetParentForm()) {
    TMessage key{msg.Msg - CN_BASE, msg.WParam, msg.LParam, 0};
    if (form->IsShortCut(key)) return;
  }
  if (Perform(CM_CHILDKEY, msg.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
  WORD key = static_cast<WORD>(msg.WParam);
  UINT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGKEY, key, msg.LParam) != 0) return;
  }
  msg.Result = 0;
}

void TWinControl::CNChar(TMessage& msg)
{
  msg.Result = 1;
  if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm();
    if (form && form->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam) != 0) return;
  }
  msg.Result = 0;
}

void TWinControl::CNSysChar(TMessage& msg)
{
  // A character with Alt: an accelerator of one of the form's controls, unless it opens the system
  // menu.
  msg.Result = 0;
  if (msg.WParam == VK_SPACE) return;
  if (TCustomForm* form = GetParentForm()) msg.Result = form->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam);
}

void TWinControl::CNKeyUp(TMessage& msg) { msg.Result = 0; }

void TWinControl::CMDialogKey(TMessage& msg) { Broadcast(msg); }
void TWinControl::CMDialogChar(TMessage& msg) { Broadcast(msg); }

void TWinControl::CMChildKey(TMessage& msg)
{
  if (Parent()) msg.Result = Parent()->Perform(CM_CHILDKEY, msg.WParam, msg.LParam);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

CL_DEFINE_CLASS(TCustomControl);

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(MakeOwned<TControlCanvas>())
{
  FCanvas->SetControl(this);
  FControlState.Include(TControlStateFlag::csCustomPaint);
}

void TCustomControl::PaintWindow(HDC dc)
{
  TCanvasDCScope scope(FCanvas.get(), dc);
  Paint();
}
