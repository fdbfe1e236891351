// The bar manager: construction and destruction, published properties, the stored form, children,
// lookups, change reports and the categories' item visibility.
#include "toolkit/bars/dxBarManager.h"

#include <algorithm>
#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "classlib/Filer.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarLayout.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/dxCore.h"

namespace {
constexpr std::string_view ManagerStyleNames[] = {"bmsStandard", "bmsEnhanced", "bmsFlat",
                                                  "bmsXP",       "bmsOffice11", "bmsUseLookAndFeel"};
constexpr std::string_view MenuAnimationsNames[] = {"maNone", "maRandom", "maUnfold", "maSlide", "maFade"};
}  // namespace

const TEnumInfo dxBarManagerStyleInfo = EnumInfo<bmsUseLookAndFeel>("TdxBarManagerStyle", ManagerStyleNames);
const TEnumInfo dxBarMenuAnimationsInfo = EnumInfo<maFade>("TdxBarMenuAnimations", MenuAnimationsNames);

namespace {
using TM = TdxBarManager;

// The Boolean property with the default the manager gives it.
#define DX_BOOL_PROP(Name, Default) BoolProp<&TM::Name, &TM::Set##Name>(#Name, Default)
#define DX_EVENT_PROP(Name) EventProp<&TM::Name, &TM::Set##Name>(#Name)
#define DX_NOT_STORED(...) Stored<&TM::IsImageOptionStored>(__VA_ARGS__)

const TPropInfo ManagerProps[] = {
  DX_BOOL_PROP(AllowCallFromAnotherForm, false),
  DX_BOOL_PROP(AllowReset, true),
  DX_BOOL_PROP(AlwaysMerge, false),
  DX_BOOL_PROP(AlwaysSaveText, false),
  DX_BOOL_PROP(AutoAlignBars, false),
  DX_BOOL_PROP(AutoDockColor, true),
  DX_BOOL_PROP(AutoHideEmptyBars, false),
  DX_BOOL_PROP(Scaled, true),
  PersistentProp<&TM::Font>("Font"),
  PersistentProp<&TM::Backgrounds>("Backgrounds"),
  IntProp<&TM::ButtonArrowWidth, &TM::SetButtonArrowWidth>("ButtonArrowWidth", 11),
  DX_BOOL_PROP(CanCustomize, true),
  StringsProp<&TM::Categories>("Categories"),
  Stored<&TM::IsDockColorStored>(ColorProp<&TM::DockColor, &TM::SetDockColor>("DockColor", clBtnFace)),
  DX_BOOL_PROP(FlatCloseButton, false),
  PersistentProp<&TM::HelpButtonGlyph>("HelpButtonGlyph"),
  IntProp<&TM::HelpContext, &TM::SetHelpContext>("HelpContext", 0),
  DX_BOOL_PROP(HideFloatingBarsWhenInactive, true),
  PersistentProp<&TM::ImageOptions>("ImageOptions"),
  // The image options' values under their old names: read, never written.
  DX_NOT_STORED(ComponentProp<&TM::DisabledImages, &TM::SetDisabledImages>("DisabledImages")),
  DX_NOT_STORED(ComponentProp<&TM::DisabledLargeImages, &TM::SetDisabledLargeImages>("DisabledLargeImages")),
  DX_NOT_STORED(ComponentProp<&TM::HotImages, &TM::SetHotImages>("HotImages")),
  DX_NOT_STORED(ColorProp<&TM::ImageListBkColor, &TM::SetImageListBkColor>("ImageListBkColor", clFuchsia)),
  DX_NOT_STORED(ComponentProp<&TM::Images, &TM::SetImages>("Images")),
  DX_NOT_STORED(ComponentProp<&TM::LargeImages, &TM::SetLargeImages>("LargeImages")),
  DX_NOT_STORED(DX_BOOL_PROP(LargeIcons, false)),
  DX_NOT_STORED(DX_BOOL_PROP(MakeDisabledImagesFaded, false)),
  DX_NOT_STORED(DX_BOOL_PROP(StretchGlyphs, true)),
  DX_NOT_STORED(DX_BOOL_PROP(UseLargeImagesForLargeIcons, false)),
  StrProp<&TM::IniFileName, &TM::SetIniFileName>("IniFileName"),
  IntProp<&TM::LargeButtonArrowWidth, &TM::SetLargeButtonArrowWidth>("LargeButtonArrowWidth", 13),
  PersistentProp<&TM::LookAndFeel>("LookAndFeel"),
  EnumProp<&TM::MenuAnimations, &TM::SetMenuAnimations>("MenuAnimations", dxBarMenuAnimationsInfo, 0),
  DX_BOOL_PROP(MenusShowRecentItemsFirst, true),
  IntProp<&TM::MostRecentItemsPercents, &TM::SetMostRecentItemsPercents>("MostRecentItemsPercents", 95),
  SetProp<&TM::NotDocking, &TM::SetNotDocking>("NotDocking", dxBarDockingStyleInfo, 0),
  CollectionProp<&TM::PopupMenuLinks>("PopupMenuLinks"),
  StrProp<&TM::RegistryPath, &TM::SetRegistryPath>("RegistryPath"),
  DX_BOOL_PROP(ShowCloseButton, false),
  DX_BOOL_PROP(ShowFullMenusAfterDelay, true),
  DX_BOOL_PROP(ShowHelpButton, false),
  DX_BOOL_PROP(ShowHint, true),
  DX_BOOL_PROP(ShowHintForDisabledItems, true),
  DX_BOOL_PROP(ShowShortCutInHint, false),
  DX_BOOL_PROP(StoreInIniFile, false),
  DX_BOOL_PROP(StoreInRegistry, false),
  EnumProp<&TM::Style, &TM::SetStyle>("Style", dxBarManagerStyleInfo, static_cast<int>(bmsEnhanced)),
  DX_BOOL_PROP(SunkenBorder, false),
  DX_BOOL_PROP(UseBarHintWindow, true),
  DX_BOOL_PROP(UseF10ForMenu, true),
  DX_BOOL_PROP(UseFullReset, false),
  OrdProp<&TM::UseSystemFont, &TM::SetUseSystemFont>("UseSystemFont", TPropKind::Boolean),
  IntProp<&TM::WaitForDockingTime, &TM::SetWaitForDockingTime>("WaitForDockingTime", 21),
  DX_EVENT_PROP(OnBarAdd),
  DX_EVENT_PROP(OnBarAfterReset),
  DX_EVENT_PROP(OnBarBeforeReset),
  DX_EVENT_PROP(OnBarClose),
  DX_EVENT_PROP(OnBarDelete),
  DX_EVENT_PROP(OnBarDockingStyleChange),
  DX_EVENT_PROP(OnBarVisibleChange),
  DX_EVENT_PROP(OnItemLinkAdd),
  DX_EVENT_PROP(OnItemLinkChange),
  DX_EVENT_PROP(OnItemLinkDelete),
  DX_EVENT_PROP(OnMergeItemLink),
  DX_EVENT_PROP(OnCloseButtonClick),
  DX_EVENT_PROP(OnDocking),
  DX_EVENT_PROP(OnHelpButtonClick),
  DX_EVENT_PROP(OnHideCustomizingForm),
  DX_EVENT_PROP(OnMenuMerge),
  DX_EVENT_PROP(OnMerge),
  DX_EVENT_PROP(OnShowCustomizingForm),
  DX_EVENT_PROP(OnShowCustomizingPopup),
  DX_EVENT_PROP(OnShowToolbarsPopup),
  DX_EVENT_PROP(OnClickItem),
};
#undef DX_BOOL_PROP
#undef DX_EVENT_PROP
#undef DX_NOT_STORED

// The names of the manager's owners up to the first form (which is left out), then its own, joined
// by ".".
std::string ManagerNamePath(const TComponent* manager)
{
  std::string path = manager->Name();
  for (TComponent* o = manager->Owner(); o && !dynamic_cast<TCustomForm*>(o); o = o->Owner())
    path = o->Name() + "." + path;
  return path;
}

// The nearest form of a component, from its owners (the reader's root), when no window tells it.
TCustomForm* OwnerForm(const TComponent* component)
{
  for (TComponent* o = component->Owner(); o; o = o->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(o)) return form;
  return nullptr;
}
}  // namespace

CL_DEFINE_CLASS(TdxBarManager, .Props = ManagerProps);

int CalcInitialUseCount(int percents)
{
  if (percents >= 100) return 0;
  int n = 1;
  while (n * (100 - percents) / 100 <= 0) ++n;
  return n;
}

// --- Construction and destruction ---

TComponent* TdxBarManager::CheckOwner(TComponent* owner)
{
  if (!owner && Application) owner = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(owner)) throw EdxException(GetResStringText(&dxSBAR_BARMANAGERBADOWNER));
  if (FindBarManagerOfComponent(owner)) throw EdxException(GetResStringText(&dxSBAR_BARMANAGERMORETHANONE));
  return owner;
}

TdxBarManager::TdxBarManager(TComponent* owner) : TComponent(CheckOwner(owner)) {}

TdxBarManager::~TdxBarManager() = default;

void TdxBarManager::AfterConstruction()
{
  TComponent::AfterConstruction();
  JoinManagerList(this);
  try {
    FBackgrounds = MakeOwned<TdxBarBackgrounds>(this);
    FLookAndFeel = MakeOwned<TcxLookAndFeel>(this);
    FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TdxBarManager::LookAndFeelChanged));
    SetStyle(bmsEnhanced);
    FAllowReset = true;
    FAutoDockColor = true;
    FItems = MakeOwned<TdxBarComponentList>();
    FCategories = MakeOwned<TdxBarManagerCategories>(this);
    FPopupMenus = MakeOwned<TComponentList>(false);
    FBars = MakeOwned<TdxBars>(this);
    FOnLayoutLoaded = MakeOwned<TcxEventHandlerCollection>();
    FOnLayoutSaved = MakeOwned<TcxEventHandlerCollection>();
    FOnFontChanged = MakeOwned<TcxEventHandlerCollection>();
    FOnMDIChildChanged = MakeOwned<TcxEventHandlerCollection>();
    FCanCustomize = true;
    FDockColor = clBtnFace;
    FFont = MakeOwned<TFont>();
    FFont->SetOnChange(TNotifyEvent(this, &TdxBarManager::FontChanged));
    FGroups = MakeOwned<TdxBarComponentList>();
    FHelpButtonGlyph = MakeOwned<TBitmap>();
    FHelpButtonGlyph->SetOnChange(TNotifyEvent(this, &TdxBarManager::HelpButtonGlyphChanged));
    FHideFloatingBarsWhenInactive = true;
    FThemeNotificator = MakeOwned<TdxThemeChangedNotificator>();
    FThemeNotificator->SetOnThemeChanged(TdxThemeChangedEvent(this, &TdxBarManager::ThemeChanged));
    FButtonArrowWidth = 11;
    FLargeButtonArrowWidth = 13;
    FMenusShowRecentItemsFirst = true;
    SetMostRecentItemsPercents(95);
    FPopupMenuLinks = MakeOwned<TdxBarPopupMenuLinks>(this);
    FScaled = FShowFullMenusAfterDelay = FShowHint = FShowHintForDisabledItems = FUseBarHintWindow = FUseF10ForMenu = true;
    SetUseSystemFont(true);
    FWaitForDockingTime = 21;
    CreateStyleResources();
    FImageOptions = MakeOwned<TdxBarImageOptions>(this);
    auto bind = [this](TdxBarImageListKind kind, void (TdxBarManager::*handler)(TObject*)) {
      FImageOptions->ChangeLink(kind)->SetOnChange(TNotifyEvent(this, handler));
    };
    bind(TdxBarImageListKind::Images, &TdxBarManager::ImagesChanged);
    bind(TdxBarImageListKind::DisabledImages, &TdxBarManager::ImagesChanged);
    bind(TdxBarImageListKind::HotImages, &TdxBarManager::HotImagesChanged);
    bind(TdxBarImageListKind::LargeImages, &TdxBarManager::LargeImagesChanged);
    bind(TdxBarImageListKind::DisabledLargeImages, &TdxBarManager::LargeImagesChanged);
    FImageOptions->SetOnChange(TNotifyEvent(this, &TdxBarManager::ImageOptionsChanged));
    FImageOptions->SetOnSizeChange(TNotifyEvent(this, &TdxBarManager::ImageOptionsSizeChanged));
    if (!IsDesigning()) FDesignedLayout = MakeOwned<TMemIniFile>();
  } catch (...) {
    Destroying();
    LeaveManagerList(this);
    FreeParts();
    throw;
  }
}

void TdxBarManager::BeforeDestruction()
{
  Destroying();
  LeaveManagerList(this);
  FreeParts();
  TComponent::BeforeDestruction();
}

void TdxBarManager::FreeParts()
{
  FDesignedLayout.reset();
  FImageOptions.reset();
  FLookAndFeel.reset();
  FThemeNotificator.reset();
  SetCustomizing(false);
  FreeStyleResources();
  if (FPopupMenus)
    while (FPopupMenus->Count() > 0) ::Free(FPopupMenus->Items(FPopupMenus->Count() - 1));
  FHelpButtonGlyph.reset();
  if (FGroups)
    while (FGroups->Count() > 0) ::Free(FGroups->Items(FGroups->Count() - 1));
  FGroups.reset();
  FFont.reset();
  FMenuFont.Reset();
  FSystemHeightFont.Reset();
  // The bars collection frees its bars and edge docks; while it goes, the manager has none.
  TOwned<TdxBars> bars = std::move(FBars);
  bars.reset();
  FOnLayoutLoaded.reset();
  FOnLayoutSaved.reset();
  FOnFontChanged.reset();
  FOnMDIChildChanged.reset();
  // Docks the form placed outlive the manager: they forget it.
  for (TdxDockControl* dock : std::exchange(FDockControls, {})) dock->SetBarManager(nullptr);
  if (FItems)
    while (FItems->Count() > 0) ::Free(FItems->Items(FItems->Count() - 1));
  FItems.reset();
  FCategories.reset();
  FReshowBarList.reset();
  FPopupMenuLinks.reset();
  FPopupMenus.reset();
  FBackgrounds.reset();
  FPainter.reset();
}

// --- The component protocol ---

void TdxBarManager::Loaded()
{
  TComponent::Loaded();
  if (IsBarsUpdateLocked()) return;
  FInLoaded = true;
  try {
    ResolveLinkItems();
    if (IsDesigning()) SortItemsByCategory();
    ApplyLoadedBarPlacements();
    ApplyLoadedCategoryItemsVisible();
    for (TdxDockControl* dock : FDockControls) dock->RealignIfAllowed();
  } catch (...) {
    FInLoaded = false;
    throw;
  }
  FInLoaded = false;
  if (IsDesigning()) CheckBrokenLinks();
}

void TdxBarManager::ResolveLinkItems()
{
  for (int i = 0; i < GetItemCount(); ++i)
    if (TdxBarItemLinks* links = GetItem(i)->GetItemLinks()) links->ResolveItemNames();
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBarItemLinks* links = FBars->Items(i)->ItemLinks()) links->ResolveItemNames();
}

std::vector<TdxBarItemLink*> TdxBarManager::CollectBrokenLinks() const
{
  std::vector<TdxBarItemLink*> broken;
  auto collect = [&broken](TdxBarItemLinks* links) {
    for (int i = 0; links && i < links->Count(); ++i)
      if (!links->Items(i)->Item()) broken.push_back(links->Items(i));
  };
  for (int i = 0; i < GetItemCount(); ++i) collect(GetItem(i)->GetItemLinks());
  for (int i = 0; i < FBars->Count(); ++i) collect(FBars->Items(i)->ItemLinks());
  return broken;
}

void TdxBarManager::CheckBrokenLinks()
{
  std::vector<TdxBarItemLink*> broken = CollectBrokenLinks();
  if (broken.empty() || AskToDeleteBrokenLinks() != IDYES) return;
  for (TdxBarItemLink* link : broken) ::Free(link);
  NotifyModified();
}

void TdxBarManager::SortItemsByCategory()
{
  // A stable exchange sort: neighbours swap while the later one has the smaller category.
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int i = 0; i + 1 < FItems->Count(); ++i) {
      auto* a = static_cast<TdxBarItem*>(FItems->Items(i));
      auto* b = static_cast<TdxBarItem*>(FItems->Items(i + 1));
      if (b->Category() < a->Category()) {
        FItems->Exchange(i, i + 1);
        swapped = true;
      }
    }
  }
}

void TdxBarManager::ApplyLoadedBarPlacements()
{
  FRestoringLayout = true;
  try {
    for (int i = 0; i < FBars->Count(); ++i) {
      TdxBar* bar = FBars->Items(i);
      bar->SetPredefined(true);
      bar->ApplyLoadedDockControl();
      if (!bar->DockControl()) bar->ApplyLoadedDockingStyle();
      bar->ApplyLoadedVisible();
    }
    SaveDesignedLayout();
    if (!IsDesigning()) LoadLayoutFromStores();
  } catch (...) {
    FRestoringLayout = false;
    throw;
  }
  FRestoringLayout = false;
}

void TdxBarManager::ApplyLoadedCategoryItemsVisible()
{
  BeginBarsUpdate();
  try {
    for (int i = 0; i < FCategories->Count(); ++i)
      if (TdxBarCategoryData* data = FCategories->Data(i)) SetCategoryItemsVisible(i, data->LoadedItemsVisible);
  } catch (...) {
    EndBarsUpdate();
    throw;
  }
  EndBarsUpdate();
}

std::string TdxBarManager::BrokenLinksMessage() const
{
  return ManagerNamePath(this) +
         " has broken bar item links. These links are not associated with any bar item, and may cause problems "
         "when creating a bar layout.\r\n\r\nDo you want to delete broken bar item links?";
}

int TdxBarManager::AskToDeleteBrokenLinks() const
{
  const int answer = ShowMessageBox(nullptr, BrokenLinksMessage().c_str(), "KitBars", MB_ICONWARNING | MB_YESNOCANCEL);
  if (answer == IDCANCEL) Abort();
  return answer;
}

void TdxBarManager::ReadState(TReader& reader)
{
  ++FReadCount;
  TComponent::ReadState(reader);
}

void TdxBarManager::DefineProperties(TFiler& filer)
{
  TComponent::DefineProperties(filer);
  filer.DefineProperty("Bars", [this](TReader& r) { ReadOldBars(r); }, nullptr, false);
  filer.DefineProperty(
      "DockControlHeights", [this](TReader& r) { ReadDockControlHeights(r); },
      [this](TWriter& w) { WriteDockControlHeights(w); }, true);
}

void TdxBarManager::ReadOldBars(TReader& reader)
{
  FReadingOldBars = true;
  try {
    FBars->ReadLegacyCollection(reader);
  } catch (...) {
    FReadingOldBars = false;
    throw;
  }
  FReadingOldBars = false;
}

namespace {
// The edge docks in the order "DockControlHeights" lists them, with whether the width is stored.
struct TDockSize {
  TdxBarDockingStyle Style;
  bool Width;
};
constexpr TDockSize DockSizes[] = {{dsLeft, true}, {dsRight, true}, {dsTop, false}, {dsBottom, false}};
}  // namespace

void TdxBarManager::ReadDockControlHeights(TReader& reader)
{
  reader.ReadListBegin();
  for (int index = 0; !reader.EndOfList(); ++index) {
    const TValueType type = reader.NextValue();
    if (type != TValueType::vaInt8 && type != TValueType::vaInt16 && type != TValueType::vaInt32) {
      reader.SkipValue();
      continue;
    }
    const int value = reader.ReadInteger();
    if (index >= static_cast<int>(std::size(DockSizes))) continue;
    if (TdxDockControl* dock = FBars->DockControls(DockSizes[index].Style)) {
      if (DockSizes[index].Width)
        dock->SetWidth(value);
      else
        dock->SetHeight(value);
    }
  }
  reader.ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter& writer)
{
  writer.WriteListBegin();
  for (const TDockSize& size : DockSizes) {
    TdxDockControl* dock = FBars->DockControls(size.Style);
    writer.WriteInteger(!dock ? 0 : size.Width ? dock->Width() : dock->Height());
  }
  writer.WriteListEnd();
}

void TdxBarManager::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (int i = 0; i < FBars->Count(); ++i)
    if (FBars->Items(i)->Owner() == root) proc(FBars->Items(i));
  for (int i = 0; i < FItems->Count(); ++i) {
    auto* item = static_cast<TdxBarItem*>(FItems->Items(i));
    if (item->Owner() == root && item->Category() >= 0) proc(item);
  }
  for (int i = 0; i < FGroups->Count(); ++i)
    if (FGroups->Items(i)->Owner() == root) proc(FGroups->Items(i));
}

void TdxBarManager::SetChildOrder(TComponent* child, int order)
{
  TComponent::SetChildOrder(child, order);
  const int barCount = FBars->Count();
  auto moveIn = [](TdxBarComponentList* list, TComponent* c, int position) {
    const int index = list->IndexOf(c);
    if (index >= 0 && position >= 0 && position < list->Count()) list->Move(index, position);
  };
  if (dynamic_cast<TdxBarItem*>(child))
    moveIn(FItems.get(), child, order - barCount);
  else if (dynamic_cast<TdxBarComponent*>(child))
    moveIn(FGroups.get(), child, order - barCount - FItems->Count());
}

void TdxBarManager::SetName(const std::string& name)
{
  const std::string oldName = Name();
  TComponent::SetName(name);
  if (!IsDesigning() || oldName.empty() || SameIdent(oldName, name)) return;
  TComponent* owner = Owner();
  for (int i = 0; owner && i < owner->ComponentCount(); ++i) {
    auto* item = dynamic_cast<TdxBarItem*>(owner->Components(i));
    if (!item || item->Name().size() <= oldName.size() || !SameIdent(item->Name().substr(0, oldName.size()), oldName))
      continue;
    try {
      item->SetName(name + item->Name().substr(oldName.size()));
    } catch (const EComponentError&) {
      // A clash of names leaves that item as it is.
    }
  }
}

void TdxBarManager::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && FPopupMenuLinks) FPopupMenuLinks->ComponentRemoved(component);
}

// --- Virtual operations and events ---

void TdxBarManager::DoClickItem(TdxBarItem* item)
{
  if (FOnClickItem) FOnClickItem(this, item);
}

bool TdxBarManager::CanDockBar(TdxBar* bar, TdxBarDockingStyle style, TdxDockControl* dockControl)
{
  bool result = !bar->NotDocking().Contains(style);
  if (result) {
    const bool edgeRule = (dockControl && !dockControl->HasDockingStyle()) || FNotDocking.Contains(style);
    const bool noDockTakesIt = !dockControl || dockControl->HasDockingStyle() || !dockControl->AllowsDockingOf(bar);
    if (edgeRule && noDockTakesIt) result = false;
  }
  if (FOnDocking) FOnDocking(bar, style, dockControl, result);
  return result;
}

void TdxBarManager::DoBarAfterReset(TdxBar* bar)
{
  if (FOnBarAfterReset) FOnBarAfterReset(this, bar);
}

void TdxBarManager::DoBarBeforeReset(TdxBar* bar)
{
  if (FOnBarBeforeReset) FOnBarBeforeReset(this, bar);
}

void TdxBarManager::DoBarClose(TdxBar* bar)
{
  if (FOnBarClose) FOnBarClose(this, bar);
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* bar)
{
  if (FRestoringLayout) return;
  if (FOnBarDockingStyleChange) FOnBarDockingStyleChange(this, bar);
  if (FBars) FBars->SignalChanged(bar, TcxComponentCollectionNotification::ccnChanged);
}

void TdxBarManager::DoCloseButtonClick()
{
  if (FOnCloseButtonClick) FOnCloseButtonClick(this);
}

void TdxBarManager::DoHelpButtonClick()
{
  if (FOnHelpButtonClick) FOnHelpButtonClick(this);
}

void TdxBarManager::DoShowCustomizingPopup(TdxBarItemLinks* popupItemLinks)
{
  if (FOnShowCustomizingPopup) FOnShowCustomizingPopup(this, popupItemLinks);
}

void TdxBarManager::DoShowToolbarsPopup(TdxBarItemLinks* popupItemLinks)
{
  if (FOnShowToolbarsPopup) FOnShowToolbarsPopup(this, popupItemLinks);
}

void TdxBarManager::DoBarAdd(TdxBar* bar)
{
  if (FOnBarAdd) FOnBarAdd(this, bar);
}

void TdxBarManager::DoBarDelete(TdxBar* bar)
{
  if (FOnBarDelete) FOnBarDelete(this, bar);
}

void TdxBarManager::DoItemLinkAdd(TdxBarItemLink* link)
{
  if (FOnItemLinkAdd) FOnItemLinkAdd(this, link);
}

void TdxBarManager::DoItemLinkChange(TdxBarItemLink* link)
{
  if (FOnItemLinkChange) FOnItemLinkChange(this, link);
}

void TdxBarManager::DoItemLinkDelete(TdxBarItemLink* link)
{
  if (FOnItemLinkDelete) FOnItemLinkDelete(this, link);
}

void TdxBarManager::DoMergeItemLink(TdxBarItemLinks* dstItemLinks, TdxBarItemLinks* srcItemLinks,
                                    TdxBarItemLink* srcItemLink, TdxBarItemMergeKind& mergeKind, int& mergeIndex)
{
  if (FOnMergeItemLink) FOnMergeItemLink(this, dstItemLinks, srcItemLinks, srcItemLink, mergeKind, mergeIndex);
}

void TdxBarManager::BarVisibilityChanged(TdxBar* bar)
{
  if (!IsDestroying() && FOnBarVisibleChange) FOnBarVisibleChange(this, bar);
}

TCustomForm* TdxBarManager::GetNearestForm() { return GetManagerFormOfKind(this, TdxParentFormKind::pfkAnyForm); }

// --- Property setters ---

void TdxBarManager::SetAutoAlignBars(bool value)
{
  if (FAutoAlignBars == value) return;
  FAutoAlignBars = value;
  ApplyBarsUpdateLock(true, false);
}

void TdxBarManager::SetAutoDockColor(bool value)
{
  if (FAutoDockColor == value) return;
  FAutoDockColor = value;
  for (TdxDockControl* dock : FDockControls) dock->DockColorChanged();
}

void TdxBarManager::SetAutoHideEmptyBars(bool value)
{
  if (FAutoHideEmptyBars == value) return;
  FAutoHideEmptyBars = value;
  if (!value)
    for (int i = 0; i < FBars->Count(); ++i) FBars->Items(i)->SetAutoHidden(false);
}

void TdxBarManager::SetScaled(bool value)
{
  if (FScaled == value) return;
  FScaled = value;
  if (FScaled && !FUseSystemFont) UpdateFontFromSystem();
}

void TdxBarManager::SetButtonArrowWidth(int value)
{
  if (value <= 1 || FButtonArrowWidth == value) return;
  FButtonArrowWidth = value;
  RepaintToolbars();
}

void TdxBarManager::SetCategories(TStrings* value) { FCategories->Assign(value); }

TColor TdxBarManager::DockColor() const
{
  if (FAutoDockColor) return GetOwnerControl()->Color();
  return FDockColor;
}

void TdxBarManager::SetDockColor(TColor value)
{
  if (!FAutoDockColor && FDockColor == value) return;
  FDockColor = value;
  FAutoDockColor = false;
  for (TdxDockControl* dock : FDockControls) dock->DockColorChanged();
}

void TdxBarManager::SetFlatCloseButton(bool value)
{
  if (FFlatCloseButton == value) return;
  FFlatCloseButton = value;
  // The main menu bar repaints once it has a window.
}

void TdxBarManager::SetLargeButtonArrowWidth(int value)
{
  if (value < 2 || FLargeButtonArrowWidth == value) return;
  FLargeButtonArrowWidth = value;
  RepaintToolbars();
}

void TdxBarManager::SetMostRecentItemsPercents(int value)
{
  value = std::clamp(value, 0, 100);
  FMostRecentItemsPercents = static_cast<uint8_t>(value);
  FInitialUseCount = CalcInitialUseCount(value);
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles value)
{
  if (FNotDocking == value) return;
  FNotDocking = value;
  RecreatePainter();
}

void TdxBarManager::SetRegistryPath(const std::string& value)
{
  FRegistryPath = NormalizeRegistryPath(value);
}

void TdxBarManager::SetShowCloseButton(bool value)
{
  if (FShowCloseButton == value) return;
  FShowCloseButton = value;
  // The main menu bar repaints once it has a window.
}

void TdxBarManager::SetSunkenBorder(bool value)
{
  if (FSunkenBorder == value) return;
  FSunkenBorder = value;
  for (TdxDockControl* dock : FDockControls) dock->UpdateBorder();
}

void TdxBarManager::SetWaitForDockingTime(int value)
{
  if (value >= 0) FWaitForDockingTime = value;
}

void TdxBarManager::HelpButtonGlyphChanged(TObject*) { RefreshCustomizingHelpButton(); }

void TdxBarManager::ImageOptionsChanged(TObject*) { RepaintToolbars(); }

void TdxBarManager::ImageOptionsSizeChanged(TObject*)
{
  FImageOptions->UpdateGlyphSize();
  NotifyModified();
  // The open customization form refreshes its options once it exists.
  RepaintToolbars();
}

void TdxBarManager::ImagesChanged(TObject*)
{
  ForEachItemInUpdate([](TdxBarItem* item) {
    if (item->ImageIndex() >= 0) item->GlyphChanged();
  });
}

void TdxBarManager::HotImagesChanged(TObject*)
{
  ForEachItemInUpdate([](TdxBarItem* item) {
    if (item->HasHotImage()) item->HotGlyphChanged();
  });
}

void TdxBarManager::LargeImagesChanged(TObject*)
{
  ForEachItemInUpdate([](TdxBarItem* item) {
    if (item->ImageIndex() >= 0 || item->LargeImageIndex() >= 0) item->LargeGlyphChanged();
  });
}

void TdxBarManager::RefreshCustomizingHelpButton()
{
  // The open customization form refreshes its help button once it exists.
}

// --- Collections and lookups ---

int TdxBarManager::GetItemCount() const { return FItems ? FItems->Count() : 0; }

TdxBarItem* TdxBarManager::GetItem(int index) const
{
  return index >= 0 && index < GetItemCount() ? static_cast<TdxBarItem*>(FItems->Items(index)) : nullptr;
}

TdxBarItem* TdxBarManager::FindItemByName(std::string_view name) const
{
  for (int i = 0; i < GetItemCount(); ++i)
    if (SameIdent(GetItem(i)->Name(), name)) return GetItem(i);
  return nullptr;
}

TdxBarItem* TdxBarManager::CreateItemOfClass(TClassRef<TdxBarItem> itemClass)
{
  auto* item = static_cast<TdxBarItem*>(itemClass.Class()->NewComponent(GetOwnerControl()));
  item->SetBarManager(this);
  const int category = FCategories->IndexOf(GetResStringText(&dxSBAR_DEFAULTCATEGORYNAME));
  item->SetCategory(std::max(category, 0));
  return item;
}

int TdxBarManager::GetGroupCount() const { return FGroups ? FGroups->Count() : 0; }

TdxBarGroup* TdxBarManager::GetGroup(int index) const
{
  return index >= 0 && index < GetGroupCount() ? static_cast<TdxBarGroup*>(FGroups->Component(index)) : nullptr;
}

TdxBarGroup* TdxBarManager::AddGroup()
{
  auto* group = New<TdxBarGroup>(GetOwnerControl());
  AttachGroup(group);
  return group;
}

void TdxBarManager::AttachGroup(TdxBarGroup* group)
{
  if (!group || FGroups->IndexOf(group) >= 0) return;
  FGroups->Add(group);
  group->SetBarManager(this);
}

TdxBarCustomPopupComponent* TdxBarManager::GetPopupMenu(int index) const
{
  return index >= 0 && index < GetPopupMenuCount() ? static_cast<TdxBarCustomPopupComponent*>(FPopupMenus->Items(index))
                                                   : nullptr;
}

void TdxBarManager::AddPopupMenu(TdxBarCustomPopupComponent* popupMenu)
{
  if (FPopupMenus && popupMenu && FPopupMenus->IndexOf(popupMenu) < 0) FPopupMenus->Add(popupMenu);
}

void TdxBarManager::RemovePopupMenu(TdxBarCustomPopupComponent* popupMenu)
{
  if (FPopupMenus) FPopupMenus->Remove(popupMenu);
}

TdxBarItemLink* TdxBarManager::GetSelectedItemLink() const
{
  TdxBarDesignController* controller = GetDesignController();
  auto* link = controller ? dynamic_cast<TdxBarItemLink*>(controller->LastSelectedInstance()) : nullptr;
  return link && link->GetBarManager() == this ? link : nullptr;
}

TdxDockControl* TdxBarManager::GetDockControl(int index) const
{
  return index >= 0 && index < GetDockControlCount() ? FDockControls[index] : nullptr;
}

TdxBar* TdxBarManager::FindBarByName(std::string_view name) const
{
  for (int i = 0; FBars && i < FBars->Count(); ++i)
    if (FBars->Items(i)->Name() == name) return FBars->Items(i);
  return nullptr;
}

TdxBar* TdxBarManager::FindBarByCaption(std::string_view caption) const
{
  for (int i = 0; FBars && i < FBars->Count(); ++i)
    if (FBars->Items(i)->Caption() == caption) return FBars->Items(i);
  return nullptr;
}

int TdxBarManager::GetAllItemsOfCategory(int index, TList* list) const
{
  list->Clear();
  if (!FCategories->IsIndexValid(index)) return 0;
  for (int i = 0; i < GetItemCount(); ++i)
    if (GetItem(i)->Category() == index) list->Add(GetItem(i));
  return list->Count();
}

int TdxBarManager::GetItemsOfCategory(int index, TList* list) const
{
  GetAllItemsOfCategory(index, list);
  if (IsDesigning()) return list->Count();
  for (int i = list->Count() - 1; i >= 0; --i) {
    auto* item = static_cast<TdxBarItem*>(list->Items(i));
    if (!item->IsVisibleInCurrentMode() || item->IsHiddenInRunTimeCommands()) list->Delete(i);
  }
  return list->Count();
}

int TdxBarManager::VisibleCategoryToIndex(int n) const
{
  if (IsDesigning()) return n;
  for (int i = 0; i < FCategories->Count(); ++i)
    if (GetCategoryVisible(i) && n-- == 0) return i;
  return -1;
}

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int index) const
{
  if (!FCategories->IsIndexValid(index)) return ivNever;
  TdxBarCategoryData* data = FCategories->Data(index);
  return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManager::GetCategoryVisible(int index) const
{
  if (!FCategories->IsIndexValid(index)) return false;
  TdxBarCategoryData* data = FCategories->Data(index);
  return data ? data->Visible : true;
}

void TdxBarManager::SetCategoryVisible(int index, bool value)
{
  if (!FCategories->IsIndexValid(index) || GetCategoryVisible(index) == value) return;
  FCategories->EnsureData(index)->Visible = value;
  NotifyModified();
}

void TdxBarManager::SetCategoryItemsVisible(int index, TdxBarItemVisible value)
{
  if (!FCategories->IsIndexValid(index)) return;
  TdxBarCategoryData* data = FCategories->EnsureData(index);
  if (IsLoading()) {
    data->LoadedItemsVisible = value;
    return;
  }
  const TdxBarItemVisible previous = data->ItemsVisible;
  data->ItemsVisible = value;
  if (!IsDesigning()) {
    std::vector<TdxBar*> emptyBefore;
    if (FAutoHideEmptyBars)
      for (int i = 0; i < FBars->Count(); ++i)
        if (FBars->Items(i)->VisibleLinkCount() == 0) emptyBefore.push_back(FBars->Items(i));
    TOwned<TList> items = MakeOwned<TList>();
    GetAllItemsOfCategory(index, items.get());
    BeginBarsUpdate();
    try {
      auto apply = [&](int i) {
        auto* item = static_cast<TdxBarItem*>(items->Items(i));
        if (item->Visible() == previous) item->SetVisible(value);
      };
      if (value == ivAlways)
        for (int i = items->Count() - 1; i >= 0; --i) apply(i);
      else
        for (int i = 0; i < items->Count(); ++i) apply(i);
    } catch (...) {
      EndBarsUpdate();
      throw;
    }
    EndBarsUpdate();
    if (FAutoHideEmptyBars)
      for (int i = 0; i < FBars->Count(); ++i) {
        TdxBar* bar = FBars->Items(i);
        const bool wasEmpty = std::find(emptyBefore.begin(), emptyBefore.end(), bar) != emptyBefore.end();
        if (value == ivNever && !wasEmpty && bar->VisibleLinkCount() == 0) {
          bar->SetVisible(false);
          bar->SetAutoHidden(true);
        } else if (value == ivAlways && bar->AutoHidden() && bar->VisibleLinkCount() > 0) {
          bar->SetVisible(true);
          bar->SetAutoHidden(false);
        }
      }
  }
  if (previous != value) NotifyModified();
}

namespace {
// The first of prefix + 1, 2, ... that taken refuses.
template <class Taken>
std::string FirstFreeName(std::string_view prefix, Taken taken)
{
  for (int n = 1;; ++n) {
    std::string name = std::string(prefix) + std::to_string(n);
    if (!taken(name)) return name;
  }
}

// The designer's name for a prefix, or empty.
std::string DesignerName(IdxBarDesigner* designer, std::string_view prefix)
{
  std::string name;
  if (designer) designer->MakeUniqueName(std::string(prefix), name);
  return name;
}
}  // namespace

std::string TdxBarManager::MakeUniqueItemName(TClass itemClass) const
{
  const std::string prefix = std::string(itemClass->Name).substr(1);
  if (IsDesigning())
    if (std::string name = DesignerName(FDesigner, prefix); !name.empty()) return name;
  return FirstFreeName(prefix, [this](const std::string& name) { return FindItemByName(name) != nullptr; });
}

std::string TdxBarManager::MakeUniqueBarCaption(std::string_view prefix) const
{
  return FirstFreeName(prefix, [this](const std::string& caption) { return FindBarByCaption(caption) != nullptr; });
}

std::string TdxBarManager::MakeUniqueBarName(std::string_view prefix) const
{
  if (IsDesigning() && !IsLoading())
    if (std::string name = DesignerName(FDesigner, prefix); !name.empty()) return name;
  return FirstFreeName(prefix, [this](const std::string& name) { return FindBarByName(name) != nullptr; });
}

// --- State and owner ---

bool TdxBarManager::IsOtherManagerCustomizing() const
{
  TdxBarManagerList* list = GetBarManagerList();
  TdxBarManager* customizing = list ? list->FindCustomizingManager() : nullptr;
  return customizing && customizing != this;
}

TCustomForm* TdxBarManager::GetTopLevelForm() const
{
  return GetManagerFormOfKind(const_cast<TdxBarManager*>(this), TdxParentFormKind::pfkTopForm);
}

TCustomForm* TdxBarManager::GetMDIChildOrTopForm() const
{
  return GetManagerFormOfKind(const_cast<TdxBarManager*>(this), TdxParentFormKind::pfkMDIChildOrTop);
}

TdxBarManager* TdxBarManager::GetParentManager() const
{
  TWinControl* owner = GetOwnerControl();
  if (!owner->HandleAllocated()) return nullptr;
  return FindBarManagerAroundComponent(FindHostControlOfChildWindow(owner->Handle()));
}

std::string TdxBarManager::GetIniSectionBase() const
{
  std::string base = Name() + ".";
  for (TComponent* o = Owner(); o && !o->Name().empty(); o = o->Owner()) {
    base = o->Name() + "." + base;
    if (dynamic_cast<TCustomForm*>(o)) break;
  }
  return base;
}

int TdxBarManager::FindDesignedBarIndex(std::string_view caption) const
{
  if (!FDesignedLayout) return -1;
  const std::string base = GetIniSectionBase();
  const int count = FDesignedLayout->ReadInteger(base + "Main", "BarCount", 0);
  for (int n = 0; n < count; ++n)
    if (FDesignedLayout->ReadString(base + "Bar" + std::to_string(n), "Caption", "") == caption) return n;
  return -1;
}

// --- Change reports ---

void TdxBarManager::NotifyModified()
{
  if (IsLoading() || FInLoaded || IsDestroying()) return;
  if (FModificationLock > 0) {
    FModificationPending = true;
    return;
  }
  FModified = true;
  if (!IsDesigning() || ComponentState().Contains(TComponentStateFlag::csUpdating) ||
      IsComparingWithAncestor(Owner()) || FRestoringLayout || FReshowingBars ||
      (FImageOptions && FImageOptions->GetIsLoading()))
    return;
  TCustomForm* form = GetNearestForm();
  if (TdxBarDesignController* controller = GetDesignController())
    controller->NotifyDesignerModified(form ? form : OwnerForm(this));
}

void TdxBarManager::ChangeModificationLock(bool begin, bool notifyAtEnd)
{
  if (begin) {
    if (FModificationLock++ == 0) FModificationPending = false;
    return;
  }
  if (FModificationLock == 0) return;
  if (--FModificationLock == 0 && notifyAtEnd && FModificationPending) NotifyModified();
}

void TdxBarManager::ForEachItemInUpdate(const std::function<void(TdxBarItem*)>& proc)
{
  if (IsLoading() || IsDestroying()) return;
  BeginBarsUpdate();
  try {
    for (int i = 0; i < GetItemCount(); ++i) proc(GetItem(i));
  } catch (...) {
    EndBarsUpdate();
    throw;
  }
  EndBarsUpdate();
}

void TdxBarManager::SetCustomizing(bool value)
{
  if (FCustomizing == value) return;
  FCustomizing = value;
  // What links show depends on customizing.
  ForEachItemLinks([](TdxBarItemLinks* links) { links->RebuildLinkLists(); });
  // Customizing works on the bars as they are defined: merged bars are taken out while it lasts.
  if (IsDestroying()) return;
  if (value)
    UnmergeBars(nullptr, true);
  else
    RemergeStoredBars();
}

void TdxBarManager::ForEachItemLinks(const std::function<void(TdxBarItemLinks*)>& proc) const
{
  for (int i = 0; FBars && i < FBars->Count(); ++i)
    if (TdxBarItemLinks* links = FBars->Items(i)->ItemLinks()) proc(links);
  for (int i = 0; i < GetPopupMenuCount(); ++i) proc(GetPopupMenu(i)->ItemLinks());
  for (int i = 0; i < GetItemCount(); ++i)
    if (TdxBarItemLinks* links = GetItem(i)->GetItemLinks()) proc(links);
}

// --- Designer ---

bool TdxBarManager::CanDeleteComponent(TComponent* component) const
{
  return !FDesigner || FDesigner->CanDeleteComponent(component);
}

void TdxBarManager::GetDesignerSelection(TList* list) const
{
  if (FDesigner) FDesigner->FillSelection(list);
}

void TdxBarManager::GetOwnSelection(TList* list) const
{
  GetDesignerSelection(list);
  for (int i = list->Count() - 1; i >= 0; --i)
    if (GetSelectionStatus(static_cast<TPersistent*>(list->Items(i))) != 1) list->Delete(i);
}

int TdxBarManager::GetSelectionStatus(TPersistent* object) const
{
  return FDesigner ? FDesigner->GetComponentSelectionStatus(object) : 0;
}

void TdxBarManager::SelectComponent(TPersistent* object, TdxBarSelectionOperation operation)
{
  if (FDesigner) FDesigner->ApplySelectionOperation(object, operation);
}

void TdxBarManager::PassDblClickToDesigner(TdxBarItem* item)
{
  if (FDesigner) FDesigner->HandleItemDoubleClick(item);
}

void TdxBarManager::RemoveFromReshowBarList(TdxBar* bar)
{
  if (FReshowBarList) FReshowBarList->Remove(bar);
}
