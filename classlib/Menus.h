#pragma once
// Menus: items with captions, states, sub-items and handlers, built into the system's menus.
//
// A menu (TMainMenu, TPopupMenu) owns its menu handle and builds it from its items when needed;
// any change to an item drops the handle, and the next use builds it again. Each item has a command
// number of its own for the whole process: WM_COMMAND with it runs the item (DispatchMenuCommand).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>
#include "classlib/ActnList.h"
#include "classlib/Component.h"
#include "classlib/Controls.h"
#include "classlib/Units.h"

using TShortCut = uint16_t;
class TBitmap;
class TCanvas;
class TMenu;
class TMenuItem;

// Modifier bits of a shortcut above its virtual-key code.
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// The shortcut of a virtual key with the Shift, Ctrl and Alt of a shift state; 0 for a key code
// that does not fit a shortcut's low byte.
TShortCut ShortCut(WORD key, TShiftState shift);
// The shortcut of a key message (WM_KEYDOWN, WM_SYSKEYDOWN) with the modifiers held while it came.
TShortCut ShortCutOfKeyMessage(const TMessage& message);
// The text of a shortcut as menus show it: the modifiers ("Shift+", "Ctrl+", "Alt+", in that order)
// and the key's name ("A", "5", "F5", "Del", "PgUp", or the keyboard's own name of other keys);
// empty for no shortcut or a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The shortcut a text of ShortCutToText names: the modifiers in any order and case, then the key's
// name; 0 for a text that names no shortcut.
TShortCut TextToShortCut(std::string_view text);
// The hot key of a caption: the character after the last single "&" ("&&" stands for "&" itself),
// both bytes of a double-byte character; empty when the caption has none.
std::string GetHotkey(std::string_view text);

// Where an item starts a new column of its menu.
enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };
using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuActionLink : public TActionLink {
  CL_CLASS(TMenuActionLink, TActionLink)
public:
  explicit TMenuActionLink(TMenuItem* client) : FClient(client) {}
  bool IsOnExecuteLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetHint(const std::string& value) override;
  void SetImageIndex(int value) override;
  void SetEnabled(bool value) override;
  void SetVisible(bool value) override;
  void SetChecked(bool value) override;
  void SetOnExecute(TNotifyEvent value) override;

private:
  TMenuItem* FClient;
};

class TMenuItem : public TComponent {
  CL_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value) { FShortCut = value; }
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak value);
  // The item's own picture, made when first asked for; empty unless the program gives it one.
  TBitmap* Bitmap();
  bool HasBitmap() const;
  TMenuMeasureItemEvent OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMenuMeasureItemEvent e) { FOnMeasureItem = e; }
  // The size the item takes in its menu, measured on the canvas with the menu's font: the caption
  // (a separator is half a text line), at least the height of the menu's images, then what
  // OnMeasureItem makes of it.
  virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
  TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(TBasicAction* value);
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = e; }

  // The sub-items; an item frees its sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return FParent; }
  // The menu the item is in, or nullptr.
  TMenu* GetParentMenu() const;
  // The item's command number in WM_COMMAND.
  UINT Command() const { return FCommand; }
  // Runs the action or OnClick.
  virtual void Click();
  // The enabled, visible item with the shortcut among this item's sub-items and theirs.
  TMenuItem* FindShortCut(TShortCut shortCut);

  bool HasParent() const override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  virtual void ActionChange(TBasicAction* sender, bool checkDefaults);
  // Tells the menu its handle no longer shows the items.
  void MenuChanged();

private:
  friend class TMenu;
  // Appends the visible sub-items to menu (sub-menus for items that have items).
  void AppendTo(HMENU menu) const;

  std::string FCaption, FHint;
  bool FEnabled = true, FChecked = false, FVisible = true;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  TMenuBreak FBreak = TMenuBreak::mbNone;
  TOwned<TBitmap> FBitmap;
  TMenuMeasureItemEvent FOnMeasureItem;
  UINT FCommand = 0;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item
  std::vector<TMenuItem*> FItems;
  TOwned<TMenuActionLink> FActionLink;
  TNotifyEvent FOnClick;
};

class TMenu : public TComponent {
  CL_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The root item whose sub-items are the menu's items.
  TMenuItem* Items() const { return FItems.get(); }
  // The system menu of the items, built when needed.
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Runs the item with the command number; answers whether one of this menu's items has it.
  bool DispatchCommand(UINT command);
  TMenuItem* FindItem(UINT command) const;
  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* value);
  // The program draws the items itself (the items' MeasureItem gives their sizes).
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool value) { FOwnerDraw = value; }
  // Runs the item whose shortcut the key message gives; answers whether there was one.
  bool IsShortCut(const TMessage& message);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  friend class TMenuItem;
  virtual HMENU CreateMenuHandle() const { return CreateMenu(); }
  // Drops the built handle; derived menus rebuild it where it is shown.
  virtual void MenuChanged();
  void DestroyHandle();
  // Hands the built handle over to the caller, who destroys it.
  HMENU ReleaseHandle() { return FHandle.release(); }

private:
  struct TMenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }  // with its sub-menus
  };
  TOwned<TMenuItem> FItems;
  std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuDestroyer> FHandle;
  TComponent* FImages = nullptr;
  bool FOwnerDraw = false;
};

// The menu bar of a window.
class TMainMenu : public TMenu {
  CL_CLASS(TMainMenu, TMenu)
public:
  using TMenu::TMenu;
  ~TMainMenu() override;
  // Shows the menu on a window's menu bar (nullptr takes it off).
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND wnd);

protected:
  void MenuChanged() override;

private:
  HWND FWindowHandle = nullptr;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  CL_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  // Shows the menu at a screen point and runs the chosen item once it closes.
  virtual void Popup(int x, int y);
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment value) { FAlignment = value; }
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent e) { FOnPopup = e; }
  // The hidden window that owns the menu while it is shown and receives its WM_COMMAND.
  HWND WindowHandle() const { return FWindow; }
  void Notification(TComponent* component, TOperation operation) override;

protected:
  HMENU CreateMenuHandle() const override { return CreatePopupMenu(); }

private:
  void WndProc(TMessage& msg);
  HWND FWindow = nullptr;
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = TPopupAlignment::paLeft;
  TNotifyEvent FOnPopup;
};

// Runs the menu item that has the command number; answers whether there was one.
bool DispatchMenuCommand(UINT command);
TMenuItem* FindMenuItem(UINT command);
// Shows the control's popup menu (or its nearest parent's) at a screen point: what a right click
// does. Answers whether a menu was shown.
bool ShowPopupMenu(TControl* control, POINT screenPos);

extern TUnit MenusUnit;
