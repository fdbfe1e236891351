#pragma once
// Components that own item links shown in a menu window: TdxBarCustomPopupComponent holds the
// links, TdxBarCustomPopupMenu is a context or drop-down menu of them, TdxBarPopupMenu the one a
// form carries. Popup shows the links in a menu window (TdxBarSubMenuControl) that lives while the
// menu is open.
#include "classlib/Bitmap.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarSubMenuControl.h"
#include "toolkit/controls/cxControlsPopupMenus.h"

class TdxBarCustomPopupComponent : public TdxBarComponent, public IdxBarLinksOwner {
  CL_CLASS(TdxBarCustomPopupComponent, TdxBarComponent)
public:
  // Raises EdxException "There are no TdxBarManagers available" when no manager exists. The
  // manager is the owner when it is one, else the manager of the owner control, else the first.
  explicit TdxBarCustomPopupComponent(TComponent* owner);
  ~TdxBarCustomPopupComponent() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // The links resolve their stored item names, with the designer's change notices held back.
  void Loaded() override;

  TdxBarItemLinks* ItemLinks() const { return FItemLinks.get(); }
  void SetItemLinks(TdxBarItemLinks* value) { FItemLinks->Assign(value); }
  // Leaves the old manager's popup menus and joins the new one's; the links take it too.
  void SetBarManager(TdxBarManager* value) override;
  // The links' class: sub-menu links.
  virtual TClassRef<TdxBarItemLinks> GetItemLinksClass() const;

  // IdxBarLinksOwner
  // The item may stand in a menu and does not hold this component's links at any depth.
  bool AcceptsItem(TdxBarItem* item, std::string& message) override;
  // A menu window of the sub-menu control class, owned by the manager, showing these links.
  TCustomdxBarControl* CreateBarControl() override { return CreateSubMenuControl(); }
  TObject* GetInstance() override { return this; }
  virtual TClassRef<TdxBarSubMenuControl> GetSubMenuControlClass() const;
  virtual TdxBarSubMenuControl* CreateSubMenuControl();
  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }

private:
  TOwned<TdxBarItemLinks> FItemLinks;
};

class TdxBarCustomPopupMenu : public TdxBarCustomPopupComponent,
                              public IcxPopupMenuHandler,
                              public IdxBarSubMenuOwner {
  CL_CLASS(TdxBarCustomPopupMenu, TdxBarCustomPopupComponent)
public:
  explicit TdxBarCustomPopupMenu(TComponent* owner);
  // A new menu does not use recent items.
  void AfterConstruction() override;

  bool GetEnabled() const override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TdxBarItemVisible) override {}
  // Held by the links.
  bool UseRecentItems() const { return ItemLinks()->UseRecentItems(); }
  void SetUseRecentItems(bool value) { ItemLinks()->SetUseRecentItems(value); }
  TdxBarItemOptions* ItemOptions() const { return ItemLinks()->ItemOptions(); }
  TdxBarManager* GetBarManagerProp() const { return GetBarManager(); }
  void SetBarManagerProp(TdxBarManager* value) { SetBarManager(value); }

  // Shows the menu with its top-left corner at the screen point: nothing while it is open; an open
  // context menu elsewhere closes first (not for a drop-down opened from a bar control); with the
  // wait flag (the default) the call returns only after the menu has closed.
  void Popup(int x, int y) override;
  void PopupAtCursor();
  // Popup with the placement data of an opener: the item beside (ownerWidth) or below (ownerHeight)
  // which the menu opens, the item's screen rect, whether to wait, the bar control it opens from.
  // The data are reset afterwards, also when Popup raises.
  void PopupWithOwner(int x, int y, int ownerWidth, int ownerHeight, bool show, const RECT* ownerRect, bool wait,
                      TCustomdxBarControl* ownerBarControl);
  // The menu window while open, else nullptr.
  TdxBarSubMenuControl* GetBarControl() const;
  // The item control a drop-down button opens the menu from (set around its popup).
  void SetOpeningItemControl(TdxBarItemControl* control) { FOpeningItemControl = control; }
  // The menu's background picture; empty for none.
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap.get(); }
  void SetBackgroundBitmap(TBitmap* value) { FBackgroundBitmap->Assign(value); }
  using TPaintBarEvent = TEvent<void(TObject* sender, TcxCanvas* canvas, const RECT& rect)>;
  TPaintBarEvent OnPaintBar() const { return FOnPaintBar; }
  void SetOnPaintBar(TPaintBarEvent value) { FOnPaintBar = value; }

  // IdxBarSubMenuOwner
  int GetSubMenuBarSize() override { return FBarSize; }
  void PaintSubMenuBar(TcxCanvas* canvas, const RECT& rect) override { DoPaintBar(canvas, rect); }

  // --- Side bar and shortcuts ---
  // The width of the menu's side bar; a negative width is taken as 0.
  int BarSize() const { return FBarSize; }
  void SetBarSize(int value) { FBarSize = value < 0 ? 0 : value; }
  // IcxPopupMenuHandler: the key message's shortcut runs the item of the links that has it;
  // answers whether one did (never for key 0).
  bool IsMenuShortCut(TMessage& message) override;

  // --- Open and closed ---
  // True from the menu window's popup notice to its close-up notice.
  bool IsOpen() const { return FOpen; }
  // Called by the menu window as it opens and as it closes.
  void PopupNotice();
  void CloseUpNotice(TdxBarCloseReason reason);
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent value) { FOnPopup = value; }
  TNotifyEvent OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent value) { FOnCloseUp = value; }

protected:
  virtual void DoPopup();
  virtual void DoCloseUp();
  virtual void DoPaintBar(TcxCanvas* canvas, const RECT& rect);

private:
  TOwned<TBitmap> FBackgroundBitmap;
  TPaintBarEvent FOnPaintBar;
  TdxBarItemControl* FOpeningItemControl = nullptr;
  TCustomdxBarControl* FOwnerBarControl = nullptr;
  bool FHasOwnerRect = false;
  RECT FOwnerRect{};
  int FOwnerWidth = 0;
  int FOwnerHeight = 0;
  bool FShow = true;
  bool FWait = true;
  int FBarSize = 0;
  bool FOpen = false;
  TNotifyEvent FOnPopup;
  TNotifyEvent FOnCloseUp;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  CL_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
public:
  using TdxBarCustomPopupMenu::TdxBarCustomPopupMenu;
};
