#pragma once
// Popup-menu links: each gives a control of the manager's form a bar popup menu as its context
// menu. A linked control's window procedure is chained through the window-procedure controller;
// for a context-menu message the link takes the control's OnContextPopup for the time the control
// handles the message, so that a right click or the menu key reaches the link: OnAction may change
// the point or refuse, then the popup menu opens there. A graphic child of the control under the
// click opens it only with ProcessChildren. The links also route shortcuts to their menus.
#include "classlib/Collection.h"
#include "classlib/Controls.h"
#include "classlib/Menus.h"

class TdxBarManager;
class TdxBarPopupMenu;
class TcxWindowProcLinkedObject;

// Sender is the link; X and Y the client point (-1, -1 from the keyboard).
using TdxBarPopupMenuLinkActionEvent =
    TEvent<void(TObject* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
  CL_CLASS(TdxBarPopupMenuLink, TCollectionItem)
public:
  explicit TdxBarPopupMenuLink(TCollection* collection) : TCollectionItem(collection) {}
  // Lets go of the control first.
  void BeforeDestruction() override;
  // From another link: the controls of the same names among the manager owner's components (the
  // control must be windowed), and ProcessChildren; OnAction is not copied.
  void Assign(TPersistent* source) override;

  TControl* Control() const { return FControl; }
  // A control the manager's owner does not contain counts as none. The previous control gets its
  // own window procedure back; the manager hears when the new one is freed.
  void SetControl(TControl* value);
  TdxBarPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TdxBarPopupMenu* value);
  bool ProcessChildren() const { return FProcessChildren; }
  void SetProcessChildren(bool value) { FProcessChildren = value; }
  const TdxBarPopupMenuLinkActionEvent& OnAction() const { return FOnAction; }
  void SetOnAction(const TdxBarPopupMenuLinkActionEvent& value) { FOnAction = value; }

  TdxBarManager* GetBarManager() const;
  // The control when it is windowed, else its parent.
  TWinControl* GetWinControl() const;
  // OnAction decides (ClickedByMouse unless the point is (-1, -1)); then the popup menu opens at the
  // point in screen coordinates. Answers whether the popup was allowed.
  bool DoPopup(POINT clientPoint);
  // OnAction from the keyboard, then the popup menu's links handle the shortcut.
  bool HandleShortCut(TShortCut shortCut);

private:
  void ControlWndProc(TMessage& message);
  void ContextPopup(TObject* sender, POINT mousePos, bool& handled);

  TControl* FControl = nullptr;
  TdxBarPopupMenu* FPopupMenu = nullptr;
  bool FProcessChildren = true;
  TdxBarPopupMenuLinkActionEvent FOnAction;
  TcxWindowProcLinkedObject* FWindowProcLink = nullptr;
  TContextPopupEvent FSavedContextPopup;
};

class TdxBarPopupMenuLinks : public TCollection {
  CL_CLASS(TdxBarPopupMenuLinks, TCollection)
public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* barManager);
  TPersistent* GetOwner() const override;
  TdxBarManager* BarManager() const { return FBarManager; }
  TdxBarPopupMenuLink* Items(int index) const { return Item<TdxBarPopupMenuLink>(index); }
  TdxBarPopupMenuLink* Add() { return TCollection::Add<TdxBarPopupMenuLink>(); }
  // The links of the control, then those with ProcessChildren whose windowed control holds it; the
  // first that handles the shortcut ends the search. Without one, the parent manager's links try.
  bool HandleShortCut(TControl* control, TShortCut shortCut);
  // Every link forgets a control or popup menu that is freed.
  void ComponentRemoved(TComponent* component);

private:
  TdxBarManager* FBarManager;
};
