#pragma once
// Components that own item links shown in a menu window: TdxBarCustomPopupComponent holds the
// links, TdxBarCustomPopupMenu is a context or drop-down menu of them, TdxBarPopupMenu the one a
// form carries. The menu window that shows the links, and so Popup's menu on screen, come with the
// menu windows; here a popup menu is its links and its place in the manager.
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/controls/cxControlsPopupMenus.h"

enum class TdxBarCloseReason : uint8_t;

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
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TObject* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }

private:
  TOwned<TdxBarItemLinks> FItemLinks;
};

class TdxBarCustomPopupMenu : public TdxBarCustomPopupComponent, public IcxPopupMenuHandler {
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

  // Shows the menu with its top-left corner at the screen point.
  void Popup(int x, int y) override { (void)x; (void)y; }

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

private:
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
