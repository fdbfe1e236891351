#pragma once
// The bar manager: the component a form carries to have toolbars and menus. It owns everything of
// the bar system that belongs to that form: the bars with the four edge docks (TdxBars), the
// categories, the item and group lists, a look-and-feel and the bar painter that draws every bar
// control of the manager. It holds the settings all its bars share, brings bars and items to life
// after the form was read, and fires the bar events.
//
// One manager exists per owner control, which must be a windowed control: a manager for a form and
// one for a panel in it may coexist. Every manager joins the process-wide manager list; the first
// installs the bar system's thread hooks, the last removes them (dxBarManagerList.h).
//
// The manager's operations are split over dxBarManager.cpp (life, properties, stored form, lookups,
// change reports, categories), dxBarManagerStyle.cpp (painter, fonts, flat colours) and
// dxBarManagerBars.cpp (the bars-update lock and the dock controls).
#include <cstdint>
#include <string>
#include <string_view>
#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/IniFiles.h"
#include "toolkit/bars/dxBarComponents.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarImageOptions.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarPopupMenuLinks.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/base/dxThemeManager.h"
#include "toolkit/controls/dxScreenTip.h"

class TdxBar;
class TdxBars;
class TStream;
enum class TdxBarStoringKind;
class TdxBarCustomPopupComponent;
class TdxBarDragInfo;
class TdxBarGroup;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManagerCategories;

// The look of all bars of a manager; bmsUseLookAndFeel follows the manager's LookAndFeel.
enum class TdxBarManagerStyle : uint8_t { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
using enum TdxBarManagerStyle;
extern const TEnumInfo dxBarManagerStyleInfo;

// How menus open.
enum class TdxBarMenuAnimations : uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };
using enum TdxBarMenuAnimations;
extern const TEnumInfo dxBarMenuAnimationsInfo;

// The painter the manager draws with, by its style and look-and-feel.
enum class TdxBarPainterStyle : uint8_t { bpsStandard, bpsEnhanced, bpsFlat, bpsXP, bpsOffice11, bpsSkin };
using enum TdxBarPainterStyle;

// The bar painter class of skins: the standard painter until a skin engine puts its skin bar
// painter here at its start-up (and the standard one back at its shut-down).
extern TdxBarPainterClass SkinBarPainterClass;

// Told when a bar is shown or hidden.
class IdxBarVisibilityObserver {
public:
  virtual void BarVisibilityChanged(TdxBar* bar) = 0;

protected:
  ~IdxBarVisibilityObserver() = default;
};

// The nearest form that holds an object.
class IdxParentFormSource {
public:
  virtual TCustomForm* GetNearestForm() = 0;

protected:
  ~IdxParentFormSource() = default;
};

// The bar events.
using TdxBarEvent = TEvent<void(TObject* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TdxBarEvent;
using TdxBarItemLinkEvent = TEvent<void(TObject* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    TEvent<void(TObject* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;
// Sender is the bar.
using TdxBarCanDockingEvent =
    TEvent<void(TObject* Sender, TdxBarDockingStyle Style, TdxDockControl* DockControl, bool& CanDocking)>;
// A change of the main form's active MDI child, as the manager sees it.
enum class TdxBarMDIChildChange { Activated, Deactivated, MaximizedChanged };
enum class TdxBarMDIMergeAction { None, Merge, Unmerge };
// The buttons of a maximized MDI child on the main menu bar.
enum class TdxBarMDIButton { Minimize, Restore, Close };
// What the OnMDIChildChanged handlers receive.
struct TdxBarMDIChildChangedEventArgs : TcxEventArgs {
  TdxBarMDIChildChange Change;
  HWND Child;
  TdxBarMDIChildChangedEventArgs(TdxBarMDIChildChange change, HWND child) : Change(change), Child(child) {}
};
using TdxBarMergeEvent = TEvent<void(TObject* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
using TdxBarShowPopupEvent = TEvent<void(TObject* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = TEvent<void(TObject* Sender, TdxBarItem* ClickedItem)>;

// The menu font of the system's non-client metrics, read with SPI_GETNONCLIENTMETRICS (the
// structure's size field 340); tests put another font here.
using TdxReadMenuFontFunc = bool (*)(LOGFONTA& font);
extern TdxReadMenuFontFunc dxReadMenuFont;

// The channels of the flat styles' colours before the nearest screen colour: the border darkens
// each channel of the button shadow to 8/10, the face lightens each channel of the button face by
// 16% of what it lacks to white (both rounded to the nearest integer).
COLORREF DarkenFlatBorderColor(COLORREF shadow);
COLORREF LightenFlatFaceColor(COLORREF face);

// InitialUseCount of a MostRecentItemsPercents value: 0 for 100; else the smallest n >= 1 with
// n * (100 - percents) div 100 > 0.
int CalcInitialUseCount(int percents);

class TdxBarManager : public TComponent,
                      public IdxParentFormSource,
                      public IdxScreenTipSource,
                      public IcxLookAndFeelSource,
                      public IdxBarVisibilityObserver,
                      public IcxSkinSupportMarker {
  CL_CLASS(TdxBarManager, TComponent)
public:
  // Raises EdxException when the owner (the main form for none) is not a windowed control, or
  // already has a manager; the refused manager is never made.
  explicit TdxBarManager(TComponent* owner);
  ~TdxBarManager() override;
  void AfterConstruction() override;
  // Leaves the manager list and frees what it owns, in order.
  void BeforeDestruction() override;

  // --- The component protocol ---
  void Loaded() override;
  // Counts the reads from a stored form.
  void ReadState(TReader& reader) override;
  // "Bars" (read only: bars in their old collection form) and "DockControlHeights" (always).
  void DefineProperties(TFiler& filer) override;
  // The bars, then the items with a category, then the groups owned by the root.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return GetOwnerControl(); }
  void SetChildOrder(TComponent* child, int order) override;
  // In the designer a rename also renames the owner's items that start with the old name.
  void SetName(const std::string& name) override;
  void Notification(TComponent* component, TOperation operation) override;

  // --- Virtual operations ---
  // Fires OnClickItem; an item calls it before its own click runs.
  virtual void DoClickItem(TdxBarItem* item);
  // Whether the bar may dock with the style into the dock control (or nil): see the docking rule;
  // OnDocking may change the answer.
  virtual bool CanDockBar(TdxBar* bar, TdxBarDockingStyle style, TdxDockControl* dockControl);
  // The bar painter class of the painter style.
  virtual TdxBarPainterClass GetPainterClass();

  // --- Published properties ---
  bool AllowCallFromAnotherForm() const { return FAllowCallFromAnotherForm; }
  void SetAllowCallFromAnotherForm(bool value) { FAllowCallFromAnotherForm = value; }
  bool AllowReset() const { return FAllowReset; }
  void SetAllowReset(bool value) { FAllowReset = value; }
  bool AlwaysMerge() const { return FAlwaysMerge; }
  void SetAlwaysMerge(bool value) { FAlwaysMerge = value; }
  bool AlwaysSaveText() const { return FAlwaysSaveText; }
  void SetAlwaysSaveText(bool value) { FAlwaysSaveText = value; }
  bool AutoAlignBars() const { return FAutoAlignBars; }
  void SetAutoAlignBars(bool value);
  bool AutoDockColor() const { return FAutoDockColor; }
  void SetAutoDockColor(bool value);
  bool AutoHideEmptyBars() const { return FAutoHideEmptyBars; }
  void SetAutoHideEmptyBars(bool value);
  bool Scaled() const { return FScaled; }
  void SetScaled(bool value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  int ButtonArrowWidth() const { return FButtonArrowWidth; }
  void SetButtonArrowWidth(int value);
  bool CanCustomize() const { return FCanCustomize; }
  void SetCanCustomize(bool value) { FCanCustomize = value; }
  TdxBarManagerCategories* Categories() const { return FCategories.get(); }
  void SetCategories(TStrings* value);
  // The owner control's colour while AutoDockColor is on.
  TColor DockColor() const;
  void SetDockColor(TColor value);
  bool IsDockColorStored() const { return !FAutoDockColor; }
  bool FlatCloseButton() const { return FFlatCloseButton; }
  void SetFlatCloseButton(bool value);
  TBitmap* HelpButtonGlyph() const { return FHelpButtonGlyph.get(); }
  void SetHelpButtonGlyph(TBitmap* value) { FHelpButtonGlyph->Assign(value); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  bool HideFloatingBarsWhenInactive() const { return FHideFloatingBarsWhenInactive; }
  void SetHideFloatingBarsWhenInactive(bool value) { FHideFloatingBarsWhenInactive = value; }
  const std::string& IniFileName() const { return FIniFileName; }
  void SetIniFileName(const std::string& value) { FIniFileName = value; }
  int LargeButtonArrowWidth() const { return FLargeButtonArrowWidth; }
  void SetLargeButtonArrowWidth(int value);
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value) { FLookAndFeel->Assign(value); }
  TdxBarMenuAnimations MenuAnimations() const { return FMenuAnimations; }
  void SetMenuAnimations(TdxBarMenuAnimations value) { FMenuAnimations = value; }
  bool MenusShowRecentItemsFirst() const { return FMenusShowRecentItemsFirst; }
  void SetMenusShowRecentItemsFirst(bool value) { FMenusShowRecentItemsFirst = value; }
  // Values above 100 become 100.
  uint8_t MostRecentItemsPercents() const { return FMostRecentItemsPercents; }
  void SetMostRecentItemsPercents(int value);
  TdxBarDockingStyles NotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles value);
  // A non-empty path gets a leading and a trailing backslash when they are missing.
  const std::string& RegistryPath() const { return FRegistryPath; }
  void SetRegistryPath(const std::string& value);
  bool ShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool value);
  bool ShowFullMenusAfterDelay() const { return FShowFullMenusAfterDelay; }
  void SetShowFullMenusAfterDelay(bool value) { FShowFullMenusAfterDelay = value; }
  bool ShowHelpButton() const { return FShowHelpButton; }
  void SetShowHelpButton(bool value) { FShowHelpButton = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  bool ShowHintForDisabledItems() const { return FShowHintForDisabledItems; }
  void SetShowHintForDisabledItems(bool value) { FShowHintForDisabledItems = value; }
  bool ShowShortCutInHint() const { return FShowShortCutInHint; }
  void SetShowShortCutInHint(bool value) { FShowShortCutInHint = value; }
  bool StoreInIniFile() const { return FStoreInIniFile; }
  void SetStoreInIniFile(bool value) { FStoreInIniFile = value; }
  bool StoreInRegistry() const { return FStoreInRegistry; }
  void SetStoreInRegistry(bool value) { FStoreInRegistry = value; }
  TdxBarManagerStyle Style() const { return FStyle; }
  void SetStyle(TdxBarManagerStyle value);
  bool SunkenBorder() const { return FSunkenBorder; }
  void SetSunkenBorder(bool value);
  bool UseBarHintWindow() const { return FUseBarHintWindow; }
  void SetUseBarHintWindow(bool value) { FUseBarHintWindow = value; }
  bool UseF10ForMenu() const { return FUseF10ForMenu; }
  void SetUseF10ForMenu(bool value) { FUseF10ForMenu = value; }
  bool UseFullReset() const { return FUseFullReset; }
  void SetUseFullReset(bool value) { FUseFullReset = value; }
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool value);
  int WaitForDockingTime() const { return FWaitForDockingTime; }
  void SetWaitForDockingTime(int value);
  TdxBarBackgrounds* Backgrounds() const { return FBackgrounds.get(); }
  void SetBackgrounds(TdxBarBackgrounds* value) { FBackgrounds->Assign(value); }
  TdxBarImageOptions* ImageOptions() const { return FImageOptions.get(); }
  void SetImageOptions(TdxBarImageOptions* value) { FImageOptions->Assign(value); }
  TdxBarPopupMenuLinks* PopupMenuLinks() const { return FPopupMenuLinks.get(); }
  void SetPopupMenuLinks(TdxBarPopupMenuLinks* value) { FPopupMenuLinks->Assign(value); }
  // The image options' values, read and written here too (not stored).
  TCustomImageList* DisabledImages() const { return FImageOptions->DisabledImages(); }
  void SetDisabledImages(TCustomImageList* value) { FImageOptions->SetDisabledImages(value); }
  TCustomImageList* DisabledLargeImages() const { return FImageOptions->DisabledLargeImages(); }
  void SetDisabledLargeImages(TCustomImageList* value) { FImageOptions->SetDisabledLargeImages(value); }
  TCustomImageList* HotImages() const { return FImageOptions->HotImages(); }
  void SetHotImages(TCustomImageList* value) { FImageOptions->SetHotImages(value); }
  TColor ImageListBkColor() const { return FImageOptions->ImageListBkColor(); }
  void SetImageListBkColor(TColor value) { FImageOptions->SetImageListBkColor(value); }
  TCustomImageList* Images() const { return FImageOptions->Images(); }
  void SetImages(TCustomImageList* value) { FImageOptions->SetImages(value); }
  TCustomImageList* LargeImages() const { return FImageOptions->LargeImages(); }
  void SetLargeImages(TCustomImageList* value) { FImageOptions->SetLargeImages(value); }
  bool LargeIcons() const { return FImageOptions->LargeIcons(); }
  void SetLargeIcons(bool value) { FImageOptions->SetLargeIcons(value); }
  bool MakeDisabledImagesFaded() const { return FImageOptions->MakeDisabledImagesFaded(); }
  void SetMakeDisabledImagesFaded(bool value) { FImageOptions->SetMakeDisabledImagesFaded(value); }
  bool StretchGlyphs() const { return FImageOptions->StretchGlyphs(); }
  void SetStretchGlyphs(bool value) { FImageOptions->SetStretchGlyphs(value); }
  bool UseLargeImagesForLargeIcons() const { return FImageOptions->UseLargeImagesForLargeIcons(); }
  void SetUseLargeImagesForLargeIcons(bool value) { FImageOptions->SetUseLargeImagesForLargeIcons(value); }
  bool IsImageOptionStored() const { return false; }

  // --- Events ---
#define DX_BAR_MANAGER_EVENT(Name, Type)                  \
  const Type& Name() const { return F##Name; }            \
  void Set##Name(const Type& value) { F##Name = value; }
  DX_BAR_MANAGER_EVENT(OnBarAdd, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarAfterReset, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarBeforeReset, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarClose, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarDelete, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarDockingStyleChange, TdxBarEvent)
  DX_BAR_MANAGER_EVENT(OnBarVisibleChange, TdxBarVisibleChangeEvent)
  DX_BAR_MANAGER_EVENT(OnItemLinkAdd, TdxBarItemLinkEvent)
  DX_BAR_MANAGER_EVENT(OnItemLinkChange, TdxBarItemLinkEvent)
  DX_BAR_MANAGER_EVENT(OnItemLinkDelete, TdxBarItemLinkEvent)
  DX_BAR_MANAGER_EVENT(OnMergeItemLink, TdxBarMergeItemLinkEvent)
  DX_BAR_MANAGER_EVENT(OnCloseButtonClick, TNotifyEvent)
  DX_BAR_MANAGER_EVENT(OnDocking, TdxBarCanDockingEvent)
  DX_BAR_MANAGER_EVENT(OnHelpButtonClick, TNotifyEvent)
  DX_BAR_MANAGER_EVENT(OnHideCustomizingForm, TNotifyEvent)
  DX_BAR_MANAGER_EVENT(OnMenuMerge, TdxBarMergeEvent)
  DX_BAR_MANAGER_EVENT(OnMerge, TdxBarMergeEvent)
  DX_BAR_MANAGER_EVENT(OnShowCustomizingForm, TNotifyEvent)
  DX_BAR_MANAGER_EVENT(OnShowCustomizingPopup, TdxBarShowPopupEvent)
  DX_BAR_MANAGER_EVENT(OnShowToolbarsPopup, TdxBarShowPopupEvent)
  DX_BAR_MANAGER_EVENT(OnClickItem, TdxBarClickItemEvent)
#undef DX_BAR_MANAGER_EVENT

  // The overridable firing operations. OnBarDockingStyleChange is not fired while a stored layout
  // is applied; its firing also reports a change of the bar.
  virtual void DoBarAfterReset(TdxBar* bar);
  virtual void DoBarBeforeReset(TdxBar* bar);
  virtual void DoBarClose(TdxBar* bar);
  virtual void DoBarDockingStyleChange(TdxBar* bar);
  virtual void DoCloseButtonClick();
  virtual void DoHelpButtonClick();
  virtual void DoShowCustomizingPopup(TdxBarItemLinks* popupItemLinks);
  virtual void DoShowToolbarsPopup(TdxBarItemLinks* popupItemLinks);
  void DoBarAdd(TdxBar* bar);
  void DoBarDelete(TdxBar* bar);
  void DoItemLinkAdd(TdxBarItemLink* link);
  void DoItemLinkChange(TdxBarItemLink* link);
  void DoItemLinkDelete(TdxBarItemLink* link);
  void DoMergeItemLink(TdxBarItemLinks* dstItemLinks, TdxBarItemLinks* srcItemLinks, TdxBarItemLink* srcItemLink,
                       TdxBarItemMergeKind& mergeKind, int& mergeIndex);

  // --- Interfaces ---
  TCustomForm* GetNearestForm() override;
  TBasicAction* GetAction() override { return nullptr; }
  TdxScreenTip* GetScreenTip() override { return nullptr; }
  std::string GetHint() override { return {}; }
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  // Fires OnBarVisibleChange unless the manager is being destroyed.
  void BarVisibilityChanged(TdxBar* bar) override;

  // --- Collections and lookups ---
  TdxBars* Bars() const { return FBars.get(); }
  TdxBarComponentList* ItemList() const { return FItems.get(); }
  TdxBarComponentList* GroupList() const { return FGroups.get(); }
  int GetItemCount() const;
  // nullptr outside the range.
  TdxBarItem* GetItem(int index) const;
  // The item whose name equals the name ignoring case.
  TdxBarItem* FindItemByName(std::string_view name) const;
  // A new item of the class owned by the manager's owner, in the category named like the default
  // category (or category 0 when there is none).
  TdxBarItem* CreateItemOfClass(TClassRef<TdxBarItem> itemClass);
  int GetGroupCount() const;
  TdxBarGroup* GetGroup(int index) const;
  // A new group owned by the owner control.
  TdxBarGroup* AddGroup();
  // Appends the group to the group list and makes this its manager.
  void AttachGroup(TdxBarGroup* group);
  // The popup menus of the manager: each joins when it takes the manager and leaves when it goes.
  int GetPopupMenuCount() const { return FPopupMenus ? FPopupMenus->Count() : 0; }
  TdxBarCustomPopupComponent* GetPopupMenu(int index) const;
  void AddPopupMenu(TdxBarCustomPopupComponent* popupMenu);
  void RemovePopupMenu(TdxBarCustomPopupComponent* popupMenu);
  // The links of every item that has links (sub-menus) and of every bar take their items by name
  // and their loaded values.
  void ResolveLinkItems();
  // The links of items' sub-menus and of bars that have no item.
  std::vector<TdxBarItemLink*> CollectBrokenLinks() const;
  // The customizing selection's last selected object when it is a link of this manager.
  TdxBarItemLink* GetSelectedItemLink() const;
  int GetDockControlCount() const { return static_cast<int>(FDockControls.size()); }
  TdxDockControl* GetDockControl(int index) const;
  // Every dock control registers when created and unregisters when destroyed.
  void AddDockControl(TdxDockControl* dockControl);
  // The bars docked in the dock control lose it, the bars it shows are hidden; an edge dock leaves
  // its place in the bars collection; the dock takes its parent's colour again.
  void RemoveDockControl(TdxDockControl* dockControl);
  // Exact comparison.
  TdxBar* FindBarByName(std::string_view name) const;
  TdxBar* FindBarByCaption(std::string_view caption) const;
  // Clear the list first; an index outside the categories gives an empty list.
  int GetAllItemsOfCategory(int index, TList* list) const;
  // In the designer all of them; at run time only the items visible in the current mode and not
  // hidden from the run-time command lists.
  int GetItemsOfCategory(int index, TList* list) const;
  // In the designer n itself; at run time the index of the n-th visible category, or -1.
  int VisibleCategoryToIndex(int n) const;
  TdxBarItemVisible GetCategoryItemsVisible(int index) const;
  // While loading only the loaded value is recorded; otherwise the category's items whose
  // visibility still equals the category's previous value take the new one, and with
  // AutoHideEmptyBars the bars this empties are hidden (and shown again by ivAlways).
  void SetCategoryItemsVisible(int index, TdxBarItemVisible value);
  bool GetCategoryVisible(int index) const;
  void SetCategoryVisible(int index, bool value);
  // The class name without its first letter followed by 1, 2, ... (the designer names in the
  // designer).
  std::string MakeUniqueItemName(TClass itemClass) const;
  std::string MakeUniqueBarCaption(std::string_view prefix) const;
  std::string MakeUniqueBarName(std::string_view prefix) const;

  // --- State and owner ---
  bool IsCustomizing() const { return FCustomizing; }
  bool IsCustomizingOrDesigning() const { return FCustomizing || IsDesigning(); }
  bool IsRestoringLayout() const { return FRestoringLayout; }
  bool IsReshowingBars() const { return FReshowingBars; }
  bool IsInLoaded() const { return FInLoaded; }
  // Read from a stored form at least once, and AllowReset.
  bool IsResetAvailable() const { return FReadCount > 0 && FAllowReset; }
  bool IsOtherManagerCustomizing() const;
  // The effective style is not bmsStandard.
  bool SupportsRecentItems() const { return GetEffectiveStyle() != bmsStandard; }
  bool ShowsRecentItemsFirst() const { return SupportsRecentItems() && FMenusShowRecentItemsFirst; }
  TWinControl* GetOwnerControl() const { return static_cast<TWinControl*>(Owner()); }
  TCustomForm* GetTopLevelForm() const;
  TCustomForm* GetMDIChildOrTopForm() const;
  // When the owner has a window: the manager of the nearest windowed ancestor of its window.
  TdxBarManager* GetParentManager() const;
  TdxBar* GetMainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TdxBar* bar) { FMainMenuBar = bar; }
  int InitialUseCount() const { return FInitialUseCount; }
  int ReadCount() const { return FReadCount; }
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  // The in-memory copy of the designed layout (none in the designer).
  TMemIniFile* DesignedLayout() const { return FDesignedLayout.get(); }
  // Writes the layout as it stands into DesignedLayout; the layout store fills it in.
  void SaveDesignedLayout();
  // What every layout section name begins with: the names of the owners up to the first form, then
  // the manager's, each followed by ".".
  std::string GetIniSectionBase() const;
  // While the manager reads bars stored in their old collection form.
  bool IsReadingOldBars() const { return FReadingOldBars; }
  // The first bar section of the designed layout whose caption is the caption; -1 for none.
  int FindDesignedBarIndex(std::string_view caption) const;

  // --- Updates and change reports ---
  void BeginBarsUpdate() { IncBarsUpdateLock(true); }
  void EndBarsUpdate() { DecBarsUpdateLock(true, true); }
  void IncBarsUpdateLock(bool switchRedraw);
  void DecBarsUpdateLock(bool realignNeeded, bool switchRedraw);
  // The unlock without the realign pass.
  void DecBarsUpdateLockQuiet(bool switchRedraw);
  bool IsBarsUpdateLocked() const { return FBarsUpdateLock > 0; }
  int BarsUpdateLockCount() const { return FBarsUpdateLock; }
  // Nothing while loading, in Loaded or destroying; inside a modification lock only a pending mark;
  // otherwise the modified flag and, in the designer, the form designer is told.
  void NotifyModified();
  void ChangeModificationLock(bool begin, bool notifyAtEnd = true);
  // Calls proc for every item inside one bars update; nothing while loading or destroying.
  void ForEachItemInUpdate(const std::function<void(TdxBarItem*)>& proc);
  // The customizing flag: every links collection shows what customizing shows; bars' item controls
  // follow once they exist.
  void SetCustomizing(bool value);
  // Calls proc with the links of every bar, popup menu and item that has links.
  void ForEachItemLinks(const std::function<void(TdxBarItemLinks*)>& proc) const;

  // --- Style, painter, fonts (dxBarManagerStyle.cpp) ---
  TdxBarPainterStyle GetPainterStyle() const;
  TdxBarManagerStyle GetEffectiveStyle() const;
  TdxBarPainter* Painter() const { return FPainter.get(); }
  // Tests visual styles again and replaces the painter.
  void CreatePainter();
  // CreatePainter, then docks and bars refresh; not re-entered and not while destroying.
  void RecreatePainter();
  void ApplyStyleToLookAndFeel(TcxLookAndFeel* lookAndFeel);
  // Visual styles could draw the bars when the painter was last made.
  bool ThemesAvailable() const { return FThemesAvailable; }
  TColor GetFlatBorderColor() const;
  TColor GetFlatColor() const;
  TColor GetFlatDownedColor() const;
  TColor GetFlatDownedSelectedColor() const;
  TColor GetFlatSelectedColor() const;
  HBRUSH FlatBorderBrush() const { return FFlatBorderBrush.Get(); }
  HBRUSH FlatToolbarBrush() const { return FFlatToolbarBrush.Get(); }
  HBRUSH FlatDownedBrush() const { return FFlatDownedBrush.Get(); }
  HBRUSH FlatDownedSelectedBrush() const { return FFlatDownedSelectedBrush.Get(); }
  HBRUSH FlatSelectedBrush() const { return FFlatSelectedBrush.Get(); }
  // The visual style's toolbar colour, while visual styles are available.
  HBRUSH ThemedToolbarBrush() const { return FThemedToolbarBrush.Get(); }
  void CreateStyleResources();
  // CreateStyleResources with the Office 2003 colours computed again (after a system colour change).
  void RefreshStyleResources();
  void FreeStyleResources();
  void RefreshDocksAndBars();
  // Every change of Font: see the font rules in dxBarManagerStyle.cpp.
  void FontChanged(TObject* sender);
  void UpdateFontFromSystem();
  // The menu font made from Font, and Font with the system height.
  HFONT MenuFont() const { return FMenuFont.Get(); }
  HFONT SystemHeightFont() const { return FSystemHeightFont.Get(); }
  TcxEventHandlerCollection* OnFontChanged() const { return FOnFontChanged.get(); }
  TcxEventHandlerCollection* OnLayoutLoaded() const { return FOnLayoutLoaded.get(); }
  TcxEventHandlerCollection* OnLayoutSaved() const { return FOnLayoutSaved.get(); }
  TcxEventHandlerCollection* OnMDIChildChanged() const { return FOnMDIChildChanged.get(); }

  // --- MDI children of the main form ---
  // The MDI client of the main form reported an activation, a destruction or a change of window
  // state of one of its children: the manager follows the active child and its maximized state.
  void ActiveMDIChildChanged();
  // One change of the active child: activated, deactivated, or its maximized state changed.
  void MDIChildChanged(TdxBarMDIChildChange change, HWND child);
  // Whether the change merges the child's main menu into this manager's, unmerges it, or neither.
  TdxBarMDIMergeAction GetMDIMergeAction(TdxBarMDIChildChange change) const;
  // The active child of the main form's MDI client (none without one).
  static HWND GetActiveMDIChildWindow();
  // The active child as last seen, and whether it was maximized then.
  HWND ActiveMDIChild() const { return FActiveMDIChild; }
  bool IsMDIChildMaximized() const { return FMDIChildMaximized; }
  // Sends the active child the system command of an MDI button: minimize, restore or close.
  void SendMDIChildSysCommand(TdxBarMDIButton button);
  // Recursive: the manager's MDI-child-or-top form is an MDI child form (not in the designer).
  // Otherwise: the owner itself is an MDI child form.
  bool OwnerIsMDIChildForm(bool recursive) const;

  // --- Designer ---
  IdxBarDesigner* Designer() const { return FDesigner; }
  void SetDesigner(IdxBarDesigner* value) { FDesigner = value; }
  bool CanDeleteComponent(TComponent* component) const;
  void GetDesignerSelection(TList* list) const;
  // The designer selection without the objects whose status is not 1.
  void GetOwnSelection(TList* list) const;
  int GetSelectionStatus(TPersistent* object) const;
  void SelectComponent(TPersistent* object, TdxBarSelectionOperation operation);
  void PassDblClickToDesigner(TdxBarItem* item);
  // The question a manager in the designer asks when links of its bars and sub-menus lost their
  // items: the manager's name path, then the question. AskToDeleteBrokenLinks shows it (warning
  // icon, Yes, No and Cancel) and answers Yes or No; Cancel aborts silently (EAbort).
  std::string BrokenLinksMessage() const;
  int AskToDeleteBrokenLinks() const;

  // Bars waiting to be shown again once their dock control has a window (absent until needed).
  TList* ReshowBarList() const { return FReshowBarList.get(); }
  void RemoveFromReshowBarList(TdxBar* bar);

  // --- Bar controls (the manager's records of its toolbar and menu windows) ---
  // The bar control whose mouse movements are tracked; releasing it ends its tracking.
  TCustomdxBarControl* MouseTrackingControl() const { return FMouseTrackingControl; }
  void SetMouseTrackingControl(TCustomdxBarControl* control) { FMouseTrackingControl = control; }
  void ReleaseMouseTrackingControl();
  // The selected (hot) item control; read back to tell whether a control that goes was it.
  TdxBarItemControl* SelectedItemControl() const { return FSelectedItemControl; }
  void SetSelectedItemControl(TdxBarItemControl* control) { FSelectedItemControl = control; }
  // While customizing: a switch to a control on another bar first clears that bar's selection.
  void ChangeSelectedItemControl(TdxBarItemControl* control);
  // Raised while the keyboard selection moves between two objects of the manager.
  int SelectionSwitchCount() const { return FSelectionSwitchCount; }
  void BeginSelectionSwitch() { ++FSelectionSwitchCount; }
  void EndSelectionSwitch() { --FSelectionSwitchCount; }
  // The bar control that the keyboard activated (a toolbar entered with the keys).
  TCustomdxBarControl* KeyboardActiveBarControl() const { return FKeyboardActiveBarControl; }
  void SetKeyboardActiveBarControl(TCustomdxBarControl* control) { FKeyboardActiveBarControl = control; }
  // The item and link a customizing drag moves; set before the drag starts.
  TdxBarItem* DraggingItem() const { return FDraggingItem; }
  TdxBarItemLink* DraggingItemLink() const { return FDraggingItemLink; }
  void SetDraggingItem(TdxBarItem* item, TdxBarItemLink* link)
  {
    FDraggingItem = item;
    FDraggingItemLink = link;
  }
  bool IsDragging() const { return FDraggingItem != nullptr; }
  // --- Customizing drag (dxBarCustomizingDrag.cpp) ---
  // The modal drag of the dragging item and link: prepare, the loop, and the end, also on failure.
  void DragItem();
  // The drag running now (nullptr between drags).
  TdxBarDragInfo* DragInfo() const { return FDragInfo; }
  // The window that holds the capture during the drag: the visible application window, else the
  // owner control's.
  HWND GetDragCaptureWindow() const;
  // The object the manager's hint is for (an item control or a bar control); the hint window
  // itself comes with the hints.
  TObject* HintObject() const { return FHintObject; }
  // A hint for the object (dxBarHints.cpp): after the show pause, or at once while a hint shows
  // or the quick-switch time is open.
  void ActivateHint(TObject* object) { ActivateHint(true, std::string(), object); }
  void ActivateHint(bool show, const std::string& text, TObject* object);
  void HideHint();
  void UpdateHint(bool show, const std::string& text, TObject* object);
  void ShowHintNow();
  bool DoShowHint(const std::string& text, const std::string& shortCut);
  int GetHintShowPause() const;
  int GetHintHidePause() const;
  // The hint's shortcut text on screen (the bar hint window shows it in its own place).
  const std::string& GetHintShortCutText() const { return FHintShortCutText; }
  // The hinted object asks for the application's hint window (the standard hint), and the
  // manager's UseBarHintWindow does not overrule it.
  bool UsesStandardHintWindow() const { return FStandardHint && !UseBarHintWindow(); }
  // A bar control goes: every record of it and of its item controls is cleared.
  void ForgetBarControl(TCustomdxBarControl* control);

  // --- Hosted edits ---
  // The window that had the focus when editing started; a finished edit gives the focus back to it.
  HWND FocusedWindowBeforeEdit() const { return FFocusedWindowBeforeEdit; }
  void SetFocusedWindowBeforeEdit(HWND wnd) { FFocusedWindowBeforeEdit = wnd; }
  // Editing steps in progress: one that starts or ends inside another neither remembers the focus
  // anew nor gives it back.
  int EditLockCount() const { return FEditLockCount; }
  void ChangeEditLock(bool lock) { FEditLockCount += lock ? 1 : -1; }

  // --- Shortcuts and accelerators (dxBarHooks.cpp) ---
  // The popup-menu links of the focused control's manager first, then the managers of the owner
  // window and its parents, then the other managers of the form group: main menu, visible bars,
  // popup menus. Answers whether one ran the shortcut.
  bool ExecuteShortCut(TShortCut shortCut);
  // The first link whose caption's accelerator is the key, searched in the same order of managers
  // (main menu first, then the other visible bars); nullptr for none.
  TdxBarItemLink* FindLinkByAccelerator(WORD key, TShiftState shift);
  // This manager alone: main menu, visible bars with an enabled, visible window (or waiting to be
  // shown again), popup menus.
  bool ExecuteOwnShortCut(TShortCut shortCut);
  TdxBarItemLink* FindOwnLinkByAccelerator(WORD key, TShiftState shift);

  // --- Owner-window messages and activation (dxBarOwnerMessages.cpp) ---
  // A message of the owner window or of a window that contains it, as the window hook saw it.
  void OwnerWindowMessage(HWND wnd, UINT msg, LPARAM lParam, WPARAM wParam);
  // The owner form is active: floating toolbars show; inactive (with HideFloatingBarsWhenInactive,
  // or forced) they hide, and open menus close.
  bool IsActive() const { return FOwnerActive; }
  void SetActive(bool active, bool force, HWND wnd);
  void HandleActivate(WORD state, bool minimized, HWND otherWnd, HWND wnd);
  void HandleActivateApp(bool active);
  void HandleCancelMode();
  // Floating bars lying off the work area of the owner's monitor move back onto it.
  void KeepFloatingBarsOnWorkArea();
  // Around modal dialogs: the enabled floating toolbar windows are disabled, then enabled again.
  void DisableFloatingBars();
  void EnableFloatingBars();
  // The help topic of the item control (or, without a context of its own, of the bar control).
  void ShowItemHelp(TdxBarItemControl* itemControl, TCustomdxBarControl* barControl);
  // Visible, and neither its window nor a window it lies in is minimized.
  bool IsOwnerShownNormally() const;

public:
  // --- Layout storage (dxBarLayout.cpp) ---
  // The one format of the three stores: the registry (below the current user, base RegistryPath),
  // an ini file and LayoutStream (the ini text); the designed layout is kept in the same form.
  // An empty path, or an empty file name without a stream, does nothing. Saving to the registry
  // erases only what a layout writes there: other values and sub-keys of the key stay.
  void SaveToRegistry(std::string_view path);
  void LoadFromRegistry(std::string_view path);
  void SaveToIniFile(const std::string& fileName);
  void LoadFromIniFile(const std::string& fileName);
  // A stream the ini-file load and save use in place of the file (not owned; nullptr for none).
  TStream* LayoutStream() const { return FLayoutStream; }
  void SetLayoutStream(TStream* stream) { FLayoutStream = stream; }
  void WriteLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind);
  // Stored values outside their range keep the current ones; counts stop at the sections that
  // exist; an error in one bar's placement shows that bar and the read goes on.
  void ReadLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind);
  void EraseLayout(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind);
  bool IsWritingDesignedLayout() const { return FWritingDesignedLayout; }
  // While a layout is read: the names of the manager's items the layout did not know.
  const std::vector<std::string>* NewItemNames() const { return FNewItemNames.empty() ? nullptr : &FNewItemNames; }
  // A dock control by the path a layout stores: "Form.Name.Name" from a form of the screen, or a
  // path below the manager's owner; nullptr when none is found. A component of another kind raises.
  TdxBarDockControl* FindDockControlByName(std::string_view path) const;
  // The path a layout stores for a component: its name, with its owners' names up to the first
  // form in front when the manager's owner does not own it.
  std::string GetComponentPath(TComponent* component) const;
  // The stores switched on (the registry, then the ini file) save, or load.
  void SaveLayoutToStores();
  void LoadLayoutFromStores();

  // --- Operations on bars (dxBarManagerBars.cpp) ---
  // A new toolbar "Custom " + n docked at the top on a row of its own (as main menu: row 0), its
  // floating place beside the owner; ask-name runs the toolbar-name dialog, which comes with the
  // customization form (nullptr, nothing made, until then).
  TdxBar* AddToolbar(bool asMainMenu, bool askName);
  void RenameToolbar(TdxBar* bar);
  void ResetToolbar(TdxBar* bar);
  // The recent-use marks of menus and bars back to the designed layout.
  void ResetUsageData();
  // Asks first (the bar message box); resets on Yes.
  void ResetUsageDataWithConfirmation();
  // Takes merged bars out: with store every merged bar, remembering what was merged; else the bars
  // of manager (all for nullptr).
  void UnmergeBars(TdxBarManager* manager, bool store);
  void RemergeStoredBars();
  // The list of bars to show again, made on first use.
  void AddToReshowBarList(TdxBar* bar);
  int IndexOfReshowBar(TdxBar* bar) const;
  // Shows the waiting bars: of dockControl, or (nullptr) those whose dock control has a window.
  void ReshowBars(TdxDockControl* dockControl);
  // The owner window was created again: the docks get windows and the waiting bars show.
  void HandleOwnerCreate();

private:
  TStream* FLayoutStream = nullptr;
  bool FWritingDesignedLayout = false;
  std::vector<std::string> FNewItemNames;

private:
  void ActiveChanged(bool active, bool force, HWND wnd);
  void HandleHelpMessage(HWND wnd, const HELPINFO* info);
  bool FOwnerActive = false;
  bool FWasActiveBeforeDeactivation = false;
  bool FInActiveChanged = false;
  bool FInCancelMode = false;
  std::vector<HWND> FDisabledFloatingBars;
  std::string FHintShortCutText;
  bool FStandardHint = false;

private:
  // The owner (the main form for none), checked: a windowed control without a manager.
  static TComponent* CheckOwner(TComponent* owner);
  void CategoriesChanged(TObject* sender);
  void HelpButtonGlyphChanged(TObject* sender);
  // The image options' events: pictures changed, the glyph size may have changed.
  void ImageOptionsChanged(TObject* sender);
  void ImageOptionsSizeChanged(TObject* sender);
  // The change links of the image lists: the items concerned refresh their glyphs.
  void ImagesChanged(TObject* sender);
  void HotImagesChanged(TObject* sender);
  void LargeImagesChanged(TObject* sender);
  void CheckBrokenLinks();
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);
  void ThemeChanged();
  void FreeParts();
  void SortItemsByCategory();
  void ApplyLoadedBarPlacements();
  void ApplyLoadedCategoryItemsVisible();
  void ReadOldBars(TReader& reader);
  void ReadDockControlHeights(TReader& reader);
  void WriteDockControlHeights(TWriter& writer);
  // The unlock pass of the bars-update lock: dock redrawing back on and, unless quiet, the docks
  // drop empty rows, realign and repaint their frames.
  void ApplyBarsUpdateLock(bool switchRedraw, bool quiet);
  void SwitchDocksRedraw(bool redraw);
  void ClearBarsUpdateMarks();
  void RepaintToolbars();
  void RefreshCustomizingHelpButton();

  // Settings.
  bool FAllowCallFromAnotherForm = false;
  bool FAllowReset = false;
  bool FAlwaysMerge = false;
  bool FAlwaysSaveText = false;
  HWND FFocusedWindowBeforeEdit = nullptr;
  int FEditLockCount = 0;
  bool FAutoAlignBars = false;
  bool FAutoDockColor = false;
  bool FAutoHideEmptyBars = false;
  bool FScaled = false;
  int FButtonArrowWidth = 0;
  bool FCanCustomize = false;
  TColor FDockColor = clBtnFace;
  bool FFlatCloseButton = false;
  int FHelpContext = 0;
  bool FHideFloatingBarsWhenInactive = false;
  std::string FIniFileName;
  int FLargeButtonArrowWidth = 0;
  TdxBarMenuAnimations FMenuAnimations = maNone;
  bool FMenusShowRecentItemsFirst = false;
  uint8_t FMostRecentItemsPercents = 0;
  TdxBarDockingStyles FNotDocking;
  std::string FRegistryPath;
  bool FShowCloseButton = false;
  bool FShowFullMenusAfterDelay = false;
  bool FShowHelpButton = false;
  bool FShowHint = false;
  bool FShowHintForDisabledItems = false;
  bool FShowShortCutInHint = false;
  bool FStoreInIniFile = false;
  bool FStoreInRegistry = false;
  TdxBarManagerStyle FStyle = bmsStandard;
  bool FSunkenBorder = false;
  bool FUseBarHintWindow = false;
  bool FUseF10ForMenu = false;
  bool FUseFullReset = false;
  bool FUseSystemFont = false;
  int FWaitForDockingTime = 0;

  // Owned parts, in the order the constructor makes them.
  TOwned<TdxBarBackgrounds> FBackgrounds;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  TOwned<TdxBarComponentList> FItems;
  TOwned<TdxBarManagerCategories> FCategories;
  std::vector<TdxDockControl*> FDockControls;
  TOwned<TdxBars> FBars;
  TOwned<TcxEventHandlerCollection> FOnLayoutLoaded;
  TOwned<TcxEventHandlerCollection> FOnLayoutSaved;
  TOwned<TcxEventHandlerCollection> FOnFontChanged;
  TOwned<TcxEventHandlerCollection> FOnMDIChildChanged;
  TFontHandle FMenuFont;
  TFontHandle FSystemHeightFont;
  TOwned<TFont> FFont;
  TOwned<TdxBarComponentList> FGroups;
  TOwned<TBitmap> FHelpButtonGlyph;
  TOwned<TdxThemeChangedNotificator> FThemeNotificator;
  TOwned<TMemIniFile> FDesignedLayout;
  TOwned<TList> FReshowBarList;
  TOwned<TdxBarPainter> FPainter;
  TOwned<TComponentList> FPopupMenus;
  TOwned<TdxBarPopupMenuLinks> FPopupMenuLinks;
  TOwned<TdxBarImageOptions> FImageOptions;

  // Style resources.
  TBrushHandle FFlatBorderBrush;
  TBrushHandle FFlatToolbarBrush;
  TBrushHandle FFlatDownedBrush;
  TBrushHandle FFlatDownedSelectedBrush;
  TBrushHandle FFlatSelectedBrush;
  TBrushHandle FThemedToolbarBrush;
  bool FHoldsOffice2003Colors = false;
  bool FThemesAvailable = false;

  // State.
  bool FInLoaded = false;
  bool FRestoringLayout = false;
  bool FReshowingBars = false;
  bool FReadingOldBars = false;
  bool FRecreatingPainter = false;
  bool FInternalFontChange = false;
  bool FCustomizing = false;
  int FBarsUpdateLock = 0;
  int FModificationLock = 0;
  bool FModificationPending = false;
  bool FModified = false;
  int FReadCount = 0;
  int FInitialUseCount = 0;
  TdxBar* FMainMenuBar = nullptr;
  IdxBarDesigner* FDesigner = nullptr;
  TCustomdxBarControl* FMouseTrackingControl = nullptr;
  TdxBarItemControl* FSelectedItemControl = nullptr;
  int FSelectionSwitchCount = 0;
  TCustomdxBarControl* FKeyboardActiveBarControl = nullptr;
  TdxBarItem* FDraggingItem = nullptr;
  TdxBarItemLink* FDraggingItemLink = nullptr;
  TObject* FHintObject = nullptr;

  TdxBarClickItemEvent FOnClickItem;
  TdxBarEvent FOnBarAdd, FOnBarAfterReset, FOnBarBeforeReset, FOnBarClose, FOnBarDelete, FOnBarDockingStyleChange;
  TdxBarVisibleChangeEvent FOnBarVisibleChange;
  TdxBarItemLinkEvent FOnItemLinkAdd, FOnItemLinkChange, FOnItemLinkDelete;
  TdxBarMergeItemLinkEvent FOnMergeItemLink;
  TNotifyEvent FOnCloseButtonClick, FOnHelpButtonClick, FOnHideCustomizingForm, FOnShowCustomizingForm;
  TdxBarCanDockingEvent FOnDocking;
  TdxBarMergeEvent FOnMenuMerge, FOnMerge;
  TdxBarShowPopupEvent FOnShowCustomizingPopup, FOnShowToolbarsPopup;
  // The customizing drag.
  TdxBarDragInfo* FDragInfo = nullptr;

  // MDI children of the main form.
  HWND FActiveMDIChild = nullptr;
  bool FMDIChildMaximized = false;
};

// The toolbar-name dialog of new and renamed toolbars, which the customization form installs:
// answers false for Cancel, else the caption as the user gave it. Without one, a new toolbar keeps
// its made-up caption and a rename changes nothing.
using TdxBarAskToolbarNameFunc = bool (*)(TdxBarManager* manager, std::string& caption);
extern TdxBarAskToolbarNameFunc dxBarAskToolbarNameFunc;

// The manager's bars-update lock for the life of a scope (nothing without a manager).
class TdxBarsUpdateScope {
public:
  explicit TdxBarsUpdateScope(TdxBarManager* manager) : FManager(manager)
  {
    if (FManager) FManager->BeginBarsUpdate();
  }
  ~TdxBarsUpdateScope()
  {
    if (FManager) FManager->EndBarsUpdate();
  }
  TdxBarsUpdateScope(const TdxBarsUpdateScope&) = delete;
  TdxBarsUpdateScope& operator=(const TdxBarsUpdateScope&) = delete;

private:
  TdxBarManager* FManager;
};

// The painter class a manager draws with for a painter style (the skin style through
// SkinBarPainterClass).
TdxBarPainterClass BarPainterClassOfStyle(TdxBarPainterStyle style);
