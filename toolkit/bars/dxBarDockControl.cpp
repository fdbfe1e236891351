#include "toolkit/bars/dxBarDockControl.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
constexpr std::string_view DockingStyleNames[] = {"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"};
constexpr std::string_view DockAlignNames[] = {"dalNone", "dalTop", "dalBottom", "dalLeft", "dalRight"};

constexpr TAlign AlignOfStyle(TdxBarDockingStyle style)
{
  constexpr TAlign Aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  return Aligns[static_cast<int>(style)];
}

constexpr TAlign AlignOfDockAlign(TdxBarDockAlign align)
{
  constexpr TAlign Aligns[] = {alNone, alTop, alBottom, alLeft, alRight};
  return Aligns[static_cast<int>(align)];
}

constexpr TdxBarDockingStyle StyleOfDockAlign(TdxBarDockAlign align)
{
  constexpr TdxBarDockingStyle Styles[] = {dsTop, dsTop, dsBottom, dsLeft, dsRight};
  return Styles[static_cast<int>(align)];
}

// The window recalculates its frame, staying where it is.
void RecalcFrame(TWinControl* control)
{
  if (control->HandleAllocated())
    SetWindowPos(control->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

using TD = TdxBarDockControl;
const TPropInfo BarDockControlProps[] = {
  EnumProp<&TD::Align, &TD::SetAlign>("Align", dxBarDockAlignInfo, static_cast<int>(dalTop)),
  BoolProp<&TdxDockControl::AllowDocking, &TdxDockControl::SetAllowDocking>("AllowDocking", true),
  BoolProp<&TD::AllowZeroSizeInDesignTime, &TD::SetAllowZeroSizeInDesignTime>("AllowZeroSizeInDesignTime", false),
  ComponentProp<&TdxDockControl::BarManager, &TdxDockControl::SetBarManager>("BarManager"),
  Stored<&TD::IsColorStored>(ColorProp<&TD::Color, &TD::SetColor>("Color", clBtnFace)),
  Stored<&TD::IsColorStored>(OrdProp<&TD::ParentColor, &TD::SetParentColor>("ParentColor", TPropKind::Boolean)),
  Stored<&TD::IsSunkenBorderStored>(OrdProp<&TD::SunkenBorder, &TD::SetSunkenBorder>("SunkenBorder", TPropKind::Boolean)),
  BoolProp<&TD::UseOwnColor, &TD::SetUseOwnColor>("UseOwnColor", false),
  BoolProp<&TD::UseOwnSunkenBorder, &TD::SetUseOwnSunkenBorder>("UseOwnSunkenBorder", false),
  PersistentProp<&TdxDockControl::BackgroundBitmap>("BackgroundBitmap"),
};
}  // namespace

const TEnumInfo dxBarDockingStyleInfo = EnumInfo<dsBottom>("TdxBarDockingStyle", DockingStyleNames);
const TEnumInfo dxBarDockAlignInfo = EnumInfo<dalRight>("TdxBarDockAlign", DockAlignNames);

CL_MESSAGE_MAP(TdxDockControl,
  {WM_SIZE, &TdxDockControl::WMSize},
  {WM_ERASEBKGND, &TdxDockControl::WMEraseBkgnd},
  {WM_GETOBJECT, &TdxDockControl::WMGetObject},
  {WM_LBUTTONDBLCLK, &TdxDockControl::WMLButtonDblClk},
  {WM_MOUSEACTIVATE, &TdxDockControl::WMMouseActivate},
  {WM_NCCALCSIZE, &TdxDockControl::WMNCCalcSize},
  {WM_NCPAINT, &TdxDockControl::WMNCPaint},
  {WM_RBUTTONDOWN, &TdxDockControl::WMRButtonDown},
  {WM_WINDOWPOSCHANGED, &TdxDockControl::WMWindowPosChanged});
CL_MESSAGE_MAP(TdxBarDockControl,
  {WM_SIZE, &TdxBarDockControl::WMSize});

CL_DEFINE_CLASS(TdxDockCol);
CL_DEFINE_CLASS(TdxDockRow);
CL_DEFINE_CLASS(TdxDockControl);
CL_DEFINE_CLASS(TdxBarDockControl, .Props = BarDockControlProps);

// --- TdxDockControl ---

TdxDockControl::TdxDockControl(TComponent* owner)
    : TCustomControl(owner), FBackgroundBitmap(MakeOwned<TBitmap>()), FBackgroundCache(MakeOwned<TBitmap>())
{
}

TdxDockControl::TdxDockControl(TdxBarManager* manager, TdxBarDockingStyle dockingStyle)
    : TCustomControl(nullptr), FBarManager(manager), FDockingStyle(dockingStyle),
      FBackgroundBitmap(MakeOwned<TBitmap>()), FBackgroundCache(MakeOwned<TBitmap>())
{
}

void TdxDockControl::AfterConstruction()
{
  TCustomControl::AfterConstruction();
  FBackgroundBitmap->SetOnChange(TNotifyEvent(this, &TdxDockControl::BackgroundBitmapChanged));
  SetParentColor(true);
  if (HasDockingStyle()) {
    TControlStyle style{TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csNoDesignVisible};
    if (FDockingStyle == dsTop) style.Include(TControlStyleFlag::csActionClient);
    SetControlStyle(style);
    SetAlign(AlignOfStyle(FDockingStyle));
    if (IsHorizontal())
      SetHeight(0);
    else
      SetWidth(0);
  }
  if (FBarManager) {
    FBarManager->AddDockControl(this);
    BackgroundChanged();
    UpdateDockColor();
  }
}

void TdxDockControl::BeforeDestruction()
{
  SetBarManager(nullptr);
  while (!FRows.empty()) DeleteRow(FRows.back());
  TCustomControl::BeforeDestruction();
}

void TdxDockControl::SetBarManager(TdxBarManager* value)
{
  if (FBarManager == value) return;
  TdxBarManager* old = std::exchange(FBarManager, nullptr);
  if (old) old->RemoveDockControl(this);
  FBarManager = value;
  if (value) value->AddDockControl(this);
  BackgroundChanged();
  if (value) UpdateDockColor();
}

bool TdxDockControl::IsHorizontal() const
{
  const TdxBarDockingStyle style = GetDockingStyle();
  return style == dsTop || style == dsBottom;
}

bool TdxDockControl::IsFarEdge() const
{
  const TdxBarDockingStyle style = GetDockingStyle();
  return style == dsRight || style == dsBottom;
}

int TdxDockControl::ClientExtentAcross() const { return IsHorizontal() ? ClientHeight() : ClientWidth(); }
int TdxDockControl::ClientExtentAlong() const { return IsHorizontal() ? ClientWidth() : ClientHeight(); }

bool TdxDockControl::IsLoadingOrRestoring() const
{
  return IsLoading() || (FBarManager && (FBarManager->IsLoading() || FBarManager->IsRestoringLayout()));
}

TdxBarDockingStyle TdxDockControl::GetDockingStyle() const
{
  if (HasDockingStyle()) return FDockingStyle;
  switch (TControl::Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

TClassRef<TdxBarControl> TdxDockControl::GetBarControlClass() const { return ClassRef<TdxBarControl>(); }

TdxBarPainter* TdxDockControl::GetPainter() const { return FBarManager ? FBarManager->Painter() : nullptr; }

bool TdxDockControl::CanCustomize() const { return FBarManager && FBarManager->CanCustomize(); }

bool TdxDockControl::AllowsDockingOf(TdxBar*) const { return FAllowDocking; }

bool TdxDockControl::IsDesigning() const { return TComponent::IsDesigning(); }

void TdxDockControl::UpdateDockColor()
{
  if (!FBarManager || FBarManager->AutoDockColor())
    SetParentColor(true);
  else
    SetColor(FBarManager->DockColor());
  Invalidate();
}

bool TdxDockControl::GetSunkenBorder() const { return FBarManager && FBarManager->SunkenBorder(); }

void TdxDockControl::ShowToolbarsPopup()
{
  if (FBarManager)
    if (TdxBarDesignController* controller = GetDesignController()) controller->ShowToolbarsPopup(FBarManager, GetPainter());
}

// --- Background ---

void TdxDockControl::BackgroundBitmapChanged(TObject*)
{
  ClearBackgroundCache();
  Invalidate();
  UpdateDoubleBuffered();
  RepaintBars();
}

void TdxDockControl::BackgroundChanged() { ClearBackgroundCache(); }

void TdxDockControl::ClearBackgroundCache() { FBackgroundCache->SetSize(0, 0); }

void TdxDockControl::UpdateDoubleBuffered() { SetDoubleBuffered(HasOwnBackground()); }

bool TdxDockControl::HasOwnBackground() const
{
  if (HasBackgroundBitmap()) return true;
  if (!FBarManager) return false;
  TdxBarPainter* painter = GetPainter();
  return (painter && painter->DrawsNativeBackground()) || !FBarManager->Backgrounds()->Bar()->Empty();
}

bool TdxDockControl::FillBackgroundFromCache(HDC dc, const RECT& rect)
{
  TBitmap* picture = HasBackgroundBitmap() ? FBackgroundBitmap.get()
                     : FBarManager        ? FBarManager->Backgrounds()->Bar()
                                          : nullptr;
  if (!picture || picture->Empty()) return false;
  const RECT client = ClientRect();
  if (IsRectEmpty(&client)) return true;
  if (FBackgroundCache->Width() != client.right || FBackgroundCache->Height() != client.bottom) {
    FBackgroundCache->SetSize(client.right, client.bottom);
    PaintBackgroundRect(FBackgroundCache->Canvas()->Handle(), client, client, nullptr, clNone, picture);
  }
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FBackgroundCache->Canvas()->Handle(),
         rect.left, rect.top, SRCCOPY);
  return true;
}

void TdxDockControl::FillBackground(HDC dc, const RECT& rect, HBRUSH brush, TColor color)
{
  // A picture (the dock's own, else the manager's bar background) is tiled from the client origin
  // through the cache; without one the painter fills the dock.
  if (FillBackgroundFromCache(dc, rect)) return;
  const RECT client = ClientRect();
  if (IsRectEmpty(&client)) return;
  if (TdxBarPainter* painter = GetPainter())
    painter->FillDockBackground(this, dc, brush, color, client, client, rect);
  else
    PaintBackgroundRect(dc, client, client, brush, color, nullptr);
}

void TdxDockControl::RepaintBars()
{
  for (TdxDockCol* col : GetCols()) {
    RecalcFrame(col->BarControl());
    col->BarControl()->Invalidate();
  }
}

void TdxDockControl::RefreshFrames()
{
  if (HandleAllocated()) {
    RecalcFrame(this);
    for (TdxDockCol* col : GetCols()) RecalcFrame(col->BarControl());
  }
  RealignIfAllowed();
}

void TdxDockControl::RefreshResources()
{
  ClearBackgroundCache();
  RealignIfAllowed();
  UpdateDoubleBuffered();
  Invalidate();
}

void TdxDockControl::InitiateAction()
{
  if (!FBarManager) return;
  TdxBars* bars = FBarManager->Bars();
  for (int i = 0; i < bars->Count(); ++i)
    if (TdxBar* bar = bars->Items(i); bar->Visible() && bar->ItemLinks()) bar->ItemLinks()->UpdateActionLinks();
}

// --- Window ---

void TdxDockControl::CreateParams(TCreateParams& params)
{
  TCustomControl::CreateParams(params);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  params.ExStyle = 0;
  params.WindowClass.style = CS_DBLCLKS;
}

void TdxDockControl::Paint() {}

void TdxDockControl::AlignControls(TControl* control, RECT& rect)
{
  TCustomControl::AlignControls(control, rect);
  if (FBarManager && !FBarManager->IsLoading()) RealignIfAllowed();
}

void TdxDockControl::WMSize(TMessage& msg)
{
  {
    const TAlignDisabled disabled(this);
    ClearBackgroundCache();
    Inherited<TdxDockControl>(msg);
  }
  TWinControl::Realign();
}

void TdxDockControl::WMEraseBkgnd(TMessage& msg)
{
  FillBackground(reinterpret_cast<HDC>(msg.WParam), ClientRect(), nullptr, Color());
  msg.Result = 1;
}

void TdxDockControl::WMGetObject(TMessage& msg)
{
  msg.Result = DefWindowProcA(Handle(), msg.Msg, msg.WParam, msg.LParam);
}

void TdxDockControl::WMLButtonDblClk(TMessage& msg)
{
  if (CanCustomize()) FBarManager->SetCustomizing(true);
  msg.Result = 0;
}

void TdxDockControl::WMMouseActivate(TMessage& msg)
{
  Inherited<TdxDockControl>(msg);
  if (IsDesigning()) return;
  TCustomForm* form = GetParentForm();
  if (!form || !form->HandleAllocated()) return;
  if (GetWindowLongA(form->Handle(), GWL_STYLE) & WS_POPUP && GetWindow(form->Handle(), GW_OWNER)) return;
  msg.Result = MA_NOACTIVATE;
  SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetActiveWindow(form->Handle());
}

void TdxDockControl::WMNCCalcSize(TMessage& msg)
{
  Inherited<TdxDockControl>(msg);
  if (!GetSunkenBorder()) return;
  RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(msg.LParam)->rgrc[0];
  InflateRect(&r, -1, -1);
}

void TdxDockControl::WMNCPaint(TMessage& msg)
{
  Inherited<TdxDockControl>(msg);
  if (!GetSunkenBorder()) return;
  HDC dc = GetWindowDC(Handle());
  RECT r{};
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  ReleaseDC(Handle(), dc);
}

void TdxDockControl::WMRButtonDown(TMessage& msg)
{
  Inherited<TdxDockControl>(msg);
  if (FBarManager && !FBarManager->IsCustomizing() && !IsDesigning()) ShowToolbarsPopup();
}

void TdxDockControl::WMWindowPosChanged(TMessage& msg)
{
  Inherited<TdxDockControl>(msg);
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg.LParam);
  if (!FBarManager || (pos->flags & SWP_NOMOVE && pos->flags & SWP_NOSIZE)) return;
  if (GetDockingStyle() == dsBottom) {
    // The size grip of a status-bar-like toolbar depends on where it sits.
    TdxBarsUpdateScope lock(FBarManager);
    for (TdxDockCol* col : GetCols())
      if (col->Bar() && col->Bar()->IsStatusBarLike()) RecalcFrame(col->BarControl());
  }
  if (HasOwnBackground()) RepaintBars();
}

// --- TdxBarDockControl ---

TdxBarDockControl::TdxBarDockControl(TComponent* owner) : TdxDockControl(owner) {}

void TdxBarDockControl::AfterConstruction()
{
  TdxDockControl::AfterConstruction();
  TControl::SetAlign(AlignOfDockAlign(FAlign));
  if (IsDesigning() && !BarManager()) SetBarManager(FindBarManagerOfComponent(Owner()));
}

void TdxBarDockControl::SetAlign(TdxBarDockAlign value)
{
  if (FAlign == value) return;
  TdxBarManager* manager = BarManager();
  {
    TdxBarsUpdateScope lock(manager);
    const TdxBarDockingStyle style = StyleOfDockAlign(value);
    for (TdxDockCol* col : GetCols()) col->BarControl()->SetDockingStyle(style);
    FAlign = value;
    TControl::SetAlign(AlignOfDockAlign(value));
  }
  for (TdxDockCol* col : GetCols()) col->BarControl()->Repaint();
  if (Parent()) Parent()->Invalidate();
}

void TdxBarDockControl::SetAllowZeroSizeInDesignTime(bool value)
{
  if (FAllowZeroSizeInDesignTime == value) return;
  FAllowZeroSizeInDesignTime = value;
  if (HandleAllocated()) SendMessageA(Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(ClientWidth(), ClientHeight()));
}

void TdxBarDockControl::SetColor(TColor value)
{
  TControl::SetColor(value);
  if (!IsLoadingOrRestoring()) FUseOwnColor = true;
}

void TdxBarDockControl::SetParentColor(bool value)
{
  if (value == ParentColor()) return;
  TControl::SetParentColor(value);
  if (!IsLoadingOrRestoring()) FUseOwnColor = true;
}

void TdxBarDockControl::SetUseOwnColor(bool value)
{
  if (FUseOwnColor == value) return;
  FUseOwnColor = value;
  if (!value) UpdateDockColor();
}

void TdxBarDockControl::UpdateDockColor()
{
  if (!FUseOwnColor) TdxDockControl::UpdateDockColor();
}

void TdxBarDockControl::SetSunkenBorder(bool value)
{
  FUseOwnSunkenBorder = true;
  if (FSunkenBorder == value) return;
  FSunkenBorder = value;
  RefreshFrames();
}

void TdxBarDockControl::SetUseOwnSunkenBorder(bool value)
{
  if (FUseOwnSunkenBorder == value) return;
  const bool before = GetSunkenBorder();
  if (value) FSunkenBorder = before;
  FUseOwnSunkenBorder = value;
  if (!value && GetSunkenBorder() != before) RefreshFrames();
}

bool TdxBarDockControl::GetSunkenBorder() const
{
  return FUseOwnSunkenBorder ? FSunkenBorder : TdxDockControl::GetSunkenBorder();
}

int TdxBarDockControl::GetMinDesignSize() const { return IsDesigning() && !FAllowZeroSizeInDesignTime ? 3 : 0; }

void TdxBarDockControl::BackgroundChanged()
{
  TdxDockControl::BackgroundChanged();
  if (IsDestroying()) return;
  UpdateDockColor();
  RefreshFrames();
}

bool TdxBarDockControl::AllowsDockingOf(TdxBar* bar) const
{
  if (!TdxDockControl::AllowsDockingOf(bar)) return false;
  // A toolbar never docks in a dock that lies inside its own window.
  TdxBarControl* control = bar ? bar->GetBarControl() : nullptr;
  return !(control && control->HandleAllocated() && HandleAllocated() && IsChild(control->Handle(), const_cast<TdxBarDockControl*>(this)->Handle()));
}

int TdxBarDockControl::CalcDockSize() const
{
  if (IsLoadingOrRestoring()) return IsHorizontal() ? ClientHeight() : ClientWidth();
  const int size = TdxDockControl::CalcDockSize();
  return size == 0 ? GetMinDesignSize() : size;
}

void TdxBarDockControl::CreateParams(TCreateParams& params)
{
  TdxDockControl::CreateParams(params);
  if (IsDesigning()) params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void TdxBarDockControl::Paint()
{
  if (!IsDesigning()) return;
  RECT r = ClientRect();
  HDC dc = Canvas()->Handle();
  const TPenHandle pen(CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNSHADOW)));
  const TSelectObject selectPen(dc, pen.Get());
  const TSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void TdxBarDockControl::WMSize(TMessage& msg)
{
  TdxDockControl::WMSize(msg);
  if (RowCount() > 0 || IsLoadingOrRestoring()) return;
  const int size = GetMinDesignSize();
  if (IsHorizontal())
    SetClientHeight(size);
  else
    SetClientWidth(size);
}
