#pragma once
// The item kinds that are clicked or only shown: the button-like base of buttons and sub-items, the
// command button (plain, checked with radio groups, or with a drop-down menu), the large button
// (large, hot and small images kept in step), the label and the menu group separator.
//
// Radio groups: checked buttons of one manager with the same GroupIndex. Pressing one releases the
// one that was down; releasing the pressed one is refused unless the group allows all up. Down is
// only for checked styles; GroupIndex is 0 for the others. Both are set silently to nothing when
// the style does not allow them.
#include <string>
#include "classlib/TypInfo.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemLinks.h"

class TdxBarPopupMenu;
class TdxBarButtonControl;

class TdxBarButtonLikeItem : public TdxBarItem {
  CL_CLASS(TdxBarButtonLikeItem, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  // The layout-storage section of the item's sub-menu links: the prefix, the kind's word and Name.
  virtual std::string GetLinksSectionName(const std::string& prefix) const = 0;

  // An item with a Name and sub-menu links stores them in its own section (dxBarLayout.cpp); a
  // reset reads the links, their usage, then lets the linked items reset theirs.
  void SaveLinksToIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind) override;
  void LoadLinksFromIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind) override;
  void LoadUsageFromIni(TCustomIniFile* ini, const std::string& base) override;
  void ResetFromIni(TCustomIniFile* ini, const std::string& base) override;
};

enum class TdxBarButtonStyle : uint8_t { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };
using enum TdxBarButtonStyle;
extern const TEnumInfo dxBarButtonStyleInfo;
extern const TEnumInfo dxBarGlyphLayoutInfo;

constexpr bool IsCheckedStyle(TdxBarButtonStyle style) { return style == bsChecked || style == bsCheckedDropDown; }
constexpr bool IsDropDownStyle(TdxBarButtonStyle style) { return style == bsDropDown || style == bsCheckedDropDown; }

class TdxBarButton : public TdxBarButtonLikeItem, public IdxBarLinksOwner {
  CL_CLASS(TdxBarButton, TdxBarButtonLikeItem)
public:
  explicit TdxBarButton(TComponent* owner);
  void Notification(TComponent* component, TOperation operation) override;

  // --- Published properties ---
  bool AllowAllUp() const { return FAllowAllUp; }
  // Shared by the whole group: every button of the manager with the same GroupIndex takes it.
  void SetAllowAllUp(bool value);
  TdxBarButtonStyle ButtonStyle() const { return FButtonStyle; }
  // A new style releases Down.
  void SetButtonStyle(TdxBarButtonStyle value);
  bool CloseSubMenuOnClick() const { return FCloseSubMenuOnClick; }
  void SetCloseSubMenuOnClick(bool value) { FCloseSubMenuOnClick = value; }
  bool DropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool value);
  int GroupIndex() const { return FGroupIndex; }
  // 0 for the styles that are not checked; releases Down.
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  // The group rules above; True on a style that is not checked is ignored.
  void SetDown(bool value);
  TdxBarPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  // Raises EdxException for a menu that shows this button at any depth; nothing changes then.
  void SetDropDownMenu(TdxBarPopupMenu* value);
  bool Lowered() const { return FLowered; }
  void SetLowered(bool value);
  bool IsDownStored() const;
  bool IsOnClickStored() const;
  bool IsImageIndexStored() const { return IsImageIndexPublished() && IsActionImageIndexStored(); }
  bool IsShortCutStored() const;
  // Whether the item's ImageIndex is one of its published values (large buttons store it apart).
  virtual bool IsImageIndexPublished() const { return true; }
  bool IsActionImageIndexStored() const;
  // The published LargeImageIndex of buttons, stored by the item's rule.
  virtual bool IsLargeImageIndexStored() const { return true; }

  // --- TdxBarItem ---
  bool SupportsPaintStyle() const override { return true; }
  TdxBarItemLinks* GetItemLinks() const override;
  bool CanUseAccelerator(TdxBarItemLink* link) const override;
  void PaintStyleChanged() override;
  // A checked button toggles Down before the click.
  void DirectClick() override;
  TdxBarCustomizingActions GetSupportedActions() override;
  // Opens the drop-down menu for the control at the screen point; unless noSelection, the menu's
  // first selectable link is selected.
  virtual void DropDown(TdxBarButtonControl* control, POINT at, bool noSelection);

  std::string GetLinksSectionName(const std::string& prefix) const override;

  // --- IdxBarLinksOwner (the links of the drop-down menu) ---
  bool AcceptsItem(TdxBarItem* item, std::string& message) override;
  TCustomdxBarControl* CreateBarControl() override;
  TObject* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return std::as_const(*this).GetItemLinks(); }

private:
  // The first other button of the manager in the same group that is down.
  TdxBarButton* FindDownInGroup() const;
  void ForEachInGroup(void (*fn)(TdxBarButton* other, TdxBarButton* self));
  void ReleaseDown();

  bool FAllowAllUp = false;
  TdxBarButtonStyle FButtonStyle = bsDefault;
  bool FCloseSubMenuOnClick = true;
  bool FDropDownEnabled = true;
  int FGroupIndex = 0;
  bool FDown = false;
  TdxBarPopupMenu* FDropDownMenu = nullptr;
  bool FLowered = false;
};

class TdxBarLargeButton : public TdxBarButton {
  CL_CLASS(TdxBarLargeButton, TdxBarButton)
public:
  explicit TdxBarLargeButton(TComponent* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // The extra "ImageIndex", written only while SyncImageIndex is off.
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

  // --- Published properties ---
  bool AutoGrayScale() const { return FAutoGrayScale; }
  void SetAutoGrayScale(bool value);
  // GlyphLayout and ShowCaption as the large button publishes them (changes recalculate the bars).
  TdxBarGlyphLayout GlyphLayoutProp() const { return GlyphLayout(); }
  void SetGlyphLayoutProp(TdxBarGlyphLayout value);
  int Height() const { return FHeight; }
  // Negative values are ignored.
  void SetHeight(int value);
  TBitmap* HotGlyph() const { return FHotGlyph.get(); }
  void SetHotGlyph(TBitmap* value) { FHotGlyph->Assign(value); }
  int HotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int value);
  bool SyncImageIndex() const { return FSyncImageIndex; }
  void SetSyncImageIndex(bool value);
  bool ShowCaptionProp() const { return ShowCaption(); }
  void SetShowCaptionProp(bool value) { SetShowCaption(value); }
  bool IsLargeImageIndexStored() const override;
  bool IsImageIndexPublished() const override { return false; }

  // --- TdxBarItem ---
  int GetActionImageIndex() const override { return LargeImageIndex(); }
  void SetActionImageIndex(int value) override { SetLargeImageIndex(value); }
  bool CanUseAccelerator(TdxBarItemLink* link) const override;
  bool HasHotImage() const override { return FHotImageIndex >= 0; }
  bool HasImage() const override { return LargeImageIndex() >= 0; }
  void SetImageIndex(int value) override;
  void SetLargeImageIndex(int value) override;
  void HotGlyphChanged() override;
  void LargeGlyphChanged() override;
  void WidthChanged() override;
  TdxBarCustomizingActions GetSupportedActions() override;
  // Whether the manager's HotImages hold an image at HotImageIndex, its LargeImages one at
  // LargeImageIndex.
  bool HasHotListImage() const;
  bool HasLargeListImage() const;

private:
  void HotGlyphBitmapChanged(TObject*) { HotGlyphChanged(); }

  bool FAutoGrayScale = true;
  int FHeight = 0;
  TOwned<TBitmap> FHotGlyph;
  int FHotImageIndex = -1;
  bool FSyncImageIndex = true;
  // Stops SetImageIndex and LargeGlyphChanged from calling each other.
  bool FInSync = false;
  // Only while the form is read: which of the three values were read (cleared by Loaded).
  bool FImageIndexRead = false, FLargeImageIndexRead = false, FSyncImageIndexRead = false;
};

class TdxBarLabel : public TdxBarItem {
  CL_CLASS(TdxBarLabel, TdxBarItem)
public:
  explicit TdxBarLabel(TComponent* owner);
};

class TdxBarSeparator : public TdxBarLabel {
  CL_CLASS(TdxBarSeparator, TdxBarLabel)
public:
  using TdxBarLabel::TdxBarLabel;
  // Only in menus: a toolbar refuses it with its message.
  bool CanBePlacedIn(TdxBarLinksKind kind, TdxBar* bar, std::string& message) const override;
  TdxBarCustomizingActions GetSupportedActions() override;
};
