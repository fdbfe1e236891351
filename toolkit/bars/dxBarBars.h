#pragma once
// Toolbars and the bars collection. A TdxBar is one toolbar or menu bar of a bar manager: its
// settings, where it is placed (docked in a row of a dock control, or floating at a position with a
// client size), whether it is shown, and which bars are merged into it. The bar itself is not a
// window. TdxBars is the manager's collection of bars; it also owns the manager's four edge dock
// controls and the state of a toolbar being dragged.
//
// While the manager reads its stored form, a bar only records its dock control, docking style and
// visibility; the manager applies them when it has loaded (dock control first, the docking style
// only without one, then the visibility). A bar in no dock row reads its stored Row.
#include <array>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesCollections.h"

class TdxBar;
class TdxBarControl;
class TdxBarItemLinks;
class TdxBarCaptionButtons;
class TdxBarManager;
class TdxBars;
class IdxBarVisibilityObserver;

enum class TdxBarBorderStyle : uint8_t { bbsNone, bbsSingle };
using enum TdxBarBorderStyle;
extern const TEnumInfo dxBarBorderStyleInfo;

// What a bar knows of merging: the bar it is merged into, the bars merged into it, a saved list of
// merged bars (each watched, so that a freed bar drops out), the visibility before merging, whether
// it was made to receive merged bars, and the visibility to restore when such a bar was hidden after
// being emptied.
class TdxBarMergeData : public TObject {
  CL_CLASS(TdxBarMergeData, TObject)
public:
  TdxBarMergeData();
  void BeforeDestruction() override;

  TdxBar* MergedWith = nullptr;
  std::vector<TdxBar*> MergedBars;
  bool VisibleBeforeMerging = false;
  bool MadeForMerging = false;
  bool VisibleToRestore = false;

  // Stops watching each saved bar and empties the saved list.
  void ClearSavedBars();
  // Copies the merged list into the saved list, which watches each bar.
  void SaveMergedBars();
  int SavedBarCount() const { return static_cast<int>(FSavedBars.size()); }
  TdxBar* SavedBars(int index) const { return FSavedBars[index]; }

private:
  void SavedBarFreed(TComponent* sender);
  std::vector<TdxBar*> FSavedBars;
  TOwned<TcxFreeNotificator> FNotificator;
};

class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner, public IdxBarSelectableItem {
  CL_CLASS(TdxBar, TcxComponentCollectionItem)
public:
  explicit TdxBar(TComponent* owner);
  ~TdxBar() override;
  void BeforeDestruction() override;

  // From another bar, through the setters (the visibility last); anything else goes to the
  // inherited copy.
  void Assign(TPersistent* source) override;
  // While the manager reads bars in their old collection form, a bar that has a name keeps it and
  // the read name goes to OldName.
  void SetName(const std::string& name) override;
  // Joins the manager (see the class comment of the manager).
  void SetParentComponent(TComponent* parent) override;
  // The class library's updating state: position changes wait for Updated.
  void Updating();
  void Updated();

  // --- Published properties ---
  bool AllowClose() const { return FAllowClose; }
  void SetAllowClose(bool value);
  bool AllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool value) { FAllowCustomizing = value; }
  bool AllowQuickCustomizing() const { return FAllowQuickCustomizing; }
  void SetAllowQuickCustomizing(bool value);
  bool AllowReset() const { return FAllowReset; }
  void SetAllowReset(bool value) { FAllowReset = value; }
  TdxBarBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TdxBarBorderStyle value);
  const std::string& Caption() const { return FCaption; }
  // Ignored, without an error, when another bar of the manager has the caption.
  void SetCaption(const std::string& value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TdxBarDockControl* DockControl() const;
  void SetDockControl(TdxBarDockControl* value);
  TdxBarDockControl* DockedDockControl() const { return FDockedDockControl; }
  void SetDockedDockControl(TdxBarDockControl* value);
  TdxBarDockingStyle DockedDockingStyle() const { return FDockedDockingStyle; }
  void SetDockedDockingStyle(TdxBarDockingStyle value);
  bool IsDockedDockingStyleStored() const { return FDockedDockControl == nullptr; }
  int DockedLeft() const { return FDockedLeft; }
  void SetDockedLeft(int value);
  int DockedTop() const { return FDockedTop; }
  void SetDockedTop(int value);
  TdxBarDockingStyle DockingStyle() const;
  void SetDockingStyle(TdxBarDockingStyle value);
  bool IsDockingStyleStored() const { return DockControl() == nullptr; }
  int FloatLeft() const { return FFloatLeft; }
  void SetFloatLeft(int value);
  int FloatTop() const { return FFloatTop; }
  void SetFloatTop(int value);
  int FloatClientWidth() const { return FFloatClientWidth; }
  void SetFloatClientWidth(int value);
  int FloatClientHeight() const { return FFloatClientHeight; }
  void SetFloatClientHeight(int value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* value) { FFont->Assign(value); }
  bool IsFontStored() const { return FUseOwnFont; }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
  bool Hidden() const { return FHidden; }
  void SetHidden(bool value);
  bool IsMainMenu() const { return FIsMainMenu; }
  void SetIsMainMenu(bool value);
  // Made when the bar joins its manager.
  TdxBarItemLinks* ItemLinks() const { return FItemLinks.get(); }
  void SetItemLinks(TdxBarItemLinks* value);
  const std::string& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& value) { FKeyTip = value; }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool value);
  TdxBarDockingStyles NotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles value);
  const std::string& OldName() const { return FOldName; }
  void SetOldName(const std::string& value) { FOldName = value; }
  bool OneOnRow() const { return FOneOnRow; }
  void SetOneOnRow(bool value);
  bool RotateWhenVertical() const { return FRotateWhenVertical; }
  void SetRotateWhenVertical(bool value);
  // The index of the bar's row in its dock, or the stored value while it is in no row.
  int Row() const;
  void SetRow(int value);
  bool ShowMark() const { return FShowMark; }
  void SetShowMark(bool value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);
  bool UseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool value);
  // Held by the links.
  bool UseRecentItems() const;
  void SetUseRecentItems(bool value);
  bool UseRestSpace() const { return FUseRestSpace; }
  void SetUseRestSpace(bool value);
  bool Visible() const;
  void SetVisible(bool value);
  bool WholeRow() const { return FWholeRow; }
  void SetWholeRow(bool value);
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* value);
  uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value);

  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(const TNotifyEvent& value) { FOnDestroy = value; }

  // --- Operations ---
  TdxBarManager* GetBarManager() const override;
  // The manager's bars; nullptr without a manager.
  TdxBars* GetBars() const;
  // The toolbar window of the bar's links; none while hidden.
  TdxBarControl* GetBarControl() const;
  // Places the toolbar window (docked at the last docked place, or floating at the float bounds)
  // and shows it without activation; a floating one only while its form shows and may show it.
  void ShowBarControl();
  // DockControl when set; else the manager's edge dock of a docking style other than dsNone.
  TdxDockControl* GetRealDockControl() const;
  TdxBarPainter* GetPainter() const;
  // Docks into a dock control or changes the docking style; an edge dock counts as none.
  void DockTo(TdxBarDockingStyle style, TdxDockControl* dockControl);
  // Merging of toolbars: raise EdxException for the refused cases; nothing changes before.
  void Merge(TdxBar* bar, bool rememberVisibility = true);
  void Unmerge(TdxBar* bar, bool restoreVisibility = true);
  TdxBarMergeData* MergeData() const { return FMergeData.get(); }
  // Back to the designed layout; nothing when the designed layout has no bar of this caption.
  void Reset();
  // Asks first; resets on OK.
  void ResetWithConfirmation();
  // AllowClose, not the main menu, and its window (when there is one) shows a caption.
  bool CanClose() const;
  bool CanReset() const { return FPredefined && FAllowReset; }
  // False when the bar's or the manager's NotDocking holds every docking style.
  bool CanDock() const;
  bool IsStatusBarLike() const;
  // Status-bar-like with SizeGrip on, the owner window not maximised, and the toolbar window at the
  // bottom of its form.
  bool ShowsSizeGrip() const;
  // There is a toolbar window and the bar floats.
  bool IsFloating() const { return GetBarControl() && DockingStyle() == dsNone; }
  bool Predefined() const { return FPredefined; }
  void SetPredefined(bool value) { FPredefined = value; }
  // The row object that holds the bar, nullptr while it is in none.
  TdxDockRow* DockRow() const { return FDockRow; }
  // The dock frees the row that held the bar.
  void ForgetDockRow(TdxDockRow* row)
  {
    if (FDockRow == row) FDockRow = nullptr;
  }
  // The dock put the bar's toolbar into the row: the bar leaves its old row (dropping it when
  // emptied) and joins this one.
  void SetDockRow(TdxDockRow* row) { MoveToRow(row); }
  // The manager's font changed: the bar takes it (or, with its own font, refreshes that one).
  void ManagerFontChanged();
  // The manager saves the bars merged into this one, and merges them again later.
  void StoreMergedBars();

  // --- Layout storage (dxBarLayout.cpp) ---
  // base + "Bar" + n.
  static std::string GetSectionName(const std::string& base, int n) { return base + "Bar" + std::to_string(n); }
  void SaveToIni(TCustomIniFile* ini, const std::string& base, TdxBarStoringKind kind, int n);
  // The links; with full also caption, placement and visibility (an error there shows the bar and
  // goes no further).
  void LoadFromIni(TCustomIniFile* ini, const std::string& base, bool full, TdxBarStoringKind kind, int n);
  void LoadUsageFromIni(TCustomIniFile* ini, const std::string& base, int n);
  // Hidden and out of its dock row, before a layout places it again.
  void HideForLayout();
  void RestoreMergedBars();
  bool KeepWhenEmptied() const { return FKeepWhenEmptied; }
  void SetKeepWhenEmptied(bool value) { FKeepWhenEmptied = value; }
  // Hidden by the manager because its category visibility emptied it.
  bool AutoHidden() const { return FAutoHidden; }
  void SetAutoHidden(bool value) { FAutoHidden = value; }
  // The number of links the bar shows in the current mode.
  int VisibleLinkCount() const { return FItemLinks ? FItemLinks->GetVisibleLinkCount() : 0; }
  // Items that asked to hear of the bar's destruction (BarNotification with bnRemoved, last
  // registered first).
  void AddRemovalListener(TdxBarItem* item);
  void RemoveRemovalListener(TdxBarItem* item);

  // What the manager applies when it has loaded: the loaded dock control, docking style and
  // visibility.
  TdxBarDockControl* LoadedDockControl() const { return FLoadedDockControl; }
  TdxBarDockingStyle LoadedDockingStyle() const { return FLoadedDockingStyle; }
  bool LoadedVisible() const { return FLoadedVisible; }
  void ApplyLoadedDockControl() { SetDockControl(FLoadedDockControl); }
  void ApplyLoadedDockingStyle() { SetDockingStyle(FLoadedDockingStyle); }
  void ApplyLoadedVisible() { SetVisible(FLoadedVisible); }

  // Visibility listeners, told after every change of Visible.
  void AddVisibilityObserver(IdxBarVisibilityObserver* observer);
  void RemoveVisibilityObserver(IdxBarVisibilityObserver* observer);

  // IdxBarLinksOwner
  // The item may stand on a toolbar.
  bool AcceptsItem(TdxBarItem* item, std::string& message) override;
  // The toolbar window, owned by the manager, showing this bar in the bar's font.
  TCustomdxBarControl* CreateBarControl() override;
  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }

  // IdxBarSelectableItem
  TObject* GetInstance() override { return this; }
  // (In the designer, or not predefined and closable) and the designer allows it.
  bool CanDelete(bool destruction) override;
  void DeleteSelection(IdxBarSelectableItem*& reference, bool destruction) override;
  void ExecuteCustomizingAction(TdxBarCustomizingAction) override {}
  void AddMasterObjects(TList* list) override;
  // The next bar, wrapping; none when the bar is the only one.
  IdxBarSelectableItem* GetNextSelectable() override;
  TPersistent* GetSelectableParent() override;
  int GetSelectionStatus() override;
  TdxBarCustomizingActions GetSupportedActions() override { return {TdxBarCustomizingAction::caDelete}; }
  void InvalidateSelection() override {}
  bool IsComplex() override { return false; }
  bool IsSelected() override { return GetSelectionStatus() == 1; }
  void SelectComponent(TdxBarSelectionOperation operation) override;
  bool SelectParentComponent() override;
  void SelectionChanged() override;

protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override;

public:
  // --- Caption buttons (dxBarCaptionButtons.cpp) ---
  // The extra buttons of the toolbar's caption; made on first use.
  TdxBarCaptionButtons* CaptionButtons() const;

private:
  mutable TOwned<TdxBarCaptionButtons> FCaptionButtons;

private:
  // Reports a change of this bar to the collection.
  void Changed();
  void FontChanged(TObject* sender);
  void GlyphChanged(TObject* sender);
  void BackgroundChanged(TObject* sender);
  // The position update: runs at once, or at Updated while the bar is updating.
  void PositionChanged();
  // Moves a shown toolbar window to the stored placement.
  void UpdateBarControlPosition();
  // The toolbar window's docking style, dock and bounds from the stored placement.
  void PlaceBarControl(TdxBarControl* control);
  // The toolbar window's current place into the stored placement, before the window goes.
  void StoreBarControlPlacement(TdxBarControl* control);
  // Leaves its row (dropping an emptied row) and, with a row, joins it.
  void MoveToRow(TdxDockRow* row);
  void LeaveRow();
  bool IsLoadingManager() const;
  TdxBarManager* ManagerOfDock(TdxDockControl* dockControl) const;

  bool FAllowClose = true;
  bool FAllowCustomizing = true;
  bool FAllowQuickCustomizing = true;
  bool FAllowReset = true;
  TdxBarBorderStyle FBorderStyle = bbsSingle;
  std::string FCaption;
  TColor FColor = clDefault;
  TdxBarDockControl* FDockedDockControl = nullptr;
  TdxBarDockingStyle FDockedDockingStyle = dsTop;
  int FDockedLeft = 0;
  int FDockedTop = 0;
  int FFloatLeft = 0;
  int FFloatTop = 0;
  int FFloatClientWidth = 0;
  int FFloatClientHeight = 0;
  bool FHidden = false;
  bool FIsMainMenu = false;
  std::string FKeyTip;
  bool FMultiLine = false;
  TdxBarDockingStyles FNotDocking;
  std::string FOldName;
  bool FOneOnRow = false;
  bool FRotateWhenVertical = true;
  int FRow = 0;
  bool FShowMark = true;
  bool FSizeGrip = true;
  bool FUseOwnFont = false;
  bool FUseRecentItems = true;
  bool FUseRestSpace = false;
  bool FVisible = false;
  bool FWholeRow = false;
  uint8_t FAlphaBlendValue = 255;

  TdxBarDockControl* FDockControl = nullptr;
  bool FChangingDockingStyle = false;
  TdxBarDockingStyle FDockingStyle = dsNone;
  TdxDockRow* FDockRow = nullptr;
  TOwned<TFont> FEditFont;
  TOwned<TFont> FFont;
  TOwned<TBitmap> FGlyph;
  TOwned<TBitmap> FBackgroundBitmap;
  bool FInternalFontChange = false;
  bool FInternallyHidden = false;
  bool FPredefined = false;
  bool FAutoHidden = false;
  std::vector<IdxBarVisibilityObserver*> FVisibilityObservers;
  TdxBarDockControl* FLoadedDockControl = nullptr;
  TdxBarDockingStyle FLoadedDockingStyle = dsNone;
  bool FLoadedVisible = false;
  TOwned<TdxBarMergeData> FMergeData;
  TOwned<TdxBarControlItemLinks> FItemLinks;
  std::vector<TdxBarItem*> FRemovalListeners;
  bool FPositionUpdatePending = false;
  bool FKeepWhenEmptied = false;
  TdxBarManager* FJoinedManager = nullptr;
  TNotifyEvent FOnDestroy;
};

// The manager's bars and its four edge docks (left, top, right, bottom, made in that order and
// parented to the manager's owner control), with the state of a toolbar being dragged.
class TdxBars : public TcxComponentCollection {
  CL_CLASS(TdxBars, TcxComponentCollection)
public:
  explicit TdxBars(TdxBarManager* barManager);
  // Frees the edge docks, then the bars.
  void BeforeDestruction() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  int Count() const { return ItemCount(); }
  TdxBar* Items(int index) const { return static_cast<TdxBar*>(ItemAt(index)); }
  // Appends a new bar.
  TdxBar* Add();
  // The edge dock of a docking style other than dsNone; nullptr for dsNone or a freed dock.
  TdxDockControl* DockControls(TdxBarDockingStyle style) const;
  // The manager clears the place of an edge dock that is destroyed.
  void ClearDockControl(TdxDockControl* dockControl);
  int DockingZoneSize() const { return FDockingZoneSize; }
  // The unique bar name for a prefix (the manager's rule).
  std::string GetUniqueName(std::string_view prefix) const;
  // The given dock control, else the edge dock of the style, docks the toolbar window at the screen
  // point; nothing for dsNone without a dock control.
  void InsertBarControl(TdxBarDockingStyle style, TdxDockControl* dockControl, TdxBarControl* control,
                        POINT screenPoint);

  // The drag state of a toolbar being moved with the mouse.
  bool DockingByTimer() const { return FDockingByTimer; }
  bool Moving() const { return FMoving; }
  // The toolbar being moved, the docking style it started in, where the drag holds it and
  // the pointer's offset from the toolbar's origin.
  TdxBarControl* MovingBarControl() const { return FMovingBarControl; }
  TdxBarDockingStyle StartDockingStyle() const { return FStartDockingStyle; }
  POINT GrabOffset() const { return FGrabOffset; }
  POINT DragOffset() const { return FDragOffset; }

  // --- Dragging toolbars between docks and floating (dxBarDrag.cpp) ---
  // The modal drag of a toolbar window pressed at its grip or caption: every mouse move docks it
  // into the dock under the cursor or lets it float (Ctrl: float); it ends with the button's
  // release, Escape (the toolbar stays where it is), a lost capture or WM_QUIT (posted again).
  void DragBarControl(TdxBarControl* control);
  // The docking style and dock at a screen point (dsNone and nullptr: floating).
  TdxBarDockingStyle FindDockingTarget(TdxBar* bar, POINT screen, TdxDockControl*& dockControl) const;
  // One step of the drag: moves the window, docks it or lets it float. A floating window docks only
  // when the delayed-docking timer fires after the cursor rested over a dock.
  void MoveBarControl(TdxBarControl* control, POINT screen);
  // Set and cleared by the toolbar window as it starts and ends moving.
  void SetMovingBarControl(TdxBarControl* control) { FMovingBarControl = control; }
  // The running delayed-docking timer (0 for none); tests fire it through FireThreadTimer.
  static UINT_PTR DockingTimerID();

private:
  // The delayed-docking timer fired: the moving toolbar docks where the cursor rests.
  static void DockingTimerTick();

public:

protected:
  // A new bar is named manager name + "Bar" + the first free number.
  void AssignItemName(TcxComponentCollectionItem* item) override;
  // Passes the report on; a change of a bar tells the manager it was modified.
  void RaiseOnChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override;

private:
  std::array<TdxDockControl*, 4> FDockControls{};
  bool FDockingByTimer = false;
  int32_t FDockingZoneSize = 23;
  TdxBarManager* FBarManager;
  bool FMoving = false;
  TdxBarControl* FMovingBarControl = nullptr;
  TdxBarDockingStyle FStartDockingStyle = dsNone;
  POINT FDragOffset{};
  POINT FGrabOffset{};
};

// Whether the key that keeps a dragged toolbar floating (Ctrl) is down. Tests replace it: the X
// server behind Wine forgets a key held through SendInput at the next mouse input.
extern bool (*dxBarIsFloatingKeyDown)();

// Links made while this bar's links are merged remember it as their origin.
TdxBar* GetMergingSourceBar();
// Links read while a bar is reset find their items by name among the owner's components.
bool IsResettingBar();
