#include "toolkit/bars/dxBarCaptionButtons.h"
#include "toolkit/bars/dxBarBars.h"

#include <algorithm>
#include "classlib/SysUtils.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr std::string_view BorderStyleNames[] = {"bbsNone", "bbsSingle"};

TdxBar* GMergingSourceBar = nullptr;
bool GResettingBar = false;

[[noreturn]] void RaiseBarError(const TResStringRec& rec, std::initializer_list<TVarRec> args = {})
{
  throw EdxException(args.size() ? Format(GetResStringText(&rec), args) : GetResStringText(&rec));
}

using TB = TdxBar;
#define DX_BAR_BOOL(Name, Default) BoolProp<&TB::Name, &TB::Set##Name>(#Name, Default)

const TPropInfo BarProps[] = {
  DX_BAR_BOOL(AllowClose, true),
  DX_BAR_BOOL(AllowCustomizing, true),
  DX_BAR_BOOL(AllowQuickCustomizing, true),
  DX_BAR_BOOL(AllowReset, true),
  EnumProp<&TB::BorderStyle, &TB::SetBorderStyle>("BorderStyle", dxBarBorderStyleInfo, static_cast<int>(bbsSingle)),
  StrProp<&TB::Caption, &TB::SetCaption>("Caption"),
  CollectionProp<&TB::CaptionButtons>("CaptionButtons"),
  ColorProp<&TB::Color, &TB::SetColor>("Color", clDefault),
  ComponentProp<&TB::DockControl, &TB::SetDockControl>("DockControl"),
  ComponentProp<&TB::DockedDockControl, &TB::SetDockedDockControl>("DockedDockControl"),
  Stored<&TB::IsDockedDockingStyleStored>(OrdProp<&TB::DockedDockingStyle, &TB::SetDockedDockingStyle>(
      "DockedDockingStyle", TPropKind::Enumeration, &dxBarDockingStyleInfo)),
  IntProp<&TB::DockedLeft, &TB::SetDockedLeft>("DockedLeft"),
  IntProp<&TB::DockedTop, &TB::SetDockedTop>("DockedTop"),
  Stored<&TB::IsDockingStyleStored>(
      OrdProp<&TB::DockingStyle, &TB::SetDockingStyle>("DockingStyle", TPropKind::Enumeration, &dxBarDockingStyleInfo)),
  IntProp<&TB::FloatLeft, &TB::SetFloatLeft>("FloatLeft"),
  IntProp<&TB::FloatTop, &TB::SetFloatTop>("FloatTop"),
  IntProp<&TB::FloatClientWidth, &TB::SetFloatClientWidth>("FloatClientWidth"),
  IntProp<&TB::FloatClientHeight, &TB::SetFloatClientHeight>("FloatClientHeight"),
  Stored<&TB::IsFontStored>(PersistentProp<&TB::Font>("Font")),
  PersistentProp<&TB::Glyph>("Glyph"),
  DX_BAR_BOOL(Hidden, false),
  DX_BAR_BOOL(IsMainMenu, false),
  CollectionProp<&TB::ItemLinks>("ItemLinks"),
  StrProp<&TB::KeyTip, &TB::SetKeyTip>("KeyTip"),
  DX_BAR_BOOL(MultiLine, false),
  SetProp<&TB::NotDocking, &TB::SetNotDocking>("NotDocking", dxBarDockingStyleInfo, 0),
  StrProp<&TB::OldName, &TB::SetOldName>("OldName"),
  OrdProp<&TB::OneOnRow, &TB::SetOneOnRow>("OneOnRow", TPropKind::Boolean),
  DX_BAR_BOOL(RotateWhenVertical, true),
  IntProp<&TB::Row, &TB::SetRow>("Row"),
  DX_BAR_BOOL(ShowMark, true),
  DX_BAR_BOOL(SizeGrip, true),
  OrdProp<&TB::UseOwnFont, &TB::SetUseOwnFont>("UseOwnFont", TPropKind::Boolean),
  DX_BAR_BOOL(UseRecentItems, true),
  DX_BAR_BOOL(UseRestSpace, false),
  OrdProp<&TB::Visible, &TB::SetVisible>("Visible", TPropKind::Boolean),
  OrdProp<&TB::WholeRow, &TB::SetWholeRow>("WholeRow", TPropKind::Boolean),
  PersistentProp<&TB::BackgroundBitmap>("BackgroundBitmap"),
  IntProp<&TB::AlphaBlendValue, &TB::SetAlphaBlendValue>("AlphaBlendValue", 255),
};
#undef DX_BAR_BOOL
}  // namespace

const TEnumInfo dxBarBorderStyleInfo = EnumInfo<bbsSingle>("TdxBarBorderStyle", BorderStyleNames);

CL_DEFINE_CLASS(TdxBarMergeData);
CL_DEFINE_CLASS(TdxBar, .Props = BarProps);
CL_DEFINE_CLASS(TdxBars);

TdxBar* GetMergingSourceBar() { return GMergingSourceBar; }
bool IsResettingBar() { return GResettingBar; }

// --- TdxBarMergeData ---

TdxBarMergeData::TdxBarMergeData() : FNotificator(MakeOwned<TcxFreeNotificator>(nullptr))
{
  FNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TdxBarMergeData::SavedBarFreed));
}

void TdxBarMergeData::BeforeDestruction()
{
  ClearSavedBars();
  TObject::BeforeDestruction();
}

void TdxBarMergeData::ClearSavedBars()
{
  for (TdxBar* bar : std::exchange(FSavedBars, {})) FNotificator->UnwatchComponent(bar);
}

void TdxBarMergeData::SaveMergedBars()
{
  ClearSavedBars();
  FSavedBars = MergedBars;
  for (TdxBar* bar : FSavedBars) FNotificator->WatchComponent(bar);
}

void TdxBarMergeData::SavedBarFreed(TComponent* sender)
{
  FSavedBars.erase(std::remove(FSavedBars.begin(), FSavedBars.end(), sender), FSavedBars.end());
}

// --- TdxBar: life ---

TdxBar::TdxBar(TComponent* owner)
    : TcxComponentCollectionItem(owner),
      FEditFont(MakeOwned<TFont>()),
      FFont(MakeOwned<TFont>()),
      FGlyph(CreateBarBitmap(TNotifyEvent(this, &TdxBar::GlyphChanged))),
      FBackgroundBitmap(CreateBarBitmap(TNotifyEvent(this, &TdxBar::BackgroundChanged))),
      FMergeData(MakeOwned<TdxBarMergeData>())
{
  FFont->SetOnChange(TNotifyEvent(this, &TdxBar::FontChanged));
}

TdxBar::~TdxBar() = default;

void TdxBar::BeforeDestruction()
{
  Destroying();
  FireNotifyEvent(FOnDestroy, this);
  TdxBarManager* manager = GetBarManager();
  if (manager && !manager->IsDestroying()) manager->DoBarDelete(this);
  if (TdxBar* mergedWith = FMergeData->MergedWith) mergedWith->Unmerge(this);
  if (!FMergeData->MergedBars.empty()) Unmerge(nullptr);
  FMergeData.reset();
  SetVisible(false);
  LeaveRow();
  // Told last registered first; an item freed meanwhile is skipped.
  const std::vector<TWeakRef<TdxBarItem>> listeners(FRemovalListeners.rbegin(), FRemovalListeners.rend());
  FRemovalListeners.clear();
  for (const TWeakRef<TdxBarItem>& item : listeners)
    if (item) item->BarNotification(TdxBarNotification::bnRemoved, this);
  if (manager && manager->GetMainMenuBar() == this) manager->SetMainMenuBar(nullptr);
  if (FJoinedManager) RemoveVisibilityObserver(FJoinedManager);
  TcxComponentCollectionItem::BeforeDestruction();
}

void TdxBar::SetParentComponent(TComponent* parent)
{
  auto* manager = As<TdxBarManager>(parent);
  if (FJoinedManager) RemoveVisibilityObserver(std::exchange(FJoinedManager, nullptr));
  TcxComponentCollectionItem::SetParentComponent(parent);
  if (!manager) return;
  FJoinedManager = manager;
  FItemLinks = MakeOwned<TdxBarControlItemLinks>(manager, static_cast<IdxBarLinksOwner*>(this));
  FItemLinks->SetUseRecentItems(FUseRecentItems);
  {
    const TNotifyEvent handler = FFont->OnChange();
    FFont->SetOnChange(nullptr);
    FFont->Assign(manager->Font());
    FFont->SetOnChange(handler);
  }
  AddVisibilityObserver(manager);
  if (!manager->IsLoading()) {
    manager->DoBarAdd(this);
    Changed();
  }
}

TcxComponentCollection* TdxBar::GetCollectionFromParent(TComponent* parent)
{
  return As<TdxBarManager>(parent)->Bars();
}

void TdxBar::SetName(const std::string& name)
{
  TdxBarManager* manager = GetBarManager();
  if (manager && manager->IsReadingOldBars() && !Name().empty()) {
    FOldName = name;
    return;
  }
  TcxComponentCollectionItem::SetName(name);
}

void TdxBar::Updating()
{
  TcxComponentCollectionItem::Updating();
}

void TdxBar::Updated()
{
  TcxComponentCollectionItem::Updated();
  if (std::exchange(FPositionUpdatePending, false)) UpdateBarControlPosition();
}

void TdxBar::Assign(TPersistent* source)
{
  auto* bar = dynamic_cast<TdxBar*>(source);
  if (!bar) return TcxComponentCollectionItem::Assign(source);
  SetAllowClose(bar->AllowClose());
  SetAllowCustomizing(bar->AllowCustomizing());
  SetAllowQuickCustomizing(bar->AllowQuickCustomizing());
  SetAllowReset(bar->AllowReset());
  SetBorderStyle(bar->BorderStyle());
  SetCaption(bar->Caption());
  CaptionButtons()->Assign(bar->CaptionButtons());
  SetDockedDockControl(bar->DockedDockControl());
  FDockedDockingStyle = bar->DockedDockingStyle();
  SetDockedLeft(bar->DockedLeft());
  SetDockedTop(bar->DockedTop());
  SetFloatLeft(bar->FloatLeft());
  SetFloatTop(bar->FloatTop());
  SetFloatClientWidth(bar->FloatClientWidth());
  SetFloatClientHeight(bar->FloatClientHeight());
  SetHidden(bar->Hidden());
  SetIsMainMenu(bar->IsMainMenu());
  if (bar->ItemLinks()) SetItemLinks(bar->ItemLinks());
  SetNotDocking(bar->NotDocking());
  SetOldName(bar->OldName());
  SetOneOnRow(bar->OneOnRow());
  SetRotateWhenVertical(bar->RotateWhenVertical());
  SetRow(bar->Row());
  SetShowMark(bar->ShowMark());
  SetSizeGrip(bar->SizeGrip());
  SetWholeRow(bar->WholeRow());
  DockTo(bar->DockingStyle(), bar->DockControl());
  SetUseRecentItems(bar->UseRecentItems());
  SetUseRestSpace(bar->UseRestSpace());
  SetColor(bar->Color());
  SetFont(bar->Font());
  SetUseOwnFont(bar->UseOwnFont());
  SetVisible(bar->Visible());
}

// --- Queries ---

TdxBarManager* TdxBar::GetBarManager() const
{
  return Collection() ? static_cast<TdxBarManager*>(Collection()->ParentComponent()) : nullptr;
}

TdxBars* TdxBar::GetBars() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->Bars() : nullptr;
}

TdxBarControl* TdxBar::GetBarControl() const
{
  return FItemLinks ? As<TdxBarControl>(FItemLinks->BarControl()) : nullptr;
}

TdxDockControl* TdxBar::GetRealDockControl() const
{
  if (FDockControl) return FDockControl;
  TdxBars* bars = GetBars();
  return bars && FDockingStyle != dsNone ? bars->DockControls(FDockingStyle) : nullptr;
}

TdxBarPainter* TdxBar::GetPainter() const
{
  if (TdxDockControl* dock = GetRealDockControl()) return dock->Painter();
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->Painter() : nullptr;
}

bool TdxBar::CanClose() const { return FAllowClose && !FIsMainMenu; }

bool TdxBar::CanDock() const
{
  TdxBarManager* manager = GetBarManager();
  return FNotDocking != dxBarAllDockingStyles && !(manager && manager->NotDocking() == dxBarAllDockingStyles);
}

bool TdxBar::IsStatusBarLike() const { return FBorderStyle == bbsNone && DockingStyle() == dsBottom && FWholeRow; }

bool TdxBar::IsLoadingManager() const
{
  TdxBarManager* manager = GetBarManager();
  return manager && manager->IsLoading();
}

TdxBarManager* TdxBar::ManagerOfDock(TdxDockControl* dockControl) const
{
  return dockControl ? dockControl->BarManager() : nullptr;
}

void TdxBar::Changed() { NotifyChanged(false); }

// --- Setters ---

void TdxBar::SetAllowClose(bool value)
{
  if (FAllowClose == value) return;
  FAllowClose = value;
  Changed();
}

void TdxBar::SetAllowQuickCustomizing(bool value) { FAllowQuickCustomizing = value; }

void TdxBar::SetAlphaBlendValue(uint8_t value)
{
  if (FAlphaBlendValue == value) return;
  FAlphaBlendValue = value;
  if (IsFloating()) GetBarControl()->UpdateAlphaBlend();
}

void TdxBar::SetBackgroundBitmap(TBitmap* value) { FBackgroundBitmap->Assign(value); }

void TdxBar::SetBorderStyle(TdxBarBorderStyle value) { FBorderStyle = value; }

void TdxBar::SetCaption(const std::string& value)
{
  if (FCaption == value) return;
  TdxBarManager* manager = GetBarManager();
  if (manager && manager->FindBarByCaption(value)) return;
  FCaption = value;
  Changed();
}

void TdxBar::SetColor(TColor value) { FColor = value; }

void TdxBar::SetDockedDockControl(TdxBarDockControl* value)
{
  if (FDockedDockControl == value) return;
  if (value && ManagerOfDock(value) != GetBarManager()) return;
  FDockedDockControl = value;
  Changed();
}

void TdxBar::SetDockedDockingStyle(TdxBarDockingStyle value) { FDockedDockingStyle = value; }

void TdxBar::SetDockedLeft(int value)
{
  value = std::max(value, 0);
  if (FDockedLeft == value) return;
  FDockedLeft = value;
  PositionChanged();
  Changed();
}

void TdxBar::SetDockedTop(int value)
{
  value = std::max(value, 0);
  if (FDockedTop == value) return;
  FDockedTop = value;
  PositionChanged();
  Changed();
}

void TdxBar::SetFloatLeft(int value)
{
  if (FFloatLeft == value) return;
  FFloatLeft = value;
  PositionChanged();
  Changed();
}

void TdxBar::SetFloatTop(int value)
{
  if (FFloatTop == value) return;
  FFloatTop = value;
  PositionChanged();
  Changed();
}

void TdxBar::SetFloatClientWidth(int value)
{
  if (FFloatClientWidth == value) return;
  FFloatClientWidth = value;
  PositionChanged();
  Changed();
}

void TdxBar::SetFloatClientHeight(int value)
{
  if (FFloatClientHeight == value) return;
  FFloatClientHeight = value;
  PositionChanged();
  Changed();
}

void TdxBar::PositionChanged()
{
  if (ComponentState().Contains(TComponentStateFlag::csUpdating))
    FPositionUpdatePending = true;
  else
    UpdateBarControlPosition();
}

void TdxBar::SetHidden(bool value)
{
  if (FHidden == value) return;
  FHidden = value;
  Changed();
}

void TdxBar::SetIsMainMenu(bool value)
{
  if (FIsMainMenu == value) return;
  TdxBarManager* manager = GetBarManager();
  {
    TdxBarsUpdateScope update(manager);
    if (value && manager && manager->GetMainMenuBar() && manager->GetMainMenuBar() != this)
      manager->GetMainMenuBar()->SetIsMainMenu(false);
    FIsMainMenu = value;
    if (manager) {
      if (value)
        manager->SetMainMenuBar(this);
      else if (manager->GetMainMenuBar() == this)
        manager->SetMainMenuBar(nullptr);
    }
    if (value) {
      SetWholeRow(true);
      SetMultiLine(true);
    } else {
      SetMultiLine(false);
      SetWholeRow(false);
    }
  }
  if (!IsLoadingManager()) Changed();
}

void TdxBar::SetMultiLine(bool value)
{
  if (FMultiLine == value || (!value && FIsMainMenu)) return;
  FMultiLine = value;
}

void TdxBar::SetNotDocking(TdxBarDockingStyles value) { FNotDocking = value; }

void TdxBar::SetOneOnRow(bool value)
{
  if (TdxDockControl* dock = GetRealDockControl(); dock && dock->IsDestroyingBarControl()) return;
  FOneOnRow = value;
}

void TdxBar::SetRotateWhenVertical(bool value) { FRotateWhenVertical = value; }
void TdxBar::SetShowMark(bool value) { FShowMark = value; }
void TdxBar::SetSizeGrip(bool value) { FSizeGrip = value; }
bool TdxBar::UseRecentItems() const { return FItemLinks ? FItemLinks->UseRecentItems() : FUseRecentItems; }

void TdxBar::SetUseRecentItems(bool value)
{
  FUseRecentItems = value;
  if (FItemLinks) FItemLinks->SetUseRecentItems(value);
}

void TdxBar::SetItemLinks(TdxBarItemLinks* value)
{
  if (FItemLinks) FItemLinks->Assign(value);
}
void TdxBar::SetUseRestSpace(bool value) { FUseRestSpace = value; }
void TdxBar::SetWholeRow(bool value) { FWholeRow = value; }

// --- Docking ---

TdxBarDockControl* TdxBar::DockControl() const
{
  return IsComparingWithAncestor(const_cast<TdxBar*>(this)) ? FLoadedDockControl : FDockControl;
}

TdxBarDockingStyle TdxBar::DockingStyle() const
{
  return IsComparingWithAncestor(const_cast<TdxBar*>(this)) ? FLoadedDockingStyle : FDockingStyle;
}

void TdxBar::SetDockControl(TdxBarDockControl* value)
{
  if (IsLoadingManager()) {
    FLoadedDockControl = value;
    return;
  }
  if (FDockControl == value) return;
  if (value && ManagerOfDock(value) != GetBarManager()) return;
  // A shown bar hides and shows again around a change of its dock.
  TdxBarControl* control = GetBarControl();
  TdxDockControl* current = control ? control->DockControl() : nullptr;
  const bool reshow = control && !FChangingDockingStyle &&
                      (value != current || (!value && FDockingStyle != dsNone && (!current || !current->HasDockingStyle())));
  if (reshow) SetVisible(false);
  FDockControl = value;
  const bool changingStyle = FChangingDockingStyle;
  if (!changingStyle) {
    TdxValueScope<bool> changing(FChangingDockingStyle, true);
    SetDockingStyle(value ? value->DockingStyle() : FDockingStyle);
  }
  if (FDockRow && FDockRow->DockControl() != GetRealDockControl()) LeaveRow();
  if (reshow) SetVisible(true);
  if (!changingStyle)
    if (TdxBarManager* manager = GetBarManager()) manager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle value)
{
  if (IsLoadingManager()) {
    FLoadedDockingStyle = value;
    return;
  }
  if (FDockingStyle == value) return;
  TdxBarControl* control = GetBarControl();
  const bool reshow = control && !FChangingDockingStyle && control->DockingStyle() != value;
  if (reshow) SetVisible(false);
  FDockingStyle = value;
  const bool changingStyle = FChangingDockingStyle;
  if (!changingStyle) {
    TdxValueScope<bool> changing(FChangingDockingStyle, true);
    SetDockControl(nullptr);
  }
  if (FDockRow && FDockRow->DockControl() != GetRealDockControl()) LeaveRow();
  if (reshow) SetVisible(true);
  if (!changingStyle)
    if (TdxBarManager* manager = GetBarManager()) manager->DoBarDockingStyleChange(this);
}

void TdxBar::DockTo(TdxBarDockingStyle style, TdxDockControl* dockControl)
{
  if (dockControl && dockControl->HasDockingStyle()) dockControl = nullptr;
  if (style == DockingStyle() || (dockControl && dockControl != DockControl()))
    SetDockControl(static_cast<TdxBarDockControl*>(dockControl));
  else
    SetDockingStyle(style);
}

// --- Rows ---

int TdxBar::Row() const { return FDockRow ? FDockRow->DockControl()->IndexOfRow(FDockRow) : FRow; }

void TdxBar::SetRow(int value)
{
  value = std::max(value, 0);
  if (FDockRow && value == Row()) return;
  FRow = value;
  TdxDockControl* dock = GetRealDockControl();
  if (!dock) return Changed();
  TdxBarManager* manager = GetBarManager();
  if (value >= dock->RowCount()) {
    if (manager->IsBarsUpdateLocked() || manager->IsRestoringLayout())
      while (dock->RowCount() <= value) dock->AddRow();
    else
      dock->AddRow();
  }
  if (!manager->IsDestroying()) MoveToRow(dock->Rows(std::min(value, dock->RowCount() - 1)));
  Changed();
  dock->RealignIfAllowed();
}

void TdxBar::MoveToRow(TdxDockRow* row)
{
  if (FDockRow == row) return;
  LeaveRow();
  row->AddBar(this);
  FDockRow = row;
}

void TdxBar::LeaveRow()
{
  if (TdxDockRow* row = std::exchange(FDockRow, nullptr)) row->RemoveBar(this, true);
}

// --- Visibility ---

bool TdxBar::Visible() const { return IsComparingWithAncestor(const_cast<TdxBar*>(this)) ? FLoadedVisible : FVisible; }

void TdxBar::SetVisible(bool value)
{
  TdxBarManager* manager = GetBarManager();
  if (value && manager && manager->IsDestroying()) return;
  if (!value && !FVisible && manager) manager->RemoveFromReshowBarList(this);
  if (IsLoadingManager()) {
    if (FLoadedVisible != value) FInternallyHidden = false;
    FLoadedVisible = value;
    return;
  }
  if (FVisible == value) return;
  FInternallyHidden = false;
  // Hiding: the toolbar window first stores its placement into the bar and goes; showing: the links
  // make the window and the bar places it. A window that is being destroyed by Windows (its dock or
  // form went) is freed once its message is over.
  if (!value) StoreBarControlPlacement(GetBarControl());
  FVisible = value;
  if (FItemLinks) {
    if (value) {
      try {
        FItemLinks->CreateBarControl();
        ShowBarControl();
      } catch (...) {
        FItemLinks->FreeBarControl();
        FVisible = false;
        throw;
      }
    } else if (TdxBarControl* control = GetBarControl(); control && control->WindowDestroying()) {
      control->SetItemLinks(nullptr);
      ReleaseLater(control);
    } else {
      FItemLinks->FreeBarControl();
    }
  }
  Changed();
  const std::vector<IdxBarVisibilityObserver*> observers = FVisibilityObservers;
  for (IdxBarVisibilityObserver* observer : observers) observer->BarVisibilityChanged(this);
}

void TdxBar::AddVisibilityObserver(IdxBarVisibilityObserver* observer)
{
  if (observer && std::find(FVisibilityObservers.begin(), FVisibilityObservers.end(), observer) ==
                      FVisibilityObservers.end())
    FVisibilityObservers.push_back(observer);
}

void TdxBar::RemoveVisibilityObserver(IdxBarVisibilityObserver* observer)
{
  FVisibilityObservers.erase(std::remove(FVisibilityObservers.begin(), FVisibilityObservers.end(), observer),
                             FVisibilityObservers.end());
}

// --- Fonts and pictures ---

void TdxBar::FontChanged(TObject*)
{
  if (!FInternalFontChange) FUseOwnFont = true;
  if (FUseOwnFont) FEditFont->Assign(FFont.get());
}

void TdxBar::SetUseOwnFont(bool value)
{
  if (FUseOwnFont == value) return;
  TdxValueScope<bool> internal(FInternalFontChange, true);
  FUseOwnFont = value;
  if (value)
    FontChanged(this);
  else if (TdxBarManager* manager = GetBarManager())
    FFont->Assign(manager->Font());
}

void TdxBar::ManagerFontChanged()
{
  TdxValueScope<bool> internal(FInternalFontChange, true);
  TdxBarManager* manager = GetBarManager();
  if (FUseOwnFont)
    FontChanged(this);
  else if (manager)
    FFont->Assign(manager->Font());
}

void TdxBar::GlyphChanged(TObject*) {}
void TdxBar::BackgroundChanged(TObject*) {}

// --- Merging ---

void TdxBar::Merge(TdxBar* bar, bool rememberVisibility)
{
  if (FMergeData->MergedWith) RaiseBarError(dxSBAR_CANTMERGEWITHMERGEDTOOLBAR);
  if (!bar || bar == this) RaiseBarError(dxSBAR_CANTMERGETOOLBAR);
  TdxBarMergeData* data = bar->FMergeData.get();
  if (data->MergedWith == this) RaiseBarError(dxSBAR_TOOLBARSALREADYMERGED, {bar->Caption(), Caption()});
  if (!data->MergedBars.empty()) RaiseBarError(dxSBAR_TOOLBARHASMERGEDTOOLBARS, {bar->Caption()});
  const bool wasMerged = data->MergedWith != nullptr;
  if (wasMerged) data->MergedWith->Unmerge(bar, false);
  TdxValueScope<TdxBar*> source(GMergingSourceBar, bar);
  data->MergedWith = this;
  FMergeData->MergedBars.push_back(bar);
  {
    TdxBarsUpdateScope update(GetBarManager());
    if (FItemLinks && bar->FItemLinks) FItemLinks->MergeFrom(bar->FItemLinks.get());
  }
  if (!wasMerged && rememberVisibility) data->VisibleBeforeMerging = bar->Visible();
  bar->SetVisible(false);
}

void TdxBar::Unmerge(TdxBar* bar, bool restoreVisibility)
{
  if (bar == this) RaiseBarError(dxSBAR_CANTUNMERGETOOLBAR);
  if (bar) {
    if (!bar->FMergeData->MergedWith) return;
    if (bar->FMergeData->MergedWith != this) RaiseBarError(dxSBAR_TOOLBARSARENOTMERGED, {bar->Caption(), Caption()});
  }
  std::vector<TdxBar*>& merged = FMergeData->MergedBars;
  if (!merged.empty()) {
    {
      TdxBarsUpdateScope update(GetBarManager());
      if (FItemLinks) FItemLinks->RemoveMergedLinks(bar);
    }
    const std::vector<TdxBar*> leaving = bar ? std::vector<TdxBar*>{bar} : std::vector<TdxBar*>(merged.rbegin(), merged.rend());
    for (TdxBar* b : leaving) {
      b->FMergeData->MergedWith = nullptr;
      merged.erase(std::remove(merged.begin(), merged.end(), b), merged.end());
      if (restoreVisibility) b->SetVisible(b->FMergeData->VisibleBeforeMerging);
    }
  }
  if (merged.empty() && FMergeData->MadeForMerging) {
    if (FKeepWhenEmptied) {
      FMergeData->VisibleToRestore = Visible();
      SetVisible(false);
      SetHidden(true);
    } else if (!IsDestroying()) {
      Free(this);
    }
  }
}

void TdxBar::StoreMergedBars() { FMergeData->SaveMergedBars(); }

void TdxBar::RestoreMergedBars()
{
  std::vector<TdxBar*> saved;
  for (int i = 0; i < FMergeData->SavedBarCount(); ++i) saved.push_back(FMergeData->SavedBars(i));
  FMergeData->ClearSavedBars();
  for (TdxBar* bar : saved) Merge(bar, bar->GetBarManager() == GetBarManager());
}

// --- Reset ---

void TdxBar::Reset()
{
  TdxBarManager* manager = GetBarManager();
  if (!manager || manager->FindDesignedBarIndex(FCaption) < 0) return;
  manager->DoBarBeforeReset(this);
  {
    TdxBarsUpdateScope update(manager);
    TdxValueScope<bool> resetting(GResettingBar, true);
    const std::string base = manager->GetIniSectionBase();
    const int n = manager->FindDesignedBarIndex(FCaption);
    LoadFromIni(manager->DesignedLayout(), base, manager->UseFullReset(), TdxBarStoringKind::bskIni, n);
    LoadUsageFromIni(manager->DesignedLayout(), base, n);
    if (FItemLinks) FItemLinks->ResetItems(manager->DesignedLayout(), base);
  }
  manager->DoBarAfterReset(this);
}

void TdxBar::ResetWithConfirmation()
{
  const std::string text = Format(GetResStringText(&dxSBAR_WANTTORESETTOOLBAR), {FCaption});
  if (ShowBarMessage(text, MB_OKCANCEL | MB_ICONWARNING) == IDOK) Reset();
}

// --- TdxBars ---

TdxBars::TdxBars(TdxBarManager* barManager)
    : TcxComponentCollection(barManager, TdxBar::StaticClass()), FBarManager(barManager)
{
  for (TdxBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom}) {
    TdxDockControl* dock = New<TdxDockControl>(barManager, style);
    FDockControls[static_cast<int>(style) - 1] = dock;
    dock->SetParent(barManager->GetOwnerControl());
  }
}

void TdxBars::BeforeDestruction()
{
  for (TdxDockControl*& dock : FDockControls) Free(std::exchange(dock, nullptr));
  TcxComponentCollection::BeforeDestruction();
}

TdxBar* TdxBars::Add() { return static_cast<TdxBar*>(AppendNewItem()); }

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle style) const
{
  return style == dsNone ? nullptr : FDockControls[static_cast<int>(style) - 1];
}

void TdxBars::ClearDockControl(TdxDockControl* dockControl)
{
  for (TdxDockControl*& dock : FDockControls)
    if (dock == dockControl) dock = nullptr;
}

std::string TdxBars::GetUniqueName(std::string_view prefix) const { return FBarManager->MakeUniqueBarName(prefix); }

void TdxBars::AssignItemName(TcxComponentCollectionItem* item)
{
  item->SetName(GetUniqueName(FBarManager->Name() + "Bar"));
}

void TdxBars::RaiseOnChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action)
{
  TcxComponentCollection::RaiseOnChange(item, action);
  if (action == TcxComponentCollectionNotification::ccnChanged && item) FBarManager->NotifyModified();
}

// --- TdxBar: links owner and customizing selection ---

bool TdxBar::AcceptsItem(TdxBarItem* item, std::string& message)
{
  return item->CanBePlacedIn(TdxBarLinksKind::lkToolbar, this, message);
}

void TdxBar::AddRemovalListener(TdxBarItem* item)
{
  if (item && std::find(FRemovalListeners.begin(), FRemovalListeners.end(), item) == FRemovalListeners.end())
    FRemovalListeners.push_back(item);
}

void TdxBar::RemoveRemovalListener(TdxBarItem* item) { std::erase(FRemovalListeners, item); }

bool TdxBar::CanDelete(bool)
{
  TdxBarManager* manager = GetBarManager();
  if (!manager) return true;
  return (manager->IsDesigning() || (!FPredefined && CanClose())) && manager->CanDeleteComponent(this);
}

void TdxBar::DeleteSelection(IdxBarSelectableItem*& reference, bool destruction)
{
  if (!CanDelete(destruction)) return;
  reference = nullptr;
  Free(this);
}

void TdxBar::AddMasterObjects(TList* list)
{
  TdxBarManager* manager = GetBarManager();
  TWinControl* owner = manager ? manager->GetOwnerControl() : nullptr;
  if (owner && list->IndexOf(owner) < 0) list->Add(owner);
}

IdxBarSelectableItem* TdxBar::GetNextSelectable()
{
  TdxBars* bars = GetBars();
  if (!bars || bars->Count() < 2) return nullptr;
  const int index = Index();
  return bars->Items((index + 1) % bars->Count());
}

TPersistent* TdxBar::GetSelectableParent()
{
  for (TControl* c = DockControl(); c; c = c->Parent())
    if (GetClass(c->ClassName()) == c->ClassType()) return c;
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->GetOwnerControl() : nullptr;
}

int TdxBar::GetSelectionStatus()
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

void TdxBar::SelectComponent(TdxBarSelectionOperation operation)
{
  if (TdxBarManager* manager = GetBarManager()) manager->SelectComponent(this, operation);
}

bool TdxBar::SelectParentComponent()
{
  TdxBarManager* manager = GetBarManager();
  TPersistent* parent = GetSelectableParent();
  if (!manager || !parent) return false;
  manager->SelectComponent(parent, TdxBarSelectionOperation::sopReplace);
  return true;
}

void TdxBar::SelectionChanged()
{
  if (TdxBarDesignController* controller = GetDesignController()) controller->ValidateLastSelectedItem();
}
