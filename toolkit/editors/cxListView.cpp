// The list view container, its icon options, its published properties and its unit.
#include "toolkit/editors/cxListView.h"

#include "classlib/ComCtrls.h"
#include "classlib/Filer.h"
#include "classlib/ImageList.h"
#include "classlib/TypInfo.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxControls.h"

namespace {
using TIO = TcxIconOptions;
constexpr TPropInfo IconOptionsProps[] = {
  EnumProp<&TIO::Arrangement, &TIO::SetArrangement>("Arrangement", IconArrangementInfo, 0),
  BoolProp<&TIO::AutoArrange, &TIO::SetAutoArrange>("AutoArrange", false),
  BoolProp<&TIO::WrapText, &TIO::SetWrapText>("WrapText", true),
};

using TLV = TcxCustomListView;
using TC = TControl;
bool Never(const TObject*) { return false; }
TPropInfo NotStored(TPropInfo p)
{
  p.Stored = Never;
  return p;
}

#define LV_EVENT(Name) EventProp<&TLV::Name, &TLV::Set##Name>(#Name)
// What the inner list view keeps, under its own names; then the container's own.
const TPropInfo ListViewProps[] = {
  IntProp<&TLV::AllocBy, &TLV::SetAllocBy>("AllocBy", 0),
  BoolProp<&TLV::Checkboxes, &TLV::SetCheckboxes>("Checkboxes", false),
  BoolProp<&TLV::ColumnClick, &TLV::SetColumnClick>("ColumnClick", true),
  CollectionProp<&TLV::Columns>("Columns"),
  BoolProp<&TLV::HideSelection, &TLV::SetHideSelection>("HideSelection", true),
  BoolProp<&TLV::HotTrack, &TLV::SetHotTrack>("HotTrack", false),
  IntProp<&TLV::HoverTime, &TLV::SetHoverTime>("HoverTime", -1),
  PersistentProp<&TLV::IconOptions>("IconOptions"),
  // A stored form carries no items, so it carries no selection either.
  NotStored(IntProp<&TLV::ItemIndex, &TLV::SetItemIndex>("ItemIndex", -1)),
  ComponentProp<&TLV::LargeImages, &TLV::SetLargeImages>("LargeImages"),
  BoolProp<&TLV::MultiSelect, &TLV::SetMultiSelect>("MultiSelect", false),
  BoolProp<&TLV::OwnerData, &TLV::SetOwnerData>("OwnerData", false),
  BoolProp<&TLV::OwnerDraw, &TLV::SetOwnerDraw>("OwnerDraw", false),
  BoolProp<&TLV::ReadOnly, &TLV::SetReadOnly>("ReadOnly", false),
  BoolProp<&TLV::RowSelect, &TLV::SetRowSelect>("RowSelect", false),
  BoolProp<&TLV::ShowColumnHeaders, &TLV::SetShowColumnHeaders>("ShowColumnHeaders", true),
  BoolProp<&TLV::ShowWorkAreas, &TLV::SetShowWorkAreas>("ShowWorkAreas", false),
  ComponentProp<&TLV::SmallImages, &TLV::SetSmallImages>("SmallImages"),
  EnumProp<&TLV::SortType, &TLV::SetSortType>("SortType", SortTypeInfo, 0),
  ComponentProp<&TLV::StateImages, &TLV::SetStateImages>("StateImages"),
  EnumProp<&TLV::ViewStyle, &TLV::SetViewStyle>("ViewStyle", ViewStyleInfo, 0),
  PersistentProp<&TLV::Style>("Style"),
  PersistentProp<&TLV::StyleDisabled>("StyleDisabled"),
  PersistentProp<&TLV::StyleFocused>("StyleFocused"),
  PersistentProp<&TLV::StyleHot>("StyleHot"),
  IntProp<&TC::DragCursor, &TC::SetDragCursor>("DragCursor", crDrag),
  EnumProp<&TC::DragMode, &TC::SetDragMode>("DragMode", DragModeInfo, 0),
  LV_EVENT(OnAdvancedCustomDraw),
  LV_EVENT(OnAdvancedCustomDrawItem),
  LV_EVENT(OnAdvancedCustomDrawSubItem),
  LV_EVENT(OnCancelEdit),
  LV_EVENT(OnChange),
  LV_EVENT(OnChanging),
  LV_EVENT(OnColumnClick),
  LV_EVENT(OnColumnDragged),
  LV_EVENT(OnColumnRightClick),
  LV_EVENT(OnCompare),
  LV_EVENT(OnCreateItemClass),
  LV_EVENT(OnCustomDraw),
  LV_EVENT(OnCustomDrawItem),
  LV_EVENT(OnCustomDrawSubItem),
  LV_EVENT(OnData),
  LV_EVENT(OnDataFind),
  LV_EVENT(OnDataHint),
  LV_EVENT(OnDataStateChange),
  LV_EVENT(OnDeletion),
  LV_EVENT(OnDrawItem),
  LV_EVENT(OnEdited),
  LV_EVENT(OnEditing),
  LV_EVENT(OnGetImageIndex),
  LV_EVENT(OnGetSubItemImage),
  LV_EVENT(OnInfoTip),
  LV_EVENT(OnInsert),
  LV_EVENT(OnSelectItem),
  EventProp<&TC::OnContextPopup, &TC::SetOnContextPopup>("OnContextPopup"),
  EventProp<&TC::OnDragDrop, &TC::SetOnDragDrop>("OnDragDrop"),
  EventProp<&TC::OnDragOver, &TC::SetOnDragOver>("OnDragOver"),
  EventProp<&TC::OnEndDrag, &TC::SetOnEndDrag>("OnEndDrag"),
  EventProp<&TC::OnStartDrag, &TC::SetOnStartDrag>("OnStartDrag"),
};
#undef LV_EVENT
}  // namespace

// ---------------------------------------------------------------------------------------------
// Icon options

CL_DEFINE_CLASS(TcxIconOptions, .Props = IconOptionsProps);

TcxIconOptions::TcxIconOptions(TPersistent*) : FArrangement(iaTop), FAutoArrange(false), FWrapText(true) {}

void TcxIconOptions::SetArrangement(TIconArrangement value)
{
  SetAndNotify(FArrangement, value, [this] {
    if (FOnArrangementChanged) FOnArrangementChanged(this);
  });
}

void TcxIconOptions::SetAutoArrange(bool value)
{
  SetAndNotify(FAutoArrange, value, [this] {
    if (FOnAutoArrangeChanged) FOnAutoArrangeChanged(this);
  });
}

void TcxIconOptions::SetWrapText(bool value)
{
  SetAndNotify(FWrapText, value, [this] {
    if (FOnWrapTextChanged) FOnWrapTextChanged(this);
  });
}

void TcxIconOptions::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TcxIconOptions*>(source);
  if (!other) return TPersistent::Assign(source);
  SetArrangement(other->FArrangement);
  SetAutoArrange(other->FAutoArrange);
  SetWrapText(other->FWrapText);
}

// ---------------------------------------------------------------------------------------------
// The list view

CL_DEFINE_CLASS(TcxCustomListView);
CL_DEFINE_CLASS(TcxListView, .Props = ListViewProps);

TcxCustomListView::TcxCustomListView(TComponent* owner) : TcxCustomEditContainer(owner) {}

void TcxCustomListView::AfterConstruction()
{
  TcxCustomEditContainer::AfterConstruction();
  FOwnerDraw = false;
  FIconOptions = MakeOwned<TcxIconOptions>(this);
  FIconOptions->FOnArrangementChanged = TNotifyEvent(this, &TcxCustomListView::IconArrangementChanged);
  FIconOptions->FOnAutoArrangeChanged = TNotifyEvent(this, &TcxCustomListView::IconAutoArrangeChanged);
  FIconOptions->FOnWrapTextChanged = TNotifyEvent(this, &TcxCustomListView::IconWrapTextChanged);
  TcxCustomInnerListView* inner = TClassRef<TcxCustomListView>(ClassType())->InnerListViewClassType().Create(this);
  inner->SetAlign(alClient);
  inner->SetBorderStyle(TBorderStyle::bsNone);
  inner->SetParent(this);
  inner->SetContainer(this);
  inner->SetOwnerDraw(false);
  FInnerListView = inner;
  SetInnerControl(inner);
  SetBounds(Left(), Top(), 121, 97);
}

void TcxCustomListView::BeforeDestruction()
{
  // The inner list view goes first: its last messages still find the container whole.
  if (TcxCustomInnerListView* inner = std::exchange(FInnerListView, nullptr)) {
    SetInnerControl(nullptr);
    Free(inner);
  }
  FIconOptions.reset();
  TcxCustomEditContainer::BeforeDestruction();
}

void TcxCustomListView::Loaded()
{
  TcxCustomEditContainer::Loaded();
  ApplyIconOptions();
  FInnerListView->SetOwnerDraw(FOwnerDraw);
}

void TcxCustomListView::WriteState(TWriter& writer)
{
  // The inner list view's window holds what the user changed (column widths): it is asked for
  // them while it can have a window.
  if (Parent() || ParentWindow()) FInnerListView->HandleNeeded();
  TcxCustomEditContainer::WriteState(writer);
}

void TcxCustomListView::SetViewStyle(TViewStyle value)
{
  FInnerListView->SetViewStyle(value);
  SyncScrollBarsWithInnerControl(false);
}

void TcxCustomListView::SetReadOnly(bool value)
{
  if (value == ReadOnly()) return;
  FInnerListView->SetReadOnly(value);
  RefreshVisualState();
}

void TcxCustomListView::SetOwnerDraw(bool value)
{
  FOwnerDraw = value;
  FInnerListView->SetOwnerDraw(value);
}

void TcxCustomListView::SetIconOptions(TcxIconOptions* value)
{
  if (!value || value == FIconOptions.get()) return;
  // The copy goes in whole below, not value by value.
  FIconOptions->FArrangement = value->FArrangement;
  FIconOptions->FAutoArrange = value->FAutoArrange;
  FIconOptions->FWrapText = value->FWrapText;
  ApplyIconOptions();
}

void TcxCustomListView::ApplyIconOptions()
{
  if (!FInnerListView) return;
  TListItems* items = FInnerListView->Items();
  items->BeginUpdate();
  try {
    TIconOptions* options = FInnerListView->IconOptions();
    options->SetArrangement(FIconOptions->Arrangement());
    options->SetAutoArrange(FIconOptions->AutoArrange());
    options->SetWrapText(FIconOptions->WrapText());
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

void TcxCustomListView::IconArrangementChanged(TObject*)
{
  if (FInnerListView) FInnerListView->IconOptions()->SetArrangement(FIconOptions->Arrangement());
}

void TcxCustomListView::IconAutoArrangeChanged(TObject*)
{
  if (FInnerListView) FInnerListView->IconOptions()->SetAutoArrange(FIconOptions->AutoArrange());
}

void TcxCustomListView::IconWrapTextChanged(TObject*)
{
  if (FInnerListView) FInnerListView->IconOptions()->SetWrapText(FIconOptions->WrapText());
}

void TcxCustomListView::LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changed)
{
  TcxCustomEditContainer::LookAndFeelChanged(sender, changed);
  if (FInnerListView) FInnerListView->InvalidateHeader();
}

void TcxCustomListView::Scroll(TScrollBarKind kind, TScrollCode code, int& pos)
{
  TcxCustomEditContainer::Scroll(kind, code, pos);
  if (kind == sbVertical)
    FInnerListView->ScrollVertically(code, pos);
  else
    FInnerListView->ScrollHorizontally(code, pos);
  SyncScrollBarsWithInnerControl(false);
}

void TcxCustomListView::DoExit()
{
  if (!IsDestroying()) TcxCustomEditContainer::DoExit();
}

void TcxCustomListView::FontChanged()
{
  TcxCustomEditContainer::FontChanged();
  LockedAdjustLayout();
}

void TcxCustomListView::ChangeScale(int m, int d)
{
  // The container scales its children, the inner list view (bounds and column widths) among them:
  // scaling the inner list view once more would scale its columns twice.
  TcxCustomEditContainer::ChangeScale(m, d);
}

// ---------------------------------------------------------------------------------------------
// The unit

namespace {
void InitializeUnit() { RegisterClass(TcxListView::StaticClass()); }
void FinalizeUnit() { UnRegisterClass(TcxListView::StaticClass()); }
const TUnit* const Uses[] = {&ComCtrlsUnit, &UnitcxControls, &UnitcxContainer};
}  // namespace

TUnit UnitcxListView{"cxListView", Uses, InitializeUnit, FinalizeUnit};
