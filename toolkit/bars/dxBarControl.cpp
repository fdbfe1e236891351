// The bar control's state: creation and destruction, item controls, layout, selection, the active
// chain and closing chains. Input, messages and painting are in dxBarControlInput.cpp.
#include "toolkit/bars/dxBarControl.h"
#include <algorithm>
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/controls/cxControlsHelpers.h"
#include "toolkit/controls/dxFading.h"

// The message table; the handlers are in dxBarControlInput.cpp.
CL_MESSAGE_MAP(TCustomdxBarControl,
  {WM_DESTROY, &TCustomdxBarControl::WMDestroy},
  {WM_CLOSE, &TCustomdxBarControl::WMClose},
  {WM_PAINT, &TCustomdxBarControl::WMPaint},
  {WM_ERASEBKGND, &TCustomdxBarControl::WMEraseBkgnd},
  {WM_SETCURSOR, &TCustomdxBarControl::WMSetCursor},
  {WM_MOUSEACTIVATE, &TCustomdxBarControl::WMMouseActivate},
  {WM_WINDOWPOSCHANGED, &TCustomdxBarControl::WMWindowPosChanged},
  {WM_NCPAINT, &TCustomdxBarControl::WMNCPaint},
  {WM_KEYDOWN, &TCustomdxBarControl::WMKeyDown},
  {WM_MOUSEMOVE, &TCustomdxBarControl::WMMouseMove},
  {WM_LBUTTONDOWN, &TCustomdxBarControl::WMLButtonDown},
  {WM_LBUTTONDBLCLK, &TCustomdxBarControl::WMLButtonDown},
  {WM_LBUTTONUP, &TCustomdxBarControl::WMLButtonUp},
  {WM_CAPTURECHANGED, &TCustomdxBarControl::WMCaptureChanged},
  {WM_PRINT, &TCustomdxBarControl::WMPrint},
  {WM_PRINTCLIENT, &TCustomdxBarControl::WMPrintClient},
  {DXM_BAR_REPAINT, &TCustomdxBarControl::DXMRepaint});
CL_DEFINE_CLASS(TCustomdxBarControl);

namespace {
// Holds a flag of a state set for the length of a scope.
template <class TFlags, class TFlag>
struct TSetFlagScope {
  TFlags& Flags;
  TFlag Flag;
  TSetFlagScope(TFlags& flags, TFlag flag) : Flags(flags), Flag(flag) { Flags.Include(flag); }
  ~TSetFlagScope() { Flags.Exclude(Flag); }
};

// Runs at the end of a scope that raised the manager's selection-switch count.
struct TSelectionSwitch {
  TdxBarManager* Manager = nullptr;
  void Begin(TdxBarManager* manager)
  {
    Manager = manager;
    if (Manager) Manager->BeginSelectionSwitch();
  }
  void End()
  {
    if (Manager) std::exchange(Manager, nullptr)->EndSelectionSwitch();
  }
  ~TSelectionSwitch() { End(); }
};

constexpr HBRUSH NoBrush = nullptr;

// The painter's answer, or none without a painter.
template <class R, class F>
R AskPainter(const TCustomdxBarControl* control, R none, F ask)
{
  TdxBarPainter* painter = control->GetPainter();
  return painter ? ask(painter) : none;
}
}  // namespace

// --- Creation and destruction ---

TCustomdxBarControl::TCustomdxBarControl(TdxBarManager* owner) : TCustomControl(owner), FBarManager(owner) {}

void TCustomdxBarControl::AfterConstruction()
{
  TCustomControl::AfterConstruction();
  CreateObjects();
  AddLiveBarControl(this);
  // The bar control captures the mouse only where it decides to (a pressed item).
  FControlStyle.Exclude(TControlStyleFlag::csCaptureMouse);
  UpdateDoubleClickStyle();
  SetColor(clBtnFace);
  FMousePos = POINT{-1, -1};
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  FMouseInside = false;
}

void TCustomdxBarControl::CreateObjects()
{
  FCanvas = MakeOwned<TcxCanvas>(Canvas());
  FViewInfo.reset(GetViewInfoClass().Create(this));
  FItemBitmap = MakeOwned<TBitmap>();
}

void TCustomdxBarControl::DestroyObjects()
{
  FItemBitmap.reset();
  FViewInfo.reset();
  FCurrentCanvas = nullptr;
  FScreenCanvas.reset();
  FCanvas.reset();
}

void TCustomdxBarControl::BeforeDestruction()
{
  FBeforeDestruction = true;
  FState.Include(TState::sBeforeDestruction);
  if (FChildControl && !FChildControl->FBeforeDestruction) Free(std::exchange(FChildControl, nullptr));
  if (FOwnerBarControl && FOwnerBarControl->FChildControl == this) FOwnerBarControl->FChildControl = nullptr;
  FOwnerBarControl = nullptr;

  if (FBarManager) FBarManager->ForgetBarControl(this);
  StopMouseTracking(this);
  FireOnClose();
  DestroyControls();
  TCustomControl::BeforeDestruction();
}

TCustomdxBarControl::~TCustomdxBarControl()
{
  if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
  ItemControlClosed();
  RemoveLiveBarControl(this);
  // The active chain must not keep a control that is gone.
  if (GetActiveBarControl() == this) SetActiveBarControl(IsBarControlAlive(FPrevActiveControl) ? FPrevActiveControl : nullptr);
  DestroyObjects();
  FState.Include(TState::sDestroyed);
}

void TCustomdxBarControl::CreateWindowHandle(const TCreateParams& params)
{
  TCustomControl::CreateWindowHandle(params);
  CreateControls();
  UpdateAlphaBlend();
}

void TCustomdxBarControl::CreateWnd()
{
  TCustomControl::CreateWnd();
  UpdateFont();
  CalcMetrics();
}

void TCustomdxBarControl::DestroyWindowHandle()
{
  BeforeDestroyItemControls();
  DestroyControls();
  TCustomControl::DestroyWindowHandle();
}

void TCustomdxBarControl::BeforeDestroyItemControls()
{
  if (!Destroying()) MouseTrackingLeft();
  if (!FItemLinks) return;
  for (int i = 0; i < FItemLinks->Count(); ++i)
    if (TdxBarItemControl* control = FItemLinks->Items(i)->Control()) control->BeforeDestroy();
}

void TCustomdxBarControl::SetItemLinks(TdxBarItemLinks* value)
{
  if (FItemLinks == value) return;
  if (FItemLinks && FItemLinks->BarControl() == this) {
    DestroyControls();
    FItemLinks->SetBarControl(nullptr);
  }
  FItemLinks = value;
  if (FItemLinks) FItemLinks->SetBarControl(this);
}

void TCustomdxBarControl::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0) CalcViewInfo();
}

// --- Item controls ---

void TCustomdxBarControl::CreateControls()
{
  if (FState.Contains(TState::sCreatingControls) || FState.Contains(TState::sDestroyingControls)) return;
  TSetFlagScope done(FState, TState::sCreatingControls);
  CreateItemControlsOfLinks();
}

void TCustomdxBarControl::DestroyControls()
{
  if (FState.Contains(TState::sCreatingControls) || FState.Contains(TState::sDestroyingControls)) return;
  TSetFlagScope done(FState, TState::sDestroyingControls);
  FreeItemControlsOfLinks();
}

void TCustomdxBarControl::CreateItemControlsOfLinks()
{
  if (!FItemLinks) return;
  for (int i = 0; i < FItemLinks->GetShowableLinkCount(); ++i) FItemLinks->GetShowableLink(i)->CreateControl();
}

void TCustomdxBarControl::FreeItemControlsOfLinks()
{
  if (!FItemLinks) return;
  // Every link: a link hidden since its control was made still holds it.
  for (int i = 0; i < FItemLinks->Count(); ++i) FItemLinks->Items(i)->FreeControl();
  if (FViewInfo) FViewInfo->Clear();
}

void TCustomdxBarControl::RecreateItemControls()
{
  DestroyControls();
  CreateControls();
  RefreshHotTrackUnderCursor(this);
}

bool TCustomdxBarControl::ShowsItemControl(const TdxBarItemControl* control) const
{
  return control && FItemLinks && FItemLinks->HasItemControl(control);
}

TdxBarItemControl* TCustomdxBarControl::GetSelectedItemControl() const
{
  return FSelectedLink ? FSelectedLink->Control() : nullptr;
}

// --- Metrics and layout ---

void TCustomdxBarControl::CalcMetrics()
{
  FTextHeight = GetTextHeight();
  const int minHeight = GetMinItemHeight();
  FScaleFactor = std::max(minHeight > 0 ? static_cast<double>(FTextHeight) / minHeight : 1.0, 1.0);
  FSpacing = std::max(4, FTextHeight / 5);
  FGlyphAreaSize = GetGlyphAreaSize();
  TcxCanvas* canvas = GetCanvas();
  const SIZE zero = canvas ? canvas->MeasureTextSize("0") : SIZE{};
  TdxBarPainter* painter = GetPainter();
  FEditHeight = painter ? painter->CalcEditItemHeight(this, zero.cy) : 0;
  FDropDownButtonWidth = painter && canvas ? painter->CalcDropDownButtonWidth(canvas, zero.cx) : 0;
}

void TCustomdxBarControl::CalcItemsArea()
{
  RECT r = ClientRect();
  const RECT m = GetItemsMargins();
  r.left += m.left;
  r.top += m.top;
  r.right -= m.right;
  r.bottom -= m.bottom;
  FItemsArea = r;
}

RECT TCustomdxBarControl::CalcItemRect(TdxBarItemLink* link)
{
  RECT r = FLayoutCursor;
  r.bottom = r.top + GetItemLineHeight(link->Control());
  OffsetRect(&r, 0, GetBeginGroupOffset(link));
  return r;
}

void TCustomdxBarControl::CalcLinesFrom(int visibleIndex)
{
  if (!FItemLinks) return;
  for (int i = std::max(visibleIndex, 0); i < FItemLinks->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = FItemLinks->GetVisibleLink(i);
    // A link without a control (its class has none) takes no room.
    if (!link->Control()) continue;
    const RECT r = CalcItemRect(link);
    if (r.bottom > FLayoutCursor.bottom) {
      if (IsItemRectVisible(r)) {
        link->SetItemRect(r);
        FLayoutCursor.top = FLayoutCursor.bottom;
      }
      break;
    }
    link->SetItemRect(r);
    FLayoutCursor.top = r.bottom;
  }
}

void TCustomdxBarControl::RecalcItems(int reason, int index)
{
  FLayoutCursor = FItemsArea;
  AdjustTopForScroll();
  if (FItemLinks) FItemLinks->ClearItemRects();
  if (reason == dxBarRecalcFrom)
    CalcLinesFrom(index);
  else if (reason < dxBarRecalcFrom || reason == dxBarRecalcControls)
    CreateItemControls();
  AdjustBottomForScroll();
}

void TCustomdxBarControl::CalcViewInfo()
{
  if (FUpdateCount > 0 || !FViewInfo) return;
  FViewInfo->Calculate();
}

int TCustomdxBarControl::GetBeginGroupOffset(TdxBarItemLink* link) const
{
  return link && link->BeginGroup() && link->GetVisibleIndex() > 0 ? GetBeginGroupSize() : 0;
}

int TCustomdxBarControl::GetItemLineHeight(TdxBarItemControl* control) const
{
  return control ? control->GetTextHeight() : FTextHeight;
}

RECT TCustomdxBarControl::GetItemControlRect(TdxBarItemControl* control) const
{
  return control ? control->GetBoundsRect() : RECT{};
}

HRGN TCustomdxBarControl::CreateItemRegion(TdxBarItemControl* control) const
{
  const RECT r = GetItemDrawRect(control);
  return CreateRectRgnIndirect(&r);
}

TdxBarItemLink* TCustomdxBarControl::HitTestDropPosition(POINT p, bool& before, bool& onSeparator)
{
  before = false;
  onSeparator = false;
  if (!FViewInfo) return nullptr;
  for (int i = 0; i < FViewInfo->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControl* control = FViewInfo->ItemControlViewInfoAt(i)->Control();
    if (!control->IsOwnManager()) continue;
    bool vertical = IsVerticalLayout();
    RECT r = GetItemDrawRect(control);
    TRegionHandle region(CreateItemRegion(control));
    bool hit = PtInRegion(region.Get(), p.x, p.y) != FALSE;
    int separator = -1;
    if (!hit && !PtInRect(&r, p) && FViewInfo->FindSeparatorOfItemControl(control, separator)) {
      // Beside the control, its group separator counts for it.
      const RECT s = FViewInfo->ReadSeparator(separator).Bounds;
      if (PtInRect(&s, p)) {
        hit = true;
        onSeparator = true;
        r = s;
        if (p.y < GetItemDrawRect(control).top) vertical = true;
      }
    }
    if (!hit) continue;
    before = vertical ? p.y - r.top < r.bottom - p.y : p.x - r.left < r.right - p.x;
    return control->Link();
  }
  return nullptr;
}

// --- Canvas and font ---

TcxCanvas* TCustomdxBarControl::GetCanvas()
{
  TcxCanvas* wanted;
  if (HandleAllocated()) {
    FScreenCanvas.reset();
    wanted = FCanvas.get();
  } else {
    if (!FScreenCanvas) FScreenCanvas = MakeOwned<TcxScreenCanvas>();
    wanted = FScreenCanvas.get();
  }
  if (wanted != FCurrentCanvas) {
    FCurrentCanvas = wanted;
    UpdateCanvasFont();
  }
  return FCurrentCanvas;
}

void TCustomdxBarControl::UpdateCanvasFont()
{
  if (FState.Contains(TState::sUpdatingCanvasFont) || !FCurrentCanvas) return;
  TSetFlagScope done(FState, TState::sUpdatingCanvasFont);
  TFont* font = GetFont();
  if (!font) font = Font();
  FCurrentCanvas->AssignFont(font);
  if (IsRotated()) {
    // Turned 90 degrees clockwise, TrueType only.
    LOGFONTA lf{};
    GetObjectA(font->Handle(), sizeof(lf), &lf);
    lf.lfEscapement = -900;
    lf.lfOrientation = -900;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    FCurrentCanvas->GetCurrentFont()->SetHandle(CreateFontIndirectA(&lf));
  }
}

TFont* TCustomdxBarControl::GetFont() const { return FBarManager ? FBarManager->Font() : nullptr; }

// --- Painter answers ---

TdxBarPainter* TCustomdxBarControl::GetPainter() const
{
  if (FOwnPainter) return FOwnPainter;
  if (FOwnerBarControl) return FOwnerBarControl->GetPainter();
  if (FDockControl) return FDockControl->Painter();
  return FBarManager ? FBarManager->Painter() : nullptr;
}

int TCustomdxBarControl::GetMinItemHeight() const
{
  return AskPainter(this, 0, [](TdxBarPainter* painter) { return painter->GetMenuItemMinHeight(); });
}

int TCustomdxBarControl::GetEndIndent() const
{
  return AskPainter(this, 0, [](TdxBarPainter* painter) { return painter->GetBarEndIndent(); });
}

int TCustomdxBarControl::GetGlyphAreaSize() const
{
  auto* self = const_cast<TCustomdxBarControl*>(this);
  return AskPainter(this, 0, [self](TdxBarPainter* painter) { return painter->CalcGlyphAreaSize(self); });
}

int TCustomdxBarControl::GetTextHeight() const
{
  auto* self = const_cast<TCustomdxBarControl*>(this);
  return AskPainter(this, 0, [self](TdxBarPainter* painter) { return painter->GetDefaultItemHeight(self->GetCanvas()); });
}

HBRUSH TCustomdxBarControl::GetBackgroundBrush() const
{
  return AskPainter(this, NoBrush, [](TdxBarPainter* painter) { return painter->GetToolbarBrush(); });
}

HBRUSH TCustomdxBarControl::GetSelectedBrush() const
{
  return AskPainter(this, NoBrush, [](TdxBarPainter* painter) { return painter->GetSelectedItemBrush(); });
}

HBRUSH TCustomdxBarControl::GetMenuBrush() const
{
  return AskPainter(this, NoBrush, [](TdxBarPainter* painter) { return painter->GetMenuBrush(); });
}

HBRUSH TCustomdxBarControl::GetHighlightBrush() const
{
  return AskPainter(this, NoBrush, [](TdxBarPainter* painter) { return painter->GetHighlightBrush(); });
}

bool TCustomdxBarControl::HasBorderLine() const
{
  auto* self = const_cast<TCustomdxBarControl*>(this);
  return AskPainter(this, false, [self](TdxBarPainter* painter) { return painter->HasBarBorderLine(self); });
}

bool TCustomdxBarControl::JoinsMenusToItems() const
{
  return AskPainter(this, false, [](TdxBarPainter* painter) { return painter->JoinsMenusToToolbarItems(); });
}

bool TCustomdxBarControl::UsesBarHintWindow()
{
  TdxBarPainter* painter = GetPainter();
  return painter && painter->SupportsOwnHintWindow();
}

// The dock's own background comes with the dock controls.
bool TCustomdxBarControl::UsesBackgroundBitmap() const { return false; }
bool TCustomdxBarControl::HasCustomBackground() const { return false; }

void TCustomdxBarControl::UpdateDoubleBuffered()
{
  TdxBarPainter* painter = GetPainter();
  SetDoubleBuffered(HasCustomBackground() || (FBarManager && FBarManager->IsOtherManagerCustomizing()) ||
                    (painter && painter->UsesDoubleBuffering()));
}

bool TCustomdxBarControl::IsShadowVisible() const { return HasBorderLine() && Visible(); }

TdxFader* TCustomdxBarControl::GetFader() const { return ::GetFader(); }

// --- Simple answers ---

bool TCustomdxBarControl::IsDesigning() const { return FBarManager && FBarManager->IsDesigning(); }

bool TCustomdxBarControl::IsCustomizing() const { return FBarManager && FBarManager->IsCustomizingOrDesigning(); }

bool TCustomdxBarControl::IsUpdateLocked() const
{
  return (FBarManager && FBarManager->IsBarsUpdateLocked()) || FUpdateCount > 0;
}

int TCustomdxBarControl::GetNavigationFlags() const
{
  return FOwnerBarControl ? FOwnerBarControl->GetNavigationFlags() : dxBarNavigationDefault;
}

TCustomForm* TCustomdxBarControl::GetParentForm() const { return FBarManager ? FBarManager->GetNearestForm() : nullptr; }

HWND TCustomdxBarControl::GetOwnerControl() const { return IsRectEmpty(&FOwnerRect) ? nullptr : FOwnerWindow; }

bool TCustomdxBarControl::IsEnabledWindow() const
{
  auto* self = const_cast<TCustomdxBarControl*>(this);
  return HandleAllocated() && IsWindowAndParentsEnabled(self->Handle());
}

bool TCustomdxBarControl::IsKeyboardActive() const
{
  return FBarManager && FBarManager->KeyboardActiveBarControl() == this;
}

void TCustomdxBarControl::LeaveKeyboardMode()
{
  if (IsKeyboardActive()) ClearSelection();
}

bool TCustomdxBarControl::CanShowHint()
{
  if (IsCustomizing() || ApplicationHasFocus()) return true;
  return IsEnabledWindow();
}

bool TCustomdxBarControl::CanDrawItemControl(TdxBarItemControl* control) const
{
  if (Destroying() || !control || !control->Link() || control->Destroying()) return false;
  TdxBarItem* item = control->GetItem();
  if (!item || item->IsDestroying()) return false;
  if (FState.Contains(TState::sPaintingItem) || IsUpdateLocked()) return false;
  return FViewInfo && FViewInfo->ContainsItemControl(control);
}

bool TCustomdxBarControl::ClosesOnDeactivate(HWND activated) const
{
  if (IsCustomizing()) {
    TCustomForm* form = nullptr;  // the open customization form comes with the Customize dialog
    return form && activated != (HandleAllocated() ? const_cast<TCustomdxBarControl*>(this)->Handle() : nullptr);
  }
  TdxBarItemControl* selected = GetSelectedItemControl();
  return !selected || selected->AllowsCloseOnDeactivate();
}

bool TCustomdxBarControl::IsInActiveChain() const
{
  TCustomdxBarControl* active = GetActiveBarControl();
  if (!active) return true;
  for (const TCustomdxBarControl* c = this; c; c = c->FOwnerBarControl) {
    if (c == active) return true;
    // An internal popup opened from a control that is not internal ends the walk.
    if (c->IsInternalPopup() && c->FOwnerBarControl && !c->FOwnerBarControl->IsInternalPopup()) break;
  }
  return false;
}

bool TCustomdxBarControl::IsOwnerKeyNavigation(bool flag) const
{
  const bool notOwningFlag = (GetNavigationFlags() & dxBarNavigationNotOwning) != 0;
  const bool owning = (!notOwningFlag && !IsInternalPopup()) || IsCustomizing();
  return flag ? owning : notOwningFlag && !owning;
}

bool TCustomdxBarControl::IsChildControl(const TCustomdxBarControl* control) const
{
  for (const TCustomdxBarControl* c = control ? control->FOwnerBarControl : nullptr; c; c = c->FOwnerBarControl)
    if (c == this) return true;
  return false;
}

bool TCustomdxBarControl::OwnsWindow(HWND wnd) const
{
  if (!wnd) return false;
  if (HandleAllocated()) {
    HWND own = const_cast<TCustomdxBarControl*>(this)->Handle();
    if (wnd == own || IsChild(own, wnd)) return true;
  }
  if (FChildControl && FChildControl->OwnsWindow(wnd)) return true;
  TdxBarItemControl* selected = GetSelectedItemControl();
  return selected && selected->OwnsWindow(wnd);
}

bool TCustomdxBarControl::TouchesOwner() const
{
  if (IsRectEmpty(&FOwnerRect)) return false;
  RECT b;
  if (HandleAllocated())
    GetWindowRect(const_cast<TCustomdxBarControl*>(this)->Handle(), &b);
  else
    b = BoundsRect();
  const RECT& o = FOwnerRect;
  const bool overlapX = b.left < o.right && o.left < b.right;
  const bool overlapY = b.top < o.bottom && o.top < b.bottom;
  return ((b.top == o.bottom || b.bottom == o.top) && overlapX) || ((b.left == o.right || b.right == o.left) && overlapY);
}

RECT TCustomdxBarControl::GetOwnerEdgeRect(bool screen) const
{
  if (!TouchesOwner()) return RECT{};
  RECT b;
  GetWindowRect(const_cast<TCustomdxBarControl*>(this)->Handle(), &b);
  const RECT& o = FOwnerRect;
  RECT r{};
  int dx = 0, dy = 0;
  if (b.top == o.bottom || b.bottom == o.top) {
    const int y = b.top == o.bottom ? b.top : b.bottom - 1;
    r = RECT{std::max(b.left, o.left) + 1, y, std::min(b.right, o.right) - 1, y + 1};
    dy = b.top == o.bottom ? -1 : 1;
  } else {
    const int x = b.left == o.right ? b.left : b.right - 1;
    r = RECT{x, std::max(b.top, o.top) + 1, x + 1, std::min(b.bottom, o.bottom) - 1};
    dx = b.left == o.right ? -1 : 1;
  }
  if (screen) {
    OffsetRect(&r, dx, dy);
  } else {
    OffsetRect(&r, -b.left, -b.top);
  }
  return r;
}

bool TCustomdxBarControl::IsMouseAway(bool positionTest) const
{
  if (IsCustomizing() || !HandleAllocated() || !IsWindowVisible(const_cast<TCustomdxBarControl*>(this)->Handle()))
    return true;
  POINT cursor;
  GetCursorPos(&cursor);
  if (positionTest && cursor.x == FMousePos.x && cursor.y == FMousePos.y) return true;
  RECT r;
  GetWindowRect(const_cast<TCustomdxBarControl*>(this)->Handle(), &r);
  return !PtInRect(&r, cursor);
}

TComponent* TCustomdxBarControl::GetOwnerInterfaceSource() { return FBarManager; }

bool TCustomdxBarControl::GetHintText(std::string& hint, std::string& shortCut)
{
  hint = GetCaptionText();
  shortCut.clear();
  return true;
}

bool TCustomdxBarControl::GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut)
{
  suppressed = false;
  return GetHintText(hint, shortCut);
}

bool TCustomdxBarControl::PointInTrackedArea(POINT client)
{
  if (IsKeyboardActive()) {
    const POINT screen = ClientToScreen(client);
    const RECT bounds = GetTrackingBounds();
    return PtInRect(&bounds, screen) != FALSE;
  }
  const POINT screen = ClientToScreen(client);
  HWND deepest = WindowFromPoint(screen);
  return (HandleAllocated() && deepest == Handle()) || ItemControlAtPoint(client) != nullptr;
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPoint(POINT client) const
{
  if (IsCustomizing() && !IsDesigning()) return nullptr;
  if (!FViewInfo) return nullptr;
  for (int i = 0; i < FViewInfo->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControlViewInfo* info = FViewInfo->ItemControlViewInfoAt(i);
    if (IsCustomizing() && info->Control()->IgnoredWhileCustomizing()) return nullptr;
    if (PtInRect(&info->GetBounds(), client)) return info->Control();
  }
  return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::GetItemControlAtCursor() const
{
  if (!HandleAllocated()) return nullptr;
  POINT p;
  GetCursorPos(&p);
  return ItemControlAtPoint(ScreenToClient(p));
}

void TCustomdxBarControl::AdjustHintPosition(POINT& p, int hintHeight)
{
  const int below = MulDiv(20, ScreenPixelsPerInch(), 96);
  const RECT work = GetMonitorWorkAreaAt(p);
  if (p.y + below + hintHeight > work.bottom) {
    const POINT origin = ClientToScreen(POINT{0, 0});
    p.y = origin.y - hintHeight;
  } else {
    p.y += below;
  }
}

// --- Chains of bar controls ---

void TCustomdxBarControl::SetChildControl(TCustomdxBarControl* control)
{
  if (FChildControl == control) return;
  TCustomdxBarControl* old = std::exchange(FChildControl, control);
  if (old && old->FOwnerBarControl == this) old->FOwnerBarControl = nullptr;
  if (control && control->FOwnerBarControl != this) control->SetOwnerBarControl(this);
}

void TCustomdxBarControl::SetOwnerBarControl(TCustomdxBarControl* control)
{
  if (FOwnerBarControl == control) return;
  TCustomdxBarControl* old = std::exchange(FOwnerBarControl, control);
  if (old && old->FChildControl == this) old->FChildControl = nullptr;
  if (control && control->FChildControl != this) control->SetChildControl(this);
}

void TCustomdxBarControl::SetActive(bool value)
{
  if (FBarManager) FBarManager->HideHint();
  const bool deactivatingWhileCustomizing = !value && IsCustomizing();
  if (FActive == value && !deactivatingWhileCustomizing) return;
  if (!CanShowHint() && !deactivatingWhileCustomizing) return;
  SetActiveState(value);
}

void TCustomdxBarControl::SetActiveState(bool value)
{
  FActive = value;
  if (value) {
    if (GetActiveBarControl() != this) {
      FPrevActiveControl = GetActiveBarControl();
      SetActiveBarControl(this);
    }
    if (!IsCustomizing() && FItemLinks) FItemLinks->UpdateActionLinks();
    return;
  }
  TWeakRef<TCustomdxBarControl> self(this);
  if (IsCustomizing())
    FSelectedLink = nullptr;
  else
    ChangeSelection(nullptr);
  if (!self) return;
  if (GetActiveBarControl() == this) SetActiveBarControl(std::exchange(FPrevActiveControl, nullptr));
  TCustomdxBarControl* active = GetActiveBarControl();
  if (active && (!IsBarControlAlive(active) || !active->FActive)) SetActiveBarControl(nullptr);
}

void TCustomdxBarControl::ActiveChanged(bool full)
{
  if (full) RecreateItemControls();
}

void TCustomdxBarControl::CloseUp(TdxBarCloseReason reason)
{
  if (FClosing) return;
  FCloseReason = reason;
  FClosing = true;
  TWeakRef<TCustomdxBarControl> self(this);
  HideAll();
  if (self) FClosing = false;
}

void TCustomdxBarControl::HideAll()
{
  TWeakRef<TCustomdxBarControl> self(this);
  const TdxBarCloseReason reason = FCloseReason;
  SetActive(false);
  if (self && FOwnerBarControl) FOwnerBarControl->CloseUp(reason);
}

void TCustomdxBarControl::FireOnClose()
{
  if (FOnClose) FOnClose(this);
}

void TCustomdxBarControl::RestoreFocus()
{
  TWinControl* owner = FBarManager ? FBarManager->GetOwnerControl() : nullptr;
  if (owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle()))
    ::SetFocus(owner->Handle());
  else if (HandleAllocated())
    if (HWND next = GetWindow(Handle(), GW_HWNDNEXT)) ::SetFocus(next);
}

// --- Selection ---

void TCustomdxBarControl::SelectItemControl(TdxBarItemControl* control)
{
  TWeakRef<TCustomdxBarControl> self(this);
  ChangeSelection(control);
  if (self) SetActive(true);
}

void TCustomdxBarControl::ClearSelection()
{
  TWeakRef<TCustomdxBarControl> self(this);
  ChangeSelection(nullptr);
  if (self) SetActive(false);
}

// The selection moves to control (from the keyboard or by the mouse): an active old control is
// deactivated, the new one marked, the selection stored, with the manager's selection-switch count
// raised between two controls. False when nothing moved or the bar control died meanwhile.
bool TCustomdxBarControl::MoveSelection(TdxBarItemControl* control, bool byMouse)
{
  if (!HandleAllocated() || IsDestroying()) return false;
  TdxBarItemControl* old = GetSelectedItemControl();
  if (control == old && (control || !FSelectedLink)) return false;
  if (byMouse && old && old->IsWindowed() && old->IsEditorActive()) return false;
  TSelectionSwitch selectionSwitch;
  if (old && control) selectionSwitch.Begin(FBarManager);
  if (old && old->IsActive()) old->ControlDeactivated(!byMouse);
  if (!IsBarControlAlive(this)) return false;
  if (control) control->SetSelectedByMouse(byMouse);
  StoreSelectedItemControl(control);
  return IsBarControlAlive(this);
}

void TCustomdxBarControl::ChangeSelection(TdxBarItemControl* control)
{
  if (MoveSelection(control, false) && control) ItemControlActivated(control);
}

void TCustomdxBarControl::HotTrackItemControl(TdxBarItemControl* control)
{
  if (!MoveSelection(control, true)) return;
  TdxBarItemControl* selected = GetSelectedItemControl();
  if (!selected) return;
  const bool refusedDrop = FBarManager && FBarManager->IsDragging() && selected->HasDropDownPart();
  if (!refusedDrop) selected->ControlActivated(false, true);
}

void TCustomdxBarControl::StoreSelectedItemControl(TdxBarItemControl* control)
{
  TdxBarItemControl* old = GetSelectedItemControl();
  if (control == old && (control || !FSelectedLink)) return;
  FSelectedLink = control ? control->Link() : nullptr;
  if (GetNavigationFlags() & dxBarNavigationSelectFromMenuMode) FMenuMode = false;
  if (FBarManager) {
    if (FBarManager->IsCustomizing()) {
      FBarManager->ChangeSelectedItemControl(control);
      if (!IsBarControlAlive(this)) return;
    } else if (!FBarManager->IsCustomizingOrDesigning()) {
      FBarManager->SetSelectedItemControl(control);
    }
  }
  if (old) InvalidateItemControl(old);
  if (control) InvalidateItemControl(control);
  if (!control) SetCursor(crDefault);
  if ((control || ActsAsMenu() || GetMarkState() == dxBarMarkNone) && FBarManager)
    FBarManager->ActivateHint(control ? static_cast<TObject*>(control) : this);
  std::string hint;
  if (control) {
    TdxBarItem* item = control->GetItem();
    if (item && (item->Enabled() || (FBarManager && FBarManager->ShowHintForDisabledItems())))
      hint = GetLongHint(item->Hint());
  }
  SetHint(hint);
}

void TCustomdxBarControl::SelectByKeyboard(int navigationFlags)
{
  if (navigationFlags == 2)
    StoreSelectedItemControl(GetSelectedItemControl());
  else
    CloseByKeyboard();
}

void TCustomdxBarControl::SelectForCustomizing(TdxBarItemControl* control, TMouseButton button, TShiftState shift)
{
  TWeakRef<TCustomdxBarControl> self(this);
  SelectItemControlForCustomizing(control, button);
  if (!self) return;
  // The customizing selection follows: the link, or without a control the bar itself.
  TdxBarDesignController* controller = GetDesignController();
  IdxBarSelectableItem* object = control ? AsSelectableItem(control->Link()) : AsSelectableItem(GetBar());
  if (!controller || !object) return;
  using enum TdxBarSelectionOperation;
  TdxBarSelectionOperation operation = sopReplace;
  if (button == mbRight && object->IsSelected())
    operation = controller->SelectionHasComplexObject(FBarManager) ? sopReplace : sopAdd;
  else if (button != mbRight && shift.Contains(ssShift) && !shift.Contains(ssCtrl))
    operation = object->IsSelected() ? sopRemove : sopAdd;
  controller->ApplySelection(object, operation);
}

void TCustomdxBarControl::SelectItemControlForCustomizing(TdxBarItemControl* control, TMouseButton button)
{
  if (!control) return;
  TWeakRef<TCustomdxBarControl> self(this);
  const bool wasSelected = control == GetSelectedItemControl();
  SelectItemControl(control);
  if (!self) return;
  if (button == mbLeft && control->CanClick() && FViewInfo && FViewInfo->GetItemControlViewInfoCount() > 0) {
    if (wasSelected) {
      if (control->IsActive())
        control->ControlDeactivated(true);
      else
        control->ControlActivated(true, true);
      if (FBarManager) FBarManager->ChangeSelectedItemControl(control);
    }
    if (self) HotTrackItemControl(control);
  } else if (button == mbRight) {
    if (TdxBarItemControl* selected = GetSelectedItemControl()) selected->ControlDeactivated(true);
    ChangeSelection(control);
  }
}

void TCustomdxBarControl::StartItemDrag(POINT p, bool)
{
  TdxBarItemControl* selected = GetSelectedItemControl();
  if (!IsCustomizing() || !selected || !selected->CanClick() || !FBarManager) return;
  FItemDragPoint = p;
  FBarManager->SetDraggingItem(selected->GetItem(), selected->Link());
  FItemDragPending = true;
  SetCapture(Handle());
}

void TCustomdxBarControl::ClickItemControl(TdxBarItemControl* control)
{
  if (!control || !control->IsEnabled() || !control->CanClick()) return;
  TWeakRef<TCustomdxBarControl> self(this);
  ChangeSelection(control);
  if (!self) return;
  if (FBarManager) FBarManager->HideHint();
  TdxBarItemControl* selected = GetSelectedItemControl();
  if (selected && selected->IsButtonLike()) {
    FPressedItemControl = selected;
    ScrollItemIntoView(selected);
  }
  control->BeforeClick(true, false);
  if (IsBarControlAlive(this) && ShowsItemControl(control) && InheritsFromClassNamed(control, "TdxBarButtonControl") &&
      FPressedItemControl == control)
    FPressedItemControl = nullptr;
}

void TCustomdxBarControl::SelectAndClick(TdxBarItemControl* control, bool uniqueAccelerator)
{
  TWeakRef<TCustomdxBarControl> self(this);
  ChangeSelection(control);
  if (self && uniqueAccelerator && HandleAllocated()) SendMessageA(Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

void TCustomdxBarControl::ClickSelectedItem(TdxBarItemControl*)
{
  if (!GetSelectedItemControl() && !IsDesigning()) return;
  if (TdxBarDesignController* controller = GetDesignController())
    controller->ShowCustomizingPopup(this, FSelectedLink);
}

void TCustomdxBarControl::RepaintBar(bool full)
{
  if (Destroying() || !HandleAllocated() || FState.Contains(TState::sCreatingControls) ||
      FState.Contains(TState::sDestroyingControls) || FState.Contains(TState::sRepainting) || IsUpdateLocked())
    return;
  TSetFlagScope done(FState, TState::sRepainting);
  TWeakRef<TCustomdxBarControl> self(this);
  TdxBarItemControl* remembered = nullptr;
  if (IsCustomizing() && FBarManager) {
    TdxBarItemControl* managerSelected = FBarManager->SelectedItemControl();
    if (managerSelected && managerSelected->BarControl() == this) remembered = managerSelected;
    FBarManager->SetSelectedItemControl(nullptr);
    FSelectedLink = nullptr;
  }
  TdxBarItemLink* rememberedLink = remembered ? remembered->Link() : nullptr;
  ActiveChanged(full);
  if (!self) return;
  // The remembered control may have been made anew: its link finds the one that shows it now.
  if (rememberedLink && rememberedLink->Control()) ChangeSelection(rememberedLink->Control());
  Invalidate();
}

void TCustomdxBarControl::SetDockingStyle(TdxBarDockingStyle value)
{
  if (FDockingStyle == value) return;
  FDockingStyle = value;
  ClearBuffer();
  Perform(CM_FONTCHANGED, 0, 0);
  UpdateAlphaBlend();
}

void TCustomdxBarControl::ClearBuffer()
{
  if (FItemBitmap) FItemBitmap->SetSize(0, 0);
}

void TCustomdxBarControl::WindowPosChanged(const WINDOWPOS& pos)
{
  if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) UpdateShadow();
  ClearBuffer();
}

void TCustomdxBarControl::UpdateDoubleClickStyle()
{
  if ((FBarManager && FBarManager->GetEffectiveStyle() != bmsStandard) || IsCustomizing())
    FControlStyle.Include(TControlStyleFlag::csDoubleClicks);
  else
    FControlStyle.Exclude(TControlStyleFlag::csDoubleClicks);
}

void TCustomdxBarControl::SetMoveCursor(bool moving) { SetCursor(moving ? crSizeAll : crDefault); }

void TCustomdxBarControl::SetMouseInside(bool value)
{
  if (IsCustomizing() || FMouseInside == value) return;
  const bool old = std::exchange(FMouseInside, value);
  MouseInsideChanged(old);
}

void TCustomdxBarControl::ShowNoActivate()
{
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  if (TdxBarItemControl* selected = GetSelectedItemControl()) selected->ShowHostedWindow();
}

TdxBarItemLink* TCustomdxBarControl::FindLinkByAccel(int key, TShiftState shift, TdxBarItemLink* start)
{
  return FItemLinks ? FItemLinks->FindAcceleratorLink(key, shift, start) : nullptr;
}

TdxBarItemLink* TCustomdxBarControl::FindEnabledLinkByAccel(int key, TShiftState shift, TdxBarItemLink* start,
                                                            bool& unique)
{
  unique = true;
  TdxBarItemLink* found = FindLinkByAccel(key, shift, start);
  if (!found) return nullptr;
  if (!found->Item() || !found->Item()->Enabled()) return nullptr;
  TdxBarItemLink* again = FindLinkByAccel(key, shift, found);
  unique = !again || again == found;
  return found;
}

// --- Unit functions ---

TCustomdxBarControl* GetRootToolbarControl(TCustomdxBarControl* control)
{
  if (!control) return nullptr;
  while (control->OwnerBarControl()) control = control->OwnerBarControl();
  return control->GetBarControlKind() == TdxBarKind::bkBarControl && control->GetBar() ? control : nullptr;
}

void RefreshHotTrackUnderCursor(TCustomdxBarControl* control)
{
  POINT p;
  GetCursorPos(&p);
  HWND wnd = control ? (control->HandleAllocated() ? control->Handle() : nullptr) : WindowFromPoint(p);
  if (!wnd) return;
  if (!control && !FindBarManagerOfWindow(wnd)) return;
  POINT client = p;
  ScreenToClient(wnd, &client);
  PostMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

namespace {
TCustomdxBarControl* ShownToolbarControl(TdxBar* bar)
{
  TCustomdxBarControl* control = bar->ItemLinks() ? bar->ItemLinks()->BarControl() : nullptr;
  if (!control || !control->HandleAllocated() || !IsWindowVisible(control->Handle()) ||
      !IsWindowEnabled(control->Handle()))
    return nullptr;
  return control->ItemLinks()->FindFirstSelectableLink() ? control : nullptr;
}

// The bars of every manager that has bars, in the global list's order.
std::vector<TdxBar*> AllBarsInManagerOrder()
{
  std::vector<TdxBar*> bars;
  if (TdxBarManagerList* list = GetBarManagerList())
    for (int m = 0; m < list->Count(); ++m) {
      auto* manager = static_cast<TdxBarManager*>(list->Items(m));
      for (int b = 0; b < manager->Bars()->Count(); ++b) bars.push_back(manager->Bars()->Items(b));
    }
  return bars;
}
}  // namespace

TCustomdxBarControl* FindNextToolbarControl(TdxBar* start, bool forward)
{
  const std::vector<TdxBar*> bars = AllBarsInManagerOrder();
  const auto it = std::find(bars.begin(), bars.end(), start);
  if (it == bars.end()) return nullptr;
  const int n = static_cast<int>(bars.size());
  const int from = static_cast<int>(it - bars.begin());
  for (int k = 1; k < n; ++k) {
    TdxBar* bar = bars[((from + (forward ? k : -k)) % n + n) % n];
    if (TCustomdxBarControl* control = ShownToolbarControl(bar)) return control;
  }
  return nullptr;
}
