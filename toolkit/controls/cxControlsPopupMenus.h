#pragma once
// The popup-menu functions behind every control's PopupMenu: a control's menu may be a class-library
// popup menu or any component that acts as one through IcxPopupMenuHandler.
#include "classlib/Menus.h"

// A component that acts as a control's popup menu (found with Supports).
class IcxPopupMenuHandler {
public:
  virtual bool IsMenuShortCut(TMessage& message) = 0;
  virtual void Popup(int x, int y) = 0;

protected:
  ~IcxPopupMenuHandler() = default;
};

// Runs the menu item whose shortcut the key message gives: through the handler's IsMenuShortCut,
// or for a popup menu that has its window, through the menu's own shortcuts. False for nullptr and
// anything else.
bool IsPopupMenuShortCut(TComponent* menu, TMessage& message);
// Shows the menu for the control at a screen point: a handler through its Popup, a popup menu with
// AutoPopup set for the control as its PopupComponent. Answers whether a menu was shown.
bool ShowPopupMenu(TControl* control, TComponent* menu, int x, int y);
// The height the menu's items take on the screen: text lines of the screen's menu font, or the
// items' own measures where the menu is owner-drawn or an item has images; a column break starts a
// new column and the tallest column counts.
int MeasurePopupMenuHeight(TMenu* menu);
