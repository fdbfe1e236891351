// The window-hosting and edit controls: the hosted window's hook, editing, focus, keys and mouse
// routing; the edit layout, its drawing through the bar painter and its resizing while
// customizing; the hidden "EDIT" window.
#include "toolkit/bars/dxBarEditControls.h"

#include <windowsx.h>
#include <algorithm>
#include <exception>
#include <vector>
#include "classlib/Application.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxContainerViewInfo.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsWindowProc.h"

CL_DEFINE_CLASS(TdxBarEditLikeControlDrawParams);
CL_DEFINE_CLASS(TdxBarWinControl);
CL_DEFINE_CLASS(TdxBarCustomEditControl);
CL_DEFINE_CLASS(TdxBarEditControl);

namespace {
// The toolkit message a bar control posts to a hosted window it coloured on glass.
constexpr UINT dxBarRepaintHostedWindowMessage = 0x8081;
constexpr int ResizeStripWidth = 7;

bool ShowsNoEditor(const TdxBarItem* item)
{
  auto* combo = ObjectAs<TCustomdxBarCombo>(const_cast<TdxBarItem*>(item));
  return combo && !combo->ShowEditor();
}

POINT CursorInBar(const TCustomdxBarControl* bar)
{
  POINT p{};
  GetCursorPos(&p);
  if (bar && bar->HandleAllocated()) ScreenToClient(const_cast<TCustomdxBarControl*>(bar)->Handle(), &p);
  return p;
}

// An editing step of the manager: nested steps neither remember the focus nor give it back.
struct TEditLock {
  TdxBarManager* Manager;
  explicit TEditLock(TdxBarManager* manager) : Manager(manager)
  {
    if (Manager) Manager->ChangeEditLock(true);
  }
  ~TEditLock()
  {
    if (Manager) Manager->ChangeEditLock(false);
  }
  TEditLock(const TEditLock&) = delete;
  TEditLock& operator=(const TEditLock&) = delete;
};

// Escape held down without Ctrl and Alt.
bool EscapeHeld()
{
  return GetAsyncKeyState(VK_ESCAPE) < 0 && GetAsyncKeyState(VK_CONTROL) >= 0 && GetAsyncKeyState(VK_MENU) >= 0;
}
}  // namespace

// --- TdxBarWinControl ---

void TdxBarWinControl::BeforeDestruction()
{
  if (FFocused) SetEditing(false, true);
  TdxBarItemControl::BeforeDestruction();
}

TdxBarWindowItem* TdxBarWinControl::WindowItem() const { return ObjectAs<TdxBarWindowItem>(GetItem()); }

RECT TdxBarWinControl::GetWindowRect() const
{
  if (!IsEnabled() || ShowsNoEditor(GetItem())) return RECT{};
  return FWindowRect;
}

void TdxBarWinControl::SetWindowRect(const RECT& rect)
{
  FWindowRect = rect;
  HWND wnd = GetWindowHandle();
  if (!wnd || !IsWindowVisible(wnd) || !BarControl() || !BarControl()->HandleAllocated()) return;
  RECT current{};
  ::GetWindowRect(wnd, &current);
  MapWindowPoints(nullptr, BarControl()->Handle(), reinterpret_cast<POINT*>(&current), 2);
  if (EqualRect(&current, &rect)) return;
  SetWindowPos(wnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOACTIVATE | SWP_NOZORDER);
  UpdateTextRect();
}

bool TdxBarWinControl::CanEdit() const
{
  HWND wnd = GetWindowHandle();
  return BarControl() && BarControl()->IsEnabledWindow() && (!wnd || IsWindowEnabled(wnd));
}

POINT TdxBarWinControl::MapPointToBar(POINT p) const
{
  if (HWND wnd = GetWindowHandle(); wnd && BarControl() && BarControl()->HandleAllocated())
    MapWindowPoints(wnd, BarControl()->Handle(), &p, 1);
  return p;
}

POINT TdxBarWinControl::MapPointToWindow(POINT p) const
{
  if (HWND wnd = GetWindowHandle(); wnd && BarControl() && BarControl()->HandleAllocated())
    MapWindowPoints(BarControl()->Handle(), wnd, &p, 1);
  return p;
}

void TdxBarWinControl::EnabledChanged()
{
  SetEditing(false);
  TdxBarItemControl::EnabledChanged();
}

bool TdxBarWinControl::IsClickable() const { return BarControl() && BarControl()->IsRotated(); }

bool TdxBarWinControl::AllowsCloseOnDeactivate() const
{
  return TdxBarItemControl::AllowsCloseOnDeactivate();
}

bool TdxBarWinControl::CanBeSelected() const
{
  TdxBarItem* item = GetItem();
  return TdxBarItemControl::CanBeSelected() && item && item->CanSelect();
}

void TdxBarWinControl::ControlDeactivated(bool immediately)
{
  TWeakRef<TdxBarWinControl> self(this);
  TdxBarItemControl::ControlDeactivated(immediately);
  if (self) SetEditing(false);
}

void TdxBarWinControl::BeforeClick(bool byMouse, bool)
{
  TWeakRef<TdxBarWinControl> self(this);
  SetEditing(true);
  if (self) TrackMouseAfterEdit(byMouse);
}

void TdxBarWinControl::ClickedOnToolbar()
{
  if (IsSelectedControl() && FFocused) {
    const POINT p = CursorInBar(BarControl());
    const RECT r = GetWindowRect();
    if (!PtInRect(&r, p)) {
      const POINT w = MapPointToWindow(p);
      SendMessageA(GetWindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w.x, w.y));
    }
    return;
  }
  TdxBarItemControl::ClickedOnToolbar();
}

bool TdxBarWinControl::OwnsWindow(HWND wnd) const
{
  HWND own = GetWindowHandle();
  return TdxBarItemControl::OwnsWindow(wnd) || (own && wnd && (wnd == own || IsChild(own, wnd)));
}

void TdxBarWinControl::HookWindow()
{
  HWND wnd = GetWindowHandle();
  if (!wnd || FHook) return;
  FHook = GetWindowProcController()->AddHandleWindowProc(wnd, [this](TMessage& msg) { HookProc(msg); });
}

void TdxBarWinControl::HookProc(TMessage& msg)
{
  try {
    HostedWindowProc(msg);
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
}

void TdxBarWinControl::UnhookWindow(bool)
{
  if (GetWindowHandle()) SetEditing(false);
  if (FHook) GetWindowProcController()->RemoveWindowProc(FHook);
}

void TdxBarWinControl::DefaultHandler(TMessage& msg)
{
  if (FHook)
    CallPreviousWindowProc(FHook, msg);
  else if (HWND wnd = GetWindowHandle())
    msg.Result = DefWindowProcA(wnd, msg.Msg, msg.WParam, msg.LParam);
}

void TdxBarWinControl::TrackMouseAfterEdit(bool byMouse)
{
  HWND wnd = GetWindowHandle();
  if (!byMouse || !wnd) return;
  const POINT p = CursorInBar(BarControl());
  const RECT r = GetWindowRect();
  if (PtInRect(&r, p)) return;
  const POINT w = MapPointToWindow(p);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON | (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0), MAKELPARAM(w.x, w.y));
}

std::string TdxBarWinControl::ReadWindowText() const
{
  HWND wnd = GetWindowHandle();
  if (!wnd) return {};
  const int length = static_cast<int>(SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int read = static_cast<int>(SendMessageA(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(read, 0, length)));
  return text;
}

bool TdxBarWinControl::IsMenuKey(int key, TShiftState) const { return key == VK_F10 || key == VK_MENU; }
bool TdxBarWinControl::IsDropDownKey(int key, TShiftState) const { return key == VK_MENU; }

void TdxBarWinControl::TakeItemText()
{
  if (TdxBarWindowItem* item = WindowItem()) WriteWindowText(item->GetText());
}

void TdxBarWinControl::WriteWindowText(const std::string& text)
{
  if (HWND wnd = GetWindowHandle()) SetWindowTextA(wnd, text.c_str());
  if (ShowsNoEditor(GetItem())) Repaint();
}

void TdxBarWinControl::UpdateParentState() { FBarPaintsEdits = BarControl() && BarControl()->PaintsHostedEdits(); }

void TdxBarWinControl::StoreWindowText()
{
  if (TdxBarWindowItem* item = WindowItem()) item->SetText(ReadWindowText());
}

void TdxBarWinControl::SetEditing(bool value, bool cancel)
{
  if (FFocused == value) return;
  TdxBarManager* manager = GetBarManager();
  TWeakRef<TdxBarWinControl> self(this);
  if (value) {
    if (manager && manager->EditLockCount() == 0) manager->SetFocusedWindowBeforeEdit(GetFocus());
    TEditLock lock(manager);
    FFocused = true;
    if (!Active()) ControlActivated(true, true);
    if (!self) return;
    if (BarControl()) BarControl()->ItemControlActivated(this);
    if (!self) return;
    UpdateParentState();
    return;
  }
  // Escape never stores: its handler passes the cancel in, since the key may be up (or never have
  // been down, when synthesized) by now. Otherwise the manager's AlwaysSaveText decides.
  const bool store = !cancel && manager && manager->AlwaysSaveText() && !EscapeHeld();
  FFocused = false;
  TEditLock lock(manager);
  HideWindow(store);
  if (!self) return;
  if (manager && manager->EditLockCount() == 1 && !manager->ComponentState().Contains(TComponentStateFlag::csDestroying))
    RestoreFocusAfterEdit();
}

void TdxBarWinControl::RestoreFocusAfterEdit()
{
  TdxBarManager* manager = GetBarManager();
  HWND remembered = manager->FocusedWindowBeforeEdit();
  manager->SetFocusedWindowBeforeEdit(nullptr);
  HWND own = GetWindowHandle();
  if (GetFocus() != own && own) return;  // the focus already went elsewhere
  if (remembered && remembered != own && IsWindow(remembered) && IsWindowVisible(remembered)) {
    ::SetFocus(remembered);
    return;
  }
  TWinControl* owner = manager->GetOwnerControl();
  if (owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle()))
    ::SetFocus(owner->Handle());
  else if (owner && owner->HandleAllocated())
    if (HWND next = GetWindow(owner->Handle(), GW_HWNDNEXT)) ::SetFocus(next);
}

void TdxBarWinControl::KeyDown(int key, TShiftState shift)
{
  WORD k = static_cast<WORD>(key);
  HandleKeyDown(k, shift);
}

void TdxBarWinControl::HandleKeyDown(WORD& key, TShiftState shift)
{
  if (IsMenuKey(key, shift)) {
    HandleMenuKeyDown(key, shift);
    return;
  }
  TWeakRef<TdxBarWinControl> self(this);
  if (TdxBarWindowItem* item = WindowItem()) item->DoKeyDown(key, shift);
  if (!self || !GetWindowHandle()) {
    key = 0;
    return;
  }
  TCustomdxBarControl* bar = BarControl();
  HWND wnd = GetWindowHandle();
  switch (key) {
    case VK_RETURN:
      key = 0;
      if (Link()) Link()->GetSourceLink()->RegisterUse(true);
      StoreWindowText();
      if (self && IsWindowVisible(wnd) && bar) {
        bar->ChangeSelection(nullptr);
        RemovePendingCharMessages(wnd);
        if (IsBarControlAlive(bar)) bar->CloseUp(TdxBarCloseReason::ItemClick);
      }
      break;
    case VK_ESCAPE:
      key = 0;
      // The typed text is dropped whatever the key state reads by now.
      SetEditing(false, true);
      if (!self) return;
      if (bar) bar->ChangeSelection(nullptr);
      RemovePendingCharMessages(wnd);
      if (IsBarControlAlive(bar)) bar->SelectByKeyboard(2);
      break;
    case VK_TAB:
      key = 0;
      StoreWindowText();
      if (self && IsWindowVisible(wnd) && bar) {
        RemovePendingCharMessages(wnd);
        // Keyboard navigation moves on to the next control (back with Shift); where it finds no
        // other one, the edit is left.
        if (TdxBarNavigationController* navigation = GetNavigationController())
          navigation->DispatchKey(VK_TAB, shift, GetAccessibilityHelper(), bar->GetAccessibilityHelper());
        if (self && IsWindowVisible(wnd) && IsBarControlAlive(bar) && bar->GetSelectedItemControl() == this)
          bar->ChangeSelection(nullptr);
      }
      break;
    default:
      break;
  }
}

void TdxBarWinControl::KeyPress(char key)
{
  if (TdxBarWindowItem* item = WindowItem()) item->DoKeyPress(key);
}

void TdxBarWinControl::KeyUp(int key, TShiftState shift)
{
  WORD k = static_cast<WORD>(key);
  if (IsDropDownKey(k, shift)) {
    HandleMenuKeyUp(k, shift);
    return;
  }
  if (shift.Contains(ssAlt)) FMenuKeyCount = 0;
  if (TdxBarWindowItem* item = WindowItem()) item->DoKeyUp(k, shift);
}

void TdxBarWinControl::HandleMenuKeyDown(WORD& key, TShiftState shift)
{
  ++FMenuKeyCount;
  if (key == VK_MENU) {
    key = 0;
    return;
  }
  if (key != VK_F10) return;
  FMenuKeyCount = 0;
  TWeakRef<TdxBarWinControl> self(this);
  if (BarControl()) BarControl()->CloseUp(TdxBarCloseReason::Keyboard);
  if (shift.Contains(ssShift)) {
    key = 0;
    return;
  }
  LRESULT result = 0;
  BarKeyboardHookProc(HC_ACTION, VK_F10, 0, result);
}

void TdxBarWinControl::HandleMenuKeyUp(WORD& key, TShiftState)
{
  if (FMenuKeyCount == 0) {
    key = 0;
    return;
  }
  FMenuKeyCount = 0;
  if (key != VK_MENU) return;
  if (BarControl()) BarControl()->CloseUp(TdxBarCloseReason::Keyboard);
  LRESULT result = 0;
  BarKeyboardHookProc(HC_ACTION, VK_MENU, static_cast<LPARAM>(0xC0000001u), result);
}

void TdxBarWinControl::HostedWindowProc(TMessage& msg)
{
  TWeakRef<TdxBarWinControl> self(this);
  switch (msg.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(msg.WParam);
      HandleKeyDown(key, KeyboardShiftState());
      if (!self) return;
      if (key == 0) return;
      msg.WParam = key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(msg.WParam);
      const TShiftState shift = KeyboardShiftState();
      if (IsDropDownKey(key, shift)) {
        HandleMenuKeyUp(key, shift);
      } else {
        if (shift.Contains(ssAlt)) FMenuKeyCount = 0;
        if (TdxBarWindowItem* item = WindowItem()) item->DoKeyUp(key, shift);
      }
      if (!self || key == 0) return;
      break;
    }
    case WM_CHAR: {
      char ch = static_cast<char>(msg.WParam);
      if (TdxBarWindowItem* item = WindowItem()) item->DoKeyPress(ch);
      if (!self || ch == 0) return;
      msg.WParam = static_cast<unsigned char>(ch);
      break;
    }
    case WM_SETFOCUS:
      if (TdxBarWindowItem* item = WindowItem()) item->DoEnter();
      break;
    case WM_KILLFOCUS: {
      StopTracking(reinterpret_cast<HWND>(msg.WParam));
      if (!self) return;
      TCustomdxBarControl* bar = BarControl();
      if (FFocused) {
        DefaultHandler(msg);
        if (bar && IsBarControlAlive(bar)) bar->CloseUp(TdxBarCloseReason::ClickElsewhere);
      } else if (bar && bar->GetBarControlKind() == TdxBarKind::bkBarControl) {
        HWND focus = GetFocus();
        if (focus && bar->HandleAllocated() && focus != bar->Handle()) {
          DefaultHandler(msg);
          RemovePendingCharMessages(GetWindowHandle());
          if (IsBarControlAlive(bar)) bar->CloseUp(TdxBarCloseReason::ClickElsewhere);
        }
      }
      TdxBarWindowItem* item = self ? WindowItem() : nullptr;
      if (item) item->DoExit();
      return;
    }
    case WM_COMMAND:
      if (HIWORD(msg.WParam) == EN_CHANGE && !FInternalUpdate)
        if (TdxBarWindowItem* item = WindowItem()) item->DoCurChange();
      if (!self) return;
      break;
    case WM_RBUTTONDOWN: {
      const POINT p = MapPointToBar(POINT{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
      MouseDownInside(mbRight, ShiftStateFromKeys(static_cast<UINT>(msg.WParam)), p);
      if (self && BarControl() && BarControl()->HandleAllocated())
        SendMessageA(BarControl()->Handle(), WM_RBUTTONDOWN, msg.WParam, MAKELPARAM(p.x, p.y));
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL: {
      HWND wnd = GetWindowHandle();
      POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
      if (msg.Msg == WM_MOUSEWHEEL) {
        if (BarControl() && BarControl()->HandleAllocated()) ScreenToClient(BarControl()->Handle(), &p);
      } else {
        p = MapPointToBar(p);
      }
      const RECT window = GetWindowRect(), bounds = GetBoundsRect();
      if (GetCapture() != wnd && !PtInRect(&window, p) && PtInRect(&bounds, p)) return;
      break;
    }
    default:
      break;
  }
  if (self) DefaultHandler(msg);
}

// --- TdxBarCustomEditControl ---

TdxBarEdit* TdxBarCustomEditControl::EditItem() const { return ObjectAs<TdxBarEdit>(GetItem()); }

TdxBarEditLikeControlDrawParams* TdxBarCustomEditControl::EditDrawParams() const
{
  return ObjectAs<TdxBarEditLikeControlDrawParams>(DrawParams());
}

bool TdxBarCustomEditControl::IsHighlighted() const
{
  TdxBarManager* manager = GetBarManager();
  return !(manager && manager->IsCustomizingOrDesigning()) && TdxBarWinControl::IsHighlighted();
}

TdxBarItemViewLevels TdxBarCustomEditControl::GetPossibleViewLevels() const
{
  TdxBarItemViewLevels levels = TdxBarWinControl::GetPossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

uint8_t TdxBarCustomEditControl::GetDefaultViewLevelFlags() const
{
  uint8_t flags = ShowsCaption() ? dxBarViewText : 0;
  TdxBarPainter* painter = GetPainter();
  if (HasGlyphForSize(GetViewSize()) && painter && painter->AlignsEditToMenuBand()) flags |= dxBarViewIcon;
  return flags;
}

void TdxBarCustomEditControl::CalcDrawParams(bool full)
{
  TdxBarWinControl::CalcDrawParams(full);
  if (!full) return;
  if (TdxBarEditLikeControlDrawParams* p = EditDrawParams()) {
    p->IsTransparentEditor = HasTransparentEditor();
    p->IsEditing = Focused();
  }
}

void TdxBarCustomEditControl::CalcParts()
{
  TdxBarWinControl::CalcParts();
  std::vector<RECT> parts = PartRects();
  parts.resize(static_cast<size_t>(GetPartCount()));
  if (TdxBarPainter* painter = GetPainter()) {
    CalcDrawParams(true);
    painter->CalcEditParts(DrawParams(), parts);
  }
  SetPartRects(std::move(parts));
}

void TdxBarCustomEditControl::CalcTextMetrics()
{
  TdxBarWinControl::CalcTextMetrics();
  FEditTextHeight = 0;
  TdxBarItem* item = GetItem();
  if (!item || !item->GetEditStyleValues().Font || !GetCanvas()) return;
  TSavedFont saved = SelectStyleFont(item->GetEditStyleValues().Font);
  FEditTextHeight = GetSampleTextHeight();
  RestoreFont(saved);
}

int TdxBarCustomEditControl::EditTextHeight() const
{
  if (FEditTextHeight > 0) return FEditTextHeight;
  return BarControl() ? BarControl()->EditHeight() : 0;
}

void TdxBarCustomEditControl::Draw(const RECT& rect, int)
{
  if (TdxBarPainter* painter = GetPainter()) {
    CalcDrawParams(true);
    painter->PaintEditControl(DrawParams(), rect);
  }
  DrawBorderArea();
  DrawEditValue();
}

RECT TdxBarCustomEditControl::GetCaptionMargins(int kind) const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetEditIndents(DrawParams(), kind) : RECT{};
}

int TdxBarCustomEditControl::CalcCaptionAreaWidth()
{
  if (!(GetViewLevelFlags() & dxBarViewText)) return 0;
  const int width = GetCaptionWidth();
  const RECT indents = GetCaptionMargins(dxBarEditCaptionPart);
  return width + indents.left + (width != 0 ? indents.right : 0);
}

int TdxBarCustomEditControl::GetUserWidth() const { return Link() ? Link()->GetWidth() : 0; }

int TdxBarCustomEditControl::GetGlyphAreaWidth() const
{
  if (!(GetViewLevelFlags() & dxBarViewIcon)) return 0;
  const RECT indents = GetCaptionMargins(dxBarEditGlyphPart);
  return GetGlyphSize(GetViewSize()).cx + indents.left + indents.right;
}

int TdxBarCustomEditControl::CalcItemHeight()
{
  int height = EditTextHeight();
  if (ShowsCaption() && BarControl()) height = std::max(height, BarControl()->GetItemLineHeight(this));
  return height;
}

int TdxBarCustomEditControl::GetMinItemWidth() const
{
  return const_cast<TdxBarCustomEditControl*>(this)->CalcCaptionAreaWidth() + GetMinEditWidth();
}

bool TdxBarCustomEditControl::CanClick() const
{
  if (!TdxBarWinControl::CanClick()) return false;
  TdxBarManager* manager = GetBarManager();
  const bool customizing = manager && manager->IsCustomizingOrDesigning();
  const bool inMenu = BarControl() && BarControl()->GetBarControlKind() == TdxBarKind::bkSubMenu;
  return customizing || inMenu || (HotPartIndex() != dxBarEditGlyphPart && HotPartIndex() != dxBarEditCaptionPart);
}

void TdxBarCustomEditControl::UpdateParentState()
{
  TdxBarWinControl::UpdateParentState();
  RefreshDrawParams();
}

bool TdxBarCustomEditControl::ShowsCaption() const
{
  TdxBarItem* item = GetItem();
  return (BarControl() && BarControl()->GetBarControlKind() == TdxBarKind::bkSubMenu) || (item && item->ShowCaption());
}

RECT TdxBarCustomEditControl::CalcEditRect() const
{
  RECT r = GetBoundsRect();
  if (IsRectEmpty(&r)) return r;
  TdxBarItem* item = GetItem();
  auto* self = const_cast<TdxBarCustomEditControl*>(this);
  if (item && item->Align() == iaClient) {
    r.left = r.right - GetUserWidth();
  } else {
    r.left += self->CalcCaptionAreaWidth() + GetGlyphAreaWidth();
  }
  return r;
}

void TdxBarCustomEditControl::DrawBorderArea()
{
  TdxBarPainter* painter = GetPainter();
  TcxCanvas* canvas = GetCanvas();
  if (!painter || !canvas) return;
  const bool inMenu = BarControl() && BarControl()->GetBarControlKind() == TdxBarKind::bkSubMenu;
  // The border takes the content margins round the edit box.
  RECT area = HasTransparentEditor() && !inMenu ? CalcEditRect() : GetBoundsRect();
  AdjustTextArea(area);
  RECT inner = area;
  painter->DrawEditBorder(DrawParams(), inner);
  // The frame is drawn: only the inside is left to paint.
  HRGN frame = CreateRectRgnIndirect(&area);
  HRGN hole = CreateRectRgnIndirect(&inner);
  CombineRgn(frame, frame, hole, RGN_DIFF);
  ExtSelectClipRgn(canvas->GetDCHandle(), frame, RGN_DIFF);
  DeleteObject(hole);
  DeleteObject(frame);
}

HBRUSH TdxBarCustomEditControl::GetEditBrush()
{
  if (!FEditBrush) FEditBrush = MakeOwned<TBrush>();
  if (TdxBarPainter* painter = GetPainter()) FEditBrush->SetColor(painter->GetEditBackColor(DrawParams()));
  return FEditBrush->Handle();
}

TFont* TdxBarCustomEditControl::GetEditFont() const
{
  TdxBarItem* item = GetItem();
  if (item && item->GetEditStyleValues().Font) return item->GetEditStyleValues().Font;
  return BarControl() ? BarControl()->GetFont() : nullptr;
}

bool TdxBarCustomEditControl::IsResizeHit(POINT p) const
{
  TdxBarManager* manager = GetBarManager();
  if (!manager || !manager->IsCustomizingOrDesigning()) return false;
  const RECT r = GetBoundsRect();
  if (p.y < r.top || p.y >= r.bottom) return false;
  return (p.x >= r.left && p.x < r.left + ResizeStripWidth) || (p.x < r.right && p.x >= r.right - ResizeStripWidth);
}

void TdxBarCustomEditControl::BeginResize(POINT p)
{
  const RECT r = GetBoundsRect();
  FDragRightEdge = p.x >= r.right - ResizeStripWidth;
  FDragWidth = r.right - r.left;
  FDragging = true;
  Repaint();
  if (BarControl() && BarControl()->HandleAllocated()) UpdateWindow(BarControl()->Handle());
  DrawDragFrame();
}

void TdxBarCustomEditControl::ResizeTo(POINT p)
{
  const RECT r = GetBoundsRect();
  const int width = std::max<int>(FDragRightEdge ? p.x - r.left : r.right - p.x, GetMinItemWidth());
  if (width == FDragWidth) return;
  DrawDragFrame();
  FDragWidth = width;
  DrawDragFrame();
}

void TdxBarCustomEditControl::EndResize(bool apply)
{
  if (!FDragging) return;
  DrawDragFrame();
  FDragging = false;
  const RECT r = GetBoundsRect();
  const RECT edit = CalcEditRect();
  const int editWidth = FDragWidth - (edit.left - r.left);
  if (apply && Link() && editWidth != GetUserWidth())
    Link()->SetUserWidth(editWidth);
  else
    Repaint();
}

// An inverted 2-pixel frame of the dragged width, anchored at the edge that stays.
void TdxBarCustomEditControl::DrawDragFrame()
{
  if (!BarControl() || !BarControl()->HandleAllocated()) return;
  RECT r = GetBoundsRect();
  MapWindowPoints(BarControl()->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  if (FDragRightEdge)
    r.right = r.left + FDragWidth;
  else
    r.left = r.right - FDragWidth;
  HDC dc = GetDC(nullptr);
  const int w = r.right - r.left, h = r.bottom - r.top;
  PatBlt(dc, r.left, r.top, w, 2, DSTINVERT);
  PatBlt(dc, r.left, r.bottom - 2, w, 2, DSTINVERT);
  PatBlt(dc, r.left, r.top + 2, 2, h - 4, DSTINVERT);
  PatBlt(dc, r.right - 2, r.top + 2, 2, h - 4, DSTINVERT);
  ReleaseDC(nullptr, dc);
}

// --- TdxBarEditControl ---

void TdxBarEditControl::AfterConstruction()
{
  TdxBarCustomEditControl::AfterConstruction();
  HookWindow();
}

void TdxBarEditControl::BeforeDestruction()
{
  TdxBarCustomEditControl::BeforeDestruction();
  UnhookWindow(true);
}

void TdxBarEditControl::BeforeClick(bool byMouse, bool byKey)
{
  TWeakRef<TdxBarEditControl> self(this);
  TdxBarCustomEditControl::BeforeClick(byMouse, byKey);
  if (self && Focused() && FEditWnd) SendMessageA(FEditWnd, EM_SETSEL, 0, -1);
}

RECT TdxBarEditControl::GetMargins() const
{
  if (Focused() && !PartRects().empty()) return PartRects()[dxBarEditPart];
  return TdxBarCustomEditControl::GetMargins();
}

void TdxBarEditControl::HookWindow()
{
  CreateEditWindow();
  TdxBarCustomEditControl::HookWindow();
}

void TdxBarEditControl::UnhookWindow(bool destroy)
{
  TdxBarCustomEditControl::UnhookWindow(destroy);
  DestroyEditWindow(destroy);
}

void TdxBarEditControl::CreateEditWindow()
{
  TCustomdxBarControl* bar = BarControl();
  if (FEditWnd || !bar) return;
  FEditWnd = CreateWindowExA(0, "EDIT", "", GetEditWindowStyle(), 0, 0, 100, 100, bar->Handle(), nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!FEditWnd) return;
  Internally([this] { TakeItemText(); });
  if (TdxBarEdit* item = EditItem())
    SendMessageA(FEditWnd, EM_LIMITTEXT, static_cast<WPARAM>(item->MaxLength()), 0);
}

void TdxBarEditControl::DestroyEditWindow(bool destroy)
{
  if (destroy && FEditWnd) DestroyWindow(FEditWnd);
  FEditWnd = nullptr;
}

void TdxBarEditControl::HideWindow(bool store)
{
  if (FEditWnd) ShowWindow(FEditWnd, SW_HIDE);
  if (store) StoreWindowText();
}

void TdxBarEditControl::UpdateTextRect()
{
  if (!FEditWnd) return;
  RECT r = GetWindowRect();
  OffsetRect(&r, -r.left, -r.top);
  if (TdxBarPainter* painter = GetPainter()) painter->GetEditTextRect(GetPaintType(), r);
  SendMessageA(FEditWnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TdxBarEditControl::SetEditing(bool value, bool cancel)
{
  if (value == Focused()) return;
  TWeakRef<TdxBarEditControl> self(this);
  if (value && FEditWnd) {
    TdxBarEdit* item = EditItem();
    const bool readOnly = (item && item->ReadOnly()) || ShowsNoEditor(item);
    SendMessageA(FEditWnd, EM_SETREADONLY, readOnly, 0);
  }
  TdxBarCustomEditControl::SetEditing(value, cancel);
  if (self) Repaint();
}

void TdxBarEditControl::WriteWindowText(const std::string& text)
{
  const std::string old = ReadWindowText();
  TdxBarCustomEditControl::WriteWindowText(text);
  if (TdxBarPainter* painter = GetPainter(); painter && FEditWnd) painter->SelectAllEditText(FEditWnd, old != text);
}

void TdxBarEditControl::UpdateParentState()
{
  TdxBarCustomEditControl::UpdateParentState();
  if (!FEditWnd) return;
  if (TFont* font = GetEditFont()) SendMessageA(FEditWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), 0);
  CalcParts();
  if (!PartRects().empty()) SetWindowRectOnly(PartRects()[dxBarEditPart]);
  const RECT r = GetWindowRect();
  SetWindowPos(FEditWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
  UpdateTextRect();
  Internally([this] { TakeItemText(); });
  ::SetFocus(FEditWnd);
}

bool TdxBarEditControl::IsNotEditing() const { return !(IsEnabled() && Focused()); }

void TdxBarEditControl::DrawEditValue()
{
  if (PartRects().empty()) return;
  const RECT part = PartRects()[dxBarEditPart];
  // A combo without an editor keeps its window out of sight: the box shows the drawn value.
  if (IsEnabled() && !ShowsNoEditor(GetItem())) SetWindowRect(part);
  if (!IsNotEditing()) return;
  TdxBarPainter* painter = GetPainter();
  TcxCanvas* canvas = GetCanvas();
  if (!painter || !canvas) return;
  TdxBarItem* item = GetItem();
  TSavedFont saved = SelectStyleFont(item ? item->GetEditStyleValues().Font : nullptr);
  painter->DrawEditValue(this, canvas, part);
  RestoreFont(saved);
}

void TdxBarEditControl::HostedWindowProc(TMessage& msg)
{
  switch (msg.Msg) {
    case WM_DESTROY: {
      TWeakRef<TdxBarEditControl> self(this);
      SetEditing(false);
      if (!self) return;
      DefaultHandler(msg);
      TdxBarCustomEditControl::UnhookWindow(false);
      FEditWnd = nullptr;
      return;
    }
    case WM_PAINT:
      if (FBarPaintsEdits) {
        PaintWindowOnGlassFromPaint(FEditWnd);
        msg.Result = 1;
        return;
      }
      break;
    case dxBarRepaintHostedWindowMessage:
      if (FBarPaintsEdits && FRepaintPosted) {
        RepaintWindowOnGlass(FEditWnd);
        FRepaintPosted = false;
        return;
      }
      break;
    default:
      break;
  }
  TdxBarCustomEditControl::HostedWindowProc(msg);
}
