// The menu window: its window, size and placement, layout and painting. Keys, the mouse and
// scrolling are in dxBarSubMenuControlInput.cpp.
#include "toolkit/bars/dxBarSubMenuControl.h"
#include <algorithm>
#include <random>
#include "classlib/Bitmap.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarSubMenuPlacement.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/dxOffice11.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

CL_MESSAGE_MAP(TdxBarSubMenuControl,
  {WM_GETDLGCODE, &TdxBarSubMenuControl::WMGetDlgCode},
  {WM_KEYDOWN, &TdxBarSubMenuControl::WMKeyDown},
  {WM_RBUTTONDOWN, &TdxBarSubMenuControl::WMRButton},
  {WM_RBUTTONUP, &TdxBarSubMenuControl::WMRButton},
  {WM_NCCALCSIZE, &TdxBarSubMenuControl::WMNCCalcSize},
  {WM_NCHITTEST, &TdxBarSubMenuControl::WMNCHitTest},
  {WM_TIMER, &TdxBarSubMenuControl::WMTimer},
  {CM_FONTCHANGED, &TdxBarSubMenuControl::CMFontChanged});
CL_DEFINE_CLASS(TdxBarSubMenuControl);
CL_DEFINE_CLASS(TdxBarSubMenuControlViewInfo);

namespace {
IdxBarSubMenuOwner* SubMenuOwnerOf(const TdxBarItemLinks* links)
{
  TObject* owner = links && links->Owner() ? links->Owner()->GetInstance() : nullptr;
  return owner ? dynamic_cast<IdxBarSubMenuOwner*>(owner) : nullptr;
}

TdxBarCustomPopupMenu* PopupMenuOf(const TdxBarItemLinks* links)
{
  TObject* owner = links && links->Owner() ? links->Owner()->GetInstance() : nullptr;
  return owner ? ObjectAs<TdxBarCustomPopupMenu>(owner) : nullptr;
}

struct TClipScope {
  TcxCanvas* Canvas;
  explicit TClipScope(TcxCanvas* canvas) : Canvas(canvas) { Canvas->PushClipRegion(); }
  ~TClipScope() { Canvas->PopClipRegion(); }
};
}  // namespace

// --- View info ---

void TdxBarSubMenuControlViewInfo::Calculate()
{
  Clear();
  auto* menu = static_cast<TdxBarSubMenuControl*>(BarControl());
  TdxBarItemLinks* links = menu->ItemLinks();
  if (!links) return;
  TdxBarPainter* painter = menu->GetPainter();
  // Items end where the bottom scroll button starts.
  const LONG bottom = menu->ItemsArea().bottom -
                     (painter && menu->HasItemsBelow() ? painter->GetScrollButtonHeight(menu) : 0);
  for (int i = std::max(menu->FirstVisibleIndex(), 0); i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    RECT bounds = link->ItemRect();
    if (IsRectEmpty(&bounds)) break;
    bounds.bottom = std::min(bounds.bottom, bottom);
    control->ViewInfo()->SetBounds(bounds);
    AppendItemControlViewInfo(control->ViewInfo());
    if (painter && menu->GetBeginGroupOffset(link) > 0 && link->BeginGroup())
      AppendSeparator(painter->GetMenuSeparatorRect(menu, control, link->ItemRect()), 0, control);
  }
}

// --- Creation ---

TdxBarSubMenuControl::TdxBarSubMenuControl(TdxBarManager* owner) : TCustomdxBarControl(owner) {}

void TdxBarSubMenuControl::AfterConstruction()
{
  TCustomdxBarControl::AfterConstruction();
  FLastScrollMousePos = POINT{-1, -1};
}

void TdxBarSubMenuControl::BeforeDestruction()
{
  if (HandleAllocated()) DestroyHandle();
  SetActive(false);
  TCustomdxBarControl::BeforeDestruction();
}

void TdxBarSubMenuControl::CreateParams(TCreateParams& params)
{
  TCustomdxBarControl::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_TOPMOST;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  if (FExplicitParentWindow)
    params.WndParent = FExplicitParentWindow;
  else {
    TWinControl* owner = BarManager() ? BarManager()->GetOwnerControl() : nullptr;
    params.WndParent = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
  }
}

void TdxBarSubMenuControl::CreateWnd()
{
  TCustomdxBarControl::CreateWnd();
  FRememberedPos = POINT{Left(), Top()};
  TWeakRef<TdxBarSubMenuControl> self(this);
  SetActive(true);
  if (!self) return;
  if (ItemLinks()) ItemLinks()->SetRecentItemCount(-1);
  FFirstVisibleIndex = 0;
  Place();
  PlayMenuSound(TdxMenuSound::msMenuPopup);
}

void TdxBarSubMenuControl::DestroyWnd()
{
  if (FDestroyingWnd) return;
  FDestroyingWnd = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{FDestroyingWnd};
  TWeakRef<TdxBarSubMenuControl> self(this);
  StopWindowTimer(Handle(), FScrollTimer);
  if (TCustomdxBarControl* child = ChildControl()) child->CloseUp(TdxBarCloseReason::None);
  if (!self) return;
  if (!FReshowing) SetActive(false);
  if (!self) return;
  TCustomdxBarControl::DestroyWnd();
  DoCloseUp();
}

void TdxBarSubMenuControl::StartPopup()
{
  TWeakRef<TdxBarSubMenuControl> self(this);
  DoPopup();
  if (!self) return;
  TCustomdxBarControl* root = GetRootToolbarControl(this);
  TdxBarManager* manager = root ? root->BarManager() : BarManager();
  FAnimationKind = manager ? manager->MenuAnimations() : maNone;
  if (FAnimationKind == maRandom) {
    static std::minstd_rand random(GetTickCount());
    const int r = static_cast<int>(random() % 100);
    FAnimationKind = r < 33 ? maUnfold : r < 66 ? maSlide : maFade;
  }
  FThreadAnimation = false;
  HandleNeeded();
  if (self) ShowAnimated();
}

void TdxBarSubMenuControl::ShowAnimated()
{
  if (FAnimationKind == maFade && cxAnimateWindow) {
    DispatchPendingPaintMessages();
    cxAnimateWindow(Handle(), 150, AW_BLEND);
    return;
  }
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (!FThreadAnimation) flags |= SWP_SHOWWINDOW;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, flags);
  DispatchPendingPaintMessages();
}

void TdxBarSubMenuControl::DismissControl()
{
  if (Destroying()) return;
  TWeakRef<TdxBarSubMenuControl> self(this);
  if (HandleAllocated()) DestroyHandle();
  if (self) Free(this);
}

void TdxBarSubMenuControl::DoPopup()
{
  if (OnPopupNotice) OnPopupNotice(this);
}

void TdxBarSubMenuControl::DoCloseUp()
{
  if (OnCloseUpNotice) OnCloseUpNotice(this, CloseReason());
}

// --- Size and placement ---

SIZE TdxBarSubMenuControl::CalcItemsSize()
{
  SIZE size{};
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return size;
  for (int i = std::max(FFirstVisibleIndex, 0); i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    size.cx = std::max<LONG>(size.cx, control->GetLayoutWidth());
    size.cy += GetBeginGroupOffset(link) + control->GetLayoutHeight();
  }
  TdxBarPainter* painter = GetPainter();
  if (painter && painter->ReservesScrollButtonSpace() && IsScrolledDown())
    size.cy += painter->GetScrollButtonHeight(this);
  return size;
}

SIZE TdxBarSubMenuControl::GetMinSize()
{
  SIZE size = CalcItemsSize();
  if (size.cx == 0) size.cx = 100;
  return size;
}

SIZE TdxBarSubMenuControl::CalcSize()
{
  SIZE size = GetMinSize();
  // An empty menu keeps one line.
  if (size.cy <= 2) size.cy += TextHeight();
  const RECT border = GetBorderMargins(true);
  const RECT margins = GetItemsMargins();
  size.cx += border.left + border.right + margins.left + margins.right;
  size.cy += border.top + border.bottom + margins.top + margins.bottom;
  size.cx = std::max<LONG>(size.cx, FMinWidth);
  return size;
}

void TdxBarSubMenuControl::Place()
{
  if (FPlacing) return;
  FPlacing = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{FPlacing};
  RECT bounds{};
  if (OwnerBarControl() && OwnerBarControl()->GetSubMenuBounds(bounds)) {
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    return;
  }
  const SIZE size = CalcSize();
  const TdxBarSubMenuPlacement place = dxBarPlaceSubMenu(Left(), Top(), size, FOwnerWidth, FOwnerHeight,
                                                         GetMonitorWorkAreaAt(POINT{Left(), Top()}));
  FFlippedHorizontally = place.FlippedHorizontally;
  FFlippedVertically = place.FlippedVertically;
  SetBounds(place.Left, place.Top, place.Width, place.Height);
  CalcLayout();
}

RECT TdxBarSubMenuControl::GetBorderMargins(bool withCaption)
{
  TdxBarPainter* painter = GetPainter();
  const int border = painter ? painter->GetSubMenuInnerBorder() : 1;
  RECT r{border, border, border, border};
  if (withCaption && IsDetachable() && painter) r.top += painter->CalcDetachCaptionSize(this);
  return r;
}

RECT TdxBarSubMenuControl::GetItemsMargins() const
{
  TdxBarPainter* painter = GetPainter();
  RECT r = painter ? painter->GetSubMenuBorderRect(const_cast<TdxBarSubMenuControl*>(this)) : RECT{1, 1, 1, 1};
  r.left += GetSideBarSize();
  return r;
}

int TdxBarSubMenuControl::GetSideBarSize() const
{
  IdxBarSubMenuOwner* owner = SubMenuOwnerOf(ItemLinks());
  return owner ? owner->GetSubMenuBarSize() : 0;
}

bool TdxBarSubMenuControl::IsDetachable() const { return false; }

int TdxBarSubMenuControl::GetDetachCaptionHeight()
{
  TEXTMETRICA tm{};
  GetTextMetricsA(GetCanvas()->GetDCHandle(), &tm);
  int h = tm.tmHeight / 2;
  if (h % 2 == 0) ++h;
  return h;
}

int TdxBarSubMenuControl::GetGlyphBandWidth() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetSubMenuGlyphBandWidth(const_cast<TdxBarSubMenuControl*>(this)) : 0;
}

// --- Metrics and layout ---

void TdxBarSubMenuControl::CalcMetrics()
{
  TCustomdxBarControl::CalcMetrics();
  if (TdxBarPainter* painter = GetPainter()) {
    TFont* font = GetFont();
    painter->CalcSubMenuMetrics(GetCanvas(), font ? font->Size() : 8, FMenuTextUnit, FSubMenuArrowWidth);
  }
}

int TdxBarSubMenuControl::GetTextHeight() const
{
  auto* self = const_cast<TdxBarSubMenuControl*>(this);
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetMenuItemTextHeight(self->GetCanvas()) : 0;
}

void TdxBarSubMenuControl::CalcItemsArea() { TCustomdxBarControl::CalcItemsArea(); }

void TdxBarSubMenuControl::CalcLayout()
{
  TCustomdxBarControl::CalcLayout();
  RecalcItems(dxBarRecalcFrom, FFirstVisibleIndex);
  CalcViewInfo();
}

void TdxBarSubMenuControl::CreateItemControls() { CalcLinesFrom(FFirstVisibleIndex); }

RECT TdxBarSubMenuControl::CalcItemRect(TdxBarItemLink* link)
{
  RECT r = LayoutCursor();
  r.top += GetBeginGroupOffset(link);
  r.bottom = r.top + (link->Control() ? link->Control()->GetLayoutHeight() : TextHeight());
  return r;
}

// A link cut by the items area's bottom is shown when its top lies above the bottom scroll button.
bool TdxBarSubMenuControl::IsItemRectVisible(const RECT& rect) const
{
  TdxBarPainter* painter = GetPainter();
  const int button = painter ? painter->GetScrollButtonHeight(const_cast<TdxBarSubMenuControl*>(this)) : 0;
  return rect.top < ItemsArea().bottom - button;
}

bool TdxBarSubMenuControl::ShowsGroupLineAbove(TdxBarItemLink* link) const
{
  if (!link || !link->BeginGroup() || !ItemLinks()) return false;
  const int index = ItemLinks()->IndexOfVisible(link);
  if (index <= FFirstVisibleIndex) return false;
  // The link right under a top scroll button starts the visible part.
  TdxBarPainter* painter = GetPainter();
  return !(IsScrolledDown() && index == FFirstVisibleIndex + 1 && painter && !painter->ReservesScrollButtonSpace());
}

int TdxBarSubMenuControl::GetBeginGroupOffset(TdxBarItemLink* link) const
{
  return ShowsGroupLineAbove(link) ? GetBeginGroupSize() : 0;
}

RECT TdxBarSubMenuControl::GetItemDrawRect(TdxBarItemControl* control) const
{
  return TCustomdxBarControl::GetItemDrawRect(control);
}

void TdxBarSubMenuControl::AdjustTopForScroll()
{
  TdxBarPainter* painter = GetPainter();
  if (painter && painter->ReservesScrollButtonSpace() && IsScrolledDown())
    MoveLayoutTop(painter->GetScrollButtonHeight(this));
}

void TdxBarSubMenuControl::AdjustBottomForScroll() {}

bool TdxBarSubMenuControl::HasItemsBelow() const
{
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return false;
  for (int i = std::max(FFirstVisibleIndex, 0); i < links->GetVisibleLinkCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    if (!link->Control()) continue;
    const RECT& r = link->ItemRect();
    if (IsRectEmpty(&r) || r.bottom > ItemsArea().bottom) return true;
  }
  return false;
}

bool TdxBarSubMenuControl::ScrollButtonShown(bool bottom) const { return bottom ? HasItemsBelow() : IsScrolledDown(); }

TdxBarItemControl* TdxBarSubMenuControl::FirstShownItemControl() const
{
  TCustomdxBarControlViewInfo* info = ViewInfo();
  return info && info->GetItemControlViewInfoCount() > 0 ? info->ItemControlViewInfoAt(0)->Control() : nullptr;
}

TdxBarItemControl* TdxBarSubMenuControl::LastShownItemControl() const
{
  TCustomdxBarControlViewInfo* info = ViewInfo();
  const int n = info ? info->GetItemControlViewInfoCount() : 0;
  return n > 0 ? info->ItemControlViewInfoAt(n - 1)->Control() : nullptr;
}

void TdxBarSubMenuControl::ActiveChanged(bool full)
{
  TCustomdxBarControl::ActiveChanged(full);
  if (!HandleAllocated()) return;
  Place();
  // A menu scrolled with nothing below scrolls back up as far as that stays so.
  while (IsScrolledDown() && !HasItemsBelow()) {
    --FFirstVisibleIndex;
    CalcLayout();
    if (HasItemsBelow()) {
      ++FFirstVisibleIndex;
      CalcLayout();
      break;
    }
  }
  Invalidate();
}

// --- Answers ---

bool TdxBarSubMenuControl::AcceptsRightClicks() const
{
  if (FOwnerWidth == 0 && FOwnerHeight == 0) return true;
  auto* owner = ObjectAs<TdxBarSubMenuControl>(OwnerBarControl());
  return owner && owner->AcceptsRightClicks();
}

bool TdxBarSubMenuControl::GetRepositionPoint(POINT& p) const
{
  p = POINT{-1, -1};
  return false;
}

UINT TdxBarSubMenuControl::GetScrollInterval() const
{
  TdxBarPainter* painter = GetPainter();
  return painter && painter->ReservesScrollButtonSpace() ? 200 : 80;
}

bool TdxBarSubMenuControl::IsDesigning() const
{
  if (TCustomdxBarControl::IsDesigning()) return true;
  return PopupMenuOf(ItemLinks()) != nullptr && BarManager() && BarManager()->IsDesigning();
}

bool TdxBarSubMenuControl::IsInactive() const { return (GetNavigationFlags() & 0x04) != 0; }

bool TdxBarSubMenuControl::IsCustomizing() const { return !IsInternalPopup() && TCustomdxBarControl::IsCustomizing(); }

bool TdxBarSubMenuControl::IsInternalPopup() const
{
  return OwnerBarControl() ? OwnerBarControl()->IsInternalPopup() : false;
}

bool TdxBarSubMenuControl::IsShadowVisible() const
{
  return TCustomdxBarControl::IsShadowVisible() && !FThreadAnimation;
}

int TdxBarSubMenuControl::GetNavigationFlags() const
{
  int flags = OwnerBarControl() ? OwnerBarControl()->GetNavigationFlags() : dxBarNavigationDefault;
  flags &= ~(0x40 | 0x200);
  return flags | 0x02 | 0x10;
}

TFont* TdxBarSubMenuControl::GetFont() const
{
  if (OwnerBarControl()) return OwnerBarControl()->GetFont();
  return TCustomdxBarControl::GetFont();
}

void TdxBarSubMenuControl::UpdateFont()
{
  if (TFont* font = GetFont()) Font()->Assign(font);
}

std::string TdxBarSubMenuControl::GetCaptionText() const
{
  if (FDetachHot) return GetResStringText(&dxSBAR_DRAGTOMAKEMENUFLOAT);
  return TCustomdxBarControl::GetCaptionText();
}

TdxBar* TdxBarSubMenuControl::GetBar() const
{
  if (TCustomdxBarControl* owner = OwnerBarControl())
    if (owner->SelectedLink()) return owner->GetBar();
  TObject* owner = ItemLinks() && ItemLinks()->Owner() ? ItemLinks()->Owner()->GetInstance() : nullptr;
  return ObjectAs<TdxBar>(owner);
}

int TdxBarSubMenuControl::GetBeginGroupSize() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetMenuBeginGroupSize() : 0;
}

int TdxBarSubMenuControl::GetEndIndent() const
{
  TdxBarPainter* painter = GetPainter();
  return painter ? painter->GetSubMenuBorderSize() : 0;
}

RECT TdxBarSubMenuControl::GetTrackingBounds() const
{
  RECT r = TCustomdxBarControl::GetTrackingBounds();
  const RECT m = const_cast<TdxBarSubMenuControl*>(this)->GetBorderMargins(true);
  r.left -= m.left;
  r.top -= m.top;
  r.right += m.right;
  r.bottom += m.bottom;
  return r;
}

bool TdxBarSubMenuControl::IsOwnerWindow(HWND wnd) const
{
  TCustomdxBarControl* owner = OwnerBarControl();
  return wnd && owner && owner->HandleAllocated() && owner->Handle() == wnd;
}

TBitmap* TdxBarSubMenuControl::GetBackgroundBitmap() const
{
  if (TdxBarCustomPopupMenu* popup = PopupMenuOf(ItemLinks()))
    if (TBitmap* bitmap = popup->BackgroundBitmap(); bitmap && !bitmap->Empty()) return bitmap;
  return BarManager() ? BarManager()->Backgrounds()->SubMenu() : nullptr;
}

bool TdxBarSubMenuControl::HasCustomBackground() const
{
  TBitmap* bitmap = GetBackgroundBitmap();
  TdxBarPainter* painter = GetPainter();
  return (bitmap && !bitmap->Empty()) || (painter && painter->PaintsWholeBarFrame());
}

// --- Painting ---

void TdxBarSubMenuControl::DrawBandEdges(HDC dc, const RECT& rect)
{
  if (TdxBarPainter* painter = GetPainter()) painter->DrawSubMenuEdges(this, dc, rect);
}

void TdxBarSubMenuControl::DrawNonClient(HDC dc)
{
  RECT r;
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  DrawBandEdges(dc, r);
}

void TdxBarSubMenuControl::FillBackgroundPart(TcxCanvas* canvas, const RECT& rect)
{
  if (TdxBarPainter* painter = GetPainter())
    painter->FillSubMenuBackground(this, canvas, clNone, GetBackgroundBrush(), rect);
  else
    FillRect(canvas->GetDCHandle(), &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void TdxBarSubMenuControl::FillBackground(HDC dc, const RECT& rect)
{
  TcxPaintCanvas* canvas = GetSharedPaintCanvas();
  canvas->BeginPaintOnDC(dc);
  struct TEnd {
    TcxPaintCanvas* Canvas;
    ~TEnd() { Canvas->EndPaint(); }
  } end{canvas};
  TClipScope clip(canvas);
  canvas->IntersectClipWithRect(rect);
  FillBackgroundPart(canvas, rect);
}

void TdxBarSubMenuControl::Paint()
{
  if (FThreadAnimation || Destroying()) return;
  TcxCanvas* canvas = GetCanvas();
  TClipScope clip(canvas);
  if (TdxBarPainter* painter = GetPainter())
    painter->DrawSubMenuBorderFrame(this, canvas->GetDCHandle(), GetBackgroundBrush(), ClientRect());
  PaintItems();
  const int side = GetSideBarSize();
  if (side > 0) {
    const RECT& items = ItemsArea();
    const RECT bar{items.left - side, items.top, items.left, items.bottom};
    if (IsDesigning())
      FillRectGradient(canvas->GetDCHandle(), bar, clBlack, clBlue, false);
    else if (IdxBarSubMenuOwner* owner = SubMenuOwnerOf(ItemLinks()))
      owner->PaintSubMenuBar(canvas, bar);
  }
}

void TdxBarSubMenuControl::PaintItems()
{
  CalcLayout();
  TcxCanvas* canvas = GetCanvas();
  TdxBarPainter* painter = GetPainter();
  if (ViewInfo()->GetItemControlViewInfoCount() > 0 && painter) {
    for (bool bottom : {false, true})
      if (ScrollButtonShown(bottom)) {
        painter->DrawScrollButton(this, canvas, bottom);
        canvas->ExcludeRectFromClip(painter->GetScrollButtonRect(this, bottom));
      }
    DrawItems();
  }
  FillBackground(canvas->GetDCHandle(), ItemsArea());
}

void TdxBarSubMenuControl::DrawItems()
{
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControl* control = info->ItemControlViewInfoAt(i)->Control();
    control->ParentVisibleChanged();
    control->SetLastShown(i == info->GetItemControlViewInfoCount() - 1);
  }
  TCustomdxBarControl::DrawItems();
  // Group lines are drawn with their controls; the background must leave them alone.
  for (int i = 0; i < info->CountSeparators(); ++i) GetCanvas()->ExcludeRectFromClip(info->ReadSeparator(i).Bounds);
}

void TdxBarSubMenuControl::DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const RECT& rect)
{
  if (TdxBarPainter* painter = GetPainter()) {
    int separator = -1;
    if (ViewInfo()->FindSeparatorOfItemControl(control, separator))
      painter->DrawMenuGroupSeparator(this, control, ViewInfo()->ReadSeparator(separator).Bounds, canvas);
    painter->FrameMenuItem(this, control, canvas->GetDCHandle(), rect, control->IsSelectedControl());
  }
  TCustomdxBarControl::DrawItemControl(control, canvas, rect);
}

void TdxBarSubMenuControl::InvalidateItemControl(TdxBarItemControl* control)
{
  if (!HandleAllocated() || !control) return;
  RECT r = control->GetBoundsRect();
  int separator = -1;
  if (ViewInfo()->FindSeparatorOfItemControl(control, separator)) {
    const RECT s = ViewInfo()->ReadSeparator(separator).Bounds;
    UnionRect(&r, &r, &s);
  }
  InvalidateRect(Handle(), &r, FALSE);
}

// --- Messages ---

void TdxBarSubMenuControl::WndProc(TMessage& msg) { TCustomdxBarControl::WndProc(msg); }

void TdxBarSubMenuControl::WMGetDlgCode(TMessage& msg) { msg.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

void TdxBarSubMenuControl::WMNCCalcSize(TMessage& msg)
{
  DeflateProposedClientRect(*reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam), GetBorderMargins(true));
  msg.Result = 0;
}

void TdxBarSubMenuControl::WMNCHitTest(TMessage& msg)
{
  Inherited<TdxBarSubMenuControl>(msg);
  if (IsDetachable() && msg.Result == HTNOWHERE) msg.Result = HTCLIENT;
}

void TdxBarSubMenuControl::CMFontChanged(TMessage& msg)
{
  Inherited<TdxBarSubMenuControl>(msg);
  UpdateCanvasFont();
  CalcMetrics();
}
