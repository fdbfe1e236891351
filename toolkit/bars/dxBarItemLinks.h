#pragma once
// Item links: an item is shown only through links. A TdxBarItemLink is one placement of an item on
// a toolbar, in a popup menu or in a sub-menu, with the overrides the user gave that placement
// (caption, glyph, paint style, width), its grouping and layout hints, its visibility and the usage
// data of personalized menus (use count and place in the recent list). A TdxBarItemLinks is the
// ordered collection of the links of one owner (a bar, a popup menu, a sub-item): it keeps the
// derived lists of links that are available (their item shows in the current mode), showable
// (available and Visible) and visible (showable, and in a shortened menu among the recent ones),
// the recent list, the menu item options, and it finds links by accelerator, by shortcut and for
// keyboard navigation.
//
// A link makes an item control only while its collection has a bar control (a toolbar or menu
// window) that shows it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Collection.h"
#include "classlib/Controls.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/base/cxClassesCollections.h"

class TCustomdxBarControl;
class TdxBarItemLinks;

enum class TdxBarButtonGroupPosition : uint8_t { bgpNone, bgpStart, bgpMember };
using enum TdxBarButtonGroupPosition;
enum class TdxBarItemPosition : uint8_t { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
using enum TdxBarItemPosition;
enum class TdxBarUserDefine : uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
using enum TdxBarUserDefine;
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
enum class TdxBarItemViewLevel : uint8_t {
  ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault
};
using enum TdxBarItemViewLevel;
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;
constexpr TdxBarItemViewLevels DefaultViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                 ivlControlOnly};

// The owner of a links collection: a bar, a popup menu, a sub-item.
class IdxBarLinksOwner {
public:
  // Whether the item may be placed among the owner's links; message tells why not.
  virtual bool AcceptsItem(TdxBarItem* item, std::string& message) = 0;
  // The bar control that shows the owner's links.
  virtual TCustomdxBarControl* CreateBarControl() = 0;
  // The owner component.
  virtual TObject* GetInstance() = 0;
  virtual TdxBarItemLinks* GetItemLinks() = 0;

protected:
  ~IdxBarLinksOwner() = default;
};

class TdxBarItemLink : public TcxInterfacedCollectionItem, public IdxBarSelectableItem {
  CL_CLASS(TdxBarItemLink, TcxInterfacedCollectionItem)
public:
  explicit TdxBarItemLink(TCollection* collection);
  ~TdxBarItemLink() override;
  // The defaults, the use count the manager gives new links, a place at the end of the recent list;
  // the manager's OnItemLinkAdd (not while it loads).
  void AfterConstruction() override;
  // OnItemLinkDelete (not while the manager is destroyed), the control goes, the link leaves its
  // item's links and the recent list.
  void BeforeDestruction() override;
  // From another link: the user values, the item, then through the setters UserDefine, the
  // effective BeginGroup, ButtonGroup, Distributed, Position, ViewLevels and Visible.
  void Assign(TPersistent* source) override;
  // "ItemName": the item by name.
  void DefineProperties(TFiler& filer) override;

  // --- Published properties ---
  // The stored flag; GetBeginGroup is the effective one.
  bool BeginGroup() const { return FBeginGroup; }
  void SetBeginGroup(bool value);
  TdxBarButtonGroupPosition ButtonGroup() const { return FButtonGroup; }
  void SetButtonGroup(TdxBarButtonGroupPosition value);
  bool Distributed() const { return FDistributed; }
  // Counts as set by hand.
  void SetDistributed(bool value);
  // While the owner is compared with the ancestor of an inherited form, the manager's item of the
  // loaded name.
  TdxBarItem* Item() const;
  // The same item does nothing; none frees the link; an item the owner refuses frees the link and
  // raises EdxException with the owner's message.
  void SetItem(TdxBarItem* value);
  bool MostRecentlyUsed() const { return FMostRecentlyUsed; }
  void SetMostRecentlyUsed(bool value);
  TdxBarItemPosition Position() const { return FPosition; }
  void SetPosition(TdxBarItemPosition value);
  const std::string& UserCaption() const { return FUserCaption; }
  void SetUserCaption(const std::string& value);
  TdxBarUserDefines UserDefine() const { return FUserDefine; }
  // Members that leave reset their values; every changed member tells the control.
  void SetUserDefine(TdxBarUserDefines value);
  TBitmap* UserGlyph() const { return FUserGlyph.get(); }
  void SetUserGlyph(TBitmap* value);
  TdxBarPaintStyle UserPaintStyle() const { return FUserPaintStyle; }
  void SetUserPaintStyle(TdxBarPaintStyle value);
  int UserWidth() const { return FUserWidth; }
  void SetUserWidth(int value);
  TdxBarItemViewLevels ViewLevels() const { return FViewLevels; }
  void SetViewLevels(TdxBarItemViewLevels value);
  bool Visible() const { return FVisible; }
  // While the manager loads or the collection assigns, only the loaded visibility is recorded.
  void SetVisible(bool value);

  // --- Operations ---
  TdxBarItemLinks* GetLinks() const;
  TCustomdxBarControl* GetBarControl() const;
  TdxBarItemControl* Control() const { return FControl; }
  // The user's value when it is defined (or there is no item), else the item's.
  std::string GetCaption() const;
  TBitmap* GetGlyph() const;
  TdxBarPaintStyle GetPaintStyle() const;
  // UserWidth when defined; else an edit item's width; else 0.
  int GetWidth() const;
  // The effective BeginGroup: the first visible link never begins a group; a group begun by hidden
  // links passes to the next visible one; a flag after a separator is void.
  bool GetBeginGroup() const;
  // -1 when not in the list or without collection.
  int GetVisibleIndex() const;
  int GetShowableIndex() const;
  // The link this one was copied from, else itself.
  TdxBarItemLink* GetSourceLink() const { return FSourceLink ? FSourceLink : const_cast<TdxBarItemLink*>(this); }
  void SetSourceLink(TdxBarItemLink* link) { FSourceLink = link; }
  const RECT& ItemRect() const { return FItemRect; }
  void SetItemRect(const RECT& rect);
  // The control is made when the collection's bar control shows the link and there is an item.
  void CreateControl();
  void FreeControl();
  // Not while the manager's bars update is locked.
  void RecreateControl();
  // A use of the link: it becomes the most recent (counted with count), up the chain of menus.
  void RegisterUse(bool count);
  // The link moves to the front of the recent list; with count its use count grows.
  void MarkUsedInRecentList(bool count);
  void MoveToRecentEnd();
  // Whether the key (with the shift state) is the accelerator of the caption.
  bool MatchesAccelerator(int key, TShiftState shift) const;
  // Before the link leaves its place in customization: its group mark goes to the next showable
  // link.
  void PassGroupToNext();
  void SaveRecentIndex();
  void RestoreRecentIndex();
  void CopyUsageFrom(const TdxBarItemLink* link);
  void UpdateActionLink();
  bool CanChangePaintStyle() const;
  bool IsDistributionSetByHand() const;
  // Distributed without counting as set by hand.
  void SetDistributedInternal(bool value);
  // The link or its item is selected in the customization.
  bool IsSelectedForDesign() const;
  int UseCount() const { return FUseCount; }
  void SetUseCount(int value) { FUseCount = value; }
  int RowHeight() const { return FRowHeight; }
  void SetRowHeight(int value) { FRowHeight = value; }
  // The bar this link was copied from by merging; nullptr for others.
  TdxBar* OriginalBar() const { return FOriginalBar; }
  void SetOriginalBar(TdxBar* bar) { FOriginalBar = bar; }
  void* Data() const { return FData; }
  void SetData(void* value) { FData = value; }
  const std::string& LoadedItemName() const { return FLoadedItemName; }
  bool LoadedVisible() const { return FLoadedVisible; }
  int LoadedRecentIndex() const { return FLoadedRecentIndex; }
  void SetLoadedUsage(int recentIndex, int useCount);

  // --- Layout storage (dxBarLayout.cpp) ---
  // The link's section: the collection's section, the delimiter, "ItemLink" and the number.
  static std::string GetSectionName(const std::string& collectionSection, TdxBarStoringKind kind, int m);
  void SaveToIni(TCustomIniFile* ini, const std::string& collectionSection, TdxBarStoringKind kind, int m);
  // Answers false, the link dropped (freed), when the stored item name names no item.
  bool LoadFromIni(TCustomIniFile* ini, const std::string& collectionSection, TdxBarStoringKind kind, int m);
  void LoadUsageFromIni(TCustomIniFile* ini, const std::string& collectionSection, int m);
  void SetLoadedVisible(bool value) { FLoadedVisible = value; }

  virtual void MoveToLinks(TdxBarItemLinks* links);
  // The user glyph changed.
  virtual void RefreshControl();

  // --- IdxBarSelectableItem ---
  bool CanDelete(bool) override { return true; }
  void DeleteSelection(IdxBarSelectableItem*& reference, bool destruction) override;
  // Applies one setting of the link the customizing popup works on.
  void ExecuteCustomizingAction(TdxBarCustomizingAction action) override;
  TdxBarManager* GetBarManager() const override;
  TObject* GetInstance() override { return this; }
  void AddMasterObjects(TList* list) override;
  IdxBarSelectableItem* GetNextSelectable() override;
  // The object that owns the link's collection (the toolbar, the sub-item or the popup menu).
  TPersistent* GetSelectableParent() override;
  int GetSelectionStatus() override;
  TdxBarCustomizingActions GetSupportedActions() override;
  void InvalidateSelection() override;
  bool IsComplex() override { return false; }
  bool IsSelected() override { return IsSelectedForDesign(); }
  void SelectComponent(TdxBarSelectionOperation operation) override;
  bool SelectParentComponent() override;
  void SelectionChanged() override;

private:
  friend class TdxBarItemLinks;
  friend class TdxBarItem;
  void UserGlyphChanged(TObject* sender);
  // Takes the member out and back in through SetUserDefine, so that the control hears of it.
  void DefineUserValue(TdxBarUserDefine member);
  // The usage reset: the initial use count and most recent, or 0 and last.
  void ResetUsage();
  // The visibility change: lists rebuilt, then the link used or moved last, its control made or
  // freed.
  void VisibilityChanged();
  bool ItemAvailable() const;
  void ReadItemName(TReader& reader);
  void WriteItemName(TWriter& writer);
  void ReportChange(bool allLinks) { Changed(allLinks); }

  bool FBeginGroup = false;
  TdxBarButtonGroupPosition FButtonGroup = bgpNone;
  bool FDistributed = true;
  bool FMostRecentlyUsed = true;
  TdxBarItemPosition FPosition = ipBeginsNewRow;
  std::string FUserCaption;
  TdxBarUserDefines FUserDefine;
  TOwned<TBitmap> FUserGlyph;
  TdxBarPaintStyle FUserPaintStyle = psStandard;
  int FUserWidth = 0;
  TdxBarItemViewLevels FViewLevels = DefaultViewLevels;
  bool FVisible = true;

  TdxBarItemControl* FControl = nullptr;
  TdxBar* FOriginalBar = nullptr;
  void* FData = nullptr;
  bool FMarkedForDeletion = false;
  TdxBarItem* FItem = nullptr;
  RECT FItemRect{};
  std::string FLoadedItemName;
  int FLoadedRecentIndex = -1;
  int FLoadedUseCount = 0;
  bool FLoadedVisible = true;
  TdxBarItemLink* FSourceLink = nullptr;
  int FSavedRecentIndex = -1;
  int FRowHeight = 0;
  int FUseCount = 0;
};

// The menu options a links collection gives its items: whether descriptions and shortcuts show, and
// the size of menu items. An option not assigned here is the collection's default.
enum class TdxBarItemOptionValue : uint8_t { ioShowDescriptions, ioShowShortCuts, ioSize };
using TdxBarItemOptionValues = TSet<TdxBarItemOptionValue>;
enum class TdxBarMenuItemSize : uint8_t { misNormal, misLarge };
using enum TdxBarMenuItemSize;

class TdxBarItemOptions : public TPersistent {
  CL_CLASS(TdxBarItemOptions, TPersistent)
public:
  explicit TdxBarItemOptions(TdxBarItemLinks* links);
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

  // Never stored: reading a value assigns it.
  TdxBarItemOptionValues AssignedValues() const { return FAssignedValues; }
  bool IsAssignedValuesStored() const { return false; }
  void SetAssignedValues(TdxBarItemOptionValues value) { FAssignedValues = value; }
  bool ShowDescriptions() const;
  void SetShowDescriptions(bool value);
  bool ShowShortCuts() const;
  void SetShowShortCuts(bool value);
  TdxBarMenuItemSize Size() const;
  void SetSize(TdxBarMenuItemSize value);
  bool IsShowDescriptionsStored() const { return FAssignedValues.Contains(TdxBarItemOptionValue::ioShowDescriptions); }
  bool IsShowShortCutsStored() const { return FAssignedValues.Contains(TdxBarItemOptionValue::ioShowShortCuts); }
  bool IsSizeStored() const { return FAssignedValues.Contains(TdxBarItemOptionValue::ioSize); }
  // The own value of an option, whether or not it is assigned.
  int OwnValue(TdxBarItemOptionValue option) const;

private:
  TdxBarItemLinks* FLinks;
  TdxBarItemOptionValues FAssignedValues;
  bool FShowDescriptions = false;
  bool FShowShortCuts = true;
  TdxBarMenuItemSize FSize = misNormal;
};

// Reads the links of a stored layout: insertLink makes a new link in front of the others.
using TdxBarReadStoredLinks = std::function<void(const std::function<TdxBarItemLink*()>& insertLink)>;

class TdxBarItemLinks : public TCollection {
  CL_CLASS(TdxBarItemLinks, TCollection)
public:
  // Every links class is made with its manager and owner.
  struct TMeta : TMetaClassOf<TdxBarItemLinks, TdxBarManager*, IdxBarLinksOwner*> {};

  TdxBarItemLinks(TdxBarManager* barManager, IdxBarLinksOwner* owner);
  ~TdxBarItemLinks() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // Copies the links; a first link that shows the MDI system-menu item stays first.
  void Assign(TPersistent* source) override;
  // The owner component.
  TPersistent* GetOwner() const override;

  TdxBarItemLink* Items(int index) const { return Item<TdxBarItemLink>(index); }
  TdxBarManager* BarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* value) { FBarManager = value; }
  IdxBarLinksOwner* Owner() const { return FOwner; }
  TComponent* GetOwnerComponent() const;
  TdxBarItemOptions* ItemOptions() const { return FItemOptions.get(); }
  void SetItemOptions(TdxBarItemOptions* value) { FItemOptions->Assign(value); }
  // The toolbar or menu window that shows the links; none until bar controls exist.
  TCustomdxBarControl* BarControl() const { return FBarControl; }
  // Set by the bar control that starts or stops showing the links.
  void SetBarControl(TCustomdxBarControl* value) { FBarControl = value; }
  // The owner makes the bar control that shows these links (nothing when there is one); freeing
  // destroys it.
  TCustomdxBarControl* CreateBarControl();
  void FreeBarControl();
  bool UseRecentItems() const { return FUseRecentItems; }
  void SetUseRecentItems(bool value);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  // While set, changes do not tell the designer.
  void SetInternalChange(bool value) { FInternalChange = value; }
  bool Assigning() const { return FAssigning; }
  bool IsUpdating() const { return UpdateCount() > 0; }

  // --- Virtual operations ---
  // Links of an owner other than a bar.
  virtual bool IsMenu() const;
  // The link of the accelerator after the start link (or from the first): see the subclasses.
  virtual TdxBarItemLink* FindAcceleratorLink(int key, TShiftState shift, TdxBarItemLink* start) = 0;
  // ShowDescriptions False, ShowShortCuts True, Size misNormal.
  virtual int GetItemOptionDefault(TdxBarItemOptionValue option) const;
  // The own value when assigned or without parent links, else the parent links' effective value.
  virtual int GetItemOptionValue(TdxBarItemOptionValue option) const;
  // The owner's answer.
  virtual bool CheckItemAllowed(TdxBarItem* item, std::string& message);

  // --- Adding and moving ---
  TdxBarItemLink* AddLink();
  TdxBarItemLink* InsertLink(int index);
  TdxBarItemLink* AddItem(TdxBarItem* item);
  // An item of the class owned by owner (or by the manager's owner control), linked; when the link
  // refuses it, the item is freed and the error goes on.
  TdxBarItemLink* AddItemOfClass(TdxBarItemClass itemClass, TComponent* owner = nullptr);
  // An item of the class in the manager's default category, linked.
  TdxBarItemLink* AddNewItem(TdxBarItemClass itemClass);
  // Out-of-range or equal indexes are ignored.
  void MoveLink(int from, int to);
  int IndexOfItemName(std::string_view name) const;
  int IndexOfLink(const TdxBarItemLink* link) const;

  // --- Derived lists ---
  int GetAvailableLinkCount() const { return static_cast<int>(FAvailableLinks.size()); }
  TdxBarItemLink* GetAvailableLink(int index) const { return FAvailableLinks.at(index); }
  int GetShowableLinkCount() const { return static_cast<int>(FShowableLinks.size()); }
  TdxBarItemLink* GetShowableLink(int index) const { return FShowableLinks.at(index); }
  int GetVisibleLinkCount() const { return static_cast<int>(FVisibleLinks.size()); }
  TdxBarItemLink* GetVisibleLink(int index) const { return FVisibleLinks.at(index); }
  int IndexOfShowable(const TdxBarItemLink* link) const;
  int IndexOfVisible(const TdxBarItemLink* link) const;
  void RebuildLinkLists();

  // --- Navigation, accelerators and shortcuts ---
  int GetFittingLinkCount() const;
  TdxBarItemLink* FindFirstSelectableLink() const;
  TdxBarItemLink* FindLastSelectableLink() const;
  TdxBarItemLink* FindNextSelectableLink(TdxBarItemLink* link, bool any) const;
  TdxBarItemLink* FindPrevSelectableLink(TdxBarItemLink* link, bool any) const;
  TdxBarItemLink* FindAcceleratorLinkIgnoringAlt(int key, TShiftState shift, TdxBarItemLink* start);
  // False for 0; else the available links' items are asked in order.
  bool HandleShortCut(TShortCut shortCut);

  // --- Recent items ---
  int RecentItemCount() const { return FRecentItemCount; }
  int CalcRecentItemCount() const;
  void SetRecentItemCount(int value);
  void RestoreRecentItemCount();
  bool UsesRecentItems() const;
  int GetRecentLinkCount() const { return static_cast<int>(FRecentList.size()); }
  TdxBarItemLink* GetRecentLink(int index) const { return FRecentList.at(index); }
  int IndexOfRecent(const TdxBarItemLink* link) const;
  // Moves the link to the place (clipped to the last); the lists are rebuilt after a move.
  void MoveInRecentList(TdxBarItemLink* link, int index);
  // After a stored form or layout is read: every link's usage reset, with visibility its loaded
  // visibility, then the loaded recent places.
  void ApplyLoadedUsage(bool withVisibility);
  // The showable links after the first non-showable entry move, in order, before it.
  void CompactRecentList();

  // --- Item options ---
  // The links of the bar control this collection's menu was opened from; none until bar controls
  // exist.
  TdxBarItemLinks* GetParentLinks() const { return nullptr; }
  bool GetShowDescriptions() const;
  bool GetShowShortCuts() const;
  TdxBarMenuItemSize GetMenuItemSize() const;

  // --- Other ---
  bool HasItemControl(const TdxBarItemControl* control) const;
  // The owner's links are these, or a linked item holds (as links owner) that owner at any depth.
  bool ContainsLinksOwner(IdxBarLinksOwner* owner) const;
  void ClearItemRects();
  void UpdateActionLinks();
  // Each link takes the manager's item of its loaded name (a name of no item leaves the link
  // without item), then the loaded usage is applied with visibility.
  void ResolveItemNames();
  void MergeFrom(TdxBarItemLinks* links);
  // Frees the links made by merging with the bar (any bar for nullptr), through sub-menus too.
  void RemoveMergedLinks(TdxBar* bar);
  // Each linked item takes its designed sub-links from the layout.
  void ResetItems(TCustomIniFile* ini, const std::string& section);
  // Reads a stored layout into the collection: the links stay whose items are on the list of items
  // the layout does not know (new since it was written), the others go (all of them without a
  // list); readLinks inserts the stored links in front, last first; a link that stayed moves first
  // when it was first, else after the first link of the item that was before it, when there is
  // one; last the loaded usage is applied with visibility.
  void ReadLayout(const std::vector<std::string>* newItemNames, const TdxBarReadStoredLinks& readLinks);

  // --- Layout storage (dxBarLayout.cpp) ---
  // The storable links (an item with a name, not made by merging) as link sections, then
  // "ItemLinkCount".
  void SaveToIni(TCustomIniFile* ini, const std::string& section, TdxBarStoringKind kind);
  void LoadFromIni(TCustomIniFile* ini, const std::string& section, TdxBarStoringKind kind);
  // The designed "MostRecentlyUsed" marks of the first stored links, then the usage reset.
  void LoadUsageFromIni(TCustomIniFile* ini, const std::string& section);
  // The links whose Distributed was set by hand.
  const std::vector<TdxBarItemLink*>& DistributionSetByHand() const { return FDistributionSetByHand; }

protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;
  // The showable links from the one after the start up to the start itself, wrapping.
  TdxBarItemLink* FindAcceleratorInShowableLinks(int key, TShiftState shift, TdxBarItemLink* start);
  // The selectable links after the start up to the start itself.
  TdxBarItemLink* FindAcceleratorInSelectableLinks(int key, TShiftState shift, TdxBarItemLink* start);

private:
  friend class TdxBarItemLink;
  void ForgetLink(TdxBarItemLink* link);
  // Tells the designer that the links changed (not while changes are internal).
  void NotifyDesigner();
  bool IsSeparatorLink(const TdxBarItemLink* link) const;

  bool FAssigning = false;
  std::vector<TdxBarItemLink*> FAvailableLinks;
  std::vector<TdxBarItemLink*> FShowableLinks;
  std::vector<TdxBarItemLink*> FVisibleLinks;
  TCustomdxBarControl* FBarControl = nullptr;
  TdxBarManager* FBarManager;
  bool FInternalChange = false;
  TOwned<TdxBarItemOptions> FItemOptions;
  std::vector<TdxBarItemLink*> FDistributionSetByHand;
  int FPrevRecentItemCount = -1;
  std::vector<TdxBarItemLink*> FRecentList;
  int FRecentItemCount = -1;
  bool FUseRecentItems = true;
  TNotifyEvent FOnChange;
  IdxBarLinksOwner* FOwner;
};

// The links of a bar.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  CL_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;
  // Nothing while the bar control is not visible; else the selectable links after the start.
  TdxBarItemLink* FindAcceleratorLink(int key, TShiftState shift, TdxBarItemLink* start) override;
};

// The links of popup menus and sub-items.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  CL_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;
  bool IsMenu() const override { return true; }
  // The showable links after the start (the first showable one by default), wrapping.
  TdxBarItemLink* FindAcceleratorLink(int key, TShiftState shift, TdxBarItemLink* start) override;
};
