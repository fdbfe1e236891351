#pragma once
// The command object of the bar system: every kind of bar item (button, edit, combo, sub-item ...)
// derives from TdxBarItem. An item carries caption, category, hint, description, shortcut, enabled
// state, visibility, glyphs and image indexes, a style, a screen tip and an optional action. It
// never draws itself: each link that places it on a toolbar or in a menu gets an item control of
// the class its item class registered (TdxBarItemList), and every change of the item is fanned out
// to its links' controls.
//
// Every item belongs to one bar manager, which keeps all its items in one ordered list, and to one
// of the manager's categories (Category, an index; -1 for none). An item with a category is stored
// as a child of its manager.
//
// The click road: Click does nothing for a disabled item; otherwise the manager's OnClickItem runs,
// then DoClick: OnClick, unless the item has an action whose OnExecute is the same method (compared
// by code address), in which case the action runs. An exception on the way goes to the
// application's handler. An item freed by a handler is not touched again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/ClassRef.h"
#include "classlib/Component.h"
#include "classlib/ImageList.h"
#include "classlib/Menus.h"
#include "toolkit/bars/dxBarComponents.h"
#include "toolkit/bars/dxBarItemControl.h"

class TdxBar;
class TdxBarItemLink;
enum class TdxBarStoringKind;
class TdxBarItemLinks;
class TdxBarItemStylesData;
class TdxScreenTip;
class TcxStyle;
class TCustomIniFile;

enum class TdxBarItemAlign : uint8_t { iaLeft, iaCenter, iaRight, iaClient };
using enum TdxBarItemAlign;
extern const TEnumInfo dxBarItemAlignInfo;

enum class TdxBarPaintStyle : uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
using enum TdxBarPaintStyle;
extern const TEnumInfo dxBarPaintStyleInfo;

enum class TdxBarGlyphLayout : uint8_t { glLeft, glRight, glTop, glBottom };
using enum TdxBarGlyphLayout;

// The kinds of bar controls that show items: toolbar windows, quick-customization popups, sub-menus.
enum class TdxBarKind : uint8_t { bkBarControl, bkQuickCustomizing, bkSubMenu };
using TdxBarKinds = TSet<TdxBarKind>;
constexpr TdxBarKinds AllBarKinds{TdxBarKind::bkBarControl, TdxBarKind::bkQuickCustomizing, TdxBarKind::bkSubMenu};

// Where a link would place an item: a toolbar or a menu.
enum class TdxBarLinksKind : uint8_t { lkToolbar, lkMenu };

// How a change of an item's styles reaches it: only repainting (a colour), measuring again (a
// font), or nothing.
enum class TdxBarStylesChangeKind : uint8_t { sckDrawing, sckStructure, sckNone };

// What a bar notifies its registered items of.
enum class TdxBarNotification : uint8_t { bnAdded, bnRemoved };

// The effective values of one style slot; the defaults where the slot's style assigns nothing.
struct TdxBarItemStyleValues {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// Whether the object's class, or one of its ancestors, is named name: the model recognises kinds of
// items (separators, edits, sub-items) that live in their own units this way.
bool InheritsFromClassNamed(const TObject* obj, std::string_view name);

// The caption a hint starts with: the caption without its first "&" and its first "...".
std::string GetCaptionForHint(std::string_view caption);

// An action's visibility as an item's: shown always, or never.
constexpr TdxBarItemVisible VisibleToItemVisible(bool visible) { return visible ? ivAlways : ivNever; }

class TdxBarItem : public TdxBarComponent {
  CL_CLASS(TdxBarItem, TdxBarComponent)
public:
  // The class-level operations of item classes.
  struct TMeta : TMetaClassOf<TdxBarItem, TComponent*> {
    // The caption the customization's add-item commands give a new item of the class.
    virtual std::string GetDefaultCaption() const;
  };

  // Joins the manager that is, or is owned by, the owner's windowed control; without one, the
  // first manager of the process.
  explicit TdxBarItem(TComponent* owner);
  ~TdxBarItem() override;
  void AfterConstruction() override;
  // OnDestroy, the links go (each leaves its collection), then what the item owns; last it leaves
  // its manager's list.
  void BeforeDestruction() override;
  // From another item: the values in order, the user data, the glyphs, ShortCut and OnClick.
  void Assign(TPersistent* source) override;
  // Applies the action with defaults checking.
  void Loaded() override;
  // A removed action or screen tip is forgotten.
  void Notification(TComponent* component, TOperation operation) override;
  // A change is reported after renaming (not in the designer with an empty name).
  void SetName(const std::string& name) override;

  // Moves the item from its manager's item list to the new manager's.
  void SetBarManager(TdxBarManager* value) override;

  // --- Published properties ---
  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);
  TdxBarItemAlign Align() const { return FAlign; }
  void SetAlign(TdxBarItemAlign value);
  std::string Caption() const { return GetCaption(); }
  // The category rule: while loading the value is only stored. Otherwise a value outside the
  // manager's categories (or an item outside its manager's list) changes nothing; the item moves in
  // the item list to just after the last item of that category, and takes the value.
  int Category() const { return FCategory; }
  void SetCategory(int value);
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& value);
  // While the manager is customizing at run time an item with a category counts as enabled.
  bool GetEnabled() const override;
  void SetEnabled(bool value) override;
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  std::string Hint() const { return GetHint(); }
  const std::string& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& value) { FKeyTip = value; }
  TdxBarItemMergeKind MergeKind() const { return FMergeKind; }
  void SetMergeKind(TdxBarItemMergeKind value) { FMergeKind = value; }
  int MergeOrder() const { return FMergeOrder; }
  // Negative values become 0.
  void SetMergeOrder(int value);
  TcxStyle* Style() const { return GetStyleByIndex(0); }
  void SetStyle(TcxStyle* value) { SetStyleByIndex(0, value); }
  TdxScreenTip* ScreenTip() const { return GetScreenTip(); }
  // Stored; the links recompute their visibility (not in the designer; while loading only during
  // the manager's Loaded).
  void SetVisible(TdxBarItemVisible value) override;
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(const TNotifyEvent& value) { FOnDestroy = value; }
  // The stored rules of the values an action may supply: each is written while it does not follow
  // the action.
  virtual bool IsCaptionStored() const;
  virtual bool IsHintStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsVisibleStored() const;
  // The hint follows the caption: empty, or its short part is the caption's hint form.
  bool IsHintFromCaption() const;

  // --- Values the kinds publish ---
  TBitmap* Glyph() const { return GetGlyph(); }
  int ImageIndex() const { return GetImageIndex(); }
  TBitmap* LargeGlyph() const { return FLargeGlyph.get(); }
  void SetLargeGlyph(TBitmap* value) { FLargeGlyph->Assign(value); }
  int LargeImageIndex() const { return FLargeImageIndex; }
  virtual void SetLargeImageIndex(int value);
  TdxBarPaintStyle PaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TdxBarPaintStyle value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);
  bool UnclickAfterDoing() const { return FUnclickAfterDoing; }
  void SetUnclickAfterDoing(bool value) { FUnclickAfterDoing = value; }
  int Width() const { return GetWidth(); }
  TdxBarGlyphLayout GlyphLayout() const { return FGlyphLayout; }
  void SetGlyphLayout(TdxBarGlyphLayout value) { FGlyphLayout = value; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool value);
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& value) { FOnClick = value; }
  bool CanSelect() const { return FCanSelect; }
  void SetCanSelect(bool value) { FCanSelect = value; }
  // Copied by Assign, not used by the item.
  void* UserData() const { return FUserData; }
  void SetUserData(void* value) { FUserData = value; }

  // --- Virtual operations ---
  virtual int GetWidth() const { return FWidth; }
  // A negative or unchanged value is ignored.
  virtual void SetWidth(int value);
  // The manager was set while reading a form.
  virtual void BarManagerChanged() {}
  // Whether the item may stand in links of the kind (on the bar, or nullptr); message tells why not.
  virtual bool CanBePlacedIn(TdxBarLinksKind kind, TdxBar* bar, std::string& message) const;
  virtual bool SupportsPaintStyle() const { return false; }
  // The item reacts to a click and to its shortcut.
  virtual bool CanClick() const { return true; }
  virtual int GetActionImageIndex() const { return FImageIndex; }
  virtual void SetActionImageIndex(int value) { SetImageIndex(value); }
  // The item-control class registered for exactly this class; empty when there is none.
  virtual TdxBarItemControlClass GetControlClass(bool rotated) const;
  virtual bool IsHiddenInRunTimeCommands() const { return false; }
  // The links of the sub-menu the item opens; nullptr in the base.
  virtual TdxBarItemLinks* GetItemLinks() const { return nullptr; }
  // The number of style slots.
  virtual int GetStyleCount() const { return 1; }
  virtual bool CanUseAccelerator(TdxBarItemLink* link) const;
  virtual void HideHostedControl() {}
  virtual bool HasContent() const { return true; }
  // Whether another item may stand in for this one.
  virtual bool IsCompatibleWith(const TdxBarItem* item) const;
  // The shortcut rule: a disabled item handles nothing; an item that can be clicked and whose
  // shortcut is the key runs; an item with a sub-menu offers the key to its links. Key 0 is never
  // handled.
  virtual bool HandleShortCut(TShortCut shortCut);
  virtual bool UsesStyleBackground() const { return false; }
  virtual bool HostsControl() const { return false; }
  virtual void BarNotification(TdxBarNotification notification, TdxBar* bar) { (void)notification; (void)bar; }
  // Asks every control for its refresh state; the last answer.
  virtual bool QueryControls();
  // Repaints every control of the item.
  virtual void UpdateControls();
  // The bar controls of the kinds that show the item rebuild their layout and repaint.
  virtual void RecalculateBars(TdxBarKinds kinds = AllBarKinds);
  virtual bool HasHotImage() const { return false; }
  // ImageIndex or LargeImageIndex is not negative.
  virtual bool HasImage() const { return FImageIndex >= 0 || FLargeImageIndex >= 0; }
  virtual std::string GetCaption() const { return FCaption; }
  // The caption-and-hint rule: the hint follows the caption while its short part is the caption's
  // hint form (not for sub-items); while loading only the caption is stored.
  virtual void SetCaption(const std::string& value);
  virtual TBitmap* GetGlyph() const { return FGlyph.get(); }
  virtual void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
  virtual std::string GetHint() const { return FHint; }
  virtual void SetHint(const std::string& value) { FHint = value; }
  virtual int GetImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(int value);
  virtual TdxScreenTip* GetScreenTip() const { return FScreenTip; }
  // Moves the free notification from the old screen tip to the new one.
  virtual void SetScreenTip(TdxScreenTip* value);
  virtual std::string GetAdditionalText() const { return {}; }
  // The manager's Images.
  virtual TCustomImageList* GetImages() const;
  // The item's sub-menu links in a stored layout; nothing in the base.
  virtual void ResetFromIni(TCustomIniFile* ini, const std::string& section) { (void)ini; (void)section; }

  // --- Layout storage of the item's sub-menu links (dxBarLayout.cpp); nothing in the base ---
  // base is the layout's section base (ending with the delimiter).
  virtual void SaveLinksToIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind);
  virtual void LoadLinksFromIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind);
  virtual void LoadUsageFromIni(TCustomIniFile* ini, const std::string& base);

  // --- Change fan-out ---
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();

  // --- The click road ---
  // Click when CanClick.
  virtual void DirectClick();
  virtual void Click();
  virtual void DoClick();
  // The action's values: all, or only those the item still has at their defaults.
  virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
  // The action link's change handler: the item's action applies all its values again.
  void DoActionChange(TObject* sender);
  // The action link's class: TdxBarItemActionLink.
  virtual TClassRef<TBasicActionLink> GetActionLinkClass() const;
  TActionLink* ActionLink() const { return FActionLink.get(); }
  // To an action: the item's values in the order of ActionChange; other destinations raise.
  void AssignTo(TPersistent* dest) override;
  // True only while an action's values are applied with defaults checking.
  bool CheckDefaults() const { return FCheckDefaults; }
  // The link whose control is clicking the item, for the time of that click.
  TdxBarItemLink* ClickItemLink() const { return FClickItemLink; }
  void SetClickItemLink(TdxBarItemLink* link) { FClickItemLink = link; }

  // --- Links ---
  int GetLinkCount() const { return static_cast<int>(FLinks.size()); }
  // nullptr outside the range.
  TdxBarItemLink* GetLink(int index) const;
  // The first link whose control is active; nullptr when none.
  TdxBarItemLink* GetActiveLink() const;
  // The link selected while customizing when it shows this item, else the first link.
  TdxBarItemLink* GetRepresentativeLink() const;
  // Frees the links, last first (in one bars update when one stands on a toolbar).
  void ClearLinks();

  // The position in the manager's item list (-1 without a manager).
  int GetIndex() const;
  void SetIndex(int value);
  int Index() const { return GetIndex(); }
  // Visible is ivAlways and there is content (or the manager customizes or designs), or Visible is
  // ivInCustomizing while the manager customizes or designs.
  bool IsVisibleInCurrentMode() const;
  // Each item is compatible with the other.
  static bool AreMutuallyCompatible(const TdxBarItem* a, const TdxBarItem* b);
  // Whether GetImages holds an image at ImageIndex.
  bool HasOwnListImage() const;
  static bool IsListImageAssigned(TCustomImageList* images, int index);
  void HandleDesignerDblClick();

  // --- Styles ---
  TcxStyle* GetStyleByIndex(int index) const;
  void SetStyleByIndex(int index, TcxStyle* value);
  TdxBarItemStyleValues GetStyleValues(int index) const;
  TdxBarItemStyleValues GetItemStyleValues() const { return GetStyleValues(0); }
  TdxBarItemStyleValues GetEditStyleValues() const { return GetStyleValues(1); }
  // How the style binding reports a change of the item's styles.
  virtual void StylesChanged(TdxBarStylesChangeKind kind);
  TdxBarItemStylesData* StylesData() const { return FStylesData.get(); }

  // --- Stored form ---
  // Takes a reading manager as its manager before the properties are read.
  void ReadState(TReader& reader) override;
  // Stored as a child of the manager exactly while it has a category.
  bool HasParent() const override { return FCategory >= 0; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  // --- IdxBarSelectableItem ---
  bool CanDelete(bool destruction) override;
  void DeleteSelection(IdxBarSelectableItem*& reference, bool destruction) override;
  void ExecuteCustomizingAction(TdxBarCustomizingAction action) override;
  void AddMasterObjects(TList* list) override;
  IdxBarSelectableItem* GetNextSelectable() override;
  TPersistent* GetSelectableParent() override;
  TdxBarCustomizingActions GetSupportedActions() override;
  void InvalidateSelection() override { UpdateControls(); }
  bool IsComplex() override { return GetLinkCount() > 1; }
  bool SelectParentComponent() override;
  void SelectionChanged() override { UpdateControls(); }

private:
  friend class TdxBarManagerCategories;
  friend class TdxBarItemLink;
  void GlyphBitmapChanged(TObject* sender);
  void LargeGlyphBitmapChanged(TObject* sender);
  void AddLink(TdxBarItemLink* link);
  void RemoveLink(TdxBarItemLink* link);
  // Calls proc(link, control) for every link that has a control, in link order.
  template <class Proc> void ForEachControl(Proc proc) const;

  TOwned<TActionLink> FActionLink;
  TdxBarItemAlign FAlign = iaLeft;
  bool FCanSelect = true;
  std::string FCaption;
  int FCategory = -1;
  bool FCheckDefaults = false;
  TdxBarItemLink* FClickItemLink = nullptr;
  void* FUserData = nullptr;
  std::string FDescription;
  TOwned<TBitmap> FGlyph;
  int FHelpContext = 0;
  std::string FHint;
  int FImageIndex = -1;
  std::string FKeyTip;
  TOwned<TBitmap> FLargeGlyph;
  int FLargeImageIndex = -1;
  std::vector<TdxBarItemLink*> FLinks;
  TdxBarItemMergeKind FMergeKind = mkAdd;
  int FMergeOrder = 0;
  TdxBarPaintStyle FPaintStyle = psStandard;
  TShortCut FShortCut = 0;
  TOwned<TdxBarItemStylesData> FStylesData;
  TdxScreenTip* FScreenTip = nullptr;
  bool FUnclickAfterDoing = false;
  int FWidth = 0;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDestroy;
  TdxBarGlyphLayout FGlyphLayout = glTop;
  bool FShowCaption = false;
};

using TdxBarItemClass = TClassRef<TdxBarItem>;
