// One item link: its values, the user overrides, visibility and usage, groups, accelerators, the
// stored form and the customizing selection.
#include <algorithm>
#include <climits>
#include "classlib/Filer.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr std::string_view ButtonGroupNames[] = {"bgpNone", "bgpStart", "bgpMember"};
constexpr std::string_view PositionNames[] = {"ipBeginsNewRow", "ipBeginsNewColumn", "ipContinuesRow"};
constexpr std::string_view UserDefineNames[] = {"udCaption", "udGlyph", "udPaintStyle", "udWidth"};
constexpr std::string_view ViewLevelNames[] = {"ivlLargeIconWithText", "ivlSmallIconWithText", "ivlSmallIcon",
                                               "ivlControlOnly", "ivlDefault"};
const TEnumInfo ButtonGroupInfo = EnumInfo<bgpMember>("TdxBarButtonGroupPosition", ButtonGroupNames);
const TEnumInfo PositionInfo = EnumInfo<ipContinuesRow>("TdxBarItemPosition", PositionNames);
const TEnumInfo UserDefineInfo = EnumInfo<udWidth>("TdxBarUserDefine", UserDefineNames);
const TEnumInfo ViewLevelInfo = EnumInfo<ivlDefault>("TdxBarItemViewLevel", ViewLevelNames);

using TL = TdxBarItemLink;
const TPropInfo LinkProps[] = {
  BoolProp<&TL::BeginGroup, &TL::SetBeginGroup>("BeginGroup", false),
  EnumProp<&TL::ButtonGroup, &TL::SetButtonGroup>("ButtonGroup", ButtonGroupInfo, static_cast<int>(bgpNone)),
  BoolProp<&TL::Distributed, &TL::SetDistributed>("Distributed", true),
  [] {
    TPropInfo p = ComponentProp<&TL::Item, &TL::SetItem>("Item");
    p.Stored = [](const TObject*) { return false; };
    return p;
  }(),
  BoolProp<&TL::MostRecentlyUsed, &TL::SetMostRecentlyUsed>("MostRecentlyUsed", true),
  EnumProp<&TL::Position, &TL::SetPosition>("Position", PositionInfo, static_cast<int>(ipBeginsNewRow)),
  StrProp<&TL::UserCaption, &TL::SetUserCaption>("UserCaption"),
  SetProp<&TL::UserDefine, &TL::SetUserDefine>("UserDefine", UserDefineInfo, 0),
  PersistentProp<&TL::UserGlyph>("UserGlyph"),
  EnumProp<&TL::UserPaintStyle, &TL::SetUserPaintStyle>("UserPaintStyle", dxBarPaintStyleInfo,
                                                        static_cast<int>(psStandard)),
  IntProp<&TL::UserWidth, &TL::SetUserWidth>("UserWidth", 0),
  SetProp<&TL::ViewLevels, &TL::SetViewLevels>("ViewLevels", ViewLevelInfo, DefaultViewLevels.ToInt()),
  OrdProp<&TL::Visible, &TL::SetVisible>("Visible", TPropKind::Boolean),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarItemLink, .Props = LinkProps);

// --- Life ---

TdxBarItemLink::TdxBarItemLink(TCollection* collection)
    : TcxInterfacedCollectionItem(collection), FUserGlyph(MakeOwned<TBitmap>())
{
  FUserGlyph->SetOnChange(TNotifyEvent(this, &TdxBarItemLink::UserGlyphChanged));
}

TdxBarItemLink::~TdxBarItemLink() = default;

void TdxBarItemLink::AfterConstruction()
{
  // Joining the collection puts the link at the end of the recent list.
  TcxInterfacedCollectionItem::AfterConstruction();
  TdxBarManager* manager = GetBarManager();
  FUseCount = manager ? manager->InitialUseCount() : 0;
  if (manager && !manager->IsLoading()) manager->DoItemLinkAdd(this);
}

void TdxBarItemLink::BeforeDestruction()
{
  TdxBarManager* manager = GetBarManager();
  if (manager && !manager->IsDestroying()) manager->DoItemLinkDelete(this);
  FreeControl();
  if (TdxBarDesignController* controller = GetDesignController()) controller->ForgetSelectable(this);
  if (FItem) std::exchange(FItem, nullptr)->RemoveLink(this);
  FUserGlyph.reset();
  if (TdxBarItemLinks* links = GetLinks()) links->ForgetLink(this);
  TcxInterfacedCollectionItem::BeforeDestruction();
}

TdxBarItemLinks* TdxBarItemLink::GetLinks() const { return dynamic_cast<TdxBarItemLinks*>(Collection()); }

TCustomdxBarControl* TdxBarItemLink::GetBarControl() const
{
  TdxBarItemLinks* links = GetLinks();
  return links ? links->BarControl() : nullptr;
}

TdxBarManager* TdxBarItemLink::GetBarManager() const
{
  TdxBarItemLinks* links = GetLinks();
  return links ? links->BarManager() : nullptr;
}

// --- Item ---

TdxBarItem* TdxBarItemLink::Item() const
{
  TdxBarItemLinks* links = GetLinks();
  TdxBarManager* manager = GetBarManager();
  if (links && manager && !FLoadedItemName.empty() && IsComparingWithAncestor(links->GetOwnerComponent()))
    return manager->FindItemByName(FLoadedItemName);
  return FItem;
}

void TdxBarItemLink::SetItem(TdxBarItem* value)
{
  if (FItem == value) return;
  TdxBarItemLinks* links = GetLinks();
  TdxBarManager* manager = GetBarManager();
  std::string refusal;
  bool refused = false;
  if (links) links->BeginUpdate();
  try {
    FreeControl();
    if (FItem) std::exchange(FItem, nullptr)->RemoveLink(this);
    if (value && links && !links->CheckItemAllowed(value, refusal)) refused = true;
    if (!value || refused) {
      Free(this);
    } else {
      FItem = value;
      value->AddLink(this);
      if (links) links->RebuildLinkLists();
      TComponent* owner = links ? links->GetOwnerComponent() : nullptr;
      if (!owner || !owner->IsLoading()) ResetUsage();
      if (links && links->UpdateCount() == 1 && manager && !manager->IsLoading()) manager->DoItemLinkChange(this);
    }
  } catch (...) {
    if (links) links->EndUpdate();
    throw;
  }
  if (links) links->EndUpdate();
  if (refused) throw EdxException(refusal);
}

// --- Values ---

void TdxBarItemLink::SetBeginGroup(bool value)
{
  if (FBeginGroup == value) return;
  FBeginGroup = value;
  if (FControl) FControl->Repaint();
  ReportChange(false);
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition value)
{
  if (FButtonGroup == value) return;
  FButtonGroup = value;
  ReportChange(true);
}

void TdxBarItemLink::SetDistributed(bool value)
{
  if (TdxBarItemLinks* links = GetLinks())
    if (!IsDistributionSetByHand()) links->FDistributionSetByHand.push_back(this);
  if (FDistributed == value) return;
  FDistributed = value;
  ReportChange(true);
}

void TdxBarItemLink::SetDistributedInternal(bool value)
{
  TdxBarItemLinks* links = GetLinks();
  if (FDistributed != value) {
    FDistributed = value;
    if (links) links->NotifyDesigner();
  }
  if (links) std::erase(links->FDistributionSetByHand, this);
}

bool TdxBarItemLink::IsDistributionSetByHand() const
{
  TdxBarItemLinks* links = GetLinks();
  return links && std::find(links->FDistributionSetByHand.begin(), links->FDistributionSetByHand.end(), this) !=
                      links->FDistributionSetByHand.end();
}

void TdxBarItemLink::SetMostRecentlyUsed(bool value)
{
  if (FMostRecentlyUsed == value) return;
  FMostRecentlyUsed = value;
  ResetUsage();
  ReportChange(false);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition value)
{
  if (FPosition == value) return;
  FPosition = value;
  ReportChange(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels value)
{
  if (FViewLevels == value) return;
  FViewLevels = value;
  ReportChange(true);
}

// --- User overrides ---

void TdxBarItemLink::DefineUserValue(TdxBarUserDefine member)
{
  FUserDefine.Exclude(member);
  SetUserDefine(FUserDefine + TdxBarUserDefines{member});
}

void TdxBarItemLink::SetUserCaption(const std::string& value)
{
  if (FUserCaption == value) return;
  FUserCaption = value;
  DefineUserValue(udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* value)
{
  if (value == FUserGlyph.get()) return;
  FUserGlyph->Assign(value);
  DefineUserValue(udGlyph);
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle value)
{
  if (value == GetPaintStyle()) return;
  FUserPaintStyle = value;
  DefineUserValue(udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int value)
{
  if (value == GetWidth()) return;
  FUserWidth = value;
  DefineUserValue(udWidth);
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines value)
{
  if (FUserDefine == value) return;
  const TdxBarUserDefines old = FUserDefine;
  FUserDefine = value;
  for (TdxBarUserDefine member : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    const bool was = old.Contains(member), is = value.Contains(member);
    if (was == is) continue;
    if (was) switch (member) {
        case udCaption: FUserCaption.clear(); break;
        case udGlyph: FUserGlyph->Assign(nullptr); break;
        case udPaintStyle: FUserPaintStyle = psStandard; break;
        case udWidth: FUserWidth = 0; break;
      }
    if (!FControl) continue;
    switch (member) {
      case udCaption: FControl->CaptionChanged(); break;
      case udGlyph: FControl->GlyphChanged(); break;
      case udPaintStyle: FControl->PaintStyleChanged(); break;
      case udWidth: FControl->WidthChanged(); break;
    }
  }
  ReportChange(false);
}

void TdxBarItemLink::UserGlyphChanged(TObject*) { RefreshControl(); }

void TdxBarItemLink::RefreshControl()
{
  if (FControl) FControl->GlyphChanged();
}

std::string TdxBarItemLink::GetCaption() const
{
  return FUserDefine.Contains(udCaption) || !FItem ? FUserCaption : FItem->Caption();
}

TBitmap* TdxBarItemLink::GetGlyph() const
{
  return FUserDefine.Contains(udGlyph) || !FItem ? FUserGlyph.get() : FItem->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::GetPaintStyle() const
{
  return FUserDefine.Contains(udPaintStyle) || !FItem ? FUserPaintStyle : FItem->PaintStyle();
}

int TdxBarItemLink::GetWidth() const
{
  if (FUserDefine.Contains(udWidth)) return FUserWidth;
  return InheritsFromClassNamed(FItem, "TdxCustomBarEdit") ? FItem->Width() : 0;
}

bool TdxBarItemLink::CanChangePaintStyle() const { return FItem && FItem->SupportsPaintStyle(); }

// --- Visibility and usage ---

bool TdxBarItemLink::ItemAvailable() const { return FItem && FItem->IsVisibleInCurrentMode(); }

void TdxBarItemLink::SetVisible(bool value)
{
  TdxBarItemLinks* links = GetLinks();
  TdxBarManager* manager = GetBarManager();
  if ((manager && manager->IsLoading()) || (links && links->Assigning())) {
    FLoadedVisible = value;
    return;
  }
  if (FVisible == value) return;
  FVisible = value;
  if (!manager || !manager->IsDesigning()) VisibilityChanged();
  ReportChange(false);
}

void TdxBarItemLink::VisibilityChanged()
{
  TdxBarItemLinks* links = GetLinks();
  if (!links) return;
  links->RebuildLinkLists();
  if (ItemAvailable() && FVisible) {
    RegisterUse(false);
    if (GetBarControl()) {
      CreateControl();
      if (FControl) FControl->SizeChanged();
    }
  } else {
    MoveToRecentEnd();
    if (FControl) {
      FControl->SizeChanged();
      FreeControl();
    }
  }
}

void TdxBarItemLink::ResetUsage()
{
  if (FMostRecentlyUsed) {
    TdxBarManager* manager = GetBarManager();
    FUseCount = manager ? manager->InitialUseCount() : 0;
    RegisterUse(false);
  } else {
    FUseCount = 0;
    MoveToRecentEnd();
  }
}

void TdxBarItemLink::RegisterUse(bool count)
{
  if (!ItemAvailable() || !FVisible) return;
  MarkUsedInRecentList(count);
  // A link that a shortened menu hid shows its menu again, and the menus this one was opened from
  // record the use too, once bar controls exist.
}

void TdxBarItemLink::MarkUsedInRecentList(bool count)
{
  TdxBarItemLinks* links = GetLinks();
  if (!links || !links->UsesRecentItems()) return;
  links->MoveInRecentList(this, 0);
  if (count) ++FUseCount;
}

void TdxBarItemLink::MoveToRecentEnd()
{
  if (TdxBarItemLinks* links = GetLinks())
    links->MoveInRecentList(this, INT_MAX);
  else
    FSavedRecentIndex = INT_MAX;
}

void TdxBarItemLink::SaveRecentIndex()
{
  TdxBarItemLinks* links = GetLinks();
  FSavedRecentIndex = links ? links->IndexOfRecent(this) : -1;
}

void TdxBarItemLink::RestoreRecentIndex()
{
  if (TdxBarItemLinks* links = GetLinks(); links && FSavedRecentIndex >= 0) links->MoveInRecentList(this, FSavedRecentIndex);
}

void TdxBarItemLink::CopyUsageFrom(const TdxBarItemLink* link)
{
  if (!link) return;
  FUseCount = link->FUseCount;
  TdxBarItemLinks* from = link->GetLinks();
  TdxBarItemLinks* links = GetLinks();
  if (from && links) links->MoveInRecentList(this, from->IndexOfRecent(link));
}

void TdxBarItemLink::SetLoadedUsage(int recentIndex, int useCount)
{
  FLoadedRecentIndex = recentIndex;
  FLoadedUseCount = useCount;
}

int TdxBarItemLink::GetVisibleIndex() const
{
  TdxBarItemLinks* links = GetLinks();
  return links ? links->IndexOfVisible(this) : -1;
}

int TdxBarItemLink::GetShowableIndex() const
{
  TdxBarItemLinks* links = GetLinks();
  return links ? links->IndexOfShowable(this) : -1;
}

// --- Groups ---

bool TdxBarItemLink::GetBeginGroup() const
{
  TdxBarItemLinks* links = GetLinks();
  if (!links) return FBeginGroup;
  const int v = GetVisibleIndex();
  if (FBeginGroup && v != 0) {
    if (v == -1) return true;
    if (!links->IsSeparatorLink(links->GetVisibleLink(v - 1))) return true;
  }
  if (v <= 0) return false;
  const int previous = links->GetVisibleLink(v - 1)->Index();
  for (int i = previous + 1; i < Index(); ++i)
    if (links->Items(i)->GetBeginGroup()) return true;
  return false;
}

void TdxBarItemLink::PassGroupToNext()
{
  TdxBarItemLinks* links = GetLinks();
  const int s = GetShowableIndex();
  if (!FItem || !links || s < 0 || s >= links->GetShowableLinkCount() - 1) return;
  TdxBarItemLink* next = links->GetShowableLink(s + 1);
  if (s == 0 && next->FBeginGroup)
    next->SetBeginGroup(false);
  else if (FBeginGroup && !next->FBeginGroup)
    next->SetBeginGroup(true);
}

// --- Accelerators ---

bool TdxBarItemLink::MatchesAccelerator(int key, TShiftState shift) const
{
  if (shift.Contains(TShiftStateFlag::ssCtrl)) return false;
  std::string caption = GetCaption();
  const int position = FindAcceleratorPosition(caption, false);
  if (position <= 0 || position > static_cast<int>(caption.size())) return false;
  const auto ch = static_cast<unsigned char>(caption[position - 1]);
  if (ch >= '0' && ch <= '9') return key == ch && shift.Empty();
  return key == LOBYTE(VkKeyScanA(static_cast<CHAR>(ch)));
}

// --- Controls ---

void TdxBarItemLink::SetItemRect(const RECT& rect)
{
  FItemRect = rect;
  if (FControl) FControl->ItemRectChanged();
}

void TdxBarItemLink::CreateControl()
{
  TCustomdxBarControl* bar = GetBarControl();
  if (FControl || !FItem || !bar || bar->Destroying()) return;
  // An item class the registry does not pair exactly has no control class: the link then shows
  // nothing, and its bar shows the other links.
  const TdxBarItemControlClass controlClass = FItem->GetControlClass(bar->IsRotated());
  if (!controlClass) return;
  FControl = controlClass.Create(this);
}

void TdxBarItemLink::FreeControl()
{
  if (FControl) Free(std::exchange(FControl, nullptr));
}

void TdxBarItemLink::RecreateControl()
{
  TdxBarManager* manager = GetBarManager();
  if (manager && manager->IsBarsUpdateLocked()) return;
  FreeControl();
  CreateControl();
}

void TdxBarItemLink::UpdateActionLink()
{
  // The item's action runs its OnUpdate; the item follows through its action link.
  if (TdxBarItem* item = Item(); item && item->ActionLink()) item->ActionLink()->Update();
}

void TdxBarItemLink::MoveToLinks(TdxBarItemLinks* links) { SetCollection(links); }

// --- Copying and the stored form ---

void TdxBarItemLink::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarItemLink*>(source);
  if (!other) {
    TcxInterfacedCollectionItem::Assign(source);
    return;
  }
  FData = other->FData;
  FUserCaption = other->FUserCaption;
  FUserGlyph->Assign(other->FUserGlyph.get());
  FUserPaintStyle = other->FUserPaintStyle;
  FUserWidth = other->FUserWidth;

  TdxBarItem* sourceItem = other->Item();
  TdxBarManager* manager = GetBarManager();
  TdxBarItemLinks* links = GetLinks();
  TComponent* owner = links ? links->GetOwnerComponent() : nullptr;
  TdxBarItem* item = sourceItem;
  if (sourceItem && IsResettingBar()) {
    TComponent* control = manager ? manager->GetOwnerControl() : nullptr;
    item = control ? dynamic_cast<TdxBarItem*>(control->FindComponent(sourceItem->Name())) : nullptr;
  } else if (sourceItem && manager &&
             (manager->ComponentState().Contains(TComponentStateFlag::csUpdating) ||
              (owner && owner->ComponentState().Contains(TComponentStateFlag::csUpdating)))) {
    item = manager->FindItemByName(sourceItem->Name());
  }
  if (item) {
    SetItem(item);
  } else if (FItem) {
    // No item to show: the link stays, without item (setting none would free the link being copied).
    FreeControl();
    std::exchange(FItem, nullptr)->RemoveLink(this);
    if (links) links->RebuildLinkLists();
  }

  SetUserDefine(other->FUserDefine);
  SetBeginGroup(other->GetBeginGroup());
  SetButtonGroup(other->FButtonGroup);
  SetDistributed(other->FDistributed);
  SetPosition(other->FPosition);
  SetViewLevels(other->FViewLevels);
  SetVisible(other->FVisible);
  FOriginalBar = GetMergingSourceBar();
}

void TdxBarItemLink::DefineProperties(TFiler& filer)
{
  TcxInterfacedCollectionItem::DefineProperties(filer);
  bool hasData = Item() != nullptr;
  if (auto* ancestor = dynamic_cast<TdxBarItemLink*>(filer.Ancestor())) {
    TdxBarItem* mine = Item();
    TdxBarItem* theirs = ancestor->Item();
    hasData = (mine == nullptr) != (theirs == nullptr) || (mine && theirs && mine->Name() != theirs->Name());
  }
  filer.DefineProperty(
      "ItemName", [this](TReader& r) { ReadItemName(r); }, [this](TWriter& w) { WriteItemName(w); }, hasData);
}

void TdxBarItemLink::ReadItemName(TReader& reader) { FLoadedItemName = reader.ReadString(); }

void TdxBarItemLink::WriteItemName(TWriter& writer)
{
  TdxBarItem* item = Item();
  writer.WriteString(item ? item->Name() : std::string());
}

// --- The customizing selection ---

void TdxBarItemLink::DeleteSelection(IdxBarSelectableItem*& reference, bool)
{
  reference = nullptr;
  Free(this);
}

void TdxBarItemLink::ExecuteCustomizingAction(TdxBarCustomizingAction action)
{
  using A = TdxBarCustomizingAction;
  if (action == A::caReset) {
    SetUserDefine({});
    return;
  }
  TdxBarDesignController* controller = GetDesignController();
  TdxBarItemLink* source = controller ? controller->TargetLink() : nullptr;
  if (!source) return;
  switch (action) {
    case A::caCaption:
      if (FItem) FItem->SetCaption(source->GetCaption());
      break;
    case A::caPaintStyle: SetUserPaintStyle(source->FUserPaintStyle); break;
    case A::caPosition: SetPosition(source->FPosition); break;
    case A::caViewLevels: SetViewLevels(source->FViewLevels); break;
    case A::caButtonGroup: SetButtonGroup(source->FButtonGroup); break;
    case A::caDistributed: SetDistributed(source->FDistributed); break;
    case A::caBeginGroup: SetBeginGroup(source->GetBeginGroup()); break;
    case A::caVisible: SetVisible(source->FVisible); break;
    case A::caMostRecentlyUsed: SetMostRecentlyUsed(source->FMostRecentlyUsed); break;
    default: break;
  }
}

void TdxBarItemLink::AddMasterObjects(TList* list)
{
  if (FItem && list->IndexOf(FItem) < 0) list->Add(FItem);
}

TPersistent* TdxBarItemLink::GetSelectableParent()
{
  TdxBarItemLinks* links = GetLinks();
  return links && links->Owner() ? dynamic_cast<TPersistent*>(links->Owner()->GetInstance()) : nullptr;
}

IdxBarSelectableItem* TdxBarItemLink::GetNextSelectable()
{
  TdxBarItemLinks* links = GetLinks();
  TdxBarItemLink* next = links ? links->FindNextSelectableLink(this, true) : nullptr;
  return next == this ? nullptr : next;
}

int TdxBarItemLink::GetSelectionStatus()
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

TdxBarCustomizingActions TdxBarItemLink::GetSupportedActions()
{
  return FItem ? FItem->GetSupportedActions() : TdxBarCustomizingActions();
}

void TdxBarItemLink::InvalidateSelection()
{
  if (FControl) FControl->Repaint();
}

bool TdxBarItemLink::IsSelectedForDesign() const
{
  auto* self = const_cast<TdxBarItemLink*>(this);
  return self->GetSelectionStatus() == 1 || (FItem && FItem->IsSelected());
}

void TdxBarItemLink::SelectComponent(TdxBarSelectionOperation operation)
{
  TdxBarManager* manager = GetBarManager();
  if (manager && operation == TdxBarSelectionOperation::sopRemove) manager->SelectComponent(this, operation);
  if (FItem) FItem->SelectComponent(operation);
}

bool TdxBarItemLink::SelectParentComponent()
{
  TdxBarManager* manager = GetBarManager();
  if (TPersistent* parent = GetSelectableParent(); manager && parent)
    manager->SelectComponent(parent, TdxBarSelectionOperation::sopReplace);
  return true;
}

void TdxBarItemLink::SelectionChanged()
{
  if (FItem) FItem->SelectionChanged();
}
